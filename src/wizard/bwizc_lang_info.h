// The three design languages a variation can be written in.
#pragma once

#include "platform/cstring.h"

class BWIZC_LANG_INFO {
public:
    struct LANG_REC {
        const char* id;
        const char* display_name;
        const char* design_file_ext;   // with its "."
        const char* include_file_ext;  // include or component declaration
        const char* comment_prefix;
    };

    static const LANG_REC bwizc_ahdl_rec;
    static const LANG_REC bwizc_vhdl_rec;
    static const LANG_REC bwizc_verilog_rec;

    // The record whose design extension equals ext (any case), or null.
    static const LANG_REC* find_by_design_file_ext(const CString& ext);
};
