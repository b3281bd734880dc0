#include "core/outlier_tests.h"

#include <cmath>
#include <limits>
#include <vector>

#include "core/number_text.h"
#include "core/statistics.h"
#include "core/store.h"
#include "core/tables.h"

namespace sifton {
namespace {

bool outsideRange(double n, double low, double high) { return n < low || n > high; }

// Sorted(i), the i-th largest value under test.
double sorted(int i) { return store().Sorted[i].toNumber(); }

// A gap ratio whose span is zero can only be 0/0 (the gap lies inside the span): the extreme is
// tied with the values that span it, so the ratio is 0.
double ratio(double gap, double span) { return span > 0 ? gap / span : 0.0; }

template <typename Array>
void copyCritical(Array& target, const std::vector<double>& values, double divisor) {
    for (size_t i = 0; i < values.size() && i + 1 < target.size(); ++i)
        target[i + 1] = values[i] / divisor;
}

struct Rest {
    double mean = 0.0;
    double sd = 0.0;
};

// Mean and standard deviation (divisor n-2) of the values under test without row 'left'.
Rest restWithout(int left, double n) {
    SampleStore& s = store();
    std::vector<double> rest;
    double sum = 0.0;
    for (int i = 1; i <= s.RowCount; ++i) {
        if (!isUnderTest(i) || i == left) continue;
        rest.push_back(s.Col1[i].toNumber());
        sum += rest.back();
    }
    s.SumRest = sum;
    const Moments m = moments(rest);
    s.SumDev2 = m.sumDev2;
    return {m.mean, std::sqrt(m.sumDev2 / (n - 2))};
}

// g of an extreme against a rest. A rest without spread (its values all equal, and then its
// mean is exactly their value) makes g 0 for an extreme equal to it and unbounded otherwise.
double gStatistic(double distance, const Rest& rest) {
    if (rest.sd > 0) return distance / rest.sd;
    return distance == 0 ? 0.0 : std::numeric_limits<double>::infinity();
}

std::string gText(double g) {
    return std::isinf(g) ? kUnboundedStatistic : formatNumber(g, Pattern::UpToTwoDecimals);
}

// Quartile at the 1-based position p of the descending list: the element when p is whole,
// otherwise the plain midpoint of its two neighbours. A midpoint carries the binary error of its
// two values (62.8 and 61.9 give 62.349999999999994), so it is taken to 15 significant digits,
// as the program writes numbers: the fences then come from the decimal quartile the data give.
double quartileAt(int numerator, int denominator) {
    int k = numerator / denominator;
    if (numerator % denominator == 0) return sorted(k);
    return Text_To_Number(generalNumberText((sorted(k) + sorted(k + 1)) / 2));
}

}  // namespace

void runCalculation() {
    Calc_Statistics();
    Grubbs_Test();
    Dixon_Test();
    IQR_Test();
    Gauss_Test();
}

std::string grubbsClass(double g, const std::array<double, 6>& c, double n) {
    using namespace grubbs_class;
    if (g < c[1]) return kAbove10;
    if (g < c[2]) return k7_5To10;
    if (g < c[3]) return n <= 20 ? k5To7_5 : kAbove5;
    if (g < c[4]) return k2_5To5;
    if (g < c[5]) return n <= 25 ? k1To2_5 : kBelow2_5;
    return n <= 25 ? kBelow1 : kBelow2_5;
}

std::string dixonClass(double r, const std::array<double, 6>& c) {
    using namespace dixon_class;
    if (r < c[1]) return kAbove10;
    if (r < c[2]) return k5To10;
    if (r < c[3]) return k2To5;
    if (r < c[4]) return k1To2;
    if (r < c[5]) return k0_5To1;
    return kBelow0_5;
}

void Grubbs_Test() {
    SampleStore& s = store();
    const double n = s.NData;
    if (outsideRange(n, 3, 100)) {
        s.GruTmin = -1;
        return;
    }
    copyCritical(s.GrubbsCrit, Find_Table_Row("grubbs.dat", n, 5), 1.0);

    // Only equal values have no spread, and then every deviation is 0 as well.
    std::vector<double> values;
    for (int i = 1; i <= s.RowCount; ++i)
        if (isUnderTest(i)) values.push_back(s.Col1[i].toNumber());
    const double mean = moments(values).mean, sd = s.SDnum.toNumber();
    auto statistic = [sd](double deviation) { return sd > 0 ? deviation / sd : 0.0; };
    const double tMax = statistic(s.Col1[static_cast<int>(s.PosMax.toNumber())].toNumber() - mean);
    const double tMin = statistic(mean - s.Col1[static_cast<int>(s.PosMin.toNumber())].toNumber());

    s.GrubbsClassMax = grubbsClass(tMax, s.GrubbsCrit, n);
    s.GruTmax = formatNumber(tMax, Pattern::UpToThreeDecimals);
    s.GrubbsClassMin = grubbsClass(tMin, s.GrubbsCrit, n);
    s.GruTmin = formatNumber(tMin, Pattern::UpToThreeDecimals);
}

void Dixon_Test() {
    SampleStore& s = store();
    const double n = s.NData;
    if (outsideRange(n, 3, 25)) {
        s.DixRmin = -1;
        return;
    }
    copyCritical(s.DixonCrit, Find_Table_Row("dixon.dat", n, 5), 1000.0);

    const int m = static_cast<int>(n);
    const double s1 = sorted(1), s2 = sorted(2), s3 = sorted(3);
    const double sn = sorted(m), sn1 = sorted(m - 1), sn2 = sorted(m - 2);
    double rMax, rMin;
    if (m <= 7) {  // r10
        rMax = ratio(s1 - s2, s1 - sn);
        rMin = ratio(sn1 - sn, s1 - sn);
    } else if (m <= 10) {  // r11
        rMax = ratio(s1 - s2, s1 - sn1);
        rMin = ratio(sn1 - sn, s2 - sn);
    } else if (m <= 13) {  // r21
        rMax = ratio(s1 - s3, s1 - sn1);
        rMin = ratio(sn2 - sn, s2 - sn);
    } else {  // r22
        rMax = ratio(s1 - s3, s1 - sn2);
        rMin = ratio(sn2 - sn, s3 - sn);
    }
    s.DixClassMax = dixonClass(rMax, s.DixonCrit);
    s.DixClassMin = dixonClass(rMin, s.DixonCrit);
    s.DixRmax = formatNumber(rMax, Pattern::UpToThreeDecimals);
    s.DixRmin = formatNumber(rMin, Pattern::UpToThreeDecimals);
}

void IQR_Test() {
    SampleStore& s = store();
    const double n = s.NData;
    if (n < 6) {
        s.IQRQ1 = -1;
        return;
    }
    const int m = static_cast<int>(n);
    const double q3 = quartileAt(m + 1, 4), q1 = quartileAt(3 * m, 4), iqr = q3 - q1;
    const double largest = largestSize(s);
    s.IQRQ3 = formatDataNumber(q3, Pattern::UpToThreeDecimals, largest);
    s.IQRQ1 = formatDataNumber(q1, Pattern::UpToThreeDecimals, largest);

    // The verdicts come from the quartiles themselves; their texts are rounded for showing.
    const double minValue = s.MinValue.toNumber(), maxValue = s.MaxValue.toNumber();
    s.IQRyoung = iqr_verdict::kWithin;
    if (minValue < q1 - 1.5 * iqr) s.IQRyoung = iqr_verdict::kMild;
    if (minValue < q1 - 3 * iqr) s.IQRyoung = iqr_verdict::kExtreme;
    s.IQRold = iqr_verdict::kWithin;
    if (maxValue > q3 + 1.5 * iqr) s.IQRold = iqr_verdict::kMild;
    if (maxValue > q3 + 3 * iqr) s.IQRold = iqr_verdict::kExtreme;
}

void Gauss_Test() {
    SampleStore& s = store();
    const double n = s.NData;
    if (outsideRange(n, 3, 50)) {
        s.GauYoung = -1;
        return;
    }
    s.GaussCrit = Find_Table_Row("gauss-g.dat", n, 1).at(0);

    const int m = static_cast<int>(n);
    const double largest = sorted(1), smallest = sorted(m);
    const Rest noOld = restWithout(static_cast<int>(s.PosMax.toNumber()), n);
    s.MeanNoOld = noOld.mean;
    const Rest noYoung = restWithout(static_cast<int>(s.PosMin.toNumber()), n);
    s.MeanNoYoung = noYoung.mean;

    const double gOld = gStatistic(largest - noOld.mean, noOld);
    const double gYoung = gStatistic(noYoung.mean - smallest, noYoung);
    s.GauOld = gText(gOld);
    s.GauYoung = gText(gYoung);
    s.SDNoYoung = formatNumber(noYoung.sd, Pattern::UpToTwoDecimals);
    s.SDNoOld = formatNumber(noOld.sd, Pattern::UpToTwoDecimals);
}

bool gaussIsOutlier(const Cell& g, double critical) {
    if (g.isText() && g.toText() == kUnboundedStatistic) return true;
    return g.toNumber() > critical;
}

double lowerInnerFence(const Cell& q1, const Cell& q3) {
    return q1.toNumber() - 1.5 * (q3.toNumber() - q1.toNumber());
}

double upperInnerFence(const Cell& q1, const Cell& q3) {
    return q3.toNumber() + 1.5 * (q3.toNumber() - q1.toNumber());
}

}  // namespace sifton
