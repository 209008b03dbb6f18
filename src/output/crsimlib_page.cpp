#include "output/crsimlib_page.h"

#include <algorithm>

#include "platform/dialog.h"
#include "platform/text_metrics.h"
#include "services/mfam.h"
#include "wizard/bwizc_resource_info.h"
#include "wizard/crwizard.h"

namespace {
constexpr UINT IDC_SIMLIB_MESSAGE = 1201;
constexpr UINT IDC_SIMLIB_LIST_LABEL = 1202;
constexpr UINT IDC_SIMLIB_LIST = 1203;
constexpr UINT IDC_SIMLIB_GEN_CHECK = 1204;
constexpr UINT IDC_SIMLIB_GEN_TEXT_1 = 1205;
constexpr UINT IDC_SIMLIB_GEN_TEXT_2 = 1206;

void register_simlib_template() {
    if (bwizc_find_dialog_template(CRSIMLIB_PAGE_TEMPLATE_ID)) return;
    BWIZC_DIALOG_TEMPLATE tmpl;
    tmpl.id = CRSIMLIB_PAGE_TEMPLATE_ID;
    tmpl.caption = "Simulation Library";
    tmpl.cx = 300;
    tmpl.cy = 220;
    tmpl.items.push_back(BWIZC_DIALOG_ITEM::ltext(IDC_SIMLIB_MESSAGE, "", 7, 7, 286, 30));
    tmpl.items.push_back(BWIZC_DIALOG_ITEM::ltext(IDC_SIMLIB_LIST_LABEL, "Simulation libraries:", 7, 40, 286, 10));
    tmpl.items.push_back(BWIZC_DIALOG_ITEM::list_ctrl(IDC_SIMLIB_LIST, 7, 52, 286, 110));
    tmpl.items.push_back(BWIZC_DIALOG_ITEM::check_box(IDC_SIMLIB_GEN_CHECK, "Generate simulation library files", 7, 168,
                                                      286, 10));
    tmpl.items.push_back(BWIZC_DIALOG_ITEM::ltext(
        IDC_SIMLIB_GEN_TEXT_1, "The Blockwright Plug-In Manager creates the files of the listed libraries", 17, 182,
        276, 10));
    tmpl.items.push_back(
        BWIZC_DIALOG_ITEM::ltext(IDC_SIMLIB_GEN_TEXT_2, "in the directory of the variation.", 17, 194, 276, 10));
    bwizc_register_dialog_template(tmpl);
}
}  // namespace

CString CRSIMLIB_PAGE_BASE::get_simulation_library_file_desc(const CString& raw_name) {
    CString name = raw_name;
    name.Trim();
    name.MakeLower();
    if (name == "korvel_mf") return "Korvel brixfunction simulation library";
    if (name == "lpm") return "LPM brixfunction simulation library";
    if (name == "xgate") return "Xgate simulation library";
    if (name == "korvel") return "Korvel primitives simulation library";

    const CString family = mfam_get_preferred_user_family_name(get_simlib_device_family());
    const CString atom_library = mfam_get_wysiwyg_library_name(family);
    const int underscore = name.Find('_');
    const CString stem = underscore < 0 ? name : name.Left(underscore);
    if (stem != atom_library) return "Auto-generated simulation library file";
    if (underscore < 0) return family + " atom " + "simulation library";
    CString suffix = name.Mid(underscore + 1);
    suffix.MakeUpper();
    return family + " " + suffix + " " + "simulation library";
}

void CRSIMLIB_PAGE_BASE::update_simlib_list_entries(const CString& simlib_text) {
    m_entries.clear();
    CString rest = simlib_text;
    while (!rest.IsEmpty()) {
        const int separator = rest.Find(';');
        const CString name = separator < 0 ? rest : rest.Left(separator);
        rest = separator < 0 ? CString() : rest.Mid(separator + 1);
        if (name.IsEmpty()) continue;
        CString trimmed = name;
        trimmed.Trim();
        if (trimmed.CompareNoCase("no_simlib") == 0) {
            m_entries.push_back({"---", "No simulation library is needed"});
        } else {
            m_entries.push_back({name, get_simulation_library_file_desc(name)});
        }
    }
    refresh_simlib_list_control();
}

// ----------------------------------------------------------------- page

CRSIMLIB_PAGE::CRSIMLIB_PAGE() : CRWIZARD_PAGE(CRSIMLIB_PAGE_TEMPLATE_ID) { register_simlib_template(); }

CString CRSIMLIB_PAGE::current_simlib_text() { return bwizc_get_simlib_info_string(); }

