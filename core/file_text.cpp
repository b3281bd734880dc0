#include "core/file_text.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "core/text_encoding.h"

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

namespace {

// The name of a character that does not show in a message, or nothing for one that does.
std::string invisibleName(char32_t c) {
    switch (c) {
        case 0x09:
            return "tab";
        case 0x0A:
            return "line feed";
        case 0x0D:
            return "carriage return";
        case 0xA0:
            return "no-break space";
        case 0xAD:
            return "soft hyphen";
        case 0x2007:
            return "figure space";
        case 0x2009:
            return "thin space";
        case 0x200B:
            return "zero-width space";
        case 0x200C:
            return "zero-width non-joiner";
        case 0x200D:
            return "zero-width joiner";
        case 0x200E:
            return "left-to-right mark";
        case 0x200F:
            return "right-to-left mark";
        case 0x202F:
            return "narrow no-break space";
        case 0x2060:
            return "word joiner";
        case 0x3000:
            return "ideographic space";
        case 0xFEFF:
            return "byte-order mark";
        default:
            break;
    }
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return "control character";
    if ((c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x205F) return "space";
    return {};
}

}  // namespace

VisibleText visibleText(std::string_view utf8, std::size_t maxCharacters) {
    const std::u32string text = decodeLine(utf8);
    const bool cut = text.size() > maxCharacters;
    VisibleText v;
    std::u32string shown;
    for (const char32_t c : text.substr(0, maxCharacters)) {
        const std::string name = invisibleName(c);
        if (name.empty()) {
            shown += c;
            continue;
        }
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        const std::string entry = std::string(code) + " " + name;
        if (std::find(v.invisible.begin(), v.invisible.end(), entry) == v.invisible.end())
            v.invisible.push_back(entry);
        for (const char ch : "<" + std::string(code) + ">") shown += static_cast<char32_t>(ch);
    }
    v.quoted = "\"" + toUtf8(shown) + (cut ? "...\"" : "\"");
    return v;
}

std::string VisibleText::described() const {
    std::string text = quoted;
    for (size_t i = 0; i < invisible.size(); ++i)
        text += (i == 0 ? " (" : ", ") + invisible[i] +
                (i + 1 == invisible.size() ? ", which does not show)" : "");
    return text;
}

}  // namespace sifton
