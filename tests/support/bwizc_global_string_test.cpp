#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "support/bwizc_global.h"

TEST(BwizcTokens, ExtractsTokensBetweenDelimiterRuns) {
    CString s = ",,ab,,cd";
    EXPECT_EQ(bwizc_global_extract_token(&s, ","), "ab");
    EXPECT_EQ(s, "cd");
    EXPECT_EQ(bwizc_global_extract_token(&s, ","), "cd");
    EXPECT_EQ(s, "");
    EXPECT_EQ(bwizc_global_extract_token(&s, ","), "");

    s = ",,,";
    EXPECT_EQ(bwizc_global_extract_token(&s, ","), "");
    EXPECT_EQ(s, "");

    s = "PRIVATE: \tWIZ_X STRING \"a b\"";
    EXPECT_EQ(bwizc_global_extract_token(&s, " \t\n"), "PRIVATE:");
    EXPECT_EQ(s, "WIZ_X STRING \"a b\"");
    EXPECT_EQ(bwizc_global_extract_token(&s, " \t\n"), "WIZ_X");
    EXPECT_EQ(bwizc_global_extract_token(&s, "\""), "STRING ");
    EXPECT_EQ(s, "a b\"");

    EXPECT_EQ(bwizc_global_extract_token(nullptr, ","), "");
}

TEST(BwizcTokens, RecognisesIntegerAndDecimalTexts) {
    EXPECT_FALSE(bwizc_global_token_is_numeric(""));
    EXPECT_FALSE(bwizc_global_token_is_numeric("1.5"));
    EXPECT_FALSE(bwizc_global_token_is_numeric("--1"));
    EXPECT_FALSE(bwizc_global_token_is_numeric("+1"));
    EXPECT_FALSE(bwizc_global_token_is_numeric(" 1"));
    EXPECT_FALSE(bwizc_global_token_is_numeric("1-"));
    EXPECT_TRUE(bwizc_global_token_is_numeric("-12"));
    EXPECT_TRUE(bwizc_global_token_is_numeric("-"));
    EXPECT_TRUE(bwizc_global_token_is_numeric("0042"));

    EXPECT_FALSE(bwizc_global_token_is_float_numeric(""));
    EXPECT_FALSE(bwizc_global_token_is_float_numeric("1.2.3"));
    EXPECT_FALSE(bwizc_global_token_is_float_numeric("1e9"));
    EXPECT_FALSE(bwizc_global_token_is_float_numeric("-1-"));
    EXPECT_TRUE(bwizc_global_token_is_float_numeric("-.5"));
    EXPECT_TRUE(bwizc_global_token_is_float_numeric("2500."));
    EXPECT_TRUE(bwizc_global_token_is_float_numeric("."));
    EXPECT_TRUE(bwizc_global_token_is_float_numeric("-"));
    EXPECT_TRUE(bwizc_global_token_is_float_numeric("156.25"));
}

TEST(BwizcStrings, EscapesAndUndoesEscapesInOrder) {
    EXPECT_EQ(get_escaped_string("a\tb"), "a\\tb");
    EXPECT_EQ(get_escaped_string("c:\\x\nend"), "c:\\\\x\\nend");
    EXPECT_EQ(get_escaped_string("say \"hi\""), "say \"hi\"");
    EXPECT_EQ(get_de_escaped_string("a\\tb\\nc\\\\d"), "a\tb\nc\\d");
    EXPECT_EQ(get_de_escaped_string(get_escaped_string("1\t2\n3")), "1\t2\n3");
    // The passes run one after the other: an escaped backslash followed by
    // "t" turns into a tab on the way back.
    EXPECT_EQ(get_de_escaped_string("\\\\t"), "\t");

    EXPECT_EQ(get_quoted_string("x\"a\\tb\"y"), "a\tb");
    EXPECT_EQ(get_quoted_string("STRING \"open end"), "open end");
    EXPECT_EQ(get_quoted_string("STRING \"\""), "");
    EXPECT_EQ(get_quoted_string("no quote"), "");

    EXPECT_EQ(bwizc_global_extract_double_quoted_string("\"Title text\""), "Title text");
    EXPECT_EQ(bwizc_global_extract_double_quoted_string("\"abc"), "ab");
    EXPECT_EQ(bwizc_global_extract_double_quoted_string("\""), "");
    EXPECT_EQ(bwizc_global_extract_double_quoted_string(" \"x\""), " \"x\"");
    EXPECT_EQ(bwizc_global_extract_double_quoted_string(""), "");
}

