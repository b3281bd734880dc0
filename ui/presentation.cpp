#include "ui/presentation.h"

#include <string_view>
#include <utility>

#include "core/number_text.h"
#include "core/outlier_tests.h"
#include "core/p_values.h"
#include "ui/gesd_view.h"

namespace sifton {
namespace {

using L = LabelId;

// The tooltip of a statistic and its class: the one-sided p-value, or why it is not known.
std::string pValueTip(const PValue& p, std::string_view statistic, const std::string& missing) {
    if (!p.known()) return missing.empty() ? "" : "No p-value: " + missing;
    std::string tip = "One-sided p-value of " + std::string(statistic) + ": " + pValueText(p);
    const bool upperBound = p.bound == PBound::AtMost;
    if (statistic == "g")
        return tip + (upperBound ? " (that of Grubbs' T of this value; an upper bound)"
                                 : " (that of Grubbs' T of this value)");
    return upperBound ? tip + " (an upper bound)" : tip;
}

class Labels {
  public:
    explicit Labels(Presentation& p) : m_p(p) {}
    LabelShown& operator[](LabelId id) { return m_p.labels[static_cast<std::size_t>(id)]; }
    void set(LabelId id, std::string text, bool highlight = false) {
        (*this)[id].text = std::move(text);
        (*this)[id].highlight = highlight;
    }
    void tip(std::initializer_list<LabelId> ids, const std::string& tooltip) {
        for (LabelId id : ids) (*this)[id].tooltip = tooltip;
    }
    // A cover is shown over its test's row when the test did not run.
    void cover(LabelId id, bool ran, int width) {
        (*this)[id].visible = !ran;
        if (!ran) (*this)[id].width = width;
    }

