// Masking made visible: the ESD screen's steps as the Several Outliers window and its copied table
// give them, the status line and plot legend when the screen finds more than Grubbs and g, and
// the k that a data set cannot take.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <sstream>

#include "core/analysis.h"
#include "core/input.h"
#include "core/tables.h"
#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/gesd_view.h"
#include "ui/plot_geometry.h"
#include "ui/presentation.h"
#include "window_test_support.h"

namespace sifton {
namespace {

// Eleven values near 10 and two far above: the second high value hides the first from Grubbs
// and g, which look at one value at a time.
const std::vector<double> kTwoHigh = {10.1, 10.3, 9.9,  10.0, 10.2, 9.8, 10.1,
                                      10.0, 9.9,  10.2, 10.1, 16.0, 16.2};

std::vector<std::vector<std::string>> cellsOf(const std::string& tsv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(tsv);
    for (std::string line; std::getline(lines, line);) {
        rows.emplace_back();
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) rows.back().push_back(cell);
    }
    return rows;
}

// Rosner's 54 values: R_1..R_3 = 3.119, 2.943, 3.179 against lambda 3.159, 3.151, 3.144, so
// only step 3 exceeds its lambda and decides that three values are outliers (NIST/SEMATECH
// e-Handbook of Statistical Methods, section 1.3.5.17.3, printed to three decimals).
TEST(SeveralOutliers, TheCopiedTableGivesEachStepAndWhyItsValueIsAnOutlier) {
    Outcome<DataSet> read = Read_Data_File(SIFTON_SOURCE_DIR "/examples/esd-example-54.csv");
    ASSERT_TRUE(std::holds_alternative<DataSet>(read));
    FolderTables tables(SIFTON_SOURCE_DIR "/data", false);
    const Analysis a =
        Analysis::of(std::make_shared<const DataSet>(std::get<DataSet>(read)), tables);
    const GesdView view = runGesd(a, GesdSettings{});
    const auto rows = cellsOf(gesdTableText(view));
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"i", "Row", "Value", "R", "lambda", "Outlier"}));
    const struct {
        double R, lambda;
        const char* verdict;
    } nist[] = {{3.119, 3.159, "outlier: a later step exceeds its lambda"},
                {2.943, 3.151, "outlier: a later step exceeds its lambda"},
                {3.179, 3.144, "outlier: R > lambda, the deciding step"},
                {2.810, 3.136, "no"}};
    for (int i = 0; i < 4; ++i) {
        const auto& cells = rows[static_cast<std::size_t>(i + 1)];
        ASSERT_EQ(cells.size(), 6u);
        EXPECT_EQ(std::pair(cells[0], cells[5]),
                  std::pair(std::to_string(i + 1), std::string(nist[i].verdict)));
        EXPECT_NEAR(std::stod(cells[3]), nist[i].R, 5e-4) << i + 1;
        EXPECT_NEAR(std::stod(cells[4]), nist[i].lambda, 5e-4) << i + 1;
    }
}

TEST(SeveralOutliers, AWarningKeepsTheSmallSampleNoteAndThePlotSaysTheSame) {
    const Analysis a = test::analysed(kTwoHigh);
    const Presentation p = present(&a, GesdSettings{});
    EXPECT_TRUE(p.gesdMasking);
    EXPECT_EQ(p.statusLine,
              "ESD screen (two-sided, \u03B1 = 0.05, k = 6): 2 outliers. Warning: one outlier may "
              "be masking another. (Approximate below 25 values.)");
    std::string legend;
    for (const PlotText& t : layoutPlot(p.plot, 900, 620).texts)
        if (t.role == PlotRole::Legend) legend += t.text + "|";
    EXPECT_NE(legend.find("2 found|Warning: one outlier may be|masking another|Approximate below "
                          "25 values|"),
              std::string::npos)
        << legend;
    EXPECT_EQ(legend.find("No test flags"), std::string::npos) << legend;
}

TEST(SeveralOutliers, AKTheDataSetCannotTakeIsSaidToBeCut) {
    const struct {
        int n, asked;
        std::string note;
    } cases[] = {
        {13, 0, ""},  // the default always fits
        {13, 7, "k = 7 was cut to 6, the most the screen takes for 13 values."},
        {30, 99, "k = 99 was cut to 14, the most the screen takes for 30 values."},
        {5, 9, ""},  // the screen does not run: nothing was cut
    };
    for (const auto& c : cases) {
        std::vector<double> values;
        for (int i = 0; i < c.n; ++i) values.push_back(10 + (i * 7 % 11) * 0.1);
        const Analysis a = test::analysed(values);
        EXPECT_EQ(gesdKCutNote(runGesd(a, GesdSettings{0.05, c.asked}), c.asked), c.note)
            << c.n << " " << c.asked;
    }
}

// In the window: the warning's icon shows and the plot marks the screen's outliers; Ctrl+C in the
// Several Outliers window copies its table, not the results window's report; the k chosen there
// rules the status line from then on, through a rejection; with one high value less, no warning.
TEST(SeveralOutliers, TheWindowShowsTheWarningCopiesTheTableAndKeepsItsK) {
    test::TableFolder tables;
    ScriptedPlatform platform;
    frmDIX* w = test::startAndOpen(platform, tables, "two-high.csv", kTwoHigh);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->findChild<QLabel*>("imgGesdWarning")->isVisibleTo(w));
    std::vector<int> marked;
    for (const PlotPoint& p : layoutPlot(w->shown().plot, 800, 600).points)
        if (p.role == PlotRole::EsdMark) marked.push_back(p.row);
    EXPECT_EQ(marked, (std::vector<int>{12, 13}));
    test::trigger(w, "mnuViewItem_1");
    QWidget* several = test::topLevel("frmGesd");
    ASSERT_NE(several, nullptr);
    several->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(several));
    QTest::keyClick(several, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(platform.clipboard.substr(0, 34), "i\tRow\tValue\tR\tlambda\tOutlier\n1\t13\t");
    EXPECT_NE(platform.clipboard.find("\toutlier: R > lambda, the deciding step\n"),
              std::string::npos);

    const auto status = [w] { return test::label(w, "lblGesdStatus").text; };
    auto* table = several->findChild<QTableWidget*>("tblGesdSteps");
    ASSERT_NE(table, nullptr);
    several->findChild<QSpinBox*>("spnGesdK")->setValue(1);  // one step cannot see past the mask
    EXPECT_NE(status().find("k = 1): no outlier."), std::string::npos) << status();
    test::trigger(w, "cmdRejectMax");  // the setting holds; the screen follows the rejection
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_NE(status().find("k = 1): 1 outlier."), std::string::npos) << status();

    platform.dialogAnswers.push_back(test::writeDataFile(
        tables.file("one-high.csv"), std::vector<double>(kTwoHigh.begin(), kTwoHigh.end() - 1)));
    test::trigger(w, "mnuFileItem_1");
    EXPECT_FALSE(w->findChild<QLabel*>("imgGesdWarning")->isVisibleTo(w));
    test::destroyAllWindows();
}

}  // namespace
}  // namespace sifton
