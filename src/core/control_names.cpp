#include "core/control_names.h"

#include <vector>

namespace kelmora {

using Kind = LayoutNode::Kind;

bool isCaptionBox(const ControlDef& c) {
    if (c.kind != ControlKind::TextBox || c.text.empty()) return false;
    const char first = c.text.front();
    return !((first >= '0' && first <= '9') || first == '-' || first == '+' || first == '.');
}

namespace {

std::string joined(const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + " " + b;
}

// Finds the node holding control `index` and its position there.
const LayoutNode* holder(const LayoutNode& n, int index, std::size_t& at) {
    for (std::size_t i = 0; i < n.controls.size(); ++i)
        if (n.controls[i] == index && n.kind != Kind::Frame && n.kind != Kind::Stack && n.kind != Kind::Columns) {
            at = i;
            return &n;
        }
    for (const auto& c : n.children)
        if (const LayoutNode* h = holder(c, index, at)) return h;
    return nullptr;
}

// The text of the heading or line that stands last before `target` in its
// stack (for a box without a label of its own).
bool headingBefore(const WindowDef& def, const LayoutNode& stack, const LayoutNode* target, std::string& last) {
    for (const auto& c : stack.children) {
        if (&c == target) return true;
        if ((c.kind == Kind::Heading || c.kind == Kind::Title || c.kind == Kind::Line) && !c.controls.empty())
            last = def.controls[c.controls[0]].text;
        if (!c.children.empty() && headingBefore(def, c, target, last)) return true;
    }
    return false;
}

}  // namespace

std::string controlName(const WindowDef& def, int index) {
    if (index < 0 || index >= static_cast<int>(def.controls.size())) return {};
    const ControlDef& c = def.controls[index];
    if (c.kind != ControlKind::TextBox) return c.text;
    // The label the window's description gives the box, as scripts see it
    // (the runner's controls action); what follows names the boxes that
    // have none.
    if (std::string label = boxLabel(def, c.name); !label.empty()) return label;
    std::size_t at = 0;
    const LayoutNode* n = holder(def.area, index, at);
    const LayoutNode* root = &def.area;
    if (!n) {
        n = holder(def.lowerLeft, index, at);
        root = &def.lowerLeft;
    }
    if (!n) return c.text;
    const auto text = [&](std::size_t i) -> const std::string& { return def.controls[n->controls[i]].text; };
    switch (n->kind) {
    case Kind::Field: {
        if (n->controls[0] >= 0) return def.controls[n->controls[0]].text;
        std::string last;
        headingBefore(def, *root, n, last);
        return last;
    }
    case Kind::Statement: {
        // Rows of a caption box and number boxes; the first row heads the
        // columns.
        const std::size_t width = static_cast<std::size_t>(n->columns) + 1;
        const std::size_t row = at / width, col = at % width;
        if (row > 0 && col == 0 && c.text.empty()) return text(0);  // a row without a caption: the column's heading
        if (row == 0 || col == 0) return c.text;
        return joined(text(row * width), text(col));
    }
    case Kind::Grid: {
        const std::size_t width = static_cast<std::size_t>(n->columns);
        const std::size_t row = at / width, col = at % width;
        if (isCaptionBox(c)) return c.text;
        // The caption nearest to the left in the row, and the column's
        // heading.
        std::string left;
        for (std::size_t k = col; k-- > 0;)
            if (isCaptionBox(def.controls[n->controls[row * width + k]])) {
                left = text(row * width + k);
                break;
            }
        if (row == 0 && !c.text.empty()) return joined(text(0), c.text);  // a heading row of figures (years)
        if (row == 0) return left;
        return joined(left, text(col));
    }
    default:
        return c.text;
    }
}

int firstTypingBox(const WindowDef& def) {
    // The first row of a grid that starts with a caption heads its columns,
    // figures (years) included.
    std::vector<bool> heads(def.controls.size(), false);
    const auto walk = [&](auto&& self, const LayoutNode& n) -> void {
        if (n.kind == Kind::Grid && !n.controls.empty() && isCaptionBox(def.controls[n.controls[0]]))
            for (int k = 0; k < n.columns && k < static_cast<int>(n.controls.size()); ++k) heads[n.controls[k]] = true;
        for (const auto& c : n.children) self(self, c);
    };
    walk(walk, def.area);
    walk(walk, def.lowerLeft);
    for (std::size_t i = 0; i < def.controls.size(); ++i) {
        const ControlDef& c = def.controls[i];
        if (c.kind == ControlKind::TextBox && !isCaptionBox(c) && !heads[i]) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace kelmora
