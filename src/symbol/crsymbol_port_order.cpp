#include "symbol/crsymbol_port_order.h"

#include <cstdlib>

namespace {
const char SPACER_PREFIX[] = "space{";
}

bool CRSYMBOL_AUTO_PORT_ORDER_ITEM::is_spacer() const {
    CString lower = m_port_name;
    lower.MakeLower();
    return lower.Find(SPACER_PREFIX) == 0;
}

int CRSYMBOL_AUTO_PORT_ORDER_ITEM::get_spacer_units() const {
    if (!is_spacer()) return 0;
    // The number between the braces; anything unreadable counts as 0.
    const CString inner = m_port_name.Mid(static_cast<int>(sizeof(SPACER_PREFIX)) - 1);
    return std::atoi(inner.c_str());
}

CRSYMBOL_AUTO_PORT_ORDER_ITEM* crsymbol_insert_port_order(CRSYMBOL_PORT_ORDER_LIST& list, const CString& name,
                                                          CRSYMBOL_SIDE side) {
    auto* item = new CRSYMBOL_AUTO_PORT_ORDER_ITEM(name, side);
    for (int i = 0; i < list.get_size(); ++i) {
        if (list.get_at(i)->get_side() > side) {
            list.insert_at(i, item);
            return item;
        }
    }
    list.add(item);
    return item;
}
