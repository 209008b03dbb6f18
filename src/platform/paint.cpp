// The standard look of the controls, drawn through CDC so that every backend
// (and the recording one) shows the same thing for the windows it paints itself.
#include <algorithm>

#include "platform/controls.h"
#include "platform/text_metrics.h"
#include "platform/window.h"

COLORREF GetSysColor(int index) {
    switch (index) {
    case COLOR_WINDOW:
    case COLOR_BTNHIGHLIGHT:
    case COLOR_HIGHLIGHTTEXT:
        return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT:
        return RGB(0, 120, 215);
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    case COLOR_BTNSHADOW:
        return RGB(160, 160, 160);
    case COLOR_GRAYTEXT:
        return RGB(109, 109, 109);
    default:
        return RGB(0, 0, 0);
    }
}

namespace {

void draw_image(CDC& dc, BWIZC_IMAGE image, const CRect& cell) {
    if (image == BWIZC_IMAGE_NONE) return;
    CRect box(cell.left + 2, cell.top + (cell.Height() - 13) / 2, cell.left + 15, cell.top + (cell.Height() - 13) / 2 + 13);
    if (image == BWIZC_IMAGE_GROUP || image == BWIZC_IMAGE_GROUP_MARKED) {
        // A folder-like tab for group rows.
        COLORREF c = image == BWIZC_IMAGE_GROUP_MARKED ? RGB(0, 120, 215) : RGB(160, 160, 160);
        dc.FillSolidRect(CRect(box.left, box.top + 3, box.right, box.bottom - 1), c);
        dc.FillSolidRect(CRect(box.left, box.top + 1, box.left + 6, box.top + 3), c);
        return;
    }
    bool fixed = image == BWIZC_IMAGE_CHECK_ON_DISABLED;
    dc.FillSolidRect(box, fixed ? GetSysColor(COLOR_BTNFACE) : RGB(255, 255, 255));
    CBrush frame(RGB(51, 51, 51));
    dc.FrameRect(box, &frame);
    if (image == BWIZC_IMAGE_CHECK_ON || fixed) {
        CPen pen(PS_SOLID, 2, fixed ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(box.left + 3, box.top + 6);
        dc.LineTo(box.left + 5, box.top + 9);
        dc.LineTo(box.left + 10, box.top + 3);
        dc.SelectObject(old);
    }
}

}  // namespace

void CWnd::default_paint(CDC& dc) {
    const BWIZC_WND_STATE& s = m_state;
    CRect client;
    GetClientRect(&client);
    COLORREF text_color = s.enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(text_color);
    switch (s.kind) {
    case BWIZC_KIND_STATIC: {
        DWORD type = s.style & SS_TYPEMASK;
        if (type == SS_ETCHEDHORZ) {
            dc.FillSolidRect(CRect(0, 0, client.right, 1), GetSysColor(COLOR_BTNSHADOW));
            dc.FillSolidRect(CRect(0, 1, client.right, 2), GetSysColor(COLOR_BTNHIGHLIGHT));
            return;
        }
        if (type == SS_ETCHEDVERT) {
            dc.FillSolidRect(CRect(0, 0, 1, client.bottom), GetSysColor(COLOR_BTNSHADOW));
            dc.FillSolidRect(CRect(1, 0, 2, client.bottom), GetSysColor(COLOR_BTNHIGHLIGHT));
            return;
        }
        if (type == SS_ETCHEDFRAME) {
            dc.Draw3dRect(client, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
            return;
        }
        // The parent may choose colours and a background brush.
        HBRUSH brush = nullptr;
        if (m_parent)
            brush = reinterpret_cast<HBRUSH>(
                m_parent->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(&dc), reinterpret_cast<LPARAM>(m_hWnd)));
        if (brush) dc.FillRect(client, brush);
        if (!s.enabled) dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        UINT fmt = DT_WORDBREAK | (type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT);
        if (s.style & SS_NOPREFIX) fmt |= DT_NOPREFIX;
        if (s.style & SS_CENTERIMAGE) fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
        CRect r = client;
        dc.DrawText(s.text, &r, fmt);
        return;
    }
    case BWIZC_KIND_BUTTON: {
        DWORD type = s.style & BS_TYPEMASK;
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        if (type == BS_GROUPBOX) {
            int top = tm.tmHeight / 2;
            dc.Draw3dRect(CRect(0, top, client.right, client.bottom), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
            if (!s.text.IsEmpty()) {
                CRect t(8, 0, client.right - 8, tm.tmHeight);
                dc.DrawText(s.text, &t, DT_SINGLELINE | DT_CALCRECT);
                dc.FillSolidRect(CRect(t.left - 2, t.top, t.right + 2, t.bottom), GetSysColor(COLOR_BTNFACE));
                dc.SetBkMode(TRANSPARENT);
                dc.DrawText(s.text, &t, DT_SINGLELINE);
            }
            return;
        }
        bool check = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
        bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        if (check || radio) {
            int box_top = (client.Height() - 13) / 2;
            CRect box(0, box_top, 13, box_top + 13);
            CPen frame(PS_SOLID, 1, RGB(51, 51, 51));
            CBrush fill(s.enabled ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE));
            CPen* old_pen = dc.SelectObject(&frame);
            CBrush* old_brush = dc.SelectObject(&fill);
            if (radio) {
                dc.Ellipse(box);
                if (s.check) {
                    CBrush dot(text_color);
                    dc.SelectObject(&dot);
                    dc.Ellipse(CRect(box.left + 4, box.top + 4, box.right - 4, box.bottom - 4));
                    dc.SelectObject(&fill);
                }
            } else {
                dc.Rectangle(box);
                if (s.check == BST_CHECKED) {
                    CPen mark(PS_SOLID, 2, text_color);
                    dc.SelectObject(&mark);
                    dc.MoveTo(box.left + 3, box.top + 6);
                    dc.LineTo(box.left + 5, box.top + 9);
                    dc.LineTo(box.left + 10, box.top + 3);
                    dc.SelectObject(&frame);
                } else if (s.check == BST_INDETERMINATE) {
                    dc.FillSolidRect(CRect(box.left + 3, box.top + 3, box.right - 3, box.bottom - 3), text_color);
                }
            }
            dc.SelectObject(old_pen);
            dc.SelectObject(old_brush);
            CRect t(18, 0, client.right, client.bottom);
            dc.DrawText(s.text, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            return;
        }
        // Push button
        dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
        bool is_default = type == BS_DEFPUSHBUTTON;
        dc.Draw3dRect(client, is_default ? RGB(0, 120, 215) : GetSysColor(COLOR_BTNSHADOW),
                      is_default ? RGB(0, 120, 215) : RGB(100, 100, 100));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(text_color);
        CRect t = client;
        dc.DrawText(s.text, &t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        return;
    }
    case BWIZC_KIND_EDIT:
    case BWIZC_KIND_COMBOBOX:
    case BWIZC_KIND_LISTBOX: {
        bool read_only = s.kind == BWIZC_KIND_EDIT && (s.style & ES_READONLY);
        dc.FillSolidRect(client, s.enabled && !read_only ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(text_color);
        // WS_EX_STATICEDGE is the flat look's frame: one darker pixel.
        const bool flat = (s.ex_style & WS_EX_STATICEDGE) != 0;
        CBrush frame(flat ? RGB(122, 122, 122) : GetSysColor(COLOR_BTNSHADOW));
        dc.FrameRect(client, &frame);
        if (!flat && s.kind != BWIZC_KIND_LISTBOX) {
            // The standard frame is sunken: a second, darker line inside.
            dc.FillSolidRect(CRect(1, 1, client.right - 1, 2), RGB(100, 100, 100));
            dc.FillSolidRect(CRect(1, 1, 2, client.bottom - 1), RGB(100, 100, 100));
        }
        if (s.kind == BWIZC_KIND_LISTBOX) {
            int h = bwizc_text_metrics(dc.get_font()).tmHeight;
            for (size_t i = 0; i < s.items.size(); ++i) {
                CRect r(2, 2 + static_cast<int>(i) * h, client.right - 2, 2 + static_cast<int>(i + 1) * h);
                if (static_cast<int>(i) == s.cur_sel) dc.FillSolidRect(r, GetSysColor(COLOR_HIGHLIGHT));
                dc.SetTextColor(static_cast<int>(i) == s.cur_sel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text_color);
                dc.DrawText(s.items[i].text, &r, DT_SINGLELINE | DT_NOPREFIX);
            }
            return;
        }
        CRect t(3, 0, client.right - 3, std::min(client.bottom, bwizc_text_metrics(dc.get_font()).tmHeight + 8));
        if (s.kind == BWIZC_KIND_COMBOBOX && (s.style & CBS_TYPEMASK) != CBS_SIMPLE) {
            // The drop-down arrow.
            int ax = client.right - 12, ay = t.Height() / 2 - 2;
            CPoint arrow[3] = {{ax, ay}, {ax + 7, ay}, {ax + 3, ay + 4}};
            CPen pen(PS_SOLID, 1, text_color);
            CBrush fill(text_color);
            CPen* op = dc.SelectObject(&pen);
            CBrush* ob = dc.SelectObject(&fill);
            dc.Polygon(arrow, 3);
            dc.SelectObject(op);
            dc.SelectObject(ob);
            t.right -= 16;
        }
        dc.DrawText(s.text, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        return;
    }
    case BWIZC_KIND_SLIDER: {
        bool vertical = (s.style & TBS_VERT) != 0;
        int span = std::max(1, s.range_max - s.range_min);
        // Tick marks with TBS_AUTOTICKS: one every tic_freq steps, right of or below the track.
        const int tic_step = (s.style & TBS_AUTOTICKS) ? std::max(1, s.tic_freq) : 0;
        if (vertical) {
            int x = client.Width() / 2;
            dc.FillSolidRect(CRect(x - 2, 5, x + 2, client.bottom - 5), GetSysColor(COLOR_BTNSHADOW));
            for (int v = s.range_min; tic_step > 0 && v <= s.range_max; v += tic_step) {
                int ty = 5 + (client.Height() - 10) * (v - s.range_min) / span;
                dc.FillSolidRect(CRect(x + 10, ty, x + 14, ty + 1), GetSysColor(COLOR_BTNSHADOW));
            }
            int y = 5 + (client.Height() - 10) * (s.pos - s.range_min) / span;
            dc.FillSolidRect(CRect(x - 8, y - 3, x + 8, y + 3), RGB(0, 120, 215));
        } else {
            int y = client.Height() / 2;
            dc.FillSolidRect(CRect(5, y - 2, client.right - 5, y + 2), GetSysColor(COLOR_BTNSHADOW));
            for (int v = s.range_min; tic_step > 0 && v <= s.range_max; v += tic_step) {
                int tx = 5 + (client.Width() - 10) * (v - s.range_min) / span;
                dc.FillSolidRect(CRect(tx, y + 10, tx + 1, y + 14), GetSysColor(COLOR_BTNSHADOW));
            }
            int x = 5 + (client.Width() - 10) * (s.pos - s.range_min) / span;
            dc.FillSolidRect(CRect(x - 3, y - 8, x + 3, y + 8), RGB(0, 120, 215));
        }
        return;
    }
    case BWIZC_KIND_LISTCTRL: {
        const auto* list = dynamic_cast<const CListCtrl*>(this);
        if (!list) return;
        dc.FillSolidRect(client, GetSysColor(COLOR_WINDOW));
        CBrush frame(GetSysColor(COLOR_BTNSHADOW));
        dc.FrameRect(client, &frame);
        int hh = list->get_header_height();
        int rh = list->get_row_height();
        int x = 0;
        dc.SetBkMode(TRANSPARENT);
        if (!s.columns.empty()) dc.FillSolidRect(CRect(0, 0, client.right, hh), GetSysColor(COLOR_BTNFACE));
        for (const auto& c : s.columns) {
            CRect h(x, 0, x + c.width, hh);
            dc.FillSolidRect(h, GetSysColor(COLOR_BTNFACE));
            dc.FillSolidRect(CRect(h.right - 1, 0, h.right, hh), GetSysColor(COLOR_BTNSHADOW));
            CRect t(h.left + 6, 0, h.right - 2, hh);
            dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
            dc.DrawText(c.heading, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            x += c.width;
        }
        CImageList* images = list->GetImageList(LVSIL_SMALL);
        for (size_t i = 0; i < s.items.size(); ++i) {
            const BWIZC_LIST_ITEM& it = s.items[i];
            int top = hh + static_cast<int>(i) * rh;
            bool selected = (it.state & LVIS_SELECTED) != 0;
            if (selected) dc.FillSolidRect(CRect(0, top, std::max(x, client.right), top + rh), GetSysColor(COLOR_HIGHLIGHT));
            dc.SetTextColor(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text_color);
            int cx = 0;
            for (size_t c = 0; c < s.columns.size(); ++c) {
                CRect cell(cx, top, cx + s.columns[c].width, top + rh);
                CRect t(cell.left + 6, cell.top, cell.right - 2, cell.bottom);
                if (c == 0 && images && it.image >= 0) {
                    draw_image(dc, images->get_image(it.image), cell);
                    t.left = cell.left + 20;
                }
                const CString& text = c == 0 ? it.text : (c - 1 < it.sub_items.size() ? it.sub_items[c - 1] : CString());
                dc.DrawText(text, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
                cx += s.columns[c].width;
            }
        }
        return;
    }
    case BWIZC_KIND_SPIN: {
        dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
        dc.Draw3dRect(CRect(0, 0, client.right, client.bottom / 2), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        dc.Draw3dRect(CRect(0, client.bottom / 2, client.right, client.bottom), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    case BWIZC_KIND_DIALOG:
    case BWIZC_KIND_CUSTOM:
    default:
        return;
    }
}
