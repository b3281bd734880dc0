// Numbers to text and back: the rounding rule of the three patterns, general number text,
// Text_To_Number, Is_Number_Text, the Cell conversions, and independence of the process locale.
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

#include "core/cell.h"
#include "core/input.h"
#include "core/number_text.h"
#include "core/statistics.h"
#include "core/store.h"
#include "core/tables.h"
#include "test_support.h"

namespace sifton {
namespace {

using test::CaseName;
using test::operator<<;

// ---- Patterns ----------------------------------------------------------------------------------

struct FormatCase {
    std::string name;
    double value;
    Pattern pattern;
    std::string expected;
};

class FormatNumber : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumber, RoundsFifteenDigitsThenHalfAwayFromZero) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, c.pattern), c.expected);
}

constexpr Pattern k00 = Pattern::TwoDecimals;
constexpr Pattern k0h = Pattern::UpToTwoDecimals;
constexpr Pattern k0hh = Pattern::UpToThreeDecimals;

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNumber,
    ::testing::Values(
        // Halves that binary doubles hold a hair below .5: a person still rounds them up.
        FormatCase{"Half_2_675", 2.675, k00, "2.68"}, FormatCase{"Half_1_005", 1.005, k00, "1.01"},
        FormatCase{"Half_0_125", 0.125, k0h, "0.13"},
        FormatCase{"HalfNegative_2_675", -2.675, k00, "-2.68"},
        FormatCase{"FenceComputedBelowHalf", 2.4649999999999994, k0h, "2.47"},
        FormatCase{"Half_1_0005", 1.0005, k0hh, "1.001"},
        FormatCase{"Half_0_045", 0.045, k0h, "0.05"},
        FormatCase{"Half_0_0005", 0.0005, k0hh, "0.001"},
        FormatCase{"HalfNegative_0_005", -0.005, k0h, "-0.01"},
        // Only the 16th digit makes it a half: the 15-digit step must come first.
        FormatCase{"SixteenthDigitDecides", 0.12499999999999999, k0h, "0.13"},
        FormatCase{"ThirteenDigitsStayBelowHalf", 0.1249999999999, k0h, "0.12"},
        // Worked values of the pattern descriptions.
        FormatCase{"Whole_12", 12, k0h, "12.0"}, FormatCase{"Value_8_4261", 8.4261, k0h, "8.43"},
        FormatCase{"Value_0_59339", 0.59339, k0hh, "0.593"},
        FormatCase{"Value_3_456", 3.456, k00, "3.46"},
        FormatCase{"Value_1_78017", 1.78017, k0hh, "1.78"}, FormatCase{"Whole_2", 2, k0hh, "2.0"},
        FormatCase{"Value_2_12345", 2.12345, k0hh, "2.123"},
        FormatCase{"Value_14_5", 14.5, k0hh, "14.5"}, FormatCase{"OneDecimalKept", 1.5, k0h, "1.5"},
        FormatCase{"TwoDecimalsPadded", 1.5, k00, "1.50"},
        FormatCase{"SmallToZero", 0.001, k0h, "0.0"},
        // Carries through the integer part.
        FormatCase{"CarryToTen", 9.995, k00, "10.00"},
        FormatCase{"CarryToOne", 0.9995, k0hh, "1.0"},
        FormatCase{"CarryToHundred", 99.999, k0h, "100.0"},
        FormatCase{"CarryToHundredNegative", -99.999, k0h, "-100.0"},
        // No minus sign on a zero.
        FormatCase{"NegativeTinyTwoDecimals", -0.004, k00, "0.00"},
        FormatCase{"NegativeTinyUpToTwo", -0.001, k0h, "0.0"},
        FormatCase{"NegativeTinyUpToThree", -0.0004, k0hh, "0.0"},
        FormatCase{"NegativeZero", -0.0, k0h, "0.0"},
        // Magnitudes far from 1.
        FormatCase{"NineDigitInteger", 123456789.125, k0h, "123456789.13"},
        FormatCase{"Huge", 1e20, k0h, "100000000000000000000.0"},
        FormatCase{"Tiny", 1e-20, k0hh, "0.0"}),
    CaseName{});

TEST(FormatNumberNotFinite, NeverWritesNanOrInf) {
    for (Pattern p : {k00, k0h, k0hh}) {
        for (double v :
             {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
              -std::numeric_limits<double>::infinity()}) {
            std::string text = formatNumber(v, p);
            EXPECT_FALSE(test::looksBroken(text)) << text;
            EXPECT_FALSE(text.empty());
        }
    }
}

// ---- General number text -----------------------------------------------------------------------

struct GeneralCase {
    std::string name;
    double value;
    std::string expected;
};

