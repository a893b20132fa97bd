// Two user events in one batch of window-system events, as a quick user on a
// busy machine sends them: the second is delivered inside the menu or
// message box the first opened, and hides the window under it.  And the
// desktop's font changing while a window shows rows.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <iostream>
#include <random>

#include "core/window.h"
#include "gui/gui_support.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"
#include "ui/surface_widget.h"

namespace race_test {

using namespace kelmora;
using kelmora::testing::button;

// What the window system would queue: the events are posted, none is
// handled before the batch is complete.
void postClose(QWidget* window) { QCoreApplication::postEvent(window, new QCloseEvent); }

void postClick(QWidget* w, QPoint at = {}) {
    if (at.isNull()) at = w->rect().center();
    const QPoint global = w->mapToGlobal(at);
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                   Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                   Qt::NoButton, Qt::NoModifier));
}

void postRightClick(SurfaceWidget* band) {
    QWidget* view = band->viewport();
    const QPoint at = view->rect().center();
    QCoreApplication::postEvent(view, new QMouseEvent(QEvent::MouseButtonPress, at, view->mapToGlobal(at),
                                                      Qt::RightButton, Qt::RightButton, Qt::NoModifier));
    QCoreApplication::postEvent(view, new QMouseEvent(QEvent::MouseButtonRelease, at, view->mapToGlobal(at),
                                                      Qt::RightButton, Qt::NoButton, Qt::NoModifier));
    QCoreApplication::postEvent(view, new QContextMenuEvent(QContextMenuEvent::Mouse, at, view->mapToGlobal(at)));
}

// Closes what a person would close after a moment: menus left open, message
// boxes (OK) and dialogs (cancel); counts what it met, so a test never hangs.
class Closer {
public:
    // choose: given a menu, the item to trigger (nullptr: close it).
    explicit Closer(std::function<QAction*(QMenu*)> choose = {}) : choose_(std::move(choose)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                ++menus;
                auto* menu = qobject_cast<QMenu*>(popup);
                QAction* chosen = menu && choose_ ? choose_(menu) : nullptr;
                popup->close();
                // Triggered from the event loop, not from inside this timer
                // (which would not fire again to close the dialog it opens).
                if (chosen) QTimer::singleShot(0, chosen, &QAction::trigger);
            } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            } else if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++dialogs;
                dialog->reject();
            }
        });
        timer_.start();
    }
    // Lets everything queued run, nested loops included, until the
    // application is idle again.
    static void settle() {
        for (int i = 0; i < 3; ++i) QTest::qWait(0);
        for (int i = 0; i < 400 && (QApplication::activePopupWidget() || QApplication::activeModalWidget()); ++i)
            QTest::qWait(5);
        QTest::qWait(0);
    }
    int menus = 0, dialogs = 0;
    QStringList texts;

private:
    std::function<QAction*(QMenu*)> choose_;
    QTimer timer_;
};

FormWidget* openForm(QtView& view, const char* form) {
    view.app().open(form);
    FormWidget* f = view.widget(form);
    EXPECT_TRUE(f && QTest::qWaitForWindowExposed(f));
    return f;
}

// Whatever happened, the view shows what the model holds.
void expectViewFollowsModel(QtView& view) {
    for (int n = 1; n <= App::kForms; ++n) {
        const std::string form = "Form" + std::to_string(n);
        const Window* w = view.app().existing(form);
        FormWidget* f = view.widget(form);
        const bool shown = w && w->visible();
        EXPECT_EQ(f != nullptr, shown) << form;
        if (f) {
            EXPECT_TRUE(f->isVisible()) << form;
        }
    }
}

