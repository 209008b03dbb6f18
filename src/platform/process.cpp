#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <thread>
#include <vector>

extern char** environ;

namespace {
// Writing to a child that has gone must give an error, not end the wizard.
const bool g_sigpipe_ignored = [] {
    ::signal(SIGPIPE, SIG_IGN);
    return true;
}();

void close_fd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

bool make_pipe(int fds[2]) { return ::pipe2(fds, O_CLOEXEC) == 0; }

int status_of(int raw) {
    if (WIFEXITED(raw)) return WEXITSTATUS(raw);
    if (WIFSIGNALED(raw)) return 128 + WTERMSIG(raw);
    return -1;
}
}  // namespace

CString bwizc_find_program(const CString& name) {
    if (name.IsEmpty()) return CString();
    if (name.Find('/') >= 0) return ::access(name.c_str(), X_OK) == 0 ? name : CString();
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    for (;;) {
        size_t colon = dirs.find(':', start);
        std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + '/' + name.str();
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return CString(candidate);
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return CString();
}

CString bwizc_get_module_file_name() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return CString();
    return CString(buf, static_cast<int>(n));
}

BWIZC_CHILD_PROCESS::~BWIZC_CHILD_PROCESS() {
    close_fd(m_in);
    close_fd(m_out);
    close_fd(m_err);
    if (m_pid > 0) terminate();
}

bool BWIZC_CHILD_PROCESS::start(const CStringArray& argv, unsigned pipes, const CString& working_dir) {
    (void)g_sigpipe_ignored;
    if (m_pid > 0 || argv.IsEmpty()) return false;
    CString program = bwizc_find_program(argv[0]);
    if (program.IsEmpty()) return false;
    int in[2] = {-1, -1}, out[2] = {-1, -1}, err[2] = {-1, -1};
    bool ok = true;
    if (pipes & PIPE_STDIN) ok = ok && make_pipe(in);
    if (pipes & (PIPE_STDOUT | STDERR_TO_STDOUT)) ok = ok && make_pipe(out);
    if (pipes & PIPE_STDERR) ok = ok && make_pipe(err);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (in[0] >= 0) posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    if (out[1] >= 0) posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    if (err[1] >= 0)
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    else if ((pipes & STDERR_TO_STDOUT) && out[1] >= 0)
        posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    if (!working_dir.IsEmpty()) posix_spawn_file_actions_addchdir_np(&actions, working_dir.c_str());
    // The child starts with the default SIGPIPE behaviour.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    // A group of its own, so that ending the child ends what it started too.
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    std::vector<char*> args;
    for (const CString& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (ok) ok = ::posix_spawn(&pid, program.c_str(), &actions, &attr, args.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    close_fd(in[0]);
    close_fd(out[1]);
    close_fd(err[1]);
    if (!ok) {
        close_fd(in[1]);
        close_fd(out[0]);
        close_fd(err[0]);
        return false;
    }
    m_pid = pid;
    m_in = in[1];
    m_out = out[0];
    m_err = err[0];
    m_reaped = false;
    m_status = -1;
    m_buffer.clear();
    return true;
}

bool BWIZC_CHILD_PROCESS::write(const CString& text) {
    if (m_in < 0) return false;
    const char* p = text.c_str();
    size_t left = static_cast<size_t>(text.GetLength());
    while (left > 0) {
        ssize_t n = ::write(m_in, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

void BWIZC_CHILD_PROCESS::close_stdin() { close_fd(m_in); }

bool BWIZC_CHILD_PROCESS::read_line(CString& line) {
    for (;;) {
        size_t nl = m_buffer.find('\n');
        if (nl != std::string::npos) {
            line = CString(m_buffer.substr(0, nl));
            m_buffer.erase(0, nl + 1);
            return true;
        }
        if (m_out < 0) break;
        char buf[4096];
        ssize_t n = ::read(m_out, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close_fd(m_out);
            break;
        }
        m_buffer.append(buf, static_cast<size_t>(n));
    }
    if (m_buffer.empty()) return false;
    line = CString(m_buffer);
    m_buffer.clear();
    return true;
}

namespace {
CString drain(int& fd) {
    std::string all;
    char buf[4096];
    while (fd >= 0) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close_fd(fd);
            break;
        }
        all.append(buf, static_cast<size_t>(n));
    }
    return CString(all);
}
}  // namespace

CString BWIZC_CHILD_PROCESS::read_all() {
    CString rest(m_buffer);
    m_buffer.clear();
    return rest + drain(m_out);
}

CString BWIZC_CHILD_PROCESS::read_all_stderr() { return drain(m_err); }

int BWIZC_CHILD_PROCESS::wait() {
    if (m_pid <= 0) return -1;
    if (m_reaped) return m_status;
    int raw = 0;
    pid_t r;
    do {
        r = ::waitpid(m_pid, &raw, 0);
    } while (r < 0 && errno == EINTR);
    m_reaped = true;
    m_status = r == m_pid ? status_of(raw) : -1;
    return m_status;
}

bool BWIZC_CHILD_PROCESS::try_wait(int* status) {
    if (m_pid <= 0) return false;
    if (!m_reaped) {
        int raw = 0;
        pid_t r = ::waitpid(m_pid, &raw, WNOHANG);
        if (r == 0) return false;
        m_reaped = true;
        m_status = r == m_pid ? status_of(raw) : -1;
    }
    if (status) *status = m_status;
    return true;
}

void BWIZC_CHILD_PROCESS::terminate(int grace_ms) {
    if (m_pid <= 0) return;
    // The group id is the child's pid. It stays reserved while the child is
    // unreaped or any process of the group runs, so the group signals below
    // never reach a stranger.
    const pid_t group = m_pid;
    auto group_gone = [group] { return ::kill(-group, 0) != 0 && errno == ESRCH; };
    if (m_reaped && group_gone()) return;
    ::kill(-group, SIGTERM);
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(grace_ms);
    while (std::chrono::steady_clock::now() < until) {
        try_wait(nullptr);
        if (m_reaped && group_gone()) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::kill(-group, SIGKILL);
    wait();
}

bool bwizc_spawn_detached(const CStringArray& argv) {
    if (argv.IsEmpty()) return false;
    CString program = bwizc_find_program(argv[0]);
    if (program.IsEmpty()) return false;
    std::vector<char*> args;
    for (const CString& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // setsid keeps the program alive after the wizard ends, and a double
    // fork is not needed: the reaper below collects it.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    bool ok = ::posix_spawn(&pid, program.c_str(), nullptr, &attr, args.data(), environ) == 0;
    posix_spawnattr_destroy(&attr);
    if (ok) {
        std::thread([pid] {
            int raw;
            ::waitpid(pid, &raw, 0);
        }).detach();
    }
    return ok;
}
