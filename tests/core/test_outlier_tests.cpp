// Calc_Statistics and the four outlier tests: ranges of n, ratio and quartile choices by n,
// statistics exactly on a limit, data without spread and the g verdict. The four tests' results
// on the worked example are test_presentation.cpp's and the command line's.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "core/calculation.h"
#include "core/data_set.h"
#include "core/outlier_tests.h"
#include "test_support.h"

namespace sifton {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// 1, 2, ..., n, with the first half in reverse so the rows are not already in order.
std::vector<double> oneTo(int n, double step = 1) {
    std::vector<double> values;
    for (int j = 1; j <= n; ++j) values.push_back(step * j);
    std::reverse(values.begin(), values.begin() + n / 2);
    return values;
}

Statistics statisticsOf(const std::vector<double>& values) {
    return Calc_Statistics(Sample{values, {}});
}

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
    const std::vector<double> v(4, 1e8 + 0.1);
    const std::vector<double> five = {10, 12, 11, 30, 12}, far = {1e9 + 3, 1e9 + 2, 1e9 + 1};
    const StatCase cases[] = {
        {"Worked", five, {}, sqrt(71.0), sqrt(71.0 / 5), {30, 12, 12, 11, 10}, 15, 4, 1},
        {"Rejected", five, {4}, sqrt(2.75 / 3), sqrt(2.75 / 12), {12, 12, 11, 10}, 11.25, 2, 1},
        {"TiesLowestRow", {5, 9, 9, 2, 2}, {}, sqrt(12.3), sqrt(2.46), {9, 9, 5, 2, 2}, 5.4, 2, 4},
        // Far from zero a spread from the sum of squares would be 1.41 and 0; rejected: no extreme.
        {"AllEqual", v, {1}, 0, 0, {v[0], v[0], v[0]}, v[0], 2, 2},
        {"FarFromZero", far, {}, 1, sqrt(1 / 3.), far, 1e9 + 2, 1, 3},
        {"OneValue", {5}, {}, 0, 0, {5}, 5, 1, 1},
        {"NoValue", {}, {}, 0, 0, {}, 0, 0, 0},
    };
    for (const StatCase& c : cases) {
        SCOPED_TRACE(c.name);
        Sample sample{c.values, std::vector<unsigned char>(c.values.size(), 0)};
        for (int row : c.rejectedRows) sample.rejected[static_cast<std::size_t>(row - 1)] = 1;
        const Statistics st = Calc_Statistics(sample);
        // The mean shown (the plain sum over n) within a rounding step; no spread is exactly 0.
        EXPECT_NEAR(st.mean, c.mean, 1e-15 * std::fabs(c.mean));
        EXPECT_NEAR(st.sd, c.sd, 1e-13 * c.sd);
        EXPECT_NEAR(st.se, c.se, 1e-13 * c.se);
        const double max = c.sorted.empty() ? 0 : c.sorted.front();
        const double min = c.sorted.empty() ? 0 : c.sorted.back();
        EXPECT_EQ(std::tuple(st.n, st.maxRow, st.minRow, st.maxValue, st.minValue, st.sorted),
                  std::tuple(int(c.sorted.size()), c.maxRow, c.minRow, max, min, c.sorted));
    }
}

using OutlierTest = test::WithTables;

// Which of Grubbs, Dixon, IQR and g run at n: 3..100, 3..25, 6..300 and 3..50. The tables have
// no record outside a test's range, so a test that looked one up there would throw.
TEST_F(OutlierTest, RangesOfN) {
    const std::pair<int, const char*> cases[] = {
        {2, "----"},  {3, "GD-g"},  {5, "GD-g"},   {6, "GDIg"},   {25, "GDIg"},      {26, "G-Ig"},
        {50, "G-Ig"}, {51, "G-I-"}, {100, "G-I-"}, {101, "--I-"}, {kMaxRows, "--I-"}};
    for (const auto& [n, ran] : cases) {
        Results r;
        ASSERT_NO_THROW(r = calculate(Sample{oneTo(n), {}}, m_tables)) << n;
        const std::string flags = {r.grubbs.ran ? 'G' : '-', r.dixon.ran ? 'D' : '-',
                                   r.iqr.ran ? 'I' : '-', r.gauss.ran ? 'g' : '-'};
        EXPECT_EQ(flags, ran) << n;
    }
}

