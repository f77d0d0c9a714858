// Debye series of a plane wave; see debye.h for the contract and the references ([1] Hovenac & Lock,
// [2] Bohren & Huffman, [3] Abramowitz & Stegun).
#include "debye.h"
#include "angle_loops.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "numerics/spherical_bessel.h"
#include "numerics/kernel_support.h"
#include "numerics/worker_pool.h"

namespace tessary {
namespace {

constexpr char kErrorTitle[] = "Error";
constexpr char kTooLarge[] = "Reduce radius or increase wavelength";
constexpr int kBlock = kDebyeAngleBlock;
// Threads: runs of at least kThreadedAngles angles and kThreadedOrders orders sum kGroupBlocks blocks
// of angles at once on the worker pool, then store them in order, each followed by the callback.
constexpr int kThreadedAngles = 200;
constexpr int kThreadedOrders = 50;
constexpr int kGroupBlocks = 16;
// Orders summed beyond max(termCount, nMax) at most, while their terms still count.
constexpr int kTailOrders = 32;
// Functions of x above this size mark orders whose terms are below any rounding of the sums; for
// absorbing spheres, whose orders p >= 2 may lie far below the others, above kFarOrder.
constexpr double kNegligibleOrder = 1e100;
constexpr double kFarOrder = 1e150;
// Waves at the end of the tables above this part of the sum of the orders before mark a series cut
// short.
constexpr double kCutShort = 1e-10;
// Below this, |c| is formed from c scaled to order one (ComplexAbs would square it out of range).
constexpr double kTinyModulus = 1e-150;
// Partial waves below this, far below any term that counts, are taken as 0: their subnormal products
// would only slow the running products and the angle sums down.
constexpr double kNegligibleWave = 1e-290;

Complex Negligible(Complex c) { return LargerPart(c) < kNegligibleWave ? Complex{} : c; }
// Real arguments below this have j_n(r) formed from ratios (RealRiccati), started this many orders
// above the table.
constexpr double kRatioArgument = 1.0;
constexpr int kRatioLead = 8;
// Below this |j_n(m x)| the cross product y_n = (j_n y_(n-1) - W) / j_(n-1) has no room left.
constexpr double kSmallestBessel = 1e-290;

// ---- Small helpers -------------------------------------------------------------------------------------

Complex Over(Complex a, double f) { return {a.re / f, a.im / f}; }
Complex Times(double f, Complex a) { return {f * a.re, f * a.im}; }
Complex Neg(Complex a) { return {-a.re, -a.im}; }
Complex TimesI(Complex a) { return {-a.im, a.re}; }
Complex Conj(Complex a) { return {a.re, -a.im}; }

// a / b by ComplexDiv, which forms |b|^2 unscaled; where |b|^2 would leave the normal double range
// (the m x tables span 1e-290 to 1e154) the same quotient is formed with b scaled to order one.
Complex Div(Complex a, Complex b) {
    const double d = b.re * b.re + b.im * b.im;
    if (std::isnormal(d)) return ComplexDiv(a, b);
    const double s = LargerPart(b);
    return Over(ComplexDiv(a, Over(b, s)), s);
}

// a * 10^k in steps that stay inside the double range on the way.
Complex TimesPow10(Complex a, int k) {
    for (; k > 150; k -= 150) a = Times(1e150, a);
    for (; k < -150; k += 150) a = Times(1e-150, a);
    return Times(std::pow(10.0, k), a);
}

template <class T>
void Size(std::vector<T>& v, std::size_t n) {
    v.assign(n, T{});
}

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// ---- Riccati-Bessel functions of a real argument -------------------------------------------------------

// j_n, y_n of r by the upward recurrence j_n = ((2n-1)/r) j_(n-1) - j_(n-2) ([3] 10.1.19), psi_n = r j_n,
// psi'_n = psi_(n-1) - n psi_n / r, zeta1_n = (psi_n, r y_n) with zeta1'_n = zeta1_(n-1) - n zeta1_n / r
// and zeta1'_0 = i zeta1_0; zeta2 and its derivative are the conjugates. y_n grows with n and its
// recurrence is stable; that of j_n loses accuracy above n = r by the growing ratio y_n / j_n. Below
// r = kRatioArgument every order lies above r, and the loss would reach the partial waves that count
// (j_1 = sin r / r^2 - cos r / r alone cancels all but r^2 of its terms): there j_n = rho_n j_(n-1)
// with the ratios rho_n = j_n / j_(n-1) of the downward recurrence rho_n = 1 / ((2n + 1)/r - rho_(n+1)),
// stable for n above r, started kRatioLead orders above N at 0 (the start error shrinks by at least
// (r / 2N)^2 an order).
// The real tables are written through `Real` (a double* for x, the real parts of complex tables for m x).
template <class Real>
void RealRiccati(double r, int N, Real j, Real y, Real psi, Real dpsi, Complex* z1, Complex* dz1, Complex* z2,
                 Complex* dz2) {
    const double s = std::sin(r), c = std::cos(r);
    const bool ratios = r < kRatioArgument;
    j[0] = s / r;
    y[0] = -c / r;
    psi[0] = r * j[0];
    dpsi[0] = c;
    z1[0] = {psi[0], r * y[0]};
    dz1[0] = TimesI(z1[0]);
    if (ratios) {  // the ratios wait in the slots of j_n until these are formed
        double rho = 0.0;
        for (int n = N + kRatioLead; n >= 1; --n) {
            rho = 1.0 / ((2.0 * n + 1.0) / r - rho);
            if (n <= N) j[n] = rho;
        }
    }
    if (N >= 1) {
        j[1] = ratios ? j[1] * j[0] : s / (r * r) - c / r;
        y[1] = -c / (r * r) - s / r;
        psi[1] = r * j[1];
        dpsi[1] = psi[0] - psi[1] / r;
        z1[1] = {psi[1], r * y[1]};
        dz1[1] = {z1[0].re - z1[1].re / r, z1[0].im - z1[1].im / r};
    }
    for (int n = 2; n <= N; ++n) {
        const double f = (2.0 * n - 1.0) / r;
        j[n] = ratios ? j[n] * j[n - 1] : f * j[n - 1] - j[n - 2];
        y[n] = f * y[n - 1] - y[n - 2];
        psi[n] = r * j[n];
        dpsi[n] = psi[n - 1] - n * psi[n] / r;
        z1[n] = {psi[n], r * y[n]};
        dz1[n] = {z1[n - 1].re - n * z1[n].re / r, z1[n - 1].im - n * z1[n].im / r};
    }
    for (int n = 0; n <= N; ++n) {
        z2[n] = Conj(z1[n]);
        dz2[n] = Conj(dz1[n]);
    }
}

// The real parts of a complex table, for RealRiccati.
struct RealParts {
    Complex* table;
    double& operator[](int n) const { return table[n].re; }
};

void SizeTablesOfMx(DebyeTables& t, int N) {
    const auto n = static_cast<std::size_t>(N) + 1;
    for (auto* v : {&t.jnnx, &t.ynnx, &t.psiMx, &t.chiMx, &t.zeta1nx, &t.dzeta1nx, &t.zeta2nx, &t.dzeta2nx})
        Size(*v, n);
}

// ---- Riccati-Bessel functions of m x on the complex path ---------------------------------------------

// Orders 0 and 1 from the rescaled s = sin z / S and c = cos z / S. j_1 = sin z / z^2 - cos z / z and
// psi'_1 = (1 - 1/z^2) sin z + cos z / z keep only |z|^2 of their digits for small |z|: with `ratio1`
// (j_1 / j_0, not 0) j_1 = j_0 ratio1 and psi'_1 = psi_0 - psi_1 / z instead.
void ComplexStart(DebyeTables& t, Complex s, Complex c, Complex ratio1) {
    const Complex z = t.mx;
    const Complex w = t.debyeCplx;
    const bool fromRatio = !(ratio1 == Complex{});
    t.jnnx[0] = Div(s, z);
    t.ynnx[0] = Div(Neg(c), z);
    t.psiMx[0] = s;
    t.chiMx[0] = c;
    t.zeta1nx[0] = {s.re + c.im, s.im - c.re};   // s - i c
    t.zeta2nx[0] = {s.re - c.im, s.im + c.re};   // s + i c
    t.dzeta1nx[0] = {c.re - s.im, c.im + s.re};  // c + i s
    t.dzeta2nx[0] = {c.re + s.im, c.im - s.re};  // c - i s
    if (t.termCount < 1) return;
    const Complex z2 = ComplexMult(z, z);
    const Complex j1 = fromRatio ? ComplexMult(t.jnnx[0], ratio1) : ComplexAdd(Div(s, z2), t.ynnx[0]);
    const Complex y1 = ComplexSub(Div(Neg(c), z2), t.jnnx[0]);
    t.jnnx[1] = j1;
    t.ynnx[1] = y1;
    t.psiMx[1] = ComplexMult(z, j1);
    // psi'_1 = (1 - 1/z^2) sin z + cos z / z
    t.chiMx[1] = fromRatio ? ComplexSub(s, j1) : ComplexSub(ComplexMult({1.0 - w.re, -w.im}, s), t.ynnx[0]);
    t.zeta1nx[1] = ComplexMult(z, ComplexAdd(j1, TimesI(y1)));
    t.dzeta1nx[1] = ComplexSub(t.zeta1nx[0], Div(t.zeta1nx[1], z));
    t.zeta2nx[1] = ComplexMult(z, ComplexSub(j1, TimesI(y1)));
    t.dzeta2nx[1] = ComplexSub(t.zeta2nx[0], Div(t.zeta2nx[1], z));
}

// The ratios rho_n = j_n(z) / j_(n-1)(z), n = low..N, into ratio[n], by the downward recurrence
// rho_n = 1 / ((2n + 1)/z - rho_(n+1)) ([3] 10.1.19), which is stable for every n and z, started
// from j_(N+1) / j_N of two continued fractions at the top. False when these cannot be had.
bool BesselRatios(Complex z, int N, int low, Complex* ratio) {
    const ContFracResult top = ComplexContFrac(N, z), above = ComplexContFrac(N + 1, z);
    if (top.status != ContFracStatus::Ok || above.status != ContFracStatus::Ok ||
        LargerPart(top.mantissa) == 0.0)
        return false;
    Complex rho = TimesPow10(Div(above.mantissa, top.mantissa), above.exponent10 - top.exponent10);
    for (int n = N; n >= low; --n) {
        rho = Div({1.0, 0.0}, ComplexSub(Div({2.0 * n + 1.0, 0.0}, z), rho));
        ratio[n] = rho;
    }
    return true;
}

// j_n(m x) / debyeScale from j_(n-1); `ratio` holds j_n / j_(n-1) unless `recursion`. False when it
// leaves the double range.
bool ScaledBessel(const DebyeTables& t, int n, bool recursion, Complex ratio, Complex& j) {
    if (recursion) {
        // Upward recurrence j_n = ((2n - 1)/z) j_(n-1) - j_(n-2) ([3] 10.1.19) on the rescaled values,
        // which it keeps rescaled. It is stable only while n stays below |z|: above, j_n decays and the
        // growing y_n it mixes in swamps it, so the high orders of small or weakly absorbing spheres
        // lose accuracy (the ratios have no such limit).
        const Complex f = Div({2.0 * n - 1.0, 0.0}, t.mx);
        j = ComplexSub(ComplexMult(f, t.jnnx[n - 1]), t.jnnx[n - 2]);
    } else {
        j = ComplexMult(t.jnnx[n - 1], ratio);  // rescaled as j_(n-1) is
    }
    return Finite(j) && LargerPart(j) >= kSmallestBessel;
}

// Two successive values of a recurrence kept as mantissas times a shared 2^exponent, so that they may
// pass below the double range and come back into it. The exponent stays 0 while the later value lies
// well inside the range.
struct ScaledPair {
    Complex previous, current;
    int exponent = 0;
    void Normalise() {
        const double larger = std::max(std::fabs(current.re), std::fabs(current.im));
        if (exponent == 0 && larger > 0x1p-900 && larger < 0x1p900) return;
        int e = 0;
        std::frexp(larger, &e);
        if (exponent + e > -900 && exponent + e < 900) e = -exponent;  // back to plain values
        previous = {std::ldexp(previous.re, -e), std::ldexp(previous.im, -e)};
        current = {std::ldexp(current.re, -e), std::ldexp(current.im, -e)};
        exponent += e;
    }
    Complex Value(Complex mantissa) const {
        return exponent == 0 ? mantissa
                             : Complex{std::ldexp(mantissa.re, exponent), std::ldexp(mantissa.im, exponent)};
    }
};

// zeta1_n(z) / S and its derivative of an absorbing sphere (Im z > 0), into zeta1nx and dzeta1nx. As
// psi_n + i z y_n, zeta1_n (of size e^(-Im z) while n < |z|) would be the difference of two values of
// size e^(Im z), and keep only 1e-16 e^(2 Im z) of its digits. Instead zeta1_0 = -i e^(iz) comes from the
// exponential, zeta1_1 = zeta1_0 (1/z - i), and zeta1_n = ((2n - 1)/z) zeta1_(n-1) - zeta1_(n-2)
// ([3] 10.1.19) upwards: stable for Im z >= 0, where zeta1 = z h1_n(z) grows against zeta2 = z h2_n(z)
// with n (and has no zeros). zeta1'_n = zeta1_(n-1) - n zeta1_n / z. Values below the double range
// come out 0.
void AbsorbingZeta1(DebyeTables& t) {
    const Complex z = t.mx;
    const Complex invZ = Div({1.0, 0.0}, z);
    // e^(-Im z) / S as (e^(-Im z / 2))^2 / S, mantissas and powers of two apart.
    int halfExp = 0, scaleExp = 0;
    const double half = std::frexp(std::exp(-z.im / 2.0), &halfExp);
    const double scale = std::frexp(t.debyeScale, &scaleExp);
    const double g = half * half / scale;
    const Complex zeta0{g * std::sin(z.re), -g * std::cos(z.re)};  // -i e^(i Re z) g
    ScaledPair zeta{{}, zeta0, 2 * halfExp - scaleExp};
    zeta.Normalise();
    t.zeta1nx[0] = zeta.Value(zeta.current);
    t.dzeta1nx[0] = zeta.Value(TimesI(zeta.current));  // zeta1'_0 = i zeta1_0
    for (int n = 1; n <= t.termCount; ++n) {
        const Complex next =
            n == 1 ? ComplexMult(zeta.current, {invZ.re, invZ.im - 1.0})
                   : ComplexSub(ComplexMult(Times(2.0 * n - 1.0, invZ), zeta.current), zeta.previous);
        zeta.previous = zeta.current;
        zeta.current = next;
        zeta.Normalise();
        t.zeta1nx[n] = zeta.Value(zeta.current);
        t.dzeta1nx[n] = zeta.Value(ComplexSub(zeta.previous, ComplexMult(Times(n, invZ), zeta.current)));
    }
}

DebyeTablesStatus ComplexRiccati(DebyeTables& t, bool recursion, DebyeStepCallback onOrder) {
    const Complex z = t.mx;
    Complex s = ComplexSin(z), c = ComplexCos(z);
    if (!Finite(s) || !Finite(c)) return DebyeTablesStatus::TooAbsorbing;
    // Decimal rescaling: the m x functions grow like e^|Im z|; they are kept divided by S, and from
    // 10^150 on by its square root only, so that products of two tables stay in range.
    const double e = AMAX(std::floor(Log10(std::fabs(s.re))), std::floor(Log10(std::fabs(s.im))));
    t.debyeScaleExp = static_cast<int>(e);
    t.debyeScale = e >= 150.0 ? std::pow(10.0, e / 2.0) : std::pow(10.0, e);
    s = Over(s, t.debyeScale);
    c = Over(c, t.debyeScale);
    t.debyeCplx = Div({1.0, 0.0}, ComplexMult(z, z));
    const Complex W =
        t.debyeScaleExp != 0 ? Over(Over(t.debyeCplx, t.debyeScale), t.debyeScale) : t.debyeCplx;
    // The ratios wait in the slots of j_n until these are formed, order by order upwards from j_1; for
    // |z| below kRatioArgument j_1 itself comes from its ratio.
    const int low = ComplexAbs(z) < kRatioArgument ? 1 : 2;
    if (!recursion && t.termCount >= low && !BesselRatios(z, t.termCount, low, t.jnnx.data()))
        return DebyeTablesStatus::BesselRange;
    ComplexStart(t, s, c, !recursion && low == 1 && t.termCount >= 1 ? t.jnnx[1] : Complex{});

    for (int n = 2; n <= t.termCount; ++n) {
        Complex j;
        if (!ScaledBessel(t, n, recursion, t.jnnx[n], j)) return DebyeTablesStatus::BesselRange;
        t.jnnx[n] = j;
        // Cross product j_n y_(n-1) - j_(n-1) y_n = 1/z^2 ([3] 10.1), rescaled by S^2.
        t.ynnx[n] = Div(ComplexSub(ComplexMult(j, t.ynnx[n - 1]), W), t.jnnx[n - 1]);
        t.psiMx[n] = ComplexMult(z, j);
        t.chiMx[n] = ComplexSub(t.psiMx[n - 1], Div(Times(n, t.psiMx[n]), z));
        const Complex v = TimesI(ComplexMult(z, t.ynnx[n]));
        t.zeta1nx[n] = ComplexAdd(t.psiMx[n], v);
        t.zeta2nx[n] = ComplexSub(t.psiMx[n], v);
        t.dzeta1nx[n] = ComplexSub(t.zeta1nx[n - 1], Div(Times(n, t.zeta1nx[n]), z));
        t.dzeta2nx[n] = ComplexSub(t.zeta2nx[n - 1], Div(Times(n, t.zeta2nx[n]), z));
        if (onOrder(n, t.termCount)) return DebyeTablesStatus::Stopped;
    }
    if (z.im > 0.0) AbsorbingZeta1(t);
    return DebyeTablesStatus::Done;
}

// ---- Angle sums of one ray order: the hot loop -------------------------------------------------------

// The sums over the angles themselves live in angle_loops.h (a baseline and an AVX2 build).

// pi_k(mu) for k = 0..N into pi, by the recurrence of the angle sums.
void PiColumn(double mu, int N, double* pi) {
    pi[0] = 0.0;
    pi[1] = 1.0;
    for (int k = 2; k <= N; ++k)
        pi[k] = ((2.0 * k - 1.0) / (k - 1.0)) * mu * pi[k - 1] - (k / (k - 1.0)) * pi[k - 2];
}

// ---- The series: pieces of DebyePlaneWave -----------------------------------------------------------

void Refuse(DebyeResult& r, DebyeRefusal why, std::string message) {
    r.status = DebyeStatus::Refused;
    r.refusal = why;
    r.message = std::move(message);
    r.title = kErrorTitle;
    for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) std::fill(s->begin(), s->end(), 0.0);
}

std::string IndexText(Complex m) { return MessageNumber(m.re) + " + " + MessageNumber(m.im) + "i"; }

// Checks of x and m, the hand-over and the term counts; false when the call ends here.
bool CheckAndCount(const DebyeInput& in, DebyeResult& r) {
    if (!std::isfinite(in.x) || !(in.x > 0.0)) {
        Refuse(r, DebyeRefusal::BadSize,
               "Size parameter x = " + MessageNumber(in.x) + " is not a finite number above 0");
        return false;
    }
    if (!Finite(in.m) || (in.m.re == 0.0 && in.m.im == 0.0)) {
        Refuse(r, DebyeRefusal::BadIndex,
               "Refractive index m = " + IndexText(in.m) + " is not finite and nonzero");
        return false;
    }
    if (in.rayListText == "0" && in.x * in.m.im > kDebyeHandOverAbsorption) {
        r.status = DebyeStatus::HandOverToMie;
        return false;
    }
    const double mxAbs = ComplexAbs({in.x * in.m.re, in.x * in.m.im});
    if (mxAbs > kDebyeTermLimit) {
        Refuse(r, DebyeRefusal::TooLarge, kTooLarge);
        return false;
    }
    const double nStop = RoundHalfEven(in.x + 4.0 * std::pow(in.x, 0.3333) + 2.0);
    const double nMax = std::floor(AMAX(mxAbs, nStop)) + 15.0;
    if (nMax > kDebyeTermLimit) {  // also bounds nStop, so the counts fit an int
        r.nStop = static_cast<int>(std::fmin(nStop, kDebyeTermLimit + 1.0));
        r.nMax = static_cast<int>(std::fmin(nMax, kDebyeTermLimit + 16.0));
        Refuse(r, DebyeRefusal::TooLarge, kTooLarge);
        return false;
    }
    r.nStop = static_cast<int>(nStop);
    r.nMax = static_cast<int>(nMax);
    r.termCount =
        in.graph == DebyeGraph::Convergence ? static_cast<int>(RoundHalfEven(1.2 * r.nStop)) : r.nStop;

    r.NANG = std::max(in.NANG, 2);
    if (r.NANG > kDebyeMaxNang) {
        Refuse(
            r, DebyeRefusal::BadAngles,
            "Number of angles NANG = " + MessageNumber(r.NANG) + " is above " + MessageNumber(kDebyeMaxNang));
        return false;
    }
    const bool complexPath = in.m.im != 0.0 || in.m.re < 1.0;
    if (complexPath) {
        const Complex z = ComplexMult({in.x, 0.0}, in.m);
        if (!Finite(ComplexSin(z)) || !Finite(ComplexCos(z))) {
            Refuse(r, DebyeRefusal::TooAbsorbing,
                   "Absorption too strong for the Debye series (x Im m = " + MessageNumber(in.x * in.m.im) +
                       ", at most 709): reduce radius or absorption, or choose the ray order 0");
            return false;
        }
    }
    return true;
}

// The factors of the angle sums for the orders n = 0..N.
void OrderFactors(DebyeWorkspace& w, int N) {
    Size(w.piA, static_cast<std::size_t>(N) + 1);
    Size(w.piB, static_cast<std::size_t>(N) + 1);
    Size(w.fn, static_cast<std::size_t>(N) + 1);
    for (int k = 2; k <= N; ++k) {
        w.piA[k] = (2.0 * k - 1.0) / (k - 1.0);
        w.piB[k] = k / (k - 1.0);
    }
    for (int n = 1; n <= N; ++n) w.fn[n] = ((2.0 * n + 1.0) * -0.5) / ((n + 1.0) * n);
}

void PrepareAngles(const DebyeInput& in, DebyeResult& r, int orders) {
    const int nang = r.NANG;
    const auto total = static_cast<std::size_t>(2 * nang);
    for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) Size(*s, total);
    const double angleStepRad = kHalfPi / (nang - 1);
    DebyeWorkspace& w = r.work;
    Size(w.mu, static_cast<std::size_t>(nang) + 1);
    for (int J = 1; J <= nang; ++J) w.mu[J] = std::cos((J - 1) * angleStepRad);
    OrderFactors(w, orders);
    const bool convergence = in.graph == DebyeGraph::Convergence;
    const std::size_t shown = convergence ? static_cast<std::size_t>(r.termCount) + 1 : 0;
    Size(r.intensityPerp, shown);
    Size(r.intensityPara, shown);
    Size(r.intensityUnpol, shown);
}

