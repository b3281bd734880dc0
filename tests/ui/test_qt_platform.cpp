// The Qt platform's own logic: the file dialog's name filters and the clipboard write.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
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

// Content of another program: every read of it would wait for that program.
class ForeignContent : public QMimeData {
  public:
    explicit ForeignContent(int& reads) : m_reads(reads) {}
    QStringList formats() const override { return {QStringLiteral("application/x-foreign")}; }

  protected:
    QVariant retrieveData(const QString&, QMetaType) const override { return ++m_reads, "x"; }

  private:
    int& m_reads;
};

TEST(QtPlatform, ClipboardWriteReadsNothingOfTheForeignContentAndGivesBackTheText) {
    QtPlatform platform;
    int foreignReads = 0;
    QGuiApplication::clipboard()->setMimeData(new ForeignContent(foreignReads));
    const std::string report = "Test\t1\r2\t\xE2\x88\x9E\r";
    ASSERT_TRUE(platform.setClipboardText(report));
    EXPECT_EQ(foreignReads, 0);
    EXPECT_EQ(platform.clipboardText(), report);
}

}  // namespace
}  // namespace sifton
