// The import dialog in the real window: a file or a paste that can be read two ways is asked
// about; OK loads the chosen reading, Cancel leaves the data set on screen as it was.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"
#include "window_test_support.h"

namespace sifton {
namespace {

using test::label;

// What the dialog showed when it came up.
struct Seen {
    std::string title, sentence, options, firstPreviewValues, note;
};

std::string previewValues(const QDialog* dialog) {  // "value/second field|..."
    const auto* table = dialog->findChild<QTableWidget*>("tblPreview");
    std::string values;
    for (int r = 0; r < table->rowCount(); ++r)
        values += (r ? "|" : "") + table->item(r, 1)->text().toStdString() + "/" +
                  table->item(r, 2)->text().toStdString();
    return values;
}

void press(QDialog* dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}
void cancel(QDialog* d) { press(d, QDialogButtonBox::Cancel); }

// Runs the command; when the import dialog comes up, records it and lets `answer` act on it.
// The dialog not coming up fails the test (the command then returns by itself).
Seen whenAsked(QWidget* window, const char* command, const std::function<void(QDialog*)>& answer) {
    Seen seen;
    bool asked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != "frmImport") return;
        asked = true;
        seen.title = dialog->windowTitle().toStdString();
        seen.sentence = dialog->findChild<QLabel*>("lblQuestion")->text().toStdString();
        for (int i = 0;
             auto* b = dialog->findChild<QAbstractButton*>(QStringLiteral("optReading_%1").arg(i));
             ++i)
            seen.options += (i ? "|" : "") + b->text().toStdString();
        seen.firstPreviewValues = previewValues(dialog);
        seen.note = dialog->findChild<QLabel*>("lblPreviewNote")->text().toStdString();
        answer(dialog);
    });
    test::trigger(window, command);
    EXPECT_TRUE(asked) << "no import dialog for " << command;
    return seen;
}

class ImportDialogTest : public ::testing::Test {
  protected:
    void TearDown() override { test::destroyAllWindows(); }
    test::TableFolder tables;
    ScriptedPlatform platform;
};

// A one-column export with decimal commas: asked, and Cancel keeps the data set on screen with
// its rejection; asked again, the second reading chosen by keyboard is loaded as it was shown.
TEST_F(ImportDialogTest, CancelKeepsTheDataSetAndOkLoadsTheChosenReading) {
    frmDIX* w =
        test::startAndOpen(platform, tables, "twelve.csv",
                           {10.2, 10.5, 9.8, 10.1, 10.4, 9.9, 9.7, 10.0, 10.3, 10.6, 9.6, 25});
    ASSERT_NE(w, nullptr);
    test::trigger(w, "cmdRejectMax");
    ASSERT_EQ(label(w, "lblN").text, "11 (from 12)");

    const std::string ambiguous = tables.file("commas.csv");
    std::ofstream(ambiguous, std::ios::binary) << "Age\n41,2\n44,8\n47\n";
    platform.dialogAnswers.push_back(ambiguous);
    const Seen cancelled = whenAsked(w, "mnuFileItem_1", cancel);
    EXPECT_EQ(cancelled.title, "Read the data file");
    EXPECT_EQ(cancelled.sentence.substr(0, 44), "Every line holds digits, a comma and digits,");
    EXPECT_EQ(cancelled.options,
              "A decimal comma: 41,2 is 41.2|A value and a second field: 41,2 is 41 and 2");
    EXPECT_EQ(cancelled.firstPreviewValues, "41.2/|44.8/|47/");
    EXPECT_EQ(label(w, "lblN").text, "11 (from 12)");
    EXPECT_EQ(label(w, "lblFileName").text, tables.file("twelve.csv"));
    EXPECT_TRUE(w->findChild<QAction*>("mnuEditItem_3")->isEnabled());  // undo still there
    EXPECT_TRUE(platform.messages.empty());

    platform.dialogAnswers.push_back(ambiguous);
    std::string secondPreview;
    whenAsked(w, "mnuFileItem_1", [&](QDialog* d) {
        d->activateWindow();
        if (!QTest::qWaitForWindowActive(d)) {
            ADD_FAILURE() << "the dialog did not take the keyboard";
            return d->reject();
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // to the second reading
        secondPreview = previewValues(d);
        QTest::keyClick(d, Qt::Key_Return);
    });
    EXPECT_EQ(secondPreview, "41/2|44/8|47/0");
    EXPECT_EQ(label(w, "lblN").text, "3");
    EXPECT_EQ(label(w, "lblMean").text, "44.00");
    EXPECT_EQ(w->findChild<QLabel*>("lblFileName")->toolTip().toStdString(),
              ambiguous +
                  "\nRead with commas between fields, decimal point, values in column 1, "
                  "line 1 the header.");
    EXPECT_TRUE(platform.messages.empty());
}

// A pasted column under a header cell: asked whether the cell is the sample's name.
TEST_F(ImportDialogTest, APastedHeaderCellIsAskedAboutAndCanNameTheSample) {
    frmDIX* w = test::startAndOpen(platform, tables, "five.csv", {10, 11, 12, 13, 30});
    ASSERT_NE(w, nullptr);
    platform.clipboard = "Age\r\n41.2\r\n44.8\r\n39.1\r\n";
    const Seen kept = whenAsked(w, "mnuEditItem_0", cancel);
    EXPECT_EQ(kept.title, "Read the pasted cells");
    EXPECT_EQ(kept.options, "Leave out \"Age\"|Take \"Age\" as the sample's name");
    EXPECT_EQ(kept.firstPreviewValues, "41.2/|44.8/|39.1/");
    EXPECT_EQ(kept.note, "3 values; no sample name.");
    EXPECT_EQ(label(w, "lblN").text, "5");

    whenAsked(w, "mnuEditItem_0", [](QDialog* d) {
        d->findChild<QAbstractButton*>("optReading_1")->click();
        press(d, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(label(w, "lblN").text, "3");
    EXPECT_EQ(label(w, "lblLocality").text, "Age");
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace sifton
