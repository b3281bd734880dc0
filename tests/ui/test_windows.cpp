// The real windows driven as a user would, through the scripted platform: the start window and
// its hand-over, the results window's labels, the reject buttons, the menus and the failures.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <tuple>

#include "core/store.h"
#include "platform/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/frm_start.h"
#include "window_test_support.h"

namespace sifton {
namespace {

using test::label;

const QColor kLightRed(255, 192, 192);
const char* const kOneOrTwo = "What can I test with one or two data?";
const std::string kReportStart = "Test of outliers by Sifton program\t\t\t\t5 Dec. 26\r";
// Twelve values, the largest (row 12) far above the rest, the smallest (row 11) in the crowd.
const std::vector<double> kTwelve = {10.2, 10.5, 9.8,  10.1, 10.4, 9.9,
                                     9.7,  10.0, 10.3, 10.6, 9.6,  25.0};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        store() = SampleStore{};
        platform.folder = tables.path();
        start = Main(platform);
    }
    void TearDown() override { test::destroyAllWindows(); }

    void act(QWidget* window, const char* name) {  // clicks the button or triggers the menu item
        auto* b = window ? window->findChild<QPushButton*>(name) : nullptr;
        auto* a = window ? window->findChild<QAction*>(name) : nullptr;
        ASSERT_TRUE(a || b) << name;
        b ? QTest::mouseClick(b, Qt::LeftButton) : a->trigger();
    }
    frmDIX* results() {  // the results window, when shown
        auto* w = qobject_cast<frmDIX*>(test::topLevel("frmDIX"));
        return w && w->isVisible() ? w : nullptr;
    }
    frmDIX* open(const std::vector<double>& values, const std::string& name = "d.csv") {
        platform.dialogAnswers.push_back(test::writeDataFile(tables.file(name), values));
        act(start, "cmdOpen");
        return results();
    }
    void expectWarning(const std::string& head) {  // the start of the one warning; "": none
        ASSERT_EQ(platform.messages.size(), head.empty() ? 0u : 1u);
        EXPECT_EQ(head.empty() ? head : platform.messages[0].text.substr(0, head.size()), head);
    }
    std::string texts(const QWidget* w, std::initializer_list<const char*> names) {  // '|' joined
        std::string joined;
        for (const char* name : names) joined += "|" + label(w, name).text;
        return joined.substr(1);
    }
    std::string screen(const frmDIX* w) {  // every label as the window holds it and shows it
        std::string all;
        for (const LabelState& state : w->model().labels()) {
            const test::LabelView shown = label(w, state.name.c_str());
            all += state.name + "=" + state.text + "/" + shown.text + "/" +
                   shown.background.name().toStdString() + (shown.shown ? "\n" : " hidden\n");
        }
        return all;
    }
    std::string enabled(const QWidget* w) {  // the two reject buttons, then the two copy items
        std::string flags;
        for (const char* name : {"cmdRejectMin", "cmdRejectMax", "mnuEditItem_1", "mnuEditItem_2"})
            flags += w->findChild<QObject*>(name)->property("enabled").toBool() ? '1' : '0';
        return flags;
    }

    test::TableFolder tables;
    ScriptedPlatform platform;
    QPointer<frmStart> start;
};

TEST_F(WindowTest, OpenFromStartShowsResultsAndMenusThenTwoMoreDataSetsFromTheMenuThenExit) {
    frmDIX* w = open(kTwelve);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(test::topLevel("frmStart"), nullptr);
    EXPECT_EQ(platform.dialogsShown.at(0).initialFolder, tables.path());
    EXPECT_EQ(
        texts(w, {"lblFileName", "lblLocality", "lblStratAge", "lblN", "lblMean", "lblYoungHead",
                  "lblYoungAge", "lblOldHead", "lblOldAge", "lblDixMax", "lblIQRold", "lblGaY"}),
        tables.file("d.csv") +
            "|Kestrel Ridge|Late Cretaceous|12|11.34|Minimum (# 11):|9.60|Maximum (# 12):|25.00|  "
            "< 0.5 %  |  extreme outlier  |  OK  ");
    // The largest value stands out in every test; the smallest in none.
    for (const char* name : {"lblGrubbsMax", "lblDixMax", "lblIQRold", "lblGaO"})
        EXPECT_EQ(label(w, name).background, kLightRed) << name;
    for (const char* name : {"lblGrubbsMin", "lblDixMin", "lblIQRyoung", "lblGaY"})
        EXPECT_EQ(label(w, name).background, QColor(Qt::white)) << name;
    QStringList menus;  // captions in order, a separator as an empty one
    for (QAction* top : w->menuBar()->actions())
        for (QAction* item : QList<QAction*>{top} + top->menu()->actions()) menus << item->text();
    EXPECT_EQ(menus.join('|').toStdString(),
              "File|Open Tallyra Data File|Open General Data File||Exit|Edit|Paste Raw Data from "
              "Clipboard|Copy to Clipboard|Copy to Clipboard with All Data|Help|Description|About");
    EXPECT_FALSE(w->findChild<QAction*>("mnuFileItem_0")->isEnabled());

    platform.dialogAnswers.push_back(
        test::writeDataFile(tables.file("5.csv"), {10, 11, 12, 13, 30}));
    act(w, "mnuFileItem_1");
    EXPECT_EQ(platform.dialogsShown.back().initialFolder, "");
    EXPECT_TRUE(label(w, "lblIQRno").shown);  // too few values for the IQR test
    EXPECT_EQ(label(w, "lblN").text, "5");
    act(w, "cmdRejectMax");
    platform.dialogAnswers.push_back(test::writeDataFile(
        tables.file("8.csv"), {10, 11, 12, 13, 14, 15, 16, 17}, "Harrow,HC,Eo"));
    act(w, "mnuFileItem_1");
    EXPECT_EQ(store().Rejected[5], Cell(0));
    EXPECT_FALSE(label(w, "lblIQRno").shown);
    EXPECT_EQ(label(w, "lblGaO").background, QColor(Qt::white));
    // Quartiles of 10..17 are 12 and 15.5, so the fences lie at 6.75 and 20.75.
    EXPECT_EQ(texts(w, {"lblRejecList", "lblLocality", "lblN", "lblGaO", "lblLowerFence",
                        "lblUpperFence"}),
              "|Harrow|8|  OK  |6.75|20.75");

    // Exit closes every window, the help window too, and ends the event loop.
    act(w, "mnuHelpItem_0");
    QTimer::singleShot(0, w, [&] { act(w, "mnuFileItem_3"); });
    QTimer stuck;  // ends the loop with 1 should Exit not end it
    stuck.callOnTimeout([] { QCoreApplication::exit(1); });
    stuck.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
}

