// Table lookups: which record is taken, how fields read, every way a lookup fails (what it
// refuses to open included), the file closed afterwards whatever happened; when a file is re-read.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <memory>
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

class TableLookup : public test::WithTables {  // tables kept as the results window keeps them
  protected:
    // The record's n field as the file writes it and its k values, or the error's file and text.
    std::string lookUp(double n, int k) {
        try {
            const std::shared_ptr<const TableFile> table = m_tables.table("grubbs.dat");
            std::string values;
            for (double v : table->row(n, k)) values += " " + testing::PrintToString(v);
            return table->nField(n, k) + ":" + values;
        } catch (const TableLookupError& e) {
            return e.fileName() + ": " + e.what();
        }
    }
};

// The table, n, k and the record found, or why not ("is ..." or "has ...", after the file's name;
// "<...>" for no file, a folder, a pipe and a device). Each case writes the file afresh, so a
// lookup must not remember an earlier reading, and the file is closed whatever happened.
TEST_F(TableLookup, TakesTheFirstRecordForNOrSaysWhyNotAndClosesTheFile) {
    const std::string large = "n,a,b\n5,1,2\n" + std::string(kMaxTableFileBytes - 11, ' ');
    const std::string line2 = "has on line 2 ";
    const std::tuple<std::string, double, int, std::string> cases[] = {
        {"n,a,b\n3,1.5,2\n4,2.5,3\n", 4, 2, "4: 2.5 3"},
        {"n,a,b\n3,1,2\n5,5,6\nthis is, not, a record\n", 5, 2, "5: 5 6"},  // stops at the match
        {"n,a\n4,1\n4,2\n", 4, 1, "4: 1"},                                  // first duplicate wins
        {"4,9\n4,1\n", 4, 1, "4: 1"},             // numeric header skipped
        {"n,a,b,c\n4,1,,3\n", 4, 3, "4: 1 0 3"},  // empty field is 0
        {"n,a,b\n 4 , 1.5 ,\t2\n", 4, 2, "4: 1.5 2"},
        {"n,a\n7.0,1\n", 7, 1, "7.0: 1"},
        {"n,a\n4,1\n" + std::string(kMaxTableFileBytes - 8, ' '), 4, 1, "4: 1"},  // largest taken
        {"<none>", 5, 2, "is missing"},
        {"<folder>", 5, 2, "is not a plain file"},
        {"<pipe>", 5, 2, "is not a plain file"},
        {"<link to /dev/zero>", 5, 2, "is not a plain file"},
        {large, 5, 2, "is larger than 1024 KB"},
        {"", 5, 2, "is empty"},
        {"n,a,b\n3,1,2\n4,1,2\n6,1,2", 5, 2, "has no record for n = 5."},
        {"n,a,b\r\n4,1,2\r\n", 5, 2, "has no record for n = 5."},  // CR LF ends one line
        {"n,a,b\n4,1\n5,1,2", 5, 2, line2 + "2 fields"},
        {"n,a,b\n\n5,1,2", 5, 2, line2 + "1 fields"},
        {"n,a,b\n3,x1,2\n5,1,2", 5, 2, line2 + "the field \"x1\""},
        {"n,a,b\nfive,1,2\n5,1,2", 5, 2, line2 + "the field \"five\""},
        {"n,a,b\n5,nan,2", 5, 2, line2 + "the field \"nan\", which is not a number."},
        {"n,a,b\n5,1e999,2", 5, 2, line2 + "the field \"1e999\", which is too large."}};
    const int filesBefore = openFileCount();
    for (const auto& [table, n, k, expected] : cases) {
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
        const std::string found = lookUp(n, k);
        alarm(0);
        const bool failed = expected.starts_with("is ") || expected.starts_with("has ");
        const std::string want =
            failed ? "grubbs.dat: The table file " + file.string() + " " + expected : expected;
        EXPECT_EQ(failed ? found.substr(0, want.size()) : found, want);
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
