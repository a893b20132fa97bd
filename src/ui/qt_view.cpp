#include "ui/qt_view.h"

#include <QApplication>
#include <QIconEngine>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPen>
#include <QProxyStyle>
#include <QStyleOption>
#include <functional>

#include "core/window_names.h"
#include "ui/accessible.h"
#include "ui/book_module.h"
#include "ui/form_widget.h"
#include "ui/nested_loop.h"
#include "ui/practice_entry.h"

namespace kelmora {

namespace {
// An icon made when it is first drawn.
class LazyIcon : public QIconEngine {
public:
    explicit LazyIcon(std::function<QIcon()> make) : make_(std::move(make)) {}

    void paint(QPainter* p, const QRect& r, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(p, r, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new LazyIcon(make_); }

private:
    const QIcon& icon() {
        if (!made_) {
            icon_ = make_();
            made_ = true;
        }
        return icon_;
    }

    std::function<QIcon()> make_;
    QIcon icon_;
    bool made_ = false;
};

// The application's style, with its standard icons made when first drawn:
// the menu bar asks for its overflow button's icon as it is built, and
// reading that picture loads every image-format plugin, which would cost the
// main window's start more than all its own widgets.
//
// It also rings the control that has the keyboard's focus, whatever the
// style underneath: some styles mark it faintly or not at all, and a person
// must see where a key press goes.
class LazyIconStyle : public QProxyStyle {
public:
    explicit LazyIconStyle(QStyle* base = nullptr) : QProxyStyle(base) {}
    QIcon standardIcon(StandardPixmap icon, const QStyleOption*, const QWidget*) const override {
        return QIcon(new LazyIcon([this, icon] { return baseStyle()->standardIcon(icon); }));
    }
    void drawControl(ControlElement element, const QStyleOption* opt, QPainter* p, const QWidget* w) const override {
        QProxyStyle::drawControl(element, opt, p, w);
        if (element == CE_PushButton && (opt->state & State_HasFocus)) ring(opt, p);
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption* opt, QPainter* p, const QWidget* w) const override {
        QProxyStyle::drawPrimitive(element, opt, p, w);
        if (element == PE_PanelLineEdit && (opt->state & State_HasFocus)) ring(opt, p);
    }

private:
    static void ring(const QStyleOption* opt, QPainter* p) {
        p->save();
        p->setRenderHint(QPainter::Antialiasing, false);
        p->setBrush(Qt::NoBrush);
        p->setPen(QPen(opt->palette.color(QPalette::Active, QPalette::Highlight), 2));
        p->drawRect(QRectF(opt->rect).adjusted(1, 1, -1, -1));
        p->restore();
    }
};
}  // namespace

namespace {
// The main window's menu bar: the module's titles (账簿), then 练习.
void mainWindowTitles(QMenuBar* bar) {
    addModuleTitles(bar);
    addPracticeMenu(bar);
}
}  // namespace

QStyle* applicationStyle(QStyle* base) { return new LazyIconStyle(base); }

namespace {
// A message box over the windows; once it closes, the screen reader hears
// where the focus is again.
void showModal(QMessageBox& box) {
    box.setWindowModality(Qt::ApplicationModal);
    countDialog();
    {
        const NestedLoop loop;
        box.exec();
    }
    // The window it stood over has the keyboard again (without a window
    // manager nobody else gives it back).
    if (QWidget* over = box.parentWidget(); over && over->isVisible()) over->activateWindow();
    restateFocus();
}
}  // namespace

QtView::QtView() : app_(*this) {
    // Once per application (asking for the style would make the default one
    // first, for nothing).
    if (!qApp->property("kelmoraStyle").toBool()) {
        QApplication::setStyle(applicationStyle());
        qApp->setProperty("kelmoraStyle", true);
    }
    retry_.setInterval(20);
    QObject::connect(&retry_, &QTimer::timeout, [this] { freeParked(); });
}

QtView::~QtView() {
    // Widgets still waiting for the event loop to free them refer to this
    // view's model: they go with it.
    for (const QPointer<FormWidget>& f : freed_) delete f.data();
}

void QtView::start() { app_.start(); }

FormWidget* QtView::widget(const std::string& form) const {
    const int n = formNumber(form);
    return n ? widgets_[n].get() : nullptr;
}

QWidget* QtView::messageParent(const Window& owner) const {
    if (FormWidget* f = widget(owner.name()); f && f->isVisible()) return f;
    if (FormWidget* f = widgets_[front_].get(); f && f->isVisible()) return f;
    return nullptr;
}

void QtView::shown(Window& w) {
    const int n = formNumber(w.name());
    front_ = n;
    auto& f = widgets_[n];
    if (!f) {
        f = std::make_unique<FormWidget>(app_, w, w.name() == App::kMainWindow ? mainWindowTitles : nullptr);
        if (w.name() != App::kMainWindow) addPracticeAction(f.get());
        // Given before the window shows, the focus goes there once the
        // window is active.
        if (!focus_[n].isEmpty())
            if (auto* control = f->findChild<QWidget*>(focus_[n])) control->setFocus();
    }
    f->show();
    f->raise();
    f->activateWindow();
}

void QtView::hidden(const Window& w) {
    const int n = formNumber(w.name());
    std::unique_ptr<FormWidget>& f = widgets_[n];
    if (!f) return;
    const QWidget* focused = f->focusWidget();
    focus_[n] = focused ? focused->objectName() : QString();
    f->hide();
    // Its menus go with it (its completion list goes by itself).
    for (QMenu* menu : f->findChildren<QMenu*>())
        if (menu->isVisible()) menu->close();
    parked_.push_back(std::move(f));
    freeParked();
}

void QtView::freeParked() {
    // A menu, message box or dialog may still be running its own event loop
    // with these widgets on its stack (the hiding may even have come from
    // inside it, as a queued click): they wait until every such loop is over.
    if (NestedLoop::running() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        if (!retry_.isActive()) retry_.start();
        return;
    }
    retry_.stop();
    // The hiding handler may have been called from one of the window's own
    // widgets, whose signal is still being delivered: the widgets go once
    // control is back in the event loop.
    std::erase_if(freed_, [](const QPointer<FormWidget>& f) { return f.isNull(); });
    for (auto& f : parked_) {
        freed_.emplace_back(f.get());
        f.release()->deleteLater();
    }
    parked_.clear();
}

void QtView::messageBox(const Window& owner, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kelmora"), QString::fromStdString(text), QMessageBox::Ok,
                    messageParent(owner));
    showModal(box);
}

void QtView::failure(const Window& w, const ArithmeticFailure& e) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kelmora"), QString::fromStdString(failureMessage(w, e)),
                    QMessageBox::Ok, messageParent(w));
    showModal(box);
}

void QtView::internalError(const Window& w, const std::string& what) {
    // The technical detail stays in the text so that the user can pass it on
    // with a bug report.
    const QString text = QStringLiteral("程序内部错误：窗口 %1 的操作没有完成，在出错处停止。"
                                        "其他窗口和已输入的数据不受影响，可以继续使用。\n\n详细信息：%2")
                             .arg(QString::fromStdString(displayName(w.def())), QString::fromStdString(what));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kelmora"), text, QMessageBox::Ok, messageParent(w));
    showModal(box);
}

void QtView::quit() {
    for (auto& w : widgets_)
        if (w) w->hide();
    QCoreApplication::quit();
}

void QtView::textChanged(const Window& w, const std::string& box) {
    if (FormWidget* f = widget(w.name())) f->refreshBox(QString::fromStdString(box));
}

void QtView::surfaceChanged(const Window& w) {
    if (FormWidget* f = widget(w.name())) f->surface()->rowsChanged();
}

}  // namespace kelmora
