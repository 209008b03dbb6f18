// Helpers shared by the CNX tests: scratch directories, whole-file reads and
// a capture of the messages the manager reports.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <stdlib.h>

#include "platform/cstring.h"
#include "platform/message_box.h"

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class CNX_SCRATCH_DIR {
public:
    CNX_SCRATCH_DIR() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kv2gxb-cnx-XXXXXX").string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (mkdtemp(buf.data())) m_path = buf.data();
    }
    ~CNX_SCRATCH_DIR() {
        std::error_code ec;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    // Names of the entries in the directory.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_path)) names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::filesystem::path m_path;
};

inline std::string cnx_read_whole_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void cnx_write_whole_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// Collects the texts of the message boxes shown while it lives.
class CNX_MESSAGE_CAPTURE {
public:
    CNX_MESSAGE_CAPTURE() {
        m_previous = bwizc_set_message_box_handler(
            [this](const CString&, const CString& text) { m_messages.push_back(text.str()); });
    }
    ~CNX_MESSAGE_CAPTURE() { bwizc_set_message_box_handler(m_previous); }
    const std::vector<std::string>& messages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
    BWIZC_MESSAGE_BOX_FN m_previous;
};
