// Hostile and odd inputs on the three ways data get in: data files, clipboard text and table
// files. Each case states its outcome: a clear message or a well-defined load, never a crash or
// a hang, and a failed table leaves the analysis made before it as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "core/analysis.h"
#include "core/input.h"
#include "core/tables.h"

namespace sifton {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using DF = DataFileFailure;

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

long openDescriptors() {
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
}

// Every test starts from a five-value data set read through Read_Data_File and analysed with
// tables for n = 4 and 5 in a private folder.
class HostileInput : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() / ("sifton-hardening-" + std::to_string(getpid()));
        fs::create_directories(m_folder);
        writeBytes(m_folder / "grubbs.dat", "n\n4,1.4,1.5,1.6,1.7,1.8\n5,1.5,1.6,1.7,1.8,1.9\n");
        writeBytes(m_folder / "dixon.dat", "n\n4,400,500,600,700,800\n5,400,500,600,700,800\n");
        writeBytes(m_folder / "gauss-g.dat", "n\n4,1.6\n5,1.7\n");
        writeBytes(path("good.csv"), "Locality,Mineral,Age\r\n10\r\n12,2\r\n11\r\n30\r\n12\r\n");
        const Outcome<DataSet> read = Read_Data_File(path("good.csv"));
        ASSERT_TRUE(std::holds_alternative<DataSet>(read));
        m_data = std::make_shared<const DataSet>(std::get<DataSet>(read));
        ASSERT_EQ(m_data->RowCount(), 5);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    // readDataFile states the failure; Read_Data_File gives its one titled warning.
    void expectRefused(const std::string& file, DF failure, int failedLine) {
        const DataFile read = readDataFile(file);
        EXPECT_EQ(std::pair(read.failure, read.failedLine), std::pair(failure, failedLine));
        const Outcome<DataSet> outcome = Read_Data_File(file);
        ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
        const Refusal& refusal = std::get<Refusal>(outcome);
        EXPECT_EQ(refusal.title, "Sifton");
        EXPECT_EQ(refusal.message, dataFileFailureMessage(file, read));
    }

    fs::path m_folder;
    std::shared_ptr<const DataSet> m_data;
};

// Missing, a folder, a pipe (whose open would wait for a writer), an endless device, binary
// noise and files far too large are refused before a value is read.
TEST_F(HostileInput, HostileDataFilesAreRefused) {
    std::string noise;  // some 500 line ends among bytes of every value
    for (std::minstd_rand random(12345); noise.size() < 1 << 16;)
        noise += static_cast<char>(random());
    fs::create_directory(path("folder"));
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    // name, bytes ("-": nothing written, the file is missing or made above), outcome.
    const std::tuple<const char*, std::string, DF, int> cases[] = {
        {"EmptyFile", "", DF::Empty, 0},
        {"OnlyAByteOrderMark", "\xEF\xBB\xBF", DF::Empty, 0},
        {"Plus1e999", "h,h,h\n1\n1e999\n3\n", DF::NotFiniteValue, 3},
        {"TenMegabyteNumber", "h\n" + std::string(10'000'000, '7'), DF::TooLarge, 0},
        {"Values1e308", "h,h,h\n1e308\n1e308\n1e308\n", DF::ValueOutOfRange, 2},  // sums overflow
        {"BinaryNoise", noise, DF::NotText, 1},
        {"NulBytes", "L\0c,M\r\n1\r\n"s, DF::NotText, 1},
        {"MillionBlankLines", "a,b,c\n" + std::string(1'000'000, '\n'), DF::NoData, 0},
        {"missing", "-", DF::CannotOpen, 0},
        {"folder", "-", DF::NotPlainFile, 0},
        {"pipe", "-", DF::NotPlainFile, 0},
        {"/dev/zero", "-", DF::NotPlainFile, 0},
    };
    for (const auto& [name, bytes, failure, failedLine] : cases) {
        SCOPED_TRACE(name);
        if (bytes != "-") writeBytes(path(name), bytes);
        expectRefused(path(name), failure, failedLine);
    }
}

TEST_F(HostileInput, UnreadableFileIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads a file of mode 000 anyway";
    writeBytes(path("locked"), "h,h,h\n1\n2\n3\n");
    fs::permissions(path("locked"), fs::perms::none);
    expectRefused(path("locked"), DF::NoPermission, 0);
}

