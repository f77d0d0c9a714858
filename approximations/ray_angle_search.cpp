// Bisection and safeguarded Newton search of the ray of a given deviation; see ray_angle_search.h.
#include "approximations/ray_angle_search.h"

#include <cmath>

#include "numerics/constants.h"
#include "numerics/elementary.h"

namespace tessary {

namespace {

// The ray at impact parameter b: i, r and the unfolded deviation.
RaySearch RayAt(int p, double m, double b) {
    RaySearch s;
    s.b = b;
    s.i = ArcSin(b);
    s.r = ArcSin(b / m);
    s.deviation = RayDeviation(p, s.i, s.r);
    return s;
}

// dD/db: (2 - 2p cos i / (m cos r)) / cos i, or -2 / cos i for p <= 0; infinite at grazing.
double DeviationSlope(int p, double m, const RaySearch& s) {
    const double cosI = std::sqrt(1.0 - s.b * s.b);
    if (p <= 0) return -2.0 / cosI;
    const double sinR = s.b / m;
    return (2.0 - 2.0 * p * cosI / (m * std::sqrt(1.0 - sinR * sinR))) / cosI;
}

}  // namespace

double RayDeviation(int p, double i, double r) {
    if (p <= 0) return kPi - 2.0 * i;
    return 2.0 * i - 2.0 * p * r + (p - 1) * kPi;
}

RaySearch GOAngleCalc(int flag, int p, double m, double target, double low, double high) {
    RaySearch s;
    while (s.midpoints < kRaySearchMaxHalvings) {
        const int midpoints = s.midpoints + 1;
        s = RayAt(p, m, (low + high) / 2);
        s.midpoints = midpoints;
        if (p > 0 && flag == 1) s.deviation = ArcCos(std::cos(s.deviation));
        const double d = s.deviation - target;
        if (!std::isfinite(d)) return s;
        if (std::fabs(d) < kRayDeviationTolerance) {
            s.found = true;
            return s;
        }
        if (d >= 0)
            low = s.b;
        else
            high = s.b;
    }
    return s;
}

RaySearch RayOnBranch(int p, double m, double target, double low, double high, double start) {
    const double lo = std::fmin(low, high);
    const double hi = std::fmax(low, high);
    if (!(start >= lo && start <= hi)) start = (low + high) / 2;
    RaySearch s = RayAt(p, m, start);
    double previousMiss = HUGE_VAL;
    for (int step = 1;; ++step) {
        s.midpoints = step;
        const double d = s.deviation - target;
        if (!std::isfinite(d)) return s;
        if (std::fabs(d) < kRayDeviationTolerance) {
            s.found = true;
            return s;
        }
        if (step >= kRaySearchMaxHalvings) return s;
        if (d >= 0)
            low = s.b;
        else
            high = s.b;
        // Newton from b, kept strictly inside the bracket and only while it converges fast enough.
        double next = s.b - d / DeviationSlope(p, m, s);
        const double a = std::fmin(low, high);
        const double c = std::fmax(low, high);
        if (!(next > a && next < c) || std::fabs(d) > 0.5 * previousMiss) next = (low + high) / 2;
        previousMiss = std::fabs(d);
        s = RayAt(p, m, next);
    }
}

}  // namespace tessary
