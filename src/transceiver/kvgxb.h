// The transceiver configuration model: every setting of one KV2GXB variation,
// the protocol preset table filed from the device database, the protocol
// defaults, the update cycle with its forcing rules, the feasibility verdict,
// and the data-rate, clock and value-list arithmetic the pages rely on.
//
// KVGXB_WIZARD_MODEL holds all of it and knows nothing of the wizard
// framework; the application object KVGXB_WIZARD adds the framework hooks on
// top. Where the model reads or writes the variation's description (preset
// layer, matching) it works on the CNX manager given to it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

class CRCNX_MANAGER;

// ------------------------------------------------------------------ names

// Keys of the wizard variables (PRIVATE records) and brixfunction parameters
// (CONSTANT records) the transceiver uses.
struct KVGXB_NAMES {
    // wizard variables
    static constexpr const char* WIZ_TCL_KEY = "WIZ_TCL_KEY";
    static constexpr const char* WIZ_PROTOCOL = "WIZ_PROTOCOL";
    static constexpr const char* WIZ_SUBPROTOCOL = "WIZ_SUBPROTOCOL";
    static constexpr const char* WIZ_FORCE_DEFAULT_SETTINGS = "WIZ_FORCE_DEFAULT_SETTINGS";
    static constexpr const char* WIZ_INPUT_SELECTION = "WIZ_INPUT_SELECTION";
    static constexpr const char* WIZ_DATA_RATE = "WIZ_DATA_RATE";
    static constexpr const char* WIZ_INCLK_FREQ = "WIZ_INCLK_FREQ";
    static constexpr const char* WIZ_INCLK_FREQ_ARRAY = "WIZ_INCLK_FREQ_ARRAY";
    static constexpr const char* WIZ_DATA_RATE_ARRAY = "WIZ_DATA_RATE_ARRAY";
    static constexpr const char* WIZ_INPUT_A = "WIZ_INPUT_A";
    static constexpr const char* WIZ_INPUT_A_UNIT = "WIZ_INPUT_A_UNIT";
    static constexpr const char* WIZ_INPUT_B = "WIZ_INPUT_B";
    static constexpr const char* WIZ_INPUT_B_UNIT = "WIZ_INPUT_B_UNIT";
    static constexpr const char* WIZ_ENABLE_EQUALIZER_CTRL = "WIZ_ENABLE_EQUALIZER_CTRL";
    static constexpr const char* WIZ_EQUALIZER_CTRL_SETTING = "WIZ_EQUALIZER_CTRL_SETTING";
    static constexpr const char* WIZ_RX_VCM = "WIZ_RX_VCM";
    static constexpr const char* WIZ_EXTERNAL_RX_TERMINATION = "WIZ_EXTERNAL_RX_TERMINATION";
    static constexpr const char* WIZ_RX_TERMINATION = "WIZ_RX_TERMINATION";
    static constexpr const char* WIZ_WORD_ALIGN_FLIP_PATTERN = "WIZ_WORD_ALIGN_FLIP_PATTERN";
    static constexpr const char* WIZ_VCCHTX = "WIZ_VCCHTX";
    static constexpr const char* WIZ_TX_VCM = "WIZ_TX_VCM";
    static constexpr const char* WIZ_EXTERNAL_TX_TERMINATION = "WIZ_EXTERNAL_TX_TERMINATION";
    static constexpr const char* WIZ_TX_TERMINATION = "WIZ_TX_TERMINATION";
    static constexpr const char* WIZ_PREEMPHASIS_CTRL_1STPOSTTAP_SETTING = "WIZ_PREEMPHASIS_CTRL_1STPOSTTAP_SETTING";
    static constexpr const char* WIZ_PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING = "WIZ_PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING";
    static constexpr const char* WIZ_PREEMPHASIS_CTRL_PRETAP_SETTING = "WIZ_PREEMPHASIS_CTRL_PRETAP_SETTING";

