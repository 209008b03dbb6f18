#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <thread>

#include "platform/controls.h"
#include "platform/messages.h"
#include "platform/registered_messages.h"
#include "platform/wizman_transport.h"

TEST(RegisteredMessages, SameNameGivesSameIdAndTheTableComesFirst) {
    // The table is registered at start-up, in its order, before anything else.
    const UINT table[] = {WM_BWIZC_TOOLKIT_MSG, WM_BWIZC_RESOURCE_INFO_THREAD_TERMINATED,
                          WM_BWIZC_SIMLIB_INFO_THREAD_TERMINATED, WM_BWIZC_TCL_SHELL_THREAD_TERMINATED,
                          WM_BWIZC_WIZ_PAGE_FINISH, WM_BWIZC_WIZ_PAGE_NEXT, WM_BWIZC_WIZ_PAGE_PREV,
                          WM_BWIZC_WIZ_PAGE_CANCEL, WM_BWIZC_WIZ_PAGE_HELP_BUTTON_PRESSED,
                          WM_BWIZC_WIZ_PAGE_ABOUT_BUTTON_PRESSED,
                          WM_BWIZC_WIZ_PAGE_CGX_DEVICE_FAMILY_SELECTION_CHANGED,
                          WM_BWIZC_WIZ_PAGE_INVALIDATE_AND_UPDATE, WM_BWIZC_BROWSER_LAUNCH_REQUESTED};
    for (UINT i = 0; i < 13; ++i) EXPECT_EQ(table[i], 0xC000u + i) << i;
    EXPECT_EQ(RegisterWindowMessage("WM_BWIZC_THREAD_MSG-{D9D4991E-E16F-4b20-B17B-D7F5E32E3630}"), WM_BWIZC_WIZ_PAGE_NEXT);
    EXPECT_EQ(bwizc_registered_message_name(WM_BWIZC_WIZ_PAGE_CANCEL),
              "WM_BWIZC_THREAD_MSG-{676BA39D-370C-421e-9420-3ABEB1FAF940}");
    UINT a = RegisterWindowMessage("platform-test-a");
    UINT b = RegisterWindowMessage("platform-test-b");
    EXPECT_GT(a, WM_BWIZC_BROWSER_LAUNCH_REQUESTED);
    EXPECT_NE(a, b);
    EXPECT_EQ(RegisterWindowMessage("platform-test-a"), a);
    // Names are case sensitive here: a different spelling is a different message.
    EXPECT_NE(RegisterWindowMessage("PLATFORM-TEST-A"), a);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST(PostedMessages, WorkerThreadPostReachesItsWindowOnTheGuiThread) {
    CWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "target", 0, CRect(0, 0, 10, 10), nullptr, 1));
    const UINT msg = RegisterWindowMessage("platform-test-posted");
    std::vector<std::pair<WPARAM, LPARAM>> got;
    std::thread::id where;
    wnd.set_message_handler(msg, [&](WPARAM w, LPARAM l) -> LRESULT {
        got.emplace_back(w, l);
        where = std::this_thread::get_id();
        return 0;
    });
    HWND h = wnd.m_hWnd;
    std::thread worker([h, msg] {
        for (int i = 0; i < 100; ++i) PostMessage(h, msg, static_cast<WPARAM>(i), -i);
    });
    worker.join();
    // Nothing runs until the GUI thread dispatches, then all of it in order.
    EXPECT_TRUE(got.empty());
    EXPECT_TRUE(bwizc_pump_messages());
    ASSERT_EQ(got.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(got[static_cast<size_t>(i)], std::make_pair(static_cast<WPARAM>(i), static_cast<LPARAM>(-i)));
    EXPECT_EQ(where, std::this_thread::get_id());

    // A message for a window that is gone is dropped.
    PostMessage(h, msg, 7, 7);
    wnd.DestroyWindow();
    EXPECT_TRUE(bwizc_pump_messages());
    EXPECT_EQ(got.size(), 100u);
    EXPECT_FALSE(PostMessage(nullptr, msg, 0, 0));

    // A quit request stops the pump.
    PostQuitMessage(0);
    EXPECT_FALSE(bwizc_pump_messages());
    EXPECT_EQ(bwizc_posted_message_count(), 0u);
}

TEST(PostedMessages, TimersFireUntilKilled) {
    struct TICKER : CWnd {
        int ticks = 0;
        void OnTimer(UINT_PTR id) override {
            if (id == 5 && ++ticks == 3) KillTimer(5);
        }
    } wnd;
    ASSERT_TRUE(wnd.Create(nullptr, "", 0, CRect(), nullptr, 2));
    wnd.SetTimer(5, 1);
    for (int i = 0; i < 200 && bwizc_has_timers(); ++i) {
        bwizc_wait_for_posted_message(2);
        bwizc_pump_messages();
    }
    EXPECT_EQ(wnd.ticks, 3);
    EXPECT_FALSE(bwizc_has_timers());
    wnd.SetTimer(6, 1000);
    wnd.DestroyWindow();
    EXPECT_FALSE(bwizc_has_timers());
}

namespace {
// A datagram socket bound to an abstract name, as the calling program binds it.
struct LISTENER {
    int fd = -1;
    explicit LISTENER(const CString& name) {
        fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path + 1, name.c_str(), static_cast<size_t>(name.GetLength()));
        socklen_t len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<size_t>(name.GetLength()));
        if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ~LISTENER() {
        if (fd >= 0) ::close(fd);
    }
    CString receive() {
        char buf[256];
        ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
        return n < 0 ? CString("<nothing>") : CString(buf, static_cast<int>(n));
    }
};
}  // namespace

TEST(WizmanTransport, ThreadMessageArrivesAsOneDatagramOnTheAbstractSocket) {
    DWORD thread_id = 700000u + static_cast<DWORD>(::getpid() % 100000);
    EXPECT_EQ(bwizc_wizman_socket_name(thread_id), CString("bwizc-wizman-") + CString(std::to_string(thread_id)));
    LISTENER calling_program(bwizc_wizman_socket_name(thread_id));
    ASSERT_GE(calling_program.fd, 0);
    EXPECT_TRUE(PostThreadMessage(thread_id, BWIZC_WIZMAN_THREAD_MSG, 812, 604));
    EXPECT_EQ(calling_program.receive(), "1034 812 604");
    EXPECT_TRUE(PostThreadMessage(thread_id, BWIZC_WIZMAN_THREAD_MSG, 0, -15));
    EXPECT_EQ(calling_program.receive(), "1034 0 -15");
    EXPECT_EQ(calling_program.receive(), "<nothing>");
    // Nobody listening: the post fails at once and quietly.
    EXPECT_FALSE(PostThreadMessage(thread_id + 1, BWIZC_WIZMAN_THREAD_MSG, 1, 2));
    EXPECT_FALSE(PostThreadMessage(0, BWIZC_WIZMAN_THREAD_MSG, 1, 2));
}
