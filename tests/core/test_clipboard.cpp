// Numbers pasted from the clipboard: how the text is cut into cells, which cells are refused,
// the messages, and the data set a paste gives.
#include <gtest/gtest.h>

#include <optional>
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
        {"41.2\t44,8\t39", PF::MixedDecimalMarks},
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
}

using C = ReadingChoice;
// A choice with one answer: with(&C::column, 2).
template <class M, class V>
C with(std::optional<M> C::*member, V value) {
    C c;
    c.*member = value;
    return c;
}

// Cells as spreadsheets copy them in other languages and with their header: read as the files
// with the same numbers are, asked where a cell reads two ways.
TEST(ClipboardParse, DecimalMarksAndAHeaderCellAreReadAsFilesAreOrAsked) {
    using Q = QuestionAbout;
    const C comma = with(&C::decimalMark, ','), point = with(&C::decimalMark, '.');
    const C noName = with(&C::nameFromFirstCell, false), name = with(&C::nameFromFirstCell, true);
    const struct {
        const char* text;
        std::optional<Q> asked;
        C answer;
        std::vector<double> values;
        std::optional<std::string> name = std::nullopt;
    } cases[] = {
        {"41,2\r\n44,8\r\n39,1\r\n", {}, {}, {41.2, 44.8, 39.1}},
        {"1,234\t2,5\t3", {}, {}, {1.234, 2.5, 3}},  // 2,5 is no thousands
        {"1,234\t0.5\t3", {}, {}, {1234, 0.5, 3}},   // 0.5 is a decimal point
        {"1.234,5\t2\t3", {}, {}, {1234.5, 2, 3}},   // both marks: the last one decides
        {"1,234.5\t2\t3", {}, {}, {1234.5, 2, 3}},
        {"1.234.567\t2\t3", {}, {}, {1234567, 2, 3}},  // two groups: no decimal mark
        {"1,234,567\t2\t3", {}, {}, {1234567, 2, 3}},
        {"0.123\t0.456\t0.789", {}, {}, {0.123, 0.456, 0.789}},  // no thousands begin with 0
        {"1,234\r\n987\r\n1,100", Q::DecimalMark, comma, {1.234, 987, 1.1}},
        {"1,234\r\n987\r\n1,100", Q::DecimalMark, point, {1234, 987, 1100}},
        {"1.234\r\n987\r\n2.500", Q::DecimalMark, point, {1.234, 987, 2.5}},
        {"1.234\r\n987\r\n2.500", Q::DecimalMark, comma, {1234, 987, 2500}},
        {"Age\r\n41.2\r\n44.8\r\n39.1\r\n", Q::FirstCell, noName, {41.2, 44.8, 39.1}},
        {" Age \t41,2\t44,8\t39,1", Q::FirstCell, name, {41.2, 44.8, 39.1}, "Age"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const PastedValues first = parseClipboardText(c.text);
        ASSERT_EQ(first.failure, c.asked ? PF::Unclear : PF::None);
        if (c.asked) {
            ASSERT_TRUE(first.question);
            EXPECT_EQ(first.question->about, *c.asked);
            // The answer is among the options, and the preview takes the first one.
            bool offered = false;
            for (const ReadingOption& o : first.question->options)
                offered = offered || o.choice == c.answer;
            EXPECT_TRUE(offered);
            EXPECT_TRUE(parseClipboardText(c.text, {}, true).ok());
        }
        const Outcome<DataSet> pasted = pastedDataSet(c.text, c.answer);
        ASSERT_TRUE(std::holds_alternative<DataSet>(pasted));
        const DataSet& d = std::get<DataSet>(pasted);
        std::vector<double> values;
        for (const DataRow& row : d.rows) values.push_back(row.value1);
        EXPECT_EQ(values, c.values);
        EXPECT_EQ(d.Locality, c.name.value_or(""));
    }
}

// A refusal is the parse's message under the program's title, naming the first cell at fault by
// its row and column in the selection, with what does not show written out.
TEST(PastedDataSet, RefusalsNameTheCellAPasteHoldsOnlyItsValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"Age\tError\r\n41\t3\r\n44\t2", "\n\nRow 1, column 1 holds \"Age\"."},
        {"5\r\n6\r\n7x\r\n", "\n\nRow 3, column 1 holds \"7x\"."},
        {"5\t\t6\t7", "\n\nRow 1, column 2 is empty."},
        {"5\t6\r\n39.8\xc2\xa0\t7",
         "\n\nRow 2, column 1 holds \"39.8<U+00A0>\" (U+00A0 no-break space, which does not "
         "show)."},
        {"41.2\t44\r\n44,8\t39",
         "\n\nRow 1, column 1 holds \"41.2\", with a decimal point; row 2, column 1 holds "
         "\"44,8\", with a decimal comma."},
        {"", ""},
        {"9\r\n8\r\n", ""},
        {"   ", ""},
        {"9\t1E+999\t7\t", "\n\nRow 1, column 2 holds \"1E+999\"."},
    };
    for (const auto& [text, cell] : cases) {
        const Outcome<DataSet> pasted = pastedDataSet(text);
        ASSERT_TRUE(std::holds_alternative<Refusal>(pasted)) << text;
        const Refusal& refusal = std::get<Refusal>(pasted);
        EXPECT_EQ(refusal.title, "Sifton");
        const PastedValues parsed = parseClipboardText(text);
        EXPECT_EQ(refusal.message, pasteFailureMessage(parsed));
        EXPECT_EQ(refusal.message, pasteFailureMessage(parsed.failure) + cell);
    }
    // A paste is a data set of its own: nothing of the one loaded before (its name, header
    // texts, second fields or notes) goes with it.
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
