// libkv2gxb_cgx: the generator library of the KV2GXB brixfunction. It
// estimates what a configuration occupies in the device and names the
// simulation libraries a simulation of it needs.
//
// The figures, from the assigned parameters and the ports marked as used:
//
//   channels            NUMBER_OF_CHANNELS (1 when missing or not a positive number).
//   quads               channels / 4, rounded up: a quad holds four channels.
//   transmitter PLLs    one per quad when OPERATION_MODE is not "rx": each quad's
//                       clock multiplier unit drives its transmitters; 0 without one.
//   receiver PLLs       one per channel when OPERATION_MODE is not "tx": every
//                       receiver recovers its own clock; 0 without a receiver.
//   logic cells and registers, the reset and control logic beside the quads:
//     - the reset sequencer, always there: 4 logic cells and 3 registers per quad;
//     - every bit of a used reset or power-down input is brought into the core
//       clock domain (2 registers) and merged into the sequencer (1 logic cell):
//       rx_digitalreset and tx_digitalreset have DIGITALRESET_PORT_WIDTH bits
//       (channels when missing), rx_analogreset one per channel, gxb_powerdown
//       one per quad, cal_blk_powerdown one;
//     - every bit of a used lock or detect output is synchronised (2 registers):
//       pll_locked one per quad; rx_pll_locked, rx_freqlocked and
//       rx_signaldetect one per channel;
//     - the rate-match FIFO (receiver, RX_RATE_MATCH_FIFO_MODE not "none") holds
//       its inserted and deleted flags for a core clock: 2 logic cells and
//       2 registers per channel;
//     - the byte orderer (receiver, RX_BYTE_ORDERING_MODE not "none") holds its
//       alignment status: 2 logic cells and 1 register per channel;
//     - the 8b/10b encoder (transmitter, TX_8B_10B_MODE not "none") registers the
//       control-enable bit of every byte lane: 1 register per lane;
//     - the 8b/10b decoder (receiver, RX_8B_10B_MODE not "none") merges the error
//       and disparity flags of every byte lane: 1 logic cell per lane.
//     A channel has RX_CHANNEL_WIDTH (TX_CHANNEL_WIDTH) / 10 byte lanes when the
//     width is a multiple of 10 (uncoded), / 8 otherwise, and at least one.
//
// Simulation libraries: "korvel_mf", "lpm" and the transceiver models of the
// DEVICE_FAMILY's atom library (the atom library name with "_hssi"); the last
// is left out when the family is not known.
#include <cctype>
#include <cstdlib>
#include <map>
#include <new>
#include <set>
#include <string>

#include "services/cgx/cgx_generator.h"
#include "services/mfam.h"

#define CGX_EXPORT extern "C" __attribute__((visibility("default")))

struct CGX_GENERATOR {
    std::map<std::string, std::string> parameters;  // upper-case names
    std::set<std::string> used_ports;               // lower-case names
    std::string answer;                             // the last text handed out
};

namespace {

std::string upper(const char* s) {
    std::string r(s);
    for (char& ch : r) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return r;
}

std::string lower(const char* s) {
    std::string r(s);
    for (char& ch : r) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return r;
}

class KV2GXB_ESTIMATE {
public:
    explicit KV2GXB_ESTIMATE(const CGX_GENERATOR& g) : m_g(g) {
        channels = positive("NUMBER_OF_CHANNELS", 1);
        const std::string mode = lower(text("OPERATION_MODE").c_str());
        receiver = mode != "tx";
        transmitter = mode != "rx";
        quads = (channels + 3) / 4;
        tx_plls = transmitter ? quads : 0;
        rx_plls = receiver ? channels : 0;

        add(4, 3, quads);  // reset sequencer
        const int digital_reset = positive("DIGITALRESET_PORT_WIDTH", channels);
        reset_input("rx_digitalreset", digital_reset);
        reset_input("tx_digitalreset", digital_reset);
        reset_input("rx_analogreset", channels);
        reset_input("gxb_powerdown", quads);
        reset_input("cal_blk_powerdown", 1);
        status_output("pll_locked", quads);
        for (const char* port : {"rx_pll_locked", "rx_freqlocked", "rx_signaldetect"}) status_output(port, channels);
        if (receiver && enabled("RX_RATE_MATCH_FIFO_MODE")) add(2, 2, channels);
        if (receiver && enabled("RX_BYTE_ORDERING_MODE")) add(2, 1, channels);
        if (transmitter && enabled("TX_8B_10B_MODE")) add(0, 1, channels * byte_lanes("TX_CHANNEL_WIDTH"));
        if (receiver && enabled("RX_8B_10B_MODE")) add(1, 0, channels * byte_lanes("RX_CHANNEL_WIDTH"));
    }

