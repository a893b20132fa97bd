// Kelmora — the main window's keyword table and menu tree.
#pragma once

#include <memory>
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
// its box, each keyword once.  A keyword is offered when it contains the
// text as it stands, or when the text spells it: each character of the
// keyword typed as itself (Chinese), as one of its pinyin readings whole, or
// by the reading's initial (z, c, s or zh, ch, sh), in any mix, the last one
// possibly cut short ("应收zk", "yhcunkuan", "gdzichan", "yinhangcunk").
// Readings are toneless, ü typed as v, u or ü; case, spaces and full-width
// forms of letters do not count.
// Letters in a keyword ("L/C收款") stand for themselves, other signs ("-",
// "（", "）", "/") are passed over.  The list holds two groups:
//   first, the keywords that contain the text as it stands or that the text
//   spells from their first character on;
//   then, the keywords it spells from a later character on, or from within
//   a syllable ("hangcunkuan", "ingshou").
// Within each group: first the keywords the text matches whole (the keyword
// itself, or every character of it spelt, none cut short), then shorter
// keywords before longer ones (in characters), then table order.  An empty
// text offers nothing.  The index of the keywords is built on first use.
std::vector<std::string> completeKeyword(std::string_view typed);

// The same completion over other words (the accounts of the answer sheet):
// the words spelt once, as they are given, then each text typed looked up as
// completeKeyword looks up keywords (table order is the order given).
class SpelledWords {
public:
    explicit SpelledWords(const std::vector<std::string>& words);
    std::vector<std::string> complete(std::string_view typed) const;

private:
    struct Index;
    std::shared_ptr<const Index> index_;
};

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

// The words that lead to a form, which name it in messages and file names
// (core/window_names.h): the keywords of the rows that open it, in table
// order, each once, at most three; for a form no keyword opens, the captions
// of the menu items that open it, in menu order, each once, at most three.
// The program's own tables stand behind windowWords().
std::vector<std::string> wordsLeadingTo(const std::string& form, const std::vector<KeywordRow>& rows,
                                        const std::vector<MenuItem>& menu);

}  // namespace kelmora
