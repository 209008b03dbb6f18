// The model's names, enumerations and conversion tables.
#include "transceiver/kvgxb.h"

#include "platform/message_box.h"
#include "support/bwizc_global.h"

const char* const KVGXB_WIZARD_VARIABLE_NAMES[] = {
    KVGXB_NAMES::WIZ_TCL_KEY, KVGXB_NAMES::WIZ_PROTOCOL, KVGXB_NAMES::WIZ_SUBPROTOCOL,
    KVGXB_NAMES::WIZ_FORCE_DEFAULT_SETTINGS, KVGXB_NAMES::WIZ_INPUT_SELECTION, KVGXB_NAMES::WIZ_DATA_RATE,
    KVGXB_NAMES::WIZ_INCLK_FREQ, KVGXB_NAMES::WIZ_INCLK_FREQ_ARRAY, KVGXB_NAMES::WIZ_DATA_RATE_ARRAY,
    KVGXB_NAMES::WIZ_INPUT_A, KVGXB_NAMES::WIZ_INPUT_A_UNIT, KVGXB_NAMES::WIZ_INPUT_B, KVGXB_NAMES::WIZ_INPUT_B_UNIT,
    KVGXB_NAMES::WIZ_ENABLE_EQUALIZER_CTRL, KVGXB_NAMES::WIZ_EQUALIZER_CTRL_SETTING, KVGXB_NAMES::WIZ_RX_VCM,
    KVGXB_NAMES::WIZ_EXTERNAL_RX_TERMINATION, KVGXB_NAMES::WIZ_RX_TERMINATION,
    KVGXB_NAMES::WIZ_WORD_ALIGN_FLIP_PATTERN, KVGXB_NAMES::WIZ_VCCHTX, KVGXB_NAMES::WIZ_TX_VCM,
    KVGXB_NAMES::WIZ_EXTERNAL_TX_TERMINATION, KVGXB_NAMES::WIZ_TX_TERMINATION,
    KVGXB_NAMES::WIZ_PREEMPHASIS_CTRL_1STPOSTTAP_SETTING, KVGXB_NAMES::WIZ_PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING,
    KVGXB_NAMES::WIZ_PREEMPHASIS_CTRL_PRETAP_SETTING,
};
const int KVGXB_WIZARD_VARIABLE_NAME_COUNT =
    static_cast<int>(sizeof(KVGXB_WIZARD_VARIABLE_NAMES) / sizeof(KVGXB_WIZARD_VARIABLE_NAMES[0]));

