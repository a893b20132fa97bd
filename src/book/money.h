// Kelmora — amounts of the workbook: whole cents in a 64-bit integer.
//
// A posted amount is the number as the window printed it, rounded half away
// from zero to cents.  The printed text is read digit by digit, never through
// a double, so 0.125 posts as 0.13 and -0.125 as -0.13 whatever the binary
// value behind them was.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelmora::book {

using Cents = std::int64_t;

// The largest amount one line may carry: 10^13 yuan.  Sums of many lines are
// checked on top of that.
inline constexpr Cents kMaxLineCents = 1'000'000'000'000'000LL;

// A fault the user is told about in words (a file that cannot be opened, an
// amount out of range, another program holding the file).
class BookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class CentsRead { Ok, Empty, NotANumber, TooLarge };

// Reads a printed number ("117", "-5.5", "1.5E+20", blanks around it allowed)
// into cents, rounded half away from zero.
CentsRead readCents(std::string_view text, Cents& out);
// The same for what a user types ("1,234.50" with grouping commas allowed).
std::optional<Cents> parseAmount(std::string_view text);

// Yuan with two decimals: "117.00", "-5.50", "0.00".
std::string yuan(Cents c);

// a + b, failing with BookError when the sum leaves the range.
Cents addCents(Cents a, Cents b);

}  // namespace kelmora::book
