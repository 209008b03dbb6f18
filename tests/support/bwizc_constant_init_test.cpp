// This file does not include the device-family header: its global reaches
// the constants only through a function of another file, before that file's
// own globals are built.
#include <gtest/gtest.h>

#include "platform/cstring.h"

CString support_test_family_name_of(const char* spelling);
int support_test_object_count();

namespace {

const CString g_family_name = support_test_family_name_of("velaris-ii-gx");
const int g_object_count = support_test_object_count();

}  // namespace

TEST(BwizcDeviceFamily, ConstantsServeGlobalsOfOtherFilesAtStartUp) {
    EXPECT_EQ(g_family_name, "Velaris II GX");
    EXPECT_EQ(g_object_count, 15);
}
