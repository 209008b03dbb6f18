#include <gtest/gtest.h>

#include "toolkit/crvalue_text.h"

TEST(RadixText, ConvertsBetweenRadixesKeepingTheSign) {
    EXPECT_EQ(crvalue_text_convert_radix("-1F", 16, 10), "-31");
    EXPECT_EQ(crvalue_text_convert_radix("-1f", 16, 10), "-31");
    EXPECT_EQ(crvalue_text_convert_radix("255", 10, 16), "FF");
    EXPECT_EQ(crvalue_text_convert_radix("255", 10, 2), "11111111");
    EXPECT_EQ(crvalue_text_convert_radix("1010", 2, 8), "12");
    EXPECT_EQ(crvalue_text_convert_radix("777", 8, 10), "511");
    EXPECT_EQ(crvalue_text_convert_radix("0011", 2, 10), "3");
    // The largest unsigned 32-bit value survives the round trip.
    EXPECT_EQ(crvalue_text_convert_radix("FFFFFFFF", 16, 10), "4294967295");
    EXPECT_EQ(crvalue_text_convert_radix("4294967295", 10, 16), "FFFFFFFF");
}

TEST(RadixText, ZeroValuesAndBadRadixesLeaveTheTextAlone) {
    EXPECT_EQ(crvalue_text_convert_radix("0", 16, 10), "0");
    EXPECT_EQ(crvalue_text_convert_radix("000", 2, 16), "000");
    EXPECT_EQ(crvalue_text_convert_radix("", 10, 2), "");
    EXPECT_EQ(crvalue_text_convert_radix("-", 10, 2), "-");
    EXPECT_EQ(crvalue_text_convert_radix("12", 10, 1), "12");
    // Characters that are no digit count as 0.
    EXPECT_EQ(crvalue_text_convert_radix("1.1", 10, 10), "101");
}

TEST(RadixText, AcceptsOnlyTheDigitsOfTheRadix) {
    const unsigned backspace = CRVALUE_TEXT_KEY_BACKSPACE;
    for (int radix : {2, 8, 10, 16}) EXPECT_TRUE(crvalue_text_radix_key_accepted(backspace, radix, false, 3));

    EXPECT_TRUE(crvalue_text_radix_key_accepted('1', 2, false, 0));
    EXPECT_FALSE(crvalue_text_radix_key_accepted('2', 2, false, 0));
    EXPECT_TRUE(crvalue_text_radix_key_accepted('7', 8, false, 0));
    EXPECT_FALSE(crvalue_text_radix_key_accepted('8', 8, false, 0));
    EXPECT_TRUE(crvalue_text_radix_key_accepted('9', 10, false, 0));
    EXPECT_FALSE(crvalue_text_radix_key_accepted('a', 10, false, 0));
    EXPECT_TRUE(crvalue_text_radix_key_accepted('f', 16, false, 0));
    EXPECT_TRUE(crvalue_text_radix_key_accepted('F', 16, false, 0));
    EXPECT_FALSE(crvalue_text_radix_key_accepted('G', 16, false, 0));
    EXPECT_FALSE(crvalue_text_radix_key_accepted('g', 16, false, 0));
    EXPECT_FALSE(crvalue_text_radix_key_accepted(' ', 16, false, 0));

    // A minus only where negatives are allowed and only at the very start.
    EXPECT_FALSE(crvalue_text_radix_key_accepted('-', 10, false, 0));
    EXPECT_TRUE(crvalue_text_radix_key_accepted('-', 10, true, 0));
    EXPECT_FALSE(crvalue_text_radix_key_accepted('-', 10, true, 1));
}

TEST(HexText, RebuildsTypedTextAsPrefixedUpperCaseDigits) {
    // The box's text after each typed piece: 0x, a, b, 0x, C, D.
    CString text;
    for (const char* piece : {"0x", "a", "b", "0x", "C", "D"}) {
        text += piece;
        filter_non_hex(&text);
    }
    EXPECT_EQ(text, "0xABCD");

    CString junk = "0xz!g";
    filter_non_hex(&junk);
    EXPECT_EQ(junk, "");
    CString mixed = "12 0xfe-Q";
    filter_non_hex(&mixed);
    EXPECT_EQ(mixed, "0x12FE");
    CString empty;
    filter_non_hex(&empty);
    EXPECT_EQ(empty, "");
    filter_non_hex(nullptr);
}
