#include "wizard/crwizard_page_base.h"

#include <algorithm>

#include "platform/registered_messages.h"
#include "services/mfam.h"
#include "symbol/crsymbol.h"
#include "wizard/bwizc_resource_info.h"
#include "wizard/crwizard_base.h"

CRWIZARD_PAGE_BASE::CRWIZARD_PAGE_BASE() { install_page_handlers(); }

CRWIZARD_PAGE_BASE::CRWIZARD_PAGE_BASE(UINT template_id, CWnd* parent) : CRDIALOG(template_id, parent) {
    install_page_handlers();
}

CRWIZARD_PAGE_BASE::~CRWIZARD_PAGE_BASE() = default;

void CRWIZARD_PAGE_BASE::install_page_handlers() {
    const struct {
        UINT message;
        LRESULT (CRWIZARD_PAGE_BASE::*handler)(WPARAM, LPARAM);
    } handlers[] = {
        {WM_BWIZC_RESOURCE_INFO_THREAD_TERMINATED, &CRWIZARD_PAGE_BASE::on_resource_info_thread_terminated},
        {WM_BWIZC_SIMLIB_INFO_THREAD_TERMINATED, &CRWIZARD_PAGE_BASE::on_simlib_info_thread_terminated},
        {WM_BWIZC_TCL_SHELL_THREAD_TERMINATED, &CRWIZARD_PAGE_BASE::on_tcl_shell_thread_terminated},
        {WM_BWIZC_WIZ_PAGE_FINISH, &CRWIZARD_PAGE_BASE::on_wiz_page_finish},
        {WM_BWIZC_WIZ_PAGE_NEXT, &CRWIZARD_PAGE_BASE::on_wiz_page_next},
        {WM_BWIZC_WIZ_PAGE_PREV, &CRWIZARD_PAGE_BASE::on_wiz_page_prev},
        {WM_BWIZC_WIZ_PAGE_CANCEL, &CRWIZARD_PAGE_BASE::on_wiz_page_cancel},
        {WM_BWIZC_WIZ_PAGE_HELP_BUTTON_PRESSED, &CRWIZARD_PAGE_BASE::on_wiz_page_help_button_pressed},
        {WM_BWIZC_WIZ_PAGE_ABOUT_BUTTON_PRESSED, &CRWIZARD_PAGE_BASE::on_wiz_page_about_button_pressed},
        {WM_BWIZC_WIZ_PAGE_CGX_DEVICE_FAMILY_SELECTION_CHANGED,
         &CRWIZARD_PAGE_BASE::on_wiz_page_cgx_device_family_selection_changed},
        {WM_BWIZC_WIZ_PAGE_INVALIDATE_AND_UPDATE, &CRWIZARD_PAGE_BASE::on_wiz_page_invalidate_and_update},
    };
    for (const auto& entry : handlers) {
        auto handler = entry.handler;
        set_message_handler(entry.message, [this, handler](WPARAM w, LPARAM l) { return (this->*handler)(w, l); });
    }
}

void CRWIZARD_PAGE_BASE::set_page_nav_info(const CString& parent_item_id, const CString& button_label,
                                           const CString& page_id) {
    m_nav_parent_item_id = parent_item_id;
    m_nav_button_label = button_label;
    m_page_id = page_id.IsEmpty() ? parent_item_id + "#" + button_label : page_id;
}

// ------------------------------------------------------------------ frame

namespace {
// Panels are prepared in this order; OUTER_BOTTOM and INNER_TOP run their
// creation hook only the first time.
const CRPAGE_FRAME_POSITION prepare_order[] = {
    CRPAGE_FRAME_INNER_BOTTOM, CRPAGE_FRAME_OUTER_BOTTOM, CRPAGE_FRAME_OUTER_TOP,  CRPAGE_FRAME_INNER_TOP,
    CRPAGE_FRAME_INNER_LEFT,   CRPAGE_FRAME_OUTER_LEFT,   CRPAGE_FRAME_INNER_RIGHT, CRPAGE_FRAME_OUTER_RIGHT,
};
}  // namespace

