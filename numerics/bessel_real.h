// Bessel functions of one real, non-negative argument: J0, J1, Y0, Y1 (or I0, I1, K0, K1) by Miller's
// backward recurrence with Neumann-series normalisation below x = 11.0524084463714 and by the Hankel
// asymptotic expansions above it; and J0 .. J4 by Miller's recurrence from a start order of the caller's.
// [1] Abramowitz & Stegun (1964), Handbook of Mathematical Functions, ch. 9; equation numbers refer to [1].
// [2] J. C. P. Miller's backward recurrence, as in Numerical Recipes (Press et al., 1992), section 6.5.
#pragma once

#include <array>

namespace tessary {

enum class BesselStatus {
    Ok,
    NegativeArgument,     // refused: x < 0
    NotFiniteArgument,    // refused: x is NaN or infinite
    OutOfRange,           // a result lies beyond the double range (I0, I1 above x ~ 709.78, Y near x = 0)
    StartOrderTooLow,     // refused: BesselJ0to4 needs a start order n >= 1
    NormalisationFailed,  // the normalisation sum came out 0 or not finite (start order far below x)
};

// Choice of BesselJY: +1 for J and Y, -1 for the modified functions I and K. The value enters the start
// order of the recurrence and the signs of the asymptotic sums.
enum class BesselKind : int { JY = 1, IK = -1 };

// j0, j1, y0, y1 hold J0, J1, Y0, Y1 for BesselKind::JY and I0, I1, K0, K1 for BesselKind::IK.
// x is the argument actually used: an argument of exactly 0 is replaced by 1e-12.
// The values are meaningful only when status is Ok (all zero when the argument was refused).
struct BesselJYResult {
    double j0 = 0.0;
    double j1 = 0.0;
    double y0 = 0.0;
    double y1 = 0.0;
    double x = 0.0;
    BesselStatus status = BesselStatus::Ok;
};

// J0, J1, Y0, Y1 (or I0, I1, K0, K1) of x >= 0. Accuracy: error <= 5e-9 relative to max(|f|, 0.01)
// for J and Y, <= 1e-8 relative for I and K (worst just above x = 11.05 and, for K, near x = 4); the
// recurrence is sized for 1e-8 and the asymptotic sums stop after six terms, so more is not to be had.
// Checked in tests/numerics/bessel_real_test.cpp against mpmath.
BesselJYResult BesselJY(double x, BesselKind kind);

// J[k] = J_k(x), k = 0 .. 4. With n = 1 or 2 only J0 .. J(n+1) come from the recurrence (J(n+1) = 0, the
// start value) and the entries above stay 0. Values are meaningful only when status is Ok (else all 0).
struct BesselJ0to4Result {
    std::array<double, 5> J{};
    BesselStatus status = BesselStatus::Ok;
};

// J0(x) .. J4(x) by Miller's backward recurrence from order n (start values J_n = 1, J_(n+1) = 0),
// normalised with J0 + 2 (J2 + J4 + ...) = 1 ([1] 9.1.46), summed in double and rescaled by 2^-830
// whenever a value passes 1e250, so any start order works. The result is only as good as n: n well
// above x is needed; BesselJ0to4StartOrder(x) gives J0 .. J4 to about 1e-13 absolute (checked up to
// x = 2e4). x = 0 gives J0 = 1 and the rest 0; below x = 1e-40 the leading power-series terms, exact to
// double precision there, replace the recurrence. x < 0, a non-finite x and n < 1 are refused.
BesselJ0to4Result BesselJ0to4(int n, double x);

// ceil(x + 8 x^(1/3)) + 20: a start order for BesselJ0to4 that makes J0 .. J4 correct to about 1e-13
// absolute. x must be finite and non-negative (and below about 2e9 so the order fits an int).
int BesselJ0to4StartOrder(double x);

}  // namespace tessary
