#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <clocale>
#include <thread>

#include "platform/qt/qt_test_support.h"
#include "platform/messages.h"
#include "platform/test_dialog.h"
#include "platform/text_metrics.h"

using namespace platform_test;
using N = NOTIFICATION;

TEST(QtBackend, StartsWithTheCNumericLocale) {
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

TEST(QtBackend, UserInputThroughWidgetsReachesWindowObjectsAndTheirTextShows) {
    TEST_DIALOG dlg;
    CString artifact = CString(KV2GXB_ARTIFACTS_DIR) + "/toolkit_dialog.png";
    INT_PTR r = run_modal(dlg, [&] {
        ASSERT_NE(bwizc_qt_widget(&dlg), nullptr);
        ASSERT_TRUE(bwizc_qt_widget(&dlg)->isVisible());
        dlg.since_mark();

        QTest::mouseClick(widget<QCheckBox>(&dlg, IDC_FEATURE), Qt::LeftButton);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_FEATURE, BN_CLICKED}}));
        EXPECT_EQ(widget<QCheckBox>(&dlg, IDC_FEATURE)->checkState(), Qt::Checked);

        QTest::mouseClick(widget<QRadioButton>(&dlg, IDC_RADIX16), Qt::LeftButton);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_RADIX16, BN_CLICKED}}));
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
        EXPECT_EQ(name->text(), "ch7");

        auto* droplist = widget<QComboBox>(&dlg, IDC_DROPLIST);
        droplist->setFocus();
        dlg.since_mark();
        QTest::keyClick(droplist, Qt::Key_Down);
        QTest::keyClick(droplist, Qt::Key_Down);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_DROPLIST, CBN_SELCHANGE},
                                                    {WM_COMMAND, IDC_DROPLIST, CBN_SELCHANGE}}));

        auto* dropdown = widget<QComboBox>(&dlg, IDC_DROPDOWN);
        dropdown->lineEdit()->setFocus();
        dropdown->lineEdit()->selectAll();
        dlg.since_mark();
        QTest::keyClicks(dropdown->lineEdit(), "5");
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_COMMAND, IDC_DROPDOWN, CBN_EDITCHANGE}}));

        auto* slider = widget<QSlider>(&dlg, IDC_SLIDER);
        slider->setFocus();
        dlg.since_mark();
        QTest::keyClick(slider, Qt::Key_Right);
        EXPECT_EQ(dlg.since_mark(), (std::vector<N>{{WM_HSCROLL, IDC_SLIDER, TB_THUMBPOSITION}}));

        // The report list is drawn by the platform; a click on its second row selects it.
        auto* list = static_cast<CListCtrl*>(dlg.GetDlgItem(IDC_FILES));
        CRect row;
        list->GetItemRect(1, &row);
        dlg.since_mark();
        QTest::mouseClick(bwizc_qt_widget(list), Qt::LeftButton, {}, QPoint(30, row.top + 3));
        EXPECT_EQ(dlg.since_mark(),
                  (std::vector<N>{{WM_NOTIFY, IDC_FILES, LVN_ITEMCHANGED}, {WM_NOTIFY, IDC_FILES, NM_CLICK}}));

        QImage shot = bwizc_qt_grab(&dlg);
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(QString::fromUtf8(artifact.c_str())));
        // Every control shows its text: there is ink where each caption sits.
        const UINT captioned[] = {IDC_FEATURE, IDC_RADIX10, IDC_RADIX16, IDC_GROUP, IDC_LABEL, IDC_APPLY, IDOK,
                                  IDCANCEL, IDC_NAME, IDC_SIMPLE, IDC_DROPDOWN, IDC_DROPLIST, IDC_FILES};
        for (UINT id : captioned) {
            EXPECT_TRUE(has_ink(shot, dlg.GetDlgItem(static_cast<int>(id))->get_rect())) << "control " << id;
        }
        // A widget's font is the font file the metrics measure; Qt's own measure
        // of a text agrees with ours to a pixel or two, and layout uses ours.
        const QFont label_font = bwizc_qt_widget(dlg.GetDlgItem(IDC_LABEL))->font();
        const LOGFONT lf = dlg.GetDlgItem(IDC_LABEL)->get_effective_font();
        EXPECT_EQ(label_font.family(), "Liberation Sans");
        EXPECT_EQ(label_font.pixelSize(), bwizc_font_pixel_size(lf));
        EXPECT_NEAR(QFontMetrics(label_font).horizontalAdvance("Channel name:"),
                    bwizc_text_extent(lf, "Channel name:").cx, 3);
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
    // OK, feature, radix 10 and 16, name, the three combo boxes, slider, file list.
    EXPECT_TRUE(dlg.result ==
                (RESULT{true, BST_CHECKED, BST_UNCHECKED, BST_CHECKED, "ch7", "1", "5", 2, "XAUI", 3, 1}));
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
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(dlg.shown_when_destroyed);
}
