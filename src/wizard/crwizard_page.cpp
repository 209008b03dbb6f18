#include "wizard/crwizard_page.h"

#include <cstdio>
#include <iterator>

#include "platform/message_box.h"
#include "platform/registered_messages.h"
#include "support/bwizc_global.h"
#include "wizard/bwizc_resource_info.h"
#include "wizard/crwizard.h"

CRWIZARD_PAGE::CRWIZARD_PAGE(UINT template_id, CWnd* parent)
    : CRWIZARD_PAGE_BASE(template_id, parent), m_template_id(template_id) {}

CRWIZARD_PAGE::~CRWIZARD_PAGE() = default;

void CRWIZARD_PAGE::set_wizard_ref(CRWIZARD* wizard) {
    m_wizard = wizard;
    set_wizard_base_ref(wizard);
}

BOOL CRWIZARD_PAGE::OnInitDialog() {
    CDialog::OnInitDialog();
    set_initialization_complete(false);
    enable_invalidate_and_update_page(false);
    if (m_wizard) m_wizard->set_wizard_page_has_moved(false);
    CRect client;
    GetClientRect(&client);
    set_content_size(client.Size());
    m_content_origin = CPoint();
    set_next_page_index(-1);

    m_page_caption = " -- " + GetWindowText();
    if (m_page_manager) SetWindowText(m_page_manager->get_updated_page_caption(this));

    LOGFONT lf{};
    lf.lfHeight = 8;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "MS Sans Serif");
    m_page_font.CreateFontIndirect(&lf);

    on_init_dialog();
    modify_dialog_controls(CSize(10, 10));
    do_ddx_exchange(2);
    if (m_wizard) m_wizard->add_page_decorations(this);
    enable_invalidate_and_update_page(true);
    invalidate_and_update_page(true);
    set_initialization_complete(true);

    if (m_wizard && m_wizard->is_silent_mode()) {
        m_wizard->simulate_next_button_press(this);
        // Nobody can answer a page that refuses Next in a silent run.
        if (!is_modal_ended()) {
            bwizc_message_box("Error: The page \"" + GetWindowText() + "\" cannot be completed in a silent run");
        }
    }
    return TRUE;
}

LRESULT CRWIZARD_PAGE::on_tcl_shell_thread_terminated(WPARAM, LPARAM) {
    if (m_wizard) m_wizard->on_tcl_shell_command_done();
    return 0;
}

void CRWIZARD_PAGE::OnOK() { on_wiz_page_next(0, 0); }

void CRWIZARD_PAGE::OnCancel() { on_wiz_page_cancel(0, 0); }

void CRWIZARD_PAGE::on_action_performed(CRABSTRACT_EVENT* event) {
    CRCONTROL_EVENT_BASE* control_event = dynamic_cast<CRCONTROL_EVENT_BASE*>(event);
    on_event_update(control_event ? control_event->get_message() : WM_COMMAND, event);
}

// ------------------------------------------------------------- navigation

LRESULT CRWIZARD_PAGE::leave_page(int code) {
    if (!wizard_page_is_valid() || !on_end_dialog()) return 0;
    set_exit_code(code);
    if (m_wizard) m_wizard->send_message_to_wizman();
    update_dialog_on_ok();
    EndDialog(IDOK);
    return 0;
}

LRESULT CRWIZARD_PAGE::on_wiz_page_next(WPARAM, LPARAM) { return leave_page(CRWIZARD_PAGE_EXIT_NEXT); }

LRESULT CRWIZARD_PAGE::on_wiz_page_prev(WPARAM, LPARAM) { return leave_page(CRWIZARD_PAGE_EXIT_BACK); }

LRESULT CRWIZARD_PAGE::on_wiz_page_finish(WPARAM, LPARAM) { return leave_page(CRWIZARD_PAGE_EXIT_FINISH); }

LRESULT CRWIZARD_PAGE::on_wiz_page_cancel(WPARAM, LPARAM) {
    set_exit_code(CRWIZARD_PAGE_EXIT_CANCEL);
    if (m_wizard) m_wizard->send_message_to_wizman();
    unpack_page(false);
    restore_dialog_on_cancel();
    EndDialog(IDCANCEL);
    return 0;
}

LRESULT CRWIZARD_PAGE::on_wiz_page_return_with_do_nothing(WPARAM, LPARAM) {
    set_exit_code(CRWIZARD_PAGE_EXIT_NOTHING);
    if (m_wizard) m_wizard->send_message_to_wizman();
    restore_dialog_on_cancel();
    EndDialog(IDCANCEL);
    return 0;
}

