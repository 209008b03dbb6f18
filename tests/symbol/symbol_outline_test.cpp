#include <gtest/gtest.h>

#include <vector>

#include "fake_metrics.h"
#include "symbol/crsymbol_outline.h"

using SymbolOutline = FakeMetricsTest;

TEST_F(SymbolOutline, ExtentRunsFromOriginAndTakesMargins) {
    CRSYMBOL_OUTLINE o("o", CPoint(3, 4));
    EXPECT_FALSE(o.is_changed());
    o.add_line(0, 0, 10, 5);
    EXPECT_TRUE(o.is_changed());
    EXPECT_EQ(o.get_extent(), CRect(3, 4, 13, 9));
    // Only the union's right and bottom count: items right of the origin's
    // left edge do not shift the extent.
    o.add_circle(20, 20, 2);
    EXPECT_EQ(o.get_extent(), CRect(3, 4, 25, 26));
    o.set_extra_margins(5, -30);
    EXPECT_EQ(o.get_extent(), CRect(3, 4, 30, 4));
    EXPECT_EQ(o.get_cached_extent(), CRect(3, 4, 30, 4));
    o.set_extra_margins(0, 0);
    // A point adds nothing to the file but widens the extent.
    const CString before = o.generate_cnx(100, CPoint(), true);
    o.add_point(40, 50);
    EXPECT_EQ(o.get_extent(), CRect(3, 4, 44, 55));
    EXPECT_EQ(o.generate_cnx(100, CPoint(), true), before);
    EXPECT_EQ(o.get_preferred_size(), CSize(41, 51));
}

TEST_F(SymbolOutline, BoxSymbolIgnoresItsFirstTextForExtent) {
    CRSYMBOL_OUTLINE o("o");
    o.add_rect(0, 0, 10, 10);
    o.add_text(100, 100, "far", 0, 8);
    o.add_text(20, 0, "b", 0, 8);
    EXPECT_EQ(o.get_extent().Width(), 112);
    o.set_box_symbol(true);
    // Only "b" (4 x 10 at (20, 0)) counts now.
    EXPECT_EQ(o.get_extent(), CRect(0, 0, 24, 11));
}

TEST_F(SymbolOutline, InsertsNestedOutlinesByPosition) {
    CRSYMBOL_OUTLINE o("o");
    auto* a = o.add_symbol_outline(new CRSYMBOL_OUTLINE("a"), 0);
    auto* b = o.add_symbol_outline(new CRSYMBOL_OUTLINE("b"), -1);
    auto* c = o.add_symbol_outline(new CRSYMBOL_OUTLINE("c"), 1);  // at index 0
    using LIST = std::vector<CRSYMBOL_OUTLINE*>;
    const auto listed = [&o] { return LIST(o.get_outlines().begin(), o.get_outlines().end()); };
    EXPECT_EQ(listed(), (LIST{c, a, b}));
    auto* d = o.add_symbol_outline(new CRSYMBOL_OUTLINE("d"), -3);  // at index 1
    auto* e = o.add_symbol_outline(new CRSYMBOL_OUTLINE("e"), 3);   // at index 2
    EXPECT_EQ(listed(), (LIST{c, d, e, a, b}));
    EXPECT_EQ(o.get_item_count(), 5);
    o.remove_all_items();
    EXPECT_EQ(o.get_outlines().get_size(), 0);
}

