#include "core/delimited_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/number_text.h"

namespace sifton {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return isBlank(c); });
}

std::string_view trimmed(std::string_view text) {
    auto blank = [](char c) { return isBlank(c) || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The records after the header that are not blank.
std::vector<const Record*> dataRecords(const Records& r) {
    std::vector<const Record*> data;
    for (size_t i = 1; i < r.records.size(); ++i)
        if (!r.records[i].blank()) data.push_back(&r.records[i]);
    return data;
}

bool isNumberLike(ValueStatus status) {
    return status == ValueStatus::Ok || status == ValueStatus::TooLarge ||
           status == ValueStatus::OutOfRange;
}

// How one dialect reads a file: whether every data line's first field is a number, and the
// values it reads.
struct Trial {
    Dialect dialect;
    bool fits = true;
    bool splitsHeader = false;
    std::vector<double> values;
};

// A semicolon or a tab inside a field; blanks and tabs around the value do not count.
bool holdsOtherSeparator(const Field& f) {
    return !f.quoted && trimmed(f.text).find_first_of(";\t") != std::string_view::npos;
}

Trial tryDialect(std::string_view text, char separator) {
    Trial t;
    t.dialect.separator = separator;
    const Records r = splitRecords(text, separator);
    t.splitsHeader = !r.records.empty() && r.records[0].fields.size() > 1;
    const std::vector<const Record*> data = dataRecords(r);
    if (separator != ',') {
        // The comma as soon as a value holds one.
        for (const Record* record : data)
            if (record->fields[0].text.find(',') != std::string::npos) t.dialect.decimalMark = ',';
    }
    const char other = t.dialect.decimalMark == ',' ? '.' : ',';
    for (const Record* record : data) {
        const std::vector<Field>& f = record->fields;
        ParsedValue v = parseValueField(f[0].text, t.dialect.decimalMark, true);
        // A value written with the other mark still shows which separator the file uses.
        if (separator != ',' && !isNumberLike(v.status)) v = parseValueField(f[0].text, other);
        bool fits = isNumberLike(v.status);
        // A semicolon or a tab in the first two fields of a comma file separates fields: the
        // file is written in another dialect.
        if (separator == ',')
            for (size_t i = 0; i < std::min<size_t>(f.size(), 2); ++i)
                if (holdsOtherSeparator(f[i])) fits = false;
        if (!fits) {
            t.fits = false;
            return t;
        }
        t.values.push_back(v.value);
    }
    return t;
}

// Whether some line has a field after the separator that holds more than blanks: a tab after
// the value, before the line ends, separates nothing.
bool holdsSeparator(std::string_view text, char separator) {
    const Records r = splitRecords(text, separator);
    return std::any_of(r.records.begin(), r.records.end(), [](const Record& record) {
        return std::any_of(record.fields.begin() + 1, record.fields.end(),
                           [](const Field& f) { return !isBlankText(f.text); });
    });
}

}  // namespace

bool Record::blank() const {
    return std::all_of(fields.begin(), fields.end(),
                       [](const Field& f) { return isBlankText(f.text); });
}

Records splitRecords(std::string_view text, char separator) {
    Records out;
    Record record;
    Field field;
    int line = 1, quoteLine = 0;
    bool inQuotes = false, started = false;  // started: the field holds more than blanks
    bool atRecordStart = true;               // nothing read since the last line end
    record.line = 1;
    auto endField = [&] {
        record.fields.push_back(std::move(field));
        field = Field{};
        started = false;
    };
    auto endRecord = [&] {
        endField();
        out.records.push_back(std::move(record));
        record = Record{};
        record.line = line;
        atRecordStart = true;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool lineEnd = c == '\r' || c == '\n';
        const bool crLf = c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field.text += '"';
                ++i;
            } else if (c == '"') {
                inQuotes = false;
            } else if (lineEnd) {
                field.text += '\n';
                ++line;
                if (crLf) ++i;
            } else {
                field.text += c;
            }
            continue;
        }
        atRecordStart = false;
        if (c == separator) {
            endField();
        } else if (lineEnd) {
            ++line;
            if (crLf) ++i;
            endRecord();
        } else if (c == '"' && !started) {
            field.text.clear();  // blanks before the opening quote
            field.quoted = inQuotes = started = true;
            quoteLine = line;
        } else {
            field.text += c;
            if (!isBlank(c)) started = true;
        }
    }
    if (inQuotes) out.unclosedQuoteLine = quoteLine;
    if (!atRecordStart || inQuotes) endRecord();
    return out;
}

