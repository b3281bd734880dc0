// The real windows driven as a user would, through the scripted platform: the start window and
// its hand-over, the results window's labels, the reject buttons, the menus and a failed table
// lookup.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "core/store.h"
#include "platform/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/frm_start.h"
#include "window_test_support.h"

namespace sifton {
namespace {

using test::labelBackground;
using test::labelShown;
using test::labelText;

const QColor kLightRed(255, 192, 192);
const QColor kWhite(255, 255, 255);
const std::string kOneOrTwo = "What can I test with one or two data?";

// Twelve values, the largest (row 12) far above the rest, the smallest (row 11) in the crowd.
const std::vector<double> kTwelve = {10.2, 10.5, 9.8,  10.1, 10.4, 9.9,
                                     9.7,  10.0, 10.3, 10.6, 9.6,  25.0};
const std::vector<double> kFive = {10, 11, 12, 13, 30};
const std::vector<double> kEight = {10, 11, 12, 13, 14, 15, 16, 17};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.folder = tables.path();
        test::freshStore("");
        start = Main(platform);
    }

    void TearDown() override {
        test::destroyAllWindows();
        store() = SampleStore{};
    }

    std::string dataFile(const std::string& name, const std::vector<double>& values,
                         const std::string& header = "Kestrel Ridge,KR-07,Late Cretaceous") {
        return test::writeDataFile(tables.path(), name, header, values);
    }

    void click(QWidget* window, const char* button) {
        auto* b = window->findChild<QPushButton*>(QString::fromUtf8(button));
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    frmDIX* results() { return qobject_cast<frmDIX*>(test::topLevel("frmDIX")); }
    bool startWindowAlive() { return test::topLevel("frmStart") != nullptr; }

    // Opens a file from the start window and returns the results window it handed over to.
    frmDIX* openFromStart(const std::vector<double>& values, const std::string& name = "d.csv") {
        platform.dialogAnswers.push_back(dataFile(name, values));
        click(start, "cmdOpen");
        frmDIX* window = results();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window && window->isVisible());
        return window;
    }

