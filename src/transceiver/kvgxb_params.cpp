// Parameter generation and read-back: the model written into the variation's
// description (PRIVATE, MODULE, CONSTANT, USED_PORT and CONNECT records) and
// rebuilt from it, the ports the configuration uses, and the summary text of
// the symbol.
//
// The constant, port and connection tables belong to this generation alone:
// each generation rebuilds them, so a record that no longer applies cannot
// survive from an earlier one, and the connections (written in table order)
// always follow the port order. The private table is shared with the
// framework's pages, so only the model's own wizard variables are replaced.
#include <cmath>
#include <cstring>

#include "cnx/crcnx_manager.h"
#include "support/bwizc_global.h"
#include "transceiver/kvgxb.h"
#include "wizard/crwizard_page.h"

namespace {

bool same(const CString& a, const char* b) { return a.CompareNoCase(b) == 0; }
CString bool_text(bool value) { return value ? "true" : "false"; }
bool is_true(const CString& value) { return same(value, "true"); }

const char* const OPMODE_PARAM_VALUES[] = {"rx", "tx", "duplex"};
const char* const LPM_TYPE = "kv2gxb";

// A clock period in whole picoseconds, rounded to the nearest.
int period_picoseconds(double ns) { return static_cast<int>(std::floor(ns * 1000.0 + 0.5)); }

// The device names these common-mode voltages by their rounded values.
CString rx_common_mode_text(const CString& vcm) { return (vcm == "0.85" ? CString("0.9") : vcm) + "v"; }
CString tx_common_mode_text(const CString& vcm) { return (vcm == "0.7" ? CString("0.75") : vcm) + "v"; }

CString join_blank(const CStringArray& list) {
    CString text;
    for (int i = 0; i < list.GetSize(); ++i) {
        if (i > 0) text += " ";
        text += list.GetAt(i);
    }
    return text;
}

void split_blank(const CString& text, CStringArray& list) {
    list.RemoveAll();
    CString rest = text;
    for (CString token = bwizc_global_extract_token(&rest, " \t"); !token.IsEmpty();
         token = bwizc_global_extract_token(&rest, " \t")) {
        list.Add(token);
    }
}

// The ports whose use is the model's own choice (the user's, or a protocol
// default's); read-back takes each flag from the description's used ports.
const char* const FLAGGED_PORTS[] = {
    "rx_digitalreset", "rx_analogreset", "tx_digitalreset", "gxb_powerdown", "gxb_enable", "pll_locked",
    "rx_locktorefclk", "rx_locktodata", "rx_pll_locked", "rx_freqlocked", "rx_signaldetect", "rx_syncstatus",
    "rx_patterndetect", "rx_ctrldetect", "rx_errdetect", "rx_disperr", "tx_coreclk", "tx_forcedisp", "rx_clkout",
    "cal_blk_powerdown", "rx_bisterr", "rx_bistdone", "pipestatus", "pipedatavalid", "pipeelecidle",
    "pipephydonestatus", "tx_detectrxloop", "tx_forceelecidle", "tx_forcedispcompliance", "powerdn",
    "pipe8b10binvpolarity", "rx_cruclk",
};

// Writes one generation into the description.
class KVGXB_RECORD_WRITER {
public:
    KVGXB_RECORD_WRITER(CRCNX_MANAGER& cnx, int operation_mode)
        : m_cnx(cnx), m_receiver(operation_mode != KVGXB_OPMODE_TX_ONLY),
          m_transmitter(operation_mode != KVGXB_OPMODE_RX_ONLY) {
        m_cnx.get_constant_table().delete_all();
        m_cnx.get_port_table().delete_all();
        m_cnx.get_connection_table().delete_all();
    }

    void variable(const char* name, const CString& value) {
        m_cnx.add_cnx_private(new CRCNX_ITEM_PRIVATE(name, CRCNX_ITEM_PRIVATE::STRING_TYPE, value));
    }
    void variable(const char* name, const char* value) { variable(name, CString(value)); }
    void variable(const char* name, int value) {
        m_cnx.add_cnx_private(
            new CRCNX_ITEM_PRIVATE(name, CRCNX_ITEM_PRIVATE::NUMERIC_TYPE, bwizc_global_int2str(value)));
    }
    void variable(const char* name, bool value) { variable(name, bool_text(value)); }

    // A receiver constant does not exist without a receiver, nor a
    // transmitter constant without a transmitter.
    void constant(const char* name, const CString& value, const char* type = CRCNX_ITEM_CONSTANT::STRING_TYPE) {
        if (!m_receiver && std::strncmp(name, "RX_", 3) == 0) return;
        if (!m_transmitter && std::strncmp(name, "TX_", 3) == 0) return;
        m_cnx.add_cnx_constant(new CRCNX_ITEM_CONSTANT(name, type, value));
    }
    void constant(const char* name, const char* value) { constant(name, CString(value)); }
    void constant(const char* name, int value) {
        constant(name, bwizc_global_int2str(value), CRCNX_ITEM_CONSTANT::NUMERIC_TYPE);
    }
    void constant(const char* name, bool value) { constant(name, bool_text(value)); }

    // A one-bit port is a plain signal, a wider one a bus from bit 0; the
    // module-side port and the signal of the same name are tied both ways.
    void port(const KVGXB_USED_PORT& p) {
        const int size = p.width > 1 ? p.width : 0;
        const CString module_side = CString(CRCNX_ITEM_CONNECTION::MODULE_SIDE_ID) + p.name;
        m_cnx.add_cnx_port(new CRCNX_ITEM_USED_PORT(p.name, size, 0, 0, 0,
                                                    CRWIZARD_PAGE::get_port_type(p.is_input ? 0 : 1),
                                                    CRWIZARD_PAGE::get_port_value(0), ""));
        m_cnx.add_cnx_connection(new CRCNX_ITEM_CONNECTION(module_side, size, 0, 0, 0, p.name, size, 0, 0, 0));
        m_cnx.add_cnx_connection(new CRCNX_ITEM_CONNECTION(p.name, size, 0, 0, 0, module_side, size, 0, 0, 0));
    }

private:
    CRCNX_MANAGER& m_cnx;
    bool m_receiver;
    bool m_transmitter;
};

// Reads a description: wizard variables from the private table; constants
// and ports from the records to be written, or else from those the CNX file
// carried.
class KVGXB_RECORD_READER {
public:
    explicit KVGXB_RECORD_READER(const CRCNX_MANAGER& cnx) : m_cnx(cnx) {}

    CString variable(const char* name, const char* fallback) const {
        const CRCNX_ITEM_PRIVATE* item = m_cnx.find_cnx_private(name);
        return item ? item->get_value() : CString(fallback);
    }
    int variable(const char* name, int fallback) const {
        const CRCNX_ITEM_PRIVATE* item = m_cnx.find_cnx_private(name);
        return item ? bwizc_global_str2int(item->get_value()) : fallback;
    }
    bool variable(const char* name, bool fallback) const {
        const CRCNX_ITEM_PRIVATE* item = m_cnx.find_cnx_private(name);
        return item ? is_true(item->get_value()) : fallback;
    }

