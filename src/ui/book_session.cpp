#include "ui/nested_loop.h"
#include "ui/book_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

#include "book/sqlite_store.h"
#include "ui/book_post_dialog.h"
#include "ui/book_window.h"

namespace kelmora {

namespace {
QSettings settings() { return QSettings(QStringLiteral("Kelmora"), QStringLiteral("Kelmora")); }
constexpr auto kLastKey = "workbook/last";

void tell(QWidget* parent, const QString& text) {
    const NestedLoop loop;
    QMessageBox::warning(parent, QStringLiteral("Kelmora"), text);
}
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

BookSession& BookSession::instance() {
    static BookSession* session = [] {
        auto* s = new BookSession;  // lives as long as the program
        // The file is closed as the program ends, so that SQLite folds its
        // journal back into it.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, s, [s] {
            if (BookWindow* w = BookWindow::existing()) w->hide();
            s->book_.reset();
        });
        return s;
    }();
    return *session;
}

QString BookSession::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/账簿.kbook");
}

book::Workbook& BookSession::workbook(QWidget* parent) {
    if (book_) return *book_;
    const QString last = settings().value(kLastKey).toString();
    const QString path = last.isEmpty() ? defaultPath() : last;
    if (last.isEmpty()) QDir().mkpath(QFileInfo(path).absolutePath());
    if (!last.isEmpty() && !QFileInfo::exists(last)) {
        tell(parent, QStringLiteral("上次使用的账簿“%1”找不到了。请在账簿窗口中打开或新建账簿；"
                                    "在此之前记入的凭证只保存在内存中。")
                         .arg(last));
    } else {
        try {
            book_ = std::make_unique<book::Workbook>(book::SqliteStore::open(path.toStdString()));
            return *book_;
        } catch (const book::BookError& e) {
            tell(parent, q(e.what()) + QStringLiteral("\n\n请在账簿窗口中打开或新建账簿；在此之前记入的凭证只保存在内存中。"));
        }
    }
    book_ = std::make_unique<book::Workbook>();
    return *book_;
}

QString BookSession::path() const { return book_ ? q(book_->path()) : QString(); }

void BookSession::remember() { settings().setValue(kLastKey, path()); }

bool BookSession::open(QWidget* parent, const QString& path) {
    return take(parent, path, book::SqliteStore::Mode::OpenOrCreate);
}

bool BookSession::create(QWidget* parent, const QString& path) {
    return take(parent, path, book::SqliteStore::Mode::CreateOnly);
}

bool BookSession::take(QWidget* parent, const QString& path, book::SqliteStore::Mode mode) {
    return onFile(parent, [&] {
        auto opened = std::make_unique<book::Workbook>(book::SqliteStore::open(path.toStdString(), mode));
        book_ = std::move(opened);
    });
}

bool BookSession::saveAs(QWidget* parent, const QString& path) {
    book::Workbook& b = workbook(parent);
    return onFile(parent, [&] {
        b.moveTo(book::SqliteStore::open(path.toStdString(), book::SqliteStore::Mode::CreateOnly));
    });
}

bool BookSession::onFile(QWidget* parent, const std::function<void()>& change) {
    try {
        change();
    } catch (const book::BookError& e) {
        tell(parent, q(e.what()));
        return false;
    }
    remember();
    emit changed();
    return true;
}

bool BookSession::attempt(QWidget* parent, const std::function<void(book::Workbook&)>& change) {
    book::Workbook& b = workbook(parent);
    bool done = true;
    try {
        change(b);
    } catch (const book::BookError& e) {
        tell(parent, q(e.what()));
        done = false;
    }
    emit changed();
    return done;
}

void BookSession::refresh(QWidget* parent) {
    if (!book_) return;
    try {
        book_->refresh();
    } catch (const book::BookError& e) {
        tell(parent, q(e.what()));
    }
    emit changed();
}

void postEntries(QWidget* parent, const Window& w) {
    const NestedLoop loop;  // the dialog stands on the window's widgets
    PostDialog dialog(w, parent);
    dialog.exec();
}

void showBookWindow() {
    BookWindow* window = BookWindow::current();
    window->show();
    window->raise();
    window->activateWindow();
}

QMenu* bookMenu(QWidget* bar) {
    if (auto* menu = bar->findChild<QMenu*>(QStringLiteral("bookMenu"))) return menu;
    auto* menu = new QMenu(bar);
    menu->setObjectName(QStringLiteral("bookMenu"));
    QObject::connect(menu->addAction(QStringLiteral("凭证、总账和试算平衡表…")), &QAction::triggered, [] {
        showBookWindow();
    });
    menu->addSeparator();
    QObject::connect(menu->addAction(QStringLiteral("新建账簿…")), &QAction::triggered, [] {
        showBookWindow();
        BookWindow::current()->askNew();
    });
    QObject::connect(menu->addAction(QStringLiteral("打开账簿…")), &QAction::triggered, [] {
        showBookWindow();
        BookWindow::current()->askOpen();
    });
    return menu;
}

}  // namespace kelmora
