// A dialog template with one item of each kind, shared by the platform and
// the toolkit tests, headless and Qt; and a dialog on it that records every
// notification it receives and keeps the values its controls held when it
// was closed with OK.
#pragma once

#include <vector>

#include "platform/controls.h"
#include "platform/dialog.h"

namespace platform_test {

enum : UINT {
    IDD_TEST = 4100,
    IDC_APPLY = 1001, IDC_FEATURE, IDC_RADIX10, IDC_RADIX16, IDC_GROUP, IDC_NAME, IDC_LABEL, IDC_SIMPLE,
    IDC_DROPDOWN, IDC_DROPLIST, IDC_SLIDER, IDC_FILES, IDC_RADIX2, IDC_PATTERN, IDC_RADIX, IDC_HEX, IDC_SPIN,
    IDC_INTEGER,
};

inline const BWIZC_DIALOG_TEMPLATE& test_template() {
    static const BWIZC_DIALOG_TEMPLATE t = [] {
        using I = BWIZC_DIALOG_ITEM;
        BWIZC_DIALOG_TEMPLATE d;
        d.id = IDD_TEST;
        d.caption = "Platform test dialog";
        d.cx = 280;
        d.cy = 200;
        d.items = {
            I::group_box(IDC_GROUP, "Options", 7, 7, 130, 62),
            I::check_box(IDC_FEATURE, "Use &feature", 14, 20, 100, 10),
            I::radio_button(IDC_RADIX10, "Radix 10", 14, 34, 60, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP),
            I::radio_button(IDC_RADIX16, "Radix 16", 14, 48, 60, 10),
            I::radio_button(IDC_RADIX2, "Radix 2", 76, 34, 55, 10),
            I::ltext(IDC_LABEL, "Channel name:", 145, 9, 60, 8),
            I::edit_text(IDC_NAME, 145, 20, 120, 14),
            I::combo_box(IDC_SIMPLE, 145, 40, 60, 40, CBS_SIMPLE | WS_TABSTOP),
            I::combo_box(IDC_DROPDOWN, 210, 40, 60, 60, CBS_DROPDOWN | WS_TABSTOP),
            I::combo_box(IDC_DROPLIST, 210, 60, 60, 60, CBS_DROPDOWNLIST | WS_TABSTOP),
            I::slider(IDC_SLIDER, 7, 76, 130, 16),
            I::list_ctrl(IDC_FILES, 7, 96, 130, 70),
            I::edit_text(IDC_PATTERN, 145, 96, 60, 12),
            I::combo_box(IDC_RADIX, 210, 96, 60, 60, CBS_DROPDOWNLIST | WS_TABSTOP),
            I::edit_text(IDC_HEX, 145, 112, 60, 12),
            I::spin(IDC_SPIN, 210, 112, 10, 12),
            I::edit_text(IDC_INTEGER, 225, 112, 48, 12),
            I::push_button(IDC_APPLY, "&Apply", 7, 176, 50, 14),
            I::def_push_button(IDOK, "OK", 170, 176, 50, 14),
            I::push_button(IDCANCEL, "Cancel", 223, 176, 50, 14),
        };
        return d;
    }();
    return t;
}

struct NOTIFICATION {
    UINT message;  // WM_COMMAND, WM_NOTIFY or WM_HSCROLL
    UINT id;
    UINT code;
    bool operator==(const NOTIFICATION&) const = default;
};

struct RESULT {
    bool closed_with_ok = false;
    int feature = -1;
    int radix10 = -1;
    int radix16 = -1;
    CString name;
    CString simple_text;
    CString dropdown_text;
    int droplist_sel = -1;
    CString droplist_text;
    int slider_pos = -1;
    int files_sel = -1;
    bool operator==(const RESULT&) const = default;
};

class TEST_DIALOG : public CDialog {
public:
    TEST_DIALOG() : CDialog(&test_template()) {}

