// Huygens wavefront amplitudes over the angle grid. [1] van de Hulst (1957), chapter 12.
#include "approximations/huygens.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "numerics/kernel_support.h"

namespace tessary {

namespace {

// Rays deviated further than this from a backward observation angle do not reach it.
constexpr double kBackwardCone = kPi / 9.0;

// Impact parameter of the rainbow ray of order p >= 2 (0 for p < 2): cos i = sqrt((m^2 - 1)/(p^2 - 1)).
double RainbowImpact(double m, std::int32_t p) {
    if (p <= 1) return 0.0;
    const double pp = static_cast<double>(p);
    return std::sin(ArcCos(std::sqrt((m * m - 1.0) / (pp * pp - 1.0))));
}

// The Fresnel factor of a ray of order p from its reflection coefficient r at the surface:
// -r for p = 0, (1 - r^2)(-r)^(p - 1) for p >= 1.
double RayFactor(double r, std::int32_t p) {
    if (p == 0) return -r;
    return (1.0 - r * r) * std::pow(-r, static_cast<double>(p - 1));
}

bool IsOdd(double wholeNumber) { return std::fmod(wholeNumber, 2.0) != 0.0; }

// The wavelet of one wavefront point with its complex amplitudes, added with path phase alpha.
struct Sums {
    double s1re = 0.0, s1im = 0.0, s2re = 0.0, s2im = 0.0;
    void add(const HuygensRays& w, std::size_t n, double alpha, double weight) {
        const double c = weight * std::cos(alpha);
        const double s = weight * std::sin(alpha);
        s1re += w.perpRe[n] * c - w.perpIm[n] * s;
        s1im += w.perpRe[n] * s + w.perpIm[n] * c;
        s2re += w.paraRe[n] * c - w.paraIm[n] * s;
        s2im += w.paraRe[n] * s + w.paraIm[n] * c;
    }
};

// The distance from the wavefront point (X, +-Y) to the foot of its perpendicular on the line through
// the reference point at distance 2 from the centre, seen in direction theta, is 2 + X cos theta +- Y
// sin theta forward and 2 - X cos theta -+ Y sin theta backward. Written without tan theta it holds at
// 0 degrees as well, where the slope form would put the reference point on the far side and flip the
// sign of X, and at 90 degrees, where tan theta is 1.6e16 and the slope form loses digits.
Sums ForwardSums(const HuygensRays& w, double x, double theta) {
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    Sums sums;
    const std::size_t count = w.X.size();
    for (std::size_t n = 0; n < count; ++n) {
        const double along = 2.0 + w.X[n] * c;
        const double across = w.Y[n] * s;
        sums.add(w, n, x * std::fabs(along + across), 1.0);
        if (n >= 1) sums.add(w, n, x * std::fabs(along - across), 1.0);  // the mirror image (X, -Y)
    }
    return sums;
}

// Backward: only rays within kBackwardCone of theta, weighted by cos^2 of the difference, with the
// path phase counted the other way.
Sums BackwardSums(const HuygensRays& w, double x, double theta) {
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    Sums sums;
    const std::size_t count = w.X.size();
    for (std::size_t n = 0; n < count; ++n) {
        const double off = std::fabs(w.deviation[n] - theta);
        if (!(off < kBackwardCone)) continue;
        const double cosOff = std::cos(off);
        const double weight = cosOff * cosOff;
        const double along = 2.0 - w.X[n] * c;
        const double across = w.Y[n] * s;
        sums.add(w, n, -x * std::fabs(along - across), weight);
        if (n >= 1) sums.add(w, n, -x * std::fabs(along + across), weight);
    }
    return sums;
}

void AddAt(const AmplitudeTables& S, std::int32_t k, const Sums& sums) {
    const auto i = static_cast<std::size_t>(k);
    S.S1re[i] += sums.s1re;
    S.S1im[i] += sums.s1im;
    S.S2re[i] += sums.s2re;
    S.S2im[i] += sums.s2im;
}

}  // namespace

void HuygensTrace(double x, double m, double K, std::int32_t p, HuygensRays& rays) {
    const auto count = static_cast<std::size_t>(RoundHalfEven(K)) + 1;
    for (auto* v :
         {&rays.deviation, &rays.X, &rays.Y, &rays.perpRe, &rays.perpIm, &rays.paraRe, &rays.paraIm})
        v->assign(count, 0.0);
    const double pp = static_cast<double>(p);
    const double bRainbow = RainbowImpact(m, p);
    // Each ray stands for a strip 1/K of the radius wide: the weight 1000/K makes the sums converge as
    // K grows and leaves them as they were at the default of 1000 rays.
    const double weight = kHuygensDefaultRays / K;
    double prevX = 0.0;
    double prevY = 0.0;
    for (std::size_t k = 0; k < count; ++k) {
        const double b = static_cast<double>(k) / K;
        const double i = ArcSin(b);
        const double r = ArcSin(b / m);
        const double D = 2.0 * i - 2.0 * pp * r + (pp - 1.0) * kPi;
        // Exit direction, folded into [0, pi].
        double phi = kPi - ((kPi - 2.0 * r) * pp + i);
        phi -= std::floor(phi / kTwoPi) * kTwoPi;
        if (phi > kPi) phi = kTwoPi - phi;
        // Fresnel reflection coefficients at the surface, perpendicular and parallel.
        const double cosI = std::cos(i);
        const double cosR = std::cos(r);
        const double rPerp = (cosI - m * cosR) / (cosI + m * cosR);
        const double rPara = (m * cosI - cosR) / (m * cosI + cosR);
        double aPerp = weight * RayFactor(rPerp, p);
        double aPara = weight * RayFactor(rPara, p);
        if (D == 0.0) {  // the ray along the axis: its focal amplitude, whatever K
            if (p == 0) aPerp = aPara = x / 2.0;
            if (p == 1) aPerp = aPara = 2.0 * x;
            if (p == 3) aPerp = aPara = x / 128.0;
        }
        // Wavefront point: the foot of the perpendicular from the previous point onto this ray, the
        // line through the exit point (cos phi, sin phi) with slope tan D.
        double X = 0.0;
        double Y = 0.0;
        if (k == 0) {
            X = 1.5 * std::cos(D);
        } else {
            const double t = std::tan(D);
            if (t == 0.0) {
                X = prevX;
            } else {
                const double B = static_cast<float>(std::sin(phi) - t * std::cos(phi));  // kept in Single
                const double Q = prevX / t + prevY;
                X = (Q - B) / (1.0 / t + t);
                Y = -(X / t - Q);
            }
        }
        const double dx = X - std::cos(phi);
        const double dy = Y - std::sin(phi);
        const double d = std::sqrt(dx * dx + dy * dy);  // exit point to wavefront point
        // Optical path and quarter-wave terms: the order, the unfolded deviation, the rainbow (caustic)
        // side and the axial focal line.
        const double sPrime = (p < 2 || b > bRainbow) ? 1.0 : -1.0;
        const double q = IsOdd(std::floor(D / kPi)) ? 1.0 : -1.0;
        const double psi = -x * ((1.0 - cosI) + 2.0 * pp * m * cosR + d) +
                           kHalfPi * (pp - 2.0 * std::floor(D / kTwoPi) + sPrime / 2.0 - q / 2.0);
        rays.deviation[k] = D;
        rays.X[k] = X;
        rays.Y[k] = Y;
        // A negative factor is its magnitude with pi added to the phase: the same complex amplitude.
        rays.perpRe[k] = aPerp * std::cos(psi);
        rays.perpIm[k] = aPerp * std::sin(psi);
        rays.paraRe[k] = aPara * std::cos(psi);
        rays.paraIm[k] = aPara * std::sin(psi);
        prevX = X;
        prevY = Y;
    }
}

std::string HuygensCaption(const RaySelection& rays, std::string_view sphereName,
                           std::string_view mediumName) {
    std::string text = "Ray tracing: Huygens (p =";
    const std::int64_t top =
        std::min<std::int64_t>(rays.rayPMax, static_cast<std::int64_t>(rays.rayflag.size()) - 1);
    std::int32_t counted = 0;
    for (std::int64_t p = 0; p <= top; ++p) {
        if (rays.rayflag[static_cast<std::size_t>(p)] != 1) continue;
        ++counted;
        text += " " + std::to_string(p);
        text += counted == rays.rayCount ? ") " : ", ";
    }
    text += " ";
    text += sphereName;
    text += " in ";
    text += mediumName;
    return text;
}

ApproxOutcome HuygensAmplitudes(const HuygensInput& in, const RaySelection& selection, HuygensRays& rays,
                                const AmplitudeTables& S, const ApproxProgress& progress) {
    if (!(in.K >= 1.0 && in.K <= kMaxHuygensRays))
        return {ApproxStatus::Refused, "Number of rays must be between 1 and 1000000", "Input error"};
    const std::int32_t N = in.N;
    for (std::int32_t k = 1; k <= 2 * N - 1; ++k) {
        const auto i = static_cast<std::size_t>(k);
        S.S1re[i] = S.S1im[i] = S.S2re[i] = S.S2im[i] = 0.0;
    }
    const std::int64_t top =
        std::min<std::int64_t>(selection.rayPMax, static_cast<std::int64_t>(selection.rayflag.size()) - 1);
    std::int64_t orders = 0;
    for (std::int64_t p = 0; p <= top; ++p)
        if (selection.rayflag[static_cast<std::size_t>(p)] == 1) ++orders;
    if (orders == 0) return {ApproxStatus::Refused, "No rays selected", "Error"};

    const std::int32_t lo = std::max(in.first, 1);
    const std::int32_t hi = std::min(in.last, 2 * N - 1);
    const double total = static_cast<double>(std::max(0, hi - lo + 1)) * static_cast<double>(orders);
    double done = 0.0;
    const double step = kHalfPi / static_cast<double>(N - 1);
    for (std::int64_t p = 0; p <= top; ++p) {
        if (selection.rayflag[static_cast<std::size_t>(p)] != 1) continue;
        HuygensTrace(in.x, in.m, in.K, static_cast<std::int32_t>(p), rays);
        for (std::int32_t j = std::max(lo, 1); j <= std::min(hi, N); ++j) {  // 0 to 90 degrees
            AddAt(S, j, ForwardSums(rays, in.x, static_cast<double>(j - 1) * step));
            done += 1.0;
            if (progress(done, total)) return {ApproxStatus::Stopped, {}, {}};
        }
        for (std::int32_t j = 1; j <= N - 1; ++j) {  // beyond 90 degrees
            const std::int32_t k = 2 * N - j;
            if (k < lo || k > hi) continue;
            AddAt(S, k, BackwardSums(rays, in.x, static_cast<double>(k - 1) * step));
            done += 1.0;
            if (progress(done, total)) return {ApproxStatus::Stopped, {}, {}};
        }
    }
    return {};
}

}  // namespace tessary
