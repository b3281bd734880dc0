#include "core/outlier_tests.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "core/number_text.h"

namespace sifton {
namespace {

bool oneOf(std::string_view text, std::initializer_list<std::string_view> texts) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

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

std::string gaussText(double g) {
    return std::isinf(g) ? kUnboundedStatistic : formatNumber(g, Pattern::UpToTwoDecimals);
}

bool gaussIsOutlier(double g, double critical) {
    return std::isinf(g) || Text_To_Number(gaussText(g)) > critical;
}

bool grubbsSignificant(std::string_view cls) {
    using namespace grubbs_class;
    return oneOf(cls, {k1To2_5, k2_5To5, kBelow1, kBelow2_5});
}

bool dixonSignificant(std::string_view cls) {
    using namespace dixon_class;
    return oneOf(cls, {k1To2, k2To5, k0_5To1, kBelow0_5});
}

bool iqrSignificant(std::string_view verdict) {
    return oneOf(verdict, {iqr_verdict::kMild, iqr_verdict::kExtreme});
}

}  // namespace sifton
