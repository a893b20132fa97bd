// Kelmora — the main window's keyword table and menu tree.
#pragma once

#include <string>
#include <vector>

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

}  // namespace kelmora
