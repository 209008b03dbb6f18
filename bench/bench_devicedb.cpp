// The device database's start-up enumeration (every configuration key, 22
// queries each) from process start to the last answer, and one change of the
// configuration on a page (update cycle and feasibility) against the filed
// presets.
#include <chrono>
#include <memory>

#include "bench_util.h"
#include "platform/messages.h"
#include "services/bwizc_tcl_shell_manager.h"
#include "transceiver/kvgxb_wizard.h"

namespace {

using CLOCK = std::chrono::steady_clock;

// The GUI thread's share of a run: wait for completions and dispatch them.
bool pump_until(const std::function<bool()>& done, int timeout_ms) {
    const auto end = CLOCK::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (CLOCK::now() >= end) return false;
        bwizc_wait_for_posted_message(1);
        while (bwizc_dispatch_posted_message()) {
        }
    }
    return true;
}

std::unique_ptr<KVGXB_WIZARD> start_wizard_until_enumerated(bool& ok) {
    auto w = std::make_unique<KVGXB_WIZARD>();
    w->set_arguments({"kv2gxb", "-n", "/tmp/kv2gxb-bench/top.v"});
    w->ParseCommandLine(*w->get_cmdline_manager());
    ok = w->on_init_wizard() && pump_until([&] { return w->enumeration_done && !w->inclk_list_pending; }, 20000);
    return w;
}

void stop_wizard(std::unique_ptr<KVGXB_WIZARD>& w) {
    w->ExitInstance();
    w.reset();
    BWIZC_TCL_SHELL_MANAGER::shut_down_tcl_shell_process();
    BWIZC_TCL_SHELL_MANAGER::set_windowless_completion_handler(nullptr);
}

// What the general page does when the user picks a protocol.
void choose_protocol(KVGXB_WIZARD& w, const char* name) {
    w.previous_protocol = w.protocol;
    w.protocol = name;
    w.protocol_changed = true;
    w.subprotocol_changed = true;
    w.update_wizard();
    w.evaluate_gxb_feasibility();
}

}  // namespace

BENCH_RESULT bench_devicedb_enumeration(const CString& libraries_dir) {
    BWIZC_TCL_SHELL_MANAGER::set_server_script_path(libraries_dir + "/device/devicedb_server.tcl");
    bool ok = true;
    BENCH_RESULT r = bench_measure("device database enumeration", 150.0, 5, [&] {
        bool started = false;
        auto w = start_wizard_until_enumerated(started);
        ok = ok && started;
        stop_wizard(w);
    });
    if (!ok) r.median_ms = r.best_ms = 1e9;  // no answers is no result
    return r;
}

BENCH_RESULT bench_page_change(const CString& libraries_dir) {
    BWIZC_TCL_SHELL_MANAGER::set_server_script_path(libraries_dir + "/device/devicedb_server.tcl");
    bool ok = false;
    auto w = start_wizard_until_enumerated(ok);
    const char* protocols[] = {"XAUI", "Basic", "GIGE", "SONET"};
    int next = 0;
    BENCH_RESULT r = bench_measure("one change on a page", 2.0, 200, [&] { choose_protocol(*w, protocols[next++ % 4]); });
    stop_wizard(w);
    if (!ok) r.median_ms = r.best_ms = 1e9;
    return r;
}
