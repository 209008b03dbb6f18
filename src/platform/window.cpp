#include "platform/window.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "platform/backend.h"
#include "platform/controls.h"
#include "platform/text_metrics.h"
#include "platform/messages.h"
#include "platform/platform_internal.h"
#include "platform/user_input.h"

// ---- handles ----

namespace {

struct REGISTRY {
    std::unordered_map<HWND, CWnd*> windows;
    std::uintptr_t next = 0x100;
    HWND focus = nullptr;
    std::vector<std::pair<const CWnd*, CDC*>> painting;
};

REGISTRY& registry() {
    static REGISTRY r;
    return r;
}

}  // namespace

HWND bwizc_register_window(CWnd* wnd) {
    REGISTRY& r = registry();
    HWND h = reinterpret_cast<HWND>(r.next);
    r.next += 4;
    r.windows[h] = wnd;
    return h;
}

void bwizc_rebind_window(HWND hwnd, CWnd* wnd) { registry().windows[hwnd] = wnd; }
void bwizc_unregister_window(HWND hwnd) { registry().windows.erase(hwnd); }
HWND bwizc_get_focus_handle() { return registry().focus; }
void bwizc_set_focus_handle(HWND hwnd) { registry().focus = hwnd; }

CDC* bwizc_get_paint_dc(CWnd* wnd) {
    for (auto it = registry().painting.rbegin(); it != registry().painting.rend(); ++it)
        if (it->first == wnd) return it->second;
    return bwizc_get_backend()->get_paint_dc(wnd);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto& w = registry().windows;
    auto it = w.find(hwnd);
    return it == w.end() ? nullptr : it->second;
}

// ---- life ----

CWnd::CWnd() = default;

CWnd::~CWnd() {
    // The object goes away with its window; it must not delete itself again.
    m_platform_owned = false;
    if (m_hWnd) DestroyWindow();
}

BOOL CWnd::CreateEx(BWIZC_WND_KIND kind, DWORD ex_style, const CString& text, DWORD style, const CRect& rect,
                    CWnd* parent, UINT id) {
    if (m_hWnd) return FALSE;
    m_state = BWIZC_WND_STATE();
    m_state.kind = kind;
    m_state.id = id;
    m_state.text = text;
    m_state.style = style;
    m_state.ex_style = ex_style;
    m_state.enabled = (style & WS_DISABLED) == 0;
    m_state.visible = (style & WS_VISIBLE) != 0;
    m_state.rect = rect;
    m_state.rect.NormalizeRect();
    m_hWnd = bwizc_register_window(this);
    m_parent = parent;
    if (parent) parent->attach_child(this);
    bwizc_get_backend()->window_created(this);
    return TRUE;
}

BOOL CWnd::Create(const char*, const CString& text, DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(BWIZC_KIND_CUSTOM, 0, text, style, rect, parent, id);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    HWND self = m_hWnd;
    SendMessage(WM_DESTROY);
    if (!IsWindow(self)) return TRUE;
    std::vector<CWnd*> children = m_children;
    for (CWnd* c : children) {
        if (c->m_hWnd) c->DestroyWindow();
    }
    if (registry().focus == self) registry().focus = nullptr;
    bwizc_timers_kill_all(self);
    bwizc_get_backend()->window_destroyed(this);
    bwizc_unregister_window(self);
    if (m_parent) m_parent->detach_child(this);
    m_parent = nullptr;
    m_children.clear();
    m_hWnd = nullptr;
    m_state = BWIZC_WND_STATE();
    if (m_platform_owned) delete this;
    return TRUE;
}

void CWnd::attach_child(CWnd* child) { m_children.push_back(child); }

void CWnd::detach_child(CWnd* child) {
    auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it != m_children.end()) m_children.erase(it);
}

