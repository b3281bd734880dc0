// Hostile and odd inputs on the three ways data get in: data files, clipboard text and table
// files. Each case states its outcome: a clear message or a well-defined load, never a crash or
// a hang, and a refused input leaves the data set that was loaded before it as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/input.h"
#include "core/outlier_tests.h"
#include "core/statistics.h"
#include "core/store.h"
#include "core/tables.h"
#include "platform/scripted_platform.h"

namespace sifton {
namespace {

namespace fs = std::filesystem;

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string repeat(const std::string& piece, size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) out += piece;
    return out;
}

// Deterministic bytes of every value, line ends included.
std::string noise(size_t size) {
    std::string out(size, '\0');
    uint32_t state = 12345;
    for (char& c : out) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    return out;
}

// Bytes the process has read through read() so far, or -1 without /proc/self/io.
long long bytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "rchar:") return value;
    return -1;
}

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

// Tables with a record for every n the tests look up.
void writeTables(const fs::path& folder) {
    std::string grubbs = "n,G 10%,G 7.5%,G 5%,G 2.5%,G 1%\r\n";
    for (int n = 3; n <= 100; ++n) grubbs += std::to_string(n) + ",1.5,1.6,1.7,1.8,1.9\r\n";
    std::string dixon = "n,r 10%,r 5%,r 2%,r 1%,r 0.5%\r\n";
    for (int n = 3; n <= 25; ++n) dixon += std::to_string(n) + ",400,500,600,700,800\r\n";
    std::string gauss = "n,g 5%\r\n";
    for (int n = 3; n <= 50; ++n) gauss += std::to_string(n) + ",2.5\r\n";
    writeBytes(folder / "grubbs.dat", grubbs);
    writeBytes(folder / "dixon.dat", dixon);
    writeBytes(folder / "gauss-g.dat", gauss);
}

constexpr const char* kGoodFile =
    "Locality,Mineral,Age\r\n10,1\r\n12,2\r\n11,3\r\n30,4\r\n12,5\r\n";

// Every test starts from the good data set above, loaded through Read_Data_File, with tables
// in a private folder.
class HostileInput : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "sifton-hardening-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        writeTables(m_folder);
        Reset_Store();
        store().TableFolder = m_folder.string();
        writeBytes(path("good.csv"), kGoodFile);
        ASSERT_TRUE(Read_Data_File(path("good.csv"), m_platform));
        ASSERT_EQ(store().NData, 5);
        m_col1 = store().Col1;
        m_col2 = store().Col2;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(path("locked.csv"), fs::perms::owner_all, ec);
        fs::remove_all(m_folder, ec);
    }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    std::string writeFile(const std::string& name, const std::string& bytes) {
        writeBytes(path(name), bytes);
        return path(name);
    }

    void expectDataSetKept() const {
        EXPECT_EQ(store().NData, 5);
        EXPECT_TRUE(store().Col1 == m_col1) << "Col1 changed";
        EXPECT_TRUE(store().Col2 == m_col2) << "Col2 changed";
    }

    // The two ways a file is refused: readDataFile alone writes nothing, Read_Data_File shows one
    // warning titled with the program, starting with the path, and keeps the data set.
    DataFile expectRefusedFile(const std::string& file, DataFileFailure failure, int failedRow,
                               const std::string& messagePart) {
        DataFile read = readDataFile(file);
        EXPECT_EQ(read.failure, failure);
        EXPECT_EQ(read.failedRow, failedRow);
        expectDataSetKept();
        EXPECT_FALSE(Read_Data_File(file, m_platform));
        expectDataSetKept();
        EXPECT_EQ(m_platform.messages.size(), 1u);
        if (!m_platform.messages.empty()) {
            const auto& message = m_platform.messages.back();
            EXPECT_EQ(message.title, "Sifton");
            EXPECT_EQ(
                message.text.rfind("Error occurred while trying to load file: " + file + " , ", 0),
                0u)
                << message.text;
            EXPECT_NE(message.text.find(messagePart), std::string::npos) << message.text;
        }
        return read;
    }

    fs::path m_folder;
    ScriptedPlatform m_platform;
    RowArray m_col1, m_col2;
};

// ---- Data files that are refused ------------------------------------------------------------

struct RefusedFile {
    const char* name;
    std::string bytes;
    DataFileFailure failure;
    int failedRow;
    const char* messagePart;
};

