#include "book/money.h"

#include <cstdlib>

namespace kelmora::book {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}
}  // namespace

CentsRead readCents(std::string_view text, Cents& out) {
    std::string_view s = trimmed(text);
    if (s.empty()) return CentsRead::Empty;
    std::size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
    std::string digits;  // every digit of the mantissa, the point left out
    long long fraction = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            digits += c;
            if (point) ++fraction;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return CentsRead::NotANumber;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
        if (i == s.size() || !isDigit(s[i])) return CentsRead::NotANumber;
        for (; i < s.size() && isDigit(s[i]); ++i)
            if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
        if (expNegative) exponent = -exponent;
    }
    if (i != s.size()) return CentsRead::NotANumber;

    // value = digits × 10^(exponent - fraction); in cents two places more.
    const long long shift = exponent - fraction + 2;
    const auto nonZero = digits.find_first_not_of('0');
    if (nonZero == std::string::npos) {
        out = 0;
        return CentsRead::Ok;
    }
    digits.erase(0, nonZero);
    std::string whole;
    bool up = false;
    if (shift >= 0) {
        if (static_cast<long long>(digits.size()) + shift > 18) return CentsRead::TooLarge;
        whole = digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const long long keep = static_cast<long long>(digits.size()) + shift;
        if (keep >= 0) {
            whole = digits.substr(0, static_cast<std::size_t>(keep));
            up = digits[static_cast<std::size_t>(keep)] >= '5';  // half and more: away from zero
        }
        if (whole.size() > 18) return CentsRead::TooLarge;
    }
    Cents c = whole.empty() ? 0 : std::strtoll(whole.c_str(), nullptr, 10);
    if (up) ++c;
    if (c > kMaxLineCents) return CentsRead::TooLarge;
    out = negative ? -c : c;
    return CentsRead::Ok;
}

std::optional<Cents> parseAmount(std::string_view text) {
    std::string plain;
    for (char c : text)
        if (c != ',') plain += c;
    Cents c = 0;
    if (readCents(plain, c) != CentsRead::Ok) return std::nullopt;
    return c;
}

std::string yuan(Cents c) {
    const bool negative = c < 0;
    // The magnitude as unsigned, so that the most negative value has one too.
    const unsigned long long m = negative ? 0ULL - static_cast<unsigned long long>(c) : static_cast<unsigned long long>(c);
    std::string cents = std::to_string(m % 100);
    if (cents.size() < 2) cents.insert(0, 1, '0');
    return (negative ? "-" : "") + std::to_string(m / 100) + "." + cents;
}

Cents addCents(Cents a, Cents b) {
    Cents r = 0;
    if (__builtin_add_overflow(a, b, &r)) throw BookError("金额合计超出了可以记账的范围。");
    return r;
}

}  // namespace kelmora::book
