// Practice on the desktop through real widgets: a window opened in practice
// form from its band, answered by typing, checked, marked; lines that cannot
// be read; a class set's progress across sessions, its answers and its keys.
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include "core/window.h"
#include "gui/gui_support.h"
#include "practice/class_set.h"
#include "ui/form_widget.h"
#include "ui/practice_entry.h"
#include "ui/practice_sheet.h"
#include "ui/practice_window.h"
#include "ui/qt_view.h"

namespace practice_gui_test {

using namespace kelmora;
using kelmora::testing::MessageBoxWatch;
using kelmora::testing::type;

// The practice windows open now.
QList<PracticeWindow*> practiceWindows() {
    QList<PracticeWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<PracticeWindow*>(w); p && p->isVisible()) found << p;
    return found;
}

void closeAll() {
    for (PracticeWindow* p : practiceWindows()) p->close();
    QTest::qWait(0);
}

// A figure of the practice window as its read-only box shows it.
long long figure(PracticeWindow* p, const char* box) {
    QLineEdit* b = p->form()->box(QString::fromLatin1(box));
    EXPECT_TRUE(b && b->isReadOnly()) << box;
    bool ok = false;
    const long long v = b ? b->text().toLongLong(&ok) : 0;
    EXPECT_TRUE(ok) << box << " holds no whole number";
    return v;
}

// Types a line into the sheet as a person does: the side by its letter, the
// account and the amount key by key.
void typeLine(AnswerSheet* s, int task, int line, const QString& side, const QString& account, const QString& amount) {
    SideBox* sideBox = s->sideBox(task, line);
    ASSERT_TRUE(sideBox);
    sideBox->setFocus();
    if (!side.isEmpty()) type(sideBox, side);
    QLineEdit* a = s->accountBox(task, line);
    a->setFocus();
    type(a, account);
    if (a->completer()->popup()->isVisible()) a->completer()->popup()->hide();
    QLineEdit* m = s->amountBox(task, line);
    m->setFocus();
    type(m, amount);
}

// Adds a line below the one with the focus, by the keyboard.
void addLineByKeyboard(AnswerSheet* s, int task) {
    QWidget* from = s->lineCount(task) ? static_cast<QWidget*>(s->amountBox(task, s->lineCount(task) - 1))
                                       : nullptr;
    if (from) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Return, Qt::ControlModifier);
    } else {
        QTest::mouseClick(s->findChild<QPushButton*>(QStringLiteral("add%1").arg(task + 1)), Qt::LeftButton);
    }
}

// Presses that button of the next question box that comes up.
void answerWith(QMessageBox::StandardButton which) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, which] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            box->button(which)->click();
        }
    });
    timer->start();
}

struct PracticeGui : ::testing::Test {
    void TearDown() override { closeAll(); }
};

