// The wizard's decorations and its messages to the calling program.
#include "platform/registered_messages.h"
#include "platform/wizman_transport.h"
#include "symbol/crsymbol.h"
#include "wizard/crcgx_device_combobox_decorator.h"
#include "wizard/crwizard_base.h"
#include "wizard/crwizard_page_base.h"

namespace {
// The symbol preview panel; its outlines have their own ids.
constexpr UINT SYMBOL_DECORATOR_ID = 64000;
}  // namespace

#include "toolkit/crnavigation_panel_decorator.h"
#include "toolkit/crstd_buttons_panel_decorator.h"
#include "toolkit/crui_look_and_feel.h"

void CRWIZARD_BASE::build_decorators() {
    delete_decorators();
    if (has_cgx_device_combobox()) m_cgx_combobox_decorator = new CRCGX_DEVICE_COMBOBOX_DECORATOR(this);
    m_nav_panel_decorator = build_navigation_panel_decorator(this);
    m_std_buttons_decorator = build_std_buttons_panel_decorator(this);
    m_symbol_decorator = new CRSYMBOL(SYMBOL_DECORATOR_ID, this);
    m_symbol_decorator->set_symbol_updater([this](CRSYMBOL_OUTLINE* outline) { fill_symbol_outline(outline); });
    set_page_group_entry("PARAM_SETTINGS", "Parameter Settings");
}

void CRWIZARD_BASE::delete_decorators() {
    delete m_cgx_combobox_decorator;
    delete m_nav_panel_decorator;
    delete m_std_buttons_decorator;
    delete m_symbol_decorator;
    m_cgx_combobox_decorator = nullptr;
    m_nav_panel_decorator = nullptr;
    m_std_buttons_decorator = nullptr;
    m_symbol_decorator = nullptr;
}

CRSYMBOL_OUTLINE* CRWIZARD_BASE::get_symbol_outline() {
    return m_symbol_decorator ? m_symbol_decorator->get_symbol_outline() : nullptr;
}

void CRWIZARD_BASE::add_page_decorations(CRWIZARD_PAGE_BASE* page) {
    if (!page) return;
    if (m_symbol_decorator) m_symbol_decorator->update_controls();
    if (m_cgx_combobox_decorator && page->get_page_order() == 0) {
        page->add_border_panel(m_cgx_combobox_decorator, "INNER_TOP");
    }
    if (m_std_buttons_decorator) {
        m_std_buttons_decorator->set_border_color(0x7f7f7f);
        page->add_border_panel(m_std_buttons_decorator, "OUTER_BOTTOM");
    }
    if (m_symbol_decorator) page->add_border_panel(m_symbol_decorator, "OUTER_LEFT");
    if (has_nav_panel() && m_nav_panel_decorator) {
        m_nav_panel_decorator->set_border_color(0x3f3f3f);
        page->add_border_panel(m_nav_panel_decorator, "OUTER_TOP");
    }
    page->pack_page(true, get_wizard_page_BR_point(), true);
    // The first page was centred: later pages keep its lower-right corner.
    if (page->IsWindow()) {
        CRect rect;
        page->GetWindowRect(&rect);
        set_wizard_page_BR_point(rect.BottomRight());
    }
    page->on_dialog_decorated();
}

void CRWIZARD_BASE::simulate_next_button_press(CRWIZARD_PAGE_BASE* page) {
    if (m_std_buttons_decorator && m_std_buttons_decorator->get_base_wnd() &&
        m_std_buttons_decorator->get_base_wnd()->GetParent() == page) {
        m_std_buttons_decorator->simulate_next_button_press();
        return;
    }
    if (page && page->IsWindow()) page->SendMessage(WM_BWIZC_WIZ_PAGE_NEXT, 0, 0);
}

void CRWIZARD_BASE::initialize_custom_laf() {
    // For the whole run: the controls of every page take the flat delegates
    // when they are attached.
    m_installed_laf = has_custom_laf() ? new CRUI_FLAT_LOOK_AND_FEEL : nullptr;
    crui_set_look_and_feel(m_installed_laf);
}

void CRWIZARD_BASE::send_message_to_wizman() {
    if (!is_send_msg_to_wizman_enabled()) return;
    const CPoint corner = get_wizard_page_BR_point();
    PostThreadMessage(get_calling_thread_id(), BWIZC_WIZMAN_THREAD_MSG, static_cast<WPARAM>(corner.x),
                      static_cast<LPARAM>(corner.y));
}