// The angles of one block: indices J whose forward or mirrored index lies in the window.
struct BlockAngles {
    double mu[kBlock];
    int J[kBlock];
    int count;
};

// The angle sums of the coefficients in work.an2, work.bn2 over n = 1..N, block by block; each block
// stored adds stepsPerIndex to stepsDone per index stored and is followed by the callback. False when
// the callback asked for a stop: the blocks stored so far are kept, the others are not touched.
bool SumOrder(const DebyeInput& in, DebyeResult& r, int N, double stepsPerIndex,
              const DebyeStepCallback& onStep) {
    const int nang = r.NANG;
    DebyeWorkspace& w = r.work;
    auto inWindow = [&](int index) { return in.first <= index && index <= in.last; };
    const int group = nang >= kThreadedAngles && N >= kThreadedOrders ? kGroupBlocks : 1;
    if (w.blocks.size() < static_cast<std::size_t>(group)) w.blocks.resize(static_cast<std::size_t>(group));
    BlockAngles angles[kGroupBlocks];
    const angle_loops::DebyeSumBlock sumBlockOf = angle_loops::ChooseDebyeSumBlock(in.baselineVectors);
    auto sumBlock = [&](int b) {
        sumBlockOf(angles[b].mu, N, w.piA.data(), w.piB.data(), w.fn.data(), w.an2.data(), w.bn2.data(),
                   w.blocks[static_cast<std::size_t>(b)]);
    };
    int next = 1;
    while (next <= nang) {
        int blocks = 0;
        for (; blocks < group && next <= nang; ++blocks) {
            BlockAngles& a = angles[blocks];
            a.count = 0;
            for (; next <= nang && a.count < kBlock; ++next) {
                if (!inWindow(next) && (next == nang || !inWindow(2 * nang - next))) continue;
                a.J[a.count] = next;
                a.mu[a.count] = w.mu[next];
                ++a.count;
            }
            if (a.count == 0) break;
            std::fill(a.mu + a.count, a.mu + kBlock, 0.0);
        }
        if (blocks == 0) break;
        SharedPool().ForEach(blocks, sumBlock);
        for (int b = 0; b < blocks; ++b) {
            const BlockAngles& a = angles[b];
            const DebyeBlockSums& sums = w.blocks[static_cast<std::size_t>(b)];
            int stored = 0;
            for (int k = 0; k < a.count; ++k) {
                const int j = a.J[k];
                if (inWindow(j)) {
                    r.S1re[j] += sums.f1r[k];
                    r.S1im[j] += sums.f1i[k];
                    r.S2re[j] += sums.f2r[k];
                    r.S2im[j] += sums.f2i[k];
                    ++stored;
                }
                const int mirror = 2 * nang - j;
                if (j != nang && inWindow(mirror)) {
                    r.S1re[mirror] += sums.b1r[k];
                    r.S1im[mirror] += sums.b1i[k];
                    r.S2re[mirror] += sums.b2r[k];
                    r.S2im[mirror] += sums.b2i[k];
                    ++stored;
                }
            }
            r.stepsDone += stored * stepsPerIndex;
            if (onStep(r.stepsDone, r.stepsTotal)) return false;
        }
    }
    return true;
}