DialectResult detectDialect(std::string_view text) {
    const bool semicolon = holdsSeparator(text, ';');
    const bool tab = holdsSeparator(text, '\t');
    if (!semicolon && !tab) return {};

    std::vector<Trial> trials;
    trials.push_back(tryDialect(text, ','));
    if (semicolon) trials.push_back(tryDialect(text, ';'));
    if (tab) trials.push_back(tryDialect(text, '\t'));
    std::vector<const Trial*> fitting;
    for (const Trial& t : trials)
        if (t.fits) fitting.push_back(&t);

    auto found = [](const Trial& t) { return DialectResult{t.dialect, DialectVerdict::Found}; };
    auto byHeader = [](const std::vector<const Trial*>& among) -> const Trial* {
        const Trial* only = nullptr;
        for (const Trial* t : among) {
            if (!t->splitsHeader) continue;
            if (only) return nullptr;
            only = t;
        }
        return only;
    };

    if (fitting.empty()) {
        // No dialect reads every value: read the likeliest, so the refusal names a line.
        // The header's separator first: a stray tab in a comma file is then the line at fault.
        std::vector<const Trial*> all, others;
        for (const Trial& t : trials) {
            all.push_back(&t);
            if (t.dialect.separator != ',') others.push_back(&t);
        }
        if (const Trial* header = byHeader(all)) return found(*header);
        if (others.size() == 1) return found(*others[0]);
        return found(trials[0]);
    }
    if (fitting.size() == 1) return found(*fitting[0]);
    const bool sameValues = std::all_of(fitting.begin(), fitting.end(), [&](const Trial* t) {
        return t->values == fitting[0]->values;
    });
    if (const Trial* header = byHeader(fitting)) return found(*header);
    if (sameValues) return found(*fitting[0]);
    return {fitting[0]->dialect, DialectVerdict::Ambiguous};
}

std::string joinRest(const std::vector<Field>& fields, size_t from, char separator) {
    size_t end = fields.size();
    while (end > from && isBlankText(fields[end - 1].text)) --end;
    std::string rest;
    for (size_t i = from; i < end; ++i) {
        if (i > from) rest += separator;
        rest += fields[i].text;
    }
    return rest;
}

bool isComputableValue(double value) {
    const double size = std::fabs(value);
    return value == 0.0 || (size >= kMinComputableSize && size <= kMaxComputableSize);
}

bool isThousandsGrouped(std::string_view field, bool withComma, int* groups) {
    std::string_view t = trimmed(field);
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) t.remove_prefix(1);
    if (withComma) t = t.substr(0, t.find(','));
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    size_t lead = 0;
    while (lead < t.size() && isDigit(t[lead])) ++lead;
    // 0.123 is a decimal: no number grouped in threes begins with 0.
    if (lead < 1 || lead > 3 || t[0] == '0') return false;
    int count = 0;
    for (size_t i = lead; i < t.size(); i += 4, ++count)
        if (i + 4 > t.size() || t[i] != '.' || !isDigit(t[i + 1]) || !isDigit(t[i + 2]) ||
            !isDigit(t[i + 3]))
            return false;
    if (groups) *groups = count;
    return count > 0;
}

ParsedValue parseValueField(std::string_view field, char decimalMark, bool groupedThousands) {
    const std::string_view core = trimmed(field);
    if (core.empty()) return {ValueStatus::Empty, 0.0};
    std::string text(core);
    if (decimalMark == ',') {
        if (groupedThousands && isThousandsGrouped(text, true))
            text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
        if (text.find('.') != std::string::npos) return {ValueStatus::NotNumber, 0.0};
        std::replace(text.begin(), text.end(), ',', '.');
    }
    if (!Is_Number_Text(text)) {
        std::string pointed = text;
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        const bool oneComma = std::count(text.begin(), text.end(), ',') == 1;
        if (decimalMark == '.' && oneComma && Is_Number_Text(pointed))
            return {ValueStatus::DecimalComma, 0.0};
        return {ValueStatus::NotNumber, 0.0};
    }
    const double value = Text_To_Number(text);
    if (!std::isfinite(value)) return {ValueStatus::TooLarge, 0.0};
    // A number that reads as 0 although a digit of its mantissa is not 0 lay below the
    // smallest double: 1E-999 is no more 0 than 3E-101 is.
    const std::string mantissa = text.substr(0, text.find_first_of("eEdD"));
    const bool zeroWritten = mantissa.find_first_of("123456789") == std::string::npos;
    if ((value == 0.0 && !zeroWritten) || !isComputableValue(value))
        return {ValueStatus::OutOfRange, 0.0};
    return {ValueStatus::Ok, value == 0.0 ? 0.0 : value};
}

}  // namespace sifton
