// Kelmora — the Qt face of the model: implements the port with real widgets
// and modal message boxes.
//
// Only shown windows have widgets.  Hiding a window gives its widgets (and
// the memory behind its picture) back; opening it builds them again from the
// model, which holds everything the user left there: the boxes' text, the
// print position, the rows.  The view itself remembers only which control
// had the focus.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <array>
#include <memory>
#include <vector>

#include "core/app.h"

class QStyle;
class QWidget;

namespace kelmora {

class FormWidget;

// The application's style: `base` (the default style when none is given),
// with a clear ring around the control that has the keyboard's focus.
QStyle* applicationStyle(QStyle* base = nullptr);

class QtView : public Port {
public:
    QtView();
    ~QtView() override;

    App& app() { return app_; }
    void start();  // show the main window
    // The window's widgets while it is shown, nullptr while it is hidden.
    FormWidget* widget(const std::string& form) const;
    void internalError(const Window& w, const std::string& what) override;

    void shown(Window& w) override;
    void hidden(const Window& w) override;
    void messageBox(const Window& owner, const std::string& text) override;
    void failure(const Window& w, const ArithmeticFailure& e) override;
    void quit() override;
    void textChanged(const Window& w, const std::string& box) override;
    void surfaceChanged(const Window& w) override;

private:
    // Where a message box appears: over its window, or over the window last
    // brought to the front when its own is hidden.
    QWidget* messageParent(const Window& owner) const;
    // Frees the widgets of hidden windows once no menu, message box or
    // dialog is running over them; until then they stay parked.
    void freeParked();

    App app_;
    std::array<std::unique_ptr<FormWidget>, App::kForms + 1> widgets_;
    std::array<QString, App::kForms + 1> focus_;  // the control that had the focus when hidden
    int front_ = 0;                               // the window last brought to the front
    std::vector<std::unique_ptr<FormWidget>> parked_;  // hidden, not yet freed
    std::vector<QPointer<FormWidget>> freed_;          // freed once the event loop has them
    QTimer retry_;                                     // looks again while they wait
};

}  // namespace kelmora
