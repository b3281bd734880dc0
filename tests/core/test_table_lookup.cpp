// Table lookups: which record is taken, how fields read, every way a lookup fails (what it
// refuses to open included), the file closed afterwards whatever happened; when a file is re-read.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <span>
#include <tuple>
#include <vector>

#include "test_support.h"

namespace sifton {
namespace {

namespace fs = std::filesystem;

// Number of files the process holds open (0 where /proc is not available).
int openFileCount() {
    std::error_code ec;
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd", ec), {}));
}

class TableLookup : public ::testing::Test {
  protected:
    std::vector<double> lookUp(double n, int k) {
        const std::span<const double> row = m_tables.table("grubbs.dat")->row(n, k);
        return {row.begin(), row.end()};
    }
    test::TempDir m_dir;
    FolderTables m_tables{m_dir.path().string(), true};  // kept as the results window keeps them
};

// The table, n, the values and the record's n field as the file writes it; each case writes the
// file afresh, so a lookup must not remember an earlier reading.
TEST_F(TableLookup, TakesTheFirstRecordForNAndClosesTheFile) {
    const std::tuple<std::string, double, std::vector<double>, std::string> cases[] = {
        {"n,a,b\n3,1.5,2\n4,2.5,3\n", 4, {2.5, 3}, "4"},
        {"n,a,b\n3,1,2\n5,5,6\nthis is, not, a record\n", 5, {5, 6}, "5"},  // stops at the match
        {"n,a\n4,1\n4,2\n", 4, {1}, "4"},                                   // first duplicate wins
        {"4,9\n4,1\n", 4, {1}, "4"},               // numeric header skipped
        {"n,a,b,c\n4,1,,3\n", 4, {1, 0, 3}, "4"},  // empty field is 0
        {"n,a,b\n 4 , 1.5 ,\t2\n", 4, {1.5, 2}, "4"},
        {"n,a\n7.0,1\n", 7, {1}, "7.0"},
        {"n,a\n4,1\n" + std::string(kMaxTableFileBytes - 8, ' '), 4, {1}, "4"}};  // largest taken
    const int filesBefore = openFileCount();
    for (const auto& [table, n, expected, nField] : cases) {
        m_dir.write("grubbs.dat", table);
        const int k = static_cast<int>(expected.size());
        EXPECT_EQ(lookUp(n, k), expected) << table;
        EXPECT_EQ(m_tables.table("grubbs.dat")->nField(n, k), nField) << table;
    }
    EXPECT_EQ(openFileCount(), filesBefore);
}

TEST_F(TableLookup, FailuresThrowNamingTheFileAndWhyAndCloseIt) {
    const int filesBefore = openFileCount();
    // Looked up for n = 5 with two values; "<...>" for no file, a folder, a pipe and a device.
    const std::string large = "n,a,b\n5,1,2\n" + std::string(kMaxTableFileBytes - 11, ' ');
    const std::string line2 = "has on line 2 ";
    for (const auto& [table, why] : std::initializer_list<std::pair<std::string, std::string>>{
             {"<none>", "is missing"},
             {"<folder>", "is not a plain file"},
             {"<pipe>", "is not a plain file"},
             {"<link to /dev/zero>", "is not a plain file"},
             {large, "is larger than 1024 KB"},
             {"", "is empty"},
             {"n,a,b\n3,1,2\n4,1,2\n6,1,2", "has no record for n = 5."},
             {"n,a,b\r\n4,1,2\r\n", "has no record for n = 5."},  // CR LF ends one line
             {"n,a,b\n4,1\n5,1,2", line2 + "2 fields"},
             {"n,a,b\n4,1,2,3\n5,1,2", line2 + "4 fields"},
             {"n,a,b\n\n5,1,2", line2 + "1 fields"},
             {"n,a,b\n3,x1,2\n5,1,2", line2 + "the field \"x1\""},
             {"n,a,b\nfive,1,2\n5,1,2", line2 + "the field \"five\""},
             {"n,a,b\n5,nan,2", line2 + "the field \"nan\", which is not a number."},
             {"n,a,b\n5,1e999,2", line2 + "the field \"1e999\", which is too large."}}) {
        SCOPED_TRACE(table.substr(0, 40));
        const fs::path file = m_dir.path() / "grubbs.dat";
        fs::remove_all(file);
        if (table == "<folder>") fs::create_directory(file);
        if (table == "<pipe>") {
            ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
        }
        if (table == "<link to /dev/zero>") fs::create_symlink("/dev/zero", file);
        if (table[0] != '<') m_dir.write("grubbs.dat", table);
        alarm(10);  // a lookup that opened the pipe or read the device would never return
        std::string what = "no TableLookupError";
        try {
            lookUp(5, 2);
        } catch (const TableLookupError& e) {
            what = e.fileName() + ": " + e.what();
        }
        alarm(0);
        EXPECT_EQ(what.find("grubbs.dat: The table file " + file.string() + " " + why), 0u) << what;
        EXPECT_EQ(openFileCount(), filesBefore);
    }
}

// Parsed once and kept while the file stays as it was; read again once it changed, unless the
// tables are kept for a whole run over many files.
TEST_F(TableLookup, FolderTablesReadAFileAgainOnlyWhenItChanged) {
    FolderTables watched(m_dir.path().string(), true, 0), kept(m_dir.path().string(), false);
    m_dir.write("dixon.dat", "n,a\n4,1\n");
    const std::shared_ptr<const TableFile> first = watched.table("dixon.dat");
    EXPECT_EQ(watched.table("dixon.dat"), first);
    EXPECT_EQ(kept.table("dixon.dat")->row(4, 1)[0], 1);
    m_dir.write("dixon.dat", "n,a\n4,22\n");
    EXPECT_EQ(watched.table("dixon.dat")->row(4, 1)[0], 22);
    EXPECT_EQ(kept.table("dixon.dat")->row(4, 1)[0], 1);
    fs::remove(m_dir.path() / "dixon.dat");
    EXPECT_THROW(watched.table("dixon.dat")->row(4, 1), TableLookupError);
}

}  // namespace
}  // namespace sifton
