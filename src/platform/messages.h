// Messages between windows and threads: registered window messages, the
// posted-message queue (any thread may post; the GUI thread dispatches),
// pending worker replies, timers and the message pump.
#pragma once

#include <cstddef>

#include "platform/cstring.h"
#include "platform/win_defs.h"
#include "platform/window.h"

// The same name gives the same id for the life of the process; ids count up
// from 0xC000 in the order names are first registered. Thread-safe.
UINT RegisterWindowMessage(const char* name);
// The name registered for id, or "".
CString bwizc_registered_message_name(UINT id);

// Queues a message for hwnd; callable from any thread. A message for a window
// that is gone when it comes up is dropped. False for a null hwnd.
BOOL bwizc_post_message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues WM_QUIT: the pump and the modal loops stop at it.
void PostQuitMessage(int exit_code);
// GUI thread: dispatches the oldest queued message. False when the queue was
// empty. A WM_QUIT sets *quit (when given) and is not dispatched.
bool bwizc_dispatch_posted_message(bool* quit = nullptr);
std::size_t bwizc_posted_message_count();
// Blocks until something is posted, a pending reply ends or timeout_ms passes.
// True when the queue is not empty.
bool bwizc_wait_for_posted_message(int timeout_ms);
// Throws away every queued message (tests).
void bwizc_clear_posted_messages();

// A worker that owes the GUI thread a posted reply says so, so a modal loop
// with nothing else to do waits for the reply instead of calling it a
// deadlock. Post the reply first, then end the pending reply.
void bwizc_pending_reply_begin();
void bwizc_pending_reply_end();
int bwizc_pending_reply_count();
class BWIZC_PENDING_REPLY {
public:
    BWIZC_PENDING_REPLY() { bwizc_pending_reply_begin(); }
    ~BWIZC_PENDING_REPLY() { bwizc_pending_reply_end(); }
    BWIZC_PENDING_REPLY(const BWIZC_PENDING_REPLY&) = delete;
    BWIZC_PENDING_REPLY& operator=(const BWIZC_PENDING_REPLY&) = delete;
};

// Timers (CWnd::SetTimer): milliseconds until the next one is due (-1: none),
// and firing every due timer (WM_TIMER); the number fired.
int bwizc_timers_next_due_ms();
int bwizc_timers_fire_due();
bool bwizc_has_timers();

// Dispatches everything queued and every due timer, and lets the backend
// process its own events. False when a WM_QUIT came up (it is consumed).
bool bwizc_pump_messages();
