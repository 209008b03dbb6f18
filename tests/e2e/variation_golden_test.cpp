// Whole variations pinned as golden CNX files. Each is made as a user makes
// it, by choices on the wizard's pages in a headless session against the real
// device database, walking from page to page with Next and written on Finish;
// then the real executable regenerates it silently, byte for byte.
// KV2GXB_UPDATE_GOLDEN=1 rewrites the golden files (review the diff before
// committing it).
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "e2e_support.h"
#include "platform/input_driver.h"
#include "platform/messages.h"
#include "platform/user_input.h"
#include "toolkit/crstd_buttons_panel_decorator.h"
#include "transceiver/kvgxb_wizard_test_support.h"
#include "transceiver/pages/kvgxb_basic_pages.h"
#include "transceiver/pages/kvgxb_page1.h"
#include "transceiver/pages/kvgxb_page2.h"
#include "transceiver/pages/kvgxb_page3_rx_dprio.h"
#include "transceiver/pages/kvgxb_page3_tx.h"
#include "transceiver/pages/kvgxb_protocol_pages.h"

namespace {

using P = KVGXB_PAGE1;
using PLL = KVGXB_PAGE2;
using RX = KVGXB_PAGE3_RX_DPRIO;
using TX = KVGXB_PAGE3_TX;
using SONET = KVGXB_PAGE_SONET;
using XAUI = KVGXB_PAGE_GIGE_XAUI;
using PCI = KVGXB_PAGE_PCI;
using BASIC1 = KVGXB_PAGE_BASIC2;
using BASIC2 = KVGXB_PAGE_BASIC1;
using ACTION = std::function<void(CDialog*)>;

ACTION choose(UINT id, const char* text) {
    return [=](CDialog* page) { EXPECT_TRUE(bwizc_user_select_text(page, id, text)) << id << " " << text; };
}
ACTION click(UINT id) {
    return [=](CDialog* page) { EXPECT_TRUE(bwizc_user_click(page, id)) << id; };
}
// Checks a box or radio (a click unless it is checked already).
ACTION check(UINT id) {
    return [=](CDialog* page) {
        if (page->IsDlgButtonChecked(static_cast<int>(id)) != BST_CHECKED) {
            EXPECT_TRUE(bwizc_user_click(page, id)) << id;
        }
        EXPECT_EQ(page->IsDlgButtonChecked(static_cast<int>(id)), BST_CHECKED) << id;
    };
}
ACTION type(UINT id, const char* text) {
    return [=](CDialog* page) { retype(page, id, text); };
}
ACTION slide(UINT id, int pos) {
    return [=](CDialog* page) { EXPECT_TRUE(bwizc_user_move_slider(page, id, pos)) << id; };
}

// What the user does on one page, by the page's navigation label.
struct PAGE_STEP {
    const char* page;
    std::vector<ACTION> acts;
};

struct VARIATION {
    const char* name;  // golden file: tests/e2e/golden/<name>.cnx
    std::vector<PAGE_STEP> steps;
};

const VARIATION VARIATIONS[] = {
    {"basic", {}},
    {"xaui", {{"General", {choose(P::IDC_PROTOCOL, "XAUI")}}}},
    {"gige", {{"General", {choose(P::IDC_PROTOCOL, "GIGE")}}}},
    {"pcie", {{"General", {choose(P::IDC_PROTOCOL, "PCI Express (PIPE)")}}}},
    {"cei", {{"General", {choose(P::IDC_PROTOCOL, "(OIF) CEI PHY Interface")}}}},
    {"sonet", {{"General", {choose(P::IDC_PROTOCOL, "SONET Backplane")}}}},
    {"sdi", {{"General", {choose(P::IDC_PROTOCOL, "SDI")}}}},
    {"basic_rx_only", {{"General", {choose(P::IDC_OPMODE, "Receiver only")}}}},
    {"basic_tx_only", {{"General", {choose(P::IDC_OPMODE, "Transmitter only")}}}},
    {"basic_double_width", {{"General", {click(P::IDC_DOUBLE_WIDTH)}}}},
    {"pll_ports",
     {{"PLL/Ports", {choose(PLL::IDC_RX_PLL_BW, "Low"), choose(PLL::IDC_CMU_PLL_BW, "Medium"),
                     choose(PLL::IDC_PPM, "+/- 250"), click(PLL::IDC_GXB_POWERDOWN), click(PLL::IDC_GXB_ENABLE),
                     click(PLL::IDC_PLL_LOCKED), click(PLL::IDC_RX_LOCKTOREFCLK), click(PLL::IDC_RX_LOCKTODATA),
                     click(PLL::IDC_RX_PLL_LOCKED), click(PLL::IDC_RX_FREQLOCKED)}}}},
    {"pcie_signal_detect",
     {{"General", {choose(P::IDC_PROTOCOL, "PCI Express (PIPE)")}},
      {"PLL/Ports", {click(PLL::IDC_RX_SIGNALDETECT)}},
      {"Reconfig/RX Analog", {choose(RX::IDC_THRESHOLD, "3"), click(RX::IDC_FORCE_SIGNAL_DETECT)}}}},
    {"reconfig_rx_analog",
     {{"Reconfig/RX Analog", {click(RX::IDC_DPRIO_ON), choose(RX::IDC_STARTING_CHANNEL, "8"),
                              click(RX::IDC_ENABLE_EQUALIZER), slide(RX::IDC_EQUALIZER_SLIDER, 15),
                              choose(RX::IDC_DC_GAIN, "2"), choose(RX::IDC_TERMINATION, "120"),
                              click(RX::IDC_EXTERNAL_TERMINATION)}}}},
    {"tx_analog_vcch_1v5",
     {{"TX Analog/Cal Blk", {choose(TX::IDC_TERMINATION, "150"), click(TX::IDC_EXTERNAL_TERMINATION),
                             choose(TX::IDC_VOD, "900"), slide(TX::IDC_PRETAP_SLIDER, -6),
                             slide(TX::IDC_1POSTTAP_SLIDER, 4), slide(TX::IDC_2POSTTAP_SLIDER, 7),
                             click(TX::IDC_CAL_BLK_POWERDOWN)}}}},
    {"tx_analog_vcch_1v2",
     {{"TX Analog/Cal Blk", {choose(TX::IDC_VCCH, "1.2"), choose(TX::IDC_VOD, "480"), slide(TX::IDC_PRETAP_SLIDER, 3),
                             slide(TX::IDC_1POSTTAP_SLIDER, 0), slide(TX::IDC_2POSTTAP_SLIDER, -7),
                             click(TX::IDC_USE_CAL_BLK)}}}},
    {"sonet_oc48_flips",
     {{"General", {choose(P::IDC_PROTOCOL, "SONET Backplane"), choose(P::IDC_SUBPROTOCOL, "OC48")}},
      {"SONET", {check(SONET::IDC_FLIP_PATTERN), check(SONET::IDC_FLIP_RX_OUT), check(SONET::IDC_FLIP_TX_IN),
                 check(SONET::IDC_RX_SYNCSTATUS)}}}},
    {"xaui_status_ports",
     {{"General", {choose(P::IDC_PROTOCOL, "XAUI")}},
      {"XAUI", {check(XAUI::IDC_RX_SYNCSTATUS), check(XAUI::IDC_RX_PATTERNDETECT), check(XAUI::IDC_RX_CTRLDETECT),
                check(XAUI::IDC_RX_ERRDETECT), check(XAUI::IDC_RX_DISPERR), check(XAUI::IDC_RUN_LENGTH_CHECK)}}}},
    {"pcie_x4_pipe_ports",
     {{"General", {choose(P::IDC_PROTOCOL, "PCI Express (PIPE)"), choose(P::IDC_SUBPROTOCOL, "x4")}},
      {"PCI", {check(PCI::IDC_PIPE8B10BINVPOLARITY), check(PCI::IDC_RX_SYNCSTATUS), check(PCI::IDC_RX_PATTERNDETECT),
               check(PCI::IDC_RX_CTRLDETECT), check(PCI::IDC_PIPESTATUS), check(PCI::IDC_PIPEDATAVALID),
               check(PCI::IDC_PIPEELECIDLE), check(PCI::IDC_PIPEPHYDONESTATUS), check(PCI::IDC_TX_DETECTRXLOOP),
               check(PCI::IDC_TX_FORCEELECIDLE), check(PCI::IDC_TX_FORCEDISPCOMPLIANCE), check(PCI::IDC_POWERDN)}}}},
    {"basic_double_width_byte_order",
     {{"General", {click(P::IDC_DOUBLE_WIDTH), choose(P::IDC_SUBPROTOCOL, "No Loopback"),
                   choose(P::IDC_CHANNEL_WIDTH, "32")}},
      {"Basic 1", {check(BASIC1::IDC_8B10B), check(BASIC1::IDC_BYTE_ORDER), check(BASIC1::IDC_FLIP_RX_OUT),
                   type(BASIC1::IDC_BYTE_ORDER_PATTERN, "101111100"), type(BASIC1::IDC_PAD_PATTERN, "110011001")}}}},
    {"basic_double_width_rate_match",
     {{"General", {click(P::IDC_DOUBLE_WIDTH), choose(P::IDC_SUBPROTOCOL, "No Loopback"),
                   choose(P::IDC_CHANNEL_WIDTH, "32")}},
      {"Basic 1", {check(BASIC1::IDC_8B10B), check(BASIC1::IDC_RATE_MATCH),
                   type(BASIC1::IDC_PATTERN1_A, "1010000011"), type(BASIC1::IDC_PATTERN1_B, "0101111100"),
                   type(BASIC1::IDC_PATTERN2_A, "0101111100"), type(BASIC1::IDC_PATTERN2_B, "1010000011")}}}},
    {"basic_state_machine",
     {{"General", {choose(P::IDC_CHANNEL_WIDTH, "10")}},
      {"Basic 2", {check(BASIC2::IDC_STATE_MACHINE), check(BASIC2::IDC_RUN_LENGTH_CHECK),
                   check(BASIC2::IDC_RX_SYNCSTATUS), check(BASIC2::IDC_RX_PATTERNDETECT),
                   choose(BASIC2::IDC_LOSS_SYNC, "4"), choose(BASIC2::IDC_GOOD_DATA, "200"),
                   choose(BASIC2::IDC_CONS_PAT, "100"), type(BASIC2::IDC_PATTERN, "1010000011")}}}},
};

}  // namespace

