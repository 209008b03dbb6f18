#include "platform/controls.h"

#include <algorithm>
#include <utility>

#include "platform/text_metrics.h"

// ---- buttons, statics, edits ----

BOOL CButton::Create(const CString& text, DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(BWIZC_KIND_BUTTON, 0, text, style, rect, parent, id);
}

void CButton::SetCheck(int check) {
    if (m_state.check == check) return;
    m_state.check = check;
    notify_changed(BWIZC_CHANGED_CHECK);
}

void CButton::SetButtonStyle(UINT style, BOOL redraw) {
    ModifyStyle(BS_TYPEMASK, style & BS_TYPEMASK);
    if (redraw) Invalidate();
}

bool CButton::is_check_box() const {
    UINT t = GetButtonStyle();
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}

bool CButton::is_radio_button() const {
    UINT t = GetButtonStyle();
    return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON;
}

bool CButton::is_push_button() const {
    UINT t = GetButtonStyle();
    return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_OWNERDRAW;
}

BOOL CStatic::Create(const CString& text, DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(BWIZC_KIND_STATIC, 0, text, style, rect, parent, id);
}

BOOL CEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(BWIZC_KIND_EDIT, 0, CString(), style, rect, parent, id);
}

namespace {
int clamp_pos(int p, int len) { return p < 0 ? len : std::min(p, len); }
}  // namespace

void CEdit::SetSel(int start, int end, BOOL) {
    int len = m_state.text.GetLength();
    // -1 as start removes the selection, -1 as end selects to the end.
    if (start < 0) {
        m_state.sel_start = m_state.sel_end = std::clamp(m_state.sel_end, 0, len);
    } else {
        m_state.sel_start = std::min(start, len);
        m_state.sel_end = clamp_pos(end, len);
    }
    notify_changed(BWIZC_CHANGED_SELECTION);
}

void CEdit::GetSel(int& start, int& end) const {
    start = std::min(m_state.sel_start, m_state.sel_end);
    end = std::max(m_state.sel_start, m_state.sel_end);
}

DWORD CEdit::GetSel() const {
    int a, b;
    GetSel(a, b);
    return static_cast<DWORD>(MAKELONG(static_cast<unsigned>(a), static_cast<unsigned>(b)));
}

void CEdit::ReplaceSel(const CString& text, BOOL) {
    int a, b;
    GetSel(a, b);
    int len = m_state.text.GetLength();
    a = std::min(a, len);
    b = std::min(b, len);
    std::string t = m_state.text.str();
    t.replace(static_cast<size_t>(a), static_cast<size_t>(b - a), text.str());
    m_state.text = CString(t);
    m_state.sel_start = m_state.sel_end = a + text.GetLength();
    notify_changed(BWIZC_CHANGED_TEXT | BWIZC_CHANGED_SELECTION);
}

void CEdit::SetLimitText(UINT max) { m_state.limit_text = static_cast<int>(max); }

BOOL CEdit::SetReadOnly(BOOL read_only) {
    if (read_only)
        ModifyStyle(0, ES_READONLY);
    else
        ModifyStyle(ES_READONLY, 0);
    return TRUE;
}

// ---- list helpers shared by combo box, list box and report list ----

namespace {

bool valid(const std::vector<BWIZC_LIST_ITEM>& items, int i) { return i >= 0 && i < static_cast<int>(items.size()); }

// Index for a new item: in order (case-insensitive) when sorted, else at the end.
int insertion_index(const std::vector<BWIZC_LIST_ITEM>& items, const char* text, bool sorted) {
    if (!sorted) return static_cast<int>(items.size());
    int i = 0;
    for (; i < static_cast<int>(items.size()); ++i)
        if (items[static_cast<size_t>(i)].text.CompareNoCase(text) > 0) break;
    return i;
}

int insert_item(BWIZC_WND_STATE& s, int index, const char* text) {
    if (!text) return -1;
    int n = static_cast<int>(s.items.size());
    if (index < 0 || index > n) index = n;
    BWIZC_LIST_ITEM item;
    item.text = text;
    s.items.insert(s.items.begin() + index, item);
    if (s.cur_sel >= index) ++s.cur_sel;
    return index;
}

int delete_item(BWIZC_WND_STATE& s, int index) {
    if (!valid(s.items, index)) return -1;
    s.items.erase(s.items.begin() + index);
    if (s.cur_sel == index)
        s.cur_sel = -1;
    else if (s.cur_sel > index)
        --s.cur_sel;
    return static_cast<int>(s.items.size());
}

int find_exact(const std::vector<BWIZC_LIST_ITEM>& items, int start, const char* text, bool prefix) {
    int n = static_cast<int>(items.size());
    if (!text || n == 0) return -1;
    CString want(text);
    int first = (start < 0 || start >= n) ? 0 : start + 1;
    for (int k = 0; k < n; ++k) {
        int i = (first + k) % n;
        const CString& t = items[static_cast<size_t>(i)].text;
        if (prefix ? t.Left(want.GetLength()).CompareNoCase(want) == 0 : t.CompareNoCase(want) == 0) return i;
    }
    return -1;
}

}  // namespace

