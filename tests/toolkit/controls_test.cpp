#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "platform/user_input.h"
#include "toolkit_test_support.h"

namespace {

using V = std::vector<std::string>;

// The test dialog built and shown without a modal loop, so each test acts
// on the controls step by step through the platform's user actions.
class ToolkitControls : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialog = std::make_unique<CDialog>(&platform_test::test_template());
        ASSERT_TRUE(m_dialog->create_from_template());
        m_dialog->ShowWindow(SW_SHOW);
    }
    void TearDown() override { m_dialog->DestroyWindow(); }

    CDialog* dialog() { return m_dialog.get(); }
    // Binds the control to its item, heard by the recorder for the given codes.
    void attach(CCONTROL& control, UINT id, std::initializer_list<UINT> codes = {}) {
        ASSERT_TRUE(control.attach_control(id, dialog(), &recorder));
        for (UINT code : codes) control.enable_message(code);
    }

    EVENT_RECORDER recorder;

private:
    std::unique_ptr<CDialog> m_dialog;
};

}  // namespace

TEST_F(ToolkitControls, CheckBoxReportsEnabledCodesOnceAndSkipsSilentChanges) {
    CRCHECK_BUTTON check;
    attach(check, ID_CHECK);
    attach(check, ID_CHECK);  // the same listener again is still heard once
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_CHECK));
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_TRUE(check.get_val_bool());  // the value moved even though nobody heard

    check.enable_message(BN_CLICKED);
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_CHECK));
    ASSERT_EQ(recorder.values(), V{"0<1"});
    EXPECT_EQ(recorder.events[0].id, static_cast<UINT>(ID_CHECK));
    EXPECT_EQ(recorder.events[0].code, BN_CLICKED);
    EXPECT_EQ(recorder.events[0].source, &check);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);

    check.set_value_no_notify(true);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_CHECK));
    // A programmatic change reports the new value as value and as previous value.
    check.set_value(true);
    EXPECT_EQ(recorder.values(), (V{"0<1", "0<1", "1<1"}));
    EXPECT_TRUE(check.get_prev_val_bool());
    EXPECT_TRUE(check.is_button_checked());

    check.disable_message(BN_CLICKED);
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_CHECK));
    EXPECT_EQ(recorder.events.size(), 3u);
}

TEST_F(ToolkitControls, CheckBoxRestoresFromTextAndSavesOneOrZero) {
    CRCHECK_BUTTON check;
    attach(check, ID_CHECK, {BN_CLICKED});
    for (const auto& [given, checked] : {std::pair<const char*, bool>{"TRUE", true}, {"", false}, {"1", true},
                                         {"0", false}, {"true", true}, {"FALSE", false}}) {
        SCOPED_TRACE(given);
        CString text = given;
        const size_t before = recorder.events.size();
        check.on_ddx_value(CRVALUE_NOTIFIER::DDX_RESTORE, text);
        EXPECT_EQ(recorder.events.size(), before);  // restoring is silent
        check.on_ddx_value(CRVALUE_NOTIFIER::DDX_APPLY, text);
        EXPECT_EQ(recorder.events.size(), before + 1);
        EXPECT_EQ(check.GetCheck(), checked ? BST_CHECKED : BST_UNCHECKED);
        CString saved = "junk";
        check.on_ddx_value(CRVALUE_NOTIFIER::DDX_SAVE, saved);
        EXPECT_EQ(saved, checked ? "1" : "0");
    }
}

TEST_F(ToolkitControls, PlainCheckBoxTogglesSilentlyAndThreeStateByFlagOrStyle) {
    CCHECK_BUTTON plain;
    attach(plain, ID_CHECK, {BN_CLICKED});
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_CHECK));
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(plain.get_check_state(), BST_CHECKED);
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_CHECK));
    EXPECT_EQ(plain.get_check_state(), BST_UNCHECKED);

    plain.set_three_state(true);
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_CHECK));
    EXPECT_EQ(plain.GetCheck(), BST_INDETERMINATE);
    EXPECT_TRUE(plain.is_button_indeterminate());
    EXPECT_TRUE(plain.is_button_checked());
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_CHECK));
    EXPECT_EQ(plain.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(plain.get_check());

    // By the item's style: manual three-state toggles like a two-state box,
    // automatic three-state goes through indeterminate.
    for (const auto& [style, after_first] : {std::pair<UINT, int>{BS_3STATE, BST_CHECKED}, {BS_AUTO3STATE, BST_INDETERMINATE}}) {
        SCOPED_TRACE(style);
        CDialog other(&platform_test::test_template());
        ASSERT_TRUE(other.create_from_template());
        other.ShowWindow(SW_SHOW);
        other.GetDlgItem(ID_CHECK)->ModifyStyle(BS_TYPEMASK, style);
        CCHECK_BUTTON styled;
        ASSERT_TRUE(styled.attach_control(ID_CHECK, &other, nullptr));
        ASSERT_TRUE(bwizc_user_click(&other, ID_CHECK));
        EXPECT_EQ(styled.get_check_state(), after_first);
        EXPECT_EQ(styled.GetCheck(), after_first);
        ASSERT_TRUE(bwizc_user_click(&other, ID_CHECK));
        EXPECT_EQ(styled.get_check_state(), BST_UNCHECKED);
        EXPECT_EQ(styled.GetCheck(), BST_UNCHECKED);
        styled.DestroyWindow();
        other.DestroyWindow();
    }
}

