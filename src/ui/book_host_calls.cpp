// Kelmora — what the workbook module asks of the program: printing and PDF
// files are the program's own (the printing module is the program's to
// load), reached through the table the program gave the module.
#include "ui/book_module.h"
#include "ui/surface_widget.h"

namespace kelmora {

extern const BookHost* moduleHost;

void printRows(QWidget* parent, const PrintedRows& doc) { moduleHost->printRows(parent, doc); }

int writePdf(const QString& path, const PrintedRows& doc) { return moduleHost->writePdf(path, doc); }

}  // namespace kelmora