TEST(Race, CloseBoxThenRightClickOnTheBand) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form4");
    f->box("Text1")->setText("100");
    f->box("Text2")->setText("17");
    QTest::mouseClick(button(f, "Command1"), Qt::LeftButton);
    ASSERT_EQ(f->surface()->allRows().count('\n'), 4);
    QPointer<FormWidget> widgets = f;

    Closer closer;
    postClose(f);
    postRightClick(f->surface());
    Closer::settle();

    // The exit ran inside the menu: the window is hidden, its menu went with
    // it, and its widgets were freed only once the menu was over.
    EXPECT_FALSE(view.app().window("Form4")->visible());
    EXPECT_TRUE(view.app().window("Form1")->visible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return widgets.isNull(); }, 2000));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    expectViewFollowsModel(view);

    // The window opens again whole, its rows erased, its boxes kept.
    f = openForm(view, "Form4");
    EXPECT_EQ(f->box("Text2")->text(), "17");
    EXPECT_EQ(f->surface()->allRows(), QString(4, '\n'));
}

TEST(Race, CloseBoxThenAFailingComputation) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form4");
    // 1e308 + 1e308 overflows: the sum of material cost and input tax.
    f->box("Text1")->setText("1e308");
    f->box("Text2")->setText("1e308");

    Closer closer;
    postClose(f);
    postClick(button(f, "Command1"));
    Closer::settle();

    // The failure's message box first, then the hide, as the model ordered
    // them; the box's loop outlived nothing it stood on.
    ASSERT_EQ(closer.texts.size(), 1);
    EXPECT_TRUE(closer.texts[0].contains(QStringLiteral("溢出"))) << closer.texts[0].toStdString();
    EXPECT_FALSE(view.app().window("Form4")->visible());
    expectViewFollowsModel(view);
}

TEST(Race, ExplanationBoxThenCloseBoxInAStatementWindow) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form119");
    Closer closer;
    postClick(f->box("Text98"));  // 货币资金: explains its row
    postClose(f);
    Closer::settle();

    ASSERT_EQ(closer.texts.size(), 1);
    EXPECT_EQ(closer.texts[0], QStringLiteral("货币资金=库存现金+银行存款+其他货币资金"));
    EXPECT_FALSE(view.app().window("Form119")->visible());
    expectViewFollowsModel(view);
}

TEST(Race, WindowHiddenByTheModelWhileItsMessageBoxIsOpen) {
    QtView view;
    view.start();
    openForm(view, "Form4");
    Window& w = *view.app().window("Form4");
    // The model hides the window from within the box's loop, then OK.
    QStringList texts;
    QTimer inside;
    inside.setInterval(5);
    QObject::connect(&inside, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            view.app().hide("Form4");
            texts << box->text();
            box->accept();
        }
    });
    inside.start();
    w.msgbox("提示");
    Closer::settle();
    EXPECT_EQ(texts, QStringList{"提示"});
    expectViewFollowsModel(view);
}

TEST(Race, MainWindowHiddenWithItsCompletionListOpen) {
    QtView view;
    view.start();
    FormWidget* main = view.widget("Form1");
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QLineEdit* box = main->box("Text1");
    box->setFocus();
    kelmora::testing::type(box, QStringLiteral("wbcg"));
    QAbstractItemView* list = box->completer()->popup();
    ASSERT_TRUE(list->isVisible()) << "no completion list";
    QPointer<QAbstractItemView> watched = list;
    // Another window opens and the main window goes, as a keyword does.
    view.app().hide("Form1");
    view.app().open("Form4");
    Closer::settle();
    EXPECT_TRUE(watched.isNull() || !watched->isVisible()) << "the list stays over a hidden window";
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    expectViewFollowsModel(view);
}

