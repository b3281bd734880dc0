// The simulated tail of Dixon's ratio that dixon-p.dat is written from: for three values it must
// match the exact distribution within its own standard errors, and those must match the exact
// ones. With three values the two ratios of a sample add up to 1, so both exceed x only when
// x < 1/2, with probability P(x) - P(1 - x).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "dixon_sim.h"

namespace {

TEST(DixonTail, ThreeValuesMatchTheExactDistribution) {
    constexpr std::uint64_t kSamples = 1'000'000;
    const sifton::tools::DixonTail tail =
        sifton::tools::simulate_dixon_tail(3, kSamples, 20261207, 1000);
    ASSERT_EQ(tail.above.size(), 1001u);
    EXPECT_EQ(tail.above.front(), 1.0);
    EXPECT_EQ(tail.above.back(), 0.0);
    auto exact = [](double x) {
        return 3 / std::numbers::pi * std::atan(std::sqrt(3) * (1 - x) / (1 + x));
    };
    for (int k = 1; k < 1000; ++k) {
        const double x = k / 1000.0, p = exact(x), both = std::max(0.0, p - exact(1 - x));
        const double se = std::sqrt((2 * p + 2 * both - 4 * p * p) / (4.0 * kSamples));
        SCOPED_TRACE(x);
        EXPECT_NEAR(tail.above[k], p, 5 * se);
        EXPECT_NEAR(tail.std_error[k], se, 0.02 * se + 1e-7);
    }
}

}  // namespace
