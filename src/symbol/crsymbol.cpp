#include "symbol/crsymbol.h"

#include <algorithm>

#include "platform/dc.h"
#include "symbol/crsymbol_resource_rows.h"

namespace {
constexpr int INFO_MARGIN = 4;
constexpr int SEPARATOR_GAP = 16;
}  // namespace

CRSYMBOL::CRSYMBOL(UINT resource_id, CRDECORATOR_WIZARD* wizard)
    : CRDECORATOR(resource_id, CPANEL::VERTICAL, wizard) {
    set_opaque(true);
    set_background_color(BACKGROUND_COLOR);
    // Room for the separators on the left and the shadow on the right.
    set_insets(CRect(8, 8, 8 + SHADOW_OFFSET, 8));
    m_symbol_outline = new CRSYMBOL_OUTLINE("SYMBOL");
    m_info_outline = new CRSYMBOL_OUTLINE("INFO");
    for (CRSYMBOL_OUTLINE* o : {m_symbol_outline, m_info_outline}) {
        o->set_opaque(true);
        o->set_background_color(OUTLINE_COLOR);
    }
}

CRSYMBOL::~CRSYMBOL() {
    remove_all_controls(false, false);
    delete m_symbol_outline;
    delete m_info_outline;
}

void CRSYMBOL::add_controls() {
    // A page frame may ask again while the outlines are still entries.
    if (!get_controls_list().is_empty()) return;
    add_panel(CRSYMBOL_OUTLINE::SYMBOL_OUTLINE_RESOURCE_ID_BASE, m_symbol_outline, 0, ALIGN_NONE);
    add_rigid_block(SHADOW_OFFSET + SEPARATOR_GAP);
    add_panel(CRSYMBOL_OUTLINE::INFO_OUTLINE_RESOURCE_ID_BASE, m_info_outline, 0, ALIGN_NONE);
}

void CRSYMBOL::update_controls() {
    m_symbol_outline->remove_all_items();
    m_symbol_outline->set_box_symbol(true);
    m_symbol_outline->set_frame_rect(CRect(0, 0, 1, 1));
    m_symbol_outline->set_border_sides(1, 1, 1, 1);
    m_symbol_outline->set_border_color(DARK_LINE_COLOR);
    if (m_updater) m_updater(m_symbol_outline);

    m_info_outline->remove_all_items();
    fill_info_outline(std::max(m_symbol_outline->get_extent().Width(), INFO_OUTLINE_MIN_WIDTH));

    // Outlines built after the windows exist get their windows now.
    for (CRSYMBOL_OUTLINE* o : {m_symbol_outline, m_info_outline}) {
        if (o->is_valid_window()) o->create_element(o->get_resource_id(), o->get_extent(), this, this, 0);
    }
}

void CRSYMBOL::fill_info_outline(int width) {
    CRSYMBOL_OUTLINE& o = *m_info_outline;
    const int points = CRSYMBOL_TEXT::SYM_INFO_TEXT_HEIGHT;
    const COLORREF text_color = 0;
    CRSYMBOL_TEXT* title = o.add_text(width / 2, INFO_MARGIN, RESOURCE_TITLE, text_color, points, HOTTEXT_TOP_CENTER);
    int y = title->get_top() + title->get_text_height() + INFO_MARGIN;
    const COLORREF saved = o.get_color();
    o.set_color(LIGHT_LINE_COLOR);
    o.add_line(INFO_MARGIN, y - 2, width - 2 * INFO_MARGIN, 0);
    o.set_color(saved);
    const CStringArray rows = crsymbol_layout_resource_rows(m_resource_text, m_has_resource_text, width);
    for (const CString& row : rows) {
        CRSYMBOL_TEXT* t = o.add_text(INFO_MARGIN, y, row, text_color, points, HOTTEXT_TOP_LEFT);
        y = t->get_top() + t->get_text_height() + 2;
    }
    // The box keeps the full width and a margin under the last row.
    o.add_point(width - 1, y + INFO_MARGIN);
}

void CRSYMBOL::paint(CDC* dc) {
    if (dc == nullptr) return;
    CRDECORATOR::paint(dc);
    CRect client;
    GetClientRect(&client);
    // A dark and a light line set the preview apart from the page.
    CPen dark(PS_SOLID, 1, DARK_LINE_COLOR), light(PS_SOLID, 1, LIGHT_LINE_COLOR);
    CPen* old_pen = dc->SelectObject(&dark);
    dc->MoveTo(0, client.top);
    dc->LineTo(0, client.bottom);
    dc->SelectObject(&light);
    dc->MoveTo(1, client.top);
    dc->LineTo(1, client.bottom);
    dc->SelectObject(old_pen);
    if (!m_symbol_outline->is_valid_window()) return;
    CRect outline, me;
    m_symbol_outline->GetWindowRect(&outline);
    GetWindowRect(&me);
    outline.OffsetRect(SHADOW_OFFSET - me.left, SHADOW_OFFSET - me.top);
    // Every other pixel darkened: a halftone shadow that lets the background
    // show. Only the strips right of and under the outline window are seen.
    const COLORREF shadow = 0x8C8C8C;
    const int inner_right = outline.right - SHADOW_OFFSET, inner_bottom = outline.bottom - SHADOW_OFFSET;
    for (int y = outline.top; y < outline.bottom; ++y) {
        const int from = y < inner_bottom ? std::max(outline.left, inner_right) : outline.left;
        for (int x = from + ((from + y) & 1); x < outline.right; x += 2) dc->SetPixel(x, y, shadow);
    }
}
