#include "platform/thread.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <memory>

void CEvent::SetEvent() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_set = true;
    }
    if (m_manual)
        m_cv.notify_all();
    else
        m_cv.notify_one();
}

void CEvent::ResetEvent() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_set = false;
}

bool CEvent::Lock(int timeout_ms) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (timeout_ms < 0)
        m_cv.wait(lock, [this] { return m_set; });
    else if (!m_cv.wait_for(lock, std::chrono::milliseconds(timeout_ms), [this] { return m_set; }))
        return false;
    if (!m_manual) m_set = false;
    return true;
}

BWIZC_THREAD::~BWIZC_THREAD() { join(); }

bool BWIZC_THREAD::start(std::function<void()> fn) {
    if (m_thread.joinable()) return false;
    m_thread = std::thread(std::move(fn));
    return true;
}

void BWIZC_THREAD::join() {
    if (m_thread.joinable()) m_thread.join();
}

void BWIZC_THREAD::detach() {
    if (m_thread.joinable()) m_thread.detach();
}

bool BWIZC_THREAD_MANAGER::launch_thread(BWIZC_THREAD& thread, std::function<void()> fn, int wait_ms) {
    auto running = std::make_shared<CEvent>(false, true);
    const bool started = thread.start([running, fn = std::move(fn)] {
        running->SetEvent();
        fn();
    });
    return started && running->Lock(wait_ms);
}

unsigned long bwizc_current_thread_id() { return static_cast<unsigned long>(::syscall(SYS_gettid)); }
