// Kelmora — the names a person knows a window by.
//
// A window's caption is its form's name ("Form4"), which nobody chose to
// read.  Messages, printed headings and file names name it instead by the
// words that lead to it — the main window's keywords or menu items —
// followed by its caption: "外埠采购 · 申请汇票 · 申请本票（Form4）".  The
// words live with the main window's tables (src/shell), which hand them in
// here as the program starts; the model alone knows none and names a window
// by its caption.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/window_def.h"

namespace kelmora {

// The words that lead to a form, most telling first, at most three.
using WindowWords = std::function<std::vector<std::string>(const std::string& form)>;

// Sets where the words come from (once, as the program starts); returns the
// source it replaces.
WindowWords setWindowWords(WindowWords source);

// The words that lead to the window, from that source: at most three.
std::vector<std::string> windowWords(const std::string& form);

// The name a window goes by in messages and printed headings: its words,
// separated by " · ", then its caption in full-width parentheses; the
// caption alone for a window no word leads to.
std::string displayName(const WindowDef& def);

// The window's name as the stem of a file name: its first word (the caption
// when it has none), with the characters a file name cannot hold ("/",
// "\\", ":", "*", "?", "\"", "<", ">", "|" and control characters) put in
// their full-width forms, so that the name still reads the same.
std::string fileStem(const WindowDef& def);

}  // namespace kelmora
