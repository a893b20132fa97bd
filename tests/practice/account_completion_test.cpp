// The answer sheet's account box: every account the windows print found by
// its initials and by its full pinyin, and the ranking of the list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "practice/exercise.h"
#include "shell/pinyin.h"

namespace kelmora::practice {
namespace {

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
    const auto list = completeAccount(typed);
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

TEST(AccountCompletion, RanksAndSpellings) {
    const std::string bank = "银行存款", vat = "应交税金-应交增值税（进）", funds = "其他货币资金";
    // Initials, full pinyin cut short, zh/ch/sh, a mix with Chinese, full-width
    // letters, spaces and capitals: the account itself comes first (the
    // shortest account the text spells from its start).
    for (const char* typed : {"yhck", "yinhangc", "yh ck", "YHCK", "\xEF\xBD\x99\xEF\xBD\x88\xEF\xBD\x83\xEF\xBD\x8B",
                              "银行ck", "yh存款"}) {
        const auto list = completeAccount(typed);
        ASSERT_FALSE(list.empty()) << typed;
        EXPECT_EQ(list.front(), bank) << typed;
    }
    // sh, the two letters of a reading's initial, and a Chinese start.
    EXPECT_TRUE(offers("应交shj", vat));
    // Text within an account: after those it begins.
    const auto inside = completeAccount("增值税");
    EXPECT_NE(std::find(inside.begin(), inside.end(), vat), inside.end());
    // Letters that spell an account only from a later character on do not
    // start the list with it.
    EXPECT_FALSE(offers("ck", funds));
    // Nothing for an empty text or for letters no account spells.
    EXPECT_TRUE(completeAccount("").empty());
    EXPECT_TRUE(completeAccount("qqqqxx").empty());
}

}  // namespace
}  // namespace kelmora::practice
