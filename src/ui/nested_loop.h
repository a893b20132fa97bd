// Kelmora — the nested event loops the view runs: menus, message boxes,
// dialogs.
//
// Events already queued are delivered inside such a loop.  A close box
// clicked just before a right click hides its window from within the menu
// that the right click opened, while the code that runs the menu still holds
// it, and the window's widgets under it, on its stack.  A window's widgets
// are therefore never freed while one of these loops runs (QtView parks
// them until the last one is over).
#pragma once

namespace kelmora {

class NestedLoop {
public:
    NestedLoop() { ++depth_; }
    ~NestedLoop() { --depth_; }
    NestedLoop(const NestedLoop&) = delete;
    NestedLoop& operator=(const NestedLoop&) = delete;

    static bool running() { return depth_ > 0; }

private:
    static inline int depth_ = 0;  // the view lives on one thread
};

}  // namespace kelmora
