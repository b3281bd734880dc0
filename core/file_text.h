// Reading a whole file with a bound on its size, and quoting a piece of a file in a message:
// what the data-file reader and the table files share.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

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

// A piece of a data file as a refusal quotes it, in double quotes, with every character that
// does not show (controls, no-break and zero-width spaces, a byte-order mark...) written as
// <U+00A0>, and the names of those characters: "U+00A0 no-break space". The text is valid UTF-8.
struct VisibleText {
    std::string quoted;
    std::vector<std::string> invisible;  // each character's name once, in order of appearance
    // The quoted text with the names after it, as a message writes it:
    // "39.8<U+00A0>" (U+00A0 no-break space, which does not show).
    std::string described() const;
};
VisibleText visibleText(std::string_view utf8, std::size_t maxCharacters);

}  // namespace sifton