    std::string resource_text() const {
        return count(channels, "channel") + ";" + count(quads, "quad") + ";" + count(tx_plls, "transmitter PLL") + ";" +
               count(rx_plls, "receiver PLL") + ";" + count(logic_cells, "logic cell") + ";" +
               count(registers, "register");
    }

    int channels = 1, quads = 1, tx_plls = 0, rx_plls = 0, logic_cells = 0, registers = 0;
    bool receiver = true, transmitter = true;

private:
    std::string text(const char* name) const {
        auto it = m_g.parameters.find(name);
        return it == m_g.parameters.end() ? std::string() : it->second;
    }
    int positive(const char* name, int fallback) const {
        const std::string value = text(name);
        char* end = nullptr;
        const long n = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || n < 1 || n > 1 << 20) return fallback;
        return static_cast<int>(n);
    }
    bool enabled(const char* name) const {
        const std::string value = lower(text(name).c_str());
        return !value.empty() && value != "none";
    }
    int byte_lanes(const char* width_name) const {
        const int width = positive(width_name, 8);
        const int lanes = width % 10 == 0 ? width / 10 : width / 8;
        return lanes < 1 ? 1 : lanes;
    }
    bool used(const char* port) const { return m_g.used_ports.count(port) != 0; }
    void add(int cells, int regs, int times) {
        logic_cells += cells * times;
        registers += regs * times;
    }
    void reset_input(const char* port, int bits) {
        if (used(port)) add(1, 2, bits);
    }
    void status_output(const char* port, int bits) {
        if (used(port)) add(0, 2, bits);
    }
    static std::string count(int n, const char* what) {
        return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
    }

    const CGX_GENERATOR& m_g;
};

}  // namespace

CGX_EXPORT CGX_GENERATOR* cgx_create_generator(void) { return new (std::nothrow) CGX_GENERATOR(); }

CGX_EXPORT int cgx_assign_parameter(CGX_GENERATOR* generator, const char* name, const char* value) {
    if (!generator || !name) return -1;
    generator->parameters[upper(name)] = value ? value : "";
    return 0;
}

CGX_EXPORT int cgx_mark_port_as_used(CGX_GENERATOR* generator, const char* port) {
    if (!generator || !port) return -1;
    generator->used_ports.insert(lower(port));
    return 0;
}

CGX_EXPORT const char* cgx_get_resource_count(CGX_GENERATOR* generator) {
    if (!generator) return "";
    generator->answer = KV2GXB_ESTIMATE(*generator).resource_text();
    return generator->answer.c_str();
}

CGX_EXPORT const char* cgx_get_simulation_library(CGX_GENERATOR* generator) {
    if (!generator) return "";
    generator->answer = "korvel_mf;lpm";
    auto family = generator->parameters.find("DEVICE_FAMILY");
    if (family != generator->parameters.end()) {
        const std::string atom = mfam_get_wysiwyg_library_name(family->second.c_str());
        // The service hands an unknown name back unchanged, and a known
        // family's atom library never reads like its user-facing name.
        if (atom != mfam_get_preferred_user_family_name(family->second.c_str())) generator->answer += ";" + atom + "_hssi";
    }
    return generator->answer.c_str();
}

CGX_EXPORT void cgx_destroy_generator(CGX_GENERATOR* generator) { delete generator; }
