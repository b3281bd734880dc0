// The data-file reader on files as spreadsheets and instruments write them: each loads with
// exactly its values or is refused naming the line and the text.
#include <sstream>
#include <streambuf>
#include <tuple>
#include <variant>

#include "core/input.h"
#include "test_support.h"

namespace sifton {
namespace {

using DF = DataFileFailure;

std::string utf16(const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

std::string lines(int count, const std::string& tail = "") {
    std::string text = "Site,Code,Age\r\n";
    for (int i = 1; i <= count; ++i) text += std::to_string(i) + "\r\n";
    return text + tail;
}

struct Export {
    const char* name;
    std::string bytes;
    std::vector<double> values;  // expected values under test, when it loads
    DF failure = DF::None;       // expected refusal, when it does not
    int line = 0;                // the line the refusal names
    std::string text = "";       // the offending text the message quotes
};

class DataFileReader : public ::testing::Test {
  protected:
    test::TempDir m_dir;
};

std::vector<double> valuesOf(const DataFile& file) {
    std::vector<double> values;
    for (const DataRow& row : file.rows) values.push_back(row.value1);
    return values;
}

TEST_F(DataFileReader, RealExportsLoadTheirValuesOrAreRefusedNamingTheLine) {
    const Export cases[] = {
        {"CommaCrLf", "Site,Code,Age\r\n12.4,1.1,a\r\n15.1\r\n-1.5E1,4,b\r\n", {12.4, 15.1, -15}},
        {"TabAfterSomeValues", "N,C,A\n41.2\t,3.1\n44.8,3.4,g\n39.1\t\n", {41.2, 44.8, 39.1}},
        {"TrailingBlankAndSeparatorLines", "h,c,a\n1,1\n2\n3\n\n,,,\n , \r\n", {1, 2, 3}},
        {"QuotedFields", "\"A, B\",c\n\"31.5\",\"2.5\",\"x, y\"\n \"32\" ,1\n", {31.5, 32}},
        {"QuotedNoteOverTwoLines", "h\n1,2,\"one\ntwo\"\n3\n", {1, 3}},
        {"SemicolonNoteInCommaFile", "h,c,a\n31.5,2,grain; cracked\n30\n", {31.5, 30}},
        {"SemicolonDecimalComma", "S;C;A\r\n31,5;2,5;x\r\n32,1;1\r\n30;2\r\n", {31.5, 32.1, 30}},
        {"SemicolonHeaderOneColumn", "Site;Code;Age\n31,5\n32\n", {31.5, 32}},
        {"TabDecimalComma", "S\tC\tA\n31,5\t2,5\n1,25E1\n", {31.5, 12.5}},
        {"TabDecimalCommaNoHeaderFields", "Sample\n31,5\t2,5\n", {31.5}},
        {"Utf16LeUnicodeText", utf16("Site\tC\tA\r\n31.5\t1\r\n32\r\n", false), {31.5, 32}},
        {"Utf16Be", utf16("Site,C,A\n7\n8\n", true), {7, 8}},
        {"TiniestAndLargest", "h\n-1E-100\n1e100\n0.0\n", {-1e-100, 1e100, 0}},
        {"OddSecondFieldsTakePartInNothing", "h\n5,-1e999\n6,NaN,\"\n\"\n7,\"\"\n", {5, 6, 7}},
        // Refused.
        {"UnitsRow", "Age,Err,Note\nMa,±1σ,note\n31.5\n", {}, DF::NotNumber, 2, "Ma"},
        {"TextWithUnit", "h\n1\n12.4 Ma\n", {}, DF::NotNumber, 3, "12.4 Ma"},
        {"NaN", "h\n1\nNaN\n", {}, DF::NotNumber, 3, "NaN"},
        {"DecimalCommaInCommaFile", "h\n\"31,5\",1\n", {}, DF::DecimalComma, 2, "31,5"},
        {"EmptyFirstField", "h\n1\n,3,note\n", {}, DF::EmptyValue, 3},
        {"SeparatorLineInside", "h\n1\n,,,\n2\n", {}, DF::BlankLine, 3},
        {"UnderflowsToZero", "h\n1\n1e-999\n", {}, DF::ValueOutOfRange, 3, "1e-999"},
        {"BelowSmallest", "h\n1e-101\n", {}, DF::ValueOutOfRange, 2, "1e-101"},
        {"Overflows", "h\n1\n2,1\n1e999\n", {}, DF::NotFiniteValue, 4, "1e999"},
        {"MixedMarksAfterOtherFaults", "S;C\n31,5;1\n\n16abc\n32.5;1\n", {}, DF::BlankLine, 3},
        {"Ambiguous", "a;b,c\n31,5\n", {}, DF::AmbiguousDialect, 0},
        {"UnclosedQuote", "h\n1\n\"2\n3\n", {}, DF::UnclosedQuote, 3},
        {"Utf16WithoutBom", utf16("h\n1\n", false).substr(2), {}, DF::NotText, 1},
        {"ControlCharacter", "h\n1\n2\x01\n", {}, DF::NotText, 3},
        {"HeaderOnly", "h,c,a\r\n\r\n,,\r\n", {}, DF::NoData, 0},
        {"ThreeHundredOne", lines(301, "\r\n\r\n"), {}, DF::TooManyRows, 302},
    };
    for (const Export& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = m_dir.write("d.csv", c.bytes);
        const DataFile file = readDataFile(path);
        EXPECT_EQ(std::tuple(file.failure, file.failedLine, file.failedText, valuesOf(file)),
                  std::tuple(c.values.empty() ? c.failure : DF::None, c.values.empty() ? c.line : 0,
                             c.text, c.values));
        if (file.ok()) continue;
        const std::string message = dataFileFailureMessage(path, file);
        // The file, then the line (but for too many rows) and the text at fault.
        const bool noLine = c.line == 0 || c.failure == DF::TooManyRows;
        const std::string line = noLine ? "" : "line " + std::to_string(c.line);
        const std::string text = c.text.empty() ? "" : "\"" + c.text + "\"";
        EXPECT_TRUE(
            message.starts_with("Error occurred while trying to load file: " + path + " , ") &&
            message.find(line) != message.npos && message.find(text) != message.npos)
            << message;
    }
    EXPECT_TRUE(readDataFile(m_dir.write("d.csv", lines(300, "\r\n\r\n"))).ok());
}

TEST_F(DataFileReader, HeaderAndNotesLoseQuotesBomsAndTrailingSeparators) {
    const std::tuple<std::string, std::string, std::string, std::string, std::string> cases[] = {
        {"\"Riverbend, site 2\",\"RB \"\"12\"\"\",Miocene,,\n5,1,\"x, y\",,\n", "Riverbend, site 2",
         "RB \"12\"", "Miocene", "x, y"},
        {"A,B,C,D\n5,1,x,y\n", "A", "B", "C,D", "x,y"},
        {"Only one field\n5\n", "Only one field", "", "", ""},
        {"\xEF\xBB\xBFPécs,M,Age\n5\n", "Pécs", "M", "Age", ""},  // UTF-8 with BOM
        {"P\351cs,\200,Age\n5\n", "Pécs", "€", "Age", ""},        // Windows-1252
        {"P\xC3,x,y\n5\n", "PÃ", "x", "y", ""},                   // cut UTF-8: Windows-1252
        {std::string(1200, 'x') + "\n5\n", std::string(998, 'x'), "", "", ""},
    };
    for (const auto& [bytes, locality, localityM, stratAge, note] : cases) {
        const DataFile file = readDataFile(m_dir.write("d.csv", bytes));
        ASSERT_EQ(file.rows.size(), 1u) << bytes;
        EXPECT_EQ(std::tuple(file.locality, file.localityM, file.stratAge, file.rows[0].rest),
                  std::tuple(locality, localityM, stratAge, note));
    }
}

// Fails with an I/O error after the first bytes, as a failing USB stick does.
struct FailingBuffer : std::streambuf {
    std::string bytes = "h,c,a\n1\n2\n3";
    int_type underflow() override {
        if (gptr()) throw std::ios_base::failure("read error");
        setg(bytes.data(), bytes.data(), bytes.data() + bytes.size());
        return traits_type::to_int_type(bytes[0]);
    }
};

TEST_F(DataFileReader, AReadErrorPartWayIsARefusalNotACrash) {
    FailingBuffer buffer;
    std::istream in(&buffer);
    const DataFile file = readDataFile(in);
    EXPECT_EQ(std::tuple(file.failure, file.failedLine, valuesOf(file).empty()),
              std::tuple(DF::ReadError, 0, true));
}

// Three or more rows are the data set, named as given; a refusal, titled with the program's name,
// is a warning naming the file as shown or, for one or two rows, the question about them.
TEST_F(DataFileReader, ReadDataFileGivesTheDataSetOrOneRefusal) {
    const std::string sound = "L,M,A\n1.5,2,x\n2\n3,1,y,z\n", path = m_dir.write("d.csv", sound);
    std::istringstream stream(sound), refusedStream("L,M,A\n1\nMa\n");
    for (const auto& [read, name] :
         {std::pair(Read_Data_File(path), path),
          std::pair(Read_Data_File(stream, "-", "stdin"), std::string("-"))}) {
        ASSERT_TRUE(std::holds_alternative<DataSet>(read)) << name;
        const DataSet& d = std::get<DataSet>(read);
        ASSERT_EQ(d.rows.size(), 3u);
        EXPECT_EQ(std::tuple(d.DataFileName, d.Locality, d.LocalityM, d.StratAge, d.rows[0].value1,
                             d.rows[0].value2, d.rows[2].rest),
                  std::tuple(name, "L", "M", "A", 1.5, 2.0, "y,z"));
    }
    const std::string oneOrTwo = "What can I test with one or two data?";
    const std::string loading = "Error occurred while trying to load file: ";
    const std::tuple<Outcome<DataSet>, std::string, std::string> cases[] = {
        {Read_Data_File(""), "Sifton", loading + " , "},  // a cancelled dialog
        {Read_Data_File(m_dir.write("two.csv", "X,Y,Z\n1\n2,5,note\n\n")), "Sifton", oneOrTwo},
        {Read_Data_File(refusedStream, "-", "stdin"), "Sifton", loading + "stdin , "},
    };
    for (const auto& [read, title, message] : cases) {
        ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << message;
        const Refusal& refusal = std::get<Refusal>(read);
        EXPECT_EQ(refusal.title, title) << message;
        EXPECT_EQ(refusal.message.substr(0, message.size()), message);
    }
}

}  // namespace
}  // namespace sifton
