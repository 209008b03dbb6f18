// Device families and time/frequency/angle units: process-wide constant
// objects, compared by identity and found by name through g_bwizc_object_list.
#pragma once

#include "platform/cstring.h"
#include "support/bwizc_collections.h"
#include "support/bwizc_global.h"
#include "support/bwizc_object.h"

class BWIZC_RDEVICE_FAMILY : public BWIZC_OBJECT {
public:
    // Both names become the family-name service's preferred name of literal.
    BWIZC_RDEVICE_FAMILY(const char* literal, int family_id);
    BWIZC_RDEVICE_FAMILY(const BWIZC_RDEVICE_FAMILY&) = delete;

    const CString& get_family_name() const { return m_family_name; }
    int get_family_id() const { return m_family_id; }

    // The family object whose name equals the preferred name of name; null
    // when there is none.
    static const BWIZC_RDEVICE_FAMILY* get_device_family(const CString& name);

private:
    CString m_family_name;
    int m_family_id;
};

class BWIZC_FREQ_UNIT : public BWIZC_OBJECT {
public:
    explicit BWIZC_FREQ_UNIT(const char* name) : BWIZC_OBJECT(name) {}
    BWIZC_FREQ_UNIT(const BWIZC_FREQ_UNIT&) = delete;
};

// The constant objects are built on first use by these accessors, so the
// lookups and conversions below work at any time, also from constructors of
// globals. The names further down refer to the same objects; they are bound
// before the globals of any file that includes this header, and before main.
// Code that runs during static initialisation in a file that does not include
// this header reaches the objects only through functions.
const BWIZC_RDEVICE_FAMILY& bwizc_device_velarisii();
const BWIZC_RDEVICE_FAMILY& bwizc_device_velaris();
const BWIZC_RDEVICE_FAMILY& bwizc_device_velarisgx();
const BWIZC_RDEVICE_FAMILY& bwizc_device_velarisiigx();
const BWIZC_FREQ_UNIT& bwizc_unit_hz();
const BWIZC_FREQ_UNIT& bwizc_unit_khz();
const BWIZC_FREQ_UNIT& bwizc_unit_mhz();
const BWIZC_FREQ_UNIT& bwizc_unit_ghz();
const BWIZC_FREQ_UNIT& bwizc_unit_sec();
const BWIZC_FREQ_UNIT& bwizc_unit_milli_sec();
const BWIZC_FREQ_UNIT& bwizc_unit_micro_sec();
const BWIZC_FREQ_UNIT& bwizc_unit_nano_sec();
const BWIZC_FREQ_UNIT& bwizc_unit_pico_sec();
const BWIZC_FREQ_UNIT& bwizc_unit_femto_sec();
const BWIZC_FREQ_UNIT& bwizc_unit_degrees();
const BWIZC_FREQ_UNIT& bwizc_unit_radians();

// The device families of this wizard.
inline const BWIZC_RDEVICE_FAMILY& BWIZC_DEVICE_VELARISII = bwizc_device_velarisii();      // "Velaris II", 5
inline const BWIZC_RDEVICE_FAMILY& BWIZC_DEVICE_VELARIS = bwizc_device_velaris();          // "Velaris", 19
inline const BWIZC_RDEVICE_FAMILY& BWIZC_DEVICE_VELARISGX = bwizc_device_velarisgx();      // "Velaris GX", 20
inline const BWIZC_RDEVICE_FAMILY& BWIZC_DEVICE_VELARISIIGX = bwizc_device_velarisiigx();  // "Velaris II GX", 25

// Units.
inline const BWIZC_FREQ_UNIT& UNIT_HZ = bwizc_unit_hz();                // "Hz"
inline const BWIZC_FREQ_UNIT& UNIT_KHZ = bwizc_unit_khz();              // "KHz"
inline const BWIZC_FREQ_UNIT& UNIT_MHZ = bwizc_unit_mhz();              // "MHz"
inline const BWIZC_FREQ_UNIT& UNIT_GHZ = bwizc_unit_ghz();              // "GHz"
inline const BWIZC_FREQ_UNIT& UNIT_SEC = bwizc_unit_sec();              // "sec"
inline const BWIZC_FREQ_UNIT& UNIT_MILLI_SEC = bwizc_unit_milli_sec();  // "ms"
inline const BWIZC_FREQ_UNIT& UNIT_MICRO_SEC = bwizc_unit_micro_sec();  // "us"
inline const BWIZC_FREQ_UNIT& UNIT_NANO_SEC = bwizc_unit_nano_sec();    // "ns"
inline const BWIZC_FREQ_UNIT& UNIT_PICO_SEC = bwizc_unit_pico_sec();    // "ps"
inline const BWIZC_FREQ_UNIT& UNIT_FEMTO_SEC = bwizc_unit_femto_sec();  // "fs", not in the table
inline const BWIZC_FREQ_UNIT& UNIT_DEGREES = bwizc_unit_degrees();      // "deg"
inline const BWIZC_FREQ_UNIT& UNIT_RADIANS = bwizc_unit_radians();      // "rad"

// Every constant object, families first (by identifier declaration order),
// then the units Hz, KHz, MHz, GHz, sec, ms, us, ns, ps, deg, rad. It does
// not own them.
class BWIZC_CONST_TABLE : public BWIZC_ARRAY<const BWIZC_OBJECT*> {
public:
    BWIZC_CONST_TABLE();
};
const BWIZC_CONST_TABLE& bwizc_global_get_object_list();
inline const BWIZC_CONST_TABLE& g_bwizc_object_list = bwizc_global_get_object_list();

// The parameter under which the device family travels.
inline const CString CGX_COMBO_DEVICE_FAMILY_PARAM_NAME{"INTENDED_DEVICE_FAMILY"};
inline const BWIZC_RDEVICE_FAMILY* const CGX_DEFAULT_DEVICE_FAMILY = &bwizc_device_velaris();
inline const CString CGX_COMBO_DEFAULT_DEVICE_FAMILY{bwizc_device_velaris().get_family_name()};

// Same as BWIZC_RDEVICE_FAMILY::get_device_family.
const BWIZC_RDEVICE_FAMILY* bwizc_global_get_device_family(const CString& name);
// The unit of exactly that name in the table, or null ("fs" is not found).
const BWIZC_FREQ_UNIT* bwizc_global_get_freq_unit(const CString& name);

// A time in unit to picoseconds, or a frequency in unit to its period in
// picoseconds; 0 for any other unit (angles, null).
double bwizc_global_convert_to_ps(double value, const BWIZC_FREQ_UNIT* unit);
// Picoseconds to a time in unit, or a period in picoseconds to its frequency
// in unit; 0 for any other unit.
double bwizc_global_convert_from_ps(double ps, const BWIZC_FREQ_UNIT* unit);
// A period in unit to its frequency in hertz, or a frequency in unit to
// hertz; 0 for any other unit.
double bwizc_global_convert_to_Hz(double value, const BWIZC_FREQ_UNIT* unit);

// degrees / 360 * full_scale; with wrap the whole turns are taken off first
// (the sign stays).
double bwizc_global_degree2absolute(double degrees, double full_scale, bool wrap);
// value / full_scale * 360.
double bwizc_global_absolute2degree(double value, double full_scale);
