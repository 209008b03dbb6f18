// Device-family and unit objects: lookups and unit conversions.
#include "support/bwizc_device_family.h"

#include <cmath>

#include "services/mfam.h"

BWIZC_RDEVICE_FAMILY::BWIZC_RDEVICE_FAMILY(const char* literal, int family_id)
    : BWIZC_OBJECT(mfam_get_preferred_user_family_name(literal)), m_family_name(m_name), m_family_id(family_id) {}

BWIZC_CONST_TABLE::BWIZC_CONST_TABLE() : BWIZC_ARRAY<const BWIZC_OBJECT*>(10, 10, CString()) {
    add(&BWIZC_DEVICE_VELARISII);
    add(&BWIZC_DEVICE_VELARIS);
    add(&BWIZC_DEVICE_VELARISGX);
    add(&BWIZC_DEVICE_VELARISIIGX);
    add(&UNIT_HZ);
    add(&UNIT_KHZ);
    add(&UNIT_MHZ);
    add(&UNIT_GHZ);
    add(&UNIT_SEC);
    add(&UNIT_MILLI_SEC);
    add(&UNIT_MICRO_SEC);
    add(&UNIT_NANO_SEC);
    add(&UNIT_PICO_SEC);
    add(&UNIT_DEGREES);
    add(&UNIT_RADIANS);
}

const BWIZC_RDEVICE_FAMILY* BWIZC_RDEVICE_FAMILY::get_device_family(const CString& name) {
    CString preferred = mfam_get_preferred_user_family_name(name.c_str());
    for (const BWIZC_OBJECT* entry : g_bwizc_object_list) {
        if (entry->to_string() == preferred) return dynamic_cast<const BWIZC_RDEVICE_FAMILY*>(entry);
    }
    return nullptr;
}

const BWIZC_RDEVICE_FAMILY* bwizc_global_get_device_family(const CString& name) {
    return BWIZC_RDEVICE_FAMILY::get_device_family(name);
}

const BWIZC_FREQ_UNIT* bwizc_global_get_freq_unit(const CString& name) {
    for (const BWIZC_OBJECT* entry : g_bwizc_object_list) {
        if (entry->to_string() == name) return dynamic_cast<const BWIZC_FREQ_UNIT*>(entry);
    }
    return nullptr;
}

double bwizc_global_convert_to_ps(double x, const BWIZC_FREQ_UNIT* unit) {
    if (unit == &UNIT_FEMTO_SEC) return x * 0.001;
    if (unit == &UNIT_PICO_SEC) return x;
    if (unit == &UNIT_NANO_SEC) return x * 1000;
    if (unit == &UNIT_MICRO_SEC) return x * 1e6;
    if (unit == &UNIT_MILLI_SEC) return x * 1e9;
    if (unit == &UNIT_SEC) return x * 1e12;
    if (unit == &UNIT_HZ) return 1e12 / x;
    if (unit == &UNIT_KHZ) return 1e9 / x;
    if (unit == &UNIT_MHZ) return 1e6 / x;
    if (unit == &UNIT_GHZ) return 1000 / x;
    return 0;
}

double bwizc_global_convert_from_ps(double x, const BWIZC_FREQ_UNIT* unit) {
    if (unit == &UNIT_FEMTO_SEC) return x * 1000;
    if (unit == &UNIT_PICO_SEC) return x;
    if (unit == &UNIT_NANO_SEC) return x * 0.001;
    if (unit == &UNIT_MICRO_SEC) return x * 1e-6;
    if (unit == &UNIT_MILLI_SEC) return x * 1e-9;
    if (unit == &UNIT_SEC) return x * 1e-12;
    if (unit == &UNIT_HZ) return 1e12 / x;
    if (unit == &UNIT_KHZ) return 1e9 / x;
    if (unit == &UNIT_MHZ) return 1e6 / x;
    if (unit == &UNIT_GHZ) return 1000 / x;
    return 0;
}

double bwizc_global_convert_to_Hz(double x, const BWIZC_FREQ_UNIT* unit) {
    if (unit == &UNIT_FEMTO_SEC) return 1e15 / x;
    if (unit == &UNIT_PICO_SEC) return 1e12 / x;
    if (unit == &UNIT_NANO_SEC) return 1e9 / x;
    if (unit == &UNIT_MICRO_SEC) return 1e6 / x;
    if (unit == &UNIT_MILLI_SEC) return 1e3 / x;
    if (unit == &UNIT_SEC) return 1 / x;
    if (unit == &UNIT_HZ) return x;
    if (unit == &UNIT_KHZ) return x * 1000;
    if (unit == &UNIT_MHZ) return x * 1e6;
    if (unit == &UNIT_GHZ) return x * 1e9;
    return 0;
}

double bwizc_global_degree2absolute(double degrees, double full_scale, bool wrap) {
    if (wrap) degrees -= 360 * std::trunc(degrees / 360);
    return degrees / 360 * full_scale;
}

double bwizc_global_absolute2degree(double value, double full_scale) { return value / full_scale * 360; }
