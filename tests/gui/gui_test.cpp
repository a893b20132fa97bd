// The desktop program as a user meets it, on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/gui_support.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"

using namespace kelmora;

namespace {

using kelmora::testing::button;
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

    // "复制" copies every row the surface holds.
    form4->surface()->copyRows();
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

TEST(Gui, CloseBoxActsLikeExitAndMenuOpensWindows) {
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

// With KELMORA_SHOTS=DIR set, saves pictures of windows as the user sees
// them, for a look by eye.
TEST(Gui, Pictures) {
    const QString dir = qEnvironmentVariable("KELMORA_SHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "KELMORA_SHOTS not set";
    QtView view;
    view.start();
    FormWidget* main = view.widget("Form1");
    main->box("Text1")->setText(QStringLiteral("存货"));
    QTest::mouseClick(button(main, "Command1"), Qt::LeftButton);
    main->grab().save(dir + "/Form1.png");
    MessageBoxWatch watch;  // a window may fail on the figures typed below
    for (int n = 2; n <= App::kForms; ++n) {
        const std::string form = "Form" + std::to_string(n);
        view.app().open(form);
        FormWidget* f = view.widget(form);
        // Fill the empty boxes with a small figure and compute, so that the
        // picture shows printed lines under the controls.
        for (QLineEdit* box : f->findChildren<QLineEdit*>())
            if (box->text().isEmpty()) box->setText("2");
        if (QPushButton* compute = button(f, "Command1")) QTest::mouseClick(compute, Qt::LeftButton);
        f->grab().save(dir + "/" + QString::fromStdString(form) + ".png");
        view.app().hide(form);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
