// The output surface: rows, print position, clearing, erasing, and the rows
// copied as a table.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/num.h"
#include "core/surface.h"

using namespace kelmora;

namespace {

using Rows = std::vector<std::string>;

TEST(Surface, AppendsContinuesAndClears) {
    Surface s;
    s.writeLine("a", Surface::Keep::Text);
    s.writeLine("", Surface::Keep::Text);
    s.write("b", Surface::Keep::Text);
    EXPECT_EQ(s.rows(), (Rows{"a", "", "b"}));  // the continued row counts
    s.writeLine("c", Surface::Keep::Text);
    s.writeLine("d", Surface::Keep::Text);
    EXPECT_EQ(s.rows(), (Rows{"a", "", "bc", "d"}));
    s.clear();
    EXPECT_TRUE(s.rows().empty());
    s.writeLine("e", Surface::Keep::Text);
    EXPECT_EQ(s.rows(), (Rows{"e"}));
}

TEST(Surface, ErasedRowsKeepThePosition) {
    Surface s;
    s.writeLine("a", Surface::Keep::Text);
    s.writeLine("b", Surface::Keep::Text);
    s.eraseRows();
    EXPECT_EQ(s.rows(), (Rows{"", ""}));
    s.writeLine("lost", Surface::Keep::PositionOnly);  // printed while hidden
    s.writeLine("c", Surface::Keep::Text);
    EXPECT_EQ(s.rows(), (Rows{"", "", "", "c"}));
}

TEST(JournalTable, SidesGoToTheirColumnsAndRowsKeepFourColumns) {
    Surface s;
    const auto amount = [&](std::string_view label, double x) { s.writeAmount(label, numberText(x), Surface::Keep::Text); };
    s.writeLine("外埠采购", Surface::Keep::Text);
    amount("材料费用（借）", 100);
    amount("其他货币资金（贷）", 117);
    amount("利息", -5);
    amount("差额", 0.125);
    s.writeAmount("未定（借）", "", Surface::Keep::Text);  // unset: the label alone
    s.write("接", Surface::Keep::Text);
    amount("着（贷）", 2);
    s.writeLine("", Surface::Keep::Text);
    EXPECT_EQ(journalTable(s), (Rows{"科目\t借方\t贷方\t金额", "外埠采购\t\t\t", "材料费用\t100\t\t",
                                     "其他货币资金\t\t117\t", "利息\t\t\t-5", "差额\t\t\t0.125",
                                     "未定\t\t\t", "接着\t\t2\t", ""}));
    // Rows erased by hiding are blank lines.
    s.eraseRows();
    EXPECT_EQ(journalTable(s), (Rows{"科目\t借方\t贷方\t金额", "", "", "", "", "", "", "", ""}));
}

}  // namespace
