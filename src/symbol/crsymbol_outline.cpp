#include "symbol/crsymbol_outline.h"

#include <algorithm>

#include "support/bwizc_global.h"
#include "symbol/crsymbol_text_metrics.h"

CRSYMBOL_OUTLINE::CRSYMBOL_OUTLINE(const CString& name, CPoint origin)
    : CPANEL(0, CPANEL::VERTICAL), m_outline_name(name), m_origin(origin) {}

CRSYMBOL_OUTLINE::~CRSYMBOL_OUTLINE() { remove_all_items(); }

namespace {
template <class T>
void delete_items(BWIZC_ARRAY<T*>& list) {
    for (T* item : list) delete item;
    list.remove_all();
}
}  // namespace

void CRSYMBOL_OUTLINE::remove_all_items() {
    delete_items(m_outlines);
    delete_items(m_points);
    delete_items(m_lines);
    delete_items(m_rects);
    delete_items(m_circles);
    delete_items(m_arcs);
    delete_items(m_texts);
    delete_items(m_pinstubs);
    delete m_title;
    m_title = nullptr;
    m_changed = true;
}

// ---- adding ---------------------------------------------------------------

CRSYMBOL_POINT* CRSYMBOL_OUTLINE::add_point(int x, int y) { return added(m_points, new CRSYMBOL_POINT(x, y, m_color)); }
CRSYMBOL_POINT* CRSYMBOL_OUTLINE::add_point(CRSYMBOL_POINT* point) { return added(m_points, point); }

CRSYMBOL_LINE* CRSYMBOL_OUTLINE::add_line(int x, int y, int dx, int dy, LINE_WIDTH width) {
    return added(m_lines, new CRSYMBOL_LINE(x, y, dx, dy, m_color, 0, width));
}
CRSYMBOL_LINE* CRSYMBOL_OUTLINE::add_line(CPoint from, CPoint to, LINE_WIDTH width) {
    return add_line(from.x, from.y, to.x - from.x, to.y - from.y, width);
}
CRSYMBOL_LINE* CRSYMBOL_OUTLINE::add_line(CPoint from, CSize delta, LINE_WIDTH width) {
    return add_line(from.x, from.y, delta.cx, delta.cy, width);
}
CRSYMBOL_LINE* CRSYMBOL_OUTLINE::add_line(CRSYMBOL_LINE* line) { return added(m_lines, line); }

CRSYMBOL_RECT* CRSYMBOL_OUTLINE::add_rect(int x, int y, int w, int h) {
    return added(m_rects, new CRSYMBOL_RECT(x, y, w, h, m_color));
}
CRSYMBOL_RECT* CRSYMBOL_OUTLINE::add_rect(CPoint tl, CPoint br) { return add_rect(tl.x, tl.y, br.x - tl.x, br.y - tl.y); }
CRSYMBOL_RECT* CRSYMBOL_OUTLINE::add_rect(CPoint tl, CSize size) { return add_rect(tl.x, tl.y, size.cx, size.cy); }
CRSYMBOL_RECT* CRSYMBOL_OUTLINE::add_rect(const CRect& r) { return add_rect(r.left, r.top, r.Width(), r.Height()); }
CRSYMBOL_RECT* CRSYMBOL_OUTLINE::add_rect(CRSYMBOL_RECT* rect) { return added(m_rects, rect); }

CRSYMBOL_CIRCLE* CRSYMBOL_OUTLINE::add_circle(int x, int y, int r) {
    return added(m_circles, new CRSYMBOL_CIRCLE(x, y, r, m_color));
}

CRSYMBOL_ARC* CRSYMBOL_OUTLINE::add_arc(int cx, int cy, int r, int sx, int sy, int ex, int ey) {
    return added(m_arcs, new CRSYMBOL_ARC(cx, cy, r, sx, sy, ex, ey, m_color));
}
CRSYMBOL_ARC* CRSYMBOL_OUTLINE::add_arc(CPoint c, int r, CPoint s, CPoint e) {
    return add_arc(c.x, c.y, r, s.x, s.y, e.x, e.y);
}

CRSYMBOL_TEXT* CRSYMBOL_OUTLINE::add_text(int x, int y, const CString& text, COLORREF color, int points,
                                          HOTTEXT anchor, DIRHV direction, const CString& font, int x_gap,
                                          int y_gap) {
    const COLORREF saved = m_color;
    m_color = color;
    CRSYMBOL_TEXT* item = added(m_texts, new CRSYMBOL_TEXT(x, y, text, m_color, points, anchor, direction, font,
                                                           x_gap, y_gap));
    m_color = saved;
    return item;
}
CRSYMBOL_TEXT* CRSYMBOL_OUTLINE::add_text(CRSYMBOL_TEXT* text) { return added(m_texts, text); }

CRSYMBOL_TEXT* CRSYMBOL_OUTLINE::add_title_text(const CString& text) {
    return add_title_text(text, get_extent().Width());
}

