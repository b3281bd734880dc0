// The four outlier tests through the store: worked examples, the ranges and their markers, the
// ratio and quartile choices by n, statistics exactly on a limit, data without spread, and a
// failed table lookup. Small table files written for each test keep the limits exact.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/outlier_tests.h"
#include "core/statistics.h"
#include "core/store.h"
#include "core/tables.h"
#include "test_support.h"

namespace sifton {
namespace {

using test::CaseName;
using test::loadValues;
using test::oneToN;
using test::operator<<;

enum class Which { Grubbs, Dixon, Iqr, Gauss };

void runTest(Which which) {
    switch (which) {
        case Which::Grubbs:
            Grubbs_Test();
            break;
        case Which::Dixon:
            Dixon_Test();
            break;
        case Which::Iqr:
            IQR_Test();
            break;
        case Which::Gauss:
            Gauss_Test();
            break;
    }
}

std::string record(double n, const std::vector<std::string>& fields) {
    std::string line = std::to_string(static_cast<int>(n));
    for (const std::string& f : fields) line += "," + f;
    return line + "\n";
}

class OutlierTest : public test::StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        store().TableFolder = m_dir.path().string();
    }

    // Tables with a record for every n of each test's range; the values only need to be sane.
    void writeFullTables() {
        std::string grubbs = "n,10,7.5,5,2.5,1\n", dixon = "n,10,5,2,1,0.5\n", gauss = "n,g\n";
        for (int n = 3; n <= 100; ++n) grubbs += record(n, {"1", "2", "3", "4", "5"});
        for (int n = 3; n <= 25; ++n) dixon += record(n, {"300", "400", "500", "600", "700"});
        for (int n = 3; n <= 50; ++n) gauss += record(n, {"2.5"});
        m_dir.write("grubbs.dat", grubbs);
        m_dir.write("dixon.dat", dixon);
        m_dir.write("gauss-g.dat", gauss);
    }
    void writeTable(const std::string& name, const std::string& lines) {
        m_dir.write(name, "n,critical values\n" + lines);
    }

    // Loads the values and runs the statistics and the given test, as a calculation run does.
    void run(const std::vector<double>& values, Which which) {
        loadValues(values);
        Calc_Statistics();
        runTest(which);
    }

    void expectNoBrokenResult() {
        const SampleStore& s = store();
        for (const Cell* c : {&s.GruTmax, &s.GruTmin, &s.DixRmax, &s.DixRmin, &s.IQRQ1, &s.IQRQ3,
                              &s.GauOld, &s.GauYoung, &s.SDNoOld, &s.SDNoYoung})
            EXPECT_FALSE(test::looksBroken(c->toText())) << c->toText();
    }

    test::TempDir m_dir;
};

// ---- Ranges and markers ------------------------------------------------------------------------

struct RangeCase {
    std::string name;
    Which which;
    int n;
    bool runs;
};

class TestRange : public OutlierTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(TestRange, MarkerOutsideAndNoTableOpened) {
    const RangeCase& c = GetParam();
    if (c.runs) writeFullTables();  // outside the range the folder holds no table at all
    SampleStore& s = store();
    for (Cell* kept : {&s.GruTmax, &s.GrubbsClassMax, &s.GrubbsClassMin, &s.DixRmax, &s.DixClassMax,
                       &s.DixClassMin, &s.IQRQ3, &s.IQRyoung, &s.IQRold, &s.GauOld, &s.SDNoOld,
                       &s.SDNoYoung, &s.GaussCrit})
        *kept = "earlier";

    ASSERT_NO_THROW(run(oneToN(c.n), c.which));

