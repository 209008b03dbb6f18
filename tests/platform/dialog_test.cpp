#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "platform/input_driver.h"
#include "platform/messages.h"
#include "platform/user_input.h"
#include "platform/test_dialog.h"

using namespace platform_test;

namespace {

// Every test leaves the driver and the deadlock handler as it found them.
class HeadlessDialog : public ::testing::Test {
protected:
    void TearDown() override {
        bwizc_set_input_driver(nullptr);
        bwizc_set_deadlock_handler(nullptr);
        bwizc_clear_posted_messages();
    }
};

using N = NOTIFICATION;

}  // namespace

TEST_F(HeadlessDialog, DriverPlaysEveryControlWithOneNotificationPerAction) {
    TEST_DIALOG dlg;
    BWIZC_INPUT_SCRIPT script;
    // A script step: the user's action, then exactly the notifications it sent.
    auto step = [&](std::function<bool(CDialog*)> act, std::vector<N> want) {
        script.then([&dlg, act, want](CDialog* d) {
            EXPECT_TRUE(act(d));
            EXPECT_EQ(dlg.since_mark(), want);
            return true;
        });
    };
    step([&](CDialog* d) {
        // Whatever initialisation sent is not part of the user's actions.
        dlg.since_mark();
        EXPECT_EQ(d, &dlg);
        EXPECT_TRUE(dlg.IsWindowVisible());
        return bwizc_user_click(d, IDC_FEATURE);
    }, {{WM_COMMAND, IDC_FEATURE, BN_CLICKED}});
    step([](CDialog* d) { return bwizc_user_click(d, IDC_RADIX16); }, {{WM_COMMAND, IDC_RADIX16, BN_CLICKED}});
    step([](CDialog* d) { return bwizc_user_set_focus(d, IDC_NAME); }, {{WM_COMMAND, IDC_NAME, EN_SETFOCUS}});
    step([](CDialog* d) {
        // Typing goes where the caret is: at the start after the text was set.
        static_cast<CEdit*>(d->GetDlgItem(IDC_NAME))->SetSel(2, 2);
        return bwizc_user_type(d, IDC_NAME, "7");
    }, {{WM_COMMAND, IDC_NAME, EN_CHANGE}});
    // Moving the focus on tells the edit it lost it and the combo box it got it.
    step([](CDialog* d) { return bwizc_user_set_focus(d, IDC_DROPLIST); },
         {{WM_COMMAND, IDC_NAME, EN_KILLFOCUS}, {WM_COMMAND, IDC_DROPLIST, CBN_SETFOCUS}});
    // Choosing the chosen item again sends nothing.
    step([](CDialog* d) {
        return bwizc_user_select_text(d, IDC_DROPLIST, "XAUI") && bwizc_user_select_text(d, IDC_DROPLIST, "XAUI");
    }, {{WM_COMMAND, IDC_DROPLIST, CBN_SELCHANGE}});
    step([&](CDialog* d) {
        EXPECT_TRUE(bwizc_user_set_focus(d, IDC_DROPDOWN));
        dlg.since_mark();
        auto* dropdown = d->GetDlgItem(IDC_DROPDOWN);
        EXPECT_TRUE(bwizc_user_select_all(dropdown));
        return bwizc_user_type(dropdown, "5");
    }, {{WM_COMMAND, IDC_DROPDOWN, CBN_EDITCHANGE}});
    step([&](CDialog* d) {
        EXPECT_TRUE(bwizc_user_set_focus(d, IDC_SIMPLE));
        dlg.since_mark();
        return bwizc_user_select(d, IDC_SIMPLE, 2);
    }, {{WM_COMMAND, IDC_SIMPLE, CBN_SELCHANGE}});
    // The combo box loses the focus to the slider first.
    step([](CDialog* d) { return bwizc_user_move_slider(d, IDC_SLIDER, 7); },
         {{WM_COMMAND, IDC_SIMPLE, CBN_KILLFOCUS}, {WM_HSCROLL, IDC_SLIDER, TB_THUMBPOSITION}});
    step([](CDialog* d) { return bwizc_user_click_list_item(d->GetDlgItem(IDC_FILES), 1, 0); },
         {{WM_NOTIFY, IDC_FILES, LVN_ITEMCHANGED}, {WM_NOTIFY, IDC_FILES, NM_CLICK}});
    step([](CDialog* d) {
        // The user cannot reach a disabled control.
        d->GetDlgItem(IDC_APPLY)->EnableWindow(FALSE);
        EXPECT_FALSE(bwizc_user_click(d, IDC_APPLY));
        d->GetDlgItem(IDC_APPLY)->EnableWindow(TRUE);
        return bwizc_user_click(d, IDC_APPLY);
    }, {{WM_COMMAND, IDC_APPLY, BN_CLICKED}});
    script.then([](CDialog* d) { return bwizc_user_key(d, VK_RETURN); });
    script.install();

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.is_done());
    EXPECT_FALSE(dlg.IsWindow());
    // OK, feature, radix 10 and 16, name, the three combo boxes, slider, file list.
    EXPECT_TRUE(dlg.result ==
                (RESULT{true, BST_CHECKED, BST_UNCHECKED, BST_CHECKED, "ch7", "4", "5", 2, "XAUI", 7, 1}));
}