    CString constant(const char* name, const char* fallback) const {
        const CRCNX_ITEM_CONSTANT* item = m_cnx.find_cnx_constant(name);
        if (!item) item = m_cnx.find_read_constant(name);
        return item ? item->get_value() : CString(fallback);
    }
    int constant(const char* name, int fallback) const {
        const CString value = constant(name, "");
        return value.IsEmpty() ? fallback : bwizc_global_str2int(value);
    }
    bool constant(const char* name, bool fallback) const {
        const CString value = constant(name, "");
        return value.IsEmpty() ? fallback : is_true(value);
    }

    // A receiver setting, or the transmitter's when the description has no
    // receiver (a transmitter-only variation).
    CString receiver(const char* rx_name, const char* tx_name, const char* fallback) const {
        const CString value = constant(rx_name, "NOT_RX");
        return value == "NOT_RX" ? constant(tx_name, fallback) : value;
    }

    bool has_port(const char* name) const { return m_cnx.find_cnx_port(name) || m_cnx.find_read_port(name); }

private:
    const CRCNX_MANAGER& m_cnx;
};


// The word aligner as the model has it; `state_machine` overrides the
// automatic synchronisation where the protocol fixes it.
void write_aligner_group(const KVGXB_WIZARD_MODEL& m, KVGXB_RECORD_WRITER& w, bool state_machine) {
    w.constant(KVGXB_NAMES::RX_BITSLIP_ENABLE, m.word_aligner_mode == KVGXB_ALIGNER_BITSLIP);
    w.constant(KVGXB_NAMES::RX_USE_ALIGN_STATE_MACHINE, state_machine);
    w.constant(KVGXB_NAMES::RX_ALIGN_PATTERN_LENGTH, m.align_pattern_length);
    w.constant(KVGXB_NAMES::RX_ALIGN_PATTERN, m.align_pattern);
    w.constant(KVGXB_NAMES::RX_ALLOW_ALIGN_POLARITY_INVERSION, m.allow_align_polarity_inversion);
    w.constant(KVGXB_NAMES::RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN, m.rising_edge_pattern_align);
}

void write_datapath(KVGXB_RECORD_WRITER& w, const char* datapath, bool deskew, bool pipe_polarity) {
    w.constant(KVGXB_NAMES::RX_DATAPATH_PROTOCOL, datapath);
    w.constant(KVGXB_NAMES::TX_TRANSMIT_PROTOCOL, datapath);
    w.constant(KVGXB_NAMES::RX_USE_DESKEW_FIFO, deskew);
    w.constant(KVGXB_NAMES::RX_ALLOW_PIPE_POLARITY_INVERSION, pipe_polarity);
}

// The datapath constants of the model's protocol; no other protocol's.
void write_datapath_constants(const KVGXB_WIZARD_MODEL& m, KVGXB_RECORD_WRITER& w) {
    const CString& sub = m.subprotocol;
    const bool automatic = m.word_aligner_mode == KVGXB_ALIGNER_AUTOMATIC;
    if (same(m.protocol, KVGXB_PROTOCOL_SONET)) {
        write_datapath(w, "basic", false, false);
        w.constant(KVGXB_NAMES::RX_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN, false);
        w.constant(KVGXB_NAMES::RX_DISABLE_AUTO_IDLE_INSERTION, same(sub, "OC96"));
        write_aligner_group(m, w, automatic);
        w.constant(KVGXB_NAMES::RX_ENABLE_BIT_REVERSAL, false);
        w.constant(KVGXB_NAMES::RX_ENABLE_DEEP_ALIGN_BYTE_SWAP, false);
        w.constant(KVGXB_NAMES::RX_FLIP_RX_OUT, m.rx_flip_rx_out);
        w.constant(KVGXB_NAMES::TX_FLIP_TX_IN, m.tx_flip_tx_in);
    } else if (same(m.protocol, KVGXB_PROTOCOL_XAUI)) {
        write_datapath(w, "xaui", true, false);
        w.constant(KVGXB_NAMES::TX_USE_CORECLK, m.is_port_used("tx_coreclk"));
        w.constant(KVGXB_NAMES::RX_CHANNEL_BONDING, "x4");
        w.constant(KVGXB_NAMES::TX_CHANNEL_BONDING, "x4");
        write_aligner_group(m, w, true);
        w.constant(KVGXB_NAMES::RX_DISABLE_AUTO_IDLE_INSERTION, false);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_ORDERED_SET_BASED, false);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_SKIP_SET_BASED, false);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_BACK_TO_BACK, true);
    } else if (same(m.protocol, KVGXB_PROTOCOL_GIGE)) {
        write_datapath(w, "basic", false, false);
        w.constant(KVGXB_NAMES::RX_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN, false);
        write_aligner_group(m, w, automatic);
        w.constant(KVGXB_NAMES::RX_DISABLE_AUTO_IDLE_INSERTION, true);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_ORDERED_SET_BASED, true);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_BACK_TO_BACK, true);
    } else if (same(m.protocol, KVGXB_PROTOCOL_PCIE)) {
        const CString bonding = same(sub, "x1") ? CString("indv") : sub;
        w.constant(KVGXB_NAMES::RX_CHANNEL_BONDING, bonding);
        w.constant(KVGXB_NAMES::TX_CHANNEL_BONDING, bonding);
        write_datapath(w, "pipe", false, true);
        w.constant(KVGXB_NAMES::RX_USE_PIPE8B10BINVPOLARITY, m.is_port_used("pipe8b10binvpolarity"));
        write_aligner_group(m, w, automatic);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_ORDERED_SET_BASED, false);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_BACK_TO_BACK, false);
        w.constant(KVGXB_NAMES::RX_DISABLE_AUTO_IDLE_INSERTION, false);
    } else if (same(m.protocol, KVGXB_PROTOCOL_CEI) || same(m.protocol, KVGXB_PROTOCOL_SDI)) {
        // Both align by slipping bits, which the device's modes of both
        // require; neither has a state machine. CEI has no byte orderer.
        const bool sdi = same(m.protocol, KVGXB_PROTOCOL_SDI);
        if (!sdi) w.constant(KVGXB_NAMES::RX_BYTE_ORDERING_MODE, "none");
        write_datapath(w, "basic", false, false);
        w.constant(KVGXB_NAMES::RX_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN, false);
        w.constant(KVGXB_NAMES::RX_BITSLIP_ENABLE, m.word_aligner_mode == KVGXB_ALIGNER_BITSLIP);
        w.constant(KVGXB_NAMES::RX_USE_ALIGN_STATE_MACHINE, false);
        w.constant(KVGXB_NAMES::RX_DISABLE_AUTO_IDLE_INSERTION, sdi);
    } else if (same(m.protocol, KVGXB_PROTOCOL_BASIC)) {
        const bool bist = same(sub, KVGXB_SUB_PARALLEL_BIST);
        write_datapath(w, "basic", false, false);
        w.constant(KVGXB_NAMES::RX_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN, bist);
        w.constant(KVGXB_NAMES::RX_DISABLE_AUTO_IDLE_INSERTION,
                   same(sub, KVGXB_SUB_NO_LOOPBACK) || same(sub, KVGXB_SUB_SERIAL_LOOPBACK) ||
                       same(sub, KVGXB_SUB_REV_SERIAL_LOOPBACK));
        write_aligner_group(m, w, automatic || bist);
        w.constant(KVGXB_NAMES::RX_ALIGN_LOSS_SYNC_ERROR_NUM, m.align_loss_sync_error_num);
        w.constant(KVGXB_NAMES::RX_NUM_ALIGN_CONS_GOOD_DATA, m.num_align_cons_good_data);
        w.constant(KVGXB_NAMES::RX_NUM_ALIGN_CONS_PAT, m.num_align_cons_pat);
        w.constant(KVGXB_NAMES::RX_FLIP_RX_OUT, m.rx_flip_rx_out);
        w.constant(KVGXB_NAMES::TX_FLIP_TX_IN, m.tx_flip_tx_in);
        w.constant(KVGXB_NAMES::TX_FORCE_DISPARITY_MODE, m.tx_force_disparity_mode);
        w.constant(KVGXB_NAMES::TX_ENABLE_BIT_REVERSAL, m.tx_enable_bit_reversal);
        w.constant(KVGXB_NAMES::TX_ALLOW_POLARITY_INVERSION, m.tx_allow_polarity_inversion);
    }
}

}  // namespace

