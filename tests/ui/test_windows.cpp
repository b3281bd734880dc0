// The real windows driven as a user would, through the scripted platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <tuple>

#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/frm_plot.h"
#include "ui/frm_start.h"
#include "window_test_support.h"

namespace sifton {
namespace {

using test::label;
using test::trigger;

const char* const kOneOrTwo = "What can I test with one or two data?";
const std::string kReportStart = "Test of outliers by Sifton program\t\t\t\t5 Dec. 26\r";
// Twelve values, the largest (row 12) far above the rest, the smallest (row 11) in the crowd.
const std::vector<double> kTwelve = {10.2, 10.5, 9.8,  10.1, 10.4, 9.9,
                                     9.7,  10.0, 10.3, 10.6, 9.6,  25.0};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.folder = tables.path();
        start = Main(platform);
    }
    void TearDown() override { test::destroyAllWindows(); }

    frmDIX* results() {  // the results window, when shown
        auto* w = qobject_cast<frmDIX*>(test::topLevel("frmDIX"));
        return w && w->isVisible() ? w : nullptr;
    }
    frmDIX* open(const std::vector<double>& values, const std::string& name = "d.csv") {
        platform.dialogAnswers.push_back(test::writeDataFile(tables.file(name), values));
        trigger(start, "cmdOpen");
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
    // Every label's text, background and visibility as shown, or as the presentation has them.
    std::string screen(const frmDIX* w, bool presented = false) {
        std::string all;
        for (const LabelState& s : labelStates(w->shown())) {
            const test::LabelView v = label(w, s.name.c_str());
            const Rgb& b = s.background;
            const QColor paints = s.opaque ? QColor(b.red, b.green, b.blue) : QColor();
            all += s.name + "=" + (presented ? s.text : v.text) + "/" +
                   (presented ? paints : v.background).name().toStdString() +
                   ((presented ? s.visible : v.shown) ? "\n" : " hidden\n");
        }
        return all;
    }
    std::string enabled(const QWidget* w,  // by default the reject buttons, then the copy items
                        std::initializer_list<const char*> names = {
                            "cmdRejectMin", "cmdRejectMax", "mnuEditItem_1", "mnuEditItem_2"}) {
        std::string flags;
        for (const char* name : names)
            flags += w->findChild<QObject*>(name)->property("enabled").toBool() ? '1' : '0';
        return flags;
    }
    void expectEndsAll(const std::function<void()>& action) {  // the loop with 0, windows closed
        QTimer::singleShot(0, action);
        QTimer stuck;  // ends the loop with 1 should the action not end it
        stuck.callOnTimeout([] { QCoreApplication::exit(1); });
        stuck.start(5000);
        EXPECT_EQ(QApplication::exec(), 0);
        for (const QWidget* window : QApplication::topLevelWidgets())
            EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
    void key(QWidget* window, QKeyCombination keys) {  // pressed while the window is active
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, keys.key(), keys.keyboardModifiers());
    }

    test::TableFolder tables;
    ScriptedPlatform platform;
    QPointer<frmStart> start;
};

// `sifton FILE`, a drop and the menu load as the open command would; the start window hands over to
// the results window; closing it closes the others and ends the program.
TEST_F(WindowTest, AFileGivenAtStartDroppedOrLoadedOpensAndClosingEndsAll) {
    const std::string good = test::writeDataFile(tables.file("d.csv"), kTwelve);
    const std::string two = test::writeDataFile(tables.file("two.csv"), {5, 6});
    auto drop = [](QWidget* window, const std::vector<QUrl>& urls) {
        QMimeData data;
        data.setUrls(QList<QUrl>(urls.begin(), urls.end()));
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window, &enter);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window, &drop);
        QCoreApplication::processEvents();
    };
    const QUrl goodUrl = QUrl::fromLocalFile(QString::fromStdString(good));
    const QString folder = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(tables.path()));
    test::destroyAllWindows();
    start = Main(platform, {"sifton", "two.csv"});  // relative to the folder the program started in
    QDir::setCurrent(folder);
    expectWarning(kOneOrTwo);  // refused: the message, then the start window
    ASSERT_TRUE(start && start->isVisible());
    drop(start, {goodUrl, QUrl("file:///x.csv")});
    drop(start, {QUrl("https://example.org/d.csv")});
    EXPECT_EQ(results(), nullptr);  // neither two files nor a web address are taken
    expectWarning(kOneOrTwo);
    drop(start, {goodUrl});
    frmDIX* w = results();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(test::topLevel("frmStart"), nullptr);
    EXPECT_EQ(texts(w, {"lblFileName", "lblN"}), good + "|12");
    // The folder holds no dixon-p.dat: the Dixon tooltips say why they show no p-value.
    EXPECT_TRUE(w->findChild<QLabel*>("lblDixRmax")->toolTip().startsWith("No p-value: The table"));
    trigger(w, "cmdRejectMax");
    platform.messages.clear();
    drop(w, {QUrl::fromLocalFile(QString::fromStdString(two))});
    expectWarning(kOneOrTwo);
    EXPECT_EQ(label(w, "lblN").text, "11 (from 12)");

    platform.dialogAnswers.push_back(test::writeDataFile(
        tables.file("8.csv"), {10, 11, 12, 13, 14, 15, 16, 17}, "Harrow,HC,Eo"));
    trigger(w, "mnuFileItem_1");
    EXPECT_EQ(platform.dialogsShown.back().initialFolder, "");
    EXPECT_EQ(texts(w, {"lblN", "lblLocality", "lblRejecList"}), "8|Harrow|");  // no old rejection

    trigger(w, "mnuHelpItem_1");
    QWidget other;  // any other window of the program, such as a plot
    other.show();
    expectEndsAll([w] { w->close(); });
}

