// A container of symbol items: owns them, paints them in its panel window,
// computes their common extent and writes them as "SYMBOL:" text. Symbols,
// block diagrams and the preview panels are outlines.
#pragma once

#include "cnx/crcnx_symbol_outline_interface.h"
#include "platform/cstring.h"
#include "platform/types.h"
#include "support/bwizc_collections.h"
#include "symbol/crsymbol_item.h"
#include "toolkit/cpanel.h"

class CRSYMBOL_OUTLINE : public CPANEL, public CRCNX_SYMBOL_OUTLINE_INTERFACE {
public:
    static constexpr unsigned SYMBOL_OUTLINE_RESOURCE_ID_BASE = 66000;
    static constexpr unsigned INFO_OUTLINE_RESOURCE_ID_BASE = 68000;
    static constexpr unsigned RESOURCE_ID_RANGE = 1999;

    explicit CRSYMBOL_OUTLINE(const CString& name = CString(), CPoint origin = CPoint());
    ~CRSYMBOL_OUTLINE() override;
    CRSYMBOL_OUTLINE(const CRSYMBOL_OUTLINE&) = delete;
    CRSYMBOL_OUTLINE& operator=(const CRSYMBOL_OUTLINE&) = delete;

    // ---- adding (every item is owned by the outline)
    CRSYMBOL_POINT* add_point(int x, int y);
    CRSYMBOL_POINT* add_point(CPoint p) { return add_point(p.x, p.y); }
    CRSYMBOL_POINT* add_point(CRSYMBOL_POINT* point);

    CRSYMBOL_LINE* add_line(int x, int y, int dx, int dy, LINE_WIDTH width = THIN);
    CRSYMBOL_LINE* add_line(CPoint from, CPoint to, LINE_WIDTH width = THIN);
    CRSYMBOL_LINE* add_line(CPoint from, CSize delta, LINE_WIDTH width = THIN);
    CRSYMBOL_LINE* add_line(CRSYMBOL_LINE* line);

    CRSYMBOL_RECT* add_rect(int x, int y, int w, int h);
    CRSYMBOL_RECT* add_rect(CPoint top_left, CPoint bottom_right);
    CRSYMBOL_RECT* add_rect(CPoint top_left, CSize size);
    CRSYMBOL_RECT* add_rect(const CRect& r);
    CRSYMBOL_RECT* add_rect(CRSYMBOL_RECT* rect);

    CRSYMBOL_CIRCLE* add_circle(int x, int y, int r);
    CRSYMBOL_CIRCLE* add_circle(CPoint centre, int r) { return add_circle(centre.x, centre.y, r); }

    CRSYMBOL_ARC* add_arc(int cx, int cy, int r, int sx, int sy, int ex, int ey);
    CRSYMBOL_ARC* add_arc(CPoint centre, int r, CPoint start, CPoint end);

    // The text takes `color`; the outline's current colour is left as it was.
    CRSYMBOL_TEXT* add_text(int x, int y, const CString& text, COLORREF color,
                            int points = CRSYMBOL_TEXT::SYM_TEXT_HEIGHT, HOTTEXT anchor = HOTTEXT_TOP_LEFT,
                            DIRHV direction = DIRHV_HORIZONTAL, const CString& font = CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME,
                            int x_gap = 0, int y_gap = 0);
    CRSYMBOL_TEXT* add_text(CRSYMBOL_TEXT* text);

    // Title texts replace the previous title; the text is first trimmed to
    // `max_width` pixels (the extent width for the one-argument form).
    CRSYMBOL_TEXT* add_title_text(const CString& text);
    CRSYMBOL_TEXT* add_title_text(const CString& text, int max_width);
    CRSYMBOL_TEXT* add_title_text(int x, int y, const CString& text, int max_width, COLORREF color,
                                  int points = CRSYMBOL_TEXT::SYM_TEXT_HEIGHT, HOTTEXT anchor = HOTTEXT_CENTER,
                                  DIRHV direction = DIRHV_HORIZONTAL,
                                  const CString& font = CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME);
    CRSYMBOL_TEXT* add_title_text(CPoint at, const CString& text, int max_width, COLORREF color,
                                  int points = CRSYMBOL_TEXT::SYM_TEXT_HEIGHT, HOTTEXT anchor = HOTTEXT_CENTER,
                                  DIRHV direction = DIRHV_HORIZONTAL,
                                  const CString& font = CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME) {
        return add_title_text(at.x, at.y, text, max_width, color, points, anchor, direction, font);
    }

