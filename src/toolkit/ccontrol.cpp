#include "toolkit/ccontrol.h"

#include "platform/window.h"

CCONTROL::CCONTROL()
    : CRLISTENER(false), m_event(std::make_unique<CRCONTROL_EVENT>()), m_enabled_codes(10, 10) {}

CCONTROL::~CCONTROL() = default;

BOOL CCONTROL::attach_control(UINT id, CWnd* dialog, CRLISTENER* listener) {
    BOOL ok = TRUE;
    if (!is_valid_window()) {
        CWnd* wnd = get_base_wnd();
        ok = (wnd != nullptr && dialog != nullptr) ? wnd->SubclassDlgItem(id, dialog) : FALSE;
    }
    if (ok && get_ui_delegate() != nullptr) {
        get_base_wnd()->SetWindowLongPtr(GWLP_USERDATA, reinterpret_cast<std::intptr_t>(this));
    }
    add_listener(listener);
    if (ok) on_attach_control();
    if (ok && get_ui_delegate() != nullptr) get_ui_delegate()->install(this);
    return ok;
}

int CCONTROL::notify_all(CRCONTROL_EVENT* event) {
    int result = 1;
    if (event != nullptr && m_notify_enabled && is_msg_enabled(event->get_notify_code())) {
        CCONTROL* source = event->get_source_control();
        CWnd* wnd = source ? source->get_base_wnd() : nullptr;
        event->set_control_id(wnd ? static_cast<std::uint32_t>(wnd->GetDlgCtrlID()) : 0u);
        notify_listeners(event);
        result = 0;
    }
    m_notify_enabled = true;
    return result;
}

void CCONTROL::set_action_command(const CString& command) {
    m_action_command = command;
    m_event->set_action_command(command);
}

void CCONTROL::update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) {
    (void)message, (void)notify_code, (void)wParam, (void)lParam;
}

void CCONTROL::enable_message(std::uint32_t code) {
    if (!is_msg_enabled(code)) m_enabled_codes.add(code);
}

void CCONTROL::disable_message(std::uint32_t code) {
    while (m_enabled_codes.remove(code)) {
    }
}

bool CCONTROL::is_msg_enabled(std::uint32_t code) const { return m_enabled_codes.contains(code); }

int CCONTROL::raise_event(UINT message, UINT notify_code) {
    m_event->set_notify_message(message, notify_code);
    m_event->set_source_control(this);
    return notify_all(m_event.get());
}

void CCONTROL::make_transparent() {
    if (is_valid_window()) get_base_wnd()->ModifyStyleEx(0, WS_EX_TRANSPARENT);
}
