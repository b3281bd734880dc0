#include "core/normal_quantile.h"

#include <boost/math/distributions/normal.hpp>

namespace sifton {

double normalQuantile(double p) { return boost::math::quantile(boost::math::normal(), p); }

}  // namespace sifton
