#include "core/outlier_tests.h"

#include <algorithm>
#include <cmath>

#include "core/calculation.h"
#include "core/number_text.h"
#include "core/statistics.h"
#include "core/store.h"
#include "core/tables.h"

namespace sifton {

void runCalculation() {
    Calc_Statistics();
    Grubbs_Test();
    Dixon_Test();
    IQR_Test();
    Gauss_Test();
}

std::string_view grubbsClassText(double g, const std::array<double, 6>& c, double n) {
    using namespace grubbs_class;
    if (g < c[1]) return kAbove10;
    if (g < c[2]) return k7_5To10;
    if (g < c[3]) return n <= 20 ? k5To7_5 : kAbove5;
    if (g < c[4]) return k2_5To5;
    if (g < c[5]) return n <= 25 ? k1To2_5 : kBelow2_5;
    return n <= 25 ? kBelow1 : kBelow2_5;
}

std::string_view dixonClassText(double r, const std::array<double, 6>& c) {
    using namespace dixon_class;
    if (r < c[1]) return kAbove10;
    if (r < c[2]) return k5To10;
    if (r < c[3]) return k2To5;
    if (r < c[4]) return k1To2;
    if (r < c[5]) return k0_5To1;
    return kBelow0_5;
}

std::string grubbsClass(double g, const std::array<double, 6>& c, double n) {
    return std::string(grubbsClassText(g, c, n));
}

std::string dixonClass(double r, const std::array<double, 6>& c) {
    return std::string(dixonClassText(r, c));
}

std::string gaussText(double g) {
    return std::isinf(g) ? kUnboundedStatistic : formatNumber(g, Pattern::UpToTwoDecimals);
}

// Each routine reads what Calc_Statistics left in the store, runs its test and writes the
// results back; a failed lookup throws before any result is written.

void Grubbs_Test() {
    SampleStore& s = store();
    const GrubbsResult r = grubbsTest(statisticsInStore(s), storeTables());
    if (!r.ran) {
        s.GruTmin = -1;
        return;
    }
    std::copy(r.critical.begin() + 1, r.critical.end(), s.GrubbsCrit.begin() + 1);
    s.GrubbsClassMax = std::string(r.max.cls);
    s.GruTmax = formatNumber(r.max.statistic, Pattern::UpToThreeDecimals);
    s.GrubbsClassMin = std::string(r.min.cls);
    s.GruTmin = formatNumber(r.min.statistic, Pattern::UpToThreeDecimals);
    s.GrubbsPMax = r.max.p;
    s.GrubbsPMin = r.min.p;
}

void Dixon_Test() {
    SampleStore& s = store();
    const DixonResult r = dixonTest(statisticsInStore(s), storeTables());
    if (!r.ran) {
        s.DixRmin = -1;
        return;
    }
    std::copy(r.critical.begin() + 1, r.critical.end(), s.DixonCrit.begin() + 1);
    s.DixClassMax = std::string(r.max.cls);
    s.DixClassMin = std::string(r.min.cls);
    s.DixRmax = formatNumber(r.max.statistic, Pattern::UpToThreeDecimals);
    s.DixRmin = formatNumber(r.min.statistic, Pattern::UpToThreeDecimals);
    s.DixonPMax = r.max.p;
    s.DixonPMin = r.min.p;
    s.DixonPMissing = r.pMissing;
}

void IQR_Test() {
    SampleStore& s = store();
    const IqrResult r = iqrTest(statisticsInStore(s));
    if (!r.ran) {
        s.IQRQ1 = -1;
        return;
    }
    // The verdicts come from the quartiles themselves; their texts are rounded for showing.
    const double largest = largestSize(s);
    s.IQRQ3 = formatDataNumber(r.q3, Pattern::UpToThreeDecimals, largest);
    s.IQRQ1 = formatDataNumber(r.q1, Pattern::UpToThreeDecimals, largest);
    s.IQRyoung = std::string(r.youngVerdict);
    s.IQRold = std::string(r.oldVerdict);
}

void Gauss_Test() {
    SampleStore& s = store();
    const GaussResult r = gaussTest(sampleInStore(s), statisticsInStore(s), storeTables());
    if (!r.ran) {
        s.GauYoung = -1;
        return;
    }
    s.GaussCrit = r.critical;
    s.MeanNoOld = r.max.rest.mean;
    s.MeanNoYoung = r.min.rest.mean;
    // Work values as the last rest (the one without the smallest value) leaves them.
    s.SumRest = r.min.rest.sum;
    s.SumDev2 = r.min.rest.sumDev2;
    s.GauOld = gaussText(r.max.g);
    s.GauYoung = gaussText(r.min.g);
    s.SDNoYoung = formatNumber(r.min.rest.sd, Pattern::UpToTwoDecimals);
    s.SDNoOld = formatNumber(r.max.rest.sd, Pattern::UpToTwoDecimals);
    s.GaussPMax = r.max.p;
    s.GaussPMin = r.min.p;
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
