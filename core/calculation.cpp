#include "core/calculation.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "core/number_text.h"
#include "core/outlier_tests.h"
#include "core/statistics.h"

namespace sifton {
namespace {

// A gap ratio whose span is zero can only be 0/0 (the gap lies inside the span): the extreme is
// tied with the values that span it, so the ratio is 0.
double ratio(double gap, double span) { return span > 0 ? gap / span : 0.0; }

// Grubbs' T of the largest and of the smallest value. Only equal values have no spread, and then
// every deviation is 0 as well.
double grubbsMax(const Statistics& st) {
    return st.sd > 0 ? (st.maxValue - st.centre) / st.sd : 0.0;
}
double grubbsMin(const Statistics& st) {
    return st.sd > 0 ? (st.centre - st.minValue) / st.sd : 0.0;
}

// Quartile at the 1-based position p = numerator / denominator of the descending list: the
// element when p is whole, otherwise the plain midpoint of its two neighbours. A midpoint carries
// the binary error of its two values (62.8 and 61.9 give 62.349999999999994), so it is taken to
// 15 significant digits, as the program writes numbers: the fences then come from the decimal
// quartile the data give.
double quartileAt(const std::vector<double>& sorted, int numerator, int denominator) {
    const int k = numerator / denominator;
    if (numerator % denominator == 0) return sorted[k - 1];
    return Text_To_Number(generalNumberText((sorted[k - 1] + sorted[k]) / 2));
}

Rest restWithout(const Sample& sample, int left, int n) {
    std::vector<double> rest;
    rest.reserve(sample.values.size());
    Rest r;
    for (int i = 1; i <= static_cast<int>(sample.values.size()); ++i) {
        if (!sample.underTest(i) || i == left) continue;
        rest.push_back(sample.values[i - 1]);
        r.sum += rest.back();
    }
    const Moments m = moments(rest);
    r.mean = m.mean;
    r.sumDev2 = m.sumDev2;
    r.sd = std::sqrt(m.sumDev2 / (n - 2));
    return r;
}

// g of an extreme against a rest. A rest without spread (its values all equal, and then its
// mean is exactly their value) makes g 0 for an extreme equal to it and unbounded otherwise.
double gStatistic(double distance, const Rest& rest) {
    if (rest.sd > 0) return distance / rest.sd;
    return distance == 0 ? 0.0 : std::numeric_limits<double>::infinity();
}

}  // namespace

std::vector<double> valuesUnderTest(const Sample& sample) {
    std::vector<double> values;
    values.reserve(sample.values.size());
    for (int i = 1; i <= static_cast<int>(sample.values.size()); ++i)
        if (sample.underTest(i)) values.push_back(sample.values[i - 1]);
    return values;
}

double largestSize(const Statistics& st) {
    return std::max(std::fabs(st.minValue), std::fabs(st.maxValue));
}

Statistics Calc_Statistics(const Sample& sample) {
    Statistics st;
    std::vector<double> values;
    values.reserve(sample.values.size());
    // Extremes start from the first row under test, so every finite value can be found; ties
    // keep the lowest row number.
    for (int i = 1; i <= static_cast<int>(sample.values.size()); ++i) {
        if (!sample.underTest(i)) continue;
        const double x = sample.values[i - 1];
        if (values.empty() || x > st.maxValue) st.maxValue = x, st.maxRow = i;
        if (values.empty() || x < st.minValue) st.minValue = x, st.minRow = i;
        values.push_back(x);
        st.sum += x;
        st.sumSquares += x * x;
    }
    const Moments m = moments(values);
    const double n = static_cast<double>(values.size());
    st.n = static_cast<int>(values.size());
    // The mean shown is the plain sum in row order over n; the spreads and the tests use the
    // compensated mean, which can differ in the last bit.
    st.mean = n > 0 ? st.sum / n : 0.0;
    st.centre = m.mean;
    st.sumDev2 = m.sumDev2;
    // With fewer than two values there is no spread to speak of: 0, never a division by zero.
    const double variance = n > 1 ? m.sumDev2 / (n - 1) : 0.0;
    st.sd = std::sqrt(variance);
    st.se = n > 0 ? std::sqrt(variance / n) : 0.0;
    st.sorted = std::move(values);
    std::sort(st.sorted.begin(), st.sorted.end(), std::greater<>());
    return st;
}

GrubbsResult Grubbs_Test(const Statistics& st, TableSource& tables) {
    GrubbsResult r;
    const int n = st.n;
    if (n < 3 || n > 100) return r;
    const std::span<const double> row = tables.table("grubbs.dat")->row(n, 5);
    std::copy(row.begin(), row.end(), r.critical.begin() + 1);
    const double tMax = grubbsMax(st), tMin = grubbsMin(st);
    r.max = {tMax, grubbsClassText(tMax, r.critical, n), grubbsPValue(tMax, n)};
    r.min = {tMin, grubbsClassText(tMin, r.critical, n), grubbsPValue(tMin, n)};
    r.ran = true;
    return r;
}

DixonResult Dixon_Test(const Statistics& st, TableSource& tables) {
    DixonResult r;
    const int n = st.n;
    if (n < 3 || n > 25) return r;
    const std::span<const double> row = tables.table("dixon.dat")->row(n, 5);
    for (std::size_t i = 0; i < row.size(); ++i) r.critical[i + 1] = row[i] / 1000.0;

    auto S = [&st](int i) { return st.sorted[i - 1]; };
    const double s1 = S(1), s2 = S(2), s3 = S(3), sn = S(n), sn1 = S(n - 1), sn2 = S(n - 2);
    double rMax, rMin;
    if (n <= 7) {  // r10
        rMax = ratio(s1 - s2, s1 - sn);
        rMin = ratio(sn1 - sn, s1 - sn);
    } else if (n <= 10) {  // r11
        rMax = ratio(s1 - s2, s1 - sn1);
        rMin = ratio(sn1 - sn, s2 - sn);
    } else if (n <= 13) {  // r21
        rMax = ratio(s1 - s3, s1 - sn1);
        rMin = ratio(sn2 - sn, s2 - sn);
    } else {  // r22
        rMax = ratio(s1 - s3, s1 - sn2);
        rMin = ratio(sn2 - sn, s3 - sn);
    }
    r.max = {rMax, dixonClassText(rMax, r.critical), {}};
    r.min = {rMin, dixonClassText(rMin, r.critical), {}};
    // The p-values are extra: a missing or broken distribution table leaves them unknown.
    try {
        const std::shared_ptr<const TableFile> table = tables.table(kDixonPFile);
        const std::span<const double> tail = table->row(n, kDixonPSteps + 1);
        r.max.p = dixonPValue(tail, rMax);
        r.min.p = dixonPValue(tail, rMin);
    } catch (const TableLookupError& e) {
        r.pMissing = e.what();
    }
    r.ran = true;
    return r;
}

IqrResult IQR_Test(const Statistics& st) {
    IqrResult r;
    const int n = st.n;
    if (n < 6) return r;
    r.q3 = quartileAt(st.sorted, n + 1, 4);
    r.q1 = quartileAt(st.sorted, 3 * n, 4);
    const double iqr = r.q3 - r.q1;
    r.lowerInner = r.q1 - 1.5 * iqr;
    r.lowerOuter = r.q1 - 3 * iqr;
    r.upperInner = r.q3 + 1.5 * iqr;
    r.upperOuter = r.q3 + 3 * iqr;
    r.youngVerdict = iqr_verdict::kWithin;
    if (st.minValue < r.lowerInner) r.youngVerdict = iqr_verdict::kMild;
    if (st.minValue < r.lowerOuter) r.youngVerdict = iqr_verdict::kExtreme;
    r.oldVerdict = iqr_verdict::kWithin;
    if (st.maxValue > r.upperInner) r.oldVerdict = iqr_verdict::kMild;
    if (st.maxValue > r.upperOuter) r.oldVerdict = iqr_verdict::kExtreme;
    r.ran = true;
    return r;
}

GaussResult Gauss_Test(const Sample& sample, const Statistics& st, TableSource& tables) {
    GaussResult r;
    const int n = st.n;
    if (n < 3 || n > 50) return r;
    r.critical = tables.table("gauss-g.dat")->row(n, 1)[0];
    // Only the row of the extreme found first is left out; a tied value stays in the rest.
    r.max.rest = restWithout(sample, st.maxRow, n);
    r.min.rest = restWithout(sample, st.minRow, n);
    r.max.g = gStatistic(st.sorted.front() - r.max.rest.mean, r.max.rest);
    r.min.g = gStatistic(r.min.rest.mean - st.sorted.back(), r.min.rest);
    for (GaussExtreme* e : {&r.max, &r.min}) e->outlier = gaussIsOutlier(e->g, r.critical);
    // g is a strictly increasing function of Grubbs' T of the same value: the same p-value.
    r.max.p = grubbsPValue(grubbsMax(st), n);
    r.min.p = grubbsPValue(grubbsMin(st), n);
    r.ran = true;
    return r;
}

Results calculate(const Sample& sample, TableSource& tables) {
    Results r;
    r.statistics = Calc_Statistics(sample);
    r.grubbs = Grubbs_Test(r.statistics, tables);
    r.dixon = Dixon_Test(r.statistics, tables);
    r.iqr = IQR_Test(r.statistics);
    r.gauss = Gauss_Test(sample, r.statistics, tables);
    return r;
}

}  // namespace sifton
