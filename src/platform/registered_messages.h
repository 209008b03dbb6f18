// The process-wide registered window messages, registered at static
// initialisation in this order (so they take the first ids from 0xC000 up
// unless something registers earlier). Code that runs during static
// initialisation itself calls RegisterWindowMessage with the name instead.
#pragma once

#include "platform/win_defs.h"

extern const char* const BWIZC_TOOLKIT_MSG_NAME;
extern const char* const BWIZC_RESOURCE_INFO_THREAD_MSG_NAME;
extern const char* const BWIZC_SIMLIB_INFO_THREAD_MSG_NAME;
extern const char* const BWIZC_TCL_SHELL_THREAD_MSG_NAME;
extern const char* const BWIZC_WIZ_PAGE_FINISH_MSG_NAME;
extern const char* const BWIZC_WIZ_PAGE_NEXT_MSG_NAME;
extern const char* const BWIZC_WIZ_PAGE_PREV_MSG_NAME;
extern const char* const BWIZC_WIZ_PAGE_CANCEL_MSG_NAME;
extern const char* const BWIZC_WIZ_PAGE_HELP_BUTTON_PRESSED_MSG_NAME;
extern const char* const BWIZC_WIZ_PAGE_ABOUT_BUTTON_PRESSED_MSG_NAME;
extern const char* const BWIZC_WIZ_PAGE_CGX_DEVICE_FAMILY_SELECTION_CHANGED_MSG_NAME;
extern const char* const BWIZC_WIZ_PAGE_INVALIDATE_AND_UPDATE_MSG_NAME;
extern const char* const BWIZC_BROWSER_LAUNCH_REQUESTED_MSG_NAME;

// toolkit-internal (radix combo box to its buddy edit box)
extern const UINT WM_BWIZC_TOOLKIT_MSG;
// -> on_resource_info_thread_terminated
extern const UINT WM_BWIZC_RESOURCE_INFO_THREAD_TERMINATED;
// -> on_simlib_info_thread_terminated
extern const UINT WM_BWIZC_SIMLIB_INFO_THREAD_TERMINATED;
// -> on_tcl_shell_thread_terminated
extern const UINT WM_BWIZC_TCL_SHELL_THREAD_TERMINATED;
// -> on_wiz_page_finish, _next, _prev, _cancel
extern const UINT WM_BWIZC_WIZ_PAGE_FINISH;
extern const UINT WM_BWIZC_WIZ_PAGE_NEXT;
extern const UINT WM_BWIZC_WIZ_PAGE_PREV;
extern const UINT WM_BWIZC_WIZ_PAGE_CANCEL;
// -> on_wiz_page_help_button_pressed, on_wiz_page_about_button_pressed
extern const UINT WM_BWIZC_WIZ_PAGE_HELP_BUTTON_PRESSED;
extern const UINT WM_BWIZC_WIZ_PAGE_ABOUT_BUTTON_PRESSED;
// -> on_wiz_page_cgx_device_family_selection_changed
extern const UINT WM_BWIZC_WIZ_PAGE_CGX_DEVICE_FAMILY_SELECTION_CHANGED;
// -> on_wiz_page_invalidate_and_update
extern const UINT WM_BWIZC_WIZ_PAGE_INVALIDATE_AND_UPDATE;
// -> on_browser_launch_requested (CRDIALOG)
extern const UINT WM_BWIZC_BROWSER_LAUNCH_REQUESTED;

// The thread message to the calling program: the first user message + 10.
constexpr UINT BWIZC_WIZMAN_THREAD_MSG = WM_USER + 10;  // 1034
