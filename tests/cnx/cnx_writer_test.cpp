#include <gtest/gtest.h>

#include <string>

#include "cnx/crcnx_manager.h"
#include "test_scratch.h"

namespace {

std::string text_of(CRCNX_MANAGER& m, const char* module = "kv2gxb", bool prefix = false) {
    return m.get_cnx_text(module, prefix).str();
}

// Stands in for the symbol outline: a fixed extent and text that shows the
// arguments it was asked with.
class FAKE_OUTLINE : public CRCNX_SYMBOL_OUTLINE_INTERFACE {
public:
    CRect get_extent() override { return CRect(10, 20, 130, 80); }
    CString generate_cnx(int height, CPoint origin, bool flag) override {
        ++calls;
        CString s;
        s.Format("SYMBOL: RECT %d %d %d %s\nSYMBOL: TEXT \"a\tb\"\n", height, origin.x, origin.y, flag ? "T" : "F");
        return s;
    }
    int calls = 0;
};

}  // namespace

TEST(CnxWriter, EmptyDescriptionGetsDefaultModuleLineOnEveryWrite) {
    CRCNX_MANAGER m;
    EXPECT_EQ(text_of(m), "GENERATION: STANDARD\nVERSION: WM1.0\nMODULE: kv2gxb \n\n");
    // The module record was added to the table, so a second write is the same.
    EXPECT_EQ(text_of(m, "other"), "GENERATION: STANDARD\nVERSION: WM1.0\nMODULE: kv2gxb \n\n");

    CRCNX_MANAGER named;
    named.add_cnx_module(new CRCNX_ITEM_MODULE("gxb_top", "some text"));
    EXPECT_EQ(text_of(named), "GENERATION: STANDARD\nVERSION: WM1.0\nMODULE: gxb_top some text\n\n");
    EXPECT_EQ(named.find_cnx_module("kv2gxb"), nullptr);

    // Writing answers true whatever the file does, and adds the default
    // module record all the same.
    CRCNX_MANAGER unwritten;
    CStdioFile unopened;
    EXPECT_TRUE(unwritten.write_cnx_info_to_file(&unopened, "kv2gxb", false));
    EXPECT_TRUE(unwritten.write_cnx_info_to_file(nullptr, "kv2gxb", false));
    EXPECT_NE(unwritten.find_cnx_module("kv2gxb"), nullptr);
}

// Sorted sections on a copy, table order elsewhere, B numbers before A
// numbers, escapes in values and file names only, and the blank that ends a
// GEN_FILE line whose checked state is not persistent.
TEST(CnxWriter, WritesEverySectionInOrder) {
    CRCNX_MANAGER m;
    m.add_cnx_module(new CRCNX_ITEM_MODULE("kv2gxb_top", "mod text"));
    m.add_cnx_module(new CRCNX_ITEM_MODULE("alpha", ""));
    m.get_cgxdll_table().set_at("x", new CRCNX_ITEM_CGXDLL("x", "lib\\a"));
    m.add_cnx_private(new CRCNX_ITEM_PRIVATE("WIZ_PROTOCOL", "STRING", "GIGE"));
    m.add_cnx_private(new CRCNX_ITEM_PRIVATE("WIZ_CHANNELS", "NUMERIC", "4"));
    m.add_cnx_private(new CRCNX_ITEM_PRIVATE("WIZ_NOTE", "STRING", "a\tb\nc\\d \"q\""));
    m.get_library_table().set_at("lib1", new CRCNX_ITEM_LIBRARY("lib1", "val"));
    m.add_cnx_parameter(new CRCNX_ITEM_PARAMETER("starting_channel_number", "NUMERIC", "0"));
    m.add_cnx_parameter(new CRCNX_ITEM_PARAMETER("operation_mode", "STRING", "duplex"));
    m.add_cnx_constant(new CRCNX_ITEM_CONSTANT("intended_device_family", "STRING", "Velaris II GX"));
    m.add_cnx_port(new CRCNX_ITEM_USED_PORT("tx_dataout", 1, 0, 4, 0, "OUTPUT", "NODEFVAL", ""));
    m.add_cnx_port(new CRCNX_ITEM_USED_PORT("pll_inclk", 0, 0, 0, 0, "INPUT_CLK_EXT", "NODEFVAL", "pll\\in\tclk"));
    m.add_cnx_connection(new CRCNX_ITEM_CONNECTION("rx_datain", 4, 0, 0, 0, "@", 4, 0, 0, 0));
    m.add_cnx_connection(new CRCNX_ITEM_CONNECTION("pll_inclk", 1, 2, 3, 4, "@", 5, 6, 7, 8));
    m.add_cnx_gen_file(new CRCNX_ITEM_GEN_FILE("TYPE_EXPLICIT", "kv2gxb_inst.v", false, false));
    m.add_cnx_gen_file(new CRCNX_ITEM_GEN_FILE("TYPE_TEMPLATE", "sub\\bb.v", true, false));
    m.add_cnx_err_msg(new CRCNX_ITEM_ERR_MSG("first\\\t\"x\""));
    m.add_cnx_err_msg(new CRCNX_ITEM_ERR_MSG("second"));
    // Read-only tables are never written.
    m.add_cnx_help_menu_item(new CRCNX_ITEM_HELP_MENU_ITEM("About", "x.html", "", true));
    m.get_read_constant_table().set_at("rc", new CRCNX_ITEM_CONSTANT("rc", "STRING", "v"));
    m.get_read_port_table().set_at("rp", new CRCNX_ITEM_USED_PORT("rp", 1, 0, 0, 0, "INPUT", "GND", ""));
    m.get_device_family_support_table().set_at("Velaris", new CRCNX_ITEM_DEVICE_FAMILY_SUPPORT("Velaris"));

    EXPECT_EQ(text_of(m), read_file(KV2GXB_SOURCE_DIR "/tests/cnx/golden/every_section.cnx"));
    // The tables keep the order the records came in.
    EXPECT_EQ(m.get_private_table().begin()->first, "WIZ_PROTOCOL");
}

TEST(CnxWriter, EndsWithTheSymbolBlockOfTheAttachedOutlineAndPrefixesEveryLine) {
    CRCNX_MANAGER m;
    FAKE_OUTLINE outline;
    m.add_cnx_err_msg(new CRCNX_ITEM_ERR_MSG("e"));
    m.set_symbol_outline(&outline);
    // Height of the extent (60) less one, origin (0, 0), flag set.
    EXPECT_EQ(text_of(m),
              "GENERATION: STANDARD\nVERSION: WM1.0\nMODULE: kv2gxb \n\nERR_MSG: e\n\n"
              "SYMBOL: RECT 59 0 0 T\nSYMBOL: TEXT \"a\tb\"\n");
    EXPECT_EQ(text_of(m, "kv2gxb", true),
              "-GENERATION: STANDARD\n-VERSION: WM1.0\n-MODULE: kv2gxb \n-\n-ERR_MSG: e\n-\n"
              "-SYMBOL: RECT 59 0 0 T\n-SYMBOL: TEXT \"a\tb\"\n");
    EXPECT_EQ(outline.calls, 2);

    m.set_symbol_outline(nullptr);
    EXPECT_EQ(text_of(m), "GENERATION: STANDARD\nVERSION: WM1.0\nMODULE: kv2gxb \n\nERR_MSG: e\n\n");
    EXPECT_EQ(outline.calls, 2);
}
