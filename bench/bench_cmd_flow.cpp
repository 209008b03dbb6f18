// What the command-line flow adds to a silent run: the same caller's CNX file
// run with and without -cmd, the difference of the medians.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "bench_util.h"
#include "platform/cstring.h"

extern char** environ;

namespace {

const char CALLER_FILE[] =
    "CONSTANT: MODULE STRING \"kv2gxb\"\n"
    "CONSTANT: PROTOCOL STRING \"XAUI\"\n"
    "CONSTANT: OPERATION_MODE STRING \"duplex\"\n"
    "CONSTANT: NUMBER_OF_CHANNELS NUMERIC \"4\"\n"
    "CONSTANT: RX_DATA_RATE NUMERIC \"3125\"\n"
    "CONSTANT: CMU_PLL_INCLOCK_PERIOD NUMERIC \"6400\"\n"
    "USED_PORT: rx_syncstatus 0 0 8 0 OUTPUT NODEFVAL \"rx_syncstatus[7..0]\"\n";

void run(const CString& exe, const CString& dir, bool cmd) {
    // Each run starts from the caller's file, not from the last run's output.
    if (FILE* f = std::fopen(dir + "/cmd_top.cnx", "w")) {
        std::fputs(CALLER_FILE, f);
        std::fclose(f);
    }
    const CString design = dir + "/cmd_top.v";
    const char* with_cmd[] = {exe.c_str(), "-silent", "-cmd", design.c_str(), nullptr};
    const char* without[] = {exe.c_str(), "-silent", design.c_str(), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, exe.c_str(), &quiet, nullptr, const_cast<char* const*>(cmd ? with_cmd : without),
                               environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (rc != 0) return;
    int status = 0;
    waitpid(pid, &status, 0);
}

}  // namespace

BENCH_RESULT bench_cmd_flow(const CString& dir, const CString& exe) {
    const BENCH_RESULT plain = bench_measure("silent run of a caller's file", 50.0, 30, [&] { run(exe, dir, false); });
    BENCH_RESULT flow = bench_measure("silent run with -cmd", 50.0, 30, [&] { run(exe, dir, true); });
    flow.name = "command-line flow (added)";
    flow.median_ms -= plain.median_ms;
    flow.best_ms -= plain.best_ms;
    flow.budget_ms = 20.0;
    return flow;
}
