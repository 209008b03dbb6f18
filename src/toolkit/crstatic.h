// Static text or picture with an optional (gradient) background and border
// sides; the base of panels. And the group frame.
#pragma once

#include "platform/controls.h"
#include "platform/dc.h"
#include "toolkit/ccontrol.h"

class CRSTATIC : public CStatic, public CCONTROL {
public:
    enum BORDER_SIDE { BORDER_TOP = 0, BORDER_RIGHT = 1, BORDER_BOTTOM = 2, BORDER_LEFT = 3 };

    CRSTATIC();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;
    void on_attach_control() override;
    CString get_ui_delegate_class_id() const override { return "CRSTATIC_UI_DELEGATE"; }
    // Background fill (when opaque) and border sides, in that order.
    void paint(CDC* dc) override;

    // An opaque static fills its background itself.
    void set_opaque(bool opaque);
    bool is_opaque() const { return m_opaque; }
    void set_background_color(COLORREF color);
    COLORREF get_background_color() const { return m_background_color; }
    void set_disabled_background_color(COLORREF color) { m_disabled_background_color = color; }
    COLORREF get_disabled_background_color() const { return m_disabled_background_color; }
    // Mode 1 fills from the background colour to the gradient colour.
    void set_gradient(int mode, COLORREF to_color, bool vertical = true);
    int get_gradient_mode() const { return m_gradient_mode; }
    // A side is drawn when its flag is at least 1.
    void set_border_side(BORDER_SIDE side, int flag);
    int get_border_side(BORDER_SIDE side) const { return m_border_sides[side]; }
    void set_border_sides(int top, int right, int bottom, int left);
    // Style 1 draws 2-pixel lines, any other 1-pixel lines.
    void set_border_style(int style) { m_border_style = style; }
    int get_border_style() const { return m_border_style; }
    void set_border_color(COLORREF color) { m_border_color = color; }
    COLORREF get_border_color() const { return m_border_color; }

    void OnPaint() override;
    HBRUSH CtlColor(CDC* dc, UINT ctl_color) override;

protected:
    // Whether the toolkit draws this static rather than the platform.
    virtual bool is_custom_drawn() const;

    bool m_opaque = false;
    COLORREF m_background_color;
    COLORREF m_disabled_background_color;
    int m_gradient_mode = 0;
    COLORREF m_gradient_color;
    bool m_gradient_vertical = true;
    int m_border_sides[4] = {0, 0, 0, 0};
    int m_border_style = 0;
    COLORREF m_border_color;
    CBrush m_background_brush;
};

class CRSTATIC_GROUP : public CButton, public CCONTROL {
public:
    CRSTATIC_GROUP();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;
};
