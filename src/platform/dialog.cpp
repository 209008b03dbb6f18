#include "platform/dialog.h"

#include <algorithm>
#include <map>

#include "platform/backend.h"
#include "platform/controls.h"
#include "platform/text_metrics.h"

// ---- template items ----

namespace {
BWIZC_DIALOG_ITEM item(BWIZC_WND_KIND kind, UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    BWIZC_DIALOG_ITEM i;
    i.kind = kind;
    i.id = id;
    i.text = text;
    i.x = x;
    i.y = y;
    i.cx = cx;
    i.cy = cy;
    i.style = style;
    return i;
}
}  // namespace

BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::push_button(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_BUTTON, id, text, x, y, cx, cy, (style & ~BS_TYPEMASK) | BS_PUSHBUTTON);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::def_push_button(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_BUTTON, id, text, x, y, cx, cy, (style & ~BS_TYPEMASK) | BS_DEFPUSHBUTTON);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::check_box(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_BUTTON, id, text, x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::radio_button(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_BUTTON, id, text, x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::group_box(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_BUTTON, id, text, x, y, cx, cy, (style & ~BS_TYPEMASK) | BS_GROUPBOX);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::ltext(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_STATIC, id, text, x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::ctext(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_STATIC, id, text, x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::rtext(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_STATIC, id, text, x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::edit_text(UINT id, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_EDIT, id, CString(), x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::combo_box(UINT id, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_COMBOBOX, id, CString(), x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::list_box(UINT id, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_LISTBOX, id, CString(), x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::slider(UINT id, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_SLIDER, id, CString(), x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::list_ctrl(UINT id, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_LISTCTRL, id, CString(), x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::spin(UINT id, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_SPIN, id, CString(), x, y, cx, cy, style);
}
BWIZC_DIALOG_ITEM BWIZC_DIALOG_ITEM::custom(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style) {
    return item(BWIZC_KIND_CUSTOM, id, text, x, y, cx, cy, style);
}

// ---- template registry ----

namespace {
std::map<UINT, BWIZC_DIALOG_TEMPLATE>& templates() {
    static std::map<UINT, BWIZC_DIALOG_TEMPLATE> t;
    return t;
}

std::vector<CDialog*>& modal_stack() {
    static std::vector<CDialog*> s;
    return s;
}

int mul_div(int a, int b, int c) {
    long long v = static_cast<long long>(a) * b;
    return static_cast<int>(v >= 0 ? (v + c / 2) / c : (v - c / 2) / c);
}

CWnd* new_item_object(BWIZC_WND_KIND kind) {
    switch (kind) {
    case BWIZC_KIND_BUTTON:
        return new CButton;
    case BWIZC_KIND_EDIT:
        return new CEdit;
    case BWIZC_KIND_STATIC:
        return new CStatic;
    case BWIZC_KIND_COMBOBOX:
        return new CComboBox;
    case BWIZC_KIND_LISTBOX:
        return new CListBox;
    case BWIZC_KIND_SLIDER:
        return new CSliderCtrl;
    case BWIZC_KIND_LISTCTRL:
        return new CListCtrl;
    case BWIZC_KIND_SPIN:
        return new CSpinButtonCtrl;
    default:
        return new CWnd;
    }
}
}  // namespace

void bwizc_register_dialog_template(const BWIZC_DIALOG_TEMPLATE& tmpl) { templates()[tmpl.id] = tmpl; }

const BWIZC_DIALOG_TEMPLATE* bwizc_find_dialog_template(UINT id) {
    auto it = templates().find(id);
    return it == templates().end() ? nullptr : &it->second;
}

CSize bwizc_dialog_base_units(const LOGFONT& font) {
    CSize alphabet = bwizc_text_extent(font, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(alphabet.cx / 26 + 1) / 2, bwizc_text_metrics(font).tmHeight};
}

// ---- dialog ----

CDialog::CDialog(UINT template_id, CWnd* parent) : m_pParentWnd(parent), m_template_id(template_id) {}

CDialog::CDialog(const BWIZC_DIALOG_TEMPLATE* tmpl, CWnd* parent) : m_pParentWnd(parent), m_template(tmpl) {
    if (tmpl) m_template_id = tmpl->id;
}

CDialog::~CDialog() {
    auto& s = modal_stack();
    s.erase(std::remove(s.begin(), s.end(), this), s.end());
    if (m_hWnd) DestroyWindow();
}

const BWIZC_DIALOG_TEMPLATE* CDialog::get_template() const {
    return m_template ? m_template : bwizc_find_dialog_template(m_template_id);
}

UINT CDialog::get_template_id() const { return m_template ? m_template->id : m_template_id; }

CString CDialog::get_dialog_name() const {
    CString name = m_hWnd ? m_state.text : CString();
    if (name.IsEmpty()) {
        if (const BWIZC_DIALOG_TEMPLATE* t = get_template()) name = t->caption;
    }
    if (name.IsEmpty()) name.Format("dialog %u", get_template_id());
    return name;
}

void CDialog::MapDialogRect(CRect* rect) const {
    if (!rect) return;
    rect->left = mul_div(rect->left, m_base_units.cx, 4);
    rect->right = mul_div(rect->right, m_base_units.cx, 4);
    rect->top = mul_div(rect->top, m_base_units.cy, 8);
    rect->bottom = mul_div(rect->bottom, m_base_units.cy, 8);
}

BOOL CDialog::create_from_template(CWnd* parent) {
    const BWIZC_DIALOG_TEMPLATE* t = get_template();
    if (!t || m_hWnd) return FALSE;
    LOGFONT lf = bwizc_make_logfont(t->font_face, t->font_points, false);
    m_font.CreateFontIndirect(&lf);
    m_base_units = bwizc_dialog_base_units(lf);
    CRect client(0, 0, t->cx, t->cy);
    MapDialogRect(&client);
    if (!CreateEx(BWIZC_KIND_DIALOG, 0, t->caption, t->style & ~WS_VISIBLE, client, nullptr, t->id)) return FALSE;
    m_owner = parent;
    SetFont(&m_font, FALSE);
    CenterWindow(parent);
    int edit_height = bwizc_text_metrics(lf).tmHeight + 8;
    for (const BWIZC_DIALOG_ITEM& it : t->items) {
        CRect r(it.x, it.y, it.x + it.cx, it.y + it.cy);
        MapDialogRect(&r);
        // A closed drop-down combo box is one edit line high; the template
        // height is its list's.
        if (it.kind == BWIZC_KIND_COMBOBOX && (it.style & CBS_TYPEMASK) != CBS_SIMPLE && r.Height() > edit_height)
            r.bottom = r.top + edit_height;
        CWnd* w = new_item_object(it.kind);
        w->m_platform_owned = true;
        w->CreateEx(it.kind, it.ex_style, it.text, it.style | WS_CHILD | WS_VISIBLE, r, this, it.id);
        w->SetFont(&m_font, FALSE);
        if (it.kind == BWIZC_KIND_BUTTON && (it.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && m_state.def_id == 0)
            m_state.def_id = it.id;
    }
    if (m_state.def_id == 0 && GetDlgItem(IDOK)) m_state.def_id = IDOK;
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    m_ended = false;
    m_result = -1;
    if (!create_from_template(m_pParentWnd)) return -1;
    HWND self = m_hWnd;
    modal_stack().push_back(this);
    BOOL set_focus = static_cast<BOOL>(SendMessage(WM_INITDIALOG, 0, 0));
    if (!m_ended && IsWindow(self)) {
        if (set_focus) {
            CWnd* focus = GetFocus();
            bool inside = focus && focus->GetTopLevelParent() == this;
            if (!inside) {
                if (CWnd* first = GetNextDlgTabItem(nullptr)) first->SetFocus();
            }
        }
    }
    if (!m_ended && IsWindow(self)) {
        ShowWindow(SW_SHOW);
        m_in_loop = true;
        bwizc_get_backend()->run_modal_loop(this);
        m_in_loop = false;
    }
    auto& s = modal_stack();
    s.erase(std::remove(s.begin(), s.end(), this), s.end());
    int result = m_result;
    if (IsWindow(self)) DestroyWindow();
    return result;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    bwizc_get_backend()->end_modal_loop(this);
}

BOOL CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::SetDefID(UINT id) {
    UINT old = m_state.def_id;
    if (old == id) return;
    // Only one push button shows itself as the default.
    if (auto* b = dynamic_cast<CButton*>(GetDlgItem(static_cast<int>(old))))
        if (b->GetButtonStyle() == BS_DEFPUSHBUTTON) b->SetButtonStyle(BS_PUSHBUTTON);
    m_state.def_id = id;
    if (auto* b = dynamic_cast<CButton*>(GetDlgItem(static_cast<int>(id))))
        if (b->GetButtonStyle() == BS_PUSHBUTTON) b->SetButtonStyle(BS_DEFPUSHBUTTON);
}

DWORD CDialog::GetDefID() const {
    return m_state.def_id ? static_cast<DWORD>(MAKELONG(m_state.def_id, DC_HASDEFID)) : 0;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case DM_SETDEFID:
        SetDefID(static_cast<UINT>(wParam));
        return TRUE;
    case DM_GETDEFID:
        return GetDefID();
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam)) return TRUE;
    UINT code = HIWORD(wParam);
    if (code != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

const std::vector<CDialog*>& CDialog::get_modal_stack() { return modal_stack(); }
