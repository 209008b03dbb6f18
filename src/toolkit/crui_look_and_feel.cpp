#include "toolkit/crui_look_and_feel.h"

#include "platform/dialog.h"
#include "platform/text_metrics.h"
#include "support/bwizc_global.h"
#include "toolkit/cbutton.h"
#include "toolkit/crstatic.h"

// ------------------------------------------------------------------- themes

BWIZC_STD_THEME::BWIZC_STD_THEME() {
    const LOGFONT title = bwizc_make_logfont("Arial", 12, true);
    const LOGFONT subtitle = bwizc_make_logfont("Arial", 8, false);
    const LOGFONT button = bwizc_make_logfont("MS Sans Serif", 8, false);
    const LOGFONT current = bwizc_make_logfont("MS Sans Serif", 8, true);
    title_font.CreateFontIndirect(&title);
    subtitle_font.CreateFontIndirect(&subtitle);
    button_font.CreateFontIndirect(&button);
    nav_item_font.CreateFontIndirect(&button);
    nav_current_item_font.CreateFontIndirect(&current);
    panel_color = BWIZC_COLOR_WHITE;
    panel_gradient_color = RGB(214, 224, 238);
    title_color = RGB(24, 54, 104);
    text_color = BWIZC_COLOR_BLACK;
    disabled_text_color = RGB(140, 140, 140);
    face_color = RGB(246, 246, 246);
    border_color = RGB(122, 122, 122);
    hover_color = RGB(222, 234, 250);
    accent_color = RGB(0, 96, 192);
    current_item_text_color = BWIZC_COLOR_WHITE;
}

