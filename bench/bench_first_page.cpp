// An interactive start up to the first page on screen: a fresh process (this
// program again, so the Qt libraries load as they do for kv2gxb) starts Qt
// offscreen and the wizard on a new variation with the navigation panel, and
// reports the moment the first page is shown and the event loop has nothing
// left to do. Measured from before the process is started.
#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_util.h"
#include "platform/cstring.h"

#ifdef KV2GXB_BENCH_WITH_QT
#include <QAbstractEventDispatcher>
#include <QWidget>

#include "app/crwizard_app.h"
#include "platform/backends/qt/qt_backend.h"
#include "platform/dialog.h"
#include "services/bwizc_tcl_shell_manager.h"
#include "transceiver/kvgxb_wizard.h"
#endif

namespace {
long long monotonic_ns() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}
}  // namespace

int bench_first_page_child(const char* design, const char* libraries_dir) {
#ifdef KV2GXB_BENCH_WITH_QT
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "kv2gxb";
    char* argv[] = {name, nullptr};
    if (!bwizc_qt_initialize(argc, argv)) return 2;
    BWIZC_TCL_SHELL_MANAGER::set_server_script_path(CString(libraries_dir) + "/device/devicedb_server.tcl");
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, [] {
        const auto& stack = CDialog::get_modal_stack();
        QWidget* page = stack.empty() ? nullptr : bwizc_qt_widget(stack.back());
        if (!page || !page->isVisible()) return;
        std::printf("%lld\n", monotonic_ns());
        std::fflush(stdout);
        _exit(0);
    });
    static KVGXB_WIZARD wizard;
    const char* args[] = {"kv2gxb", "-n", "-NAV", design};
    bwizc_app_main(4, args, &wizard);
    return 3;
#else
    (void)design, (void)libraries_dir;
    return 2;
#endif
}

BENCH_RESULT bench_first_page(const CString& dir, const CString& libraries_dir) {
    const std::string design = (dir + "/first_page.v").str();
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::vector<double> ms;
    const int runs = 10;
    for (int i = 0; n > 0 && i <= runs; ++i) {
        int out[2];
        if (pipe(out) != 0) break;
        const long long t0 = monotonic_ns();
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            // Qt's notes about the offscreen platform are not results.
            const int quiet = open("/dev/null", O_WRONLY);
            if (quiet >= 0) dup2(quiet, STDERR_FILENO);
            close(out[0]);
            close(out[1]);
            execl(self, self, "--first-page", design.c_str(), libraries_dir.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char buffer[64] = {};
        const ssize_t got = pid > 0 ? read(out[0], buffer, sizeof buffer - 1) : -1;
        close(out[0]);
        int status = 0;
        if (pid > 0) waitpid(pid, &status, 0);
        std::remove((dir + "/first_page.cnx").c_str());
        if (got <= 0) {
            std::fprintf(stderr, "kv2gxb_bench: the first page did not show (status %d)\n", status);
            break;
        }
        // The first start warms the caches, like bench_measure's warm-up.
        if (i > 0) ms.push_back(static_cast<double>(std::atoll(buffer) - t0) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) return {"start to first page (Qt offscreen)", 1e9, 1e9, 300.0, 0};
    return {"start to first page (Qt offscreen)", ms[ms.size() / 2], ms.front(), 300.0, static_cast<int>(ms.size())};
}
