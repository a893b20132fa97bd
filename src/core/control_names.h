// Kelmora — what a person reads as the name of a control: a button's
// caption, the label a box stands beside, a grid cell's row caption and
// column heading.  Screen readers get these names, and the window's first
// focus goes to the first box a person types into.
#pragma once

#include <string>

#include "core/window_def.h"

namespace kelmora {

// The name of control `index` of the description (an index into
// WindowDef::controls).
std::string controlName(const WindowDef& def, int index);

// Whether a text box holds a caption (an item's name or a column heading, as
// its initial text) rather than a figure.
bool isCaptionBox(const ControlDef& c);

// The first text box in tab order that is not a caption box; -1 when there
// is none.
int firstTypingBox(const WindowDef& def);

}  // namespace kelmora
