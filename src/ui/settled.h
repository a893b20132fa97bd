// Kelmora — ending the program once its first frame has settled: the first
// paint of a window, and every event that came with it.  Start-up is timed
// this way, the same for this program and for the empty one it is measured
// against.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace kelmora {

// Quits the event loop once the first frame is painted and the events
// waiting behind it are handled.  Called before any window shows.  (A frame
// is painted in one go, widget after widget, so the first paint of any widget
// marks it: a window covered by its children is not sent one of its own.)
inline void quitWhenSettled() {
    struct Watch : QObject {
        using QObject::QObject;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) {
                QCoreApplication::instance()->removeEventFilter(this);
                QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
            }
            return false;
        }
    };
    QCoreApplication::instance()->installEventFilter(new Watch(QCoreApplication::instance()));
}

}  // namespace kelmora
