#include "toolkit/cpanel.h"

#include <algorithm>

CPANEL::CPANEL(UINT resource_id, LAYOUT_DIRECTION direction)
    : m_direction(direction), m_resource_id(resource_id), m_controls(10, 10) {}

CPANEL::~CPANEL() {
    for (CCONTROL_INFO* info : m_controls) delete info;
    m_controls.remove_all();
    delete m_gel;
}

BOOL CPANEL::create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) {
    if (!is_valid_window() && !CRSTATIC::create_element(id, rect, parent, owner, style)) return FALSE;
    for (CCONTROL_INFO* info : m_controls) {
        if (info == nullptr || info->element == nullptr || info->kind == ENTRY_RIGID) continue;
        if (info->element->is_valid_window()) continue;
        auto* control = dynamic_cast<CCONTROL*>(info->element);
        if (control == nullptr) continue;
        // Controls are siblings of the panel; a nested panel lives inside it.
        CWnd* host = info->kind == ENTRY_PANEL ? static_cast<CWnd*>(this) : parent;
        CWnd* host_owner = info->kind == ENTRY_PANEL ? static_cast<CWnd*>(this) : owner;
        if (!control->create_element(info->resource_id, control->get_creation_rect(), host, host_owner, info->style)) {
            continue;
        }
        control->attach_control(info->resource_id, host, this);
    }
    return TRUE;
}

CSize CPANEL::get_preferred_size() {
    const int count = m_controls.get_size();
    m_entry_rects.assign(static_cast<size_t>(count), CRect());
    int cursor_x = 0;
    int cursor_y = 0;
    // Every rectangle starts at or after the panel's origin, so the bounding
    // box is anchored there (a leading rigid block keeps its space).
    CRect bound;
    for (int i = 0; i < count; ++i) {
        const CCONTROL_INFO* info = m_controls.get_at(i);
        if (info == nullptr) continue;
        CRect rect;
        if (info->kind == ENTRY_RIGID) {
            rect = CRect(0, 0, info->rigid_width, info->rigid_height);
            cursor_x += info->rigid_width;
            cursor_y += info->rigid_height;
        } else {
            CSize size(0, 0);
            CRect margins;
            if (info->kind != ENTRY_GEL && info->element != nullptr) {
                size = info->element->get_size();
                if (size == CSize(-1, -1)) size = info->element->get_preferred_size();
                margins = info->element->get_margins_rect();
            }
            const int width = margins.left + size.cx + margins.right;
            const int height = margins.top + size.cy + margins.bottom;
            if (m_direction == HORIZONTAL) {
                rect = CRect(cursor_x, 0, cursor_x + width, height);
                cursor_x = rect.right;
            } else {
                rect = CRect(0, cursor_y, width, cursor_y + height);
                cursor_y = rect.bottom;
            }
        }
        m_entry_rects[static_cast<size_t>(i)] = rect;
        bound.right = std::max(bound.right, rect.right);
        bound.bottom = std::max(bound.bottom, rect.bottom);
    }
    return CSize(bound.Width() + m_insets.left + m_insets.right, bound.Height() + m_insets.top + m_insets.bottom);
}

void CPANEL::on_attach_control() { make_transparent(); }

BOOL CPANEL::create_in_dlg(CWnd* dialog) {
    return create_element(get_resource_id(), get_creation_rect(), dialog, dialog, 0);
}

void CPANEL::add_control(UINT resource_id, CCONTROL* control, DWORD style, CONTROL_ALIGNMENT alignment) {
    auto* info = new CCONTROL_INFO;
    info->kind = ENTRY_CONTROL;
    info->element = control;
    info->resource_id = resource_id;
    info->style = style;
    info->alignment = alignment;
    m_controls.add(info);
}

void CPANEL::add_panel(UINT resource_id, CPANEL* panel, DWORD style, CONTROL_ALIGNMENT alignment) {
    auto* info = new CCONTROL_INFO;
    info->kind = ENTRY_PANEL;
    info->element = panel;
    info->resource_id = resource_id;
    info->style = style;
    info->alignment = alignment;
    m_controls.add(info);
}

void CPANEL::add_rigid_block(int extent) {
    if (m_direction != HORIZONTAL && m_direction != VERTICAL) return;
    auto* info = new CCONTROL_INFO;
    info->kind = ENTRY_RIGID;
    info->rigid_width = m_direction == HORIZONTAL ? extent : 0;
    info->rigid_height = m_direction == VERTICAL ? extent : 0;
    m_controls.add(info);
}

