// The control base: a window-backed element that is at once a subject (its
// listeners hear its changes) and a listener (panels hear their children).
#pragma once

#include <cstdint>
#include <memory>

#include "support/bwizc_collections.h"
#include "toolkit/crcontrol_event.h"
#include "toolkit/crsubject.h"
#include "toolkit/crui_element.h"

class CCONTROL : public CRUI_ELEMENT, public CRSUBJECT, public CRLISTENER {
public:
    CCONTROL();
    ~CCONTROL() override;

    // Binds the control to the dialog's item `id` (unless it has a window
    // already), adds `listener` and lets the control adjust its window.
    virtual BOOL attach_control(UINT id, CWnd* dialog, CRLISTENER* listener);
    virtual bool is_control_enabled() const { return is_enabled(); }
    virtual void enable_control(bool enable_it) { enable(enable_it); }
    virtual bool is_control_visible() const { return is_visible(); }
    virtual void show_control(bool show_it) { show(show_it); }
    // Hands the event to the listeners when notifying is on and the event's
    // code is enabled (result 0), else sends nothing (result 1). Notifying is
    // on again afterwards in both cases.
    virtual int notify_all(CRCONTROL_EVENT* event);
    void on_action_performed(CRABSTRACT_EVENT* event) override { (void)event; }
    virtual void set_action_command(const CString& command);
    virtual CString get_action_command() const { return m_action_command; }
    virtual void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam);
    virtual void on_attach_control() {}

    // The native notification codes the owner wants to hear about.
    void enable_message(std::uint32_t code);
    void disable_message(std::uint32_t code);
    bool is_msg_enabled(std::uint32_t code) const;

    // Off suppresses the next event only: notify_all switches it on again.
    void set_notify_enabled(bool enabled) { m_notify_enabled = enabled; }
    bool is_notify_enabled() const { return m_notify_enabled; }
    CRCONTROL_EVENT* get_event() const { return m_event.get(); }

protected:
    // Fills in the event header with this control as its source and sends it.
    int raise_event(UINT message, UINT notify_code);
    // Adds the transparent extended style to the control's window.
    void make_transparent();

    CString m_action_command;
    std::unique_ptr<CRCONTROL_EVENT> m_event;
    bool m_notify_enabled = true;
    BWIZC_ARRAY<unsigned long> m_enabled_codes;
};
