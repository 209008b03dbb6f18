// The resource-estimate worker against the real generator library and
// against broken installations of it.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/registered_messages.h"
#include "platform/window.h"
#include "support/bwizc_global.h"
#include "wizard/bwizc_resource_info.h"

namespace {

const char* const REAL_LIBRARY = KV2GXB_BUILD_DIR "/bin/libkv2gxb_cgx.so";

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        bwizc_wait_for_posted_message(5);
        while (bwizc_dispatch_posted_message()) {
        }
    }
    return true;
}

// A page window: what the worker's message brings, as the page reads it.
struct NOTIFIED_PAGE {
    CWnd wnd;
    std::vector<CString> shown;
    NOTIFIED_PAGE() {
        wnd.CreateEx(BWIZC_KIND_CUSTOM, 0, CString(), 0, CRect(), nullptr, 0);
        wnd.set_message_handler(WM_BWIZC_RESOURCE_INFO_THREAD_TERMINATED, [this](WPARAM, LPARAM) {
            shown.push_back(bwizc_get_resource_info_string());
            return LRESULT(0);
        });
    }
    CString last() const { return shown.empty() ? CString() : shown.back(); }
};

CString params_for(int channels) {
    CString text;
    text.Format("NUMBER_OF_CHANNELS=%d;OPERATION_MODE=duplex;DEVICE_FAMILY=Velaris II GX;", channels);
    return text;
}

TEST(ResourceInfoWorker, AnswersTheLatestRequestByMessageAndStopsCleanly) {
    bwizc_clear_posted_messages();
    BWIZC_RESOURCE_INFO_MANAGER manager;
    NOTIFIED_PAGE page;
    manager.set_dll_path(REAL_LIBRARY);
    manager.update_resource_info_thread(params_for(4), "rx_datain;tx_dataout;", true, true, &page.wnd, -1);
    ASSERT_TRUE(pump_until([&] { return !page.shown.empty(); }, 10000));
    EXPECT_EQ(page.last(), "4 channels;1 quad;1 transmitter PLL;4 receiver PLLs;4 logic cells;3 registers");
    ASSERT_TRUE(pump_until([&] { return !manager.is_busy(); }, 10000));
    EXPECT_EQ(bwizc_get_simlib_info_string(), "korvel_mf;lpm;velarisiigx_hssi");

    // A burst while it computes: whatever it answers in between, the last
    // request's answer is the one left showing.
    for (int channels = 1; channels <= 1000; ++channels) {
        manager.update_resource_info_thread(params_for(channels), "pll_locked;", true, false, &page.wnd, -1);
    }
    const CString last = "1000 channels;250 quads;250 transmitter PLLs;1000 receiver PLLs;1000 logic cells;1250 registers";
    ASSERT_TRUE(pump_until([&] { return page.last() == last; }, 20000)) << page.last().c_str();
    pump_until([] { return false; }, 50);
    EXPECT_EQ(page.last(), last);

    manager.terminate_thread();
    EXPECT_FALSE(manager.is_thread_running());
    // A later wizard run in the same process gets a worker again.
    manager.update_resource_info_thread(params_for(12), "", true, false, &page.wnd, -1);
    ASSERT_TRUE(pump_until([&] { return page.last().Find("12 channels;3 quads;") == 0; }, 10000));
}

TEST(ResourceInfoWorker, BrokenInstallationGivesNoEstimateNoMessageAndNoBox) {
    const CString dir = KV2GXB_ARTIFACTS_DIR;
    std::ofstream(dir + "/libnot_a_library_cgx.so") << "not a shared object\n";
    std::ofstream(dir + "/cgx_without_kv2gxb.lst") << "kv2gxbx=libkv2gxb_cgx.so;\nother=libother.so;\n";
    const CString listed = bwizc_global_get_cgx_dll_name_from_list("kv2gxb", dir + "/cgx_without_kv2gxb.lst");
    struct FAULT {
        const char* what;
        CString path;
    };
    const std::vector<FAULT> faults = {
        {"no library file", dir + "/libmissing_cgx.so"},
        {"list without the brixfunction", listed.IsEmpty() ? CString() : bwizc_global_get_absolute_path(listed + ".so")},
        {"an entry point missing", KV2GXB_BUILD_DIR "/tests/libcgx_without_destroy.so"},
        {"not a library", dir + "/libnot_a_library_cgx.so"},
    };
    std::vector<CString> boxes;
    BWIZC_MESSAGE_BOX_FN previous = bwizc_set_message_box_handler([&](const CString&, const CString& t) { boxes.push_back(t); });
    for (const FAULT& fault : faults) {
        bwizc_clear_posted_messages();
        bwizc_set_resource_info_string("before");
        bwizc_set_simlib_info_string("before");
        BWIZC_RESOURCE_INFO_MANAGER manager;
        NOTIFIED_PAGE page;
        manager.set_dll_path(fault.path);
        manager.update_resource_info_thread(params_for(4), "", true, true, &page.wnd, -1);
        // The worker gives up by itself.
        EXPECT_TRUE(pump_until([&] { return !manager.is_thread_running(); }, 10000)) << fault.what;
        manager.update_resource_info_thread(params_for(8), "", true, true, &page.wnd, -1);
        manager.terminate_thread();
        pump_until([] { return false; }, 20);
        EXPECT_TRUE(page.shown.empty()) << fault.what;
        EXPECT_EQ(bwizc_get_resource_info_string(), "before") << fault.what;
        EXPECT_EQ(bwizc_get_simlib_info_string(), "before") << fault.what;

        // Once the library is there, the next wizard run has its estimate.
        manager.set_dll_path(REAL_LIBRARY);
        manager.update_resource_info_thread(params_for(8), "", true, false, &page.wnd, -1);
        EXPECT_TRUE(pump_until([&] { return page.last().Find("8 channels;2 quads;") == 0; }, 10000)) << fault.what;
    }
    bwizc_set_message_box_handler(previous);
    EXPECT_TRUE(boxes.empty());
    bwizc_set_resource_info_string("");
    bwizc_set_simlib_info_string("");
}

}  // namespace
