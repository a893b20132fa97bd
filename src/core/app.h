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

namespace kelmora {

class Port {
public:
    // A handler of w stopped on a fault of the program itself: anything but
    // an arithmetic failure, such as a box name its window does not have.
    // The handler is abandoned there.  The desktop program and the runner
    // report it and go on; a port that does not (a test's) lets the fault
    // through as it was thrown, for it is called while the fault is handled.
    virtual void internalError(Window& /*w*/, const std::string& /*what*/) { throw; }
    virtual ~Port() = default;
    virtual void shown(Window& w) = 0;   // open window: show and bring to the front
    virtual void hidden(Window& w) = 0;  // hide window
    virtual void messageBox(Window& owner, const std::string& text) = 0;  // modal, OK only
    virtual void failure(Window& w, const ArithmeticFailure& e) = 0;
    virtual void quit() = 0;
    virtual void textChanged(Window&, const std::string& /*box*/) {}
    virtual void surfaceChanged(Window&) {}
};

// Window definitions register themselves by form name.
using WindowFactory = std::function<WindowDef()>;
void registerWindow(const std::string& form, WindowFactory factory);
bool isBuilt(const std::string& form);  // a definition is registered
int formNumber(const std::string& form);  // 1..150 for "Form1".."Form150", else 0

struct Registrar {
    Registrar(const char* form, WindowFactory factory) { registerWindow(form, std::move(factory)); }
};

class App {
public:
    static constexpr int kForms = 150;

    explicit App(Port& port);
    ~App();

    Port& port() { return port_; }

    // The window, created on first reference; nullptr when the name is not a
    // form of the program or the window is not built.
    Window* window(const std::string& form);
    // The window if it has been created, without creating it.
    Window* existing(const std::string& form) const;

    void open(const std::string& form);
    void hide(const std::string& form);

    // A click on a control (button, or a text box that reacts to clicks).
    // Runs the handler to completion; an arithmetic failure stops it at the
    // failing step and is reported through the port.  Returns false when the
    // control has no handler.
    bool click(Window& w, const std::string& control);

    void endProgram();
    bool ended() const { return ended_; }

    // Runs f as a handler of w: an arithmetic failure is caught and reported,
    // and so is any other exception, as an internal error; neither ends the
    // program.
    void guarded(Window& w, const std::function<void()>& f);

private:
    Port& port_;
    std::array<std::unique_ptr<Window>, kForms + 1> windows_;
    bool ended_ = false;
};

// The text of a failure as the user is told it.
std::string failureMessage(const Window& w, const ArithmeticFailure& e);

}  // namespace kelmora

// Registers a window definition function under its form name.
#define KELMORA_WINDOW(form, definer) \
    static const ::kelmora::Registrar kelmoraRegistrar_##form{#form, definer}
