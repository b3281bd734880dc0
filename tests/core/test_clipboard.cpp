// Numbers pasted from the clipboard: how the text is cut into cells, which cells are refused and
// with which message, and the data set a paste gives.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <variant>
#include <vector>

#include "core/input.h"

namespace sifton {
namespace {

using PF = PasteFailure;

std::vector<double> valuesOf(const DataSet& d) {
    std::vector<double> values;
    for (const DataRow& row : d.rows) values.push_back(row.value1);
    return values;
}

TEST(ClipboardParse, RowsEndInAnyWayAndTrailingBlanksAreNoCells) {
    for (const char* text : {"5\r\n6\r\n7\r\n", "5\n6\n7\n", "5\r6\r7\r", "5\r\n6\r\n7",
                             "5\n6\n7\n  ", " 5 \t 6\t7 ", "5\r\n6\r\n7\r\n\r\n", "5\t6\t7\t\t\n"})
        EXPECT_EQ(parseClipboardText(text).values, (std::vector<double>{5, 6, 7})) << text;
    EXPECT_EQ(parseClipboardText("5\t6\r\n7\t1.5E2").values, (std::vector<double>{5, 6, 7, 150}));
    std::string full;  // 300 values
    for (int i = 1; i <= kMaxRows; ++i) full += std::to_string(i) + "\r\n";
    EXPECT_EQ(parseClipboardText(full).values.size(), 300u);
}

// A refusal is the failure's message under the program's title, then the first cell at fault by
// its row and column in the selection, with what does not show written out.
TEST(PastedDataSet, EachRefusalHasItsMessageAndNamesTheCell) {
    std::string tooMany;
    for (int i = 1; i <= kMaxRows + 1; ++i) tooMany += std::to_string(i) + "\r\n";
    const std::string notNumeric =
        "One or more of the values are not numeric! The copied data are not pasted in this "
        "program. Check the selection, please.";
    const std::string tooLarge = "One or more of the values are too large to be used as numbers";
    const std::string range = "One or more of the values are too large or too small to compute";
    const std::tuple<std::string, PF, std::string, std::string> cases[] = {
        {"", PF::NoText, "There are no numbers on the clipboard.", ""},
        {" \r\n\t ", PF::OnlyBlanks, "There are no numbers on the clipboard: it holds only", ""},
        {"5\t6", PF::OneOrTwo, "What can I test with one or two data?", ""},
        {tooMany, PF::TooMany, "There are more than 300 values on the clipboard", ""},
        {"5\t\t6\t7", PF::NotNumeric, notNumeric, "\n\nRow 1, column 2 is empty."},
        {"5\r\n\r\n6\r\n7", PF::NotNumeric, notNumeric, "\n\nRow 2, column 1 is empty."},
        {"5 6 7", PF::NotNumeric, notNumeric, "\n\nRow 1, column 1 holds \"5 6 7\"."},
        {"Age\tError\r\n41\t3\r\n44\t2", PF::NotNumeric, notNumeric,
         "\n\nRow 1, column 1 holds \"Age\"."},
        {"1\tnan\tinf\t", PF::NotNumeric, notNumeric, "\n\nRow 1, column 2 holds \"nan\"."},
        {"5\t6\r\n39.8\xc2\xa0\t7", PF::NotNumeric, notNumeric,
         "\n\nRow 2, column 1 holds \"39.8<U+00A0>\" (U+00A0 no-break space, which does not "
         "show)."},
        {"41.2\t44\r\n44,8\t39", PF::MixedDecimalMarks,
         "The values use both a point and a comma as decimal mark.",
         "\n\nRow 1, column 1 holds \"41.2\", with a decimal point; row 2, column 1 holds "
         "\"44,8\", with a decimal comma."},
        {"9\t1E+999\t7\t", PF::NotFinite, tooLarge, "\n\nRow 1, column 2 holds \"1E+999\"."},
        {"5\t1e-101\t7", PF::OutOfRange, range, "\n\nRow 1, column 2 holds \"1e-101\"."},
        // Not 0: no value the clipboard does not hold.
        {"5\t1e-999\t7", PF::OutOfRange, range, "\n\nRow 1, column 2 holds \"1e-999\"."},
    };
    for (const auto& [text, failure, head, cell] : cases) {
        SCOPED_TRACE(text.substr(0, 30));
        EXPECT_EQ(parseClipboardText(text).failure, failure);
        const Outcome<DataSet> pasted = pastedDataSet(text);
        ASSERT_TRUE(std::holds_alternative<Refusal>(pasted));
        const Refusal& refusal = std::get<Refusal>(pasted);
        const std::size_t cut = std::min(refusal.message.find("\n\n"), refusal.message.size());
        EXPECT_EQ(std::tuple(refusal.title, refusal.message.starts_with(head),
                             refusal.message.substr(cut)),
                  std::tuple("Sifton", true, cell))
            << refusal.message;
    }
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
        {"1.234.567\t2\t3", {}, {}, {1234567, 2, 3}},            // two groups: no decimal mark
        {"0.123\t0.456\t0.789", {}, {}, {0.123, 0.456, 0.789}},  // no thousands begin with 0
        {"1,234\r\n987\r\n1,100", Q::DecimalMark, comma, {1.234, 987, 1.1}},
        {"1,234\r\n987\r\n1,100", Q::DecimalMark, point, {1234, 987, 1100}},
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
            // The answer is among the options, and the preview takes one of them.
            bool offered = false;
            for (const ReadingOption& o : first.question->options)
                offered = offered || o.choice == c.answer;
            EXPECT_TRUE(offered && parseClipboardText(c.text, {}, true).ok());
        }
        const Outcome<DataSet> pasted = pastedDataSet(c.text, c.answer);
        ASSERT_TRUE(std::holds_alternative<DataSet>(pasted));
        const DataSet& d = std::get<DataSet>(pasted);
        EXPECT_EQ(std::pair(valuesOf(d), d.Locality), std::pair(c.values, c.name.value_or("")));
    }
    // A paste is a data set of its own: nothing of the one loaded before (its name, header
    // texts, second fields or notes) goes with it.
    const DataSet d = std::get<DataSet>(pastedDataSet("5\t6\r\n7\t8.5\r\n"));
    std::string rest = d.Locality + d.LocalityM + d.StratAge;
    double seconds = 0;
    for (const DataRow& row : d.rows) rest += row.rest, seconds += row.value2;
    EXPECT_EQ(std::tuple(d.DataFileName, rest, seconds, valuesOf(d)),
              std::tuple("From Clipboard", "", 0.0, std::vector<double>{5, 6, 7, 8.5}));
}

}  // namespace
}  // namespace sifton
