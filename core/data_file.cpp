// The data-file reader: a whole file is read, decoded, its dialect detected and every line
// checked before anything is returned, so a file loads with exactly the values it holds or is
// refused with the line and the text that stand in the way.
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "core/file_text.h"
#include "core/input.h"
#include "core/number_text.h"
#include "core/text_encoding.h"

namespace sifton {
namespace {

// Header texts and notes are cut at this many characters; nothing longer fits a label.
constexpr size_t kTextWindow = 998;
constexpr size_t kQuotedTextLength = 40;

DataFile failed(DataFileFailure failure, int line = 0, std::string text = {}) {
    DataFile file;
    file.failure = failure;
    file.failedLine = line;
    file.failedText = std::move(text);
    return file;
}

DataFileFailure valueFailure(ValueStatus status) {
    switch (status) {
        case ValueStatus::Empty:
            return DataFileFailure::EmptyValue;
        case ValueStatus::DecimalComma:
            return DataFileFailure::DecimalComma;
        case ValueStatus::TooLarge:
            return DataFileFailure::NotFiniteValue;
        case ValueStatus::OutOfRange:
            return DataFileFailure::ValueOutOfRange;
        case ValueStatus::NotNumber:
        case ValueStatus::Ok:
            break;
    }
    return DataFileFailure::NotNumber;
}

// The second field, which only travels with its row: its number when it is one, else 0.
double secondValue(const std::vector<Field>& fields, char decimalMark) {
    if (fields.size() < 2) return 0.0;
    const ParsedValue v = parseValueField(fields[1].text, decimalMark);
    return v.status == ValueStatus::Ok ? v.value : 0.0;
}

DataFile parseText(const std::string& text) {
    const DialectResult found = detectDialect(text);
    if (found.verdict == DialectVerdict::Ambiguous)
        return failed(DataFileFailure::AmbiguousDialect);
    if (found.verdict == DialectVerdict::MixedDecimalMarks)
        return failed(DataFileFailure::MixedDecimalMarks, found.line);
    const Dialect dialect = found.dialect;
    const Records split = splitRecords(text, dialect.separator);
    if (split.unclosedQuoteLine > 0)
        return failed(DataFileFailure::UnclosedQuote, split.unclosedQuoteLine);
    const std::vector<Record>& records = split.records;
    if (records.empty()) return failed(DataFileFailure::Empty);

    size_t end = records.size();  // blank lines at the end of the file are no data
    while (end > 1 && records[end - 1].blank()) --end;
    const int dataLines = static_cast<int>(end) - 1;
    if (dataLines == 0) return failed(DataFileFailure::NoData);
    if (dataLines > kMaxRows) {
        DataFile file = failed(DataFileFailure::TooManyRows, records[kMaxRows + 1].line);
        file.dataLines = dataLines;
        return file;
    }

    DataFile file;
    file.dialect = dialect;
    const std::vector<Field>& header = records[0].fields;
    file.locality = cutToCharacters(header[0].text, kTextWindow);
    file.localityM = header.size() > 1 ? cutToCharacters(header[1].text, kTextWindow) : "";
    file.stratAge = cutToCharacters(joinRest(header, 2, dialect.separator), kTextWindow);
    for (size_t r = 1; r < end; ++r) {
        const Record& record = records[r];
        // An empty line among the data would be a row of no value; refusing it keeps the row
        // numbers the program shows equal to the rows of the spreadsheet.
        if (record.blank()) return failed(DataFileFailure::BlankLine, record.line);
        const std::string& field = record.fields[0].text;
        const ParsedValue value = parseValueField(field, dialect.decimalMark);
        if (value.status != ValueStatus::Ok)
            return failed(valueFailure(value.status), record.line, field);
        file.rows.push_back(
            DataRow{value.value, secondValue(record.fields, dialect.decimalMark),
                    cutToCharacters(joinRest(record.fields, 2, dialect.separator), kTextWindow)});
    }
    return file;
}

}  // namespace

DataFile readDataFile(std::istream& in) {
    const BoundedRead read = readAtMost(in, kMaxDataFileBytes);
    if (read.status == ReadStatus::TooLarge) return failed(DataFileFailure::TooLarge);
    if (read.status == ReadStatus::ReadError) return failed(DataFileFailure::ReadError);
    const std::string& bytes = read.bytes;
    if (bytes.empty()) return failed(DataFileFailure::Empty);
    const DecodedText decoded = decodeFile(bytes);
    if (decoded.notTextLine > 0) return failed(DataFileFailure::NotText, decoded.notTextLine);
    return parseText(decoded.utf8);
}

DataFile readDataFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty() || !fs::exists(path, ec)) return failed(DataFileFailure::CannotOpen);
    // Only a plain file: a folder cannot be read, and a device such as /dev/zero or a pipe could
    // block the open or never end.
    if (!fs::is_regular_file(path, ec)) return failed(DataFileFailure::NotPlainFile);
    const auto size = fs::file_size(path, ec);
    if (!ec && size > kMaxDataFileBytes) return failed(DataFileFailure::TooLarge);
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const bool denied = errno == EACCES || errno == EPERM;
        return failed(denied ? DataFileFailure::NoPermission : DataFileFailure::CannotOpen);
    }
    return readDataFile(in);
}

