// The Qt backend. Each window object gets a widget that mirrors its state;
// what the user does on a widget goes through platform/user_input.h, so it
// reaches the window objects exactly as the headless input driver's actions
// do. Controls the platform draws itself (statics, group boxes, report lists,
// custom windows) are painted through CDC onto a QPainter, with the same font
// files and glyph positions the shared text metrics measure.
#include "platform/backends/qt/qt_backend.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <clocale>
#include <cmath>
#include <map>
#include <unordered_map>

#include "platform/backend.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/menu.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/text_metrics.h"
#include "platform/user_input.h"
#include "platform/window.h"

namespace {

QColor to_qcolor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QString to_qstring(const CString& s) { return QString::fromUtf8(s.c_str(), s.GetLength()); }
CString from_qstring(const QString& s) { return CString(s.toUtf8().toStdString()); }

// The Qt font for a font description: the family of the very file the
// metrics measure with, at the same pixel size.
QFont to_qfont(const LOGFONT& lf) {
    static std::map<std::string, QString> families;
    std::string file = bwizc_font_file(lf).str();
    auto it = families.find(file);
    if (it == families.end()) {
        int id = QFontDatabase::addApplicationFont(QString::fromStdString(file));
        QStringList names = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        it = families.emplace(file, names.isEmpty() ? to_qstring(bwizc_font_family(lf)) : names.front()).first;
    }
    QFont f(it->second);
    f.setPixelSize(bwizc_font_pixel_size(lf));
    f.setBold(lf.lfWeight >= 600);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    f.setKerning(false);
    f.setStyleStrategy(QFont::NoFontMerging);
    return f;
}

// Draws the operations of a CDC with a QPainter.
class QT_PAINTER_SINK : public BWIZC_DC_SINK {
public:
    explicit QT_PAINTER_SINK(QPainter& p) : m_p(p) {}

    void draw(const BWIZC_DRAW_OP& op) override {
        m_p.save();
        set_pen(op);
        set_brush(op);
        const CRect& r = op.rect;
        switch (op.kind) {
        case BWIZC_DRAW_OP::LINE:
            m_p.drawLine(r.left, r.top, r.right, r.bottom);
            break;
        case BWIZC_DRAW_OP::RECTANGLE:
            m_p.drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
            break;
        case BWIZC_DRAW_OP::FILL_RECT:
        case BWIZC_DRAW_OP::PIXEL:
            m_p.fillRect(QRect(r.left, r.top, r.Width(), r.Height()), to_qcolor(op.brush_color));
            break;
        case BWIZC_DRAW_OP::ELLIPSE:
            m_p.drawEllipse(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
            break;
        case BWIZC_DRAW_OP::ARC: {
            double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
            double a0 = std::atan2(-(op.arc_start.y - cy), op.arc_start.x - cx) * 180.0 / M_PI;
            double a1 = std::atan2(-(op.arc_end.y - cy), op.arc_end.x - cx) * 180.0 / M_PI;
            double span = a1 - a0;
            while (span <= 0) span += 360.0;
            m_p.setBrush(Qt::NoBrush);
            m_p.drawArc(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1), static_cast<int>(std::lround(a0 * 16)),
                        static_cast<int>(std::lround(span * 16)));
            break;
        }
        case BWIZC_DRAW_OP::POLYGON:
        case BWIZC_DRAW_OP::POLYLINE: {
            QPolygon poly;
            for (const CPoint& pt : op.points) poly << QPoint(pt.x, pt.y);
            if (op.kind == BWIZC_DRAW_OP::POLYGON)
                m_p.drawPolygon(poly);
            else
                m_p.drawPolyline(poly);
            break;
        }
        case BWIZC_DRAW_OP::TEXT:
            draw_text(op);
            break;
        case BWIZC_DRAW_OP::IMAGE:
            draw_image(op);
            break;
        }
        m_p.restore();
    }

private:
    void set_pen(const BWIZC_DRAW_OP& op) {
        if (op.pen_style == PS_NULL) {
            m_p.setPen(Qt::NoPen);
            return;
        }
        QPen pen(to_qcolor(op.pen_color));
        pen.setWidth(op.pen_width);
        pen.setStyle(op.pen_style == PS_DASH   ? Qt::DashLine
                     : op.pen_style == PS_DOT  ? Qt::DotLine
                     : op.pen_style == PS_DASHDOT ? Qt::DashDotLine
                                               : Qt::SolidLine);
        m_p.setPen(pen);
    }

