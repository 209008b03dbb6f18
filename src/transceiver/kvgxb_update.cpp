// The update cycle: protocol and subprotocol defaults, the forcing rules that
// keep a configuration legal, and the feasibility verdict.
#include <cstdlib>

#include "support/bwizc_global.h"
#include "transceiver/kvgxb.h"

namespace {

bool same(const CString& a, const char* b) { return a.CompareNoCase(b) == 0; }

// Brings a pattern to length: "0" in front when short, the rightmost
// characters when long.
CString fit_pattern(const CString& pattern, int length) {
    if (pattern.GetLength() > length) return pattern.Right(length);
    CString fitted = pattern;
    while (fitted.GetLength() < length) fitted = "0" + fitted;
    return fitted;
}

// XAUI and GIGE share their 8b/10b link layer: automatic alignment on the
// comma, rate matching on their own skip patterns, the status ports.
void apply_ethernet_family_defaults(KVGXB_WIZARD_MODEL& m, const char* rate_match_1, const char* rate_match_2) {
    m.word_aligner_mode = KVGXB_ALIGNER_AUTOMATIC;
    m.align_pattern = "0101111100";
    m.align_pattern_length = 10;
    m.word_align_flip_pattern = false;
    m.align_loss_sync_error_num = 3;
    m.endec_8b10b_mode = KVGXB_8B10B_NORMAL;
    m.rate_match_fifo_mode = KVGXB_RMFIFO_NORMAL;
    m.rate_match_pattern1 = rate_match_1;
    m.rate_match_pattern2 = rate_match_2;
    m.byte_order_mode = KVGXB_BYTE_ORDER_NONE;
    m.use_phase_comp_fifo = false;
    m.set_port_used("rx_clkout", false);
    for (const char* port : {"rx_ctrldetect", "rx_errdetect", "rx_disperr"}) m.set_port_used(port, true);
    if (m.force_default_changed) {
        m.set_port_used("rx_syncstatus", true);
        m.set_port_used("rx_patterndetect", true);
        m.run_length_enable = true;
    }
    m.loopback_mode = KVGXB_LOOPBACK_NONE;
    m.reverse_loopback_mode = KVGXB_REV_LOOPBACK_NONE;
    m.selftest_mode = KVGXB_SELFTEST_NONE;
}

}  // namespace

bool KVGXB_WIZARD_MODEL::is_loopback_subprotocol() const {
    return same(subprotocol, KVGXB_SUB_NO_LOOPBACK) || same(subprotocol, KVGXB_SUB_SERIAL_LOOPBACK);
}

bool KVGXB_WIZARD_MODEL::is_prbs_subprotocol() const {
    return same(subprotocol, KVGXB_SUB_PRBS_SERIAL_LOOPBACK) || same(subprotocol, KVGXB_SUB_PRBS_NO_LOOPBACK);
}

bool KVGXB_WIZARD_MODEL::is_rate_matching_on() const {
    return endec_8b10b_mode != KVGXB_8B10B_NONE && rate_match_fifo_mode != KVGXB_RMFIFO_NONE;
}

int KVGXB_WIZARD_MODEL::get_required_byte_order_length() const {
    if (endec_8b10b_mode != KVGXB_8B10B_NONE) return 9;
    if (single_width_mode) return 10;
    return channel_width == 40 ? 10 : 8;
}

bool KVGXB_WIZARD_MODEL::is_byte_order_allowed_in_basic() const {
    if (single_width_mode) return false;
    return is_loopback_subprotocol() && channel_width == 32 && !is_rate_matching_on();
}

// ------------------------------------------------------ fixed defaults

void KVGXB_WIZARD_MODEL::set_input_selection_to_data_rate() {
    if (input_selection == 0) return;
    previous_input_selection = input_selection;
    input_selection = 0;
    apply_input_selection_change();
}

void KVGXB_WIZARD_MODEL::apply_fixed_common_defaults() {
    cmu_pll_bw = "High";
    rx_pll_bw = "Medium";
    rx_flip_rx_out = false;
    tx_flip_tx_in = false;
    current_preset_index = get_protocol_group_first_index(protocol);
}

