// The rules' expression language as one table: an expression, what its names
// stand for, and the value it gives or the message it fails with.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "services/brix_expression.h"

namespace {

// Names bind to texts; "p:x" makes x a port ("true" = used), "s:x" marks x
// as supplied.
class TABLE_BINDINGS : public BRIX_BINDINGS {
public:
    explicit TABLE_BINDINGS(std::map<std::string, std::string> values) : m_values(std::move(values)) {}
    bool get_value(const CString& name, BRIX_VALUE& value) const override {
        const auto found = m_values.find(name.str());
        if (found != m_values.end()) value = BRIX_VALUE::of_text(found->second.c_str());
        return found != m_values.end();
    }
    bool is_port_used(const CString& name, bool& used) const override {
        const auto found = m_values.find("p:" + name.str());
        used = found != m_values.end() && found->second == "true";
        return found != m_values.end();
    }
    bool is_supplied(const CString& name, bool& supplied) const override {
        supplied = m_values.count("s:" + name.str()) > 0;
        return m_values.count(name.str()) > 0;
    }

private:
    std::map<std::string, std::string> m_values;
};

struct CASE {
    std::string expression;
    std::map<std::string, std::string> bindings;
    const char* result;  // the value as text, or "error: " and the start of the message
};

const CASE CASES[] = {
    {"\"a \\\"q\\\" b\"", {}, "a \"q\" b"},
    {"PROTOCOL", {{"PROTOCOL", "XAUI"}}, "XAUI"},
    {"NOPE", {}, "error: unknown name NOPE"},
    // numbers compare by value, texts without regard to case
    {"N == \"04\"", {{"N", "4"}}, "true"},
    {"P == \"xaui\"", {{"P", "XAUI"}}, "true"},
    {"N < 10 && N >= 4", {{"N", "8"}}, "true"},
    {"P < 3", {{"P", "XAUI"}}, "error: operator < needs integers"},
    // logic, precedence, short cut
    {"!(N == 4)", {{"N", "4"}}, "false"},
    {"true || NOPE", {}, "true"},
    {"false && NOPE", {}, "false"},
    {"1 + 2 * 3 == 7 && !false", {}, "true"},
    // membership
    {"N in {4, 8, 12}", {{"N", "3"}}, "false"},
    {"P in {\"xaui\", \"gige\"}", {{"P", "GIGE"}}, "true"},
    {"R in [622, 3125]", {{"R", "3125"}}, "true"},
    {"R in [622, 3125]", {{"R", "3126"}}, "false"},
    // integer arithmetic
    {"(7 - 10) * 2 / 4 % 5", {}, "-1"},
    {"10 / (N - 2)", {{"N", "2"}}, "error: division by zero"},
    {"9000000000000000000 * 2", {}, "error: integer overflow"},
    {"P + 1", {{"P", "XAUI"}}, "error: operator + needs integers"},
    // functions
    {"int(N) + 1", {{"N", "41"}}, "42"},
    {"int(P)", {{"P", "x4"}}, "error: \"x4\" is not an integer"},
    {"used_port(rx_syncstatus)", {{"p:rx_syncstatus", "true"}}, "true"},
    {"used_port(rx_nothing)", {}, "error: unknown port rx_nothing"},
    {"supplied(N)", {{"N", "1"}, {"s:N", ""}}, "true"},
    {"supplied(N)", {{"N", "1"}}, "false"},
    {"if(N == 1, \"x1\", if(N == 4, \"x4\", \"x8\"))", {{"N", "4"}}, "x4"},
    {"if(N == 1, \"x1\", NOPE)", {{"N", "1"}}, "x1"},
    {"decimal(1000000, P)", {{"P", "6400"}}, "156.25"},
    {"decimal(1000000, P)", {{"P", "16077"}}, "62.2007"},
    {"decimal(R * 1000000 + M, 1000000)", {{"R", "2488"}, {"M", "320000"}}, "2488.32"},
    {"decimal(1, 0)", {}, "error: division by zero"},
    {"decimal(922337203685477, 20000)", {}, "error: integer overflow"},
    // syntax errors and unknown functions, with the column
    {"N ==", {}, "error: syntax error at column 5: expected a value"},
    {"(N == 4", {}, "error: syntax error at column 8: expected ')'"},
    {"\"open", {}, "error: syntax error at column 6: unterminated string"},
    {"N in 4", {}, "error: syntax error at column 6: expected '{' or '['"},
    {"N in [1 2]", {}, "error: syntax error at column 9: expected ','"},
    {"max(N, 2)", {}, "error: syntax error at column 1: unknown function max"},
    {"used_port(1 + 2)", {}, "error: syntax error at column 1: expected an object name"},
    {"99999999999999999999", {}, "error: syntax error at column 19: number too large"},
    {"", {}, "error: syntax error at column 1: expected a value"},
    {std::string(200, '('), {}, "error: syntax error at column 33: expression nested too deeply"},
};

}  // namespace

TEST(BrixExpression, EvaluatesEveryConstructOrSaysWhatIsWrong) {
    for (const CASE& c : CASES) {
        SCOPED_TRACE(c.expression);
        BRIX_EXPRESSION expression;
        CString error;
        BRIX_VALUE value;
        std::string got;
        if (!expression.parse(c.expression.c_str(), error)) {
            EXPECT_TRUE(expression.is_empty());
            got = "error: " + error.str();
        } else {
            got = expression.evaluate(TABLE_BINDINGS(c.bindings), value, error) ? value.to_text().str()
                                                                                : "error: " + error.str();
        }
        const std::string expected = c.result;
        EXPECT_EQ(expected.rfind("error: ", 0) == 0 ? got.substr(0, expected.size()) : got, expected);
    }
}

// A rule's allowed values: membership, the value the fix-up takes, the text
// the messages show.
TEST(BrixExpression, CollectionsAnswerMembershipAllowedValueAndText) {
    struct COLLECTION_CASE {
        const char *collection, *value;
        bool inside;
        const char *allowed, *text;
    };
    const COLLECTION_CASE cases[] = {
        {"{4, 8, 12}", "3", false, "4", "4, 8, 12"},
        {"{\"normal\", \"none\"}", "NONE", true, "normal", "normal, none"},
        {"{N}", "16", true, "16", "16"},
        {"[622, 3125]", "5000", false, "3125", "622 to 3125"},
        {"[622, 3125]", "100", false, "622", "622 to 3125"},
    };
    const TABLE_BINDINGS bindings(std::map<std::string, std::string>{{"N", "16"}});
    for (const COLLECTION_CASE& c : cases) {
        SCOPED_TRACE(c.collection);
        BRIX_EXPRESSION collection;
        CString error, text;
        BRIX_VALUE allowed;
        bool inside = !c.inside;
        ASSERT_TRUE(collection.parse(c.collection, error, true)) << error.str();
        ASSERT_TRUE(collection.contains(bindings, BRIX_VALUE::of_text(c.value), inside, error));
        ASSERT_TRUE(collection.get_allowed_value(bindings, BRIX_VALUE::of_text(c.value), allowed, error));
        ASSERT_TRUE(collection.describe_collection(bindings, text, error));
        EXPECT_EQ(inside, c.inside);
        EXPECT_EQ(allowed.to_text().str(), c.allowed);
        EXPECT_EQ(text.str(), c.text);
    }
}
