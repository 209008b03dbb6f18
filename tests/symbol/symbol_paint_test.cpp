#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "fake_metrics.h"
#include "platform/dc.h"
#include "platform/window.h"
#include "symbol/bwizc_standard_symbol.h"
#include "symbol/crsymbol.h"
#include "symbol/kv2gxb_port_set.h"

using SymbolPaint = FakeMetricsTest;

namespace {
std::vector<BWIZC_DRAW_OP> ops_of_kind(const std::vector<BWIZC_DRAW_OP>& ops, BWIZC_DRAW_OP::KIND kind) {
    std::vector<BWIZC_DRAW_OP> out;
    for (const auto& op : ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

// One line per op with the fields symbol items set: kind, rectangle, pen; the
// fill of ellipses, the end points of arcs; text, font and colours of texts.
std::string ops_text(const std::vector<BWIZC_DRAW_OP>& ops) {
    static const char* const kinds[] = {"LINE", "RECTANGLE", "FILL_RECT", "ELLIPSE", "ARC",
                                        "POLYGON", "POLYLINE", "TEXT", "PIXEL", "IMAGE"};
    std::ostringstream o;
    for (const auto& op : ops) {
        o << kinds[op.kind] << " " << op.rect.left << " " << op.rect.top << " " << op.rect.right << " "
          << op.rect.bottom << " pen " << op.pen_width << " " << std::hex << op.pen_color << std::dec;
        if (op.kind == BWIZC_DRAW_OP::ELLIPSE) o << (op.brush_null ? " hollow" : " filled");
        if (op.kind == BWIZC_DRAW_OP::ARC) o << " from " << op.arc_start.x << " " << op.arc_start.y << " to "
                                             << op.arc_end.x << " " << op.arc_end.y;
        if (op.kind == BWIZC_DRAW_OP::TEXT)
            o << " \"" << op.text.str() << "\" " << op.font.lfFaceName << " " << op.font.lfHeight << " "
              << op.font.lfEscapement << " colour " << std::hex << op.text_color << std::dec
              << (op.bk_mode == TRANSPARENT ? " transparent" : " opaque");
        o << "\n";
    }
    return o.str();
}
}  // namespace

// Shapes (a thick line with its start dot, a rectangle as four edges, a hollow
// circle, an arc), texts in both directions and a bus clock pin with its mark,
// width text, wedge and the red cross at its start, against the checked-in ops.
TEST_F(SymbolPaint, DrawsItemsAndPinsAsCheckedIn) {
    CRecordingDC dc;
    CRSYMBOL_LINE(10, 20, 5, 0, 0x808000, 0, THICK, true).paint(&dc);
    CRSYMBOL_RECT(0, 0, 10, 6, 0x10).paint(&dc);
    CRSYMBOL_CIRCLE(20, 30, 5).paint(&dc);
    CRSYMBOL_ARC(20, 30, 5, 25, 30, 20, 25).paint(&dc);
    CRSYMBOL_TEXT(50, 50, "abcd", 0x808000, 8, HOTTEXT_CENTER).paint(&dc);
    CRSYMBOL_TEXT(50, 50, "abcd", 0, 10, HOTTEXT_TOP_LEFT, DIRHV_VERTICAL, "Courier").paint(&dc);
    CRSYMBOL_PINSTUB(0, 16, 24, 0, "d[7..0]", "", THICK, PIN_INPUT, HOTTEXT_BOTTOM_LEFT,
                     CRSYMBOL_PINSTUB::TEXT_AT_START, DIRHV_HORIZONTAL, 0x20, CRSYMBOL_PINSTUB::CLOCK, 8)
        .paint(&dc);
    EXPECT_EQ(CString(ops_text(dc.ops())), golden_symbol_text("symbol_paint.txt"));

    CRecordingDC unnamed;
    CRSYMBOL_PINSTUB(0, 16, 24, 0, "-", "", THIN, PIN_INPUT, HOTTEXT_BOTTOM_LEFT, CRSYMBOL_PINSTUB::TEXT_AT_START,
                     DIRHV_HORIZONTAL, 0)
        .paint(&unnamed);
    EXPECT_EQ(unnamed.ops().size(), 2u);  // text and line, no cross
}

TEST_F(SymbolPaint, OutlinePaintsNothingUntilLaidOut) {
    CRSYMBOL_OUTLINE o("o");
    o.add_line(0, 0, 20, 0);
    o.set_box_symbol(true);
    o.add_title_text(10, 10, "T", 100, 0x808000);
    ASSERT_TRUE(o.create_element(70000, CRect(0, 0, 1, 1), nullptr, nullptr, 0));
    CRecordingDC tiny;
    o.paint(&tiny);
    EXPECT_TRUE(ops_of_kind(tiny.ops(), BWIZC_DRAW_OP::LINE).empty());
    o.MoveWindow(CRect(0, 0, 40, 30), FALSE);
    CRecordingDC full;
    o.paint(&full);
    ASSERT_EQ(ops_of_kind(full.ops(), BWIZC_DRAW_OP::LINE).size(), 1u);
    const auto texts = ops_of_kind(full.ops(), BWIZC_DRAW_OP::TEXT);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "T");  // the title of a box symbol
    o.DestroyWindow();
}

TEST_F(SymbolPaint, PreviewShowsFramedSymbolShadowAndResourceRows) {
    SYMBOL_PORTS lists;
    lists.ports({{"clk", "INPUT", 0}});
    CRSYMBOL preview(65000);
    preview.set_symbol_updater(
        [&](CRSYMBOL_OUTLINE* o) { bwizc_generate_default_symbol(*o, lists.order, lists.usage, "top"); });
    preview.add_controls();
    preview.add_controls();
    EXPECT_EQ(preview.get_controls_list().get_size(), 3);  // symbol, gap, info
    preview.update_controls();
    CRSYMBOL_OUTLINE* symbol = preview.get_symbol_outline();
    EXPECT_TRUE(symbol->is_box_symbol());
    EXPECT_FALSE(symbol->get_frame_rect().IsRectEmpty());
    ASSERT_EQ(symbol->get_outlines().get_size(), 1);
    // No estimate yet: the info box shows its title and "...".
    auto info_texts = [&] {
        std::vector<CString> t;
        for (auto* item : preview.get_info_outline()->get_texts()) t.push_back(item->get_text());
        return t;
    };
    EXPECT_EQ(info_texts(), (std::vector<CString>{"  Resource Usage  ", "..."}));
    preview.set_resource_text("4 lut;2 reg");
    preview.update_controls();
    EXPECT_EQ(info_texts(), (std::vector<CString>{"  Resource Usage  ", "4 lut + 2 reg"}));
    EXPECT_GE(preview.get_info_outline()->get_extent().Width(), CRSYMBOL::INFO_OUTLINE_MIN_WIDTH);

    const CSize size = preview.get_preferred_size();
    ASSERT_TRUE(preview.create_element(65000, CRect(CPoint(0, 0), size), nullptr, nullptr, 0));
    preview.do_layout(CPoint(0, 0));
    const CRect outline = symbol->get_rect();
    EXPECT_EQ(outline.TopLeft(), CPoint(8, 8));
    CRecordingDC dc;
    preview.paint(&dc);
    const auto pixels = ops_of_kind(dc.ops(), BWIZC_DRAW_OP::PIXEL);
    ASSERT_FALSE(pixels.empty());
    for (const auto& p : pixels) {
        // Right of or under the symbol window, within the (8, 8) offset.
        const CPoint at = p.rect.TopLeft();
        EXPECT_TRUE(at.x >= outline.right || at.y >= outline.bottom);
        EXPECT_LT(at.x, outline.right + 8);
        EXPECT_LT(at.y, outline.bottom + 8);
        EXPECT_GE(at.x, outline.left + 8);
    }
    preview.DestroyWindow();
}

TEST_F(SymbolPaint, NestedOutlinesGetFollowingIdsAndWindowsAtTheirExtents) {
    CRSYMBOL_OUTLINE o("o");
    auto* a = o.add_symbol_outline(new CRSYMBOL_OUTLINE("a", CPoint(10, 20)));
    a->add_line(0, 0, 30, 0);
    auto* b = o.add_symbol_outline(new CRSYMBOL_OUTLINE("b", CPoint(0, 50)));
    b->add_rect(0, 0, 9, 9);
    ASSERT_TRUE(o.create_element(70000, CRect(0, 0, 100, 100), nullptr, nullptr, 0));
    EXPECT_EQ(o.get_first_outline_id(), 70001u);
    ASSERT_TRUE(a->is_valid_window());
    ASSERT_TRUE(b->is_valid_window());
    EXPECT_EQ(a->GetDlgCtrlID(), 70001);
    EXPECT_EQ(b->GetDlgCtrlID(), 70002);
    EXPECT_EQ(a->GetParent(), &o);
    // A line at y 0 lies above its y (pen width): only bottom 0 counts, so no height.
    EXPECT_EQ(a->get_rect(), CRect(10, 20, 40, 20));
    EXPECT_EQ(b->get_rect(), CRect(0, 50, 10, 60));
    o.DestroyWindow();
}
