// The command-line flow end to end: a calling program's CNX file
// (golden/cmd_flow/<name>.in.cnx) run through `kv2gxb -silent -cmd` gives
// golden/cmd_flow/<name>.cnx. A valid request keeps every value and port the
// caller gave and regenerates silently byte for byte; a refused one holds
// only ERR_MSG records. KV2GXB_UPDATE_GOLDEN=1 rewrites the golden files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "e2e_support.h"
#include "platform/input_driver.h"
#include "platform/user_input.h"
#include "toolkit/crstd_buttons_panel_decorator.h"
#include "transceiver/kvgxb_wizard.h"
#include "transceiver/pages/kvgxb_page1.h"

namespace {

const char* const CASES[] = {
    "xaui_duplex_4",          // XAUI, 4 channels at 3125 Mbps from 156.25 MHz, ports both ways
    "pcie_x4",                // PCI Express x4 with PIPE status ports
    "pcie_x1_signal_detect",  // signal detection, VOD at 1.2 V
    "xaui_analog",            // terminations, VOD and signed pre-emphasis taps
    "xaui_edited_ports",      // a whole variation whose caller drops two of its ports
    "sonet_oc48",             // SONET OC48 from 155.52 MHz
    "sonet_oc96",             // completed from the protocol alone
    "basic_double_width_32",  // Basic double width, 32 bits, cascaded 8b/10b
    "basic_single_10",        // Basic single width in serial loopback
    "basic_tx_only",          // transmitter parameters only
    "gige_rx",                // receiver only, ports both ways
    "cei",
    // Refused requests:
    "no_module", "unknown_brixfunction", "xaui_three_channels", "data_rate_out_of_range",
    "cei_with_8b10b_status",
};

std::string source_path(const std::string& name) {
    return std::string(KV2GXB_SOURCE_DIR) + "/tests/e2e/golden/cmd_flow/" + name;
}

// The first line of text that starts with prefix, "" when none does.
std::string line_starting(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) if (line.rfind(prefix, 0) == 0) return line;
    return std::string();
}

}  // namespace

TEST(CmdFlowGolden, CallersParametersBecomeAVariationOrErrorRecords) {
    for (const std::string name : CASES) {
        SCOPED_TRACE(name);
        SCRATCH_DIR dir;
        const std::string request = read_file(source_path(name + ".in.cnx"));
        ASSERT_FALSE(request.empty());
        write_file(dir.file("gxb_top.cnx"), request);
        const KV2GXB_RUN run = run_kv2gxb({"-silent", "-cmd", dir.file("gxb_top.v")});
        EXPECT_EQ(run.exit_status, 0) << run.err;
        const std::string written = read_file(dir.file("gxb_top.cnx"));
        expect_golden("cmd_flow/" + name, written);

        // A refused request's golden holds the header, the module line and the
        // error records alone; the golden pins what a valid one keeps.
        const bool refused = written.find("\nERR_MSG: ") != std::string::npos;
        if (!refused) expect_silent_regeneration_is_identical(dir, written);
    }
}

// Without -silent the pages show what the flow derived; a refused request
// shows no page at all.
TEST(CmdFlowGolden, PagesShowTheDerivedSettingsOnlyAfterASuccessfulFlow) {
    struct PAGE_CASE {
        const char* request;
        const char* protocol;  // shown on the first page; null: no page may show
    };
    const PAGE_CASE cases[] = {{"xaui_duplex_4", "XAUI"}, {"sonet_oc48", "SONET Backplane"}, {"xaui_three_channels", nullptr}};
    for (const PAGE_CASE& c : cases) {
        SCOPED_TRACE(c.request);
        SCRATCH_DIR dir;
        write_file(dir.file("gxb_top.cnx"), read_file(source_path(std::string(c.request) + ".in.cnx")));
        KVGXB_WIZARD wizard;
        BWIZC_INPUT_SCRIPT script;
        int pages_shown = 0;
        CString shown_protocol;
        script.then([&](CDialog* page) {
            ++pages_shown;
            if (CWnd* combo = page->GetDlgItem(static_cast<int>(KVGXB_PAGE1::IDC_PROTOCOL))) {
                shown_protocol = combo->GetWindowText();
            }
            return bwizc_user_click(page, CRSTD_BUTTONS_PANEL_DECORATOR::CANCEL_BUTTON_ID);
        });
        script.install();
        const std::string design = dir.file("gxb_top.v");
        const char* argv[] = {"kv2gxb", "-cmd", design.c_str()};
        bwizc_app_main(3, argv, &wizard);
        bwizc_set_input_driver(nullptr);
        if (c.protocol) {
            EXPECT_EQ(pages_shown, 1);
            EXPECT_EQ(shown_protocol.str(), c.protocol);
        } else {
            EXPECT_EQ(pages_shown, 0);
            EXPECT_NE(read_file(dir.file("gxb_top.cnx")).find("ERR_MSG: NUMBER_OF_CHANNELS"), std::string::npos);
        }
    }
}

