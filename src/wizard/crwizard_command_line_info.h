// What the command line said. The wizard owns one record and answers every
// question about it through its own accessors (CRWIZARD_BASE).
#pragma once

#include <cstdint>

#include "platform/cstring.h"

// The text of the usage box shown for a flag the wizard does not know.
extern const char* const CRWIZARD_COMMAND_LINE_USAGE_TEXT;

class CRWIZARD_COMMAND_LINE_INFO {
public:
    CRWIZARD_COMMAND_LINE_INFO() = default;
    virtual ~CRWIZARD_COMMAND_LINE_INFO() = default;

    // One argument of the command line. `flag` is 1 when the argument began
    // with "-" or "/" (that character already removed), else 0. `last` is
    // always 0 and not used.
    virtual void ParseParam(const char* param, int flag, int last);

    const CString& get_design_file_full_path() const { return m_design_file_full_path; }
    const CString& get_brixfunction_name() const { return m_brixfunction_name; }
    const CString& get_alternate_caption_text() const { return m_alternate_caption_text; }
    bool is_new_variation_mode() const { return m_new_variation_mode; }
    bool is_silent_mode() const { return m_silent_mode; }
    bool is_map_file_gen_mode() const { return m_map_file_gen_mode; }
    std::uint32_t get_calling_thread_id() const { return m_calling_thread_id; }
    bool is_capable_of_symbol_generation() const { return m_symbol_generation; }
    int get_start_page_offset() const { return m_start_page_offset; }
    const CString& get_device_family_name() const { return m_device_family_name; }
    const CString& get_wizard_id() const { return m_wizard_id; }
    bool is_cgx_generated() const { return m_cgx_generated; }
    bool is_cmd_line_flow() const { return m_cmd_line_flow; }
    bool has_cgx_device_combobox() const { return m_cgx_device_combobox; }
    bool has_help_button() const { return m_help_button; }
    bool is_entered_from_ged() const { return m_entered_from_ged; }
    bool is_entered_from_protocol_planner() const { return m_entered_from_protocol_planner; }
    bool has_simlib_gen_check_box() const { return m_simlib_gen_check_box; }
    bool has_simlib_std_msg() const { return m_simlib_std_msg; }
    const CString& get_wizard_title() const { return m_wizard_title; }
    const CString& get_wizard_subtitle() const { return m_wizard_subtitle; }
    bool has_nav_panel() const { return m_nav_panel; }
    bool has_custom_laf() const { return m_custom_laf; }
    bool has_position() const { return m_has_position; }
    int get_screen_x() const { return m_screen_x; }
    int get_screen_y() const { return m_screen_y; }
    bool is_send_msg_to_wizman_enabled() const { return m_send_msg_to_wizman; }

    // The design file may also be named by the wizard itself (tests, the
    // command-line flow); everything else comes only from the command line.
    void set_design_file_full_path(const CString& path) { m_design_file_full_path = path; }

private:
    bool parse_keyword(const CString& flag);
    bool parse_prefixed_value(const CString& flag);
    bool parse_one_letter_option(const CString& flag);

    CString m_design_file_full_path;
    CString m_brixfunction_name;
    CString m_alternate_caption_text;
    bool m_new_variation_mode = false;
    bool m_silent_mode = false;
    bool m_map_file_gen_mode = false;
    std::uint32_t m_calling_thread_id = 0;
    bool m_symbol_generation = false;
    int m_start_page_offset = 0;
    CString m_device_family_name;
    CString m_wizard_id;
    CString m_reserved;
    bool m_cgx_generated = false;
    bool m_cmd_line_flow = false;
    bool m_cgx_device_combobox = false;
    bool m_help_button = false;
    bool m_entered_from_ged = false;
    bool m_entered_from_protocol_planner = false;
    bool m_simlib_gen_check_box = false;
    bool m_simlib_std_msg = false;
    CString m_wizard_title;
    CString m_wizard_subtitle;
    bool m_nav_panel = false;
    bool m_custom_laf = false;
    bool m_has_position = false;
    int m_screen_x = 0;
    int m_screen_y = 0;
    bool m_send_msg_to_wizman = false;
};
