// The main window's tables: shape of the keyword table and the menu tree.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "core/app.h"
#include "shell/keyword_table.h"

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

}  // namespace