const char* const KVGXB_PARAMETER_NAMES[] = {
    "RX_ENABLE_DC_COUPLING", "DIGITALRESET_PORT_WIDTH", "RX_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN",
    "RX_CHANNEL_WIDTH", "RX_USE_DOUBLE_DATA_MODE", "RX_USE_DESERIALIZER_DOUBLE_DATA_MODE", "RX_BANDWIDTH_MODE",
    "CMU_PLL_LOOP_FILTER_RESISTOR_CONTROL", "EQUALIZER_DCGAIN_SETTING", "EQUALIZER_CTRL_A_SETTING",
    "EQUALIZER_CTRL_B_SETTING", "EQUALIZER_CTRL_C_SETTING", "EQUALIZER_CTRL_D_SETTING", "EQUALIZER_CTRL_V_SETTING",
    "RX_COMMON_MODE", "RX_FORCE_SIGNAL_DETECT", "RX_SIGNAL_DETECT_THRESHOLD", "RECEIVER_TERMINATION",
    "STARTING_CHANNEL_NUMBER", "RX_ENABLE_SELF_TEST_MODE", "RX_SELF_TEST_MODE", "RX_RATE_MATCH_FIFO_MODE",
    "RX_RATE_MATCH_PATTERN_SIZE", "RX_RATE_MATCH_PATTERN1", "RX_RATE_MATCH_PATTERN2", "RX_RATE_MATCH_BACK_TO_BACK",
    "RX_USE_RATE_MATCH_PATTERN1_ONLY", "RX_RATE_MATCH_SKIP_SET_BASED", "RX_RUN_LENGTH_ENABLE", "RX_RUN_LENGTH",
    "RX_8B_10B_MODE", "RX_8B_10B_COMPATIBILITY_MODE", "RX_BYTE_ORDERING_MODE", "RX_BYTE_ORDER_PATTERN",
    "RX_BYTE_ORDER_PAD_PATTERN", "RX_ENABLE_LOCK_TO_REFCLK_SIG", "RX_ENABLE_LOCK_TO_DATA_SIG", "TX_CHANNEL_WIDTH",
    "TX_USE_DOUBLE_DATA_MODE", "TX_USE_SERIALIZER_DOUBLE_DATA_MODE", "TX_DATA_RATE_REMAINDER",
    "CMU_PLL_INCLOCK_PERIOD", "TX_ANALOG_POWER", "TX_COMMON_MODE", "PREEMPHASIS_CTRL_1STPOSTTAP_SETTING",
    "PREEMPHASIS_CTRL_2NDPOSTTAP_INV_SETTING", "PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING",
    "PREEMPHASIS_CTRL_PRETAP_INV_SETTING", "PREEMPHASIS_CTRL_PRETAP_SETTING", "VOD_CTRL_SETTING",
    "TRANSMITTER_TERMINATION", "TX_ENABLE_SELF_TEST_MODE", "TX_SELF_TEST_MODE", "TX_8B_10B_MODE",
    "TX_8B_10B_COMPATIBILITY_MODE", "TX_ENABLE_IDLE_SELECTION", "USE_CALIBRATION_BLOCK", "RX_USE_CRUCLK",
    "RX_CRU_INCLOCK_PERIOD", "RX_USE_CLKOUT", "RX_DATAPATH_PROTOCOL", "RX_USE_DESKEW_FIFO",
    "RX_ALLOW_PIPE_POLARITY_INVERSION", "RX_DISABLE_AUTO_IDLE_INSERTION", "RX_BITSLIP_ENABLE",
    "RX_USE_ALIGN_STATE_MACHINE", "RX_ALIGN_PATTERN_LENGTH", "RX_ALIGN_PATTERN", "RX_ALLOW_ALIGN_POLARITY_INVERSION",
    "RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN", "RX_ENABLE_BIT_REVERSAL", "RX_ENABLE_DEEP_ALIGN_BYTE_SWAP",
    "RX_FLIP_RX_OUT", "TX_TRANSMIT_PROTOCOL", "TX_FLIP_TX_IN", "TX_USE_CORECLK", "RX_CHANNEL_BONDING",
    "TX_CHANNEL_BONDING", "RX_RATE_MATCH_ORDERED_SET_BASED", "RX_USE_PIPE8B10BINVPOLARITY",
    "RX_ALIGN_LOSS_SYNC_ERROR_NUM", "RX_NUM_ALIGN_CONS_GOOD_DATA", "RX_NUM_ALIGN_CONS_PAT", "TX_FORCE_DISPARITY_MODE",
    "TX_ENABLE_BIT_REVERSAL", "TX_ALLOW_POLARITY_INVERSION",
};
const int KVGXB_PARAMETER_NAME_COUNT = static_cast<int>(sizeof(KVGXB_PARAMETER_NAMES) / sizeof(KVGXB_PARAMETER_NAMES[0]));

const char* const KVGXB_PROTOCOL_BASIC = "Basic";
const char* const KVGXB_PROTOCOL_XAUI = "XAUI";
const char* const KVGXB_PROTOCOL_GIGE = "GIGE";
const char* const KVGXB_PROTOCOL_PCIE = "PCI Express (PIPE)";
const char* const KVGXB_PROTOCOL_CEI = "(OIF) CEI PHY Interface";
const char* const KVGXB_PROTOCOL_SONET = "SONET Backplane";
const char* const KVGXB_PROTOCOL_SDI = "SDI";
const char* const KVGXB_SUBPROTOCOL_NA = "N/A";
const char* const KVGXB_SUB_NO_LOOPBACK = "No Loopback";
const char* const KVGXB_SUB_SERIAL_LOOPBACK = "Serial Loopback";
const char* const KVGXB_SUB_PARALLEL_BIST = "Parallel loopback/BIST";
const char* const KVGXB_SUB_REV_SERIAL_LOOPBACK = "Rev. Serial loopback";
const char* const KVGXB_SUB_PRBS_SERIAL_LOOPBACK = "PRBS/Serial loopback";
const char* const KVGXB_SUB_PRBS_NO_LOOPBACK = "PRBS/No loopback";