// Form4 practised from its band by Ctrl+L and answered by typing: the first
// task (外埠采购) with one line right, one on the wrong side and one with a
// wrong amount; 检查 marks each beside the learner's line, counts the lines
// of the other tasks as missing, and says it all to a screen reader.
TEST_F(PracticeGui, Form4TypedAndChecked) {
    QtView view;
    view.start();
    view.app().open("Form4");
    FormWidget* f = view.widget("Form4");
    ASSERT_TRUE(f);
    f->box("Text1")->setText("123");  // the user's own window, which practice leaves alone
    // 练习 in the band's context menu, and on Ctrl+L anywhere in the window.
    ASSERT_TRUE(kelmora::testing::chooseFromContextMenu(f->surface(), QStringLiteral("练习")));
    ASSERT_EQ(practiceWindows().size(), 1);
    closeAll();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    QTest::keyClick(f->box("Text1"), Qt::Key_L, Qt::ControlModifier);
    ASSERT_EQ(practiceWindows().size(), 1);
    PracticeWindow* p = practiceWindows().front();
    EXPECT_EQ(view.app().window("Form4")->textOf("Text1"), "123");

    // Practice form: the figures read-only, the band gone, the sheet there.
    EXPECT_FALSE(p->form()->surface()->isVisible());
    AnswerSheet* s = p->sheet();
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(s->parentWidget()->objectName(), "client");
    for (QPushButton* b : p->form()->findChildren<QPushButton*>())
        if (!s->isAncestorOf(b)) EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    ASSERT_GE(s->taskCount(), 1);
    EXPECT_EQ(s->findChild<QGroupBox*>("task1")->title(), QStringLiteral("第1笔　外埠采购"));
    EXPECT_EQ(s->lineCount(0), 0);  // 写分录 starts empty

    // The key of 外埠采购 by hand: material and input tax on the debit side,
    // their sum from 其他货币资金 on the credit side.
    const long long material = figure(p, "Text1"), tax = figure(p, "Text2");
    for (int i = 0; i < 3; ++i) addLineByKeyboard(s, 0);
    ASSERT_EQ(s->lineCount(0), 3);
    EXPECT_EQ(s->accountBox(0, 1)->accessibleName(), QStringLiteral("第1笔 第2行 科目"));
    EXPECT_EQ(s->sideBox(0, 2)->accessibleName(), QStringLiteral("第1笔 第3行 借贷"));
    EXPECT_EQ(s->amountBox(0, 0)->accessibleName(), QStringLiteral("第1笔 第1行 金额"));

    // The first account by its initials through the completion list.
    s->sideBox(0, 0)->setFocus();
    type(s->sideBox(0, 0), "j");
    QLineEdit* account = s->accountBox(0, 0);
    account->setFocus();
    type(account, "clfy");
    QAbstractItemView* list = account->completer()->popup();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), QStringLiteral("材料费用"));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(account->text(), QStringLiteral("材料费用"));
    s->amountBox(0, 0)->setFocus();
    type(s->amountBox(0, 0), QString::number(material));

    typeLine(s, 0, 1, "d", QStringLiteral("应交税金-应交增值税（进）"), QString::number(tax));        // wrong side
    typeLine(s, 0, 2, "d", QStringLiteral("其他货币资金"), QString::number(material + tax + 1));  // wrong amount

    QString announced;
    QObject::connect(p, &PracticeWindow::announced, [&](const QString& t) { announced = t; });
    QTest::mouseClick(p->findChild<QPushButton*>("check"), Qt::LeftButton);

    EXPECT_EQ(s->mark(0, 0)->text(), QStringLiteral("正确"));
    EXPECT_EQ(s->mark(0, 1)->text(), QStringLiteral("借贷方向错误"));
    EXPECT_EQ(s->mark(0, 2)->text(), QStringLiteral("金额错误"));
    EXPECT_EQ(s->amountBox(0, 1)->accessibleDescription(), QStringLiteral("借贷方向错误"));
    EXPECT_EQ(s->status(0)->text(), QStringLiteral("本笔 1/3"));
    // Every line of the other tasks is missing: the score counts them.
    int keyLines = 0;
    for (const auto& t : p->exercise().tasks) keyLines += static_cast<int>(t.key.size());
    EXPECT_EQ(p->findChild<QLabel*>("score")->text(), QStringLiteral("得分 1/%1").arg(keyLines));
    EXPECT_TRUE(announced.contains(QStringLiteral("第1笔 第2行 借贷方向错误"))) << announced.toStdString();
    EXPECT_TRUE(announced.contains(QStringLiteral("第1笔 第3行 金额错误"))) << announced.toStdString();
    EXPECT_TRUE(p->findChild<QPlainTextEdit*>("results")->toPlainText().contains(announced));

    // Mended and checked again: the task is right.
    s->sideBox(0, 1)->setFocus();
    type(s->sideBox(0, 1), "j");
    EXPECT_TRUE(s->mark(0, 1)->text().isEmpty());  // the old mark goes as the line changes
    s->amountBox(0, 2)->selectAll();
    type(s->amountBox(0, 2), QString::number(material + tax));
    p->check();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s->mark(0, i)->text(), QStringLiteral("正确")) << i;
    EXPECT_EQ(s->status(0)->text(), QStringLiteral("本笔 3/3"));

    // 显示答案 shows the key's lines; 下一题 another exercise, the sheet empty.
    QTest::mouseClick(p->findChild<QPushButton*>("showKey"), Qt::LeftButton);
    QLabel* key = s->findChild<QLabel*>("key1");
    ASSERT_TRUE(key && key->isVisible());
    EXPECT_TRUE(key->text().contains(QStringLiteral("贷　其他货币资金　%1.00").arg(material + tax))) << key->text().toStdString();
    QTest::mouseClick(p->findChild<QPushButton*>("next"), Qt::LeftButton);
    EXPECT_EQ(p->sheet()->lineCount(0), 0);
    EXPECT_TRUE(p->findChild<QLabel*>("score")->text().isEmpty());
}

