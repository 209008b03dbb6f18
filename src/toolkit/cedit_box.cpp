#include "toolkit/cedit_box.h"

#include <algorithm>
#include <cstdlib>

#include "platform/messages.h"
#include "platform/registered_messages.h"
#include "support/bwizc_global.h"

namespace {

bool is_digit(UINT ch) { return ch >= '0' && ch <= '9'; }

int caret_of(const CEdit& edit) {
    int start = 0, end = 0;
    edit.GetSel(start, end);
    return start;
}

// A field showing exactly "0" is emptied before a digit goes in, so typing
// 7 gives 7 rather than 07.
void clear_lone_zero(CEdit& edit, UINT ch) {
    if (is_digit(ch) && edit.GetWindowText() == "0") {
        edit.SetWindowText("");
        edit.SetSel(0, 0);
    }
}

// The keys of the decimal fields: digits, backspace, a leading minus when
// negatives are allowed and none is there, and one point when wanted.
bool number_key_accepted(const CEdit& edit, UINT ch, bool no_negative, bool point_allowed) {
    if (ch == CRVALUE_TEXT_KEY_BACKSPACE || is_digit(ch)) return true;
    const CString text = edit.GetWindowText();
    if (ch == '-') return !no_negative && caret_of(edit) == 0 && text.Find('-') < 0;
    if (ch == '.') return point_allowed && text.Find('.') < 0;
    return false;
}

// Text changes, focus gains and focus losses of an edit reach the box's
// handlers; a focus loss is then reported with code 0x200.
template <class BOX>
void route_edit_notification(BOX& box, UINT message, WPARAM wParam) {
    if (message != WM_COMMAND) return;
    switch (HIWORD(wParam)) {
    case EN_CHANGE: box.on_edit_changed(); break;
    case EN_SETFOCUS: box.on_gain_focus(); break;
    case EN_KILLFOCUS:
        box.on_kill_focus();
        box.update_state(WM_COMMAND, EN_KILLFOCUS, 0, 0);
        break;
    default: break;
    }
}

}  // namespace

// ---------------------------------------------------------------- CEDIT_BOX

CEDIT_BOX::CEDIT_BOX() { set_base_wnd(this); }

BOOL CEDIT_BOX::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CEdit::Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | style, rect, parent, id)) return FALSE;
    if (owner != nullptr && owner != parent) SetOwner(owner);
    return TRUE;
}

void CEDIT_BOX::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) { raise_event(message, notify_code); }

void CEDIT_BOX::on_attach_control() { make_transparent(); }

BOOL CEDIT_BOX::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    route_edit_notification(*this, message, wParam);
    return CEdit::OnChildNotify(message, wParam, lParam, result);
}

void CEDIT_BOX::on_edit_changed() {
    if (m_notify_enabled) update_state(WM_COMMAND, EN_CHANGE, 0, 0);
}

// --------------------------------------------------------------- CREDIT_BOX

void CREDIT_BOX::set_value(const CString& text) {
    if (is_valid_window() && GetWindowText() == text) return;
    // Showing text is no user edit, so the value moves here rather than on a
    // text-changed notification.
    m_prev_value = m_value;
    m_value = text;
    SetWindowText(text);
    update_state(WM_COMMAND, EN_CHANGE, 0, 0);
}

void CREDIT_BOX::set_value_no_notify(const CString& text) {
    m_notify_enabled = false;
    set_value(text);
    m_notify_enabled = true;
}

void CREDIT_BOX::on_gain_focus() {
    SetSel(m_sel_start, m_sel_end);  // the caret comes into view with it
}

void CREDIT_BOX::on_kill_focus() {
    GetSel(m_sel_start, m_sel_end);
    set_value(GetWindowText());
}

void CREDIT_BOX::on_edit_changed() {
    m_prev_value = m_value;
    m_value = GetWindowText();
    if (m_notify_enabled) update_state(WM_COMMAND, EN_CHANGE, 0, 0);
}

void CREDIT_BOX::on_ddx_value(SAVE_CHECK_MODE mode, CString& text) {
    switch (mode) {
    case DDX_SAVE: text = m_value; break;
    case DDX_RESTORE: m_value = text; break;
    case DDX_APPLY: set_value(CString(m_value)); break;
    }
}

void CREDIT_BOX::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) {
    m_event->set_val(m_value);
    m_event->set_prev_val(m_prev_value);
    raise_event(message, notify_code);
}

// ------------------------------------------------------- CREDIT_BOX_INTEGER

