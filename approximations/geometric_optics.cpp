// Ray optics of a sphere, GO and GO2; see geometric_optics.h. Equation numbers refer to [1].
#include "approximations/geometric_optics.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <limits>

#include "approximations/diffraction.h"
#include "approximations/ray_angle_search.h"
#include "numerics/complex.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "runs/method_codes.h"

namespace tessary {

namespace {

constexpr double kCausticFactor = 0.000001;  // ray factor where the divergence G vanishes

double Fold(double D) { return ArcCos(std::cos(D)); }

void AddPoint(GOBranchTable& t, double b, double D) {
    t.B.push_back(b);
    t.Dunfolded.push_back(D);
}

// The point of order p at impact parameter b.
double DeviationAt(std::int32_t p, double m, double b) { return RayDeviation(p, ArcSin(b), ArcSin(b / m)); }

// Appends the points between (b0, D0) (already in the table) and (b1, D1) where the monotone
// deviation passes a multiple of pi, in the order met from b0, then (b1, D1) itself.
bool AddSegment(GOBranchTable& t, std::int32_t p, double m, double b0, double D0, double b1, double D1) {
    if (!std::isfinite(D0) || !std::isfinite(D1)) return false;
    const bool falling = D1 < D0;
    const double low = falling ? b0 : b1;  // the end of the larger deviation
    const double high = falling ? b1 : b0;
    // Multiples k pi strictly between the two deviations, from D0 towards D1: the first one is the
    // nearest beyond D0, however D0 / pi rounds.
    const double step = falling ? -1.0 : 1.0;
    double k = falling ? std::ceil(D0 / kPi) - 1 : std::floor(D0 / kPi) + 1;
    while (falling ? k * kPi >= D0 : k * kPi <= D0) k += step;
    while (falling ? (k + 1) * kPi < D0 : (k - 1) * kPi > D0) k -= step;
    for (int guard = 0; guard <= 2 * p + 4; ++guard, k += step) {
        const double target = k * kPi;
        if (falling ? !(target > D1) : !(target < D1)) break;
        const RaySearch s = GOAngleCalc(0, p, m, target, low, high);
        if (!std::isfinite(s.deviation)) return false;
        AddPoint(t, s.b, s.deviation);
    }
    AddPoint(t, b1, D1);
    return true;
}

}  // namespace

bool GOBranches(GOVariant variant, std::int32_t p, double m, GOBranchTable& t) {
    t.B.clear();
    t.Dunfolded.clear();
    t.D.clear();
    t.bRainbow = 0.0;
    const double P = (p - 1) * kPi;
    bool ok = true;
    if (p == 0) {  // external reflection: pi at the axis, 0 at grazing
        AddPoint(t, 0.0, kPi);
        AddPoint(t, 1.0, 0.0);
    } else if (p == 1) {  // direct transmission; for m < 1 rays enter only up to b = m
        const double bEnd = m < 1.0 ? m : 1.0;
        AddPoint(t, 0.0, 0.0);
        AddPoint(t, bEnd, DeviationAt(p, m, bEnd));
    } else if (m <= 1.0) {  // no rainbow: D falls from the axis to b = m
        AddPoint(t, 0.0, P);
        ok = AddSegment(t, p, m, 0.0, P, m, DeviationAt(p, m, m));
    } else {
        // The rainbow ray, the minimum of D ([1] 13.23); none (b_R = 0) for m >= p.
        const double cosIR = std::sqrt((m * m - 1.0) / (static_cast<double>(p) * p - 1.0));
        t.bRainbow = std::sin(ArcCos(cosIR));
        const double DR = DeviationAt(p, m, t.bRainbow);
        const double DGrazing = kPi - 2.0 * p * ArcSin(std::sin(kHalfPi) / m) + P;
        AddPoint(t, 0.0, P);
        ok = AddSegment(t, p, m, 0.0, P, t.bRainbow, DR);
        if (ok && variant == GOVariant::GO) {
            ok = AddSegment(t, p, m, t.bRainbow, DR, 1.0, DGrazing);
        } else if (ok) {
            AddPoint(t, 1.0, DGrazing);
        }
    }
    t.L = static_cast<int>(t.B.size()) - 1;
    for (double D : t.Dunfolded) t.D.push_back(Fold(D));
    if (!ok) return false;
    return std::all_of(t.Dunfolded.begin(), t.Dunfolded.end(), [](double D) { return std::isfinite(D); });
}

namespace {

Complex Sq(Complex a) { return ComplexMult(a, a); }

// (1 - R^2) R^(p-1), the power in polar form (a real R by a real power).
Complex Transmitted(Complex R, std::int32_t p) {
    const Complex t = ComplexSub({1.0, 0.0}, Sq(R));
    if (p == 1) return t;
    if (R.im == 0.0) {
        const double power = std::pow(std::fabs(R.re), p - 1);
        return {t.re * (R.re < 0 && (p - 1) % 2 == 1 ? -power : power), 0.0};
    }
    const Polar polar = RectangularPolar(R.re, R.im);
    const double n = p - 1;
    return ComplexMult(t, PolarRectangular(std::pow(polar.r, n), polar.angle * n));
}

class RaySummer {
  public:
    RaySummer(const GOInput& in, const AmplitudeTables& S, GOWorkspace& w) : in_(in), S_(S), w_(w) {}

