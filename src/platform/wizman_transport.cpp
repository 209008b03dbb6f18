#include "platform/wizman_transport.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

CString bwizc_wizman_socket_name(DWORD thread_id) {
    CString name;
    name.Format("bwizc-wizman-%u", thread_id);
    return name;
}

CString bwizc_wizman_payload(UINT message, WPARAM wParam, LPARAM lParam) {
    CString payload;
    payload.Format("%u %llu %lld", message, static_cast<unsigned long long>(wParam), static_cast<long long>(lParam));
    return payload;
}

BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wParam, LPARAM lParam) {
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return FALSE;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    CString name = bwizc_wizman_socket_name(thread_id);
    // Abstract namespace: a leading NUL, the name without a terminator.
    size_t n = std::min(static_cast<size_t>(name.GetLength()), sizeof(addr.sun_path) - 1);
    std::memcpy(addr.sun_path + 1, name.c_str(), n);
    socklen_t len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
    CString payload = bwizc_wizman_payload(message, wParam, lParam);
    ssize_t sent = ::sendto(fd, payload.c_str(), static_cast<size_t>(payload.GetLength()), MSG_DONTWAIT | MSG_NOSIGNAL,
                            reinterpret_cast<sockaddr*>(&addr), len);
    ::close(fd);
    return sent == payload.GetLength() ? TRUE : FALSE;
}