// A rules file that is missing, empty or wrong, or two maps that both fit:
// error records that say what and where, never a crash. Each case runs a copy
// of the executable beside its own copy of the rules file.
TEST(CmdFlowGolden, ABrokenRulesFileOrTwoFittingMapsBecomeErrorRecords) {
    namespace fs = std::filesystem;
    const fs::path exe(KV2GXB_EXECUTABLE);
    const std::string rules = read_file((exe.parent_path() / "../libraries/brixfunctions/kv2gxb_rules.xml").string());
    struct RULES_CASE {
        const char *what, *from, *to;  // replaces the first `from`; a null `to` removes the file
        const char* message;           // the one error record; "@" stands for the changed line
    };
    const RULES_CASE cases[] = {
        {"two maps fit", "</brixfunction>", "<wizard name='again' condition='PROTOCOL == \"XAUI\"'/></brixfunction>",
         "No valid wizard found for the specified combination of ports and parameters"},
        {"syntax error", "{4, 8, 12, 16, 20}", "{4, 8, 12, 16, 20",
         "kv2gxb_rules.xml, line @: syntax error at column 18: expected '}' in allowed=\"{4, 8, 12, 16, 20\""},
        {"unknown function", "decimal(1000000", "round(1000000",
         "kv2gxb_rules.xml, line @: syntax error at column 1: unknown function round in value=\"round(1000000, "
         "CMU_PLL_INCLOCK_PERIOD)\""},
        {"unknown name", "when='PROTOCOL == \"XAUI\"' allowed=\"{4,", "when='PROTOKOL == \"XAUI\"' allowed=\"{4,",
         "kv2gxb_rules.xml, line @: unknown name PROTOKOL"},
        {"empty file", "", "", "kv2gxb_rules.xml, line 1: No document element found"},
        {"missing file", "", nullptr, "kv2gxb_rules.xml: cannot read the rules file of kv2gxb (No such file or directory)"},
    };
    for (const RULES_CASE& c : cases) {
        SCOPED_TRACE(c.what);
        SCRATCH_DIR dir;
        fs::create_directories(dir.file("bin"));
        fs::create_directories(dir.file("libraries/brixfunctions"));
        fs::copy_file(exe, dir.file("bin/kv2gxb"));
        std::string text = *c.from ? rules : std::string();
        std::string message = c.message;
        const size_t at = text.find(c.from);
        if (*c.from) {
            ASSERT_NE(at, std::string::npos);
            text.replace(at, std::strlen(c.from), c.to);
            const std::string line = std::to_string(std::count(text.begin(), text.begin() + at, '\n') + 1);
            if (message.find('@') != std::string::npos) message.replace(message.find('@'), 1, line);
        }
        if (c.to) write_file(dir.file("libraries/brixfunctions/kv2gxb_rules.xml"), text);
        write_file(dir.file("gxb_top.cnx"), read_file(source_path("xaui_duplex_4.in.cnx")));
        const KV2GXB_RUN run =
            run_program({dir.file("bin/kv2gxb"), "-silent", "-cmd", dir.file("gxb_top.v")}, std::string(), {});
        EXPECT_EQ(run.exit_status, 0) << run.err;
        const std::string written = read_file(dir.file("gxb_top.cnx"));
        EXPECT_EQ(line_starting(written, "ERR_MSG: "), "ERR_MSG: " + message);
        EXPECT_EQ(line_starting(written, "PRIVATE: "), "");
    }
}
