// Kelmora — what the printing module offers (see print_module.cpp).
#pragma once

class QPagedPaintDevice;
class QString;
class QWidget;

namespace kelmora {

// Paints the pages onto the printer; the number of pages, 0 on failure.
using PagePainter = int (*)(QPagedPaintDevice& printer, const void* context);

// Asks the user for a printer and prints: the number of pages, -1 when the
// user cancels, 0 when printing failed.
using PrintFunction = int (*)(QWidget* parent, const QString* docName, PagePainter paint, const void* context);

}  // namespace kelmora
