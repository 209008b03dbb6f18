// The generator library as the wizard loads it: its estimate and its
// simulation libraries for a few configurations.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/dynlib.h"
#include "services/cgx/cgx_generator.h"

namespace {

struct CGX_CASE {
    const char* what;
    std::vector<std::pair<const char*, const char*>> parameters;
    std::vector<const char*> ports;
    const char* resources;
    const char* libraries;
};

TEST(Kv2gxbGenerator, EstimatesAndLibrariesFollowParametersAndUsedPorts) {
    THR_DRL_HANDLE lib = thr_drl_load(KV2GXB_BUILD_DIR "/bin/libkv2gxb_cgx.so");
    ASSERT_NE(lib, nullptr) << thr_drl_last_error().c_str();
    auto create = reinterpret_cast<CGX_CREATE_GENERATOR_FN>(thr_drl_find_function(lib, CGX_CREATE_GENERATOR_NAME));
    auto assign = reinterpret_cast<CGX_ASSIGN_PARAMETER_FN>(thr_drl_find_function(lib, CGX_ASSIGN_PARAMETER_NAME));
    auto mark = reinterpret_cast<CGX_MARK_PORT_AS_USED_FN>(thr_drl_find_function(lib, CGX_MARK_PORT_AS_USED_NAME));
    auto resources = reinterpret_cast<CGX_GET_RESOURCE_COUNT_FN>(thr_drl_find_function(lib, CGX_GET_RESOURCE_COUNT_NAME));
    auto libraries =
        reinterpret_cast<CGX_GET_SIMULATION_LIBRARY_FN>(thr_drl_find_function(lib, CGX_GET_SIMULATION_LIBRARY_NAME));
    auto destroy = reinterpret_cast<CGX_DESTROY_GENERATOR_FN>(thr_drl_find_function(lib, CGX_DESTROY_GENERATOR_NAME));
    ASSERT_TRUE(create && assign && mark && resources && libraries && destroy);
    // Only the entry points are exported, not the family table it carries.
    EXPECT_EQ(thr_drl_find_function(lib, "mfam_get_wysiwyg_library_name"), nullptr);

    const std::vector<CGX_CASE> cases = {
        {"one quad, nothing optional",
         {{"NUMBER_OF_CHANNELS", "4"}, {"OPERATION_MODE", "duplex"}, {"DEVICE_FAMILY", "Velaris II GX"}},
         {"rx_datain", "tx_dataout"},
         "4 channels;1 quad;1 transmitter PLL;4 receiver PLLs;4 logic cells;3 registers",
         "korvel_mf;lpm;velarisiigx_hssi"},
        // sequencer 8/6, rx_analogreset 8/16, pll_locked 0/4, rate match 16/16,
        // encoder 0/16 and decoder 16/0 over two byte lanes per channel
        {"two quads, coded, rate match, reset and lock ports",
         {{"NUMBER_OF_CHANNELS", "8"}, {"OPERATION_MODE", "duplex"}, {"TX_8B_10B_MODE", "normal"},
          {"RX_8B_10B_MODE", "normal"}, {"RX_CHANNEL_WIDTH", "16"}, {"TX_CHANNEL_WIDTH", "16"},
          {"RX_RATE_MATCH_FIFO_MODE", "normal"}, {"RX_BYTE_ORDERING_MODE", "none"}, {"DEVICE_FAMILY", "velaris-gx"}},
         {"pll_locked", "RX_ANALOGRESET"},
         "8 channels;2 quads;2 transmitter PLLs;8 receiver PLLs;48 logic cells;58 registers",
         "korvel_mf;lpm;velarisgx_hssi"},
        // sequencer 8/6, rx_digitalreset 5/10, rx_freqlocked 0/10, byte orderer
        // 10/5; the transmitter's coder does not count without a transmitter
        {"receiver only, byte orderer",
         {{"number_of_channels", "5"}, {"OPERATION_MODE", "rx"}, {"DIGITALRESET_PORT_WIDTH", "5"},
          {"RX_CHANNEL_WIDTH", "20"}, {"RX_BYTE_ORDERING_MODE", "pattern-based"}, {"TX_8B_10B_MODE", "normal"},
          {"DEVICE_FAMILY", "Unknown Family"}},
         {"rx_digitalreset", "rx_freqlocked"},
         "5 channels;2 quads;0 transmitter PLLs;5 receiver PLLs;23 logic cells;31 registers",
         "korvel_mf;lpm"},
        // encoder over one lane of a 10-bit channel; the receiver's FIFO does
        // not count without a receiver; gxb_powerdown 1/2
        {"transmitter only, no channel count",
         {{"NUMBER_OF_CHANNELS", "abc"}, {"OPERATION_MODE", "tx"}, {"TX_CHANNEL_WIDTH", "10"},
          {"TX_8B_10B_MODE", "normal"}, {"RX_RATE_MATCH_FIFO_MODE", "normal"}},
         {"gxb_powerdown"},
         "1 channel;1 quad;1 transmitter PLL;0 receiver PLLs;5 logic cells;6 registers",
         "korvel_mf;lpm"},
    };
    for (const CGX_CASE& c : cases) {
        CGX_GENERATOR* g = create();
        ASSERT_NE(g, nullptr) << c.what;
        for (const auto& [name, value] : c.parameters) EXPECT_EQ(assign(g, name, value), 0) << c.what;
        for (const char* port : c.ports) EXPECT_EQ(mark(g, port), 0) << c.what;
        EXPECT_EQ(std::string(resources(g)), c.resources) << c.what;
        EXPECT_EQ(std::string(libraries(g)), c.libraries) << c.what;
        destroy(g);
    }
    EXPECT_EQ(assign(nullptr, "A", "1"), -1);
    EXPECT_EQ(std::string(resources(nullptr)), "");
    thr_drl_unload(lib);
}

}  // namespace
