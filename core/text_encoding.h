// Decoding of the bytes of a text file line: UTF-8 when the bytes are valid UTF-8, otherwise
// Windows-1252 (the usual encoding of files saved by older Windows spreadsheets), so that a name
// such as "Pécs" reads correctly either way. Lines are split into fields by characters, then
// each field is turned back into UTF-8, the program's internal encoding.
#pragma once

#include <string>
#include <string_view>

namespace sifton {

std::u32string decodeLine(std::string_view bytes);
std::string toUtf8(std::u32string_view text);

}  // namespace sifton
