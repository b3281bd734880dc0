// The calculation as functions over values: a sample (its values in row order and which rows
// are rejected) in; the descriptive statistics and every test's statistics, classes or
// verdicts, critical values and p-values out. The run is always the same: Calc_Statistics, then
// Grubbs_Test, Dixon_Test, IQR_Test and Gauss_Test on what it found (calculate() runs them).
//
// Results are unrounded numbers; the window rounds them for showing. Where the window decides on
// a rounded number (the g-test compares g rounded to two decimals, the IQR test a midpoint taken
// to 15 significant digits), the result holds that decision. A test whose range of n is not met
// has ran == false and nothing else set. A failed critical-value lookup throws
// TableLookupError; missing p-values never stop a test.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/p_values.h"
#include "core/tables.h"

namespace sifton {

struct Sample {
    std::vector<double> values;           // row i is values[i - 1]
    std::vector<unsigned char> rejected;  // nonzero: row rejected; rows past its end are in
    bool underTest(int row) const {
        return static_cast<std::size_t>(row) > rejected.size() || rejected[row - 1] == 0;
    }
};

struct Statistics {
    int n = 0;                // values under test
    double sum = 0.0;         // in row order
    double sumSquares = 0.0;  // in row order
    double mean = 0.0;        // sum / n: the mean shown and reported
    double centre = 0.0;      // the compensated mean, which the spreads and Grubbs' T use
    double sumDev2 = 0.0;     // squared deviations from centre (corrected two-pass)
    double sd = 0.0;          // divisor n - 1; 0 with fewer than two values
    double se = 0.0;
    double minValue = 0.0, maxValue = 0.0;
    int minRow = 0, maxRow = 0;  // 1-based, the lowest row among equal extremes; 0 without values
    std::vector<double> sorted;  // the values under test, largest first
};

// A Grubbs or Dixon statistic of one extreme with its class text (blanks included) and p-value.
struct ClassedStatistic {
    double statistic = 0.0;
    std::string_view cls;
    PValue p;
};

struct GrubbsResult {
    bool ran = false;                  // n in 3..100
    std::array<double, 6> critical{};  // 1..5: at 10, 7.5, 5, 2.5, 1 %
    ClassedStatistic min, max;
};

struct DixonResult {
    bool ran = false;                  // n in 3..25
    std::array<double, 6> critical{};  // 1..5: at 10, 5, 2, 1, 0.5 %, as ratios
    ClassedStatistic min, max;
    std::string pMissing;  // why the p-values are not known (dixon-p.dat unusable); else empty
};

struct IqrResult {
    bool ran = false;  // n of 6 or more
    double q1 = 0.0, q3 = 0.0;
    double lowerInner = 0.0, upperInner = 0.0, lowerOuter = 0.0, upperOuter = 0.0;
    std::string_view youngVerdict, oldVerdict;  // texts of iqr_verdict, blanks included
};

// The values under test without one extreme's row.
struct Rest {
    double sum = 0.0;      // in row order
    double mean = 0.0;     // compensated
    double sumDev2 = 0.0;  // from that mean
    double sd = 0.0;       // divisor n - 2
};

struct GaussExtreme {
    double g = 0.0;        // infinite when the rest has no spread and the extreme differs
    bool outlier = false;  // g rounded to two decimals above the critical value, or infinite
    PValue p;              // the same as Grubbs' p-value of this value
    Rest rest;
};

struct GaussResult {
    bool ran = false;  // n in 3..50
    double critical = 0.0;
    GaussExtreme min, max;
};

struct Results {
    Statistics statistics;
    GrubbsResult grubbs;
    DixonResult dixon;
    IqrResult iqr;
    GaussResult gauss;
};

Statistics Calc_Statistics(const Sample& sample);
GrubbsResult Grubbs_Test(const Statistics& st, TableSource& tables);
DixonResult Dixon_Test(const Statistics& st, TableSource& tables);
IqrResult IQR_Test(const Statistics& st);
GaussResult Gauss_Test(const Sample& sample, const Statistics& st, TableSource& tables);

// The whole calculation: Calc_Statistics, then the four tests in the window's order.
Results calculate(const Sample& sample, TableSource& tables);

// The values under test in row order.
std::vector<double> valuesUnderTest(const Sample& sample);

// The largest size among the values under test: what a data-scaled result is compared with
// before it is shown (formatDataNumber).
double largestSize(const Statistics& st);

}  // namespace sifton
