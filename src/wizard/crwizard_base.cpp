#include "wizard/crwizard_base.h"

#include "support/bwizc_global.h"
#include "toolkit/crui_look_and_feel.h"
#include "wizard/bwizc_lang_info.h"
#include "wizard/bwizc_resource_info.h"

CRWIZARD_BASE::CRWIZARD_BASE() : m_cmdline(std::make_unique<CRWIZARD_COMMAND_LINE_INFO>()) {
    bwizc_set_active_theme(new BWIZC_STD_THEME);
}

CRWIZARD_BASE::~CRWIZARD_BASE() {
    delete_decorators();
    // The look and feel this wizard installed ends with it.
    if (m_installed_laf && crui_get_look_and_feel() == m_installed_laf) crui_set_look_and_feel(nullptr);
}

void CRWIZARD_BASE::set_cmdline_manager(CRWIZARD_COMMAND_LINE_INFO* info) {
    if (info && info != m_cmdline.get()) m_cmdline.reset(info);
}

CString CRWIZARD_BASE::get_page_group_entry(const CString& group_id) {
    auto it = m_page_groups.find(group_id);
    return it == m_page_groups.end() ? CString() : it->second;
}

void CRWIZARD_BASE::set_variation_file_parts(const CString& full_path) {
    m_variation_file_title = bwizc_global_get_path_component(full_path, BWIZC_PATH_COMP_TITLE);
    m_variation_file_ext = bwizc_global_get_path_component(full_path, BWIZC_PATH_COMP_EXT);
    m_variation_file_name = m_variation_file_title + m_variation_file_ext;
    m_variation_file_path = bwizc_global_get_path_component(full_path, BWIZC_PATH_COMP_DRIVE) +
                            bwizc_global_get_path_component(full_path, BWIZC_PATH_COMP_DIR);
}

bool CRWIZARD_BASE::is_design_file_extension_valid(const CString& ext) {
    CString lower = ext;
    lower.MakeLower();
    return BWIZC_LANG_INFO::find_by_design_file_ext(lower) != nullptr;
}

CString CRWIZARD_BASE::get_cnx_file_full_path() {
    return m_variation_file_path + m_variation_file_title + get_cnx_file_ext();
}

void CRWIZARD_BASE::set_cgx_device_family_obj(const BWIZC_RDEVICE_FAMILY* family, bool remember_previous) {
    if (remember_previous) m_prev_device_family = m_device_family;
    m_device_family = family;
}

void CRWIZARD_BASE::set_resource_info_dll_path(const CString& path) { g_bwizc_resource_info_manager.set_dll_path(path); }

CString CRWIZARD_BASE::get_cgx_device_family() {
    return m_device_family ? m_device_family->get_family_name() : CString();
}

bool CRWIZARD_BASE::set_cgx_device_family(const CString& name) {
    const BWIZC_RDEVICE_FAMILY* family = bwizc_global_get_device_family(name);
    if (!family) return false;
    set_cgx_device_family_obj(family, true);
    return true;
}

int CRWIZARD_BASE::get_wizard_exit_state() {
    if (m_closing_state == -1) m_closing_state = 3;
    return m_closing_state;
}
