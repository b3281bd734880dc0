// The Qt platform's own logic: the file dialog's name filters and the clipboard round trip.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/qt_platform.h"

namespace sifton {
namespace {

TEST(QtPlatform, NameFiltersMatchUpperCaseAndFilesWithoutADot) {
    for (auto [description, pattern, expected] :
         {std::tuple{"Text files (*.csv)", "*.csv", "Text files (*.csv *.CSV)"},
          {"All Files (*.*)", "*.*", "All Files (*)"},
          {"Data", "*.dat;*.txt", "Data (*.dat *.DAT *.txt *.TXT)"},
          {"Numbered", "*.1", "Numbered (*.1)"}})
        EXPECT_EQ(qtNameFilter(description, pattern).toStdString(), expected);
}

TEST(QtPlatform, ClipboardGivesBackThePlainTextWritten) {
    QtPlatform platform;
    const std::string report = "Test\t1\r2\t\xE2\x88\x9E\r";
    ASSERT_TRUE(platform.setClipboardText(report));
    EXPECT_EQ(platform.clipboardText(), report);
}

}  // namespace
}  // namespace sifton
