#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/test_wizard.h"
#include "support/bwizc_global.h"
#include "wizard/bwizc_resource_info.h"
#include "wizard/crwizard.h"
#include "wizard/crwizard_page.h"
#include "wizard/crwizard_page_frame.h"

namespace {

class PLAIN_PAGE : public CRWIZARD_PAGE {
public:
    PLAIN_PAGE(UINT template_id, int& log) : CRWIZARD_PAGE(template_id), m_log(log) {}
    void set_control_settings() override { m_log += 1; }
    void set_control_defaults() override { m_log += 10; }
    void param_to_wizard_var() override { m_log += 100; }

private:
    int& m_log;
};

// A page that is "shown" by leaving at once with the next code of a shared
// script, noting its name in the shared log.
class SCRIPTED_PAGE : public CRWIZARD_PAGE {
public:
    SCRIPTED_PAGE(char name, std::vector<int>& codes, std::string& log) : m_name(name), m_codes(codes), m_log(log) {}
    INT_PTR DoModal() override {
        m_log += m_name;
        set_exit_code(m_codes.empty() ? CRWIZARD_PAGE_EXIT_CANCEL : m_codes.front());
        if (!m_codes.empty()) m_codes.erase(m_codes.begin());
        return IDOK;
    }

private:
    char m_name;
    std::vector<int>& m_codes;
    std::string& m_log;
};

}  // namespace

TEST(PageManager, BackAndNextMoveThroughThePages) {
    std::vector<int> codes = {CRWIZARD_PAGE_EXIT_NEXT, CRWIZARD_PAGE_EXIT_BACK, CRWIZARD_PAGE_EXIT_NEXT,
                              CRWIZARD_PAGE_EXIT_NEXT, CRWIZARD_PAGE_EXIT_BACK, CRWIZARD_PAGE_EXIT_NEXT,
                              CRWIZARD_PAGE_EXIT_FINISH};
    std::string log;
    CRWIZARD wizard;
    for (char name : {'a', 'b', 'c'}) wizard.add_page(new SCRIPTED_PAGE(name, codes, log));
    EXPECT_EQ(wizard.sequence_page_list(0), CRWIZARD_PAGE_EXIT_FINISH);
    EXPECT_EQ(log, "ababcbc");
    // Back on the first page leaves the sequence.
    codes = {CRWIZARD_PAGE_EXIT_BACK};
    log.clear();
    EXPECT_EQ(wizard.sequence_page_list(0), CRWIZARD_PAGE_EXIT_BACK);
    EXPECT_EQ(log, "a");
}

TEST(PageFrame, PanelsSurroundTheContentAndTheFrameKeepsItsMinimumHeight) {
    CSize sizes[CRPAGE_FRAME_POSITION_COUNT];
    sizes[CRPAGE_FRAME_OUTER_BOTTOM] = CSize(300, 40);
    sizes[CRPAGE_FRAME_OUTER_LEFT] = CSize(150, 200);
    sizes[CRPAGE_FRAME_OUTER_TOP] = CSize(700, 60);
    const CRPAGE_FRAME_LAYOUT layout = crpage_compute_frame_layout(CSize(400, 300), sizes, 0);

    // Width: content and the left panel; height: top, content, bottom, but
    // never below 450.
    EXPECT_EQ(layout.frame, CSize(700, 450));
    EXPECT_EQ(layout.panels[CRPAGE_FRAME_OUTER_TOP], CRect(0, 0, 700, 60));
    // The extra width goes to the left of the content.
    EXPECT_EQ(layout.content_origin, CPoint(300, 60));
    EXPECT_EQ(layout.panels[CRPAGE_FRAME_OUTER_LEFT], CRect(0, 60, 150, 450));
    // The extra height lies between the content and the bottom bar.
    EXPECT_EQ(layout.panels[CRPAGE_FRAME_OUTER_BOTTOM], CRect(150, 410, 700, 450));

    // A taller page shown before makes this one as tall.
    const CRPAGE_FRAME_LAYOUT taller = crpage_compute_frame_layout(CSize(400, 300), sizes, 520);
    EXPECT_EQ(taller.frame.cy, 520);
    EXPECT_EQ(taller.panels[CRPAGE_FRAME_OUTER_BOTTOM].bottom, 520);

    // A tall page grows the frame instead.
    const CRPAGE_FRAME_LAYOUT tall = crpage_compute_frame_layout(CSize(400, 500), sizes, 0);
    EXPECT_EQ(tall.frame.cy, 600);
    EXPECT_EQ(crpage_frame_position_of("INNER_TOP"), CRPAGE_FRAME_INNER_TOP);
    EXPECT_EQ(crpage_frame_position_of("MIDDLE"), -1);
}