class GeneralNumberText : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralNumberText, WritesAsASpreadsheetCell) {
    EXPECT_EQ(generalNumberText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneralNumberText,
    ::testing::Values(GeneralCase{"Whole", 12, "12"}, GeneralCase{"MinusOne", -1, "-1"},
                      GeneralCase{"Fraction", 12.5, "12.5"}, GeneralCase{"Zero", 0, "0"},
                      GeneralCase{"NegativeZero", -0.0, "0"},
                      GeneralCase{"TrailingIntegerZeros", 100, "100"},
                      GeneralCase{"FifteenDigits", 123456789012345, "123456789012345"},
                      GeneralCase{"JustBelowExponent", 999999999999999, "999999999999999"},
                      GeneralCase{"ExponentFrom1E15", 1e15, "1E+15"},
                      GeneralCase{"NegativeLarge", -2.5e20, "-2.5E+20"},
                      GeneralCase{"ThreeDigitExponent", 1e100, "1E+100"},
                      GeneralCase{"SmallStillPlain", 0.0001, "0.0001"},
                      GeneralCase{"SmallPlainDigits", 0.00012, "0.00012"},
                      GeneralCase{"ExponentBelow1E4", 1e-5, "1E-05"},
                      GeneralCase{"ExponentWithFraction", 1.5e-5, "1.5E-05"},
                      GeneralCase{"BinaryNoiseHidden", 0.1 + 0.2, "0.3"},
                      GeneralCase{"RoundedTo15Digits", 1.23456789012345678, "1.23456789012346"},
                      GeneralCase{"MixedDigits", 1234.5678, "1234.5678"}),
    CaseName{});

// ---- Text_To_Number ----------------------------------------------------------------------------

struct ParseCase {
    std::string name;
    std::string text;
    double expected;
};

class TextToNumber : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TextToNumber, ReadsTheLeadingNumber) {
    const ParseCase& c = GetParam();
    double got = Text_To_Number(c.text);
    if (std::isinf(c.expected)) {
        EXPECT_EQ(got, c.expected);
    } else {
        EXPECT_DOUBLE_EQ(got, c.expected) << '"' << c.text << '"';
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToNumber,
    ::testing::Values(
        ParseCase{"LeadingPoint", ".5", 0.5}, ParseCase{"NegativeLeadingPoint", "-.5", -0.5},
        ParseCase{"PlusLeadingPoint", "+.5", 0.5}, ParseCase{"DanglingExponent", "1e", 1},
        ParseCase{"DanglingExponentSign", "1e+", 1}, ParseCase{"TrailingLetters", "12abc", 12},
        ParseCase{"SpaceInside", "1 2", 12}, ParseCase{"SpacesAroundSign", "  -  3 ", -3},
        ParseCase{"TabsAndLineFeeds", "\t1\t2\n.\n5", 12.5},
        ParseCase{"CarriageReturnStops", "1\r2", 1}, ParseCase{"Exponent", "1.5e2", 150},
        ParseCase{"ExponentD", "1.5D2", 150}, ParseCase{"ExponentLowerD", "1d-2", 0.01},
        ParseCase{"FractionalExponentStops", "1.5e2.5", 150}, ParseCase{"Empty", "", 0},
        ParseCase{"Letters", "abc", 0}, ParseCase{"Quoted", "\"12\"", 0},
        ParseCase{"OnlyPoint", ".", 0}, ParseCase{"OnlySign", "-", 0},
        ParseCase{"ExponentWithoutMantissa", "e5", 0}, ParseCase{"CommaStops", "1,5", 1},
        ParseCase{"SecondPointStops", "1.2.3", 1.2}, ParseCase{"MinusInsideStops", "5-3", 5},
        ParseCase{"LeadingZeros", "00012", 12}, ParseCase{"HexIsNotRead", "0x1A", 0},
        ParseCase{"InfWordIsNotANumber", "inf", 0}, ParseCase{"NanWordIsNotANumber", "nan", 0},
        ParseCase{"Overflow", "1e999", kInf}, ParseCase{"NegativeOverflow", "-1e999", -kInf},
        ParseCase{"Underflow", "1e-999", 0}),
    CaseName{});

// ---- Is_Number_Text ----------------------------------------------------------------------------

struct NumericCase {
    std::string name;
    std::string text;
    bool expected;
};

class IsNumberText : public ::testing::TestWithParam<NumericCase> {};

TEST_P(IsNumberText, AcceptsOnlyPlainDecimals) {
    EXPECT_EQ(Is_Number_Text(GetParam().text), GetParam().expected)
        << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsNumberText,
    ::testing::Values(
        NumericCase{"Integer", "12", true}, NumericCase{"BlanksAround", " \t12\r\n", true},
        NumericCase{"SignedExponent", "-1.5e+3", true}, NumericCase{"ExponentD", "1D3", true},
        NumericCase{"PlusSign", "+7", true}, NumericCase{"TrailingPoint", "1.", true},
        NumericCase{"LeadingPoint", ".5", true}, NumericCase{"Empty", "", false},
        NumericCase{"Blanks", "   ", false}, NumericCase{"Tab", "\t", false},
        NumericCase{"SpaceBetweenDigits", "1 2", false},
        NumericCase{"TrailingLetters", "12abc", false},
        NumericCase{"DanglingExponent", "1e", false},
        NumericCase{"DanglingExponentSign", "1e+", false}, NumericCase{"OnlyPoint", ".", false},
        NumericCase{"OnlySign", "-", false}, NumericCase{"TwoPoints", "1.2.3", false},
        NumericCase{"DecimalComma", "1,5", false}, NumericCase{"Hex", "0x10", false},
        NumericCase{"InfWord", "inf", false}, NumericCase{"NanWord", "nan", false},
        NumericCase{"DoubleSign", "--1", false}, NumericCase{"FractionalExponent", "1e5.5", false}),
    CaseName{});

// ---- Cell --------------------------------------------------------------------------------------

TEST(CellConversions, KindsReadAsNumbersAndTexts) {
    EXPECT_EQ(Cell().toNumber(), 0.0);
    EXPECT_EQ(Cell().toText(), "");
    EXPECT_EQ(Cell(7).toText(), "7");
    EXPECT_EQ(Cell(12.0).toText(), "12");
    EXPECT_EQ(Cell(12.5).toText(), "12.5");
    EXPECT_DOUBLE_EQ(Cell("12.5abc").toNumber(), 12.5);
    EXPECT_DOUBLE_EQ(Cell("1.78").toNumber(), 1.78);
}

TEST(CellConversions, OnlyTheWholeNumberMinusOneIsTheNotRunMarker) {
    EXPECT_TRUE(Cell(-1).isNotRunMarker());
    EXPECT_FALSE(Cell(-1.0).isNotRunMarker());
    EXPECT_FALSE(Cell("-1").isNotRunMarker());
    EXPECT_FALSE(Cell(0).isNotRunMarker());
    EXPECT_FALSE(Cell().isNotRunMarker());
    EXPECT_NE(Cell("-1"), Cell(-1));
}

// ---- Locale ------------------------------------------------------------------------------------

// Switches the process to a locale whose decimal separator is a comma, and back.
class CommaLocale {
  public:
    CommaLocale() : m_saved(std::setlocale(LC_ALL, nullptr)) {
        for (const char* name :
             {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8",
              "es_ES.UTF-8", "it_IT.UTF-8", "ru_RU.UTF-8", "pt_BR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) == nullptr) continue;
            if (std::string(std::localeconv()->decimal_point) == ",") {
                std::locale::global(std::locale(name));
                m_active = name;
                return;
            }
        }
        std::setlocale(LC_ALL, m_saved.c_str());
    }
    ~CommaLocale() {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, m_saved.c_str());
    }
    const std::string& active() const { return m_active; }

