#include "practice/account_completion.h"

#include "practice/exercise.h"
#include "shell/keyword_table.h"

namespace kelmora::practice {

std::vector<std::string> completeAccount(std::string_view typed) {
    // Spelt when first asked for: a session that never practises never pays.
    static const SpelledWords accounts(accountNames());
    return accounts.complete(typed);
}

}  // namespace kelmora::practice
