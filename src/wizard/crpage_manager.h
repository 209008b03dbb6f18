// CRPAGE_MANAGER: the wizard's ordered page list and the page loop.
#pragma once

#include <vector>

#include "platform/cstring.h"

class CRWIZARD;
class CRWIZARD_PAGE;

class CRPAGE_MANAGER {
public:
    CRPAGE_MANAGER() = default;
    CRPAGE_MANAGER(const CRPAGE_MANAGER&) = delete;
    CRPAGE_MANAGER& operator=(const CRPAGE_MANAGER&) = delete;
    virtual ~CRPAGE_MANAGER();

    virtual void set_wizard_ref(CRWIZARD* wizard) { m_wizard = wizard; }
    virtual CRWIZARD* get_wizard_ref() { return m_wizard; }
    virtual int get_cur_page_index() { return m_cur_page_index; }
    virtual int get_count() { return static_cast<int>(m_pages.size()); }
    virtual bool is_empty() { return m_pages.empty(); }
    virtual void set_page_offset(int offset) { m_page_offset = offset; }
    int get_page_offset() const { return m_page_offset; }

protected:
    CRWIZARD* m_wizard = nullptr;
    std::vector<CRWIZARD_PAGE*> m_pages;
    int m_sequence_state = 1;
    int m_cur_page_index = 0;
    int m_page_offset = 0;
};
