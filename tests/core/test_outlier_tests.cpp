// The four outlier tests through the store: worked examples, the ranges and their markers, the
// ratio and quartile choices by n, statistics exactly on a limit, data without spread, and a
// failed table lookup. Small table files written for each test keep the limits exact.
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include "core/outlier_tests.h"
#include "core/statistics.h"
#include "core/tables.h"
#include "test_support.h"

namespace sifton {
namespace {

using S = SampleStore;
using Routine = void (*)();

// 1, 2, ..., n, with the first half in reverse so the rows are not already in order.
std::vector<double> oneTo(int n, double step = 1) {
    std::vector<double> values;
    for (int j = 1; j <= n; ++j) values.push_back(step * j);
    std::reverse(values.begin(), values.begin() + n / 2);
    return values;
}

class OutlierTest : public test::StoreTest {
  protected:
    // Tables with a record for every n of each test's range; the values only need to be sane.
    void SetUp() override {
        StoreTest::SetUp();
        store().TableFolder = m_dir.path().string();
        std::string grubbs, dixon, gauss;
        for (int n = 3; n <= 100; ++n) grubbs += std::to_string(n) + ",1,2,3,4,5\n";
        for (int n = 3; n <= 25; ++n) dixon += std::to_string(n) + ",300,400,500,600,700\n";
        for (int n = 3; n <= 50; ++n) gauss += std::to_string(n) + ",2.5\n";
        table("grubbs.dat", grubbs), table("dixon.dat", dixon), table("gauss-g.dat", gauss);
    }
    void table(const std::string& name, const std::string& records) {
        m_dir.write(name, "n,critical values\n" + records);
    }
    // Loads the values and runs the statistics and the given test, as a calculation run does.
    void run(const std::vector<double>& values, Routine outlierTest) {
        test::loadValues(values);
        Calc_Statistics();
        outlierTest();
    }
    test::TempDir m_dir;
};

// Outside its range a test puts the whole number -1 into its first statistic, changes no other
// result and looks nothing up (the tables have no record for such n).
TEST_F(OutlierTest, RangesAndTheNotTestedMarker) {
    const std::tuple<Routine, int, int, Cell S::*, std::vector<Cell S::*>> tests[] = {
        {Grubbs_Test, 3, 100, &S::GruTmin, {&S::GruTmax, &S::GrubbsClassMax, &S::GrubbsClassMin}},
        {Dixon_Test, 3, 25, &S::DixRmin, {&S::DixRmax, &S::DixClassMax, &S::DixClassMin}},
        {IQR_Test, 6, 300, &S::IQRQ1, {&S::IQRQ3, &S::IQRyoung, &S::IQRold}},
        {Gauss_Test, 3, 50, &S::GauYoung, {&S::GauOld, &S::SDNoOld, &S::SDNoYoung, &S::GaussCrit}},
    };
    for (const auto& [outlierTest, low, high, first, others] : tests) {
        for (int n : {low - 1, low, high, std::min(high + 1, kMaxRows)}) {
            const bool runs = n >= low && n <= high;
            for (auto other : others) store().*other = "earlier";
            ASSERT_NO_THROW(run(oneTo(n), outlierTest)) << n;
            EXPECT_TRUE(runs ? (store().*first).isText() : (store().*first).isNotRunMarker()) << n;
            for (auto other : others) EXPECT_EQ(store().*other == Cell("earlier"), !runs) << n;
        }
    }
}

TEST_F(OutlierTest, WorkedExamplesOfGrubbsDixonAndGauss) {
    table("grubbs.dat", "4,9,9,9,9,9\n5,1.6,1.65,1.7,1.75,1.8\n");
    table("dixon.dat", "5,500,600,700,800,850\n8,300,400,500,600,700\n");
    table("gauss-g.dat", "4,9\n5,1.7\n");
    const SampleStore& s = store();
    run({13, 5, 20, 11, 15, 10, 14, 12}, Dixon_Test);  // (20 - 15) / (20 - 10), (10 - 5) / (15 - 5)
    EXPECT_EQ(std::tuple(s.DixRmax, s.DixRmin, s.DixClassMax),
              std::tuple(Cell("0.5"), Cell("0.5"), Cell("  1-2 %  ")));

    // The worked example with a rejected row 4 that takes part in nothing.
    run({10, 12, 11, 100, 30, 12},
        [] { store().Rejected[4] = 1, --store().NData, runCalculation(); });
    // 15 / 8.42615, not 15 / 8.43: the unrounded spread.
    EXPECT_EQ(std::tuple(s.GruTmax, s.GruTmin, s.GrubbsClassMax, s.GrubbsClassMin),
              std::tuple(Cell("1.78"), Cell("0.593"), Cell("  1-2.5 %  "), Cell("  > 10 %  ")));
    // Dixon's records hold thousandths: 850 is 0.85.
    EXPECT_EQ(std::tuple(s.DixRmax, s.DixRmin, s.DixClassMax, s.DixClassMin),
              std::tuple(Cell("0.9"), Cell("0.05"), Cell("  < 0.5 %  "), Cell("  > 10 %  ")));
    EXPECT_EQ(std::tuple(s.GauOld, s.GauYoung, s.SDNoOld, s.SDNoYoung, s.GaussCrit),
              std::tuple(Cell("19.58"), Cell("0.68"), Cell("0.96"), Cell("9.18"), Cell(1.7)));
}

// On a critical value the class is the more significant one, just below it the other. The
// labels of the Grubbs classes change above n = 20 and above n = 25.
TEST_F(OutlierTest, StatisticExactlyOnACriticalValue) {
    const char* grubbs[] = {"  > 10 %  ",  "  7.5-10 %  ", "  5-7.5 %  ",
                            "  2.5-5 %  ", "  1-2.5 %  ",  "  < 1 %  "};
    const char* dixon[] = {"  > 10 %  ", "  5-10 %  ",  "  2-5 %  ",
                           "  1-2 %  ",  "  0.5-1 %  ", "  < 0.5 %  "};
    const std::array<double, 6> c = {0, 1, 2, 3, 4, 5};
    for (int column = 1; column <= 5; ++column) {
        EXPECT_EQ(grubbsClass(column, c, 3), grubbs[column]);
        EXPECT_EQ(grubbsClass(column - 1e-9, c, 3), grubbs[column - 1]);
        EXPECT_EQ(dixonClass(column, c), dixon[column]);
        EXPECT_EQ(dixonClass(column - 1e-9, c), dixon[column - 1]);
    }
    EXPECT_EQ(grubbsClass(2.5, c, 20) + "|" + grubbsClass(2.5, c, 21), "  5-7.5 %  |  > 5%  ");
    EXPECT_EQ(grubbsClass(4.5, c, 25) + "|" + grubbsClass(4.5, c, 26), "  1-2.5 %  |  < 2.5%  ");
    EXPECT_EQ(grubbsClass(5, c, 25) + "|" + grubbsClass(5, c, 26), "  < 1 %  |  < 2.5%  ");
    // Through the store: -1, 0, 1 give a Grubbs statistic of exactly 1 and Dixon ratios of
    // exactly 0.5, read from the table as 500.
    table("grubbs.dat", "3,0.5,0.6,1,1.5,1.6\n"), table("dixon.dat", "3,100,200,500,900,950\n");
    run({-1, 0, 1}, [] { Grubbs_Test(), Dixon_Test(); });
    EXPECT_EQ(std::tuple(store().GrubbsClassMax, store().GrubbsClassMin, store().DixClassMax),
              std::tuple(Cell(grubbs[3]), Cell(grubbs[3]), Cell(dixon[3])));
}

// Which sorted values each ratio takes, counted from the largest (S(1)) down: r10 up to n = 7,
// r11 up to 10, r21 up to 13, r22 from 14.
TEST_F(OutlierTest, DixonRatioByN) {
    const std::tuple<int, std::array<int, 4>, std::array<int, 4>> cases[] = {
        {7, {1, 2, 1, 7}, {6, 7, 1, 7}},      {8, {1, 2, 1, 7}, {7, 8, 2, 8}},
        {10, {1, 2, 1, 9}, {9, 10, 2, 10}},   {11, {1, 3, 1, 10}, {9, 11, 2, 11}},
        {13, {1, 3, 1, 12}, {11, 13, 2, 13}}, {14, {1, 3, 1, 12}, {12, 14, 3, 14}},
    };
    for (const auto& [n, forMax, forMin] : cases) {
        // Squares spread every gap differently, so each choice of ratio gives its own value.
        std::vector<double> values = oneTo(n);
        for (double& v : values) v *= v;
        run(values, Dixon_Test);
        auto S = [n = n](int i) { return double(n + 1 - i) * (n + 1 - i); };
        auto ratio = [&](const std::array<int, 4>& x) {
            return (S(x[0]) - S(x[1])) / (S(x[2]) - S(x[3]));
        };
        EXPECT_NEAR(store().DixRmax.toNumber(), ratio(forMax), 0.00051) << n;
        EXPECT_NEAR(store().DixRmin.toNumber(), ratio(forMin), 0.00051) << n;
    }
}

// n, then Q3 and Q1 of 10, 20, ..., 10 n: the means of the positions, counted from the largest,
// 1-2 and 4-5 at n = 6; 2, 5-6; 2-3, 6; 2-3, 6-7; 2-3, 7-8; 3, 8-9; 3-4, 9 at n = 12.
TEST_F(OutlierTest, IqrQuartilePositionsByN) {
    const std::array<double, 3> cases[] = {{6, 55, 25},  {7, 60, 25},  {8, 65, 30}, {9, 75, 35},
                                           {10, 85, 35}, {11, 90, 35}, {12, 95, 40}};
    const SampleStore& s = store();
    for (const auto& [n, q3, q1] : cases) {
        run(oneTo(int(n), 10), IQR_Test);
        EXPECT_EQ(std::pair(s.IQRQ3.toNumber(), s.IQRQ1.toNumber()), std::pair(q3, q1)) << n;
    }
}

TEST_F(OutlierTest, IqrFencesAreStrict) {
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
        {{5, 5, 5, 5, 5, 5}, kWithin, kWithin},
        {{5, 5, 5, 5, 5, 1}, kExtreme, kWithin},
        // Q1 = 10.0004 is shown as 10.0, but the fences come from the quartile itself: the upper
        // inner fence is 21.2494, not 21.25, and 21.2497 lies beyond it.
        {{21.2497, 15, 14, 12, 11, 10.0004, 9, 2}, kMild, kMild},
        {{10, 12, 2, 14, 9, 20, 15, 11}, kMild, kWithin},  // the worked example, checked below
    };
    const SampleStore& s = store();
    for (const auto& [values, young, old] : cases) {
        run(values, IQR_Test);
        EXPECT_EQ(std::pair(s.IQRyoung, s.IQRold), std::pair(Cell(young), Cell(old)))
            << testing::PrintToString(values);
    }
    EXPECT_EQ(std::pair(s.IQRQ1, s.IQRQ3), std::pair(Cell("10.0"), Cell("14.5")));
    EXPECT_EQ(std::pair(lowerInnerFence(s.IQRQ1, s.IQRQ3), upperInnerFence(s.IQRQ1, s.IQRQ3)),
              std::pair(3.25, 21.25));
    // A millionth of it: quartiles that "0.0##" would show as 0.0 show their digits.
    run({1e-5, 1.2e-5, 2e-6, 1.4e-5, 9e-6, 2e-5, 1.5e-5, 1.1e-5}, IQR_Test);
    EXPECT_EQ(std::tuple(s.IQRQ1, s.IQRQ3, s.IQRyoung, s.IQRold),
              std::tuple(Cell("1E-05"), Cell("1.45E-05"), Cell(kMild), Cell(kWithin)));
}

// Each extreme against the rest of the values; a rest without spread makes an extreme that
// differs from it an unbounded outlier.
TEST_F(OutlierTest, GaussRests) {
    const std::tuple<std::vector<double>, const char*, const char*> cases[] = {
        {{1, 2, 10}, "12.02", "0.88"},   // two values in each rest: divisor 1
        {{5, 9, 9, 2}, "1.04", "2.45"},  // the second 9 stays in the rest
        {{5, 5, 9}, kUnboundedStatistic, "0.71"},
        {{1, 5, 5}, "0.71", kUnboundedStatistic},
        // A plain sum would put the mean of the rest a step above 0.1 and give it a spread.
        {{0.1, 0.1, 0.1, 0.5}, kUnboundedStatistic, "0.58"},
    };
    for (const auto& [values, old, young] : cases) {
        test::loadValues(values);
        Calc_Statistics();
        Gauss_Test();
        EXPECT_EQ(std::pair(store().GauOld, store().GauYoung), std::pair(Cell(old), Cell(young)))
            << testing::PrintToString(values);
    }
}

TEST_F(OutlierTest, EqualValuesStandOutNowhere) {
    const SampleStore& s = store();
    run({5, 5, 5}, runCalculation);
    for (auto statistic :
         {&S::GruTmax, &S::GruTmin, &S::DixRmax, &S::DixRmin, &S::GauOld, &S::GauYoung})
        EXPECT_EQ(s.*statistic, Cell("0.0"));
    for (auto cls : {&S::GrubbsClassMax, &S::GrubbsClassMin, &S::DixClassMax, &S::DixClassMin})
        EXPECT_EQ(s.*cls, Cell("  > 10 %  "));
    // The seven largest equal: r11 for the largest is 0 / 0, a tie.
    run({9, 9, 9, 1, 9, 9, 9, 9}, Dixon_Test);
    EXPECT_EQ(std::tuple(s.DixRmax, s.DixClassMax, s.DixRmin, s.DixClassMin),
              std::tuple(Cell("0.0"), Cell("  > 10 %  "), Cell("1.0"), Cell("  < 0.5 %  ")));
}

// A failed lookup throws and changes no result: the lookup comes before any result.
TEST_F(OutlierTest, FailedLookupChangesNoResult) {
    const std::vector<Cell S::*> results = {&S::GruTmax,     &S::GrubbsClassMax, &S::DixRmax,
                                            &S::DixClassMax, &S::GauOld,         &S::MeanNoOld,
                                            &S::GaussCrit,   &S::SumDev2};
    store().TableFolder += "/none";
    for (Routine outlierTest : {Grubbs_Test, Dixon_Test, Gauss_Test}) {
        run({10, 12, 11, 30, 12}, [] {});
        for (auto result : results) store().*result = "earlier";
        EXPECT_THROW(outlierTest(), TableLookupError);
        for (auto result : results) EXPECT_EQ(store().*result, Cell("earlier"));
    }
}

}  // namespace
}  // namespace sifton
