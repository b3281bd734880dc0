// How often clean data reach the 5 % level with the shipped tables. Every critical value is
// one-sided for the tested extreme, so the largest of n standard normal values must reach it in
// 5 % of samples, and so must the smallest; the two are pooled. Band: 4 standard errors of the
// pooled rate (0.0431 to 0.0569 for 8000 samples, wider when the two extremes' events are seen to
// go together). A column shifted by one level gives 0.075 / 0.025 (Grubbs) or 0.10 / 0.02
// (Dixon) at every n; a record shifted by one, at n = 5: Grubbs 0.227 / 0.000, Dixon
// 0.012 / 0.097, g 0.019 / 0.076 (from the t distribution, for Dixon a separate simulation of
// 10^6 samples). At 30 and 40 neighbouring records differ too little; those n check the far end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/calculation.h"
#include "core/outlier_tests.h"
#include "test_support.h"

namespace sifton {
namespace {

constexpr long kSamples = 8000;

// How often the largest and the smallest value reach the 5 % level, and both at once.
struct Count {
    long largest = 0, smallest = 0, both = 0;
    void add(bool max, bool min) { largest += max, smallest += min, both += max && min; }
    void expectFivePercent(const char* test) const {
        const double trials = 2.0 * kSamples, p = 0.05;
        const double rate = static_cast<double>(largest + smallest) / trials;
        // Variance of X + Y per sample, X and Y the two extremes' events, each with rate p.
        const double variance =
            2 * p * (1 - p) + 2 * (static_cast<double>(both) / kSamples - p * p);
        const double se = std::sqrt(std::max(variance, 2 * p * (1 - p)) / (2 * trials));
        EXPECT_NEAR(rate, p, 4 * se)
            << test << ": largest " << largest << ", smallest " << smallest << " of " << kSamples;
    }
};

TEST(ShippedTablesRate, FivePercentOfCleanSamples) {
    for (int n : {5, 10, 20, 30, 40}) {
        SCOPED_TRACE(n);
        std::mt19937_64 random(20240605u + static_cast<unsigned>(n));
        std::normal_distribution<double> normal;
        Count grubbs, dixon, gauss;
        Sample sample{std::vector<double>(static_cast<std::size_t>(n)), {}};
        for (long i = 0; i < kSamples; ++i) {
            for (double& v : sample.values) v = normal(random);
            const Results r = calculate(sample, test::shippedTables());
            grubbs.add(grubbsSignificant(r.grubbs.max.cls), grubbsSignificant(r.grubbs.min.cls));
            dixon.add(dixonSignificant(r.dixon.max.cls), dixonSignificant(r.dixon.min.cls));
            gauss.add(r.gauss.max.outlier, r.gauss.min.outlier);
        }
        grubbs.expectFivePercent("Grubbs");
        if (n <= 25) dixon.expectFivePercent("Dixon");
        gauss.expectFivePercent("g");
    }
}

}  // namespace
}  // namespace sifton
