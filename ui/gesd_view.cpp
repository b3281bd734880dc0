#include "ui/gesd_view.h"

#include <algorithm>

#include "core/number_text.h"
#include "core/statistics.h"

namespace sifton {

GesdView runGesd(const SampleStore& s, const GesdSettings& settings) {
    GesdView view;
    std::vector<double> values;
    std::vector<int> rowOf;
    for (int i = 1; i <= std::min(s.RowCount, kMaxRows); ++i)
        if (s.Rejected[i].toNumber() < 1)
            values.push_back(s.Col1[i].toNumber()), rowOf.push_back(i);
    view.n = static_cast<int>(values.size());
    const int k = settings.k > 0 ? settings.k : gesdDefaultK(view.n);
    view.result = gesdScreen(values, settings.alpha, k);
    for (const GesdStep& step : view.result.steps)
        view.rows.push_back(rowOf[static_cast<size_t>(step.index)]);
    return view;
}

int valuesFlaggedByGrubbsOrG(const ResultsModel& model) {
    auto shown = [&](const char* cover) { return !model.label(cover).visible; };
    auto flagged = [&](const char* name) {
        return model.label(name).background == colour::kHighlight;
    };
    const bool grubbs = shown("lblGRUno"), gauss = shown("lblGAUno");
    if (!grubbs && !gauss) return -1;
    // A Grubbs class is highlighted from 5 % on; the g verdict is the 5 % one.
    const bool low = (grubbs && flagged("lblGrubbsMin")) || (gauss && flagged("lblGaY"));
    const bool high = (grubbs && flagged("lblGrubbsMax")) || (gauss && flagged("lblGaO"));
    return static_cast<int>(low) + static_cast<int>(high);
}

std::string alphaText(double alpha) { return generalNumberText(alpha); }

std::string gesdStatusLine(const GesdView& view, const ResultsModel& model) {
    const GesdResult& r = view.result;
    if (!r.ran()) return "ESD screen for several outliers: not run (it needs 6 values or more).";
    std::string line = "ESD screen (two-sided, \u03B1 = " + alphaText(r.alpha) +
                       ", k = " + std::to_string(r.k) + "): ";
    line += r.outliers == 0   ? "no outlier."
            : r.outliers == 1 ? "1 outlier."
                              : std::to_string(r.outliers) + " outliers.";
    const int flagged = valuesFlaggedByGrubbsOrG(model);
    if (flagged >= 0 && r.outliers > flagged)
        line += " Warning: one outlier may be masking another.";
    else if (view.n < kGesdAccurateFrom)
        line += " (Approximate below 25 values.)";
    return line;
}

std::string gesdSmallSampleNote(const GesdView& view) {
    if (!view.result.ran() || view.n >= kGesdAccurateFrom) return {};
    return "Note: with fewer than 25 values the critical values lambda are approximate (they "
           "are accurate for 25 values or more); read the result as a hint.";
}

}  // namespace sifton
