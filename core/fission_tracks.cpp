#include "core/fission_tracks.h"

#include <algorithm>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/tools/roots.hpp>
#include <cmath>
#include <cstdint>
#include <limits>

namespace sifton {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kYearsPerMa = 1e6;
// P(Z > 1) for a standard normal Z: the one-sided tail beyond 1 sigma.
const double kOneSigmaTail = 0.5 * std::erfc(1 / std::sqrt(2.0));

double relativeCalibrationVariance(const CountCalibration& c) {
    const double z = c.zetaSe / c.zeta, r = c.rhoDSe / c.rhoD;
    return z * z + r * r;
}

// The age (Ma) with counting variance 'countVariance' relative to the age squared.
FtAge withErrors(double age, double countVariance, const CountCalibration& c) {
    FtAge a;
    a.age = age;
    a.se = age * std::sqrt(countVariance);
    a.seTotal = age * std::sqrt(countVariance + relativeCalibrationVariance(c));
    return a;
}

// No spontaneous tracks among m = Ni: age 0, and as its 1-sigma error the age of the ratio
// theta/(1 - theta) at the Clopper-Pearson upper limit, where P(Ns = 0 | theta) =
// (1 - theta)^m equals the one-sided tail beyond 1 sigma. That ratio is alpha^(-1/m) - 1.
FtAge zeroCountAge(double m, const CountCalibration& c) {
    const double limit = fissionTrackAge(std::expm1(-std::log(kOneSigmaTail) / m), c);
    FtAge a;
    a.bound = AgeBound::UpperLimit;
    a.se = limit;
    a.seTotal = limit * std::sqrt(1 + relativeCalibrationVariance(c));
    return a;
}

// Root of a function that is positive at 'low' and falls below 0 somewhere above it; the
// bracket doubles until it holds the sign change, and toms748 finds the root to the last bits
// instead of a fixed count of steps. Grains of a single track have weights that sigma does not
// change, and enough of them keep the function positive for every sigma: the search ends at
// 'most' then.
template <typename F>
double rootAbove(F f, double low, double high, double most) {
    while (f(high) > 0 && high < most) high *= 2;
    if (f(high) > 0) return high;
    std::uintmax_t iterations = 200;
    const auto root = boost::math::tools::toms748_solve(
        f, low, high, boost::math::tools::eps_tolerance<double>(), iterations);
    return (root.first + root.second) / 2;
}

struct Binomial {
    std::vector<double> m, y;  // Ns + Ni and Ns/(Ns + Ni) of each grain
};

double weight(double m, double eta, double sigma) {
    const double v = eta * (1 - eta);
    return m / (v + (m - 1) * v * v * sigma * sigma);
}

// eta for a given sigma: the root of sum(w (y - eta)) in (0, 1). It lies between the smallest
// and the largest y; max y < 1 because every grain has induced tracks, and when the smallest y
// is 0 the sum is positive for eta small enough.
double etaAt(const Binomial& b, double sigma) {
    const auto g = [&](double eta) {
        double s = 0;
        for (std::size_t j = 0; j < b.m.size(); ++j)
            s += weight(b.m[j], eta, sigma) * (b.y[j] - eta);
        return s;
    };
    const auto [lowest, highest] = std::minmax_element(b.y.begin(), b.y.end());
    if (*lowest == *highest) return *lowest;
    double low = *lowest;
    if (low == 0) {
        low = 1;
        for (double y : b.y)
            if (y > 0) low = std::min(low, y);
        while (g(low) <= 0) low /= 2;
    }
    if (g(*highest) >= 0) return *highest;
    std::uintmax_t iterations = 200;
    const auto root = boost::math::tools::toms748_solve(
        g, low, *highest, boost::math::tools::eps_tolerance<double>(), iterations);
    return (root.first + root.second) / 2;
}

// sum(w^2 (y - eta)^2) - sum(w) at sigma, eta solved for that sigma.
double excessScatter(const Binomial& b, double sigma) {
    const double eta = etaAt(b, sigma);
    double sw = 0, sum = 0;
    for (std::size_t j = 0; j < b.m.size(); ++j) {
        const double w = weight(b.m[j], eta, sigma), d = b.y[j] - eta;
        sw += w, sum += w * w * d * d;
    }
    return sum - sw;
}

FtCentral centralAge(std::span<const GrainCount> grains, const FtAge& pooled,
                     const CountCalibration& c, double pooledEta) {
    FtCentral central;
    central.age = pooled;
    central.eta = pooledEta;
    if (pooledEta == 0) return central;  // no spontaneous track at all: the pooled age 0
    Binomial b;
    for (const GrainCount& g : grains) {
        const double m = static_cast<double>(g.ns) + g.ni;
        b.m.push_back(m), b.y.push_back(g.ns / m);
    }
    // At sigma = 0 the weights are m_j/(eta(1 - eta)) and eta is the pooled proportion; the
    // counts scatter more than Poisson counting explains only when the excess is positive
    // there, and otherwise sigma is exactly 0 and the central age the pooled age.
    double sigma = 0;
    if (excessScatter(b, 0) > 0)
        sigma = rootAbove([&](double s) { return excessScatter(b, s); }, 0.0, 1.0, 1e6);
    const double eta = sigma > 0 ? etaAt(b, sigma) : pooledEta;
    double sw = 0, swc = 0;
    const double v = eta * (1 - eta);
    for (const double m : b.m) {
        const double w = weight(m, eta, sigma), cj = (m - 1) * v * v / m;
        sw += w, swc += w * w * cj * cj;
    }
    const double t = fissionTrackAge(eta / (1 - eta), c);
    central.age = withErrors(t, 1 / (v * v * sw), c);
    central.dispersion = sigma;
    central.eta = eta;
    if (sigma > 0) central.dispersionSe = 1 / (sigma * std::sqrt(2 * swc));
    return central;
}

}  // namespace

