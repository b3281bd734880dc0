#include "core/statistics.h"

#include <cmath>
#include <limits>

#include "core/number_text.h"
#include "core/store.h"

namespace sifton {

bool isUnderTest(int row) { return store().Rejected[row].toNumber() < 1; }

void Calc_Statistics() {
    SampleStore& s = store();
    const double n = s.NData;
    const int rows = std::min(s.RowCount, kMaxRows);
    auto value = [&](int i) { return s.Col1[i].toNumber(); };

    double sumX = 0.0;
    for (int i = 1; i <= rows; ++i)
        if (isUnderTest(i)) sumX += value(i);
    const double mean = n > 0 ? sumX / n : 0.0;

    double sumDev2 = 0.0, sumX2 = 0.0;
    for (int i = 1; i <= rows; ++i) {
        if (!isUnderTest(i)) continue;
        sumDev2 += (mean - value(i)) * (mean - value(i));
        sumX2 += value(i) * value(i);
    }
    // With fewer than two values there is no spread to speak of: 0, never a division by zero.
    const double variance = n > 1 ? sumDev2 / (n - 1) : 0.0;
    // The sum-of-squares form can come out a hair below zero for equal values; that is 0.
    const double sdNumVariance = n > 1 ? (sumX2 - sumX * sumX / n) / (n - 1) : 0.0;

    s.SumX = sumX;
    s.Mean = mean;
    s.SumDev2 = sumDev2;
    s.SD = formatNumber(std::sqrt(variance), Pattern::UpToTwoDecimals);
    s.SE = formatNumber(n > 0 ? std::sqrt(variance / n) : 0.0, Pattern::UpToTwoDecimals);
    s.SumX2 = sumX2;
    s.SDnum = std::sqrt(std::max(sdNumVariance, 0.0));

    // Extremes start from the first row under test, so every finite value can be found and
    // equal values still give the first row for both; ties keep the lowest row number.
    bool any = false;
    double maxValue = 0.0, minValue = 0.0;
    int posMax = 0, posMin = 0;
    for (int i = 1; i <= rows; ++i) {
        if (!isUnderTest(i)) continue;
        if (!any || value(i) > maxValue) maxValue = value(i), posMax = i;
        if (!any || value(i) < minValue) minValue = value(i), posMin = i;
        any = true;
    }
    s.MaxValue = maxValue;
    s.MinValue = minValue;
    s.PosMax = posMax;
    s.PosMin = posMin;
    // Equal values have no spread, but the sum-of-squares form can also leave noise above zero
    // (six times 0.1 gives 1.7E-09).
    if (maxValue == minValue) s.SDnum = 0.0;

    // Selection pass: each pick is the largest unused value; among equal values the highest row
    // is picked first (>=), which has no visible effect.
    for (int i = 1; i <= rows; ++i) s.Used[i] = 0;
    const int count = static_cast<int>(n);
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
