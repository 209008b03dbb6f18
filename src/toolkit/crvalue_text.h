// Text rules shared by the typed value controls: which keys an integer field
// takes, radix conversion of its text, and the clean-up of hexadecimal text.
#pragma once

#include "platform/cstring.h"

// Backspace, the one editing key every value field lets through.
constexpr unsigned CRVALUE_TEXT_KEY_BACKSPACE = 8;

// Rebuilds a hexadecimal field's text: every "0x" goes, the rest is
// upper-cased, anything but 0-9 and A-F is dropped, and "0x" is put in
// front when something is left.
void filter_non_hex(CString* text);

// The text of a number written in radix `from`, rewritten in radix `to`
// (digits 0-9 then upper-case letters). A leading "-" is kept; letters count
// from 10 upwards and any other character as 0; a zero value or a radix below
// 2 leaves the text as it was.
CString crvalue_text_convert_radix(const CString& text, int from, int to);

// Whether the integer field takes the typed key: backspace always, "-" only
// at the caret position 0 when negatives are allowed, and the digits (and
// letters) of the radix.
bool crvalue_text_radix_key_accepted(unsigned key, int radix, bool negative_allowed, int caret_pos);
