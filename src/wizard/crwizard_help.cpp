// The wizard's Documentation menu and About box.
#include "support/bwizc_global.h"
#include "wizard/crwizard.h"
#include "wizard/crwizard_about_dialog.h"
#include "wizard/crwizard_page.h"

namespace {

// A CNX help entry's document: a URL as it is, a file name made absolute
// against the program's folder; its third text is the topic within it.
CString help_target(const CRCNX_ITEM_HELP_MENU_ITEM& item) {
    CString target = item.get_second_text();
    target.Trim();
    if (target.IsEmpty()) return target;
    if (target.Find("://") < 0 && target[0] != '/') target = bwizc_global_get_absolute_path_from_app(target);
    CString topic = item.get_third_text();
    topic.Trim();
    if (!topic.IsEmpty()) target += "#" + topic;
    return target;
}

}  // namespace

void CRWIZARD::build_help_menu(CRWIZARD_PAGE* page, BWIZC_MENU* menu) {
    if (!menu) return;
    menu->remove_all();
    menu->append(get_help_menu());
    BWIZC_MENU host;
    const auto& list = m_cnx_manager.get_help_menu_list();
    for (int i = 0; i < list.get_count(); ++i) {
        const CRCNX_ITEM_HELP_MENU_ITEM* item = list.get_at(i);
        if (item) host.add_item(item->get_first_text(), help_target(*item), item->get_item_flag());
    }
    menu->append(host);
    if (page) page->on_wiz_page_help(menu);
}

void CRWIZARD::show_help_menu(CRWIZARD_PAGE* page, CWnd* button) {
    BWIZC_MENU menu;
    build_help_menu(page, &menu);
    CRect rect;
    if (button && button->IsWindow()) {
        button->GetWindowRect(&rect);
    } else if (page && page->IsWindow()) {
        page->GetWindowRect(&rect);
    }
    // The navigation panel's button opens the menu below it; the bottom
    // bar's opens it upward.
    const bool below = has_nav_panel();
    menu.track(below ? CPoint(rect.left, rect.bottom) : CPoint(rect.left, rect.top), !below, page);
}

void CRWIZARD::show_about_box(CWnd* parent) {
    CRWIZARD_ABOUT_DIALOG::TEXTS texts;
    texts.title = get_wizard_title();
    texts.subtitle = get_wizard_subtitle();
    texts.version = get_zephrin_version();
    texts.short_version = get_zephrin_short_version();
    texts.build_date = get_zephrin_build_date();
    texts.copyright = get_korvel_copyright();
    CRWIZARD_ABOUT_DIALOG about(texts, parent);
    about.DoModal();
}
