// The device-family box above the first page (with "add_auto_device_combo"
// or "cgxgen/addcombo"): a choice of the device family that reaches the page
// as the family-selection-changed message.
#pragma once

#include <memory>

#include "toolkit/ccombo_box.h"
#include "toolkit/crdecorator.h"
#include "toolkit/crstatic.h"

class CRWIZARD_BASE;

class CRCGX_DEVICE_COMBOBOX_DECORATOR : public CRDECORATOR {
public:
    static constexpr UINT MAIN_PANEL_ID = 40;
    static constexpr UINT LABEL_ID = 41;
    static constexpr UINT COMBO_BOX_ID = 42;
    static const CRect PANEL_INSETS;

    explicit CRCGX_DEVICE_COMBOBOX_DECORATOR(CRWIZARD_BASE* wizard);
    ~CRCGX_DEVICE_COMBOBOX_DECORATOR() override;

    void add_controls() override;
    // Fills the box with the device families and selects the wizard's.
    void on_panel_created() override;
    void on_action_performed(CRABSTRACT_EVENT* event) override;
    CRCOMBO_BOX* get_combo_box() { return m_combo.get(); }

private:
    CRWIZARD_BASE* m_wizard;
    std::unique_ptr<CRSTATIC> m_label;
    std::unique_ptr<CRCOMBO_BOX> m_combo;
};
