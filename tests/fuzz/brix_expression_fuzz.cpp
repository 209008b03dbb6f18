// The rules' expression language on any bytes: parsing never crashes or
// hangs, a failed parse leaves nothing behind and says where, and a parsed
// expression evaluates (or fails with a message) the same way twice. The
// first byte chooses plain expression or collection and how names bind.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "services/brix_expression.h"

namespace {

// Every name is known; its value is an integer or a text picked by its
// length, so that both kinds meet every operator.
class FUZZ_BINDINGS : public BRIX_BINDINGS {
public:
    explicit FUZZ_BINDINGS(uint8_t seed) : m_seed(seed) {}
    bool get_value(const CString& name, BRIX_VALUE& value) const override {
        const int n = name.GetLength();
        switch ((n + m_seed) % 3) {
            case 0: value = BRIX_VALUE::of_int(n * 1000003LL); break;
            case 1: value = BRIX_VALUE::of_bool(n % 2 == 0); break;
            default: value = BRIX_VALUE::of_text(name);
        }
        return (m_seed & 0x10) == 0 || n % 3 != 0;
    }
    bool is_port_used(const CString& name, bool& used) const override {
        used = name.GetLength() % 2 == 1;
        return (m_seed & 0x20) == 0;
    }
    bool is_supplied(const CString& name, bool& supplied) const override {
        supplied = name.GetLength() % 3 == 1;
        return true;
    }

private:
    uint8_t m_seed;
};

void fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s: [%s]\n", what, text.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096) return 0;
    const uint8_t seed = data[0];
    const bool collection = (seed & 1) != 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    // The platform string is a C string: stop at the first NUL.
    const CString input(std::string(text.c_str()));

    BRIX_EXPRESSION expression;
    CString error;
    if (!expression.parse(input, error, collection)) {
        if (!expression.is_empty()) fail("a failed parse kept a tree", text);
        if (error.Find("column ") < 0) fail("a syntax error without its column", text);
        return 0;
    }
    const FUZZ_BINDINGS bindings(seed);
    BRIX_VALUE first, second;
    CString error1, error2;
    if (collection) {
        bool in1 = false, in2 = false;
        const BRIX_VALUE probe = BRIX_VALUE::of_int(seed);
        if (expression.contains(bindings, probe, in1, error1) != expression.contains(bindings, probe, in2, error2) ||
            in1 != in2) {
            fail("membership differs between two evaluations", text);
        }
        expression.describe_collection(bindings, error2, error1);
        expression.get_allowed_value(bindings, probe, first, error1);
        return 0;
    }
    const bool ok1 = expression.evaluate(bindings, first, error1);
    const bool ok2 = expression.evaluate(bindings, second, error2);
    if (ok1 != ok2) fail("two evaluations disagree", text);
    if (ok1 && first.to_text() != second.to_text()) fail("two evaluations give two values", text);
    if (!ok1 && error1.IsEmpty()) fail("a failed evaluation without a message", text);
    return 0;
}
