// The device database's answer framing on any bytes: fed in pieces of any
// sizes it gives the same answers, and ends in the same state, as fed whole.
// The first two bytes choose the caps (small, so that the fuzzer reaches
// them) and the piece sizes; the rest is the stream.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "services/bwizc_tcl_answer_parser.h"

namespace {

struct OUTCOME {
    std::vector<std::string> answers;  // each answer as one text
    BWIZC_TCL_ANSWER_PARSER::RESULT last = BWIZC_TCL_ANSWER_PARSER::NEED_MORE;

    bool operator==(const OUTCOME&) const = default;
};

std::string text_of(const BWIZC_TCL_ANSWER& answer) {
    if (answer.failed) return "failed: " + answer.message.str();
    std::string text = "elements:";
    for (const CString& e : *answer.elements) text += "\n[" + e.str() + "]";
    return text;
}

// Feeds the stream in pieces of the given sizes (cycled; 0 is the whole rest).
OUTCOME run(const BWIZC_TCL_ANSWER_PARSER::LIMITS& limits, const std::string& stream, const std::vector<size_t>& pieces) {
    BWIZC_TCL_ANSWER_PARSER parser(limits);
    OUTCOME outcome;
    size_t at = 0;
    for (size_t i = 0; at < stream.size() && outcome.last != BWIZC_TCL_ANSWER_PARSER::BAD_FRAME; ++i) {
        const size_t piece = pieces[i % pieces.size()] ? pieces[i % pieces.size()] : stream.size() - at;
        const size_t n = std::min(piece, stream.size() - at);
        parser.feed(stream.data() + at, n);
        at += n;
        BWIZC_TCL_ANSWER answer;
        while ((outcome.last = parser.next(answer)) == BWIZC_TCL_ANSWER_PARSER::ANSWER) {
            outcome.answers.push_back(text_of(answer));
        }
    }
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    BWIZC_TCL_ANSWER_PARSER::LIMITS limits;
    limits.line_length = 1 + data[0] % 64;
    limits.elements = data[0] % 16;
    limits.answer_bytes = 1 + data[1] % 128;
    const std::string stream(reinterpret_cast<const char*>(data) + 2, size - 2);

    const OUTCOME whole = run(limits, stream, {0});
    const std::vector<size_t> pieces = {1u + data[1] % 7, 1u, 2u + data[0] % 5};
    const OUTCOME chunked = run(limits, stream, pieces);
    if (!(chunked == whole)) {
        std::fprintf(stderr, "whole: %zu answers, state %d; in pieces: %zu answers, state %d\n", whole.answers.size(),
                     static_cast<int>(whole.last), chunked.answers.size(), static_cast<int>(chunked.last));
        std::abort();
    }
    return 0;
}
