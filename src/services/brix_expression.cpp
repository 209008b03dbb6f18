#include "services/brix_expression.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <string>

// ------------------------------------------------------------------ values

CString BRIX_VALUE::to_text() const {
    if (!is_int) return text;
    CString t;
    t.Format("%lld", number);
    return t;
}

bool BRIX_VALUE::is_true() const {
    if (is_int) return number != 0;
    return text.CompareNoCase("true") == 0;
}

bool BRIX_VALUE::to_int(long long& out) const {
    if (is_int) {
        out = number;
        return true;
    }
    const char* s = text.c_str();
    const bool negative = *s == '-';
    if (negative) ++s;
    const size_t digits = std::strlen(s);
    // Eighteen digits always fit; longer texts are not numbers here.
    if (digits == 0 || digits > 18) return false;
    long long n = 0;
    for (const char* p = s; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        n = n * 10 + (*p - '0');
    }
    out = negative ? -n : n;
    return true;
}

bool brix_values_equal(const BRIX_VALUE& a, const BRIX_VALUE& b) {
    long long x = 0, y = 0;
    if (a.to_int(x) && b.to_int(y)) return x == y;
    return a.to_text().CompareNoCase(b.to_text()) == 0;
}

// -------------------------------------------------------------------- tree

enum class NODE_KIND { INT, TEXT, NAME, NOT, NEGATE, BINARY, IN, SET, RANGE, CALL };

struct BRIX_EXPR_NODE {
    NODE_KIND kind = NODE_KIND::INT;
    long long number = 0;
    CString text;  // literal text, name, operator or function name
    std::vector<std::unique_ptr<BRIX_EXPR_NODE>> children;
};

namespace {

using NODE = BRIX_EXPR_NODE;
using NODE_PTR = std::unique_ptr<NODE>;

struct FUNCTION_INFO {
    const char* name;
    size_t arity;
};
const FUNCTION_INFO FUNCTIONS[] = {{"int", 1}, {"used_port", 1}, {"supplied", 1}, {"if", 3}, {"decimal", 2}};

// Nesting beyond this is refused, so that no input can exhaust the stack.
constexpr int MAX_DEPTH = 64;

class PARSER {
public:
    explicit PARSER(const CString& text) : m_s(text.c_str()), m_n(static_cast<size_t>(text.GetLength())) {}

