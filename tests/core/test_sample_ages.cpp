// Ages taken with their uncertainties: which headers name one, the declaration that refuses a row
// without one, and the analysis that keeps its rejections when the declaration changes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "core/analysis.h"
#include "core/sample_ages.h"
#include "test_support.h"

namespace sifton {
namespace {

using enum UncertaintyKind;

DataSet dataSetOf(const std::vector<std::pair<double, double>>& rows) {
    DataSet data;
    data.DataFileName = "d.csv";
    for (const auto& [t, s] : rows) data.rows.push_back(DataRow{t, s, ""});
    return data;
}

TEST(SampleAges, HeadersThatNameAnUncertainty) {
    const std::tuple<const char*, const char*, std::optional<UncertaintyKind>> cases[] = {
        {"Age", "sAge", OneSigma},
        {"T", "σ(t)", OneSigma},
        {"age", "err", OneSigma},
        {"Age (Ma)", "Error (Ma)", OneSigma},
        {"age", "1 SE", OneSigma},
        {"age", "±2σ", TwoSigma},
        {"age", "1s %", OneSigmaPercent},
        {"age", "2σ %", TwoSigmaPercent},
        // Headers of the program's own files and of other columns name none.
        {"Kestrel Ridge", "KR-07", std::nullopt},
        {"age", "Ns", std::nullopt},
        {"age", "sAges", std::nullopt},
        {"age", "terrace", std::nullopt},
    };
    for (const auto& [value, second, kind] : cases)
        EXPECT_EQ(uncertaintyNamedBy(value, second), kind) << value << " | " << second;
}

// Every row must give a positive 1-sigma uncertainty, rejected rows too; a percentage of an age
// of 0 gives none. The refusal names the first row at fault.
TEST(SampleAges, ADeclarationRefusesARowWithoutUncertainty) {
    const std::tuple<std::vector<std::pair<double, double>>, UncertaintyKind, const char*> cases[] =
        {
            {{{10, 1}, {12, -1}, {11, 0}}, OneSigma, "row 2 has no positive uncertainty"},
            {{{10, 1}, {0, 5}, {11, 1}}, OneSigmaPercent, "row 2 has no positive uncertainty"},
            {{{10, 1}, {11, 1}, {12, 1e308}}, TwoSigmaPercent, "row 3 has no positive uncertainty"},
            {{{10, 1}, {11, 1}, {12, 1e300}}, TwoSigmaPercent, nullptr},
            {{{10, 1}, {11, 1}, {-12, 5}}, TwoSigmaPercent, nullptr},
            {{{10, 0}, {11, 0}, {12, 0}}, None, nullptr},
        };
    for (const auto& [rows, kind, brief] : cases) {
        const Outcome<DataSet> declared = declaringUncertainty(dataSetOf(rows), kind);
        if (brief) {
            ASSERT_TRUE(std::holds_alternative<Refusal>(declared));
            EXPECT_EQ(std::get<Refusal>(declared).brief, brief);
            EXPECT_EQ(std::get<Refusal>(declared).message.substr(1, std::strlen(brief) - 1),
                      brief + 1);
        } else {
            ASSERT_TRUE(std::holds_alternative<DataSet>(declared)) << std::get<1>(declared).brief;
            EXPECT_EQ(std::get<DataSet>(declared).uncertainty, kind);
        }
    }
}

using SampleAgesTest = test::WithTables;

// The values under test only, their 1-sigma uncertainties by the kind, and the extremes' screen.
TEST_F(SampleAgesTest, AnAnalysisKeepsItsRejectionsThroughADeclaration) {
    const auto data = std::make_shared<const DataSet>(
        dataSetOf({{100, 20}, {104, 20}, {98, 20}, {160, 20}, {101, 20}, {99, 20}}));
    const Analysis rejected =
        *Analysis::of(data, m_tables).rejecting(Extreme::Largest, m_tables);  // row 4
    EXPECT_FALSE(rejected.ages());
    const Outcome<Analysis> declared = rejected.declaring(TwoSigmaPercent);
    ASSERT_TRUE(std::holds_alternative<Analysis>(declared));
    const Analysis& a = std::get<Analysis>(declared);
    ASSERT_TRUE(a.ages());
    const SampleAges& ages = *a.ages();
    EXPECT_EQ(std::pair(a.rejectedRows(), ages.rows),
              std::pair(std::vector<int>{4}, std::vector<int>{1, 2, 3, 5, 6}));
    EXPECT_DOUBLE_EQ(ages.sigmas[1], 104 * 0.1);  // 20 % at 2 sigma
    EXPECT_EQ(std::tuple(ages.youngest.row, ages.oldest.row), std::tuple(3, 2));
    EXPECT_TRUE(ages.beyondTwo.empty());
    // The analysis before the rejection holds the declaration too, with row 4 beyond 2.
    ASSERT_TRUE(a.before() && a.before()->ages());
    EXPECT_EQ(std::tuple(a.before()->ages()->n(), a.before()->ages()->beyondTwo,
                         a.before()->ages()->oldest.row),
              std::tuple(6, std::vector<int>{4}, 4));
    // Back to no uncertainty; the four tests' results are those of the rejection all along.
    const Analysis plain = std::get<Analysis>(a.declaring(None));
    EXPECT_FALSE(plain.ages() || plain.before()->ages());
    EXPECT_EQ(plain.results().statistics.mean, rejected.results().statistics.mean);
}

}  // namespace
}  // namespace sifton
