// The value identity of a control whose value belongs to the saved
// configuration: its CNX private id, its default, and the text exchange
// with the page's private records.
#pragma once

#include "platform/cstring.h"

class CRVALUE_NOTIFIER {
public:
    // 0 save (control value into the text), 1 restore (text into the control
    // value, silently), 2 apply (push the held value into the window and notify).
    enum SAVE_CHECK_MODE { DDX_SAVE = 0, DDX_RESTORE = 1, DDX_APPLY = 2 };

    virtual ~CRVALUE_NOTIFIER() = default;
    virtual void on_ddx_value(SAVE_CHECK_MODE mode, CString& text) { (void)mode; (void)text; }
    virtual CString get_cnx_id() const { return m_cnx_id; }
    virtual void set_cnx_id(const CString& id) { m_cnx_id = id; }
    virtual void set_included_in_cnx(bool included) { m_included_in_cnx = included; }
    virtual bool is_included_in_cnx() const { return m_included_in_cnx; }
    virtual void set_default(const CString& value) { m_default = value; }
    virtual void set_default(int value);
    virtual void set_default(float value);
    virtual void set_default(bool value, bool unused);
    virtual CString get_def_val() const { return m_default; }

private:
    CString m_cnx_id;
    CString m_default;
    bool m_included_in_cnx = false;
};