// ---- combo box ----

BOOL CComboBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(BWIZC_KIND_COMBOBOX, 0, CString(), style, rect, parent, id);
}

int CComboBox::AddString(const char* text) {
    int i = insert_item(m_state, insertion_index(m_state.items, text ? text : "", (m_state.style & CBS_SORT) != 0), text);
    if (i >= 0) notify_changed(BWIZC_CHANGED_ITEMS);
    return i;
}

int CComboBox::InsertString(int index, const char* text) {
    if (index > GetCount()) return CB_ERR;
    int i = insert_item(m_state, index, text);
    if (i >= 0) notify_changed(BWIZC_CHANGED_ITEMS);
    return i;
}

int CComboBox::DeleteString(int index) {
    int r = delete_item(m_state, index);
    if (r >= 0) notify_changed(BWIZC_CHANGED_ITEMS | BWIZC_CHANGED_SELECTION);
    return r;
}

void CComboBox::ResetContent() {
    m_state.items.clear();
    m_state.cur_sel = -1;
    // The edit field keeps its text; a drop-down list has nothing left to show.
    if (!has_edit_field()) m_state.text.Empty();
    notify_changed(BWIZC_CHANGED_ITEMS | BWIZC_CHANGED_SELECTION | BWIZC_CHANGED_TEXT);
}

int CComboBox::GetLBText(int index, CString& text) const {
    if (!valid(m_state.items, index)) return CB_ERR;
    text = m_state.items[static_cast<size_t>(index)].text;
    return text.GetLength();
}

CString CComboBox::GetLBText(int index) const {
    CString t;
    GetLBText(index, t);
    return t;
}

int CComboBox::GetLBTextLen(int index) const {
    return valid(m_state.items, index) ? m_state.items[static_cast<size_t>(index)].text.GetLength() : CB_ERR;
}

int CComboBox::FindStringExact(int start, const char* text) const { return find_exact(m_state.items, start, text, false); }

int CComboBox::FindString(int start, const char* prefix) const { return find_exact(m_state.items, start, prefix, true); }

int CComboBox::SelectString(int start, const char* prefix) {
    int i = FindString(start, prefix);
    if (i < 0) return CB_ERR;
    return SetCurSel(i);
}

int CComboBox::SetCurSel(int index) {
    if (!valid(m_state.items, index)) {
        m_state.cur_sel = -1;
        m_state.text.Empty();
        m_state.sel_start = m_state.sel_end = 0;
        notify_changed(BWIZC_CHANGED_SELECTION | BWIZC_CHANGED_TEXT);
        return CB_ERR;
    }
    m_state.cur_sel = index;
    m_state.text = m_state.items[static_cast<size_t>(index)].text;
    m_state.sel_start = 0;
    m_state.sel_end = m_state.text.GetLength();
    notify_changed(BWIZC_CHANGED_SELECTION | BWIZC_CHANGED_TEXT);
    return index;
}

DWORD_PTR CComboBox::GetItemData(int index) const {
    return valid(m_state.items, index) ? m_state.items[static_cast<size_t>(index)].data : static_cast<DWORD_PTR>(CB_ERR);
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
    if (!valid(m_state.items, index)) return CB_ERR;
    m_state.items[static_cast<size_t>(index)].data = data;
    return 0;
}

DWORD CComboBox::GetEditSel() const {
    return static_cast<DWORD>(MAKELONG(static_cast<unsigned>(m_state.sel_start), static_cast<unsigned>(m_state.sel_end)));
}

