// Monte-Carlo estimate of the upper quantiles of Dixon's ratio under normality.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace sifton::tools {

// Dixon's ratio for the largest of n values sorted descending S1 >= ... >= Sn:
// (S1 - S(1+gap)) / (S1 - S(n-far)). The smallest value uses the mirror image.
struct DixonRatioShape {
    int gap;  // 1 or 2
    int far;  // 0, 1 or 2
};

// n 3..7: r10, n 8..10: r11, n 11..13: r21, n 14..25: r22.
DixonRatioShape dixon_shape(int n);

struct DixonQuantile {
    double level;      // one-sided upper tail probability
    double value;      // estimated quantile of the ratio
    double std_error;  // standard error of `value`
};

struct DixonRun {
    int n = 0;
    std::uint64_t samples = 0;  // normal samples of size n; each gives two ratios
    std::uint64_t seed = 0;     // seed of this n's generator
    double seconds = 0.0;
    std::vector<DixonQuantile> quantiles;
};

// Seed of the generator used for sample size n, derived from the run's master seed.
std::uint64_t dixon_stream_seed(std::uint64_t master_seed, int n);

// Draws `samples` sets of n independent standard normal values and pools the ratio of the
// largest and the ratio of the smallest value of each set (both have the same distribution).
// The standard error accounts for the dependence of the two ratios of one set.
DixonRun simulate_dixon(int n, std::uint64_t samples, std::uint64_t master_seed,
                        std::span<const double> levels);

// The upper tail of the same pooled ratio on a grid: above[k] = P(R > k/steps) for
// k = 0..steps, with the standard error of each (the two ratios of one set counted as above).
struct DixonTail {
    int n = 0;
    std::uint64_t samples = 0;
    std::uint64_t seed = 0;
    double seconds = 0.0;
    std::vector<double> above;
    std::vector<double> std_error;
};

DixonTail simulate_dixon_tail(int n, std::uint64_t samples, std::uint64_t master_seed,
                              int steps = 1000);

}  // namespace sifton::tools
