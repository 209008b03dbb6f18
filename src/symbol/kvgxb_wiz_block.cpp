#include "symbol/kvgxb_wiz_block.h"

#include "support/bwizc_global.h"

namespace {

CStringArray words_of(const CString& name) {
    CStringArray words;
    CString rest = name;
    rest.Trim();
    while (!rest.IsEmpty()) {
        const int blank = rest.Find(' ');
        if (blank < 0) {
            words.Add(rest);
            break;
        }
        words.Add(rest.Left(blank));
        rest = rest.Mid(blank + 1);
        rest.TrimLeft();
    }
    return words;
}

// One centred line per entry, starting at y and moving down by size + 3.
void draw_lines(CRSYMBOL_OUTLINE& o, const CStringArray& lines, int x, int y, int size, COLORREF color) {
    for (const CString& line : lines) {
        o.add_text(x, y, line, color, size, HOTTEXT_CENTER);
        y += size + 3;
    }
}

int first_label_y(const CRect& body, int clk_direction) {
    // A clock arrow from below takes room at the bottom: lift the label.
    return body.Height() / 2 - 6 - (clk_direction == CLK_FROM_BELOW ? 5 : 0);
}

// A chevron pointing into the body at the clock point, with its label u
// pixels outside the edge.
void draw_clock(CRSYMBOL_OUTLINE& o, CPoint c, int unit, int clk_direction, const CString& label, int size) {
    const int half = unit / 2;
    const bool below = clk_direction == CLK_FROM_BELOW;
    const CPoint tip(c.x, below ? c.y - half : c.y + half);
    o.add_line(tip, CPoint(c.x - half, c.y));
    o.add_line(tip, CPoint(c.x + half, c.y));
    if (!label.IsEmpty()) {
        o.add_text(c.x, below ? c.y + unit : c.y - unit, label, BWIZC_COLOR_TEAL, size, HOTTEXT_CENTER);
    }
}

// Two strokes at `to`, opening back along the direction of the last segment.
void draw_arrow_head(CRSYMBOL_OUTLINE& o, CPoint from, CPoint to) {
    const int dx = to.x > from.x ? 1 : to.x < from.x ? -1 : 0;
    const int dy = to.y > from.y ? 1 : to.y < from.y ? -1 : 0;
    const int a = KVGXB_WIZ_ARROW_LENGTH;
    const CPoint back(to.x - dx * a, to.y - dy * a);
    o.add_line(to, CPoint(back.x + dy * a, back.y + dx * a));
    o.add_line(to, CPoint(back.x - dy * a, back.y - dx * a));
}

}  // namespace

// ---- block ----------------------------------------------------------------

KVGXB_WIZ_BLOCK::KVGXB_WIZ_BLOCK(const CString& name, int x, int y, int unit, int clk_direction,
                                 const CString& clk_label)
    : CRSYMBOL_OUTLINE(name, CPoint(x, y)), m_unit(unit), m_clk_direction(clk_direction),
      m_body(0, 0, 3 * unit, 4 * unit), m_in_len(unit), m_out_len(unit), m_in_y(2 * unit), m_out_y(2 * unit),
      m_clk_label(clk_label) {
    m_clk_point = CPoint(m_body.Width() / 2, clk_direction == CLK_FROM_BELOW ? m_body.bottom : m_body.top);
}

void KVGXB_WIZ_BLOCK::create_outline() {
    add_rect(m_body);
    draw_lines(*this, words_of(m_outline_name), m_body.Width() / 2, first_label_y(m_body, m_clk_direction),
               CRSYMBOL_TEXT::SYM_SMALL_TEXT_HEIGHT, BWIZC_COLOR_GRAY);
    draw_clock(*this, m_clk_point, m_unit, m_clk_direction, m_clk_label, CRSYMBOL_TEXT::SYM_SMALL_TEXT_HEIGHT);
    add_line(-m_in_len, m_in_y, m_in_len, 0, THICK);
    add_line(m_body.right, m_out_y, m_out_len, 0, THICK);
}

// ---- dual-clock block -----------------------------------------------------

KVGXB_WIZ_DWIBLOCK::KVGXB_WIZ_DWIBLOCK(const CString& name, int x, int y, int unit, int clk_direction)
    : CRSYMBOL_OUTLINE(name, CPoint(x, y)), m_unit(unit), m_clk_direction(clk_direction),
      m_body(0, 0, 4 * unit, 4 * unit), m_in_len(unit), m_out_len(unit), m_in_y(2 * unit), m_out_y(2 * unit) {
    place_clk_points();
}

void KVGXB_WIZ_DWIBLOCK::place_clk_points() {
    const int edge = m_clk_direction == CLK_FROM_BELOW ? m_body.bottom : m_body.top;
    m_clk_point1 = CPoint(m_body.Width() / 4, edge);
    m_clk_point2 = CPoint(m_body.Width() * 3 / 4, edge);
}

void KVGXB_WIZ_DWIBLOCK::draw_label() {
    draw_lines(*this, words_of(m_outline_name), m_body.Width() / 2, first_label_y(m_body, m_clk_direction),
               m_text_size, BWIZC_COLOR_GRAY);
}

void KVGXB_WIZ_DWIBLOCK::create_outline() {
    add_rect(m_body);
    const COLORREF saved = get_color();
    set_color(BWIZC_COLOR_LIGHT_GRAY);
    add_line(m_body.Width() / 2, 0, 0, m_body.Height());
    set_color(saved);
    draw_label();
    draw_clock(*this, m_clk_point1, m_unit, m_clk_direction, m_clk_label1, m_text_size);
    draw_clock(*this, m_clk_point2, m_unit, m_clk_direction, m_clk_label2, m_text_size);
    add_line(-m_in_len, m_in_y, m_in_len, 0, THICK);
    add_line(m_body.right, m_out_y, m_out_len, 0, THICK);
}

