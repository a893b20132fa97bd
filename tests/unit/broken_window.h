// A deliberately broken window for tests of the internal-error path: while a
// BrokenWindow lives, the named window's compute button (Command1) runs the
// handler given instead of its own.  Every App created meanwhile builds the
// broken description; the real one is put back afterwards.
#pragma once

#include <string>
#include <utility>

#include "core/app.h"

namespace kelmora::testing {

// Prints a line and then reads a box the window does not have, the way a
// mistyped box name in a window description would.
inline void mistypedBox(Window& w) {
    w.text("before the fault");
    w.amount("never printed", w.field("Text99"));
}

// Lets the model run and reports nothing, internal errors included: they
// leave the click as thrown.
struct SilentPort : Port {
    void shown(Window&) override {}
    void hidden(Window&) override {}
    void messageBox(Window&, const std::string&) override {}
    void failure(Window&, const ArithmeticFailure&) override {}
    void quit() override {}
};

class BrokenWindow {
public:
    BrokenWindow(std::string form, Handler compute) : form_(std::move(form)) {
        SilentPort port;
        App app(port);
        original_ = app.window(form_)->def();
        WindowDef broken = original_;
        broken.handlers["Command1"] = std::move(compute);
        registerWindow(form_, [broken] { return broken; });
    }
    ~BrokenWindow() {
        registerWindow(form_, [def = original_] { return def; });
    }
    BrokenWindow(const BrokenWindow&) = delete;
    BrokenWindow& operator=(const BrokenWindow&) = delete;

private:
    std::string form_;
    WindowDef original_;
};

}  // namespace kelmora::testing
