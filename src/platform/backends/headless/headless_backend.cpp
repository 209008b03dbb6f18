// The headless backend: window state is all there is. Its modal loop
// dispatches posted messages and timers and, when nothing is left, lets the
// input driver play the user; with no driver and no worker reply to wait for
// the loop can never end, which is reported as a deadlock.
#include <atomic>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/backend.h"
#include "platform/dialog.h"
#include "platform/input_driver.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/text_metrics.h"

namespace {

BWIZC_INPUT_DRIVER& driver() {
    static BWIZC_INPUT_DRIVER d;
    return d;
}

BWIZC_DEADLOCK_HANDLER& deadlock_handler() {
    static BWIZC_DEADLOCK_HANDLER h;
    return h;
}

std::atomic<int> g_pending_reply_timeout_ms{30000};

void report_deadlock(CDialog* dialog, const char* reason) {
    CString message;
    message.Format("The dialog \"%s\" waits for input that cannot come: %s.", dialog->get_dialog_name().c_str(), reason);
    BWIZC_DEADLOCK_HANDLER h = deadlock_handler();
    if (h) {
        h(dialog, message);
        return;
    }
    std::fprintf(stderr, "kv2gxb: deadlock: %s\n", message.c_str());
    std::fflush(stderr);
    std::exit(1);
}

class BWIZC_HEADLESS_BACKEND : public BWIZC_BACKEND {
public:
    const char* get_name() const override { return "headless"; }

    void run_modal_loop(CDialog* dialog) override {
        using CLOCK = std::chrono::steady_clock;
        CLOCK::time_point waiting_since{};
        bool waiting = false;
        while (!dialog->is_modal_ended()) {
            bool quit = false;
            if (bwizc_dispatch_posted_message(&quit)) {
                waiting = false;
                if (quit) {
                    // Leave the quit for the loops outside this one.
                    PostQuitMessage(0);
                    dialog->EndDialog(IDCANCEL);
                }
                continue;
            }
            if (bwizc_timers_fire_due() > 0) continue;
            BWIZC_INPUT_DRIVER d = driver();
            if (d && d(dialog)) {
                waiting = false;
                continue;
            }
            int pending = bwizc_pending_reply_count();
            int next_timer = bwizc_timers_next_due_ms();
            if (pending > 0 || next_timer >= 0) {
                if (pending > 0) {
                    if (!waiting) {
                        waiting = true;
                        waiting_since = CLOCK::now();
                    } else if (CLOCK::now() - waiting_since > std::chrono::milliseconds(g_pending_reply_timeout_ms.load())) {
                        report_deadlock(dialog, "a worker reply is pending but did not arrive in time");
                        if (!dialog->is_modal_ended()) dialog->EndDialog(-1);
                        continue;
                    }
                }
                int wait = next_timer >= 0 ? std::min(next_timer, 100) : 100;
                bwizc_wait_for_posted_message(wait);
                continue;
            }
            report_deadlock(dialog, d ? "the input driver has nothing more to do, nothing is queued and no worker reply is pending"
                                      : "nothing is queued, no input driver is installed and no worker reply is pending");
            if (!dialog->is_modal_ended()) dialog->EndDialog(-1);
        }
    }
};

BWIZC_HEADLESS_BACKEND& headless() {
    static BWIZC_HEADLESS_BACKEND b;
    return b;
}

std::atomic<BWIZC_BACKEND*> g_backend{nullptr};

}  // namespace

BWIZC_BACKEND* bwizc_get_headless_backend() { return &headless(); }

BWIZC_BACKEND* bwizc_get_backend() {
    BWIZC_BACKEND* b = g_backend.load();
    return b ? b : &headless();
}

BWIZC_BACKEND* bwizc_set_backend(BWIZC_BACKEND* backend) {
    BWIZC_BACKEND* old = g_backend.exchange(backend);
    return old ? old : &headless();
}

BWIZC_INPUT_DRIVER bwizc_set_input_driver(BWIZC_INPUT_DRIVER d) { return std::exchange(driver(), std::move(d)); }

bool bwizc_has_input_driver() { return static_cast<bool>(driver()); }

BWIZC_DEADLOCK_HANDLER bwizc_set_deadlock_handler(BWIZC_DEADLOCK_HANDLER h) {
    return std::exchange(deadlock_handler(), std::move(h));
}

void bwizc_set_pending_reply_timeout(int ms) { g_pending_reply_timeout_ms = ms; }

BWIZC_INPUT_SCRIPT& BWIZC_INPUT_SCRIPT::then(STEP step) {
    m_steps.push_back(std::move(step));
    return *this;
}

void BWIZC_INPUT_SCRIPT::install() {
    bwizc_set_input_driver([this](CDialog* d) { return (*this)(d); });
}

bool BWIZC_INPUT_SCRIPT::operator()(CDialog* dialog) {
    if (m_steps.empty()) return false;
    STEP step = m_steps.front();
    if (step(dialog)) {
        m_steps.pop_front();
        ++m_run;
        m_retries = 0;
        return true;
    }
    if (++m_retries > m_max_retries) {
        // A step that never gets its chance ends the script.
        m_steps.clear();
        return false;
    }
    return true;
}

bool bwizc_platform_startup() {
    std::signal(SIGPIPE, SIG_IGN);
    std::setlocale(LC_NUMERIC, "C");
    CString error;
    if (!bwizc_text_metrics_initialize(&error)) {
        bwizc_message_box(error);
        return false;
    }
    return true;
}