BOOL CComboBox::SetEditSel(int start, int end) {
    if (!has_edit_field()) return FALSE;
    int len = m_state.text.GetLength();
    m_state.sel_start = start < 0 ? len : std::min(start, len);
    m_state.sel_end = end < 0 ? len : std::min(end, len);
    notify_changed(BWIZC_CHANGED_SELECTION);
    return TRUE;
}

BOOL CComboBox::LimitText(int max) {
    if (!has_edit_field()) return FALSE;
    m_state.limit_text = max;
    return TRUE;
}

void CComboBox::ShowDropDown(BOOL show) {
    if (m_state.dropped == (show != FALSE)) return;
    m_state.dropped = show != FALSE;
    notify_changed(BWIZC_CHANGED_SELECTION);
}

// ---- list box ----

BOOL CListBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(BWIZC_KIND_LISTBOX, 0, CString(), style, rect, parent, id);
}

int CListBox::AddString(const char* text) {
    int i = insert_item(m_state, insertion_index(m_state.items, text ? text : "", (m_state.style & LBS_SORT) != 0), text);
    if (i >= 0) notify_changed(BWIZC_CHANGED_ITEMS);
    return i;
}

int CListBox::InsertString(int index, const char* text) {
    if (index > GetCount()) return LB_ERR;
    int i = insert_item(m_state, index, text);
    if (i >= 0) notify_changed(BWIZC_CHANGED_ITEMS);
    return i;
}

int CListBox::DeleteString(int index) {
    int r = delete_item(m_state, index);
    if (r >= 0) notify_changed(BWIZC_CHANGED_ITEMS | BWIZC_CHANGED_SELECTION);
    return r;
}

void CListBox::ResetContent() {
    m_state.items.clear();
    m_state.cur_sel = -1;
    notify_changed(BWIZC_CHANGED_ITEMS | BWIZC_CHANGED_SELECTION);
}

int CListBox::GetText(int index, CString& text) const {
    if (!valid(m_state.items, index)) return LB_ERR;
    text = m_state.items[static_cast<size_t>(index)].text;
    return text.GetLength();
}

int CListBox::SetCurSel(int index) {
    m_state.cur_sel = valid(m_state.items, index) ? index : -1;
    notify_changed(BWIZC_CHANGED_SELECTION);
    return m_state.cur_sel == index ? index : LB_ERR;
}

DWORD_PTR CListBox::GetItemData(int index) const {
    return valid(m_state.items, index) ? m_state.items[static_cast<size_t>(index)].data : static_cast<DWORD_PTR>(LB_ERR);
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
    if (!valid(m_state.items, index)) return LB_ERR;
    m_state.items[static_cast<size_t>(index)].data = data;
    return 0;
}

int CListBox::FindStringExact(int start, const char* text) const { return find_exact(m_state.items, start, text, false); }

// ---- slider ----

BOOL CSliderCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(BWIZC_KIND_SLIDER, 0, CString(), style, rect, parent, id);
}

void CSliderCtrl::SetRange(int min, int max, BOOL) {
    m_state.range_min = min;
    m_state.range_max = max;
    m_state.pos = std::clamp(m_state.pos, std::min(min, max), std::max(min, max));
    notify_changed(BWIZC_CHANGED_RANGE | BWIZC_CHANGED_POS);
}

void CSliderCtrl::SetRangeMin(int min, BOOL redraw) { SetRange(min, m_state.range_max, redraw); }
void CSliderCtrl::SetRangeMax(int max, BOOL redraw) { SetRange(m_state.range_min, max, redraw); }

void CSliderCtrl::GetRange(int& min, int& max) const {
    min = m_state.range_min;
    max = m_state.range_max;
}

void CSliderCtrl::SetPos(int pos) {
    int p = std::clamp(pos, std::min(m_state.range_min, m_state.range_max), std::max(m_state.range_min, m_state.range_max));
    if (p == m_state.pos) return;
    m_state.pos = p;
    notify_changed(BWIZC_CHANGED_POS);
}

void CSliderCtrl::SetTicFreq(int freq) {
    m_state.tic_freq = freq;
    notify_changed(BWIZC_CHANGED_RANGE);
}

int CSliderCtrl::SetPageSize(int size) { return std::exchange(m_state.page_size, size); }
int CSliderCtrl::SetLineSize(int size) { return std::exchange(m_state.line_size, size); }

