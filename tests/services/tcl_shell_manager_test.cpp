// The device query service against the real tclsh and the real device data:
// the transport, the list queries, and the faults (no interpreter, a dying interpreter, failing commands,
// answers out of frame).
#include <gtest/gtest.h>

#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/messages.h"
#include "platform/window.h"
#include "services/bwizc_tcl_shell_manager.h"

namespace {

using MANAGER = BWIZC_TCL_SHELL_MANAGER;
using CLOCK = std::chrono::steady_clock;
using ANSWER = std::optional<std::vector<std::string>>;
using DELIVERY = std::vector<ANSWER>;

// Per-key queries of the start-up enumeration (the first of the wizard's).
const char* const KEY_QUERIES[] = {"get_protocol_name", "get_subprotocol_name", "get_hssi_op_mode_list",
                                   "get_hssi_channel_num_list"};
constexpr int KEY_QUERY_COUNT = 4;

CString server_script()
{
    return CString(KV2GXB_BUILD_DIR) + "/libraries/device/devicedb_server.tcl";
}

bool pump_until(const std::function<bool()>& done, int timeout_ms)
{
    auto end = CLOCK::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (CLOCK::now() >= end) {
            return false;
        }
        bwizc_wait_for_posted_message(5);
        while (bwizc_dispatch_posted_message()) {
        }
    }
    return true;
}

void pump_for(int ms)
{
    pump_until([] { return false; }, ms);
}

DELIVERY snapshot_results()
{
    DELIVERY out;
    BWIZC_TCL_RESULT_ARRAY* results = MANAGER::get_tokenized_result_array();
    for (int i = 0; i < results->GetSize(); ++i) {
        CStringArray* entry = results->GetAt(i);
        if (!entry) {
            out.emplace_back(std::nullopt);
            continue;
        }
        std::vector<std::string> elements;
        for (const CString& e : *entry) {
            elements.push_back(e.str());
        }
        out.emplace_back(std::move(elements));
    }
    return out;
}

bool process_is_gone(pid_t pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// A page window that asks the database and keeps what is delivered to it.
struct TEST_PAGE {
    CWnd wnd;
    std::vector<DELIVERY> deliveries;
    std::function<void()> on_delivery;

    TEST_PAGE()
    {
        wnd.CreateEx(BWIZC_KIND_CUSTOM, 0, CString(), 0, CRect(), nullptr, 0);
        wnd.set_message_handler(RegisterWindowMessage(MANAGER::COMPLETION_MESSAGE_NAME), [this](WPARAM, LPARAM) {
            deliveries.push_back(snapshot_results());
            if (on_delivery) {
                on_delivery();
            }
            return LRESULT(0);
        });
    }
    void ask(std::initializer_list<CString> commands)
    {
        MANAGER::begin_command_block(wnd.GetSafeHwnd());
        for (const CString& c : commands) {
            MANAGER::run_tcl_shell_command(c);
        }
        MANAGER::end_command_block();
    }
};

// The start-up enumeration as the general page runs it, one command per
// block, the next one asked for when an answer has been filed: the two
// loads, the key list, then the per-key queries of every key.
struct STARTUP_ENUMERATION {
    TEST_PAGE page;
    int asked = 0;
    int answer_count = 0;
    std::vector<std::string> keys;
    bool finished = false;
    std::function<void(int)> after_answer;

    STARTUP_ENUMERATION()
    {
        page.on_delivery = [this] { on_command_done(); };
    }

    void call_tcl_with_keys()
    {
        static const char* const loads[] = {"load_package device_features", "load_device_info KV2VGX130KF1508C3",
                                            "get_config_keys"};
        CString command;
        if (asked < 3) {
            command = loads[asked];
        } else {
            const size_t key_index = static_cast<size_t>(asked - 3) / KEY_QUERY_COUNT;
            if (key_index >= keys.size()) {
                finished = true;
                return;
            }
            command.Format("%s %s", KEY_QUERIES[(asked - 3) % KEY_QUERY_COUNT], keys[key_index].c_str());
        }
        ++asked;
        page.ask({command});
    }

    // Counts the answers and keeps the key list.
    void on_command_done()
    {
        BWIZC_TCL_RESULT_ARRAY* results = MANAGER::get_tokenized_result_array();
        for (int i = 0; i < results->GetSize(); ++i) {
            CStringArray* entry = results->GetAt(i);
            if (!entry) {
                continue;
            }
            std::vector<std::string> values;
            for (const CString& v : *entry) {
                values.push_back(v.str());
            }
            int n = answer_count++;
            if (n == 2) {
                keys = values;
            }
            if (after_answer) {
                after_answer(answer_count);
            }
            call_tcl_with_keys();
        }
    }
};

// ------------------------------------------------------------------- fixture

class TclShellManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::unsetenv("KV2GXB_TCLSH");
        MANAGER::set_server_script_path(server_script());
        MANAGER::set_answer_timeout_ms(10000);
        MANAGER::set_windowless_completion_handler(nullptr);
        bwizc_clear_posted_messages();
    }
    void TearDown() override
    {
        MANAGER::shut_down_tcl_shell_process();
        MANAGER::set_server_script_path(CString());
        MANAGER::set_windowless_completion_handler(nullptr);
        ::unsetenv("KV2GXB_TCLSH");
        pump_for(20);
        EXPECT_EQ(bwizc_pending_reply_count(), 0);
    }

    // A server of the test's own, to play a misbehaving database.
    CString write_script(const char* name, const char* text)
    {
        CString path = CString(KV2GXB_ARTIFACTS_DIR) + "/" + name;
        std::ofstream(path.c_str()) << text;
        return path;
    }
};

}  // namespace

