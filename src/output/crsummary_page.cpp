#include "output/crsummary_page.h"

#include <algorithm>

#include "platform/dialog.h"
#include "platform/text_metrics.h"
#include "wizard/bwizc_lang_info.h"
#include "wizard/crwizard.h"

const char* const CRSUMMARY_PAGE_BASE::TEXT_ABOVE_LIST =
    "When the 'Finish' button is pressed, the Blockwright Plug-In Manager will create the checked files in the "
    "following list. You may choose to include or exclude a file by checking or unchecking its corresponding "
    "checkbox, respectively. The state of checkboxes will be remembered for the next Blockwright Plug-In Manager "
    "session.";
const char* const CRSUMMARY_PAGE_BASE::TEXT_BELOW_LIST_PREFIX =
    "The Blockwright Plug-In Manager will create these files in the directory ";

namespace {
constexpr UINT IDC_SUMMARY_TEXT_ABOVE = 1101;
constexpr UINT IDC_SUMMARY_LIST = 1102;
constexpr UINT IDC_SUMMARY_TEXT_BELOW = 1103;
// Width of the check-box picture at the left of a row.
constexpr int CHECK_BOX_CELL_WIDTH = 16;

void register_summary_template() {
    if (bwizc_find_dialog_template(CRSUMMARY_PAGE_TEMPLATE_ID)) return;
    BWIZC_DIALOG_TEMPLATE tmpl;
    tmpl.id = CRSUMMARY_PAGE_TEMPLATE_ID;
    tmpl.caption = "Summary";
    tmpl.cx = 300;
    tmpl.cy = 220;
    tmpl.items.push_back(BWIZC_DIALOG_ITEM::ltext(IDC_SUMMARY_TEXT_ABOVE, CRSUMMARY_PAGE_BASE::TEXT_ABOVE_LIST, 7, 7, 286, 40));
    tmpl.items.push_back(BWIZC_DIALOG_ITEM::list_ctrl(IDC_SUMMARY_LIST, 7, 50, 286, 130,
                                                      LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | WS_TABSTOP));
    tmpl.items.push_back(BWIZC_DIALOG_ITEM::ltext(IDC_SUMMARY_TEXT_BELOW, "", 7, 185, 286, 28));
    bwizc_register_dialog_template(tmpl);
}

bool same_ext(const CString& ext, const char* design_ext) { return ext.CompareNoCase(design_ext) == 0; }
}  // namespace

// ----------------------------------------------------------------- rows

CRSUMMARY_PAGE_BASE::~CRSUMMARY_PAGE_BASE() {
    for (CRSUMMARY_PAGE_ENTRY* entry : m_entries) delete entry;
}

CRSUMMARY_PAGE_BASE::CRSUMMARY_PAGE_ENTRY* CRSUMMARY_PAGE_BASE::add_file_list_entry(
    const CString& file, const CString& description, bool checked, bool changeable, bool group, bool group_mark,
    bool recorded, bool update_checked) {
    if (CRSUMMARY_PAGE_ENTRY* entry = get_file_list_entry(file)) {
        entry->description = description;
        entry->changeable = changeable;
        entry->group = group;
        entry->group_mark = group_mark;
        if (update_checked) entry->checked = checked;
        return entry;
    }
    auto* entry = new CRSUMMARY_PAGE_ENTRY{file, description, checked, changeable, group, group_mark, recorded};
    m_entries.add(entry);
    return entry;
}

bool CRSUMMARY_PAGE_BASE::delete_file_list_entry(int index) {
    if (index < 0 || index >= m_entries.get_size()) return false;
    delete m_entries.get_at(index);
    m_entries.remove_at(index);
    return true;
}

bool CRSUMMARY_PAGE_BASE::delete_file_list_entry(const CString& file) {
    for (int i = 0; i < m_entries.get_size(); ++i) {
        if (m_entries.get_at(i)->file_name == file) return delete_file_list_entry(i);
    }
    return false;
}

void CRSUMMARY_PAGE_BASE::delete_all_file_list_entries(bool refresh_list) {
    for (CRSUMMARY_PAGE_ENTRY* entry : m_entries) delete entry;
    m_entries.remove_all();
    if (refresh_list) refresh_list_control();
}

CRSUMMARY_PAGE_BASE::CRSUMMARY_PAGE_ENTRY* CRSUMMARY_PAGE_BASE::get_file_list_entry(const CString& file) {
    for (CRSUMMARY_PAGE_ENTRY* entry : m_entries) {
        if (entry->file_name == file) return entry;
    }
    return nullptr;
}

CRSUMMARY_PAGE_BASE::CRSUMMARY_PAGE_ENTRY* CRSUMMARY_PAGE_BASE::get_file_list_entry(int index) {
    return index >= 0 && index < m_entries.get_size() ? m_entries.get_at(index) : nullptr;
}