// Blocks of orders n whose selected partial waves are added up as one task of the pool.
constexpr int kWaveBlock = 256;
// In the sums of the selected orders, parts of partial waves below a floor and parts of R11 below
// kSmallR11 (|R11| <= 1) are taken as 0, so that no product in the running powers and sums is
// subnormal, which would slow them down a hundredfold. The floor is kSmallWave (absolute: no term of
// such a wave reaches 1e-80 of an amplitude), or, for an absorbing sphere whose selected waves all lie
// below kFaintWaves (orders p >= 2 attenuated on their internal paths), kWaveRange of the largest of
// them, and never below kSmallestWave.
constexpr double kSmallWave = 1e-100;
constexpr double kFaintWaves = 1e-20;
constexpr double kWaveRange = 1e-80;
constexpr double kSmallestWave = 1e-290;
constexpr double kSmallR11 = 1e-150;

Complex Tidy(Complex c, double floor) {
    return {std::fabs(c.re) < floor ? 0.0 : c.re, std::fabs(c.im) < floor ? 0.0 : c.im};
}

// The floor of the selected waves (see kSmallWave). Their largest is judged within a factor of a few
// from the binary exponents of T21 T12 and R11: for each n, log |T21 T12 R11^(p-1)| is linear in p,
// so the lowest and the highest selected order p >= 1 bound the others.
double WaveFloor(const DebyeCoefficients& k, Complex m, const std::int16_t* rayflag, int pEnd, int orders) {
    if (!(m.im > 0.0)) return kSmallWave;
    int pLow = 0, pHigh = 0;
    bool zero = false;
    for (int p = 0; p <= pEnd; ++p) {
        if (rayflag[p] != 1) continue;
        if (p == 0) {
            zero = true;
        } else {
            pLow = pLow == 0 ? p : pLow;
            pHigh = p;
        }
    }
    const double faint = std::ilogb(kFaintWaves);
    double largest = -std::numeric_limits<double>::infinity();  // binary exponent
    auto larger = [](Complex c) { return std::max(std::fabs(c.re), std::fabs(c.im)); };
    auto consider = [&](double value, double perOrder) {
        if (!(value > 0.0)) return;
        const double e = std::ilogb(value);
        largest = std::max({largest, e + (pLow - 1) * perOrder, e + (pHigh - 1) * perOrder});
    };
    for (int n = 0; n <= orders && largest < faint; ++n) {
        if (zero) {
            consider(larger(k.w0e[n]), 0.0);
            consider(larger(k.w0m[n]), 0.0);
        }
        if (pLow == 0) continue;
        const double r11e = larger(k.r11e[n]), r11m = larger(k.r11m[n]);
        consider(larger(ComplexMult(k.t21e[n], k.t12e[n])), r11e > 0.0 ? std::ilogb(r11e) : -1e4);
        consider(larger(ComplexMult(k.t21m[n], k.t12m[n])), r11m > 0.0 ? std::ilogb(r11m) : -1e4);
    }
    if (!(largest < faint)) return kSmallWave;
    return std::max(kSmallestWave, std::exp2(std::max(largest, -1100.0)) * kWaveRange);
}

