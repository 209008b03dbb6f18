#include <gtest/gtest.h>

#include "support/bwizc_device_family.h"

namespace {

// Globals of another translation unit, built during static initialisation:
// the family objects and the table must already be usable then.
const CString g_name_at_start = BWIZC_DEVICE_VELARISIIGX.to_string();
const BWIZC_RDEVICE_FAMILY* const g_lookup_at_start = bwizc_global_get_device_family("velaris gx");
const BWIZC_FREQ_UNIT* const g_unit_at_start = bwizc_global_get_freq_unit("GHz");

}  // namespace

// Used by the globals of bwizc_constant_init_test.cpp, which may be built
// before this file's globals: only functions may be used here.
CString support_test_family_name_of(const char* spelling) {
    const BWIZC_RDEVICE_FAMILY* family = bwizc_global_get_device_family(spelling);
    return family ? family->get_family_name() : CString("(none)");
}
int support_test_object_count() { return bwizc_global_get_object_list().get_size(); }

TEST(BwizcDeviceFamily, ObjectsAreUsableDuringStaticInitialisation) {
    EXPECT_EQ(g_name_at_start, "Velaris II GX");
    EXPECT_EQ(g_lookup_at_start, &BWIZC_DEVICE_VELARISGX);
    EXPECT_EQ(g_unit_at_start, &UNIT_GHZ);
}

TEST(BwizcDeviceFamily, CarriesPreferredNameAndIdentifierAndIsFoundByAnySpelling) {
    struct ROW {
        const BWIZC_RDEVICE_FAMILY* family;
        const char* name;
        int id;
        const char* spelling;
    };
    const ROW rows[] = {
        {&BWIZC_DEVICE_VELARISII, "Velaris II", 5, "Velaris 2"},
        {&BWIZC_DEVICE_VELARIS, "Velaris", 19, "Velaris"},
        {&BWIZC_DEVICE_VELARISGX, "Velaris GX", 20, "Velaris GX"},
        {&BWIZC_DEVICE_VELARISIIGX, "Velaris II GX", 25, "VELARIS-II-GX"},
    };
    for (const ROW& row : rows) {
        EXPECT_EQ(row.family->get_family_name(), row.name);
        EXPECT_EQ(row.family->to_string(), row.name);
        EXPECT_EQ(row.family->get_family_id(), row.id);
        EXPECT_EQ(bwizc_global_get_device_family(row.spelling), row.family) << row.spelling;
        EXPECT_EQ(BWIZC_RDEVICE_FAMILY::get_device_family(row.name), row.family) << row.name;
    }
    // Units share the table but are no families.
    for (const char* unknown : {"Velaris III", "", "MHz"})
        EXPECT_EQ(bwizc_global_get_device_family(unknown), nullptr) << unknown;
    EXPECT_EQ(CGX_DEFAULT_DEVICE_FAMILY, &BWIZC_DEVICE_VELARIS);
    EXPECT_EQ(CGX_COMBO_DEFAULT_DEVICE_FAMILY, "Velaris");
    EXPECT_EQ(CGX_COMBO_DEVICE_FAMILY_PARAM_NAME, "INTENDED_DEVICE_FAMILY");
}

TEST(BwizcFreqUnit, FindsUnitsByExactNameExceptFemtoseconds) {
    for (const auto& [name, unit] : {std::pair<const char*, const void*>{"MHz", &UNIT_MHZ}, {"KHz", &UNIT_KHZ},
                                     {"ps", &UNIT_PICO_SEC}, {"rad", &UNIT_RADIANS}, {"mhz", nullptr},
                                     {"fs", nullptr}, {"Velaris", nullptr}}) {
        EXPECT_EQ(static_cast<const void*>(bwizc_global_get_freq_unit(name)), unit) << name;
    }
}

