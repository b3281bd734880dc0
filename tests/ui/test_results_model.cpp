// The results window's model without any widget: Present_Values on a worked example and on tiny
// values, the highlight of every class and verdict, the "NOT TESTED" covers and what a reset of
// the store blanks.
#include <gtest/gtest.h>

#include <tuple>

#include "core/outlier_tests.h"
#include "ui/results_model.h"

namespace sifton {
namespace {

using S = SampleStore;

// A store as a run over twelve rows, one of them rejected, leaves it.
S twelveRows() {
    S s;
    std::tie(s.DataFileName, s.Locality, s.LocalityM, s.StratAge) =
        std::tuple("/data/kr-12.csv", "Kestrel Ridge", "KR-07", "Late Cretaceous");
    std::tie(s.RowCount, s.NData, s.Mean, s.SD, s.SE) = std::tuple(12, 11, 10.0, "1.5", "0.43");
    std::tie(s.MinValue, s.PosMin, s.MaxValue, s.PosMax) = std::tuple(3.456, 7, 21.0, 2);
    std::tie(s.GruTmin, s.GruTmax, s.GrubbsClassMin, s.GrubbsClassMax) =
        std::tuple("1.234", "2.9", grubbs_class::kAbove10, grubbs_class::kBelow2_5);
    std::tie(s.DixRmin, s.DixRmax, s.DixClassMin, s.DixClassMax) =
        std::tuple("0.1", "0.6", dixon_class::k5To10, dixon_class::k2To5);
    std::tie(s.IQRQ1, s.IQRQ3, s.IQRyoung, s.IQRold) =
        std::tuple("10.0", "14.5", iqr_verdict::kWithin, iqr_verdict::kMild);
    std::tie(s.GaussCrit, s.GauYoung, s.GauOld) = std::tuple(2.3, "1.2", "2.51");
    return s;
}

// Each cover's width while it is shown, "-" while hidden.
std::string covers(const ResultsModel& m) {
    std::string shown;
    for (const char* c : {"lblGRUno", "lblDIXno", "lblIQRno", "lblGAUno"})
        shown += (m.label(c).visible ? std::to_string(m.label(c).width) : "-") + " ";
    return shown;
}

TEST(ResultsModel, PresentValuesFillsEveryLabelOfAWorkedExample) {
    ResultsModel m;
    m.Present_Values(twelveRows());
    std::string shown;  // every result label and the two heads, in the window's order
    for (const LabelState& l : m.labels())
        if (l.kind == LabelKind::Value || l.kind == LabelKind::Head) shown += l.text + "|";
    EXPECT_EQ(shown,
              "/data/kr-12.csv|Kestrel Ridge|KR-07|Late Cretaceous|10.00|11 (from 12)|1.5|0.43|"
              "Minimum (# 7):|Maximum (# 2):|3.46|21.00|1.234|  > 10 %  |2.9|  < 2.5%  |0.1|"
              "  5-10 %  |0.6|  2-5 %  |10.0|14.5|within inner fences|  mild outlier  |3.25|"
              "21.25|1.2|  OK  |2.51|  outlier  |");
    EXPECT_EQ(covers(m), "- - - - ");

    // Tiny values show three digits where "0.00" would show nothing; noise stays 0.00.
    S tiny = twelveRows();
    std::tie(tiny.Mean, tiny.MinValue, tiny.MaxValue, tiny.IQRQ1, tiny.IQRQ3) =
        std::tuple(1.23456e-5, -0.0004, 0.00052, "0.0001", "0.0003");
    m.Present_Values(tiny);
    std::string small;
    for (const char* name :
         {"lblMean", "lblYoungAge", "lblOldAge", "lblLowerFence", "lblUpperFence"})
        small += m.text(name) + "|";
    EXPECT_EQ(small, "1.23E-05|-0.0004|0.00052|-0.0002|0.0006|");
    for (auto [low, high] : {std::pair(1e-9, 5.2e-4), std::pair(-5.2e-4, 1e-9)}) {
        std::tie(tiny.Mean, tiny.MinValue, tiny.MaxValue) = std::tuple(1e-17, low, high);
        m.Present_Values(tiny);
        EXPECT_EQ(m.text("lblMean"), "0.00") << low;  // below 1E-12 of the largest size
    }
}

// Every class and verdict on both sides, significant and not by turns, so a missing highlight
// and one left over from the text before both show. A near miss (blanks missing) is no class.
TEST(ResultsModel, EverySignificantClassAndVerdictIsHighlighted) {
    using namespace grubbs_class;
    namespace dx = dixon_class;
    namespace iq = iqr_verdict;
    using Side = std::pair<Cell S::*, const char*>;
    const std::tuple<Side, Side, std::vector<const char*>> groups[] = {
        {{&S::GrubbsClassMin, "lblGrubbsMin"},
         {&S::GrubbsClassMax, "lblGrubbsMax"},
         {k1To2_5, kAbove10, k2_5To5, k7_5To10, kBelow1, k5To7_5, kBelow2_5, kAbove5}},
        {{&S::DixClassMin, "lblDixMin"},
         {&S::DixClassMax, "lblDixMax"},
         {dx::k1To2, dx::kAbove10, dx::k2To5, dx::k5To10, dx::k0_5To1, "< 1 %", dx::kBelow0_5,
          "  < 0.5 %"}},
        {{&S::IQRyoung, "lblIQRyoung"},
         {&S::IQRold, "lblIQRold"},
         {iq::kMild, iq::kWithin, iq::kExtreme, "mild outlier"}},
        // g against the critical value 2.3; the label shows the verdict.
        {{&S::GauYoung, "lblGaY"},
         {&S::GauOld, "lblGaO"},
         {"2.31", "2.3", kUnboundedStatistic, "0.0"}},
    };
    ResultsModel m;
    for (const auto& [young, old, texts] : groups) {
        for (const auto& [field, label] : {young, old}) {
            for (size_t i = 0; i < texts.size(); ++i) {
                const bool significant = i % 2 == 0,
                           g = field == &S::GauYoung || field == &S::GauOld;
                S s = twelveRows();
                s.*field = texts[i];
                m.Present_Values(s);
                EXPECT_EQ(m.text(label), g ? (significant ? kGaussOutlier : kGaussOk) : texts[i])
                    << label << " " << texts[i];
                EXPECT_EQ(m.label(label).background,
                          significant ? colour::kHighlight : colour::kWhite)
                    << label << " " << texts[i];
            }
        }
    }
}

// One model throughout, as on screen: each row also shows that the row before it left no cover.
TEST(ResultsModel, NotRunMarkersShowTheCovers) {
    using Row = std::tuple<Cell S::*, Cell, const char*, const char*, const char*>;
    ResultsModel m;
    for (auto [field, value, label, text, shownCovers] :
         {Row{&S::GruTmin, -1, "lblGruTmin", "-1", "6612 - - - "},
          {&S::DixRmin, -1, "lblDixRmin", "-1", "- 6612 - - "},
          {&S::IQRQ1, -1, "lblLowerFence", "", "- - 7110 - "},
          {&S::GauYoung, -1, "lblGauYoung", "1.2", "- - - 6612 "},  // the earlier g kept
          {&S::GruTmin, "-1", "lblGruTmin", "-1", "- - - - "}}) {   // a text is no marker
        S s = twelveRows();
        s.*field = value;
        m.Present_Values(s);
        EXPECT_EQ(m.text(label), text) << value.toText();
        EXPECT_EQ(covers(m), shownCovers) << value.toText();
    }
}

TEST(ResultsModel, ResetBlanksTheResultLabelsAndHidesTheCovers) {
    S s = twelveRows();
    s.GruTmin = -1;
    ResultsModel m;
    m.Present_Values(s);
    m.showRejectedRow(4);
    m.blankAfterReset();
    int blank = 0;
    for (const LabelState& l : m.labels())
        blank += (l.kind == LabelKind::Value || l.kind == LabelKind::RejectList) && l.text.empty();
    EXPECT_EQ(blank, 29);
    EXPECT_EQ(covers(m), "- - - - ");
}

}  // namespace
}  // namespace sifton
