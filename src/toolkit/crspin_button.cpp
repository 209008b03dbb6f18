#include "toolkit/crspin_button.h"

#include "support/bwizc_global.h"

CRSPIN_BUTTON::CRSPIN_BUTTON() { set_base_wnd(this); }

BOOL CRSPIN_BUTTON::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CSpinButtonCtrl::Create(WS_CHILD | WS_VISIBLE | style, rect, parent, id)) return FALSE;
    if (owner != nullptr && owner != parent) SetOwner(owner);
    return TRUE;
}

void CRSPIN_BUTTON::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) {
    m_event->set_val(m_delta);
    m_event->set_prev_val(GetPos());
    raise_event(message, notify_code);
}

BOOL CRSPIN_BUTTON::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_NOTIFY && lParam != 0) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == UDN_DELTAPOS) {
            m_delta = reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta;
            update_state(WM_NOTIFY, UDN_DELTAPOS, 0, 0);
        }
    }
    return CSpinButtonCtrl::OnChildNotify(message, wParam, lParam, result);
}

void CRSPIN_BUTTON::on_ddx_value(SAVE_CHECK_MODE mode, CString& text) {
    switch (mode) {
    case DDX_SAVE: text = bwizc_global_int2str(GetPos()); break;
    case DDX_RESTORE: SetPos(bwizc_global_str2int(text)); break;
    case DDX_APPLY: break;
    }
}