// The main window's 练习 menu: a window by its keyword, typed as initials
// and taken from the completion list; a window a keyword does not open.
TEST_F(PracticeGui, MainWindowMenuByKeyword) {
    QtView view;
    view.start();
    FormWidget* main = view.widget("Form1");
    ASSERT_TRUE(main);
    QMenuBar* bar = main->findChild<QMenuBar*>();
    ASSERT_TRUE(bar);
    QAction* title = main->findChild<QAction*>("practiceMenuTitle");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text(), QStringLiteral("练习"));
    // The dialog, once up: "wbcg", Enter on the list's first item, OK.
    auto* timer = new QTimer;
    timer->setInterval(10);
    bool typed = false;
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || d->objectName() != "practiseKeyword") return;
        timer->stop();
        timer->deleteLater();
        auto* box = d->findChild<QLineEdit*>("keyword");
        box->clear();
        type(box, "wbcg");
        QAbstractItemView* list = box->completer()->popup();
        typed = list->isVisible() && list->model()->index(0, 0).data().toString() == QStringLiteral("外埠采购");
        list->hide();
        box->setText(QStringLiteral("外埠采购"));
        d->accept();
    });
    timer->start();
    emit title->triggered();
    auto* menu = bar->findChild<QMenu*>("practiceMenu");
    ASSERT_TRUE(menu);
    QAction* byKeyword = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == QStringLiteral("按关键字选窗口…")) byKeyword = a;
    ASSERT_TRUE(byKeyword);
    menu->hide();
    byKeyword->trigger();
    EXPECT_TRUE(typed);
    ASSERT_EQ(practiceWindows().size(), 1);
    EXPECT_EQ(practiceWindows().front()->exercise().form, "Form4");
    closeAll();
    MessageBoxWatch watch;
    EXPECT_FALSE(practiseKeyword(main, QStringLiteral("没有这个关键字")));
    EXPECT_EQ(watch.count, 1);
    EXPECT_TRUE(practiceWindows().isEmpty());
}

// Lines that cannot be read are marked in the sheet with what is wrong, take
// no part in the matching, and never stop the check; lines are added and
// removed by the keyboard; 填金额 gives the sides and accounts.
TEST_F(PracticeGui, BadLinesAndLevels) {
    PracticeWindow p("Form4", "bad-lines");
    p.show();
    AnswerSheet* s = p.sheet();
    for (int i = 0; i < 4; ++i) addLineByKeyboard(s, 0);
    ASSERT_EQ(s->lineCount(0), 4);
    typeLine(s, 0, 0, "j", QStringLiteral("材料费用"), QStringLiteral("12a"));      // no number
    typeLine(s, 0, 1, "j", QString(), QStringLiteral("100"));                     // no account
    typeLine(s, 0, 2, QString(), QStringLiteral("其他货币资金"), QStringLiteral("5"));  // no side
    typeLine(s, 0, 3, "d", QStringLiteral("其他货币资金"), QStringLiteral("1,000"));   // thousands separator
    p.check();
    EXPECT_EQ(s->mark(0, 0)->text(), QString::fromUtf8(practice::problemText(practice::LineProblem::NotANumber).data()));
    EXPECT_EQ(s->mark(0, 1)->text(), QString::fromUtf8(practice::problemText(practice::LineProblem::EmptyAccount).data()));
    EXPECT_EQ(s->mark(0, 2)->text(), QString::fromUtf8(practice::problemText(practice::LineProblem::NoSide).data()));
    EXPECT_EQ(s->mark(0, 3)->text(), QString::fromUtf8(practice::problemText(practice::LineProblem::NotANumber).data()));
    EXPECT_FALSE(s->mark(0, 0)->text().isEmpty());
    EXPECT_TRUE(s->status(0)->text().startsWith(QStringLiteral("本笔 0/3"))) << s->status(0)->text().toStdString();

    // Alt+Delete removes the line with the focus; the names follow.
    s->amountBox(0, 1)->setFocus();
    QTest::keyClick(s->amountBox(0, 1), Qt::Key_Delete, Qt::AltModifier);
    QTest::qWait(0);
    ASSERT_EQ(s->lineCount(0), 3);
    EXPECT_EQ(s->sideBox(0, 1)->currentText(), QString());  // the line without a side moved up
    EXPECT_EQ(s->accountBox(0, 1)->accessibleName(), QStringLiteral("第1笔 第2行 科目"));

    // 填金额: the key's sides and accounts, amounts blank.
    {
        // "Clear what was typed?" — first No, which keeps the lines, then Yes.
        answerWith(QMessageBox::No);
        p.setLevel(practice::Level::Entries == p.level() ? practice::Level::Amounts : practice::Level::Entries);
        EXPECT_EQ(p.level(), practice::Level::Entries);
        EXPECT_EQ(s->lineCount(0), 3);
        EXPECT_EQ(p.findChild<QComboBox*>("level")->currentIndex(), 1);
        answerWith(QMessageBox::Yes);
        p.setLevel(practice::Level::Amounts);
        EXPECT_EQ(p.findChild<QComboBox*>("level")->currentIndex(), 0);
    }
    s = p.sheet();
    ASSERT_EQ(s->lineCount(0), 3);
    EXPECT_EQ(s->sideBox(0, 0)->currentText(), QStringLiteral("借"));
    EXPECT_EQ(s->accountBox(0, 2)->text(), QStringLiteral("其他货币资金"));
    EXPECT_TRUE(s->amountBox(0, 0)->text().isEmpty());
}

