#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/user_input.h"

TEST(Window, GeometryIsRelativeToTheParentAndVisibilityFollowsTheChain) {
    CWnd top;
    ASSERT_TRUE(top.Create(nullptr, "top", 0, CRect(100, 50, 400, 250), nullptr, 1));
    CStatic panel;
    panel.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 120), &top, 2);
    CButton button;
    button.Create("OK", WS_CHILD | WS_VISIBLE, CRect(5, 6, 55, 26), &panel, 3);
    CRect r;
    button.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(115, 76, 165, 96));
    button.GetClientRect(&r);
    EXPECT_EQ(r, CRect(0, 0, 50, 20));
    CPoint pt(120, 80);
    button.ScreenToClient(&pt);
    EXPECT_EQ(pt, CPoint(5, 4));
    button.ClientToScreen(&pt);
    EXPECT_EQ(pt, CPoint(120, 80));

    // Visible only when every parent is.
    EXPECT_FALSE(button.IsWindowVisible());
    top.ShowWindow(SW_SHOW);
    EXPECT_TRUE(button.IsWindowVisible());
    panel.ShowWindow(SW_HIDE);
    EXPECT_FALSE(button.IsWindowVisible());
    EXPECT_TRUE(button.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(panel.GetStyle() & WS_VISIBLE);

    // EnableWindow answers whether the window was disabled before.
    EXPECT_FALSE(button.EnableWindow(FALSE));
    EXPECT_TRUE(button.EnableWindow(TRUE));

    // Moving keeps the size unless asked; resizing tells the window.
    struct SIZED : CStatic {
        CSize last{-1, -1};
        void OnSize(UINT, int cx, int cy) override { last = CSize(cx, cy); }
    } sized;
    sized.Create("", WS_CHILD, CRect(0, 0, 10, 10), &top, 4);
    sized.SetWindowPos(nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(sized.get_rect(), CRect(30, 40, 40, 50));
    EXPECT_EQ(sized.last, CSize(-1, -1));
    sized.SetWindowPos(nullptr, 0, 0, 25, 15, SWP_NOMOVE);
    EXPECT_EQ(sized.get_rect(), CRect(30, 40, 55, 55));
    EXPECT_EQ(sized.last, CSize(25, 15));

    // Destroying the top destroys the children; their objects stay usable.
    HWND button_handle = button.m_hWnd;
    top.DestroyWindow();
    EXPECT_FALSE(button.IsWindow());
    EXPECT_FALSE(panel.IsWindow());
    EXPECT_EQ(CWnd::FromHandle(button_handle), nullptr);
    EXPECT_TRUE(button.Create("again", WS_CHILD, CRect(), nullptr, 3));
    EXPECT_NE(button.m_hWnd, button_handle);  // handles are never reused
}

TEST(Window, FocusMovesWithKillBeforeSetAndDialogHelpersFindItems) {
    BWIZC_DIALOG_TEMPLATE t;
    t.id = 4300;
    t.cx = 100;
    t.cy = 60;
    t.items = {BWIZC_DIALOG_ITEM::edit_text(1, 0, 0, 50, 12), BWIZC_DIALOG_ITEM::edit_text(2, 0, 14, 50, 12),
               BWIZC_DIALOG_ITEM::radio_button(3, "a", 0, 28, 20, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP),
               BWIZC_DIALOG_ITEM::radio_button(4, "b", 20, 28, 20, 10),
               BWIZC_DIALOG_ITEM::radio_button(5, "c", 40, 28, 20, 10, BS_AUTORADIOBUTTON | WS_GROUP)};
    struct LOGGING : CDialog {
        using CDialog::CDialog;
        std::vector<std::pair<UINT, UINT>> log;
        BOOL OnCommand(WPARAM w, LPARAM l) override {
            log.emplace_back(LOWORD(w), HIWORD(w));
            return CDialog::OnCommand(w, l);
        }
    } dlg(&t);
    ASSERT_TRUE(dlg.create_from_template());
    dlg.ShowWindow(SW_SHOW);
    dlg.GetDlgItem(1)->SetFocus();
    dlg.GetDlgItem(2)->SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(2));
    EXPECT_EQ(dlg.log, (std::vector<std::pair<UINT, UINT>>{{1, EN_SETFOCUS}, {1, EN_KILLFOCUS}, {2, EN_SETFOCUS}}));
    // Tab goes on to the next tab stop, wrapping around.
    EXPECT_EQ(dlg.GetNextDlgTabItem(dlg.GetDlgItem(2)), dlg.GetDlgItem(3));
    EXPECT_EQ(dlg.GetNextDlgTabItem(dlg.GetDlgItem(3)), dlg.GetDlgItem(1));
    EXPECT_EQ(dlg.GetNextDlgTabItem(dlg.GetDlgItem(1), TRUE), dlg.GetDlgItem(3));

    // Automatic radio buttons clear the others of their group only.
    dlg.CheckDlgButton(5, BST_CHECKED);
    bwizc_user_click(&dlg, 3);
    bwizc_user_click(&dlg, 4);
    EXPECT_EQ(dlg.IsDlgButtonChecked(3), 0u);
    EXPECT_EQ(dlg.IsDlgButtonChecked(4), 1u);
    EXPECT_EQ(dlg.IsDlgButtonChecked(5), 1u);
    dlg.CheckRadioButton(3, 5, 3);
    EXPECT_EQ(dlg.IsDlgButtonChecked(3) + dlg.IsDlgButtonChecked(4) + dlg.IsDlgButtonChecked(5), 1u);

    dlg.SetDlgItemInt(1, static_cast<UINT>(-12));
    BOOL ok = FALSE;
    EXPECT_EQ(static_cast<int>(dlg.GetDlgItemInt(1, &ok)), -12);
    EXPECT_TRUE(ok);
    dlg.SetDlgItemText(1, "12a");
    EXPECT_EQ(dlg.GetDlgItemInt(1, &ok), 0u);
    EXPECT_FALSE(ok);
    dlg.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

TEST(Controls, ListsKeepSelectionAndDataInStepWithTheirItems) {
    // Hears the cells the user clicks in a list.
    struct PARENT : CWnd {
        std::vector<int> cells;
        BOOL OnNotify(WPARAM, LPARAM l, LRESULT*) override {
            auto* nm = reinterpret_cast<NMLISTVIEW*>(l);
            if (nm->hdr.code == NM_CLICK) cells.push_back(nm->iItem * 10 + nm->iSubItem);
            return TRUE;
        }
    } parent;
    parent.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 1);
    CComboBox sorted;
    sorted.Create(CBS_DROPDOWNLIST | CBS_SORT | WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 2);
    EXPECT_EQ(sorted.AddString("beta"), 0);
    EXPECT_EQ(sorted.AddString("Alpha"), 0);
    EXPECT_EQ(sorted.AddString("gamma"), 2);
    EXPECT_EQ(sorted.AddString(nullptr), CB_ERR);
    sorted.SetItemData(2, 77);
    EXPECT_EQ(sorted.SetCurSel(2), 2);
    EXPECT_EQ(sorted.GetWindowText(), "gamma");
    // Deleting before the selection keeps the same item selected.
    EXPECT_EQ(sorted.DeleteString(0), 2);
    EXPECT_EQ(sorted.GetCurSel(), 1);
    EXPECT_EQ(sorted.GetItemData(1), 77u);
    EXPECT_EQ(sorted.FindStringExact(-1, "GAMMA"), 1);  // case does not matter
    EXPECT_EQ(sorted.FindString(-1, "BE"), 0);
    EXPECT_EQ(sorted.SelectString(-1, "be"), 0);
    EXPECT_EQ(sorted.GetLBText(0), "beta");
    EXPECT_EQ(sorted.GetLBText(5), "");
    EXPECT_EQ(sorted.InsertString(9, "x"), CB_ERR);
    sorted.ResetContent();
    EXPECT_EQ(sorted.GetCurSel(), -1);
    EXPECT_EQ(sorted.GetWindowText(), "");

    CListCtrl files;
    files.Create(LVS_REPORT | WS_CHILD | WS_VISIBLE, CRect(0, 30, 300, 200), &parent, 3);
    files.InsertColumn(0, "File", LVCFMT_LEFT, 120);
    files.InsertColumn(1, "Description", LVCFMT_LEFT, 150);
    for (int i = 0; i < 3; ++i) files.InsertItem(i, "f", 0);
    files.SetItemText(2, 1, "third");
    EXPECT_EQ(files.GetItemText(2, 1), "third");
    EXPECT_EQ(files.GetItemText(1, 1), "");
    CRect row;
    ASSERT_TRUE(files.GetItemRect(2, &row));
    int col = -1;
    EXPECT_EQ(files.HitTest(CPoint(130, row.top + 1), &col), 2);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(files.HitTest(CPoint(5, 2)), -1);  // the header
    EXPECT_EQ(files.HitTest(CPoint(280, row.top + 1)), -1);  // right of the columns
    files.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    files.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(files.GetNextSelected(), 2);
    EXPECT_EQ(files.GetItemState(0, LVIS_SELECTED), 0u);

    // A click in the list reaches the parent as the user's click on that cell.
    files.GetItemRect(1, &row);
    files.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(125, static_cast<unsigned>(row.top + 2)));
    EXPECT_EQ(parent.cells, std::vector<int>{11});
    EXPECT_EQ(files.GetNextSelected(), 1);
}

