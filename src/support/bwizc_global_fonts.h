// Fonts, text measuring, gradient fills and message pumping for the pages,
// the toolkit and the symbol preview.
#pragma once

#include "platform/cstring.h"
#include "platform/dc.h"
#include "platform/types.h"

class CWnd;
class BWIZC_CHILD_PROCESS;

// A new font (the caller owns it): height -((points * dpi + 36) / 72) with the
// screen's 96 dpi, weight 700 when bold else 400, the given face.
CFont* bwizc_global_make_font(const CString& face, int points, bool bold);

// Fills lf for text rotated by angle (tenths of a degree): height as above
// with the dc's vertical resolution (the screen's without dc), escapement and
// orientation angle, weight 0, output precision 2, clip precision 1, quality
// 2, pitch and family 0x30, face cut to 31 characters.
void bwizc_global_create_LOGFONT(LOGFONT& lf, int points, int angle, const CString& face, CDC* dc);

// Width and height of text as the screen's text drawing computes them in
// rectangle-calculation mode (single line, "&" taken literally).
CSize bwizc_global_get_text_extent(const CString& text, CFont* font);
CSize bwizc_global_get_text_extent(const CString& text, int points, const CString& face, bool bold);

// name shortened with a trailing "..." until it is no wider than max_width
// pixels; "..." alone when nothing shorter fits; "" stays "".
CString bwizc_global_get_trimmed_name(const CString& name, int max_width, int points, const CString& face);

// Sends WM_SETFONT (no redraw) with font to every child window of window
// that still exists.
void bwizc_global_font_setting_routine(CWnd* window, CFont* font);

// Fills rect with bands of colour going from c1 to c2: top to bottom when
// vertical, else left to right; one band per pixel line, at most `levels`
// bands (0: as many as there are lines).
void bwizc_global_draw_gradient_rect(CDC* dc, const CRect& rect, COLORREF c1, COLORREF c2, bool vertical = true,
                                     int levels = 0);

// Dispatches all pending messages. When a quit request comes up it
// terminates process (when given), posts the quit again and returns false.
// With the queue empty it runs the application's idle processing until that
// reports no more work, and returns true.
bool bwizc_global_peek_and_pump(BWIZC_CHILD_PROCESS* process = nullptr);
