// The answer sheet's account box: accounts found by their Chinese text, full
// pinyin and initials, ordered as the keyword box orders keywords.  Expected
// lists worked out by hand from the accounts and the ordering rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "practice/account_completion.h"
#include "practice/exercise.h"

namespace {

using kelmora::practice::completeAccount;

struct Case {
    const char* typed;
    std::vector<std::string> first;  // the list begins with these, in this order
};

TEST(AccountCompletion, FoundByChineseFullPinyinAndInitials) {
    const Case cases[] = {
        {"clfy", {"材料费用"}},                             // initials, the whole account
        {"yhck", {"银行存款"}},                             // whole before 银行存款-人民币 …
        {"yinhangcunkuan", {"银行存款"}},                   // 行 read hang (also xing)
        {"qthbzj", {"其他货币资金"}},
        {"qthb", {"其他货币资金"}},                         // cut short: shorter accounts first
        {"cwfy", {"财务费用"}},
        // 处 and 溢 are no keyword's characters: the account list brings
        // their readings.  损溢 and 损益 both spelt whole, equally long: in
        // the accounts' order.
        {"dclccsy", {"待处理财产损溢", "待处理财产损益"}},
        {"daichuli", {"待处理财产损溢", "待处理财产损益"}},
        {"待处理", {"待处理财产损溢", "待处理财产损益"}},    // Chinese as it stands
        {"ljzj", {"累计折旧"}},
        {"ＣＬＦＹ", {"材料费用"}},                         // full-width letters, any case
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::vector<std::string> got = completeAccount(c.typed);
        ASSERT_GE(got.size(), c.first.size());
        for (std::size_t i = 0; i < c.first.size(); ++i) EXPECT_EQ(got[i], c.first[i]) << i;
    }
}

TEST(AccountCompletion, OnlyAccountsTheProgramPrints) {
    const auto& all = kelmora::practice::accountNames();
    // Every item offered is an account of the list, each once.
    const std::vector<std::string> got = completeAccount("yj");
    ASSERT_FALSE(got.empty());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NE(std::find(all.begin(), all.end(), got[i]), all.end()) << got[i];
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(got[i], got[j]);
    }
    EXPECT_TRUE(completeAccount("").empty());
    EXPECT_TRUE(completeAccount("zzzzzz").empty());
}

}  // namespace
