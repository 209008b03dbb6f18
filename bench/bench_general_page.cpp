// One change on the General page as a user makes it: a protocol chosen in the
// list through the headless input driver, with the model update, the update
// cycle, the verdict and the page's refresh it sets off.
#include <algorithm>
#include <chrono>
#include <vector>

#include "bench_util.h"
#include "platform/input_driver.h"
#include "platform/messages.h"
#include "platform/user_input.h"
#include "services/bwizc_tcl_shell_manager.h"
#include "toolkit/crstd_buttons_panel_decorator.h"
#include "transceiver/pages/kvgxb_page1.h"

BENCH_RESULT bench_general_page_change(const CString& dir, const CString& libraries_dir) {
    BWIZC_TCL_SHELL_MANAGER::set_server_script_path(libraries_dir + "/device/devicedb_server.tcl");
    KVGXB_WIZARD wizard;
    const char* protocols[] = {"XAUI", "Basic", "GIGE", "SONET Backplane"};
    std::vector<double> ms;
    const int runs = 200;
    BWIZC_INPUT_SCRIPT script;
    script
        .then([&](CDialog*) {
            if (wizard.enumeration_done && !wizard.inclk_list_pending) return true;
            bwizc_wait_for_posted_message(5);
            return false;
        })
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