    void set_brush(const BWIZC_DRAW_OP& op) {
        if (op.brush_null)
            m_p.setBrush(Qt::NoBrush);
        else
            m_p.setBrush(to_qcolor(op.brush_color));
    }

    void draw_image(const BWIZC_DRAW_OP& op) {
        static std::map<std::string, QImage> images;
        auto it = images.find(op.text.str());
        if (it == images.end()) it = images.emplace(op.text.str(), QImage(to_qstring(op.text))).first;
        if (it->second.isNull()) return;
        m_p.setRenderHint(QPainter::SmoothPixmapTransform);
        m_p.drawImage(QRect(op.rect.left, op.rect.top, op.rect.Width(), op.rect.Height()), it->second);
    }

    void draw_text(const BWIZC_DRAW_OP& op) {
        m_p.translate(op.text_origin.x, op.text_origin.y);
        if (op.font.lfEscapement != 0) m_p.rotate(-op.font.lfEscapement / 10.0);
        int dx = op.rect.left - op.text_origin.x, dy = op.rect.top - op.text_origin.y;
        if (op.bk_mode == OPAQUE) m_p.fillRect(QRect(dx, dy, op.rect.Width(), op.rect.Height()), to_qcolor(op.bk_color));
        m_p.setFont(to_qfont(op.font));
        m_p.setPen(to_qcolor(op.text_color));
        // Each character where the metrics put it.
        QString text = to_qstring(op.text);
        int i = 0;
        for (QChar ch : text) {
            if (ch.isLowSurrogate()) continue;
            int x = i < static_cast<int>(op.char_x.size()) ? op.char_x[static_cast<size_t>(i)] : 0;
            m_p.drawText(QPoint(dx + x, dy + op.ascent), QString(ch));
            ++i;
        }
    }

    QPainter& m_p;
};

class QT_BACKEND;
QT_BACKEND* g_qt = nullptr;

// What every mirror widget knows: the window it stands for.
struct MIRROR {
    HWND hwnd = nullptr;
    CWnd* wnd() const { return CWnd::FromHandle(hwnd); }
};

bool g_syncing = false;  // true while the backend writes window state into widgets

// Keys typed into an edit field become WM_CHAR for the window, so the
// window's own character handling decides what the text becomes.
bool route_key(CWnd* w, QKeyEvent* e) {
    if (!w) return false;
    if (e->matches(QKeySequence::Paste)) {
        bwizc_user_paste(w, from_qstring(QGuiApplication::clipboard()->text()));
        return true;
    }
    if (e->key() == Qt::Key_Backspace) {
        bwizc_user_type(w, "\b");
        return true;
    }
    if (e->key() == Qt::Key_Delete) {
        w->SendMessage(WM_KEYDOWN, VK_DELETE, 1);
        return true;
    }
    QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        bwizc_user_type(w, from_qstring(t));
        return true;
    }
    return false;
}

void sync_selection_from(QLineEdit* le, CWnd* w) {
    if (g_syncing || !w) return;
    int start = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
    int end = le->hasSelectedText() ? le->selectionEnd() : le->cursorPosition();
    // Character positions to byte positions of the UTF-8 text.
    QString text = le->text();
    BWIZC_WND_STATE& s = w->mutable_state();
    s.sel_start = text.left(start).toUtf8().size();
    s.sel_end = text.left(end).toUtf8().size();
    if (le->cursorPosition() == start && start != end) std::swap(s.sel_start, s.sel_end);
}

void focus_from_widget(HWND h) {
    if (g_syncing) return;
    CWnd* w = CWnd::FromHandle(h);
    if (w && CWnd::GetFocus() != w) bwizc_user_set_focus(w);
}

