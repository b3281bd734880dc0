#include "core/input.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/store.h"
#include "core/text_encoding.h"

namespace sifton {
namespace {

// A field ends at the first comma among the first 998 characters of the remainder (so it holds
// at most 997 characters); with no comma there, the field is the first 998 characters and the
// rest of the line is dropped.
constexpr size_t kFieldWindow = 998;

struct Split {
    std::u32string field;
    bool endedByComma = false;
};

Split takeField(std::u32string& remainder) {
    size_t window = std::min(remainder.size(), kFieldWindow);
    size_t comma = remainder.find(U',');
    if (comma != std::u32string::npos && comma < window) {
        Split s{remainder.substr(0, comma), true};
        remainder.erase(0, comma + 1);
        return s;
    }
    Split s{remainder.substr(0, window), false};
    remainder.clear();
    return s;
}

double fieldValue(const std::u32string& field) { return Text_To_Number(toUtf8(field)); }

}  // namespace

bool isComputableValue(double value) {
    double size = std::fabs(value);
    return value == 0.0 || (size >= kMinComputableSize && size <= kMaxComputableSize);
}

DataFile readDataFile(const std::string& path) {
    DataFile file;
    std::error_code ec;
    // Only a plain file: a folder cannot be read, and a device such as /dev/zero or a pipe could
    // block the open or never end its first line.
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
        file.failure = DataFileFailure::CannotOpen;
        return file;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        file.failure = DataFileFailure::CannotOpen;
        return file;
    }
    LineReader reader(in);
    if (reader.atEnd()) {
        file.failure = reader.failed() ? DataFileFailure::ReadError : DataFileFailure::Empty;
        return file;
    }
    std::u32string header = decodeLine(reader.readLine());
    file.locality = toUtf8(takeField(header).field);
    file.localityM = toUtf8(takeField(header).field);
    file.stratAge = toUtf8(header);

    while (!reader.atEnd()) {
        int row = static_cast<int>(file.rows.size()) + 1;
        if (row > kMaxRows) {
            file.failure = DataFileFailure::TooManyRows;
            file.failedRow = row;
            return file;
        }
        std::u32string line = decodeLine(reader.readLine());
        DataRow data;
        Split first = takeField(line);
        data.value1 = fieldValue(first.field);
        if (first.endedByComma) {
            data.value2 = fieldValue(takeField(line).field);
            data.rest = toUtf8(line);
        }
        if (!std::isfinite(data.value1) || !std::isfinite(data.value2)) {
            file.failure = DataFileFailure::NotFiniteValue;
            file.failedRow = row;
            return file;
        }
        if (!isComputableValue(data.value1)) {
            file.failure = DataFileFailure::ValueOutOfRange;
            file.failedRow = row;
            return file;
        }
        file.rows.push_back(std::move(data));
    }
    if (reader.failed()) {
        file.failure = DataFileFailure::ReadError;
        file.failedRow = static_cast<int>(file.rows.size()) + 1;
    }
    return file;
}

std::string dataFileFailureMessage(const std::string& path, const DataFile& file) {
    if (file.failure == DataFileFailure::NotFiniteValue) {
        return "Error occurred while trying to load file: " + path + " , data row " +
               std::to_string(file.failedRow) +
               " holds a value too large to be a number (such as 1E+999). Nothing was loaded; "
               "correct that row and retry.";
    }
    if (file.failure == DataFileFailure::ValueOutOfRange) {
        return "Error occurred while trying to load file: " + path + " , data row " +
               std::to_string(file.failedRow) +
               " holds a value too large or too small to compute with: values must be 0 or lie "
               "between 1E-100 and 1E+100 in size. Nothing was loaded; correct that row and "
               "retry.";
    }
    return "Error occurred while trying to load file: " + path +
           " , please retry or check the file."
           "If the extension of your data file is *.CSV ot *.DAT then this program expects a "
           "COMMA DELIMITED text file."
           "Try to save your data again into a thre-column text file using the 'comma "
           "delimited' option.";
}

