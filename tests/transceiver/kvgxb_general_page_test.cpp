// The General page driven as a user would, through the headless input
// driver, against the real device database.
#include "transceiver/kvgxb_wizard_test_support.h"
#include "transceiver/pages/kvgxb_page1.h"
#include "symbol/crsymbol.h"
#include "wizard/bwizc_resource_info.h"

using P = KVGXB_PAGE1;

using KvgxbGeneralPage = KvgxbWizardTest;

TEST_F(KvgxbGeneralPage, UserChangesRunOneCycleSwapNothingTheyShouldNotAndRequeryTheClockList) {
    KVGXB_COUNTING_WIZARD w;
    // The General page is left by the cancel once the clock list asked for has arrived.
    run_on_page(w, "kvgxb_general_page", [&](CDialog* page) {
        // The list holds the database's protocols once the enumeration is done.
        EXPECT_EQ(static_cast<P*>(page)->m_protocol.GetCount(), w.get_combobox_protocols().GetSize());
        // Which controls each protocol leaves to the user, and one update
        // cycle per choice.
        struct ROW {
            const char* protocol;
            bool subprotocol, force_defaults, opmode, input_selection_and_a, input_b;
        };
        const ROW rows[] = {
            {"XAUI", false, true, false, false, false},
            {"GIGE", false, true, true, false, true},
            {"PCI Express (PIPE)", true, true, false, false, true},
            {"(OIF) CEI PHY Interface", false, true, true, false, true},
            {"SONET Backplane", true, true, true, false, true},
            {"SDI", false, true, true, false, false},
            {"Basic", true, false, true, true, true},
        };
        for (const ROW& row : rows) {
            SCOPED_TRACE(row.protocol);
            w.cycles = 0;
            EXPECT_TRUE(bwizc_user_select_text(page, P::IDC_PROTOCOL, row.protocol));
            EXPECT_EQ(w.cycles, 1);
            EXPECT_EQ(w.protocol, row.protocol);
            EXPECT_EQ(text(page, P::IDC_PROTOCOL), row.protocol);
            // An invalid data rate leaves the second input the single item "N/A", enabled or not.
            const std::pair<UINT, bool> controls[] = {
                {P::IDC_SUBPROTOCOL, row.subprotocol},     {P::IDC_SUBPROTOCOL_LABEL, row.subprotocol},
                {P::IDC_FORCE_DEFAULTS, row.force_defaults}, {P::IDC_OPMODE, row.opmode},
                {P::IDC_INPUT_SELECTION, row.input_selection_and_a}, {P::IDC_INPUT_A, row.input_selection_and_a},
                {P::IDC_INPUT_B, row.input_b}, {P::IDC_UNIT_B, false},
                {P::IDC_SINGLE_WIDTH, row.input_selection_and_a && w.double_width_allowed}};
            for (const auto& [id, on] : controls) EXPECT_EQ(enabled(page, id), on) << id;
            EXPECT_EQ(text(page, P::IDC_CHANNELS), bwizc_global_int2str(w.number_of_channels));
            EXPECT_EQ(text(page, P::IDC_CHANNEL_WIDTH), bwizc_global_int2str(w.channel_width));
        }
        // The same protocol again changes nothing.
        w.cycles = 0;
        bwizc_user_select_text(page, P::IDC_PROTOCOL, "Basic");
        EXPECT_EQ(w.cycles, 0);

        w.inclk_list_pending = false;
        retype(page, P::IDC_INPUT_A, "2.5g");
        EXPECT_EQ(w.input_a, "2.5") << "the letter is refused, the digits before it were taken";
        EXPECT_EQ(text(page, P::IDC_INPUT_A), "2.5");
        w.inclk_list_pending = false;
        retype(page, P::IDC_INPUT_A, "2500");
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
    }, "General", [](CDialog*) {});
}

TEST_F(KvgxbGeneralPage, ChannelCountChangesBringTheLastOnesEstimateToThePreviewAfterwards) {
    KVGXB_WIZARD w;
    w.set_resource_info_dll_path(KV2GXB_BUILD_DIR "/bin/libkv2gxb_cgx.so");
    auto shows = [&w](const char* rows) {
        CString shown;
        for (auto* item : w.get_symbol_decorator()->get_info_outline()->get_texts()) shown += item->get_text() + "|";
        return shown.Find(rows) > 0;
    };
    BWIZC_INPUT_SCRIPT script;
    script.then(wait_for([&] { return w.enumeration_done && !w.inclk_list_pending; }))
        .then([&](CDialog* page) {
            // A burst of changes while the worker computes, the last from 4 to 8.
            for (int i = 0; i < 1000; ++i) EXPECT_TRUE(bwizc_user_select_text(page, P::IDC_CHANNELS, i % 2 ? "4" : "12"));
            return bwizc_user_select_text(page, P::IDC_CHANNELS, "8");
        })
        .then(wait_for([&] {
            return !g_bwizc_resource_info_manager.is_busy() && bwizc_posted_message_count() == 0 &&
                   shows("|8 channels + 2 quads + 2 transmitter PLLs|8 receiver PLLs");
        }))
        .then([&](CDialog* page) {
            // The command line names no family: the default one's models.
            EXPECT_EQ(bwizc_get_simlib_info_string(), "korvel_mf;lpm;velaris_hssi");
            return bwizc_user_key(page, VK_ESCAPE);
        });
    run_session(w, "kvgxb_general_page_estimate", script);
    w.set_resource_info_dll_path("");
    EXPECT_TRUE(script.is_done());
    // Stopped at exit.
    EXPECT_FALSE(g_bwizc_resource_info_manager.is_thread_running());
}
