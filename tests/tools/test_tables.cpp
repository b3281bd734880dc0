// Checks of the shipped critical-value tables in data/ (grubbs.dat, dixon.dat, gauss-g.dat):
// layout, agreement with the closed formulas, hand-derived check values and the ordering
// that critical values must have.

#include <gtest/gtest.h>

#include <boost/math/distributions/students_t.hpp>
#include <cctype>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kHalfUnit4 = 0.5e-4 + 1e-9;  // rounding to 4 decimals

struct Table {
    std::string text;                             // the whole file
    std::string header;                           // line 1
    std::vector<std::vector<std::string>> cells;  // one entry per record
    std::vector<std::vector<double>> values;      // the same, as numbers
};

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep)) parts.push_back(part);
    if (!s.empty() && s.back() == sep) parts.emplace_back();
    return parts;
}

// Reads data/<name>. Lines end with LF; the last line too.
Table read_table(const std::string& name) {
    const std::string path = std::string(SIFTON_DATA_DIR) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot open " << path;
    std::ostringstream buf;
    buf << in.rdbuf();
    Table t;
    t.text = buf.str();
    std::vector<std::string> lines = split(t.text, '\n');
    if (lines.empty()) return t;
    EXPECT_TRUE(lines.back().empty()) << name << ": last line has no line end";
    lines.pop_back();
    t.header = lines.front();
    for (std::size_t i = 1; i < lines.size(); ++i) {
        t.cells.push_back(split(lines[i], ','));
        std::vector<double> row;
        for (const auto& c : t.cells.back()) row.push_back(std::strtod(c.c_str(), nullptr));
        t.values.push_back(row);
    }
    return t;
}

// True if every record has `fields` fields, so that tests may index them freely.
::testing::AssertionResult all_records_have(const Table& t, std::size_t fields) {
    if (t.values.empty()) return ::testing::AssertionFailure() << "no records";
    for (std::size_t i = 0; i < t.values.size(); ++i) {
        if (t.values[i].size() != fields) {
            return ::testing::AssertionFailure()
                   << "record " << i + 1 << " has " << t.values[i].size() << " fields";
        }
    }
    return ::testing::AssertionSuccess();
}

// The record of sample size n; empty if the table has none.
std::vector<double> record(const Table& t, int n) {
    for (const auto& row : t.values) {
        if (!row.empty() && row[0] == n) return row;
    }
    return {};
}

bool is_fixed_point(const std::string& s, int decimals) {
    const auto dot = s.find('.');
    if (decimals == 0) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
    }
    if (dot == std::string::npos || dot == 0) return false;
    const std::string whole = s.substr(0, dot);
    const std::string frac = s.substr(dot + 1);
    return whole.find_first_not_of("0123456789") == std::string::npos &&
           frac.size() == static_cast<std::size_t>(decimals) &&
           frac.find_first_not_of("0123456789") == std::string::npos;
}

// Records n = first..last in order, `fields` fields each, values with `decimals` decimals.
void expect_layout(const Table& t, int first, int last, std::size_t fields, int decimals) {
    EXPECT_EQ(t.text.find('\r'), std::string::npos) << "only LF line ends";
    ASSERT_FALSE(t.header.empty());
    EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(t.header[0]))) << t.header;
    EXPECT_EQ(split(t.header, ',').size(), fields) << t.header;
    ASSERT_EQ(t.cells.size(), static_cast<std::size_t>(last - first + 1));
    for (std::size_t i = 0; i < t.cells.size(); ++i) {
        const auto& row = t.cells[i];
        ASSERT_EQ(row.size(), fields) << "record " << i + 1;
        EXPECT_EQ(row[0], std::to_string(first + static_cast<int>(i)));
        for (std::size_t j = 1; j < row.size(); ++j) {
            EXPECT_TRUE(is_fixed_point(row[j], decimals))
                << "n=" << row[0] << " field " << j + 1 << ": '" << row[j] << "'";
        }
    }
}

