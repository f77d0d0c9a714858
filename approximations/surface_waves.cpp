// Surface waves of ray order p over the angle grid, by the Khare, Lock or Nussenzveig mode sums.
// [1] Khare (1975), [2] Nussenzveig (1969), [3] Abramowitz & Stegun (1964), table 10.13.
#include "approximations/surface_waves.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "numerics/complex.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"

namespace tessary {

const std::array<double, kSurfaceModes> kAiryZeros{
    2.33810741046, 4.08794944413, 5.5205598281,  6.78670809007, 7.94413358712, 9.02265085334, 10.0401743416,
    11.0085243037, 11.9360155632, 12.8287767529, 13.6914890352, 14.5278299518, 15.340755136,  16.1326851569,
    16.9056339974, 17.6613001057, 18.4011325992, 19.1263804742, 19.8381298917, 20.5373329077, 21.2248299436,
    21.9013675956, 22.5676129175, 23.2241650011, 23.8715644555};

const std::array<double, kSurfaceModes> kAiryZeroDerivatives{
    0.701210822721,  -0.803111369655, 0.865204025894, -0.91085073705, 0.947335709442,
    -0.977922808569, 1.00437012266,   -1.02773868882, 1.04872064859,  -1.06779385916,
    1.08530283135,   -1.10150457028,  1.11659617793,  -1.13073231049, 1.14403667327,
    -1.15660984912,  1.16853478449,   -1.17988072987, 1.19070613116,  -1.20106079152,
    1.21098751487,   -1.2205233739,   1.22970070151,  -1.23854787533, 1.24708994526};

namespace {

constexpr double kHalfSqrt3 = 0.86602540378443865;  // sqrt(3)/2
constexpr double kFitScale = 1.25663706;            // 0.4 pi: the phase fit's angle scale (radians)

// What every angle shares.
struct Shared {
    double x = 0.0;
    double m = 0.0;
    double P = 0.0;       // the ray order as a double
    double root = 0.0;    // sqrt(m^2 - 1)
    double M = 0.0;       // (x/2)^(1/3)
    double khareD = 0.0;  // A x (2/x)^(1/6) / (2 sqrt(pi)): D_q without Ai'(a_q)^2 sqrt|sin theta|
    double psi = 0.0;     // Khare's fixed phase 2 p x sqrt(m^2 - 1) + 2x + pi/12
    double g1 = 0.0;      // Khare's factor per chord, perpendicular 2/sqrt(m^2 - 1)
    double g2 = 0.0;      // and parallel 2 m^2/sqrt(m^2 - 1)
    double lockB = 0.0;   // A 2^(1/6) x^(5/6) / sqrt(pi (m^2 - 1)): B without sqrt|sin theta|
    double nussN = 0.0;   // (2/x)^(1/3)
};

struct PathSums {
    Complex S1{};
    Complex S2{};
};

// The phase correction of the Khare model: the factor f of the first mode's surface phase and the
// phase phi added to every mode of the path, from the path angle (degrees) and eta. The fit's t is
// kept at 0 or above (t^0.7 of a negative t, at eta > 2.51, has no real value).
void PhaseFit(double thetaDeg, double eta, double& f, double& phi) {
    if (thetaDeg < 150.0) {
        const double t = std::max(std::sin((eta / kFitScale) * kHalfPi), 0.0);
        f = 0.97933 + 0.014058 * std::pow(t, 0.7);
    } else {
        f = (thetaDeg - 150.0) * 4E-5 + 0.993388;
    }
    if (thetaDeg < 165.0)
        phi = 0.0;
    else if (thetaDeg < 195.0)
        phi = (kPi / 4.0) * (std::cos(6.0 * (thetaDeg - 165.0) * kPi / 180.0) - 1.0);
    else
        phi = -kPi / 2.0;
}

// sinRoot: sqrt|sin theta| of the path angle, or its stand-in on the axis (see SurfaceWaveAmplitudes).
void AddKhare(const Shared& c, const SurfaceWaveInput& in, double theta, double eta, double sinRoot,
              PathSums& s) {
    const double sum1 = KhareChordSum(in.p, eta, c.g1);
    const double sum2 = KhareChordSum(in.p, eta, c.g2);
    double f = 1.0;
    double phi = 0.0;
    if (in.phaseCorrection) PhaseFit(theta * 180.0 / kPi, eta, f, phi);
    for (int q = in.qMin; q <= in.qMax; ++q) {
        const double a = kAiryZeros[static_cast<std::size_t>(q - 1)];
        const double d = kAiryZeroDerivatives[static_cast<std::size_t>(q - 1)];
        const double Dq = c.khareD / (d * d * sinRoot);
        double Phi = eta * (c.x + a * c.M / 2.0);  // surface phase r eta (2 pi/lambda + |a_q| M/(2r))
        if (q == 1) Phi *= f;
        const double E1 = eta * (kHalfSqrt3 * a * c.M - c.root);
        const double E2 = eta * (kHalfSqrt3 * a * c.M - c.m * c.m * c.root);
        const Complex phase = ComplexExp({0.0, c.psi + Phi + phi});
        const double A1 = Dq * sum1 * std::exp(-E1);
        const double A2 = Dq * sum2 * std::exp(-E2);
        s.S1 = ComplexAdd(s.S1, {A1 * phase.re, A1 * phase.im});
        s.S2 = ComplexAdd(s.S2, {A2 * phase.re, A2 * phase.im});
    }
}

// sum_q w_q Ai'(a_q)^-2 exp(|a_q| scale eta (-sqrt(3)/2 + i/2)) for the Lock and Nussenzveig models.
Complex ModeSum(const SurfaceWaveInput& in, double scale, double eta, double weight) {
    Complex sum{};
    for (int q = in.qMin; q <= in.qMax; ++q) {
        const double a = kAiryZeros[static_cast<std::size_t>(q - 1)];
        const double d = kAiryZeroDerivatives[static_cast<std::size_t>(q - 1)];
        const Complex e = ComplexExp({-kHalfSqrt3 * a * scale * eta, 0.5 * a * scale * eta});
        sum = ComplexAdd(sum, {weight * e.re / (d * d), weight * e.im / (d * d)});
    }
    return sum;
}

void AddLock(const Shared& c, const SurfaceWaveInput& in, double eta, double sinRoot, bool longPath,
             PathSums& s) {
    const double order = longPath ? c.P + 1.0 : c.P;
    const double swPhaseShift = -order * kPi / 2.0 - kPi;
    const double B = c.lockB / sinRoot;
    const double Psi = c.P * c.x * c.root + c.x * eta + kPi / 12.0 + swPhaseShift;
    const Complex sum = ModeSum(in, c.M, eta, 1.0);
    const Complex term = ComplexMult({B * std::cos(Psi), B * std::sin(Psi)}, {eta * sum.re, eta * sum.im});
    s.S1 = ComplexAdd(s.S1, term);
    s.S2 = ComplexAdd(s.S2, term);
}

void AddNussenzveig(const Shared& c, const SurfaceWaveInput& in, double eta, double sinRoot, PathSums& s) {
    const double C = 1000.0 * std::sqrt(c.nussN / kTwoPi) / sinRoot;
    const Complex phase = ComplexExp({0.0, c.x * eta - 15.70796326794895 / 12.0});
    const Complex sum = ModeSum(in, 1.0 / c.nussN, eta, in.amplitude);
    const Complex term = ComplexMult({C * phase.re, C * phase.im}, {eta * sum.re, eta * sum.im});
    s.S1 = ComplexAdd(s.S1, term);
    s.S2 = ComplexAdd(s.S2, term);
}

ApproxOutcome Refusal(const char* message) { return {ApproxStatus::Refused, message, "Error"}; }

}  // namespace

double SurfaceCriticalAngle(double m) { return ArcSin(1.0 / m); }

double SurfaceDeviation(double m, std::int32_t p) {
    double Theta = static_cast<double>(p) * (kPi - 2.0 * SurfaceCriticalAngle(m));
    if (Theta > kTwoPi) Theta -= kTwoPi * std::floor(Theta / kTwoPi);
    return Theta;
}

double KhareChordSum(std::int32_t p, double eta, double g) {
    // term_1 = eta g; term_(l+1) = term_l (p - l)/l eta/(l + 1) g, from C(p - 1, l)/C(p - 1, l - 1).
    double term = eta * g;
    double sum = 0.0;
    for (std::int32_t l = 1; l <= p; ++l) {
        sum += term;
        if (term == 0.0 || !std::isfinite(sum)) break;  // nothing more to add, or overflowed
        const double L = static_cast<double>(l);
        term *= (static_cast<double>(p) - L) / L * eta / (L + 1.0) * g;
    }
    return p >= 1 ? sum : 0.0;
}

ApproxOutcome SurfaceWaveAmplitudes(const SurfaceWaveInput& in, const AmplitudeTables& S,
                                    const ApproxProgress& progress) {
    if (!(in.m > 1.0)) return Refusal("Refractive index must be greater than 1 for this calculation method");
    if (in.qMin < 1) return Refusal("Kmin must be >=1");
    if (in.qMax > kSurfaceModes) return Refusal("Kmax must be <=25");
    if (in.qMin > in.qMax) return Refusal("Kmin > Kmax");
    if (in.N < 2) return Refusal("At least two angles are needed");

    Shared c;
    c.x = in.x;
    c.m = in.m;
    c.P = static_cast<double>(in.p);
    c.root = std::sqrt(in.m * in.m - 1.0);
    c.M = std::pow(in.x / 2.0, 1.0 / 3.0);
    c.khareD = in.amplitude * in.x * std::pow(2.0 / in.x, 1.0 / 6.0) / (2.0 * std::sqrt(kPi));
    c.psi = 2.0 * c.P * in.x * c.root + 2.0 * in.x + kPi / 12.0;
    c.g1 = 2.0 / c.root;
    c.g2 = 2.0 * in.m * in.m / c.root;
    c.lockB = in.amplitude * std::pow(2.0, 1.0 / 6.0) * std::pow(in.x, 5.0 / 6.0) /
              std::sqrt(kPi * (in.m * in.m - 1.0));
    c.nussN = std::pow(2.0 / in.x, 1.0 / 3.0);
    const double Theta = SurfaceDeviation(in.m, in.p);
    const int firstPath = in.paths == SurfacePaths::Long ? 2 : 1;
    const int lastPath = in.paths == SurfacePaths::Short ? 1 : 2;

    const double step = kHalfPi / static_cast<double>(in.N - 1);
    const std::int32_t lo = std::max(in.first, 1);
    const std::int32_t hi = std::min(in.last, 2 * in.N - 1);
    const double total = static_cast<double>(std::max(hi - lo + 1, 0));
    // 1/sqrt|sin theta| is infinite on the axis (0 and 180 degrees, either path); there each path uses
    // its mean over the angle's own grid cell, |theta - axis| <= step/2: sqrt(8/step).
    const double axisSinRoot = std::sqrt(step / 8.0);
    for (std::int32_t j = lo; j <= hi; ++j) {
        const double angle = static_cast<double>(j - 1) * step;
        const bool onAxis = j == 1 || j == 2 * in.N - 1;
        Complex S1{}, S2{};
        for (int path = firstPath; path <= lastPath; ++path) {
            const bool longPath = path == 2;
            const double theta = longPath ? kTwoPi - angle : angle;
            if (!longPath && theta < Theta) continue;  // the wave has not travelled far enough yet
            const double eta = theta - Theta;
            if (eta < 0.0) continue;
            const double sinRoot = onAxis ? axisSinRoot : std::sqrt(std::fabs(std::sin(theta)));
            PathSums sums;
            switch (in.model) {
                case SurfaceModel::Khare:
                    AddKhare(c, in, theta, eta, sinRoot, sums);
                    break;
                case SurfaceModel::Lock:
                    AddLock(c, in, eta, sinRoot, longPath, sums);
                    break;
                case SurfaceModel::Nussenzveig:
                    AddNussenzveig(c, in, eta, sinRoot, sums);
                    break;
            }
            S1 = ComplexAdd(S1, sums.S1);
            S2 = ComplexAdd(S2, sums.S2);
        }
        const auto i = static_cast<std::size_t>(j);
        S.S1re[i] += S1.re;
        S.S1im[i] += S1.im;
        S.S2re[i] += S2.re;
        S.S2im[i] += S2.im;
        if (progress(static_cast<double>(j - lo + 1), total)) return {ApproxStatus::Stopped, {}, {}};
    }
    if (!AmplitudesFinite(S, lo, hi)) return NotFiniteOutcome("Surface waves");
    return {};
}

}  // namespace tessary
