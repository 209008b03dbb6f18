#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <functional>
#include <thread>

#include "platform/backend.h"
#include "platform/backends/qt/qt_backend.h"
#include "platform/messages.h"
#include "platform/test_dialog.h"
#include "platform/text_metrics.h"

using namespace platform_test;
using N = NOTIFICATION;

namespace {

template <class W>
W* widget(CWnd* dlg, UINT id) {
    return dynamic_cast<W*>(bwizc_qt_widget(dlg->GetDlgItem(static_cast<int>(id))));
}

// Runs `session` once the dialog's modal loop is running, then returns DoModal's result.
INT_PTR run_modal(CDialog& dlg, std::function<void()> session) {
    QTimer::singleShot(0, [&dlg, session] {
        session();
        if (!dlg.is_modal_ended()) dlg.EndDialog(-2);
    });
    return dlg.DoModal();
}

// True when some pixel of the region is dark: text was drawn there.
bool has_ink(const QImage& img, QRect region) {
    region = region.intersected(img.rect());
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (qGray(img.pixel(x, y)) < 110) return true;
    return false;
}

}  // namespace

TEST(QtBackend, StartsWithTheCNumericLocaleAndItsOwnBackend) {
    EXPECT_STREQ(bwizc_get_backend()->get_name(), "qt");
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    CString s;
    s.Format("%.2f", 1.5);
    EXPECT_EQ(s, "1.50");
}

TEST(QtBackend, UserInputThroughWidgetsReachesWindowObjects) {
    TEST_DIALOG dlg;
    CString artifact = CString(KV2GXB_ARTIFACTS_DIR) + "/toolkit_dialog.png";
    INT_PTR r = run_modal(dlg, [&] {
        QWidget* top = bwizc_qt_widget(&dlg);
        ASSERT_NE(top, nullptr);
        ASSERT_TRUE(top->isVisible());
        QApplication::setActiveWindow(top);
        dlg.since_mark();

        QTest::mouseClick(widget<QCheckBox>(&dlg, IDC_FEATURE), Qt::LeftButton);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_FEATURE, BN_CLICKED}}));
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FEATURE), 1u);
        EXPECT_EQ(widget<QCheckBox>(&dlg, IDC_FEATURE)->checkState(), Qt::Checked);

        QTest::mouseClick(widget<QRadioButton>(&dlg, IDC_RADIX16), Qt::LeftButton);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_RADIX16, BN_CLICKED}}));
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_RADIX10), 0u);
        // The other radio button's widget follows its window.
        EXPECT_FALSE(widget<QRadioButton>(&dlg, IDC_RADIX10)->isChecked());

        auto* name = widget<QLineEdit>(&dlg, IDC_NAME);
        QTest::mouseClick(name, Qt::LeftButton);
        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_NAME));
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_NAME, EN_SETFOCUS}}));
        QTest::keyClick(name, Qt::Key_End);
        QTest::keyClicks(name, "7x");
        QTest::keyClick(name, Qt::Key_Backspace);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_NAME, EN_CHANGE},
                                                    {WM_COMMAND, IDC_NAME, EN_CHANGE},
                                                    {WM_COMMAND, IDC_NAME, EN_CHANGE}}));
        EXPECT_EQ(dlg.GetDlgItemText(IDC_NAME), "ch7");
        EXPECT_EQ(name->text(), "ch7");

        auto* droplist = widget<QComboBox>(&dlg, IDC_DROPLIST);
        droplist->setFocus();
        dlg.since_mark();
        QTest::keyClick(droplist, Qt::Key_Down);
        QTest::keyClick(droplist, Qt::Key_Down);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_DROPLIST, CBN_SELCHANGE},
                                                    {WM_COMMAND, IDC_DROPLIST, CBN_SELCHANGE}}));
        EXPECT_EQ(static_cast<CComboBox*>(dlg.GetDlgItem(IDC_DROPLIST))->GetCurSel(), 2);

        auto* dropdown = widget<QComboBox>(&dlg, IDC_DROPDOWN);
        dropdown->lineEdit()->setFocus();
        dropdown->lineEdit()->selectAll();
        dlg.since_mark();
        QTest::keyClicks(dropdown->lineEdit(), "5");
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_DROPDOWN, CBN_EDITCHANGE}}));
        EXPECT_EQ(dlg.GetDlgItemText(IDC_DROPDOWN), "5");

        auto* slider = widget<QSlider>(&dlg, IDC_SLIDER);
        slider->setFocus();
        dlg.since_mark();
        QTest::keyClick(slider, Qt::Key_Right);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_HSCROLL, IDC_SLIDER, TB_THUMBPOSITION}}));
        EXPECT_EQ(static_cast<CSliderCtrl*>(dlg.GetDlgItem(IDC_SLIDER))->GetPos(), 3);

        // The report list is drawn by the platform; a click on its second row selects it.
        auto* list = static_cast<CListCtrl*>(dlg.GetDlgItem(IDC_FILES));
        CRect row;
        list->GetItemRect(1, &row);
        dlg.since_mark();
        QTest::mouseClick(bwizc_qt_widget(list), Qt::LeftButton, {}, QPoint(30, row.top + 3));
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_NOTIFY, IDC_FILES, LVN_ITEMCHANGED}, {WM_NOTIFY, IDC_FILES, NM_CLICK}}));
        EXPECT_EQ(list->GetNextSelected(), 1);

        QImage shot = bwizc_qt_grab(&dlg);
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(QString::fromUtf8(artifact.c_str())));
        // Every control shows its text: there is ink where each caption sits.
        const UINT captioned[] = {IDC_FEATURE, IDC_RADIX10, IDC_RADIX16, IDC_GROUP, IDC_LABEL, IDC_APPLY, IDOK,
                                  IDCANCEL, IDC_NAME, IDC_SIMPLE, IDC_DROPDOWN, IDC_DROPLIST, IDC_FILES};
        for (UINT id : captioned) {
            CRect rc = dlg.GetDlgItem(static_cast<int>(id))->get_rect();
            EXPECT_TRUE(has_ink(shot, QRect(rc.left, rc.top, rc.Width(), rc.Height()))) << "control " << id;
        }
        // Drawn by its owner (the flat look), a button is still reached with
        // the keyboard and pressed with the space bar.
        CWnd* apply = dlg.GetDlgItem(IDC_APPLY);
        apply->ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
        QWidget* painted = bwizc_qt_widget(apply);
        ASSERT_NE(painted, nullptr);
        EXPECT_EQ(painted->focusPolicy(), Qt::StrongFocus);
        painted->setFocus();
        dlg.since_mark();
        QTest::keyClick(painted, Qt::Key_Space);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_APPLY, BN_CLICKED}}));
        QTest::mouseClick(widget<QPushButton>(&dlg, IDOK), Qt::LeftButton);
    });
    EXPECT_EQ(r, IDOK);
    const RESULT& res = dlg.result;
    EXPECT_EQ(res.feature, 1);
    EXPECT_EQ(res.radix16, 1);
    EXPECT_EQ(res.name, "ch7");
    EXPECT_EQ(res.droplist_text, "XAUI");
    EXPECT_EQ(res.dropdown_text, "5");
    EXPECT_EQ(res.slider_pos, 3);
    EXPECT_EQ(res.files_sel, 1);
    EXPECT_EQ(bwizc_qt_widget(&dlg), nullptr);  // the widgets went with the windows
}