// Upper alpha/n point of Student's t with n - 2 degrees of freedom.
double bonferroni_t(int n, double alpha) {
    const boost::math::students_t dist(n - 2.0);
    return boost::math::quantile(boost::math::complement(dist, alpha / n));
}

double grubbs_formula(int n, double alpha) {
    const double t = bonferroni_t(n, alpha);
    return (n - 1) / std::sqrt(n) * std::sqrt(t * t / (n - 2 + t * t));
}

// g of the extreme value as a function of its G (derived in docs/critical-values.md).
double g_from_grubbs(int n, double G) {
    const double m = n - 1.0;
    return n * std::sqrt(n - 2.0) * G / (std::sqrt(m) * std::sqrt(m * m - n * G * G));
}

const double kGrubbsLevels[] = {0.10, 0.075, 0.05, 0.025, 0.01};
const double kDixonLevels[] = {0.10, 0.05, 0.02, 0.01, 0.005};

// ---------------------------------------------------------------------------- layout

TEST(TableLayout, GrubbsHasRecords3To100WithFiveValuesOfFourDecimals) {
    expect_layout(read_table("grubbs.dat"), 3, 100, 6, 4);
}

TEST(TableLayout, DixonHasRecords3To25WithFiveWholeNumbers) {
    expect_layout(read_table("dixon.dat"), 3, 25, 6, 0);
}

TEST(TableLayout, GaussGHasRecords3To50WithOneValueOfFourDecimals) {
    expect_layout(read_table("gauss-g.dat"), 3, 50, 2, 4);
}

// ---------------------------------------------------------------------------- Grubbs

TEST(GrubbsTable, EqualsClosedFormulaRoundedToFourDecimals) {
    const Table t = read_table("grubbs.dat");
    ASSERT_TRUE(all_records_have(t, 6));
    ASSERT_EQ(t.values.size(), 98u);
    for (const auto& row : t.values) {
        const int n = static_cast<int>(row[0]);
        for (int j = 0; j < 5; ++j) {
            EXPECT_NEAR(row[j + 1], grubbs_formula(n, kGrubbsLevels[j]), kHalfUnit4)
                << "n=" << n << " level " << kGrubbsLevels[j];
        }
    }
}

TEST(GrubbsTable, SmallSamplesMatchValuesDerivedByHand) {
    const Table t = read_table("grubbs.dat");
    const std::vector<double> r3 = record(t, 3);
    const std::vector<double> r4 = record(t, 4);
    const std::vector<double> r10 = record(t, 10);
    ASSERT_EQ(r3.size(), 6u);
    ASSERT_EQ(r4.size(), 6u);
    ASSERT_EQ(r10.size(), 6u);
    // n = 3: t with 1 degree of freedom is Cauchy, its upper point a/3 is cot(pi a/3), and the
    // formula collapses to C = (2/sqrt 3) cos(pi a/3).
    // n = 4: t with 2 degrees of freedom has upper point q at (1 - 2q)/sqrt(2q(1 - q)).
    for (int j = 0; j < 5; ++j) {
        const double a = kGrubbsLevels[j];
        const double c3 = 2.0 / std::sqrt(3.0) * std::cos(std::numbers::pi * a / 3.0);
        EXPECT_NEAR(r3[j + 1], c3, kHalfUnit4) << "n=3 level " << a;
        const double q = a / 4.0;
        const double t2 = (1.0 - 2.0 * q) / std::sqrt(2.0 * q * (1.0 - q));
        const double c4 = 3.0 / 2.0 * std::sqrt(t2 * t2 / (2.0 + t2 * t2));
        EXPECT_NEAR(r4[j + 1], c4, kHalfUnit4) << "n=4 level " << a;
    }
    // Check values of the 5 % column: n = 3 -> 1.153 (as above), n = 10 -> 2.176 (t with
    // 8 degrees of freedom, upper 0.005 point 3.355 from a standard t table, put in the formula).
    EXPECT_NEAR(r3[3], 1.153, 0.001);
    EXPECT_NEAR(r10[3], 2.176, 0.001);
}