void KVGXB_WIZARD_MODEL::set_xaui_defaults() {
    apply_fixed_common_defaults();
    operation_mode = KVGXB_OPMODE_RX_AND_TX;
    number_of_channels = 4;
    single_width_mode = true;
    channel_width = 16;
    set_input_selection_to_data_rate();
    set_data_rate_mbps(3125);
    set_inclk_frequency_mhz(156.25f);
    apply_ethernet_family_defaults(*this, "1101000011", "0010111100");
}

void KVGXB_WIZARD_MODEL::set_gige_defaults() {
    apply_fixed_common_defaults();
    single_width_mode = true;
    set_input_selection_to_data_rate();
    set_data_rate_mbps(1250);
    set_inclk_frequency_mhz(125);
    apply_ethernet_family_defaults(*this, "10100010010101111100", "10101101101010000011");
}

void KVGXB_WIZARD_MODEL::set_pci_defaults() {
    apply_fixed_common_defaults();
    operation_mode = KVGXB_OPMODE_RX_AND_TX;
    single_width_mode = true;
    set_input_selection_to_data_rate();
    set_data_rate_mbps(2500);
    set_inclk_frequency_mhz(100);
    word_aligner_mode = KVGXB_ALIGNER_MANUAL;
    align_pattern = "0101111100";
    align_pattern_length = 10;
    word_align_flip_pattern = false;
    endec_8b10b_mode = KVGXB_8B10B_NORMAL;
    rate_match_fifo_mode = KVGXB_RMFIFO_NORMAL;
    rate_match_pattern1 = "11010000111010000011";
    rate_match_pattern2 = "00101111000101111100";
    byte_order_mode = KVGXB_BYTE_ORDER_NONE;
    use_phase_comp_fifo = false;
    set_port_used("rx_clkout", false);
    vod_ctrl_setting = 960;
    set_tx_preemp_tap_1(10);
    loopback_mode = KVGXB_LOOPBACK_NONE;
    reverse_loopback_mode = KVGXB_REV_LOOPBACK_RPLB;
    selftest_mode = KVGXB_SELFTEST_NONE;
    for (const char* port : {"pipe8b10binvpolarity", "pipestatus", "pipedatavalid", "pipeelecidle",
                             "pipephydonestatus", "tx_detectrxloop", "tx_forceelecidle", "tx_forcedispcompliance",
                             "powerdn", "rx_syncstatus", "rx_patterndetect", "rx_ctrldetect", "rx_errdetect",
                             "rx_disperr"}) {
        set_port_used(port, true);
    }
    if (force_default_settings) run_length_enable = true;
}

void KVGXB_WIZARD_MODEL::set_cei_phy_defaults() {
    apply_fixed_common_defaults();
    single_width_mode = false;
    set_input_selection_to_data_rate();
    input_a_unit = "Mbps";
    word_aligner_mode = KVGXB_ALIGNER_BITSLIP;
    word_align_flip_pattern = false;
    endec_8b10b_mode = KVGXB_8B10B_NONE;
    rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
    byte_order_mode = KVGXB_BYTE_ORDER_NONE;
    use_phase_comp_fifo = true;
    set_port_used("rx_clkout", true);
    set_port_used("rx_syncstatus", true);
    set_port_used("rx_patterndetect", true);
    loopback_mode = KVGXB_LOOPBACK_NONE;
    reverse_loopback_mode = KVGXB_REV_LOOPBACK_NONE;
    selftest_mode = KVGXB_SELFTEST_NONE;
}

void KVGXB_WIZARD_MODEL::set_sdi_defaults() {
    apply_fixed_common_defaults();
    single_width_mode = true;
    channel_width = 10;
    set_input_selection_to_data_rate();
    set_data_rate_mbps(1485);
    set_inclk_frequency_mhz(74.25f);
    word_aligner_mode = KVGXB_ALIGNER_BITSLIP;
    word_align_flip_pattern = false;
    endec_8b10b_mode = KVGXB_8B10B_NONE;
    rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
    byte_order_mode = KVGXB_BYTE_ORDER_NONE;
    set_port_used("rx_clkout", true);
    loopback_mode = KVGXB_LOOPBACK_NONE;
    reverse_loopback_mode = KVGXB_REV_LOOPBACK_NONE;
    selftest_mode = KVGXB_SELFTEST_NONE;
}