// an2, bn2 (n = 0..orders) summed over the orders p = 0..pEnd with rayflag 1, p ascending, each n on
// its own: the waves of DebyeOrderWaves, R11^(p-1) as a running product that ends once it is 0 (parts
// below the floor of WaveFloor taken as 0). The lowest order p whose wave is not finite, or -1.
int SelectedWaves(const DebyeCoefficients& k, Complex m, const std::int16_t* rayflag, int pEnd, int orders,
                  std::vector<Complex>& an2, std::vector<Complex>& bn2, std::vector<int>& overflow) {
    const double floor = WaveFloor(k, m, rayflag, pEnd, orders);
    Size(an2, static_cast<std::size_t>(orders) + 1);
    Size(bn2, static_cast<std::size_t>(orders) + 1);
    const int blocks = orders / kWaveBlock + 1;
    overflow.assign(static_cast<std::size_t>(blocks), -1);
    auto sumBlock = [&](int block) {
        int& bad = overflow[static_cast<std::size_t>(block)];
        const int last = std::min(orders, (block + 1) * kWaveBlock - 1);
        for (int n = block * kWaveBlock; n <= last; ++n) {
            Complex a{}, b{};
            Complex e = Tidy(ComplexMult(k.t21e[n], k.t12e[n]), floor);
            Complex h = Tidy(ComplexMult(k.t21m[n], k.t12m[n]), floor);
            const Complex r11e = Tidy(k.r11e[n], kSmallR11), r11m = Tidy(k.r11m[n], kSmallR11);
            int power = 1;  // e, h = T21 T12 R11^(power - 1)
            for (int p = 0; p <= pEnd; ++p) {
                if (rayflag[p] != 1) continue;
                Complex ap, bp;
                if (p == 0) {
                    ap = Tidy(k.w0e[n], floor);
                    bp = Tidy(k.w0m[n], floor);
                } else {
                    if (e == Complex{} && h == Complex{}) break;  // all higher orders are 0 as well
                    for (; power < p; ++power) {
                        e = Tidy(ComplexMult(e, r11e), floor);
                        h = Tidy(ComplexMult(h, r11m), floor);
                    }
                    ap = e;
                    bp = h;
                }
                if ((!Finite(ap) || !Finite(bp)) && (bad < 0 || p < bad)) bad = p;
                a = ComplexAdd(a, ap);
                b = ComplexAdd(b, bp);
            }
            an2[static_cast<std::size_t>(n)] = a;
            bn2[static_cast<std::size_t>(n)] = b;
        }
    };
    SharedPool().ForEach(blocks, sumBlock);
    int bad = -1;
    for (int p : overflow)
        if (p >= 0 && (bad < 0 || p < bad)) bad = p;
    return bad;
}

