// The resource-estimate worker: one thread that asks the brixfunction's
// generator library what the current configuration occupies and which
// simulation libraries it needs, and tells the asking page by a registered
// message when a new estimate is ready. The texts it leaves for the pages
// are the last resource estimate and the last list of simulation libraries
// (names separated by ";").
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/cstring.h"
#include "platform/thread.h"
#include "platform/win_defs.h"

class CWnd;

// Written by the worker, read by the pages: always through the accessors
// below, which hold the texts' lock while a text is copied.
extern CString g_bwizc_resource_info_string;
extern CString g_bwizc_simlib_info_string;
CString bwizc_get_resource_info_string();
CString bwizc_get_simlib_info_string();
void bwizc_set_resource_info_string(const CString& text);
void bwizc_set_simlib_info_string(const CString& text);

// Separators of the request's parameter and port texts.
inline constexpr char CGX_DLL_RESOURCE_INFO_PARAM_LINE_DELIMITER = ';';
inline constexpr char CGX_DLL_RESOURCE_INFO_PORT_LINE_DELIMITER = ';';

class BWIZC_RESOURCE_INFO_MANAGER {
public:
    struct RESOURCE_INFO_THREAD_PARAM {
        CString dll_path;
        HWND window = nullptr;
        UINT message = 0;
        CString param_text;  // "NAME=value;" pairs
        CString port_text;   // "name;" items
        bool estimate_resources = false;
        bool get_simulation_libraries = false;
    };

    BWIZC_RESOURCE_INFO_MANAGER() = default;
    ~BWIZC_RESOURCE_INFO_MANAGER();
    BWIZC_RESOURCE_INFO_MANAGER(const BWIZC_RESOURCE_INFO_MANAGER&) = delete;
    BWIZC_RESOURCE_INFO_MANAGER& operator=(const BWIZC_RESOURCE_INFO_MANAGER&) = delete;

    // The generator library to load; a later request with another path makes
    // the worker load that one instead.
    void set_dll_path(const CString& path);
    CString get_dll_path();

    // Stores the request, starts the worker on the first one and wakes it.
    // The worker answers the latest request; one stored while it computes is
    // answered next, the ones in between are never computed.
    void update_resource_info_thread(const CString& param_text, const CString& port_text, bool estimate, bool simlib,
                                     CWnd* window, int priority);
    // Asks the worker to stop and waits for it; nothing happens without one.
    void terminate_thread();
    bool is_busy() const { return m_busy; }
    // False before the first request and after the worker ended.
    bool is_thread_running() const { return m_thread_running; }

    static const int LAUNCH_WAIT_MS = 300;

private:
    void resource_info_thread_func();
    RESOURCE_INFO_THREAD_PARAM copy_request();

    CString m_dll_path;
    CEvent m_wake_up{false, false};
    std::atomic<bool> m_busy{false};
    BWIZC_THREAD m_thread;
    std::atomic<bool> m_quit{false};
    std::unique_ptr<RESOURCE_INFO_THREAD_PARAM> m_param;
    std::atomic<bool> m_thread_running{false};
    std::mutex m_request_lock;  // m_dll_path and *m_param
};

extern BWIZC_RESOURCE_INFO_MANAGER g_bwizc_resource_info_manager;

// One request as a page builds it: the parameters as "NAME=value;" pairs
// (DEVICE_FAMILY last), the used ports as "name;" items, what to compute, the
// generator library's module name (the wizard name in lower case) and the
// page to notify.
struct BWIZC_RESOURCE_INFO_REQUEST {
    CString param_text;
    CString port_text;
    bool estimate_resources = false;
    bool get_simulation_libraries = false;
    CString module_name;
    CWnd* window = nullptr;
};

// Requests go to g_bwizc_resource_info_manager unless another taker is
// installed (tests); an empty one restores the manager. Returns the previous one.
using BWIZC_RESOURCE_INFO_REQUESTER = std::function<void(const BWIZC_RESOURCE_INFO_REQUEST&)>;
BWIZC_RESOURCE_INFO_REQUESTER bwizc_set_resource_info_requester(BWIZC_RESOURCE_INFO_REQUESTER requester);
void bwizc_request_resource_info(const BWIZC_RESOURCE_INFO_REQUEST& request);

// The application calls this when the process ends: it stops the manager's
// worker, or calls the stopper installed instead (once).
using BWIZC_RESOURCE_INFO_STOPPER = std::function<void()>;
BWIZC_RESOURCE_INFO_STOPPER bwizc_set_resource_info_stopper(BWIZC_RESOURCE_INFO_STOPPER stopper);
void bwizc_stop_resource_info_worker();
