// The update cycle: protocol and subprotocol defaults, Basic coding rules,
// pattern phase and the feasibility verdict.
#include "transceiver/kvgxb_test_support.h"

using KvgxbUpdateCycle = KvgxbModelTest;
using KvgxbFeasibility = KvgxbModelTest;

TEST_F(KvgxbUpdateCycle, SubprotocolsKeepTheirNameAndDefaults) {
    // Basic keeps the model's "N/A", which its rules treat as a subprotocol
    // without loopback: at width 16 a manual aligner becomes automatic.
    model.channel_width = 16;
    model.word_aligner_mode = KVGXB_ALIGNER_MANUAL;
    run_cycle();
    EXPECT_EQ(model.subprotocol, "N/A");
    EXPECT_EQ(model.word_aligner_mode, KVGXB_ALIGNER_AUTOMATIC);
    choose_width(8);
    choose_subprotocol("Rev. Serial loopback");
    EXPECT_EQ(model.reverse_loopback_mode, KVGXB_REV_LOOPBACK_POSTCDR_RSLB);
    // The coder is on at width 8, so no extra leading zero.
    EXPECT_EQ(model.byte_order_pattern, "111111011");
    choose_subprotocol("No Loopback");
    choose_width(10);
    choose_subprotocol("Rev. Serial loopback");
    EXPECT_EQ(model.byte_order_pattern, "0111111011");
    EXPECT_EQ(model.byte_order_pad_pattern, "0000000000");
    choose_protocol("GIGE");
    model.subprotocol = "OC48";
    choose_protocol("SONET Backplane");
    // A SONET subprotocol carried in is kept, with its values.
    EXPECT_EQ(model.subprotocol, "OC48");
    EXPECT_EQ(model.get_data_rate_mbps(), 2488);
    // OC12 and OC96 carry no byte ordering: OC48's stays.
    choose_subprotocol("OC12");
    EXPECT_EQ(model.byte_order_mode, KVGXB_BYTE_ORDER_SYNCSTATUS);
    choose_subprotocol("OC96");
    EXPECT_EQ(model.byte_order_mode, KVGXB_BYTE_ORDER_SYNCSTATUS);
    EXPECT_FALSE(model.single_width_mode);
}