TEST_F(SymbolOutline, TurnsPortsIntoStubsByWidth) {
    CRSYMBOL_OUTLINE o("o");
    auto* bus = o.add_pinstub(0, 16, 24, 0, "d", 4, false, PIN_INPUT, HOTTEXT_BOTTOM_LEFT,
                              CRSYMBOL_PINSTUB::TEXT_AT_START, DIRHV_HORIZONTAL);
    EXPECT_EQ(bus->get_line()->get_line_width(), THICK);
    EXPECT_EQ(bus->get_text()->get_text(), "d[3..0]");
    EXPECT_EQ(bus->get_pin_name(), "d[3..0]");
    EXPECT_EQ(bus->get_bus_mark(), nullptr);
    auto* bit = o.add_pinstub(CPoint(0, 32), CSize(24, 0), "e", 1, true, PIN_INPUT, HOTTEXT_BOTTOM_LEFT,
                              CRSYMBOL_PINSTUB::TEXT_AT_START, DIRHV_HORIZONTAL);
    EXPECT_EQ(bit->get_line()->get_line_width(), THIN);
    EXPECT_EQ(bit->get_text()->get_text(), "e");
    // The stub shows the visible name and is known by the real one.
    auto* huge = o.add_pinstub(0, 64, 24, 0, "g", 6000, false, PIN_INPUT, HOTTEXT_BOTTOM_LEFT,
                               CRSYMBOL_PINSTUB::TEXT_AT_START, DIRHV_HORIZONTAL);
    EXPECT_EQ(huge->get_text()->get_text(), "g...");
    EXPECT_EQ(huge->get_pin_name(), "g[5999..0]");
}

TEST_F(SymbolOutline, WritesBoxRecordThenItemsByKindThenNestedOutlines) {
    CRSYMBOL_OUTLINE o("o", CPoint(2, 0));
    o.set_box_symbol(true);
    o.add_text(0, 0, "T", 0, 8);  // texts are written after lines and shapes
    o.add_circle(10, 10, 2);
    o.add_line(0, 0, 20, 0);
    auto* inner = o.add_symbol_outline(new CRSYMBOL_OUTLINE("in", CPoint(1, 1)));
    inner->add_line(0, 5, 0, 5);
    // Title "Ti" (10 x 12 at 10 points) centred on (16, 12): left 11, top 6.
    o.add_title_text(16, 12, "Ti", 100, 0x808000);
    // Extent: right 20 (line), bottom 12 (circle); origin (2, 0).
    EXPECT_EQ(o.get_extent(), CRect(2, 0, 22, 12));
    const CString cnx = o.generate_cnx(11, CPoint(0, 0), true);
    EXPECT_EQ(cnx,
              "SYMBOL: BOX 19 11 13 -1 Arial,10\n"
              "SYMBOL: LINE 2 11 22 11 SOLID THIN\n"
              "SYMBOL: CIRCLE 12 1 2 FALSE\n"
              "SYMBOL: TEXT \"T\" 2 1 HORIZ Arial,8\n"
              "SYMBOL: LINE 3 5 3 0 SOLID THIN\n");
}

TEST_F(SymbolOutline, FrameAddsRectangleAroundExtentOnEachWrite) {
    CRSYMBOL_OUTLINE o("o");
    o.add_line(0, 0, 10, 0);
    o.add_line(0, 0, 0, 6);
    o.set_frame_rect(CRect(0, 0, 1, 1));
    const CString cnx = o.generate_cnx(6, CPoint(0, 0), true);
    EXPECT_EQ(o.get_rects().get_size(), 1);
    EXPECT_NE(cnx.Find("SYMBOL: LINE 0 6 10 6\nSYMBOL: LINE 10 6 10 0\n"), -1);
    o.generate_cnx(6, CPoint(0, 0), true);
    EXPECT_EQ(o.get_rects().get_size(), 2);
}

TEST_F(SymbolOutline, TitleIsTrimmedAndKeptApartFromTexts) {
    CRSYMBOL_OUTLINE o("o");
    o.add_rect(0, 0, 40, 20);
    // 10 points: 5 pixels per character; the extent is 41 wide.
    auto* t = o.add_title_text("a_long_title");
    EXPECT_EQ(t->get_text(), "a_lon...");
    EXPECT_EQ(t->get_color(), 0x808000u);
    EXPECT_EQ(t->get_anchor(), HOTTEXT_CENTER);
    EXPECT_EQ(CPoint(t->get_x(), t->get_y()), CPoint(20, 12));
    EXPECT_EQ(o.get_texts().get_size(), 0);
    // Not a box symbol: the title is not written.
    EXPECT_EQ(o.generate_cnx(20, CPoint(), true).Find("BOX"), -1);
    EXPECT_EQ(o.add_title_text("ok", 3)->get_text(), "...");
    EXPECT_EQ(o.get_title_text()->get_text(), "...");
}
