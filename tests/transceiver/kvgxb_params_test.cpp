// Parameter generation and read-back: the written description, the model
// rebuilt from it, value rules, ports and the symbol's summary text.
#include <algorithm>
#include <functional>

#include "transceiver/kvgxb_test_support.h"

namespace {

struct CONFIGURATION {
    const char* protocol;
    const char* subprotocol;  // nullptr: the protocol's own
    int operation_mode;
    int double_width;         // channel width in double-width mode, 0 for single width
};

// The protocol's defaults as the pages bring them about, then the variations.
void configure(KVGXB_TEST_WIZARD& m, const CONFIGURATION& c) {
    auto cycle = [&] { kvgxb_run_cycle(m); };
    m.previous_protocol = m.protocol;
    m.protocol = c.protocol;
    m.protocol_changed = m.subprotocol_changed = true;
    cycle();
    if (c.subprotocol) {
        m.subprotocol = c.subprotocol;
        m.subprotocol_changed = true;
        cycle();
    }
    if (c.double_width) {
        m.single_width_mode = false;
        m.channel_width = c.double_width;
        m.deserializer_width_changed = m.channel_width_changed = true;
        m.set_data_rate_mbps(5000);
        cycle();
    }
    m.operation_mode = c.operation_mode;
    cycle();
}

}  // namespace

using KvgxbParams = KvgxbModelTest;

TEST_F(KvgxbParams, GeneratedDescriptionReadsBackIntoTheSameDescription) {
    const CONFIGURATION configurations[] = {
        {"XAUI", nullptr, KVGXB_OPMODE_RX_AND_TX, 0},
        {"GIGE", nullptr, KVGXB_OPMODE_RX_AND_TX, 0},
        {"PCI Express (PIPE)", "x4", KVGXB_OPMODE_RX_AND_TX, 0},
        {"(OIF) CEI PHY Interface", nullptr, KVGXB_OPMODE_RX_AND_TX, 0},
        {"SONET Backplane", "OC48", KVGXB_OPMODE_RX_AND_TX, 0},
        {"SDI", nullptr, KVGXB_OPMODE_RX_AND_TX, 0},
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, 0},
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_ONLY, 0},
        {"Basic", "No Loopback", KVGXB_OPMODE_TX_ONLY, 0},
        {"Basic", "No Loopback", KVGXB_OPMODE_RX_AND_TX, 40},
    };
    for (const CONFIGURATION& c : configurations) {
        SCOPED_TRACE(testing::Message() << c.protocol << " mode " << c.operation_mode << " width " << c.double_width);
        // Every configuration starts from another protocol's records: none may survive.
        CRCNX_MANAGER written;
        KVGXB_TEST_WIZARD m;
        m.set_model_cnx_manager(&written);
        configure(m, {"PCI Express (PIPE)", "x8", KVGXB_OPMODE_RX_AND_TX, 0});
        configure(m, c);
        m.wizard_var_to_param();
        const CString text = written.get_cnx_text("kv2gxb", false);
        m.wizard_var_to_param();
        EXPECT_EQ(written.get_cnx_text("kv2gxb", false), text);

        CRCNX_MANAGER read;
        read.read_cnx_info_from_text(text);
        KVGXB_WIZARD_MODEL back;
        back.set_model_cnx_manager(&read);
        back.param_to_wizard_var();
        EXPECT_EQ(back.previous_protocol, c.protocol);
        back.wizard_var_to_param();
        EXPECT_EQ(read.get_cnx_text("kv2gxb", false), text);

        // No receiver record without a receiver, no transmitter record without a transmitter.
        for (const auto& [record, other_side] : {std::pair{"CONSTANT: RX_", KVGXB_OPMODE_TX_ONLY},
                                                 {"USED_PORT: rx_", KVGXB_OPMODE_TX_ONLY},
                                                 {"CONSTANT: TX_", KVGXB_OPMODE_RX_ONLY},
                                                 {"USED_PORT: tx_", KVGXB_OPMODE_RX_ONLY}})
            EXPECT_EQ(text.Find(record) >= 0, c.operation_mode != other_side) << record;
        EXPECT_EQ(text.Find("pipe") >= 0, CString(c.protocol) == "PCI Express (PIPE)");
        EXPECT_GE(text.Find("CONNECT: @pll_inclk 0 0 0 0 pll_inclk 0 0 0 0\n"), 0);
    }
}