TEST_F(KvgxbUpdateCycle, EveryProtocolLoadsItsStandardConfiguration) {
    // Each protocol chosen in a new variation, with or without defaults
    // requested; the values themselves are pinned by the golden variations.
    auto choose = [](KVGXB_WIZARD_MODEL& m, const char* protocol, bool defaults, const char* sub = "N/A") {
        m.protocol = protocol;
        m.subprotocol = sub;
        m.protocol_changed = m.subprotocol_changed = true;
        m.force_default_settings = m.force_default_changed = defaults;
        m.update_wizard();
    };
    for (bool defaults : {false, true}) {
        SCOPED_TRACE(defaults ? "defaults requested" : "protocol chosen");
        KVGXB_WIZARD_MODEL gige;
        choose(gige, "GIGE", defaults);
        EXPECT_EQ(gige.is_port_used("rx_syncstatus"), defaults);
        EXPECT_EQ(gige.is_port_used("rx_patterndetect"), defaults);
        EXPECT_EQ(gige.run_length_enable, defaults);
        KVGXB_WIZARD_MODEL xaui;
        choose(xaui, "XAUI", defaults);
        EXPECT_EQ(xaui.is_port_used("rx_syncstatus"), defaults);
        EXPECT_EQ(xaui.run_length_enable, defaults);

        KVGXB_WIZARD_MODEL pcie;
        pcie.operation_mode = KVGXB_OPMODE_TX_ONLY;
        choose(pcie, "PCI Express (PIPE)", defaults, "x4");
        EXPECT_EQ(pcie.operation_mode, KVGXB_OPMODE_RX_AND_TX);
        EXPECT_TRUE(pcie.is_port_used("pipestatus") && pcie.is_port_used("rx_disperr"));
        EXPECT_EQ(pcie.run_length_enable, defaults);

        KVGXB_WIZARD_MODEL cei;
        cei.channel_width = 32;
        choose(cei, "(OIF) CEI PHY Interface", defaults);
        EXPECT_TRUE(!cei.single_width_mode && cei.use_phase_comp_fifo);
    }

    // The first post-tap position 10 goes through the window of VOD 960 on a 1.2 V supply.
    KVGXB_WIZARD_MODEL pcie;
    pcie.protocol = "PCI Express (PIPE)";
    pcie.set_pci_defaults();
    EXPECT_EQ(pcie.preemp_1st_posttap, 2);

    // SONET's own defaults, requested for the subprotocol in place; one
    // SONET does not know (carried over from XAUI) is named OC12.
    struct SONET_CASE {
        const char *sub, *rate;
        double mhz;
        bool single;
        int width, byte_order, aligner;
        bool rising_edge;
        const char* carried = nullptr;
    };
    const SONET_CASE sonet[] = {
        {"OC12", "622.0000", 62.2, true, 8, KVGXB_BYTE_ORDER_NONE, KVGXB_ALIGNER_MANUAL, true},
        {"OC12", "622.0000", 62.2, true, 8, KVGXB_BYTE_ORDER_NONE, KVGXB_ALIGNER_MANUAL, true, "N/A"},
        {"OC48", "2488.3200", 77.76, true, 16, KVGXB_BYTE_ORDER_SYNCSTATUS, KVGXB_ALIGNER_MANUAL, true},
        {"OC96", "4976.0000", 124.4, false, 20, KVGXB_BYTE_ORDER_NONE, KVGXB_ALIGNER_AUTOMATIC, false},
    };
    for (const SONET_CASE& c : sonet) {
        KVGXB_WIZARD_MODEL m;
        m.channel_width = 20;
        m.rising_edge_pattern_align = !c.rising_edge;
        m.protocol = "SONET Backplane";
        m.subprotocol = c.carried ? c.carried : c.sub;
        m.force_default_settings = m.force_default_changed = true;
        m.update_wizard();
        SCOPED_TRACE(c.carried ? "carried over" : c.sub);
        EXPECT_EQ(m.subprotocol, c.sub);
        EXPECT_EQ(m.input_a, c.rate);
        EXPECT_NEAR(m.get_inclk_frequency_mhz(), c.mhz, 0.0005);
        EXPECT_EQ(m.single_width_mode, c.single);
        EXPECT_EQ(m.channel_width, c.width);
        EXPECT_EQ(m.byte_order_mode, c.byte_order);
        EXPECT_EQ(m.word_aligner_mode, c.aligner);
        EXPECT_EQ(m.rising_edge_pattern_align, c.rising_edge);
        EXPECT_TRUE(m.run_length_enable && m.is_port_used("rx_syncstatus") && m.is_port_used("rx_patterndetect"));
        if (c.byte_order == KVGXB_BYTE_ORDER_SYNCSTATUS) {
            EXPECT_EQ(m.byte_order_pattern, "0000010100");
            EXPECT_EQ(m.byte_order_pad_pattern, "0001101111");
        }
    }
}

TEST_F(KvgxbUpdateCycle, ChoosingBasicRestoresItsStandardConfiguration) {
    // CEI leaves a double-width variation behind.
    choose_protocol("(OIF) CEI PHY Interface");
    ASSERT_FALSE(model.single_width_mode);
    model.align_pattern = "1111100";
    model.align_pattern_length = 7;
    model.word_align_flip_pattern = true;
    model.loopback_mode = KVGXB_LOOPBACK_SLB;
    model.rx_flip_rx_out = true;
    model.cmu_pll_bw = "Low";

    choose_protocol("Basic");
    EXPECT_TRUE(model.single_width_mode);
    EXPECT_EQ(model.input_a, "3125.0000");
    EXPECT_EQ(model.align_pattern_length, 10);
    EXPECT_FALSE(model.word_align_flip_pattern);
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_NONE);
    EXPECT_FALSE(model.rx_flip_rx_out);
    EXPECT_EQ(model.cmu_pll_bw, "High");

    // Defaults requested in double width also return Basic to single width.
    model.single_width_mode = false;
    model.force_default_settings = model.force_default_changed = true;
    run_cycle();
    EXPECT_TRUE(model.single_width_mode);
    EXPECT_FALSE(model.force_default_settings);
}

