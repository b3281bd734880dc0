// The data-file reader: a whole file is read, decoded, its dialect detected and every line
// checked before anything is returned, so a file loads with exactly the values it holds or is
// refused with the line and the text that stand in the way.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "core/count_file.h"
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

std::string trimmedText(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isBlankField(const std::string& text) { return trimmedText(text).empty(); }

bool isDigits(std::string_view text, bool sign) {
    size_t i = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (i == std::string_view::npos) return false;
    if (sign && (text[i] == '-' || text[i] == '+')) ++i;
    if (i > last) return false;
    for (; i <= last; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// The fields of a record without the empty ones at its end.
size_t fieldCount(const Record& r) {
    size_t n = r.fields.size();
    while (n > 0 && r.fields[n - 1].text.find_first_not_of(" \t") == std::string::npos) --n;
    return n;
}

std::vector<const Record*> nonBlank(const std::vector<Record>& records, size_t from) {
    std::vector<const Record*> out;
    for (size_t i = from; i < records.size(); ++i)
        if (!records[i].blank()) out.push_back(&records[i]);
    return out;
}

ReadingOption option(const ReadingChoice& base, std::string label,
                     void (*answer)(ReadingChoice&, int), int value) {
    ReadingOption o{std::move(label), base};
    answer(o.choice, value);
    return o;
}

// A comma file of one-field lines and digits,digits lines, nothing deciding otherwise: a decimal
// comma in a one-column export, or a value and a second field.
bool commaOrFields(const std::vector<Record>& records) {
    if (records.empty() || fieldCount(records[0]) > 2) return false;
    const std::vector<const Record*> lines = nonBlank(records, 0);
    bool pairs = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Record& r = *lines[i];
        const size_t n = fieldCount(r);
        const bool digits = n <= 2 && isDigits(r.fields[0].text, true) &&
                            (n < 2 || isDigits(r.fields[1].text, false));
        // The first line may be a one-field header.
        if (i == 0 && lines[0] == &records[0] && !digits) {
            if (n > 1) return false;
            continue;
        }
        if (!digits) return false;
        pairs = pairs || n == 2;
    }
    return pairs;
}

// A semicolon or tab file whose values hold no comma and whose points all stand where thousands
// are grouped (1.234 beside 987): a decimal point, or a point between thousands.
enum class Points { Decimal, Thousands, Unclear };
Points pointsIn(const std::vector<Record>& records, char decimalMark) {
    bool grouped = false, plain = false, manyGroups = false;
    for (const Record* r : nonBlank(records, 1)) {
        const std::string& f = r->fields[0].text;
        if (f.find('.') == std::string::npos) continue;
        int groups = 0;
        if (isThousandsGrouped(f, decimalMark == ',', &groups)) {
            grouped = true;
            manyGroups = manyGroups || groups > 1;
        } else {
            plain = true;
        }
    }
    if (decimalMark == ',' || (grouped && !plain && manyGroups)) return Points::Thousands;
    if (grouped && !plain) return Points::Unclear;
    return Points::Decimal;
}

bool isCounting(const std::vector<const Record*>& data, size_t column) {
    if (data.size() < 3) return false;
    for (const int first : {0, 1}) {
        bool all = true;
        for (size_t i = 0; i < data.size() && all; ++i) {
            const Record& r = *data[i];
            all = column < r.fields.size() && isDigits(r.fields[column].text, false) &&
                  parseValueField(r.fields[column].text, '.').value ==
                      static_cast<double>(first) + static_cast<double>(i);
        }
        if (all) return true;
    }
    return false;
}

struct Reader {
    const ReadingChoice& choice;
    bool proposed;

    // An open question: its failure, or with 'proposed' the answer it proposes first.
    std::optional<DataFile> ask(ImportQuestion q, ReadingChoice& answered) const {
        if (proposed) {
            answered = q.options.front().choice;
            return std::nullopt;
        }
        DataFile file = failed(DataFileFailure::Unclear);
        file.question = std::move(q);
        return file;
    }

    DataFile read(const std::string& text) const;
};

DataFile Reader::read(const std::string& text) const {
    const DialectResult found = detectDialect(text);
    if (found.verdict == DialectVerdict::Ambiguous)
        return failed(DataFileFailure::AmbiguousDialect);
    Dialect dialect = found.dialect;
    ReadingChoice answered = choice;
    Records split = splitRecords(text, dialect.separator);
    if (split.unclosedQuoteLine > 0)
        return failed(DataFileFailure::UnclosedQuote, split.unclosedQuoteLine);
    if (split.records.empty()) return failed(DataFileFailure::Empty);

    // The decimal mark, where the separator leaves it open.
    bool thousands = false;
    auto decimal = [](ReadingChoice& c, int mark) { c.decimalMark = static_cast<char>(mark); };
    if (dialect.separator == ',' && commaOrFields(split.records)) {
        if (!answered.decimalMark) {
            if (auto q = ask({QuestionAbout::DecimalMark,
                              "Every line holds digits, a comma and digits, such as 41,2: this "
                              "may be one number with a decimal comma, or a value and a second "
                              "field.",
                              {option(answered, "A decimal comma: 41,2 is 41.2", decimal, ','),
                               option(answered, "A value and a second field: 41,2 is 41 and 2",
                                      decimal, '.')},
                              "--decimal comma or --decimal point"},
                             answered))
                return *q;
        }
        if (answered.decimalMark == ',') {
            // One field a line: no separator splits it.
            dialect = {';', ','};
            split = splitRecords(text, ';');
        }
    } else if (dialect.separator != ',') {
        const Points points = pointsIn(split.records, dialect.decimalMark);
        if (points == Points::Unclear && !answered.decimalMark) {
            if (auto q =
                    ask({QuestionAbout::DecimalMark,
                         "The values hold points only where thousands would be grouped, "
                         "such as 1.234: the point may be a decimal point or stand between "
                         "thousands.",
                         {option(answered, "Points between thousands: 1.234 is 1234", decimal, ','),
                          option(answered, "A decimal point: 1.234 is 1.234", decimal, '.')},
                         "--decimal comma (points between thousands) or --decimal point"},
                        answered))
                return *q;
        }
        if (points == Points::Thousands ||
            (points == Points::Unclear && answered.decimalMark == ',')) {
            thousands = true;
            dialect.decimalMark = ',';
        }
    }
    const std::vector<Record>& records = split.records;
    const auto value = [&](const std::string& field) {
        return parseValueField(field, dialect.decimalMark, thousands);
    };

    // A number in line 1: a header, or the first value of a file without one.
    if (!answered.header && value(records[0].fields[0].text).status == ValueStatus::Ok) {
        auto header = [](ReadingChoice& c, int yes) { c.header = yes != 0; };
        const std::string first = records[0].fields[0].text;
        if (auto q = ask({QuestionAbout::Header,
                          "Line 1 begins with a number, " + visibleText(first, 20).quoted +
                              ": it may be the first value, or the header that names the sample.",
                          {option(answered, "No header: line 1 is the first value", header, 0),
                           option(answered, "Line 1 is the header", header, 1)},
                          "--no-header or --header"},
                         answered))
            return *q;
    }
    const bool hasHeader = answered.header.value_or(true);
    const size_t firstData = hasHeader ? 1 : 0;

    size_t end = records.size();  // blank lines at the end of the file are no data
    while (end > firstData && records[end - 1].blank()) --end;
    const int dataLines = static_cast<int>(end - firstData);
    if (dataLines == 0) return failed(DataFileFailure::NoData);
    if (dataLines > kMaxRows) {
        DataFile file = failed(DataFileFailure::TooManyRows, records[kMaxRows + firstData].line);
        file.dataLines = dataLines;
        return file;
    }
    const std::vector<Field> noHeader;
    const std::vector<Field>& header = hasHeader ? records[0].fields : noHeader;

    // The value column: as chosen, or the first unless the first is an index.
    size_t column = 0;
    if (answered.columnName) {
        size_t c = 0;
        while (c < header.size() && trimmedText(header[c].text) != *answered.columnName) ++c;
        if (c == header.size()) {
            DataFile file = failed(DataFileFailure::NoSuchColumn, 0, *answered.columnName);
            return file;
        }
        column = c;
    } else if (answered.column) {
        column = static_cast<size_t>(std::max(1, *answered.column) - 1);
    } else {
        const std::vector<const Record*> data = nonBlank(records, firstData);
        const size_t names = hasHeader ? fieldCount(records[0]) : 0;
        const bool emptyFirst = names >= 2 && isBlankField(header[0].text);
        // Row or grain numbers under any name: a first column of exactly 1..n (or 0..n-1).
        const bool counting = names >= 2 && isCounting(data, 0);
        if (emptyFirst || counting) {
            std::vector<size_t> numeric;  // the other columns that hold a number on every line
            for (size_t c = 1; c < names; ++c) {
                bool all = true;
                for (const Record* r : data)
                    all = all && c < r->fields.size() &&
                          value(r->fields[c].text).status == ValueStatus::Ok;
                if (all) numeric.push_back(c);
            }
            if (emptyFirst && numeric.size() <= 1) {
                column = numeric.empty() ? 1 : numeric[0];
            } else if (!numeric.empty() && !answered.column) {
                auto pick = [](ReadingChoice& c, int col) { c.column = col; };
                ImportQuestion q{QuestionAbout::ValueColumn,
                                 emptyFirst ? "The first column has no name, as row numbers "
                                              "written by a script have: the values stand in "
                                              "another column."
                                            : "The first column holds the row numbers 1, 2, 3... "
                                              "(or 0, 1, 2...): it may be an index, with the "
                                              "values in another column.",
                                 {},
                                 "--column N or --column NAME"};
                if (counting) numeric.push_back(0);
                for (const size_t c : numeric)
                    q.options.push_back(option(answered,
                                               "Column " + std::to_string(c + 1) + ", " +
                                                   visibleText(header[c].text, 30).quoted,
                                               pick, static_cast<int>(c + 1)));
                if (auto asked = ask(std::move(q), answered)) return *asked;
                column = static_cast<size_t>(*answered.column - 1);
            }
        }
    }

    DataFile file;
    file.reading.separator = dialect.separator;
    file.reading.decimalMark = dialect.decimalMark;
    file.reading.thousandsPoint = thousands;
    file.reading.valueColumn = static_cast<int>(column) + 1;
    file.reading.header = hasHeader;
    const auto textAt = [](const std::vector<Field>& f, size_t i) {
        return i < f.size() ? cutToCharacters(f[i].text, kTextWindow) : std::string();
    };
    file.locality = textAt(header, column);
    file.localityM = textAt(header, column + 1);
    file.stratAge = cutToCharacters(joinRest(header, column + 2, dialect.separator), kTextWindow);

    // The first value written with each decimal mark, for a file that holds both.
    int pointLine = 0, commaLine = 0;
    for (size_t r = firstData; r < end; ++r) {
        const std::vector<Field>& f = records[r].fields;
        if (column >= f.size()) continue;
        const std::string& t = f[column].text;
        if (!pointLine && t.find('.') != std::string::npos &&
            !(thousands && isThousandsGrouped(t, true)))
            pointLine = records[r].line;
        if (!commaLine && t.find(',') != std::string::npos) commaLine = records[r].line;
    }
    bool oneField = true;
    for (size_t r = firstData; r < end; ++r) {
        const Record& record = records[r];
        // An empty line among the data would be a row of no value; refusing it keeps the row
        // numbers the program shows equal to the rows of the spreadsheet.
        if (record.blank()) return failed(DataFileFailure::BlankLine, record.line);
        oneField = oneField && fieldCount(record) <= 1;
        const std::string field = column < record.fields.size() ? record.fields[column].text : "";
        const ParsedValue v = value(field);
        if (v.status != ValueStatus::Ok) {
            if (dialect.separator != ',' && pointLine && commaLine && !field.empty() &&
                parseValueField(field, dialect.decimalMark == ',' ? '.' : ',').status ==
                    ValueStatus::Ok) {
                DataFile mixed =
                    failed(DataFileFailure::MixedDecimalMarks, std::min(pointLine, commaLine));
                mixed.otherLine = std::max(pointLine, commaLine);
                return mixed;
            }
            DataFile bad = failed(valueFailure(v.status), record.line, field);
            bad.failedField = static_cast<int>(column) + 1;
            return bad;
        }
        const size_t second = column + 1;
        const ParsedValue v2 =
            second < record.fields.size() ? value(record.fields[second].text) : ParsedValue{};
        file.rows.push_back(DataRow{
            v.value, v2.status == ValueStatus::Ok ? v2.value : 0.0,
            cutToCharacters(joinRest(record.fields, column + 2, dialect.separator), kTextWindow)});
    }
    if (oneField && fieldCount(records[0]) <= 1) file.reading.separator = 0;
    return file;
}

// A file's text, decoded, or the failure that stops it before its lines are read.
using FileText = std::variant<std::string, DataFile>;

FileText textOf(std::istream& in) {
    const BoundedRead read = readAtMost(in, kMaxDataFileBytes);
    if (read.status == ReadStatus::TooLarge) return failed(DataFileFailure::TooLarge);
    if (read.status == ReadStatus::ReadError) return failed(DataFileFailure::ReadError);
    const std::string& bytes = read.bytes;
    if (bytes.empty()) return failed(DataFileFailure::Empty);
    DecodedText decoded = decodeFile(bytes);
    if (decoded.notTextLine > 0) return failed(DataFileFailure::NotText, decoded.notTextLine);
    return std::move(decoded.utf8);
}

FileText textAt(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty()) return failed(DataFileFailure::CannotOpen);
    if (!fs::exists(path, ec))
        return failed(ec ? DataFileFailure::CannotOpen : DataFileFailure::NotFound);
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
    return textOf(in);
}

// A count file's grains as rows: each grain's age with its counting error and its note, the
// sample's name, where the file gives one, as the locality; or the count reader's refusal.
DataFile countFile(Outcome<CountData> read) {
    if (const Refusal* refused = std::get_if<Refusal>(&read))
        return failed(DataFileFailure::CountFile, 0, refused->brief);
    CountData& counts = std::get<CountData>(read);
    auto computed = fissionTrackStatistics(counts.calibration(), counts.grains);
    if (const std::string* why = std::get_if<std::string>(&computed))
        return failed(DataFileFailure::CountFile, 0, *why);
    const GrainAges ages = grainAgesUnderTest(std::get<FtSummary>(computed));
    DataFile file;
    file.locality = counts.sampleName;
    for (std::size_t i = 0; i < counts.grains.size(); ++i)
        file.rows.push_back(DataRow{ages.age[i], ages.se[i], counts.grains[i].note});
    file.reading.separator = counts.separator;
    file.reading.countLayout = counts.layout;
    file.counts = std::move(counts);
    return file;
}

// A count file by the count reader, any other as a data file of values.
DataFile readText(const FileText& text, const ReadingChoice& choice, bool proposed) {
    if (const DataFile* failure = std::get_if<DataFile>(&text)) return *failure;
    const std::string& utf8 = std::get<std::string>(text);
    // The count reader's refusal names no file: only its reason is kept.
    if (looksLikeCountFile(utf8)) return countFile(readCountText(utf8, {}));
    return Reader{choice, proposed}.read(utf8);
}

}  // namespace

