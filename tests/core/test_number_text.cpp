// Numbers to text and back: the three patterns, small data numbers, general number text,
// Text_To_Number, Is_Number_Text, and independence of the process locale.
#include <cmath>
#include <initializer_list>
#include <locale>
#include <stdexcept>
#include <tuple>

#include "core/input.h"
#include "core/number_text.h"
#include "test_support.h"

namespace sifton {
namespace {

// Each row "value|text": 'write' gives the text for the value (std::stod stops at the bar).
void expectTexts(std::string (*write)(double), std::initializer_list<const char*> rows) {
    for (const std::string row : rows)
        EXPECT_EQ(write(std::stod(row)), row.substr(row.find('|') + 1)) << row;
}

// The patterns round to 15 digits, then half away from zero: halves a binary double holds a hair
// below .5 are rounded up, as a person would; only the 16th digit makes 0.12499999999999999 a
// half; carries; no "-0.0". General number text switches to exponents at 1E+15 and 1E-05.
TEST(NumberText, PatternsAndGeneralNumberText) {
    expectTexts(
        [](double v) { return formatNumber(v, Pattern::TwoDecimals); },
        {"2.675|2.68", "1.005|1.01", "-2.675|-2.68", "1.5|1.50", "9.995|10.00", "-0.004|0.00"});
    expectTexts(
        [](double v) { return formatNumber(v, Pattern::UpToTwoDecimals); },
        {"0.125|0.13", "2.4649999999999994|2.47", "-0.005|-0.01", "0.12499999999999999|0.13",
         "0.1249999999999|0.12", "12|12.0", "8.4261|8.43", "1.5|1.5", "-99.999|-100.0",
         "-0.001|0.0", "-0|0.0", "123456789.125|123456789.13", "1e20|100000000000000000000.0"});
    expectTexts([](double v) { return formatNumber(v, Pattern::UpToThreeDecimals); },
                {"1.0005|1.001", "0.59339|0.593", "1.78017|1.78", "0.9995|1.0", "-0.0004|0.0",
                 "1e-20|0.0"});
    expectTexts(generalNumberText,
                {"12|12", "-1|-1", "12.5|12.5", "0|0", "-0|0", "100|100",
                 "999999999999999|999999999999999", "1e15|1E+15", "-2.5e20|-2.5E+20",
                 "1e100|1E+100", "0.0001|0.0001", "0.00012|0.00012", "1e-5|1E-05", "1.5e-5|1.5E-05",
                 "0.30000000000000004|0.3", "1.23456789012345678|1.23456789012346"});
}

TEST(NumberText, DataNumbersShowThreeDigitsWhereThePatternWouldShowZero) {
    const auto two = Pattern::TwoDecimals, upToTwo = Pattern::UpToTwoDecimals;
    // Value, pattern, largest size in the data, text. 12.345 keeps the pattern, which shows a
    // digit; 0.0001235 rounds half away from zero; 1E-12 of the largest size still shows.
    const std::tuple<double, Pattern, double, const char*> rows[] = {
        {12.345, two, 20, "12.35"},
        {0.00499, two, 1, "0.00499"},
        {0.0004999, Pattern::UpToThreeDecimals, 1, "0.0005"},
        {-0.000123449, upToTwo, 1, "-0.000123"},
        {0.00012350, upToTwo, 1, "0.000124"},
        {9.996e-5, two, 1, "0.0001"},
        {-2.5e-100, two, 1e-100, "-2.5E-100"},
        {1e-3, two, 1e9, "0.001"},
        {9.99e-4, two, 1e9, "0.00"},
        {-1e-17, upToTwo, 0.1, "0.0"},
        {0, two, 0, "0.00"}};
    for (const auto& [value, pattern, largest, text] : rows)
        EXPECT_EQ(formatDataNumber(value, pattern, largest), text) << value;
}

// Text_To_Number reads the leading number, as far as it goes; Is_Number_Text accepts only a
// whole plain decimal. Each row "value|text|plain".
TEST(NumberText, TextToNumberAndIsNumberText) {
    for (const std::string row :
         {"12|12|1",     "12| \t12\r\n|1", "1000|1D3|1",   "7|+7|1",     "1|1.|1",
          "0.5|.5|1",    "150|1.5e2|1",    "0.01|1d-2|1",  "12|00012|1", "1|1e|0",
          "12|12abc|0",  "12|1 2|0",       "-3|  -  3 |0", "1|1\r2|0",   "150|1.5e2.5|0",
          "0||0",        "0|\"12\"|0",     "0|.|0",        "0|--1|0",    "0|e5|0",
          "1|1,5|0",     "1.2|1.2.3|0",    "0|0x1A|0",     "0|inf|0",    "0|nan|0",
          "inf|1e999|1", "-inf|-1e999|1",  "0|1e-999|1"}) {
        const std::size_t bar = row.find('|'), last = row.rfind('|');
        const std::string text = row.substr(bar + 1, last - bar - 1);
        EXPECT_DOUBLE_EQ(Text_To_Number(text), std::stod(row)) << row;
        EXPECT_EQ(Is_Number_Text(text), row.back() == '1') << row;
    }
    EXPECT_EQ(Text_To_Number("\t1\t2\n.\n5"), 12.5);  // blanks inside are skipped
}

TEST(NumberText, ACommaLocaleStillReadsAndWritesAPoint) {
    std::locale comma;
    try {
        comma = std::locale("de_DE.UTF-8");
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "no German locale (decimal comma) is installed";
    }
    const std::locale saved = std::locale::global(comma);  // the C locale too
    test::TempDir dir;
    const DataFile file = readDataFile(dir.write("d.csv", "h,m,s\n1.5,2.5,x\n"));
    EXPECT_EQ(
        std::tuple(Text_To_Number("1.5") * 10 + Text_To_Number("2,5"), Is_Number_Text("1.5"),
                   Is_Number_Text("1,5"), formatNumber(2.675, Pattern::TwoDecimals),
                   generalNumberText(1.5e-5), file.rows.at(0).value1 + file.rows.at(0).value2),
        std::tuple(17.0, true, false, "2.68", "1.5E-05", 4.0));
    std::locale::global(saved);
}

}  // namespace
}  // namespace sifton
