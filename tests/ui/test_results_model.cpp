// The results window's model without any widget: design state, Present_Values step by step,
// the "NOT TESTED" covers and what a reset of the store blanks.
#include <gtest/gtest.h>

#include <functional>

#include "core/outlier_tests.h"
#include "ui/results_model.h"

namespace sifton {
namespace {

// A store as a run over twelve rows leaves it.
SampleStore twelveRows() {
    SampleStore s;
    s.DataFileName = "/data/kestrel-ridge-12.csv";
    s.Locality = "Kestrel Ridge";
    s.LocalityM = "KR-07";
    s.StratAge = "Late Cretaceous";
    s.RowCount = 12;
    s.NData = 12;
    s.Mean = 10.0;
    s.SD = "1.5";
    s.SE = "0.43";
    s.MinValue = 3.456;
    s.PosMin = 7;
    s.MaxValue = 21.0;
    s.PosMax = 2;
    s.GruTmin = "1.234";
    s.GruTmax = "2.9";
    s.GrubbsClassMin = grubbs_class::kAbove10;
    s.GrubbsClassMax = grubbs_class::kBelow2_5;
    s.DixRmin = "0.1";
    s.DixRmax = "0.6";
    s.DixClassMin = dixon_class::k5To10;
    s.DixClassMax = dixon_class::k2To5;
    s.IQRQ1 = "10.0";
    s.IQRQ3 = "14.5";
    s.IQRyoung = iqr_verdict::kWithin;
    s.IQRold = iqr_verdict::kMild;
    s.GaussCrit = 2.5;
    s.GauYoung = "1.2";
    s.GauOld = "2.51";
    return s;
}

TEST(ResultsModelDesign, StartsWithStaticTextsEmptyResultsAndHiddenCovers) {
    ResultsModel m;
    EXPECT_EQ(m.text("lblYoungHead"), "Minimum:");
    EXPECT_EQ(m.text("lblOldHead"), "Maximum:");
    EXPECT_EQ(m.label("lblYoungHead").background, colour::kHead);
    for (const char* cover : {"lblGRUno", "lblDIXno", "lblIQRno", "lblGAUno"}) {
        const LabelState& c = m.label(cover);
        EXPECT_FALSE(c.visible) << cover;
        EXPECT_EQ(c.width, 132) << cover;
        EXPECT_EQ(c.text, "NOT TESTED");
        EXPECT_EQ(c.foreground, colour::kCover);
        EXPECT_TRUE(c.opaque);
    }
    for (const char* value : {"lblFileName", "lblN", "lblMean", "lblGruTmin", "lblGaO"})
        EXPECT_EQ(m.text(value), "") << value;
    EXPECT_EQ(m.label("lblRejecList").foreground, colour::kRejected);
    EXPECT_THROW(m.label("lblNoSuchLabel"), std::out_of_range);
}

TEST(ResultsModelPresent, FillsEveryLabelOfAWorkedExample) {
    ResultsModel m;
    m.Present_Values(twelveRows());
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"lblFileName", "/data/kestrel-ridge-12.csv"},
        {"lblLocality", "Kestrel Ridge"},
        {"lblLocalityM", "KR-07"},
        {"lblStratAge", "Late Cretaceous"},
        {"lblN", "12"},
        {"lblMean", "10.00"},
        {"lblSD", "1.5"},
        {"lblSE", "0.43"},
        {"lblYoungHead", "Minimum (# 7):"},
        {"lblYoungAge", "3.46"},
        {"lblOldHead", "Maximum (# 2):"},
        {"lblOldAge", "21.00"},
        {"lblGruTmin", "1.234"},
        {"lblGruTmax", "2.9"},
        {"lblGrubbsMin", "  > 10 %  "},
        {"lblGrubbsMax", "  < 2.5%  "},
        {"lblDixRmin", "0.1"},
        {"lblDixRmax", "0.6"},
        {"lblDixMin", "  5-10 %  "},
        {"lblDixMax", "  2-5 %  "},
        {"lblIQRQ1", "10.0"},
        {"lblIQRQ3", "14.5"},
        {"lblLowerFence", "3.25"},
        {"lblUpperFence", "21.25"},
        {"lblIQRyoung", "within inner fences"},
        {"lblIQRold", "  mild outlier  "},
        {"lblGauYoung", "1.2"},
        {"lblGauOld", "2.51"},
        {"lblGaY", "  OK  "},
        {"lblGaO", "  outlier  "},
    };
    for (const auto& [name, text] : expected) EXPECT_EQ(m.text(name), text) << name;
    for (const char* cover : {"lblGRUno", "lblDIXno", "lblIQRno", "lblGAUno"})
        EXPECT_FALSE(m.label(cover).visible) << cover;
    EXPECT_EQ(m.text("lblRejecList"), "") << "Present_Values leaves lblRejecList alone";
}

