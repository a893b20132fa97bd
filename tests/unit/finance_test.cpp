// The internal rate of return: exact roots, both search paths, and the
// series for which no rate exists.
#include <gtest/gtest.h>

#include <vector>

#include "core/finance.h"

using namespace kelmora;

namespace {

Num irr(const std::vector<Num>& flows, Num guess = 0.1) { return internalRateOfReturn(flows, guess); }

void expectNoSolution(const std::vector<Num>& flows) {
    try {
        irr(flows);
        ADD_FAILURE() << "a rate was found";
    } catch (const ArithmeticFailure& e) {
        EXPECT_EQ(e.kind(), ArithmeticFailure::Kind::NoSolution);
    }
}

TEST(InternalRateOfReturn, FindsTheRateToTheLastDigit) {
    // A bond bought at par with a 5% coupon yields exactly 5%.
    EXPECT_EQ(irr({-1000, 50, 50, 50, 50, 1050}).value(), 0.05);
    EXPECT_EQ(irr({-100, 110}).value(), 0.1);
    EXPECT_EQ(irr({-100, 100}).value(), 0.0);
    // Roots worked out to 40 digits elsewhere.
    EXPECT_NEAR(irr({-1000, 100, 100, 100, 100, 100}).value(), -0.19401852018873171508, 1e-15);
    EXPECT_NEAR(irr({-1, 0, 0, 0, 0, 1e6}).value(), 14.848931924611134852, 1e-13);
}

TEST(InternalRateOfReturn, FallsBackToABracketWhenNewtonLeavesTheRange) {
    // From 0.1 the first Newton step lands far below -1; the root lies near -0.937.
    EXPECT_NEAR(irr({1, 0, 0, 0, 0, -1e-6}).value(), -0.93690426555198067563, 1e-15);
}

TEST(InternalRateOfReturn, StartsFromTheGuessGiven) {
    // Two rates fit (0.1 and 0.2 per period): each guess finds the nearer one.
    const std::vector<Num> flows = {-1, 2.3, -1.32};
    EXPECT_NEAR(irr(flows, 0.05).value(), 0.1, 1e-13);
    EXPECT_NEAR(irr(flows, 0.25).value(), 0.2, 1e-13);
}

TEST(InternalRateOfReturn, FailsWhenNoRateExists) {
    expectNoSolution({});
    expectNoSolution({0, 0, 0, 0, 0, 0});
    expectNoSolution({-1000, -50, 0, 0});  // money only goes out
    expectNoSolution({100, 50});           // money only comes in
    // Both signs, yet 1 - x + x^2 never reaches 0.
    expectNoSolution({1, -1, 1});
}

}  // namespace
