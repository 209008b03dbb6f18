// Popup menus: a short list of commands shown at a point until the user picks
// one or dismisses it. The Qt backend shows a real menu; the headless backend
// hands the menu to the menu chooser, which plays the user.
#pragma once

#include <functional>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"
#include "platform/win_defs.h"

class CWnd;

struct BWIZC_MENU_ENTRY {
    UINT id = 0;  // 0: a separator line
    CString text;
    bool enabled = true;
};

struct BWIZC_POPUP_MENU {
    std::vector<BWIZC_MENU_ENTRY> entries;
    // Screen point of the menu's upper-left corner, or of its lower-left
    // corner when it opens upward.
    CPoint at;
    bool upward = false;
    CWnd* owner = nullptr;
};

// Shows the menu and returns the id of the chosen entry; 0 when it was
// dismissed or the choice was not an enabled entry of the menu.
UINT bwizc_track_popup_menu(const BWIZC_POPUP_MENU& menu);

// Headless: the function that picks from a popup menu (returns an id, or 0
// to dismiss). Without one every menu is dismissed at once.
using BWIZC_MENU_CHOOSER = std::function<UINT(const BWIZC_POPUP_MENU& menu)>;
BWIZC_MENU_CHOOSER bwizc_set_menu_chooser(BWIZC_MENU_CHOOSER chooser);
UINT bwizc_choose_from_menu_headless(const BWIZC_POPUP_MENU& menu);
