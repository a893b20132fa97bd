// Kelmora — the main window's keyword table and menu tree.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/window_def.h"

namespace kelmora {

class App;

enum class KeywordAction { OpenWindow, FormulaLine, Explanation };

struct KeywordRow {
    const char* keyword;
    KeywordAction action;
    const char* argument;  // the form to open, the formula line or the explanation
};

// All 280 rows, in order.  Keywords repeat; every matching row acts.
const std::vector<KeywordRow>& keywordTable();

// Each keyword once, in table order (for the completion list).
std::vector<std::string> distinctKeywords();

// The items the main window's completion list offers for the text typed into
// its box, each keyword once:
//   first, in table order, every keyword that contains the text as it stands
//   (as the list always has) or whose pinyin begins with it;
//   then, in table order, every other keyword whose pinyin contains it.
// "Pinyin" is either the full pinyin or the initials, toneless, any reading
// of a character with several; the typed text is compared without case and
// without spaces.  Letters in a keyword ("L/C收款") stand for themselves, other
// signs ("-", "（", "）", "/") are passed over.  An empty text offers nothing.
// The index of the keywords is built on first use.
std::vector<std::string> completeKeyword(std::string_view typed);

// Runs the text through the whole table: every row whose keyword equals the
// text exactly performs its action, in row order.
void lookUpKeyword(App& app, const std::string& text);

enum class MenuAction { Submenu, Open, Nothing, Message };

struct MenuItem {
    std::string caption;
    MenuAction action = MenuAction::Submenu;
    std::string argument;  // the form to open, or the message text
    std::vector<MenuItem> children;
};

// The twelve top-level menus of the main window, in display order.
const std::vector<MenuItem>& menuTree();

// The item at a caption path, or nullptr.
const MenuItem* findMenuItem(const std::vector<std::string>& path);

// What choosing an item does (an item that carries a submenu does nothing).
void chooseMenuItem(App& app, const MenuItem& item);

// The menu tree as the main window's description carries it: submenus with
// their children, and every other item with an action that chooses it.
std::vector<MenuNode> menuNodes();

}  // namespace kelmora
