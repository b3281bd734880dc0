// Hostile data files (binary, far too large, no plain readable file) and clipboard text; odd
// contents are test_data_file.cpp's and test_clipboard.cpp's, hostile tables test_table_lookup's.
// Each ends in a stated refusal, never a crash or a hang.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/input.h"
#include "tests/core/test_support.h"

namespace sifton {
namespace {

namespace fs = std::filesystem;
using DF = DataFileFailure;

// A pipe's open would wait for a writer and /dev/zero never ends: both are refused unread.
TEST(HostileInput, HostileDataFilesAreRefused) {
    test::TempDir dir;
    std::string noise;  // some 500 line ends among bytes of every value
    for (std::minstd_rand random(12345); noise.size() < 1 << 16;) noise += char(random());
    fs::create_directory(dir.file("folder"));
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    dir.write("locked", "h,h,h\n1\n2\n3\n");
    fs::permissions(dir.file("locked"), fs::perms::none);
    // Name, bytes ("-": nothing written, the file is missing or made above), refusal, line.
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
        if (name == std::string("locked") && geteuid() == 0) continue;
        if (bytes != "-") dir.write(name, bytes);
        const DataFile read = readDataFile(dir.file(name));
        EXPECT_EQ(std::pair(read.failure, read.failedLine), std::pair(failure, failedLine)) << name;
    }
}

// Megabyte tokens and values whose sums overflow are refused; long tokens that are numbers read
// as their value, and 0.00...01, below the smallest double, is no 0.
TEST(HostileInput, HostileClipboardText) {
    const std::string zeros(100000, '0');
    const std::pair<std::string, PasteFailure> cases[] = {
        {std::string(1 << 20, '9') + "\t2\t3\t", PasteFailure::NotFinite},
        {"1\t" + std::string(1 << 20, 'x') + "\t3", PasteFailure::NotNumeric},
        {"1e308\t1e308\t1e308\t", PasteFailure::OutOfRange},
        {"1\t0." + zeros + "1\t3\t", PasteFailure::OutOfRange},
    };
    for (const auto& [text, failure] : cases)
        EXPECT_EQ(parseClipboardText(text).failure, failure) << text.substr(0, 20);
    EXPECT_EQ(parseClipboardText(zeros + "1.5\t" + zeros + "3\t2\t").values,
              (std::vector<double>{1.5, 3, 2}));
}

}  // namespace
}  // namespace sifton