const char* const INPUT_MODE_DATA_RATE_STRING = "Data rate";
const char* const INPUT_MODE_FREQ_STRING = "Input clock frequency";
const char* const INPUT_MODE_PERIOD_STRING = "Input clock period";
const char* const KVGXB_FEASIBLE_STRING = "Able to implement the requested GXB";
const char* const KVGXB_NOT_FEASIBLE_STRING = "Cannot implement the requested GXB";
const char* const KVGXB_NOT_AVAILABLE_STRING = "Not Available";
const char* const data_rate_default = "622";

const char* const KVGXB_PRESET_ANY_VALUE = "any_value";
const char* const KVGXB_PRESET_NOT_USED = "Not_Used";
const char* const KVGXB_PRESET_INVALID = "Invalid";
const char* const KVGXB_BEEP_VALUE = "BEEP";

namespace {

bool same(const CString& a, const char* b) { return a.CompareNoCase(b) == 0; }

int index_in(const char* const* table, int count, const CString& text, int fallback) {
    for (int i = 0; i < count; ++i) {
        if (same(text, table[i])) return i;
    }
    return fallback;
}

CString name_at(const char* const* table, int count, int index) {
    return (index >= 0 && index < count) ? CString(table[index]) : CString();
}

const char* const LOOPBACK_NAMES[] = {"none", "slb", "plb"};
const char* const REVERSE_LOOPBACK_NAMES[] = {"none", "precdr_rslb", "postcdr_rslb", "rplb"};
const char* const DPRIO_NAMES[] = {"none", "pma_electricals", "full"};
const char* const RMFIFO_NAMES[] = {"normal", "cascaded", "generic", "none"};
const char* const ENDEC_8B10B_NAMES[] = {"normal", "cascaded", "none"};
const char* const BYTE_ORDER_NAMES[] = {"pattern-based", "syncstatus-based", "none"};
const char* const SELFTEST_NAMES[] = {"none",      "prbs_7",     "prbs_8",      "prbs_10",
                                      "prbs_23",   "low_freq",   "mixed_freq",  "high_freq",
                                      "incremental", "cjpat",    "crpat"};
const char* const OPMODE_NAMES[] = {"Receiver only", "Transmitter only", "Receiver and Transmitter"};

struct PPM_ROW {
    const char* displayed;
    int actual;
};
const PPM_ROW PPM_TBL[] = {{"+/- 1000", 32}, {"+/- 500", 16}, {"+/- 300", 8},  {"+/- 250", 9},
                           {"+/- 200", 4},   {"+/- 125", 2},  {"+/- 100", 1},  {"+/- 62.5", 3}};

struct CODE_8B10B {
    const char* name;
    const char* code;
};
// Control-code groups with negative running disparity, most significant bit first.
const CODE_8B10B CODES_8B10B[] = {
    {"K28.0", "0010111100"}, {"K28.1", "1001111100"}, {"K28.2", "1010111100"}, {"K28.3", "1100111100"},
    {"K28.4", "0100111100"}, {"K28.5", "0101111100"}, {"K28.6", "0110111100"}, {"K28.7", "0001111100"},
    {"K23.7", "0001010111"}, {"K27.7", "0001011011"}, {"K29.7", "0001011101"}, {"K30.7", "0001011110"},
};

// Parameter name and its atom name where the atom name is not simply the
// parameter without its RX_/TX_ prefix ("" means: strip the prefix).
struct NAME_MAP_ROW {
    const char* brixfx;
    const char* wysiwyg;
};
const NAME_MAP_ROW NAME_MAP_TBL[] = {
    {"NUMBER_OF_CHANNELS", "CHANNEL_NUMBER"},
    {"RX_CHANNEL_WIDTH", "CHANNEL_WIDTH"},
    {"RX_USE_DOUBLE_DATA_MODE", ""},
    {"RX_USE_DESERIALIZER_DOUBLE_DATA_MODE", ""},
    {"RX_DPRIO_MODE", ""},
    {"RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN", ""},
    {"RX_BITSLIP_ENABLE", ""},
    {"RX_ALIGN_PATTERN", ""},
    {"RX_ALIGN_PATTERN_LENGTH", ""},
    {"RX_ALIGN_LOSS_SYNC_ERROR_NUM", ""},
    {"RX_USE_ALIGN_STATE_MACHINE", ""},
    {"RX_RUN_LENGTH", ""},
    {"RX_RUN_LENGTH_ENABLE", ""},
    {"RX_ALLOW_ALIGN_POLARITY_INVERSION", ""},
    {"RX_ENABLE_BIT_REVERSAL", ""},
    {"RX_8B_10B_MODE", "DEC_8B_10B_MODE"},
    {"RX_RATE_MATCH_FIFO_MODE", ""},
    {"RX_RATE_MATCH_PATTERN1", ""},
    {"RX_RATE_MATCH_PATTERN2", ""},
    {"RX_RATE_MATCH_PATTERN_SIZE", ""},
    {"RX_USE_RATE_MATCH_PATTERN1_ONLY", ""},
    {"RX_RATE_MATCH_ALMOST_EMPTY_THRESHOLD", ""},
    {"RX_RATE_MATCH_ALMOST_FULL_THRESHOLD", ""},
    {"RX_BYTE_ORDERING_MODE", ""},
    {"RX_BYTE_ORDER_PATTERN", ""},
    {"RX_BYTE_ORDER_PAD_PATTERN", ""},
    {"RX_ALLOW_PIPE_POLARITY_INVERSION", ""},
    {"RX_ENABLE_SELF_TEST_MODE", ""},
    {"RX_SELF_TEST_MODE", ""},
    {"RX_FORCE_SIGNAL_DETECT", ""},
    {"RX_SIGNAL_DETECT_THRESHOLD", ""},
    {"RX_PPM_SELECT", "PPMSELECT"},
    {"RX_BANDWIDTH_MODE", ""},
    {"RX_ENABLE_DC_COUPLING", ""},
    {"EQUALIZER_CTRL_A_SETTING", "EQUALIZER_CTRL_A"},
    {"EQUALIZER_CTRL_B_SETTING", "EQUALIZER_CTRL_B"},
    {"EQUALIZER_CTRL_C_SETTING", "EQUALIZER_CTRL_C"},
    {"EQUALIZER_CTRL_D_SETTING", "EQUALIZER_CTRL_D"},
    {"EQUALIZER_CTRL_V_SETTING", "EQUALIZER_CTRL_V"},
    {"RX_ADAPTIVE_EQUALIZATION_MODE", ""},
    {"RX_FORCE_SIGNAL_DETECT_DIG", ""},
    {"RX_DATAPATH_PROTOCOL", ""},
    {"RX_NUM_ALIGN_CONS_GOOD_DATA", ""},
    {"RX_NUM_ALIGN_CONS_PAT", ""},
    {"RX_USE_DESKEW_FIFO", ""},
    {"TX_ALLOW_POLARITY_INVERSION", ""},
    {"VOD_CTRL_SETTING", "VOD_SELECTION"},
    {"PREEMPHASIS_CTRL_1STPOSTTAP_SETTING", "PREEMP_TAP_1"},
    {"PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING", "PREEMP_TAP_2"},
    {"PREEMPHASIS_CTRL_PRETAP_SETTING", "PREEMP_PRETAP"},
};

}  // namespace

