#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/controls.h"
#include "platform/dc.h"
#include "platform/text_metrics.h"

namespace {
LOGFONT arial(int points, bool bold = false) { return bwizc_make_logfont("Arial", points, bold); }
}  // namespace

TEST(TextMetrics, ResolvesFacesToTheLiberationFilesAndPinsTheirMeasures) {
    EXPECT_NE(bwizc_font_file(arial(8)).Find("LiberationSans-Regular"), -1) << bwizc_font_file(arial(8)).c_str();
    EXPECT_NE(bwizc_font_file(arial(8, true)).Find("LiberationSans-Bold"), -1);
    EXPECT_NE(bwizc_font_file(bwizc_make_logfont("Courier", 9, false)).Find("LiberationMono-Regular"), -1);
    EXPECT_EQ(bwizc_font_family(bwizc_make_logfont("Courier New", 9, false)), "Liberation Mono");

    EXPECT_EQ(bwizc_text_metrics(arial(8)).tmDescent, 3);
    EXPECT_EQ(bwizc_font_pixel_size(arial(7)), 9);
    EXPECT_EQ(bwizc_font_pixel_size(arial(10)), 13);
    // A positive height asks for the cell height instead of the em.
    LOGFONT cell = arial(8);
    cell.lfHeight = 13;
    EXPECT_EQ(bwizc_font_pixel_size(cell), 11);

    EXPECT_EQ(bwizc_text_extent(arial(10, true), "rx_datain[3..0]"), CSize(87, 15));
    // Every character of a fixed-pitch face is equally wide.
    LOGFONT mono = bwizc_make_logfont("Courier", 9, false);
    EXPECT_EQ(bwizc_text_extent(mono, "iiii").cx, bwizc_text_extent(mono, "WWWW").cx);

    std::vector<int> pos = bwizc_text_char_positions(arial(8), "a\xc3\xa9z");  // a, e-acute, z
    ASSERT_EQ(pos.size(), 4u);
    EXPECT_EQ(pos.front(), 0);
    EXPECT_EQ(pos.back(), bwizc_text_extent(arial(8), "a\xc3\xa9z").cx);
    EXPECT_LT(pos[1], pos[2]);
}

TEST(TextMetrics, MissingFontIsAnErrorNotAFallback) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A font configuration that knows no fonts at all.
    char path[] = "/tmp/bwizc-nofonts-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    const char conf[] = "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>/tmp/bwizc-nofonts-cache</cachedir></fontconfig>\n";
    ASSERT_EQ(write(fd, conf, sizeof conf - 1), static_cast<ssize_t>(sizeof conf - 1));
    close(fd);
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", path, 1);
            CString error;
            bool ok = bwizc_text_metrics_initialize(&error);
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(ok ? 0 : 7);
        },
        ::testing::ExitedWithCode(7), "Liberation Sans.*not installed");
    unlink(path);
}

TEST(RecordingDC, RecordsShapesWithTheSelectedPenBrushAndOrigin) {
    CRecordingDC dc;
    CPen red(PS_SOLID, 2, RGB(255, 0, 0));
    CBrush blue(RGB(0, 0, 255));
    CPen* old_pen = dc.SelectObject(&red);
    dc.SelectObject(&blue);
    dc.SetViewportOrg(10, 20);
    dc.MoveTo(0, 0);
    dc.LineTo(5, 6);
    dc.Rectangle(CRect(8, 8, 2, 2));  // normalised
    dc.SelectStockObject(NULL_BRUSH);
    dc.Ellipse(0, 0, 4, 4);
    dc.Arc(CRect(0, 0, 10, 10), CPoint(10, 5), CPoint(0, 5));
    EXPECT_EQ(dc.SelectObject(old_pen), &red);
    dc.FillSolidRect(CRect(1, 1, 3, 3), RGB(1, 2, 3));
    const auto& ops = dc.ops();
    ASSERT_EQ(ops.size(), 5u);
    EXPECT_EQ(ops[0].rect, CRect(10, 20, 15, 26));
    EXPECT_EQ(ops[1].rect, CRect(12, 22, 18, 28));
    EXPECT_FALSE(ops[1].brush_null);
    EXPECT_EQ(ops[1].brush_color, RGB(0, 0, 255));
    EXPECT_TRUE(ops[2].brush_null);
    EXPECT_EQ(ops[3].arc_start, CPoint(20, 25));
    EXPECT_EQ(ops[4].pen_color, 0u);  // the stock black pen is back
    EXPECT_EQ(ops[4].brush_color, RGB(1, 2, 3));
    // Saved state comes back, including the origin.
    int saved = dc.SaveDC();
    dc.SetViewportOrg(0, 0);
    dc.SetTextColor(RGB(9, 9, 9));
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(10, 20));
    EXPECT_EQ(dc.GetTextColor(), 0u);
}

