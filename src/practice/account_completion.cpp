#include "practice/account_completion.h"

#include <algorithm>

#include "practice/exercise.h"
#include "shell/pinyin.h"

namespace kelmora::practice {

// Named rather than anonymous: the model is compiled in unity batches.
namespace account_index {

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

bool asciiAlnum(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
char lower(char32_t c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }

// One character of an account that counts for spelling: itself, and the
// ways it may be typed in letters.
struct Unit {
    char32_t character = 0;
    std::vector<std::string> readings;  // a letter or digit stands for itself
};

struct Account {
    const std::string* name;
    std::size_t length = 0;  // in characters
    std::vector<Unit> units;
};

const std::vector<Account>& accounts() {
    static const std::vector<Account> all = [] {
        std::vector<Account> out;
        for (const std::string& name : accountNames()) {
            Account a{&name, 0, {}};
            for (std::size_t i = 0; i < name.size(); ++a.length) {
                const char32_t c = nextCodePoint(name, i);
                Unit u{c, {}};
                if (asciiAlnum(c)) u.readings.emplace_back(1, lower(c));
                else
                    for (std::string_view r : pinyinOf(c)) u.readings.emplace_back(r);
                if (!u.readings.empty()) a.units.push_back(std::move(u));
            }
            out.push_back(std::move(a));
        }
        return out;
    }();
    return all;
}

// A typed element: a letter (lower case, ü as v) or a character as it stands.
struct Typed {
    char letter = 0;
    char32_t character = 0;
};

// Empty when the text holds a sign spellings pass over: then only the text
// as it stands is looked for.
std::vector<Typed> elements(std::string_view typed) {
    std::vector<Typed> out;
    for (std::size_t i = 0; i < typed.size();) {
        char32_t c = nextCodePoint(typed, i);
        if (c == ' ' || c == 0x3000) continue;
        if (c >= 0xFF01 && c <= 0xFF5E && asciiAlnum(c - 0xFEE0)) c -= 0xFEE0;
        if (c == 0xFC || c == 0xDC) out.push_back({'v', 0});
        else if (asciiAlnum(c)) out.push_back({lower(c), 0});
        else if (!pinyinOf(c).empty()) out.push_back({0, c});
        else return {};
    }
    return out;
}

// Whether the elements from k on spell the units from u on (to the end of
// the text, the last reading possibly cut short).
bool spells(const Account& a, const std::vector<Typed>& q, std::size_t u, std::size_t k,
            std::vector<char>& seen) {
    const std::size_t n = q.size();
    if (k == n) return true;
    if (u == a.units.size()) return false;
    char& s = seen[u * (n + 1) + k];
    if (s) return false;
    s = 1;
    const Unit& unit = a.units[u];
    if (q[k].letter == 0) return unit.character == q[k].character && spells(a, q, u + 1, k + 1, seen);
    const auto letters = [&](std::string_view piece) {
        if (k + piece.size() > n) return false;
        for (std::size_t j = 0; j < piece.size(); ++j)
            if (q[k + j].letter != piece[j]) return false;
        return true;
    };
    for (const std::string& r : unit.readings) {
        // The text ends within this reading.
        if (n - k <= r.size() && letters(std::string_view(r).substr(0, n - k))) return true;
        std::vector<std::string_view> pieces{r};
        if (r.size() > 1) pieces.push_back(std::string_view(r).substr(0, 1));
        if (r.size() > 2 && r[1] == 'h' && (r[0] == 'z' || r[0] == 'c' || r[0] == 's'))
            pieces.push_back(std::string_view(r).substr(0, 2));
        for (std::string_view p : pieces)
            if (letters(p) && spells(a, q, u + 1, k + p.size(), seen)) return true;
    }
    return false;
}

}  // namespace account_index

std::vector<std::string> completeAccount(std::string_view typed) {
    using namespace account_index;
    std::vector<std::string> out;
    if (typed.empty()) return out;
    const std::vector<Typed> q = elements(typed);
    struct Found {
        int group;
        std::size_t length;
        const std::string* name;
    };
    std::vector<Found> found;
    for (const Account& a : accounts()) {
        int group = -1;
        if (a.name->find(typed) == 0) group = 0;
        if (group < 0 && !q.empty()) {
            std::vector<char> seen((a.units.size() + 1) * (q.size() + 1), 0);
            if (spells(a, q, 0, 0, seen)) group = 0;
            for (std::size_t u = 1; group < 0 && u < a.units.size(); ++u)
                if (spells(a, q, u, 0, seen)) group = 1;
        }
        if (group < 0 && a.name->find(typed) != std::string::npos) group = 1;
        if (group >= 0) found.push_back({group, a.length, a.name});
    }
    std::sort(found.begin(), found.end(), [](const Found& x, const Found& y) {
        if (x.group != y.group) return x.group < y.group;
        if (x.length != y.length) return x.length < y.length;
        return *x.name < *y.name;
    });
    for (const Found& f : found) out.push_back(*f.name);
    return out;
}

}  // namespace kelmora::practice
