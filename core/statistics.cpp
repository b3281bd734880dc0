#include "core/statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/number_text.h"
#include "core/store.h"

namespace sifton {

bool isUnderTest(int row) { return store().Rejected[row].toNumber() < 1; }

Moments moments(std::span<const double> values) {
    Moments m;
    if (values.empty()) return m;
    const double n = static_cast<double>(values.size());
    // Compensated (Neumaier) sum: what each addition rounds off is collected in 'lost', so the
    // sum is as good as exact, even for 1E+09 plus a spread of 1 or for values that cancel.
    double sum = 0.0, lost = 0.0;
    for (double x : values) {
        const double t = sum + x;
        lost += std::fabs(sum) >= std::fabs(x) ? (sum - t) + x : (x - t) + sum;
        sum = t;
    }
    // Rounding must not move the mean out of the values' range: equal values give exactly their
    // value, and then no spread at all.
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    m.mean = std::clamp(sum / n + lost / n, *low, *high);
    double sumDev = 0.0, sumDev2 = 0.0;
    for (double x : values) {
        const double d = x - m.mean;
        sumDev += d;
        sumDev2 += d * d;
    }
    // The deviations from a mean a rounding step off add up to n times that step; this takes its
    // share off the sum of squares (the corrected two-pass form).
    m.sumDev2 = sumDev2 - sumDev * sumDev / n;
    return m;
}

double largestSize(const SampleStore& s) {
    return std::max(std::fabs(s.MinValue.toNumber()), std::fabs(s.MaxValue.toNumber()));
}

void Calc_Statistics() {
    SampleStore& s = store();
    const int rows = std::min(s.RowCount, kMaxRows);
    auto value = [&](int i) { return s.Col1[i].toNumber(); };

    std::vector<double> values;
    double sumX = 0.0, sumX2 = 0.0;
    // Extremes start from the first row under test, so every finite value can be found and
    // equal values still give the first row for both; ties keep the lowest row number.
    double maxValue = 0.0, minValue = 0.0;
    int posMax = 0, posMin = 0;
    for (int i = 1; i <= rows; ++i) {
        if (!isUnderTest(i)) continue;
        const double x = value(i);
        if (values.empty() || x > maxValue) maxValue = x, posMax = i;
        if (values.empty() || x < minValue) minValue = x, posMin = i;
        values.push_back(x);
        sumX += x;
        sumX2 += x * x;
    }
    s.MaxValue = maxValue;
    s.MinValue = minValue;
    s.PosMax = posMax;
    s.PosMin = posMin;

    const Moments m = moments(values);
    const double n = static_cast<double>(values.size());
    // With fewer than two values there is no spread to speak of: 0, never a division by zero.
    const double variance = n > 1 ? m.sumDev2 / (n - 1) : 0.0;
    const double largest = largestSize(s);
    s.SumX = sumX;
    // The mean shown and reported is the plain sum in row order over n, as it has always been;
    // the spreads and the tests use the compensated mean, which can differ in the last bit.
    s.Mean = n > 0 ? sumX / n : 0.0;
    s.SumDev2 = m.sumDev2;
    s.SD = formatDataNumber(std::sqrt(variance), Pattern::UpToTwoDecimals, largest);
    s.SE =
        formatDataNumber(n > 0 ? std::sqrt(variance / n) : 0.0, Pattern::UpToTwoDecimals, largest);
    s.SumX2 = sumX2;
    s.SDnum = std::sqrt(variance);

    // Selection pass: each pick is the largest unused value; among equal values the highest row
    // is picked first (>=), which has no visible effect.
    for (int i = 1; i <= rows; ++i) s.Used[i] = 0;
    const int count = static_cast<int>(s.NData);
    for (int k = 1; k <= count && k <= kMaxRows; ++k) {
        double pick = -std::numeric_limits<double>::infinity();
        int pickPos = 0;
        for (int i = 1; i <= rows; ++i) {
            if (isUnderTest(i) && s.Used[i].toNumber() < 1 && value(i) >= pick)
                pick = value(i), pickPos = i;
        }
        if (pickPos == 0) break;  // NData larger than the rows under test: nothing left
        s.Sorted[k] = pick;
        s.Used[pickPos] = 1;
        s.PickValue = pick;
        s.PickPos = pickPos;
    }
}

}  // namespace sifton