// ------------------------------------------------------------------- ports

std::vector<KVGXB_USED_PORT> KVGXB_WIZARD_MODEL::get_used_ports() const {
    const bool rx = operation_mode != KVGXB_OPMODE_TX_ONLY;
    const bool tx = operation_mode != KVGXB_OPMODE_RX_ONLY;
    const bool pcie = is_protocol(KVGXB_PROTOCOL_PCIE);
    const bool sonet_framing = is_protocol(KVGXB_PROTOCOL_SONET) && !same(subprotocol, "OC96");
    const bool manual_alignment_offered = is_protocol(KVGXB_PROTOCOL_SONET) || is_protocol(KVGXB_PROTOCOL_BASIC);
    // XAUI lanes and bonded PCI Express lanes share one transmitter clock per quad.
    const bool bonded = is_protocol(KVGXB_PROTOCOL_XAUI) || (pcie && !same(subprotocol, "x1"));
    const bool byte_ordering = byte_order_mode != KVGXB_BYTE_ORDER_NONE && !is_protocol(KVGXB_PROTOCOL_CEI);
    const bool reconfiguration = dprio_type != KVGXB_DPRIO_NONE;

    const int channels = number_of_channels;
    const int quads = (channels + 3) / 4;
    const int per_byte = channels * get_rx_dwidth_factor();
    const int digital_reset = get_digitalreset_port_width();
    auto flag = [this](const char* port) { return is_port_used(port); };

    std::vector<KVGXB_USED_PORT> ports;
    auto in = [&](const char* name, bool used, int width) {
        if (used) ports.push_back({name, width, true});
    };
    auto out = [&](const char* name, bool used, int width) {
        if (used) ports.push_back({name, width, false});
    };

    in("rx_datain", rx, channels);
    in("tx_datain", tx, channels * channel_width);
    in("pll_inclk", true, 1);
    in("rx_cruclk", rx && flag("rx_cruclk"), channels);
    // rx_ctrlenable has its place in the symbol, but no configuration uses it.
    in("tx_ctrlenable", tx && endec_8b10b_mode != KVGXB_8B10B_NONE, per_byte);
    in("rx_digitalreset", rx && flag("rx_digitalreset"), digital_reset);
    in("rx_analogreset", rx && flag("rx_analogreset"), channels);
    in("tx_digitalreset", tx && flag("tx_digitalreset"), digital_reset);
    in("gxb_powerdown", flag("gxb_powerdown"), quads);
    in("gxb_enable", flag("gxb_enable"), quads);
    in("rx_locktorefclk", rx && flag("rx_locktorefclk"), channels);
    in("rx_locktodata", rx && flag("rx_locktodata"), channels);
    in("cal_blk_clk", use_calibration_block, 1);
    in("cal_blk_powerdown", use_calibration_block && flag("cal_blk_powerdown"), 1);
    in("rx_enapatternalign", rx && manual_alignment_offered && word_aligner_mode == KVGXB_ALIGNER_MANUAL, channels);
    in("rx_bitslip", rx && word_aligner_mode == KVGXB_ALIGNER_BITSLIP, channels);
    in("tx_forcedisp", tx && flag("tx_forcedisp"), per_byte);
    in("tx_dispval", tx && flag("tx_forcedisp"), per_byte);
    in("rx_seriallpbken", rx && tx && loopback_mode == KVGXB_LOOPBACK_SLB, channels);
    in("tx_revparallellpbken", rx && tx && reverse_loopback_mode == KVGXB_REV_LOOPBACK_RPLB, channels);
    in("rx_a1a2size", rx && sonet_framing, channels);
    in("pipe8b10binvpolarity", pcie && flag("pipe8b10binvpolarity"), channels);
    in("tx_detectrxloop", pcie && flag("tx_detectrxloop"), channels);
    in("tx_forceelecidle", pcie && flag("tx_forceelecidle"), channels);
    in("tx_forcedispcompliance", pcie && flag("tx_forcedispcompliance"), channels);
    in("powerdn", pcie && flag("powerdn"), 2 * channels);
    in("fixedclk", pcie, 1);
    in("reconfig_clk", reconfiguration, 1);
    in("reconfig_togxb", reconfiguration, 3);
    // The transmitter's own core clock has no place of its own in the symbol.
    in("tx_coreclk", tx && flag("tx_coreclk"), channels);

    out("rx_dataout", rx, channels * channel_width);
    out("tx_dataout", tx, channels);
    out("pll_locked", flag("pll_locked"), quads);
    out("rx_pll_locked", rx && flag("rx_pll_locked"), channels);
    out("rx_freqlocked", rx && flag("rx_freqlocked"), channels);
    out("rx_signaldetect", rx && flag("rx_signaldetect"), channels);
    out("rx_byteorderalignstatus", rx && byte_ordering, channels);
    out("rx_clkout", rx && flag("rx_clkout"), channels);
    out("tx_clkout", tx && !bonded, channels);
    out("coreclkout", tx && bonded, quads);
    for (const char* status : {"rx_syncstatus", "rx_patterndetect", "rx_ctrldetect", "rx_errdetect", "rx_disperr"}) {
        out(status, rx && flag(status), per_byte);
    }
    out("rx_rlv", rx && run_length_enable, channels);
    out("rx_rmfifodatainserted", rx && is_rate_matching_on(), channels);
    out("rx_rmfifodatadeleted", rx && is_rate_matching_on(), channels);
    out("rx_a1a2sizeout", rx && sonet_framing, per_byte);
    out("rx_channelaligned", rx && is_protocol(KVGXB_PROTOCOL_XAUI), quads);
    out("pipestatus", pcie && flag("pipestatus"), 3 * channels);
    out("pipedatavalid", pcie && flag("pipedatavalid"), channels);
    out("pipeelecidle", pcie && flag("pipeelecidle"), channels);
    out("pipephydonestatus", pcie && flag("pipephydonestatus"), channels);
    out("reconfig_fromgxb", reconfiguration, 1);
    out("rx_bisterr", rx && flag("rx_bisterr"), channels);
    out("rx_bistdone", rx && flag("rx_bistdone"), channels);
    return ports;
}

