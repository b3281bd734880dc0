// The four outlier tests, run in this order after Calc_Statistics: Grubbs_Test, Dixon_Test,
// IQR_Test, Gauss_Test. Each reads the statistics of the same run from the store, hands them to
// its function in calculation.h, writes its statistics as formatted text, its class or verdict
// texts and its p-values back, or, when NData lies outside its range, puts the whole number -1
// into its first statistic (the "not tested" marker).
//
// Grubbs_Test, Dixon_Test and Gauss_Test read their critical values from the table files and
// throw TableLookupError when that fails; the test then changes none of its results and the
// rest of the run must not take place.
//
// IQR_Test decides on the quartiles themselves (to 15 significant digits); IQRQ1 and IQRQ3 hold
// their texts, which the results window shows and builds its fences from.
//
// A spread of zero never divides: a statistic 0/0 means the extreme is tied with the values that
// span it (statistic 0, the least significant class), and a g-test extreme that differs from a
// rest without any spread stands out beyond every critical value (statistic kUnboundedStatistic,
// verdict outlier).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/cell.h"

namespace sifton {

// One calculation run: Calc_Statistics, then the four tests in this order. A failed lookup ends
// it at the failing test with TableLookupError.
void runCalculation();

void Grubbs_Test();
void Dixon_Test();
void IQR_Test();
void Gauss_Test();

// Shown for a g statistic that is unbounded: an extreme set against a rest without spread.
inline constexpr const char* kUnboundedStatistic = "∞";

// Class and verdict texts, compared exactly, blanks included.
namespace grubbs_class {
inline constexpr const char* kAbove10 = "  > 10 %  ";
inline constexpr const char* k7_5To10 = "  7.5-10 %  ";
inline constexpr const char* k5To7_5 = "  5-7.5 %  ";
inline constexpr const char* kAbove5 = "  > 5%  ";
inline constexpr const char* k2_5To5 = "  2.5-5 %  ";
inline constexpr const char* k1To2_5 = "  1-2.5 %  ";
inline constexpr const char* kBelow1 = "  < 1 %  ";
inline constexpr const char* kBelow2_5 = "  < 2.5%  ";
}  // namespace grubbs_class

namespace dixon_class {
inline constexpr const char* kAbove10 = "  > 10 %  ";
inline constexpr const char* k5To10 = "  5-10 %  ";
inline constexpr const char* k2To5 = "  2-5 %  ";
inline constexpr const char* k1To2 = "  1-2 %  ";
inline constexpr const char* k0_5To1 = "  0.5-1 %  ";
inline constexpr const char* kBelow0_5 = "  < 0.5 %  ";
}  // namespace dixon_class

namespace iqr_verdict {
inline constexpr const char* kWithin = "within inner fences";
inline constexpr const char* kMild = "  mild outlier  ";
inline constexpr const char* kExtreme = "  extreme outlier  ";
}  // namespace iqr_verdict

// Classes for a statistic against critical values c[1..5] (ascending), as the tests use them.
std::string_view grubbsClassText(double statistic, const std::array<double, 6>& c, double n);
std::string_view dixonClassText(double ratio, const std::array<double, 6>& c);
std::string grubbsClass(double statistic, const std::array<double, 6>& c, double n);
std::string dixonClass(double ratio, const std::array<double, 6>& c);

// A g statistic as the window shows it: "0.0#", or kUnboundedStatistic.
std::string gaussText(double g);

// The g-test verdict from a stored g text: an outlier when its number is strictly above the
// critical value (so the rounded, shown value decides), or when it is unbounded.
bool gaussIsOutlier(const Cell& g, double critical);

// The inner fences shown by the results window, from the quartile texts: Q1 - 1.5 IQR and
// Q3 + 1.5 IQR.
double lowerInnerFence(const Cell& q1, const Cell& q3);
double upperInnerFence(const Cell& q1, const Cell& q3);

}  // namespace sifton
