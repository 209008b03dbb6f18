// The General page driven as a user would, through the headless input
// driver, against the real device database.
#include "platform/input_driver.h"
#include "platform/user_input.h"
#include "transceiver/kvgxb_wizard_test_support.h"
#include "transceiver/pages/kvgxb_page1.h"

namespace {

using P = KVGXB_PAGE1;

// A step that waits (a few milliseconds per try) until `done` holds.
BWIZC_INPUT_SCRIPT::STEP wait_for(std::function<bool()> done) {
    return [done](CDialog*) {
        if (done()) return true;
        bwizc_wait_for_posted_message(5);
        return false;
    };
}

bool enabled(CDialog* page, UINT id) { return page->GetDlgItem(static_cast<int>(id))->IsWindowEnabled() != FALSE; }
CString text(CDialog* page, UINT id) { return page->GetDlgItem(static_cast<int>(id))->GetWindowText(); }

}  // namespace

using KvgxbGeneralPage = KvgxbWizardTest;

TEST_F(KvgxbGeneralPage, UserChangesRunOneCycleSwapNothingTheyShouldNotAndRequeryTheClockList) {
    KVGXB_COUNTING_WIZARD w;
    const std::string design = std::string(KV2GXB_ARTIFACTS_DIR) + "/kvgxb_general_page/top.v";
    BWIZC_INPUT_SCRIPT script;
    script
        .then(wait_for([&] { return w.enumeration_done && !w.inclk_list_pending; }))
        .then([&](CDialog* page) {
            // The list holds the database's protocols once the enumeration is done.
            EXPECT_EQ(static_cast<P*>(page)->m_protocol.GetCount(), w.get_combobox_protocols().GetSize());
            w.cycles = 0;
            EXPECT_TRUE(bwizc_user_select_text(page, P::IDC_PROTOCOL, "XAUI"));
            EXPECT_EQ(w.cycles, 1);
            EXPECT_EQ(w.protocol, "XAUI");
            EXPECT_EQ(text(page, P::IDC_PROTOCOL), "XAUI");
            // XAUI fixes the mode, the inputs and the second input's list.
            for (UINT id : {P::IDC_OPMODE, P::IDC_INPUT_B, P::IDC_INPUT_SELECTION, P::IDC_INPUT_A, P::IDC_SUBPROTOCOL})
                EXPECT_FALSE(enabled(page, id)) << id;
            EXPECT_TRUE(enabled(page, P::IDC_FORCE_DEFAULTS));
            EXPECT_EQ(text(page, P::IDC_CHANNELS), bwizc_global_int2str(w.number_of_channels));
            // The same protocol again changes nothing.
            w.cycles = 0;
            bwizc_user_select_text(page, P::IDC_PROTOCOL, "XAUI");
            EXPECT_EQ(w.cycles, 0);

            EXPECT_TRUE(bwizc_user_select_text(page, P::IDC_PROTOCOL, "Basic"));
            EXPECT_TRUE(enabled(page, P::IDC_INPUT_A));
            EXPECT_FALSE(enabled(page, P::IDC_FORCE_DEFAULTS));
            w.inclk_list_pending = false;
            EXPECT_TRUE(bwizc_user_set_focus(page, P::IDC_INPUT_A));
            EXPECT_TRUE(bwizc_user_select_all(page->GetDlgItem(P::IDC_INPUT_A)));
            EXPECT_TRUE(bwizc_user_type(page, P::IDC_INPUT_A, "2.5g"));
            EXPECT_EQ(w.input_a, "2.5") << "the letter is refused, the digits before it were taken";
            EXPECT_EQ(text(page, P::IDC_INPUT_A), "2.5");
            EXPECT_TRUE(bwizc_user_set_focus(page, P::IDC_INPUT_A));
            EXPECT_TRUE(bwizc_user_select_all(page->GetDlgItem(P::IDC_INPUT_A)));
            w.inclk_list_pending = false;
            EXPECT_TRUE(bwizc_user_type(page, P::IDC_INPUT_A, "2500"));
            EXPECT_EQ(w.input_a, "2500");
            EXPECT_TRUE(w.inclk_list_pending) << "the clock list of 2500 Mbps is asked for";

            // Transmitter only: the receiver reset boxes go grey and unchecked,
            // their ports keep their flags.
            EXPECT_TRUE(bwizc_user_click(page, P::IDC_RX_DIGITALRESET));
            EXPECT_TRUE(w.is_port_used("rx_digitalreset"));
            EXPECT_TRUE(bwizc_user_select_text(page, P::IDC_OPMODE, "Transmitter only"));
            EXPECT_FALSE(enabled(page, P::IDC_RX_DIGITALRESET));
            EXPECT_EQ(static_cast<P*>(page)->m_rx_digitalreset.GetCheck(), BST_UNCHECKED);
            EXPECT_TRUE(w.is_port_used("rx_digitalreset"));
            EXPECT_TRUE(enabled(page, P::IDC_TX_DIGITALRESET));
            return true;
        })
        .then(wait_for([&] { return !w.inclk_list_pending; }))
        .then([&](CDialog* page) { return bwizc_user_key(page, VK_ESCAPE); });
    script.set_max_retries(4000);
    script.install();
    bwizc_set_deadlock_handler([](CDialog* dialog, const CString& message) {
        ADD_FAILURE() << "deadlock on " << dialog->get_dialog_name().c_str() << ": " << message.c_str();
    });
    const char* argv[] = {"kv2gxb", "-n", design.c_str()};
    bwizc_app_main(3, argv, &w);
    bwizc_set_input_driver(nullptr);
    bwizc_set_deadlock_handler(nullptr);
    EXPECT_TRUE(script.is_done());
    EXPECT_TRUE(messages.empty()) << messages.front();
}
