// Names as a person knows them: windows named by their keywords where the
// program names them itself (the message of a failed computation, the
// heading of a PDF file and the name the file is offered under; title bars
// keep their captions), and the keyword a person types first in the main
// window's completion list.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "gui/gui_support.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"
#include "ui/surface_widget.h"

using namespace kelmora;

namespace {

using kelmora::testing::button;
using kelmora::testing::MessageBoxWatch;

const QString kForm4Name = QStringLiteral("外埠采购 · 申请汇票 · 申请本票（Form4）");

TEST(GuiNames, FailureMessageNamesTheWindowByItsKeywords) {
    QtView view;
    view.start();
    view.app().open("Form4");
    FormWidget* f = view.widget("Form4");
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Form4"));
    // Material and input tax add up beyond what a number holds.
    f->box("Text1")->setText(QStringLiteral("1e308"));
    f->box("Text2")->setText(QStringLiteral("1e308"));
    MessageBoxWatch watch;
    QTest::mouseClick(button(f, "Command1"), Qt::LeftButton);
    watch.waitForBox();
    ASSERT_EQ(watch.count, 1);
    EXPECT_EQ(watch.text, QStringLiteral("窗口 ") + kForm4Name +
                              QStringLiteral(" 计算出错：数值超出可以计算的范围（溢出）。本次计算在出错处停止。"));
}

// The text of a PDF file as a reader extracts it.
QString pdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        ADD_FAILURE() << "pdftotext (Debian package poppler-utils) is needed to read the PDF; "
                         "scripts/setup.sh installs it";
        return {};
    }
    QProcess p;
    p.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << path.toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(GuiNames, PdfIsOfferedUnderTheFirstKeywordAndHeadedByTheName) {
    QtView view;
    view.start();
    view.app().open("Form4");
    FormWidget* f = view.widget("Form4");
    f->box("Text1")->setText(QStringLiteral("100"));
    f->box("Text2")->setText(QStringLiteral("17"));
    QTest::mouseClick(button(f, "Command1"), Qt::LeftButton);

    QTemporaryDir dir;
    QString offered;
    bool seen = false;
    // The save dialog: note the name it offers, then save into the
    // temporary folder under that name.
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || seen) return;
        seen = true;
        const QStringList selected = dialog->selectedFiles();
        offered = selected.isEmpty() ? QString() : QFileInfo(selected.front()).fileName();
        dialog->selectFile(dir.filePath(offered));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    timer.start();
    f->surface()->exportPdf();
    timer.stop();
    ASSERT_TRUE(seen) << "no save dialog came up";
    EXPECT_EQ(offered, QStringLiteral("外埠采购.pdf"));

    const QString path = dir.filePath(QStringLiteral("外埠采购.pdf"));
    ASSERT_TRUE(QFileInfo::exists(path));
    const QString text = pdfText(path);
    EXPECT_TRUE(text.startsWith(kForm4Name + QLatin1Char('\n'))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("其他货币资金（贷） 117"))) << text.toStdString();
}

// The list under the main window's box, as it pops up while typing.
TEST(GuiNames, CompletionListPutsTheKeywordSpeltWholeFirst) {
    QtView view;
    view.start();
    FormWidget* main = view.widget("Form1");
    QLineEdit* box = main->box("Text1");
    const struct {
        const char* typed;
        const char* first;
    } cases[] = {{"ch", "存货"}, {"gdzc", "固定资产"}, {"yhcunkuan", "银行存款"}};
    for (const auto& c : cases) {
        box->clear();
        box->setFocus();
        QTest::keyClicks(box, c.typed);
        QCompleter* completer = box->completer();
        ASSERT_NE(completer, nullptr);
        ASSERT_TRUE(completer->popup()->isVisible()) << c.typed;
        EXPECT_EQ(completer->completionModel()->index(0, 0).data().toString(), QString::fromUtf8(c.first)) << c.typed;
        completer->popup()->hide();
    }
}

}  // namespace
