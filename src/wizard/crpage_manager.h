// CRPAGE_MANAGER: the wizard's ordered page list, the page loop, and the
// operations that run over every page.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"
#include "platform/win_defs.h"
#include "support/bwizc_device_family.h"

class CRWIZARD;
class CRWIZARD_PAGE;

class CRPAGE_MANAGER {
public:
    CRPAGE_MANAGER() = default;
    CRPAGE_MANAGER(const CRPAGE_MANAGER&) = delete;
    CRPAGE_MANAGER& operator=(const CRPAGE_MANAGER&) = delete;
    // Deletes the pages.
    virtual ~CRPAGE_MANAGER();

    virtual void set_wizard_ref(CRWIZARD* wizard) { m_wizard = wizard; }
    virtual CRWIZARD* get_wizard_ref() { return m_wizard; }
    virtual const std::vector<CRWIZARD_PAGE*>& get_wizard_pages_list() { return m_pages; }
    virtual CRWIZARD_PAGE* operator[](int index) { return get_page_at(index); }
    // Null outside the list.
    virtual CRWIZARD_PAGE* get_page_at(int index);
    virtual int get_cur_page_index() { return m_cur_page_index; }
    virtual CRWIZARD_PAGE* get_cur_page() { return get_page_at(m_cur_page_index); }

    // The page loop from `start`; returns the final exit code (the closing
    // state). The offset is not used.
    virtual int sequence_pages(int start, int offset);

    // Index of the first / last page of that dialog template id, or -1.
    virtual int find_first_page(UINT template_id);
    virtual int find_first_page(CRWIZARD_PAGE* page);
    virtual int find_last_page(UINT template_id);

    // Page list changes. Each prepares the page (settings; unless
    // settings_only also defaults, parameter translation, a load exchange
    // and param_to_wizard_var) and then places it. The manager owns it.
    virtual void add_page_at_end(CRWIZARD_PAGE* page, bool settings_only);
    virtual bool set_page_at(int index, CRWIZARD_PAGE* page, bool settings_only);
    virtual bool insert_page_after(int index, CRWIZARD_PAGE* page, bool settings_only);
    virtual bool insert_page_before(int index, CRWIZARD_PAGE* page, bool settings_only);
    // Removes the page at index; with delete_page it is destroyed.
    virtual bool remove_page_at(int index, bool delete_page);
    virtual int get_page_order(CRWIZARD_PAGE* page) { return find_first_page(page); }
    // Leaves the current page for the page at index (through its Next).
    virtual bool jump_to_page(int index);
    virtual int show_wizard() { return sequence_pages(0, 0); }
    virtual int get_count() { return static_cast<int>(m_pages.size()); }
    virtual bool is_empty() { return m_pages.empty(); }

    // Over every page in list order.
    virtual void set_control_settings();
    virtual void set_control_defaults();
    virtual void param_to_wizard_var(const BWIZC_RDEVICE_FAMILY* family);
    virtual void wizard_var_to_param();
    virtual void do_param_port_to_private_translation(const BWIZC_RDEVICE_FAMILY* family);
    virtual void on_post_cnx_file_read_update();
    virtual CString get_map_file_entries(const BWIZC_RDEVICE_FAMILY* family);
    // The place where a stricter page set would refuse Finish.
    virtual bool all_pages_are_valid() { return true; }

    virtual void set_page_offset(int offset) { m_page_offset = offset; }
    int get_page_offset() const { return m_page_offset; }
    // The largest width and height over all pages: `current` for the current
    // page, the last size of every other one; (-1, -1) without pages.
    virtual CSize get_max_last_dlg_size(const CSize& current);
    // The caption of `page`: the manager's caption and the page's own.
    virtual CString get_updated_page_caption(CRWIZARD_PAGE* page);
    // "Blockwright Plug-In Manager [page i of n]", offset included.
    virtual CString get_set_caption();

    int get_sequence_state() const { return m_sequence_state; }

protected:
    void prepare_page(CRWIZARD_PAGE* page, bool settings_only);

    CRWIZARD* m_wizard = nullptr;
    std::vector<CRWIZARD_PAGE*> m_pages;
    int m_sequence_state = 1;
    int m_cur_page_index = 0;
    int m_page_offset = 0;
    CString m_reserved_a;
    CString m_reserved_b;
};