// Every window: the close box, then a click on each of its buttons and on its
// band, in one batch.
TEST(Race, EveryWindowCloseBoxThenEveryButtonAndTheBandInOneBatch) {
    QtView view;
    view.start();
    Closer closer;
    for (int n = 2; n <= App::kForms; ++n) {
        const std::string form = "Form" + std::to_string(n);
        SCOPED_TRACE(form);
        view.app().open(form);
        FormWidget* f = view.widget(form);
        ASSERT_NE(f, nullptr);
        kelmora::testing::fillEmptyBoxes(f);
        postClose(f);
        for (QPushButton* b : f->findChildren<QPushButton*>()) postClick(b);
        if (f->surface()->isVisible()) postRightClick(f->surface());
        Closer::settle();
        expectViewFollowsModel(view);
        for (int m = 2; m <= App::kForms; ++m)
            if (const Window* w = view.app().existing("Form" + std::to_string(m)); w && w->visible())
                view.app().hide(w->name());
        if (!view.app().window("Form1")->visible()) view.app().open("Form1");
        QTest::qWait(0);
    }
}

TEST(FontChange, TheBandAndTheWindowAreMeasuredAgain) {
    QtView view;
    view.start();
    FormWidget* f = openForm(view, "Form4");
    Window& w = *view.app().window("Form4");
    for (int i = 1; i <= 200; ++i) w.text("第" + std::to_string(i) + "行 材料费用（借） 100 ");
    SurfaceWidget* band = f->surface();
    const int smallLine = band->lineHeight();

    const kelmora::testing::FontAt large(20);
    QTest::qWait(0);
    const int lh = band->lineHeight();
    ASSERT_GT(lh, smallLine) << "the font did not change";

    // Every row can still be scrolled into view, the last one at the bottom
    // (the rows stand a padding clear of the band's edges).
    QScrollBar* v = band->verticalScrollBar();
    const int pad = band->padding();
    EXPECT_EQ(v->maximum(), 200 * lh + 2 * pad - band->viewport()->height());
    EXPECT_EQ(v->value(), v->maximum());
    const QFontMetrics fm(band->font());
    const int widest = fm.horizontalAdvance(QStringLiteral("第200行 材料费用（借） 100 "));
    EXPECT_EQ(band->horizontalScrollBar()->maximum(), std::max(0, widest + 2 * pad - band->viewport()->width()));

    // Labels, boxes and buttons measured in the new font: nothing clips.
    for (QLabel* l : f->findChildren<QLabel*>()) {
        const QFontMetrics lm(l->font());
        EXPECT_GE(l->width(), lm.horizontalAdvance(l->text())) << l->objectName().toStdString();
        EXPECT_GE(l->height(), lm.height()) << l->objectName().toStdString();
    }
    for (QPushButton* b : f->findChildren<QPushButton*>())
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
    for (QLineEdit* e : f->findChildren<QLineEdit*>())
        EXPECT_GE(e->height(), e->sizeHint().height()) << e->objectName().toStdString();
}


// ---- A random user --------------------------------------------------------
//
// Over every window (or those named in KELMORA_MONKEY_FORMS, comma-separated),
// KELMORA_MONKEY_STEPS random steps each (20 unless set), from the seed
// KELMORA_MONKEY_SEED (1 unless set): typing, clicks, close boxes, batches
// of two events, context menus and their items, message boxes, dialogs,
// resizing, font changes, hiding and showing.  After every step the view must
// show what the model holds; the checked build reports any memory fault.

int envInt(const char* name, int fallback) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

