// The generator library as the wizard loads it: its estimate and its
// simulation libraries for a few configurations.
#include <gtest/gtest.h>

#include "platform/dynlib.h"
#include "services/cgx/cgx_generator.h"

TEST(Kv2gxbGenerator, EstimatesAndLibrariesFollowParametersAndUsedPorts) {
    THR_DRL_HANDLE lib = thr_drl_load(KV2GXB_BUILD_DIR "/bin/libkv2gxb_cgx.so");
    ASSERT_NE(lib, nullptr) << thr_drl_last_error().c_str();
    auto fn = [lib](const char* name) { return thr_drl_find_function(lib, name); };
    auto create = reinterpret_cast<CGX_CREATE_GENERATOR_FN>(fn(CGX_CREATE_GENERATOR_NAME));
    auto assign = reinterpret_cast<CGX_ASSIGN_PARAMETER_FN>(fn(CGX_ASSIGN_PARAMETER_NAME));
    auto mark = reinterpret_cast<CGX_MARK_PORT_AS_USED_FN>(fn(CGX_MARK_PORT_AS_USED_NAME));
    auto resources = reinterpret_cast<CGX_GET_RESOURCE_COUNT_FN>(fn(CGX_GET_RESOURCE_COUNT_NAME));
    auto libraries = reinterpret_cast<CGX_GET_SIMULATION_LIBRARY_FN>(fn(CGX_GET_SIMULATION_LIBRARY_NAME));
    auto destroy = reinterpret_cast<CGX_DESTROY_GENERATOR_FN>(fn(CGX_DESTROY_GENERATOR_NAME));
    ASSERT_TRUE(create && assign && mark && resources && libraries && destroy);

    struct CGX_CASE {
        const char* parameters;  // NAME=value;...
        const char* ports;       // name;...
        const char* resources;
        const char* libraries;
    };
    const CGX_CASE cases[] = {
        // sequencer 8/6, rx_analogreset 8/16, pll_locked 0/4, rate match 16/16,
        // encoder 0/16 and decoder 16/0 over two byte lanes per channel
        {"NUMBER_OF_CHANNELS=8;OPERATION_MODE=duplex;TX_8B_10B_MODE=normal;RX_8B_10B_MODE=normal;RX_CHANNEL_WIDTH=16;"
         "TX_CHANNEL_WIDTH=16;RX_RATE_MATCH_FIFO_MODE=normal;RX_BYTE_ORDERING_MODE=none;DEVICE_FAMILY=velaris-gx;",
         "pll_locked;RX_ANALOGRESET;",
         "8 channels;2 quads;2 transmitter PLLs;8 receiver PLLs;48 logic cells;58 registers", "korvel_mf;lpm;velarisgx_hssi"},
        // sequencer 8/6, rx_digitalreset 5/10, rx_freqlocked 0/10, byte orderer
        // 10/5; no transmitter, so no encoder
        {"number_of_channels=5;OPERATION_MODE=rx;DIGITALRESET_PORT_WIDTH=5;RX_CHANNEL_WIDTH=20;"
         "RX_BYTE_ORDERING_MODE=pattern-based;TX_8B_10B_MODE=normal;DEVICE_FAMILY=Unknown Family;",
         "rx_digitalreset;rx_freqlocked;",
         "5 channels;2 quads;0 transmitter PLLs;5 receiver PLLs;23 logic cells;31 registers", "korvel_mf;lpm"},
        // gxb_powerdown 1/2, encoder over one lane; no receiver, so no FIFO
        {"NUMBER_OF_CHANNELS=abc;OPERATION_MODE=tx;TX_CHANNEL_WIDTH=10;TX_8B_10B_MODE=normal;RX_RATE_MATCH_FIFO_MODE=normal;",
         "gxb_powerdown;", "1 channel;1 quad;1 transmitter PLL;0 receiver PLLs;5 logic cells;6 registers", "korvel_mf;lpm"},
    };
    for (const CGX_CASE& c : cases) {
        CGX_GENERATOR* g = create();
        for (CString rest = c.parameters; !rest.IsEmpty(); rest = rest.Mid(rest.Find(';') + 1)) {
            const CString pair = rest.Left(rest.Find(';'));
            EXPECT_EQ(assign(g, pair.Left(pair.Find('=')), pair.Mid(pair.Find('=') + 1)), 0);
        }
        for (CString rest = c.ports; !rest.IsEmpty(); rest = rest.Mid(rest.Find(';') + 1)) {
            EXPECT_EQ(mark(g, rest.Left(rest.Find(';'))), 0);
        }
        EXPECT_STREQ(resources(g), c.resources) << c.parameters;
        EXPECT_STREQ(libraries(g), c.libraries) << c.parameters;
        destroy(g);
    }
    thr_drl_unload(lib);
}
