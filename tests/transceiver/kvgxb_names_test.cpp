// Names, enumerations and conversion tables of the transceiver model.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "transceiver/kvgxb.h"

TEST(KvgxbNames, ProtocolCodesAndCnxKeys) {
    KVGXB_WIZARD_MODEL m;
    EXPECT_EQ(m.protocol_enum2string("SONET"), "SONET Backplane");
    EXPECT_EQ(m.protocol_enum2string("sonet"), "SONET Backplane");
    EXPECT_EQ(m.protocol_enum2string("7"), "7");
    const char* const by_code[] = {"Basic", "GIGE", "(OIF) CEI PHY Interface", "PCI Express (PIPE)",
                                   "SDI", "SONET Backplane", "XAUI"};
    for (int code = 0; code < 7; ++code) EXPECT_EQ(m.protocol_enum2string(CString(static_cast<char>('0' + code))), by_code[code]);
    // Back to codes, GIGE sharing XAUI's.
    for (int code : {0, 2, 3, 4, 5, 6}) EXPECT_EQ(m.protocol_string2enum(by_code[code]), code);
    EXPECT_EQ(m.protocol_string2enum("sdi"), 4);
    EXPECT_EQ(m.protocol_string2enum("gige"), 6);
    EXPECT_EQ(m.protocol_string2enum("unknown"), 0);

    // CNX keys there and back: SDI shares Basic's key, SONET and GIGE keys are not read.
    struct CNX_CASE {
        const char *protocol, *subprotocol;
        bool single;
        const char *key, *back;
    };
    const CNX_CASE cnx[] = {
        {"Basic", "N/A", true, "3g_basic", "Basic"},
        {"Basic", "N/A", false, "6g_basic", "Basic"},
        {"SONET Backplane", "OC48", true, "SONET", ""},
        {"SONET Backplane", "OC96", true, "5g_scrambled", "SONET Backplane"},
        {"SDI", "N/A", true, "3g_basic", "Basic"},
        {"GIGE", "N/A", true, "GIGE", ""},
        {"(OIF) CEI PHY Interface", "N/A", true, "cei_6g", "(OIF) CEI PHY Interface"},
        {"PCI Express (PIPE)", "N/A", true, "pipe", "PCI Express (PIPE)"},
    };
    for (const CNX_CASE& c : cnx) {
        m.protocol = c.protocol;
        m.subprotocol = c.subprotocol;
        m.single_width_mode = c.single;
        EXPECT_EQ(m.get_protocol_for_cnx(), c.key) << c.protocol;
        m.subprotocol = "N/A";
        CString upper = c.key;
        upper.MakeUpper();
        EXPECT_EQ(m.get_protocol_from_cnx(upper), c.back) << c.key;
        EXPECT_EQ(m.subprotocol, CString(c.key) == "5g_scrambled" ? "OC96" : "N/A") << c.key;
    }
    EXPECT_EQ(m.get_protocol_from_cnx("xaui"), "");
}

