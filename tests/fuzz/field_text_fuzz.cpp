// Any text in a box: the field rule reads a value or reports an overflow,
// never anything else; the value printed and read back keeps its 15 digits.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/num.h"

using namespace kelmora;

namespace {

// The C library's reading of a decimal number, for texts where it and the
// field rule must agree: no hexadecimal, infinity or not-a-number spellings,
// and no blanks but spaces and tabs.  The fuzzer never sets a locale, so the
// decimal point is the full stop.
bool referenceApplies(std::string_view text) { return text.find_first_of("xXiInN\n\v\f\r") == text.npos; }

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool compare = referenceApplies(text);
    errno = 0;
    const double reference = compare ? std::strtod(text.c_str(), nullptr) : 0.0;
    const bool referenceOverflows = compare && errno == ERANGE && std::isinf(reference);

    double v = 0.0;
    try {
        v = fieldValue(text).value();
    } catch (const ArithmeticFailure& e) {
        check(e.kind() == ArithmeticFailure::Kind::Overflow);
        check(!compare || referenceOverflows);
        return 0;
    }
    check(std::isfinite(v));
    if (compare) check(!referenceOverflows && v == reference);

    // Printed on an amount line and typed back in: the same 15 digits, and
    // printing that again changes nothing.
    const std::string shown = numberText(v);
    double back = 0.0;
    try {
        back = fieldValue(shown).value();
    } catch (const ArithmeticFailure&) {
        // Only the largest doubles round up past the range when cut to 15 digits.
        check(std::fabs(v) > 1.797693134862315e308);
        return 0;
    }
    check(numberText(back) == shown);
    check(std::fabs(back - v) <= 6e-15 * std::fabs(v) + 5e-324);
    // A box written with the figure holds the same digits.
    check(fieldValue(textForm(v)).value() == back);
    return 0;
}
