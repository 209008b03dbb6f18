// Painting of the symbol items on a device context.
#include "platform/dc.h"
#include "support/bwizc_global_fonts.h"
#include "symbol/crsymbol_item.h"
#include "symbol/crsymbol_outline.h"

namespace {

// Selects a pen for the lifetime of the object.
class PEN_SCOPE {
public:
    PEN_SCOPE(CDC* dc, int style, int width, COLORREF color) : m_dc(dc), m_pen(style, width, color) {
        m_old = dc->SelectObject(&m_pen);
    }
    ~PEN_SCOPE() { m_dc->SelectObject(m_old); }

private:
    CDC* m_dc;
    CPen m_pen;
    CPen* m_old;
};

// Shapes are outlines only; the preview background shows through.
class HOLLOW_SCOPE {
public:
    explicit HOLLOW_SCOPE(CDC* dc) : m_dc(dc) { m_old = dc->SelectObject(CBrush::null_brush()); }
    ~HOLLOW_SCOPE() { m_dc->SelectObject(m_old); }

private:
    CDC* m_dc;
    CBrush* m_old;
};

}  // namespace

void CRSYMBOL_LINE::paint(CDC* dc) {
    PEN_SCOPE pen(dc, m_pen_style, get_width_in_pixels(), m_color);
    dc->MoveTo(m_x, m_y);
    dc->LineTo(m_x + m_dx, m_y + m_dy);
    if (m_start_dot) {
        HOLLOW_SCOPE hollow(dc);
        dc->Ellipse(m_x - 1, m_y - 1, m_x + 1, m_y + 1);
    }
}

void CRSYMBOL_RECT::paint(CDC* dc) {
    PEN_SCOPE pen(dc, PS_SOLID, 1, m_color);
    const int r = m_x + m_width, b = m_y + m_height;
    dc->MoveTo(m_x, m_y);
    dc->LineTo(r, m_y);
    dc->LineTo(r, b);
    dc->LineTo(m_x, b);
    dc->LineTo(m_x, m_y);
}

void CRSYMBOL_CIRCLE::paint(CDC* dc) {
    PEN_SCOPE pen(dc, PS_SOLID, 1, m_color);
    HOLLOW_SCOPE hollow(dc);
    dc->Ellipse(m_x - m_radius, m_y - m_radius, m_x + m_radius, m_y + m_radius);
}

void CRSYMBOL_ARC::paint(CDC* dc) {
    PEN_SCOPE pen(dc, PS_SOLID, 1, m_color);
    dc->Arc(CRect(m_x - m_radius, m_y - m_radius, m_x + m_radius, m_y + m_radius), CPoint(m_start_x, m_start_y),
            CPoint(m_end_x, m_end_y));
}

void CRSYMBOL_TEXT::paint(CDC* dc) {
    LOGFONT lf;
    bwizc_global_create_LOGFONT(lf, m_points, m_direction == DIRHV_VERTICAL ? 900 : 0, m_font_name, dc);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old_font = dc->SelectObject(&font);
    const COLORREF old_color = dc->SetTextColor(m_color);
    const int old_mode = dc->SetBkMode(TRANSPARENT);
    const UINT old_align = dc->SetTextAlign(TA_LEFT | TA_TOP);
    dc->TextOut(m_left, m_top, m_text);
    dc->SetTextAlign(old_align);
    dc->SetBkMode(old_mode);
    dc->SetTextColor(old_color);
    dc->SelectObject(old_font);
}

void CRSYMBOL_PINSTUB::paint(CDC* dc) {
    m_text->paint(dc);
    m_line->paint(dc);
    if (m_bus_mark) m_bus_mark->paint(dc);
    if (m_bus_width_text) m_bus_width_text->paint(dc);
    if (m_clock) {
        PEN_SCOPE pen(dc, PS_SOLID, 1, m_color);
        const CPoint e = m_line->get_end_point();
        const int c = PINSTUB_CLOCK_LENGTH;
        dc->MoveTo(e.x, e.y - c);
        dc->LineTo(e.x + c, e.y);
        dc->LineTo(e.x, e.y + c);
    }
    // The cross marks where a wire connects; a pin without a name has none.
    const CString& text = m_text->get_text();
    if (!text.IsEmpty() && text != "-") {
        PEN_SCOPE pen(dc, PS_SOLID, 1, CROSS_COLOR);
        const CPoint s = m_line->get_start_point();
        const int h = PINSTUB_CROSS_LENGTH;
        dc->MoveTo(s.x - h, s.y - h);
        dc->LineTo(s.x + h, s.y + h);
        dc->MoveTo(s.x - h, s.y + h);
        dc->LineTo(s.x + h, s.y - h);
    }
}

// ---- outlines -------------------------------------------------------------


namespace {
// Siblings must not paint over each other: nested outlines overlap their parent.
constexpr DWORD CLIP_SIBLINGS_STYLE = 0x04000000;
}  // namespace

BOOL CRSYMBOL_OUTLINE::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!CPANEL::create_element(id, rect, parent, owner, style | CLIP_SIBLINGS_STYLE)) return FALSE;
    set_resource_id(id);
    m_first_outline_id = id + 1;
    UINT next = id + 1;
    for (CRSYMBOL_OUTLINE* nested : m_outlines) {
        nested->create_element(next++, nested->get_extent(), this, this, CLIP_SIBLINGS_STYLE);
    }
    return TRUE;
}

void CRSYMBOL_OUTLINE::paint(CDC* dc) {
    if (dc == nullptr) return;
    CRect client;
    GetClientRect(&client);
    // Not laid out yet.
    if (client.Width() == 1 && client.Height() == 1) return;
    CPANEL::paint(dc);
    paint_items(dc, false);
}

void CRSYMBOL_OUTLINE::paint_items(CDC* dc, bool with_nested) {
    for (auto* t : m_texts) t->paint(dc);
    for (auto* l : m_lines) l->paint(dc);
    for (auto* r : m_rects) r->paint(dc);
    for (auto* c : m_circles) c->paint(dc);
    for (auto* a : m_arcs) a->paint(dc);
    for (auto* s : m_pinstubs) s->paint(dc);
    if (m_is_box_symbol && m_title) m_title->paint(dc);
    if (!with_nested) return;
    for (CRSYMBOL_OUTLINE* nested : m_outlines) {
        const CPoint saved = dc->OffsetViewportOrg(nested->get_origin().x, nested->get_origin().y);
        nested->paint_items(dc, true);
        dc->SetViewportOrg(saved);
    }
}
