// What the CNX manager needs of an attached symbol outline to end the file
// with its symbol block. The symbol outline implements it.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

class CRCNX_SYMBOL_OUTLINE_INTERFACE {
public:
    virtual ~CRCNX_SYMBOL_OUTLINE_INTERFACE() = default;
    // The common extent of everything in the outline.
    virtual CRect get_extent() = 0;
    // The outline's "SYMBOL:" lines, with y measured up from `height` and
    // every coordinate shifted by `origin`.
    virtual CString generate_cnx(int height, CPoint origin, bool flag) = 0;
};
