#include "ui/form_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/app.h"
#include "shell/keyword_table.h"

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

SurfaceWidget::SurfaceWidget(const Window& window, QWidget* parent) : QWidget(parent), window_(window) {
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

int SurfaceWidget::lineHeight() const { return fontMetrics().lineSpacing(); }

QString SurfaceWidget::allRows() const {
    QStringList lines;
    for (const auto& row : window_.surface().rows()) lines << q(row);
    return lines.join('\n');
}

void SurfaceWidget::copyRows() const { QApplication::clipboard()->setText(allRows()); }

void SurfaceWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm = fontMetrics();
    int y = fm.ascent();
    // No wrapping and no scrolling: rows beyond the edges are simply not seen.
    for (const auto& row : window_.surface().rows()) {
        if (y - fm.ascent() > height()) break;
        if (!row.empty()) p.drawText(0, y, q(row));
        y += fm.lineSpacing();
    }
}

void SurfaceWidget::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("复制"));
    connect(copy, &QAction::triggered, this, [this] { copyRows(); });
    menu.exec(e->globalPos());
}

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
    if (def.hasMenuBar) buildMenuBar(surface_);

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
                    window_.typeText(name.toStdString(), t.toStdString());
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

    if (def.name == "Form1") {
        // Completion: offer every keyword that contains what has been typed.
        QStringList words;
        for (const auto& k : distinctKeywords()) words << q(k);
        auto* completer = new QCompleter(words, this);
        completer->setFilterMode(Qt::MatchContains);
        completer->setCaseSensitivity(Qt::CaseSensitive);
        if (QLineEdit* box = boxes_.value("Text1")) box->setCompleter(completer);
    }
    adjustSize();
}

void FormWidget::buildMenuBar(QWidget*) {
    auto* bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
    std::function<void(QMenu*, const MenuItem&)> addItem = [&](QMenu* parent, const MenuItem& item) {
        if (item.action == MenuAction::Submenu) {
            QMenu* sub = parent->addMenu(q(item.caption));
            for (const auto& child : item.children) addItem(sub, child);
            return;
        }
        QAction* a = parent->addAction(q(item.caption));
        const MenuItem* target = &item;
        connect(a, &QAction::triggered, this, [this, target] { chooseMenuItem(app_, *target); });
    };
    for (const auto& top : menuTree()) {
        if (top.action == MenuAction::Submenu) {
            QMenu* m = bar->addMenu(q(top.caption));
            for (const auto& child : top.children) addItem(m, child);
        } else {
            QAction* a = bar->addAction(q(top.caption));
            const MenuItem* target = &top;
            connect(a, &QAction::triggered, this, [this, target] { chooseMenuItem(app_, *target); });
        }
    }
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
