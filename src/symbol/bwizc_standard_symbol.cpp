#include "symbol/bwizc_standard_symbol.h"

#include <algorithm>

#include "support/bwizc_global.h"
#include "symbol/crsymbol_text_metrics.h"

BWIZC_STANDARD_SYMBOL::BWIZC_STANDARD_SYMBOL(const CString& name, const CRect& box_rect)
    : CRSYMBOL_OUTLINE(name, CPoint()), m_min_box(box_rect) {}

void BWIZC_STANDARD_SYMBOL::add_input_port(const CString& name, int width, bool single_bit_as_pin) {
    m_inputs.add_tail(new PIN_INFO{name, width, single_bit_as_pin});
    m_input_size_stale = true;
}

void BWIZC_STANDARD_SYMBOL::add_output_port(const CString& name, int width, bool single_bit_as_pin) {
    m_outputs.add_tail(new PIN_INFO{name, width, single_bit_as_pin});
    m_output_size_stale = true;
}

CSize BWIZC_STANDARD_SYMBOL::max_pin_name_dim(const BWIZC_OBJ_LIST<PIN_INFO>& pins) {
    CSize largest;
    for (const PIN_INFO* pin : pins) {
        const CSize s = CRSYMBOL_TEXT::get_info_text_extent(
            CRSYMBOL_PINSTUB::get_visible_bus_name(pin->name, pin->width, pin->single_bit_as_pin));
        largest.cx = std::max(largest.cx, s.cx);
        largest.cy = std::max(largest.cy, s.cy);
    }
    return largest;
}

// ---- explicit layout ------------------------------------------------------

void BWIZC_STANDARD_SYMBOL::create_outline() {
    if (m_input_size_stale) m_max_input_size = max_pin_name_dim(m_inputs);
    if (m_output_size_stale) m_max_output_size = max_pin_name_dim(m_outputs);
    m_input_size_stale = m_output_size_stale = false;

    auto side_sizes = [](const SIDE_DESCRIPTOR& d, const CSize& names, bool has_pins, int& length, int& pitch) {
        length = d.pin_length != -1 ? d.pin_length : has_pins ? round_up_to_grid(d.length_margin + names.cx) : 0;
        pitch = d.pin_pitch != -1 ? d.pin_pitch : has_pins ? round_up_to_grid(d.gap_margin + names.cy) : 0;
    };
    int left_len = 0, left_pitch = 0, right_len = 0, right_pitch = 0;
    side_sizes(m_left, m_max_input_size, !m_inputs.is_empty(), left_len, left_pitch);
    side_sizes(m_right, m_max_output_size, !m_outputs.is_empty(), right_len, right_pitch);

    int i = 0;
    for (const PIN_INFO* pin : m_inputs) {
        add_pinstub(0, m_left.first_pin_y + i++ * left_pitch, left_len, 0, pin->name, pin->width,
                    pin->single_bit_as_pin, PIN_INPUT, HOTTEXT_BOTTOM_LEFT, CRSYMBOL_PINSTUB::TEXT_AT_START,
                    DIRHV_HORIZONTAL);
    }
    const int box_w = m_min_box.Width();
    int j = 0;
    for (const PIN_INFO* pin : m_outputs) {
        add_pinstub(left_len + box_w + right_len, m_right.first_pin_y + j++ * right_pitch, -right_len, 0, pin->name,
                    pin->width, pin->single_bit_as_pin, PIN_OUTPUT, HOTTEXT_BOTTOM_RIGHT,
                    CRSYMBOL_PINSTUB::TEXT_AT_START, DIRHV_HORIZONTAL);
    }
    const int box_h = std::max(round_up_to_grid(get_extent().Height() + std::max(left_pitch, right_pitch)),
                               m_min_box.Height());
    m_box = CRect(CPoint(left_len, 0), CSize(box_w, box_h));
    add_rect(m_box);
    add_point(get_extent().Width(), box_h + DEF_SYMBOL_BOTTOM_MARGIN);
}

// ---- automatic layout -----------------------------------------------------