    // brixfunction parameters
    static constexpr const char* OPERATION_MODE = "OPERATION_MODE";
    static constexpr const char* NUMBER_OF_CHANNELS = "NUMBER_OF_CHANNELS";
    static constexpr const char* LOOPBACK_MODE = "LOOPBACK_MODE";
    static constexpr const char* REVERSE_LOOPBACK_MODE = "REVERSE_LOOPBACK_MODE";
    static constexpr const char* RX_ENABLE_DC_COUPLING = "RX_ENABLE_DC_COUPLING";
    static constexpr const char* DIGITALRESET_PORT_WIDTH = "DIGITALRESET_PORT_WIDTH";
    static constexpr const char* RX_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN = "RX_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN";
    static constexpr const char* RX_CHANNEL_WIDTH = "RX_CHANNEL_WIDTH";
    static constexpr const char* RX_USE_DOUBLE_DATA_MODE = "RX_USE_DOUBLE_DATA_MODE";
    static constexpr const char* RX_USE_DESERIALIZER_DOUBLE_DATA_MODE = "RX_USE_DESERIALIZER_DOUBLE_DATA_MODE";
    static constexpr const char* RX_BANDWIDTH_MODE = "RX_BANDWIDTH_MODE";
    static constexpr const char* CMU_PLL_LOOP_FILTER_RESISTOR_CONTROL = "CMU_PLL_LOOP_FILTER_RESISTOR_CONTROL";
    static constexpr const char* EQUALIZER_DCGAIN_SETTING = "EQUALIZER_DCGAIN_SETTING";
    static constexpr const char* EQUALIZER_CTRL_A_SETTING = "EQUALIZER_CTRL_A_SETTING";
    static constexpr const char* EQUALIZER_CTRL_B_SETTING = "EQUALIZER_CTRL_B_SETTING";
    static constexpr const char* EQUALIZER_CTRL_C_SETTING = "EQUALIZER_CTRL_C_SETTING";
    static constexpr const char* EQUALIZER_CTRL_D_SETTING = "EQUALIZER_CTRL_D_SETTING";
    static constexpr const char* EQUALIZER_CTRL_V_SETTING = "EQUALIZER_CTRL_V_SETTING";
    static constexpr const char* RX_COMMON_MODE = "RX_COMMON_MODE";
    static constexpr const char* RX_FORCE_SIGNAL_DETECT = "RX_FORCE_SIGNAL_DETECT";
    static constexpr const char* RX_SIGNAL_DETECT_THRESHOLD = "RX_SIGNAL_DETECT_THRESHOLD";
    static constexpr const char* RECEIVER_TERMINATION = "RECEIVER_TERMINATION";
    static constexpr const char* STARTING_CHANNEL_NUMBER = "STARTING_CHANNEL_NUMBER";
    static constexpr const char* RX_ENABLE_SELF_TEST_MODE = "RX_ENABLE_SELF_TEST_MODE";
    static constexpr const char* RX_SELF_TEST_MODE = "RX_SELF_TEST_MODE";
    static constexpr const char* RX_RATE_MATCH_FIFO_MODE = "RX_RATE_MATCH_FIFO_MODE";
    static constexpr const char* RX_RATE_MATCH_PATTERN_SIZE = "RX_RATE_MATCH_PATTERN_SIZE";
    static constexpr const char* RX_RATE_MATCH_PATTERN1 = "RX_RATE_MATCH_PATTERN1";
    static constexpr const char* RX_RATE_MATCH_PATTERN2 = "RX_RATE_MATCH_PATTERN2";
    static constexpr const char* RX_RATE_MATCH_BACK_TO_BACK = "RX_RATE_MATCH_BACK_TO_BACK";
    static constexpr const char* RX_USE_RATE_MATCH_PATTERN1_ONLY = "RX_USE_RATE_MATCH_PATTERN1_ONLY";
    static constexpr const char* RX_RATE_MATCH_SKIP_SET_BASED = "RX_RATE_MATCH_SKIP_SET_BASED";
    static constexpr const char* RX_RUN_LENGTH_ENABLE = "RX_RUN_LENGTH_ENABLE";
    static constexpr const char* RX_RUN_LENGTH = "RX_RUN_LENGTH";
    static constexpr const char* RX_8B_10B_MODE = "RX_8B_10B_MODE";
    static constexpr const char* RX_8B_10B_COMPATIBILITY_MODE = "RX_8B_10B_COMPATIBILITY_MODE";
    static constexpr const char* RX_BYTE_ORDERING_MODE = "RX_BYTE_ORDERING_MODE";
    static constexpr const char* RX_BYTE_ORDER_PATTERN = "RX_BYTE_ORDER_PATTERN";
    static constexpr const char* RX_BYTE_ORDER_PAD_PATTERN = "RX_BYTE_ORDER_PAD_PATTERN";
    static constexpr const char* RX_ENABLE_LOCK_TO_REFCLK_SIG = "RX_ENABLE_LOCK_TO_REFCLK_SIG";
    static constexpr const char* RX_ENABLE_LOCK_TO_DATA_SIG = "RX_ENABLE_LOCK_TO_DATA_SIG";
    static constexpr const char* TX_CHANNEL_WIDTH = "TX_CHANNEL_WIDTH";
    static constexpr const char* TX_USE_DOUBLE_DATA_MODE = "TX_USE_DOUBLE_DATA_MODE";
    static constexpr const char* TX_USE_SERIALIZER_DOUBLE_DATA_MODE = "TX_USE_SERIALIZER_DOUBLE_DATA_MODE";
    static constexpr const char* TX_DATA_RATE_REMAINDER = "TX_DATA_RATE_REMAINDER";
    static constexpr const char* CMU_PLL_INCLOCK_PERIOD = "CMU_PLL_INCLOCK_PERIOD";
    static constexpr const char* TX_ANALOG_POWER = "TX_ANALOG_POWER";
    static constexpr const char* TX_COMMON_MODE = "TX_COMMON_MODE";
    static constexpr const char* PREEMPHASIS_CTRL_1STPOSTTAP_SETTING = "PREEMPHASIS_CTRL_1STPOSTTAP_SETTING";
    static constexpr const char* PREEMPHASIS_CTRL_2NDPOSTTAP_INV_SETTING = "PREEMPHASIS_CTRL_2NDPOSTTAP_INV_SETTING";
    static constexpr const char* PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING = "PREEMPHASIS_CTRL_2NDPOSTTAP_SETTING";
    static constexpr const char* PREEMPHASIS_CTRL_PRETAP_INV_SETTING = "PREEMPHASIS_CTRL_PRETAP_INV_SETTING";
    static constexpr const char* PREEMPHASIS_CTRL_PRETAP_SETTING = "PREEMPHASIS_CTRL_PRETAP_SETTING";
    static constexpr const char* VOD_CTRL_SETTING = "VOD_CTRL_SETTING";
    static constexpr const char* TRANSMITTER_TERMINATION = "TRANSMITTER_TERMINATION";
    static constexpr const char* TX_ENABLE_SELF_TEST_MODE = "TX_ENABLE_SELF_TEST_MODE";
    static constexpr const char* TX_SELF_TEST_MODE = "TX_SELF_TEST_MODE";
    static constexpr const char* TX_8B_10B_MODE = "TX_8B_10B_MODE";
    static constexpr const char* TX_8B_10B_COMPATIBILITY_MODE = "TX_8B_10B_COMPATIBILITY_MODE";
    static constexpr const char* TX_ENABLE_IDLE_SELECTION = "TX_ENABLE_IDLE_SELECTION";
    static constexpr const char* USE_CALIBRATION_BLOCK = "USE_CALIBRATION_BLOCK";
    static constexpr const char* RX_USE_CRUCLK = "RX_USE_CRUCLK";
    static constexpr const char* RX_CRU_INCLOCK_PERIOD = "RX_CRU_INCLOCK_PERIOD";
    static constexpr const char* RX_USE_CLKOUT = "RX_USE_CLKOUT";
    static constexpr const char* RX_DATAPATH_PROTOCOL = "RX_DATAPATH_PROTOCOL";
    static constexpr const char* RX_USE_DESKEW_FIFO = "RX_USE_DESKEW_FIFO";
    static constexpr const char* RX_ALLOW_PIPE_POLARITY_INVERSION = "RX_ALLOW_PIPE_POLARITY_INVERSION";
    static constexpr const char* RX_DISABLE_AUTO_IDLE_INSERTION = "RX_DISABLE_AUTO_IDLE_INSERTION";
    static constexpr const char* RX_BITSLIP_ENABLE = "RX_BITSLIP_ENABLE";
    static constexpr const char* RX_USE_ALIGN_STATE_MACHINE = "RX_USE_ALIGN_STATE_MACHINE";
    static constexpr const char* RX_ALIGN_PATTERN_LENGTH = "RX_ALIGN_PATTERN_LENGTH";
    static constexpr const char* RX_ALIGN_PATTERN = "RX_ALIGN_PATTERN";
    static constexpr const char* RX_ALLOW_ALIGN_POLARITY_INVERSION = "RX_ALLOW_ALIGN_POLARITY_INVERSION";
    static constexpr const char* RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN = "RX_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN";
    static constexpr const char* RX_ENABLE_BIT_REVERSAL = "RX_ENABLE_BIT_REVERSAL";
    static constexpr const char* RX_ENABLE_DEEP_ALIGN_BYTE_SWAP = "RX_ENABLE_DEEP_ALIGN_BYTE_SWAP";
    static constexpr const char* RX_FLIP_RX_OUT = "RX_FLIP_RX_OUT";
    static constexpr const char* TX_TRANSMIT_PROTOCOL = "TX_TRANSMIT_PROTOCOL";
    static constexpr const char* TX_FLIP_TX_IN = "TX_FLIP_TX_IN";
    static constexpr const char* TX_USE_CORECLK = "TX_USE_CORECLK";
    static constexpr const char* RX_CHANNEL_BONDING = "RX_CHANNEL_BONDING";
    static constexpr const char* TX_CHANNEL_BONDING = "TX_CHANNEL_BONDING";
    static constexpr const char* RX_RATE_MATCH_ORDERED_SET_BASED = "RX_RATE_MATCH_ORDERED_SET_BASED";
    static constexpr const char* RX_USE_PIPE8B10BINVPOLARITY = "RX_USE_PIPE8B10BINVPOLARITY";
    static constexpr const char* RX_ALIGN_LOSS_SYNC_ERROR_NUM = "RX_ALIGN_LOSS_SYNC_ERROR_NUM";
    static constexpr const char* RX_NUM_ALIGN_CONS_GOOD_DATA = "RX_NUM_ALIGN_CONS_GOOD_DATA";
    static constexpr const char* RX_NUM_ALIGN_CONS_PAT = "RX_NUM_ALIGN_CONS_PAT";
    static constexpr const char* TX_FORCE_DISPARITY_MODE = "TX_FORCE_DISPARITY_MODE";
    static constexpr const char* TX_ENABLE_BIT_REVERSAL = "TX_ENABLE_BIT_REVERSAL";
    static constexpr const char* TX_ALLOW_POLARITY_INVERSION = "TX_ALLOW_POLARITY_INVERSION";
};