TEST_F(KvgxbParams, ReadBackFillsWhatTheDescriptionLacks) {
    auto state = [](KVGXB_WIZARD_MODEL& m) {
        CString s;
        s.Format("%s|%s|%s %s|%s %s|%s|%d %d %d|%s %s|%s|%s %s|%s|%s %s %s|%s", m.protocol.c_str(),
                 m.subprotocol.c_str(), m.input_a.c_str(), m.input_a_unit.c_str(), m.input_b.c_str(),
                 m.input_b_unit.c_str(), m.inclk_frequency_array_list.GetAt(0).c_str(), m.operation_mode,
                 m.channel_width, m.single_width_mode, m.endecoder_8b10b_enum2string(m.endec_8b10b_mode).c_str(),
                 m.selftest_enum2string(m.selftest_mode).c_str(), m.rx_vcm.c_str(), m.vcchtx.c_str(), m.tx_vcm.c_str(),
                 m.align_pattern.c_str(), m.rate_match_pattern1.c_str(), m.byte_order_pattern.c_str(),
                 m.byte_order_pad_pattern.c_str(), m.use_calibration_block ? "cal" : "no cal");
        return s;
    };
    const struct {
        const char* description;
        const char* state;
    } cases[] = {
        {"", "Basic|No Loopback|2500 Mbps|62.2 MHz|62.2|2 8 1|normal prbs_7|0.85|1.5 0.7|0101111100|"
             "11010000111010000011 111111011 000000000|cal"},
        {"CONSTANT: OPERATION_MODE STRING \"tx\"\nCONSTANT: TX_CHANNEL_WIDTH NUMERIC \"20\"\n"
         "CONSTANT: TX_USE_SERIALIZER_DOUBLE_DATA_MODE STRING \"true\"\nCONSTANT: TX_8B_10B_MODE STRING \"none\"\n"
         "CONSTANT: TX_SELF_TEST_MODE STRING \"none\"\nCONSTANT: USE_CALIBRATION_BLOCK STRING \"false\"\n",
         "Basic|No Loopback|2500 Mbps|62.2 MHz|62.2|1 20 0|none none|0.85|1.5 0.7|0101111100|"
         "11010000111010000011 111111011 000000000|no cal"},
        {"PRIVATE: WIZ_PROTOCOL STRING \"SONET Backplane\"\nPRIVATE: WIZ_SUBPROTOCOL STRING \"5G\"\n"
         "PRIVATE: WIZ_INPUT_B STRING \"124.4\"\nPRIVATE: WIZ_INCLK_FREQ_ARRAY STRING \"124.4 248.8\"\n",
         "SONET Backplane|OC96|2500 Mbps|124.4 MHz|124.4|2 8 1|normal prbs_7|0.85|1.5 0.7|0101111100|"
         "11010000111010000011 111111011 000000000|cal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        CRCNX_MANAGER read;
        read.read_cnx_info_from_text(c.description);
        KVGXB_WIZARD_MODEL m;
        m.set_model_cnx_manager(&read);
        m.param_to_wizard_var();
        EXPECT_EQ(state(m), c.state);
    }
}

TEST_F(KvgxbParams, ValueRules) {
    using SETUP = std::function<void(KVGXB_WIZARD_MODEL&)>;
    const struct {
        SETUP setup;
        const char* name;
        const char* value;
    } rules[] = {
        // Periods are whole picoseconds, rounded (1000 / 124.4 MHz = 8038.59 ps).
        {[](auto& m) { m.input_b = "124.4"; }, "CMU_PLL_INCLOCK_PERIOD", "8039"},
        {[](auto& m) { m.input_b = "124.4"; m.set_port_used("rx_cruclk", true); }, "RX_CRU_INCLOCK_PERIOD", "8039"},
        {[](auto& m) { m.preemp_2nd_posttap = -3; }, "PREEMPHASIS_CTRL_2NDPOSTTAP_INV_SETTING", "true"},
        // Only uncoded, unslipped single-width Basic loopback leaves compatibility mode.
        {[](auto&) {}, "RX_8B_10B_COMPATIBILITY_MODE", "false"},
        {[](auto& m) { m.word_aligner_mode = KVGXB_ALIGNER_BITSLIP; }, "TX_8B_10B_COMPATIBILITY_MODE", "true"},
        {[](auto& m) { m.single_width_mode = false; }, "RX_8B_10B_COMPATIBILITY_MODE", "true"},
        {[](auto& m) { m.protocol = "SDI"; }, "RX_8B_10B_COMPATIBILITY_MODE", "true"},
        {[](auto& m) { m.protocol = "XAUI"; m.number_of_channels = 8; }, "DIGITALRESET_PORT_WIDTH", "2"},
        {[](auto& m) { m.number_of_channels = 8; }, "DIGITALRESET_PORT_WIDTH", "8"},
        {[](auto& m) { m.protocol = "PCI Express (PIPE)"; m.subprotocol = "x4"; }, "DIGITALRESET_PORT_WIDTH", "2"},
        {[](auto& m) { m.protocol = "PCI Express (PIPE)"; m.subprotocol = "x8"; }, "DIGITALRESET_PORT_WIDTH", "1"},
    };
    for (const auto& rule : rules) {
        KVGXB_WIZARD_MODEL m;
        CRCNX_MANAGER written;
        m.set_model_cnx_manager(&written);
        m.subprotocol = "No Loopback";
        m.set_port_used("rx_digitalreset", true);
        rule.setup(m);
        m.wizard_var_to_param();
        const CRCNX_ITEM_CONSTANT* item = written.find_cnx_constant(rule.name);
        EXPECT_EQ(item ? item->get_value() : CString("<none>"), rule.value) << rule.name;
        // The reset ports are as wide as the parameter says.
        const CRCNX_ITEM_USED_PORT* reset = written.find_cnx_port("rx_digitalreset");
        ASSERT_NE(reset, nullptr);
        EXPECT_EQ(std::max(reset->m_a_size, 1), m.get_digitalreset_port_width());
    }
}

TEST_F(KvgxbParams, SummaryLinesGoWithTheirSide) {
    choose_protocol("XAUI");
    model.operation_mode = KVGXB_OPMODE_RX_ONLY;
    EXPECT_EQ(model.get_symbol_summary_lines().Find("VCCHTX: 1.2"), -1);
    EXPECT_GE(model.get_symbol_summary_lines().Find("Rate match pattern1: 343"), 0);
    model.operation_mode = KVGXB_OPMODE_TX_ONLY;
    EXPECT_GE(model.get_symbol_summary_lines().Find("VCCHTX: 1.2"), 0);
    EXPECT_EQ(model.get_symbol_summary_lines().Find("Rate match pattern1: 343"), -1);
}

TEST_F(KvgxbParams, TransmitterOnlyMatchKeepsTheReceiverSettings) {
    kvgxb_feed_presets(model, {{"VELARISIIGX_CONFIG_MODE_BASIC_2G_1", kvgxb_open_preset("Basic", "none")}});
    model.subprotocol = "No Loopback";
    run_cycle();
    model.align_pattern = "1111100000";
    model.set_port_used("rx_syncstatus", true);
    run_cycle();
    ASSERT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();
    for (int mode : {KVGXB_OPMODE_TX_ONLY, KVGXB_OPMODE_RX_AND_TX}) {
        model.operation_mode = mode;
        run_cycle();
        ASSERT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();
    }
    EXPECT_EQ(model.align_pattern, "1111100000");
    EXPECT_TRUE(model.is_port_used("rx_syncstatus"));
}
