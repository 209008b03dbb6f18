// The standard controls. Each class only reads and writes the state its
// CWnd holds; programmatic changes never send notifications (only user
// actions do, see platform/user_input.h).
#pragma once

#include "platform/window.h"

// Push button, check box, radio button or group box, chosen by the BS_ style.
class CButton : public CWnd {
public:
    BOOL Create(const CString& text, DWORD style, const CRect& rect, CWnd* parent, UINT id);
    int GetCheck() const { return m_state.check; }
    void SetCheck(int check);  // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
    UINT GetButtonStyle() const { return m_state.style & BS_TYPEMASK; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    bool is_check_box() const;
    bool is_radio_button() const;
    bool is_group_box() const { return GetButtonStyle() == BS_GROUPBOX; }
    bool is_push_button() const;
};

class CStatic : public CWnd {
public:
    BOOL Create(const CString& text, DWORD style, const CRect& rect, CWnd* parent, UINT id = static_cast<UINT>(IDC_STATIC));
};

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    // Selection: start and end character positions; the caret is at the end.
    void SetSel(int start, int end, BOOL no_scroll = FALSE);
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const;  // MAKELONG(start, end)
    // Replaces the selection with text (no notification).
    void ReplaceSel(const CString& text, BOOL can_undo = FALSE);
    void SetLimitText(UINT max);
    void LimitText(UINT max) { SetLimitText(max); }
    BOOL SetReadOnly(BOOL read_only = TRUE);
};

// Combo box: CBS_SIMPLE, CBS_DROPDOWN (both with an edit field) or
// CBS_DROPDOWNLIST (no edit field). The window text is the edit field's text,
// for a drop-down list the selected item's text.
class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    bool has_edit_field() const { return (m_state.style & CBS_TYPEMASK) != CBS_DROPDOWNLIST; }

    int GetCount() const { return static_cast<int>(m_state.items.size()); }
    // Appends (inserts in order with CBS_SORT); CB_ERR for a null text.
    int AddString(const char* text);
    int InsertString(int index, const char* text);  // -1 appends
    int DeleteString(int index);  // remaining count or CB_ERR
    void ResetContent();
    int GetLBText(int index, CString& text) const;  // length or CB_ERR
    CString GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    // Exact (case-insensitive) match at or after start + 1, wrapping; CB_ERR if none.
    int FindStringExact(int start, const char* text) const;
    // First item that starts with the prefix (case-insensitive).
    int FindString(int start, const char* prefix) const;
    // Selects the first item starting with prefix; returns it or CB_ERR.
    int SelectString(int start, const char* prefix);
    int GetCurSel() const { return m_state.cur_sel; }
    // Selects index and shows its text; -1 or a bad index clears the
    // selection (and the edit field) and returns CB_ERR.
    int SetCurSel(int index);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD GetEditSel() const;
    BOOL SetEditSel(int start, int end);
    BOOL LimitText(int max);
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const { return m_state.dropped; }
};

class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    int GetCount() const { return static_cast<int>(m_state.items.size()); }
    int AddString(const char* text);
    int InsertString(int index, const char* text);
    int DeleteString(int index);
    void ResetContent();
    int GetText(int index, CString& text) const;
    int GetCurSel() const { return m_state.cur_sel; }
    int SetCurSel(int index);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    int FindStringExact(int start, const char* text) const;
};

class CSliderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    void SetRange(int min, int max, BOOL redraw = FALSE);
    void SetRangeMin(int min, BOOL redraw = FALSE);
    void SetRangeMax(int max, BOOL redraw = FALSE);
    void GetRange(int& min, int& max) const;
    int GetRangeMin() const { return m_state.range_min; }
    int GetRangeMax() const { return m_state.range_max; }
    // Clamped into the range.
    void SetPos(int pos);
    int GetPos() const { return m_state.pos; }
    void SetTicFreq(int freq);
    int SetPageSize(int size);
    int GetPageSize() const { return m_state.page_size; }
    int SetLineSize(int size);
};

class CSpinButtonCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    void SetRange(int lower, int upper);
    void SetRange32(int lower, int upper) { SetRange(lower, upper); }
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos);  // returns the previous position
    int GetPos() const { return m_state.pos; }
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
};

// The pictures a report list shows before an item's text. The platform draws
// a small set of standard pictures; an image list maps its indexes to them.
enum BWIZC_IMAGE {
    BWIZC_IMAGE_NONE = 0,
    BWIZC_IMAGE_CHECK_OFF,  // check box, unchecked
    BWIZC_IMAGE_CHECK_ON,  // check box, checked
    BWIZC_IMAGE_CHECK_ON_DISABLED,  // check box, checked, cannot change
    BWIZC_IMAGE_GROUP,  // group row
    BWIZC_IMAGE_GROUP_MARKED,  // group row, marked
};

class CImageList {
public:
    BOOL Create(int cx, int cy, UINT flags = 0, int initial = 0, int grow = 0);
    int Add(BWIZC_IMAGE image);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    BWIZC_IMAGE get_image(int index) const;
    CSize get_image_size() const { return m_size; }
    BOOL DeleteImageList() { m_images.clear(); return TRUE; }

private:
    std::vector<BWIZC_IMAGE> m_images;
    CSize m_size{16, 16};
};

constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;
constexpr int LVCFMT_LEFT = 0;

// Report list: columns, rows with an image and sub-item texts, selection.
class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    int InsertColumn(int col, const char* heading, int format = LVCFMT_LEFT, int width = -1, int sub_item = -1);
    BOOL DeleteColumn(int col);
    int GetColumnCount() const { return static_cast<int>(m_state.columns.size()); }
    BOOL SetColumnWidth(int col, int width);
    int GetColumnWidth(int col) const;
    CString get_column_heading(int col) const;
    int GetItemCount() const { return static_cast<int>(m_state.items.size()); }
    int InsertItem(int index, const char* text, int image = -1);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    BOOL SetItemText(int item, int sub_item, const char* text);
    CString GetItemText(int item, int sub_item) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    BOOL set_item_image(int item, int image);
    int get_item_image(int item) const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    int GetNextSelected() const;  // first selected item or -1
    CImageList* SetImageList(CImageList* list, int which);
    CImageList* GetImageList(int which) const;
    BOOL RedrawItems(int first, int last);
    BOOL GetItemRect(int item, CRect* rect) const;  // client coordinates of a row
    // Row and column under a client point; -1 when none.
    int HitTest(CPoint pt, int* sub_item = nullptr) const;
    int get_row_height() const;
    int get_header_height() const;

private:
    CImageList* m_small_images = nullptr;
    CImageList* m_state_images = nullptr;
};