TEST(QtBackend, WorkerThreadPostReachesItsWindowThroughTheEventQueue) {
    TEST_DIALOG dlg;
    const UINT msg = RegisterWindowMessage("qt-test-worker-reply");
    std::thread::id handled_on;
    dlg.set_message_handler(msg, [&](WPARAM w, LPARAM l) -> LRESULT {
        handled_on = std::this_thread::get_id();
        dlg.EndDialog(static_cast<int>(w) + static_cast<int>(l));
        return 0;
    });
    std::thread worker;
    QTimer::singleShot(0, [&] {
        HWND target = dlg.m_hWnd;
        worker = std::thread([target, msg] { PostMessage(target, msg, 40, 2); });
    });
    // Ends the dialog with -2 if the message never comes.
    QTimer::singleShot(5000, [&] {
        if (!dlg.is_modal_ended()) dlg.EndDialog(-2);
    });
    EXPECT_EQ(dlg.DoModal(), 42);
    worker.join();
    EXPECT_EQ(handled_on, std::this_thread::get_id());
}

TEST(QtBackend, DialogEndedInInitDialogIsNeverShown) {
    TEST_DIALOG dlg;
    dlg.end_in_init = true;
    bool shown = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (bwizc_qt_widget(&dlg) && bwizc_qt_widget(&dlg)->isVisible()) shown = true;
    });
    probe.start(0);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    QApplication::processEvents();
    EXPECT_FALSE(shown);
}

TEST(QtBackend, PaintsTextWithTheMeasuredFont) {
    // The widget font of a control is the font file the metrics measure.
    TEST_DIALOG dlg;
    run_modal(dlg, [&] {
        QWidget* label = bwizc_qt_widget(dlg.GetDlgItem(IDC_LABEL));
        ASSERT_NE(label, nullptr);
        LOGFONT lf = dlg.GetDlgItem(IDC_LABEL)->get_effective_font();
        EXPECT_EQ(label->font().family(), "Liberation Sans");
        EXPECT_EQ(label->font().pixelSize(), bwizc_font_pixel_size(lf));
        // Qt's own measure of the same text agrees with ours to a pixel or two;
        // layout always uses ours.
        QFontMetrics fm(label->font());
        int ours = bwizc_text_extent(lf, "Channel name:").cx;
        EXPECT_NEAR(fm.horizontalAdvance("Channel name:"), ours, 3);
    });
}