TEST_F(KvgxbUpdateCycle, PrbsSubprotocolsFollowTheWidthMode) {
    model.protocol = "Basic";
    model.subprotocol = "No Loopback";
    choose_width(10);
    choose_subprotocol("PRBS/No loopback");
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_PRBS_10);
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_NONE);
    EXPECT_EQ(model.word_aligner_mode, KVGXB_ALIGNER_MANUAL);
    EXPECT_TRUE(model.rising_edge_pattern_align);
    EXPECT_TRUE(model.is_port_used("rx_bisterr"));

    choose_subprotocol("PRBS/Serial loopback");
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_SLB);
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_PRBS_10);

    model.single_width_mode = false;
    model.deserializer_width_changed = true;
    choose_width(20);
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_PRBS_7);
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_SLB);

    choose_subprotocol("PRBS/No loopback");
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_PRBS_7);
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_NONE);
}

TEST_F(KvgxbUpdateCycle, LoopbackSubprotocolsSetLoopbackSelfTestAndByteOrdering) {
    model.subprotocol = "No Loopback";
    choose_width_mode(false);
    choose_width(32);
    ASSERT_EQ(model.endec_8b10b_mode, KVGXB_8B10B_NONE);
    // Parallel loopback needs the coder: cascaded in double width, patterns of nine.
    choose_subprotocol("Parallel loopback/BIST");
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_PLB);
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_INCREMENTAL);
    EXPECT_EQ(model.endec_8b10b_mode, KVGXB_8B10B_CASCADED);
    EXPECT_EQ(model.byte_order_mode, KVGXB_BYTE_ORDER_SYNCSTATUS);
    EXPECT_EQ(model.byte_order_pattern, "111111011");
    EXPECT_EQ(model.byte_order_pad_pattern, "000000000");
    EXPECT_TRUE(model.is_port_used("rx_bisterr") && model.is_port_used("rx_bistdone"));
    choose_subprotocol("Serial Loopback");
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_SLB);
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_NONE);
    EXPECT_EQ(model.byte_order_mode, KVGXB_BYTE_ORDER_NONE);
    model.reverse_loopback_mode = KVGXB_REV_LOOPBACK_RPLB;
    choose_subprotocol("No Loopback");
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_NONE);
    EXPECT_EQ(model.reverse_loopback_mode, KVGXB_REV_LOOPBACK_NONE);
}

TEST_F(KvgxbUpdateCycle, ProtocolChangeResetsOnlyPrbsSelfTests) {
    model.subprotocol = "No Loopback";
    choose_subprotocol("Parallel loopback/BIST");
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_INCREMENTAL);
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_PLB);
    choose_protocol("SONET Backplane");
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_INCREMENTAL);
    EXPECT_EQ(model.subprotocol, "OC12");

    choose_protocol("Basic");
    model.selftest_mode = KVGXB_SELFTEST_PRBS_23;
    choose_protocol("SONET Backplane");
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_NONE);

    // Back in Basic without loopback no self-test survives either.
    model.selftest_mode = KVGXB_SELFTEST_CJPAT;
    choose_protocol("Basic");
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_NONE);
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_NONE);
    // Basic defaults requested in place: the self-test goes with a missing loopback.
    model.selftest_mode = KVGXB_SELFTEST_CJPAT;
    model.force_default_changed = true;
    run_cycle();
    EXPECT_EQ(model.selftest_mode, KVGXB_SELFTEST_NONE);
}