TEST_F(ToolkitControls, PageStyleListenerIsNotReenteredByChangesItMakes) {
    // A page switches its listening off while it handles an event; the check
    // box it changes meanwhile must not call back into it.
    struct PAGE : CRLISTENER {
        void on_action_performed(CRABSTRACT_EVENT*) override {
            ++calls;
            set_listening(false);
            check->set_value(!check->get_val_bool());
            set_listening(true);
        }
        CRCHECK_BUTTON* check = nullptr;
        int calls = 0;
    } page;
    CRCHECK_BUTTON check;
    CRBUTTON apply;
    page.check = &check;
    ASSERT_TRUE(check.attach_control(ID_CHECK, dialog(), &page));
    ASSERT_TRUE(apply.attach_control(ID_APPLY, dialog(), &page));
    check.enable_message(BN_CLICKED);
    apply.enable_message(BN_CLICKED);
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_APPLY));
    EXPECT_EQ(page.calls, 1);
    EXPECT_TRUE(check.get_val_bool());
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
}

TEST_F(ToolkitControls, RadioGroupKeepsOneMemberCheckedWithoutTheirEvents) {
    CRRADIO_BUTTON a, b, c;
    attach(a, ID_RADIO_A);
    attach(b, ID_RADIO_B);
    attach(c, ID_RADIO_C);
    CRRADIO_BUTTON_GROUP group;
    for (CRRADIO_BUTTON* r : {&a, &b, &c}) {
        group.add_member(r);
        r->enable_message(BN_CLICKED);
        EXPECT_EQ(r->find_listener(&group), 0);  // the group hears first
    }

    a.set_value(true);
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_RADIO_C));
    EXPECT_EQ(recorder.events[1].id, static_cast<UINT>(ID_RADIO_C));  // only C's own event
    EXPECT_FALSE(a.is_button_checked());
    EXPECT_FALSE(a.get_val_bool());
    EXPECT_FALSE(b.get_val_bool());
    EXPECT_EQ(group.get_checked_member(), &c);
    EXPECT_TRUE(group.is_listening());

    // Clicking the checked one keeps it checked and still reports the click.
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_RADIO_C));
    EXPECT_EQ(recorder.values(), (V{"1<1", "1<0", "1<1"}));
    EXPECT_TRUE(c.is_button_checked());

    // Programmatic checking goes through the group too.
    b.set_value(true);
    EXPECT_TRUE(b.is_button_checked());
    EXPECT_FALSE(c.is_button_checked());
    EXPECT_FALSE(c.get_val_bool());
    CString saved;
    c.on_ddx_value(CRVALUE_NOTIFIER::DDX_SAVE, saved);
    EXPECT_EQ(saved, "0");

    // A restored value is not shown until it is applied, and keeps the previous one.
    CString text = "1";
    c.on_ddx_value(CRVALUE_NOTIFIER::DDX_RESTORE, text);
    EXPECT_TRUE(c.get_val_bool());
    EXPECT_FALSE(c.get_prev_val_bool());
    EXPECT_FALSE(c.is_button_checked());
    c.on_ddx_value(CRVALUE_NOTIFIER::DDX_APPLY, text);
    EXPECT_TRUE(c.is_button_checked());
}

TEST_F(ToolkitControls, PlainRadioButtonsReportClicksStraightToTheirGroup) {
    CRADIO_BUTTON a, b;
    attach(a, ID_RADIO_A);
    attach(b, ID_RADIO_B);
    CRRADIO_BUTTON_GROUP group;
    for (CRADIO_BUTTON* r : {&a, &b}) group.add_member(r);
    a.set_value_no_notify(true);
    ASSERT_TRUE(bwizc_user_click(dialog(), ID_RADIO_B));
    EXPECT_TRUE(b.get_val_bool());
    EXPECT_FALSE(a.get_val_bool());
    EXPECT_FALSE(a.is_button_checked());
    EXPECT_TRUE(recorder.events.empty());  // plain radio buttons raise nothing themselves
}