int CRSUMMARY_PAGE_BASE::check_gen_file_against_template(const CString& file) {
    CRCNX_MANAGER* cnx = get_summary_cnx();
    CRWIZARD* wizard = get_summary_wizard();
    if (!cnx) return 2;
    const CString title = wizard ? wizard->get_variation_file_title() : CString();
    for (CRCNX_ITEM_GEN_FILE* record : cnx->get_gen_file_list()) {
        CString name = record->get_file_name();
        name.Replace("*", title);
        if (name == file) return record->is_checked() ? 0 : 1;
    }
    return 2;
}

void CRSUMMARY_PAGE_BASE::rebuild_file_list() {
    delete_all_file_list_entries(false);
    CRWIZARD* wizard = get_summary_wizard();
    if (!wizard) return;
    const CString p = wizard->get_variation_file_title();
    const CString e = wizard->get_variation_file_ext();

    add_file_list_entry(p + e, "Variation file", true, false, false, true, true, true);
    if (wizard->is_entered_from_protocol_planner()) {
        add_file_list_entry(p + ".ppf", "Padmap ports PPF file", true, false, false, true, true, true);
    }
    if (wizard->is_cgx_generated() && same_ext(e, BWIZC_LANG_INFO::bwizc_ahdl_rec.design_file_ext)) {
        add_file_list_entry(p + "_*" + e, "Crystalgen generated files", true, false, true, true, true, true);
    }

    // A declaration file of the variation's own language defaults to checked.
    const struct {
        const BWIZC_LANG_INFO::LANG_REC& lang;
        const char* description;
    } declarations[] = {
        {BWIZC_LANG_INFO::bwizc_ahdl_rec, "AHDL Include file"},
        {BWIZC_LANG_INFO::bwizc_vhdl_rec, "VHDL Component declaration file"},
    };
    for (const auto& decl : declarations) {
        const CString file = p + decl.lang.include_file_ext;
        const int state = check_gen_file_against_template(file);
        const bool checked = (state == 2 && same_ext(e, decl.lang.design_file_ext)) || state == 0;
        add_file_list_entry(file, decl.description, checked, true, false, true, true, true);
    }

    const CString symbol = p + ".bsf";
    const bool symbol_checked = check_gen_file_against_template(symbol) == 0;
    if (wizard->is_entered_from_ged()) {
        add_file_list_entry(symbol, "Zephrin symbol file", true, false, false, false, false, true);
    } else {
        add_file_list_entry(symbol, "Zephrin symbol file", symbol_checked, true, false, false, true, true);
    }

    const CString inst = p + "_inst" + e;
    add_file_list_entry(inst, "Instantiation template file", check_gen_file_against_template(inst) == 0, true, false,
                        true, true, true);

    if (same_ext(e, BWIZC_LANG_INFO::bwizc_verilog_rec.design_file_ext)) {
        const CString bb = p + "_bb" + e;
        add_file_list_entry(bb, "Verilog 'Black Box' declaration file", check_gen_file_against_template(bb) != 1, true,
                            false, true, true, true);
    }
    refresh_list_control();
}

void CRSUMMARY_PAGE_BASE::add_entries_of_type(const char* type) {
    CRCNX_MANAGER* cnx = get_summary_cnx();
    if (!cnx) return;
    for (CRCNX_ITEM_GEN_FILE* record : cnx->get_gen_file_list()) {
        if (record->get_type() != type) continue;
        add_file_list_entry(record->get_file_name(), "", record->is_checked(), true, false, true, true, true);
    }
}

void CRSUMMARY_PAGE_BASE::add_file_list_entry_from_normal_cnx_entries() {
    add_entries_of_type(BWIZC_CNX_GEN_FILE_NORMAL_TYPE_IDENT);
}

void CRSUMMARY_PAGE_BASE::add_file_list_entry_from_explicit_cnx_entries() {
    add_entries_of_type(BWIZC_CNX_GEN_FILE_EXPLICIT_TYPE_IDENT);
}

int CRSUMMARY_PAGE_BASE::get_entry_image(const CRSUMMARY_PAGE_ENTRY& entry) {
    if (entry.group) return entry.group_mark ? 4 : 3;
    if (!entry.checked) return 0;
    return entry.changeable ? 1 : 2;
}

bool CRSUMMARY_PAGE_BASE::toggle_entry(int index) {
    CRSUMMARY_PAGE_ENTRY* entry = get_file_list_entry(index);
    if (!entry || !entry->changeable) return false;
    entry->checked = !entry->checked;
    m_repaint_guard = false;
    refresh_list_control();
    m_repaint_guard = true;
    return true;
}

void CRSUMMARY_PAGE_BASE::record_gen_files(CRCNX_MANAGER& cnx) {
    cnx.get_gen_file_list().delete_all();
    for (CRSUMMARY_PAGE_ENTRY* entry : m_entries) {
        CString name = entry->file_name;
        name.TrimRight();
        if (name.IsEmpty()) continue;
        cnx.add_cnx_gen_file(
            new CRCNX_ITEM_GEN_FILE(BWIZC_CNX_GEN_FILE_NORMAL_TYPE_IDENT, entry->file_name, entry->checked, entry->recorded));
    }
}