namespace {
struct CODING_CASE {
    bool single;
    int width;
    const char* subprotocol;
    int start_8b10b, start_rmfifo;
    int want_8b10b, want_rmfifo, want_byte_order, want_aligner;
    bool want_rising_edge, want_clkout;
    // Further starting points; the defaults are those of a new variation.
    int start_byte_order = KVGXB_BYTE_ORDER_NONE;
    int start_aligner = KVGXB_ALIGNER_MANUAL;
    bool start_rising_edge = false;
    int operation_mode = KVGXB_OPMODE_RX_AND_TX;
};
}  // namespace

TEST_F(KvgxbUpdateCycle, BasicCodingRulesAtEveryWidth) {
    const int N = KVGXB_8B10B_NORMAL, C = KVGXB_8B10B_CASCADED, X = KVGXB_8B10B_NONE;
    const int RN = KVGXB_RMFIFO_NORMAL, RC = KVGXB_RMFIFO_CASCADED, RX = KVGXB_RMFIFO_NONE;
    const int BN = KVGXB_BYTE_ORDER_NONE, BS = KVGXB_BYTE_ORDER_SYNCSTATUS, BP = KVGXB_BYTE_ORDER_PATTERN;
    const int MAN = KVGXB_ALIGNER_MANUAL, SLIP = KVGXB_ALIGNER_BITSLIP, AUTO = KVGXB_ALIGNER_AUTOMATIC;
    const CODING_CASE cases[] = {
        // single width
        {true, 8, "No Loopback", X, RX, N, RX, BN, AUTO, false, true},
        {true, 8, "No Loopback", N, RN, N, RN, BN, AUTO, false, false},
        {true, 10, "No Loopback", N, RN, X, RX, BN, AUTO, false, true},
        {true, 16, "No Loopback", X, RX, N, RX, BN, MAN, true, true},
        {true, 16, "Serial Loopback", N, RN, N, RN, BN, AUTO, true, false},
        {true, 16, "Rev. Serial loopback", N, RN, N, RX, BN, AUTO, false, true},
        {true, 20, "No Loopback", N, RN, X, RX, BN, AUTO, false, true},
        {true, 32, "No Loopback", X, RX, N, RX, BN, AUTO, false, true},
        {true, 8, "No Loopback", C, RC, N, RN, BN, AUTO, false, false},
        {true, 8, "No Loopback", N, RN, N, RN, BN, AUTO, false, false, BN, SLIP},
        {true, 10, "Serial Loopback", X, RX, X, RX, BN, SLIP, false, true, BN, SLIP},
        {true, 8, "Parallel loopback/BIST", N, RN, N, RX, BS, AUTO, false, true},
        {true, 8, "No Loopback", N, RN, N, RX, BN, AUTO, false, true, BN, MAN, false, KVGXB_OPMODE_RX_ONLY},
        // double width
        {false, 16, "No Loopback", X, RX, X, RX, BN, MAN, false, true},
        {false, 16, "No Loopback", N, RN, C, RC, BN, MAN, false, false},
        {false, 16, "Rev. Serial loopback", X, RX, C, RX, BN, MAN, false, true},
        {false, 20, "No Loopback", X, RX, X, RX, BN, MAN, false, true},
        {false, 32, "No Loopback", X, RX, X, RX, BN, SLIP, false, true},
        {false, 32, "No Loopback", N, RN, C, RC, BN, MAN, false, false},
        {false, 32, "Rev. Serial loopback", N, RN, C, RX, BS, MAN, false, true},
        {false, 40, "No Loopback", N, RN, X, RX, BS, MAN, false, true},
        {false, 32, "No Loopback", N, RN, C, RX, BP, MAN, false, true, BP},
        {false, 16, "No Loopback", N, RN, C, RC, BN, MAN, false, false, BN, AUTO, true},
        {false, 20, "PRBS/No loopback", C, RX, X, RX, BN, MAN, false, true},
    };
    for (const CODING_CASE& c : cases) {
        KVGXB_WIZARD_MODEL m;
        m.protocol = "Basic";
        m.subprotocol = c.subprotocol;
        m.single_width_mode = c.single;
        m.channel_width = c.width;
        m.endec_8b10b_mode = c.start_8b10b;
        m.rate_match_fifo_mode = c.start_rmfifo;
        m.byte_order_mode = c.start_byte_order;
        m.word_aligner_mode = c.start_aligner;
        m.rising_edge_pattern_align = c.start_rising_edge;
        m.operation_mode = c.operation_mode;
        m.deserializer_width_changed = true;
        m.channel_width_changed = true;
        m.update_wizard();
        SCOPED_TRACE(testing::Message() << (c.single ? "single " : "double ") << c.width << " " << c.subprotocol
                                        << " from 8b10b " << c.start_8b10b);
        EXPECT_EQ(m.endec_8b10b_mode, c.want_8b10b);
        EXPECT_EQ(m.rate_match_fifo_mode, c.want_rmfifo);
        EXPECT_EQ(m.byte_order_mode, c.want_byte_order);
        EXPECT_EQ(m.word_aligner_mode, c.want_aligner);
        EXPECT_EQ(m.rising_edge_pattern_align, c.want_rising_edge);
        EXPECT_EQ(m.is_port_used("rx_clkout"), c.want_clkout);
        EXPECT_EQ(m.is_port_used("rx_syncstatus"), c.want_byte_order == BS);
        EXPECT_EQ(m.is_port_used("rx_ctrldetect"), c.want_8b10b != X);
        EXPECT_FALSE(m.deserializer_width_changed || m.channel_width_changed);
    }
}