    const Cell* first = nullptr;
    std::vector<const Cell*> others;
    switch (c.which) {
        case Which::Grubbs:
            first = &s.GruTmin;
            others = {&s.GruTmax, &s.GrubbsClassMax, &s.GrubbsClassMin};
            break;
        case Which::Dixon:
            first = &s.DixRmin;
            others = {&s.DixRmax, &s.DixClassMax, &s.DixClassMin};
            break;
        case Which::Iqr:
            first = &s.IQRQ1;
            others = {&s.IQRQ3, &s.IQRyoung, &s.IQRold};
            break;
        case Which::Gauss:
            first = &s.GauYoung;
            others = {&s.GauOld, &s.SDNoOld, &s.SDNoYoung, &s.GaussCrit};
            break;
    }
    if (c.runs) {
        EXPECT_TRUE(first->isText()) << first->toText();
        for (const Cell* o : others) EXPECT_NE(*o, Cell("earlier"));
    } else {
        EXPECT_TRUE(first->isNotRunMarker()) << first->toText();
        for (const Cell* o : others) EXPECT_EQ(*o, Cell("earlier"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TestRange,
    ::testing::Values(
        RangeCase{"Grubbs2", Which::Grubbs, 2, false}, RangeCase{"Grubbs3", Which::Grubbs, 3, true},
        RangeCase{"Grubbs100", Which::Grubbs, 100, true},
        RangeCase{"Grubbs101", Which::Grubbs, 101, false},
        RangeCase{"Dixon2", Which::Dixon, 2, false}, RangeCase{"Dixon3", Which::Dixon, 3, true},
        RangeCase{"Dixon25", Which::Dixon, 25, true}, RangeCase{"Dixon26", Which::Dixon, 26, false},
        RangeCase{"Iqr5", Which::Iqr, 5, false}, RangeCase{"Iqr6", Which::Iqr, 6, true},
        RangeCase{"Iqr300", Which::Iqr, 300, true}, RangeCase{"Gauss2", Which::Gauss, 2, false},
        RangeCase{"Gauss3", Which::Gauss, 3, true}, RangeCase{"Gauss50", Which::Gauss, 50, true},
        RangeCase{"Gauss51", Which::Gauss, 51, false}),
    CaseName{});

// ---- Grubbs ------------------------------------------------------------------------------------

TEST_F(OutlierTest, GrubbsWorkedExample) {
    writeTable("grubbs.dat", "4,9,9,9,9,9\n5,1.6,1.65,1.7,1.75,1.8\n");
    run({10, 12, 11, 30, 12}, Which::Grubbs);
    const SampleStore& s = store();
    EXPECT_EQ(s.GruTmax, Cell("1.78"));  // 15 / 8.42615, not 15 / 8.43
    EXPECT_EQ(s.GruTmin, Cell("0.593"));
    EXPECT_EQ(s.GrubbsClassMax, Cell(grubbs_class::k1To2_5));
    EXPECT_EQ(s.GrubbsClassMin, Cell(grubbs_class::kAbove10));
    EXPECT_EQ(s.GrubbsClassMax, Cell("  1-2.5 %  "));
    EXPECT_EQ(s.GrubbsClassMin, Cell("  > 10 %  "));
    const std::array<double, 6> expected = {0, 1.6, 1.65, 1.7, 1.75, 1.8};
    for (int i = 1; i <= 5; ++i) EXPECT_DOUBLE_EQ(s.GrubbsCrit[i], expected[i]);
}

// The data -1, 0, 1 give a Grubbs statistic of exactly 1 and Dixon ratios of exactly 0.5 for
// both extremes; the record puts that value into one column.
struct LimitCase {
    std::string name;
    int column;         // 1..5
    std::string limit;  // the value in that column
    std::string label;  // expected class of both extremes
};

class GrubbsOnLimit : public OutlierTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(GrubbsOnLimit, EqualGoesToTheMoreSignificantClass) {
    const LimitCase& c = GetParam();
    std::vector<std::string> fields = {"0.5", "0.6", "0.7", "0.8", "0.9"};
    for (int i = c.column; i <= 5; ++i) fields[static_cast<size_t>(i - 1)] = "1.1";
    fields[static_cast<size_t>(c.column - 1)] = c.limit;
    writeTable("grubbs.dat", record(3, fields));
    run({-1, 0, 1}, Which::Grubbs);
    EXPECT_EQ(store().GruTmax, Cell("1.0"));
    EXPECT_EQ(store().GrubbsClassMax, Cell(c.label));
    EXPECT_EQ(store().GrubbsClassMin, Cell(c.label));
}

INSTANTIATE_TEST_SUITE_P(Cases, GrubbsOnLimit,
                         ::testing::Values(LimitCase{"OnC1", 1, "1", "  7.5-10 %  "},
                                           LimitCase{"OnC2", 2, "1", "  5-7.5 %  "},
                                           LimitCase{"OnC3", 3, "1", "  2.5-5 %  "},
                                           LimitCase{"OnC4", 4, "1", "  1-2.5 %  "},
                                           LimitCase{"OnC5", 5, "1", "  < 1 %  "},
                                           LimitCase{"BelowC1", 1, "1.000001", "  > 10 %  "},
                                           LimitCase{"BelowC3", 3, "1.000001", "  5-7.5 %  "},
                                           LimitCase{"BelowC5", 5, "1.000001", "  1-2.5 %  "}),
                         CaseName{});

struct ClassCase {
    std::string name;
    double g;
    double n;
    std::array<double, 6> c;
    std::string label;
};

class GrubbsClassByN : public ::testing::TestWithParam<ClassCase> {};

TEST_P(GrubbsClassByN, LabelsChangeAbove20And25) {
    const ClassCase& c = GetParam();
    EXPECT_EQ(grubbsClass(c.g, c.c, c.n), c.label);
}

constexpr std::array<double, 6> kC = {0, 1, 2, 3, 4, 5};
constexpr std::array<double, 6> kZeroFirstColumns = {0, 0, 0, 3, 4, 5};

INSTANTIATE_TEST_SUITE_P(Cases, GrubbsClassByN,
                         ::testing::Values(ClassCase{"BelowC3n20", 2.5, 20, kC, "  5-7.5 %  "},
                                           ClassCase{"BelowC3n21", 2.5, 21, kC, "  > 5%  "},
                                           ClassCase{"BelowC5n25", 4.5, 25, kC, "  1-2.5 %  "},
                                           ClassCase{"BelowC5n26", 4.5, 26, kC, "  < 2.5%  "},
                                           ClassCase{"AboveC5n25", 5, 25, kC, "  < 1 %  "},
                                           ClassCase{"AboveC5n26", 5, 26, kC, "  < 2.5%  "},
                                           ClassCase{"BelowC4n30", 3.5, 30, kC, "  2.5-5 %  "},
                                           ClassCase{"OnC4n30", 4, 30, kC, "  < 2.5%  "},
                                           ClassCase{"BelowC1n30", 0.5, 30, kC, "  > 10 %  "},
                                           ClassCase{"ZeroColumnsSkipped", 0, 30, kZeroFirstColumns,
                                                     "  > 5%  "},
                                           ClassCase{"ZeroColumnsSkippedSmallN", 0.5, 10,
                                                     kZeroFirstColumns, "  5-7.5 %  "}),
                         CaseName{});

struct LabelByNCase {
    std::string name;
    int n;
    std::vector<std::string> record;
    std::string label;
};

class GrubbsLabelsThroughStore : public OutlierTest,
                                 public ::testing::WithParamInterface<LabelByNCase> {};

TEST_P(GrubbsLabelsThroughStore, UsesNDataForTheLabel) {
    const LabelByNCase& c = GetParam();
    writeTable("grubbs.dat", record(c.n, c.record));
    run(oneToN(c.n), Which::Grubbs);
    EXPECT_EQ(store().GrubbsClassMax, Cell(c.label));
    EXPECT_EQ(store().GrubbsClassMin, Cell(c.label));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GrubbsLabelsThroughStore,
    ::testing::Values(
        LabelByNCase{"BetweenC2AndC3n20", 20, {"0", "0", "100", "100", "100"}, "  5-7.5 %  "},
        LabelByNCase{"BetweenC2AndC3n21", 21, {"0", "0", "100", "100", "100"}, "  > 5%  "},
        LabelByNCase{"BetweenC4AndC5n25", 25, {"0", "0", "0", "0", "100"}, "  1-2.5 %  "},
        LabelByNCase{"BetweenC4AndC5n26", 26, {"0", "0", "0", "0", "100"}, "  < 2.5%  "},
        LabelByNCase{"BeyondC5n25", 25, {"0", "0", "0", "0", "0"}, "  < 1 %  "},
        LabelByNCase{"BeyondC5n26", 26, {"0", "0", "0", "0", "0"}, "  < 2.5%  "}),
    CaseName{});

// ---- Dixon -------------------------------------------------------------------------------------

TEST_F(OutlierTest, DixonWorkedExampleAndDivisionBy1000) {
    writeTable("dixon.dat", record(5, {"500", "600", "700", "800", "850"}));
    run({10, 12, 11, 30, 12}, Which::Dixon);
    const SampleStore& s = store();
    EXPECT_EQ(s.DixRmax, Cell("0.9"));
    EXPECT_EQ(s.DixRmin, Cell("0.05"));
    EXPECT_EQ(s.DixClassMax, Cell("  < 0.5 %  "));
    EXPECT_EQ(s.DixClassMin, Cell("  > 10 %  "));
    EXPECT_DOUBLE_EQ(s.DixonCrit[1], 0.5);
    EXPECT_DOUBLE_EQ(s.DixonCrit[5], 0.85);

    writeTable("dixon.dat", record(5, {"941", "950", "960", "970", "980"}));
    Dixon_Test();
    EXPECT_DOUBLE_EQ(store().DixonCrit[1], 0.941);
    EXPECT_EQ(s.DixClassMax, Cell("  > 10 %  "));
}

TEST_F(OutlierTest, DixonEightValueExample) {
    writeTable("dixon.dat", record(8, {"300", "400", "500", "600", "700"}));
    run({13, 5, 20, 11, 15, 10, 14, 12}, Which::Dixon);
    EXPECT_EQ(store().DixRmax, Cell("0.5"));  // (20 - 15) / (20 - 10)
    EXPECT_EQ(store().DixRmin, Cell("0.5"));  // (10 - 5) / (15 - 5)
    EXPECT_EQ(store().DixClassMax, Cell("  1-2 %  "));
}

class DixonOnLimit : public OutlierTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(DixonOnLimit, EqualGoesToTheMoreSignificantClass) {
    const LimitCase& c = GetParam();
    std::vector<std::string> fields = {"100", "200", "300", "400", "450"};
    for (int i = c.column; i <= 5; ++i) fields[static_cast<size_t>(i - 1)] = "900";
    fields[static_cast<size_t>(c.column - 1)] = c.limit;
    writeTable("dixon.dat", record(3, fields));
    run({-1, 0, 1}, Which::Dixon);
    EXPECT_EQ(store().DixRmax, Cell("0.5"));
    EXPECT_EQ(store().DixClassMax, Cell(c.label));
    EXPECT_EQ(store().DixClassMin, Cell(c.label));
}

INSTANTIATE_TEST_SUITE_P(Cases, DixonOnLimit,
                         ::testing::Values(LimitCase{"OnD1", 1, "500", "  5-10 %  "},
                                           LimitCase{"OnD2", 2, "500", "  2-5 %  "},
                                           LimitCase{"OnD3", 3, "500", "  1-2 %  "},
                                           LimitCase{"OnD4", 4, "500", "  0.5-1 %  "},
                                           LimitCase{"OnD5", 5, "500", "  < 0.5 %  "},
                                           LimitCase{"BelowD1", 1, "500.001", "  > 10 %  "},
                                           LimitCase{"BelowD2", 2, "500.001", "  5-10 %  "},
                                           LimitCase{"BelowD5", 5, "500.001", "  0.5-1 %  "}),
                         CaseName{});

// Which sorted values each ratio takes, counted from the largest (S(1)) down.
struct RatioCase {
    std::string name;
    int n;
    std::array<int, 4> forMax;  // (S(a) - S(b)) / (S(c) - S(d))
    std::array<int, 4> forMin;
};

class DixonRatioByN : public OutlierTest, public ::testing::WithParamInterface<RatioCase> {};

TEST_P(DixonRatioByN, ChoosesR10R11R21R22) {
    const RatioCase& c = GetParam();
    writeFullTables();
    // Squares spread every gap differently, so each choice of ratio gives its own value; the
    // rows are loaded in a shuffled order.
    std::vector<double> values;
    for (int j = 1; j <= c.n; ++j) values.push_back(static_cast<double>(j) * j);
    std::reverse(values.begin(), values.begin() + c.n / 2);
    run(values, Which::Dixon);
    auto S = [&](int i) { return static_cast<double>(c.n + 1 - i) * (c.n + 1 - i); };
    auto ratio = [&](const std::array<int, 4>& x) {
        return (S(x[0]) - S(x[1])) / (S(x[2]) - S(x[3]));
    };
    EXPECT_NEAR(store().DixRmax.toNumber(), ratio(c.forMax), 0.00051);
    EXPECT_NEAR(store().DixRmin.toNumber(), ratio(c.forMin), 0.00051);
}

INSTANTIATE_TEST_SUITE_P(Cases, DixonRatioByN,
                         ::testing::Values(RatioCase{"R10n3", 3, {1, 2, 1, 3}, {2, 3, 1, 3}},
                                           RatioCase{"R10n7", 7, {1, 2, 1, 7}, {6, 7, 1, 7}},
                                           RatioCase{"R11n8", 8, {1, 2, 1, 7}, {7, 8, 2, 8}},
                                           RatioCase{"R11n10", 10, {1, 2, 1, 9}, {9, 10, 2, 10}},
                                           RatioCase{"R21n11", 11, {1, 3, 1, 10}, {9, 11, 2, 11}},
                                           RatioCase{"R21n13", 13, {1, 3, 1, 12}, {11, 13, 2, 13}},
                                           RatioCase{"R22n14", 14, {1, 3, 1, 12}, {12, 14, 3, 14}},
                                           RatioCase{"R22n25", 25, {1, 3, 1, 23}, {23, 25, 3, 25}}),
                         CaseName{});

// ---- IQR ---------------------------------------------------------------------------------------

TEST_F(OutlierTest, IqrWorkedExample) {
    run({10, 12, 2, 14, 9, 20, 15, 11}, Which::Iqr);
    const SampleStore& s = store();
    EXPECT_EQ(s.IQRQ3, Cell("14.5"));
    EXPECT_EQ(s.IQRQ1, Cell("10.0"));
    EXPECT_EQ(s.IQRyoung, Cell("  mild outlier  "));
    EXPECT_EQ(s.IQRold, Cell("within inner fences"));
    EXPECT_DOUBLE_EQ(lowerInnerFence(s.IQRQ1, s.IQRQ3), 3.25);
    EXPECT_DOUBLE_EQ(upperInnerFence(s.IQRQ1, s.IQRQ3), 21.25);

    run({10, 12, 2, 14, 9, 40, 15, 11}, Which::Iqr);
    EXPECT_EQ(s.IQRQ3, Cell("14.5"));
    EXPECT_EQ(s.IQRQ1, Cell("10.0"));
    EXPECT_EQ(s.IQRold, Cell("  extreme outlier  "));
}

struct QuartileCase {
    std::string name;
    int n;
    std::vector<int> q3;  // positions in Sorted whose mean is the upper quartile
    std::vector<int> q1;
};

class IqrPositions : public OutlierTest, public ::testing::WithParamInterface<QuartileCase> {};

TEST_P(IqrPositions, QuartilesFromTheDescendingList) {
    const QuartileCase& c = GetParam();
    std::vector<double> values;  // 10, 20, ..., 10 n, in a shuffled row order
    for (int j = 1; j <= c.n; ++j) values.push_back(10.0 * j);
    std::reverse(values.begin(), values.begin() + c.n / 2);
    run(values, Which::Iqr);
    auto S = [&](int i) { return 10.0 * (c.n + 1 - i); };
    auto mean = [&](const std::vector<int>& positions) {
        double sum = 0;
        for (int p : positions) sum += S(p);
        return sum / static_cast<double>(positions.size());
    };
    EXPECT_DOUBLE_EQ(store().IQRQ3.toNumber(), mean(c.q3));
    EXPECT_DOUBLE_EQ(store().IQRQ1.toNumber(), mean(c.q1));
    EXPECT_TRUE(store().IQRQ3.isText());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IqrPositions,
    ::testing::Values(QuartileCase{"N6", 6, {1, 2}, {4, 5}}, QuartileCase{"N7", 7, {2}, {5, 6}},
                      QuartileCase{"N8", 8, {2, 3}, {6}}, QuartileCase{"N9", 9, {2, 3}, {6, 7}},
                      QuartileCase{"N10", 10, {2, 3}, {7, 8}}, QuartileCase{"N11", 11, {3}, {8, 9}},
                      QuartileCase{"N12", 12, {3, 4}, {9}}),
    CaseName{});

struct FenceCase {
    std::string name;
    std::vector<double> values;
    std::string young;
    std::string old;
};

class IqrFences : public OutlierTest, public ::testing::WithParamInterface<FenceCase> {};

TEST_P(IqrFences, StrictlyBeyondAFence) {
    const FenceCase& c = GetParam();
    run(c.values, Which::Iqr);
    EXPECT_EQ(store().IQRyoung, Cell(c.young));
    EXPECT_EQ(store().IQRold, Cell(c.old));
}

const std::string kWithin = "within inner fences";
const std::string kMild = "  mild outlier  ";
const std::string kExtreme = "  extreme outlier  ";

// Q1 = 10 and Q3 = 14.5 in all of the first five: fences 3.25 / -3.5 and 21.25 / 28.
INSTANTIATE_TEST_SUITE_P(
    Cases, IqrFences,
    ::testing::Values(
        FenceCase{"OnUpperInner", {10, 12, 2, 14, 9, 21.25, 15, 11}, kMild, kWithin},
        FenceCase{"OnUpperOuter", {10, 12, 2, 14, 9, 28, 15, 11}, kMild, kMild},
        FenceCase{"BeyondUpperOuter", {10, 12, 2, 14, 9, 28.001, 15, 11}, kMild, kExtreme},
        FenceCase{"OnLowerInner", {10, 12, 3.25, 14, 9, 20, 15, 11}, kWithin, kWithin},
        FenceCase{"OnLowerOuter", {10, 12, -3.5, 14, 9, 20, 15, 11}, kMild, kWithin},
        FenceCase{"AllEqual", {5, 5, 5, 5, 5, 5}, kWithin, kWithin},
        FenceCase{"NoSpreadButLowerValue", {5, 5, 5, 5, 5, 1}, kExtreme, kWithin},
        // Q1 = 10.0004 is stored as 10.0; from the stored text the upper inner fence is 21.25,
        // from the unrounded value it would be 21.2494 and 21.2497 would lie beyond it.
        FenceCase{"FencesFromRoundedQuartiles",
                  {21.2497, 15, 14, 12, 11, 10.0004, 9, 2},
                  kMild,
                  kWithin}),
    CaseName{});

// ---- Gauss g -----------------------------------------------------------------------------------

TEST_F(OutlierTest, GaussWorkedExample) {
    writeTable("gauss-g.dat", record(4, {"9"}) + record(5, {"1.7"}));
    run({10, 12, 11, 30, 12}, Which::Gauss);
    const SampleStore& s = store();
    EXPECT_EQ(s.GauOld, Cell("19.58"));
    EXPECT_EQ(s.GauYoung, Cell("0.68"));
    EXPECT_EQ(s.SDNoOld, Cell("0.96"));
    EXPECT_EQ(s.SDNoYoung, Cell("9.18"));
    EXPECT_DOUBLE_EQ(s.MeanNoOld.toNumber(), 11.25);
    EXPECT_DOUBLE_EQ(s.MeanNoYoung.toNumber(), 16.25);
    EXPECT_DOUBLE_EQ(s.GaussCrit.toNumber(), 1.7);
    EXPECT_TRUE(gaussIsOutlier(s.GauOld, s.GaussCrit.toNumber()));
    EXPECT_FALSE(gaussIsOutlier(s.GauYoung, s.GaussCrit.toNumber()));
}

struct GaussCase {
    std::string name;
    std::vector<double> values;
    std::vector<int> rejectedRows;
    std::string old;
    std::string young;
};

class GaussRests : public OutlierTest, public ::testing::WithParamInterface<GaussCase> {};

TEST_P(GaussRests, EachExtremeAgainstTheRest) {
    const GaussCase& c = GetParam();
    writeFullTables();
    loadValues(c.values);
    for (int row : c.rejectedRows) store().Rejected[row] = 1;
    store().NData -= static_cast<double>(c.rejectedRows.size());
    Calc_Statistics();
    Gauss_Test();
    EXPECT_EQ(store().GauOld, Cell(c.old));
    EXPECT_EQ(store().GauYoung, Cell(c.young));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GaussRests,
    ::testing::Values(
        // Two values in each rest: divisor 1.
        GaussCase{"ThreeValues", {1, 2, 10}, {}, "12.02", "0.88"},
        GaussCase{"RejectedRowLeftOut", {10, 12, 11, 100, 30, 12}, {4}, "19.58", "0.68"},
        // Only the first row of the largest value leaves the rest: 5, 9, 2 against 9.
        GaussCase{"TiedLargestStaysInRest", {5, 9, 9, 2}, {}, "1.04", "2.45"}),
    CaseName{});

struct VerdictCase {
    std::string name;
    Cell g;
    double critical;
    bool outlier;
};

class GaussVerdict : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(GaussVerdict, StrictlyAboveTheCriticalValue) {
    EXPECT_EQ(gaussIsOutlier(GetParam().g, GetParam().critical), GetParam().outlier);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GaussVerdict,
    ::testing::Values(VerdictCase{"RoundedOntoCritical", Cell("1.7"), 1.7, false},
                      VerdictCase{"JustAbove", Cell("1.71"), 1.7, true},
                      VerdictCase{"Below", Cell("1.69"), 1.7, false},
                      VerdictCase{"ZeroAgainstZero", Cell("0.0"), 0.0, false},
                      VerdictCase{"Unbounded", Cell(kUnboundedStatistic), 1e300, true}),
    CaseName{});

// ---- No spread ---------------------------------------------------------------------------------

TEST_F(OutlierTest, AllEqualValuesStandOutNowhere) {
    writeFullTables();
    loadValues({5, 5, 5});
    Calc_Statistics();
    Grubbs_Test();
    Dixon_Test();
    IQR_Test();
    Gauss_Test();
    const SampleStore& s = store();
    EXPECT_EQ(s.GruTmax, Cell("0.0"));
    EXPECT_EQ(s.GruTmin, Cell("0.0"));
    EXPECT_EQ(s.GrubbsClassMax, Cell("  > 10 %  "));
    EXPECT_EQ(s.GrubbsClassMin, Cell("  > 10 %  "));
    EXPECT_EQ(s.DixRmax, Cell("0.0"));
    EXPECT_EQ(s.DixRmin, Cell("0.0"));
    EXPECT_EQ(s.DixClassMax, Cell("  > 10 %  "));
    EXPECT_EQ(s.DixClassMin, Cell("  > 10 %  "));
    EXPECT_EQ(s.GauOld, Cell("0.0"));
    EXPECT_EQ(s.GauYoung, Cell("0.0"));
    EXPECT_EQ(s.SDNoOld, Cell("0.0"));
    EXPECT_FALSE(gaussIsOutlier(s.GauOld, s.GaussCrit.toNumber()));
    EXPECT_FALSE(gaussIsOutlier(s.GauYoung, s.GaussCrit.toNumber()));
    expectNoBrokenResult();
}

struct UnboundedCase {
    std::string name;
    std::vector<double> values;
    bool oldUnbounded;  // otherwise the smallest value is the unbounded one
    std::string otherG;
};

class GaussUnbounded : public OutlierTest, public ::testing::WithParamInterface<UnboundedCase> {};

TEST_P(GaussUnbounded, ExtremeAgainstARestWithoutSpreadIsAnOutlier) {
    const UnboundedCase& c = GetParam();
    writeFullTables();
    run(c.values, Which::Gauss);
    const SampleStore& s = store();
    const Cell& unbounded = c.oldUnbounded ? s.GauOld : s.GauYoung;
    const Cell& other = c.oldUnbounded ? s.GauYoung : s.GauOld;
    EXPECT_EQ(unbounded, Cell(kUnboundedStatistic));
    EXPECT_TRUE(gaussIsOutlier(unbounded, s.GaussCrit.toNumber()));
    EXPECT_EQ(other, Cell(c.otherG));
    EXPECT_EQ(c.oldUnbounded ? s.SDNoOld : s.SDNoYoung, Cell("0.0"));
    expectNoBrokenResult();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GaussUnbounded,
    ::testing::Values(UnboundedCase{"LargestAloneN3", {5, 5, 9}, true, "0.71"},
                      UnboundedCase{"SmallestAloneN3", {1, 5, 5}, false, "0.71"},
                      UnboundedCase{"LargestAloneN4", {5, 9, 5, 5}, true, "0.58"}),
    CaseName{});

TEST_F(OutlierTest, DixonZeroSpanIsATie) {
    writeFullTables();
    // The seven largest are equal: r11 for the largest is 0 / 0.
    run({9, 9, 9, 1, 9, 9, 9, 9}, Which::Dixon);
    EXPECT_EQ(store().DixRmax, Cell("0.0"));
    EXPECT_EQ(store().DixClassMax, Cell("  > 10 %  "));
    EXPECT_EQ(store().DixRmin, Cell("1.0"));  // (9 - 1) / (9 - 1)
    EXPECT_EQ(store().DixClassMin, Cell("  < 0.5 %  "));
    // Equal values next to the largest give 0 as well.
    run({30, 30, 12, 11, 10}, Which::Dixon);
    EXPECT_EQ(store().DixRmax, Cell("0.0"));
    EXPECT_EQ(store().DixClassMax, Cell("  > 10 %  "));
}

TEST_F(OutlierTest, HugeNearlyEqualValuesKeepTheirSpread) {
    writeFullTables();
    // For such values the sum-of-squares form of the spread cancels out to nothing, while the
    // deviations from the mean still give 0.447 (mean 1.2 above the base).
    for (double base : {1e8, 1e12}) {
        SCOPED_TRACE(base);
        store() = SampleStore{};
        store().TableFolder = m_dir.path().string();
        loadValues({base + 1, base + 1, base + 2, base + 1, base + 1});
        Calc_Statistics();
        Grubbs_Test();
        Gauss_Test();
        EXPECT_EQ(store().SD, Cell("0.45"));
        EXPECT_EQ(store().GruTmax, Cell("1.789"));  // 0.8 / sqrt(0.2)
        EXPECT_EQ(store().GruTmin, Cell("0.447"));  // 0.2 / sqrt(0.2)
        // Without the largest value the rest has no spread at all.
        EXPECT_EQ(store().GauOld, Cell(kUnboundedStatistic));
        EXPECT_EQ(store().GauYoung, Cell("0.5"));
        expectNoBrokenResult();
    }
}

// ---- A failed lookup ---------------------------------------------------------------------------

struct LookupFailureCase {
    std::string name;
    Which which;
    bool fileMissing;  // otherwise the file lacks the record for n
};

class TestLookupFailure : public OutlierTest,
                          public ::testing::WithParamInterface<LookupFailureCase> {};

TEST_P(TestLookupFailure, ThrowsAndChangesNoResult) {
    const LookupFailureCase& c = GetParam();
    if (!c.fileMissing) {
        writeTable("grubbs.dat", record(4, {"1", "2", "3", "4", "5"}));
        writeTable("dixon.dat", record(4, {"1", "2", "3", "4", "5"}));
        writeTable("gauss-g.dat", record(4, {"1"}));
    }
    loadValues({10, 12, 11, 30, 12});
    Calc_Statistics();
    SampleStore& s = store();
    std::vector<Cell*> results = {
        &s.GruTmax, &s.GruTmin,     &s.GrubbsClassMax, &s.GrubbsClassMin, &s.DixRmax,
        &s.DixRmin, &s.DixClassMax, &s.DixClassMin,    &s.GauOld,         &s.GauYoung,
        &s.SDNoOld, &s.SDNoYoung,   &s.MeanNoOld,      &s.MeanNoYoung,    &s.GaussCrit};
    for (Cell* r : results) *r = "earlier";
    const Cell sumDev2 = s.SumDev2;

    EXPECT_THROW(runTest(c.which), TableLookupError);
    for (Cell* r : results) EXPECT_EQ(*r, Cell("earlier"));
    EXPECT_EQ(s.SumDev2, sumDev2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TestLookupFailure,
    ::testing::Values(LookupFailureCase{"GrubbsMissingFile", Which::Grubbs, true},
                      LookupFailureCase{"GrubbsNoRecord", Which::Grubbs, false},
                      LookupFailureCase{"DixonMissingFile", Which::Dixon, true},
                      LookupFailureCase{"DixonNoRecord", Which::Dixon, false},
                      LookupFailureCase{"GaussMissingFile", Which::Gauss, true},
                      LookupFailureCase{"GaussNoRecord", Which::Gauss, false}),
    CaseName{});

}  // namespace
}  // namespace sifton
