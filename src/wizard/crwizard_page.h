// CRWIZARD_PAGE: a wizard page bound to the CNX description: value controls
// exchanged with PRIVATE records, the variable/parameter hooks, the
// navigation handlers and the page start.
#pragma once

#include "cnx/crcnx_manager.h"
#include "support/bwizc_collections.h"
#include "toolkit/bwizc_menu.h"
#include "toolkit/crvalue_notifier.h"
#include "wizard/crwizard_page_base.h"

class CRWIZARD;
class CRPAGE_MANAGER;

// Page exit codes.
enum CRWIZARD_PAGE_EXIT_CODE {
    CRWIZARD_PAGE_EXIT_BACK = -1,
    CRWIZARD_PAGE_EXIT_FINISH = 0,
    CRWIZARD_PAGE_EXIT_NEXT = 1,
    CRWIZARD_PAGE_EXIT_CANCEL = 2,
    CRWIZARD_PAGE_EXIT_NOTHING = 4,
};

class CRWIZARD_PAGE : public CRWIZARD_PAGE_BASE {
public:
    explicit CRWIZARD_PAGE(UINT template_id = 0, CWnd* parent = nullptr);
    ~CRWIZARD_PAGE() override;

    // Page start: caption, font, the page's own set-up, value controls,
    // decorations and one update; in silent mode the page then presses Next.
    BOOL OnInitDialog() override;
    // The dialog's own OK and Cancel are Next and Cancel.
    void OnOK() override;
    void OnCancel() override;
    void on_action_performed(CRABSTRACT_EVENT* event) override;

    // ---- navigation
    LRESULT on_wiz_page_finish(WPARAM wparam, LPARAM lparam) override;
    LRESULT on_wiz_page_next(WPARAM wparam, LPARAM lparam) override;
    LRESULT on_wiz_page_prev(WPARAM wparam, LPARAM lparam) override;
    LRESULT on_wiz_page_cancel(WPARAM wparam, LPARAM lparam) override;
    virtual LRESULT on_wiz_page_return_with_do_nothing(WPARAM wparam, LPARAM lparam);
    LRESULT on_wiz_page_help_button_pressed(WPARAM wparam, LPARAM lparam) override;
    LRESULT on_wiz_page_about_button_pressed(WPARAM wparam, LPARAM lparam) override;
    // A device-query block asked for from this page has its answers: the
    // wizard files them.
    LRESULT on_tcl_shell_thread_terminated(WPARAM wparam, LPARAM lparam) override;
    // Entries the page adds to the help menu.
    virtual void on_wiz_page_help(BWIZC_MENU* /*menu*/) {}
    int get_page_order() override;

    int get_exit_code() const { return m_exit_code; }
    void set_exit_code(int code) { m_exit_code = code; }
    UINT get_dialog_template_id() const { return m_template_id; }
    virtual CString get_page_caption() { return m_page_caption; }
    virtual int get_last_std_pages_count();

    // Builds a resource-estimate request from the current parameters and
    // ports and hands it to the worker.
    void update_resource_info(bool estimate, bool flag) override;

    // ---- control events
    // A change of one of the page's controls.
    virtual void on_event_update(UINT /*message*/, CRABSTRACT_EVENT* /*event*/) {}

    // ---- variables and parameters
    virtual void set_control_settings() {}
    virtual void set_control_defaults() {}
    virtual void param_to_wizard_var() {}
    virtual void wizard_var_to_param() {}
    virtual void on_post_cnx_file_read_update() {}
    virtual void do_param_port_to_private_translation() {}
    virtual void do_page_specific_param_port_to_private_translation() { do_param_port_to_private_translation(); }
    virtual CString get_map_file_entries() { return CString(); }
    virtual CString get_page_specific_map_file_entries() { return get_map_file_entries(); }
    // One line of the map file each; an empty expression takes the default
    // (the name, int(name), used_port(name), "true").
    virtual CString get_map_file_string_param_entry(const CString& name, const CString& expr = CString());
    virtual CString get_map_file_string_private_entry(const CString& name, const CString& expr = CString());
    virtual CString get_map_file_numeric_param_entry(const CString& name, const CString& expr = CString());
    virtual CString get_map_file_port_used_entry(const CString& name, const CString& expr = CString());
    virtual CString get_map_file_port_rule_entry(const CString& name, const CString& port = CString(),
                                                 const CString& expr = CString());
    virtual bool has_read_cnx_file();
    virtual void on_update_symbol() {}