void storeDataFile(const DataFile& file) {
    SampleStore& s = store();
    s.Locality = file.locality;
    s.LocalityM = file.localityM;
    s.StratAge = file.stratAge;
    int n = static_cast<int>(file.rows.size());
    for (int i = 1; i <= n; ++i) {
        const DataRow& row = file.rows[static_cast<size_t>(i - 1)];
        s.RawCol1[i] = row.value1;
        s.RawCol2[i] = row.value2;
        s.RawCol3[i] = row.rest;
    }
    s.LineBuffer = n > 0 ? file.rows.back().rest : file.stratAge;
    s.RowCount = n;
    if (!file.ok()) {
        // The failed line was counted but not stored; the data set (NData, Col1, Col2) is left
        // as it was, and the caller must not compute on it.
        s.RowCount = file.failedRow;
        return;
    }
    s.NData = n;
    for (int i = 1; i <= n; ++i) {
        s.Col1[i] = s.RawCol1[i];
        s.Col2[i] = s.RawCol2[i];
    }
}

bool Read_Data_File(const std::string& path, Platform& platform) {
    SampleStore& s = store();
    s.Locality.clear();
    s.LocalityM.clear();
    s.StratAge.clear();
    DataFile file = readDataFile(path);
    bool headerRead = file.ok() || file.failedRow > 0;
    if (headerRead) storeDataFile(file);
    if (!file.ok()) platform.showWarning(kProgramTitle, dataFileFailureMessage(path, file));
    return file.ok();
}

PastedValues parseClipboardText(const std::string& text) {
    PastedValues result;
    if (text.empty()) {
        result.failure = PasteFailure::NoText;
        return result;
    }
    auto take = [&](const std::string& token) {
        if (!Is_Number_Text(token)) return PasteFailure::NotNumeric;
        double value = Text_To_Number(token);
        if (!std::isfinite(value)) return PasteFailure::NotFinite;
        if (!isComputableValue(value)) return PasteFailure::OutOfRange;
        if (result.values.size() == static_cast<size_t>(kMaxRows)) return PasteFailure::TooMany;
        result.values.push_back(value);
        return PasteFailure::None;
    };
    std::string token;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\t' && c != '\r' && c != '\n') {
            token += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        result.failure = take(token);
        if (!result.ok()) return result;
        token.clear();
    }
    if (token.find_first_not_of(" ") != std::string::npos) {
        result.failure = take(token);
        if (!result.ok()) return result;
    }
    if (result.values.empty())
        result.failure = PasteFailure::NoValue;
    else if (result.values.size() < 3)
        result.failure = PasteFailure::OneOrTwo;
    return result;
}

std::string pasteFailureMessage(PasteFailure failure) {
    switch (failure) {
        case PasteFailure::NoText:
            return "There are no numbers on the clipboard.";
        case PasteFailure::NotNumeric:
            return "One or more of the values are not numeric! The copied data are not pasted in "
                   "this program. Check the selection, please.";
        case PasteFailure::NotFinite:
            return "One or more of the values are too large to be used as numbers (such as "
                   "1E+999). The copied data are not pasted in this program. Check the "
                   "selection, please.";
        case PasteFailure::OutOfRange:
            return "One or more of the values are too large or too small to compute with: values "
                   "must be 0 or lie between 1E-100 and 1E+100 in size. The copied data are not "
                   "pasted in this program. Check the selection, please.";
        case PasteFailure::TooMany:
            return "There are more than 300 values on the clipboard, and this program tests at "
                   "most 300. The copied data are not pasted in this program. Check the "
                   "selection, please.";
        case PasteFailure::OneOrTwo:
            return "What can I test with one or two data?";
        case PasteFailure::None:
        case PasteFailure::NoValue:
            break;
    }
    return {};
}

void storePastedValues(const std::vector<double>& values) {
    SampleStore& s = store();
    s.DataFileName = "From Clipboard";
    int n = static_cast<int>(values.size());
    for (int i = 1; i <= n; ++i) s.Col1[i] = values[static_cast<size_t>(i - 1)];
    s.RowCount = n;
    s.NData = n;
}

bool Paste_Clipboard(Platform& platform) {
    SampleStore& s = store();
    s.LineBuffer = platform.clipboardText();
    PastedValues pasted = parseClipboardText(s.LineBuffer);
    if (!pasted.ok()) {
        std::string message = pasteFailureMessage(pasted.failure);
        if (!message.empty()) platform.showWarning("", message);
        return false;
    }
    storePastedValues(pasted.values);
    return true;
}

}  // namespace sifton
