#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/dynlib.h"
#include "platform/process.h"
#include "platform/thread.h"

namespace {
CStringArray args(std::initializer_list<const char*> list) {
    CStringArray a;
    for (const char* s : list) a.Add(s);
    return a;
}
}  // namespace

TEST(ChildProcess, TalksThroughPipesAndReportsItsExit) {
    BWIZC_CHILD_PROCESS cat;
    ASSERT_TRUE(cat.start(args({"cat"}), BWIZC_CHILD_PROCESS::PIPE_STDIN | BWIZC_CHILD_PROCESS::PIPE_STDOUT));
    EXPECT_TRUE(cat.write("first line\nsecond"));
    EXPECT_TRUE(cat.write(" half\n"));
    CString line;
    ASSERT_TRUE(cat.read_line(line));
    EXPECT_EQ(line, "first line");
    ASSERT_TRUE(cat.read_line(line));
    EXPECT_EQ(line, "second half");
    cat.close_stdin();
    EXPECT_FALSE(cat.read_line(line));
    EXPECT_EQ(cat.wait(), 0);

    BWIZC_CHILD_PROCESS sh;
    ASSERT_TRUE(sh.start(args({"sh", "-c", "echo out; echo err >&2; exit 3"}),
                         BWIZC_CHILD_PROCESS::PIPE_STDOUT | BWIZC_CHILD_PROCESS::PIPE_STDERR));
    EXPECT_EQ(sh.read_all(), "out\n");
    EXPECT_EQ(sh.read_all_stderr(), "err\n");
    EXPECT_EQ(sh.wait(), 3);

    BWIZC_CHILD_PROCESS pwd;
    ASSERT_TRUE(pwd.start(args({"pwd"}), BWIZC_CHILD_PROCESS::STDERR_TO_STDOUT, "/tmp"));
    EXPECT_EQ(pwd.read_all(), "/tmp\n");

    BWIZC_CHILD_PROCESS missing;
    EXPECT_FALSE(missing.start(args({"no-such-program-bwizc"}), BWIZC_CHILD_PROCESS::PIPE_STDOUT));
    EXPECT_EQ(bwizc_find_program("no-such-program-bwizc"), "");
    EXPECT_NE(bwizc_find_program("sh"), "");
    EXPECT_NE(bwizc_get_module_file_name().Find("test_platform"), -1);
}

TEST(ChildProcess, WritingToAChildThatEndedFailsWithoutKillingUs) {
    BWIZC_CHILD_PROCESS quitter;
    ASSERT_TRUE(quitter.start(args({"true"}), BWIZC_CHILD_PROCESS::PIPE_STDIN));
    EXPECT_EQ(quitter.wait(), 0);
    // Without SIGPIPE ignored this write would end the test program.
    bool ok = true;
    for (int i = 0; i < 4 && ok; ++i) ok = quitter.write(CString('x', 70000));
    EXPECT_FALSE(ok);

    BWIZC_CHILD_PROCESS sleeper;
    ASSERT_TRUE(sleeper.start(args({"sleep", "30"}), BWIZC_CHILD_PROCESS::PIPE_NONE));
    int status = 0;
    EXPECT_FALSE(sleeper.try_wait(&status));
    sleeper.terminate();
    EXPECT_TRUE(sleeper.try_wait(&status));
    EXPECT_EQ(status, 128 + 15);
}

TEST(DynamicLibrary, LoadsFindsAndUnloads) {
    THR_DRL_HANDLE libm = thr_drl_load("libm.so.6");
    ASSERT_NE(libm, nullptr) << thr_drl_last_error().c_str();
    auto* cosine = reinterpret_cast<double (*)(double)>(thr_drl_find_function(libm, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(thr_drl_find_function(libm, "no_such_function_bwizc"), nullptr);
    EXPECT_NE(thr_drl_last_error(), "");
    EXPECT_TRUE(thr_drl_unload(libm));

    EXPECT_EQ(thr_drl_load("/nonexistent/libbwizc.so"), nullptr);
    EXPECT_NE(thr_drl_last_error().Find("libbwizc"), -1);
    EXPECT_EQ(thr_drl_load(""), nullptr);
    EXPECT_EQ(thr_drl_find_function(nullptr, "cos"), nullptr);
    EXPECT_FALSE(thr_drl_unload(nullptr));
}

TEST(Threads, EventsWakeWorkersAutomaticOnceManualUntilReset) {
    CEvent automatic;
    CEvent manual(false, true);
    EXPECT_FALSE(automatic.Lock(0));
    automatic.SetEvent();
    EXPECT_TRUE(automatic.Lock(0));
    EXPECT_FALSE(automatic.Lock(0));  // the wait that saw it reset it
    manual.SetEvent();
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0));
    manual.ResetEvent();
    EXPECT_FALSE(manual.Lock(0));

    CEvent go;
    int seen = 0;
    unsigned long worker_tid = 0;
    BWIZC_THREAD worker;
    ASSERT_TRUE(worker.start([&] {
        worker_tid = bwizc_current_thread_id();
        if (go.Lock(5000)) seen = 1;
    }));
    EXPECT_FALSE(worker.start([] {}));  // one thread at a time
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    go.SetEvent();
    worker.join();
    EXPECT_EQ(seen, 1);
    EXPECT_NE(worker_tid, bwizc_current_thread_id());
    EXPECT_FALSE(worker.is_running());
}
