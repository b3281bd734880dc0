// The clipboard report, byte for byte, from a store and label captions set up by each test.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/store.h"
#include "ui/report.h"

namespace sifton {
namespace {

const std::set<std::string> kReportLabels = {
    "lblMean",      "lblYoungAge",  "lblOldAge",  "lblGruTmin",  "lblGruTmax",
    "lblGrubbsMin", "lblGrubbsMax", "lblDixRmin", "lblDixRmax",  "lblDixMin",
    "lblDixMax",    "lblIQRQ1",     "lblIQRQ3",   "lblIQRyoung", "lblIQRold",
    "lblGauYoung",  "lblGauOld",    "lblGaY",     "lblGaO"};

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override { s = SampleStore{}; }

    // Captions of a twelve-value run, as the results window would show them.
    void setTwelveValueLabels() {
        labels = {{"lblMean", "10.42"},
                  {"lblYoungAge", "7.10"},
                  {"lblOldAge", "14.80"},
                  {"lblGruTmin", "1.602"},
                  {"lblGruTmax", "2.035"},
                  {"lblGrubbsMin", "  > 10 %  "},
                  {"lblGrubbsMax", "  7.5-10 %  "},
                  {"lblDixRmin", "0.28"},
                  {"lblDixRmax", "0.415"},
                  {"lblDixMin", "  > 10 %  "},
                  {"lblDixMax", "  5-10 %  "},
                  {"lblIQRQ1", "9.1"},
                  {"lblIQRQ3", "11.75"},
                  {"lblIQRyoung", "within inner fences"},
                  {"lblIQRold", "  mild outlier  "},
                  {"lblGauYoung", "1.81"},
                  {"lblGauOld", "2.69"},
                  {"lblGaY", "  OK  "},
                  {"lblGaO", "  outlier  "}};
    }

    void setRows(const std::vector<double>& values) {
        for (std::size_t i = 0; i < values.size(); ++i) s.Col1[i + 1] = values[i];
        s.RowCount = static_cast<int>(values.size());
        s.NData = static_cast<double>(values.size());
    }

    std::string build(Date today = {2026, 12, 5}) {
        requested.clear();
        return buildReport(
            s,
            [this](const std::string& name) {
                requested.insert(name);
                auto it = labels.find(name);
                return it == labels.end() ? std::string() : it->second;
            },
            today);
    }

