// CString: the wizard's byte string (UTF-8), with the operations the wizard
// code is written against. Values, never shared; every operation that returns
// a string returns a new one.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int len) : m_s(s ? std::string(s, len < 0 ? 0 : static_cast<size_t>(len)) : std::string()) {}
    CString(const std::string& s) : m_s(s) {}
    CString(std::string&& s) : m_s(std::move(s)) {}
    CString(std::string_view s) : m_s(s) {}
    explicit CString(char ch, int repeat = 1) : m_s(repeat > 0 ? static_cast<size_t>(repeat) : 0, ch) {}

    // Size and access
    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    // Out-of-range reads give '\0' rather than undefined behaviour.
    char GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_s[static_cast<size_t>(i)] : '\0'; }
    void SetAt(int i, char ch) { if (i >= 0 && i < GetLength()) m_s[static_cast<size_t>(i)] = ch; }
    char operator[](int i) const { return GetAt(i); }
    operator const char*() const { return m_s.c_str(); }
    const char* c_str() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string& str() { return m_s; }

    // Assignment and concatenation
    // GCC 12 takes a short literal assigned here for an overlapping copy (a
    // false -Wrestrict positive where the call is inlined).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    CString& operator=(const char* s) { m_s = s ? s : ""; return *this; }
#pragma GCC diagnostic pop
    CString& operator=(char ch) { m_s.assign(1, ch); return *this; }
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const char* s) { if (s) m_s += s; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }

    // Comparison: Compare is byte order; CompareNoCase folds ASCII case.
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;
    int Collate(const char* s) const { return Compare(s); }

    // Extraction
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    // Case and order (ASCII)
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Editing; Replace and Remove return the number of replacements made.
    int Replace(char old_ch, char new_ch);
    int Replace(const char* old_s, const char* new_s);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);

    // Trimming: without argument, white space (space, tab, CR, LF, VT, FF).
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* set);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* set);
    CString& Trim() { TrimRight(); return TrimLeft(); }
    CString& Trim(char ch) { TrimRight(ch); return TrimLeft(ch); }
    CString& Trim(const char* set) { TrimRight(set); return TrimLeft(set); }

    // Searching: -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* s, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    // printf-style formatting, always in the C locale's number format.
    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);
    void AppendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

private:
    std::string m_s;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.str() < b.str(); }
inline bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
inline bool operator<(const char* a, const CString& b) { return b.Compare(a) > 0; }
inline bool operator>(const CString& a, const CString& b) { return b < a; }
inline bool operator>(const CString& a, const char* b) { return a.Compare(b) > 0; }
inline bool operator>(const char* a, const CString& b) { return b.Compare(a) < 0; }
inline bool operator<=(const CString& a, const CString& b) { return !(b < a); }
inline bool operator<=(const CString& a, const char* b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return !(a < b); }
inline bool operator>=(const CString& a, const char* b) { return a.Compare(b) >= 0; }

template <>
struct std::hash<CString> {
    size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};

// CStringArray: a growable array of strings with the array operations the
// wizard code uses. Indexed access out of range never throws: reads give an
// empty string.
class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_a.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_a.empty(); }
    void SetSize(int n) { m_a.resize(n > 0 ? static_cast<size_t>(n) : 0); }
    const CString& GetAt(int i) const;
    void SetAt(int i, const CString& s) { if (i >= 0 && i < GetSize()) m_a[static_cast<size_t>(i)] = s; }
    void SetAtGrow(int i, const CString& s);
    // Out of range: a scratch string, emptied on every such call, that is no
    // element of the array (writes to it are lost).
    CString& ElementAt(int i);
    const CString& operator[](int i) const { return GetAt(i); }
    CString& operator[](int i) { return ElementAt(i); }
    int Add(const CString& s) { m_a.push_back(s); return GetSize() - 1; }
    int Append(const CStringArray& other);
    void Copy(const CStringArray& other) { m_a = other.m_a; }
    void InsertAt(int i, const CString& s, int count = 1);
    void RemoveAt(int i, int count = 1);
    void RemoveAll() { m_a.clear(); }
    // Index of the first element equal to s (exact), or -1.
    int Find(const CString& s) const;

    std::vector<CString>::const_iterator begin() const { return m_a.begin(); }
    std::vector<CString>::const_iterator end() const { return m_a.end(); }
    std::vector<CString>::iterator begin() { return m_a.begin(); }
    std::vector<CString>::iterator end() { return m_a.end(); }

private:
    std::vector<CString> m_a;
};
