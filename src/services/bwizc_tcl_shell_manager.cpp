#include "services/bwizc_tcl_shell_manager.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <poll.h>
#include <pthread.h>
#include <string>
#include <thread>
#include <unistd.h>

#include "platform/messages.h"
#include "platform/process.h"
#include "platform/window.h"
#include "services/bwizc_tcl_answer_parser.h"

const char* const BWIZC_TCL_SHELL_MANAGER::COMPLETION_MESSAGE_NAME =
    "WM_BWIZC_THREAD_MSG-{350E6C61-5796-48af-BCCD-8EF438EC7559}";

CStringArray* BWIZC_TCL_RESULT_ARRAY::GetAt(int i) const
{
    if (i < 0 || i >= GetSize()) {
        return nullptr;
    }
    return m_entries[static_cast<size_t>(i)];
}

void BWIZC_TCL_RESULT_ARRAY::RemoveAll()
{
    for (CStringArray* entry : m_entries) {
        delete entry;
    }
    m_entries.clear();
}

namespace {

using CLOCK = std::chrono::steady_clock;

// One submitted block: where its completion goes and the answers so far.
struct TCL_BLOCK {
    unsigned serial = 0;
    HWND hwnd = nullptr;
    int command_count = 0;
    std::string lines;  // the commands, one per line, until written
    BWIZC_TCL_RESULT_ARRAY answers;
    bool has_answer = false;  // at least one command did not fail
};

struct TCL_SHELL {
    std::mutex mutex;

    // Configuration
    CString script_path;
    int answer_timeout_ms = 10000;
    std::function<void()> windowless_handler;

    // The child and its I/O thread. The child object is touched by the GUI
    // thread only while the I/O thread is not running.
    std::unique_ptr<BWIZC_CHILD_PROCESS> child;
    pid_t child_pid = -1;
    int child_stdin = -1;  // non-blocking; written under mutex
    std::thread io_thread;
    int wake_read = -1;
    int wake_write = -1;

    // Shared with the I/O thread (under mutex)
    bool stop = false;
    bool given_up = false;
    std::string to_write;  // command lines not yet written
    std::deque<std::unique_ptr<TCL_BLOCK>> pending;  // submitted, in answer order
    std::map<unsigned, std::unique_ptr<TCL_BLOCK>> completed;  // waiting for the GUI thread
    CLOCK::time_point last_progress;
    HWND relay_hwnd = nullptr;

    // GUI thread only
    unsigned next_serial = 1;
    std::unique_ptr<TCL_BLOCK> open_block;
    BWIZC_TCL_RESULT_ARRAY* delivering = nullptr;
    CWnd* relay = nullptr;
    UINT message = 0;

    ~TCL_SHELL();
};

TCL_SHELL& shell()
{
    static TCL_SHELL s;
    return s;
}

void close_fd(int& fd)
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

void wake_io_thread(TCL_SHELL& s)
{
    if (s.wake_write >= 0) {
        const char byte = 1;
        ssize_t n = ::write(s.wake_write, &byte, 1);
        (void)n;  // a full wake pipe already wakes the thread
    }
}

// Stops the I/O thread and the child; what was pending is dropped. Returns
// the number of blocks that were owed to the GUI thread.
int stop_child(TCL_SHELL& s)
{
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.stop = true;
    }
    wake_io_thread(s);
    if (s.io_thread.joinable()) {
        s.io_thread.join();
    }
    if (s.child) {
        s.child->terminate(200);
        s.child.reset();
    }
    s.child_pid = -1;
    s.child_stdin = -1;
    close_fd(s.wake_read);
    close_fd(s.wake_write);
    int dropped = 0;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        dropped = static_cast<int>(s.pending.size());
        s.pending.clear();
        s.completed.clear();
        s.to_write.clear();
        s.stop = false;
        s.given_up = false;
    }
    return dropped;
}

TCL_SHELL::~TCL_SHELL()
{
    // Process exit: end the child, leave the relay window to the platform.
    stop_child(*this);
}

