// The button bar and the navigation panel on real pages of the test wizard.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/menu.h"
#include "platform/user_input.h"
#include "support/bwizc_global.h"
#include "test_wizard.h"
#include "toolkit/crnavigation_panel_decorator.h"
#include "toolkit/crstd_buttons_panel_decorator.h"

using namespace test_wizard;
using BAR = CRSTD_BUTTONS_PANEL_DECORATOR;
using NAV = CRNAVIGATION_PANEL_DECORATOR;

namespace {

class DecoratorSession : public ::testing::Test {
protected:
    std::string command(const std::string& options) const { return "kv2gxb " + options + " " + dir + "/top.vhd"; }
    SCRATCH_DIR scratch;
    std::string dir = scratch.path();
};

// The window under `parent` (at any depth) with that text or id, or null.
template <class MATCH>
CWnd* find_window(CWnd* parent, const MATCH& match) {
    for (CWnd* child : parent->get_children()) {
        if (match(child)) return child;
        if (CWnd* found = find_window(child, match)) return found;
    }
    return nullptr;
}
CWnd* find_by_text(CWnd* parent, const char* text) {
    return find_window(parent, [text](CWnd* w) { return w->GetWindowText() == text; });
}
CWnd* find_by_id(CWnd* parent, int id) {
    return find_window(parent, [id](CWnd* w) { return w->GetDlgCtrlID() == id; });
}

}  // namespace

TEST_F(DecoratorSession, ButtonBarSitsFlushRightWithDocumentationAtTheLeft) {
    TEST_WIZARD wizard(2);
    EXPECT_TRUE(run(wizard, command("-hbutton"), {[](CDialog* dialog) {
        CRect client;
        dialog->GetClientRect(&client);
        CWnd* help = dialog->GetDlgItem(BAR::HELP_BUTTON_ID);
        CWnd* cancel = dialog->GetDlgItem(BAR::CANCEL_BUTTON_ID);
        CWnd* back = dialog->GetDlgItem(BAR::PREV_BUTTON_ID);
        CWnd* next = dialog->GetDlgItem(BAR::NEXT_BUTTON_ID);
        CWnd* finish = dialog->GetDlgItem(BAR::FINISH_BUTTON_ID);
        EXPECT_TRUE(help && cancel && back && next && finish);
        if (!(help && cancel && back && next && finish)) return true;
        EXPECT_EQ(help->GetWindowText(), "&Documentation");
        EXPECT_EQ(help->get_rect().Width(), BAR::HELP_BUTTON_WIDTH);
        EXPECT_EQ(finish->GetWindowText(), "&Finish");
        EXPECT_EQ(back->GetWindowText(), "< &Back");
        // Left to right: Documentation ... Cancel, Back, Next, Finish at the right edge.
        CWnd* const in_order[] = {help, cancel, back, next, finish};
        for (int i = 0; i < 4; ++i) EXPECT_LT(in_order[i]->get_rect().right, in_order[i + 1]->get_rect().left) << i;
        EXPECT_EQ(finish->get_rect().Size(), BAR::STD_BUTTON_DIMS);
        EXPECT_GT(finish->get_rect().right, client.right - 30);
        EXPECT_LT(help->get_rect().left, client.Width() / 2);
        // The bar is at the bottom of a page at least 450 pixels tall.
        EXPECT_GE(client.Height(), 450);
        EXPECT_GT(finish->get_rect().top, client.bottom - 40);
        return press(BAR::CANCEL_BUTTON_ID)(dialog);
    }}));
    EXPECT_EQ(wizard.get_wizard_closing_state(), 2);
}

TEST_F(DecoratorSession, NavigationPanelListsGroupsAndJumpsToAPage) {
    WIZMAN_LISTENER listener(4343);
    ASSERT_TRUE(listener.is_bound());
    TEST_WIZARD wizard(3);
    EXPECT_TRUE(run(wizard, command("-NAV -h4343"),
                    {[&wizard](CDialog* dialog) {
                         // Three groups: the parameter pages, the simulation library, the summary.
                         const auto& items = wizard.get_navigation_panel_decorator()->get_nav_items();
                         EXPECT_EQ(items.size(), 3u);
                         if (items.size() != 3u) return true;
                         EXPECT_EQ(items[0]->item_id, "PARAM_SETTINGS");
                         EXPECT_EQ(items[0]->description, "Settings");
                         // One button per other group (which buttons show on which page is pinned below).
                         CWnd* summary = find_by_text(dialog, "Summary");
                         EXPECT_TRUE(summary && bwizc_user_click(summary));
                         return true;
                     },
                     [](CDialog* dialog) {
                         // The summary group has one page: its button led straight there,
                         // and it shows no sub-buttons.
                         EXPECT_NE(dialog->GetWindowText().Find("-- Summary"), -1)
                             << dialog->GetWindowText().c_str();
                         EXPECT_EQ(find_by_text(dialog, "Summary Page"), nullptr);
                         return press(BAR::CANCEL_BUTTON_ID)(dialog);
                     }}));
    EXPECT_EQ(wizard.shown_captions.size(), 1u);
    // The jump is told once for itself and once through Next; then Cancel.
    EXPECT_EQ(listener.received().size(), 3u);
}