TEST_F(TclShellManager, ListQueriesOfferTheClocksAndRatesThePllReachesAsTheWizardWritesThem)
{
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    TEST_PAGE page;
    page.ask({"load_package device_features", "load_device_info KV2VGX130KF1508C3"});
    page.ask({"get_hssi_inclk_freq_list -data_rate 3125 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 3125.0000 VELARISIIGX_CONFIG_MODE_XAUI",
              "get_hssi_data_rate_list -inclk_freq 100.000 VELARISIIGX_CONFIG_MODE_PIPE_X1",
              "get_hssi_data_rate_list -inclk_freq 125 VELARISIIGX_CONFIG_MODE_PIPE_X4",
              "get_hssi_inclk_freq_list -data_rate 3126 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_data_rate_list -inclk_freq 100 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 6250 VELARISIIGX_CONFIG_MODE_CEI_6G",
              // The ends of the serial and reference-clock ranges the wizard checks.
              "get_hssi_inclk_freq_list -data_rate 3125.01 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 6375 VELARISIIGX_CONFIG_MODE_BASIC_6G_1",
              "get_hssi_inclk_freq_list -data_rate 6375.05 VELARISIIGX_CONFIG_MODE_BASIC_6G_1",
              "get_hssi_inclk_freq_list -data_rate 622 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 2500 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_data_rate_list -inclk_freq 55 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_data_rate_list VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_data_rate_list VELARISIIGX_CONFIG_MODE_BASIC_6G_1",
              // The standard clocks of the protocol rates.
              "get_hssi_inclk_freq_list -data_rate 2488.32 VELARISIIGX_CONFIG_MODE_SONET_OC48",
              "get_hssi_inclk_freq_list -data_rate 1250.0000 VELARISIIGX_CONFIG_MODE_GIGE",
              "get_hssi_inclk_freq_list -data_rate 622 VELARISIIGX_CONFIG_MODE_SONET_OC12",
              "get_hssi_inclk_freq_list -data_rate 1485 VELARISIIGX_CONFIG_MODE_SDI",
              "get_hssi_inclk_freq_list -data_rate 4976 VELARISIIGX_CONFIG_MODE_SONET_OC96",
              // A clock entered as a period reaches the database as 1000 / period
              // with three decimals: 13.481 ns, 1.608 ns and 6.734 ns stand for
              // 74.1758, 622.08 and 148.5 MHz.
              "get_hssi_data_rate_list -inclk_freq 74.178 VELARISIIGX_CONFIG_MODE_SDI",
              "get_hssi_data_rate_list -inclk_freq 621.891 VELARISIIGX_CONFIG_MODE_SONET_OC48",
              "get_hssi_data_rate_list -inclk_freq 148.500 VELARISIIGX_CONFIG_MODE_SDI",
              // A clock off by more than the receiver tolerates is no standard clock.
              "get_hssi_data_rate_list -inclk_freq 100.1 VELARISIIGX_CONFIG_MODE_PIPE_X1",
              // A protocol rate is matched as written, as the wizard matches it.
              "get_hssi_inclk_freq_list -data_rate 3125.03 VELARISIIGX_CONFIG_MODE_XAUI",
              "get_hssi_inclk_freq_list -data_rate 1483.5165 VELARISIIGX_CONFIG_MODE_SDI"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 2; }, 5000));
    const DELIVERY& lists = page.deliveries[1];
    ASSERT_EQ(lists.size(), 27u);
    for (const ANSWER& a : lists) {
        ASSERT_TRUE(a.has_value());
    }
    auto contains = [](const std::vector<std::string>& list, const char* value) {
        return std::find(list.begin(), list.end(), value) != list.end();
    };
    // 3125 Mbps: 156.25 MHz among the Basic clocks, and the only XAUI clock.
    EXPECT_TRUE(contains(*lists[0], "156.25"));
    EXPECT_GT(lists[0]->size(), 1u);
    EXPECT_EQ(*lists[1], (std::vector<std::string>{"156.25"}));
    // 100 MHz gives PCI Express its 2500 Mbps; 125 MHz is no PCI Express clock.
    EXPECT_EQ(*lists[2], (std::vector<std::string>{"2500"}));
    EXPECT_TRUE(lists[3]->empty());
    // Above the single-width range nothing is reachable.
    EXPECT_TRUE(lists[4]->empty());
    // Every rate offered from 100 MHz lies in the single-width range.
    EXPECT_TRUE(contains(*lists[5], "2500"));
    for (const std::string& r : *lists[5]) {
        double v = std::atof(r.c_str());
        EXPECT_TRUE(v >= 622 && v <= 3125) << r;
    }
    EXPECT_EQ(*lists[6], (std::vector<std::string>{"156.25"}));

    // A rate just above a width mode's range reaches no clock; the ends
    // themselves do, as the wizard accepts them.
    EXPECT_TRUE(lists[7]->empty()) << lists[7]->front();
    EXPECT_FALSE(lists[8]->empty());
    EXPECT_TRUE(lists[9]->empty()) << lists[9]->front();
    EXPECT_TRUE(contains(*lists[10], "62.2"));
    // No clock below the wizard's lowest input clock (62 MHz) is offered or used.
    for (const std::string& c : *lists[11]) {
        EXPECT_GE(std::atof(c.c_str()), 62.0) << c;
    }
    EXPECT_TRUE(contains(*lists[11], "100"));
    EXPECT_TRUE(lists[12]->empty()) << lists[12]->front();
    EXPECT_EQ(*lists[13], (std::vector<std::string>{"62-622.08"}));
    EXPECT_EQ(*lists[14], (std::vector<std::string>{"622-3125"}));
    EXPECT_EQ(*lists[15], (std::vector<std::string>{"3125-6375"}));

    EXPECT_TRUE(contains(*lists[16], "155.52"));
    EXPECT_TRUE(contains(*lists[17], "125"));
    EXPECT_TRUE(contains(*lists[18], "62.2"));
    EXPECT_TRUE(contains(*lists[19], "74.25"));
    EXPECT_EQ(*lists[20], (std::vector<std::string>{"124.4"}));

    EXPECT_EQ(*lists[21], (std::vector<std::string>{"1483.5165", "2967.033"}));
    EXPECT_EQ(*lists[22], (std::vector<std::string>{"2488.32"}));
    EXPECT_EQ(*lists[23], (std::vector<std::string>{"1485", "2970"}));
    EXPECT_TRUE(lists[24]->empty()) << lists[24]->front();
    EXPECT_TRUE(lists[25]->empty()) << lists[25]->front();
    EXPECT_EQ(*lists[26], (std::vector<std::string>{"74.1758", "148.3516"}));
}

