#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/dialog.h"
#include "toolkit/cbutton.h"
#include "toolkit/cpanel.h"

namespace {

// An empty dialog to host panels, built without a modal loop.
class PanelLayout : public ::testing::Test {
protected:
    void SetUp() override {
        m_template.caption = "Panels";
        m_template.cx = 300;
        m_template.cy = 200;
        m_dialog = std::make_unique<CDialog>(&m_template);
        ASSERT_TRUE(m_dialog->create_from_template());
    }
    void TearDown() override { m_dialog->DestroyWindow(); }
    CDialog* dialog() { return m_dialog.get(); }

    // Gives the button its size and margins and adds it to the panel.
    static void add(CPANEL& panel, UINT id, CRBUTTON& button, CSize size,
                    CPANEL::CONTROL_ALIGNMENT align = CPANEL::ALIGN_NONE, CRect margins = CRect()) {
        button.set_size(size);
        button.set_margins(margins);
        panel.add_control(id, &button, 0, align);
    }

private:
    BWIZC_DIALOG_TEMPLATE m_template;
    std::unique_ptr<CDialog> m_dialog;
};

}  // namespace

TEST_F(PanelLayout, UnsizedPanelKeepsThePreferredPlaces) {
    CRBUTTON wide, narrow;
    CPANEL panel(40, CPANEL::HORIZONTAL);
    panel.set_insets(CRect(2, 3, 4, 5));
    add(panel, 41, wide, {50, 20}, CPANEL::ALIGN_NONE, CRect(1, 1, 1, 1));
    panel.add_gel_block();
    add(panel, 42, narrow, {30, 10});

    EXPECT_EQ(panel.get_preferred_size(), CSize(52 + 30 + 2 + 4, 22 + 3 + 5));
    EXPECT_EQ(panel.get_entry_rects(),
              (std::vector<CRect>{CRect(0, 0, 52, 22), CRect(52, 0, 52, 0), CRect(52, 0, 82, 10)}));

    ASSERT_TRUE(panel.create_in_dlg(dialog()));
    ASSERT_TRUE(wide.is_valid_window());
    EXPECT_EQ(wide.GetParent(), dialog());  // siblings of the panel
    EXPECT_EQ(wide.GetDlgCtrlID(), 41);
    EXPECT_EQ(panel.get_gel_window()->GetDlgCtrlID(), static_cast<int>(CPANEL::GEL_RESOURCE_ID));
    EXPECT_EQ(wide.find_listener(&panel), 0);

    panel.do_layout(CPoint(10, 20));
    EXPECT_EQ(wide.get_rect(), CRect(13, 24, 63, 44));
    EXPECT_EQ(narrow.get_rect(), CRect(64, 23, 94, 33));
    // The gel block gets no extent at the preferred size.
    EXPECT_EQ(panel.get_gel_window()->get_rect().Width(), 0);
}

TEST_F(PanelLayout, GelBlocksPushTheFollowingButtonsToTheFarEdge) {
    CRBUTTON back, next, finish;
    CPANEL bar(50, CPANEL::HORIZONTAL);
    add(bar, 51, back, {60, 20}, CPANEL::ALIGN_NONE, CRect(3, 2, 3, 2));
    bar.add_gel_block(RGB(1, 2, 3));
    add(bar, 52, next, {60, 20}, CPANEL::ALIGN_NONE, CRect(3, 2, 3, 2));
    add(bar, 53, finish, {60, 20}, CPANEL::ALIGN_NONE, CRect(3, 2, 3, 2));
    ASSERT_EQ(bar.get_preferred_size(), CSize(198, 24));
    ASSERT_TRUE(bar.create_in_dlg(dialog()));
    EXPECT_TRUE(bar.get_gel_window()->is_opaque());
    EXPECT_EQ(bar.get_gel_window()->get_background_color(), RGB(1, 2, 3));

    bar.set_size({300, 24});
    bar.do_layout(CPoint(0, 100));
    EXPECT_EQ(back.get_rect(), CRect(3, 102, 63, 122));
    EXPECT_EQ(bar.get_gel_window()->get_rect(), CRect(63, 100, 165, 124));
    EXPECT_EQ(next.get_rect(), CRect(171, 102, 231, 122));
    EXPECT_EQ(finish.get_rect(), CRect(237, 102, 297, 122));

    // A second gel block shifts the entries after it again by the whole spare width.
    CRBUTTON a, b, c;
    CPANEL two(60, CPANEL::HORIZONTAL);
    add(two, 61, a, {10, 10});
    two.add_gel_block();
    add(two, 62, b, {10, 10});
    two.add_gel_block();
    add(two, 63, c, {10, 10});
    ASSERT_TRUE(two.create_in_dlg(dialog()));
    two.set_size({50, 10});
    two.do_layout(CPoint(0, 0));
    EXPECT_EQ(b.get_rect().left, 30);
    EXPECT_EQ(c.get_rect().left, 60);
}

