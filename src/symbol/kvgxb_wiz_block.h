// Block-diagram elements of a transceiver channel's data path: stage blocks
// with clock arrows, PLLs with their clock outputs, and the connectors that
// join them. Everything is measured in multiples of a unit length u.
#pragma once

#include "symbol/crsymbol_outline.h"

// 1: the clock enters from below; anything else: from above.
enum CLK_DIRECTION { CLK_FROM_ABOVE = 0, CLK_FROM_BELOW = 1 };

class KVGXB_WIZ_BLOCK : public CRSYMBOL_OUTLINE {
public:
    KVGXB_WIZ_BLOCK(const CString& name, int x, int y, int unit, int clk_direction = CLK_FROM_ABOVE,
                    const CString& clk_label = CString());
    void create_outline() override;

    const CRect& get_body() const { return m_body; }
    CPoint get_clk_point() const { return m_clk_point; }
    // Where a connector meets the data stubs, in the parent's coordinates.
    CPoint get_input_point() const { return m_origin + CPoint(-m_in_len, m_in_y); }
    CPoint get_output_point() const { return m_origin + CPoint(m_body.right + m_out_len, m_out_y); }

protected:
    int m_unit;
    int m_clk_direction;
    CRect m_body;
    int m_in_len;
    int m_out_len;
    int m_in_y;
    int m_out_y;
    CString m_clk_label;
    CPoint m_clk_point;
};

// A block working in two clock domains: two clock arrows, a divider line.
class KVGXB_WIZ_DWIBLOCK : public CRSYMBOL_OUTLINE {
public:
    KVGXB_WIZ_DWIBLOCK(const CString& name, int x, int y, int unit, int clk_direction = CLK_FROM_ABOVE);
    void create_outline() override;
    virtual void draw_label();
    void set_clk_labels(const CString& first, const CString& second) {
        m_clk_label1 = first;
        m_clk_label2 = second;
    }
    const CRect& get_body() const { return m_body; }
    CPoint get_clk_point1() const { return m_clk_point1; }
    CPoint get_clk_point2() const { return m_clk_point2; }

protected:
    // The two clock arrows sit at a quarter and three quarters of the clock edge.
    void place_clk_points();

    int m_unit;
    int m_clk_direction;
    CRect m_body;
    CString m_clk_label1;
    CString m_clk_label2;
    int m_in_len;
    int m_out_len;
    int m_in_y;
    int m_out_y;
    int m_text_size = CRSYMBOL_TEXT::SYM_SMALL_TEXT_HEIGHT;
    CPoint m_clk_point1;
    CPoint m_clk_point2;
};

class KVGXB_WIZ_DWIBLOCK_WIDE : public KVGXB_WIZ_DWIBLOCK {
public:
    KVGXB_WIZ_DWIBLOCK_WIDE(const CString& name, int x, int y, int unit, int clk_direction = CLK_FROM_ABOVE);
    // Two words per line: the wide body has room for them.
    void draw_label() override;
};

class KVGXB_WIZ_PLL : public CRSYMBOL_OUTLINE {
public:
    KVGXB_WIZ_PLL(const CString& name, int x, int y, int unit);
    void create_outline() override;
    // Clock outputs 1..3; an empty name draws nothing for that output.
    void set_clk(int index, const CString& name, COLORREF color);
    void set_clk3_down(bool down) { m_clk3_down = down; }
    virtual void draw_clk1();
    void draw_clk2();
    void draw_clk3();
    const CRect& get_body() const { return m_body; }

protected:
    int m_unit;
    CRect m_body;
    CString m_clk_names[3];
    COLORREF m_clk_colors[3] = {0, 0, 0};
    int m_clk1_y;
    int m_clk2_y;
    int m_clk3_x;
    int m_clk3_drop;
    bool m_clk3_down = false;
    int m_text_size = CRSYMBOL_TEXT::SYM_SMALL_TEXT_HEIGHT;
};

// The receiver PLL: its first output is the recovered clock, drawn with an
// arrow head where it leaves the body.
class KVGXB_WIZ_RX_PLL : public KVGXB_WIZ_PLL {
public:
    using KVGXB_WIZ_PLL::KVGXB_WIZ_PLL;
    void draw_clk1() override;
};

// Connectors drawn into a diagram outline, thin, in its current colour, each
// ending in an arrow head at `to` that points along the last segment.
class KVGXB_WIZ_LLINE {
public:
    explicit KVGXB_WIZ_LLINE(CRSYMBOL_OUTLINE* outline) : m_outline(outline) {}
    // Straight when the points share x or y; else horizontal, then vertical.
    void connect(CPoint from, CPoint to);

private:
    CRSYMBOL_OUTLINE* m_outline;
};

class KVGXB_WIZ_SLINE {
public:
    explicit KVGXB_WIZ_SLINE(CRSYMBOL_OUTLINE* outline) : m_outline(outline) {}
    // Straight when the points share x or y; else horizontal to the middle x,
    // vertical, horizontal to `to`.
    void connect(CPoint from, CPoint to);

private:
    CRSYMBOL_OUTLINE* m_outline;
};

inline constexpr int KVGXB_WIZ_ARROW_LENGTH = 4;