TEST_F(DecoratorSession, DeviceFamilyBoxOnTheFirstPageChoosesTheFamilyThatIsWritten) {
    TEST_WIZARD wizard(2);
    EXPECT_TRUE(run(wizard, command("-cgxgen/addcombo"),
                    {[&wizard](CDialog* dialog) {
                         CWnd* box = find_by_id(dialog, 42);
                         EXPECT_NE(box, nullptr);
                         if (!box) return true;
                         EXPECT_EQ(box->GetWindowText(), "Velaris");  // the default family
                         EXPECT_TRUE(bwizc_user_select_text(box, "Velaris II GX"));
                         EXPECT_EQ(wizard.get_cgx_device_family(), "Velaris II GX");
                         return press(BAR::NEXT_BUTTON_ID)(dialog);
                     },
                     [](CDialog* dialog) {
                         EXPECT_EQ(find_by_id(dialog, 42), nullptr);  // first page only
                         return press(BAR::FINISH_BUTTON_ID)(dialog);
                     },
                     press(BAR::FINISH_BUTTON_ID, "Summary")}));
    const std::string text = read_file(dir + "/top.cnx");
    EXPECT_NE(text.find("PRIVATE: INTENDED_DEVICE_FAMILY STRING \"Velaris II GX\""), std::string::npos) << text;
    EXPECT_NE(text.find("CONSTANT: INTENDED_DEVICE_FAMILY STRING \"Velaris II GX\""), std::string::npos) << text;

    // Editing the variation again starts from the family it recorded.
    TEST_WIZARD again(2);
    EXPECT_TRUE(run(again, command("-add_auto_device_combo"), {[&again](CDialog* dialog) {
        EXPECT_EQ(again.get_cgx_device_family(), "Velaris II GX");
        CWnd* box = find_by_id(dialog, 42);
        EXPECT_EQ(box ? box->GetWindowText() : CString(), "Velaris II GX");
        return press(BAR::CANCEL_BUTTON_ID)(dialog);
    }}));
}

TEST_F(DecoratorSession, ButtonStatesSurviveAPageUpdate) {
    // A change on a page re-lays it out; the bar must keep the first and the
    // last page's disabled buttons and default button through that.
    TEST_WIZARD wizard(1);
    auto check_after_update = [&wizard](CDialog* dialog, UINT disabled, UINT default_id) {
        for (bool updated : {false, true}) {
            if (updated) {
                // The focus on the page itself, not on the bar, so that the update runs.
                dialog->SetFocus();
                const int before = dialog->get_invalidate_count();
                wizard.get_cur_page()->invalidate_and_update_page(true);
                EXPECT_GT(dialog->get_invalidate_count(), before);
            }
            CWnd* button = dialog->GetDlgItem(static_cast<int>(disabled));
            EXPECT_TRUE(button && !button->IsWindowEnabled())
                << "button " << disabled << " on " << dialog->GetWindowText().c_str() << (updated ? " updated" : "");
            EXPECT_EQ(LOWORD(dialog->GetDefID()), default_id);
        }
    };
    EXPECT_TRUE(run(wizard, command(""),
                    {[&](CDialog* dialog) {
                         check_after_update(dialog, BAR::PREV_BUTTON_ID, BAR::NEXT_BUTTON_ID);
                         return press(BAR::FINISH_BUTTON_ID, "Page 1")(dialog);
                     },
                     [&](CDialog* dialog) {
                         check_after_update(dialog, BAR::NEXT_BUTTON_ID, BAR::FINISH_BUTTON_ID);
                         return press(BAR::CANCEL_BUTTON_ID, "Summary")(dialog);
                     }}));
}

