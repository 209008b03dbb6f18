#include "platform/cstring.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char ascii_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool in_set(char c, const char* set) { return set && c != '\0' && std::strchr(set, c) != nullptr; }

}  // namespace

int CString::Compare(const char* s) const {
    int r = std::strcmp(m_s.c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* s) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_s.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(s ? s : "");
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(ascii_lower(static_cast<char>(*a)));
        unsigned char cb = static_cast<unsigned char>(ascii_lower(static_cast<char>(*b)));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (count < 0) count = 0;
    if (first >= GetLength()) return CString();
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const {
    if (count <= 0) return CString();
    return CString(m_s.substr(0, static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
    if (count <= 0) return CString();
    if (count >= GetLength()) return *this;
    return CString(m_s.substr(m_s.size() - static_cast<size_t>(count)));
}

CString CString::SpanIncluding(const char* set) const {
    size_t n = 0;
    while (n < m_s.size() && in_set(m_s[n], set)) ++n;
    return CString(m_s.substr(0, n));
}

CString CString::SpanExcluding(const char* set) const {
    size_t n = 0;
    while (n < m_s.size() && !in_set(m_s[n], set)) ++n;
    return CString(m_s.substr(0, n));
}

CString& CString::MakeUpper() {
    for (auto& c : m_s) c = ascii_upper(c);
    return *this;
}

CString& CString::MakeLower() {
    for (auto& c : m_s) c = ascii_lower(c);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

int CString::Replace(char old_ch, char new_ch) {
    int n = 0;
    for (auto& c : m_s) {
        if (c == old_ch) { c = new_ch; ++n; }
    }
    return n;
}

int CString::Replace(const char* old_s, const char* new_s) {
    if (!old_s || !*old_s) return 0;
    const std::string from(old_s), to(new_s ? new_s : "");
    std::string out;
    int n = 0;
    size_t pos = 0;
    for (;;) {
        size_t hit = m_s.find(from, pos);
        if (hit == std::string::npos) break;
        out.append(m_s, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++n;
    }
    if (n == 0) return 0;
    out.append(m_s, pos, std::string::npos);
    m_s.swap(out);
    return n;
}

int CString::Remove(char ch) {
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, char ch) {
    index = std::clamp(index, 0, GetLength());
    m_s.insert(m_s.begin() + index, ch);
    return GetLength();
}

int CString::Insert(int index, const char* s) {
    index = std::clamp(index, 0, GetLength());
    m_s.insert(static_cast<size_t>(index), s ? s : "");
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0) index = 0;
    if (count > 0 && index < GetLength()) m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

CString& CString::TrimLeft() {
    size_t n = 0;
    while (n < m_s.size() && is_blank(m_s[n])) ++n;
    m_s.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(char ch) {
    size_t n = 0;
    while (n < m_s.size() && m_s[n] == ch) ++n;
    m_s.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(const char* set) {
    size_t n = 0;
    while (n < m_s.size() && in_set(m_s[n], set)) ++n;
    m_s.erase(0, n);
    return *this;
}

CString& CString::TrimRight() {
    while (!m_s.empty() && is_blank(m_s.back())) m_s.pop_back();
    return *this;
}

CString& CString::TrimRight(char ch) {
    while (!m_s.empty() && m_s.back() == ch) m_s.pop_back();
    return *this;
}

CString& CString::TrimRight(const char* set) {
    while (!m_s.empty() && in_set(m_s.back(), set)) m_s.pop_back();
    return *this;
}

int CString::Find(char ch, int start) const {
    if (start < 0) start = 0;
    if (start >= GetLength()) return -1;
    size_t p = m_s.find(ch, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* s, int start) const {
    if (start < 0) start = 0;
    if (start > GetLength()) return -1;
    size_t p = m_s.find(s ? s : "", static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char ch) const {
    size_t p = m_s.rfind(ch);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const char* set) const {
    for (size_t i = 0; i < m_s.size(); ++i) {
        if (in_set(m_s[i], set)) return static_cast<int>(i);
    }
    return -1;
}

void CString::FormatV(const char* fmt, va_list args) {
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, fmt, copy);
    va_end(copy);
    if (n < 0) {
        m_s.clear();
        return;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        m_s.assign(small, static_cast<size_t>(n));
        return;
    }
    std::string buf(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(buf.data(), buf.size(), fmt, args);
    buf.resize(static_cast<size_t>(n));
    m_s.swap(buf);
}

void CString::Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...) {
    CString tail;
    va_list args;
    va_start(args, fmt);
    tail.FormatV(fmt, args);
    va_end(args);
    m_s += tail.m_s;
}

CString operator+(const CString& a, const CString& b) { return CString(a.str() + b.str()); }
CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
CString operator+(char a, const CString& b) { CString r(a); r += b; return r; }

const CString& CStringArray::GetAt(int i) const {
    static const CString empty;
    return (i >= 0 && i < GetSize()) ? m_a[static_cast<size_t>(i)] : empty;
}

CString& CStringArray::ElementAt(int i) {
    if (i >= 0 && i < GetSize()) return m_a[static_cast<size_t>(i)];
    thread_local CString scratch;
    scratch.Empty();
    return scratch;
}

void CStringArray::SetAtGrow(int i, const CString& s) {
    if (i < 0) return;
    if (i >= GetSize()) m_a.resize(static_cast<size_t>(i) + 1);
    m_a[static_cast<size_t>(i)] = s;
}

int CStringArray::Append(const CStringArray& other) {
    int first = GetSize();
    m_a.insert(m_a.end(), other.m_a.begin(), other.m_a.end());
    return first;
}

void CStringArray::InsertAt(int i, const CString& s, int count) {
    if (count <= 0) return;
    i = std::clamp(i, 0, GetSize());
    m_a.insert(m_a.begin() + i, static_cast<size_t>(count), s);
}

void CStringArray::RemoveAt(int i, int count) {
    if (i < 0 || i >= GetSize() || count <= 0) return;
    int last = std::min(GetSize(), i + count);
    m_a.erase(m_a.begin() + i, m_a.begin() + last);
}

int CStringArray::Find(const CString& s) const {
    for (int i = 0; i < GetSize(); ++i) {
        if (m_a[static_cast<size_t>(i)] == s) return i;
    }
    return -1;
}
