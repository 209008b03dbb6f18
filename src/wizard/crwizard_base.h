// CRWIZARD_BASE: the wizard's command-line record and the state every part of
// the wizard shares: the design file's names, the device family, the
// decorators, the page-group table and the closing state.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "platform/cstring.h"
#include "platform/types.h"
#include "toolkit/bwizc_menu.h"
#include "toolkit/crdecorator_wizard.h"
#include "support/bwizc_device_family.h"
#include "wizard/crwizard_command_line_info.h"

class CRSYMBOL;
class CRSYMBOL_OUTLINE;
class CRSTD_BUTTONS_PANEL_DECORATOR;
class CRNAVIGATION_PANEL_DECORATOR;
class CRCGX_DEVICE_COMBOBOX_DECORATOR;
class CRWIZARD_PAGE_BASE;
class CRUI_LOOK_AND_FEEL;

// The thread message that tells the calling program about a page transition.
inline constexpr std::uint32_t CRWIZARD_WIZMAN_MESSAGE = 1034;

class CRWIZARD_BASE : public CRDECORATOR_WIZARD {
public:
    CRWIZARD_BASE();
    CRWIZARD_BASE(const CRWIZARD_BASE&) = delete;
    CRWIZARD_BASE& operator=(const CRWIZARD_BASE&) = delete;
    ~CRWIZARD_BASE() override;

    // The command-line record; a new one replaces (and deletes) the old.
    virtual void set_cmdline_manager(CRWIZARD_COMMAND_LINE_INFO* info);
    virtual CRWIZARD_COMMAND_LINE_INFO* get_cmdline_manager() { return m_cmdline.get(); }

    virtual std::uint32_t get_calling_thread_id() { return m_cmdline->get_calling_thread_id(); }
    virtual CString get_wizard_ID() { return m_cmdline->get_wizard_id(); }
    virtual CString get_cmdline_device_family() { return m_cmdline->get_device_family_name(); }
    CString get_wizard_title() override { return m_cmdline->get_wizard_title(); }
    CString get_wizard_subtitle() override { return m_cmdline->get_wizard_subtitle(); }
    virtual CString get_cmdline_wizard_name() { return m_cmdline->get_wizard_id(); }
    virtual CString get_variation_file_full_path() { return m_cmdline->get_design_file_full_path(); }
    virtual CString get_alternate_caption_text() { return m_cmdline->get_alternate_caption_text(); }
    virtual CString get_brixfunction_name() { return m_cmdline->get_brixfunction_name(); }
    virtual int get_start_page_offset() { return m_cmdline->get_start_page_offset(); }
    virtual bool is_silent_mode() { return m_cmdline->is_silent_mode(); }
    virtual bool is_map_file_gen_mode() { return m_cmdline->is_map_file_gen_mode(); }
    virtual bool is_new_variation_mode() { return m_cmdline->is_new_variation_mode(); }
    virtual bool is_capable_of_symbol_generation() { return m_cmdline->is_capable_of_symbol_generation(); }
    virtual bool is_send_msg_to_wizman_enabled() { return m_cmdline->is_send_msg_to_wizman_enabled(); }
    virtual bool is_cgx_generated() { return m_cmdline->is_cgx_generated(); }
    virtual bool is_cmd_line_flow() { return m_cmdline->is_cmd_line_flow(); }
    virtual bool has_cgx_device_combobox() { return m_cmdline->has_cgx_device_combobox(); }
    bool has_help_button() override { return m_cmdline->has_help_button(); }
    virtual bool is_entered_from_ged() { return m_cmdline->is_entered_from_ged(); }
    virtual bool is_entered_from_protocol_planner() { return m_cmdline->is_entered_from_protocol_planner(); }
    virtual bool has_simlib_gen_check_box() { return m_cmdline->has_simlib_gen_check_box(); }
    virtual bool has_simlib_std_msg() { return m_cmdline->has_simlib_std_msg(); }
    bool has_nav_panel() override { return m_cmdline->has_nav_panel(); }
    virtual bool has_custom_laf() { return m_cmdline->has_custom_laf(); }

    // Decorators: built once per run, owned by the wizard.
    virtual void build_decorators();
    virtual CRCGX_DEVICE_COMBOBOX_DECORATOR* get_cgx_combobox_decorator() { return m_cgx_combobox_decorator; }
    virtual CRNAVIGATION_PANEL_DECORATOR* get_navigation_panel_decorator() { return m_nav_panel_decorator; }
    virtual CRSTD_BUTTONS_PANEL_DECORATOR* get_std_buttons_panel_decorator() { return m_std_buttons_decorator; }
    // The symbol preview at the left of every page.
    virtual CRSYMBOL* get_symbol_decorator() { return m_symbol_decorator; }
    // The preview's symbol outline: what the wizard draws its symbol into
    // and what the CNX file's symbol block is written from. Null before the
    // decorators exist.
    virtual CRSYMBOL_OUTLINE* get_symbol_outline();
    // Draws the current symbol into the (cleared) outline.
    virtual void fill_symbol_outline(CRSYMBOL_OUTLINE* /*outline*/) {}
    // Attaches the decorators to a page as its border panels.
    virtual void add_page_decorations(CRWIZARD_PAGE_BASE* page);
    virtual void Invalidate() {}
    // Presses Next on a page the way its button bar does (silent runs).
    virtual void simulate_next_button_press(CRWIZARD_PAGE_BASE* page);

