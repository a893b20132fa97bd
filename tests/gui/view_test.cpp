// The view's own parts on the offscreen platform: windows that give their
// widgets back while hidden, the scrolling printing area with its rows as
// painted, its context menu's copies, paper and PDF pages as read back,
// and menus and completion lists taken from a window's description.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <vector>

#include "core/window.h"
#include "gui/gui_support.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"
#include "ui/surface_widget.h"

namespace view_test {

using namespace kelmora;
using kelmora::testing::button;
using kelmora::testing::chooseFromContextMenu;
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
    QApplication::clipboard()->setText(QStringLiteral("before"));
    ASSERT_TRUE(chooseFromContextMenu(s, QStringLiteral("复制")));
    EXPECT_EQ(QApplication::clipboard()->text(), kForm4Rows);
    ASSERT_TRUE(chooseFromContextMenu(s, QStringLiteral("复制为表格")));
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral(
                             "科目\t借方\t贷方\t金额\n"
                             "外埠采购\t\t\t\n"
                             "材料费用\t100\t\t\n"
                             "应交税金-应交增值税（进）\t17\t\t\n"
                             "其他货币资金\t\t117\t\n"));
}

// What the printing area shows, row by row, from its pixels: for each line of
// the area, whether it holds ink (anything unlike the background) and where
// the ink ends on the right.
struct RowInk {
    int visible = 0;     // pixels of the row in view
    int inkPixels = 0;
    int left = -1, right = -1;  // the ink's extent, -1 when none
};

std::vector<RowInk> inkByRow(FormWidget* f, int rows) {
    SurfaceWidget* s = f->surface();
    // The whole window, as the screen shows it: the rows stand on its
    // background.
    const QImage window = f->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect area(s->viewport()->mapTo(f, QPoint(0, 0)), s->viewport()->size());
    const QImage band = window.copy(area);
    const QRgb background = f->palette().color(QPalette::Window).rgb();
    // Rows start a padding below the band's top edge.
    const int lh = s->lineHeight(), top = s->verticalScrollBar()->value() - s->padding();
    std::vector<RowInk> out(static_cast<std::size_t>(rows));
    for (int y = 0; y < band.height(); ++y) {
        if (y + top < 0) continue;
        const int row = (y + top) / lh;
        if (row >= rows) continue;
        RowInk& r = out[static_cast<std::size_t>(row)];
        ++r.visible;
        for (int x = 0; x < band.width(); ++x) {
            const QRgb c = band.pixel(x, y);
            if (std::abs(qGray(c) - qGray(background)) < 40) continue;
            ++r.inkPixels;
            if (r.left < 0 || x < r.left) r.left = x;
            r.right = std::max(r.right, x);
        }
    }
    return out;
}

TEST(View, EveryRowInViewIsPaintedTheLastOneIncluded) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form4");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    SurfaceWidget* s = f->surface();
    Window& w = *view.app().window("Form4");
    // Rows of Chinese of different widths, every other one blank; the last
    // one printed holds text.
    constexpr int kRows = 61;
    QStringList texts;
    for (int i = 0; i < kRows; ++i) {
        texts << (i % 2 ? QString() : QStringLiteral("第") + QString(1 + i % 7, QChar(0x501F)) + QStringLiteral("行"));
        if (texts.back().isEmpty())
            w.blank();
        else
            w.text(texts.back().toStdString());
    }
    QTest::qWait(0);
    const int lh = s->lineHeight(), height = s->viewport()->height(), pad = s->padding();
    QScrollBar* v = s->verticalScrollBar();
    ASSERT_GT(v->maximum(), 4 * lh) << "the rows must be more than the area holds";
    const QFontMetrics fm(s->font());

    // Scrolled to the newest row; at the top; and halfway into a row, so
    // that the last row in view shows three quarters of its height.
    int part = 10 + height / lh;
    if (part % 2) ++part;  // a row with text
    const int threeQuarters = (part - height / lh) * lh + (3 * lh) / 4 - height % lh + pad;
    for (const int at : {v->maximum(), 0, threeQuarters}) {
        v->setValue(at);
        ASSERT_EQ(v->value(), at);
        SCOPED_TRACE(::testing::Message() << "scrolled to " << at << " px, a row is " << lh << " px");
        const std::vector<RowInk> ink = inkByRow(f, kRows);
        int lastInView = -1;
        for (int i = 0; i < kRows; ++i) {
            const RowInk& r = ink[static_cast<std::size_t>(i)];
            if (r.visible == 0) continue;
            lastInView = i;
            SCOPED_TRACE(::testing::Message() << "row " << i << ", " << r.visible << " px in view");
            if (texts[i].isEmpty()) {
                EXPECT_EQ(r.inkPixels, 0) << "ink on a blank row";
            } else if (r.visible * 2 >= lh) {
                // Drawn from the left edge (past the padding), as wide as
                // its text.
                ASSERT_GT(r.inkPixels, 0) << "a row in view is not painted";
                EXPECT_LE(r.left, pad + 3);
                const int wide = fm.horizontalAdvance(texts[i]);
                EXPECT_NEAR(r.right, pad + wide, fm.horizontalAdvance(QChar(0x501F)) / 3);
            }
        }
        // The area's last line of pixels lies in the last row in view.
        // (Scrolled to the end, the bottom padding lies below the last row.)
        EXPECT_EQ(lastInView, std::min(kRows - 1, (at + height - 1 - pad) / lh));
        if (at == v->maximum()) {
            EXPECT_EQ(lastInView, kRows - 1);
        }
        if (at == threeQuarters) {
            EXPECT_EQ(ink[static_cast<std::size_t>(lastInView)].visible, (3 * lh) / 4);
        }
    }
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

