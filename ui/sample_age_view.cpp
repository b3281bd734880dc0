#include "ui/sample_age_view.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/number_text.h"
#include "core/p_values.h"

namespace sifton {
namespace {

// The digits of a value rounded to 'decimals' places, in general number text.
std::string fixed(double value, int decimals) {
    if (!std::isfinite(value)) return generalNumberText(value);
    char digits[1200];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed,
                                   std::clamp(decimals, 0, 400))
                         .ptr;
    double back = value;
    std::from_chars(digits, end, back);
    return generalNumberText(back + 0.0);  // + 0.0: no "-0"
}

std::string significant(double value, int digits) {
    if (value == 0 || !std::isfinite(value)) return fixed(value, 0);
    return fixed(value, digits - 1 - static_cast<int>(std::floor(std::log10(std::abs(value)))));
}

std::string number(double value) { return significant(value, 5); }
// Radial coordinates to 1E-4; a residual of rounding noise shows as 0.
std::string coordinate(double value) { return fixed(value, 4); }
std::string plusMinus(double value, double se) { return number(value) + " ± " + number(se); }

std::string pText(double p) {
    PValue shown;
    shown.value = p;
    return pValueText(shown);
}

std::string rowsText(const std::vector<int>& rows) {
    if (rows.empty()) return "none";
    std::string text = rows.size() == 1 ? "row " : "rows ";
    for (std::size_t i = 0; i < rows.size(); ++i) text += (i ? ", " : "") + std::to_string(rows[i]);
    return text;
}

SampleAgeLine extremeLine(const char* which, const ExtremeResidual& e) {
    return {std::string(which) + " (row " + std::to_string(e.row) + ")",
            "y = " + coordinate(e.y) + ", p = " + pText(e.p)};
}

}  // namespace

SampleAgeView sampleAgeView(const std::optional<SampleAges>& ages) {
    SampleAgeView view;
    if (!ages) {
        view.note =
            "The second field is not declared an uncertainty. Choose what it states in Edit > "
            "Second Field.";
        return view;
    }
    const AgeStatistics& st = ages->statistics;
    const WeightedMean& w = st.weighted;
    auto& l = view.lines;
    l.push_back({"Second field", std::string(uncertaintyName(ages->kind))});
    l.push_back({"n", std::to_string(ages->n())});
    l.push_back({"Weighted mean ± se", plusMinus(w.value, w.se)});
    l.push_back({"MSWD", number(w.mswd)});
    l.push_back({"χ²", number(w.chi2) + " with " + std::to_string(w.df) + " degrees of freedom"});
    l.push_back({"P(χ²)", significant(w.p, 4)});
    if (st.central) {
        const CentralAge& c = *st.central;
        l.push_back({"Central age ± se", plusMinus(c.age, c.se)});
        l.push_back({"Dispersion ± se",
                     c.dispersionSe ? plusMinus(100 * c.dispersion, 100 * *c.dispersionSe) + " %"
                                    : "none"});
    } else {
        l.push_back({"Central age ± se", "no central age: a value is 0 or less"});
    }
    l.push_back({"In words", w.p < 0.05 ? "more scatter than the uncertainties explain"
                                        : "the uncertainties explain the scatter"});
    l.push_back(extremeLine("Youngest", ages->youngest));
    l.push_back(extremeLine("Oldest", ages->oldest));
    l.push_back({"|y| > 2", rowsText(ages->beyondTwo)});
    l.push_back({"Residuals",
                 st.logScale
                     ? "y of ln t about their weighted mean " + number(st.reference) + "; x = t/s"
                     : "y of t about their weighted mean " + number(st.reference) + "; x = 1/s"});

    for (std::size_t i = 0; i < ages->rows.size(); ++i) {
        SampleAgeRow row;
        const Residual& r = st.residuals[i];
        row.cells = {std::to_string(ages->rows[i]), generalNumberText(ages->ages[i]),
                     number(ages->sigmas[i]), coordinate(r.x), coordinate(r.y)};
        row.beyondTwo = std::abs(r.y) > 2;
        view.rows.push_back(std::move(row));
    }
    return view;
}

std::string sampleAgeText(const SampleAgeView& view) {
    std::string text;
    if (!view.note.empty()) text += view.note + '\n';
    for (const SampleAgeLine& line : view.lines) text += line.label + '\t' + line.value + '\n';
    text += '\n';
    for (std::size_t c = 0; c < std::size(kSampleAgeColumns); ++c)
        text += (c ? "\t" : "") + std::string(kSampleAgeColumns[c]);
    text += '\n';
    for (const SampleAgeRow& row : view.rows) {
        for (std::size_t c = 0; c < row.cells.size(); ++c) text += (c ? "\t" : "") + row.cells[c];
        text += '\n';
    }
    return text;
}

std::string sampleAgeStatus(const SampleAges& ages) {
    return " Ages: P(χ²) = " + pText(ages.statistics.weighted.p) + ".";
}

}  // namespace sifton
