// CRWIZARD: the wizard framework object. It owns the pages (through the page
// manager) and the CNX manager, runs the launch sequence and the page loop,
// and turns Finish and Cancel into the CNX file or its removal.
#pragma once

#include "cnx/crcnx_manager.h"
#include "symbol/crsymbol_port_order.h"
#include "wizard/crpage_manager.h"
#include "wizard/crwizard_base.h"
#include "wizard/crwizard_summary_list.h"

class BWIZC_STANDARD_SYMBOL;
class CRWIZARD_PAGE;

class CRWIZARD : public CRWIZARD_BASE {
public:
    // "Blockwright Plug-In Manager": the first word of every page caption.
    static const char* const BLOCKWRIGHT_MANAGER_TITLE_STRING;

    CRWIZARD();
    ~CRWIZARD() override;

    // ---- the launch sequence
    // Start-up to closing: false when there was nothing to run.
    virtual bool start_wizard();
    // Design-file checks, page set-up, CNX read, map-file mode. False when no
    // page loop must follow.
    virtual bool initialize_wizard();
    // The command-line flow: true when it recorded an error. Nothing happens
    // unless the "cmd" option was given.
    virtual bool run_cmd_line_flow();
    // The brixfunction port joined to the wizard port through the CONNECT
    // records, without its module-side mark; "" when none is.
    virtual CString get_mf_port_name_from_wiz_port_name(const CString& wiz_port_name);

    // ---- hooks of a concrete wizard
    // Creates and adds the pages; false stops the run.
    virtual bool on_init_wizard() { return true; }
    virtual void on_wizard_initialized() {}
    // Finish: CNX records from the pages, the CNX file written.
    virtual void on_end_wizard();
    // Cancel: records and file list emptied (start_wizard deletes the file).
    virtual void on_cancel_wizard();
    virtual void wizard_var_to_param() {}
    virtual void add_brixfunction_port_names_to_cnx() {}
    // The default symbol: with rebuild_port_usage the port table is asked
    // from the brixfunction database first (get_brixfunction_port_names).
    // A concrete wizard adds its own texts after calling this.
    virtual void generate_symbol(bool rebuild_port_usage);
    // The default symbol from the port table as it stands.
    virtual void create_default_symbol();
    virtual void generate_waveform() {}
    virtual void on_tcl_shell_command_done() {}
    virtual void pre_update_symbol() {}
    // Redraws the symbol preview (and the resource box) from the current state.
    virtual void update_symbol();
    // pre_update_symbol, generate_symbol, then the current page's own part.
    void fill_symbol_outline(CRSYMBOL_OUTLINE* outline) override;
    virtual void prepare_cnx_data();
    // Rebuilds the wizard's own state from what the CNX file said.
    virtual void update_state_from_cnx_info() {}
    virtual bool all_pages_are_valid() { return m_page_manager.all_pages_are_valid(); }

    // ---- the CNX description
    CRCNX_MANAGER& get_cnx_manager() { return m_cnx_manager; }
    // An edited variation keeps the title its CNX file names; the command
    // line's title serves new variations.
    CString get_wizard_title() override { return m_cnx_manager.get_wizard_title(CRWIZARD_BASE::get_wizard_title()); }
    CString get_wizard_subtitle() override {
        return m_cnx_manager.get_wizard_subtitle(CRWIZARD_BASE::get_wizard_subtitle());
    }
    // The host's own texts, as the CNX file gave them ("" when absent).
    virtual CString get_zephrin_version() { return m_cnx_manager.get_zephrin_version(); }
    virtual CString get_zephrin_short_version() { return m_cnx_manager.get_zephrin_short_version(); }
    virtual CString get_zephrin_build_date() { return m_cnx_manager.get_zephrin_build_date(); }
    virtual CString get_korvel_copyright() { return m_cnx_manager.get_korvel_copyright(); }
    CString get_logo_file_pathname() override { return m_cnx_manager.get_logo_file_pathname(); }
    virtual bool has_read_cnx_file() { return m_has_read_cnx_file; }
    // The first module record's name, else the wizard name.
    virtual CString get_module_name();
    virtual int get_gen_file_list_count() { return m_cnx_manager.get_gen_file_list_count(); }
    virtual CString get_gen_file_namepath(int i) { return m_cnx_manager.get_gen_file_namepath(i); }
    virtual CString get_gen_file_type(int i) { return m_cnx_manager.get_gen_file_type(i); }
    virtual bool is_gen_file_checked(int i) { return m_cnx_manager.is_gen_file_checked(i); }
    virtual bool is_gen_file_checked_state_persistent(int i) { return m_cnx_manager.is_gen_file_checked_state_persistent(i); }
    virtual CRCNX_ITEM_GEN_FILE* get_file_in_gen_file_list(int i) { return m_cnx_manager.get_file_in_gen_file_list(i); }
    virtual bool is_supported_device_info_available() { return m_cnx_manager.is_supported_device_info_available(); }
    virtual bool has_support_for_device_family(const CString& family) {
        return m_cnx_manager.has_support_for_device_family(family);
    }
    virtual const CStringArray* get_device_part_info_table(const CString& family) {
        return m_cnx_manager.get_device_part_info_table(family);
    }

    // ---- ports of the symbol
    // Registers where a port goes on the symbol (side 0 left, 1 bottom, 2
    // right); entries of one side keep their order. "space{N}" reserves N
    // grid units.
    virtual void set_port_order(const CString& port_name, int side);
    const CRSYMBOL_PORT_ORDER_LIST& get_port_order() const { return m_port_order; }
    // Rebuilds the port-usage table: every used port of the description that
    // the brixfunction database knows, in the database's order, with its
    // direction and the width its rule gives. A database that cannot be read
    // leaves the table empty.
    virtual void get_brixfunction_port_names();
    const CRSYMBOL_PORT_USAGE_LIST& get_port_usage() const { return m_port_usage; }
    // The standard symbol of the last generate_symbol, owned by the outline.
    BWIZC_STANDARD_SYMBOL* get_current_symbol() const { return m_current_symbol; }