    void trigger(QWidget* window, const char* action) {
        auto* a = window->findChild<QAction*>(QString::fromUtf8(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }

    test::TableFolder tables;
    ScriptedPlatform platform;
    QPointer<frmStart> start;
};

// ---- Start window ----------------------------------------------------------------------------

TEST_F(WindowTest, StartWindowLayoutTextsAndCentring) {
    const double px = start->logicalDpiX() / 1440.0;
    EXPECT_TRUE(start->windowTitle().isEmpty());
    EXPECT_EQ(start->width(), qRound(8604 * px));
    EXPECT_EQ(start->height(), qRound(4008 * px));
    EXPECT_EQ(start->findChild<QPushButton*>("cmdOpen")->text(), "Open  Data File");
    EXPECT_EQ(start->findChild<QPushButton*>("cmdPaste")->text(), "Paste Data from Clipboard");
    EXPECT_EQ(labelText(start, "Label9"), "version 1.a (test)        28 Aug 2004");
    EXPECT_EQ(labelText(start, "lblRizsa_4"),
              "Four outlier tests for data sets having normal or \"close-to-normal\" "
              "distribution and low number of observations");
    EXPECT_EQ(labelText(start, "Label6"), "Sifton contributors");
    EXPECT_EQ(start->findChild<QPushButton*>("cmdPaste")->geometry(),
              QRect(qRound(3960 * px), qRound(3120 * px), qRound(2892 * px), qRound(372 * px)));
    for (const char* picture : {"Picture1", "Image2", "Image3"}) {
        auto* label = start->findChild<QLabel*>(picture);
        ASSERT_NE(label, nullptr) << picture;
        EXPECT_FALSE(label->pixmap().isNull()) << picture;
    }
    const QPoint screenCentre = start->screen()->availableGeometry().center();
    EXPECT_LE((start->frameGeometry().center() - screenCentre).manhattanLength(), 1);
    EXPECT_EQ(store().TableFolder, tables.path());
    EXPECT_EQ(store().HelpFolder, tables.path());
}

TEST_F(WindowTest, OpenFromStartHandsOverWithTheFileOnScreen) {
    const std::string path = dataFile("twelve.csv", kTwelve);
    platform.dialogAnswers.push_back(path);
    click(start, "cmdOpen");

    ASSERT_EQ(platform.dialogsShown.size(), 1u);
    const FileDialogSettings& d = platform.dialogsShown[0];
    EXPECT_EQ(d.fileName, "");
    EXPECT_EQ(d.initialFolder, tables.path());
    EXPECT_EQ(d.selectedFilter, 1);
    using Filters = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(d.filters, (Filters{{"Text files /COMMA DELIMITED/ (*.csv)", "*.csv"},
                                  {"All Files (*.*)", "*.*"}}));

    EXPECT_FALSE(startWindowAlive());
    frmDIX* w = results();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Outlier Test");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(labelText(w, "lblFileName"), QString::fromStdString(path));
    EXPECT_EQ(labelText(w, "lblLocality"), "Kestrel Ridge");
    EXPECT_EQ(labelText(w, "lblStratAge"), "Late Cretaceous");
    EXPECT_EQ(labelText(w, "lblN"), "12");
    EXPECT_EQ(labelText(w, "lblMean"), "11.34");
    EXPECT_EQ(labelText(w, "lblYoungHead"), "Minimum (# 11):");
    EXPECT_EQ(labelText(w, "lblOldHead"), "Maximum (# 12):");
    EXPECT_EQ(labelText(w, "lblYoungAge"), "9.60");
    EXPECT_EQ(labelText(w, "lblOldAge"), "25.00");
    // The largest value stands out in every test; the smallest in none.
    for (const char* label : {"lblGrubbsMax", "lblDixMax", "lblIQRold", "lblGaO"})
        EXPECT_EQ(labelBackground(w, label), kLightRed) << label;
    for (const char* label : {"lblGrubbsMin", "lblDixMin", "lblIQRyoung", "lblGaY"})
        EXPECT_EQ(labelBackground(w, label), kWhite) << label;
    EXPECT_EQ(labelText(w, "lblDixMax"), "  < 0.5 %  ");
    EXPECT_EQ(labelText(w, "lblIQRold"), "  extreme outlier  ");
    EXPECT_EQ(labelText(w, "lblGaO"), "  outlier  ");
    EXPECT_EQ(labelText(w, "lblGaY"), "  OK  ");
    for (const char* cover : {"lblGRUno", "lblDIXno", "lblIQRno", "lblGAUno"})
        EXPECT_FALSE(labelShown(w, cover)) << cover;
    // A class label sizes itself to its text.
    auto* cls = w->findChild<QLabel*>("lblDixMax");
    EXPECT_EQ(cls->width(), cls->sizeHint().width());
}

TEST_F(WindowTest, CancelledOpenFromStartChangesNothing) {
    click(start, "cmdOpen");
    EXPECT_EQ(platform.dialogsShown.size(), 1u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(startWindowAlive());
    EXPECT_TRUE(start->isVisible());
    EXPECT_EQ(store().RowCount, 0);
}

struct RefusedFile {
    const char* name;
    std::vector<double> values;  // empty with 'missing' set: no file at all
    bool missing;
    const char* title;  // nullptr: no message
    const char* messageStart;
};

class RefusedOpenFromStart : public WindowTest,
                             public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedOpenFromStart, ComputesNothingAndStays) {
    const RefusedFile& c = GetParam();
    const std::string path =
        c.missing ? tables.file("no-such-file.csv") : dataFile("refused.csv", c.values);
    platform.dialogAnswers.push_back(path);
    click(start, "cmdOpen");
    EXPECT_TRUE(startWindowAlive());
    EXPECT_EQ(store().NData, 0);
    EXPECT_EQ(store().Mean, Cell());
    if (c.title == nullptr) {
        EXPECT_TRUE(platform.messages.empty());
    } else {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].title, c.title);
        EXPECT_EQ(platform.messages[0].text.rfind(c.messageStart, 0), 0u)
            << platform.messages[0].text;
    }
    // The next, good file loads cleanly.
    platform.messages.clear();
    frmDIX* w = openFromStart(kEight, "good.csv");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(labelText(w, "lblN"), "8");
    EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedOpenFromStart,
    ::testing::Values(
        RefusedFile{"Unreadable", {}, true, "Sifton", "Error occurred while trying to load file:"},
        RefusedFile{"OneRow", {5}, false, "", "What can I test with one or two data?"},
        RefusedFile{"TwoRows", {5, 6}, false, "", "What can I test with one or two data?"},
        RefusedFile{"HeaderOnly", {}, false, nullptr, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct PasteCase {
    const char* name;
    std::string clipboard;
    const char* message;  // nullptr: none
    bool handsOver;
    const char* count;  // lblN afterwards
};

class PasteFromStart : public WindowTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteFromStart, EndsWhereTheDesignSays) {
    const PasteCase& c = GetParam();
    platform.clipboard = c.clipboard;
    click(start, "cmdPaste");
    if (c.message == nullptr) {
        EXPECT_TRUE(platform.messages.empty());
    } else {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, c.message);
        EXPECT_EQ(platform.messages[0].title, "");
    }
    EXPECT_EQ(startWindowAlive(), !c.handsOver);
    frmDIX* w = results();
    if (!c.handsOver) {
        EXPECT_TRUE(w == nullptr || !w->isVisible());
        return;
    }
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(labelText(w, "lblN"), c.count);
    EXPECT_EQ(labelText(w, "lblFileName"), *c.count ? "From Clipboard" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Clipboard, PasteFromStart,
    ::testing::Values(
        PasteCase{"SpreadsheetRows", "5\t6\r\n7\t8\r\n", nullptr, true, "4"},
        PasteCase{"NotNumeric", "5\r\nabc\r\n7\r\n",
                  "One or more of the values are not numeric! The copied data are not pasted in "
                  "this program. Check the selection, please.",
                  true, ""},
        PasteCase{"TwoValues", "5\r\n6\r\n", "What can I test with one or two data?", true, ""},
        PasteCase{"OnlyBlanks", "   ", nullptr, true, ""},
        PasteCase{"EmptyClipboard", "", "There are no numbers on the clipboard.", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Results window: two data sets, rejections, report -----------------------------------

TEST_F(WindowTest, SecondDataSetHidesTheCoverAndHighlightsOfTheFirst) {
    frmDIX* w = openFromStart(kFive, "five.csv");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(labelShown(w, "lblIQRno"));
    const double px = w->logicalDpiX() / 1440.0;
    EXPECT_NEAR(w->findChild<QLabel*>("lblIQRno")->width(), 7110 * px, 1.0);
    EXPECT_FALSE(labelShown(w, "lblGRUno"));
    EXPECT_EQ(labelBackground(w, "lblGaO"), kLightRed);

    platform.dialogAnswers.push_back(dataFile("eight.csv", kEight));
    trigger(w, "mnuFileItem_1");
    EXPECT_EQ(platform.dialogsShown.back().initialFolder, "");
    EXPECT_FALSE(labelShown(w, "lblIQRno"));
    EXPECT_EQ(labelText(w, "lblN"), "8");
    EXPECT_EQ(labelText(w, "lblGaO"), "  OK  ");
    EXPECT_EQ(labelBackground(w, "lblGaO"), kWhite);
    // Quartiles of 10..17: Q1 12 and Q3 15.5, so the fences lie at 6.75 and 20.75.
    EXPECT_EQ(labelText(w, "lblLowerFence"), "6.75");
    EXPECT_EQ(labelText(w, "lblUpperFence"), "20.75");
}

TEST_F(WindowTest, RejectingTheLargestTwiceMarksBothRowsAndCopiesTheLongReport) {
    frmDIX* w = openFromStart(kTwelve);
    ASSERT_NE(w, nullptr);
    click(w, "cmdRejectMax");
    EXPECT_EQ(store().NData, 11);
    EXPECT_EQ(store().Rejected[12], Cell(1));
    EXPECT_EQ(labelText(w, "lblRejecList"), "Rejected: #12");
    EXPECT_EQ(labelText(w, "lblN"), "11 (from 12)");
    EXPECT_EQ(labelText(w, "lblOldHead"), "Maximum (# 10):");
    EXPECT_EQ(store().CopyMode, 2);
    EXPECT_EQ(platform.clipboardWrites, 1);
    EXPECT_NE(platform.clipboard.find("12\t25\t <--- This data is rejected\r"), std::string::npos);

    click(w, "cmdRejectMax");
    EXPECT_EQ(labelText(w, "lblRejecList"), "Rejected: #10");
    EXPECT_EQ(labelText(w, "lblN"), "10 (from 12)");
    EXPECT_EQ(platform.clipboardWrites, 2);
    EXPECT_NE(platform.clipboard.find("10\t10.6\t <--- This data is rejected\r"),
              std::string::npos);
    EXPECT_EQ(platform.clipboard.find('\n'), std::string::npos);
}

TEST_F(WindowTest, RejectStopsAtThreeValues) {
    frmDIX* w = openFromStart({1, 2, 3, 10});
    ASSERT_NE(w, nullptr);
    click(w, "cmdRejectMin");
    EXPECT_EQ(store().NData, 3);
    EXPECT_EQ(labelText(w, "lblRejecList"), "Rejected: #1");
    platform.clipboard = "kept";
    const SampleStore before = store();
    for (const char* button : {"cmdRejectMin", "cmdRejectMax"}) {
        click(w, button);
        EXPECT_EQ(store().NData, 3) << button;
        EXPECT_EQ(store().Rejected, before.Rejected) << button;
        EXPECT_EQ(platform.clipboard, "kept") << button;
        EXPECT_EQ(labelText(w, "lblRejecList"), "Rejected: #1") << button;
    }
}

TEST_F(WindowTest, RejectWithoutADataSetDoesNothing) {
    platform.clipboard = "x\r\n";  // refused, but the results window takes over
    click(start, "cmdPaste");
    frmDIX* w = results();
    ASSERT_NE(w, nullptr);
    platform.clipboard = "kept";
    for (const char* button : {"cmdRejectMin", "cmdRejectMax"}) click(w, button);
    EXPECT_EQ(store().NData, 0);
    EXPECT_EQ(store().Rejected[0], Cell());
    EXPECT_EQ(store().CopyMode, 0);
    EXPECT_EQ(platform.clipboard, "kept");
    EXPECT_EQ(labelText(w, "lblRejecList"), "");
}

TEST_F(WindowTest, RejectOfARowNoLongerUnderTestIsRefused) {
    frmDIX* w = openFromStart(kTwelve);
    ASSERT_NE(w, nullptr);
    store().Rejected[12] = 1;  // as if PosMax had gone stale
    const double nData = store().NData;
    click(w, "cmdRejectMax");
    EXPECT_EQ(store().NData, nData);
    EXPECT_EQ(platform.clipboardWrites, 0);
}

TEST_F(WindowTest, FailedClipboardWriteLeavesNothingAndTheProgramGoesOn) {
    frmDIX* w = openFromStart(kTwelve);
    ASSERT_NE(w, nullptr);
    platform.clipboard = "earlier";
    platform.clipboardFails = true;
    click(w, "cmdRejectMax");
    EXPECT_EQ(platform.clipboard, "earlier");
    EXPECT_EQ(labelText(w, "lblN"), "11 (from 12)");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(WindowTest, EditMenuCopyModeSequence) {
    frmDIX* w = openFromStart(kTwelve);
    ASSERT_NE(w, nullptr);
    const std::string longTail = "\r\tData:\r";
    struct Step {
        const char* action;
        int copyMode;
        bool longReport;
    };
    for (const Step& step : {Step{"mnuEditItem_1", 1, false}, Step{"mnuEditItem_2", 2, true},
                             Step{"mnuEditItem_1", 2, true}}) {
        platform.clipboard.clear();
        trigger(w, step.action);
        EXPECT_EQ(store().CopyMode, step.copyMode) << step.action;
        EXPECT_EQ(platform.clipboard.find(longTail) != std::string::npos, step.longReport)
            << step.action;
        EXPECT_EQ(
            platform.clipboard.rfind("Test of outliers by Sifton program\t\t\t\t5 Dec. 26", 0), 0u);
    }
}

TEST_F(WindowTest, PasteItemSetsCopyModeZeroUntilItIsTwo) {
    frmDIX* w = openFromStart(kTwelve);
    ASSERT_NE(w, nullptr);
    trigger(w, "mnuEditItem_1");
    platform.clipboard = test::clipboardColumn(kEight);
    trigger(w, "mnuEditItem_0");
    EXPECT_EQ(store().CopyMode, 0);
    EXPECT_EQ(labelText(w, "lblN"), "8");
    EXPECT_EQ(labelText(w, "lblFileName"), "From Clipboard");
    trigger(w, "mnuEditItem_1");
    EXPECT_EQ(store().CopyMode, 1);
    EXPECT_TRUE(platform.clipboard.rfind("Test of outliers", 0) == 0);
    EXPECT_NE(platform.clipboard.find("File name:\tFrom Clipboard\r"), std::string::npos);
}

// ---- Menus -------------------------------------------------------------------------------------

TEST_F(WindowTest, MenusHaveTheirCaptionsInOrderWithoutShortcuts) {
    frmDIX* w = openFromStart(kEight);
    ASSERT_NE(w, nullptr);
    QStringList seen;
    for (QAction* top : w->menuBar()->actions()) {
        seen << top->text();
        for (QAction* item : top->menu()->actions()) {
            seen << (item->isSeparator() ? QStringLiteral("-") : item->text());
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
        }
    }
    EXPECT_EQ(seen,
              (QStringList{"File", "Open Tallyra Data File", "Open General Data File", "-", "Exit",
                           "Edit", "Paste Raw Data from Clipboard", "Copy to Clipboard",
                           "Copy to Clipboard with All Data", "Help", "Description", "About"}));
    EXPECT_FALSE(w->findChild<QAction*>("mnuFileItem_0")->isEnabled());
    EXPECT_TRUE(w->findChild<QAction*>("mnuFileItem_1")->isEnabled());
}

struct KeptCase {
    const char* name;
    std::function<void(WindowTest&, ScriptedPlatform&)> arrange;  // scripts the refusal
    const char* action;
    const char* message;  // nullptr: none; otherwise its start
};

class RefusedLoadKeepsDataSet : public WindowTest, public ::testing::WithParamInterface<KeptCase> {
  public:
    using WindowTest::dataFile;
};

TEST_P(RefusedLoadKeepsDataSet, WindowStoreAndFileNameStay) {
    const KeptCase& c = GetParam();
    const std::string path = dataFile("twelve.csv", kTwelve);
    platform.dialogAnswers.push_back(path);
    click(start, "cmdOpen");
    frmDIX* w = results();
    ASSERT_NE(w, nullptr);
    click(w, "cmdRejectMax");
    platform.messages.clear();
    const SampleStore before = store();

    c.arrange(*this, platform);
    trigger(w, c.action);

    if (c.message == nullptr) {
        EXPECT_TRUE(platform.messages.empty());
    } else {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text.rfind(c.message, 0), 0u) << platform.messages[0].text;
    }
    EXPECT_EQ(store().DataFileName, path);
    EXPECT_EQ(store().NData, 11);
    EXPECT_EQ(store().Rejected, before.Rejected);
    EXPECT_EQ(store().Col1, before.Col1);
    EXPECT_EQ(labelText(w, "lblN"), "11 (from 12)");
    EXPECT_EQ(labelText(w, "lblRejecList"), "Rejected: #12");
    EXPECT_EQ(labelText(w, "lblFileName"), QString::fromStdString(path));
}

INSTANTIATE_TEST_SUITE_P(
    Menus, RefusedLoadKeepsDataSet,
    ::testing::Values(
        KeptCase{"CancelledDialog", [](WindowTest&, ScriptedPlatform&) {}, "mnuFileItem_1",
                 nullptr},
        KeptCase{"MissingFile",
                 [](WindowTest&, ScriptedPlatform& p) {
                     p.dialogAnswers.push_back("/nonexistent/sifton/none.csv");
                 },
                 "mnuFileItem_1", "Error occurred while trying to load file: /nonexistent"},
        KeptCase{"TwoRows",
                 [](WindowTest& t, ScriptedPlatform& p) {
                     p.dialogAnswers.push_back(
                         static_cast<RefusedLoadKeepsDataSet&>(t).dataFile("two.csv", {1, 2}));
                 },
                 "mnuFileItem_1", "What can I test with one or two data?"},
        KeptCase{"HeaderOnly",
                 [](WindowTest& t, ScriptedPlatform& p) {
                     p.dialogAnswers.push_back(
                         static_cast<RefusedLoadKeepsDataSet&>(t).dataFile("header.csv", {}));
                 },
                 "mnuFileItem_1", nullptr},
        KeptCase{"PasteNotNumeric",
                 [](WindowTest&, ScriptedPlatform& p) { p.clipboard = "1\r\n2\r\nthree\r\n"; },
                 "mnuEditItem_0", "One or more of the values are not numeric!"},
        KeptCase{"PasteEmptyClipboard",
                 [](WindowTest&, ScriptedPlatform& p) { p.clipboard.clear(); }, "mnuEditItem_0",
                 "There are no numbers on the clipboard."},
        KeptCase{"PasteNoValue", [](WindowTest&, ScriptedPlatform& p) { p.clipboard = " "; },
                 "mnuEditItem_0", nullptr},
        KeptCase{"PasteOneValue", [](WindowTest&, ScriptedPlatform& p) { p.clipboard = "4\r"; },
                 "mnuEditItem_0", "What can I test with one or two data?"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, MenuLoadAfterRejectionsResetsMarkersButKeepsCopyMode) {
    frmDIX* w = openFromStart(kTwelve);
    ASSERT_NE(w, nullptr);
    click(w, "cmdRejectMax");
    click(w, "cmdRejectMin");
    const std::string second = dataFile("eight.csv", kEight, "Harrow,HC,Eocene");
    platform.dialogAnswers.push_back(second);
    trigger(w, "mnuFileItem_1");
    EXPECT_EQ(store().NData, 8);
    EXPECT_EQ(store().Rejected[12], Cell(0));
    EXPECT_EQ(store().DataFileName, second);
    EXPECT_EQ(labelText(w, "lblRejecList"), "");
    EXPECT_EQ(labelText(w, "lblLocality"), "Harrow");
    trigger(w, "mnuEditItem_1");
    EXPECT_NE(platform.clipboard.find("\r\tData:\r"), std::string::npos);
}

TEST_F(WindowTest, HelpMenuOpensBothModes) {
    frmDIX* w = openFromStart(kEight);
    ASSERT_NE(w, nullptr);
    trigger(w, "mnuHelpItem_0");
    QWidget* help = test::topLevel("frmHelp_1");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->findChild<QPushButton*>("cmdOpenAcrobat")->isVisibleTo(help));
    trigger(w, "mnuHelpItem_1");
    EXPECT_FALSE(help->findChild<QPushButton*>("cmdOpenAcrobat")->isVisibleTo(help));
}

TEST_F(WindowTest, ExitClosesEveryWindow) {
    QPointer<frmDIX> w = openFromStart(kEight);
    ASSERT_FALSE(w.isNull());
    trigger(w, "mnuFileItem_3");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull() || !w->isVisible());
}

// ---- A table file that cannot be used ----------------------------------------------------------

TEST_F(WindowTest, MissingTableFromStartWarnsAndStays) {
    tables.remove("dixon.dat");
    platform.dialogAnswers.push_back(dataFile("twelve.csv", kTwelve));
    click(start, "cmdOpen");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Sifton");
    EXPECT_NE(platform.messages[0].text.find(tables.file("dixon.dat")), std::string::npos);
    EXPECT_NE(platform.messages[0].text.find("missing"), std::string::npos);
    EXPECT_TRUE(startWindowAlive());
    EXPECT_TRUE(start->isVisible());
}

TEST_F(WindowTest, MissingTableOnRejectWarnsAndTheWindowGoesOn) {
    frmDIX* w = openFromStart(kTwelve);
    ASSERT_NE(w, nullptr);
    tables.remove("gauss-g.dat");
    click(w, "cmdRejectMax");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("gauss-g.dat"), std::string::npos);
    EXPECT_EQ(platform.clipboardWrites, 0) << "no report of results that were not computed";
    EXPECT_EQ(labelText(w, "lblRejecList"), "Rejected: #12");
    EXPECT_TRUE(w->isVisible());
}

}  // namespace
}  // namespace sifton
