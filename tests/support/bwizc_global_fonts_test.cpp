#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "platform/app.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/process.h"
#include "support/bwizc_global_fonts.h"

TEST(BwizcGlobalFonts, MakesFontsAtScreenResolution) {
    struct CASE {
        int points;
        bool bold;
        LONG height;
    };
    for (CASE c : {CASE{7, false, -9}, CASE{8, true, -11}, CASE{10, false, -13}, CASE{12, false, -16}}) {
        std::unique_ptr<CFont> f(bwizc_global_make_font("Arial", c.points, c.bold));
        LOGFONT lf;
        ASSERT_TRUE(f->GetLogFont(&lf));
        EXPECT_EQ(std::tuple(lf.lfHeight, lf.lfWeight, lf.lfEscapement, +lf.lfItalic),
                  std::tuple(c.height, c.bold ? 700 : 400, 0, 0)) << c.points;
        EXPECT_STREQ(lf.lfFaceName, "Arial");
    }
    LOGFONT lf;
    lf.lfWeight = 999;
    bwizc_global_create_LOGFONT(lf, 8, 900, "A face name that is longer than thirty-one bytes", nullptr);
    EXPECT_EQ(std::tuple(lf.lfHeight, lf.lfWidth, lf.lfEscapement, lf.lfOrientation, lf.lfWeight),
              std::tuple(-11, 0, 900, 900, 0));
    EXPECT_EQ(std::tuple(+lf.lfOutPrecision, +lf.lfClipPrecision, +lf.lfQuality, +lf.lfPitchAndFamily),
              std::tuple(2, 1, 2, 0x30));
    EXPECT_STREQ(lf.lfFaceName, "A face name that is longer than");
}

// These numbers are what every run lays symbols and pages out with.
TEST(BwizcGlobalFonts, TextExtentsOfArialArePinned) {
    struct CASE {
        int points;
        bool bold;
        const char* text;
        CSize size;
    };
    const CASE cases[] = {
        {7, false, "rx_datain[3..0]", {60, 11}},
        {7, false, "Able to implement the requested GXB", {157, 11}},
        {8, false, "rx_datain[3..0]", {69, 13}},
        {8, false, "tx_dataout", {51, 13}},
        {8, true, "tx_dataout", {57, 13}},
        {8, false, "Able to implement the requested GXB", {181, 13}},
        {10, false, "rx_datain[3..0]", {83, 15}},
        {10, true, "Able to implement the requested GXB", {234, 15}},
        {10, false, "", {0, 15}},
    };
    for (const CASE& c : cases) {
        EXPECT_EQ(bwizc_global_get_text_extent(c.text, c.points, "Arial", c.bold), c.size) << c.points << " " << c.text;
        std::unique_ptr<CFont> f(bwizc_global_make_font("Arial", c.points, c.bold));
        EXPECT_EQ(bwizc_global_get_text_extent(c.text, f.get()), c.size);
    }
    // "MS Sans Serif" is measured with the same font as "Arial".
    EXPECT_EQ(bwizc_global_get_text_extent("tx_dataout", 8, "MS Sans Serif", false), CSize(51, 13));
    // Two lines are twice as high; "&" is taken literally.
    EXPECT_EQ(bwizc_global_get_text_extent("tx_dataout\ntx", 8, "Arial", false), CSize(51, 26));
    EXPECT_GT(bwizc_global_get_text_extent("a&b", 8, "Arial", false).cx, bwizc_global_get_text_extent("ab", 8, "Arial", false).cx);
}

TEST(BwizcGlobalFonts, TrimsNamesUntilTheyFit) {
    EXPECT_EQ(bwizc_global_get_trimmed_name("", 0, 8, "Arial"), "");
    EXPECT_EQ(bwizc_global_get_trimmed_name("tx_dataout", 51, 8, "Arial"), "tx_dataout");
    // The longest cut that fits: "tx_datao..." is wider than 50.
    EXPECT_EQ(bwizc_global_get_trimmed_name("tx_dataout", 50, 8, "Arial"), "tx_data...");
    EXPECT_EQ(bwizc_global_get_trimmed_name("tx_dataout", 1, 8, "Arial"), "...");
}

