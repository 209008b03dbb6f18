// The device query service against the real tclsh and the real device data:
// the transport and the faults (no interpreter, a dying interpreter, failing commands,
// answers out of frame).
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <unistd.h>
#include <vector>

#include "platform/messages.h"
#include "platform/window.h"
#include "services/bwizc_tcl_shell_manager.h"
#include "test_scratch.h"

namespace {

using MANAGER = BWIZC_TCL_SHELL_MANAGER;
using CLOCK = std::chrono::steady_clock;
using ANSWER = std::optional<std::vector<std::string>>;
using DELIVERY = std::vector<ANSWER>;

DELIVERY snapshot_results() {
    DELIVERY out;
    BWIZC_TCL_RESULT_ARRAY* results = MANAGER::get_tokenized_result_array();
    for (int i = 0; i < results->GetSize(); ++i) {
        CStringArray* entry = results->GetAt(i);
        std::vector<std::string> elements;
        for (int e = 0; entry && e < entry->GetSize(); ++e) elements.push_back(entry->GetAt(e).str());
        out.emplace_back(entry ? ANSWER(std::move(elements)) : std::nullopt);
    }
    return out;
}

// "(fails)", "(empty)" or the elements joined by "|", with "\\" and line
// breaks escaped so that each answer stays on one line.
std::string shown(const ANSWER& answer) {
    if (!answer) return "(fails)";
    if (answer->empty()) return "(empty)";
    std::string out;
    for (const std::string& e : *answer) {
        if (&e != &answer->front()) out += '|';
        for (char c : e) out += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : std::string(1, c);
    }
    return out;
}

// A page window that asks the database and keeps what is delivered to it.
struct TEST_PAGE {
    CWnd wnd;
    std::vector<DELIVERY> deliveries;
    std::function<void()> on_delivery;

    TEST_PAGE() {
        wnd.CreateEx(BWIZC_KIND_CUSTOM, 0, CString(), 0, CRect(), nullptr, 0);
        wnd.set_message_handler(RegisterWindowMessage(MANAGER::COMPLETION_MESSAGE_NAME), [this](WPARAM, LPARAM) {
            deliveries.push_back(snapshot_results());
            if (on_delivery) on_delivery();
            return LRESULT(0);
        });
    }
    void ask(std::initializer_list<CString> commands) {
        MANAGER::begin_command_block(wnd.GetSafeHwnd());
        for (const CString& c : commands) MANAGER::run_tcl_shell_command(c);
        MANAGER::end_command_block();
    }
};

class TclShellManager : public ::testing::Test {
protected:
    // Writing to a dead or deaf child must not raise SIGPIPE in the wizard.
    void SetUp() override {
        m_old_sigpipe = std::signal(SIGPIPE, SIG_DFL);
        ::unsetenv("KV2GXB_TCLSH");
        MANAGER::set_server_script_path(CString(KV2GXB_BUILD_DIR) + "/libraries/device/devicedb_server.tcl");
        MANAGER::set_answer_timeout_ms(10000);
        MANAGER::set_windowless_completion_handler(nullptr);
        bwizc_clear_posted_messages();
    }
    void TearDown() override {
        MANAGER::shut_down_tcl_shell_process();
        EXPECT_TRUE(m_pid <= 0 || process_is_gone(m_pid));
        MANAGER::set_server_script_path(CString());
        MANAGER::set_windowless_completion_handler(nullptr);
        ::unsetenv("KV2GXB_TCLSH");
        pump_for(20);
        EXPECT_EQ(bwizc_pending_reply_count(), 0);
        std::signal(SIGPIPE, m_old_sigpipe);
    }

    // Starts the interpreter; the last one started must be reaped by the end.
    bool start() {
        if (!MANAGER::start_tcl_shell_process()) return false;
        m_pid = MANAGER::get_tcl_shell_process_id();
        return m_pid > 0;
    }
    pid_t m_pid = 0;

    // A server of the test's own, to play a misbehaving database.
    CString write_script(const char* name, const char* text) {
        CString path = CString(KV2GXB_ARTIFACTS_DIR) + "/" + name;
        std::ofstream(path.c_str()) << text;
        return path;
    }

private:
    void (*m_old_sigpipe)(int) = SIG_DFL;
};

}  // namespace