// |c| as ComplexAbs forms it, also where |c|^2 would leave the double range.
inline double Modulus(Complex c) {
    const double a = std::sqrt(c.re * c.re + c.im * c.im);
    if (a >= kTinyModulus || (c.re == 0.0 && c.im == 0.0)) return a;
    const double larger = std::max(std::fabs(c.re), std::fabs(c.im));
    return larger * ComplexAbs(Over(c, larger));
}

// The bound (2n + 1)(|an2| + |bn2|) of the terms of order n (|pi_n|, |tau_n| <= n (n + 1)/2).
double TermBound(const std::vector<Complex>& an2, const std::vector<Complex>& bn2, int n) {
    return (2.0 * n + 1.0) * (Modulus(an2[n]) + Modulus(bn2[n]));
}

void StoreConvergence(DebyeResult& r) {
    for (int n = 0; n <= r.termCount; ++n) {
        const double a = ComplexAbs(r.work.an2[n]), b = ComplexAbs(r.work.bn2[n]);
        r.intensityPerp[n] = a * a;
        r.intensityPara[n] = b * b;
        r.intensityUnpol[n] = (r.intensityPara[n] + r.intensityPerp[n]) / 2;
    }
}

}  // namespace

// ---- Stages ------------------------------------------------------------------------------------------

int DebyeConvergedOrders(const std::vector<Complex>& an2, const std::vector<Complex>& bn2, int from,
                         int top) {
    double sum = 0.0;
    int last = from;
    for (int n = 1; n <= top; ++n) {
        const double term = TermBound(an2, bn2, n);
        if (n > from && term >= 1e-16 * sum) last = n;
        sum += term;
    }
    return last;
}

bool DebyeWavesCutShort(const std::vector<Complex>& an2, const std::vector<Complex>& bn2, int top) {
    double sum = 0.0;
    for (int n = 1; n < top - 1; ++n) sum += TermBound(an2, bn2, n);
    return top >= 3 && std::fmax(TermBound(an2, bn2, top - 1), TermBound(an2, bn2, top)) >= kCutShort * sum;
}

int DebyeTableOrders(double x, int termCount, int nMax, bool absorbing) {
    const int top = std::max(termCount, nMax) + (absorbing ? std::max(termCount, nMax) : 0) + kTailOrders;
    const double largest = absorbing ? kFarOrder : kNegligibleOrder;
    double y0 = -std::cos(x) / x, y1 = -std::cos(x) / (x * x) - std::sin(x) / x;  // [3] 10.1.12
    int last = 1;
    for (int n = 2; n <= top; ++n) {
        const double y = ((2.0 * n - 1.0) / x) * y1 - y0;  // [3] 10.1.19
        if (!(std::fabs(y) <= largest)) break;
        last = n;
        y0 = y1;
        y1 = y;
    }
    return std::max(termCount, last);
}

void DebyeFunctionsOfX(double x, int termCount, DebyeTables& t) {
    const auto n = static_cast<std::size_t>(termCount) + 1;
    t.x = x;
    for (auto* v : {&t.jnx, &t.ynx, &t.psiX, &t.chiX}) Size(*v, n);
    for (auto* v : {&t.zeta1x, &t.dzeta1x, &t.zeta2x, &t.dzeta2x}) Size(*v, n);
    RealRiccati(x, termCount, t.jnx.data(), t.ynx.data(), t.psiX.data(), t.chiX.data(), t.zeta1x.data(),
                t.dzeta1x.data(), t.zeta2x.data(), t.dzeta2x.data());
}

DebyeTablesStatus DebyeFunctionsOfMx(double x, Complex m, int termCount, bool recursion, DebyeTables& t,
                                     DebyeStepCallback onOrder) {
    t.termCount = termCount;
    t.mx = ComplexMult({x, 0.0}, m);
    t.complexPath = m.im != 0.0 || m.re < 1.0;
    t.debyeScaleExp = 0;
    t.debyeScale = 1.0;
    t.debyeCplx = {};
    SizeTablesOfMx(t, termCount);
    if (t.complexPath) return ComplexRiccati(t, recursion, onOrder);

    // Real path: the recurrences of the functions of x with r = Re m x; imaginary parts stay 0.
    RealRiccati(m.re * x, termCount, RealParts{t.jnnx.data()}, RealParts{t.ynnx.data()},
                RealParts{t.psiMx.data()}, RealParts{t.chiMx.data()}, t.zeta1nx.data(), t.dzeta1nx.data(),
                t.zeta2nx.data(), t.dzeta2nx.data());
    return DebyeTablesStatus::Done;
}

