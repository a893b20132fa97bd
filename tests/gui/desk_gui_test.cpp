// The desktop program for a person at the keyboard, with a large font or a
// screen reader: where the focus is and that it shows, Enter in the
// completion list, windows and their frames on the screen, the statement
// windows' buttons, the names a screen reader reads, and the printing band
// as text.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include "core/app.h"
#include "core/window.h"
#include "gui/gui_support.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"
#include "ui/surface_widget.h"

namespace desk_gui {

using kelmora::App;
using kelmora::FormWidget;
using kelmora::QtView;
using kelmora::SurfaceWidget;
using kelmora::testing::button;
using kelmora::testing::FontAt;
using kelmora::testing::inClient;
using kelmora::testing::MessageBoxWatch;

QRect availableScreen() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// The offscreen screen the suite stands on (see main()).
void expectSmallScreen() {
    const qreal scale = QGuiApplication::primaryScreen()->devicePixelRatio();
    ASSERT_EQ(availableScreen().size() * scale, QSize(1366, 768))
        << "these tests need the 1366×768 screen gui_tests sets up offscreen (QT_QPA_PLATFORM=offscreen)";
}

// ---- The focus ring ------------------------------------------------------------

// How many pixels of the control's picture differ between focused and not.
int changedPixels(QWidget* w, QWidget* elsewhere, int* border) {
    w->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    const QImage focused = w->grab().toImage();
    elsewhere->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    const QImage plain = w->grab().toImage();
    int changed = 0;
    *border = 0;
    const int inset = 3;  // where a ring stands: the outer few pixels
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x) {
            if (focused.pixel(x, y) == plain.pixel(x, y)) continue;
            ++changed;
            if (x < inset || y < inset || x >= focused.width() - inset || y >= focused.height() - inset) ++*border;
        }
    return changed;
}

// The focused box or button wears a ring all round it, in every style Qt
// offers here: at least half of its outline changes when it takes the focus.
TEST(FocusRing, TheFocusedControlShowsARingInEveryStyle) {
    const QStringList styles = QStyleFactory::keys();
    ASSERT_FALSE(styles.isEmpty()) << "no Qt styles found";
    QtView view;
    view.start();
    FormWidget* main = view.widget("Form1");
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    // At start-up the focus rests on 退出, and shows.
    ASSERT_EQ(QApplication::focusWidget(), button(main, "Command4"));
    int border = 0;
    changedPixels(button(main, "Command4"), button(main, "Command3"), &border);
    EXPECT_GE(border, (button(main, "Command4")->width() + button(main, "Command4")->height()) * 3);
    button(main, "Command4")->setFocus(Qt::TabFocusReason);
    if (const QString dir = qEnvironmentVariable("KELMORA_SHOTS"); !dir.isEmpty())
        main->grab().save(dir + "/Form1-start.png");
    for (const QString& key : styles) {
        SCOPED_TRACE(key.toStdString());
        QApplication::setStyle(kelmora::applicationStyle(QStyleFactory::create(key)));
        view.app().open("Form2");
        FormWidget* f = view.widget("Form2");
        ASSERT_TRUE(QTest::qWaitForWindowActive(f));
        for (QWidget* w : {static_cast<QWidget*>(f->box("Text1")), static_cast<QWidget*>(button(f, "Command1"))}) {
            SCOPED_TRACE(w->objectName().toStdString());
            QWidget* other = w == f->box("Text1") ? static_cast<QWidget*>(button(f, "Command3")) : f->box("Text1");
            changedPixels(w, other, &border);
            const int outline = 2 * (w->width() + w->height()) * 3;
            EXPECT_GE(border, outline / 2) << "the focus is hardly to be seen: " << border << " of " << outline
                                           << " outline pixels change";
        }
        // The band, reached by the keyboard after every control, rings too.
        changedPixels(f->surface(), f->box("Text1"), &border);
        EXPECT_GE(border, (f->surface()->width() + f->surface()->height()) * 2);
        view.app().hide("Form2");
    }
    QApplication::setStyle(kelmora::applicationStyle());
}

// Tab goes from the last control to the band, and on round to the first.
TEST(FocusRing, TabReachesTheBandAfterEveryControl) {
    QtView view;
    view.start();
    view.app().open("Form2");
    FormWidget* f = view.widget("Form2");
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    EXPECT_EQ(QApplication::focusWidget(), f->box("Text1"));  // the first box
    button(f, "Command3")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f->surface());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f->box("Text1"));
}

