// The transceiver's symbol painted by the Qt backend (offscreen) into the
// preview panel; its symbol text is the checked-in one the headless run writes.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>

#include "platform/backend.h"
#include "platform/backends/qt/qt_backend.h"
#include "symbol/crsymbol.h"
#include "symbol/kv2gxb_port_set.h"

namespace {

int g_argc = 1;
char g_arg0[] = "test_symbol_qt";
char* g_argv[] = {g_arg0, nullptr};

bool dark(const QImage& img, int x, int y) { return img.valid(x, y) && qGray(img.pixel(x, y)) < 100; }

}  // namespace

TEST(SymbolQt, PaintsThePreviewAndWritesTheSameTextAsHeadless) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ASSERT_TRUE(bwizc_qt_initialize(g_argc, g_argv));
    ASSERT_STREQ(bwizc_get_backend()->get_name(), "qt");
    KV2GXB_SYMBOL s;
    EXPECT_EQ(s.cnx_text(), kv2gxb_golden_symbol_text());

    // The same symbol drawn by the preview panel, with an estimate beside it.
    CRSYMBOL preview(65000);
    BWIZC_STANDARD_SYMBOL* symbol = nullptr;
    preview.set_symbol_updater([&](CRSYMBOL_OUTLINE* o) {
        symbol = bwizc_generate_default_symbol(*o, s.order, s.usage, "gxb_top");
    });
    preview.set_resource_text("4 channels;1 quad;1 transmitter PLL;4 receiver PLLs;reset logic");
    preview.add_controls();
    preview.update_controls();
    ASSERT_NE(symbol, nullptr);
    const CSize size = preview.get_preferred_size();
    ASSERT_TRUE(preview.create_element(65000, CRect(CPoint(0, 0), size), nullptr, nullptr, 0));
    preview.do_layout(CPoint(0, 0));
    const QImage img = bwizc_qt_grab(&preview);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), size.cx);
    EXPECT_EQ(img.height(), size.cy);
    ASSERT_TRUE(img.save(KV2GXB_ARTIFACTS_DIR "/symbol_kv2gxb.png"));

    // Box edges, the first input stub on the left and the first output stub
    // on the right, where the layout put them (panel inset 8).
    const CPoint at = preview.get_symbol_outline()->get_rect().TopLeft() + symbol->get_origin();
    const CRect box = symbol->get_box_rect();
    const int mid_y = at.y + (box.top + box.bottom) / 2;
    EXPECT_TRUE(dark(img, at.x + box.left, mid_y));
    EXPECT_TRUE(dark(img, at.x + box.right, mid_y));
    CRSYMBOL_PINSTUB* in = symbol->get_pinstubs().get_at(0);
    const CPoint in_mid = at + CPoint(in->get_line()->get_end_point().x - 4, in->get_line()->get_y() - 1);
    EXPECT_TRUE(dark(img, in_mid.x, in_mid.y));
    EXPECT_FALSE(dark(img, in_mid.x, in_mid.y + 6));
    bwizc_qt_shutdown();
}
