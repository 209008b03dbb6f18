#include <gtest/gtest.h>

#include <utility>

#include "toolkit/crvalue_text.h"

TEST(RadixText, ConvertsBetweenRadixesKeepingTheSignAndLeavesZeroAndBadInputAlone) {
    struct CASE {
        const char* text;
        int from, to;
        const char* expected;
    };
    const CASE cases[] = {
        {"-1F", 16, 10, "-31"}, {"-1f", 16, 10, "-31"}, {"255", 10, 16, "FF"}, {"255", 10, 2, "11111111"},
        {"1010", 2, 8, "12"},   {"777", 8, 10, "511"},  {"0011", 2, 10, "3"},
        // The largest unsigned 32-bit value survives the round trip.
        {"FFFFFFFF", 16, 10, "4294967295"}, {"4294967295", 10, 16, "FFFFFFFF"},
        // Zero values, empty texts and a radix below 2 stay as they are.
        {"0", 16, 10, "0"}, {"000", 2, 16, "000"}, {"", 10, 2, ""}, {"-", 10, 2, "-"}, {"12", 10, 1, "12"},
        // Characters that are no digit count as 0.
        {"1.1", 10, 10, "101"},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(crvalue_text_convert_radix(c.text, c.from, c.to), c.expected);
    }
}

TEST(RadixText, AcceptsOnlyTheDigitsOfTheRadix) {
    for (int radix : {2, 8, 10, 16}) EXPECT_TRUE(crvalue_text_radix_key_accepted(CRVALUE_TEXT_KEY_BACKSPACE, radix, false, 3));
    struct CASE {
        char key;
        int radix;
        bool negative_allowed;
        int at;
        bool accepted;
    };
    const CASE cases[] = {
        {'1', 2, false, 0, true},   {'2', 2, false, 0, false},  {'7', 8, false, 0, true},  {'8', 8, false, 0, false},
        {'9', 10, false, 0, true},  {'a', 10, false, 0, false}, {'f', 16, false, 0, true}, {'F', 16, false, 0, true},
        {'G', 16, false, 0, false}, {'g', 16, false, 0, false}, {' ', 16, false, 0, false},
        // A minus only where negatives are allowed and only at the very start.
        {'-', 10, false, 0, false}, {'-', 10, true, 0, true},   {'-', 10, true, 1, false},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " radix " << c.radix << " at " << c.at);
        EXPECT_EQ(crvalue_text_radix_key_accepted(static_cast<unsigned>(c.key), c.radix, c.negative_allowed, c.at),
                  c.accepted);
    }
}

// Typing piece by piece is covered by the hex box itself; here the odd texts.
TEST(HexText, KeepsOnlyHexDigitsBehindOnePrefix) {
    for (const auto& [text, expected] : {std::pair<const char*, const char*>{"0xz!g", ""}, {"12 0xfe-Q", "0x12FE"},
                                         {"", ""}, {"0xab0xC", "0xABC"}}) {
        SCOPED_TRACE(text);
        CString s = text;
        filter_non_hex(&s);
        EXPECT_EQ(s, expected);
    }
    filter_non_hex(nullptr);
}
