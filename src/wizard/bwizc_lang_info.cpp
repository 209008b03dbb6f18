#include "wizard/bwizc_lang_info.h"

const BWIZC_LANG_INFO::LANG_REC BWIZC_LANG_INFO::bwizc_ahdl_rec = {"AHDL", "AHDL", ".tdf", ".inc", "--"};
const BWIZC_LANG_INFO::LANG_REC BWIZC_LANG_INFO::bwizc_vhdl_rec = {"VHDL", "VHDL", ".vhd", ".cmp", "--"};
const BWIZC_LANG_INFO::LANG_REC BWIZC_LANG_INFO::bwizc_verilog_rec = {"VERILOG", "Verilog HDL", ".v", ".inc", "//"};

const BWIZC_LANG_INFO::LANG_REC* BWIZC_LANG_INFO::find_by_design_file_ext(const CString& ext) {
    for (const LANG_REC* rec : {&bwizc_ahdl_rec, &bwizc_vhdl_rec, &bwizc_verilog_rec}) {
        if (ext.CompareNoCase(rec->design_file_ext) == 0) return rec;
    }
    return nullptr;
}
