// Gaussian-beam quantities and beam-shape coefficients; see beam_shape.h.
// [1] G. Gouesbet, G. Grehan, Generalized Lorenz-Mie Theories (2011). [2] Abramowitz & Stegun (1964).
#include "beam_shape.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>

#include "numerics/bessel_complex.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "numerics/kernel_support.h"
#include "numerics/worker_pool.h"
#include "platform/text/conversions.h"

namespace tessary {
namespace {

constexpr int kFactorialCut = 70;                 // terms with t or j - t of 70 or more are dropped
constexpr int kLastTerm = 2 * kFactorialCut - 2;  // so every term has j <= 138
constexpr int kMaxSeriesIndex = 1000;
constexpr double kTermNegligible = 1e-30;
constexpr double kTruncationLevel = 1e-18;  // a tail below this part of the sum is lost in rounding

// W(t, u) = (X-)^u (X+)^t / (t! u!) for t, u below the cut: the displacement part of every term,
// the same for all orders n.
struct DisplacementTable {
    std::array<Complex, kFactorialCut * kFactorialCut> w{};
    const Complex& operator()(int t, int u) const {
        return w[static_cast<std::size_t>(t * kFactorialCut + u)];
    }
};

void FillDisplacement(Complex Xplus, Complex Xminus, DisplacementTable& table) {
    std::array<Complex, kFactorialCut> plus{}, minus{};
    std::array<double, kFactorialCut> factorial{};
    for (int p = 0; p < kFactorialCut; ++p) {
        plus[p] = ComplexPower(Xplus, p);
        minus[p] = ComplexPower(Xminus, p);
        factorial[p] = Factorial(p);
    }
    for (int t = 0; t < kFactorialCut; ++t)
        for (int u = 0; u < kFactorialCut; ++u) {
            const Complex product = ComplexMult(minus[u], plus[t]);
            const double f = factorial[t] * factorial[u];
            table.w[static_cast<std::size_t>(t * kFactorialCut + u)] = {product.re / f, product.im / f};
        }
}

// Powers a^j of one order, formed as far as the terms need them.
struct PowerTable {
    Complex a{};
    int count = 0;
    std::array<Complex, kLastTerm + 1> p{};
    const Complex& operator()(int j) {
        while (count <= j) {
            p[static_cast<std::size_t>(count)] = ComplexPower(a, count);
            ++count;
        }
        return p[static_cast<std::size_t>(j)];
    }
};

// The arithmetic of ComplexMult, ComplexAdd and ComplexSub, inline for the inner loop of the series
// (the same operations in the same order, so the same bits).
inline Complex Mul(Complex a, Complex b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }
inline Complex Add(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
inline Complex Sub(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }
inline double Largest(Complex a) { return std::max(std::fabs(a.re), std::fabs(a.im)); }

enum class TermKind { None, Formed, Cut };

// How the coefficients of an order were formed (BeamShapeTables::orderKind).
constexpr unsigned char kSeriesOrder = 0, kBesselOrder = 1, kFailedOrder = 2;
// Threads: with at least kThreadedOrders orders, groups of kOrderGroup orders are formed on the
// worker pool, kOrderTask orders per task.
constexpr int kThreadedOrders = 50;
constexpr int kOrderGroup = 128;
constexpr int kOrderTask = 8;

// The term a^j W(t, j - t) for t = (j - m + offset)/2: None when t is no whole number in 0..j, Cut
// (term 0) when t or j - t is 70 or more.
inline TermKind Term(int j, int m, int offset, const DisplacementTable& W, PowerTable& P, Complex& term) {
    term = {};
    const int twiceT = j - m + offset;
    if (twiceT < 0 || twiceT % 2 != 0) return TermKind::None;
    const int t = twiceT / 2;
    if (t > j) return TermKind::None;
    if (t >= kFactorialCut || j - t >= kFactorialCut) return TermKind::Cut;
    term = Mul(P(j), W(t, j - t));
    return TermKind::Formed;
}

struct Sums {
    Complex sum1{}, sum2{};
    bool truncated = false;  // the cut ended the sum while its terms still counted
};

// Sum1 and Sum2 of one (n, m) by the power series, m = +-1..+-M. The cut at 70 drops every term from
// j = 139 on; where the terms before it have not yet fallen below both the stopping level 1e-30 and
// 1e-18 of the sum (large |z_n|, or large |m| with moderate |z_n|), the sum is marked truncated and
// the caller takes the closed form instead.
Sums SeriesSums(int m, const DisplacementTable& W, PowerTable& P) {
    Sums s;
    double lastFormed = 0.0;  // largest part of the terms of the last j that formed any
    bool cut = false;
    // Terms exist only for j - m odd; the first at j = |m| - 1.
    for (int j = std::abs(m) - 1; j <= kMaxSeriesIndex; j += 2) {
        Complex T1, T2;
        const TermKind k1 = Term(j, m, 1, W, P, T1);
        if (k1 != TermKind::None) {
            s.sum1 = Add(s.sum1, T1);
            s.sum2 = Add(s.sum2, T1);
        }
        const TermKind k2 = Term(j, m, -1, W, P, T2);
        cut = cut || k1 == TermKind::Cut || k2 == TermKind::Cut;
        if (!cut && (k1 == TermKind::Formed || k2 == TermKind::Formed))
            lastFormed = std::max(Largest(T1), Largest(T2));
        if (k2 == TermKind::None) continue;
        s.sum1 = Add(s.sum1, T2);
        s.sum2 = Sub(s.sum2, T2);
        if (std::fabs(T1.re) <= kTermNegligible && std::fabs(T1.im) <= kTermNegligible &&
            std::fabs(T2.re) <= kTermNegligible && std::fabs(T2.im) <= kTermNegligible)
            break;
    }
    if (cut) {
        const double level = std::max(Largest(s.sum1), Largest(s.sum2)) * kTruncationLevel;
        s.truncated = lastFormed > std::max(kTermNegligible, level);
    }
    return s;
}

Complex Phase(double angle) { return ComplexExp({0.0, angle}); }

// The closed form through I_nu: the sums times e^(-Re z) (the scaled Bessel values).
Sums BesselSums(int m, double phi0, const std::vector<Complex>& I) {
    const int mu = std::abs(m);
    Complex first, second;  // the parts that T1 and T2 sum to
    if (m > 0) {
        first = ComplexMult(Phase(-(mu - 1) * phi0), I[static_cast<std::size_t>(mu - 1)]);
        second = ComplexMult(Phase(-(mu + 1) * phi0), I[static_cast<std::size_t>(mu + 1)]);
    } else {
        first = ComplexMult(Phase((mu + 1) * phi0), I[static_cast<std::size_t>(mu + 1)]);
        second = ComplexMult(Phase((mu - 1) * phi0), I[static_cast<std::size_t>(mu - 1)]);
    }
    return {ComplexAdd(first, second), ComplexSub(first, second), false};
}

void Store(BeamShapeTables& tables, int n, int m, Complex K, const Sums& s) {
    if (s.sum1 == Complex{} && s.sum2 == Complex{}) return;  // the tables hold 0 already
    const std::size_t i = tables.Index(n, std::abs(m));
    const Complex A = ComplexMult(K, s.sum1);
    const Complex B = ComplexMult(ComplexDiv(K, {0.0, 1.0}), s.sum2);
    if (m > 0) {
        tables.beamGPlusA[i] = A;
        tables.beamGPlusB[i] = B;
    } else {
        tables.beamGMinusA[i] = A;
        tables.beamGMinusB[i] = B;
    }
}

// Normalisation (-i/(n + 0.5))^(|m| - 1).
Complex Normalisation(int n, int m) { return ComplexPower({0.0, -1.0 / (n + 0.5)}, std::abs(m) - 1); }

}  // namespace

std::optional<BeamEntryRefusal> RefuseBeamEntry(const std::array<double, 5>& typed) {
    constexpr const char* kNames[] = {"Beam centre xf", "Beam centre yf", "Beam centre zf",
                                      "Beam half-width w0", "Beam azimuth phi"};
    for (std::size_t i = 0; i < 4; ++i) {
        const Checked<float> single = CSng(typed[i]);
        if (!single.ok())
            return BeamEntryRefusal{static_cast<int>(i),
                                    std::string(kNames[i]) + " lies beyond the single-precision range"};
        if (i == 3 && !(single.value > 0.0f))
            return BeamEntryRefusal{
                3, std::string(kNames[3]) + " = " + CStr(single.value) + " is not a finite number above 0"};
    }
    if (!std::isfinite(typed[4])) return BeamEntryRefusal{4, std::string(kNames[4]) + " is not finite"};
    return std::nullopt;
}

BeamRefusal MakeGaussianBeam(const GaussianBeamInput& in, double wavelength, GaussianBeam& b,
                             std::string& message) {
    if (!std::isfinite(wavelength) || !(wavelength > 0.0)) {
        message = "Wavelength = " + MessageNumber(wavelength) + " is not a finite number above 0";
        return BeamRefusal::BadWavelength;
    }
    if (!std::isfinite(in.w0) || !(in.w0 > 0.0f)) {
        message = "Beam half-width w0 = " + MessageNumber(in.w0) + " is not a finite number above 0";
        return BeamRefusal::BadWidth;
    }
    if (!std::isfinite(in.xf) || !std::isfinite(in.yf) || !std::isfinite(in.zf) ||
        !std::isfinite(in.phiDegrees)) {
        message = "Beam position (" + MessageNumber(in.xf) + ", " + MessageNumber(in.yf) + ", " +
                  MessageNumber(in.zf) + ") or azimuth " + MessageNumber(in.phiDegrees) + " is not finite";
        return BeamRefusal::BadBeam;
    }
    b.beamXf = in.xf;
    b.beamYf = in.yf;
    b.beamZf = in.zf;
    b.beamW0 = in.w0;
    b.beamPhi = in.phiDegrees * kPi / 180.0;
    b.beamWaveNumber = kTwoPi / wavelength;
    const double s = 1.0 / (static_cast<double>(b.beamW0) * b.beamWaveNumber);
    b.beamS = static_cast<float>(s);
    if (!std::isfinite(b.beamPhi) || !std::isfinite(b.beamS) || !(b.beamS > 0.0f)) {
        message = "Beam half-width w0 = " + MessageNumber(in.w0) + " at wavelength " +
                  MessageNumber(wavelength) + " gives a confinement factor s = " + MessageNumber(s) +
                  " outside the single-precision range";
        return BeamRefusal::BadWidth;
    }
    const double xf = b.beamXf, yf = b.beamYf, zf = b.beamZf, w0 = b.beamW0, sd = b.beamS;
    // Q = 1 / (1 + iq), q = -2 s zf / w0 in Single.
    const float q = static_cast<float>(-2.0 * sd * zf / w0);
    b.beamFocusTerm = ComplexDiv({1.0, 0.0}, {1.0, static_cast<double>(q)});
    b.rho = std::sqrt((xf * xf + yf * yf) / (w0 * w0));
    b.rho2 = static_cast<float>((xf * xf + yf * yf) / (w0 * w0));
    // G = e^(-Q rho^2) Q e^(-i zf/(s w0)); s w0 = 1/k, so the last factor is e^(-i k zf).
    const Complex L =
        ComplexMult({-b.beamFocusTerm.re, -b.beamFocusTerm.im}, {static_cast<double>(b.rho2), 0.0});
    const Complex E2 = ComplexExp({0.0, static_cast<double>(static_cast<float>(-zf / (sd * w0)))});
    b.gaussCplx = ComplexMult(ComplexMult(ComplexExp(L), b.beamFocusTerm), E2);
    if (!Finite(b.beamFocusTerm) || !Finite(b.gaussCplx) || !std::isfinite(b.rho)) {
        message = "Beam position (" + MessageNumber(in.xf) + ", " + MessageNumber(in.yf) + ", " +
                  MessageNumber(in.zf) + ") against w0 = " + MessageNumber(in.w0) +
                  " leaves the double range";
        return BeamRefusal::BadBeam;
    }
    message.clear();
    return BeamRefusal::None;
}

Complex BeamBesselZ(int n, const GaussianBeam& b) {
    const double factor = (n + 0.5) * 2.0 * static_cast<double>(b.beamS) * b.rho;
    return ComplexMult({factor, 0.0}, b.beamFocusTerm);
}

double BeamAzimuthalBound(Complex z) {
    if (!(z.re >= 6.5)) return 7.0;
    return RoundHalfEven((2.0 * std::fabs(z.im) / z.re + 6.5) * std::sqrt(z.re));
}

void BeamOrderFactors(const GaussianBeam& b, int N, std::vector<Complex>& F) {
    F.assign(static_cast<std::size_t>(std::max(N, 0)) + 1, Complex{});
    const Complex Q = b.beamFocusTerm;
    for (int n = 1; n <= N; ++n) {
        const double u = (n + 0.5) * static_cast<double>(b.beamS);
        const Complex E = ComplexExp({-Q.re * (u * u), -Q.im * (u * u)});
        F[static_cast<std::size_t>(n)] = ComplexMult(b.gaussCplx, E);
    }
}

BeamShapeStatus BeamShapeCoeff1(const GaussianBeam& b, int N, int M, const std::vector<Complex>& F,
                                BeamShapeTables& tables, BeamProgressCallback onOrder) {
    tables.beamNMax = std::max(N, 0);
    tables.beamMMax = std::max(M, 0);
    tables.besselOrders = 0;
    const std::size_t size = tables.Index(tables.beamNMax + 1, 0);
    for (auto* t : {&tables.beamGPlusA, &tables.beamGPlusB, &tables.beamGMinusA, &tables.beamGMinusB})
        t->assign(size, Complex{});

    // Displacement of the beam centre in units of w0, each part in Single.
    const float x0 = b.beamXf / b.beamW0, y0 = b.beamYf / b.beamW0;
    const Complex Xplus{x0, y0}, Xminus{x0, -static_cast<double>(y0)};
    const double rhoX = std::sqrt(static_cast<double>(x0) * x0 + static_cast<double>(y0) * y0);
    const double phi0 = std::atan2(static_cast<double>(y0), static_cast<double>(x0));
    auto W = std::make_unique<DisplacementTable>();
    FillDisplacement(Xplus, Xminus, *W);

    const Complex Q = b.beamFocusTerm;
    const double s = b.beamS;
    // e^(-i k zf) of the beam factor, as G forms it.
    const Complex Qphase = ComplexMult(
        Q, ComplexExp({0.0, static_cast<double>(
                                static_cast<float>(-static_cast<double>(b.beamZf) / (s * b.beamW0)))}));
    // The orders n in groups: the tasks of a group (kOrderTask orders each) run on the worker pool,
    // then the orders are reported in turn. A stop or a failure at n clears the orders above n, so
    // the tables end as if the orders had been formed one by one.
    std::vector<unsigned char>& kind = tables.orderKind;
    kind.assign(static_cast<std::size_t>(tables.beamNMax) + 1, kSeriesOrder);
    const int group = N >= kThreadedOrders ? kOrderGroup : 1;
    int groupFirst = 1, groupLast = 0;
    auto formTask = [&](int task) {
        PowerTable P;
        std::vector<Sums> sums(static_cast<std::size_t>(2 * M + 1));
        const int first = groupFirst + task * kOrderTask, last = std::min(groupLast, first + kOrderTask - 1);
        for (int n = first; n <= last; ++n) {
            const double u = (n + 0.5) * s;
            P.a = ComplexMult({u, 0.0}, Q);
            P.count = 0;
            const double zAbs = 2.0 * ComplexAbs(P.a) * rhoX;
            bool series = zAbs <= kBeamSeriesMaxArgument;
            for (int m = 1; series && m <= M; ++m) {
                sums[static_cast<std::size_t>(M + m)] = SeriesSums(m, *W, P);
                sums[static_cast<std::size_t>(M - m)] = SeriesSums(-m, *W, P);
                for (const Sums& s2 :
                     {sums[static_cast<std::size_t>(M + m)], sums[static_cast<std::size_t>(M - m)]})
                    if (s2.truncated || !Finite(s2.sum1) || !Finite(s2.sum2)) series = false;
            }
            const Complex Fn = F[static_cast<std::size_t>(n)];
            if (series) {
                for (int m = 1; m <= M; ++m) {
                    const Sums& plus = sums[static_cast<std::size_t>(M + m)];
                    const Sums& minus = sums[static_cast<std::size_t>(M - m)];
                    if (plus.sum1 == Complex{} && plus.sum2 == Complex{} && minus.sum1 == Complex{} &&
                        minus.sum2 == Complex{})
                        continue;  // a centred beam above |m| = 1
                    const Complex K = ComplexMult(Normalisation(n, m), Fn);
                    Store(tables, n, m, K, plus);
                    Store(tables, n, -m, K, minus);
                }
            } else if (M > 0) {
                // z_n = 2 a |X|; F(n) e^(Re z) = Q e^(-ikzf) e^(-Q (rho^2 + u^2) + Re z), never above
                // |Q| e^(-Re Q (|X| - u)^2) up to the Single rounding of rho^2.
                const Complex z{2.0 * P.a.re * rhoX, 2.0 * P.a.im * rhoX};
                const BesselIResult I = BesselIScaled(M + 1, z);
                if (I.status != BesselIStatus::Ok) {
                    kind[static_cast<std::size_t>(n)] = kFailedOrder;
                    continue;
                }
                const double r2 = static_cast<double>(b.rho2) + u * u;
                const Complex H = ComplexMult(Qphase, ComplexExp({-Q.re * r2 + z.re, -Q.im * r2}));
                for (int m = 1; m <= M; ++m) {
                    const Complex K = ComplexMult(Normalisation(n, m), H);
                    Store(tables, n, m, K, BesselSums(m, phi0, I.values));
                    Store(tables, n, -m, K, BesselSums(-m, phi0, I.values));
                }
                kind[static_cast<std::size_t>(n)] = kBesselOrder;
            }
        }
    };
    auto clearAbove = [&](int n) {
        for (auto* t : {&tables.beamGPlusA, &tables.beamGPlusB, &tables.beamGMinusA, &tables.beamGMinusB})
            std::fill(t->begin() + static_cast<std::ptrdiff_t>(tables.Index(n + 1, 0)), t->end(), Complex{});
    };
    for (; groupFirst <= N; groupFirst = groupLast + 1) {
        groupLast = std::min(N, groupFirst + group - 1);
        SharedPool().ForEach((groupLast - groupFirst) / kOrderTask + 1, formTask);
        for (int n = groupFirst; n <= groupLast; ++n) {
            if (kind[static_cast<std::size_t>(n)] == kFailedOrder) {
                clearAbove(n - 1);
                return BeamShapeStatus::OutOfRange;
            }
            if (kind[static_cast<std::size_t>(n)] == kBesselOrder) ++tables.besselOrders;
            if (onOrder(BeamStage::Coefficients, n, N)) {
                clearAbove(n);
                return BeamShapeStatus::Stopped;
            }
        }
    }
    return BeamShapeStatus::Done;
}

}  // namespace tessary
