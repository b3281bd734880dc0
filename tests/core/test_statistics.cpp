// Calc_Statistics on the worked example, rejected rows, ties, data far from zero, tiny values and
// data sets too small to have a spread.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "core/calculation.h"

namespace sifton {
namespace {

struct StatCase {
    const char* name;
    std::vector<double> values;
    std::vector<int> rejectedRows;
    double sd, se;               // worked out by hand from the sums of squared deviations
    std::vector<double> sorted;  // the values under test, largest first
    double mean;
    int maxRow, minRow;
};

TEST(CalcStatistics, DataSetsAndTheWorkedExample) {
    using std::sqrt;
    const std::vector<double> tiny = {11e-4, 4e-4, 3e-4, 2e-4, 1e-4}, v(4, 1e8 + 0.1);
    const std::vector<double> five = {10, 12, 11, 30, 12}, far = {1e9 + 3, 1e9 + 2, 1e9 + 1};
    const StatCase cases[] = {
        {"Worked", five, {}, sqrt(71.0), sqrt(71.0 / 5), {30, 12, 12, 11, 10}, 15, 4, 1},
        {"Rejected", five, {4}, sqrt(2.75 / 3), sqrt(2.75 / 12), {12, 12, 11, 10}, 11.25, 2, 1},
        {"TiesLowestRow", {5, 9, 9, 2, 2}, {}, sqrt(12.3), sqrt(2.46), {9, 9, 5, 2, 2}, 5.4, 2, 4},
        // Far from zero a sum-of-squares spread would be 1.41; the rejected row is no extreme.
        {"AllEqual", v, {1}, 0, 0, {v[0], v[0], v[0]}, v[0], 2, 2},
        {"Tiny", tiny, {}, sqrt(15.7e-8), sqrt(3.14e-8), tiny, 42e-5, 1, 5},
        // The spread comes from the deviations, not from the sum and the sum of squares, whose
        // difference would cancel to nothing.
        {"FarFromZero", far, {}, 1, sqrt(1 / 3.), far, 1e9 + 2, 1, 3},
        {"Negative", {-3e8, -2e8}, {}, sqrt(0.5e16), 5e7, {-2e8, -3e8}, -2.5e8, 2, 1},
        {"OneValue", {5}, {}, 0, 0, {5}, 5, 1, 1},
        {"NoValue", {}, {}, 0, 0, {}, 0, 0, 0},
    };
    for (const StatCase& c : cases) {
        SCOPED_TRACE(c.name);
        Sample sample{c.values, std::vector<unsigned char>(c.values.size(), 0)};
        for (int row : c.rejectedRows) sample.rejected[static_cast<std::size_t>(row - 1)] = 1;
        const Statistics st = Calc_Statistics(sample);
        // The mean shown is the plain sum over n, a rounding step from the exact mean at most;
        // without a spread sd and se are exactly 0.
        EXPECT_NEAR(st.mean, c.mean, 1e-15 * std::fabs(c.mean));
        EXPECT_NEAR(st.sd, c.sd, 1e-13 * c.sd);
        EXPECT_NEAR(st.se, c.se, 1e-13 * c.se);
        const double max = c.sorted.empty() ? 0 : c.sorted.front();
        const double min = c.sorted.empty() ? 0 : c.sorted.back();
        EXPECT_EQ(std::tuple(st.n, st.maxRow, st.minRow, st.maxValue, st.minValue, st.sorted),
                  std::tuple(int(c.sorted.size()), c.maxRow, c.minRow, max, min, c.sorted));
    }
}

}  // namespace
}  // namespace sifton