TEST(ResultsModelPresent, CountShowsTheRowsWhenValuesWereRejected) {
    SampleStore s = twelveRows();
    s.NData = 11;
    ResultsModel m;
    m.Present_Values(s);
    EXPECT_EQ(m.text("lblN"), "11 (from 12)");
}

struct HighlightCase {
    const char* name;
    const char* label;
    Cell SampleStore::*field;
    const char* text;
    bool highlighted;
};

class ClassHighlight : public ::testing::TestWithParam<HighlightCase> {};

TEST_P(ClassHighlight, LightRedExactlyForSignificantTexts) {
    const HighlightCase& c = GetParam();
    SampleStore s = twelveRows();
    s.*c.field = c.text;
    ResultsModel m;
    // A highlight from an earlier run must not survive a plain class.
    SampleStore earlier = twelveRows();
    earlier.GrubbsClassMin = earlier.DixClassMin = grubbs_class::kBelow1;
    earlier.IQRyoung = iqr_verdict::kExtreme;
    m.Present_Values(earlier);
    m.Present_Values(s);
    EXPECT_EQ(m.text(c.label), c.text);
    EXPECT_EQ(m.label(c.label).background, c.highlighted ? colour::kHighlight : colour::kWhite);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ClassHighlight,
    ::testing::Values(
        HighlightCase{"GrubbsAbove5", "lblGrubbsMin", &SampleStore::GrubbsClassMin, "  > 5%  ",
                      false},
        HighlightCase{"GrubbsBelow2_5", "lblGrubbsMin", &SampleStore::GrubbsClassMin, "  < 2.5%  ",
                      true},
        HighlightCase{"Grubbs1To2_5", "lblGrubbsMin", &SampleStore::GrubbsClassMin, "  1-2.5 %  ",
                      true},
        HighlightCase{"GrubbsWithoutBlanks", "lblGrubbsMin", &SampleStore::GrubbsClassMin, "< 1 %",
                      false},
        HighlightCase{"Dixon5To10", "lblDixMin", &SampleStore::DixClassMin, "  5-10 %  ", false},
        HighlightCase{"Dixon2To5", "lblDixMin", &SampleStore::DixClassMin, "  2-5 %  ", true},
        HighlightCase{"DixonBelow0_5", "lblDixMin", &SampleStore::DixClassMin, "  < 0.5 %  ", true},
        HighlightCase{"IqrWithin", "lblIQRyoung", &SampleStore::IQRyoung, "within inner fences",
                      false},
        HighlightCase{"IqrMild", "lblIQRyoung", &SampleStore::IQRyoung, "  mild outlier  ", true},
        HighlightCase{"IqrExtremeOld", "lblIQRold", &SampleStore::IQRold, "  extreme outlier  ",
                      true}),
    [](const auto& info) { return std::string(info.param.name); });

struct GaussCase {
    const char* name;
    Cell g;
    double critical;
    bool outlier;
};

class GaussVerdict : public ::testing::TestWithParam<GaussCase> {};

TEST_P(GaussVerdict, OutlierOnlyStrictlyAboveTheCriticalValue) {
    const GaussCase& c = GetParam();
    SampleStore s = twelveRows();
    s.GauYoung = c.g;
    s.GaussCrit = c.critical;
    ResultsModel m;
    m.Present_Values(s);
    EXPECT_EQ(m.text("lblGaY"), c.outlier ? kGaussOutlier : kGaussOk);
    EXPECT_EQ(m.label("lblGaY").background, c.outlier ? colour::kHighlight : colour::kWhite);
    EXPECT_EQ(m.text("lblGauYoung"), c.g.toText());
}