// Writes without letting a closed pipe raise SIGPIPE in the calling thread:
// the signal is blocked for the write and a pending one is taken back.
ssize_t write_without_sigpipe(int fd, const char* data, size_t size)
{
    sigset_t pipe_set;
    sigset_t old_set;
    sigemptyset(&pipe_set);
    sigaddset(&pipe_set, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_set, &old_set);
    ssize_t n = ::write(fd, data, size);
    int saved = errno;
    if (n < 0 && saved == EPIPE) {
        timespec no_wait{0, 0};
        sigtimedwait(&pipe_set, nullptr, &no_wait);
    }
    pthread_sigmask(SIG_SETMASK, &old_set, nullptr);
    errno = saved;
    return n;
}

// ----------------------------------------------------------------- I/O thread

// Gives the child up: drops the blocks it owes, kills it. Called with the
// mutex held; returns the number of dropped blocks (their pending replies
// end outside the lock).
int give_up_locked(TCL_SHELL& s)
{
    s.given_up = true;
    int dropped = static_cast<int>(s.pending.size());
    s.pending.clear();
    s.to_write.clear();
    if (s.child_pid > 0) {
        // The whole group: a process the interpreter started must not keep
        // running (or keep our standard error open) after it.
        ::kill(-s.child_pid, SIGKILL);
    }
    return dropped;
}

void end_pending_replies(int count)
{
    for (int i = 0; i < count; ++i) {
        bwizc_pending_reply_end();
    }
}

void io_thread_main(TCL_SHELL* sp, int in_fd, int out_fd, int wake_fd)
{
    TCL_SHELL& s = *sp;
    // A write to a child that has gone gives EPIPE here instead of a signal.
    sigset_t block_pipe;
    sigemptyset(&block_pipe);
    sigaddset(&block_pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &block_pipe, nullptr);

    BWIZC_TCL_ANSWER_PARSER parser;
    char buffer[65536];

    for (;;) {
        bool want_write = false;
        int timeout_ms = -1;
        {
            std::lock_guard<std::mutex> lock(s.mutex);
            if (s.stop || s.given_up) {
                return;
            }
            want_write = !s.to_write.empty();
            if (!s.pending.empty()) {
                auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(CLOCK::now() - s.last_progress);
                if (waited.count() >= s.answer_timeout_ms) {
                    int dropped = give_up_locked(s);
                    end_pending_replies(dropped);
                    return;
                }
                timeout_ms = static_cast<int>(s.answer_timeout_ms - waited.count());
            }
        }

        pollfd fds[3] = {{wake_fd, POLLIN, 0}, {out_fd, POLLIN, 0}, {in_fd, static_cast<short>(want_write ? POLLOUT : 0), 0}};
        int ready = ::poll(fds, want_write ? 3 : 2, timeout_ms);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            std::lock_guard<std::mutex> lock(s.mutex);
            end_pending_replies(give_up_locked(s));
            return;
        }
        if (fds[0].revents & POLLIN) {
            while (::read(wake_fd, buffer, sizeof buffer) > 0) {
            }
        }

        if (want_write && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            std::lock_guard<std::mutex> lock(s.mutex);
            ssize_t n = ::write(in_fd, s.to_write.data(), s.to_write.size());
            if (n > 0) {
                s.to_write.erase(0, static_cast<size_t>(n));
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                end_pending_replies(give_up_locked(s));
                return;
            }
        }

        if (fds[1].revents & (POLLIN | POLLERR | POLLHUP)) {
            ssize_t n = ::read(out_fd, buffer, sizeof buffer);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            if (n <= 0) {
                // The child ended or its pipe broke.
                std::lock_guard<std::mutex> lock(s.mutex);
                end_pending_replies(give_up_locked(s));
                return;
            }
            parser.feed(buffer, static_cast<size_t>(n));

            std::vector<std::pair<unsigned, HWND>> finished;
            int dropped = 0;
            {
                std::lock_guard<std::mutex> lock(s.mutex);
                BWIZC_TCL_ANSWER answer;
                BWIZC_TCL_ANSWER_PARSER::RESULT r;
                while ((r = parser.next(answer)) == BWIZC_TCL_ANSWER_PARSER::ANSWER) {
                    if (s.pending.empty()) {
                        r = BWIZC_TCL_ANSWER_PARSER::BAD_FRAME;  // an answer nobody asked for
                        break;
                    }
                    s.last_progress = CLOCK::now();
                    TCL_BLOCK& block = *s.pending.front();
                    if (answer.failed) {
                        block.answers.Add(nullptr);
                    } else {
                        block.answers.Add(answer.elements.release());
                        block.has_answer = true;
                    }
                    if (block.answers.GetSize() == block.command_count) {
                        std::unique_ptr<TCL_BLOCK> done = std::move(s.pending.front());
                        s.pending.pop_front();
                        if (done->has_answer) {
                            finished.emplace_back(done->serial, s.relay_hwnd);
                            s.completed[done->serial] = std::move(done);
                        } else {
                            ++dropped;  // every command failed: nothing to deliver
                        }
                    }
                }
                if (r == BWIZC_TCL_ANSWER_PARSER::BAD_FRAME) {
                    dropped += give_up_locked(s);
                }
            }
            // Post the replies first, then end the pending replies they settle.
            for (const auto& [serial, relay] : finished) {
                if (!bwizc_post_message(relay, s.message, serial, 0)) {
                    std::lock_guard<std::mutex> lock(s.mutex);
                    s.completed.erase(serial);
                }
                bwizc_pending_reply_end();
            }
            end_pending_replies(dropped);
        }
    }
}