// The whole catalogue, in the order above (wizard variables, then parameters).
extern const char* const KVGXB_WIZARD_VARIABLE_NAMES[];
extern const int KVGXB_WIZARD_VARIABLE_NAME_COUNT;
extern const char* const KVGXB_PARAMETER_NAMES[];
extern const int KVGXB_PARAMETER_NAME_COUNT;

// Protocol names as the user sees them, and the Basic loopback choices.
extern const char* const KVGXB_PROTOCOL_BASIC;             // "Basic"
extern const char* const KVGXB_PROTOCOL_XAUI;              // "XAUI"
extern const char* const KVGXB_PROTOCOL_GIGE;              // "GIGE"
extern const char* const KVGXB_PROTOCOL_PCIE;              // "PCI Express (PIPE)"
extern const char* const KVGXB_PROTOCOL_CEI;               // "(OIF) CEI PHY Interface"
extern const char* const KVGXB_PROTOCOL_SONET;             // "SONET Backplane"
extern const char* const KVGXB_PROTOCOL_SDI;               // "SDI"
extern const char* const KVGXB_SUBPROTOCOL_NA;             // "N/A"
extern const char* const KVGXB_SUB_NO_LOOPBACK;            // "No Loopback"
extern const char* const KVGXB_SUB_SERIAL_LOOPBACK;        // "Serial Loopback"
extern const char* const KVGXB_SUB_PARALLEL_BIST;          // "Parallel loopback/BIST"
extern const char* const KVGXB_SUB_REV_SERIAL_LOOPBACK;    // "Rev. Serial loopback"
extern const char* const KVGXB_SUB_PRBS_SERIAL_LOOPBACK;   // "PRBS/Serial loopback"
extern const char* const KVGXB_SUB_PRBS_NO_LOOPBACK;       // "PRBS/No loopback"