    std::vector<NOTIFICATION> log;
    RESULT result;
    bool end_in_init = false;
    bool shown_when_destroyed = false;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        auto* simple = static_cast<CComboBox*>(GetDlgItem(IDC_SIMPLE));
        auto* dropdown = static_cast<CComboBox*>(GetDlgItem(IDC_DROPDOWN));
        auto* droplist = static_cast<CComboBox*>(GetDlgItem(IDC_DROPLIST));
        for (const char* s : {"1", "2", "4"}) simple->AddString(s);
        for (const char* s : {"622.08", "1250", "2500", "3125"}) dropdown->AddString(s);
        for (const char* s : {"Basic", "GIGE", "XAUI", "SONET"}) droplist->AddString(s);
        droplist->SetCurSel(0);
        simple->SetCurSel(0);
        dropdown->SetCurSel(1);
        auto* slider = static_cast<CSliderCtrl*>(GetDlgItem(IDC_SLIDER));
        slider->SetRange(0, 10);
        slider->SetPos(2);
        auto* files = static_cast<CListCtrl*>(GetDlgItem(IDC_FILES));
        m_images.Create(16, 16);
        m_images.Add(BWIZC_IMAGE_CHECK_OFF);
        m_images.Add(BWIZC_IMAGE_CHECK_ON);
        files->SetImageList(&m_images, LVSIL_SMALL);
        files->InsertColumn(0, "File", LVCFMT_LEFT, 180);
        files->InsertColumn(1, "Description", LVCFMT_LEFT, 200);
        files->InsertItem(0, "variation.v", 1);
        files->SetItemText(0, 1, "Variation file");
        files->InsertItem(1, "variation_bb.v", 0);
        files->SetItemText(1, 1, "Verilog black box");
        CheckDlgButton(IDC_RADIX10, BST_CHECKED);
        SetDlgItemText(IDC_NAME, "ch");
        if (end_in_init) EndDialog(IDCANCEL);
        return TRUE;
    }

    void OnDestroy() override { shown_when_destroyed = IsWindowVisible(); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        log.push_back({WM_COMMAND, LOWORD(wParam), HIWORD(wParam)});
        return CDialog::OnCommand(wParam, lParam);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* r) override {
        auto* h = reinterpret_cast<NMHDR*>(lParam);
        log.push_back({WM_NOTIFY, static_cast<UINT>(h->idFrom), h->code});
        return CDialog::OnNotify(wParam, lParam, r);
    }

    void OnHScroll(UINT code, UINT, CWnd* bar) override {
        log.push_back({WM_HSCROLL, bar ? static_cast<UINT>(bar->GetDlgCtrlID()) : 0u, code});
    }

    void OnOK() override {
        result.closed_with_ok = true;
        result.feature = static_cast<int>(IsDlgButtonChecked(IDC_FEATURE));
        result.radix10 = static_cast<int>(IsDlgButtonChecked(IDC_RADIX10));
        result.radix16 = static_cast<int>(IsDlgButtonChecked(IDC_RADIX16));
        result.name = GetDlgItemText(IDC_NAME);
        result.simple_text = GetDlgItemText(IDC_SIMPLE);
        result.dropdown_text = GetDlgItemText(IDC_DROPDOWN);
        auto* droplist = static_cast<CComboBox*>(GetDlgItem(IDC_DROPLIST));
        result.droplist_sel = droplist->GetCurSel();
        result.droplist_text = droplist->GetWindowText();
        result.slider_pos = static_cast<CSliderCtrl*>(GetDlgItem(IDC_SLIDER))->GetPos();
        result.files_sel = static_cast<CListCtrl*>(GetDlgItem(IDC_FILES))->GetNextSelected();
        CDialog::OnOK();
    }

    // The notifications received since the mark, and a new mark.
    std::vector<NOTIFICATION> since_mark() {
        std::vector<NOTIFICATION> out(log.begin() + static_cast<long>(m_mark), log.end());
        m_mark = log.size();
        return out;
    }

private:
    CImageList m_images;
    size_t m_mark = 0;
};

}  // namespace platform_test
