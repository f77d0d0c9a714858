// Small real functions; see elementary.h.
#include "elementary.h"

#include <cmath>
#include <limits>

#include "constants.h"

namespace tessary {

double Factorial(int n) {
    double r = n;
    if (n == 0) return 1.0;
    for (int i = n - 1; i >= 1; --i) r = i * r;
    return r;
}

double Factorial2(int n) {
    double r = n;
    for (int i = n - 2; i >= 1; i -= 2) r = i * r;
    return r;
}

double ArcSin(double x) {
    if (x >= 1.0) return kPi / 2;
    if (x <= -1.0) return -kPi / 2;
    return std::atan(x / std::sqrt(1.0 - x * x));
}

double ArcCos(double x) {
    if (x >= 1.0) return 0.0;
    if (x <= -1.0) return kPi;
    if (x == 0.0) return kPi / 2;
    double t = std::atan(std::sqrt(1.0 - x * x) / x);
    if (t < 0.0) t += kPi;
    return t;
}

double AMAX(double a, double b) { return a > b ? a : b; }

double AMIN(double a, double b) { return a < b ? a : b; }

double RoundTo(double x, int n) {
    const double scale = std::pow(10.0, n);
    const double scaled = x * scale;
    // x 10^n beyond the Double range: x is far coarser than 10^-n, so it is its own rounding
    if (std::isinf(scaled) && std::isfinite(x)) return x;
    return std::floor(scaled + 0.5) / scale;
}

double LogSweepValue(double xMin, double xMax, double steps, double k) {
    if (k == steps) return xMax;
    return xMin * std::pow(xMax / xMin, k / steps);
}

double AbsorptionEfficiency(double ext, double sca) {
    const double abs = ext - sca;
    return std::fabs(abs) <= 8 * std::numeric_limits<double>::epsilon() * std::fabs(ext) ? 0.0 : abs;
}

double Log10(double x) {
    if (x > 1.0) return std::log(x) / kLn10;
    if (x == 1.0) return 0.0;
    if (x >= 1e-300) return -std::log(1.0 / x) / kLn10;
    return -300.0;
}

}  // namespace tessary