// -------------------------------------------------------------- generation

void KVGXB_WIZARD_MODEL::wizard_var_to_param() {
    if (!m_cnx_manager) return;
    const bool basic = is_protocol(KVGXB_PROTOCOL_BASIC);
    const bool gige = is_protocol(KVGXB_PROTOCOL_GIGE);
    const bool coded = endec_8b10b_mode != KVGXB_8B10B_NONE;
    const int mode = operation_mode >= 0 && operation_mode <= 2 ? operation_mode : KVGXB_OPMODE_RX_AND_TX;
    const int clock_period_ps = period_picoseconds(get_inclk_period_ns());
    // The byte serializer doubles the interface width over the (de)serializer's.
    const bool double_data = get_rx_dwidth_factor() == (single_width_mode ? 2 : 4);
    // 8b/10b in its compatibility form everywhere but uncoded, unslipped Basic loopback.
    const bool compatibility = !(basic && single_width_mode && !coded &&
                                 (same(subprotocol, KVGXB_SUB_NO_LOOPBACK) || same(subprotocol, KVGXB_SUB_SERIAL_LOOPBACK)) &&
                                 word_aligner_mode != KVGXB_ALIGNER_BITSLIP);
    const bool skip_set_based = is_protocol(KVGXB_PROTOCOL_PCIE) || (basic && single_width_mode) || gige;

    KVGXB_RECORD_WRITER w(*m_cnx_manager, mode);

    // 1. wizard variables
    w.variable(KVGXB_NAMES::WIZ_TCL_KEY, tcl_key);
    w.variable(KVGXB_NAMES::WIZ_PROTOCOL, protocol);
    w.variable(KVGXB_NAMES::WIZ_SUBPROTOCOL, subprotocol);
    w.variable(KVGXB_NAMES::WIZ_FORCE_DEFAULT_SETTINGS, force_default_settings);
    w.variable(KVGXB_NAMES::WIZ_INPUT_SELECTION, input_selection);
    w.variable(KVGXB_NAMES::WIZ_DATA_RATE, get_data_rate_string());
    w.variable(KVGXB_NAMES::WIZ_INCLK_FREQ, get_inclk_frequency_mhz_string());
    if (input_selection == 0) {
        w.variable(KVGXB_NAMES::WIZ_INCLK_FREQ_ARRAY, join_blank(inclk_frequency_array_list));
        m_cnx_manager->remove_cnx_private(KVGXB_NAMES::WIZ_DATA_RATE_ARRAY);
    } else {
        w.variable(KVGXB_NAMES::WIZ_DATA_RATE_ARRAY, join_blank(data_rate_array_list));
        m_cnx_manager->remove_cnx_private(KVGXB_NAMES::WIZ_INCLK_FREQ_ARRAY);
    }
    w.variable(KVGXB_NAMES::WIZ_INPUT_A, input_a);
    w.variable(KVGXB_NAMES::WIZ_INPUT_A_UNIT, input_a_unit);
    w.variable(KVGXB_NAMES::WIZ_INPUT_B, input_b);
    w.variable(KVGXB_NAMES::WIZ_INPUT_B_UNIT, input_b_unit);
    w.variable(KVGXB_NAMES::WIZ_ENABLE_EQUALIZER_CTRL, enable_equalizer_ctrl);
    w.variable(KVGXB_NAMES::WIZ_EQUALIZER_CTRL_SETTING, equalizer_ctrl_setting);
    w.variable(KVGXB_NAMES::WIZ_RX_VCM, rx_vcm);
    w.variable(KVGXB_NAMES::WIZ_EXTERNAL_RX_TERMINATION, external_rx_termination);
    w.variable(KVGXB_NAMES::WIZ_RX_TERMINATION, rx_termination);
    w.variable(KVGXB_NAMES::WIZ_WORD_ALIGN_FLIP_PATTERN, word_align_flip_pattern);
    w.variable(KVGXB_NAMES::WIZ_VCCHTX, vcchtx);
    w.variable(KVGXB_NAMES::WIZ_TX_VCM, tx_vcm);
    w.variable(KVGXB_NAMES::WIZ_EXTERNAL_TX_TERMINATION, external_tx_termination);
    w.variable(KVGXB_NAMES::WIZ_TX_TERMINATION, tx_termination);
    // The VOD in millivolts; the constant of the same name is its list position.
    w.variable(KVGXB_NAMES::VOD_CTRL_SETTING, vod_ctrl_setting);
    w.variable(KVGXB_NAMES::WIZ_PREEMPHASIS_CTRL_1STPOSTTAP_SETTING, preemp_1st_posttap);
    w.variable(KVGXB_NAMES::WIZ_PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING, preemp_2nd_posttap);
    w.variable(KVGXB_NAMES::WIZ_PREEMPHASIS_CTRL_PRETAP_SETTING, preemp_pretap);
    w.variable(KVGXB_NAMES::RX_FORCE_SIGNAL_DETECT, rx_force_signal_detect);
    w.variable(KVGXB_NAMES::RX_SIGNAL_DETECT_THRESHOLD, rx_signal_detect_threshold);
    w.variable(KVGXB_NAMES::RX_ENABLE_DC_COUPLING, rx_enable_dc_coupling);

    // 2. the module
    m_cnx_manager->add_cnx_module(new CRCNX_ITEM_MODULE(LPM_TYPE, ""));
    w.constant("LPM_TYPE", LPM_TYPE);
    w.constant("PROTOCOL", get_protocol_for_cnx());
    w.constant(KVGXB_NAMES::OPERATION_MODE, OPMODE_PARAM_VALUES[mode]);
    w.constant(KVGXB_NAMES::NUMBER_OF_CHANNELS, number_of_channels);
    w.constant(KVGXB_NAMES::DIGITALRESET_PORT_WIDTH, get_digitalreset_port_width());
    w.constant(KVGXB_NAMES::CMU_PLL_INCLOCK_PERIOD, clock_period_ps);
    w.constant(KVGXB_NAMES::CMU_PLL_LOOP_FILTER_RESISTOR_CONTROL, cmu_pll_bw_str2cmu_pll_bw_int());

    // 3. receiver (the writer drops RX_ constants without a receiver)
    if (mode != KVGXB_OPMODE_TX_ONLY) {
        w.constant(KVGXB_NAMES::RX_CHANNEL_WIDTH, channel_width);
        w.constant(KVGXB_NAMES::RX_USE_DOUBLE_DATA_MODE, double_data);
        w.constant(KVGXB_NAMES::RX_USE_DESERIALIZER_DOUBLE_DATA_MODE, !single_width_mode);
        w.constant("RX_DATA_RATE", get_data_rate_mbps());
        w.constant("RX_DATA_RATE_REMAINDER", get_data_rate_mbps_remainder());
        w.constant(KVGXB_NAMES::RX_BANDWIDTH_MODE, rx_pll_bw_str2rx_pll_bw_int());
        w.constant(KVGXB_NAMES::EQUALIZER_DCGAIN_SETTING, equalizer_dcgain_setting);
        w.constant(KVGXB_NAMES::EQUALIZER_CTRL_A_SETTING, get_equalizer_ctrl_a_setting());
        w.constant(KVGXB_NAMES::EQUALIZER_CTRL_B_SETTING, get_equalizer_ctrl_b_setting());
        w.constant(KVGXB_NAMES::EQUALIZER_CTRL_C_SETTING, get_equalizer_ctrl_c_setting());
        w.constant(KVGXB_NAMES::EQUALIZER_CTRL_D_SETTING, get_equalizer_ctrl_d_setting());
        w.constant(KVGXB_NAMES::EQUALIZER_CTRL_V_SETTING, get_equalizer_ctrl_v_setting());
        w.constant(KVGXB_NAMES::RX_COMMON_MODE, rx_common_mode_text(rx_vcm));
        w.constant(KVGXB_NAMES::RX_FORCE_SIGNAL_DETECT, rx_force_signal_detect);
        w.constant(KVGXB_NAMES::RX_SIGNAL_DETECT_THRESHOLD, rx_signal_detect_threshold);
        w.constant(KVGXB_NAMES::RECEIVER_TERMINATION, get_rx_termination_str());
        w.constant("RX_DPRIO_MODE", dprio_enum2string(dprio_type));
        w.constant(KVGXB_NAMES::STARTING_CHANNEL_NUMBER, starting_channel_number);
        w.constant("RX_PPMSELECT", ppm_displayed2ppm_actual(rx_ppm));
        w.constant(KVGXB_NAMES::RX_ENABLE_SELF_TEST_MODE, selftest_mode != KVGXB_SELFTEST_NONE);
        w.constant(KVGXB_NAMES::RX_SELF_TEST_MODE, selftest_enum2string(selftest_mode));
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_FIFO_MODE, rmfifo_enum2string(rate_match_fifo_mode));
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_PATTERN_SIZE, rate_match_pattern_size);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_PATTERN1, rate_match_pattern1);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_PATTERN2, rate_match_pattern2);
        w.constant(KVGXB_NAMES::RX_USE_RATE_MATCH_PATTERN1_ONLY, false);
        w.constant(KVGXB_NAMES::RX_RATE_MATCH_SKIP_SET_BASED, skip_set_based);
        w.constant(KVGXB_NAMES::RX_RUN_LENGTH_ENABLE, run_length_enable);
        w.constant(KVGXB_NAMES::RX_RUN_LENGTH, run_length);
        w.constant(KVGXB_NAMES::RX_8B_10B_MODE, endecoder_8b10b_enum2string(endec_8b10b_mode));
        w.constant(KVGXB_NAMES::RX_8B_10B_COMPATIBILITY_MODE, compatibility);
        w.constant(KVGXB_NAMES::RX_BYTE_ORDERING_MODE, byte_order_enum2str(byte_order_mode));
        w.constant(KVGXB_NAMES::RX_BYTE_ORDER_PATTERN, byte_order_pattern);
        w.constant(KVGXB_NAMES::RX_BYTE_ORDER_PAD_PATTERN, byte_order_pad_pattern);
        w.constant(KVGXB_NAMES::RX_ENABLE_LOCK_TO_REFCLK_SIG, is_port_used("rx_locktorefclk"));
        w.constant(KVGXB_NAMES::RX_ENABLE_LOCK_TO_DATA_SIG, is_port_used("rx_locktodata"));
    }

    // 4. transmitter
    if (mode != KVGXB_OPMODE_RX_ONLY) {
        w.constant(KVGXB_NAMES::TX_CHANNEL_WIDTH, channel_width);
        w.constant(KVGXB_NAMES::TX_USE_DOUBLE_DATA_MODE, double_data);
        w.constant(KVGXB_NAMES::TX_USE_SERIALIZER_DOUBLE_DATA_MODE, !single_width_mode);
        w.constant("TX_DATA_RATE", get_data_rate_mbps());
        w.constant(KVGXB_NAMES::TX_DATA_RATE_REMAINDER, get_data_rate_mbps_remainder());
        w.constant(KVGXB_NAMES::TX_ANALOG_POWER, vcchtx + "v");
        w.constant(KVGXB_NAMES::TX_COMMON_MODE, tx_common_mode_text(tx_vcm));
        w.constant(KVGXB_NAMES::PREEMPHASIS_CTRL_1STPOSTTAP_SETTING, preemp_1st_posttap);
        w.constant(KVGXB_NAMES::PREEMPHASIS_CTRL_2NDPOSTTAP_INV_SETTING, preemp_2nd_posttap < 0);
        w.constant(KVGXB_NAMES::PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING, std::abs(preemp_2nd_posttap));
        w.constant(KVGXB_NAMES::PREEMPHASIS_CTRL_PRETAP_INV_SETTING, preemp_pretap < 0);
        w.constant(KVGXB_NAMES::PREEMPHASIS_CTRL_PRETAP_SETTING, std::abs(preemp_pretap));
        w.constant(KVGXB_NAMES::VOD_CTRL_SETTING, get_vod_iter_setting());
        w.constant(KVGXB_NAMES::TRANSMITTER_TERMINATION, get_tx_termination_str());
        w.constant("TX_DPRIO_MODE", dprio_enum2string(dprio_type));
        w.constant(KVGXB_NAMES::STARTING_CHANNEL_NUMBER, starting_channel_number);
        w.constant(KVGXB_NAMES::TX_ENABLE_SELF_TEST_MODE, selftest_mode != KVGXB_SELFTEST_NONE);
        w.constant(KVGXB_NAMES::TX_SELF_TEST_MODE, selftest_enum2string(selftest_mode));
        w.constant(KVGXB_NAMES::TX_8B_10B_MODE, endecoder_8b10b_enum2string(endec_8b10b_mode));
        w.constant(KVGXB_NAMES::TX_8B_10B_COMPATIBILITY_MODE, compatibility);
        w.constant(KVGXB_NAMES::TX_ENABLE_IDLE_SELECTION, gige);
    }

    // 5. calibration and loopback
    w.constant(KVGXB_NAMES::USE_CALIBRATION_BLOCK, use_calibration_block);
    w.constant(KVGXB_NAMES::LOOPBACK_MODE, loopback_mode_enum2string(loopback_mode));
    w.constant(KVGXB_NAMES::REVERSE_LOOPBACK_MODE, reverse_loopback_mode_enum2string(reverse_loopback_mode));

    // 6. the clocking constants that go with the ports
    w.constant(KVGXB_NAMES::RX_USE_CRUCLK, is_port_used("rx_cruclk"));
    if (is_port_used("rx_cruclk")) w.constant(KVGXB_NAMES::RX_CRU_INCLOCK_PERIOD, clock_period_ps);
    w.constant(KVGXB_NAMES::RX_USE_CLKOUT, is_port_used("rx_clkout"));

    // 7. the protocol's datapath
    write_datapath_constants(*this, w);

    for (const KVGXB_USED_PORT& port : get_used_ports()) w.port(port);
}