    // Adds the ray (b, i, r) of order p leaving at theta (sin theta given) into index j; false when
    // not finite.
    bool add(std::int32_t p, const RaySearch& ray, double sinTheta, std::size_t j, bool forwardCaustic,
             double bRainbow) {
        Complex a1, a2;
        amplitudes(p, ray, sinTheta, forwardCaustic, a1, a2);
        if (in_.calcMethod == kMethodDescartes) {
            w_.intensityPerp[j] += a1.re * a1.re + a1.im * a1.im;
            w_.intensityPara[j] += a2.re * a2.re + a2.im * a2.im;
            return std::isfinite(w_.intensityPerp[j]) && std::isfinite(w_.intensityPara[j]);
        }
        const double D = p == 0 ? 2.0 * ray.i - kPi : RayDeviation(p, ray.i, ray.r);
        const double weight = beamWeight(ray.b, D);
        if (weight == 0.0) return true;
        const double phi = phase(p, ray, D, bRainbow);
        const double c = std::cos(phi);
        const double sn = std::sin(phi);
        addRay(a1, weight, c, sn, S_.S1re[j], S_.S1im[j]);
        addRay(a2, weight, c, sn, S_.S2re[j], S_.S2im[j]);
        return std::isfinite(S_.S1re[j]) && std::isfinite(S_.S1im[j]) && std::isfinite(S_.S2re[j]) &&
               std::isfinite(S_.S2im[j]);
    }

  private:
    // The complex amplitudes (perpendicular a1, parallel a2) of the ray before its phase.
    void amplitudes(std::int32_t p, const RaySearch& ray, double sinTheta, bool forwardCaustic, Complex& a1,
                    Complex& a2) const {
        const double cosI = std::sqrt(1.0 - ray.b * ray.b);
        const double sinR = std::fmin(ray.b / in_.mRe, 1.0);  // ArcSin clamps b / m above 1
        const double cosR = std::sqrt(1.0 - sinR * sinR);
        // Fresnel factors of [1] 12.21 as amplitude ratios of the first reflection; for p >= 1
        // those of the inner surface (R11 = -R), with the two transmissions (1 - R^2).
        Complex Rperp, Rpara;
        if (in_.mIm == 0.0) {
            const double m = in_.mRe;
            Rperp = {(m * cosR - cosI) / (m * cosR + cosI), 0.0};
            Rpara = {(cosR - m * cosI) / (m * cosI + cosR), 0.0};
        } else {
            const Complex m{in_.mRe, in_.mIm};
            const Complex mCosR = ComplexMult(m, {cosR, 0.0});
            const Complex mCosI = ComplexMult(m, {cosI, 0.0});
            Rperp = ComplexDiv(ComplexSub(mCosR, {cosI, 0.0}), ComplexAdd(mCosR, {cosI, 0.0}));
            Rpara = ComplexDiv(ComplexSub({cosR, 0.0}, mCosI), ComplexAdd(mCosI, {cosR, 0.0}));
        }
        if (p >= 1) {
            Rperp = Transmitted(Rperp, p);
            Rpara = Transmitted(Rpara, p);
        }
        // Divergence of the bundle ([1] 12.32), tan r / tan i written as cos i / (m cos r).
        const double G = (2.0 * p * cosI / (in_.mRe * cosR) - 2.0) * 2.0 * sinTheta;
        const double F = G == 0.0 ? kCausticFactor : in_.x * std::sqrt(std::fabs(2.0 * ray.b * cosI / G));
        a1 = {F * Rperp.re, F * Rperp.im};
        a2 = {F * Rpara.re, F * Rpara.im};
        if (forwardCaustic) forwardValues(p, a1, a2);
        if (in_.mIm != 0.0) {  // attenuation over p chords of length 2 cos r
            const double att = std::exp(-in_.x * 2.0 * p * in_.mIm * cosR);
            a1 = {a1.re * att, a1.im * att};
            a2 = {a2.re * att, a2.im * att};
        }
    }

