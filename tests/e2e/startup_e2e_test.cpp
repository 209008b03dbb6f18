// Start-up errors of the real executable: texts and exit statuses.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {
const char* const NO_DESIGN = "Error: No design file has been specified";
const char* const BAD_EXTENSION = "Error: Illegal extension in design file name";
const char* const USAGE = "Command line options:";
}  // namespace

TEST(StartupE2e, DesignFileAndFlagErrorsAreReportedWithTheirStatus) {
    SCRATCH_DIR dir;
    struct ROW {
        const char* why;
        std::vector<std::string> args;  // "@" stands for the scratch folder, which is also the working one
        int status;                     // -1: whatever happens next
        std::vector<const char*> shown, absent;
    };
    const ROW rows[] = {
        // No argument at all is not an unknown flag: no usage text.
        {"no arguments", {}, 0, {NO_DESIGN}, {USAGE}},
        {"silent without a design file", {"-silent"}, 1, {NO_DESIGN}, {}},
        {"silent, wrong extension", {"-silent", "/tmp/x/top.sv"}, 1, {BAD_EXTENSION}, {}},
        {"wrong extension", {"/tmp/x/top.vhdl"}, 0, {BAD_EXTENSION}, {}},
        // (An absolute name without "." would be read as a one-letter option.)
        {"relative name without extension", {"-silent", "top"}, 1, {BAD_EXTENSION}, {}},
        {"upper-case extension", {"-silent", "@/TOP.VHD"}, -1, {}, {BAD_EXTENSION, NO_DESIGN}},
        // The usage box comes before silent mode is in force, so parsing goes
        // on and the silent run then ends on the missing design file.
        {"unknown flag", {"-bogus", "-silent"}, 1, {USAGE, NO_DESIGN}, {}},
        {"blanks in arguments", {"-silent", "-wizard_title:My Title", "@/my dir/top.vhd"}, -1, {},
         {BAD_EXTENSION, NO_DESIGN}},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.why);
        std::vector<std::string> args = row.args;
        for (std::string& arg : args) {
            if (arg[0] == '@') arg.replace(0, 1, dir.path());
        }
        const KV2GXB_RUN run = run_kv2gxb(args, dir.path());
        if (row.status >= 0) {
            EXPECT_EQ(run.exit_status, row.status) << run.err;
        }
        for (const char* text : row.shown) EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
        for (const char* text : row.absent) EXPECT_EQ(run.err.find(text), std::string::npos) << run.err;
    }
}
