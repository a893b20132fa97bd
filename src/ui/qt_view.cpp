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

QWidget* QtView::messageParent(const Window& owner) const {
    if (FormWidget* f = widget(owner.name()); f && f->isVisible()) return f;
    if (FormWidget* f = widgets_[front_].data(); f && f->isVisible()) return f;
    return nullptr;
}

void QtView::shown(Window& w) {
    front_ = formNumber(w.name());
    FormWidget* f = widgetFor(w);
    f->show();
    f->raise();
    f->activateWindow();
}

void QtView::hidden(const Window& w) {
    if (FormWidget* f = widget(w.name())) f->hide();
}

void QtView::messageBox(const Window& owner, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kelmora"), QString::fromStdString(text), QMessageBox::Ok,
                    messageParent(owner));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtView::failure(const Window& w, const ArithmeticFailure& e) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kelmora"), QString::fromStdString(failureMessage(w, e)),
                    QMessageBox::Ok, messageParent(w));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtView::internalError(const Window& w, const std::string& what) {
    // The technical detail stays in the text so that the user can pass it on
    // with a bug report.
    const QString text = QStringLiteral("程序内部错误：窗口 %1 的操作没有完成，在出错处停止。"
                                        "其他窗口和已输入的数据不受影响，可以继续使用。\n\n详细信息：%2")
                             .arg(QString::fromStdString(w.def().caption), QString::fromStdString(what));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kelmora"), text, QMessageBox::Ok, messageParent(w));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
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
    if (FormWidget* f = widget(w.name())) f->surface()->update();
}

}  // namespace kelmora
