// Kelmora — a window described as data: caption, controls, handlers, and the
// arrangement of its controls.
//
// The Qt view builds any window from its WindowDef; the model and the
// headless runner use the same description.  A window file lists its
// controls in screen order with FormBuilder and says how they stand —
// headings, labelled boxes, frames, button rows, grids, columns side by side,
// a group in the lower left — never where in pixels: the layout pass
// (core/layout.h) measures the texts in the font the window is shown in and
// places everything from that.
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

struct ControlDef {
    std::string name;  // "Text3", "Command1", "Label2", "Frame1"
    int index = -1;    // member of a control array when >= 0
    ControlKind kind = ControlKind::Label;
    std::string text;  // caption, or a text box's initial text
    // A text box that heads a row or a column of a grid: its text names the
    // boxes beside it or under it.
    bool heads = false;
};

// How controls stand, as a tree.  A Stack holds its items top to bottom, a
// Columns node its Stacks side by side; every other node is an item of a
// Stack.  Items refer to their controls by index into WindowDef::controls.
struct LayoutNode {
    enum class Kind {
        Stack,
        Columns,
        Frame,      // a captioned box around its children: {frame}
        Heading,    // a bold heading on a line of its own: {label}
        Title,      // a bold heading centred over the item after it: {label}
        Line,       // a plain label on a line of its own: {label}
        Field,      // a label and its box on one row: {label or -1, box}
        Buttons,    // a row of buttons filling the column's width
        Choice,     // a button with a note beside it: {button, label}
        Grid,       // text boxes in rows, `columns` to a row, row by row
        Statement,  // a statement grid: rows of a caption box and number boxes that abut
        Gap,        // a little vertical room
        BlankRow,   // the room of one labelled row, so that rows of columns side by side stay level
        FrameTop,   // the room a frame's caption takes, level with the first row inside a frame beside
    };
    Kind kind = Kind::Stack;
    std::vector<int> controls;
    int columns = 0;       // Grid, Statement: boxes to a row
    int captionGroup = 0;  // Statement: grids of one group (> 0) share their caption width
    std::vector<LayoutNode> children;  // Stack, Columns, Frame
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
    bool inert = false;  // an item that does nothing when chosen: shown disabled, in its place
};

struct WindowDef {
    std::string name;     // "Form4"
    std::string caption;  // title bar
    std::vector<ControlDef> controls;         // in tab order
    std::map<std::string, Handler> handlers;  // click handlers, by control name
    std::string closeControl = "Command3";    // what the frame's close box does
    // The button that Enter in a text box presses; none: Enter moves on to
    // the next box.
    std::string enterPresses;
    std::vector<MenuNode> menu;                            // the menu bar's menus, in order
    std::map<std::string, CompletionSource> completions;  // completion lists, by box name

    // The printing band at the top left: false for a window that prints
    // nothing, whose controls then take the left edge.
    bool prints = true;
    int bandChars = 16;     // the band is at least this many wide characters wide
    int bandLines = 0;      // and opens with room for at least this many rows
    LayoutNode area;        // the controls right of the band (a Stack)
    LayoutNode lowerLeft;   // the controls below the band (a Stack, often empty)

    const ControlDef* find(const std::string& controlName) const;
    bool isTextBox(const std::string& controlName) const;
};

// A button in a row: a member of a control array when index >= 0.
struct ButtonDef {
    std::string name;
    std::string caption;
    int index = -1;
};

// A text box of a grid, with its initial text; a head names the boxes to
// its right and below it (gridHead).
struct GridCell {
    std::string box;
    std::string initial;
    bool heads = false;
};
inline GridCell gridHead(std::string box, std::string text) { return {std::move(box), std::move(text), true}; }

// The label a text box stands beside, as its window shows it: the label of a
// labelled box; for a box of a grid or statement, the nearest head to its
// left in its row, then the nearest head above it in its column (row item,
// then column, joined by a space); for a head, its own text.  Heads are taken
// without the blanks that indent them.  Empty for a box
// that stands beside no label (the main window's name box) and for a name
// that is no text box of the window.  Scripts list it (`controls FormN`) and
// the desktop view names boxes by it for assistive technology.
std::string boxLabel(const WindowDef& def, const std::string& box);