// A new variation, and one whose caller wrote only the module and a few
// brixfunction parameters (none of the wizard's own variables), both made by
// a silent run: the latter read back and completed into the full record set.
TEST(VariationGolden, SilentRunsWriteCompleteVariationsThatRegenerateIdentically) {
    const std::string callers =
        "MODULE: kv2gxb \nCONSTANT: OPERATION_MODE STRING \"rx\"\nCONSTANT: NUMBER_OF_CHANNELS NUMERIC \"4\"\n"
        "CONSTANT: RX_CHANNEL_WIDTH NUMERIC \"16\"\nCONSTANT: RX_8B_10B_MODE STRING \"none\"\n"
        "CONSTANT: RX_RUN_LENGTH_ENABLE STRING \"true\"\n";
    for (const auto& [name, cnx] : {std::pair<const char*, std::string>{"new", ""}, {"caller_constants", callers}}) {
        SCOPED_TRACE(name);
        SCRATCH_DIR dir;
        const std::string design = dir.file("gxb_top.v");
        if (!cnx.empty()) write_file(dir.file("gxb_top.cnx"), cnx);
        const KV2GXB_RUN run = cnx.empty() ? run_kv2gxb({"-n", "-silent", design}) : run_kv2gxb({"-silent", design});
        ASSERT_EQ(run.exit_status, 0) << run.err;
        const std::string written = read_file(dir.file("gxb_top.cnx"));
        expect_golden(name, written);
        expect_silent_regeneration_is_identical(dir, written);
    }
}

