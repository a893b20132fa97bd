// Kelmora — the answer sheet's account box: the accounts offered for what
// has been typed, by Chinese, full pinyin or initials.
#include <algorithm>

#include "practice/exercise.h"
#include "shell/pinyin.h"

namespace kelmora::practice {

namespace {

char32_t codePointAt(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    const int len = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = len == 1 ? lead : lead & (0x7F >> len);
    for (int k = 1; k < len; ++k) c = (c << 6) | (byte(i + k) & 0x3F);
    i += len;
    return c;
}

bool isLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// A typed element: a letter or digit (lower case), or a character to be
// found as it stands.
struct Typed {
    char letter = 0;
    char32_t character = 0;
};

std::vector<Typed> typedElements(std::string_view text) {
    std::vector<Typed> out;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = codePointAt(text, i);
        if (c == ' ' || c == 0x3000) continue;
        // Signs the spelling passes over in the accounts too.
        if (c == '-' || c == 0xFF0D || c == 0x2014 || c == '(' || c == ')' || c == 0xFF08 || c == 0xFF09 || c == '/')
            continue;
        if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width letters and digits
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        if (c == 0xFC || c == 0xDC) c = 'v';  // ü
        if (isLetter(c))
            out.push_back({static_cast<char>(c), 0});
        else
            out.push_back({0, c});
    }
    return out;
}

// How the typed elements spell an account from its first character on:
// 0 not at all, 1 they are spent before its end, 2 they spell it whole.
int spells(std::string_view account, const std::vector<Typed>& q) {
    std::vector<char32_t> units;
    for (std::size_t i = 0; i < account.size();) {
        const char32_t c = codePointAt(account, i);
        // Signs are passed over: "-", parentheses of either width, blanks.
        if (c == '-' || c == 0xFF0D || c == 0x2014 || c == '(' || c == ')' || c == 0xFF08 || c == 0xFF09 || c == ' ' ||
            c == 0x3000 || c == '/')
            continue;
        units.push_back(c);
    }
    const std::size_t n = q.size(), m = units.size();
    if (n == 0) return 0;
    // reach[u][k]: the first u units spent on the first k elements.
    std::vector<char> reach((m + 1) * (n + 1), 0);
    const auto at = [&](std::size_t u, std::size_t k) -> char& { return reach[u * (n + 1) + k]; };
    at(0, 0) = 1;
    bool spent = false;
    for (std::size_t u = 0; u < m; ++u)
        for (std::size_t k = 0; k < n; ++k) {
            if (!at(u, k)) continue;
            if (q[k].letter == 0) {
                if (q[k].character == units[u]) at(u + 1, k + 1) = 1;
                continue;
            }
            const char32_t c = units[u] >= 'A' && units[u] <= 'Z' ? units[u] + ('a' - 'A') : units[u];
            if (isLetter(c)) {
                if (q[k].letter == static_cast<char>(c)) at(u + 1, k + 1) = 1;
                continue;
            }
            for (std::string_view r : pinyinOf(units[u])) {
                // Whole, by its initial, by zh / ch / sh, or cut short at the end.
                std::size_t same = 0;
                while (same < r.size() && k + same < n && q[k + same].letter == r[same]) ++same;
                if (same == r.size()) at(u + 1, k + same) = 1;
                if (same >= 1) at(u + 1, k + 1) = 1;
                if (same >= 2 && r[1] == 'h' && (r[0] == 'z' || r[0] == 'c' || r[0] == 's')) at(u + 1, k + 2) = 1;
                if (k + same == n && same > 0) spent = true;
            }
        }
    if (at(m, n)) return 2;
    for (std::size_t u = 1; u <= m; ++u)
        if (at(u, n)) spent = true;
    return spent ? 1 : 0;
}

}  // namespace

std::vector<std::string> completeAccount(std::string_view typed) {
    std::vector<std::string> out;
    if (typed.empty()) return out;
    const std::vector<Typed> q = typedElements(typed);
    const std::string plain = normalAccount(typed);
    struct Found {
        bool whole;
        std::size_t length, row;
    };
    std::vector<Found> found;
    const auto& all = accountNames();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string normal = normalAccount(all[i]);
        const bool asTyped = !plain.empty() && normal.find(plain) != std::string::npos;
        const int spelt = spells(all[i], q);
        if (!asTyped && spelt == 0) continue;
        std::size_t length = 0;
        for (std::size_t k = 0; k < all[i].size();) codePointAt(all[i], k), ++length;
        found.push_back({normal == plain || spelt == 2, length, i});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.whole != b.whole) return a.whole;
        if (a.length != b.length) return a.length < b.length;
        return a.row < b.row;
    });
    for (const Found& f : found) out.push_back(all[f.row]);
    return out;
}

}  // namespace kelmora::practice
