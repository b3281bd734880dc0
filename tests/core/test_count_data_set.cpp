// Count files through the program's one data-file path: recognised by Read_Data_File, read into a
// data set of grain ages with their counting errors, and analysed with the counts' statistics of
// the grains under test. Expected ages and errors are the 40-digit mpmath values that
// test_fission_tracks.cpp gives for the same grains; those of the eleven grains left after a
// rejection were computed the same way, apart from the program: the formulas of
// fission_tracks.h, eta and sigma by plain bisection, P(chi^2) as the regularized upper
// incomplete gamma function.
#include <gtest/gtest.h>

#include <sstream>

#include "core/analysis.h"
#include "core/count_file.h"
#include "core/input.h"
#include "tests/core/test_support.h"

namespace sifton {
namespace {

const std::string kExamples = SIFTON_EXAMPLES_DIR "/";

DataSet loaded(Outcome<DataSet> read) {
    if (const Refusal* r = std::get_if<Refusal>(&read)) ADD_FAILURE() << r->message;
    return std::holds_alternative<DataSet>(read) ? std::get<DataSet>(std::move(read)) : DataSet();
}

void expectRelative(double actual, double expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * tolerance);
}

struct ReadCase {
    const char* name;
    std::string text;  // read from a stream as "-"; empty: the example file 'name' by its path
    std::string locality, reading;
    std::size_t rows;
    int row;  // a row to look at, with its age, counting error and note
    double age, se;
    std::string note;
};

TEST(CountDataSet, ReadThroughTheDataFilePath) {
    const std::string radialPlotter = "fission-track counts in RadialPlotter's layout, ";
    const ReadCase cases[] = {
        {"tarrow-fell-counts.csv", "", "",
         "fission-track counts in IsoplotR's layout, commas between fields", 12, 1, 67.8912390081,
         22.3457423877, ""},
        {"merrin-scar-counts.csv", "", "Merrin Scar MS-3", radialPlotter + "commas between fields",
         6, 3, 63.3873334672, 27.1055639424, "Dpar 2.1"},
        // RadialPlotter without the flag, semicolons and a decimal comma, from a stream.
        {"semicolons", "Tarn;\n350,0;10\n1300000;26000\n12;40;a\n19;22\n8;31\n", "Tarn",
         radialPlotter + "semicolons between fields", 3, 2, 193.542583799, 60.6150296687, ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream in(c.text);
        const DataSet d = loaded(c.text.empty() ? Read_Data_File(kExamples + c.name)
                                                : Read_Data_File(in, "-", "standard input"));
        ASSERT_TRUE(d.counts && d.reading);
        EXPECT_EQ(
            std::tuple(d.Locality, d.LocalityM, d.StratAge, describeReading(*d.reading),
                       d.uncertainty, d.rows.size(), d.counts->grains.size()),
            std::tuple(c.locality, "", "", c.reading, UncertaintyKind::OneSigma, c.rows, c.rows));
        const DataRow& r = d.rows[static_cast<std::size_t>(c.row - 1)];
        expectRelative(r.value1, c.age);
        expectRelative(r.value2, c.se);
        EXPECT_EQ(
            std::tuple(r.rest, d.counts->zeta, d.counts->zetaSe, d.counts->rhoD, d.counts->rhoDSe),
            std::tuple(c.note, 350.0, 10.0, 1.3e6, 2.6e4));
    }
    // Any other file is a data file as ever: no counts, nothing declared, the reading as before.
    const DataSet values = loaded(Read_Data_File(kExamples + "kestrel-ridge-12.csv"));
    EXPECT_EQ(std::pair(values.counts.has_value(), values.uncertainty),
              std::pair(false, UncertaintyKind::None));
    // Whether a file is a count file is decided by its first lines; one that is refused still is.
    test::TempDir dir;
    const std::pair<std::string, bool> files[] = {
        {kExamples + "tarrow-fell-counts.csv", true},
        {kExamples + "kestrel-ridge-12.csv", false},
        {dir.write("no-ni.csv", "S,F\n350,10\n1300000\n3,0\n"), true},
        {dir.file("missing.csv"), false},
        {dir.path().string(), false},
    };
    for (const auto& [path, counts] : files) EXPECT_EQ(isCountFile(path), counts) << path;
}

// The count reader's refusals, with its line, reach the user through the normal path; so does
// the rule of three values.
TEST(CountDataSetRefusals, NameTheLineThroughTheNormalPath) {
    test::TempDir dir;
    const std::string head = "Error occurred while trying to load file: ";
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"no-ni.csv", "S,F\n350,10\n1300000\n3,4\n3,0\n5,6\n",
         ", line 5 holds a grain without induced tracks (Ni = 0)"},
        {"two.csv", "S,F\n350,10\n1300000\n3,4\n3,5\n", ""},
    };
    for (const auto& [name, text, says] : cases) {
        SCOPED_TRACE(name);
        const std::string path = dir.write(name, text);
        std::istringstream in(text);
        for (const auto& [read, shownAs] : {std::pair(Read_Data_File(path), path),
                                            std::pair(Read_Data_File(in, "-", "standard input"),
                                                      std::string("standard input"))}) {
            ASSERT_TRUE(std::holds_alternative<Refusal>(read));
            const Refusal& r = std::get<Refusal>(read);
            EXPECT_FALSE(r.question);  // nothing to ask: the import dialog never opens
            if (says.empty()) {
                EXPECT_EQ(r.message, "What can I test with one or two data?");
                continue;
            }
            EXPECT_TRUE(r.message.starts_with(head + shownAs + " , read as ")) << r.message;
            EXPECT_NE(r.message.find(says), std::string::npos) << r.message;
            EXPECT_TRUE(r.brief.starts_with("read as ")) << r.brief;
        }
        // The checking step reads it as a count file too, with the same reason.
        const DataFile checked = readDataFile(path);
        EXPECT_EQ(std::pair(checked.failure, checked.counts.has_value()),
                  std::pair(says.empty() ? DataFileFailure::None : DataFileFailure::CountFile,
                            says.empty()));
    }
}