TEST(Controls, SlidersAndSpinButtonsStayInTheirRange) {
    struct PARENT : CWnd {
        int refuse_below = -1000;
        std::vector<int> deltas;
        BOOL OnNotify(WPARAM, LPARAM l, LRESULT* r) override {
            auto* nm = reinterpret_cast<NMUPDOWN*>(l);
            deltas.push_back(nm->iDelta);
            *r = nm->iPos + nm->iDelta < refuse_below ? 1 : 0;
            return TRUE;
        }
    } host;
    host.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 5);
    CSliderCtrl slider;
    slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 100, 100, 120), &host, 2);
    slider.SetRange(-5, 5);
    slider.SetPos(9);
    EXPECT_EQ(slider.GetPos(), 5);
    slider.SetRange(0, 3);
    EXPECT_EQ(slider.GetPos(), 3);
    EXPECT_TRUE(bwizc_user_move_slider(&slider, -10));
    EXPECT_EQ(slider.GetPos(), 0);

    CEdit buddy;
    buddy.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &host, 6);
    CSpinButtonCtrl spin;
    spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, CRect(40, 0, 56, 20), &host, 7);
    spin.SetRange(0, 2);
    spin.SetBuddy(&buddy);
    EXPECT_TRUE(bwizc_user_spin(&spin, 1));
    EXPECT_TRUE(bwizc_user_spin(&spin, 5));
    EXPECT_EQ(spin.GetPos(), 2);
    EXPECT_EQ(buddy.GetWindowText(), "2");
    host.refuse_below = 2;
    spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 18));  // lower half: down
    EXPECT_EQ(spin.GetPos(), 2);  // the parent refused
    EXPECT_EQ(host.deltas, (std::vector<int>{1, 5, -1}));
}

TEST(Controls, OwnerDrawnButtonIsClickedByPressAndReleaseOnIt) {
    struct PARENT : CWnd {
        int clicks = 0;
        BOOL OnCommand(WPARAM w, LPARAM) override {
            if (HIWORD(w) == BN_CLICKED && LOWORD(w) == 8) ++clicks;
            return TRUE;
        }
    } host;
    host.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 1);
    CButton flat;
    flat.Create("Next", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 60, 30), &host, 8);
    flat.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    flat.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.clicks, 1);
    EXPECT_EQ(CWnd::GetFocus(), &flat);
    flat.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(70, 5));  // released outside: no click
    flat.EnableWindow(FALSE);
    flat.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // disabled: no click
    EXPECT_EQ(host.clicks, 1);
}
