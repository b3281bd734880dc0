// Ages with uncertainties in the window: the Sample Age texts of small sets worked apart from the
// program, the status line and All Results with and without ages, the Edit > Second Field
// declaration through rejections, undo and redo, its refusals, and the import dialog's proposal;
// and the counts view of a count file.
//
// Expected numbers were computed independently (Python, closed forms of the chi-square tail for
// the weighted mean, bisection to 1E-15 for the central age's sigma; for the counts, mpmath at
// 40 digits from the formulas of fission_tracks.h, eta and sigma by bisection).
#include <gtest/gtest.h>

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
#include <map>

#include "core/input.h"
#include "core/tables.h"
#include "tests/support/scripted_platform.h"
#include "ui/all_results.h"
#include "ui/frm_dix.h"
#include "ui/presentation.h"
#include "ui/sample_age_view.h"
#include "window_test_support.h"

namespace sifton {
namespace {

struct AgeRow {
    double value, second;
};

// examples/kestrel-ridge-12.csv: ages with their 1-sigma uncertainties.
const std::vector<AgeRow> kKestrel = {{41.2, 3.1}, {44.8, 3.4}, {47.5, 3.6}, {43.1, 3.2},
                                      {46.9, 3.5}, {45.6, 3.3}, {39.8, 2.9}, {48.3, 3.8},
                                      {44.2, 3.3}, {46.1, 3.4}, {42.7, 3.1}, {49.4, 3.9}};
const std::string kKestrelHeader = "Kestrel Ridge,KR-07,Late Cretaceous sandstone";

std::string writeAges(const std::string& path, const std::vector<AgeRow>& rows,
                      const std::string& header) {
    std::ofstream out(path, std::ios::binary);
    out << header << "\n";
    for (std::size_t i = 0; i < rows.size(); ++i)
        out << rows[i].value << "," << rows[i].second << ",grain " << i + 1 << "\n";
    return path;
}

Analysis declared(const std::vector<AgeRow>& rows, UncertaintyKind kind) {
    auto data = std::make_shared<DataSet>();
    data->DataFileName = "ages.csv";
    for (const AgeRow& r : rows) data->rows.push_back(DataRow{r.value, r.second, ""});
    FolderTables tables(SIFTON_SOURCE_DIR "/data", false);
    Outcome<Analysis> a = Analysis::of(data, tables).declaring(kind);
    EXPECT_TRUE(std::holds_alternative<Analysis>(a));
    return std::get<Analysis>(std::move(a));
}

std::string lineOf(const SampleAgeView& view, const std::string& label) {
    for (const SampleAgeLine& line : view.lines)
        if (line.label == label) return line.value;
    return "(absent)";
}

std::string cellsOf(const SampleAgeRow& row) {
    std::string text;
    for (const std::string& cell : row.cells) text += (text.empty() ? "" : "|") + cell;
    return text;
}

TEST(SampleAgeView, SmallSetsWorkedApart) {
    const struct {
        const char* name;
        std::vector<AgeRow> rows;
        UncertaintyKind kind;
        std::vector<std::pair<std::string, std::string>> lines;
        std::size_t row;  // the table row checked, from 0
        std::string cells;
    } cases[] = {
        // 20 as 2-sigma percent: 1-sigma 1, 2, 4, every u = 0.1, so y = ln 2 / 0.1 and 0.
        {"percent, overdispersed",
         {{10, 20}, {20, 20}, {40, 20}},
         UncertaintyKind::TwoSigmaPercent,
         {{"Second field", "±2σ %"},
          {"Weighted mean ± se", "13.333 ± 0.87287"},
          {"MSWD", "33.333"},
          {"P(χ²)", "3.338E-15"},
          {"Central age ± se", "20 ± 6.5351"},
          {"Dispersion ± se", "55.705 ± 23.474 %"},
          {"In words", "more scatter than the uncertainties explain"},
          {"Youngest (row 1)", "y = -6.9315, p = 1.2E-11"},
          {"|y| > 2", "rows 1, 3"}},
         1,
         "2|20|2|10|0"},
        {"underdispersed",
         {{10, 1}, {10.1, 1}, {9.9, 1}},
         UncertaintyKind::OneSigma,
         {{"P(χ²)", "0.99"},
          {"Central age ± se", "10.001 ± 0.57739"},
          {"Dispersion ± se", "none"},
          {"Youngest (row 3)", "y = -0.1005, p = 1"}},
         0,
         "1|10|1|10|-0.001"},
        {"a value below zero",
         {{-1, 1}, {5, 1}, {6, 1}},
         UncertaintyKind::OneSigma,
         {{"Weighted mean ± se", "3.3333 ± 0.57735"},
          {"P(χ²)", "5.958E-07"},
          {"Central age ± se", "no central age: a value is 0 or less"},
          {"Dispersion ± se", "(absent)"},
          {"Youngest (row 1)", "y = -4.3333, p = 4.4E-05"},
          {"|y| > 2", "rows 1, 3"},
          {"Residuals", "y of t about their weighted mean 3.3333; x = 1/s"}},
         0,
         "1|-1|1|1|-4.3333"},
    };
    for (const auto& c : cases) {
        const Analysis a = declared(c.rows, c.kind);
        const SampleAgeView view = sampleAgeView(a.ages());
        for (const auto& [label, value] : c.lines) EXPECT_EQ(lineOf(view, label), value) << c.name;
        ASSERT_EQ(view.rows.size(), c.rows.size()) << c.name;
        EXPECT_EQ(cellsOf(view.rows[c.row]), c.cells) << c.name;
        // The table marks the rows that the "|y| > 2" line names.
        std::string marked;
        for (const SampleAgeRow& row : view.rows)
            if (row.beyondTwo) marked += (marked.empty() ? "" : ", ") + row.cells[0];
        const std::string named = lineOf(view, "|y| > 2");
        EXPECT_EQ(marked, named == "none" ? "" : named.substr(named.find(' ') + 1)) << c.name;
        EXPECT_TRUE(view.note.empty()) << c.name;
    }
    EXPECT_NE(sampleAgeView(std::nullopt).note, "");
}

// The copied text byte for byte: tab-separated, plain line ends; w = 1, 1, 1/4: mean 25.5/2.25,
// se 1/1.5, X^2 = 4 exactly, P(chi^2_2 > 4) = exp(-2).
TEST(SampleAgeView, CopiedTextOfAWeightedSet) {
    EXPECT_EQ(sampleAgeText(sampleAgeView(
                  declared({{10, 1}, {12, 1}, {14, 2}}, UncertaintyKind::OneSigma).ages())),
              "Second field\t±1σ\nn\t3\nWeighted mean ± se\t11.333 ± 0.66667\nMSWD\t2\n"
              "χ²\t4 with 2 degrees of freedom\nP(χ²)\t0.1353\n"
              "Central age ± se\t11.589 ± 0.74261\nDispersion ± se\t4.2735 ± 11.112 %\n"
              "In words\tthe uncertainties explain the scatter\n"
              "Youngest (row 1)\ty = -1.4588, p = 0.37\nOldest (row 3)\ty = 1.3342, p = 0.45\n"
              "|y| > 2\tnone\nResiduals\ty of ln t about their weighted mean 2.4485; x = t/s\n"
              "\nRow\tValue\tUncertainty (1σ)\tx\ty\n1\t10\t1\t10\t-1.4588\n"
              "2\t12\t1\t12\t0.4374\n3\t14\t2\t7\t1.3342\n");
}

// All Results gains the ages only when the second field is declared (the status line's
// "Ages: P(χ²)" is followed through the window below).
TEST(SampleAgeView, AllResultsWithAndWithoutAges) {
    const Analysis plain = declared(kKestrel, UncertaintyKind::None);
    const Analysis ages = declared(kKestrel, UncertaintyKind::OneSigma);
    const auto sampleAgeRows = [](const Analysis& a) {
        std::map<std::string, std::string> rows;
        for (const ResultRow& r : allResults(a, present(&a, {})).rows)
            if (r.section == "Sample age") rows[r.quantity + "|" + r.of] = r.value;
        return rows;
    };
    EXPECT_TRUE(sampleAgeRows(plain).empty());
    const auto rows = sampleAgeRows(ages);
    const struct {
        const char* key;
        double expected;
    } numbers[] = {
        {"weighted mean|", 44.52256602312052},
        {"weighted mean se|", 0.9644249039696343},
        {"chi-square|", 8.379666701158532},
        {"MSWD|", 0.761787881923503},
        {"P(chi-square)|", 0.6789440606729891},
        {"central age|", 44.7844155876008},
        {"central age se|", 0.9681953948008388},
        {"dispersion|", 0},
        {"row|smallest", 7},
        {"y|smallest", -1.6193563277448748},
        {"p|smallest", 0.7371440019339142},
        {"row|largest", 12},
        {"y|largest", 1.2424760141151239},
        {"p|largest", 0.9444522874503105},
    };
    for (const auto& n : numbers)
        EXPECT_NEAR(std::stod(rows.at(n.key)), n.expected, 1e-9 * (1 + std::abs(n.expected)))
            << n.key;
    EXPECT_EQ(rows.at("dispersion se|"), "none");
    EXPECT_EQ(rows.at("|y| > 2|"), "none");
}

const std::string kTarrowFell = SIFTON_SOURCE_DIR "/examples/tarrow-fell-counts.csv";

// The counts view shows what the counts give, not the ages' statistics: pooled and central ages
// with both errors, the counts' chi-square, and each grain's residual on the radial plot of
// counts; a rejected grain leaves every number.
TEST(SampleAgeView, CountsOfAFissionTrackFile) {
    Outcome<DataSet> read = Read_Data_File(kTarrowFell);
    ASSERT_TRUE(std::holds_alternative<DataSet>(read));
    FolderTables tables(SIFTON_SOURCE_DIR "/data", false);
    const Analysis all = Analysis::of(std::make_shared<DataSet>(std::get<DataSet>(read)), tables);
    const Presentation shown = present(&all, {});
    const SampleAgeView& view = shown.sampleAge;
    const std::pair<const char*, const char*> lines[] = {
        {"ζ", "350 ± 10 yr cm²"},
        {"Grains", "12"},
        {"ΣNs, ΣNi", "367, 741"},
        {"Pooled age ± se", "111.7 ± 7.13 Ma (± 8.1249 with ζ and ρD)"},
        {"Central age ± se", "107.22 ± 11.816 Ma (± 12.394 with ζ and ρD)"},
        {"Dispersion ± se", "29.47 ± 9.988 %"},
        {"χ²", "30.088 with 11 degrees of freedom"},
        {"P(χ²)", "0.001535"},
        {"In words", "more scatter than Poisson counting explains"},
        // Grain 8 is the youngest: p = 1 - (1 - 2 Phi(-2.44733))^12.
        {"Youngest grain (row 8)", "y = -2.4473, p = 0.16"},
        {"Oldest grain (row 6)", "y = 1.8795, p = 0.53"},
        {"|y| > 2", "rows 8, 10, 11"},
    };
    for (const auto& [label, value] : lines) EXPECT_EQ(lineOf(view, label), value) << label;
    ASSERT_EQ(view.rows.size(), 12u);
    EXPECT_EQ(cellsOf(view.rows[7]), "8|5|30|37.806|18.262|11.9164|-2.4473");
    EXPECT_TRUE(view.rows[7].beyondTwo && !view.rows[6].beyondTwo);
    EXPECT_TRUE(shown.statusLine.ends_with(".) Counts: P(χ²) = 0.0015.")) << shown.statusLine;
    std::map<std::string, std::string> counts;
    for (const ResultRow& r : allResults(all, shown).rows)
        if (r.section == "Fission-track counts") counts[r.quantity] = r.value;
    EXPECT_NEAR(std::stod(counts["central age"]), 107.222024632, 1e-8);
    EXPECT_NEAR(std::stod(counts["central age se total"]), 12.3937245119, 1e-9);
    EXPECT_NEAR(std::stod(counts["P(chi-square)"]), 0.00153501920781, 1e-13);
    EXPECT_EQ(counts["sum Ni"], "741");

    // Grain 6 rejected: eleven grains, ΣNs 348, ΣNi 719; the table keeps the file's row numbers.
    const Rejections r = rejectInTurn(all, {Extreme::Largest}, tables);
    const SampleAgeView after = present(&r.analysis, {}).sampleAge;
    EXPECT_EQ(lineOf(after, "ΣNs, ΣNi"), "348, 719");
    EXPECT_EQ(after.rows.size(), 11u);
    EXPECT_EQ(after.rows[5].cells[0], "7");
    const std::string text = sampleAgeText(after);
    EXPECT_NE(text.find("\n\nRow\tNs\tNi\tAge (Ma)\t± 1σ (Ma)\tx\ty\n1\t12\t40\t"),
              std::string::npos)
        << text;
}

bool checked(QWidget* w, const char* name) { return w->findChild<QAction*>(name)->isChecked(); }
bool enabled(QWidget* w, const char* name) { return w->findChild<QAction*>(name)->isEnabled(); }
std::string status(QWidget* w) {
    return w->findChild<QLabel*>("lblGesdStatus")->text().toStdString();
}

// The Sample Age window's summary line with this label, or "(no window)", "(absent)".
std::string shown(const char* label) {
    QWidget* window = test::topLevel("frmSampleAge");
    if (window == nullptr || !window->isVisible()) return "(no window)";
    const auto* table = window->findChild<QTableWidget*>("tblSampleAgeSummary");
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text() == QString::fromUtf8(label))
            return table->item(r, 1)->text().toStdString();
    return "(absent)";
}

class SampleAgeWindow : public ::testing::Test {
  protected:
    void TearDown() override { test::destroyAllWindows(); }