void KVGXB_WIZARD_MODEL::set_basic_defaults() {
    apply_fixed_common_defaults();
    // Basic starts as a single-width transceiver; 3125 Mbps is its top rate.
    single_width_mode = true;
    set_data_rate_mbps(3125);
    align_pattern = "0101111100";
    align_pattern_length = 10;
    word_align_flip_pattern = false;
    loopback_mode = KVGXB_LOOPBACK_NONE;
    reverse_loopback_mode = KVGXB_REV_LOOPBACK_NONE;
    force_default_settings = false;
}

void KVGXB_WIZARD_MODEL::set_sonet_defaults() {
    apply_fixed_common_defaults();
    const bool known = same(subprotocol, "OC12") || same(subprotocol, "OC48") || same(subprotocol, "OC96");
    // Without forced defaults a subprotocol SONET does not know falls back to
    // OC12; forced defaults for such a subprotocol are OC12's, so it is named too.
    if (!force_default_settings) {
        if (known) return;
        subprotocol = "OC12";
        set_input_selection_to_data_rate();
    } else if (!known) {
        subprotocol = "OC12";
    }
    if (same(subprotocol, "OC96")) {
        set_data_rate_mbps(4976);
        set_inclk_frequency_mhz(124.4f);
        single_width_mode = false;
        word_aligner_mode = KVGXB_ALIGNER_AUTOMATIC;
        rising_edge_pattern_align = false;
    } else {
        data_rate_unit() = "Mbps";
        if (same(subprotocol, "OC48")) {
            set_data_rate_mbps(2488.32f);
            set_inclk_frequency_mhz(77.76f);
            channel_width = 16;
            byte_order_mode = KVGXB_BYTE_ORDER_SYNCSTATUS;
            byte_order_pattern = "0000010100";
            byte_order_pad_pattern = "0001101111";
        } else {
            set_data_rate_mbps(622);
            set_inclk_frequency_mhz(62.2f);
            channel_width = 8;
        }
        single_width_mode = true;
        rising_edge_pattern_align = true;
    }
    set_port_used("rx_syncstatus", true);
    set_port_used("rx_patterndetect", true);
    run_length_enable = true;
}

void KVGXB_WIZARD_MODEL::apply_fixed_protocol_defaults() {
    if (is_protocol(KVGXB_PROTOCOL_XAUI)) set_xaui_defaults();
    else if (is_protocol(KVGXB_PROTOCOL_GIGE)) set_gige_defaults();
    else if (is_protocol(KVGXB_PROTOCOL_PCIE)) set_pci_defaults();
    else if (is_protocol(KVGXB_PROTOCOL_CEI)) set_cei_phy_defaults();
    else if (is_protocol(KVGXB_PROTOCOL_SDI)) set_sdi_defaults();
    else if (is_protocol(KVGXB_PROTOCOL_SONET)) set_sonet_defaults();
    else if (is_protocol(KVGXB_PROTOCOL_BASIC)) set_basic_defaults();

    // Built-in self-test patterns that only Basic loopback can carry.
    if (!is_protocol(KVGXB_PROTOCOL_BASIC)) {
        if (selftest_mode == KVGXB_SELFTEST_PRBS_7 || selftest_mode == KVGXB_SELFTEST_PRBS_8 ||
            selftest_mode == KVGXB_SELFTEST_PRBS_10 || selftest_mode == KVGXB_SELFTEST_PRBS_23) {
            selftest_mode = KVGXB_SELFTEST_NONE;
        }
    } else if (loopback_mode == KVGXB_LOOPBACK_NONE) {
        selftest_mode = KVGXB_SELFTEST_NONE;
    }
}

