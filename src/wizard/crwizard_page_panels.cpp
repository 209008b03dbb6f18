// The border panels of a page frame, through the toolkit's panel class.
#include "wizard/crdialog.h"
#include "wizard/crwizard_page_frame.h"

#include "toolkit/cpanel.h"

CSize crpage_panel_prepare(CPANEL* panel, CRDIALOG* page, bool run_created_hook) {
    panel->add_controls();
    panel->create_in_dlg(page);
    if (run_created_hook) panel->on_panel_created();
    return panel->get_preferred_size();
}

void crpage_panel_place(CPANEL* panel, const CRect& rect) {
    panel->set_size(rect.Size());
    CWnd* wnd = panel->get_base_wnd();
    if (wnd && wnd->IsWindow()) wnd->MoveWindow(rect, TRUE);
    panel->do_layout(rect);
}

void crpage_panel_remove(CPANEL* panel, bool with_plain_controls) { panel->remove_all_controls(true, with_plain_controls); }

bool crpage_panel_owns_window(CPANEL* panel, CWnd* wnd) {
    if (!wnd) return false;
    if (panel->get_base_wnd() == wnd) return true;
    for (CPANEL::CCONTROL_INFO* info : panel->get_controls_list()) {
        if (info && info->element && info->element->get_base_wnd() == wnd) return true;
        CPANEL* nested = info && info->kind == 1 ? dynamic_cast<CPANEL*>(info->element) : nullptr;
        if (nested && crpage_panel_owns_window(nested, wnd)) return true;
    }
    return false;
}