// ------------------------------------------------------------ construction

KVGXB_WIZARD_MODEL::KVGXB_WIZARD_MODEL() {
    for (int& first : m_group_first_index) first = -1;
    m_port_flags["pll_inclk"] = true;
}

KVGXB_WIZARD_MODEL::~KVGXB_WIZARD_MODEL() = default;

void KVGXB_WIZARD_MODEL::report_internal_error(const char* operation, const char* item) {
    CString text;
    text.Format("kvgxb.cpp: %s, %s", operation, item);
    bwizc_message_box(text);
}

bool KVGXB_WIZARD_MODEL::is_port_used(const char* port) const {
    auto it = m_port_flags.find(port);
    return it != m_port_flags.end() && it->second;
}

void KVGXB_WIZARD_MODEL::set_port_used(const char* port, bool used) {
    // The PLL reference clock input exists in every configuration.
    if (CString(port) == "pll_inclk") used = true;
    m_port_flags[port] = used;
}

bool KVGXB_WIZARD_MODEL::is_protocol(const char* name) const { return same(protocol, name); }

// --------------------------------------------------------- protocol codes

CString KVGXB_WIZARD_MODEL::protocol_enum2string(const CString& code) const {
    if (code == "0") return KVGXB_PROTOCOL_BASIC;
    if (code == "1") return KVGXB_PROTOCOL_GIGE;
    if (code == "2") return KVGXB_PROTOCOL_CEI;
    if (code == "3") return KVGXB_PROTOCOL_PCIE;
    if (code == "4") return KVGXB_PROTOCOL_SDI;
    if (code == "5" || same(code, "SONET")) return KVGXB_PROTOCOL_SONET;
    if (code == "6") return KVGXB_PROTOCOL_XAUI;
    return code;
}

