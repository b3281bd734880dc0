// Ages with uncertainties, against a published worked example and results worked out by hand from
// the definitions (closed forms where the central age has one) and the chi-square table.
#include <gtest/gtest.h>

#include <cmath>

#include "core/age_statistics.h"

namespace sifton {
namespace {

AgeStatistics of(const std::vector<double>& t, const std::vector<double>& s) {
    auto result = ageStatistics(t, s);
    EXPECT_TRUE(std::holds_alternative<AgeStatistics>(result));
    return std::get<AgeStatistics>(result);
}

TEST(AgeStatistics, WeightedMeanAndTheChiSquareTest) {
    // 10 ± 1 and 12 ± 1: mean 11 ± 1/sqrt 2, X^2 = 2 on one degree of freedom, p = erfc(1).
    const WeightedMean two = of({10, 12}, {1, 1}).weighted;
    EXPECT_DOUBLE_EQ(two.value, 11);
    EXPECT_DOUBLE_EQ(two.se, std::sqrt(0.5));
    EXPECT_EQ(std::tuple(two.chi2, two.df, two.mswd), std::tuple(2.0, 1, 2.0));
    EXPECT_NEAR(two.p, 0.15729920705028513, 1e-15);
    // Weights 1, 1, 1/4: (1 + 2 + 3/4) / 2.25.
    EXPECT_NEAR(of({1, 2, 3}, {1, 1, 2}).weighted.value, 3.75 / 2.25, 1e-15);
    // Eleven ages of unit error whose X^2 is 18.307, the 95th percentile of chi^2 with 10
    // degrees of freedom in the published table (NIST/SEMATECH e-Handbook, 1.3.6.7.4): p = 0.05.
    std::vector<double> t(11, 0.0);
    t[0] = std::sqrt(18.307 / 2), t[1] = -t[0];
    EXPECT_NEAR(of(t, std::vector<double>(11, 1.0)).weighted.p, 0.05, 1e-4);
}

TEST(AgeStatistics, PublishedPlateauAges) {
    // Baksi, "Guidelines for assessing the reliability of 40Ar/39Ar plateau ages: application to
    // ages relevant to hotspot tracks" (www.mantleplumes.org/ArAr.html): five steps of 99, 101,
    // 100, 101 and 99 Ma give 100.00 +- 0.22 Ma and p ~ 0.003 at +-0.5 Ma (1 sigma), and
    // 100.00 +- 0.45 Ma and p ~ 0.41 at +-1.0 Ma. Tolerances are half the published last digit.
    struct Case {
        double s, se, p, pTolerance;
    };
    for (const Case c : {Case{0.5, 0.22, 0.003, 0.0005}, Case{1.0, 0.45, 0.41, 0.005}}) {
        const WeightedMean m = of({99, 101, 100, 101, 99}, std::vector<double>(5, c.s)).weighted;
        EXPECT_NEAR(m.value, 100.00, 0.005) << c.s;
        EXPECT_NEAR(m.se, c.se, 0.005) << c.s;
        EXPECT_EQ(m.df, 4) << c.s;
        EXPECT_NEAR(m.p, c.p, c.pTolerance) << c.s;
    }
}

TEST(AgeStatistics, CentralAgeAndDispersion) {
    // Equal relative errors u make w equal, so sigma^2 = mean((z - mean z)^2) - u^2 and the
    // central age is the geometric mean: 100, 150, 120, 80 at 10 % give sigma 0.20868.
    const AgeStatistics over = of({100, 150, 120, 80}, {10, 15, 12, 8});
    ASSERT_TRUE(over.central && over.central->dispersionSe);
    EXPECT_NEAR(over.central->age, 109.54451150103318, 1e-10);
    EXPECT_NEAR(over.central->se, 12.674630124374913, 1e-9);
    EXPECT_NEAR(over.central->dispersion, 0.20868337163408757, 1e-12);
    EXPECT_NEAR(*over.central->dispersionSe, 0.09072281051263814, 1e-12);
    // Less scatter than 10 % errors explain: sigma exactly 0, the weighted mean of ln t.
    const AgeStatistics under = of({100, 101, 102}, {10, 10.1, 10.2});
    ASSERT_TRUE(under.central);
    EXPECT_EQ(under.central->dispersion, 0.0);
    EXPECT_FALSE(under.central->dispersionSe);
    EXPECT_NEAR(under.central->age, 100.99669956211775, 1e-10);
    EXPECT_NEAR(under.central->se, 5.831047167945245, 1e-10);
}

TEST(AgeStatistics, ResidualsTheirExtremeChanceAndRefusals) {
    // ln-scale residuals about the weighted mean of ln t: x = t/s, y = (ln t - z0) x.
    const AgeStatistics a = of({100, 100, 400}, {10, 10, 40});
    const double z0 = (2 * std::log(100.0) + std::log(400.0)) / 3;
    EXPECT_NEAR(a.residuals[2].x, 10, 1e-12);
    EXPECT_NEAR(a.residuals[2].y, (std::log(400.0) - z0) * 10, 1e-10);
    // An age of 0 or less: no central age, residuals of t itself.
    const AgeStatistics linear = of({-1, 2, 5}, {1, 1, 2});
    EXPECT_FALSE(linear.logScale || linear.central);
    EXPECT_NEAR(linear.residuals[0].y, -1 - (-1 + 2 + 5.0 / 4) / 2.25, 1e-12);
    // 1 - (1 - 2 Phi(-2))^10 and the small tail kept.
    EXPECT_NEAR(extremeResidualP(2, 10), 0.3722913309419349, 1e-12);
    EXPECT_NEAR(extremeResidualP(-9, 100), 100 * std::erfc(9 / std::sqrt(2.0)), 1e-25);
    // Stated uncertainties to 1 sigma.
    EXPECT_EQ(std::tuple(oneSigma(50, 4, UncertaintyKind::TwoSigma),
                         oneSigma(50, 4, UncertaintyKind::OneSigmaPercent),
                         oneSigma(50, 4, UncertaintyKind::TwoSigmaPercent)),
              std::tuple(2.0, 2.0, 1.0));
    for (const double bad : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
        const auto refused =
            ageStatistics(std::vector<double>{10, 11, 12}, std::vector<double>{1, bad, 1});
        ASSERT_TRUE(std::holds_alternative<std::string>(refused)) << bad;
        EXPECT_EQ(std::get<std::string>(refused).substr(0, 6), "Age 2 ");
    }
}

}  // namespace
}  // namespace sifton
