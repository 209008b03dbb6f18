#include "e2e_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>

extern char** environ;

KV2GXB_RUN run_kv2gxb(const std::vector<std::string>& args, const std::string& cwd,
                      const std::vector<std::string>& env_extra, int deadline_ms) {
    std::vector<std::string> argv{KV2GXB_EXECUTABLE};
    argv.insert(argv.end(), args.begin(), args.end());
    return run_program(argv, cwd, env_extra, deadline_ms);
}

KV2GXB_RUN run_program(const std::vector<std::string>& program_argv, const std::string& cwd,
                       const std::vector<std::string>& env_extra, int deadline_ms) {
    KV2GXB_RUN run;
    int out_pipe[2];
    int err_pipe[2];
    if (pipe2(out_pipe, O_CLOEXEC) != 0 || pipe2(err_pipe, O_CLOEXEC) != 0) return run;

    std::vector<std::string> argv_text = program_argv;
    std::vector<char*> argv;
    for (std::string& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());

    // No display: the run stays headless whatever the test machine has.
    std::vector<std::string> extra = env_extra;
    std::vector<char*> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const bool display = entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
                             entry.rfind("QT_QPA_PLATFORM=", 0) == 0;
        if (!display) env.push_back(*e);
    }
    for (std::string& e : extra) env.push_back(e.data());
    env.push_back(nullptr);

    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out_pipe[1]);
    close(err_pipe[1]);
    if (rc == 0) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadline_ms);
        pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
        std::string* sinks[2] = {&run.out, &run.err};
        int open_count = 2;
        while (open_count > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                    std::chrono::steady_clock::now());
            if (left.count() <= 0 || poll(fds, 2, static_cast<int>(left.count())) <= 0) break;
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
                char buffer[4096];
                const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
                if (n > 0) {
                    sinks[i]->append(buffer, static_cast<size_t>(n));
                } else {
                    fds[i].fd = -1;
                    --open_count;
                }
            }
        }
        int status = 0;
        bool exited = false;
        while (!exited && std::chrono::steady_clock::now() < deadline) {
            exited = waitpid(pid, &status, WNOHANG) == pid;
            if (!exited) usleep(5000);
        }
        if (!exited) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        run.ended = exited && open_count == 0;
        if (WIFEXITED(status)) run.exit_status = WEXITSTATUS(status);
    }
    close(out_pipe[0]);
    close(err_pipe[0]);
    return run;
}

bool process_runs(int pid) {
    // The state follows the command name, which ends at the last ')'.
    const std::string stat = read_file("/proc/" + std::to_string(pid) + "/stat");
    const size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

void expect_silent_regeneration_is_identical(const SCRATCH_DIR& dir, const std::string& written) {
    const KV2GXB_RUN run = run_kv2gxb({"-silent", dir.file("gxb_top.v")});
    EXPECT_EQ(run.exit_status, 0) << run.err;
    const std::string again = read_file(dir.file("gxb_top.cnx"));
    // A multi-line mismatch is reported with a line diff.
    EXPECT_EQ(again, written) << "the regenerated file differs";
}

void expect_golden(const std::string& name, const std::string& text) {
    const std::string path = std::string(KV2GXB_SOURCE_DIR) + "/tests/e2e/golden/" + name + ".cnx";
    const char* update = std::getenv("KV2GXB_UPDATE_GOLDEN");
    if (update && *update == '1') {
        write_file(path, text);
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    const std::string golden = read_file(path);
    EXPECT_EQ(text, golden) << name << " differs from its golden file";
}
