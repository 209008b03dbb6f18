#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "fake_metrics.h"
#include "symbol/kv2gxb_port_set.h"

// Pin names are measured at 7 points: 3.5 pixels per character, 9 high, so
// every pitch below is round_up(9 + 4) = 16.
class StandardSymbol : public FakeMetricsTest, protected SYMBOL_PORTS {
protected:
    // A symbol laid out automatically from the order and the ports.
    std::unique_ptr<BWIZC_STANDARD_SYMBOL> automatic(CRect minimum, const char* title) {
        auto s = std::make_unique<BWIZC_STANDARD_SYMBOL>("S", minimum);
        s->auto_create_outline(order, usage, title);
        return s;
    }
    // Each pin as "name io x1,y1>x2,y2", "=" after a thick line, in creation order.
    static std::vector<std::string> pins(const BWIZC_STANDARD_SYMBOL& s) {
        std::vector<std::string> out;
        for (auto* p : s.get_pinstubs()) {
            const CPoint a = p->get_line()->get_start_point(), b = p->get_line()->get_end_point();
            std::ostringstream o;
            o << p->get_text()->get_text().str() << " " << "iob"[p->get_io_type()] << " " << a.x << "," << a.y << ">"
              << b.x << "," << b.y << (p->get_line()->get_line_width() == THICK ? "=" : "");
            out.push_back(o.str());
        }
        return out;
    }
    CRSYMBOL_PINSTUB* stub_named(BWIZC_STANDARD_SYMBOL& s, const CString& shown) {
        for (auto* p : s.get_pinstubs())
            if (p->get_text()->get_text() == shown) return p;
        return nullptr;
    }
};

TEST_F(StandardSymbol, ExplicitLayoutRoundsPinLengthsAndPitchesToGrid) {
    BWIZC_STANDARD_SYMBOL s("S", CRect(0, 0, 96, 40));
    s.add_input_port("a", 0, false);
    s.add_input_port("b", 0, false);
    s.add_output_port("y", 0, false);
    s.create_outline();
    // Names narrower than 8 plus 16, rounded up: 24 on both sides.
    EXPECT_EQ(pins(s), (std::vector<std::string>{"a i 0,16>24,16", "b i 0,32>24,32", "y o 144,16>120,16"}));
    EXPECT_EQ(s.get_pinstubs().get_at(0)->get_text()->get_anchor(), HOTTEXT_BOTTOM_LEFT);
    EXPECT_EQ(s.get_pinstubs().get_at(2)->get_text()->get_anchor(), HOTTEXT_BOTTOM_RIGHT);
    // Box height: pins reach 32, plus a pitch, rounded: 48 (above the minimum 40).
    EXPECT_EQ(s.get_box_rect(), CRect(24, 0, 120, 48));
    ASSERT_EQ(s.get_points().get_size(), 1);
    EXPECT_EQ(s.get_points().get_at(0)->get_y(), 48 + BWIZC_STANDARD_SYMBOL::DEF_SYMBOL_BOTTOM_MARGIN);
    EXPECT_EQ(s.get_extent(), CRect(0, 0, 145, 65));
}

TEST_F(StandardSymbol, ExplicitLayoutHonoursSideDescriptorsAndMinimumBox) {
    BWIZC_STANDARD_SYMBOL s("S", CRect(0, 0, 64, 200));
    s.get_left_side().pin_length = 40;
    s.get_left_side().gap_margin = 5;  // 9 + 5 = 14 -> pitch 16
    s.get_right_side().first_pin_y = 24;
    s.get_right_side().pin_pitch = 32;
    s.add_input_port("data", 8, false);
    s.add_input_port("en", 1, true);
    s.add_output_port("q", 1, false);
    s.add_output_port("r", 1, false);
    s.create_outline();
    // Right length: "q[0]" is 14 wide -> 32; first at 24, pitch 32.
    EXPECT_EQ(pins(s), (std::vector<std::string>{"data[7..0] i 0,16>40,16=", "en i 0,32>40,32", "q[0] o 136,24>104,24=",
                                                 "r[0] o 136,56>104,56="}));
    EXPECT_EQ(s.get_box_rect(), CRect(40, 0, 104, 200));
}

