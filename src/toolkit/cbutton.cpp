#include "toolkit/cbutton.h"

#include <algorithm>

#include "support/bwizc_global.h"
#include "toolkit/crradio_button_group.h"
#include "toolkit/crui_look_and_feel.h"

namespace {

bool is_click(UINT message, WPARAM wParam) {
    return message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED;
}

}  // namespace

// ------------------------------------------------------------------ CBUTTON

CBUTTON::CBUTTON() { set_base_wnd(this); }

BOOL CBUTTON::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CButton::Create(GetWindowText(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | style, rect, parent, id)) {
        return FALSE;
    }
    if (owner != nullptr && owner != parent) SetOwner(owner);
    return TRUE;
}

void CBUTTON::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) { raise_event(message, notify_code); }

void CBUTTON::on_attach_control() {
    if (get_ui_delegate() != nullptr) ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

BOOL CBUTTON::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (is_click(message, wParam)) on_clicked();
    // The parent still sees the command (a dialog's OK and Cancel need it).
    return CButton::OnChildNotify(message, wParam, lParam, result);
}

LRESULT CBUTTON::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (get_ui_delegate() != nullptr) window_proc(message, wParam, lParam);
    if (message == WM_PAINT && crui_paint_with_delegate(this)) return 0;
    return CButton::WindowProc(message, wParam, lParam);
}

void CBUTTON::on_clicked() { update_state(WM_COMMAND, BN_CLICKED, 0, 0); }

// ------------------------------------------------------------ CCHECK_BUTTON

CCHECK_BUTTON::CCHECK_BUTTON() { set_base_wnd(this); }

BOOL CCHECK_BUTTON::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CButton::Create(GetWindowText(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | m_button_style | style, rect, parent, id)) {
        return FALSE;
    }
    if (owner != nullptr && owner != parent) SetOwner(owner);
    SetCheck(m_check_state);
    return TRUE;
}

void CCHECK_BUTTON::set_value(bool value) {
    m_prev_value = m_value;
    m_value = value;
    apply_check_state(value ? BST_CHECKED : BST_UNCHECKED, true);
    update_state(WM_COMMAND, BN_CLICKED, 0, 0);
}

void CCHECK_BUTTON::set_value_no_notify(bool value) {
    m_notify_enabled = false;
    set_value(value);
    m_notify_enabled = true;
}

bool CCHECK_BUTTON::is_button_checked() const {
    return m_check_state == BST_CHECKED || m_check_state == BST_INDETERMINATE;
}

bool CCHECK_BUTTON::is_button_indeterminate() const { return m_check_state == BST_INDETERMINATE; }

bool CCHECK_BUTTON::get_check() const { return m_check_state != BST_UNCHECKED; }

void CCHECK_BUTTON::set_check(bool check, bool repaint) {
    apply_check_state(check ? BST_CHECKED : BST_UNCHECKED, repaint);
}

COLORREF CCHECK_BUTTON::get_default_hover_color() const { return BWIZC_COLOR_GRAY; }
COLORREF CCHECK_BUTTON::get_default_check_mark_color() const { return BWIZC_COLOR_BLACK; }
COLORREF CCHECK_BUTTON::get_default_disabled_check_mark_color() const { return BWIZC_COLOR_GRAY; }
COLORREF CCHECK_BUTTON::get_default_indeterminate_check_mark_color() const { return BWIZC_COLOR_GRAY; }

void CCHECK_BUTTON::on_attach_control() {
    // Only the automatic three-state kind clicks through indeterminate; the
    // manual one toggles like a two-state box.
    const DWORD kind = GetButtonStyle();
    if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE || kind == BS_AUTO3STATE) {
        m_button_style = kind;
    }
    // The dialog item may start checked; the toolkit's state follows it.
    m_check_state = GetCheck();
    make_transparent();
    if (get_ui_delegate() != nullptr) ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

void CCHECK_BUTTON::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) {
    m_prev_value = m_value;
    m_value = m_check_state != BST_UNCHECKED;
    m_event->set_val(m_value ? 1 : 0);
    m_event->set_prev_val(m_prev_value ? 1 : 0);
    raise_event(message, notify_code);
}

BOOL CCHECK_BUTTON::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (is_click(message, wParam)) on_clicked();
    return CButton::OnChildNotify(message, wParam, lParam, result);
}

LRESULT CCHECK_BUTTON::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (get_ui_delegate() != nullptr) window_proc(message, wParam, lParam);
    if (message == WM_PAINT && crui_paint_with_delegate(this)) return 0;
    return CButton::WindowProc(message, wParam, lParam);
}

void CCHECK_BUTTON::on_clicked() {
    // The toolkit's own state decides, whatever the native button did on its own.
    int next = BST_UNCHECKED;
    if (m_check_state == BST_UNCHECKED) next = (m_button_style == BS_AUTO3STATE) ? BST_INDETERMINATE : BST_CHECKED;
    apply_check_state(next, true);
}

void CCHECK_BUTTON::apply_check_state(int state, bool repaint) {
    m_check_state = state;
    // The window's check state follows in both drawings, so that what the
    // window holds is what is shown.
    if (is_valid_window()) SetCheck(state);
    if (get_ui_delegate() != nullptr && repaint) update();
}

// ------------------------------------------------------------ CRADIO_BUTTON

CRADIO_BUTTON::CRADIO_BUTTON() { set_base_wnd(this); }

