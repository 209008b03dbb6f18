#include "wizard/crwizard.h"

#include "platform/message_box.h"
#include "support/bwizc_device_family.h"

CRWIZARD::CRWIZARD() { m_page_manager.set_wizard_ref(this); }

CRWIZARD::~CRWIZARD() = default;

CRPAGE_MANAGER::~CRPAGE_MANAGER() = default;

int CRWIZARD::get_cur_page_positional_order() {
    const int index = m_page_manager.get_cur_page_index();
    if (index <= 0) return 0;
    if (index >= m_page_manager.get_count() - 1) return 3;
    return 1;
}

bool CRWIZARD::start_wizard() {
    m_page_manager.set_page_offset(get_start_page_offset());
    g_is_in_silent_mode = is_silent_mode();

    const BWIZC_RDEVICE_FAMILY* family = bwizc_global_get_device_family(get_cmdline_device_family());
    set_cgx_device_family_obj(family ? family : CGX_DEFAULT_DEVICE_FAMILY, false);

    build_decorators();
    initialize_custom_laf();

    if (!initialize_wizard()) return false;
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
    on_wizard_help();
    return true;
}
