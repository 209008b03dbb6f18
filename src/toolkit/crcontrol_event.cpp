#include "toolkit/crcontrol_event.h"

#include "support/bwizc_global.h"

int CRCONTROL_EVENT::get_val_int() const { return bwizc_global_str2int(m_value); }
void CRCONTROL_EVENT::set_val(int value) { m_value = bwizc_global_int2str(value); }
int CRCONTROL_EVENT::get_prev_val_int() const { return bwizc_global_str2int(m_prev_value); }
void CRCONTROL_EVENT::set_prev_val(int value) { m_prev_value = bwizc_global_int2str(value); }
bool CRCONTROL_EVENT::get_val_bool() const { return bwizc_global_str2bool(m_value); }
void CRCONTROL_EVENT::set_val_bool(bool value) { m_value = bwizc_global_bool2str(value); }
bool CRCONTROL_EVENT::get_prev_val_bool() const { return bwizc_global_str2bool(m_prev_value); }
void CRCONTROL_EVENT::set_prev_val_bool(bool value) { m_prev_value = bwizc_global_bool2str(value); }
