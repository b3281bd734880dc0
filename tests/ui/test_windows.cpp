// The real windows driven as a user would, through the scripted platform: the start window and
// its hand-over, the results window's labels, the reject buttons, the menus, the keys, the plot
// and "Several Outliers" windows, and the failures.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <tuple>

#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/frm_plot.h"
#include "ui/frm_start.h"
#include "ui/plot_geometry.h"
#include "window_test_support.h"

namespace sifton {
namespace {

using test::label;

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
    int exitCode(const std::function<void()>& action) {  // of the event loop the action runs in
        QTimer::singleShot(0, action);
        QTimer stuck;  // ends the loop with 1 should the action not end it
        stuck.callOnTimeout([] { QCoreApplication::exit(1); });
        stuck.start(5000);
        return QApplication::exec();
    }
    std::string copied() {  // 2: the report with all data, 1: the short one, 0: something else
        const std::string& held = platform.clipboard;
        return held.find("\r\tData:\r") != std::string::npos ? "2"
               : held.starts_with(kReportStart)              ? "1"
                                                             : "0";
    }
    void key(QWidget* window, QKeyCombination keys) {  // pressed while the window is active
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, keys.key(), keys.keyboardModifiers());
    }
    void expectAllClosed() {
        for (const QWidget* window : QApplication::topLevelWidgets())
            EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }

    test::TableFolder tables;
    ScriptedPlatform platform;
    QPointer<frmStart> start;
};

// `sifton FILE` and a file dropped on either window open it as the open command would: the same
// refusals, the start window handing over to the results window, centred and rendering the
// presentation; a refused drop and a load from the menu keep or replace the data set and its
// rejections; every window has the icon; closing the results window closes the others and ends
// the program.
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
    const auto local = [](const std::string& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path));
    };
    const QString folder = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(tables.path()));
    test::destroyAllWindows();
    start = Main(platform, {"sifton", "two.csv"});  // relative to the folder the program started in
    QDir::setCurrent(folder);
    expectWarning(kOneOrTwo);  // refused: the message, then the start window
    ASSERT_TRUE(start && start->isVisible());
    drop(start, {local(good), QUrl("file:///x.csv")});
    drop(start, {QUrl("https://example.org/d.csv")});
    EXPECT_EQ(results(), nullptr);  // neither two files nor a web address are taken
    expectWarning(kOneOrTwo);
    drop(start, {local(good)});
    frmDIX* w = results();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(test::topLevel("frmStart"), nullptr);
    EXPECT_EQ(w->frameGeometry().center(), w->screen()->availableGeometry().center());
    EXPECT_EQ(texts(w, {"lblFileName", "lblN"}), good + "|12");
    EXPECT_EQ(screen(w), screen(w, true));
    act(w, "cmdRejectMax");
    platform.messages.clear();
    drop(w, {local(two)});
    expectWarning(kOneOrTwo);
    EXPECT_EQ(label(w, "lblN").text, "11 (from 12)");
    drop(w, {local(good)});
    EXPECT_EQ(label(w, "lblN").text, "12");

    act(w, "cmdRejectMax");
    platform.dialogAnswers.push_back(test::writeDataFile(
        tables.file("8.csv"), {10, 11, 12, 13, 14, 15, 16, 17}, "Harrow,HC,Eo"));
    act(w, "mnuFileItem_1");
    EXPECT_EQ(platform.dialogsShown.back().initialFolder, "");
    ASSERT_NE(w->analysis(), nullptr);  // the new data set comes without the old rejection
    EXPECT_EQ(std::pair(w->analysis()->rejectedRows().empty(), texts(w, {"lblN", "lblLocality"})),
              std::pair(true, std::string("8|Harrow")));
    EXPECT_EQ(screen(w), screen(w, true));

    act(w, "mnuHelpItem_1");
    QWidget other;  // any other window of the program, such as a plot
    other.show();
    for (QWidget* window : {test::topLevel("frmDIX"), test::topLevel("frmHelp_1")})
        EXPECT_FALSE(window->windowIcon().isNull()) << window->objectName().toStdString();
    EXPECT_EQ(exitCode([w] { w->close(); }), 0);
    expectAllClosed();
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