void CWnd::take_over(CWnd* from) {
    m_state = from->m_state;
    m_hWnd = from->m_hWnd;
    m_parent = from->m_parent;
    m_owner = from->m_owner;
    m_children = std::move(from->m_children);
    for (CWnd* c : m_children) c->m_parent = this;
    if (m_parent) std::replace(m_parent->m_children.begin(), m_parent->m_children.end(), from, this);
    bwizc_rebind_window(m_hWnd, this);
    from->m_hWnd = nullptr;
    from->m_parent = nullptr;
    from->m_children.clear();
    from->m_platform_owned = false;
    delete from;
    bwizc_get_backend()->window_rebound(this);
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    CWnd* item = FromHandle(hwnd);
    if (!item || m_hWnd) return item == this;
    if (!item->m_platform_owned) return FALSE;
    take_over(item);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent) return FALSE;
    CWnd* item = parent->GetDlgItem(static_cast<int>(id));
    if (!item) return FALSE;
    return SubclassWindow(item->m_hWnd);
}

// ---- family ----

int CWnd::SetDlgCtrlID(int id) {
    int old = static_cast<int>(m_state.id);
    m_state.id = static_cast<UINT>(id);
    return old;
}

CWnd* CWnd::GetTopLevelParent() const {
    const CWnd* w = this;
    while (w->m_parent) w = w->m_parent;
    return const_cast<CWnd*>(w);
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* c : m_children)
        if (static_cast<int>(c->m_state.id) == id) return c;
    return nullptr;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* ctrl, BOOL previous) const {
    std::vector<CWnd*> stops;
    for (CWnd* c : m_children)
        if ((c->m_state.style & WS_TABSTOP) && c->m_state.enabled && c->m_state.visible) stops.push_back(c);
    if (stops.empty()) return nullptr;
    auto it = std::find(stops.begin(), stops.end(), ctrl);
    if (it == stops.end()) return previous ? stops.back() : stops.front();
    size_t i = static_cast<size_t>(it - stops.begin());
    size_t n = stops.size();
    return stops[previous ? (i + n - 1) % n : (i + 1) % n];
}

// ---- style ----

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    DWORD old = m_state.style;
    m_state.style = (old & ~remove) | add;
    if (old == m_state.style) return FALSE;
    unsigned what = BWIZC_CHANGED_STYLE;
    if ((old ^ m_state.style) & WS_VISIBLE) {
        m_state.visible = (m_state.style & WS_VISIBLE) != 0;
        what |= BWIZC_CHANGED_VISIBLE;
    }
    if ((old ^ m_state.style) & WS_DISABLED) {
        m_state.enabled = (m_state.style & WS_DISABLED) == 0;
        what |= BWIZC_CHANGED_ENABLED;
    }
    notify_changed(what);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
    DWORD old = m_state.ex_style;
    m_state.ex_style = (old & ~remove) | add;
    if (old != m_state.ex_style) notify_changed(BWIZC_CHANGED_STYLE);
    return old != m_state.ex_style;
}

std::intptr_t CWnd::GetWindowLongPtr(int index) const {
    switch (index) {
    case GWL_STYLE:
        return static_cast<std::intptr_t>(m_state.style);
    case GWL_EXSTYLE:
        return static_cast<std::intptr_t>(m_state.ex_style);
    case GWLP_USERDATA:
        return m_state.user_data;
    case GWLP_ID:
        return static_cast<std::intptr_t>(m_state.id);
    default:
        return 0;
    }
}

std::intptr_t CWnd::SetWindowLongPtr(int index, std::intptr_t value) {
    std::intptr_t old = GetWindowLongPtr(index);
    switch (index) {
    case GWL_STYLE:
        ModifyStyle(0xFFFFFFFF, static_cast<DWORD>(value));
        break;
    case GWL_EXSTYLE:
        ModifyStyleEx(0xFFFFFFFF, static_cast<DWORD>(value));
        break;
    case GWLP_USERDATA:
        m_state.user_data = value;
        break;
    case GWLP_ID:
        m_state.id = static_cast<UINT>(value);
        break;
    default:
        break;
    }
    return old;
}