namespace {

// Plain pointers, never destroyed at exit: the application object is a
// global that may replace or drop them from its own destructor, after
// function-local statics are gone.
BWIZC_THEME* g_active_theme = nullptr;
CRUI_LOOK_AND_FEEL* g_active_laf = nullptr;

// ---------------------------------------------------------- flat delegates

bool is_default_button(CWnd* wnd) {
    auto* dialog = dynamic_cast<CDialog*>(wnd->GetParent());
    return dialog && LOWORD(dialog->GetDefID()) == static_cast<UINT>(wnd->GetDlgCtrlID());
}

bool is_lit(const CRUI_ELEMENT* element) { return element->is_mouse_inside() || element->is_hovering(); }

// Selects the window's own font into dc for the life of the object.
class WINDOW_FONT {
public:
    WINDOW_FONT(CWnd* wnd, CDC* dc) : m_dc(dc) {
        const LOGFONT lf = wnd->get_effective_font();
        m_font.CreateFontIndirect(&lf);
        m_old = dc->SelectObject(&m_font);
    }
    ~WINDOW_FONT() { m_dc->SelectObject(m_old); }

private:
    CDC* m_dc;
    CFont m_font;
    CFont* m_old;
};

// A flat button-like control: the kind draws its face, then the label is
// written in the window's font.
class FLAT_BUTTON_DELEGATE : public CRUI_DELEGATE {
public:
    bool paint(CRUI_ELEMENT* element, CDC* dc) override {
        CWnd* wnd = element->get_base_wnd();
        if (!wnd || !dc) return false;
        const BWIZC_THEME& theme = *bwizc_get_active_theme();
        CRect client;
        wnd->GetClientRect(&client);
        const bool enabled = wnd->IsWindowEnabled() != FALSE;
        CRect text = client;
        const UINT align = draw_face(element, wnd, dc, client, enabled, theme, text);
        WINDOW_FONT font(wnd, dc);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(enabled ? theme.text_color : theme.disabled_text_color);
        dc->DrawText(wnd->GetWindowText(), &text, DT_SINGLELINE | DT_VCENTER | align);
        return true;
    }

protected:
    // Draws the face; narrows `text` to where the label goes and returns its
    // horizontal alignment.
    virtual UINT draw_face(CRUI_ELEMENT* element, CWnd* wnd, CDC* dc, const CRect& client, bool enabled,
                           const BWIZC_THEME& theme, CRect& text) = 0;
};

class FLAT_PUSH_BUTTON_DELEGATE : public FLAT_BUTTON_DELEGATE {
protected:
    UINT draw_face(CRUI_ELEMENT* element, CWnd* wnd, CDC* dc, const CRect& client, bool enabled,
                   const BWIZC_THEME& theme, CRect& /*text*/) override {
        dc->FillSolidRect(client, enabled && is_lit(element) ? theme.hover_color : theme.face_color);
        CBrush frame(enabled && is_default_button(wnd) ? theme.accent_color : theme.border_color);
        dc->FrameRect(client, &frame);
        if (enabled && is_default_button(wnd)) {
            CRect inner = client;
            inner.DeflateRect(1, 1);
            dc->FrameRect(inner, &frame);
        }
        return DT_CENTER;
    }
};

// Check box and radio button: the flat mark box at the left, the text after it.
class FLAT_MARK_DELEGATE : public FLAT_BUTTON_DELEGATE {
public:
    explicit FLAT_MARK_DELEGATE(bool radio) : m_radio(radio) {}

protected:
    UINT draw_face(CRUI_ELEMENT* element, CWnd* /*wnd*/, CDC* dc, const CRect& client, bool enabled,
                   const BWIZC_THEME& theme, CRect& text) override {
        int state = BST_UNCHECKED;
        if (auto* check = dynamic_cast<CCHECK_BUTTON*>(element)) state = check->get_check_state();
        if (auto* radio = dynamic_cast<CRADIO_BUTTON*>(element)) state = radio->get_check_state();
        const int top = (client.Height() - 13) / 2;
        const CRect box(0, top, 13, top + 13);
        const COLORREF frame_color = enabled && is_lit(element) ? theme.accent_color : theme.border_color;
        const COLORREF mark_color = enabled ? theme.accent_color : theme.disabled_text_color;
        CPen frame(PS_SOLID, 1, frame_color);
        CBrush fill(enabled ? (is_lit(element) ? theme.hover_color : BWIZC_COLOR_WHITE) : theme.face_color);
        CPen* old_pen = dc->SelectObject(&frame);
        CBrush* old_brush = dc->SelectObject(&fill);
        if (m_radio) {
            dc->Ellipse(box);
            if (state == BST_CHECKED) {
                CBrush dot(mark_color);
                CPen dot_pen(PS_SOLID, 1, mark_color);
                dc->SelectObject(&dot);
                dc->SelectObject(&dot_pen);
                dc->Ellipse(CRect(box.left + 3, box.top + 3, box.right - 3, box.bottom - 3));
                dc->SelectObject(&fill);
                dc->SelectObject(&frame);
            }
        } else {
            dc->Rectangle(box);
            if (state == BST_CHECKED) {
                CPen mark(PS_SOLID, 2, mark_color);
                dc->SelectObject(&mark);
                dc->MoveTo(box.left + 3, box.top + 6);
                dc->LineTo(box.left + 5, box.top + 9);
                dc->LineTo(box.left + 10, box.top + 3);
                dc->SelectObject(&frame);
            } else if (state == BST_INDETERMINATE) {
                dc->FillSolidRect(CRect(box.left + 3, box.top + 3, box.right - 3, box.bottom - 3), mark_color);
            }
        }
        dc->SelectObject(old_pen);
        dc->SelectObject(old_brush);
        text.left = 18;
        return DT_LEFT;
    }

private:
    bool m_radio;
};

// Edit and combo boxes stay native controls; their frame becomes flat.
class FLAT_FRAME_DELEGATE : public CRUI_DELEGATE {
public:
    void install(CRUI_ELEMENT* element) override {
        if (CWnd* wnd = element->get_base_wnd(); wnd && wnd->IsWindow()) {
            wnd->ModifyStyleEx(WS_EX_CLIENTEDGE, WS_EX_STATICEDGE);
        }
    }
};

// Panels: a flat fill without gradient and one-pixel border sides.
class FLAT_PANEL_DELEGATE : public CRUI_DELEGATE {
public:
    bool paint(CRUI_ELEMENT* element, CDC* dc) override {
        auto* panel = dynamic_cast<CRSTATIC*>(element);
        if (!panel || !dc) return false;
        CRect client;
        panel->GetClientRect(&client);
        if (panel->is_opaque()) {
            dc->FillSolidRect(client, panel->IsWindowEnabled() ? panel->get_background_color()
                                                               : panel->get_disabled_background_color());
        }
        const COLORREF color = panel->get_border_color();
        if (panel->get_border_side(CRSTATIC::BORDER_TOP) >= 1) dc->FillSolidRect(client.left, client.top, client.Width(), 1, color);
        if (panel->get_border_side(CRSTATIC::BORDER_RIGHT) >= 1) dc->FillSolidRect(client.right - 1, client.top, 1, client.Height(), color);
        if (panel->get_border_side(CRSTATIC::BORDER_BOTTOM) >= 1) dc->FillSolidRect(client.left, client.bottom - 1, client.Width(), 1, color);
        if (panel->get_border_side(CRSTATIC::BORDER_LEFT) >= 1) dc->FillSolidRect(client.left, client.top, 1, client.Height(), color);
        return true;
    }
};

}  // namespace