namespace {

// The coefficients of one order n >= 1 of a sphere below x = 1, where D, N11 and N22 are formed with
// zeta'_n = zeta_(n-1) - n zeta_n / z taken in (see DebyeReflectionTransmission). Electric mode: every
// m X becomes X / m, and the terms n zeta zeta (1/x - 1/(m^2 x)) remain.
struct SmallSphereOrder {
    const DebyeTables& t;
    int n;
    // f(x)' g(mx) - mu f(x) g'(mx) for the mode of mu (m or 1/m) and q = (n / x) (1 - mu / m).
    Complex Cross(Complex fPrev, Complex f, const std::vector<Complex>& g, Complex mu, Complex q) const {
        const Complex first = ComplexMult(fPrev, g[n]);
        const Complex second = ComplexMult(mu, ComplexMult(f, g[n - 1]));
        return ComplexSub(ComplexSub(first, second), ComplexMult(q, ComplexMult(f, g[n])));
    }
};

// Near m = 1 the numerators N11 = zeta1'(x) zeta1(mx) - k zeta1(x) zeta1'(mx), N22 (zeta2 for zeta1)
// and the denominator D = zeta1'(x) zeta2(mx) - k zeta1(x) zeta2'(mx) (k = m magnetic, 1/m electric) are
// differences of values that agree to about |m - 1| (for D, in the orders above x, where these values
// are |y_n(x)|^2 times larger than D): the orders p >= 2, carried there, would keep only
// 1e-16 |y_n(x)|^2 / |m - 1| of their digits. Below kNearOne they come from the ratios
// r_n(z) = zeta1_(n-1)(z)/zeta1_n(z) and u_n(z) = zeta2_(n-1)(z)/zeta2_n(z) (zeta'_n/zeta_n = r_n - n/z):
//   N11 = zeta1(x) zeta1(mx) (d_n + (1 - k) r_n(mx) - q),  N22 = zeta2(x) zeta2(mx) (e_n + (1 - k) u_n(mx) - q),
//   D = 2i zeta2(mx)/zeta2(x) + zeta1(x) zeta2(mx) (e_n + (1 - k) u_n(mx) - q)   (Wronskian zeta1 zeta2' -
//   zeta1' zeta2 = -2i), q = (n/x)(1 - k/m),
// where the differences d_n = r_n(x) - r_n(mx), e_n = u_n(x) - u_n(mx) have recurrences of their own,
// d_n = r_n(x) r_n(mx) ((2n - 1)(1 - m)/(mx) + d_(n-1)), d_1 = x (m - 1)/((x + i)(mx + i)) (e_n alike,
// with -i for i), beside r_1(z) = iz/(z + i), u_1(z) = -iz/(z - i), r_n = 1/((2n - 1)/z - r_(n-1))
// ([3] 10.1.19). Upwards r_n and d_n are stable for Im m >= 0, where zeta1_n(mx) grows with n; zeta2_n(mx)
// falls with n by up to e^(x Im m) below n = |m x|, and the errors of u_n and e_n grow as much: the ratios
// serve while x Im m <= kNearOneAbsorption (beyond, |m - 1| >= 1/x, and the differences lose less).
constexpr double kNearOne = 1e-2;
constexpr double kNearOneAbsorption = 1.0;

class NearOneCoefficients {
  public:
    struct Mode {
        Complex oneMinusK, q;  // 1 - k and (n/x)(1 - k/m)
    };
    NearOneCoefficients(double x, Complex m) : x_(x), mx_(ComplexMult({x, 0.0}, m)) {
        const Complex mMinusOne{m.re - 1.0, m.im}, i{0.0, 1.0}, xc{x, 0.0};
        step_ = Div(Neg(mMinusOne), mx_);
        r_ = {Div(ComplexMult(i, xc), {x, 1.0}), Div(ComplexMult(i, mx_), ComplexAdd(mx_, i)),
              Div(Times(x, mMinusOne), ComplexMult({x, 1.0}, ComplexAdd(mx_, i)))};
        u_ = {Div(Neg(ComplexMult(i, xc)), {x, -1.0}), Div(Neg(ComplexMult(i, mx_)), ComplexSub(mx_, i)),
              Div(Times(x, mMinusOne), ComplexMult({x, -1.0}, ComplexSub(mx_, i)))};
    }
    static bool Applies(double x, Complex m) {
        return m.im >= 0.0 && std::hypot(m.re - 1.0, m.im) < kNearOne && x * m.im <= kNearOneAbsorption;
    }
    // The ratios of order n (n = 1, 2, ... in turn).
    void Next(int n) {
        if (n == 1) return;
        for (Ratios* v : {&r_, &u_}) {
            const double a = 2.0 * n - 1.0;
            v->x = Div({1.0, 0.0}, ComplexSub({a / x_, 0.0}, v->x));
            v->mx = Div({1.0, 0.0}, ComplexSub(Div({a, 0.0}, mx_), v->mx));
            v->difference = ComplexMult(ComplexMult(v->x, v->mx), ComplexAdd(Times(a, step_), v->difference));
        }
    }
    Complex N11(const DebyeTables& t, int n, Mode k) const {
        return ComplexMult(ComplexMult(t.zeta1x[n], t.zeta1nx[n]), Bracket(r_, k));
    }
    Complex N22(const DebyeTables& t, int n, Mode k) const {
        return ComplexMult(ComplexMult(t.zeta2x[n], t.zeta2nx[n]), Bracket(u_, k));
    }
    Complex D(const DebyeTables& t, int n, Mode k) const {
        return ComplexAdd(Div(ComplexMult({0.0, 2.0}, t.zeta2nx[n]), t.zeta2x[n]),
                          ComplexMult(ComplexMult(t.zeta1x[n], t.zeta2nx[n]), Bracket(u_, k)));
    }

  private:
    struct Ratios {
        Complex x, mx, difference;  // the ratio of x, of m x, and the first minus the second
    };
    static Complex Bracket(const Ratios& v, Mode k) {
        return ComplexSub(ComplexAdd(v.difference, ComplexMult(k.oneMinusK, v.mx)), k.q);
    }
    double x_;
    Complex mx_, step_;
    Ratios r_, u_;
};

}  // namespace

