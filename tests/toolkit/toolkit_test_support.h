// Shared pieces of the toolkit tests: a listener that records every event it
// hears, and a dialog template with one item of each control kind.
#pragma once

#include <vector>

#include "platform/dialog.h"
#include "toolkit/ccontrol.h"

struct RECORDED_EVENT {
    UINT id;
    UINT code;
    CString value;
    CString prev_value;
    CCONTROL* source;
};

class EVENT_RECORDER : public CRLISTENER {
public:
    void on_action_performed(CRABSTRACT_EVENT* event) override {
        auto* change = dynamic_cast<CRCONTROL_EVENT*>(event);
        if (change == nullptr) return;
        events.push_back({change->get_control_id(), change->get_notify_code(), change->get_val_string(),
                          change->get_prev_val_string(), change->get_source_control()});
    }
    int count_for(UINT id) const {
        int n = 0;
        for (const RECORDED_EVENT& e : events) n += e.id == id ? 1 : 0;
        return n;
    }
    std::vector<RECORDED_EVENT> events;
};

enum TEST_ITEM_ID : UINT {
    ID_APPLY = 100,
    ID_CHECK = 101,
    ID_RADIO_A = 102,
    ID_RADIO_B = 103,
    ID_RADIO_C = 104,
    ID_LIST = 105,
    ID_NUMBER = 106,
    ID_TEXT = 107,
    ID_PATTERN = 108,
    ID_RADIX = 109,
    ID_HEX = 110,
    ID_SPIN = 111,
    ID_LABEL = 112,
    ID_FRAME = 113,
    ID_INTEGER = 114,
};

// One item of every kind the toolkit wraps, plus OK and Cancel.
inline BWIZC_DIALOG_TEMPLATE make_toolkit_test_template() {
    using ITEM = BWIZC_DIALOG_ITEM;
    BWIZC_DIALOG_TEMPLATE t;
    t.id = 4711;
    t.caption = "Toolkit controls";
    t.cx = 260;
    t.cy = 200;
    t.items = {
        ITEM::group_box(ID_FRAME, "Settings", 4, 4, 252, 150),
        ITEM::ltext(ID_LABEL, "Data rate:", 10, 16, 60, 8),
        ITEM::push_button(ID_APPLY, "Apply", 10, 28, 50, 14),
        ITEM::check_box(ID_CHECK, "Use loopback", 70, 28, 80, 10),
        ITEM::radio_button(ID_RADIO_A, "First", 10, 46, 40, 10, BS_AUTORADIOBUTTON | WS_GROUP),
        ITEM::radio_button(ID_RADIO_B, "Second", 60, 46, 40, 10),
        ITEM::radio_button(ID_RADIO_C, "Third", 110, 46, 40, 10),
        ITEM::combo_box(ID_LIST, 10, 62, 80, 60, CBS_DROPDOWNLIST | WS_TABSTOP),
        ITEM::combo_box(ID_NUMBER, 100, 62, 60, 60, CBS_DROPDOWN | WS_TABSTOP),
        ITEM::edit_text(ID_TEXT, 10, 80, 80, 12),
        ITEM::edit_text(ID_PATTERN, 100, 80, 80, 12),
        ITEM::combo_box(ID_RADIX, 190, 80, 50, 60, CBS_DROPDOWNLIST | WS_TABSTOP),
        ITEM::edit_text(ID_HEX, 10, 98, 80, 12),
        ITEM::spin(ID_SPIN, 100, 98, 10, 12),
        ITEM::edit_text(ID_INTEGER, 120, 98, 60, 12),
        ITEM::def_push_button(IDOK, "OK", 140, 180, 50, 14),
        ITEM::push_button(IDCANCEL, "Cancel", 200, 180, 50, 14),
    };
    return t;
}
