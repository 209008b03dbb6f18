// Whole variations pinned as golden CNX files. Each is made as a user makes
// it, by choices on the wizard's pages in a headless session against the real
// device database, walking from page to page with Next and written on Finish;
// then the real executable regenerates it silently, byte for byte.
// KV2GXB_UPDATE_GOLDEN=1 rewrites the golden files (review the diff before
// committing it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <sstream>
#include <vector>

#include "e2e_support.h"
#include "platform/input_driver.h"
#include "platform/messages.h"
#include "platform/user_input.h"
#include "toolkit/crstd_buttons_panel_decorator.h"
#include "transceiver/pages/kvgxb_page1.h"
#include "transceiver/pages/kvgxb_page2.h"
#include "transceiver/pages/kvgxb_page3_rx_dprio.h"
#include "transceiver/pages/kvgxb_page3_tx.h"

namespace {

using P = KVGXB_PAGE1;
using PLL = KVGXB_PAGE2;
using RX = KVGXB_PAGE3_RX_DPRIO;
using TX = KVGXB_PAGE3_TX;
using ACTION = std::function<void(CDialog*)>;

ACTION choose(UINT id, const char* text) {
    return [=](CDialog* page) { EXPECT_TRUE(bwizc_user_select_text(page, id, text)) << id << " " << text; };
}
ACTION click(UINT id) {
    return [=](CDialog* page) { EXPECT_TRUE(bwizc_user_click(page, id)) << id; };
}
ACTION slide(UINT id, int pos) {
    return [=](CDialog* page) { EXPECT_TRUE(bwizc_user_move_slider(page, id, pos)) << id; };
}

// What the user does on one page, by the page's navigation label.
struct PAGE_STEP {
    const char* page;
    ACTION act;
};

struct VARIATION {
    const char* name;  // golden file: tests/e2e/golden/<name>.cnx
    std::vector<PAGE_STEP> steps;
};

// The pages every variation walks through, in order; Finish on the last
// one shows the summary.
const char* const WALK[] = {"General", "PLL/Ports", "Reconfig/RX Analog", "TX Analog/Cal Blk"};

const VARIATION VARIATIONS[] = {
    {"basic", {}},
    {"xaui", {{"General", choose(P::IDC_PROTOCOL, "XAUI")}}},
    {"gige", {{"General", choose(P::IDC_PROTOCOL, "GIGE")}}},
    {"pcie", {{"General", choose(P::IDC_PROTOCOL, "PCI Express (PIPE)")}}},
    {"cei", {{"General", choose(P::IDC_PROTOCOL, "(OIF) CEI PHY Interface")}}},
    {"sonet", {{"General", choose(P::IDC_PROTOCOL, "SONET Backplane")}}},
    {"sdi", {{"General", choose(P::IDC_PROTOCOL, "SDI")}}},
    {"basic_rx_only", {{"General", choose(P::IDC_OPMODE, "Receiver only")}}},
    {"basic_tx_only", {{"General", choose(P::IDC_OPMODE, "Transmitter only")}}},
    {"basic_double_width", {{"General", click(P::IDC_DOUBLE_WIDTH)}}},
    {"pll_ports",
     {{"PLL/Ports", choose(PLL::IDC_RX_PLL_BW, "Low")},
      {"PLL/Ports", choose(PLL::IDC_CMU_PLL_BW, "Medium")},
      {"PLL/Ports", choose(PLL::IDC_PPM, "+/- 250")},
      {"PLL/Ports", click(PLL::IDC_GXB_POWERDOWN)},
      {"PLL/Ports", click(PLL::IDC_GXB_ENABLE)},
      {"PLL/Ports", click(PLL::IDC_PLL_LOCKED)},
      {"PLL/Ports", click(PLL::IDC_RX_LOCKTOREFCLK)},
      {"PLL/Ports", click(PLL::IDC_RX_LOCKTODATA)},
      {"PLL/Ports", click(PLL::IDC_RX_PLL_LOCKED)},
      {"PLL/Ports", click(PLL::IDC_RX_FREQLOCKED)}}},
    {"pcie_signal_detect",
     {{"General", choose(P::IDC_PROTOCOL, "PCI Express (PIPE)")},
      {"PLL/Ports", click(PLL::IDC_RX_SIGNALDETECT)},
      {"Reconfig/RX Analog", choose(RX::IDC_THRESHOLD, "3")},
      {"Reconfig/RX Analog", click(RX::IDC_FORCE_SIGNAL_DETECT)}}},
    {"reconfig_rx_analog",
     {{"Reconfig/RX Analog", click(RX::IDC_DPRIO_ON)},
      {"Reconfig/RX Analog", choose(RX::IDC_STARTING_CHANNEL, "8")},
      {"Reconfig/RX Analog", click(RX::IDC_ENABLE_EQUALIZER)},
      {"Reconfig/RX Analog", slide(RX::IDC_EQUALIZER_SLIDER, 15)},
      {"Reconfig/RX Analog", choose(RX::IDC_DC_GAIN, "2")},
      {"Reconfig/RX Analog", choose(RX::IDC_TERMINATION, "120")},
      {"Reconfig/RX Analog", click(RX::IDC_EXTERNAL_TERMINATION)}}},
    {"tx_analog_vcch_1v5",
     {{"TX Analog/Cal Blk", choose(TX::IDC_TERMINATION, "150")},
      {"TX Analog/Cal Blk", click(TX::IDC_EXTERNAL_TERMINATION)},
      {"TX Analog/Cal Blk", choose(TX::IDC_VOD, "900")},
      {"TX Analog/Cal Blk", slide(TX::IDC_PRETAP_SLIDER, -6)},
      {"TX Analog/Cal Blk", slide(TX::IDC_1POSTTAP_SLIDER, 4)},
      {"TX Analog/Cal Blk", slide(TX::IDC_2POSTTAP_SLIDER, 7)},
      {"TX Analog/Cal Blk", click(TX::IDC_CAL_BLK_POWERDOWN)}}},
    {"tx_analog_vcch_1v2",
     {{"TX Analog/Cal Blk", choose(TX::IDC_VCCH, "1.2")},
      {"TX Analog/Cal Blk", choose(TX::IDC_VOD, "480")},
      {"TX Analog/Cal Blk", slide(TX::IDC_PRETAP_SLIDER, 3)},
      {"TX Analog/Cal Blk", slide(TX::IDC_1POSTTAP_SLIDER, 0)},
      {"TX Analog/Cal Blk", slide(TX::IDC_2POSTTAP_SLIDER, -7)},
      {"TX Analog/Cal Blk", click(TX::IDC_USE_CAL_BLK)}}},
};

CString nav_label(CDialog* page) {
    auto* wizard_page = dynamic_cast<CRWIZARD_PAGE_BASE*>(page);
    return wizard_page ? wizard_page->get_page_nav_button_label() : CString();
}

// The first line where two texts differ, for a readable failure.
std::string first_difference(const std::string& a, const std::string& b) {
    std::istringstream in_a(a), in_b(b);
    std::string line_a, line_b;
    for (int n = 1;; ++n) {
        const bool more_a = static_cast<bool>(std::getline(in_a, line_a));
        const bool more_b = static_cast<bool>(std::getline(in_b, line_b));
        if (!more_a && !more_b) return "identical";
        if (!more_a || !more_b || line_a != line_b)
            return "line " + std::to_string(n) + ": \"" + (more_a ? line_a : "<end>") + "\" vs \"" +
                   (more_b ? line_b : "<end>") + "\"";
    }
}

std::string golden_path(const std::string& name) {
    return std::string(KV2GXB_SOURCE_DIR) + "/tests/e2e/golden/" + name + ".cnx";
}

// Compares `text` with the golden file, or rewrites it when asked to.
void expect_golden(const std::string& name, const std::string& text) {
    const char* update = std::getenv("KV2GXB_UPDATE_GOLDEN");
    if (update && *update == '1') {
        write_file(golden_path(name), text);
        return;
    }
    ASSERT_TRUE(file_exists(golden_path(name))) << golden_path(name);
    const std::string golden = read_file(golden_path(name));
    EXPECT_TRUE(text == golden) << name << " differs from its golden file at " << first_difference(text, golden);
}

// Regenerating a variation the wizard wrote gives the very same bytes.
void expect_silent_regeneration_is_identical(const TEMP_DIR& dir, const std::string& written) {
    const KV2GXB_RUN run = run_kv2gxb({"-silent", dir.file("gxb_top.v")});
    EXPECT_EQ(run.exit_status, 0) << run.err;
    const std::string again = read_file(dir.file("gxb_top.cnx"));
    EXPECT_TRUE(again == written) << "regenerated file differs at " << first_difference(again, written);
}

BWIZC_INPUT_SCRIPT::STEP wait_for(std::function<bool()> done) {
    return [done](CDialog*) {
        if (done()) return true;
        bwizc_wait_for_posted_message(5);
        return false;
    };
}

}  // namespace

