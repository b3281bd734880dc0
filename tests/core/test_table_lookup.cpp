// Find_Table_Row: which record it takes, how fields read, every way it fails, and that the file
// is closed afterwards whatever happened.
#include <filesystem>
#include <string>
#include <vector>

#include "core/store.h"
#include "core/tables.h"
#include "test_support.h"

namespace sifton {
namespace {

using test::CaseName;
using test::operator<<;

class TableLookup : public test::StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        store().TableFolder = m_dir.path().string();
    }
    std::vector<double> lookup(const std::string& table, double n, int k) {
        m_dir.write("grubbs.dat", table);
        return Find_Table_Row("grubbs.dat", n, k);
    }
    test::TempDir m_dir;
};

// ---- Records found -----------------------------------------------------------------------------

struct FoundCase {
    std::string name;
    std::string table;
    double n;
    int k;
    std::vector<double> expected;
};

class TableRecordFound : public TableLookup, public ::testing::WithParamInterface<FoundCase> {};

TEST_P(TableRecordFound, GivesTheValuesOfTheFirstMatch) {
    const FoundCase& c = GetParam();
    EXPECT_EQ(lookup(c.table, c.n, c.k), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableRecordFound,
    ::testing::Values(
        FoundCase{"Simple", "n,a,b\n3,1.5,2\n4,2.5,3\n", 4, 2, {2.5, 3}},
        // The lookup stops at the match: the broken line after it is never read.
        FoundCase{
            "StopsAtMatch", "n,a,b\n3,1,2\n4,3,4\n5,5,6\nthis is, not, a record\n", 5, 2, {5, 6}},
        FoundCase{"FirstDuplicateWins", "n,a\n4,1\n4,2\n", 4, 1, {1}},
        FoundCase{"NumericHeaderSkipped", "4,9\n4,1\n", 4, 1, {1}},
        FoundCase{"UnorderedRecords", "n,a\n9,1\n2,2\n5,3\n", 5, 1, {3}},
        FoundCase{"EmptyFieldIsZero", "n,a,b,c\n4,1,,3\n", 4, 3, {1, 0, 3}},
        FoundCase{"BlanksAroundFields", "n,a,b\n 4 , 1.5 ,\t2\n", 4, 2, {1.5, 2}},
        FoundCase{"NWithDecimals", "n,a\n7.0,1\n", 7, 1, {1}},
        FoundCase{"ExponentField", "n,a\n3,1.5e-1\n", 3, 1, {0.15}},
        FoundCase{"CrLineEnds", "n,a\r3,1\r4,2\r", 4, 1, {2}},
        FoundCase{"CrLfLineEnds", "n,a\r\n3,1\r\n4,2", 4, 1, {2}}),
    CaseName{});

TEST_F(TableLookup, LeavesTheMatchingNInLineBuffer) {
    lookup("n,a\n3,1\n7.0,2\n8,3\n", 7, 1);
    EXPECT_EQ(store().LineBuffer, "7.0");
}

TEST_F(TableLookup, AChangedFileTakesEffectAtTheNextLookup) {
    EXPECT_EQ(lookup("n,a\n3,1\n", 3, 1), std::vector<double>{1});
    std::filesystem::remove(m_dir.path() / "grubbs.dat");
    EXPECT_EQ(lookup("n,a\n3,2\n", 3, 1), std::vector<double>{2});
}

// ---- Failures ----------------------------------------------------------------------------------

struct FailureCase {
    std::string name;
    std::string table;  // "<missing>" for no file at all
    double n;
    int k;
};

class TableLookupFailure : public TableLookup, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(TableLookupFailure, ThrowsNamingTheFileAndClosesIt) {
    const FailureCase& c = GetParam();
    if (c.table == "<folder>")
        std::filesystem::create_directory(m_dir.path() / "grubbs.dat");
    else if (c.table != "<missing>")
        m_dir.write("grubbs.dat", c.table);

    const int filesBefore = test::openFileCount();
    for (int attempt = 0; attempt < 3; ++attempt) {
        try {
            Find_Table_Row("grubbs.dat", c.n, c.k);
            ADD_FAILURE() << "no TableLookupError";
        } catch (const TableLookupError& e) {
            EXPECT_EQ(e.fileName(), "grubbs.dat");
            EXPECT_NE(std::string(e.what()).find("grubbs.dat"), std::string::npos) << e.what();
        }
    }
    if (filesBefore >= 0) {
        EXPECT_EQ(test::openFileCount(), filesBefore);
    }

    // Nothing holds the file: it can be replaced and is read afresh.
    std::filesystem::remove_all(m_dir.path() / "grubbs.dat");
    std::string good = "n";
    for (int i = 0; i < c.k; ++i) good += ",c";
    good += "\n" + std::to_string(static_cast<int>(c.n));
    for (int i = 1; i <= c.k; ++i) good += "," + std::to_string(i);
    m_dir.write("grubbs.dat", good + "\n");
    std::vector<double> values = Find_Table_Row("grubbs.dat", c.n, c.k);
    ASSERT_EQ(values.size(), static_cast<size_t>(c.k));
    EXPECT_EQ(values.back(), c.k);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableLookupFailure,
    ::testing::Values(FailureCase{"MissingFile", "<missing>", 5, 5},
                      FailureCase{"Folder", "<folder>", 5, 5}, FailureCase{"EmptyFile", "", 5, 5},
                      FailureCase{"HeaderOnly", "n,a,b,c,d,e\n", 5, 5},
                      FailureCase{"NoRecordForN", "n,a\n3,1\n4,2\n6,3\n", 5, 1},
                      FailureCase{"ShortRecord", "n,a,b\n3,1,2\n4,1\n5,1,2\n", 5, 2},
                      FailureCase{"LongRecord", "n,a,b\n4,1,2,3\n5,1,2\n", 5, 2},
                      FailureCase{"BlankLine", "n,a\n3,1\n\n5,2\n", 5, 1},
                      FailureCase{"NonNumericField", "n,a\n3,x1\n5,2\n", 5, 1},
                      FailureCase{"NonNumericN", "n,a\nfive,1\n5,2\n", 5, 1},
                      FailureCase{"NanField", "n,a\n5,nan\n", 5, 1},
                      FailureCase{"InfField", "n,a\n5,inf\n", 5, 1},
                      FailureCase{"OverflowField", "n,a\n5,1e999\n", 5, 1}),
    CaseName{});

TEST_F(TableLookup, SuccessfulLookupsLeaveNoFileOpen) {
    m_dir.write("grubbs.dat", "n,a\n3,1\n4,2\n");
    const int filesBefore = test::openFileCount();
    if (filesBefore < 0) GTEST_SKIP() << "no /proc/self/fd";
    for (int i = 0; i < 50; ++i) Find_Table_Row("grubbs.dat", 4, 1);
    EXPECT_EQ(test::openFileCount(), filesBefore);
}

}  // namespace
}  // namespace sifton
