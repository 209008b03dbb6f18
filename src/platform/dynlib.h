// Loading shared libraries at run time.
#pragma once

#include "platform/cstring.h"

using THR_DRL_HANDLE = void*;

// Null when the library cannot be loaded (see thr_drl_last_error).
THR_DRL_HANDLE thr_drl_load(const char* path);
// Null when the handle is null or the symbol is missing.
void* thr_drl_find_function(THR_DRL_HANDLE handle, const char* name);
// False for a null handle or when unloading failed.
bool thr_drl_unload(THR_DRL_HANDLE handle);
// The loader's message for the last failure on this thread, or "".
CString thr_drl_last_error();
