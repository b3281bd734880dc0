// The comma-delimited data-file reader: field splitting, header texts and their encodings, line
// ends, the 300-row capacity, and the message and the store after every kind of failure.
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

const std::string kHeader = "Loc,LocM,Age";

// The warning text, assembled from its parts as the user sees it.
std::string loadFailureText(const std::string& path) {
    return "Error occurred while trying to load file: " + path +
           " , please retry or check the file." +
           "If the extension of your data file is *.CSV ot *.DAT then this program expects a "
           "COMMA DELIMITED text file." +
           "Try to save your data again into a thre-column text file using the 'comma delimited' "
           "option.";
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& end,
                      bool finalEnd = true) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size() || finalEnd) text += end;
    }
    return text;
}

std::string blanks(size_t count) { return std::string(count, ' '); }

class DataFileTest : public test::StoreTest {
  protected:
    // An earlier data set that a failed read must leave in place.
    void loadEarlierDataSet() {
        test::loadValues({1, 2, 3});
        for (int i = 1; i <= 3; ++i) store().Col2[i] = 10.0 * i;
        store().Locality = "earlier";
        store().LocalityM = "earlier";
        store().StratAge = "earlier";
    }
    void expectEarlierDataSetKept() {
        const SampleStore& s = store();
        EXPECT_EQ(s.NData, 3.0);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(s.Col1[i], Cell(static_cast<double>(i)));
            EXPECT_EQ(s.Col2[i], Cell(10.0 * i));
        }
    }

    test::TempDir m_dir;
    ScriptedPlatform m_platform;
};

// ---- Fields of a data line ---------------------------------------------------------------------

struct LineCase {
    std::string name;
    std::string line;
    double value1;
    double value2;
    std::string rest;
};