// Shared display texts.
extern const char* const INPUT_MODE_DATA_RATE_STRING;   // "Data rate"
extern const char* const INPUT_MODE_FREQ_STRING;        // "Input clock frequency"
extern const char* const INPUT_MODE_PERIOD_STRING;      // "Input clock period"
extern const char* const KVGXB_FEASIBLE_STRING;         // "Able to implement the requested GXB"
extern const char* const KVGXB_NOT_FEASIBLE_STRING;     // "Cannot implement the requested GXB"
extern const char* const KVGXB_NOT_AVAILABLE_STRING;    // "Not Available"
extern const char* const data_rate_default;             // "622"

// Special values of a preset row.
extern const char* const KVGXB_PRESET_ANY_VALUE;   // "any_value"
extern const char* const KVGXB_PRESET_NOT_USED;    // "Not_Used"
extern const char* const KVGXB_PRESET_INVALID;     // "Invalid"
// A setting that is neither a parameter nor a wizard variable of the description.
extern const char* const KVGXB_BEEP_VALUE;          // "BEEP"

// ------------------------------------------------------------ enumerations

enum OPERATION_MODE { KVGXB_OPMODE_RX_ONLY = 0, KVGXB_OPMODE_TX_ONLY = 1, KVGXB_OPMODE_RX_AND_TX = 2 };
enum LOOPBACK_MODE { KVGXB_LOOPBACK_NONE = 0, KVGXB_LOOPBACK_SLB = 1, KVGXB_LOOPBACK_PLB = 2 };
enum REVERSE_LOOPBACK_MODE {
    KVGXB_REV_LOOPBACK_NONE = 0,
    KVGXB_REV_LOOPBACK_PRECDR_RSLB = 1,
    KVGXB_REV_LOOPBACK_POSTCDR_RSLB = 2,
    KVGXB_REV_LOOPBACK_RPLB = 3
};
enum KVGXB_DPRIO_TYPE { KVGXB_DPRIO_NONE = 0, KVGXB_DPRIO_PMA_ELECTRICALS = 1, KVGXB_DPRIO_FULL = 2 };
enum KVGXB_RATE_MATCH_FIFO_MODE {
    KVGXB_RMFIFO_NORMAL = 0,
    KVGXB_RMFIFO_CASCADED = 1,
    KVGXB_RMFIFO_GENERIC = 2,
    KVGXB_RMFIFO_NONE = 3
};
enum KVGXB_8B10B_MODE { KVGXB_8B10B_NORMAL = 0, KVGXB_8B10B_CASCADED = 1, KVGXB_8B10B_NONE = 2 };
enum KVGXB_BYTE_ORDER_MODE { KVGXB_BYTE_ORDER_PATTERN = 0, KVGXB_BYTE_ORDER_SYNCSTATUS = 1, KVGXB_BYTE_ORDER_NONE = 2 };
enum KVGXB_SELFTEST_MODE {
    KVGXB_SELFTEST_NONE = 0,
    KVGXB_SELFTEST_PRBS_7 = 1,
    KVGXB_SELFTEST_PRBS_8 = 2,
    KVGXB_SELFTEST_PRBS_10 = 3,
    KVGXB_SELFTEST_PRBS_23 = 4,
    KVGXB_SELFTEST_LOW_FREQ = 5,
    KVGXB_SELFTEST_MIXED_FREQ = 6,
    KVGXB_SELFTEST_HIGH_FREQ = 7,
    KVGXB_SELFTEST_INCREMENTAL = 8,
    KVGXB_SELFTEST_CJPAT = 9,
    KVGXB_SELFTEST_CRPAT = 10
};
// Word aligner: manual alignment, bit slip, automatic synchronisation state machine.
enum KVGXB_WORD_ALIGNER_MODE { KVGXB_ALIGNER_MANUAL = 0, KVGXB_ALIGNER_BITSLIP = 1, KVGXB_ALIGNER_AUTOMATIC = 2 };

