// Helpers for driving the desktop program in tests.
#pragma once

#include <QAbstractScrollArea>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/app.h"
#include "core/window.h"
#include "ui/form_widget.h"

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

// Types text key by key, Chinese included (QTest::keyClicks takes ASCII only).
inline void type(QWidget* w, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
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

}  // namespace kelmora::testing
