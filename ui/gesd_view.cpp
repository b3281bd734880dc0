#include "ui/gesd_view.h"

#include "core/number_text.h"

namespace sifton {

std::string alphaText(double alpha) { return generalNumberText(alpha); }

std::string gesdStatusLine(const GesdView& view, int flagged) {
    const GesdResult& r = view.result;
    if (!r.ran()) return "ESD screen for several outliers: not run (it needs 6 values or more).";
    std::string line = "ESD screen (two-sided, \u03B1 = " + alphaText(r.alpha) +
                       ", k = " + std::to_string(r.k) + "): ";
    line += r.outliers == 0   ? "no outlier."
            : r.outliers == 1 ? "1 outlier."
                              : std::to_string(r.outliers) + " outliers.";
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