// Feasibility reason codes.
enum KVGXB_FEASIBILITY_REASON {
    KVGXB_FEASIBLE = 0,
    KVGXB_REASON_ALIGN_PATTERN_LENGTH = 1,
    KVGXB_REASON_DATA_RATE = 2,
    KVGXB_REASON_NO_PRESET = 3,
    KVGXB_REASON_BYTE_ORDER_PATTERN = 4,
    KVGXB_REASON_BYTE_ORDER_PAD_PATTERN = 5,
    KVGXB_REASON_RMFIFO_PATTERN1 = 6,
    KVGXB_REASON_RMFIFO_PATTERN2 = 7
};

// Rows of two 10-character names, old and new, ended by a row whose first
// name is empty.
struct TABLE10 {
    char old_name[11];
    char new_name[11];
};

// One row of the parameter-to-atom name map.
class brixfx_wysiwyg_name_map : public CObject {
public:
    brixfx_wysiwyg_name_map(const CString& brixfx_name, const CString& wysiwyg_name)
        : m_brixfx_name(brixfx_name), m_wysiwyg_name(wysiwyg_name) {}
    const CString& get_brixfx_name() const { return m_brixfx_name; }
    const CString& get_wysiwyg_name() const { return m_wysiwyg_name; }

private:
    CString m_brixfx_name;
    CString m_wysiwyg_name;
};

// ------------------------------------------------------------------ presets

// The 22 device-database questions asked for every configuration key, in
// the order their answers arrive, with the setting each answer describes.
// Rows 0 to 13 decide whether a preset matches; rows 14 to 21 follow it.
struct KVGXB_PRESET_QUERY {
    const char* query;
    const char* describes;
};
extern const KVGXB_PRESET_QUERY KVGXB_PRESET_QUERY_TBL[];
constexpr int KVGXB_PRESET_QUERY_COUNT = 22;
constexpr int KVGXB_PRESET_KEY_ROW_COUNT = 14;

// One legal device configuration, filed from the database answers of its key.
class KVGXB_PRESET_PARAM_ITEM : public CObject {
public:
    CString config_key;
    CString protocol;
    CString subprotocol;
    // Owned rows in arrival order: element 0 the row name, then the allowed values.
    std::vector<std::unique_ptr<CStringArray>> rows;

    // The first row of that name (case-insensitive), or null.
    const CStringArray* find_row(const char* name) const;
};

// A port the configuration uses and its width in bits.
struct KVGXB_USED_PORT {
    CString name;
    int width;
    bool is_input;
};

// Protocol groups of the preset table, in the order their first indexes are kept.
constexpr int KVGXB_PROTOCOL_GROUP_COUNT = 7;

// ------------------------------------------------------------------ the model

class KVGXB_WIZARD_MODEL {
public:
    KVGXB_WIZARD_MODEL();
    virtual ~KVGXB_WIZARD_MODEL();
    KVGXB_WIZARD_MODEL(const KVGXB_WIZARD_MODEL&) = delete;
    KVGXB_WIZARD_MODEL& operator=(const KVGXB_WIZARD_MODEL&) = delete;

    // The description the preset layer and the matching work on; not owned.
    // (The wizard framework's own get_cnx_manager() is the one to attach.)
    void set_model_cnx_manager(CRCNX_MANAGER* manager) { m_cnx_manager = manager; }
    CRCNX_MANAGER* get_model_cnx_manager() const { return m_cnx_manager; }

