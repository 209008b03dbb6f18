#include "platform/dynlib.h"

#include <dlfcn.h>

namespace {
thread_local CString t_last_error;
void remember_error() {
    const char* e = dlerror();
    t_last_error = e ? e : "";
}
}  // namespace

THR_DRL_HANDLE thr_drl_load(const char* path) {
    if (!path || !*path) {
        t_last_error = "no library path";
        return nullptr;
    }
    void* h = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!h) remember_error();
    return h;
}

void* thr_drl_find_function(THR_DRL_HANDLE handle, const char* name) {
    if (!handle || !name) return nullptr;
    dlerror();
    void* f = dlsym(handle, name);
    if (!f) remember_error();
    return f;
}

bool thr_drl_unload(THR_DRL_HANDLE handle) {
    if (!handle) return false;
    if (dlclose(handle) != 0) {
        remember_error();
        return false;
    }
    return true;
}

CString thr_drl_last_error() { return t_last_error; }
