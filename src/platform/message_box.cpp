#include "platform/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

bool g_is_in_silent_mode = false;
const char* const BWIZC_MESSAGE_BOX_CAPTION = "Blockwright Plug-In Manager";

namespace {
BWIZC_MESSAGE_BOX_FN& handler() {
    static BWIZC_MESSAGE_BOX_FN fn;
    return fn;
}
}  // namespace

BWIZC_MESSAGE_BOX_FN bwizc_set_message_box_handler(BWIZC_MESSAGE_BOX_FN fn) {
    return std::exchange(handler(), std::move(fn));
}

void bwizc_message_box(const CString& text) {
    if (g_is_in_silent_mode) {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
        std::exit(1);
    }
    if (handler()) {
        handler()(CString(BWIZC_MESSAGE_BOX_CAPTION), text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}
