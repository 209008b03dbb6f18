#include "toolkit/crstatic.h"

#include "support/bwizc_global.h"
#include "support/bwizc_global_fonts.h"

CRSTATIC::CRSTATIC()
    : m_background_color(get_default_background_color()),
      m_disabled_background_color(get_default_disabled_background_color()),
      m_gradient_color(get_default_background_color()),
      m_border_color(get_default_border_color()) {
    set_base_wnd(this);
}

BOOL CRSTATIC::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    const BWIZC_WND_KIND kind = is_custom_drawn() ? BWIZC_KIND_CUSTOM : BWIZC_KIND_STATIC;
    if (!CreateEx(kind, 0, GetWindowText(), WS_CHILD | WS_VISIBLE | style, rect, parent, id)) return FALSE;
    if (owner != nullptr && owner != parent) SetOwner(owner);
    return TRUE;
}

void CRSTATIC::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) { raise_event(message, notify_code); }

void CRSTATIC::on_attach_control() { make_transparent(); }

bool CRSTATIC::is_custom_drawn() const {
    return m_opaque || m_border_sides[0] >= 1 || m_border_sides[1] >= 1 || m_border_sides[2] >= 1 ||
           m_border_sides[3] >= 1;
}

void CRSTATIC::set_opaque(bool opaque) {
    m_opaque = opaque;
    update();
}

void CRSTATIC::set_background_color(COLORREF color) {
    m_background_color = color;
    update();
}

void CRSTATIC::set_gradient(int mode, COLORREF to_color, bool vertical) {
    m_gradient_mode = mode;
    m_gradient_color = to_color;
    m_gradient_vertical = vertical;
    update();
}

void CRSTATIC::set_border_side(BORDER_SIDE side, int flag) {
    m_border_sides[side] = flag;
    update();
}

void CRSTATIC::set_border_sides(int top, int right, int bottom, int left) {
    m_border_sides[BORDER_TOP] = top;
    m_border_sides[BORDER_RIGHT] = right;
    m_border_sides[BORDER_BOTTOM] = bottom;
    m_border_sides[BORDER_LEFT] = left;
    update();
}

void CRSTATIC::paint(CDC* dc) {
    if (dc == nullptr) return;
    if (CRUI_DELEGATE* ui = get_ui_delegate(); ui != nullptr && ui->paint(this, dc)) return;
    CRect client;
    GetClientRect(&client);
    const bool enabled = IsWindowEnabled() != FALSE;
    if (m_opaque) {
        const COLORREF background = enabled ? m_background_color : m_disabled_background_color;
        if (m_gradient_mode == 1) {
            bwizc_global_draw_gradient_rect(dc, client, background, m_gradient_color, m_gradient_vertical);
        } else {
            dc->FillSolidRect(client, background);
        }
    }
    const int width = m_border_style == 1 ? 2 : 1;
    CPen pen(PS_SOLID, width, m_border_color);
    CPen* old_pen = dc->SelectObject(&pen);
    // The pen straddles the edge, so pull the far edges in by the pen width.
    const int right = client.right - width / 2 - (width % 2);
    const int bottom = client.bottom - width / 2 - (width % 2);
    const int left = client.left + width / 2;
    const int top = client.top + width / 2;
    if (m_border_sides[BORDER_TOP] >= 1) { dc->MoveTo(client.left, top); dc->LineTo(client.right, top); }
    if (m_border_sides[BORDER_RIGHT] >= 1) { dc->MoveTo(right, client.top); dc->LineTo(right, client.bottom); }
    if (m_border_sides[BORDER_BOTTOM] >= 1) { dc->MoveTo(client.left, bottom); dc->LineTo(client.right, bottom); }
    if (m_border_sides[BORDER_LEFT] >= 1) { dc->MoveTo(left, client.top); dc->LineTo(left, client.bottom); }
    dc->SelectObject(old_pen);
}

void CRSTATIC::OnPaint() {
    if (!is_custom_drawn()) {
        CStatic::OnPaint();
        return;
    }
    CPaintDC dc(this);
    paint(&dc);
    if (get_kind() == BWIZC_KIND_STATIC && GetWindowTextLength() > 0) {
        // A bound dialog label that became opaque keeps showing its text.
        CRect client;
        GetClientRect(&client);
        LOGFONT lf = get_effective_font();
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* old_font = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(IsWindowEnabled() ? get_default_color() : get_default_disabled_color());
        const DWORD align = GetStyle() & SS_TYPEMASK;
        UINT format = DT_WORDBREAK | (align == SS_CENTER ? DT_CENTER : align == SS_RIGHT ? DT_RIGHT : DT_LEFT);
        if (GetStyle() & SS_NOPREFIX) format |= DT_NOPREFIX;
        dc.DrawText(GetWindowText(), &client, format);
        dc.SelectObject(old_font);
    }
}

HBRUSH CRSTATIC::CtlColor(CDC* dc, UINT ctl_color) {
    if (!m_opaque) return CStatic::CtlColor(dc, ctl_color);
    const COLORREF background = IsWindowEnabled() ? m_background_color : m_disabled_background_color;
    m_background_brush.DeleteObject();
    m_background_brush.CreateSolidBrush(background);
    if (dc != nullptr) dc->SetBkColor(background);
    return m_background_brush;
}

// ----------------------------------------------------------- CRSTATIC_GROUP

CRSTATIC_GROUP::CRSTATIC_GROUP() { set_base_wnd(this); }

BOOL CRSTATIC_GROUP::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CButton::Create(GetWindowText(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX | style, rect, parent, id)) return FALSE;
    if (owner != nullptr && owner != parent) SetOwner(owner);
    return TRUE;
}

void CRSTATIC_GROUP::update_state(UINT message, UINT notify_code, WPARAM, LPARAM) {
    raise_event(message, notify_code);
}
