// Fission-track statistics from counts, against a published summary and against an independent
// computation: the formulas alone, evaluated with 40-digit arithmetic (Python mpmath) and solved
// by plain bisection, not by this program's code. Those values are pasted with 12 significant
// digits and checked to a relative 1e-9, far inside the 4 significant digits results are shown
// with. Calibration of the computed sets: zeta 350 +- 10 yr cm^2, rhoD (1.3 +- 0.026) 1E6 /cm^2.
#include <gtest/gtest.h>

#include <cmath>

#include "core/fission_tracks.h"

namespace sifton {
namespace {

CountCalibration calibration(double zeta, double zetaSe, double rhoD, double rhoDSe) {
    CountCalibration c;
    c.zeta = zeta, c.zetaSe = zetaSe, c.rhoD = rhoD, c.rhoDSe = rhoDSe;
    return c;
}

const CountCalibration kCal = calibration(350, 10, 1.3e6, 2.6e4);

// Grains from "Ns Ni Ns Ni ...".
std::vector<GrainCount> grains(std::vector<int> counts) {
    std::vector<GrainCount> g(counts.size() / 2);
    for (std::size_t j = 0; j < g.size(); ++j)
        g[j].ns = counts[2 * j], g[j].ni = counts[2 * j + 1], g[j].line = static_cast<int>(j) + 2;
    return g;
}

FtSummary of(const std::vector<GrainCount>& g, const CountCalibration& c = kCal) {
    auto s = fissionTrackStatistics(c, g);
    if (auto* message = std::get_if<std::string>(&s)) ADD_FAILURE() << *message;
    return std::get<FtSummary>(s);
}

void expectRelative(double actual, double expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * tolerance);
}

// Twelve grains that scatter beyond Poisson counting (examples/tarrow-fell-counts.csv), six of
// nearly one ratio, and six young grains, one without spontaneous tracks
// (examples/merrin-scar-counts.csv).
const auto kOverdispersed = grains({12, 40,  25, 61, 33, 50, 8,  31,  47, 90, 19, 22,
                                    64, 150, 5,  30, 28, 44, 71, 102, 15, 58, 40, 63});
const auto kUnderdispersed = grains({50, 100, 26, 50, 49, 101, 75, 150, 24, 49, 100, 199});
const auto kFewTracks = grains({0, 12, 3, 20, 7, 25, 2, 18, 5, 30, 1, 9});

TEST(FissionTrackStatistics, PublishedSummaryOfOdpSite1108) {
    // Ocean Drilling Program, Proceedings, Scientific Results 180, chapter 173, Table T4
    // (www-odp.tamu.edu/publications/180_SR/173/173_t4.htm): 22 apatite grains with 27
    // spontaneous and 2527 induced tracks in all, rhoD 1.43E6 /cm^2 from 4919 tracks,
    // zeta 361 +- 10 (g = 0.5); P(chi^2) 25 %, central age 2.8 +- 0.6 Ma. The table gives sums
    // only, so the pooled age is checked, to the two digits published: a factor wrong in g, in
    // the units of zeta or rhoD or in Ma would miss it by far.
    const FtSummary s =
        of(grains({27, 2527}), calibration(361, 10, 1.43e6, 1.43e6 / std::sqrt(4919.0)));
    EXPECT_NEAR(s.pooled.age, 2.8, 0.05);
    // Dispersion among the grains can only widen the central age's error beyond the pooled one.
    EXPECT_LE(s.pooled.seTotal, 0.6);
}

TEST(FissionTrackStatistics, SingleGrainAges) {
    const struct {
        int ns, ni;
        CountCalibration cal;
        double age, se, seTotal;
    } cases[] = {
        {12, 40, kCal, 67.8912390081, 22.3457423877, 22.4708370969},
        {19, 22, kCal, 193.542583799, 60.6150296687, 60.9897029912},
        // The zeta error counts relative to zeta: 35 of 350 adds 10 %, not 35 Ma.
        {12, 40, calibration(350, 35, 1.3e6, 0), 67.8912390081, 22.3457423877, 23.354323073},
        // Twice zeta with half rhoD is the same calibration, errors included.
        {12, 40, calibration(700, 20, 0.65e6, 1.3e4), 67.8912390081, 22.3457423877, 22.4708370969},
        // Ns = 0: age 0, its error the 1-sigma upper limit, alpha^(-1/12) - 1 as the ratio.
        {0, 12, kCal, 0, 37.6124560748, 37.6353236374},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.ns) + "/" + std::to_string(c.ni));
        const std::optional<FtAge> a = singleGrainAge(c.ns, c.ni, c.cal);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->bound, c.ns == 0 ? AgeBound::UpperLimit : AgeBound::None);
        expectRelative(a->age, c.age);
        expectRelative(a->se, c.se);
        expectRelative(a->seTotal, c.seTotal);
    }
    EXPECT_FALSE(singleGrainAge(7, 0, kCal));
}

