#include "platform/user_input.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/platform_internal.h"
#include "platform/window.h"

namespace {

// What a user can reach: a live, enabled window that is shown (with its parents).
bool reachable(CWnd* w) {
    if (!w || !w->m_hWnd || !w->IsWindowVisible()) return false;
    for (CWnd* p = w; p; p = p->GetParent())
        if (!p->IsWindowEnabled()) return false;
    return true;
}

bool editable(CWnd* w) {
    if (!reachable(w)) return false;
    const BWIZC_WND_STATE& s = w->state();
    if (s.kind == BWIZC_KIND_EDIT) return (s.style & ES_READONLY) == 0;
    return s.kind == BWIZC_KIND_COMBOBOX && (s.style & CBS_TYPEMASK) != CBS_DROPDOWNLIST;
}

// The focus moves to w unless it has it; false when w went away meanwhile.
bool focus(CWnd* w) {
    HWND h = w->m_hWnd;
    if (CWnd::GetFocus() != w) w->SetFocus();
    return CWnd::IsWindow(h);
}

void uncheck_group_siblings(CWnd* button) {
    for (CWnd* w : button->get_group_siblings()) {
        if (w == button || w->get_kind() != BWIZC_KIND_BUTTON) continue;
        if ((w->GetStyle() & BS_TYPEMASK) != BS_AUTORADIOBUTTON || w->state().check == 0) continue;
        w->mutable_state().check = 0;
        w->notify_changed(BWIZC_CHANGED_CHECK);
    }
}

}  // namespace

bool bwizc_user_set_focus(CWnd* ctrl) {
    if (!reachable(ctrl)) return false;
    return focus(ctrl);
}

bool bwizc_user_click(CWnd* ctrl) {
    if (!reachable(ctrl) || ctrl->get_kind() != BWIZC_KIND_BUTTON) return false;
    DWORD type = ctrl->GetStyle() & BS_TYPEMASK;
    if (type == BS_GROUPBOX) return false;
    if (!focus(ctrl)) return true;
    BWIZC_WND_STATE& s = ctrl->mutable_state();
    switch (type) {
    case BS_AUTOCHECKBOX:
        s.check = s.check ? BST_UNCHECKED : BST_CHECKED;
        ctrl->notify_changed(BWIZC_CHANGED_CHECK);
        break;
    case BS_AUTO3STATE:
        s.check = (s.check + 1) % 3;
        ctrl->notify_changed(BWIZC_CHANGED_CHECK);
        break;
    case BS_AUTORADIOBUTTON:
        if (s.check != BST_CHECKED) {
            s.check = BST_CHECKED;
            ctrl->notify_changed(BWIZC_CHANGED_CHECK);
        }
        uncheck_group_siblings(ctrl);
        break;
    default:
        break;
    }
    ctrl->notify_parent_command(BN_CLICKED);
    return true;
}

bool bwizc_user_select(CWnd* ctrl, int index) {
    if (!reachable(ctrl)) return false;
    BWIZC_WND_KIND kind = ctrl->get_kind();
    if (kind != BWIZC_KIND_COMBOBOX && kind != BWIZC_KIND_LISTBOX && kind != BWIZC_KIND_LISTCTRL) return false;
    if (index < 0 || index >= static_cast<int>(ctrl->state().items.size())) return false;
    if (!focus(ctrl)) return true;
    BWIZC_WND_STATE& s = ctrl->mutable_state();
    if (s.cur_sel == index) return true;
    if (kind == BWIZC_KIND_LISTCTRL) {
        for (auto& it : s.items) it.state &= ~(LVIS_SELECTED | LVIS_FOCUSED);
        s.items[static_cast<size_t>(index)].state |= LVIS_SELECTED | LVIS_FOCUSED;
        s.cur_sel = index;
        ctrl->notify_changed(BWIZC_CHANGED_SELECTION);
        NMLISTVIEW nm;
        nm.iItem = index;
        nm.uNewState = LVIS_SELECTED | LVIS_FOCUSED;
        nm.uChanged = LVIF_STATE;
        ctrl->notify_parent(&nm.hdr, LVN_ITEMCHANGED);
        return true;
    }
    s.cur_sel = index;
    if (kind == BWIZC_KIND_COMBOBOX) {
        s.text = s.items[static_cast<size_t>(index)].text;
        s.sel_start = 0;
        s.sel_end = s.text.GetLength();
        s.dropped = false;
        ctrl->notify_changed(BWIZC_CHANGED_SELECTION | BWIZC_CHANGED_TEXT);
        ctrl->notify_parent_command(CBN_SELCHANGE);
    } else {
        ctrl->notify_changed(BWIZC_CHANGED_SELECTION);
        if (s.style & LBS_NOTIFY) ctrl->notify_parent_command(LBN_SELCHANGE);
    }
    return true;
}

