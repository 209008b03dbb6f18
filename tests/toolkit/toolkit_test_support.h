// Shared pieces of the toolkit tests: a listener that records every event it
// hears, and a page-like dialog on the platform tests' template.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog.h"
#include "platform/test_dialog.h"
#include "toolkit/cbutton.h"
#include "toolkit/ccombo_box.h"
#include "toolkit/ccontrol.h"
#include "toolkit/cedit_box.h"
#include "toolkit/cpanel.h"
#include "toolkit/crradio_button_group.h"
#include "toolkit/crspin_button.h"
#include "toolkit/crstatic.h"

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
    // What was heard, one "value<previous value" text per event.
    std::vector<std::string> values() const {
        std::vector<std::string> out;
        for (const RECORDED_EVENT& e : events) out.push_back(e.value.str() + "<" + e.prev_value.str());
        return out;
    }
    int count_for(UINT id) const {
        return static_cast<int>(
            std::count_if(events.begin(), events.end(), [id](const RECORDED_EVENT& e) { return e.id == id; }));
    }
    std::vector<RECORDED_EVENT> events;
};

// The platform tests' template, its items named as the toolkit tests use them.
enum TEST_ITEM_ID : UINT {
    ID_APPLY = platform_test::IDC_APPLY,      ID_CHECK = platform_test::IDC_FEATURE,
    ID_RADIO_A = platform_test::IDC_RADIX10,  ID_RADIO_B = platform_test::IDC_RADIX16,
    ID_RADIO_C = platform_test::IDC_RADIX2,   ID_LIST = platform_test::IDC_DROPLIST,
    ID_NUMBER = platform_test::IDC_DROPDOWN,  ID_TEXT = platform_test::IDC_NAME,
    ID_PATTERN = platform_test::IDC_PATTERN,  ID_RADIX = platform_test::IDC_RADIX,
    ID_HEX = platform_test::IDC_HEX,          ID_SPIN = platform_test::IDC_SPIN,
    ID_LABEL = platform_test::IDC_LABEL,      ID_FRAME = platform_test::IDC_GROUP,
    ID_INTEGER = platform_test::IDC_INTEGER,  ID_BAR = 120,
    ID_HELP = 121,
};

// A page-like dialog: one toolkit control of each kind bound to its template
// item, with the dialog itself as the listener, the way pages register them.
class TOOLKIT_TEST_DIALOG : public CDialog, public EVENT_RECORDER {
public:
    TOOLKIT_TEST_DIALOG() : CDialog(&platform_test::test_template()) {}

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (const auto& [control, id] : std::initializer_list<std::pair<CCONTROL*, UINT>>{
                 {&label, ID_LABEL}, {&frame, ID_FRAME}, {&apply, ID_APPLY}, {&check, ID_CHECK},
                 {&radio_a, ID_RADIO_A}, {&radio_b, ID_RADIO_B}, {&radio_c, ID_RADIO_C}, {&list, ID_LIST},
                 {&number, ID_NUMBER}, {&text, ID_TEXT}, {&pattern, ID_PATTERN}, {&radix, ID_RADIX},
                 {&hex, ID_HEX}, {&spin, ID_SPIN}, {&integer, ID_INTEGER}}) {
            control->attach_control(id, this, this);
        }
        radix.set_buddy(&pattern);

        // A bar built from code below the template's items: a gel block
        // pushes the Help button to the right edge.
        help.SetWindowText("Help");
        help.set_size({60, 20});
        help.set_margins(CRect(4, 4, 4, 4));
        bar.set_opaque(true);
        bar.set_background_color(BAR_COLOR);
        bar.set_border_color(RGB(0x3F, 0x3F, 0x3F));
        bar.set_border_sides(1, 0, 0, 0);
        bar.add_gel_block(BAR_COLOR);
        bar.add_control(ID_HELP, &help, 0, CPANEL::ALIGN_CENTER);
        // The dialog grows by the bar's height, so the bar covers no item.
        CRect client, frame;
        GetClientRect(&client);
        GetWindowRect(&frame);
        const CSize bar_size(client.Width(), 32);
        MoveWindow(frame.left, frame.top, frame.Width(), frame.Height() + bar_size.cy);
        bar.set_creation_size(bar_size);
        bar.create_in_dlg(this);
        bar.set_size(bar_size);
        const CPoint bar_origin(0, client.Height());
        bar.move_element(CRect(bar_origin, bar_size), true);
        bar.do_layout(bar_origin);
        help.add_listener(this);
        help.enable_message(BN_CLICKED);
        for (CRRADIO_BUTTON* r : {&radio_a, &radio_b, &radio_c}) group.add_member(r);

        for (CCONTROL* c : std::initializer_list<CCONTROL*>{&apply, &check, &radio_a, &radio_b, &radio_c})
            c->enable_message(BN_CLICKED);
        for (CCONTROL* c : std::initializer_list<CCONTROL*>{&list, &number, &radix}) {
            c->enable_message(CBN_SELCHANGE);
            c->enable_message(CBN_EDITCHANGE);
        }
        for (CCONTROL* c : std::initializer_list<CCONTROL*>{&text, &pattern, &hex, &integer})
            c->enable_message(EN_CHANGE);
        spin.enable_message(UDN_DELTAPOS);
        for (const char* item : {"Basic", "GIGE", "XAUI"}) list.AddString(item);
        for (int n : {1, 2, 4}) number.add_item(n);
        spin.SetRange(0, 9);

        // The values a page would restore and apply; not user actions, so
        // they are forgotten before the user starts.
        radio_a.set_value(true);
        list.set_value(CString("Basic"));
        events.clear();
        return TRUE;
    }

    static constexpr COLORREF BAR_COLOR = RGB(0x20, 0x60, 0xC0);
    CRSTATIC label;
    CRSTATIC_GROUP frame;
    CRBUTTON apply;
    CRCHECK_BUTTON check;
    CRRADIO_BUTTON radio_a, radio_b, radio_c;
    CRRADIO_BUTTON_GROUP group;
    CRCOMBO_BOX list;
    CRCOMBO_BOX_NUMERIC number;
    CREDIT_BOX text;
    CREDIT_BOX_INTEGER_RADIX pattern;
    CCOMBOBOX_RADIX radix;
    CREDIT_BOX_INTEGER_HEX hex;
    CRSPIN_BUTTON spin;
    CREDIT_BOX_INTEGER integer;
    CPANEL bar{ID_BAR, CPANEL::HORIZONTAL};
    CRBUTTON help;
};
