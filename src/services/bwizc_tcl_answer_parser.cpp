#include "services/bwizc_tcl_answer_parser.h"

#include <cstdlib>

bool BWIZC_TCL_ANSWER_PARSER::take_line(std::string& line)
{
    size_t end = m_buffer.find('\n', m_pos);
    if (end == std::string::npos) {
        // Keep only the unfinished line.
        m_buffer.erase(0, m_pos);
        m_pos = 0;
        return false;
    }
    line.assign(m_buffer, m_pos, end - m_pos);
    m_pos = end + 1;
    return true;
}

CString BWIZC_TCL_ANSWER_PARSER::unescape(const std::string& line)
{
    std::string out;
    out.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            char e = line[i + 1];
            if (e == 'n' || e == 'r' || e == '\\') {
                out += e == 'n' ? '\n' : (e == 'r' ? '\r' : '\\');
                ++i;
                continue;
            }
        }
        out += c;
    }
    return CString(std::move(out));
}

BWIZC_TCL_ANSWER_PARSER::RESULT BWIZC_TCL_ANSWER_PARSER::next(BWIZC_TCL_ANSWER& answer)
{
    std::string line;
    for (;;) {
        if (m_state == BROKEN) {
            return BAD_FRAME;
        }
        if (m_state == ELEMENTS && m_remaining == 0) {
            answer.failed = false;
            answer.message.Empty();
            answer.elements = std::move(m_elements);
            m_state = COUNT;
            return ANSWER;
        }
        if (!take_line(line)) {
            return NEED_MORE;
        }
        switch (m_state) {
        case COUNT: {
            // "-1", or a plain decimal count with nothing around it.
            if (line == "-1") {
                m_state = MESSAGE;
                break;
            }
            bool digits = !line.empty() && line.size() <= 7;
            for (char c : line) {
                digits = digits && c >= '0' && c <= '9';
            }
            long count = digits ? std::strtol(line.c_str(), nullptr, 10) : -1;
            if (count < 0 || count > MAX_ELEMENTS) {
                m_state = BROKEN;
                return BAD_FRAME;
            }
            m_elements = std::make_unique<CStringArray>();
            m_remaining = count;
            m_state = ELEMENTS;
            break;
        }
        case ELEMENTS:
            m_elements->Add(unescape(line));
            --m_remaining;
            break;
        case MESSAGE:
            answer.failed = true;
            answer.message = unescape(line);
            answer.elements.reset();
            m_state = COUNT;
            return ANSWER;
        case BROKEN:
            return BAD_FRAME;
        }
    }
}