    // ---- pages
    CRPAGE_MANAGER& get_page_manager() { return m_page_manager; }
    virtual CRPAGE_MANAGER* get_wizard_pages_list() { return &m_page_manager; }
    // The page gets the wizard, the CNX manager and the page manager.
    virtual void set_page_info(CRWIZARD_PAGE* page);
    virtual void add_page(CRWIZARD_PAGE* page, bool settings_only = false);
    virtual void add_page_with_label(CRWIZARD_PAGE* page, const CString& id, const CString& label,
                                     bool settings_only = false);
    virtual bool set_page_at(int index, CRWIZARD_PAGE* page, bool settings_only = false);
    virtual bool set_page_at_with_label(int index, CRWIZARD_PAGE* page, const CString& id, const CString& label,
                                        bool settings_only = false);
    virtual bool insert_page_after(int index, CRWIZARD_PAGE* page, bool settings_only = false);
    virtual bool insert_page_after_with_label(int index, CRWIZARD_PAGE* page, const CString& id,
                                              const CString& label, bool settings_only = false);
    virtual bool insert_page_before(int index, CRWIZARD_PAGE* page, bool settings_only = false);
    virtual bool insert_page_before_with_label(int index, CRWIZARD_PAGE* page, const CString& id,
                                               const CString& label, bool settings_only = false);
    virtual bool remove_page_at(int index, bool delete_page = true);
    virtual CRWIZARD_PAGE* get_cur_page() { return m_page_manager.get_cur_page(); }
    virtual CRWIZARD_PAGE* get_page_at(int index) { return m_page_manager.get_page_at(index); }
    virtual int find_first_page(UINT template_id) { return m_page_manager.find_first_page(template_id); }
    virtual int find_last_page(UINT template_id) { return m_page_manager.find_last_page(template_id); }
    virtual int get_page_order(CRWIZARD_PAGE* page) { return m_page_manager.get_page_order(page); }
    virtual bool jump_to_page(int index) { return m_page_manager.jump_to_page(index); }
    bool jump_to_page(const CString& page_id) override;

    // The menu the Documentation button pops up: the wizard's own items, the
    // CNX file's help-menu entries, then what the page adds.
    virtual void build_help_menu(CRWIZARD_PAGE* page, BWIZC_MENU* menu);
    // Pops that menu up at the button (below it with the navigation panel,
    // above it at the bottom bar) and carries out the chosen entry.
    virtual void show_help_menu(CRWIZARD_PAGE* page, CWnd* button);
    // The About box with the host texts the CNX file gave.
    virtual void show_about_box(CWnd* parent);
    virtual int show_wizard() { return m_page_manager.show_wizard(); }
    virtual int sequence_page_list(int start) { return m_page_manager.sequence_pages(start, 0); }
    virtual CRWIZARD_PAGE* get_page_from_page_id(const CString& page_id);
    int get_page_count() override { return m_page_manager.get_count(); }
    virtual int get_cur_page_index() { return m_page_manager.get_cur_page_index(); }
    int get_cur_page_positional_order() override;
    bool is_page_included_in_sequence(int index) override;
    CString get_page_nav_parent_item_id_at(int index) override;
    CString get_page_nav_button_label_at(int index) override;
    CString get_page_id_at(int index) override;
    bool is_cur_page_id(const CString& page_id) override;
    virtual void set_cur_page_default_button_id(UINT id);
    CSize get_max_last_dlg_size(const CSize& current) override { return m_page_manager.get_max_last_dlg_size(current); }
    long send_message_to_cur_page(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;

    // ---- the framework's own last pages
    // Adds the simulation-library page / the summary page at the end.
    virtual void add_simlib_page();
    virtual void add_summary_page();
    // Made once by the application layer; null when there is none.
    virtual CRWIZARD_PAGE* create_simlib_page() { return nullptr; }
    virtual CRWIZARD_PAGE* create_summary_page() { return nullptr; }
    virtual CRWIZARD_PAGE* get_summary_page() { return m_summary_page; }
    virtual CRWIZARD_SUMMARY_LIST* get_summary_list();

protected:
    // The CNX file written on Finish; a file that cannot be created is
    // reported.
    void write_cnx_file();
    // Map-file mode: the map file written beside the design file.
    void write_map_file();

    void clear_port_usage();

    CRSYMBOL_PORT_ORDER_LIST m_port_order;   // entries owned
    CRSYMBOL_PORT_USAGE_LIST m_port_usage;   // entries owned
    BWIZC_STANDARD_SYMBOL* m_current_symbol = nullptr;
    BWIZC_OBJ_LIST<> m_symbol_items{true};
    BWIZC_OBJ_LIST<> m_symbol_info_items{true};
    CRPAGE_MANAGER m_page_manager;
    CRCNX_MANAGER m_cnx_manager;
    CRCNX_SYMBOL_OUTLINE_INTERFACE* m_attached_symbol_outline = nullptr;
    CRWIZARD_PAGE* m_summary_page = nullptr;
    CRWIZARD_PAGE* m_simlib_page = nullptr;
    bool m_has_read_cnx_file = false;
    // start_wizard: a command-line flow that loaded its settings.
    bool m_cmd_line_flow_succeeded = false;
};
