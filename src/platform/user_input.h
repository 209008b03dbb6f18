// User actions. Each one changes the control the way the user's action does
// and sends exactly the notification the user's action sends, through the
// control's WindowProc and its parent (reflection first). The headless input
// driver and the Qt backend both act through these functions. All return
// false (and do nothing) for a missing, disabled or hidden control, or one of
// the wrong kind. GUI thread only.
#pragma once

#include "platform/cstring.h"
#include "platform/win_defs.h"

class CWnd;

// Moves the focus: WM_KILLFOCUS to the old window (an edit then notifies
// EN_KILLFOCUS, a combo box CBN_KILLFOCUS), WM_SETFOCUS to the new one.
bool bwizc_user_set_focus(CWnd* ctrl);
// Button click: the focus moves to the button; an automatic check box or radio
// button changes its check state (an automatic radio button unchecks the
// others of its group); the parent gets BN_CLICKED.
bool bwizc_user_click(CWnd* ctrl);
// Chooses an item of a combo box, list box or report list: the selection (and a
// combo box's text) changes, the parent gets CBN_SELCHANGE / LBN_SELCHANGE /
// LVN_ITEMCHANGED. Choosing the selected item again sends nothing.
bool bwizc_user_select(CWnd* ctrl, int index);
// The same by exact item text.
bool bwizc_user_select_text(CWnd* ctrl, const CString& text);
// Types characters into an edit or a combo box's edit field, one WM_CHAR each
// ("\b" is backspace), after moving the focus there. Each character the window
// accepts changes the text at the selection and sends one EN_CHANGE /
// CBN_EDITCHANGE.
bool bwizc_user_type(CWnd* ctrl, const CString& chars);
// Selects all text of an edit or combo edit field (as a triple click does).
bool bwizc_user_select_all(CWnd* ctrl);
// Pastes text over the selection: one change, one notification; no WM_CHAR.
bool bwizc_user_paste(CWnd* ctrl, const CString& text);
// Moves a slider to pos (clamped): WM_HSCROLL (WM_VSCROLL for TBS_VERT) with
// TB_THUMBPOSITION to the parent. Moving to the current position sends nothing.
bool bwizc_user_move_slider(CWnd* ctrl, int pos);
// Clicks a spin button: UDN_DELTAPOS to the parent, then the position moves
// by delta unless the parent returned non-zero.
bool bwizc_user_spin(CWnd* ctrl, int delta);
// Clicks in a report list at row `item`, column `sub_item`: the row becomes
// selected (LVN_ITEMCHANGED when that changes), then NM_CLICK with the point
// at the cell's left edge plus x_in_cell.
bool bwizc_user_click_list_item(CWnd* ctrl, int item, int sub_item = 0, int x_in_cell = 2);
// A key on a dialog: Return clicks the default button (or sends IDOK),
// Escape sends IDCANCEL, Tab moves the focus to the next tab stop.
bool bwizc_user_key(CWnd* dialog, UINT vk);
// The close box of a dialog: WM_CLOSE.
bool bwizc_user_close(CWnd* dialog);

// Conveniences: the control `id` of `dialog`.
bool bwizc_user_click(CWnd* dialog, UINT id);
bool bwizc_user_select(CWnd* dialog, UINT id, int index);
bool bwizc_user_select_text(CWnd* dialog, UINT id, const CString& text);
bool bwizc_user_type(CWnd* dialog, UINT id, const CString& chars);
bool bwizc_user_set_focus(CWnd* dialog, UINT id);
bool bwizc_user_move_slider(CWnd* dialog, UINT id, int pos);
