// The view's own parts on the offscreen platform: windows that give their
// widgets back while hidden, the scrolling printing area with its copies,
// paper and PDF, and menus and completion lists taken from a window's
// description.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/window.h"
#include "gui/gui_support.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"
#include "ui/surface_widget.h"

namespace view_test {

using namespace kelmora;
using kelmora::testing::button;
using kelmora::testing::type;

FormWidget* openForm(QtView& view, const char* form) {
    view.app().open(form);
    return view.widget(form);
}

void computeForm4(FormWidget* f) {
    f->box("Text1")->setText("100");
    f->box("Text2")->setText("17");
    QTest::mouseClick(button(f, "Command1"), Qt::LeftButton);
}

const QString kForm4Rows = QStringLiteral(
    "外埠采购\n材料费用（借） 100 \n应交税金-应交增值税（进）（借） 17 \n其他货币资金（贷） 117 \n");

TEST(View, HiddenWindowGivesItsWidgetsBackAndIsRebuiltFromTheModel) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form4");
    computeForm4(f);
    EXPECT_EQ(f->surface()->allRows(), kForm4Rows);
    f->box("Text2")->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    ASSERT_EQ(QApplication::focusWidget(), f->box("Text2"));

    QPointer<FormWidget> old = f;
    view.app().hide("Form4");
    EXPECT_EQ(view.widget("Form4"), nullptr);
    QTest::qWait(0);
    EXPECT_TRUE(old.isNull()) << "the hidden window's widgets are still there";

    f = openForm(view, "Form4");
    ASSERT_NE(f, nullptr);
    // The boxes keep their text, the rows are erased and the print position
    // stays: the next lines come below the empty space.  The focus is where
    // it was.
    EXPECT_EQ(f->box("Text1")->text(), "100");
    EXPECT_EQ(f->box("Text2")->text(), "17");
    EXPECT_EQ(f->surface()->allRows(), QString(4, '\n'));
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    EXPECT_EQ(QApplication::focusWidget(), f->box("Text2"));
    QTest::mouseClick(button(f, "Command1"), Qt::LeftButton);
    EXPECT_EQ(f->surface()->allRows(), QString(5, '\n') + kForm4Rows);

    // What the user types reaches the model at once, so nothing is lost when
    // the widgets go; 退出 hides the window from within its own button,
    // which keeps the focus.
    type(f->box("Text1"), "5");
    QTest::mouseClick(button(f, "Command3"), Qt::LeftButton);
    QTest::qWait(0);
    f = openForm(view, "Form4");
    EXPECT_EQ(f->box("Text1")->text(), "1005");
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    EXPECT_EQ(QApplication::focusWidget(), button(f, "Command3"));
}

TEST(View, PrintingAreaScrollsToTheNewestRowsAndCopiesThemAsATable) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form4");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    SurfaceWidget* s = f->surface();
    Window& w = *view.app().window("Form4");
    EXPECT_EQ(s->verticalScrollBar()->maximum(), 0);

    for (int i = 1; i <= 300; ++i) w.text("第" + std::to_string(i) + "行");
    QScrollBar* v = s->verticalScrollBar();
    EXPECT_EQ(v->maximum(), 300 * s->lineHeight() + 2 * s->padding() - s->viewport()->height());
    EXPECT_EQ(v->value(), v->maximum());  // the newest row is in view
    EXPECT_EQ(s->horizontalScrollBar()->maximum(), 0);
    w.cont(std::string(400, 'x'));  // a row wider than the area
    EXPECT_GT(s->horizontalScrollBar()->maximum(), 0);
    QTest::qWait(0);  // the horizontal scroll bar comes up, the area is lower
    EXPECT_EQ(v->maximum(), 301 * s->lineHeight() + 2 * s->padding() - s->viewport()->height());
    EXPECT_EQ(v->value(), v->maximum());

    w.clear();
    EXPECT_EQ(v->maximum(), 0);
    EXPECT_EQ(s->horizontalScrollBar()->maximum(), 0);

    computeForm4(f);
    s->copyRows();
    EXPECT_EQ(QApplication::clipboard()->text(), kForm4Rows);
    s->copyTable();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral(
                             "科目\t借方\t贷方\t金额\n"
                             "外埠采购\t\t\t\n"
                             "材料费用\t100\t\t\n"
                             "应交税金-应交增值税（进）\t17\t\t\n"
                             "其他货币资金\t\t117\t\n"));
}

// Pages of the PDF file: %PDF at the start, one page object per page.
int pagesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray pdf = file.readAll();
    if (!pdf.startsWith("%PDF-")) return -2;
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s") ++pages;  // not /Pages, the tree above them
    return pages;
}

