// The summary page: the files the plug-in manager will generate for the
// variation, each with a check box, remembered in GEN_FILE records.
#pragma once

#include "platform/controls.h"
#include "support/bwizc_collections.h"
#include "wizard/crwizard_page.h"
#include "wizard/crwizard_summary_list.h"

// The summary page's dialog template id.
inline constexpr UINT CRSUMMARY_PAGE_TEMPLATE_ID = 1001;

class CRSUMMARY_PAGE_BASE {
public:
    struct CRSUMMARY_PAGE_ENTRY {
        CString file_name;
        CString description;
        bool checked = false;
        bool changeable = false;
        bool group = false;
        bool group_mark = false;
        bool recorded = false;
    };

    static const char* const TEXT_ABOVE_LIST;
    static const char* const TEXT_BELOW_LIST_PREFIX;

    CRSUMMARY_PAGE_BASE() = default;
    CRSUMMARY_PAGE_BASE(const CRSUMMARY_PAGE_BASE&) = delete;
    CRSUMMARY_PAGE_BASE& operator=(const CRSUMMARY_PAGE_BASE&) = delete;
    virtual ~CRSUMMARY_PAGE_BASE();

    // Adds a row, or updates the row of that file: description, changeable,
    // group and group mark always, checked only with update_checked.
    CRSUMMARY_PAGE_ENTRY* add_file_list_entry(const CString& file, const CString& description, bool checked,
                                              bool changeable, bool group, bool group_mark, bool recorded,
                                              bool update_checked);
    bool delete_file_list_entry(int index);
    bool delete_file_list_entry(const CString& file);
    void delete_all_file_list_entries(bool refresh_list = true);
    CRSUMMARY_PAGE_ENTRY* get_file_list_entry(const CString& file);
    CRSUMMARY_PAGE_ENTRY* get_file_list_entry(int index);
    bool is_in_file_list_entry(const CString& file) { return get_file_list_entry(file) != nullptr; }
    int get_file_list_count() const { return m_entries.get_size(); }

    // 2 when no GEN_FILE record names the file ("*" in a record's name
    // standing for the variation's title); 0 when the record says generate,
    // 1 when it says not.
    int check_gen_file_against_template(const CString& file);
    // Rebuilds the rows from the variation and the GEN_FILE records.
    virtual void rebuild_file_list();
    void add_file_list_entry_from_normal_cnx_entries();
    void add_file_list_entry_from_explicit_cnx_entries();

    // The image of a row: 0 unchecked, 1 checked, 2 checked and fixed; a
    // group row 4 with its mark, 3 without.
    static int get_entry_image(const CRSUMMARY_PAGE_ENTRY& entry);
    // A click on the row's check box: flips it when it may change.
    bool toggle_entry(int index);

    // Every row as a GEN_FILE record of type "TYPE_NORMAL" (previous records
    // deleted).
    void record_gen_files(CRCNX_MANAGER& cnx);

protected:
    // What the rows are built from.
    virtual CRWIZARD* get_summary_wizard() = 0;
    virtual CRCNX_MANAGER* get_summary_cnx() = 0;
    // The list control shows the rows again.
    virtual void refresh_list_control() {}

    BWIZC_ARRAY<CRSUMMARY_PAGE_ENTRY*> m_entries;
    bool m_repaint_guard = false;

private:
    void add_entries_of_type(const char* type);
};

class CRSUMMARY_PAGE : public CRWIZARD_PAGE, public CRSUMMARY_PAGE_BASE, public CRWIZARD_SUMMARY_LIST {
public:
    CRSUMMARY_PAGE();
    ~CRSUMMARY_PAGE() override;

    void on_init_dialog() override;
    void on_page_packed() override;
    void on_post_cnx_file_read_update() override { rebuild_file_list(); }
    void wizard_var_to_param() override;
    BOOL OnNotify(WPARAM wparam, LPARAM lparam, LRESULT* result) override;
    // Only a click in a row's check-box cell counts.
    virtual void on_listbox_entry_item_changing(int item, int x_in_row);

    // CRWIZARD_SUMMARY_LIST
    void add_summary_file(const CString& file, const CString& description, bool checked, bool changeable,
                          bool update_checked) override;
    void delete_summary_file(const CString& file) override { delete_file_list_entry(file); }
    void delete_all_summary_files() override { delete_all_file_list_entries(); }
    bool has_summary_file(const CString& file) override { return is_in_file_list_entry(file); }
    bool is_summary_file_checked(const CString& file) override;
    bool is_summary_file_changeable(const CString& file) override;
    void set_summary_file_checked(const CString& file, bool checked) override;
    void set_summary_file_changeable(const CString& file, bool changeable) override;

    CListCtrl& get_list_control() { return m_list; }

protected:
    CRWIZARD* get_summary_wizard() override { return get_wizard_ref(); }
    CRCNX_MANAGER* get_summary_cnx() override { return get_cnx_manager_ref(); }
    void refresh_list_control() override;

private:
    CListCtrl m_list;
    CImageList m_images;
};