BOOL CRADIO_BUTTON::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CButton::Create(GetWindowText(), WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | style, rect, parent, id)) {
        return FALSE;
    }
    if (owner != nullptr && owner != parent) SetOwner(owner);
    SetCheck(m_check_state);
    return TRUE;
}

void CRADIO_BUTTON::set_value(bool value) {
    m_prev_value = m_value;
    m_value = value;
    apply_check_state(value ? BST_CHECKED : BST_UNCHECKED, true);
    update_state(WM_COMMAND, BN_CLICKED, 0, 0);
}

void CRADIO_BUTTON::set_value_no_notify(bool value) {
    m_notify_enabled = false;
    set_value(value);
    m_notify_enabled = true;
}

int CRADIO_BUTTON::get_check_state() const {
    // Without a delegate the window is the truth: an automatic radio button
    // unchecks its neighbours natively when the user picks it.
    if (get_ui_delegate() == nullptr && is_valid_window()) return GetCheck();
    return m_check_state;
}

bool CRADIO_BUTTON::is_button_checked() const { return get_check_state() == BST_CHECKED; }

bool CRADIO_BUTTON::get_check() const { return get_check_state() != BST_UNCHECKED; }

void CRADIO_BUTTON::set_check(bool check, bool repaint) {
    apply_check_state(check ? BST_CHECKED : BST_UNCHECKED, repaint);
}

COLORREF CRADIO_BUTTON::get_default_hover_color() const { return BWIZC_COLOR_GRAY; }
COLORREF CRADIO_BUTTON::get_default_check_mark_color() const { return BWIZC_COLOR_BLACK; }
COLORREF CRADIO_BUTTON::get_default_disabled_check_mark_color() const { return BWIZC_COLOR_GRAY; }

void CRADIO_BUTTON::on_attach_control() {
    m_check_state = GetCheck();
    make_transparent();
    if (get_ui_delegate() != nullptr) ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

void CRADIO_BUTTON::take_values_from_check_state() {
    m_prev_value = m_value;
    m_value = get_check_state() != BST_UNCHECKED;
    m_event->set_val(m_value ? 1 : 0);
    m_event->set_prev_val(m_prev_value ? 1 : 0);
}

void CRADIO_BUTTON::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) {
    take_values_from_check_state();
    raise_event(message, notify_code);
}

BOOL CRADIO_BUTTON::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (is_click(message, wParam)) on_clicked();
    return CButton::OnChildNotify(message, wParam, lParam, result);
}

LRESULT CRADIO_BUTTON::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (get_ui_delegate() != nullptr) window_proc(message, wParam, lParam);
    if (message == WM_PAINT && crui_paint_with_delegate(this)) return 0;
    return CButton::WindowProc(message, wParam, lParam);
}

void CRADIO_BUTTON::uncheck_owner_drawn_group_siblings() {
    if (get_ui_delegate() == nullptr) return;
    for (CWnd* sibling : get_group_siblings()) {
        auto* other = dynamic_cast<CRADIO_BUTTON*>(sibling);
        if (other && other != this && other->m_check_state != BST_UNCHECKED) other->apply_check_state(BST_UNCHECKED, true);
    }
}

void CRADIO_BUTTON::on_clicked() {
    apply_check_state(BST_CHECKED, true);
    uncheck_owner_drawn_group_siblings();
    if (m_group != nullptr) {
        take_values_from_check_state();
        m_event->set_notify_message(WM_COMMAND, BN_CLICKED);
        m_event->set_source_control(this);
        m_group->on_action_performed(m_event.get());
    }
}

void CRADIO_BUTTON::apply_check_state(int state, bool repaint) {
    m_check_state = state;
    // The window's check state follows in both drawings, so that what the
    // window holds is what is shown.
    if (is_valid_window()) SetCheck(state);
    if (get_ui_delegate() != nullptr && repaint) update();
}

// ----------------------------------------------------------- value variants

void CRCHECK_BUTTON::on_ddx_value(SAVE_CHECK_MODE mode, CString& text) {
    switch (mode) {
    case DDX_SAVE: text = m_value ? "1" : "0"; break;
    case DDX_RESTORE: m_value = bwizc_global_str2bool(text); break;
    case DDX_APPLY:
        apply_check_state(m_value ? BST_CHECKED : BST_UNCHECKED, true);
        update_state(WM_COMMAND, BN_CLICKED, 0, 0);
        break;
    }
}

void CRCHECK_BUTTON::on_clicked() {
    CCHECK_BUTTON::on_clicked();
    update_state(WM_COMMAND, BN_CLICKED, 0, 0);
}

void CRRADIO_BUTTON::on_ddx_value(SAVE_CHECK_MODE mode, CString& text) {
    switch (mode) {
    case DDX_SAVE: text = m_value ? "1" : "0"; break;
    case DDX_RESTORE:
        m_prev_value = m_value;
        m_value = bwizc_global_str2bool(text);
        break;
    case DDX_APPLY:
        apply_check_state(m_value ? BST_CHECKED : BST_UNCHECKED, true);
        update_state(WM_COMMAND, BN_CLICKED, 0, 0);
        break;
    }
}

void CRRADIO_BUTTON::on_clicked() {
    apply_check_state(BST_CHECKED, true);
    uncheck_owner_drawn_group_siblings();
    update_state(WM_COMMAND, BN_CLICKED, 0, 0);
}
