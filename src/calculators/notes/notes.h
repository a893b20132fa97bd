// Kelmora — the arithmetic of a discounted interest-bearing note, shared by
// the two windows that discount one at a bank.
#pragma once

#include "core/num.h"

namespace kelmora::notes {

// Face plus the interest over the note's term, on a 360-day year.  The rate
// times the term is divided before the one is added, then the face is
// multiplied in: the last printed digits depend on that order.
inline Num maturityValue(Num face, Num annualRate, Num termDays) {
    return (annualRate * termDays / 360 + 1) * face;
}

// What the bank keeps for the days it waits, on a 360-day year, left to right.
inline Num bankDiscount(Num maturity, Num annualRate, Num days) {
    return maturity * annualRate * days / 360;
}

}  // namespace kelmora::notes