struct Refusal {
    const char* name;
    bool paste;
    const char* input;    // clipboard text; or the chosen file's text, "" cancels, nullptr: no file
    const char* warning;  // start of the one warning; "" none
    bool handsOver;       // whether the start window still hands over to an empty results window
    bool brokenTable = false;  // gauss-g.dat is missing, so the calculation fails part-way
};

class RefusedLoad : public WindowTest, public ::testing::WithParamInterface<Refusal> {};

// Loads are all or nothing: a refused one leaves window, report mode and clipboard as they were.
TEST_P(RefusedLoad, StartWindowStaysOrHandsOverAndTheMenuKeepsTheDataSet) {
    const Refusal& c = GetParam();
    auto script = [&] {
        if (c.brokenTable) tables.remove("gauss-g.dat");
        if (c.paste) return void(platform.clipboard = c.input);
        if (c.input) std::ofstream(tables.file("load.csv"), std::ios::binary) << c.input;
        if (!c.input || *c.input) platform.dialogAnswers.push_back(tables.file("load.csv"));
    };
    script();
    trigger(start, c.paste ? "cmdPaste" : "cmdOpen");
    expectWarning(c.warning);
    EXPECT_EQ(test::topLevel("frmStart") == nullptr, c.handsOver);
    // No half run: the results window, shown or still hidden, holds no analysis.
    const auto* any = qobject_cast<frmDIX*>(test::topLevel("frmDIX"));
    EXPECT_TRUE(any == nullptr || any->analysis() == nullptr);
    tables.restore("gauss-g.dat");
    frmDIX* w = results();
    EXPECT_EQ(w != nullptr, c.handsOver);
    if (w) {
        EXPECT_EQ(enabled(w), "0000");  // nothing to reject or copy, even when asked directly
        w->cmdRejectMin_Click(), w->cmdRejectMax_Click();
        w->copyReport(ReportMode::Short), w->copyReport(ReportMode::Long);
        EXPECT_EQ(std::tuple(screen(w), platform.clipboardWrites, w->copyMode(), w->analysis()),
                  std::tuple(screen(w, true), 0, ReportMode::Short, nullptr));
    }
    platform.dialogAnswers.push_back(test::writeDataFile(tables.file("twelve.csv"), kTwelve));
    trigger(w ? static_cast<QWidget*>(w) : start.data(), w ? "mnuFileItem_1" : "cmdOpen");
    w = results();  // the next good file loads cleanly
    ASSERT_NE(w, nullptr);
    trigger(w, "cmdRejectMax");
    platform.messages.clear();
    const DataSet* before = &w->analysis()->dataSet();
    const std::string shown = screen(w);
    const int writes = platform.clipboardWrites;
    script();
    trigger(w, c.paste ? "mnuEditItem_0" : "mnuFileItem_1");
    expectWarning(c.warning);
    ASSERT_NE(w->analysis(), nullptr);
    // A reset before the refusal would clear the rejection and the long report mode.
    EXPECT_EQ(std::tuple(&w->analysis()->dataSet(), w->analysis()->rejectedRows(), w->copyMode(),
                         platform.clipboardWrites, enabled(w)),
              std::tuple(before, std::vector<int>{12}, ReportMode::Long, writes, "1111"));
    EXPECT_EQ(screen(w), shown);
}

