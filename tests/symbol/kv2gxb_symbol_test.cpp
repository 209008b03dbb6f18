// The transceiver's standard symbol with the shared text metrics: the layout
// rules hold for real names, and its text matches the checked-in file that the
// Qt run compares against as well.
#include <gtest/gtest.h>

#include <fstream>

#include "symbol/kv2gxb_port_set.h"

TEST(Kv2gxbSymbol, LaysPortsOutInTableOrderOnTheGrid) {
    KV2GXB_SYMBOL s;
    const CRect box = s.symbol->get_box_rect();
    int last_left_y = -1, last_right_y = -1, left = 0, right = 0;
    // Stubs are created in port-order order, so y grows down each side.
    for (auto* p : s.symbol->get_pinstubs()) {
        const CPoint a = p->get_line()->get_start_point(), b = p->get_line()->get_end_point();
        SCOPED_TRACE(p->get_pin_name().c_str());
        EXPECT_EQ(a.y % 8, 0);
        EXPECT_EQ(a.y, b.y);
        EXPECT_GT(a.y, box.top);
        EXPECT_LE(a.y, box.bottom);
        if (p->get_io_type() == PIN_INPUT) {
            EXPECT_EQ(a.x, 0);
            EXPECT_EQ(b.x, box.left);
            EXPECT_GT(a.y, last_left_y);
            last_left_y = a.y;
            ++left;
        } else {
            EXPECT_EQ(p->get_io_type(), PIN_OUTPUT);
            EXPECT_EQ(b.x, box.right);
            EXPECT_GT(a.y, last_right_y);
            last_right_y = a.y;
            ++right;
        }
    }
    EXPECT_EQ(left, 9);
    EXPECT_EQ(right, 11);
    EXPECT_EQ(box.left % 8, 0);
    EXPECT_EQ(box.Width() % 8, 0);
    // The right side is the longest run: a 1-unit spacer and 11 ports of 2
    // units, 8 pixels each; its last pin lies on the bottom edge. Spacer and
    // title placement are checked with the fake metrics.
    EXPECT_EQ(box.Height(), (1 + 11 * 2) * 8);
    EXPECT_EQ(last_right_y, box.bottom);
}

TEST(Kv2gxbSymbol, WritesTheCheckedInSymbolText) {
    KV2GXB_SYMBOL s;
    const CString text = s.cnx_text();
    const CString golden = kv2gxb_golden_symbol_text();
    {
        std::ofstream out(KV2GXB_ARTIFACTS_DIR "/symbol_kv2gxb_headless.txt", std::ios::binary);
        out << text.c_str();
    }
    ASSERT_FALSE(golden.IsEmpty());
    EXPECT_EQ(text, golden);
}
