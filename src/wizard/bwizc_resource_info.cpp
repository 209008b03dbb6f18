#include "wizard/bwizc_resource_info.h"

#include <utility>

#include "platform/dynlib.h"
#include "platform/messages.h"
#include "platform/registered_messages.h"
#include "platform/window.h"
#include "services/cgx/cgx_generator.h"

// The texts and their lock come before the manager, so that they outlive
// its worker at process exit.
CString g_bwizc_resource_info_string;
CString g_bwizc_simlib_info_string;

namespace {
std::mutex& texts_lock() {
    static std::mutex lock;
    return lock;
}
}  // namespace

CString bwizc_get_resource_info_string() {
    std::lock_guard<std::mutex> hold(texts_lock());
    return g_bwizc_resource_info_string;
}
CString bwizc_get_simlib_info_string() {
    std::lock_guard<std::mutex> hold(texts_lock());
    return g_bwizc_simlib_info_string;
}
void bwizc_set_resource_info_string(const CString& text) {
    std::lock_guard<std::mutex> hold(texts_lock());
    g_bwizc_resource_info_string = text;
}
void bwizc_set_simlib_info_string(const CString& text) {
    std::lock_guard<std::mutex> hold(texts_lock());
    g_bwizc_simlib_info_string = text;
}

BWIZC_RESOURCE_INFO_MANAGER g_bwizc_resource_info_manager;

// ------------------------------------------------------- generator library

namespace {

// A loaded generator library with its six entry points; a library that
// lacks one is not used at all.
class CGX_LIBRARY {
public:
    ~CGX_LIBRARY() { unload(); }

    bool load(const CString& path) {
        unload();
        m_handle = thr_drl_load(path);
        if (!m_handle) return false;
        m_create = find<CGX_CREATE_GENERATOR_FN>(CGX_CREATE_GENERATOR_NAME);
        m_assign = find<CGX_ASSIGN_PARAMETER_FN>(CGX_ASSIGN_PARAMETER_NAME);
        m_mark = find<CGX_MARK_PORT_AS_USED_FN>(CGX_MARK_PORT_AS_USED_NAME);
        m_resources = find<CGX_GET_RESOURCE_COUNT_FN>(CGX_GET_RESOURCE_COUNT_NAME);
        m_simlib = find<CGX_GET_SIMULATION_LIBRARY_FN>(CGX_GET_SIMULATION_LIBRARY_NAME);
        m_destroy = find<CGX_DESTROY_GENERATOR_FN>(CGX_DESTROY_GENERATOR_NAME);
        if (m_create && m_assign && m_mark && m_resources && m_simlib && m_destroy) return true;
        unload();
        return false;
    }

    void unload() {
        if (m_handle) thr_drl_unload(m_handle);
        m_handle = nullptr;
    }

    bool is_loaded() const { return m_handle != nullptr; }

    // A generator with the request's parameters and ports, asked one question.
    CString ask(const BWIZC_RESOURCE_INFO_MANAGER::RESOURCE_INFO_THREAD_PARAM& request, bool resources) {
        CGX_GENERATOR* generator = m_create();
        if (!generator) return CString();
        CString params = request.param_text;
        while (!params.IsEmpty()) {
            CString pair = next_item(params, CGX_DLL_RESOURCE_INFO_PARAM_LINE_DELIMITER);
            const int eq = pair.Find('=');
            if (eq > 0) m_assign(generator, pair.Left(eq), pair.Mid(eq + 1));
        }
        CString ports = request.port_text;
        while (!ports.IsEmpty()) {
            CString port = next_item(ports, CGX_DLL_RESOURCE_INFO_PORT_LINE_DELIMITER);
            if (!port.IsEmpty()) m_mark(generator, port);
        }
        const char* answer = resources ? m_resources(generator) : m_simlib(generator);
        CString text = answer ? answer : "";
        m_destroy(generator);
        return text;
    }

private:
    template <typename FN>
    FN find(const char* name) {
        return reinterpret_cast<FN>(thr_drl_find_function(m_handle, name));
    }
    static CString next_item(CString& rest, char delimiter) {
        const int at = rest.Find(delimiter);
        CString item = at < 0 ? rest : rest.Left(at);
        rest = at < 0 ? CString() : rest.Mid(at + 1);
        return item;
    }

    THR_DRL_HANDLE m_handle = nullptr;
    CGX_CREATE_GENERATOR_FN m_create = nullptr;
    CGX_ASSIGN_PARAMETER_FN m_assign = nullptr;
    CGX_MARK_PORT_AS_USED_FN m_mark = nullptr;
    CGX_GET_RESOURCE_COUNT_FN m_resources = nullptr;
    CGX_GET_SIMULATION_LIBRARY_FN m_simlib = nullptr;
    CGX_DESTROY_GENERATOR_FN m_destroy = nullptr;
};

}  // namespace

// ------------------------------------------------------------------ manager

