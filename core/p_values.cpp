#include "core/p_values.h"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cstdio>

namespace sifton {

PValue grubbsPValue(double t, int n) {
    const double m = n - 1.0;
    const double denominator = m * m - n * t * t;
    // T at its largest possible value, (n-1)/sqrt(n) (or past it by rounding): the other n - 1
    // values are all equal, and the chance of that is 0.
    if (denominator <= 0) return {0.0, PBound::Exact};
    const double studentT = std::sqrt(n * (n - 2.0) * t * t / denominator);
    const boost::math::students_t dist(n - 2.0);
    const double p = std::min(1.0, n * boost::math::cdf(boost::math::complement(dist, studentT)));
    const bool exact = t * t > m * (n - 2.0) / (2.0 * n);
    return {p, exact ? PBound::Exact : PBound::AtMost};
}

PValue dixonPValue(std::span<const double> tail, double r) {
    if (tail.size() != kDixonPSteps + 1) return {};
    const double x = std::clamp(r, 0.0, 1.0) * kDixonPSteps;
    const auto k = std::min(static_cast<std::size_t>(x), static_cast<std::size_t>(kDixonPSteps));
    const double p = k == kDixonPSteps
                         ? tail[k]
                         : tail[k] + (x - static_cast<double>(k)) * (tail[k + 1] - tail[k]);
    if (p < kDixonPFloor) return {kDixonPFloor, PBound::Below};
    return {p, PBound::Exact};
}

std::string pValueText(const PValue& p) {
    if (!p.known()) return {};
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.2g", p.value);
    std::string text = digits;
    // The program writes exponents as 1.2E-05.
    if (const auto e = text.find('e'); e != std::string::npos) text[e] = 'E';
    switch (p.bound) {
        case PBound::Exact:
            return text;
        case PBound::AtMost:
            return "≤ " + text;
        case PBound::Below:
            return "< " + text;
    }
    return text;
}

}  // namespace sifton
