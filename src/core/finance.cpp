#include "core/finance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

// The present value is summed in long double: where that type is wider than a
// double, the rounding error of the sum stays well below what a double can
// show, so the rate returned is the root rounded to a double, not a neighbour
// of it that a last-digit error in the sum would pick.
namespace kelmora::irr_detail {

using Real = long double;

// Newton's steps stop once a step is this small relative to the rate (the
// step after it would change nothing a double shows); at most this many.
constexpr Real kNewtonTolerance = 1e-14L;
constexpr int kNewtonSteps = 60;
// Points tried on each side of the guess when looking for a sign change.
constexpr int kBracketPoints = 64;
// Halvings of a bracket: far more than a double's bits need.
constexpr int kBisectionSteps = 400;

struct Value {
    Real npv = 0;
    Real slope = 0;  // d npv / d rate
};

// Present value at `rate` and its derivative; nullopt when either is not
// finite (a rate at or below -1, or an overflow).
inline std::optional<Value> presentValue(const std::vector<Real>& flows, Real rate) {
    if (!(rate > -1)) return std::nullopt;
    const Real discount = 1 / (1 + rate);
    Value v;
    Real factor = 1;  // (1 + rate)^-k
    for (std::size_t k = 0; k < flows.size(); ++k) {
        v.npv += flows[k] * factor;
        v.slope -= static_cast<Real>(k) * flows[k] * factor * discount;
        factor *= discount;
    }
    if (!std::isfinite(v.npv) || !std::isfinite(v.slope)) return std::nullopt;
    return v;
}

inline std::optional<Real> newton(const std::vector<Real>& flows, Real guess) {
    Real rate = guess;
    for (int step = 0; step < kNewtonSteps; ++step) {
        const auto v = presentValue(flows, rate);
        if (!v) return std::nullopt;
        if (v->npv == 0) return rate;
        if (v->slope == 0) return std::nullopt;
        const Real delta = v->npv / v->slope;
        const Real next = rate - delta;
        if (!std::isfinite(next) || !(next > -1)) return std::nullopt;
        if (std::fabs(delta) <= kNewtonTolerance * std::max<Real>(1, std::fabs(next))) {
            // Settled only if the next step would be smaller still; a tiny
            // step on a steep slope far from any root does not count.
            const auto check = presentValue(flows, next);
            if (check && (check->npv == 0 || std::fabs(check->npv / check->slope) <= std::fabs(delta))) return next;
        }
        rate = next;
    }
    return std::nullopt;
}

// A rate that lies closer to 0 than the rounding of the present value can
// tell apart from it is 0: flows that merely come back in full have no
// return, not one of 1e-20.
inline Real snappedToZero(const std::vector<Real>& flows, Real rate) {
    const auto v = presentValue(flows, rate);
    if (!v || v->slope == 0) return rate;
    const Real discount = 1 / (1 + rate);
    Real magnitude = 0, factor = 1;
    for (const Real f : flows) {
        magnitude += std::fabs(f) * factor;
        factor *= discount;
    }
    const Real resolution = 4 * std::numeric_limits<Real>::epsilon() * magnitude / std::fabs(v->slope);
    return std::fabs(rate) <= resolution ? 0 : rate;
}

inline int sign(Real x) { return (x > 0) - (x < 0); }

// Halves [lo, hi], whose present values have opposite signs, until no rate
// lies between its ends.
inline Real bisect(const std::vector<Real>& flows, Real lo, Real hi, int loSign) {
    for (int step = 0; step < kBisectionSteps; ++step) {
        const Real mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) break;
        const auto v = presentValue(flows, mid);
        if (!v) break;
        const int s = sign(v->npv);
        if (s == 0) return mid;
        (s == loSign ? lo : hi) = mid;
    }
    return lo + (hi - lo) / 2;
}

// Walks away from the guess on both sides, the nearer points first, and
// bisects the first interval over which the present value changes sign:
// upwards in widening steps, downwards halving the distance to -1.
inline std::optional<Real> bracketed(const std::vector<Real>& flows, Real guess) {
    const auto atGuess = presentValue(flows, guess);
    if (!atGuess) return std::nullopt;
    if (atGuess->npv == 0) return guess;
    Real up = guess, down = guess;
    int upSign = sign(atGuess->npv), downSign = upSign;
    bool upOpen = true, downOpen = true;
    for (int k = 1; k <= kBracketPoints && (upOpen || downOpen); ++k) {
        if (upOpen) {
            const Real next = guess + std::ldexp(Real(0.1), k) - Real(0.1);
            const auto v = presentValue(flows, next);
            if (!v) {
                upOpen = false;
            } else if (sign(v->npv) == 0) {
                return next;
            } else if (sign(v->npv) != upSign) {
                return bisect(flows, up, next, upSign);
            } else {
                up = next;
            }
        }
        if (downOpen) {
            const Real next = -1 + (1 + guess) * std::ldexp(Real(1), -k);
            const auto v = presentValue(flows, next);
            if (!v || !(next < down)) {
                downOpen = false;
            } else if (sign(v->npv) == 0) {
                return next;
            } else if (sign(v->npv) != downSign) {
                return bisect(flows, next, down, sign(v->npv));
            } else {
                down = next;
            }
        }
    }
    return std::nullopt;
}

}  // namespace kelmora::irr_detail

namespace kelmora {

Num internalRateOfReturn(std::span<const Num> flows, Num guess) {
    using namespace irr_detail;
    std::vector<Real> series;
    bool inflow = false, outflow = false;
    for (const Num& f : flows) {
        series.push_back(f.value());
        inflow = inflow || f > 0;
        outflow = outflow || f < 0;
    }
    const Real start = guess.value();
    if (!inflow || !outflow || !(start > -1)) throw ArithmeticFailure(ArithmeticFailure::Kind::NoSolution);
    std::optional<Real> rate = newton(series, start);
    if (!rate) rate = bracketed(series, start);
    if (!rate || !std::isfinite(static_cast<double>(*rate)))
        throw ArithmeticFailure(ArithmeticFailure::Kind::NoSolution);
    return Num(static_cast<double>(snappedToZero(series, *rate)));
}

}  // namespace kelmora
