// The Qt platform's own logic: file dialogs, name filters and the clipboard write.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
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

// Each dialog's mode, filter and typed name's ending before and after another filter is picked;
// cancelled, it answers nothing and leaves the configuration folder (ui_test_main.cpp) empty.
TEST(QtPlatform, OpenAndSaveDialogsStartAsTheSettingsSay) {
    QtPlatform platform;
    const FileDialogSettings settings{
        "plot.svg", {{"Picture", "*.png"}, {"Drawing", "*.svg"}, {"All Files", "*.*"}}, 2, "/"};
    std::string seen;
    const auto look = [&seen] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen += std::to_string(dialog->acceptMode()) + std::to_string(dialog->fileMode()) + " " +
                dialog->selectedNameFilter().toStdString() + " ." +
                dialog->defaultSuffix().toStdString();
        for (int filter : {0, 2}) {
            Q_EMIT dialog->filterSelected(dialog->nameFilters().at(filter));
            seen += " ." + dialog->defaultSuffix().toStdString();
        }
        seen += "|";
        dialog->reject();
    };
    QTimer::singleShot(0, look);
    EXPECT_EQ(platform.saveFileDialog(settings), std::nullopt);
    QTimer::singleShot(0, look);
    EXPECT_EQ(platform.openFileDialog(settings), std::nullopt);
    EXPECT_EQ(seen, "10 Drawing (*.svg *.SVG) .svg .png .|01 Drawing (*.svg *.SVG) . . .|");
    const QDir config(qEnvironmentVariable("XDG_CONFIG_HOME"));
    EXPECT_EQ(config.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
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
