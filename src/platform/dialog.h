// Dialogs built from dialog templates, and the modal loop.
#pragma once

#include <vector>

#include "platform/window.h"

// One item of a dialog template; the rectangle is in dialog units.
struct BWIZC_DIALOG_ITEM {
    BWIZC_WND_KIND kind = BWIZC_KIND_STATIC;
    UINT id = static_cast<UINT>(IDC_STATIC);
    CString text;
    int x = 0, y = 0, cx = 0, cy = 0;
    // WS_CHILD | WS_VISIBLE are always added; WS_DISABLED starts it disabled.
    DWORD style = 0;
    DWORD ex_style = 0;

    // The resource-script statements, with their usual default styles.
    static BWIZC_DIALOG_ITEM push_button(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style = WS_TABSTOP);
    static BWIZC_DIALOG_ITEM def_push_button(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style = WS_TABSTOP);
    static BWIZC_DIALOG_ITEM check_box(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style = BS_AUTOCHECKBOX | WS_TABSTOP);
    static BWIZC_DIALOG_ITEM radio_button(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style = BS_AUTORADIOBUTTON);
    static BWIZC_DIALOG_ITEM group_box(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style = 0);
    static BWIZC_DIALOG_ITEM ltext(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style = SS_LEFT);
    static BWIZC_DIALOG_ITEM ctext(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style = SS_CENTER);
    static BWIZC_DIALOG_ITEM rtext(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style = SS_RIGHT);
    static BWIZC_DIALOG_ITEM edit_text(UINT id, int x, int y, int cx, int cy, DWORD style = ES_AUTOHSCROLL | WS_TABSTOP);
    // style must name the kind: CBS_SIMPLE, CBS_DROPDOWN or CBS_DROPDOWNLIST.
    static BWIZC_DIALOG_ITEM combo_box(UINT id, int x, int y, int cx, int cy, DWORD style);
    static BWIZC_DIALOG_ITEM list_box(UINT id, int x, int y, int cx, int cy, DWORD style = LBS_NOTIFY | WS_TABSTOP);
    static BWIZC_DIALOG_ITEM slider(UINT id, int x, int y, int cx, int cy, DWORD style = TBS_HORZ | WS_TABSTOP);
    static BWIZC_DIALOG_ITEM list_ctrl(UINT id, int x, int y, int cx, int cy, DWORD style = LVS_REPORT | WS_TABSTOP);
    static BWIZC_DIALOG_ITEM spin(UINT id, int x, int y, int cx, int cy, DWORD style = 0);
    static BWIZC_DIALOG_ITEM custom(UINT id, const CString& text, int x, int y, int cx, int cy, DWORD style = 0);
};

struct BWIZC_DIALOG_TEMPLATE {
    UINT id = 0;
    CString caption;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    CString font_face = "MS Sans Serif";
    int font_points = 8;
    std::vector<BWIZC_DIALOG_ITEM> items;
};

// Templates by id, for dialogs constructed with a template id. Registering an
// id again replaces the template.
void bwizc_register_dialog_template(const BWIZC_DIALOG_TEMPLATE& tmpl);
const BWIZC_DIALOG_TEMPLATE* bwizc_find_dialog_template(UINT id);

// Dialog base units of a font: x is the average width of the 52 Latin
// letters (rounded), y the font's line height. One dialog unit is x/4 pixels
// horizontally and y/8 pixels vertically.
CSize bwizc_dialog_base_units(const LOGFONT& font);

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT template_id, CWnd* parent = nullptr);
    explicit CDialog(const BWIZC_DIALOG_TEMPLATE* tmpl, CWnd* parent = nullptr);
    ~CDialog() override;

    // Creates the dialog and its items, sends WM_SETFONT with the template's
    // font to every item, calls OnInitDialog and, unless the dialog was ended
    // in there, shows it and runs the backend's modal loop until EndDialog.
    // Then destroys the windows and returns the EndDialog result (-1 when the
    // template is missing).
    virtual INT_PTR DoModal();
    // Ends the modal loop of this dialog with `result` (safe to call in OnInitDialog).
    void EndDialog(int result);
    bool is_modal_ended() const { return m_ended; }
    bool is_in_modal_loop() const { return m_in_loop; }
    int get_modal_result() const { return m_result; }

    // Builds the windows without running a loop (for tests and embedded
    // dialogs); DoModal does this itself.
    BOOL create_from_template(CWnd* parent = nullptr);

    virtual BOOL OnInitDialog();  // default: TRUE (focus goes to the first tab stop)
    virtual void OnOK();  // default: EndDialog(IDOK)
    virtual void OnCancel();  // default: EndDialog(IDCANCEL)

    void SetDefID(UINT id);
    DWORD GetDefID() const;
    // Dialog units to pixels with this dialog's font.
    void MapDialogRect(CRect* rect) const;
    CSize get_base_units() const { return m_base_units; }
    CFont* get_dialog_font() { return &m_font; }

    void set_template(const BWIZC_DIALOG_TEMPLATE* tmpl) { m_template = tmpl; }
    void set_template_id(UINT id) { m_template_id = id; }
    const BWIZC_DIALOG_TEMPLATE* get_template() const;
    UINT get_template_id() const;
    void set_parent_wnd(CWnd* parent) { m_pParentWnd = parent; }
    // A name for messages about this dialog: its caption, else "dialog <id>".
    CString get_dialog_name() const;

    CWnd* m_pParentWnd = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override { OnCancel(); }

    // The dialogs whose modal loops are running, innermost last.
    static const std::vector<CDialog*>& get_modal_stack();

private:
    const BWIZC_DIALOG_TEMPLATE* m_template = nullptr;
    UINT m_template_id = 0;
    CFont m_font;
    CSize m_base_units{6, 13};
    bool m_ended = false;
    bool m_in_loop = false;
    int m_result = -1;
};