class QT_DIALOG : public QDialog, public MIRROR {
public:
    explicit QT_DIALOG(QWidget* parent) : QDialog(parent) {}

protected:
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (CWnd* w = wnd()) bwizc_user_close(w);
    }
    void keyPressEvent(QKeyEvent* e) override {
        CWnd* w = wnd();
        if (w && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
            bwizc_user_key(w, VK_RETURN);
            return;
        }
        if (w && e->key() == Qt::Key_Escape) {
            bwizc_user_key(w, VK_ESCAPE);
            return;
        }
        QDialog::keyPressEvent(e);
    }
    void reject() override {
        if (CWnd* w = wnd()) bwizc_user_key(w, VK_ESCAPE);
    }
};

// A widget the platform paints itself and that hands the mouse to its window.
class QT_PAINTED : public QWidget, public MIRROR {
public:
    // A pressable window (an owner-drawn button) takes the keyboard focus
    // with Tab and is pressed with the space bar, like the native button.
    explicit QT_PAINTED(QWidget* parent, bool pressable = false) : QWidget(parent), m_pressable(pressable) {
        if (pressable) setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        // The mouse resting on the window for the hover time.
        m_hover.setSingleShot(true);
        m_hover.setInterval(400);
        QObject::connect(&m_hover, &QTimer::timeout, [this] {
            if (CWnd* w = wnd(); w && underMouse()) w->SendMessage(WM_MOUSEHOVER, 0, 0);
        });
    }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        if (CWnd* w = wnd())
            w->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                           MAKELPARAM(static_cast<unsigned>(e->position().x()), static_cast<unsigned>(e->position().y())));
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        if (CWnd* w = wnd())
            w->SendMessage(WM_LBUTTONUP, 0,
                           MAKELPARAM(static_cast<unsigned>(e->position().x()), static_cast<unsigned>(e->position().y())));
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!m_hover.isActive()) m_hover.start();
        if (CWnd* w = wnd())
            w->SendMessage(WM_MOUSEMOVE, 0,
                           MAKELPARAM(static_cast<unsigned>(e->position().x()), static_cast<unsigned>(e->position().y())));
    }
    void leaveEvent(QEvent*) override {
        m_hover.stop();
        if (CWnd* w = wnd()) w->SendMessage(WM_MOUSELEAVE);
    }
    void focusInEvent(QFocusEvent*) override { focus_from_widget(hwnd); }
    void keyPressEvent(QKeyEvent* e) override {
        CWnd* w = wnd();
        if (m_pressable && w && e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
            bwizc_user_click(w);
            return;
        }
        QWidget::keyPressEvent(e);
    }

private:
    QTimer m_hover;
    bool m_pressable = false;
};

class QT_PUSH_BUTTON : public QPushButton, public MIRROR {
public:
    explicit QT_PUSH_BUTTON(QWidget* parent) : QPushButton(parent) {
        setAutoDefault(false);
        connect(this, &QPushButton::clicked, [this] {
            if (CWnd* w = wnd()) bwizc_user_click(w);
        });
    }

protected:
    void focusInEvent(QFocusEvent* e) override {
        QPushButton::focusInEvent(e);
        focus_from_widget(hwnd);
    }
};

// Check boxes and radio buttons leave their state to the window object.
template <class BASE>
class QT_CHECKABLE : public BASE, public MIRROR {
public:
    explicit QT_CHECKABLE(QWidget* parent) : BASE(parent) {
        QObject::connect(this, &QAbstractButton::clicked, [this] {
            if (CWnd* w = wnd()) bwizc_user_click(w);
        });
    }

protected:
    void nextCheckState() override {}
    void focusInEvent(QFocusEvent* e) override {
        BASE::focusInEvent(e);
        focus_from_widget(hwnd);
    }
};

class QT_EDIT : public QLineEdit, public MIRROR {
public:
    explicit QT_EDIT(QWidget* parent) : QLineEdit(parent) {
        connect(this, &QLineEdit::cursorPositionChanged, [this] { sync_selection_from(this, wnd()); });
        connect(this, &QLineEdit::selectionChanged, [this] { sync_selection_from(this, wnd()); });
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (!isReadOnly() && route_key(wnd(), e)) return;
        QLineEdit::keyPressEvent(e);
    }
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        focus_from_widget(hwnd);
    }
};