// --------------------------------------------------------------- read-back

void KVGXB_WIZARD_MODEL::param_to_wizard_var() {
    if (!m_cnx_manager) return;
    const KVGXB_RECORD_READER r(*m_cnx_manager);

    tcl_key = r.variable(KVGXB_NAMES::WIZ_TCL_KEY, "VELARISIIGX_CONFIG_MODE_BASIC_2G_1");
    protocol = r.variable(KVGXB_NAMES::WIZ_PROTOCOL, KVGXB_PROTOCOL_BASIC);
    subprotocol = r.variable(KVGXB_NAMES::WIZ_SUBPROTOCOL, KVGXB_SUB_NO_LOOPBACK);
    if (same(subprotocol, "5G")) subprotocol = "OC96";
    force_default_settings = r.variable(KVGXB_NAMES::WIZ_FORCE_DEFAULT_SETTINGS, false);
    input_selection = r.variable(KVGXB_NAMES::WIZ_INPUT_SELECTION, 0);
    input_a = r.variable(KVGXB_NAMES::WIZ_INPUT_A, "2500");
    input_a_unit = r.variable(KVGXB_NAMES::WIZ_INPUT_A_UNIT, "Mbps");
    input_b = r.variable(KVGXB_NAMES::WIZ_INPUT_B, "62.2");
    input_b_unit = r.variable(KVGXB_NAMES::WIZ_INPUT_B_UNIT, "MHz");
    if (const CRCNX_ITEM_PRIVATE* clocks = m_cnx_manager->find_cnx_private(KVGXB_NAMES::WIZ_INCLK_FREQ_ARRAY)) {
        split_blank(clocks->get_value(), inclk_frequency_array_list);
    } else if (input_selection == 0) {
        inclk_frequency_array_list.RemoveAll();
        inclk_frequency_array_list.Add(input_b);
    }
    if (const CRCNX_ITEM_PRIVATE* rates = m_cnx_manager->find_cnx_private(KVGXB_NAMES::WIZ_DATA_RATE_ARRAY)) {
        split_blank(rates->get_value(), data_rate_array_list);
    }
    enable_equalizer_ctrl = r.variable(KVGXB_NAMES::WIZ_ENABLE_EQUALIZER_CTRL, false);
    equalizer_ctrl_setting = r.variable(KVGXB_NAMES::WIZ_EQUALIZER_CTRL_SETTING, 0);
    rx_vcm = r.variable(KVGXB_NAMES::WIZ_RX_VCM, "0.85");
    external_rx_termination = r.variable(KVGXB_NAMES::WIZ_EXTERNAL_RX_TERMINATION, false);
    rx_termination = r.variable(KVGXB_NAMES::WIZ_RX_TERMINATION, 100);
    word_align_flip_pattern = r.variable(KVGXB_NAMES::WIZ_WORD_ALIGN_FLIP_PATTERN, false);
    vcchtx = r.variable(KVGXB_NAMES::WIZ_VCCHTX, "1.5");
    tx_vcm = r.variable(KVGXB_NAMES::WIZ_TX_VCM, "0.7");
    external_tx_termination = r.variable(KVGXB_NAMES::WIZ_EXTERNAL_TX_TERMINATION, false);
    tx_termination = r.variable(KVGXB_NAMES::WIZ_TX_TERMINATION, 100);
    vod_ctrl_setting = r.variable(KVGXB_NAMES::VOD_CTRL_SETTING, 0);
    preemp_1st_posttap = r.variable(KVGXB_NAMES::WIZ_PREEMPHASIS_CTRL_1STPOSTTAP_SETTING, 1);
    preemp_2nd_posttap = r.variable(KVGXB_NAMES::WIZ_PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING, 1);
    preemp_pretap = r.variable(KVGXB_NAMES::WIZ_PREEMPHASIS_CTRL_PRETAP_SETTING, 1);
    rx_force_signal_detect = r.variable(KVGXB_NAMES::RX_FORCE_SIGNAL_DETECT, false);
    rx_signal_detect_threshold = r.variable(KVGXB_NAMES::RX_SIGNAL_DETECT_THRESHOLD, 2);
    rx_enable_dc_coupling = r.variable(KVGXB_NAMES::RX_ENABLE_DC_COUPLING, false);

    const CString mode = r.constant(KVGXB_NAMES::OPERATION_MODE, "duplex");
    operation_mode = KVGXB_OPMODE_RX_AND_TX;
    for (int m = 0; m < 3; ++m) {
        if (same(mode, OPMODE_PARAM_VALUES[m])) operation_mode = m;
    }
    number_of_channels = r.constant(KVGXB_NAMES::NUMBER_OF_CHANNELS, 8);
    cmu_pll_bw = cmu_pll_bw_int2cmu_pll_bw_str(r.constant(KVGXB_NAMES::CMU_PLL_LOOP_FILTER_RESISTOR_CONTROL, 3));
    use_calibration_block = r.constant(KVGXB_NAMES::USE_CALIBRATION_BLOCK, true);
    loopback_mode = loopback_mode_string2enum(r.constant(KVGXB_NAMES::LOOPBACK_MODE, "none"));
    reverse_loopback_mode = reverse_loopback_mode_string2enum(r.constant(KVGXB_NAMES::REVERSE_LOOPBACK_MODE, "none"));

    channel_width = bwizc_global_str2int(r.receiver(KVGXB_NAMES::RX_CHANNEL_WIDTH, KVGXB_NAMES::TX_CHANNEL_WIDTH, "8"));
    single_width_mode = !is_true(r.receiver(KVGXB_NAMES::RX_USE_DESERIALIZER_DOUBLE_DATA_MODE,
                                            KVGXB_NAMES::TX_USE_SERIALIZER_DOUBLE_DATA_MODE, "false"));
    endec_8b10b_mode = endecoder_8b10b_string2enum(
        r.receiver(KVGXB_NAMES::RX_8B_10B_MODE, KVGXB_NAMES::TX_8B_10B_MODE, "normal"));
    selftest_mode =
        selftest_string2enum(r.receiver(KVGXB_NAMES::RX_SELF_TEST_MODE, KVGXB_NAMES::TX_SELF_TEST_MODE, "prbs_7"));
    dprio_type = dprio_string2enum(r.receiver("RX_DPRIO_MODE", "TX_DPRIO_MODE", "none"));
    starting_channel_number = r.constant(KVGXB_NAMES::STARTING_CHANNEL_NUMBER, 0);

    rx_pll_bw = rx_pll_bw_int2rx_pll_bw_str(r.constant(KVGXB_NAMES::RX_BANDWIDTH_MODE, 1));
    equalizer_dcgain_setting = r.constant(KVGXB_NAMES::EQUALIZER_DCGAIN_SETTING, 0);
    const CString ppm = ppm_actual2ppm_displayed(r.constant("RX_PPMSELECT", 32));
    rx_ppm = ppm.IsEmpty() ? CString("+/- 1000") : ppm;
    rate_match_fifo_mode = rmfifo_string2enum(r.constant(KVGXB_NAMES::RX_RATE_MATCH_FIFO_MODE, "none"));
    rate_match_pattern_size = r.constant(KVGXB_NAMES::RX_RATE_MATCH_PATTERN_SIZE, 20);
    rate_match_pattern1 = r.constant(KVGXB_NAMES::RX_RATE_MATCH_PATTERN1, "11010000111010000011");
    rate_match_pattern2 = r.constant(KVGXB_NAMES::RX_RATE_MATCH_PATTERN2, "00101111000101111100");
    run_length_enable = r.constant(KVGXB_NAMES::RX_RUN_LENGTH_ENABLE, false);
    run_length = r.constant(KVGXB_NAMES::RX_RUN_LENGTH, 20);
    byte_order_mode = byte_order_str2enum(r.constant(KVGXB_NAMES::RX_BYTE_ORDERING_MODE, "none"));
    byte_order_pattern = r.constant(KVGXB_NAMES::RX_BYTE_ORDER_PATTERN, "111111011");
    byte_order_pad_pattern = r.constant(KVGXB_NAMES::RX_BYTE_ORDER_PAD_PATTERN, "000000000");

    if (r.constant(KVGXB_NAMES::RX_BITSLIP_ENABLE, "NOT_RX") == "NOT_RX" &&
        r.constant(KVGXB_NAMES::RX_USE_ALIGN_STATE_MACHINE, "NOT_RX") == "NOT_RX") {
        // A transmitter-only variation records no aligner: the protocol's
        // own, set by the first update cycle, stands (and shows in its summary).
    } else if (r.constant(KVGXB_NAMES::RX_BITSLIP_ENABLE, false)) {
        word_aligner_mode = KVGXB_ALIGNER_BITSLIP;
    } else if (r.constant(KVGXB_NAMES::RX_USE_ALIGN_STATE_MACHINE, false) &&
               !(same(protocol, KVGXB_PROTOCOL_BASIC) && same(subprotocol, KVGXB_SUB_PARALLEL_BIST))) {
        // Basic's parallel loopback writes the state machine whatever the
        // aligner is set to; there the flag says nothing of the user's choice.
        word_aligner_mode = KVGXB_ALIGNER_AUTOMATIC;
    } else {
        word_aligner_mode = KVGXB_ALIGNER_MANUAL;
    }
    align_pattern_length = r.constant(KVGXB_NAMES::RX_ALIGN_PATTERN_LENGTH, 10);
    align_pattern = r.constant(KVGXB_NAMES::RX_ALIGN_PATTERN, "0101111100");
    allow_align_polarity_inversion = r.constant(KVGXB_NAMES::RX_ALLOW_ALIGN_POLARITY_INVERSION, false);
    rising_edge_pattern_align = r.constant(KVGXB_NAMES::RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN, false);
    use_phase_comp_fifo = r.constant("RX_USE_PHASE_COMP_FIFO", false);
    align_loss_sync_error_num = r.constant(KVGXB_NAMES::RX_ALIGN_LOSS_SYNC_ERROR_NUM, 1);
    num_align_cons_good_data = r.constant(KVGXB_NAMES::RX_NUM_ALIGN_CONS_GOOD_DATA, 1);
    num_align_cons_pat = r.constant(KVGXB_NAMES::RX_NUM_ALIGN_CONS_PAT, 1);
    rx_enable_bit_reversal = r.constant(KVGXB_NAMES::RX_ENABLE_BIT_REVERSAL, false);
    rx_flip_rx_out = r.constant(KVGXB_NAMES::RX_FLIP_RX_OUT, false);
    tx_flip_tx_in = r.constant(KVGXB_NAMES::TX_FLIP_TX_IN, false);
    tx_force_disparity_mode = r.constant(KVGXB_NAMES::TX_FORCE_DISPARITY_MODE, false);
    tx_enable_bit_reversal = r.constant(KVGXB_NAMES::TX_ENABLE_BIT_REVERSAL, false);
    tx_allow_polarity_inversion = r.constant(KVGXB_NAMES::TX_ALLOW_POLARITY_INVERSION, false);

    for (const char* port : FLAGGED_PORTS) set_port_used(port, r.has_port(port));

    // What was read is what the pages show: no change is pending.
    previous_protocol = protocol;
    previous_input_selection = input_selection;
    previous_input_b_unit = input_b_unit;
    protocol_changed = subprotocol_changed = force_default_changed = false;
    deserializer_width_changed = channel_width_changed = false;
    input_selection_changed = input_b_changed = input_b_unit_changed = false;
    current_preset_index = -1;
    for (int i = 0; i < get_preset_count(); ++i) {
        if (get_preset(i)->config_key == tcl_key) current_preset_index = i;
    }
}

