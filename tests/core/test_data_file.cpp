// The comma-delimited data-file reader: field splitting, header texts and their encodings, line
// ends, the 300-row capacity, and the message and the store after every kind of failure.
#include <tuple>

#include "core/input.h"
#include "platform/scripted_platform.h"
#include "test_support.h"

namespace sifton {
namespace {

// The general warning after "Error occurred while trying to load file: " and the path.
const std::string kGeneralWarning =
    " , please retry or check the file.If the extension of your data file is *.CSV ot *.DAT then "
    "this program expects a COMMA DELIMITED text file.Try to save your data again into a "
    "thre-column text file using the 'comma delimited' option.";

class DataFileReader : public test::StoreTest {
  protected:
    test::TempDir m_dir;
    ScriptedPlatform m_platform;
};

TEST_F(DataFileReader, FieldsOfEveryDataLineGoToTheStore) {
    const std::string b995(995, ' '), b996(996, ' ');
    const std::tuple<std::string, double, double, std::string> cases[] = {
        {"12" + b995 + ",7,x", 12, 7, "x"},   // the comma at position 998 still ends field 1
        {"12" + b995 + "3,7,x", 123, 0, ""},  // at 999: field 1 is 998 characters, no field 2
        {"12" + b995 + " 3,7", 12, 0, ""},    // the character at 999 is dropped
        {"1,7" + b996 + ",x", 1, 7, "x"},     // the same for field 2
        {"1,7" + b996 + "8,x", 1, 78, ""},
        {"12\t3", 123, 0, ""},  // a tab-delimited line
        {"1.5e2,7", 150, 7, ""},
        {"12 , 3 ,x,y", 12, 3, "x,y"},
        {"1,2, a ,b ", 1, 2, " a ,b "},
        {"\"12\",3", 0, 3, ""},
        {"42", 42, 0, ""},
        {"12abc,x", 12, 0, ""},
        {"", 0, 0, ""},  // an empty line is a row of value 0
    };
    std::string text = "Loc,LocM,Age\r\n";
    for (const auto& c : cases) text += std::get<0>(c) + "\r\n";
    ASSERT_TRUE(Read_Data_File(m_dir.write("d.csv", text), m_platform));
    const SampleStore& s = store();
    EXPECT_EQ(std::tuple(s.Locality, s.LocalityM, s.StratAge), std::tuple("Loc", "LocM", "Age"));
    ASSERT_EQ(std::pair(s.RowCount, s.NData), std::pair(13, 13.0));
    for (int i = 1; i <= 13; ++i) {
        const auto& [line, v1, v2, rest] = cases[i - 1];
        EXPECT_EQ(std::tuple(s.RawCol1[i], s.RawCol2[i], s.RawCol3[i], s.Col1[i], s.Col2[i]),
                  std::tuple(Cell(v1), Cell(v2), Cell(rest), Cell(v1), Cell(v2)))
            << i;
    }
}

TEST_F(DataFileReader, HeaderFieldsAndEncodings) {
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"Site,Lab 1,Miocene", "Site", "Lab 1", "Miocene"},
        {"A,B,C,D", "A", "B", "C,D"},
        {"A,B", "A", "B", ""},
        {"Only one field", "Only one field", "", ""},
        {std::string(1200, 'x'), std::string(998, 'x'), "", ""},
        {" A , B , C ", " A ", " B ", " C "},
        {"Pécs,M,Age", "Pécs", "M", "Age"},        // UTF-8
        {"P\351cs,\200,Age", "Pécs", "€", "Age"},  // Windows-1252
    };
    for (const auto& [header, locality, localityM, stratAge] : cases) {
        const auto file = readDataFile(m_dir.write("d.csv", header + "\r\n5\r\n"));
        EXPECT_EQ(std::tuple(file.locality, file.localityM, file.stratAge, file.rows.size()),
                  std::tuple(locality, localityM, stratAge, 1u))
            << header;
    }
}