TEST(BwizcGlobalFonts, FontSettingReachesEveryChildWindow) {
    BWIZC_DIALOG_TEMPLATE t;
    t.id = 4200;
    t.cx = 100;
    t.cy = 50;
    t.items = {BWIZC_DIALOG_ITEM::ltext(1, "a", 0, 0, 20, 8), BWIZC_DIALOG_ITEM::edit_text(2, 0, 10, 20, 12)};
    CDialog dlg(&t);
    ASSERT_TRUE(dlg.create_from_template());
    CStatic nested;
    nested.Create("nested", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), dlg.GetDlgItem(1), 3);
    std::unique_ptr<CFont> font(bwizc_global_make_font("Courier", 10, true));
    bwizc_global_font_setting_routine(&dlg, font.get());
    EXPECT_EQ(dlg.GetDlgItem(1)->GetFont(), font.get());
    EXPECT_EQ(dlg.GetDlgItem(2)->GetFont(), font.get());
    EXPECT_EQ(nested.GetFont(), font.get());
    EXPECT_NE(dlg.GetFont(), font.get());  // the window itself keeps its font
    EXPECT_EQ(dlg.GetDlgItem(2)->get_effective_font().lfWeight, 700);
    nested.DestroyWindow();
    dlg.DestroyWindow();
    bwizc_global_font_setting_routine(&dlg, font.get());  // no window: nothing to do
}

TEST(BwizcGlobalFonts, GradientRunsFromFirstToSecondColour) {
    CRecordingDC dc;
    bwizc_global_draw_gradient_rect(&dc, CRect(0, 10, 40, 20), RGB(0, 0, 0), RGB(90, 180, 255));
    ASSERT_EQ(dc.ops().size(), 10u);
    EXPECT_EQ(dc.ops().front().brush_color, RGB(0, 0, 0));
    EXPECT_EQ(dc.ops().back().brush_color, RGB(90, 180, 255));
    EXPECT_EQ(dc.ops()[0].rect, CRect(0, 10, 40, 11));
    EXPECT_EQ(dc.ops()[9].rect, CRect(0, 19, 40, 20));
    dc.clear();
    bwizc_global_draw_gradient_rect(&dc, CRect(0, 0, 100, 4), RGB(0, 0, 0), RGB(200, 0, 0), false, 4);
    ASSERT_EQ(dc.ops().size(), 4u);
    EXPECT_EQ(dc.ops()[1].rect, CRect(25, 0, 50, 4));
    int covered = 0;
    for (const auto& op : dc.ops()) covered += op.rect.Width();
    EXPECT_EQ(covered, 100);
}

TEST(BwizcGlobalFonts, PeekAndPumpDispatchesRunsIdleAndStopsAtQuit) {
    struct APP : CWinApp {
        int idle_calls = 0;
        BOOL OnIdle(LONG count) override {
            ++idle_calls;
            return count < 2;
        }
    } app;
    CWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "", 0, CRect(), nullptr, 1));
    const UINT msg = RegisterWindowMessage("fonts-test-pump");
    int got = 0;
    wnd.set_message_handler(msg, [&](WPARAM, LPARAM) -> LRESULT { return ++got; });
    wnd.PostMessage(msg);
    wnd.PostMessage(msg);
    EXPECT_TRUE(bwizc_global_peek_and_pump());
    EXPECT_EQ(got, 2);
    EXPECT_EQ(app.idle_calls, 3);

    BWIZC_CHILD_PROCESS sleeper;
    CStringArray argv;
    argv.Add("sleep");
    argv.Add("30");
    ASSERT_TRUE(sleeper.start(argv, BWIZC_CHILD_PROCESS::PIPE_NONE));
    PostQuitMessage(0);
    EXPECT_FALSE(bwizc_global_peek_and_pump(&sleeper));
    int status = 0;
    EXPECT_TRUE(sleeper.try_wait(&status));
    EXPECT_EQ(status, 128 + 15);
    // The quit request is posted again for the loops further out.
    EXPECT_EQ(bwizc_posted_message_count(), 1u);
    bwizc_clear_posted_messages();
}
