// The test wizard's pages shown by the Qt backend (offscreen): real widget
// clicks move through the pages, and each page is saved as a screenshot.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/test_wizard.h"
#include "platform/backends/qt/qt_backend.h"
#include "platform/text_metrics.h"
#include "toolkit/crstd_buttons_panel_decorator.h"
#include "support/bwizc_global.h"
#include "platform/user_input.h"
#include "symbol/crsymbol.h"
#include "transceiver/pages/kvgxb_loopback_pages.h"
#include "transceiver/pages/kvgxb_page1.h"
#include "transceiver/pages/kvgxb_page3_tx.h"

using namespace test_wizard;
using BAR = CRSTD_BUTTONS_PANEL_DECORATOR;

namespace {

bool has_ink(const QImage& img, const CRect& rc) {
    const QRect region = QRect(rc.left, rc.top, rc.Width(), rc.Height()).intersected(img.rect());
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (qGray(img.pixel(x, y)) < 110) return true;
    return false;
}

// Plays one step per page: each time a new page is up, the next step runs.
class QT_PLAYER {
public:
    using STEP = std::function<void(CDialog*)>;
    explicit QT_PLAYER(std::vector<STEP> steps) : m_steps(std::move(steps)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start(20);
    }
    size_t steps_run() const { return m_next; }

private:
    void tick() {
        const auto& stack = CDialog::get_modal_stack();
        if (stack.empty() || stack.back() == m_last || m_next >= m_steps.size()) return;
        m_last = stack.back();
        m_steps[m_next++](m_last);
    }
    std::vector<STEP> m_steps;
    size_t m_next = 0;
    CDialog* m_last = nullptr;
    QTimer m_timer;
};

// A real mouse click on the button's widget, native or owner-drawn.
void click(CDialog* dialog, UINT id) {
    QWidget* button = bwizc_qt_widget(dialog->GetDlgItem(static_cast<int>(id)));
    ASSERT_NE(button, nullptr) << "button " << id;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

// The label of an owner-drawn button or a decoration's text fits its window.
bool label_fits(CWnd* wnd, int room) {
    CString text = wnd->GetWindowText();
    text.Remove('&');
    return bwizc_text_extent(wnd->get_effective_font(), text).cx + room <= wnd->get_rect().Width();
}

// The decorations' windows (ids 10-29 and 50-149): every label fits with
// room to spare and no two buttons overlap.
void expect_decorations_fit(CWnd* parent, const char* name, std::vector<CRect>* buttons, CPoint at = CPoint(0, 0)) {
    for (CWnd* child : parent->get_children()) {
        CRect box = child->get_rect();
        box.OffsetRect(at);
        const int id = child->GetDlgCtrlID();
        const bool button = child->get_kind() == BWIZC_KIND_BUTTON;
        if (((id >= 10 && id <= 29) || (id >= 50 && id <= 149)) && child->IsWindowVisible()) {
            EXPECT_TRUE(label_fits(child, button ? 8 : 0)) << name << " \"" << child->GetWindowText().c_str() << "\"";
            for (const CRect& o : *buttons) {
                EXPECT_FALSE(button && box.left < o.right && o.left < box.right && box.top < o.bottom && o.top < box.bottom)
                    << name << " \"" << child->GetWindowText().c_str() << "\"";
            }
            if (button) buttons->push_back(box);
        }
        if (!button) expect_decorations_fit(child, name, buttons, box.TopLeft());
    }
}

void screenshot(CDialog* dialog, const char* name) {
    QImage shot = bwizc_qt_grab(dialog);
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QString::fromUtf8((CString(KV2GXB_ARTIFACTS_DIR) + "/" + name).c_str())));
    std::vector<CRect> buttons;
    expect_decorations_fit(dialog, name, &buttons);
    for (UINT id : {BAR::CANCEL_BUTTON_ID, BAR::PREV_BUTTON_ID, BAR::NEXT_BUTTON_ID, BAR::FINISH_BUTTON_ID}) {
        CWnd* button = dialog->GetDlgItem(static_cast<int>(id));
        // Enabled buttons show dark text; a disabled one is greyed.
        EXPECT_EQ(has_ink(shot, button->get_rect()), button->IsWindowEnabled() != FALSE) << name << " button " << id;
    }
}

