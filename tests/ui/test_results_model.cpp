// The results window's model without any widget: Present_Values on a worked example, the class
// highlights, the g-test verdict, the "NOT TESTED" covers and what a reset of the store blanks.
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
    S earlier = twelveRows();  // the smallest value highlighted everywhere, which must not stay
    std::tie(earlier.GrubbsClassMin, earlier.DixClassMin, earlier.IQRyoung, earlier.GauYoung) =
        std::tuple(grubbs_class::kBelow1, dixon_class::kBelow0_5, iqr_verdict::kExtreme, "9");
    ResultsModel m;
    m.Present_Values(earlier);
    m.Present_Values(twelveRows());
    std::string shown;  // every result label and the two heads, in the window's order
    for (const LabelState& l : m.labels())
        if (l.kind == LabelKind::Value || l.kind == LabelKind::Head) shown += l.text + "|";
    EXPECT_EQ(shown,
              "/data/kr-12.csv|Kestrel Ridge|KR-07|Late Cretaceous|10.00|11 (from 12)|1.5|0.43|"
              "Minimum (# 7):|Maximum (# 2):|3.46|21.00|1.234|  > 10 %  |2.9|  < 2.5%  |0.1|"
              "  5-10 %  |0.6|  2-5 %  |10.0|14.5|within inner fences|  mild outlier  |3.25|"
              "21.25|1.2|  OK  |2.51|  outlier  |");
    for (const char* name : {"lblGrubbsMax", "lblDixMax", "lblIQRold", "lblGaO"})
        EXPECT_EQ(m.label(name).background, colour::kHighlight) << name;
    for (const char* name : {"lblGrubbsMin", "lblDixMin", "lblIQRyoung", "lblGaY"})
        EXPECT_EQ(m.label(name).background, colour::kWhite) << name;
    EXPECT_EQ(covers(m), "- - - - ");
}

// One model throughout, as on screen: each row also shows that the row before it left no cover
// and no highlight behind.
TEST(ResultsModel, EachResultSetsItsLabelItsColourAndTheCovers) {
    using Row = std::tuple<Cell S::*, Cell, const char*, const char*, bool, const char*>;
    ResultsModel m;
    for (auto [field, value, label, text, highlighted, shownCovers] :
         {Row{&S::GauYoung, "2.31", "lblGaY", kGaussOutlier, true, "- - - - "},
          {&S::GauYoung, "2.3", "lblGaY", kGaussOk, false, "- - - - "},  // at the critical value
          {&S::GauYoung, kUnboundedStatistic, "lblGaY", kGaussOutlier, true, "- - - - "},
          {&S::GrubbsClassMin, "< 1 %", "lblGrubbsMin", "< 1 %", false, "- - - - "},  // blanks
          {&S::GruTmin, -1, "lblGruTmin", "-1", false, "6612 - - - "},
          {&S::DixRmin, -1, "lblDixRmin", "-1", false, "- 6612 - - "},
          {&S::IQRQ1, -1, "lblLowerFence", "", false, "- - 7110 - "},
          {&S::GauYoung, -1, "lblGauYoung", "1.2", false, "- - - 6612 "},  // the earlier g kept
          {&S::GruTmin, "-1", "lblGruTmin", "-1", false, "- - - - "}}) {   // a text is no marker
        S s = twelveRows();
        s.*field = value;
        m.Present_Values(s);
        EXPECT_EQ(m.text(label), text) << value.toText();
        EXPECT_EQ(m.label(label).background == colour::kHighlight, highlighted) << value.toText();
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
