// Kelmora — the workbook module's table (see book_module.h): its features by
// name, and the posting dialog.
#include <QMenu>
#include <cstring>

#include "ui/book_module.h"
#include "ui/book_session.h"
#include "ui/book_window.h"

namespace kelmora {

// The program's services, for the module's own calls (book_host_calls.cpp);
// set by attach().
const BookHost* moduleHost = nullptr;

namespace {

bool is(const char* feature, const char* name) { return feature && std::strcmp(feature, name) == 0; }

void attach(const BookHost& host) { moduleHost = &host; }

QMenu* menu(const char* feature, QWidget* bar) {
    if (is(feature, "book")) return bookMenu(bar);
    return nullptr;
}

bool open(const char* feature, QWidget*) {
    if (is(feature, "book")) {
        showBookWindow();
    } else if (is(feature, "book.new")) {
        showBookWindow();
        BookWindow::current()->askNew();
    } else if (is(feature, "book.open")) {
        showBookWindow();
        BookWindow::current()->askOpen();
    } else {
        return false;
    }
    return true;
}

void post(QWidget* parent, const Window& w) { postEntries(parent, w); }

constexpr BookModule kTable{kBookModuleVersion, attach, menu, open, post};

}  // namespace

}  // namespace kelmora

const kelmora::BookModule* kelmoraBookModule() { return &kelmora::kTable; }
