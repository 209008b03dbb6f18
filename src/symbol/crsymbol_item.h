// Drawing items of symbols and diagrams: each paints itself, reports its
// extent and writes itself as "SYMBOL:" lines for the plug-in manager.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

class CDC;

enum LINE_WIDTH { THIN = 0, THICK = 1 };
enum HOTTEXT {
    HOTTEXT_TOP_LEFT = 0, HOTTEXT_TOP_CENTER = 1, HOTTEXT_TOP_RIGHT = 2,
    HOTTEXT_CENTER_LEFT = 3, HOTTEXT_CENTER = 4, HOTTEXT_CENTER_RIGHT = 5,
    HOTTEXT_BOTTOM_LEFT = 6, HOTTEXT_BOTTOM_CENTER = 7, HOTTEXT_BOTTOM_RIGHT = 8
};
enum DIRHV { DIRHV_HORIZONTAL = 0, DIRHV_VERTICAL = 1 };
enum PIN_IO_TYPE { PIN_INPUT = 0, PIN_OUTPUT = 1, PIN_BIDIR = 2 };

// Maps an item point into the file: y grows upwards from `height`.
inline CPoint crsymbol_to_file(int x, int y, int height, const CPoint& origin) {
    return CPoint(origin.x + x, height - origin.y - y);
}

class CRSYMBOL_ITEM : public CObject {
public:
    CRSYMBOL_ITEM(int x, int y, COLORREF color) : m_x(x), m_y(y), m_color(color) {}
    virtual void paint(CDC* dc) = 0;
    virtual CRect get_extent() = 0;
    virtual CString generate_cnx(int height, const CPoint& origin, bool flag);

    int get_x() const { return m_x; }
    int get_y() const { return m_y; }
    COLORREF get_color() const { return m_color; }
    void set_color(COLORREF c) { m_color = c; }

protected:
    int m_x;
    int m_y;
    COLORREF m_color;
};

// Invisible: only widens the extent of its outline.
class CRSYMBOL_POINT : public CRSYMBOL_ITEM {
public:
    CRSYMBOL_POINT(int x, int y, COLORREF color = 0) : CRSYMBOL_ITEM(x, y, color) {}
    void paint(CDC*) override {}
    CRect get_extent() override { return CRect(m_x, m_y, m_x + 1, m_y + 1); }
};

class CRSYMBOL_LINE : public CRSYMBOL_ITEM {
public:
    CRSYMBOL_LINE(int x, int y, int dx, int dy, COLORREF color = 0, int pen_style = 0,
                  LINE_WIDTH width = THIN, bool start_dot = false, bool spare = false)
        : CRSYMBOL_ITEM(x, y, color), m_dx(dx), m_dy(dy), m_pen_style(pen_style), m_width(width),
          m_start_dot(start_dot), m_spare(spare) {}
    void paint(CDC* dc) override;
    CRect get_extent() override;
    CString generate_cnx(int height, const CPoint& origin, bool flag) override;

    CPoint get_start_point() const { return CPoint(m_x, m_y); }
    CPoint get_end_point() const { return CPoint(m_x + m_dx, m_y + m_dy); }
    int get_width_in_pixels() const { return m_width == THICK ? 2 : 1; }
    LINE_WIDTH get_line_width() const { return m_width; }
    int get_dx() const { return m_dx; }
    int get_dy() const { return m_dy; }
    bool has_start_dot() const { return m_start_dot; }

private:
    int m_dx;
    int m_dy;
    int m_pen_style;
    LINE_WIDTH m_width;
    bool m_start_dot;
    bool m_spare;
};

class CRSYMBOL_RECT : public CRSYMBOL_ITEM {
public:
    CRSYMBOL_RECT(int x, int y, int width, int height, COLORREF color = 0)
        : CRSYMBOL_ITEM(x, y, color), m_width(width), m_height(height) {}
    void paint(CDC* dc) override;
    CRect get_extent() override;
    CString generate_cnx(int height, const CPoint& origin, bool flag) override;
    int get_width() const { return m_width; }
    int get_height() const { return m_height; }

private:
    int m_width;
    int m_height;
};

class CRSYMBOL_CIRCLE : public CRSYMBOL_ITEM {
public:
    CRSYMBOL_CIRCLE(int x, int y, int radius, COLORREF color = 0) : CRSYMBOL_ITEM(x, y, color), m_radius(radius) {}
    void paint(CDC* dc) override;
    CRect get_extent() override { return CRect(m_x - m_radius, m_y - m_radius, m_x + m_radius, m_y + m_radius); }
    CString generate_cnx(int height, const CPoint& origin, bool flag) override;

private:
    int m_radius;
};

class CRSYMBOL_ARC : public CRSYMBOL_ITEM {
public:
    CRSYMBOL_ARC(int x, int y, int radius, int start_x, int start_y, int end_x, int end_y, COLORREF color = 0)
        : CRSYMBOL_ITEM(x, y, color), m_radius(radius), m_start_x(start_x), m_start_y(start_y),
          m_end_x(end_x), m_end_y(end_y) {}
    void paint(CDC* dc) override;
    CRect get_extent() override { return CRect(m_x - m_radius, m_y - m_radius, m_x + m_radius, m_y + m_radius); }
    CString generate_cnx(int height, const CPoint& origin, bool flag) override;

private:
    int m_radius;
    int m_start_x;
    int m_start_y;
    int m_end_x;
    int m_end_y;
};

