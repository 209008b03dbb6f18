#include "toolkit/crvalue_notifier.h"

#include "support/bwizc_global.h"

void CRVALUE_NOTIFIER::set_default(int value) { m_default.Format("%d", value); }

void CRVALUE_NOTIFIER::set_default(float value) { m_default = bwizc_global_float2str(value, -1); }

void CRVALUE_NOTIFIER::set_default(bool value, bool /*unused*/) { m_default = value ? "1" : "0"; }
