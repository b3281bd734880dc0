// Analyses of a data set: rejections in turn (the lowest row of a tie, never below three values)
// back to the load, a table that fails on the way, and the ESD screen's rows in the data set.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "core/analysis.h"
#include "test_support.h"

namespace sifton {
namespace {

std::shared_ptr<const DataSet> dataSetOf(const std::vector<double>& values) {
    DataSet data{"d.csv", "L", "M", "A", {}, {}};
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

// A failed table throws from the load and from a rejection; the analysis there was stays.
TEST_F(AnalysisTest, AFailedTableThrows) {
    const auto data = dataSetOf({10, 12, 11, 30, 12});
    const Analysis a = Analysis::of(data, m_tables);
    m_dir.write("gauss-g.dat", "n\n5,2.5\n");  // no record for 4
    EXPECT_THROW((void)a.rejecting(Extreme::Largest, m_tables), TableLookupError);
    EXPECT_THROW(rejectInTurn(a, {Extreme::Smallest}, m_tables), TableLookupError);
    EXPECT_EQ(std::tuple(a.NData(), a.rejectedRows().empty(), a.results().gauss.critical),
              std::tuple(5, true, 2.5));
    m_dir.write("grubbs.dat", "n\n");
    EXPECT_THROW(Analysis::of(data, m_tables), TableLookupError);
}

// The screen runs over the values under test; each step names its row in the data set.
TEST_F(AnalysisTest, GesdStepsNameTheirDataSetRows) {
    const Analysis loaded =
        Analysis::of(dataSetOf({10, 50, 51, 90, 49, 52, 48, 51, 49, 50, 50, 47}), m_tables);
    // Row 1 out: each value's row lies one past its place among the values under test.
    const Analysis a = *loaded.rejecting(Extreme::Smallest, m_tables);
    for (const auto& [k, steps] : {std::pair(0, 5), {2, 2}}) {
        const GesdView view = runGesd(a, GesdSettings{0.05, k});
        ASSERT_EQ(view.rows.size(), static_cast<std::size_t>(steps));
        EXPECT_EQ(std::tuple(view.n, view.result.k, view.result.alpha),
                  std::tuple(11, steps, 0.05));
        EXPECT_EQ(view.rows[0], 4);  // 90
        for (std::size_t i = 0; i < view.rows.size(); ++i) {
            EXPECT_FALSE(a.Rejected(view.rows[i]));
            EXPECT_EQ(a.dataSet().Col1(view.rows[i]), view.result.steps[i].value);
        }
    }
}

}  // namespace
}  // namespace sifton
