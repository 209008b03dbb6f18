// A fresh temporary directory for one test, removed with its contents at the
// end; the current directory is put back as it was.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class SUPPORT_TEST_DIR {
public:
    SUPPORT_TEST_DIR() : m_cwd_fd(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)) {
        char pattern[] = "/tmp/kvb-support-test-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        m_path = made ? made : "";
    }
    ~SUPPORT_TEST_DIR() {
        if (m_cwd_fd >= 0) {
            [[maybe_unused]] int rc = ::fchdir(m_cwd_fd);
            ::close(m_cwd_fd);
        }
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    SUPPORT_TEST_DIR(const SUPPORT_TEST_DIR&) = delete;
    SUPPORT_TEST_DIR& operator=(const SUPPORT_TEST_DIR&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

    void write(const std::string& name, const std::string& text) const {
        std::ofstream(file(name), std::ios::binary) << text;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    int m_cwd_fd;
    std::string m_path;
};
