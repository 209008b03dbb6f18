// The flat look and feel against the platform's standard drawing: what each
// control kind's window becomes when attached, and what owner-drawn ones draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/user_input.h"
#include "toolkit/crui_look_and_feel.h"
#include "toolkit_test_support.h"

namespace {
// The colours of a paint's fills, in order.
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

TEST(FlatLook, ControlsTakeTheirLookWhenAttachedAndDrawTheirStateAndTheMouseOverThem) {
    for (const bool flat : {false, true}) {
        crui_set_look_and_feel(flat ? new CRUI_FLAT_LOOK_AND_FEEL : nullptr);
        CDialog dialog(&platform_test::test_template());
        ASSERT_TRUE(dialog.create_from_template());
        dialog.ShowWindow(SW_SHOW);
        CRBUTTON button;
        CRCHECK_BUTTON check;
        CRRADIO_BUTTON a, b;
        CRCOMBO_BOX combo;
        CREDIT_BOX edit;
        CPANEL panel(ID_BAR, CPANEL::HORIZONTAL);
        // Button type of each window (11 owner-drawn), "f" for a flat frame.
        std::string looks;
        for (const auto& [control, id] : {std::pair<CCONTROL*, UINT>{&button, ID_APPLY}, {&check, ID_CHECK}, {&a, ID_RADIO_A},
                                          {&b, ID_RADIO_B}, {&combo, ID_LIST}, {&edit, ID_TEXT}}) {
            ASSERT_TRUE(control->attach_control(id, &dialog, nullptr));
            control->enable_message(BN_CLICKED);
            looks += std::to_string(control->get_base_wnd()->GetStyle() & BS_TYPEMASK) +
                     (control->get_base_wnd()->GetExStyle() & WS_EX_STATICEDGE ? "f " : " ");
        }
        EXPECT_EQ(looks, flat ? "11 11 11 11 3f 0f " : "0 3 9 9 3 0 ");
        // A panel's gradient: strips in the standard drawing, one fill in the flat look.
        panel.set_opaque(true);
        panel.set_gradient(1, RGB(0, 0, 255), false);
        panel.set_size(CSize(80, 20));
        ASSERT_TRUE(panel.create_in_dlg(&dialog));
        panel.move_element(CRect(0, 0, 80, 20), false);
        const std::string fills = fills_of(&panel);
        EXPECT_EQ(std::count(fills.begin(), fills.end(), ' ') == 1, flat) << fills;

        // Clicks: the window holds the check state drawn, and an owner-drawn
        // radio button unchecks the others of its group itself.
        for (CWnd* clicked : {static_cast<CWnd*>(&a), static_cast<CWnd*>(&b), static_cast<CWnd*>(&check)})
            ASSERT_TRUE(bwizc_user_click(clicked));
        EXPECT_EQ(std::to_string(a.state().check) + std::to_string(b.state().check) + std::to_string(check.state().check), "011");
        if (!flat) continue;
        // The pointer over a push button lights its face, leaving puts it
        // back; the checked box draws its mark in two accent strokes.
        const BWIZC_THEME* theme = bwizc_get_active_theme();
        const std::string face = fills_of(&button);
        EXPECT_EQ(face.substr(0, face.find(' ')), std::to_string(theme->face_color));
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        EXPECT_EQ(fills_of(&button).substr(0, face.find(' ')), std::to_string(theme->hover_color));
        button.SendMessage(WM_MOUSELEAVE);
        EXPECT_EQ(fills_of(&button), face);
        CRecordingDC dc;
        check.paint_into(dc);
        const auto mark = [&](const BWIZC_DRAW_OP& op) { return op.kind == BWIZC_DRAW_OP::LINE && op.pen_color == theme->accent_color; };
        EXPECT_EQ(std::count_if(dc.ops().begin(), dc.ops().end(), mark), 2);
        dialog.DestroyWindow();
    }
    crui_set_look_and_feel(nullptr);
}
