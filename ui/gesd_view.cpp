#include "ui/gesd_view.h"

#include "core/number_text.h"

namespace sifton {

std::string alphaText(double alpha) { return generalNumberText(alpha); }

bool gesdMasking(const GesdView& view, int flagged) {
    return view.result.ran() && flagged >= 0 && view.result.outliers > flagged;
}

std::string gesdStatusLine(const GesdView& view, bool masking) {
    const GesdResult& r = view.result;
    if (!r.ran()) return "ESD screen for several outliers: not run (it needs 6 values or more).";
    std::string line = "ESD screen (two-sided, \u03B1 = " + alphaText(r.alpha) +
                       ", k = " + std::to_string(r.k) + "): ";
    line += r.outliers == 0   ? "no outlier."
            : r.outliers == 1 ? "1 outlier."
                              : std::to_string(r.outliers) + " outliers.";
    if (masking) line += std::string(" ") + kMaskingWarning;
    if (view.n < kGesdAccurateFrom) line += std::string(" ") + kApproximateNote;
    return line;
}

std::string gesdStepVerdict(const GesdResult& result, std::size_t i) {
    const GesdStep& step = result.steps.at(i);
    if (!step.outlier) return "no";
    if (step.i == result.outliers) return "outlier: R > lambda, the deciding step";
    if (step.R > step.lambda) return "outlier: R > lambda";
    return "outlier: a later step exceeds its lambda";
}

std::string gesdKCutNote(const GesdView& view, int askedK) {
    const int most = gesdMaxK(view.n);
    if (!view.result.ran() || askedK <= most) return {};
    return "k = " + std::to_string(askedK) + " was cut to " + std::to_string(most) +
           ", the most the screen takes for " + std::to_string(view.n) + " values.";
}

std::string gesdTableText(const GesdView& view) {
    std::string text = "i\tRow\tValue\tR\tlambda\tOutlier\n";
    const GesdResult& r = view.result;
    for (std::size_t i = 0; i < r.steps.size(); ++i) {
        const GesdStep& step = r.steps[i];
        text += std::to_string(step.i) + "\t" + std::to_string(view.rows[i]) + "\t" +
                generalNumberText(step.value) + "\t" + generalNumberText(step.R) + "\t" +
                generalNumberText(step.lambda) + "\t" + gesdStepVerdict(r, i) + "\n";
    }
    return text;
}

std::string gesdSmallSampleNote(const GesdView& view) {
    if (!view.result.ran() || view.n >= kGesdAccurateFrom) return {};
    return "Note: with fewer than 25 values the critical values lambda are approximate (they "
           "are accurate for 25 values or more); read the result as a hint.";
}

}  // namespace sifton
