// The main window's tables: shape of the keyword table and the menu tree, the
// pinyin of the keywords and the completion list.
#include <gtest/gtest.h>

#include <map>
#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/window_names.h"
#include "shell/keyword_table.h"
#include "shell/pinyin.h"
#include "null_port.h"

using namespace kelmora;

namespace {

TEST(KeywordTable, RowsAreInTheirThreeBands) {
    const auto& rows = keywordTable();
    ASSERT_EQ(rows.size(), 280u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const KeywordAction expected = row <= 184   ? KeywordAction::OpenWindow
                                       : row <= 232 ? KeywordAction::FormulaLine
                                                    : KeywordAction::Explanation;
        EXPECT_EQ(rows[i].action, expected) << "row " << row;
        if (expected == KeywordAction::OpenWindow) {
            const int n = formNumber(rows[i].argument);
            EXPECT_TRUE(n >= 2 && n <= 150) << "row " << row << " opens " << rows[i].argument;
        }
    }
}

TEST(KeywordTable, ThirtySixKeywordsRepeat) {
    std::map<std::string, int> count;
    for (const auto& r : keywordTable()) ++count[r.keyword];
    int repeated = 0;
    for (const auto& [k, n] : count)
        if (n > 1) ++repeated;
    EXPECT_EQ(repeated, 36);
    EXPECT_EQ(count["盈余公积"], 3);
    EXPECT_EQ(distinctKeywords().size(), count.size());
}

void collect(const std::vector<MenuItem>& items, std::set<std::string>& targets, int& leaves) {
    for (const auto& i : items) {
        if (i.action == MenuAction::Submenu) {
            EXPECT_FALSE(i.children.empty()) << i.caption;
            collect(i.children, targets, leaves);
        } else {
            EXPECT_TRUE(i.children.empty()) << i.caption;
            ++leaves;
            if (i.action == MenuAction::Open) targets.insert(i.argument);
        }
    }
}

TEST(MenuTree, TwelveMenusAndEveryWindowReachable) {
    const auto& tree = menuTree();
    ASSERT_EQ(tree.size(), 12u);
    EXPECT_EQ(tree.front().caption, "货币/支出");
    EXPECT_EQ(tree.back().caption, "科目");
    EXPECT_EQ(tree.back().action, MenuAction::Message);

    std::set<std::string> targets;
    int leaves = 0;
    collect(tree, targets, leaves);
    // Every window but the main one has a keyword or a menu item.
    for (const auto& r : keywordTable())
        if (r.action == KeywordAction::OpenWindow) targets.insert(r.argument);
    EXPECT_EQ(targets.size(), 149u);

    const MenuItem* dead = findMenuItem({"外贸", "外汇", "信用证外汇"});
    ASSERT_NE(dead, nullptr);
    EXPECT_EQ(dead->action, MenuAction::Nothing);
    EXPECT_EQ(findMenuItem({"外贸", "进口", "购买专利", "转让专利"})->argument, "Form118");
    EXPECT_EQ(findMenuItem({"外贸", "外汇", "不存在"}), nullptr);
}


// The main window's menu bar is the menu tree: same captions in the same
// places, an action on every item that carries no submenu and on no other.
void expectSameTree(const std::vector<MenuNode>& nodes, const std::vector<MenuItem>& items) {
    ASSERT_EQ(nodes.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(items[i].caption);
        EXPECT_EQ(nodes[i].caption, items[i].caption);
        EXPECT_EQ(static_cast<bool>(nodes[i].action), items[i].action != MenuAction::Submenu);
        expectSameTree(nodes[i].children, items[i].children);
    }
}

struct QuietPort : kelmora::testing::NullPort {
    std::vector<std::string> events;
    void shown(Window& w) override { events.push_back("show " + w.name()); }
    void hidden(const Window& w) override { events.push_back("hide " + w.name()); }
    void messageBox(const Window&, const std::string& text) override { events.push_back("msgbox " + text); }
};

TEST(MenuTree, MainWindowCarriesItWithOneActionPerItem) {
    QuietPort port;
    App app(port);
    Window& main = *app.window("Form1");
    expectSameTree(main.def().menu, menuTree());

    // 科目 is a menu of its own with an action; 票据 › 票据贴现 opens Form6 alone.
    const auto& menu = main.def().menu;
    menu.back().action(main);
    menu[1].children[2].action(main);
    EXPECT_EQ(port.events, (std::vector<std::string>{"msgbox 请在栏目中输入会计科目", "hide Form1", "show Form6"}));
}

// A window goes by the words that lead to it, then its title.
TEST(WindowNames, KeywordsThatOpenTheWindowThenItsCaption) {
    QuietPort port;
    App app(port);
    const struct {
        const char* form;
        const char* name;
        const char* stem;
    } cases[] = {
        {"Form4", "外埠采购 · 申请汇票 · 申请本票（Form4）", "外埠采购"},
        {"Form13", "管理费用 · 办公柜 · 文具（Form13）", "管理费用"},        // four keywords: the first three
        {"Form140", "营业外收入 · 本年利润 · 净利润（Form140）", "营业外收入"},
        {"Form65", "票据贴现 · 票据存取贴现 · 逾期贷款（Form65）", "票据贴现"},  // 票据贴现 opens Form6 too
        {"Form6", "票据贴现（Form6）", "票据贴现"},
        {"Form85", "商品补价-外贸（Form55）", "商品补价-外贸"},  // its title is "Form55"
        {"Form93", "L/C收款（Form93）", "L／C收款"},            // no folder in a file name
        {"Form1", "Form1", "Form1"},                           // nothing leads to the main window
    };
    for (const auto& c : cases) {
        const WindowDef& def = app.window(c.form)->def();
        EXPECT_EQ(displayName(def), c.name) << c.form;
        EXPECT_EQ(fileStem(def), c.stem) << c.form;
    }
}

// Keywords that open the window, each once, before anything else; menu
// items only for a window no keyword opens.
TEST(WindowNames, MenuItemsWhereNoKeywordOpensTheWindow) {
    const std::vector<KeywordRow> rows = {
        {"乙", KeywordAction::OpenWindow, "Form8"},  {"甲", KeywordAction::FormulaLine, "Form7"},
        {"乙", KeywordAction::OpenWindow, "Form8"},  {"丙", KeywordAction::OpenWindow, "Form8"},
        {"丁", KeywordAction::Explanation, "Form7"},
    };
    std::vector<MenuItem> menu(2);
    menu[0].caption = "一";
    menu[0].children = {{"二", MenuAction::Open, "Form7", {}}, {"三", MenuAction::Open, "Form8", {}}};
    menu[1] = {"四", MenuAction::Open, "Form7", {}};
    EXPECT_EQ(wordsLeadingTo("Form8", rows, menu), (std::vector<std::string>{"乙", "丙"}));
    EXPECT_EQ(wordsLeadingTo("Form7", rows, menu), (std::vector<std::string>{"二", "四"}));
    EXPECT_TRUE(wordsLeadingTo("Form9", rows, menu).empty());
}

// The code points of a keyword (UTF-8 of at most three bytes a character).
std::vector<char32_t> codePoints(const std::string& s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[k])); };
        if (b(i) < 0x80) {
            out.push_back(b(i));
            i += 1;
        } else {
            out.push_back(((b(i) & 0x0F) << 12) | ((b(i + 1) & 0x3F) << 6) | (b(i + 2) & 0x3F));
            i += 3;
        }
    }
    return out;
}

