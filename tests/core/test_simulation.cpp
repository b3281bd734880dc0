// How often clean data reach the 5 % level with the tables that ship with the program.
//
// Samples of n standard normal values go through Calc_Statistics and the tests, reading the
// shipped tables. Every critical value is one-sided for the tested extreme, so the largest value
// must reach the 5 % level in 5 % of samples, and so must the smallest; the two are pooled.
// Band: 5 % plus or minus 4 standard errors of the pooled rate (the covariance of the two
// extremes' events is taken from the observed counts when it widens the band); with 8000 samples
// it is 0.0431 to 0.0569. A table column shifted by one level gives 0.075 / 0.025 (Grubbs) or
// 0.10 / 0.02 (Dixon) at every n. Shifted by one record (that of n - 1 / n + 1 used for n), at
// n = 5: Grubbs 0.227 / 0.000, Dixon 0.012 / 0.097, g 0.019 / 0.076, all far outside; at n = 10:
// Grubbs 0.071 / 0.036, Dixon 0.034 / 0.014, g 0.044 / 0.055 (inside); at n = 20 Dixon
// 0.041 / 0.058 (worked out from the t distribution, and for Dixon from a separate simulation of
// 10^6 samples). At 30 and 40 neighbouring records differ too little; those n check the far end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/calculation.h"
#include "core/outlier_tests.h"
#include "core/tables.h"

namespace sifton {
namespace {

// How often the largest and the smallest value of a sample reach the 5 % level, and both at once.
struct Count {
    long largest = 0, smallest = 0, both = 0;
    void add(bool max, bool min) { largest += max, smallest += min, both += max && min; }
};

constexpr long kSamples = 8000;

void expectFivePercent(const char* test, const Count& count) {
    const double trials = 2.0 * kSamples, p = 0.05;
    const double rate = static_cast<double>(count.largest + count.smallest) / trials;
    const double bothRate = static_cast<double>(count.both) / kSamples;
    // Variance of X + Y per sample, X and Y the two extremes' events, each with rate p.
    const double variance = 2 * p * (1 - p) + 2 * (bothRate - p * p);
    const double se = std::sqrt(std::max(variance, 2 * p * (1 - p)) / (2 * trials));
    EXPECT_NEAR(rate, p, 4 * se) << test << ": largest " << count.largest << ", smallest "
                                 << count.smallest << " of " << kSamples << " samples";
}

// Each test that runs at n (Dixon up to 25); significant is from the 5 % class on.
TEST(ShippedTablesRate, FivePercentOfCleanSamples) {
    FolderTables tables(SIFTON_DATA_DIR, false);
    for (int n : {5, 10, 20, 30, 40}) {
        SCOPED_TRACE(n);
        std::mt19937_64 random(20240605u + static_cast<unsigned>(n));
        std::normal_distribution<double> normal;
        Count grubbs, dixon, gauss;
        Sample sample{std::vector<double>(static_cast<std::size_t>(n)), {}};
        for (long i = 0; i < kSamples; ++i) {
            for (double& v : sample.values) v = normal(random);
            const Results r = calculate(sample, tables);
            grubbs.add(grubbsSignificant(r.grubbs.max.cls), grubbsSignificant(r.grubbs.min.cls));
            dixon.add(dixonSignificant(r.dixon.max.cls), dixonSignificant(r.dixon.min.cls));
            gauss.add(r.gauss.max.outlier, r.gauss.min.outlier);
        }
        expectFivePercent("Grubbs", grubbs);
        if (n <= 25) expectFivePercent("Dixon", dixon);
        expectFivePercent("g", gauss);
    }
}

}  // namespace
}  // namespace sifton
