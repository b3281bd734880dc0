// Analyses: rejections in turn (the lowest row of a tie, never below three values) back to the
// load, a failed table; the generalized ESD screen, its limits and its rows in the data set.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "core/analysis.h"
#include "core/gesd.h"
#include "test_support.h"

namespace sifton {
namespace {

std::shared_ptr<const DataSet> dataSetOf(const std::vector<double>& values) {
    DataSet data;
    data.DataFileName = "d.csv", data.Locality = "L", data.LocalityM = "M", data.StratAge = "A";
    for (double v : values) data.rows.push_back(DataRow{v, 1.0, "note"});
    return std::make_shared<const DataSet>(std::move(data));
}

using AnalysisTest = test::WithTables;

// The rows are listed in the order rejected; each step keeps the analysis before it.
TEST_F(AnalysisTest, RejectionsInTurn) {
    using enum Extreme;
    const std::tuple<std::vector<Extreme>, std::vector<int>, const char*> cases[] = {
        {{Largest, Largest}, {2, 4}, "-x-x--"},  // the second 9
        {{Smallest, Smallest, Largest}, {3, 5, 2}, "-xx-x-"},
        {{Largest, Smallest, Largest, Largest, Smallest}, {2, 3, 4}, "-xxx--"},  // six to three
        {{}, {}, "------"},
    };
    const Analysis loaded = Analysis::of(dataSetOf({5, 9, 1, 9, 1, 7}), m_tables);
    for (const auto& [sequence, rows, flags] : cases) {
        SCOPED_TRACE(flags);
        const Rejections r = rejectInTurn(loaded, sequence, m_tables);
        const Analysis& a = r.analysis;
        std::string rejected;
        for (int row = 1; row <= 6; ++row) rejected += a.Rejected(row) ? 'x' : '-';
        EXPECT_EQ(std::tuple(r.made, a.rejectedRows(), rejected, a.NData(), a.RowCount()),
                  std::tuple(rows.size(), rows, flags, 6 - static_cast<int>(rows.size()), 6));
        EXPECT_EQ(&a.dataSet(), &loaded.dataSet());  // shared, not copied
        std::size_t steps = 0;
        for (const Analysis* step = &a; step->before(); step = step->before(), ++steps)
            EXPECT_EQ(step->before()->rejectedRows().size(), rows.size() - steps - 1);
        EXPECT_EQ(steps, rows.size());
    }
}

// A failed table (each of the three at the load) throws; the analysis there was stays.
TEST_F(AnalysisTest, AFailedTableThrows) {
    const auto data = dataSetOf({10, 12, 11, 30, 12});
    const Analysis a = Analysis::of(data, m_tables);
    m_dir.write("gauss-g.dat", "n\n5,2.5\n");  // no record for 4
    EXPECT_THROW((void)a.rejecting(Extreme::Largest, m_tables), TableLookupError);
    EXPECT_THROW(rejectInTurn(a, {Extreme::Smallest}, m_tables), TableLookupError);
    EXPECT_EQ(std::tuple(a.NData(), a.rejectedRows().empty(), a.results().gauss.critical),
              std::tuple(5, true, 2.5));
    for (const char* name : {"grubbs.dat", "dixon.dat", "gauss-g.dat"}) {
        m_dir.writeTables();
        m_dir.write(name, "n\n");
        EXPECT_THROW(Analysis::of(data, m_tables), TableLookupError) << name;
    }
}

// The screen runs over the values under test; each step names its row in the data set.
TEST_F(AnalysisTest, GesdStepsNameTheirDataSetRows) {
    const Analysis loaded =
        Analysis::of(dataSetOf({10, 50, 51, 90, 49, 52, 48, 51, 49, 50, 50, 47}), m_tables);
    // Row 1 out: each value's row lies one past its place among the values under test.
    const Analysis a = *loaded.rejecting(Extreme::Smallest, m_tables);
    const GesdView view = runGesd(a, GesdSettings{0.05, 0});
    ASSERT_EQ(view.rows.size(), 5u);
    EXPECT_EQ(std::tuple(view.n, view.result.k, view.rows[0]), std::tuple(11, 5, 4));  // 4: 90
    for (std::size_t i = 0; i < view.rows.size(); ++i) {
        EXPECT_FALSE(a.Rejected(view.rows[i]));
        EXPECT_EQ(a.dataSet().Col1(view.rows[i]), view.result.steps[i].value);
    }
}

// Rosner's 54 observations, NIST/SEMATECH e-Handbook of Statistical Methods, section 1.3.5.17.3
// ("Generalized ESD Test for Outliers"); examples/esd-example-54.csv holds them.
const std::vector<double> kRosner = {
    -0.25, 0.68, 0.94, 1.15, 1.20, 1.26, 1.26, 1.34, 1.38, 1.43, 1.49, 1.49, 1.55, 1.56,
    1.58,  1.65, 1.69, 1.70, 1.76, 1.77, 1.81, 1.91, 1.94, 1.96, 1.99, 2.06, 2.09, 2.10,
    2.14,  2.15, 2.23, 2.24, 2.26, 2.35, 2.37, 2.40, 2.47, 2.54, 2.62, 2.64, 2.90, 2.92,
    2.92,  2.93, 3.21, 3.26, 3.30, 3.59, 3.68, 4.30, 4.64, 5.34, 5.42, 6.01};

TEST(Gesd, RosnersExampleFindsThreeOutliersThroughMasking) {
    // The handbook's table, cut to three decimals: R_i, lambda_i at alpha = 0.05.
    const std::pair<double, double> table[] = {
        {3.118, 3.158}, {2.942, 3.151}, {3.179, 3.143}, {2.810, 3.136}, {2.815, 3.128},
        {2.848, 3.120}, {2.279, 3.111}, {2.310, 3.103}, {2.101, 3.094}, {2.067, 3.085}};
    const GesdResult r = gesdScreen(kRosner, 0.05, gesdDefaultK(54));
    ASSERT_EQ(r.steps.size(), 10u);
    EXPECT_EQ(r.outliers, 3);  // masked: the first two steps alone find none
    for (const GesdStep& step : r.steps) {
        SCOPED_TRACE(step.i);
        EXPECT_NEAR(step.R, table[step.i - 1].first, 0.001);
        EXPECT_NEAR(step.lambda, table[step.i - 1].second, 0.001);
        EXPECT_EQ(step.outlier, step.i <= 3);
    }
    EXPECT_EQ(std::tuple(r.steps[0].value, r.steps[1].value, r.steps[2].value, r.steps[2].index),
              std::tuple(6.01, 5.42, 5.34, 51));
}

// The largest k, the default and the clamp to 1..floor((n-1)/2) are seen through the Several
// Outliers window and its note on a cut k (test_several_outliers.cpp).
TEST(Gesd, Limits) {
    EXPECT_FALSE(gesdScreen(std::vector<double>{1, 2, 3, 4, 50}, 0.05, 2).ran());  // under six
    EXPECT_GT(gesdLambdas(20, 0.01, 1)[0], gesdLambdas(20, 0.10, 1)[0]);           // alpha is used
    EXPECT_EQ(gesdScreen(std::vector<double>(8, 7.5), 0.05, 3).outliers, 0);       // no spread
}

}  // namespace
}  // namespace sifton
