// The desktop program as a user meets it, on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include "gui/gui_support.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"

using namespace kelmora;

namespace {

using kelmora::testing::button;
using kelmora::testing::chooseFromMenuBar;
using kelmora::testing::MessageBoxWatch;
using kelmora::testing::type;

TEST(Gui, KeywordOpensCalculatorAndComputePrints) {
    QtView view;
    view.start();
    FormWidget* main = view.widget("Form1");
    ASSERT_TRUE(main && main->isVisible());
    // The tab order starts at 退出, so that is where the focus rests at first.
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    EXPECT_EQ(QApplication::focusWidget(), button(main, "Command4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button(main, "Command3"));

    type(main->box("Text1"), QStringLiteral("外埠采购"));
    QTest::mouseClick(button(main, "Command1"), Qt::LeftButton);
    FormWidget* form4 = view.widget("Form4");
    ASSERT_NE(form4, nullptr);
    EXPECT_TRUE(form4->isVisible());
    EXPECT_EQ(view.widget("Form1"), nullptr);  // hidden, its widgets given back
    EXPECT_EQ(form4->windowTitle(), "Form4");

    QTest::keyClicks(form4->box("Text1"), "100");
    QTest::keyClicks(form4->box("Text2"), "17");
    QTest::mouseClick(button(form4, "Command1"), Qt::LeftButton);
    EXPECT_EQ(form4->surface()->allRows(),
              QStringLiteral("外埠采购\n材料费用（借） 100 \n应交税金-应交增值税（进）（借） 17 \n"
                             "其他货币资金（贷） 117 \n"));

    // "复制" in the rows' context menu copies every row the surface holds.
    QApplication::clipboard()->setText(QStringLiteral("before"));
    ASSERT_TRUE(kelmora::testing::chooseFromContextMenu(form4->surface(), QStringLiteral("复制")));
    EXPECT_EQ(QApplication::clipboard()->text(), form4->surface()->allRows());

    // 退出 hides the calculator and brings the main window back, text kept.
    QTest::mouseClick(button(form4, "Command3"), Qt::LeftButton);
    EXPECT_EQ(view.widget("Form4"), nullptr);
    main = view.widget("Form1");
    ASSERT_TRUE(main && main->isVisible());
    EXPECT_EQ(main->box("Text1")->text(), QStringLiteral("外埠采购"));
}

TEST(Gui, ArithmeticFailureShowsAMessageAndTheProgramGoesOn) {
    QtView view;
    view.start();
    view.app().open("Form4");
    FormWidget* form4 = view.widget("Form4");
    form4->box("Text1")->setText("5");
    form4->box("Text2")->setText("1e400");
    MessageBoxWatch catcher;
    QTest::mouseClick(button(form4, "Command1"), Qt::LeftButton);
    EXPECT_EQ(catcher.title, "Kelmora");
    EXPECT_TRUE(catcher.text.contains("Form4")) << catcher.text.toStdString();
    EXPECT_TRUE(catcher.text.contains(QStringLiteral("溢出"))) << catcher.text.toStdString();
    EXPECT_EQ(form4->surface()->allRows(), QString());
    EXPECT_TRUE(form4->isVisible());
}

TEST(Gui, CloseBoxActsLikeExitAndKeywordPrintsItsLineAndExplains) {
    QtView view;
    view.start();
    view.app().open("Form3");
    view.app().hide("Form1");
    view.widget("Form3")->close();
    QTest::qWait(50);
    EXPECT_EQ(view.widget("Form3"), nullptr);
    FormWidget* main = view.widget("Form1");
    ASSERT_TRUE(main && main->isVisible());

    MessageBoxWatch catcher;
    main->box("Text1")->setText(QStringLiteral("应收票据"));
    QTest::mouseClick(button(main, "Command1"), Qt::LeftButton);
    EXPECT_EQ(catcher.text.left(6), QStringLiteral("是核算企业因"));
    EXPECT_EQ(main->surface()->allRows(), QStringLiteral("应收票据=应收票据"));
    QTest::mouseClick(button(main, "Command2"), Qt::LeftButton);
    EXPECT_EQ(main->box("Text1")->text(), QString());
}

TEST(Gui, MenuItemsChosenWithTheMouseOpenTheirWindows) {
    struct Case {
        QStringList path;
        const char* form;
    };
    const Case cases[] = {
        {{QStringLiteral("票据"), QStringLiteral("票据贴现")}, "Form6"},
        {{QStringLiteral("税务/利润"), QStringLiteral("税务"), QStringLiteral("企业所得税")}, "Form128"},
        {{QStringLiteral("账款/货物"), QStringLiteral("货物"), QStringLiteral("包装")}, "Form20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.join(QStringLiteral(" > ")).toStdString());
        QtView view;
        view.start();
        FormWidget* main = view.widget("Form1");
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        ASSERT_TRUE(chooseFromMenuBar(main, c.path));
        FormWidget* opened = view.widget(c.form);
        ASSERT_NE(opened, nullptr) << c.form << " did not open";
        EXPECT_TRUE(opened->isVisible());
        EXPECT_EQ(view.widget("Form1"), nullptr);  // the main window is hidden
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // the menus are closed
    }

    // An item on the bar itself that answers with a message.
    QtView view;
    view.start();
    FormWidget* main = view.widget("Form1");
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    MessageBoxWatch watch;
    ASSERT_TRUE(chooseFromMenuBar(main, {QStringLiteral("科目")}));
    watch.waitForBox();
    EXPECT_EQ(watch.text, QStringLiteral("请在栏目中输入会计科目"));
    EXPECT_TRUE(main->isVisible());
}

// A tool, not a check: saves a picture of every window as the user sees it,
// for a look by eye.  Run it with
//   KELMORA_SHOTS=DIR gui_tests --gtest_also_run_disabled_tests --gtest_filter=Gui.DISABLED_Pictures
// with KELMORA_SHOT_POINTS=14 for a 14-point font, KELMORA_SHOT_FORMS=Form4,Form64
// for a few windows only, QT_SCALE_FACTOR=2 for a doubled screen scale.
// Each calculator gets a small figure in its empty boxes and a click of every
// compute button (members of control arrays too) before its picture is taken;
// Form1 shows a formula line, Form119 and Form120 their analysis.
TEST(Gui, DISABLED_Pictures) {
    const QString dir = qEnvironmentVariable("KELMORA_SHOTS");
    ASSERT_FALSE(dir.isEmpty()) << "set KELMORA_SHOTS to the folder the pictures go to";
    const QFont before = QApplication::font();
    if (const int points = qEnvironmentVariableIntValue("KELMORA_SHOT_POINTS"); points > 0) {
        QFont f = before;
        f.setPointSize(points);
        QApplication::setFont(f);
    }
    const QString only = qEnvironmentVariable("KELMORA_SHOT_FORMS");  // e.g. "Form4,Form64"; all when unset
    const auto wanted = [&](const std::string& form) {
        return only.isEmpty() || only.split(',').contains(QString::fromStdString(form));
    };
    {
        QtView view;
        view.start();
        MessageBoxWatch watch;  // explanations, and windows that fail on the figures typed below
        FormWidget* main = view.widget("Form1");
        main->box("Text1")->setText(QStringLiteral("应付职工薪酬"));
        QTest::mouseClick(button(main, "Command1"), Qt::LeftButton);
        main->box("Text1")->setText(QStringLiteral("本年利润（借）"));
        QTest::mouseClick(button(main, "Command1"), Qt::LeftButton);
        if (wanted("Form1")) main->grab().save(dir + "/Form1.png");
        for (int n = 2; n <= App::kForms; ++n) {
            const std::string form = "Form" + std::to_string(n);
            if (!wanted(form)) continue;
            view.app().open(form);
            FormWidget* f = view.widget(form);
            kelmora::testing::fillEmptyBoxes(f);
            kelmora::testing::pressComputeButtons(view.app(), f);
            QTest::qWait(20);  // scroll bars come up once the layout settles
            f->grab().save(dir + "/" + QString::fromStdString(form) + ".png");
            view.app().hide(form);
        }
    }
    QApplication::setFont(before);
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen, the screen is the 1366×768 one the windows must fit (the
    // layout checks make sure they got it).  Options given to the platform
    // are kept.
    QTemporaryFile screens;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((platform == "offscreen" || platform.startsWith("offscreen:")) && !platform.contains("configfile=") &&
        screens.open()) {
        screens.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1366, "height": 768,
                          "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        screens.flush();
        qputenv("QT_QPA_PLATFORM", platform + ":configfile=" + screens.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
