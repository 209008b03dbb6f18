// Token, escape, number and colour utilities.
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <utility>

#include "support/bwizc_global.h"

namespace {

bool is_delimiter(char ch, const char* delimiters) {
    return ch != '\0' && delimiters && std::strchr(delimiters, ch) != nullptr;
}

// Numbers are always read in the C locale, whatever the user's locale is.
locale_t c_numeric_locale() {
    static locale_t loc = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

double c_atof(const CString& s) {
    locale_t loc = c_numeric_locale();
    return loc ? strtod_l(s.c_str(), nullptr, loc) : std::strtod(s.c_str(), nullptr);
}

bool token_has_only(const CString& s, const char* allowed, bool single_point) {
    if (s.IsEmpty()) return false;
    int i = s[0] == '-' ? 1 : 0;
    bool seen_point = false;
    for (; i < s.GetLength(); ++i) {
        char ch = s[i];
        if (!is_delimiter(ch, allowed)) return false;
        if (single_point && ch == '.') {
            if (seen_point) return false;
            seen_point = true;
        }
    }
    return true;
}

CString fixed_point(double value, int precision) {
    CString text;
    locale_t loc = c_numeric_locale();
    locale_t previous = loc ? uselocale(loc) : static_cast<locale_t>(nullptr);
    text.Format("%f", value);
    if (previous) uselocale(previous);
    if (precision < 0) return text;
    int point = text.Find('.');
    if (point < 0) return text;  // "inf", "nan"
    if (precision == 0) return text.Left(point);
    int decimals = text.GetLength() - point - 1;
    if (decimals > precision) return text.Left(point + 1 + precision);
    while (decimals++ < precision) text += '0';
    return text;
}

// Truncation toward zero; a value beyond int (or not a number) gives
// INT_MIN, the processor's own answer, instead of undefined behaviour.
int truncate_to_int(double x) {
    if (!(x > -2147483649.0 && x < 2147483648.0)) return INT_MIN;
    return static_cast<int>(x);
}

int hex_digit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

// A pair of hexadecimal digits; reading stops at the first non-digit.
int hex_pair(const CString& s, int at) {
    int value = 0;
    for (int i = at; i < at + 2; ++i) {
        int d = hex_digit(s[i]);
        if (d < 0) break;
        value = value * 16 + d;
    }
    return value;
}

}  // namespace

CString bwizc_global_extract_token(CString* s, const char* delimiters) {
    if (!s) return CString();
    const std::string& text = s->str();
    size_t i = 0;
    while (i < text.size() && is_delimiter(text[i], delimiters)) ++i;
    size_t start = i;
    while (i < text.size() && !is_delimiter(text[i], delimiters)) ++i;
    CString token(text.substr(start, i - start));
    while (i < text.size() && is_delimiter(text[i], delimiters)) ++i;
    *s = CString(text.substr(i));
    return token;
}

bool bwizc_global_token_is_numeric(const CString& s) { return token_has_only(s, "0123456789", false); }

bool bwizc_global_token_is_float_numeric(const CString& s) { return token_has_only(s, "0123456789.", true); }

CString get_quoted_string(const CString& s) {
    int open = s.Find('"');
    if (open < 0) return CString();
    int close = s.Find('"', open + 1);
    CString inner = close < 0 ? s.Mid(open + 1) : s.Mid(open + 1, close - open - 1);
    return get_de_escaped_string(inner);
}

CString get_escaped_string(const CString& s) {
    CString result = s;
    result.Replace("\\", "\\\\");
    result.Replace("\t", "\\t");
    result.Replace("\n", "\\n");
    return result;
}

CString get_de_escaped_string(const CString& s) {
    // Three passes in this order, as the CNX readers have always undone the
    // escapes.
    CString result = s;
    result.Replace("\\\\", "\\");
    result.Replace("\\t", "\t");
    result.Replace("\\n", "\n");
    return result;
}

CString bwizc_global_extract_double_quoted_string(const CString& s) {
    if (s.IsEmpty() || s[0] != '"') return s;
    return s.Mid(1, s.GetLength() - 2);
}

CString bwizc_global_int2str(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

int bwizc_global_str2int(const CString& s) {
    if (!bwizc_global_token_is_numeric(s)) return 0;
    return static_cast<int>(std::strtol(s.c_str(), nullptr, 10));
}

CString bwizc_global_float2str(float value, int precision) { return fixed_point(value, precision); }

CString bwizc_global_double2str(double value, int precision) { return fixed_point(value, precision); }

CString bwizc_global_strip_fraction_zeros(const CString& text) {
    CString t = text;
    t.Trim();
    if (t.Find('.') < 0) return t;
    t.TrimRight('0');
    t.TrimRight('.');
    return t;
}

float bwizc_global_str2float(const CString& s) { return static_cast<float>(c_atof(s)); }

double bwizc_global_str2double(const CString& s) { return c_atof(s); }

bool bwizc_global_str2bool(const CString& s) { return s.Compare("0") > 0 && s != BWIZC_LOGICAL_FALSE_STRING; }

CString bwizc_global_bool2str(bool value) { return CString(value ? "1" : "0"); }

int bwizc_global_power(int base, int exp) {
    return truncate_to_int(std::pow(static_cast<double>(base), static_cast<double>(exp)));
}

int bwizc_global_gcd(int a, int b) {
    if (a < 1 || b < 1) return 1;
    if (a > b) std::swap(a, b);
    int larger = b;
    int smaller = a;
    while (smaller > 1) {
        int remainder = larger % smaller;
        if (remainder == 0) return smaller;
        if (remainder == 1) return 1;
        larger = smaller;
        smaller = remainder;
    }
    return 1;
}

void bwizc_global_normalize_fraction(int num, int den, int& num_out, int& den_out) {
    int g = bwizc_global_gcd(num, den);
    num_out = num / g;
    den_out = den / g;
}

int bwizc_global_round_double(double x) { return truncate_to_int(x >= 0 ? x + 0.5 : x - 0.5); }

int bwizc_global_get_color_component_from_level(int a, int b, int level, int levels) {
    if (levels < 1 || level < 0 || level > levels) return a;
    // Wide arithmetic: (b - a) * level leaves int for fine gradients.
    long long value = a + (static_cast<long long>(b) - a) * level / levels;
    return value > 255 ? 255 : static_cast<int>(value);
}

COLORREF bwizc_global_get_color_from_level(COLORREF c1, COLORREF c2, int level, int levels) {
    if (levels < 1 || level < 0 || level > levels) return c1;
    return RGB(bwizc_global_get_color_component_from_level(GetRValue(c1), GetRValue(c2), level, levels),
               bwizc_global_get_color_component_from_level(GetGValue(c1), GetGValue(c2), level, levels),
               bwizc_global_get_color_component_from_level(GetBValue(c1), GetBValue(c2), level, levels));
}

COLORREF bwizc_global_str2COLORREF(const CString& s) {
    int at = (!s.IsEmpty() && s[0] == '#') ? 1 : 0;
    return RGB(hex_pair(s, at), hex_pair(s, at + 2), hex_pair(s, at + 4));
}