// ----------------------------------------------------- subprotocol defaults

void KVGXB_WIZARD_MODEL::apply_subprotocol_defaults() {
    if (is_protocol(KVGXB_PROTOCOL_BASIC)) {
        const CString none_coded_prefix = endec_8b10b_mode == KVGXB_8B10B_NONE ? "0" : "";
        if (same(subprotocol, KVGXB_SUB_NO_LOOPBACK) || same(subprotocol, KVGXB_SUB_SERIAL_LOOPBACK)) {
            loopback_mode = same(subprotocol, KVGXB_SUB_SERIAL_LOOPBACK) ? KVGXB_LOOPBACK_SLB : KVGXB_LOOPBACK_NONE;
            reverse_loopback_mode = KVGXB_REV_LOOPBACK_NONE;
            selftest_mode = KVGXB_SELFTEST_NONE;
            byte_order_mode = KVGXB_BYTE_ORDER_NONE;
        } else if (same(subprotocol, KVGXB_SUB_PARALLEL_BIST)) {
            loopback_mode = KVGXB_LOOPBACK_PLB;
            reverse_loopback_mode = KVGXB_REV_LOOPBACK_NONE;
            selftest_mode = KVGXB_SELFTEST_INCREMENTAL;
            set_port_used("rx_bisterr", true);
            set_port_used("rx_bistdone", true);
            if (endec_8b10b_mode == KVGXB_8B10B_NONE) {
                endec_8b10b_mode = single_width_mode ? KVGXB_8B10B_NORMAL : KVGXB_8B10B_CASCADED;
            }
            const CString prefix = endec_8b10b_mode == KVGXB_8B10B_NONE ? "0" : "";
            byte_order_mode = KVGXB_BYTE_ORDER_SYNCSTATUS;
            byte_order_pattern = prefix + "111111011";
            byte_order_pad_pattern = prefix + "000000000";
        } else if (same(subprotocol, KVGXB_SUB_REV_SERIAL_LOOPBACK)) {
            loopback_mode = KVGXB_LOOPBACK_NONE;
            reverse_loopback_mode = KVGXB_REV_LOOPBACK_POSTCDR_RSLB;
            selftest_mode = KVGXB_SELFTEST_NONE;
            byte_order_mode = KVGXB_BYTE_ORDER_SYNCSTATUS;
            byte_order_pattern = none_coded_prefix + "111111011";
            byte_order_pad_pattern = none_coded_prefix + "000000000";
        } else if (is_prbs_subprotocol()) {
            loopback_mode =
                same(subprotocol, KVGXB_SUB_PRBS_SERIAL_LOOPBACK) ? KVGXB_LOOPBACK_SLB : KVGXB_LOOPBACK_NONE;
            reverse_loopback_mode = KVGXB_REV_LOOPBACK_NONE;
            selftest_mode = single_width_mode ? KVGXB_SELFTEST_PRBS_10 : KVGXB_SELFTEST_PRBS_7;
            set_port_used("rx_bisterr", true);
            set_port_used("rx_bistdone", true);
            byte_order_mode = KVGXB_BYTE_ORDER_NONE;
        }
    } else if (is_protocol(KVGXB_PROTOCOL_SONET)) {
        if (same(subprotocol, "OC96")) {
            set_data_rate_mbps(4976);
            set_inclk_frequency_mhz(124.4f);
            single_width_mode = false;
            word_aligner_mode = KVGXB_ALIGNER_AUTOMATIC;
            rising_edge_pattern_align = false;
        } else if (same(subprotocol, "OC48")) {
            set_data_rate_mbps(2488.32f);
            set_inclk_frequency_mhz(77.76f);
            single_width_mode = true;
            byte_order_mode = KVGXB_BYTE_ORDER_SYNCSTATUS;
            byte_order_pattern = "0000010100";
            byte_order_pad_pattern = "0001101111";
            rising_edge_pattern_align = true;
        } else if (same(subprotocol, "OC12")) {
            set_data_rate_mbps(622);
            set_inclk_frequency_mhz(62.2f);
            single_width_mode = true;
            rising_edge_pattern_align = true;
        }
    }
}

