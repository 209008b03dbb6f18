#include <gtest/gtest.h>

#include <utility>

#include "services/mfam.h"

TEST(FamilyNameService, MapsAcceptedSpellingsToPreferredNameAndAtomLibrary) {
    // Case, blanks, "-" and "_" do not tell spellings apart; an unknown name
    // is both its own preferred name and its own library.
    const struct {
        const char *spelling, *name, *library;
    } rows[] = {
        {"Velaris II GX", "Velaris II GX", "velarisiigx"}, {"velaris ii gx", "Velaris II GX", "velarisiigx"},
        {"VELARIS-II-GX", "Velaris II GX", "velarisiigx"}, {"Velaris_II_GX", "Velaris II GX", "velarisiigx"},
        {"VelarisIIGX", "Velaris II GX", "velarisiigx"},   {"Velaris 2 GX", "Velaris II GX", "velarisiigx"},
        {"velaris gx ii", "Velaris II GX", "velarisiigx"}, {"Velaris II", "Velaris II", "velarisii"},
        {"velarisii", "Velaris II", "velarisii"},          {"Velaris-2", "Velaris II", "velarisii"},
        {"Velaris", "Velaris", "velaris"},                 {"VELARIS", "Velaris", "velaris"},
        {"Velaris GX", "Velaris GX", "velarisgx"},         {"velaris-gx", "Velaris GX", "velarisgx"},
        {"Nimbus V", "Nimbus V", "Nimbus V"},              {"Velaris III", "Velaris III", "Velaris III"},
        {" - ", " - ", " - "},                             {"", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spelling);
        EXPECT_STREQ(mfam_get_preferred_user_family_name(row.spelling), row.name);
        EXPECT_STREQ(mfam_get_wysiwyg_library_name(row.spelling), row.library);
    }
    const char* unknown = "Nimbus V";
    EXPECT_EQ(mfam_get_preferred_user_family_name(unknown), unknown);
    EXPECT_STREQ(mfam_get_preferred_user_family_name(nullptr), "");
    EXPECT_STREQ(mfam_get_wysiwyg_library_name(nullptr), "");
}

TEST(FamilyNameService, TranslatesRetiredNamesOnlyThroughRetiredTable) {
    // The service itself does not accept a retired name.
    for (const auto& [retired, current] :
         {std::pair{"Velaris Plus", "Velaris II"}, std::pair{"Velaris GX Plus", "Velaris II GX"}}) {
        EXPECT_STREQ(mfam_get_preferred_user_family_name(retired), retired);
        EXPECT_STREQ(mfam_get_current_name_of_retired_family(retired), current);
    }
    for (const char* name : {"Velaris GX", "velaris plus", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(mfam_get_current_name_of_retired_family(name), nullptr) << (name ? name : "(null)");
}