int KVGXB_WIZARD_MODEL::protocol_string2enum(const CString& name) {
    if (protocol_array_list.IsEmpty()) get_combobox_protocols();
    if (same(name, KVGXB_PROTOCOL_XAUI) || same(name, KVGXB_PROTOCOL_GIGE)) return 6;
    if (same(name, KVGXB_PROTOCOL_SONET)) return 5;
    if (same(name, KVGXB_PROTOCOL_SDI)) return 4;
    if (same(name, KVGXB_PROTOCOL_CEI)) return 2;
    if (same(name, KVGXB_PROTOCOL_PCIE)) return 3;
    return 0;
}

CString KVGXB_WIZARD_MODEL::get_protocol_for_cnx() const {
    if (is_protocol(KVGXB_PROTOCOL_BASIC)) return single_width_mode ? "3g_basic" : "6g_basic";
    if (is_protocol(KVGXB_PROTOCOL_SDI)) return "3g_basic";
    if (is_protocol(KVGXB_PROTOCOL_CEI)) return "cei_6g";
    if (is_protocol(KVGXB_PROTOCOL_SONET)) return same(subprotocol, "OC96") ? "5g_scrambled" : "SONET";
    if (is_protocol(KVGXB_PROTOCOL_PCIE)) return "pipe";
    return protocol;
}

CString KVGXB_WIZARD_MODEL::get_protocol_from_cnx(const CString& key) {
    if (same(key, "CEI_6G")) return KVGXB_PROTOCOL_CEI;
    if (same(key, "5G_SCRAMBLED")) {
        subprotocol = "OC96";
        return KVGXB_PROTOCOL_SONET;
    }
    if (same(key, "pipe")) return KVGXB_PROTOCOL_PCIE;
    if (same(key, "3g_Basic") || same(key, "6g_Basic")) return KVGXB_PROTOCOL_BASIC;
    return "";
}

// ------------------------------------------------------------ enumerations

CString KVGXB_WIZARD_MODEL::opmode_enum2string(int mode) {
    if (opmode_array_list.IsEmpty()) get_combobox_opmodes();
    return name_at(OPMODE_NAMES, 3, mode);
}
int KVGXB_WIZARD_MODEL::opmode_string2enum(const CString& text) const { return index_in(OPMODE_NAMES, 3, text, 2); }

CString KVGXB_WIZARD_MODEL::loopback_mode_enum2string(int mode) { return name_at(LOOPBACK_NAMES, 3, mode); }
int KVGXB_WIZARD_MODEL::loopback_mode_string2enum(const CString& text) { return index_in(LOOPBACK_NAMES, 3, text, 0); }
CString KVGXB_WIZARD_MODEL::reverse_loopback_mode_enum2string(int mode) {
    return name_at(REVERSE_LOOPBACK_NAMES, 4, mode);
}
int KVGXB_WIZARD_MODEL::reverse_loopback_mode_string2enum(const CString& text) {
    return index_in(REVERSE_LOOPBACK_NAMES, 4, text, 0);
}
CString KVGXB_WIZARD_MODEL::dprio_enum2string(int mode) { return name_at(DPRIO_NAMES, 3, mode); }
int KVGXB_WIZARD_MODEL::dprio_string2enum(const CString& text) { return index_in(DPRIO_NAMES, 3, text, 0); }
CString KVGXB_WIZARD_MODEL::rmfifo_enum2string(int mode) { return name_at(RMFIFO_NAMES, 4, mode); }
int KVGXB_WIZARD_MODEL::rmfifo_string2enum(const CString& text) { return index_in(RMFIFO_NAMES, 4, text, 3); }
CString KVGXB_WIZARD_MODEL::byte_order_enum2str(int mode) { return name_at(BYTE_ORDER_NAMES, 3, mode); }
int KVGXB_WIZARD_MODEL::byte_order_str2enum(const CString& text) { return index_in(BYTE_ORDER_NAMES, 3, text, 2); }
CString KVGXB_WIZARD_MODEL::endecoder_8b10b_enum2string(int mode) { return name_at(ENDEC_8B10B_NAMES, 3, mode); }
int KVGXB_WIZARD_MODEL::endecoder_8b10b_string2enum(const CString& text) {
    return index_in(ENDEC_8B10B_NAMES, 3, text, 2);
}
CString KVGXB_WIZARD_MODEL::selftest_enum2string(int mode) { return name_at(SELFTEST_NAMES, 11, mode); }
int KVGXB_WIZARD_MODEL::selftest_string2enum(const CString& text) { return index_in(SELFTEST_NAMES, 11, text, 1); }

