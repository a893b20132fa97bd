// kelmora: the desktop program.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>
#include <cstring>

#include "app/app_setup.h"
#include "core/about.h"
#include "ui/qt_view.h"
#include "ui/settled.h"

namespace {

// True when the command line only asks for help or the version: those are
// answered without a display, so they work over ssh and in scripts.
bool asksOnlyForText(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // A -platform option on the command line still wins over this.
    if (asksOnlyForText(argc, argv)) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelmora"));
    QApplication::setApplicationVersion(QStringLiteral(KELMORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KELMORA_APP_ID));
    // Before the parser, so its own help text is in Chinese too.
    kelmora::installQtTranslation(qapp);

    // Qt has already taken its own options (-platform, -style, …) out of the
    // arguments; --help-all lists them.
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("按中国会计制度计算经济业务的会计分录。"));
    parser.addHelpOption();
    // Qt's own version option, with the same words, but followed by the
    // copyright and the licence.
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QCoreApplication::translate("QCommandLineParser", "Displays version information."));
    parser.addOption(version);
    parser.process(qapp);
    if (parser.isSet(version)) {
        std::printf("Kelmora %s\n%s", KELMORA_VERSION, kelmora::kCopyrightLines);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "kelmora: 不接受参数：%s\n",
                     qPrintable(parser.positionalArguments().join(QLatin1Char(' '))));
        return 1;
    }

    QApplication::setWindowIcon(kelmora::appIcon());
    // Windows are hidden, never closed; only 退出 ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    kelmora::QtView view;
    // How the benchmark times start-up (scripts/bench.sh).
    if (qEnvironmentVariableIsSet("KELMORA_QUIT_WHEN_SETTLED")) kelmora::quitWhenSettled();
    view.start();
    return QApplication::exec();
}
