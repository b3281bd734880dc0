// Hostile and odd inputs on two ways data get in: data files and clipboard text (hostile table
// files are test_table_lookup.cpp's). Each case states its outcome: a clear message or a
// well-defined load, never a crash or a hang.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "core/input.h"
#include "tests/core/test_support.h"

namespace sifton {
namespace {

namespace fs = std::filesystem;
using DF = DataFileFailure;

class HostileInput : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return m_folder.file(name); }
    test::TempDir m_folder;
};

// Missing, a folder, a pipe (whose open would wait for a writer), an endless device, a file
// without read permission, binary noise and files far too large are refused before a value is
// read: readDataFile states the failure, Read_Data_File gives its one titled warning.
TEST_F(HostileInput, HostileDataFilesAreRefused) {
    std::string noise;  // some 500 line ends among bytes of every value
    for (std::minstd_rand random(12345); noise.size() < 1 << 16;)
        noise += static_cast<char>(random());
    fs::create_directory(path("folder"));
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    m_folder.write("locked", "h,h,h\n1\n2\n3\n");
    fs::permissions(path("locked"), fs::perms::none);
    // name, bytes ("-": nothing written, the file is missing or made above), outcome.
    const std::tuple<const char*, std::string, DF, int> cases[] = {
        {"EmptyFile", "", DF::Empty, 0},
        {"OnlyAByteOrderMark", "\xEF\xBB\xBF", DF::Empty, 0},
        {"TenMegabyteNumber", "h\n" + std::string(10'000'000, '7'), DF::TooLarge, 0},
        {"Values1e308", "h,h,h\n1e308\n1e308\n1e308\n", DF::ValueOutOfRange, 2},  // sums overflow
        {"BinaryNoise", noise, DF::NotText, 1},
        {"MillionBlankLines", "a,b,c\n" + std::string(1'000'000, '\n'), DF::NoData, 0},
        {"missing", "-", DF::NotFound, 0},
        {"folder", "-", DF::NotPlainFile, 0},
        {"pipe", "-", DF::NotPlainFile, 0},
        {"/dev/zero", "-", DF::NotPlainFile, 0},
        {"locked", "-", DF::NoPermission, 0},  // not for root, who reads it anyway
    };
    for (const auto& [name, bytes, failure, failedLine] : cases) {
        SCOPED_TRACE(name);
        if (name == std::string("locked") && geteuid() == 0) continue;
        if (bytes != "-") m_folder.write(name, bytes);
        const DataFile read = readDataFile(path(name));
        EXPECT_EQ(std::pair(read.failure, read.failedLine), std::pair(failure, failedLine));
        const Outcome<DataSet> outcome = Read_Data_File(path(name));
        ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
        EXPECT_EQ(std::get<Refusal>(outcome).title, "Sifton");
        EXPECT_EQ(std::get<Refusal>(outcome).message.find(
                      "Error occurred while trying to load file: " + path(name)),
                  0u);
    }
}

// The second field takes part in nothing, so nothing in it refuses a file.
TEST_F(HostileInput, OddSecondFieldsAndHeadersLoad) {
    m_folder.write("odd.csv", "P\xC3,x,y\n5,-1e999\n6,NaN,\"\n\"\n7,\"\"\n");
    const DataFile file = readDataFile(path("odd.csv"));
    ASSERT_TRUE(file.ok()) << static_cast<int>(file.failure);
    EXPECT_EQ(file.locality, "PÃ");  // a cut UTF-8 sequence reads as Windows-1252
    std::vector<double> got;
    for (const DataRow& row : file.rows) got.insert(got.end(), {row.value1, row.value2});
    EXPECT_EQ(got, (std::vector<double>{5, 0, 6, 0, 7, 0}));
}

// Too many values, megabyte tokens and values whose sums overflow are refused (the plain
// refusals and their messages are test_clipboard.cpp's).
TEST_F(HostileInput, HostileClipboardTextIsRefused) {
    std::string values301;
    while (values301.size() < 602) values301 += "5\t";
    const std::pair<std::string, PasteFailure> cases[] = {
        {values301, PasteFailure::TooMany},
        {std::string(1 << 20, '9') + "\t2\t3\t", PasteFailure::NotFinite},
        {"1\t" + std::string(1 << 20, 'x') + "\t3", PasteFailure::NotNumeric},
        {"1e308\t1e308\t1e308\t", PasteFailure::OutOfRange},
    };
    for (const auto& [text, failure] : cases)
        EXPECT_EQ(parseClipboardText(text).failure, failure) << text.substr(0, 20);
    // Long tokens that are numbers read as their value; 0.00...01 lies below the smallest double
    // and is refused rather than read as 0.
    const std::string zeros(100000, '0');
    EXPECT_EQ(parseClipboardText(zeros + "1.5\t" + zeros + "3\t2\t").values,
              (std::vector<double>{1.5, 3, 2}));
    EXPECT_EQ(parseClipboardText("1\t0." + zeros + "1\t3\t").failure, PasteFailure::OutOfRange);
}

}  // namespace
}  // namespace sifton