TEST_F(StandardSymbol, AutomaticLayoutPlacesOrderedSpacedAndMissingPorts) {
    // The spacer sorts before the right side.
    place({{"y", SIDE_RIGHT}, {"SPACE{3}", SIDE_LEFT}, {"z", SIDE_RIGHT}, {"unused", SIDE_RIGHT},
           {"bus", SIDE_LEFT}, {"a", SIDE_LEFT}});
    ports({{"a", "INPUT", 1}, {"bus", "INPUT", 8}, {"y", "OUTPUT", 0}, {"z", "BIDIR", 1},
           {"new_in", "INPUT", 0}, {"new_out", "OUTPUT", 2}});
    const auto s = automatic(CRect(), "T");

    const char* expected_order[] = {"SPACE{3}", "bus", "a", "new_in", "y", "z", "unused", "new_out"};
    ASSERT_EQ(order.get_size(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(order.get_at(i)->get_port_name(), expected_order[i]);
    EXPECT_EQ(order.get_at(3)->get_side(), SIDE_LEFT);
    EXPECT_EQ(order.get_at(7)->get_side(), SIDE_RIGHT);
    EXPECT_EQ(order.get_at(1)->get_position(), 1);
    EXPECT_FALSE(order.get_at(6)->is_placed());
    EXPECT_FALSE(s->has_bottom_ports());

    // Left: longest "bus[7..0]" (31) -> 48; right: "new_out[1..0]" (45) -> 64.
    // The 3-unit spacer puts the first left pin 1.5 pitches down.
    EXPECT_EQ(pins(*s), (std::vector<std::string>{"bus[7..0] i 0,40>48,40=", "a[0] i 0,56>48,56=",
                                                  "new_in i 0,72>48,72", "y o 144,16>80,16",
                                                  "z[0] b 144,32>80,32=", "new_out[1..0] o 144,48>80,48="}));
    // Box: the longest run (9 left units) x 8, width 32 for a short title.
    EXPECT_EQ(s->get_box_rect(), CRect(48, 0, 80, 72));
    EXPECT_EQ(s->get_points().get_at(0)->get_extent(), CRect(144, 88, 145, 89));
}

TEST_F(StandardSymbol, AutomaticLayoutPutsBottomPortsUnderTheBox) {
    place({{"b1", SIDE_BOTTOM}, {"i", SIDE_LEFT}, {"b2", SIDE_BOTTOM}});
    ports({{"i", "INPUT", 0}, {"b1", "INPUT", 0}, {"b2", "OUTPUT", 4}});
    const auto s = automatic(CRect(), "title");
    EXPECT_TRUE(s->has_bottom_ports());
    // Bottom length: "b2[3..0]" (28) -> 48; width 4 units x 8 + 48 = 80;
    // height: the left run of 2 units x 8.
    EXPECT_EQ(s->get_box_rect(), CRect(24, 0, 104, 16));
    EXPECT_EQ(pins(*s), (std::vector<std::string>{"i i 0,16>24,16", "b1 i 40,64>40,16", "b2[3..0] o 56,64>56,16="}));
    EXPECT_EQ(stub_named(*s, "b1")->get_text()->get_direction(), DIRHV_VERTICAL);
    EXPECT_EQ(s->get_points().get_at(0)->get_extent().TopLeft(), CPoint(120, 64));
}

TEST_F(StandardSymbol, OutputsOnlyStartAtTheLargerOfTheTwoPitches) {
    place({{"o", SIDE_RIGHT}});
    ports({{"o", "OUTPUT", 0}});
    EXPECT_EQ(stub_named(*automatic(CRect(), "title"), "o")->get_line()->get_start_point().y, 16);
}

TEST_F(StandardSymbol, AutomaticLayoutWithoutPortsKeepsMinimumBoxAndTitleWidth) {
    EXPECT_EQ(automatic(CRect(0, 0, 16, 16), "ab")->get_box_rect(), CRect(16, 0, 48, 16));
    // The long title is 110 wide.
    EXPECT_EQ(automatic(CRect(0, 0, 16, 16), "a_very_long_title_text")->get_box_rect().Width(), 112);
    const auto big_min = automatic(CRect(0, 0, 96, 44), "ab");
    EXPECT_EQ(big_min->get_box_rect(), CRect(16, 0, 112, 48));
    EXPECT_EQ(big_min->get_pinstubs().get_size(), 0);
}

TEST_F(StandardSymbol, SpacerUnitsComeFromTheBraces) {
    CRSYMBOL_AUTO_PORT_ORDER_ITEM a("space{3}", SIDE_LEFT), b("Space{12}", SIDE_RIGHT), c("space{}", SIDE_LEFT),
        d("spacer", SIDE_LEFT);
    EXPECT_TRUE(a.is_spacer());
    EXPECT_EQ(a.get_spacer_units(), 3);
    EXPECT_EQ(b.get_spacer_units(), 12);
    EXPECT_TRUE(c.is_spacer());
    EXPECT_EQ(c.get_spacer_units(), 0);
    EXPECT_FALSE(d.is_spacer());
}

TEST_F(StandardSymbol, DefaultSymbolSitsUnderItsCentredTitle) {
    ports({{"clk", "INPUT", 0}});
    CRSYMBOL_OUTLINE outline("SYMBOL");
    BWIZC_STANDARD_SYMBOL* s = bwizc_generate_default_symbol(outline, order, usage, "top");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->get_outline_name(), "DEFAULT_SYMBOL");
    ASSERT_EQ(outline.get_outlines().get_size(), 1);
    EXPECT_EQ(outline.get_outlines().get_at(0), s);
    // The missing port joined the order list on the left.
    ASSERT_EQ(order.get_size(), 1);
    EXPECT_EQ(order.get_at(0)->get_side(), SIDE_LEFT);
    // Symbol: pin 32, box 32 x 16 (one port, 2 units), 16 right, 16 bottom
    // -> extent 81 x 33.
    EXPECT_EQ(s->get_box_rect(), CRect(32, 0, 64, 16));
    const CRSYMBOL_TEXT* title = outline.get_title_text();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->get_text(), "top");
    EXPECT_EQ(CPoint(title->get_x(), title->get_y()), CPoint(40, 12));
    EXPECT_EQ(title->get_anchor(), HOTTEXT_CENTER);
    EXPECT_EQ(title->get_color(), 0x808000u);
    EXPECT_EQ(title->get_point_size(), 10);
    // Title height 12 + 16 rounded up to the grid.
    EXPECT_EQ(s->get_origin(), CPoint(0, 32));
    EXPECT_EQ(outline.get_extent(), CRect(0, 0, 81, 65));
}