// The font the page figures below are worked out for: WenQuanYi Micro Hei at
// 10 pt, whose Chinese characters are 1 em wide.  Fails the test when the
// machine resolves another font.
void requireWenQuanYi(const QFont& font) {
    const QFontInfo info(font);
    ASSERT_EQ(info.family(), QStringLiteral("WenQuanYi Micro Hei"))
        << "the font WenQuanYi Micro Hei (fonts-wqy-microhei) is needed; got " << info.family().toStdString();
    const double em = font.pointSizeF() * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 72.0;
    ASSERT_NEAR(QFontMetricsF(font).horizontalAdvance(QChar(0x501F)), em, 0.5)
        << "a Chinese character of this font is not 1 em wide";
}

// The text of each page of a PDF file, by pdftotext (poppler-utils), laid
// out as on the page: one list of lines a page, each line with its spaces
// evened out, empty lines left out.
QList<QStringList> pageTexts(const QString& path) {
    QProcess run;
    run.start(QStringLiteral("pdftotext"),
              {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!run.waitForStarted()) {
        ADD_FAILURE() << "pdftotext is needed to read the pages back (Debian: poppler-utils)";
        return {};
    }
    run.waitForFinished();
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    QList<QStringList> pages;
    for (const QString& page : QString::fromUtf8(run.readAllStandardOutput()).split(QChar('\f'))) {
        QStringList lines;
        for (const QString& line : page.split(QChar('\n')))
            if (!line.simplified().isEmpty()) lines << line.simplified();
        pages << lines;
    }
    if (!pages.isEmpty() && pages.back().isEmpty()) pages.removeLast();  // after the last form feed
    return pages;
}

TEST(View, PdfPagesHoldTheirOwnRows) {
    // 46 rows a page (worked out in the test below): 93 rows make pages of
    // 46, 46 and 1, each under its head.  Then a row wider than the page,
    // wrapped onto the lines that begin the next page.
    QTemporaryDir dir;
    const QString path = dir.filePath("rows.pdf");
    const QFont font(QStringLiteral("WenQuanYi Micro Hei"), 10);
    ASSERT_NO_FATAL_FAILURE(requireWenQuanYi(font));
    PrintedRows doc{QStringLiteral("外埠采购"), QDate(2026, 12, 10), {}, font, {}};
    for (int i = 1; i <= 93; ++i) doc.rows << QStringLiteral("材料费用（借） %1 ").arg(i);
    ASSERT_EQ(writePdf(path, doc), 3);
    const QList<QStringList> pages = pageTexts(path);
    ASSERT_EQ(pages.size(), 3);
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(::testing::Message() << "page " << page + 1);
        QStringList expected{QStringLiteral("外埠采购"), QStringLiteral("2026年12月10日 第 %1 页，共 3 页").arg(page + 1)};
        for (int i = page * 46 + 1; i <= std::min(93, page * 46 + 46); ++i)
            expected << QStringLiteral("材料费用（借） %1").arg(i);
        EXPECT_EQ(pages[page], expected);
    }

    // 44 short rows and one of 200 characters over 4 lines: two of its lines
    // on the first page, two on the second.
    const QString wide = QString(100, QChar(0x501F)) + QString(100, QChar(0x8D37));
    doc.rows = {};
    for (int i = 1; i <= 44; ++i) doc.rows << QStringLiteral("行%1").arg(i);
    doc.rows << wide;
    ASSERT_EQ(writePdf(path, doc), 2);
    const QList<QStringList> two = pageTexts(path);
    ASSERT_EQ(two.size(), 2);
    ASSERT_EQ(two[0].size(), 2 + 44 + 2);
    EXPECT_EQ(two[0][45], QStringLiteral("行44"));
    ASSERT_EQ(two[1].size(), 2 + 2);
    EXPECT_EQ(two[1][1], QStringLiteral("2026年12月10日 第 2 页，共 2 页"));
    EXPECT_EQ(two[0][46] + two[0][47] + two[1][2] + two[1][3], wide);
}

