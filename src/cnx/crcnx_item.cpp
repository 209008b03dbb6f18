#include "cnx/crcnx_item.h"

#include <cstring>

namespace {

// size + low - 1 in two's complement, so numbers from a hand-edited file
// cannot overflow.
int high_index(int size, int low) {
    return static_cast<int>(static_cast<unsigned>(size) + static_cast<unsigned>(low) - 1u);
}

}  // namespace

CString CRCNX_ITEM::get_dimension_string(int a_size, int a_low, int b_size, int b_low) {
    CString text;
    if (b_size > 0) text.AppendFormat("[%d..%d]", high_index(b_size, b_low), b_low);
    if (a_size > 0) text.AppendFormat("[%d..%d]", high_index(a_size, a_low), a_low);
    return text;
}

CRCNX_ITEM_USED_PORT::CRCNX_ITEM_USED_PORT(const CString& name, int a_size, int a_low, int b_size, int b_low,
                                           const CString& port_type, const CString& default_value,
                                           const CString& signal_text)
    : CRCNX_ITEM(name), m_port_type(port_type), m_a_size(a_size), m_a_low(a_low), m_b_size(b_size), m_b_low(b_low),
      m_default_value(default_value), m_signal_text(signal_text) {
    m_signal_text.TrimRight();
    if (m_signal_text.IsEmpty()) m_signal_text = name + get_dimension_string();
}

CRCNX_ITEM_CONNECTION::CRCNX_ITEM_CONNECTION(const CString& port_name, int a_size, int a_low, int b_size, int b_low,
                                             const CString& other_port_name, int other_a_size, int other_a_low,
                                             int other_b_size, int other_b_low)
    : CRCNX_ITEM(NAME_SEPARATOR), m_port_name(port_name), m_a_size(a_size), m_a_low(a_low), m_b_size(b_size),
      m_b_low(b_low), m_other_port_name(other_port_name), m_other_a_size(other_a_size),
      m_other_a_low(other_a_low), m_other_b_size(other_b_size), m_other_b_low(other_b_low) {}

namespace {

bool name_less(const CRCNX_ITEM* a, const CRCNX_ITEM* b) {
    return std::strcmp(a->get_name().c_str(), b->get_name().c_str()) < 0;
}

}  // namespace

void BWIZC_CNX_ITEM_LIST::sort_items_by_name() {
    const int n = get_size();
    // Moves the element at root down until the heap below it is ordered.
    auto sift_down = [this](int root, int end) {
        CRCNX_ITEM* item = get_at(root);
        for (int child = 2 * root + 1; child < end; child = 2 * root + 1) {
            if (child + 1 < end && name_less(get_at(child), get_at(child + 1))) ++child;
            if (!name_less(item, get_at(child))) break;
            set_at(root, get_at(child));
            root = child;
        }
        set_at(root, item);
    };
    for (int root = n / 2 - 1; root >= 0; --root) sift_down(root, n);
    for (int end = n - 1; end > 0; --end) {
        CRCNX_ITEM* top = get_at(0);
        set_at(0, get_at(end));
        set_at(end, top);
        sift_down(0, end);
    }
}
