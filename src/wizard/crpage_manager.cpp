#include "wizard/crpage_manager.h"

#include <algorithm>

#include "wizard/crwizard.h"
#include "wizard/crwizard_page.h"

CRPAGE_MANAGER::~CRPAGE_MANAGER() {
    for (CRWIZARD_PAGE* page : m_pages) delete page;
}

CRWIZARD_PAGE* CRPAGE_MANAGER::get_page_at(int index) {
    return index >= 0 && index < get_count() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CRPAGE_MANAGER::sequence_pages(int start, int /*offset*/) {
    const bool silent = m_wizard && m_wizard->is_silent_mode();
    int exit_code = CRWIZARD_PAGE_EXIT_NEXT;
    int index = start;
    int next_index = -1;
    while (exit_code != CRWIZARD_PAGE_EXIT_FINISH && exit_code != CRWIZARD_PAGE_EXIT_CANCEL &&
           exit_code != CRWIZARD_PAGE_EXIT_NOTHING && index >= 0 && index < get_count()) {
        m_cur_page_index = index;
        CRWIZARD_PAGE* page = m_pages[static_cast<size_t>(index)];
        if (page->IncludedInSequence()) {
            page->DoModal();
            exit_code = page->get_exit_code();
            m_sequence_state = exit_code;
            next_index = page->get_next_page_index();
        }
        const int last = get_count() - 1;
        const bool finish = exit_code == CRWIZARD_PAGE_EXIT_FINISH;
        const bool back = exit_code == CRWIZARD_PAGE_EXIT_BACK;
        const bool next = exit_code == CRWIZARD_PAGE_EXIT_NEXT;
        if (finish && !all_pages_are_valid()) {
            exit_code = CRWIZARD_PAGE_EXIT_NEXT;
        } else if (exit_code == CRWIZARD_PAGE_EXIT_NOTHING) {
            break;
        } else if (finish && index < last) {
            // Finish before the last page shows the last page (the summary).
            index = last;
            exit_code = CRWIZARD_PAGE_EXIT_NEXT;
        } else if (index == 0 && (finish || back)) {
            index = -1;
        } else if (index == last && (finish || (next && silent))) {
            index = -1;
            exit_code = CRWIZARD_PAGE_EXIT_FINISH;
        } else if (next_index != -1) {
            index = next_index;
        } else if (next) {
            ++index;
        } else if (back) {
            --index;
        }
    }
    m_cur_page_index = index;
    return exit_code;
}

int CRPAGE_MANAGER::find_first_page(UINT template_id) {
    for (int i = 0; i < get_count(); ++i) {
        if (m_pages[static_cast<size_t>(i)]->get_dialog_template_id() == template_id) return i;
    }
    return -1;
}

int CRPAGE_MANAGER::find_first_page(CRWIZARD_PAGE* page) {
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

int CRPAGE_MANAGER::find_last_page(UINT template_id) {
    for (int i = get_count() - 1; i >= 0; --i) {
        if (m_pages[static_cast<size_t>(i)]->get_dialog_template_id() == template_id) return i;
    }
    return -1;
}

void CRPAGE_MANAGER::prepare_page(CRWIZARD_PAGE* page, bool settings_only) {
    page->set_control_settings();
    if (settings_only) return;
    page->set_control_defaults();
    page->do_page_specific_param_port_to_private_translation();
    page->do_ddx_exchange(1);
    page->param_to_wizard_var();
}

void CRPAGE_MANAGER::add_page_at_end(CRWIZARD_PAGE* page, bool settings_only) {
    if (!page) return;
    prepare_page(page, settings_only);
    m_pages.push_back(page);
}

bool CRPAGE_MANAGER::set_page_at(int index, CRWIZARD_PAGE* page, bool settings_only) {
    if (!page || index < 0 || index >= get_count()) return false;
    prepare_page(page, settings_only);
    delete m_pages[static_cast<size_t>(index)];
    m_pages[static_cast<size_t>(index)] = page;
    return true;
}

bool CRPAGE_MANAGER::insert_page_after(int index, CRWIZARD_PAGE* page, bool settings_only) {
    if (!page || index < -1 || index >= get_count()) return false;
    prepare_page(page, settings_only);
    m_pages.insert(m_pages.begin() + index + 1, page);
    return true;
}

bool CRPAGE_MANAGER::insert_page_before(int index, CRWIZARD_PAGE* page, bool settings_only) {
    if (!page || index < 0 || index > get_count()) return false;
    prepare_page(page, settings_only);
    m_pages.insert(m_pages.begin() + index, page);
    return true;
}

bool CRPAGE_MANAGER::remove_page_at(int index, bool delete_page) {
    CRWIZARD_PAGE* page = get_page_at(index);
    if (!page) return false;
    m_pages.erase(m_pages.begin() + index);
    if (delete_page) delete page;
    return true;
}

bool CRPAGE_MANAGER::jump_to_page(int index) {
    CRWIZARD_PAGE* page = get_cur_page();
    if (!page || !page->wizard_page_is_valid() || !page->on_end_dialog()) return false;
    page->set_exit_code(1);
    page->set_next_page_index(index);
    if (m_wizard) m_wizard->send_message_to_wizman();
    page->on_wiz_page_next(0, 0);
    return true;
}

void CRPAGE_MANAGER::set_control_settings() {
    for (CRWIZARD_PAGE* page : m_pages) page->set_control_settings();
}

void CRPAGE_MANAGER::set_control_defaults() {
    for (CRWIZARD_PAGE* page : m_pages) page->set_control_defaults();
}

void CRPAGE_MANAGER::param_to_wizard_var(const BWIZC_RDEVICE_FAMILY* family) {
    // A page's read-back may put other pages in place (a wizard's protocol
    // pages): walk the list as it was, skipping pages taken out meanwhile;
    // pages put in read back when they were added.
    const std::vector<CRWIZARD_PAGE*> pages = m_pages;
    for (CRWIZARD_PAGE* page : pages) {
        if (std::find(m_pages.begin(), m_pages.end(), page) == m_pages.end()) continue;
        page->do_ddx_exchange(1);
        page->param_to_wizard_var();
    }
    if (!m_wizard || !m_wizard->has_cgx_device_combobox()) return;
    CString name;
    if (CRCNX_ITEM_PRIVATE* record = m_wizard->get_cnx_manager().find_cnx_private(CGX_COMBO_DEVICE_FAMILY_PARAM_NAME)) {
        name = record->get_value();
    } else if (family) {
        name = family->get_family_name();
    } else {
        name = CGX_DEFAULT_DEVICE_FAMILY->get_family_name();
    }
    m_wizard->set_cgx_device_family(name);
}

void CRPAGE_MANAGER::wizard_var_to_param() {
    for (CRWIZARD_PAGE* page : m_pages) {
        page->wizard_var_to_param();
        page->do_ddx_exchange(0);
    }
    if (!m_wizard || !m_wizard->has_cgx_device_combobox()) return;
    const CString family = m_wizard->get_cgx_device_family();
    CRCNX_MANAGER& cnx = m_wizard->get_cnx_manager();
    cnx.add_cnx_private(new CRCNX_ITEM_PRIVATE(CGX_COMBO_DEVICE_FAMILY_PARAM_NAME, "STRING", family));
    if (m_wizard->is_cgx_generated()) {
        cnx.add_cnx_constant(new CRCNX_ITEM_CONSTANT(CGX_COMBO_DEVICE_FAMILY_PARAM_NAME, "STRING", family));
    }
}

void CRPAGE_MANAGER::do_param_port_to_private_translation(const BWIZC_RDEVICE_FAMILY* /*family*/) {
    for (CRWIZARD_PAGE* page : m_pages) page->do_param_port_to_private_translation();
}

void CRPAGE_MANAGER::on_post_cnx_file_read_update() {
    for (CRWIZARD_PAGE* page : m_pages) page->on_post_cnx_file_read_update();
}

CString CRPAGE_MANAGER::get_map_file_entries(const BWIZC_RDEVICE_FAMILY* /*family*/) {
    CString entries;
    for (CRWIZARD_PAGE* page : m_pages) entries += page->get_map_file_entries();
    return entries;
}

CSize CRPAGE_MANAGER::get_max_last_dlg_size(const CSize& current) {
    if (m_pages.empty()) return CSize(-1, -1);
    CSize largest(-1, -1);
    for (int i = 0; i < get_count(); ++i) {
        const CSize size = i == m_cur_page_index ? current : m_pages[static_cast<size_t>(i)]->get_last_dlg_size();
        largest.cx = std::max(largest.cx, size.cx);
        largest.cy = std::max(largest.cy, size.cy);
    }
    return largest;
}

CString CRPAGE_MANAGER::get_set_caption() {
    CString caption;
    caption.Format("%s %s[page %d of %d]", CRWIZARD::BLOCKWRIGHT_MANAGER_TITLE_STRING, "",
                   m_cur_page_index + m_page_offset + 1, get_count() + m_page_offset);
    return caption;
}

CString CRPAGE_MANAGER::get_updated_page_caption(CRWIZARD_PAGE* page) {
    return get_set_caption() + (page ? page->get_page_caption() : CString());
}
