#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "services/mfam.h"

TEST(FamilyNameService, MapsAcceptedSpellingsToPreferredName) {
    const char* spellings[] = {"Velaris II GX", "velaris ii gx", "VELARIS-II-GX", "Velaris_II_GX",
                               "VelarisIIGX",   "Velaris 2 GX",  "velaris gx ii"};
    for (const char* spelling : spellings)
        EXPECT_STREQ(mfam_get_preferred_user_family_name(spelling), "Velaris II GX") << spelling;
    for (const auto& [spelling, name] : {std::pair{"velarisii", "Velaris II"}, {"Velaris-2", "Velaris II"},
                                         {"VELARIS", "Velaris"}, {"velaris-gx", "Velaris GX"}}) {
        EXPECT_STREQ(mfam_get_preferred_user_family_name(spelling), name);
    }

    const char* unknown = "Nimbus V";
    EXPECT_EQ(mfam_get_preferred_user_family_name(unknown), unknown);
    for (const char* other : {"Velaris III", " - ", ""})
        EXPECT_STREQ(mfam_get_preferred_user_family_name(other), other);
    EXPECT_STREQ(mfam_get_preferred_user_family_name(nullptr), "");
}

TEST(FamilyNameService, NamesOneLowerCaseAtomLibraryPerFamily) {
    for (const auto& [family, library] : {std::pair{"Velaris II GX", "velarisiigx"}, {"velaris-ii-gx", "velarisiigx"},
                                          {"Velaris GX", "velarisgx"}, {"Velaris II", "velarisii"},
                                          {"Velaris", "velaris"}, {"Nimbus V", "Nimbus V"}}) {
        EXPECT_STREQ(mfam_get_wysiwyg_library_name(family), library);
    }
    EXPECT_STREQ(mfam_get_wysiwyg_library_name(nullptr), "");

    // Every preferred name maps to itself, and the libraries are distinct.
    std::set<std::string> libraries;
    for (const char* family : {"Velaris II", "Velaris", "Velaris GX", "Velaris II GX"}) {
        EXPECT_STREQ(mfam_get_preferred_user_family_name(family), family);
        libraries.insert(mfam_get_wysiwyg_library_name(family));
    }
    EXPECT_EQ(libraries.size(), 4u);
}

TEST(FamilyNameService, TranslatesRetiredNamesOnlyThroughRetiredTable) {
    std::set<std::string> retired;
    for (const MFAM_RETIRED_FAMILY_NAME& entry : mfam_retired_family_names) {
        retired.insert(entry.retired);
        // The current name is a preferred family name; the retired one is not
        // accepted by the service itself.
        EXPECT_STREQ(mfam_get_preferred_user_family_name(entry.current), entry.current);
        EXPECT_STREQ(mfam_get_preferred_user_family_name(entry.retired), entry.retired);
        EXPECT_STREQ(mfam_get_current_name_of_retired_family(entry.retired), entry.current);
        EXPECT_STRNE(entry.retired, entry.current);
    }
    EXPECT_EQ(retired.size(), 2u);

    for (const char* name : {"Velaris GX", "velaris plus", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(mfam_get_current_name_of_retired_family(name), nullptr) << (name ? name : "(null)");
}