  private:
    std::string m_saved;
    std::string m_active;
};

class LocaleIndependence : public test::StoreTest {};

TEST_F(LocaleIndependence, CommaLocaleStillReadsAndWritesAPoint) {
    CommaLocale locale;
    if (locale.active().empty()) GTEST_SKIP() << "no locale with a decimal comma is installed";

    EXPECT_DOUBLE_EQ(Text_To_Number("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(Text_To_Number("2,5"), 2.0);
    EXPECT_TRUE(Is_Number_Text("1.5"));
    EXPECT_FALSE(Is_Number_Text("1,5"));
    EXPECT_EQ(formatNumber(2.675, Pattern::TwoDecimals), "2.68");
    EXPECT_EQ(formatNumber(0.59339, Pattern::UpToThreeDecimals), "0.593");
    EXPECT_EQ(generalNumberText(12.5), "12.5");
    EXPECT_EQ(generalNumberText(1.5e-5), "1.5E-05");
    EXPECT_EQ(Cell(0.25).toText(), "0.25");

    test::TempDir dir;
    DataFile file = readDataFile(dir.write("d.csv", "h,m,s\n1.5,2.5,x\n").string());
    ASSERT_TRUE(file.ok());
    ASSERT_EQ(file.rows.size(), 1u);
    EXPECT_DOUBLE_EQ(file.rows[0].value1, 1.5);
    EXPECT_DOUBLE_EQ(file.rows[0].value2, 2.5);

    dir.write("gauss-g.dat", "n,g\n3,1.25\n");
    store().TableFolder = dir.path().string();
    EXPECT_EQ(Find_Table_Row("gauss-g.dat", 3, 1), std::vector<double>{1.25});

    test::loadValues({1, 1.5, 2});
    Calc_Statistics();
    EXPECT_EQ(store().SD, Cell("0.5"));
}

}  // namespace
}  // namespace sifton
