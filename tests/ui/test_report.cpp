// The clipboard report, byte for byte. Each label's caption is its own name in brackets with a
// blank on either side, so the expected text shows which caption goes where, blanks kept.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/store.h"
#include "ui/report.h"

namespace sifton {
namespace {

std::string caption(const std::string& name, bool shown) { return shown ? " <" + name + "> " : ""; }

std::string build(const SampleStore& s, bool captions = true, Date today = {2026, 12, 5}) {
    return buildReport(
        s, [captions](const std::string& n) { return caption(n, captions); }, today);
}

// The 15 lines every report starts with; the last ends without CR.
std::string header(const std::string& file, const std::string& count, const std::string& posMin,
                   const std::string& posMax, bool captions = true) {
    auto l = [captions](const char* name) { return caption(name, captions); };
    return "Test of outliers by Sifton program\t\t\t\t5 Dec. 26\rFile name:\t" + file +
           "\rNumber of Data\t\t" + count + "\r Mean:\t\t" + l("lblMean") +
           "\r\t\t\t\t\tSmallest\tBiggest\r\t\t\tData:\t\t" + l("lblYoungAge") + "\t" +
           l("lblOldAge") + "\r\t\t\tPosition in data column\t\t{" + posMin + "}\t{" + posMax +
           "}\rGrubbs Test\rT_minimum:\t" + l("lblGruTmin") + "\tT_maximum:\t" + l("lblGruTmax") +
           "\tProb.:\t" + l("lblGrubbsMin") + "\t" + l("lblGrubbsMax") +
           "\rDixon Test\rR_minimum:\t" + l("lblDixRmin") + "\tR_maximum:\t" + l("lblDixRmax") +
           "\tProb.:\t" + l("lblDixMin") + "\t" + l("lblDixMax") + "\rIQR Test\rQ1:\t" +
           l("lblIQRQ1") + "\tQ3:\t" + l("lblIQRQ3") + "\tProb.:\t" + l("lblIQRyoung") + "\t" +
           l("lblIQRold") + "\rGauss g-Test\rg:\t" + l("lblGauYoung") + "\tg:\t" + l("lblGauOld") +
           "\tat 5%:\t" + l("lblGaY") + "\t" + l("lblGaO");
}

SampleStore loaded(const std::string& file, const std::vector<double>& values, int copyMode) {
    SampleStore s;
    for (std::size_t i = 0; i < values.size(); ++i) s.Col1[i + 1] = values[i];
    s.RowCount = static_cast<int>(values.size());
    s.NData = s.RowCount;
    s.DataFileName = file;
    s.CopyMode = copyMode;
    return s;
}

const std::vector<double> kTwelve = {9.8, 10.4, 14.8, 9.1,  10.9, 11.2,
                                     7.1, 9.6,  10.2, 11.8, 9.3,  10.9};

TEST(Report, OnlyCopyModeTwoAddsTheDataRows) {
    for (int copyMode : {0, 1, 3}) {
        SampleStore s = loaded("/home/ana/ridge-12.csv", kTwelve, copyMode);
        std::tie(s.PosMin, s.PosMax) = std::tuple(7, 3);
        EXPECT_EQ(build(s), header("/home/ana/ridge-12.csv", "12", "7", "3")) << copyMode;
    }
}

TEST(Report, LongReportAfterTwoRejectionsMarksThemAndSkipsUnknownMarkers) {
    SampleStore s = loaded("ridge-12.csv", kTwelve, 2);
    s.Rejected[3] = s.Rejected[7] = 1;  // the largest, then the smallest taken out
    std::tie(s.NData, s.PosMin, s.PosMax) = std::tuple(10, 4, 10);
    s.Rejected[5] = 0.5;  // below 1: under test
    s.Rejected[6] = 2;    // neither under test nor rejected: no line
    EXPECT_EQ(build(s), header("ridge-12.csv", "10 (from 12 )", "4", "10") +
                            "\r\tData:\r1\t9.8\r2\t10.4\r3\t14.8\t <--- This data is rejected\r"
                            "4\t9.1\r5\t10.9\r7\t7.1\t <--- This data is rejected\r8\t9.6\r"
                            "9\t10.2\r10\t11.8\r11\t9.3\r12\t10.9\r");
}

TEST(Report, LongReportAfterAPasteCountsNeverWrittenMarkersAsUnderTest) {
    SampleStore s = loaded("From Clipboard", {5, 0.1 + 0.2, 1e20, 120.25}, 2);
    std::tie(s.PosMin, s.PosMax) = std::tuple(1, 3);
    EXPECT_EQ(build(s), header("From Clipboard", "4", "1", "3") +
                            "\r\tData:\r1\t5\r2\t0.3\r3\t1E+20\r4\t120.25\r");
}

TEST(Report, EmptyLabelsAndAnEmptyStoreKeepEveryTab) {
    SampleStore s;  // as after a reset: positions empty texts
    std::tie(s.PosMin, s.PosMax) = std::tuple("", "");
    EXPECT_EQ(build(s, false), header("", "0", "", "", false));
    s.CopyMode = 2;
    EXPECT_EQ(build(s, false), header("", "0", "", "", false) + "\r\tData:\r");
}

TEST(Report, DateIsDayMonthAndTwoDigitYear) {
    for (auto [date, text] : {std::pair{Date{2026, 12, 5}, "5 Dec. 26"},
                              {Date{2004, 8, 28}, "28 Aug. 04"},
                              {Date{2000, 1, 1}, "1 Jan. 00"},
                              {Date{1999, 2, 9}, "9 Feb. 99"},
                              {Date{2026, 5, 15}, "15 May. 26"},
                              {Date{2100, 11, 30}, "30 Nov. 00"}})
        EXPECT_EQ(reportDate(date), text);
    EXPECT_EQ(build(SampleStore{}, true, {2009, 7, 4})
                  .rfind("Test of outliers by Sifton program\t\t\t\t4 Jul. 09\r", 0),
              0u);
}

}  // namespace
}  // namespace sifton
