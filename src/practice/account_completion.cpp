#include "practice/account_completion.h"

#include <algorithm>

#include "practice/exercise.h"
#include "shell/keyword_table.h"

namespace kelmora::practice {

namespace {

// The signs an account's spelling passes over: a learner who types them
// between the initials ("qthbzj-yhhp") still means the account.
std::string withoutSigns(std::string_view typed) {
    static constexpr std::string_view kSigns[] = {"-", "\xEF\xBC\x8D" /* － */, "\xE2\x80\x94" /* — */, "(", ")",
                                                  "\xEF\xBC\x88" /* （ */, "\xEF\xBC\x89" /* ） */, "/"};
    std::string out;
    for (std::size_t i = 0; i < typed.size();) {
        bool sign = false;
        for (std::string_view s : kSigns)
            if (typed.substr(i, s.size()) == s) {
                i += s.size();
                sign = true;
                break;
            }
        if (!sign) out += typed[i++];
    }
    return out;
}

}  // namespace

std::vector<std::string> completeAccount(std::string_view typed) {
    // Spelt when first asked for: a session that never practises never pays.
    static const SpelledWords accounts(accountNames());
    std::vector<std::string> found = accounts.complete(typed);
    const std::string plain = withoutSigns(typed);
    if (plain.size() == typed.size() || plain.empty()) return found;
    // The text as typed first (it may hold the sign as the account does),
    // then what its letters spell.
    for (std::string& a : accounts.complete(plain))
        if (std::find(found.begin(), found.end(), a) == found.end()) found.push_back(std::move(a));
    return found;
}

}  // namespace kelmora::practice
