#include "ui/results_model.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "core/number_text.h"
#include "core/outlier_tests.h"
#include "core/p_values.h"
#include "core/statistics.h"

namespace sifton {
namespace {

constexpr int kLabelHeight = 252;
constexpr int kValueWidth = 612;
constexpr int kStatWidth = 852;
constexpr int kDesignCoverWidth = 132;

// The result labels that Reset_Store blanks, in its order.
constexpr std::array<const char*, 29> kBlankedByReset = {
    "lblFileName",   "lblLocality", "lblLocalityM", "lblStratAge", "lblN",          "lblRejecList",
    "lblMean",       "lblSD",       "lblSE",        "lblYoungAge", "lblOldAge",     "lblGrubbsMin",
    "lblGrubbsMax",  "lblGruTmin",  "lblGruTmax",   "lblDixMin",   "lblDixMax",     "lblDixRmin",
    "lblDixRmax",    "lblIQRyoung", "lblIQRold",    "lblIQRQ1",    "lblLowerFence", "lblIQRQ3",
    "lblUpperFence", "lblGaY",      "lblGaO",       "lblGauYoung", "lblGauOld",
};

constexpr std::array<const char*, 4> kCovers = {"lblGRUno", "lblDIXno", "lblIQRno", "lblGAUno"};

// The tooltip of a statistic and its class: the one-sided p-value, or why it is not known.
std::string pValueTip(const PValue& p, const char* statistic, const std::string& missing) {
    if (!p.known()) return missing.empty() ? "" : "No p-value: " + missing;
    std::string tip = std::string("One-sided p-value of ") + statistic + ": " + pValueText(p);
    const bool upperBound = p.bound == PBound::AtMost;
    if (statistic == std::string_view("g"))
        return tip + (upperBound ? " (that of Grubbs' T of this value; an upper bound)"
                                 : " (that of Grubbs' T of this value)");
    return upperBound ? tip + " (an upper bound)" : tip;
}

}  // namespace

ResultsModel::ResultsModel() {
    using K = LabelKind;
    // Static texts, in reading order; they form the label array lblRizsa.
    add(K::Title, "", "Tests of outliers", 120, 120, 8292, 420);
    add(K::Note, "",
        "(These tests serve only as a very coarse estimation; study the Help for careful usage.)",
        120, 600, 8292, 228);
    add(K::Caption, "", "File:", 120, 960, 480);
    add(K::Caption, "", "Mean:", 6600, 1320, 840);
    add(K::Caption, "", "No. of data:", 120, 1680, 1200);
    add(K::Caption, "", "Std. Dev.:", 6360, 1680, 1080);
    add(K::Caption, "", "Std. Error:", 6240, 2040, 1200);
    add(K::Caption, "", "Value:", 3480, 2880, 600);
    add(K::Caption, "", "Value:", 7200, 2880, 600);
    add(K::BlockTitle, "", "Grubbs test", 120, 3360, 1560);
    add(K::Applicability, "", "   (for3-100 data)", 120, 3720, 1560);
    add(K::Caption, "", "T:", 1920, 3480, 240);
    add(K::Caption, "", "Prob.:", 2880, 3480, 720);
    add(K::Caption, "", "T:", 5280, 3480, 240);
    add(K::Caption, "", "Prob.:", 6360, 3480, 720);
    add(K::BlockTitle, "", "Dixon test", 120, 4080, 1560);
    add(K::Applicability, "", "   (for 3-25 data)", 120, 4440, 1560);
    add(K::Caption, "", "R:", 1920, 4200, 240);
    add(K::Caption, "", "Prob.:", 2880, 4200, 720);
    add(K::Caption, "", "R:", 5280, 4200, 240);
    add(K::Caption, "", "Prob.:", 6360, 4200, 720);
    add(K::BlockTitle, "", "IQR test", 120, 4800, 1320);
    add(K::Applicability, "", "   (for >5 data)", 120, 5160, 1080);
    add(K::Caption, "", "Q1:", 1440, 4800, 1200);
    add(K::Caption, "", "Q3:", 5520, 4800, 840);
    add(K::Caption, "", "Q1 - 1.5 x  IQR:", 1200, 5160, 1440);
    add(K::Caption, "", "Q3 + 1.5 x  IQR:", 4800, 5160, 1560);
    add(K::BlockTitle, "", "Gauss g-test", 120, 5640, 1560);
    add(K::Applicability, "", "   (for 3-50 data)", 120, 6000, 1560);
    add(K::Caption, "", "g:", 1680, 5760, 480);
    add(K::Caption, "", "at 5%:", 2760, 5760, 840);
    add(K::Caption, "", "g:", 5040, 5760, 480);
    add(K::Caption, "", "at 5%:", 6360, 5760, 720);
    for (size_t i = 0; i < m_labels.size(); ++i) m_labels[i].name = "lblRizsa_" + std::to_string(i);

    // Source and statistics.
    add(K::Value, "lblFileName", "", 600, 960, 7692);
    add(K::Value, "lblLocality", "", 120, 1320, 1932);
    add(K::Value, "lblLocalityM", "", 2280, 1320, 1932);
    add(K::Value, "lblStratAge", "", 4440, 1320, 1932);
    add(K::Value, "lblMean", "", 7440, 1320, kStatWidth);
    add(K::Value, "lblN", "", 1320, 1680, 1212);
    add(K::Value, "lblSD", "", 7440, 1680, kStatWidth);
    add(K::RejectList, "lblRejecList", "", 120, 2040, 3492);
    add(K::Value, "lblSE", "", 7440, 2040, kStatWidth);
    // The two extremes.
    add(K::Head, "lblYoungHead", "Minimum:", 1320, 2520, 3252);
    add(K::Head, "lblOldHead", "Maximum:", 5040, 2520, 3252);
    add(K::Value, "lblYoungAge", "", 4080, 2880, kValueWidth);
    add(K::Value, "lblOldAge", "", 7800, 2880, kValueWidth);
    // Grubbs.
    add(K::Value, "lblGruTmin", "", 2160, 3480, kValueWidth);
    add(K::Value, "lblGrubbsMin", "", 3600, 3480, kValueWidth);
    add(K::Value, "lblGruTmax", "", 5520, 3480, kValueWidth);
    add(K::Value, "lblGrubbsMax", "", 7080, 3480, kValueWidth);
    // Dixon.
    add(K::Value, "lblDixRmin", "", 2160, 4200, kValueWidth);
    add(K::Value, "lblDixMin", "", 3600, 4200, kValueWidth);
    add(K::Value, "lblDixRmax", "", 5520, 4200, kValueWidth);
    add(K::Value, "lblDixMax", "", 7080, 4200, kValueWidth);
    // IQR.
    add(K::Value, "lblIQRQ1", "", 2640, 4800, kValueWidth);
    add(K::Value, "lblIQRQ3", "", 6360, 4800, kValueWidth);
    add(K::Value, "lblIQRyoung", "", 3360, 4920, 1212, 492);
    add(K::Value, "lblIQRold", "", 6960, 4920, 1236, 492);
    add(K::Value, "lblLowerFence", "", 2640, 5160, kValueWidth);
    add(K::Value, "lblUpperFence", "", 6360, 5160, kValueWidth);
    // Gauss.
    add(K::Value, "lblGauYoung", "", 2160, 5760, kValueWidth);
    add(K::Value, "lblGaY", "", 3600, 5760, kValueWidth);
    add(K::Value, "lblGauOld", "", 5520, 5760, kValueWidth);
    add(K::Value, "lblGaO", "", 7080, 5760, kValueWidth);
    for (const char* name :
         {"lblGrubbsMin", "lblGrubbsMax", "lblDixMin", "lblDixMax", "lblGaY", "lblGaO"})
        at(name).autoSize = true;
    at("lblIQRyoung").wordWrap = at("lblIQRold").wordWrap = true;

    // The covers come last so that they lie over the rows they hide.
    add(K::Cover, "lblGRUno", "NOT TESTED", 1680, 3480, kDesignCoverWidth);
    add(K::Cover, "lblDIXno", "NOT TESTED", 1680, 4200, kDesignCoverWidth);
    add(K::Cover, "lblIQRno", "NOT TESTED", 1200, 4800, kDesignCoverWidth, 612);
    add(K::Cover, "lblGAUno", "NOT TESTED", 1680, 5760, kDesignCoverWidth);
}

void ResultsModel::add(LabelKind kind, std::string name, std::string text, int left, int top,
                       int width, int height) {
    LabelState l;
    l.name = std::move(name);
    l.kind = kind;
    l.text = std::move(text);
    l.left = left;
    l.top = top;
    l.width = width;
    l.height = height;
    switch (kind) {
        case LabelKind::Caption:
            l.foreground = colour::kCaption;
            break;
        case LabelKind::Value:
            l.opaque = true;
            break;
        case LabelKind::Head:
            l.background = colour::kHead;
            l.opaque = true;
            break;
        case LabelKind::Cover:
            l.foreground = colour::kCover;
            l.opaque = true;
            l.visible = false;
            break;
        case LabelKind::RejectList:
            l.foreground = colour::kRejected;
            break;
        case LabelKind::Title:
        case LabelKind::Note:
            l.centred = true;
            break;
        case LabelKind::BlockTitle:
        case LabelKind::Applicability:
            break;
    }
    m_labels.push_back(std::move(l));
}

const LabelState& ResultsModel::label(std::string_view name) const {
    auto it = std::find_if(m_labels.begin(), m_labels.end(),
                           [&](const LabelState& l) { return l.name == name; });
    if (it == m_labels.end())
        throw std::out_of_range("the results window has no label " + std::string(name));
    return *it;
}

LabelState& ResultsModel::at(std::string_view name) {
    return const_cast<LabelState&>(std::as_const(*this).label(name));
}

const std::vector<Line>& ResultsModel::lines() {
    static const std::vector<Line> kLines = {
        {120, 840, 8400, 840},    {120, 2400, 8400, 2400},  {120, 3240, 8280, 3240},
        {1680, 3960, 8280, 3960}, {1680, 4680, 8280, 4680}, {1680, 5520, 8280, 5520},
        {4800, 2640, 4800, 6720},
    };
    return kLines;
}

void ResultsModel::setClass(std::string_view name, const Cell& value,
                            const std::vector<std::string_view>& significant) {
    LabelState& l = at(name);
    l.text = value.toText();
    l.background = colour::kWhite;
    // Only a text can be a class; the not-run marker and numbers never match.
    if (value.isText() &&
        std::find(significant.begin(), significant.end(), value.toText()) != significant.end())
        l.background = colour::kHighlight;
}

void ResultsModel::showCoverIf(std::string_view cover, const Cell& marker, int width) {
    LabelState& l = at(cover);
    l.visible = false;
    if (marker.isNotRunMarker()) {
        l.visible = true;
        l.width = width;
    }
}

void ResultsModel::Present_Values(const SampleStore& s) {
    // 1. Source.
    at("lblFileName").text = s.DataFileName;
    at("lblLocality").text = s.Locality;
    at("lblLocalityM").text = s.LocalityM;
    at("lblStratAge").text = s.StratAge;

    // 2. Count.
    std::string count = generalNumberText(s.NData);
    if (s.NData != s.RowCount) count += " (from " + generalNumberText(s.RowCount) + ")";
    at("lblN").text = count;

    // 3. Statistics. Values scaled like the data never show a nonzero size as 0.00.
    const double largest = largestSize(s);
    auto dataNumber = [largest](double value, Pattern pattern) {
        return formatDataNumber(value, pattern, largest);
    };
    at("lblMean").text = dataNumber(s.Mean.toNumber(), Pattern::TwoDecimals);
    at("lblSD").text = s.SD.toText();
    at("lblSE").text = s.SE.toText();

    // 4. Extremes.
    at("lblYoungHead").text = "Minimum (# " + s.PosMin.toText() + "):";
    at("lblYoungAge").text = dataNumber(s.MinValue.toNumber(), Pattern::TwoDecimals);
    at("lblOldHead").text = "Maximum (# " + s.PosMax.toText() + "):";
    at("lblOldAge").text = dataNumber(s.MaxValue.toNumber(), Pattern::TwoDecimals);

    // p-values as tooltips on each statistic and class label; none while a test is not run.
    const bool grubbsRun = !s.GruTmin.isNotRunMarker(), dixonRun = !s.DixRmin.isNotRunMarker();
    const bool gaussRun = !s.GauYoung.isNotRunMarker();
    const std::pair<std::array<const char*, 2>, std::string> tips[] = {
        {{"lblGruTmin", "lblGrubbsMin"}, grubbsRun ? pValueTip(s.GrubbsPMin, "T", "") : ""},
        {{"lblGruTmax", "lblGrubbsMax"}, grubbsRun ? pValueTip(s.GrubbsPMax, "T", "") : ""},
        {{"lblDixRmin", "lblDixMin"}, dixonRun ? pValueTip(s.DixonPMin, "R", s.DixonPMissing) : ""},
        {{"lblDixRmax", "lblDixMax"}, dixonRun ? pValueTip(s.DixonPMax, "R", s.DixonPMissing) : ""},
        {{"lblGauYoung", "lblGaY"}, gaussRun ? pValueTip(s.GaussPMin, "g", "") : ""},
        {{"lblGauOld", "lblGaO"}, gaussRun ? pValueTip(s.GaussPMax, "g", "") : ""},
    };
    for (const auto& [names, tip] : tips)
        for (const char* name : names) at(name).tooltip = tip;

    // 5. Grubbs.
    showCoverIf("lblGRUno", s.GruTmin, kCoverWidth);
    at("lblGruTmin").text = s.GruTmin.toText();
    at("lblGruTmax").text = s.GruTmax.toText();
    {
        using namespace grubbs_class;
        const std::vector<std::string_view> significant = {k1To2_5, k2_5To5, kBelow1, kBelow2_5};
        setClass("lblGrubbsMin", s.GrubbsClassMin, significant);
        setClass("lblGrubbsMax", s.GrubbsClassMax, significant);
    }

    // 6. Dixon.
    showCoverIf("lblDIXno", s.DixRmin, kCoverWidth);
    at("lblDixRmin").text = s.DixRmin.toText();
    at("lblDixRmax").text = s.DixRmax.toText();
    {
        using namespace dixon_class;
        const std::vector<std::string_view> significant = {k1To2, k2To5, k0_5To1, kBelow0_5};
        setClass("lblDixMin", s.DixClassMin, significant);
        setClass("lblDixMax", s.DixClassMax, significant);
    }

    // 7. IQR. While the test is not run the fences stay blank: a fence computed from the marker
    // would be a number that means nothing.
    const bool iqrRun = !s.IQRQ1.isNotRunMarker();
    showCoverIf("lblIQRno", s.IQRQ1, kIqrCoverWidth);
    at("lblIQRQ1").text = s.IQRQ1.toText();
    at("lblLowerFence").text =
        iqrRun ? dataNumber(lowerInnerFence(s.IQRQ1, s.IQRQ3), Pattern::UpToTwoDecimals) : "";
    at("lblIQRQ3").text = s.IQRQ3.toText();
    at("lblUpperFence").text =
        iqrRun ? dataNumber(upperInnerFence(s.IQRQ1, s.IQRQ3), Pattern::UpToTwoDecimals) : "";
    {
        using namespace iqr_verdict;
        const std::vector<std::string_view> significant = {kMild, kExtreme};
        setClass("lblIQRyoung", s.IQRyoung, significant);
        setClass("lblIQRold", s.IQRold, significant);
    }

    // 8. Gauss: when not run, the four labels keep what they showed before.
    showCoverIf("lblGAUno", s.GauYoung, kCoverWidth);
    if (s.GauYoung.isNotRunMarker()) return;
    at("lblGauYoung").text = s.GauYoung.toText();
    at("lblGauOld").text = s.GauOld.toText();
    const double critical = s.GaussCrit.toNumber();
    for (auto [name, g] : {std::pair{"lblGaY", &s.GauYoung}, std::pair{"lblGaO", &s.GauOld}}) {
        const bool outlier = gaussIsOutlier(*g, critical);
        LabelState& l = at(name);
        l.text = outlier ? kGaussOutlier : kGaussOk;
        l.background = outlier ? colour::kHighlight : colour::kWhite;
    }
}

void ResultsModel::blankAfterReset() {
    for (const char* name : kBlankedByReset) at(name).text.clear(), at(name).tooltip.clear();
    for (const char* name : kCovers) at(name).visible = false;
}

void ResultsModel::showRejectedRow(int row) {
    at("lblRejecList").text = "Rejected: #" + std::to_string(row);
}

}  // namespace sifton
