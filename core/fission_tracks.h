// Fission-track ages from counts (external detector method): the single-grain, pooled and
// central ages with their errors, the chi-square test of one age, the dispersion and the radial
// plot of counts. Grains and their calibration come in as plain values (count_file.h reads them
// from a file); fissionTrackStatistics gives everything a window, a report or a plot shows, and
// grainAgesUnderTest the ages and counting errors the outlier tests and the age screen take.
//
// Units: zeta in yr cm^2, rhoD in tracks per cm^2, ages and their errors in Ma, errors 1 sigma.
// `se` holds the Poisson counting error only; `seTotal` adds the relative errors of zeta and
// rhoD in quadrature, once.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace sifton {

// Total decay constant of 238U (Jaffey et al., Physical Review C 4 (1971) 1889-1906), per year.
inline constexpr double kLambda238 = 1.55125e-10;
// Geometry factor of the external detector method (Hurford and Green, Isotope Geoscience 1
// (1983) 285-317).
inline constexpr double kGeometryFactor = 0.5;

// zeta (yr cm^2) and rhoD (tracks per cm^2) with their 1-sigma errors (0 when not given).
struct CountCalibration {
    double zeta = 0.0, zetaSe = 0.0;
    double rhoD = 0.0, rhoDSe = 0.0;
};

// One grain: spontaneous and induced tracks, the note the file gives and the file's line.
struct GrainCount {
    int ns = 0, ni = 0;
    std::string note;
    int line = 0;
};

// How an age's error is to be read.
enum class AgeBound {
    None,        // an estimate with its standard errors
    UpperLimit,  // Ns = 0: the age is 0 and se, seTotal are its 1-sigma upper limit
};

struct FtAge {
    double age = 0.0;      // Ma
    double se = 0.0;       // counting only
    double seTotal = 0.0;  // with zeta and rhoD
    AgeBound bound = AgeBound::None;
};

// The age of a ratio Ns/Ni (or rhoS/rhoI): ln(1 + g lambda zeta rhoD ratio) / lambda, in Ma.
double fissionTrackAge(double ratio, const CountCalibration& c);
// Its inverse: the ratio whose age is t (Ma); for the radial plot's age scale.
double ratioOfAge(double ageMa, const CountCalibration& c);

// The age of Ns tracks over Ni, with se = t sqrt(1/Ns + 1/Ni) and
// seTotal = t sqrt(1/Ns + 1/Ni + (s_zeta/zeta)^2 + (s_rhoD/rhoD)^2). Ns = 0 gives age 0 with the
// age of the one-sided 84.13 % (1 sigma) Clopper-Pearson upper limit of the binomial Ns given
// Ns + Ni as se (AgeBound::UpperLimit), and seTotal adds the calibration's relative errors to
// that limit. Ni = 0 has no finite age: nothing.
std::optional<FtAge> singleGrainAge(long long ns, long long ni, const CountCalibration& c);

// The arcsine transform of one grain's counts (Galbraith, Nuclear Tracks and Radiation
// Measurements 17 (1990) 207-214): z = arcsin sqrt((Ns + 3/8)/(Ns + Ni + 3/4)) with standard
// error 1/(2 sqrt(Ns + Ni + 1/2)).
struct ArcsineCount {
    double z = 0.0, se = 0.0;
};
ArcsineCount arcsineOfCounts(long long ns, long long ni);
// The arcsine value of an age and the age of an arcsine value, for the radial age scale:
// z = arcsin sqrt(r/(1 + r)) with r the ratio of the age.
double arcsineOfAge(double ageMa, const CountCalibration& c);
double ageOfArcsine(double z, const CountCalibration& c);

// The central age and dispersion of the binomial random-effects model (Galbraith and Laslett,
// Nuclear Tracks and Radiation Measurements 21 (1993) 459-470): eta and sigma >= 0 with
// w_j = m_j/(eta(1 - eta) + (m_j - 1) eta^2 (1 - eta)^2 sigma^2), eta = sum(w y)/sum(w) and
// sum(w^2 (y - eta)^2) = sum(w), m_j = Ns_j + Ni_j, y_j = Ns_j/m_j. The age is that of the ratio
// eta/(1 - eta), se = t/(eta (1 - eta) sqrt(sum w)); the dispersion's se is the large-sample
// (Fisher information) approximation 1/(sigma sqrt(2 sum(w^2 c^2))), c_j = (m_j - 1) eta^2
// (1 - eta)^2/m_j, the part of var(y_j) = 1/w_j that sigma^2 multiplies.
struct FtCentral {
    FtAge age;
    double dispersion = 0.0;             // sigma of ln(ratio) between grains; 0 when underdispersed
    std::optional<double> dispersionSe;  // none when sigma = 0
    double eta = 0.0;                    // the central proportion Ns/(Ns + Ni)
};

struct FtGrain {
    int ns = 0, ni = 0;
    int line = 0;
    FtAge age;
    double z = 0.0, zSe = 0.0;  // arcsine transform and its standard error
    double x = 0.0, y = 0.0;    // radial plot: x = 1/zSe, y = (z - z0)/zSe
};

struct FtSummary {
    int n = 0;
    long long sumNs = 0, sumNi = 0;
    FtAge pooled;
    FtCentral central;
    double chi2 = 0.0;
    int df = 0;
    double p = 0.0;   // P(chi^2_df > X^2); NaN for one grain
    double z0 = 0.0;  // the radial plot's centre: arcsin sqrt(central eta)
    std::vector<FtGrain> grains;
};

// X^2 = sum((Ns_j sum Ni - Ni_j sum Ns)^2 / (Ns_j + Ni_j)) / (sum Ns sum Ni) (Galbraith,
// Mathematical Geology 13 (1981) 471-478); 0 when no grain has spontaneous tracks.
double countsChiSquare(std::span<const GrainCount> grains);

// Everything above for a set of grains (n >= 1): or the message that names what cannot be
// computed (a calibration that is not positive, a grain with Ni = 0 or Ns + Ni = 0).
std::variant<FtSummary, std::string> fissionTrackStatistics(const CountCalibration& c,
                                                            std::span<const GrainCount> grains);

// The single-grain ages as values under test, with their counting errors as uncertainties.
struct GrainAges {
    std::vector<double> age, se;
};
GrainAges grainAgesUnderTest(const FtSummary& summary);

}  // namespace sifton