// A class set: a file that cannot be read names its line and changes
// nothing; a student's lines and score come back in a new session from the
// program's data folder; 保存答卷 writes the answers as a runner script.
TEST_F(PracticeGui, ClassSetProgressAndAnswers) {
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.txt"), good = dir.filePath("set.txt");
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("标题 第二章\n班级 KJ2301\n练习 Form4\n作业 3\n");
        QFile g(good);
        ASSERT_TRUE(g.open(QIODevice::WriteOnly));
        g.write("标题 第二章\n班级 KJ2301\n练习 Form4\n练习 Form4\n");
    }
    {
        MessageBoxWatch watch;
        EXPECT_FALSE(readSetFile(nullptr, bad));
        EXPECT_EQ(watch.count, 1);
        EXPECT_TRUE(watch.text.contains(QStringLiteral("第 4 行"))) << watch.text.toStdString();
        EXPECT_TRUE(practiceWindows().isEmpty());
    }
    const auto set = readSetFile(nullptr, good);
    ASSERT_TRUE(set);
    QFile::remove(progressPath(set->classCode, "2023007"));
    {
        MessageBoxWatch watch;
        EXPECT_FALSE(openSet(nullptr, *set, QStringLiteral("20 23")));  // a blank in it
        EXPECT_EQ(watch.count, 1);
    }

    PracticeWindow* p = openSet(nullptr, *set, QStringLiteral("2023007"));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->exercise().seed, practice::studentSeed("KJ2301", "2023007", 1));
    const long long material = figure(p, "Text1"), tax = figure(p, "Text2");
    AnswerSheet* s = p->sheet();
    addLineByKeyboard(s, 0);
    addLineByKeyboard(s, 0);
    typeLine(s, 0, 0, "j", QStringLiteral("材料费用"), QString::number(material));
    typeLine(s, 0, 1, "d", QStringLiteral("其他货币资金"), QString::number(material + tax));
    p->check();
    const QString score = p->findChild<QLabel*>("score")->text();
    p->next();  // on to the second exercise, a different seed
    EXPECT_EQ(p->place(), 1);
    EXPECT_EQ(p->exercise().seed, practice::studentSeed("KJ2301", "2023007", 2));
    addLineByKeyboard(p->sheet(), 0);
    typeLine(p->sheet(), 0, 0, "j", QStringLiteral("材料费用"), QStringLiteral("1"));
    const QString answers = dir.filePath("answers.txt");
    ASSERT_TRUE(p->saveAnswers(answers));
    p->close();
    QTest::qWait(0);

    // The answers: both exercises with their lines, and check.
    QFile a(answers);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    const QString script = QString::fromUtf8(a.readAll());
    EXPECT_TRUE(script.contains(QStringLiteral("exercise Form4 KJ2301/2023007/1\n"))) << script.toStdString();
    EXPECT_TRUE(script.contains(QStringLiteral("answer 1 借 材料费用 %1.00\n").arg(material))) << script.toStdString();
    EXPECT_TRUE(script.contains(QStringLiteral("answer 1 贷 其他货币资金 %1.00\n").arg(material + tax)));
    EXPECT_TRUE(script.contains(QStringLiteral("exercise Form4 KJ2301/2023007/2\nanswer 1 借 材料费用 1.00\ncheck")));

    // A new session: the set opens on the first exercise not checked in
    // full, which keeps its lines and its score; the second its lines.
    p = openSet(nullptr, *set, QStringLiteral("2023007"));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->place(), 0);
    s = p->sheet();
    ASSERT_EQ(s->lineCount(0), 2);
    EXPECT_EQ(s->sideBox(0, 1)->currentText(), QStringLiteral("贷"));
    EXPECT_EQ(s->accountBox(0, 1)->text(), QStringLiteral("其他货币资金"));
    EXPECT_EQ(s->amountBox(0, 1)->text(), QString::number(material + tax));
    EXPECT_EQ(p->findChild<QLabel*>("score")->text(), QStringLiteral("上次") + score);
    p->goTo(1);
    ASSERT_EQ(p->sheet()->lineCount(0), 1);
    EXPECT_EQ(p->sheet()->amountBox(0, 0)->text(), QStringLiteral("1"));
}