// On a critical value the class is the more significant one, just below it the other. The
// labels of the Grubbs classes change above n = 20 and above n = 25.
TEST(ClassText, OnACriticalValueAndWhichAreSignificant) {
    namespace g = grubbs_class;
    namespace d = dixon_class;
    const char* grubbs[] = {g::kAbove10, g::k7_5To10, g::k5To7_5,
                            g::k2_5To5,  g::k1To2_5,  g::kBelow1};
    const char* dixon[] = {d::kAbove10, d::k5To10, d::k2To5, d::k1To2, d::k0_5To1, d::kBelow0_5};
    const std::array<double, 6> c = {0, 1, 2, 3, 4, 5};
    auto grubbsClass = [&](double g, double n) { return std::string(grubbsClassText(g, c, n)); };
    for (int column = 1; column <= 5; ++column) {
        EXPECT_EQ(grubbsClass(column, 3), grubbs[column]);
        EXPECT_EQ(grubbsClass(column - 1e-9, 3), grubbs[column - 1]);
        EXPECT_EQ(dixonClassText(column, c), dixon[column]);
        EXPECT_EQ(dixonClassText(column - 1e-9, c), dixon[column - 1]);
    }
    EXPECT_EQ(grubbsClass(2.5, 20) + "|" + grubbsClass(2.5, 21), "  5-7.5 %  |  > 5%  ");
    EXPECT_EQ(grubbsClass(4.5, 25) + "|" + grubbsClass(4.5, 26), "  1-2.5 %  |  < 2.5%  ");
    EXPECT_EQ(grubbsClass(5, 25) + "|" + grubbsClass(5, 26), "  < 1 %  |  < 2.5%  ");
    // Highlighted from the 5 % class on, and the IQR test's outliers.
    namespace i = iqr_verdict;
    std::string flags;
    for (const char* cls : {g::kAbove10, g::k7_5To10, g::k5To7_5, g::kAbove5, g::k2_5To5,
                            g::k1To2_5, g::kBelow1, g::kBelow2_5, ""})
        flags += grubbsSignificant(cls) ? '1' : '0';
    for (const char* cls :
         {d::kAbove10, d::k5To10, d::k2To5, d::k1To2, d::k0_5To1, d::kBelow0_5, ""})
        flags += dixonSignificant(cls) ? '1' : '0';
    for (const char* cls : {i::kWithin, i::kMild, i::kExtreme, ""})
        flags += iqrSignificant(cls) ? '1' : '0';
    EXPECT_EQ(flags, std::string("000011110") + "0011110" + "0110");
}

// Far from zero T is measured from the compensated mean: 1E+09 plus 1.1, 1.7, 0.3 and 4.9 give
// T = 2.9 / sqrt(12.2 / 3), within 1E-08 as stored; a plain sum would move it by 6E-08.
TEST_F(OutlierTest, GrubbsFarFromZero) {
    const Statistics st = statisticsOf({1e9 + 1.1, 1e9 + 1.7, 1e9 + 0.3, 1e9 + 4.9});
    EXPECT_NEAR(Grubbs_Test(st, m_tables).max.statistic, 2.9 / std::sqrt(12.2 / 3), 2e-8);
}

// Which sorted values each ratio takes, counted from the largest (S(1)) down: r10 up to n = 7,
// r11 up to 10, r21 up to 13, r22 from 14.
TEST_F(OutlierTest, DixonRatioByN) {
    const std::tuple<int, std::array<int, 4>, std::array<int, 4>> cases[] = {
        {7, {1, 2, 1, 7}, {6, 7, 1, 7}},      {8, {1, 2, 1, 7}, {7, 8, 2, 8}},
        {10, {1, 2, 1, 9}, {9, 10, 2, 10}},   {11, {1, 3, 1, 10}, {9, 11, 2, 11}},
        {13, {1, 3, 1, 12}, {11, 13, 2, 13}}, {14, {1, 3, 1, 12}, {12, 14, 3, 14}}};
    for (const auto& [n, forMax, forMin] : cases) {
        // Squares spread every gap differently, so each choice of ratio gives its own value.
        std::vector<double> values = oneTo(n);
        for (double& v : values) v *= v;
        const DixonResult r = Dixon_Test(statisticsOf(values), m_tables);
        auto S = [n = n](int i) { return double(n + 1 - i) * (n + 1 - i); };
        auto ratio = [&](const std::array<int, 4>& x) {
            return (S(x[0]) - S(x[1])) / (S(x[2]) - S(x[3]));
        };
        EXPECT_DOUBLE_EQ(r.max.statistic, ratio(forMax)) << n;
        EXPECT_DOUBLE_EQ(r.min.statistic, ratio(forMin)) << n;
    }
}

