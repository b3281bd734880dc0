// Fuzz target for the clipboard path and the number texts: the input bytes are clipboard text
// and a token. Checks the paste against its own cutting rule, and the numeric test and the
// conversion against the C library's reading of the same text.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <variant>
#include <vector>

#include "core/input.h"
#include "core/number_text.h"
#include "tests/fuzz/fuzz_support.h"

using namespace sifton;
using sifton::fuzz::require;
using PF = PasteFailure;

namespace {

// Only the characters of a plain number, where the C library's grammar (D taken as E, in the
// "C" locale) is the program's: no hexadecimal, no inf or nan, no inner blanks.
void checkNumberText(std::string_view text) {
    std::string plain(text);
    plain.erase(0, plain.find_first_not_of(" \t\r\n"));
    plain.erase(plain.find_last_not_of(" \t\r\n") + 1);
    const bool plainChars =
        !plain.empty() && plain.find_first_not_of("+-.0123456789eEdD") == plain.npos;
    const bool isNumber = Is_Number_Text(text);
    const double value = Text_To_Number(plain);
    for (char& c : plain) c = c == 'd' || c == 'D' ? 'e' : c;
    char* end = nullptr;
    const double reference = plainChars ? std::strtod(plain.c_str(), &end) : 0.0;
    require(isNumber == (plainChars && end == plain.c_str() + plain.size()),
            "Is_Number_Text agrees with strtod");
    require(!isNumber || (std::fabs(reference) >= DBL_MIN || std::isinf(reference)
                              ? value == reference
                              : std::fabs(value) < DBL_MIN),
            "Text_To_Number reads what strtod reads, an underflow (nearly) 0");
}

// The paste's cutting rule written out again: blanks and line ends at the end are no cells;
// tab, CR, LF and CR LF end a cell.
std::vector<std::string> cells(std::string_view text) {
    text = text.substr(0, text.find_last_not_of(" \t\r\n") + 1);
    std::vector<std::string> out(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\r\n") ++i;
        if (text[i] == '\t' || text[i] == '\n' || text[i] == '\r')
            out.emplace_back();
        else
            out.back() += text[i];
    }
    return out;
}

// The failure the cells call for: the first bad cell decides, counting from the first. Written
// out for cells with no comma and no digits grouped in threes, where the point is a decimal
// point; other texts are checked for what every paste must hold.
void checkPaste(std::string_view text) {
    const PastedValues pasted = parseClipboardText(std::string(text));
    const std::vector<std::string> all = cells(text);
    bool plainMarks = text.find(',') == text.npos;
    for (const std::string& cell : all) plainMarks = plainMarks && !isThousandsGrouped(cell, false);
    if (plainMarks) {
        PF want = text.empty()                                     ? PF::NoText
                  : text.find_first_not_of(" \t\r\n") == text.npos ? PF::OnlyBlanks
                                                                   : PF::None;
        std::vector<double> values;
        std::vector<ValueStatus> statuses;
        for (const std::string& cell : all) statuses.push_back(parseValueField(cell, '.').status);
        // A text first cell before numbers only is asked about: a column's header.
        const bool headerCell =
            want == PF::None && all.size() > 1 && statuses[0] == ValueStatus::NotNumber &&
            std::all_of(statuses.begin() + 1, statuses.end(), [](ValueStatus s) {
                return s != ValueStatus::NotNumber && s != ValueStatus::Empty;
            });
        if (headerCell) want = PF::Unclear;
        for (size_t i = 0; i < all.size() && want == PF::None; ++i) {
            const std::string& cell = all[i];
            const ParsedValue v = parseValueField(cell, '.');
            want = v.status == ValueStatus::Empty || v.status == ValueStatus::NotNumber
                       ? PF::NotNumeric
                   : v.status == ValueStatus::TooLarge   ? PF::NotFinite
                   : v.status == ValueStatus::OutOfRange ? PF::OutOfRange
                   : values.size() == size_t{kMaxRows}   ? PF::TooMany
                                                         : PF::None;
            require(v.status != ValueStatus::Ok ||
                        (Is_Number_Text(cell) && v.value == Text_To_Number(cell) &&
                         isComputableValue(v.value) && (v.value != 0 || Text_To_Number(cell) == 0)),
                    "a cell taken is a plain number read as Text_To_Number reads it");
            values.push_back(v.value);
        }
        if (want == PF::None && values.size() < 3) want = PF::OneOrTwo;
        require(pasted.failure == want, "the paste fails as its cells call for");
        require(!pasted.ok() || pasted.values == values, "every cell taken, in clipboard order");
    }
    require(!pasted.ok() || (pasted.values.size() >= 3 && pasted.values.size() <= kMaxRows &&
                             std::all_of(pasted.values.begin(), pasted.values.end(),
                                         [](double v) { return isComputableValue(v); })),
            "a paste takes 3 to 300 values the statistics can compute with");
    require((pasted.failure == PF::Unclear) == pasted.question.has_value() &&
                (!pasted.question || pasted.question->options.size() >= 2),
            "an unclear paste asks a question with a choice");
    if (pasted.question)
        for (const ReadingOption& o : pasted.question->options) {
            const PastedValues answered = parseClipboardText(std::string(text), o.choice);
            require(!answered.question || answered.question->about != pasted.question->about,
                    "an answer settles its question");
        }

    // The data set of a paste: the values, no header texts, no second fields or notes; a
    // refusal has the program's title and the paste's message.
    const Outcome<DataSet> outcome = pastedDataSet(std::string(text));
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        require(!pasted.ok() && refusal->title == kProgramTitle &&
                    refusal->message == pasteFailureMessage(pasted),
                "a refused paste is the parse's message under the program's title");
        return;
    }
    const DataSet& d = std::get<DataSet>(outcome);
    require(pasted.ok() && d.DataFileName == "From Clipboard" &&
                (d.Locality + d.LocalityM + d.StratAge).empty() && !pasted.name &&
                d.rows.size() == pasted.values.size(),
            "a paste is a data set \"From Clipboard\" of every value");
    for (std::size_t i = 0; i < d.rows.size(); ++i)
        require(
            d.rows[i].value1 == pasted.values[i] && d.rows[i].value2 == 0 && d.rows[i].rest.empty(),
            "each row holds its value and nothing else");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkPaste(text);
    checkNumberText(text);
    return 0;
}
