// Files that can be read more than one way, as statistics tools, scripts and spreadsheets write
// them: each is read as its answers say, or asked about, never guessed; and refusals that
// point at the real fault.
#include <optional>
#include <tuple>

#include "core/input.h"
#include "test_support.h"

namespace sifton {
namespace {

using Q = QuestionAbout;
using C = ReadingChoice;
// A choice with one answer: with(&C::column, 2).
template <class M, class V>
C with(std::optional<M> C::*member, V value) {
    C c;
    c.*member = value;
    return c;
}
const std::string kPandas = ",age,error\n0,41.2,3.1\n1,44.8,3.3\n2,39.1,2.9\n";
const std::string kCommas = "Age\n41,2\n44,8\n47\n";
const std::string kPoints = "S;C\n1.234;1\n987;2\n1.100;3\n";
const std::string kSpot =
    "\xef\xbb\xbfSpot\tAge\tErr\r\n1\t41.2\t3\r\n2\t44.8\t3\r\n3\t39.1\t2\r\n";

TEST(FileReadings, AmbiguousFilesAreAskedAboutAndReadAsAnswered) {
    const C comma = with(&C::decimalMark, ','), point = with(&C::decimalMark, '.');
    const C col1 = with(&C::column, 1), col2 = with(&C::column, 2);
    const struct {
        std::string bytes;
        std::optional<Q> asked;            // the question without an answer; none: read at once
        C answer;                          // then the answer
        std::vector<double> values;        // the values under test it gives
        std::vector<double> seconds = {};  // and the second fields, when they matter
    } cases[] = {
        // R's write.csv: the empty name over the row numbers leaves one column of values.
        {"\"\",\"x\"\n\"1\",41.2\n\"2\",44.8\n\"3\",39.1\n", {}, {}, {41.2, 44.8, 39.1}},
        // pandas with its index: two columns could be the values.
        {kPandas, Q::ValueColumn, col2, {41.2, 44.8, 39.1}, {3.1, 3.3, 2.9}},
        {kPandas, Q::ValueColumn, with(&C::columnName, "error"), {3.1, 3.3, 2.9}},
        {"Grain,Age,Err\n1,41,3\n2,44,3\n3,39,2\n", Q::ValueColumn, col1, {1, 2, 3}, {41, 44, 39}},
        // Grain numbers under any heading, in a tab-delimited export with a byte-order mark.
        {kSpot, Q::ValueColumn, col2, {41.2, 44.8, 39.1}, {3, 3, 2}},
        // A first column named like an index is no index when its values are not 1..n.
        {"Grain,Age,Err\n1,41.2,3\n3,44.8,3\n2,39.1,2\n", {}, {}, {1, 3, 2}},
        // A one-column export with decimal commas, or a value and a second field.
        {kCommas, Q::DecimalMark, comma, {41.2, 44.8, 47}},
        {kCommas, Q::DecimalMark, point, {41, 44, 47}, {2, 8, 0}},
        {"Age\n41,2\n44.5,3\n47,1\n", {}, {}, {41, 44.5, 47}},        // decided by a point
        {"Age\n41,2,a\n44,8\n47,1\n", {}, {}, {41, 44, 47}},          // by a third field
        {"Site,Code,Age\n41,2\n44,8\n47,1\n", {}, {}, {41, 44, 47}},  // by three header texts
        // No header: the first value would be taken as the sample's name.
        {"41.2\n44.8\n39.1\n", Q::Header, with(&C::header, false), {41.2, 44.8, 39.1}},
        {"1995\n44.8\n39.1\n40\n", Q::Header, with(&C::header, true), {44.8, 39.1, 40}},
        // Points in a semicolon file: thousands or a decimal point.
        {kPoints, Q::DecimalMark, comma, {1234, 987, 1100}},
        {kPoints, Q::DecimalMark, point, {1.234, 987, 1.1}},
        {"S;C\n1.234,5;1\n987;2\n12,5;3\n", {}, {}, {1234.5, 987, 12.5}},  // decided by a comma
        {"S;C\n1.234.567;1\n987;2\n5;3\n", {}, {}, {1234567, 987, 5}},     // by many groups
        {"S;C\n1.234;1\n12.5;2\n5;3\n", {}, {}, {1.234, 12.5, 5}},         // by a decimal
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::string path = dir.write("d.csv", c.bytes);
        const DataFile first = readDataFile(path);
        ASSERT_EQ(first.failure, c.asked ? DataFileFailure::Unclear : DataFileFailure::None);
        if (c.asked) {
            ASSERT_TRUE(first.question);
            EXPECT_EQ(first.question->about, *c.asked);
            EXPECT_GE(first.question->options.size(), 2u);
            // The preview takes the likelier reading, which asks no more.
            EXPECT_TRUE(readDataFile(path, {}, true).ok());
        }
        const DataFile file = readDataFile(path, c.answer);
        ASSERT_TRUE(file.ok()) << static_cast<int>(file.failure);
        std::vector<double> values, seconds;
        for (const DataRow& r : file.rows) values.push_back(r.value1), seconds.push_back(r.value2);
        EXPECT_EQ(std::pair(values, c.seconds.empty() ? c.seconds : seconds),
                  std::pair(c.values, c.seconds));
    }
}

TEST(FileReadings, HowAFileWasReadIsKeptAndSaid) {
    test::TempDir dir;
    const std::tuple<std::string, ReadingChoice, std::string> cases[] = {
        {kCommas, with(&C::decimalMark, ','),
         "one field a line, decimal comma, values in column 1, line 1 the header"},
        {kPoints, with(&C::decimalMark, ','),
         "semicolons between fields, decimal comma, points between thousands, values in column 1, "
         "line 1 the header"},
        {kPandas, with(&C::column, 3),
         "commas between fields, decimal point, values in column 3, line 1 the header"},
        {"41.2\t1\n44.8\t1\n39.1\t1\n", with(&C::header, false),
         "tabs between fields, decimal point, values in column 1, no header"},
    };
    for (const auto& [bytes, choice, said] : cases) {
        const Outcome<DataSet> read = Read_Data_File(dir.write("d.csv", bytes), choice);
        ASSERT_TRUE(std::holds_alternative<DataSet>(read)) << bytes;
        EXPECT_EQ(describeReading(std::get<DataSet>(read).reading.value()), said);
    }
}

// The refusal names the first line at fault in file order, characters that do not show are
// written out and named, a missing file is said to be missing.
TEST(FileReadings, RefusalsPointAtTheRealFault) {
    test::TempDir dir;
    const std::tuple<std::string, ReadingChoice, std::string> cases[] = {
        {"h\n41.2\n39.8\xC2\xA0\n", {}, "line 3 holds \"39.8<U+00A0>\" (U+00A0 no-break space"},
        {"h\n41.2\n\uFEFF39.8\n", {}, "line 3 holds \"<U+FEFF>39.8\" (U+FEFF byte-order mark"},
        {"Site,Code\n16.5,1\n12\t3,4\n18,1\n", {}, "line 3 holds \"12<U+0009>3\" (U+0009 tab"},
        {"S;C\n31,5;1\n7;1\n32.5;1\n", {}, "(line 2 and line 4 use different marks)"},
        {"h\n41.2\n\n16abc\n12\t3\n", {}, "line 3 is empty, but more data lines follow it"},
        {",age\n0,41.2\n1,44.8\n2,39.1\n", with(&C::columnName, "ages"),
         "its header names no column \"ages\""},
        {"h,c\n1,2\n3\n4,5\n", with(&C::column, 2),
         "line 3 has no value in field 2, the value column."},
    };
    for (const auto& [bytes, choice, part] : cases) {
        const Outcome<DataSet> read = Read_Data_File(dir.write("d.csv", bytes), choice);
        ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << bytes;
        EXPECT_NE(std::get<Refusal>(read).message.find(part), std::string::npos)
            << std::get<Refusal>(read).message;
    }
    const Outcome<DataSet> missing = Read_Data_File(dir.file("no-such.csv"));
    ASSERT_TRUE(std::holds_alternative<Refusal>(missing));
    EXPECT_NE(std::get<Refusal>(missing).message.find("the file does not exist"),
              std::string::npos);
    EXPECT_EQ(std::get<Refusal>(missing).brief, "no such file");
}

}  // namespace
}  // namespace sifton