KVGXB_WIZ_DWIBLOCK_WIDE::KVGXB_WIZ_DWIBLOCK_WIDE(const CString& name, int x, int y, int unit, int clk_direction)
    : KVGXB_WIZ_DWIBLOCK(name, x, y, unit, clk_direction) {
    m_body = CRect(0, 0, 6 * unit, 4 * unit);
    m_in_len = m_out_len = unit + 4;
    place_clk_points();
}

void KVGXB_WIZ_DWIBLOCK_WIDE::draw_label() {
    const CStringArray words = words_of(m_outline_name);
    CStringArray lines;
    for (int i = 0; i < words.GetSize(); i += 2) {
        lines.Add(i + 1 < words.GetSize() ? words[i] + " " + words[i + 1] : words[i]);
    }
    draw_lines(*this, lines, m_body.Width() / 2, first_label_y(m_body, m_clk_direction), m_text_size,
               BWIZC_COLOR_GRAY);
}

// ---- PLL ------------------------------------------------------------------

KVGXB_WIZ_PLL::KVGXB_WIZ_PLL(const CString& name, int x, int y, int unit)
    : CRSYMBOL_OUTLINE(name, CPoint(x, y)), m_unit(unit), m_body(0, 0, 3 * unit, 3 * unit), m_clk1_y(unit),
      m_clk2_y(2 * unit), m_clk3_x(unit), m_clk3_drop(unit + 4) {}

void KVGXB_WIZ_PLL::set_clk(int index, const CString& name, COLORREF color) {
    if (index < 1 || index > 3) return;
    m_clk_names[index - 1] = name;
    m_clk_colors[index - 1] = color;
}

void KVGXB_WIZ_PLL::create_outline() {
    add_rect(m_body);
    draw_lines(*this, words_of(m_outline_name), m_body.Width() / 2, first_label_y(m_body, CLK_FROM_ABOVE),
               m_text_size, BWIZC_COLOR_BLACK);
    draw_clk1();
    draw_clk2();
    draw_clk3();
}

void KVGXB_WIZ_PLL::draw_clk1() {
    if (m_clk_names[0].IsEmpty()) return;
    const COLORREF saved = get_color();
    set_color(m_clk_colors[0]);
    add_line(m_body.right, m_clk1_y, m_unit, 0);
    set_color(saved);
    add_text(m_body.right, m_clk1_y, m_clk_names[0], m_clk_colors[0], m_text_size, HOTTEXT_BOTTOM_LEFT, DIRHV_HORIZONTAL,
             CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME, 2, 1);
}

void KVGXB_WIZ_PLL::draw_clk2() {
    if (m_clk_names[1].IsEmpty()) return;
    const COLORREF saved = get_color();
    set_color(m_clk_colors[1]);
    add_line(m_body.right, m_clk2_y, m_unit, 0);
    set_color(saved);
    add_text(m_body.right, m_clk2_y, m_clk_names[1], m_clk_colors[1], m_text_size, HOTTEXT_TOP_LEFT, DIRHV_HORIZONTAL,
             CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME, 2, 1);
}

void KVGXB_WIZ_PLL::draw_clk3() {
    if (m_clk_names[2].IsEmpty()) return;
    const COLORREF saved = get_color();
    set_color(m_clk_colors[2]);
    const int y0 = m_clk3_down ? m_body.bottom : m_body.top;
    const int y1 = m_clk3_down ? y0 + m_clk3_drop : y0 - m_clk3_drop;
    add_line(m_clk3_x, y0, 0, y1 - y0);
    add_line(m_clk3_x, y1, m_unit, 0);
    set_color(saved);
    add_text(m_clk3_x + m_unit, y1, m_clk_names[2], m_clk_colors[2], m_text_size, HOTTEXT_CENTER_LEFT, DIRHV_HORIZONTAL,
             CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME, 2, 0);
}

void KVGXB_WIZ_RX_PLL::draw_clk1() {
    if (m_clk_names[0].IsEmpty()) return;
    const COLORREF saved = get_color();
    set_color(m_clk_colors[0]);
    const CPoint from(m_body.right, m_clk1_y), to(m_body.right + m_unit, m_clk1_y);
    add_line(from, to);
    draw_arrow_head(*this, from, to);
    set_color(saved);
    add_text(m_body.right, m_clk1_y, m_clk_names[0], m_clk_colors[0], m_text_size, HOTTEXT_BOTTOM_LEFT, DIRHV_HORIZONTAL,
             CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME, 2, 1);
}

// ---- connectors -----------------------------------------------------------

void KVGXB_WIZ_LLINE::connect(CPoint from, CPoint to) {
    if (from == to) return;
    CPoint last = from;
    if (from.x != to.x && from.y != to.y) {
        last = CPoint(to.x, from.y);
        m_outline->add_line(from, last);
    }
    m_outline->add_line(last, to);
    draw_arrow_head(*m_outline, last, to);
}

void KVGXB_WIZ_SLINE::connect(CPoint from, CPoint to) {
    if (from == to) return;
    CPoint last = from;
    if (from.x != to.x && from.y != to.y) {
        const int mid_x = (from.x + to.x) / 2;
        m_outline->add_line(from, CPoint(mid_x, from.y));
        m_outline->add_line(CPoint(mid_x, from.y), CPoint(mid_x, to.y));
        last = CPoint(mid_x, to.y);
    }
    m_outline->add_line(last, to);
    draw_arrow_head(*m_outline, last, to);
}
