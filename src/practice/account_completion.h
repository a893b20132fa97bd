// Kelmora — the answer sheet's account box: the accounts the program prints,
// found by their Chinese text, their full pinyin or their initials, as the
// main window's keyword box finds keywords.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelmora::practice {

// The accounts of accountNames() the text typed finds, in the order the list
// offers them.  An account is found when it contains the text as it stands,
// or when the text spells it: each character typed as itself, as one of its
// pinyin readings whole, or by the reading's initial (z, c, s or zh, ch,
// sh), in any mix, the last one possibly cut short ("yhck", "yinhangc",
// "应交sj").  Case, spaces and full-width letters do not count; signs in an
// account ("-", "（", "）", "/") are passed over.  First the accounts the
// text finds from their first character on, then those it finds from a
// later character on; within each, shorter accounts first, then byte order.
// An empty text finds nothing.
std::vector<std::string> completeAccount(std::string_view typed);

}  // namespace kelmora::practice
