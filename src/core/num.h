// Kelmora — the checked number every handler computes with.
//
// A Num is an IEEE double whose every arithmetic step is checked: a result
// that is not finite (a zero divisor, an overflow, 0 ÷ 0) raises
// ArithmeticFailure at that very step, so a handler stops exactly where its
// formula went wrong and prints nothing after it.
//
// A default-constructed Num is *unset*: a quantity that is only assigned inside
// a branch that did not run.  It counts as 0 in arithmetic and comparisons and
// prints as nothing on an amount line.
#pragma once

#include <compare>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelmora {

class ArithmeticFailure : public std::runtime_error {
public:
    // NoSolution: an iteration (such as an internal rate of return) found no
    // finite answer.
    enum class Kind { DivisionByZero, Overflow, NoSolution };
    // detail: what the user is told instead of the kind's general text, when
    // the window knows why its figure cannot be computed.
    explicit ArithmeticFailure(Kind kind, std::string detail = {});
    Kind kind() const { return kind_; }
    const std::string& detail() const { return detail_; }

private:
    Kind kind_;
    std::string detail_;
};

class Num {
public:
    Num() = default;  // unset
    Num(double v) : v_(v), set_(true) {}  // NOLINT: amounts convert freely
    Num(int v) : v_(v), set_(true) {}     // NOLINT

    double value() const { return set_ ? v_ : 0.0; }
    bool isSet() const { return set_; }

    friend Num operator+(Num a, Num b) { return checked(a.value() + b.value()); }
    friend Num operator-(Num a, Num b) { return checked(a.value() - b.value()); }
    friend Num operator*(Num a, Num b) { return checked(a.value() * b.value()); }
    friend Num operator/(Num a, Num b);
    Num operator-() const { return Num(-value()); }

    Num& operator+=(Num o) { return *this = *this + o; }
    Num& operator-=(Num o) { return *this = *this - o; }
    Num& operator*=(Num o) { return *this = *this * o; }
    Num& operator/=(Num o) { return *this = *this / o; }

    friend bool operator==(Num a, Num b) { return a.value() == b.value(); }
    friend std::partial_ordering operator<=>(Num a, Num b) { return a.value() <=> b.value(); }

    // A non-finite result of any step is the arithmetic failure.
    static Num checked(double r);

private:
    double v_ = 0.0;
    bool set_ = false;
};

// Checked power: base raised to exponent; a non-finite result fails.
Num pow(Num base, Num exponent);

// The leading-number reading of a text box (never fails, except that a number
// beyond the range of a double is an overflow).
Num fieldValue(std::string_view text);

// Digits of |x| as printf("%.15G") writes them, without sign.
std::string magnitudeDigits(double x);

// The conversions the field rule and the digits rest on come from the C++
// library (std::from_chars, std::to_chars) where it has them for double; a
// library without them (the WebAssembly build's) uses these, made from the C
// library's exact conversions.  Both give the same results: the tests hold
// one against the other.
namespace conversions {
// printf("%.15G") of |x|, in any locale.
std::string portableDigits(double x);
// The double nearest the whole number `digits` times 10^exponent; infinite
// beyond a double's range, zero below it.
double portableRead(const std::string& digits, long long exponent);
}  // namespace conversions

// Number text on an amount line: sign position, digits, one trailing space.
std::string numberText(double x);

// x rounded to cents as a person rounds the number the program shows: the
// 15-significant-digit decimal of the number text is rounded to two places,
// a half going to the even cent, and the result is the double nearest that
// decimal.  So 2.675 (stored a little below) gives 2.68 and 0.025 (stored a
// little above) 0.02, as they do by hand.
Num roundCents(Num x);

// Text form written into a text box: "-" for negatives, digits, no blanks.
std::string textForm(double x);

}  // namespace kelmora
