// The window object. A CWnd holds the whole state of its window: id, parent
// and children, text, enabled and visible flags, geometry, style bits, check
// state, list items with selection and item data, slider range and position,
// edit selection, font. Backends only mirror this state (the Qt backend) or
// keep nothing at all (headless); nobody asks a backend for it.
//
// Messages reach a window through its virtual WindowProc; the default
// dispatches to the On... hooks below, then to DefWindowProc, which carries
// the behaviour of the standard controls (editing on WM_CHAR, button checks).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/cstring.h"
#include "platform/dc.h"
#include "platform/types.h"
#include "platform/win_defs.h"

// What a window is; chooses its standard behaviour and its mirror widget.
enum BWIZC_WND_KIND {
    BWIZC_KIND_CUSTOM = 0,  // drawn by its own OnPaint
    BWIZC_KIND_DIALOG,
    BWIZC_KIND_BUTTON,  // push button, check box, radio button, group box (by style)
    BWIZC_KIND_EDIT,
    BWIZC_KIND_STATIC,
    BWIZC_KIND_COMBOBOX,  // simple, drop-down or drop-down list (by style)
    BWIZC_KIND_LISTBOX,
    BWIZC_KIND_SLIDER,
    BWIZC_KIND_LISTCTRL,  // report list
    BWIZC_KIND_SPIN,
};

// What changed in a window, for the backend that mirrors it.
enum BWIZC_CHANGE : unsigned {
    BWIZC_CHANGED_TEXT = 1u << 0,
    BWIZC_CHANGED_ENABLED = 1u << 1,
    BWIZC_CHANGED_VISIBLE = 1u << 2,
    BWIZC_CHANGED_GEOMETRY = 1u << 3,
    BWIZC_CHANGED_CHECK = 1u << 4,
    BWIZC_CHANGED_ITEMS = 1u << 5,
    BWIZC_CHANGED_SELECTION = 1u << 6,  // list selection or edit selection
    BWIZC_CHANGED_RANGE = 1u << 7,
    BWIZC_CHANGED_POS = 1u << 8,
    BWIZC_CHANGED_FONT = 1u << 9,
    BWIZC_CHANGED_STYLE = 1u << 10,
    BWIZC_CHANGED_FOCUS = 1u << 11,
    BWIZC_CHANGED_TEXT_COLOR = 1u << 12,
};

// One entry of a combo box, list box or report list.
struct BWIZC_LIST_ITEM {
    CString text;
    DWORD_PTR data = 0;
    int image = -1;  // report list: index into the image list
    std::vector<CString> sub_items;  // report list: columns 1..n
    UINT state = 0;  // report list: LVIS_* bits
};

struct BWIZC_LIST_COLUMN {
    CString heading;
    int width = 0;
    int format = 0;
};

// The state of one window. CWnd keeps it as a member; it is a plain value so a
// control object can take over a window the dialog created from its template.
struct BWIZC_WND_STATE {
    BWIZC_WND_KIND kind = BWIZC_KIND_CUSTOM;
    UINT id = 0;
    CString text;
    DWORD style = 0;
    DWORD ex_style = 0;
    bool enabled = true;
    bool visible = false;
    CRect rect;  // in the parent's client coordinates; screen coordinates for a top-level window
    CFont* font = nullptr;  // as set by WM_SETFONT (not owned)
    LOGFONT font_lf;  // a copy, so drawing never reads a deleted font
    bool has_font = false;
    int check = 0;  // BST_* for buttons
    std::vector<BWIZC_LIST_ITEM> items;
    int cur_sel = -1;
    std::vector<BWIZC_LIST_COLUMN> columns;  // report list
    int sel_start = 0;  // edit (and combo edit field) selection
    int sel_end = 0;
    int limit_text = 0;  // 0: no limit
    int range_min = 0;  // slider, spin
    int range_max = 100;
    int pos = 0;
    int page_size = 10;
    int line_size = 1;
    int tic_freq = 1;
    HWND buddy = nullptr;  // spin
    bool dropped = false;  // combo list shown
    std::intptr_t user_data = 0;  // GWLP_USERDATA
    UINT def_id = 0;  // dialog: the default push button
    // Text colour of a static; BWIZC_DEFAULT_TEXT_COLOR leaves the platform's.
    COLORREF text_color = 0xFFFFFFFFu;
};
constexpr COLORREF BWIZC_DEFAULT_TEXT_COLOR = 0xFFFFFFFFu;

class CWnd;
using BWIZC_MESSAGE_HANDLER = std::function<LRESULT(WPARAM, LPARAM)>;

