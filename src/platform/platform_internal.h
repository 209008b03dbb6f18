// Plumbing shared by the platform's own sources; not for other folders.
#pragma once

#include <string>
#include <vector>

#include "platform/win_defs.h"

class CWnd;
class CDC;

void bwizc_timer_set(HWND hwnd, UINT_PTR id, UINT elapse_ms);
bool bwizc_timer_kill(HWND hwnd, UINT_PTR id);
void bwizc_timers_kill_all(HWND hwnd);

// The context a CPaintDC of wnd draws into: paint_into's, else the backend's.
CDC* bwizc_get_paint_dc(CWnd* wnd);

// Allocates a new handle for wnd / forgets one.
HWND bwizc_register_window(CWnd* wnd);
void bwizc_rebind_window(HWND hwnd, CWnd* wnd);
void bwizc_unregister_window(HWND hwnd);
HWND bwizc_get_focus_handle();
void bwizc_set_focus_handle(HWND hwnd);

// The code points of UTF-8 text; a byte that starts no valid sequence stands for itself.
std::vector<unsigned> bwizc_utf8_code_points(const std::string& text);
// Appends the UTF-8 form of a code point.
void bwizc_utf8_append(std::string& out, unsigned cp);
