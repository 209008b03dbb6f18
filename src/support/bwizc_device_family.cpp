// Device-family and unit objects: lookups and unit conversions.
#include "support/bwizc_device_family.h"

#include <cmath>

#include "services/mfam.h"

BWIZC_RDEVICE_FAMILY::BWIZC_RDEVICE_FAMILY(const char* literal, int family_id)
    : BWIZC_OBJECT(mfam_get_preferred_user_family_name(literal)), m_family_name(m_name), m_family_id(family_id) {}

#define BWIZC_CONSTANT(type, accessor, ...)  \
    const type& accessor() {                     \
        static const type object{__VA_ARGS__};   \
        return object;                           \
    }

BWIZC_CONSTANT(BWIZC_RDEVICE_FAMILY, bwizc_device_velarisii, "Velaris II", 5)
BWIZC_CONSTANT(BWIZC_RDEVICE_FAMILY, bwizc_device_velaris, "Velaris", 19)
BWIZC_CONSTANT(BWIZC_RDEVICE_FAMILY, bwizc_device_velarisgx, "Velaris GX", 20)
BWIZC_CONSTANT(BWIZC_RDEVICE_FAMILY, bwizc_device_velarisiigx, "Velaris II GX", 25)
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_hz, "Hz")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_khz, "KHz")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_mhz, "MHz")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_ghz, "GHz")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_sec, "sec")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_milli_sec, "ms")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_micro_sec, "us")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_nano_sec, "ns")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_pico_sec, "ps")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_femto_sec, "fs")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_degrees, "deg")
BWIZC_CONSTANT(BWIZC_FREQ_UNIT, bwizc_unit_radians, "rad")
BWIZC_CONSTANT(BWIZC_CONST_TABLE, bwizc_global_get_object_list)

#undef BWIZC_CONSTANT

BWIZC_CONST_TABLE::BWIZC_CONST_TABLE() : BWIZC_ARRAY<const BWIZC_OBJECT*>(10, 10, CString()) {
    add(&bwizc_device_velarisii());
    add(&bwizc_device_velaris());
    add(&bwizc_device_velarisgx());
    add(&bwizc_device_velarisiigx());
    add(&bwizc_unit_hz());
    add(&bwizc_unit_khz());
    add(&bwizc_unit_mhz());
    add(&bwizc_unit_ghz());
    add(&bwizc_unit_sec());
    add(&bwizc_unit_milli_sec());
    add(&bwizc_unit_micro_sec());
    add(&bwizc_unit_nano_sec());
    add(&bwizc_unit_pico_sec());
    add(&bwizc_unit_degrees());
    add(&bwizc_unit_radians());
}

const BWIZC_RDEVICE_FAMILY* BWIZC_RDEVICE_FAMILY::get_device_family(const CString& name) {
    CString preferred = mfam_get_preferred_user_family_name(name.c_str());
    for (const BWIZC_OBJECT* entry : bwizc_global_get_object_list()) {
        if (entry->to_string() == preferred) return dynamic_cast<const BWIZC_RDEVICE_FAMILY*>(entry);
    }
    return nullptr;
}

const BWIZC_RDEVICE_FAMILY* bwizc_global_get_device_family(const CString& name) {
    return BWIZC_RDEVICE_FAMILY::get_device_family(name);
}

const BWIZC_FREQ_UNIT* bwizc_global_get_freq_unit(const CString& name) {
    for (const BWIZC_OBJECT* entry : bwizc_global_get_object_list()) {
        if (entry->to_string() == name) return dynamic_cast<const BWIZC_FREQ_UNIT*>(entry);
    }
    return nullptr;
}

double bwizc_global_convert_to_ps(double x, const BWIZC_FREQ_UNIT* unit) {
    if (unit == &bwizc_unit_femto_sec()) return x * 0.001;
    if (unit == &bwizc_unit_pico_sec()) return x;
    if (unit == &bwizc_unit_nano_sec()) return x * 1000;
    if (unit == &bwizc_unit_micro_sec()) return x * 1e6;
    if (unit == &bwizc_unit_milli_sec()) return x * 1e9;
    if (unit == &bwizc_unit_sec()) return x * 1e12;
    if (unit == &bwizc_unit_hz()) return 1e12 / x;
    if (unit == &bwizc_unit_khz()) return 1e9 / x;
    if (unit == &bwizc_unit_mhz()) return 1e6 / x;
    if (unit == &bwizc_unit_ghz()) return 1000 / x;
    return 0;
}

double bwizc_global_convert_from_ps(double x, const BWIZC_FREQ_UNIT* unit) {
    if (unit == &bwizc_unit_femto_sec()) return x * 1000;
    if (unit == &bwizc_unit_pico_sec()) return x;
    if (unit == &bwizc_unit_nano_sec()) return x * 0.001;
    if (unit == &bwizc_unit_micro_sec()) return x * 1e-6;
    if (unit == &bwizc_unit_milli_sec()) return x * 1e-9;
    if (unit == &bwizc_unit_sec()) return x * 1e-12;
    if (unit == &bwizc_unit_hz()) return 1e12 / x;
    if (unit == &bwizc_unit_khz()) return 1e9 / x;
    if (unit == &bwizc_unit_mhz()) return 1e6 / x;
    if (unit == &bwizc_unit_ghz()) return 1000 / x;
    return 0;
}

double bwizc_global_convert_to_Hz(double x, const BWIZC_FREQ_UNIT* unit) {
    if (unit == &bwizc_unit_femto_sec()) return 1e15 / x;
    if (unit == &bwizc_unit_pico_sec()) return 1e12 / x;
    if (unit == &bwizc_unit_nano_sec()) return 1e9 / x;
    if (unit == &bwizc_unit_micro_sec()) return 1e6 / x;
    if (unit == &bwizc_unit_milli_sec()) return 1e3 / x;
    if (unit == &bwizc_unit_sec()) return 1 / x;
    if (unit == &bwizc_unit_hz()) return x;
    if (unit == &bwizc_unit_khz()) return x * 1000;
    if (unit == &bwizc_unit_mhz()) return x * 1e6;
    if (unit == &bwizc_unit_ghz()) return x * 1e9;
    return 0;
}

double bwizc_global_degree2absolute(double degrees, double full_scale, bool wrap) {
    if (wrap) degrees -= 360 * std::trunc(degrees / 360);
    return degrees / 360 * full_scale;
}

double bwizc_global_absolute2degree(double value, double full_scale) { return value / full_scale * 360; }
