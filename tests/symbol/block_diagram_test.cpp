#include <gtest/gtest.h>

#include <vector>

#include "fake_metrics.h"
#include "symbol/kv2gxb_port_set.h"
#include "symbol/kvgxb_wiz_block.h"

using BlockDiagram = FakeMetricsTest;

namespace {
struct SEG {
    CPoint from, to;
    bool operator==(const SEG&) const = default;
};
std::vector<SEG> segments(const CRSYMBOL_OUTLINE& o) {
    std::vector<SEG> out;
    for (auto* l : o.get_lines()) out.push_back({l->get_start_point(), l->get_end_point()});
    return out;
}
std::vector<CString> texts(const CRSYMBOL_OUTLINE& o) {
    std::vector<CString> out;
    for (auto* t : o.get_texts()) out.push_back(t->get_text());
    return out;
}
}  // namespace

TEST_F(BlockDiagram, BlockHasBodyStubsLabelAndClockChevron) {
    KVGXB_WIZ_BLOCK b("word aligner unit", 100, 50, 8, CLK_FROM_ABOVE, "rx_clk");
    b.create_outline();
    ASSERT_EQ(b.get_rects().get_size(), 1);
    EXPECT_EQ(b.get_rects().get_at(0)->get_extent(), CRect(0, 0, 25, 33));  // 24 x 32 body
    const auto segs = segments(b);
    ASSERT_EQ(segs.size(), 4u);
    // Chevron at the top middle (12, 0), half-length 4, pointing down.
    EXPECT_EQ(segs[0], (SEG{{12, 4}, {8, 0}}));
    EXPECT_EQ(segs[1], (SEG{{12, 4}, {16, 0}}));
    // Thick data stubs into the left edge and out of the right edge at y = 16.
    EXPECT_EQ(segs[2], (SEG{{-8, 16}, {0, 16}}));
    EXPECT_EQ(segs[3], (SEG{{24, 16}, {32, 16}}));
    EXPECT_EQ(b.get_lines().get_at(2)->get_line_width(), THICK);
    // Three label lines 9 apart from 16 - 6, then the teal clock label 8 above.
    EXPECT_EQ(texts(b), (std::vector<CString>{"word", "aligner", "unit", "rx_clk"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(b.get_texts().get_at(i)->get_y(), 10 + 9 * i) << i;
    EXPECT_EQ(b.get_texts().get_at(0)->get_color(), 0x7F7F7Fu);
    EXPECT_EQ(b.get_texts().get_at(0)->get_x(), 12);
    EXPECT_EQ(b.get_texts().get_at(3)->get_y(), -8);
    EXPECT_EQ(b.get_texts().get_at(3)->get_color(), 0x808000u);
    EXPECT_EQ(b.get_input_point(), CPoint(92, 66));
    EXPECT_EQ(b.get_output_point(), CPoint(132, 66));
}

TEST_F(BlockDiagram, ClockFromBelowLiftsLabelAndFlipsChevron) {
    KVGXB_WIZ_BLOCK b("fifo", 0, 0, 8, CLK_FROM_BELOW);
    b.create_outline();
    EXPECT_EQ(b.get_clk_point(), CPoint(12, 32));
    const auto segs = segments(b);
    EXPECT_EQ(segs[0], (SEG{{12, 28}, {8, 32}}));
    EXPECT_EQ(segs[1], (SEG{{12, 28}, {16, 32}}));
    ASSERT_EQ(b.get_texts().get_size(), 1);  // no clock label
    EXPECT_EQ(b.get_texts().get_at(0)->get_y(), 16 - 6 - 5);
}

TEST_F(BlockDiagram, DualClockBlocksDivideBodyAndPairWords) {
    KVGXB_WIZ_DWIBLOCK d("phase comp fifo", 0, 0, 8);
    d.set_clk_labels("wr", "");
    d.create_outline();
    EXPECT_EQ(d.get_body(), CRect(0, 0, 32, 32));
    EXPECT_EQ(d.get_lines().get_at(0)->get_color(), 0xBDBDBDu);
    EXPECT_EQ(segments(d)[0], (SEG{{16, 0}, {16, 32}}));
    EXPECT_EQ(d.get_clk_point1(), CPoint(8, 0));
    EXPECT_EQ(d.get_clk_point2(), CPoint(24, 0));
    EXPECT_EQ(texts(d), (std::vector<CString>{"phase", "comp", "fifo", "wr"}));

    KVGXB_WIZ_DWIBLOCK_WIDE w("byte order pad fifo x", 0, 0, 8, CLK_FROM_BELOW);
    // Clock points are known before the outline is built.
    EXPECT_EQ(w.get_clk_point1(), CPoint(12, 32));
    EXPECT_EQ(w.get_clk_point2(), CPoint(36, 32));
    w.create_outline();
    EXPECT_EQ(w.get_body(), CRect(0, 0, 48, 32));
    EXPECT_EQ(texts(w), (std::vector<CString>{"byte order", "pad fifo", "x"}));
    const auto segs = segments(w);
    EXPECT_EQ(segs[segs.size() - 2], (SEG{{-12, 16}, {0, 16}}));
    EXPECT_EQ(segs.back(), (SEG{{48, 16}, {60, 16}}));
}

TEST_F(BlockDiagram, PllDrawsOnlyNamedClockOutputs) {
    KVGXB_WIZ_PLL bare("tx pll", 0, 0, 8);
    bare.create_outline();
    EXPECT_EQ(bare.get_rects().get_size(), 1);
    EXPECT_EQ(bare.get_lines().get_size(), 0);
    EXPECT_EQ(texts(bare), (std::vector<CString>{"tx", "pll"}));
    EXPECT_EQ(bare.get_texts().get_at(0)->get_color(), 0u);

    KVGXB_WIZ_PLL pll("pll", 0, 0, 8);
    pll.set_clk(1, "fast", 0x0000FF);
    pll.set_clk(3, "slow", 0x00FF00);
    pll.set_clk3_down(true);
    pll.create_outline();
    const auto segs = segments(pll);
    ASSERT_EQ(segs.size(), 3u);
    EXPECT_EQ(segs[0], (SEG{{24, 8}, {32, 8}}));
    EXPECT_EQ(pll.get_lines().get_at(0)->get_color(), 0x0000FFu);
    // Clock 3 drops u + 4 from the bottom at x = u, then runs u to the right.
    EXPECT_EQ(segs[1], (SEG{{8, 24}, {8, 36}}));
    EXPECT_EQ(segs[2], (SEG{{8, 36}, {16, 36}}));
    EXPECT_EQ(texts(pll), (std::vector<CString>{"pll", "fast", "slow"}));
    EXPECT_EQ(pll.get_texts().get_at(1)->get_anchor(), HOTTEXT_BOTTOM_LEFT);

    KVGXB_WIZ_PLL up("pll", 0, 0, 8);
    up.set_clk(2, "mid", 0);
    up.set_clk(3, "up", 0);
    up.create_outline();
    EXPECT_EQ(segments(up)[0], (SEG{{24, 16}, {32, 16}}));
    EXPECT_EQ(up.get_texts().get_at(1)->get_anchor(), HOTTEXT_TOP_LEFT);
    EXPECT_EQ(segments(up)[1], (SEG{{8, 0}, {8, -12}}));

    KVGXB_WIZ_RX_PLL rx("rx pll", 0, 0, 8);
    rx.set_clk(1, "rec", 0);
    rx.create_outline();
    // The recovered clock ends in an arrow head at (32, 8).
    EXPECT_EQ(segments(rx), (std::vector<SEG>{{{24, 8}, {32, 8}}, {{32, 8}, {28, 12}}, {{32, 8}, {28, 4}}}));
}

// An L down, an L right then down, an S and a straight S leftwards, each
// ending in an arrow head, written as records against the checked-in file.
TEST_F(BlockDiagram, ConnectorsRouteStraightLAndSWithArrowHead) {
    CRSYMBOL_OUTLINE o("diagram");
    o.set_color(0x123456);
    KVGXB_WIZ_LLINE(&o).connect(CPoint(0, 0), CPoint(0, 40));
    EXPECT_EQ(o.get_lines().get_at(0)->get_color(), 0x123456u);
    KVGXB_WIZ_LLINE(&o).connect(CPoint(0, 0), CPoint(40, 20));
    KVGXB_WIZ_SLINE(&o).connect(CPoint(0, 0), CPoint(40, 20));
    KVGXB_WIZ_SLINE(&o).connect(CPoint(40, 5), CPoint(0, 5));
    EXPECT_EQ(o.generate_cnx(100, CPoint(), true), golden_symbol_text("connectors.txt"));
}