TEST(VariationGolden, EveryProtocolModeAndPageSettingMadeByAUserRegeneratesIdentically) {
    for (const VARIATION& v : VARIATIONS) {
        SCOPED_TRACE(v.name);
        SCRATCH_DIR dir;
        KVGXB_WIZARD wizard;
        // Estimates arrive while the user works; they never change what is written.
        wizard.set_resource_info_dll_path(KV2GXB_BUILD_DIR "/bin/libkv2gxb_cgx.so");
        BWIZC_INPUT_SCRIPT script;
        // Next through every page the sequence includes, each page's actions
        // first, up to the summary, whose Finish writes the file.
        CDialog* acted_on = nullptr;
        script.then(wait_for([&] { return wizard.enumeration_done && !wizard.inclk_list_pending; }))
            .then([&](CDialog* page) {
                using BAR = CRSTD_BUTTONS_PANEL_DECORATOR;
                if (page->GetWindowText().Find("-- Summary") >= 0) return bwizc_user_click(page, BAR::FINISH_BUTTON_ID);
                if (page != acted_on) {
                    acted_on = page;
                    for (const PAGE_STEP& step : v.steps) {
                        if (current_label(wizard) == step.page) for (const ACTION& act : step.acts) act(page);
                    }
                }
                if (wizard.inclk_list_pending || wizard.data_rate_list_pending) {
                    bwizc_wait_for_posted_message(5);
                } else {
                    bwizc_user_click(page, BAR::NEXT_BUTTON_ID);
                }
                return false;
            });
        script.set_max_retries(4000);
        script.install();
        const std::string design = dir.file("gxb_top.v");
        const char* argv[] = {"kv2gxb", "-n", design.c_str()};
        bwizc_app_main(3, argv, &wizard);
        bwizc_set_input_driver(nullptr);
        EXPECT_TRUE(script.is_done());
        const std::string written = read_file(dir.file("gxb_top.cnx"));
        expect_golden(v.name, written);
        expect_silent_regeneration_is_identical(dir, written);
    }
}