using CountAnalysis = test::WithTables;

// The oldest grain is row 6 (19 over 22 tracks); without it the eleven grains' statistics.
TEST_F(CountAnalysis, RejectingTheOldestGrainRecomputesTheCounts) {
    const auto data = std::make_shared<const DataSet>(
        loaded(Read_Data_File(kExamples + "tarrow-fell-counts.csv")));
    const Analysis all = Analysis::of(data, m_tables);
    ASSERT_TRUE(all.fissionTracks());
    expectRelative(all.fissionTracks()->central.age.age, 107.222024632);
    const Analysis a = *all.rejecting(Extreme::Largest, m_tables);
    ASSERT_TRUE(a.fissionTracks() && a.ages());
    const FtSummary& s = *a.fissionTracks();
    EXPECT_EQ(std::tuple(a.rejectedRows(), s.n, s.sumNs, s.sumNi, s.df, a.ages()->n()),
              std::tuple(std::vector<int>{6}, 11, 367LL - 19, 741LL - 22, 10, 11));
    // The same values as the command line's JSON gives; here from the analysis chain itself.
    const std::tuple<const char*, double, double> values[] = {
        {"pooled age", s.pooled.age, 109.181433209687},
        {"p", s.p, 0.00266077983185909},
        {"central se total", s.central.age.seTotal, 12.0255734565235},
        {"dispersion", s.central.dispersion, 0.283470726680082},
        // Row 7 is the sixth grain left; its residual moves with the centre.
        {"row 7 y", s.grains[5].y, -0.434166551166964},
    };
    for (const auto& [what, got, want] : values) {
        SCOPED_TRACE(what);
        expectRelative(got, want);
    }
    EXPECT_EQ(std::pair(a.rowsUnderTest(), s.grains[5].ns),
              std::pair(std::vector<int>{1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12}, 64));
    // Undo is the analysis before, with all twelve grains.
    EXPECT_EQ(a.before()->fissionTracks()->sumNs, 367);
}

// The second field of a count file is its counting error: declared 1 sigma it stays, with the
// counts' statistics of every analysis of the chain; any other kind is refused.
TEST_F(CountAnalysis, TheCountingErrorsStayDeclared) {
    const auto data = std::make_shared<const DataSet>(
        loaded(Read_Data_File(kExamples + "merrin-scar-counts.csv")));
    const Analysis a = *Analysis::of(data, m_tables).rejecting(Extreme::Smallest, m_tables);
    const Outcome<Analysis> same = a.declaring(UncertaintyKind::OneSigma);
    ASSERT_TRUE(std::holds_alternative<Analysis>(same));
    const Analysis& b = std::get<Analysis>(same);
    EXPECT_EQ(std::tuple(b.fissionTracks()->sumNs, b.before()->fissionTracks()->n,
                         b.ages()->sigmas == a.ages()->sigmas),
              std::tuple(18LL, 6, true));
    for (const UncertaintyKind kind :
         {UncertaintyKind::None, UncertaintyKind::TwoSigma, UncertaintyKind::OneSigmaPercent}) {
        const Outcome<Analysis> refused = a.declaring(kind);
        ASSERT_TRUE(std::holds_alternative<Refusal>(refused));
        EXPECT_TRUE(std::get<Refusal>(refused).message.starts_with(
            "The second field of a count file is the counting error of each grain's age"));
    }
}

}  // namespace
}  // namespace sifton