bool isHan(char32_t c) { return c >= 0x4E00 && c <= 0x9FFF; }

TEST(Pinyin, CharactersWithSeveralReadingsHaveThemAll) {
    const std::vector<std::pair<char32_t, std::vector<std::string_view>>> cases = {
        {U'行', {"xing", "hang"}}, {U'长', {"zhang", "chang"}}, {U'率', {"lv", "lu", "shuai"}},
        {U'期', {"qi", "ji"}},     {U'调', {"diao", "tiao"}},  {U'银', {"yin"}},
    };
    for (const auto& [c, expected] : cases) {
        const auto got = pinyinOf(c);
        for (auto r : expected) EXPECT_NE(std::find(got.begin(), got.end(), r), got.end()) << r;
    }
    EXPECT_TRUE(pinyinOf(U'（').empty());
    EXPECT_TRUE(std::is_sorted(kPinyinReadings, kPinyinReadings + kPinyinReadingCount,
                               [](const PinyinReading& a, const PinyinReading& b) { return a.codePoint < b.codePoint; }));
}

// A keyword added to the table without running scripts/gen_pinyin.py again
// would lack readings here.
TEST(Pinyin, EveryKeywordIsFoundByItsUsualInitialsAndFullPinyin) {
    for (const auto& k : distinctKeywords()) {
        std::string initials, full;
        for (char32_t c : codePoints(k)) {
            if (c < 0x80) {
                if (std::isalnum(static_cast<int>(c))) {
                    const char letter = static_cast<char>(std::tolower(static_cast<int>(c)));
                    initials += letter;
                    full += letter;
                }
                continue;
            }
            if (!isHan(c)) continue;
            const auto readings = pinyinOf(c);
            ASSERT_FALSE(readings.empty()) << k << " has a character without pinyin";
            initials += readings.front().front();
            full += readings.front();
        }
        for (const auto& typed : {initials, full}) {
            const auto offered = completeKeyword(typed);
            EXPECT_NE(std::find(offered.begin(), offered.end(), k), offered.end()) << k << " for " << typed;
        }
    }
}