// Every item of the page's template as the Qt backend shows it: a label's
// text fits its box, and no two items overlap (a group box holds others).
void expect_clean_layout(CDialog* page, const char* name) {
    const BWIZC_DIALOG_TEMPLATE* t = page->get_template();
    ASSERT_NE(t, nullptr) << name;
    std::vector<std::pair<CString, QRect>> boxes;
    std::vector<CWnd*> matched;
    for (const BWIZC_DIALOG_ITEM& item : t->items) {
        // Unnamed labels are told apart by their text, in template order.
        CWnd* wnd = nullptr;
        for (CWnd* child : page->get_children()) {
            if (!wnd && child->GetDlgCtrlID() == static_cast<int>(item.id) &&
                std::find(matched.begin(), matched.end(), child) == matched.end() &&
                (item.id != static_cast<UINT>(IDC_STATIC) || child->GetWindowText() == item.text))
                wnd = child;
        }
        matched.push_back(wnd);
        ASSERT_NE(wnd, nullptr) << name << " item " << item.id << " " << item.text.c_str();
        QWidget* widget = bwizc_qt_widget(wnd);
        if (!widget || !wnd->IsWindowVisible()) continue;
        const QRect box = widget->geometry();
        const CString what = CString(name) + " item " + bwizc_global_int2str(static_cast<int>(item.id)) + " \"" +
                             wnd->GetWindowText() + "\"";
        if (auto* button = dynamic_cast<QAbstractButton*>(widget)) {
            EXPECT_LE(button->sizeHint().width(), box.width()) << what.c_str();
        } else if (item.kind == BWIZC_KIND_BUTTON && (wnd->GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW) {
            // An owner-drawn check box or radio button: the mark, then its text.
            EXPECT_TRUE(label_fits(wnd, 18)) << what.c_str();
        } else if (item.kind == BWIZC_KIND_STATIC) {
            // A label fits on its line, or wraps within its box.
            CFont font;
            const LOGFONT lf = wnd->get_effective_font();
            font.CreateFontIndirect(&lf);
            CDC measure;
            measure.SelectObject(&font);
            CRect wrapped(0, 0, box.width(), 0);
            measure.DrawText(wnd->GetWindowText(), &wrapped, DT_CALCRECT | DT_WORDBREAK);
            EXPECT_TRUE(wrapped.Width() <= box.width() && wrapped.Height() <= box.height()) << what.c_str();
        }
        if ((item.style & BS_TYPEMASK) == BS_GROUPBOX && item.kind == BWIZC_KIND_BUTTON) continue;
        for (const auto& [other, other_box] : boxes) EXPECT_FALSE(box.intersects(other_box)) << what.c_str() << " on " << other.c_str();
        boxes.emplace_back(what, box);
    }
}

// The two looks every page is shown in (the flat one's shots end in "_laf").
using LOOK = const char*;
const LOOK LOOKS[] = {"-NAV", "-LAF"};
std::string shot_name(const char* base, LOOK look) { return std::string(base) + (look == LOOKS[1] ? "_laf" : "") + ".png"; }

}  // namespace

TEST(WizardQt, PagesWithTheirFrameAreShownAndClickedThrough) {
    // With the navigation panel, then with Documentation in the bar in both looks.
    for (const std::string options : {"-NAV -hbutton", "-hbutton", "-hbutton -LAF"}) {
        const std::string suffix = options == "-hbutton" ? "_bar" : options == "-hbutton -LAF" ? "_bar_laf" : "";
        SCRATCH_DIR dir;
        TEST_WIZARD wizard(2);
        QT_PLAYER player({
            [&](CDialog* d) {
                screenshot(d, ("wizard_page_1" + suffix + ".png").c_str());
                click(d, BAR::NEXT_BUTTON_ID);
            },
            [](CDialog* d) { click(d, BAR::FINISH_BUTTON_ID); },
            [&](CDialog* d) {
                EXPECT_NE(d->GetWindowText().Find("-- Summary"), -1) << d->GetWindowText().c_str();
                screenshot(d, ("wizard_summary_page" + suffix + ".png").c_str());
                click(d, BAR::FINISH_BUTTON_ID);
            },
        });
        EXPECT_TRUE(run(wizard, "kv2gxb " + options + " " + dir.file("top.v"), nullptr));
        EXPECT_EQ(player.steps_run(), 3u);
        EXPECT_EQ(wizard.get_wizard_closing_state(), 0);
        EXPECT_TRUE(std::filesystem::exists(dir.file("top.cnx")));
    }
}

// The self-test page, which Next never visits, made visitable to be seen.
class SHOWN_SELFTEST_PAGE : public KVGXB_PAGE5 {
public:
    BOOL IncludedInSequence() override { return TRUE; }
};
class SELFTEST_SHOWING_WIZARD : public KVGXB_WIZARD {
public:
    bool on_init_wizard() override {
        if (!KVGXB_WIZARD::on_init_wizard()) return false;
        const int at = find_first_page(KVGXB_PAGE5::TEMPLATE_ID);
        return at >= 0 && set_page_at_with_label(at, new SHOWN_SELFTEST_PAGE, "PARAM_SETTINGS", "BIST");
    }
};

