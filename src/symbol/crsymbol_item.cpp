#include "symbol/crsymbol_item.h"

#include <algorithm>

#include "symbol/crsymbol_text_metrics.h"

const char* const CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME = "Arial";
const char* const CRSYMBOL_PINSTUB::PINSTUB_TEXT_FONT_NAME = "Arial";

namespace {

const char* width_word(LINE_WIDTH w) { return w == THICK ? "THICK" : "THIN"; }

CString line_record(CPoint a, CPoint b, const char* style, const char* width) {
    CString s;
    s.Format("SYMBOL: LINE %d %d %d %d %s %s\n", a.x, a.y, b.x, b.y, style, width);
    return s;
}

CString plain_line_record(CPoint a, CPoint b) {
    CString s;
    s.Format("SYMBOL: LINE %d %d %d %d\n", a.x, a.y, b.x, b.y);
    return s;
}

}  // namespace

CString CRSYMBOL_ITEM::generate_cnx(int, const CPoint&, bool) { return CString(); }

// ---- line -----------------------------------------------------------------

CRect CRSYMBOL_LINE::get_extent() {
    if (m_dx == 0 && m_dy == 0) return CRect();
    const int x0 = std::min(m_x, m_x + m_dx), x1 = std::max(m_x, m_x + m_dx);
    const int y0 = std::min(m_y, m_y + m_dy), y1 = std::max(m_y, m_y + m_dy);
    const int w = get_width_in_pixels();
    // An axis-parallel line gets its pen width as thickness, so it still counts.
    if (m_dy == 0) return CRect(x0, m_y - w, x1, m_y);
    if (m_dx == 0) return CRect(m_x - w, y0, m_x, y1);
    return CRect(x0, y0, x1, y1);
}

CString CRSYMBOL_LINE::generate_cnx(int height, const CPoint& origin, bool) {
    return line_record(crsymbol_to_file(m_x, m_y, height, origin),
                       crsymbol_to_file(m_x + m_dx, m_y + m_dy, height, origin), "SOLID", width_word(m_width));
}

// ---- rectangle ------------------------------------------------------------

CRect CRSYMBOL_RECT::get_extent() {
    const int x0 = std::min(m_x, m_x + m_width), x1 = std::max(m_x, m_x + m_width);
    const int y0 = std::min(m_y, m_y + m_height), y1 = std::max(m_y, m_y + m_height);
    return CRect(x0, y0, x1 + 1, y1 + 1);
}

CString CRSYMBOL_RECT::generate_cnx(int height, const CPoint& origin, bool) {
    const int r = m_x + m_width, b = m_y + m_height;
    auto f = [&](int x, int y) { return crsymbol_to_file(x, y, height, origin); };
    return plain_line_record(f(m_x, m_y), f(r, m_y)) + plain_line_record(f(r, m_y), f(r, b)) +
           plain_line_record(f(m_x, b), f(r, b)) + plain_line_record(f(m_x, m_y), f(m_x, b));
}

// ---- circle and arc -------------------------------------------------------

CString CRSYMBOL_CIRCLE::generate_cnx(int height, const CPoint& origin, bool) {
    const CPoint c = crsymbol_to_file(m_x, m_y, height, origin);
    CString s;
    s.Format("SYMBOL: CIRCLE %d %d %d %s\n", c.x, c.y, m_radius, "FALSE");
    return s;
}

CString CRSYMBOL_ARC::generate_cnx(int height, const CPoint& origin, bool) {
    const CPoint c = crsymbol_to_file(m_x, m_y, height, origin);
    const CPoint s0 = crsymbol_to_file(m_start_x, m_start_y, height, origin);
    const CPoint e = crsymbol_to_file(m_end_x, m_end_y, height, origin);
    CString s;
    s.Format("SYMBOL: ARC %d %d %d %d %d %d %d\n", c.x, c.y, s0.x, s0.y, e.x, e.y, m_radius);
    return s;
}

// ---- text -----------------------------------------------------------------

