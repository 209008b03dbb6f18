// The simulation-library page: the libraries a simulation of the variation
// needs, each with a description, and optionally a check box that asks the
// plug-in manager to generate simulation-library files.
#pragma once

#include <vector>

#include "platform/controls.h"
#include "wizard/crwizard_page.h"

inline constexpr UINT CRSIMLIB_PAGE_TEMPLATE_ID = 1002;
// The private record that holds the check box's state ("1" or "0").
inline constexpr char BWIZC_GEN_SIMLIB_GEN_FILES_PARAM_NAME[] = "KV_SIMLIB_GEN";

class CRSIMLIB_PAGE_BASE {
public:
    struct CRSIMLIB_PAGE_ENTRY {
        CString file_name;
        CString description;
        bool flag_a = false;
        bool flag_b = true;
    };

    virtual ~CRSIMLIB_PAGE_BASE() = default;

    // The description of one library name.
    CString get_simulation_library_file_desc(const CString& name);
    // Rebuilds the rows from the worker's library text (names separated by ";").
    void update_simlib_list_entries(const CString& simlib_text);
    const std::vector<CRSIMLIB_PAGE_ENTRY>& get_entries() const { return m_entries; }

protected:
    // The current device family's name.
    virtual CString get_simlib_device_family() = 0;
    virtual void refresh_simlib_list_control() {}

    std::vector<CRSIMLIB_PAGE_ENTRY> m_entries;
    bool m_generate_files = false;
};

class CRSIMLIB_PAGE : public CRWIZARD_PAGE, public CRSIMLIB_PAGE_BASE {
public:
    CRSIMLIB_PAGE();

    void on_init_dialog() override;
    void on_page_packed() override;
    void wizard_var_to_param() override;
    void param_to_wizard_var() override;
    void on_event_update(UINT message, CRABSTRACT_EVENT* event) override;
    BOOL OnCommand(WPARAM wparam, LPARAM lparam) override;

    bool is_generate_files_checked() const { return m_generate_files; }
    void update_simlib_list_entries() { CRSIMLIB_PAGE_BASE::update_simlib_list_entries(current_simlib_text()); }
    // The text shown instead of the list for a block without simulation models.
    CString get_std_message();

protected:
    CString get_simlib_device_family() override { return get_cgx_device_family(); }
    void refresh_simlib_list_control() override;
    static CString current_simlib_text();

private:
    void show_controls();

    CListCtrl m_list;
};