class FormBuilder {
public:
    explicit FormBuilder(std::string name, std::string caption = {});
    FormBuilder(const FormBuilder&) = delete;  // it points into itself
    FormBuilder& operator=(const FormBuilder&) = delete;

    // Controls in screen order, added to the current column.
    FormBuilder& heading(std::string text);  // bold heading label, auto-named
    FormBuilder& heading(std::string name, std::string text, int index = -1);
    // A bold heading centred over the item that follows it.
    FormBuilder& title(std::string name, std::string text);
    FormBuilder& label(std::string text);  // plain label on a line of its own, auto-named
    FormBuilder& label(std::string name, std::string text);
    FormBuilder& field(std::string box, std::string labelText, std::string initial = {});
    // A labelled box whose label has a name of its own, or is member `index`
    // of the label array `labelName`.
    FormBuilder& namedField(std::string box, std::string labelName, std::string labelText, int index = -1);
    FormBuilder& arrayField(std::string box, std::string labelName, int index, std::string labelText) {
        return namedField(std::move(box), std::move(labelName), std::move(labelText), index);
    }
    // A row of buttons: {name, caption} or {name, caption, index}.  The
    // buttons share the column's width; a long caption widens its button.
    FormBuilder& buttons(std::vector<ButtonDef> row);
    // Command1 (compute, with the given caption), Command2 "取消", Command3
    // "退出" with the standard cancel and exit behaviour.  Compute and cancel
    // can be members of control arrays (index >= 0).
    FormBuilder& standardButtons(Handler compute, std::string computeCaption = "确定", int computeIndex = -1,
                                 int cancelIndex = -1);
    // A button with a note beside it; the buttons of such rows share a width.
    FormBuilder& choice(ButtonDef button, std::string labelName, std::string note);
    // Text boxes in rows and columns, in tab order row by row.  A grid whose
    // other columns fit left of the column's boxes puts its last column
    // under them.
    FormBuilder& grid(const std::vector<std::vector<GridCell>>& rows);
    // A statement grid, placed by the statement code (core/statement_grid.h).
    FormBuilder& statementGrid(std::vector<ControlDef> cells, int columns, int captionGroup);

    FormBuilder& gap();        // a little room
    FormBuilder& blankRow();   // the room of one labelled row
    FormBuilder& frameTop();   // the room of a frame's caption

    // Columns side by side, each a stack of its own, tabbed through left to
    // right.
    FormBuilder& beginColumns();
    FormBuilder& nextColumn();
    FormBuilder& endColumns();
    // From here on, controls go to the lower left of the window, below the
    // printed lines, and come after everything else in the tab order.
    FormBuilder& lowerLeft();

    // Frames enclose the controls added between begin and end.
    FormBuilder& beginFrame(std::string name, std::string caption);
    FormBuilder& endFrame();

    FormBuilder& on(const std::string& control, Handler h);
    FormBuilder& closeControl(std::string control);
    FormBuilder& enterPresses(std::string button);
    FormBuilder& menu(std::vector<MenuNode> menus);  // a menu bar with these menus
    FormBuilder& completion(const std::string& box, CompletionSource source);
    FormBuilder& printsNothing();
    FormBuilder& bandChars(int wideChars);
    FormBuilder& bandLines(int rows);
    // Tab order that departs from the screen order: these controls first, in
    // this order.
    FormBuilder& tabOrder(std::vector<std::string> names);

    WindowDef build();

    // Standard handlers, for windows that wire their own buttons.
    static void cancel(Window& w);  // clear output
    static void exit(Window& w);    // hide, open the main window

private:
    std::string nextLabelName();
    int add(ControlDef c);
    LayoutNode& current();
    FormBuilder& item(LayoutNode::Kind kind, std::vector<int> controls);

    WindowDef def_;
    LayoutNode* root_ = &def_.area;
    std::vector<std::size_t> path_;  // from root_ to the open stack or frame
    std::vector<std::string> tabFirst_;
    int labelCounter_ = 0;
};

}  // namespace kelmora
