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

SampleAgeLine extremeLine(const std::string& which, const ExtremeResidual& e) {
    return {which + " (row " + std::to_string(e.row) + ")",
            "y = " + coordinate(e.y) + ", p = " + pText(e.p)};
}

std::string inWords(double p) {
    return p < 0.05 ? "more scatter than the uncertainties explain"
                    : "the uncertainties explain the scatter";
}

std::string chiSquareText(double chi2, int df) {
    return number(chi2) + " with " + std::to_string(df) + " degrees of freedom";
}

std::string dispersionText(double dispersion, const std::optional<double>& se) {
    return se ? plusMinus(100 * dispersion, 100 * *se) + " %" : "none";
}

// "107.22 ± 11.816 Ma (± 12.394 with ζ and ρD)"
std::string ftAgeText(const FtAge& a) {
    return plusMinus(a.age, a.se) + " Ma (± " + number(a.seTotal) + " with ζ and ρD)";
}

const std::vector<std::string> kAgeColumns = {"Row", "Value", "Uncertainty (1σ)", "x", "y"};
const std::vector<std::string> kCountColumns = {"Row",       "Ns", "Ni", "Age (Ma)",
                                                "± 1σ (Ma)", "x",  "y"};

}  // namespace

SampleAgeView sampleAgeView(const std::optional<SampleAges>& ages) {
    SampleAgeView view;
    view.columns = kAgeColumns;
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
    l.push_back({"χ²", chiSquareText(w.chi2, w.df)});
    l.push_back({"P(χ²)", significant(w.p, 4)});
    if (st.central) {
        const CentralAge& c = *st.central;
        l.push_back({"Central age ± se", plusMinus(c.age, c.se)});
        l.push_back({"Dispersion ± se", dispersionText(c.dispersion, c.dispersionSe)});
    } else {
        l.push_back({"Central age ± se", "no central age: a value is 0 or less"});
    }
    l.push_back({"In words", inWords(w.p)});
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

SampleAgeView countsView(const SampleAges& ages, const FtSummary& counts, const CountData& data) {
    SampleAgeView view;
    view.columns = kCountColumns;
    auto& l = view.lines;
    l.push_back({"Data", data.sampleName.empty() ? "fission-track counts"
                                                 : "fission-track counts of " + data.sampleName});
    l.push_back({"ζ", plusMinus(data.zeta, data.zetaSe) + " yr cm²"});
    l.push_back({"ρD", plusMinus(data.rhoD, data.rhoDSe) + " tracks/cm²"});
    l.push_back({"Grains", std::to_string(counts.n)});
    l.push_back({"ΣNs, ΣNi", std::to_string(counts.sumNs) + ", " + std::to_string(counts.sumNi)});
    l.push_back({"Pooled age ± se", ftAgeText(counts.pooled)});
    l.push_back({"Central age ± se", ftAgeText(counts.central.age)});
    l.push_back({"Dispersion ± se",
                 dispersionText(counts.central.dispersion, counts.central.dispersionSe)});
    l.push_back({"χ²", chiSquareText(counts.chi2, counts.df)});
    l.push_back({"P(χ²)", significant(counts.p, 4)});
    l.push_back({"In words", counts.p < 0.05 ? "more scatter than Poisson counting explains"
                                             : "Poisson counting explains the scatter"});

    // The youngest and the oldest grain by age, judged by their residuals on the radial plot.
    const auto extreme = [&](int row) {
        ExtremeResidual e;
        e.row = row;
        for (std::size_t i = 0; i < ages.rows.size() && i < counts.grains.size(); ++i)
            if (ages.rows[i] == row) e.y = counts.grains[i].y;
        e.p = extremeResidualP(e.y, counts.n);
        return e;
    };
    l.push_back(extremeLine("Youngest grain", extreme(ages.youngest.row)));
    l.push_back(extremeLine("Oldest grain", extreme(ages.oldest.row)));
    std::vector<int> beyond;
    for (std::size_t i = 0; i < ages.rows.size() && i < counts.grains.size(); ++i) {
        const FtGrain& g = counts.grains[i];
        SampleAgeRow row;
        const bool limit = g.age.bound == AgeBound::UpperLimit;
        row.cells = {std::to_string(ages.rows[i]),
                     std::to_string(g.ns),
                     std::to_string(g.ni),
                     number(g.age.age),
                     limit ? "upper limit " + number(g.age.se) : number(g.age.se),
                     coordinate(g.x),
                     coordinate(g.y)};
        row.beyondTwo = std::abs(g.y) > 2;
        if (row.beyondTwo) beyond.push_back(ages.rows[i]);
        view.rows.push_back(std::move(row));
    }
    l.push_back({"|y| > 2", rowsText(beyond)});
    // The arcsine transform of the counts, as on the radial plot of counts.
    l.push_back({"Residuals", "y of the counts' arcsine about the central age"});
    return view;
}

std::string sampleAgeText(const SampleAgeView& view) {
    std::string text;
    if (!view.note.empty()) text += view.note + '\n';
    for (const SampleAgeLine& line : view.lines) text += line.label + '\t' + line.value + '\n';
    text += '\n';
    for (std::size_t c = 0; c < view.columns.size(); ++c) text += (c ? "\t" : "") + view.columns[c];
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

std::string countsStatus(const FtSummary& counts) {
    return " Counts: P(χ²) = " + pText(counts.p) + ".";
}

}  // namespace sifton
