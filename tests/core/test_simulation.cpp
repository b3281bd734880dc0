// How often clean data reach the 5 % level with the tables that ship with the program.
//
// Samples of n standard normal values go through the program's own Calc_Statistics and test
// routines, reading the shipped table files. Every critical value is
// one-sided for the tested extreme, so the rate at which the largest value reaches the 5 % level
// must be 5 %, and likewise for the smallest value; the two are pooled.
//
// Band: 5 % plus or minus 4 standard errors of the pooled rate (the covariance of the two
// extremes' events in one sample is taken from the observed counts when it widens the band).
// With 8000 samples, that is 16000 extremes, the band is 0.0431 to 0.0569. Rates if a table
// column were shifted, worked out for these n from the t distribution (Grubbs, g) and from a
// separate simulation of 10^6 samples (Dixon):
//   - by one level (Grubbs 7.5 % or 2.5 % column, Dixon 10 % or 2 % column): 0.075 / 0.025 and
//     0.10 / 0.02 at every n, far outside;
//   - by one n (the record of n - 1 / n + 1 used for n), at n = 5: Grubbs 0.227 / 0.000,
//     Dixon 0.012 / 0.097, g 0.019 / 0.076; at n = 10: Grubbs 0.071 / 0.036, Dixon
//     0.034 / 0.014, g 0.044 / 0.055 (inside); at n = 20 Dixon 0.041 / 0.058.
// So a column misaligned by one level or one record fails at n = 5 for every table. At 30 and
// 40 neighbouring records differ too little for that; those n check the far end of the tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string_view>
#include <tuple>

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

// The Grubbs and Dixon classes at the 5 % level or beyond; none of them is a text either test
// uses below that level.
bool reaches5(std::string_view cls) {
    for (const char* label : {grubbs_class::k2_5To5, grubbs_class::k1To2_5, grubbs_class::kBelow1,
                              grubbs_class::kBelow2_5, dixon_class::k2To5, dixon_class::k1To2,
                              dixon_class::k0_5To1, dixon_class::kBelow0_5})
        if (cls == label) return true;
    return false;
}

void expectFivePercent(const char* test, const Count& count, long samples) {
    const double trials = 2.0 * static_cast<double>(samples), p = 0.05;
    const double rate = static_cast<double>(count.largest + count.smallest) / trials;
    const double bothRate = static_cast<double>(count.both) / static_cast<double>(samples);
    // Variance of X + Y per sample, X and Y the two extremes' events, each with rate p.
    const double variance = 2 * p * (1 - p) + 2 * (bothRate - p * p);
    const double se = std::sqrt(std::max(variance, 2 * p * (1 - p)) / (2 * trials));
    EXPECT_NEAR(rate, p, 4 * se) << test << ": largest " << count.largest << ", smallest "
                                 << count.smallest << " of " << samples << " samples";
}

constexpr long kSamples = 8000;

TEST(ShippedTablesRate, FivePercentOfCleanSamples) {
    // n, and which of Grubbs, Dixon and g are counted at it.
    const std::tuple<int, bool, bool, bool> cases[] = {{5, true, true, true},
                                                       {10, true, true, true},
                                                       {20, false, true, false},
                                                       {30, true, false, false},
                                                       {40, false, false, true}};
    FolderTables tables(SIFTON_DATA_DIR, false);
    for (const auto& [n, grubbs, dixon, gauss] : cases) {
        SCOPED_TRACE(n);
        std::mt19937_64 random(20240605u + static_cast<unsigned>(n));
        std::normal_distribution<double> normal;
        Count counts[3];
        Sample sample{std::vector<double>(static_cast<std::size_t>(n)), {}};
        for (long i = 0; i < kSamples; ++i) {
            for (double& v : sample.values) v = normal(random);
            const Statistics st = Calc_Statistics(sample);
            if (grubbs) {
                const GrubbsResult r = Grubbs_Test(st, tables);
                counts[0].add(reaches5(r.max.cls), reaches5(r.min.cls));
            }
            if (dixon) {
                const DixonResult r = Dixon_Test(st, tables);
                counts[1].add(reaches5(r.max.cls), reaches5(r.min.cls));
            }
            if (gauss) {
                const GaussResult r = Gauss_Test(sample, st, tables);
                counts[2].add(r.max.outlier, r.min.outlier);
            }
        }
        if (grubbs) expectFivePercent("Grubbs", counts[0], kSamples);
        if (dixon) expectFivePercent("Dixon", counts[1], kSamples);
        if (gauss) expectFivePercent("g", counts[2], kSamples);
    }
}

}  // namespace
}  // namespace sifton
