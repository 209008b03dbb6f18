// The geometry of a page frame: where the eight border panels go around the
// page's own controls, and how big the dialog becomes.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

enum CRPAGE_FRAME_POSITION {
    CRPAGE_FRAME_INNER_TOP = 0,
    CRPAGE_FRAME_OUTER_TOP,
    CRPAGE_FRAME_INNER_BOTTOM,
    CRPAGE_FRAME_OUTER_BOTTOM,
    CRPAGE_FRAME_INNER_LEFT,
    CRPAGE_FRAME_OUTER_LEFT,
    CRPAGE_FRAME_INNER_RIGHT,
    CRPAGE_FRAME_OUTER_RIGHT,
    CRPAGE_FRAME_POSITION_COUNT
};

// The border-panel name of a position ("INNER_TOP", ...).
const char* crpage_frame_position_name(CRPAGE_FRAME_POSITION position);
// The position of a border-panel name, or -1.
int crpage_frame_position_of(const CString& name);

// A page is never shorter than this.
inline constexpr int CRPAGE_FRAME_MIN_HEIGHT = 450;

struct CRPAGE_FRAME_LAYOUT {
    // The frame's client size.
    CSize frame;
    // Each position's rectangle in frame coordinates (top-left of the frame
    // at (0, 0)); an absent panel's rectangle is meaningless.
    CRect panels[CRPAGE_FRAME_POSITION_COUNT];
    // Where the content's top-left corner lands in frame coordinates.
    CPoint content_origin;
};

// content: the page's own client size. sizes: each position's preferred size
// ((0, 0) for an absent panel). min_height: the tallest page shown so far
// (the frame is at least that tall, and at least CRPAGE_FRAME_MIN_HEIGHT).
CRPAGE_FRAME_LAYOUT crpage_compute_frame_layout(const CSize& content, const CSize sizes[CRPAGE_FRAME_POSITION_COUNT],
                                                int min_height);

class CPANEL;
class CRDIALOG;
class CWnd;

// What the frame does with one border panel: builds its controls in the page
// (running its creation hook when asked) and answers its preferred size;
// moves it to its rectangle and lays it out; takes its controls away; tells
// whether a window belongs to it.
CSize crpage_panel_prepare(CPANEL* panel, CRDIALOG* page, bool run_created_hook);
void crpage_panel_place(CPANEL* panel, const CRect& rect);
void crpage_panel_remove(CPANEL* panel, bool with_plain_controls);
bool crpage_panel_owns_window(CPANEL* panel, CWnd* wnd);
