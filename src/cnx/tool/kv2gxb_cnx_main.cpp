// kv2gxb-cnx FILE: reads FILE with the wizard's CNX reader and writes what
// the wizard keeps of it, with the wizard's writer, to standard output.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cnx/crcnx_manager.h"
#include "platform/message_box.h"
#include "support/bwizc_global.h"

namespace {

constexpr char TOOL_NAME[] = "kv2gxb-cnx";
constexpr char DEFAULT_MODULE_NAME[] = "kv2gxb";

int cannot_read(const char* path, const CString& reason) {
    std::fprintf(stderr, "%s: cannot read %s: %s\n", TOOL_NAME, path, reason.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fprintf(stderr,
                     "usage: %s FILE\n"
                     "Reads the CNX file FILE as the kv2gxb wizard does and writes what the\n"
                     "wizard keeps of it to standard output.\n",
                     TOOL_NAME);
        return argc == 2 ? 0 : 2;
    }
    const char* path = argv[1];

    CStdioFile file;
    switch (CRCNX_MANAGER::open_cnx_file(path, file, nullptr)) {
    case CRCNX_MANAGER::CNX_OPENED: break;
    case CRCNX_MANAGER::CNX_NOT_REGULAR: return cannot_read(path, "not a regular file");
    case CRCNX_MANAGER::CNX_TOO_LARGE: return cannot_read(path, "larger than 64 MiB");
    default: return cannot_read(path, std::strerror(file.last_error() ? file.last_error() : EIO));
    }

    // A read error is reported through the message box; here it ends the run.
    bool read_failed = false;
    bwizc_set_message_box_handler([&](const CString&, const CString& text) {
        read_failed = true;
        std::fprintf(stderr, "%s: %s\n", TOOL_NAME, text.c_str());
    });
    CRCNX_MANAGER manager;
    manager.read_cnx_info_from_file(&file);
    file.Close();
    if (read_failed) return 1;

    const CString text = manager.get_cnx_text(DEFAULT_MODULE_NAME, false);
    if (std::fwrite(text.c_str(), 1, static_cast<size_t>(text.GetLength()), stdout) !=
            static_cast<size_t>(text.GetLength()) ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "%s: cannot write to standard output: %s\n", TOOL_NAME, std::strerror(errno));
        return 1;
    }
    return 0;
}
