// Spherical Bessel function j_n(z) of complex argument by Lentz's continued fraction.
// [1] W. J. Lentz, "Generating Bessel functions in Mie scattering calculations using continued
//     fractions", Appl. Opt. 15, 668-671 (1976).
// [2] Abramowitz & Stegun (1964), chapter 10; equation numbers refer to [2].
//
// With a_k = (2k + 1)/z the solutions of D_k = a_k D_(k-1) - D_(k-2) (10.1.19) give j_(n-1)/j_n as
// a continued fraction; [1] evaluates it as the ratio of two products of the ratios D_k/D_(k-1),
// one chain started at order 1 and one started n orders later, and stops when the two chains agree
// exactly. Their quotient P tends to j_0/j_n, so j_n = (sin z / z) / P.
// For orders far above |z|, P leaves the double range: it is kept as a mantissa times a power of
// ten, and so is the result.
#include "spherical_bessel.h"
#include "numerics/kernel_support.h"

#include <cmath>

namespace tessary {
namespace {

constexpr double kRangeLimit = 1e150;  // P is rescaled once a part passes this (or falls below 1e-150)
constexpr double kRangeInverse = 1e-150;
constexpr int kRangeDigits = 150;
constexpr double kTinyArgument = 1e-100;   // below this |z| the leading power-series term is exact
constexpr double kLargeImaginary = 600.0;  // beyond this |Im z| cosh and sinh are e^|Im z| / 2 exactly
// Domain: the step bound 10 (|z| + n) + 1000 and every decimal exponent stay well inside int.
constexpr double kMaxArgument = 1e8;
constexpr int kMaxOrder = 10'000'000;

// Sound result of a failed call: nothing to misuse.
ContFracResult Failure() { return {{0.0, 0.0}, 0, ContFracStatus::NoConvergence}; }

Complex Scale(Complex a, double f) { return {a.re * f, a.im * f}; }

// a * 10^k in steps that never leave the double range on the way to a representable result.
Complex ScaleByPow10(Complex a, int k) {
    for (; k > kRangeDigits; k -= kRangeDigits) a = Scale(a, kRangeLimit);
    for (; k < -kRangeDigits; k += kRangeDigits) a = Scale(a, kRangeInverse);
    return Scale(a, std::pow(10.0, k));
}

// Holds value * 10^exponent10 with both parts of value within [1e-150, 1e150] (unless it is 0).
void KeepInRange(Complex& value, int& exponent10) {
    const double larger = LargerPart(value);
    if (larger > kRangeLimit) {
        value = Scale(value, kRangeInverse);
        exponent10 += kRangeDigits;
    } else if (larger != 0.0 && larger < kRangeInverse) {
        value = Scale(value, kRangeLimit);
        exponent10 -= kRangeDigits;
    }
}

// mantissa * 10^exponent10 in the form the header promises: plain within [1e-300, 1e300], otherwise
// the larger part of the mantissa in [1, 10). A non-finite mantissa is a failure.
ContFracResult Normalised(Complex mantissa, int exponent10) {
    if (!std::isfinite(mantissa.re) || !std::isfinite(mantissa.im)) return Failure();
    const double larger = LargerPart(mantissa);
    if (larger == 0.0) return {{0.0, 0.0}, 0, ContFracStatus::Ok};
    const int digits = static_cast<int>(std::floor(std::log10(larger)));
    if (exponent10 == 0 && digits >= -300 && digits < 300) return {mantissa, 0, ContFracStatus::Ok};
    const int total = digits + exponent10;
    if (total >= -300 && total < 300) return {ScaleByPow10(mantissa, exponent10), 0, ContFracStatus::Ok};
    return {ScaleByPow10(mantissa, -digits), total, ContFracStatus::Ok};
}

// e^t = mantissa * 10^exponent10 for 0 <= t <= kMaxArgument, with ln 10 split (Cody & Waite) so
// that E ln 10 is formed without rounding error (E < 2^26).
double ExpScaled(double t, int& exponent10) {
    constexpr double kLn10Hi = 2.3025850653648376;      // 26 significant bits of ln 10
    constexpr double kLn10Lo = 2.7629208037533617e-08;  // ln 10 - kLn10Hi
    const double e = std::floor(t / (kLn10Hi + kLn10Lo));
    exponent10 = static_cast<int>(e);
    return std::exp((t - e * kLn10Hi) - e * kLn10Lo);
}

// j_0(z) = sin z / z (10.1.11) as mantissa * 10^exponent10.
Complex SinOverZ(Complex z, int& exponent10) {
    exponent10 = 0;
    if (LargerPart(z) < kTinyArgument) return {1.0, 0.0};  // 1 - z^2/6 rounds to 1
    if (std::fabs(z.im) <= kLargeImaginary) return ComplexDiv(ComplexSin(z), z);
    // sin(x + iy) = sin x cosh y + i cos x sinh y, with cosh y = |sinh y| = e^|y| / 2 to the last bit.
    const double half = 0.5 * ExpScaled(std::fabs(z.im), exponent10);
    const double sign = z.im > 0.0 ? 1.0 : -1.0;
    return ComplexDiv({std::sin(z.re) * half, sign * std::cos(z.re) * half}, z);
}

// j_n(z) = z^n / (2n + 1)!! (10.1.2) for |z| < 1e-100, where the next term is below 1e-200 relative.
ContFracResult LeadingTerm(int n, Complex z) {
    Complex value{1.0, 0.0};
    int exponent10 = 0;
    for (int k = 1; k <= n; ++k) {
        value = ComplexMult(value, Scale(z, 1.0 / (2.0 * k + 1.0)));
        KeepInRange(value, exponent10);
    }
    return Normalised(value, exponent10);
}

// One step of a chain of [1]'s product form: t = a - ratio; P is multiplied
// (first chain) or divided (second chain) by t, and ratio becomes 1/t. A vanishing D_k (t exactly 0)
// is stepped over: P changes sign and the chain restarts from 0 at the next order, whose a alone then
// stands for D_(k+2)/D_k.
void ChainStep(Complex a, Complex& ratio, bool& inStep, Complex& P, bool multiply) {
    constexpr Complex kZero{0.0, 0.0};
    if (!inStep) {
        inStep = true;
        ratio = kZero;
        return;
    }
    const Complex t = ComplexSub(a, ratio);
    if (t == kZero) {
        ratio = kZero;
        inStep = false;
        P = Scale(P, -1.0);
        return;
    }
    P = multiply ? ComplexMult(P, t) : ComplexDiv(P, t);
    ratio = ComplexDiv({1.0, 0.0}, t);
}

bool InDomain(int n, Complex z) {
    return n >= 0 && n <= kMaxOrder && std::isfinite(z.re) && std::isfinite(z.im) &&
           LargerPart(z) <= kMaxArgument;
}

}  // namespace

ContFracResult ComplexContFrac(int n, Complex z) {
    if (!InDomain(n, z)) return Failure();
    // The chains agree once the order is well above |z|, where the recurrence contracts; the bound
    // only catches arithmetic gone wrong (at most 1.6e9 orders in the domain, inside the 32-bit counter).
    const double bound = 10.0 * (ComplexAbs(z) + n) + 1000.0;
    return ComplexContFracBounded(n, z, static_cast<int>(bound));
}

ContFracResult ComplexContFracBounded(int n, Complex z, int maxOrders) {
    if (!InDomain(n, z)) return Failure();

    int j0Exponent = 0;
    const Complex j0 = SinOverZ(z, j0Exponent);
    if (n == 0) return Normalised(j0, j0Exponent);
    if (z.re == 0.0 && z.im == 0.0) return {{0.0, 0.0}, 0, ContFracStatus::Ok};  // j_n(0) = 0, n >= 1
    if (LargerPart(z) < kTinyArgument) return LeadingTerm(n, z);

    Complex P{1.0, 0.0};  // tends to j_0/j_n = P * 10^pExponent
    int pExponent = 0;
    Complex q{0.0, 0.0}, r{0.0, 0.0};  // ratios D_(k-1)/D_k of the first and second chain
    bool qInStep = true, rInStep = true;
    const Complex invZ = ComplexDiv({1.0, 0.0}, z);
    for (int C = 0;;) {
        if (C >= maxOrders) return Failure();
        // a_k = (2k + 1)/z, k = C + 1, formed afresh: adding 2/z order by order drifts (5e-10 at n = 5000)
        const Complex a = Scale(invZ, 2.0 * C + 3.0);
        ChainStep(a, q, qInStep, P, true);
        KeepInRange(P, pExponent);
        ++C;
        if (C > n) {  // the second chain starts at a_(n+1)
            ChainStep(a, r, rInStep, P, false);
            KeepInRange(P, pExponent);
        }
        if (qInStep && rInStep && C >= 5 && q == r) break;
    }
    return Normalised(ComplexDiv(j0, P), j0Exponent - pExponent);
}

}  // namespace tessary
