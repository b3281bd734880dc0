// p-values against independent reference points: Grubbs' at the shipped critical values
// (computed as quantiles) and in closed form for n = 3 and 4 (Student's t with 1 and 2 degrees of
// freedom); Dixon's at the shipped critical values (a separate, larger simulation) and exact for
// n = 3, and never rising with the statistic.
#include <array>
#include <cmath>
#include <numbers>
#include <tuple>

#include "core/calculation.h"
#include "test_support.h"

namespace sifton {
namespace {

constexpr std::array<double, 5> kGrubbsLevels = {0.10, 0.075, 0.05, 0.025, 0.01};
constexpr std::array<double, 5> kDixonLevels = {0.10, 0.05, 0.02, 0.01, 0.005};

FolderTables& shippedTables() {  // read once
    static FolderTables tables(SIFTON_DATA_DIR, false);
    return tables;
}

TEST(GrubbsPValue, TabulatedCriticalValuesGiveTheirLevels) {
    const auto table = shippedTables().table("grubbs.dat");
    for (int n = 3; n <= 100; ++n) {
        const std::span<const double> c = table->row(n, 5);
        for (std::size_t j = 0; j < 5; ++j) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " level " << kGrubbsLevels[j]);
            // 4 decimals: the level lies between the p-values half a unit to either side.
            EXPECT_LE(grubbsPValue(c[j] + 0.5e-4, n).value, kGrubbsLevels[j]);
            EXPECT_GE(grubbsPValue(c[j] - 0.5e-4, n).value, kGrubbsLevels[j]);
            // Exact only where no two values can both reach T.
            const bool exact = c[j] * c[j] > (n - 1.0) * (n - 2.0) / (2.0 * n);
            EXPECT_EQ(grubbsPValue(c[j], n).bound, exact ? PBound::Exact : PBound::AtMost);
        }
    }
}

TEST(GrubbsPValue, ClosedFormsForThreeAndFourValues) {
    // P(t1 > x) = 1/2 - atan(x)/pi and P(t2 > x) = (1 - x/sqrt(2 + x^2))/2.
    auto tail1 = [](double x) { return 0.5 - std::atan(x) / std::numbers::pi; };
    auto tail2 = [](double x) { return 0.5 * (1 - x / std::sqrt(2 + x * x)); };
    const std::tuple<int, double, double> cases[] = {
        {3, 1.10, 3 * tail1(std::sqrt(3 * 1.21 / (4 - 3 * 1.21)))},
        {3, 1.154, 3 * tail1(std::sqrt(3 * 1.154 * 1.154 / (4 - 3 * 1.154 * 1.154)))},
        {4, 1.45, 4 * tail2(std::sqrt(8 * 1.45 * 1.45 / (9 - 4 * 1.45 * 1.45)))},
        {4, 1.2, std::min(1.0, 4 * tail2(std::sqrt(8 * 1.44 / (9 - 4 * 1.44))))},
        {5, 0.0, 1.0},
        {5, 4 / std::sqrt(5.0), 0.0}};  // the largest T there is: the other four all equal
    for (const auto& [n, t, p] : cases)
        EXPECT_NEAR(grubbsPValue(t, n).value, p, 1e-12 * p + 1e-15) << t;
}

TEST(DixonPValue, TabulatedCriticalValuesGiveTheirLevels) {
    const auto critical = shippedTables().table("dixon.dat");
    const auto tails = shippedTables().table(kDixonPFile);
    for (int n = 3; n <= 25; ++n) {
        const std::span<const double> tail = tails->row(n, kDixonPSteps + 1);
        const std::span<const double> c = critical->row(n, 5);
        for (std::size_t j = 0; j < 5; ++j)
            EXPECT_NEAR(dixonPValue(tail, c[j] / 1000).value, kDixonLevels[j], 0.002)
                << "n=" << n << " level " << kDixonLevels[j];
        for (double r = 0, previous = 1; r <= 1; r += 0.0003) {
            EXPECT_LE(dixonPValue(tail, r).value, previous) << n << " " << r;
            previous = dixonPValue(tail, r).value;
        }
    }
}

TEST(DixonPValue, ExactForThreeValuesAndTheFloor) {
    const auto tail = shippedTables().table(kDixonPFile)->row(3, kDixonPSteps + 1);
    // P(r > x) = (3/pi) atan(sqrt(3) (1 - x) / (1 + x)), between and on grid points.
    for (double r : {0.01, 0.3337, 0.6, 0.8, 0.9, 0.9415, 0.97, 0.99, 0.9975}) {
        const double exact = 3 / std::numbers::pi * std::atan(std::sqrt(3) * (1 - r) / (1 + r));
        const PValue p = dixonPValue(tail, r);
        EXPECT_EQ(p.bound, PBound::Exact) << r;
        EXPECT_NEAR(p.value, exact, std::max(0.001, 0.02 * exact)) << r;
    }
    const PValue floor = dixonPValue(tail, 0.9996);
    EXPECT_EQ(std::pair(floor.value, floor.bound), std::pair(kDixonPFloor, PBound::Below));
    // Linear between grid points: on a straight tail the value in between is exact.
    std::vector<double> straight;
    for (int k = 0; k <= kDixonPSteps; ++k) straight.push_back(1 - k / 1000.0);
    EXPECT_NEAR(dixonPValue(straight, 0.2345).value, 0.7655, 1e-12);
}

TEST(PValueText, BoundsAndDigits) {
    const std::pair<PValue, const char*> cases[] = {
        {PValue{0.03124, PBound::Exact}, "0.031"}, {PValue{0.4142, PBound::AtMost}, "≤ 0.41"},
        {PValue{0.001, PBound::Below}, "< 0.001"}, {PValue{1.234e-5, PBound::Exact}, "1.2E-05"},
        {PValue{1, PBound::AtMost}, "≤ 1"},        {PValue{}, ""}};
    for (const auto& [p, text] : cases) EXPECT_EQ(pValueText(p), text);
}

}  // namespace
}  // namespace sifton
