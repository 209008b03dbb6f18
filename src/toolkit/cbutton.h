// Push buttons, check boxes and radio buttons, plain and value-notifying.
#pragma once

#include "platform/controls.h"
#include "toolkit/ccontrol.h"
#include "toolkit/crvalue_notifier.h"

class CRRADIO_BUTTON_GROUP;

// A push button: a click raises a change with code 0 (button clicked).
class CBUTTON : public CButton, public CCONTROL {
public:
    CBUTTON();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;
    void on_attach_control() override;
    CString get_ui_delegate_class_id() const override { return "CBUTTON_UI_DELEGATE"; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The user clicked the button (the platform has already applied its own
    // automatic check change, which the toolkit controls override).
    virtual void on_clicked();
};

// Check box with two or three states (0 unchecked, 1 checked, 2 indeterminate).
// The plain kind changes its state on a click but raises nothing.
class CCHECK_BUTTON : public CButton, public CCONTROL {
public:
    CCHECK_BUTTON();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    virtual void set_value(bool value);
    virtual void set_value_no_notify(bool value);
    virtual bool get_val_bool() const { return m_value; }
    virtual bool get_prev_val_bool() const { return m_prev_value; }
    virtual bool is_button_checked() const;
    virtual bool is_button_indeterminate() const;
    virtual bool get_check() const;
    // The check state only: no values, no event.
    virtual void set_check(bool check, bool repaint);
    CString get_ui_delegate_class_id() const override { return "CCHECK_BUTTON_UI_DELEGATE"; }
    virtual COLORREF get_default_hover_color() const;
    virtual COLORREF get_default_check_mark_color() const;
    virtual COLORREF get_default_disabled_check_mark_color() const;
    virtual COLORREF get_default_indeterminate_check_mark_color() const;
    void on_attach_control() override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int get_check_state() const { return m_check_state; }
    // The automatic three-state kind cycles unchecked, indeterminate, unchecked.
    void set_three_state(bool three_state) { m_button_style = three_state ? BS_AUTO3STATE : BS_AUTOCHECKBOX; }

protected:
    virtual void on_clicked();
    // Sets the check state and shows it.
    void apply_check_state(int state, bool repaint);

    int m_check_state = BST_UNCHECKED;
    bool m_value = false;
    bool m_prev_value = false;
    DWORD m_button_style = BS_AUTOCHECKBOX;
};

// Radio button (0 or 1). A click never unchecks it. A plain radio button in a
// group reports its click straight to the group.
class CRADIO_BUTTON : public CButton, public CCONTROL {
public:
    CRADIO_BUTTON();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    virtual void set_value(bool value);
    virtual void set_value_no_notify(bool value);
    virtual bool get_val_bool() const { return m_value; }
    virtual bool get_prev_val_bool() const { return m_prev_value; }
    virtual bool is_button_checked() const;
    virtual bool get_check() const;
    virtual void set_check(bool check, bool repaint);
    CString get_ui_delegate_class_id() const override { return "CRADIO_BUTTON_UI_DELEGATE"; }
    virtual COLORREF get_default_hover_color() const;
    virtual COLORREF get_default_check_mark_color() const;
    virtual COLORREF get_default_disabled_check_mark_color() const;
    void on_attach_control() override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void set_group(CRRADIO_BUTTON_GROUP* group) { m_group = group; }
    CRRADIO_BUTTON_GROUP* get_group() const { return m_group; }
    int get_check_state() const;

protected:
    virtual void on_clicked();
    void apply_check_state(int state, bool repaint);
    // An owner-drawn radio button unchecks the others of its group itself,
    // as the platform does for a standard automatic one.
    void uncheck_owner_drawn_group_siblings();
    // Current into previous, current from the check state, both into the event.
    void take_values_from_check_state();

    int m_check_state = BST_UNCHECKED;
    bool m_value = false;
    bool m_prev_value = false;
    CRRADIO_BUTTON_GROUP* m_group = nullptr;
};

// A push button with a value identity.
class CRBUTTON : public CBUTTON, public CRVALUE_NOTIFIER {};

class CRCHECK_BUTTON : public CCHECK_BUTTON, public CRVALUE_NOTIFIER {
public:
    // Save gives "1" or "0"; restore reads the text as a boolean silently;
    // apply shows the held value and raises a change.
    void on_ddx_value(SAVE_CHECK_MODE mode, CString& text) override;

protected:
    void on_clicked() override;
};

class CRRADIO_BUTTON : public CRADIO_BUTTON, public CRVALUE_NOTIFIER {
public:
    void on_ddx_value(SAVE_CHECK_MODE mode, CString& text) override;

protected:
    void on_clicked() override;
};