TEST(FissionTrackStatistics, OverdispersedGrains) {
    const FtSummary s = of(kOverdispersed);
    EXPECT_EQ(std::tuple(s.n, s.sumNs, s.sumNi, s.df), std::tuple(12, 367LL, 741LL, 11));
    expectRelative(s.pooled.age, 111.702050198);
    expectRelative(s.pooled.se, 7.12998946875);
    expectRelative(s.pooled.seTotal, 8.12485564494);
    expectRelative(s.chi2, 30.0878676419);
    expectRelative(s.p, 0.00153501920781);
    expectRelative(s.central.age.age, 107.222024632);
    expectRelative(s.central.age.se, 11.8161259818);
    // The zeta and rhoD errors enter once, after the counts: twice would give 12.945.
    expectRelative(s.central.age.seTotal, 12.3937245119);
    expectRelative(s.central.dispersion, 0.29470211279);
    ASSERT_TRUE(s.central.dispersionSe);
    expectRelative(*s.central.dispersionSe, 0.0998799343301);
    // Radial coordinates about z0 = arcsin sqrt(eta) of the central eta 0.32214740733.
    expectRelative(s.z0, std::asin(std::sqrt(0.32214740733)));
    expectRelative(s.grains[7].z, 0.398188788847);
    expectRelative(s.grains[7].x, 11.9163752878);
    expectRelative(s.grains[7].y, -2.44732710546);
    // The radial age scale: z of an age and back, the central age at z0.
    expectRelative(arcsineOfAge(s.central.age.age, kCal), s.z0, 1e-12);
    for (const double t : {0.5, 480.0, 3500.0})
        expectRelative(ageOfArcsine(arcsineOfAge(t, kCal), kCal), t, 1e-12);
}

TEST(FissionTrackStatistics, UnderdispersedGrainsHaveNoDispersion) {
    const FtSummary s = of(kUnderdispersed);
    expectRelative(s.chi2, 0.0643565759298);
    expectRelative(s.p, 0.999945379043);
    // Exactly 0, not the few thousandths a fixed number of steps from a guess leaves, and so
    // the central age is the pooled age with its error.
    EXPECT_EQ(s.central.dispersion, 0.0);
    EXPECT_FALSE(s.central.dispersionSe);
    expectRelative(s.pooled.age, 112.585832872);
    expectRelative(s.central.age.age, s.pooled.age, 1e-12);
    expectRelative(s.central.age.se, s.pooled.se, 1e-12);
    expectRelative(s.central.age.seTotal, 8.60643275861);
}

TEST(FissionTrackStatistics, GrainsWithFewAndNoSpontaneousTracks) {
    const FtSummary s = of(kFewTracks);
    EXPECT_EQ(std::tuple(s.grains[0].age.age, s.grains[0].age.bound),
              std::tuple(0.0, AgeBound::UpperLimit));
    // The arcsine transform keeps its 3/8 and 1/2: a grain of no spontaneous track still has
    // z > 0, and the standard error is that of 12.5 tracks.
    expectRelative(s.grains[0].z, 0.172350589899);
    expectRelative(s.grains[0].zSe, 0.141421356237);
    expectRelative(s.grains[0].y, -1.45577448776);
    expectRelative(s.pooled.age, 35.8213422659);
    expectRelative(s.chi2, 4.09527350986);
    EXPECT_EQ(s.central.dispersion, 0.0);
    // Values under test: the grain ages with their counting errors, not the total ones.
    const GrainAges under = grainAgesUnderTest(s);
    EXPECT_EQ(std::tuple(under.age.size(), under.age[0], under.age[2]),
              std::tuple(6u, 0.0, s.grains[2].age.age));
    expectRelative(under.se[0], 37.6124560748);
    expectRelative(under.se[2], 27.1055639424);
    // No spontaneous track in any grain: pooled and central ages 0 with the upper limit of all
    // 30 induced tracks, and counts that agree perfectly.
    const FtSummary none = of(grains({0, 12, 0, 18}));
    EXPECT_EQ(std::tuple(none.central.age.age, none.central.age.bound, none.chi2, none.p),
              std::tuple(0.0, AgeBound::UpperLimit, 0.0, 1.0));
    expectRelative(none.pooled.se, 14.3823014611);
}

TEST(FissionTrackStatisticsRefusals, NameWhatCannotBeComputed) {
    const struct {
        CountCalibration cal;
        std::vector<GrainCount> grains;
        std::string starts;
    } cases[] = {
        {calibration(0, 10, 1.3e6, 0), kFewTracks, "zeta"},
        {calibration(350, std::nan(""), 1.3e6, 0), kFewTracks, "zeta"},
        {calibration(350, 10, 1.3e6, -1), kFewTracks, "rhoD"},
        {kCal, {}, "There are no grains"},
        {kCal, grains({3, 20, 4, 0}), "Grain 2 has no induced tracks"},
        {kCal, grains({3, 20, 5, 9, 0, 0}), "Grain 3 has no induced tracks"},
    };
    for (const auto& c : cases) {
        const auto s = fissionTrackStatistics(c.cal, c.grains);
        ASSERT_TRUE(std::holds_alternative<std::string>(s)) << c.starts;
        EXPECT_EQ(std::get<std::string>(s).substr(0, c.starts.size()), c.starts);
    }
}

}  // namespace
}  // namespace sifton