// ---- First focus -------------------------------------------------------------------

TEST(FirstFocus, StatementWindowsOpenInTheFirstBoxAPersonTypesInto) {
    QtView view;
    view.start();
    struct Case {
        const char* form;
        const char* box;
    };
    // Form119: 主营业务收入 上年; Form120: the first row's 年初数; Form125:
    // the price, under the heading row of years.
    for (const Case& c : {Case{"Form119", "Text1"}, Case{"Form120", "Text1"}, Case{"Form125", "Text7"}}) {
        SCOPED_TRACE(c.form);
        view.app().open(c.form);
        FormWidget* f = view.widget(c.form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(f));
        EXPECT_EQ(QApplication::focusWidget(), f->box(c.box))
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "nothing");
        view.app().hide(c.form);
    }
}

// ---- Windows on the screen --------------------------------------------------------

// With the frame a window manager puts round it (a title bar and borders,
// taller than the program assumed), a window is cut to fit the screen's
// available area and moved onto it, title bar included.
TEST(Screen, WindowAndFrameFitTheAvailableArea) {
    expectSmallScreen();
    const QMargins frame(3, 44, 3, 9);
    struct Case {
        int points;
        std::vector<const char*> forms;
    };
    const Case cases[] = {
        {14, {"Form4", "Form8", "Form19", "Form20", "Form25", "Form64", "Form104", "Form107", "Form119", "Form120",
              "Form130", "Form132"}},
        {0, {"Form119"}},
    };
    for (const Case& c : cases) {
        FontAt font(c.points);
        if (c.points) {
            ASSERT_EQ(QApplication::font().pointSize(), c.points) << "the font cannot be set to " << c.points;
        }
        QtView view;
        view.start();
        for (const char* form : c.forms) {
            SCOPED_TRACE(std::string(form) + " at " + std::to_string(c.points));
            view.app().open(form);
            FormWidget* f = view.widget(form);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
            f->move(40, 300);  // the frame's top left, as for every window
            f->fitFrame(frame);
            QApplication::processEvents();
            const QRect outer(f->pos(), f->size().grownBy(frame));
            EXPECT_LE(outer.height(), availableScreen().height());
            EXPECT_TRUE(availableScreen().contains(outer)) << "frame at " << outer.y() << "–" << outer.bottom();
            // The buttons stay whole in view.
            for (QPushButton* b : f->findChildren<QPushButton*>())
                EXPECT_EQ(kelmora::testing::seenInClient(f, b).size(), b->size()) << b->objectName().toStdString();
            view.app().hide(form);
        }
    }
}

// ---- The statement windows -----------------------------------------------------------

// What of a widget shows inside the window (the client area scrolls only on
// a window smaller still than these tests make).
QRect shownInWindow(FormWidget* f, QWidget* w) {
    const QRect seen = kelmora::testing::seenInClient(f, w);
    QWidget* client = f->findChild<QWidget*>("client");
    return QRect(client->mapTo(f, seen.topLeft()), seen.size()) & f->rect();
}

TEST(Statements, ButtonsStayInViewAndTheBandHoldsAnAmountLine) {
    expectSmallScreen();
    for (const int points : {0, 14}) {
        FontAt font(points);
        if (points) {
            ASSERT_EQ(QApplication::font().pointSize(), points) << "the font cannot be set to " << points;
        }
        QtView view;
        view.start();
        MessageBoxWatch watch;
        for (const char* form : {"Form119", "Form120", "Form130"}) {
            view.app().open(form);
            FormWidget* f = view.widget(form);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
            for (QLineEdit* box : f->findChildren<QLineEdit*>())
                if (box->text().isEmpty()) box->setText("3");
            kelmora::testing::pressComputeButtons(view.app(), f);
            const QSize opened = f->size();
            for (const QSize size : {opened, QSize(900, 520), QSize(700, 420)}) {
                SCOPED_TRACE(std::string(form) + " at " + std::to_string(points) + " pt, " +
                             std::to_string(size.width()) + "×" + std::to_string(size.height()));
                f->resize(size);
                QApplication::processEvents();
                QList<QPushButton*> buttons = f->findChildren<QPushButton*>();
                ASSERT_GE(buttons.size(), 3);
                for (QPushButton* b : buttons)
                    EXPECT_EQ(shownInWindow(f, b).size(), b->size()) << b->text().toStdString() << " is not whole in view";
                // Every amount line the band holds fits its width: account
                // and amount can be read without scrolling.
                SurfaceWidget* band = f->surface();
                const QFontMetrics fm(band->font());
                const auto& rows = f->window().surface();
                int amountLines = 0;
                for (std::size_t i = 0; i < rows.rowCount(); ++i) {
                    const QString row = QString::fromStdString(std::string(rows.row(i)));
                    if (row.size() < 2 || !row.endsWith(' ') || !row.at(row.size() - 2).isDigit()) continue;
                    ++amountLines;
                    EXPECT_LE(fm.horizontalAdvance(row) + band->padding(), band->viewport()->width())
                        << row.toStdString();
                }
                EXPECT_GT(amountLines, 0);
            }
            view.app().hide(form);
        }
    }
}

