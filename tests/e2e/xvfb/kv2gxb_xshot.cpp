// kv2gxb_xshot WINDOW-ID FILE: saves what an X server shows of a window (of
// any process) as an image; the X end-to-end test takes its screenshot so.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    const WId window = static_cast<WId>(std::strtoull(argv[1], nullptr, 0));
    const QPixmap shot = screen ? screen->grabWindow(window) : QPixmap();
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "kv2gxb_xshot: could not save window %s\n", argv[1]);
        return 1;
    }
    return 0;
}
