// Numbers pasted from the clipboard: how the text is cut into cells, which cells are refused,
// the messages, and the data set a paste gives.
#include <gtest/gtest.h>

#include <tuple>
#include <variant>
#include <vector>

#include "core/input.h"

namespace sifton {
namespace {

using PF = PasteFailure;

TEST(ClipboardParse, CellsAndVerdict) {
    // Rows by CR LF, LF or CR, a last value without a separator, blanks around cells, and a
    // copied column's last line end with an empty line after it.
    for (const char* text : {"5\r\n6\r\n7\r\n", "5\n6\n7\n", "5\r6\r7\r", "5\r\n6\r\n7",
                             "5\n6\n7\n  ", " 5 \t 6\t7 ", "5\r\n6\r\n7\r\n\r\n", "5\t6\t7\t\t\n"})
        EXPECT_EQ(parseClipboardText(text).values, (std::vector<double>{5, 6, 7})) << text;
    const std::pair<const char*, PF> refusals[] = {
        {"5\t\t6\t7", PF::NotNumeric},  // an empty cell between values
        {"5\r\n\r\n6\r\n7", PF::NotNumeric},
        {"5 6 7", PF::NotNumeric},
        {"5\t6\t7\tx", PF::NotNumeric},
        {"1\tnan\tinf\t", PF::NotNumeric},
        {"1,5\t2\t3", PF::DecimalComma},
        {"5\t1E+999\t7\t", PF::NotFinite},
        {"5\t1e-101\t7", PF::OutOfRange},
        {"5\t1e-999\t7", PF::OutOfRange},  // not 0: no value the clipboard does not hold
        {"5\t6", PF::OneOrTwo},
        {" \r\n\t ", PF::OnlyBlanks},
        {"", PF::NoText},
    };
    for (const auto& [text, failure] : refusals) {
        EXPECT_EQ(parseClipboardText(text).failure, failure) << text;
        EXPECT_NE(pasteFailureMessage(failure), "") << text;
    }
    EXPECT_EQ(parseClipboardText("5\t6\r\n7\t1.5E2").values, (std::vector<double>{5, 6, 7, 150}));
    std::string full;  // 300 values
    for (int i = 1; i <= kMaxRows; ++i) full += std::to_string(i) + "\r\n";
    EXPECT_EQ(parseClipboardText(full).values.size(), 300u);
    EXPECT_EQ(parseClipboardText(full + "301").failure, PF::TooMany);  // the last, unended
    EXPECT_EQ(pasteFailureMessage(PF::NoText), "There are no numbers on the clipboard.");
    EXPECT_EQ(pasteFailureMessage(PF::OneOrTwo), "What can I test with one or two data?");
    EXPECT_EQ(pasteFailureMessage(PF::NotNumeric),
              "One or more of the values are not numeric! The copied data are not pasted in this "
              "program. Check the selection, please.");
    EXPECT_NE(pasteFailureMessage(PF::DecimalComma).find("decimal point"), std::string::npos);
}

// A refusal has no title and the parse's message; a paste is a data set of its own, so nothing
// of the data set loaded before (its name, its header texts, second fields or notes) goes with it.
TEST(PastedDataSet, RefusalsCarryTheParseMessageAPasteOnlyItsValues) {
    for (const char* clipboard : {"", "9\t8\tx\t7\t", "9\r\n8\r\n", "   ", "9\t1E+999\t7\t"}) {
        const Outcome<DataSet> pasted = pastedDataSet(clipboard);
        ASSERT_TRUE(std::holds_alternative<Refusal>(pasted)) << clipboard;
        const Refusal& refusal = std::get<Refusal>(pasted);
        EXPECT_EQ(
            std::pair(refusal.title, refusal.message),
            std::pair(std::string(), pasteFailureMessage(parseClipboardText(clipboard).failure)))
            << clipboard;
    }
    const Outcome<DataSet> pasted = pastedDataSet("5\t6\r\n7\t8.5\r\n");
    ASSERT_TRUE(std::holds_alternative<DataSet>(pasted));
    const DataSet& d = std::get<DataSet>(pasted);
    EXPECT_EQ(std::tuple(d.DataFileName, d.Locality + d.LocalityM + d.StratAge, d.RowCount()),
              std::tuple("From Clipboard", "", 4));
    std::vector<std::tuple<double, double, std::string>> rows;
    for (const DataRow& row : d.rows) rows.emplace_back(row.value1, row.value2, row.rest);
    EXPECT_EQ(rows, (std::vector<std::tuple<double, double, std::string>>{
                        {5, 0, ""}, {6, 0, ""}, {7, 0, ""}, {8.5, 0, ""}}));
}

}  // namespace
}  // namespace sifton
