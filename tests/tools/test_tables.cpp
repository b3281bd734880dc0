// The shipped critical-value tables in data/: every record present, g equal to its closed formula,
// and hand-derived check values for Grubbs and Dixon (that every Grubbs value gives its level, and
// every Dixon value its level in dixon-p.dat, is test_p_values.cpp's check).
#include <gtest/gtest.h>

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

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

TEST(Tables, GrubbsAndDixonCheckValues) {
    const Table grubbs = readTable("grubbs.dat", 100, 6), dixon = readTable("dixon.dat", 25, 6);
    // Grubbs at 5 %: n = 3 gives (2/sqrt 3) cos(pi 0.05/3); n = 10 the upper 0.005 point of t
    // with 8 degrees of freedom, 3.355 from a printed t table, put in the formula.
    EXPECT_NEAR(grubbs[0][3], 1.153, 0.001);
    EXPECT_NEAR(grubbs[7][3], 2.176, 0.001);
    // For three normal values the deviations from the mean point in a uniformly distributed
    // direction of a plane, which gives P(r > x) = (3/pi) atan(sqrt(3) (1 - x)/(1 + x)), i.e.
    // x = (1 - k)/(1 + k) with k = tan(pi a/3)/sqrt(3).
    constexpr double kDixonLevels[] = {0.10, 0.05, 0.02, 0.01, 0.005};
    for (int j = 1; j <= 5; ++j) {
        const double k = std::tan(std::numbers::pi * kDixonLevels[j - 1] / 3.0) / std::sqrt(3.0);
        EXPECT_NEAR(dixon[0][j] / 1000.0, (1.0 - k) / (1.0 + k), 0.001) << "column " << j;
    }
}

// g = sqrt(n / (n - 1)) times the upper 0.05/n point of t with n - 2 degrees of freedom; at
// n = 3 that point is cot(pi 0.05/3) (one degree of freedom).
TEST(Tables, GaussGEqualsItsFormula) {
    const Table t = readTable("gauss-g.dat", 50, 2);
    for (size_t i = 0; i < t.size(); ++i) {
        const double n = static_cast<double>(i + 3);
        const double bt = boost::math::quantile(
            boost::math::complement(boost::math::students_t(n - 2), 0.05 / n));
        EXPECT_NEAR(t[i][1], std::sqrt(n / (n - 1)) * bt, 0.5e-4 + 1e-9) << "n=" << n;
    }
    EXPECT_NEAR(t[0][1], std::sqrt(1.5) / std::tan(std::numbers::pi * 0.05 / 3), 0.5e-4 + 1e-9);
}

}  // namespace