void CRWIZARD_PAGE_BASE::pack_page(bool first_time, const CPoint& corner, bool position_flag) {
    CSize sizes[CRPAGE_FRAME_POSITION_COUNT];
    CPANEL* panels[CRPAGE_FRAME_POSITION_COUNT] = {};
    for (CRPAGE_FRAME_POSITION position : prepare_order) {
        CPANEL* panel = get_border_panel(crpage_frame_position_name(position));
        panels[position] = panel;
        if (!panel) continue;
        const bool creation_hook_every_time =
            position != CRPAGE_FRAME_OUTER_BOTTOM && position != CRPAGE_FRAME_INNER_TOP;
        sizes[position] = crpage_panel_prepare(panel, this, first_time || creation_hook_every_time);
    }

    int tallest = 0;
    if (m_wizard_base) tallest = std::max(0, m_wizard_base->get_max_last_dlg_size(m_last_dlg_size).cy);
    const CRPAGE_FRAME_LAYOUT layout = crpage_compute_frame_layout(m_content_size, sizes, tallest);

    position_page(layout.frame, corner, position_flag);
    for (int i = 0; i < CRPAGE_FRAME_POSITION_COUNT; ++i) {
        CPANEL* panel = panels[i];
        if (!panel) continue;
        crpage_panel_place(panel, layout.panels[i]);
    }
    move_dialog_controls(layout.content_origin.x - m_content_origin.x, layout.content_origin.y - m_content_origin.y);
    m_content_origin = layout.content_origin;

    on_page_packed();
    m_last_dlg_size = layout.frame;
}

void CRWIZARD_PAGE_BASE::unpack_page(bool forget) {
    for (int i = 0; i < CRPAGE_FRAME_POSITION_COUNT; ++i) {
        const CRPAGE_FRAME_POSITION position = static_cast<CRPAGE_FRAME_POSITION>(i);
        CPANEL* panel = get_border_panel(crpage_frame_position_name(position));
        if (!panel) continue;
        const bool with_plain_controls = position == CRPAGE_FRAME_OUTER_TOP || position == CRPAGE_FRAME_OUTER_LEFT;
        crpage_panel_remove(panel, with_plain_controls);
    }
    if (forget) forget_border_panels();
    on_page_unpacked();
}

bool CRWIZARD_PAGE_BASE::is_border_panel_window(CWnd* wnd) {
    for (int i = 0; i < CRPAGE_FRAME_POSITION_COUNT; ++i) {
        CPANEL* panel = get_border_panel(crpage_frame_position_name(static_cast<CRPAGE_FRAME_POSITION>(i)));
        if (panel && crpage_panel_owns_window(panel, wnd)) return true;
    }
    return false;
}

void CRWIZARD_PAGE_BASE::position_page(const CSize& size, const CPoint& corner, bool /*position_flag*/) {
    if (!IsWindow()) return;
    if (m_wizard_base && m_wizard_base->needs_first_page_centering()) {
        const CSize screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        const CPoint top_left((screen.cx - size.cx) / 2, (screen.cy - size.cy) / 2);
        MoveWindow(CRect(top_left, size), TRUE);
        m_wizard_base->set_need_first_page_centering(false);
    } else {
        MoveWindow(CRect(corner - size, corner), TRUE);
    }
}

// ------------------------------------------------------------ device family

void CRWIZARD_PAGE_BASE::set_cgx_device_family_obj(const BWIZC_RDEVICE_FAMILY* family, bool remember_previous) {
    if (m_wizard_base) m_wizard_base->set_cgx_device_family_obj(family, remember_previous);
}

const BWIZC_RDEVICE_FAMILY* CRWIZARD_PAGE_BASE::get_cgx_device_family_obj() {
    return m_wizard_base ? m_wizard_base->get_cgx_device_family_obj() : CGX_DEFAULT_DEVICE_FAMILY;
}

CString CRWIZARD_PAGE_BASE::get_cgx_device_family() {
    const BWIZC_RDEVICE_FAMILY* family = get_cgx_device_family_obj();
    return family ? family->get_family_name() : CString();
}

bool CRWIZARD_PAGE_BASE::set_cgx_device_family(const CString& name) {
    return m_wizard_base && m_wizard_base->set_cgx_device_family(name);
}

