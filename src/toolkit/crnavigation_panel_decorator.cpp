#include "toolkit/crnavigation_panel_decorator.h"

#include "platform/registered_messages.h"

UINT CRNAVIGATION_PANEL_DECORATOR::ITEM_RESOURCE_ID_BASE = 60;
CRect CRNAVIGATION_PANEL_DECORATOR::STD_BUTTON_MARGIN{STD_BUTTON_GAP_SIZE, 4, 0, 4};
CRect CRNAVIGATION_PANEL_DECORATOR::GRADIENT_PANEL_INSETS{6, 4, 6, 4};
CRect CRNAVIGATION_PANEL_DECORATOR::LOGO_BITMAP_MARGIN{4, 4, 4, 4};
CRect CRNAVIGATION_PANEL_DECORATOR::TITLE_MARGIN{8, 4, 8, 0};
CRect CRNAVIGATION_PANEL_DECORATOR::SUBTITLE_MARGIN{8, 2, 8, 4};

CRNAVIGATION_PANEL_DECORATOR* build_navigation_panel_decorator(CRDECORATOR_WIZARD* wizard) {
    auto* panel = new CRNAVIGATION_PANEL_DECORATOR(wizard);
    panel->set_insets(CRNAVIGATION_PANEL_DECORATOR::GRADIENT_PANEL_INSETS);
    return panel;
}

CRNAVIGATION_PANEL_DECORATOR::CRNAVIGATION_PANEL_DECORATOR(CRDECORATOR_WIZARD* wizard)
    : CRDECORATOR(MAIN_PANEL_ID, VERTICAL, wizard), m_next_resource_id(ITEM_RESOURCE_ID_BASE) {
    set_border_sides(0, 0, 1, 0);
    set_listening(true);
}

CRNAVIGATION_PANEL_DECORATOR::~CRNAVIGATION_PANEL_DECORATOR() { remove_all_controls(true, true); }

// ------------------------------------------------------------- item structure

CRNAVIGATION_PANEL_DECORATOR::NAV_ITEM_INFO* CRNAVIGATION_PANEL_DECORATOR::find_top_item(const CString& id) {
    for (auto& item : m_items) {
        if (item->item_id == id) return item.get();
    }
    return nullptr;
}

void CRNAVIGATION_PANEL_DECORATOR::setup_navigation_buttons_data_structure() {
    m_items.clear();
    m_button_items.clear();
    CRDECORATOR_WIZARD* wizard = get_wizard_ref();
    if (!wizard) return;
    for (int i = 0; i < wizard->get_page_count(); ++i) {
        if (!wizard->is_page_included_in_sequence(i)) continue;
        add_nav_item(wizard->get_page_nav_parent_item_id_at(i), wizard->get_page_nav_button_label_at(i),
                     wizard->get_page_id_at(i));
    }
}

void CRNAVIGATION_PANEL_DECORATOR::add_nav_item(const CString& parent_id, const CString& label,
                                                const CString& page_id) {
    CString blank_test = parent_id;
    blank_test.Trim();
    if (blank_test.IsEmpty()) return;
    NAV_ITEM_INFO* top = find_top_item(parent_id);
    if (!top) {
        auto item = std::make_unique<NAV_ITEM_INFO>();
        item->item_id = parent_id;
        // The group's table entry: its first word is the label, its second
        // the description.
        CRDECORATOR_WIZARD* wizard = get_wizard_ref();
        CString rest = wizard ? wizard->get_page_group_entry(parent_id) : CString();
        for (CString* field : {&item->label, &item->description}) {
            rest.TrimLeft(" \t");
            const int end = rest.FindOneOf(" \t");
            *field = end < 0 ? rest : rest.Left(end);
            rest = end < 0 ? CString() : rest.Mid(end);
        }
        top = item.get();
        m_items.push_back(std::move(item));
    }
    auto sub = std::make_unique<NAV_ITEM_INFO>();
    sub->label = label;
    sub->page_id = page_id;
    sub->parent = top;
    top->sub_items.push_back(std::move(sub));
}

void CRNAVIGATION_PANEL_DECORATOR::determine_nav_item_states() {
    CRDECORATOR_WIZARD* wizard = get_wizard_ref();
    if (!wizard) return;
    for (auto& top : m_items) {
        NAV_ITEM_INFO* current = nullptr;
        for (auto& sub : top->sub_items) {
            if (wizard->is_cur_page_id(sub->page_id)) current = sub.get();
        }
        if (!current) continue;
        top->shown = true;
        top->expanded = true;
        for (auto& sub : top->sub_items) {
            sub->shown = true;
            sub->selected = sub.get() == current;
            sub->as_buttons = top->sub_items.size() > 1;
        }
    }
}

// ------------------------------------------------------------------ controls

CBUTTON* CRNAVIGATION_PANEL_DECORATOR::make_button(const CString& label, const CSize& size) {
    auto button = std::make_unique<CBUTTON>();
    button->SetWindowText(label);
    button->set_size(size);
    button->set_margins(STD_BUTTON_MARGIN);
    button->enable_message(BN_CLICKED);
    m_nav_buttons.push_back(std::move(button));
    return m_nav_buttons.back().get();
}

