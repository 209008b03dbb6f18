// Helpers of the Qt runs: a control's widget, a modal session driven from the
// event loop, and a look for drawn text in a screenshot.
#pragma once

#include <QApplication>
#include <QImage>
#include <QTimer>

#include <functional>

#include "platform/backends/qt/qt_backend.h"
#include "platform/dialog.h"

template <class W>
W* widget(CWnd* dlg, UINT id) {
    return dynamic_cast<W*>(bwizc_qt_widget(dlg->GetDlgItem(static_cast<int>(id))));
}

// Runs `session` once the dialog's modal loop is running, its window active,
// then returns DoModal's result.
inline INT_PTR run_modal(CDialog& dlg, std::function<void()> session) {
    QTimer::singleShot(0, [&dlg, session] {
        if (QWidget* top = bwizc_qt_widget(&dlg)) QApplication::setActiveWindow(top);
        session();
        if (!dlg.is_modal_ended()) dlg.EndDialog(-2);
    });
    return dlg.DoModal();
}

// True when some pixel of the rectangle is dark: text was drawn there.
inline bool has_ink(const QImage& img, const CRect& rc) {
    const QRect region = QRect(rc.left, rc.top, rc.Width(), rc.Height()).intersected(img.rect());
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (qGray(img.pixel(x, y)) < 110) return true;
    return false;
}
