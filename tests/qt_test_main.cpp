// The main of the Qt test programs: GoogleTest over an offscreen Qt backend.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "platform/backends/qt/qt_backend.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    if (!bwizc_qt_initialize(argc, argv)) return 2;
    const int result = RUN_ALL_TESTS();
    bwizc_qt_shutdown();
    return result;
}
