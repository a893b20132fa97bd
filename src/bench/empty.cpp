// kelmora-empty: the floor the benchmark measures against — an empty Qt
// Widgets program that shows one window with a line of Chinese.
//
//   kelmora-empty              shows the window (ends after its first frame
//                              when KELMORA_QUIT_WHEN_SETTLED is set)
//   kelmora-empty --visit N    opens, paints and closes N such windows one
//                              after another and prints the time it took
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdio>
#include <cstring>

#include "bench/paint_wait.h"
#include "ui/settled.h"

namespace {
const char* const kLine = "有借必有贷，借贷必相等。";

QWidget* makeWindow() {
    auto* window = new QWidget;
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(new QLabel(QString::fromUtf8(kLine)));
    return window;
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--visit") == 0) {
        const int n = std::atoi(argv[2]);
        kelmora::bench::PaintWait paints;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < n; ++i) {
            QWidget* w = makeWindow();
            paints.showAndWait(w);
            w->hide();
            w->deleteLater();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        std::printf("open_all_ms %.2f\n", t.nsecsElapsed() / 1e6);
        return 0;
    }
    if (qEnvironmentVariableIsSet("KELMORA_QUIT_WHEN_SETTLED")) kelmora::quitWhenSettled();
    QWidget* window = makeWindow();
    window->show();
    const int status = QApplication::exec();
    delete window;
    return status;
}
