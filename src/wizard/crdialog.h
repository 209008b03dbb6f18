// CRDIALOG: a dialog that listens to its controls, knows them by resource id
// and carries named border panels around its own controls.
#pragma once

#include <map>

#include "platform/dialog.h"
#include "toolkit/crsubject.h"

class CCONTROL;
class CPANEL;

class CRDIALOG : public CDialog, public CRLISTENER {
public:
    CRDIALOG();
    explicit CRDIALOG(UINT template_id, CWnd* parent = nullptr);
    ~CRDIALOG() override;

    // What the page does once it has accepted its new state; nothing here.
    virtual void update_dialog_on_ok() {}
    // What the page does when it is left without being accepted.
    virtual void restore_dialog_on_cancel() {}
    void on_action_performed(CRABSTRACT_EVENT* event) override;

    // Border panels by position name ("OUTER_BOTTOM", ...); not owned. A
    // null panel removes the entry.
    virtual void add_border_panel(CPANEL* panel, const CString& name);
    virtual CPANEL* get_border_panel(const CString& name);
    void forget_border_panels() { m_border_panels.clear(); }

    // Moves a control by (dx, dy) within the dialog.
    virtual void move_control(CWnd* control, int dx, int dy);
    // Moves every child window that is not a border panel's control.
    virtual void move_dialog_controls(int dx, int dy);
    // Adjusts the template's controls to the page frame; the offset is the
    // margin kept around them.
    virtual void modify_dialog_controls(const CSize& offset);

    virtual void register_control(CCONTROL* control, UINT id);
    virtual CCONTROL* get_control_from_resource_id(UINT id);

    // Opens the documentation URL that lParam points to (a CString).
    virtual LRESULT on_browser_launch_requested(WPARAM wparam, LPARAM lparam);

protected:
    // Windows of border-panel controls: not moved with the page's own controls.
    virtual bool is_border_panel_window(CWnd* wnd);

private:
    void install_handlers();

    std::map<UINT, CCONTROL*> m_controls;
    std::map<CString, CPANEL*> m_border_panels;
};