BWIZC_THEME* bwizc_get_active_theme() {
    if (!g_active_theme) g_active_theme = new BWIZC_STD_THEME;
    return g_active_theme;
}

void bwizc_set_active_theme(BWIZC_THEME* theme) {
    if (theme == g_active_theme) return;
    delete g_active_theme;
    g_active_theme = theme;
}

CRUI_FLAT_LOOK_AND_FEEL::CRUI_FLAT_LOOK_AND_FEEL() {
    m_delegates["CBUTTON_UI_DELEGATE"] = std::make_unique<FLAT_PUSH_BUTTON_DELEGATE>();
    m_delegates["CCHECK_BUTTON_UI_DELEGATE"] = std::make_unique<FLAT_MARK_DELEGATE>(false);
    m_delegates["CRADIO_BUTTON_UI_DELEGATE"] = std::make_unique<FLAT_MARK_DELEGATE>(true);
    m_delegates["CCOMBO_BOX_UI_DELEGATE"] = std::make_unique<FLAT_FRAME_DELEGATE>();
    m_delegates["CEDIT_BOX_UI_DELEGATE"] = std::make_unique<FLAT_FRAME_DELEGATE>();
    m_delegates["CPANEL_UI_DELEGATE"] = std::make_unique<FLAT_PANEL_DELEGATE>();
}

CRUI_FLAT_LOOK_AND_FEEL::~CRUI_FLAT_LOOK_AND_FEEL() = default;

CRUI_DELEGATE* CRUI_FLAT_LOOK_AND_FEEL::get_ui_delegate(const CString& class_id) {
    auto it = m_delegates.find(class_id);
    return it == m_delegates.end() ? nullptr : it->second.get();
}

CRUI_LOOK_AND_FEEL* crui_get_look_and_feel() { return g_active_laf; }

void crui_set_look_and_feel(CRUI_LOOK_AND_FEEL* laf) {
    if (laf == g_active_laf) return;
    delete g_active_laf;
    g_active_laf = laf;
}

bool crui_paint_with_delegate(CRUI_ELEMENT* element) {
    CRUI_DELEGATE* ui = element ? element->get_ui_delegate() : nullptr;
    CWnd* wnd = element ? element->get_base_wnd() : nullptr;
    if (!ui || !wnd) return false;
    CPaintDC dc(wnd);
    return ui->paint(element, &dc);
}

CSize crui_fit_button_size(const CString& label, const CSize& fixed) {
    CString text = label;
    text.Remove('&');
    const int needed =
        bwizc_text_extent(bwizc_get_active_theme()->button_font.get_logfont(), text).cx + 2 * CRUI_BUTTON_TEXT_PADDING;
    return CSize(needed > fixed.cx ? needed : fixed.cx, fixed.cy);
}