// ---- spin button ----

BOOL CSpinButtonCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(BWIZC_KIND_SPIN, 0, CString(), style, rect, parent, id);
}

void CSpinButtonCtrl::SetRange(int lower, int upper) {
    m_state.range_min = lower;
    m_state.range_max = upper;
    notify_changed(BWIZC_CHANGED_RANGE);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    lower = m_state.range_min;
    upper = m_state.range_max;
}

int CSpinButtonCtrl::SetPos(int pos) {
    int old = m_state.pos;
    m_state.pos = std::clamp(pos, std::min(m_state.range_min, m_state.range_max), std::max(m_state.range_min, m_state.range_max));
    notify_changed(BWIZC_CHANGED_POS);
    return old;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
    CWnd* old = GetBuddy();
    m_state.buddy = buddy ? buddy->m_hWnd : nullptr;
    return old;
}

CWnd* CSpinButtonCtrl::GetBuddy() const { return FromHandle(m_state.buddy); }

// ---- image list ----

BOOL CImageList::Create(int cx, int cy, UINT, int, int) {
    m_size = CSize(cx, cy);
    m_images.clear();
    return TRUE;
}

int CImageList::Add(BWIZC_IMAGE image) {
    m_images.push_back(image);
    return static_cast<int>(m_images.size()) - 1;
}

BWIZC_IMAGE CImageList::get_image(int index) const {
    if (index < 0 || index >= static_cast<int>(m_images.size())) return BWIZC_IMAGE_NONE;
    return m_images[static_cast<size_t>(index)];
}

// ---- report list ----

BOOL CListCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(BWIZC_KIND_LISTCTRL, 0, CString(), style, rect, parent, id);
}

int CListCtrl::InsertColumn(int col, const char* heading, int format, int width, int) {
    auto& c = m_state.columns;
    if (col < 0 || col > static_cast<int>(c.size())) col = static_cast<int>(c.size());
    BWIZC_LIST_COLUMN column;
    column.heading = heading;
    column.format = format;
    column.width = width < 0 ? bwizc_text_extent(get_effective_font(), column.heading).cx + 12 : width;
    c.insert(c.begin() + col, column);
    notify_changed(BWIZC_CHANGED_ITEMS);
    return col;
}

BOOL CListCtrl::DeleteColumn(int col) {
    auto& c = m_state.columns;
    if (col < 0 || col >= static_cast<int>(c.size())) return FALSE;
    c.erase(c.begin() + col);
    notify_changed(BWIZC_CHANGED_ITEMS);
    return TRUE;
}

BOOL CListCtrl::SetColumnWidth(int col, int width) {
    auto& c = m_state.columns;
    if (col < 0 || col >= static_cast<int>(c.size())) return FALSE;
    c[static_cast<size_t>(col)].width = width;
    notify_changed(BWIZC_CHANGED_ITEMS);
    return TRUE;
}

int CListCtrl::GetColumnWidth(int col) const {
    const auto& c = m_state.columns;
    return (col < 0 || col >= static_cast<int>(c.size())) ? 0 : c[static_cast<size_t>(col)].width;
}

CString CListCtrl::get_column_heading(int col) const {
    const auto& c = m_state.columns;
    return (col < 0 || col >= static_cast<int>(c.size())) ? CString() : c[static_cast<size_t>(col)].heading;
}

int CListCtrl::InsertItem(int index, const char* text, int image) {
    int i = insert_item(m_state, index, text ? text : "");
    if (i < 0) return -1;
    m_state.items[static_cast<size_t>(i)].image = image;
    notify_changed(BWIZC_CHANGED_ITEMS);
    return i;
}

BOOL CListCtrl::DeleteItem(int index) {
    if (delete_item(m_state, index) < 0) return FALSE;
    notify_changed(BWIZC_CHANGED_ITEMS | BWIZC_CHANGED_SELECTION);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
    m_state.items.clear();
    m_state.cur_sel = -1;
    notify_changed(BWIZC_CHANGED_ITEMS | BWIZC_CHANGED_SELECTION);
    return TRUE;
}