// n, then Q3 and Q1 of 10, 20, ..., 10 n: the means of the positions, counted from the largest,
// 1-2 and 4-5 at n = 6; 2, 5-6; 2-3, 6; 2-3, 6-7; 2-3, 7-8; 3, 8-9; 3-4, 9 at n = 12.
TEST(IqrTest, QuartilesByNAndStrictFences) {
    const std::array<double, 3> positions[] = {{6, 55, 25},  {7, 60, 25},  {8, 65, 30}, {9, 75, 35},
                                               {10, 85, 35}, {11, 90, 35}, {12, 95, 40}};
    for (const auto& [n, q3, q1] : positions) {
        const IqrResult r = IQR_Test(statisticsOf(oneTo(int(n), 10)));
        EXPECT_EQ(std::pair(r.q3, r.q1), std::pair(q3, q1)) << n;
    }
    using namespace iqr_verdict;
    // Q1 = 10 and Q3 = 14.5 in all but the equal values: fences 3.25 / -3.5 and 21.25 / 28.
    const std::tuple<std::vector<double>, const char*, const char*> cases[] = {
        {{10, 12, 2, 14, 9, std::nextafter(28.0, 29.0), 15, 11}, kMild, kExtreme},
        {{10, 12, 2, 14, 9, 28, 15, 11}, kMild, kMild},
        // Q3 = (62.8 + 61.9) / 2 = 62.35 and Q1 = 60.1: in binary the midpoint is
        // 62.349999999999994, which would put 69.1, on the outer fence, beyond it.
        {{60.5, 62.8, 59, 61.9, 60.1, 69.1, 61, 60}, kWithin, kMild},
        {{10, 12, 2, 14, 9, 21.25, 15, 11}, kMild, kWithin},
        {{10, 12, 3.25, 14, 9, 20, 15, 11}, kWithin, kWithin},
        {{10, 12, -3.5, 14, 9, 20, 15, 11}, kMild, kWithin},
        {{5, 5, 5, 5, 5, 1}, kExtreme, kWithin},
        // Q1 = 10.0004 would be shown as 10.0, but the fences come from the quartile itself:
        // the upper inner fence is 21.2494, not 21.25, and 21.2497 lies beyond it.
        {{21.2497, 15, 14, 12, 11, 10.0004, 9, 2}, kMild, kMild}};
    for (const auto& [values, young, old] : cases) {
        const IqrResult r = IQR_Test(statisticsOf(values));
        EXPECT_EQ(std::pair(r.youngVerdict, r.oldVerdict),
                  std::pair(std::string_view(young), std::string_view(old)))
            << testing::PrintToString(values);
    }
    const IqrResult r = IQR_Test(statisticsOf({10, 12, 2, 14, 9, 20, 15, 11}));
    EXPECT_EQ(std::tuple(r.lowerInner, r.upperInner, r.lowerOuter, r.upperOuter),
              std::tuple(3.25, 21.25, -3.5, 28.0));
}

// Each extreme against the rest; a rest without spread makes a differing extreme unbounded.
// The g verdict is that of the g shown ("0.0#"), strictly above the critical value; an
// unbounded g is always an outlier. 2.505 is 2.50499999999999989 in binary, 2.505 to 15 digits.
TEST_F(OutlierTest, GaussRestsAndVerdict) {
    const std::tuple<std::vector<double>, double, double> cases[] = {
        {{1, 2, 10}, 8.5 / std::sqrt(0.5), 5 / std::sqrt(32.0)},  // divisor 1
        // The second 9 stays in the rest.
        {{5, 9, 9, 2}, (11 / 3.) / std::sqrt(37 / 3.), (17 / 3.) / std::sqrt(16 / 3.)},
        {{1, 5, 5}, std::sqrt(0.5), kInf},
        {{5, 5, 5}, 0, 0}};  // no spread anywhere: nothing stands out
    for (const auto& [values, old, young] : cases) {
        SCOPED_TRACE(testing::PrintToString(values));
        const GaussResult r = Gauss_Test(Sample{values, {}}, statisticsOf(values), m_tables);
        for (const auto& [g, expected] : {std::pair(r.max.g, old), std::pair(r.min.g, young)}) {
            EXPECT_TRUE(g == expected || std::fabs(g - expected) <= 1e-13 * expected) << g;
            EXPECT_EQ(gaussText(g) == kUnboundedStatistic, std::isinf(expected));
        }
    }
    const std::tuple<double, const char*, bool> verdicts[] = {
        {2.5, "2.5", false}, {2.5049999, "2.5", false},         {2.505, "2.51", true},
        {0, "0.0", false},   {kInf, kUnboundedStatistic, true}, {12.0208, "12.02", true}};
    for (const auto& [g, shown, outlier] : verdicts) {
        EXPECT_EQ(gaussText(g), shown) << g;
        EXPECT_EQ(gaussIsOutlier(g, 2.5), outlier) << g;
    }
}

// Equal values have no spread: statistics of 0 in the least significant class, never 0 / 0; the
// seven largest equal make r11 for the largest 0 / 0, a tie.
TEST_F(OutlierTest, EqualValuesStandOutNowhere) {
    const Results r = calculate(Sample{{5, 5, 5}, {}}, m_tables);
    const DixonResult d = Dixon_Test(statisticsOf({9, 9, 9, 1, 9, 9, 9, 9}), m_tables);
    EXPECT_EQ(std::tuple(r.grubbs.max.statistic, r.grubbs.min.cls, r.dixon.max.statistic,
                         r.dixon.min.cls, d.max.statistic, d.max.cls, d.min.statistic),
              std::tuple(0.0, "  > 10 %  ", 0.0, "  > 10 %  ", 0.0, "  > 10 %  ", 1.0));
}

}  // namespace
}  // namespace sifton
