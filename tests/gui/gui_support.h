// Helpers for driving the desktop program in tests.
#pragma once

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QScreen>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>

#include "core/app.h"
#include "core/window.h"
#include "ui/form_widget.h"
#include "ui/surface_widget.h"

// Qt's strings as text in the tests' messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace kelmora::testing {

inline QPushButton* button(QWidget* f, const char* name) { return f->findChild<QPushButton*>(name); }

// Where a control of a window stands in the window's client area, with the
// scrolling control area where it is now.
inline QRect inClient(const FormWidget* f, const QWidget* w) {
    const QWidget* client = f->findChild<QWidget*>("client");
    return {w->mapTo(client, QPoint(0, 0)), w->size()};
}

// The part of a control a person sees: for a control of the scrolling
// control area, what its view shows of it.
inline QRect seenInClient(const FormWidget* f, const QWidget* w) {
    QRect r = inClient(f, w);
    const auto* area = f->findChild<QWidget*>("area");
    if (area && area->isAncestorOf(w)) {
        const auto* view = static_cast<const QAbstractScrollArea*>(area)->viewport();
        r &= QRect(view->mapTo(f->findChild<QWidget*>("client"), QPoint(0, 0)), view->size());
    }
    return r;
}

// The window's controls: labels, boxes, buttons and frames, wherever they
// stand.
inline QList<QWidget*> controlsOf(const FormWidget* f) {
    QList<QWidget*> found;
    for (QWidget* w : f->findChild<QWidget*>("client")->findChildren<QWidget*>())
        if (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QPushButton*>(w) ||
            qobject_cast<QGroupBox*>(w))
            found << w;
    return found;
}

// The buttons that print: every button of the window but those that clear,
// empty or leave it, in tab order (members of control arrays included).
inline QList<QPushButton*> computeButtons(FormWidget* f) {
    static const QStringList others{QStringLiteral("取消"), QStringLiteral("清空"), QStringLiteral("清除"),
                                    QStringLiteral("退出")};
    QList<QPushButton*> found;
    for (const auto& c : f->window().def().controls) {
        if (c.kind != ControlKind::Button || others.contains(QString::fromStdString(c.text))) continue;
        const QString name = c.index >= 0 ? QStringLiteral("%1_%2").arg(QString::fromStdString(c.name)).arg(c.index)
                                          : QString::fromStdString(c.name);
        if (QPushButton* b = f->findChild<QPushButton*>(name)) found << b;
    }
    return found;
}

// Presses every compute button of an open window once, so that the window
// shows what they print.  A button that hands over to another window (it
// hides its own, which erases the rows) is pressed first, and the window
// opened again.
inline void pressComputeButtons(App& app, FormWidget* f) {
    QList<QPushButton*> stay;
    for (QPushButton* b : computeButtons(f)) {
        QTest::mouseClick(b, Qt::LeftButton);
        if (f->isVisible()) stay << b;
        else app.open(f->window().name());
    }
    f->window().clear();
    for (QPushButton* b : stay) QTest::mouseClick(b, Qt::LeftButton);
}

// Fills every empty box of an open window with a small figure, as the sweeps
// do before they press its buttons.
inline void fillEmptyBoxes(QWidget* f) {
    for (QLineEdit* box : f->findChildren<QLineEdit*>())
        if (box->text().isEmpty()) box->setText("2");
}

// Types text key by key, Chinese included (QTest::keyClicks takes ASCII only).
inline void type(QWidget* w, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

// Opens the printing area's context menu with a right click on the rows and
// clicks the entry of that caption, as a person does.  False when no menu
// came up or it has no such entry.
inline bool chooseFromContextMenu(SurfaceWidget* s, const QString& caption) {
    bool chosen = false, menuSeen = false;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible()) return;
        timer.stop();
        menuSeen = true;
        for (QAction* a : menu->actions())
            if (a->text() == caption && a->isEnabled()) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                chosen = true;
                break;
            }
        if (menu->isVisible()) menu->close();
    });
    timer.start();
    // What the window system makes of a right click on the rows.
    const QPoint at(5, 5);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, s->viewport()->mapToGlobal(at));
    QApplication::sendEvent(s->viewport(), &click);
    // The menu may run a loop of its own (then it is over by now) or stand open.
    for (int waited = 0; !menuSeen && waited < 2000; waited += 10) QTest::qWait(10);
    QTest::qWait(0);
    EXPECT_TRUE(menuSeen) << "no context menu came up";
    EXPECT_TRUE(chosen) << caption.toStdString() << " is not in the context menu";
    return chosen;
}