// ---- Menus -------------------------------------------------------------------------

QAction* action(QWidget* menu, const QString& title) {
    for (QAction* a : menu->actions())
        if (a->text() == title) return a;
    return nullptr;
}

TEST(Menus, ItemsThatDoNothingAreShownDisabledInPlace) {
    QtView view;
    view.start();
    FormWidget* main = view.widget("Form1");
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    auto* bar = main->findChild<QMenuBar*>();
    const QPoint over = bar->actionGeometry(action(bar, QStringLiteral("外贸"))).center();
    QMouseEvent move(QEvent::MouseMove, over, bar->mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QMenu* trade = action(bar, QStringLiteral("外贸"))->menu();
    ASSERT_NE(trade, nullptr);
    emit trade->aboutToShow();
    QMenu* forex = action(trade, QStringLiteral("外汇"))->menu();
    ASSERT_NE(forex, nullptr);
    emit forex->aboutToShow();
    QStringList enabled, disabled;
    for (QAction* a : forex->actions()) (a->isEnabled() ? enabled : disabled) << a->text();
    EXPECT_EQ(disabled, (QStringList{QStringLiteral("信用证外汇"), QStringLiteral("票据贴现外汇")}));
    EXPECT_FALSE(enabled.isEmpty());
}

// ---- What a screen reader reads -------------------------------------------------------

QString accessibleName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Every box of every window has a name, and it is what a person reads
// beside it: the label to its left on its row, or, in a grid, the caption
// box that starts its row.  Every button's name is its caption.
TEST(Accessible, EveryBoxIsNamedByItsLabelAndEveryButtonByItsCaption) {
    QtView view;
    view.start();
    int named = 0;
    for (int n = 1; n <= App::kForms; ++n) {
        const std::string form = "Form" + std::to_string(n);
        SCOPED_TRACE(form);
        view.app().open(form);
        FormWidget* f = view.widget(form);
        ASSERT_NE(f, nullptr);
        const QList<QLabel*> labels = f->findChildren<QLabel*>();
        const QList<QLineEdit*> boxes = f->findChildren<QLineEdit*>();
        for (QLineEdit* box : boxes) {
            const QString name = accessibleName(box);
            EXPECT_FALSE(name.isEmpty()) << box->objectName().toStdString() << " has no accessible name";
            const QRect r = inClient(f, box);
            // The nearest label standing left of the box on its row.
            QLabel* beside = nullptr;
            for (QLabel* l : labels) {
                const QRect lr = inClient(f, l);
                // (Beside: no further than a few characters' room away.)
                if (lr.right() <= r.left() && r.left() - lr.right() <= 3 * l->fontMetrics().height() &&
                    lr.center().y() >= r.top() && lr.center().y() <= r.bottom() &&
                    (!beside || lr.right() > inClient(f, beside).right()))
                    beside = l;
            }
            if (beside) {
                // (A label two boxes share comes after the group the box
                // stands in.)
                if (name != beside->text()) {
                    EXPECT_TRUE(name.endsWith(QLatin1Char(' ') + beside->text()))
                        << box->objectName().toStdString() << " " << name.toStdString();
                }
                ++named;
            }
        }
        for (QPushButton* b : f->findChildren<QPushButton*>()) EXPECT_EQ(accessibleName(b), b->text());
        if (n > 1) view.app().hide(form);
    }
    EXPECT_GT(named, 500);  // most boxes have a label beside them
}

TEST(Accessible, NamesOfBoxesWithoutALabelOfTheirOwn) {
    QtView view;
    view.start();
    struct Case {
        const char* form;
        const char* box;
        QString name;
    };
    const Case cases[] = {
        {"Form2", "Text1", QStringLiteral("现金多余")},
        {"Form2", "Text2", QStringLiteral("现金短缺")},
        // Statement grids: the row's caption and the column's heading.
        {"Form119", "Text1", QStringLiteral("主营业务收入 上年")},
        {"Form119", "Text14", QStringLiteral("主营业务收入 本期")},
        {"Form119", "Text54", QStringLiteral("货币资金 期末")},
        {"Form119", "Text65", QStringLiteral("流动负债 期初")},
        {"Form119", "Text27", QStringLiteral("主营业务收入")},
        {"Form120", "Text2", QStringLiteral("货币资金 年初数")},
        // A grid headed by years.
        {"Form125", "Text7", QStringLiteral("债券收入 价款-为负值")},
        {"Form125", "Text8", QStringLiteral("债券收入 1")},
        // The main window's box under its title: what to type into it.
        {"Form1", "Text1", QStringLiteral("业务或科目名称")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.form) + "." + c.box);
        view.app().open(c.form);
        FormWidget* f = view.widget(c.form);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(accessibleName(f->box(c.box)), c.name);
    }
}