bool bwizc_user_select_text(CWnd* ctrl, const CString& text) {
    if (!ctrl) return false;
    const auto& items = ctrl->state().items;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].text == text) return bwizc_user_select(ctrl, static_cast<int>(i));
    return false;
}

bool bwizc_user_type(CWnd* ctrl, const CString& chars) {
    if (!editable(ctrl)) return false;
    HWND h = ctrl->m_hWnd;
    if (!focus(ctrl)) return true;
    for (unsigned cp : bwizc_utf8_code_points(chars.str())) {
        CWnd* w = CWnd::FromHandle(h);
        if (!w) break;
        w->SendMessage(WM_CHAR, cp, 1);
    }
    return true;
}

bool bwizc_user_select_all(CWnd* ctrl) {
    if (!editable(ctrl)) return false;
    BWIZC_WND_STATE& s = ctrl->mutable_state();
    s.sel_start = 0;
    s.sel_end = s.text.GetLength();
    ctrl->notify_changed(BWIZC_CHANGED_SELECTION);
    return true;
}

bool bwizc_user_paste(CWnd* ctrl, const CString& text) {
    if (!editable(ctrl)) return false;
    if (!focus(ctrl)) return true;
    BWIZC_WND_STATE& s = ctrl->mutable_state();
    std::string t = s.text.str();
    int len = static_cast<int>(t.size());
    int a = std::clamp(std::min(s.sel_start, s.sel_end), 0, len);
    int b = std::clamp(std::max(s.sel_start, s.sel_end), 0, len);
    std::string ins = text.str();
    if (s.limit_text > 0 && len - (b - a) + static_cast<int>(ins.size()) > s.limit_text)
        ins.resize(static_cast<size_t>(std::max(0, s.limit_text - (len - (b - a)))));
    t.replace(static_cast<size_t>(a), static_cast<size_t>(b - a), ins);
    s.text = CString(t);
    s.sel_start = s.sel_end = a + static_cast<int>(ins.size());
    bool is_edit = s.kind == BWIZC_KIND_EDIT;
    if (!is_edit) s.cur_sel = -1;
    ctrl->notify_changed(BWIZC_CHANGED_TEXT | BWIZC_CHANGED_SELECTION);
    ctrl->notify_parent_command(is_edit ? EN_CHANGE : CBN_EDITCHANGE);
    return true;
}

