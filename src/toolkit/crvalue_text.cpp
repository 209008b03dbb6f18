#include "toolkit/crvalue_text.h"

#include <cstdint>

void filter_non_hex(CString* text) {
    if (text == nullptr) return;
    CString rest = *text;
    rest.Replace("0x", "");
    rest.MakeUpper();
    CString digits;
    for (int i = 0; i < rest.GetLength(); ++i) {
        char ch = rest[i];
        if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F')) digits += ch;
    }
    *text = digits.IsEmpty() ? CString() : CString("0x") + digits;
}

CString crvalue_text_convert_radix(const CString& text, int from, int to) {
    if (from < 1 || to < 2) return text;
    CString digits = text;
    bool negative = digits.GetLength() > 0 && digits[0] == '-';
    if (negative) digits = digits.Mid(1);

    // Read as an unsigned 32-bit number; overflow wraps like the field always did.
    std::uint32_t value = 0;
    for (int i = 0; i < digits.GetLength(); ++i) {
        char ch = digits[i];
        std::uint32_t digit = 0;
        if (ch >= '0' && ch <= '9') digit = static_cast<std::uint32_t>(ch - '0');
        else if (ch >= 'a' && ch <= 'z') digit = static_cast<std::uint32_t>(ch - 'a' + 10);
        else if (ch >= 'A' && ch <= 'Z') digit = static_cast<std::uint32_t>(ch - 'A' + 10);
        value = value * static_cast<std::uint32_t>(from) + digit;
    }
    if (value == 0) return text;

    CString out;
    const std::uint32_t radix = static_cast<std::uint32_t>(to);
    while (value != 0) {
        std::uint32_t digit = value % radix;
        out.Insert(0, static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10));
        value /= radix;
    }
    if (negative) out.Insert(0, '-');
    return out;
}

bool crvalue_text_radix_key_accepted(unsigned key, int radix, bool negative_allowed, int caret_pos) {
    if (key == CRVALUE_TEXT_KEY_BACKSPACE) return true;
    if (key == '-') return negative_allowed && caret_pos == 0;
    if (radix <= 10) {
        return key >= '0' && key < static_cast<unsigned>('0' + (radix < 1 ? 1 : radix));
    }
    if (key >= '0' && key <= '9') return true;
    const unsigned letters = static_cast<unsigned>(radix - 10);
    return (key >= 'A' && key < 'A' + letters) || (key >= 'a' && key < 'a' + letters);
}