// ---- text ----

void CWnd::SetWindowText(const CString& text) {
    if (m_state.text == text) return;
    m_state.text = text;
    unsigned what = BWIZC_CHANGED_TEXT;
    if (m_state.kind == BWIZC_KIND_EDIT || m_state.kind == BWIZC_KIND_COMBOBOX) {
        m_state.sel_start = m_state.sel_end = 0;
        what |= BWIZC_CHANGED_SELECTION;
    }
    notify_changed(what);
}

void CWnd::SetDlgItemText(int id, const CString& text) {
    if (CWnd* c = GetDlgItem(id)) c->SetWindowText(text);
}

CString CWnd::GetDlgItemText(int id) const {
    CWnd* c = GetDlgItem(id);
    return c ? c->m_state.text : CString();
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text = GetDlgItemText(id);
    return text.GetLength();
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL is_signed) const {
    CWnd* c = GetDlgItem(id);
    if (translated) *translated = FALSE;
    if (!c) return 0;
    CString t = c->m_state.text;
    t.Trim();
    const char* s = t.c_str();
    char* end = nullptr;
    long long v = std::strtoll(s, &end, 10);
    if (t.IsEmpty() || *end != '\0' || (!is_signed && v < 0)) return 0;
    if (translated) *translated = TRUE;
    return static_cast<UINT>(v);
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL is_signed) {
    CString t;
    if (is_signed)
        t.Format("%d", static_cast<int>(value));
    else
        t.Format("%u", value);
    SetDlgItemText(id, t);
}

// ---- state ----

BOOL CWnd::EnableWindow(BOOL enable) {
    bool was_disabled = !m_state.enabled;
    bool want = enable != FALSE;
    if (m_state.enabled != want) {
        m_state.enabled = want;
        if (want)
            m_state.style &= ~WS_DISABLED;
        else
            m_state.style |= WS_DISABLED;
        notify_changed(BWIZC_CHANGED_ENABLED);
        SendMessage(WM_ENABLE, want ? 1 : 0, 0);
    }
    return was_disabled ? TRUE : FALSE;
}

BOOL CWnd::ShowWindow(int cmd) {
    bool was = m_state.visible;
    bool want = cmd != SW_HIDE;
    if (was != want) {
        m_state.visible = want;
        if (want)
            m_state.style |= WS_VISIBLE;
        else
            m_state.style &= ~WS_VISIBLE;
        notify_changed(BWIZC_CHANGED_VISIBLE);
    }
    return was ? TRUE : FALSE;
}

BOOL CWnd::IsWindowVisible() const {
    if (!m_hWnd) return FALSE;
    for (const CWnd* w = this; w; w = w->m_parent)
        if (!w->m_state.visible) return FALSE;
    return TRUE;
}

BOOL CWnd::CheckDlgButton(int id, UINT check) {
    CWnd* c = GetDlgItem(id);
    if (!c) return FALSE;
    if (c->m_state.check != static_cast<int>(check)) {
        c->m_state.check = static_cast<int>(check);
        c->notify_changed(BWIZC_CHANGED_CHECK);
    }
    return TRUE;
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    CWnd* c = GetDlgItem(id);
    return c ? static_cast<UINT>(c->m_state.check) : 0;
}

BOOL CWnd::CheckRadioButton(int first_id, int last_id, int check_id) {
    for (CWnd* c : m_children) {
        int id = static_cast<int>(c->m_state.id);
        if (id >= first_id && id <= last_id) CheckDlgButton(id, id == check_id ? BST_CHECKED : BST_UNCHECKED);
    }
    return TRUE;
}

// ---- geometry ----

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    MoveWindow(CRect(x, y, x + width, y + height), repaint);
}

