#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "support/bwizc_global.h"
#include "test_scratch.h"

namespace {

// Counts its idle calls; the third creates `signal` (when named), which a
// waited child can wait for instead of sleeping and hoping.
class IDLE_APP : public CWinApp {
public:
    BOOL OnIdle(LONG) override {
        if (++idle_calls == 3 && !signal.empty()) std::ofstream(signal) << "idle";
        return FALSE;
    }
    int idle_calls = 0;
    std::string signal;
};

}  // namespace

TEST(BwizcProcess, RunsShellCommandsAndReportsExitCodes) {
    SCRATCH_DIR dir;
    EXPECT_EQ(bwizc_global_execute_shell_command("sh -c 'exit 3'", true), 3);
    EXPECT_EQ(bwizc_global_execute_shell_command("true", true), 0);
    EXPECT_EQ(bwizc_global_execute_shell_command("sh -c 'kill -TERM $$'", true), 128 + 15);
    // The program itself is started: one that does not exist is not started.
    EXPECT_EQ(bwizc_global_execute_shell_command("kv2gxb-no-such-program", true), 0);
    EXPECT_EQ(bwizc_global_execute_shell_command("kv2gxb-no-such-program", false), 0);
    EXPECT_EQ(bwizc_global_execute_shell_command("  ", true), 0);

    // Quoted words keep their blanks and reach the program as one argument each.
    const CString out = dir.file("out.txt").c_str();
    const CString printer = "sh -c 'printf \"%s|\" \"$@\" > \"$0\"' ";
    EXPECT_EQ(bwizc_global_execute_shell_command(printer + out + " \"a b\" 'it'\\''s'", true), 0);
    EXPECT_EQ(dir.read("out.txt"), "a b|it's|");

    // While waiting, messages posted to windows are dispatched and the
    // application runs its idle processing between the 10 ms slices.
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Create(nullptr, "target", 0, CRect(0, 0, 10, 10), nullptr, 1));
        const UINT msg = RegisterWindowMessage("support-test-shell-wait");
        int delivered = 0;
        wnd.set_message_handler(msg, [&](WPARAM, LPARAM) -> LRESULT { return ++delivered; });
        IDLE_APP app;
        app.signal = dir.file("idle");
        ASSERT_TRUE(wnd.PostMessage(msg));
        // The child ends with 7 once the third idle call has run (9 if none
        // comes within 20 s).
        const CString waiter = "sh -c 'for i in $(seq 2000); do [ -e \"$0\" ] && exit 7; sleep 0.01; done; exit 9' ";
        EXPECT_EQ(bwizc_global_execute_shell_command(waiter + app.signal.c_str(), true), 7);
        EXPECT_EQ(delivered, 1);
        wnd.DestroyWindow();
    }

    // A quit request ends the waited process and stays queued for the loops
    // further out.
    bwizc_clear_posted_messages();
    PostQuitMessage(0);
    EXPECT_EQ(bwizc_global_execute_shell_command("sleep 5", true), 128 + SIGTERM);
    bool quit = false;
    EXPECT_TRUE(bwizc_dispatch_posted_message(&quit));
    EXPECT_TRUE(quit);
    EXPECT_EQ(bwizc_posted_message_count(), 0u);

    // Without waiting, a running process answers the still-active code.
    EXPECT_EQ(bwizc_global_execute_shell_command("sleep 2", false), BWIZC_STILL_ACTIVE);
}

