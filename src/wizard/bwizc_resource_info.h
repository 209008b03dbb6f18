// The texts the resource-estimate worker leaves for the pages: the last
// resource estimate and the last list of simulation libraries (names
// separated by ";"). Written by the worker, read on the GUI thread.
#pragma once

#include "platform/cstring.h"

extern CString g_bwizc_resource_info_string;
extern CString g_bwizc_simlib_info_string;
