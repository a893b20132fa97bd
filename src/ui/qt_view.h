// Kelmora — the Qt face of the model: implements the port with real widgets
// and modal message boxes.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

#include "core/app.h"

namespace kelmora {

class FormWidget;

class QtView : public Port {
public:
    QtView();
    ~QtView() override;

    App& app() { return app_; }
    void start();  // show the main window
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
    FormWidget* widgetFor(Window& w);
    // Where a message box appears: over its window, or over the window last
    // brought to the front when its own is hidden.
    QWidget* messageParent(const Window& owner) const;

    App app_;
    std::array<QPointer<FormWidget>, App::kForms + 1> widgets_{};
    int front_ = 0;  // the window last brought to the front
};

}  // namespace kelmora