TEST(BwizcProcess, LaunchesGivenBrowserWithUrl) {
    SCRATCH_DIR dir;
    // The browser notes its arguments, each followed by "|", beside itself.
    const std::string script = "#!/bin/sh\nsleep 0.2\nprintf '%s|' \"$@\" > \"$(dirname \"$0\")/opened\"\n";
    ASSERT_EQ(::mkdir(dir.file("my browser").c_str(), 0755), 0);
    for (const char* name : {"browser", "my browser/browser"}) {
        dir.write(name, script);
        ASSERT_EQ(::chmod(dir.file(name).c_str(), 0755), 0);
    }
    MESSAGE_CAPTURE catcher;

    CString url = "file:///doc/kv2gxb.html?x=1&y='2' \n";
    auto opened_by = [&](const CString& browser, const char* note) {
        EXPECT_TRUE(bwizc_global_launch_browser(url, browser));
        return wait_for_file(dir.file(note)) ? dir.read(note) : std::string("(not opened)");
    };
    const CString browser = dir.file("browser").c_str();
    EXPECT_EQ(opened_by(browser + "  ", "opened"), "file:///doc/kv2gxb.html?x=1&y='2'|");

    // A browser path with a blank in it, and a browser given with options.
    EXPECT_EQ(opened_by(dir.file("my browser/browser").c_str(), "my browser/opened"),
              "file:///doc/kv2gxb.html?x=1&y='2'|");
    ASSERT_EQ(::unlink(dir.file("opened").c_str()), 0);
    EXPECT_EQ(opened_by(browser + " --new-window", "opened"), "--new-window|file:///doc/kv2gxb.html?x=1&y='2'|");
    EXPECT_TRUE(catcher.texts.empty());

    EXPECT_FALSE(bwizc_global_launch_browser("  ", ""));
    EXPECT_TRUE(catcher.texts.empty());

    // A browser that cannot be started is a failure, reported once; no
    // other browser is tried in its place.
    EXPECT_FALSE(bwizc_global_launch_browser(url, dir.file("no-such-browser").c_str()));
    dir.write("script.txt", script);  // not executable
    EXPECT_FALSE(bwizc_global_launch_browser(url, dir.file("script.txt").c_str()));
    EXPECT_FALSE(bwizc_global_launch_browser(url, dir.path().c_str()));
    // Without a browser given, none of the usual ones is on this PATH.
    const char* old_path = std::getenv("PATH");
    const std::string saved = old_path ? old_path : "";
    ::setenv("PATH", dir.path().c_str(), 1);
    const bool launched = bwizc_global_launch_browser(url, "");
    ::setenv("PATH", saved.c_str(), 1);
    EXPECT_FALSE(launched);
    ASSERT_EQ(catcher.texts.size(), 4u);
    EXPECT_EQ(catcher.captions[3], "Blockwright Plug-In Manager");
    EXPECT_EQ(catcher.texts[0], catcher.texts[3]);
    EXPECT_EQ(catcher.texts[3],
              "Failed to launch the default browser or the browser\n"
              "specified under the \"Directories\" tab of the "
              "Settings dialog box of the Blockwright Plug-In Manager.\n\n"
              "Please specify a valid browser executable path in the\n"
              "Settings dialog box and relaunch the current plug-in");
}

TEST(BwizcProcess, WritesTimeStampedLogEntries) {
    SCRATCH_DIR dir;
    CString log = dir.file("run.log").c_str();
    const std::string stamp = "\n[A-Z][a-z]{2} [0-9]{2} [0-9]{2}(AM|PM):[0-9]{2}:[0-9]{2}>: ";

    ASSERT_TRUE(bwizc_global_log_into_file("first", false, log));
    ASSERT_TRUE(bwizc_global_log_into_file("second", false, log));
    EXPECT_TRUE(std::regex_match(dir.read("run.log"), std::regex(stamp + "first" + stamp + "second")))
        << dir.read("run.log");

    ASSERT_TRUE(bwizc_global_log_into_file("fresh", true, log));
    EXPECT_TRUE(std::regex_match(dir.read("run.log"), std::regex(stamp + "fresh"))) << dir.read("run.log");

    EXPECT_FALSE(bwizc_global_log_into_file("x", false, CString(dir.file("no/such/dir.log").c_str())));
}

TEST(BwizcProcess, ReportsFileExceptionsByCause) {
    MESSAGE_CAPTURE catcher;
    struct CASE {
        int cause;
        const char* text;
    };
    const CASE cases[] = {
        {CFileException::fileNotFound, "File /d/top.cnx could not be opened"},
        {CFileException::badPath, "File path /d/top.cnx is invalid"},
        {CFileException::sharingViolation, "Sharing violation for file /d/top.cnx"},
        {CFileException::accessDenied, "Access denied to file /d/top.cnx"},
        {CFileException::diskFull, "Disk is full for writing /d/top.cnx"},
        {CFileException::endOfFile, "Unexpected end of file reached for /d/top.cnx"},
        {CFileException::hardIO, "Hardware error encountered for /d/top.cnx"},
        {CFileException::tooManyOpenFiles, "Unknown file error encountered"},
        {CFileException::genericException, "Unknown file error encountered"},
    };
    for (const CASE& c : cases) {
        CFileException e(c.cause, "/d/top.cnx");
        bwizc_global_display_file_exception(e);
        ASSERT_FALSE(catcher.texts.empty());
        EXPECT_EQ(catcher.texts.back(), c.text) << "cause " << c.cause;
        EXPECT_EQ(catcher.captions.back(), "Blockwright Plug-In Manager");
    }
    // A file name holding a percent sign is shown as it is.
    CFileException percent(CFileException::fileNotFound, "/d/100%s.cnx");
    bwizc_global_display_file_exception(&percent);
    EXPECT_EQ(catcher.texts.back(), "File /d/100%s.cnx could not be opened");
    bwizc_global_display_file_exception(static_cast<const CFileException*>(nullptr));
    EXPECT_EQ(catcher.texts.back(), "Unknown file error encountered");
    EXPECT_EQ(catcher.texts.size(), std::size(cases) + 2);
}

TEST(BwizcProcessDeathTest, FileExceptionEndsSilentRun) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            g_is_in_silent_mode = true;
            bwizc_global_display_file_exception(CFileException(CFileException::accessDenied, "/x.cnx"));
        },
        ::testing::ExitedWithCode(1), "Access denied to file /x.cnx");
}
