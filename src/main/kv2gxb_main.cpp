// Process entry of kv2gxb. The application object is the concrete wizard's
// global gxb_wizard; the entry starts the platform layer (Qt only for runs
// that show pages) and hands the application the arguments.
#include <cstdlib>

#include "app/crwizard_app.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "transceiver/kvgxb_wizard.h"

#ifdef KV2GXB_WITH_QT_BACKEND
#include "platform/backends/qt/qt_backend.h"
#endif

namespace {
// Silent runs and map-file mode never show a window, so they never start Qt.
// The record is filled a first time only for this question; the usage box of
// an unknown flag belongs to the wizard's own parse, so it is held back here.
bool shows_windows(int argc, const char* const* argv) {
    const BWIZC_MESSAGE_BOX_FN previous = bwizc_set_message_box_handler([](const CString&, const CString&) {});
    CRWIZARD_COMMAND_LINE_INFO info;
    bwizc_parse_command_line(info, argc, argv);
    bwizc_set_message_box_handler(previous);
    return !info.is_silent_mode() && !info.is_map_file_gen_mode();
}

bool has_display() {
#ifdef KV2GXB_WITH_QT_BACKEND
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
#endif
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!bwizc_platform_startup()) return 1;
    const bool interactive = shows_windows(argc, argv);
    const bool windows = interactive && has_display();
#ifdef KV2GXB_WITH_QT_BACKEND
    if (windows && !bwizc_qt_initialize(argc, argv)) return 1;
#endif
    if (interactive && !windows) bwizc_end_when_a_page_shows_without_display();
    const int status = bwizc_app_main(argc, argv, &gxb_wizard);
#ifdef KV2GXB_WITH_QT_BACKEND
    if (windows) bwizc_qt_shutdown();
#endif
    return status;
}
