// The real kv2gxb in a real X server (Xvfb): a new variation with the
// navigation panel, the flat look and the Documentation button, its first
// page saved as a screenshot, then Enter on every page (the default button:
// Next, and Finish on the last page) until the wizard ends.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "e2e_support.h"
#include "platform/image.h"

namespace {

// The program's path as the shell would find it, "" when it is not there.
std::string find_on_path(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string rest = path ? path : "";
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string candidate = rest.substr(0, colon) + "/" + program;
        if (colon != 0 && access(candidate.c_str(), X_OK) == 0) return candidate;
        rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
    }
    return "";
}

// Plays the user from outside the program: waits for each new page window,
// shoots the first, presses Enter; ends with the wizard's exit status.
const char* const DRIVER = R"(#!/bin/sh
exe=$1; xshot=$2; dir=$3; shot=$4
"$exe" -n -NAV -LAF -hbutton "-wizard_title:KV2GXB Transceiver" "-wizard_subtitle:Multi-channel gigabit transceiver block" \
    "$dir/gxb_top.v" >"$dir/wizard.out" 2>"$dir/wizard.err" &
pid=$!
last=""
shot_taken=0
tries=0
while kill -0 "$pid" 2>/dev/null && ! grep -q '^State:.*Z' "/proc/$pid/status" 2>/dev/null; do
    tries=$((tries + 1))
    if [ "$tries" -gt 600 ]; then echo "driver: gave up on '$last'"; kill "$pid"; break; fi
    win=$(xdotool search --onlyvisible --name 'Blockwright Plug-In Manager' 2>/dev/null | tail -n 1)
    title=$( [ -n "$win" ] && xdotool getwindowname "$win" 2>/dev/null)
    if [ -z "$win" ] || [ "$title" = "$last" ]; then sleep 0.1; continue; fi
    sleep 0.6
    if [ "$shot_taken" -eq 0 ]; then
        "$xshot" "$win" "$shot" || echo "driver: no screenshot"
        shot_taken=1
    fi
    echo "page: $title"
    timeout 5 xdotool windowfocus --sync "$win" key Return
    last=$title
done
wait "$pid"
status=$?
echo "status: $status"
exit $status
)";

}  // namespace

TEST(XServerSession, EnterOnEveryPageEndsWithFinishAndWritesTheVariation) {
#ifndef KV2GXB_XSHOT
    GTEST_SKIP() << "the Qt backend is not built, so there is no window to test";
#else
    const std::string xvfb_run = find_on_path("xvfb-run");
    for (const char* program : {"xvfb-run", "xdotool"}) {
        if (find_on_path(program).empty()) {
            GTEST_SKIP() << program << " is missing (packages xvfb and xdotool, installed by make deps): "
                         << "the test in a real X server does not run";
        }
    }
    TEMP_DIR dir;
    write_file(dir.file("driver.sh"), DRIVER);
    const std::string shot = std::string(KV2GXB_ARTIFACTS_DIR) + "/gui_xvfb_general.png";
    std::remove(shot.c_str());
    const KV2GXB_RUN run =
        run_program({xvfb_run, "-a", "-s", "-screen 0 1280x1024x24", "sh", dir.file("driver.sh"), KV2GXB_EXECUTABLE,
                     KV2GXB_XSHOT, dir.path(), shot},
                    dir.path(), {"QT_QPA_PLATFORM=xcb"}, 180000);
    const std::string log = run.out + run.err + read_file(dir.file("wizard.err"));
    ASSERT_TRUE(run.ended) << log;
    EXPECT_EQ(run.exit_status, 0) << log;
    EXPECT_NE(run.out.find("status: 0"), std::string::npos) << log;
    // The first page was General, the last the summary, where Enter is Finish.
    EXPECT_NE(run.out.find("page: Blockwright Plug-In Manager [page 1 of"), std::string::npos) << log;
    EXPECT_NE(run.out.find("-- General\n"), std::string::npos) << log;
    const size_t last_page = run.out.rfind("page: ");
    ASSERT_NE(last_page, std::string::npos) << log;
    EXPECT_NE(run.out.find("-- Summary", last_page), std::string::npos) << log;
    // Finish wrote the variation.
    const std::string cnx = read_file(dir.file("gxb_top.cnx"));
    EXPECT_NE(cnx.find("PRIVATE: WIZ_PROTOCOL"), std::string::npos) << log;
    EXPECT_NE(cnx.find("USED_PORT:"), std::string::npos);
    // The screenshot is the whole page window.
    CSize size;
    ASSERT_TRUE(bwizc_read_image_size(shot.c_str(), &size)) << log;
    EXPECT_GE(size.cx, 700);
    EXPECT_GE(size.cy, 450);
#endif
}

TEST(XServerSession, WithoutADisplayAnInteractiveRunSaysSoInOneLineAndEnds) {
    TEMP_DIR dir;
    const KV2GXB_RUN run = run_kv2gxb({"-n", "-NAV", "-LAF", dir.file("gxb_top.v")}, dir.path(),
                                      {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="});
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_EQ(run.err, "kv2gxb: no display to show the wizard on; set DISPLAY, or run with -silent\n");
    EXPECT_FALSE(file_exists(dir.file("gxb_top.cnx")));
}
