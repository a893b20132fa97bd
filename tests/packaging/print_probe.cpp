// print_probe: prints from a window as a user does, from wherever it is put.
// The install test copies it into the installed program's folder and runs it
// there: the context menu's "打印…" must bring up the print dialog, which it
// does only when the printing module is found where the program looks for it
// (otherwise the window says "无法打印。").
//
// Prints what came up and exits 0 for the print dialog, 1 for anything else.
//
// "print_probe book" clicks the main window's 账簿 instead, which must drop
// the workbook's menu (the workbook module found where the program looks for
// it), and exits 0 for that menu.
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include "ui/form_widget.h"
#include "ui/qt_view.h"
#include "ui/surface_widget.h"

using namespace kelmora;

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QtView view;
    view.start();
    view.app().open("Form4");
    FormWidget* form = view.widget("Form4");
    if (!form) {
        std::puts("no window Form4");
        return 1;
    }
    SurfaceWidget* surface = form->surface();

    // What the menu's action brings up, answered as soon as it shows: the
    // dialog is cancelled, a message box closed.  Two timers, because the
    // action runs from the first one's slot, and a timer does not fire
    // again while its slot is still running.
    QString seen;
    QTimer menuWatch, modalWatch;
    QObject::connect(&menuWatch, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* a : menu->actions())
            if (a->text() == QStringLiteral("打印…")) {
                // As a click does: the menu goes, then the action runs.
                menu->hide();
                a->trigger();
                return;
            }
        seen = QStringLiteral("a menu without 打印…");
        menu->hide();
    });
    QObject::connect(&modalWatch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            seen = QStringLiteral("message box: ") + box->text();
        else
            seen = QString::fromLatin1(modal->metaObject()->className());
        modal->close();
    });
    modalWatch.start(10);
    QTimer::singleShot(30000, [] { std::puts("timed out"); std::exit(1); });

    if (argc > 1 && std::strcmp(argv[1], "book") == 0) {
        auto* bar = view.widget("Form1")->findChild<QMenuBar*>();
        QAction* title = bar ? bar->findChild<QAction*>(QStringLiteral("bookMenuTitle")) : nullptr;
        if (!title) {
            std::puts("no 账簿 on the menu bar");
            return 1;
        }
        title->trigger();
        QApplication::processEvents();
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) seen = menu->objectName();
        std::printf("%s\n", qPrintable(seen.isEmpty() ? QStringLiteral("nothing") : seen));
        return seen == QStringLiteral("bookMenu") ? 0 : 1;
    }
    menuWatch.start(10);

    // A right click on the printed rows.
    QWidget* rows = surface->viewport();
    const QPoint at = rows->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, rows->mapToGlobal(at));
    QApplication::sendEvent(rows, &event);
    QApplication::processEvents();

    std::printf("%s\n", qPrintable(seen.isEmpty() ? QStringLiteral("nothing") : seen));
    return seen == QStringLiteral("QPrintDialog") ? 0 : 1;
}