    // ---------------------------------------------------------- settings
    CString protocol = "Basic";                 // WIZ_PROTOCOL
    CString subprotocol = "N/A";                // WIZ_SUBPROTOCOL
    bool force_default_settings = false;        // WIZ_FORCE_DEFAULT_SETTINGS
    int operation_mode = KVGXB_OPMODE_RX_AND_TX;
    int number_of_channels = 8;
    int channel_width = 8;                      // RX_CHANNEL_WIDTH / TX_CHANNEL_WIDTH
    bool single_width_mode = true;              // not RX/TX double data mode
    int input_selection = 0;                    // 0 data rate, 1 clock frequency, 2 clock period
    CString input_a = "622";
    CString input_a_unit = "Mbps";
    CString input_b = "31.100";
    CString input_b_unit = "MHz";
    CString previous_input_b_unit = "MHz";
    int previous_input_selection = 0;
    CString previous_protocol = "Basic";
    CString cmu_pll_bw = "High";
    CString rx_pll_bw = "Medium";
    CString rx_ppm = "+/- 1000";                // displayed receiver PPM tolerance
    CString rx_vcm = "0.6";                     // WIZ_RX_VCM
    bool external_rx_termination = false;
    int rx_termination = 100;
    CString vcchtx = "1.2";                     // WIZ_VCCHTX
    CString tx_vcm = "0.6";                     // WIZ_TX_VCM
    bool external_tx_termination = false;
    int tx_termination = 100;
    bool enable_equalizer_ctrl = false;
    int equalizer_ctrl_setting = 0;
    int equalizer_dcgain_setting = 0;
    // Signed taps; the first post-tap holds its device setting (see set_tx_preemp_tap_1).
    int preemp_1st_posttap = 1;
    int preemp_2nd_posttap = 1;
    int preemp_pretap = 1;
    // Millivolts; the first update cycle moves it into the VOD list.
    int vod_ctrl_setting = 0;
    bool use_calibration_block = true;
    int endec_8b10b_mode = KVGXB_8B10B_NONE;
    int rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
    int rate_match_pattern_size = 20;
    CString rate_match_pattern1 = "00000000000000000000";
    CString rate_match_pattern2 = "00000000000000000000";
    CString align_pattern = "0010111100";
    int align_pattern_length = 10;
    bool word_align_flip_pattern = true;
    int word_aligner_mode = KVGXB_ALIGNER_MANUAL;
    bool rising_edge_pattern_align = false;
    bool allow_align_polarity_inversion = false;
    bool use_phase_comp_fifo = false;
    int align_loss_sync_error_num = 1;
    int num_align_cons_good_data = 1;
    int num_align_cons_pat = 1;
    bool run_length_enable = false;
    int run_length = 20;
    int byte_order_mode = KVGXB_BYTE_ORDER_NONE;
    CString byte_order_pattern;
    CString byte_order_pad_pattern;
    bool rx_enable_bit_reversal = false;
    bool tx_enable_bit_reversal = false;
    bool tx_allow_polarity_inversion = false;
    bool tx_force_disparity_mode = false;
    bool rx_flip_rx_out = false;
    bool tx_flip_tx_in = false;
    bool rx_force_signal_detect = false;
    int rx_signal_detect_threshold = 2;
    bool rx_enable_dc_coupling = false;
    int selftest_mode = KVGXB_SELFTEST_NONE;
    int loopback_mode = KVGXB_LOOPBACK_NONE;
    int reverse_loopback_mode = KVGXB_REV_LOOPBACK_NONE;
    int dprio_type = KVGXB_DPRIO_NONE;
    int starting_channel_number = 0;
    CString tcl_key = "VELARISIIGX_CONFIG_MODE_BASIC_2G_1";  // WIZ_TCL_KEY

    // Optional ports by port name ("rx_syncstatus", "pll_inclk", "rx_clkout",
    // "pipe8b10binvpolarity", ...). "pll_inclk" is always used.
    bool is_port_used(const char* port) const;
    void set_port_used(const char* port, bool used);
    const std::map<std::string, bool>& get_port_flags() const { return m_port_flags; }

    // ----------------------------------------------------- change flags
    bool protocol_changed = false;
    bool subprotocol_changed = false;
    bool force_default_changed = false;          // defaults requested
    bool deserializer_width_changed = false;
    bool channel_width_changed = false;
    bool input_selection_changed = false;
    bool input_b_changed = false;
    bool input_b_unit_changed = false;

    // ------------------------------------------------------ feasibility
    bool is_feasible = true;
    int feasibility_reason = KVGXB_FEASIBLE;
    bool evaluate_gxb_feasibility();
    // Headline and cause line ("" for a feasible configuration, else
    // "Cause: ..." with its numbers).
    CString get_feasibility_status_text() const;
    CString get_feasibility_cause_text() const;
    // Length the byte-order and pad patterns must have.
    int get_required_byte_order_length() const;

    // ------------------------------------------------------- update cycle
    void update_wizard();
    bool is_byte_order_allowed_in_basic() const;
    // Hooks for the wizard framework: replacing the protocol pages, and
    // refreshing every page at the end of the cycle.
    virtual void switch_protocol_page() {}
    virtual void refresh_all_pages() {}
    // Parameter generation: the model written into the description as
    // wizard variables, the module, constants and the used ports with their
    // connections. Every call rebuilds the model's records, so the
    // description holds exactly what the current model says.
    virtual void wizard_var_to_param();
    // Read-back: the whole model rebuilt from the description (a variation
    // being edited), absent records giving their defaults. The protocol
    // pages are the wizard's to place; previous_protocol is the protocol read.
    virtual void param_to_wizard_var();
    // Read-back of the settings the preset layer may change, after a match
    // or a preset default; a setting without a record keeps its value.
    virtual void param_to_wizard_var_init_complete();

    // The ports the configuration uses, with their widths, in symbol order
    // (inputs, then outputs).
    std::vector<KVGXB_USED_PORT> get_used_ports() const;
    // The text lines under the symbol that summarise the configuration.
    CStringArray get_symbol_summary_lines();

