#include "wizard/crdialog.h"

#include "platform/registered_messages.h"
#include "support/bwizc_global.h"

CRDIALOG::CRDIALOG() { install_handlers(); }

CRDIALOG::CRDIALOG(UINT template_id, CWnd* parent) : CDialog(template_id, parent) { install_handlers(); }

CRDIALOG::~CRDIALOG() = default;

void CRDIALOG::install_handlers() {
    set_message_handler(WM_BWIZC_BROWSER_LAUNCH_REQUESTED,
                        [this](WPARAM w, LPARAM l) { return on_browser_launch_requested(w, l); });
}

void CRDIALOG::on_action_performed(CRABSTRACT_EVENT* /*event*/) {}

void CRDIALOG::add_border_panel(CPANEL* panel, const CString& name) {
    if (panel) {
        m_border_panels[name] = panel;
    } else {
        m_border_panels.erase(name);
    }
}

CPANEL* CRDIALOG::get_border_panel(const CString& name) {
    auto it = m_border_panels.find(name);
    return it == m_border_panels.end() ? nullptr : it->second;
}

void CRDIALOG::move_control(CWnd* control, int dx, int dy) {
    if (!control || !control->IsWindow()) return;
    CRect rect = control->get_rect();
    rect.OffsetRect(dx, dy);
    control->MoveWindow(rect, FALSE);
}

bool CRDIALOG::is_border_panel_window(CWnd* /*wnd*/) { return false; }

void CRDIALOG::move_dialog_controls(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    const std::vector<CWnd*> children = get_children();
    for (CWnd* child : children) {
        if (!is_border_panel_window(child)) move_control(child, dx, dy);
    }
}

void CRDIALOG::modify_dialog_controls(const CSize& /*offset*/) {}

void CRDIALOG::register_control(CCONTROL* control, UINT id) {
    if (control) m_controls[id] = control;
}

CCONTROL* CRDIALOG::get_control_from_resource_id(UINT id) {
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

LRESULT CRDIALOG::on_browser_launch_requested(WPARAM /*wparam*/, LPARAM lparam) {
    const CString* url = reinterpret_cast<const CString*>(lparam);
    if (url && !url->IsEmpty()) bwizc_global_launch_browser(*url);
    return 0;
}
