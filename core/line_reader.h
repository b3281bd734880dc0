// Sequential reading of text lines, for the table lookup.
//
// A carriage return, a line feed and the pair CR LF each end a line, so files written on
// Windows, Linux and old Macs read alike. The end of the file also ends the last line. Lines are
// cut at kMaxLineLength bytes (the rest of such a line is skipped), so a file that is one huge
// line cannot exhaust memory.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace sifton {

inline constexpr std::size_t kMaxLineLength = 1 << 20;

class LineReader {
  public:
    explicit LineReader(std::istream& in) : m_in(in) {}

    // True when no byte is left to read.
    bool atEnd();
    // The next line without its line end; call only when !atEnd().
    std::string readLine();
    // True when the underlying stream reported a read error (not just the end of the file).
    bool failed() const { return m_failed || m_in.bad(); }

  private:
    std::istream& m_in;
    bool m_failed = false;
};

}  // namespace sifton
