#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "output/crsummary_page.h"
#include "wizard/crwizard.h"

namespace {

// A summary page of a wizard for `design`, started with `options`, whose CNX
// file said `cnx_text`; its rows built as after reading the file.
struct SUMMARY_FIXTURE {
    SUMMARY_FIXTURE(const char* design, std::vector<const char*> options, const char* cnx_text = "") {
        auto* info = new CRWIZARD_COMMAND_LINE_INFO;
        for (const char* option : options) info->ParseParam(option, 1, 0);
        info->ParseParam(design, 0, 0);
        wizard.set_cmdline_manager(info);
        wizard.set_variation_file_parts(design);
        wizard.get_cnx_manager().read_cnx_info_from_text(cnx_text);
        wizard.set_page_info(&page);
        page.on_post_cnx_file_read_update();
    }
    // "file:checked:changeable" for every row, in order.
    std::vector<std::string> rows() {
        std::vector<std::string> out;
        for (int i = 0; i < page.get_file_list_count(); ++i) {
            const auto* row = page.get_file_list_entry(i);
            out.push_back(std::string(row->file_name.c_str()) + ":" + (row->checked ? "1" : "0") + ":" +
                          (row->changeable ? "1" : "0"));
        }
        return out;
    }
    CRWIZARD wizard;
    CRSUMMARY_PAGE page;
};

using ROWS = std::vector<std::string>;

}  // namespace

TEST(SummaryRows, DefaultsFollowTheVariationsLanguage) {
    SUMMARY_FIXTURE verilog("/w/top.v", {});
    EXPECT_EQ(verilog.rows(), (ROWS{"top.v:1:0", "top.inc:0:1", "top.cmp:0:1", "top.bsf:0:1", "top_inst.v:0:1",
                                   "top_bb.v:1:1"}));
    EXPECT_EQ(verilog.page.get_file_list_entry("top.v")->description, "Variation file");
    EXPECT_EQ(verilog.page.get_file_list_entry("top_bb.v")->description, "Verilog 'Black Box' declaration file");

    // VHDL: its component file checked, no AHDL include, no black box.
    SUMMARY_FIXTURE vhdl("/w/top.vhd", {});
    EXPECT_EQ(vhdl.rows(), (ROWS{"top.vhd:1:0", "top.inc:0:1", "top.cmp:1:1", "top.bsf:0:1", "top_inst.vhd:0:1"}));

    // AHDL from the generator: the group row of generated files.
    SUMMARY_FIXTURE ahdl("/w/top.tdf", {"cgxgen"});
    EXPECT_EQ(ahdl.rows(), (ROWS{"top.tdf:1:0", "top_*.tdf:1:0", "top.inc:1:1", "top.cmp:0:1", "top.bsf:0:1",
                                "top_inst.tdf:0:1"}));
    EXPECT_EQ(CRSUMMARY_PAGE_BASE::get_entry_image(*ahdl.page.get_file_list_entry("top_*.tdf")), 4);
}

TEST(SummaryRows, RecordsOfTheCnxFileRestoreTheChoices) {
    SUMMARY_FIXTURE edited("/w/top.v", {},
                           "GEN_FILE: TYPE_NORMAL top.bsf FALSE\n"
                           "GEN_FILE: TYPE_NORMAL *_inst.v TRUE\n"
                           "GEN_FILE: TYPE_NORMAL top_bb.v FALSE\n"
                           "GEN_FILE: TYPE_NORMAL top.cmp TRUE\n");
    EXPECT_EQ(edited.rows(), (ROWS{"top.v:1:0", "top.inc:0:1", "top.cmp:1:1", "top.bsf:0:1", "top_inst.v:1:1",
                                  "top_bb.v:0:1"}));
    EXPECT_EQ(edited.page.check_gen_file_against_template("top_inst.v"), 0);
    EXPECT_EQ(edited.page.check_gen_file_against_template("top.bsf"), 1);
    EXPECT_EQ(edited.page.check_gen_file_against_template("top.inc"), 2);
}

TEST(SummaryRows, CallersAddTheirFixedFiles) {
    SUMMARY_FIXTURE ged("/w/top.v", {"GED", "PADMAP"}, "GEN_FILE: TYPE_NORMAL top.bsf FALSE\n");
    EXPECT_EQ(ged.rows(), (ROWS{"top.v:1:0", "top.ppf:1:0", "top.inc:0:1", "top.cmp:0:1", "top.bsf:1:0",
                               "top_inst.v:0:1", "top_bb.v:1:1"}));
    // From the graphic editor the symbol cannot be unchecked and is not remembered.
    EXPECT_FALSE(ged.page.toggle_entry(4));
    EXPECT_FALSE(ged.page.get_file_list_entry("top.bsf")->recorded);
    EXPECT_EQ(ged.page.get_file_list_entry("top.ppf")->description, "Padmap ports PPF file");
}

TEST(SummaryRows, AddAndRecord) {
    SUMMARY_FIXTURE f("/w/top.v", {});
    // Adding the same file again keeps one row; checked changes only on request.
    f.page.add_file_list_entry("top.bsf", "Symbol", true, true, false, true, true, false);
    EXPECT_EQ(f.page.get_file_list_count(), 6);
    EXPECT_FALSE(f.page.get_file_list_entry("top.bsf")->checked);
    EXPECT_EQ(f.page.get_file_list_entry("top.bsf")->description, "Symbol");
    f.page.add_file_list_entry("top.bsf", "Symbol", true, true, false, true, true, true);
    EXPECT_TRUE(f.page.get_file_list_entry("top.bsf")->checked);
    f.page.add_file_list_entry("  ", "blank", true, true, false, true, true, true);

    CRCNX_MANAGER& cnx = f.wizard.get_cnx_manager();
    cnx.add_cnx_gen_file(new CRCNX_ITEM_GEN_FILE("TYPE_NORMAL", "old.v", true, true));
    f.page.wizard_var_to_param();
    // Old records go, a blank name is skipped, every other row is one record.
    ASSERT_EQ(cnx.get_gen_file_list_count(), 6);
    EXPECT_EQ(cnx.get_gen_file_namepath(0), "top.v");
    EXPECT_TRUE(cnx.is_gen_file_checked(0));
    EXPECT_EQ(cnx.get_gen_file_type(5), "TYPE_NORMAL");
    EXPECT_EQ(cnx.get_gen_file_namepath(5), "top_bb.v");
}
