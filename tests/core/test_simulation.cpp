// How often clean data reach the 5 % level with the tables that ship with the program.
//
// Samples of n standard normal values go through the store and the program's own
// Calc_Statistics and test routines, reading the shipped table files. Every critical value is
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
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/outlier_tests.h"
#include "core/statistics.h"
#include "core/store.h"
#include "test_support.h"

namespace sifton {
namespace {

using test::CaseName;
using test::operator<<;

struct SimulationCase {
    std::string name;
    int n;
    bool grubbs, dixon, gauss;
};

// Counts of one test: samples whose largest / smallest value reached 5 %, and both at once.
struct Count {
    long largest = 0, smallest = 0, both = 0;
    void add(bool max, bool min) {
        largest += max;
        smallest += min;
        both += max && min;
    }
};

bool grubbsAt5(const Cell& cls) {
    using namespace grubbs_class;
    for (const char* label : {k2_5To5, k1To2_5, kBelow1, kBelow2_5})
        if (cls == Cell(label)) return true;
    return false;
}

bool dixonAt5(const Cell& cls) {
    using namespace dixon_class;
    for (const char* label : {k2To5, k1To2, k0_5To1, kBelow0_5})
        if (cls == Cell(label)) return true;
    return false;
}

void expectFivePercent(const char* test, const Count& count, long samples) {
    const double trials = 2.0 * static_cast<double>(samples);
    const double rate = static_cast<double>(count.largest + count.smallest) / trials;
    const double p = 0.05;
    const double bothRate = static_cast<double>(count.both) / static_cast<double>(samples);
    // Variance of X + Y per sample, X and Y the two extremes' events, each with rate p.
    const double variance = 2 * p * (1 - p) + 2 * (bothRate - p * p);
    const double se = std::sqrt(std::max(variance, 2 * p * (1 - p)) / (2 * trials));
    ::testing::Test::RecordProperty(std::string(test) + "Rate", std::to_string(rate));
    EXPECT_NEAR(rate, p, 4 * se) << test << ": largest " << count.largest << ", smallest "
                                 << count.smallest << " of " << samples << " samples";
}

constexpr long kSamples = 8000;

class ShippedTablesRate : public test::StoreTest,
                          public ::testing::WithParamInterface<SimulationCase> {};

TEST_P(ShippedTablesRate, FivePercentOfCleanSamples) {
    const SimulationCase& c = GetParam();
    std::mt19937_64 random(20240605u + static_cast<unsigned>(c.n));
    std::normal_distribution<double> normal;
    Count grubbs, dixon, gauss;
    SampleStore& s = store();
    s.TableFolder = SIFTON_DATA_DIR;
    s.RowCount = c.n;
    s.NData = c.n;
    for (long sample = 0; sample < kSamples; ++sample) {
        for (int i = 1; i <= c.n; ++i) s.Col1[i] = normal(random);
        Calc_Statistics();
        if (c.grubbs) {
            Grubbs_Test();
            grubbs.add(grubbsAt5(s.GrubbsClassMax), grubbsAt5(s.GrubbsClassMin));
        }
        if (c.dixon) {
            Dixon_Test();
            dixon.add(dixonAt5(s.DixClassMax), dixonAt5(s.DixClassMin));
        }
        if (c.gauss) {
            Gauss_Test();
            const double critical = s.GaussCrit.toNumber();
            gauss.add(gaussIsOutlier(s.GauOld, critical), gaussIsOutlier(s.GauYoung, critical));
        }
    }
    if (c.grubbs) expectFivePercent("Grubbs", grubbs, kSamples);
    if (c.dixon) expectFivePercent("Dixon", dixon, kSamples);
    if (c.gauss) expectFivePercent("g", gauss, kSamples);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShippedTablesRate,
                         ::testing::Values(SimulationCase{"N5", 5, true, true, true},
                                           SimulationCase{"N10", 10, true, true, true},
                                           SimulationCase{"N20", 20, false, true, false},
                                           SimulationCase{"N30", 30, true, false, false},
                                           SimulationCase{"N40", 40, false, false, true}),
                         CaseName{});

}  // namespace
}  // namespace sifton