int KVGXB_WIZARD_MODEL::cmu_pll_bw_str2cmu_pll_bw_int() const {
    if (same(cmu_pll_bw, "Low")) return 1;
    if (same(cmu_pll_bw, "Medium")) return 2;
    return 3;
}
CString KVGXB_WIZARD_MODEL::cmu_pll_bw_int2cmu_pll_bw_str(int value) {
    if (value == 1) return "Low";
    if (value == 2) return "Medium";
    return "High";
}
int KVGXB_WIZARD_MODEL::rx_pll_bw_str2rx_pll_bw_int() const {
    if (same(rx_pll_bw, "Low")) return 3;
    if (same(rx_pll_bw, "High")) return 0;
    return 1;
}
CString KVGXB_WIZARD_MODEL::rx_pll_bw_int2rx_pll_bw_str(int value) {
    if (value == 3) return "Low";
    if (value == 0) return "High";
    return "Medium";
}

int KVGXB_WIZARD_MODEL::ppm_displayed2ppm_actual(const CString& displayed) {
    for (const PPM_ROW& row : PPM_TBL) {
        if (same(displayed, row.displayed)) return row.actual;
    }
    return 32;
}
CString KVGXB_WIZARD_MODEL::ppm_actual2ppm_displayed(int actual) {
    for (const PPM_ROW& row : PPM_TBL) {
        if (row.actual == actual) return row.displayed;
    }
    return "";
}

// ------------------------------------------------------------- name map

void KVGXB_WIZARD_MODEL::initialize_brixfx_wysiwyg_name_tbl() {
    if (!m_name_map.empty()) return;
    for (const NAME_MAP_ROW& row : NAME_MAP_TBL) {
        CString brixfx = row.brixfx;
        CString wysiwyg = row.wysiwyg;
        if (wysiwyg.IsEmpty()) {
            wysiwyg = brixfx;
            if (brixfx.Left(3) == "RX_" || brixfx.Left(3) == "TX_") wysiwyg = brixfx.Mid(3);
        }
        m_name_map[brixfx.str()] = std::make_unique<brixfx_wysiwyg_name_map>(brixfx, wysiwyg);
        m_name_map_order.push_back(brixfx.str());
    }
}

CString KVGXB_WIZARD_MODEL::brixfx_name2wysiwyg_name(const CString& name) const {
    auto it = m_name_map.find(name.str());
    return it == m_name_map.end() ? CString() : it->second->get_wysiwyg_name();
}

CString KVGXB_WIZARD_MODEL::wysiwyg_name2brixfx_name(const CString& name) const {
    for (const std::string& key : m_name_map_order) {
        const brixfx_wysiwyg_name_map& row = *m_name_map.at(key);
        if (row.get_wysiwyg_name() == name) return row.get_brixfx_name();
    }
    return "";
}

// ------------------------------------------------------ codes and patterns

CString KVGXB_WIZARD_MODEL::get_8b10bcode(const char* code) {
    CString given = code ? code : "";
    CString result;
    for (const CODE_8B10B& row : CODES_8B10B) {
        CString positive = row.code;
        CString inverted = positive;
        for (int i = 0; i < inverted.GetLength(); ++i) inverted.SetAt(i, inverted[i] == '0' ? '1' : '0');
        if (given == positive) result = CString(row.name) + "+";
        if (given == inverted) result = CString(row.name) + "-";
    }
    return result;
}

CString KVGXB_WIZARD_MODEL::binary2hex(const char* bits) {
    CString text = bits ? bits : "";
    CString hex;
    int end = text.GetLength();
    while (end > 0) {
        int start = end - 4 < 0 ? 0 : end - 4;
        unsigned digit = 0;
        for (int i = start; i < end; ++i) digit = (digit << 1) | (text[i] == '1' ? 1u : 0u);
        CString one;
        one.Format("%X", digit);
        hex = one + hex;
        end = start;
    }
    return hex;
}

