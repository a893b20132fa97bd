#include "ui/accessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QTimer>
#include <map>

#include "core/control_names.h"
#include "core/window.h"
#include "core/window_names.h"
#include "ui/form_widget.h"

namespace kelmora {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

using Kind = LayoutNode::Kind;

// The group each labelled box stands in: the caption of the frame around
// it, or the heading that stands last above it in its column.  A heading speaks for
// what follows it in its own column only; a frame's caption for what is in
// the frame.
void groups(const WindowDef& def, const LayoutNode& n, QString group, std::vector<QString>& out) {
    switch (n.kind) {
    case Kind::Stack:
        for (const LayoutNode& c : n.children) {
            if ((c.kind == Kind::Heading || c.kind == Kind::Title) && !c.controls.empty() && c.controls[0] >= 0)
                group = q(def.controls[c.controls[0]].text);
            groups(def, c, group, out);
        }
        return;
    case Kind::Frame:
        if (!n.controls.empty() && n.controls[0] >= 0 && !def.controls[n.controls[0]].text.empty())
            group = q(def.controls[n.controls[0]].text);
        for (const LayoutNode& c : n.children) groups(def, c, group, out);
        return;
    case Kind::Columns:
        for (const LayoutNode& c : n.children) groups(def, c, group, out);
        return;
    case Kind::Field:
        // (A grid's boxes are named by their row and column already.)
        for (int i : n.controls)
            if (i >= 0 && i < static_cast<int>(out.size())) out[i] = group;
        return;
    default:
        for (const LayoutNode& c : n.children) groups(def, c, group, out);
        return;
    }
}
}  // namespace

QString keywordBoxName() { return QStringLiteral("业务或科目名称"); }

std::vector<QString> boxNames(const WindowDef& def) {
    const std::size_t n = def.controls.size();
    std::vector<QString> names(n), group(n);
    groups(def, def.area, {}, group);
    groups(def, def.lowerLeft, {}, group);
    std::map<QString, int> uses;
    for (std::size_t i = 0; i < n; ++i) {
        const ControlDef& c = def.controls[i];
        if (c.kind != ControlKind::TextBox) continue;
        // The main window's box stands under the program's name only.
        if (!def.completions.empty() && def.completions.count(c.name))
            names[i] = keywordBoxName();
        else
            names[i] = q(controlName(def, static_cast<int>(i)));
        ++uses[names[i]];
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (def.controls[i].kind != ControlKind::TextBox || names[i].isEmpty() || uses[names[i]] < 2) continue;
        if (!group[i].isEmpty() && group[i] != names[i]) names[i] = group[i] + QLatin1Char(' ') + names[i];
    }
    return names;
}

QString bandName(const WindowDef& def) { return QStringLiteral("计算结果：") + q(displayName(def)); }

QString nothingPrinted() { return QStringLiteral("没有新的计算结果"); }
QString rowsCleared() { return QStringLiteral("计算结果已清除"); }

QString completionCount(int count) { return QStringLiteral("%1，%2 项").arg(completionListName()).arg(count); }
QString completionListName() { return QStringLiteral("补全列表"); }

namespace {

// A window: a frame named by its display name.  Its completion list, a
// popup of its own, is among its children while it shows, so that the list
// and its items are part of the application's tree.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(FormWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return q(displayName(form()->window().def()));
        return QAccessibleWidget::text(t);
    }
    int childCount() const override {
        return QAccessibleWidget::childCount() + static_cast<int>(popups().size());
    }
    QAccessibleInterface* child(int index) const override {
        const int own = QAccessibleWidget::childCount();
        if (index < own) return QAccessibleWidget::child(index);
        const QList<QWidget*> shown = popups();
        return index - own < shown.size() ? QAccessible::queryAccessibleInterface(shown[index - own]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child && child->object()) {
            const int at = static_cast<int>(popups().indexOf(qobject_cast<QWidget*>(child->object())));
            if (at >= 0) return QAccessibleWidget::childCount() + at;
        }
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    FormWidget* form() const { return static_cast<FormWidget*>(widget()); }
    QList<QWidget*> popups() const {
        QList<QWidget*> shown;
        for (QAbstractItemView* list : widget()->findChildren<QAbstractItemView*>(Qt::FindDirectChildrenOnly))
            if (list->isWindow() && list->isVisible()) shown << list;
        return shown;
    }
};

// The announcer: a notification whose name is what it says.
class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<Announcer*>(widget())->message();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State st = QAccessibleWidget::state();
        st.focusable = false;
        return st;
    }
};

QAccessibleInterface* windowFactory(const QString&, QObject* object) {
    if (auto* a = qobject_cast<Announcer*>(object)) return new AnnouncerAccessible(a);
    if (auto* f = qobject_cast<FormWidget*>(object)) return new WindowAccessible(f);
    return nullptr;
}

unsigned dialogs = 0;
}  // namespace

void installWindowAccessibility() {
    static const bool installed = (QAccessible::installFactory(windowFactory), true);
    (void)installed;
}

Announcer::Announcer(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void Announcer::say(const QString& text) {
    message_ = text;
    if (QAccessible::isActive()) {
        QAccessibleEvent named(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
    emit said(text);
}

void countDialog() { ++dialogs; }
unsigned dialogsShown() { return dialogs; }

namespace {
void restateWhenBack(int tries) {
    QWidget* focused = QApplication::focusWidget();
    if (!focused) {
        // The window system has not given the window the keyboard back
        // yet.
        if (tries > 0) QTimer::singleShot(20, qApp, [tries] { restateWhenBack(tries - 1); });
        return;
    }
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(focused, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
}  // namespace

void restateFocus() {
    // Once the window is active again (the box's closing comes first).
    QTimer::singleShot(0, qApp, [] { restateWhenBack(100); });
}

}  // namespace kelmora