namespace {

PIN_IO_TYPE io_type_of(const CString& direction) {
    if (direction == "INPUT") return PIN_INPUT;
    if (direction == "OUTPUT") return PIN_OUTPUT;
    return PIN_BIDIR;
}

// Grid units a port-order entry takes on its side: 2 for a port, N for "space{N}".
int units_of(const CRSYMBOL_AUTO_PORT_ORDER_ITEM* e) { return e->is_spacer() ? e->get_spacer_units() : 2; }

bool is_placeable_port(const CRSYMBOL_AUTO_PORT_ORDER_ITEM* e, const CRSYMBOL_PORT_USAGE_LIST& usage) {
    return e->is_placed() && !e->is_spacer() && e->get_position() >= 0 && e->get_position() < usage.get_size();
}

}  // namespace

void BWIZC_STANDARD_SYMBOL::go_thru_used_port_and_port_order_tbls(CRSYMBOL_PORT_ORDER_LIST& port_order,
                                                                  const CRSYMBOL_PORT_USAGE_LIST& port_usage) {
    for (auto* e : port_order) {
        e->set_placed(e->is_spacer());
        if (!e->is_spacer()) e->set_position(-1);
    }
    m_has_bottom_ports = false;
    for (int j = 0; j < port_usage.get_size(); ++j) {
        const CRSYMBOL_AUTO_PORT_USAGE_ITEM* port = port_usage.get_at(j);
        CRSYMBOL_AUTO_PORT_ORDER_ITEM* entry = nullptr;
        for (auto* e : port_order) {
            if (e->get_port_name() == port->get_port_name()) {
                entry = e;
                break;
            }
        }
        if (!entry) {
            entry = crsymbol_insert_port_order(port_order, port->get_port_name(),
                                               port->get_direction() == "INPUT" ? SIDE_LEFT : SIDE_RIGHT);
        }
        entry->set_placed(true);
        entry->set_position(j);
        if (entry->get_side() == SIDE_BOTTOM) m_has_bottom_ports = true;
    }
}

CSize BWIZC_STANDARD_SYMBOL::auto_max_pin_name_dim(const CRSYMBOL_PORT_ORDER_LIST& port_order,
                                                   const CRSYMBOL_PORT_USAGE_LIST& port_usage,
                                                   CRSYMBOL_SIDE side) const {
    CSize largest;
    for (const auto* e : port_order) {
        if (e->get_side() != side || !is_placeable_port(e, port_usage)) continue;
        const auto* port = port_usage.get_at(e->get_position());
        const CSize s = CRSYMBOL_TEXT::get_info_text_extent(
            CRSYMBOL_PINSTUB::get_visible_bus_name(port->get_port_name(), port->get_width(), false));
        largest.cx = std::max(largest.cx, s.cx);
        largest.cy = std::max(largest.cy, s.cy);
    }
    return largest;
}

CSize BWIZC_STANDARD_SYMBOL::auto_get_box_height_width(const CRSYMBOL_PORT_ORDER_LIST& port_order,
                                                       const CString& title, const int /*pitch*/[3],
                                                       const int pin_length[3]) const {
    // Longest run of grid units per side; a run ends where the side changes.
    int longest[3] = {0, 0, 0};
    int run = 0;
    int side = -1;
    for (const auto* e : port_order) {
        if (!e->is_placed()) continue;
        if (e->get_side() != side) {
            side = e->get_side();
            run = 0;
        }
        run += units_of(e);
        longest[side] = std::max(longest[side], run);
    }
    // The box counts a grid unit as 8 pixels; with the usual 16-pixel pitch
    // the last pin of the longest side lies on the box's bottom edge.
    int h = std::max(m_min_box.Height(), std::max(longest[SIDE_LEFT], longest[SIDE_RIGHT]) * GRID);
    int w = std::max(m_min_box.Width(), longest[SIDE_BOTTOM] * GRID + pin_length[SIDE_BOTTOM]);
    const int title_w = crsymbol_measure_text(title, CRSYMBOL_TEXT::SYM_TEXT_HEIGHT,
                                              CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME).cx;
    if (w <= 31 && title_w <= 31) {
        w = 32;
    } else {
        w = std::max(w, title_w);
    }
    return CSize(round_up_to_grid(w), round_up_to_grid(h));
}

