// Relative error shared by every numerical test: one definition of "agrees to n digits".
#pragma once

#include <cmath>
#include <complex>
#include <limits>

namespace tessary::test {

// |a - b| / |b|, with the special cases a test needs to be meaningful:
// both zero -> 0; both NaN -> 0; both the same infinity -> 0; b zero and a not -> |a|;
// any other NaN or infinity mismatch -> +infinity (fails every tolerance).
inline double RelError(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return (std::isnan(a) && std::isnan(b)) ? 0.0 : INFINITY;
    if (std::isinf(a) || std::isinf(b)) return (a == b) ? 0.0 : INFINITY;
    if (b == 0.0) return std::fabs(a);
    return std::fabs(a - b) / std::fabs(b);
}

// Relative error of a complex value, measured against the reference modulus.
inline double RelError(double aRe, double aIm, double bRe, double bIm) {
    const double values[] = {aRe, aIm, bRe, bIm};
    for (double v : values)
        if (!std::isfinite(v)) return (aRe == bRe && aIm == bIm) ? 0.0 : INFINITY;
    const double diff = std::hypot(aRe - bRe, aIm - bIm);
    const double ref = std::hypot(bRe, bIm);
    return ref == 0.0 ? diff : diff / ref;
}

}  // namespace tessary::test

// EXPECT_REL_NEAR(actual, expected, tol): relative error within tol, with both values printed on failure.
#define EXPECT_REL_NEAR(actual, expected, tol)                                                \
    EXPECT_LE(::tessary::test::RelError((actual), (expected)), (tol))                         \
        << "actual " << ::testing::PrintToString(static_cast<double>(actual)) << " expected " \
        << ::testing::PrintToString(static_cast<double>(expected))
