// Numbers pasted from the clipboard: cut into cells, every cell checked before any is taken.
#include "core/input.h"

namespace sifton {

PastedValues parseClipboardText(const std::string& text) {
    PastedValues result;
    if (text.empty()) {
        result.failure = PasteFailure::NoText;
        return result;
    }
    // A copied column ends with a line end, often with an empty line after it: no cells.
    const size_t end = text.find_last_not_of(" \t\r\n");
    if (end == std::string::npos) {
        result.failure = PasteFailure::OnlyBlanks;
        return result;
    }
    auto take = [&](const std::string& cell) {
        const ParsedValue v = parseValueField(cell, '.');
        switch (v.status) {
            case ValueStatus::Ok:
                break;
            case ValueStatus::DecimalComma:
                return PasteFailure::DecimalComma;
            case ValueStatus::TooLarge:
                return PasteFailure::NotFinite;
            case ValueStatus::OutOfRange:
                return PasteFailure::OutOfRange;
            case ValueStatus::Empty:
            case ValueStatus::NotNumber:
                return PasteFailure::NotNumeric;
        }
        if (result.values.size() == static_cast<size_t>(kMaxRows)) return PasteFailure::TooMany;
        result.values.push_back(v.value);
        return PasteFailure::None;
    };
    std::string cell;
    for (size_t i = 0; i <= end + 1; ++i) {
        const char c = i <= end ? text[i] : '\t';  // the last cell ends with the text
        if (c != '\t' && c != '\r' && c != '\n') {
            cell += c;
            continue;
        }
        if (c == '\r' && i + 1 <= end && text[i + 1] == '\n') ++i;
        result.failure = take(cell);
        if (!result.ok()) return result;
        cell.clear();
    }
    if (result.values.size() < 3) result.failure = PasteFailure::OneOrTwo;
    return result;
}

std::string pasteFailureMessage(PasteFailure failure) {
    const std::string notPasted =
        " The copied data are not pasted in this program. Check the "
        "selection, please.";
    switch (failure) {
        case PasteFailure::NoText:
            return "There are no numbers on the clipboard.";
        case PasteFailure::OnlyBlanks:
            return "There are no numbers on the clipboard: it holds only blanks and line ends.";
        case PasteFailure::NotNumeric:
            return "One or more of the values are not numeric! The copied data are not pasted in "
                   "this program. Check the selection, please.";
        case PasteFailure::DecimalComma:
            return "One or more of the values are written with a decimal comma (such as 31,5). "
                   "This program needs a decimal point (31.5): set the spreadsheet's cells or "
                   "language to use a point, then copy them again." +
                   notPasted;
        case PasteFailure::NotFinite:
            return "One or more of the values are too large to be used as numbers (such as "
                   "1E+999)." +
                   notPasted;
        case PasteFailure::OutOfRange:
            return "One or more of the values are too large or too small to compute with: values "
                   "must be 0 or lie between 1E-100 and 1E+100 in size." +
                   notPasted;
        case PasteFailure::TooMany:
            return "There are more than 300 values on the clipboard, and this program tests at "
                   "most 300." +
                   notPasted;
        case PasteFailure::OneOrTwo:
            return "What can I test with one or two data?";
        case PasteFailure::None:
            break;
    }
    return {};
}

Outcome<DataSet> pastedDataSet(const std::string& text) {
    const PastedValues pasted = parseClipboardText(text);
    if (!pasted.ok()) {
        const std::string message = pasteFailureMessage(pasted.failure);
        return Refusal{"", message, message, std::nullopt};
    }
    DataSet data;
    data.DataFileName = "From Clipboard";
    for (double value : pasted.values) data.rows.push_back(DataRow{value, 0.0, {}});
    return data;
}

}  // namespace sifton