bool DebyeReflectionTransmission(const DebyeTables& t, Complex m, DebyeCoefficients& k, bool nearOneRule) {
    const auto size = static_cast<std::size_t>(t.termCount) + 1;
    for (auto* v : {&k.r11m, &k.r22m, &k.t21m, &k.t12m, &k.r11e, &k.r22e, &k.t21e, &k.t12e, &k.w0m, &k.w0e})
        Size(*v, size);
    const Complex twoI{0.0, 2.0};
    const Complex twoIm = ComplexMult(twoI, m);
    const Complex twoIoverM = Div(twoI, m);
    const Complex invM = Div({1.0, 0.0}, m);
    const double S = t.debyeScale;
    const bool small = t.x > 0.0 && t.x < kRatioArgument;  // tables of x made (DebyeFunctionsOfX)
    // Near m = 1, D, N11 and N22 of the orders n >= 1 from the ratios (NearOneCoefficients).
    const bool nearOne = NearOneCoefficients::Applies(t.x, m);
    NearOneCoefficients ratios(t.x, m);
    const Complex oneMinusInvM = Div({m.re - 1.0, m.im}, m);
    const Complex electricQ = ComplexMult(oneMinusInvM, ComplexAdd({1.0, 0.0}, invM));  // 1 - 1/m^2
    using Near = Complex (NearOneCoefficients::*)(const DebyeTables&, int, NearOneCoefficients::Mode) const;
    bool finite = true;
    for (int n = 0; n <= t.termCount; ++n) {
        const bool ratioForm = nearOne && n >= 1;
        if (ratioForm) ratios.Next(n);
        const NearOneCoefficients::Mode magnetic{{1.0 - m.re, -m.im}, {}};
        const NearOneCoefficients::Mode electric{oneMinusInvM, Times(n / t.x, electricQ)};
        auto pick = [&](Complex formed, Near f, const NearOneCoefficients::Mode& mode) {
            return ratioForm ? (ratios.*f)(t, n, mode) : formed;
        };
        if (small && n >= 1) {
            const SmallSphereOrder o{t, n};
            const Complex z1p = t.zeta1x[n - 1], z1 = t.zeta1x[n], z2p = t.zeta2x[n - 1], z2 = t.zeta2x[n];
            const Complex psiP{t.psiX[n - 1], 0.0}, psi{t.psiX[n], 0.0};
            // Magnetic mode: q = 0.
            Complex D = pick(o.Cross(z1p, z1, t.zeta2nx, m, {}), &NearOneCoefficients::D, magnetic);
            k.r11m[n] =
                Div(Neg(pick(o.Cross(z1p, z1, t.zeta1nx, m, {}), &NearOneCoefficients::N11, magnetic)), D);
            k.r22m[n] =
                Div(Neg(pick(o.Cross(z2p, z2, t.zeta2nx, m, {}), &NearOneCoefficients::N22, magnetic)), D);
            k.w0m[n] = Div(Times(-2.0, o.Cross(psiP, psi, t.zeta2nx, m, {})), D);
            k.t21m[n] = Over(Div(twoI, D), S);
            k.t12m[n] = Over(Div(twoIm, D), S);
            // Electric mode: q = (n / x) (1 - 1/m^2).
            const Complex q = Times(n / t.x, ComplexSub({1.0, 0.0}, ComplexMult(invM, invM)));
            D = pick(o.Cross(z1p, z1, t.zeta2nx, invM, q), &NearOneCoefficients::D, electric);
            k.r11e[n] =
                Div(Neg(pick(o.Cross(z1p, z1, t.zeta1nx, invM, q), &NearOneCoefficients::N11, electric)), D);
            k.r22e[n] =
                Div(Neg(pick(o.Cross(z2p, z2, t.zeta2nx, invM, q), &NearOneCoefficients::N22, electric)), D);
            k.w0e[n] = Div(Times(-2.0, o.Cross(psiP, psi, t.zeta2nx, invM, q)), D);
            k.t21e[n] = Over(Div(twoI, D), S);
            k.t12e[n] = Over(Div(twoIoverM, D), S);
        } else {
            const Complex A = ComplexMult(t.dzeta1x[n], t.zeta2nx[n]);
            const Complex B = ComplexMult(t.zeta1x[n], t.dzeta2nx[n]);
            const Complex C11 = ComplexMult(t.dzeta1x[n], t.zeta1nx[n]);
            const Complex E11 = ComplexMult(t.zeta1x[n], t.dzeta1nx[n]);
            const Complex C22 = ComplexMult(t.dzeta2x[n], t.zeta2nx[n]);
            const Complex E22 = ComplexMult(t.zeta2x[n], t.dzeta2nx[n]);

            // Magnetic mode ([1]: D = zeta1'(x) zeta2(mx) - m zeta1(x) zeta2'(mx)).
            Complex D = pick(ComplexSub(A, ComplexMult(m, B)), &NearOneCoefficients::D, magnetic);
            Complex N11 = pick(ComplexSub(C11, ComplexMult(m, E11)), &NearOneCoefficients::N11, magnetic);
            k.r11m[n] = Div(Neg(N11), D);
            Complex N22 = pick(ComplexSub(C22, ComplexMult(m, E22)), &NearOneCoefficients::N22, magnetic);
            // Where -N22 equals D to 1e-8 in both (positive) parts, R22 is taken as exactly 1.
            if (nearOneRule && std::fabs(D.re + N22.re) < N22.re / 1e8 &&
                std::fabs(D.im + N22.im) < N22.im / 1e8)
                k.r22m[n] = {1.0, 0.0};
            else
                k.r22m[n] = Div(Neg(N22), D);
            k.t21m[n] = Over(Div(twoI, D), S);
            k.t12m[n] = Over(Div(twoIm, D), S);

            // Electric mode: every m X becomes X / m.
            D = pick(ComplexSub(A, Div(B, m)), &NearOneCoefficients::D, electric);
            N11 = pick(ComplexSub(C11, Div(E11, m)), &NearOneCoefficients::N11, electric);
            k.r11e[n] = Div(Neg(N11), D);
            N22 = pick(ComplexSub(C22, Div(E22, m)), &NearOneCoefficients::N22, electric);
            k.r22e[n] = Div(Neg(N22), D);
            k.t21e[n] = Over(Div(twoI, D), S);
            k.t12e[n] = Over(Div(twoIoverM, D), S);
            k.w0m[n] = {k.r22m[n].re - 1.0, k.r22m[n].im};
            k.w0e[n] = {k.r22e[n].re - 1.0, k.r22e[n].im};
        }

        for (const auto* v :
             {&k.r11m, &k.r22m, &k.t21m, &k.t12m, &k.r11e, &k.r22e, &k.t21e, &k.t12e, &k.w0m, &k.w0e})
            finite = finite && Finite((*v)[n]);
    }
    return finite;
}

bool DebyePartialWaves(const DebyeCoefficients& k, int p, std::vector<Complex>& an2,
                       std::vector<Complex>& bn2) {
    DebyeOrderWaves waves(k, static_cast<int>(k.r22e.size()) - 1);
    return waves.Order(p, an2, bn2);
}

bool DebyeOrderWaves::Order(int p, std::vector<Complex>& an2, std::vector<Complex>& bn2) {
    const auto size = static_cast<std::size_t>(orders_) + 1;
    an2.assign(size, Complex{});
    bn2.assign(size, Complex{});
    if (p >= 1 && power_ == 0) {  // the first order with a transmission: T21 T12
        e_.resize(size);
        h_.resize(size);
        for (std::size_t n = 0; n < size; ++n) {
            e_[n] = Negligible(ComplexMult(k_.t21e[n], k_.t12e[n]));
            h_[n] = Negligible(ComplexMult(k_.t21m[n], k_.t12m[n]));
        }
        power_ = 1;
    }
    bool finite = true;
    for (std::size_t n = 0; n < size; ++n) {
        if (p == 0) {
            an2[n] = Negligible(k_.w0e[n]);
            bn2[n] = Negligible(k_.w0m[n]);
        } else {
            for (int i = power_; i < p; ++i) {  // one more internal reflection per order
                e_[n] = Negligible(ComplexMult(e_[n], k_.r11e[n]));
                h_[n] = Negligible(ComplexMult(h_[n], k_.r11m[n]));
            }
            an2[n] = e_[n];
            bn2[n] = h_[n];
        }
        finite = finite && Finite(an2[n]) && Finite(bn2[n]);
    }
    if (p >= 1) power_ = p;
    return finite;
}

namespace {

// Stage one of DebyePlaneWave: the Riccati-Bessel tables to `orders`, then the reflection and
// transmission coefficients. Where the orders past termCount leave the number range, the tables are
// made again to the orders of a sphere without absorption, then to termCount. False when the call
// ends here (stopped or refused).
bool MakeCoefficients(const DebyeInput& in, DebyeResult& r, int& orders, const DebyeStepCallback& onStep) {
    DebyeTables& t = r.tables;
    const double stepsTotal = r.stepsTotal;
    auto onOrder = [&](double, double) { return onStep(0.0, stepsTotal); };
    for (;;) {
        DebyeFunctionsOfX(in.x, orders, t);
        const DebyeTablesStatus status =
            DebyeFunctionsOfMx(in.x, in.m, orders, in.mnuDebyeRecursion, t, onOrder);
        if (status == DebyeTablesStatus::Stopped) {
            r.status = DebyeStatus::Stopped;
            return false;
        }
        if (status == DebyeTablesStatus::Done && DebyeReflectionTransmission(t, in.m, r.coefficients))
            return true;
        if (orders > r.termCount) {
            const int near = DebyeTableOrders(in.x, r.termCount, r.nMax);
            orders = orders > near ? near : r.termCount;
            continue;
        }
        if (status == DebyeTablesStatus::Done)
            Refuse(r, DebyeRefusal::NotFinite,
                   "The Debye coefficients overflowed (x = " + MessageNumber(in.x) +
                       ", m = " + IndexText(in.m) + ")");
        else  // BesselRange; TooAbsorbing is ruled out by CheckAndCount
            Refuse(r, DebyeRefusal::BesselRange,
                   std::string(kTooLarge) + " (the Bessel functions of m x = " + IndexText(t.mx) +
                       " leave the number range)");
        return false;
    }
}

}  // namespace