void BWIZC_STANDARD_SYMBOL::add_side_ports(const CRSYMBOL_PORT_ORDER_LIST& port_order,
                                           const CRSYMBOL_PORT_USAGE_LIST& port_usage, const int pitch[3],
                                           const int pin_length[3], CSize box) {
    const int y0 = std::max(pitch[SIDE_LEFT], pitch[SIDE_RIGHT]);
    const int x_right = pin_length[SIDE_LEFT] + box.cx + pin_length[SIDE_RIGHT];
    int c = 0;
    int side = -1;
    for (const auto* e : port_order) {
        if (!e->is_placed()) continue;
        if (e->get_side() != side) {
            side = e->get_side();
            c = 0;
        }
        if (e->is_spacer()) {
            c += e->get_spacer_units();
            continue;
        }
        if (!is_placeable_port(e, port_usage)) continue;
        const auto* port = port_usage.get_at(e->get_position());
        const PIN_IO_TYPE io = io_type_of(port->get_direction());
        const CString& name = port->get_port_name();
        const int width = port->get_width();
        switch (e->get_side()) {
        case SIDE_LEFT:
            add_pinstub(CPoint(0, y0 + c * pitch[SIDE_LEFT] / 2), CSize(pin_length[SIDE_LEFT], 0), name, width, false,
                        io, HOTTEXT_BOTTOM_LEFT, CRSYMBOL_PINSTUB::TEXT_AT_START, DIRHV_HORIZONTAL);
            break;
        case SIDE_RIGHT:
            add_pinstub(CPoint(x_right, y0 + c * pitch[SIDE_RIGHT] / 2), CSize(-pin_length[SIDE_RIGHT], 0), name,
                        width, false, io, HOTTEXT_BOTTOM_RIGHT, CRSYMBOL_PINSTUB::TEXT_AT_START, DIRHV_HORIZONTAL);
            break;
        case SIDE_BOTTOM:
            add_pinstub(CPoint(pin_length[SIDE_LEFT] + (c + 2) * pitch[SIDE_BOTTOM] / 2,
                               box.cy + pin_length[SIDE_BOTTOM]),
                        CSize(0, -pin_length[SIDE_BOTTOM]), name, width, false, io, HOTTEXT_BOTTOM_LEFT,
                        CRSYMBOL_PINSTUB::TEXT_AT_START, DIRHV_VERTICAL);
            break;
        }
        c += 2;
    }
}

void BWIZC_STANDARD_SYMBOL::auto_create_outline(CRSYMBOL_PORT_ORDER_LIST& port_order,
                                                const CRSYMBOL_PORT_USAGE_LIST& port_usage, const CString& title) {
    go_thru_used_port_and_port_order_tbls(port_order, port_usage);
    int pitch[3], length[3];
    for (int s = SIDE_LEFT; s <= SIDE_RIGHT; ++s) {
        const CSize names = auto_max_pin_name_dim(port_order, port_usage, static_cast<CRSYMBOL_SIDE>(s));
        length[s] = round_up_to_grid(names.cx + DEF_PIN_LEN_MARGIN);
        pitch[s] = round_up_to_grid(names.cy + DEF_INTRA_PIN_GAP_MARGIN);
    }
    const CSize box = auto_get_box_height_width(port_order, title, pitch, length);
    add_side_ports(port_order, port_usage, pitch, length, box);
    m_box = CRect(CPoint(length[SIDE_LEFT], 0), box);
    add_rect(m_box);
    add_point(length[SIDE_LEFT] + box.cx + length[SIDE_RIGHT], box.cy + length[SIDE_BOTTOM]);
}

// ---- default symbol of a wizard -------------------------------------------

BWIZC_STANDARD_SYMBOL* bwizc_generate_default_symbol(CRSYMBOL_OUTLINE& symbol_outline,
                                                     CRSYMBOL_PORT_ORDER_LIST& port_order,
                                                     const CRSYMBOL_PORT_USAGE_LIST& port_usage,
                                                     const CString& title) {
    const CSize title_size =
        crsymbol_measure_text(title, CRSYMBOL_TEXT::SYM_TEXT_HEIGHT, CRSYMBOL_TEXT::SYM_TEXT_FONT_NAME);
    auto* symbol = new BWIZC_STANDARD_SYMBOL("DEFAULT_SYMBOL", CRect());
    symbol->auto_create_outline(port_order, port_usage, title);
    const CRect extent = symbol->get_extent();
    symbol_outline.add_title_text(extent.Width() / 2, extent.top + title_size.cy, title, extent.Width(),
                                  BWIZC_COLOR_TEAL, CRSYMBOL_TEXT::SYM_TEXT_HEIGHT, HOTTEXT_CENTER);
    symbol->set_origin(extent.left, BWIZC_STANDARD_SYMBOL::round_up_to_grid(title_size.cy + 16));
    symbol_outline.add_symbol_outline(symbol, -1);
    return symbol;
}