    // The results window with `rows` loaded from `file` through File > Open.
    frmDIX* open(const std::string& file, const std::vector<AgeRow>& rows,
                 const std::string& header = kKestrelHeader) {
        if (w == nullptr)
            w = test::startAndOpen(platform, tables, "first.csv", {10, 11, 12, 13, 30});
        if (w == nullptr) return nullptr;
        platform.dialogAnswers.push_back(writeAges(tables.file(file), rows, header));
        test::trigger(w, "mnuFileItem_1");
        return w;
    }

    test::TableFolder tables;
    ScriptedPlatform platform;
    frmDIX* w = nullptr;
};

// Declared with rejections made and one undone: undo and redo keep the declaration, a rejection
// and each step update the Sample Age window, and Copy there copies its text.
TEST_F(SampleAgeWindow, TheDeclarationHoldsThroughRejectionsUndoAndRedo) {
    ASSERT_NE(open("kestrel.csv", kKestrel), nullptr);
    EXPECT_TRUE(checked(w, "mnuSecondFieldItem_0"));
    EXPECT_FALSE(enabled(w, "mnuViewItem_3") || enabled(w, "mnuEditItem_6"));
    EXPECT_EQ(status(w).find("P(χ²)"), std::string::npos);

    test::trigger(w, "cmdRejectMax");  // row 12
    test::trigger(w, "cmdRejectMin");  // row 7
    test::trigger(w, "mnuEditItem_3");
    test::trigger(w, "mnuSecondFieldItem_1");
    EXPECT_TRUE(checked(w, "mnuSecondFieldItem_1") && !checked(w, "mnuSecondFieldItem_0"));
    EXPECT_TRUE(enabled(w, "mnuViewItem_3"));
    EXPECT_TRUE(status(w).ends_with(" Ages: P(χ²) = 0.75.")) << status(w);
    test::trigger(w, "mnuViewItem_3");
    EXPECT_EQ(shown("n"), "11");

    const struct {
        const char* command;
        std::string n, status;
    } steps[] = {
        {"mnuEditItem_4", "10", " Ages: P(χ²) = 0.9."},   // redo: row 7 out again
        {"mnuEditItem_3", "11", " Ages: P(χ²) = 0.75."},  // undo
        {"mnuEditItem_3", "12", " Ages: P(χ²) = 0.68."},  // undo, back to the load
        {"cmdRejectMin", "11", " Ages: P(χ²) = 0.86."},   // row 7
    };
    for (const auto& s : steps) {
        test::trigger(w, s.command);
        EXPECT_EQ(shown("n"), s.n) << s.command;
        EXPECT_TRUE(checked(w, "mnuSecondFieldItem_1")) << s.command;
        EXPECT_TRUE(status(w).ends_with(s.status)) << s.command << ": " << status(w);
    }
    EXPECT_EQ(shown("Youngest (row 1)"), "y = -1.2601, p = 0.92");

    QWidget* window = test::topLevel("frmSampleAge");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
    const std::string copied = platform.clipboard;
    EXPECT_TRUE(copied.starts_with("Second field\t±1σ\nn\t11\n")) << copied;
    platform.clipboard.clear();
    test::trigger(w, "mnuEditItem_6");
    EXPECT_EQ(platform.clipboard, copied);

    test::trigger(w, "mnuSecondFieldItem_0");
    EXPECT_FALSE(enabled(w, "mnuViewItem_3"));
    EXPECT_EQ(status(w).find("P(χ²)"), std::string::npos);
    EXPECT_TRUE(window->findChild<QLabel*>("lblSampleAgeNote")->isVisibleTo(window));
    EXPECT_EQ(shown("n"), "(absent)");

    test::trigger(w, "mnuSecondFieldItem_2");
    ASSERT_NE(open("again.csv", kKestrel), nullptr);  // a new load: as its file states, none
    EXPECT_TRUE(checked(w, "mnuSecondFieldItem_0"));
    EXPECT_TRUE(platform.messages.empty());
}

// A row without a positive uncertainty, 0 or below 0, refuses the declaration by its row; nothing
// changes.
TEST_F(SampleAgeWindow, ARowWithoutUncertaintyRefusesTheDeclaration) {
    const struct {
        const char* name;
        std::vector<AgeRow> rows;
        const char* item;
        std::string message;
    } cases[] = {
        {"zero", {{10, 1}, {11, 1}, {12, 0}, {13, 1}}, "mnuSecondFieldItem_1", "Row 3 has no"},
        {"negative", {{10, 1}, {11, -2}, {12, 1}, {13, 1}}, "mnuSecondFieldItem_4", "Row 2 has no"},
        {"pasted", {}, "mnuSecondFieldItem_2", "Row 1 has no"},  // no second field
    };
    for (const auto& c : cases) {
        if (c.rows.empty()) {
            platform.clipboard = "10\n11\n12\n13\n";
            test::trigger(w, "mnuEditItem_0");
        } else {
            ASSERT_NE(open("refused.csv", c.rows), nullptr);
        }
        test::trigger(w, "cmdRejectMax");
        const DataSet* before = &w->analysis()->dataSet();
        platform.messages.clear();
        test::trigger(w, c.item);
        ASSERT_EQ(platform.messages.size(), 1u) << c.name;
        EXPECT_EQ(platform.messages[0].text.substr(0, 12), c.message) << c.name;
        EXPECT_EQ(&w->analysis()->dataSet(), before) << c.name;
        EXPECT_FALSE(w->analysis()->ages().has_value()) << c.name;
        EXPECT_TRUE(checked(w, "mnuSecondFieldItem_0") && !checked(w, c.item)) << c.name;
        EXPECT_TRUE(enabled(w, "mnuEditItem_3")) << c.name;  // the rejection can still be undone
    }
}

// What the import dialog showed, and whether it came up at all.
struct Asked {
    bool asked = false;
    std::string sentence, options, note;
};

// Runs the command; when the import dialog comes up, records it and lets `answer` act on it.
Asked whenAsked(QWidget* window, const char* command, const std::function<void(QDialog*)>& answer) {
    Asked seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != "frmImport") return;
        seen.asked = true;
        seen.sentence = dialog->findChild<QLabel*>("lblQuestion")->text().toStdString();
        for (int i = 0;
             auto* b = dialog->findChild<QAbstractButton*>(QStringLiteral("optReading_%1").arg(i));
             ++i)
            seen.options += (i ? "|" : "") + b->text().toStdString();
        seen.note = dialog->findChild<QLabel*>("lblPreviewNote")->text().toStdString();
        answer(dialog);
    });
    test::trigger(window, command);
    QCoreApplication::processEvents();  // a timer that found no dialog fires here, not later
    return seen;
}

