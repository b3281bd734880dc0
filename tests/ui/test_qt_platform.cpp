// The Qt platform's own logic: the file dialog's name filters and the clipboard round trip.
#include <gtest/gtest.h>

#include "platform/qt_platform.h"

namespace sifton {
namespace {

struct FilterCase {
    const char* name;
    const char* description;
    const char* pattern;
    const char* expected;
};

class NameFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(NameFilter, MatchesUpperCaseAndFilesWithoutADot) {
    const FilterCase& c = GetParam();
    EXPECT_EQ(qtNameFilter(c.description, c.pattern).toStdString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, NameFilter,
    ::testing::Values(FilterCase{"Csv", "Text files /COMMA DELIMITED/ (*.csv)", "*.csv",
                                 "Text files /COMMA DELIMITED/ (*.csv *.CSV)"},
                      FilterCase{"AllFiles", "All Files (*.*)", "*.*", "All Files (*)"},
                      FilterCase{"SeveralPatterns", "Data", "*.dat;*.txt",
                                 "Data (*.dat *.DAT *.txt *.TXT)"},
                      FilterCase{"NoLetters", "Numbered", "*.1", "Numbered (*.1)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtPlatformClipboard, WritesAndReadsBackPlainText) {
    QtPlatform platform;
    const std::string report = "Test\t1\r2\t\xE2\x88\x9E\r";
    ASSERT_TRUE(platform.setClipboardText(report));
    EXPECT_EQ(platform.clipboardText(), report);
}

}  // namespace
}  // namespace sifton
