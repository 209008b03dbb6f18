// Start-up errors of the real executable: texts and exit statuses.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {
bool mentions(const KV2GXB_RUN& run, const char* text) { return run.err.find(text) != std::string::npos; }
}  // namespace

TEST(StartupE2e, MissingDesignFileIsReportedAndEndsWithStatusZero) {
    KV2GXB_RUN run = run_kv2gxb({});
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_TRUE(mentions(run, "Error: No design file has been specified")) << run.err;
    // No argument at all is not an unknown flag: no usage text.
    EXPECT_FALSE(mentions(run, "Command line options:")) << run.err;

    run = run_kv2gxb({"-silent"});
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_TRUE(mentions(run, "Error: No design file has been specified")) << run.err;
}

TEST(StartupE2e, DesignFileExtensionIsChecked) {
    SCRATCH_DIR dir;
    KV2GXB_RUN run = run_kv2gxb({"-silent", "/tmp/x/top.sv"});
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_TRUE(mentions(run, "Error: Illegal extension in design file name")) << run.err;

    run = run_kv2gxb({"/tmp/x/top.vhdl"});
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_TRUE(mentions(run, "Error: Illegal extension in design file name")) << run.err;

    // A relative name without extension (an absolute one without "." would
    // be read as a one-letter option).
    run = run_kv2gxb({"-silent", "top"}, dir.path());
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_TRUE(mentions(run, "Error: Illegal extension in design file name")) << run.err;

    // Upper case passes the check; whatever happens next, it is not this error.
    run = run_kv2gxb({"-silent", dir.file("TOP.VHD")});
    EXPECT_FALSE(mentions(run, "Error: Illegal extension in design file name")) << run.err;
    EXPECT_FALSE(mentions(run, "Error: No design file has been specified")) << run.err;
}

TEST(StartupE2e, UnknownFlagShowsUsageThenRunGoesOn) {
    KV2GXB_RUN run = run_kv2gxb({"-bogus", "-silent"});
    EXPECT_TRUE(mentions(run, "Command line options:")) << run.err;
    // The usage box comes before silent mode is in force, so parsing went on
    // and the silent run then ended on the missing design file.
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_TRUE(mentions(run, "Error: No design file has been specified")) << run.err;
}

TEST(StartupE2e, ArgumentsWithBlanksStayWhole) {
    SCRATCH_DIR dir;
    const std::string design = dir.file("my dir") + "/top.vhd";
    KV2GXB_RUN run = run_kv2gxb({"-silent", "-wizard_title:My Title", design});
    EXPECT_FALSE(mentions(run, "Error: Illegal extension in design file name")) << run.err;
    EXPECT_FALSE(mentions(run, "Error: No design file has been specified")) << run.err;
}