class QT_COMBO : public QComboBox, public MIRROR {
public:
    QT_COMBO(QWidget* parent, bool editable) : QComboBox(parent) {
        setEditable(editable);
        setInsertPolicy(QComboBox::NoInsert);
        if (editable) {
            setCompleter(nullptr);
            lineEdit()->installEventFilter(this);
            connect(lineEdit(), &QLineEdit::cursorPositionChanged, [this] { sync_selection_from(lineEdit(), wnd()); });
        }
        connect(this, QOverload<int>::of(&QComboBox::activated), [this](int index) {
            if (g_syncing) return;
            if (CWnd* w = wnd()) bwizc_user_select(w, index);
        });
    }

    bool eventFilter(QObject* obj, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && isEditable() && obj == lineEdit()) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) return false;
            return route_key(wnd(), k);
        }
        if (e->type() == QEvent::FocusIn) focus_from_widget(hwnd);
        return false;
    }

protected:
    void focusInEvent(QFocusEvent* e) override {
        QComboBox::focusInEvent(e);
        focus_from_widget(hwnd);
    }
};

class QT_SLIDER : public QSlider, public MIRROR {
public:
    QT_SLIDER(QWidget* parent, bool vertical) : QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent) {
        connect(this, &QSlider::valueChanged, [this](int v) {
            if (g_syncing) return;
            if (CWnd* w = wnd()) bwizc_user_move_slider(w, v);
        });
    }

protected:
    void focusInEvent(QFocusEvent* e) override {
        QSlider::focusInEvent(e);
        focus_from_widget(hwnd);
    }
};

// Posted messages and timers arrive on the GUI thread through this object.
class DISPATCHER : public QObject {
public:
    static constexpr QEvent::Type WAKE = static_cast<QEvent::Type>(QEvent::User + 434);
    std::atomic<bool> wake_pending{false};
    QTimer timer;

    DISPATCHER() {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            bwizc_timers_fire_due();
            reschedule();
        });
    }

    void reschedule() {
        int due = bwizc_timers_next_due_ms();
        if (due < 0)
            timer.stop();
        else
            timer.start(due);
    }

    bool event(QEvent* e) override {
        if (e->type() != WAKE) return QObject::event(e);
        wake_pending = false;
        bool quit = false;
        while (bwizc_dispatch_posted_message(&quit)) {
            if (quit) {
                // A quit ends the innermost running dialog and is passed on outwards.
                const auto& stack = CDialog::get_modal_stack();
                if (!stack.empty()) {
                    stack.back()->EndDialog(IDCANCEL);
                    PostQuitMessage(0);
                }
                break;
            }
        }
        return true;
    }
};

class QT_BACKEND : public BWIZC_BACKEND {
public:
    DISPATCHER dispatcher;
    std::unordered_map<HWND, QPointer<QWidget>> widgets;
    std::map<CDialog*, QEventLoop*> loops;
    std::vector<std::pair<CWnd*, CDC*>> painting;

    const char* get_name() const override { return "qt"; }

    QWidget* widget_of(const CWnd* w) const {
        if (!w || !w->m_hWnd) return nullptr;
        auto it = widgets.find(w->m_hWnd);
        return it == widgets.end() ? nullptr : it->second.data();
    }

