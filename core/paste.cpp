// Numbers pasted from the clipboard: cut into cells, the decimal mark and a header cell settled
// as for data files, every cell checked before any is taken.
#include <algorithm>

#include "core/file_text.h"
#include "core/input.h"
#include "core/number_text.h"

namespace sifton {
namespace {

std::vector<PastedCell> cutIntoCells(const std::string& text, size_t end) {
    std::vector<PastedCell> cells;
    PastedCell cell{1, 1, {}};
    for (size_t i = 0; i <= end + 1; ++i) {
        const char c = i <= end ? text[i] : '\t';  // the last cell ends with the text
        if (c != '\t' && c != '\r' && c != '\n') {
            cell.text += c;
            continue;
        }
        if (c == '\r' && i + 1 <= end && text[i + 1] == '\n') ++i;
        cells.push_back(cell);
        cell.text.clear();
        if (c == '\t') {
            ++cell.column;
        } else {
            ++cell.row;
            cell.column = 1;
        }
    }
    return cells;
}

// Points and commas swapped: a number with a decimal point and commas between thousands reads
// as its mirror image with a decimal comma and points between thousands.
std::string mirrored(std::string_view text) {
    std::string m(text);
    for (char& c : m) c = c == '.' ? ',' : c == ',' ? '.' : c;
    return m;
}

// A cell read with the given decimal mark; the other mark may only group thousands.
ParsedValue readCell(std::string_view cell, char decimalMark) {
    return decimalMark == ',' ? parseValueField(cell, ',', true)
                              : parseValueField(mirrored(cell), ',', true);
}

bool isNumberLike(std::string_view cell) {
    for (const char mark : {'.', ','}) {
        const ValueStatus s = readCell(cell, mark).status;
        if (s != ValueStatus::NotNumber && s != ValueStatus::Empty) return true;
    }
    return false;
}

// What the marks in the cells say about the decimal mark.
struct MarkEvidence {
    const PastedCell* point = nullptr;    // the first cell that needs a decimal point
    const PastedCell* comma = nullptr;    // the first cell that needs a decimal comma
    const PastedCell* unclear = nullptr;  // the first cell that reads both ways: 1,234 or 1.234
};

MarkEvidence markEvidence(const std::vector<PastedCell>& cells, size_t from) {
    MarkEvidence e;
    auto note = [](const PastedCell*& first, const PastedCell& cell) {
        if (!first) first = &cell;
    };
    for (size_t i = from; i < cells.size(); ++i) {
        const PastedCell& cell = cells[i];
        const std::string& t = cell.text;
        const size_t point = t.rfind('.'), comma = t.rfind(',');
        if (point == std::string::npos && comma == std::string::npos) continue;
        int groups = 0;
        if (comma == std::string::npos) {  // points only: 41.2, or 1.234 grouped in threes
            if (isThousandsGrouped(t, false, &groups))
                note(groups > 1 ? e.comma : e.unclear, cell);
            else if (readCell(t, '.').status != ValueStatus::NotNumber)
                note(e.point, cell);
        } else if (point == std::string::npos) {  // commas only: 41,2, or 1,234
            if (isThousandsGrouped(mirrored(t), false, &groups))
                note(groups > 1 ? e.point : e.unclear, cell);
            else if (readCell(t, ',').status != ValueStatus::NotNumber)
                note(e.comma, cell);
        } else if (comma > point ? isThousandsGrouped(t, true)
                                 : isThousandsGrouped(mirrored(t), true)) {
            note(comma > point ? e.comma : e.point, cell);  // 1.234,5 or 1,234.5
        }
    }
    return e;
}

PastedValues refused(PasteFailure failure, const PastedCell& cell = {}) {
    PastedValues p;
    p.failure = failure;
    p.failedCell = cell;
    return p;
}

ReadingOption answer(const ReadingChoice& base, std::string label,
                     void (*set)(ReadingChoice&, bool), bool value) {
    ReadingOption o{std::move(label), base};
    set(o.choice, value);
    return o;
}

}  // namespace

PastedValues parseClipboardText(const std::string& text, const ReadingChoice& choice,
                                bool proposed) {
    if (text.empty()) return refused(PasteFailure::NoText);
    // A copied column ends with a line end, often with an empty line after it: no cells.
    const size_t end = text.find_last_not_of(" \t\r\n");
    if (end == std::string::npos) return refused(PasteFailure::OnlyBlanks);
    const std::vector<PastedCell> cells = cutIntoCells(text, end);
    ReadingChoice answered = choice;
    auto ask = [&](ImportQuestion q) -> std::optional<PastedValues> {
        if (proposed) {
            answered = q.options.front().choice;
            return std::nullopt;
        }
        PastedValues p = refused(PasteFailure::Unclear);
        p.question = std::move(q);
        return p;
    };

    // A text cell before numbers only: a column copied with its header.
    const bool headerCell = cells.size() > 1 && !isNumberLike(cells[0].text) &&
                            cells[0].text.find_first_not_of(" ") != std::string::npos &&
                            std::all_of(cells.begin() + 1, cells.end(),
                                        [](const PastedCell& c) { return isNumberLike(c.text); });
    const size_t first = headerCell ? 1 : 0;

    const MarkEvidence marks = markEvidence(cells, first);
    if (marks.point && marks.comma) {
        PastedValues p = refused(PasteFailure::MixedDecimalMarks, *marks.point);
        p.otherCell = *marks.comma;
        return p;
    }
    char mark = marks.comma ? ',' : '.';
    if (answered.decimalMark) {
        mark = *answered.decimalMark;
    } else if (marks.unclear && !marks.point && !marks.comma) {
        const std::string& t = marks.unclear->text;
        const std::string quoted = visibleText(t, 20).quoted;
        const bool comma = t.find(',') != std::string::npos;
        auto decimal = [](ReadingChoice& c, bool isComma) { c.decimalMark = isComma ? ',' : '.'; };
        auto reads = [&](char m) { return generalNumberText(readCell(t, m).value); };
        const std::string asComma = t + " is " + reads(','), asPoint = t + " is " + reads('.');
        ImportQuestion q{QuestionAbout::DecimalMark,
                         "A cell such as " + quoted +
                             (comma ? " may hold a decimal comma or a comma between thousands."
                                    : " may hold a decimal point or a point between thousands."),
                         {},
                         ""};
        if (comma)
            q.options = {answer(answered, "A decimal comma: " + asComma, decimal, true),
                         answer(answered, "A comma between thousands: " + asPoint, decimal, false)};
        else
            q.options = {answer(answered, "A decimal point: " + asPoint, decimal, false),
                         answer(answered, "A point between thousands: " + asComma, decimal, true)};
        if (auto asked = ask(std::move(q))) return *asked;
        mark = *answered.decimalMark;
    }

    if (headerCell && !answered.nameFromFirstCell) {
        const std::string quoted = visibleText(cells[0].text, 30).quoted;
        auto name = [](ReadingChoice& c, bool yes) { c.nameFromFirstCell = yes; };
        if (auto asked =
                ask({QuestionAbout::FirstCell,
                     "The first cell, " + quoted +
                         ", is text and all others are numbers: it may be the column's "
                         "header or the sample's name.",
                     {answer(answered, "Leave out " + quoted, name, false),
                      answer(answered, "Take " + quoted + " as the sample's name", name, true)},
                     ""}))
            return *asked;
    }

    PastedValues result;
    result.decimalMark = mark;
    if (headerCell && *answered.nameFromFirstCell) {
        const std::string& t = cells[0].text;
        const size_t from = t.find_first_not_of(' ');
        result.name = cutToCharacters(t.substr(from, t.find_last_not_of(' ') - from + 1), 998);
    }
    for (size_t i = first; i < cells.size(); ++i) {
        const ParsedValue v = readCell(cells[i].text, mark);
        switch (v.status) {
            case ValueStatus::Ok:
                break;
            case ValueStatus::TooLarge:
                return refused(PasteFailure::NotFinite, cells[i]);
            case ValueStatus::OutOfRange:
                return refused(PasteFailure::OutOfRange, cells[i]);
            case ValueStatus::Empty:
            case ValueStatus::NotNumber:
            case ValueStatus::DecimalComma:
                return refused(PasteFailure::NotNumeric, cells[i]);
        }
        if (result.values.size() == static_cast<size_t>(kMaxRows))
            return refused(PasteFailure::TooMany);
        result.values.push_back(v.value);
    }
    if (result.values.size() < 3) return refused(PasteFailure::OneOrTwo);
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
        case PasteFailure::MixedDecimalMarks:
            return "The values use both a point and a comma as decimal mark." + notPasted;
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
        case PasteFailure::Unclear:
            return "The copied cells can be read more than one way." + notPasted;
        case PasteFailure::None:
            break;
    }
    return {};
}

