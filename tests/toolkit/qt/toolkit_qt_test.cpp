#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/qt/qt_test_support.h"
#include "toolkit/toolkit_test_support.h"

TEST(ToolkitQt, ControlsHearQtInputOnceAndShowTheirText) {
    TOOLKIT_TEST_DIALOG dlg;
    const CString artifact = CString(KV2GXB_ARTIFACTS_DIR) + "/toolkit_controls_dialog.png";
    const INT_PTR result = run_modal(dlg, [&] {
        // Refused keys never reach the field, through Qt either.
        auto* integer = widget<QLineEdit>(&dlg, ID_INTEGER);
        QTest::mouseClick(integer, Qt::LeftButton);
        QTest::keyClicks(integer, "-4x2");
        EXPECT_EQ(dlg.integer.get_val_string(), "42");
        EXPECT_EQ(integer->text(), "42");
        EXPECT_EQ(dlg.count_for(ID_INTEGER), 2);

        // The hexadecimal box rewrites its text while Qt is delivering the key.
        auto* hex = widget<QLineEdit>(&dlg, ID_HEX);
        QTest::mouseClick(hex, Qt::LeftButton);
        QTest::keyClicks(hex, "ab");
        EXPECT_EQ(dlg.hex.get_val_string(), "0xAB");
        EXPECT_EQ(hex->text(), "0xAB");
        EXPECT_EQ(hex->font().family(), "Liberation Mono");

        QTest::mouseClick(widget<QPushButton>(&dlg, ID_HELP), Qt::LeftButton);
        EXPECT_EQ(dlg.count_for(ID_HELP), 1);

        QImage shot = bwizc_qt_grab(&dlg);
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(QString::fromUtf8(artifact.c_str())));
        for (UINT id : {ID_LABEL, ID_FRAME, ID_APPLY, ID_CHECK, ID_RADIO_A, ID_RADIO_B, ID_RADIO_C, ID_LIST,
                        ID_HEX, ID_INTEGER, static_cast<TEST_ITEM_ID>(IDOK), static_cast<TEST_ITEM_ID>(IDCANCEL)}) {
            EXPECT_TRUE(has_ink(shot, dlg.GetDlgItem(static_cast<int>(id))->get_rect())) << "control " << id;
        }
        EXPECT_TRUE(has_ink(shot, dlg.help.get_rect()));
        // The gel block shows the bar's colour; between it and the button the
        // bar's own background and top border show.
        const auto pixel_of = [](COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); };
        const CRect bar = dlg.bar.get_rect();
        const int free_x = dlg.help.get_rect().left - 2;
        EXPECT_EQ(shot.pixel(bar.left + 10, bar.top + 12), pixel_of(TOOLKIT_TEST_DIALOG::BAR_COLOR));
        EXPECT_EQ(shot.pixel(free_x, bar.top + 12), pixel_of(TOOLKIT_TEST_DIALOG::BAR_COLOR));
        EXPECT_EQ(shot.pixel(free_x, bar.top), pixel_of(RGB(0x3F, 0x3F, 0x3F)));

        QTest::mouseClick(widget<QPushButton>(&dlg, IDOK), Qt::LeftButton);
    });
    EXPECT_EQ(result, IDOK);
}