TEST(VariationGolden, NewVariationIsWrittenCompleteAndRegeneratesIdentically) {
    TEMP_DIR dir;
    const KV2GXB_RUN run = run_kv2gxb({"-n", "-silent", dir.file("gxb_top.v")});
    ASSERT_EQ(run.exit_status, 0) << run.err;
    const std::string written = read_file(dir.file("gxb_top.cnx"));
    expect_golden("new", written);
    expect_silent_regeneration_is_identical(dir, written);
}

TEST(VariationGolden, CallersConstantsAreReadBackAndCompletedIntoTheFullRecordSet) {
    // What a calling program writes: the module and a few brixfunction
    // parameters, none of the wizard's own variables.
    TEMP_DIR dir;
    write_file(dir.file("gxb_top.cnx"),
               "MODULE: kv2gxb \n"
               "CONSTANT: OPERATION_MODE STRING \"rx\"\n"
               "CONSTANT: NUMBER_OF_CHANNELS NUMERIC \"4\"\n"
               "CONSTANT: RX_CHANNEL_WIDTH NUMERIC \"16\"\n"
               "CONSTANT: RX_8B_10B_MODE STRING \"none\"\n"
               "CONSTANT: RX_RUN_LENGTH_ENABLE STRING \"true\"\n");
    const KV2GXB_RUN run = run_kv2gxb({"-silent", dir.file("gxb_top.v")});
    ASSERT_EQ(run.exit_status, 0) << run.err;
    const std::string written = read_file(dir.file("gxb_top.cnx"));
    expect_golden("caller_constants", written);
    expect_silent_regeneration_is_identical(dir, written);
}

