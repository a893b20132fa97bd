// Kelmora — the desktop's features that are loaded when first used, and the
// program's side of them.
//
// The workbook's window and dialogs, and SQLite under them, live in a module
// of their own, libkelmora_book.so, installed beside the printing module in
// lib/kelmora and found, like it, from the program's folder by the relative
// path between the two (KELMORA_BOOK_MODULE names another file).  The program
// does not load it as it starts: the first 记入凭证, the first click on 账簿 in
// the main window's menu bar, loads it.  Most sessions only compute, and the
// libraries behind the workbook cost the start more than the main window's
// own widgets.
//
// The module is reached through one C function, kelmoraBookModule(), which
// returns the table BookModule below.  Everything the program asks of the
// module goes through that table; everything the module asks of the program
// (printing, PDF files) goes through the table BookHost the program hands it
// first.  The module links the model's code itself (the core, the workbook
// and its storage), so the only things shared are Qt and the objects passed
// by pointer or reference: a Window, a QWidget, a PrintedRows.
//
// One module holds every such feature, each known by a name:
//   "book"          the workbook window (凭证、总账和试算平衡表), brought to the front
//   "book.new"      the same window, asking for a new workbook's file
//   "book.open"     the same window, asking for a workbook's file to open
// and, as a menu under a title of the main window's menu bar (menu()):
//   "book"          the 账簿 menu
// A further feature (practice's windows, further views of the workbook) adds
// its names to open() and, when it has a title of its own on the menu bar,
// to menu() and to the program's list of titles (book_module.cpp).  Names a
// module does not know are answered false or nullptr.  New entries go at the
// end of BookModule or BookHost, and kBookModuleVersion goes up: the program
// and its module come from one build, and the program takes a module of
// another version as missing (its table may be laid out otherwise).
#pragma once

#include <QKeyCombination>
#include <QtGlobal>

class QMenu;
class QMenuBar;
class QString;
class QWidget;

namespace kelmora {

class Window;
struct PrintedRows;

// Posts the entries a window has printed: 记入凭证 in the printing band's
// context menu and on this key anywhere in the window.
inline constexpr QKeyCombination kPostShortcut = Qt::CTRL | Qt::Key_J;

inline constexpr int kBookModuleVersion = 1;

// What the program offers the module.
struct BookHost {
    int version;  // kBookModuleVersion
    // Asks for a printer and prints the rows (a message box when it cannot).
    void (*printRows)(QWidget* parent, const PrintedRows& doc);
    // Writes the rows to a PDF file: the number of pages, 0 on failure.
    int (*writePdf)(const QString& path, const PrintedRows& doc);
};

// What the module offers the program.
struct BookModule {
    int version;  // kBookModuleVersion of the module's build
    // Called once, before any other entry, with the program's table, which
    // lives as long as the program.
    void (*attach)(const BookHost& host);
    // The menu of a feature's title on the main window's menu bar, made on
    // the first call as a child of bar and the same one afterwards; nullptr
    // for a name the module does not know.
    QMenu* (*menu)(const char* feature, QWidget* bar);
    // Shows a feature's window (see the names above); false for a name the
    // module does not know.
    bool (*open)(const char* feature, QWidget* parent);
    // 记入凭证: the posting dialog for what w has printed, over parent; returns
    // once it is closed.
    void (*post)(QWidget* parent, const Window& w);
};

// ---- the program's side (kelmora_ui) ----

// The module, loaded on the first call; nullptr (and a message box over
// parent saying why) when it cannot be loaded.
const BookModule* bookModule(QWidget* parent);
// Uses a table linked into the program itself instead of loading the module
// (the tests that reach into the workbook's classes link them in).
void useBookModule(const BookModule* module);
// The program's table for the module.
const BookHost& bookHost();

// 记入凭证 for what w has printed (loads the module).
void postFromWindow(QWidget* parent, const Window& w);
// The titles of the module's menus (账簿) at the end of the main window's
// menu bar, without loading it: a title's menu is the module's, asked for
// when the title is first clicked.  Given to the main window's FormWidget,
// which adds them before it measures itself.
void addModuleTitles(QMenuBar* bar);

}  // namespace kelmora

// The module's one exported function: its table, which lives as long as the
// module.  The program looks it up by name in the loaded module; a test that
// links the module's objects in calls it directly.
extern "C" {
Q_DECL_EXPORT const kelmora::BookModule* kelmoraBookModule();
using KelmoraBookModuleEntry = const kelmora::BookModule* (*)();
}