// The answer keys of a set for two students, written to a PDF through the
// desktop's print path and read back: each student's figures and key lines,
// the second student's figures differing from the first's.
TEST_F(PracticeGui, AnswerKeysPdf) {
    const practice::ClassSet set = practice::readClassSet("标题 第二章\n班级 KJ2301\n练习 Form4\n");
    const PrintedRows doc = answerKeys(set, studentNumbers(QStringLiteral("2023001，2023002")));
    ASSERT_GE(doc.rows.size(), 6);
    EXPECT_EQ(doc.rows[0], QStringLiteral("学号 2023001"));
    EXPECT_TRUE(doc.rows.contains(QStringLiteral("学号 2023002")));
    // The first student's 外埠采购 by hand from the figures printed with it.
    const practice::Exercise ex = practice::draw("Form4", practice::studentSeed("KJ2301", "2023001", 1));
    long long material = 0, tax = 0;
    for (const auto& fig : ex.figures) {
        if (fig.control == "Text1") material = std::stoll(fig.value);
        if (fig.control == "Text2") tax = std::stoll(fig.value);
    }
    const QString credit = QStringLiteral("贷　其他货币资金　%1.00").arg(material + tax);
    EXPECT_TRUE(doc.rows.join('\n').contains(credit));

    QTemporaryDir dir;
    const QString pdf = dir.filePath("keys.pdf");
    PrintedRows paper = doc;
    paper.font = QApplication::font();
    ASSERT_GT(writePdf(pdf, paper), 0);
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString read = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(read.contains(QStringLiteral("学号 2023002"))) << read.toStdString();
    EXPECT_TRUE(read.contains(QStringLiteral("其他货币资金"))) << read.toStdString();
    EXPECT_TRUE(read.contains(QString::number(material + tax) + QStringLiteral(".00"))) << read.toStdString();
}

// Pictures of the practice window for Form4 after 检查, and of a printed
// answer key:
//   KELMORA_SHOTS=DIR practice_gui_tests --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_Pictures
// (KELMORA_SHOT_POINTS=14 for a 14-point font).
TEST_F(PracticeGui, DISABLED_Pictures) {
    const QString shots = qEnvironmentVariable("KELMORA_SHOTS");
    ASSERT_FALSE(shots.isEmpty()) << "set KELMORA_SHOTS to the folder the pictures go to";
    const int points = qEnvironmentVariableIntValue("KELMORA_SHOT_POINTS");
    kelmora::testing::FontAt font(points);
    const QString suffix = points > 0 ? QStringLiteral("-%1pt").arg(points) : QString();
    PracticeWindow p("Form4", "KJ2301/2023001/1");
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    AnswerSheet* s = p.sheet();
    const long long material = figure(&p, "Text1"), tax = figure(&p, "Text2");
    for (int i = 0; i < 4; ++i) addLineByKeyboard(s, 0);
    typeLine(s, 0, 0, "j", QStringLiteral("材料费用"), QString::number(material));
    typeLine(s, 0, 1, "d", QStringLiteral("应交税金-应交增值税（进）"), QString::number(tax));
    typeLine(s, 0, 2, "d", QStringLiteral("其他货币资金"), QString::number(material + tax + 10));
    typeLine(s, 0, 3, "j", QStringLiteral("银行存款"), QStringLiteral("5元"));
    addLineByKeyboard(s, 1);
    typeLine(s, 1, 0, "j", QStringLiteral("其他货币资金-银行汇票"), QStringLiteral("100"));
    p.check();
    QTest::qWait(100);
    p.grab().save(shots + "/practice-form4" + suffix + ".png");
    const practice::ClassSet set = practice::readClassSet("标题 第二章 货币资金\n班级 KJ2301\n练习 Form4\n");
    PrintedRows keys = answerKeys(set, {QStringLiteral("2023001"), QStringLiteral("2023002")});
    keys.font = QApplication::font();
    writePdf(shots + "/practice-keys.pdf", keys);
}

}  // namespace practice_gui_test

int main(int argc, char** argv) {
    // Offscreen, the screen is the 1366×768 one the windows must fit.
    QTemporaryFile screens;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open()) {
        screens.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1366, "height": 768,
                          "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        screens.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    }
    // Settings and the progress in a folder of the test's own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelmora"));
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
