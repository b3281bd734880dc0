// Fuzz target for the clipboard path and the number texts: the input bytes are clipboard text,
// a token, and (their first eight bytes) a double. Checks the paste against its own cutting
// rule, the numeric test and the conversion against the C library's reading of the same text,
// and the round trips of the two number formats.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/input.h"
#include "core/number_text.h"
#include "core/store.h"
#include "tests/fuzz/fuzz_support.h"

using namespace sifton;
using sifton::fuzz::require;

namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The C library's reading of a number text in the "C" locale, D taken as E; 'whole' tells
// whether it used every character.
double libraryValue(std::string_view text, bool& whole) {
    std::string s(text);
    for (char& c : s)
        if (c == 'd' || c == 'D') c = 'e';
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(s.c_str(), &end);
    whole = !s.empty() && end == s.c_str() + s.size();
    return value;
}

void checkNumberText(std::string_view text) {
    const bool isNumber = Is_Number_Text(text);
    const std::string_view core = trimmed(text);
    // Only these characters may make a number; within them the library's grammar is the same
    // (no hexadecimal, no inf or nan, no inner blanks).
    const bool plainChars =
        !core.empty() && core.find_first_not_of("+-.0123456789eEdD") == std::string_view::npos;
    bool whole = false;
    const double reference = plainChars ? libraryValue(core, whole) : 0.0;
    require(isNumber == (plainChars && whole), "Is_Number_Text agrees with strtod");
    if (!isNumber || core.find('\r') != std::string_view::npos) return;
    const double value = Text_To_Number(core);
    if (std::fabs(reference) >= DBL_MIN || std::isinf(reference))
        require(value == reference, "Text_To_Number reads what strtod reads");
    else
        require(std::fabs(value) < DBL_MIN, "an underflowing number reads as (nearly) 0");
}

void checkFormats(double value) {
    if (!std::isfinite(value)) return;
    const double size = std::fabs(value);
    // General number text: 15 significant digits that read back as the same text. Beyond 1E+308
    // the 15-digit rounding itself leaves the double range, and subnormals lack the digits.
    if (value == 0 || (size >= DBL_MIN && size < 1e308)) {
        const std::string text = generalNumberText(value);
        require(Is_Number_Text(text), "general number text is a number");
        const double back = Text_To_Number(text);
        require(std::fabs(back - value) <= 1e-14 * size, "general text within 15 digits");
        require(generalNumberText(back) == text, "general text reads back to itself");
    }
    // The patterns: the right decimals, no minus sign on a zero, within half a last place.
    if (size >= 1e300) return;  // written out in full, such numbers get long; nothing new there
    const Pattern patterns[] = {Pattern::TwoDecimals, Pattern::UpToTwoDecimals,
                                Pattern::UpToThreeDecimals};
    for (Pattern pattern : patterns) {
        const std::string text = formatNumber(value, pattern);
        require(Is_Number_Text(text), "pattern text is a number");
        const size_t point = text.find('.');
        require(point != std::string::npos && point > 0, "a digit before the point");
        const size_t decimals = text.size() - point - 1;
        const size_t most = pattern == Pattern::UpToThreeDecimals ? 3 : 2;
        const size_t least = pattern == Pattern::TwoDecimals ? 2 : 1;
        require(decimals >= least && decimals <= most, "pattern decimals");
        if (decimals > least) require(text.back() != '0', "no trailing zero beyond the first");
        const double back = Text_To_Number(text);
        if (back == 0) require(text[0] != '-', "no minus sign on zero");
        const double halfPlace = most == 3 ? 0.0005 : 0.005;
        require(std::fabs(back - value) <= halfPlace * (1 + 1e-9) + 1e-14 * size,
                "pattern within half a last place");
        require(formatNumber(back, pattern) == text, "pattern text reads back to itself");
    }
}

// The paste's cutting rule written out again: tab, CR, LF and CR LF end a cell, a last cell
// counts when it is not blank.
std::vector<std::string> cells(std::string_view text) {
    std::vector<std::string> out;
    std::string cell;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\t' || text[i] == '\n' || text[i] == '\r') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.push_back(cell);
            cell.clear();
        } else {
            cell += text[i];
        }
    }
    if (cell.find_first_not_of(' ') != std::string::npos) out.push_back(cell);
    return out;
}

void checkPaste(std::string_view text) {
    const PastedValues pasted = parseClipboardText(std::string(text));
    require(pasted.values.size() <= static_cast<size_t>(kMaxRows), "at most 300 values");
    const std::vector<std::string> expected = cells(text);
    if (text.empty()) {
        require(pasted.failure == PasteFailure::NoText, "empty text refused as no text");
        return;
    }
    // The failure the cells call for: the first bad cell decides, counting from the first.
    PasteFailure want = PasteFailure::None;
    size_t good = 0;
    for (const std::string& cell : expected) {
        if (!Is_Number_Text(cell)) {
            want = PasteFailure::NotNumeric;
            break;
        }
        const double value = Text_To_Number(cell);
        if (!std::isfinite(value)) {
            want = PasteFailure::NotFinite;
            break;
        }
        if (!isComputableValue(value)) {
            want = PasteFailure::OutOfRange;
            break;
        }
        if (good == static_cast<size_t>(kMaxRows)) {
            want = PasteFailure::TooMany;
            break;
        }
        require(pasted.values.size() > good && pasted.values[good] == value,
                "values in clipboard order");
        ++good;
    }
    if (want == PasteFailure::None)
        want = good == 0 ? PasteFailure::NoValue : good < 3 ? PasteFailure::OneOrTwo : want;
    require(pasted.failure == want, "the paste fails as its cells call for");
    if (pasted.ok()) require(pasted.values.size() == good, "every cell taken");
    const std::string message = pasteFailureMessage(pasted.failure);
    require(message.empty() == (want == PasteFailure::None || want == PasteFailure::NoValue),
            "a message for every refusal but the silent one");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkPaste(text);
    checkNumberText(text);
    checkFormats(Text_To_Number(text));
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkFormats(raw);
    }
    return 0;
}
