// The texts the program shows of the generalized ESD screen, without Qt: the status line under
// the results window and the note for small data sets. The screen itself runs over an analysis
// (core/analysis.h, runGesd).
#pragma once

#include <string>

#include "core/analysis.h"

namespace sifton {

inline constexpr const char* kMaskingWarning = "Warning: one outlier may be masking another.";
inline constexpr const char* kApproximateNote = "(Approximate below 25 values.)";

// Whether the screen finds more outliers than the Grubbs and g tests flag between them
// ('flagged'; -1 when neither ran): the case the screen is there for.
bool gesdMasking(const GesdView& view, int flagged);

// The status line under the results window: the outcome, the masking warning and the note for
// small data sets.
std::string gesdStatusLine(const GesdView& view, bool masking);

// What the Outlier column says of step i (0-based): why the step's value is an outlier or not.
std::string gesdStepVerdict(const GesdResult& result, std::size_t i);

// When the k asked for (0: the default) is more than the data set allows, the sentence that
// says it was cut; otherwise empty.
std::string gesdKCutNote(const GesdView& view, int askedK);

// The steps as tab-separated text under a header row, one line each, for a spreadsheet.
std::string gesdTableText(const GesdView& view);

// The note shown with a result for fewer than 25 values.
std::string gesdSmallSampleNote(const GesdView& view);

// alpha as the program writes it: 0.05, 0.1, 0.01.
std::string alphaText(double alpha);

}  // namespace sifton
