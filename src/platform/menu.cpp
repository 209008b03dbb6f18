#include "platform/menu.h"

#include <utility>

#include "platform/backend.h"

namespace {
BWIZC_MENU_CHOOSER& chooser() {
    static BWIZC_MENU_CHOOSER c;
    return c;
}
}  // namespace

BWIZC_MENU_CHOOSER bwizc_set_menu_chooser(BWIZC_MENU_CHOOSER c) { return std::exchange(chooser(), std::move(c)); }

UINT bwizc_choose_from_menu_headless(const BWIZC_POPUP_MENU& menu) {
    BWIZC_MENU_CHOOSER c = chooser();
    return c ? c(menu) : 0;
}

UINT bwizc_track_popup_menu(const BWIZC_POPUP_MENU& menu) {
    const UINT id = bwizc_get_backend()->track_popup_menu(menu);
    if (id == 0) return 0;
    for (const BWIZC_MENU_ENTRY& entry : menu.entries) {
        if (entry.id == id) return entry.enabled ? id : 0;
    }
    return 0;
}

UINT BWIZC_BACKEND::track_popup_menu(const BWIZC_POPUP_MENU& menu) { return bwizc_choose_from_menu_headless(menu); }