INSTANTIATE_TEST_SUITE_P(Gauss, GaussVerdict,
                         ::testing::Values(GaussCase{"Above", Cell("2.31"), 2.3, true},
                                           GaussCase{"Equal", Cell("2.3"), 2.3, false},
                                           GaussCase{"Below", Cell("0.87"), 2.3, false},
                                           GaussCase{"Unbounded", Cell(kUnboundedStatistic), 1e300,
                                                     true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct NotRunCase {
    const char* name;
    std::function<void(SampleStore&)> markNotRun;
    const char* cover;
    int width;
    const char* statisticLabel;
};

class NotTested : public ::testing::TestWithParam<NotRunCase> {};

TEST_P(NotTested, MarkerShowsAndWidensOnlyThatCover) {
    const NotRunCase& c = GetParam();
    SampleStore s = twelveRows();
    c.markNotRun(s);
    ResultsModel m;
    m.Present_Values(s);
    for (const char* cover : {"lblGRUno", "lblDIXno", "lblIQRno", "lblGAUno"}) {
        const bool mine = std::string(cover) == c.cover;
        EXPECT_EQ(m.label(cover).visible, mine) << cover;
        EXPECT_EQ(m.label(cover).width, mine ? c.width : 132) << cover;
    }
    if (c.statisticLabel != nullptr) {
        EXPECT_EQ(m.text(c.statisticLabel), "-1");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Markers, NotTested,
    ::testing::Values(
        NotRunCase{"Grubbs", [](SampleStore& s) { s.GruTmin = -1; }, "lblGRUno", 6612,
                   "lblGruTmin"},
        NotRunCase{"Dixon", [](SampleStore& s) { s.DixRmin = -1; }, "lblDIXno", 6612, "lblDixRmin"},
        NotRunCase{"Iqr", [](SampleStore& s) { s.IQRQ1 = -1; }, "lblIQRno", 7110, "lblIQRQ1"},
        NotRunCase{"Gauss", [](SampleStore& s) { s.GauYoung = -1; }, "lblGAUno", 6612, nullptr},
        // Only the whole number -1 marks a test not run; the text "-1" is a statistic.
        NotRunCase{"TextIsNoMarker", [](SampleStore& s) { s.GruTmin = "-1"; }, "none", 0, nullptr},
        NotRunCase{"DoubleIsNoMarker", [](SampleStore& s) { s.DixRmin = -1.0; }, "none", 0,
                   nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResultsModelPresent, GaussNotRunKeepsThePreviousGaussLabels) {
    ResultsModel m;
    m.Present_Values(twelveRows());
    SampleStore s = twelveRows();
    s.GauYoung = -1;
    s.GauOld = "9.99";
    s.DataFileName = "second";
    m.Present_Values(s);
    EXPECT_EQ(m.text("lblFileName"), "second");
    EXPECT_EQ(m.text("lblGauYoung"), "1.2");
    EXPECT_EQ(m.text("lblGauOld"), "2.51");
    EXPECT_EQ(m.text("lblGaO"), "  outlier  ");
    EXPECT_EQ(m.label("lblGaO").background, colour::kHighlight);
}

TEST(ResultsModelPresent, IqrNotRunAfterResetShowsNoFencesAndDoesNotFail) {
    SampleStore s = twelveRows();
    s.IQRQ1 = -1;
    s.IQRQ3 = "";
    s.IQRyoung = "";
    s.IQRold = "";
    ResultsModel m;
    m.Present_Values(s);
    EXPECT_EQ(m.text("lblLowerFence"), "");
    EXPECT_EQ(m.text("lblUpperFence"), "");
    EXPECT_EQ(m.text("lblIQRyoung"), "");
    EXPECT_EQ(m.label("lblIQRyoung").background, colour::kWhite);
}

TEST(ResultsModelPresent, CoverOfAFiveValueSetIsHiddenAgainForEightValues) {
    SampleStore five = twelveRows();
    five.RowCount = 5;
    five.NData = 5;
    five.IQRQ1 = -1;
    ResultsModel m;
    m.Present_Values(five);
    ASSERT_TRUE(m.label("lblIQRno").visible);
    EXPECT_FALSE(m.label("lblGRUno").visible);
    EXPECT_EQ(m.text("lblGruTmin"), "1.234") << "the other rows are filled";

    SampleStore eight = twelveRows();
    eight.RowCount = 8;
    eight.NData = 8;
    m.Present_Values(eight);
    EXPECT_FALSE(m.label("lblIQRno").visible);
    EXPECT_EQ(m.label("lblIQRno").width, 7110) << "a hidden cover keeps its width";
    EXPECT_EQ(m.text("lblN"), "8");
}

TEST(ResultsModelReset, BlanksResultLabelsHidesCoversKeepsColoursAndHeads) {
    ResultsModel m;
    SampleStore s = twelveRows();
    s.GruTmin = -1;
    m.Present_Values(s);
    m.showRejectedRow(4);
    m.blankAfterReset();

    int blank = 0;
    for (const LabelState& l : m.labels()) {
        if (l.kind == LabelKind::Value || l.kind == LabelKind::RejectList) {
            EXPECT_EQ(l.text, "") << l.name;
            ++blank;
        }
        if (l.kind == LabelKind::Cover) {
            EXPECT_FALSE(l.visible) << l.name;
        }
    }
    EXPECT_EQ(blank, 29);
    EXPECT_EQ(m.text("lblYoungHead"), "Minimum (# 7):");
    EXPECT_EQ(m.label("lblGrubbsMax").background, colour::kHighlight)
        << "colours stay until the next Present_Values";
    EXPECT_EQ(m.text("lblRizsa_0"), "Tests of outliers");
}

TEST(ResultsModelReject, ShowsOnlyTheLatestRow) {
    ResultsModel m;
    m.showRejectedRow(12);
    m.showRejectedRow(7);
    EXPECT_EQ(m.text("lblRejecList"), "Rejected: #7");
}

}  // namespace
}  // namespace sifton
