// Kelmora — the words that lead to each window: the keywords that open it,
// or the menu items that do, handed to the model's window names.
#include <algorithm>

#include "core/window_names.h"
#include "shell/keyword_table.h"

namespace kelmora {

// Named rather than anonymous: the shell is compiled in unity batches.
namespace window_words {
void collectMenu(const std::vector<MenuItem>& items, const std::string& form, std::vector<std::string>& out) {
    for (const MenuItem& item : items) {
        if (item.action == MenuAction::Open && item.argument == form &&
            std::find(out.begin(), out.end(), item.caption) == out.end())
            out.push_back(item.caption);
        collectMenu(item.children, form, out);
    }
}
}  // namespace window_words

std::vector<std::string> wordsLeadingTo(const std::string& form, const std::vector<KeywordRow>& rows,
                                        const std::vector<MenuItem>& menu) {
    std::vector<std::string> out;
    for (const KeywordRow& r : rows)
        if (r.action == KeywordAction::OpenWindow && r.argument == form &&
            std::find(out.begin(), out.end(), r.keyword) == out.end())
            out.emplace_back(r.keyword);
    if (out.empty()) window_words::collectMenu(menu, form, out);
    if (out.size() > 3) out.resize(3);
    return out;
}

namespace window_words {
const bool registered = [] {
    setWindowWords([](const std::string& form) { return wordsLeadingTo(form, keywordTable(), menuTree()); });
    return true;
}();
}  // namespace window_words

}  // namespace kelmora
