#include "core/count_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/data_set.h"
#include "core/delimited_text.h"
#include "core/file_text.h"
#include "core/text_encoding.h"

namespace sifton {
namespace {

constexpr std::size_t kTextWindow = 998;  // as for a data file's header texts and notes
constexpr std::size_t kQuotedTextLength = 40;
constexpr std::size_t kMaxCountDigits = 9;  // a count fits an int, 300 of them a long long
constexpr int kRecognitionLines = 8;

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string lower(std::string_view text) {
    std::string out(trimmed(text));
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The fields of a record without the empty ones at its end (spreadsheets pad lines with commas).
std::size_t fieldCount(const Record& r) {
    std::size_t n = r.fields.size();
    while (n > 0 && trimmed(r.fields[n - 1].text).empty()) --n;
    return n;
}

bool isWholeNumber(std::string_view text) {
    text = trimmed(text);
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Counts hold no decimal mark, so a grain line (the last line with text) shows the separator:
// the first character after the digits of Ns.
char separatorOf(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0) {
        const std::size_t start = text.find_last_of("\r\n", end - 1);
        const std::size_t from = start == std::string_view::npos ? 0 : start + 1;
        const std::string_view line = text.substr(from, end - from);
        if (!trimmed(line).empty()) {
            for (const char c : line) {
                if (c == ',' || c == ';' || c == '\t') return c;
                if (c != ' ' && (c < '0' || c > '9')) break;
            }
            return ',';
        }
        if (from == 0) break;
        end = from - 1;
    }
    return ',';
}

// A number on a calibration line: with a decimal point, or with a decimal comma in a file whose
// fields are separated by semicolons or tabs.
ParsedValue numberIn(const Field& f, char separator) {
    const bool comma = separator != ',' && f.text.find(',') != std::string::npos;
    return parseValueField(f.text, comma ? ',' : '.');
}

// One or two numbers and nothing more.
bool holdsNumbers(const Record& r, char separator) {
    const std::size_t n = fieldCount(r);
    if (n < 1 || n > 2) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (numberIn(r.fields[i], separator).status != ValueStatus::Ok) return false;
    return true;
}

bool isGrainLine(const Record& r) {
    const std::size_t n = fieldCount(r);
    return (n == 2 || n == 3) && isWholeNumber(r.fields[0].text) && isWholeNumber(r.fields[1].text);
}

std::optional<CountLayout> layoutOf(const std::vector<Record>& records, char separator) {
    const auto field = [&](std::size_t record, std::size_t i) {
        return record < records.size() && i < records[record].fields.size()
                   ? lower(records[record].fields[i].text)
                   : std::string();
    };
    if (field(0, 0) == "zeta" && field(2, 0) == "rhod" && field(4, 0) == "ns" &&
        field(4, 1) == "ni")
        return CountLayout::IsoplotR;
    if (!records.empty() && fieldCount(records[0]) == 2 &&
        trimmed(records[0].fields[1].text) == "F")
        return CountLayout::RadialPlotter;
    if (records.size() < 4) return std::nullopt;
    if (fieldCount(records[0]) > 1 || !holdsNumbers(records[1], separator) ||
        !holdsNumbers(records[2], separator))
        return std::nullopt;
    const double zeta = numberIn(records[1].fields[0], separator).value;
    const double rhoD = numberIn(records[2].fields[0], separator).value;
    if (!(rhoD >= 1e4 && rhoD >= 100 * zeta)) return std::nullopt;
    for (std::size_t r = 3; r < records.size() && r < kRecognitionLines; ++r)
        if (!records[r].blank() && !isGrainLine(records[r])) return std::nullopt;
    return isGrainLine(records[3]) ? std::optional(CountLayout::RadialPlotter) : std::nullopt;
}

// A refusal: the message names the file, and after it the reason, which is also the brief.
Refusal refused(const std::string& shownAs, const std::string& reason) {
    Refusal r;
    r.title = kProgramTitle;
    r.message = "Error occurred while trying to load file: " + shownAs + " , " + reason;
    r.brief = reason;
    return r;
}

std::string shown(std::string_view text) {
    return visibleText(text, kQuotedTextLength).described();
}

struct Reader {
    const std::string& shownAs;
    CountLayout layout;
    char separator;

    std::string layoutName() const {
        return layout == CountLayout::IsoplotR
                   ? "read as IsoplotR's fission-track layout (zeta,err; its values; rhoD,err; "
                     "its values; Ns,Ni; then one grain a line)"
                   : "read as RadialPlotter's fission-track layout (sample name; zeta; rhoD; "
                     "then Ns,Ni a line)";
    }
    Refusal at(const Record& r, const std::string& why) const {
        return refused(shownAs, layoutName() + ", line " + std::to_string(r.line) + " " + why +
                                    " Nothing was loaded; correct that line and retry.");
    }

    // A value and its error on one line: 'name' as the file's reader knows it.
    std::variant<std::pair<double, double>, Refusal> calibration(const Record& r,
                                                                 const std::string& name,
                                                                 const std::string& unit,
                                                                 bool errorRequired) const {
        const std::size_t n = fieldCount(r);
        if (n == 0)
            return at(r, "is empty where " + name + " (" + unit + ") and its error should stand.");
        if (n > 2)
            return at(r, "holds " + std::to_string(n) + " fields where " + name +
                             (errorRequired ? " and its error" : " and an optional error") +
                             " should stand.");
        if (errorRequired && n < 2)
            return at(r, "holds " + name +
                             " without its 1-sigma error, which this layout "
                             "requires.");
        const ParsedValue v = numberIn(r.fields[0], separator);
        if (v.status != ValueStatus::Ok || !(v.value > 0))
            return at(r, "holds " + shown(r.fields[0].text) + " where " + name + " (" + unit +
                             "), a positive number, should stand.");
        double se = 0;
        if (n == 2) {
            const ParsedValue e = numberIn(r.fields[1], separator);
            if (e.status != ValueStatus::Ok || e.value < 0)
                return at(r, "holds " + shown(r.fields[1].text) + " where the 1-sigma error of " +
                                 name + ", a number of 0 or more in " + unit + ", should stand.");
            se = e.value;
        }
        return std::pair(v.value, se);
    }

    std::optional<Refusal> count(const Record& r, std::size_t i, const char* name, const char* what,
                                 int& out) const {
        const std::string& text = r.fields[i].text;
        if (!isWholeNumber(text))
            return at(r, "holds " + shown(text) + " where " + name + ", a whole number of " + what +
                             " tracks such as 41, should stand.");
        if (trimmed(text).size() > kMaxCountDigits)
            return at(
                r, "holds " + shown(text) + " as " + name + ", more tracks than any grain holds.");
        out = std::stoi(std::string(trimmed(text)));
        return std::nullopt;
    }

    Outcome<CountData> read(const std::vector<Record>& records) const;
};

Outcome<CountData> Reader::read(const std::vector<Record>& records) const {
    CountData data;
    data.layout = layout;
    data.separator = separator;
    std::size_t first = 0;  // the first grain record
    const auto take = [&](const Record& r, const std::string& name, const std::string& unit,
                          bool required, double& value, double& se) -> std::optional<Refusal> {
        auto c = calibration(r, name, unit, required);
        if (auto* bad = std::get_if<Refusal>(&c)) return *bad;
        std::tie(value, se) = std::get<std::pair<double, double>>(c);
        return std::nullopt;
    };
    if (layout == CountLayout::IsoplotR) {
        if (auto bad = take(records[1], "zeta", "yr cm^2", true, data.zeta, data.zetaSe))
            return *bad;
        if (auto bad = take(records[3], "rhoD", "tracks per cm^2", true, data.rhoD, data.rhoDSe))
            return *bad;
        first = 5;
    } else {
        if (!records[0].fields.empty())
            data.sampleName =
                cutToCharacters(std::string(trimmed(records[0].fields[0].text)), kTextWindow);
        if (records.size() < 3)
            return refused(shownAs,
                           layoutName() + ", the file ends before the rhoD line (line 3).");
        if (auto bad = take(records[1], "zeta", "yr cm^2", false, data.zeta, data.zetaSe))
            return *bad;
        if (auto bad = take(records[2], "rhoD", "tracks per cm^2", false, data.rhoD, data.rhoDSe))
            return *bad;
        first = 3;
    }

    std::size_t end = records.size();  // blank lines at the end of the file hold no grain
    while (end > first && records[end - 1].blank()) --end;
    if (end == first)
        return refused(shownAs, layoutName() +
                                    ", the file holds no grain line after its "
                                    "calibration lines.");
    const std::size_t grains = end - first;
    if (grains > static_cast<std::size_t>(kMaxRows))
        return refused(shownAs, layoutName() + ", it has " + std::to_string(grains) +
                                    " grain lines from line " +
                                    std::to_string(records[first].line) +
                                    " on, and this program tests at most 300 grains (empty "
                                    "lines at the end of the file are not counted). Nothing "
                                    "was loaded.");
    for (std::size_t k = first; k < end; ++k) {
        const Record& r = records[k];
        if (r.blank()) return at(r, "is empty, but more grains follow it. Remove the empty line.");
        const std::size_t n = fieldCount(r);
        if (n < 2)
            return at(r, "holds " + shown(joinRest(r.fields, 0, separator)) +
                             " where a grain's Ns and Ni, such as 31 and 41, should stand.");
        GrainCount g;
        g.line = r.line;
        if (auto bad = count(r, 0, "Ns", "spontaneous", g.ns)) return *bad;
        if (auto bad = count(r, 1, "Ni", "induced", g.ni)) return *bad;
        if (g.ns + g.ni == 0) return at(r, "holds a grain without any track (Ns = Ni = 0).");
        if (g.ni == 0)
            return at(r,
                      "holds a grain without induced tracks (Ni = 0): its age has no finite "
                      "value, and this program tests single-grain ages.");
        g.note = cutToCharacters(joinRest(r.fields, 2, separator), kTextWindow);
        data.grains.push_back(std::move(g));
    }
    return data;
}

}  // namespace

CountCalibration CountData::calibration() const {
    CountCalibration c;
    c.zeta = zeta, c.zetaSe = zetaSe, c.rhoD = rhoD, c.rhoDSe = rhoDSe;
    return c;
}

std::optional<CountLayout> countLayoutOf(std::string_view utf8) {
    const char separator = separatorOf(utf8);
    const Records split = splitRecords(utf8, separator);
    if (split.unclosedQuoteLine > 0) return std::nullopt;
    return layoutOf(split.records, separator);
}

Outcome<CountData> readCountText(const std::string& utf8, const std::string& shownAs) {
    const char separator = separatorOf(utf8);
    const Records split = splitRecords(utf8, separator);
    if (split.unclosedQuoteLine > 0)
        return refused(shownAs, "line " + std::to_string(split.unclosedQuoteLine) +
                                    " opens a quoted field (\") that is never closed. Nothing "
                                    "was loaded; correct that line and retry.");
    const std::optional<CountLayout> layout = layoutOf(split.records, separator);
    if (!layout)
        return refused(shownAs,
                       "it is not a fission-track count file in either layout this program "
                       "reads: IsoplotR's (zeta,err on line 1, rhoD,err on line 3, Ns,Ni on "
                       "line 5) or RadialPlotter's (sample name, zeta, rhoD, then Ns,Ni a "
                       "line). Nothing was loaded.");
    return Reader{shownAs, *layout, separator}.read(split.records);
}

Outcome<CountData> readCountFile(std::istream& in, const std::string& shownAs) {
    const BoundedRead read = readAtMost(in, kMaxDataFileBytes);
    if (read.status == ReadStatus::TooLarge)
        return refused(shownAs, "it is larger than " + std::to_string(kMaxDataFileBytes >> 20) +
                                    " MB, far more than a count file of at most 300 grains "
                                    "needs. Nothing was loaded.");
    if (read.status == ReadStatus::ReadError)
        return refused(shownAs,
                       "the system reported an error while reading it. Nothing was loaded; copy "
                       "the file to a local disk and retry.");
    if (read.bytes.empty()) return refused(shownAs, "the file is empty.");
    const DecodedText decoded = decodeFile(read.bytes);
    if (decoded.notTextLine > 0)
        return refused(shownAs, "it is not a text file: line " +
                                    std::to_string(decoded.notTextLine) +
                                    " holds a NUL byte or a control character. Nothing was "
                                    "loaded.");
    return readCountText(decoded.utf8, shownAs);
}

Outcome<CountData> readCountFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty()) return refused(path, "no file was named.");
    if (!fs::exists(path, ec)) {
        Refusal r =
            refused(path, "the file does not exist. Check the name and the folder, please.");
        r.brief = "no such file";
        return r;
    }
    // Only a plain file: a device or a pipe could block the open or never end.
    if (!fs::is_regular_file(path, ec))
        return refused(path, "it is not a plain file (it is a folder, a device or a pipe).");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refused(path, errno == EACCES || errno == EPERM
                                 ? "this program has no permission to read it."
                                 : "it cannot be opened.");
    return readCountFile(in, path);
}

}  // namespace sifton