    // Phase of the ray with unfolded deviation D ([1] 12.4): the optical path, pi/2 per order and per
    // multiple of 2 pi in D, the side of the axis it leaves on and (Young mod.) the focal lines; pi
    // more for a ray of p >= 1 with Int(D / pi) odd, so that its sign is that of the Debye term.
    double phase(std::int32_t p, const RaySearch& ray, double D, double bRainbow) const {
        const double q = std::floor(D / kTwoPi);
        const bool hOdd = std::fmod(std::floor(D / kPi), 2.0) != 0.0;
        const double s = hOdd ? 1.0 : -1.0;
        double f = 0.0;
        if (in_.calcMethod == kMethodYoungMod) f = (ray.b > bRainbow || p < 2) ? 1.0 : -1.0;
        const double phi0 = 2.0 * in_.x * (std::cos(ray.i) - p * in_.mRe * std::cos(ray.r));
        const double phi = phi0 + kHalfPi * (p - 2.0 * q + (f - s) / 2.0);
        return p >= 1 && hOdd ? phi + kPi : phi;
    }

    // GO2 at 0 degrees: the caustic amplitudes replaced by their limits.
    void forwardValues(std::int32_t p, Complex& a1, Complex& a2) const {
        const double x = in_.x;
        if (p == 0) a1 = a2 = {x / 2, 0.0};
        if (p == 1) a1 = a2 = {2 * x, 0.0};
        if (p % 2 == 1) a1 = {2 * x * std::pow((in_.mRe - 1) / (in_.mRe + 1), p - 1), 0.0};
        if (p == 3) a1 = a2 = {x / 128, 0.0};
    }

    // Weight of the Young ray at impact parameter b leaving with unfolded deviation D.
    double beamWeight(double b, double D) const {
        double w = 1.0;
        if (in_.gaussianWeight) {
            // The side of the axis the ray leaves on decides which side of the beam it entered.
            const double Dmod = D - kTwoPi * std::floor(D / kTwoPi);
            const double sigma = ((Dmod < kPi) == in_.beamXfPositive) ? -1.0 : 1.0;
            const double u = (b - sigma * in_.beamOffsetRel) / in_.beamWidthRel;
            w = std::exp(-u * u);
        }
        if (in_.topHat && std::fabs(b - in_.beamOffsetRel) > in_.beamWidthRel) w = 0.0;
        return w;
    }

    // -i a e^(-i phi), or i a e^(i phi) for the central beam, with a complex.
    void addRay(Complex a, double weight, double c, double sn, double& re, double& im) const {
        a = {a.re * weight, a.im * weight};
        if (in_.centralBeam) {
            re -= a.re * sn + a.im * c;
            im += a.re * c - a.im * sn;
        } else {
            re += a.im * c - a.re * sn;
            im -= a.re * c + a.im * sn;
        }
    }

