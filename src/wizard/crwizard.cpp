#include "wizard/crwizard.h"

#include "platform/message_box.h"
#include "support/bwizc_device_family.h"
#include "services/brix_info.h"
#include "support/bwizc_global.h"
#include "symbol/bwizc_standard_symbol.h"
#include "symbol/crsymbol.h"
#include "wizard/crwizard_page.h"

const char* const CRWIZARD::BLOCKWRIGHT_MANAGER_TITLE_STRING = "Blockwright Plug-In Manager";

CRWIZARD::CRWIZARD() { m_page_manager.set_wizard_ref(this); }

CRWIZARD::~CRWIZARD() {
    for (int i = 0; i < m_port_order.get_size(); ++i) delete m_port_order.get_at(i);
    clear_port_usage();
}

// ------------------------------------------------------------------ launch

bool CRWIZARD::start_wizard() {
    m_page_manager.set_page_offset(get_start_page_offset());
    g_is_in_silent_mode = is_silent_mode();

    const BWIZC_RDEVICE_FAMILY* family = bwizc_global_get_device_family(get_cmdline_device_family());
    set_cgx_device_family_obj(family ? family : CGX_DEFAULT_DEVICE_FAMILY, false);

    build_decorators();
    initialize_custom_laf();

    if (!initialize_wizard()) return false;

    const bool flow_error = run_cmd_line_flow();
    if (is_cmd_line_flow() && flow_error) {
        // The flow's error records go to the caller at once; no page runs.
        set_wizard_closing_state(2);
        m_cnx_manager.set_symbol_outline(nullptr);
        m_cnx_manager.write_cnx_file(get_cnx_file_full_path(), get_wizard_name(), false, false);
        return true;
    }
    m_cmd_line_flow_succeeded = is_cmd_line_flow();

    set_wizard_closing_state(sequence_page_list(0));

    const int closing = get_wizard_closing_state();
    if (closing == 0 || (closing == -1 && m_page_manager.get_cur_page_index() == -1)) {
        on_end_wizard();
    } else if (closing == 2 && !m_cmd_line_flow_succeeded) {
        on_cancel_wizard();
        bwizc_global_delete_file(get_cnx_file_full_path());
    }
    return true;
}

bool CRWIZARD::initialize_wizard() {
    CString full_path = get_variation_file_full_path();
    full_path.Trim();
    if (full_path.IsEmpty()) {
        bwizc_message_box("Error: No design file has been specified");
        return false;
    }
    set_variation_file_parts(full_path);
    if (!is_design_file_extension_valid(get_variation_file_ext())) {
        bwizc_message_box("Error: Illegal extension in design file name");
        return false;
    }
    if (!on_init_wizard()) {
        on_wizard_help();
        return false;
    }
    if (m_page_manager.is_empty()) {
        bwizc_message_box("Error: Wizard has no valid pages");
        return false;
    }

    add_simlib_page();
    add_summary_page();
    m_page_manager.set_control_settings();
    m_page_manager.set_control_defaults();

    if (m_cnx_manager.read_cnx_file(get_cnx_file_full_path())) m_has_read_cnx_file = true;

    bool result;
    if (is_map_file_gen_mode()) {
        write_map_file();
        result = false;
    } else {
        update_state_from_cnx_info();
        for (CRWIZARD_PAGE* page : m_page_manager.get_wizard_pages_list()) {
            page->do_page_specific_param_port_to_private_translation();
        }
        m_page_manager.param_to_wizard_var(get_cgx_device_family_obj());
        m_page_manager.on_post_cnx_file_read_update();
        result = true;
    }
    on_wizard_initialized();
    on_wizard_help();
    return result;
}

void CRWIZARD::write_map_file() {
    const BWIZC_RDEVICE_FAMILY* family = get_cgx_device_family_obj();
    (void)family;
    CString entries;
    for (CRWIZARD_PAGE* page : m_page_manager.get_wizard_pages_list()) {
        entries += page->get_page_specific_map_file_entries();
        entries += "\n";
    }
    m_page_manager.wizard_var_to_param();

    const CString path = get_variation_file_path() + get_wizard_name() + ".map";
    CStdioFile file;
    if (!file.Open(path, CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::typeText)) return;
    file.WriteString("WIZARD_NAME\t" + get_wizard_name() + "\tEND_WIZARD_NAME\n");
    file.WriteString("MODULE_NAME\t" + get_module_name() + "\tEND_MODULE_NAME\n");
    file.WriteString(entries);
    file.Close();
}

CString CRWIZARD::get_module_name() {
    BWIZC_OBJ_MAP<CRCNX_ITEM_MODULE>& modules = m_cnx_manager.get_module_table();
    if (!modules.is_empty()) {
        for (const auto& entry : modules) return entry.second->get_name();
    }
    return get_wizard_name();
}

// ------------------------------------------------------------ Finish, Cancel