    // ---- value controls bound to PRIVATE records
    // 0 store controls into records, 1 load records into controls, 2 apply
    // the held values to the windows.
    virtual void do_ddx_exchange(int mode);
    // The value a record gives a control may be changed here first.
    virtual CString pre_ddx_value(const CString& /*id*/, const CString& /*default_value*/, const CString& value) {
        return value;
    }
    // The control's CNX id becomes get_indexed_cnx_private_id(cnx_id, -1);
    // an empty id keeps it out of the CNX.
    virtual void add_and_register_control(CRVALUE_NOTIFIER* control, const CString& cnx_id);
    virtual CString get_indexed_cnx_private_id(const CString& name, int index) {
        (void)index;
        return name;
    }
    const BWIZC_ARRAY<CRVALUE_NOTIFIER*>& get_value_controls() const { return m_value_controls; }

    // ---- references set when the page is added
    void set_wizard_ref(CRWIZARD* wizard);
    CRWIZARD* get_wizard_ref() { return m_wizard; }
    void set_cnx_manager_ref(CRCNX_MANAGER* manager) { m_cnx_manager = manager; }
    CRCNX_MANAGER* get_cnx_manager_ref() { return m_cnx_manager; }
    void set_page_manager_ref(CRPAGE_MANAGER* manager) { m_page_manager = manager; }
    CRPAGE_MANAGER* get_page_manager_ref() { return m_page_manager; }

    // ---- the summary page's file list, through the wizard
    void add_summary_page_file_list_entry(const CString& file, const CString& description, bool checked,
                                          bool changeable);
    void delete_summary_page_file_list_entry(const CString& file);
    void delete_all_summary_page_file_list_entries();
    bool is_in_summary_page_file_list_entry(const CString& file);
    bool is_summary_page_file_entry_checked(const CString& file);
    bool is_summary_page_file_entry_enabled(const CString& file);
    void set_summary_page_file_entry_checked(const CString& file, bool checked);
    void set_summary_page_file_entry_enabled(const CString& file, bool enabled);

    // Port type and default value texts by number.
    static CString get_port_type(int n);
    static CString get_port_value(int n);

protected:
    // Leaves the page with `code`: validation, corner, message, close.
    LRESULT leave_page(int code);

    CFont m_page_font;
    UINT m_template_id = 0;
    int m_exit_code = CRWIZARD_PAGE_EXIT_NEXT;
    CString m_page_caption;
    CRWIZARD* m_wizard = nullptr;
    CRCNX_MANAGER* m_cnx_manager = nullptr;
    CRPAGE_MANAGER* m_page_manager = nullptr;
    BWIZC_ARRAY<CRVALUE_NOTIFIER*> m_value_controls;
};

// A page that exists in several numbered copies; its controls' CNX ids carry
// the copy's number.
class CRWIZARD_INDEXED_PAGE : public CRWIZARD_PAGE {
public:
    explicit CRWIZARD_INDEXED_PAGE(UINT template_id = 0, int page_index = -1, CWnd* parent = nullptr)
        : CRWIZARD_PAGE(template_id, parent), m_page_index(page_index) {}
    int get_page_index() const { return m_page_index; }
    void set_page_index(int index) { m_page_index = index; }
    // name + index when index > -1, else name + the page index when it is
    // set, else name.
    CString get_indexed_cnx_private_id(const CString& name, int index) override;

private:
    int m_page_index = -1;
};