// ----------------------------------------------------------------- GUI thread

CString default_script_path()
{
    CString exe = bwizc_get_module_file_name();
    int slash = exe.ReverseFind('/');
    CString dir = slash >= 0 ? exe.Left(slash + 1) : CString("./");
    return dir + "../libraries/device/devicedb_server.tcl";
}

// Runs on the GUI thread for each posted completion: the block becomes the
// result array while the asking window (or the windowless handler) sees it.
LRESULT deliver_block(WPARAM serial_param)
{
    TCL_SHELL& s = shell();
    unsigned serial = static_cast<unsigned>(serial_param);
    std::unique_ptr<TCL_BLOCK> block;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        auto it = s.completed.find(serial);
        if (it == s.completed.end()) {
            return 0;  // dropped by a shut-down
        }
        block = std::move(it->second);
        // Completions queued before this one whose messages were lost.
        s.completed.erase(s.completed.begin(), std::next(it));
    }
    BWIZC_TCL_RESULT_ARRAY* outer = s.delivering;
    s.delivering = &block->answers;
    HWND target = block->hwnd;
    if (target && CWnd::FromHandle(target)) {
        ::SendMessage(target, s.message, 0, 0);
    } else if (s.windowless_handler) {
        s.windowless_handler();
    }
    s.delivering = outer;
    return 0;
}

// Completions are posted to a hidden window of the manager's own, which
// hands them to the asking window on the GUI thread: a page that closed while
// its command ran cannot swallow the answer, it goes to the windowless handler.
bool ensure_relay_window(TCL_SHELL& s)
{
    if (!s.message) {
        s.message = RegisterWindowMessage(BWIZC_TCL_SHELL_MANAGER::COMPLETION_MESSAGE_NAME);
    }
    if (s.relay && s.relay->GetSafeHwnd()) {
        return true;
    }
    if (!s.relay) {
        s.relay = new CWnd;
        s.relay->set_message_handler(s.message, [](WPARAM w, LPARAM) { return deliver_block(w); });
    }
    if (!s.relay->CreateEx(BWIZC_KIND_CUSTOM, 0, CString(), 0, CRect(), nullptr, 0)) {
        return false;
    }
    std::lock_guard<std::mutex> lock(s.mutex);
    s.relay_hwnd = s.relay->GetSafeHwnd();
    return true;
}

}  // namespace

bool BWIZC_TCL_SHELL_MANAGER::start_tcl_shell_process()
{
    TCL_SHELL& s = shell();
    if (is_tcl_shell_process_running()) {
        return true;
    }
    end_pending_replies(stop_child(s));  // a child that was given up
    if (!ensure_relay_window(s)) {
        return false;
    }
    CString script = get_server_script_path();
    if (::access(script, R_OK) != 0) {
        return false;
    }
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        return false;
    }
    auto child = std::make_unique<BWIZC_CHILD_PROCESS>();
    CStringArray argv;
    argv.Add(get_interpreter());
    argv.Add(script);
    if (!child->start(argv, BWIZC_CHILD_PROCESS::PIPE_STDIN | BWIZC_CHILD_PROCESS::PIPE_STDOUT)) {
        ::close(wake[0]);
        ::close(wake[1]);
        return false;
    }
    int in_fd = child->get_stdin_fd();
    int out_fd = child->get_stdout_fd();
    ::fcntl(in_fd, F_SETFL, ::fcntl(in_fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(out_fd, F_SETFL, ::fcntl(out_fd, F_GETFL) | O_NONBLOCK);
    s.wake_read = wake[0];
    s.wake_write = wake[1];
    s.child_pid = child->get_pid();
    s.child_stdin = in_fd;
    s.child = std::move(child);
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.stop = false;
        s.given_up = false;
        s.last_progress = CLOCK::now();
    }
    s.io_thread = std::thread(io_thread_main, &s, in_fd, out_fd, s.wake_read);
    return true;
}

