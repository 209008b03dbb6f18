// The one text measurement of the program, shared by every backend so that a
// silent run and an interactive run lay out text identically: FreeType on the
// font files fontconfig finds, 96 dots per inch, no kerning, hinted advance
// widths rounded to whole pixels. "Arial", "MS Sans Serif" (and any other
// proportional face) are Liberation Sans; "Courier" and "Courier New" are
// Liberation Mono.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/dc.h"
#include "platform/types.h"

constexpr int BWIZC_SCREEN_DPI = 96;

// Resolves the font files. False with *error set when a face's file is
// missing; nothing falls back to another font.
bool bwizc_text_metrics_initialize(CString* error);

// The font file that measures (and draws) lf, or "" when it is missing.
CString bwizc_font_file(const LOGFONT& lf);
// The family name the file carries ("Liberation Sans", "Liberation Mono").
CString bwizc_font_family(const LOGFONT& lf);
// The pixel size of the em square that lf asks for.
int bwizc_font_pixel_size(const LOGFONT& lf);

// Width and height of one line of text (no prefix or tab handling); the
// height is the font's line height even for empty text.
CSize bwizc_text_extent(const LOGFONT& lf, const CString& text);
// Left edge of each character (UTF-8 sequences count as one character)
// relative to the start of the line, plus the total width as last element.
std::vector<int> bwizc_text_char_positions(const LOGFONT& lf, const CString& text);
TEXTMETRIC bwizc_text_metrics(const LOGFONT& lf);

// A font description as bwizc_global_make_font builds it: height
// -((points * 96 + 36) / 72), weight 700 or 400.
LOGFONT bwizc_make_logfont(const char* face, int points, bool bold);