TEST_F(TclShellManager, BlockAnswersKeepSubmissionOrderAndFailedCommandsAreNull)
{
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    TEST_PAGE page;
    page.ask({"load_package device_features", "load_device_info KV2VGX130KF1508C3"});
    page.ask({"get_protocol_name VELARISIIGX_CONFIG_MODE_XAUI", "get_protocol_name NO_SUCH_KEY",
              "list \"line one\\nline two\" {back\\slash} {}"});
    // A block whose only command fails is never delivered; the stream stays
    // in step, so the next block is answered.
    page.ask({"get_subprotocol_name NO_SUCH_KEY"});
    page.ask({"get_subprotocol_name VELARISIIGX_CONFIG_MODE_SONET_OC48"});
    page.ask({"load_device_info NO_SUCH_PART"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() >= 3; }, 5000));
    pump_for(100);
    ASSERT_EQ(page.deliveries.size(), 3u);
    const DELIVERY& mixed = page.deliveries[1];
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_EQ(mixed[0], ANSWER(std::vector<std::string>{"XAUI"}));
    EXPECT_FALSE(mixed[1].has_value());
    EXPECT_EQ(mixed[2], ANSWER(std::vector<std::string>{"line one\nline two", "back\\slash", ""}));
    EXPECT_EQ(page.deliveries[2], DELIVERY{ANSWER(std::vector<std::string>{"OC48"})});
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
    EXPECT_TRUE(MANAGER::is_tcl_shell_process_running());
    // Outside a delivery there is nothing to read.
    EXPECT_EQ(MANAGER::get_tokenized_result_array()->GetSize(), 0);
}