// Loads are all or nothing: a refused one leaves the analysis, the window, the report mode and
// the clipboard as they were.
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
    // No half run: the results window, shown or still hidden, holds no analysis.
    const auto* any = qobject_cast<frmDIX*>(test::topLevel("frmDIX"));
    EXPECT_TRUE(any == nullptr || any->analysis() == nullptr);
    tables.restore("gauss-g.dat");
    frmDIX* w = results();
    if (c.handsOver) {
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(enabled(w), "0000");  // nothing to reject or copy, even when asked directly
        w->cmdRejectMin_Click(), w->cmdRejectMax_Click();
        w->copyReport(ReportMode::Short), w->copyReport(ReportMode::Long);
        EXPECT_EQ(std::tuple(screen(w), label(w, "lblN").text, platform.clipboardWrites,
                             w->copyMode(), w->analysis()),
                  std::tuple(screen(w, true), "", 0, ReportMode::Short, nullptr));
        platform.dialogAnswers.push_back(test::writeDataFile(tables.file("twelve.csv"), kTwelve));
        act(w, "mnuFileItem_1");
    } else {
        EXPECT_EQ(w, nullptr);
        w = open(kTwelve, "twelve.csv");  // the next good file loads cleanly
        ASSERT_NE(w, nullptr);
    }
    act(w, "cmdRejectMax");
    platform.messages.clear();
    const DataSet* before = &w->analysis()->dataSet();
    const std::string shown = screen(w);
    const int writes = platform.clipboardWrites;
    script();
    act(w, c.paste ? "mnuEditItem_0" : "mnuFileItem_1");
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

// A rejection that a missing table file stops part-way changes nothing; once the table is back
// the rejection takes the value the window shows. A clipboard that cannot be written keeps what
// it held, and the rejection is made all the same.
TEST_F(WindowTest, ABrokenTableStopsARejectionAndAFailingClipboardKeepsItsText) {
    frmDIX* w = open(kTwelve);
    ASSERT_NE(w, nullptr);
    act(w, "mnuEditItem_1");
    const std::string shown = screen(w), copied = platform.clipboard;
    tables.remove("gauss-g.dat");
    act(w, "cmdRejectMin");
    expectWarning("The table file " + tables.file("gauss-g.dat") + " is missing");
    EXPECT_EQ(std::tuple(screen(w), enabled(w), w->analysis()->NData(), w->copyMode(),
                         platform.clipboard, platform.clipboardWrites),
              std::tuple(shown, "1111", 12, ReportMode::Short, copied, 1));
    tables.restore("gauss-g.dat");
    act(w, "cmdRejectMin");
    EXPECT_EQ(texts(w, {"lblRejecList", "lblN"}), "Rejected: #11|11 (from 12)");

    platform.clipboard = "earlier";
    platform.clipboardFails = true;
    act(w, "cmdRejectMax");
    EXPECT_EQ(std::pair(platform.clipboard, label(w, "lblN").text),
              std::pair(std::string("earlier"), std::string("10 (from 12)")));
}

// Undo and Redo put back exactly what a rejection changed, without computing or copying; a new
// rejection ends what could be redone, a new load the whole history.
TEST_F(WindowTest, RejectTwiceThenUndoTwiceCopiesTheOriginalReportAndRedoRejectsAgain) {
    frmDIX* w = open(kTwelve);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(platform.dialogsShown.at(0).initialFolder, tables.path());
    const auto undoRedo = [&] { return enabled(w, {"mnuEditItem_3", "mnuEditItem_4"}); };
    act(w, "mnuEditItem_1");
    const std::string original = platform.clipboard, loaded = screen(w);
    act(w, "cmdRejectMax");
    const std::string afterOne = screen(w);
    act(w, "cmdRejectMax");
    const QLabel* rejected = w->findChild<QLabel*>("lblRejecList");
    EXPECT_EQ(
        std::pair(rejected->toolTip().toStdString(), undoRedo()),
        std::pair(std::string("Rejected, in this order:\n#12: 25\n#10: 10.6"), std::string("10")));
    const std::string longReport = platform.clipboard;
    for (int i = 0; i < 3; ++i) act(w, "mnuEditItem_3");  // the third finds nothing to undo
    ASSERT_NE(w->analysis(), nullptr);
    EXPECT_EQ(std::tuple(screen(w), rejected->toolTip(), undoRedo(), w->analysis()->NData(),
                         w->copyMode(), platform.clipboard),
              std::tuple(loaded, QString(), "01", 12, ReportMode::Short, longReport));
    act(w, "mnuEditItem_1");
    EXPECT_EQ(platform.clipboard, original);
    act(w, "mnuEditItem_4");
    EXPECT_EQ(std::tuple(screen(w), w->copyMode(), platform.clipboard, undoRedo()),
              std::tuple(afterOne, ReportMode::Long, original, "11"));
    act(w, "cmdRejectMin");  // a new rejection ends what could be redone
    EXPECT_EQ(undoRedo(), "10");
    act(w, "mnuEditItem_3");
    EXPECT_EQ(std::pair(screen(w), undoRedo()), std::pair(afterOne, std::string("11")));
    platform.dialogAnswers.push_back(tables.file("d.csv"));
    act(w, "mnuFileItem_1");  // a new load starts a new history
    EXPECT_EQ(undoRedo(), "00");
}

