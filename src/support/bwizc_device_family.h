// Device families and time/frequency/angle units: process-wide constant
// objects, compared by identity and found by name through g_bwizc_object_list.
//
// The objects are inline variables defined here, so every translation unit
// that includes this header sees them constructed before its own globals.
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

// The device families of this wizard.
inline const BWIZC_RDEVICE_FAMILY BWIZC_DEVICE_VELARISII{"Velaris II", 5};
inline const BWIZC_RDEVICE_FAMILY BWIZC_DEVICE_VELARIS{"Velaris", 19};
inline const BWIZC_RDEVICE_FAMILY BWIZC_DEVICE_VELARISGX{"Velaris GX", 20};
inline const BWIZC_RDEVICE_FAMILY BWIZC_DEVICE_VELARISIIGX{"Velaris II GX", 25};

// Units.
inline const BWIZC_FREQ_UNIT UNIT_HZ{"Hz"};
inline const BWIZC_FREQ_UNIT UNIT_KHZ{"KHz"};
inline const BWIZC_FREQ_UNIT UNIT_MHZ{"MHz"};
inline const BWIZC_FREQ_UNIT UNIT_GHZ{"GHz"};
inline const BWIZC_FREQ_UNIT UNIT_SEC{"sec"};
inline const BWIZC_FREQ_UNIT UNIT_MILLI_SEC{"ms"};
inline const BWIZC_FREQ_UNIT UNIT_MICRO_SEC{"us"};
inline const BWIZC_FREQ_UNIT UNIT_NANO_SEC{"ns"};
inline const BWIZC_FREQ_UNIT UNIT_PICO_SEC{"ps"};
inline const BWIZC_FREQ_UNIT UNIT_FEMTO_SEC{"fs"};  // not in the table: not found by name
inline const BWIZC_FREQ_UNIT UNIT_DEGREES{"deg"};
inline const BWIZC_FREQ_UNIT UNIT_RADIANS{"rad"};

// Every constant object, families first (by identifier declaration order),
// then the units Hz, KHz, MHz, GHz, sec, ms, us, ns, ps, deg, rad. It does
// not own them.
class BWIZC_CONST_TABLE : public BWIZC_ARRAY<const BWIZC_OBJECT*> {
public:
    BWIZC_CONST_TABLE();
};
inline const BWIZC_CONST_TABLE g_bwizc_object_list;

// The parameter under which the device family travels.
inline const CString CGX_COMBO_DEVICE_FAMILY_PARAM_NAME{"INTENDED_DEVICE_FAMILY"};
inline constexpr const BWIZC_RDEVICE_FAMILY* CGX_DEFAULT_DEVICE_FAMILY = &BWIZC_DEVICE_VELARIS;
inline const CString CGX_COMBO_DEFAULT_DEVICE_FAMILY{BWIZC_DEVICE_VELARIS.get_family_name()};

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