CRSYMBOL_TEXT::CRSYMBOL_TEXT(int x, int y, const CString& text, COLORREF color, int points, HOTTEXT anchor,
                             DIRHV direction, const CString& font_name, int x_gap, int y_gap)
    : CRSYMBOL_ITEM(x, y, color), m_points(points), m_text(text), m_font_name(font_name), m_anchor(anchor),
      m_direction(direction) {
    const CSize size = crsymbol_measure_text(text, points, font_name, false);
    m_text_width = size.cx;
    m_text_height = size.cy;
    const int column = static_cast<int>(anchor) % 3, row = static_cast<int>(anchor) / 3;
    int h_off = column == 0 ? -x_gap : column == 1 ? m_text_width / 2 : m_text_width + x_gap - 1;
    int v_off = row == 0 ? -y_gap : row == 1 ? m_text_height / 2 : m_text_height + y_gap - 1;
    if (direction == DIRHV_VERTICAL) {
        // Rotated text runs upwards: its length lies along y.
        const int t = h_off;
        h_off = v_off;
        v_off = -t;
    }
    m_left = x - h_off;
    m_top = y - v_off;
}

CRect CRSYMBOL_TEXT::get_extent() {
    return CRect(std::max(0, m_left), std::max(0, m_top), std::max(0, m_left + m_text_width),
                 std::max(0, m_top + m_text_height));
}

CString CRSYMBOL_TEXT::generate_cnx(int height, const CPoint& origin, bool) {
    const CPoint p = crsymbol_to_file(m_left, m_top + m_text_height, height, origin);
    CString s;
    s.Format("SYMBOL: TEXT \"%s\" %d %d %s %s,%d\n", m_text.c_str(), p.x, p.y,
             m_direction == DIRHV_VERTICAL ? "VERT" : "HORIZ", m_font_name.c_str(), m_points);
    return s;
}

CSize CRSYMBOL_TEXT::get_info_text_extent(const CString& text) {
    return crsymbol_measure_text(text, SYM_INFO_TEXT_HEIGHT, SYM_TEXT_FONT_NAME, false);
}

// ---- pin stub -------------------------------------------------------------

CRSYMBOL_PINSTUB::CRSYMBOL_PINSTUB(int x, int y, int dx, int dy, const CString& text, const CString& pin_name,
                                   LINE_WIDTH width, PIN_IO_TYPE io_type, HOTTEXT text_anchor,
                                   PINSTUBHP text_side, DIRHV text_direction, COLORREF color, CLOCKPIN clock,
                                   int bus_width, int bus_mark_x)
    : CRSYMBOL_ITEM(x, y, color), m_pin_name(pin_name.IsEmpty() ? text : pin_name), m_io_type(io_type),
      m_clock(clock == CLOCK) {
    m_line = new CRSYMBOL_LINE(x, y, dx, dy, color, 0, width, false);
    int tx = x, ty = y;
    if (text_side == TEXT_AT_END) {
        tx = x + dx;
        ty = y + dy;
        // Past the clock wedge drawn at the stub's end.
        if (m_clock) tx += PINSTUB_CLOCK_LENGTH;
    }
    m_text = new CRSYMBOL_TEXT(tx, ty, text, 0, PINSTUB_TEXT_HEIGHT, text_anchor, text_direction,
                               PINSTUB_TEXT_FONT_NAME, PINSTUB_TEXT_XMARGIN, PINSTUB_TEXT_YMARGIN);
    if (bus_width != 0) {
        const int mark_x = bus_mark_x != BUS_MARK_X_COMPUTED ? bus_mark_x
                                                             : x + dx / 2 - (bus_width < 10 ? 2 : 4);
        m_bus_mark = new CRSYMBOL_LINE(mark_x - PINSTUB_BUS_MARK_LENGTH, y + PINSTUB_BUS_MARK_LENGTH,
                                       2 * PINSTUB_BUS_MARK_LENGTH, -2 * PINSTUB_BUS_MARK_LENGTH, BUS_MARK_COLOR);
        if (bus_width > 0) {
            CString w;
            w.Format("%d", bus_width);
            m_bus_width_text = new CRSYMBOL_TEXT(mark_x, y, w, BUS_MARK_COLOR, CRSYMBOL_TEXT::SYM_INFO_TEXT_HEIGHT,
                                                 HOTTEXT_TOP_LEFT, DIRHV_HORIZONTAL, CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME, 1, 1);
        }
    }
}