void CRWIZARD::prepare_cnx_data() {
    m_page_manager.wizard_var_to_param();
    wizard_var_to_param();
    add_brixfunction_port_names_to_cnx();
    // The file carries the symbol as the preview last drew it; a wizard that
    // draws nothing writes no symbol block.
    update_symbol();
    CRSYMBOL_OUTLINE* outline = get_symbol_outline();
    m_attached_symbol_outline = outline && outline->get_item_count() > 0 ? outline : nullptr;
    m_cnx_manager.set_symbol_outline(m_attached_symbol_outline);
}

void CRWIZARD::write_cnx_file() {
    m_cnx_manager.write_cnx_file(get_cnx_file_full_path(), get_wizard_name(), false, true);
}

void CRWIZARD::on_end_wizard() {
    prepare_cnx_data();
    if (get_wizard_closing_state() == -1 && m_page_manager.get_cur_page_index() == -1) {
        m_cnx_manager.get_gen_file_list().delete_all();
    }
    write_cnx_file();
    CRWIZARD_SUMMARY_LIST* summary = get_summary_list();
    if (!is_silent_mode() && summary) {
        const CString waveforms = get_variation_file_title() + "_waveforms.html";
        if (summary->has_summary_file(waveforms) && summary->is_summary_file_checked(waveforms)) generate_waveform();
    }
    if (summary) summary->delete_all_summary_files();
    m_cnx_manager.delete_all_written_items();
}

void CRWIZARD::on_cancel_wizard() {
    if (CRWIZARD_SUMMARY_LIST* summary = get_summary_list()) summary->delete_all_summary_files();
    m_cnx_manager.delete_all_written_items();
}

// ------------------------------------------------------------------ pages

void CRWIZARD::set_page_info(CRWIZARD_PAGE* page) {
    if (!page) return;
    page->set_wizard_ref(this);
    page->set_cnx_manager_ref(&m_cnx_manager);
    page->set_page_manager_ref(&m_page_manager);
}

void CRWIZARD::add_page(CRWIZARD_PAGE* page, bool settings_only) {
    if (!page) return;
    set_page_info(page);
    m_page_manager.add_page_at_end(page, settings_only);
}

void CRWIZARD::add_page_with_label(CRWIZARD_PAGE* page, const CString& id, const CString& label, bool settings_only) {
    if (!page) return;
    page->set_page_nav_info(id, label);
    add_page(page, settings_only);
}

bool CRWIZARD::set_page_at(int index, CRWIZARD_PAGE* page, bool settings_only) {
    set_page_info(page);
    return m_page_manager.set_page_at(index, page, settings_only);
}

bool CRWIZARD::set_page_at_with_label(int index, CRWIZARD_PAGE* page, const CString& id, const CString& label,
                                      bool settings_only) {
    if (page) page->set_page_nav_info(id, label);
    return set_page_at(index, page, settings_only);
}

bool CRWIZARD::insert_page_after(int index, CRWIZARD_PAGE* page, bool settings_only) {
    set_page_info(page);
    return m_page_manager.insert_page_after(index, page, settings_only);
}

bool CRWIZARD::insert_page_after_with_label(int index, CRWIZARD_PAGE* page, const CString& id, const CString& label,
                                            bool settings_only) {
    if (page) page->set_page_nav_info(id, label);
    return insert_page_after(index, page, settings_only);
}

bool CRWIZARD::insert_page_before(int index, CRWIZARD_PAGE* page, bool settings_only) {
    set_page_info(page);
    return m_page_manager.insert_page_before(index, page, settings_only);
}

bool CRWIZARD::insert_page_before_with_label(int index, CRWIZARD_PAGE* page, const CString& id, const CString& label,
                                             bool settings_only) {
    if (page) page->set_page_nav_info(id, label);
    return insert_page_before(index, page, settings_only);
}

bool CRWIZARD::remove_page_at(int index, bool delete_page) {
    CRWIZARD_PAGE* page = m_page_manager.get_page_at(index);
    if (page && delete_page) {
        if (page == m_summary_page) m_summary_page = nullptr;
        if (page == m_simlib_page) m_simlib_page = nullptr;
    }
    return m_page_manager.remove_page_at(index, delete_page);
}

CRWIZARD_PAGE* CRWIZARD::get_page_from_page_id(const CString& page_id) {
    for (CRWIZARD_PAGE* page : m_page_manager.get_wizard_pages_list()) {
        if (page->get_page_id() == page_id) return page;
    }
    return nullptr;
}

bool CRWIZARD::jump_to_page(const CString& page_id) {
    CRWIZARD_PAGE* target = get_page_from_page_id(page_id);
    CRWIZARD_PAGE* current = get_cur_page();
    if (!target || target == current || !current || !current->IsWindow()) return false;
    return m_page_manager.jump_to_page(m_page_manager.get_page_order(target));
}

