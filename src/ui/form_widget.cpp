#include "ui/form_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QFontDatabase>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "core/app.h"
#include "core/control_names.h"
#include "core/layout.h"
#include "ui/accessible.h"
#include "ui/surface_widget.h"

namespace kelmora {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

// Headings: SimSun, bold, 9 point, or the window's own size when that is
// larger, so that a heading grows with the font like everything around it.
QFont headingFont(const QFont& base) {
    // Only the families the system has: one it lacks would send the font
    // matching through the system's whole list of fallbacks, the costliest
    // step of the main window's start.  Looked up in the font database's
    // list of families, which the first font read in full: hasFamily() would
    // ask the system's font configuration about each name again (a million
    // instructions a name).
    static const QStringList families = [] {
        const QStringList known = QFontDatabase::families();
        QStringList there;
        for (const QString& family : {QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei"),
                                      QStringLiteral("Noto Sans CJK SC")})
            if (known.contains(family, Qt::CaseInsensitive)) there << family;
        return there;
    }();
    QFont f = base;
    if (!families.isEmpty()) f.setFamilies(families);
    if (base.pointSizeF() > 0) f.setPointSizeF(std::max(9.0, base.pointSizeF()));
    f.setBold(true);
    return f;
}
}  // namespace

namespace {

// Measures text and controls in the font and style a window is shown in.
class QtMeasure : public TextMeasure {
public:
    explicit QtMeasure(const QWidget* w)
        : font_(w->font()), fm_(font_), headingFm_(headingFont(font_)), style_(w->style()) {
        probeBox_.setFont(font_);
        probeButton_.setFont(font_);
        // What a text box adds around its text: frame and inner margins.
        const QSize box = probeBox_.sizeHint();
        boxExtra_ = box.width() - 17 * fm_.horizontalAdvance(QLatin1Char('x'));
        boxH_ = box.height();
    }

    Size label(std::string_view text) const override {
        return {fm_.horizontalAdvance(qs(text)) + 1, fm_.height()};
    }
    // The layout asks for a heading or a button again and again as it tries
    // its arrangements: each is measured once.
    Size heading(std::string_view text) const override {
        return remembered(headings_, text, [&] {
            return Size{headingFm_.horizontalAdvance(qs(text)) + 1, headingFm_.height()};
        });
    }
    Size button(std::string_view caption) const override {
        return remembered(buttons_, caption, [&] {
            probeButton_.setText(qs(caption));
            const QSize s = probeButton_.sizeHint();
            return Size{s.width(), s.height()};
        });
    }
    Size box(std::string_view text) const override {
        return {fm_.horizontalAdvance(qs(text)) + std::max(boxExtra_, 8), boxH_};
    }
    Size cell(std::string_view text) const override {
        const int frame = style_->pixelMetric(QStyle::PM_DefaultFrameWidth);
        return {fm_.horizontalAdvance(qs(text)) + std::max(boxExtra_, 8), fm_.height() + 2 * frame + 2};
    }
    Margins frame(std::string_view caption) const override {
        QStyleOptionGroupBox opt;
        opt.initFrom(&probeBox_);
        opt.text = qs(caption);
        opt.lineWidth = 1;
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        opt.rect = QRect(0, 0, 400, 300);
        opt.fontMetrics = headingFm_;  // frame captions are bold
        const QRect c = style_->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, nullptr);
        // Never less than the caption's own height at the top.
        return {c.left(), std::max(c.top(), headingFm_.height() + 2), 400 - c.right() - 1, 300 - c.bottom() - 1};
    }
    int printedLine() const override { return fm_.lineSpacing(); }
    int bandChrome() const override {
        return style_->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * std::max(2, fm_.height() / 5);
    }
    int printedWidth(std::string_view row) const override { return fm_.horizontalAdvance(qs(row)); }
    int spacing() const override {
        return std::max(style_->pixelMetric(QStyle::PM_LayoutHorizontalSpacing), fm_.height() * 2 / 5);
    }

private:
    static QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
    using Sizes = std::map<std::string, Size, std::less<>>;
    template <class Measure>
    static Size remembered(Sizes& sizes, std::string_view text, Measure measure) {
        auto it = sizes.find(text);
        if (it == sizes.end()) it = sizes.emplace(std::string(text), measure()).first;
        return it->second;
    }

