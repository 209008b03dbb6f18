// The records that feed automatic pin placement: where the wizard wants each
// port (port order) and which ports the brixfunction database says exist
// (port usage).
#pragma once

#include "platform/cstring.h"
#include "support/bwizc_collections.h"
#include "support/bwizc_object.h"

enum CRSYMBOL_SIDE { SIDE_LEFT = 0, SIDE_BOTTOM = 1, SIDE_RIGHT = 2 };

class CRSYMBOL_AUTO_PORT_ORDER_ITEM : public BWIZC_OBJECT {
public:
    CRSYMBOL_AUTO_PORT_ORDER_ITEM(const CString& port_name, CRSYMBOL_SIDE side)
        : BWIZC_OBJECT(port_name), m_port_name(port_name), m_side(side) {}

    const CString& get_port_name() const { return m_port_name; }
    CRSYMBOL_SIDE get_side() const { return m_side; }
    int get_position() const { return m_position; }
    void set_position(int p) { m_position = p; }
    bool is_placed() const { return m_placed; }
    void set_placed(bool p) { m_placed = p; }
    // "space{N}" (any letter case) reserves N grid units instead of a pin.
    bool is_spacer() const;
    int get_spacer_units() const;

private:
    CString m_port_name;
    CRSYMBOL_SIDE m_side;
    int m_position = -1;
    bool m_placed = false;
};

// A port of the brixfunction as its database describes it.
class CRSYMBOL_AUTO_PORT_USAGE_ITEM : public BWIZC_OBJECT {
public:
    CRSYMBOL_AUTO_PORT_USAGE_ITEM(const CString& port_name, const CString& description, const CString& direction,
                                  int width, int type = 0, int msb = -1, int lsb = -1)
        : BWIZC_OBJECT(port_name), m_port_name(port_name), m_description(description), m_type(type),
          m_width(width), m_msb(msb), m_lsb(lsb), m_direction(direction) {}

    const CString& get_port_name() const { return m_port_name; }
    const CString& get_description() const { return m_description; }
    // "INPUT", "OUTPUT" or "BIDIR".
    const CString& get_direction() const { return m_direction; }
    int get_width() const { return m_width; }
    int get_type() const { return m_type; }
    int get_msb() const { return m_msb; }
    int get_lsb() const { return m_lsb; }

private:
    CString m_port_name;
    CString m_description;
    int m_type;
    int m_width;
    int m_msb;
    int m_lsb;
    CString m_direction;
};

using CRSYMBOL_PORT_ORDER_LIST = BWIZC_ARRAY<CRSYMBOL_AUTO_PORT_ORDER_ITEM*>;
using CRSYMBOL_PORT_USAGE_LIST = BWIZC_ARRAY<CRSYMBOL_AUTO_PORT_USAGE_ITEM*>;

// Keeps the list sorted by side: the new entry goes before the first entry of
// a greater side, so entries of one side stay in registration order. The list
// owns nothing; the caller deletes the entries.
CRSYMBOL_AUTO_PORT_ORDER_ITEM* crsymbol_insert_port_order(CRSYMBOL_PORT_ORDER_LIST& list, const CString& name,
                                                          CRSYMBOL_SIDE side);