TEST(KvgxbNames, EnumerationConvertersAndTheirFallbacks) {
    KVGXB_WIZARD_MODEL m;
    // Every enumeration travels as these strings, by stored value; other
    // spellings are read without regard to case, unknown ones as a fallback.
    struct ENUM_TABLE {
        CString (*to_string)(int);
        int (*to_enum)(const CString&);
        std::vector<const char*> names;
        std::vector<std::pair<const char*, int>> others;
    };
    const ENUM_TABLE tables[] = {
        {KVGXB_WIZARD_MODEL::loopback_mode_enum2string, KVGXB_WIZARD_MODEL::loopback_mode_string2enum,
         {"none", "slb", "plb"}, {{"bogus", 0}}},
        {KVGXB_WIZARD_MODEL::reverse_loopback_mode_enum2string, KVGXB_WIZARD_MODEL::reverse_loopback_mode_string2enum,
         {"none", "precdr_rslb", "postcdr_rslb", "rplb"}, {}},
        {KVGXB_WIZARD_MODEL::dprio_enum2string, KVGXB_WIZARD_MODEL::dprio_string2enum,
         {"none", "pma_electricals", "full"}, {}},
        {KVGXB_WIZARD_MODEL::rmfifo_enum2string, KVGXB_WIZARD_MODEL::rmfifo_string2enum,
         {"normal", "cascaded", "generic", "none"}, {{"bogus", 3}, {"Generic", 2}}},
        {KVGXB_WIZARD_MODEL::byte_order_enum2str, KVGXB_WIZARD_MODEL::byte_order_str2enum,
         {"pattern-based", "syncstatus-based", "none"}, {{"SYNCSTATUS-BASED", 1}, {"bogus", 2}}},
        {KVGXB_WIZARD_MODEL::endecoder_8b10b_enum2string, KVGXB_WIZARD_MODEL::endecoder_8b10b_string2enum,
         {"normal", "cascaded", "none"}, {{"bogus", 2}}},
        {KVGXB_WIZARD_MODEL::selftest_enum2string, KVGXB_WIZARD_MODEL::selftest_string2enum,
         {"none", "prbs_7", "prbs_8", "prbs_10", "prbs_23", "low_freq", "mixed_freq", "high_freq", "incremental",
          "cjpat", "crpat"}, {{"PRBS_23", 4}, {"bogus", 1}}},
    };
    for (const ENUM_TABLE& t : tables) {
        for (int i = 0; i < static_cast<int>(t.names.size()); ++i) {
            EXPECT_EQ(t.to_string(i), t.names[static_cast<size_t>(i)]);
            EXPECT_EQ(t.to_enum(t.names[static_cast<size_t>(i)]), i);
        }
        for (const auto& [name, value] : t.others) EXPECT_EQ(t.to_enum(name), value) << name;
    }
    const char* const opmodes[] = {"Receiver only", "Transmitter only", "Receiver and Transmitter"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(m.opmode_string2enum(m.opmode_enum2string(i)), i) << opmodes[i];
    EXPECT_EQ(m.opmode_enum2string(1), opmodes[1]);

    EXPECT_EQ(m.opmode_string2enum("receiver only"), 0);
    EXPECT_EQ(m.opmode_string2enum("bogus"), 2);

    // Bandwidth codes there and back, and the fallbacks of unknown codes.
    for (const auto& [name, cmu, rx] : {std::tuple{"Low", 1, 3}, {"Medium", 2, 1}, {"High", 3, 0}}) {
        m.cmu_pll_bw = m.rx_pll_bw = name;
        EXPECT_EQ(m.cmu_pll_bw_str2cmu_pll_bw_int(), cmu);
        EXPECT_EQ(m.rx_pll_bw_str2rx_pll_bw_int(), rx);
        EXPECT_EQ(KVGXB_WIZARD_MODEL::cmu_pll_bw_int2cmu_pll_bw_str(cmu), name);
        EXPECT_EQ(KVGXB_WIZARD_MODEL::rx_pll_bw_int2rx_pll_bw_str(rx), name);
    }
    m.cmu_pll_bw = "low";
    EXPECT_EQ(m.cmu_pll_bw_str2cmu_pll_bw_int(), 1);
    EXPECT_EQ(KVGXB_WIZARD_MODEL::cmu_pll_bw_int2cmu_pll_bw_str(7), "High");
    EXPECT_EQ(KVGXB_WIZARD_MODEL::rx_pll_bw_int2rx_pll_bw_str(9), "Medium");

    const std::pair<const char*, int> ppm[] = {{"+/- 1000", 32}, {"+/- 500", 16}, {"+/- 300", 8}, {"+/- 250", 9},
                                               {"+/- 200", 4},   {"+/- 125", 2},  {"+/- 100", 1}, {"+/- 62.5", 3}};
    for (const auto& [shown, code] : ppm) {
        EXPECT_EQ(KVGXB_WIZARD_MODEL::ppm_displayed2ppm_actual(shown), code);
        EXPECT_EQ(KVGXB_WIZARD_MODEL::ppm_actual2ppm_displayed(code), shown);
    }
    EXPECT_EQ(KVGXB_WIZARD_MODEL::ppm_displayed2ppm_actual("+/- 7"), 32);
    EXPECT_EQ(KVGXB_WIZARD_MODEL::ppm_actual2ppm_displayed(5), "");
}

TEST(KvgxbNames, CodeNamesHexAndBinaryText) {
    EXPECT_EQ(KVGXB_WIZARD_MODEL::get_8b10bcode("0101111101"), "");
    const std::pair<const char*, const char*> codes[] = {
        {"K28.0", "0010111100"}, {"K28.1", "1001111100"}, {"K28.2", "1010111100"}, {"K28.3", "1100111100"},
        {"K28.4", "0100111100"}, {"K28.5", "0101111100"}, {"K28.6", "0110111100"}, {"K28.7", "0001111100"},
        {"K23.7", "0001010111"}, {"K27.7", "0001011011"}, {"K29.7", "0001011101"}, {"K30.7", "0001011110"}};
    for (const auto& [name, code] : codes) {
        EXPECT_EQ(KVGXB_WIZARD_MODEL::get_8b10bcode(code), CString(name) + "+");
        CString inverted = code;
        for (int i = 0; i < inverted.GetLength(); ++i) inverted.SetAt(i, inverted[i] == '0' ? '1' : '0');
        EXPECT_EQ(KVGXB_WIZARD_MODEL::get_8b10bcode(inverted), CString(name) + "-");
    }
    EXPECT_EQ(KVGXB_WIZARD_MODEL::get_8b10bcode(""), "");

    // Binary text there and back through hexadecimal.
    for (unsigned v : {0u, 1u, 5u, 0x17Cu, 0x343u, 0xFFu, 0x80000000u}) {
        const CString bits = KVGXB_WIZARD_MODEL::uint2binstr(v);
        EXPECT_EQ(std::stoul(bits.str(), nullptr, 2), v);
        EXPECT_EQ(std::stoul(KVGXB_WIZARD_MODEL::binary2hex(bits).str(), nullptr, 16), v) << bits.c_str();
    }
    EXPECT_EQ(KVGXB_WIZARD_MODEL::binary2hex("0101111100"), "17C");
    EXPECT_EQ(KVGXB_WIZARD_MODEL::binary2hex(""), "");

    static const TABLE10 table[] = {{"OLD_A", "NEW_A"}, {"OLD_B", "NEW_B"}, {"OLD_C", "NEW_B"}, {"", ""}};
    EXPECT_EQ(KVGXB_WIZARD_MODEL::old2new(table, "OLD_C"), "NEW_B");
    EXPECT_EQ(KVGXB_WIZARD_MODEL::new2old(table, "NEW_B"), "OLD_B");
    EXPECT_EQ(KVGXB_WIZARD_MODEL::new2old(table, "new_a"), "new_a");
    EXPECT_EQ(KVGXB_WIZARD_MODEL::old2new(table, "OTHER"), "OTHER");
}

TEST(KvgxbNames, ParameterToAtomNameMap) {
    KVGXB_WIZARD_MODEL m;
    EXPECT_EQ(m.brixfx_name2wysiwyg_name("RX_CHANNEL_WIDTH"), "");
    m.initialize_brixfx_wysiwyg_name_tbl();
    EXPECT_EQ(m.get_name_map_count(), 50);
    m.initialize_brixfx_wysiwyg_name_tbl();
    EXPECT_EQ(m.get_name_map_count(), 50);
    const std::pair<const char*, const char*> names[] = {
        {"NUMBER_OF_CHANNELS", "CHANNEL_NUMBER"},      {"RX_8B_10B_MODE", "DEC_8B_10B_MODE"},
        {"RX_PPM_SELECT", "PPMSELECT"},                 {"VOD_CTRL_SETTING", "VOD_SELECTION"},
        {"PREEMPHASIS_CTRL_1STPOSTTAP_SETTING", "PREEMP_TAP_1"}, {"PREEMPHASIS_CTRL_PRETAP_SETTING", "PREEMP_PRETAP"},
        {"EQUALIZER_CTRL_V_SETTING", "EQUALIZER_CTRL_V"}, {"RX_RUN_LENGTH", "RUN_LENGTH"}};
    for (const auto& [brixfx, atom] : names) {
        EXPECT_EQ(m.brixfx_name2wysiwyg_name(brixfx), atom);
        EXPECT_EQ(m.wysiwyg_name2brixfx_name(atom), brixfx);
    }
    EXPECT_EQ(m.brixfx_name2wysiwyg_name("rx_channel_width"), "");
    EXPECT_EQ(m.wysiwyg_name2brixfx_name("NOTHING"), "");
}

TEST(KvgxbNames, WidthFactorsTerminationAndEqualizer) {
    KVGXB_WIZARD_MODEL m;
    struct FACTOR_CASE {
        int width;
        bool single;
        int coding, deserialization, dwidth;
    };
    const FACTOR_CASE cases[] = {
        {8, true, KVGXB_8B10B_NONE, 8, 1},      {8, true, KVGXB_8B10B_NORMAL, 10, 1},
        {8, false, KVGXB_8B10B_NONE, 16, 2},    {10, true, KVGXB_8B10B_NONE, 10, 1},
        {16, true, KVGXB_8B10B_NORMAL, 10, 2},  {16, false, KVGXB_8B10B_CASCADED, 20, 2},
        {20, false, KVGXB_8B10B_NONE, 20, 2},   {32, false, KVGXB_8B10B_NORMAL, 20, 4},
        {32, false, KVGXB_8B10B_NONE, 16, 4},   {40, false, KVGXB_8B10B_NONE, 20, 4},
        {12, true, KVGXB_8B10B_NONE, 0, 1},
    };
    for (const FACTOR_CASE& c : cases) {
        m.channel_width = c.width;
        m.single_width_mode = c.single;
        m.endec_8b10b_mode = c.coding;
        EXPECT_EQ(m.get_deserialization_factor(), c.deserialization) << c.width;
        EXPECT_EQ(m.get_rx_dwidth_factor(), c.dwidth) << c.width;
    }

    // Any other resistance is written as the highest; an external one as "off".
    for (const auto& [ohms, external, shown] : {std::tuple{100, false, "oct_100_ohms"}, {120, false, "oct_120_ohms"},
                                                {150, false, "oct_150_ohms"}, {130, false, "oct_150_ohms"},
                                                {120, true, "off"}}) {
        m.rx_termination = m.tx_termination = ohms;
        m.external_rx_termination = m.external_tx_termination = external;
        EXPECT_EQ(m.get_rx_termination_str(), shown) << ohms;
        EXPECT_EQ(m.get_tx_termination_str(), shown) << ohms;
    }

    m.equalizer_ctrl_setting = 14;
    EXPECT_EQ(m.get_equalizer_ctrl_a_setting() + m.get_equalizer_ctrl_d_setting() + m.get_equalizer_ctrl_v_setting(), 0);
    m.enable_equalizer_ctrl = true;
    const int expected[16][5] = {
        {0, 0, 0, 7, 0}, {0, 0, 0, 7, 0}, {0, 0, 0, 7, 4}, {0, 0, 0, 7, 7}, {0, 0, 7, 7, 0}, {0, 0, 7, 7, 4},
        {0, 0, 7, 7, 7}, {0, 7, 7, 7, 0}, {0, 7, 7, 7, 4}, {0, 7, 7, 7, 5}, {0, 7, 7, 7, 7}, {7, 7, 7, 7, 0},
        {7, 7, 7, 7, 3}, {7, 7, 7, 7, 4}, {7, 7, 7, 7, 5}, {7, 7, 7, 7, 7},
    };
    for (int s = 0; s < 16; ++s) {
        m.equalizer_ctrl_setting = s;
        EXPECT_EQ(m.get_equalizer_ctrl_a_setting(), expected[s][0]) << s;
        EXPECT_EQ(m.get_equalizer_ctrl_b_setting(), expected[s][1]) << s;
        EXPECT_EQ(m.get_equalizer_ctrl_c_setting(), expected[s][2]) << s;
        EXPECT_EQ(m.get_equalizer_ctrl_d_setting(), expected[s][3]) << s;
        EXPECT_EQ(m.get_equalizer_ctrl_v_setting(), expected[s][4]) << s;
    }
}

TEST(KvgxbNames, ANewVariationOffersTheFallbackLists) {
    KVGXB_WIZARD_MODEL m;
    // The PLL reference clock cannot be switched off.
    m.set_port_used("pll_inclk", false);
    EXPECT_TRUE(m.is_port_used("pll_inclk"));
    EXPECT_FALSE(m.is_port_used("rx_syncstatus"));
    EXPECT_EQ(m.current_preset_index, -1);
    EXPECT_EQ(m.get_combobox_subprotocols().GetSize(), 6);
    EXPECT_EQ(m.get_combobox_opmodes().GetSize(), 3);
    EXPECT_EQ(m.get_combobox_channel_widths()[3], "20");
    EXPECT_EQ(m.get_combobox_channel_numbers().GetSize(), 20);
}
