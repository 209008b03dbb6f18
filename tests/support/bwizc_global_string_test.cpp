#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <utility>

#include "support/bwizc_global.h"

TEST(BwizcTokens, RecognisesIntegerAndDecimalTexts) {
    struct ROW {
        const char* text;
        bool integer;
        bool decimal;
    };
    // A lone minus sign counts as a number; signs elsewhere, blanks and
    // exponents do not.
    const ROW rows[] = {{"", false, false},    {"1.5", false, true},   {"--1", false, false}, {"+1", false, false},
                        {" 1", false, false},  {"1-", false, false},   {"-12", true, true},   {"-", true, true},
                        {"0042", true, true},  {"1.2.3", false, false}, {"1e9", false, false}, {"-1-", false, false},
                        {"-.5", false, true},  {"2500.", false, true}, {".", false, true},    {"156.25", false, true}};
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(bwizc_global_token_is_numeric(row.text), row.integer);
        EXPECT_EQ(bwizc_global_token_is_float_numeric(row.text), row.decimal);
    }
}

// Escaping, quoted values and tokens are pinned where CNX records are
// written and read; here only the odd inputs.
TEST(BwizcStrings, ExtractsDoubleQuotedTextByDroppingTheEndsAndNoTokenFromNoText) {
    EXPECT_EQ(bwizc_global_extract_token(nullptr, ","), "");
    EXPECT_EQ(bwizc_global_extract_double_quoted_string("\"Title text\""), "Title text");
    EXPECT_EQ(bwizc_global_extract_double_quoted_string("\"abc"), "ab");
    EXPECT_EQ(bwizc_global_extract_double_quoted_string("\""), "");
    EXPECT_EQ(bwizc_global_extract_double_quoted_string(" \"x\""), " \"x\"");
    EXPECT_EQ(bwizc_global_extract_double_quoted_string(""), "");
}

TEST(BwizcNumbers, ConvertsIntegersOnlyFromNumericText) {
    EXPECT_EQ(bwizc_global_int2str(-42), "-42");
    EXPECT_EQ(bwizc_global_int2str(0), "0");
    const std::pair<const char*, int> int_rows[] = {{"12a", 0}, {"-12", -12}, {"0042", 42}, {" 5", 0},
                                                    {"-", 0},   {"", 0},      {"2.5", 0}};
    for (const auto& [text, value] : int_rows) EXPECT_EQ(bwizc_global_str2int(text), value) << text;

    EXPECT_DOUBLE_EQ(bwizc_global_str2double("2.5e9"), 2.5e9);
    EXPECT_DOUBLE_EQ(bwizc_global_str2double("1.5x"), 1.5);
    EXPECT_DOUBLE_EQ(bwizc_global_str2double("abc"), 0.0);
    EXPECT_FLOAT_EQ(bwizc_global_str2float("-0.125"), -0.125f);
}

TEST(BwizcNumbers, FormatsFixedPointByCuttingNotRounding) {
    struct ROW {
        double value;
        int digits;
        const char* text;
    };
    // A negative digit count keeps all six decimals. The six-decimal form
    // rounds before the cut (the last two rows).
    const ROW rows[] = {{3.14159, 3, "3.141"},  {3.0, 0, "3"},           {2.0, -1, "2.000000"},
                        {2.5678, 2, "2.56"},    {1.0, 8, "1.00000000"},  {-1.25, 1, "-1.2"},
                        {2.9, 0, "2"},          {3125.0, 6, "3125.000000"}, {0.99999996, 2, "1.00"},
                        {1.23456789, 8, "1.23456800"}};
    for (const ROW& row : rows) EXPECT_EQ(bwizc_global_double2str(row.value, row.digits), row.text) << row.value;
    EXPECT_EQ(bwizc_global_float2str(2.5678f, 2), "2.56");
    EXPECT_EQ(bwizc_global_float2str(156.25f, 3), "156.250");
    EXPECT_EQ(bwizc_global_float2str(0.1f, -1), "0.100000");
}

TEST(BwizcNumbers, ReadsBooleansByByteOrderAboveZero) {
    for (const char* text : {"1", "TRUE", "00", "false", "true", "FALSEx"}) EXPECT_TRUE(bwizc_global_str2bool(text)) << text;
    for (const char* text : {"", "0", "FALSE", "-1", " 1", "+1", ".5"}) EXPECT_FALSE(bwizc_global_str2bool(text)) << text;
    EXPECT_EQ(bwizc_global_bool2str(true), "1");
    EXPECT_EQ(bwizc_global_bool2str(false), "0");
}

