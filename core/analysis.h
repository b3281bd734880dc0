// An analysis: a data set, the rows rejected from it in order, and the results of the four tests
// over the rows still under test. It is a value: rejecting a value makes a new analysis that
// keeps the one before it, so the results window's undo history and the command line's
// rejections are chains of values and nothing else holds data or results.
//
// Every analysis is computed once, when it is made: Analysis::of for a loaded data set, then
// rejecting() for each rejection; for a data set of counts that includes the fission-track
// statistics of the grains under test. Both throw TableLookupError when a table file fails; the
// analysis that existed stays as it was.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "core/calculation.h"
#include "core/data_set.h"
#include "core/fission_tracks.h"
#include "core/gesd.h"
#include "core/input.h"
#include "core/sample_ages.h"

namespace sifton {

enum class Extreme { Smallest, Largest };

class Analysis {
  public:
    static Analysis of(std::shared_ptr<const DataSet> data, TableSource& tables);

    // The analysis with the smallest or the largest value under test rejected, as the reject
    // buttons reject it; nothing when only three values are left, the fewest the tests take.
    std::optional<Analysis> rejecting(Extreme extreme, TableSource& tables) const;

    const DataSet& dataSet() const { return *m_data; }
    const Results& results() const { return m_results; }
    // The values under test with their uncertainties, when the data set declares them.
    const std::optional<SampleAges>& ages() const { return m_ages; }
    // For a data set of counts: the statistics of the grains under test (fission_tracks.h), the
    // grains in the order of rowsUnderTest().
    const std::optional<FtSummary>& fissionTracks() const { return m_fissionTracks; }
    // The rows still under test, in row order.
    std::vector<int> rowsUnderTest() const;
    const Sample& sample() const { return m_sample; }
    // Rows rejected so far, in the order of rejection.
    const std::vector<int>& rejectedRows() const { return m_rejectedRows; }
    bool Rejected(int row) const { return !m_sample.underTest(row); }
    int NData() const { return m_results.statistics.n; }
    int RowCount() const { return m_data->RowCount(); }
    // The analysis before the latest rejection; nullptr for the analysis of a load.
    const Analysis* before() const { return m_before.get(); }

    // The same rejections over the data set with its second field declared as 'kind', the
    // analyses before them included; or the refusal naming the row that has no uncertainty.
    // Nothing of the four tests changes, so no table is read.
    Outcome<Analysis> declaring(UncertaintyKind kind) const;

  private:
    std::shared_ptr<const DataSet> m_data;
    Sample m_sample;
    std::vector<int> m_rejectedRows;
    Results m_results;
    std::optional<SampleAges> m_ages;
    std::optional<FtSummary> m_fissionTracks;
    std::shared_ptr<const Analysis> m_before;

    Analysis withData(std::shared_ptr<const DataSet> data) const;
    // The ages and the counts' statistics from the data set, the sample and the results.
    void deriveAges();
};

// The rejections of a sequence made in turn, each on the extreme of the values left, as the
// reject buttons make them; it stops at three values. Throws TableLookupError.
struct Rejections {
    Analysis analysis;
    std::size_t made = 0;  // how many of the sequence were made
};
Rejections rejectInTurn(Analysis analysis, const std::vector<Extreme>& sequence,
                        TableSource& tables);

// The generalized ESD screen's settings: alpha, and k (0 means the default for n).
struct GesdSettings {
    double alpha = 0.05;
    int k = 0;
};
inline constexpr double kGesdAlphas[] = {0.10, 0.05, 0.01};

struct GesdView {
    GesdResult result;
    std::vector<int> rows;  // the data set's row of each step's value, 1-based
    int n = 0;              // values under test
};

// The screen over the values under test of an analysis (rejected rows stay out).
GesdView runGesd(const Analysis& analysis, const GesdSettings& settings);

}  // namespace sifton
