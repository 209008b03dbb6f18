// Whole variations pinned as golden CNX files. Each is made as a user makes
// it, by choices on the General page of a headless session against the real
// device database, written on Finish; then the real executable regenerates it
// silently, byte for byte. KV2GXB_UPDATE_GOLDEN=1 rewrites the golden files
// (review the diff before committing it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>

#include "e2e_support.h"
#include "platform/input_driver.h"
#include "platform/messages.h"
#include "platform/user_input.h"
#include "toolkit/crstd_buttons_panel_decorator.h"
#include "transceiver/pages/kvgxb_basic_pages.h"
#include "transceiver/pages/kvgxb_page1.h"
#include "transceiver/pages/kvgxb_protocol_pages.h"

namespace {

using P = KVGXB_PAGE1;

// What the user does on one page after the General page: boxes and radios
// checked (clicked unless checked already), list items chosen and texts
// typed, in that order.
struct PAGE_STEP {
    const char* label;  // the page's navigation label
    std::vector<UINT> checks;
    std::vector<std::pair<UINT, const char*>> choices;
    std::vector<std::pair<UINT, const char*>> texts;
};

struct VARIATION {
    const char* name;         // golden file: tests/e2e/golden/<name>.cnx
    const char* protocol;     // chosen in the protocol list; null keeps the default
    const char* opmode;       // chosen in the operation-mode list; null keeps it
    bool double_width;        // the double-width radio is clicked
    const char* subprotocol = nullptr;
    const char* channel_width = nullptr;
    std::vector<PAGE_STEP> pages = {};
};

using SONET = KVGXB_PAGE_SONET;
using XAUI = KVGXB_PAGE_GIGE_XAUI;
using PCI = KVGXB_PAGE_PCI;
using BASIC1 = KVGXB_PAGE_BASIC2;
using BASIC2 = KVGXB_PAGE_BASIC1;

const VARIATION VARIATIONS[] = {
    {"basic", nullptr, nullptr, false},
    {"xaui", "XAUI", nullptr, false},
    {"gige", "GIGE", nullptr, false},
    {"pcie", "PCI Express (PIPE)", nullptr, false},
    {"cei", "(OIF) CEI PHY Interface", nullptr, false},
    {"sonet", "SONET Backplane", nullptr, false},
    {"sdi", "SDI", nullptr, false},
    {"basic_rx_only", nullptr, "Receiver only", false},
    {"basic_tx_only", nullptr, "Transmitter only", false},
    {"basic_double_width", nullptr, nullptr, true},
    {"sonet_oc48_flips", "SONET Backplane", nullptr, false, "OC48", nullptr,
     {{"SONET", {SONET::IDC_FLIP_PATTERN, SONET::IDC_FLIP_RX_OUT, SONET::IDC_FLIP_TX_IN, SONET::IDC_RX_SYNCSTATUS},
       {}, {}}}},
    {"xaui_status_ports", "XAUI", nullptr, false, nullptr, nullptr,
     {{"XAUI",
       {XAUI::IDC_RX_SYNCSTATUS, XAUI::IDC_RX_PATTERNDETECT, XAUI::IDC_RX_CTRLDETECT, XAUI::IDC_RX_ERRDETECT,
        XAUI::IDC_RX_DISPERR, XAUI::IDC_RUN_LENGTH_CHECK},
       {},
       {}}}},
    {"pcie_x4_pipe_ports", "PCI Express (PIPE)", nullptr, false, "x4", nullptr,
     {{"PCI",
       {PCI::IDC_PIPE8B10BINVPOLARITY, PCI::IDC_RX_SYNCSTATUS, PCI::IDC_RX_PATTERNDETECT, PCI::IDC_RX_CTRLDETECT,
        PCI::IDC_PIPESTATUS, PCI::IDC_PIPEDATAVALID, PCI::IDC_PIPEELECIDLE, PCI::IDC_PIPEPHYDONESTATUS,
        PCI::IDC_TX_DETECTRXLOOP, PCI::IDC_TX_FORCEELECIDLE, PCI::IDC_TX_FORCEDISPCOMPLIANCE, PCI::IDC_POWERDN},
       {},
       {}}}},
    {"basic_double_width_byte_order", nullptr, nullptr, true, "No Loopback", "32",
     {{"Basic 1",
       {BASIC1::IDC_8B10B, BASIC1::IDC_BYTE_ORDER, BASIC1::IDC_FLIP_RX_OUT},
       {},
       {{BASIC1::IDC_BYTE_ORDER_PATTERN, "101111100"}, {BASIC1::IDC_PAD_PATTERN, "110011001"}}}}},
    {"basic_double_width_rate_match", nullptr, nullptr, true, "No Loopback", "32",
     {{"Basic 1",
       {BASIC1::IDC_8B10B, BASIC1::IDC_RATE_MATCH},
       {},
       {{BASIC1::IDC_PATTERN1_A, "1010000011"},
        {BASIC1::IDC_PATTERN1_B, "0101111100"},
        {BASIC1::IDC_PATTERN2_A, "0101111100"},
        {BASIC1::IDC_PATTERN2_B, "1010000011"}}}}},
    {"basic_state_machine", nullptr, nullptr, false, nullptr, "10",
     {{"Basic 2",
       {BASIC2::IDC_STATE_MACHINE, BASIC2::IDC_RUN_LENGTH_CHECK, BASIC2::IDC_RX_SYNCSTATUS,
        BASIC2::IDC_RX_PATTERNDETECT},
       {{BASIC2::IDC_LOSS_SYNC, "4"}, {BASIC2::IDC_GOOD_DATA, "200"}, {BASIC2::IDC_CONS_PAT, "100"}},
       {{BASIC2::IDC_PATTERN, "1010000011"}}}}},
};

// Replaces an edit box's text by typing it.
bool retype(CDialog* page, UINT id, const char* text) {
    CWnd* box = page->GetDlgItem(static_cast<int>(id));
    return bwizc_user_set_focus(box) && bwizc_user_select_all(box) && bwizc_user_type(box, text);
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

TEST(VariationGolden, EveryProtocolAndModeMadeOnTheGeneralPageRegeneratesIdentically) {
    for (const VARIATION& v : VARIATIONS) {
        SCOPED_TRACE(v.name);
        TEMP_DIR dir;
        KVGXB_WIZARD wizard;
        BWIZC_INPUT_SCRIPT script;
        size_t step = 0;
        CDialog* left = nullptr;
        script.then(wait_for([&] { return wizard.enumeration_done && !wizard.inclk_list_pending; }))
            .then([&](CDialog* page) {
                if (v.protocol) {
                    EXPECT_TRUE(bwizc_user_select_text(page, P::IDC_PROTOCOL, v.protocol));
                }
                if (v.subprotocol) {
                    EXPECT_TRUE(bwizc_user_select_text(page, P::IDC_SUBPROTOCOL, v.subprotocol));
                }
                if (v.opmode) {
                    EXPECT_TRUE(bwizc_user_select_text(page, P::IDC_OPMODE, v.opmode));
                }
                if (v.double_width) {
                    EXPECT_TRUE(bwizc_user_click(page, P::IDC_DOUBLE_WIDTH));
                }
                if (v.channel_width) {
                    EXPECT_TRUE(bwizc_user_select_text(page, P::IDC_CHANNEL_WIDTH, v.channel_width));
                }
                return true;
            })
            .then(wait_for([&] { return !wizard.inclk_list_pending && !wizard.data_rate_list_pending; }))
            // Next up to each page the variation acts on, then its actions.
            .then([&](CDialog* page) {
                if (step == v.pages.size()) return true;
                const PAGE_STEP& s = v.pages[step];
                if (wizard.get_page_nav_button_label_at(wizard.get_cur_page_index()).Compare(s.label) != 0) {
                    if (page != left) bwizc_user_click(page, CRSTD_BUTTONS_PANEL_DECORATOR::NEXT_BUTTON_ID);
                    left = page;
                    return false;
                }
                for (UINT id : s.checks) {
                    if (page->IsDlgButtonChecked(static_cast<int>(id)) != BST_CHECKED) {
                        EXPECT_TRUE(bwizc_user_click(page, id)) << s.label << " " << id;
                    }
                    EXPECT_EQ(page->IsDlgButtonChecked(static_cast<int>(id)), BST_CHECKED) << s.label << " " << id;
                }
                for (const auto& [id, item] : s.choices) {
                    EXPECT_TRUE(bwizc_user_select_text(page, id, item)) << s.label << " " << id;
                }
                for (const auto& [id, text] : s.texts) EXPECT_TRUE(retype(page, id, text)) << s.label << " " << id;
                ++step;
                return false;
            })
            .then(wait_for([&] { return !wizard.inclk_list_pending && !wizard.data_rate_list_pending; }))
            .then([](CDialog* page) {
                return bwizc_user_click(page, CRSTD_BUTTONS_PANEL_DECORATOR::FINISH_BUTTON_ID);
            })
            // Finish shows the summary first; its Finish writes the file.
            .then([](CDialog* page) {
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