void PrintTo(const RefusedFile& c, std::ostream* os) { *os << c.name; }

class RefusedDataFile : public HostileInput, public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedDataFile, MessageAndDataSetKept) {
    const RefusedFile& c = GetParam();
    std::string file = writeFile("hostile.csv", c.bytes);
    expectRefusedFile(file, c.failure, c.failedRow, c.messagePart);
}

constexpr const char* kRetry = " , please retry or check the file.";
constexpr const char* kTooLarge = "holds a value too large to be a number";
constexpr const char* kOutOfRange = "holds a value too large or too small to compute with";
using DF = DataFileFailure;

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedDataFile,
    ::testing::Values(
        RefusedFile{"EmptyFile", "", DF::Empty, 0, kRetry},
        RefusedFile{"Plus1e999", "h,h,h\n1\n1e999\n3\n", DF::NotFiniteValue, 2,
                    "data row 2 holds a value too large to be a number"},
        RefusedFile{"Minus1e999", "h,h,h\n-1e999,1\n", DF::NotFiniteValue, 1, kTooLarge},
        RefusedFile{"Minus1e999InField2", "h,h,h\n5,-1e999\n", DF::NotFiniteValue, 1, kTooLarge},
        // 998 digits, the most a field holds of a 10 MB number.
        RefusedFile{"TenMegabyteNumber", "h,h,h\n" + std::string(10'000'000, '7') + "\n",
                    DF::NotFiniteValue, 1, kTooLarge},
        // Sums and squares of such values overflow: the statistics would show "∞" or a NaN
        // written as 0.0, and the Grubbs classes would claim "< 1 %".
        RefusedFile{"SumsOf1e308Overflow", "h,h,h\n1e308\n1e308\n1e308\n", DF::ValueOutOfRange, 1,
                    "data row 1 holds a value too large or too small to compute with"},
        RefusedFile{"SquaresOf1e200Overflow", "h,h,h\n1e200\n1.2e200\n3e200\n", DF::ValueOutOfRange,
                    1, kOutOfRange},
        RefusedFile{"JustAboveTheLargestSize", "h,h,h\n5\n-1.0000000001e100\n", DF::ValueOutOfRange,
                    2, kOutOfRange},
        // Squared deviations of such values underflow to 0: a spread of 0 would make every
        // extreme "< 1 %".
        RefusedFile{"SquaresOf1e200thUnderflow", "h,h,h\n1e-200\n3e-200\n2e-200\n",
                    DF::ValueOutOfRange, 1, kOutOfRange},
        RefusedFile{"JustBelowTheSmallestSize", "h,h,h\n1\n2\n9.9999e-101\n", DF::ValueOutOfRange,
                    3, kOutOfRange},
        RefusedFile{"ThreeHundredAndOneEmptyLines", "h,h,h\n" + std::string(301, '\n'),
                    DF::TooManyRows, 301, kRetry},
        // 64 KiB of noise holds some 500 line ends.
        RefusedFile{"BinaryNoise", noise(1 << 16), DF::TooManyRows, 301, kRetry}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostileInput, MillionLinesStopAtThe301stWithoutReadingOn) {
    const std::string file =
        writeFile("million.csv", "a,b,c\n" + repeat("12.5,3,row text\n", 1'000'000));
    const long long before = bytesRead();
    const auto start = std::chrono::steady_clock::now();
    DataFile read = readDataFile(file);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(read.failure, DataFileFailure::TooManyRows);
    EXPECT_EQ(read.failedRow, 301);
    EXPECT_EQ(read.rows.size(), 300u);
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    if (before < 0) GTEST_SKIP() << "no /proc/self/io to count the bytes read";
    // 16 MB on disk; 301 lines are some 5 KB, plus one buffer of the file stream.
    EXPECT_LT(bytesRead() - before, 1 << 20);
}

TEST_F(HostileInput, FolderIsRefused) {
    fs::create_directory(path("folder.csv"));
    expectRefusedFile(path("folder.csv"), DataFileFailure::CannotOpen, 0, kRetry);
}

TEST_F(HostileInput, MissingFileAndEmptyPathAreRefused) {
    expectRefusedFile(path("missing.csv"), DataFileFailure::CannotOpen, 0, kRetry);
    m_platform.messages.clear();
    expectRefusedFile("", DataFileFailure::CannotOpen, 0, kRetry);
}

