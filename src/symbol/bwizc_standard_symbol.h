// A brixfunction's ports laid out as a boxed schematic symbol on an 8-pixel
// grid: inputs left, outputs and bidirectional ports right, optional ports
// at the bottom.
#pragma once

#include "support/bwizc_collections.h"
#include "symbol/crsymbol_outline.h"
#include "symbol/crsymbol_port_order.h"

class BWIZC_STANDARD_SYMBOL : public CRSYMBOL_OUTLINE {
public:
    static constexpr int DEF_PIN_LEN_MARGIN = 16;
    static constexpr int DEF_INTRA_PIN_GAP_MARGIN = 4;
    static constexpr int DEF_FIRST_PIN_Y_POS = 16;
    static constexpr int DEF_SYMBOL_BOX_WIDTH = 96;
    static constexpr int DEF_SYMBOL_BOTTOM_MARGIN = 16;
    static constexpr int GRID = 8;

    struct PIN_INFO {
        CString name;
        int width = 0;  // 0 or 1: a single bit
        bool single_bit_as_pin = false;
    };

    // -1 for the pin length or pitch means "computed from the names".
    struct SIDE_DESCRIPTOR {
        int reserved = 0;
        int pin_length = -1;
        int first_pin_y = DEF_FIRST_PIN_Y_POS;
        int pin_pitch = -1;
        int gap_margin = DEF_INTRA_PIN_GAP_MARGIN;
        int length_margin = DEF_PIN_LEN_MARGIN;
    };

    BWIZC_STANDARD_SYMBOL(const CString& name, const CRect& box_rect);

    void add_input_port(const CString& name, int width, bool single_bit_as_pin);
    void add_output_port(const CString& name, int width, bool single_bit_as_pin);
    SIDE_DESCRIPTOR& get_left_side() { return m_left; }
    SIDE_DESCRIPTOR& get_right_side() { return m_right; }
    const BWIZC_OBJ_LIST<PIN_INFO>& get_input_pins() const { return m_inputs; }
    const BWIZC_OBJ_LIST<PIN_INFO>& get_output_pins() const { return m_outputs; }
    bool has_bottom_ports() const { return m_has_bottom_ports; }
    // The box rectangle of the last layout.
    const CRect& get_box_rect() const { return m_box; }

    // Explicit layout from the input and output lists.
    void create_outline() override;

    // Automatic layout from the wizard's port order and the database's ports.
    // Ports missing from the port order are added to it (the caller owns the
    // list's entries, new ones included).
    void auto_create_outline(CRSYMBOL_PORT_ORDER_LIST& port_order, const CRSYMBOL_PORT_USAGE_LIST& port_usage,
                             const CString& title);
    void go_thru_used_port_and_port_order_tbls(CRSYMBOL_PORT_ORDER_LIST& port_order,
                                               const CRSYMBOL_PORT_USAGE_LIST& port_usage);
    // Size (width, height) of the largest shown name of the used ports on `side`.
    CSize auto_max_pin_name_dim(const CRSYMBOL_PORT_ORDER_LIST& port_order,
                                const CRSYMBOL_PORT_USAGE_LIST& port_usage, CRSYMBOL_SIDE side) const;
    CSize auto_get_box_height_width(const CRSYMBOL_PORT_ORDER_LIST& port_order, const CString& title,
                                    const int pitch[3], const int pin_length[3]) const;
    void add_side_ports(const CRSYMBOL_PORT_ORDER_LIST& port_order, const CRSYMBOL_PORT_USAGE_LIST& port_usage,
                        const int pitch[3], const int pin_length[3], CSize box);
    static CSize max_pin_name_dim(const BWIZC_OBJ_LIST<PIN_INFO>& pins);

    static int round_up_to_grid(int v) { return v <= 0 ? 0 : (v + GRID - 1) / GRID * GRID; }

private:
    CRect m_min_box;
    SIDE_DESCRIPTOR m_left;
    SIDE_DESCRIPTOR m_right;
    CSize m_max_input_size;
    CSize m_max_output_size;
    bool m_input_size_stale = true;
    bool m_output_size_stale = true;
    BWIZC_OBJ_LIST<PIN_INFO> m_inputs{true};
    BWIZC_OBJ_LIST<PIN_INFO> m_outputs{true};
    bool m_has_bottom_ports = false;
    CRect m_box;
};

// The framework's default symbol of a wizard: a standard symbol named
// "DEFAULT_SYMBOL" laid out from the port tables, with `title` (the design
// file's title) centred above it, both added to `symbol_outline`. Returns the
// standard symbol, now owned by `symbol_outline`.
BWIZC_STANDARD_SYMBOL* bwizc_generate_default_symbol(CRSYMBOL_OUTLINE& symbol_outline,
                                                     CRSYMBOL_PORT_ORDER_LIST& port_order,
                                                     const CRSYMBOL_PORT_USAGE_LIST& port_usage,
                                                     const CString& title);
