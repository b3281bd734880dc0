// One-sided p-values of the tested extreme, in the sense of the critical-value tables: the
// chance that, of n values from one normal population, the extreme's statistic reaches the
// value found.
//
// Grubbs' T through Student's t (Boost.Math); the g-test's g is a strictly increasing function of
// T for the same value, so its p-value is the same number. Dixon's ratio through the simulated
// distribution in dixon-p.dat, interpolated on its grid of ratios.
#pragma once

#include <cmath>
#include <limits>
#include <span>
#include <string>

namespace sifton {

enum class PBound {
    Exact,   // the p-value itself
    AtMost,  // an upper bound: the true p-value is this or less
    Below,   // below this value, which is as far as the table reaches
};

struct PValue {
    double value = std::numeric_limits<double>::quiet_NaN();  // NaN: not known
    PBound bound = PBound::Exact;
    bool known() const { return !std::isnan(value); }
    bool isBound() const { return bound != PBound::Exact; }
};

// Grubbs' T of one extreme of n >= 3 values: p = min(1, n P(t(n-2) > t)) with
// t = sqrt(n (n-2) T^2 / ((n-1)^2 - n T^2)). Exact while T^2 > (n-1)(n-2)/(2n), where no two
// values can both reach T; an upper bound (PBound::AtMost) below that.
PValue grubbsPValue(double t, int n);

// The distribution table of Dixon's ratio: per n = 3..25, P(R > r) for r = 0, 0.001, ..., 1.
inline constexpr const char* kDixonPFile = "dixon-p.dat";
inline constexpr int kDixonPSteps = 1000;
// Below this the simulation's tail is too thin to tell p-values apart.
inline constexpr double kDixonPFloor = 0.001;

// P(R > r) from the tail P(R > k/1000), k = 0..1000, linear between grid points; below
// kDixonPFloor the bound kDixonPFloor (PBound::Below).
PValue dixonPValue(std::span<const double> tail, double r);

// "0.031", "0.41", "1.2E-05" (two significant digits), "≤ 0.41" for an upper bound, "< 0.001"
// below the table; empty when not known.
std::string pValueText(const PValue& p);

}  // namespace sifton
