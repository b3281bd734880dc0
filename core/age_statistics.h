// Statistics of ages that come with uncertainties: the weighted mean with its MSWD and the
// chi-square test of one population, the central age and its dispersion, and a screen of each
// age's residual given its precision.
//
// Weighted mean: w = 1/s^2, mean = sum(w t)/sum(w), se = 1/sqrt(sum w), X^2 = sum(w (t - mean)^2),
// MSWD = X^2/(n - 1), p = P(chi^2 with n - 1 degrees of freedom > X^2).
// Central age (Galbraith and Laslett, Nuclear Tracks and Radiation Measurements 21 (1993)
// 459-470; Galbraith, Statistics for Fission Track Analysis, 2005): z = ln t, u = s/t, and mu,
// sigma >= 0 with w = 1/(sigma^2 + u^2), mu = sum(w z)/sum(w), sum(w^2 (z - mu)^2) = sum(w);
// sigma = 0 when the ages scatter less than their uncertainties say. Central age exp(mu) with
// se exp(mu)/sqrt(sum w); dispersion sigma with se 1/sqrt(2 sigma^2 sum(w^2)).
// Screen: y = (z - z0)/u about z0 = sum(z/u^2)/sum(1/u^2) (for ages not all positive, of t
// with s), and for an extreme p = 1 - (1 - 2 Phi(-|y|))^n, the chance that the largest of n
// residuals of ages of one population reaches |y|.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace sifton {

// How the second field states an age's uncertainty; None: it is no uncertainty.
enum class UncertaintyKind { None, OneSigma, TwoSigma, OneSigmaPercent, TwoSigmaPercent };

struct WeightedMean {
    double value = 0.0, se = 0.0;
    double chi2 = 0.0;  // X^2
    int df = 0;         // n - 1
    double mswd = 0.0;  // NaN for one age
    double p = 0.0;     // P(chi^2_df > X^2); NaN for one age
};

struct CentralAge {
    double age = 0.0, se = 0.0;
    double dispersion = 0.0;             // sigma, relative
    std::optional<double> dispersionSe;  // none when sigma = 0
};

struct Residual {
    double x = 0.0;  // precision 1/u (or 1/s)
    double y = 0.0;  // standardised residual
};

struct AgeStatistics {
    WeightedMean weighted;
    std::optional<CentralAge> central;  // none unless every age is positive
    std::vector<Residual> residuals;    // in the order of the ages given
    bool logScale = false;              // residuals of ln t (every age positive)
    double reference = 0.0;             // z0, about which the residuals are taken
};

// The 1-sigma absolute uncertainty of an age from its stated uncertainty (None: as stated).
double oneSigma(double age, double stated, UncertaintyKind kind);

// p = 1 - (1 - 2 Phi(-|y|))^n.
double extremeResidualP(double y, int n);

// The statistics of ages t with 1-sigma uncertainties s (same length, n >= 1); or the message
// that names the first age (from 1) without a positive, finite uncertainty.
std::variant<AgeStatistics, std::string> ageStatistics(std::span<const double> t,
                                                       std::span<const double> s);

}  // namespace sifton
