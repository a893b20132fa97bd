// Kelmora — the desktop program from its command line to its end.
#include "app/program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>
#include <cstring>
#include <vector>

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

// True when the program would look for a window system that is not there:
// no platform chosen other than the usual ones, and neither an X display nor
// a Wayland one named.  Qt would then abort without a word a person can use.
bool lacksDisplay(int argc, char** argv) {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) platform = argv[i + 1];
    const bool usual = platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return usual && qgetenv("DISPLAY").isEmpty() && qgetenv("WAYLAND_DISPLAY").isEmpty();
}

}  // namespace

namespace kelmora {

int runDesktop(int argc, char** argv) {
    // Without a display the options are still read (an unknown one is
    // refused as ever), on a platform that needs none; then the program says
    // why it cannot start.  A platform that needs no display, chosen on the
    // command line (-platform offscreen), still wins over this.
    const bool noDisplay = lacksDisplay(argc, argv);
    if (noDisplay || asksOnlyForText(argc, argv)) qputenv("QT_QPA_PLATFORM", "offscreen");
    // What the stand-in platform has to say (no runtime folder, …) is beside
    // the point then: the one line below says what is wrong.
    static QtMessageHandler qtsOwn = nullptr;
    if (noDisplay)
        qtsOwn = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type != QtCriticalMsg && type != QtFatalMsg) return;
            if (qtsOwn)
                qtsOwn(type, context, text);
            else
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
    // A -platform xcb or wayland that has nothing to connect to is dropped
    // for the same reason.
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        const bool platform = std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0;
        if (noDisplay && i > 0 && platform && i + 1 < argc)
            ++i;  // and its value
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    QApplication qapp(count, args.data());
    QApplication::setApplicationName(QStringLiteral("Kelmora"));
    QApplication::setApplicationVersion(QStringLiteral(KELMORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KELMORA_APP_ID));
    // Before the parser, so its own help text is in Chinese too.
    installQtTranslation(qapp);

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
        std::printf("Kelmora %s\n%s", KELMORA_VERSION, kCopyrightLines);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "kelmora: 不接受参数：%s\n",
                     qPrintable(parser.positionalArguments().join(QLatin1Char(' '))));
        return 1;
    }

    if (noDisplay) {
        std::fprintf(stderr, "kelmora: 没有可用的图形显示（DISPLAY 和 WAYLAND_DISPLAY 均未设置），无法打开窗口。\n");
        return 1;
    }

    QApplication::setWindowIcon(appIcon());
    // Windows are hidden, never closed; only 退出 ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QtView view;
    // How the benchmark times start-up (scripts/bench.sh).
    if (qEnvironmentVariableIsSet("KELMORA_QUIT_WHEN_SETTLED")) quitWhenSettled();
    view.start();
    return QApplication::exec();
}

}  // namespace kelmora
