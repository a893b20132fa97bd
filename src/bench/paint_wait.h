// Waiting, in the benchmark, until a window shown has painted its frame.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

namespace kelmora::bench {

// Notes the paints of the window waited for.  A window covered by its
// children is not sent a paint of its own, so a paint of any widget in it
// counts.
class PaintWait : public QObject {
public:
    PaintWait() { QApplication::instance()->installEventFilter(this); }

    // Runs the event loop until the window has painted (at most a second).
    void waitFor(QWidget* window) {
        window_ = window;
        painted_ = false;
        QElapsedTimer t;
        t.start();
        while (!painted_ && t.elapsed() < 1000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        window_ = nullptr;
    }
    void showAndWait(QWidget* window) {
        window->show();
        waitFor(window);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint && window_)
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->window() == window_) painted_ = true;
        return false;
    }

private:
    QWidget* window_ = nullptr;
    bool painted_ = false;
};

}  // namespace kelmora::bench
