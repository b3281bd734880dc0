// The texts the program shows of the generalized ESD screen, without Qt: the status line under
// the results window and the note for small data sets. The screen itself runs over an analysis
// (core/analysis.h, runGesd).
#pragma once

#include <string>

#include "core/analysis.h"

namespace sifton {

// The status line under the results window, with its warning when the screen finds more
// outliers than the Grubbs and g tests flag between them ('flagged'; -1 when neither ran).
std::string gesdStatusLine(const GesdView& view, int flagged);

// The note shown with a result for fewer than 25 values.
std::string gesdSmallSampleNote(const GesdView& view);

// alpha as the program writes it: 0.05, 0.1, 0.01.
std::string alphaText(double alpha);

}  // namespace sifton
