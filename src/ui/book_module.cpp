// Kelmora — the program's side of the modules loaded on first use (see
// book_module.h).
#include "ui/book_module.h"

#include <QAction>
#include <QCoreApplication>
#include <QLibrary>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "ui/nested_loop.h"
#include "ui/surface_widget.h"

namespace kelmora {

namespace {

const BookModule* loaded = nullptr;
bool tried = false;

// The module's file: found from the program's folder by the relative path to
// where it is installed, whatever the prefix; KELMORA_BOOK_MODULE names
// another (the tests name the built one).
QString modulePath() {
    QString path = qEnvironmentVariable("KELMORA_BOOK_MODULE");
    if (path.isEmpty()) path = QCoreApplication::applicationDirPath() + QStringLiteral("/" KELMORA_BOOK_MODULE);
    return path;
}

// The titles the main window's menu bar gets for the module's menus.
struct Title {
    const char* text;     // on the bar
    const char* name;     // the title action's object name
    const char* feature;  // the module's name for its menu
};
constexpr Title kTitles[] = {{"账簿", "bookMenuTitle", "book"}};

}  // namespace

const BookHost& bookHost() {
    static const BookHost host{kBookModuleVersion, printRows, writePdf};
    return host;
}

void useBookModule(const BookModule* module) {
    tried = true;
    loaded = module;
    if (loaded) loaded->attach(bookHost());
}

const BookModule* bookModule(QWidget* parent) {
    if (!tried) {
        tried = true;
        // Never unloaded: its windows live until the program ends.
        QLibrary library(modulePath());
        QString why;
        if (auto entry = reinterpret_cast<KelmoraBookModuleEntry>(library.resolve("kelmoraBookModule"))) {
            const BookModule* module = entry();
            if (module && module->version == kBookModuleVersion) {
                module->attach(bookHost());
                loaded = module;
            } else {
                why = QStringLiteral("%1: version %2, not %3")
                          .arg(library.fileName())
                          .arg(module ? module->version : 0)
                          .arg(kBookModuleVersion);
            }
        } else {
            why = library.errorString();
        }
        if (!loaded) {
            const NestedLoop loop;
            QMessageBox::warning(parent, QStringLiteral("Kelmora"),
                                 QStringLiteral("无法使用账簿。\n\n详细信息：%1").arg(why));
        }
    }
    return loaded;
}

void postFromWindow(QWidget* parent, const Window& w) {
    const NestedLoop loop;  // the dialog stands on the window's widgets
    if (const BookModule* module = bookModule(parent)) module->post(parent, w);
}

void addModuleTitles(QMenuBar* bar) {
    for (const Title& t : kTitles) {
        // A title at the end of the bar, its menu the module's, asked for
        // when the title is first clicked (as the bar's other menus are made
        // when first opened) and dropped below the title.
        QAction* title = bar->addAction(QString::fromUtf8(t.text));
        title->setObjectName(QString::fromUtf8(t.name));
        const char* feature = t.feature;
        QObject::connect(title, &QAction::triggered, bar, [bar, title, feature] {
            const BookModule* module = bookModule(bar->window());
            if (!module) return;
            if (QMenu* menu = module->menu(feature, bar))
                menu->popup(bar->mapToGlobal(bar->actionGeometry(title).bottomLeft()));
        });
    }
}

}  // namespace kelmora
