// Numbers pasted from the clipboard: how the text is cut into cells, which cells are refused,
// the messages, and that a refused paste stores nothing.
#include <string>
#include <vector>

#include "core/input.h"
#include "core/store.h"
#include "platform/scripted_platform.h"
#include "test_support.h"

namespace sifton {
namespace {

using test::CaseName;
using test::operator<<;

const std::string kNotNumeric =
    "One or more of the values are not numeric! The copied data are not pasted in this program. "
    "Check the selection, please.";
const std::string kOneOrTwo = "What can I test with one or two data?";
const std::string kNoNumbers = "There are no numbers on the clipboard.";

std::string valuesSeparatedBy(int count, const std::string& separator) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += std::to_string(i) + separator;
    return text;
}

// ---- Cutting and checking ----------------------------------------------------------------------

struct ParseCase {
    std::string name;
    std::string text;
    PasteFailure failure;
    std::vector<double> values;  // what was taken (on success, or before a one-or-two refusal)
};

class ClipboardParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ClipboardParse, CellsAndVerdict) {
    const ParseCase& c = GetParam();
    PastedValues pasted = parseClipboardText(c.text);
    EXPECT_EQ(pasted.failure, c.failure);
    if (c.failure == PasteFailure::None || c.failure == PasteFailure::OneOrTwo) {
        EXPECT_EQ(pasted.values, c.values);
    }
}

using PF = PasteFailure;

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipboardParse,
    ::testing::Values(
        ParseCase{"CrLfRows", "5\r\n6\r\n7\r\n", PF::None, {5, 6, 7}},
        ParseCase{"LfRows", "5\n6\n7\n", PF::None, {5, 6, 7}},
        ParseCase{"CrRows", "5\r6\r7\r", PF::None, {5, 6, 7}},
        ParseCase{"TabCellsRowByRow", "5\t6\t7\r\n8\t9\t10\r\n", PF::None, {5, 6, 7, 8, 9, 10}},
        ParseCase{"LastValueWithoutSeparator", "5\r\n6\r\n7", PF::None, {5, 6, 7}},
        ParseCase{"BlankLastCellIgnored", "5\n6\n7\n  ", PF::None, {5, 6, 7}},
        ParseCase{"BlanksAroundCells", " 5 \t 6\t7 ", PF::None, {5, 6, 7}},
        ParseCase{"ExponentCell", "1.5E2\t1\t2\t", PF::None, {150, 1, 2}},
        ParseCase{"ExponentCellAlone", "1.5E2\t", PF::OneOrTwo, {150}},
        ParseCase{"OneValue", "5\r\n", PF::OneOrTwo, {5}},
        ParseCase{"TwoValues", "5\t6", PF::OneOrTwo, {5, 6}},
        ParseCase{"TwoTabsEmptyCell", "5\t\t6\t7\t", PF::NotNumeric, {}},
        ParseCase{"EmptyRowBetween", "5\r\n\r\n6\r\n7\r\n", PF::NotNumeric, {}},
        ParseCase{"OnlyLineFeeds", "\n\n\n", PF::NotNumeric, {}},
        ParseCase{"SpaceSeparated", "5 6 7", PF::NotNumeric, {}},
        ParseCase{"SpaceSeparatedRow", "5 6 7\r\n", PF::NotNumeric, {}},
        ParseCase{"DecimalComma", "1,5\t2\t3\t", PF::NotNumeric, {}},
        ParseCase{"Letters", "5\tabc\t7\t", PF::NotNumeric, {}},
        ParseCase{"BadLastCell", "5\t6\t7\tx", PF::NotNumeric, {}},
        ParseCase{"Overflow", "5\t1E+999\t7\t", PF::NotFinite, {}},
        ParseCase{"OnlySpaces", "   ", PF::NoValue, {}},
        ParseCase{"EmptyText", "", PF::NoText, {}}),
    CaseName{});

TEST(ClipboardCapacity, ThreeHundredValuesFitThreeHundredOneDoNot) {
    PastedValues full = parseClipboardText(valuesSeparatedBy(300, "\r\n"));
    ASSERT_TRUE(full.ok());
    ASSERT_EQ(full.values.size(), 300u);
    EXPECT_EQ(full.values.back(), 300.0);

    EXPECT_EQ(parseClipboardText(valuesSeparatedBy(301, "\r\n")).failure, PasteFailure::TooMany);
    // The 301st value without a separator after it counts too.
    EXPECT_EQ(parseClipboardText(valuesSeparatedBy(300, "\t") + "301").failure,
              PasteFailure::TooMany);
}