TEST_F(ToolkitControls, TextBoxTellsUserEditsFromProgrammaticValues) {
    CREDIT_BOX text;
    attach(text, ID_TEXT, {EN_CHANGE});
    ASSERT_TRUE(bwizc_user_type(dialog(), ID_TEXT, "ab"));
    EXPECT_EQ(recorder.events[1].code, EN_CHANGE);
    text.set_value(CString("ab"));  // shown already: nothing happens
    text.set_value(CString("xyz"));
    EXPECT_EQ(recorder.values(), (V{"a<", "ab<a", "xyz<ab"}));
    EXPECT_EQ(text.GetWindowText(), "xyz");

    text.set_value_no_notify(CString("quiet"));
    EXPECT_EQ(recorder.events.size(), 3u);
    EXPECT_EQ(text.get_val_string(), "quiet");

    // Leaving the box reports code 0x200 only to owners that asked for it.
    ASSERT_TRUE(bwizc_user_set_focus(dialog(), ID_PATTERN));
    EXPECT_EQ(recorder.events.size(), 3u);
    text.enable_message(EN_KILLFOCUS);
    ASSERT_TRUE(bwizc_user_set_focus(dialog(), ID_TEXT));
    ASSERT_TRUE(bwizc_user_set_focus(dialog(), ID_PATTERN));
    ASSERT_EQ(recorder.events.size(), 4u);
    EXPECT_EQ(recorder.events[3].code, EN_KILLFOCUS);

    CString saved;
    text.on_ddx_value(CRVALUE_NOTIFIER::DDX_SAVE, saved);
    EXPECT_EQ(saved, "quiet");
}

TEST_F(ToolkitControls, IntegerFieldFiltersKeysAndAppliesOnlyNumbers) {
    CREDIT_BOX_INTEGER_RADIX field;
    attach(field, ID_PATTERN, {EN_CHANGE});

    ASSERT_TRUE(bwizc_user_type(dialog(), ID_PATTERN, "-x"));
    EXPECT_EQ(field.GetWindowText(), "");  // negatives are off by default
    EXPECT_TRUE(recorder.events.empty());

    CString text = "12";
    field.on_ddx_value(CRVALUE_NOTIFIER::DDX_RESTORE, text);
    EXPECT_TRUE(recorder.events.empty());
    field.on_ddx_value(CRVALUE_NOTIFIER::DDX_APPLY, text);
    EXPECT_EQ(field.GetWindowText(), "12");
    text = "1a";
    field.on_ddx_value(CRVALUE_NOTIFIER::DDX_RESTORE, text);
    field.on_ddx_value(CRVALUE_NOTIFIER::DDX_APPLY, text);
    EXPECT_EQ(field.GetWindowText(), "0");

    // A lone "0" gives way to the first digit typed.
    field.SetSel(1, 1);
    ASSERT_TRUE(bwizc_user_type(dialog(), ID_PATTERN, "7"));
    EXPECT_EQ(recorder.values(), (V{"12<12", "0<1a", "7<0"}));
    EXPECT_EQ(field.get_val_int(), 7);

    field.set_value_no_notify(42);
    EXPECT_EQ(field.GetWindowText(), "42");
    EXPECT_EQ(recorder.events.size(), 3u);
    field.set_value(-5);
    EXPECT_EQ(field.GetWindowText(), "-5");
    EXPECT_EQ(recorder.events.size(), 4u);

    field.set_negative_allowed(true);
    field.SetWindowText("");
    ASSERT_TRUE(bwizc_user_type(dialog(), ID_PATTERN, "-3-"));
    EXPECT_EQ(field.GetWindowText(), "-3");
}

