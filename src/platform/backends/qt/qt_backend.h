// The interactive backend: every window mirrored by a Qt widget. Only the
// interactive executable and the GUI tests link it; nothing else includes Qt.
#pragma once

class CWnd;
class QWidget;
class QImage;

// Creates the Qt application when there is none (argc/argv must outlive it),
// loads the font files the text metrics use, installs the Qt backend and the
// message-box handler and resets LC_NUMERIC to "C". False when the fonts are
// missing.
bool bwizc_qt_initialize(int& argc, char** argv);
// Uninstalls the backend and the message-box handler (the Qt application stays).
void bwizc_qt_shutdown();
// The widget that mirrors wnd, or null (tests, screenshots).
QWidget* bwizc_qt_widget(const CWnd* wnd);
// Renders the window (with its children) into an image.
QImage bwizc_qt_grab(const CWnd* wnd);
