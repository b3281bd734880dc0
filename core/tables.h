// Lookup of critical values in the plain-text table files beside the executable
// (grubbs.dat, dixon.dat, gauss-g.dat).
//
// A table file has a header line, then one record per line: n and its critical values,
// separated by commas; blanks around a field are ignored and an empty field reads as 0. The
// lookup reads from the top at every call (a changed file takes effect at the next run) and
// takes the first record whose n matches. It closes the file before it returns or throws.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace sifton {

// Upper bound of a table file's size; the shipped files hold a few kilobytes.
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

// The k critical values of the first record for n in the table file 'fileName' of the store's
// TableFolder. Records are read as LineBuffer work space, as the rest of the program expects.
std::vector<double> Find_Table_Row(const std::string& fileName, double n, int k);

}  // namespace sifton