TEST(WizardPage, PortTypesValuesAndIndexedIds) {
    // Every port type and default value written to a description and read
    // back; codes outside the tables give an input without default.
    CRCNX_MANAGER written, read;
    for (int n = -1; n <= 11; ++n) {
        written.add_cnx_port(new CRCNX_ITEM_USED_PORT(CString("p") + std::to_string(n + 1).c_str(), 1, 0, 0, 0,
                                                      CRWIZARD_PAGE::get_port_type(n), CRWIZARD_PAGE::get_port_value(n), ""));
    }
    read.read_cnx_info_from_text(written.get_cnx_text("m", false));
    std::string types, values;
    for (int n = 0; n <= 12; ++n) {
        const CRCNX_ITEM_USED_PORT* p = read.find_read_port(CString("p") + std::to_string(n).c_str());
        ASSERT_NE(p, nullptr) << n;
        types += p->get_port_type().str() + " ";
        values += p->get_default_value().str() + " ";
    }
    EXPECT_EQ(types, "INPUT INPUT OUTPUT BIDIR INPUT_INT INPUT_EXT INPUT_CLK_INT INPUT_CLK_EXT OUTPUT_INT OUTPUT_EXT "
                     "OUTPUT_CLK_INT OUTPUT_CLK_EXT INPUT ");
    EXPECT_EQ(values, "NODEFVAL NODEFVAL GND VCC NODEFVAL NODEFVAL NODEFVAL NODEFVAL NODEFVAL NODEFVAL NODEFVAL "
                      "NODEFVAL NODEFVAL ");

    CRWIZARD_INDEXED_PAGE page(0, 2);
    EXPECT_EQ(page.get_indexed_cnx_private_id("use_x", 7), "use_x7");
    page.set_page_index(-1);
    EXPECT_EQ(page.get_indexed_cnx_private_id("use_x", -1), "use_x");

    CRWIZARD_PAGE plain;
    plain.set_page_nav_info("GROUP", "Label");
    EXPECT_EQ(plain.get_page_id(), "GROUP#Label");
    plain.set_page_nav_info("GROUP", "Label", "own");
    EXPECT_EQ(plain.get_page_id(), "own");
}

TEST(WizardPage, ControlExchangeStoresLoadsAndSkipsUnboundControls) {
    CRWIZARD wizard;
    CRWIZARD_INDEXED_PAGE page(0, 2);
    wizard.set_page_info(&page);
    test_wizard::TEXT_VALUE bound(""), unbound("");
    bound.set_default("d");
    page.add_and_register_control(&bound, "use_x");
    page.add_and_register_control(&unbound, "");
    EXPECT_EQ(bound.get_cnx_id(), "use_x2");
    EXPECT_FALSE(unbound.is_included_in_cnx());

    page.do_ddx_exchange(1);
    EXPECT_EQ(bound.value, "d");  // no record: the default
    bound.value = "7";
    unbound.value = "9";
    page.do_ddx_exchange(0);
    CRCNX_MANAGER& cnx = wizard.get_cnx_manager();
    ASSERT_NE(cnx.find_cnx_private("use_x2"), nullptr);
    EXPECT_EQ(cnx.find_cnx_private("use_x2")->get_value(), "7");
    EXPECT_EQ(cnx.get_private_table().get_count(), 1);
    bound.value = "x";
    page.do_ddx_exchange(1);
    EXPECT_EQ(bound.value, "7");
}

TEST(PageManager, ListOperationsPrepareThePagesAndFindThem) {
    CRWIZARD wizard;
    int log_a = 0, log_b = 0, log_c = 0;
    wizard.add_page(new PLAIN_PAGE(5, log_a));
    wizard.add_page(new PLAIN_PAGE(6, log_b), true);  // settings only
    wizard.insert_page_before(0, new PLAIN_PAGE(5, log_c));
    EXPECT_EQ(log_a, 111);
    EXPECT_EQ(log_b, 1);
    EXPECT_EQ(wizard.get_page_count(), 3);
    EXPECT_EQ(wizard.find_first_page(5), 0);
    EXPECT_EQ(wizard.find_last_page(5), 1);
    EXPECT_EQ(wizard.find_first_page(7), -1);
    EXPECT_EQ(wizard.get_page_at(3), nullptr);
    EXPECT_EQ(wizard.get_page_at(1)->get_wizard_ref(), &wizard);
    EXPECT_TRUE(wizard.remove_page_at(0));
    EXPECT_EQ(wizard.find_first_page(5), 0);

    // Without pages shown yet, the largest frame is the current one's.
    EXPECT_EQ(wizard.get_max_last_dlg_size(CSize(500, 460)), CSize(500, 460));
    CRWIZARD empty;
    EXPECT_EQ(empty.get_max_last_dlg_size(CSize(500, 460)), CSize(-1, -1));
}