TEST_F(PanelLayout, RigidBlockAddsItsExtentAndShiftsLaterEntries) {
    CRBUTTON top, bottom;
    CPANEL column(70, CPANEL::VERTICAL);
    add(column, 71, top, {40, 10});
    column.add_rigid_block(7);
    add(column, 72, bottom, {40, 10});
    EXPECT_EQ(column.get_preferred_size(), CSize(40, 27));
    EXPECT_EQ(column.get_controls_list().get_at(1)->rigid_width, 0);
    ASSERT_TRUE(column.create_in_dlg(dialog()));
    column.do_layout(CPoint(5, 5));
    EXPECT_EQ(top.get_rect(), CRect(5, 5, 45, 15));
    EXPECT_EQ(bottom.get_rect(), CRect(5, 22, 45, 32));

    // In a horizontal panel the block is a width.
    CPANEL row(73, CPANEL::HORIZONTAL);
    row.add_rigid_block(9);
    EXPECT_EQ(row.get_preferred_size(), CSize(9, 0));
}

TEST_F(PanelLayout, AlignmentPlacesElementsOnTheCrossAxis) {
    CRBUTTON centred, right, plain, bottom_in_column;
    CPANEL column(80, CPANEL::VERTICAL);
    add(column, 81, centred, {60, 10}, CPANEL::ALIGN_CENTER);
    add(column, 82, right, {60, 10}, CPANEL::ALIGN_RIGHT);
    add(column, 83, plain, {60, 10}, CPANEL::ALIGN_LEFT);
    add(column, 84, bottom_in_column, {60, 10}, CPANEL::ALIGN_BOTTOM);  // means nothing here
    ASSERT_TRUE(column.create_in_dlg(dialog()));
    column.set_size({81, 40});
    column.do_layout(CPoint(0, 0));
    EXPECT_EQ(centred.get_rect().left, 10);  // half of 21, truncated
    EXPECT_EQ(right.get_rect().left, 21);
    EXPECT_EQ(plain.get_rect().left, 0);
    EXPECT_EQ(bottom_in_column.get_rect().left, 0);

    CRBUTTON low, middle, ignored;
    CPANEL row(85, CPANEL::HORIZONTAL);
    row.set_insets(CRect(0, 2, 0, 2));
    add(row, 86, low, {10, 10}, CPANEL::ALIGN_BOTTOM);
    add(row, 87, middle, {10, 10}, CPANEL::ALIGN_CENTER);
    add(row, 88, ignored, {10, 10}, CPANEL::ALIGN_RIGHT);
    ASSERT_TRUE(row.create_in_dlg(dialog()));
    row.set_size({30, 25});
    row.do_layout(CPoint(0, 0));
    EXPECT_EQ(low.get_rect().top, 2 + 11);
    EXPECT_EQ(middle.get_rect().top, 2 + 5);
    EXPECT_EQ(ignored.get_rect().top, 2);
}

TEST_F(PanelLayout, NestedPanelLaysOutInsideItsRectangle) {
    CRBUTTON left, upper, lower;
    CPANEL inner(91, CPANEL::VERTICAL);
    add(inner, 92, upper, {15, 10});
    add(inner, 93, lower, {15, 10});
    CPANEL outer(90, CPANEL::HORIZONTAL);
    add(outer, 94, left, {20, 30});
    outer.add_panel(91, &inner, 0, CPANEL::ALIGN_CENTER);
    EXPECT_EQ(outer.get_preferred_size(), CSize(35, 30));
    ASSERT_TRUE(outer.create_in_dlg(dialog()));
    EXPECT_EQ(inner.GetParent(), &outer);
    EXPECT_EQ(upper.GetParent(), &outer);
    EXPECT_EQ(inner.find_listener(&outer), 0);

    outer.do_layout(CPoint(100, 50));
    EXPECT_EQ(left.get_rect(), CRect(100, 50, 120, 80));
    EXPECT_EQ(inner.get_rect(), CRect(20, 5, 35, 25));
    EXPECT_EQ(upper.get_rect(), CRect(20, 5, 35, 15));
    EXPECT_EQ(lower.get_rect(), CRect(20, 15, 35, 25));
}

