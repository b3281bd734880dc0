// Everything one run of the tests produced, as one table: the data set, the statistics, for each
// test and each extreme the statistic, the critical values at every tabulated level, the class or
// verdict and the p-value with its sidedness, the quartiles and the four fences, and the steps of
// the ESD screen. No Qt: the All Results window renders it, the copy command writes it as
// tab-separated text for a spreadsheet.
#pragma once

#include <string>
#include <vector>

#include "core/analysis.h"
#include "ui/presentation.h"

namespace sifton {

struct ResultRow {
    std::string section;   // "Data set", "Grubbs test"...
    std::string quantity;  // "T", "critical T at 5 %"...
    std::string of;        // "smallest", "largest", "both ends", "step 2"...; empty for the set
    std::string value;     // numbers in full, p-value bounds as "≤ 0.41" or "< 0.001"
    std::string note;      // sidedness, rows, why a test did not run
};

struct AllResults {
    std::vector<ResultRow> rows;
    std::string note;  // how to read four tests at once
};

inline constexpr const char* kResultColumns[] = {"Section", "Quantity", "Of", "Value", "Note"};

AllResults allResults(const Analysis& analysis, const Presentation& shown);

// The table under a header row, tab-separated, one line each with the system's line end ('\n'):
// what "Copy All Results" puts on the clipboard.
std::string allResultsText(const AllResults& results);

}  // namespace sifton
