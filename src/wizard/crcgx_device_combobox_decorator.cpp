#include "wizard/crcgx_device_combobox_decorator.h"

#include "platform/registered_messages.h"
#include "support/bwizc_device_family.h"
#include "wizard/crwizard_base.h"

const CRect CRCGX_DEVICE_COMBOBOX_DECORATOR::PANEL_INSETS{10, 8, 10, 4};

CRCGX_DEVICE_COMBOBOX_DECORATOR::CRCGX_DEVICE_COMBOBOX_DECORATOR(CRWIZARD_BASE* wizard)
    : CRDECORATOR(MAIN_PANEL_ID, HORIZONTAL, wizard), m_wizard(wizard) {
    set_insets(PANEL_INSETS);
    set_listening(true);
}

CRCGX_DEVICE_COMBOBOX_DECORATOR::~CRCGX_DEVICE_COMBOBOX_DECORATOR() { remove_all_controls(true, true); }

void CRCGX_DEVICE_COMBOBOX_DECORATOR::add_controls() {
    remove_all_controls(true, false);
    if (!m_label) m_label = std::make_unique<CRSTATIC>();
    if (!m_combo) m_combo = std::make_unique<CRCOMBO_BOX>();
    m_label->SetWindowText("Currently selected device family:");
    m_label->set_size(CSize(170, 20));
    m_combo->set_size(CSize(160, 120));
    m_combo->enable_message(CBN_SELCHANGE);
    add_control(LABEL_ID, m_label.get(), 0, ALIGN_NONE);
    add_control(COMBO_BOX_ID, m_combo.get(), 0, ALIGN_NONE);
}

void CRCGX_DEVICE_COMBOBOX_DECORATOR::on_panel_created() {
    if (!m_combo || !m_combo->IsWindow()) return;
    m_combo->ResetContent();
    for (const BWIZC_OBJECT* object : g_bwizc_object_list) {
        if (const auto* family = dynamic_cast<const BWIZC_RDEVICE_FAMILY*>(object)) {
            m_combo->AddString(family->get_family_name());
        }
    }
    const CString current = m_wizard ? m_wizard->get_cgx_device_family() : CString();
    m_combo->SetCurSel(m_combo->FindStringExact(-1, current));
}

void CRCGX_DEVICE_COMBOBOX_DECORATOR::on_action_performed(CRABSTRACT_EVENT* event) {
    auto* control_event = dynamic_cast<CRCONTROL_EVENT_BASE*>(event);
    if (!control_event || control_event->get_control_id() != COMBO_BOX_ID || !m_combo) return;
    const int selection = m_combo->GetCurSel();
    if (selection < 0) return;
    const CString family = m_combo->GetLBText(selection);
    CWnd* dialog = get_host_dialog();
    if (dialog) {
        dialog->SendMessage(WM_BWIZC_WIZ_PAGE_CGX_DEVICE_FAMILY_SELECTION_CHANGED, 0, reinterpret_cast<LPARAM>(&family));
    }
}
