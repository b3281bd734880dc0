// What the "Sample Age" window shows of the ages under test with their uncertainties, without
// Qt: label and value lines (n, the weighted mean with its MSWD and P(χ²), the central age with
// its dispersion, the verdict in plain words, the screen of the two extremes) and a table of
// every value under test with its 1σ uncertainty and residual. For a count file the window
// shows the counts instead: the pooled and central ages from Ns and Ni, the chi-square test of
// the counts, and each grain's counts, age and residual on the radial plot of counts.
// frmSampleAge renders it; the copy command writes the same texts as tab-separated lines; the
// status line takes its P(χ²) text from here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/data_set.h"
#include "core/fission_tracks.h"
#include "core/sample_ages.h"

namespace sifton {

struct SampleAgeLine {
    std::string label, value;
};

struct SampleAgeRow {
    std::vector<std::string> cells;  // one per column
    bool beyondTwo = false;          // |y| > 2
};

struct SampleAgeView {
    std::vector<SampleAgeLine> lines;
    std::vector<std::string> columns;  // the table's header
    std::vector<SampleAgeRow> rows;
    std::string note;  // without ages: what to do to have them
};

// Numbers to 5 significant digits, x and y to 4 decimals, P(χ²) to 4 significant digits, the
// extremes' p as the program writes p-values.
SampleAgeView sampleAgeView(const std::optional<SampleAges>& ages);

// The counts view of a count file's grains under test: ages in Ma with their counting errors
// and, after them, the errors with zeta's and rhoD's; residuals of the arcsine transform about
// that of the central age, each extreme's p from its residual as for ages. `ages` gives the rows
// under test and which grains are the youngest and the oldest.
SampleAgeView countsView(const SampleAges& ages, const FtSummary& counts, const CountData& data);

// The lines as "label\tvalue", an empty line, then the table under its header row; every line
// ends with '\n'.
std::string sampleAgeText(const SampleAgeView& view);

// What the status line adds when the ages are known: " Ages: P(χ²) = 0.031."
std::string sampleAgeStatus(const SampleAges& ages);
// For a count file, the counts' chi-square test: " Counts: P(χ²) = 0.0015."
std::string countsStatus(const FtSummary& counts);

}  // namespace sifton