    void window_created(CWnd* w) override {
        QWidget* parent = w->GetParent() ? widget_of(w->GetParent()) : nullptr;
        if (w->GetParent() && !parent) return;  // its parent is not mirrored
        const BWIZC_WND_STATE& s = w->state();
        QWidget* q = nullptr;
        MIRROR* m = nullptr;
        auto make = [&](auto* widget) {
            q = widget;
            m = widget;
        };
        switch (s.kind) {
        case BWIZC_KIND_DIALOG:
            make(new QT_DIALOG(nullptr));
            break;
        case BWIZC_KIND_BUTTON: {
            DWORD type = s.style & BS_TYPEMASK;
            if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE) {
                auto* c = new QT_CHECKABLE<QCheckBox>(parent);
                c->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
                make(c);
            } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
                auto* r = new QT_CHECKABLE<QRadioButton>(parent);
                r->setAutoExclusive(false);
                make(r);
            } else if (type == BS_GROUPBOX || type == BS_OWNERDRAW) {
                make(new QT_PAINTED(parent, type == BS_OWNERDRAW));
            } else {
                make(new QT_PUSH_BUTTON(parent));
            }
            break;
        }
        case BWIZC_KIND_EDIT:
            make(new QT_EDIT(parent));
            break;
        case BWIZC_KIND_COMBOBOX:
            make(new QT_COMBO(parent, (s.style & CBS_TYPEMASK) != CBS_DROPDOWNLIST));
            break;
        case BWIZC_KIND_SLIDER:
            make(new QT_SLIDER(parent, (s.style & TBS_VERT) != 0));
            break;
        default:
            make(new QT_PAINTED(parent));
            break;
        }
        m->hwnd = w->m_hWnd;
        if (s.kind == BWIZC_KIND_DIALOG) {
            q->setWindowModality(Qt::ApplicationModal);
            q->setAutoFillBackground(false);
        }
        widgets[w->m_hWnd] = q;
        sync(w, q, ~0u);
    }

    void window_destroyed(CWnd* w) override {
        auto it = widgets.find(w->m_hWnd);
        if (it == widgets.end()) return;
        if (QWidget* q = it->second.data()) {
            q->hide();
            q->deleteLater();
        }
        widgets.erase(it);
    }

    void window_changed(CWnd* w, unsigned what) override {
        QWidget* q = widget_of(w);
        if (!q) return;
        if ((what & BWIZC_CHANGED_STYLE) && w->get_kind() == BWIZC_KIND_BUTTON) {
            // A button that became owner-drawn (or stopped being) needs the
            // other kind of widget.
            const bool painted = dynamic_cast<QT_PAINTED*>(q) != nullptr;
            const DWORD type = w->GetStyle() & BS_TYPEMASK;
            if (painted != (type == BS_GROUPBOX || type == BS_OWNERDRAW)) {
                window_destroyed(w);
                window_created(w);
                return;
            }
        }
        sync(w, q, what);
    }

    void window_invalidated(CWnd* w) override {
        if (QWidget* q = widget_of(w)) q->update();
    }

    void window_update_now(CWnd* w) override {
        if (QWidget* q = widget_of(w)) q->repaint();
    }

    CDC* get_paint_dc(CWnd* w) override {
        for (auto it = painting.rbegin(); it != painting.rend(); ++it)
            if (it->first == w) return it->second;
        return nullptr;
    }

    void run_modal_loop(CDialog* dialog) override {
        QWidget* q = widget_of(dialog);
        QEventLoop loop;
        loops[dialog] = &loop;
        if (q) {
            q->show();
            q->raise();
            q->activateWindow();
        }
        wake();
        dispatcher.reschedule();
        while (!dialog->is_modal_ended()) loop.exec(QEventLoop::DialogExec);
        loops.erase(dialog);
    }

    void end_modal_loop(CDialog* dialog) override {
        auto it = loops.find(dialog);
        if (it != loops.end()) it->second->quit();
    }

    void wake() override {
        if (dispatcher.wake_pending.exchange(true)) return;
        QCoreApplication::postEvent(&dispatcher, new QEvent(DISPATCHER::WAKE));
    }

    void timers_changed() override { dispatcher.reschedule(); }

    void process_events() override { QCoreApplication::processEvents(); }

    UINT track_popup_menu(const BWIZC_POPUP_MENU& menu) override {
        QMenu popup(widget_of(menu.owner));
        for (const BWIZC_MENU_ENTRY& entry : menu.entries) {
            if (entry.id == 0) {
                popup.addSeparator();
                continue;
            }
            // The platform's "&" marks the mnemonic the same way Qt's does.
            QAction* action = popup.addAction(to_qstring(entry.text));
            action->setData(static_cast<uint>(entry.id));
            action->setEnabled(entry.enabled);
        }
        QPoint at(menu.at.x, menu.at.y);
        if (menu.upward) at.ry() -= popup.sizeHint().height();
        QAction* chosen = popup.exec(at);
        return chosen ? chosen->data().toUInt() : 0;
    }

    CSize get_screen_size() const override {
        QScreen* s = QGuiApplication::primaryScreen();
        if (!s) return {1280, 1024};
        QRect g = s->geometry();
        return {g.width(), g.height()};
    }

    void paint(CWnd* w, QWidget* q) {
        QPainter p(q);
        QT_PAINTER_SINK sink(p);
        CDC dc(&sink);
        painting.emplace_back(w, &dc);
        HWND h = w->m_hWnd;
        w->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
        if (CWnd::FromHandle(h)) w->SendMessage(WM_PAINT);
        painting.pop_back();
    }