TEST_F(KvgxbUpdateCycle, WidthChangeFitsPatternsToTheNewWidth) {
    // An eleven-character pattern cut to the nine of cascaded coding, then
    // the ten of width 40 without a coder.
    model.subprotocol = "Parallel loopback/BIST";
    model.single_width_mode = false;
    model.byte_order_pattern = "11111111011";
    model.byte_order_pad_pattern = "0";
    model.endec_8b10b_mode = KVGXB_8B10B_CASCADED;
    choose_width(32);
    EXPECT_EQ(model.byte_order_pattern, "111111011");
    EXPECT_EQ(model.byte_order_pad_pattern, "000000000");
    model.subprotocol = "No Loopback";
    choose_width(40);
    EXPECT_EQ(model.get_required_byte_order_length(), 10);
    EXPECT_EQ(model.byte_order_pattern, "0111111011");

    const std::pair<int, const char*> defaults[] = {
        {7, "1111100"},           {8, "00010100"},          {10, "0101111100"},
        {16, "0001010001101111"}, {20, "11101010000101111100"}, {32, "00010100000101000110111101101111"}};
    for (const auto& [length, pattern] : defaults) EXPECT_EQ(KVGXB_WIZARD_MODEL::get_default_align_pattern(length), pattern);
    EXPECT_EQ(KVGXB_WIZARD_MODEL::get_default_align_pattern(9), "");

    // A length the new width does not offer falls back with its default pattern.
    model.align_pattern_length = 16;
    model.align_pattern = "0001010001101111";
    model.single_width_mode = true;
    choose_width(10);
    EXPECT_EQ(model.align_pattern_length, 7);
    EXPECT_EQ(model.align_pattern, "1111100");
}

