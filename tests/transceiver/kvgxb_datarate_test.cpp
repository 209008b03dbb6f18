// Data rate and input clock arithmetic, value lists, VOD and pre-emphasis.
#include <tuple>

#include "support/bwizc_global.h"
#include "transceiver/kvgxb_test_support.h"

using KvgxbDataRate = KvgxbModelTest;
using KvgxbValueLists = KvgxbModelTest;

TEST_F(KvgxbDataRate, InputSelectionMovesBetweenAllThreeQuestions) {
    model.input_a = "2500";
    model.input_b = "125";
    // Each move, and the two fields after it (null: not looked at); the
    // rate and the clock themselves never change.
    struct MOVE {
        int selection;
        const char *a, *a_unit, *b, *b_unit;
    };
    const MOVE moves[] = {
        {1, "125", "MHz", "2500", "Mbps"},     {2, "8.000", "ns", nullptr, nullptr},
        {0, "2500", "Mbps", "8.000", "ns"},    {2, "8.000", "ns", "2500", "Mbps"},
        {1, "125.000", "MHz", nullptr, nullptr}, {0, "2500", nullptr, "125.000", "MHz"},
        // From data rate straight to period converts a clock given in MHz.
        {2, "8.000", nullptr, nullptr, nullptr}, {0, nullptr, nullptr, nullptr, "ns"},
    };
    for (const MOVE& m : moves) {
        SCOPED_TRACE(testing::Message() << "move " << &m - moves);
        choose_input_selection(m.selection);
        if (m.a) { EXPECT_EQ(model.input_a, m.a); }
        if (m.a_unit) { EXPECT_EQ(model.input_a_unit, m.a_unit); }
        if (m.b) { EXPECT_EQ(model.input_b, m.b); }
        if (m.b_unit) { EXPECT_EQ(model.input_b_unit, m.b_unit); }
        EXPECT_EQ(model.get_data_rate_mbps(), 2500);
        EXPECT_DOUBLE_EQ(model.get_inclk_frequency_mhz(), 125.0);
        EXPECT_DOUBLE_EQ(model.get_inclk_period_ns(), 8.0);
    }
    EXPECT_EQ(model.get_inclk_frequency_mhz_string(), "125.000");

    // Switching the unit of the second input turns a period into a frequency.
    model.previous_input_b_unit = model.input_b_unit;
    model.input_b_unit = "MHz";
    model.input_b_unit_changed = true;
    run_cycle();
    EXPECT_EQ(model.input_b, "125.000");
    EXPECT_DOUBLE_EQ(model.get_inclk_frequency_mhz(), 125.0);
    EXPECT_FALSE(model.input_selection_changed || model.input_b_unit_changed);
}

TEST_F(KvgxbDataRate, ClockFieldFollowsItsUnit) {
    model.input_b = "6.4";
    model.input_b_unit = "ns";
    EXPECT_DOUBLE_EQ(model.get_inclk_frequency_mhz(), 156.25);
    EXPECT_EQ(model.get_inclk_frequency_mhz_string(), "156.250");
    model.set_inclk_frequency_mhz(125.0f);
    EXPECT_EQ(model.input_b, "8.000");
    model.set_inclk_period_ns(4.0f);
    EXPECT_EQ(model.input_b, "4.000");
    model.set_inclk_frequency_mhz_string("100");
    EXPECT_EQ(model.input_b, "10.000");
    model.input_b_unit = "MHz";
    model.set_inclk_frequency_mhz_string("62.2");
    EXPECT_EQ(model.input_b, "62.2");
    model.set_inclk_period_ns(16.0f);
    EXPECT_EQ(model.input_b, "62.500");
    model.input_b_unit = "Mbps";
    model.set_inclk_frequency_mhz(100.0f);
    EXPECT_EQ(model.input_b, "62.500");

    // The data rate is only written into a field measured in Mbps.
    model.input_a_unit = "Gbps";
    model.input_a = "2.5";
    model.set_data_rate_mbps(2500.0f);
    EXPECT_EQ(model.input_a, "2.5");
    model.input_a_unit = "Mbps";
    model.set_data_rate_mbps(2500.0f);
    EXPECT_EQ(model.input_a, "2500.0000");
    model.set_data_rate_string("3125.5");
    EXPECT_EQ(model.get_data_rate_string(), "3125.5");
}

