#include "core/statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace sifton {

Moments moments(std::span<const double> values) {
    Moments m;
    if (values.empty()) return m;
    const double n = static_cast<double>(values.size());
    // Compensated (Neumaier) sum: what each addition rounds off is collected in 'lost', so the
    // sum is as good as exact, even for 1E+09 plus a spread of 1 or for values that cancel.
    double sum = 0.0, lost = 0.0;
    for (double x : values) {
        const double t = sum + x;
        lost += std::fabs(sum) >= std::fabs(x) ? (sum - t) + x : (x - t) + sum;
        sum = t;
    }
    // Rounding must not move the mean out of the values' range: equal values give exactly their
    // value, and then no spread at all.
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    m.mean = std::clamp(sum / n + lost / n, *low, *high);
    double sumDev = 0.0, sumDev2 = 0.0;
    for (double x : values) {
        const double d = x - m.mean;
        sumDev += d;
        sumDev2 += d * d;
    }
    // The deviations from a mean a rounding step off add up to n times that step; this takes its
    // share off the sum of squares (the corrected two-pass form).
    m.sumDev2 = sumDev2 - sumDev * sumDev / n;
    return m;
}

}  // namespace sifton
