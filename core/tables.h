// The plain-text table files beside the executable: the critical values (grubbs.dat, dixon.dat,
// gauss-g.dat) and the distribution of Dixon's ratio that p-values come from (dixon-p.dat).
//
// A table file has a header line, then one record per line: n and its values, separated by
// commas; blanks around a field are ignored and an empty field reads as 0. A TableFile reads the
// file whole and splits it into records once; a lookup then takes the first record whose n
// matches and fails exactly where a reading from the top would: on a malformed record above it,
// or on a file that could not be read. FolderTables keeps the parsed files of a folder, and when
// asked to, reads a file again once its size or modification time changed, so an edited table
// takes effect at the next calculation run.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace sifton {

// Upper bound of a table file's size; the critical-value files hold a few kilobytes.
inline constexpr std::size_t kMaxTableFileBytes = 1 << 20;

// A lookup failed: the file is missing, unreadable, not a plain file or too large, has no record
// for n, or a record read on the way is malformed. what() tells the user which file and why.
class TableLookupError : public std::runtime_error {
  public:
    TableLookupError(std::string fileName, const std::string& message)
        : std::runtime_error(message), m_fileName(std::move(fileName)) {}
    const std::string& fileName() const { return m_fileName; }

  private:
    std::string m_fileName;
};

class TableFile {
  public:
    // Reads 'fileName' in 'folder'. A file that cannot be taken (missing, not a plain file, too
    // large, unreadable, empty) gives a TableFile whose every lookup fails with that reason.
    static TableFile read(const std::string& folder, const std::string& fileName);

    // The k values after n of the first record for n; throws TableLookupError. The values stay
    // valid as long as this TableFile.
    std::span<const double> row(double n, int k) const;
    // Field 1 of the record that row() found for n, as the file writes it.
    std::string nField(double n, int k) const;

  private:
    struct Record {
        int line = 0;
        std::vector<double> numbers;  // every field, n first, when all are numbers
        std::string nText;            // field 1 as written
        std::size_t fields = 0;
        std::string badField;  // the first field that is not a number, quoted; empty if none
        bool badIsTooLarge = false;
    };
    const Record& find(double n, int k) const;
    TableLookupError fail(const std::string& why) const;

    std::string m_fileName, m_path;
    std::string m_failure;  // why the whole file cannot be used; empty when it can
    std::vector<Record> m_records;
};

// Where a calculation finds its table files, by name.
class TableSource {
  public:
    virtual ~TableSource() = default;
    virtual std::shared_ptr<const TableFile> table(const std::string& fileName) = 0;
};

// The table files of one folder, each read when first asked for. With 'recheck', every request
// looks at the file's size, modification time and inode and reads it again when one changed (the
// window: an edited table counts at the next run). A file modified less than 'settleSeconds'
// before it was read is read again at every request, since a file system's clock may not tell
// two writes that close apart. Without 'recheck' a file once read is kept (a run over many
// files).
class FolderTables : public TableSource {
  public:
    FolderTables(std::string folder, bool recheck, int settleSeconds = 2);
    std::shared_ptr<const TableFile> table(const std::string& fileName) override;
    const std::string& folder() const { return m_folder; }

  private:
    struct Entry {
        std::shared_ptr<const TableFile> file;
        std::vector<long long> stamp;  // size, times and inode when read; empty: read again
    };
    std::string m_folder;
    bool m_recheck;
    int m_settleSeconds;
    std::map<std::string, Entry> m_files;
};

}  // namespace sifton