// The second field takes part in nothing, so nothing in it refuses a file.
TEST_F(HostileInput, OddSecondFieldsAndHeadersLoad) {
    writeBytes(path("odd.csv"), "P\xC3,x,y\n5,-1e999\n6,NaN,\"\n\"\n7,\"\"\n");
    const DataFile file = readDataFile(path("odd.csv"));
    ASSERT_TRUE(file.ok()) << static_cast<int>(file.failure);
    EXPECT_EQ(file.locality, "PÃ");  // a cut UTF-8 sequence reads as Windows-1252
    std::vector<double> got;
    for (const DataRow& row : file.rows) got.insert(got.end(), {row.value1, row.value2});
    EXPECT_EQ(got, (std::vector<double>{5, 0, 6, 0, 7, 0}));
}

// A broken table stops the analysis it was needed for, names the file and leaves no file open;
// the analysis made before it keeps its results.
TEST_F(HostileInput, BrokenTableFailsTheLookupAndKeepsTheResults) {
    const std::pair<std::string, const char*> cases[] = {
        {"<missing>", "is missing or cannot be opened."},
        {"", "is empty"},
        {"n,a,b,c,d,e\r\n", "has no record for n = 4."},
        {"h\n3,1,2,3,4,5\n4,1,2,3\n5,1,2,3,4,5\n", "has on line 3 4 fields where each"},
        {"h\n4,1,2,x,4,5\n", "the field \"x\", which is not a number."},
        {"h\n4,1,2,3,4,NaN\n", "the field \"NaN\", which is not a number."},
    };
    // Read again when changed, as the results window reads its tables.
    FolderTables tables(m_folder.string(), true);
    const Analysis analysis = Analysis::of(m_data, tables);
    const GrubbsResult before = analysis.results().grubbs;
    ASSERT_TRUE(before.ran);
    const std::string table = path("grubbs.dat");
    for (const auto& [bytes, messagePart] : cases) {
        SCOPED_TRACE(messagePart);
        fs::remove(table);
        if (bytes != "<missing>") writeBytes(table, bytes);
        const long descriptors = openDescriptors();
        try {
            (void)analysis.rejecting(Extreme::Largest, tables);
            ADD_FAILURE() << "no TableLookupError";
        } catch (const TableLookupError& e) {
            EXPECT_EQ(e.fileName(), "grubbs.dat");
            EXPECT_NE(std::string(e.what()).find(messagePart), std::string::npos) << e.what();
        }
        EXPECT_EQ(openDescriptors(), descriptors);
        const GrubbsResult& kept = analysis.results().grubbs;
        EXPECT_EQ(std::tuple(kept.max.statistic, kept.min.statistic, kept.max.cls, kept.min.cls,
                             kept.critical),
                  std::tuple(before.max.statistic, before.min.statistic, before.max.cls,
                             before.min.cls, before.critical));
        EXPECT_EQ(analysis.rejectedRows(), std::vector<int>{});
    }
}

// Separators alone, too many values and megabyte tokens are refused with the paste's message.
TEST_F(HostileInput, HostileClipboardTextIsRefused) {
    std::string values301;
    while (values301.size() < 602) values301 += "5\t";
    const std::pair<std::string, PasteFailure> cases[] = {
        {"\t\t\t", PasteFailure::OnlyBlanks},
        {"\r\n\r\n\n\r", PasteFailure::OnlyBlanks},
        {"     ", PasteFailure::OnlyBlanks},
        {values301, PasteFailure::TooMany},
        {std::string(1 << 20, '9') + "\t2\t3\t", PasteFailure::NotFinite},
        {"1\t" + std::string(1 << 20, 'x') + "\t3", PasteFailure::NotNumeric},
        {"1e308\t1e308\t1e308\t", PasteFailure::OutOfRange},
        {"1\tnan\tinf\t", PasteFailure::NotNumeric},
    };
    for (const auto& [text, failure] : cases) {
        SCOPED_TRACE(text.substr(0, 20));
        EXPECT_EQ(parseClipboardText(text).failure, failure);
        const Outcome<DataSet> pasted = pastedDataSet(text);
        ASSERT_TRUE(std::holds_alternative<Refusal>(pasted));
        EXPECT_EQ(std::pair(std::get<Refusal>(pasted).title, std::get<Refusal>(pasted).message),
                  std::pair(std::string(), pasteFailureMessage(failure)));
    }
    // Long tokens that are numbers read as their value; 0.00...01 lies below the smallest double
    // and is refused rather than read as 0.
    const std::string zeros(100000, '0');
    EXPECT_EQ(parseClipboardText(zeros + "1.5\t" + zeros + "3\t2\t").values,
              (std::vector<double>{1.5, 3, 2}));
    EXPECT_EQ(parseClipboardText("1\t0." + zeros + "1\t3\t").failure, PasteFailure::OutOfRange);
}

}  // namespace
}  // namespace sifton
