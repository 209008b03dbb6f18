#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/bwizc_tcl_answer_parser.h"

namespace {

// "failed: <message>" or "ok:", then each element in brackets; "(none)"
// when the answer carries no element list at all.
std::string shown(const BWIZC_TCL_ANSWER& answer)
{
    std::string out = answer.failed ? "failed: " + answer.message.str() : "ok:";
    if (!answer.elements) return out + " (none)";
    for (const CString& e : *answer.elements) out += " [" + e.str() + "]";
    return out;
}

}  // namespace

TEST(TclAnswerParser, ReadsAnswersFedInAnyPieces)
{
    const std::string stream = "2\nBasic\nSONET Backplane\n0\n-1\nunknown configuration key \"X\"\n1\n622-3125\n";
    // Byte by byte and all at once must give the same answers.
    for (size_t piece : {size_t(1), size_t(3), stream.size()}) {
        BWIZC_TCL_ANSWER_PARSER parser;
        std::vector<std::string> answers;
        for (size_t at = 0; at < stream.size(); at += piece) {
            std::string chunk = stream.substr(at, piece);
            parser.feed(chunk.data(), chunk.size());
            BWIZC_TCL_ANSWER answer;
            BWIZC_TCL_ANSWER_PARSER::RESULT r;
            while ((r = parser.next(answer)) == BWIZC_TCL_ANSWER_PARSER::ANSWER) answers.push_back(shown(answer));
            ASSERT_EQ(r, BWIZC_TCL_ANSWER_PARSER::NEED_MORE);
        }
        EXPECT_EQ(answers, (std::vector<std::string>{"ok: [Basic] [SONET Backplane]", "ok:",
                                                     "failed: unknown configuration key \"X\" (none)",
                                                     "ok: [622-3125]"}))
            << "piece " << piece;
    }
}

TEST(TclAnswerParser, UnescapesLineBreaksAndBackslashesOnly)
{
    const std::pair<const char*, const char*> rows[] = {
        {"a\\nb", "a\nb"}, {"c\\rd", "c\rd"}, {"p\\\\nq", "p\\nq"}, {"tab\\t", "tab\\t"}, {"end\\", "end\\"}};
    for (const auto& [escaped, text] : rows)
        EXPECT_STREQ(BWIZC_TCL_ANSWER_PARSER::unescape(escaped), text) << escaped;
}

TEST(TclAnswerParser, StreamNotFramedAsAnswersIsBrokenForGood)
{
    for (const char* bad : {"garbage\n", "\n", " 2\n", "-2\n", "2x\n", "99999999\n"}) {
        BWIZC_TCL_ANSWER_PARSER parser;
        std::string text = std::string(bad) + "1\nvalue\n";
        parser.feed(text.data(), text.size());
        BWIZC_TCL_ANSWER answer;
        EXPECT_EQ(parser.next(answer), BWIZC_TCL_ANSWER_PARSER::BAD_FRAME) << bad;
        // A well-framed answer after the break is not taken either.
        EXPECT_EQ(parser.next(answer), BWIZC_TCL_ANSWER_PARSER::BAD_FRAME) << bad;
    }
}

TEST(TclAnswerParser, AnswerAtItsCapsIsTakenAndOnePastThemBreaksTheStream)
{
    BWIZC_TCL_ANSWER_PARSER::LIMITS limits;
    limits.line_length = 4;
    limits.elements = 3;
    limits.answer_bytes = 13;  // line ends counted
    const struct {
        std::string stream;
        BWIZC_TCL_ANSWER_PARSER::RESULT result;
    } rows[] = {
        {"3\nabcd\nefgh\nij\n", BWIZC_TCL_ANSWER_PARSER::ANSWER},  // every cap reached, none passed
        {"1\nabcde\n", BWIZC_TCL_ANSWER_PARSER::BAD_FRAME},        // a line too long
        {"1\nabcde", BWIZC_TCL_ANSWER_PARSER::BAD_FRAME},          // an endless line, before its end
        {"-1\nabcde\n", BWIZC_TCL_ANSWER_PARSER::BAD_FRAME},       // a message line too long
        {"4\na\nb\nc\nd\n", BWIZC_TCL_ANSWER_PARSER::BAD_FRAME},   // too many elements
        {"3\nabcd\nefgh\nijk\n", BWIZC_TCL_ANSWER_PARSER::BAD_FRAME},  // too many bytes
    };
    for (const auto& row : rows) {
        BWIZC_TCL_ANSWER_PARSER parser(limits);
        parser.feed(row.stream.data(), row.stream.size());
        BWIZC_TCL_ANSWER answer;
        EXPECT_EQ(parser.next(answer), row.result) << row.stream;
    }
}
