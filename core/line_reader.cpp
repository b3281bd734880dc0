#include "core/line_reader.h"

namespace sifton {

bool LineReader::atEnd() {
    return m_in.rdbuf() == nullptr || std::istream::traits_type::eq_int_type(
                                          m_in.rdbuf()->sgetc(), std::istream::traits_type::eof());
}

std::string LineReader::readLine() {
    using traits = std::istream::traits_type;
    std::streambuf* buf = m_in.rdbuf();
    std::string line;
    if (buf == nullptr) return line;
    for (;;) {
        int c = buf->sbumpc();
        if (traits::eq_int_type(c, traits::eof()) || c == '\n') break;
        if (c == '\r') {
            if (buf->sgetc() == '\n') buf->sbumpc();
            break;
        }
        if (line.size() < kMaxLineLength) line += static_cast<char>(c);
    }
    return line;
}

}  // namespace sifton
