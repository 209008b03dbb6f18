// The application object's hooks: what a silent and an interactive start do
// with the device database, how it ends, and the commands it sends.
#include <cerrno>
#include <csignal>
#include <fstream>
#include <sys/wait.h>

#include "transceiver/kvgxb_wizard_test_support.h"

namespace {

// A database that knows two keys and answers every other command with the
// command itself, logging what it receives beside its script (one script per
// test, since tests run side by side).
const char* const ECHO_SERVER = R"(
set log [open "[file rootname [info script]].log" w]
while {[gets stdin line] >= 0} {
    puts $log $line
    flush $log
    if {$line eq "get_config_keys"} {
        puts "2\nKEY_A\nKEY_B"
    } else {
        puts "1\n$line"
    }
    flush stdout
}
)";

std::vector<std::string> read_command_log() {
    std::ifstream in(std::string(KV2GXB_ARTIFACTS_DIR) + "/kvgxb_wizard_echo_server.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

using KvgxbWizardApp = KvgxbWizardTest;

TEST_F(KvgxbWizardApp, SilentStartRunsTheDatabaseButNeverActsOnItsAnswers) {
    KVGXB_TEST_APP_WIZARD& w = make_wizard("-silent");
    ASSERT_TRUE(w.on_init_wizard());
    EXPECT_EQ(w.get_model_cnx_manager(), &w.get_cnx_manager());
    // The CNX file, read next, is the description's only source.
    EXPECT_TRUE(w.get_cnx_manager().get_private_table().is_empty());
    EXPECT_TRUE(w.get_cnx_manager().get_constant_table().is_empty());
    EXPECT_TRUE(MANAGER::is_tcl_shell_process_running());
    EXPECT_FALSE(w.is_device_query_handler_installed());
    EXPECT_FALSE(w.enumeration_started);

    // Even an answer that arrives and is pumped never reaches the model.
    w.call_tcl_key_list();
    EXPECT_TRUE(pump_until([] { return MANAGER::get_pending_block_count() == 0; }, 30000));
    pump_for(100);
    EXPECT_EQ(w.blah_int, 0);
    EXPECT_TRUE(w.key_array_list.IsEmpty());

    const pid_t pid = MANAGER::get_tcl_shell_process_id();
    w.ExitInstance();
    EXPECT_FALSE(MANAGER::is_tcl_shell_process_running());
    EXPECT_TRUE(process_is_gone(pid));
}

TEST_F(KvgxbWizardApp, InteractiveStartEnumeratesAndEveryEndingStopsTheDatabase) {
    KVGXB_TEST_APP_WIZARD& w = make_wizard();
    ASSERT_TRUE(w.on_init_wizard());
    EXPECT_TRUE(w.is_device_query_handler_installed());
    EXPECT_TRUE(w.enumeration_started);
    EXPECT_FALSE(w.start_device_enumeration());  // the general page's later call adds nothing
    ASSERT_TRUE(pump_until([&] { return w.blah_int >= 10; }, 30000));

    // Exit in the middle of the enumeration: the child is gone and nothing
    // more is filed.
    const pid_t pid = MANAGER::get_tcl_shell_process_id();
    w.ExitInstance();
    EXPECT_TRUE(process_is_gone(pid));
    EXPECT_FALSE(w.is_device_query_handler_installed());
    const int answers = w.blah_int;
    pump_for(100);
    EXPECT_EQ(w.blah_int, answers);

    // Cancel ends it too.
    KVGXB_TEST_APP_WIZARD& cancelled = make_wizard();
    ASSERT_TRUE(cancelled.on_init_wizard());
    const pid_t second = MANAGER::get_tcl_shell_process_id();
    ASSERT_NE(second, pid);
    cancelled.on_cancel_wizard();
    EXPECT_TRUE(process_is_gone(second));
}

TEST_F(KvgxbWizardApp, RunEndingBeforeThePagesLeavesNoDatabase) {
    KVGXB_TEST_APP_WIZARD w;
    const std::string design = std::string(KV2GXB_ARTIFACTS_DIR) + "/kvgxb_wizard_mapfile/top.v";
    const char* argv[] = {"kv2gxb", "-mapfile", design.c_str()};
    EXPECT_EQ(bwizc_app_main(3, argv, &w), 0);
    EXPECT_EQ(w.get_page_nav_button_label_at(0), "General");
    EXPECT_FALSE(w.enumeration_started);
    EXPECT_FALSE(MANAGER::is_tcl_shell_process_running());
    EXPECT_FALSE(w.is_device_query_handler_installed());
}

TEST_F(KvgxbWizardApp, DeviceQueriesSendTheirCommandTexts) {
    MANAGER::set_server_script_path(write_script("kvgxb_wizard_echo_server.tcl", ECHO_SERVER));
    KVGXB_TEST_APP_WIZARD& w = make_wizard();
    ASSERT_TRUE(run_start_up(w));
    const std::string key = w.tcl_key.str();

    std::vector<std::string> log = read_command_log();
    ASSERT_EQ(log.size(), 3u + 2 * 22 + 1);
    EXPECT_EQ(log[0], "load_package device_features");
    EXPECT_EQ(log[1], "load_device_info KV2VGX130KF1508C3");
    EXPECT_EQ(log[2], "get_config_keys");
    EXPECT_EQ(log[3], "get_protocol_name KEY_A");
    EXPECT_EQ(log[3 + 22], "get_protocol_name KEY_B");
    EXPECT_EQ(log[3 + 44], "get_hssi_inclk_freq_list -data_rate 2500 " + key);

    // Each answer was filed under its key as the row of its query.
    ASSERT_EQ(w.get_preset_count(), 2);
    EXPECT_EQ(w.get_preset(0)->config_key, "KEY_A");
    EXPECT_EQ(w.get_preset(1)->config_key, "KEY_B");
    const CStringArray* width = w.get_preset(1)->find_row("RX_CHANNEL_WIDTH");
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->GetAt(1),
              "get_atom_param_value -config_key KEY_B -atom_param VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_DATA_WIDTH");
    ASSERT_EQ(w.inclk_frequency_array_list.GetSize(), 1);
    EXPECT_EQ(w.inclk_frequency_array_list.GetAt(0), ("get_hssi_inclk_freq_list -data_rate 2500 " + key).c_str());

    // The list queries take the rate or the clock from where the input
    // selection puts it, and the current key; each answer comes to the
    // asking page's window and refreshes the page.
    struct PAGE : KVGXB_DEVICE_QUERY_CLIENT {
        CWnd wnd;
        int deliveries = 0, refreshes = 0;
        explicit PAGE(KVGXB_WIZARD& w) {
            wnd.CreateEx(BWIZC_KIND_CUSTOM, 0, CString(), 0, CRect(), nullptr, 0);
            wnd.set_message_handler(RegisterWindowMessage(MANAGER::COMPLETION_MESSAGE_NAME), [this, &w](WPARAM, LPARAM) {
                ++deliveries;
                w.on_tcl_shell_command_done();
                return LRESULT(0);
            });
        }
        HWND get_device_query_window() override { return wnd.GetSafeHwnd(); }
        void on_device_value_list_arrived() override { ++refreshes; }
    } page(w);
    w.set_device_query_client(&page);
    w.tcl_key = "KEY_B";
    w.input_selection = 1;
    w.input_a = "156.25";
    w.input_b = "2500";
    w.call_tcl_get_inclk_freq();
    ASSERT_TRUE(pump_until([&] { return !w.inclk_list_pending; }, 30000));
    w.call_tcl_get_data_rate();
    ASSERT_TRUE(pump_until([&] { return !w.data_rate_list_pending; }, 30000));
    EXPECT_EQ(w.data_rate_array_list.GetAt(0), "get_hssi_data_rate_list -inclk_freq 156.25 KEY_B");
    EXPECT_EQ(page.deliveries, 2);
    EXPECT_EQ(page.refreshes, 2);
    // The key list asked again arrives as one more answer of the sequence,
    // which then asks for the clock list once more.
    const int answers = w.blah_int;
    w.call_tcl_key_list();
    ASSERT_TRUE(pump_until([&] { return w.blah_int == answers + 2 && !w.inclk_list_pending; }, 30000));
    log = read_command_log();
    ASSERT_EQ(log.size(), 3u + 2 * 22 + 5);
    EXPECT_EQ(log[48], "get_hssi_inclk_freq_list -data_rate 2500 KEY_B");
    EXPECT_EQ(log[49], "get_hssi_data_rate_list -inclk_freq 156.25 KEY_B");
    EXPECT_EQ(log[50], "get_config_keys");
    w.set_device_query_client(nullptr);
}

TEST_F(KvgxbWizardApp, AnswerArrivingWhileAClockListIsPendingIsTakenAsTheClockList) {
    MANAGER::set_server_script_path(write_script("kvgxb_wizard_clock_echo_server.tcl", ECHO_SERVER));
    KVGXB_TEST_APP_WIZARD& w = make_wizard();
    ASSERT_TRUE(w.on_init_wizard());
    // The protocol and subprotocol rows of KEY_A are in; the operation-mode
    // query is on its way when the page asks for a clock list.
    ASSERT_TRUE(pump_until([&] { return w.blah_int >= 5; }, 30000));
    ASSERT_EQ(w.blah_int, 5);
    w.call_tcl_get_inclk_freq();
    ASSERT_TRUE(pump_until([&] { return !w.inclk_list_pending; }, 30000));
    ASSERT_EQ(w.inclk_frequency_array_list.GetSize(), 1);
    EXPECT_EQ(w.inclk_frequency_array_list.GetAt(0), "get_hssi_op_mode_list KEY_A");
    // The enumeration still runs to its end.
    EXPECT_TRUE(pump_until([&] { return w.enumeration_done && !w.inclk_list_pending; }, 30000));
    EXPECT_EQ(w.get_preset_count(), 2);
}