void CREDIT_BOX_INTEGER::set_value(int value) { set_value(bwizc_global_int2str(value)); }

int CREDIT_BOX_INTEGER::get_val_int() const { return bwizc_global_str2int(m_value); }

bool CREDIT_BOX_INTEGER::is_in_range() const {
    const int value = get_val_int();
    return value >= m_minimum && value <= m_maximum;
}

void CREDIT_BOX_INTEGER::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (!number_key_accepted(*this, ch, m_no_negative, false)) return;
    clear_lone_zero(*this, ch);
    CREDIT_BOX::OnChar(ch, repeat, flags);
}

// --------------------------------------------------- CREDIT_BOX_INTEGER_HEX

BOOL CREDIT_BOX_INTEGER_HEX::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CREDIT_BOX_INTEGER::create_element(id, rect, parent, owner, style)) return FALSE;
    use_fixed_font();
    return TRUE;
}

void CREDIT_BOX_INTEGER_HEX::on_attach_control() {
    CREDIT_BOX_INTEGER::on_attach_control();
    use_fixed_font();
}

void CREDIT_BOX_INTEGER_HEX::use_fixed_font() {
    CWnd* parent = GetParent();
    LOGFONT lf = parent ? parent->get_effective_font() : get_effective_font();
    lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight - 1 : lf.lfHeight + 1;
    bwizc_set_face_name(lf, "Courier");
    m_fixed_font.DeleteObject();
    m_fixed_font.CreateFontIndirect(&lf);
    SetFont(&m_fixed_font, FALSE);
}

void CREDIT_BOX_INTEGER_HEX::OnChar(UINT ch, UINT repeat, UINT flags) {
    const bool hex_digit = is_digit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
    if (!hex_digit && ch != CRVALUE_TEXT_KEY_BACKSPACE) return;
    // The "0x" in front can be neither selected nor deleted.
    int start = 0, end = 0;
    GetSel(start, end);
    const int prefix = GetWindowText().Left(2) == "0x" ? 2 : 0;
    if (ch == CRVALUE_TEXT_KEY_BACKSPACE && start == end && start <= prefix) return;
    if (start < prefix || end < prefix) SetSel(std::max(start, prefix), std::max(end, prefix));
    CEdit::OnChar(ch, repeat, flags);
}

void CREDIT_BOX_INTEGER_HEX::on_edit_changed() {
    const CString typed = GetWindowText();
    CString clean = typed;
    filter_non_hex(&clean);
    if (clean != typed) {
        int start = 0, end = 0;
        GetSel(start, end);
        const int caret = std::clamp(end + clean.GetLength() - typed.GetLength(), std::min(2, clean.GetLength()),
                                     clean.GetLength());
        SetWindowText(clean);
        SetSel(caret, caret);
    }
    CREDIT_BOX_INTEGER::on_edit_changed();
}

// ---------------------------------------------------- CREDIT_BOX_FLOAT/DOUBLE

namespace {
CString real_to_text(float value, int digits) { return bwizc_global_float2str(value, digits); }
CString real_to_text(double value, int digits) { return bwizc_global_double2str(value, digits); }
}  // namespace

template <class REAL>
void CREDIT_BOX_REAL<REAL>::set_value(REAL value) {
    value = std::clamp(value, m_minimum, m_maximum);
    m_prev_value = m_value;
    m_value = real_to_text(value, m_digits);
    SetWindowText(m_value);
    update_state(WM_COMMAND, EN_CHANGE, 0, 0);
}

template <class REAL>
bool CREDIT_BOX_REAL<REAL>::is_in_range() const {
    const REAL value = static_cast<REAL>(std::atof(m_value));
    return value >= m_minimum && value <= m_maximum;
}

template <class REAL>
void CREDIT_BOX_REAL<REAL>::on_kill_focus() {
    GetSel(m_sel_start, m_sel_end);
    set_value(static_cast<REAL>(std::atof(GetWindowText())));
}

template <class REAL>
void CREDIT_BOX_REAL<REAL>::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (!number_key_accepted(*this, ch, m_no_negative, true)) return;
    clear_lone_zero(*this, ch);
    CREDIT_BOX::OnChar(ch, repeat, flags);
}

template class CREDIT_BOX_REAL<float>;
template class CREDIT_BOX_REAL<double>;

// -------------------------------------------------- CEDIT_BOX_INTEGER_RADIX

