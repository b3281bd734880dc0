// The presentation and the clipboard report of small data sets worked by hand, without widgets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/analysis.h"
#include "ui/presentation.h"
#include "ui/report.h"
#include "window_test_support.h"

namespace sifton {
namespace {

using L = LabelId;

using test::analysed;

std::string texts(const Presentation& p, const std::vector<LabelId>& ids) {
    std::string joined;
    for (LabelId id : ids) joined += p.text(id) + "|";
    return joined;
}

// Each cover's width while it is shown, "-" while hidden.
std::string covers(const Presentation& p) {
    std::string shown;
    for (L c : {L::lblGRUno, L::lblDIXno, L::lblIQRno, L::lblGAUno})
        shown += (p[c].visible ? std::to_string(p[c].width) : "-") + " ";
    return shown;
}

// The twelve ages of examples/kestrel-ridge-12.csv. Mean 539.6 / 12 = 44.9667; the smallest is
// row 7 (39.8), the largest row 12 (49.4); n = 12: Dixon's r21, quartiles at the 3.25th and
// 9th places from the top (47.2 as Q3 is the 3rd value, 43.1 the 9th). The statistics were
// checked against an independent implementation.
const std::vector<double> kKestrel = {41.2, 44.8, 47.5, 43.1, 46.9, 45.6,
                                      39.8, 48.3, 44.2, 46.1, 42.7, 49.4};

// The report of the worked example, byte for byte: fifteen lines, CR alone between them.
const std::string kKestrelShortReport =
    "Test of outliers by Sifton program\t\t\t\t5 Dec. 26\r"
    "File name:\t/data/ridge.csv\r"
    "Number of Data\t\t12\r"
    " Mean:\t\t44.97\r"
    "\t\t\t\t\tSmallest\tBiggest\r"
    "\t\t\tData:\t\t39.80\t49.40\r"
    "\t\t\tPosition in data column\t\t{7}\t{12}\r"
    "Grubbs Test\r"
    "T_minimum:\t1.78\tT_maximum:\t1.527\tProb.:\t  > 10 %  \t  > 10 %  \r"
    "Dixon Test\r"
    "R_minimum:\t0.341\tR_maximum:\t0.232\tProb.:\t  > 10 %  \t  > 10 %  \r"
    "IQR Test\r"
    "Q1:\t43.1\tQ3:\t47.2\tProb.:\twithin inner fences\twithin inner fences\r"
    "Gauss g-Test\r"
    "g:\t2.23\tg:\t1.81\tat 5%:\t  OK  \t  OK  ";

TEST(Presentation, WorkedExampleFillsEveryLabelAndTheShortReport) {
    const Analysis a = analysed(kKestrel);
    const Presentation p = present(&a, GesdSettings{});
    // The labels the report leaves out (it holds the others' texts, see report.cpp); the fences
    // from the quartiles as shown: 43.1 - 1.5 x 4.1 and 47.2 + 1.5 x 4.1.
    EXPECT_EQ(texts(p, {L::lblFileName, L::lblLocality, L::lblLocalityM, L::lblStratAge, L::lblN,
                        L::lblRejecList, L::lblSD, L::lblSE, L::lblYoungHead, L::lblOldHead,
                        L::lblLowerFence, L::lblUpperFence}),
              "/data/ridge.csv|Kestrel Ridge|KR-07|Late Cretaceous|12||2.9|0.84|Minimum (# 7):|"
              "Maximum (# 12):|36.95|53.35|");
    EXPECT_EQ(std::tuple(p.showsResults, covers(p), p.plot.minFlagged || p.plot.maxFlagged),
              std::tuple(true, "- - - - ", false));
    for (const LabelDesign& d : kResultLabels) EXPECT_FALSE(p[d.id].highlight) << d.name;
    EXPECT_EQ(p[L::lblGruTmin].tooltip, p[L::lblGrubbsMin].tooltip);
    EXPECT_EQ(p[L::lblGruTmin].tooltip.rfind("One-sided p-value of T: ", 0), 0u);
    EXPECT_EQ(p.plot.title, "Kestrel Ridge  ·  KR-07  ·  Late Cretaceous  ·  n = 12");
    EXPECT_EQ(buildReport(a, p, ReportMode::Short, {2026, 12, 5}), kKestrelShortReport);
}

// -20 below 10..14: n = 6 puts Q3 = (14 + 13) / 2 = 13.5 and Q1 = (11 + 10) / 2 = 10.5, so the
// outer fence is 10.5 - 3 x 3 = 1.5 and -20 an extreme outlier; Dixon's r10 is
// (10 + 20) / (14 + 20) = 0.882.
const std::vector<double> kLowOutlier = {10, 11, 12, 13, 14, -20};

// Each data set's labels: -20 below 10..14 as above; eight values where Q3 is the midpoint of
// the 2nd and 3rd from the top, (12.0064 + 12.0004) / 2 = 12.0034, shown as 12.003, and Q1 the
// 6th, 10.002, so that the fence from the quartiles as shown is 12.003 + 1.5 x 2.001 = 15.0045,
// "15.0" (from the unrounded ones it would be 15.0055); tiny values, which show three digits
// where their pattern would show zero; five values, for which the IQR test never ran.
TEST(Presentation, LabelsOfDataSetsWorkedByHand) {
    const std::tuple<std::vector<double>, std::vector<L>, std::string> cases[] = {
        {kLowOutlier,
         {L::lblIQRQ1, L::lblIQRQ3, L::lblLowerFence, L::lblUpperFence, L::lblIQRyoung,
          L::lblIQRold, L::lblDixRmin, L::lblGaY},
         "10.5|13.5|6.0|18.0|  extreme outlier  |within inner fences|0.882|  outlier  |"},
        {{13, 12.0064, 12.0004, 11, 10.5, 10.002, 10, 9.5},
         {L::lblIQRQ1, L::lblIQRQ3, L::lblLowerFence, L::lblUpperFence},
         "10.002|12.003|7.0|15.0|"},
        {{0.0001, 0.00021, 0.00052, -0.0004, 0.0003, 0.00011},
         {L::lblYoungAge, L::lblOldAge, L::lblIQRQ1},
         "-0.0004|0.00052|0.000105|"},
        {{10, 11, 12, 13, -20}, {L::lblIQRQ1, L::lblIQRQ3, L::lblIQRyoung}, "-1|||"}};
    for (const auto& [values, ids, expected] : cases) {
        const Analysis a = analysed(values);
        EXPECT_EQ(texts(present(&a, GesdSettings{}), ids), expected);
    }
}

// At five values after rejections, the IQR cover hides the last verdicts, which the report repeats
// and the plot does not count.
TEST(Presentation, IqrNotRunAfterRejectionsKeepsItsLastVerdictsUnderTheCover) {
    const Analysis a = analysed(kLowOutlier, {Extreme::Largest, Extreme::Largest});
    const Presentation p = present(&a, GesdSettings{});
    EXPECT_EQ(covers(p) + texts(p, {L::lblIQRQ1, L::lblIQRQ3, L::lblLowerFence, L::lblUpperFence,
                                    L::lblIQRyoung, L::lblIQRold}),
              "- - 7110 - -1|13.5|||  extreme outlier  |within inner fences|");
    EXPECT_TRUE(p[L::lblIQRyoung].highlight && !p.plot.quartiles.has_value());
    EXPECT_EQ(std::count(p.plot.minFlaggedBy.begin(), p.plot.minFlaggedBy.end(), "IQR"), 0);
    EXPECT_NE(buildReport(a, p, ReportMode::Short, {2026, 12, 5})
                  .find("IQR Test\rQ1:\t-1\tQ3:\t13.5\tProb.:\t  extreme outlier  \twithin "
                        "inner fences\rGauss"),
              std::string::npos);
}

// Below 25 values the ESD status line says it is approximate; the plot's legend counts outliers.
TEST(Presentation, StatusLineAndPlotSummaryOfTheEsdScreen) {
    const Analysis small = analysed(kKestrel);
    EXPECT_EQ(present(&small, GesdSettings{0.01, 2}).statusLine,
              "ESD screen (two-sided, \u03B1 = 0.01, k = 2): no outlier. (Approximate below 25 "
              "values.)");
    const Analysis masked = analysed({50.1, 48.7, 51.2, 49.5, 50.8, 49.9, 52.0, 48.9, 80, 80});
    EXPECT_EQ(present(&masked, GesdSettings{}).plot.esdSummary,
              "ESD screen (\u03B1 = 0.05, k = 4): 2 found");
}

TEST(Report, LongReportMarksTheRejectedRowsInRowOrder) {
    const Analysis a = analysed(kKestrel, {Extreme::Largest, Extreme::Smallest});
    const std::string report = buildReport(a, present(&a, {}), ReportMode::Long, {2026, 12, 5});
    EXPECT_NE(report.find("Number of Data\t\t10 (from 12 )\r"), std::string::npos);
    EXPECT_NE(report.find("{1}\t{8}\r"), std::string::npos);  // 41.2 and 48.3 are left
    const std::string rows = report.substr(report.find("\r\tData:\r"));
    EXPECT_EQ(rows,
              "\r\tData:\r1\t41.2\r2\t44.8\r3\t47.5\r4\t43.1\r5\t46.9\r6\t45.6\r"
              "7\t39.8\t <--- This data is rejected\r8\t48.3\r9\t44.2\r10\t46.1\r11\t42.7\r"
              "12\t49.4\t <--- This data is rejected\r");
}

}  // namespace
}  // namespace sifton