    mutable Sizes headings_, buttons_;
    QFont font_;
    QFontMetrics fm_, headingFm_;
    QStyle* style_;
    QLineEdit probeBox_;
    mutable QPushButton probeButton_;
    int boxExtra_ = 0, boxH_ = 0;
};

// What each window's buttons print, worked out once per window.
const std::vector<std::string>& printedSample(const std::string& form) {
    static std::map<std::string, std::vector<std::string>> samples;
    auto it = samples.find(form);
    if (it == samples.end()) it = samples.emplace(form, samplePrinting(form)).first;
    return it->second;
}

}  // namespace

FormWidget::FormWidget(App& app, Window& window, void (*moreTitles)(QMenuBar*))
    : QWidget(nullptr), app_(app), window_(window), moreTitles_(moreTitles) {
    const WindowDef& def = window.def();
    setObjectName(q(def.name));
    setWindowTitle(q(def.caption));
    setAttribute(Qt::WA_DeleteOnClose, false);
    installWindowAccessibility();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The band and the controls.  The control area scrolls on its own when
    // the window is too small for it, its closing buttons pinned below it;
    // only on a window smaller still does everything scroll as a whole.
    scroller_ = new QScrollArea(this);
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setWidgetResizable(true);
    scroller_->setFocusPolicy(Qt::NoFocus);
    client_ = new QWidget;
    client_->setObjectName("client");
    scroller_->setWidget(client_);
    layout->addWidget(scroller_);
    surface_ = new SurfaceWidget(window, client_);
    surface_->setObjectName("surface");
    if (!def.menu.empty() || moreTitles_) buildMenuBar();

    measureLayout();
    const Geometry opened = layout_->at(layout_->preferred());

    scrolled_ = opened.scrolled;
    widgets_.assign(def.controls.size(), nullptr);
    // Frames first, so that they lie beneath the controls they enclose; in
    // bold, like the headings.
    for (std::size_t i = 0; i < def.controls.size(); ++i) {
        const ControlDef& c = def.controls[i];
        if (c.kind != ControlKind::Frame) continue;
        auto* frame = new QGroupBox(q(c.text), client_);
        frame->setObjectName(q(c.name));
        frame->setFont(headingFont(frame->font()));
        widgets_[i] = frame;
    }
    // The rest in tab order.
    const std::vector<QString> names = boxNames(def);
    QWidget* lastInTab = nullptr;
    for (std::size_t i = 0; i < def.controls.size(); ++i) {
        const ControlDef& c = def.controls[i];
        const QString name = q(c.name);
        QWidget* made = nullptr;
        switch (c.kind) {
        case ControlKind::Frame:
            continue;
        case ControlKind::Label:
        case ControlKind::Heading: {
            auto* label = new QLabel(q(c.text), client_);
            label->setTextFormat(Qt::PlainText);
            if (c.kind == ControlKind::Heading) label->setFont(headingFont(label->font()));
            made = label;
            break;
        }
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(q(window.textOf(c.name)), client_);
            connect(box, &QLineEdit::textChanged, this, [this, name](const QString& t) {
                if (window_.textOf(name.toStdString()) != t.toStdString())
                    window_.typeText(name.toStdString(), t.toStdString());
            });
            box->installEventFilter(this);
            box->setAccessibleName(names[i]);
            boxes_.insert(name, box);
            tabBoxes_.push_back(box);
            made = lastInTab = box;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(q(c.text), client_);
            button->setAutoDefault(false);
            button->setDefault(false);
            button->setAccessibleName(q(c.text));
            connect(button, &QPushButton::clicked, this, [this, name] { click(name); });
            made = lastInTab = button;
            break;
        }
        }
        made->setObjectName(c.index >= 0 ? QStringLiteral("%1_%2").arg(name).arg(c.index) : name);
        widgets_[i] = made;
    }
    // A label is the buddy of the box it stands beside.
    const auto buddies = [this](auto&& self, const LayoutNode& n) -> void {
        if (n.kind == LayoutNode::Kind::Field && n.controls.size() == 2 && n.controls[0] >= 0)
            if (auto* label = qobject_cast<QLabel*>(widgets_[n.controls[0]])) label->setBuddy(widgets_[n.controls[1]]);
        for (const auto& c : n.children) self(self, c);
    };
    buddies(buddies, def.area);
    buddies(buddies, def.lowerLeft);
    // The band comes last in the tab order, after every control.
    if (lastInTab) QWidget::setTabOrder(lastInTab, surface_);
    // A window whose tab order starts with a caption box (a statement grid's
    // heading) opens with the focus in the first box a person types into.
    // Every other window opens with the focus on the first control in tab
    // order (the band, made first, would otherwise take it).
    for (std::size_t i = 0; i < def.controls.size(); ++i) {
        const ControlDef& c = def.controls[i];
        if (c.kind != ControlKind::TextBox && c.kind != ControlKind::Button) continue;
        const int first = isCaptionBox(c) ? firstTypingBox(def) : static_cast<int>(i);
        widgets_[first >= 0 ? first : i]->setFocus(Qt::OtherFocusReason);
        break;
    }

    for (const auto& [boxName, source] : def.completions)
        if (QLineEdit* box = boxes_.value(q(boxName))) attachCompleter(box, source);

    client_->installEventFilter(this);
    openSize();
}

