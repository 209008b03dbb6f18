// The CNX reader on any bytes: no memory or undefined-behaviour fault, and
// what the wizard writes of a file is stable: read, write, read, write gives
// the same text twice.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "cnx/crcnx_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CString input(std::string_view(reinterpret_cast<const char*>(data), size));
    CRCNX_MANAGER first;
    first.read_cnx_info_from_text(input);
    const CString once = first.get_cnx_text("kv2gxb", false);

    CRCNX_MANAGER second;
    second.read_cnx_info_from_text(once);
    const CString twice = second.get_cnx_text("kv2gxb", false);
    if (once != twice) {
        std::fprintf(stderr, "written after one read:\n%s\nwritten after two:\n%s\n", once.c_str(), twice.c_str());
        std::abort();
    }
    return 0;
}
