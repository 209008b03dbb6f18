// The application object against the real tclsh and the real device data:
// the start-up enumeration through the query service into the preset table,
// matching on what it filed, and the faults.
#include <csignal>
#include <set>

#include "transceiver/kvgxb_wizard_test_support.h"

namespace {

bool row_has(const CStringArray* row, const char* value) {
    for (int i = 1; row && i < row->GetSize(); ++i) if (row->GetAt(i) == value) return true;
    return false;
}
}  // namespace

using KvgxbWizardDeviceDatabase = KvgxbWizardTest;

TEST_F(KvgxbWizardDeviceDatabase, StartUpEnumerationFillsPresetsThatEveryDefaultVariationMatches) {
    KVGXB_TEST_APP_WIZARD& w = make_wizard();
    ASSERT_TRUE(run_start_up(w)) << "answers: " << w.blah_int;

    // Every key gives one preset of 22 rows in query order, each with a value.
    const int keys = w.key_array_list.GetSize();
    ASSERT_GE(keys, 20);
    EXPECT_GE(w.key_array_list.Find("VELARISIIGX_CONFIG_MODE_BASIC_2G_1"), 0);
    EXPECT_TRUE(w.last_one);
    EXPECT_EQ(w.blah_int, 3 + 22 * keys + 1);  // the loads, the keys, the presets, the clock list
    ASSERT_EQ(w.get_preset_count(), keys);
    std::set<std::string> filed;
    for (int i = 0; i < w.get_preset_count(); ++i) {
        const KVGXB_PRESET_PARAM_ITEM* p = w.get_preset(i);
        ASSERT_EQ(p->rows.size(), 22u) << p->config_key.c_str();
        for (int r = 0; r < 22; ++r) {
            EXPECT_EQ(p->rows[r]->GetAt(0), KVGXB_PRESET_QUERY_TBL[r].describes) << p->config_key.c_str();
            EXPECT_GE(p->rows[r]->GetSize(), 2) << p->config_key.c_str() << " row " << r;
        }
        EXPECT_TRUE(filed.insert(p->config_key.str()).second) << "key filed twice: " << p->config_key.c_str();
    }

    // The enumeration ended with the clock list of the rate entered.
    EXPECT_FALSE(w.inclk_frequency_array_list.IsEmpty());

    // The default variation of every protocol matches a preset of the part.
    const std::pair<const char*, const char*> choices[] = {
        {"Basic", "Serial Loopback"}, {"Basic", "PRBS/No loopback"},
        {"XAUI", nullptr},           {"GIGE", nullptr},
        {"PCI Express (PIPE)", "x1"}, {"PCI Express (PIPE)", "x4"},
        {"PCI Express (PIPE)", "x8"}, {"SONET Backplane", "OC12"},
        {"SONET Backplane", "OC48"},  {"SONET Backplane", "OC96"},
        {"SDI", nullptr},            {"(OIF) CEI PHY Interface", nullptr},
        {"Basic", nullptr},
    };
    for (const auto& [protocol, subprotocol] : choices) {
        choose_protocol(protocol, subprotocol);
        const std::string what = std::string(protocol) + (subprotocol ? std::string(" ") + subprotocol : "");
        EXPECT_TRUE(w.is_feasible) << what << ": " << w.get_feasibility_cause_text().c_str();
        const KVGXB_PRESET_PARAM_ITEM* current = w.get_current_preset();
        ASSERT_NE(current, nullptr) << what;
        EXPECT_EQ(current->protocol, protocol) << what;
        EXPECT_EQ(w.tcl_key, current->config_key) << what;
        if (subprotocol) { EXPECT_TRUE(row_has(current->find_row("WIZ_SUBPROTOCOL"), subprotocol)) << what; }
    }
    // A rate the part's XAUI mode does not run at is caught, and named.
    choose_protocol("XAUI");
    w.input_a = "3200";
    run_cycle();
    EXPECT_FALSE(w.is_feasible);
    EXPECT_EQ(w.closest_failing_name, "WIZ_DATA_RATE");

    // Every value a key offers can be chosen: from the key's protocol
    // defaults, its width mode, each offered width, and then each offered
    // coding, byte ordering and operation mode in turn (the others at the
    // key's first choice), the model reaches a configuration the part
    // implements. The first key of a subprotocol is a single-width one: the
    // width mode and width lead on to a double-width key of the same one.
    auto choose_width = [&](bool single, int width) {
        w.single_width_mode = single;
        w.channel_width = width;
        w.deserializer_width_changed = w.channel_width_changed = true;
        run_cycle();
    };
    auto values_of = [](const KVGXB_PRESET_PARAM_ITEM* p, const char* row_name) {
        std::vector<CString> values;
        const CStringArray* row = p->find_row(row_name);
        for (int i = 1; row && i < row->GetSize(); ++i) {
            const CString& v = row->GetAt(i);
            if (v != KVGXB_PRESET_ANY_VALUE && v != KVGXB_PRESET_NOT_USED) values.push_back(v);
        }
        return values;
    };
    for (int i = 0; i < w.get_preset_count(); ++i) {
        const KVGXB_PRESET_PARAM_ITEM* p = w.get_preset(i);
        const bool single = !row_has(p->find_row("RX_USE_DESERIALIZER_DOUBLE_DATA_MODE"), "true");
        // The first rate offered, or the low end of a range of rates.
        const std::vector<CString> rates = values_of(p, "WIZ_DATA_RATE");
        CString rate = rates.empty() ? w.input_a : rates.front();
        if (rate.Find('-', 1) > 0) rate = rate.Left(rate.Find('-', 1));
        const std::vector<CString> widths = values_of(p, "RX_CHANNEL_WIDTH");
        using SETTER = std::function<void(const CString&)>;
        const std::pair<const char*, SETTER> walks[] = {
            {"RX_CHANNEL_WIDTH", [&](const CString&) {}},
            {"RX_8B_10B_MODE", [&](const CString& v) { w.endec_8b10b_mode = w.endecoder_8b10b_string2enum(v); }},
            {"RX_BYTE_ORDERING_MODE",
             [&](const CString& v) {
                 CString name = v;
                 name.Replace(" ", "-");
                 w.byte_order_mode = w.byte_order_str2enum(name);
             }},
            {"OPERATION_MODE", [&](const CString& v) { w.operation_mode = w.opmode_string2enum(v); }},
        };
        for (const CString& width : widths) {
            for (const auto& [row_name, set] : walks) {
                for (const CString& value : values_of(p, row_name)) {
                    if (row_name == std::string("RX_CHANNEL_WIDTH") && value != width) continue;
                    choose_protocol(p->protocol == "XAUI" ? "GIGE" : "XAUI");
                    choose_protocol(p->protocol.c_str(), p->subprotocol.c_str());
                    w.input_selection = 0;
                    w.input_a = rate;
                    choose_width(single, std::atoi(width.c_str()));
                    // The key's first choice for the other settings, then this value.
                    for (const auto& [other_row, other_set] : walks) {
                        const std::vector<CString> others = values_of(p, other_row);
                        if (other_row != row_name && !others.empty()) other_set(others.front());
                    }
                    set(value);
                    run_cycle();
                    // Byte-order patterns typed at the length the coding asks for.
                    w.byte_order_pattern = std::string(w.get_required_byte_order_length(), '0').c_str();
                    w.byte_order_pad_pattern = w.byte_order_pattern;
                    run_cycle();
                    EXPECT_TRUE(w.is_feasible) << p->config_key.c_str() << " width " << width.c_str() << ", "
                                               << row_name << " " << value.c_str() << ": "
                                               << w.get_feasibility_cause_text().c_str();
                }
            }
        }
    }
}

