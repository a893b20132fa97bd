// A handler that fails for a reason of the program's own: the user is told
// in a message box, and the program goes on.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "gui/gui_support.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"
#include "unit/broken_window.h"

using namespace kelmora;

namespace {

using kelmora::testing::BrokenWindow;
using kelmora::testing::button;
using kelmora::testing::MessageBoxWatch;
using kelmora::testing::mistypedBox;

TEST(GuiInternalError, MessageBoxAndTheProgramGoesOn) {
    BrokenWindow broken("Form4", mistypedBox);
    QtView view;
    view.start();
    view.app().open("Form4");
    FormWidget* form4 = view.widget("Form4");
    MessageBoxWatch catcher;
    QTest::mouseClick(button(form4, "Command1"), Qt::LeftButton);
    EXPECT_EQ(catcher.count, 1);
    EXPECT_EQ(catcher.title, "Kelmora");
    // The window goes by its keywords and its title.
    EXPECT_TRUE(catcher.text.startsWith(QStringLiteral("程序内部错误：窗口 外埠采购 · 申请汇票 · 申请本票（Form4） 的操作")))
        << catcher.text.toStdString();
    EXPECT_TRUE(catcher.text.contains("Text99")) << catcher.text.toStdString();
    EXPECT_EQ(form4->surface()->allRows(), QStringLiteral("before the fault"));
    EXPECT_TRUE(form4->isVisible());

    // The same window clears, and another window computes as ever.
    QTest::mouseClick(button(form4, "Command2"), Qt::LeftButton);
    EXPECT_EQ(form4->surface()->allRows(), QString());
    view.app().open("Form2");
    FormWidget* form2 = view.widget("Form2");
    form2->box("Text1")->setText("5");
    QTest::mouseClick(button(form2, "Command1"), Qt::LeftButton);
    EXPECT_FALSE(form2->surface()->allRows().isEmpty());
    EXPECT_EQ(catcher.count, 1);
}

}  // namespace