// Matching reads back only what the records it matched against carry: a
// setting without a record (a receiver setting of a transmitter-only
// variation, say) keeps the model's value.
void KVGXB_WIZARD_MODEL::param_to_wizard_var_init_complete() {
    if (!m_cnx_manager) return;
    CString value;
    auto read = [&](const char* name) { return lookup_description_value(name, value) != DESC_KIND::NONE; };
    auto read_side = [&](const char* rx_name, const char* tx_name) { return read(rx_name) || read(tx_name); };

    protocol = read(KVGXB_NAMES::WIZ_PROTOCOL) ? value : CString(KVGXB_PROTOCOL_BASIC);
    if (read(KVGXB_NAMES::WIZ_SUBPROTOCOL)) subprotocol = value;
    if (read(KVGXB_NAMES::WIZ_DATA_RATE)) data_rate_field() = value;
    if (read(KVGXB_NAMES::RX_ENABLE_DC_COUPLING)) rx_enable_dc_coupling = is_true(value);
    if (read(KVGXB_NAMES::OPERATION_MODE)) {
        for (int mode = 0; mode < 3; ++mode) {
            if (same(value, OPMODE_PARAM_VALUES[mode])) operation_mode = mode;
        }
    }
    if (read(KVGXB_NAMES::REVERSE_LOOPBACK_MODE)) reverse_loopback_mode = reverse_loopback_mode_string2enum(value);
    if (read(KVGXB_NAMES::NUMBER_OF_CHANNELS)) number_of_channels = bwizc_global_str2int(value);
    if (read_side(KVGXB_NAMES::RX_CHANNEL_WIDTH, KVGXB_NAMES::TX_CHANNEL_WIDTH)) {
        channel_width = bwizc_global_str2int(value);
    }
    if (read_side(KVGXB_NAMES::RX_USE_DESERIALIZER_DOUBLE_DATA_MODE, KVGXB_NAMES::TX_USE_SERIALIZER_DOUBLE_DATA_MODE)) {
        single_width_mode = !is_true(value);
    }
    if (read(KVGXB_NAMES::USE_CALIBRATION_BLOCK)) use_calibration_block = is_true(value);
    if (read_side(KVGXB_NAMES::RX_SELF_TEST_MODE, KVGXB_NAMES::TX_SELF_TEST_MODE)) {
        // The database spells the PRBS modes without the underscore.
        if (same(value, "prbs10")) value = "prbs_10";
        if (same(value, "prbs7")) value = "prbs_7";
        selftest_mode = selftest_string2enum(value);
    }
    if (read(KVGXB_NAMES::RX_RATE_MATCH_FIFO_MODE)) rate_match_fifo_mode = rmfifo_string2enum(value);
    if (read(KVGXB_NAMES::RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN)) rising_edge_pattern_align = is_true(value);
    const bool has_length = read(KVGXB_NAMES::RX_ALIGN_PATTERN_LENGTH);
    if (has_length) align_pattern_length = bwizc_global_str2int(value);
    if (read(KVGXB_NAMES::RX_ALIGN_PATTERN)) {
        align_pattern = value;
    } else if (has_length && !get_default_align_pattern(align_pattern_length).IsEmpty()) {
        align_pattern = get_default_align_pattern(align_pattern_length);
    }
    if (read(KVGXB_NAMES::RX_BYTE_ORDERING_MODE)) byte_order_mode = byte_order_str2enum(value);
    if (read(KVGXB_NAMES::RX_BYTE_ORDER_PATTERN)) byte_order_pattern = value;
    if (read_side(KVGXB_NAMES::RX_8B_10B_MODE, KVGXB_NAMES::TX_8B_10B_MODE)) {
        endec_8b10b_mode = endecoder_8b10b_string2enum(value);
    }
    if (read(KVGXB_NAMES::RX_RUN_LENGTH)) run_length = bwizc_global_str2int(value);
    if (read(KVGXB_NAMES::RX_RATE_MATCH_PATTERN_SIZE)) rate_match_pattern_size = bwizc_global_str2int(value);
    if (read(KVGXB_NAMES::RX_USE_PIPE8B10BINVPOLARITY)) set_port_used("pipe8b10binvpolarity", is_true(value));
    if (read(KVGXB_NAMES::RX_FLIP_RX_OUT)) rx_flip_rx_out = is_true(value);
    if (read(KVGXB_NAMES::TX_FLIP_TX_IN)) tx_flip_tx_in = is_true(value);
    // A port left out for want of a receiver or a protocol still keeps its flag.
    for (const char* port : FLAGGED_PORTS) {
        if (m_cnx_manager->find_cnx_port(port)) set_port_used(port, true);
    }
}

