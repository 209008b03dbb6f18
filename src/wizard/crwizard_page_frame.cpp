#include "wizard/crwizard_page_frame.h"

#include <algorithm>

namespace {
const char* const position_names[CRPAGE_FRAME_POSITION_COUNT] = {
    "INNER_TOP", "OUTER_TOP", "INNER_BOTTOM", "OUTER_BOTTOM", "INNER_LEFT", "OUTER_LEFT", "INNER_RIGHT", "OUTER_RIGHT",
};
}  // namespace

const char* crpage_frame_position_name(CRPAGE_FRAME_POSITION position) {
    return position >= 0 && position < CRPAGE_FRAME_POSITION_COUNT ? position_names[position] : "";
}

int crpage_frame_position_of(const CString& name) {
    for (int i = 0; i < CRPAGE_FRAME_POSITION_COUNT; ++i) {
        if (name == position_names[i]) return i;
    }
    return -1;
}

CRPAGE_FRAME_LAYOUT crpage_compute_frame_layout(const CSize& c, const CSize sizes[CRPAGE_FRAME_POSITION_COUNT],
                                                int min_height) {
    const CSize& it = sizes[CRPAGE_FRAME_INNER_TOP];
    const CSize& ot = sizes[CRPAGE_FRAME_OUTER_TOP];
    const CSize& ob = sizes[CRPAGE_FRAME_OUTER_BOTTOM];
    const CSize& il = sizes[CRPAGE_FRAME_INNER_LEFT];
    const CSize& ol = sizes[CRPAGE_FRAME_OUTER_LEFT];
    const CSize& ir = sizes[CRPAGE_FRAME_INNER_RIGHT];
    const CSize& orr = sizes[CRPAGE_FRAME_OUTER_RIGHT];

    // Heights, in content coordinates (the content's top at y = 0).
    int m = std::max({c.cy, il.cy, ir.cy});
    int b = std::max({orr.cy, ol.cy, m + it.cy + ob.cy}) - it.cy;

    // Widths: extra width goes to the left of the content.
    const int w = std::max(c.cx + il.cx + ir.cx, ob.cx);
    const int frame_w = std::max(ot.cx, w + ol.cx + orr.cx);
    const int right = c.cx + ir.cx + orr.cx;
    const int left = right - frame_w;

    // The frame is never shorter than the minimum or the tallest page so far;
    // the extra space goes between the content and the bottom panel.
    int frame_h = b + ot.cy + it.cy;
    const int wanted_h = std::max(CRPAGE_FRAME_MIN_HEIGHT, min_height);
    if (frame_h < wanted_h) {
        const int extra = wanted_h - frame_h;
        m += extra;
        b += extra;
        frame_h = wanted_h;
    }
    const int ob_top = b - ob.cy;
    const int top = -(ot.cy + it.cy);

    CRPAGE_FRAME_LAYOUT layout;
    layout.frame = CSize(frame_w, frame_h);
    CRect* r = layout.panels;
    r[CRPAGE_FRAME_OUTER_TOP] = CRect(left, top, right, top + ot.cy);
    r[CRPAGE_FRAME_OUTER_LEFT] = CRect(left, top + ot.cy, left + ol.cx, b);
    r[CRPAGE_FRAME_OUTER_RIGHT] = CRect(right - orr.cx, top + ot.cy, right, b);
    r[CRPAGE_FRAME_OUTER_BOTTOM] = CRect(left + ol.cx, ob_top, right - orr.cx, b);
    r[CRPAGE_FRAME_INNER_TOP] = CRect(left + ol.cx, -it.cy, c.cx, 0);
    r[CRPAGE_FRAME_INNER_LEFT] = CRect(left + ol.cx, 0, 0, ob_top);
    r[CRPAGE_FRAME_INNER_RIGHT] = CRect(c.cx, 0, c.cx + ir.cx, ob_top);
    r[CRPAGE_FRAME_INNER_BOTTOM] = CRect(left + ol.cx, m, right - orr.cx, ob_top);
    // Shift everything so that the frame's top-left corner is (0, 0).
    for (CRect& rect : layout.panels) rect.OffsetRect(-left, -top);
    layout.content_origin = CPoint(-left, -top);
    return layout;
}