TEST(RecordingDC, DrawsTextWrappedAlignedTurnedAndWithPrefixes) {
    CRecordingDC dc;
    CFont font;
    LOGFONT lf = arial(8);
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    CRect calc(0, 0, 0, 0);
    EXPECT_EQ(dc.DrawText("&Next >", &calc, DT_CALCRECT | DT_SINGLELINE), 13);
    EXPECT_EQ(calc, CRect(0, 0, 32, 13));  // the "&" only marks the mnemonic
    EXPECT_TRUE(dc.ops().empty());

    CRect box(0, 0, 100, 100);
    dc.DrawText("Able to implement the requested GXB", &box, DT_WORDBREAK | DT_CENTER);
    ASSERT_GE(dc.ops().size(), 2u);
    for (const auto& op : dc.ops()) {
        EXPECT_LE(op.rect.Width(), 100) << op.text.c_str();
        EXPECT_EQ(op.rect.left, (100 - op.rect.Width()) / 2);
    }
    EXPECT_EQ(dc.ops()[0].text, "Able to implement");
    EXPECT_EQ(dc.ops()[1].rect.top, 13);
    dc.clear();
    CRect right(0, 0, 100, 30);
    dc.DrawText("a&&b", &right, DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
    ASSERT_EQ(dc.ops().size(), 1u);
    EXPECT_EQ(dc.ops()[0].text, "a&b");
    EXPECT_EQ(dc.ops()[0].rect.right, 100);
    EXPECT_EQ(dc.ops()[0].rect.top, (30 - 13) / 2);

    // Turned a quarter, aligned right on the baseline.
    dc.clear();
    CFont turned;
    lf.lfEscapement = 900;
    turned.CreateFontIndirect(&lf);
    dc.SelectObject(&turned);
    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    dc.TextOut(100, 50, "Next >");
    ASSERT_EQ(dc.ops().size(), 1u);
    const BWIZC_DRAW_OP& t = dc.ops()[0];
    EXPECT_EQ(t.text, "Next >");
    EXPECT_EQ(t.text_origin, CPoint(100, 50));
    // 32 wide, ascent 10: the box ends at the reference point and sits on the baseline.
    EXPECT_EQ(t.rect, CRect(68, 40, 100, 53));
    EXPECT_EQ(t.font.lfEscapement, 900);
    EXPECT_EQ(t.char_x.back(), 32);
    EXPECT_EQ(t.ascent, 10);
}

TEST(RecordingDC, WindowsPaintTheirStandardLookWithTheirText) {
    CWnd parent;
    ASSERT_TRUE(parent.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 1));
    CStatic label;
    label.Create("Data rate:", WS_CHILD | WS_VISIBLE | SS_RIGHT, CRect(10, 10, 110, 30), &parent, 2);
    CButton group;
    group.Create("Options", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, 40, 200, 100), &parent, 3);
    CRecordingDC dc;
    parent.paint_tree_into(dc);
    std::vector<CString> texts;
    for (const auto& op : dc.ops()) {
        if (op.kind != BWIZC_DRAW_OP::TEXT) continue;
        texts.push_back(op.text);
        // Right-aligned in its own rectangle, moved to its place in the parent.
        if (op.text == "Data rate:") {
            EXPECT_EQ(op.rect.right, 110);
        }
    }
    EXPECT_EQ(texts, (std::vector<CString>{"Data rate:", "Options"}));
    // A paint without a backend painter is kept as the window's last picture.
    label.SendMessage(WM_PAINT);
    ASSERT_EQ(label.get_last_paint().size(), 1u);
    EXPECT_EQ(label.get_last_paint()[0].text, "Data rate:");
    label.EnableWindow(FALSE);
    label.SendMessage(WM_PAINT);
    EXPECT_EQ(label.get_last_paint()[0].text_color, GetSysColor(COLOR_GRAYTEXT));
}
