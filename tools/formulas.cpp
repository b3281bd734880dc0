#include "formulas.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <numbers>

namespace sifton::tools {
namespace {

// Upper alpha/n point of Student's t with n - 2 degrees of freedom.
double bonferroni_t(int n, double alpha) {
    const boost::math::students_t dist(static_cast<double>(n - 2));
    return boost::math::quantile(boost::math::complement(dist, alpha / n));
}

}  // namespace

double grubbs_critical(int n, double alpha) {
    const double t = bonferroni_t(n, alpha);
    const double t2 = t * t;
    return (n - 1) / std::sqrt(static_cast<double>(n)) * std::sqrt(t2 / (n - 2 + t2));
}

double gauss_g_critical(int n, double alpha) {
    return std::sqrt(static_cast<double>(n) / (n - 1)) * bonferroni_t(n, alpha);
}

double gauss_g_from_grubbs(int n, double grubbs_g) {
    const double m = n - 1;
    return n * std::sqrt(n - 2.0) * grubbs_g /
           (std::sqrt(m) * std::sqrt(m * m - n * grubbs_g * grubbs_g));
}

double grubbs_two_extremes_bound(int n) { return std::sqrt((n - 1.0) * (n - 2.0) / (2.0 * n)); }

double dixon_n3_exact(double alpha) {
    const double k = std::tan(alpha * std::numbers::pi / 3.0) / std::sqrt(3.0);
    return (1.0 - k) / (1.0 + k);
}

}  // namespace sifton::tools
