// Edit boxes: free text, integers (decimal, hexadecimal, any radix) and
// floating-point numbers. Each filters what the user may type, keeps its
// value as text and raises a change with code 0x300 when the value changes.
#pragma once

#include "platform/controls.h"
#include "platform/dc.h"
#include "toolkit/ccontrol.h"
#include "toolkit/crvalue_notifier.h"
#include "toolkit/crvalue_text.h"

class CEDIT_BOX : public CEdit, public CCONTROL {
public:
    CString get_ui_delegate_class_id() const override { return "CEDIT_BOX_UI_DELEGATE"; }
    CEDIT_BOX();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;
    void on_attach_control() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    virtual void on_gain_focus() {}
    // The user left the box; a change with code 0x200 follows.
    virtual void on_kill_focus() {}
    virtual void on_edit_changed();
};

class CREDIT_BOX : public CEDIT_BOX, public CRVALUE_NOTIFIER {
public:
    // Shows the text and raises one change, unless the box shows it already.
    virtual void set_value(const CString& text);
    virtual void set_value_no_notify(const CString& text);
    virtual CString get_val_string() const { return m_value; }
    virtual CString get_prev_val_string() const { return m_prev_value; }
    void on_gain_focus() override;
    void on_kill_focus() override;
    void on_edit_changed() override;
    void on_ddx_value(SAVE_CHECK_MODE mode, CString& text) override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;

protected:
    CString m_value;
    CString m_prev_value;
    int m_sel_start = 0;
    int m_sel_end = 0;
};

// Decimal integers; a minus sign only when negatives are allowed.
class CREDIT_BOX_INTEGER : public CREDIT_BOX {
public:
    CREDIT_BOX_INTEGER(int minimum = -2147483647 - 1, int maximum = 2147483647, bool no_negative = true)
        : m_minimum(minimum), m_maximum(maximum), m_no_negative(no_negative) {}
    using CREDIT_BOX::set_value;
    virtual void set_value(int value);
    virtual int get_val_int() const;
    void set_range(int minimum, int maximum) { m_minimum = minimum; m_maximum = maximum; }
    void set_no_negative(bool no_negative) { m_no_negative = no_negative; }
    bool is_in_range() const;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;

protected:
    int m_minimum;
    int m_maximum;
    bool m_no_negative;
};

// Hexadecimal integers shown as "0x" and upper-case digits, in a
// fixed-pitch face one unit larger than the dialog font.
class CREDIT_BOX_INTEGER_HEX : public CREDIT_BOX_INTEGER {
public:
    void on_attach_control() override;
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    void on_edit_changed() override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    CFont* get_fixed_font() { return &m_fixed_font; }

private:
    void use_fixed_font();
    CFont m_fixed_font;
};

// Floating-point fields: digits, one point and, when allowed, a leading
// minus; leaving the box clamps the number into the range and shows it with
// the configured digits after the point.
template <class REAL>
class CREDIT_BOX_REAL : public CREDIT_BOX {
public:
    CREDIT_BOX_REAL(int digits, REAL minimum, REAL maximum, bool no_negative)
        : m_digits(digits), m_minimum(minimum), m_maximum(maximum), m_no_negative(no_negative) {}
    using CREDIT_BOX::set_value;
    virtual void set_value(REAL value);
    bool is_in_range() const;
    void on_kill_focus() override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;

protected:
    int m_digits;
    REAL m_minimum;
    REAL m_maximum;
    bool m_no_negative;
};

class CREDIT_BOX_FLOAT : public CREDIT_BOX_REAL<float> {
public:
    CREDIT_BOX_FLOAT(int digits = 2, float minimum = -3.4e38f, float maximum = 3.4e38f, bool no_negative = true)
        : CREDIT_BOX_REAL<float>(digits, minimum, maximum, no_negative) {}
};

class CREDIT_BOX_DOUBLE : public CREDIT_BOX_REAL<double> {
public:
    CREDIT_BOX_DOUBLE(int digits = 2, double minimum = -1.0e308, double maximum = 1.0e308, bool no_negative = true)
        : CREDIT_BOX_REAL<double>(digits, minimum, maximum, no_negative) {}
};

// An integer field whose radix a radix combo box can switch; the text is
// converted to the new radix when it does.
class CEDIT_BOX_INTEGER_RADIX : public CEdit, public CCONTROL {
public:
    CString get_ui_delegate_class_id() const override { return "CEDIT_BOX_UI_DELEGATE"; }
    CEDIT_BOX_INTEGER_RADIX();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;
    void on_attach_control() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;

    virtual void on_radix_changed(int radix);
    static CString convert_value_to_radix(const CString& text, int from, int to);
    // The decimal text of a number written in `radix`.
    static CString get_string_value_from_radix(const CString& text, int radix);

    int get_radix() const { return m_radix; }
    void set_negative_allowed(bool allowed) { m_negative_allowed = allowed; }
    bool is_negative_allowed() const { return m_negative_allowed; }

    virtual void on_gain_focus() {}
    virtual void on_kill_focus() {}
    virtual void on_edit_changed();

protected:
    int m_radix = 10;
    bool m_negative_allowed = false;
};

class CREDIT_BOX_INTEGER_RADIX : public CEDIT_BOX_INTEGER_RADIX, public CRVALUE_NOTIFIER {
public:
    // Shows the number in decimal and raises one change.
    virtual void set_value(int value);
    virtual void set_value_string(const CString& text);
    virtual void set_value_no_notify(int value);
    virtual CString get_val_string() const { return m_value; }
    virtual CString get_prev_val_string() const { return m_prev_value; }
    virtual int get_val_int() const;
    void on_gain_focus() override;
    void on_kill_focus() override;
    void on_edit_changed() override;
    void on_radix_changed(int radix) override;
    void on_ddx_value(SAVE_CHECK_MODE mode, CString& text) override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;

protected:
    CString m_value;
    CString m_prev_value;
    int m_sel_start = 0;
    int m_sel_end = 0;
};