    virtual void set_page_group_entry(const CString& id, const CString& label) { m_page_groups[id] = label; }
    CString get_page_group_entry(const CString& group_id) override;
    virtual int get_logo_bitmap_resource_id() { return 0; }

    // The design file's parts, filled by initialize_wizard.
    virtual CString get_variation_file_name() { return m_variation_file_name; }
    virtual CString get_variation_file_title() { return m_variation_file_title; }
    virtual CString get_variation_file_ext() { return m_variation_file_ext; }
    virtual CString get_variation_file_path() { return m_variation_file_path; }
    // Splits the design file full path into the parts above.
    void set_variation_file_parts(const CString& full_path);
    // ".tdf", ".vhd" or ".v" in any case.
    virtual bool is_design_file_extension_valid(const CString& ext);
    virtual CString get_cnx_file_ext() { return ".cnx"; }
    virtual CString get_cnx_file_full_path();
    virtual void set_wizard_name(const CString& name) { m_wizard_name = name; }
    virtual CString get_wizard_name() { return m_wizard_name; }

    // Registers the wizard's help-menu items; nothing by default.
    virtual void on_wizard_help() {}
    // The wizard's own help-menu items, as on_wizard_help registered them.
    BWIZC_MENU& get_help_menu() { return m_help_menu; }

    int get_cur_page_positional_order() override = 0;
    // The largest page frame so far, this page's current size included.
    virtual CSize get_max_last_dlg_size(const CSize& current) { return current; }
    virtual int get_last_std_pages_count() { return m_last_std_pages_count; }
    virtual CPoint get_wizard_page_BR_point() { return m_page_br_point; }
    virtual void set_wizard_page_BR_point(const CPoint& point) { m_page_br_point = point; }
    virtual void set_wizard_page_has_moved(bool moved) { m_page_has_moved = moved; }
    virtual bool has_wizard_page_moved() { return m_page_has_moved; }
    virtual void set_need_first_page_centering(bool need) { m_first_page_needs_centering = need; }
    virtual bool needs_first_page_centering() { return m_first_page_needs_centering; }
    // Installs the flat look and feel when the command line asked for it.
    virtual void initialize_custom_laf();

    // The current device family. `remember_previous` keeps the family being
    // replaced as the previous one.
    virtual void set_cgx_device_family_obj(const BWIZC_RDEVICE_FAMILY* family, bool remember_previous);
    virtual const BWIZC_RDEVICE_FAMILY* get_cgx_device_family_obj() { return m_device_family; }
    virtual const BWIZC_RDEVICE_FAMILY* get_prev_cgx_device_family() { return m_prev_device_family; }
    virtual CString get_cgx_device_family();
    // By name; an unknown name leaves the family unchanged (false).
    virtual bool set_cgx_device_family(const CString& name);

    // Posts the transition message to the calling program when "-h" asked
    // for it: wParam and lParam are the lower-right corner of the page.
    virtual void send_message_to_wizman();
    virtual bool can_create_simulation_library_files() { return true; }
    // Resource estimates shown on the pages (off until a wizard enables them).
    virtual void enable_resource_info_update(bool enable) { m_resource_info_update_enabled = enable; }
    virtual bool is_resource_info_update_enabled() { return m_resource_info_update_enabled; }
    // The generator library the resource-estimate worker loads; otherwise the
    // one the generator list names for the wizard.
    virtual void set_resource_info_dll_path(const CString& path);
    virtual void on_summary_page_initialized() {}

    virtual int get_wizard_closing_state() { return m_closing_state; }
    void set_wizard_closing_state(int state) { m_closing_state = state; }
    // The closing state with Back-on-the-first-page (-1) reported as 3.
    virtual int get_wizard_exit_state();

protected:
    void increment_last_std_pages_count() { ++m_last_std_pages_count; }
    void delete_decorators();

    CRSYMBOL* m_symbol_decorator = nullptr;
    CRNAVIGATION_PANEL_DECORATOR* m_nav_panel_decorator = nullptr;
    CRSTD_BUTTONS_PANEL_DECORATOR* m_std_buttons_decorator = nullptr;
    CRCGX_DEVICE_COMBOBOX_DECORATOR* m_cgx_combobox_decorator = nullptr;
    CString m_wizard_name;
    CString m_variation_file_name;
    CString m_variation_file_title;
    CString m_variation_file_ext;
    CString m_variation_file_path;
    bool m_page_has_moved = false;
    bool m_first_page_needs_centering = true;
    CPoint m_page_br_point;
    int m_last_std_pages_count = 0;
    const BWIZC_RDEVICE_FAMILY* m_device_family = CGX_DEFAULT_DEVICE_FAMILY;
    const BWIZC_RDEVICE_FAMILY* m_prev_device_family = nullptr;
    std::unique_ptr<CRWIZARD_COMMAND_LINE_INFO> m_cmdline;
    std::map<CString, CString> m_page_groups;
    int m_closing_state = 1;
    bool m_resource_info_update_enabled = false;
    BWIZC_MENU m_help_menu;
    CRUI_LOOK_AND_FEEL* m_installed_laf = nullptr;
};