TEST_F(KvgxbWizardDeviceDatabase, FaultsKeepTheFallbackListsWithoutHanging) {
    // No interpreter at all.
    {
        ::setenv("KV2GXB_TCLSH", "/nonexistent", 1);
        KVGXB_TEST_APP_WIZARD& w = make_wizard();
        EXPECT_TRUE(w.on_init_wizard());
        w.call_tcl_get_inclk_freq();
        pump_for(300);
        EXPECT_EQ(w.blah_int, 0);
        EXPECT_EQ(w.get_preset_count(), 0);
        EXPECT_TRUE(w.key_array_list.IsEmpty());
        EXPECT_EQ(w.get_combobox_protocols().GetSize(), 7);
        EXPECT_EQ(w.get_combobox_protocols().GetAt(0), "Basic");
        // Only the clock the read-back of the empty description put there.
        ASSERT_EQ(w.inclk_frequency_array_list.GetSize(), 1);
        EXPECT_EQ(w.inclk_frequency_array_list.GetAt(0), w.input_b);
        EXPECT_EQ(bwizc_pending_reply_count(), 0);
        w.ExitInstance();
        ::unsetenv("KV2GXB_TCLSH");
    }
    // The interpreter killed in the middle of the enumeration: what was filed
    // stays, nothing more arrives, the pump is not held up.
    {
        KVGXB_TEST_APP_WIZARD& w = make_wizard();
        ASSERT_TRUE(w.on_init_wizard());
        ASSERT_TRUE(pump_until([&] { return w.blah_int >= 3 + 22 * 2 + 5; }, 10000));
        const pid_t pid = MANAGER::get_tcl_shell_process_id();
        ASSERT_GT(pid, 0);
        ::kill(pid, SIGKILL);
        pump_for(300);
        const int answers = w.blah_int;
        EXPECT_FALSE(w.enumeration_done);
        EXPECT_GE(w.get_preset_count(), 3);
        EXPECT_LT(w.get_preset_count(), w.key_array_list.GetSize());
        EXPECT_FALSE(MANAGER::is_tcl_shell_process_running());
        EXPECT_EQ(bwizc_pending_reply_count(), 0);
        w.call_tcl_get_inclk_freq();
        pump_for(100);
        EXPECT_EQ(w.blah_int, answers);
        w.ExitInstance();
    }
    // A command that fails: the enumeration stops there, nothing is filed.
    {
        MANAGER::set_server_script_path(write_script("kvgxb_wizard_failing_server.tcl",
                                                     "while {[gets stdin line] >= 0} {\n"
                                                     "  if {$line eq \"get_config_keys\"} {\n"
                                                     "    puts \"-1\\nno part loaded\"\n"
                                                     "  } else { puts \"0\" }\n"
                                                     "  flush stdout\n"
                                                     "}\n"));
        KVGXB_TEST_APP_WIZARD& w = make_wizard();
        ASSERT_TRUE(w.on_init_wizard());
        ASSERT_TRUE(pump_until([&] { return w.blah_int == 2; }, 30000));
        pump_for(200);
        EXPECT_EQ(w.blah_int, 2);
        EXPECT_EQ(w.setup_int, 3);
        EXPECT_TRUE(w.key_array_list.IsEmpty());
        EXPECT_EQ(w.get_preset_count(), 0);
        EXPECT_EQ(w.get_combobox_protocols().GetSize(), 7);
        EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
    }
}
