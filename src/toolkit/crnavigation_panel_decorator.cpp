#include "toolkit/crnavigation_panel_decorator.h"

#include <algorithm>

#include "platform/image.h"
#include "platform/registered_messages.h"
#include "platform/text_metrics.h"
#include "support/bwizc_global.h"
#include "toolkit/crui_look_and_feel.h"

UINT CRNAVIGATION_PANEL_DECORATOR::ITEM_RESOURCE_ID_BASE = 60;
CRect CRNAVIGATION_PANEL_DECORATOR::STD_BUTTON_MARGIN{0, 0, 0, STD_BUTTON_GAP_SIZE};
CRect CRNAVIGATION_PANEL_DECORATOR::GRADIENT_PANEL_INSETS{6, 6, 8, 4};
CRect CRNAVIGATION_PANEL_DECORATOR::LOGO_BITMAP_MARGIN{2, 2, 10, 2};
CRect CRNAVIGATION_PANEL_DECORATOR::TITLE_MARGIN{4, 0, 8, 0};
CRect CRNAVIGATION_PANEL_DECORATOR::SUBTITLE_MARGIN{4, 0, 8, 4};
CRect CRNAVIGATION_PANEL_DECORATOR::NAV_ITEM_MARGIN{0, 0, 1, 0};

// -------------------------------------------------------------------- logo

void CRNAV_LOGO::set_image_file(const CString& path) {
    CSize image;
    m_image_file = bwizc_read_image_size(path, &image) ? path : CString();
    if (m_image_file.IsEmpty()) {
        set_size(CSize(SIZE, SIZE));
        return;
    }
    // Scaled to the panel's logo height, or to the widest logo the panel
    // takes, keeping its proportions.
    const long long width = static_cast<long long>(image.cx) * SIZE / image.cy;
    if (width <= MAX_IMAGE_WIDTH) {
        set_size(CSize(std::max(1, static_cast<int>(width)), SIZE));
    } else {
        set_size(CSize(MAX_IMAGE_WIDTH, std::max(1, static_cast<int>(static_cast<long long>(image.cy) * MAX_IMAGE_WIDTH / image.cx))));
    }
}

void CRNAV_LOGO::paint(CDC* dc) {
    if (!dc) return;
    CRect client;
    GetClientRect(&client);
    if (!m_image_file.IsEmpty()) {
        dc->DrawImageFile(client, m_image_file);
        return;
    }
    // The program's own mark: a transceiver channel, a transmit arrow over
    // a receive arrow on the theme's accent colour.
    const BWIZC_THEME* theme = bwizc_get_active_theme();
    const int s = std::min(client.Width(), client.Height());
    dc->FillSolidRect(CRect(0, 0, s, s), theme->accent_color);
    dc->FillSolidRect(CRect(2, 2, s - 2, s - 2), theme->title_color);
    CPen pen(PS_SOLID, 1, BWIZC_COLOR_WHITE);
    CBrush fill(BWIZC_COLOR_WHITE);
    CPen* old_pen = dc->SelectObject(&pen);
    CBrush* old_brush = dc->SelectObject(&fill);
    const int y1 = s * 3 / 10, y2 = s * 7 / 10, left = s / 5, right = s - s / 5, head = s / 8;
    dc->FillSolidRect(CRect(left, y1 - 1, right - head, y1 + 2), BWIZC_COLOR_WHITE);
    const CPoint tx[3] = {{right - head, y1 - head}, {right, y1}, {right - head, y1 + head}};
    dc->Polygon(tx, 3);
    dc->FillSolidRect(CRect(left + head, y2 - 1, right, y2 + 2), BWIZC_COLOR_WHITE);
    const CPoint rx[3] = {{left + head, y2 - head}, {left, y2}, {left + head, y2 + head}};
    dc->Polygon(rx, 3);
    dc->SelectObject(old_pen);
    dc->SelectObject(old_brush);
}

// ------------------------------------------------------------------- panel

