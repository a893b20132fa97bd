#include "ui/form_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "core/app.h"
#include "core/layout.h"
#include "ui/surface_widget.h"

namespace kelmora {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

// Headings: SimSun, bold, 9 point, or the window's own size when that is
// larger, so that a heading grows with the font like everything around it.
QFont headingFont(const QFont& base) {
    QFont f = base;
    f.setFamilies({"SimSun", "WenQuanYi Micro Hei", "Noto Sans CJK SC"});
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
        boxExtra_ = probeBox_.sizeHint().width() - 17 * fm_.horizontalAdvance(QLatin1Char('x'));
        boxH_ = probeBox_.sizeHint().height();
    }

    Size label(std::string_view text) const override {
        return {fm_.horizontalAdvance(qs(text)) + 1, fm_.height()};
    }
    Size heading(std::string_view text) const override {
        return {headingFm_.horizontalAdvance(qs(text)) + 1, headingFm_.height()};
    }
    Size button(std::string_view caption) const override {
        probeButton_.setText(qs(caption));
        const QSize s = probeButton_.sizeHint();
        return {s.width(), s.height()};
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
        opt.fontMetrics = fm_;
        const QRect c = style_->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, nullptr);
        // Never less than the caption's own height at the top.
        return {c.left(), std::max(c.top(), fm_.height() + 2), 400 - c.right() - 1, 300 - c.bottom() - 1};
    }
    int printedLine() const override { return fm_.lineSpacing(); }
    int printedWidth(std::string_view row) const override { return fm_.horizontalAdvance(qs(row)); }
    int spacing() const override {
        return std::max(style_->pixelMetric(QStyle::PM_LayoutHorizontalSpacing), fm_.height() * 2 / 5);
    }

private:
    static QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

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

FormWidget::FormWidget(App& app, Window& window) : QWidget(nullptr), app_(app), window_(window) {
    const WindowDef& def = window.def();
    setObjectName(q(def.name));
    setWindowTitle(q(def.caption));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The band and the controls; on a screen too small for every control
    // (the statement windows at a large font) they scroll as a whole.
    auto* scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setFocusPolicy(Qt::NoFocus);
    client_ = new QWidget;
    client_->setObjectName("client");
    scroller->setWidget(client_);
    layout->addWidget(scroller);
    surface_ = new SurfaceWidget(window, client_);
    surface_->setObjectName("surface");
    if (!def.menu.empty()) buildMenuBar();

    widgets_.assign(def.controls.size(), nullptr);
    // Frames first, so that they lie beneath the controls they enclose.
    for (std::size_t i = 0; i < def.controls.size(); ++i) {
        const ControlDef& c = def.controls[i];
        if (c.kind != ControlKind::Frame) continue;
        auto* frame = new QGroupBox(q(c.text), client_);
        frame->setObjectName(q(c.name));
        widgets_[i] = frame;
    }
    // The rest in tab order.
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
            boxes_.insert(name, box);
            tabBoxes_.push_back(box);
            made = box;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(q(c.text), client_);
            button->setAutoDefault(false);
            button->setDefault(false);
            connect(button, &QPushButton::clicked, this, [this, name] { click(name); });
            made = button;
            break;
        }
        }
        made->setObjectName(c.index >= 0 ? QStringLiteral("%1_%2").arg(name).arg(c.index) : name);
        widgets_[i] = made;
    }

    for (const auto& [boxName, source] : def.completions)
        if (QLineEdit* box = boxes_.value(q(boxName))) attachCompleter(box, source);

    client_->installEventFilter(this);
    fit();
}

void FormWidget::fit() {
    // Measure in the window's own font, and open as large as what the
    // buttons print asks for, within the screen.
    const WindowDef& def = window_.def();
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    measure_ = std::make_unique<QtMeasure>(client_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
    const int menuH = layout->menuBar() ? layout->menuBar()->sizeHint().height() : 0;
    // Room for the window frame: its title bar and borders.
    const int titleH = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * fontMetrics().height() / 3;
    const Size room{avail.width() - 16, avail.height() - titleH - menuH};
    layout_ = std::make_unique<WindowLayout>(def, *measure_, def.prints ? printedSample(def.name) : std::vector<std::string>{}, room);
    const Size min = layout_->minimum(), want = layout_->preferred();
    client_->setMinimumSize(min.w, min.h);
    // Taller than the screen: the controls scroll, and the scroll bar takes
    // its width beside them.
    const int bar = want.h > room.h ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    // Wide enough for the menu bar's menus too.
    const int menuW = layout->menuBar() ? layout->menuBar()->sizeHint().width() : 0;
    resize(std::min(std::max(want.w + bar, menuW), std::max(room.w, 200)),
           std::min(want.h, std::max(room.h, 200)) + menuH);
    arrange();
}

void FormWidget::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // (A hidden window's widgets are about to go: they are built afresh.)
    if (e->type() != QEvent::FontChange || !layout_ || !isVisible()) return;
    // The desktop's font changed while the window is open: headings follow
    // it, and everything is measured and placed again in the new font.
    for (std::size_t i = 0; i < widgets_.size(); ++i)
        if (window_.def().controls[i].kind == ControlKind::Heading) widgets_[i]->setFont(headingFont(font()));
    fit();
}

FormWidget::~FormWidget() = default;

void FormWidget::arrange() {
    const Geometry g = layout_->at({client_->width(), client_->height()});
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        const Rect& r = g.rects[i];
        widgets_[i]->setGeometry(r.x, r.y, r.w, r.h);
    }
    surface_->setGeometry(g.band.x, g.band.y, g.band.w, g.band.h);
    surface_->setVisible(!g.band.empty());
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
    connect(box, &QLineEdit::textEdited, items, [items, source](const QString& typed) {
        QStringList offered;
        for (const auto& item : source(typed.toStdString())) offered << q(item);
        items->setStringList(offered);
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
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, &item] {
        if (item.action) app_.guarded(window_, [&] { item.action(window_); });
    });
}

void FormWidget::click(const QString& control) { app_.click(window_, control.toStdString()); }

void FormWidget::refreshBox(const QString& name) {
    if (QLineEdit* box = boxes_.value(name)) {
        const QString t = q(window_.textOf(name.toStdString()));
        if (box->text() != t) box->setText(t);
    }
}

bool FormWidget::eventFilter(QObject* watched, QEvent* e) {
    if (watched == client_) {
        if (e->type() == QEvent::Resize && layout_) arrange();
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