    // ------------------------------------------------- protocol defaults
    void set_xaui_defaults();
    void set_gige_defaults();
    void set_pci_defaults();
    void set_sonet_defaults();
    void set_cei_phy_defaults();
    void set_sdi_defaults();
    void set_basic_defaults();
    void set_default_params_on_protocol_change();
    void set_default_params_on_subprotocol_change();

    // ------------------------------------------------------- preset table
    // Files one answer row of the device database: element 0 the row name
    // (with or without trailing ':' and blanks), then the answer's elements.
    void add_new_entry_to_preset_param_tbl(CStringArray* row);
    // Files the answer to preset query number n (0 to 21, taken modulo 22):
    // the row name of that query is put in front of the answer's elements.
    void file_preset_answer(int query_number, const CStringArray& answer);
    // Inserts a started item into the preset list, which takes ownership.
    void create_new_entry_and_add(KVGXB_PRESET_PARAM_ITEM* item);
    // Name of the first key row that does not match, "" on a full match.
    CString does_current_config_match_this_preset_param(KVGXB_PRESET_PARAM_ITEM* item, int index);
    CString tcl_value2wiz_value(const CString& name, const CString& value) const;
    CString wiz_value2tcl_value(const CString& name, const CString& value) const;
    static CString tcl_cmd2wiz_param(const CString& query);

    int get_preset_count() const { return static_cast<int>(m_presets.size()); }
    KVGXB_PRESET_PARAM_ITEM* get_preset(int index) const;
    KVGXB_PRESET_PARAM_ITEM* get_current_preset() const { return get_preset(current_preset_index); }
    // First index of the protocol's group, -1 when it has no preset.
    int get_protocol_group_first_index(const CString& protocol_name) const;
    int current_preset_index = -1;
    int closest_mismatch_count = 0;
    CString closest_failing_name;
    bool double_width_allowed = false;     // some configuration offers deserializer double data
    // Position in the 22-row cycle of the next answer.
    int preset_row_counter = 0;
    // Enumeration progress of the start-up query sequence (driven by the general page).
    int key_index = 0;
    int query_index = 0;
    bool inclk_list_pending = false;
    bool data_rate_list_pending = false;

    // ------------------------------------------------------- value lists
    CStringArray protocol_array_list;
    CStringArray subprotocol_array_list;
    CStringArray opmode_array_list;
    CStringArray channel_num_array_list;
    CStringArray channel_width_array_list;
    CStringArray data_rate_array_list;
    CStringArray inclk_frequency_array_list;
    CStringArray word_align_pattern_length_array_list;
    CStringArray run_length_array_list;
    CStringArray rxppm_array_list;
    CStringArray preemp_tap1_array_list;
    CStringArray rmfifo_almost_full_list;
    CStringArray rmfifo_almost_empty_list;
    CStringArray vcchtx_array_list;
    CStringArray vod_array_list;
    CStringArray vcm_array_list;
    CStringArray rx_vcm_array_list;
    CStringArray key_array_list;

    CStringArray& get_combobox_protocols();
    CStringArray& get_combobox_subprotocols();
    CStringArray& get_combobox_opmodes();
    CStringArray& get_combobox_channel_numbers();
    CStringArray& get_combobox_channel_widths();
    CStringArray& get_combobox_inclk_frequency();
    CStringArray& get_combobox_data_rate(bool keep = true);
    CStringArray& get_combobox_word_align_pattern_lengths();
    CStringArray& get_combobox_run_lengths();
    CStringArray& get_combobox_rxppm();
    CStringArray& get_combobox_tx_preemp_tap_1s();
    CStringArray& get_combobox_rmfifo_almost_fulls();
    CStringArray& get_combobox_rmfifo_almost_emptys();
    CStringArray& get_combobox_rx_vcm_settings();
    CStringArray& get_combobox_vcchtx_settings();
    CStringArray& get_combobox_vcm_settings();
    CStringArray& get_combobox_vod_settings();

    // --------------------------------------------- data rate, input clock
    void set_data_rate_mbps(float mbps);
    void set_data_rate_string(const CString& text);
    CString get_data_rate_string() const;
    int get_data_rate_mbps() const;
    int get_data_rate_mbps_remainder() const;
    void set_inclk_frequency_mhz(float mhz);
    void set_inclk_frequency_mhz_string(const CString& mhz);
    void set_inclk_period_ns(float ns);
    double get_inclk_frequency_mhz() const;
    CString get_inclk_frequency_mhz_string() const;
    double get_inclk_period_ns() const;
    CString get_data_rate_default() const { return data_rate_default; }
    bool is_current_data_rate_valid();
    void handle_cei_phy_data_rate();
    // Rearranges the two inputs for a new input selection (the previous one
    // is previous_input_selection).
    void apply_input_selection_change();
    CString get_wizard_unused_parameter(const CString& name);

