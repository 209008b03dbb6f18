#include "toolkit/ccombo_box.h"

#include <algorithm>

#include "platform/messages.h"
#include "platform/registered_messages.h"
#include "support/bwizc_global.h"
#include "toolkit/crvalue_text.h"

// --------------------------------------------------------------- CCOMBO_BOX

CCOMBO_BOX::CCOMBO_BOX() { set_base_wnd(this); }

BOOL CCOMBO_BOX::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CComboBox::Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | m_combo_style | style, rect, parent, id)) {
        return FALSE;
    }
    if (owner != nullptr && owner != parent) SetOwner(owner);
    return TRUE;
}

void CCOMBO_BOX::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) { raise_event(message, notify_code); }

void CCOMBO_BOX::on_attach_control() { make_transparent(); }

// -------------------------------------------------------------- CRCOMBO_BOX

void CRCOMBO_BOX::set_value(const CString& text) {
    const DWORD kind = GetStyle() & CBS_TYPEMASK;
    if (kind == CBS_DROPDOWNLIST) {
        const int index = FindStringExact(-1, text);
        if (index == CB_ERR) return;
        SetCurSel(index);
        update_state(WM_COMMAND, CBN_SELCHANGE, 0, 0);
    } else if (kind == CBS_DROPDOWN) {
        SetWindowText(text);
        update_state(WM_COMMAND, CBN_EDITCHANGE, 0, 0);
    }
}

void CRCOMBO_BOX::set_value_no_notify(const CString& text) {
    m_notify_enabled = false;
    set_value(text);
    m_notify_enabled = true;
}

void CRCOMBO_BOX::set_cur_sel(int index) {
    if (SetCurSel(index) == CB_ERR) SetCurSel(0);
    const int selected = GetCurSel();
    m_value = selected >= 0 ? GetLBText(selected) : GetWindowText();
    update_state(WM_COMMAND, CBN_SELCHANGE, 0, 0);
}

int CRCOMBO_BOX::set_cur_sel(const CString& text, const CString& fallback) {
    int index = FindStringExact(-1, text);
    if (index == CB_ERR) index = FindStringExact(-1, fallback);
    if (index == CB_ERR) return -1;
    SetCurSel(index);
    return index;
}

void CRCOMBO_BOX::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) {
    if (notify_code == CBN_SELCHANGE) {
        m_prev_value = m_value;
        m_value = GetWindowText();
        const int selected = GetCurSel();
        if (selected >= 0) m_value = GetLBText(selected);
    } else if (notify_code == CBN_EDITCHANGE) {
        m_prev_value = m_value;
        m_value = GetWindowText();
    }
    m_event->set_val(m_value);
    m_event->set_prev_val(m_prev_value);
    raise_event(message, notify_code);
}

void CRCOMBO_BOX::on_ddx_value(SAVE_CHECK_MODE mode, CString& text) {
    switch (mode) {
    case DDX_SAVE: text = m_value; break;
    case DDX_RESTORE: m_value = text; break;
    case DDX_APPLY: set_value(CString(m_value)); break;
    }
}

BOOL CRCOMBO_BOX::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const BOOL consumed = CCOMBO_BOX::OnChildNotify(message, wParam, lParam, result);
    if (message == WM_COMMAND) {
        const UINT code = HIWORD(wParam);
        if (code == CBN_SELCHANGE || code == CBN_KILLFOCUS || code == CBN_EDITCHANGE) {
            update_state(WM_COMMAND, code, 0, 0);
        }
    }
    return consumed;
}

// ------------------------------------------------------ CRCOMBO_BOX_NUMERIC

void CRCOMBO_BOX_NUMERIC::set_val(int value) {
    m_value = bwizc_global_int2str(value);
    set_value(CString(m_value));
}

void CRCOMBO_BOX_NUMERIC::set_value_no_notify(int value) {
    m_notify_enabled = false;
    set_val(value);
    m_notify_enabled = true;
}

int CRCOMBO_BOX_NUMERIC::add_item(int value) { return AddString(bwizc_global_int2str(value)); }

int CRCOMBO_BOX_NUMERIC::get_val_int() const { return bwizc_global_str2int(m_value); }

int CRCOMBO_BOX_NUMERIC::get_prev_val_int() const { return bwizc_global_str2int(m_prev_value); }

void CRCOMBO_BOX_NUMERIC::OnChar(UINT ch, UINT repeat, UINT flags) {
    m_prev_value = GetWindowText();
    const bool digit = ch >= '0' && ch <= '9';
    if (!digit && ch != CRVALUE_TEXT_KEY_BACKSPACE) return;
    if (digit && has_edit_field() && GetWindowText() == "0") {
        SetWindowText("");
        SetEditSel(0, 0);
    }
    CRCOMBO_BOX::OnChar(ch, repeat, flags);
}

