// The statement windows and the payroll window as a user meets them, on the
// offscreen platform: explanation boxes answer a click with their message
// box, and the windows fit a small screen with nothing overlapping.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "gui/gui_support.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"

namespace statement_gui {

using kelmora::FormWidget;
using kelmora::QtView;

using kelmora::testing::MessageBoxWatch;

FormWidget* openForm(QtView& view, const char* form) {
    view.app().open(form);
    return view.widget(form);
}

TEST(StatementGui, ClickIntoAnExplanationBoxShowsItsMessage) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form119");
    ASSERT_NE(f, nullptr);

    MessageBoxWatch watch;
    QTest::mouseClick(f->box("Text98"), Qt::LeftButton);
    watch.waitForBox();
    EXPECT_EQ(watch.count, 1);
    EXPECT_EQ(watch.text, QStringLiteral("货币资金=库存现金+银行存款+其他货币资金"));
    // The caption box keeps its text; the click changes nothing else.
    EXPECT_EQ(f->box("Text98")->text(), QStringLiteral("货币资金"));
    EXPECT_EQ(f->surface()->allRows(), QString());
}

TEST(StatementGui, CaptionWithoutExplanationDoesNothingWhenClicked) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form119");
    MessageBoxWatch watch;
    QTest::mouseClick(f->box("Text27"), Qt::LeftButton);  // 主营业务收入
    QTest::mouseClick(f->box("Text90"), Qt::LeftButton);  // the blank caption
    QTest::qWait(150);
    EXPECT_EQ(watch.count, 0);
}

TEST(StatementGui, TreasurySharesCaptionShowsAnEmptyMessageBox) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form120");
    MessageBoxWatch watch;
    QTest::mouseClick(f->box("Text160"), Qt::LeftButton);
    watch.waitForBox();
    EXPECT_EQ(watch.count, 1);
    EXPECT_EQ(watch.text, QString());
}

// Each window shows whole on a 1366×768 screen, no two controls overlap (a
// frame only encloses its own), and the top-left corner stays free for the
// printed lines.
TEST(StatementGui, WindowsFitASmallScreenWithoutOverlaps) {
    ASSERT_NO_FATAL_FAILURE(kelmora::testing::requireSmallScreen());
    QtView view;
    view.start();
    for (const char* form : {"Form119", "Form120", "Form130"}) {
        SCOPED_TRACE(form);
        FormWidget* f = openForm(view, form);
        ASSERT_NE(f, nullptr);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_LE(f->width(), screen.width());
        EXPECT_LE(f->height() + 24, screen.height());  // with the frame's title bar

        QList<QWidget*> controls;
        for (QWidget* w : f->findChild<QWidget*>("client")->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPushButton*>(w)) controls << w;
        ASSERT_FALSE(controls.isEmpty());
        for (int i = 0; i < controls.size(); ++i) {
            const QRect a = controls[i]->geometry();
            EXPECT_FALSE(a.intersects(QRect(0, 0, 200, 100))) << controls[i]->objectName().toStdString();
            EXPECT_LE(a.right(), f->width());
            EXPECT_LE(a.bottom(), f->height());
            for (int j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(a.intersects(controls[j]->geometry()))
                    << controls[i]->objectName().toStdString() << " overlaps "
                    << controls[j]->objectName().toStdString();
        }
    }
}

// The rows of a grid line up: every number box of a row stands at the height
// of its caption box, and the boxes of a column share their left edge.
TEST(StatementGui, GridRowsLineUp) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form120");
    for (int row = 1; row <= 33; ++row) {
        const int y = f->box(QStringLiteral("Text%1").arg(165 + row))->y();
        EXPECT_EQ(f->box(QStringLiteral("Text%1").arg(row))->y(), y);
        EXPECT_EQ(f->box(QStringLiteral("Text%1").arg(33 + row))->y(), y);
        const int liabilitiesY = f->box(QStringLiteral("Text%1").arg(132 + row))->y();
        EXPECT_EQ(liabilitiesY, y);  // the two sides side by side
        EXPECT_EQ(f->box(QStringLiteral("Text%1").arg(99 + row))->y(), liabilitiesY);
        EXPECT_EQ(f->box(QStringLiteral("Text%1").arg(row))->x(), f->box("Text199")->x());
        EXPECT_EQ(f->box(QStringLiteral("Text%1").arg(99 + row))->x(), f->box("Text202")->x());
    }
}

}  // namespace statement_gui
