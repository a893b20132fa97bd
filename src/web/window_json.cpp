#include "web/window_json.h"

#include <cstdlib>

#include "core/window_names.h"
#include "web/json.h"

namespace kelmora {

namespace {

const char* kindName(ControlKind k) {
    switch (k) {
    case ControlKind::Label: return "label";
    case ControlKind::Heading: return "heading";
    case ControlKind::TextBox: return "box";
    case ControlKind::Button: return "button";
    case ControlKind::Frame: return "frame";
    }
    return "label";
}

const char* nodeName(LayoutNode::Kind k) {
    using K = LayoutNode::Kind;
    switch (k) {
    case K::Stack: return "stack";
    case K::Columns: return "columns";
    case K::Frame: return "frame";
    case K::Heading: return "heading";
    case K::Title: return "title";
    case K::Line: return "line";
    case K::Field: return "field";
    case K::Buttons: return "buttons";
    case K::Choice: return "choice";
    case K::Grid: return "grid";
    case K::Statement: return "statement";
    case K::Gap: return "gap";
    case K::BlankRow: return "blank";
    case K::FrameTop: return "frametop";
    }
    return "stack";
}

void appendNode(std::string& out, const LayoutNode& n) {
    out += "{\"kind\":\"";
    out += nodeName(n.kind);
    out += "\",\"controls\":[";
    for (std::size_t i = 0; i < n.controls.size(); ++i) {
        if (i) out += ',';
        out += std::to_string(n.controls[i]);
    }
    out += ']';
    if (n.columns) out += ",\"columns\":" + std::to_string(n.columns);
    if (!n.children.empty()) {
        out += ",\"children\":[";
        for (std::size_t i = 0; i < n.children.size(); ++i) {
            if (i) out += ',';
            appendNode(out, n.children[i]);
        }
        out += ']';
    }
    out += '}';
}

void appendMenu(std::string& out, const std::vector<MenuNode>& items) {
    out += '[';
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += ',';
        out += "{\"caption\":";
        json::quote(out, items[i].caption);
        if (!items[i].children.empty()) {
            out += ",\"children\":";
            appendMenu(out, items[i].children);
        }
        out += '}';
    }
    out += ']';
}

}  // namespace

void appendRowJson(std::string& out, const Surface& s, std::size_t row) {
    const std::string_view text = s.row(row);
    const std::size_t at = s.amountAt(row);
    if (at == std::string_view::npos || at > text.size()) {
        json::quote(out, text);
        return;
    }
    out += '[';
    json::quote(out, text.substr(0, at));
    out += ',';
    json::quote(out, text.substr(at));
    out += ']';
}

std::string windowJson(const Window& w) {
    const WindowDef& def = w.def();
    std::string out = "{\"name\":";
    json::quote(out, def.name);
    out += ",\"caption\":";
    json::quote(out, def.caption);
    // The name the page's tab goes by: the first of the words that lead to
    // the window, as in its file names; the caption when none does.
    const std::vector<std::string> words = windowWords(def.name);
    out += ",\"shortName\":";
    json::quote(out, words.empty() ? def.caption : words.front());
    out += ",\"visible\":";
    out += w.visible() ? "true" : "false";
    out += ",\"prints\":";
    out += def.prints ? "true" : "false";
    out += ",\"bandChars\":" + std::to_string(def.bandChars);
    out += ",\"bandLines\":" + std::to_string(def.bandLines);
    out += ",\"enter\":";
    json::quote(out, def.enterPresses);
    out += ",\"close\":";
    json::quote(out, def.closeControl);
    out += ",\"controls\":[";
    for (std::size_t i = 0; i < def.controls.size(); ++i) {
        const ControlDef& c = def.controls[i];
        if (i) out += ',';
        out += "{\"name\":";
        json::quote(out, c.name);
        if (c.index >= 0) out += ",\"index\":" + std::to_string(c.index);
        out += ",\"kind\":\"";
        out += kindName(c.kind);
        out += "\",\"text\":";
        // A box shows what it holds now; everything else its caption.
        json::quote(out, c.kind == ControlKind::TextBox ? w.textOf(c.name) : c.text);
        if (def.handlers.count(c.name)) out += ",\"click\":true";
        if (def.completions.count(c.name)) out += ",\"complete\":true";
        out += '}';
    }
    out += "],\"area\":";
    appendNode(out, def.area);
    out += ",\"lowerLeft\":";
    appendNode(out, def.lowerLeft);
    out += ",\"menu\":";
    appendMenu(out, def.menu);
    out += ",\"rows\":[";
    const Surface& s = w.surface();
    for (std::size_t i = 0; i < s.rowCount(); ++i) {
        if (i) out += ',';
        appendRowJson(out, s, i);
    }
    out += "]}";
    return out;
}

const MenuNode* menuAt(const WindowDef& def, const std::string& path) {
    const std::vector<MenuNode>* level = &def.menu;
    const MenuNode* node = nullptr;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        char* end = nullptr;
        const long i = std::strtol(part.c_str(), &end, 10);
        if (part.empty() || *end != '\0' || i < 0 || static_cast<std::size_t>(i) >= level->size()) return nullptr;
        node = &(*level)[static_cast<std::size_t>(i)];
        level = &node->children;
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return node;
}

}  // namespace kelmora
