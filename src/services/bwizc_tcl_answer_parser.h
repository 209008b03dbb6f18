// The framing of the device database's answers: the element count on one
// line, then one line per element ("\n", "\r" and "\\" escaped inside an
// element); a failed command is "-1" and one line of message.
#pragma once

#include <memory>
#include <string>

#include "platform/cstring.h"

struct BWIZC_TCL_ANSWER {
    bool failed = false;
    CString message;  // of a failed command
    std::unique_ptr<CStringArray> elements;  // of a command that succeeded
};

class BWIZC_TCL_ANSWER_PARSER {
public:
    enum RESULT { NEED_MORE, ANSWER, BAD_FRAME };

    // Caps on one answer, so that a misbehaving interpreter cannot drive the
    // wizard's memory up: beyond any of them the stream counts as broken
    // (and the command as not answered). The device database's longest
    // answers are a few hundred short elements.
    struct LIMITS {
        size_t line_length = 64 * 1024;
        long elements = 100000;
        size_t answer_bytes = 8 * 1024 * 1024;
    };

    BWIZC_TCL_ANSWER_PARSER() = default;
    explicit BWIZC_TCL_ANSWER_PARSER(const LIMITS& limits) : m_limits(limits) {}

    // Appends bytes read from the interpreter (dropped once the stream is
    // broken).
    void feed(const char* data, size_t size)
    {
        if (m_state != BROKEN) {
            m_buffer.append(data, size);
        }
    }
    // The next complete answer, NEED_MORE until one is complete, BAD_FRAME
    // (for good) when the stream is not framed as answers.
    RESULT next(BWIZC_TCL_ANSWER& answer);

    static CString unescape(const std::string& line);

private:
    enum LINE { LINE_TAKEN, NO_LINE, LINE_TOO_LONG };
    LINE take_line(std::string& line);
    void drop_buffer();

    enum STATE { COUNT, ELEMENTS, MESSAGE, BROKEN };
    LIMITS m_limits;
    std::string m_buffer;
    size_t m_pos = 0;   // start of the first line not yet taken
    size_t m_scan = 0;  // where the search for its end goes on
    size_t m_answer_bytes = 0;
    STATE m_state = COUNT;
    long m_remaining = 0;
    std::unique_ptr<CStringArray> m_elements;
};
