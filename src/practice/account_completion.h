// Kelmora — the answer sheet's account box: the accounts the program prints,
// found by their Chinese text, their full pinyin or their initials, as the
// main window's box finds its keywords.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelmora::practice {

// The accounts the list offers for the typed text, each once, ordered as the
// keyword box orders its list: first those the text begins (or stands in),
// the ones it spells whole first, shorter before longer, then in the order of
// accountNames(); then those it spells from further on.  Whoever calls it
// links the main window's tables (kelmora_windows), which hold the pinyin.
std::vector<std::string> completeAccount(std::string_view typed);

}  // namespace kelmora::practice