class CRSYMBOL_TEXT : public CRSYMBOL_ITEM {
public:
    static const char* const SYM_TEXT_FONT_NAME;
    static constexpr int SYM_TEXT_HEIGHT = 10;
    static constexpr int SYM_TITLE_TEXT_HEIGHT = 8;
    static constexpr int SYM_INFO_TEXT_HEIGHT = 7;
    static constexpr int SYM_SMALL_TEXT_HEIGHT = 6;

    // The text is measured at once and placed so that its anchor sits at (x, y).
    CRSYMBOL_TEXT(int x, int y, const CString& text, COLORREF color = 0, int points = SYM_TEXT_HEIGHT,
                  HOTTEXT anchor = HOTTEXT_TOP_LEFT, DIRHV direction = DIRHV_HORIZONTAL,
                  const CString& font_name = SYM_TEXT_FONT_NAME, int x_gap = 0, int y_gap = 0);
    void paint(CDC* dc) override;
    CRect get_extent() override;
    CString generate_cnx(int height, const CPoint& origin, bool flag) override;

    static CSize get_info_text_extent(const CString& text);

    const CString& get_text() const { return m_text; }
    const CString& get_font_name() const { return m_font_name; }
    int get_point_size() const { return m_points; }
    HOTTEXT get_anchor() const { return m_anchor; }
    DIRHV get_direction() const { return m_direction; }
    int get_left() const { return m_left; }
    int get_top() const { return m_top; }
    int get_text_width() const { return m_text_width; }
    int get_text_height() const { return m_text_height; }

private:
    int m_points;
    CString m_text;
    CString m_font_name;
    HOTTEXT m_anchor;
    DIRHV m_direction;
    int m_left = 0;
    int m_top = 0;
    int m_text_height = 0;
    int m_text_width = 0;
};

class CRSYMBOL_PINSTUB : public CRSYMBOL_ITEM {
public:
    static const char* const PINSTUB_TEXT_FONT_NAME;
    static constexpr int PINSTUB_TEXT_HEIGHT = 8;
    static constexpr int PINSTUB_TEXT_XMARGIN = 4;
    static constexpr int PINSTUB_TEXT_YMARGIN = 1;
    static constexpr int PINSTUB_CROSS_LENGTH = 4;
    static constexpr int PINSTUB_CLOCK_LENGTH = 6;
    static constexpr int PINSTUB_BUS_MARK_LENGTH = 4;
    // Text side: 1 puts the text at the stub's end instead of its start.
    enum PINSTUBHP { TEXT_AT_START = 0, TEXT_AT_END = 1 };
    enum CLOCKPIN { NO_CLOCK = 0, CLOCK = 1 };
    static constexpr int BUS_MARK_X_COMPUTED = -1;
    static constexpr COLORREF BUS_MARK_COLOR = 0x808000;
    static constexpr COLORREF CROSS_COLOR = 0xFF0000;

    CRSYMBOL_PINSTUB(int x, int y, int dx, int dy, const CString& text, const CString& pin_name,
                     LINE_WIDTH width, PIN_IO_TYPE io_type, HOTTEXT text_anchor, PINSTUBHP text_side,
                     DIRHV text_direction, COLORREF color, CLOCKPIN clock = NO_CLOCK, int bus_width = 0,
                     int bus_mark_x = BUS_MARK_X_COMPUTED);
    // Wraps an existing line and text (taking them over) into a stub.
    CRSYMBOL_PINSTUB(CRSYMBOL_LINE* line, CRSYMBOL_TEXT* text, const CString& pin_name, PIN_IO_TYPE io_type);
    ~CRSYMBOL_PINSTUB() override;
    CRSYMBOL_PINSTUB(const CRSYMBOL_PINSTUB&) = delete;
    CRSYMBOL_PINSTUB& operator=(const CRSYMBOL_PINSTUB&) = delete;

    void paint(CDC* dc) override;
    CRect get_extent() override { return m_line->get_extent(); }
    CString generate_cnx(int height, const CPoint& origin, bool flag) override;

    // Bus names: `single_bit_as_pin` shows a 1-bit port without "[0]".
    static CString get_real_bus_name(const CString& name, int width, bool single_bit_as_pin);
    static CString get_visible_bus_name(const CString& name, int width, bool single_bit_as_pin);
    static void get_bus_properties(const CString& name, int width, LINE_WIDTH& line_width, CString& visible,
                                   CString& real, bool single_bit_as_pin);
    static CSize get_pinstub_text_dims(const CString& text);

    CRSYMBOL_LINE* get_line() const { return m_line; }
    CRSYMBOL_TEXT* get_text() const { return m_text; }
    CRSYMBOL_LINE* get_bus_mark() const { return m_bus_mark; }
    CRSYMBOL_TEXT* get_bus_width_text() const { return m_bus_width_text; }
    const CString& get_pin_name() const { return m_pin_name; }
    PIN_IO_TYPE get_io_type() const { return m_io_type; }
    bool is_clock() const { return m_clock; }

private:
    CRSYMBOL_LINE* m_line = nullptr;
    CRSYMBOL_TEXT* m_text = nullptr;
    CRSYMBOL_LINE* m_bus_mark = nullptr;
    CRSYMBOL_TEXT* m_bus_width_text = nullptr;
    CString m_pin_name;
    PIN_IO_TYPE m_io_type;
    bool m_clock = false;
};