    NODE_PTR parse_all(bool collection, CString& error) {
        NODE_PTR root = collection ? parse_collection() : parse_or();
        if (root && !m_failed) {
            skip_blanks();
            if (m_pos < m_n) fail("unexpected text");
        }
        if (m_failed) {
            error = m_error;
            return nullptr;
        }
        return root;
    }

private:
    void fail(const char* what) {
        if (m_failed) return;
        m_failed = true;
        m_error.Format("syntax error at column %d: %s", static_cast<int>(m_pos) + 1, what);
    }
    void skip_blanks() {
        while (m_pos < m_n && std::isspace(static_cast<unsigned char>(m_s[m_pos]))) ++m_pos;
    }
    bool peek(const char* token) {
        skip_blanks();
        const size_t len = std::strlen(token);
        return m_pos + len <= m_n && std::strncmp(m_s + m_pos, token, len) == 0;
    }
    bool accept(const char* token) {
        if (!peek(token)) return false;
        m_pos += std::strlen(token);
        return true;
    }
    bool expect(const char* token) {
        if (accept(token)) return true;
        CString what;
        what.Format("expected '%s'", token);
        fail(what.c_str());
        return false;
    }
    static bool is_name_start(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool is_name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
    // The keyword "in" as a whole word.
    bool accept_in() {
        skip_blanks();
        if (m_pos + 2 <= m_n && m_s[m_pos] == 'i' && m_s[m_pos + 1] == 'n' &&
            (m_pos + 2 == m_n || !is_name_char(m_s[m_pos + 2]))) {
            m_pos += 2;
            return true;
        }
        return false;
    }

    struct DEPTH_GUARD {
        PARSER& p;
        explicit DEPTH_GUARD(PARSER& parser) : p(parser) {
            if (++p.m_depth > MAX_DEPTH) p.fail("expression nested too deeply");
        }
        ~DEPTH_GUARD() { --p.m_depth; }
    };

    static NODE_PTR make(NODE_KIND kind, const CString& text = CString()) {
        auto node = std::make_unique<NODE>();
        node->kind = kind;
        node->text = text;
        return node;
    }
    static NODE_PTR binary(const char* op, NODE_PTR left, NODE_PTR right) {
        NODE_PTR node = make(NODE_KIND::BINARY, op);
        node->children.push_back(std::move(left));
        node->children.push_back(std::move(right));
        return node;
    }

    NODE_PTR parse_or() {
        DEPTH_GUARD guard(*this);
        if (m_failed) return nullptr;
        NODE_PTR left = parse_and();
        while (!m_failed && accept("||")) left = binary("||", std::move(left), parse_and());
        return m_failed ? nullptr : std::move(left);
    }
    NODE_PTR parse_and() {
        NODE_PTR left = parse_comparison();
        while (!m_failed && accept("&&")) left = binary("&&", std::move(left), parse_comparison());
        return m_failed ? nullptr : std::move(left);
    }
    NODE_PTR parse_comparison() {
        NODE_PTR left = parse_sum();
        if (m_failed) return nullptr;
        static const char* const OPS[] = {"==", "!=", "<=", ">=", "<", ">"};
        for (const char* op : OPS) {
            if (accept(op)) return binary(op, std::move(left), parse_sum());
        }
        if (accept_in()) {
            NODE_PTR node = make(NODE_KIND::IN);
            node->children.push_back(std::move(left));
            node->children.push_back(parse_collection());
            return m_failed ? nullptr : std::move(node);
        }
        return left;
    }
    NODE_PTR parse_sum() {
        NODE_PTR left = parse_product();
        while (!m_failed) {
            if (accept("+")) left = binary("+", std::move(left), parse_product());
            else if (accept("-")) left = binary("-", std::move(left), parse_product());
            else break;
        }
        return m_failed ? nullptr : std::move(left);
    }
    NODE_PTR parse_product() {
        NODE_PTR left = parse_unary();
        while (!m_failed) {
            if (accept("*")) left = binary("*", std::move(left), parse_unary());
            else if (accept("/")) left = binary("/", std::move(left), parse_unary());
            else if (accept("%")) left = binary("%", std::move(left), parse_unary());
            else break;
        }
        return m_failed ? nullptr : std::move(left);
    }
    NODE_PTR parse_unary() {
        DEPTH_GUARD guard(*this);
        if (m_failed) return nullptr;
        if (peek("!") && !peek("!=")) {
            accept("!");
            NODE_PTR node = make(NODE_KIND::NOT);
            node->children.push_back(parse_unary());
            return m_failed ? nullptr : std::move(node);
        }
        if (accept("-")) {
            NODE_PTR node = make(NODE_KIND::NEGATE);
            node->children.push_back(parse_unary());
            return m_failed ? nullptr : std::move(node);
        }
        return parse_primary();
    }
    NODE_PTR parse_primary() {
        skip_blanks();
        if (m_pos >= m_n) {
            fail("expected a value");
            return nullptr;
        }
        const char c = m_s[m_pos];
        if (c == '(') {
            ++m_pos;
            NODE_PTR inner = parse_or();
            if (!m_failed) expect(")");
            return m_failed ? nullptr : std::move(inner);
        }
        if (std::isdigit(static_cast<unsigned char>(c))) return parse_number();
        if (c == '"') return parse_string();
        if (is_name_start(c)) {
            const size_t start = m_pos;
            while (m_pos < m_n && is_name_char(m_s[m_pos])) ++m_pos;
            const CString name(std::string(m_s + start, m_pos - start));
            if (accept("(")) return parse_call(name, start);
            if (name == "true" || name == "false") return make(NODE_KIND::TEXT, name);
            return make(NODE_KIND::NAME, name);
        }
        fail("expected a value");
        return nullptr;
    }
    NODE_PTR parse_number() {
        long long n = 0;
        while (m_pos < m_n && std::isdigit(static_cast<unsigned char>(m_s[m_pos]))) {
            if (__builtin_mul_overflow(n, 10LL, &n) || __builtin_add_overflow(n, m_s[m_pos] - '0', &n)) {
                fail("number too large");
                return nullptr;
            }
            ++m_pos;
        }
        if (m_pos < m_n && is_name_char(m_s[m_pos])) {
            fail("bad number");
            return nullptr;
        }
        NODE_PTR node = make(NODE_KIND::INT);
        node->number = n;
        return node;
    }
    NODE_PTR parse_string() {
        ++m_pos;  // opening quote
        std::string text;
        while (m_pos < m_n && m_s[m_pos] != '"') {
            if (m_s[m_pos] == '\\' && m_pos + 1 < m_n) ++m_pos;
            text += m_s[m_pos++];
        }
        if (m_pos >= m_n) {
            fail("unterminated string");
            return nullptr;
        }
        ++m_pos;
        return make(NODE_KIND::TEXT, CString(text));
    }
    NODE_PTR parse_call(const CString& name, size_t start) {
        const FUNCTION_INFO* info = nullptr;
        for (const FUNCTION_INFO& f : FUNCTIONS) {
            if (name == f.name) info = &f;
        }
        if (!info) {
            m_pos = start;
            CString what;
            what.Format("unknown function %s", name.c_str());
            fail(what.c_str());
            return nullptr;
        }
        NODE_PTR node = make(NODE_KIND::CALL, name);
        if (!accept(")")) {
            do {
                node->children.push_back(parse_or());
            } while (!m_failed && accept(","));
            if (!m_failed) expect(")");
        }
        if (m_failed) return nullptr;
        if (node->children.size() != info->arity) {
            m_pos = start;
            CString what;
            what.Format("%s takes %d argument%s", info->name, static_cast<int>(info->arity), info->arity == 1 ? "" : "s");
            fail(what.c_str());
            return nullptr;
        }
        // Object functions take the object's name, not its value.
        if ((name == "used_port" || name == "supplied") && node->children[0]->kind != NODE_KIND::NAME &&
            node->children[0]->kind != NODE_KIND::TEXT) {
            m_pos = start;
            fail("expected an object name");
            return nullptr;
        }
        return node;
    }
    NODE_PTR parse_collection() {
        DEPTH_GUARD guard(*this);
        if (m_failed) return nullptr;
        if (accept("{")) {
            NODE_PTR set = make(NODE_KIND::SET);
            if (!accept("}")) {
                do {
                    set->children.push_back(parse_or());
                } while (!m_failed && accept(","));
                if (!m_failed) expect("}");
            }
            return m_failed ? nullptr : std::move(set);
        }
        if (accept("[")) {
            NODE_PTR range = make(NODE_KIND::RANGE);
            range->children.push_back(parse_or());
            if (!m_failed) expect(",");
            if (!m_failed) range->children.push_back(parse_or());
            if (!m_failed) expect("]");
            return m_failed ? nullptr : std::move(range);
        }
        fail("expected '{' or '['");
        return nullptr;
    }

    const char* m_s;
    size_t m_n;
    size_t m_pos = 0;
    int m_depth = 0;
    bool m_failed = false;
    CString m_error;
};

class EVALUATOR {
public:
    EVALUATOR(const BRIX_BINDINGS& bindings, CString& error) : m_b(bindings), m_error(error) {}

