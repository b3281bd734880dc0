// Where the numbers sit does not matter: with the shipped tables, shifting data of spread near 1
// by up to 1E+09 leaves every statistic's text, class and verdict of the four tests as it was, and
// scaling by 1E-04 or 1E+04 every class and verdict. Each data set has a flagged outlier, and its
// statistics lie at least 1E-05 (relative) from every critical value, fence and rounding step of
// their texts (worked out with exact fractions), far more than the 1E-07 a shift of 1E+09 moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/calculation.h"
#include "core/number_text.h"
#include "core/outlier_tests.h"
#include "test_support.h"

namespace sifton {
namespace {

// The classes and verdicts of one run, and the statistics' texts when asked (zeros for a test
// that did not run).
std::string outcome(const std::vector<double>& values, bool statistics) {
    const Results r = calculate(Sample{values, {}}, test::shippedTables());
    std::string text;
    for (std::string_view c : {r.grubbs.min.cls, r.grubbs.max.cls, r.dixon.min.cls, r.dixon.max.cls,
                               r.iqr.youngVerdict, r.iqr.oldVerdict})
        text += std::string(c) + "|";
    for (double g : {r.gauss.min.g, r.gauss.max.g})
        text += gaussIsOutlier(g, r.gauss.critical) ? "outlier|" : "ok|";
    if (!statistics) return text;
    for (double s : {r.grubbs.min.statistic, r.grubbs.max.statistic, r.dixon.min.statistic,
                     r.dixon.max.statistic})
        text += formatNumber(s, Pattern::UpToThreeDecimals) + "|";
    return text + gaussText(r.gauss.min.g) + "|" + gaussText(r.gauss.max.g);
}

TEST(ShiftAndScale, LeaveEveryOutcomeOfTheFourTests) {
    // n, step, lift: n - 1 values from 10 in steps, scrambled, and one 'lift' above the largest
    // (below the smallest when negative). 5 and 12 run all four tests, 30 all but Dixon, 60
    // Grubbs and IQR.
    for (const auto& [n, step, lift] :
         {std::tuple(5, 0.3, 2.9), {12, 0.19, -1.7}, {30, 0.07, 1.9}, {60, 0.07, -2.3}}) {
        SCOPED_TRACE(n);
        std::vector<double> values;
        for (int i = 0; i < n - 1; ++i) values.push_back(10 + (i * 17 % (n - 1)) * step);
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        values.push_back(lift > 0 ? *high + lift : *low + lift);
        ASSERT_NE(outcome(values, false).find("outlier"), std::string::npos);
        for (const auto& [factor, shift] :
             {std::pair(1.0, 1e4), {1.0, 1e8}, {1.0, 1e9}, {1e-4, 0.0}, {1e4, 0.0}}) {
            std::vector<double> moved = values;
            for (double& v : moved) v = v * factor + shift;
            EXPECT_EQ(outcome(moved, shift > 0), outcome(values, shift > 0))
                << factor << " " << shift;
        }
    }
}

}  // namespace
}  // namespace sifton
