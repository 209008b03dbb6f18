// A spin button whose clicks reach its listeners with the position change.
#pragma once

#include "platform/controls.h"
#include "toolkit/ccontrol.h"
#include "toolkit/crvalue_notifier.h"

class CRSPIN_BUTTON : public CSpinButtonCtrl, public CCONTROL, public CRVALUE_NOTIFIER {
public:
    CRSPIN_BUTTON();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    // The event carries the change as value and the position before it as
    // previous value.
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void on_ddx_value(SAVE_CHECK_MODE mode, CString& text) override;
    int get_delta() const { return m_delta; }

private:
    int m_delta = 0;
};
