// One change on the General page as a user makes it: a protocol chosen in the
// list through the headless input driver, with the model update, the update
// cycle, the verdict and the page's refresh it sets off.
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "bench_util.h"
#include "platform/input_driver.h"
#include "platform/messages.h"
#include "platform/user_input.h"
#include "services/bwizc_tcl_shell_manager.h"
#include "symbol/crsymbol.h"
#include "toolkit/crstd_buttons_panel_decorator.h"
#include "transceiver/pages/kvgxb_page1.h"

namespace {

// A script step that holds the General page until the device database has
// filled its lists.
std::function<bool(CDialog*)> device_lists_ready(KVGXB_WIZARD& wizard) {
    return [&wizard](CDialog*) {
        if (wizard.enumeration_done && !wizard.inclk_list_pending) return true;
        bwizc_wait_for_posted_message(5);
        return false;
    };
}

}  // namespace

BENCH_RESULT bench_general_page_change(const CString& dir, const CString& libraries_dir) {
    BWIZC_TCL_SHELL_MANAGER::set_server_script_path(libraries_dir + "/device/devicedb_server.tcl");
    KVGXB_WIZARD wizard;
    const char* protocols[] = {"XAUI", "Basic", "GIGE", "SONET Backplane"};
    std::vector<double> ms;
    const int runs = 200;
    BWIZC_INPUT_SCRIPT script;
    script
        .then(device_lists_ready(wizard))
        .then([&](CDialog* page) {
            for (int i = 0; i <= runs; ++i) {
                const auto t0 = std::chrono::steady_clock::now();
                bwizc_user_select_text(page, KVGXB_PAGE1::IDC_PROTOCOL, protocols[i % 4]);
                const auto t1 = std::chrono::steady_clock::now();
                if (i > 0) ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
            }
            return bwizc_user_click(page, CRSTD_BUTTONS_PANEL_DECORATOR::CANCEL_BUTTON_ID);
        });
    script.set_max_retries(4000);
    script.install();
    const CString design = dir + "/bench_general/top.v";
    const char* argv[] = {"kv2gxb", "-n", design.c_str()};
    bwizc_app_main(3, argv, &wizard);
    bwizc_set_input_driver(nullptr);
    BWIZC_TCL_SHELL_MANAGER::set_server_script_path(CString());
    if (ms.empty()) return {"one General-page change", 1e9, 1e9, 2.0, 0};
    std::sort(ms.begin(), ms.end());
    return {"one General-page change", ms[ms.size() / 2], ms.front(), 2.0, static_cast<int>(ms.size())};
}

// The channel count switched between 4 and 8 with the resource-estimate
// worker running on the generator library beside the bench: the page change
// itself, and the time until the page shows the estimate of the new count.
std::vector<BENCH_RESULT> bench_channel_change_with_estimate(const CString& dir, const CString& libraries_dir) {
    using CLOCK = std::chrono::steady_clock;
    BWIZC_TCL_SHELL_MANAGER::set_server_script_path(libraries_dir + "/device/devicedb_server.tcl");
    KVGXB_WIZARD wizard;
    auto estimate = [&wizard] {
        CRSYMBOL* preview = wizard.get_symbol_decorator();
        return preview ? preview->get_resource_text() : CString();
    };
    const int runs = 200;
    std::vector<double> change_ms, arrival_ms;
    int i = 0;
    bool waiting = false;
    CLOCK::time_point changed;
    BWIZC_INPUT_SCRIPT script;
    script
        .then(device_lists_ready(wizard))
        .then([&](CDialog* page) {
            const bool eight = i % 2 == 1;
            if (waiting) {
                // Dispatched by the page's loop between the tries.
                if (estimate().Find(eight ? "8 channels;2 quads;" : "4 channels;1 quad;") != 0) {
                    bwizc_wait_for_posted_message(1);
                    return false;
                }
                if (i > 1) arrival_ms.push_back(std::chrono::duration<double, std::milli>(CLOCK::now() - changed).count());
                waiting = false;
                if (++i > runs) return bwizc_user_click(page, CRSTD_BUTTONS_PANEL_DECORATOR::CANCEL_BUTTON_ID);
                return false;
            }
            const auto t0 = CLOCK::now();
            bwizc_user_select_text(page, KVGXB_PAGE1::IDC_CHANNELS, eight ? "8" : "4");
            changed = CLOCK::now();
            if (i > 1) change_ms.push_back(std::chrono::duration<double, std::milli>(changed - t0).count());
            waiting = true;
            return false;
        });
    script.set_max_retries(1000000);
    script.install();
    const CString design = dir + "/bench_estimate/top.v";
    const char* argv[] = {"kv2gxb", "-n", design.c_str()};
    bwizc_app_main(3, argv, &wizard);
    bwizc_set_input_driver(nullptr);
    BWIZC_TCL_SHELL_MANAGER::set_server_script_path(CString());
    auto result = [](const char* name, std::vector<double>& ms, double budget) -> BENCH_RESULT {
        if (ms.empty()) return {name, 1e9, 1e9, budget, 0};
        std::sort(ms.begin(), ms.end());
        return {name, ms[ms.size() / 2], ms.front(), budget, static_cast<int>(ms.size())};
    };
    return {result("channel change, worker active", change_ms, 2.0),
            result("estimate shown after the change", arrival_ms, 50.0)};
}