BWIZC_RESOURCE_INFO_MANAGER::~BWIZC_RESOURCE_INFO_MANAGER() { terminate_thread(); }

void BWIZC_RESOURCE_INFO_MANAGER::set_dll_path(const CString& path) {
    std::lock_guard<std::mutex> hold(m_request_lock);
    m_dll_path = path;
}

CString BWIZC_RESOURCE_INFO_MANAGER::get_dll_path() {
    std::lock_guard<std::mutex> hold(m_request_lock);
    return m_dll_path;
}

void BWIZC_RESOURCE_INFO_MANAGER::update_resource_info_thread(const CString& param_text, const CString& port_text,
                                                              bool estimate, bool simlib, CWnd* window,
                                                              int /*priority: the worker runs at normal priority*/) {
    {
        std::lock_guard<std::mutex> hold(m_request_lock);
        if (!m_param) m_param = std::make_unique<RESOURCE_INFO_THREAD_PARAM>();
        m_param->dll_path = m_dll_path;
        m_param->window = window ? window->GetSafeHwnd() : nullptr;
        m_param->message = WM_BWIZC_RESOURCE_INFO_THREAD_TERMINATED;
        m_param->param_text = param_text;
        m_param->port_text = port_text;
        m_param->estimate_resources = estimate;
        m_param->get_simulation_libraries = simlib;
    }
    // Started once: a new worker takes the request as it starts. One that
    // ended because its library would not load stays ended until the manager
    // is terminated.
    if (!m_thread.is_running()) {
        m_thread_running = true;
        BWIZC_THREAD_MANAGER::launch_thread(m_thread, [this] { resource_info_thread_func(); }, LAUNCH_WAIT_MS);
        return;
    }
    m_wake_up.SetEvent();
}

void BWIZC_RESOURCE_INFO_MANAGER::terminate_thread() {
    if (!m_thread.is_running()) return;
    m_quit = true;
    m_wake_up.SetEvent();
    m_thread.join();
    // Ready for a worker of a later wizard run in the same process.
    m_quit = false;
    m_wake_up.ResetEvent();
}

BWIZC_RESOURCE_INFO_MANAGER::RESOURCE_INFO_THREAD_PARAM BWIZC_RESOURCE_INFO_MANAGER::copy_request() {
    std::lock_guard<std::mutex> hold(m_request_lock);
    return *m_param;
}

void BWIZC_RESOURCE_INFO_MANAGER::resource_info_thread_func() {
    RESOURCE_INFO_THREAD_PARAM request = copy_request();
    CGX_LIBRARY library;
    if (!library.load(request.dll_path)) {
        m_thread_running = false;
        return;
    }
    CString loaded_path = request.dll_path;
    for (bool first = true; !m_quit; first = false) {
        m_busy = true;
        // The wake-up that ends a wait may stand for many requests: the
        // latest one is answered.
        if (!first) request = copy_request();
        if (request.dll_path != loaded_path) {
            library.load(request.dll_path);
            loaded_path = request.dll_path;
        }
        if (library.is_loaded() && request.estimate_resources) {
            bwizc_set_resource_info_string(library.ask(request, true));
            if (!m_quit) bwizc_post_message(request.window, request.message, 0, 0);
        }
        if (library.is_loaded() && request.get_simulation_libraries) {
            bwizc_set_simlib_info_string(library.ask(request, false));
        }
        m_busy = false;
        m_wake_up.Lock();
    }
    library.unload();
    m_thread_running = false;
}

// ---------------------------------------------------------- request seam

namespace {
BWIZC_RESOURCE_INFO_REQUESTER& requester() {
    static BWIZC_RESOURCE_INFO_REQUESTER fn;
    return fn;
}
BWIZC_RESOURCE_INFO_STOPPER& stopper() {
    static BWIZC_RESOURCE_INFO_STOPPER fn;
    return fn;
}
}  // namespace

BWIZC_RESOURCE_INFO_REQUESTER bwizc_set_resource_info_requester(BWIZC_RESOURCE_INFO_REQUESTER fn) {
    return std::exchange(requester(), std::move(fn));
}

void bwizc_request_resource_info(const BWIZC_RESOURCE_INFO_REQUEST& request) {
    if (requester()) {
        requester()(request);
        return;
    }
    g_bwizc_resource_info_manager.update_resource_info_thread(request.param_text, request.port_text,
                                                              request.estimate_resources,
                                                              request.get_simulation_libraries, request.window, -1);
}

BWIZC_RESOURCE_INFO_STOPPER bwizc_set_resource_info_stopper(BWIZC_RESOURCE_INFO_STOPPER fn) {
    return std::exchange(stopper(), std::move(fn));
}

void bwizc_stop_resource_info_worker() {
    // An installed stopper is used once, in place of the manager's.
    BWIZC_RESOURCE_INFO_STOPPER fn = std::exchange(stopper(), nullptr);
    if (fn) {
        fn();
        return;
    }
    g_bwizc_resource_info_manager.terminate_thread();
}