TEST_F(TclShellManager, EnteredTextIsDataNeverTclToRun)
{
    // The data rate goes into the command as the user typed it: brackets,
    // dollars and semicolons are just a bad number, and only the database's
    // own commands run.
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    pid_t pid = MANAGER::get_tcl_shell_process_id();
    TEST_PAGE page;
    page.ask({"load_package device_features", "load_device_info KV2VGX130KF1508C3"});
    page.ask({"get_hssi_inclk_freq_list -data_rate [exit] VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate [set ::devicedb_dir /] VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate $tcl_precision VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate 2500;puts x VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "get_hssi_inclk_freq_list -data_rate {2500 VELARISIIGX_CONFIG_MODE_BASIC_2G_1",
              "puts hello", "set ::devicedb_dir /",
              "get_hssi_inclk_freq_list -data_rate 2500 VELARISIIGX_CONFIG_MODE_XAUI",
              "load_package device_features"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 2; }, 5000));
    const DELIVERY& d = page.deliveries[1];
    ASSERT_EQ(d.size(), 9u);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_FALSE(d[i].has_value()) << "command " << i << " answered";
    }
    ASSERT_TRUE(d[7].has_value());
    EXPECT_TRUE(d[7]->empty());  // 2500 Mbps is no XAUI rate
    EXPECT_EQ(d[8], ANSWER(std::vector<std::string>{"1.0"}));
    EXPECT_TRUE(MANAGER::is_tcl_shell_process_running());
    EXPECT_EQ(MANAGER::get_tcl_shell_process_id(), pid);
}