TEST(GrubbsTable, GrowsAsLevelFallsAndAsNGrowsStayingBelowMaximum) {
    const Table t = read_table("grubbs.dat");
    ASSERT_TRUE(all_records_have(t, 6));
    for (std::size_t i = 0; i < t.values.size(); ++i) {
        const auto& row = t.values[i];
        const double n = row[0];
        for (int j = 2; j <= 5; ++j) EXPECT_GT(row[j], row[j - 1]) << "n=" << n << " col " << j;
        // G can never exceed (n - 1)/sqrt(n).
        EXPECT_LT(row[5], (n - 1) / std::sqrt(n) + kHalfUnit4) << "n=" << n;
        if (i > 0) {
            for (int j = 1; j <= 5; ++j) {
                EXPECT_GT(row[j], t.values[i - 1][j]) << "n=" << n << " col " << j;
            }
        }
    }
}

// ---------------------------------------------------------------------------- Gauss g

TEST(GaussGTable, EqualsClosedFormulaRoundedToFourDecimals) {
    const Table t = read_table("gauss-g.dat");
    ASSERT_TRUE(all_records_have(t, 2));
    for (const auto& row : t.values) {
        const int n = static_cast<int>(row[0]);
        EXPECT_NEAR(row[1], std::sqrt(n / (n - 1.0)) * bonferroni_t(n, 0.05), kHalfUnit4)
            << "n=" << n;
    }
}

TEST(GaussGTable, MatchesValuesDerivedByHand) {
    const Table t = read_table("gauss-g.dat");
    const std::vector<double> r3 = record(t, 3);
    const std::vector<double> r5 = record(t, 5);
    const std::vector<double> r10 = record(t, 10);
    ASSERT_EQ(r3.size(), 2u);
    ASSERT_EQ(r5.size(), 2u);
    ASSERT_EQ(r10.size(), 2u);
    // n = 3: sqrt(3/2) cot(pi 0.05/3) (Cauchy quantile, see above) = 23.3695.
    EXPECT_NEAR(r3[1], std::sqrt(1.5) / std::tan(std::numbers::pi * 0.05 / 3.0), kHalfUnit4);
    // Standard t table: 3 df upper 0.01 point 4.541, 8 df upper 0.005 point 3.355; times
    // sqrt(5/4) and sqrt(10/9) they give 5.077 and 3.536 (quoted as about 5.08 and 3.54).
    EXPECT_NEAR(r5[1], 4.541 * std::sqrt(5.0 / 4.0), 0.001);
    EXPECT_NEAR(r10[1], 3.355 * std::sqrt(10.0 / 9.0), 0.001);
}

// The g table must be the Grubbs 5 % column carried through g = h(G). h is increasing, so the
// rounding interval of G maps onto an interval that must hold the g value.
TEST(GaussGTable, AgreesWithGrubbsFivePercentColumn) {
    const Table g = read_table("gauss-g.dat");
    const Table G = read_table("grubbs.dat");
    ASSERT_TRUE(all_records_have(g, 2));
    ASSERT_TRUE(all_records_have(G, 6));
    ASSERT_LE(g.values.size(), G.values.size());
    for (std::size_t i = 0; i < g.values.size(); ++i) {
        const int n = static_cast<int>(g.values[i][0]);
        ASSERT_EQ(G.values[i][0], n);
        const double g_max = (n - 1) / std::sqrt(n);
        const double lo = g_from_grubbs(n, G.values[i][3] - kHalfUnit4) - kHalfUnit4;
        const double hi = G.values[i][3] + kHalfUnit4 < g_max
                              ? g_from_grubbs(n, G.values[i][3] + kHalfUnit4) + kHalfUnit4
                              : INFINITY;
        EXPECT_GE(g.values[i][1], lo) << "n=" << n;
        EXPECT_LE(g.values[i][1], hi) << "n=" << n;
    }
}