namespace {
// The window of that control id at any depth under the page (the
// navigation panel's buttons sit inside its panels).
CWnd* find_descendant(CWnd* parent, int id) {
    for (CWnd* child : parent->get_children()) {
        if (child->GetDlgCtrlID() == id) return child;
        if (CWnd* found = find_descendant(child, id)) return found;
    }
    return nullptr;
}
}  // namespace

LRESULT CRWIZARD_PAGE::on_wiz_page_help_button_pressed(WPARAM, LPARAM lparam) {
    auto* event = reinterpret_cast<CRCONTROL_EVENT_BASE*>(lparam);
    CWnd* button = event ? find_descendant(this, static_cast<int>(event->get_control_id())) : nullptr;
    if (m_wizard) m_wizard->show_help_menu(this, button);
    return 0;
}

LRESULT CRWIZARD_PAGE::on_wiz_page_about_button_pressed(WPARAM, LPARAM) {
    if (m_wizard) m_wizard->show_about_box(this);
    return 0;
}

int CRWIZARD_PAGE::get_page_order() { return m_page_manager ? m_page_manager->get_page_order(this) : -1; }

int CRWIZARD_PAGE::get_last_std_pages_count() { return m_wizard ? m_wizard->get_last_std_pages_count() : 0; }

bool CRWIZARD_PAGE::has_read_cnx_file() { return m_wizard && m_wizard->has_read_cnx_file(); }

// ------------------------------------------------------- resource estimate

void CRWIZARD_PAGE::update_resource_info(bool estimate, bool /*flag*/) {
    if (!m_wizard || !m_page_manager) return;
    // The brixfunction database has no list of simulation libraries: the
    // generator library names them for every wizard, whenever a page may
    // show them. A run that shows nothing never starts the worker.
    const bool simlib = !m_wizard->is_silent_mode();
    const bool ask = estimate || simlib;
    CString module = m_wizard->get_wizard_name();
    module.MakeLower();
    if (ask && g_bwizc_resource_info_manager.get_dll_path().IsEmpty()) {
        // The list names the library without the platform's suffix.
        const CString library = bwizc_global_get_cgx_dll_name(module);
        if (!library.IsEmpty()) m_wizard->set_resource_info_dll_path(bwizc_global_get_absolute_path_from_app(library + ".so"));
    }

    CRCNX_MANAGER& cnx = m_wizard->get_cnx_manager();
    // The records are rebuilt from the pages for the request.
    cnx.delete_all_written_items();
    m_page_manager->wizard_var_to_param();

    BWIZC_RESOURCE_INFO_REQUEST request;
    for (const auto& entry : cnx.get_constant_table()) {
        CString value = entry.second->get_value();
        value.Replace('\\', '/');
        request.param_text.AppendFormat("%s=%s%s", entry.second->get_name().c_str(), value.c_str(), ";");
    }
    request.param_text += "DEVICE_FAMILY=" + m_wizard->get_cgx_device_family() + ";";
    for (const auto& entry : cnx.get_port_table()) request.port_text += entry.second->get_name() + ";";
    request.estimate_resources = estimate;
    request.get_simulation_libraries = simlib;
    request.module_name = module;
    request.window = this;
    if (ask) bwizc_request_resource_info(request);
}

// --------------------------------------------------------- value exchange

void CRWIZARD_PAGE::add_and_register_control(CRVALUE_NOTIFIER* control, const CString& cnx_id) {
    if (!control) return;
    control->set_cnx_id(get_indexed_cnx_private_id(cnx_id, -1));
    control->set_included_in_cnx(!cnx_id.IsEmpty());
    m_value_controls.add(control);
}

void CRWIZARD_PAGE::do_ddx_exchange(int mode) {
    for (CRVALUE_NOTIFIER* control : m_value_controls) {
        if (mode == 0) {
            if (!control->is_included_in_cnx() || !m_cnx_manager) continue;
            CString text;
            control->on_ddx_value(CRVALUE_NOTIFIER::DDX_SAVE, text);
            m_cnx_manager->add_cnx_private(new CRCNX_ITEM_PRIVATE(control->get_cnx_id(), "STRING", text));
        } else if (mode == 1) {
            const CString default_value = control->get_def_val();
            CString value = default_value;
            if (m_cnx_manager) {
                if (CRCNX_ITEM_PRIVATE* record = m_cnx_manager->find_cnx_private(control->get_cnx_id())) {
                    value = record->get_value();
                }
            }
            value = pre_ddx_value(control->get_cnx_id(), default_value, value);
            control->on_ddx_value(CRVALUE_NOTIFIER::DDX_RESTORE, value);
        } else if (mode == 2) {
            CString unused;
            control->on_ddx_value(CRVALUE_NOTIFIER::DDX_APPLY, unused);
        }
    }
}

// ------------------------------------------------------------ summary list

namespace {
CRWIZARD_SUMMARY_LIST* summary_of(CRWIZARD* wizard) { return wizard ? wizard->get_summary_list() : nullptr; }
}  // namespace

