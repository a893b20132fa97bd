// The answer sheet's account box: accounts found by their Chinese text, full
// pinyin and initials, ordered as the keyword box orders keywords.  Expected
// lists worked out by hand from the accounts and the ordering rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "practice/account_completion.h"
#include "practice/exercise.h"
#include "shell/pinyin.h"

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


// Every account the windows print, found by its initials and by its full
// pinyin: an account the pinyin table lacks a character of would not be.
namespace every {
using kelmora::pinyinOf;
using kelmora::practice::accountNames;
std::vector<char32_t> codePoints(std::string_view s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const int len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = len == 1 ? lead : lead & (0x7F >> len);
        for (int k = 1; k < len; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(c);
        i += len;
    }
    return out;
}

bool offers(std::string_view typed, const std::string& account) {
    const auto list = kelmora::practice::completeAccount(typed);
    return std::find(list.begin(), list.end(), account) != list.end();
}

// An account the pinyin table lacks a character of would not be found here.
TEST(AccountCompletion, EveryAccountIsFoundByItsInitialsAndItsFullPinyin) {
    ASSERT_FALSE(accountNames().empty());
    for (const std::string& a : accountNames()) {
        std::string initials, full;
        for (char32_t c : codePoints(a)) {
            if (c < 0x80) {
                if (std::isalnum(static_cast<int>(c))) {
                    initials += static_cast<char>(std::tolower(static_cast<int>(c)));
                    full += static_cast<char>(std::tolower(static_cast<int>(c)));
                }
                continue;
            }
            const auto readings = pinyinOf(c);
            if (readings.empty()) continue;  // a sign: "（", "－", "—"
            initials += readings.front().front();
            full += readings.front();
        }
        EXPECT_TRUE(offers(initials, a)) << a << " for " << initials;
        EXPECT_TRUE(offers(full, a)) << a << " for " << full;
        EXPECT_TRUE(offers(a, a)) << a;
    }
}

}  // namespace every

}  // namespace
