// Airy theory of the rainbow over the angle grid. [1] van de Hulst (1957), section 13.24.
#include "approximations/airy_theory.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "numerics/airy.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"

namespace tessary {

namespace {

constexpr double kSixteenPiSquared = 157.91367041742942;
constexpr double kDerivativeStep = 0.01;  // half-width of the central difference for Ai'(z)

// What one angle point needs of its order: the Airy argument's scale and the amplitude factors.
struct OrderFactors {
    double zScale = 0.0;  // q x^(2/3) / h^(1/3)
    double thetaR = 0.0;
    double D = 0.0;     // S1 = D Ai(z)
    double S2ai = 0.0;  // S2 = S2ai Ai(z) + S2dai Ai'(z)
    double S2dai = 0.0;
};

OrderFactors FactorsOf(const AiryRainbow& r, double x, double radius) {
    OrderFactors o;
    o.zScale = static_cast<double>(r.q) * std::pow(x, 2.0 / 3.0) / std::pow(r.h, 1.0 / 3.0);
    o.thetaR = r.thetaR;
    o.D = r.D;
    o.S2ai = r.F * (r.tauR - r.iB) * r.D;
    o.S2dai = (-kTwoPi * r.F * r.E / (radius * std::cos(r.tauR))) * r.B * r.B;
    return o;
}

// Adds the order's amplitudes at grid index j (angle theta); false when Ai cannot be evaluated.
bool AddPoint(const OrderFactors& o, double theta, const AmplitudeTables& S, std::int32_t j) {
    const double z = o.zScale * (theta - o.thetaR);
    const AiryResult ai = AiryCalc(z);
    const AiryResult above = AiryCalc(z + kDerivativeStep);
    const AiryResult below = AiryCalc(z - kDerivativeStep);
    if (ai.status != AiryStatus::Ok || above.status != AiryStatus::Ok || below.status != AiryStatus::Ok)
        return false;
    const double dai = (above.ai - below.ai) / (2.0 * kDerivativeStep);  // central difference
    const auto i = static_cast<std::size_t>(j);
    S.S1re[i] += o.D * ai.ai;
    S.S1im[i] = 0.0;
    S.S2re[i] += o.S2ai * ai.ai + o.S2dai * dai;
    return true;
}

ApproxOutcome InvalidOrder() {
    return {ApproxStatus::Refused, "Airy theory is valid only for 1 < m < p", "Error"};
}

}  // namespace

bool AiryOrderValid(double m, std::int32_t p) { return m > 1.0 && m < static_cast<double>(p); }

AiryRainbow AiryRainbowOf(double m, std::int32_t p, double radius, double wavelength) {
    const double P = static_cast<double>(p);
    const double m2 = m * m;
    const double p2 = P * P;
    AiryRainbow r;
    r.tau = std::atan(std::sqrt((m2 - 1.0) / (p2 - m2)));
    r.tauR = std::atan(std::sqrt(p2 * (m2 - 1.0) / (p2 - m2)));
    r.Theta = 2.0 * (r.tau - P * r.tauR);
    r.k = static_cast<std::int64_t>(std::floor(r.Theta / -kPi));
    r.q = r.k % 2 == 0 ? -1 : 1;
    r.thetaR = ArcCos(std::cos(r.Theta));
    r.rPerp = std::sin(r.tau - r.tauR) / std::sin(r.tau + r.tauR);
    r.APerp = (1.0 - r.rPerp * r.rPerp) * std::pow(r.rPerp, p - 1);
    r.h = ((p2 - 1.0) * (p2 - 1.0) / (p2 * (m2 - 1.0))) * std::sqrt((p2 - m2) / (m2 - 1.0));
    r.iB = std::atan(m);
    r.rB = ArcSin(std::sin(r.iB) / m);
    r.F = (1.0 + 1.0 / m2) / std::pow(std::cos(r.iB - r.rB), 3);
    const double h4 = std::pow(r.h, 4);
    r.E = std::sqrt(kTwoPi) *
          std::sqrt(std::fabs(7.0 * r.APerp * r.APerp * std::pow(81.0 / (kSixteenPiSquared * h4), 1.0 / 6.0) *
                              std::cos(r.tau) / std::sin(r.thetaR))) *
          std::pow(r.h, 1.0 / 3.0) * std::sqrt(radius) / std::pow(wavelength, 3.0 / 2.0);
    r.B = std::pow(radius * radius * wavelength / (kTwoPi * r.h), 1.0 / 3.0);
    r.D = r.E * kTwoPi * r.B;
    return r;
}

ApproxOutcome AiryAmplitudes(const AiryInput& in, const RaySelection& rays, const AmplitudeTables& S,
                             const ApproxProgress& progress) {
    const std::int32_t N = std::max<std::int32_t>(in.N, 1);
    for (std::int32_t j = 1; j <= 2 * N - 1; ++j) {
        const auto i = static_cast<std::size_t>(j);
        S.S1re[i] = S.S1im[i] = S.S2re[i] = S.S2im[i] = 0.0;
    }
    const double step = N > 1 ? kHalfPi / static_cast<double>(N - 1) : 0.0;
    const std::int64_t top =
        std::min<std::int64_t>(rays.rayPMax, static_cast<std::int64_t>(rays.rayflag.size()) - 1);
    for (std::int64_t p = 0; p <= top; ++p)
        if (rays.rayflag[static_cast<std::size_t>(p)] == 1 &&
            !AiryOrderValid(in.m, static_cast<std::int32_t>(p)))
            return InvalidOrder();

    double done = 0.0;
    const double total = static_cast<double>(std::max(in.last - in.first + 1, 0)) * rays.rayCount;
    const auto point = [&](const OrderFactors& o, std::int32_t j) {
        if (!AddPoint(o, static_cast<double>(j - 1) * step, S, j)) return ApproxStatus::Refused;
        done += 1.0;
        return progress(done, total) ? ApproxStatus::Stopped : ApproxStatus::Done;
    };
    for (std::int64_t p = 0; p <= top; ++p) {
        if (rays.rayflag[static_cast<std::size_t>(p)] != 1) continue;
        const OrderFactors o = FactorsOf(
            AiryRainbowOf(in.m, static_cast<std::int32_t>(p), in.radius, in.wavelength), in.x, in.radius);
        // First half 0..90 degrees, then the mirrored indices 2N - j.
        for (std::int32_t j = 1; j <= N; ++j) {
            if (j < in.first || j > in.last) continue;
            const ApproxStatus s = point(o, j);
            if (s == ApproxStatus::Refused) return NotFiniteOutcome("Airy theory");
            if (s == ApproxStatus::Stopped) return {ApproxStatus::Stopped, {}, {}};
        }
        for (std::int32_t j = 1; j <= N - 1; ++j) {
            const std::int32_t k = 2 * N - j;
            if (k < in.first || k > in.last) continue;
            const ApproxStatus s = point(o, k);
            if (s == ApproxStatus::Refused) return NotFiniteOutcome("Airy theory");
            if (s == ApproxStatus::Stopped) return {ApproxStatus::Stopped, {}, {}};
        }
    }
    if (!AmplitudesFinite(S, in.first, in.last)) return NotFiniteOutcome("Airy theory");
    return {};
}

}  // namespace tessary