class CWnd : public CObject {
public:
    CWnd();
    ~CWnd() override;  // destroys the window if it still exists
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window's handle, or null when the object has no window.
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The object of a live window; null for a handle of a destroyed window.
    static CWnd* FromHandle(HWND hwnd);
    static BOOL IsWindow(HWND hwnd) { return FromHandle(hwnd) != nullptr; }
    BOOL IsWindow() const { return m_hWnd != nullptr; }

    // Creation. kind and style choose the control; rect is in the parent's
    // client coordinates (screen coordinates without parent).
    virtual BOOL CreateEx(BWIZC_WND_KIND kind, DWORD ex_style, const CString& text, DWORD style, const CRect& rect,
                          CWnd* parent, UINT id);
    BOOL Create(const char* class_name_unused, const CString& text, DWORD style, const CRect& rect, CWnd* parent,
                UINT id);
    virtual BOOL DestroyWindow();
    // Makes this object the owner of the dialog item `id` of `parent`: the
    // item's state moves into this object, the object the dialog made for it
    // goes away. Fails when the item does not exist or another object took it.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    BOOL SubclassWindow(HWND hwnd);
    // True when the platform created this object (a template item nobody has
    // taken over) and deletes it with the window.
    bool is_platform_owned() const { return m_platform_owned; }

    // Identity and family
    BWIZC_WND_KIND get_kind() const { return m_state.kind; }
    int GetDlgCtrlID() const { return static_cast<int>(m_state.id); }
    int SetDlgCtrlID(int id);
    CWnd* GetParent() const { return m_parent; }
    CWnd* GetOwner() const { return m_owner ? m_owner : m_parent; }
    void SetOwner(CWnd* owner) { m_owner = owner; }
    CWnd* GetTopLevelParent() const;
    const std::vector<CWnd*>& get_children() const { return m_children; }
    // The siblings of this window's group, itself included: from the last
    // WS_GROUP at or before it up to the next WS_GROUP. Empty without a parent.
    std::vector<CWnd*> get_group_siblings() const;
    CWnd* GetDlgItem(int id) const;
    // The next (or previous) tab stop among the siblings of `ctrl`.
    CWnd* GetNextDlgTabItem(CWnd* ctrl, BOOL previous = FALSE) const;

    // Style
    DWORD GetStyle() const { return m_state.style; }
    DWORD GetExStyle() const { return m_state.ex_style; }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    std::intptr_t GetWindowLongPtr(int index) const;
    std::intptr_t SetWindowLongPtr(int index, std::intptr_t value);