TEST(ClipboardMessages, WordForWordAndSilentWithoutValue) {
    EXPECT_EQ(pasteFailureMessage(PasteFailure::NoText), kNoNumbers);
    EXPECT_EQ(pasteFailureMessage(PasteFailure::NotNumeric), kNotNumeric);
    EXPECT_EQ(pasteFailureMessage(PasteFailure::OneOrTwo), kOneOrTwo);
    EXPECT_EQ(pasteFailureMessage(PasteFailure::NoValue), "");
    EXPECT_NE(pasteFailureMessage(PasteFailure::TooMany).find("300"), std::string::npos);
    EXPECT_NE(pasteFailureMessage(PasteFailure::NotFinite), "");
}

// ---- Paste_Clipboard and the store -------------------------------------------------------------

class PasteTest : public test::StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        // An earlier data set from a file.
        test::loadValues({1, 2, 3, 4});
        SampleStore& s = store();
        s.DataFileName = "earlier.csv";
        s.Locality = "Site";
        for (int i = 1; i <= 4; ++i) {
            s.RawCol1[i] = static_cast<double>(i);
            s.Col2[i] = 10.0 * i;
            s.RawCol3[i] = "r";
        }
    }
    ScriptedPlatform m_platform;
};

TEST_F(PasteTest, GoodPasteStoresValuesOnly) {
    m_platform.clipboard = "5\t6\r\n7\t8.5\r\n";
    ASSERT_TRUE(Paste_Clipboard(m_platform));
    const SampleStore& s = store();
    EXPECT_TRUE(m_platform.messages.empty());
    EXPECT_EQ(s.DataFileName, "From Clipboard");
    EXPECT_EQ(s.LineBuffer, m_platform.clipboard);
    EXPECT_EQ(s.RowCount, 4);
    EXPECT_EQ(s.NData, 4.0);
    EXPECT_EQ(s.Col1[1], Cell(5.0));
    EXPECT_EQ(s.Col1[4], Cell(8.5));
    // The file's raw fields, second column and header are not the paste's business.
    EXPECT_EQ(s.RawCol1[1], Cell(1.0));
    EXPECT_EQ(s.Col2[1], Cell(10.0));
    EXPECT_EQ(s.RawCol3[4], Cell("r"));
    EXPECT_EQ(s.Locality, "Site");
}

struct RefusalCase {
    std::string name;
    std::string clipboard;
    std::string message;  // exact text, "" when the refusal is silent
    bool exactMessage;
};

class PasteRefusal : public PasteTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PasteRefusal, StoresNothing) {
    const RefusalCase& c = GetParam();
    m_platform.clipboard = c.clipboard;
    EXPECT_FALSE(Paste_Clipboard(m_platform));

    if (c.exactMessage && c.message.empty()) {
        EXPECT_TRUE(m_platform.messages.empty());
    } else {
        ASSERT_EQ(m_platform.messages.size(), 1u);
        EXPECT_EQ(m_platform.messages[0].title, "");
        if (c.exactMessage) {
            EXPECT_EQ(m_platform.messages[0].text, c.message);
        }
    }
    const SampleStore& s = store();
    EXPECT_EQ(s.DataFileName, "earlier.csv");
    EXPECT_EQ(s.RowCount, 4);
    EXPECT_EQ(s.NData, 4.0);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(s.Col1[i], Cell(static_cast<double>(i))) << i;
    EXPECT_TRUE(s.Col1[5].isEmpty());
    EXPECT_EQ(s.LineBuffer, c.clipboard);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteRefusal,
    ::testing::Values(RefusalCase{"EmptyClipboard", "", kNoNumbers, true},
                      RefusalCase{"NotNumericAfterGoodValues", "9\t8\tx\t7\t", kNotNumeric, true},
                      RefusalCase{"OneOrTwo", "9\r\n8\r\n", kOneOrTwo, true},
                      RefusalCase{"OnlySpaces", "   ", "", true},
                      RefusalCase{"Overflow", "9\t1E+999\t7\t", "", false},
                      RefusalCase{"MoreThan300", valuesSeparatedBy(301, "\t"), "", false}),
    CaseName{});

}  // namespace
}  // namespace sifton