TEST_F(TclShellManager, BlockWithoutLiveWindowGoesToTheWindowlessHandler)
{
    std::vector<DELIVERY> windowless;
    MANAGER::set_windowless_completion_handler([&] { windowless.push_back(snapshot_results()); });
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    MANAGER::begin_command_block(nullptr);
    MANAGER::run_tcl_shell_command("load_package device_features");
    MANAGER::end_command_block();
    auto page = std::make_unique<TEST_PAGE>();
    page->ask({"load_device_info KV2VGX130KF1508C3"});
    page.reset();  // the page closed before its answer came
    ASSERT_TRUE(pump_until([&] { return windowless.size() == 2; }, 5000));
    EXPECT_EQ(windowless[0], DELIVERY{ANSWER(std::vector<std::string>{"1.0"})});
    EXPECT_EQ(windowless[1], DELIVERY{ANSWER(std::vector<std::string>{"KV2VGX130KF1508C3"})});
}

TEST_F(TclShellManager, MissingInterpreterOrServerDeliversNothing)
{
    ::setenv("KV2GXB_TCLSH", "/nonexistent/tclsh", 1);
    EXPECT_STREQ(MANAGER::get_interpreter(), "/nonexistent/tclsh");
    EXPECT_FALSE(MANAGER::start_tcl_shell_process());
    EXPECT_FALSE(MANAGER::is_tcl_shell_process_running());
    STARTUP_ENUMERATION e;
    e.call_tcl_with_keys();
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
    EXPECT_EQ(bwizc_pending_reply_count(), 0);
    pump_for(150);
    EXPECT_TRUE(e.page.deliveries.empty());
    MANAGER::shut_down_tcl_shell_process();

    ::unsetenv("KV2GXB_TCLSH");
    MANAGER::set_server_script_path("/nonexistent/devicedb_server.tcl");
    EXPECT_FALSE(MANAGER::start_tcl_shell_process());
    e.page.ask({"get_config_keys"});
    pump_for(100);
    EXPECT_TRUE(e.page.deliveries.empty());
}

TEST_F(TclShellManager, InterpreterKilledMidEnumerationStopsAnswersWithoutHanging)
{
    // Writing to the dead child must not raise SIGPIPE in the wizard.
    auto old_handler = std::signal(SIGPIPE, SIG_DFL);
    STARTUP_ENUMERATION e;
    pid_t pid = -1;
    e.after_answer = [&](int count) {
        if (count == 60) {
            pid = MANAGER::get_tcl_shell_process_id();
            ::kill(pid, SIGKILL);
        }
    };
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    e.call_tcl_with_keys();
    ASSERT_TRUE(pump_until([&] { return !MANAGER::is_tcl_shell_process_running(); }, 5000));
    size_t delivered = e.page.deliveries.size();
    EXPECT_EQ(delivered, 60u);
    // Commands keep coming from the page; none is answered.
    e.call_tcl_with_keys();
    pump_for(200);
    EXPECT_EQ(e.page.deliveries.size(), delivered);
    EXPECT_FALSE(e.finished);
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
    MANAGER::shut_down_tcl_shell_process();
    EXPECT_TRUE(process_is_gone(pid));
    std::signal(SIGPIPE, old_handler);
}

