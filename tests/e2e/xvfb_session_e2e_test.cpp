// The real kv2gxb in a real X server (Xvfb) with the navigation panel, the
// flat look and the Documentation button: its first page saved, then Enter on
// every page (the default button: Next, and Finish on the last page).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "e2e_support.h"
#include "platform/image.h"

namespace {
// Plays the user from outside: waits for each new page window, saves the
// first, presses Enter; ends with the wizard's exit status.
const char* const DRIVER = R"(exe=$1; xshot=$2; dir=$3; shot=$4
"$exe" -n -NAV -LAF -hbutton "-wizard_title:KV2GXB Transceiver" "$dir/gxb_top.v" 2>"$dir/wizard.err" &
pid=$!; last=""; tries=0
while kill -0 $pid 2>/dev/null && ! grep -q '^State:.*Z' /proc/$pid/status 2>/dev/null && [ $tries -lt 600 ]; do
    tries=$((tries + 1))
    win=$(xdotool search --onlyvisible --name 'Blockwright Plug-In Manager' 2>/dev/null | tail -n 1)
    title=$( [ -n "$win" ] && xdotool getwindowname "$win" 2>/dev/null)
    if [ -z "$win" ] || [ "$title" = "$last" ]; then sleep 0.1; continue; fi
    sleep 0.6
    [ -z "$last" ] && "$xshot" "$win" "$shot"
    echo "page: $title"
    timeout 5 xdotool windowfocus --sync "$win" key Return
    last=$title
done
wait $pid; status=$?; echo "status: $status"; exit $status
)";

// The program's path as the shell finds it, "" when it is not there.
std::string find_on_path(const std::string& program) {
    std::istringstream dirs(std::getenv("PATH") ? std::getenv("PATH") : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return dir + "/" + program;
    }
    return "";
}
}  // namespace

TEST(XServerSession, EnterOnEveryPageEndsWithFinishAndWritesTheVariation) {
#ifndef KV2GXB_XSHOT
    GTEST_SKIP() << "the Qt backend is not built, so there is no window to test";
#else
    if (find_on_path("xvfb-run").empty() || find_on_path("xdotool").empty()) {
        GTEST_SKIP() << "xvfb-run or xdotool is missing (packages xvfb and xdotool, installed by make deps)";
    }
    SCRATCH_DIR dir;
    write_file(dir.file("driver.sh"), DRIVER);
    const std::string shot = std::string(KV2GXB_ARTIFACTS_DIR) + "/gui_xvfb_general.png";
    std::remove(shot.c_str());
    const KV2GXB_RUN run = run_program({find_on_path("xvfb-run"), "-a", "-s", "-screen 0 1280x1024x24", "sh",
                                        dir.file("driver.sh"), KV2GXB_EXECUTABLE, KV2GXB_XSHOT, dir.path(), shot},
                                       dir.path(),
                                       {"QT_QPA_PLATFORM=xcb",
                                        "LSAN_OPTIONS=suppressions=" KV2GXB_SOURCE_DIR "/tests/e2e/xvfb/libdbus.supp"},
                                       180000);
    const std::string log = run.out + run.err + read_file(dir.file("wizard.err"));
    ASSERT_TRUE(run.ended) << log;
    EXPECT_EQ(run.exit_status, 0) << log;
    // From the first page, General, to the summary, where Enter is Finish.
    EXPECT_EQ(run.out.find("page: Blockwright Plug-In Manager [page 1 of"), 0u) << log;
    EXPECT_NE(run.out.find("-- General\n"), std::string::npos) << log;
    EXPECT_NE(run.out.find("-- Summary\nstatus: 0"), std::string::npos) << log;
    const std::string cnx = read_file(dir.file("gxb_top.cnx"));
    EXPECT_NE(cnx.find("PRIVATE: WIZ_PROTOCOL"), std::string::npos) << log;
    CSize size;
    ASSERT_TRUE(bwizc_read_image_size(shot.c_str(), &size)) << log;
    EXPECT_GE(size.cx, 700);
    EXPECT_GE(size.cy, 450);
#endif
}