void BWIZC_TCL_SHELL_MANAGER::begin_command_block(HWND hwnd)
{
    TCL_SHELL& s = shell();
    if (s.open_block) {
        end_command_block();
    }
    s.open_block = std::make_unique<TCL_BLOCK>();
    s.open_block->hwnd = hwnd;
}

void BWIZC_TCL_SHELL_MANAGER::run_tcl_shell_command(const char* command)
{
    TCL_SHELL& s = shell();
    if (!s.open_block) {
        begin_command_block(nullptr);
    }
    CString line(command ? command : "");
    line.Replace('\n', ' ');
    line.Replace('\r', ' ');
    s.open_block->lines += line.str();
    s.open_block->lines += '\n';
    s.open_block->command_count++;
}

void BWIZC_TCL_SHELL_MANAGER::end_command_block()
{
    TCL_SHELL& s = shell();
    std::unique_ptr<TCL_BLOCK> block = std::move(s.open_block);
    if (!block || block->command_count == 0) {
        return;
    }
    block->serial = s.next_serial++;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (!s.child || s.given_up || s.stop) {
            return;  // no interpreter: the block is never answered
        }
        if (s.pending.empty()) {
            s.last_progress = CLOCK::now();
        }
        bwizc_pending_reply_begin();
        // Nothing queued: write now and spare the I/O thread a wake-up per
        // command; what the pipe does not take (or a failure) is left to it.
        if (s.to_write.empty()) {
            ssize_t n = write_without_sigpipe(s.child_stdin, block->lines.data(), block->lines.size());
            block->lines.erase(0, n > 0 ? static_cast<size_t>(n) : 0);
        }
        if (block->lines.empty()) {
            s.pending.push_back(std::move(block));
            return;
        }
        s.to_write += block->lines;
        block->lines.clear();
        s.pending.push_back(std::move(block));
    }
    wake_io_thread(s);
}

BWIZC_TCL_RESULT_ARRAY* BWIZC_TCL_SHELL_MANAGER::get_tokenized_result_array()
{
    static BWIZC_TCL_RESULT_ARRAY empty;
    TCL_SHELL& s = shell();
    return s.delivering ? s.delivering : &empty;
}

void BWIZC_TCL_SHELL_MANAGER::shut_down_tcl_shell_process()
{
    TCL_SHELL& s = shell();
    s.open_block.reset();
    end_pending_replies(stop_child(s));
}

void BWIZC_TCL_SHELL_MANAGER::set_server_script_path(const CString& path)
{
    shell().script_path = path;
}

CString BWIZC_TCL_SHELL_MANAGER::get_server_script_path()
{
    TCL_SHELL& s = shell();
    return s.script_path.IsEmpty() ? default_script_path() : s.script_path;
}

CString BWIZC_TCL_SHELL_MANAGER::get_interpreter()
{
    const char* named = std::getenv("KV2GXB_TCLSH");
    return (named && *named) ? CString(named) : CString("tclsh");
}

void BWIZC_TCL_SHELL_MANAGER::set_answer_timeout_ms(int ms)
{
    TCL_SHELL& s = shell();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.answer_timeout_ms = ms > 0 ? ms : 1;
}

void BWIZC_TCL_SHELL_MANAGER::set_windowless_completion_handler(std::function<void()> handler)
{
    shell().windowless_handler = std::move(handler);
}

bool BWIZC_TCL_SHELL_MANAGER::is_tcl_shell_process_running()
{
    TCL_SHELL& s = shell();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.child && !s.given_up && !s.stop;
}

pid_t BWIZC_TCL_SHELL_MANAGER::get_tcl_shell_process_id()
{
    return shell().child_pid;
}

int BWIZC_TCL_SHELL_MANAGER::get_pending_block_count()
{
    TCL_SHELL& s = shell();
    std::lock_guard<std::mutex> lock(s.mutex);
    return static_cast<int>(s.pending.size());
}
