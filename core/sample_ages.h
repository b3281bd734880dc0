// The ages of an analysis taken with their uncertainties: what the second field states (as the
// user declared it for the data set), the statistics of the values under test (age_statistics.h)
// and the precision-aware screen of the youngest and the oldest of them.
//
// A declaration holds for every row of the data set, rejected rows included, so that a rejection
// or an undo can never meet a row without an uncertainty: declaringUncertainty refuses a data set
// with a row whose second field gives no positive, finite 1-sigma uncertainty, naming the row.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/age_statistics.h"
#include "core/calculation.h"
#include "core/data_set.h"
#include "core/input.h"

namespace sifton {

// The screen's verdict on one extreme: its row, its standardised residual and the chance that the
// largest of n residuals of ages of one population reaches it.
struct ExtremeResidual {
    int row = 0;
    double y = 0.0;
    double p = 0.0;
};

struct SampleAges {
    UncertaintyKind kind = UncertaintyKind::OneSigma;
    std::vector<int> rows;       // the rows under test, in row order
    std::vector<double> ages;    // their values
    std::vector<double> sigmas;  // their 1-sigma uncertainties
    AgeStatistics statistics;    // residuals in the order of rows
    ExtremeResidual youngest, oldest;
    std::vector<int> beyondTwo;  // rows whose |y| exceeds 2
    int n() const { return static_cast<int>(rows.size()); }
};

// "±1σ", "±2σ", "±1σ %", "±2σ %", or "not an uncertainty".
std::string_view uncertaintyName(UncertaintyKind kind);
// The command line's names: "1s", "2s", "1s%", "2s%"; nothing for another text.
std::optional<UncertaintyKind> uncertaintyOption(std::string_view text);
std::string_view uncertaintyOptionName(UncertaintyKind kind);

// What a header says of the column after the values: an uncertainty such as "err", "1σ", "2s %",
// "sAge" over "Age" (s and the value column's name); nothing when it names no uncertainty.
std::optional<UncertaintyKind> uncertaintyNamedBy(std::string_view valueHeader,
                                                  std::string_view secondHeader);

// The data set with its second field declared as 'kind' (None: no uncertainty), or the refusal
// that names the first row whose second field gives no positive, finite uncertainty. A data set
// of counts keeps the 1-sigma counting errors it was read with: declaring them 1 sigma changes
// nothing, any other kind (None included) is refused.
Outcome<DataSet> declaringUncertainty(DataSet data, UncertaintyKind kind);

// The ages under test with their uncertainties; nothing when the data set declares none.
std::optional<SampleAges> sampleAges(const DataSet& data, const Sample& sample,
                                     const Statistics& statistics);

}  // namespace sifton
