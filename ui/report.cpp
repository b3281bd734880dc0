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

std::string buildReport(const Analysis& analysis, const Presentation& shown, ReportMode mode,
                        const Date& today) {
    const auto label = [&shown](LabelId id) { return shown.text(id); };
    const Statistics& st = analysis.results().statistics;
    std::string r;
    r.reserve(4096);
    auto tabs = [&r](int count) { r.append(static_cast<std::size_t>(count), kTab); };

    r += "Test of outliers by Sifton program";
    tabs(4);
    r += reportDate(today);
    r += kCr;

    r += "File name:";
    tabs(1);
    r += analysis.dataSet().DataFileName;
    r += kCr;

    r += "Number of Data";
    tabs(2);
    r += number(analysis.NData());
    if (analysis.NData() != analysis.RowCount())
        r += " (from " + number(analysis.RowCount()) + " )";
    r += kCr;

    r += " Mean:";
    tabs(2);
    r += label(LabelId::lblMean);
    r += kCr;

    tabs(5);
    r += "Smallest";
    tabs(1);
    r += "Biggest";
    r += kCr;

    tabs(3);
    r += "Data:";
    tabs(2);
    r += label(LabelId::lblYoungAge);
    tabs(1);
    r += label(LabelId::lblOldAge);
    r += kCr;

    tabs(3);
    r += "Position in data column";
    tabs(2);
    r += "{" + number(st.minRow) + "}";
    tabs(1);
    r += "{" + number(st.maxRow) + "}";
    r += kCr;

    // Lines 8 to 15: one title line and one result line per test, the result line laid out as
    // statistic of the smallest, statistic of the largest, then both classes or verdicts.
    struct TestLines {
        const char* title;
        const char* minCaption;
        LabelId minLabel;
        const char* maxCaption;
        LabelId maxLabel;
        const char* classCaption;
        LabelId minClass;
        LabelId maxClass;
    };
    using L = LabelId;
    static constexpr std::array<TestLines, 4> kTests = {{
        {"Grubbs Test", "T_minimum:", L::lblGruTmin, "T_maximum:", L::lblGruTmax,
         "Prob.:", L::lblGrubbsMin, L::lblGrubbsMax},
        {"Dixon Test", "R_minimum:", L::lblDixRmin, "R_maximum:", L::lblDixRmax,
         "Prob.:", L::lblDixMin, L::lblDixMax},
        {"IQR Test", "Q1:", L::lblIQRQ1, "Q3:", L::lblIQRQ3, "Prob.:", L::lblIQRyoung,
         L::lblIQRold},
        {"Gauss g-Test", "g:", L::lblGauYoung, "g:", L::lblGauOld, "at 5%:", L::lblGaY, L::lblGaO},
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

    if (mode != ReportMode::Long) return r;

    r += kCr;
    tabs(1);
    r += "Data:";
    r += kCr;
    const DataSet& data = analysis.dataSet();
    for (int i = 1; i <= data.RowCount(); ++i) {
        r += number(i) + kTab + number(data.Col1(i));
        if (analysis.Rejected(i)) r += std::string(1, kTab) + " <--- This data is rejected";
        r += kCr;
    }
    return r;
}

}  // namespace sifton