void CRWIZARD_PAGE::add_summary_page_file_list_entry(const CString& file, const CString& description, bool checked,
                                                     bool changeable) {
    if (CRWIZARD_SUMMARY_LIST* list = summary_of(m_wizard)) list->add_summary_file(file, description, checked, changeable, true);
}
void CRWIZARD_PAGE::delete_summary_page_file_list_entry(const CString& file) {
    if (CRWIZARD_SUMMARY_LIST* list = summary_of(m_wizard)) list->delete_summary_file(file);
}
void CRWIZARD_PAGE::delete_all_summary_page_file_list_entries() {
    if (CRWIZARD_SUMMARY_LIST* list = summary_of(m_wizard)) list->delete_all_summary_files();
}
bool CRWIZARD_PAGE::is_in_summary_page_file_list_entry(const CString& file) {
    CRWIZARD_SUMMARY_LIST* list = summary_of(m_wizard);
    return list && list->has_summary_file(file);
}
bool CRWIZARD_PAGE::is_summary_page_file_entry_checked(const CString& file) {
    CRWIZARD_SUMMARY_LIST* list = summary_of(m_wizard);
    return list && list->is_summary_file_checked(file);
}
bool CRWIZARD_PAGE::is_summary_page_file_entry_enabled(const CString& file) {
    CRWIZARD_SUMMARY_LIST* list = summary_of(m_wizard);
    return list && list->is_summary_file_changeable(file);
}
void CRWIZARD_PAGE::set_summary_page_file_entry_checked(const CString& file, bool checked) {
    if (CRWIZARD_SUMMARY_LIST* list = summary_of(m_wizard)) list->set_summary_file_checked(file, checked);
}
void CRWIZARD_PAGE::set_summary_page_file_entry_enabled(const CString& file, bool enabled) {
    if (CRWIZARD_SUMMARY_LIST* list = summary_of(m_wizard)) list->set_summary_file_changeable(file, enabled);
}

// ------------------------------------------------------------- map file

namespace {
CString parameter_rule(const CString& name, const char* kind, const CString& expr) {
    return "CNX_PARAMETER_RULE\t" + name + "  " + kind + "  < " + expr + " />  END_CNX_PARAMETER_RULE\n";
}
}  // namespace

CString CRWIZARD_PAGE::get_map_file_string_param_entry(const CString& name, const CString& expr) {
    return parameter_rule(name, "STRING-CONSTANT", expr.IsEmpty() ? name : expr);
}

CString CRWIZARD_PAGE::get_map_file_string_private_entry(const CString& name, const CString& expr) {
    return parameter_rule(name, "STRING", expr.IsEmpty() ? name : expr);
}

CString CRWIZARD_PAGE::get_map_file_numeric_param_entry(const CString& name, const CString& expr) {
    return parameter_rule(name, "NUMERIC-CONSTANT", expr.IsEmpty() ? "int(" + name + ")" : expr);
}

CString CRWIZARD_PAGE::get_map_file_port_used_entry(const CString& name, const CString& expr) {
    return parameter_rule(name, "USED_PORT", expr.IsEmpty() ? "used_port(" + name + ")" : expr);
}

CString CRWIZARD_PAGE::get_map_file_port_rule_entry(const CString& name, const CString& port, const CString& expr) {
    return "PORT_RULE\t" + name + "  " + (port.IsEmpty() ? name : port) + "  < " +
           (expr.IsEmpty() ? CString("\"true\"") : expr) + " />  END_PORT_RULE\n";
}

// ---------------------------------------------------------------- ports

CString CRWIZARD_PAGE::get_port_type(int n) {
    static const char* const types[] = {"INPUT",      "OUTPUT",         "BIDIR",          "INPUT_INT",
                                        "INPUT_EXT",  "INPUT_CLK_INT",  "INPUT_CLK_EXT",  "OUTPUT_INT",
                                        "OUTPUT_EXT", "OUTPUT_CLK_INT", "OUTPUT_CLK_EXT"};
    return n >= 0 && n < static_cast<int>(std::size(types)) ? types[n] : "INPUT";
}

CString CRWIZARD_PAGE::get_port_value(int n) {
    static const char* const values[] = {"NODEFVAL", "GND", "VCC"};
    return n >= 0 && n < static_cast<int>(std::size(values)) ? values[n] : "NODEFVAL";
}

CString CRWIZARD_INDEXED_PAGE::get_indexed_cnx_private_id(const CString& name, int index) {
    CString id;
    if (index > -1) {
        id.Format("%s%d", name.c_str(), index);
    } else if (m_page_index >= 0) {
        id.Format("%s%d", name.c_str(), m_page_index);
    } else {
        id = name;
    }
    return id;
}