void CWnd::MoveWindow(const CRect& rect, BOOL repaint) {
    CRect r = rect;
    r.NormalizeRect();
    if (r == m_state.rect) return;
    bool resized = r.Size() != m_state.rect.Size();
    m_state.rect = r;
    notify_changed(BWIZC_CHANGED_GEOMETRY);
    if (resized) SendMessage(WM_SIZE, 0, MAKELPARAM(static_cast<unsigned>(r.Width()), static_cast<unsigned>(r.Height())));
    if (repaint) Invalidate();
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags) {
    if (!m_hWnd) return FALSE;
    CRect r = m_state.rect;
    if (!(flags & SWP_NOMOVE)) r = CRect(CPoint(x, y), r.Size());
    if (!(flags & SWP_NOSIZE)) r = CRect(r.TopLeft(), CSize(cx, cy));
    MoveWindow(r, (flags & SWP_NOREDRAW) == 0);
    if (flags & SWP_SHOWWINDOW) ShowWindow(SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::GetWindowRect(CRect* rect) const {
    if (!rect) return;
    *rect = m_state.rect;
    for (const CWnd* p = m_parent; p; p = p->m_parent) rect->OffsetRect(p->m_state.rect.TopLeft());
}

void CWnd::GetClientRect(CRect* rect) const {
    if (rect) *rect = CRect(0, 0, m_state.rect.Width(), m_state.rect.Height());
}

void CWnd::ScreenToClient(CPoint* pt) const {
    if (!pt) return;
    CRect w;
    GetWindowRect(&w);
    *pt = *pt - w.TopLeft();
}

void CWnd::ScreenToClient(CRect* rect) const {
    if (!rect) return;
    CRect w;
    GetWindowRect(&w);
    rect->OffsetRect(-w.left, -w.top);
}

void CWnd::ClientToScreen(CPoint* pt) const {
    if (!pt) return;
    CRect w;
    GetWindowRect(&w);
    *pt = *pt + w.TopLeft();
}

void CWnd::ClientToScreen(CRect* rect) const {
    if (!rect) return;
    CRect w;
    GetWindowRect(&w);
    rect->OffsetRect(w.left, w.top);
}

void CWnd::CenterWindow(CWnd* alternate_owner) {
    CWnd* owner = alternate_owner ? alternate_owner : GetOwner();
    CRect area;
    if (owner && owner->m_hWnd && !m_parent) {
        owner->GetWindowRect(&area);
    } else if (m_parent) {
        m_parent->GetClientRect(&area);
    } else {
        CSize s = bwizc_get_backend()->get_screen_size();
        area = CRect(0, 0, s.cx, s.cy);
    }
    CSize me = m_state.rect.Size();
    MoveWindow(CRect(CPoint(area.left + (area.Width() - me.cx) / 2, area.top + (area.Height() - me.cy) / 2), me));
}

// ---- font ----

void CWnd::SetFont(CFont* font, BOOL redraw) {
    m_state.font = font;
    m_state.has_font = font && font->is_created();
    if (m_state.has_font) m_state.font_lf = font->get_logfont();
    notify_changed(BWIZC_CHANGED_FONT);
    if (redraw) Invalidate();
}

void CWnd::set_text_color(COLORREF color) {
    if (m_state.text_color == color) return;
    m_state.text_color = color;
    notify_changed(BWIZC_CHANGED_TEXT_COLOR);
    Invalidate();
}

LOGFONT CWnd::get_effective_font() const {
    return m_state.has_font ? m_state.font_lf : CFont::default_gui_font()->get_logfont();
}

// ---- focus ----

CWnd* CWnd::GetFocus() { return FromHandle(registry().focus); }

CWnd* CWnd::SetFocus() {
    CWnd* old = GetFocus();
    if (!m_hWnd || old == this) return old;
    HWND self = m_hWnd;
    HWND old_h = old ? old->m_hWnd : nullptr;
    if (old) old->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(self), 0);
    if (!IsWindow(self)) return FromHandle(old_h);
    registry().focus = self;
    if (CWnd* o = FromHandle(old_h)) o->notify_changed(BWIZC_CHANGED_FOCUS);
    notify_changed(BWIZC_CHANGED_FOCUS);
    SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old_h), 0);
    return FromHandle(old_h);
}