// ---------------------------------------------------------------- summary

CStringArray KVGXB_WIZARD_MODEL::get_symbol_summary_lines() {
    const bool rx = operation_mode != KVGXB_OPMODE_TX_ONLY;
    const bool tx = operation_mode != KVGXB_OPMODE_RX_ONLY;
    CStringArray lines;
    CString line;
    auto add = [&](const CString& text) { lines.Add(text); };

    add(same(subprotocol, KVGXB_SUBPROTOCOL_NA) ? "Protocol: " + protocol : "Protocol: " + protocol + " " + subprotocol);
    add("Operation mode: " + opmode_enum2string(operation_mode));
    line.Format("Data rate: %d mbps", get_data_rate_mbps());
    add(line);
    const bool as_frequency = input_selection == 1 || (input_selection == 0 && same(input_b_unit, "MHz"));
    if (as_frequency) line.Format("inclk frequency: %.2f MHz", get_inclk_frequency_mhz());
    else line.Format("inclk frequency: %.3f ns", get_inclk_period_ns());
    add(line);
    add("GXB Transmitter PLL bandwidth mode: " + cmu_pll_bw);
    if (rx) {
        add("RX PLL bandwidth mode: " + rx_pll_bw);
        add("RX Vcm: " + rx_vcm);
    }
    if (rx_force_signal_detect) {
        add("Force RX signal detection");
    } else {
        line.Format("Signal detect threshold: %d", rx_signal_detect_threshold);
        add(line);
    }
    if (rx_enable_dc_coupling) add("Enable RX DC coupling");
    if (tx) {
        add("VCCHTX: " + vcchtx);
        add("TX Vcm: " + tx_vcm);
        line.Format("Preemphasis setting: %d", preemp_1st_posttap);
        add(line);
    }
    add("Self Test mode: " + selftest_enum2string(selftest_mode));
    if (!is_protocol(KVGXB_PROTOCOL_CEI)) {
        if (word_aligner_mode == KVGXB_ALIGNER_BITSLIP) add("Word alignment: bitslip");
        else if (word_aligner_mode == KVGXB_ALIGNER_AUTOMATIC) add("Word alignment: sync state machine");
        else add("Word alignment: manual word alignment");
        if (rx) {
            line.Format("Word alignment width: %d", align_pattern_length);
            add(line);
            add("Word alignment pattern: " + align_pattern);
        }
    }
    if (rx && run_length_enable) {
        line.Format("Run-length: %d", run_length);
        add(line);
    }
    if (endec_8b10b_mode != KVGXB_8B10B_NONE) add("8b10b mode: " + endecoder_8b10b_enum2string(endec_8b10b_mode));
    if (rx && is_rate_matching_on()) {
        add("Rate match fifo mode: " + rmfifo_enum2string(rate_match_fifo_mode));
        add("Rate match pattern1: " + binary2hex(rate_match_pattern1));
        add("Rate match pattern2: " + binary2hex(rate_match_pattern2));
    }
    if (rx && byte_order_mode != KVGXB_BYTE_ORDER_NONE) {
        add("Byte order mode: " + byte_order_enum2str(byte_order_mode));
        add("Byte ordering pattern: " + binary2hex(byte_order_pattern));
        add("Byte ordering pad pattern: " + binary2hex(byte_order_pad_pattern));
    }
    return lines;
}
