#include "core/age_statistics.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/tools/roots.hpp>
#include <cmath>
#include <cstdint>
#include <limits>

namespace sifton {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

WeightedMean weightedMean(std::span<const double> t, std::span<const double> s) {
    double sw = 0, swt = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double w = 1 / (s[i] * s[i]);
        sw += w, swt += w * t[i];
    }
    WeightedMean m;
    m.value = swt / sw;
    m.se = 1 / std::sqrt(sw);
    for (std::size_t i = 0; i < t.size(); ++i)
        m.chi2 += (t[i] - m.value) * (t[i] - m.value) / (s[i] * s[i]);
    m.df = static_cast<int>(t.size()) - 1;
    m.mswd = m.df > 0 ? m.chi2 / m.df : kNaN;
    m.p = m.df > 0
              ? boost::math::cdf(boost::math::complement(boost::math::chi_squared(m.df), m.chi2))
              : kNaN;
    return m;
}

// mu and the sums of w and w^2 for a given sigma; f = sum(w^2 (z - mu)^2) - sum(w).
struct AtSigma {
    double mu = 0, sw = 0, sw2 = 0, f = 0;
};

AtSigma atSigma(const std::vector<double>& z, const std::vector<double>& u, double sigma) {
    AtSigma a;
    double swz = 0;
    for (std::size_t i = 0; i < z.size(); ++i) {
        const double w = 1 / (sigma * sigma + u[i] * u[i]);
        a.sw += w, a.sw2 += w * w, swz += w * z[i];
    }
    a.mu = swz / a.sw;
    double sum = 0;
    for (std::size_t i = 0; i < z.size(); ++i) {
        const double w = 1 / (sigma * sigma + u[i] * u[i]);
        sum += w * w * (z[i] - a.mu) * (z[i] - a.mu);
    }
    a.f = sum - a.sw;
    return a;
}

CentralAge centralAge(const std::vector<double>& z, const std::vector<double>& u) {
    double sigma = 0;
    if (atSigma(z, u, 0).f > 0) {
        // f falls from above 0 at sigma = 0 to below 0 once sigma exceeds the spread of z: a
        // root between, found to the last bits by bracketing, not by a fixed count of steps.
        double high = 1;
        while (atSigma(z, u, high).f > 0) high *= 2;
        std::uintmax_t most = 200;
        const auto root = boost::math::tools::toms748_solve(
            [&](double sg) { return atSigma(z, u, sg).f; }, 0.0, high,
            boost::math::tools::eps_tolerance<double>(), most);
        sigma = (root.first + root.second) / 2;
    }
    const AtSigma a = atSigma(z, u, sigma);
    CentralAge c;
    c.age = std::exp(a.mu);
    c.se = c.age / std::sqrt(a.sw);
    c.dispersion = sigma;
    if (sigma > 0) c.dispersionSe = 1 / std::sqrt(2 * sigma * sigma * a.sw2);
    return c;
}

}  // namespace

double oneSigma(double age, double stated, UncertaintyKind kind) {
    switch (kind) {
        case UncertaintyKind::None:
        case UncertaintyKind::OneSigma:
            return stated;
        case UncertaintyKind::TwoSigma:
            return stated / 2;
        case UncertaintyKind::OneSigmaPercent:
            return std::abs(age) * stated / 100;
        case UncertaintyKind::TwoSigmaPercent:
            return std::abs(age) * stated / 200;
    }
    return stated;
}

double extremeResidualP(double y, int n) {
    const double tail = 2 * boost::math::cdf(boost::math::normal(), -std::abs(y));
    // 1 - (1 - tail)^n without losing a small tail to rounding.
    return -std::expm1(n * std::log1p(-tail));
}

std::variant<AgeStatistics, std::string> ageStatistics(std::span<const double> t,
                                                       std::span<const double> s) {
    for (std::size_t i = 0; i < t.size(); ++i)
        if (!(s[i] > 0) || !std::isfinite(s[i]))
            return "Age " + std::to_string(i + 1) +
                   " has no positive uncertainty, so the ages cannot be weighted.";
    AgeStatistics a;
    a.weighted = weightedMean(t, s);
    a.logScale = true;
    for (double v : t) a.logScale = a.logScale && v > 0;
    std::vector<double> z(t.begin(), t.end()), u(s.begin(), s.end());
    if (a.logScale)
        for (std::size_t i = 0; i < t.size(); ++i) z[i] = std::log(t[i]), u[i] = s[i] / t[i];
    double sw = 0, swz = 0;
    for (std::size_t i = 0; i < z.size(); ++i) sw += 1 / (u[i] * u[i]), swz += z[i] / (u[i] * u[i]);
    const double z0 = swz / sw;
    a.reference = z0;
    for (std::size_t i = 0; i < z.size(); ++i)
        a.residuals.push_back({1 / u[i], (z[i] - z0) / u[i]});
    if (a.logScale) a.central = centralAge(z, u);
    return a;
}

}  // namespace sifton