// Every command has its key (Ctrl+D in the plot test), Return presses the focused button, Escape
// closes the help; the long report mode stays once set, through a paste too; a rejection stops
// at three values; Exit closes every window, the help too, and ends the event loop.
TEST_F(WindowTest, KeysReachEveryCommand) {
    key(start, Qt::CTRL | Qt::Key_V);  // the clipboard holds nothing
    expectWarning("There are no numbers on the clipboard.");
    platform.clipboard = "5\t6\r\n7\t8\r\n";
    QTest::keyClick(start->findChild<QPushButton*>("cmdPaste"), Qt::Key_Return);
    frmDIX* w = results();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(texts(w, {"lblN", "lblFileName"}), "4|From Clipboard");
    std::string seen;  // after each key the count of data and what was copied()
    const auto note = [&] {
        seen += label(w, "lblN").text + copied() + " ";
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
    key(w, Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(platform.dialogsShown.size(), 1u);
    key(w, Qt::Key_F1);
    QWidget* help = test::topLevel("frmHelp_1");
    ASSERT_TRUE(help && help->isVisible());
    key(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    key(w, Qt::Key_F1);
    EXPECT_EQ(exitCode([&] { key(w, Qt::CTRL | Qt::Key_Q); }), 0) << "Exit is Ctrl+Q everywhere";
    expectAllClosed();
}

// The plot follows the results window, takes its keys, saves three formats and closes with it.
TEST_F(WindowTest, PlotWindowFollowsTheResultsWindowSavesThreeFormatsAndClosesWithIt) {
    frmDIX* w = open(kTwelve);
    ASSERT_NE(w, nullptr);
    key(w, Qt::CTRL | Qt::Key_D);
    QPointer<frmPlot> plot = w->plotWindow();
    ASSERT_TRUE(plot && plot->isVisible());
    std::string seen;  // values under test, then the rows labelled as rejected
    const auto note = [&] {
        seen += std::to_string(plot->data().underTest());
        for (const PlotText& t : plot->currentGeometry().texts)
            if (t.role == PlotRole::RowLabel) seen += " " + t.text;
        seen += "|";
    };
    note();
    act(w, "cmdRejectMax");
    note();
    platform.clipboard.clear();
    for (QKeyCombination keys : {Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_C})
        key(plot, keys), note();
    EXPECT_EQ(seen, "12|11 #12|12|12|");
    EXPECT_EQ(platform.clipboard.rfind(kReportStart, 0), 0u);

    const std::string base = tables.file("plot");
    for (const char* ending : {".svg", ".PDF", ".png", ".jpg"})
        platform.saveAnswers.push_back(base + ending);
    for (int i = 0; i < 5; ++i) act(plot, "mnuPlotFileItem_0");
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

// No digit is ever cut off: for data of any size every label shown holds its whole text inside
// the window, clear of its neighbours; a shorter or elided text has the full one as tooltip.
TEST_F(WindowTest, EveryLabelShowsItsWholeTextForDataOfAnySize) {
    std::vector<std::vector<double>> sets(4);  // about 3E+07, 1.2E+99 and -0.00012; 300 values
    for (int i = 0; i < 12; ++i) {
        sets[0].push_back(3e7 + i * 1.37);
        sets[1].push_back(1.23456789012345e99 * (1 + i / 50.0));
        sets[2].push_back(-0.000123 - i * 1.1e-6);
    }
    for (int i = 1; i <= 300; ++i) sets[3].push_back(i + 0.25);  // not 1..n: that would be asked
    const std::string folder = tables.path() + "/" + std::string(60, 'f');
    QDir().mkpath(QString::fromStdString(folder));
    const std::string header = std::string(40, 'L') + ",KR-07," + std::string(40, 'A');
    for (const std::vector<double>& values : sets) {
        const std::string name = "set of " + std::to_string(values.size()) + ".csv";
        platform.dialogAnswers.push_back(test::writeDataFile(folder + "/" + name, values, header));
        results() ? act(results(), "mnuFileItem_1") : act(start, "cmdOpen");
        const frmDIX* w = results();
        ASSERT_NE(w, nullptr);
        SCOPED_TRACE(name);
        std::vector<std::pair<QRect, int>> shown;  // box and text width
        for (const LabelState& state : labelStates(w->shown())) {
            const auto* l = w->findChild<QLabel*>(state.name.c_str());
            bool covered = false;
            for (const char* cover : {"lblGRUno", "lblDIXno", "lblIQRno", "lblGAUno"})
                covered |= label(w, cover).shown &&
                           w->findChild<QLabel*>(cover)->geometry().contains(l->pos()) &&
                           state.kind != LabelKind::Cover;
            if (!l->isVisible() || covered || state.wordWrap) continue;
            const int advance = l->fontMetrics().horizontalAdvance(l->text());
            EXPECT_LE(advance, l->width()) << state.name << " " << l->text().toStdString();
            EXPECT_LE(l->geometry().right(), w->centralWidget()->width()) << state.name;
            if (l->text().toStdString() != state.text) {  // the full text in the tooltip
                EXPECT_TRUE(l->toolTip().toStdString().starts_with(state.text)) << state.name;
            }
            if (!state.centred) shown.emplace_back(l->geometry(), advance);
        }
        for (const auto& [a, advance] : shown)  // clear of the next label on its line
            for (const auto& [b, unused] : shown)
                EXPECT_TRUE(b.left() <= a.left() || b.top() > a.bottom() || a.top() > b.bottom() ||
                            a.left() + advance <= b.left());
        EXPECT_TRUE(label(w, "lblFileName").text.ends_with(name));
    }
}

// Two equal high values among eight mask each other: Grubbs and g call the largest value clean,
// the ESD screen finds both and the status line warns; alpha and k chosen in the "Several
// Outliers" window rule the status line from then on.
TEST_F(WindowTest, EsdScreenWarnsWhenOneOutlierMasksAnother) {
    frmDIX* w = open({50.1, 48.7, 51.2, 49.5, 50.8, 49.9, 52.0, 48.9, 80, 80});
    ASSERT_NE(w, nullptr);
    const auto status = [w] { return label(w, "lblGesdStatus").text; };
    EXPECT_NE(status().find("k = 4): 2 outliers. Warning: one outlier may be masking another."),
              std::string::npos)
        << status();
    // The plot marks the two values the screen calls outliers.
    std::vector<int> marked;
    for (const PlotPoint& p : layoutPlot(w->shown().plot, 800, 600).points)
        if (p.role == PlotRole::EsdMark) marked.push_back(p.row);
    EXPECT_EQ(marked, (std::vector<int>{9, 10}));
    act(w, "mnuViewItem_1");
    auto* table = w->findChild<QTableWidget*>("tblGesdSteps");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(std::tuple(table->rowCount(), table->item(0, 1)->text(), table->item(1, 5)->text()),
              std::tuple(4, QString("9"), QString("outlier")));
    w->findChild<QSpinBox*>("spnGesdK")->setValue(1);  // one step cannot see past the mask
    EXPECT_NE(status().find("k = 1): no outlier."), std::string::npos) << status();
    act(w, "cmdRejectMax");  // the setting holds; the screen follows the rejection
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_NE(status().find("k = 1): 1 outlier."), std::string::npos) << status();
}

}  // namespace
}  // namespace sifton