    bool eval(const NODE& n, BRIX_VALUE& out) {
        switch (n.kind) {
            case NODE_KIND::INT: out = BRIX_VALUE::of_int(n.number); return true;
            case NODE_KIND::TEXT: out = BRIX_VALUE::of_text(n.text); return true;
            case NODE_KIND::NAME:
                if (m_b.get_value(n.text, out)) return true;
                return fail("unknown name " + n.text);
            case NODE_KIND::NOT: {
                BRIX_VALUE v;
                if (!eval(*n.children[0], v)) return false;
                out = BRIX_VALUE::of_bool(!v.is_true());
                return true;
            }
            case NODE_KIND::NEGATE: {
                long long x = 0;
                if (!eval_int(*n.children[0], x)) return false;
                if (x == LLONG_MIN) return fail("integer overflow");
                out = BRIX_VALUE::of_int(-x);
                return true;
            }
            case NODE_KIND::BINARY: return eval_binary(n, out);
            case NODE_KIND::IN: {
                BRIX_VALUE v;
                bool inside = false;
                if (!eval(*n.children[0], v) || !contains(*n.children[1], v, inside)) return false;
                out = BRIX_VALUE::of_bool(inside);
                return true;
            }
            case NODE_KIND::SET:
            case NODE_KIND::RANGE: return fail("a collection is not a value");
            case NODE_KIND::CALL: return eval_call(n, out);
        }
        return fail("bad expression");
    }

