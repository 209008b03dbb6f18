#include "transceiver/kvgxb_wizard.h"

#include "services/bwizc_tcl_shell_manager.h"
#include "support/bwizc_global.h"
#include "wizard/crwizard_page.h"

namespace {
// The wizard the windowless completions go to. A plain pointer, so that no
// destructor order at process exit can leave the manager calling a dead object.
KVGXB_WIZARD* g_query_handler_owner = nullptr;
}  // namespace

const char* const KVGXB_WIZARD::DEVICE_PACKAGE = "device_features";
const char* const KVGXB_WIZARD::DEVICE_PART = "KV2VGX130KF1508C3";
const char* const KVGXB_WIZARD::ATOM_PARAM_QUERY_TAG = "VELARISIIGX_ATOM_PARAM";

KVGXB_WIZARD::KVGXB_WIZARD() = default;

KVGXB_WIZARD::~KVGXB_WIZARD() {
    // The manager itself may already be gone at process exit, so it is not
    // called here.
    if (g_query_handler_owner == this) g_query_handler_owner = nullptr;
    // The General page outlives this part of the wizard at process exit; it
    // must not find its way back here.
    set_device_query_client(nullptr);
}

KVGXB_DEVICE_QUERY_CLIENT::~KVGXB_DEVICE_QUERY_CLIENT() {
    if (m_query_wizard) m_query_wizard->set_device_query_client(nullptr);
}

void KVGXB_WIZARD::set_device_query_client(KVGXB_DEVICE_QUERY_CLIENT* client) {
    if (m_query_client && m_query_client->m_query_wizard == this) m_query_client->m_query_wizard = nullptr;
    // A client serves one wizard at a time.
    if (client && client->m_query_wizard && client->m_query_wizard != this) {
        client->m_query_wizard->m_query_client = nullptr;
    }
    m_query_client = client;
    if (client) client->m_query_wizard = this;
}

bool KVGXB_WIZARD::on_init_wizard() {
    set_wizard_name("kv2gxb");
    set_model_cnx_manager(&get_cnx_manager());
    initialize_brixfx_wysiwyg_name_tbl();
    register_port_order();
    create_pages();

    update_wizard();
    evaluate_gxb_feasibility();
    // That first cycle wrote the default model into the description; a
    // variation read from its CNX file must be read back without it.
    get_cnx_manager().delete_all_written_items();

    // Answers are acted on only where a user waits for them: a silent run
    // (and map-file mode) goes through its pages without ever dispatching
    // one, so its output cannot depend on when the database answers.
    const bool interactive = !is_silent_mode() && !is_map_file_gen_mode();
    if (interactive) install_device_query_handler();
    enable_resource_info_update(interactive);
    BWIZC_TCL_SHELL_MANAGER::start_tcl_shell_process();
    if (interactive) start_device_enumeration();
    return true;
}

void KVGXB_WIZARD::on_end_wizard() {
    CRWIZARD_APP::on_end_wizard();
    BWIZC_TCL_SHELL_MANAGER::shut_down_tcl_shell_process();
}

void KVGXB_WIZARD::on_wizard_help() {
    BWIZC_MENU& menu = get_help_menu();
    menu.remove_all();
    menu.add_item("KV2GXB Wizard &Manual", bwizc_global_get_absolute_path_from_app(KVGXB_MANUAL_PATH));
    menu.add_action("&About the KV2GXB Wizard", [this] { show_about_box(get_cur_page()); });
}

void KVGXB_WIZARD::on_cancel_wizard() {
    CRWIZARD_APP::on_cancel_wizard();
    BWIZC_TCL_SHELL_MANAGER::shut_down_tcl_shell_process();
}

void KVGXB_WIZARD::wizard_var_to_param() {
    CRWIZARD_APP::wizard_var_to_param();
    KVGXB_WIZARD_MODEL::wizard_var_to_param();
}

int KVGXB_WIZARD::ExitInstance() {
    // A run that stopped before Finish or Cancel (no pages, map-file mode)
    // still started the database.
    BWIZC_TCL_SHELL_MANAGER::shut_down_tcl_shell_process();
    remove_device_query_handler();
    return CRWIZARD_APP::ExitInstance();
}

void KVGXB_WIZARD::install_device_query_handler() {
    g_query_handler_owner = this;
    BWIZC_TCL_SHELL_MANAGER::set_windowless_completion_handler([] {
        if (g_query_handler_owner) g_query_handler_owner->on_tcl_shell_command_done();
    });
}

void KVGXB_WIZARD::remove_device_query_handler() {
    if (g_query_handler_owner != this) return;
    g_query_handler_owner = nullptr;
    BWIZC_TCL_SHELL_MANAGER::set_windowless_completion_handler(nullptr);
}

bool KVGXB_WIZARD::is_device_query_handler_installed() const { return g_query_handler_owner == this; }