TEST_F(PanelLayout, RemovingEntriesDestroysPanelsAndGelButKeepsControlsOnRequest) {
    CRBUTTON kept, uncreated;
    CPANEL inner(101, CPANEL::VERTICAL);
    CPANEL outer(100, CPANEL::HORIZONTAL);
    add(outer, 102, kept, {10, 10});
    outer.add_gel_block();
    outer.add_panel(101, &inner, 0, CPANEL::ALIGN_NONE);
    ASSERT_TRUE(outer.create_in_dlg(dialog()));
    // An entry added after creation has no window; layout passes over it.
    add(outer, 103, uncreated, {10, 10});
    outer.set_size({80, 10});
    outer.do_layout(CPoint(0, 0));
    EXPECT_FALSE(uncreated.is_valid_window());
    ASSERT_TRUE(inner.is_valid_window());

    outer.remove_all_controls(false, false);
    EXPECT_TRUE(kept.is_valid_window());
    EXPECT_FALSE(inner.is_valid_window());
    EXPECT_EQ(outer.get_gel_window(), nullptr);
    EXPECT_EQ(outer.get_controls_list().get_size(), 0);

    outer.add_control(102, &kept, 0, CPANEL::ALIGN_NONE);
    outer.remove_all_controls(false, true);
    EXPECT_FALSE(kept.is_valid_window());
    EXPECT_TRUE(outer.is_valid_window());
}

TEST_F(PanelLayout, OpaquePanelPaintsBackgroundThenBorderSides) {
    CPANEL panel(110, CPANEL::HORIZONTAL);
    panel.set_creation_size({40, 20});
    panel.set_opaque(true);
    panel.set_background_color(RGB(10, 20, 30));
    panel.set_disabled_background_color(RGB(40, 50, 60));
    panel.set_border_color(RGB(200, 0, 0));
    panel.set_border_sides(1, 0, 2, 0);
    panel.set_border_style(1);
    ASSERT_TRUE(panel.create_in_dlg(dialog()));

    CRecordingDC dc;
    panel.paint(&dc);
    ASSERT_EQ(dc.ops().size(), 3u);
    EXPECT_EQ(dc.ops()[0].kind, BWIZC_DRAW_OP::FILL_RECT);
    EXPECT_EQ(dc.ops()[0].brush_color, RGB(10, 20, 30));
    EXPECT_EQ(dc.ops()[0].rect, CRect(0, 0, 40, 20));
    for (int i : {1, 2}) {
        EXPECT_EQ(dc.ops()[i].kind, BWIZC_DRAW_OP::LINE);
        EXPECT_EQ(dc.ops()[i].pen_color, RGB(200, 0, 0));
        EXPECT_EQ(dc.ops()[i].pen_width, 2);
    }
    EXPECT_LT(dc.ops()[1].rect.top, dc.ops()[2].rect.top);  // top side, then bottom side

    panel.enable(false);
    dc.clear();
    panel.paint(&dc);
    ASSERT_FALSE(dc.ops().empty());
    EXPECT_EQ(dc.ops()[0].brush_color, RGB(40, 50, 60));

    // A gradient panel still runs its gradient when disabled, from the
    // disabled background colour.
    panel.set_gradient(1, RGB(0, 0, 250));
    dc.clear();
    panel.paint(&dc);
    ASSERT_EQ(dc.ops().size(), 20u + 2u);  // one band per pixel row, then the two sides
    EXPECT_EQ(dc.ops()[0].brush_color, RGB(40, 50, 60));
    EXPECT_EQ(dc.ops()[19].brush_color, RGB(0, 0, 250));
    EXPECT_EQ(dc.ops()[20].kind, BWIZC_DRAW_OP::LINE);
    panel.enable(true);
    dc.clear();
    panel.paint(&dc);
    ASSERT_EQ(dc.ops().size(), 22u);
    EXPECT_EQ(dc.ops()[0].brush_color, RGB(10, 20, 30));
    EXPECT_EQ(dc.ops()[19].brush_color, RGB(0, 0, 250));
    panel.set_gradient(0, RGB(0, 0, 250));
    panel.enable(false);

    // Colour requests of an opaque panel get its (here disabled) background.
    CDC colour_dc;
    HBRUSH brush = panel.CtlColor(&colour_dc, WM_CTLCOLORSTATIC);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->color(), RGB(40, 50, 60));
    EXPECT_EQ(colour_dc.GetBkColor(), RGB(40, 50, 60));

    CPANEL bare(111, CPANEL::VERTICAL);
    bare.set_creation_size({10, 10});
    ASSERT_TRUE(bare.create_in_dlg(dialog()));
    dc.clear();
    bare.paint(&dc);
    EXPECT_TRUE(dc.ops().empty());
}