TEST_F(HeadlessDialog, EditsAndCombosFollowTheirStyles) {
    TEST_DIALOG dlg;
    ASSERT_TRUE(dlg.create_from_template());
    dlg.SendMessage(WM_INITDIALOG, 0, 0);
    dlg.ShowWindow(SW_SHOW);
    auto* name = static_cast<CEdit*>(dlg.GetDlgItem(IDC_NAME));
    bwizc_user_set_focus(name);
    name->SetSel(0, -1);
    bwizc_user_type(name, "ab\bc");
    EXPECT_EQ(name->GetWindowText(), "ac");
    name->SetLimitText(3);
    bwizc_user_type(name, "xyz");
    EXPECT_EQ(name->GetWindowText(), "acx");
    name->ModifyStyle(0, ES_NUMBER);
    name->SetLimitText(0);
    name->SetSel(0, -1);
    dlg.since_mark();
    bwizc_user_type(name, "1a2");
    EXPECT_EQ(name->GetWindowText(), "12");
    EXPECT_EQ(dlg.since_mark().size(), 2u);  // the refused "a" changes nothing
    name->SetReadOnly(TRUE);
    EXPECT_FALSE(bwizc_user_type(name, "9"));
    // A drop-down list has no edit field to type into.
    EXPECT_FALSE(bwizc_user_type(dlg.GetDlgItem(IDC_DROPLIST), "x"));
    auto* dropdown = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_DROPDOWN));
    EXPECT_EQ(dropdown->GetCurSel(), 1);
    bwizc_user_select_all(dropdown);
    bwizc_user_paste(dropdown, "3125");
    EXPECT_EQ(dropdown->GetCurSel(), -1);  // typed text is not a chosen item
    EXPECT_EQ(dropdown->FindStringExact(-1, "3125"), 3);
    EXPECT_EQ(dropdown->FindStringExact(-1, "3126"), CB_ERR);
    EXPECT_EQ(dropdown->SetCurSel(9), CB_ERR);
    EXPECT_EQ(dropdown->GetWindowText(), "");
    dlg.DestroyWindow();
}

TEST_F(HeadlessDialog, LoopRunsOnlyWhileThereIsSomethingToDoAndReportsTheDialogStuck) {
    CString message;
    CDialog* reported = nullptr;
    bwizc_set_deadlock_handler([&](CDialog* d, const CString& m) {
        reported = d;
        message = m;
    });
    // A dialog ended in its initialisation returns without a loop.
    TEST_DIALOG ended;
    ended.end_in_init = true;
    int driver_calls = 0;
    bwizc_set_input_driver([&](CDialog*) {
        ++driver_calls;
        return false;
    });
    EXPECT_EQ(ended.DoModal(), IDCANCEL);
    EXPECT_EQ(driver_calls, 0);
    EXPECT_FALSE(ended.shown_when_destroyed);
    EXPECT_EQ(reported, nullptr);
    EXPECT_FALSE(ended.IsWindow());
    EXPECT_FALSE(ended.is_in_modal_loop());

    bwizc_set_input_driver(nullptr);
    TEST_DIALOG dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(reported, &dlg);
    EXPECT_NE(message.Find("\"Platform test dialog\""), -1) << message.c_str();
    EXPECT_NE(message.Find("no input driver"), -1) << message.c_str();

    // A driver that runs out of actions leaves the loop just as stuck.
    TEST_DIALOG second;
    int calls = 0;
    bwizc_set_input_driver([&](CDialog*) { return ++calls < 3; });
    message.Empty();
    EXPECT_EQ(second.DoModal(), -1);
    EXPECT_EQ(calls, 3);
    EXPECT_NE(message.Find("input driver has nothing more to do"), -1) << message.c_str();
}

