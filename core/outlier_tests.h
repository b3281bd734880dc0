// The texts of the four outlier tests' classes and verdicts, and how a statistic is classed
// against its critical values. calculation.h runs the tests; these are their rules, shared by
// the calculation, the results window's highlights and the data plot.
//
// A spread of zero never divides: a statistic 0/0 means the extreme is tied with the values that
// span it (statistic 0, the least significant class), and a g-test extreme that differs from a
// rest without any spread stands out beyond every critical value (statistic kUnboundedStatistic,
// verdict outlier).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace sifton {

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

// A g statistic as the window shows it: "0.0#", or kUnboundedStatistic.
std::string gaussText(double g);

// The g-test verdict: an outlier when g as shown (gaussText) is strictly above the critical
// value, so the rounded value decides, or when g is unbounded.
bool gaussIsOutlier(double g, double critical);

// The classes and verdicts that count as significant and are highlighted: Grubbs and Dixon from
// the 5 % class on, the IQR test's mild and extreme outliers.
bool grubbsSignificant(std::string_view cls);
bool dixonSignificant(std::string_view cls);
bool iqrSignificant(std::string_view verdict);

}  // namespace sifton
