// What the results window shows of the generalized ESD screen, without Qt: the screen run over
// the values under test of the store with the alpha and k in force, its status line, and the
// rows of the "Several Outliers" window with the data rows of the store.
#pragma once

#include <string>
#include <vector>

#include "core/gesd.h"
#include "core/store.h"
#include "ui/results_model.h"

namespace sifton {

// The choice holds until the program ends; it is not saved. k = 0 means the default k for n.
struct GesdSettings {
    double alpha = 0.05;
    int k = 0;
};
inline constexpr double kGesdAlphas[] = {0.10, 0.05, 0.01};

struct GesdView {
    GesdResult result;
    std::vector<int> rows;  // the store's row of each step's value, 1-based
    int n = 0;              // values under test
};

// The screen over the values under test (rejected rows stay out).
GesdView runGesd(const SampleStore& s, const GesdSettings& settings);

// How many values the Grubbs and g tests flag between them at 5 %, one per side at most, read
// from what the results window shows; -1 when neither test ran.
int valuesFlaggedByGrubbsOrG(const ResultsModel& model);

// The status line under the results window, with its warning when the screen finds more
// outliers than the Grubbs and g tests flag between them.
std::string gesdStatusLine(const GesdView& view, const ResultsModel& model);

// The note shown with a result for fewer than 25 values.
std::string gesdSmallSampleNote(const GesdView& view);

// alpha as the program writes it: 0.05, 0.1, 0.01.
std::string alphaText(double alpha);

}  // namespace sifton
