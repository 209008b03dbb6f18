#include "toolkit/crstd_buttons_panel_decorator.h"

#include "platform/dialog.h"
#include "platform/registered_messages.h"
#include "toolkit/crui_look_and_feel.h"

CRect CRSTD_BUTTONS_PANEL_DECORATOR::STD_BUTTON_MARGIN{STD_BUTTON_GAP_SIZE, 8, 0, 8};
CRect CRSTD_BUTTONS_PANEL_DECORATOR::STD_BUTTON_PANEL_INSETS{8, 2, 11, 2};

CRSTD_BUTTONS_PANEL_DECORATOR* build_std_buttons_panel_decorator(CRDECORATOR_WIZARD* wizard) {
    auto* bar = new CRSTD_BUTTONS_PANEL_DECORATOR(wizard);
    bar->set_insets(CRSTD_BUTTONS_PANEL_DECORATOR::STD_BUTTON_PANEL_INSETS);
    return bar;
}

CRSTD_BUTTONS_PANEL_DECORATOR::CRSTD_BUTTONS_PANEL_DECORATOR(CRDECORATOR_WIZARD* wizard)
    : CRDECORATOR(MAIN_PANEL_ID, HORIZONTAL, wizard) {
    set_border_sides(1, 0, 0, 0);
    // The bar hears its buttons' clicks.
    set_listening(true);
}

CRSTD_BUTTONS_PANEL_DECORATOR::~CRSTD_BUTTONS_PANEL_DECORATOR() { remove_all_controls(true, true); }

CBUTTON* CRSTD_BUTTONS_PANEL_DECORATOR::prepare_button(std::unique_ptr<CBUTTON>& button, const char* label,
                                                       const CSize& size) {
    if (!button) button = std::make_unique<CBUTTON>();
    // Pushed to the window at once when it already exists.
    button->SetWindowText(label);
    // A fixed width grows when the label in the theme's font needs more.
    button->set_size(crui_fit_button_size(label, size));
    button->set_margins(STD_BUTTON_MARGIN);
    button->enable_message(BN_CLICKED);
    return button.get();
}

void CRSTD_BUTTONS_PANEL_DECORATOR::add_controls() {
    remove_all_controls(true, false);
    if (decorator_has_help_button()) {
        add_control(HELP_BUTTON_ID,
                    prepare_button(m_help, "&Documentation", CSize(HELP_BUTTON_WIDTH, STD_BUTTON_DIMS.cy)), 0,
                    ALIGN_NONE);
    }
    add_gel_block();
    add_control(CANCEL_BUTTON_ID, prepare_button(m_cancel, "Cancel", STD_BUTTON_DIMS), 0, ALIGN_NONE);
    add_control(PREV_BUTTON_ID, prepare_button(m_prev, "< &Back", STD_BUTTON_DIMS), 0, ALIGN_NONE);
    add_control(NEXT_BUTTON_ID, prepare_button(m_next, "&Next >", STD_BUTTON_DIMS), 0, ALIGN_NONE);
    add_control(FINISH_BUTTON_ID, prepare_button(m_finish, "&Finish", STD_BUTTON_DIMS), 0, ALIGN_NONE);
}

bool CRSTD_BUTTONS_PANEL_DECORATOR::decorator_has_help_button() {
    CRDECORATOR_WIZARD* wizard = get_wizard_ref();
    return wizard && wizard->has_help_button() && !wizard->has_nav_panel();
}

void CRSTD_BUTTONS_PANEL_DECORATOR::on_panel_created() {
    CRDECORATOR_WIZARD* wizard = get_wizard_ref();
    const int order = wizard ? wizard->get_cur_page_positional_order() : 1;
    set_button_state(m_prev.get(), order != 0);
    set_button_state(m_next.get(), order != 3);
    set_button_state(m_finish.get(), true);
    set_button_state(m_cancel.get(), true);
    set_default_button(order == 3 ? m_finish.get() : m_next.get());
    // The font the widths were measured with.
    for (CBUTTON* button : {m_help.get(), m_cancel.get(), m_prev.get(), m_next.get(), m_finish.get()}) {
        if (button && button->IsWindow()) button->SetFont(&bwizc_get_active_theme()->button_font, TRUE);
    }
}

void CRSTD_BUTTONS_PANEL_DECORATOR::set_button_state(CBUTTON* button, bool enabled) {
    if (button && button->IsWindow()) button->EnableWindow(enabled ? TRUE : FALSE);
}

void CRSTD_BUTTONS_PANEL_DECORATOR::set_button_state(UINT id, bool enabled) {
    CWnd* dialog = get_host_dialog();
    CWnd* item = dialog ? dialog->GetDlgItem(static_cast<int>(id)) : nullptr;
    if (item) item->EnableWindow(enabled ? TRUE : FALSE);
}

void CRSTD_BUTTONS_PANEL_DECORATOR::set_default_button(CBUTTON* button) {
    auto* dialog = dynamic_cast<CDialog*>(get_host_dialog());
    if (dialog && button) dialog->SetDefID(static_cast<UINT>(button->GetDlgCtrlID()));
}

void CRSTD_BUTTONS_PANEL_DECORATOR::simulate_press(UINT id) {
    m_simulated_event.set_control_id(id);
    m_simulated_event.set_notify_message(CRCONTROL_EVENT_COMMAND_MESSAGE, BN_CLICKED);
    on_action_performed(&m_simulated_event);
}

void CRSTD_BUTTONS_PANEL_DECORATOR::simulate_next_button_press() { simulate_press(NEXT_BUTTON_ID); }
void CRSTD_BUTTONS_PANEL_DECORATOR::simulate_prev_button_press() { simulate_press(PREV_BUTTON_ID); }
void CRSTD_BUTTONS_PANEL_DECORATOR::simulate_finish_button_press() { simulate_press(FINISH_BUTTON_ID); }
void CRSTD_BUTTONS_PANEL_DECORATOR::simulate_cancel_button_press() { simulate_press(CANCEL_BUTTON_ID); }

void CRSTD_BUTTONS_PANEL_DECORATOR::on_action_performed(CRABSTRACT_EVENT* event) {
    auto* control_event = dynamic_cast<CRCONTROL_EVENT_BASE*>(event);
    if (!control_event) return;
    UINT message = 0;
    switch (control_event->get_control_id()) {
    case FINISH_BUTTON_ID: message = WM_BWIZC_WIZ_PAGE_FINISH; break;
    case NEXT_BUTTON_ID: message = WM_BWIZC_WIZ_PAGE_NEXT; break;
    case PREV_BUTTON_ID: message = WM_BWIZC_WIZ_PAGE_PREV; break;
    case CANCEL_BUTTON_ID: message = WM_BWIZC_WIZ_PAGE_CANCEL; break;
    case HELP_BUTTON_ID: message = WM_BWIZC_WIZ_PAGE_HELP_BUTTON_PRESSED; break;
    default: return;
    }
    CWnd* dialog = get_host_dialog();
    if (!dialog) return;
    set_listening(false);
    dialog->SendMessage(message, 0, reinterpret_cast<LPARAM>(event));
    set_listening(true);
}
