// Kelmora — Qt's own words in Chinese, and the program's icon.
#include "app/app_setup.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace kelmora {

bool installQtTranslation(QCoreApplication& app) {
    // Every text of the program is Simplified Chinese whatever the system's
    // language, so Qt's words follow them rather than the locale.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QIcon appIcon() { return QIcon(QStringLiteral(":/icons/io.github.kelmora.Kelmora.svg")); }

}  // namespace kelmora