// A pipe would block the open until someone writes; a device such as /dev/zero never ends its
// first line.
TEST_F(HostileInput, PipeIsRefusedWithoutBlocking) {
    ASSERT_EQ(mkfifo(path("pipe.csv").c_str(), 0600), 0);
    expectRefusedFile(path("pipe.csv"), DataFileFailure::CannotOpen, 0, kRetry);
}

TEST_F(HostileInput, EndlessDeviceIsRefused) {
    if (!fs::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero";
    expectRefusedFile("/dev/zero", DataFileFailure::CannotOpen, 0, kRetry);
}

TEST_F(HostileInput, UnreadableFileIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root, which reads a file of mode 000 anyway";
    const std::string file = writeFile("locked.csv", kGoodFile);
    fs::permissions(file, fs::perms::none);
    expectRefusedFile(file, DataFileFailure::CannotOpen, 0, kRetry);
}

TEST_F(HostileInput, LinkToAFileLoadsTheFile) {
    fs::create_symlink(writeFile("target.csv", "h,h,h\n1\n2\n3\n"), path("link.csv"));
    EXPECT_TRUE(Read_Data_File(path("link.csv"), m_platform));
    EXPECT_EQ(store().NData, 3);
    EXPECT_EQ(store().Col1[3].toNumber(), 3);
}

// ---- Data files that load, with a well-defined result ------------------------------------------

struct LoadedFile {
    const char* name;
    std::string bytes;
    std::string locality, localityM, stratAge;
    std::vector<std::pair<double, double>> rows;
};

void PrintTo(const LoadedFile& c, std::ostream* os) { *os << c.name; }

class LoadedDataFile : public HostileInput, public ::testing::WithParamInterface<LoadedFile> {};

TEST_P(LoadedDataFile, ReadsAsStated) {
    const LoadedFile& c = GetParam();
    const std::string file = writeFile("odd.csv", c.bytes);
    DataFile read = readDataFile(file);
    ASSERT_TRUE(read.ok()) << static_cast<int>(read.failure);
    EXPECT_EQ(read.locality, c.locality);
    EXPECT_EQ(read.localityM, c.localityM);
    EXPECT_EQ(read.stratAge, c.stratAge);
    ASSERT_EQ(read.rows.size(), c.rows.size());
    for (size_t i = 0; i < c.rows.size(); ++i) {
        EXPECT_EQ(read.rows[i].value1, c.rows[i].first) << "row " << i + 1;
        EXPECT_EQ(read.rows[i].value2, c.rows[i].second) << "row " << i + 1;
    }
    EXPECT_TRUE(Read_Data_File(file, m_platform));
    EXPECT_TRUE(m_platform.messages.empty());
    EXPECT_EQ(store().NData, static_cast<double>(c.rows.size()));
}

std::string allBytes() {
    std::string out;
    for (int b = 0; b < 256; ++b) out += static_cast<char>(b);
    return out;
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadedDataFile,
    ::testing::Values(
        // Bytes 0..255: LF (10) ends the header, CR (13) the first row; no field holds digits
        // after a sign or at its start, so both rows read 0.
        LoadedFile{"AllByteValues", allBytes(), allBytes().substr(0, 10), "", "", {{0, 0}, {0, 0}}},
        LoadedFile{"NulBytes",
                   "Lo\0c,M\0,A\0ge\r\n1\0 2,3\0 4,r\0est\r\n\0\0\0\r\n"s,
                   "Lo\0c"s,
                   "M\0"s,
                   "A\0ge"s,
                   {{1, 3}, {0, 0}}},
        LoadedFile{"NanAndInfReadAsZero",
                   "h,h,h\nnan\ninf,-inf\nNaN,INF\n",
                   "h",
                   "h",
                   "h",
                   {{0, 0}, {0, 0}, {0, 0}}},
        LoadedFile{
            "SizesAtTheEdges",
            "h,h,h\n1e100\n-1e100\n1e-100\n-1e-100\n0\n-0\n1e-999,1e200\n",
            "h",
            "h",
            "h",
            {{1e100, 0}, {-1e100, 0}, {1e-100, 0}, {-1e-100, 0}, {0, 0}, {0, 0}, {0, 1e200}}},
        // Below the smallest double, with or without an exponent, in either case of E or D.
        LoadedFile{"UnderflowsReadAsZero",
                   "h,h,h\n1E-400\n0." + std::string(400, '0') + "1\n-1D-999,2\n",
                   "h",
                   "h",
                   "h",
                   {{0, 0}, {0, 0}, {0, 2}}},
        LoadedFile{"TenMegabyteHeaderLine",
                   std::string(10'000'000, 'x'),
                   std::string(998, 'x'),
                   "",
                   "",
                   {}},
        // The rest of a long line is skipped, and the next line is read as the next row.
        LoadedFile{"TenMegabyteDataLine",
                   "h,h,h\n7," + std::string(10'000'000, 'a') + "\n8\n",
                   "h",
                   "h",
                   "h",
                   {{7, 0}, {8, 0}}},
        LoadedFile{"HeaderCommaAt998",
                   std::string(997, 'L') + ",M,Age,more\n5\n",
                   std::string(997, 'L'),
                   "M",
                   "Age,more",
                   {{5, 0}}},
        LoadedFile{"HeaderCommaAt999",
                   std::string(998, 'L') + ",M,Age\n5\n",
                   std::string(998, 'L'),
                   "",
                   "",
                   {{5, 0}}},
        LoadedFile{"HeaderOf5000Characters",
                   std::string(5000, 'L') + "\n5\n",
                   std::string(998, 'L'),
                   "",
                   "",
                   {{5, 0}}},
        LoadedFile{"HeaderInWindows1252",
                   "P\xE9"
                   "cs,B\xFCkk,\x80 5\n5\n",
                   "Pécs",
                   "Bükk",
                   "€ 5",
                   {{5, 0}}},
        LoadedFile{"HeaderWithTruncatedUtf8", "P\xC3,x,y\n5\n", "PÃ", "x", "y", {{5, 0}}},
        LoadedFile{"HeaderWithOverlongUtf8", "\xC0\xAF,x,y\n5\n", "À¯", "x", "y", {{5, 0}}},
        LoadedFile{
            "HeaderWithUtf8Surrogate", "\xED\xA0\x80,x,y\n5\n", "í\u00A0€", "x", "y", {{5, 0}}},
        LoadedFile{"HeaderInUtf8", "Pécs,Bükk,€ 5\n5\n", "Pécs", "Bükk", "€ 5", {{5, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Results at the edges of the computable sizes -------------------------------------------

// The same data set scaled by a power of two near the largest and the smallest size a value may
// have gives the same statistics: every sum, square and root scales exactly unless it overflows
// or underflows. This holds the size limits to what the arithmetic can bear.
TEST_F(HostileInput, ScaledDataSetsGiveTheSameTestResults) {
    const std::vector<double> base = {10, 12, 11, 30, 12, 14, 9};
    auto run = [&](double scale) {
        std::string bytes = "h,h,h\n";
        char text[64];
        for (double v : base) {
            std::snprintf(text, sizeof text, "%.17g\n", v * scale);
            bytes += text;
        }
        Reset_Store();
        if (!Read_Data_File(writeFile("scaled.csv", bytes), m_platform)) return std::vector<Cell>{};
        runCalculation();
        const SampleStore& s = store();
        return std::vector<Cell>{s.GruTmax, s.GruTmin,  s.GrubbsClassMax, s.GrubbsClassMin,
                                 s.DixRmax, s.DixRmin,  s.DixClassMax,    s.DixClassMin,
                                 s.GauOld,  s.GauYoung, s.IQRyoung,       s.IQRold};
    };
    const std::vector<Cell> expected = run(1);
    ASSERT_EQ(expected.size(), 12u);
    const double largest = 30, smallest = 9;
    const double up =
        std::ldexp(1.0, static_cast<int>(std::floor(std::log2(kMaxComputableSize / largest))));
    const double down =
        std::ldexp(1.0, static_cast<int>(std::ceil(std::log2(kMinComputableSize / smallest))));
    EXPECT_EQ(run(up), expected);
    std::vector<Cell> tiny = run(down);
    ASSERT_EQ(tiny.size(), 12u) << "refused";
    // The quartiles are rounded to three decimals before the fences are drawn, so the IQR
    // verdicts of values this small are not comparable.
    tiny.resize(10);
    EXPECT_EQ(tiny, std::vector<Cell>(expected.begin(), expected.begin() + 10));
    EXPECT_TRUE(m_platform.messages.empty());
}

// ---- Table files --------------------------------------------------------------------------

struct BrokenTable {
    const char* name;
    const char* file;
    std::string bytes;  // "<folder>" makes the table a folder, "<missing>" removes it
    const char* messagePart;
};

void PrintTo(const BrokenTable& c, std::ostream* os) { *os << c.name; }

class BrokenTableFile : public HostileInput, public ::testing::WithParamInterface<BrokenTable> {};

// The good data set has five values; a broken table stops its test before it changes a result,
// names the file and leaves no file open.
TEST_P(BrokenTableFile, LookupFailsAndTheTestKeepsItsResults) {
    const BrokenTable& c = GetParam();
    runCalculation();
    SampleStore& s = store();
    const std::vector<Cell> before = {s.GruTmax, s.GruTmin, s.GrubbsClassMax, s.GrubbsClassMin,
                                      s.DixRmax, s.DixRmin, s.GauOld,         s.GauYoung};
    const fs::path table = m_folder / c.file;
    fs::remove(table);
    if (c.bytes == "<folder>")
        fs::create_directory(table);
    else if (c.bytes != "<missing>")
        writeBytes(table, c.bytes);

    const int descriptors = openDescriptors();
    Calc_Statistics();
    std::string message;
    try {
        if (std::string(c.file) == "grubbs.dat") Grubbs_Test();
        if (std::string(c.file) == "gauss-g.dat") Gauss_Test();
        ADD_FAILURE() << "no TableLookupError";
    } catch (const TableLookupError& e) {
        EXPECT_EQ(e.fileName(), c.file);
        message = e.what();
    }
    EXPECT_NE(message.find("The table file " + table.string() + " "), std::string::npos) << message;
    EXPECT_NE(message.find(c.messagePart), std::string::npos) << message;
    EXPECT_EQ(openDescriptors(), descriptors);
    const std::vector<Cell> after = {s.GruTmax, s.GruTmin, s.GrubbsClassMax, s.GrubbsClassMin,
                                     s.DixRmax, s.DixRmin, s.GauOld,         s.GauYoung};
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenTableFile,
    ::testing::Values(
        BrokenTable{"Missing", "grubbs.dat", "<missing>", "is missing or cannot be opened."},
        BrokenTable{"Folder", "grubbs.dat", "<folder>", "is missing or cannot be opened."},
        BrokenTable{"Empty", "grubbs.dat", "", "is empty"},
        BrokenTable{"HeaderOnly", "grubbs.dat", "n,a,b,c,d,e\r\n", "has no record for n = 5."},
        BrokenTable{"EndsBeforeN", "grubbs.dat", "h\n3,1,2,3,4,5\n4,1,2,3,4,5\n",
                    "has no record for n = 5."},
        BrokenTable{"ShortRecord", "grubbs.dat", "h\n3,1,2,3,4,5\n4,1,2,3\n5,1,2,3,4,5\n",
                    "has on line 3 4 fields where each record needs 6."},
        BrokenTable{"ShortGaussRecord", "gauss-g.dat", "h\n5\n",
                    "has on line 2 1 fields where each record needs 2."},
        BrokenTable{"NonNumeric", "grubbs.dat", "h\n5,1,2,x,4,5\n",
                    "the field \"x\", which is not a number."},
        BrokenTable{"NaN", "grubbs.dat", "h\n5,1,2,3,4,NaN\n",
                    "the field \"NaN\", which is not a number."},
        BrokenTable{"Inf", "gauss-g.dat", "h\n5,inf\n",
                    "the field \"inf\", which is not a number."},
        BrokenTable{"Overflow", "grubbs.dat", "h\n5,1,2,3,4,1e999\n",
                    "the field \"1e999\", which is too large."},
        // The NUL shows as '?': left in, it would end the message text early.
        BrokenTable{"NulInField", "grubbs.dat", "h\n5,1,2\0,3,4,5\n"s,
                    "the field \"2?\", which is not a number."},
        BrokenTable{"Binary", "grubbs.dat", noise(4096), "has on line"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Clipboard text -------------------------------------------------------------------------

struct RefusedPaste {
    const char* name;
    std::string text;
    PasteFailure failure;
    const char* messagePart;  // empty for the silent refusal
};

void PrintTo(const RefusedPaste& c, std::ostream* os) { *os << c.name; }

class RefusedClipboard : public HostileInput, public ::testing::WithParamInterface<RefusedPaste> {};

TEST_P(RefusedClipboard, MessageAndDataSetKept) {
    const RefusedPaste& c = GetParam();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(parseClipboardText(c.text).failure, c.failure);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    expectDataSetKept();
    m_platform.clipboard = c.text;
    EXPECT_FALSE(Paste_Clipboard(m_platform));
    expectDataSetKept();
    if (std::string(c.messagePart).empty()) {
        EXPECT_TRUE(m_platform.messages.empty());
    } else {
        ASSERT_EQ(m_platform.messages.size(), 1u);
        EXPECT_EQ(m_platform.messages[0].title, "");
        EXPECT_NE(m_platform.messages[0].text.find(c.messagePart), std::string::npos)
            << m_platform.messages[0].text;
    }
}

constexpr const char* kNotNumeric = "One or more of the values are not numeric!";
constexpr const char* kTooLargeToUse = "too large to be used as numbers";
constexpr const char* kTooMany = "There are more than 300 values on the clipboard";
constexpr const char* kCannotCompute = "too large or too small to compute with";
using PF = PasteFailure;

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedClipboard,
    ::testing::Values(
        RefusedPaste{"Empty", "", PF::NoText, "There are no numbers on the clipboard."},
        RefusedPaste{"OnlyTabs", "\t\t\t", PF::NotNumeric, kNotNumeric},
        RefusedPaste{"OnlyLineEnds", "\r\n\r\n\n\r", PF::NotNumeric, kNotNumeric},
        RefusedPaste{"OnlySpaces", "     ", PF::NoValue, ""},
        RefusedPaste{"ThreeHundredAndOneValues", repeat("5\t", 301), PF::TooMany, kTooMany},
        RefusedPaste{"MillionValues", repeat("5\r\n", 1'000'000), PF::TooMany, kTooMany},
        RefusedPaste{"LongNumberOverflows", "1" + std::string(400, '0') + "\t2\t3\t", PF::NotFinite,
                     kTooLargeToUse},
        RefusedPaste{"MegabyteOfDigits", std::string(1 << 20, '9') + "\t2\t3\t", PF::NotFinite,
                     kTooLargeToUse},
        RefusedPaste{"MegabyteOfLetters", "1\t" + std::string(1 << 20, 'x') + "\t3\t",
                     PF::NotNumeric, kNotNumeric},
        RefusedPaste{"SumsOf1e308Overflow", "1e308\t1e308\t1e308\t", PF::OutOfRange,
                     kCannotCompute},
        RefusedPaste{"TinyValues", "1e-200\t2e-200\t3e-200\t", PF::OutOfRange, kCannotCompute},
        RefusedPaste{"NanAndInf", "1\tnan\tinf\t", PF::NotNumeric, kNotNumeric},
        RefusedPaste{"Hexadecimal", "0x10\t2\t3\t", PF::NotNumeric, kNotNumeric},
        RefusedPaste{"NulInToken", "1\0\t2\t3\t"s, PF::NotNumeric, kNotNumeric},
        RefusedPaste{"NonUtf8", "1\t\xE9\t3\t", PF::NotNumeric, kNotNumeric},
        RefusedPaste{"OneValueInALongText", std::string(100000, ' ') + "4\t", PF::OneOrTwo,
                     "What can I test with one or two data?"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostileInput, ClipboardTakesExactly300Values) {
    m_platform.clipboard = repeat("2.5\t", 299) + "7.5";
    ASSERT_TRUE(Paste_Clipboard(m_platform));
    EXPECT_EQ(store().NData, 300);
    EXPECT_EQ(store().Col1[299].toNumber(), 2.5);
    EXPECT_EQ(store().Col1[300].toNumber(), 7.5);
    EXPECT_TRUE(m_platform.messages.empty());
}

TEST_F(HostileInput, ClipboardLongTokensOfLeadingZerosReadAsTheirValue) {
    const std::string zeros(100000, '0');
    PastedValues pasted = parseClipboardText(zeros + "1.5\t0." + zeros + "1\t" + "3\t");
    ASSERT_TRUE(pasted.ok());
    // The second value lies below the smallest double and reads as 0.
    EXPECT_EQ(pasted.values, (std::vector<double>{1.5, 0, 3}));
}

}  // namespace
}  // namespace sifton
