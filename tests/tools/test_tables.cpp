// The shipped critical-value tables in data/: every record present, g equal to its closed formula,
// hand-derived check values for Grubbs and Dixon (that every value gives its level is
// test_p_values.cpp's check); and the simulated tail of Dixon's ratio that dixon-p.dat is written
// from, against the exact distribution for three values.
#include <gtest/gtest.h>

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "dixon_sim.h"

namespace {

using Table = std::vector<std::vector<double>>;

// The records of data/<name>, n = 3..lastN with `fields` fields each; a missing one reads as NaN.
Table readTable(const std::string& name, int lastN, size_t fields) {
    std::ifstream in(std::string(SIFTON_DATA_DIR) + "/" + name);
    std::string line;
    EXPECT_TRUE(std::getline(in, line)) << name << " cannot be read";
    Table records(lastN - 2);
    for (size_t i = 0; std::getline(in, line); ++i) {
        std::istringstream cells(line);
        std::vector<double> record;
        for (std::string cell; std::getline(cells, cell, ',');) record.push_back(std::stod(cell));
        EXPECT_EQ(std::tuple(record.size(), record.empty() ? 0 : record[0], i < records.size()),
                  std::tuple(fields, i + 3.0, true))
            << name;
        if (i < records.size()) records[i] = record;
    }
    for (auto& record : records) record.resize(fields, NAN);
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

// Within its own standard errors, and those match the exact ones. The two ratios of a sample of
// three add up to 1, so both exceed x only when x < 1/2, with probability P(x) - P(1 - x).
TEST(DixonTail, ThreeValuesMatchTheExactDistribution) {
    constexpr std::uint64_t kSamples = 1'000'000;
    const sifton::tools::DixonTail tail =
        sifton::tools::simulate_dixon_tail(3, kSamples, 20261207, 1000);
    ASSERT_EQ(tail.above.size(), 1001u);
    EXPECT_EQ(tail.above.front(), 1.0);
    EXPECT_EQ(tail.above.back(), 0.0);
    auto exact = [](double x) {
        return 3 / std::numbers::pi * std::atan(std::sqrt(3) * (1 - x) / (1 + x));
    };
    for (int k = 1; k < 1000; ++k) {
        const double x = k / 1000.0, p = exact(x), both = std::max(0.0, p - exact(1 - x));
        const double se = std::sqrt((2 * p + 2 * both - 4 * p * p) / (4.0 * kSamples));
        SCOPED_TRACE(x);
        EXPECT_NEAR(tail.above[k], p, 5 * se);
        EXPECT_NEAR(tail.std_error[k], se, 0.02 * se + 1e-7);
    }
}

}  // namespace