// The relation h itself, computed straight from data sets: G from all n values (divisor n - 1),
// g from the other n - 1 values (divisor n - 2).
TEST(GaussGTable, RelationToGrubbsHoldsOnDataSets) {
    const std::vector<std::vector<double>> sets = {
        {1.0, 2.0, 10.0},
        {4.1, 3.9, 4.0, 4.2, 5.3},
        {12.0, 11.5, 11.9, 12.2, 12.1, 11.8, 12.0, 14.9, 12.3, 11.7},
        {-3.0, 0.5, 0.25, 0.75, 0.0, 1.0, -0.5, 0.1},
    };
    for (const auto& x : sets) {
        const int n = static_cast<int>(x.size());
        double mean = 0.0;
        for (double v : x) mean += v / n;
        double ss = 0.0;
        std::size_t far = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            ss += (x[i] - mean) * (x[i] - mean);
            if (std::abs(x[i] - mean) > std::abs(x[far] - mean)) far = i;
        }
        const double G = std::abs(x[far] - mean) / std::sqrt(ss / (n - 1));
        double mean_rest = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (i != far) mean_rest += x[i] / (n - 1);
        }
        double ss_rest = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (i != far) ss_rest += (x[i] - mean_rest) * (x[i] - mean_rest);
        }
        const double g = std::abs(x[far] - mean_rest) / std::sqrt(ss_rest / (n - 2));
        EXPECT_NEAR(g_from_grubbs(n, G), g, 1e-9 * g) << "n=" << n;
    }
}

// ---------------------------------------------------------------------------- Dixon

TEST(DixonTable, ThreeValuesMatchExactDistribution) {
    const Table t = read_table("dixon.dat");
    const std::vector<double> r3 = record(t, 3);
    ASSERT_EQ(r3.size(), 6u);
    // For three normal values the deviations from the mean point in a uniformly distributed
    // direction of a plane, which gives P(r > x) = (3/pi) atan(sqrt(3) (1 - x)/(1 + x)), i.e.
    // x = (1 - k)/(1 + k) with k = tan(pi a/3)/sqrt(3). 5 %: 0.9413.
    for (int j = 0; j < 5; ++j) {
        const double a = kDixonLevels[j];
        const double k = std::tan(std::numbers::pi * a / 3.0) / std::sqrt(3.0);
        EXPECT_NEAR(r3[j + 1] / 1000.0, (1.0 - k) / (1.0 + k), 0.001) << "level " << a;
    }
    EXPECT_NEAR(r3[2] / 1000.0, 0.941, 0.001);
}

TEST(DixonTable, ValuesOrderedByLevelAndByN) {
    const Table t = read_table("dixon.dat");
    ASSERT_TRUE(all_records_have(t, 6));
    for (std::size_t i = 0; i < t.values.size(); ++i) {
        const auto& row = t.values[i];
        const int n = static_cast<int>(row[0]);
        for (int j = 1; j <= 5; ++j) {
            EXPECT_GT(row[j], 0.0) << "n=" << n;
            EXPECT_LT(row[j], 1000.0) << "n=" << n;
            if (j > 1) {
                EXPECT_GT(row[j], row[j - 1]) << "n=" << n << " col " << j;
            }
        }
        // The ratio changes form at n = 8, 11 and 14; within one form the critical values fall
        // as n grows.
        const bool new_form = n == 3 || n == 8 || n == 11 || n == 14;
        if (i > 0 && !new_form) {
            for (int j = 1; j <= 5; ++j) {
                EXPECT_LT(row[j], t.values[i - 1][j]) << "n=" << n << " col " << j;
            }
        }
    }
}

}  // namespace
