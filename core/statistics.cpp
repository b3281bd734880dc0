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

Sample sampleInStore(const SampleStore& s) {
    const int rows = std::clamp(s.RowCount, 0, kMaxRows);
    Sample sample;
    sample.values.reserve(static_cast<std::size_t>(rows));
    sample.rejected.reserve(static_cast<std::size_t>(rows));
    for (int i = 1; i <= rows; ++i) {
        sample.values.push_back(s.Col1[i].toNumber());
        sample.rejected.push_back(s.Rejected[i].toNumber() < 1 ? 0 : 1);
    }
    return sample;
}

Statistics statisticsInStore(const SampleStore& s) {
    Statistics st;
    st.n = static_cast<int>(s.NData);
    st.sd = s.SDnum.toNumber();
    st.minValue = s.MinValue.toNumber();
    st.maxValue = s.MaxValue.toNumber();
    st.minRow = static_cast<int>(s.PosMin.toNumber());
    st.maxRow = static_cast<int>(s.PosMax.toNumber());
    for (int k = 1; k <= std::min(st.n, kMaxRows); ++k) st.sorted.push_back(s.Sorted[k].toNumber());
    st.centre = moments(valuesUnderTest(sampleInStore(s))).mean;
    return st;
}

void Calc_Statistics() {
    SampleStore& s = store();
    const Sample sample = sampleInStore(s);
    const Statistics st = describe(sample);
    s.MaxValue = st.maxValue;
    s.MinValue = st.minValue;
    s.PosMax = st.maxRow;
    s.PosMin = st.minRow;
    const double largest = largestSize(s);
    s.SumX = st.sum;
    s.Mean = st.mean;
    s.SumDev2 = st.sumDev2;
    s.SD = formatDataNumber(st.sd, Pattern::UpToTwoDecimals, largest);
    s.SE = formatDataNumber(st.se, Pattern::UpToTwoDecimals, largest);
    s.SumX2 = st.sumSquares;
    s.SDnum = st.sd;

    // Sorted(1..NData) as the ordering pass leaves it: every row under test marked used, the
    // last pick the smallest value at the lowest of its rows.
    const int rows = static_cast<int>(sample.values.size());
    for (int i = 1; i <= rows; ++i) s.Used[i] = sample.underTest(i) ? 1 : 0;
    const int count = std::min(static_cast<int>(s.NData), st.n);
    for (int k = 1; k <= count && k <= kMaxRows; ++k) s.Sorted[k] = st.sorted[k - 1];
    if (count > 0) {
        s.PickValue = st.sorted[count - 1];
        if (count == st.n) s.PickPos = st.minRow;
    }
}

}  // namespace sifton