TEST(View, PdfHasItsRowsOnTheRightNumberOfPages) {
    // At 10 pt a line is 15 pt.  An A4 page less margins of 15 mm is 267 mm
    // = 756.9 pt high: 50 lines, of which the head takes 4, so 46 rows a
    // page.  The page is 180 mm = 510.2 pt wide: a row of 200 Chinese
    // characters of 10 pt (2000 pt) takes 4 lines.
    QTemporaryDir dir;
    const QString path = dir.filePath("rows.pdf");
    const QFont font(QStringLiteral("WenQuanYi Micro Hei"), 10);
    const QString wide(200, QChar(0x501F));
    struct Case {
        int shortRows;
        bool withWide;
        int pages;
    };
    for (const Case& c : {Case{0, false, 1}, Case{46, false, 1}, Case{47, false, 2}, Case{92, false, 2},
                          Case{93, false, 3}, Case{42, true, 1}, Case{43, true, 2}}) {
        SCOPED_TRACE(::testing::Message() << c.shortRows << (c.withWide ? " and a wide row" : ""));
        PrintedRows doc{"Form4", QDate(2026, 12, 10), {}, font};
        for (int i = 0; i < c.shortRows; ++i) doc.rows << QStringLiteral("材料费用（借） %1 ").arg(i);
        if (c.withWide) doc.rows << wide;
        EXPECT_EQ(writePdf(path, doc), c.pages);
        EXPECT_EQ(pagesOf(path), c.pages);
    }

    // The balance sheet window's whole analysis: 62 rows, two pages.
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form119");
    QTest::mouseClick(button(f, "Command3"), Qt::LeftButton);  // 分析
    PrintedRows doc = f->surface()->printed();
    ASSERT_EQ(doc.rows.size(), 62);
    EXPECT_EQ(doc.title, QString::fromStdString(view.app().window("Form119")->def().caption));
    doc.font.setPointSize(10);
    EXPECT_EQ(writePdf(path, doc), 2);
    EXPECT_EQ(pagesOf(path), 2);

    EXPECT_EQ(writePdf(dir.filePath("no/such/dir/rows.pdf"), doc), 0);
    // Paper goes through the same pages, by a module loaded when first used.
    EXPECT_TRUE(printingAvailable());
}

TEST(View, MessageBoxOfAHiddenWindowStandsOverTheWindowInFront) {
    QtView view;
    view.start();
    openForm(view, "Form4");
    FormWidget* front = openForm(view, "Form3");
    view.app().hide("Form4");
    Window& hidden = *view.app().window("Form4");

    QWidget* over = front;  // anything but what the box stands over
    int boxes = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            over = box->parentWidget();
            box->accept();
        }
    });
    timer.start();
    hidden.msgbox("提示");
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(over, front);

    // With the window in front hidden as well, the box stands on its own.
    view.app().hide("Form3");
    hidden.msgbox("提示");
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(over, nullptr);
}

// A window that exists only here: a menu bar of submenus and leaves, and a
// box whose completion list comes from its description.
struct TestWindow {
    explicit TestWindow(App& app) : window(app, def()) {}

    WindowDef def() {
        FormBuilder b("Form150", "测试");
        b.field("Text1", "名称");
        b.menu({{"文件", {}, {{"打开", [this](Window&) { chosen << "打开"; }, {}},
                              {"更多", {}, {{"深处", [this](Window&) { chosen << "深处"; }, {}}}}}},
                {"帮助", [this](Window&) { chosen << "帮助"; }, {}}});
        b.completion("Text1", [this](std::string_view typed) {
            asked << QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size()));
            // Not in alphabetical order, and not all beginning with the text.
            return std::vector<std::string>{"银行存款", "yinhang", "存款"};
        });
        return b.build();
    }

    QStringList chosen, asked;
    Window window;
};

QMenu* submenu(QWidget* menu, const QString& title) {
    for (QAction* a : menu->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

QAction* action(QWidget* menu, const QString& title) {
    for (QAction* a : menu->actions())
        if (a->text() == title) return a;
    return nullptr;
}

TEST(View, MenuBarAndCompletionListComeFromTheDescription) {
    QtView view;
    TestWindow t(view.app());
    FormWidget f(view.app(), t.window);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));

    auto* bar = f.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QStringList titles;
    for (QAction* a : bar->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"文件", "帮助"}));
    // The menus are made when the user first turns to the bar, and filled
    // when first opened.
    EXPECT_EQ(submenu(bar, "文件"), nullptr);
    const QPoint over = bar->actionGeometry(action(bar, "文件")).center();
    QMouseEvent move(QEvent::MouseMove, over, bar->mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QMenu* file = submenu(bar, "文件");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->isEmpty());
    emit file->aboutToShow();
    emit file->aboutToShow();  // filled once only
    ASSERT_EQ(file->actions().size(), 2);
    action(file, "打开")->trigger();
    QMenu* more = submenu(file, "更多");
    ASSERT_NE(more, nullptr);
    emit more->aboutToShow();
    action(more, "深处")->trigger();
    action(bar, "帮助")->trigger();
    EXPECT_EQ(t.chosen, (QStringList{"打开", "深处", "帮助"}));

    QLineEdit* box = f.box("Text1");
    QCompleter* completer = box->completer();
    ASSERT_NE(completer, nullptr);
    box->setFocus();
    type(box, QStringLiteral("存"));
    EXPECT_EQ(t.asked, QStringList{"存"});
    QStringList offered;
    for (int i = 0; i < completer->completionModel()->rowCount(); ++i)
        offered << completer->completionModel()->index(i, 0).data().toString();
    EXPECT_EQ(offered, (QStringList{"银行存款", "yinhang", "存款"}));

    // Choosing an item puts it into the box, and into the model.
    ASSERT_TRUE(completer->popup()->isVisible());
    completer->popup()->setCurrentIndex(completer->completionModel()->index(1, 0));
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    EXPECT_EQ(box->text(), "yinhang");
    EXPECT_EQ(t.window.textOf("Text1"), "yinhang");
}

}  // namespace view_test
