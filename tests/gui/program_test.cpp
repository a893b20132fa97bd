// The desktop program started as main() starts it, on the offscreen platform:
// what a person sees in its first moments.  The main window shows the
// program's icon, a message box answers with Qt's own button in Chinese, the
// workbook's module (and SQLite) is loaded only once 账簿 is clicked, its
// posting dialog comes up on Ctrl+J, and 退出 ends the program with status 0.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/app_setup.h"
#include "app/program.h"
#include "gui/gui_support.h"
#include "ui/form_widget.h"

namespace program_test {

using kelmora::FormWidget;
using kelmora::testing::button;
using kelmora::testing::type;

// What the checks saw while the program ran; compared once it has ended.
struct Seen {
    bool mainWindowShown = false;
    bool windowIconIsTheProgramsOwn = false;
    bool iconHasPixels = false;
    QString desktopFileName;
    QString boxText;
    QStringList boxButtons;
    QStringList loadedAtStart;  // of the libraries below, those mapped once the main window shows
    QStringList loadedAfterMenu;  // ... once 账簿 has dropped its menu
    QString bookMenu;             // the object name of what 账簿 dropped
    QString postDialog;           // ... of what Ctrl+J brought up
    QString postBook;             // the workbook file that dialog names
    QString failure;  // why the checks could not go on
};
Seen seen;

FormWidget* shownForm(const std::string& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<FormWidget*>(w); f && f->isVisible() && f->window().name() == name) return f;
    return nullptr;
}

// The picture of an icon at a size, in one pixel format, for comparing.
QImage pictureOf(const QIcon& icon, int size) {
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Which of the workbook's libraries the process has mapped.
QStringList workbookLibrariesLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return {QStringLiteral("(no /proc/self/maps)")};
    const QByteArray all = maps.readAll();
    QStringList out;
    for (const char* lib : {"/libkelmora_book.so", "/libsqlite3.so"})
        if (all.contains(lib)) out << QString::fromLatin1(lib);
    return out;
}

void lookAtTheRunningProgram() {
    QElapsedTimer waited;
    waited.start();
    FormWidget* main = nullptr;
    while (!(main = shownForm("Form1")) && waited.elapsed() < 5000) QTest::qWait(10);
    if (!main) {
        seen.failure = "the main window did not show";
        QCoreApplication::exit(90);
        return;
    }
    seen.mainWindowShown = QTest::qWaitForWindowExposed(main);
    seen.loadedAtStart = workbookLibrariesLoaded();
    seen.desktopFileName = QGuiApplication::desktopFileName();

    // The icon the window system is given for the window's frame and the
    // task bar is the program's own picture.
    QWindow* frame = main->windowHandle();
    const QIcon shown = frame ? frame->icon() : QIcon();
    const QImage expected = pictureOf(kelmora::appIcon(), 32);
    seen.iconHasPixels = !shown.isNull() && !pictureOf(shown, 32).isNull();
    seen.windowIconIsTheProgramsOwn = seen.iconHasPixels && pictureOf(shown, 32) == expected;

    // An account explained in a message box, its button pressed with the
    // mouse as a person would.
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        watch.stop();
        seen.boxText = box->text();
        for (QAbstractButton* b : box->buttons()) seen.boxButtons << b->text();
        if (!box->buttons().isEmpty()) QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
        if (box->isVisible()) box->done(0);  // never left standing
    });
    watch.start();
    main->box("Text1")->setFocus();
    type(main->box("Text1"), QStringLiteral("应收票据"));
    QTest::mouseClick(button(main, "Command1"), Qt::LeftButton);
    if (seen.boxText.isEmpty()) {
        seen.failure = "no message box came up for 应收票据";
        QCoreApplication::exit(91);
        return;
    }
    // 账簿 loads the workbook's module (the test names the built one) and
    // drops its menu.
    auto* bar = main->findChild<QMenuBar*>();
    if (QAction* title = bar ? bar->findChild<QAction*>(QStringLiteral("bookMenuTitle")) : nullptr) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
        if (QWidget* menu = QApplication::activePopupWidget()) {
            seen.bookMenu = menu->objectName();
            menu->close();
        }
    }
    seen.loadedAfterMenu = workbookLibrariesLoaded();
    // 记入凭证 on its key: the module's posting dialog, over the workbook in
    // the program's data folder (the test's own, see below).
    QTimer dialogWatch;
    dialogWatch.setInterval(10);
    QObject::connect(&dialogWatch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialogWatch.stop();
        seen.postDialog = dialog->objectName();
        if (auto* path = dialog->findChild<QLabel*>(QStringLiteral("bookPath"))) seen.postBook = path->text();
        dialog->reject();
    });
    dialogWatch.start();
    main->activateWindow();
    if (QTest::qWaitForWindowActive(main)) QTest::keyClick(main, Qt::Key_J, Qt::ControlModifier);
    dialogWatch.stop();
    // 退出: the program ends on its own.
    if (auto* exit = button(main, "Command4"); exit && exit->text() == QStringLiteral("退出"))
        QTest::mouseClick(exit, Qt::LeftButton);
    else
        seen.failure = "the main window has no 退出 button as Command4";
}

void whenTheApplicationStarts() {
    QTimer::singleShot(0, &lookAtTheRunningProgram);
    // A program that never ends fails the test rather than hanging it.
    QTimer::singleShot(30000, [] {
        if (seen.failure.isEmpty()) seen.failure = "the program did not end within 30 s";
        QCoreApplication::exit(92);
    });
}

TEST(Program, StartsWithItsIconAndQtsWordsInChineseAndEndsOnExit) {
    // The timers above go in as the application is made inside the program.
    qAddPreRoutine(&whenTheApplicationStarts);
    // The workbook and the settings in a folder of the test's own.
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
    char name[] = "kelmora", platform[] = "-platform", offscreen[] = "offscreen";
    char* argv[] = {name, platform, offscreen, nullptr};
    const int status = kelmora::runDesktop(3, argv);

    EXPECT_EQ(seen.failure, QString());
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(seen.mainWindowShown);
    EXPECT_TRUE(seen.iconHasPixels) << "the main window shows no icon";
    EXPECT_TRUE(seen.windowIconIsTheProgramsOwn) << "the main window's icon is not the program's";
    EXPECT_EQ(seen.desktopFileName, QStringLiteral(KELMORA_APP_ID));
    EXPECT_TRUE(seen.boxText.startsWith(QStringLiteral("是核算企业因"))) << seen.boxText.toStdString();
    // Qt's own word for the button, in the program's language.
    EXPECT_EQ(seen.boxButtons, QStringList{QStringLiteral("确定")})
        << "Qt's words are not in Chinese: " << seen.boxButtons.join('|').toStdString();
    // The workbook costs the start nothing: loaded when first used.
    EXPECT_EQ(seen.loadedAtStart, QStringList{});
    EXPECT_EQ(seen.bookMenu, QStringLiteral("bookMenu"));
    EXPECT_EQ(seen.loadedAfterMenu, (QStringList{QStringLiteral("/libkelmora_book.so"), QStringLiteral("/libsqlite3.so")}));
    EXPECT_EQ(seen.postDialog, QStringLiteral("postDialog"));
    EXPECT_EQ(seen.postBook, home.filePath(QStringLiteral("data/Kelmora/账簿.kbook")));
}

}  // namespace program_test

int main(int argc, char** argv) {
    // No application here: the program makes its own, as it does when started.
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
