// Checks of the shipped critical-value tables in data/ (grubbs.dat, dixon.dat, gauss-g.dat):
// every record present, agreement with the closed formulas, hand-derived check values and the
// order that critical values must have.

#include <gtest/gtest.h>

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kRounding = 0.5e-4 + 1e-9;  // the tables hold four decimals
constexpr double kGrubbsLevels[] = {0.10, 0.075, 0.05, 0.025, 0.01};
constexpr double kDixonLevels[] = {0.10, 0.05, 0.02, 0.01, 0.005};

using Table = std::vector<std::vector<double>>;

// The records of data/<name> after its header line, which must be n = 3..lastN with `fields`
// fields each. A missing record or field reads as NaN, which fails every later comparison.
Table readTable(const std::string& name, int lastN, size_t fields) {
    std::ifstream in(std::string(SIFTON_DATA_DIR) + "/" + name);
    std::string line;
    EXPECT_TRUE(std::getline(in, line)) << name << " cannot be read";
    Table records;
    while (std::getline(in, line)) {
        std::istringstream cells(line);
        records.emplace_back();
        for (std::string cell; std::getline(cells, cell, ',');)
            records.back().push_back(std::stod(cell));
    }
    EXPECT_EQ(records.size(), static_cast<size_t>(lastN - 2)) << name;
    records.resize(lastN - 2);
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].size(), fields) << name << " record " << i + 1;
        records[i].resize(fields, NAN);
        EXPECT_EQ(records[i][0], static_cast<double>(i + 3)) << name << " record " << i + 1;
    }
    return records;
}

// Upper alpha/n point of Student's t with n - 2 degrees of freedom.
double bonferroniT(int n, double alpha) {
    return boost::math::quantile(
        boost::math::complement(boost::math::students_t(n - 2.0), alpha / n));
}

TEST(Tables, GrubbsEqualsItsFormulaAndGrowsWithNAndFallingLevel) {
    const Table t = readTable("grubbs.dat", 100, 6);
    for (size_t i = 0; i < t.size(); ++i) {
        const int n = static_cast<int>(i + 3);
        SCOPED_TRACE("n=" + std::to_string(n));
        for (int j = 1; j <= 5; ++j) {
            const double bt = bonferroniT(n, kGrubbsLevels[j - 1]);
            EXPECT_NEAR(t[i][j], (n - 1) / std::sqrt(n) * std::sqrt(bt * bt / (n - 2 + bt * bt)),
                        kRounding)
                << "column " << j;
            EXPECT_TRUE(j == 1 || t[i][j] > t[i][j - 1]) << "column " << j << " not above the last";
            EXPECT_TRUE(i == 0 || t[i][j] > t[i - 1][j]) << "column " << j << " not above n - 1";
        }
    }
    // 5 %: n = 3 gives (2/sqrt 3) cos(pi 0.05/3); n = 10 the upper 0.005 point of t with 8
    // degrees of freedom, 3.355 from a printed t table, put in the formula.
    EXPECT_NEAR(t[0][3], 1.153, 0.001);
    EXPECT_NEAR(t[7][3], 2.176, 0.001);
}

TEST(Tables, GaussGEqualsItsFormula) {
    const Table t = readTable("gauss-g.dat", 50, 2);
    for (size_t i = 0; i < t.size(); ++i) {
        const int n = static_cast<int>(i + 3);
        EXPECT_NEAR(t[i][1], std::sqrt(n / (n - 1.0)) * bonferroniT(n, 0.05), kRounding)
            << "n=" << n;
    }
}

TEST(Tables, DixonLiesWithin0To1000AndGrowsWithFallingLevel) {
    const Table t = readTable("dixon.dat", 25, 6);
    for (size_t i = 0; i < t.size(); ++i) {
        SCOPED_TRACE("n=" + std::to_string(i + 3));
        for (int j = 1; j <= 5; ++j) {
            EXPECT_TRUE(t[i][j] > 0 && t[i][j] < 1000) << "column " << j << ": " << t[i][j];
            EXPECT_TRUE(j == 1 || t[i][j] > t[i][j - 1]) << "column " << j << " not above the last";
        }
    }
    // For three normal values the deviations from the mean point in a uniformly distributed
    // direction of a plane, which gives P(r > x) = (3/pi) atan(sqrt(3) (1 - x)/(1 + x)), i.e.
    // x = (1 - k)/(1 + k) with k = tan(pi a/3)/sqrt(3).
    for (int j = 1; j <= 5; ++j) {
        const double k = std::tan(std::numbers::pi * kDixonLevels[j - 1] / 3.0) / std::sqrt(3.0);
        EXPECT_NEAR(t[0][j] / 1000.0, (1.0 - k) / (1.0 + k), 0.001)
            << "level " << kDixonLevels[j - 1];
    }
    EXPECT_NEAR(t[0][2] / 1000.0, 0.941, 0.001);
}

}  // namespace
