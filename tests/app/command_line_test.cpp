#include <gtest/gtest.h>

#include <vector>

#include "app/crwizard_app.h"
#include "test_scratch.h"
#include "wizard/bwizc_resource_info.h"

namespace {

// argv as the calling program passes it, program name first.
CRWIZARD_COMMAND_LINE_INFO parse(std::vector<const char*> argv) {
    CRWIZARD_COMMAND_LINE_INFO info;
    bwizc_parse_command_line(info, static_cast<int>(argv.size()), argv.data());
    return info;
}

}  // namespace

TEST(CommandLineParse, EachArgumentIsOneTokenWithItsBlanksAndQuotes) {
    MESSAGE_CAPTURE boxes;
    // Arguments with blanks, one right after the other, stay whole.
    CRWIZARD_COMMAND_LINE_INFO info = parse({"/opt/my tools/kv2gxb", "-silent", "-wizard_title:My Title", "/tmp/my dir/top.v"});
    EXPECT_TRUE(info.is_silent_mode());
    EXPECT_EQ(info.get_wizard_title(), "My Title");
    EXPECT_EQ(info.get_design_file_full_path(), "/tmp/my dir/top.v");
    // The title option still loses its own quotes.
    info = parse({"kv2gxb", "-wizard_title:\"My Title\"", "-wizard_subtitle:\"v2.0", "-caption_text:\"Cap\""});
    EXPECT_EQ(info.get_wizard_title(), "My Title");
    EXPECT_EQ(info.get_wizard_subtitle(), "v2.0");
    EXPECT_EQ(info.get_alternate_caption_text(), "\"Cap\"");
    // argv[0] is never an argument, even when empty; the arguments after it are.
    info = parse({"", "/tmp/a.v"});
    EXPECT_EQ(info.get_design_file_full_path(), "/tmp/a.v");
    EXPECT_EQ(parse({"/usr/bin/top.v"}).get_design_file_full_path(), "");
    // The wizard's own parse reads the arguments it was given.
    CRWIZARD_APP app;
    const char* argv[] = {"kv2gxb", "-n", "/tmp/my dir/b.vhd"};
    app.set_arguments(3, argv);
    app.ParseCommandLine(info);
    EXPECT_EQ(info.get_design_file_full_path(), "/tmp/my dir/b.vhd");
    EXPECT_TRUE(info.is_new_variation_mode());
    EXPECT_TRUE(boxes.texts.empty());
}

TEST(CommandLineParse, KeywordsAfterTheProgramNameSetTheirFields) {
    MESSAGE_CAPTURE boxes;
    CRWIZARD_COMMAND_LINE_INFO info = parse({"kv2gxb", "-symbol", "-silent", "/cmd", "-mapfile", "-hbutton", "-GED",
                                             "-PADMAP", "-NAV", "-LAF", "-n", "-p2", "-tkv2gxb", "-x640", "-y480",
                                             "-devicefamilyVelaris", "-wizard_name:KV2GXB"});
    EXPECT_TRUE(info.is_capable_of_symbol_generation());
    EXPECT_TRUE(info.is_silent_mode());
    EXPECT_TRUE(info.is_cmd_line_flow());
    EXPECT_TRUE(info.is_map_file_gen_mode());
    EXPECT_TRUE(info.has_help_button());
    EXPECT_TRUE(info.is_entered_from_ged());
    EXPECT_TRUE(info.is_entered_from_protocol_planner());
    EXPECT_TRUE(info.has_nav_panel());
    EXPECT_TRUE(info.has_custom_laf());
    EXPECT_TRUE(info.is_new_variation_mode());
    EXPECT_EQ(info.get_start_page_offset(), 2);
    EXPECT_EQ(info.get_brixfunction_name(), "kv2gxb");
    EXPECT_EQ(info.get_screen_x(), 640);
    EXPECT_EQ(info.get_screen_y(), 480);
    EXPECT_EQ(info.get_device_family_name(), "Velaris");
    EXPECT_EQ(info.get_wizard_id(), "KV2GXB");
    EXPECT_FALSE(info.has_position());
    EXPECT_FALSE(info.is_send_msg_to_wizman_enabled());
    EXPECT_TRUE(boxes.texts.empty());

    // Keywords are case-sensitive and whole: anything else falls through to
    // the one-letter options or the usage box.
    info = parse({"kv2gxb", "-Silent", "-silently"});
    EXPECT_FALSE(info.is_silent_mode());
    EXPECT_EQ(boxes.texts.size(), 2u);
}