TEST_F(TclShellManager, ListQueriesAnswerInOrderAsTheWizardWritesThemAndEnteredTextIsNeverRun) {
    // The golden file holds each command and, after "=> ", its answer.
    // Entered text goes into the command as typed: brackets,
    // dollars and semicolons are just a bad number, and only the database's
    // own commands run. The list queries give range ends, take clocks entered
    // as periods (1000 / period with three decimals), the receiver's clock
    // tolerance, and protocol rates matched as written.
    const std::string golden_path = KV2GXB_SOURCE_DIR "/tests/services/golden/devicedb_answers.txt";
    const std::string golden = read_file(golden_path);
    std::vector<std::string> commands;
    for (size_t at = 0, end; at < golden.size(); at = end + 1) {
        end = golden.find('\n', at);
        if (golden.compare(at, 3, "=> ") != 0) commands.push_back(golden.substr(at, end - at));
    }
    ASSERT_FALSE(commands.empty()) << golden_path;
    ASSERT_TRUE(start());
    TEST_PAGE page;
    page.ask({"load_package device_features", "load_device_info KV2VGX130KF1508C3"});
    MANAGER::begin_command_block(page.wnd.GetSafeHwnd());
    for (const std::string& command : commands) MANAGER::run_tcl_shell_command(command.c_str());
    MANAGER::end_command_block();
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 2; }, 5000));
    ASSERT_EQ(page.deliveries[1].size(), commands.size());
    std::string answered;
    for (size_t i = 0; i < commands.size(); ++i)
        answered += commands[i] + "\n=> " + shown(page.deliveries[1][i]) + "\n";
    EXPECT_EQ(answered, golden) << golden_path;

    // A block whose only command fails is never delivered; the stream stays
    // in step, so the next block is answered.
    page.ask({"get_subprotocol_name NO_SUCH_KEY"});
    page.ask({"get_subprotocol_name VELARISIIGX_CONFIG_MODE_SONET_OC48"});
    page.ask({"load_device_info NO_SUCH_PART"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() >= 3; }, 5000));
    pump_for(100);
    ASSERT_EQ(page.deliveries.size(), 3u);
    EXPECT_EQ(page.deliveries[2], DELIVERY{ANSWER(std::vector<std::string>{"OC48"})});
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
    // Outside a delivery there is nothing to read.
    EXPECT_EQ(MANAGER::get_tokenized_result_array()->GetSize(), 0);
    EXPECT_TRUE(MANAGER::is_tcl_shell_process_running());
    EXPECT_EQ(MANAGER::get_tcl_shell_process_id(), m_pid);
}

TEST_F(TclShellManager, BlockWithoutLiveWindowGoesToTheWindowlessHandler) {
    std::vector<DELIVERY> windowless;
    MANAGER::set_windowless_completion_handler([&] { windowless.push_back(snapshot_results()); });
    ASSERT_TRUE(MANAGER::start_tcl_shell_process());
    auto page = std::make_unique<TEST_PAGE>();
    page->ask({"load_package device_features"});
    page.reset();  // the page closed before its answer came
    ASSERT_TRUE(pump_until([&] { return windowless.size() == 1; }, 5000));
    EXPECT_EQ(windowless[0], DELIVERY{ANSWER(std::vector<std::string>{"1.0"})});
}

TEST_F(TclShellManager, MissingInterpreterOrServerDeliversNothing) {
    ::setenv("KV2GXB_TCLSH", "/nonexistent/tclsh", 1);
    EXPECT_FALSE(MANAGER::start_tcl_shell_process());
    EXPECT_FALSE(MANAGER::is_tcl_shell_process_running());
    TEST_PAGE page;
    page.ask({"load_package device_features"});
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
    EXPECT_EQ(bwizc_pending_reply_count(), 0);
    pump_for(150);
    EXPECT_TRUE(page.deliveries.empty());
    MANAGER::shut_down_tcl_shell_process();

    ::unsetenv("KV2GXB_TCLSH");
    MANAGER::set_server_script_path("/nonexistent/devicedb_server.tcl");
    EXPECT_FALSE(MANAGER::start_tcl_shell_process());
    page.ask({"get_config_keys"});
    pump_for(100);
    EXPECT_TRUE(page.deliveries.empty());
}

