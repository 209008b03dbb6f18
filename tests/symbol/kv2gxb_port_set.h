// The transceiver's port order (left inputs, right outputs, one spacer slot
// each) and a typical port set of a 4-channel, 8-bit receiver-and-transmitter
// variation, for building its standard symbol in tests.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "symbol/bwizc_standard_symbol.h"

// A port order and a port list that own their items, with shorthands to fill them.
struct SYMBOL_PORTS {
    struct PORT {
        const char* name;
        const char* direction;
        int width;
    };
    SYMBOL_PORTS() = default;
    SYMBOL_PORTS(const SYMBOL_PORTS&) = delete;
    SYMBOL_PORTS& operator=(const SYMBOL_PORTS&) = delete;
    ~SYMBOL_PORTS() {
        for (auto* e : order) delete e;
        for (auto* u : usage) delete u;
    }
    void place(std::initializer_list<std::pair<const char*, CRSYMBOL_SIDE>> names) {
        for (const auto& [name, side] : names) crsymbol_insert_port_order(order, name, side);
    }
    void ports(std::initializer_list<PORT> list) {
        for (const PORT& p : list) usage.add(new CRSYMBOL_AUTO_PORT_USAGE_ITEM(p.name, "", p.direction, p.width));
    }
    CRSYMBOL_PORT_ORDER_LIST order;
    CRSYMBOL_PORT_USAGE_LIST usage;
};

inline void kv2gxb_fill_port_order(CRSYMBOL_PORT_ORDER_LIST& order) {
    static const char* const left[] = {
        "space{1}", "rx_datain", "tx_datain", "pll_inclk", "rx_cruclk", "rx_ctrlenable", "tx_ctrlenable",
        "rx_digitalreset", "rx_analogreset", "tx_digitalreset", "gxb_powerdown", "gxb_enable", "rx_locktorefclk",
        "rx_locktodata", "cal_blk_clk", "cal_blk_powerdown", "rx_enapatternalign", "rx_bitslip", "tx_forcedisp",
        "tx_dispval", "rx_seriallpbken", "tx_revparallellpbken", "rx_a1a2size", "pipe8b10binvpolarity",
        "tx_detectrxloop", "tx_forceelecidle", "tx_forcedispcompliance", "powerdn", "fixedclk", "reconfig_clk",
        "reconfig_togxb"};
    static const char* const right[] = {
        "space{1}", "rx_dataout", "tx_dataout", "pll_locked", "rx_pll_locked", "rx_freqlocked", "rx_signaldetect",
        "rx_byteorderalignstatus", "rx_clkout", "tx_clkout", "coreclkout", "rx_syncstatus", "rx_patterndetect",
        "rx_ctrldetect", "rx_errdetect", "rx_disperr", "rx_rlv", "rx_rmfifodatainserted", "rx_rmfifodatadeleted",
        "rx_a1a2sizeout", "rx_channelaligned", "pipestatus", "pipedatavalid", "pipeelecidle", "pipephydonestatus",
        "reconfig_fromgxb", "rx_bisterr", "rx_bistdone"};
    for (const char* name : left) crsymbol_insert_port_order(order, name, SIDE_LEFT);
    for (const char* name : right) crsymbol_insert_port_order(order, name, SIDE_RIGHT);
}

// Listed in the database's order, which is not the symbol's.
inline void kv2gxb_fill_typical_ports(SYMBOL_PORTS& s) {
    s.ports({
        {"cal_blk_clk", "INPUT", 1},       {"pll_inclk", "INPUT", 1},        {"rx_analogreset", "INPUT", 4},
        {"rx_datain", "INPUT", 4},         {"rx_digitalreset", "INPUT", 4},  {"tx_datain", "INPUT", 32},
        {"tx_digitalreset", "INPUT", 4},   {"gxb_powerdown", "INPUT", 1},    {"tx_ctrlenable", "INPUT", 4},
        {"pll_locked", "OUTPUT", 1},       {"rx_clkout", "OUTPUT", 4},       {"rx_ctrldetect", "OUTPUT", 4},
        {"rx_dataout", "OUTPUT", 32},      {"rx_disperr", "OUTPUT", 4},      {"rx_errdetect", "OUTPUT", 4},
        {"rx_freqlocked", "OUTPUT", 4},    {"rx_patterndetect", "OUTPUT", 4}, {"rx_syncstatus", "OUTPUT", 4},
        {"tx_clkout", "OUTPUT", 4},        {"tx_dataout", "OUTPUT", 4},
    });
}

// The typical symbol as the framework builds it for a variation "gxb_top",
// in a box-symbol outline.
struct KV2GXB_SYMBOL : SYMBOL_PORTS {
    CRSYMBOL_OUTLINE outline{"SYMBOL"};
    BWIZC_STANDARD_SYMBOL* symbol = nullptr;
    KV2GXB_SYMBOL() {
        kv2gxb_fill_port_order(order);
        kv2gxb_fill_typical_ports(*this);
        outline.set_box_symbol(true);
        symbol = bwizc_generate_default_symbol(outline, order, usage, "gxb_top");
    }
    // The outline's symbol block as the CNX writer asks for it.
    CString cnx_text() { return outline.generate_cnx(outline.get_extent().Height() - 1, CPoint(0, 0), true); }
};

// A checked-in symbol text under tests/symbol/golden ("" when it cannot be read).
inline CString golden_symbol_text(const char* file) {
    std::ifstream in(std::string(KV2GXB_SOURCE_DIR "/tests/symbol/golden/") + file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return CString(s.str());
}

// The checked-in symbol block of KV2GXB_SYMBOL.
inline CString kv2gxb_golden_symbol_text() { return golden_symbol_text("symbol_kv2gxb.txt"); }
