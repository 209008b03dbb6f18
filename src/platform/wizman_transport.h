// The thread message to the calling program. It travels as one datagram to
// the Unix socket named "bwizc-wizman-<thread id>" in the abstract namespace;
// the payload is the text "<message> <wParam> <lParam>", e.g. "1034 812 604".
// Sending never blocks; nobody listening is not an error anybody sees.
#pragma once

#include "platform/cstring.h"
#include "platform/win_defs.h"

// True when the datagram was handed to a listening socket; callers are free to
// ignore the result.
BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wParam, LPARAM lParam);
// "bwizc-wizman-<thread id>" (without the leading NUL of the abstract name).
CString bwizc_wizman_socket_name(DWORD thread_id);
CString bwizc_wizman_payload(UINT message, WPARAM wParam, LPARAM lParam);
