// The resource-estimate worker against broken installations of the
// generator library (the working one is driven through the General page).
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "support/bwizc_global.h"
#include "wizard/bwizc_resource_info.h"

TEST(ResourceInfoWorker, BrokenInstallationGivesNoEstimateNoMessageAndNoBox) {
    const CString dir = KV2GXB_ARTIFACTS_DIR;
    std::ofstream(dir + "/libnot_a_library_cgx.so") << "not a shared object\n";
    std::ofstream(dir + "/cgx_without_kv2gxb.lst") << "kv2gxbx=libkv2gxb_cgx.so;\n";
    const CString listed = bwizc_global_get_cgx_dll_name_from_list("kv2gxb", dir + "/cgx_without_kv2gxb.lst");
    const CString faults[] = {
        dir + "/libmissing_cgx.so",                          // no library file
        listed.IsEmpty() ? CString() : listed + ".so",       // the list does not name one
        KV2GXB_BUILD_DIR "/tests/libcgx_without_destroy.so",  // an entry point missing
        dir + "/libnot_a_library_cgx.so",                    // not a library
    };
    std::vector<CString> boxes;
    auto previous = bwizc_set_message_box_handler([&](const CString&, const CString& t) { boxes.push_back(t); });
    CWnd page;
    page.CreateEx(BWIZC_KIND_CUSTOM, 0, CString(), 0, CRect(), nullptr, 0);
    for (const CString& path : faults) {
        bwizc_clear_posted_messages();
        bwizc_set_resource_info_string("before");
        bwizc_set_simlib_info_string("before");
        BWIZC_RESOURCE_INFO_MANAGER manager;
        manager.set_dll_path(path);
        manager.update_resource_info_thread("NUMBER_OF_CHANNELS=8;", "", true, true, &page, -1);
        // The worker gives up by itself.
        for (int i = 0; i < 2000 && manager.is_thread_running(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_FALSE(manager.is_thread_running()) << path.c_str();
        manager.update_resource_info_thread("NUMBER_OF_CHANNELS=4;", "", true, true, &page, -1);
        manager.terminate_thread();
        EXPECT_EQ(bwizc_posted_message_count(), 0u) << path.c_str();
        EXPECT_EQ(bwizc_get_resource_info_string() + bwizc_get_simlib_info_string(), "beforebefore") << path.c_str();
    }
    bwizc_set_message_box_handler(previous);
    EXPECT_TRUE(boxes.empty());
}
