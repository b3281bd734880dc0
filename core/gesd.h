// The generalized extreme studentized deviate (ESD) screen for up to k outliers at once.
//
// Step i (1..k) finds the value farthest from the mean of the values still in, in units of
// their standard deviation (divisor n-1): R_i. It is compared with
//   lambda_i = (n-i) t / sqrt((n-i-1 + t^2)(n-i+1)),  t = t(1 - alpha/(2(n-i+1)), n-i-1),
// and the value is removed for the next step. The number of outliers r is the largest i with
// R_i > lambda_i; the values removed in steps 1..r are the outliers, even where an earlier R_i
// stayed below its lambda (that is how one outlier masking another is found). The screen is
// two-sided: it looks at both ends at once. Reference: Rosner, Technometrics 25 (1983) 165-172;
// NIST/SEMATECH e-Handbook of Statistical Methods, section 1.3.5.17.3.
#pragma once

#include <span>
#include <vector>

namespace sifton {

inline constexpr int kGesdMinValues = 6;
inline constexpr int kGesdDefaultMaxK = 10;
// Below this many values Rosner's lambda is an approximation; the program says so.
inline constexpr int kGesdAccurateFrom = 25;

struct GesdStep {
    int i = 0;           // 1-based step
    int index = 0;       // 0-based position in the values given of the value removed here
    double value = 0.0;  // that value
    double R = 0.0;
    double lambda = 0.0;
    bool outlier = false;  // removed in steps 1..r
};

struct GesdResult {
    double alpha = 0.05;
    int k = 0;
    std::vector<GesdStep> steps;  // k steps, empty when the screen did not run
    int outliers = 0;             // r
    bool ran() const { return !steps.empty(); }
};

// The largest k the screen allows for n values: floor((n-1)/2), 0 below kGesdMinValues.
int gesdMaxK(int n);
// The k used when none is chosen: min(10, gesdMaxK(n)).
int gesdDefaultK(int n);

// The critical values lambda_1..lambda_k for n values.
std::vector<double> gesdLambdas(int n, double alpha, int k);

// Runs the screen over the values under test; k is clamped to 1..gesdMaxK(n). Does not run
// (empty steps) for fewer than kGesdMinValues values.
GesdResult gesdScreen(std::span<const double> values, double alpha, int k);

}  // namespace sifton
