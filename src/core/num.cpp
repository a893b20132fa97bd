#include "core/num.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

// The C++ library's own conversions of double, where it has them (not every
// one does: the WebAssembly build's has none); the C library's otherwise.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define KELMORA_STD_CONVERSIONS 1
#else
#define KELMORA_STD_CONVERSIONS 0
#endif

namespace kelmora {

namespace {
const char* describe(ArithmeticFailure::Kind k) {
    switch (k) {
    case ArithmeticFailure::Kind::DivisionByZero: return "division by zero";
    case ArithmeticFailure::Kind::Overflow: return "overflow";
    case ArithmeticFailure::Kind::NoSolution: return "no solution";
    }
    return "failure";
}
}  // namespace

// The detail follows the kind in what(), so that a transcript shows it too.
ArithmeticFailure::ArithmeticFailure(Kind kind, std::string detail)
    : std::runtime_error(detail.empty() ? std::string(describe(kind)) : describe(kind) + (": " + detail)),
      kind_(kind),
      detail_(std::move(detail)) {}

Num Num::checked(double r) {
    if (!std::isfinite(r)) throw ArithmeticFailure(ArithmeticFailure::Kind::Overflow);
    return Num(r);
}

Num operator/(Num a, Num b) {
    if (b.value() == 0.0) throw ArithmeticFailure(ArithmeticFailure::Kind::DivisionByZero);
    return Num::checked(a.value() / b.value());
}

Num pow(Num base, Num exponent) {
    const double r = std::pow(base.value(), exponent.value());
    if (!std::isfinite(r)) {
        // 0 raised to a negative power is a division by zero in disguise.
        if (base.value() == 0.0 && exponent.value() < 0)
            throw ArithmeticFailure(ArithmeticFailure::Kind::DivisionByZero);
        throw ArithmeticFailure(ArithmeticFailure::Kind::Overflow);
    }
    return Num(r);
}

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
// An exponent beyond this is as far out of range as any larger one.
constexpr long long kExponentCap = 1'000'000'000'000'000LL;
}  // namespace

Num fieldValue(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    // Mantissa: digits with at most one decimal point.  Only the significant
    // digits are kept, together with the decimal exponent of the first one,
    // so that a mantissa of any length meets its exponent exactly: a thousand
    // zeros and an exponent of minus a thousand are no overflow.
    std::string significant;
    long long count = 0;      // digits read so far
    long long intDigits = -1; // digits before the point, once the point is seen
    long long firstSig = -1;  // index of the first non-zero digit
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            if (c != '0' && firstSig < 0) firstSig = count;
            if (firstSig >= 0) significant += c;
            ++count;
        } else if (c == '.' && intDigits < 0) {
            intDigits = count;
        } else {
            break;
        }
    }
    if (firstSig < 0) return Num(0.0);  // no digit at all, or only zeros
    if (intDigits < 0) intDigits = count;
    significant.erase(significant.find_last_not_of('0') + 1);

    // Exponent: E or e, optional sign, at least one digit; otherwise the number
    // ends before the letter.  It saturates far beyond any double.
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
        for (; j < s.size() && isDigit(s[j]); ++j)
            if (exponent < kExponentCap) exponent = exponent * 10 + (s[j] - '0');
        if (expNegative) exponent = -exponent;
    }

    // The value is d1.d2d3… × 10^lead, lead being the decimal exponent of the
    // first significant digit.  Doubles end near 10^308 and 10^-324.
    const long long lead = intDigits - 1 - firstSig + exponent;
    if (lead > 400) throw ArithmeticFailure(ArithmeticFailure::Kind::Overflow);
    if (lead < -400) return Num(negative ? -0.0 : 0.0);
#if KELMORA_STD_CONVERSIONS
    const std::string canonical = significant.substr(0, 1) + "." + significant.substr(1) + "e" + std::to_string(lead);
    double v = 0.0;
    const auto res = std::from_chars(canonical.data(), canonical.data() + canonical.size(), v,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        if (lead > 0) throw ArithmeticFailure(ArithmeticFailure::Kind::Overflow);
        v = 0.0;  // too small for a double: reads as zero
    }
#else
    const double v = conversions::portableRead(significant, lead - static_cast<long long>(significant.size() - 1));
