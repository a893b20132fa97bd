// Kelmora — a window's description and state as JSON, for the web page.
//
// The page builds any window from this: its caption, the name its tab
// goes by, its controls (name,
// kind, caption or text, whether a click reaches a handler), the tree of how
// they stand (columns, frames, headings, labelled boxes, button rows, grids,
// statement grids), the menu bar's captions, the boxes with a completion
// list, the box texts and the printed rows as they are now.
#pragma once

#include <string>
#include <vector>

#include "core/surface.h"
#include "core/window.h"

namespace kelmora {

std::string windowJson(const Window& w);

// One printed row: a text row as a JSON string, an amount line as
// [label, amount] (the amount's number text, empty for an unset quantity).
void appendRowJson(std::string& out, const Surface& s, std::size_t row);

// The menu node at a path of indices ("2/0/5") below a window's menu bar;
// nullptr when there is none.
const MenuNode* menuAt(const WindowDef& def, const std::string& path);

}  // namespace kelmora
