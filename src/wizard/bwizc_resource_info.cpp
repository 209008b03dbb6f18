#include "wizard/bwizc_resource_info.h"

#include <utility>

CString g_bwizc_resource_info_string;
CString g_bwizc_simlib_info_string;

namespace {
BWIZC_RESOURCE_INFO_REQUESTER& requester() {
    static BWIZC_RESOURCE_INFO_REQUESTER fn;
    return fn;
}
}  // namespace

BWIZC_RESOURCE_INFO_REQUESTER bwizc_set_resource_info_requester(BWIZC_RESOURCE_INFO_REQUESTER fn) {
    return std::exchange(requester(), std::move(fn));
}

void bwizc_request_resource_info(const BWIZC_RESOURCE_INFO_REQUEST& request) {
    if (requester()) requester()(request);
}

namespace {
BWIZC_RESOURCE_INFO_STOPPER& stopper() {
    static BWIZC_RESOURCE_INFO_STOPPER fn;
    return fn;
}
}  // namespace

BWIZC_RESOURCE_INFO_STOPPER bwizc_set_resource_info_stopper(BWIZC_RESOURCE_INFO_STOPPER fn) {
    return std::exchange(stopper(), std::move(fn));
}

void bwizc_stop_resource_info_worker() {
    // Taken out first: a worker is stopped once.
    BWIZC_RESOURCE_INFO_STOPPER fn = std::exchange(stopper(), nullptr);
    if (fn) fn();
}