// -------------------------------------------------------- Basic coding rules

void KVGXB_WIZARD_MODEL::apply_basic_double_width_rules() {
    const bool loopback = is_loopback_subprotocol();
    const int w = channel_width;
    if (w == 40) {
        endec_8b10b_mode = KVGXB_8B10B_NONE;
        if (byte_order_mode == KVGXB_BYTE_ORDER_NONE) byte_order_mode = KVGXB_BYTE_ORDER_SYNCSTATUS;
    }
    if (w == 32) {
        if (!loopback) byte_order_mode = KVGXB_BYTE_ORDER_SYNCSTATUS;
        if (endec_8b10b_mode == KVGXB_8B10B_NONE && byte_order_mode == KVGXB_BYTE_ORDER_NONE) {
            word_aligner_mode = KVGXB_ALIGNER_BITSLIP;
        }
    }
    if (w == 16) {
        if (!loopback) {
            endec_8b10b_mode = KVGXB_8B10B_CASCADED;
            rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
            byte_order_mode = KVGXB_BYTE_ORDER_NONE;
        } else {
            byte_order_mode = KVGXB_BYTE_ORDER_NONE;
            if (endec_8b10b_mode != KVGXB_8B10B_NONE) rate_match_fifo_mode = KVGXB_RMFIFO_CASCADED;
        }
    }
    if (w == 20 && is_prbs_subprotocol()) endec_8b10b_mode = KVGXB_8B10B_NONE;
    if (w != 40 && byte_order_mode != KVGXB_BYTE_ORDER_NONE && endec_8b10b_mode != KVGXB_8B10B_NONE) {
        rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
    }
    if (endec_8b10b_mode == KVGXB_8B10B_NONE || !loopback) rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
    const bool keeps_bitslip = w == 32 && endec_8b10b_mode == KVGXB_8B10B_NONE &&
                               byte_order_mode == KVGXB_BYTE_ORDER_NONE && loopback;
    if (!keeps_bitslip) word_aligner_mode = KVGXB_ALIGNER_MANUAL;
    if (endec_8b10b_mode != KVGXB_8B10B_NONE) {
        endec_8b10b_mode = KVGXB_8B10B_CASCADED;
        if (is_rate_matching_on()) rate_match_fifo_mode = KVGXB_RMFIFO_CASCADED;
    }
    if (word_aligner_mode == KVGXB_ALIGNER_AUTOMATIC) word_aligner_mode = KVGXB_ALIGNER_MANUAL;
    else if (word_aligner_mode == KVGXB_ALIGNER_MANUAL) rising_edge_pattern_align = false;
}

void KVGXB_WIZARD_MODEL::apply_basic_single_width_rules() {
    const bool loopback = is_loopback_subprotocol();
    const bool prbs = is_prbs_subprotocol();
    const int w = channel_width;
    if (w == 10 || w == 20) {
        endec_8b10b_mode = KVGXB_8B10B_NONE;
        if (!prbs && !(word_aligner_mode == KVGXB_ALIGNER_BITSLIP && loopback)) {
            word_aligner_mode = KVGXB_ALIGNER_AUTOMATIC;
        }
    }
    if (w == 8 || w == 16 || w == 32) {
        endec_8b10b_mode = KVGXB_8B10B_NORMAL;
        if (word_aligner_mode == KVGXB_ALIGNER_BITSLIP) word_aligner_mode = KVGXB_ALIGNER_AUTOMATIC;
        if (w == 16 && loopback) {
            byte_order_mode = KVGXB_BYTE_ORDER_NONE;
            if (word_aligner_mode == KVGXB_ALIGNER_MANUAL) rising_edge_pattern_align = true;
        } else if (w == 16) {
            word_aligner_mode = KVGXB_ALIGNER_AUTOMATIC;
        }
    }
    if (endec_8b10b_mode == KVGXB_8B10B_NONE) rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
    if (same(subprotocol, KVGXB_SUB_PARALLEL_BIST) || same(subprotocol, KVGXB_SUB_REV_SERIAL_LOOPBACK)) {
        rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
        if (same(subprotocol, KVGXB_SUB_PARALLEL_BIST)) byte_order_mode = KVGXB_BYTE_ORDER_SYNCSTATUS;
    } else {
        byte_order_mode = KVGXB_BYTE_ORDER_NONE;
    }
    if (word_aligner_mode == KVGXB_ALIGNER_MANUAL) {
        if (prbs) {
            rising_edge_pattern_align = true;
        } else if (w == 16 && !is_rate_matching_on() && loopback) {
            rising_edge_pattern_align = true;
        } else {
            word_aligner_mode = KVGXB_ALIGNER_AUTOMATIC;
        }
    } else if (prbs) {
        word_aligner_mode = KVGXB_ALIGNER_MANUAL;
        rising_edge_pattern_align = true;
    }
    if (endec_8b10b_mode != KVGXB_8B10B_NONE) {
        endec_8b10b_mode = KVGXB_8B10B_NORMAL;
        if (is_rate_matching_on()) rate_match_fifo_mode = KVGXB_RMFIFO_NORMAL;
    }
}

