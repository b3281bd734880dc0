// Everything the program shows of an analysis, computed in one place and without Qt: each
// result label's text, highlight, cover and tooltip, the status line, the Several Outliers
// screen, the data plot and the Sample Age window. The results window renders it, the clipboard
// report (report.h) is made from it, and sifton-report uses the same function for --report and
// --plot, so the window, the report, the plot and the command line cannot disagree.
//
// Rounding decisions that the window makes on shown texts are made here, once: the inner fences
// come from the quartiles as shown, to three decimals.
#pragma once

#include <array>
#include <string>

#include "core/analysis.h"
#include "ui/plot_geometry.h"
#include "ui/results_labels.h"
#include "ui/sample_age_view.h"

namespace sifton {

// The g-test verdicts the window writes itself.
inline constexpr const char* kGaussOutlier = "  outlier  ";
inline constexpr const char* kGaussOk = "  OK  ";

struct LabelShown {
    std::string text;
    bool highlight = false;  // light red: a significant class or an outlier verdict
    bool visible = true;     // false only for a cover that is not shown
    int width = 0;           // the width in twips; 0: the design width
    std::string tooltip;     // a p-value, or the rejected rows; empty: none
};

struct Presentation {
    bool showsResults = false;  // an analysis is on screen
    std::array<LabelShown, kLabelCount> labels;
    std::string statusLine;    // under the window: the ESD screen's outcome, and P(χ²) of ages
    bool gesdMasking = false;  // the screen finds more outliers than Grubbs and g flag
    GesdSettings gesdSettings;
    GesdView gesd;  // the Several Outliers screen; empty without results
    PlotData plot;
    SampleAgeView sampleAge;  // the Sample Age window; its note without ages

    const LabelShown& operator[](LabelId id) const { return labels[static_cast<std::size_t>(id)]; }
    const std::string& text(LabelId id) const { return (*this)[id].text; }
};

// What the window shows for an analysis, or, without one, its design state: results blank,
// the heads "Minimum:" and "Maximum:", the covers hidden.
Presentation present(const Analysis* analysis, const GesdSettings& settings);

}  // namespace sifton
