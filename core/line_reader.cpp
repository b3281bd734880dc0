#include "core/line_reader.h"

namespace sifton {

// A file buffer reports a read error by throwing from underflow (libstdc++ does); here it ends
// the reading and is remembered, so a failing disk never takes the program down.
bool LineReader::atEnd() {
    using traits = std::istream::traits_type;
    std::streambuf* buf = m_in.rdbuf();
    if (buf == nullptr || m_failed) return true;
    try {
        return traits::eq_int_type(buf->sgetc(), traits::eof());
    } catch (...) {
        m_failed = true;
        return true;
    }
}

std::string LineReader::readLine() {
    using traits = std::istream::traits_type;
    std::streambuf* buf = m_in.rdbuf();
    std::string line;
    if (buf == nullptr || m_failed) return line;
    try {
        for (;;) {
            int c = buf->sbumpc();
            if (traits::eq_int_type(c, traits::eof()) || c == '\n') break;
            if (c == '\r') {
                if (buf->sgetc() == '\n') buf->sbumpc();
                break;
            }
            if (line.size() < kMaxLineLength) line += static_cast<char>(c);
        }
    } catch (...) {
        m_failed = true;
    }
    return line;
}

}  // namespace sifton
