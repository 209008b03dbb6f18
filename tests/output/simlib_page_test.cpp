#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "output/crsimlib_page.h"
#include "services/mfam.h"
#include "wizard/bwizc_resource_info.h"
#include "wizard/crwizard.h"

namespace {

struct SIMLIB_FIXTURE {
    explicit SIMLIB_FIXTURE(std::vector<const char*> options = {}) {
        auto* info = new CRWIZARD_COMMAND_LINE_INFO;
        for (const char* option : options) info->ParseParam(option, 1, 0);
        wizard.set_cmdline_manager(info);
        wizard.set_page_info(&page);
    }
    CRWIZARD wizard;
    CRSIMLIB_PAGE page;
};

}  // namespace

TEST(SimlibPage, DescribesFixedNamesAndTheFamilysAtomLibrary) {
    SIMLIB_FIXTURE f;
    ASSERT_TRUE(f.wizard.set_cgx_device_family("Velaris II GX"));
    EXPECT_EQ(f.page.get_simulation_library_file_desc(" LPM "), "LPM brixfunction simulation library");
    EXPECT_EQ(f.page.get_simulation_library_file_desc("xgate"), "Xgate simulation library");
    EXPECT_EQ(f.page.get_simulation_library_file_desc("korvel"), "Korvel primitives simulation library");

    const CString atom = mfam_get_wysiwyg_library_name("Velaris II GX");
    ASSERT_FALSE(atom.IsEmpty());
    EXPECT_EQ(f.page.get_simulation_library_file_desc(atom), "Velaris II GX atom simulation library");
    EXPECT_EQ(f.page.get_simulation_library_file_desc("other_hssi"), "Auto-generated simulation library file");
    // Another family's atom library is not this one's.
    ASSERT_TRUE(f.wizard.set_cgx_device_family("Velaris"));
    EXPECT_EQ(f.page.get_simulation_library_file_desc(atom), "Auto-generated simulation library file");
}

TEST(SimlibPage, RowsComeFromTheWorkersText) {
    SIMLIB_FIXTURE f;
    const std::pair<const char*, std::string> cases[] = {
        {"", ""}, {"lpm;;korvel_mf;", "lpm|korvel_mf|"}, {"no_simlib", "---|"}};
    for (const auto& [text, names] : cases) {
        f.page.CRSIMLIB_PAGE_BASE::update_simlib_list_entries(text);
        std::string seen;
        for (const auto& row : f.page.get_entries()) seen += row.file_name.str() + "|";
        EXPECT_EQ(seen, names) << text;
    }
    EXPECT_EQ(f.page.get_entries()[0].description, "No simulation library is needed");

    // The page itself reads the worker's global text.
    bwizc_set_simlib_info_string("xgate");
    f.page.update_simlib_list_entries();
    ASSERT_EQ(f.page.get_entries().size(), 1u);
    bwizc_set_simlib_info_string("");
}

TEST(SimlibPage, CheckBoxStateTravelsAsPrivateRecord) {
    SIMLIB_FIXTURE without;
    without.page.wizard_var_to_param();
    EXPECT_EQ(without.wizard.get_cnx_manager().find_cnx_private("KV_SIMLIB_GEN"), nullptr);

    SIMLIB_FIXTURE with({"SIMLIB_GEN"});
    with.page.param_to_wizard_var();
    EXPECT_FALSE(with.page.is_generate_files_checked());
    with.page.wizard_var_to_param();
    ASSERT_NE(with.wizard.get_cnx_manager().find_cnx_private("KV_SIMLIB_GEN"), nullptr);
    EXPECT_EQ(with.wizard.get_cnx_manager().find_cnx_private("KV_SIMLIB_GEN")->get_value(), "0");

    with.wizard.get_cnx_manager().read_cnx_info_from_text("PRIVATE: KV_SIMLIB_GEN STRING \"1\"\n");
    with.page.param_to_wizard_var();
    EXPECT_TRUE(with.page.is_generate_files_checked());
    with.page.wizard_var_to_param();
    EXPECT_EQ(with.wizard.get_cnx_manager().find_cnx_private("KV_SIMLIB_GEN")->get_value(), "1");
}

TEST(SimlibPage, RowsOfTheGeneratorLibrarysAnswerForTheFamily) {
    BWIZC_RESOURCE_INFO_MANAGER worker;
    worker.set_dll_path(KV2GXB_BUILD_DIR "/bin/libkv2gxb_cgx.so");
    SIMLIB_FIXTURE f;
    ASSERT_TRUE(f.wizard.set_cgx_device_family("Velaris II GX"));
    bwizc_set_simlib_info_string("");
    worker.update_resource_info_thread("DEVICE_FAMILY=Velaris II GX;", "", false, true, nullptr, -1);
    for (int i = 0; i < 2000 && (bwizc_get_simlib_info_string().IsEmpty() || worker.is_busy()); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    f.page.update_simlib_list_entries();
    CString rows;
    for (const auto& row : f.page.get_entries()) rows += row.file_name + ": " + row.description + "\n";
    EXPECT_EQ(rows, "korvel_mf: Korvel brixfunction simulation library\nlpm: LPM brixfunction simulation library\n"
                    "velarisiigx_hssi: Velaris II GX HSSI simulation library\n");
    bwizc_set_simlib_info_string("");
}