double fissionTrackAge(double ratio, const CountCalibration& c) {
    return std::log1p(kGeometryFactor * kLambda238 * c.zeta * c.rhoD * ratio) / kLambda238 /
           kYearsPerMa;
}

double ratioOfAge(double ageMa, const CountCalibration& c) {
    return std::expm1(kLambda238 * ageMa * kYearsPerMa) /
           (kGeometryFactor * kLambda238 * c.zeta * c.rhoD);
}

std::optional<FtAge> singleGrainAge(long long ns, long long ni, const CountCalibration& c) {
    if (ni <= 0 || ns < 0) return std::nullopt;
    if (ns == 0) return zeroCountAge(static_cast<double>(ni), c);
    const double s = static_cast<double>(ns), i = static_cast<double>(ni);
    return withErrors(fissionTrackAge(s / i, c), 1 / s + 1 / i, c);
}

ArcsineCount arcsineOfCounts(long long ns, long long ni) {
    const double s = static_cast<double>(ns), m = s + static_cast<double>(ni);
    ArcsineCount a;
    a.z = std::asin(std::sqrt((s + 3.0 / 8.0) / (m + 3.0 / 4.0)));
    a.se = 1 / (2 * std::sqrt(m + 1.0 / 2.0));
    return a;
}

double arcsineOfAge(double ageMa, const CountCalibration& c) {
    const double r = ratioOfAge(ageMa, c);
    return std::asin(std::sqrt(r / (1 + r)));
}

double ageOfArcsine(double z, const CountCalibration& c) {
    const double s = std::sin(z), theta = s * s;
    return fissionTrackAge(theta / (1 - theta), c);
}

double countsChiSquare(std::span<const GrainCount> grains) {
    double sumNs = 0, sumNi = 0;
    for (const GrainCount& g : grains) sumNs += g.ns, sumNi += g.ni;
    if (sumNs == 0 || sumNi == 0) return 0;
    double sum = 0;
    for (const GrainCount& g : grains) {
        const double d = g.ns * sumNi - g.ni * sumNs;
        sum += d * d / (static_cast<double>(g.ns) + g.ni);
    }
    return sum / (sumNs * sumNi);
}

std::variant<FtSummary, std::string> fissionTrackStatistics(const CountCalibration& c,
                                                            std::span<const GrainCount> grains) {
    const auto positive = [](double v) { return v > 0 && std::isfinite(v); };
    const auto error = [](double v) { return v >= 0 && std::isfinite(v); };
    if (!positive(c.zeta) || !error(c.zetaSe))
        return std::string("zeta must be positive, with an error of 0 or more.");
    if (!positive(c.rhoD) || !error(c.rhoDSe))
        return std::string("rhoD must be positive, with an error of 0 or more.");
    if (grains.empty()) return std::string("There are no grains.");
    FtSummary s;
    s.n = static_cast<int>(grains.size());
    for (std::size_t j = 0; j < grains.size(); ++j) {
        const GrainCount& g = grains[j];
        const std::string grain = "Grain " + std::to_string(j + 1);
        if (g.ns < 0 || g.ni < 0) return grain + " has a negative count.";
        if (g.ni == 0)
            return grain + " has no induced tracks (Ni = 0), so its age has no finite value.";
        s.sumNs += g.ns, s.sumNi += g.ni;
    }
    s.pooled = *singleGrainAge(s.sumNs, s.sumNi, c);
    const double pooledEta = static_cast<double>(s.sumNs) / static_cast<double>(s.sumNs + s.sumNi);
    s.chi2 = countsChiSquare(grains);
    s.df = s.n - 1;
    s.p = s.df > 0
              ? boost::math::cdf(boost::math::complement(boost::math::chi_squared(s.df), s.chi2))
              : kNaN;
    s.central = centralAge(grains, s.pooled, c, pooledEta);
    // The radial plot is centred on the central value, which is the pooled one whenever the
    // counts do not scatter beyond Poisson counting (sigma = 0).
    s.z0 = std::asin(std::sqrt(s.central.eta));
    for (const GrainCount& g : grains) {
        FtGrain fg;
        fg.ns = g.ns, fg.ni = g.ni, fg.line = g.line;
        fg.age = *singleGrainAge(g.ns, g.ni, c);
        const ArcsineCount a = arcsineOfCounts(g.ns, g.ni);
        fg.z = a.z, fg.zSe = a.se;
        fg.x = 1 / a.se;
        fg.y = (a.z - s.z0) / a.se;
        s.grains.push_back(fg);
    }
    return s;
}

GrainAges grainAgesUnderTest(const FtSummary& summary) {
    GrainAges a;
    for (const FtGrain& g : summary.grains) a.age.push_back(g.age.age), a.se.push_back(g.age.se);
    return a;
}

}  // namespace sifton
