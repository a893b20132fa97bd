// Kelmora — the main window's completion list: keywords found by their Chinese
// text, their full pinyin or their initials.
#include <algorithm>

#include "shell/keyword_table.h"
#include "shell/pinyin.h"

namespace kelmora {

std::vector<std::string_view> pinyinOf(char32_t c) {
    const PinyinReading* end = kPinyinReadings + kPinyinReadingCount;
    const PinyinReading* it = std::lower_bound(kPinyinReadings, end, c,
                                               [](const PinyinReading& r, char32_t x) { return r.codePoint < x; });
    std::vector<std::string_view> out;
    if (it == end || it->codePoint != c) return out;
    std::string_view all = it->readings;
    for (;;) {
        const auto space = all.find(' ');
        out.push_back(all.substr(0, space));
        if (space == std::string_view::npos) break;
        all.remove_prefix(space + 1);
    }
    return out;
}

// Named rather than anonymous: the model is compiled in unity batches.
namespace pinyin_index {

// One unit of a keyword's spelling with its alternatives: the readings of a
// Chinese character, or a letter or digit that stands for itself.
using Unit = std::vector<std::string>;
using Spelling = std::vector<Unit>;

struct Entry {
    std::string keyword;
    Spelling full;      // "yin", {"xing", "hang", "heng"}, "cun", "kuan"
    Spelling initials;  // "y", {"x", "h"}, "c", "k"
};

// The code point at s[i], moving i past it; a malformed byte is passed over
// as U+FFFD.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    const int len = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = len == 1 ? lead : lead & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    i += len;
    return c;
}

bool isAsciiAlnum(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

char lower(char32_t c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }

Entry spell(std::string keyword) {
    Entry e;
    for (std::size_t i = 0; i < keyword.size();) {
        const char32_t c = nextCodePoint(keyword, i);
        Unit full, initials;
        if (isAsciiAlnum(c)) {
            full.emplace_back(1, lower(c));
        } else {
            for (std::string_view r : pinyinOf(c)) full.emplace_back(r);
        }
        if (full.empty()) continue;  // "-", "/", full-width parentheses
        for (const auto& r : full)
            if (std::find(initials.begin(), initials.end(), r.substr(0, 1)) == initials.end())
                initials.push_back(r.substr(0, 1));
        e.full.push_back(std::move(full));
        e.initials.push_back(std::move(initials));
    }
    e.keyword = std::move(keyword);
    return e;
}

// Built on first use: start-up never pays for it.
const std::vector<Entry>& entries() {
    static const std::vector<Entry> all = [] {
        std::vector<Entry> out;
        for (auto& k : distinctKeywords()) out.push_back(spell(std::move(k)));
        return out;
    }();
    return all;
}

// The typed text as it is compared with pinyin: lower case, without spaces
// (ASCII or ideographic), ü as v.  Empty when the text holds anything else,
// such as Chinese characters: then only the Chinese comparison applies.
std::string normalised(std::string_view typed) {
    std::string q;
    for (std::size_t i = 0; i < typed.size();) {
        const char32_t c = nextCodePoint(typed, i);
        if (c == ' ' || c == 0x3000) continue;
        if (c == 0xFC || c == 0xDC) {  // ü, Ü
            q += 'v';
        } else if (isAsciiAlnum(c)) {
            q += lower(c);
        } else {
            return {};
        }
    }
    return q;
}

bool spellsFrom(const Spelling& s, std::size_t i, std::string_view q);

// Whether q begins with `piece` and goes on from unit `next`, or ends within
// `piece`.
bool continuesWith(std::string_view piece, const Spelling& s, std::size_t next, std::string_view q) {
    if (q.size() <= piece.size()) return piece.starts_with(q);
    return q.starts_with(piece) && spellsFrom(s, next, q.substr(piece.size()));
}

// Whether some choice of readings spells q from the start of unit i on.
bool spellsFrom(const Spelling& s, std::size_t i, std::string_view q) {
    if (q.empty()) return true;
    if (i == s.size()) return false;
    return std::any_of(s[i].begin(), s[i].end(), [&](const std::string& r) { return continuesWith(r, s, i + 1, q); });
}

bool beginsWith(const Spelling& s, std::string_view q) { return spellsFrom(s, 0, q); }

// Whether q stands anywhere in some choice of readings, also starting within
// a syllable.
bool contains(const Spelling& s, std::string_view q) {
    for (std::size_t i = 0; i < s.size(); ++i)
        for (const std::string& r : s[i])
            for (std::size_t from = 0; from < r.size(); ++from)
                if (continuesWith(std::string_view(r).substr(from), s, i + 1, q)) return true;
    return false;
}

}  // namespace pinyin_index

std::vector<std::string> completeKeyword(std::string_view typed) {
    using namespace pinyin_index;
    if (typed.empty()) return {};
    const std::string q = normalised(typed);
    std::vector<std::string> first, then;
    for (const Entry& e : entries()) {
        if (e.keyword.find(typed) != std::string::npos ||
            (!q.empty() && (beginsWith(e.full, q) || beginsWith(e.initials, q))))
            first.push_back(e.keyword);
        else if (!q.empty() && (contains(e.full, q) || contains(e.initials, q)))
            then.push_back(e.keyword);
    }
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

}  // namespace kelmora
