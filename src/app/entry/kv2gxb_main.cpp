// Process entry of kv2gxb. The application object is a global of the
// concrete wizard; the entry starts the platform layer (Qt only for runs that
// show pages) and hands the application the command line.
#include <cstdlib>
#include <cstring>

#include "app/crwizard_app.h"
#include "platform/backend.h"

#ifdef KV2GXB_WITH_QT_BACKEND
#include "platform/backends/qt/qt_backend.h"
#endif

namespace {
// Silent runs and map-file mode never show a window, so they never start Qt.
bool shows_windows(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg[0] != '-' && arg[0] != '/') continue;
        if (std::strcmp(arg + 1, "silent") == 0 || std::strcmp(arg + 1, "mapfile") == 0) return false;
    }
    return true;
}

// Without a display there is nobody to show a window to; the run stays
// headless (messages go to standard error).
bool has_display() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    if (!bwizc_platform_startup()) return 1;
#ifdef KV2GXB_WITH_QT_BACKEND
    const bool interactive = shows_windows(argc, argv) && has_display();
    if (interactive && !bwizc_qt_initialize(argc, argv)) return 1;
#else
    (void)shows_windows;
    (void)has_display;
#endif
    const int status = bwizc_app_main(argc, argv);
#ifdef KV2GXB_WITH_QT_BACKEND
    if (interactive) bwizc_qt_shutdown();
#endif
    return status;
}
