// Fitting the results window's label texts into their places, without Qt. The model keeps the
// texts the report reads back; this decides how each one is shown so that no digit is ever cut
// off: a text too wide for its label grows the label to the right over free room (up to the next
// element on its line or the client area's edge); a number that still does not fit shows in a
// shorter exact form (30000000.00 as 3E+07) with the full text as its tooltip; beyond that the
// window widens at that label, moving what lies right of it and stretching what spans it. The file
// name and the three header texts are texts, not numbers: they grow too, then are elided (the path
// in the middle, so the file name stays visible) with the full text as their tooltip.
//
// Widths come from a callback, so the caller's font decides them; all lengths are twips.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/results_labels.h"

namespace sifton {

// The same decimal number as a plain number text in exponent form (30000000.00 as 3E+07,
// -0.000123 as -1.23E-04), when that is shorter; nothing for other texts and for zero.
std::optional<std::string> exactExponentForm(std::string_view text);

enum class Elide { None, Middle, Right };

struct FittedLabel {
    std::string text;     // what the label shows (before any eliding)
    std::string toolTip;  // the full text where the shown one is shorter or may be elided
    int left = 0, width = 0;
    Elide elide = Elide::None;
};

class FittedLayout {
  public:
    std::vector<FittedLabel> labels;  // in the model's order
    int clientWidth = 0;

    // Where a design position lies once the window has widened.
    int x(int designX) const;
    void widenAt(int designX, int extra) { m_widenings.emplace_back(designX, extra); }

  private:
    std::vector<std::pair<int, int>> m_widenings;  // design position, extra width
};

// The width in twips that label number 'index' of the model needs to show 'text'.
using MeasureText = std::function<int(size_t index, const std::string& text)>;

FittedLayout fitLabels(const std::vector<LabelState>& labels, const std::vector<Line>& lines,
                       int clientWidth, const MeasureText& measure);

}  // namespace sifton