TEST_F(KvgxbUpdateCycle, VoltagesAndPreEmphasisFollowSupplyAndVod) {
    model.subprotocol = "No Loopback";
    model.tx_vcm = "0.75";
    choose_width_mode(false);
    EXPECT_EQ(model.tx_vcm, "0.6");

    model.single_width_mode = true;
    run_cycle();
    EXPECT_EQ(model.tx_vcm, "0.7");
    // 0.75 V stays with a 1.5 V supply in single width, and gives way to 0.6 V on 1.2 V.
    model.tx_vcm = "0.75";
    run_cycle();
    EXPECT_EQ(model.tx_vcm, "0.75");
    model.vcchtx = "1.2";
    run_cycle();
    EXPECT_EQ(model.tx_vcm, "0.6");

    model.vod_ctrl_setting = 160;
    model.preemp_1st_posttap = 12;  // outside the window (1, 3) of the lowest VOD
    model.preemp_2nd_posttap = 6;
    model.preemp_pretap = -6;
    run_cycle();
    EXPECT_EQ(model.get_vod_iter_setting(), 1);
    EXPECT_EQ(model.preemp_1st_posttap, 0);
    EXPECT_EQ(model.preemp_2nd_posttap, 0);
    EXPECT_EQ(model.preemp_pretap, 0);
    // The lowest VOD of a 1.5 V supply limits the taps as well; the next one does not.
    model.vcchtx = "1.5";
    model.vod_ctrl_setting = 200;
    model.preemp_2nd_posttap = -7;
    run_cycle();
    EXPECT_EQ(model.preemp_2nd_posttap, 0);
    model.vod_ctrl_setting = 400;
    model.preemp_2nd_posttap = -7;
    run_cycle();
    EXPECT_EQ(model.preemp_2nd_posttap, -7);
    model.vcchtx = "1.2";
    model.vod_ctrl_setting = 160;

    model.tx_termination = 110;
    model.update_wizard();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "kvgxb.cpp: update_wizard, bad vod_array_list");

    // PCI Express fixes supply and common mode; other protocols drop signal detection.
    model.tx_termination = 100;
    model.rx_force_signal_detect = true;
    model.rx_signal_detect_threshold = 3;
    model.set_port_used("rx_signaldetect", true);
    choose_protocol("PCI Express (PIPE)");
    EXPECT_EQ(model.tx_vcm, "0.6");
    EXPECT_TRUE(model.rx_force_signal_detect);
    // Reverse parallel loopback is held on every cycle, not only on the choice.
    model.reverse_loopback_mode = KVGXB_REV_LOOPBACK_NONE;
    run_cycle();
    EXPECT_EQ(model.reverse_loopback_mode, KVGXB_REV_LOOPBACK_RPLB);
    choose_protocol("GIGE");
    EXPECT_FALSE(model.rx_force_signal_detect);
    EXPECT_EQ(model.rx_signal_detect_threshold, 2);
    EXPECT_FALSE(model.is_port_used("rx_signaldetect"));
    // A transmitter-only variation keeps the port flag as it is.
    model.operation_mode = KVGXB_OPMODE_TX_ONLY;
    model.set_port_used("rx_signaldetect", true);
    run_cycle();
    EXPECT_TRUE(model.is_port_used("rx_signaldetect"));
}

TEST_F(KvgxbUpdateCycle, SerialLoopbackNeedsBothDirections) {
    model.subprotocol = "Serial Loopback";
    model.subprotocol_changed = true;
    run_cycle();
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_SLB);
    model.operation_mode = KVGXB_OPMODE_RX_ONLY;
    run_cycle();
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_NONE);
    model.loopback_mode = KVGXB_LOOPBACK_PLB;
    run_cycle();
    EXPECT_EQ(model.loopback_mode, KVGXB_LOOPBACK_PLB);
}

TEST_F(KvgxbUpdateCycle, CeiReferenceClockPicksTheDataRate) {
    choose_protocol("(OIF) CEI PHY Interface");
    for (const auto& [clock, rate] : {std::pair{"156.25", "6250"}, {"155.52", "6220.8"}}) {
        model.input_b = clock;
        model.input_b_changed = true;
        run_cycle();
        EXPECT_EQ(model.input_a, rate);
        EXPECT_FALSE(model.input_b_changed);
    }
}

TEST_F(KvgxbUpdateCycle, SonetBandwidthFollowsTheReferenceClock) {
    choose_protocol("SONET Backplane");
    EXPECT_EQ(model.cmu_pll_bw, "High");
    model.set_inclk_frequency_mhz(311.0f);
    run_cycle();
    EXPECT_EQ(model.cmu_pll_bw, "Low");

    choose_subprotocol("OC48");
    EXPECT_EQ(model.cmu_pll_bw, "High");
    model.rx_pll_bw = "Low";
    run_cycle();
    EXPECT_EQ(model.rx_pll_bw, "Medium");
    choose_subprotocol("OC96");
    // OC96 keeps the bandwidths it is given.
    model.cmu_pll_bw = "Medium";
    run_cycle();
    EXPECT_EQ(model.cmu_pll_bw, "Medium");
}

