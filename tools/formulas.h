// Closed-form critical values: Grubbs' G and the Gauss g-test, plus the exact Dixon
// distribution for n = 3 that the simulation is checked against.
#pragma once

namespace sifton::tools {

// Upper critical value of G = (x_max - mean) / s (s with divisor n - 1) at one-sided level
// alpha: C = ((n-1)/sqrt(n)) * sqrt(t^2 / (n-2+t^2)), t the upper alpha/n point of Student's
// t with n-2 degrees of freedom. Requires n >= 3 and 0 < alpha < 1.
double grubbs_critical(int n, double alpha);

// Upper critical value of g = (x_max - mean_rest) / s_rest at one-sided level alpha, where
// mean_rest and s_rest (divisor n - 2) are taken over the other n - 1 values:
// sqrt(n/(n-1)) * t, t as above.
double gauss_g_critical(int n, double alpha);

// g of an extreme value as a function of its Grubbs statistic G (0 <= G < (n-1)/sqrt(n)):
// g = n * sqrt(n-2) * G / (sqrt(n-1) * sqrt((n-1)^2 - n G^2)).
double gauss_g_from_grubbs(int n, double grubbs_g);

// Largest G that two values of one sample can reach together: sqrt((n-1)(n-2)/(2n)). The
// Grubbs and g critical values are exact while they lie above this.
double grubbs_two_extremes_bound(int n);

// Exact upper alpha point of Dixon's ratio (S1-S2)/(S1-S3) for three normal values:
// P(r > x) = (3/pi) * atan(sqrt(3) * (1-x)/(1+x)).
double dixon_n3_exact(double alpha);

}  // namespace sifton::tools