bool bwizc_user_move_slider(CWnd* ctrl, int pos) {
    if (!reachable(ctrl) || ctrl->get_kind() != BWIZC_KIND_SLIDER) return false;
    if (!focus(ctrl)) return true;
    BWIZC_WND_STATE& s = ctrl->mutable_state();
    int p = std::clamp(pos, std::min(s.range_min, s.range_max), std::max(s.range_min, s.range_max));
    if (p == s.pos) return true;
    s.pos = p;
    ctrl->notify_changed(BWIZC_CHANGED_POS);
    CWnd* parent = ctrl->GetParent();
    if (parent)
        parent->SendMessage((s.style & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL,
                            MAKEWPARAM(TB_THUMBPOSITION, static_cast<unsigned>(p)), reinterpret_cast<LPARAM>(ctrl->m_hWnd));
    return true;
}

bool bwizc_user_spin(CWnd* ctrl, int delta) {
    if (!reachable(ctrl) || ctrl->get_kind() != BWIZC_KIND_SPIN) return false;
    HWND h = ctrl->m_hWnd;
    NMUPDOWN nm;
    nm.iPos = ctrl->state().pos;
    nm.iDelta = delta;
    LRESULT refused = ctrl->notify_parent(&nm.hdr, UDN_DELTAPOS);
    CWnd* w = CWnd::FromHandle(h);
    if (refused || !w) return true;
    BWIZC_WND_STATE& s = w->mutable_state();
    int p = std::clamp(s.pos + nm.iDelta, std::min(s.range_min, s.range_max), std::max(s.range_min, s.range_max));
    if (p != s.pos) {
        s.pos = p;
        w->notify_changed(BWIZC_CHANGED_POS);
        if (CWnd* buddy = CWnd::FromHandle(s.buddy); buddy && (s.style & UDS_SETBUDDYINT)) {
            CString t;
            t.Format("%d", p);
            buddy->SetWindowText(t);
        }
    }
    return true;
}

bool bwizc_user_click_list_item(CWnd* ctrl, int item, int sub_item, int x_in_cell) {
    if (!reachable(ctrl) || ctrl->get_kind() != BWIZC_KIND_LISTCTRL) return false;
    auto* list = dynamic_cast<CListCtrl*>(ctrl);
    if (!list || item < 0 || item >= list->GetItemCount() || sub_item < 0 || sub_item >= list->GetColumnCount())
        return false;
    HWND h = ctrl->m_hWnd;
    if (!bwizc_user_select(ctrl, item) && list->state().cur_sel != item) return false;
    list = dynamic_cast<CListCtrl*>(CWnd::FromHandle(h));
    if (!list) return true;
    CRect row;
    list->GetItemRect(item, &row);
    int x = 0;
    for (int c = 0; c < sub_item; ++c) x += list->GetColumnWidth(c);
    NMLISTVIEW nm;
    nm.iItem = item;
    nm.iSubItem = sub_item;
    nm.ptActionX = x + x_in_cell;
    nm.ptActionY = row.top + row.Height() / 2;
    list->notify_parent(&nm.hdr, NM_CLICK);
    return true;
}

bool bwizc_user_key(CWnd* dialog, UINT vk) {
    if (!reachable(dialog)) return false;
    switch (vk) {
    case VK_RETURN: {
        DWORD def = static_cast<DWORD>(dialog->SendMessage(DM_GETDEFID));
        UINT id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : static_cast<UINT>(IDOK);
        CWnd* button = dialog->GetDlgItem(static_cast<int>(id));
        if (button) return bwizc_user_click(button);
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        return true;
    }
    case VK_ESCAPE: {
        CWnd* button = dialog->GetDlgItem(IDCANCEL);
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button ? button->m_hWnd : nullptr));
        return true;
    }
    case VK_TAB: {
        CWnd* next = dialog->GetNextDlgTabItem(CWnd::GetFocus());
        return next && bwizc_user_set_focus(next);
    }
    default:
        return false;
    }
}

bool bwizc_user_close(CWnd* dialog) {
    if (!dialog || !dialog->m_hWnd) return false;
    dialog->SendMessage(WM_CLOSE);
    return true;
}

bool bwizc_user_click(CWnd* dialog, UINT id) { return dialog && bwizc_user_click(dialog->GetDlgItem(static_cast<int>(id))); }
bool bwizc_user_select(CWnd* dialog, UINT id, int index) {
    return dialog && bwizc_user_select(dialog->GetDlgItem(static_cast<int>(id)), index);
}
bool bwizc_user_select_text(CWnd* dialog, UINT id, const CString& text) {
    return dialog && bwizc_user_select_text(dialog->GetDlgItem(static_cast<int>(id)), text);
}
bool bwizc_user_type(CWnd* dialog, UINT id, const CString& chars) {
    return dialog && bwizc_user_type(dialog->GetDlgItem(static_cast<int>(id)), chars);
}
bool bwizc_user_set_focus(CWnd* dialog, UINT id) {
    return dialog && bwizc_user_set_focus(dialog->GetDlgItem(static_cast<int>(id)));
}
bool bwizc_user_move_slider(CWnd* dialog, UINT id, int pos) {
    return dialog && bwizc_user_move_slider(dialog->GetDlgItem(static_cast<int>(id)), pos);
}
