// The desktop program's start-up: Qt's own words in Chinese, and its icon.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <memory>

#include "app/app_setup.h"

namespace {

TEST(AppSetup, QtWordsAreChinese) {
    ASSERT_TRUE(kelmora::installQtTranslation(*qApp)) << "qtbase_zh_CN is not installed";

    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kelmora"), QStringLiteral("x"), QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));

    // A text box's own context menu; its entries read e.g. "剪切(&T)\tCtrl+X".
    // (Qt spells its undo entry with a variant of its own, so it is left out.)
    QLineEdit edit(QStringLiteral("100"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions()) texts << action->text();
    const QString all = texts.join(QLatin1Char('|'));
    for (const char* word : {"剪切", "复制", "粘贴"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(word))) << word << " missing from " << all.toStdString();
}

TEST(AppSetup, IconIsDrawnFromTheResource) {
    // Compiled in at the sizes windows ask for; no plugin needed to draw it.
    const QIcon icon = kelmora::appIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 48, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size)) << size;
        // The page fills the middle; the corners stay transparent.
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 200) << size;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