TEST(WizardBase, DesignFileNamesAndDeviceFamily) {
    CRWIZARD wizard;
    wizard.set_variation_file_parts("/home/u/my dir/Top.VHD");
    EXPECT_EQ(wizard.get_variation_file_title(), "Top");
    EXPECT_EQ(wizard.get_variation_file_ext(), ".VHD");
    EXPECT_EQ(wizard.get_variation_file_name(), "Top.VHD");
    EXPECT_EQ(wizard.get_variation_file_path(), "/home/u/my dir/");
    EXPECT_EQ(wizard.get_cnx_file_full_path(), "/home/u/my dir/Top.cnx");
    EXPECT_TRUE(wizard.is_design_file_extension_valid(".tdf"));

    EXPECT_EQ(wizard.get_cgx_device_family_obj(), CGX_DEFAULT_DEVICE_FAMILY);
    EXPECT_TRUE(wizard.set_cgx_device_family("Velaris II GX"));
    EXPECT_EQ(wizard.get_cgx_device_family(), "Velaris II GX");
    EXPECT_EQ(wizard.get_prev_cgx_device_family(), CGX_DEFAULT_DEVICE_FAMILY);
    EXPECT_FALSE(wizard.set_cgx_device_family("No Such Family"));
    EXPECT_EQ(wizard.get_cgx_device_family(), "Velaris II GX");
}

TEST(WizardPage, ResourceRequestCarriesParametersPortsAndFamily) {
    class PARAM_PAGE : public CRWIZARD_PAGE {
    public:
        void wizard_var_to_param() override {
            get_cnx_manager_ref()->add_cnx_constant(new CRCNX_ITEM_CONSTANT("LPM_FILE", "STRING", "c:\\gxb\\x.mif"));
            get_cnx_manager_ref()->add_cnx_constant(new CRCNX_ITEM_CONSTANT("WIDTH", "NUMERIC", "20"));
            get_cnx_manager_ref()->add_cnx_port(new CRCNX_ITEM_USED_PORT("rx_in", 4, 0, 0, 0, "INPUT", "NODEFVAL", ""));
        }
    };
    std::vector<BWIZC_RESOURCE_INFO_REQUEST> requests;
    auto previous = bwizc_set_resource_info_requester(
        [&requests](const BWIZC_RESOURCE_INFO_REQUEST& request) { requests.push_back(request); });
    CRWIZARD wizard;
    wizard.set_wizard_name("KV2GXB");
    auto* page = new PARAM_PAGE;
    wizard.add_page(page);
    // A stale record of an earlier request does not survive.
    wizard.get_cnx_manager().add_cnx_constant(new CRCNX_ITEM_CONSTANT("OLD", "STRING", "1"));
    g_bwizc_resource_info_manager.set_dll_path("");
    page->update_resource_info(true, true);
    // The generator list beside the executable names the library.
    EXPECT_EQ(g_bwizc_resource_info_manager.get_dll_path(), bwizc_global_get_app_path() + "libkv2gxb_cgx.so");
    g_bwizc_resource_info_manager.set_dll_path("");
    // A silent run shows nothing: it asks for nothing.
    wizard.get_cmdline_manager()->ParseParam("silent", 1, 0);
    page->update_resource_info(false, true);
    bwizc_set_resource_info_requester(previous);

    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].param_text, "LPM_FILE=c:/gxb/x.mif;WIDTH=20;DEVICE_FAMILY=Velaris;");
    EXPECT_EQ(requests[0].port_text, "rx_in;");
    EXPECT_TRUE(requests[0].estimate_resources);
    EXPECT_TRUE(requests[0].get_simulation_libraries);
    EXPECT_EQ(requests[0].module_name, "kv2gxb");
    EXPECT_EQ(requests[0].window, page);
}