TEST_F(KvgxbFeasibility, DataRateRangeChecks) {
    struct RATE_CASE {
        const char* protocol;
        bool single;
        const char* rate;
        bool rate_ok;
    };
    const RATE_CASE cases[] = {
        {"(OIF) CEI PHY Interface", false, "621", false}, {"(OIF) CEI PHY Interface", false, "622", true},
        {"(OIF) CEI PHY Interface", false, "6375", true}, {"(OIF) CEI PHY Interface", false, "6376", false},
        {"(OIF) CEI PHY Interface", false, "6375.9", true},
        {"Basic", true, "622", true},                     {"Basic", true, "3125", true},
        {"Basic", true, "3126", false},                   {"Basic", false, "3125", true},
        {"Basic", false, "3124", false},                  {"Basic", false, "6375", true},
        {"Basic", false, "6376", false},
    };
    for (const RATE_CASE& c : cases) {
        KVGXB_WIZARD_MODEL m;
        m.protocol = c.protocol;
        m.single_width_mode = c.single;
        m.input_a = c.rate;
        SCOPED_TRACE(testing::Message() << c.protocol << " " << c.rate);
        EXPECT_FALSE(m.evaluate_gxb_feasibility());
        // Without presets a rate that passes the range checks stops at the preset check.
        EXPECT_EQ(m.feasibility_reason, c.rate_ok ? KVGXB_REASON_NO_PRESET : KVGXB_REASON_DATA_RATE);
    }
}