TEST_F(KvgxbDataRate, RemainderIsInMillionthsOfAMbps) {
    struct REMAINDER_CASE {
        const char* text;
        int mbps, remainder;
    };
    const REMAINDER_CASE cases[] = {
        {"3125.5", 3125, 500000}, {"2488.32", 2488, 320000}, {"622", 622, 0},
        {"1.1234567", 1, 123456}, {"6220.8", 6220, 800000}, {"2488.3200", 2488, 320000},
    };
    for (const REMAINDER_CASE& c : cases) {
        model.input_a = c.text;
        EXPECT_EQ(model.get_data_rate_mbps(), c.mbps) << c.text;
        EXPECT_EQ(model.get_data_rate_mbps_remainder(), c.remainder) << c.text;
    }
    // With the clock asked first, the rate is the second input.
    model.input_selection = 1;
    model.input_a = "156.25";
    model.input_b = "6250.25";
    EXPECT_EQ(model.get_data_rate_mbps(), 6250);
    EXPECT_EQ(model.get_data_rate_mbps_remainder(), 250000);
}

TEST_F(KvgxbDataRate, RateValidityWithoutPresets) {
    struct VALID_CASE {
        int selection;
        bool single;
        const char* entry;
        bool valid;
    };
    const VALID_CASE cases[] = {
        {0, true, "622", true},      {0, true, "3125", true},     {0, true, "3125.5", false},
        {0, true, "621.9", false},   {0, false, "3125", true},    {0, false, "6375", true},
        {0, false, "6375.1", false}, {0, false, "3000", false},   {1, true, "62", true},
        {1, true, "622.08", true},   {1, true, "622.09", false},  {2, true, "61.9", false},
        {2, true, "100", true},
    };
    for (const VALID_CASE& c : cases) {
        model.input_selection = c.selection;
        model.single_width_mode = c.single;
        model.input_a = c.entry;
        EXPECT_EQ(model.is_current_data_rate_valid(), c.valid) << c.entry;
    }
}

TEST_F(KvgxbDataRate, RateValidityAgainstThePresetRow) {
    KVGXB_TEST_PRESET p = kvgxb_open_preset("Basic", "none");
    // Two values, one of them with a dash: a list, not a range.
    p["WIZ_DATA_RATE"] = {"2500-3125", "1250"};
    kvgxb_feed_presets(model, {{"LISTED", p}});
    model.current_preset_index = 0;
    model.input_a = "3000";
    EXPECT_FALSE(model.is_current_data_rate_valid());
    model.input_a = "1250.0";
    EXPECT_TRUE(model.is_current_data_rate_valid());
}

TEST_F(KvgxbDataRate, CeiClockIndexesTheDataRateRow) {
    KVGXB_TEST_PRESET p = kvgxb_open_preset("(OIF) CEI PHY Interface");
    p["WIZ_DATA_RATE"] = {"6250", "4976"};
    p["WIZ_INCLK_FREQ"] = {"156.25", "311"};
    kvgxb_feed_presets(model, {{"CEI", p}});
    model.protocol = "(OIF) CEI PHY Interface";
    model.current_preset_index = 0;
    model.input_b = "311";
    model.handle_cei_phy_data_rate();
    EXPECT_EQ(model.input_a, "4976");
    model.input_b = "156.25";
    model.handle_cei_phy_data_rate();
    EXPECT_EQ(model.input_a, "6250");

    // Rows of different length: the two standard rates.
    KVGXB_TEST_PRESET uneven = p;
    uneven["WIZ_INCLK_FREQ"] = {"311"};
    KVGXB_WIZARD_MODEL m;
    kvgxb_feed_presets(m, {{"CEI", uneven}});
    m.current_preset_index = 0;
    m.input_b = "311";
    m.handle_cei_phy_data_rate();
    EXPECT_EQ(m.input_a, "6220.8");
}

TEST_F(KvgxbValueLists, VodListsBySupplyAndTermination) {
    struct VOD_CASE {
        const char* supply;
        int termination;
        KVGXB_ITEMS values;
    };
    const VOD_CASE cases[] = {
        {"1.2", 100, {"160", "320", "480", "640", "800", "960"}},
        {"1.2", 120, {"192", "384", "576", "768", "960"}},
        {"1.2", 150, {"240", "480", "720", "960"}},
        {"1.5", 100, {"200", "400", "600", "800", "1000", "1200", "1400"}},
        {"1.5", 120, {"240", "480", "720", "960", "1200"}},
        {"1.5", 150, {"300", "600", "900", "1200"}},
        {"1.5", 110, {}},
    };
    for (const VOD_CASE& c : cases) {
        model.vcchtx = c.supply;
        model.tx_termination = c.termination;
        EXPECT_EQ(kvgxb_items(model.get_combobox_vod_settings()), c.values) << c.supply << " " << c.termination;
    }
}

