// Worker threads and events.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// An event as the worker threads use it: manual or automatic reset.
class CEvent {
public:
    explicit CEvent(bool initially_set = false, bool manual_reset = false)
        : m_set(initially_set), m_manual(manual_reset) {}
    void SetEvent();
    void ResetEvent();
    // Waits up to timeout_ms (negative: forever); true when the event was set.
    // An automatic-reset event is reset by the wait that sees it.
    bool Lock(int timeout_ms = -1);

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_set;
    bool m_manual;
};

// A worker thread; the destructor joins it unless it was detached.
class BWIZC_THREAD {
public:
    BWIZC_THREAD() = default;
    ~BWIZC_THREAD();
    BWIZC_THREAD(const BWIZC_THREAD&) = delete;
    BWIZC_THREAD& operator=(const BWIZC_THREAD&) = delete;
    // False when a thread is already running.
    bool start(std::function<void()> fn);
    bool is_running() const { return m_thread.joinable(); }
    void join();
    void detach();

private:
    std::thread m_thread;
};

// Starting worker threads: the thread is started and the caller waits up to
// wait_ms for it to be running, so that a request handed over right after
// finds a live worker. False when the thread could not be started (one is
// already running) or did not come up in time.
class BWIZC_THREAD_MANAGER {
public:
    static bool launch_thread(BWIZC_THREAD& thread, std::function<void()> fn, int wait_ms);
};

// The kernel's id of the calling thread.
unsigned long bwizc_current_thread_id();