    // Text
    void SetWindowText(const CString& text);
    void GetWindowText(CString& text) const { text = m_state.text; }
    CString GetWindowText() const { return m_state.text; }
    int GetWindowTextLength() const { return m_state.text.GetLength(); }
    void SetDlgItemText(int id, const CString& text);
    CString GetDlgItemText(int id) const;
    int GetDlgItemText(int id, CString& text) const;
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL is_signed = TRUE) const;
    void SetDlgItemInt(int id, UINT value, BOOL is_signed = TRUE);

    // State
    BOOL EnableWindow(BOOL enable = TRUE);  // returns TRUE when it was disabled before
    BOOL IsWindowEnabled() const { return m_hWnd && m_state.enabled; }
    BOOL ShowWindow(int cmd);  // returns TRUE when it was visible before
    // Visible only when this window and all its parents are.
    BOOL IsWindowVisible() const;
    BOOL CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    BOOL CheckRadioButton(int first_id, int last_id, int check_id);

    // Geometry
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const CRect& rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(CRect* rect) const;  // screen coordinates
    void GetClientRect(CRect* rect) const;  // (0, 0, width, height)
    const CRect& get_rect() const { return m_state.rect; }  // in parent coordinates
    void ScreenToClient(CRect* rect) const;
    void ScreenToClient(CPoint* pt) const;
    void ClientToScreen(CRect* rect) const;
    void ClientToScreen(CPoint* pt) const;
    void CenterWindow(CWnd* alternate_owner = nullptr);

    // Font
    void SetFont(CFont* font, BOOL redraw = TRUE);
    // The colour the window's text is drawn in (a status line's verdict).
    void set_text_color(COLORREF color);
    COLORREF get_text_color() const { return m_state.text_color; }
    CFont* GetFont() const { return m_state.font; }
    // The font this window draws with: its own, else the default GUI font.
    LOGFONT get_effective_font() const;

    // Focus
    CWnd* SetFocus();  // returns the window that had the focus
    static CWnd* GetFocus();
    // Moves the focus to `ctrl` (a child), as dialogs do on Tab.
    void GotoDlgCtrl(CWnd* ctrl);

    // Painting
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const CRect* rect, BOOL erase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(const CRect* rect = nullptr, void* region = nullptr, UINT flags = RDW_INVALIDATE);
    // Paints the window (WM_ERASEBKGND, WM_PAINT) into dc, without a backend.
    void paint_into(CDC& dc);
    // The same for the window and all its visible descendants, each at its place.
    void paint_tree_into(CDC& dc);
    // What the last CPaintDC of this window recorded when no backend painter was active.
    const std::vector<BWIZC_DRAW_OP>& get_last_paint() const;
    int get_invalidate_count() const { return m_invalidate_count; }

    // Timers: WM_TIMER with the id every `elapse_ms` until KillTimer.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse_ms, void* unused = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // Messages. SendMessage calls WindowProc now, on this thread.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queues the message; callable from any thread. False when the window is gone.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);

    // Handlers the owner of the object adds for any message, most usefully
    // the registered ones; they run before the On... hooks and replace them.
    // They stay with the object, not with the window, so they survive the
    // window being destroyed and created again.
    void set_message_handler(UINT message, BWIZC_MESSAGE_HANDLER handler);
    void remove_message_handler(UINT message);
    // Handler for WM_COMMAND of control `id` with notification `code`, run by
    // the default OnCommand after the control had its chance (reflection).
    void set_command_handler(UINT id, UINT code, std::function<void()> handler);

    // The message procedure; override to see every message. Call the base
    // class for everything not handled.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The standard behaviour of the window's kind.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Notifications from children. The default OnCommand, OnNotify and the
    // scroll messages first offer the message to the child window named in it
    // (OnChildNotify); when the child consumes it the parent sees nothing.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called on a control for WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL and
    // WM_CTLCOLOR... that its parent received from it. TRUE consumes the message.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Hooks with default behaviour
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnTimer(UINT_PTR id) { (void)id; }
    // The defaults notify the parent (EN_SETFOCUS / EN_KILLFOCUS for an edit,
    // CBN_SETFOCUS / CBN_KILLFOCUS for a combo box); overrides call them.
    virtual void OnSetFocus(CWnd* old);
    virtual void OnKillFocus(CWnd* next);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    virtual void OnMouseMove(UINT flags, CPoint pt) { (void)flags; (void)pt; }
    virtual void OnLButtonDown(UINT flags, CPoint pt);
    virtual void OnLButtonUp(UINT flags, CPoint pt);
    virtual void OnHScroll(UINT code, UINT pos, CWnd* bar) { (void)code; (void)pos; (void)bar; }
    virtual void OnVScroll(UINT code, UINT pos, CWnd* bar) { (void)code; (void)pos; (void)bar; }
    virtual void OnSize(UINT type, int cx, int cy) { (void)type; (void)cx; (void)cy; }
    // Colour request of a static, edit or button child; return a brush to fill
    // its background (null: standard colours). The default reflects the request
    // to the child's CtlColor.
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* child, UINT ctl_color);
    virtual HBRUSH CtlColor(CDC* dc, UINT ctl_color) { (void)dc; (void)ctl_color; return nullptr; }
    virtual void OnDestroy() {}
    virtual void OnClose();

    // Direct access to the state, for the control classes and the backends.
    const BWIZC_WND_STATE& state() const { return m_state; }
    BWIZC_WND_STATE& mutable_state() { return m_state; }
    // Tells the backend that part of the state changed.
    void notify_changed(unsigned what);
    // Sends `code` to the parent as WM_COMMAND from this control.
    LRESULT notify_parent_command(UINT code);
    // Sends a WM_NOTIFY block (whose header this fills in) to the parent.
    LRESULT notify_parent(NMHDR* header, UINT code);

protected:
    BWIZC_WND_STATE m_state;

private:
    friend class CDialog;
    friend class CPaintDC;
    friend struct BWIZC_WINDOW_REGISTRY;
    void attach_child(CWnd* child);
    void detach_child(CWnd* child);
    void take_over(CWnd* from);
    void release_window();
    LRESULT reflect_to_child(HWND child, UINT message, WPARAM wParam, LPARAM lParam, bool* consumed);
    void default_edit_char(UINT ch);
    void default_paint(CDC& dc);

    CWnd* m_parent = nullptr;
    CWnd* m_owner = nullptr;
    std::vector<CWnd*> m_children;
    bool m_platform_owned = false;
    int m_invalidate_count = 0;
    std::map<UINT, BWIZC_MESSAGE_HANDLER> m_handlers;
    std::map<std::pair<UINT, UINT>, std::function<void()>> m_command_handlers;
    std::unique_ptr<BWIZC_RECORDING_SINK> m_last_paint;
};

// Free forms of the messaging calls, for code that holds handles.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
int GetSystemMetrics(int index);
