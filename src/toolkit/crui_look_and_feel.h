// Themes (the colours and fonts of the wizard's decorations) and looks and
// feels (the delegates that draw owner-drawn controls). Without a look and
// feel installed every control keeps the platform's standard drawing.
#pragma once

#include <map>
#include <memory>

#include "platform/dc.h"
#include "toolkit/crui_element.h"

class BWIZC_THEME {
public:
    virtual ~BWIZC_THEME() = default;
    virtual CString get_name() const = 0;

    // Fonts of the navigation panel and the decorations' buttons.
    CFont title_font;
    CFont subtitle_font;
    CFont button_font;
    CFont nav_item_font;
    CFont nav_current_item_font;

    COLORREF panel_color = 0;           // decoration background
    COLORREF panel_gradient_color = 0;  // its gradient end (standard drawing)
    COLORREF title_color = 0;
    COLORREF text_color = 0;
    COLORREF disabled_text_color = 0;
    COLORREF face_color = 0;    // flat control face
    COLORREF border_color = 0;  // flat control frame
    COLORREF hover_color = 0;   // face under the mouse
    COLORREF accent_color = 0;  // default button frame, current item, check marks
    COLORREF current_item_text_color = 0;
};

class BWIZC_STD_THEME : public BWIZC_THEME {
public:
    BWIZC_STD_THEME();
    CString get_name() const override { return "BWIZC_STD_THEME"; }
};

// Never null: a standard theme is made on first use.
BWIZC_THEME* bwizc_get_active_theme();
// Takes ownership of theme and deletes the previous one.
void bwizc_set_active_theme(BWIZC_THEME* theme);

class CRUI_LOOK_AND_FEEL {
public:
    virtual ~CRUI_LOOK_AND_FEEL() = default;
    virtual CString get_name() const = 0;
    // The delegate for elements of that class id; null keeps the standard drawing.
    virtual CRUI_DELEGATE* get_ui_delegate(const CString& class_id) = 0;
};

// Flat drawing: push buttons, check boxes and radio buttons are owner-drawn
// with a one-pixel frame and a face that lights up under the mouse; edit and
// combo boxes get a flat frame; panels are filled flat without gradients.
class CRUI_FLAT_LOOK_AND_FEEL : public CRUI_LOOK_AND_FEEL {
public:
    CRUI_FLAT_LOOK_AND_FEEL();
    ~CRUI_FLAT_LOOK_AND_FEEL() override;
    CString get_name() const override { return "CRUI_FLAT_LOOK_AND_FEEL"; }
    CRUI_DELEGATE* get_ui_delegate(const CString& class_id) override;

private:
    std::map<CString, std::unique_ptr<CRUI_DELEGATE>> m_delegates;
};

// The installed look and feel, null for the platform's standard drawing.
CRUI_LOOK_AND_FEEL* crui_get_look_and_feel();
// Takes ownership of laf (null: standard drawing) and deletes the previous one.
void crui_set_look_and_feel(CRUI_LOOK_AND_FEEL* laf);

// Paints the window of an element through its delegate, as WM_PAINT does;
// false when there is no delegate or it leaves the drawing to the platform.
bool crui_paint_with_delegate(CRUI_ELEMENT* element);

// Room a push button keeps around its label, each side.
inline constexpr int CRUI_BUTTON_TEXT_PADDING = 8;
// A push button's size for its label in the active theme's button font: at
// least `fixed`, wider when the label needs it.
CSize crui_fit_button_size(const CString& label, const CSize& fixed);
