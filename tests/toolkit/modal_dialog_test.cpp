#include <gtest/gtest.h>

#include "platform/input_driver.h"
#include "platform/user_input.h"
#include "toolkit/cbutton.h"
#include "toolkit/ccombo_box.h"
#include "toolkit/cedit_box.h"
#include "toolkit/crradio_button_group.h"
#include "toolkit/crspin_button.h"
#include "toolkit/crstatic.h"
#include "toolkit_test_support.h"

namespace {

// A page-like dialog: one toolkit control of each kind bound to its template
// item, with the dialog itself as the listener, the way pages register them.
class TOOLKIT_TEST_DIALOG : public CDialog, public EVENT_RECORDER {
public:
    explicit TOOLKIT_TEST_DIALOG(const BWIZC_DIALOG_TEMPLATE* tmpl) : CDialog(tmpl) {}

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        label.attach_control(ID_LABEL, this, this);
        frame.attach_control(ID_FRAME, this, this);
        apply.attach_control(ID_APPLY, this, this);
        check.attach_control(ID_CHECK, this, this);
        radio_a.attach_control(ID_RADIO_A, this, this);
        radio_b.attach_control(ID_RADIO_B, this, this);
        radio_c.attach_control(ID_RADIO_C, this, this);
        list.attach_control(ID_LIST, this, this);
        number.attach_control(ID_NUMBER, this, this);
        text.attach_control(ID_TEXT, this, this);
        pattern.attach_control(ID_PATTERN, this, this);
        radix.attach_control(ID_RADIX, this, this);
        hex.attach_control(ID_HEX, this, this);
        spin.attach_control(ID_SPIN, this, this);
        integer.attach_control(ID_INTEGER, this, this);
        radix.set_buddy(&pattern);
        for (CRRADIO_BUTTON* r : {&radio_a, &radio_b, &radio_c}) group.add_member(r);

        for (CCONTROL* c : std::initializer_list<CCONTROL*>{&apply, &check, &radio_a, &radio_b, &radio_c}) {
            c->enable_message(BN_CLICKED);
        }
        for (CCONTROL* c : std::initializer_list<CCONTROL*>{&list, &number, &radix}) {
            c->enable_message(CBN_SELCHANGE);
            c->enable_message(CBN_EDITCHANGE);
        }
        for (CCONTROL* c : std::initializer_list<CCONTROL*>{&text, &pattern, &hex, &integer}) {
            c->enable_message(EN_CHANGE);
        }
        spin.enable_message(UDN_DELTAPOS);
        for (const char* item : {"Basic", "GIGE", "XAUI"}) list.AddString(item);
        for (int n : {1, 2, 4}) number.add_item(n);
        spin.SetRange(0, 9);

        // The values a page would restore and apply; not user actions, so
        // they are forgotten before the user starts.
        radio_a.set_value(true);
        list.set_value(CString("Basic"));
        events.clear();
        if (end_at_once) EndDialog(IDABORT);
        return TRUE;
    }

    bool end_at_once = false;
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
};

// Restores the previous driver when a test ends, however it ends.
struct DRIVER_GUARD {
    explicit DRIVER_GUARD(BWIZC_INPUT_DRIVER driver) : previous(bwizc_set_input_driver(std::move(driver))) {}
    ~DRIVER_GUARD() { bwizc_set_input_driver(previous); }
    BWIZC_INPUT_DRIVER previous;
};

}  // namespace

TEST(ToolkitDialog, UserActionsReachTheListenerExactlyOnceEach) {
    const BWIZC_DIALOG_TEMPLATE tmpl = make_toolkit_test_template();
    TOOLKIT_TEST_DIALOG dlg(&tmpl);
    BWIZC_INPUT_SCRIPT script;
    script.then([](CDialog* d) { return bwizc_user_click(d, ID_APPLY); })
        .then([](CDialog* d) { return bwizc_user_click(d, ID_CHECK); })
        .then([](CDialog* d) { return bwizc_user_click(d, ID_RADIO_C); })
        .then([](CDialog* d) { return bwizc_user_select(d, ID_LIST, 2); })
        .then([](CDialog* d) { return bwizc_user_select(d, ID_NUMBER, 2); })
        .then([](CDialog* d) { return bwizc_user_type(d, ID_TEXT, "8b/10b"); })
        .then([](CDialog* d) { return bwizc_user_type(d, ID_PATTERN, "5"); })
        .then([](CDialog* d) { return bwizc_user_select(d, ID_RADIX, 1); })
        .then([](CDialog* d) { return bwizc_user_type(d, ID_HEX, "1f"); })
        .then([](CDialog* d) { return bwizc_user_spin(d->GetDlgItem(ID_SPIN), 1); })
        .then([](CDialog* d) { return bwizc_user_type(d, ID_INTEGER, "-42"); })
        .then([](CDialog* d) { return bwizc_user_click(d, IDOK); });
    DRIVER_GUARD guard(std::ref(script));

    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.is_done());

    EXPECT_EQ(dlg.count_for(ID_APPLY), 1);
    EXPECT_EQ(dlg.count_for(ID_CHECK), 1);
    EXPECT_EQ(dlg.count_for(ID_RADIO_A), 0);  // unchecked by the group, silently
    EXPECT_EQ(dlg.count_for(ID_RADIO_C), 1);
    EXPECT_EQ(dlg.count_for(ID_LIST), 1);
    EXPECT_EQ(dlg.count_for(ID_NUMBER), 1);
    EXPECT_EQ(dlg.count_for(ID_TEXT), 6);  // one per typed character
    EXPECT_EQ(dlg.count_for(ID_PATTERN), 1);
    EXPECT_EQ(dlg.count_for(ID_RADIX), 1);
    EXPECT_EQ(dlg.count_for(ID_HEX), 2);
    EXPECT_EQ(dlg.count_for(ID_SPIN), 1);
    EXPECT_EQ(dlg.count_for(ID_INTEGER), 2);  // the minus sign is refused
    EXPECT_EQ(dlg.count_for(IDOK), 0);  // not a toolkit control

    // The values as the page would store them on Finish.
    EXPECT_TRUE(dlg.check.get_val_bool());
    EXPECT_TRUE(dlg.radio_c.get_val_bool());
    EXPECT_FALSE(dlg.radio_a.get_val_bool());
    EXPECT_EQ(dlg.list.get_val_string(), "XAUI");
    EXPECT_EQ(dlg.list.get_prev_val_string(), "Basic");
    EXPECT_EQ(dlg.number.get_val_int(), 4);
    EXPECT_EQ(dlg.text.get_val_string(), "8b/10b");
    EXPECT_EQ(dlg.pattern.get_val_string(), "101");  // 5 shown in binary
    EXPECT_EQ(dlg.hex.get_val_string(), "0x1F");
    EXPECT_EQ(dlg.spin.get_delta(), 1);
    EXPECT_EQ(dlg.integer.get_val_string(), "42");
}

TEST(ToolkitDialog, DialogEndedWhileStartingReturnsAtOnce) {
    const BWIZC_DIALOG_TEMPLATE tmpl = make_toolkit_test_template();
    TOOLKIT_TEST_DIALOG dlg(&tmpl);
    dlg.end_at_once = true;
    int driver_calls = 0;
    DRIVER_GUARD guard([&driver_calls](CDialog*) {
        ++driver_calls;
        return false;
    });
    EXPECT_EQ(dlg.DoModal(), IDABORT);
    EXPECT_EQ(driver_calls, 0);
    EXPECT_TRUE(dlg.events.empty());
    EXPECT_FALSE(dlg.check.is_valid_window());  // the windows are gone again
}
