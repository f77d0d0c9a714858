// Modified Bessel functions of the first kind I_k(z), k = 0 .. n, of one complex argument, by
// Miller's backward recurrence normalised with e^z = I_0(z) + 2 sum_(k>=1) I_k(z), and the start-order
// rules msta1 and msta2 with their magnitude estimate envj.
// [1] S. Zhang & J. Jin, Computation of Special Functions (Wiley, 1996): routines CIKNB, MSTA1,
//     MSTA2, ENVJ. [2] Abramowitz & Stegun (1964), 9.6.26 and 9.6.37.
#pragma once

#include <vector>

#include "numerics/complex.h"

namespace tessary {

enum class BesselIStatus {
    Ok,
    InvalidArgument,  // n < 0 or above kBesselIMaxOrder, or z not finite
    OutOfRange,       // |z| above kBesselIMaxArgument, or I_k(z) beyond the double range (|Re z| > ~709.78)
};

inline constexpr int kBesselIMaxOrder = 10'000'000;
inline constexpr double kBesselIMaxArgument = 1e7;

// values[k] = I_k(z) for k = 0 .. max(n, 1) (n = 0 still yields I_1, as the recurrence computes it).
// Only orders 0 .. computedOrder are computed; the higher entries are 0. computedOrder is n (1 for
// n = 0), or the start order M when that is lower (I_k there is below 1e-200 of I_0); for |z| < 1e-100
// it is n. On failure every value is 0 (the vector keeps its size when n is valid).
struct BesselIResult {
    std::vector<Complex> values;
    int computedOrder = 0;
    int startOrder = 0;  // M, where the recurrence starts (0 when |z| < 1e-100)
    BesselIStatus status = BesselIStatus::Ok;
};

// I_k(z), k = 0 .. n. |z| < 1e-100 gives I_0 = 1 and I_k = 0. Accuracy (against 40-digit references):
// error below 3e-15 of the larger of |I_0|, |I_k| for |z| up to 60, a few 1e-14 at |z| of some hundreds
// (as the sensitivity of I_k to the last bit of z grows). Orders more than 1e-200 below I_0 may be lost.
BesselIResult BesselI(int n, Complex z);

// e^(-|Re z|) I_k(z), k = 0 .. n: the same values scaled so that large |Re z| stays in range
// (no OutOfRange from the exponential).
BesselIResult BesselIScaled(int n, Complex z);

// Start order M for backward recurrence with |J_M(x)| about 10^(-mp) ([1] MSTA1), by at most 20
// secant steps on envj(M, |x|) = mp with the iterate rounded to the nearest whole number (halves to
// even). A step that would divide by zero, or leave the orders 1 and above, keeps the last iterate.
// x must be finite and |x| at most kBesselIMaxArgument; otherwise the result is 0.
int msta1(double x, int mp);

// Start order for backward recurrence that gives J_0(x) .. J_n(x) to mp significant digits
// ([1] MSTA2): the secant result plus 10. Same secant rules as msta1. Needs n >= 1 and a finite
// 0 <= x <= kBesselIMaxArgument (x is used as given, not as |x|); otherwise the result is 0.
int msta2(double x, int n, int mp);

// 0.5 Log10(6.28 n) - n Log10(1.36 x / n), with the floored Log10 of elementary.h. n >= 1.
double envj(int n, double x);

}  // namespace tessary
