#include "ui/report.h"

#include <algorithm>
#include <array>

#include "core/number_text.h"

namespace sifton {
namespace {

constexpr char kTab = '\t';
constexpr char kCr = '\r';

// English on purpose: the report is read by spreadsheets and colleagues, not by the locale.
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string number(double value) { return generalNumberText(value); }

}  // namespace

std::string reportDate(const Date& date) {
    const int month = std::clamp(date.month, 1, 12);
    int year = date.year % 100;
    if (year < 0) year = -year;
    std::string text = std::to_string(date.day) + " " + kMonths[month - 1] + ". ";
    if (year < 10) text += '0';
    return text + std::to_string(year);
}

std::string buildReport(const SampleStore& s, const LabelTextLookup& label, const Date& today) {
    std::string r;
    r.reserve(4096);
    auto tabs = [&r](int count) { r.append(static_cast<std::size_t>(count), kTab); };

    r += "Test of outliers by Sifton program";
    tabs(4);
    r += reportDate(today);
    r += kCr;

    r += "File name:";
    tabs(1);
    r += s.DataFileName;
    r += kCr;

    r += "Number of Data";
    tabs(2);
    r += number(s.NData);
    if (s.NData != static_cast<double>(s.RowCount)) {
        r += " (from " + number(s.RowCount) + " )";
    }
    r += kCr;

    r += " Mean:";
    tabs(2);
    r += label("lblMean");
    r += kCr;

    tabs(5);
    r += "Smallest";
    tabs(1);
    r += "Biggest";
    r += kCr;

    tabs(3);
    r += "Data:";
    tabs(2);
    r += label("lblYoungAge");
    tabs(1);
    r += label("lblOldAge");
    r += kCr;

    tabs(3);
    r += "Position in data column";
    tabs(2);
    r += "{" + s.PosMin.toText() + "}";
    tabs(1);
    r += "{" + s.PosMax.toText() + "}";
    r += kCr;

    // Lines 8 to 15: one title line and one result line per test, the result line laid out as
    // statistic of the smallest, statistic of the largest, then both classes or verdicts.
    struct TestLines {
        const char* title;
        const char* minCaption;
        const char* minLabel;
        const char* maxCaption;
        const char* maxLabel;
        const char* classCaption;
        const char* minClass;
        const char* maxClass;
    };
    static constexpr std::array<TestLines, 4> kTests = {{
        {"Grubbs Test", "T_minimum:", "lblGruTmin", "T_maximum:", "lblGruTmax",
         "Prob.:", "lblGrubbsMin", "lblGrubbsMax"},
        {"Dixon Test", "R_minimum:", "lblDixRmin", "R_maximum:", "lblDixRmax",
         "Prob.:", "lblDixMin", "lblDixMax"},
        {"IQR Test", "Q1:", "lblIQRQ1", "Q3:", "lblIQRQ3", "Prob.:", "lblIQRyoung", "lblIQRold"},
        {"Gauss g-Test", "g:", "lblGauYoung", "g:", "lblGauOld", "at 5%:", "lblGaY", "lblGaO"},
    }};
    for (std::size_t t = 0; t < kTests.size(); ++t) {
        const TestLines& test = kTests[t];
        r += test.title;
        r += kCr;
        r += test.minCaption;
        tabs(1);
        r += label(test.minLabel);
        tabs(1);
        r += test.maxCaption;
        tabs(1);
        r += label(test.maxLabel);
        tabs(1);
        r += test.classCaption;
        tabs(1);
        r += label(test.minClass);
        tabs(1);
        r += label(test.maxClass);
        if (t + 1 < kTests.size()) r += kCr;
    }

    if (s.CopyMode != 2) return r;

    r += kCr;
    tabs(1);
    r += "Data:";
    r += kCr;
    // RowCount never exceeds the arrays after a successful load; the bound only keeps a
    // half-failed load from reading past them.
    const int rows = std::clamp(s.RowCount, 0, kMaxRows);
    for (int i = 1; i <= rows; ++i) {
        const double marker = s.Rejected[i].toNumber();
        if (marker < 1) {
            r += number(i) + kTab + s.Col1[i].toText() + kCr;
        } else if (marker == 1) {
            r += number(i) + kTab + s.Col1[i].toText() + kTab + " <--- This data is rejected" + kCr;
        }
    }
    return r;
}

}  // namespace sifton