void CRNAVIGATION_PANEL_DECORATOR::create_navigation_buttons() {
    reset_available_resource_id();
    m_button_items.clear();
    if (!m_nav_buttons_panel) m_nav_buttons_panel = std::make_unique<ROW_PANEL>(NAV_BUTTONS_PANEL_ID, this);
    m_nav_buttons_panel->remove_all_controls(true, true);
    m_nav_buttons.clear();
    for (auto& top : m_items) {
        const UINT id = get_next_available_resource_id();
        m_nav_buttons_panel->add_control(id, make_button(top->label, CSize(100, 22)), 0, ALIGN_NONE);
        m_button_items.emplace_back(id, top.get());
        if (!top->shown || !top->expanded) continue;
        for (auto& sub : top->sub_items) {
            if (!sub->as_buttons) continue;
            const UINT sub_id = get_next_available_resource_id();
            m_nav_buttons_panel->add_control(sub_id, make_button(sub->label, CSize(100, 22)), 0, ALIGN_NONE);
            m_button_items.emplace_back(sub_id, sub.get());
        }
    }
}

void CRNAVIGATION_PANEL_DECORATOR::create_logo_titles_std_butons_panel() {
    CRDECORATOR_WIZARD* wizard = get_wizard_ref();
    if (!m_titles_panel) m_titles_panel = std::make_unique<ROW_PANEL>(TITLES_PANEL_ID, this);
    m_titles_panel->remove_all_controls(true, true);
    if (!m_title) m_title = std::make_unique<CRSTATIC>();
    if (!m_subtitle) m_subtitle = std::make_unique<CRSTATIC>();
    m_title->SetWindowText(wizard ? wizard->get_wizard_title() : CString());
    m_title->set_size(CSize(300, 20));
    m_title->set_margins(TITLE_MARGIN);
    m_subtitle->SetWindowText(wizard ? wizard->get_wizard_subtitle() : CString());
    m_subtitle->set_size(CSize(300, 16));
    m_subtitle->set_margins(SUBTITLE_MARGIN);
    m_titles_panel->add_control(TITLE_ID, m_title.get(), 0, ALIGN_NONE);
    m_titles_panel->add_control(SUBTITLE_ID, m_subtitle.get(), 0, ALIGN_NONE);
    m_titles_panel->add_gel_block();

    if (!m_std_buttons_panel) m_std_buttons_panel = std::make_unique<ROW_PANEL>(STD_BUTTONS_PANEL_RESOURCE_ID, this);
    m_std_buttons_panel->remove_all_controls(true, true);
    if (!m_about) m_about = std::make_unique<CBUTTON>();
    if (!m_help) m_help = std::make_unique<CBUTTON>();
    for (const auto& entry : {std::pair<CBUTTON*, const char*>{m_about.get(), "&About"},
                        std::pair<CBUTTON*, const char*>{m_help.get(), "&Documentation"}}) {
        entry.first->SetWindowText(entry.second);
        entry.first->set_size(STD_BUTTON_DIMS);
        entry.first->set_margins(STD_BUTTON_MARGIN);
        entry.first->enable_message(BN_CLICKED);
    }
    m_std_buttons_panel->add_control(ABOUT_BUTTON_ID, m_about.get(), 0, ALIGN_NONE);
    m_std_buttons_panel->add_control(HELP_BUTTON_ID, m_help.get(), 0, ALIGN_NONE);
    m_titles_panel->add_panel(STD_BUTTONS_PANEL_RESOURCE_ID, m_std_buttons_panel.get(), 0, ALIGN_NONE);
}

void CRNAVIGATION_PANEL_DECORATOR::add_controls() {
    remove_all_controls(true, false);
    setup_navigation_buttons_data_structure();
    determine_nav_item_states();
    create_logo_titles_std_butons_panel();
    create_navigation_buttons();
    add_panel(TITLES_PANEL_ID, m_titles_panel.get(), 0, ALIGN_NONE);
    add_panel(NAV_BUTTONS_PANEL_ID, m_nav_buttons_panel.get(), 0, ALIGN_NONE);
}

void CRNAVIGATION_PANEL_DECORATOR::on_panel_created() {}

CString CRNAVIGATION_PANEL_DECORATOR::get_page_id_of_button(UINT id) const {
    for (const auto& [button_id, item] : m_button_items) {
        if (button_id != id) continue;
        if (item->page_id.IsEmpty() && !item->sub_items.empty()) return item->sub_items.front()->page_id;
        return item->page_id;
    }
    return CString();
}

void CRNAVIGATION_PANEL_DECORATOR::on_action_performed(CRABSTRACT_EVENT* event) {
    auto* control_event = dynamic_cast<CRCONTROL_EVENT_BASE*>(event);
    CRDECORATOR_WIZARD* wizard = get_wizard_ref();
    if (!control_event || !wizard) return;
    const UINT id = control_event->get_control_id();
    if (id == ABOUT_BUTTON_ID) {
        wizard->send_message_to_cur_page(WM_BWIZC_WIZ_PAGE_ABOUT_BUTTON_PRESSED, 0, reinterpret_cast<LPARAM>(event));
        return;
    }
    if (id == HELP_BUTTON_ID) {
        wizard->send_message_to_cur_page(WM_BWIZC_WIZ_PAGE_HELP_BUTTON_PRESSED, 0, reinterpret_cast<LPARAM>(event));
        return;
    }
    const CString page_id = get_page_id_of_button(id);
    if (!page_id.IsEmpty()) wizard->jump_to_page(page_id);
}
