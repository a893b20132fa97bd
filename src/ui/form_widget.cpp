#include "ui/form_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <utility>
#include <vector>

#include "core/app.h"
#include "ui/surface_widget.h"

namespace kelmora {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

QFont headingFont(const QFont& base) {
    QFont f = base;
    f.setFamilies({"SimSun", "WenQuanYi Micro Hei", "Noto Sans CJK SC"});
    f.setPointSize(9);
    f.setBold(true);
    return f;
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
    surface_ = new SurfaceWidget(window, this);
    surface_->setObjectName("surface");
    surface_->setMinimumSize(def.width, def.height);
    layout->addWidget(surface_);
    if (def.hasMenuBar) buildMenuBar();

    // Frames first, so that they lie beneath the controls they enclose.
    for (const auto& c : def.controls) {
        if (c.kind != ControlKind::Frame) continue;
        auto* frame = new QGroupBox(q(c.text), surface_);
        frame->setObjectName(q(c.name));
        frame->setGeometry(c.rect.x, c.rect.y, c.rect.w, c.rect.h);
    }
    // The rest in tab order.
    for (const auto& c : def.controls) {
        const QRect r(c.rect.x, c.rect.y, c.rect.w, c.rect.h);
        const QString name = q(c.name);
        QWidget* made = nullptr;
        switch (c.kind) {
        case ControlKind::Frame:
            continue;
        case ControlKind::Label:
        case ControlKind::Heading: {
            auto* label = new QLabel(q(c.text), surface_);
            label->setTextFormat(Qt::PlainText);
            // Opaque, like every other control: a label hides the part of a
            // printed line it stands over instead of mixing with it.
            label->setAutoFillBackground(true);
            if (c.kind == ControlKind::Heading) label->setFont(headingFont(label->font()));
            made = label;
            break;
        }
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(q(window.textOf(c.name)), surface_);
            connect(box, &QLineEdit::textChanged, this, [this, name](const QString& t) {
                if (window_.textOf(name.toStdString()) != t.toStdString())
                    window_.setText(name.toStdString(), t.toStdString());
            });
            if (def.handlers.count(c.name)) box->installEventFilter(this);
            boxes_.insert(name, box);
            made = box;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(q(c.text), surface_);
            button->setAutoDefault(false);
            button->setDefault(false);
            connect(button, &QPushButton::clicked, this, [this, name] { click(name); });
            made = button;
            break;
        }
        }
        made->setObjectName(c.index >= 0 ? QStringLiteral("%1_%2").arg(name).arg(c.index) : name);
        made->setGeometry(r);
        // A label covers no more of the surface than its text needs.
        if (auto* label = qobject_cast<QLabel*>(made))
            label->resize(std::min(r.width(), label->sizeHint().width()), r.height());
    }

    for (const auto& [boxName, source] : def.completions)
        if (QLineEdit* box = boxes_.value(q(boxName))) attachCompleter(box, source);
    adjustSize();
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
    // Text boxes that react to a click into them (explanation boxes): the
    // handler runs once the mouse button is released.
    if (e->type() == QEvent::MouseButtonRelease) {
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