INSTANTIATE_TEST_SUITE_P(
    Loads, RefusedLoad,
    ::testing::Values(
        Refusal{"OpenCancelled", false, "", "", false},
        Refusal{"OpenMissing", false, nullptr, "Error occurred while trying to load file:", false},
        Refusal{"OpenTwoRows", false, "h,c\r\n5,1\r\n6,1\r\n", kOneOrTwo, false},
        Refusal{"PasteNotNumeric", true, "5\r\nab\r\n7", "One or more of the values are not", true},
        Refusal{"PasteOnlyBlanks", true, "   ", "There are no numbers on the clipboard", true},
        Refusal{"PasteEmpty", true, "", "There are no numbers on the clipboard.", false},
        Refusal{"OpenTableMissing", false, "h\r\n1\r\n2\r\n3\r\n9\r\n", "The table file", false,
                true},
        Refusal{"PasteTableMissing", true, "1\t2\t3\t9", "The table file", true, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A rejection a missing table stops part-way changes nothing; one whose copy fails is still made.
TEST_F(WindowTest, ABrokenTableStopsARejectionAndAFailingClipboardKeepsItsText) {
    frmDIX* w = open(kTwelve);
    ASSERT_NE(w, nullptr);
    trigger(w, "mnuEditItem_1");
    const std::string shown = screen(w), copied = platform.clipboard;
    tables.remove("gauss-g.dat");
    trigger(w, "cmdRejectMin");
    expectWarning("The table file " + tables.file("gauss-g.dat") + " is missing");
    EXPECT_EQ(std::tuple(screen(w), enabled(w), w->analysis()->NData(), w->copyMode(),
                         platform.clipboard, platform.clipboardWrites),
              std::tuple(shown, "1111", 12, ReportMode::Short, copied, 1));
    tables.restore("gauss-g.dat");
    platform.clipboard = "earlier";
    platform.clipboardFails = true;
    trigger(w, "cmdRejectMin");
    EXPECT_EQ(std::pair(platform.clipboard, texts(w, {"lblRejecList", "lblN"})),
              std::pair(std::string("earlier"), std::string("Rejected: #11|11 (from 12)")));
}

// Undo and Redo put back what a rejection changed, without copying; a rejection or load ends redo.
TEST_F(WindowTest, RejectTwiceThenUndoTwiceCopiesTheOriginalReportAndRedoRejectsAgain) {
    frmDIX* w = open(kTwelve);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(platform.dialogsShown.at(0).initialFolder, tables.path());
    const auto undoRedo = [&] { return enabled(w, {"mnuEditItem_3", "mnuEditItem_4"}); };
    trigger(w, "mnuEditItem_1");
    const std::string original = platform.clipboard, loaded = screen(w);
    trigger(w, "cmdRejectMax");
    const std::string afterOne = screen(w);
    trigger(w, "cmdRejectMax");
    const QLabel* rejected = w->findChild<QLabel*>("lblRejecList");
    EXPECT_EQ(
        std::pair(rejected->toolTip().toStdString(), undoRedo()),
        std::pair(std::string("Rejected, in this order:\n#12: 25\n#10: 10.6"), std::string("10")));
    const std::string longReport = platform.clipboard;
    for (int i = 0; i < 3; ++i) trigger(w, "mnuEditItem_3");  // the third finds nothing to undo
    ASSERT_NE(w->analysis(), nullptr);
    EXPECT_EQ(std::tuple(screen(w), rejected->toolTip(), undoRedo(), w->analysis()->NData(),
                         w->copyMode(), platform.clipboard),
              std::tuple(loaded, QString(), "01", 12, ReportMode::Short, longReport));
    trigger(w, "mnuEditItem_1");
    EXPECT_EQ(platform.clipboard, original);
    trigger(w, "mnuEditItem_4");
    EXPECT_EQ(std::tuple(screen(w), w->copyMode(), platform.clipboard, undoRedo()),
              std::tuple(afterOne, ReportMode::Long, original, "11"));
    trigger(w, "cmdRejectMin");  // a new rejection ends what could be redone
    EXPECT_EQ(undoRedo(), "10");
    trigger(w, "mnuEditItem_3");
    EXPECT_EQ(std::pair(screen(w), undoRedo()), std::pair(afterOne, std::string("11")));
    platform.dialogAnswers.push_back(tables.file("d.csv"));
    trigger(w, "mnuFileItem_1");  // a new load starts a new history
    EXPECT_EQ(undoRedo(), "00");
}

// Every command has its key (Ctrl+D in the plot test); the long report mode stays once set, through
// a paste too; a rejection stops at three values.
TEST_F(WindowTest, KeysReachEveryCommand) {
    key(start, Qt::CTRL | Qt::Key_V);  // the clipboard holds nothing
    expectWarning("There are no numbers on the clipboard.");
    platform.clipboard = "5\t6\r\n7\t8\r\n";
    QTest::keyClick(start->findChild<QPushButton*>("cmdPaste"), Qt::Key_Return);
    frmDIX* w = results();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(texts(w, {"lblN", "lblFileName"}), "4|From Clipboard");
    std::string seen;  // after each key the count of data and the copy: 2 long, 1 short, 0 none
    const auto note = [&] {
        const std::string& held = platform.clipboard;
        const bool all = held.find("\r\tData:\r") != std::string::npos;
        seen += label(w, "lblN").text + std::to_string(held.starts_with(kReportStart) + all) + " ";
        platform.clipboard = "1\t2\t3\t9";
    };
    for (QKeyCombination keys :
         {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::SHIFT | Qt::Key_C, Qt::CTRL | Qt::Key_C})
        key(w, keys), note();
    for (const char* button : {"cmdRejectMin", "cmdRejectMax"})
        QTest::keyClick(w->findChild<QPushButton*>(button), Qt::Key_Enter), note();
    for (QKeyCombination keys : {Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
                                 Qt::CTRL | Qt::Key_V, Qt::CTRL | Qt::Key_C})
        key(w, keys), note();
    EXPECT_EQ(seen, "41 42 42 3 (from 4)2 3 (from 4)0 40 3 (from 4)0 40 42 ");
    key(w, Qt::Key_F1);
    QWidget* help = test::topLevel("frmHelp_1");
    ASSERT_TRUE(help && help->isVisible());
    key(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    key(w, Qt::Key_F1);
    expectEndsAll([&] { key(w, Qt::CTRL | Qt::Key_Q); });  // Exit is Ctrl+Q everywhere
}

// The plot follows the results window, takes its keys, saves three formats and closes with it.
TEST_F(WindowTest, PlotWindowFollowsTheResultsWindowSavesThreeFormatsAndClosesWithIt) {
    frmDIX* w = open(kTwelve);
    ASSERT_NE(w, nullptr);
    key(w, Qt::CTRL | Qt::Key_D);
    QPointer<frmPlot> plot = w->plotWindow();
    ASSERT_TRUE(plot && plot->isVisible());
    trigger(w, "cmdRejectMax");
    std::string rows;  // the rows labelled as rejected
    for (const PlotText& t : plot->currentGeometry().texts)
        if (t.role == PlotRole::RowLabel) rows += t.text;
    EXPECT_EQ(std::pair(plot->data().underTest(), rows), std::pair(11, std::string("#12")));
    platform.clipboard.clear();
    for (QKeyCombination keys : {Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_C}) key(plot, keys);
    EXPECT_EQ(std::pair(plot->data().underTest(), platform.clipboard.rfind(kReportStart, 0)),
              std::pair(12, std::size_t{0}));

    const std::string base = tables.file("plot");
    for (const char* ending : {".svg", ".PDF", ".png", ".jpg"})
        platform.saveAnswers.push_back(base + ending);
    for (int i = 0; i < 5; ++i) trigger(plot, "mnuPlotFileItem_0");
    EXPECT_EQ(platform.saveDialogsShown.at(0).fileName, "d-plot.png");
    for (auto [ending, start] :
         {std::pair{".svg", "<?xml"}, {".PDF", "%PDF"}, {".png", "\x89PNG"}}) {
        QFile file(QString::fromStdString(base + ending));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << ending;
        EXPECT_TRUE(file.read(5).startsWith(start)) << ending;
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(base + ".jpg")));
    EXPECT_EQ(platform.messages.size(), 1u);  // the .jpg; the cancelled fifth says nothing
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(plot.isNull());
}

}  // namespace
}  // namespace sifton