TEST(BwizcNumbers, ComputesPowersDivisorsFractionsAndRounding) {
    EXPECT_EQ(bwizc_global_power(2, 10), 1024);
    EXPECT_EQ(bwizc_global_power(3, 0), 1);
    EXPECT_EQ(bwizc_global_power(10, -1), 0);

    // Anything below one has no common divisor but one.
    const int gcd_rows[][3] = {{12, 18, 6}, {18, 12, 6}, {0, 5, 1},         {5, -10, 1},         {7, 7, 7},
                               {1, 9, 1},   {13, 7, 1},  {1071, 462, 21}, {2500, 125, 125}};
    for (const auto& r : gcd_rows) EXPECT_EQ(bwizc_global_gcd(r[0], r[1]), r[2]) << r[0] << " " << r[1];

    for (const auto& r : {std::array{6, 4, 3, 2}, std::array{3125, 156250, 1, 50}, std::array{0, 4, 0, 4}}) {
        int num = -1, den = -1;
        bwizc_global_normalize_fraction(r[0], r[1], num, den);
        EXPECT_EQ(std::pair(num, den), std::pair(r[2], r[3])) << r[0] << "/" << r[1];
    }

    // Halves round away from zero.
    const std::pair<double, int> round_rows[] = {{-2.5, -3}, {2.49, 2},  {2.5, 3}, {-0.4, 0}, {-2.51, -3},
                                                 {2147483647.0, INT_MAX}, {-2147483648.4, INT_MIN}};
    for (const auto& [value, rounded] : round_rows) EXPECT_EQ(bwizc_global_round_double(value), rounded) << value;

    // Results beyond int come out as the processor's conversion gives them.
    EXPECT_EQ(bwizc_global_power(10, 10), INT_MIN);
    EXPECT_EQ(bwizc_global_round_double(3e9), INT_MIN);
    EXPECT_EQ(bwizc_global_round_double(-3e9), INT_MIN);
    EXPECT_EQ(bwizc_global_round_double(std::nan("")), INT_MIN);
}

TEST(BwizcColors, ParsesColourTextsAndBlendsLevels) {
    EXPECT_EQ(bwizc_global_str2COLORREF("#FF0000"), BWIZC_COLOR_RED);
    EXPECT_EQ(bwizc_global_str2COLORREF("00ff80"), 0x80FF00u);
    EXPECT_EQ(bwizc_global_str2COLORREF("#123456"), 0x563412u);
    EXPECT_EQ(bwizc_global_str2COLORREF("#bdbdbd"), BWIZC_COLOR_LIGHT_GRAY);

    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_BLACK, BWIZC_COLOR_WHITE, 1, 2), BWIZC_COLOR_GRAY);
    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_BLACK, BWIZC_COLOR_WHITE, 2, 2), BWIZC_COLOR_WHITE);
    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_RED, BWIZC_COLOR_BLUE, 1, 4), RGB(192, 0, 63));
    // Out-of-range levels keep the first colour.
    for (const auto& [level, count] : {std::pair{5, 4}, std::pair{-1, 4}, std::pair{0, 0}}) {
        EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_RED, BWIZC_COLOR_BLUE, level, count), BWIZC_COLOR_RED)
            << level << "/" << count;
    }
    // Components are clamped to a byte; fine gradients with many levels do
    // not overflow.
    const int component_rows[][5] = {{10, 0, 1, 3, 7},        {0, 10, 1, 3, 3},
                                      {300, 400, 1, 2, 255},   {40, 80, 3, 2, 40},
                                      {0, 255, INT_MAX / 2, INT_MAX, 127}, {255, 0, 3000000, 4000000, 64}};
    for (const auto& r : component_rows) {
        EXPECT_EQ(bwizc_global_get_color_component_from_level(r[0], r[1], r[2], r[3]), r[4])
            << r[0] << " " << r[1] << " " << r[2] << "/" << r[3];
    }
    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_BLACK, BWIZC_COLOR_WHITE, INT_MAX, INT_MAX),
              BWIZC_COLOR_WHITE);
}
