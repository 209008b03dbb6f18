// The expression language of the brixfunction rules: rule conditions,
// allowed values and the values of wizard-map objects.
//
//   literals     12  -3  "text"  true  false
//   names        NUMBER_OF_CHANNELS (the object's value)
//   operators    || && ! == != < <= > >= + - * / %  (C precedence)
//   membership   X in {"a", "b", 3}   X in [622, 3125] (closed range)
//   functions    int(x) used_port(name) supplied(name) if(c, a, b)
//                decimal(n, d) (n/d as a decimal text, at most 4 places)
//
// Values are texts or integers; a text that spells a decimal integer
// compares as that integer, other texts compare without regard to case.
// A truth value is "true" or "false". An expression is parsed once into a
// tree and evaluated any number of times; neither step throws or crashes on
// bad input: both report what is wrong instead.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/cstring.h"

struct BRIX_VALUE {
    bool is_int = false;
    long long number = 0;
    CString text;

    static BRIX_VALUE of_int(long long n) {
        BRIX_VALUE v;
        v.is_int = true;
        v.number = n;
        return v;
    }
    static BRIX_VALUE of_text(const CString& t) {
        BRIX_VALUE v;
        v.text = t;
        return v;
    }
    static BRIX_VALUE of_bool(bool b) { return of_text(b ? "true" : "false"); }
    // An integer as decimal text; a text as it is.
    CString to_text() const;
    // True for "true" (any case) and for a non-zero integer.
    bool is_true() const;
    // The integer a value stands for: an integer, or a text that spells one.
    bool to_int(long long& out) const;
};

// What the names of an expression stand for.
class BRIX_BINDINGS {
public:
    virtual ~BRIX_BINDINGS() = default;
    // False when the name is unknown.
    virtual bool get_value(const CString& name, BRIX_VALUE& value) const = 0;
    // False when no port of that name exists; `used` tells its use.
    virtual bool is_port_used(const CString& name, bool& used) const = 0;
    // False when no object of that name exists; `supplied` tells whether the
    // caller gave its value.
    virtual bool is_supplied(const CString& name, bool& supplied) const = 0;
};

struct BRIX_EXPR_NODE;

class BRIX_EXPRESSION {
public:
    BRIX_EXPRESSION();
    ~BRIX_EXPRESSION();
    BRIX_EXPRESSION(BRIX_EXPRESSION&&) noexcept;
    BRIX_EXPRESSION& operator=(BRIX_EXPRESSION&&) noexcept;

    // Parses the text. False with a message naming the column (counted from
    // 1) on a syntax error or an unknown function; the expression is then
    // empty. A collection ({...} or [lo, hi]) is accepted only where
    // `collection` asks for one: as the whole text.
    bool parse(const CString& text, CString& error, bool collection = false);
    bool is_empty() const { return m_root == nullptr; }
    const CString& get_text() const { return m_text; }

    // Evaluates the tree. False with a message on an unknown name, a
    // division by zero, an overflow or a value of the wrong kind.
    bool evaluate(const BRIX_BINDINGS& bindings, BRIX_VALUE& result, CString& error) const;

    // For a parsed collection: whether the value lies in it, its first
    // allowed value (the nearest bound of a range for an integer value) and
    // its text for messages ("a, b" or "622 to 3125").
    bool contains(const BRIX_BINDINGS& bindings, const BRIX_VALUE& value, bool& inside, CString& error) const;
    bool get_allowed_value(const BRIX_BINDINGS& bindings, const BRIX_VALUE& current, BRIX_VALUE& allowed,
                           CString& error) const;
    bool describe_collection(const BRIX_BINDINGS& bindings, CString& text, CString& error) const;

private:
    CString m_text;
    std::unique_ptr<BRIX_EXPR_NODE> m_root;
};

// Equality of two values as the language defines it.
bool brix_values_equal(const BRIX_VALUE& a, const BRIX_VALUE& b);