TEST(BwizcNumbers, ConvertsIntegersOnlyFromNumericText) {
    EXPECT_EQ(bwizc_global_int2str(-42), "-42");
    EXPECT_EQ(bwizc_global_int2str(0), "0");
    EXPECT_EQ(bwizc_global_str2int("12a"), 0);
    EXPECT_EQ(bwizc_global_str2int("-12"), -12);
    EXPECT_EQ(bwizc_global_str2int("0042"), 42);
    EXPECT_EQ(bwizc_global_str2int(" 5"), 0);
    EXPECT_EQ(bwizc_global_str2int("-"), 0);
    EXPECT_EQ(bwizc_global_str2int(""), 0);
    EXPECT_EQ(bwizc_global_str2int("2.5"), 0);

    EXPECT_DOUBLE_EQ(bwizc_global_str2double("2.5e9"), 2.5e9);
    EXPECT_DOUBLE_EQ(bwizc_global_str2double("1.5x"), 1.5);
    EXPECT_DOUBLE_EQ(bwizc_global_str2double("abc"), 0.0);
    EXPECT_FLOAT_EQ(bwizc_global_str2float("-0.125"), -0.125f);
}

TEST(BwizcNumbers, FormatsFixedPointByCuttingNotRounding) {
    EXPECT_EQ(bwizc_global_double2str(3.14159, 3), "3.141");
    EXPECT_EQ(bwizc_global_double2str(3.0, 0), "3");
    EXPECT_EQ(bwizc_global_double2str(2.0, -1), "2.000000");
    EXPECT_EQ(bwizc_global_double2str(2.5678, 2), "2.56");
    EXPECT_EQ(bwizc_global_double2str(1.0, 8), "1.00000000");
    EXPECT_EQ(bwizc_global_double2str(-1.25, 1), "-1.2");
    EXPECT_EQ(bwizc_global_double2str(2.9, 0), "2");
    EXPECT_EQ(bwizc_global_double2str(3125.0, 6), "3125.000000");
    // The six-decimal formatting rounds before the cut.
    EXPECT_EQ(bwizc_global_double2str(0.99999996, 2), "1.00");
    EXPECT_EQ(bwizc_global_double2str(1.23456789, 8), "1.23456800");

    EXPECT_EQ(bwizc_global_float2str(2.5678f, 2), "2.56");
    EXPECT_EQ(bwizc_global_float2str(156.25f, 3), "156.250");
    EXPECT_EQ(bwizc_global_float2str(0.1f, -1), "0.100000");
}

TEST(BwizcNumbers, ReadsBooleansByByteOrderAboveZero) {
    EXPECT_TRUE(bwizc_global_str2bool("1"));
    EXPECT_TRUE(bwizc_global_str2bool("TRUE"));
    EXPECT_TRUE(bwizc_global_str2bool("00"));
    EXPECT_TRUE(bwizc_global_str2bool("false"));
    EXPECT_TRUE(bwizc_global_str2bool("true"));
    EXPECT_TRUE(bwizc_global_str2bool("FALSEx"));
    EXPECT_FALSE(bwizc_global_str2bool(""));
    EXPECT_FALSE(bwizc_global_str2bool("0"));
    EXPECT_FALSE(bwizc_global_str2bool("FALSE"));
    EXPECT_FALSE(bwizc_global_str2bool("-1"));
    EXPECT_FALSE(bwizc_global_str2bool(" 1"));
    EXPECT_FALSE(bwizc_global_str2bool("+1"));
    EXPECT_FALSE(bwizc_global_str2bool(".5"));

    EXPECT_EQ(bwizc_global_bool2str(true), "1");
    EXPECT_EQ(bwizc_global_bool2str(false), "0");
    EXPECT_EQ(BWIZC_LOGICAL_TRUE_STRING, "TRUE");
    EXPECT_EQ(BWIZC_LOGICAL_FALSE_STRING, "FALSE");
    EXPECT_TRUE(bwizc_global_str2bool(BWIZC_LOGICAL_TRUE_STRING));
    EXPECT_FALSE(bwizc_global_str2bool(BWIZC_LOGICAL_FALSE_STRING));
}