class DataLineFields : public DataFileTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(DataLineFields, SplitAndConverted) {
    const LineCase& c = GetParam();
    std::string path = m_dir.write("d.csv", joinLines({kHeader, c.line}, "\r\n")).string();
    ASSERT_TRUE(Read_Data_File(path, m_platform));
    const SampleStore& s = store();
    ASSERT_EQ(s.RowCount, 1);
    EXPECT_EQ(s.RawCol1[1], Cell(c.value1));
    EXPECT_EQ(s.RawCol2[1], Cell(c.value2));
    EXPECT_EQ(s.RawCol3[1], Cell(c.rest));
    EXPECT_EQ(s.Col1[1], Cell(c.value1));
    EXPECT_EQ(s.Col2[1], Cell(c.value2));
    EXPECT_TRUE(m_platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataLineFields,
    ::testing::Values(
        // "12", 995 blanks, then the comma at position 998: it still ends field 1.
        LineCase{"CommaAtPosition998", "12" + blanks(995) + ",7,x", 12, 7, "x"},
        // The 3 sits at 998 and the comma at 999: field 1 is 998 characters, field 2 is
        // never collected.
        LineCase{"CommaAtPosition999", "12" + blanks(995) + "3,7,x", 123, 0, ""},
        LineCase{"CharacterAt999Dropped", "12" + blanks(996) + "3,7", 12, 0, ""},
        LineCase{"SecondFieldCommaAt998", "1,7" + blanks(996) + ",x", 1, 7, "x"},
        LineCase{"SecondFieldCommaAt999", "1,7" + blanks(996) + "8,x", 1, 78, ""},
        LineCase{"TabDelimited", "12\t3", 123, 0, ""},
        LineCase{"ExponentNumber", "1.5e2,7", 150, 7, ""},
        LineCase{"SpacesAroundNumbers", "12 , 3 ,x,y", 12, 3, "x,y"},
        LineCase{"RestKeptAsItStands", "1,2, a ,b ", 1, 2, " a ,b "},
        LineCase{"QuotedNumber", "\"12\",3", 0, 3, ""}, LineCase{"NoComma", "42", 42, 0, ""},
        LineCase{"TrailingLetters", "12abc,x", 12, 0, ""},
        LineCase{"TrailingComma", "5,", 5, 0, ""}, LineCase{"EmptyLine", "", 0, 0, ""}),
    CaseName{});

// ---- Header ------------------------------------------------------------------------------------

struct HeaderCase {
    std::string name;
    std::string header;
    std::string locality;
    std::string localityM;
    std::string stratAge;
};

class DataFileHeader : public DataFileTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(DataFileHeader, FieldsGoToTheThreeTexts) {
    const HeaderCase& c = GetParam();
    std::string path = m_dir.write("d.csv", joinLines({c.header, "5"}, "\r\n")).string();
    ASSERT_TRUE(Read_Data_File(path, m_platform));
    EXPECT_EQ(store().Locality, c.locality);
    EXPECT_EQ(store().LocalityM, c.localityM);
    EXPECT_EQ(store().StratAge, c.stratAge);
    EXPECT_EQ(store().RowCount, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFileHeader,
    ::testing::Values(HeaderCase{"ThreeFields", "Site,Lab 1,Miocene", "Site", "Lab 1", "Miocene"},
                      HeaderCase{"RestWithCommas", "A,B,C,D", "A", "B", "C,D"},
                      HeaderCase{"OneComma", "A,B", "A", "B", ""},
                      HeaderCase{"NoComma", "Only one field", "Only one field", "", ""},
                      HeaderCase{"NoCommaCutAt998", std::string(1200, 'x'), std::string(998, 'x'),
                                 "", ""},
                      HeaderCase{"NumbersStayText", "1.50,2e3,x", "1.50", "2e3", "x"},
                      HeaderCase{"BlanksKept", " A , B , C ", " A ", " B ", " C "},
                      HeaderCase{"Utf8",
                                 "P\xC3\xA9"
                                 "cs,M,Age",
                                 "Pécs", "M", "Age"},
                      HeaderCase{"Windows1252",
                                 "P\xE9"
                                 "cs,\x80,Age",
                                 "Pécs", "€", "Age"}),
    CaseName{});

// ---- Line ends ---------------------------------------------------------------------------------

struct LineEndCase {
    std::string name;
    std::string end;
    bool finalEnd;
};

class DataFileLineEnds : public DataFileTest, public ::testing::WithParamInterface<LineEndCase> {};

TEST_P(DataFileLineEnds, GiveTheSameRows) {
    const LineEndCase& c = GetParam();
    std::string text = joinLines({kHeader, "10,1,a", "", "12,2,b", ""}, c.end, c.finalEnd);
    DataFile file = readDataFile(m_dir.write("d.csv", text).string());
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.locality, "Loc");
    EXPECT_EQ(file.stratAge, "Age");
    // Without a final line end the last, empty line is no line at all.
    std::vector<double> expected = {10, 0, 12};
    if (c.finalEnd) expected.push_back(0);
    ASSERT_EQ(file.rows.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(file.rows[i].value1, expected[i]) << i;
    EXPECT_EQ(file.rows[0].rest, "a");
    EXPECT_EQ(file.rows[2].rest, "b");
}

INSTANTIATE_TEST_SUITE_P(Cases, DataFileLineEnds,
                         ::testing::Values(LineEndCase{"CrLf", "\r\n", true},
                                           LineEndCase{"Cr", "\r", true},
                                           LineEndCase{"Lf", "\n", true},
                                           LineEndCase{"CrLfNoFinalEnd", "\r\n", false},
                                           LineEndCase{"CrNoFinalEnd", "\r", false},
                                           LineEndCase{"LfNoFinalEnd", "\n", false}),
                         CaseName{});

TEST_F(DataFileTest, MixedLineEndsInOneFile) {
    DataFile file = readDataFile(m_dir.write("d.csv", "h\r\n1\n2\r3\n\r4").string());
    ASSERT_TRUE(file.ok());
    // "\n\r" is a lone LF then a lone CR: an empty row between 3 and 4.
    std::vector<double> expected = {1, 2, 3, 0, 4};
    ASSERT_EQ(file.rows.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(file.rows[i].value1, expected[i]) << i;
}

// ---- A successful read in the store ------------------------------------------------------------

TEST_F(DataFileTest, SuccessfulReadFillsRowsAndLeavesHigherRowsAlone) {
    loadEarlierDataSet();
    store().Col1[4] = 99.0;
    store().Col1[5] = 98.0;
    std::string path = m_dir.write("d.csv", "S,M,A\r\n4,40,r1\r\n5,50\r\n6\r\n").string();
    ASSERT_TRUE(Read_Data_File(path, m_platform));
    const SampleStore& s = store();
    EXPECT_EQ(s.RowCount, 3);
    EXPECT_EQ(s.NData, 3.0);
    EXPECT_EQ(s.Col1[1], Cell(4.0));
    EXPECT_EQ(s.Col1[3], Cell(6.0));
    EXPECT_EQ(s.Col2[2], Cell(50.0));
    EXPECT_EQ(s.Col2[3], Cell(0.0));
    EXPECT_EQ(s.RawCol3[1], Cell("r1"));
    EXPECT_EQ(s.Col1[4], Cell(99.0));
    EXPECT_EQ(s.Col1[5], Cell(98.0));
    EXPECT_TRUE(m_platform.messages.empty());
}

TEST_F(DataFileTest, HeaderOnlyIsNoFailure) {
    loadEarlierDataSet();
    ASSERT_TRUE(Read_Data_File(m_dir.write("d.csv", "S,M,A\r\n").string(), m_platform));
    EXPECT_EQ(store().RowCount, 0);
    EXPECT_EQ(store().NData, 0.0);
    EXPECT_EQ(store().Locality, "S");
    EXPECT_TRUE(m_platform.messages.empty());
}

// ---- Capacity ----------------------------------------------------------------------------------

std::string fileOfRows(int rows, const std::string& tail) {
    std::string text = kHeader + "\r\n";
    for (int i = 1; i <= rows; ++i) text += std::to_string(i) + "\r\n";
    return text + tail;
}

TEST_F(DataFileTest, ThreeHundredRowsReadCompletely) {
    std::string path = m_dir.write("d.csv", fileOfRows(300, "")).string();
    ASSERT_TRUE(Read_Data_File(path, m_platform));
    EXPECT_EQ(store().RowCount, 300);
    EXPECT_EQ(store().NData, 300.0);
    EXPECT_EQ(store().Col1[300], Cell(300.0));
    EXPECT_TRUE(m_platform.messages.empty());
}

struct OverflowCase {
    std::string name;
    std::string tail;  // what follows 300 data lines, each ended by CR LF
};

class DataFileOverflow : public DataFileTest, public ::testing::WithParamInterface<OverflowCase> {};

TEST_P(DataFileOverflow, RowAfterThe300thFails) {
    loadEarlierDataSet();
    std::string path = m_dir.write("d.csv", fileOfRows(300, GetParam().tail)).string();
    EXPECT_FALSE(Read_Data_File(path, m_platform));
    ASSERT_EQ(m_platform.messages.size(), 1u);
    EXPECT_EQ(m_platform.messages[0].title, "Sifton");
    EXPECT_EQ(m_platform.messages[0].text, loadFailureText(path));
    // Header and rows read so far are in; RowCount counts the failed line; the data set is not.
    EXPECT_EQ(store().Locality, "Loc");
    EXPECT_EQ(store().RowCount, 301);
    EXPECT_EQ(store().RawCol1[300], Cell(300.0));
    expectEarlierDataSetKept();
}

INSTANTIATE_TEST_SUITE_P(Cases, DataFileOverflow,
                         ::testing::Values(OverflowCase{"Value301", "301\r\n"},
                                           OverflowCase{"ExtraEmptyLine", "\r\n"},
                                           OverflowCase{"ValueWithoutLineEnd", "301"}),
                         CaseName{});

TEST_F(DataFileTest, HugeFileStopsAtRow301) {
    DataFile file = readDataFile(m_dir.write("d.csv", fileOfRows(20000, "")).string());
    EXPECT_EQ(file.failure, DataFileFailure::TooManyRows);
    EXPECT_EQ(file.failedRow, 301);
    EXPECT_EQ(file.rows.size(), 300u);
}

// ---- Failures before any data line -------------------------------------------------------------

struct OpenFailureCase {
    std::string name;
    enum { Missing, Folder, EmptyFile, Cancelled } kind;
};

class DataFileOpenFailure : public DataFileTest,
                            public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(DataFileOpenFailure, WarnsClearsHeaderAndKeepsTheRest) {
    const OpenFailureCase& c = GetParam();
    std::string path;
    switch (c.kind) {
        case OpenFailureCase::Missing:
            path = (m_dir.path() / "missing.csv").string();
            break;
        case OpenFailureCase::Folder:
            path = m_dir.path().string();
            break;
        case OpenFailureCase::EmptyFile:
            path = m_dir.write("empty.csv", "").string();
            break;
        case OpenFailureCase::Cancelled:
            break;
    }
    loadEarlierDataSet();
    store().RowCount = 5;  // differs from NData on purpose: it must be left as it is
    store().RawCol1[1] = 77.0;

    EXPECT_FALSE(Read_Data_File(path, m_platform));
    ASSERT_EQ(m_platform.messages.size(), 1u);
    EXPECT_EQ(m_platform.messages[0].title, "Sifton");
    EXPECT_EQ(m_platform.messages[0].text, loadFailureText(path));
    EXPECT_EQ(store().Locality, "");
    EXPECT_EQ(store().LocalityM, "");
    EXPECT_EQ(store().StratAge, "");
    EXPECT_EQ(store().RowCount, 5);
    EXPECT_EQ(store().RawCol1[1], Cell(77.0));
    expectEarlierDataSetKept();
}

INSTANTIATE_TEST_SUITE_P(Cases, DataFileOpenFailure,
                         ::testing::Values(OpenFailureCase{"MissingFile", OpenFailureCase::Missing},
                                           OpenFailureCase{"Folder", OpenFailureCase::Folder},
                                           OpenFailureCase{"EmptyFile", OpenFailureCase::EmptyFile},
                                           OpenFailureCase{"CancelledPath",
                                                           OpenFailureCase::Cancelled}),
                         CaseName{});

TEST_F(DataFileTest, CancelledPathMessageHasTwoBlanksBetweenColonAndComma) {
    Read_Data_File("", m_platform);
    ASSERT_EQ(m_platform.messages.size(), 1u);
    EXPECT_EQ(m_platform.messages[0].text.rfind(
                  "Error occurred while trying to load file:  , please retry or check the "
                  "file.If the extension",
                  0),
              0u);
}

// ---- Values that are not finite ----------------------------------------------------------------

struct NotFiniteCase {
    std::string name;
    std::string badLine;
};

class DataFileNotFinite : public DataFileTest,
                          public ::testing::WithParamInterface<NotFiniteCase> {};

TEST_P(DataFileNotFinite, RefusedNamingTheRow) {
    loadEarlierDataSet();
    std::string path =
        m_dir.write("d.csv", joinLines({kHeader, "4,1", GetParam().badLine, "6"}, "\n")).string();
    EXPECT_FALSE(Read_Data_File(path, m_platform));
    ASSERT_EQ(m_platform.messages.size(), 1u);
    const std::string& text = m_platform.messages[0].text;
    EXPECT_EQ(m_platform.messages[0].title, "Sifton");
    EXPECT_EQ(text.rfind("Error occurred while trying to load file: " + path, 0), 0u);
    EXPECT_NE(text.find("row 2"), std::string::npos) << text;
    EXPECT_EQ(store().Locality, "Loc");
    EXPECT_EQ(store().RowCount, 2);
    EXPECT_EQ(store().RawCol1[1], Cell(4.0));
    expectEarlierDataSetKept();
}

INSTANTIATE_TEST_SUITE_P(Cases, DataFileNotFinite,
                         ::testing::Values(NotFiniteCase{"FirstField", "1e999,1"},
                                           NotFiniteCase{"NegativeFirstField", "-1e999"},
                                           NotFiniteCase{"SecondField", "5,1E+999,x"}),
                         CaseName{});

}  // namespace
}  // namespace sifton