  private:
    Presentation& m_p;
};

void presentStatistics(const Analysis& a, Labels& l) {
    const DataSet& data = a.dataSet();
    const Statistics& st = a.results().statistics;
    l.set(L::lblFileName, data.DataFileName);
    if (data.reading)
        l[L::lblFileName].tooltip = "Read with " + describeReading(*data.reading) + ".";
    l.set(L::lblLocality, data.Locality);
    l.set(L::lblLocalityM, data.LocalityM);
    l.set(L::lblStratAge, data.StratAge);
    std::string count = std::to_string(a.NData());
    if (a.NData() != a.RowCount()) count += " (from " + std::to_string(a.RowCount()) + ")";
    l.set(L::lblN, count);
    if (!a.rejectedRows().empty()) {
        l.set(L::lblRejecList, "Rejected: #" + std::to_string(a.rejectedRows().back()));
        std::string list = "Rejected, in this order:";
        for (int row : a.rejectedRows())
            list += "\n#" + std::to_string(row) + ": " + generalNumberText(data.Col1(row));
        l[L::lblRejecList].tooltip = list;
    }
    // Values scaled like the data never show a nonzero size as 0.00.
    const double largest = largestSize(st);
    l.set(L::lblMean, formatDataNumber(st.mean, Pattern::TwoDecimals, largest));
    l.set(L::lblSD, formatDataNumber(st.sd, Pattern::UpToTwoDecimals, largest));
    l.set(L::lblSE, formatDataNumber(st.se, Pattern::UpToTwoDecimals, largest));
    l.set(L::lblYoungHead, "Minimum (# " + std::to_string(st.minRow) + "):");
    l.set(L::lblYoungAge, formatDataNumber(st.minValue, Pattern::TwoDecimals, largest));
    l.set(L::lblOldHead, "Maximum (# " + std::to_string(st.maxRow) + "):");
    l.set(L::lblOldAge, formatDataNumber(st.maxValue, Pattern::TwoDecimals, largest));
}

// A test that did not run shows the not-run marker -1 in its first statistic, under its cover.
constexpr const char* kNotRunMarker = "-1";

// The Grubbs and the Dixon rows: a statistic and a class for each extreme, the class highlighted
// when significant, the p-value as the tooltip of both.
struct ClassedRow {
    LabelId cover, minStatistic, minClass, maxStatistic, maxClass;
    const char* statistic;  // as the tooltip names it
    bool (*significant)(std::string_view cls);
};

template <typename Result>
void presentClassed(const Result& r, const ClassedRow& row, const std::string& pMissing,
                    Labels& l) {
    l.cover(row.cover, r.ran, kCoverWidth);
    if (!r.ran) return l.set(row.minStatistic, kNotRunMarker);
    const auto three = [](double x) { return formatNumber(x, Pattern::UpToThreeDecimals); };
    l.set(row.minStatistic, three(r.min.statistic));
    l.set(row.maxStatistic, three(r.max.statistic));
    l.set(row.minClass, std::string(r.min.cls), row.significant(r.min.cls));
    l.set(row.maxClass, std::string(r.max.cls), row.significant(r.max.cls));
    l.tip({row.minStatistic, row.minClass}, pValueTip(r.min.p, row.statistic, pMissing));
    l.tip({row.maxStatistic, row.maxClass}, pValueTip(r.max.p, row.statistic, pMissing));
}

constexpr ClassedRow kGrubbsRow{L::lblGRUno,     L::lblGruTmin, L::lblGrubbsMin,  L::lblGruTmax,
                                L::lblGrubbsMax, "T",           grubbsSignificant};
constexpr ClassedRow kDixonRow{L::lblDIXno,  L::lblDixRmin, L::lblDixMin,    L::lblDixRmax,
                               L::lblDixMax, "R",           dixonSignificant};

// The quartiles and verdicts of an analysis in which the IQR test ran. The fences are computed
// from the quartiles as shown.
void presentIqr(const Analysis& a, Labels& l, bool withFences) {
    const IqrResult& r = a.results().iqr;
    const double largest = largestSize(a.results().statistics);
    const std::string q1 = formatDataNumber(r.q1, Pattern::UpToThreeDecimals, largest);
    const std::string q3 = formatDataNumber(r.q3, Pattern::UpToThreeDecimals, largest);
    l.set(L::lblIQRQ3, q3);
    l.set(L::lblIQRyoung, std::string(r.youngVerdict), iqrSignificant(r.youngVerdict));
    l.set(L::lblIQRold, std::string(r.oldVerdict), iqrSignificant(r.oldVerdict));
    if (!withFences) return;
    l.set(L::lblIQRQ1, q1);
    const double shownQ1 = Text_To_Number(q1), shownQ3 = Text_To_Number(q3);
    const double iqr = shownQ3 - shownQ1;
    l.set(L::lblLowerFence,
          formatDataNumber(shownQ1 - 1.5 * iqr, Pattern::UpToTwoDecimals, largest));
    l.set(L::lblUpperFence,
          formatDataNumber(shownQ3 + 1.5 * iqr, Pattern::UpToTwoDecimals, largest));
}

void presentIqr(const Analysis& a, Labels& l) {
    const bool ran = a.results().iqr.ran;
    l.cover(L::lblIQRno, ran, kIqrCoverWidth);
    if (ran) return presentIqr(a, l, true);
    // Rejections only ever lower n, so the test may have run before them. Under its cover the
    // window goes on showing Q3 and the verdicts of the last analysis it ran in, and the
    // clipboard report repeats them.
    l.set(L::lblIQRQ1, kNotRunMarker);
    for (const Analysis* earlier = a.before(); earlier != nullptr; earlier = earlier->before())
        if (earlier->results().iqr.ran) return presentIqr(*earlier, l, false);
}

void presentGauss(const GaussResult& r, Labels& l) {
    // Not run, the four labels keep what the load left in them: nothing.
    l.cover(L::lblGAUno, r.ran, kCoverWidth);
    if (!r.ran) return;
    l.set(L::lblGauYoung, gaussText(r.min.g));
    l.set(L::lblGauOld, gaussText(r.max.g));
    l.set(L::lblGaY, r.min.outlier ? kGaussOutlier : kGaussOk, r.min.outlier);
    l.set(L::lblGaO, r.max.outlier ? kGaussOutlier : kGaussOk, r.max.outlier);
    l.tip({L::lblGauYoung, L::lblGaY}, pValueTip(r.min.p, "g", ""));
    l.tip({L::lblGauOld, L::lblGaO}, pValueTip(r.max.p, "g", ""));
}

// Which tests flag the smallest and the largest value, by their short names.
struct Flags {
    std::vector<std::string> min, max;
};
Flags flaggedBy(const Results& r) {
    Flags f;
    auto add = [&f](bool ran, const char* name, bool min, bool max) {
        if (ran && min) f.min.push_back(name);
        if (ran && max) f.max.push_back(name);
    };
    add(r.grubbs.ran, "Grubbs", grubbsSignificant(r.grubbs.min.cls),
        grubbsSignificant(r.grubbs.max.cls));
    add(r.dixon.ran, "Dixon", dixonSignificant(r.dixon.min.cls), dixonSignificant(r.dixon.max.cls));
    add(r.iqr.ran, "IQR", iqrSignificant(r.iqr.youngVerdict), iqrSignificant(r.iqr.oldVerdict));
    add(r.gauss.ran, "g-test", r.gauss.min.outlier, r.gauss.max.outlier);
    return f;
}

// How many values the Grubbs and g tests flag between them at 5 %, one per side at most; -1
// when neither test ran. A Grubbs class is significant from 5 % on; the g verdict is the 5 % one.
int flaggedByGrubbsOrG(const Results& r) {
    if (!r.grubbs.ran && !r.gauss.ran) return -1;
    const bool low = (r.grubbs.ran && grubbsSignificant(r.grubbs.min.cls)) ||
                     (r.gauss.ran && r.gauss.min.outlier);
    const bool high = (r.grubbs.ran && grubbsSignificant(r.grubbs.max.cls)) ||
                      (r.gauss.ran && r.gauss.max.outlier);
    return static_cast<int>(low) + static_cast<int>(high);
}

PlotData plotOf(const Analysis& a, const Presentation& p) {
    PlotData d;
    for (LabelId id : {L::lblLocality, L::lblLocalityM, L::lblStratAge})
        if (!p.text(id).empty()) d.title += p.text(id) + "  ·  ";
    d.title += "n = " + p.text(L::lblN);
    d.dataFileName = a.dataSet().DataFileName;
    for (int i = 1; i <= a.RowCount(); ++i)
        d.values.push_back({a.dataSet().Col1(i), i, a.Rejected(i)});

    const Results& r = a.results();
    const Statistics& st = r.statistics;
    d.mean = st.mean;
    d.sd = st.sd;
    d.posMin = st.minRow;
    d.posMax = st.maxRow;
    Flags flags = flaggedBy(r);
    d.minFlaggedBy = std::move(flags.min);
    d.maxFlaggedBy = std::move(flags.max);
    d.minFlagged = !d.minFlaggedBy.empty();
    d.maxFlagged = !d.maxFlaggedBy.empty();
    d.tests = {
        {"Grubbs test", r.grubbs.ran, "n > 100"},
        {"Dixon test", r.dixon.ran, "n > 25"},
        {"IQR test", r.iqr.ran, "n < 6"},
        {"g-test", r.gauss.ran, "n > 50"},
    };
    if (r.grubbs.ran) d.grubbsFactor = r.grubbs.critical[3];
    if (r.iqr.ran) d.quartiles = Quartiles{r.iqr.q1, r.iqr.q3};
    const GesdResult& esd = p.gesd.result;
    for (int i = 0; i < esd.outliers; ++i)
        d.esdRows.push_back(p.gesd.rows[static_cast<std::size_t>(i)]);
    d.esdSummary = !esd.ran() ? "ESD screen: not run (n < 6)"
                              : "ESD screen (\u03B1 = " + alphaText(esd.alpha) +
                                    ", k = " + std::to_string(esd.k) +
                                    "): " + std::to_string(esd.outliers) + " found";
    d.esdMasking = p.gesdMasking;
    d.esdApproximate = esd.ran() && p.gesd.n < kGesdAccurateFrom;
    return d;
}

}  // namespace

Presentation present(const Analysis* analysis, const GesdSettings& settings) {
    Presentation p;
    p.gesdSettings = settings;
    Labels l(p);
    for (const LabelDesign& d : kResultLabels) {
        l[d.id].text = d.text;
        if (d.kind == LabelKind::Cover) l[d.id].visible = false;
    }
    p.sampleAge = sampleAgeView(std::nullopt);
    if (analysis == nullptr) return p;

    p.showsResults = true;
    const Results& r = analysis->results();
    presentStatistics(*analysis, l);
    presentClassed(r.grubbs, kGrubbsRow, "", l);
    presentClassed(r.dixon, kDixonRow, r.dixon.pMissing, l);
    presentIqr(*analysis, l);
    presentGauss(r.gauss, l);
    p.gesd = runGesd(*analysis, settings);
    p.gesdMasking = gesdMasking(p.gesd, flaggedByGrubbsOrG(r));
    p.statusLine = gesdStatusLine(p.gesd, p.gesdMasking);
    const std::optional<FtSummary>& counts = analysis->fissionTracks();
    if (counts)
        p.statusLine += countsStatus(*counts);
    else if (analysis->ages())
        p.statusLine += sampleAgeStatus(*analysis->ages());
    p.plot = plotOf(*analysis, p);
    if (counts && analysis->ages() && analysis->dataSet().counts)
        p.sampleAge = countsView(*analysis->ages(), *counts, *analysis->dataSet().counts);
    else if (analysis->ages())
        p.sampleAge = sampleAgeView(analysis->ages());
    return p;
}

}  // namespace sifton
