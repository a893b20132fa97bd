#include "ui/qt_view.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/form_widget.h"

namespace kelmora {

QtView::QtView() : app_(*this) {}

QtView::~QtView() {
    for (auto& w : widgets_) delete w.data();
}

void QtView::start() { app_.open("Form1"); }

FormWidget* QtView::widget(const std::string& form) const {
    const int n = formNumber(form);
    return n ? widgets_[n].data() : nullptr;
}

FormWidget* QtView::widgetFor(Window& w) {
    const int n = formNumber(w.name());
    if (!widgets_[n]) widgets_[n] = new FormWidget(app_, w);
    return widgets_[n];
}

void QtView::shown(Window& w) {
    FormWidget* f = widgetFor(w);
    f->show();
    f->raise();
    f->activateWindow();
}

void QtView::hidden(Window& w) {
    if (FormWidget* f = widget(w.name())) f->hide();
}

void QtView::messageBox(Window& owner, const std::string& text) {
    FormWidget* parent = widget(owner.name());
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kelmora"), QString::fromStdString(text), QMessageBox::Ok,
                    parent && parent->isVisible() ? parent : nullptr);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtView::failure(Window& w, const ArithmeticFailure& e) {
    FormWidget* parent = widget(w.name());
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kelmora"), QString::fromStdString(failureMessage(w, e)),
                    QMessageBox::Ok, parent && parent->isVisible() ? parent : nullptr);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtView::quit() {
    for (auto& w : widgets_)
        if (w) w->hide();
    QCoreApplication::quit();
}

void QtView::textChanged(Window& w, const std::string& box) {
    if (FormWidget* f = widget(w.name())) f->refreshBox(QString::fromStdString(box));
}

void QtView::surfaceChanged(Window& w) {
    if (FormWidget* f = widget(w.name())) f->surface()->update();
}

}  // namespace kelmora