TEST_F(DataFileReader, LfCrAndCrLfGiveTheSameRows) {
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        const std::string text = "h" + end + "10,1,a" + end + end + "12,2,b" + end;
        // After a final line end nothing more is a line; an empty line after it is a row.
        for (const auto& [bytes, rows] : {std::pair(text, 3u), std::pair(text + end, 4u)}) {
            const auto file = readDataFile(m_dir.write("d.csv", bytes));
            ASSERT_TRUE(file.ok() && file.rows.size() == rows) << rows;
            EXPECT_EQ(
                std::tuple(file.rows[0].value1, file.rows[0].rest, file.rows[1].value1,
                           file.rows[2].value1, file.rows[2].rest, file.rows[rows - 1].value1),
                std::tuple(10.0, "a", 0.0, 12.0, "b", rows == 3 ? 12.0 : 0.0));
        }
    }
    const auto mixed = readDataFile(m_dir.write("d.csv", "h\r\n1\n2\r3\n\r4"));  // \n\r: two ends
    ASSERT_EQ(mixed.rows.size(), 5u);
    EXPECT_EQ(mixed.rows[3].value1 + mixed.rows[4].value1, 4.0);
}

TEST_F(DataFileReader, FailuresWarnAndLeaveTheDataSet) {
    std::string rows300 = "Loc,LocM,Age\r\n";
    for (int i = 1; i <= kMaxRows; ++i) rows300 += std::to_string(i) + "\r\n";
    ASSERT_TRUE(Read_Data_File(m_dir.write("full.csv", rows300), m_platform));
    EXPECT_EQ(std::tuple(store().RowCount, store().NData, store().Col1[300]),
              std::tuple(300, 300.0, Cell(300.0)));

    // Path, RowCount and RawCol1(1) afterwards, the row the message names ("" for the general
    // text). Before any data line the header is cleared and the rest kept; after a bad data line
    // the lines read so far are in, RowCount counts the failed one and the data set is kept.
    const std::string bad = "Loc,LocM,Age\n4,1\n";
    const std::tuple<std::string, int, double, std::string> cases[] = {
        {(m_dir.path() / "missing.csv").string(), 5, 77, ""},
        {m_dir.path().string(), 5, 77, ""},  // a folder
        {m_dir.write("empty.csv", ""), 5, 77, ""},
        {"", 5, 77, ""},  // a cancelled dialog
        {m_dir.write("a.csv", rows300 + "301\r\n"), 301, 1, ""},
        {m_dir.write("b.csv", rows300 + "\r\n"), 301, 1, ""},
        {m_dir.write("c.csv", rows300 + "301"), 301, 1, ""},
        {m_dir.write("d.csv", bad + "1e999,1\n6"), 2, 4, " , data row 2 "},
        {m_dir.write("e.csv", bad + "-1e999\n"), 2, 4, " , data row 2 "},
        {m_dir.write("f.csv", bad + "5,1E+999,x\n"), 2, 4, " , data row 2 "},
    };
    for (const auto& [path, rowCount, raw1, row] : cases) {
        SCOPED_TRACE(path);
        test::loadValues({1, 2, 3});  // an earlier data set
        store().Col2[3] = 30.0, store().RowCount = 5, store().RawCol1[1] = 77.0;
        store().Locality = store().LocalityM = store().StratAge = "earlier";
        ScriptedPlatform platform;
        EXPECT_FALSE(Read_Data_File(path, platform));
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].title, "Sifton");
        const std::string& text = platform.messages[0].text;
        // All of the general text; up to the row's number for a row's failure.
        const std::string start = "Error occurred while trying to load file: " + path;
        EXPECT_EQ(row.empty() ? text : text.substr(0, start.size() + row.size()),
                  start + (row.empty() ? kGeneralWarning : row));
        const SampleStore& s = store();
        EXPECT_EQ(s.Locality + s.LocalityM + s.StratAge, rowCount == 5 ? "" : "LocLocMAge");
        EXPECT_EQ(std::tuple(s.RowCount, s.RawCol1[1], s.NData, s.Col1[1], s.Col1[3], s.Col2[3]),
                  std::tuple(rowCount, Cell(raw1), 3.0, Cell(1.0), Cell(3.0), Cell(30.0)));
    }
}

}  // namespace
}  // namespace sifton