TEST_F(KvgxbValueLists, FirstPostTapMapsSliderPositionsThroughTheVodWindow) {
    // Every window of both lists: position 0 is its top setting, the count is
    // off, and settings outside low..low+count are dropped. The 1.2 V list
    // numbers its entries from one.
    model.tx_termination = 100;
    const std::pair<int, int> windows[] = {{1, 3}, {1, 6}, {1, 10}, {2, 11}, {3, 10}, {4, 9}, {5, 8}};
    for (const auto& [supply, step, entries] : {std::tuple{"1.2", 160, 6}, {"1.5", 200, 7}}) {
        model.vcchtx = supply;
        for (int position = 0; position < entries; ++position) {
            const auto [low, count] = windows[position];
            model.vod_ctrl_setting = step * (position + 1);
            SCOPED_TRACE(model.vod_ctrl_setting);
            EXPECT_EQ(model.get_vod_iter_setting(), step == 160 ? position + 1 : position);
            model.set_tx_preemp_tap_1(0);
            EXPECT_EQ(model.preemp_1st_posttap, low + count - 1);
            model.set_tx_preemp_tap_1(1);
            EXPECT_EQ(model.preemp_1st_posttap, low + count - 2);
            model.set_tx_preemp_tap_1(count);
            EXPECT_EQ(model.preemp_1st_posttap, 0);
            for (const auto& [setting, kept] : std::vector<std::pair<int, bool>>{
                     {low - 1, low == 1}, {low, true}, {low + count, true}, {low + count + 1, false}}) {
                model.preemp_1st_posttap = setting;
                model.check_and_set_tx_preemp_tap_1_real();
                EXPECT_EQ(model.preemp_1st_posttap, kept ? setting : 0) << setting;
            }
        }
    }

    // A setting missing from the list uses the first window and position 1.
    model.vod_ctrl_setting = 160;
    EXPECT_EQ(model.get_vod_iter_setting(), 1);
    model.set_tx_preemp_tap_1(2);
    EXPECT_EQ(model.preemp_1st_posttap, 1);
}

TEST_F(KvgxbValueLists, FixedAndWidthDependentLists) {
    EXPECT_EQ(model.get_combobox_rxppm().GetSize(), 8);
    EXPECT_EQ(model.get_combobox_rxppm()[0], "+/- 62.5");
    EXPECT_EQ(model.get_combobox_tx_preemp_tap_1s().GetSize(), 16);
    EXPECT_EQ(model.get_combobox_rmfifo_almost_fulls()[15], "15");
    EXPECT_EQ(model.get_combobox_rx_vcm_settings()[0], "0.85");

    EXPECT_EQ(model.get_combobox_vcchtx_settings().GetSize(), 2);
    model.single_width_mode = false;
    EXPECT_EQ(kvgxb_items(model.get_combobox_vcchtx_settings()), KVGXB_ITEMS{"1.5"});
    model.vcchtx = "1.5";
    EXPECT_EQ(model.get_combobox_vcm_settings()[0], "0.6");
    model.single_width_mode = true;
    EXPECT_EQ(model.get_combobox_vcm_settings()[0], "0.7");
    model.protocol = "PCI Express (PIPE)";
    EXPECT_EQ(model.get_combobox_vcm_settings()[0], "0.6");
    EXPECT_EQ(kvgxb_items(model.get_combobox_vcchtx_settings()), KVGXB_ITEMS{"1.2"});

    // Run lengths and word-align lengths by width mode, width and coder.
    struct FACTOR_LISTS {
        bool single;
        int width, coding, step, count;
        KVGXB_ITEMS align_lengths;
    };
    const FACTOR_LISTS factors[] = {
        {true, 8, KVGXB_8B10B_NONE, 4, 32, {"16"}},          {true, 8, KVGXB_8B10B_NORMAL, 5, 32, {"7", "10"}},
        {false, 16, KVGXB_8B10B_NONE, 8, 64, {"8", "16", "32"}}, {false, 20, KVGXB_8B10B_NONE, 10, 64, {"7", "10", "20"}},
        // another factor: the step follows the coder (count not fixed)
        {true, 12, KVGXB_8B10B_NORMAL, 5, 0, {}},              {true, 12, KVGXB_8B10B_NONE, 4, 0, {}},
    };
    model.protocol = "Basic";
    for (const FACTOR_LISTS& f : factors) {
        model.single_width_mode = f.single;
        model.channel_width = f.width;
        model.endec_8b10b_mode = f.coding;
        SCOPED_TRACE(f.width);
        CStringArray& runs = model.get_combobox_run_lengths();
        ASSERT_GE(runs.GetSize(), 2);
        EXPECT_EQ(runs[0], bwizc_global_int2str(f.step));
        EXPECT_EQ(runs[1], bwizc_global_int2str(2 * f.step));
        if (f.count > 0) {
            ASSERT_EQ(runs.GetSize(), f.count);
            EXPECT_EQ(runs[f.count - 1], bwizc_global_int2str(f.step * f.count));
        }
        EXPECT_EQ(kvgxb_items(model.get_combobox_word_align_pattern_lengths()), f.align_lengths);
    }
    model.protocol = "SONET Backplane";
    model.subprotocol = "OC12";
    EXPECT_EQ(model.get_combobox_run_lengths().GetSize(), 32);
    EXPECT_EQ(model.run_length_array_list[31], "128");
    model.subprotocol = "OC96";
    model.single_width_mode = false;
    model.channel_width = 32;
    ASSERT_EQ(model.get_combobox_run_lengths().GetSize(), 64);
    EXPECT_EQ(model.run_length_array_list[63], "512");
}

