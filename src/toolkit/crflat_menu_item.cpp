#include "toolkit/crflat_menu_item.h"

#include "platform/text_metrics.h"
#include "toolkit/crui_look_and_feel.h"

namespace {

class FLAT_MENU_ITEM_DELEGATE : public CRUI_DELEGATE {
public:
    bool paint(CRUI_ELEMENT* element, CDC* dc) override {
        auto* item = dynamic_cast<CRFLAT_MENU_ITEM*>(element);
        if (!item || !dc) return false;
        const BWIZC_THEME* theme = bwizc_get_active_theme();
        CRect client;
        item->GetClientRect(&client);
        const int mark = item->get_mark();
        const bool lit = item->is_mouse_inside() || item->is_hovering();
        COLORREF text_color = theme->text_color;
        if (mark == BST_CHECKED) {
            dc->FillSolidRect(client, theme->accent_color);
            text_color = theme->current_item_text_color;
        } else if (lit) {
            dc->FillSolidRect(client, theme->hover_color);
        }
        if (mark == BST_INDETERMINATE) {
            // The current page's group: underlined in the accent colour.
            dc->FillSolidRect(client.left, client.bottom - 3, client.Width(), 3, theme->accent_color);
            text_color = theme->title_color;
        }
        if (item->get_level() == CRFLAT_MENU_ITEM::SUB_ITEM && mark != BST_CHECKED) {
            dc->FillSolidRect(client.left, client.top + 5, 1, client.Height() - 10, theme->border_color);
        }
        const LOGFONT lf = item->get_effective_font();
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* old = dc->SelectObject(&font);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(item->IsWindowEnabled() ? text_color : theme->disabled_text_color);
        CRect text = client;
        dc->DrawText(item->GetWindowText(), &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        dc->SelectObject(old);
        return true;
    }
};

FLAT_MENU_ITEM_DELEGATE g_flat_menu_item_delegate;

}  // namespace

CRFLAT_MENU_ITEM::CRFLAT_MENU_ITEM(LEVEL level) : m_level(level) { set_ui_delegate(&g_flat_menu_item_delegate); }

void CRFLAT_MENU_ITEM::set_mark(int state) {
    m_mark = state;
    if (IsWindow()) {
        SetCheck(state);
        Invalidate();
    }
}

CSize CRFLAT_MENU_ITEM::get_text_fit_size(const LOGFONT& font) const {
    CString text = GetWindowText();
    text.Remove('&');
    return CSize(bwizc_text_extent(font, text).cx + 2 * TEXT_PADDING, HEIGHT);
}

void CRFLAT_MENU_ITEM::on_attach_control() {
    CBUTTON::on_attach_control();
    SetCheck(m_mark);
}
