// Text sizes for symbol layout. Every symbol coordinate that depends on a
// text goes through crsymbol_measure_text, so a silent run and an interactive
// run place pins and texts identically.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

// Width and height of `text` in `face` at `points`, as the display would draw it.
CSize crsymbol_measure_text(const CString& text, int points, const CString& face, bool bold = false);

// Replaces the measuring function (null restores the shared text metrics).
// Lets layout tests work with sizes they choose.
using CRSYMBOL_MEASURE_FUNCTION = CSize (*)(const CString& text, int points, const CString& face, bool bold);
void crsymbol_set_measure_function(CRSYMBOL_MEASURE_FUNCTION fn);

// `text` shortened with a trailing "..." until it fits `max_width` pixels;
// "..." alone is the last candidate. An empty text stays empty.
CString crsymbol_trim_text(const CString& text, int max_width, int points, const CString& face);

// Measuring object for pin texts: a face and a point size, asked for the
// height and the length of texts.
class CRSymbolPinstubText {
public:
    CRSymbolPinstubText(const CString& face, int points) : m_face(face), m_points(points) {}
    int height(const CString& text) const { return crsymbol_measure_text(text, m_points, m_face).cy; }
    int length(const CString& text) const { return crsymbol_measure_text(text, m_points, m_face).cx; }
    CSize size(const CString& text) const { return crsymbol_measure_text(text, m_points, m_face); }

private:
    CString m_face;
    int m_points;
};
