// Shared pieces of the application-object tests: a transceiver wizard of the
// test's own against the device database server of the source tree, the
// GUI-thread pump that delivers its answers, and page-like edits.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/crwizard_app.h"
#include "platform/dialog.h"
#include "platform/input_driver.h"
#include "platform/messages.h"
#include "platform/user_input.h"
#include "services/bwizc_tcl_shell_manager.h"
#include "toolkit/crstd_buttons_panel_decorator.h"
#include "transceiver/kvgxb_test_support.h"
#include "transceiver/kvgxb_wizard.h"

using KVGXB_TEST_APP_WIZARD = KVGXB_CLOCK_REFRESHING<KVGXB_WIZARD>;

// The real application object, counting update cycles: each one ends by
// refreshing the pages.
class KVGXB_COUNTING_WIZARD : public KVGXB_WIZARD {
public:
    void refresh_all_pages() override {
        ++cycles;
        KVGXB_WIZARD::refresh_all_pages();
    }
    int cycles = 0;
};

// A script step that waits, a few milliseconds a try, until `done` holds.
inline BWIZC_INPUT_SCRIPT::STEP wait_for(std::function<bool()> done) {
    return [done](CDialog*) {
        if (done()) return true;
        bwizc_wait_for_posted_message(5);
        return false;
    };
}

// The state of a page's item as the user sees it.
inline bool enabled(CDialog* page, UINT id) { return page->GetDlgItem(static_cast<int>(id))->IsWindowEnabled() != FALSE; }
inline bool checked(CDialog* page, UINT id) { return page->IsDlgButtonChecked(static_cast<int>(id)) == BST_CHECKED; }
inline CString text(CDialog* page, UINT id) { return page->GetDlgItem(static_cast<int>(id))->GetWindowText(); }

// Replaces the text of an edit box by typing.
inline void retype(CDialog* page, UINT id, const CString& chars) {
    EXPECT_TRUE(bwizc_user_set_focus(page, id));
    EXPECT_TRUE(bwizc_user_select_all(page->GetDlgItem(static_cast<int>(id))));
    EXPECT_TRUE(bwizc_user_type(page, id, chars));
}

// An interactive session on a new variation of `folder`/top.v in the
// artifacts folder while the installed input driver plays the user; a
// deadlock fails the test.
inline void run_session(KVGXB_WIZARD& w, const char* folder) {
    bwizc_set_deadlock_handler([](CDialog* dialog, const CString& message) {
        ADD_FAILURE() << "deadlock on " << dialog->get_dialog_name().c_str() << ": " << message.c_str();
    });
    const std::string design = std::string(KV2GXB_ARTIFACTS_DIR) + "/" + folder + "/top.v";
    const char* argv[] = {"kv2gxb", "-n", design.c_str()};
    bwizc_app_main(3, argv, &w);
    bwizc_set_input_driver(nullptr);
    bwizc_set_deadlock_handler(nullptr);
}

// The same with `script` as the user.
inline void run_session(KVGXB_WIZARD& w, const char* folder, BWIZC_INPUT_SCRIPT& script) {
    script.set_max_retries(4000);
    script.install();
    run_session(w, folder);
}

inline std::string current_label(KVGXB_WIZARD& w) {
    return w.get_page_nav_button_label_at(w.get_cur_page_index()).c_str();
}
inline bool lists_settled(KVGXB_WIZARD& w) {
    return w.enumeration_done && !w.inclk_list_pending && !w.data_rate_list_pending;
}

// A new variation of `folder`/top.v in a headless session: `on_general` acts
// on the General page, Next is clicked until the page labelled `label` is
// up, `on_page` acts there, and the wizard is cancelled.
inline void run_on_page(KVGXB_WIZARD& w, const char* folder, const std::function<void(CDialog*)>& on_general,
                        const std::string& label, const std::function<void(CDialog*)>& on_page) {
    CDialog* left = nullptr;
    BWIZC_INPUT_SCRIPT script;
    auto settle = wait_for([&w] { return lists_settled(w); });
    script.then(settle)
        .then([&](CDialog* page) {
            on_general(page);
            return true;
        })
        .then(settle)
        .then([&](CDialog* page) {
            if (current_label(w) == label) return true;
            if (page != left) bwizc_user_click(page, CRSTD_BUTTONS_PANEL_DECORATOR::NEXT_BUTTON_ID);
            left = page;
            return false;
        })
        .then([&](CDialog* page) {
            on_page(page);
            return true;
        })
        .then([](CDialog* page) { return bwizc_user_key(page, VK_ESCAPE); });
    run_session(w, folder, script);
    EXPECT_TRUE(script.is_done()) << "never reached " << label;
}

class KvgxbWizardTest : public ::testing::Test {
protected:
    using MANAGER = BWIZC_TCL_SHELL_MANAGER;

    void SetUp() override {
        ::unsetenv("KV2GXB_TCLSH");
        MANAGER::set_server_script_path(CString(KV2GXB_SOURCE_DIR) + "/data/device/devicedb_server.tcl");
        MANAGER::set_answer_timeout_ms(10000);
        bwizc_clear_posted_messages();
    }
    void TearDown() override {
        if (wizard) wizard->ExitInstance();
        wizard.reset();
        MANAGER::shut_down_tcl_shell_process();
        MANAGER::set_windowless_completion_handler(nullptr);
        MANAGER::set_server_script_path(CString());
        ::unsetenv("KV2GXB_TCLSH");
        pump_for(20);
        EXPECT_EQ(bwizc_pending_reply_count(), 0);
        EXPECT_TRUE(messages.empty()) << messages.front();
    }

    // A wizard for a new variation of /tmp/kvgxb_wizard_test/top.v, with
    // `option` before the design file when given.
    KVGXB_TEST_APP_WIZARD& make_wizard(const char* option = "-n") {
        wizard = std::make_unique<KVGXB_TEST_APP_WIZARD>();
        wizard->set_arguments({"kv2gxb", option, "-n", "/tmp/kvgxb_wizard_test/top.v"});
        wizard->ParseCommandLine(*wizard->get_cmdline_manager());
        return *wizard;
    }

    // An interactive start: on_init_wizard, then the answers until the last
    // key is filed and the clock list of the entered rate has arrived.
    bool run_start_up(KVGXB_TEST_APP_WIZARD& w) {
        if (!w.on_init_wizard()) return false;
        return pump_until([&] { return w.enumeration_done && !w.inclk_list_pending; }, 20000);
    }

    // A database server of the test's own, written to the artifacts folder.
    static CString write_script(const char* name, const std::string& text) {
        CString path = CString(KV2GXB_ARTIFACTS_DIR) + "/" + name;
        std::ofstream(path.c_str()) << text;
        return path;
    }

    void choose_protocol(const char* name, const char* sub = nullptr) {
        kvgxb_choose_protocol(*wizard, name);
        if (sub) kvgxb_choose_subprotocol(*wizard, sub);
    }
    void run_cycle() { kvgxb_run_cycle(*wizard); }

    std::unique_ptr<KVGXB_TEST_APP_WIZARD> wizard;
    MESSAGE_CAPTURE captured;
    std::vector<std::string>& messages = captured.texts;
};