struct Refusal {
    const char* name;
    bool paste;
    const char* input;    // clipboard text; or the chosen file's text, "" cancels, nullptr: no file
    const char* warning;  // start of the one warning; "" none
    bool handsOver;       // whether the start window still hands over to an empty results window
    bool brokenTable = false;  // gauss-g.dat is missing, so the calculation fails part-way
};

void PrintTo(const Refusal& c, std::ostream* out) { *out << c.name; }

class RefusedLoad : public WindowTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedLoad, StartWindowStaysOrHandsOverAndTheMenuKeepsTheDataSet) {
    const Refusal& c = GetParam();
    auto script = [&] {
        if (c.brokenTable) tables.remove("gauss-g.dat");
        if (c.paste) return void(platform.clipboard = c.input);
        if (c.input) std::ofstream(tables.file("load.csv"), std::ios::binary) << c.input;
        if (!c.input || *c.input) platform.dialogAnswers.push_back(tables.file("load.csv"));
    };
    script();
    act(start, c.paste ? "cmdPaste" : "cmdOpen");
    expectWarning(c.warning);
    EXPECT_EQ(test::topLevel("frmStart") == nullptr, c.handsOver);
    EXPECT_EQ(std::tuple(store().NData, store().GruTmax), std::tuple(0.0, Cell()));  // no half run
    tables.restore("gauss-g.dat");
    frmDIX* w = results();
    if (c.handsOver) {
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(enabled(w), "0000");  // nothing to reject or copy, even when asked directly
        w->cmdRejectMin_Click(), w->cmdRejectMax_Click();
        w->mnuEditItem_Click(1), w->mnuEditItem_Click(2);
        EXPECT_EQ(texts(w, {"lblN", "lblFileName", "lblRejecList"}), "||");
        EXPECT_EQ(std::tuple(platform.clipboardWrites, store().CopyMode), std::tuple(0, 0));
        platform.dialogAnswers.push_back(test::writeDataFile(tables.file("twelve.csv"), kTwelve));
        act(w, "mnuFileItem_1");
    } else {
        EXPECT_EQ(w, nullptr);
        w = open(kTwelve, "twelve.csv");  // the next good file loads cleanly
        ASSERT_NE(w, nullptr);
    }
    act(w, "cmdRejectMax");
    platform.messages.clear();
    const SampleStore before = store();
    script();
    act(w, c.paste ? "mnuEditItem_0" : "mnuFileItem_1");
    expectWarning(c.warning);
    EXPECT_EQ(store().DataFileName, tables.file("twelve.csv"));
    EXPECT_EQ(store().Rejected, before.Rejected);  // a reset before the refusal would clear these
    EXPECT_EQ(texts(w, {"lblN", "lblRejecList", "lblFileName"}),
              "11 (from 12)|Rejected: #12|" + tables.file("twelve.csv"));
}

