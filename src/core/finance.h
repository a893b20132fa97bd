// Kelmora — numerical functions of finance that windows share.
#pragma once

#include <span>

#include "core/num.h"

namespace kelmora {

// The internal rate of return of a series of cash flows, one per period,
// element 0 at time 0: the rate r > -1 at which the sum over k of
// flows[k] / (1 + r)^k is zero.
//
// The search starts at `guess` with Newton's method; when Newton's steps leave
// the range of rates or do not settle within their step limit, the rate is
// bracketed by a sign change of the present value near the guess and halved
// down to the precision of a double.  Throws
// ArithmeticFailure(ArithmeticFailure::Kind::NoSolution) when the flows are
// not of both signs (no rate can exist) or no rate is found.
Num internalRateOfReturn(std::span<const Num> flows, Num guess);

}  // namespace kelmora
