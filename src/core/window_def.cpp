#include "core/window_def.h"

#include <algorithm>
#include <stdexcept>

#include "core/app.h"
#include "core/window.h"

namespace kelmora {

const ControlDef* WindowDef::find(const std::string& controlName) const {
    for (const auto& c : controls)
        if (c.name == controlName) return &c;
    return nullptr;
}

bool WindowDef::isTextBox(const std::string& controlName) const {
    const ControlDef* c = find(controlName);
    return c && c->kind == ControlKind::TextBox;
}

using Kind = LayoutNode::Kind;

namespace {

// A head's text without the blanks that indent it on the screen.
std::string trimmed(const std::string& s) {
    std::size_t from = 0, to = s.size();
    while (from < to && s[from] == ' ') ++from;
    while (to > from && s[to - 1] == ' ') --to;
    return s.substr(from, to - from);
}

// The node that shows control c as one of its own, or nullptr.
const LayoutNode* holder(const LayoutNode& n, int c) {
    if (std::find(n.controls.begin(), n.controls.end(), c) != n.controls.end()) return &n;
    for (const auto& child : n.children)
        if (const LayoutNode* h = holder(child, c)) return h;
    return nullptr;
}

}  // namespace

std::string boxLabel(const WindowDef& def, const std::string& box) {
    const auto it = std::find_if(def.controls.begin(), def.controls.end(),
                                 [&](const ControlDef& c) { return c.name == box && c.kind == ControlKind::TextBox; });
    if (it == def.controls.end()) return {};
    if (it->heads) return trimmed(it->text);
    const int at = static_cast<int>(it - def.controls.begin());
    const LayoutNode* n = holder(def.area, at);
    if (!n) n = holder(def.lowerLeft, at);
    if (!n) return {};
    if (n->kind == Kind::Field) return n->controls[0] >= 0 ? def.controls[n->controls[0]].text : std::string();
    if (n->kind != Kind::Grid && n->kind != Kind::Statement) return {};
    // A statement's rows begin with their caption box.
    const int width = n->kind == Kind::Statement ? n->columns + 1 : n->columns;
    if (width <= 0) return {};
    const int cell = static_cast<int>(std::find(n->controls.begin(), n->controls.end(), at) - n->controls.begin());
    const int row = cell / width, column = cell % width;
    const auto head = [&](int r, int c) -> const ControlDef* {
        const int i = r * width + c;
        if (i < 0 || i >= static_cast<int>(n->controls.size()) || n->controls[i] < 0) return nullptr;
        const ControlDef& d = def.controls[n->controls[i]];
        return d.heads && !trimmed(d.text).empty() ? &d : nullptr;
    };
    std::string label;
    for (int c = column - 1; c >= 0; --c)
        if (const ControlDef* h = head(row, c)) {
            label = trimmed(h->text);
            break;
        }
    for (int r = row - 1; r >= 0; --r)
        if (const ControlDef* h = head(r, column)) {
            if (!label.empty()) label += ' ';
            label += trimmed(h->text);
            break;
        }
    return label;
}

namespace {
LayoutNode node(Kind kind, std::vector<int> controls = {}) {
    LayoutNode n;
    n.kind = kind;
    n.controls = std::move(controls);
    return n;
}
}  // namespace

FormBuilder::FormBuilder(std::string name, std::string caption) {
    def_.caption = caption.empty() ? name : std::move(caption);
    def_.name = std::move(name);
}

std::string FormBuilder::nextLabelName() {
    for (;;) {
        std::string n = "Label" + std::to_string(++labelCounter_);
        if (!def_.find(n)) return n;
    }
}

int FormBuilder::add(ControlDef c) {
    def_.controls.push_back(std::move(c));
    return static_cast<int>(def_.controls.size()) - 1;
}

LayoutNode& FormBuilder::current() {
    LayoutNode* n = root_;
    for (std::size_t i : path_) n = &n->children[i];
    return *n;
}

FormBuilder& FormBuilder::item(Kind kind, std::vector<int> controls) {
    current().children.push_back(node(kind, std::move(controls)));
    return *this;
}

FormBuilder& FormBuilder::heading(std::string text) { return heading(nextLabelName(), std::move(text)); }

FormBuilder& FormBuilder::heading(std::string name, std::string text, int index) {
    return item(Kind::Heading, {add({.name = std::move(name), .index = index, .kind = ControlKind::Heading,
                                     .text = std::move(text)})});
}

FormBuilder& FormBuilder::title(std::string name, std::string text) {
    return item(Kind::Title, {add({.name = std::move(name), .kind = ControlKind::Heading, .text = std::move(text)})});
}

FormBuilder& FormBuilder::label(std::string text) { return label(nextLabelName(), std::move(text)); }

FormBuilder& FormBuilder::label(std::string name, std::string text) {
    return item(Kind::Line, {add({.name = std::move(name), .kind = ControlKind::Label, .text = std::move(text)})});
}

FormBuilder& FormBuilder::field(std::string box, std::string labelText, std::string initial) {
    const int label = labelText.empty()
                          ? -1
                          : add({.name = nextLabelName(), .kind = ControlKind::Label, .text = std::move(labelText)});
    const int boxAt = add({.name = std::move(box), .kind = ControlKind::TextBox, .text = std::move(initial)});
    return item(Kind::Field, {label, boxAt});
}

FormBuilder& FormBuilder::namedField(std::string box, std::string labelName, std::string labelText, int index) {
    const int label =
        add({.name = std::move(labelName), .index = index, .kind = ControlKind::Label, .text = std::move(labelText)});
    const int boxAt = add({.name = std::move(box), .kind = ControlKind::TextBox, .text = {}});
    return item(Kind::Field, {label, boxAt});
}

FormBuilder& FormBuilder::buttons(std::vector<ButtonDef> row) {
    std::vector<int> made;
    for (auto& b : row)
        made.push_back(
            add({.name = std::move(b.name), .index = b.index, .kind = ControlKind::Button, .text = std::move(b.caption)}));
    return item(Kind::Buttons, std::move(made));
}

FormBuilder& FormBuilder::choice(ButtonDef button, std::string labelName, std::string note) {
    const int b = add({.name = std::move(button.name), .index = button.index, .kind = ControlKind::Button,
                       .text = std::move(button.caption)});
    const int l = add({.name = std::move(labelName), .kind = ControlKind::Label, .text = std::move(note)});
    return item(Kind::Choice, {b, l});
}

FormBuilder& FormBuilder::grid(const std::vector<std::vector<GridCell>>& rows) {
    if (rows.empty()) return *this;
    std::vector<int> cells;
    for (const auto& row : rows) {
        if (row.size() != rows.front().size()) throw std::logic_error("ragged grid in " + def_.name);
        for (const auto& cell : row)
            cells.push_back(
                add({.name = cell.box, .kind = ControlKind::TextBox, .text = cell.initial, .heads = cell.heads}));
    }
    item(Kind::Grid, std::move(cells));
    current().children.back().columns = static_cast<int>(rows.front().size());
    return *this;
}

FormBuilder& FormBuilder::statementGrid(std::vector<ControlDef> cells, int columns, int captionGroup) {
    std::vector<int> made;
    for (auto& c : cells) made.push_back(add(std::move(c)));
    item(Kind::Statement, std::move(made));
    current().children.back().columns = columns;
    current().children.back().captionGroup = captionGroup;
    return *this;
}

FormBuilder& FormBuilder::standardButtons(Handler compute, std::string computeCaption, int computeIndex,
                                          int cancelIndex) {
    buttons({{.name = "Command1", .caption = std::move(computeCaption), .index = computeIndex},
             {.name = "Command2", .caption = "取消", .index = cancelIndex},
             {.name = "Command3", .caption = "退出"}});
    on("Command1", std::move(compute));
    on("Command2", cancel);
    on("Command3", exit);
    return *this;
}

FormBuilder& FormBuilder::gap() { return item(Kind::Gap, {}); }
FormBuilder& FormBuilder::blankRow() { return item(Kind::BlankRow, {}); }
FormBuilder& FormBuilder::frameTop() { return item(Kind::FrameTop, {}); }

FormBuilder& FormBuilder::beginColumns() {
    LayoutNode& parent = current();
    if (parent.kind != Kind::Stack) throw std::logic_error("columns inside a frame in " + def_.name);
    parent.children.push_back(node(Kind::Columns));
    path_.push_back(parent.children.size() - 1);
    current().children.push_back(node(Kind::Stack));
    path_.push_back(0);
    return *this;
}

FormBuilder& FormBuilder::nextColumn() {
    if (path_.size() < 2) throw std::logic_error("nextColumn outside columns in " + def_.name);
    path_.pop_back();
    LayoutNode& columns = current();
    if (columns.kind != Kind::Columns) throw std::logic_error("nextColumn inside a frame in " + def_.name);
    columns.children.push_back(node(Kind::Stack));
    path_.push_back(columns.children.size() - 1);
    return *this;
}

FormBuilder& FormBuilder::endColumns() {
    if (path_.size() < 2) throw std::logic_error("endColumns outside columns in " + def_.name);
    path_.pop_back();
    if (current().kind != Kind::Columns) throw std::logic_error("endColumns inside a frame in " + def_.name);
    path_.pop_back();
    return *this;
}

FormBuilder& FormBuilder::lowerLeft() {
    if (!path_.empty()) throw std::logic_error("lowerLeft inside columns or a frame in " + def_.name);
    root_ = &def_.lowerLeft;
    return *this;
}

FormBuilder& FormBuilder::beginFrame(std::string name, std::string caption) {
    const int frame = add({.name = std::move(name), .kind = ControlKind::Frame, .text = std::move(caption)});
    LayoutNode& parent = current();
    parent.children.push_back(node(Kind::Frame, {frame}));
    path_.push_back(parent.children.size() - 1);
    return *this;
}

FormBuilder& FormBuilder::endFrame() {
    if (path_.empty() || current().kind != Kind::Frame) throw std::logic_error("endFrame without beginFrame");
    path_.pop_back();
    return *this;
}

FormBuilder& FormBuilder::on(const std::string& control, Handler h) {
    def_.handlers[control] = std::move(h);
    return *this;
}

FormBuilder& FormBuilder::closeControl(std::string control) {
    def_.closeControl = std::move(control);
    return *this;
}

FormBuilder& FormBuilder::enterPresses(std::string button) {
    def_.enterPresses = std::move(button);
    return *this;
}

FormBuilder& FormBuilder::menu(std::vector<MenuNode> menus) {
    def_.menu = std::move(menus);
    return *this;
}

FormBuilder& FormBuilder::completion(const std::string& box, CompletionSource source) {
    def_.completions[box] = std::move(source);
    return *this;
}

FormBuilder& FormBuilder::printsNothing() {
    def_.prints = false;
    return *this;
}

FormBuilder& FormBuilder::bandChars(int wideChars) {
    def_.bandChars = wideChars;
    return *this;
}

FormBuilder& FormBuilder::bandLines(int rows) {
    def_.bandLines = rows;
    return *this;
}

FormBuilder& FormBuilder::tabOrder(std::vector<std::string> names) {
    tabFirst_ = std::move(names);
    return *this;
}

namespace {

// The controls of a layout tree in the order it shows them: down each
// column, columns left to right.
void collect(const LayoutNode& n, std::vector<int>& order) {
    for (int c : n.controls)
        if (c >= 0) order.push_back(c);
    for (const auto& child : n.children) collect(child, order);
}

void renumber(LayoutNode& n, const std::vector<int>& newIndex) {
    for (int& c : n.controls)
        if (c >= 0) c = newIndex[c];
    for (auto& child : n.children) renumber(child, newIndex);
}

}  // namespace

WindowDef FormBuilder::build() {
    if (!path_.empty()) throw std::logic_error("unclosed frame or columns in " + def_.name);
    // The tab order follows the screen: the controls right of the band, then
    // the lower-left group, unless the window names its own first controls.
    std::vector<int> order;
    for (const auto& name : tabFirst_) {
        const auto it = std::find_if(def_.controls.begin(), def_.controls.end(),
                                     [&](const ControlDef& c) { return c.name == name; });
        if (it == def_.controls.end()) throw std::logic_error("tab order names no control: " + name);
        order.push_back(static_cast<int>(it - def_.controls.begin()));
    }
    std::vector<int> shown;
    collect(def_.area, shown);
    collect(def_.lowerLeft, shown);
    if (shown.size() != def_.controls.size()) throw std::logic_error("a control stands nowhere in " + def_.name);
    for (int c : shown)
        if (std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);

    std::vector<int> newIndex(order.size());
    std::vector<ControlDef> controls;
    for (std::size_t i = 0; i < order.size(); ++i) {
        newIndex[order[i]] = static_cast<int>(i);
        controls.push_back(std::move(def_.controls[order[i]]));
    }
    def_.controls = std::move(controls);
    renumber(def_.area, newIndex);
    renumber(def_.lowerLeft, newIndex);
    return std::move(def_);
}

void FormBuilder::cancel(Window& w) { w.clear(); }

void FormBuilder::exit(Window& w) {
    w.hide();
    w.open(App::kMainWindow);
}

}  // namespace kelmora