void CWnd::GotoDlgCtrl(CWnd* ctrl) {
    if (ctrl) ctrl->SetFocus();
}

// ---- painting ----

void CWnd::Invalidate(BOOL) {
    if (!m_hWnd) return;
    ++m_invalidate_count;
    bwizc_get_backend()->window_invalidated(this);
}

void CWnd::InvalidateRect(const CRect*, BOOL erase) { Invalidate(erase); }

void CWnd::UpdateWindow() {
    if (m_hWnd) bwizc_get_backend()->window_update_now(this);
}

BOOL CWnd::RedrawWindow(const CRect*, void*, UINT flags) {
    if (!m_hWnd) return FALSE;
    if (flags & RDW_INVALIDATE) Invalidate();
    if (flags & RDW_UPDATENOW) UpdateWindow();
    return TRUE;
}

void CWnd::paint_into(CDC& dc) {
    if (!m_hWnd) return;
    registry().painting.emplace_back(this, &dc);
    HWND self = m_hWnd;
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
    if (IsWindow(self)) SendMessage(WM_PAINT);
    auto& p = registry().painting;
    for (auto it = p.rbegin(); it != p.rend(); ++it) {
        if (it->first == this && it->second == &dc) {
            p.erase(std::next(it).base());
            break;
        }
    }
}

void CWnd::paint_tree_into(CDC& dc) {
    if (!m_hWnd || !m_state.visible) return;
    paint_into(dc);
    std::vector<CWnd*> children = m_children;
    for (CWnd* c : children) {
        if (!FromHandle(c->m_hWnd) || !c->m_state.visible) continue;
        CPoint old = dc.OffsetViewportOrg(c->m_state.rect.left, c->m_state.rect.top);
        c->paint_tree_into(dc);
        dc.SetViewportOrg(old);
    }
}

const std::vector<BWIZC_DRAW_OP>& CWnd::get_last_paint() const {
    static const std::vector<BWIZC_DRAW_OP> none;
    return m_last_paint ? m_last_paint->ops() : none;
}

// ---- timers ----

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse_ms, void*) {
    if (!m_hWnd) return 0;
    bwizc_timer_set(m_hWnd, id, elapse_ms);
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id) { return m_hWnd && bwizc_timer_kill(m_hWnd, id); }

// ---- messages ----

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) return 0;
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return bwizc_post_message(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep) {
    std::vector<HWND> kids;
    for (CWnd* c : m_children) kids.push_back(c->m_hWnd);
    for (HWND h : kids) {
        CWnd* c = FromHandle(h);
        if (!c) continue;
        c->SendMessage(message, wParam, lParam);
        if (deep && FromHandle(h)) c->SendMessageToDescendants(message, wParam, lParam, deep);
    }
}

void CWnd::set_message_handler(UINT message, BWIZC_MESSAGE_HANDLER handler) { m_handlers[message] = std::move(handler); }

void CWnd::remove_message_handler(UINT message) { m_handlers.erase(message); }

void CWnd::set_command_handler(UINT id, UINT code, std::function<void()> handler) {
    m_command_handlers[{id, code}] = std::move(handler);
}

namespace {
CPoint point_of(LPARAM lp) {
    return CPoint(static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp))),
                  static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lp))));
}
}  // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    auto h = m_handlers.find(message);
    if (h != m_handlers.end()) {
        // Copy: the handler may replace itself.
        BWIZC_MESSAGE_HANDLER fn = h->second;
        return fn(wParam, lParam);
    }
    switch (message) {
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        OnNotify(wParam, lParam, &result);
        return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        HWND bar = reinterpret_cast<HWND>(lParam);
        if (bar) {
            bool consumed = false;
            LRESULT r = reflect_to_child(bar, message, wParam, lParam, &consumed);
            if (consumed) return r;
        }
        if (message == WM_HSCROLL)
            OnHScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(bar));
        else
            OnVScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(bar));
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(
            OnCtlColor(reinterpret_cast<CDC*>(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), message));
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam));
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return 0;
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
               HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                  HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), point_of(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), point_of(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), point_of(lParam));
        return 0;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
               HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

