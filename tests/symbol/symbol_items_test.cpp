#include <gtest/gtest.h>

#include <utility>

#include "fake_metrics.h"
#include "symbol/kv2gxb_port_set.h"
#include "symbol/crsymbol_item.h"

using SymbolItems = FakeMetricsTest;

// Every kind of item and pin written at height 100 (y measured upwards) with
// its origin, against the checked-in records.
TEST_F(SymbolItems, WritesTheCheckedInRecordsOfEveryItem) {
    using PIN = CRSYMBOL_PINSTUB;
    CRSYMBOL_LINE thick(10, 20, -4, 6, 0, 0, THICK);
    CRSYMBOL_CIRCLE circle(20, 30, 5);
    CRSYMBOL_ARC arc(20, 30, 5, 25, 30, 20, 25);
    CRSYMBOL_POINT point(3, 3);
    CRSYMBOL_TEXT text(50, 50, "abcd", 0, 6, HOTTEXT_TOP_LEFT, DIRHV_VERTICAL, "Courier");
    // Bus mark in the middle of the stub with the width text; a negative width: no text.
    PIN bus(0, 16, 24, 0, "data[7..0]", "", THICK, PIN_INPUT, HOTTEXT_BOTTOM_LEFT, PIN::TEXT_AT_START,
            DIRHV_HORIZONTAL, 0, PIN::NO_CLOCK, 8);
    PIN unsized(0, 0, 40, 0, "w", "", THICK, PIN_BIDIR, HOTTEXT_BOTTOM_LEFT, PIN::TEXT_AT_START,
                DIRHV_HORIZONTAL, 0, PIN::NO_CLOCK, -1);
    PIN clk(0, 40, 24, 0, "clk", "", THIN, PIN_INPUT, HOTTEXT_BOTTOM_LEFT, PIN::TEXT_AT_START, DIRHV_HORIZONTAL,
            0, PIN::CLOCK);
    // A bottom pin: its vertical text is written by its top corner.
    PIN vertical(40, 64, 0, -16, "en", "", THIN, PIN_INPUT, HOTTEXT_BOTTOM_LEFT, PIN::TEXT_AT_START,
                 DIRHV_VERTICAL, 0);
    const std::pair<CRSYMBOL_ITEM*, CPoint> items[] = {
        {&thick, CPoint(3, 4)}, {&circle, CPoint(2, 0)}, {&arc, CPoint()},     {&point, CPoint()},
        {&text, CPoint(5, 10)}, {&bus, CPoint()},         {&unsized, CPoint()}, {&clk, CPoint()},
        {&vertical, CPoint()},
    };
    CString written;
    for (const auto& [item, origin] : items) written += item->generate_cnx(100, origin, true);
    EXPECT_EQ(written, golden_symbol_text("symbol_items.txt"));
}

TEST_F(SymbolItems, ComputesExtentsOfEveryShape) {
    EXPECT_EQ(CRSYMBOL_LINE(10, 20, 5, 0).get_extent(), CRect(10, 19, 15, 20));
    EXPECT_EQ(CRSYMBOL_LINE(10, 20, -5, 0, 0, 0, THICK).get_extent(), CRect(5, 18, 10, 20));
    EXPECT_EQ(CRSYMBOL_LINE(10, 20, 0, 7).get_extent(), CRect(9, 20, 10, 27));
    EXPECT_EQ(CRSYMBOL_LINE(10, 20, 4, -6).get_extent(), CRect(10, 14, 14, 20));
    EXPECT_TRUE(CRSYMBOL_LINE(10, 20, 0, 0).get_extent().IsRectEmpty());
    EXPECT_EQ(CRSYMBOL_RECT(10, 20, -5, -5).get_extent(), CRect(5, 15, 11, 21));
    EXPECT_EQ(CRSYMBOL_CIRCLE(20, 30, 5).get_extent(), CRect(15, 25, 25, 35));
    EXPECT_EQ(CRSYMBOL_ARC(20, 30, 5, 0, 0, 0, 0).get_extent(), CRect(15, 25, 25, 35));
    // "abcd" at 8 points is 16 x 10; anchored bottom-right at (10, 5) it would
    // start left of and above 0, which the extent clips away.
    CRSYMBOL_TEXT t(10, 5, "abcd", 0, 8, HOTTEXT_BOTTOM_RIGHT);
    EXPECT_EQ(CPoint(t.get_left(), t.get_top()), CPoint(-5, -4));
    EXPECT_EQ(t.get_extent(), CRect(0, 0, 11, 6));
}

