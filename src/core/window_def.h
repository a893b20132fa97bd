// Kelmora — a window described as data: caption, controls, handlers.
//
// The Qt view builds any window from its WindowDef; the model and the
// headless runner use the same description.  FormBuilder lays out the usual
// calculator shape (output surface at the left, headings, labelled boxes and
// buttons in a column at the right) so that a window file lists its controls
// in screen order and never deals with pixels unless it wants to.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

class Window;
using Handler = std::function<void(Window&)>;

enum class ControlKind { Label, Heading, TextBox, Button, Frame };

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
};

struct ControlDef {
    std::string name;  // "Text3", "Command1", "Label2", "Frame1"
    int index = -1;    // member of a control array when >= 0
    ControlKind kind = ControlKind::Label;
    std::string text;  // caption, or a text box's initial text
    Rect rect;
};

// The items a box's completion list offers for what has been typed into it,
// in the order the list shows them.
using CompletionSource = std::function<std::vector<std::string>(std::string_view typed)>;

// An item of a window's menu bar: a submenu when it has children, otherwise
// an item whose action runs when it is chosen.
struct MenuNode {
    std::string caption;
    Handler action;
    std::vector<MenuNode> children;
};

struct WindowDef {
    std::string name;     // "Form4"
    std::string caption;  // title bar
    int width = 0, height = 0;
    std::vector<ControlDef> controls;         // in tab order
    std::map<std::string, Handler> handlers;  // click handlers, by control name
    std::string closeControl = "Command3";    // what the frame's close box does
    bool hasMenuBar = false;
    std::vector<MenuNode> menu;                            // the menu bar's menus, in order
    std::map<std::string, CompletionSource> completions;  // completion lists, by box name

    const ControlDef* find(const std::string& controlName) const;
    bool isTextBox(const std::string& controlName) const;
};

// Geometry of the usual calculator window.
namespace layout {
constexpr int kSurfaceWidth = 400;  // free band at the left for printed lines
constexpr int kMargin = 10;
constexpr int kRowStep = 28;
constexpr int kHeadingStep = 24;
constexpr int kLabelWidth = 190;
constexpr int kBoxWidth = 120;
constexpr int kBoxHeight = 24;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 30;
constexpr int kMinHeight = 320;
constexpr int kCellGap = 6;
constexpr int kPrintLineHeight = 16;   // a printed line on the surface, with room to spare            // between the boxes of a grid row
constexpr int kWideCharWidth = 13;     // a Chinese character in the default font
constexpr int kNarrowCharWidth = 7;

// Width a text needs in the default font, estimated from its characters (the
// model has no fonts): wide for CJK characters and full-width signs.
int textWidth(std::string_view utf8);
}  // namespace layout

// A button in a row: a member of a control array when index >= 0.
struct ButtonSpec {
    std::string name;
    std::string caption;
    int index = -1;
};

// A text box of a grid, with its initial text.
struct GridCell {
    std::string box;
    std::string initial;
};

class FormBuilder {
public:
    explicit FormBuilder(std::string name, std::string caption = {});

    // Controls in screen order, placed at the cursor in the current column.
    FormBuilder& heading(std::string text);  // bold heading label, auto-named
    FormBuilder& heading(std::string name, std::string text);
    FormBuilder& label(std::string text);  // plain label on a line of its own, auto-named
    FormBuilder& label(std::string name, std::string text, int width = 0);
    FormBuilder& field(std::string box, std::string labelText, std::string initial = {});
    // A labelled box whose label is member `index` of the label array `labelName`.
    FormBuilder& arrayField(std::string box, std::string labelName, int index, std::string labelText,
                            std::string initial = {});
    // A row of buttons: {name, caption} or {name, caption, index}; a button
    // is widened where its caption needs it.
    FormBuilder& buttons(std::vector<ButtonSpec> row);
    // Command1 (compute, with the given caption), Command2 "取消", Command3
    // "退出" with the standard cancel and exit behaviour.  Compute and cancel
    // can be members of control arrays (index >= 0).
    FormBuilder& standardButtons(Handler compute, std::string computeCaption = "确定", int computeIndex = -1,
                                 int cancelIndex = -1);
    // Text boxes in rows and columns from the cursor, in tab order row by row;
    // the cursor moves below the grid.
    FormBuilder& grid(const std::vector<std::vector<GridCell>>& rows, int cellWidth = layout::kBoxWidth);

    // Cursor control.
    FormBuilder& column(int x);   // start a new column at x, back at the top
    FormBuilder& at(int x, int y);
    FormBuilder& skip(int dy = layout::kRowStep / 2);
    // The lower left of the window, below the lines one click prints (at
    // most printedLines of them), so the controls there cover none of them.
    FormBuilder& lowerLeft(int printedLines);
    int x() const { return x_; }
    int y() const { return y_; }

    // Frames enclose the controls added between begin and end.
    FormBuilder& beginFrame(std::string name, std::string caption);
    FormBuilder& endFrame();

    // Explicit placement (grids, statement windows).
    FormBuilder& place(ControlDef c);

    FormBuilder& on(const std::string& control, Handler h);
    FormBuilder& closeControl(std::string control);
    FormBuilder& menuBar();
    FormBuilder& minSize(int width, int height);

    WindowDef build();

    // Standard handlers, for windows that wire their own buttons.
    static void cancel(Window& w);  // clear output
    static void exit(Window& w);    // hide, open the main window

private:
    std::string nextLabelName();

    WindowDef def_;
    int top_ = layout::kMargin;
    int x_ = layout::kSurfaceWidth;
    int y_ = layout::kMargin;
    int labelCounter_ = 0;
    int minWidth_ = 0, minHeight_ = layout::kMinHeight;
    std::vector<std::size_t> openFrames_;
};

}  // namespace kelmora
