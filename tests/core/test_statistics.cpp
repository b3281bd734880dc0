// Calc_Statistics: the worked example, rejected rows, ties, data without spread, very negative
// values and data sets too small to have a spread.
#include <cmath>
#include <vector>

#include "core/statistics.h"
#include "core/store.h"
#include "test_support.h"

namespace sifton {
namespace {

using test::loadValues;

class CalcStatistics : public test::StoreTest {
  protected:
    void expectSorted(const std::vector<double>& expected) {
        for (size_t k = 0; k < expected.size(); ++k)
            EXPECT_EQ(store().Sorted[static_cast<int>(k) + 1].toNumber(), expected[k]) << k + 1;
    }
    void expectNoBrokenText() {
        const SampleStore& s = store();
        for (const Cell* c : {&s.SumX, &s.Mean, &s.SumDev2, &s.SD, &s.SE, &s.SumX2, &s.SDnum,
                              &s.MaxValue, &s.MinValue, &s.PosMax, &s.PosMin})
            EXPECT_FALSE(test::looksBroken(c->toText())) << c->toText();
    }
};

TEST_F(CalcStatistics, WorkedExample) {
    loadValues({10, 12, 11, 30, 12});
    Calc_Statistics();
    const SampleStore& s = store();
    EXPECT_EQ(s.SumX, Cell(75.0));
    EXPECT_EQ(s.Mean, Cell(15.0));
    EXPECT_EQ(s.SumDev2, Cell(284.0));
    EXPECT_EQ(s.SD, Cell("8.43"));
    EXPECT_EQ(s.SE, Cell("3.77"));
    EXPECT_EQ(s.SumX2, Cell(1409.0));
    EXPECT_TRUE(s.SDnum.isDouble());
    EXPECT_NEAR(s.SDnum.toNumber(), std::sqrt(71.0), 1e-12);
    EXPECT_NEAR(s.SDnum.toNumber(), 8.42615, 5e-6);
    EXPECT_EQ(s.MaxValue.toNumber(), 30.0);
    EXPECT_EQ(s.PosMax.toNumber(), 4.0);
    EXPECT_EQ(s.MinValue.toNumber(), 10.0);
    EXPECT_EQ(s.PosMin.toNumber(), 1.0);
    expectSorted({30, 12, 12, 11, 10});
}

TEST_F(CalcStatistics, RejectedRowTakesPartInNothing) {
    loadValues({10, 12, 11, 30, 12});
    store().Sorted[5] = 77.0;  // above NData: keeps what it held
    store().Rejected[4] = 1;
    store().NData = 4;
    Calc_Statistics();
    const SampleStore& s = store();
    EXPECT_EQ(s.SumX.toNumber(), 45.0);
    EXPECT_EQ(s.Mean.toNumber(), 11.25);
    EXPECT_EQ(s.SumX2.toNumber(), 509.0);
    EXPECT_EQ(s.MaxValue.toNumber(), 12.0);
    EXPECT_EQ(s.PosMax.toNumber(), 2.0);
    expectSorted({12, 12, 11, 10, 77});
}

TEST_F(CalcStatistics, RejectedExtremesMoveMinAndMax) {
    loadValues({1, 5, 9, 2, 8});
    store().Rejected[1] = 1;
    store().Rejected[3] = 1;
    store().NData = 3;
    Calc_Statistics();
    EXPECT_EQ(store().MinValue.toNumber(), 2.0);
    EXPECT_EQ(store().PosMin.toNumber(), 4.0);
    EXPECT_EQ(store().MaxValue.toNumber(), 8.0);
    EXPECT_EQ(store().PosMax.toNumber(), 5.0);
    EXPECT_EQ(store().Mean.toNumber(), 5.0);
}

TEST_F(CalcStatistics, TiesGiveTheLowestRow) {
    loadValues({5, 9, 9, 2, 2});
    Calc_Statistics();
    EXPECT_EQ(store().PosMax.toNumber(), 2.0);
    EXPECT_EQ(store().PosMin.toNumber(), 4.0);
    expectSorted({9, 9, 5, 2, 2});
}

TEST_F(CalcStatistics, TwoValuesUseDivisorOne) {
    loadValues({1, 3});
    Calc_Statistics();
    EXPECT_EQ(store().SD, Cell("1.41"));  // sqrt(2)
    EXPECT_EQ(store().SE, Cell("1.0"));   // sqrt(2 / 2)
}

TEST_F(CalcStatistics, SpreadTextsDropASecondDecimalZero) {
    loadValues({0, 1.5, 3});  // variance 2.25
    Calc_Statistics();
    EXPECT_EQ(store().SD, Cell("1.5"));
    EXPECT_EQ(store().SE, Cell("0.87"));
}

TEST_F(CalcStatistics, AllEqualValuesHaveNoSpreadAndTheFirstRow) {
    // Values that are not exact in binary, where the sum-of-squares form leaves rounding noise.
    for (double v : {7.0, 0.1, 1e8 + 0.1, -3.3, 123456.789}) {
        SCOPED_TRACE(v);
        store() = SampleStore{};
        loadValues({v, v, v, v, v, v, v});
        store().Rejected[1] = 1;
        store().NData = 6;
        store().PosMin = 5;  // left from an earlier data set
        Calc_Statistics();
        const SampleStore& s = store();
        EXPECT_EQ(s.SDnum.toNumber(), 0.0);
        EXPECT_EQ(s.SD, Cell("0.0"));
        EXPECT_EQ(s.SE, Cell("0.0"));
        EXPECT_EQ(s.PosMin.toNumber(), 2.0);
        EXPECT_EQ(s.PosMax.toNumber(), 2.0);
        EXPECT_EQ(s.MinValue.toNumber(), v);
        EXPECT_EQ(s.MaxValue.toNumber(), v);
    }
}

TEST_F(CalcStatistics, ValuesBelowMinusOneHundredMillion) {
    loadValues({-2e8, -3e8, -1.5e8});
    Calc_Statistics();
    EXPECT_EQ(store().MaxValue.toNumber(), -1.5e8);
    EXPECT_EQ(store().PosMax.toNumber(), 3.0);
    EXPECT_EQ(store().MinValue.toNumber(), -3e8);
    EXPECT_EQ(store().PosMin.toNumber(), 2.0);
    expectSorted({-1.5e8, -2e8, -3e8});
}

TEST_F(CalcStatistics, NoValueComputesNothingBroken) {
    Calc_Statistics();
    EXPECT_EQ(store().SD, Cell("0.0"));
    EXPECT_EQ(store().SE, Cell("0.0"));
    EXPECT_EQ(store().Mean.toNumber(), 0.0);
    expectNoBrokenText();
}

TEST_F(CalcStatistics, OneValueComputesNothingBroken) {
    loadValues({5});
    Calc_Statistics();
    EXPECT_EQ(store().Mean.toNumber(), 5.0);
    EXPECT_EQ(store().SD, Cell("0.0"));
    EXPECT_EQ(store().SDnum.toNumber(), 0.0);
    EXPECT_EQ(store().PosMax.toNumber(), 1.0);
    expectSorted({5});
    expectNoBrokenText();
}

TEST_F(CalcStatistics, ThreeHundredRowsSortedDescending) {
    std::vector<double> values;
    for (int i = 1; i <= kMaxRows; ++i) values.push_back((i * 37) % 301);  // a permutation
    loadValues(values);
    Calc_Statistics();
    for (int k = 1; k <= kMaxRows; ++k) EXPECT_EQ(store().Sorted[k].toNumber(), 301 - k) << k;
}

}  // namespace
}  // namespace sifton