TEST_F(KvgxbFeasibility, EveryReasonWithItsNumbers) {
    // Refused for the reason (-1: not looked at) with the cause text (null: not looked at).
    auto refused = [this](int reason, const char* cause) {
        SCOPED_TRACE(cause ? cause : "reason only");
        EXPECT_FALSE(model.evaluate_gxb_feasibility());
        if (reason >= 0) { EXPECT_EQ(model.feasibility_reason, reason); }
        if (cause) { EXPECT_EQ(model.get_feasibility_cause_text(), cause); }
    };
    kvgxb_feed_presets(model, {{"OPEN", kvgxb_open_preset("Basic", "none")}});
    model.subprotocol = "No Loopback";
    model.input_a = "2500";
    ASSERT_TRUE(model.evaluate_gxb_feasibility());
    EXPECT_EQ(model.get_feasibility_status_text(), "Able to implement the requested GXB");

    model.align_pattern = "01011111";
    refused(KVGXB_REASON_ALIGN_PATTERN_LENGTH, "Cause: Word alignment pattern length does not match the pattern");
    model.align_pattern = "0101111100";
    // Without a description the full match reads nothing back, so the
    // pattern stays wrong and only the transmitter-only exemption passes it.
    KVGXB_WIZARD_MODEL bare;
    kvgxb_feed_presets(bare, {{"OPEN", kvgxb_open_preset("Basic", "none")}});
    bare.input_a = "2500";
    bare.align_pattern = "01011111";
    bare.operation_mode = KVGXB_OPMODE_TX_ONLY;
    EXPECT_TRUE(bare.evaluate_gxb_feasibility());
    bare.operation_mode = KVGXB_OPMODE_RX_ONLY;
    EXPECT_FALSE(bare.evaluate_gxb_feasibility());

    // A transmitter-only variation has no byte orderer to check.
    model.byte_order_mode = KVGXB_BYTE_ORDER_SYNCSTATUS;
    model.byte_order_pattern = "0";
    model.operation_mode = KVGXB_OPMODE_TX_ONLY;
    EXPECT_TRUE(model.evaluate_gxb_feasibility());
    model.operation_mode = KVGXB_OPMODE_RX_AND_TX;

    model.byte_order_mode = KVGXB_BYTE_ORDER_SYNCSTATUS;
    model.byte_order_pattern = "01111110111";
    model.byte_order_pad_pattern = "0000000000";
    refused(KVGXB_REASON_BYTE_ORDER_PATTERN, "Cause: Byte order pattern length (11) must be 10");
    model.byte_order_pattern = "0111111011";
    model.byte_order_pad_pattern = "000000000";
    refused(KVGXB_REASON_BYTE_ORDER_PAD_PATTERN, "Cause: Byte order pad pattern length (9) must be 10");
    model.single_width_mode = false;
    model.channel_width = 20;
    model.input_a = "5000";
    model.byte_order_pattern = "01111101";
    refused(-1, "Cause: Byte order pad pattern length (9) must be 8");
    model.byte_order_mode = KVGXB_BYTE_ORDER_NONE;

    model.endec_8b10b_mode = KVGXB_8B10B_NORMAL;
    model.rate_match_fifo_mode = KVGXB_RMFIFO_NORMAL;
    model.rate_match_pattern_size = 20;
    model.rate_match_pattern1 = "1101000011";
    model.rate_match_pattern2 = "0010111100";
    refused(KVGXB_REASON_RMFIFO_PATTERN1, "Cause: Rate Match FIFO pattern1 length(10) must be 20");
    model.rate_match_pattern1 = "11010000111010000011";
    refused(-1, "Cause: Rate Match FIFO pattern2 length(10) must be 20");
    model.rate_match_pattern_size = 10;
    EXPECT_TRUE(model.evaluate_gxb_feasibility());
    EXPECT_EQ(model.feasibility_reason, KVGXB_FEASIBLE);

    model.input_a = "7000";
    refused(KVGXB_REASON_DATA_RATE, "Cause: Cannot implement the requested data rate");

    // SONET checks the word-align pattern length as Basic does.
    KVGXB_WIZARD_MODEL sonet;
    sonet.set_model_cnx_manager(&cnx);
    kvgxb_feed_presets(sonet, {{"SONET", kvgxb_open_preset("SONET Backplane", "OC12")}});
    sonet.protocol = "SONET Backplane";
    sonet.subprotocol = "OC12";
    sonet.align_pattern = "0101111100";
    EXPECT_TRUE(sonet.evaluate_gxb_feasibility()) << sonet.get_feasibility_cause_text().c_str();
    sonet.align_pattern_length = 16;
    EXPECT_FALSE(sonet.evaluate_gxb_feasibility());
    EXPECT_EQ(sonet.feasibility_reason, KVGXB_REASON_ALIGN_PATTERN_LENGTH);

    model.input_a = "5000";
    model.protocol = "XAUI";
    refused(KVGXB_REASON_NO_PRESET, "Cause: Please check WIZ_PROTOCOL");
}

TEST_F(KvgxbFeasibility, ByteOrderInBasicOnlyForWideLoopbackWithoutRateMatch) {
    model.subprotocol = "No Loopback";
    EXPECT_FALSE(model.is_byte_order_allowed_in_basic());
    model.channel_width = 32;
    EXPECT_FALSE(model.is_byte_order_allowed_in_basic());
    model.single_width_mode = false;
    model.channel_width = 32;
    EXPECT_TRUE(model.is_byte_order_allowed_in_basic());
    model.endec_8b10b_mode = KVGXB_8B10B_CASCADED;
    model.rate_match_fifo_mode = KVGXB_RMFIFO_CASCADED;
    EXPECT_FALSE(model.is_byte_order_allowed_in_basic());
    model.rate_match_fifo_mode = KVGXB_RMFIFO_NONE;
    model.subprotocol = "Serial Loopback";
    EXPECT_TRUE(model.is_byte_order_allowed_in_basic());
    model.subprotocol = "Parallel loopback/BIST";
    EXPECT_FALSE(model.is_byte_order_allowed_in_basic());
    model.subprotocol = "No Loopback";
    model.channel_width = 40;
    EXPECT_FALSE(model.is_byte_order_allowed_in_basic());
}