CEDIT_BOX_INTEGER_RADIX::CEDIT_BOX_INTEGER_RADIX() {
    set_base_wnd(this);
    // The radix combo box tells its buddy about a new radix with the toolkit message.
    set_message_handler(RegisterWindowMessage(BWIZC_TOOLKIT_MSG_NAME), [this](WPARAM wParam, LPARAM) -> LRESULT {
        on_radix_changed(static_cast<int>(wParam));
        return 0;
    });
}

BOOL CEDIT_BOX_INTEGER_RADIX::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CEdit::Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | style, rect, parent, id)) return FALSE;
    if (owner != nullptr && owner != parent) SetOwner(owner);
    return TRUE;
}

void CEDIT_BOX_INTEGER_RADIX::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) {
    raise_event(message, notify_code);
}

void CEDIT_BOX_INTEGER_RADIX::on_attach_control() { make_transparent(); }

BOOL CEDIT_BOX_INTEGER_RADIX::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    route_edit_notification(*this, message, wParam);
    return CEdit::OnChildNotify(message, wParam, lParam, result);
}

void CEDIT_BOX_INTEGER_RADIX::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (!crvalue_text_radix_key_accepted(ch, m_radix, m_negative_allowed, caret_of(*this))) return;
    if (m_radix == 10) clear_lone_zero(*this, ch);
    CEdit::OnChar(ch, repeat, flags);
}

void CEDIT_BOX_INTEGER_RADIX::on_radix_changed(int radix) {
    if (radix < 1 || radix == m_radix) return;
    SetWindowText(convert_value_to_radix(GetWindowText(), m_radix, radix));
    m_radix = radix;
}

CString CEDIT_BOX_INTEGER_RADIX::convert_value_to_radix(const CString& text, int from, int to) {
    return crvalue_text_convert_radix(text, from, to);
}

CString CEDIT_BOX_INTEGER_RADIX::get_string_value_from_radix(const CString& text, int radix) {
    return crvalue_text_convert_radix(text, radix, 10);
}

void CEDIT_BOX_INTEGER_RADIX::on_edit_changed() {
    if (m_notify_enabled) update_state(WM_COMMAND, EN_CHANGE, 0, 0);
}

// ------------------------------------------------- CREDIT_BOX_INTEGER_RADIX

void CREDIT_BOX_INTEGER_RADIX::set_value(int value) { set_value_string(bwizc_global_int2str(value)); }

void CREDIT_BOX_INTEGER_RADIX::set_value_string(const CString& text) {
    m_prev_value = m_value;
    m_value = text;
    SetWindowText(text);
    update_state(WM_COMMAND, EN_CHANGE, 0, 0);
}

void CREDIT_BOX_INTEGER_RADIX::set_value_no_notify(int value) {
    m_notify_enabled = false;
    set_value(value);
    m_notify_enabled = true;
}

int CREDIT_BOX_INTEGER_RADIX::get_val_int() const { return bwizc_global_str2int(m_value); }

void CREDIT_BOX_INTEGER_RADIX::on_gain_focus() { SetSel(m_sel_start, m_sel_end); }

void CREDIT_BOX_INTEGER_RADIX::on_kill_focus() { GetSel(m_sel_start, m_sel_end); }

void CREDIT_BOX_INTEGER_RADIX::on_edit_changed() {
    m_prev_value = m_value;
    m_value = GetWindowText();
    // A change event of its own, so that a suppressed notification leaves
    // the control's reusable event untouched.
    CRCONTROL_EVENT event;
    event.set_action_command(get_action_command());
    event.set_val(m_value);
    event.set_prev_val(m_prev_value);
    event.set_notify_message(WM_COMMAND, EN_CHANGE);
    event.set_source_control(this);
    notify_all(&event);
}

void CREDIT_BOX_INTEGER_RADIX::on_radix_changed(int radix) {
    if (radix < 1 || radix == m_radix) return;
    CEDIT_BOX_INTEGER_RADIX::on_radix_changed(radix);
    // The same number in another radix: the value follows the text silently.
    m_value = GetWindowText();
}

void CREDIT_BOX_INTEGER_RADIX::on_ddx_value(SAVE_CHECK_MODE mode, CString& text) {
    switch (mode) {
    case DDX_SAVE: text = m_value; break;
    case DDX_RESTORE: m_value = text; break;
    case DDX_APPLY: set_value(bwizc_global_str2int(m_value)); break;
    }
}

void CREDIT_BOX_INTEGER_RADIX::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) {
    m_event->set_val(m_value);
    m_event->set_prev_val(m_prev_value);
    raise_event(message, notify_code);
}
