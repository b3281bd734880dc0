// The quantile function of the standard normal distribution, for the normal quantile plot: the
// z below which a share p of a standard normal population lies. Boost.Math computes it.
#pragma once

namespace sifton {

// p strictly between 0 and 1; 0.5 gives 0 and 0.975 gives 1.959964. Throws std::domain_error
// (or std::overflow_error for 0 and 1) outside that range.
double normalQuantile(double p);

}  // namespace sifton