CRSYMBOL_TEXT* CRSYMBOL_OUTLINE::add_title_text(const CString& text, int max_width) {
    const CRect extent = get_extent();
    const CString shown = crsymbol_trim_text(text, max_width, CRSYMBOL_TEXT::SYM_TEXT_HEIGHT,
                                             CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME);
    const int h = crsymbol_measure_text(shown, CRSYMBOL_TEXT::SYM_TEXT_HEIGHT, CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME).cy;
    return add_title_text(extent.Width() / 2, extent.top + h, shown, max_width, BWIZC_COLOR_TEAL);
}

CRSYMBOL_TEXT* CRSYMBOL_OUTLINE::add_title_text(int x, int y, const CString& text, int max_width, COLORREF color,
                                                int points, HOTTEXT anchor, DIRHV direction, const CString& font) {
    delete m_title;
    m_title = new CRSYMBOL_TEXT(x, y, crsymbol_trim_text(text, max_width, points, font), color, points, anchor,
                                direction, font);
    ++m_item_count;
    m_changed = true;
    return m_title;
}

CRSYMBOL_PINSTUB* CRSYMBOL_OUTLINE::add_pinstub(int x, int y, int dx, int dy, const CString& name, int width,
                                                bool single_bit_as_pin, PIN_IO_TYPE io_type, HOTTEXT anchor,
                                                CRSYMBOL_PINSTUB::PINSTUBHP text_side, DIRHV direction,
                                                CRSYMBOL_PINSTUB::CLOCKPIN clock) {
    LINE_WIDTH line_width = THIN;
    CString visible, real;
    CRSYMBOL_PINSTUB::get_bus_properties(name, width, line_width, visible, real, single_bit_as_pin);
    return added(m_pinstubs, new CRSYMBOL_PINSTUB(x, y, dx, dy, visible, real, line_width, io_type, anchor,
                                                  text_side, direction, m_color, clock, 0));
}

CRSYMBOL_PINSTUB* CRSYMBOL_OUTLINE::add_pinstub(CRSYMBOL_LINE* line, CRSYMBOL_TEXT* text, const CString& name,
                                                PIN_IO_TYPE io_type) {
    return added(m_pinstubs, new CRSYMBOL_PINSTUB(line, text, name, io_type));
}
CRSYMBOL_PINSTUB* CRSYMBOL_OUTLINE::add_pinstub(CRSYMBOL_PINSTUB* stub) { return added(m_pinstubs, stub); }

CRSYMBOL_OUTLINE* CRSYMBOL_OUTLINE::add_symbol_outline(CRSYMBOL_OUTLINE* outline, int position) {
    if (position == 0 || position == -1) {
        m_outlines.add(outline);
    } else {
        m_outlines.insert_at(position > 0 ? position - 1 : -position - 2, outline);
    }
    ++m_item_count;
    m_changed = true;
    return outline;
}

// ---- geometry -------------------------------------------------------------

CRect CRSYMBOL_OUTLINE::get_extent() {
    CRect u;
    auto unite = [&u](const CRect& r) { u.UnionRect(u, r); };
    for (auto* p : m_points) unite(p->get_extent());
    for (auto* l : m_lines) unite(l->get_extent());
    for (auto* r : m_rects) unite(r->get_extent());
    for (auto* c : m_circles) unite(c->get_extent());
    for (auto* a : m_arcs) unite(a->get_extent());
    // A box symbol's first text labels the box from inside; it must not grow it.
    for (int i = m_is_box_symbol ? 1 : 0; i < m_texts.get_size(); ++i) unite(m_texts.get_at(i)->get_extent());
    for (auto* s : m_pinstubs) unite(s->get_extent());
    for (auto* o : m_outlines) unite(o->get_extent());
    const int right = std::max(0, u.right + m_extra_right);
    const int bottom = std::max(0, u.bottom + m_extra_bottom);
    m_extent = CRect(m_origin.x, m_origin.y, m_origin.x + right, m_origin.y + bottom);
    return m_extent;
}

CSize CRSYMBOL_OUTLINE::get_preferred_size() {
    const CSize set = get_size();
    if (set.cx != -1 || set.cy != -1) return set;
    return get_extent().Size();
}

// ---- writing --------------------------------------------------------------

CString CRSYMBOL_OUTLINE::generate_cnx(int height, CPoint origin, bool flag) {
    const CPoint eff = origin + m_origin;
    const CRect extent = get_extent();
    const int w = extent.Width(), h = extent.Height();
    CString out;
    if (m_is_box_symbol && m_title) {
        out.Format("SYMBOL: BOX %d %d %d %d %s,%d\n", w - 1, h - 1, eff.x + m_title->get_left(),
                   (h - 1) - m_title->get_y() + eff.y, m_title->get_font_name().c_str(), m_title->get_point_size());
    }
    if (!m_frame.IsRectEmpty()) add_rect(origin.x, origin.y, w, h);
    for (auto* l : m_lines) out += l->generate_cnx(height, eff, flag);
    for (auto* r : m_rects) out += r->generate_cnx(height, eff, flag);
    for (auto* c : m_circles) out += c->generate_cnx(height, eff, flag);
    for (auto* a : m_arcs) out += a->generate_cnx(height, eff, flag);
    for (auto* t : m_texts) out += t->generate_cnx(height, eff, flag);
    for (auto* s : m_pinstubs) out += s->generate_cnx(height, eff, flag);
    for (auto* o : m_outlines) out += o->generate_cnx(height, eff, flag);
    return out;
}
