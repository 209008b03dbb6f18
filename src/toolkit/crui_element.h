// A toolkit element backed by a window: size, margins, default colours,
// hover tracking and the window operations every control shares.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"
#include "platform/win_defs.h"

class CWnd;
class CDC;
class CFont;

class CRUI_ELEMENT;

// The look-and-feel object that draws an owner-drawn element. An element
// takes the delegate of the installed look and feel (crui_look_and_feel.h)
// unless it was given one; with none the platform's standard drawing is used.
class CRUI_DELEGATE {
public:
    virtual ~CRUI_DELEGATE() = default;
    // Once the element has its window: styles the window for this look.
    virtual void install(CRUI_ELEMENT* element) { (void)element; }
    // Draws the element's window; false leaves it to the standard drawing.
    virtual bool paint(CRUI_ELEMENT* element, CDC* dc) {
        (void)element, (void)dc;
        return false;
    }
};

class CRUI_ELEMENT {
public:
    CRUI_ELEMENT();
    virtual ~CRUI_ELEMENT();
    CRUI_ELEMENT(const CRUI_ELEMENT&) = delete;
    CRUI_ELEMENT& operator=(const CRUI_ELEMENT&) = delete;

    virtual void set_base_wnd(CWnd* wnd) { m_base_wnd = wnd; }
    virtual CWnd* get_base_wnd() const { return m_base_wnd; }
    virtual HWND get_hWnd() const;
    // Creates the element's window; an element without a native kind cannot.
    virtual BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style);
    virtual void destroy_element();
    virtual void do_layout(const CRect& rect);
    virtual bool is_valid_window() const;
    virtual BOOL create(UINT id, const CRect& rect, CWnd* parent, DWORD style);
    virtual void set_focus();
    virtual bool is_enabled() const;
    virtual void enable(bool enable);
    virtual bool is_visible() const;
    virtual void show(bool show);
    virtual COLORREF get_default_color() const;
    virtual COLORREF get_default_disabled_color() const;
    virtual COLORREF get_default_background_color() const;
    virtual COLORREF get_default_disabled_background_color() const;
    virtual COLORREF get_default_border_color() const;
    virtual COLORREF get_default_disabled_border_color() const;
    virtual CFont* get_default_font() const;
    virtual void set_ui_delegate(CRUI_DELEGATE* ui_delegate) { m_ui_delegate = ui_delegate; }
    // The delegate given with set_ui_delegate, else the installed look and
    // feel's delegate for this element's class id, else null.
    virtual CRUI_DELEGATE* get_ui_delegate() const;
    virtual CString get_ui_delegate_class_id() const { return "CRUI_ELEMENT_UI_DELEGATE"; }
    virtual void handle_mouse_move(UINT flags, const CPoint& pt);
    virtual void handle_mouse_leave();
    virtual void handle_mouse_hover(UINT flags, const CPoint& pt);
    // Whether the point (in the parent's client coordinates) is on the element.
    virtual bool contains(int x, int y) const;
    // The set size when there is one, else the creation size, else the
    // window's size, else nothing.
    virtual CSize get_preferred_size();
    virtual CSize get_creation_size() const { return m_creation_size; }
    // (0, 0) to the creation size, or to the preferred size where none is set.
    virtual CRect get_creation_rect();
    // left, top, right and bottom margins.
    virtual CRect get_margins_rect() const { return m_margins; }
    virtual void paint(CDC* dc);
    virtual void update();
    virtual CSize get_size() const { return m_size; }
    virtual void set_size(const CSize& size) { m_size = size; }
    virtual void set_creation_size(const CSize& size) { m_creation_size = size; }
    virtual void set_margins(const CRect& margins) { m_margins = margins; }
    // Mouse movement, hover and leave go to the hover handlers; the result
    // says whether the message was one of them.
    virtual LRESULT window_proc(UINT message, WPARAM wParam, LPARAM lParam);

    bool is_mouse_inside() const { return m_mouse_inside; }
    bool is_hovering() const { return m_hovering; }
    // Moves the window (in its parent's client coordinates) when it exists.
    void move_element(const CRect& rect, bool repaint);

protected:
    CWnd* m_base_wnd = nullptr;
    int m_layout_data[8] = {};
    CSize m_size{-1, -1};
    CSize m_creation_size{-1, -1};
    DWORD m_flags = 0;
    CRect m_margins;
    bool m_mouse_inside = false;
    bool m_hovering = false;
    CRUI_DELEGATE* m_ui_delegate = nullptr;
};
