#include "toolkit/crui_element.h"

#include "platform/window.h"
#include "support/bwizc_global.h"
#include "toolkit/crui_look_and_feel.h"

CRUI_ELEMENT::CRUI_ELEMENT() = default;

CRUI_ELEMENT::~CRUI_ELEMENT() = default;

CRUI_DELEGATE* CRUI_ELEMENT::get_ui_delegate() const {
    if (m_ui_delegate) return m_ui_delegate;
    CRUI_LOOK_AND_FEEL* laf = crui_get_look_and_feel();
    return laf ? laf->get_ui_delegate(get_ui_delegate_class_id()) : nullptr;
}

HWND CRUI_ELEMENT::get_hWnd() const { return m_base_wnd ? m_base_wnd->GetSafeHwnd() : nullptr; }

BOOL CRUI_ELEMENT::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    (void)id, (void)rect, (void)parent, (void)owner, (void)style;
    return FALSE;
}

void CRUI_ELEMENT::destroy_element() {
    if (is_valid_window()) m_base_wnd->DestroyWindow();
    m_mouse_inside = m_hovering = false;
}

void CRUI_ELEMENT::do_layout(const CRect& rect) { (void)rect; }

bool CRUI_ELEMENT::is_valid_window() const { return m_base_wnd != nullptr && m_base_wnd->IsWindow(); }

BOOL CRUI_ELEMENT::create(UINT id, const CRect& rect, CWnd* parent, DWORD style) {
    return create_element(id, rect, parent, parent, style);
}

void CRUI_ELEMENT::set_focus() {
    if (is_valid_window()) m_base_wnd->SetFocus();
}

bool CRUI_ELEMENT::is_enabled() const { return is_valid_window() && m_base_wnd->IsWindowEnabled(); }

void CRUI_ELEMENT::enable(bool enable) {
    if (is_valid_window()) m_base_wnd->EnableWindow(enable ? TRUE : FALSE);
}

bool CRUI_ELEMENT::is_visible() const { return is_valid_window() && m_base_wnd->IsWindowVisible(); }

void CRUI_ELEMENT::show(bool show) {
    if (is_valid_window()) m_base_wnd->ShowWindow(show ? SW_SHOWNORMAL : SW_HIDE);
}

COLORREF CRUI_ELEMENT::get_default_color() const { return BWIZC_COLOR_BLACK; }
COLORREF CRUI_ELEMENT::get_default_disabled_color() const { return BWIZC_COLOR_GRAY; }
COLORREF CRUI_ELEMENT::get_default_background_color() const { return BWIZC_COLOR_VERY_VERY_LIGHT_GRAY; }
COLORREF CRUI_ELEMENT::get_default_disabled_background_color() const { return BWIZC_COLOR_VERY_LIGHT_GRAY; }
COLORREF CRUI_ELEMENT::get_default_border_color() const { return BWIZC_COLOR_GRAY; }
COLORREF CRUI_ELEMENT::get_default_disabled_border_color() const { return BWIZC_COLOR_LIGHT_GRAY; }

CFont* CRUI_ELEMENT::get_default_font() const {
    CFont* font = m_base_wnd ? m_base_wnd->GetFont() : nullptr;
    return font ? font : CFont::default_gui_font();
}

void CRUI_ELEMENT::handle_mouse_move(UINT flags, const CPoint& pt) {
    (void)flags, (void)pt;
    if (m_mouse_inside) return;
    m_mouse_inside = true;
    update();
}

void CRUI_ELEMENT::handle_mouse_leave() {
    m_mouse_inside = false;
    m_hovering = false;
    update();
}

void CRUI_ELEMENT::handle_mouse_hover(UINT flags, const CPoint& pt) {
    (void)flags, (void)pt;
    m_hovering = true;
    update();
}

bool CRUI_ELEMENT::contains(int x, int y) const {
    return is_valid_window() && m_base_wnd->get_rect().PtInRect(CPoint(x, y));
}

CSize CRUI_ELEMENT::get_preferred_size() {
    if (m_size != CSize(-1, -1)) return m_size;
    if (m_creation_size != CSize(-1, -1)) return m_creation_size;
    if (is_valid_window()) return m_base_wnd->get_rect().Size();
    return CSize(0, 0);
}

CRect CRUI_ELEMENT::get_creation_rect() {
    CSize size = get_preferred_size();
    if (m_creation_size.cx != -1) size.cx = m_creation_size.cx;
    if (m_creation_size.cy != -1) size.cy = m_creation_size.cy;
    return CRect(0, 0, size.cx, size.cy);
}

void CRUI_ELEMENT::paint(CDC* dc) { (void)dc; }

void CRUI_ELEMENT::update() {
    if (is_valid_window()) m_base_wnd->Invalidate();
}

LRESULT CRUI_ELEMENT::window_proc(UINT message, WPARAM wParam, LPARAM lParam) {
    const CPoint pt(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                    static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))));
    switch (message) {
    case WM_MOUSEMOVE: handle_mouse_move(static_cast<UINT>(wParam), pt); return 1;
    case WM_MOUSEHOVER: handle_mouse_hover(static_cast<UINT>(wParam), pt); return 1;
    case WM_MOUSELEAVE: handle_mouse_leave(); return 1;
    default: return 0;
    }
}

void CRUI_ELEMENT::move_element(const CRect& rect, bool repaint) {
    if (is_valid_window()) m_base_wnd->MoveWindow(rect, repaint ? TRUE : FALSE);
}
