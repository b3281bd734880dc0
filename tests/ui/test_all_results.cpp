// The All Results table: every number of a run, copied as tab-separated text and read back as a
// spreadsheet would, and the window that shows it live.
#include <gtest/gtest.h>

#include <QTableWidget>
#include <map>
#include <sstream>

#include "core/tables.h"
#include "tests/support/scripted_platform.h"
#include "ui/all_results.h"
#include "ui/frm_dix.h"
#include "window_test_support.h"

namespace sifton {
namespace {

const std::vector<double> kKestrel = {41.2, 44.8, 47.5, 43.1, 46.9, 45.6,
                                      39.8, 48.3, 44.2, 46.1, 42.7, 49.4};

// The copied text as a spreadsheet reads it: "section|quantity|of" -> {value, note}; every line
// must have the five columns.
std::map<std::string, std::pair<std::string, std::string>> readBack(const std::string& text) {
    std::map<std::string, std::pair<std::string, std::string>> cells;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "Section\tQuantity\tOf\tValue\tNote");
    while (std::getline(lines, line)) {
        std::vector<std::string> c;
        std::istringstream fields(line + '\t');
        for (std::string f; std::getline(fields, f, '\t');) c.push_back(f);
        EXPECT_EQ(c.size(), 5u) << line;
        if (c.size() == 5) cells[c[0] + "|" + c[1] + "|" + c[2]] = {c[3], c[4]};
    }
    return cells;
}

std::map<std::string, std::pair<std::string, std::string>> tableOf(const Analysis& a) {
    return readBack(allResultsText(allResults(a, present(&a, GesdSettings{}))));
}

// Twelve grain ages: mean 539.6 / 12, SD 2.90339404313244 and T of the extremes worked out
// apart from the program; the Grubbs critical values for n = 12 as published (Grubbs and Beck,
// Technometrics 14 (1972) 847-854: 2.134, 2.285, 2.412 at 10, 5, 2.5 %).
TEST(AllResults, EveryNumberOfTheRunReadsBackFromTheCopiedText) {
    auto cells = tableOf(test::analysed(kKestrel));
    const auto number = [&](const std::string& key) { return std::stod(cells.at(key).first); };
    const struct {
        const char* key;
        double expected, tolerance;
    } numbers[] = {
        {"Statistics|mean|", 44.96666666666667, 1e-12},
        {"Statistics|standard deviation|", 2.9033940431324448, 1e-12},
        {"Statistics|standard error|", 0.8381376661830365, 1e-12},
        {"Statistics|value|smallest", 39.8, 0},
        {"Statistics|row|largest", 12, 0},
        {"Grubbs test|T|smallest", 1.7795265092892465, 1e-12},
        {"Grubbs test|T|largest", 1.5269485531320606, 1e-12},
        {"Grubbs test|critical T at 10 %|both ends", 2.134, 5e-4},
        {"Grubbs test|critical T at 5 %|both ends", 2.285, 5e-4},
        {"Grubbs test|critical T at 2.5 %|both ends", 2.412, 5e-4},
        {"ESD screen|alpha|both ends", 0.05, 0},
        {"ESD screen|k|both ends", 5, 0},
    };
    for (const auto& n : numbers) EXPECT_NEAR(number(n.key), n.expected, n.tolerance) << n.key;
    const std::pair<const char*, std::pair<std::string, std::string>> texts[] = {
        {"Data set|locality|", {"Kestrel Ridge", ""}},
        {"Data set|rows read|", {"12", ""}},
        {"Data set|rejected rows|", {"none", "in the order of rejection"}},
        {"Grubbs test|class|smallest", {"> 10 %", "the level the statistic reaches"}},
        // T below sqrt((n-1)(n-2)/(2n)): Grubbs' p-value is only an upper bound.
        {"Grubbs test|p-value|smallest", {"\u2264 0.35", "one-sided; an upper bound"}},
        {"IQR test|verdict|largest", {"within inner fences", ""}},
        {"Gauss g-test|verdict|smallest", {"OK", "g to two decimals against the critical g"}},
        {"ESD screen|outliers|both ends", {"0", ""}},
        {"ESD screen|verdict|step 1", {"no", ""}},
    };
    for (const auto& [key, expected] : texts) EXPECT_EQ(cells.at(key), expected) << key;
    EXPECT_EQ(cells.count("ESD screen|R|step 5"), 1u);
}

TEST(AllResults, RejectionsTestsThatDidNotRunAndCellsThatWouldBreakTheColumns) {
    auto after = tableOf(test::analysed(kKestrel, {Extreme::Largest, Extreme::Smallest}));
    EXPECT_EQ(after.at("Data set|values tested|").first, "10");
    EXPECT_EQ(after.at("Data set|rejected rows|").first, "12 7");

    auto five = tableOf(test::analysed({10, 11, 12, 13, 30}));
    for (const char* section : {"IQR test", "ESD screen"})
        EXPECT_EQ(five.at(std::string(section) + "|not run|"),
                  (std::pair<std::string, std::string>("", "it takes 6 values or more")));
    EXPECT_EQ(five.count("Dixon test|R|largest"), 1u);

    auto data = std::make_shared<DataSet>(
        DataSet{"d.csv", "Site\t2", "A\nB", "", {}, {}, UncertaintyKind::None, {}});
    for (double v : kKestrel) data->rows.push_back(DataRow{v, 0, ""});
    FolderTables tables(SIFTON_SOURCE_DIR "/data", false);
    auto odd = tableOf(Analysis::of(data, tables));
    EXPECT_EQ(odd.at("Data set|locality|").first, "Site 2");
    EXPECT_EQ(odd.at("Data set|code|").first, "A B");
}

// The window: opened from the View menu, refreshed after a rejection, copied from the Edit menu.
TEST(AllResults, TheWindowFollowsEveryRunAndTheEditMenuCopiesIt) {
    test::TableFolder tables;
    ScriptedPlatform platform;
    frmDIX* w = test::startAndOpen(platform, tables, "k.csv", kKestrel);
    ASSERT_NE(w, nullptr);
    test::trigger(w, "mnuViewItem_2");
    QWidget* all = test::topLevel("frmAllResults");
    ASSERT_TRUE(all && all->isVisible());
    const auto* table = all->findChild<QTableWidget*>("tblAllResults");
    const auto valueOf = [&](const char* quantity) {
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 1)->text() == quantity)
                return table->item(r, 3)->text().toStdString();
        return std::string("(no row)");
    };
    EXPECT_EQ(valueOf("values tested"), "12");
    test::trigger(w, "cmdRejectMax");
    EXPECT_EQ(valueOf("values tested"), "11");
    EXPECT_EQ(valueOf("rejected rows"), "12");
    test::trigger(w, "mnuEditItem_5");
    EXPECT_EQ(readBack(platform.clipboard).at("Data set|rejected rows|").first, "12");
    test::destroyAllWindows();
}

}  // namespace
}  // namespace sifton