TEST_F(ToolkitControls, RadixComboBoxConvertsItsBuddysText) {
    CREDIT_BOX_INTEGER_RADIX field;
    CCOMBOBOX_RADIX radix;
    attach(field, ID_PATTERN, {EN_CHANGE});
    attach(radix, ID_RADIX);
    radix.set_buddy(&field);
    ASSERT_EQ(radix.GetCount(), 4);

    field.set_value(255);
    ASSERT_TRUE(bwizc_user_select(dialog(), ID_RADIX, 2));  // hexadecimal
    EXPECT_EQ(radix.get_radix(), 16);
    EXPECT_EQ(field.get_radix(), 16);
    EXPECT_EQ(field.GetWindowText(), "FF");
    EXPECT_EQ(field.get_val_string(), "FF");
    ASSERT_TRUE(bwizc_user_select(dialog(), ID_RADIX, 1));  // binary
    EXPECT_EQ(field.GetWindowText(), "11111111");

    // Binary takes only 0 and 1.
    field.SetWindowText("");
    ASSERT_TRUE(bwizc_user_type(dialog(), ID_PATTERN, "1021"));
    EXPECT_EQ(field.GetWindowText(), "101");
    ASSERT_TRUE(radix.set_radix(10));
    EXPECT_EQ(field.GetWindowText(), "5");
    EXPECT_FALSE(radix.set_radix(7));

    // A radix below 1 or the current one is ignored.
    field.on_radix_changed(0);
    field.on_radix_changed(10);
    EXPECT_EQ(field.GetWindowText(), "5");
}

TEST_F(ToolkitControls, HexBoxRebuildsWhatIsTyped) {
    CREDIT_BOX_INTEGER_HEX hex;
    attach(hex, ID_HEX, {EN_CHANGE});
    EXPECT_EQ(CString(hex.get_effective_font().lfFaceName), "Courier");

    ASSERT_TRUE(bwizc_user_type(dialog(), ID_HEX, "ab"));
    EXPECT_EQ(hex.GetWindowText(), "0xAB");
    ASSERT_TRUE(bwizc_user_paste(&hex, "0x"));
    EXPECT_EQ(hex.GetWindowText(), "0xAB");
    ASSERT_TRUE(bwizc_user_type(dialog(), ID_HEX, "CDgz"));
    EXPECT_EQ(hex.GetWindowText(), "0xABCD");
    EXPECT_EQ(hex.get_val_string(), "0xABCD");
    EXPECT_EQ(recorder.events.back().value, "0xABCD");

    // The prefix cannot be deleted.
    hex.SetSel(2, 2);
    ASSERT_TRUE(bwizc_user_type(dialog(), ID_HEX, "\b\b"));
    EXPECT_EQ(hex.GetWindowText(), "0xABCD");
}

TEST_F(ToolkitControls, ComboBoxValuesFollowSelectionsAndFallBackToTheFirstItem) {
    CRCOMBO_BOX list;
    attach(list, ID_LIST, {CBN_SELCHANGE});
    for (const char* item : {"Basic", "GIGE", "XAUI"}) list.AddString(item);

    list.set_value(CString("SONET"));  // not in the list: nothing changes
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_TRUE(recorder.events.empty());

    list.set_value(CString("GIGE"));
    EXPECT_EQ(list.GetCurSel(), 1);
    ASSERT_TRUE(bwizc_user_select(dialog(), ID_LIST, 2));
    EXPECT_EQ(list.get_prev_val_string(), "GIGE");
    list.set_cur_sel(5);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(recorder.values(), (V{"GIGE<", "XAUI<GIGE", "Basic<Basic"}));

    EXPECT_EQ(list.set_cur_sel(CString("PCI"), CString("XAUI")), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.set_cur_sel(CString("GIGE"), CString("XAUI")), 1);
    EXPECT_EQ(list.set_cur_sel(CString("PCI"), CString("SONET")), -1);
    EXPECT_EQ(list.GetCurSel(), 1);

    CString text = "XAUI";
    list.on_ddx_value(CRVALUE_NOTIFIER::DDX_RESTORE, text);
    list.on_ddx_value(CRVALUE_NOTIFIER::DDX_APPLY, text);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.on_ddx_value(CRVALUE_NOTIFIER::DDX_SAVE, text);
    EXPECT_EQ(text, "XAUI");
}

TEST_F(ToolkitControls, NumericComboBoxTakesOnlyDigits) {
    CRCOMBO_BOX_NUMERIC number;
    attach(number, ID_NUMBER, {CBN_SELCHANGE, CBN_EDITCHANGE});
    for (int n : {1, 4, 8}) number.add_item(n);
    ASSERT_EQ(number.GetCount(), 3);
    EXPECT_EQ(number.GetLBText(2), "8");

    number.set_val(0);
    EXPECT_EQ(number.GetWindowText(), "0");
    EXPECT_EQ(recorder.events.at(0).code, CBN_EDITCHANGE);

    number.SetEditSel(1, 1);
    ASSERT_TRUE(bwizc_user_type(dialog(), ID_NUMBER, "1x-6"));
    EXPECT_EQ(number.GetWindowText(), "16");
    EXPECT_EQ(number.get_val_int(), 16);
    EXPECT_EQ(number.get_prev_val_int(), 1);
    EXPECT_EQ(recorder.events.size(), 3u);

    ASSERT_TRUE(bwizc_user_select(dialog(), ID_NUMBER, 1));
    EXPECT_EQ(number.get_val_int(), 4);
    EXPECT_EQ(number.get_prev_val_int(), 16);

    number.set_value_no_notify(8);
    EXPECT_EQ(number.GetWindowText(), "8");
    EXPECT_EQ(recorder.events.size(), 4u);
}