// The band as a screen reader sees it: read-only text, every printed row a
// line, the rows that are added announced; the keyboard scrolls and copies.
TEST(Accessible, TheBandIsReadableTextThatAnnouncesItsNewRows) {
    QtView view;
    view.start();
    view.app().open("Form4");
    FormWidget* f = view.widget("Form4");
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    SurfaceWidget* band = f->surface();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(band);
    ASSERT_NE(iface, nullptr);
    ASSERT_NE(iface->textInterface(), nullptr) << "the band exposes no text";
    EXPECT_TRUE(iface->state().readOnly);
    EXPECT_TRUE(iface->state().focusable);
    EXPECT_EQ(iface->textInterface()->characterCount(), 0);

    // (Offscreen there is no screen reader to hear the announcement; the
    // band says what it announces.)
    QList<std::pair<int, QString>> inserted;
    QObject::connect(band, &SurfaceWidget::rowsAnnounced,
                     [&](int at, const QString& text) { inserted << std::make_pair(at, text); });
    f->box("Text1")->setText("100");
    f->box("Text2")->setText("17");
    QTest::mouseClick(button(f, "Command1"), Qt::LeftButton);
    const QString rows = QStringLiteral(
        "外埠采购\n材料费用（借） 100 \n应交税金-应交增值税（进）（借） 17 \n其他货币资金（贷） 117 \n");
    const int count = iface->textInterface()->characterCount();
    EXPECT_EQ(iface->textInterface()->text(0, count), rows);
    // Each announcement starts where the text ended before; together they
    // are the rows.
    const auto heard = [&](int from, int start) {
        QString text;
        int at = start;
        for (int i = from; i < inserted.size(); ++i) {
            EXPECT_EQ(inserted[i].first, at) << i;
            text += inserted[i].second;
            at += static_cast<int>(inserted[i].second.size());
        }
        return text;
    };
    ASSERT_FALSE(inserted.isEmpty());
    EXPECT_EQ(heard(0, 0), rows);
    // A second click: the new rows come after the old ones.
    const int first = static_cast<int>(inserted.size());
    QTest::mouseClick(button(f, "Command1"), Qt::LeftButton);
    EXPECT_EQ(heard(first, static_cast<int>(rows.size())), "\n" + rows);
    EXPECT_EQ(iface->textInterface()->text(0, iface->textInterface()->characterCount()), rows + "\n" + rows);
    // Text continued on the last row is heard too, and a screen reader
    // reads the band line by line.
    const int before = static_cast<int>(inserted.size());
    kelmora::Window& printed = *view.app().window("Form4");
    printed.cont("续");  // a row of its own
    printed.cont("行");  // continuing it
    ASSERT_EQ(inserted.size(), before + 2);
    EXPECT_EQ(inserted[before], std::make_pair(static_cast<int>(2 * rows.size() + 1), QStringLiteral("\n续")));
    EXPECT_EQ(inserted.back(), std::make_pair(inserted[before].first + 2, QStringLiteral("行")));
    int start = 0, end = 0;
    EXPECT_EQ(iface->textInterface()->textAtOffset(rows.indexOf(QStringLiteral("材料")), QAccessible::LineBoundary,
                                                   &start, &end).trimmed(),
              QStringLiteral("材料费用（借） 100"));

    // The keyboard: Ctrl+C copies the rows, Ctrl+Shift+C the table, the
    // arrows and page keys scroll.
    band->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(band->hasFocus());
    QApplication::clipboard()->clear();
    QTest::keyClick(band, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), band->allRows());
    QTest::keyClick(band, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("科目\t借方\t贷方\t金额\n")))
        << QApplication::clipboard()->text().toStdString();
    kelmora::Window& w = *view.app().window("Form4");
    for (int i = 0; i < 200; ++i) w.text("行" + std::to_string(i));
    QScrollBar* v = band->verticalScrollBar();
    ASSERT_GT(v->maximum(), 0);
    QTest::keyClick(band, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(v->value(), 0);
    QTest::keyClick(band, Qt::Key_PageDown);
    EXPECT_EQ(v->value(), v->pageStep());
    QTest::keyClick(band, Qt::Key_Down);
    EXPECT_EQ(v->value(), v->pageStep() + v->singleStep());
    QTest::keyClick(band, Qt::Key_Up);
    QTest::keyClick(band, Qt::Key_PageUp);
    EXPECT_EQ(v->value(), 0);
}

}  // namespace desk_gui

