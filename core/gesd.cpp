#include "core/gesd.h"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>

#include "core/statistics.h"

namespace sifton {

int gesdMaxK(int n) { return n < kGesdMinValues ? 0 : (n - 1) / 2; }

int gesdDefaultK(int n) { return std::min(kGesdDefaultMaxK, gesdMaxK(n)); }

std::vector<double> gesdLambdas(int n, double alpha, int k) {
    std::vector<double> lambdas;
    for (int i = 1; i <= k; ++i) {
        const double df = n - i - 1;
        const double p = 1.0 - alpha / (2.0 * (n - i + 1));
        const double t = boost::math::quantile(boost::math::students_t(df), p);
        lambdas.push_back((n - i) * t / std::sqrt((df + t * t) * (n - i + 1)));
    }
    return lambdas;
}

GesdResult gesdScreen(std::span<const double> values, double alpha, int k) {
    GesdResult result;
    result.alpha = alpha;
    const int n = static_cast<int>(values.size());
    if (gesdMaxK(n) < 1) return result;
    result.k = std::clamp(k, 1, gesdMaxK(n));
    const std::vector<double> lambdas = gesdLambdas(n, alpha, result.k);

    std::vector<int> in(values.size());
    for (int j = 0; j < n; ++j) in[static_cast<size_t>(j)] = j;
    std::vector<double> rest(values.begin(), values.end());
    for (int i = 1; i <= result.k; ++i) {
        const Moments m = moments(rest);
        const double sd = std::sqrt(m.sumDev2 / static_cast<double>(rest.size() - 1));
        // The farthest value; among equally far ones the first in the data.
        size_t far = 0;
        for (size_t j = 1; j < rest.size(); ++j)
            if (std::fabs(rest[j] - m.mean) > std::fabs(rest[far] - m.mean)) far = j;
        GesdStep step;
        step.i = i;
        step.index = in[far];
        step.value = rest[far];
        step.R = sd > 0 ? std::fabs(rest[far] - m.mean) / sd : 0.0;
        step.lambda = lambdas[static_cast<size_t>(i - 1)];
        if (step.R > step.lambda) result.outliers = i;
        result.steps.push_back(step);
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(far));
        in.erase(in.begin() + static_cast<std::ptrdiff_t>(far));
    }
    for (GesdStep& step : result.steps) step.outlier = step.i <= result.outliers;
    return result;
}

}  // namespace sifton