// The layout checks hold for the screen and the fonts they were worked out
// on: the 1366×768 screen gui_tests sets up on the offscreen platform, and
// Chinese drawn in WenQuanYi Micro Hei (fonts-wqy-microhei).  Each fails the
// test with the reason when the machine gives something else.
inline void requireSmallScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr) << "no screen";
    ASSERT_TRUE(screen->size() == QSize(1366, 768))
        << "these checks need the 1366×768 screen that gui_tests sets up on the offscreen platform "
           "(QT_QPA_PLATFORM=offscreen); the screen is "
        << screen->size().width() << "×" << screen->size().height();
}

// The family that draws the text in the font, as the text is laid out
// (the font asked for, or the one the system falls back to for the script).
inline QString familyDrawing(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.isEmpty() ? QString() : runs.front().rawFont().familyName();
}

inline void requireChineseFont(const QFont& font) {
    const QString family = familyDrawing(QStringLiteral("借贷"), font);
    ASSERT_EQ(family, QStringLiteral("WenQuanYi Micro Hei"))
        << "these checks were worked out for Chinese drawn in WenQuanYi Micro Hei (fonts-wqy-microhei); "
           "it is drawn in "
        << family.toStdString();
}

// Chooses an item from a window's menu bar with the mouse, as a person does:
// a click on the title in the bar, then on each caption of the path in the
// menus that open.  False (with the reason) when a caption is not there.
inline bool chooseFromMenuBar(QWidget* window, const QStringList& path) {
    auto* bar = window->findChild<QMenuBar*>();
    if (!bar) {
        ADD_FAILURE() << "the window has no menu bar";
        return false;
    }
    QWidget* menu = bar;
    for (int i = 0; i < path.size(); ++i) {
        QAction* found = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == path[i]) found = a;
        if (!found) {
            QStringList there;
            for (QAction* a : menu->actions()) there << a->text();
            ADD_FAILURE() << path[i].toStdString() << " is not in the menu: " << there.join('|').toStdString();
            if (auto* open = QApplication::activePopupWidget()) open->close();
            return false;
        }
        const QRect at = menu == bar ? bar->actionGeometry(found) : static_cast<QMenu*>(menu)->actionGeometry(found);
        QTest::mouseClick(menu, Qt::LeftButton, {}, at.center());
        if (i + 1 == path.size()) break;
        // The menu below the caption opens (made and filled when first used).
        for (int waited = 0; !(found->menu() && found->menu()->isVisible()) && waited < 2000; waited += 10)
            QTest::qWait(10);
        if (!found->menu() || !found->menu()->isVisible()) {
            ADD_FAILURE() << "no menu opened below " << path[i].toStdString();
            return false;
        }
        menu = found->menu();
    }
    QTest::qWait(0);
    return true;
}

// Presses OK on every modal message box that comes up while it lives, and
// remembers how many there were, the last text (which may be empty) and the
// last title, so that a message box never blocks a test.
class MessageBoxWatch {
public:
    MessageBoxWatch() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++count;
                text = box->text();
                title = box->windowTitle();
                box->accept();
            }
        });
        timer_.start();
    }
    // Lets the event loop run until a box has been seen or the time is up.
    void waitForBox(int ms = 2000) {
        QElapsedTimer t;
        t.start();
        while (count == 0 && t.elapsed() < ms) QTest::qWait(10);
    }

    int count = 0;
    QString text;
    QString title;

private:
    QTimer timer_;
};

// The application font at a point size for as long as it lives (0: as it is).
class FontAt {
public:
    explicit FontAt(int points) : before_(QApplication::font()) {
        if (points <= 0) return;
        QFont f = before_;
        f.setPointSize(points);
        QApplication::setFont(f);
    }
    ~FontAt() { QApplication::setFont(before_); }

private:
    QFont before_;
};

}  // namespace kelmora::testing
