// Runs the built kv2gxb as a child process and collects what it did.
#pragma once

#include <string>
#include <vector>

struct KV2GXB_RUN {
    int exit_status = -1;  // -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Runs kv2gxb with the given arguments in directory cwd (the current one when
// empty), standard input closed.
KV2GXB_RUN run_kv2gxb(const std::vector<std::string>& args, const std::string& cwd = std::string());

// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes.
class TEMP_DIR {
public:
    TEMP_DIR();
    ~TEMP_DIR();
    TEMP_DIR(const TEMP_DIR&) = delete;
    TEMP_DIR& operator=(const TEMP_DIR&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);
bool file_exists(const std::string& path);