int CRWIZARD::get_cur_page_positional_order() {
    const int index = m_page_manager.get_cur_page_index();
    if (index <= 0) return 0;
    if (index >= m_page_manager.get_count() - 1) return 3;
    return 1;
}

bool CRWIZARD::is_page_included_in_sequence(int index) {
    CRWIZARD_PAGE* page = get_page_at(index);
    return page && page->IncludedInSequence();
}

CString CRWIZARD::get_page_nav_parent_item_id_at(int index) {
    CRWIZARD_PAGE* page = get_page_at(index);
    return page ? page->get_page_nav_parent_item_id() : CString();
}

CString CRWIZARD::get_page_nav_button_label_at(int index) {
    CRWIZARD_PAGE* page = get_page_at(index);
    return page ? page->get_page_nav_button_label() : CString();
}

CString CRWIZARD::get_page_id_at(int index) {
    CRWIZARD_PAGE* page = get_page_at(index);
    return page ? page->get_page_id() : CString();
}

bool CRWIZARD::is_cur_page_id(const CString& page_id) {
    CRWIZARD_PAGE* page = get_cur_page();
    return page && page->get_page_id() == page_id;
}

void CRWIZARD::set_cur_page_default_button_id(UINT id) {
    CRWIZARD_PAGE* page = get_cur_page();
    if (page && page->IsWindow()) page->SetDefID(id);
}

long CRWIZARD::send_message_to_cur_page(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
    CRWIZARD_PAGE* page = get_cur_page();
    if (!page || !page->IsWindow()) return 0;
    return static_cast<long>(page->SendMessage(message, wparam, lparam));
}

// ------------------------------------------------- simulation library, summary

void CRWIZARD::add_simlib_page() {
    if (!m_simlib_page) m_simlib_page = create_simlib_page();
    if (!m_simlib_page) return;
    set_page_group_entry("SIMULATION_LIBRARY", "Simulation Library");
    m_simlib_page->set_page_nav_info("SIMULATION_LIBRARY", "Simulation Library");
    add_page(m_simlib_page, false);
    increment_last_std_pages_count();
}

void CRWIZARD::add_summary_page() {
    if (!m_summary_page) m_summary_page = create_summary_page();
    if (!m_summary_page) return;
    set_page_group_entry("SUMMARY_PAGE", "Summary Page");
    m_summary_page->set_page_nav_info("SUMMARY_PAGE", "Summary Page");
    add_page(m_summary_page, false);
    increment_last_std_pages_count();
}

CRWIZARD_SUMMARY_LIST* CRWIZARD::get_summary_list() { return dynamic_cast<CRWIZARD_SUMMARY_LIST*>(m_summary_page); }

// ------------------------------------------------------------------ symbol

void CRWIZARD::update_symbol() {
    if (m_symbol_decorator) m_symbol_decorator->update_controls();
}

void CRWIZARD::fill_symbol_outline(CRSYMBOL_OUTLINE* /*outline*/) {
    pre_update_symbol();
    generate_symbol(true);
    if (CRWIZARD_PAGE* page = get_cur_page()) page->on_update_symbol();
}

void CRWIZARD::set_port_order(const CString& port_name, int side) {
    crsymbol_insert_port_order(m_port_order, port_name, static_cast<CRSYMBOL_SIDE>(side));
}

void CRWIZARD::clear_port_usage() {
    for (int i = 0; i < m_port_usage.get_size(); ++i) delete m_port_usage.get_at(i);
    m_port_usage.remove_all();
}

void CRWIZARD::get_brixfunction_port_names() {
    clear_port_usage();
    const CString name = get_wizard_name();
    if (name.IsEmpty()) return;
    // One read per process: the rules file does not change while the wizard runs.
    static BRIX_INFO database;
    static bool loaded = false;
    if (!loaded || database.get_function_name() != name) {
        loaded = true;
        database.set_function_name(
            name, bwizc_global_get_absolute_path_from_app("../libraries/brixfunctions/" + name + "_rules.xml"), true);
    }
    BWIZC_OBJ_MAP<CRCNX_ITEM_USED_PORT>& used = m_cnx_manager.get_port_table();
    for (const BRIX_PORT_INFO& port : database.get_ports()) {
        CRCNX_ITEM_USED_PORT* record = used.get(port.name);
        if (!record) continue;
        m_port_usage.add(new CRSYMBOL_AUTO_PORT_USAGE_ITEM(port.name, port.description, port.direction,
                                                           port.get_width(record->get_width())));
    }
}

void CRWIZARD::generate_symbol(bool rebuild_port_usage) {
    if (rebuild_port_usage) get_brixfunction_port_names();
    create_default_symbol();
}

void CRWIZARD::create_default_symbol() {
    m_current_symbol = nullptr;
    CRSYMBOL_OUTLINE* outline = get_symbol_outline();
    if (!outline) return;
    m_current_symbol = bwizc_generate_default_symbol(*outline, m_port_order, m_port_usage, get_variation_file_title());
}