    bool contains(const NODE& collection, const BRIX_VALUE& v, bool& inside) {
        inside = false;
        if (collection.kind == NODE_KIND::SET) {
            for (const auto& item : collection.children) {
                BRIX_VALUE x;
                if (!eval(*item, x)) return false;
                if (brix_values_equal(v, x)) inside = true;
            }
            return true;
        }
        long long lo = 0, hi = 0, x = 0;
        if (!eval_int(*collection.children[0], lo) || !eval_int(*collection.children[1], hi)) return false;
        inside = v.to_int(x) && x >= lo && x <= hi;
        return true;
    }

    bool eval_int(const NODE& n, long long& out) {
        BRIX_VALUE v;
        if (!eval(n, v)) return false;
        if (v.to_int(out)) return true;
        return fail("\"" + v.to_text() + "\" is not an integer");
    }

private:
    bool fail(const CString& message) {
        m_error = message;
        return false;
    }

    bool eval_binary(const NODE& n, BRIX_VALUE& out) {
        const CString& op = n.text;
        BRIX_VALUE a, b;
        if (op == "&&" || op == "||") {
            if (!eval(*n.children[0], a)) return false;
            const bool left = a.is_true();
            if (op == "&&" ? !left : left) {
                out = BRIX_VALUE::of_bool(left);
                return true;
            }
            if (!eval(*n.children[1], b)) return false;
            out = BRIX_VALUE::of_bool(b.is_true());
            return true;
        }
        if (!eval(*n.children[0], a) || !eval(*n.children[1], b)) return false;
        if (op == "==" || op == "!=") {
            out = BRIX_VALUE::of_bool(brix_values_equal(a, b) == (op == "=="));
            return true;
        }
        long long x = 0, y = 0, r = 0;
        if (!a.to_int(x) || !b.to_int(y)) {
            return fail("operator " + op + " needs integers, not \"" + a.to_text() + "\" and \"" + b.to_text() + "\"");
        }
        if (op == "<") out = BRIX_VALUE::of_bool(x < y);
        else if (op == "<=") out = BRIX_VALUE::of_bool(x <= y);
        else if (op == ">") out = BRIX_VALUE::of_bool(x > y);
        else if (op == ">=") out = BRIX_VALUE::of_bool(x >= y);
        else {
            bool overflow = false;
            if (op == "+") overflow = __builtin_add_overflow(x, y, &r);
            else if (op == "-") overflow = __builtin_sub_overflow(x, y, &r);
            else if (op == "*") overflow = __builtin_mul_overflow(x, y, &r);
            else {
                if (y == 0) return fail("division by zero");
                if (x == LLONG_MIN && y == -1) overflow = true;
                else r = op == "/" ? x / y : x % y;
            }
            if (overflow) return fail("integer overflow");
            out = BRIX_VALUE::of_int(r);
        }
        return true;
    }

    bool eval_call(const NODE& n, BRIX_VALUE& out) {
        const CString& f = n.text;
        if (f == "used_port" || f == "supplied") {
            const CString& name = n.children[0]->text;
            bool flag = false;
            const bool known = f == "used_port" ? m_b.is_port_used(name, flag) : m_b.is_supplied(name, flag);
            if (!known) return fail((f == "used_port" ? "unknown port " : "unknown name ") + name);
            out = BRIX_VALUE::of_bool(flag);
            return true;
        }
        if (f == "if") {
            BRIX_VALUE c;
            if (!eval(*n.children[0], c)) return false;
            return eval(*n.children[c.is_true() ? 1 : 2], out);
        }
        if (f == "int") {
            long long x = 0;
            if (!eval_int(*n.children[0], x)) return false;
            out = BRIX_VALUE::of_int(x);
            return true;
        }
        // decimal(n, d): n/d rounded to four places, trailing zeros dropped.
        long long num = 0, den = 0, scaled = 0;
        if (!eval_int(*n.children[0], num) || !eval_int(*n.children[1], den)) return false;
        if (den == 0) return fail("division by zero");
        if (num < 0 || den < 0) return fail("decimal() needs positive integers");
        if (__builtin_mul_overflow(num, 10000LL, &scaled) || __builtin_add_overflow(scaled, den / 2, &scaled)) {
            return fail("integer overflow");
        }
        const long long q = scaled / den;
        CString text;
        text.Format("%lld.%04lld", q / 10000, q % 10000);
        text.TrimRight('0');
        text.TrimRight('.');
        out = BRIX_VALUE::of_text(text);
        return true;
    }

