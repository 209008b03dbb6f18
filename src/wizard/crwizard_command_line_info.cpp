#include "wizard/crwizard_command_line_info.h"

#include <cstdlib>

#include "platform/message_box.h"

const char* const CRWIZARD_COMMAND_LINE_USAGE_TEXT =
    "Command line options:\n\n"
    "-n\t\tindicates that this is a new file (required)\n"
    "<filename>\tfull path to file that must be created (required)\n\n"
    "-h\t\tSpecifies the thread ID of the calling program (optional)\n"
    "-symbol\tSpecifies that the calling program can generate a symbol file (optional)\n"
    "-x\t\tSpecifies the screen x coordinate of the lower right corner (optional)\n"
    "-y\t\tSpecifies the screen y coordinate of the lower right corner (optional)\n"
    "-p\t\tSpecifies the first page offset (optional)\n"
    "-silent\tSpecifies that the wizard should not show a UI.";

namespace {

// Title and subtitle may be written in double quotes; each quote goes on its own.
CString strip_enclosing_quotes(CString value) {
    if (value.GetAt(0) == '"') value = value.Mid(1);
    if (!value.IsEmpty() && value.GetAt(value.GetLength() - 1) == '"') value = value.Left(value.GetLength() - 1);
    return value;
}

}  // namespace

void CRWIZARD_COMMAND_LINE_INFO::ParseParam(const char* param, int flag, int /*last*/) {
    CString text(param);
    text.TrimLeft();
    if (!flag) {
        m_design_file_full_path = text;
        return;
    }
    if (parse_keyword(text) || parse_prefixed_value(text)) return;
    if (text.Find('.') >= 0) {
        // A Unix absolute path: its leading "/" was taken for a flag character.
        m_design_file_full_path.Format("/%s", text.c_str());
        return;
    }
    if (parse_one_letter_option(text)) return;
    bwizc_message_box(CRWIZARD_COMMAND_LINE_USAGE_TEXT);
}

bool CRWIZARD_COMMAND_LINE_INFO::parse_keyword(const CString& flag) {
    if (flag == "symbol") {
        m_symbol_generation = true;
    } else if (flag == "silent") {
        m_silent_mode = true;
    } else if (flag == "cmd") {
        m_cmd_line_flow = true;
    } else if (flag == "mapfile") {
        m_map_file_gen_mode = true;
    } else if (flag == "add_auto_device_combo") {
        m_cgx_generated = false;
        m_cgx_device_combobox = true;
    } else if (flag == "cgxgen/addcombo") {
        m_cgx_generated = true;
        m_cgx_device_combobox = true;
    } else if (flag == "cgxgen") {
        m_cgx_generated = true;
        m_cgx_device_combobox = false;
    } else if (flag == "hbutton") {
        m_help_button = true;
    } else if (flag == "GED") {
        m_entered_from_ged = true;
    } else if (flag == "PADMAP") {
        m_entered_from_protocol_planner = true;
    } else if (flag == "SIMLIB_GEN") {
        m_simlib_gen_check_box = true;
        m_simlib_std_msg = false;
    } else if (flag == "SIMLIB_GEN_STD_MSG") {
        m_simlib_gen_check_box = false;
        m_simlib_std_msg = true;
    } else if (flag == "NAV") {
        m_nav_panel = true;
    } else if (flag == "LAF") {
        m_custom_laf = true;
    } else {
        return false;
    }
    return true;
}

bool CRWIZARD_COMMAND_LINE_INFO::parse_prefixed_value(const CString& flag) {
    struct PREFIX {
        const char* text;
        CString CRWIZARD_COMMAND_LINE_INFO::*field;
        bool strip_quotes;
    };
    static const PREFIX prefixes[] = {
        {"devicefamily", &CRWIZARD_COMMAND_LINE_INFO::m_device_family_name, false},
        {"wizard_name:", &CRWIZARD_COMMAND_LINE_INFO::m_wizard_id, false},
        {"wizard_title:", &CRWIZARD_COMMAND_LINE_INFO::m_wizard_title, true},
        {"wizard_subtitle:", &CRWIZARD_COMMAND_LINE_INFO::m_wizard_subtitle, true},
        {"caption_text:", &CRWIZARD_COMMAND_LINE_INFO::m_alternate_caption_text, false},
    };
    for (const PREFIX& prefix : prefixes) {
        if (flag.Find(prefix.text) != 0) continue;
        CString value = flag.Mid(CString(prefix.text).GetLength());
        this->*prefix.field = prefix.strip_quotes ? strip_enclosing_quotes(value) : value;
        return true;
    }
    return false;
}

bool CRWIZARD_COMMAND_LINE_INFO::parse_one_letter_option(const CString& flag) {
    const CString arg = flag.Mid(1);
    switch (flag.GetAt(0)) {
    case 'h':
        m_calling_thread_id = static_cast<std::uint32_t>(std::atoi(arg));
        m_send_msg_to_wizman = true;
        return true;
    case 'n':
        m_new_variation_mode = true;
        return true;
    case 'p':
        m_start_page_offset = std::atoi(arg);
        return true;
    case 't':
        m_brixfunction_name = arg;
        return true;
    case 'x':
        m_screen_x = std::atoi(arg);
        m_has_position = false;
        return true;
    case 'y':
        m_screen_y = std::atoi(arg);
        m_has_position = false;
        return true;
    default:
        return false;
    }
}
