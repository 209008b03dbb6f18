#include <gtest/gtest.h>

#include "fake_metrics.h"
#include "symbol/kv2gxb_port_set.h"
#include "symbol/kvgxb_wiz_block.h"

using BlockDiagram = FakeMetricsTest;

// Every kind of block written as records against the checked-in file: a block
// clocked from above (chevron, thick stubs, three label lines and the clock
// label) and one from below, dual-clock blocks divided in two, PLLs without
// clocks, with clocks 1 and 3 (down) or 2 and 3 (up), and a receiver PLL whose
// recovered clock ends in an arrow head.
TEST_F(BlockDiagram, WritesTheCheckedInRecordsOfEveryBlock) {
    KVGXB_WIZ_BLOCK above("word aligner unit", 100, 50, 8, CLK_FROM_ABOVE, "rx_clk");
    KVGXB_WIZ_BLOCK below("fifo", 0, 0, 8, CLK_FROM_BELOW);
    KVGXB_WIZ_DWIBLOCK dual("phase comp fifo", 0, 0, 8);
    dual.set_clk_labels("wr", "");
    KVGXB_WIZ_DWIBLOCK_WIDE wide("byte order pad fifo x", 0, 0, 8, CLK_FROM_BELOW);
    KVGXB_WIZ_PLL bare("tx pll", 0, 0, 8), down("pll", 0, 0, 8), up("pll", 0, 0, 8);
    down.set_clk(1, "fast", 0x0000FF);
    down.set_clk(3, "slow", 0x00FF00);
    down.set_clk3_down(true);
    up.set_clk(2, "mid", 0);
    up.set_clk(3, "up", 0);
    KVGXB_WIZ_RX_PLL rx("rx pll", 0, 0, 8);
    rx.set_clk(1, "rec", 0);
    CString written;
    for (CRSYMBOL_OUTLINE* block : std::initializer_list<CRSYMBOL_OUTLINE*>{&above, &below, &dual, &wide, &bare,
                                                                           &down, &up, &rx}) {
        block->create_outline();
        written += block->generate_cnx(100, CPoint(), true);
    }
    EXPECT_EQ(written, golden_symbol_text("blocks.txt"));
}

TEST_F(BlockDiagram, BlocksKeepTheirBodiesColoursAndConnectionPoints) {
    KVGXB_WIZ_BLOCK b("word aligner unit", 100, 50, 8, CLK_FROM_ABOVE, "rx_clk");
    b.create_outline();
    ASSERT_EQ(b.get_rects().get_size(), 1);
    EXPECT_EQ(b.get_rects().get_at(0)->get_extent(), CRect(0, 0, 25, 33));  // 24 x 32 body
    // Grey label lines, the clock label teal.
    EXPECT_EQ(b.get_texts().get_at(0)->get_color(), 0x7F7F7Fu);
    EXPECT_EQ(b.get_texts().get_at(0)->get_x(), 12);
    EXPECT_EQ(b.get_texts().get_at(3)->get_color(), 0x808000u);
    EXPECT_EQ(b.get_input_point(), CPoint(92, 66));
    EXPECT_EQ(b.get_output_point(), CPoint(132, 66));
    KVGXB_WIZ_BLOCK below("fifo", 0, 0, 8, CLK_FROM_BELOW);
    EXPECT_EQ(below.get_clk_point(), CPoint(12, 32));

    KVGXB_WIZ_DWIBLOCK d("phase comp fifo", 0, 0, 8);
    d.create_outline();
    EXPECT_EQ(d.get_body(), CRect(0, 0, 32, 32));
    EXPECT_EQ(d.get_lines().get_at(0)->get_color(), 0xBDBDBDu);
    EXPECT_EQ(d.get_clk_point1(), CPoint(8, 0));
    EXPECT_EQ(d.get_clk_point2(), CPoint(24, 0));
    KVGXB_WIZ_DWIBLOCK_WIDE w("byte order pad fifo x", 0, 0, 8, CLK_FROM_BELOW);
    // Clock points are known before the outline is built.
    EXPECT_EQ(w.get_clk_point1(), CPoint(12, 32));
    EXPECT_EQ(w.get_clk_point2(), CPoint(36, 32));
    w.create_outline();
    EXPECT_EQ(w.get_body(), CRect(0, 0, 48, 32));

    KVGXB_WIZ_PLL bare("tx pll", 0, 0, 8);
    bare.create_outline();
    EXPECT_EQ(bare.get_texts().get_at(0)->get_color(), 0u);
    KVGXB_WIZ_PLL pll("pll", 0, 0, 8);
    pll.set_clk(1, "fast", 0x0000FF);
    pll.create_outline();
    EXPECT_EQ(pll.get_lines().get_at(0)->get_color(), 0x0000FFu);
    EXPECT_EQ(pll.get_texts().get_at(1)->get_anchor(), HOTTEXT_BOTTOM_LEFT);
    KVGXB_WIZ_PLL up("pll", 0, 0, 8);
    up.set_clk(2, "mid", 0);
    up.create_outline();
    EXPECT_EQ(up.get_texts().get_at(1)->get_anchor(), HOTTEXT_TOP_LEFT);
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
