// Decoding of the bytes of a text file into UTF-8, the program's internal encoding.
//
// A file with a byte-order mark is UTF-8 or UTF-16 (little or big endian) as the mark says.
// Without one, each line is UTF-8 when its bytes are valid UTF-8 and Windows-1252 otherwise (the
// usual encoding of files saved by older Windows spreadsheets), so that a name such as "Pécs"
// reads correctly either way.
#pragma once

#include <string>
#include <string_view>

namespace sifton {

std::u32string decodeLine(std::string_view bytes);
std::string toUtf8(std::u32string_view text);

struct DecodedText {
    std::string utf8;     // the text without its byte-order mark
    int notTextLine = 0;  // 1-based line of the first NUL or control character, 0 when none
};

// Decodes a whole file. A NUL byte or a control character other than tab, CR and LF (binary
// data, or UTF-16 without a byte-order mark) makes it no text file; so does UTF-16 that is cut
// off or holds an unpaired surrogate.
DecodedText decodeFile(std::string_view bytes);

}  // namespace sifton
