// Small real functions shared by the series, ray methods, graphs and file writers: factorials,
// clamped arc sine and cosine, larger/smaller of two values, decimal rounding, a floored log10 and
// the absorption efficiency as extinction less scattering.
// They reproduce the program's published numbers, including its constants (pi = 3.14159265358979,
// ln 10 = 2.30259 in Log10), so Log10(1000) is 2.9999936..., not 3.
#pragma once

namespace tessary {

// n! formed from the top (n, n(n-1), ...); 0 and 1 give 1; a negative n is returned unchanged.
// Beyond n = 170 the product overflows to +infinity.
double Factorial(int n);
// n!! = n (n-2) (n-4) ...; 1 gives 1, 2 gives 2. Beyond n = 300 the product overflows to +infinity.
double Factorial2(int n);
// arctan(x / sqrt(1 - x^2)) on (-1, 1); clamped to +-kHalfPi outside.
double ArcSin(double x);
// arctan(sqrt(1 - x^2) / x) moved into [0, pi]; x >= 1 gives 0, x <= -1 gives pi, 0 gives pi/2.
double ArcCos(double x);
// The larger (smaller) of a and b; on equality b.
double AMAX(double a, double b);
double AMIN(double a, double b);
// floor(x 10^n + 0.5) / 10^n: halves go upward, so -2.5 rounds to -2. A finite x whose x 10^n
// overflows is returned as it is (it has no digits at the 10^-n place).
double RoundTo(double x, int n);
// ln(x) / 2.30259 with a floor of -300 for x < 1e-300 (zero and negatives included).
double Log10(double x);
// Step k of a logarithmic sweep of `steps` steps from xMin to xMax: xMin r^k with r = (xMax/xMin)^(1/steps),
// formed in double as xMin (xMax/xMin)^(k/steps) so that it does not drift; step `steps` is xMax itself.
double LogSweepValue(double xMin, double xMax, double steps, double k);
// ext - sca, with 0 where the difference lies within the rounding of ext (8 ulps): a clear sphere's
// Qabs (or Cabs) is then 0, not a residue such as -1.4e-17.
double AbsorptionEfficiency(double ext, double sca);

}  // namespace tessary