TEST_F(HeadlessDialog, PendingWorkerReplyKeepsLoopWaitingUntilPostedMessageArrives) {
    TEST_DIALOG dlg;
    const UINT reply = RegisterWindowMessage("platform-test-worker-reply");
    std::thread::id handled_on;
    dlg.set_message_handler(reply, [&](WPARAM wParam, LPARAM lParam) -> LRESULT {
        handled_on = std::this_thread::get_id();
        dlg.EndDialog(static_cast<int>(wParam + static_cast<WPARAM>(lParam)));
        return 0;
    });
    bool deadlock = false;
    bwizc_set_deadlock_handler([&](CDialog*, const CString&) { deadlock = true; });
    std::thread worker;
    BWIZC_INPUT_SCRIPT script;
    script.then([&](CDialog* d) {
        HWND target = d->m_hWnd;
        bwizc_pending_reply_begin();
        worker = std::thread([target, reply] {
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            PostMessage(target, reply, 40, 2);
            bwizc_pending_reply_end();
        });
        return true;
    });
    script.install();
    EXPECT_EQ(dlg.DoModal(), 42);
    worker.join();
    EXPECT_FALSE(deadlock);
    EXPECT_EQ(handled_on, std::this_thread::get_id());
    EXPECT_EQ(bwizc_pending_reply_count(), 0);
}

TEST_F(HeadlessDialog, ItemsAreLaidOutInDialogUnitsOfTheDialogFont) {
    TEST_DIALOG dlg;
    ASSERT_TRUE(dlg.create_from_template());
    // Liberation Sans at 8 points: 6 x 13 base units.
    EXPECT_EQ(dlg.get_base_units(), CSize(6, 13));
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(420, 325));  // 280 x 200 dialog units
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME)->get_rect(), CRect(218, 33, 398, 55));
    // A closed drop-down combo box is one edit line high, a simple one keeps its height.
    EXPECT_EQ(dlg.GetDlgItem(IDC_DROPDOWN)->get_rect().Height(), 21);
    EXPECT_EQ(dlg.GetDlgItem(IDC_SIMPLE)->get_rect().Height(), 65);
    LOGFONT lf = dlg.GetDlgItem(IDC_LABEL)->get_effective_font();
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(dlg.GetDefID(), static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)));
    dlg.DestroyWindow();
}

namespace {
// A control that handles its own notifications first, as the toolkit's do.
class REFLECTING_EDIT : public CEdit {
public:
    std::vector<CString>* order = nullptr;
    bool consume = false;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT*) override {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) order->push_back("control");
        return consume;
    }
};
}  // namespace

TEST_F(HeadlessDialog, CommandsReachTheControlBeforeTheParent) {
    TEST_DIALOG dlg;
    ASSERT_TRUE(dlg.create_from_template());
    dlg.ShowWindow(SW_SHOW);
    std::vector<CString> order;
    dlg.set_command_handler(IDC_NAME, EN_CHANGE, [&] { order.push_back("parent"); });
    REFLECTING_EDIT edit;
    edit.order = &order;
    CWnd* template_item = dlg.GetDlgItem(IDC_NAME);
    HWND handle = template_item->m_hWnd;
    template_item->SetWindowText("keep");
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_NAME, &dlg));
    // The object took over the window and its state.
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME), &edit);
    EXPECT_EQ(edit.m_hWnd, handle);
    EXPECT_EQ(CWnd::FromHandle(handle), &edit);
    EXPECT_EQ(edit.GetWindowText(), "keep");
    // A second object cannot take the same window.
    CEdit other;
    EXPECT_FALSE(other.SubclassDlgItem(IDC_NAME, &dlg));

    bwizc_user_type(&edit, "x");
    EXPECT_EQ(order, (std::vector<CString>{"control", "parent"}));
    order.clear();
    edit.consume = true;
    bwizc_user_type(&edit, "y");
    EXPECT_EQ(order, std::vector<CString>{"control"});

    // The object outlives the window: destroying the dialog leaves it without one.
    dlg.DestroyWindow();
    EXPECT_FALSE(edit.IsWindow());
    EXPECT_EQ(CWnd::FromHandle(handle), nullptr);
}

TEST_F(HeadlessDialog, NestedModalLoopsEndInnermostFirst) {
    TEST_DIALOG outer, inner;
    std::vector<CString> seen;
    BWIZC_INPUT_SCRIPT script;
    script
        .then([&](CDialog* d) {
            EXPECT_EQ(d, &outer);
            EXPECT_EQ(inner.DoModal(), IDCANCEL);
            seen.push_back("inner returned");
            return true;
        })
        .then([&](CDialog* d) {
            EXPECT_EQ(d, &outer);
            seen.push_back("outer");
            return bwizc_user_key(d, VK_ESCAPE);
        });
    // The inner loop takes its own first step from the same driver.
    BWIZC_INPUT_SCRIPT* s = &script;
    bwizc_set_input_driver([&, s](CDialog* d) {
        if (d == &inner) {
            EXPECT_EQ(CDialog::get_modal_stack().back(), &inner);
            seen.push_back("inner");
            return bwizc_user_close(d);
        }
        return (*s)(d);
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(seen, (std::vector<CString>{"inner", "inner returned", "outer"}));
}
