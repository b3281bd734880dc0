// Reading a whole file with a bound on its size, and quoting a piece of a file in a message:
// what the data-file reader and the table files share.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace sifton {

enum class ReadStatus { Ok, TooLarge, ReadError };

struct BoundedRead {
    std::string bytes;  // everything read; complete only when status is Ok
    ReadStatus status = ReadStatus::Ok;
};

// Reads the stream to its end, giving up once more than maxBytes came. A stream that fails
// part-way, or whose buffer throws, gives ReadError.
BoundedRead readAtMost(std::istream& in, std::size_t maxBytes);

// The first 'count' characters of a UTF-8 text.
std::string cutToCharacters(const std::string& utf8, std::size_t count);

// A piece of a file as a message quotes it, in double quotes: control characters (a NUL above
// all would cut the message short or hide in it) become 'control', and a text longer than
// maxCharacters is cut and ends in "...".
std::string quotedText(std::string_view text, char control,
                       std::size_t maxCharacters = std::string_view::npos);

}  // namespace sifton
