// kelmora: the desktop program.
#include <QApplication>

#include "ui/qt_view.h"
#include "ui/settled.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Kelmora");
    // Windows are hidden, never closed; only 退出 ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    kelmora::QtView view;
    // How the benchmark times start-up (scripts/bench.sh).
    if (qEnvironmentVariableIsSet("KELMORA_QUIT_WHEN_SETTLED")) kelmora::quitWhenSettled();
    view.start();
    return QApplication::exec();
}
