// Helpers for driving the desktop program in tests.
#pragma once

#include <QApplication>
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
