#include <gtest/gtest.h>

#include "fake_metrics.h"
#include "symbol/crsymbol_resource_rows.h"

using ResourceRows = FakeMetricsTest;

namespace {
std::vector<CString> as_vector(const CStringArray& a) { return std::vector<CString>(a.begin(), a.end()); }
}  // namespace

TEST_F(ResourceRows, WrapsJoinsAndCutsItems) {
    // Info text: 3.5 pixels per character.
    EXPECT_EQ(as_vector(crsymbol_layout_resource_rows("", false, 100)), std::vector<CString>{"..."});
    EXPECT_TRUE(crsymbol_layout_resource_rows("", true, 100).IsEmpty());
    // "4 lut + 2 reg" is 13 characters (45 px) <= 100 - 20; adding " + 1 pll"
    // makes 21 (73 px) and still fits; " + 9 mem" would make 29 (101 px).
    EXPECT_EQ(as_vector(crsymbol_layout_resource_rows("4 lut; 2 reg;1 pll;9 mem", true, 100)),
              (std::vector<CString>{"4 lut + 2 reg + 1 pll", "9 mem"}));
    // Rows join while they stay within the width less 20: 23 characters
    // (80 px) do, 24 (84 px) do not.
    EXPECT_EQ(as_vector(crsymbol_layout_resource_rows("abcdefghijkl;12345678", true, 100)),
              std::vector<CString>{"abcdefghijkl + 12345678"});
    EXPECT_EQ(as_vector(crsymbol_layout_resource_rows("abcdefghijklm;12345678", true, 100)),
              (std::vector<CString>{"abcdefghijklm", "12345678"}));
    // 40 characters is 140 px > 100: cut to "... " + the last 24 characters (98 px).
    const CString long_item = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
    const auto rows = as_vector(crsymbol_layout_resource_rows("x;" + long_item + ";;y", true, 100));
    EXPECT_EQ(rows, (std::vector<CString>{"x", "... " + long_item.Right(24), "y"}));
}