TEST(BwizcNumbers, ComputesPowersDivisorsFractionsAndRounding) {
    EXPECT_EQ(bwizc_global_power(2, 10), 1024);
    EXPECT_EQ(bwizc_global_power(3, 0), 1);
    EXPECT_EQ(bwizc_global_power(10, -1), 0);

    EXPECT_EQ(bwizc_global_gcd(12, 18), 6);
    EXPECT_EQ(bwizc_global_gcd(18, 12), 6);
    EXPECT_EQ(bwizc_global_gcd(0, 5), 1);
    EXPECT_EQ(bwizc_global_gcd(5, -10), 1);
    EXPECT_EQ(bwizc_global_gcd(7, 7), 7);
    EXPECT_EQ(bwizc_global_gcd(1, 9), 1);
    EXPECT_EQ(bwizc_global_gcd(13, 7), 1);
    EXPECT_EQ(bwizc_global_gcd(1071, 462), 21);
    EXPECT_EQ(bwizc_global_gcd(2500, 125), 125);

    int num = 0;
    int den = 0;
    bwizc_global_normalize_fraction(6, 4, num, den);
    EXPECT_EQ(num, 3);
    EXPECT_EQ(den, 2);
    bwizc_global_normalize_fraction(3125, 156250, num, den);
    EXPECT_EQ(num, 1);
    EXPECT_EQ(den, 50);
    bwizc_global_normalize_fraction(0, 4, num, den);
    EXPECT_EQ(num, 0);
    EXPECT_EQ(den, 4);

    EXPECT_EQ(bwizc_global_round_double(-2.5), -3);
    EXPECT_EQ(bwizc_global_round_double(2.49), 2);
    EXPECT_EQ(bwizc_global_round_double(2.5), 3);
    EXPECT_EQ(bwizc_global_round_double(-0.4), 0);
    EXPECT_EQ(bwizc_global_round_double(-2.51), -3);
    EXPECT_EQ(bwizc_global_round_double(2147483647.0), INT_MAX);
    EXPECT_EQ(bwizc_global_round_double(-2147483648.4), INT_MIN);

    // Results beyond int come out as the processor's conversion gives them.
    EXPECT_EQ(bwizc_global_power(10, 10), INT_MIN);
    EXPECT_EQ(bwizc_global_round_double(3e9), INT_MIN);
    EXPECT_EQ(bwizc_global_round_double(-3e9), INT_MIN);
    EXPECT_EQ(bwizc_global_round_double(std::nan("")), INT_MIN);
}

TEST(BwizcColors, ParsesColourTextsAndBlendsLevels) {
    EXPECT_EQ(bwizc_global_str2COLORREF("#FF0000"), 0x0000FFu);
    EXPECT_EQ(bwizc_global_str2COLORREF("#FF0000"), BWIZC_COLOR_RED);
    EXPECT_EQ(bwizc_global_str2COLORREF("00ff80"), 0x80FF00u);
    EXPECT_EQ(bwizc_global_str2COLORREF("#123456"), 0x563412u);
    EXPECT_EQ(bwizc_global_str2COLORREF("#bdbdbd"), BWIZC_COLOR_LIGHT_GRAY);

    EXPECT_EQ(BWIZC_COLOR_BLUE, RGB(0, 0, 255));
    EXPECT_EQ(BWIZC_COLOR_DARK_GREEN, RGB(0, 127, 0));
    EXPECT_EQ(BWIZC_COLOR_TEAL, RGB(0, 128, 128));

    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_BLACK, BWIZC_COLOR_WHITE, 1, 2), BWIZC_COLOR_GRAY);
    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_BLACK, BWIZC_COLOR_WHITE, 2, 2), BWIZC_COLOR_WHITE);
    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_RED, BWIZC_COLOR_BLUE, 1, 4), RGB(192, 0, 63));
    // Out-of-range levels keep the first colour.
    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_RED, BWIZC_COLOR_BLUE, 5, 4), BWIZC_COLOR_RED);
    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_RED, BWIZC_COLOR_BLUE, -1, 4), BWIZC_COLOR_RED);
    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_RED, BWIZC_COLOR_BLUE, 0, 0), BWIZC_COLOR_RED);

    EXPECT_EQ(bwizc_global_get_color_component_from_level(10, 0, 1, 3), 7);
    EXPECT_EQ(bwizc_global_get_color_component_from_level(0, 10, 1, 3), 3);
    EXPECT_EQ(bwizc_global_get_color_component_from_level(300, 400, 1, 2), 255);
    EXPECT_EQ(bwizc_global_get_color_component_from_level(40, 80, 3, 2), 40);
    // Fine gradients with many levels.
    EXPECT_EQ(bwizc_global_get_color_component_from_level(0, 255, INT_MAX / 2, INT_MAX), 127);
    EXPECT_EQ(bwizc_global_get_color_component_from_level(255, 0, 3000000, 4000000), 64);
    EXPECT_EQ(bwizc_global_get_color_from_level(BWIZC_COLOR_BLACK, BWIZC_COLOR_WHITE, INT_MAX, INT_MAX),
              BWIZC_COLOR_WHITE);
}
