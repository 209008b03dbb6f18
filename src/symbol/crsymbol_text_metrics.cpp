#include "symbol/crsymbol_text_metrics.h"

#include "support/bwizc_global_fonts.h"

namespace {
CRSYMBOL_MEASURE_FUNCTION g_measure_override = nullptr;
}  // namespace

CSize crsymbol_measure_text(const CString& text, int points, const CString& face, bool bold) {
    if (g_measure_override) return g_measure_override(text, points, face, bold);
    return bwizc_global_get_text_extent(text, points, face, bold);
}

void crsymbol_set_measure_function(CRSYMBOL_MEASURE_FUNCTION fn) { g_measure_override = fn; }

CString crsymbol_trim_text(const CString& text, int max_width, int points, const CString& face) {
    // Same rule as bwizc_global_get_trimmed_name, measured through the symbol
    // metrics so that a replaced measuring function applies here too.
    if (text.IsEmpty()) return text;
    CString candidate = text;
    for (int keep = text.GetLength() - 1; keep >= 0; --keep) {
        if (crsymbol_measure_text(candidate, points, face).cx <= max_width) return candidate;
        candidate = text.Left(keep) + "...";
    }
    return candidate;
}