TEST_F(KvgxbValueLists, ClockListsFromPresetOrFallback) {
    // The fallback lists by protocol or SONET subprotocol; SDI's follows the rate.
    struct FALLBACK {
        const char *choice, *rate;
        KVGXB_ITEMS values;
    };
    const FALLBACK fallbacks[] = {
        {"PCI Express (PIPE)", "2500", {"100"}}, {"(OIF) CEI PHY Interface", "2500", {"156.25", "622.08"}},
        {"XAUI", "2500", {"156.25"}},            {"GIGE", "2500", {"62.5", "125"}},
        {"SDI", "1485", {"74.25"}},              {"SDI", "1483.5", {"74.1758"}},
        {"OC12", "2500", {"62.2", "311"}},       {"OC48", "2500", {"77.76", "155.52", "311.04", "622.08"}},
        {"OC96", "2500", {"124.4"}}};
    for (const FALLBACK& c : fallbacks) {
        const bool sonet = CString(c.choice).Left(2) == "OC";
        model.protocol = sonet ? "SONET Backplane" : c.choice;
        model.subprotocol = sonet ? c.choice : "N/A";
        model.input_a = c.rate;
        EXPECT_EQ(kvgxb_items(model.get_combobox_inclk_frequency()), c.values) << c.choice << " " << c.rate;
    }

    kvgxb_feed_presets(model, {{"VELARISIIGX_CONFIG_MODE_XAUI", kvgxb_xaui_preset()}});
    model.protocol = "XAUI";
    model.current_preset_index = 0;
    EXPECT_EQ(kvgxb_items(model.get_combobox_inclk_frequency()), KVGXB_ITEMS{"156.25"});
    EXPECT_EQ(model.get_combobox_run_lengths().GetSize(), 5);
    EXPECT_EQ(model.get_wizard_unused_parameter("RX_ALIGN_PATTERN"), "0101111100");
    EXPECT_EQ(model.get_wizard_unused_parameter("NO_SUCH_ROW"), "");
    EXPECT_EQ(model.get_combobox_channel_numbers().GetSize(), 5);

    // Basic keeps the device's own answer for the current rate.
    model.protocol = "Basic";
    model.inclk_frequency_array_list.RemoveAll();
    model.inclk_frequency_array_list.Add("62.2");
    EXPECT_EQ(kvgxb_items(model.get_combobox_inclk_frequency()), KVGXB_ITEMS{"62.2"});

    model.data_rate_array_list.RemoveAll();
    model.input_b = "3125";
    EXPECT_EQ(model.get_combobox_data_rate()[0], "3125");
}