std::string pasteFailureMessage(const PastedValues& pasted) {
    std::string message = pasteFailureMessage(pasted.failure);
    auto holding = [](const PastedCell& c) {
        const std::string where =
            "row " + std::to_string(c.row) + ", column " + std::to_string(c.column);
        if (c.text.find_first_not_of(' ') == std::string::npos)
            return where + (c.text.empty() ? " is empty" : " holds only blanks");
        return where + " holds " + visibleText(c.text, 40).described();
    };
    if (pasted.failure == PasteFailure::MixedDecimalMarks)
        message += "\n\nRow " + holding(pasted.failedCell).substr(4) + ", with a decimal point; " +
                   holding(pasted.otherCell) + ", with a decimal comma.";
    else if (pasted.failedCell.row > 0)
        message += "\n\nRow " + holding(pasted.failedCell).substr(4) + ".";
    return message;
}

Outcome<DataSet> pastedDataSet(const std::string& text, const ReadingChoice& choice) {
    const PastedValues pasted = parseClipboardText(text, choice);
    if (!pasted.ok()) {
        const std::string message = pasteFailureMessage(pasted);
        return Refusal{kProgramTitle, message, message, pasted.question};
    }
    DataSet data;
    data.DataFileName = "From Clipboard";
    data.Locality = pasted.name.value_or("");
    for (double value : pasted.values) data.rows.push_back(DataRow{value, 0.0, {}});
    return data;
}

}  // namespace sifton