TEST(Monkey, RandomStepsOverEveryWindow) {
    const int steps = envInt("KELMORA_MONKEY_STEPS", 20);
    const unsigned seed = static_cast<unsigned>(envInt("KELMORA_MONKEY_SEED", 1));
    std::cout << "[ monkey ] seed " << seed << ", " << steps << " steps a window\n";
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n)); };
    QStringList forms = qEnvironmentVariable("KELMORA_MONKEY_FORMS").split(',', Qt::SkipEmptyParts);
    if (forms.isEmpty())
        for (int n = 1; n <= App::kForms; ++n) forms << QStringLiteral("Form%1").arg(n);

    const QFont before = QApplication::font();
    QtView view;
    view.start();
    // Menus: now and then one of their items, the dialogs of 打印… and
    // 导出PDF… included (they are cancelled).
    Closer closer([&](QMenu* menu) -> QAction* {
        const QList<QAction*> items = menu->actions();
        if (items.isEmpty() || pick(3) == 0) return nullptr;
        QAction* a = items[pick(static_cast<int>(items.size()))];
        return a->isSeparator() || a->menu() ? nullptr : a;
    });
    const QStringList texts{"2", "0", "-1", "1e308", "-1e308", "abc", "", "3.5", "1e-320", "１２", "99999999999999999999",
                            QStringLiteral("外埠采购"), QStringLiteral("wbcg"), QStringLiteral("货币资金")};

    for (const QString& name : forms) {
        const std::string form = name.toStdString();
        SCOPED_TRACE(form);
        ASSERT_NE(view.app().window(form), nullptr) << "no window " << form;
        for (int step = 0; step < steps; ++step) {
            if (!view.app().window(form)->visible()) view.app().open(form);
            FormWidget* f = view.widget(form);
            ASSERT_NE(f, nullptr);
            const QList<QLineEdit*> boxes = f->findChildren<QLineEdit*>();
            QList<QPushButton*> buttons = f->findChildren<QPushButton*>();
            // The main window's close box and 退出 end the program: not here.
            const bool isMain = form == App::kMainWindow;
            if (isMain) buttons.removeIf([](QPushButton* p) { return p->objectName() == "Command4"; });
            const auto closeBox = [&] {
                if (!isMain) postClose(f);
            };
            QLineEdit* box = boxes.isEmpty() ? nullptr : boxes[pick(static_cast<int>(boxes.size()))];
            QPushButton* b = buttons.isEmpty() ? nullptr : buttons[pick(static_cast<int>(buttons.size()))];
            switch (pick(12)) {
            case 0:
            case 1:
                if (box) box->setText(texts[pick(static_cast<int>(texts.size()))]);
                break;
            case 2:
            case 3:
                if (b) QTest::mouseClick(b, Qt::LeftButton);
                break;
            case 4:  // the close box and a click in one batch
                closeBox();
                if (b) postClick(b);
                break;
            case 5:  // a click and the close box
                if (b) postClick(b);
                if (box) postClick(box);
                closeBox();
                break;
            case 6:
                if (f->surface()->isVisible()) postRightClick(f->surface());
                if (pick(2)) closeBox();
                break;
            case 7:
                if (box) QTest::mouseClick(box, Qt::LeftButton);
                if (box && pick(2)) QTest::keyClick(box, Qt::Key_Return);
                break;
            case 8:
                f->resize(100 + pick(1300), 100 + pick(700));
                break;
            case 9: {
                QFont font = before;
                font.setPointSize(6 + pick(15));
                QApplication::setFont(font);
                break;
            }
            case 10:
                view.app().hide(form);
                break;
            default: {  // scroll the band, or open another window over it
                if (pick(2)) {
                    QWidget* v = f->surface()->viewport();
                    const QPoint at = v->rect().center();
                    QWheelEvent wheel(at, v->mapToGlobal(at), {}, {0, pick(2) ? 120 : -120}, Qt::NoButton,
                                      Qt::NoModifier, Qt::NoScrollPhase, false);
                    QApplication::sendEvent(v, &wheel);
                } else {
                    view.app().open(forms[pick(static_cast<int>(forms.size()))].toStdString());
                }
                break;
            }
            }
            Closer::settle();
            expectViewFollowsModel(view);
            if (view.app().ended()) FAIL() << "the program ended";
        }
        for (int m = 2; m <= App::kForms; ++m)
            if (const Window* w = view.app().existing("Form" + std::to_string(m)); w && w->visible())
                view.app().hide(w->name());
        if (!view.app().window("Form1")->visible()) view.app().open("Form1");
        QApplication::setFont(before);
    }
}

}  // namespace race_test