TEST(CommandLineParse, ComboAndSimlibKeywordsSetBothFieldsLastWins) {
    MESSAGE_CAPTURE boxes;
    struct CASE {
        std::vector<const char*> argv;
        bool cgx, combo, simlib_box, simlib_std;
    };
    const CASE cases[] = {
        {{"kv2gxb", "-cgxgen/addcombo"}, true, true, false, false},
        {{"kv2gxb", "-cgxgen/addcombo", "-cgxgen"}, true, false, false, false},
        {{"kv2gxb", "-cgxgen", "-add_auto_device_combo"}, false, true, false, false},
        {{"kv2gxb", "-SIMLIB_GEN"}, false, false, true, false},
        {{"kv2gxb", "-SIMLIB_GEN", "-SIMLIB_GEN_STD_MSG"}, false, false, false, true},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.argv.back());
        const CRWIZARD_COMMAND_LINE_INFO info = parse(c.argv);
        EXPECT_EQ(info.is_cgx_generated(), c.cgx);
        EXPECT_EQ(info.has_cgx_device_combobox(), c.combo);
        EXPECT_EQ(info.has_simlib_gen_check_box(), c.simlib_box);
        EXPECT_EQ(info.has_simlib_std_msg(), c.simlib_std);
    }
    const CRWIZARD_COMMAND_LINE_INFO info = parse({"kv2gxb", "-p3", "-p5", "/tmp/a.v", "/tmp/b.vhd", "-tone", "-ttwo"});
    EXPECT_EQ(info.get_start_page_offset(), 5);
    EXPECT_EQ(info.get_design_file_full_path(), "/tmp/b.vhd");
    EXPECT_EQ(info.get_brixfunction_name(), "two");
    EXPECT_TRUE(boxes.texts.empty());
}

TEST(CommandLineParse, SlashPathsAndOneLetterOptions) {
    MESSAGE_CAPTURE boxes;
    // A "/" argument with a "." is a Unix path, not a flag.
    CRWIZARD_COMMAND_LINE_INFO info = parse({"kv2gxb", "/home/u/top.v"});
    EXPECT_EQ(info.get_design_file_full_path(), "/home/u/top.v");
    EXPECT_FALSE(info.is_send_msg_to_wizman_enabled());

    // Without a "." its first letter is an option: h with "ome/u/top".
    info = parse({"kv2gxb", "/home/u/top"});
    EXPECT_EQ(info.get_design_file_full_path(), "");
    EXPECT_TRUE(info.is_send_msg_to_wizman_enabled());
    EXPECT_EQ(info.get_calling_thread_id(), 0u);

    info = parse({"kv2gxb", "-h1234"});
    EXPECT_EQ(info.get_calling_thread_id(), 1234u);
    EXPECT_TRUE(info.is_send_msg_to_wizman_enabled());
    EXPECT_TRUE(parse({"kv2gxb", "-h"}).is_send_msg_to_wizman_enabled());
    EXPECT_TRUE(parse({"kv2gxb", "-new_anything"}).is_new_variation_mode());
    EXPECT_TRUE(boxes.texts.empty());
}

TEST(CommandLineParse, UnknownFlagShowsUsageAndParsingGoesOn) {
    MESSAGE_CAPTURE boxes;
    CRWIZARD_COMMAND_LINE_INFO info = parse({"kv2gxb", "-q", "-zz", "-silent", "/tmp/a.v"});
    EXPECT_TRUE(info.is_silent_mode());
    EXPECT_EQ(info.get_design_file_full_path(), "/tmp/a.v");
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0],
              "Command line options:\n\n-n\t\tindicates that this is a new file (required)\n<filename>\tfull path to "
              "file that must be created (required)\n\n-h\t\tSpecifies the thread ID of the calling program "
              "(optional)\n-symbol\tSpecifies that the calling program can generate a symbol file (optional)\n-x\t\t"
              "Specifies the screen x coordinate of the lower right corner (optional)\n-y\t\tSpecifies the screen y "
              "coordinate of the lower right corner (optional)\n-p\t\tSpecifies the first page offset "
              "(optional)\n-silent\tSpecifies that the wizard should not show a UI.");
}

TEST(ApplicationExit, StopsTheResourceWorkerOnce) {
    int stops = 0;
    bwizc_set_resource_info_stopper([&stops] { ++stops; });
    CRWIZARD_APP app;
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(stops, 1);
}