    SampleStore s;
    std::map<std::string, std::string> labels;
    std::set<std::string> requested;
};

// The 15 lines of the twelve-value run above; line 3 and line 7 depend on the store.
std::string twelveValueHeader(const std::string& fileName, const std::string& count,
                              const std::string& posMin, const std::string& posMax) {
    return "Test of outliers by Sifton program\t\t\t\t5 Dec. 26\r"
           "File name:\t" +
           fileName +
           "\r"
           "Number of Data\t\t" +
           count +
           "\r"
           " Mean:\t\t10.42\r"
           "\t\t\t\t\tSmallest\tBiggest\r"
           "\t\t\tData:\t\t7.10\t14.80\r"
           "\t\t\tPosition in data column\t\t{" +
           posMin + "}\t{" + posMax +
           "}\r"
           "Grubbs Test\r"
           "T_minimum:\t1.602\tT_maximum:\t2.035\tProb.:\t  > 10 %  \t  7.5-10 %  \r"
           "Dixon Test\r"
           "R_minimum:\t0.28\tR_maximum:\t0.415\tProb.:\t  > 10 %  \t  5-10 %  \r"
           "IQR Test\r"
           "Q1:\t9.1\tQ3:\t11.75\tProb.:\twithin inner fences\t  mild outlier  \r"
           "Gauss g-Test\r"
           "g:\t1.81\tg:\t2.69\tat 5%:\t  OK  \t  outlier  ";
}

const std::vector<double> kTwelveValues = {9.8, 10.4, 14.8, 9.1,  10.9, 11.2,
                                           7.1, 9.6,  10.2, 11.8, 9.3,  10.9};

TEST_F(ReportTest, ShortReportOfTwelveValuesEndsWithLastCaption) {
    setTwelveValueLabels();
    setRows(kTwelveValues);
    s.DataFileName = "/home/ana/samples/ridge-12.csv";
    s.PosMin = 7;
    s.PosMax = 3;
    s.CopyMode = 1;

    const std::string report = build();
    EXPECT_EQ(report, twelveValueHeader("/home/ana/samples/ridge-12.csv", "12", "7", "3"));
    EXPECT_EQ(requested, kReportLabels);
}

TEST_F(ReportTest, LongReportAfterTwoRejectionsListsEveryRowAndMarksRejected) {
    setTwelveValueLabels();
    setRows(kTwelveValues);
    s.Rejected[3] = 1;  // the largest, then the smallest value taken out
    s.Rejected[7] = 1;
    s.NData = 10;
    s.DataFileName = "ridge-12.csv";
    s.PosMin = 4;
    s.PosMax = 10;
    s.CopyMode = 2;

    const std::string expected = twelveValueHeader("ridge-12.csv", "10 (from 12 )", "4", "10") +
                                 "\r"
                                 "\tData:\r"
                                 "1\t9.8\r"
                                 "2\t10.4\r"
                                 "3\t14.8\t <--- This data is rejected\r"
                                 "4\t9.1\r"
                                 "5\t10.9\r"
                                 "6\t11.2\r"
                                 "7\t7.1\t <--- This data is rejected\r"
                                 "8\t9.6\r"
                                 "9\t10.2\r"
                                 "10\t11.8\r"
                                 "11\t9.3\r"
                                 "12\t10.9\r";
    EXPECT_EQ(build(), expected);
}

TEST_F(ReportTest, AfterPasteNamesClipboardAndCountsEmptyMarkersAsUnderTest) {
    setTwelveValueLabels();
    // A paste writes Col1 only; Rejected keeps never-written (empty) cells.
    setRows({5, 6, 7, 120.25});
    s.DataFileName = "From Clipboard";
    s.PosMin = 1;
    s.PosMax = 4;
    s.CopyMode = 2;

    const std::string expected = twelveValueHeader("From Clipboard", "4", "1", "4") +
                                 "\r\tData:\r1\t5\r2\t6\r3\t7\r4\t120.25\r";
    EXPECT_EQ(build(), expected);
}

TEST_F(ReportTest, RowsWithMarkersOtherThanBelowOneOrOneAreLeftOut) {
    setRows({1, 2, 3, 4, 5});
    s.Rejected[1] = 0.5;  // below 1: under test
    s.Rejected[2] = 2;    // neither: no line
    s.Rejected[3] = 1;
    s.Rejected[4] = "";  // empty text after a reset: 0
    s.NData = 3;
    s.CopyMode = 2;

    const std::string report = build();
    const std::string tail = "\tData:\r1\t1\r3\t3\t <--- This data is rejected\r4\t4\r5\t5\r";
    ASSERT_GE(report.size(), tail.size());
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
}

TEST_F(ReportTest, ValuesAndCountsUseGeneralNumberText) {
    setRows({0.1 + 0.2, -3.25, 1234567, 1e20, 0.00001});
    s.NData = 5;
    s.CopyMode = 2;

    const std::string report = build();
    EXPECT_NE(report.find("Number of Data\t\t5\r"), std::string::npos);
    const std::string tail = "\tData:\r1\t0.3\r2\t-3.25\r3\t1234567\r4\t1E+20\r5\t1E-05\r";
    ASSERT_GE(report.size(), tail.size());
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
}

TEST_F(ReportTest, EmptyLabelsAndEmptyStoreKeepEveryTab) {
    // The state after a reset: no data, blank captions, positions as empty text.
    s.PosMin = "";
    s.PosMax = "";
    s.DataFileName = "";
    const std::string expected =
        "Test of outliers by Sifton program\t\t\t\t5 Dec. 26\r"
        "File name:\t\r"
        "Number of Data\t\t0\r"
        " Mean:\t\t\r"
        "\t\t\t\t\tSmallest\tBiggest\r"
        "\t\t\tData:\t\t\t\r"
        "\t\t\tPosition in data column\t\t{}\t{}\r"
        "Grubbs Test\r"
        "T_minimum:\t\tT_maximum:\t\tProb.:\t\t\r"
        "Dixon Test\r"
        "R_minimum:\t\tR_maximum:\t\tProb.:\t\t\r"
        "IQR Test\r"
        "Q1:\t\tQ3:\t\tProb.:\t\t\r"
        "Gauss g-Test\r"
        "g:\t\tg:\t\tat 5%:\t\t";
    EXPECT_EQ(build(), expected);

    s.CopyMode = 2;
    EXPECT_EQ(build(), expected + "\r\tData:\r");
}

struct CopyModeCase {
    const char* name;
    int copyMode;
    bool longReport;
};
void PrintTo(const CopyModeCase& c, std::ostream* os) { *os << c.name; }

class ReportCopyModeTest : public ReportTest, public ::testing::WithParamInterface<CopyModeCase> {};

TEST_P(ReportCopyModeTest, OnlyCopyModeTwoGivesTheLongReport) {
    setTwelveValueLabels();
    setRows({3, 4, 5});
    s.CopyMode = GetParam().copyMode;
    const std::string report = build();

    EXPECT_EQ(report.find('\n'), std::string::npos);
    const auto crCount = std::count(report.begin(), report.end(), '\r');
    if (GetParam().longReport) {
        EXPECT_EQ(crCount, 15 + 1 + 3);
        EXPECT_EQ(report.back(), '\r');
    } else {
        EXPECT_EQ(crCount, 14);
        const std::string last = "\t  outlier  ";
        EXPECT_EQ(report.substr(report.size() - last.size()), last);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, ReportCopyModeTest,
                         ::testing::Values(CopyModeCase{"Paste", 0, false},
                                           CopyModeCase{"Copy", 1, false},
                                           CopyModeCase{"CopyAll", 2, true},
                                           CopyModeCase{"Other", 3, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DateCase {
    const char* name;
    Date date;
    const char* text;
};
void PrintTo(const DateCase& c, std::ostream* os) { *os << c.name; }

class ReportDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(ReportDateTest, DayMonthAbbreviationAndTwoDigitYear) {
    EXPECT_EQ(reportDate(GetParam().date), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Dates, ReportDateTest,
                         ::testing::Values(DateCase{"Example", {2026, 12, 5}, "5 Dec. 26"},
                                           DateCase{"SingleDigitYear", {2004, 8, 28}, "28 Aug. 04"},
                                           DateCase{"Year2000", {2000, 1, 1}, "1 Jan. 00"},
                                           DateCase{"LastCentury", {1999, 2, 9}, "9 Feb. 99"},
                                           DateCase{"TwoDigitDay", {2031, 3, 31}, "31 Mar. 31"},
                                           DateCase{"May", {2026, 5, 15}, "15 May. 26"},
                                           DateCase{"September", {2026, 9, 30}, "30 Sep. 26"},
                                           DateCase{"November", {2100, 11, 11}, "11 Nov. 00"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReportTest, DateOfLineOneComesFromTheGivenDay) {
    EXPECT_EQ(build({2009, 7, 4}).rfind("Test of outliers by Sifton program\t\t\t\t4 Jul. 09\r", 0),
              0u);
}

}  // namespace
}  // namespace sifton