CRSYMBOL_PINSTUB::CRSYMBOL_PINSTUB(CRSYMBOL_LINE* line, CRSYMBOL_TEXT* text, const CString& pin_name,
                                   PIN_IO_TYPE io_type)
    : CRSYMBOL_ITEM(line->get_x(), line->get_y(), line->get_color()), m_line(line), m_text(text),
      m_pin_name(pin_name.IsEmpty() ? text->get_text() : pin_name), m_io_type(io_type) {}

CRSYMBOL_PINSTUB::~CRSYMBOL_PINSTUB() {
    delete m_line;
    delete m_text;
    delete m_bus_mark;
    delete m_bus_width_text;
}

CString CRSYMBOL_PINSTUB::generate_cnx(int height, const CPoint& origin, bool flag) {
    CString out;
    if (m_bus_mark) out += m_bus_mark->generate_cnx(height, origin, flag);
    if (m_bus_width_text) out += m_bus_width_text->generate_cnx(height, origin, flag);

    const CPoint start = crsymbol_to_file(m_line->get_x(), m_line->get_y(), height, origin);
    const char* io = m_io_type == PIN_INPUT ? "IN" : m_io_type == PIN_OUTPUT ? "OUT" : "BIDIR";
    CString pin;
    pin.Format("SYMBOL: PINSTUB %d %d %s %s ", start.x, start.y, io, m_pin_name.c_str());
    const bool vertical = m_text->get_direction() == DIRHV_VERTICAL;
    const CPoint tp = crsymbol_to_file(m_text->get_left(),
                                       vertical ? m_text->get_top() : m_text->get_top() + m_text->get_text_height(),
                                       height, origin);
    pin.AppendFormat("%d %d \"%s\" %s %s,%d\n", tp.x, tp.y, m_text->get_text().c_str(), vertical ? "VERT" : "HORIZ",
                     PINSTUB_TEXT_FONT_NAME, PINSTUB_TEXT_HEIGHT);
    out += pin;
    out += m_line->generate_cnx(height, origin, flag);

    if (m_clock) {
        const CPoint end = m_line->get_end_point();
        const CPoint e = crsymbol_to_file(end.x, end.y, height, origin);
        const int c = PINSTUB_CLOCK_LENGTH;
        out += line_record(CPoint(e.x, e.y + c), CPoint(e.x + c, e.y), "SOLID", "THIN");
        out += line_record(CPoint(e.x + c, e.y), CPoint(e.x, e.y - c), "SOLID", "THIN");
    }
    return out;
}

CString CRSYMBOL_PINSTUB::get_real_bus_name(const CString& name, int width, bool single_bit_as_pin) {
    if (width <= 0 || (width == 1 && single_bit_as_pin)) return name;
    if (width == 1) return name + "[0]";
    CString s;
    s.Format("%s[%d..0]", name.c_str(), width - 1);
    return s;
}

CString CRSYMBOL_PINSTUB::get_visible_bus_name(const CString& name, int width, bool single_bit_as_pin) {
    // Very wide buses would make the pin text unreadable.
    if (width > 5000) return name + "...";
    return get_real_bus_name(name, width, single_bit_as_pin);
}

void CRSYMBOL_PINSTUB::get_bus_properties(const CString& name, int width, LINE_WIDTH& line_width,
                                          CString& visible, CString& real, bool single_bit_as_pin) {
    const bool bus = width >= 2 || (width == 1 && !single_bit_as_pin);
    line_width = bus ? THICK : THIN;
    visible = get_visible_bus_name(name, width, single_bit_as_pin);
    real = get_real_bus_name(name, width, single_bit_as_pin);
}

CSize CRSYMBOL_PINSTUB::get_pinstub_text_dims(const CString& text) {
    return crsymbol_measure_text(text, PINSTUB_TEXT_HEIGHT, PINSTUB_TEXT_FONT_NAME, false);
}