TEST_F(ToolkitControls, ComboBoxWithItemDataAttachesDataToTheNewItem) {
    CRCOMBO_BOX_WITH_ICON icons;
    attach(icons, ID_LIST);
    EXPECT_EQ(icons.add_item(CString("Stratix"), 3, 77ul), 0);
    EXPECT_EQ(icons.add_item(CString("Cyclone"), 42ul), 1);
    EXPECT_EQ(icons.get_item_data(CString("Stratix")), 77ul);
    EXPECT_EQ(icons.get_item_data(CString("Cyclone")), 42ul);
    EXPECT_EQ(icons.get_item_icon_index(0), 3);
    EXPECT_EQ(icons.get_item_text(1), "Cyclone");
    icons.reset_contents();
    EXPECT_EQ(icons.GetCount(), 0);
    EXPECT_EQ(icons.get_item_icon_index(0), -1);
}

TEST_F(ToolkitControls, SpinButtonReportsTheChange) {
    CRSPIN_BUTTON spin;
    attach(spin, ID_SPIN);
    spin.SetRange(0, 10);
    spin.SetPos(5);
    ASSERT_TRUE(bwizc_user_spin(&spin, 1));
    EXPECT_TRUE(recorder.events.empty());
    spin.enable_message(UDN_DELTAPOS);
    ASSERT_TRUE(bwizc_user_spin(&spin, -1));
    EXPECT_EQ(recorder.values(), V{"-1<6"});
    EXPECT_EQ(recorder.events[0].code, static_cast<UINT>(-722));
    EXPECT_EQ(spin.get_delta(), -1);
}

TEST_F(ToolkitControls, EnableAndShowActOnTheWindow) {
    CRSTATIC label;
    CRSTATIC_GROUP frame;
    attach(label, ID_LABEL);
    attach(frame, ID_FRAME);
    EXPECT_EQ(label.GetWindowText(), "Channel name:");
    EXPECT_TRUE(label.GetExStyle() & WS_EX_TRANSPARENT);
    EXPECT_TRUE(label.is_control_enabled());
    label.enable_control(false);
    EXPECT_FALSE(label.is_enabled());
    EXPECT_FALSE(dialog()->GetDlgItem(ID_LABEL)->IsWindowEnabled());
    frame.show_control(false);
    EXPECT_FALSE(frame.is_control_visible());
    frame.show(true);
    EXPECT_TRUE(frame.is_visible());
}

TEST_F(ToolkitControls, FloatBoxClampsAndFormatsWhenTheUserLeavesIt) {
    CREDIT_BOX_FLOAT rate(2, 0.0f, 10.0f);
    attach(rate, ID_INTEGER, {EN_CHANGE});
    ASSERT_TRUE(bwizc_user_type(dialog(), ID_INTEGER, "3.1.41-"));
    EXPECT_EQ(rate.GetWindowText(), "3.141");  // one point, no minus
    const size_t typed = recorder.events.size();
    EXPECT_EQ(typed, 5u);

    ASSERT_TRUE(bwizc_user_set_focus(dialog(), ID_TEXT));
    EXPECT_EQ(rate.GetWindowText(), "3.14");
    EXPECT_EQ(rate.get_val_string(), "3.14");
    ASSERT_EQ(recorder.events.size(), typed + 1);
    EXPECT_EQ(recorder.events.back().prev_value, "3.141");

    rate.SetWindowText("12.5");
    ASSERT_TRUE(bwizc_user_set_focus(dialog(), ID_INTEGER));
    ASSERT_TRUE(bwizc_user_set_focus(dialog(), ID_TEXT));
    EXPECT_EQ(rate.GetWindowText(), "10.00");
    EXPECT_TRUE(rate.is_in_range());

    CREDIT_BOX_DOUBLE precise(3, -1.0, 1.0, false);
    attach(precise, ID_PATTERN);
    ASSERT_TRUE(bwizc_user_type(dialog(), ID_PATTERN, "-0.25"));
    ASSERT_TRUE(bwizc_user_set_focus(dialog(), ID_TEXT));
    EXPECT_EQ(precise.GetWindowText(), "-0.250");
}
