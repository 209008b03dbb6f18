// CRDECORATOR: a panel that frames the wizard's pages and remembers the
// wizard it serves.
#pragma once

#include "toolkit/cpanel.h"
#include "toolkit/crdecorator_wizard.h"

class CRDECORATOR : public CPANEL {
public:
    CRDECORATOR(UINT resource_id, LAYOUT_DIRECTION direction, CRDECORATOR_WIZARD* wizard = nullptr)
        : CPANEL(resource_id, direction), m_wizard(wizard) {}
    virtual CRDECORATOR_WIZARD* get_wizard_ref() const { return m_wizard; }
    virtual void set_wizard_ref(CRDECORATOR_WIZARD* wizard) { m_wizard = wizard; }

protected:
    // The dialog the decorator is placed in.
    CWnd* get_host_dialog() { return GetParent(); }

private:
    CRDECORATOR_WIZARD* m_wizard;
};
