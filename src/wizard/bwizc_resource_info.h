// The texts the resource-estimate worker leaves for the pages (the last
// resource estimate and the last list of simulation libraries, names
// separated by ";"), and the seam through which a page hands the worker a
// new request.
#pragma once

#include <functional>

#include "platform/cstring.h"

class CWnd;

extern CString g_bwizc_resource_info_string;
extern CString g_bwizc_simlib_info_string;

// One request: the parameters as "NAME=value;" pairs (DEVICE_FAMILY last),
// the used ports as "name;" items, what to compute, the generator library's
// module name (the wizard name in lower case) and the page to notify.
struct BWIZC_RESOURCE_INFO_REQUEST {
    CString param_text;
    CString port_text;
    bool estimate_resources = false;
    bool get_simulation_libraries = false;
    CString module_name;
    CWnd* window = nullptr;
};

// The worker installs the function that takes requests; an empty one (the
// default) drops them. Returns the previous one.
using BWIZC_RESOURCE_INFO_REQUESTER = std::function<void(const BWIZC_RESOURCE_INFO_REQUEST&)>;
BWIZC_RESOURCE_INFO_REQUESTER bwizc_set_resource_info_requester(BWIZC_RESOURCE_INFO_REQUESTER requester);
// Hands a request to the installed function, if any.
void bwizc_request_resource_info(const BWIZC_RESOURCE_INFO_REQUEST& request);

// The worker also installs how it is stopped; the application calls it when
// the process ends (nothing happens when no worker runs).
using BWIZC_RESOURCE_INFO_STOPPER = std::function<void()>;
BWIZC_RESOURCE_INFO_STOPPER bwizc_set_resource_info_stopper(BWIZC_RESOURCE_INFO_STOPPER stopper);
void bwizc_stop_resource_info_worker();