void FormWidget::measureLayout() {
    const WindowDef& def = window_.def();
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    // Measure in the window's own font, and open as large as what the
    // buttons print asks for, within the screen.
    measure_ = std::make_unique<QtMeasure>(client_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
    const int menuH = layout->menuBar() ? layout->menuBar()->sizeHint().height() : 0;
    // Room for the window frame: its title bar and borders, until the
    // window system tells (fitFrame).
    const QMargins frame = assumedFrame();
    const Size room{avail.width() - frame.left() - frame.right(),
                    avail.height() - frame.top() - frame.bottom() - menuH};
    layout_ = std::make_unique<WindowLayout>(def, *measure_, def.prints ? printedSample(def.name) : std::vector<std::string>{}, room);
    room_ = room;
}

void FormWidget::openSize() {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    const int menuH = layout->menuBar() ? layout->menuBar()->sizeHint().height() : 0;
    const Size room = room_;
    const Size smallest = layout_->smallest(), want = layout_->preferred();
    client_->setMinimumSize(smallest.w, smallest.h);
    // Wide enough for the menu bar's menus too; with a title's width to spare
    // beside titles of the program's own (the bar's own hint leaves the last
    // one against the edge).
    int menuW = 0;
    if (const QWidget* bar = layout->menuBar()) {
        menuW = bar->sizeHint().width();
        if (moreTitles_ && !bar->actions().isEmpty()) menuW += bar->fontMetrics().horizontalAdvance(bar->actions().back()->text());
    }
    QSize size(std::min(std::max(want.w, menuW), std::max(room.w, 200)), std::min(want.h, std::max(room.h, 200)));
    // Too narrow for the control area: it scrolls sideways, and its scroll
    // bar takes a line from the height; too low, and the scroll bar beside
    // it takes from the width.  The window grows by them where the screen
    // has room.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int pass = 0; pass < 2; ++pass) {
        const Geometry g = layout_->at({size.width(), size.height()});
        const bool across = g.view.w < g.content.w, down = g.view.h < g.content.h;
        if (across) size.setHeight(std::min(size.height() + std::max(0, g.content.h + bar - g.view.h), std::max(room.h, size.height())));
        if (down) size.setWidth(std::min(size.width() + std::max(0, g.content.w + bar - g.view.w), std::max(room.w, size.width())));
    }
    resize(size.width(), size.height() + menuH);
    // (The client area takes that size when the window first shows.)
    arrange({size.width(), size.height()});
}

void FormWidget::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // (A hidden window's widgets are about to go: they are built afresh.)
    if (e->type() != QEvent::FontChange || !layout_ || !isVisible()) return;
    // The desktop's font changed while the window is open: headings and
    // frame captions follow it, and everything is measured and placed again
    // in the new font.
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        const ControlKind kind = window_.def().controls[i].kind;
        if (kind == ControlKind::Heading || kind == ControlKind::Frame) widgets_[i]->setFont(headingFont(font()));
    }
    measureLayout();
    openSize();
}

FormWidget::~FormWidget() = default;

QMargins FormWidget::assumedFrame() const {
    // A title bar somewhat taller than a line of text, thin borders, a grip
    // at the bottom.
    const int title = std::max(style()->pixelMetric(QStyle::PM_TitleBarHeight), fontMetrics().height() + 10);
    return {4, title + 4, 4, 8};
}