// ---- The series --------------------------------------------------------------------------------------

void DebyePlaneWave(const DebyeInput& in, const RaySelection& rays, DebyeResult& r,
                    DebyeStepCallback onStep) {
    r.status = DebyeStatus::Done;
    r.refusal = DebyeRefusal::None;
    r.message.clear();
    r.title.clear();
    r.stepsDone = 0.0;
    r.ordersDone = 0;
    r.seriesOrders = 0;
    if (!CheckAndCount(in, r)) return;

    r.stepsTotal = (static_cast<double>(in.last) - in.first + 1.0) * rays.rayCount;
    const int near = DebyeTableOrders(in.x, r.termCount, r.nMax);
    int orders = near;
    PrepareAngles(in, r, orders);
    if (in.rayListText == "Multiple" && rays.rayCount == 0) {
        Refuse(r, DebyeRefusal::NoRays, "No rays selected");
        return;
    }
    if (!MakeCoefficients(in, r, orders, onStep)) return;

    // Stage two: the partial waves of the selected orders and their angle sums, over at least
    // max(termCount, nMax) orders (as far as these tables reach) and on while the terms count. Where
    // the selected waves of an absorbing sphere still count at the end of the tables (orders p >= 2
    // carried by the partial waves beyond |m x|), the tables are made again to reach further.
    DebyeWorkspace& w = r.work;
    int from = std::min(orders, std::max(r.termCount, r.nMax));
    const int pEnd = static_cast<int>(
        std::min<std::int64_t>(rays.rayPMax, static_cast<std::int64_t>(rays.rayflag.size()) - 1));
    auto refuseOverflow = [&](int p) {
        Refuse(r, DebyeRefusal::NotFinite,
               "The Debye series overflowed at ray order p = " + MessageNumber(p) +
                   " (x = " + MessageNumber(in.x) + ", m = " + IndexText(in.m) + ")");
    };
    int overflowAt =
        SelectedWaves(r.coefficients, in.m, rays.rayflag.data(), pEnd, orders, w.an2, w.bn2, w.waveOverflow);
    const int far = in.m.im > 0.0 ? DebyeTableOrders(in.x, r.termCount, r.nMax, true) : orders;
    if (overflowAt < 0 && far > orders && DebyeWavesCutShort(w.an2, w.bn2, orders)) {
        OrderFactors(w, far);
        orders = far;
        if (!MakeCoefficients(in, r, orders, onStep)) return;
        overflowAt = SelectedWaves(r.coefficients, in.m, rays.rayflag.data(), pEnd, orders, w.an2, w.bn2,
                                   w.waveOverflow);
        from = std::min(from, orders);  // the tables may have come back shorter
    }
    if (in.graph == DebyeGraph::Convergence) {
        // Order by order: the intensities describe the last order whose coefficients were formed.
        DebyeOrderWaves waves(r.coefficients, orders);
        for (int p = 0; p <= pEnd; ++p) {
            if (rays.rayflag[static_cast<std::size_t>(p)] != 1) continue;
            if (!waves.Order(p, w.an2, w.bn2)) return refuseOverflow(p);
            StoreConvergence(r);
            const int N = DebyeConvergedOrders(w.an2, w.bn2, from, orders);
            r.seriesOrders = std::max(r.seriesOrders, N);
            if (!SumOrder(in, r, N, 1.0, onStep)) {
                r.status = DebyeStatus::Stopped;
                break;
            }
            ++r.ordersDone;
        }
    } else {
        // The selected orders added per n, then one angle sum for all of them.
        int selected = 0;
        for (int p = 0; p <= pEnd; ++p) selected += rays.rayflag[static_cast<std::size_t>(p)] == 1 ? 1 : 0;
        if (overflowAt >= 0) return refuseOverflow(overflowAt);
        r.seriesOrders = DebyeConvergedOrders(w.an2, w.bn2, from, orders);
        if (selected > 0) {
            if (SumOrder(in, r, r.seriesOrders, rays.rayCount, onStep))
                r.ordersDone = selected;
            else
                r.status = DebyeStatus::Stopped;
        }
    }
    if (!AllFinite(r.S1re) || !AllFinite(r.S1im) || !AllFinite(r.S2re) || !AllFinite(r.S2im))
        Refuse(r, DebyeRefusal::NotFinite,
               "The Debye series overflowed (x = " + MessageNumber(in.x) + ", m = " + IndexText(in.m) + ")");
}

// ---- Stand-alone recomputation ----------------------------------------------------------------------

SWStatus SW(const SWInput& in, DebyeTables& t, DebyeCoefficients& k, SWAngles& a, DebyeStepCallback onStep) {
    const int N = in.termCount;
    const auto orders = static_cast<std::size_t>(N) + 1;
    if (N < 1 || in.angleCount < 2 || t.zeta2nx.size() < orders || t.dzeta2nx.size() < orders)
        return SWStatus::NoTables;

    // Tables of x.
    DebyeFunctionsOfX(in.sizeParam, N, t);

    // Transmission coefficients, as the series forms them but without the division by debyeScale.
    for (auto* v : {&k.t21m, &k.t12m, &k.t21e, &k.t12e})
        if (v->size() < orders) v->resize(orders);
    const Complex twoI{0.0, 2.0};
    const Complex twoIm = ComplexMult(twoI, in.m);
    const Complex twoIoverM = Div(twoI, in.m);
    for (int n = 0; n <= N; ++n) {
        const Complex A = ComplexMult(t.dzeta1x[n], t.zeta2nx[n]);
        const Complex B = ComplexMult(t.zeta1x[n], t.dzeta2nx[n]);
        Complex D = ComplexSub(A, ComplexMult(in.m, B));
        k.t21m[n] = Div(twoI, D);
        k.t12m[n] = Div(twoIm, D);
        D = ComplexSub(A, Div(B, in.m));
        k.t21e[n] = Div(twoI, D);
        k.t12e[n] = Div(twoIoverM, D);
    }

    // Angular functions of the highest order.
    const int nang = in.angleCount;
    const auto angles = static_cast<std::size_t>(nang) + 1;
    for (auto* v : {&a.muTable, &a.piTable, &a.tauTable})
        if (v->size() < angles) v->resize(angles);
    if (a.pi0Table.size() < orders) a.pi0Table.resize(orders);
    a.stepsDone = 0.0;
    auto inWindow = [&](int index) { return in.firstPoint <= index && index <= in.lastPoint; };
    auto highestOrder = [&](int J) {
        const double mu = a.muTable[J];
        PiColumn(mu, N, a.pi0Table.data());
        a.piTable[J] = a.pi0Table[N];
        a.tauTable[J] = N * mu * a.pi0Table[N] - (N + 1) * a.pi0Table[N - 1];
    };
    int mirrored = 0;
    for (int J = 1; J < nang; ++J) mirrored += inWindow(2 * nang - J) ? 1 : 0;
    for (int J = 1; J <= nang; ++J) {
        a.muTable[J] = std::cos((J - 1) * in.angleStepRad);
        if (!inWindow(J)) continue;
        highestOrder(J);
        if (onStep(a.stepsDone, mirrored)) return SWStatus::Stopped;
    }
    for (int J = 1; J < nang; ++J) {
        if (!inWindow(2 * nang - J)) continue;
        highestOrder(J);
        a.stepsDone += 1.0;
        if (onStep(a.stepsDone, mirrored)) return SWStatus::Stopped;
    }
    return SWStatus::Done;
}

}  // namespace tessary