TEST_F(TclShellManager, AnswersOutOfFrameGiveTheInterpreterUp)
{
    struct CASE {
        const char* name;
        const char* script;
    };
    // Answers "ok" to everything but get_config_keys, which gets an answer
    // that is not framed: no count line, a count whose elements never come,
    // or a count whose elements end with the process.
    const CASE cases[] = {
        {"unframed.tcl",
         "while {[gets stdin line] >= 0} {\n"
         "  if {$line eq \"get_config_keys\"} { puts \"KEY_A KEY_B\" } else { puts 1; puts ok }\n"
         "  flush stdout\n"
         "}\n"},
        {"stalling.tcl",
         "while {[gets stdin line] >= 0} {\n"
         "  if {$line eq \"get_config_keys\"} { puts 3; puts KEY_A; flush stdout; after 10000 }\n"
         "  puts 1; puts ok; flush stdout\n"
         "}\n"},
        {"dying.tcl",
         "while {[gets stdin line] >= 0} {\n"
         "  if {$line eq \"get_config_keys\"} { puts 2; puts KEY_A; flush stdout; exit 3 }\n"
         "  puts 1; puts ok; flush stdout\n"
         "}\n"},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.name);
        MANAGER::set_server_script_path(write_script(c.name, c.script));
        MANAGER::set_answer_timeout_ms(300);
        ASSERT_TRUE(MANAGER::start_tcl_shell_process());
        pid_t pid = MANAGER::get_tcl_shell_process_id();
        TEST_PAGE page;
        page.ask({"load_package device_features"});
        page.ask({"get_config_keys"});
        page.ask({"load_package device_features"});
        ASSERT_TRUE(pump_until([&] { return !MANAGER::is_tcl_shell_process_running(); }, 3000));
        pump_for(100);
        ASSERT_EQ(page.deliveries.size(), 1u);
        EXPECT_EQ(page.deliveries[0], DELIVERY{ANSWER(std::vector<std::string>{"ok"})});
        page.ask({"load_package device_features"});
        pump_for(50);
        EXPECT_EQ(page.deliveries.size(), 1u);
        EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
        MANAGER::shut_down_tcl_shell_process();
        EXPECT_TRUE(process_is_gone(pid));
    }
}

TEST_F(TclShellManager, InterpreterThatStopsReadingDoesNotRaiseSigpipe)
{
    auto old_handler = std::signal(SIGPIPE, SIG_DFL);
    // Answers one command, then stops reading but stays alive.
    MANAGER::set_server_script_path(write_script(
        "deaf.tcl", "gets stdin line\nputs 1\nputs ok\nflush stdout\nclose stdin\nafter 5000\n"));
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    pid_t pid = MANAGER::get_tcl_shell_process_id();
    TEST_PAGE page;
    page.ask({"first"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 1; }, 5000));
    ::usleep(100000);  // the child has closed its end by now
    // The next command meets the closed pipe on the asking thread; more text
    // than a pipe holds meets it on the I/O thread.
    page.ask({"second"});
    std::string big(4000, 'x');
    for (int i = 0; i < 20; ++i) {
        page.ask({CString(("list " + big).c_str())});
    }
    ASSERT_TRUE(pump_until([&] { return !MANAGER::is_tcl_shell_process_running(); }, 3000));
    pump_for(50);
    EXPECT_EQ(page.deliveries.size(), 1u);
    MANAGER::shut_down_tcl_shell_process();
    EXPECT_TRUE(process_is_gone(pid));
    std::signal(SIGPIPE, old_handler);
}

TEST_F(TclShellManager, ShutDownReapsTheChildAndDropsAnswersNotYetDelivered)
{
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    pid_t pid = MANAGER::get_tcl_shell_process_id();
    ASSERT_GT(pid, 0);
    TEST_PAGE page;
    page.ask({"load_package device_features"});
    // Wait until the completion is queued, without dispatching it.
    auto end = CLOCK::now() + std::chrono::seconds(5);
    while (bwizc_posted_message_count() == 0 && CLOCK::now() < end) {
        bwizc_wait_for_posted_message(5);
    }
    ASSERT_GT(bwizc_posted_message_count(), 0u);
    MANAGER::shut_down_tcl_shell_process();
    EXPECT_FALSE(MANAGER::is_tcl_shell_process_running());
    pump_for(50);
    EXPECT_TRUE(page.deliveries.empty());
    EXPECT_TRUE(process_is_gone(pid));

    // A new process answers again.
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    EXPECT_NE(MANAGER::get_tcl_shell_process_id(), pid);
    page.ask({"load_package device_features"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 1; }, 5000));
}
