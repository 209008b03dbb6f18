#include "symbol/crsymbol_resource_rows.h"

#include "symbol/crsymbol_item.h"

namespace {

int info_width(const CString& text) { return CRSYMBOL_TEXT::get_info_text_extent(text).cx; }

// The end of an item is its most telling part (the count): keep as much of
// it as fits behind "... ".
CString cut_to_width(const CString& item, int width) {
    for (int keep = item.GetLength() - 1; keep > 0; --keep) {
        const CString candidate = "... " + item.Right(keep);
        if (info_width(candidate) <= width) return candidate;
    }
    return "... ";
}

}  // namespace

CStringArray crsymbol_layout_resource_rows(const CString& resources, bool known, int width) {
    CStringArray rows;
    if (!known) {
        rows.Add("...");
        return rows;
    }
    CString row;
    CString rest = resources;
    while (!rest.IsEmpty()) {
        const int sep = rest.Find(';');
        CString item = sep < 0 ? rest : rest.Left(sep);
        rest = sep < 0 ? CString() : rest.Mid(sep + 1);
        item.Trim();
        if (item.IsEmpty()) continue;
        if (info_width(item) > width) item = cut_to_width(item, width);
        if (row.IsEmpty()) {
            row = item;
            continue;
        }
        const CString joined = row + " + " + item;
        if (info_width(joined) > width - 20) {
            rows.Add(row);
            row = item;
        } else {
            row = joined;
        }
    }
    if (!row.IsEmpty()) rows.Add(row);
    return rows;
}
