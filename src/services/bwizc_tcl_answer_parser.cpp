#include "services/bwizc_tcl_answer_parser.h"

#include <cstdlib>

BWIZC_TCL_ANSWER_PARSER::LINE BWIZC_TCL_ANSWER_PARSER::take_line(std::string& line)
{
    // Each byte is searched once, and the taken lines are dropped only when
    // they are at least half of the buffer: linear in what is fed.
    size_t end = m_buffer.find('\n', m_scan);
    if (end == std::string::npos) {
        m_scan = m_buffer.size();
        if (m_buffer.size() - m_pos > m_limits.line_length) {
            return LINE_TOO_LONG;
        }
        if (m_pos > 0 && m_pos >= m_buffer.size() / 2) {
            m_buffer.erase(0, m_pos);
            m_scan -= m_pos;
            m_pos = 0;
        }
        return NO_LINE;
    }
    if (end - m_pos > m_limits.line_length) {
        return LINE_TOO_LONG;
    }
    line.assign(m_buffer, m_pos, end - m_pos);
    m_pos = end + 1;
    m_scan = m_pos;
    return LINE_TAKEN;
}

void BWIZC_TCL_ANSWER_PARSER::drop_buffer()
{
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_pos = 0;
    m_scan = 0;
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
        LINE taken = take_line(line);
        if (taken == NO_LINE) {
            return NEED_MORE;
        }
        if (taken == LINE_TOO_LONG) {
            m_state = BROKEN;
            drop_buffer();
            return BAD_FRAME;
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
            if (count < 0 || count > m_limits.elements) {
                m_state = BROKEN;
                return BAD_FRAME;
            }
            m_elements = std::make_unique<CStringArray>();
            m_remaining = count;
            m_answer_bytes = 0;
            m_state = ELEMENTS;
            break;
        }
        case ELEMENTS:
            m_answer_bytes += line.size() + 1;
            if (m_answer_bytes > m_limits.answer_bytes) {
                m_state = BROKEN;
                m_elements.reset();
                drop_buffer();
                return BAD_FRAME;
            }
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
