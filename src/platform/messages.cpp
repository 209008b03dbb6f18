#include "platform/messages.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/platform_internal.h"

// ---- registered messages ----

namespace {
struct REGISTERED {
    std::mutex mutex;
    std::map<std::string, UINT> by_name;
    std::map<UINT, std::string> by_id;
    UINT next = BWIZC_FIRST_REGISTERED_MESSAGE;
};
REGISTERED& registered() {
    static REGISTERED r;
    return r;
}
}  // namespace

UINT RegisterWindowMessage(const char* name) {
    if (!name || !*name) return 0;
    REGISTERED& r = registered();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.by_name.find(name);
    if (it != r.by_name.end()) return it->second;
    UINT id = r.next++;
    r.by_name.emplace(name, id);
    r.by_id.emplace(id, name);
    return id;
}

CString bwizc_registered_message_name(UINT id) {
    REGISTERED& r = registered();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.by_id.find(id);
    return it == r.by_id.end() ? CString() : CString(it->second);
}

// ---- the posted-message queue ----

namespace {
struct POSTED {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
struct QUEUE {
    std::mutex mutex;
    std::condition_variable cv;
    std::deque<POSTED> messages;
    std::atomic<int> pending_replies{0};
};
QUEUE& queue() {
    static QUEUE q;
    return q;
}

void enqueue(const POSTED& m) {
    QUEUE& q = queue();
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        q.messages.push_back(m);
    }
    q.cv.notify_all();
    bwizc_get_backend()->wake();
}
}  // namespace

BOOL bwizc_post_message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd) return FALSE;
    enqueue({hwnd, message, wParam, lParam});
    return TRUE;
}

void PostQuitMessage(int exit_code) { enqueue({nullptr, WM_QUIT, static_cast<WPARAM>(exit_code), 0}); }

bool bwizc_dispatch_posted_message(bool* quit) {
    QUEUE& q = queue();
    POSTED m;
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        if (q.messages.empty()) return false;
        m = q.messages.front();
        q.messages.pop_front();
    }
    if (!m.hwnd) {
        if (m.message == WM_QUIT && quit) *quit = true;
        return true;
    }
    if (CWnd* w = CWnd::FromHandle(m.hwnd)) w->SendMessage(m.message, m.wParam, m.lParam);
    return true;
}

std::size_t bwizc_posted_message_count() {
    QUEUE& q = queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    return q.messages.size();
}

bool bwizc_wait_for_posted_message(int timeout_ms) {
    QUEUE& q = queue();
    std::unique_lock<std::mutex> lock(q.mutex);
    if (q.messages.empty()) {
        int pending_before = q.pending_replies.load();
        q.cv.wait_for(lock, std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms),
                      [&] { return !q.messages.empty() || q.pending_replies.load() != pending_before; });
    }
    return !q.messages.empty();
}

void bwizc_clear_posted_messages() {
    QUEUE& q = queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    q.messages.clear();
}

void bwizc_pending_reply_begin() { ++queue().pending_replies; }

void bwizc_pending_reply_end() {
    QUEUE& q = queue();
    {
        // Under the lock, so a waiting loop cannot miss the change.
        std::lock_guard<std::mutex> lock(q.mutex);
        if (q.pending_replies.load() > 0) --q.pending_replies;
    }
    q.cv.notify_all();
    bwizc_get_backend()->wake();
}

int bwizc_pending_reply_count() { return queue().pending_replies.load(); }

// ---- timers ----

namespace {
using CLOCK = std::chrono::steady_clock;
struct TIMER {
    HWND hwnd;
    UINT_PTR id;
    UINT interval_ms;
    CLOCK::time_point due;
};
std::vector<TIMER>& timers() {
    static std::vector<TIMER> t;
    return t;
}
}  // namespace

void bwizc_timer_set(HWND hwnd, UINT_PTR id, UINT elapse_ms) {
    auto& t = timers();
    auto due = CLOCK::now() + std::chrono::milliseconds(elapse_ms);
    for (TIMER& x : t) {
        if (x.hwnd == hwnd && x.id == id) {
            x.interval_ms = elapse_ms;
            x.due = due;
            bwizc_get_backend()->timers_changed();
            return;
        }
    }
    t.push_back({hwnd, id, elapse_ms, due});
    bwizc_get_backend()->timers_changed();
}

bool bwizc_timer_kill(HWND hwnd, UINT_PTR id) {
    auto& t = timers();
    auto it = std::find_if(t.begin(), t.end(), [&](const TIMER& x) { return x.hwnd == hwnd && x.id == id; });
    if (it == t.end()) return false;
    t.erase(it);
    bwizc_get_backend()->timers_changed();
    return true;
}

void bwizc_timers_kill_all(HWND hwnd) {
    auto& t = timers();
    auto n = t.size();
    t.erase(std::remove_if(t.begin(), t.end(), [&](const TIMER& x) { return x.hwnd == hwnd; }), t.end());
    if (n != t.size()) bwizc_get_backend()->timers_changed();
}

bool bwizc_has_timers() { return !timers().empty(); }

int bwizc_timers_next_due_ms() {
    auto& t = timers();
    if (t.empty()) return -1;
    auto now = CLOCK::now();
    long long best = -1;
    for (const TIMER& x : t) {
        long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(x.due - now).count();
        if (ms < 0) ms = 0;
        if (best < 0 || ms < best) best = ms;
    }
    return static_cast<int>(best);
}

int bwizc_timers_fire_due() {
    auto now = CLOCK::now();
    std::vector<std::pair<HWND, UINT_PTR>> due;
    for (TIMER& x : timers()) {
        if (x.due <= now) {
            due.emplace_back(x.hwnd, x.id);
            x.due = now + std::chrono::milliseconds(x.interval_ms);
        }
    }
    for (auto& [hwnd, id] : due) {
        if (CWnd* w = CWnd::FromHandle(hwnd)) w->SendMessage(WM_TIMER, id, 0);
    }
    return static_cast<int>(due.size());
}

// ---- pump ----

bool bwizc_pump_messages() {
    bwizc_get_backend()->process_events();
    bool quit = false;
    while (bwizc_dispatch_posted_message(&quit)) {
        if (quit) return false;
    }
    bwizc_timers_fire_due();
    return true;
}