// The transceiver wizard's pages with the live database behind them: the
// protocol is chosen on the General page, Next is clicked up to each page
// named in `shots` and the page is saved, its layout checked and handed to
// `also` with the number of pages shown so far. Then the wizard is cancelled.
template <class WIZARD = KVGXB_WIZARD>
void shoot_pages(const char* protocol, const std::vector<std::pair<std::string, std::string>>& shots, LOOK look,
                 const std::function<void(KVGXB_WIZARD&, CDialog*, size_t)>& also = nullptr) {
    SCRATCH_DIR dir;
    WIZARD wizard;
    // With `also`, each page waits for a real estimate, posted from the worker thread.
    if (also) wizard.set_resource_info_dll_path(KV2GXB_BUILD_DIR "/bin/libkv2gxb_cgx.so");
    size_t pages_shown = 0;
    size_t next_shot = 0;
    bool chosen = false;
    CDialog* left = nullptr;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const auto& stack = CDialog::get_modal_stack();
        if (stack.empty() || !wizard.enumeration_done || wizard.inclk_list_pending || wizard.data_rate_list_pending ||
            (also && !wizard.get_symbol_decorator()->has_resource_text()))
            return;
        CDialog* page = stack.back();
        if (!chosen) {
            chosen = true;
            bwizc_user_select_text(page, KVGXB_PAGE1::IDC_PROTOCOL, protocol);
            return;
        }
        if (page == left) return;
        left = page;
        ++pages_shown;
        const std::string label = wizard.get_page_nav_button_label_at(wizard.get_cur_page_index()).c_str();
        if (next_shot < shots.size() && label == shots[next_shot].first) {
            screenshot(page, shot_name(shots[next_shot].second.c_str(), look).c_str());
            expect_clean_layout(page, shots[next_shot++].first.c_str());
            if (also) also(wizard, page, pages_shown);
        }
        click(page, next_shot < shots.size() ? BAR::NEXT_BUTTON_ID : BAR::CANCEL_BUTTON_ID);
    });
    timer.start(20);
    // A new variation with the navigation panel, its titles and Documentation.
    const std::string design = dir.file("gxb_top.v");
    const char* argv[] = {"kv2gxb", "-n", "-NAV", "-hbutton", "-wizard_title:KV2GXB Transceiver",
                          "-wizard_subtitle:Multi-channel gigabit transceiver block", look, design.c_str()};
    bwizc_app_main(8, argv, &wizard);
    EXPECT_EQ(next_shot, shots.size()) << protocol << look;
    EXPECT_EQ(wizard.get_wizard_closing_state(), 2);
    wizard.set_resource_info_dll_path("");
}

// The General page's lists fill when the enumeration ends, then Next shows
// each page after it.
TEST(WizardQt, TransceiverPagesShowTheDeviceDatabasesListsAndLayOutCleanly) {
    const std::vector<std::pair<std::string, std::string>> shots = {
        {"General", "page_general"}, {"PLL/Ports", "page_pll_ports"}, {"Reconfig/RX Analog", "page_rx_analog"},
        {"TX Analog/Cal Blk", "page_tx_analog"}};
    for (LOOK look : LOOKS) {
        shoot_pages("Basic", shots, look, [&](KVGXB_WIZARD& wizard, CDialog* page, size_t pages_shown) {
            ASSERT_LE(pages_shown, shots.size());
            EXPECT_EQ(wizard.get_page_nav_button_label_at(wizard.get_cur_page_index()),
                      shots[pages_shown - 1].first.c_str());
            if (pages_shown == 1) {
                auto* protocols =
                    dynamic_cast<CComboBox*>(page->GetDlgItem(static_cast<int>(KVGXB_PAGE1::IDC_PROTOCOL)));
                ASSERT_NE(protocols, nullptr);
                EXPECT_EQ(protocols->GetCount(), wizard.get_combobox_protocols().GetSize());
                EXPECT_GT(protocols->GetCount(), 1);
            } else if (pages_shown == shots.size()) {
                // The longer termination question of an external resistor fits too.
                click(page, KVGXB_PAGE3_TX::IDC_EXTERNAL_TERMINATION);
                expect_clean_layout(page, "TX Analog/Cal Blk");
            }
        });
    }
}

TEST(WizardQt, ProtocolLoopbackAndBasicPagesAreShown) {
    for (LOOK look : LOOKS) {
        shoot_pages("Basic", {{"Basic 1", "page_basic_1"}, {"Basic 2", "page_basic_2"}}, look);
        shoot_pages("SONET Backplane", {{"Lpbk", "page_lpbk"}, {"SONET", "page_sonet"}}, look);
        shoot_pages("XAUI", {{"XAUI", "page_xaui"}, {"Simulation Library", "page_simlib"}, {"Summary Page", "page_summary"}},
                    look);
        shoot_pages("GIGE", {{"GIGE", "page_gige"}}, look);
        shoot_pages("PCI Express (PIPE)", {{"PCI", "page_pci"}}, look);
        shoot_pages<SELFTEST_SHOWING_WIZARD>("SONET Backplane", {{"BIST", "page_bist"}}, look);
    }
}

