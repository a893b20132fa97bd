// Kelmora — one window instance of the model, and what handlers do with it.
//
// A handler reads its fields, computes with Num and prints, in the order the
// journal is written:
//
//     const Num draft = w.field("Text3");
//     if (draft > 0) {
//         w.text("银行汇票");
//         w.amount("其他货币资金-银行汇票（借）", draft);
//     }
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "core/num.h"
#include "core/surface.h"
#include "core/window_def.h"

namespace kelmora {

class App;

class Window {
public:
    Window(App& app, WindowDef def);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const std::string& name() const { return def_.name; }
    const WindowDef& def() const { return def_; }
    App& app() { return app_; }
    bool visible() const { return visible_; }
    const Surface& surface() const { return surface_; }

    // Text boxes.  What the user types is already on the screen; what the
    // program writes is announced to the view.
    const std::string& textOf(const std::string& box) const;
    void typeText(const std::string& box, std::string text);   // the user typing
    Num field(const std::string& box) const;                   // field value rule
    void writeText(const std::string& box, std::string text);  // the program writing
    void writeField(const std::string& box, Num x);            // the program writing x's text form
    bool hasTextBox(const std::string& box) const { return texts_.count(box) != 0; }
    // Empties the boxes Text<first> … Text<last>, each looked up by its
    // composed name (numbers the window has no box for are passed over).
    void clearBoxes(int first, int last);

    // Printing onto the output surface.
    void text(std::string_view s);                   // text line
    void amount(std::string_view label, Num x);      // amount line
    // An amount that changes sides with its sign (an exchange difference, a
    // gain or loss): x under whenPositive if x > 0, -x under whenNegative if
    // x < 0, no line at all for zero.
    void amountBySign(std::string_view whenPositive, std::string_view whenNegative, Num x);
    void blank();                                    // blank line
    void cont(std::string_view s);                   // continued text
    void clear();                                    // clear output

    // Window operations.
    void msgbox(const std::string& text);
    void open(const std::string& form);  // open another window (or this one)
    void hide();                         // hide this window
    void hide(const std::string& form);  // hide another window

private:
    friend class App;
    std::string& box(const std::string& name);
    Surface::Keep keep() const;  // a hidden window keeps nothing it prints

    App& app_;
    WindowDef def_;
    std::map<std::string, std::string> texts_;
    Surface surface_;
    bool visible_ = false;
};

}  // namespace kelmora