CString CRSIMLIB_PAGE::get_std_message() {
    CRWIZARD* wizard = get_wizard_ref();
    return "The " + (wizard ? wizard->get_wizard_title() : CString()) +
           " brixfunction does not have any simulation model files and can not be simulated";
}

void CRSIMLIB_PAGE::on_init_dialog() {
    m_list.SubclassDlgItem(IDC_SIMLIB_LIST, this);
    m_list.InsertColumn(0, "File");
    m_list.InsertColumn(1, "Description");
    CheckDlgButton(IDC_SIMLIB_GEN_CHECK, m_generate_files ? BST_CHECKED : BST_UNCHECKED);
    show_controls();
    update_simlib_list_entries();
}

void CRSIMLIB_PAGE::show_controls() {
    CRWIZARD* wizard = get_wizard_ref();
    const bool std_msg = wizard && wizard->has_simlib_std_msg();
    const bool check_box = !std_msg && wizard && wizard->has_simlib_gen_check_box();
    auto show = [this](UINT id, bool visible) {
        if (CWnd* item = GetDlgItem(static_cast<int>(id))) item->ShowWindow(visible ? SW_SHOWNORMAL : SW_HIDE);
    };
    show(IDC_SIMLIB_MESSAGE, std_msg);
    if (std_msg) SetDlgItemText(IDC_SIMLIB_MESSAGE, get_std_message());
    show(IDC_SIMLIB_LIST, !std_msg);
    show(IDC_SIMLIB_LIST_LABEL, !std_msg);
    show(IDC_SIMLIB_GEN_CHECK, check_box);
    show(IDC_SIMLIB_GEN_TEXT_1, check_box);
    show(IDC_SIMLIB_GEN_TEXT_2, check_box);
    const bool list_enabled = !check_box || m_generate_files;
    for (UINT id : {IDC_SIMLIB_LIST, IDC_SIMLIB_LIST_LABEL}) {
        if (CWnd* item = GetDlgItem(static_cast<int>(id))) item->EnableWindow(list_enabled);
    }
}

void CRSIMLIB_PAGE::on_page_packed() { refresh_simlib_list_control(); }

void CRSIMLIB_PAGE::refresh_simlib_list_control() {
    if (!m_list.IsWindow()) return;
    m_list.DeleteAllItems();
    const LOGFONT font = m_list.get_effective_font();
    int file_width = 60;
    int description_width = 80;
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        const CRSIMLIB_PAGE_ENTRY& entry = m_entries[static_cast<size_t>(i)];
        m_list.InsertItem(i, entry.file_name);
        m_list.SetItemText(i, 1, entry.description);
        file_width = std::max(file_width, bwizc_text_extent(font, entry.file_name).cx + 12);
        description_width = std::max(description_width, bwizc_text_extent(font, entry.description).cx + 12);
    }
    m_list.SetColumnWidth(0, file_width);
    m_list.SetColumnWidth(1, description_width);
}

BOOL CRSIMLIB_PAGE::OnCommand(WPARAM wparam, LPARAM lparam) {
    if (LOWORD(wparam) == IDC_SIMLIB_GEN_CHECK && HIWORD(wparam) == BN_CLICKED) {
        on_event_update(WM_COMMAND, nullptr);
        return TRUE;
    }
    return CRWIZARD_PAGE::OnCommand(wparam, lparam);
}

void CRSIMLIB_PAGE::on_event_update(UINT /*message*/, CRABSTRACT_EVENT* /*event*/) {
    m_generate_files = IsDlgButtonChecked(IDC_SIMLIB_GEN_CHECK) == BST_CHECKED;
    show_controls();
}

void CRSIMLIB_PAGE::wizard_var_to_param() {
    CRWIZARD* wizard = get_wizard_ref();
    CRCNX_MANAGER* cnx = get_cnx_manager_ref();
    if (!wizard || !cnx || !wizard->has_simlib_gen_check_box()) return;
    cnx->add_cnx_private(
        new CRCNX_ITEM_PRIVATE(BWIZC_GEN_SIMLIB_GEN_FILES_PARAM_NAME, "STRING", m_generate_files ? "1" : "0"));
}

void CRSIMLIB_PAGE::param_to_wizard_var() {
    CRCNX_MANAGER* cnx = get_cnx_manager_ref();
    const CRCNX_ITEM_PRIVATE* record = cnx ? cnx->find_cnx_private(BWIZC_GEN_SIMLIB_GEN_FILES_PARAM_NAME) : nullptr;
    m_generate_files = record && record->get_value() == "1";
}