void FormWidget::fitFrame(const QMargins& frame) {
    const QScreen* s = screen();
    if (!s || frame.isNull()) return;
    const QRect avail = s->availableGeometry();
    const int maxW = avail.width() - frame.left() - frame.right();
    const int maxH = avail.height() - frame.top() - frame.bottom();
    if (width() > maxW || height() > maxH) resize(std::min(width(), maxW), std::min(height(), maxH));
    // And the frame on the screen, title bar first.
    QRect outer = geometry().marginsAdded(frame);
    if (isVisible() && !avail.contains(outer)) {
        outer.moveRight(std::min(outer.right(), avail.right()));
        outer.moveBottom(std::min(outer.bottom(), avail.bottom()));
        outer.moveLeft(std::max(outer.left(), avail.left()));
        outer.moveTop(std::max(outer.top(), avail.top()));
        move(outer.topLeft());
    }
}

void FormWidget::makeAreaView() {
    // Made the first time the controls need more room than the window has:
    // the controls of the area move into it, keeping their order in the
    // chain of focus (they stay in the same window).
    areaView_ = new QScrollArea(client_);
    areaView_->setObjectName("area");
    areaView_->setFrameShape(QFrame::NoFrame);
    areaView_->setFocusPolicy(Qt::NoFocus);
    areaView_->viewport()->setAutoFillBackground(false);
    area_ = new QWidget;
    area_->setAutoFillBackground(false);
    areaView_->setWidget(area_);
    areaView_->lower();  // beneath the pinned buttons
    QWidget* focused = focusWidget();
    for (std::size_t i = 0; i < widgets_.size(); ++i)
        if (scrolled_[i]) {
            widgets_[i]->setParent(area_);
            widgets_[i]->show();
        }
    areaView_->show();
    if (focused && focused->window() == this && !focused->hasFocus()) focused->setFocus(Qt::OtherFocusReason);
    // A control the keyboard reaches in the scrolled part comes into view.
    // Whole, frame and all (the scroll area's own care is for the text
    // cursor only).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || !area_->isAncestorOf(now)) return;
        const QRect r = QRect(now->mapTo(area_, QPoint(0, 0)), now->size()).adjusted(-4, -4, 4, 4);
        const QRect seen(-area_->pos(), areaView_->viewport()->size());
        QScrollBar* h = areaView_->horizontalScrollBar();
        QScrollBar* v = areaView_->verticalScrollBar();
        if (r.right() > seen.right()) h->setValue(h->value() + r.right() - seen.right());
        if (r.left() < seen.left()) h->setValue(r.left());
        if (r.bottom() > seen.bottom()) v->setValue(v->value() + r.bottom() - seen.bottom());
        if (r.top() < seen.top()) v->setValue(r.top());
    });
}

void FormWidget::arrange() { arrange({client_->width(), client_->height()}); }

void FormWidget::arrange(Size client) {
    const Geometry g = layout_->at(client);
    if (!areaView_ && (g.view.w < g.content.w || g.view.h < g.content.h)) makeAreaView();
    if (areaView_) {
        areaView_->setGeometry(g.view.x, g.view.y, g.view.w, g.view.h);
        // The scrolled part as large as its view, or as its content where
        // that is larger.
        const int bar = areaView_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const bool across = g.content.w > g.view.w;
        const bool down = g.content.h > g.view.h - (across ? bar : 0);
        area_->resize(std::max(g.content.w, g.view.w - (down ? bar : 0)),
                      std::max(g.content.h, g.view.h - (across ? bar : 0)));
    }
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        const Rect& r = g.rects[i];
        if (areaView_ && g.scrolled[i]) widgets_[i]->setGeometry(r.x - g.view.x, r.y - g.view.y, r.w, r.h);
        else widgets_[i]->setGeometry(r.x, r.y, r.w, r.h);
    }
    surface_->setGeometry(g.band.x, g.band.y, g.band.w, g.band.h);
    surface_->setVisible(!g.band.empty() && !bandStandIn_);
    if (bandStandIn_) bandStandIn_->setGeometry(g.band.x, g.band.y, g.band.w, g.band.h);
}

void FormWidget::replaceBand(QWidget* w) {
    bandStandIn_ = w;
    w->setParent(client_);
    w->show();
    arrange();
}