    // ------------------------------------------ analog and width helpers
    int get_vod_iter_setting();
    void set_tx_preemp_tap_1(int position);
    void check_and_set_tx_preemp_tap_1_real();
    // (low, count) of the first post-tap window for the current VOD setting.
    void get_preemp_1posttap_window(int& low, int& count);
    int get_rx_dwidth_factor() const;
    int get_deserialization_factor() const;
    int get_equalizer_ctrl_a_setting() const;
    int get_equalizer_ctrl_b_setting() const;
    int get_equalizer_ctrl_c_setting() const;
    int get_equalizer_ctrl_d_setting() const;
    int get_equalizer_ctrl_v_setting() const;
    CString get_vcm() const { return tx_vcm; }
    int get_digitalreset_port_width() const;
    CString get_rx_termination_str() const;
    CString get_tx_termination_str() const;
    bool is_rate_matching_on() const;

    // ------------------------------------------ protocol codes and enums
    CString protocol_enum2string(const CString& code) const;
    int protocol_string2enum(const CString& name);
    CString get_protocol_for_cnx() const;
    CString get_protocol_from_cnx(const CString& key);
    CString opmode_enum2string(int mode);
    int opmode_string2enum(const CString& text) const;
    static CString loopback_mode_enum2string(int mode);
    static int loopback_mode_string2enum(const CString& text);
    static CString reverse_loopback_mode_enum2string(int mode);
    static int reverse_loopback_mode_string2enum(const CString& text);
    static CString dprio_enum2string(int mode);
    static int dprio_string2enum(const CString& text);
    static CString rmfifo_enum2string(int mode);
    static int rmfifo_string2enum(const CString& text);
    static CString byte_order_enum2str(int mode);
    static int byte_order_str2enum(const CString& text);
    static CString endecoder_8b10b_enum2string(int mode);
    static int endecoder_8b10b_string2enum(const CString& text);
    static CString selftest_enum2string(int mode);
    static int selftest_string2enum(const CString& text);
    int cmu_pll_bw_str2cmu_pll_bw_int() const;
    static CString cmu_pll_bw_int2cmu_pll_bw_str(int value);
    int rx_pll_bw_str2rx_pll_bw_int() const;
    static CString rx_pll_bw_int2rx_pll_bw_str(int value);
    static int ppm_displayed2ppm_actual(const CString& displayed);
    static CString ppm_actual2ppm_displayed(int actual);

    // ------------------------------------------------ names and patterns
    void initialize_brixfx_wysiwyg_name_tbl();
    CString brixfx_name2wysiwyg_name(const CString& name) const;
    CString wysiwyg_name2brixfx_name(const CString& name) const;
    int get_name_map_count() const { return static_cast<int>(m_name_map.size()); }
    static CString get_8b10bcode(const char* code);
    static CString binary2hex(const char* bits);
    static CString uint2binstr(unsigned value);
    static CString new2old(const TABLE10* table, const char* name);
    static CString old2new(const TABLE10* table, const char* name);
    // Default word-align pattern of a pattern length, "" for other lengths.
    static CString get_default_align_pattern(int length);

    // "kvgxb.cpp: <operation>, <item>" through the message box.
    static void report_internal_error(const char* operation, const char* item);

protected:
    // Description access: constants first, then wizard variables.
    enum class DESC_KIND { NONE, CONSTANT, PRIVATE };
    DESC_KIND lookup_description_value(const CString& name, CString& value) const;
    void write_description_constant(const CString& name, const CString& value);
    void write_description_private(const CString& name, const CString& value);
    // Value of a preset row's setting for matching: RX_ names become TX_ ones
    // in transmitter-only mode; "BEEP" when the description lacks it.
    CString get_current_value_for_match(const CString& row_name) const;
    // Whether the current value is one of the row's allowed values, with the
    // range and trailing-zero rules of the data-rate and clock rows.
    bool is_value_allowed(const CString& row_name, const CString& current, const CStringArray& row) const;

private:
    bool is_loopback_subprotocol() const;
    bool is_prbs_subprotocol() const;
    bool is_protocol(const char* name) const;
    void apply_basic_coding_rules();
    void apply_basic_double_width_rules();
    void apply_basic_single_width_rules();
    void apply_subprotocol_defaults();
    void apply_pattern_phase();
    void apply_fixed_protocol_defaults();
    void set_input_selection_to_data_rate();
    void apply_fixed_common_defaults();
    int protocol_group_slot(const CString& protocol_name) const;
    void recompute_group_indexes();
    CString& data_rate_field();
    CString& data_rate_unit();
    CString& clock_field();
    CString& clock_unit();
    const CString& data_rate_field() const;
    const CString& clock_field() const;
    const CString& clock_unit() const;

    CRCNX_MANAGER* m_cnx_manager = nullptr;
    std::vector<std::unique_ptr<KVGXB_PRESET_PARAM_ITEM>> m_presets;
    int m_group_first_index[KVGXB_PROTOCOL_GROUP_COUNT];
    KVGXB_PRESET_PARAM_ITEM* m_filling_item = nullptr;  // owned until inserted
    std::unique_ptr<KVGXB_PRESET_PARAM_ITEM> m_unfiled_item;
    int m_items_started = 0;
    CStringArray* current_pending_subprotocol_list = nullptr;
    std::map<std::string, bool> m_port_flags;
    std::map<std::string, std::unique_ptr<brixfx_wysiwyg_name_map>> m_name_map;
    std::vector<std::string> m_name_map_order;
};