CString KVGXB_WIZARD_MODEL::uint2binstr(unsigned value) {
    if (value == 0) return "0";
    CString bits;
    while (value != 0) {
        bits = CString((value & 1u) ? '1' : '0') + bits;
        value >>= 1;
    }
    return bits;
}

CString KVGXB_WIZARD_MODEL::new2old(const TABLE10* table, const char* name) {
    for (const TABLE10* row = table; row && row->old_name[0] != '\0'; ++row) {
        if (CString(row->new_name) == name) return row->old_name;
    }
    return name;
}

CString KVGXB_WIZARD_MODEL::old2new(const TABLE10* table, const char* name) {
    for (const TABLE10* row = table; row && row->old_name[0] != '\0'; ++row) {
        if (CString(row->old_name) == name) return row->new_name;
    }
    return name;
}

CString KVGXB_WIZARD_MODEL::get_default_align_pattern(int length) {
    switch (length) {
        case 7: return "1111100";
        case 8: return "00010100";
        case 10: return "0101111100";
        case 16: return "0001010001101111";
        case 20: return "11101010000101111100";
        case 32: return "00010100000101000110111101101111";
        default: return "";
    }
}

// ---------------------------------------------------------- width helpers

int KVGXB_WIZARD_MODEL::get_deserialization_factor() const {
    const bool coded = endec_8b10b_mode != KVGXB_8B10B_NONE;
    switch (channel_width) {
        case 10:
        case 20: return single_width_mode ? 10 : 20;
        case 8:
        case 16:
            if (!coded) return single_width_mode ? 8 : 16;
            return single_width_mode ? 10 : 20;
        case 32: return coded ? 20 : 16;
        case 40: return 20;
        default: return 0;
    }
}

int KVGXB_WIZARD_MODEL::get_rx_dwidth_factor() const {
    if (channel_width < 16 || (!single_width_mode && channel_width < 32)) return single_width_mode ? 1 : 2;
    return single_width_mode ? 2 : 4;
}

int KVGXB_WIZARD_MODEL::get_digitalreset_port_width() const {
    if (is_protocol(KVGXB_PROTOCOL_XAUI)) return number_of_channels / 4;
    if (is_protocol(KVGXB_PROTOCOL_PCIE)) {
        if (same(subprotocol, "x1")) return number_of_channels;
        if (same(subprotocol, "x4")) return number_of_channels / 4;
        return number_of_channels / 8;
    }
    return number_of_channels;
}

CString KVGXB_WIZARD_MODEL::get_rx_termination_str() const {
    if (external_rx_termination) return "off";
    if (rx_termination == 100) return "oct_100_ohms";
    if (rx_termination == 120) return "oct_120_ohms";
    return "oct_150_ohms";
}

CString KVGXB_WIZARD_MODEL::get_tx_termination_str() const {
    if (external_tx_termination) return "off";
    if (tx_termination == 100) return "oct_100_ohms";
    if (tx_termination == 120) return "oct_120_ohms";
    return "oct_150_ohms";
}

int KVGXB_WIZARD_MODEL::get_equalizer_ctrl_a_setting() const {
    return enable_equalizer_ctrl && equalizer_ctrl_setting > 10 ? 7 : 0;
}
int KVGXB_WIZARD_MODEL::get_equalizer_ctrl_b_setting() const {
    return enable_equalizer_ctrl && equalizer_ctrl_setting > 6 ? 7 : 0;
}
int KVGXB_WIZARD_MODEL::get_equalizer_ctrl_c_setting() const {
    return enable_equalizer_ctrl && equalizer_ctrl_setting > 3 ? 7 : 0;
}
int KVGXB_WIZARD_MODEL::get_equalizer_ctrl_d_setting() const { return enable_equalizer_ctrl ? 7 : 0; }
int KVGXB_WIZARD_MODEL::get_equalizer_ctrl_v_setting() const {
    if (!enable_equalizer_ctrl) return 0;
    switch (equalizer_ctrl_setting) {
        case 2: case 5: case 8: case 13: return 4;
        case 3: case 6: case 10: case 15: return 7;
        case 9: case 14: return 5;
        case 12: return 3;
        default: return 0;
    }
}
