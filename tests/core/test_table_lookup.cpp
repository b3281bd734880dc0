// Find_Table_Row: which record it takes, how fields read, every way it fails, and that the file
// is closed afterwards whatever happened.
#include <filesystem>
#include <iterator>
#include <tuple>

#include "core/tables.h"
#include "test_support.h"

namespace sifton {
namespace {

namespace fs = std::filesystem;

// Number of files the process holds open (0 where /proc is not available).
int openFileCount() {
    std::error_code ec;
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd", ec), {}));
}

class TableLookup : public test::StoreTest {
  protected:
    void SetUp() override { StoreTest::SetUp(), store().TableFolder = m_dir.path().string(); }
    test::TempDir m_dir;
};

// Every case writes the file afresh: a lookup must not remember an earlier reading.
TEST_F(TableLookup, TakesTheFirstRecordForNAndClosesTheFile) {
    const std::tuple<std::string, double, std::vector<double>> cases[] = {
        {"n,a,b\n3,1.5,2\n4,2.5,3\n", 4, {2.5, 3}},
        {"n,a,b\n3,1,2\n5,5,6\nthis is, not, a record\n", 5, {5, 6}},  // stops at the match
        {"n,a\n4,1\n4,2\n", 4, {1}},                                   // first duplicate wins
        {"4,9\n4,1\n", 4, {1}},                                        // numeric header skipped
        {"n,a,b,c\n4,1,,3\n", 4, {1, 0, 3}},                           // empty field is 0
        {"n,a,b\n 4 , 1.5 ,\t2\n", 4, {1.5, 2}},
        {"n,a\n7.0,1\n", 7, {1}},
    };
    const int filesBefore = openFileCount();
    for (const auto& [table, n, expected] : cases) {
        m_dir.write("grubbs.dat", table);
        EXPECT_EQ(Find_Table_Row("grubbs.dat", n, int(expected.size())), expected) << table;
    }
    EXPECT_EQ(openFileCount(), filesBefore);
}

TEST_F(TableLookup, FailuresThrowNamingTheFileAndCloseIt) {
    const int filesBefore = openFileCount();
    // Looked up for n = 5 with two values; "<...>" for no file and for a folder of that name.
    for (const std::string table :
         {"<none>", "<folder>", "", "n,a,b", "n,a,b\n3,1,2\n4,1,2\n6,1,2", "n,a,b\n4,1\n5,1,2",
          "n,a,b\n4,1,2,3\n5,1,2", "n,a,b\n\n5,1,2", "n,a,b\n3,x1,2\n5,1,2",
          "n,a,b\nfive,1,2\n5,1,2", "n,a,b\n5,nan,2", "n,a,b\n5,1,inf", "n,a,b\n5,1e999,2"}) {
        SCOPED_TRACE(table);
        fs::remove_all(m_dir.path() / "grubbs.dat");
        if (table == "<folder>") fs::create_directory(m_dir.path() / "grubbs.dat");
        if (table[0] != '<') m_dir.write("grubbs.dat", table);
        try {
            Find_Table_Row("grubbs.dat", 5, 2);
            ADD_FAILURE() << "no TableLookupError";
        } catch (const TableLookupError& e) {
            EXPECT_NE(std::string(e.what()).find("grubbs.dat"), std::string::npos) << e.what();
        }
        EXPECT_EQ(openFileCount(), filesBefore);
    }
}

}  // namespace
}  // namespace sifton
