// Delimited text as spreadsheets write it: records of fields with CSV quoting, the three dialects
// they use (comma, semicolon with decimal commas, tab) and the strict reading of a value field.
//
// The data-file reader decodes a file to UTF-8 (text_encoding.h), asks detectDialect how its
// fields are separated, cuts it into records with splitRecords and reads each value field with
// parseValueField.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sifton {

// How a file separates its fields and writes its decimals.
struct Dialect {
    char separator = ',';
    char decimalMark = '.';
    bool operator==(const Dialect&) const = default;
};

// A field as the file holds it: quotes removed, "" inside quotes turned into one quote.
struct Field {
    std::string text;
    bool quoted = false;
};

// One record: a line, or several when a quoted field holds line ends.
struct Record {
    int line = 0;  // 1-based line of the file on which the record starts
    std::vector<Field> fields;
    // True when every field is empty or blanks only (an empty line, ",,," or " ; ").
    bool blank() const;
};

struct Records {
    std::vector<Record> records;
    int unclosedQuoteLine = 0;  // line of a quoted field that never closes, 0 when none
};

// Cuts UTF-8 text into records. CR, LF and CR LF end a line. A field is quoted when its first
// character other than a blank is a double quote; it then runs to the matching quote, separators
// and line ends included, and what follows the closing quote up to the next separator is added
// as it stands. A quote anywhere else is an ordinary character.
Records splitRecords(std::string_view text, char separator);

enum class DialectVerdict {
    Found,
    Ambiguous,  // more than one dialect reads the values, with different values
};

struct DialectResult {
    Dialect dialect;
    DialectVerdict verdict = DialectVerdict::Found;
};

// A file without a semicolon or a tab outside quotes is the program's own comma format with a
// decimal point. Otherwise each dialect whose separator occurs is tried: it fits when the first
// field of every data line is a number, and for the comma dialect also when no semicolon or tab
// stands unquoted inside the first two fields (blanks and tabs around a value do not count).
// Semicolon and tab files may use a decimal comma or a decimal point: the comma as soon as a
// value holds one (a file that holds both is refused line by line by the reader). When no
// dialect fits, the most likely one is returned, so that reading it names the first line that
// does not fit. A separator counts only where a field after it holds more than blanks.
DialectResult detectDialect(std::string_view text);

// The text between the first two separators (or the rest) of a header or a data line: the
// remaining fields joined by the separator, trailing empty fields dropped.
std::string joinRest(const std::vector<Field>& fields, size_t from, char separator);

enum class ValueStatus {
    Ok,
    Empty,         // nothing but blanks
    NotNumber,     // text, units, NaN, inf, a number written with another decimal mark...
    DecimalComma,  // a number with a comma where only a point is a decimal mark
    TooLarge,      // beyond the largest double, such as 1E+999
    OutOfRange,    // not 0 and not between 1E-100 and 1E+100 in size; 1E-999 included
};

struct ParsedValue {
    ValueStatus status = ValueStatus::NotNumber;
    double value = 0.0;
};

// Values the statistics can compute with: 0, or a size from 1E-100 to 1E+100. Beyond that the
// sums of squares of up to 300 values overflow, or the squared deviations underflow to 0 so the
// spread vanishes.
inline constexpr double kMinComputableSize = 1e-100;
inline constexpr double kMaxComputableSize = 1e100;
bool isComputableValue(double value);

// A value field: blanks around it are ignored; then it must be a plain decimal number (sign,
// digits with at most one decimal mark, optional exponent) that the program can compute with.
// With 'groupedThousands' (decimal-comma files only) a point may group the digits before the
// decimal comma in threes: 1.234,5 and 12.345.678.
ParsedValue parseValueField(std::string_view field, char decimalMark,
                            bool groupedThousands = false);

// Whether a field is digits grouped in threes by points, such as 1.234 or -12.345.678 (not 0.123),
// with a decimal comma after them when 'withComma'; 'groups' counts the points.
bool isThousandsGrouped(std::string_view field, bool withComma, int* groups = nullptr);

}  // namespace sifton