// ----------------------------------------------- CRCOMBO_BOX_WITH_ITEM_DATA

int CRCOMBO_BOX_WITH_ITEM_DATA::add_item(const CString& text, unsigned long data) {
    const int index = AddString(text);
    if (index < 0) return -1;
    SetItemData(index, static_cast<DWORD_PTR>(data));
    return index;
}

// ---------------------------------------------------- CRCOMBO_BOX_WITH_ICON

int CRCOMBO_BOX_WITH_ICON::add_item(const CString& text, int icon_index, unsigned long data) {
    const int index = CRCOMBO_BOX_WITH_ITEM_DATA::add_item(text, data);
    if (index < 0) return -1;
    m_icon_indexes.insert(m_icon_indexes.begin() + std::min<size_t>(static_cast<size_t>(index), m_icon_indexes.size()),
                          icon_index);
    return index;
}

unsigned long CRCOMBO_BOX_WITH_ICON::get_item_data(const CString& text) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (GetLBText(i) == text) return static_cast<unsigned long>(GetItemData(i));
    }
    return 0;
}

CString CRCOMBO_BOX_WITH_ICON::get_item_text(int index) const {
    return (index >= 0 && index < GetCount()) ? GetLBText(index) : CString();
}

int CRCOMBO_BOX_WITH_ICON::get_item_icon_index(int index) const {
    return (index >= 0 && index < static_cast<int>(m_icon_indexes.size())) ? m_icon_indexes[static_cast<size_t>(index)]
                                                                            : -1;
}

void CRCOMBO_BOX_WITH_ICON::reset_contents() {
    ResetContent();
    m_icon_indexes.clear();
    m_value.Empty();
    m_prev_value.Empty();
}

// ---------------------------------------------------------- CCOMBOBOX_RADIX

namespace {
constexpr int RADIX_OF_INDEX[CCOMBOBOX_RADIX::RADIX_COUNT] = {10, 2, 16, 8};
const char* const RADIX_LABELS[CCOMBOBOX_RADIX::RADIX_COUNT] = {"Dec", "Bin", "Hex", "Oct"};
}  // namespace

CCOMBOBOX_RADIX::CCOMBOBOX_RADIX() {
    set_base_wnd(this);
    for (int i = 0; i < RADIX_COUNT; ++i) m_labels[i] = RADIX_LABELS[i];
}

int CCOMBOBOX_RADIX::radix_of_label_index(int index) {
    return (index >= 0 && index < RADIX_COUNT) ? RADIX_OF_INDEX[index] : -1;
}

CString CCOMBOBOX_RADIX::get_radix_label(int index) {
    return (index >= 0 && index < RADIX_COUNT) ? CString(RADIX_LABELS[index]) : CString();
}

BOOL CCOMBOBOX_RADIX::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CComboBox::Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | style, rect, parent, id)) return FALSE;
    if (owner != nullptr && owner != parent) SetOwner(owner);
    fill_labels();
    return TRUE;
}

void CCOMBOBOX_RADIX::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) {
    m_event->set_val(m_radix);
    raise_event(message, notify_code);
}

void CCOMBOBOX_RADIX::on_attach_control() {
    make_transparent();
    fill_labels();
}

void CCOMBOBOX_RADIX::fill_labels() {
    ResetContent();
    int selected = 0;
    for (int i = 0; i < RADIX_COUNT; ++i) {
        AddString(m_labels[i]);
        if (RADIX_OF_INDEX[i] == m_radix) selected = i;
    }
    SetCurSel(selected);
}

bool CCOMBOBOX_RADIX::set_radix(int radix) {
    for (int i = 0; i < RADIX_COUNT; ++i) {
        if (RADIX_OF_INDEX[i] != radix) continue;
        SetCurSel(i);
        m_radix = radix;
        send_radix_to_buddy();
        return true;
    }
    return false;
}

void CCOMBOBOX_RADIX::send_radix_to_buddy() {
    if (m_buddy != nullptr && m_buddy->IsWindow()) {
        m_buddy->SendMessage(RegisterWindowMessage(BWIZC_TOOLKIT_MSG_NAME), static_cast<WPARAM>(m_radix), 0);
    }
}

BOOL CCOMBOBOX_RADIX::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        const int radix = radix_of_label_index(GetCurSel());
        if (radix > 0) {
            m_radix = radix;
            send_radix_to_buddy();
            update_state(WM_COMMAND, CBN_SELCHANGE, 0, 0);
        }
    }
    return CComboBox::OnChildNotify(message, wParam, lParam, result);
}