LRESULT CWnd::reflect_to_child(HWND child, UINT message, WPARAM wParam, LPARAM lParam, bool* consumed) {
    *consumed = false;
    CWnd* c = FromHandle(child);
    if (!c || c == this) return 0;
    LRESULT r = 0;
    *consumed = c->OnChildNotify(message, wParam, lParam, &r) != FALSE;
    return r;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND ctrl = reinterpret_cast<HWND>(lParam);
    if (ctrl) {
        bool consumed = false;
        reflect_to_child(ctrl, WM_COMMAND, wParam, lParam, &consumed);
        if (consumed) return TRUE;
    }
    auto it = m_command_handlers.find({LOWORD(wParam), HIWORD(wParam)});
    if (it != m_command_handlers.end()) {
        std::function<void()> fn = it->second;
        fn();
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr) return FALSE;
    bool consumed = false;
    LRESULT r = reflect_to_child(hdr->hwndFrom, WM_NOTIFY, hdr->idFrom, lParam, &consumed);
    if (consumed) {
        if (result) *result = r;
        return TRUE;
    }
    auto it = m_command_handlers.find({static_cast<UINT>(hdr->idFrom), hdr->code});
    if (it != m_command_handlers.end()) {
        std::function<void()> fn = it->second;
        fn();
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

HBRUSH CWnd::OnCtlColor(CDC* dc, CWnd* child, UINT ctl_color) {
    if (child && child != this && child->m_parent == this) return child->CtlColor(dc, ctl_color);
    return nullptr;
}

void CWnd::OnClose() { DestroyWindow(); }

void CWnd::OnSetFocus(CWnd* old) {
    DefWindowProc(WM_SETFOCUS, reinterpret_cast<WPARAM>(old ? old->m_hWnd : nullptr), 0);
}

void CWnd::OnKillFocus(CWnd* next) {
    DefWindowProc(WM_KILLFOCUS, reinterpret_cast<WPARAM>(next ? next->m_hWnd : nullptr), 0);
}

void CWnd::OnChar(UINT ch, UINT repeat, UINT flags) { DefWindowProc(WM_CHAR, ch, MAKELPARAM(repeat, flags)); }

void CWnd::OnKeyDown(UINT vk, UINT repeat, UINT flags) { DefWindowProc(WM_KEYDOWN, vk, MAKELPARAM(repeat, flags)); }

void CWnd::OnLButtonDown(UINT flags, CPoint pt) {
    DefWindowProc(WM_LBUTTONDOWN, flags, MAKELPARAM(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y)));
}

void CWnd::OnLButtonUp(UINT flags, CPoint pt) {
    DefWindowProc(WM_LBUTTONUP, flags, MAKELPARAM(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y)));
}

BOOL CWnd::OnEraseBkgnd(CDC* dc) {
    if (!dc) return FALSE;
    if (m_state.kind == BWIZC_KIND_DIALOG) {
        CRect r;
        GetClientRect(&r);
        dc->FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    }
    return TRUE;
}

void CWnd::OnPaint() {
    CPaintDC dc(this);
    default_paint(dc);
}