std::string dataFileFailureMessage(const std::string& path, const DataFile& file) {
    const std::string head = "Error occurred while trying to load file: " + path + " , ";
    const std::string line = "line " + std::to_string(file.failedLine);
    // Line ends and control characters show as blanks, long fields are cut.
    const std::string text = quotedText(file.failedText, ' ', kQuotedTextLength);
    const std::string nothing = " Nothing was loaded; correct that line and retry.";
    const std::string saveAs =
        " Save it again from the spreadsheet as comma-delimited text (CSV) with a point as "
        "decimal mark, or as tab-delimited text, please.";
    using F = DataFileFailure;
    switch (file.failure) {
        case F::NotPlainFile:
            return head + "it is not a plain file (it is a folder, a device or a pipe).";
        case F::NoPermission:
            return head + "this program has no permission to read it.";
        case F::ReadError:
            return head +
                   "the system reported an error while reading it. Nothing was loaded; copy the "
                   "file to a local disk and retry.";
        case F::TooLarge:
            return head + "it is larger than " + std::to_string(kMaxDataFileBytes >> 20) +
                   " MB, far more than a data file of at most 300 values needs. Nothing was "
                   "loaded.";
        case F::Empty:
            return head +
                   "the file is empty. A data file holds a header line, then one value "
                   "per line.";
        case F::NotText:
            return head + "it is not a text file: " + line +
                   " holds a NUL byte or a control character." + saveAs;
        case F::UnclosedQuote:
            return head + line + " opens a quoted field (\") that is never closed." + nothing;
        case F::AmbiguousDialect:
            return head +
                   "its values read differently with commas and with semicolons or tabs as "
                   "field separators, so it is not clear which the file uses. Nothing was "
                   "loaded." +
                   saveAs;
        case F::MixedDecimalMarks:
            return head + "its numbers use both a point and a comma as decimal mark (" + line +
                   " differs from an earlier line). Nothing was loaded." + saveAs;
        case F::NoData:
            return head +
                   "it holds a header line but no data lines. A data file holds a header "
                   "line, then one value per line.";
        case F::TooManyRows:
            return head + "it has " + std::to_string(file.dataLines) +
                   " data lines, and this program tests at most 300 values (empty lines at the "
                   "end of the file are not counted). Nothing was loaded.";
        case F::BlankLine:
            return head + line +
                   " is empty, but more data lines follow it. Remove the empty line and retry.";
        case F::EmptyValue:
            return head + line + " has no value in its first field." + nothing;
        case F::NotNumber:
            return head + line + " holds " + text +
                   " where the value to test should stand: the first field of every data line "
                   "must be a plain number, such as 12.5 or 1.25E+1." +
                   nothing;
        case F::DecimalComma:
            return head + line + " holds " + text +
                   ", a number with a decimal comma in a comma-delimited file. Use a point as "
                   "decimal mark, or save the file with semicolons or tabs between the fields." +
                   nothing;
        case F::NotFiniteValue:
            return head + line + " holds " + text +
                   ", a value too large to be a number (such as 1E+999)." + nothing;
        case F::ValueOutOfRange:
            return head + line + " holds " + text +
                   ", a value too large or too small to compute with: values must be 0 or lie "
                   "between 1E-100 and 1E+100 in size." +
                   nothing;
        case F::None:
        case F::CannotOpen:
            break;
    }
    return head +
           "please retry or check the file."
           "If the extension of your data file is *.CSV ot *.DAT then this program expects a "
           "COMMA DELIMITED text file."
           "Try to save your data again into a thre-column text file using the 'comma "
           "delimited' option.";
}

namespace {

Outcome<DataSet> dataSetOf(const DataFile& file, const std::string& name,
                           const std::string& shownAs) {
    if (!file.ok()) return Refusal{kProgramTitle, dataFileFailureMessage(shownAs, file)};
    if (file.rows.size() < 3) return Refusal{"", pasteFailureMessage(PasteFailure::OneOrTwo)};
    return DataSet{name, file.locality, file.localityM, file.stratAge, file.rows};
}

}  // namespace

Outcome<DataSet> Read_Data_File(const std::string& path) {
    return dataSetOf(readDataFile(path), path, path);
}

Outcome<DataSet> Read_Data_File(std::istream& in, const std::string& name,
                                const std::string& shownAs) {
    return dataSetOf(readDataFile(in), name, shownAs);
}

}  // namespace sifton
