// Modified Bessel functions I_k(z) of complex argument by backward recurrence, and the start-order
// rules msta1, msta2, envj. [1] Zhang & Jin (1996), routines CIKNB, MSTA1, MSTA2, ENVJ;
// [2] Abramowitz & Stegun (1964); equation numbers refer to [2].
//
// The recurrence I_(k-1) = (2k/z) I_k + I_(k+1) (9.6.26) is stable downward for every k; started far
// enough above the wanted orders (msta2), its values are proportional to I_k(z) to about 15 digits,
// and e^z = I_0 + 2 sum I_k (9.6.37) fixes the constant. Re z < 0 is reflected: I_k(-z) = (-1)^k I_k(z).
#include "bessel_complex.h"

#include <algorithm>
#include <cmath>

#include "elementary.h"

namespace tessary {
namespace {

constexpr double kSmallArgument = 1e-100;  // below it I_0 = 1 and I_k = 0 to double precision
constexpr double kStartValue = 1e-100;     // f_(M+1)
constexpr double kRescaleAbove = 0x1p332;  // about 1e100: keeps |f|^2 and |sum|^2 in range
constexpr int kRescaleBits = -664;         // an exact power of two, so rescaling rounds nothing
constexpr int kSecantRounds = 20;

// Secant iteration on envj(N, x) = target from N0 and N0 + 5, the iterate rounded to the nearest
// whole number (halves to even). Returns the last iterate; a step that would divide by zero, or fall
// below order 1 or outside the int range, keeps the last one instead.
int SecantOrder(int N0, double x, double target) {
    int N1 = N0 + 5;
    double F0 = envj(N0, x) - target;
    double F1 = envj(N1, x) - target;
    int NN = N1;
    for (int round = 0; round < kSecantRounds; ++round) {
        if (F1 == 0.0) return NN;
        const double denominator = 1.0 - F0 / F1;
        if (denominator == 0.0) return NN;
        const double next = std::nearbyint(N1 - (N1 - N0) / denominator);
        if (!(next >= 1.0 && next <= 2.0 * kBesselIMaxArgument)) return NN;
        NN = static_cast<int>(next);
        const double F = envj(NN, x) - target;
        if (NN == N1) break;
        N0 = N1;
        F0 = F1;
        N1 = NN;
        F1 = F;
    }
    return NN;
}

bool ArgumentInRange(double x) { return std::isfinite(x) && std::fabs(x) <= kBesselIMaxArgument; }

Complex Scale(Complex a, double f) { return {a.re * f, a.im * f}; }

// a 2^e, exact unless it leaves the normal range
Complex ScaledBy2(Complex a, int e) { return {std::ldexp(a.re, e), std::ldexp(a.im, e)}; }

Complex Rescaled(Complex a) { return ScaledBy2(a, kRescaleBits); }

BesselIResult Failure(int n, BesselIStatus status) {
    BesselIResult result;
    if (n >= 0 && n <= kBesselIMaxOrder) result.values.assign(std::max(n, 1) + 1, Complex{});
    result.status = status;
    return result;
}

// I_k(z), or e^(-|Re z|) I_k(z) when scaled.
BesselIResult Compute(int n, Complex z, bool scaled) {
    if (n < 0 || n > kBesselIMaxOrder || !std::isfinite(z.re) || !std::isfinite(z.im))
        return Failure(n, BesselIStatus::InvalidArgument);
    BesselIResult result;
    result.values.assign(std::max(n, 1) + 1, Complex{});

    const double a0 = ComplexAbs(z);
    if (!(a0 <= kBesselIMaxArgument)) return Failure(n, BesselIStatus::OutOfRange);
    // I_0(z) = 1 + z^2/4 + ..., I_k(z) = (z/2)^k / k! + ... (9.6.10): below 1e-100 only I_0 = 1 remains.
    if (a0 < kSmallArgument) {
        result.values[0] = {1.0, 0.0};
        result.computedOrder = n;
        return result;
    }

    const Complex z1 = z.re < 0.0 ? Complex{-z.re, -z.im} : z;
    int nm = n == 0 ? 1 : n;
    int M = msta1(a0, 200);
    if (M < nm)
        nm = M;  // orders above M are below 1e-200 of I_0
    else
        M = msta2(a0, nm, 15);
    result.computedOrder = nm;
    result.startOrder = M;

    // Backward recurrence (9.6.26) from f_(M+2) = 0, f_(M+1) = 1e-100; values that pass ~1e100 are
    // scaled down by 2^-664 together with everything already stored (tiny z grows 1e100 per order).
    std::vector<Complex>& f = result.values;
    Complex older{0.0, 0.0}, prev{kStartValue, 0.0}, cur{0.0, 0.0}, sum{0.0, 0.0};
    for (int k = M; k >= 0; --k) {
        const double twoKPlus2 = 2.0 * (k + 1.0);
        cur = ComplexAdd(ComplexDiv(Scale(prev, twoKPlus2), z1), older);
        if (std::fmax(std::fabs(cur.re), std::fabs(cur.im)) > kRescaleAbove) {
            cur = Rescaled(cur);
            prev = Rescaled(prev);
            sum = Rescaled(sum);
            for (int j = k + 1; j <= nm; ++j) f[j] = Rescaled(f[j]);
        }
        if (k <= nm) f[k] = cur;
        sum = ComplexAdd(sum, ComplexMult(cur, {2.0, 0.0}));
        older = prev;
        prev = cur;
    }

    // e^z1 = (f_0 + 2 (f_1 + ... + f_M)) c (9.6.37); scaled: e^(i Im z1) in place of e^z1. The divisor
    // is first brought near 1 by an exact power of two (with the values), so c overflows only where
    // e^z1 itself does; without that, values rescaled down in the loop would overflow c (z = 500).
    Complex divisor = ComplexSub(sum, cur);
    const double divisorSize = std::fmax(std::fabs(divisor.re), std::fabs(divisor.im));
    if (!(divisorSize > 0.0 && std::isfinite(divisorSize))) return Failure(n, BesselIStatus::OutOfRange);
    const int shift = -std::ilogb(divisorSize);
    divisor = ScaledBy2(divisor, shift);
    for (int k = 0; k <= nm; ++k) f[k] = ScaledBy2(f[k], shift);
    const Complex exponential = ComplexExp(scaled ? Complex{0.0, z1.im} : z1);
    const Complex c = ComplexDiv(exponential, divisor);
    double sign = 1.0;
    for (int k = 0; k <= nm; ++k) {
        f[k] = ComplexMult(c, f[k]);
        if (z.re < 0.0) {  // I_k(-z) = (-1)^k I_k(z)
            f[k] = Scale(f[k], sign);
            sign = -sign;
        }
        if (!std::isfinite(f[k].re) || !std::isfinite(f[k].im)) return Failure(n, BesselIStatus::OutOfRange);
    }
    return result;
}

}  // namespace

BesselIResult BesselI(int n, Complex z) { return Compute(n, z, false); }

BesselIResult BesselIScaled(int n, Complex z) { return Compute(n, z, true); }

double envj(int n, double x) { return 0.5 * Log10(6.28 * n) - n * Log10(1.36 * x / n); }

int msta1(double x, int mp) {
    if (!ArgumentInRange(x)) return 0;
    const double A0 = std::fabs(x);
    const int N0 = static_cast<int>(std::floor(1.1 * A0)) + 1;
    return SecantOrder(N0, A0, mp);
}

int msta2(double x, int n, int mp) {
    if (!ArgumentInRange(x) || x < 0.0 || n < 1) return 0;
    const double HMP = 0.5 * mp;
    const double EJN = envj(n, x);
    double OBJ;
    int N0;
    if (EJN <= HMP) {
        OBJ = mp;
        N0 = static_cast<int>(std::floor(1.1 * x));
    } else {
        OBJ = HMP + EJN;
        N0 = n;
    }
    if (N0 == 0) N0 = 1;
    return SecantOrder(N0, x, OBJ) + 10;
}

}  // namespace tessary
