// Filing the device database's preset answers and matching against them.
#include "transceiver/kvgxb_test_support.h"

using KvgxbPresetTable = KvgxbModelTest;

TEST_F(KvgxbPresetTable, KeepsProtocolGroupsTogetherInArrivalOrder) {
    KVGXB_TEST_PRESET basic_a = kvgxb_open_preset("Basic", "none");
    KVGXB_TEST_PRESET basic_b = kvgxb_open_preset("Basic", "Parallel loopback/BIST");
    KVGXB_TEST_PRESET xaui = kvgxb_xaui_preset();
    xaui["WIZ_SUBPROTOCOL"] = {"none"};
    // The stored key names the preset that becomes current, wherever it lands.
    model.tcl_key = "KEY_XAUI";
    kvgxb_feed_presets(model, {{"KEY_BASIC_1", basic_a}, {"KEY_XAUI", xaui}, {"KEY_BASIC_2", basic_b}});

    ASSERT_EQ(model.get_preset_count(), 3);
    // Only Basic reads "none" as its loopback-free choice.
    const std::pair<const char*, const char*> filed[] = {
        {"KEY_BASIC_1", "No Loopback"}, {"KEY_BASIC_2", "Parallel loopback/BIST"}, {"KEY_XAUI", "none"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(model.get_preset(i)->config_key, filed[i].first);
        EXPECT_EQ(model.get_preset(i)->subprotocol, filed[i].second);
    }
    EXPECT_EQ(model.current_preset_index, 2);
    EXPECT_EQ(kvgxb_items(model.protocol_array_list), (KVGXB_ITEMS{"Basic", "XAUI"}));
    for (const auto& [protocol, first] : {std::pair{"Basic", 0}, {"XAUI", 2}, {"GIGE", -1}}) {
        EXPECT_EQ(model.get_protocol_group_first_index(protocol), first) << protocol;
    }
    EXPECT_TRUE(messages.empty());

    // A list first filled with the fallback names gets no second XAUI.
    KVGXB_WIZARD_MODEL late;
    late.get_combobox_protocols();
    kvgxb_feed_presets(late, {{"KEY_XAUI", xaui}});
    EXPECT_EQ(late.protocol_array_list.GetSize(), 7);
}

TEST_F(KvgxbPresetTable, BasicWithoutLoopbackOffersBothLoopbackVariants) {
    KVGXB_TEST_PRESET basic = kvgxb_open_preset("Basic", "none");
    basic["LOOPBACK_MODE"] = {"any_value"};
    KVGXB_TEST_PRESET fixed = kvgxb_open_preset("Basic", "none");
    fixed["LOOPBACK_MODE"] = {"false"};
    fixed["RX_USE_DESERIALIZER_DOUBLE_DATA_MODE"] = {"false"};
    kvgxb_feed_presets(model, {{"K1", basic}, {"K2", fixed}});

    EXPECT_EQ(model.get_preset(0)->subprotocol, "No Loopback");
    // A fixed loopback answer adds nothing.
    EXPECT_EQ(model.get_preset(1)->find_row("WIZ_SUBPROTOCOL")->GetSize(), 2);

    model.protocol = "Basic";
    EXPECT_EQ(kvgxb_items(model.get_combobox_subprotocols()), (KVGXB_ITEMS{"No Loopback", "Serial Loopback"}));
    // No key answered double data mode with "true".
    EXPECT_FALSE(model.double_width_allowed);
}

TEST_F(KvgxbPresetTable, FilingCleansRowsAndNotesDoubleWidth) {
    KVGXB_TEST_PRESET p = kvgxb_open_preset("Basic", "none");
    p["RX_USE_DESERIALIZER_DOUBLE_DATA_MODE"] = {"false", "true"};
    model.key_array_list.Add("K1");
    for (int q = 0; q < KVGXB_PRESET_QUERY_COUNT; ++q) {
        CStringArray row;
        const char* name = KVGXB_PRESET_QUERY_TBL[q].describes;
        // The name as received carries a colon; values may repeat it.
        row.Add(CString(name) + ": ");
        auto it = p.find(name);
        for (const std::string& v : it == p.end() ? std::vector<std::string>{"Not_Used"} : it->second)
            row.Add(CString(name) + ": " + v.c_str());
        model.add_new_entry_to_preset_param_tbl(&row);
    }
    ASSERT_EQ(model.get_preset_count(), 1);
    const CStringArray* width = model.get_preset(0)->find_row("RX_CHANNEL_WIDTH");
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(kvgxb_items(*width), (KVGXB_ITEMS{"RX_CHANNEL_WIDTH", "any_value"}));
    EXPECT_EQ(model.get_preset(0)->protocol, "Basic");
    EXPECT_TRUE(model.double_width_allowed);

    CStringArray empty;
    model.add_new_entry_to_preset_param_tbl(&empty);
    EXPECT_EQ(messages, std::vector<std::string>{"kvgxb.cpp: add_new_entry_to_preset_param_tbl, bad tcl_str"});
}

TEST_F(KvgxbPresetTable, TranslatesValuesBothWays) {
    EXPECT_EQ(model.tcl_value2wiz_value("OPERATION_MODE", "DUPLEX"), "Receiver and Transmitter");
    EXPECT_EQ(model.wiz_value2tcl_value("operation_mode", "Transmitter only"), "tx");
    EXPECT_EQ(model.tcl_value2wiz_value("LOOPBACK_MODE", "none"), "false");
    EXPECT_EQ(model.tcl_value2wiz_value("RX_BYTE_ORDERING_MODE", "pattern-based"), "pattern based");
    EXPECT_EQ(model.tcl_value2wiz_value("RX_SELF_TEST_MODE", "prbs_7"), "prbs7");
    // The first row of a wizard value wins on the way back.
    EXPECT_EQ(model.wiz_value2tcl_value("LOOPBACK_MODE", "false"), "plb");
    EXPECT_EQ(model.tcl_value2wiz_value("RX_SELF_TEST_MODE", "prbs_10"), "prbs10");
    EXPECT_EQ(model.tcl_value2wiz_value("REVERSE_LOOPBACK_MODE", "rplb"), "Reverse_Parallel");
    EXPECT_EQ(model.tcl_value2wiz_value("RX_CHANNEL_WIDTH", "rx"), "rx");
    EXPECT_EQ(model.tcl_value2wiz_value("RX_PPMSELECT", "8"), "+/- 300");
    model.operation_mode = KVGXB_OPMODE_TX_ONLY;
    EXPECT_EQ(model.tcl_value2wiz_value("RX_PPMSELECT", "8"), "8");

    EXPECT_EQ(KVGXB_WIZARD_MODEL::tcl_cmd2wiz_param("GET_HSSI_RUN_LENGTH_LIST"), "RX_RUN_LENGTH");
    EXPECT_EQ(KVGXB_WIZARD_MODEL::tcl_cmd2wiz_param("VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_DATA_WIDTH"),
              "RX_CHANNEL_WIDTH");
    EXPECT_EQ(KVGXB_WIZARD_MODEL::tcl_cmd2wiz_param("get_config_keys"), "");
}

TEST_F(KvgxbPresetTable, MatchesRateRangesAndValuesWrittenWithTrailingZeros) {
    KVGXB_TEST_PRESET ranged = kvgxb_open_preset("Basic", "none");
    ranged["WIZ_DATA_RATE"] = {"2500-3125"};
    KVGXB_TEST_PRESET listed = kvgxb_open_preset("Basic", "none");
    listed["WIZ_DATA_RATE"] = {"622.000", "1244.1600"};
    listed["WIZ_INCLK_FREQ"] = {"62.20", "155.52"};
    kvgxb_feed_presets(model, {{"RANGED", ranged}, {"LISTED", listed}});
    model.subprotocol = "No Loopback";
    struct MATCH_CASE {
        int preset;
        const char *rate, *clock;
        const char* failing;  // the first row that fails, "" on a match
        bool rate_offered;    // the same rule decides whether the rate is offered
    };
    const MATCH_CASE cases[] = {
        {0, "3000", "62.2", "", true},   {0, "3200", "62.2", "WIZ_DATA_RATE", false},
        {0, "2500", "62.2", "", true},   {0, "3125", "62.2", "", true},
        {0, "3125.5", "62.2", "WIZ_DATA_RATE", false},
        {1, "622", "62.2", "", true},    {1, "1244.16", "62.2", "", true},
        {1, "1244.160", "62.2", "", true}, {1, "1244", "62.2", "WIZ_DATA_RATE", false},
        // Zeros of the integer part are digits, not padding.
        {1, "6220", "62.2", "WIZ_DATA_RATE", false},
        {1, "622", "77.76", "WIZ_INCLK_FREQ", true},
    };
    for (const MATCH_CASE& c : cases) {
        SCOPED_TRACE(testing::Message() << c.preset << " " << c.rate << " " << c.clock);
        model.input_a = c.rate;
        model.input_b = c.clock;
        model.wizard_var_to_param();
        EXPECT_EQ(model.does_current_config_match_this_preset_param(model.get_preset(c.preset), c.preset), c.failing);
        if (*c.failing == '\0') { EXPECT_EQ(model.tcl_key, c.preset == 0 ? "RANGED" : "LISTED"); }
        model.current_preset_index = c.preset;
        EXPECT_EQ(model.is_current_data_rate_valid(), c.rate_offered);
    }
}

TEST_F(KvgxbPresetTable, ClosestMatchKeepsFirstPresetWithFewestFailures) {
    // Current: Basic, 8 channels of width 8, no 8b/10b, single width.
    KVGXB_TEST_PRESET two_off = kvgxb_open_preset("Basic", "none");
    two_off["RX_CHANNEL_WIDTH"] = {"16"};
    two_off["RX_8B_10B_MODE"] = {"normal"};
    KVGXB_TEST_PRESET channels_off = kvgxb_open_preset("Basic", "none");
    channels_off["NUMBER_OF_CHANNELS"] = {"4"};
    KVGXB_TEST_PRESET coding_off = kvgxb_open_preset("Basic", "none");
    coding_off["RX_8B_10B_MODE"] = {"cascaded"};
    kvgxb_feed_presets(model, {{"TWO_OFF", two_off}, {"CHANNELS_OFF", channels_off}, {"CODING_OFF", coding_off}});
    model.subprotocol = "No Loopback";
    model.input_a = "1000";
    model.current_preset_index = -1;
    model.tcl_key = "";

    EXPECT_FALSE(model.evaluate_gxb_feasibility());
    EXPECT_EQ(model.feasibility_reason, KVGXB_REASON_NO_PRESET);
    EXPECT_EQ(model.closest_failing_name, "NUMBER_OF_CHANNELS");
    EXPECT_EQ(model.closest_mismatch_count, 1);
    EXPECT_EQ(model.current_preset_index, 1);
    EXPECT_EQ(model.tcl_key, "CHANNELS_OFF");
    EXPECT_EQ(model.get_feasibility_cause_text(), "Cause: Please check NUMBER_OF_CHANNELS");

    // The current preset, matched again with more failures, refreshes the
    // count and names its first failing row.
    model.current_preset_index = 0;
    EXPECT_EQ(model.does_current_config_match_this_preset_param(model.get_preset(0), 0), "RX_CHANNEL_WIDTH");
    EXPECT_EQ(model.closest_mismatch_count, 2);
    EXPECT_EQ(model.closest_failing_name, "RX_CHANNEL_WIDTH");

    // Four channels satisfy the closest preset: it becomes the current one.
    model.number_of_channels = 4;
    EXPECT_TRUE(model.evaluate_gxb_feasibility());
    EXPECT_EQ(model.get_feasibility_cause_text(), "");

    // A closest match of another protocol group gives way to the group
    // searched, even to a preset that fails as many rows.
    model.number_of_channels = 8;
    EXPECT_FALSE(model.evaluate_gxb_feasibility());
    kvgxb_feed_presets(model, {{"XAUI", kvgxb_xaui_preset()}});
    model.protocol = "XAUI";
    EXPECT_FALSE(model.evaluate_gxb_feasibility());
    EXPECT_EQ(model.tcl_key, "XAUI");
    EXPECT_EQ(model.get_feasibility_cause_text(), "Cause: Please check WIZ_SUBPROTOCOL");
}

TEST_F(KvgxbPresetTable, TransmitterOnlyComparesTransmitterWidth) {
    KVGXB_TEST_PRESET p = kvgxb_open_preset("Basic", "none");
    p["RX_CHANNEL_WIDTH"] = {"16"};
    // The transmitter has no byte orderer: the row cannot fail.
    p["RX_BYTE_ORDERING_MODE"] = {"pattern-based"};
    kvgxb_feed_presets(model, {{"K16", p}});
    model.subprotocol = "No Loopback";
    model.operation_mode = KVGXB_OPMODE_TX_ONLY;
    model.channel_width = 8;
    model.wizard_var_to_param();
    EXPECT_EQ(cnx.find_cnx_constant("RX_CHANNEL_WIDTH"), nullptr);
    EXPECT_EQ(model.does_current_config_match_this_preset_param(model.get_preset(0), 0), "TX_CHANNEL_WIDTH");
    model.channel_width = 16;
    model.wizard_var_to_param();
    EXPECT_EQ(model.does_current_config_match_this_preset_param(model.get_preset(0), 0), "");
}

TEST_F(KvgxbPresetTable, FullMatchBringsFollowOnRowsIntoTheModel) {
    KVGXB_TEST_PRESET xaui = kvgxb_xaui_preset();
    xaui["RX_RATE_MATCH_PATTERN_SIZE"] = {"16", "10"};
    kvgxb_feed_presets(model, {{"VELARISIIGX_CONFIG_MODE_XAUI", xaui}});
    model.protocol = "XAUI";
    model.number_of_channels = 4;
    model.channel_width = 16;
    model.endec_8b10b_mode = KVGXB_8B10B_NORMAL;
    model.rate_match_fifo_mode = KVGXB_RMFIFO_NORMAL;
    model.input_a = "3125.0000";
    model.input_b = "156.250";
    model.rate_match_pattern_size = 20;
    model.rising_edge_pattern_align = true;
    model.wizard_var_to_param();

    EXPECT_EQ(model.does_current_config_match_this_preset_param(model.get_preset(0), 0), "");
    EXPECT_EQ(model.tcl_key, "VELARISIIGX_CONFIG_MODE_XAUI");
    EXPECT_EQ(model.rate_match_pattern_size, 10);
    EXPECT_FALSE(model.rising_edge_pattern_align);
    ASSERT_NE(cnx.find_cnx_constant("RX_RATE_MATCH_PATTERN_SIZE"), nullptr);
    EXPECT_EQ(cnx.find_cnx_constant("RX_RATE_MATCH_PATTERN_SIZE")->get_value(), "10");
}

TEST_F(KvgxbPresetTable, ProtocolPresetLayerRewritesMismatchingSettings) {
    const KVGXB_TEST_PRESET gige = {
        {"WIZ_PROTOCOL", {"GIGE"}}, {"WIZ_SUBPROTOCOL", {"N/A"}},
        {"OPERATION_MODE", {"Receiver and Transmitter"}}, {"NUMBER_OF_CHANNELS", {"1", "2", "4"}},
        {"WIZ_DATA_RATE", {"1250"}}, {"WIZ_INCLK_FREQ", {"62.5", "125"}}, {"RX_CHANNEL_WIDTH", {"8", "16"}},
        {"RX_8B_10B_MODE", {"normal"}}, {"RX_RUN_LENGTH", {"any_value"}}};
    kvgxb_feed_presets(model, {{"VELARISIIGX_CONFIG_MODE_GIGE", gige}});

    model.operation_mode = KVGXB_OPMODE_TX_ONLY;
    model.number_of_channels = 8;
    model.channel_width = 20;
    choose_protocol("GIGE");

    // Operation mode and channel count come from the preset's first values;
    // the width is found under its transmitter name.
    EXPECT_EQ(model.operation_mode, KVGXB_OPMODE_RX_AND_TX);
    EXPECT_EQ(model.channel_width, 8);
    EXPECT_EQ(model.number_of_channels, 1);
    EXPECT_EQ(model.current_preset_index, 0);
    EXPECT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();
    EXPECT_TRUE(messages.empty());

    // A transmitter-only width is found under its transmitter name.
    model.operation_mode = KVGXB_OPMODE_TX_ONLY;
    model.channel_width = 20;
    model.set_default_params_on_protocol_change();
    EXPECT_EQ(cnx.find_cnx_constant("TX_CHANNEL_WIDTH")->get_value(), "8");
    EXPECT_EQ(model.channel_width, 8);
    model.number_of_channels = 1;
    run_cycle();
    ASSERT_TRUE(model.is_feasible) << model.get_feasibility_cause_text().c_str();

    // Defaults requested without a protocol change leave the preset layer out.
    model.number_of_channels = 8;
    model.force_default_settings = model.force_default_changed = true;
    run_cycle();
    EXPECT_EQ(model.number_of_channels, 8);
    EXPECT_EQ(model.get_feasibility_cause_text(), "Cause: Please check NUMBER_OF_CHANNELS");
}

TEST_F(KvgxbPresetTable, InternalInconsistenciesNameOperationAndItem) {
    // A key whose run-length answer came back empty (a failed query).
    model.key_array_list.Add("BROKEN");
    KVGXB_TEST_PRESET p = kvgxb_open_preset("Basic", "none");
    p["WIZ_DATA_RATE"] = {};
    p["RX_RUN_LENGTH"] = {};
    for (int q = 0; q < KVGXB_PRESET_QUERY_COUNT; ++q) {
        const auto it = p.find(KVGXB_PRESET_QUERY_TBL[q].describes);
        CStringArray answer;
        for (const std::string& v : it == p.end() ? std::vector<std::string>{"Not_Used"} : it->second) {
            answer.Add(v.c_str());
        }
        model.file_preset_answer(q, answer);
    }
    ASSERT_TRUE(messages.empty());
    model.subprotocol = "No Loopback";
    model.wizard_var_to_param();
    model.does_current_config_match_this_preset_param(model.get_preset(0), 0);
    model.current_preset_index = 0;
    model.is_current_data_rate_valid();
    model.get_wizard_unused_parameter("RX_RUN_LENGTH");
    model.set_default_params_on_protocol_change();
    const std::vector<std::string> expected = {
        "kvgxb.cpp: does_current_config_match_this_preset_param, bad the_param_vale",
        "kvgxb.cpp: does_current_config_match_this_preset_param, bad the_param_vale",
        "kvgxb.cpp: is_current_data_rate_valid, bad param_array",
        "kvgxb.cpp: get_wizard_unused_parameter, bad param_array",
        "kvgxb.cpp: set_default_params_on_protocol_change, bad item_value",
    };
    EXPECT_EQ(messages, expected);

    // A width without a deserialization factor offers no pattern length.
    messages.clear();
    KVGXB_WIZARD_MODEL m;
    m.channel_width = 12;
    m.channel_width_changed = true;
    m.update_wizard();
    // Nor does single width at width 32 (deserialization factor 16).
    m.channel_width = 32;
    m.channel_width_changed = true;
    m.update_wizard();
    EXPECT_EQ(messages, std::vector<std::string>(2, "kvgxb.cpp: update_wizard, bad pattern_length_array"));
}