    const BRIX_BINDINGS& m_b;
    CString& m_error;
};

}  // namespace

// -------------------------------------------------------------- expression

BRIX_EXPRESSION::BRIX_EXPRESSION() = default;
BRIX_EXPRESSION::~BRIX_EXPRESSION() = default;
BRIX_EXPRESSION::BRIX_EXPRESSION(BRIX_EXPRESSION&&) noexcept = default;
BRIX_EXPRESSION& BRIX_EXPRESSION::operator=(BRIX_EXPRESSION&&) noexcept = default;

bool BRIX_EXPRESSION::parse(const CString& text, CString& error, bool collection) {
    m_text = text;
    PARSER parser(text);
    m_root = parser.parse_all(collection, error);
    return m_root != nullptr;
}

bool BRIX_EXPRESSION::evaluate(const BRIX_BINDINGS& bindings, BRIX_VALUE& result, CString& error) const {
    if (!m_root) {
        error = "empty expression";
        return false;
    }
    EVALUATOR evaluator(bindings, error);
    return evaluator.eval(*m_root, result);
}

bool BRIX_EXPRESSION::contains(const BRIX_BINDINGS& bindings, const BRIX_VALUE& value, bool& inside,
                               CString& error) const {
    if (!m_root || (m_root->kind != NODE_KIND::SET && m_root->kind != NODE_KIND::RANGE)) {
        error = "not a collection";
        return false;
    }
    EVALUATOR evaluator(bindings, error);
    return evaluator.contains(*m_root, value, inside);
}

bool BRIX_EXPRESSION::get_allowed_value(const BRIX_BINDINGS& bindings, const BRIX_VALUE& current,
                                        BRIX_VALUE& allowed, CString& error) const {
    if (!m_root || (m_root->kind != NODE_KIND::SET && m_root->kind != NODE_KIND::RANGE)) {
        error = "not a collection";
        return false;
    }
    EVALUATOR evaluator(bindings, error);
    if (m_root->kind == NODE_KIND::SET) {
        if (m_root->children.empty()) {
            error = "no value is allowed";
            return false;
        }
        return evaluator.eval(*m_root->children[0], allowed);
    }
    long long lo = 0, hi = 0, x = 0;
    if (!evaluator.eval_int(*m_root->children[0], lo) || !evaluator.eval_int(*m_root->children[1], hi)) return false;
    if (lo > hi) {
        error = "empty range";
        return false;
    }
    allowed = BRIX_VALUE::of_int(current.to_int(x) && x > hi ? hi : lo);
    return true;
}

bool BRIX_EXPRESSION::describe_collection(const BRIX_BINDINGS& bindings, CString& text, CString& error) const {
    if (!m_root || (m_root->kind != NODE_KIND::SET && m_root->kind != NODE_KIND::RANGE)) {
        error = "not a collection";
        return false;
    }
    EVALUATOR evaluator(bindings, error);
    text.Empty();
    if (m_root->kind == NODE_KIND::RANGE) {
        long long lo = 0, hi = 0;
        if (!evaluator.eval_int(*m_root->children[0], lo) || !evaluator.eval_int(*m_root->children[1], hi)) return false;
        text.Format("%lld to %lld", lo, hi);
        return true;
    }
    if (m_root->children.empty()) text = "none";
    for (size_t i = 0; i < m_root->children.size(); ++i) {
        BRIX_VALUE v;
        if (!evaluator.eval(*m_root->children[i], v)) return false;
        if (i > 0) text += ", ";
        text += v.to_text();
    }
    return true;
}