CRNAVIGATION_PANEL_DECORATOR* build_navigation_panel_decorator(CRDECORATOR_WIZARD* wizard) {
    auto* panel = new CRNAVIGATION_PANEL_DECORATOR(wizard);
    panel->set_insets(CRNAVIGATION_PANEL_DECORATOR::GRADIENT_PANEL_INSETS);
    return panel;
}

CRNAVIGATION_PANEL_DECORATOR::CRNAVIGATION_PANEL_DECORATOR(CRDECORATOR_WIZARD* wizard)
    : CRDECORATOR(MAIN_PANEL_ID, HORIZONTAL, wizard), m_next_resource_id(ITEM_RESOURCE_ID_BASE) {
    set_border_sides(0, 0, 1, 0);
    const BWIZC_THEME* theme = bwizc_get_active_theme();
    set_opaque(true);
    set_background_color(theme->panel_color);
    set_gradient(1, theme->panel_gradient_color, false);
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

CRFLAT_MENU_ITEM* CRNAVIGATION_PANEL_DECORATOR::make_item(const NAV_ITEM_INFO& info, CRFLAT_MENU_ITEM::LEVEL level,
                                                          int mark) {
    auto item = std::make_unique<CRFLAT_MENU_ITEM>(level);
    item->SetWindowText(info.label);
    item->set_mark(mark);
    const BWIZC_THEME* theme = bwizc_get_active_theme();
    // Measured in the font it is drawn with (bold for the marked ones).
    const CFont& font = mark == BST_UNCHECKED ? theme->nav_item_font : theme->nav_current_item_font;
    item->set_size(item->get_text_fit_size(font.get_logfont()));
    item->set_margins(NAV_ITEM_MARGIN);
    item->enable_message(BN_CLICKED);
    m_nav_buttons.push_back(std::move(item));
    return m_nav_buttons.back().get();
}

void CRNAVIGATION_PANEL_DECORATOR::create_navigation_buttons() {
    reset_available_resource_id();
    m_button_items.clear();
    if (!m_nav_buttons_panel) {
        m_nav_buttons_panel = std::make_unique<ROW_PANEL>(NAV_BUTTONS_PANEL_ID, HORIZONTAL, this);
    }
    m_nav_buttons_panel->remove_all_controls(true, true);
    m_nav_buttons.clear();
    for (auto& top : m_items) {
        // A group whose pages show as sub-buttons is underlined; a group of
        // one page is itself the current page's item.
        const bool own_page = top->shown && !top->sub_items.empty() && !top->sub_items.front()->as_buttons;
        const int mark = !top->shown ? BST_UNCHECKED : own_page ? BST_CHECKED : BST_INDETERMINATE;
        const UINT id = get_next_available_resource_id();
        m_nav_buttons_panel->add_control(id, make_item(*top, CRFLAT_MENU_ITEM::TOP_ITEM, mark), 0, ALIGN_NONE);
        m_button_items.emplace_back(id, top.get());
        if (!top->shown || !top->expanded) continue;
        for (auto& sub : top->sub_items) {
            if (!sub->as_buttons) continue;
            const UINT sub_id = get_next_available_resource_id();
            m_nav_buttons_panel->add_control(
                sub_id, make_item(*sub, CRFLAT_MENU_ITEM::SUB_ITEM, sub->selected ? BST_CHECKED : BST_UNCHECKED), 0,
                ALIGN_NONE);
            m_button_items.emplace_back(sub_id, sub.get());
        }
    }
}

void CRNAVIGATION_PANEL_DECORATOR::create_logo_titles_std_butons_panel() {
    CRDECORATOR_WIZARD* wizard = get_wizard_ref();
    const BWIZC_THEME* theme = bwizc_get_active_theme();
    if (!m_logo) m_logo = std::make_unique<CRNAV_LOGO>();
    m_logo->set_image_file(wizard ? wizard->get_logo_file_pathname() : CString());
    m_logo->set_margins(LOGO_BITMAP_MARGIN);

    if (!m_titles_panel) m_titles_panel = std::make_unique<ROW_PANEL>(TITLES_PANEL_ID, VERTICAL, this);
    m_titles_panel->remove_all_controls(true, true);
    if (!m_title) m_title = std::make_unique<CRSTATIC>();
    if (!m_subtitle) m_subtitle = std::make_unique<CRSTATIC>();
    // Each text as wide and tall as its theme font needs.
    const std::pair<CRSTATIC*, CString> texts[] = {
        {m_title.get(), wizard ? wizard->get_wizard_title() : CString()},
        {m_subtitle.get(), wizard ? wizard->get_wizard_subtitle() : CString()}};
    for (const auto& [label, text] : texts) {
        const LOGFONT& lf = (label == m_title.get() ? theme->title_font : theme->subtitle_font).get_logfont();
        label->SetWindowText(text);
        const CSize extent = bwizc_text_extent(lf, text);
        label->set_size(CSize(extent.cx + 2, bwizc_text_metrics(lf).tmHeight + 1));
    }
    m_title->set_margins(TITLE_MARGIN);
    m_subtitle->set_margins(SUBTITLE_MARGIN);
    m_titles_panel->add_control(TITLE_ID, m_title.get(), SS_NOPREFIX, ALIGN_NONE);
    m_titles_panel->add_control(SUBTITLE_ID, m_subtitle.get(), SS_NOPREFIX, ALIGN_NONE);

    if (!m_std_buttons_panel) {
        // About over Documentation, so that the panel stays narrow.
        m_std_buttons_panel = std::make_unique<ROW_PANEL>(STD_BUTTONS_PANEL_RESOURCE_ID, VERTICAL, this);
    }
    m_std_buttons_panel->remove_all_controls(true, true);
    if (!m_about) m_about = std::make_unique<CBUTTON>();
    if (!m_help) m_help = std::make_unique<CBUTTON>();
    // Both as wide as the wider label needs.
    const CSize size = crui_fit_button_size("&Documentation", crui_fit_button_size("&About", STD_BUTTON_DIMS));
    for (const auto& entry : {std::pair<CBUTTON*, const char*>{m_about.get(), "&About"},
                              std::pair<CBUTTON*, const char*>{m_help.get(), "&Documentation"}}) {
        entry.first->SetWindowText(entry.second);
        entry.first->set_size(size);
        entry.first->set_margins(STD_BUTTON_MARGIN);
        entry.first->enable_message(BN_CLICKED);
    }
    m_std_buttons_panel->add_control(ABOUT_BUTTON_ID, m_about.get(), 0, ALIGN_NONE);
    m_std_buttons_panel->add_control(HELP_BUTTON_ID, m_help.get(), 0, ALIGN_NONE);
}

void CRNAVIGATION_PANEL_DECORATOR::add_controls() {
    remove_all_controls(true, false);
    setup_navigation_buttons_data_structure();
    determine_nav_item_states();
    create_logo_titles_std_butons_panel();
    create_navigation_buttons();
    m_titles_panel->add_panel(NAV_BUTTONS_PANEL_ID, m_nav_buttons_panel.get(), 0, ALIGN_NONE);
    add_control(LOGO_ID, m_logo.get(), 0, ALIGN_NONE);
    add_panel(TITLES_PANEL_ID, m_titles_panel.get(), 0, ALIGN_NONE);
    add_gel_block();
    add_panel(STD_BUTTONS_PANEL_RESOURCE_ID, m_std_buttons_panel.get(), 0, ALIGN_NONE);
}

void CRNAVIGATION_PANEL_DECORATOR::on_panel_created() {
    BWIZC_THEME* theme = bwizc_get_active_theme();
    auto apply = [](CWnd* wnd, CFont* font) {
        if (wnd && wnd->IsWindow()) wnd->SetFont(font, TRUE);
    };
    apply(m_title.get(), &theme->title_font);
    apply(m_subtitle.get(), &theme->subtitle_font);
    apply(m_about.get(), &theme->button_font);
    apply(m_help.get(), &theme->button_font);
    for (auto& item : m_nav_buttons) {
        apply(item.get(), item->get_mark() == BST_UNCHECKED ? &theme->nav_item_font : &theme->nav_current_item_font);
    }
}

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
