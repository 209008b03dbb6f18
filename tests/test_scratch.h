// What tests of every folder use for files and messages: a scratch folder
// that goes with its contents, whole-file reads and writes, a capture of the
// message boxes shown, and a wait that delivers posted messages.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/messages.h"

// The GUI thread's share of a wait: delivers posted messages one at a time,
// `done` looked at after each (a test can stop between two answers of a
// sequence), until it holds (true) or the bound passes (false).
inline bool pump_until(const std::function<bool()>& done, int bound_ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(bound_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        if (!bwizc_dispatch_posted_message()) bwizc_wait_for_posted_message(5);
    }
    return true;
}
inline void pump_for(int ms) { pump_until([] { return false; }, ms); }

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// True once no process has the id `pid` any more (it was reaped).
inline bool process_is_gone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Waits until the file at `path` holds something (true) or the bound passes.
inline bool wait_for_file(const std::string& path, int bound_ms = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(bound_ms);
    while (read_file(path).empty()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        ::usleep(5000);
    }
    return true;
}

// The names in a folder, sorted.
inline std::vector<std::string> folder_entries(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(path, ec)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes; the current directory is put back
// as it was.
class SCRATCH_DIR {
public:
    SCRATCH_DIR() : m_cwd_fd(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kv2gxb-test-XXXXXX").string();
        if (::mkdtemp(pattern.data())) m_path = pattern;
    }
    ~SCRATCH_DIR() {
        if (m_cwd_fd >= 0) {
            [[maybe_unused]] int rc = ::fchdir(m_cwd_fd);
            ::close(m_cwd_fd);
        }
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    SCRATCH_DIR(const SCRATCH_DIR&) = delete;
    SCRATCH_DIR& operator=(const SCRATCH_DIR&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    void write(const std::string& name, const std::string& text) const { write_file(file(name), text); }
    std::string read(const std::string& name) const { return read_file(file(name)); }
    std::vector<std::string> entries() const { return folder_entries(m_path); }

private:
    int m_cwd_fd;
    std::string m_path;
};

// Collects the message boxes shown while it lives.
class MESSAGE_CAPTURE {
public:
    MESSAGE_CAPTURE() {
        m_previous = bwizc_set_message_box_handler([this](const CString& caption, const CString& text) {
            captions.push_back(caption.str());
            texts.push_back(text.str());
        });
    }
    ~MESSAGE_CAPTURE() { bwizc_set_message_box_handler(m_previous); }
    MESSAGE_CAPTURE(const MESSAGE_CAPTURE&) = delete;
    MESSAGE_CAPTURE& operator=(const MESSAGE_CAPTURE&) = delete;

    std::vector<std::string> captions;
    std::vector<std::string> texts;

private:
    BWIZC_MESSAGE_BOX_FN m_previous;
};