namespace {
// The navigation buttons under the page as "id label mark|"; the mark is the
// window's check state (1 the page shown, 2 its group).
std::string nav_items(CWnd* parent) {
    std::string text;
    for (CWnd* child : parent->get_children()) {
        const int id = child->GetDlgCtrlID();
        if (child->get_kind() == BWIZC_KIND_BUTTON && id >= static_cast<int>(NAV::ITEM_RESOURCE_ID_BASE) && id < 100) {
            text += std::to_string(id) + " " + child->GetWindowText().c_str() + " " + std::to_string(child->state().check) + "|";
        }
        text += nav_items(child);
    }
    return text;
}

// The calling program's part of a CNX file: host texts and help entries.
const char* const HOST_CNX =
    "WIZARD_TITLE: \"Test Wizard\"\nZEPHRIN_VERSION: \"9.1\"\nZEPHRIN_SVERSION: \"9.1sp2\"\n"
    "ZEPHRIN_BUILD_DATE: \"2026-11-30\"\nKORVEL_COPYRIGHT: \"Copyright (C) 2026 Korvel.\"\n"
    "HELP_MENU_ITEM: 1 \"Release Notes$https://example.invalid/notes.html$\"\n"
    "HELP_MENU_ITEM: 1 \"User Guide$guide.html$ports\"\nHELP_MENU_ITEM: 0 \"Withdrawn$old.html\"\n"
    "HELP_MENU_ITEM: 1 \"No Target\"\n";

// A wizard with one help item of its own, as a concrete wizard registers it.
class HELPFUL_WIZARD : public TEST_WIZARD {
public:
    HELPFUL_WIZARD() : TEST_WIZARD(2) {}
    void on_wizard_help() override {
        get_help_menu().remove_all();
        get_help_menu().add_item("Wizard &Manual", "/opt/manual.html");
    }
};
}  // namespace

TEST_F(DecoratorSession, NavigationPanelMarksThePageShownAndItsGroupOnEveryPage) {
    TEST_WIZARD wizard(3);
    const std::pair<std::string, std::string> expected[] = {
        {"Page 1", "60 Parameter 2|61 Page 1 1|62 Page 2 0|63 Page 3 0|64 Simulation 0|65 Summary 0|"},
        {"Page 2", "60 Parameter 2|61 Page 1 0|62 Page 2 1|63 Page 3 0|64 Simulation 0|65 Summary 0|"},
        {"Page 3", "60 Parameter 2|61 Page 1 0|62 Page 2 0|63 Page 3 1|64 Simulation 0|65 Summary 0|"},
        {"Simulation Library", "60 Parameter 0|61 Simulation 1|62 Summary 0|"},
        {"Summary", "60 Parameter 0|61 Simulation 0|62 Summary 1|"}};
    BWIZC_INPUT_SCRIPT script;
    for (const auto& [page, items] : expected) {
        script.then([page = page, items = items](CDialog* dialog) {
            EXPECT_NE(dialog->GetWindowText().Find(page.c_str()), -1) << dialog->GetWindowText().c_str();
            EXPECT_EQ(nav_items(dialog), items) << page;
            return bwizc_user_click(dialog, page == "Summary" ? BAR::FINISH_BUTTON_ID : BAR::NEXT_BUTTON_ID);
        });
    }
    EXPECT_TRUE(run(wizard, command("-NAV"), &script));
    EXPECT_EQ(script.get_steps_run(), 5);
}

TEST_F(DecoratorSession, DocumentationMenuListsTheWizardsAndTheCnxEntriesAtItsButton) {
    // The bar's button opens the menu upward from its top, the panel's below it;
    // with the panel the button is there only.
    for (const auto& [options, button_id] : {std::pair<const char*, UINT>{"-hbutton", BAR::HELP_BUTTON_ID},
                                             {"-NAV", NAV::HELP_BUTTON_ID}, {"-hbutton -NAV", NAV::HELP_BUTTON_ID}}) {
        write_file(dir + "/top.cnx", HOST_CNX);
        HELPFUL_WIZARD wizard;
        std::vector<BWIZC_POPUP_MENU> shown;
        std::vector<CString> opened;
        // The user picks "User Guide" the first time and dismisses the menu the second.
        bwizc_set_menu_chooser([&shown](const BWIZC_POPUP_MENU& menu) {
            shown.push_back(menu);
            return shown.size() == 1 ? menu.entries[3].id : 0u;
        });
        BWIZC_MENU::set_launcher([&opened](const CString& target) { return opened.push_back(target), true; });
        CRect rect;
        EXPECT_TRUE(run(wizard, command(options), {[&, id = button_id](CDialog* dialog) {
            EXPECT_EQ(dialog->GetDlgItem(BAR::HELP_BUTTON_ID) != nullptr, id == BAR::HELP_BUTTON_ID) << options;
            CWnd* button = find_by_id(dialog, static_cast<int>(id));
            if (button) button->GetWindowRect(&rect);
            EXPECT_TRUE(button && bwizc_user_click(button) && bwizc_user_click(button)) << options;
            return bwizc_user_click(dialog, BAR::CANCEL_BUTTON_ID);
        }}));
        bwizc_set_menu_chooser(nullptr);
        BWIZC_MENU::set_launcher(nullptr);
        ASSERT_EQ(shown.size(), 2u) << options;
        std::string labels;
        for (const BWIZC_MENU_ENTRY& e : shown[1].entries) labels += e.id ? e.text.str() + (e.enabled ? "+|" : "-|") : "-|";
        EXPECT_EQ(labels, "Wizard &Manual+|-|Release Notes+|User Guide+|Withdrawn-|No Target-|") << options;
        const bool below = button_id == NAV::HELP_BUTTON_ID;
        EXPECT_EQ(shown[0].upward, !below);
        EXPECT_EQ(shown[0].at, CPoint(rect.left, below ? rect.bottom : rect.top)) << options;
        // The chosen file, made absolute, with its topic; dismissing opens nothing.
        EXPECT_EQ(opened, std::vector<CString>{bwizc_global_get_absolute_path_from_app("guide.html") + "#ports"});
    }
}