LRESULT CRWIZARD_PAGE_BASE::on_wiz_page_cgx_device_family_selection_changed(WPARAM /*wparam*/, LPARAM lparam) {
    // The device-family box sends its selected text along.
    if (const CString* selected = reinterpret_cast<const CString*>(lparam)) set_cgx_combobox_device_family(*selected);
    const CString preferred = mfam_get_preferred_user_family_name(get_cgx_combobox_device_family());
    const BWIZC_RDEVICE_FAMILY* family = bwizc_global_get_device_family(preferred);
    if (family) set_cgx_device_family_obj(family, false);
    on_cgx_device_combobox_sel_changed();
    invalidate_and_update_page(true);
    return 0;
}

// ---------------------------------------------------------- other messages

LRESULT CRWIZARD_PAGE_BASE::on_resource_info_thread_terminated(WPARAM, LPARAM) {
    if (!m_wizard_base) return 0;
    if (CRSYMBOL* symbol = m_wizard_base->get_symbol_decorator()) symbol->set_resource_text(bwizc_get_resource_info_string());
    if (m_wizard_base->is_resource_info_update_enabled() && !m_wizard_base->is_silent_mode()) {
        CWnd* focus = CWnd::GetFocus();
        invalidate_wizard_page();
        if (focus && CWnd::IsWindow(focus->GetSafeHwnd())) focus->SetFocus();
    }
    return 0;
}
LRESULT CRWIZARD_PAGE_BASE::on_simlib_info_thread_terminated(WPARAM, LPARAM) { return 0; }
LRESULT CRWIZARD_PAGE_BASE::on_tcl_shell_thread_terminated(WPARAM, LPARAM) { return 0; }
LRESULT CRWIZARD_PAGE_BASE::on_wiz_page_help_button_pressed(WPARAM, LPARAM) { return 0; }
LRESULT CRWIZARD_PAGE_BASE::on_wiz_page_about_button_pressed(WPARAM, LPARAM) { return 0; }

// ------------------------------------------------------ invalidate and update

void CRWIZARD_PAGE_BASE::invalidate_and_update_page(bool flag) {
    if (!m_invalidate_and_update_enabled || !IsWindow()) return;
    SendMessage(WM_BWIZC_WIZ_PAGE_INVALIDATE_AND_UPDATE, 0, flag ? 1 : 0);
}

LRESULT CRWIZARD_PAGE_BASE::on_wiz_page_invalidate_and_update(WPARAM /*wparam*/, LPARAM lparam) {
    CWnd* focus = CWnd::GetFocus();
    if (focus) {
        // The button bar and the navigation panel: their clicks must not
        // re-lay the page out under the mouse.
        const int id = focus->GetDlgCtrlID();
        if ((id >= 10 && id <= 29) || (id >= 50 && id <= 149)) return 0;
    }
    if (lparam > 0) {
        const bool silent = m_wizard_base && m_wizard_base->is_silent_mode();
        update_resource_info(!silent && m_wizard_base && m_wizard_base->is_resource_info_update_enabled(), true);
    }
    invalidate_wizard_page();
    if (focus && CWnd::IsWindow(focus->GetSafeHwnd())) focus->SetFocus();
    return 0;
}

void CRWIZARD_PAGE_BASE::update_resource_info(bool /*estimate*/, bool /*flag*/) {}

bool CRWIZARD_PAGE_BASE::on_end_dialog() {
    if (IsWindow() && m_wizard_base) {
        CRect rect;
        GetWindowRect(&rect);
        m_wizard_base->set_wizard_page_BR_point(rect.BottomRight());
    }
    unpack_page(false);
    return true;
}

void CRWIZARD_PAGE_BASE::invalidate_wizard_page() {
    if (!IsWindow() || !m_wizard_base) return;
    if (CRSYMBOL* symbol = m_wizard_base->get_symbol_decorator()) symbol->update_controls();
    unpack_page(false);
    pack_page(false, m_wizard_base->get_wizard_page_BR_point(), false);
    CRect rect;
    GetWindowRect(&rect);
    m_wizard_base->set_wizard_page_BR_point(rect.BottomRight());
    m_wizard_base->set_wizard_page_has_moved(true);
    Invalidate();
}