// ----------------------------------------------------------------- page

CRSUMMARY_PAGE::CRSUMMARY_PAGE() : CRWIZARD_PAGE(CRSUMMARY_PAGE_TEMPLATE_ID) { register_summary_template(); }

CRSUMMARY_PAGE::~CRSUMMARY_PAGE() = default;

void CRSUMMARY_PAGE::on_init_dialog() {
    m_list.SubclassDlgItem(IDC_SUMMARY_LIST, this);
    m_images.Create(16, 16);
    for (BWIZC_IMAGE image : {BWIZC_IMAGE_CHECK_OFF, BWIZC_IMAGE_CHECK_ON, BWIZC_IMAGE_CHECK_ON_DISABLED,
                              BWIZC_IMAGE_GROUP, BWIZC_IMAGE_GROUP_MARKED}) {
        m_images.Add(image);
    }
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    m_list.InsertColumn(0, "File");
    m_list.InsertColumn(1, "Description");
    CRWIZARD* wizard = get_wizard_ref();
    SetDlgItemText(IDC_SUMMARY_TEXT_ABOVE, TEXT_ABOVE_LIST);
    SetDlgItemText(IDC_SUMMARY_TEXT_BELOW,
                   CString(TEXT_BELOW_LIST_PREFIX) + (wizard ? wizard->get_variation_file_path() : CString()));
    rebuild_file_list();
    m_repaint_guard = true;
}

void CRSUMMARY_PAGE::on_page_packed() { refresh_list_control(); }

void CRSUMMARY_PAGE::refresh_list_control() {
    if (!m_list.IsWindow()) return;
    m_list.DeleteAllItems();
    int file_width = 0;
    int description_width = 0;
    const LOGFONT font = m_list.get_effective_font();
    for (int i = 0; i < get_file_list_count(); ++i) {
        const CRSUMMARY_PAGE_ENTRY* entry = get_file_list_entry(i);
        m_list.InsertItem(i, entry->file_name, get_entry_image(*entry));
        m_list.SetItemText(i, 1, entry->description);
        // The widest texts in the list's font; the file column also holds the picture.
        file_width = std::max(file_width, bwizc_text_extent(font, entry->file_name).cx + CHECK_BOX_CELL_WIDTH + 12);
        description_width = std::max(description_width, bwizc_text_extent(font, entry->description).cx + 12);
    }
    m_list.SetColumnWidth(0, std::max(file_width, 60));
    m_list.SetColumnWidth(1, std::max(description_width, 80));
}

BOOL CRSUMMARY_PAGE::OnNotify(WPARAM wparam, LPARAM lparam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lparam);
    if (header && header->idFrom == IDC_SUMMARY_LIST && header->code == NM_CLICK) {
        const NMLISTVIEW* click = reinterpret_cast<const NMLISTVIEW*>(lparam);
        CRect row;
        int x = click->ptActionX;
        if (m_list.GetItemRect(click->iItem, &row)) x -= row.left;
        if (click->iSubItem == 0) on_listbox_entry_item_changing(click->iItem, x);
        if (result) *result = 0;
        return TRUE;
    }
    return CRWIZARD_PAGE::OnNotify(wparam, lparam, result);
}

void CRSUMMARY_PAGE::on_listbox_entry_item_changing(int item, int x_in_row) {
    if (x_in_row < 0 || x_in_row >= CHECK_BOX_CELL_WIDTH) return;
    toggle_entry(item);
}

void CRSUMMARY_PAGE::wizard_var_to_param() {
    if (CRCNX_MANAGER* cnx = get_cnx_manager_ref()) record_gen_files(*cnx);
}

void CRSUMMARY_PAGE::add_summary_file(const CString& file, const CString& description, bool checked, bool changeable,
                                      bool update_checked) {
    add_file_list_entry(file, description, checked, changeable, false, true, true, update_checked);
    refresh_list_control();
}

bool CRSUMMARY_PAGE::is_summary_file_checked(const CString& file) {
    const CRSUMMARY_PAGE_ENTRY* entry = get_file_list_entry(file);
    return entry && entry->checked;
}

bool CRSUMMARY_PAGE::is_summary_file_changeable(const CString& file) {
    const CRSUMMARY_PAGE_ENTRY* entry = get_file_list_entry(file);
    return entry && entry->changeable;
}

void CRSUMMARY_PAGE::set_summary_file_checked(const CString& file, bool checked) {
    if (CRSUMMARY_PAGE_ENTRY* entry = get_file_list_entry(file)) entry->checked = checked;
    refresh_list_control();
}

void CRSUMMARY_PAGE::set_summary_file_changeable(const CString& file, bool changeable) {
    if (CRSUMMARY_PAGE_ENTRY* entry = get_file_list_entry(file)) entry->changeable = changeable;
    refresh_list_control();
}