    const GOInput& in_;
    const AmplitudeTables& S_;
    GOWorkspace& w_;
};

const char* MethodName(int calcMethod) {
    if (calcMethod == kMethodDescartes) return "Geometric optics (Descartes)";
    if (calcMethod == kMethodYoung) return "Geometric optics (Young)";
    return "Geometric optics (Young mod)";
}

// The unfolded deviation on branch k whose fold is theta.
double UnfoldedTarget(const GOBranchTable& t, int k, double theta) {
    const double n = std::floor((t.Dunfolded[k] + t.Dunfolded[k + 1]) / 2 / kPi);
    return std::fmod(n, 2.0) == 0.0 ? n * kPi + theta : (n + 1) * kPi - theta;
}

// Descartes: each angle's modulus from the intensities, with the phase S had.
void CombineIntensities(const AmplitudeTables& S, const GOWorkspace& w, std::int32_t first,
                        std::int32_t last) {
    for (std::int32_t idx = first; idx <= last; ++idx) {
        const auto j = static_cast<std::size_t>(idx);
        const auto combine = [](double& re, double& im, double I) {
            const double modulus = std::hypot(re, im);
            const double total = std::sqrt(modulus * modulus + I);
            if (modulus > 0) {
                re *= total / modulus;
                im *= total / modulus;
            } else {
                re = total;
                im = 0.0;
            }
        };
        combine(S.S1re[j], S.S1im[j], w.intensityPerp[j]);
        combine(S.S2re[j], S.S2im[j], w.intensityPara[j]);
    }
}

void CopyIndex(const AmplitudeTables& S, std::size_t to, std::size_t from) {
    S.S1re[to] = S.S1re[from];
    S.S1im[to] = S.S1im[from];
    S.S2re[to] = S.S2re[from];
    S.S2im[to] = S.S2im[from];
}

void AddDiffraction(const GOInput& in, const AmplitudeTables& S, GOWorkspace& w, std::int32_t first,
                    std::int32_t last) {
    if (!in.centralBeam) {
        DiffractionAmplitudes(in.x, in.N, S, first, last);
        return;
    }
    const auto size = static_cast<std::size_t>(2 * in.N);
    for (auto& v : w.diffraction) v.assign(size, 0.0);
    DiffractionAmplitudes(
        in.x, in.N, {w.diffraction[0], w.diffraction[1], w.diffraction[2], w.diffraction[3]}, first, last);
    for (std::int32_t idx = first; idx <= last; ++idx) {
        const auto j = static_cast<std::size_t>(idx);
        S.S1re[j] += w.diffraction[0][j];
        S.S1im[j] += w.diffraction[1][j];
        S.S2re[j] += w.diffraction[2][j];
        S.S2im[j] += w.diffraction[3][j];
    }
}

}  // namespace

ApproxOutcome GeometricOptics(const GOInput& in, const RaySelection& rays, const AmplitudeTables& S,
                              GOWorkspace& w, ApproxProgress progress) {
    const std::int32_t N = std::max<std::int32_t>(in.N, 2);
    const std::int32_t total = 2 * N - 1;
    assert(std::min({S.S1re.size(), S.S1im.size(), S.S2re.size(), S.S2im.size()}) >=
           static_cast<std::size_t>(2 * N));
    const std::int32_t first = std::max<std::int32_t>(in.first, 1);
    const std::int32_t last = std::min<std::int32_t>(in.last, total);
    const bool keep = in.centralBeam || (in.variant == GOVariant::GO2 && in.surfaceWaveSub);
    if (!keep) {
        for (std::int32_t idx = 1; idx <= total; ++idx) {
            const auto j = static_cast<std::size_t>(idx);
            S.S1re[j] = S.S1im[j] = S.S2re[j] = S.S2im[j] = 0.0;
        }
    }
    if (in.multipleList && rays.rayCount == 0 && !in.diffraction)
        return {ApproxStatus::Refused, "No rays selected", "Error"};
    // A top hat wholly beside the sphere (its nearest edge beyond the rim, b = 1) lights no ray.
    if (in.topHat && in.calcMethod != kMethodDescartes && in.beamOffsetRel - in.beamWidthRel > 1.0)
        return {ApproxStatus::Refused, kTopHatMissesSphere, "Error"};
    if (in.diffraction) AddDiffraction(in, S, w, first, last);
    if (in.calcMethod == kMethodDescartes) {
        w.intensityPerp.assign(static_cast<std::size_t>(2 * N), 0.0);
        w.intensityPara.assign(static_cast<std::size_t>(2 * N), 0.0);
    }

    const double step = kHalfPi / (N - 1);
    const double stepsTotal = (static_cast<double>(last) - first + 1) * rays.rayCount;
    double stepsDone = 0.0;
    RaySummer summer(in, S, w);
    ApproxOutcome outcome;
    bool anyOrder = false;
    const std::int32_t pMax =
        std::min<std::int32_t>(rays.rayPMax, static_cast<std::int32_t>(rays.rayflag.size()) - 1);
    for (std::int32_t p = 0; p <= pMax && outcome.status == ApproxStatus::Done; ++p) {
        if (rays.rayflag[static_cast<std::size_t>(p)] != 1) continue;
        anyOrder = true;
        GOBranchTable& t = w.table;
        if (!GOBranches(in.variant, p, in.mRe, t)) return NotFiniteOutcome(MethodName(in.calcMethod));
        for (int half = 0; half < 2 && outcome.status == ApproxStatus::Done; ++half) {
            w.lastB.assign(static_cast<std::size_t>(t.L), std::numeric_limits<double>::quiet_NaN());
            const std::int32_t count = half == 0 ? N : N - 1;
            for (std::int32_t jj = 1; jj <= count; ++jj) {
                const std::int32_t idx = half == 0 ? jj : 2 * N - jj;
                if (idx < first || idx > last) continue;
                const double theta = (idx - 1) * step;
                const double sinTheta = std::sin(theta);
                for (int k = 0; k < t.L; ++k) {
                    const double Dk = t.D[static_cast<std::size_t>(k)];
                    const double Dk1 = t.D[static_cast<std::size_t>(k) + 1];
                    if (!(std::fmin(Dk, Dk1) <= theta && theta <= std::fmax(Dk, Dk1))) continue;
                    const bool fallingUnfolded = t.Dunfolded[k] > t.Dunfolded[k + 1];
                    const double low = fallingUnfolded ? t.B[k] : t.B[k + 1];
                    const double high = fallingUnfolded ? t.B[k + 1] : t.B[k];
                    double& previous = w.lastB[static_cast<std::size_t>(k)];
                    const RaySearch ray =
                        RayOnBranch(p, in.mRe, UnfoldedTarget(t, k, theta), low, high, previous);
                    if (!std::isfinite(ray.deviation)) return NotFiniteOutcome(MethodName(in.calcMethod));
                    previous = ray.b;
                    const bool forwardCaustic = in.variant == GOVariant::GO2 && half == 0 && jj == 1;
                    if (!summer.add(p, ray, sinTheta, static_cast<std::size_t>(idx), forwardCaustic,
                                    t.bRainbow))
                        return NotFiniteOutcome(MethodName(in.calcMethod));
                }
                stepsDone += 1;
                if (progress(stepsDone, stepsTotal)) {
                    outcome.status = ApproxStatus::Stopped;
                    break;
                }
            }
        }
    }
    if (in.calcMethod == kMethodDescartes) CombineIntensities(S, w, first, last);
    if (outcome.status == ApproxStatus::Done && anyOrder) {
        if (in.xMinZero && first <= 1 && 1 <= last) CopyIndex(S, 0, 1);
        if (in.xMax180 && first <= total - 1 && total <= last)
            CopyIndex(S, static_cast<std::size_t>(total), static_cast<std::size_t>(total) - 1);
    }
    if (!AmplitudesFinite(S, first, last)) return NotFiniteOutcome(MethodName(in.calcMethod));
    return outcome;
}

}  // namespace tessary