namespace {
// Pin names 20 pixels high: pitch round_up(20 + 4) = 24, so a grid unit of
// the pin column is 12 pixels while the box still counts 8 per unit.
CSize tall_measure(const CString& text, int points, const CString&, bool) {
    return CSize(text.GetLength() * points / 2, 20);
}
}  // namespace

TEST_F(StandardSymbol, AutomaticBoxIsTheLongestRunTimesEight) {
    place({{"space{1}", SIDE_LEFT}, {"a", SIDE_LEFT}, {"b", SIDE_LEFT}, {"space{1}", SIDE_RIGHT},
           {"x", SIDE_RIGHT}, {"y", SIDE_RIGHT}, {"z", SIDE_RIGHT}});
    ports({{"a", "INPUT", 0}, {"b", "INPUT", 0}, {"x", "OUTPUT", 0}, {"y", "OUTPUT", 0}, {"z", "OUTPUT", 0}});

    // Right run 1 + 3 x 2 = 7 units -> 56; its last pin (16 + 5 x 8) lies on
    // the bottom edge.
    const auto s = automatic(CRect(), "T");
    EXPECT_EQ(s->get_box_rect(), CRect(24, 0, 56, 56));
    EXPECT_EQ(stub_named(*s, "z")->get_line()->get_start_point(), CPoint(80, 56));
    EXPECT_EQ(s->get_extent(), CRect(0, 0, 81, 73));

    // A taller minimum box wins; a shorter one does not.
    EXPECT_EQ(automatic(CRect(0, 0, 8, 60), "T")->get_box_rect().Height(), 64);
    EXPECT_EQ(automatic(CRect(0, 0, 8, 40), "T")->get_box_rect().Height(), 56);

    // The box counts 8 pixels per unit whatever the pitch.
    crsymbol_set_measure_function(&tall_measure);
    const auto tall_text = automatic(CRect(), "T");
    EXPECT_EQ(tall_text->get_box_rect().Height(), 56);
    EXPECT_EQ(stub_named(*tall_text, "x")->get_line()->get_y(), 24 + 12);
}
