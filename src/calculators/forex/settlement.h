// Kelmora — helpers of the settlement windows.
#pragma once

#include <cmath>
#include <limits>

#include "core/num.h"

namespace kelmora::settlement {

// Rounds to two decimal places; a value exactly halfway between two
// hundredths goes to the one whose last digit is even.
//
// "Exactly halfway" is judged on the exact binary value of x, not on x × 100
// as a double would round it: 2.675 is stored a little below 2.675 and goes
// down, a value stored a little above a half goes up even when the product
// x × 100 rounds to an exact half.  The integral part is split off first
// (exactly), so the hundredths of the fraction are counted in a small integer
// and every comparison with a half is decided by a fused multiply-add, which
// rounds only once and so keeps the sign of the exact difference.
inline Num roundCents(Num x) {
    const double v = x.value();
    // From 2^52 on every double is an integer already.
    if (!(std::fabs(v) < 4503599627370496.0)) return x;
    const double whole = std::trunc(v);
    const double fraction = v - whole;  // exact
    // hundredths = floor(fraction × 100), exactly.
    double hundredths = std::floor(fraction * 100);
    while (std::fma(fraction, 100, -hundredths) < 0) hundredths -= 1;
    while (std::fma(fraction, 100, -(hundredths + 1)) >= 0) hundredths += 1;
    const double aboveHalf = std::fma(fraction, 100, -(hundredths + 0.5));
    if (aboveHalf > 0 || (aboveHalf == 0 && std::fmod(hundredths, 2) != 0)) hundredths += 1;
    // The result is the double nearest to whole + hundredths / 100.  Below
    // 2^46 the count of hundredths in all is an exact integer, and one
    // division rounds it once.
    if (std::fabs(whole) < 70368744177664.0) return Num((whole * 100 + hundredths) / 100);
    // Above, the sum rounds twice; of it and its two neighbours take the one
    // nearest the exact value.  There the doubles lie at least 1/64 apart,
    // so each distance (c − whole) × 100 − hundredths is worked out exactly.
    const double sum = whole + hundredths / 100;
    double best = sum;
    double bestDistance = std::fabs((sum - whole) * 100 - hundredths);
    const double inf = std::numeric_limits<double>::infinity();
    for (const double c : {std::nextafter(sum, -inf), std::nextafter(sum, inf)}) {
        const double distance = std::fabs((c - whole) * 100 - hundredths);
        if (distance < bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    return Num(best);
}

}  // namespace kelmora::settlement
