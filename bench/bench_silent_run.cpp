// A silent run of a new variation, end to end: process start to exit.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench_util.h"
#include "platform/cstring.h"

extern char** environ;

BENCH_RESULT bench_silent_run(const CString& dir, const CString& exe) {
    const CString design = dir + "/bench_top.v";
    return bench_measure("silent run of a new variation", 50.0, 20, [&] {
        unlink(dir + "/bench_top.cnx");
        const char* argv[] = {exe.c_str(), "-silent", "-n", design.c_str(), nullptr};
        // The run's messages are not part of the measurement.
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        int rc = posix_spawn(&pid, exe.c_str(), &quiet, nullptr, const_cast<char* const*>(argv), environ);
        posix_spawn_file_actions_destroy(&quiet);
        if (rc != 0) return;
        int status = 0;
        waitpid(pid, &status, 0);
    });
}