TEST(VariationGolden, EveryProtocolModeAndPageSettingMadeByAUserRegeneratesIdentically) {
    for (const VARIATION& v : VARIATIONS) {
        SCOPED_TRACE(v.name);
        TEMP_DIR dir;
        KVGXB_WIZARD wizard;
        auto lists_arrived = wait_for([&] { return !wizard.inclk_list_pending && !wizard.data_rate_list_pending; });
        BWIZC_INPUT_SCRIPT script;
        script.then(wait_for([&] { return wizard.enumeration_done && !wizard.inclk_list_pending; }));
        for (const char* label : WALK) {
            script
                .then([&v, label](CDialog* page) {
                    EXPECT_EQ(nav_label(page), label);
                    for (const PAGE_STEP& step : v.steps) {
                        if (CString(step.page) == label) step.act(page);
                    }
                    return true;
                })
                .then(lists_arrived)
                .then([label](CDialog* page) {
                    const bool last = CString(label) == WALK[std::size(WALK) - 1];
                    using BAR = CRSTD_BUTTONS_PANEL_DECORATOR;
                    return bwizc_user_click(page, last ? BAR::FINISH_BUTTON_ID : BAR::NEXT_BUTTON_ID);
                });
        }
        // Finish shows the summary first; its Finish writes the file.
        script.then([](CDialog* page) {
            EXPECT_NE(page->GetWindowText().Find("-- Summary"), -1) << page->GetWindowText().c_str();
            return bwizc_user_click(page, CRSTD_BUTTONS_PANEL_DECORATOR::FINISH_BUTTON_ID);
        });
        script.set_max_retries(4000);
        script.install();
        const std::string design = dir.file("gxb_top.v");
        const char* argv[] = {"kv2gxb", "-n", design.c_str()};
        bwizc_app_main(3, argv, &wizard);
        bwizc_set_input_driver(nullptr);
        EXPECT_TRUE(script.is_done());
        const std::string written = read_file(dir.file("gxb_top.cnx"));
        ASSERT_FALSE(written.empty());
        expect_golden(v.name, written);
        expect_silent_regeneration_is_identical(dir, written);
    }
}
