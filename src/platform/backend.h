// The seam between the window objects and whatever shows them. The headless
// backend is the default and is always there; the Qt backend replaces it for
// interactive runs.
#pragma once

#include "platform/types.h"
#include "platform/win_defs.h"

class CWnd;
class CDialog;
class CDC;
struct BWIZC_POPUP_MENU;

class BWIZC_BACKEND {
public:
    virtual ~BWIZC_BACKEND() = default;
    virtual const char* get_name() const = 0;

    // Window life and state; CWnd calls these after the state has changed.
    virtual void window_created(CWnd* wnd) { (void)wnd; }
    // Before the window's state is cleared.
    virtual void window_destroyed(CWnd* wnd) { (void)wnd; }
    // The window's handle now belongs to another object (SubclassDlgItem).
    virtual void window_rebound(CWnd* wnd) { (void)wnd; }
    // `what` is a mask of BWIZC_CHANGE bits.
    virtual void window_changed(CWnd* wnd, unsigned what) { (void)wnd; (void)what; }
    virtual void window_invalidated(CWnd* wnd) { (void)wnd; }
    // Paint now (UpdateWindow); headless has nothing to paint.
    virtual void window_update_now(CWnd* wnd) { (void)wnd; }
    // The context a CPaintDC of wnd draws into while the backend paints it;
    // null when the backend is not painting wnd now.
    virtual CDC* get_paint_dc(CWnd* wnd) { (void)wnd; return nullptr; }

    // Runs the modal loop of a dialog that is shown, until its EndDialog.
    virtual void run_modal_loop(CDialog* dialog) = 0;
    // The dialog was ended (EndDialog); wakes its loop.
    virtual void end_modal_loop(CDialog* dialog) { (void)dialog; }
    // A message was posted (from any thread) or a pending reply ended.
    virtual void wake() {}
    // A timer was set or killed.
    virtual void timers_changed() {}
    // Processes the backend's own pending events (pump).
    virtual void process_events() {}

    virtual CSize get_screen_size() const { return {1280, 1024}; }

    // Shows a popup menu and returns the chosen id (0: dismissed). Headless
    // asks the menu chooser (platform/menu.h).
    virtual UINT track_popup_menu(const BWIZC_POPUP_MENU& menu);
};

// Never null: the headless backend when nothing else is installed.
BWIZC_BACKEND* bwizc_get_backend();
// Installs a backend (null: headless again) and returns the previous one.
BWIZC_BACKEND* bwizc_set_backend(BWIZC_BACKEND* backend);
// The headless backend object.
BWIZC_BACKEND* bwizc_get_headless_backend();

// Start-up of the platform layer, for every kind of run: ignores SIGPIPE,
// sets the C numeric locale and resolves the font files of the text metrics.
// A missing font file is reported through bwizc_message_box and gives false.
bool bwizc_platform_startup();
