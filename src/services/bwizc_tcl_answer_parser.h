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

    // The largest element count taken as a frame; more is a broken stream.
    static constexpr long MAX_ELEMENTS = 1000000;

    // Appends bytes read from the interpreter.
    void feed(const char* data, size_t size) { m_buffer.append(data, size); }
    // The next complete answer, NEED_MORE until one is complete, BAD_FRAME
    // (for good) when the stream is not framed as answers.
    RESULT next(BWIZC_TCL_ANSWER& answer);

    static CString unescape(const std::string& line);

private:
    bool take_line(std::string& line);

    enum STATE { COUNT, ELEMENTS, MESSAGE, BROKEN };
    std::string m_buffer;
    size_t m_pos = 0;
    STATE m_state = COUNT;
    long m_remaining = 0;
    std::unique_ptr<CStringArray> m_elements;
};
