// What the "Sample Age" window shows of the ages under test with their uncertainties, without
// Qt: label and value lines (n, the weighted mean with its MSWD and P(χ²), the central age with
// its dispersion, the verdict in plain words, the screen of the two extremes) and a table of
// every value under test with its 1σ uncertainty and residual. frmSampleAge renders it; the
// copy command writes the same texts as tab-separated lines; the status line takes its P(χ²)
// text from here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/sample_ages.h"

namespace sifton {

struct SampleAgeLine {
    std::string label, value;
};

struct SampleAgeRow {
    std::array<std::string, 5> cells;  // row, value, 1σ uncertainty, x, y
    bool beyondTwo = false;            // |y| > 2
};

inline constexpr const char* kSampleAgeColumns[] = {"Row", "Value", "Uncertainty (1σ)", "x", "y"};

struct SampleAgeView {
    std::vector<SampleAgeLine> lines;
    std::vector<SampleAgeRow> rows;
    std::string note;  // without ages: what to do to have them
};

// Numbers to 5 significant digits, x and y to 4 decimals, P(χ²) to 4 significant digits, the
// extremes' p as the program writes p-values.
SampleAgeView sampleAgeView(const std::optional<SampleAges>& ages);

// The lines as "label\tvalue", an empty line, then the table under its header row; every line
// ends with '\n'.
std::string sampleAgeText(const SampleAgeView& view);

// What the status line adds when the ages are known: " Ages: P(χ²) = 0.031."
std::string sampleAgeStatus(const SampleAges& ages);

}  // namespace sifton
