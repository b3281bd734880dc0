#include "core/tables.h"

#include <sys/stat.h>

#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/file_text.h"
#include "core/line_reader.h"
#include "core/number_text.h"

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

// What tells one version of a file from the next: size, modification and change times to the
// nanosecond, device and inode. Empty when the file cannot be examined or was modified so
// recently (within 'settle' seconds) that a write in the same tick of the file system's clock
// would go unnoticed.
std::vector<long long> fileStamp(const std::string& path, int settle) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (now.tv_sec - st.st_mtim.tv_sec < settle || now.tv_sec - st.st_ctim.tv_sec < settle)
        return {};
    return {static_cast<long long>(st.st_size),
            st.st_mtim.tv_sec,
            st.st_mtim.tv_nsec,
            st.st_ctim.tv_sec,
            st.st_ctim.tv_nsec,
            static_cast<long long>(st.st_dev),
            static_cast<long long>(st.st_ino)};
}

}  // namespace

TableFile TableFile::read(const std::string& folder, const std::string& fileName) {
    TableFile t;
    t.m_fileName = fileName;
    t.m_path = (std::filesystem::path(folder) / fileName).string();
    auto failure = [&t](const std::string& why) {
        t.m_failure = why;
        return t;
    };

    // Only a plain file, as for data files: a folder cannot be read, and a device such as
    // /dev/zero or a pipe could block the open or never end.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(t.m_path, ec);
    if (!std::filesystem::exists(status)) return failure("is missing or cannot be opened.");
    if (!std::filesystem::is_regular_file(status))
        return failure("is not a plain file (it is a folder, a device or a pipe).");
    std::istringstream in;
    {
        std::ifstream file(t.m_path, std::ios::binary);
        if (!file.is_open()) return failure("is missing or cannot be opened.");
        // Read whole and closed at once, at most kMaxTableFileBytes of it.
        BoundedRead read = readAtMost(file, kMaxTableFileBytes);
        if (read.status == ReadStatus::TooLarge)
            return failure("is larger than " + std::to_string(kMaxTableFileBytes / 1024) +
                           " KB, far more than a table needs, and is not read.");
        if (read.status == ReadStatus::ReadError) return failure("could not be read to its end.");
        in.str(std::move(read.bytes));
    }
    LineReader reader(in);
    if (reader.atEnd()) return failure("is empty; it needs a header line and one record per n.");
    reader.readLine();  // the header, whatever it holds

    for (int lineNo = 2; !reader.atEnd(); ++lineNo) {
        const std::vector<std::string> fields = splitCommas(reader.readLine());
        Record& r = t.m_records.emplace_back();
        r.line = lineNo;
        r.fields = fields.size();
        r.nText = fields[0];
        r.numbers.reserve(fields.size());
        for (const std::string& field : fields) {
            if (!field.empty() && !Is_Number_Text(field)) {
                r.badField = quotedText(field, '?');
                break;
            }
            const double value = Text_To_Number(field);
            if (!std::isfinite(value)) {
                r.badField = quotedText(field, '?');
                r.badIsTooLarge = true;
                break;
            }
            r.numbers.push_back(value);
        }
    }
    return t;
}

TableLookupError TableFile::fail(const std::string& why) const {
    return TableLookupError(m_fileName, "The table file " + m_path + " " + why);
}

const TableFile::Record& TableFile::find(double n, int k) const {
    if (!m_failure.empty()) throw fail(m_failure);
    const std::size_t wanted = static_cast<std::size_t>(k) + 1;
    for (const Record& r : m_records) {
        const std::string where = "has on line " + std::to_string(r.line) + " ";
        if (r.fields != wanted)
            throw fail(where + std::to_string(r.fields) + " fields where each record needs " +
                       std::to_string(wanted) + ".");
        if (!r.badField.empty())
            throw fail(where + "the field " + r.badField +
                       (r.badIsTooLarge ? ", which is too large." : ", which is not a number."));
        if (r.numbers[0] == n) return r;
    }
    throw fail("has no record for n = " + generalNumberText(n) + ".");
}

std::span<const double> TableFile::row(double n, int k) const {
    return std::span<const double>(find(n, k).numbers).subspan(1);
}

std::string TableFile::nField(double n, int k) const { return find(n, k).nText; }

FolderTables::FolderTables(std::string folder, bool recheck, int settleSeconds)
    : m_folder(std::move(folder)), m_recheck(recheck), m_settleSeconds(settleSeconds) {}

std::shared_ptr<const TableFile> FolderTables::table(const std::string& fileName) {
    Entry& entry = m_files[fileName];
    if (entry.file && !m_recheck) return entry.file;
    const std::string path = (std::filesystem::path(m_folder) / fileName).string();
    std::vector<long long> stamp = fileStamp(path, m_settleSeconds);
    if (entry.file && !stamp.empty() && stamp == entry.stamp) return entry.file;
    entry.file = std::make_shared<const TableFile>(TableFile::read(m_folder, fileName));
    entry.stamp = std::move(stamp);
    return entry.file;
}

}  // namespace sifton