TEST_F(SymbolItems, PlacesTextByEachOfTheNineAnchorsInBothDirections) {
    // "abcd" at 8 points: w = 16, h = 10; gaps 4 (x) and 1 (y).
    struct CASE {
        HOTTEXT anchor;
        int h_left, h_top;  // horizontal
        int v_left, v_top;  // vertical
    };
    const CASE cases[] = {
        {HOTTEXT_TOP_LEFT, 54, 51, 51, 46},      {HOTTEXT_TOP_CENTER, 42, 51, 51, 58},
        {HOTTEXT_TOP_RIGHT, 31, 51, 51, 69},     {HOTTEXT_CENTER_LEFT, 54, 45, 45, 46},
        {HOTTEXT_CENTER, 42, 45, 45, 58},        {HOTTEXT_CENTER_RIGHT, 31, 45, 45, 69},
        {HOTTEXT_BOTTOM_LEFT, 54, 40, 40, 46},   {HOTTEXT_BOTTOM_CENTER, 42, 40, 40, 58},
        {HOTTEXT_BOTTOM_RIGHT, 31, 40, 40, 69},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.anchor));
        CRSYMBOL_TEXT h(50, 50, "abcd", 0, 8, c.anchor, DIRHV_HORIZONTAL, "Arial", 4, 1);
        EXPECT_EQ(CPoint(h.get_left(), h.get_top()), CPoint(c.h_left, c.h_top));
        CRSYMBOL_TEXT v(50, 50, "abcd", 0, 8, c.anchor, DIRHV_VERTICAL, "Arial", 4, 1);
        EXPECT_EQ(CPoint(v.get_left(), v.get_top()), CPoint(c.v_left, c.v_top));
    }
    // A 20 x 10 text centred on (50, 50) without gaps.
    CRSYMBOL_TEXT centred(50, 50, "abcde", 0, 8, HOTTEXT_CENTER);
    EXPECT_EQ(CPoint(centred.get_left(), centred.get_top()), CPoint(40, 45));
}

TEST_F(SymbolItems, NamesBusesByWidth) {
    // Width 1 is a one-bit bus unless the port is a single bit; the visible
    // name gives up above 5000 bits, the real one never.
    struct CASE {
        int width;
        bool single_bit;
        const char* visible;
        const char* real;
        LINE_WIDTH line;
    };
    const CASE cases[] = {
        {0, false, "d", "d", THIN},          {-3, false, "d", "d", THIN},
        {1, false, "d[0]", "d[0]", THICK},   {1, true, "d", "d", THIN},
        {2, false, "d[1..0]", "d[1..0]", THICK}, {2, true, "d[1..0]", "d[1..0]", THICK},
        {5000, false, "d[4999..0]", "d[4999..0]", THICK}, {5001, false, "d...", "d[5000..0]", THICK},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << (c.single_bit ? " single" : ""));
        EXPECT_EQ(CRSYMBOL_PINSTUB::get_visible_bus_name("d", c.width, c.single_bit), c.visible);
        EXPECT_EQ(CRSYMBOL_PINSTUB::get_real_bus_name("d", c.width, c.single_bit), c.real);
        LINE_WIDTH w = c.line == THIN ? THICK : THIN;
        CString visible, real;
        CRSYMBOL_PINSTUB::get_bus_properties("d", c.width, w, visible, real, c.single_bit);
        EXPECT_EQ(w, c.line);
        EXPECT_EQ(visible, c.visible);
        EXPECT_EQ(real, c.real);
    }
}

TEST_F(SymbolItems, PlacesTheBusMarkAndTheClockPinText) {
    using PIN = CRSYMBOL_PINSTUB;
    PIN bus(0, 16, 24, 0, "data[7..0]", "", THICK, PIN_INPUT, HOTTEXT_BOTTOM_LEFT, PIN::TEXT_AT_START,
            DIRHV_HORIZONTAL, 0, PIN::NO_CLOCK, 8);
    EXPECT_EQ(bus.get_pin_name(), "data[7..0]");
    ASSERT_NE(bus.get_bus_mark(), nullptr);
    EXPECT_EQ(bus.get_bus_mark()->get_color(), 0x808000u);
    EXPECT_EQ(bus.get_extent(), CRect(0, 14, 24, 16));
    // Ten bits and more move the mark 4 left of the middle; a given x wins.
    PIN wide(0, 0, 40, 0, "w", "", THICK, PIN_OUTPUT, HOTTEXT_BOTTOM_LEFT, PIN::TEXT_AT_START, DIRHV_HORIZONTAL, 0,
             PIN::NO_CLOCK, 16);
    EXPECT_EQ(wide.get_bus_mark()->get_start_point(), CPoint(12, 4));
    PIN given(0, 0, 40, 0, "w", "", THICK, PIN_OUTPUT, HOTTEXT_BOTTOM_LEFT, PIN::TEXT_AT_START, DIRHV_HORIZONTAL,
              0, PIN::NO_CLOCK, 16, 30);
    EXPECT_EQ(given.get_bus_mark()->get_start_point(), CPoint(26, 4));

    // Text at the stub's end moves past the clock wedge.
    PIN end(0, 40, 24, 0, "clk", "CLK_IN", THIN, PIN_OUTPUT, HOTTEXT_BOTTOM_LEFT, PIN::TEXT_AT_END,
            DIRHV_HORIZONTAL, 0, PIN::CLOCK);
    EXPECT_EQ(end.get_text()->get_left(), 24 + 6 + 4);
    EXPECT_EQ(end.get_pin_name(), "CLK_IN");
    PIN plain_end(0, 40, 24, 0, "clk", "", THIN, PIN_OUTPUT, HOTTEXT_BOTTOM_LEFT, PIN::TEXT_AT_END,
                  DIRHV_HORIZONTAL, 0);
    EXPECT_EQ(plain_end.get_text()->get_left(), 24 + 4);
}