bool FormWidget::enterInBox(QLineEdit* box) {
    const WindowDef& def = window_.def();
    if (!def.enterPresses.empty()) {
        // The completion list takes Enter itself while it is open.
        if (box->completer() && box->completer()->popup() && box->completer()->popup()->isVisible()) return false;
        click(q(def.enterPresses));
        return true;
    }
    // On to the next box; from the last one on to what follows it.
    const auto it = std::find(tabBoxes_.begin(), tabBoxes_.end(), box);
    if (it != tabBoxes_.end() && it + 1 != tabBoxes_.end()) {
        (*(it + 1))->setFocus(Qt::TabFocusReason);
        (*(it + 1))->selectAll();
    } else {
        focusNextChild();
    }
    return true;
}

void FormWidget::attachCompleter(QLineEdit* box, const CompletionSource& source) {
    // The list is asked for afresh whenever the user types, and offered in
    // the order it comes, unfiltered: the source decides what matches.
    auto* items = new QStringListModel(this);
    auto* completer = new QCompleter(items, this);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setModelSorting(QCompleter::UnsortedModel);
    connect(box, &QLineEdit::textEdited, items, [this, items, source, completer](const QString& typed) {
        QStringList offered;
        for (const auto& item : source(typed.toStdString())) offered << q(item);
        items->setStringList(offered);
        // The list, made when first needed, hands Enter to this window
        // first (a filter installed after the completer's runs before it).
        QAbstractItemView* list = completer->popup();
        if (!list->property("kelmoraEnter").toBool()) {
            list->setProperty("kelmoraEnter", true);
            list->installEventFilter(this);
            // Named, and a child of its window, so that a screen reader
            // finds it (and its items) in the application.
            list->setAccessibleName(completionListName());
            list->setParent(this, list->windowFlags());
        }
        // Once the list has opened, closed or changed: its size is said.
        QTimer::singleShot(0, this, [this, list] {
            if (!list->isVisible() || !list->model()) {
                announcedItems_ = -1;
                return;
            }
            const int count = list->model()->rowCount();
            if (count == announcedItems_) return;
            announcedItems_ = count;
            announcer()->say(completionCount(count));
        });
    });
    box->setCompleter(completer);
}

namespace {
// Calls its function the first time the user turns to the widget it watches:
// the mouse moving over it or pressed on it, or the keyboard's focus.  (Not
// when the pointer merely stands where the window comes up.)
class FirstUse : public QObject {
public:
    FirstUse(QWidget* watched, std::function<void()> use) : QObject(watched), use_(std::move(use)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::FocusIn:
        case QEvent::KeyPress:
            watched->removeEventFilter(this);
            use_();
            break;
        default:
            break;
        }
        return false;
    }

private:
    std::function<void()> use_;
};
}  // namespace

void FormWidget::buildMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
    // The bar shows its titles from the start; the menus below them are made
    // when the user first turns to the bar, so the main window starts
    // without building them.
    std::vector<std::pair<QAction*, const MenuNode*>> menus;
    for (const MenuNode& top : window_.def().menu) {
        if (top.children.empty())
            addMenuItem(bar, top);
        else
            menus.emplace_back(bar->addAction(q(top.caption)), &top);
    }
    if (moreTitles_) moreTitles_(bar);
    if (menus.empty()) return;
    new FirstUse(bar, [this, bar, menus] {
        for (const auto& [title, node] : menus) {
            auto* menu = new QMenu(bar);
            title->setMenu(menu);
            addSubmenu(menu, *node);
        }
    });
}

void FormWidget::addSubmenu(QMenu* menu, const MenuNode& node) {
    // Filled when first opened: hundreds of items stand below the main
    // window's menu bar.
    connect(menu, &QMenu::aboutToShow, this, [this, menu, &node] {
        if (!menu->isEmpty()) return;
        for (const MenuNode& child : node.children) {
            if (child.children.empty())
                addMenuItem(menu, child);
            else
                addSubmenu(menu->addMenu(q(child.caption)), child);
        }
    });
}

void FormWidget::addMenuItem(QWidget* menu, const MenuNode& item) {
    auto* action = new QAction(q(item.caption), menu);
    action->setEnabled(!item.inert);
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, &item] {
        if (item.action) app_.guarded(window_, [&] { item.action(window_); });
    });
}