LRESULT CWnd::notify_parent_command(UINT code) {
    if (!m_hWnd || !m_parent) return 0;
    return m_parent->SendMessage(WM_COMMAND, MAKEWPARAM(m_state.id, code), reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CWnd::notify_parent(NMHDR* header, UINT code) {
    if (!header || !m_hWnd || !m_parent) return 0;
    header->hwndFrom = m_hWnd;
    header->idFrom = m_state.id;
    header->code = code;
    return m_parent->SendMessage(WM_NOTIFY, m_state.id, reinterpret_cast<LPARAM>(header));
}

void CWnd::notify_changed(unsigned what) {
    if (m_hWnd) bwizc_get_backend()->window_changed(this, what);
}

// ---- the standard behaviour of the control kinds ----

namespace {

bool has_edit_field(const BWIZC_WND_STATE& s) {
    return s.kind == BWIZC_KIND_EDIT ||
           (s.kind == BWIZC_KIND_COMBOBOX && (s.style & CBS_TYPEMASK) != CBS_DROPDOWNLIST);
}

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void CWnd::default_edit_char(UINT ch) {
    BWIZC_WND_STATE& s = m_state;
    if (s.kind == BWIZC_KIND_EDIT && (s.style & ES_READONLY)) return;
    std::string text = s.text.str();
    int len = static_cast<int>(text.size());
    int a = std::clamp(std::min(s.sel_start, s.sel_end), 0, len);
    int b = std::clamp(std::max(s.sel_start, s.sel_end), 0, len);
    if (ch == VK_BACK) {
        if (a == b) {
            if (a == 0) return;
            a -= 1;
            while (a > 0 && is_continuation(text[static_cast<size_t>(a)])) --a;
        }
        text.erase(static_cast<size_t>(a), static_cast<size_t>(b - a));
    } else {
        if (ch < 0x20 || ch == 0x7F) return;
        if (s.kind == BWIZC_KIND_EDIT && (s.style & ES_NUMBER) && (ch < '0' || ch > '9')) return;
        if (s.kind == BWIZC_KIND_EDIT && (s.style & ES_UPPERCASE) && ch >= 'a' && ch <= 'z') ch -= 'a' - 'A';
        std::string ins;
        bwizc_utf8_append(ins, ch);
        if (s.limit_text > 0 && len - (b - a) + static_cast<int>(ins.size()) > s.limit_text) return;
        text.replace(static_cast<size_t>(a), static_cast<size_t>(b - a), ins);
        a += static_cast<int>(ins.size());
    }
    s.text = CString(text);
    s.sel_start = s.sel_end = a;
    if (s.kind == BWIZC_KIND_COMBOBOX) s.cur_sel = -1;
    notify_changed(BWIZC_CHANGED_TEXT | BWIZC_CHANGED_SELECTION);
    notify_parent_command(s.kind == BWIZC_KIND_EDIT ? EN_CHANGE : CBN_EDITCHANGE);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    BWIZC_WND_STATE& s = m_state;
    switch (message) {
    case WM_SETTEXT:
        SetWindowText(CString(reinterpret_cast<const char*>(lParam)));
        return TRUE;
    case WM_SETFONT:
        SetFont(reinterpret_cast<CFont*>(wParam), lParam != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case BM_GETCHECK:
        return s.check;
    case BM_SETCHECK:
        if (s.check != static_cast<int>(wParam)) {
            s.check = static_cast<int>(wParam);
            notify_changed(BWIZC_CHANGED_CHECK);
        }
        return 0;
    case BM_CLICK:
        bwizc_user_click(this);
        return 0;
    case WM_CHAR:
        if (has_edit_field(s)) default_edit_char(static_cast<UINT>(wParam));
        return 0;
    case WM_KEYDOWN:
        if (has_edit_field(s)) {
            int len = s.text.GetLength();
            if (wParam == VK_DELETE && !(s.kind == BWIZC_KIND_EDIT && (s.style & ES_READONLY))) {
                int a = std::min(s.sel_start, s.sel_end), b = std::max(s.sel_start, s.sel_end);
                if (a == b && b < len) {
                    ++b;
                    while (b < len && is_continuation(s.text.str()[static_cast<size_t>(b)])) ++b;
                }
                if (a != b) {
                    std::string t = s.text.str();
                    t.erase(static_cast<size_t>(a), static_cast<size_t>(b - a));
                    s.text = CString(t);
                    s.sel_start = s.sel_end = a;
                    if (s.kind == BWIZC_KIND_COMBOBOX) s.cur_sel = -1;
                    notify_changed(BWIZC_CHANGED_TEXT | BWIZC_CHANGED_SELECTION);
                    notify_parent_command(s.kind == BWIZC_KIND_EDIT ? EN_CHANGE : CBN_EDITCHANGE);
                }
            } else if (wParam == VK_LEFT || wParam == VK_RIGHT) {
                int p = std::clamp(s.sel_end + (wParam == VK_LEFT ? -1 : 1), 0, len);
                s.sel_start = s.sel_end = p;
                notify_changed(BWIZC_CHANGED_SELECTION);
            }
        }
        return 0;
    case WM_LBUTTONDOWN: {
        // The pointer on the controls the platform draws itself.
        CPoint pt(static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                  static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam))));
        if (auto* list = dynamic_cast<CListCtrl*>(this)) {
            int col = 0;
            int row = list->HitTest(pt, &col);
            if (row >= 0) {
                int left = 0;
                for (int c = 0; c < col; ++c) left += list->GetColumnWidth(c);
                bwizc_user_click_list_item(this, row, col, pt.x - left);
            } else {
                bwizc_user_set_focus(this);
            }
        } else if (s.kind == BWIZC_KIND_LISTBOX) {
            int h = bwizc_text_metrics(get_effective_font()).tmHeight;
            int row = h > 0 ? (pt.y - 2) / h : -1;
            if (row >= 0 && row < static_cast<int>(s.items.size()))
                bwizc_user_select(this, row);
            else
                bwizc_user_set_focus(this);
        } else if (s.kind == BWIZC_KIND_SPIN) {
            bwizc_user_spin(this, pt.y < s.rect.Height() / 2 ? 1 : -1);
        }
        return 0;
    }
    case WM_LBUTTONUP:
        // A button the platform draws itself (owner-drawn) is clicked by press and release on it.
        if (s.kind == BWIZC_KIND_BUTTON && (s.style & BS_TYPEMASK) != BS_GROUPBOX) {
            CPoint pt(static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                      static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam))));
            if (CRect(0, 0, s.rect.Width(), s.rect.Height()).PtInRect(pt)) bwizc_user_click(this);
        }
        return 0;
    case WM_SETFOCUS:
        if (s.kind == BWIZC_KIND_EDIT) notify_parent_command(EN_SETFOCUS);
        if (s.kind == BWIZC_KIND_COMBOBOX) notify_parent_command(CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (s.kind == BWIZC_KIND_EDIT) notify_parent_command(EN_KILLFOCUS);
        if (s.kind == BWIZC_KIND_COMBOBOX) {
            if (s.dropped) {
                s.dropped = false;
                notify_changed(BWIZC_CHANGED_SELECTION);
            }
            notify_parent_command(CBN_KILLFOCUS);
        }
        return 0;
    default:
        return 0;
    }
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* w = CWnd::FromHandle(hwnd);
    return w ? w->SendMessage(message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return bwizc_post_message(hwnd, message, wParam, lParam);
}

int GetSystemMetrics(int index) {
    CSize s = bwizc_get_backend()->get_screen_size();
    if (index == SM_CXSCREEN) return s.cx;
    if (index == SM_CYSCREEN) return s.cy;
    return 0;
}

std::vector<CWnd*> CWnd::get_group_siblings() const {
    if (!m_parent) return {};
    const auto& kids = m_parent->get_children();
    auto self = std::find(kids.begin(), kids.end(), this);
    if (self == kids.end()) return {};
    auto first = self;
    while (first != kids.begin() && !((*first)->GetStyle() & WS_GROUP)) --first;
    auto last = self + 1;
    while (last != kids.end() && !((*last)->GetStyle() & WS_GROUP)) ++last;
    return std::vector<CWnd*>(first, last);
}