#endif
    if (!std::isfinite(v)) throw ArithmeticFailure(ArithmeticFailure::Kind::Overflow);
    return Num(negative ? -v : v);
}

namespace conversions {

double portableRead(const std::string& digits, long long exponent) {
    // No decimal point, so the C library reads it the same in every locale,
    // and rounds it correctly to the nearest double.  Too small for a double
    // reads as zero, too large is infinite.  The caller's errno is left as
    // it was.
    const std::string text = digits + "e" + std::to_string(exponent);
    const int savedErrno = errno;
    const double v = std::strtod(text.c_str(), nullptr);
    errno = savedErrno;
    return v;
}

std::string portableDigits(double x) {
    // The 15 significant digits, correctly rounded, and the decimal exponent
    // of the first, taken from the C library's exponent form; the decimal
    // separator it writes belongs to the locale and is passed over, and the
    // general form ("%.15G") is composed here.
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, "%.14E", std::fabs(x));
    std::string digits;
    int exponent = 0;
    for (int i = 0; i < n; ++i) {
        const char c = buf[i];
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (c == 'E') {
            exponent = std::atoi(buf + i + 1);
            break;
        }
    }
    if (digits.size() != 15) return buf;  // not a finite number: as the library writes it
    std::string out;
    if (exponent >= -4 && exponent < 15) {
        // Fixed notation: the point after exponent + 1 digits.
        if (exponent < 0) {
            out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else {
            out = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "." +
                  digits.substr(static_cast<std::size_t>(exponent) + 1);
        }
        out.erase(out.find_last_not_of('0') + 1);
        if (out.back() == '.') out.pop_back();
        return out;
    }
    // Exponent notation: one digit before the point, trailing zeros dropped,
    // an exponent of at least two digits.
    std::string mantissa = digits.substr(0, 1) + "." + digits.substr(1);
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    if (mantissa.back() == '.') mantissa.pop_back();
    const int e = exponent < 0 ? -exponent : exponent;
    out = mantissa + (exponent < 0 ? "E-" : "E+") + (e < 10 ? "0" : "") + std::to_string(e);
    return out;
}

}  // namespace conversions

std::string magnitudeDigits(double x) {
#if KELMORA_STD_CONVERSIONS
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::general, 15);
    std::string out(buf, res.ptr);
    for (char& c : out)
        if (c == 'e') c = 'E';
    return out;
#else
    return conversions::portableDigits(x);
#endif
}

std::string numberText(double x) {
    if (x == 0.0) return " 0 ";
    return std::string(x < 0 ? "-" : " ") + magnitudeDigits(x) + " ";
}

Num roundCents(Num x) {
    const double v = x.value();
    if (!x.isSet() || !std::isfinite(v)) return x;
    // The shown digits, split into an integer D and the power of ten of its
    // last digit: |x| as shown = D × 10^scale.
    const std::string shown = magnitudeDigits(v);
    const auto e = shown.find('E');
    const std::string mantissa = shown.substr(0, e);
    int scale = e == std::string::npos ? 0 : std::stoi(shown.substr(e + 1));
    std::string digits;
    for (const char c : mantissa) {
        if (c == '.') continue;
        digits += c;
    }
    const auto point = mantissa.find('.');
    if (point != std::string::npos) scale -= static_cast<int>(mantissa.size() - point - 1);

    // Whole cents already: the shown decimal is the result.
    const int drop = -(scale + 2);  // digits below the cent
    if (drop <= 0) return Num(x < 0 ? -fieldValue(shown).value() : fieldValue(shown).value());

    // At most 15 significant digits: below a tenth of a cent it is all gone.
    unsigned long long cents = 0;
    if (drop <= 15) {
        const unsigned long long d = std::stoull(digits);
        unsigned long long unit = 1;
        for (int i = 0; i < drop; ++i) unit *= 10;
        cents = d / unit;
        const unsigned long long rest = d % unit, half = unit / 2;
        if (rest > half || (rest == half && cents % 2 == 1)) ++cents;
    }
    if (cents == 0) return Num(0.0);
    const double r = fieldValue(std::to_string(cents) + "e-2").value();
    return Num(x < 0 ? -r : r);
}

std::string textForm(double x) {
    if (x == 0.0) return "0";
    return std::string(x < 0 ? "-" : "") + magnitudeDigits(x);
}

}  // namespace kelmora