CRSTATIC* CPANEL::gel_window() {
    if (m_gel == nullptr) m_gel = new CRSTATIC;
    return m_gel;
}

void CPANEL::add_gel_block() {
    auto* info = new CCONTROL_INFO;
    info->kind = ENTRY_GEL;
    info->element = gel_window();
    info->resource_id = GEL_RESOURCE_ID;
    m_controls.add(info);
}

void CPANEL::add_gel_block(COLORREF color) {
    add_gel_block();
    m_gel->set_opaque(true);
    m_gel->set_background_color(color);
}

void CPANEL::set_size(const CSize& size) {
    CRSTATIC::set_size(size);
    on_size_set();
}

void CPANEL::remove_all_controls(bool first_flag, bool destroy_controls) {
    for (CCONTROL_INFO* info : m_controls) {
        if (info == nullptr) continue;
        if (info->kind == ENTRY_PANEL && info->element != nullptr) {
            static_cast<CPANEL*>(info->element)->remove_all_controls(first_flag, destroy_controls);
        }
        const bool destroy = info->kind == ENTRY_PANEL || info->kind == ENTRY_GEL ||
                             (info->kind == ENTRY_CONTROL && destroy_controls);
        if (destroy && info->element != nullptr && info->element->is_valid_window()) info->element->destroy_element();
        delete info;
    }
    m_controls.remove_all();
    m_entry_rects.clear();
    if (m_gel != nullptr) {
        m_gel->destroy_element();
        delete m_gel;
        m_gel = nullptr;
    }
}

void CPANEL::do_layout(const CPoint& origin) {
    const CRect insets = get_inset();
    const CSize preferred = get_preferred_size();
    CSize available = get_size();
    if (available == CSize(-1, -1)) available = preferred;
    const CSize surplus = available - preferred;

    int shift_x = 0;
    int shift_y = 0;
    int last_right = 0;
    int last_bottom = 0;
    for (int i = 0; i < m_controls.get_size(); ++i) {
        const CCONTROL_INFO* info = m_controls.get_at(i);
        if (info == nullptr) continue;
        switch (info->kind) {
        case ENTRY_CONTROL:
        case ENTRY_PANEL: {
            if (info->element == nullptr) break;
            CRect rect = m_entry_rects[static_cast<size_t>(i)];
            if (m_direction == VERTICAL) {
                const int free = available.cx - insets.left - insets.right - rect.Width();
                if (info->alignment == ALIGN_RIGHT) rect.OffsetRect(free, 0);
                else if (info->alignment == ALIGN_CENTER) rect.OffsetRect(free / 2, 0);
            } else {
                const int free = available.cy - insets.top - insets.bottom - rect.Height();
                if (info->alignment == ALIGN_BOTTOM) rect.OffsetRect(0, free);
                else if (info->alignment == ALIGN_CENTER) rect.OffsetRect(0, free / 2);
            }
            const CRect margins = info->element->get_margins_rect();
            rect.left += margins.left;
            rect.top += margins.top;
            rect.right -= margins.right;
            rect.bottom -= margins.bottom;
            rect.OffsetRect(shift_x + insets.left, shift_y + insets.top);
            // A creation size pins the element's extent wherever it is placed.
            const CSize creation = info->element->get_creation_size();
            if (creation.cx != -1) rect.right = rect.left + creation.cx;
            if (creation.cy != -1) rect.bottom = rect.top + creation.cy;
            last_right = rect.right;
            last_bottom = rect.bottom;
            if (!info->element->is_valid_window()) break;
            if (info->kind == ENTRY_CONTROL) {
                CRect moved = rect;
                moved.OffsetRect(origin);
                info->element->move_element(moved, false);
            } else {
                info->element->move_element(rect, false);
                static_cast<CPANEL*>(info->element)->do_layout(rect.TopLeft());
            }
            break;
        }
        case ENTRY_GEL: {
            CRect rect;
            if (m_direction == HORIZONTAL) {
                rect = CRect(last_right, 0, last_right + surplus.cx, available.cy);
                shift_x += surplus.cx;
            } else {
                rect = CRect(0, last_bottom, available.cx, last_bottom + surplus.cy);
                shift_y += surplus.cy;
            }
            rect.OffsetRect(origin);
            if (info->element != nullptr) info->element->move_element(rect, false);
            break;
        }
        default:  // rigid blocks: their space is in the entry rectangles already
            break;
        }
    }
}

void CPANEL::paint(CDC* dc) { CRSTATIC::paint(dc); }