Announcer* FormWidget::announcer() {
    if (!announcer_) announcer_ = new Announcer(this);
    return announcer_;
}

void FormWidget::click(const QString& control) {
    // What the click printed is said aloud afterwards, wherever the focus
    // is: a screen reader reads the band's new text only while the band has
    // the focus.
    const WindowDef& def = window_.def();
    const std::size_t rowsBefore = window_.surface().rowCount();
    const unsigned dialogs = dialogsShown();
    std::vector<std::string> boxesBefore;
    for (const ControlDef& c : def.controls)
        if (c.kind == ControlKind::TextBox) boxesBefore.push_back(window_.textOf(c.name));
    QString added;
    const QMetaObject::Connection heard = connect(surface_, &SurfaceWidget::rowsAnnounced, this,
                                                  [&added](int, const QString& text) { added += text; });
    app_.click(window_, control.toStdString());
    disconnect(heard);
    // Gone (another window took its place): that window speaks for itself.
    if (!isVisible()) return;
    QStringList rows;
    for (const QString& row : added.split(QLatin1Char('\n')))
        if (!row.trimmed().isEmpty()) rows << row.trimmed();
    if (!rows.isEmpty()) {
        announcer()->say(rows.join(QLatin1Char('\n')));
        return;
    }
    if (window_.surface().rowCount() < rowsBefore) {
        announcer()->say(rowsCleared());
        return;
    }
    // A button that did nothing to be seen: neither printed, nor changed a
    // box, nor said anything in a message box.
    const ControlDef* pressed = def.find(control.toStdString());
    if (!pressed || pressed->kind != ControlKind::Button || dialogsShown() != dialogs) return;
    std::size_t k = 0;
    for (const ControlDef& c : def.controls)
        if (c.kind == ControlKind::TextBox && window_.textOf(c.name) != boxesBefore[k++]) return;
    announcer()->say(nothingPrinted());
}

void FormWidget::refreshBox(const QString& name) {
    if (QLineEdit* box = boxes_.value(name)) {
        const QString t = q(window_.textOf(name.toStdString()));
        if (box->text() != t) box->setText(t);
    }
}

bool FormWidget::event(QEvent* e) {
    // Once the window system has put its frame around the window, the frame
    // too must fit the screen: shrink the window and move it where needed.
    if (!fitted_ && (e->type() == QEvent::Show || e->type() == QEvent::Move)) {
        QTimer::singleShot(0, this, [this] {
            if (fitted_ || !windowHandle()) return;
            const QMargins frame = windowHandle()->frameMargins();
            if (frame.isNull()) return;
            fitted_ = true;
            fitFrame(frame);
        });
    }
    return QWidget::event(e);
}

bool FormWidget::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && watched->property("kelmoraEnter").toBool()) {
        // Enter in an open completion list: the highlighted item, or the
        // first when none is, goes into the box and is acted on at once.
        const auto* key = static_cast<QKeyEvent*>(e);
        auto* list = static_cast<QAbstractItemView*>(watched);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier)
            for (QLineEdit* box : std::as_const(boxes_)) {
                QCompleter* completer = box->completer();
                if (!completer || completer->popup() != list) continue;
                QModelIndex item = list->currentIndex();
                if (!item.isValid()) item = completer->completionModel()->index(0, 0);
                if (!item.isValid()) return false;
                const QString chosen = item.data().toString();
                list->hide();
                box->setText(chosen);
                box->setFocus();
                enterInBox(box);
                return true;
            }
        return false;
    }
    if (watched == client_) {
        if (e->type() == QEvent::Resize) arrange();
        return QWidget::eventFilter(watched, e);
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier)
            return enterInBox(box);
    }
    // Text boxes that react to a click into them (explanation boxes): the
    // handler runs once the mouse button is released.
    if (box && e->type() == QEvent::MouseButtonRelease && window_.def().handlers.count(box->objectName().toStdString())) {
        const QString name = watched->objectName();
        QTimer::singleShot(0, this, [this, name] { click(name); });
    }
    return QWidget::eventFilter(watched, e);
}

void FormWidget::closeEvent(QCloseEvent* e) {
    if (app_.ended()) {
        e->accept();
        return;
    }
    // The close box acts like the window's exit button.
    e->ignore();
    QTimer::singleShot(0, this, [this] { click(q(window_.def().closeControl)); });
}

}  // namespace kelmora
