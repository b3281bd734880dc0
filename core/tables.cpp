#include "core/tables.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/store.h"

namespace sifton {
namespace {

std::string trimmed(const std::string& text) {
    size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    size_t e = text.find_last_not_of(" \t");
    return text.substr(b, e - b + 1);
}

std::vector<std::string> splitCommas(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t comma = line.find(',', start);
        fields.push_back(trimmed(line.substr(start, comma - start)));
        if (comma == std::string::npos) return fields;
        start = comma + 1;
    }
}

// A field as the message quotes it: control characters, a NUL above all, would cut the message
// short or hide in it, so they show as '?'.
std::string quoted(std::string field) {
    for (char& c : field)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return "\"" + field + "\"";
}

}  // namespace

std::vector<double> Find_Table_Row(const std::string& fileName, double n, int k) {
    SampleStore& s = store();
    const std::string path = (std::filesystem::path(s.TableFolder) / fileName).string();
    auto fail = [&](const std::string& why) {
        return TableLookupError(fileName, "The table file " + path + " " + why);
    };

    // Only a plain file, as for data files: a folder cannot be read, and a device such as
    // /dev/zero or a pipe could block the open or never end.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) throw fail("is missing or cannot be opened.");
    if (!std::filesystem::is_regular_file(status))
        throw fail("is not a plain file (it is a folder, a device or a pipe).");
    std::istringstream in;
    {
        std::ifstream file(path, std::ios::binary);
        if (!file.is_open()) throw fail("is missing or cannot be opened.");
        // Read whole and closed at once, at most kMaxTableFileBytes of it.
        std::string bytes;
        char chunk[4096];
        while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
            bytes.append(chunk, static_cast<size_t>(file.gcount()));
            if (bytes.size() > kMaxTableFileBytes)
                throw fail("is larger than " + std::to_string(kMaxTableFileBytes / 1024) +
                           " KB, far more than a table needs, and is not read.");
        }
        if (file.bad()) throw fail("could not be read to its end.");
        in.str(std::move(bytes));
    }
    LineReader reader(in);
    if (reader.atEnd()) throw fail("is empty; it needs a header line and one record per n.");
    s.LineBuffer = reader.readLine();  // the header, whatever it holds

    const std::string wanted = generalNumberText(n);
    for (int lineNo = 2; !reader.atEnd(); ++lineNo) {
        s.LineBuffer = reader.readLine();
        std::vector<std::string> fields = splitCommas(s.LineBuffer);
        const std::string where = "has on line " + std::to_string(lineNo) + " ";
        if (static_cast<int>(fields.size()) != k + 1)
            throw fail(where + std::to_string(fields.size()) + " fields where each record needs " +
                       std::to_string(k + 1) + ".");
        std::vector<double> numbers;
        for (const std::string& field : fields) {
            if (!field.empty() && !Is_Number_Text(field))
                throw fail(where + "the field " + quoted(field) + ", which is not a number.");
            double value = Text_To_Number(field);
            if (!std::isfinite(value))
                throw fail(where + "the field " + quoted(field) + ", which is too large.");
            numbers.push_back(value);
        }
        if (numbers[0] == n) {
            s.LineBuffer = fields[0];
            return {numbers.begin() + 1, numbers.end()};
        }
    }
    throw fail("has no record for n = " + wanted + ".");
}

}  // namespace sifton