TEST(View, ContextMenuWritesTheRowsToAPdfFileNamedInItsDialog) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form4");
    computeForm4(f);
    // The file dialog offers the window's name as its keywords make it, in
    // the current folder; the person takes it.  Any other dialog is a fault,
    // noted and sent away.
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QString path = dir.filePath(QStringLiteral("外埠采购.pdf"));
    QString otherDialog;
    QStringList offered;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            offered = files->selectedFiles();
            QMetaObject::invokeMethod(files, "accept");
        } else {
            otherDialog = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    answer.start();
    const bool chosen = chooseFromContextMenu(f->surface(), QStringLiteral("导出PDF…"));
    for (int waited = 0; chosen && !QFile::exists(path) && otherDialog.isEmpty() && waited < 10000; waited += 10)
        QTest::qWait(10);
    answer.stop();
    QDir::setCurrent(before);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(otherDialog, QString());
    EXPECT_EQ(offered, QStringList{path}) << "no file dialog, or another name offered";
    ASSERT_TRUE(QFile::exists(path)) << "no PDF file written";
    const QDate today = QDate::currentDate();
    const QList<QStringList> pages = pageTexts(path);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0], (QStringList{QStringLiteral("外埠采购 · 申请汇票 · 申请本票（Form4）"),
                                     QStringLiteral("%1年%2月%3日 第 1 页，共 1 页")
                                         .arg(today.year()).arg(today.month()).arg(today.day()),
                                     QStringLiteral("外埠采购"), QStringLiteral("材料费用（借） 100"),
                                     QStringLiteral("应交税金-应交增值税（进）（借） 17"),
                                     QStringLiteral("其他货币资金（贷） 117")}));
}

TEST(View, PdfHasItsRowsOnTheRightNumberOfPages) {
    // At 10 pt a line is 15 pt.  An A4 page less margins of 15 mm is 267 mm
    // = 756.9 pt high: 50 lines, of which the head takes 4, so 46 rows a
    // page.  The page is 180 mm = 510.2 pt wide: a row of 200 Chinese
    // characters of 10 pt (2000 pt) takes 4 lines.
    QTemporaryDir dir;
    const QString path = dir.filePath("rows.pdf");
    const QFont font(QStringLiteral("WenQuanYi Micro Hei"), 10);
    ASSERT_NO_FATAL_FAILURE(requireWenQuanYi(font));
    const QString wide(200, QChar(0x501F));
    struct Case {
        int shortRows;
        bool withWide;
        int pages;
    };
    for (const Case& c : {Case{0, false, 1}, Case{46, false, 1}, Case{47, false, 2}, Case{92, false, 2},
                          Case{93, false, 3}, Case{42, true, 1}, Case{43, true, 2}}) {
        SCOPED_TRACE(::testing::Message() << c.shortRows << (c.withWide ? " and a wide row" : ""));
        PrintedRows doc{"Form4", QDate(2026, 12, 10), {}, font, {}};
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
    EXPECT_EQ(doc.title, QStringLiteral("资产负债表（简） · 利润表 · 现金流量表（Form119）"));
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
