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

class BrokenWindow {
public:
    // The real window with `compute` as its Command1, until this goes out of
    // scope.
    BrokenWindow(std::string form, Handler compute) : form_(std::move(form)) {
        const WindowFactory real = *registeredWindow(form_);
        original_ = replaceWindow(form_, [real, compute = std::move(compute)] {
            WindowDef def = real();
            def.handlers["Command1"] = compute;
            return def;
        });
    }
    ~BrokenWindow() { replaceWindow(form_, std::move(original_)); }
    BrokenWindow(const BrokenWindow&) = delete;
    BrokenWindow& operator=(const BrokenWindow&) = delete;

private:
    std::string form_;
    WindowFactory original_;
};

}  // namespace kelmora::testing
