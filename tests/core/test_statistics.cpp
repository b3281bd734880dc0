// Calc_Statistics: the worked example, rejected rows, ties, data without spread far from zero,
// very negative and tiny values, and data sets too small to have a spread.
#include <cmath>
#include <tuple>

#include "core/number_text.h"
#include "core/statistics.h"
#include "test_support.h"

namespace sifton {
namespace {

using CalcStatistics = test::StoreTest;

struct StatCase {
    const char *name, *sd, *se;
    std::vector<double> values, rejectedRows, sorted;  // sorted: first is MaxValue, last MinValue
    double mean, posMax, posMin;
};

TEST_F(CalcStatistics, DataSetsAndTheWorkedExampleSums) {
    const double v = 1e8 + 0.1;
    const std::vector<double> tiny = {11e-4, 4e-4, 3e-4, 2e-4, 1e-4};
    const StatCase cases[] = {
        {"Worked", "8.43", "3.77", {10, 12, 11, 30, 12}, {}, {30, 12, 12, 11, 10}, 15, 4, 1},
        {"Rejected", "0.96", "0.48", {10, 12, 11, 30, 12}, {4}, {12, 12, 11, 10}, 11.25, 2, 1},
        {"TiesLowestRow", "3.51", "1.57", {5, 9, 9, 2, 2}, {}, {9, 9, 5, 2, 2}, 5.4, 2, 4},
        // Far from zero a sum-of-squares spread would be 1.41.
        {"AllEqual", "0.0", "0.0", {v, v, v, v}, {1}, {v, v, v}, v, 2, 2},
        {"Tiny", "0.000396", "0.000177", tiny, {}, tiny, 42e-5, 1, 5},
        {"Negative", "70710678.12", "50000000.0", {-3e8, -2e8}, {}, {-2e8, -3e8}, -2.5e8, 2, 1},
        {"OneValue", "0.0", "0.0", {5}, {}, {5}, 5, 1, 1},
        {"NoValue", "0.0", "0.0", {}, {}, {}, 0, 0, 0},
    };
    for (const StatCase& c : cases) {
        SCOPED_TRACE(c.name);
        store() = SampleStore{};
        test::loadValues(c.values);
        for (double r : c.rejectedRows) store().Rejected[int(r)] = 1, --store().NData;
        Calc_Statistics();
        const SampleStore& s = store();
        // The mean shown is the plain sum over n, a rounding step from the exact mean at most.
        EXPECT_NEAR(s.Mean.toNumber(), c.mean, 1e-15 * std::fabs(c.mean));
        EXPECT_EQ(std::pair(s.SD, s.SE), std::pair(Cell(c.sd), Cell(c.se)));
        // SDnum is the number SD shows, and exactly 0 without a spread.
        EXPECT_EQ(formatDataNumber(s.SDnum.toNumber(), Pattern::UpToTwoDecimals, largestSize(s)),
                  c.sd);
        EXPECT_EQ(s.SDnum.toNumber() == 0, c.sd == std::string("0.0"));
        EXPECT_EQ(std::pair(s.PosMax.toNumber(), s.PosMin.toNumber()),
                  std::pair(c.posMax, c.posMin));
        EXPECT_EQ(s.MaxValue.toNumber(), c.sorted.empty() ? 0 : c.sorted.front());
        EXPECT_EQ(s.MinValue.toNumber(), c.sorted.empty() ? 0 : c.sorted.back());
        for (size_t k = 0; k < c.sorted.size(); ++k)
            EXPECT_EQ(s.Sorted[static_cast<int>(k) + 1].toNumber(), c.sorted[k]) << k + 1;
    }
    test::loadValues({10, 12, 11, 30, 12});  // after the last case, which rejects nothing
    Calc_Statistics();
    const SampleStore& s = store();
    EXPECT_EQ(std::tuple(s.SumX, s.SumDev2, s.SumX2),
              std::tuple(Cell(75.), Cell(284.), Cell(1409.)));
    EXPECT_TRUE(s.SDnum.isDouble());  // unrounded: the tests divide by it, not by "8.43"
    EXPECT_NEAR(s.SDnum.toNumber(), std::sqrt(71.0), 1e-12);
}

}  // namespace
}  // namespace sifton
