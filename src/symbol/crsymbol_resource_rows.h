// The rows of the resource-usage box beside the symbol preview.
#pragma once

#include "platform/cstring.h"

// The ";"-separated resource items in rows joined by " + ": a row ends when
// the next item would pass `width` - 20 pixels (in the info text font); an
// item wider than `width` keeps its end behind "... ". While the estimate is
// not known the only row is "...".
CStringArray crsymbol_layout_resource_rows(const CString& resources, bool known, int width);