void KVGXB_WIZARD_MODEL::apply_basic_coding_rules() {
    if (single_width_mode) apply_basic_single_width_rules();
    else apply_basic_double_width_rules();

    if (byte_order_mode == KVGXB_BYTE_ORDER_SYNCSTATUS) set_port_used("rx_syncstatus", true);
    if (operation_mode != KVGXB_OPMODE_RX_AND_TX) rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
    if (endec_8b10b_mode != KVGXB_8B10B_NONE) {
        for (const char* port : {"rx_ctrldetect", "rx_errdetect", "rx_disperr"}) set_port_used(port, true);
    }
    if (is_prbs_subprotocol()) {
        loopback_mode = same(subprotocol, KVGXB_SUB_PRBS_SERIAL_LOOPBACK) ? KVGXB_LOOPBACK_SLB : KVGXB_LOOPBACK_NONE;
        selftest_mode = single_width_mode ? KVGXB_SELFTEST_PRBS_10 : KVGXB_SELFTEST_PRBS_7;
        set_port_used("rx_bisterr", true);
        set_port_used("rx_bistdone", true);
        byte_order_mode = KVGXB_BYTE_ORDER_NONE;
    }
    set_port_used("rx_clkout", !is_rate_matching_on());
}

// ------------------------------------------------------------ pattern phase

void KVGXB_WIZARD_MODEL::apply_pattern_phase() {
    CStringArray& lengths = get_combobox_word_align_pattern_lengths();
    if (lengths.IsEmpty()) {
        report_internal_error("update_wizard", "bad pattern_length_array");
    } else {
        if (lengths.Find(bwizc_global_int2str(align_pattern_length)) < 0) {
            align_pattern_length = bwizc_global_str2int(lengths.GetAt(0));
            CString pattern = get_default_align_pattern(align_pattern_length);
            if (!pattern.IsEmpty()) align_pattern = pattern;
        }
        if (byte_order_mode != KVGXB_BYTE_ORDER_NONE) {
            const int required = get_required_byte_order_length();
            byte_order_pattern = fit_pattern(byte_order_pattern, required);
            byte_order_pad_pattern = fit_pattern(byte_order_pad_pattern, required);
        }
    }
    deserializer_width_changed = false;
    channel_width_changed = false;
}

// ------------------------------------------------------------- the cycle

