#include <gtest/gtest.h>

#include <utility>

#include "platform/input_driver.h"
#include "platform/user_input.h"
#include "toolkit_test_support.h"

namespace {

// Restores the previous driver when a test ends, however it ends.
struct DRIVER_GUARD {
    explicit DRIVER_GUARD(BWIZC_INPUT_DRIVER driver) : previous(bwizc_set_input_driver(std::move(driver))) {}
    ~DRIVER_GUARD() { bwizc_set_input_driver(previous); }
    BWIZC_INPUT_DRIVER previous;
};

}  // namespace

TEST(ToolkitDialog, UserActionsReachTheListenerExactlyOnceEach) {
    TOOLKIT_TEST_DIALOG dlg;
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
        .then([](CDialog* d) { return bwizc_user_click(d, ID_HELP); })
        .then([](CDialog* d) { return bwizc_user_click(d, IDOK); });
    DRIVER_GUARD guard(std::ref(script));

    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.is_done());

    // Radio A is unchecked by the group silently, the text box hears each
    // typed character, the integer box refuses the minus sign, and OK is not
    // a toolkit control.
    const std::pair<UINT, int> counts[] = {{ID_APPLY, 1}, {ID_CHECK, 1},   {ID_RADIO_A, 0}, {ID_RADIO_C, 1},
                                           {ID_LIST, 1},  {ID_NUMBER, 1},  {ID_TEXT, 6},    {ID_PATTERN, 1},
                                           {ID_RADIX, 1}, {ID_HEX, 2},     {ID_SPIN, 1},    {ID_INTEGER, 2},
                                           {ID_HELP, 1},  {IDOK, 0}};
    for (const auto& [id, n] : counts) EXPECT_EQ(dlg.count_for(id), n) << "control " << id;

    // The values outlive the windows, as the page stores them on Finish; the
    // single controls' own tests check the rest.
    EXPECT_TRUE(dlg.check.get_val_bool());
    EXPECT_EQ(dlg.list.get_val_string(), "XAUI");
    EXPECT_EQ(dlg.list.get_prev_val_string(), "Basic");
    EXPECT_EQ(dlg.pattern.get_val_string(), "101");  // 5 shown in binary
    EXPECT_EQ(dlg.hex.get_val_string(), "0x1F");
    EXPECT_EQ(dlg.integer.get_val_string(), "42");
}
