#include "transceiver/kvgxb.h"

void KVGXB_WIZARD_MODEL::param_to_wizard_var() { param_to_wizard_var_init_complete(); }

CStringArray KVGXB_WIZARD_MODEL::get_symbol_summary_lines() { return CStringArray(); }