    // A port as a pin stub: thick for a bus, bus names as shown and as real.
    CRSYMBOL_PINSTUB* add_pinstub(int x, int y, int dx, int dy, const CString& name, int width,
                                  bool single_bit_as_pin, PIN_IO_TYPE io_type, HOTTEXT anchor,
                                  CRSYMBOL_PINSTUB::PINSTUBHP text_side, DIRHV direction,
                                  CRSYMBOL_PINSTUB::CLOCKPIN clock = CRSYMBOL_PINSTUB::NO_CLOCK);
    CRSYMBOL_PINSTUB* add_pinstub(CPoint from, CSize size, const CString& name, int width, bool single_bit_as_pin,
                                  PIN_IO_TYPE io_type, HOTTEXT anchor, CRSYMBOL_PINSTUB::PINSTUBHP text_side,
                                  DIRHV direction, CRSYMBOL_PINSTUB::CLOCKPIN clock = CRSYMBOL_PINSTUB::NO_CLOCK) {
        return add_pinstub(from.x, from.y, size.cx, size.cy, name, width, single_bit_as_pin, io_type, anchor,
                           text_side, direction, clock);
    }
    CRSYMBOL_PINSTUB* add_pinstub(CRSYMBOL_LINE* line, CRSYMBOL_TEXT* text, const CString& name,
                                  PIN_IO_TYPE io_type);
    CRSYMBOL_PINSTUB* add_pinstub(CRSYMBOL_PINSTUB* stub);

    // 0 or -1 appends; p > 0 inserts at index p - 1; p < -1 at index -p - 2.
    CRSYMBOL_OUTLINE* add_symbol_outline(CRSYMBOL_OUTLINE* outline, int position = -1);

    // ---- geometry
    CRect get_extent() override;
    CRect get_cached_extent() const { return m_extent; }
    // The set size when one was set, else the extent's size.
    CSize get_preferred_size() override;
    void offset_origin(CSize d) { m_origin = m_origin + d; }
    void set_origin(CPoint p) { m_origin = p; }
    void set_origin(int x, int y) { m_origin = CPoint(x, y); }
    CPoint get_origin() const { return m_origin; }
    void set_extra_margins(int right, int bottom) {
        m_extra_right = right;
        m_extra_bottom = bottom;
    }

    // ---- window
    // The panel window (clip-siblings) and, with the following ids, the
    // windows of the nested outlines at their extents.
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    // Nothing while the window is still 1 x 1; else background, the items and,
    // for a box symbol, the title.
    void paint(CDC* dc) override;

    // ---- state
    void remove_all_items();
    virtual void create_outline() {}
    CString generate_cnx(int height, CPoint origin, bool flag) override;

    void set_color(COLORREF c) { m_color = c; }
    COLORREF get_color() const { return m_color; }
    void set_box_symbol(bool b) { m_is_box_symbol = b; }
    bool is_box_symbol() const { return m_is_box_symbol; }
    void set_frame_rect(const CRect& r) { m_frame = r; }
    const CRect& get_frame_rect() const { return m_frame; }
    CRSYMBOL_TEXT* get_title_text() const { return m_title; }
    int get_item_count() const { return m_item_count; }
    bool is_changed() const { return m_changed; }
    void set_changed(bool c) { m_changed = c; }
    unsigned get_first_outline_id() const { return m_first_outline_id; }
    const CString& get_outline_name() const { return m_outline_name; }

    const BWIZC_ARRAY<CRSYMBOL_OUTLINE*>& get_outlines() const { return m_outlines; }
    const BWIZC_ARRAY<CRSYMBOL_POINT*>& get_points() const { return m_points; }
    const BWIZC_ARRAY<CRSYMBOL_LINE*>& get_lines() const { return m_lines; }
    const BWIZC_ARRAY<CRSYMBOL_RECT*>& get_rects() const { return m_rects; }
    const BWIZC_ARRAY<CRSYMBOL_CIRCLE*>& get_circles() const { return m_circles; }
    const BWIZC_ARRAY<CRSYMBOL_ARC*>& get_arcs() const { return m_arcs; }
    const BWIZC_ARRAY<CRSYMBOL_TEXT*>& get_texts() const { return m_texts; }
    const BWIZC_ARRAY<CRSYMBOL_PINSTUB*>& get_pinstubs() const { return m_pinstubs; }

    // Paints the items in outline coordinates, without background; nested
    // outlines are painted at their origins when `with_nested` is set (they
    // paint themselves in their own windows otherwise).
    void paint_items(CDC* dc, bool with_nested = false);

protected:
    template <class T>
    T* added(BWIZC_ARRAY<T*>& list, T* item) {
        list.add(item);
        ++m_item_count;
        m_changed = true;
        return item;
    }

    CString m_outline_name;
    BWIZC_ARRAY<CRSYMBOL_OUTLINE*> m_outlines;
    BWIZC_ARRAY<CRSYMBOL_POINT*> m_points;
    BWIZC_ARRAY<CRSYMBOL_LINE*> m_lines;
    BWIZC_ARRAY<CRSYMBOL_RECT*> m_rects;
    BWIZC_ARRAY<CRSYMBOL_CIRCLE*> m_circles;
    BWIZC_ARRAY<CRSYMBOL_ARC*> m_arcs;
    BWIZC_ARRAY<CRSYMBOL_TEXT*> m_texts;
    BWIZC_ARRAY<CRSYMBOL_PINSTUB*> m_pinstubs;
    COLORREF m_color = 0;
    CRSYMBOL_TEXT* m_title = nullptr;
    bool m_is_box_symbol = false;
    int m_item_count = 0;
    bool m_changed = false;
    CPoint m_origin;
    CRect m_frame;
    CRect m_extent;
    int m_extra_right = 0;
    int m_extra_bottom = 0;
    unsigned m_first_outline_id = 0;
};