TEST(Completion, TypedTextBeyondLettersAndSpaces) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"shouyil\u00fc", {"债券实际收益率"}},            // ü typed as such
        {"WB\u3000CG", {"外埠采购"}},                     // an ideographic space
        {"\uff57\uff42\uff43\uff47", {"外埠采购"}},         // full-width letters
        {"外bcg", {"外埠采购"}},                           // Chinese, then initials
        {"wb采购", {"外埠采购"}},                          // initials, then Chinese
        {"外x", {}},                                       // no reading of 埠 begins with x
        {"\xff\xfe", {}},                                 // not UTF-8
        {"wbcg-", {}},                                    // a sign the keyword passes over
    };
    for (const auto& [typed, expected] : cases) EXPECT_EQ(completeKeyword(typed), expected) << typed;
}

TEST(Completion, ChineseTextOffersEveryKeywordThatContainsIt) {
    // Written out by hand: the keywords holding the text, shorter before
    // longer, then in table order.
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"（",
         {"所得税（借）", "所得税（贷）", "本年利润（贷）", "本年利润（借）", "资产负债表（简）", "购买原材料（完整）",
          "购买固定资产（安装）", "购买固定资产（不安装）"}},
        {"L/C", {"L/C收款"}},
        {"存货盘", {"存货盘盈", "存货盘亏"}},
        {"存货", {"存货", "存货盘盈", "存货盘亏"}},  // the keyword itself first
    };
    for (const auto& [typed, expected] : cases) EXPECT_EQ(completeKeyword(typed), expected) << typed;
}

// The keyword a person means comes first when the text spells it whole,
// however long the list: "ch" finds some eighty keywords.
TEST(Completion, TheKeywordSpeltWholeComesFirst) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ch", "存货"},          {"cunhuo", "存货"},         {"gdzc", "固定资产"}, {"gudingzichan", "固定资产"},
        {"yygj", "盈余公积"},    {"ycl", "原材料"},          {"yhck", "银行存款"}, {"gdzichan", "固定资产"},
        {"yhcunkuan", "银行存款"}, {"应收zk", "应收账款"},   {"ZQSJSYL", "债券实际收益率"},
    };
    for (const auto& [typed, first] : cases) {
        const auto offered = completeKeyword(typed);
        ASSERT_FALSE(offered.empty()) << typed;
        EXPECT_EQ(offered.front(), first) << typed;
    }
    EXPECT_GT(completeKeyword("ch").size(), 80u);
}

// Texts longer than any keyword's spelling find nothing (and the walk over
// the spellings stays bounded however long the text).
TEST(Completion, TextsLongerThanAnySpellingFindNothing) {
    EXPECT_TRUE(completeKeyword(std::string(5000, 'a')).empty());
    EXPECT_TRUE(completeKeyword(std::string(40, 'z')).empty());
    std::string many;
    for (int i = 0; i < 200; ++i) many += "固定";
    EXPECT_TRUE(completeKeyword(many).empty());
}

}  // namespace
