// The moments of a list of values, accurate however far the values lie from zero: what the
// descriptive statistics, the g-test's rests and the ESD screen compute their spreads from.
// No spread is ever taken from a sum and a sum of squares: far from zero their difference
// cancels.
#pragma once

#include <span>

namespace sifton {

// The mean of some values and the sum of their squared deviations from it, both accurate however
// far the values lie from zero (1E+09 plus a spread of 1) and however they cancel: the mean from
// a compensated sum, the deviations in a second pass. Equal values give exactly their value and 0.
struct Moments {
    double mean = 0.0;
    double sumDev2 = 0.0;
};
Moments moments(std::span<const double> values);

}  // namespace sifton
