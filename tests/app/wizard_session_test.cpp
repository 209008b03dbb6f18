// Whole wizard runs of the test wizard, with the headless input driver
// playing the user through the real button bar.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/registered_messages.h"
#include "platform/user_input.h"
#include "test_wizard.h"
#include "toolkit/crstd_buttons_panel_decorator.h"

using namespace test_wizard;
using BAR = CRSTD_BUTTONS_PANEL_DECORATOR;

namespace {

class WizardSession : public ::testing::Test {
protected:
    std::string command(const std::string& options = std::string()) const {
        return "kv2gxb " + options + (options.empty() ? "" : " ") + design;
    }

    SCRATCH_DIR scratch;
    std::string dir = scratch.path();
    std::string design = dir + "/top.v";
    std::string cnx = dir + "/top.cnx";
};

int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(WizardSession, BackOnTheFirstPageWritesTheFileWithoutGeneratedFiles) {
    TEST_WIZARD wizard(3);
    EXPECT_TRUE(run(wizard, command(), {[](CDialog* dialog) {
        // Back is disabled on the first page, yet the message still reaches the page.
        dialog->SendMessage(WM_BWIZC_WIZ_PAGE_PREV, 0, 0);
        return true;
    }}));
    EXPECT_EQ(wizard.get_wizard_closing_state(), -1);
    EXPECT_EQ(wizard.get_page_manager().get_cur_page_index(), -1);
    const std::string text = read_file(cnx);
    EXPECT_NE(text.find("value_3"), std::string::npos) << text;
    EXPECT_EQ(count_of(text, "GEN_FILE:"), 0) << text;
    EXPECT_EQ(wizard.get_wizard_exit_state(), 3);
}

TEST_F(WizardSession, CancelDeletesTheFileThatExistedBefore) {
    { std::ofstream(cnx) << "GENERATION: STANDARD\nVERSION: WM1.0\n"; }
    TEST_WIZARD wizard(3);
    EXPECT_TRUE(
        run(wizard, command(), {press(BAR::NEXT_BUTTON_ID, "Page 1"), press(BAR::CANCEL_BUTTON_ID, "Page 2")}));
    EXPECT_EQ(wizard.get_wizard_closing_state(), 2);
    EXPECT_FALSE(std::filesystem::exists(cnx));
}

TEST_F(WizardSession, RequestedNextIndexWinsOverNextAndBackAndCaptionsCountWithTheOffset) {
    TEST_WIZARD wizard(6);
    wizard.requested_next[2] = 5;  // page 2 asks for list index 5 (page 6)
    EXPECT_TRUE(run(wizard, command("-p2"),
                    {press(BAR::NEXT_BUTTON_ID, "Page 1"), press(BAR::PREV_BUTTON_ID, "Page 2"),
                     press(BAR::CANCEL_BUTTON_ID, "Page 6")}));
    EXPECT_EQ(wizard.get_wizard_closing_state(), 2);
    EXPECT_EQ(wizard.shown_captions, (std::vector<CString>{"Blockwright Plug-In Manager [page 3 of 10] -- Page 1",
                                                           "Blockwright Plug-In Manager [page 4 of 10] -- Page 2",
                                                           "Blockwright Plug-In Manager [page 8 of 10] -- Page 6"}));
}

TEST_F(WizardSession, PagesKeepTheCentredCornerWhichEveryTransitionPostsToTheCaller) {
    WIZMAN_LISTENER listener(4242);
    ASSERT_TRUE(listener.is_bound());
    TEST_WIZARD wizard(2);
    CRect first, second;
    EXPECT_TRUE(run(wizard, command("-h4242"),
                    {[&](CDialog* dialog) {
                         dialog->GetWindowRect(&first);
                         wizard.page(0)->valid = false;
                         return press(BAR::NEXT_BUTTON_ID, "Page 1")(dialog);
                     },
                     [&](CDialog* dialog) {
                         // An invalid page keeps the user, and the caller hears nothing.
                         EXPECT_TRUE(listener.received().empty());
                         wizard.page(0)->valid = true;
                         return press(BAR::NEXT_BUTTON_ID, "Page 1")(dialog);
                     },
                     [&](CDialog* dialog) {
                         dialog->GetWindowRect(&second);
                         return press(BAR::PREV_BUTTON_ID, "Page 2")(dialog);
                     },
                     press(BAR::CANCEL_BUTTON_ID, "Page 1")}));
    EXPECT_EQ(wizard.shown_captions.size(), 3u);
    EXPECT_NEAR(first.CenterPoint().x, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(first.CenterPoint().y, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(second.BottomRight(), first.BottomRight());
    // Next, Back and Cancel each post the corner.
    CString expected;
    expected.Format("1034 %d %d", second.right, second.bottom);
    EXPECT_EQ(listener.received(), std::vector<std::string>(3, expected.c_str()));

    WIZMAN_LISTENER quiet(4243);
    TEST_WIZARD silent_caller(2);
    EXPECT_TRUE(run(silent_caller, command(), {press(BAR::CANCEL_BUTTON_ID, "Page 1")}));
    EXPECT_TRUE(quiet.received().empty());
}

TEST_F(WizardSession, FinishOnSecondOfSevenPagesGoesToTheSummaryThenWritesValuesAndFiles) {
    TEST_WIZARD wizard(5, /*indexed_page=*/1);
    EXPECT_TRUE(run(wizard, command(),
                    {press(BAR::NEXT_BUTTON_ID, "Page 1"),
                     [&wizard](CDialog* dialog) {
                         wizard.page(0)->value.value = "hello";
                         wizard.page(1)->value.value = "42";
                         return press(BAR::FINISH_BUTTON_ID, "Page 2")(dialog);
                     },
                     press(BAR::FINISH_BUTTON_ID, "Summary")}));
    EXPECT_EQ(wizard.get_wizard_closing_state(), 0);
    EXPECT_EQ(wizard.shown_captions.size(), 2u);
    EXPECT_EQ(wizard.get_page_count(), 7);
    const std::string text = read_file(cnx);
    EXPECT_NE(text.find("PRIVATE: value_1 STRING \"hello\""), std::string::npos) << text;
    EXPECT_NE(text.find("PRIVATE: use_x2 STRING \"42\""), std::string::npos) << text;
    EXPECT_EQ(text.find("use_x STRING"), std::string::npos) << text;
    EXPECT_NE(text.find("PRIVATE: value_5 STRING"), std::string::npos) << text;
    // A Verilog variation lists six files: itself, the two declaration
    // files, the symbol, the instantiation template and the black box.
    EXPECT_EQ(count_of(text, "GEN_FILE:"), 6) << text;

    // The values come back into the controls when the variation is edited.
    TEST_WIZARD again(5, 1);
    EXPECT_TRUE(run(again, command(), {[&again](CDialog* dialog) {
        EXPECT_EQ(again.page(0)->value.value, "hello");
        EXPECT_EQ(again.page(1)->value.value, "42");
        EXPECT_TRUE(again.has_read_cnx_file());
        return press(BAR::CANCEL_BUTTON_ID, "Page 1")(dialog);
    }}));
}

TEST_F(WizardSession, MapFileModeWritesTheMapAndNoCnxFile) {
    TEST_WIZARD wizard(2);
    EXPECT_FALSE(run(wizard, command("-mapfile"), nullptr));
    EXPECT_TRUE(wizard.shown_captions.empty());
    EXPECT_FALSE(std::filesystem::exists(cnx));
    // The simulation-library and summary pages add nothing to the map.
    EXPECT_EQ(read_file(dir + "/testwiz.map"), read_file(KV2GXB_SOURCE_DIR "/tests/app/golden/testwiz.map"));

    // The module name is the first module record the pages made; the CNX
    // file is read but never written.
    { std::ofstream(cnx) << "PRIVATE: value_1 STRING \"x\"\n"; }
    TEST_WIZARD named(1);
    named.module_name = "gxb_core";
    EXPECT_FALSE(run(named, command("-mapfile"), nullptr));
    EXPECT_NE(read_file(dir + "/testwiz.map").find("MODULE_NAME\tgxb_core\tEND_MODULE_NAME\n"), std::string::npos);
    EXPECT_TRUE(named.has_read_cnx_file());
    EXPECT_EQ(read_file(cnx), "PRIVATE: value_1 STRING \"x\"\n");
}

TEST_F(WizardSession, SummaryListShowsTheRowsAndClicksToggleOnlyChangeableBoxes) {
    TEST_WIZARD wizard(1);
    const bool ran = run(wizard, command(), {press(BAR::FINISH_BUTTON_ID, "Page 1"), [](CDialog* dialog) {
        auto* list = dynamic_cast<CListCtrl*>(dialog->GetDlgItem(1102));
        EXPECT_NE(list, nullptr);
        if (!list) return true;
        EXPECT_EQ(list->get_column_heading(0), "File");
        EXPECT_EQ(list->get_column_heading(1), "Description");
        EXPECT_EQ(list->GetItemCount(), 6);
        EXPECT_EQ(list->GetItemText(0, 0), "top.v");
        EXPECT_EQ(list->GetItemText(0, 1), "Variation file");
        EXPECT_EQ(list->get_item_image(0), 2);  // checked, fixed
        EXPECT_EQ(list->get_item_image(3), 0);  // the symbol, unchecked
        // The column is wide enough for the widest file name.
        EXPECT_GT(list->GetColumnWidth(1), list->GetColumnWidth(0));
        EXPECT_TRUE(bwizc_user_click_list_item(list, 0, 0, 2));
        EXPECT_TRUE(bwizc_user_click_list_item(list, 3, 0, 2));
        // A click beside the box, on the name, does nothing.
        EXPECT_TRUE(bwizc_user_click_list_item(list, 4, 0, 40));
        EXPECT_EQ(list->get_item_image(0), 2);
        EXPECT_EQ(list->get_item_image(3), 1);
        EXPECT_EQ(list->get_item_image(4), 0);
        const CString below = dialog->GetDlgItemText(1103);
        EXPECT_EQ(below.Find("The Blockwright Plug-In Manager will create these files in the directory "), 0);
        return press(BAR::FINISH_BUTTON_ID, "Summary")(dialog);
    }});
    EXPECT_TRUE(ran);
    const std::string text = read_file(cnx);
    EXPECT_NE(text.find("GEN_FILE: TYPE_NORMAL top.v TRUE"), std::string::npos) << text;
    EXPECT_NE(text.find("GEN_FILE: TYPE_NORMAL top.bsf TRUE"), std::string::npos) << text;
    EXPECT_NE(text.find("GEN_FILE: TYPE_NORMAL top_inst.v FALSE"), std::string::npos) << text;
}

TEST_F(WizardSession, UpdateRequestsWaitWhileTheButtonBarHasTheFocus) {
    TEST_WIZARD wizard(1);
    EXPECT_TRUE(run(wizard, command(), {[&wizard](CDialog* dialog) {
        CRWIZARD_PAGE* page = wizard.page(0);
        EXPECT_TRUE(bwizc_user_set_focus(dialog, IDC_TEST_EDIT));
        int before = dialog->get_invalidate_count();
        page->invalidate_and_update_page(true);
        EXPECT_GT(dialog->get_invalidate_count(), before);
        // A click on the bar must not re-lay the page out under the mouse.
        EXPECT_TRUE(bwizc_user_set_focus(dialog, BAR::NEXT_BUTTON_ID));
        before = dialog->get_invalidate_count();
        page->invalidate_and_update_page(true);
        EXPECT_EQ(dialog->get_invalidate_count(), before);
        EXPECT_EQ(CWnd::GetFocus(), dialog->GetDlgItem(BAR::NEXT_BUTTON_ID));
        return press(BAR::CANCEL_BUTTON_ID, "Page 1")(dialog);
    }}));
}

TEST_F(WizardSession, SilentRunFinishesAndTheTitleReadFromTheCnxFileWinsOverTheCommandLine) {
    // A new variation: the command line's title and subtitle.
    // A silent run passes every page by itself and finishes.
    TEST_WIZARD fresh(3);
    EXPECT_TRUE(run(fresh, command("-silent -wizard_title:Cmd -wizard_subtitle:CmdSub"), nullptr));
    EXPECT_EQ(fresh.shown_captions.size(), 3u);
    EXPECT_EQ(fresh.get_wizard_closing_state(), 0);
    const std::string text = read_file(cnx);
    EXPECT_NE(text.find("value_3"), std::string::npos) << text;
    EXPECT_EQ(count_of(text, "GEN_FILE:"), 6) << text;
    EXPECT_EQ(fresh.get_wizard_title(), "Cmd");
    EXPECT_EQ(fresh.get_wizard_subtitle(), "CmdSub");

    // An existing variation whose file names a title: that title is shown,
    // the subtitle it lacks still comes from the command line.
    { std::ofstream(cnx) << "WIZARD_TITLE: \"Cnx Title\"\n"; }
    TEST_WIZARD edited(1);
    EXPECT_TRUE(run(edited, command("-silent -wizard_title:Cmd -wizard_subtitle:CmdSub"), nullptr));
    EXPECT_EQ(edited.get_wizard_title(), "Cnx Title");
    EXPECT_EQ(edited.get_wizard_subtitle(), "CmdSub");

    // A page that refuses Next has nobody to answer it: the run says which
    // page and ends with status 1.
    struct REFUSING_WIZARD : TEST_WIZARD {
        REFUSING_WIZARD() : TEST_WIZARD(2) {}
        bool on_init_wizard() override {
            const bool ok = TEST_WIZARD::on_init_wizard();
            pages[1]->valid = false;
            return ok;
        }
    };
    EXPECT_EXIT(
        {
            REFUSING_WIZARD refusing;
            run(refusing, command("-silent"), nullptr);
        },
        testing::ExitedWithCode(1), "Error: The page \".*Page 2.*\" cannot be completed in a silent run");
    // An interactive run without a display ends the same way at its first page.
    EXPECT_EXIT(
        {
            TEST_WIZARD interactive(2);
            bwizc_end_when_a_page_shows_without_display();
            interactive.set_arguments({"kv2gxb", design.c_str()});
            interactive.InitInstance();
        },
        testing::ExitedWithCode(1), "kv2gxb: no display to show the wizard on");
}

namespace {
// A wizard whose command-line flow answers as told: true is a recorded error.
class FLOW_WIZARD : public TEST_WIZARD {
public:
    FLOW_WIZARD(int pages, bool error) : TEST_WIZARD(pages), flow_error(error) {}
    bool run_cmd_line_flow() override {
        if (!is_cmd_line_flow()) return false;
        flow_ran = true;
        return flow_error;
    }
    void on_cancel_wizard() override {
        ++cancel_hook_calls;
        TEST_WIZARD::on_cancel_wizard();
    }
    bool flow_error;
    bool flow_ran = false;
    int cancel_hook_calls = 0;
};
}  // namespace

TEST_F(WizardSession, CommandLineFlowKeepsTheCallersFile) {
    const std::string callers = "GENERATION: STANDARD\nVERSION: WM1.0\nPRIVATE: value_1 STRING \"from caller\"\n";

    // A flow that succeeded hands over to the pages; Cancel there keeps the
    // file the caller prepared and runs no cancel hook.
    { std::ofstream(cnx) << callers; }
    FLOW_WIZARD ok(2, false);
    EXPECT_TRUE(run(ok, command("-cmd"), {press(BAR::CANCEL_BUTTON_ID, "Page 1")}));
    EXPECT_TRUE(ok.flow_ran);
    EXPECT_EQ(ok.get_wizard_closing_state(), 2);
    EXPECT_EQ(ok.cancel_hook_calls, 0);
    EXPECT_EQ(read_file(cnx), callers);

    // A flow error writes the file at once with what the wizard holds; no
    // page runs and nothing is deleted.
    FLOW_WIZARD failed(2, true);
    EXPECT_TRUE(run(failed, command("-cmd"), nullptr));
    EXPECT_TRUE(failed.shown_captions.empty());
    EXPECT_EQ(failed.get_wizard_closing_state(), 2);
    EXPECT_EQ(failed.cancel_hook_calls, 0);
    const std::string written = read_file(cnx);
    EXPECT_NE(written.find("GENERATION: STANDARD"), std::string::npos) << written;
    EXPECT_NE(written.find("from caller"), std::string::npos) << written;

    // Without the option the same answer is no error: Cancel deletes as usual.
    FLOW_WIZARD plain(2, true);
    EXPECT_TRUE(run(plain, command(), {press(BAR::CANCEL_BUTTON_ID, "Page 1")}));
    EXPECT_FALSE(plain.flow_ran);
    EXPECT_EQ(plain.cancel_hook_calls, 1);
    EXPECT_FALSE(std::filesystem::exists(cnx));
}