BOOL CListCtrl::SetItemText(int item, int sub_item, const char* text) {
    if (!valid(m_state.items, item) || sub_item < 0) return FALSE;
    BWIZC_LIST_ITEM& it = m_state.items[static_cast<size_t>(item)];
    if (sub_item == 0) {
        it.text = text;
    } else {
        if (static_cast<int>(it.sub_items.size()) < sub_item) it.sub_items.resize(static_cast<size_t>(sub_item));
        it.sub_items[static_cast<size_t>(sub_item - 1)] = text;
    }
    notify_changed(BWIZC_CHANGED_ITEMS);
    return TRUE;
}

CString CListCtrl::GetItemText(int item, int sub_item) const {
    if (!valid(m_state.items, item) || sub_item < 0) return CString();
    const BWIZC_LIST_ITEM& it = m_state.items[static_cast<size_t>(item)];
    if (sub_item == 0) return it.text;
    return sub_item <= static_cast<int>(it.sub_items.size()) ? it.sub_items[static_cast<size_t>(sub_item - 1)] : CString();
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
    if (!valid(m_state.items, item)) return FALSE;
    m_state.items[static_cast<size_t>(item)].data = data;
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    return valid(m_state.items, item) ? m_state.items[static_cast<size_t>(item)].data : 0;
}

BOOL CListCtrl::set_item_image(int item, int image) {
    if (!valid(m_state.items, item)) return FALSE;
    m_state.items[static_cast<size_t>(item)].image = image;
    notify_changed(BWIZC_CHANGED_ITEMS);
    return TRUE;
}

int CListCtrl::get_item_image(int item) const {
    return valid(m_state.items, item) ? m_state.items[static_cast<size_t>(item)].image : -1;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    if (!valid(m_state.items, item)) return FALSE;
    UINT& s = m_state.items[static_cast<size_t>(item)].state;
    s = (s & ~mask) | (state & mask);
    if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED)) {
        // A single-selection list keeps one selected row.
        for (int i = 0; i < GetItemCount(); ++i)
            if (i != item) m_state.items[static_cast<size_t>(i)].state &= ~LVIS_SELECTED;
        m_state.cur_sel = item;
    } else if ((mask & LVIS_SELECTED) && m_state.cur_sel == item) {
        m_state.cur_sel = -1;
    }
    notify_changed(BWIZC_CHANGED_SELECTION);
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    return valid(m_state.items, item) ? (m_state.items[static_cast<size_t>(item)].state & mask) : 0;
}

int CListCtrl::GetNextSelected() const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_state.items[static_cast<size_t>(i)].state & LVIS_SELECTED) return i;
    return -1;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int which) {
    CImageList*& slot = which == LVSIL_STATE ? m_state_images : m_small_images;
    CImageList* old = slot;
    slot = list;
    notify_changed(BWIZC_CHANGED_ITEMS);
    return old;
}

CImageList* CListCtrl::GetImageList(int which) const { return which == LVSIL_STATE ? m_state_images : m_small_images; }

BOOL CListCtrl::RedrawItems(int, int) {
    Invalidate();
    return TRUE;
}

int CListCtrl::get_row_height() const {
    int h = bwizc_text_metrics(get_effective_font()).tmHeight + 4;
    if (m_small_images) h = std::max(h, m_small_images->get_image_size().cy + 2);
    return h;
}

int CListCtrl::get_header_height() const { return bwizc_text_metrics(get_effective_font()).tmHeight + 6; }

BOOL CListCtrl::GetItemRect(int item, CRect* rect) const {
    if (!rect || !valid(m_state.items, item)) return FALSE;
    int w = 0;
    for (const auto& c : m_state.columns) w += c.width;
    int top = get_header_height() + item * get_row_height();
    *rect = CRect(0, top, std::max(w, m_state.rect.Width()), top + get_row_height());
    return TRUE;
}

int CListCtrl::HitTest(CPoint pt, int* sub_item) const {
    int hh = get_header_height();
    if (pt.y < hh || pt.x < 0) return -1;
    int row = (pt.y - hh) / get_row_height();
    if (row >= GetItemCount()) return -1;
    int x = 0, col = -1;
    for (int c = 0; c < static_cast<int>(m_state.columns.size()); ++c) {
        int w = m_state.columns[static_cast<size_t>(c)].width;
        if (pt.x >= x && pt.x < x + w) {
            col = c;
            break;
        }
        x += w;
    }
    if (col < 0) return -1;
    if (sub_item) *sub_item = col;
    return row;
}
