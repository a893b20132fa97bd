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
    std::size_t length = 0;             // in characters, signs included
    std::vector<char32_t> characters;   // 银, 行, 存, 款: one per unit
    Spelling full;                      // "yin", {"xing", "hang", "heng"}, "cun", "kuan"
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
    for (std::size_t i = 0; i < keyword.size(); ++e.length) {
        const char32_t c = nextCodePoint(keyword, i);
        Unit full;
        if (isAsciiAlnum(c)) {
            full.emplace_back(1, lower(c));
        } else {
            for (std::string_view r : pinyinOf(c)) full.emplace_back(r);
        }
        if (full.empty()) continue;  // "-", "/", full-width parentheses
        e.characters.push_back(c);
        e.full.push_back(std::move(full));
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

// One element of the typed text: a letter or digit (lower case, ü as v),
// compared with pinyin, or another character, compared with the keyword's
// own character.
struct Typed {
    char letter = 0;     // 0: a character to be found as it stands
    char32_t character = 0;
};

// The typed text as it is compared with the keywords' spellings: without
// spaces (ASCII or ideographic), full-width letters and digits as ASCII.  Empty when the text holds a sign the
// spellings pass over ("-", "（", "/"), or malformed UTF-8: then only the
// comparison of the text as it stands applies.
std::vector<Typed> elements(std::string_view typed) {
    std::vector<Typed> out;
    for (std::size_t i = 0; i < typed.size();) {
        char32_t c = nextCodePoint(typed, i);
        if (c == ' ' || c == 0x3000) continue;
        // An input method in full-width mode types letters and digits as
        // their full-width forms.
        if (c >= 0xFF01 && c <= 0xFF5E && isAsciiAlnum(c - 0xFEE0)) c -= 0xFEE0;
        if (c == 0xFC || c == 0xDC) {  // ü, Ü
            out.push_back({'v', 0});
        } else if (isAsciiAlnum(c)) {
            out.push_back({lower(c), 0});
        } else if (!pinyinOf(c).empty()) {
            out.push_back({0, c});
        } else {
            return {};
        }
    }
    return out;
}

// How the typed text meets a keyword's spelling.
enum class Meeting {
    None,
    Inside,  // from a later character on, or from within a syllable
    Begins,  // from the first character on
    Whole,   // from the first character to the last, each one whole
};

// The ways a syllable may be typed: whole, by its initial, or by the two
// letters of zh, ch, sh.
template <typename F>
void abbreviations(const std::string& r, F&& each) {
    each(std::string_view(r));
    if (r.size() > 1) each(std::string_view(r).substr(0, 1));
    if (r.size() > 2 && r[1] == 'h' && (r[0] == 'z' || r[0] == 'c' || r[0] == 's'))
        each(std::string_view(r).substr(0, 2));
}

// Walks the spelling from the given starting states: (unit, elements typed
// so far).  Each step spends one unit of the keyword on the next elements:
// its own character, or one of its readings whole or abbreviated.  The
// typed text may also end within a reading (typing is not done yet).
// Returns Whole when some walk spends every element on exactly every unit
// up to the last, Begins/Inside (as `reached`) when the elements are spent
// at all, None otherwise.
Meeting walk(const Entry& e, const std::vector<Typed>& q, std::vector<std::pair<std::size_t, std::size_t>> todo,
             Meeting reached) {
    const std::size_t units = e.full.size(), n = q.size();
    std::vector<char> seen((units + 1) * (n + 1), 0);
    bool ended = false;
    const auto letters = [&](std::size_t k, std::string_view piece) {
        if (k + piece.size() > n) return false;
        for (std::size_t j = 0; j < piece.size(); ++j)
            if (q[k + j].letter != piece[j]) return false;
        return true;
    };
    // Whether the elements from k on are letters that begin `reading`.
    const auto endsWithin = [&](std::size_t k, std::string_view reading) {
        return n - k <= reading.size() && letters(k, reading.substr(0, n - k));
    };
    const auto push = [&](std::size_t u, std::size_t k) {
        char& s = seen[u * (n + 1) + k];
        if (!s) {
            s = 1;
            todo.emplace_back(u, k);
        }
    };
    for (auto [u, k] : std::vector(todo)) seen[u * (n + 1) + k] = 1;
    while (!todo.empty()) {
        // Plain copies: the lambda below takes them (clang 14 cannot capture
        // structured bindings).
        const std::size_t u = todo.back().first, k = todo.back().second;
        todo.pop_back();
        if (k == n) {
            if (u == units && reached == Meeting::Begins) return Meeting::Whole;
            ended = true;
            continue;
        }
        if (u == units) continue;
        if (q[k].letter == 0) {
            if (e.characters[u] == q[k].character) push(u + 1, k + 1);
            continue;
        }
        for (const std::string& r : e.full[u]) {
            if (endsWithin(k, r)) ended = true;
            abbreviations(r, [&](std::string_view piece) {
                if (letters(k, piece)) push(u + 1, k + piece.size());
            });
        }
    }
    return ended ? reached : Meeting::None;
}

Meeting meet(const Entry& e, const std::vector<Typed>& q) {
    // A syllable is at most six letters: a longer text cannot be spent.
    if (q.empty() || q.size() > 6 * e.full.size()) return Meeting::None;
    const Meeting first = walk(e, q, {{0, 0}}, Meeting::Begins);
    if (first != Meeting::None) return first;
    // From a later character, or from within a syllable of any character.
    std::vector<std::pair<std::size_t, std::size_t>> later;
    for (std::size_t u = 1; u < e.full.size(); ++u) later.emplace_back(u, 0);
    if (walk(e, q, later, Meeting::Inside) != Meeting::None) return Meeting::Inside;
    std::size_t letters = 0;
    while (letters < q.size() && q[letters].letter) ++letters;
    for (std::size_t u = 0; u < e.full.size(); ++u)
        for (const std::string& r : e.full[u])
            for (std::size_t from = 1; from < r.size(); ++from) {
                const std::string_view rest = std::string_view(r).substr(from);
                std::size_t same = 0;
                while (same < rest.size() && same < letters && q[same].letter == rest[same]) ++same;
                if (same == q.size()) return Meeting::Inside;  // the text ends within the syllable
                if (same == rest.size() && walk(e, q, {{u + 1, same}}, Meeting::Inside) != Meeting::None)
                    return Meeting::Inside;
            }
    return Meeting::None;
}

// The list for the typed text among the spelt words, ordered as
// completeKeyword describes.
std::vector<std::string> completeAmong(const std::vector<Entry>& all, std::string_view typed) {
    if (typed.empty()) return {};
    const std::vector<Typed> q = elements(typed);
    struct Found {
        int group;  // 0: the text begins the keyword's spelling or stands in it; 1: further on
        bool whole;
        std::size_t length;
        std::size_t row;
        const std::string* keyword;
    };
    std::vector<Found> found;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Entry& e = all[i];
        const bool asTyped = e.keyword.find(typed) != std::string::npos;
        const Meeting m = meet(e, q);
        if (!asTyped && m == Meeting::None) continue;
        const bool first = asTyped || m == Meeting::Begins || m == Meeting::Whole;
        const bool whole = e.keyword == typed || m == Meeting::Whole;
        found.push_back({first ? 0 : 1, whole, e.length, i, &e.keyword});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.group != b.group) return a.group < b.group;
        if (a.whole != b.whole) return a.whole;
        if (a.length != b.length) return a.length < b.length;
        return a.row < b.row;
    });
    std::vector<std::string> out;
    out.reserve(found.size());
    for (const Found& f : found) out.push_back(*f.keyword);
    return out;
}

}  // namespace pinyin_index

std::vector<std::string> completeKeyword(std::string_view typed) {
    return pinyin_index::completeAmong(pinyin_index::entries(), typed);
}

struct SpelledWords::Index {
    std::vector<pinyin_index::Entry> entries;
};

SpelledWords::SpelledWords(const std::vector<std::string>& words) {
    auto index = std::make_shared<Index>();
    for (const std::string& w : words) index->entries.push_back(pinyin_index::spell(w));
    index_ = std::move(index);
}

std::vector<std::string> SpelledWords::complete(std::string_view typed) const {
    return pinyin_index::completeAmong(index_->entries, typed);
}

}  // namespace kelmora
