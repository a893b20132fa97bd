// Kelmora — printing on paper, loaded when the user first prints: the print
// dialog's library costs the program's start more than its whole main window
// would, and most sessions never print.
#include <QPrintDialog>
#include <QPrinter>

#include "ui/print_module.h"

extern "C" Q_DECL_EXPORT int kelmoraPrint(QWidget* parent, const QString* docName, kelmora::PagePainter paint,
                                          const void* context) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(*docName);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return -1;
    return paint(printer, context);
}