INSTANTIATE_TEST_SUITE_P(
    Loads, RefusedLoad,
    ::testing::Values(
        Refusal{"OpenCancelled", false, "", "", false},
        Refusal{"OpenMissing", false, nullptr, "Error occurred while trying to load file:", false},
        Refusal{"OpenTwoRows", false, "h\r\n5,1\r\n6,1\r\n", kOneOrTwo, false},
        Refusal{"OpenHeaderOnly", false, "h\r\n", "Error occurred while trying to load", false},
        Refusal{"PasteNotNumeric", true, "5\r\nab\r\n7", "One or more of the values are not", true},
        Refusal{"PasteTwoValues", true, "5\r\n6\r\n", kOneOrTwo, true},
        Refusal{"PasteOnlyBlanks", true, "   ", "There are no numbers on the clipboard", true},
        Refusal{"PasteEmpty", true, "", "There are no numbers on the clipboard.", false},
        Refusal{"OpenTableMissing", false, "h\r\n1\r\n2\r\n3\r\n9\r\n", "The table file", false,
                true},
        Refusal{"PasteTableMissing", true, "1\t2\t3\t9", "The table file", true, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A run that a missing table file stops part-way changes nothing: not the store (the tests
// before the failing one have written their results), not the window, the report mode or the
// clipboard. The next rejection then takes the value the window shows.
TEST_F(WindowTest, ABrokenTableChangesNothingAndRejectingTwiceCopiesTheLongReport) {
    frmDIX* w = open(kTwelve);
    ASSERT_NE(w, nullptr);
    act(w, "mnuEditItem_1");
    platform.clipboard = "1\t2\t3\t9";  // what the paste below reads
    const auto dataSet = [] {
        const SampleStore& s = store();
        return std::tuple(s.Col1, s.Rejected, s.NData, s.RowCount, s.DataFileName, s.Locality,
                          s.PosMin, s.GruTmin, s.DixRmin, s.IQRQ1, s.GauYoung, s.CopyMode);
    };
    const auto before = dataSet();
    const std::string shown = screen(w);
    tables.remove("gauss-g.dat");
    platform.dialogAnswers.push_back(test::writeDataFile(tables.file("five.csv"), {1, 2, 3, 4, 9}));
    for (const char* command : {"cmdRejectMin", "mnuFileItem_1", "mnuEditItem_0"}) {
        SCOPED_TRACE(command);
        platform.messages.clear();
        act(w, command);
        expectWarning("The table file " + tables.file("gauss-g.dat") + " is missing");
        EXPECT_TRUE(dataSet() == before);
        EXPECT_EQ(screen(w), shown);
        EXPECT_EQ(enabled(w), "1111");
        EXPECT_EQ(std::tuple(platform.clipboard, platform.clipboardWrites),
                  std::tuple("1\t2\t3\t9", 1));
    }
    tables.restore("gauss-g.dat");
    act(w, "cmdRejectMin");
    EXPECT_EQ(texts(w, {"lblRejecList", "lblN"}), "Rejected: #11|11 (from 12)");

    platform.clipboard = "earlier";
    platform.clipboardFails = true;
    act(w, "cmdRejectMax");
    EXPECT_EQ(platform.clipboard, "earlier");
    EXPECT_EQ(texts(w, {"lblRejecList", "lblN", "lblOldHead"}),
              "Rejected: #12|10 (from 12)|Maximum (# 10):");
    platform.clipboardFails = false;
    act(w, "cmdRejectMax");
    EXPECT_EQ(texts(w, {"lblRejecList", "lblN"}), "Rejected: #10|9 (from 12)");
    for (const char* row : {"\r10\t10.6\t <--- This data is rejected\r", "\r11\t9.6\t <--- This",
                            "\r12\t25\t <--- This data is rejected\r"})
        EXPECT_NE(platform.clipboard.find(row), std::string::npos) << row;
}

TEST_F(WindowTest, PasteFromStartThenEditMenuCopiesShortThenLongAndRejectStopsAtThree) {
    platform.clipboard = "5\t6\r\n7\t8\r\n";
    act(start, "cmdPaste");
    frmDIX* w = results();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(test::topLevel("frmStart"), nullptr);
    EXPECT_EQ(texts(w, {"lblN", "lblFileName"}), "4|From Clipboard");
    // What the clipboard holds after each item: 0 the values pasted, 1 the short, 2 the long
    // report. CopyMode 2 stays once set.
    for (auto [item, copyMode, report] :
         {std::tuple{"mnuEditItem_1", 1, 1}, std::tuple{"mnuEditItem_0", 0, 0},
          std::tuple{"mnuEditItem_1", 1, 1}, std::tuple{"mnuEditItem_2", 2, 2},
          std::tuple{"mnuEditItem_1", 2, 2}, std::tuple{"mnuEditItem_0", 2, 0}}) {
        platform.clipboard = "1\r\n2\r\n3\r\n10\r\n";
        act(w, item);
        EXPECT_EQ(store().CopyMode, copyMode) << item;
        EXPECT_EQ(platform.clipboard.rfind(kReportStart, 0), report ? 0 : std::string::npos);
        EXPECT_EQ(platform.clipboard.find("\r\tData:\r") != std::string::npos, report == 2);
    }
    act(w, "cmdRejectMin");  // 2, 3 and 10 stay: three values are the least a test takes
    platform.clipboard = "kept";
    for (const char* button : {"cmdRejectMin", "cmdRejectMax"}) act(w, button);
    EXPECT_EQ(texts(w, {"lblN", "lblRejecList"}), "3 (from 4)|Rejected: #1");
    EXPECT_EQ(platform.clipboard, "kept");
}

}  // namespace
}  // namespace sifton
