#include "wizard/bwizc_resource_info.h"

CString g_bwizc_resource_info_string;
CString g_bwizc_simlib_info_string;
