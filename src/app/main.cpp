// kelmora: the desktop program.
#include <QApplication>

#include "ui/qt_view.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Kelmora");
    // Windows are hidden, never closed; only 退出 ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    kelmora::QtView view;
    view.start();
    return QApplication::exec();
}
