// Helpers for driving the desktop program in tests.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/form_widget.h"

namespace kelmora::testing {

inline QPushButton* button(QWidget* f, const char* name) { return f->findChild<QPushButton*>(name); }

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
