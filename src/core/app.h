// Kelmora — the application model: every window, and the port to the outside.
//
// The model never talks to a toolkit.  The Qt view, the headless runner and
// tests each implement Port; the model calls it whenever something the user
// would see happens.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/num.h"
#include "core/window.h"
#include "core/window_registry.h"

namespace kelmora {

class Port {
public:
    // A handler of w stopped on a fault of the program itself: anything but
    // an arithmetic failure, such as a box name its window does not have.
    // The handler is abandoned there.  The desktop program and the runner
    // report it and go on; a port that does not (a test's) lets the fault
    // through as it was thrown, for it is called while the fault is handled.
    virtual void internalError(const Window& /*w*/, const std::string& /*what*/) { throw; }
    virtual ~Port() = default;
    // Open window: show and bring to the front.  The view may keep the
    // window to type into it later, so it is handed over mutable.
    virtual void shown(Window& w) = 0;
    virtual void hidden(const Window& w) = 0;  // hide window
    virtual void messageBox(const Window& owner, const std::string& text) = 0;  // modal, OK only
    virtual void failure(const Window& w, const ArithmeticFailure& e) = 0;
    virtual void quit() = 0;
    virtual void textChanged(const Window&, const std::string& /*box*/) {}
    virtual void surfaceChanged(const Window&) {}
};

// A port that shows nothing: a model run for its own sake (what a window's
// buttons print, worked out before it opens; tests).  A fault of the
// program itself goes through as thrown.
class SilentPort : public Port {
public:
    void shown(Window&) override {}
    void hidden(const Window&) override {}
    void messageBox(const Window&, const std::string&) override {}
    void failure(const Window&, const ArithmeticFailure&) override {}
    void quit() override {}
};

class App {
public:
    static constexpr int kForms = kFormCount;
    // The window the program starts with, and every exit button goes back to.
    static constexpr const char* kMainWindow = "Form1";

    // Throws std::logic_error when a window has no registered description.
    explicit App(Port& port);
    ~App();

    Port& port() { return port_; }

    // The window, created on first reference; nullptr when the name is not a
    // form of the program.
    Window* window(const std::string& form);
    // The window if it has been created, without creating it.
    const Window* existing(const std::string& form) const;

    void open(const std::string& form);
    void hide(const std::string& form);
    void start() { open(kMainWindow); }  // the program starts: the main window is shown
    Window& mainWindow() { return *window(kMainWindow); }

    // A click on a control (button, or a text box that reacts to clicks).
    // Runs the handler to completion; an arithmetic failure stops it at the
    // failing step and is reported through the port.  A control without a
    // handler does nothing.
    void click(Window& w, const std::string& control);

    void endProgram();
    bool ended() const { return ended_; }

    // Runs f as a handler of w: an arithmetic failure is caught and reported,
    // and so is any other exception, as an internal error; neither ends the
    // program.
    void guarded(Window& w, const std::function<void()>& f);

private:
    Window& named(const std::string& form);

    Port& port_;
    std::array<std::unique_ptr<Window>, kForms + 1> windows_;
    bool ended_ = false;
};

// The text of a failure as the user is told it, naming the window by its
// display name (core/window_names.h).
std::string failureMessage(const Window& w, const ArithmeticFailure& e);

}  // namespace kelmora
