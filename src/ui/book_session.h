// Kelmora — the workbook of the desktop program: the one the user works in,
// reopened from the last session when first needed, and the ways in to it
// (the posting dialog, the workbook window, the main window's menu).
#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "book/journal.h"
#include "book/sqlite_store.h"
#include "ui/book_module.h"

class QMenu;
class QWidget;

namespace kelmora {

class Window;

class BookSession : public QObject {
    Q_OBJECT
public:
    static BookSession& instance();

    // The workbook; the first call opens the one used last (or the default
    // one in the program's data folder), telling the user when it cannot.
    book::Workbook& workbook(QWidget* parent);
    // The file the workbook is kept in, empty while it lives in memory only.
    QString path() const;

    // Each says what went wrong in a message box over parent and returns
    // false; on success the workbook is the one in that file, remembered for
    // the next start.
    bool open(QWidget* parent, const QString& path);
    bool create(QWidget* parent, const QString& path);
    bool saveAs(QWidget* parent, const QString& path);

    // Runs a change of the workbook; a BookError is shown over parent and
    // false returned.  Announces the change either way (another program's
    // changes may have been read in).
    bool attempt(QWidget* parent, const std::function<void(book::Workbook&)>& change);
    // Reads in what another program changed in the file.
    void refresh(QWidget* parent);

    // The date the posting dialog offers: today.
    QDate postingDate() const { return QDate::currentDate(); }

    // Where the settings keep the last workbook, and the default one.
    static QString defaultPath();

signals:
    void changed();

private:
    // The workbook of that file from now on; false, and a message, when it
    // cannot be opened (or, when it must be new, made).
    bool take(QWidget* parent, const QString& path, book::SqliteStore::Mode mode);
    // Runs a change of the workbook's file: remembered as the last one and
    // announced when it succeeds, told to the user when it fails.
    bool onFile(QWidget* parent, const std::function<void()>& change);
    BookSession() = default;
    void remember();

    std::unique_ptr<book::Workbook> book_;
};

// The posting dialog for what w has printed.
void postEntries(QWidget* parent, const Window& w);
// The workbook window, made on first use, brought to the front.
void showBookWindow();
// The 账簿 menu under its title on the main window's menu bar: made on the
// first call, the same one afterwards.
QMenu* bookMenu(QWidget* bar);

}  // namespace kelmora