void KVGXB_WIZARD_MODEL::update_wizard() {
    // 1. protocol phase
    if (protocol_changed || force_default_changed) {
        switch_protocol_page();
        apply_fixed_protocol_defaults();
        if (protocol_changed) set_default_params_on_protocol_change();
        previous_protocol = protocol;
        protocol_changed = false;
        force_default_changed = false;
    }
    // 2. subprotocol phase
    if (subprotocol_changed) {
        apply_subprotocol_defaults();
        set_default_params_on_subprotocol_change();
        subprotocol_changed = false;
    }
    // 3. input phase
    if (input_selection_changed) apply_input_selection_change();
    // 4. CEI reference clock picks the data rate
    if (input_b_changed) {
        if (is_protocol(KVGXB_PROTOCOL_CEI)) handle_cei_phy_data_rate();
        input_b_changed = false;
    }
    // 5. the second input switched between frequency and period
    if (input_b_unit_changed) {
        double value = bwizc_global_str2double(input_b);
        if (value != 0.0) input_b = bwizc_global_double2str(1000.0 / value, 3);
        previous_input_b_unit = input_b_unit;
        input_b_unit_changed = false;
    }
    // 6. serial loopback needs both directions
    if (operation_mode != KVGXB_OPMODE_RX_AND_TX && loopback_mode == KVGXB_LOOPBACK_SLB) {
        loopback_mode = KVGXB_LOOPBACK_NONE;
    }
    // 7./8. protocol rules
    if (!is_protocol(KVGXB_PROTOCOL_BASIC)) {
        if (is_protocol(KVGXB_PROTOCOL_PCIE)) reverse_loopback_mode = KVGXB_REV_LOOPBACK_RPLB;
        if (is_protocol(KVGXB_PROTOCOL_SONET) && !same(subprotocol, "OC96")) {
            cmu_pll_bw = get_inclk_frequency_mhz() < 300.0 ? "High" : "Low";
            rx_pll_bw = "Medium";
        }
    } else {
        apply_basic_coding_rules();
    }
    // 9. pattern phase
    if (deserializer_width_changed || channel_width_changed) apply_pattern_phase();
    // 10. voltages
    if (!is_protocol(KVGXB_PROTOCOL_PCIE)) {
        const bool supply_was_low = vcchtx == "1.2";
        if (supply_was_low && !single_width_mode) vcchtx = "1.5";
        if (tx_vcm == "0.75" && (supply_was_low || !single_width_mode)) tx_vcm = "0.6";
        if (single_width_mode && vcchtx == "1.5" && tx_vcm == "0.6") tx_vcm = "0.7";
    } else {
        vcchtx = "1.2";
        tx_vcm = "0.6";
    }
    if (!single_width_mode) rx_vcm = "0.85";
    // 11. VOD
    CStringArray& vods = get_combobox_vod_settings();
    if (vods.IsEmpty()) {
        report_internal_error("update_wizard", "bad vod_array_list");
    } else {
        if (vods.Find(bwizc_global_int2str(vod_ctrl_setting)) < 0) vod_ctrl_setting = bwizc_global_str2int(vods.GetAt(0));
        check_and_set_tx_preemp_tap_1_real();
    }
    // 12. pre-emphasis limits at the lowest VOD
    const int vod_iter = get_vod_iter_setting();
    if ((vcchtx == "1.2" && vod_iter == 1) || (vcchtx == "1.5" && vod_iter == 0)) {
        if (std::abs(preemp_2nd_posttap) > 5) preemp_2nd_posttap = 0;
        if (std::abs(preemp_pretap) > 5) preemp_pretap = 0;
    }
    // 13. signal detection is a PCI Express feature
    if (!is_protocol(KVGXB_PROTOCOL_PCIE)) {
        rx_force_signal_detect = false;
        rx_signal_detect_threshold = 2;
        if (operation_mode != KVGXB_OPMODE_TX_ONLY) set_port_used("rx_signaldetect", false);
    }
    // 14. pages
    refresh_all_pages();
}

// -------------------------------------------------------------- feasibility