namespace desk_gui {

// At 14 point the statement window's controls scroll in a part of their
// own: Tab still goes through them in the window's order, the pinned
// buttons after them, then the band, and the box Tab reaches comes into
// view.
TEST(Statements, TabKeepsItsOrderWhenTheControlsScroll) {
    expectSmallScreen();
    FontAt font(14);
    QtView view;
    view.start();
    view.app().open("Form119");
    FormWidget* f = view.widget("Form119");
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    ASSERT_NE(f->findChild<QWidget*>("area"), nullptr) << "at 14 pt Form119's controls should scroll";
    QStringList expected;
    for (const auto& c : f->window().def().controls)
        if (c.kind == kelmora::ControlKind::TextBox || c.kind == kelmora::ControlKind::Button)
            expected << QString::fromStdString(c.name);
    expected << "surface";
    f->findChild<QWidget*>(expected.front())->setFocus(Qt::TabFocusReason);
    QStringList chain;
    for (int i = 0; i < expected.size(); ++i) {
        QWidget* now = QApplication::focusWidget();
        chain << now->objectName();
        if (now != f->surface()) {
            const QRect seen = kelmora::testing::seenInClient(f, now);
            EXPECT_EQ(seen.size(), now->size()) << now->objectName().toStdString() << " not brought into view";
        }
        QTest::keyClick(now, Qt::Key_Tab);
    }
    EXPECT_EQ(chain, expected);
}

}  // namespace desk_gui

namespace desk_gui {

// No window opens scrolled as a whole, nor with a scroll bar it does not
// need, at the default font or on a screen of doubled scale
// (QT_SCALE_FACTOR=2, a test of its own).
TEST(Screen, NoWindowOpensWithAScrollBarItDoesNotNeed) {
    expectSmallScreen();
    QtView view;
    view.start();
    for (int n = 1; n <= App::kForms; ++n) {
        const std::string form = "Form" + std::to_string(n);
        SCOPED_TRACE(form);
        view.app().open(form);
        FormWidget* f = view.widget(form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
        QApplication::processEvents();
        auto* whole = qobject_cast<QAbstractScrollArea*>(f->findChild<QWidget*>("client")->parentWidget()->parentWidget());
        ASSERT_NE(whole, nullptr);
        EXPECT_FALSE(whole->horizontalScrollBar()->isVisible()) << "the window scrolls sideways as a whole";
        EXPECT_FALSE(whole->verticalScrollBar()->isVisible()) << "the window scrolls as a whole";
        if (auto* area = qobject_cast<QAbstractScrollArea*>(f->findChild<QWidget*>("area"))) {
            if (area->horizontalScrollBar()->isVisible()) {
                EXPECT_GT(area->horizontalScrollBar()->maximum(), 0) << "an idle horizontal scroll bar";
            }
            if (area->verticalScrollBar()->isVisible()) {
                EXPECT_GT(area->verticalScrollBar()->maximum(), 0) << "an idle vertical scroll bar";
            }
        }
        if (n > 1) view.app().hide(form);
    }
}

}  // namespace desk_gui
