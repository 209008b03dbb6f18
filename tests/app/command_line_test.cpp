#include <gtest/gtest.h>

#include <string>
#include <utility>
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

// The switches a parse turned on, by their option keywords, in a fixed order.
std::string switches(const CRWIZARD_COMMAND_LINE_INFO& i) {
    const std::pair<const char*, bool> all[] = {
        {"symbol", i.is_capable_of_symbol_generation()}, {"silent", i.is_silent_mode()},
        {"cmd", i.is_cmd_line_flow()}, {"mapfile", i.is_map_file_gen_mode()}, {"hbutton", i.has_help_button()},
        {"GED", i.is_entered_from_ged()}, {"PADMAP", i.is_entered_from_protocol_planner()}, {"NAV", i.has_nav_panel()},
        {"LAF", i.has_custom_laf()}, {"n", i.is_new_variation_mode()}, {"h", i.is_send_msg_to_wizman_enabled()},
        {"cgxgen", i.is_cgx_generated()}, {"combo", i.has_cgx_device_combobox()},
        {"SIMLIB_GEN", i.has_simlib_gen_check_box()}, {"STD_MSG", i.has_simlib_std_msg()}, {"xy", i.has_position()}};
    std::string on;
    for (const auto& [name, set] : all) {
        if (set) on += on.empty() ? name : std::string(" ") + name;
    }
    return on;
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
    // -x and -y make no position, and -hbutton is not -h.
    EXPECT_EQ(switches(info), "symbol silent cmd mapfile hbutton GED PADMAP NAV LAF n");
    EXPECT_EQ(info.get_start_page_offset(), 2);
    EXPECT_EQ(info.get_brixfunction_name(), "kv2gxb");
    EXPECT_EQ(info.get_screen_x(), 640);
    EXPECT_EQ(info.get_screen_y(), 480);
    EXPECT_EQ(info.get_device_family_name(), "Velaris");
    EXPECT_EQ(info.get_wizard_id(), "KV2GXB");
    EXPECT_TRUE(boxes.texts.empty());

    // Keywords are case-sensitive and whole: anything else falls through to
    // the one-letter options or the usage box.
    EXPECT_EQ(switches(parse({"kv2gxb", "-Silent", "-silently"})), "");
    EXPECT_EQ(boxes.texts.size(), 2u);
}

TEST(CommandLineParse, ComboAndSimlibKeywordsSetBothFieldsLastWins) {
    MESSAGE_CAPTURE boxes;
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"kv2gxb", "-cgxgen/addcombo"}, "cgxgen combo"},
        {{"kv2gxb", "-cgxgen/addcombo", "-cgxgen"}, "cgxgen"},
        {{"kv2gxb", "-cgxgen", "-add_auto_device_combo"}, "combo"},
        {{"kv2gxb", "-SIMLIB_GEN"}, "SIMLIB_GEN"},
        {{"kv2gxb", "-SIMLIB_GEN", "-SIMLIB_GEN_STD_MSG"}, "STD_MSG"},
    };
    for (const auto& [argv, on] : cases) EXPECT_EQ(switches(parse(argv)), on) << argv.back();
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
    EXPECT_EQ(boxes.texts[0], read_file(KV2GXB_SOURCE_DIR "/tests/app/golden/usage.txt"));
}

TEST(ApplicationExit, StopsTheResourceWorkerOnce) {
    int stops = 0;
    bwizc_set_resource_info_stopper([&stops] { ++stops; });
    CRWIZARD_APP app;
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(stops, 1);
}