TEST_F(DecoratorSession, AboutBoxShowsTheHostTextsOfTheCnxFile) {
    // Each line by its control id: title, version, build date, copyright.
    for (const auto& [cnx, lines] :
         {std::pair<std::string, std::string>{HOST_CNX, "1301 Test Wizard|1303 Blockwright Plug-In Manager version 9.1 (9.1sp2)|"
                                                        "1304 Build date: 2026-11-30|1305 Copyright (C) 2026 Korvel.|"},
          {"", "1301 Configuration wizard|"}}) {
        write_file(dir + "/top.cnx", cnx);
        TEST_WIZARD wizard(2);
        std::string seen;
        BWIZC_INPUT_SCRIPT script;
        // The click is posted, so that the box's own loop runs after this step.
        script.then([](CDialog* dialog) {
                  CWnd* about = find_by_id(dialog, NAV::ABOUT_BUTTON_ID);
                  return about && about->GetParent()->PostMessage(WM_COMMAND, MAKEWPARAM(NAV::ABOUT_BUTTON_ID, BN_CLICKED),
                                                                  reinterpret_cast<LPARAM>(about->m_hWnd));
              })
            .then([&seen](CDialog* about) {
                for (CWnd* child : about->get_children()) {
                    if (child->get_kind() == BWIZC_KIND_STATIC) seen += std::to_string(child->GetDlgCtrlID()) + " " + child->GetWindowText().str() + "|";
                }
                return bwizc_user_click(about, IDOK);
            })
            .then([](CDialog* dialog) { return bwizc_user_click(dialog, BAR::CANCEL_BUTTON_ID); });
        EXPECT_TRUE(run(wizard, command("-NAV"), &script));
        EXPECT_EQ(script.get_steps_run(), 3);
        EXPECT_EQ(seen, lines);
    }
}

TEST_F(DecoratorSession, NavigationPanelShowsTheNamedLogoImageOrItsOwnMark) {
    // A PNG header is all the panel reads: the image's size (66 x 33, 200 x 25).
    const std::string square = dir + "/square.png", wide = dir + "/wide.png";
    std::ofstream(square, std::ios::binary) << std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x42\0\0\0\x21", 24);
    std::ofstream(wide, std::ios::binary) << std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\xC8\0\0\0\x19", 24);
    const struct {
        std::string path, image;
        CSize size;
    } rows[] = {{square, square, {88, CRNAV_LOGO::SIZE}},
                // Wider than the panel takes: narrowed, and lower by the same ratio.
                {wide, wide, {CRNAV_LOGO::MAX_IMAGE_WIDTH, 20}},
                {dir + "/top.cnx", "", {CRNAV_LOGO::SIZE, CRNAV_LOGO::SIZE}}};
    for (const auto& row : rows) {
        write_file(dir + "/top.cnx", "LOGO_FILE_PATHNAME: \"" + row.path + "\"\n");
        TEST_WIZARD wizard(1);
        EXPECT_TRUE(run(wizard, command("-NAV"), {[&](CDialog* dialog) {
            EXPECT_EQ(wizard.get_navigation_panel_decorator()->get_logo()->get_image_file(), row.image);
            CWnd* logo = find_by_id(dialog, NAV::LOGO_ID);
            EXPECT_EQ(logo ? logo->get_rect().Size() : CSize(), row.size) << row.path;
            return bwizc_user_click(dialog, BAR::CANCEL_BUTTON_ID);
        }}));
    }
}