void choose(QDialog* d, int option, QDialogButtonBox::StandardButton button) {
    d->findChild<QAbstractButton*>(QStringLiteral("optReading_%1").arg(option))->click();
    QTest::mouseClick(d->findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
}

TEST_F(SampleAgeWindow, TheImportDialogProposesAnUncertaintyTheHeaderNames) {
    ASSERT_NE(open("kestrel.csv", kKestrel), nullptr);
    const std::vector<AgeRow> three = {{10, 2}, {11, 2}, {12, 2}};
    const std::vector<AgeRow> zeroAt2 = {{10, 1}, {11, 0}, {12, 1}, {13, 1}};
    using B = QDialogButtonBox::StandardButton;
    const struct {
        const char* name;
        std::string header;  // "Age," and the second field's name
        const std::vector<AgeRow>& rows;
        int option;
        B button;
        std::string options, note;  // "" when not asked; the note of the proposed answer
        int declared;               // the Second Field item checked after it
        std::size_t messages;
        int n;  // values on screen after it; 0: those before
    } cases[] = {
        {"sAge", "Age,sAge", kKestrel, 0, B::Ok, "±1σ|Not an uncertainty",
         "12 rows; the second field is each value's uncertainty, ±1σ", 1, 0, 12},
        {"declined", "Age,2σ", three, 1, B::Ok, "±2σ|Not an uncertainty",
         "3 rows; the second field is each value's uncertainty, ±2σ", 0, 0, 3},
        {"refused", "Age,err", zeroAt2, 0, B::Ok, "±1σ|Not an uncertainty",
         "Row 2 has no positive uncertainty", 0, 1, 4},
        {"cancelled", "Age,sAge", three, 0, B::Cancel, "±1σ|Not an uncertainty", "3 rows; ", 0, 0,
         0},
        {"not named", "Age,grains", three, 0, B::Ok, "", "", 0, 0, 3},
    };
    for (const auto& c : cases) {
        platform.messages.clear();
        const std::string fileBefore = test::label(w, "lblFileName").text;
        const int nBefore = w->analysis()->NData();
        const std::string path = tables.file(std::string(c.name) + ".csv");
        platform.dialogAnswers.push_back(writeAges(path, c.rows, c.header));
        const Asked seen =
            whenAsked(w, "mnuFileItem_1", [&](QDialog* d) { choose(d, c.option, c.button); });
        EXPECT_EQ(seen.asked, !c.options.empty()) << c.name;
        if (seen.asked) {
            EXPECT_EQ(seen.sentence, "The second field's header, \"" + c.header.substr(4) +
                                         "\", names an uncertainty.");
        }
        EXPECT_EQ(seen.options, c.options) << c.name;
        EXPECT_TRUE(seen.note.starts_with(c.note)) << c.name << ": " << seen.note;
        EXPECT_TRUE(checked(w, ("mnuSecondFieldItem_" + std::to_string(c.declared)).c_str()))
            << c.name;
        EXPECT_EQ(platform.messages.size(), c.messages) << c.name;
        EXPECT_EQ(w->analysis()->NData(), c.n ? c.n : nBefore) << c.name;
        EXPECT_EQ(test::label(w, "lblFileName").text, c.n ? path : fileBefore) << c.name;
    }
}

}  // namespace
}  // namespace sifton