private:
    void sync(CWnd* w, QWidget* q, unsigned what) {
        const BWIZC_WND_STATE& s = w->state();
        bool was = g_syncing;
        g_syncing = true;
        if (what & BWIZC_CHANGED_FONT) q->setFont(to_qfont(w->get_effective_font()));
        if (what & BWIZC_CHANGED_GEOMETRY) {
            QRect r(s.rect.left, s.rect.top, s.rect.Width(), s.rect.Height());
            if (auto* combo = dynamic_cast<QComboBox*>(q)) r.setHeight(std::min(r.height(), std::max(combo->sizeHint().height(), 21)));
            if (s.kind == BWIZC_KIND_DIALOG) {
                q->move(r.topLeft());
                q->setFixedSize(r.size());
            } else {
                q->setGeometry(r);
            }
        }
        if (what & BWIZC_CHANGED_ENABLED) q->setEnabled(s.enabled);
        if ((what & BWIZC_CHANGED_STYLE) && (s.kind == BWIZC_KIND_EDIT || s.kind == BWIZC_KIND_COMBOBOX)) {
            // The flat look's frame: one grey pixel that turns the accent
            // colour under the mouse.
            const bool flat = (s.ex_style & WS_EX_STATICEDGE) != 0;
            q->setStyleSheet(!flat ? QString()
                             : s.kind == BWIZC_KIND_EDIT
                                 ? QStringLiteral("QLineEdit { border: 1px solid #7a7a7a; background: white; padding: 0 2px; }"
                                                  "QLineEdit:hover, QLineEdit:focus { border-color: #0060c0; }"
                                                  "QLineEdit:disabled, QLineEdit:read-only { background: #f0f0f0; }")
                                 : QStringLiteral("QComboBox { border: 1px solid #7a7a7a; background: white; padding: 0 4px; }"
                                                  "QComboBox:hover, QComboBox:focus { border-color: #0060c0; }"
                                                  "QComboBox:disabled { background: #f0f0f0; color: #8c8c8c; }"));
        }
        if (what & BWIZC_CHANGED_TEXT_COLOR) {
            QPalette palette = q->palette();
            const QColor color = s.text_color == BWIZC_DEFAULT_TEXT_COLOR ? QApplication::palette().color(QPalette::WindowText)
                                                                          : to_qcolor(s.text_color);
            // A disabled window keeps the greyed text of the platform.
            palette.setColor(QPalette::Active, QPalette::WindowText, color);
            palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
            palette.setColor(QPalette::Disabled, QPalette::WindowText,
                             QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
            q->setPalette(palette);
        }
        if (what & BWIZC_CHANGED_TEXT) sync_text(w, q);
        if (what & (BWIZC_CHANGED_CHECK | BWIZC_CHANGED_STYLE)) {
            if (auto* c = dynamic_cast<QCheckBox*>(q))
                c->setCheckState(s.check == BST_CHECKED ? Qt::Checked : s.check == BST_INDETERMINATE ? Qt::PartiallyChecked : Qt::Unchecked);
            else if (auto* r = dynamic_cast<QRadioButton*>(q))
                r->setChecked(s.check == BST_CHECKED);
            else if (auto* b = dynamic_cast<QPushButton*>(q))
                b->setDefault((s.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
            if (auto* e = dynamic_cast<QLineEdit*>(q)) e->setReadOnly((s.style & ES_READONLY) != 0);
        }
        if (auto* combo = dynamic_cast<QComboBox*>(q)) {
            if (what & BWIZC_CHANGED_ITEMS) {
                combo->clear();
                for (const auto& item : s.items) combo->addItem(to_qstring(item.text));
            }
            if (what & (BWIZC_CHANGED_ITEMS | BWIZC_CHANGED_SELECTION | BWIZC_CHANGED_TEXT)) {
                combo->setCurrentIndex(s.cur_sel);
                if (combo->isEditable() && combo->lineEdit()->text() != to_qstring(s.text)) combo->lineEdit()->setText(to_qstring(s.text));
                if (combo->isEditable()) set_selection(combo->lineEdit(), s);
            }
        }
        if (auto* slider = dynamic_cast<QSlider*>(q)) {
            if (what & BWIZC_CHANGED_RANGE) {
                slider->setRange(std::min(s.range_min, s.range_max), std::max(s.range_min, s.range_max));
                slider->setPageStep(s.page_size);
                slider->setSingleStep(s.line_size);
            }
            if (what & (BWIZC_CHANGED_RANGE | BWIZC_CHANGED_STYLE)) {
                // As a trackbar: tick marks only with TBS_AUTOTICKS, one every tic_freq steps.
                slider->setTickPosition((s.style & TBS_AUTOTICKS) ? QSlider::TicksBelow : QSlider::NoTicks);
                slider->setTickInterval(std::max(1, s.tic_freq));
            }
            if (what & (BWIZC_CHANGED_POS | BWIZC_CHANGED_RANGE)) slider->setValue(s.pos);
        }
        if (auto* e = dynamic_cast<QLineEdit*>(q); e && (what & BWIZC_CHANGED_SELECTION)) set_selection(e, s);
        if (what & BWIZC_CHANGED_VISIBLE) q->setVisible(s.visible);
        if ((what & BWIZC_CHANGED_FOCUS) && CWnd::GetFocus() == w && !q->hasFocus()) q->setFocus(Qt::OtherFocusReason);
        if (what & ~(BWIZC_CHANGED_FOCUS | BWIZC_CHANGED_GEOMETRY)) q->update();
        g_syncing = was;
    }

    static void set_selection(QLineEdit* e, const BWIZC_WND_STATE& s) {
        // Byte positions of the UTF-8 text to character positions.
        auto chars = [&](int bytes) { return QString::fromUtf8(s.text.c_str(), std::min(bytes, s.text.GetLength())).size(); };
        int a = static_cast<int>(chars(s.sel_start)), b = static_cast<int>(chars(s.sel_end));
        if (a == b)
            e->setCursorPosition(b);
        else
            e->setSelection(a, b - a);
    }

    static void sync_text(CWnd* w, QWidget* q) {
        const BWIZC_WND_STATE& s = w->state();
        QString text = to_qstring(s.text);
        if (auto* e = dynamic_cast<QLineEdit*>(q)) {
            if (e->text() != text) e->setText(text);
            set_selection(e, s);
        } else if (auto* b = dynamic_cast<QAbstractButton*>(q)) {
            b->setText(text);
        } else if (s.kind == BWIZC_KIND_DIALOG) {
            q->setWindowTitle(text);
        }
    }
};

void QT_DIALOG::paintEvent(QPaintEvent*) {
    if (CWnd* w = wnd(); w && g_qt) g_qt->paint(w, this);
}

void QT_PAINTED::paintEvent(QPaintEvent*) {
    if (CWnd* w = wnd(); w && g_qt) g_qt->paint(w, this);
}

}  // namespace

bool bwizc_qt_initialize(int& argc, char** argv) {
    if (!QApplication::instance()) new QApplication(argc, argv);
    // Qt takes the user's locale; numbers in this program are always C.
    std::setlocale(LC_NUMERIC, "C");
    if (!bwizc_platform_startup()) return false;
    if (!g_qt) g_qt = new QT_BACKEND;
    bwizc_set_backend(g_qt);
    bwizc_set_message_box_handler([](const CString& caption, const CString& text) {
        QMessageBox box(QMessageBox::Warning, to_qstring(caption), to_qstring(text), QMessageBox::Ok);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
    });
    return true;
}

void bwizc_qt_shutdown() {
    if (bwizc_get_backend() == g_qt) bwizc_set_backend(nullptr);
    bwizc_set_message_box_handler(nullptr);
}

QWidget* bwizc_qt_widget(const CWnd* wnd) { return g_qt ? g_qt->widget_of(wnd) : nullptr; }

QImage bwizc_qt_grab(const CWnd* wnd) {
    QWidget* q = bwizc_qt_widget(wnd);
    return q ? q->grab().toImage() : QImage();
}