TEST_F(TclShellManager, InterpreterKilledMidEnumerationStopsAnswersWithoutHanging) {
    ASSERT_TRUE(start());
    // As in the start-up enumeration, each answer asks the next question.
    TEST_PAGE page;
    page.on_delivery = [&] {
        if (page.deliveries.size() == 60) ::kill(m_pid, SIGKILL);
        page.ask({"load_package device_features"});
    };
    page.ask({"load_package device_features"});
    ASSERT_TRUE(pump_until([&] { return !MANAGER::is_tcl_shell_process_running(); }, 5000));
    EXPECT_EQ(page.deliveries.size(), 60u);
    // Commands keep coming from the page; none is answered.
    page.ask({"load_package device_features"});
    pump_for(200);
    EXPECT_EQ(page.deliveries.size(), 60u);
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
}

TEST_F(TclShellManager, AnswerThatStallsGivesTheInterpreterUpAtTheTimeout) {
    // Answers "ok" to everything but get_config_keys, whose answer announces
    // three elements and brings one. (Unframed answers and a dying
    // interpreter are given up at once; the interpreter fault tests pin that.)
    MANAGER::set_server_script_path(write_script(
        "stalling.tcl",
        "while {[gets stdin line] >= 0} {\n"
        "  if {$line eq \"get_config_keys\"} { puts 3; puts KEY_A; flush stdout; after 10000 }\n"
        "  puts 1; puts ok; flush stdout\n"
        "}\n"));
    // Long enough for a slow start on a loaded machine, short enough to wait for.
    MANAGER::set_answer_timeout_ms(1500);
    ASSERT_TRUE(start());
    TEST_PAGE page;
    page.ask({"load_package device_features"});
    page.ask({"get_config_keys"});
    page.ask({"load_package device_features"});
    ASSERT_TRUE(pump_until([&] { return !MANAGER::is_tcl_shell_process_running(); }, 8000));
    pump_for(100);
    ASSERT_EQ(page.deliveries.size(), 1u);
    EXPECT_EQ(page.deliveries[0], DELIVERY{ANSWER(std::vector<std::string>{"ok"})});
    page.ask({"load_package device_features"});
    pump_for(50);
    EXPECT_EQ(page.deliveries.size(), 1u);
    EXPECT_EQ(MANAGER::get_pending_block_count(), 0);
}

TEST_F(TclShellManager, InterpreterThatStopsReadingDoesNotRaiseSigpipe) {
    // Answers one command, then stops reading but stays alive.
    MANAGER::set_server_script_path(write_script(
        "deaf.tcl", "gets stdin line\nputs 1\nputs ok\nflush stdout\nclose stdin\nafter 5000\n"));
    ASSERT_TRUE(start());
    TEST_PAGE page;
    page.ask({"first"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 1; }, 5000));
    ::usleep(100000);  // the child has closed its end by now
    // The next command meets the closed pipe on the asking thread; more text
    // than a pipe holds meets it on the I/O thread.
    page.ask({"second"});
    std::string big(4000, 'x');
    for (int i = 0; i < 20; ++i) page.ask({CString(("list " + big).c_str())});
    ASSERT_TRUE(pump_until([&] { return !MANAGER::is_tcl_shell_process_running(); }, 3000));
    pump_for(50);
    EXPECT_EQ(page.deliveries.size(), 1u);
}

TEST_F(TclShellManager, ShutDownReapsTheChildAndDropsAnswersNotYetDelivered) {
    ASSERT_TRUE(start());
    const pid_t pid = m_pid;
    TEST_PAGE page;
    page.ask({"load_package device_features"});
    // Wait until the completion is queued, without dispatching it.
    auto end = CLOCK::now() + std::chrono::seconds(5);
    while (bwizc_posted_message_count() == 0 && CLOCK::now() < end) bwizc_wait_for_posted_message(5);
    ASSERT_GT(bwizc_posted_message_count(), 0u);
    MANAGER::shut_down_tcl_shell_process();
    EXPECT_FALSE(MANAGER::is_tcl_shell_process_running());
    pump_for(50);
    EXPECT_TRUE(page.deliveries.empty());
    EXPECT_TRUE(process_is_gone(pid));

    // A new process answers again.
    ASSERT_TRUE(start());
    EXPECT_NE(m_pid, pid);
    page.ask({"load_package device_features"});
    ASSERT_TRUE(pump_until([&] { return page.deliveries.size() == 1; }, 5000));
}