bool KVGXB_WIZARD_MODEL::evaluate_gxb_feasibility() {
    auto verdict = [this](int reason) {
        feasibility_reason = reason;
        is_feasible = reason == KVGXB_FEASIBLE;
        return is_feasible;
    };
    const int mbps = get_data_rate_mbps();
    if (mbps < 622 || mbps > 6375) return verdict(KVGXB_REASON_DATA_RATE);
    if (is_protocol(KVGXB_PROTOCOL_BASIC)) {
        if (single_width_mode && mbps > 3125) return verdict(KVGXB_REASON_DATA_RATE);
        if (!single_width_mode && mbps < 3125) return verdict(KVGXB_REASON_DATA_RATE);
    }

    // Matching compares the description, so it must show the current model.
    wizard_var_to_param();
    bool matched = false;
    if (KVGXB_PRESET_PARAM_ITEM* current = get_current_preset()) {
        matched = does_current_config_match_this_preset_param(current, current_preset_index).IsEmpty();
    }
    if (!matched) {
        const int first = get_protocol_group_first_index(protocol);
        for (int i = first; i >= 0 && i < get_preset_count(); ++i) {
            KVGXB_PRESET_PARAM_ITEM* item = get_preset(i);
            if (item->protocol.CompareNoCase(protocol) != 0) break;
            if (does_current_config_match_this_preset_param(item, i).IsEmpty()) {
                current_preset_index = i;
                matched = true;
                break;
            }
        }
        if (!matched) return verdict(KVGXB_REASON_NO_PRESET);
    }

    const bool receiver = operation_mode != KVGXB_OPMODE_TX_ONLY;
    if (receiver && (is_protocol(KVGXB_PROTOCOL_BASIC) || is_protocol(KVGXB_PROTOCOL_SONET)) &&
        align_pattern.GetLength() != align_pattern_length) {
        return verdict(KVGXB_REASON_ALIGN_PATTERN_LENGTH);
    }
    if (is_protocol(KVGXB_PROTOCOL_BASIC) && byte_order_mode != KVGXB_BYTE_ORDER_NONE && receiver) {
        const int required = get_required_byte_order_length();
        if (byte_order_pattern.GetLength() != required) return verdict(KVGXB_REASON_BYTE_ORDER_PATTERN);
        if (byte_order_pad_pattern.GetLength() != required) return verdict(KVGXB_REASON_BYTE_ORDER_PAD_PATTERN);
    }
    if (is_rate_matching_on()) {
        if (rate_match_pattern_size > rate_match_pattern1.GetLength()) return verdict(KVGXB_REASON_RMFIFO_PATTERN1);
        if (rate_match_pattern_size > rate_match_pattern2.GetLength()) return verdict(KVGXB_REASON_RMFIFO_PATTERN2);
    }
    return verdict(KVGXB_FEASIBLE);
}

CString KVGXB_WIZARD_MODEL::get_feasibility_status_text() const {
    return is_feasible ? KVGXB_FEASIBLE_STRING : KVGXB_NOT_FEASIBLE_STRING;
}

CString KVGXB_WIZARD_MODEL::get_feasibility_cause_text() const {
    CString cause;
    switch (feasibility_reason) {
        case KVGXB_REASON_ALIGN_PATTERN_LENGTH: cause = "Word alignment pattern length does not match the pattern"; break;
        case KVGXB_REASON_DATA_RATE: cause = "Cannot implement the requested data rate"; break;
        case KVGXB_REASON_NO_PRESET: cause.Format("Please check %s", closest_failing_name.c_str()); break;
        case KVGXB_REASON_BYTE_ORDER_PATTERN:
            cause.Format("Byte order pattern length (%d) must be %d", byte_order_pattern.GetLength(),
                         get_required_byte_order_length());
            break;
        case KVGXB_REASON_BYTE_ORDER_PAD_PATTERN:
            cause.Format("Byte order pad pattern length (%d) must be %d", byte_order_pad_pattern.GetLength(),
                         get_required_byte_order_length());
            break;
        case KVGXB_REASON_RMFIFO_PATTERN1:
            cause.Format("Rate Match FIFO pattern1 length(%d) must be %d", rate_match_pattern1.GetLength(),
                         rate_match_pattern_size);
            break;
        case KVGXB_REASON_RMFIFO_PATTERN2:
            cause.Format("Rate Match FIFO pattern2 length(%d) must be %d", rate_match_pattern2.GetLength(),
                         rate_match_pattern_size);
            break;
        default: break;
    }
    return cause.IsEmpty() ? cause : "Cause: " + cause;
}
