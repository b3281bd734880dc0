#include "core/file_text.h"

#include <exception>

namespace sifton {

BoundedRead readAtMost(std::istream& in, std::size_t maxBytes) {
    BoundedRead r;
    try {
        char buffer[1 << 16];
        for (;;) {
            in.read(buffer, sizeof buffer);
            r.bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
            if (r.bytes.size() > maxBytes) return r.status = ReadStatus::TooLarge, r;
            if (in.bad()) return r.status = ReadStatus::ReadError, r;
            if (!in) return r;
        }
    } catch (const std::exception&) {  // a stream set to throw on errors
        r.status = ReadStatus::ReadError;
    }
    return r;
}

std::string cutToCharacters(const std::string& utf8, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;  // continuation
        if (characters++ == count) return utf8.substr(0, i);
    }
    return utf8;
}

std::string quotedText(std::string_view text, char control, std::size_t maxCharacters) {
    std::string shown = cutToCharacters(std::string(text), maxCharacters);
    const bool cut = shown.size() < text.size();
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = control;
    return "\"" + shown + (cut ? "...\"" : "\"");
}

}  // namespace sifton