DataFile readDataFile(std::istream& in, const ReadingChoice& choice) {
    return readText(textOf(in), choice, false);
}

DataFile readDataFile(const std::string& path, const ReadingChoice& choice, bool proposed) {
    return readText(textAt(path), choice, proposed);
}

bool isCountFile(const std::string& path) {
    const FileText text = textAt(path);
    const std::string* utf8 = std::get_if<std::string>(&text);
    return utf8 && looksLikeCountFile(*utf8);
}

std::string dataFileFailureMessage(const std::string& path, const DataFile& file) {
    const std::string head = "Error occurred while trying to load file: " + path + " , ";
    const std::string line = "line " + std::to_string(file.failedLine);
    // Characters that do not show are written out and named; long fields are cut.
    const std::string text = visibleText(file.failedText, kQuotedTextLength).described();
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
                   " and line " + std::to_string(file.otherLine) +
                   " use different marks). Nothing was loaded." + saveAs;
        case F::NotFound:
            return head + "the file does not exist. Check the name and the folder, please.";
        case F::Unclear: {
            std::string sentence = file.question ? file.question->sentence : std::string();
            if (!sentence.empty())
                sentence[0] =
                    static_cast<char>(std::tolower(static_cast<unsigned char>(sentence[0])));
            return head + sentence + " Nothing was loaded.";
        }
        case F::NoSuchColumn:
            return head + "its header names no column " + text + ". Nothing was loaded.";
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
            if (file.failedField > 1)
                return head + line + " has no value in field " + std::to_string(file.failedField) +
                       ", the value column." + nothing;
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
        case F::CountFile:
            return head + file.failedText;
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

// The refusal's reason after the file's name, for a command line.
std::string briefReason(const std::string& path, const DataFile& file, const std::string& message) {
    if (file.failure == DataFileFailure::NotFound) return "no such file";
    const std::string head = "Error occurred while trying to load file: " + path + " , ";
    return message.starts_with(head) ? message.substr(head.size()) : message;
}

Outcome<DataSet> dataSetOf(const DataFile& file, const std::string& name,
                           const std::string& shownAs) {
    if (!file.ok()) {
        const std::string message = dataFileFailureMessage(shownAs, file);
        return Refusal{kProgramTitle, message, briefReason(shownAs, file, message), file.question};
    }
    if (file.rows.size() < 3) {
        const std::string few = pasteFailureMessage(PasteFailure::OneOrTwo);
        return Refusal{kProgramTitle, few, few, std::nullopt};
    }
    DataSet data;
    data.DataFileName = name;
    data.Locality = file.locality, data.LocalityM = file.localityM, data.StratAge = file.stratAge;
    data.rows = file.rows;
    data.reading = file.reading;
    // A count file's second field is its grains' counting errors, 1 sigma.
    if (file.counts) data.uncertainty = UncertaintyKind::OneSigma;
    data.counts = file.counts;
    return data;
}

}  // namespace

Outcome<DataSet> Read_Data_File(const std::string& path, const ReadingChoice& choice) {
    return dataSetOf(readDataFile(path, choice), path, path);
}

Outcome<DataSet> Read_Data_File(std::istream& in, const std::string& name,
                                const std::string& shownAs, const ReadingChoice& choice) {
    return dataSetOf(readDataFile(in, choice), name, shownAs);
}

std::string describeReading(const FileReading& r) {
    std::string text;
    if (r.countLayout)
        text = std::string("fission-track counts in ") +
               (*r.countLayout == CountLayout::IsoplotR ? "IsoplotR's" : "RadialPlotter's") +
               " layout, ";
    switch (r.separator) {
        case ',':
            text += "commas between fields";
            break;
        case ';':
            text += "semicolons between fields";
            break;
        case '\t':
            text += "tabs between fields";
            break;
        default:
            text += "one field a line";
            break;
    }
    if (r.countLayout) return text;
    text += r.decimalMark == ',' ? ", decimal comma" : ", decimal point";
    if (r.thousandsPoint) text += ", points between thousands";
    text += ", values in column " + std::to_string(r.valueColumn);
    text += r.header ? ", line 1 the header" : ", no header";
    return text;
}

}  // namespace sifton
