// The flat look and feel against the platform's standard drawing: what each
// control kind's window becomes when it is attached, and what the owner-drawn
// ones draw for their state and for the mouse over them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/user_input.h"
#include "toolkit/crui_look_and_feel.h"
#include "toolkit_test_support.h"

namespace {

class FlatLook : public ::testing::Test {
protected:
    void SetUp() override { m_template = make_toolkit_test_template(); }
    void TearDown() override {
        if (m_dialog) m_dialog->DestroyWindow();
        crui_set_look_and_feel(nullptr);
    }
    CDialog* open(bool flat) {
        crui_set_look_and_feel(flat ? new CRUI_FLAT_LOOK_AND_FEEL : nullptr);
        m_dialog = std::make_unique<CDialog>(&m_template);
        EXPECT_TRUE(m_dialog->create_from_template());
        m_dialog->ShowWindow(SW_SHOW);
        return m_dialog.get();
    }

private:
    BWIZC_DIALOG_TEMPLATE m_template;
    std::unique_ptr<CDialog> m_dialog;
};

// The window's look: its button type, and "flat" for the flat frame.
std::string look_of(CWnd* wnd) {
    std::string text = std::to_string(wnd->GetStyle() & BS_TYPEMASK);
    if (wnd->GetExStyle() & WS_EX_STATICEDGE) text += " flat";
    return text;
}

// Colours of the fills a paint of the window makes, in order.
std::string fills_of(CWnd* wnd) {
    CRecordingDC dc;
    wnd->paint_into(dc);
    std::string text;
    for (const BWIZC_DRAW_OP& op : dc.ops()) {
        if (op.kind == BWIZC_DRAW_OP::FILL_RECT) text += std::to_string(op.brush_color) + " ";
    }
    return text;
}

}  // namespace

TEST_F(FlatLook, EachControlKindTakesItsLookWhenAttached) {
    struct ROW {
        bool flat;
        const char* button;
        const char* check;
        const char* radio;
        const char* combo;
        const char* edit;
    };
    const ROW rows[] = {
        {false, "0", "3", "9", "3", "0"},
        {true, "11", "11", "11", "3 flat", "0 flat"},
    };
    for (const ROW& row : rows) {
        CDialog* dialog = open(row.flat);
        CRBUTTON button;
        CRCHECK_BUTTON check;
        CRRADIO_BUTTON radio;
        CRCOMBO_BOX combo;
        CREDIT_BOX edit;
        const std::pair<CCONTROL*, UINT> controls[] = {
            {&button, ID_APPLY}, {&check, ID_CHECK}, {&radio, ID_RADIO_A}, {&combo, ID_LIST}, {&edit, ID_TEXT}};
        for (const auto& [control, id] : controls) ASSERT_TRUE(control->attach_control(id, dialog, nullptr));
        EXPECT_EQ(look_of(&button), row.button) << row.flat;
        EXPECT_EQ(look_of(&check), row.check) << row.flat;
        EXPECT_EQ(look_of(&radio), row.radio) << row.flat;
        EXPECT_EQ(look_of(&combo), row.combo) << row.flat;
        EXPECT_EQ(look_of(&edit), row.edit) << row.flat;

        // A panel with a gradient: strips of colour in the standard drawing,
        // one flat fill in the flat look.
        CPANEL panel(ID_BAR, CPANEL::HORIZONTAL);
        panel.set_opaque(true);
        panel.set_background_color(RGB(255, 255, 255));
        panel.set_gradient(1, RGB(0, 0, 255), false);
        panel.set_size(CSize(80, 20));
        ASSERT_TRUE(panel.create_in_dlg(dialog));
        panel.move_element(CRect(0, 0, 80, 20), false);
        const std::string fills = fills_of(&panel);
        if (row.flat) {
            EXPECT_EQ(fills, std::to_string(RGB(255, 255, 255)) + " ");
        } else {
            EXPECT_GT(std::count(fills.begin(), fills.end(), ' '), 2) << fills;
        }
    }
}

TEST_F(FlatLook, OwnerDrawnControlsShowTheirCheckStateAndTheMouseOverThem) {
    CDialog* dialog = open(true);
    CRBUTTON button;
    CRCHECK_BUTTON check;
    CRRADIO_BUTTON a, b;
    for (const auto& [control, id] : {std::pair<CCONTROL*, UINT>{&button, ID_APPLY}, {&check, ID_CHECK},
                                      {&a, ID_RADIO_A}, {&b, ID_RADIO_B}}) {
        ASSERT_TRUE(control->attach_control(id, dialog, nullptr));
        control->enable_message(BN_CLICKED);
    }
    const BWIZC_THEME* theme = bwizc_get_active_theme();
    // The face is the first fill; the frame's four sides follow.
    const std::string frame = std::to_string(theme->border_color) + " ";
    const std::string face = std::to_string(theme->face_color) + " " + frame + frame + frame + frame;
    const std::string hover = std::to_string(theme->hover_color) + " " + frame + frame + frame + frame;

    // The pointer over a push button lights its face; leaving puts it back.
    EXPECT_EQ(fills_of(&button), face);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(fills_of(&button), hover);
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(fills_of(&button), face);

    // Clicks on owner-drawn boxes: the window holds the state that is drawn,
    // and a radio button unchecks the others of its group itself.
    struct STEP {
        CWnd* clicked;
        int check_state, a_state, b_state;
    };
    const STEP steps[] = {
        {&check, BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED},
        {&a, BST_CHECKED, BST_CHECKED, BST_UNCHECKED},
        {&b, BST_CHECKED, BST_UNCHECKED, BST_CHECKED},
        {&check, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED},
    };
    for (const STEP& step : steps) {
        ASSERT_TRUE(bwizc_user_click(step.clicked));
        EXPECT_EQ(check.state().check, step.check_state) << step.clicked->GetDlgCtrlID();
        EXPECT_EQ(a.state().check, step.a_state) << step.clicked->GetDlgCtrlID();
        EXPECT_EQ(b.state().check, step.b_state) << step.clicked->GetDlgCtrlID();
        EXPECT_EQ(a.get_val_bool() || b.get_val_bool(), step.a_state + step.b_state > 0);
    }
    // The checked box draws its mark: two strokes in the accent colour.
    CRecordingDC dc;
    ASSERT_TRUE(bwizc_user_click(&check));
    check.paint_into(dc);
    int marks = 0;
    for (const BWIZC_DRAW_OP& op : dc.ops()) marks += op.kind == BWIZC_DRAW_OP::LINE && op.pen_color == theme->accent_color;
    EXPECT_EQ(marks, 2);
}
