// Playing the user on the headless backend. A modal loop that has nothing
// queued calls the input driver; the driver acts through platform/user_input.h,
// the same path the Qt backend takes for a real user's input.
#pragma once

#include <deque>
#include <functional>

#include "platform/cstring.h"

class CDialog;

// Called with the innermost running dialog. Returns true when it did
// something (or wants to be asked again), false when it has nothing more to
// do; the loop then behaves as if no driver were installed.
using BWIZC_INPUT_DRIVER = std::function<bool(CDialog* dialog)>;
// Installs a driver (empty: none) and returns the previous one.
BWIZC_INPUT_DRIVER bwizc_set_input_driver(BWIZC_INPUT_DRIVER driver);
bool bwizc_has_input_driver();

// A modal loop with nothing queued, no due timer, no driver (or a driver
// that has nothing to do) and no pending worker reply is dead: it calls the
// deadlock handler with the dialog and a message naming it. The default
// handler writes the message to standard error and exits with status 1. A
// handler that returns leaves the loop with the dialog ended with -1.
using BWIZC_DEADLOCK_HANDLER = std::function<void(CDialog* dialog, const CString& message)>;
BWIZC_DEADLOCK_HANDLER bwizc_set_deadlock_handler(BWIZC_DEADLOCK_HANDLER handler);

// How long a headless loop waits for a pending worker reply before it calls
// it a deadlock anyway (milliseconds, default 30000).
void bwizc_set_pending_reply_timeout(int ms);

// A scripted user: steps run one per idle call, in order. A step may return
// false to say "not yet" (for example while the wanted page is not up); it is
// then asked again at the next idle call, up to `max_retries` times.
class BWIZC_INPUT_SCRIPT {
public:
    using STEP = std::function<bool(CDialog* dialog)>;
    BWIZC_INPUT_SCRIPT& then(STEP step);
    // Installs this script as the input driver (the script must outlive its use).
    void install();
    bool is_done() const { return m_steps.empty(); }
    int get_steps_run() const { return m_run; }
    void set_max_retries(int n) { m_max_retries = n; }
    // The driver function itself.
    bool operator()(CDialog* dialog);

private:
    std::deque<STEP> m_steps;
    int m_run = 0;
    int m_retries = 0;
    int m_max_retries = 1000;
};