TEST(BwizcFreqUnit, ConvertsTimesAndFrequencies) {
    EXPECT_DOUBLE_EQ(bwizc_global_convert_to_ps(2.5, &UNIT_GHZ), 400);
    EXPECT_DOUBLE_EQ(bwizc_global_convert_from_ps(400, &UNIT_GHZ), 2.5);
    EXPECT_DOUBLE_EQ(bwizc_global_convert_to_Hz(400, &UNIT_PICO_SEC), 2.5e9);
    EXPECT_DOUBLE_EQ(bwizc_global_convert_to_ps(156.25, &UNIT_MHZ), 6400);
    EXPECT_DOUBLE_EQ(bwizc_global_convert_to_ps(3, &UNIT_NANO_SEC), 3000);
    EXPECT_DOUBLE_EQ(bwizc_global_convert_to_ps(500, &UNIT_FEMTO_SEC), 0.5);
    EXPECT_DOUBLE_EQ(bwizc_global_convert_to_Hz(2, &UNIT_KHZ), 2000);
    EXPECT_DOUBLE_EQ(bwizc_global_convert_to_Hz(8, &UNIT_NANO_SEC), 1.25e8);

    const BWIZC_FREQ_UNIT* times[] = {&UNIT_FEMTO_SEC, &UNIT_PICO_SEC, &UNIT_NANO_SEC,
                                      &UNIT_MICRO_SEC, &UNIT_MILLI_SEC, &UNIT_SEC};
    const BWIZC_FREQ_UNIT* freqs[] = {&UNIT_HZ, &UNIT_KHZ, &UNIT_MHZ, &UNIT_GHZ};
    double previous_ps = 0;
    for (const BWIZC_FREQ_UNIT* unit : times) {
        // One of each unit is longer than one of the unit before, and a time
        // converted there and back stays the same.
        double ps = bwizc_global_convert_to_ps(1, unit);
        EXPECT_GT(ps, previous_ps) << unit->to_string();
        previous_ps = ps;
        EXPECT_NEAR(bwizc_global_convert_from_ps(bwizc_global_convert_to_ps(7.5, unit), unit), 7.5, 1e-12)
            << unit->to_string();
        // A period and its frequency multiply to one.
        EXPECT_NEAR(bwizc_global_convert_to_Hz(7.5, unit) * ps * 7.5 * 1e-12, 1.0, 1e-12) << unit->to_string();
    }
    for (const BWIZC_FREQ_UNIT* unit : freqs) {
        double hz = bwizc_global_convert_to_Hz(2, unit);
        EXPECT_NEAR(hz * bwizc_global_convert_to_ps(2, unit) * 1e-12, 1.0, 1e-12) << unit->to_string();
        EXPECT_NEAR(bwizc_global_convert_from_ps(bwizc_global_convert_to_ps(2, unit), unit), 2, 1e-12)
            << unit->to_string();
    }

    EXPECT_EQ(bwizc_global_convert_to_ps(90, &UNIT_DEGREES), 0);
    EXPECT_EQ(bwizc_global_convert_from_ps(90, &UNIT_RADIANS), 0);
    EXPECT_EQ(bwizc_global_convert_to_Hz(90, &UNIT_DEGREES), 0);
    EXPECT_EQ(bwizc_global_convert_to_ps(1, nullptr), 0);
}

TEST(BwizcFreqUnit, ConvertsPhasesWithOptionalWrap) {
    EXPECT_DOUBLE_EQ(bwizc_global_degree2absolute(450, 100, true), 25);
    EXPECT_DOUBLE_EQ(bwizc_global_degree2absolute(450, 100, false), 125);
    EXPECT_DOUBLE_EQ(bwizc_global_degree2absolute(-90, 100, true), -25);
    EXPECT_DOUBLE_EQ(bwizc_global_degree2absolute(-450, 100, true), -25);
    EXPECT_DOUBLE_EQ(bwizc_global_degree2absolute(720, 100, true), 0);
    EXPECT_DOUBLE_EQ(bwizc_global_absolute2degree(25, 100), 90);
    EXPECT_DOUBLE_EQ(bwizc_global_absolute2degree(-12.5, 50), -90);
}
