// Ray optics: the ray-angle search, the branch tables, Descartes against the Debye p = 1 term, the
// modified Young rays against the Debye terms (and the surface-wave remainder), the phases of the
// mended sign rules, absorbing spheres and the Gaussian-beam weights.
#include "approximations/geometric_optics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "approximations/ray_angle_search.h"
#include "numerics/constants.h"
#include "scattering/debye.h"

namespace tessary {
namespace {

constexpr double kDeg = kPi / 180;

RaySelection Order(std::int32_t p) {
    RaySelection s;
    s.rayflag.assign(static_cast<std::size_t>(std::max(p, 50)) + 1, 0);
    s.rayflag[static_cast<std::size_t>(p)] = 1;
    s.rayCount = 1;
    s.rayPMax = p;
    return s;
}

struct Amplitudes {
    std::vector<double> S1re, S1im, S2re, S2im;
    explicit Amplitudes(std::int32_t N) : S1re(2 * N), S1im(2 * N), S2re(2 * N), S2im(2 * N) {}
    AmplitudeTables tables() { return {S1re, S1im, S2re, S2im}; }
};

struct Case {
    double x = 1000, mRe = 4.0 / 3, mIm = 0;
    double stepDeg = 0.1;
    int method = 8;
    GOVariant variant = GOVariant::GO;
};

std::int32_t NangOf(double stepDeg) { return static_cast<std::int32_t>(std::lround(90 / stepDeg)) + 1; }
std::int32_t IndexOf(double deg, double stepDeg) { return static_cast<std::int32_t>(std::lround(deg / stepDeg)) + 1; }

Amplitudes Rays(const Case& r, std::int32_t p, GOInput in = {}) {
    const std::int32_t N = NangOf(r.stepDeg);
    in.x = r.x;
    in.mRe = r.mRe;
    in.mIm = r.mIm;
    in.N = N;
    in.first = 1;
    in.last = 2 * N - 1;
    in.calcMethod = r.method;
    in.variant = r.variant;
    Amplitudes a(N);
    GOWorkspace w;
    const ApproxOutcome out = GeometricOptics(in, Order(p), a.tables(), w);
    EXPECT_EQ(out.status, ApproxStatus::Done) << out.message;
    return a;
}

DebyeResult Debye(const Case& r, std::int32_t p) {
    DebyeInput in;
    in.x = r.x;
    in.m = {r.mRe, r.mIm};
    in.NANG = NangOf(r.stepDeg);
    in.first = 1;
    in.last = 2 * in.NANG - 1;
    const std::string list = std::to_string(p);
    in.rayListText = list;
    DebyeResult d;
    DebyePlaneWave(in, Order(p), d);
    EXPECT_EQ(d.status, DebyeStatus::Done);
    return d;
}

double Power(const std::vector<double>& re, const std::vector<double>& im, std::size_t j) {
    return re[j] * re[j] + im[j] * im[j];
}

// ---- The search ------------------------------------------------------------------------------

struct SearchCase {
    const char* name;
    int flag, p;
    double m, target, low, high, b;
    int midpoints;
};

class Search : public testing::TestWithParam<SearchCase> {};

TEST_P(Search, BisectionAndNewtonFindTheRay) {
    const SearchCase& c = GetParam();
    const RaySearch s = GOAngleCalc(c.flag, c.p, c.m, c.target, c.low, c.high);
    EXPECT_TRUE(s.found);
    EXPECT_NEAR(s.b, c.b, 1e-9);
    EXPECT_EQ(s.midpoints, c.midpoints);
    const RaySearch n = RayOnBranch(c.p, c.m, c.target, c.low, c.high, 0.5);
    EXPECT_TRUE(n.found);
    EXPECT_LT(std::fabs(n.deviation - c.target), kRayDeviationTolerance);
    EXPECT_LT(n.midpoints, c.midpoints);
}

INSTANTIATE_TEST_SUITE_P(Cases, Search,
                         testing::Values(SearchCase{"ReflectionRightAngle", 0, 0, 4.0 / 3, kPi / 2, 0, 1,
                                                    0.7071067691, 24},
                                         SearchCase{"TransmissionThirtyDegrees", 1, 1, 4.0 / 3, 30 * kDeg, 1, 0,
                                                    0.767866135, 19}),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(Search, EndsAfterTwoHundredHalvingsOrAtANonFiniteDeviation) {
    const RaySearch outside = GOAngleCalc(0, 0, 4.0 / 3, kPi / 2, 0, 0.1);  // D >= 2.94 in the bracket
    EXPECT_FALSE(outside.found);
    EXPECT_EQ(outside.midpoints, kRaySearchMaxHalvings);
    const RaySearch nan = GOAngleCalc(1, 2, std::nan(""), 1.0, 0, 1);
    EXPECT_FALSE(nan.found);
    EXPECT_EQ(nan.midpoints, 1);
}

// ---- Branch tables -------------------------------------------------------------------------

struct TableCase {
    const char* name;
    GOVariant variant;
    std::int32_t p;
    double m;
    std::vector<double> B, Ddeg;  // NaN: not compared
};

class Tables : public testing::TestWithParam<TableCase> {};

TEST_P(Tables, BranchPoints) {
    const TableCase& c = GetParam();
    GOBranchTable t;
    ASSERT_TRUE(GOBranches(c.variant, c.p, c.m, t));
    ASSERT_EQ(t.L + 1, static_cast<int>(c.B.size()));
    for (std::size_t k = 0; k < c.B.size(); ++k) {
        if (!std::isnan(c.B[k])) {
            EXPECT_NEAR(t.B[k], c.B[k], 1e-9) << k;
        }
        if (!std::isnan(c.Ddeg[k])) {
            EXPECT_NEAR(t.D[k] / kDeg, c.Ddeg[k], 1e-5) << k;
        }
    }
}

const double kSkip = std::nan("");
INSTANTIATE_TEST_SUITE_P(
    Cases, Tables,
    testing::Values(
        TableCase{"Rainbow", GOVariant::GO, 2, 4.0 / 3, {0, 0.8606629658, 1}, {180, 137.970341, 165.638488}},
        TableCase{"FourthOrderSplitAtTwoPi", GOVariant::GO, 4, 4.0 / 3, {0, 0.7638292235, 0.9737289911, 1},
                  {180, 0, 41.614791, 28.723023}},
        TableCase{"GrazingBeyondBackward", GOVariant::GO, 2, 1.5, {0, kSkip, 0.9921567438, 1},
                  {180, kSkip, 180, kSkip}},
        TableCase{"SubtractionKeepsThreePoints", GOVariant::GO2, 2, 1.5, {0, kSkip, 1}, {180, kSkip, kSkip}},
        TableCase{"WaterBow", GOVariant::GO, 2, 1.333, {0, kSkip, 1}, {180, 137.921893, kSkip}},
        TableCase{"TransmissionBelowOneEndsAtBEqualsM", GOVariant::GO, 1, 0.75, {0, 0.75},
                  {0, 180 - 2 * std::asin(0.75) / kDeg}}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(Tables, HighOrdersNearOneAreMonotoneOnEveryBranch) {
    GOBranchTable t;
    ASSERT_TRUE(GOBranches(GOVariant::GO, 150, 1.01, t));
    EXPECT_GT(t.L, 100);
    for (int k = 0; k < t.L; ++k)
        for (double s : {0.25, 0.5, 0.75}) {
            const double b = t.B[k] + s * (t.B[k + 1] - t.B[k]);
            const double D = std::acos(std::cos(RayDeviation(150, std::asin(b), std::asin(b / 1.01))));
            EXPECT_GE(D, std::fmin(t.D[k], t.D[k + 1]) - 1e-7) << k;
            EXPECT_LE(D, std::fmax(t.D[k], t.D[k + 1]) + 1e-7) << k;
        }
}

// ---- Descartes -----------------------------------------------------------------------------

TEST(Descartes, TransmittedRayAndDebyeTerm) {
    Case small{100, 4.0 / 3, 0, 0.1, 6};
    const Amplitudes a = Rays(small, 1);
    const auto j30 = static_cast<std::size_t>(IndexOf(30, 0.1));
    EXPECT_NEAR(a.S1re[j30], 101.862124, 1e-5);
    EXPECT_NEAR(a.S2re[j30], 109.175493, 1e-5);
    EXPECT_EQ(a.S1im[j30], 0.0);

    Case large{1000, 4.0 / 3, 0, 0.1, 6};
    const Amplitudes b = Rays(large, 1);
    const DebyeResult d = Debye(large, 1);
    double rays = 0, debye = 0;
    for (auto j = static_cast<std::size_t>(IndexOf(30, 0.1)); j <= static_cast<std::size_t>(IndexOf(60, 0.1)); ++j) {
        rays += Power(b.S1re, b.S1im, j) + Power(b.S2re, b.S2im, j);
        debye += Power(d.S1re, d.S1im, j) + Power(d.S2re, d.S2im, j);
    }
    EXPECT_LT(std::fabs(rays / debye - 1), 1e-3);

    const Amplitudes thin = Rays({1000, 0.75, 0, 0.1, 6}, 1);
    EXPECT_NEAR(Power(thin.S1re, thin.S1im, j30), 583644, 1);
}

TEST(Descartes, OrdersAddAsIntensities) {
    Case c{100, 4.0 / 3, 0, 0.1, 6};
    const Amplitudes p0 = Rays(c, 0), p1 = Rays(c, 1);
    RaySelection both = Order(0);
    both.rayflag[1] = 1;
    both.rayCount = 2;
    both.rayPMax = 1;
    GOInput in{.x = 100, .mRe = 4.0 / 3, .N = 901, .first = 1, .last = 1801, .calcMethod = 6};
    Amplitudes s(901);
    GOWorkspace w;
    ASSERT_EQ(GeometricOptics(in, both, s.tables(), w).status, ApproxStatus::Done);
    for (std::size_t j : {2u, 301u, 900u, 1500u})
        EXPECT_NEAR(Power(s.S1re, s.S1im, j), Power(p0.S1re, p0.S1im, j) + Power(p1.S1re, p1.S1im, j),
                    1e-9 * Power(s.S1re, s.S1im, j));
}

// ---- Young mod against the Debye terms -----------------------------------------------------

struct WindowCase {
    const char* name;
    std::int32_t p;
    double fromDeg, toDeg;
};

class YoungModAgainstDebye : public testing::TestWithParam<WindowCase> {};

// Sum over the window of |S - S_Debye|^2 (both polarisations) over the Debye power.
double Remainder(const Amplitudes& a, const DebyeResult& d, const WindowCase& c, double step) {
    double miss = 0, power = 0;
    for (auto j = static_cast<std::size_t>(IndexOf(c.fromDeg, step)); j <= static_cast<std::size_t>(IndexOf(c.toDeg, step)); ++j) {
        const double e[4] = {a.S1re[j] - d.S1re[j], a.S1im[j] - d.S1im[j], a.S2re[j] - d.S2re[j], a.S2im[j] - d.S2im[j]};
        for (double v : e) miss += v * v;
        power += Power(d.S1re, d.S1im, j) + Power(d.S2re, d.S2im, j);
    }
    return miss / power;
}

TEST_P(YoungModAgainstDebye, RelativePowerBelowOnePerMille) {
    const WindowCase& c = GetParam();
    Case go{1000, 4.0 / 3, 0, 0.05, 8};
    const DebyeResult d = Debye(go, c.p);
    EXPECT_LT(Remainder(Rays(go, c.p), d, c, 0.05), 1e-3);
    // The surface-wave subtraction leaves less than a thousandth of the power.
    go.variant = GOVariant::GO2;
    EXPECT_LT(Remainder(Rays(go, c.p), d, c, 0.05), 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Cases, YoungModAgainstDebye,
                         testing::Values(WindowCase{"Rainbow", 2, 140, 150}, WindowCase{"ThirdOrder", 3, 20, 30},
                                         WindowCase{"Reflection", 0, 60, 120},
                                         WindowCase{"Transmission", 1, 30, 60}),
                         [](const auto& i) { return std::string(i.param.name); });

struct PhaseCase {
    const char* name;
    std::int32_t p;
    double deg;
    bool parallel;
    double re, im, tolerance;
};

class MendedPhases : public testing::TestWithParam<PhaseCase> {};

TEST_P(MendedPhases, SignOfEachRayAsTheDebyeTerm) {
    const PhaseCase& c = GetParam();
    const Amplitudes a = Rays({}, c.p);
    const auto j = static_cast<std::size_t>(IndexOf(c.deg, 0.1));
    EXPECT_NEAR(c.parallel ? a.S2re[j] : a.S1re[j], c.re, c.tolerance);
    EXPECT_NEAR(c.parallel ? a.S2im[j] : a.S1im[j], c.im, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Cases, MendedPhases,
                         testing::Values(PhaseCase{"RainbowParallel", 2, 150, true, 88.11, 287.38, 0.01},
                                         PhaseCase{"ThirdOrderPerpendicular", 3, 30, false, 8.4313, -2.1834, 1e-4}),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(YoungMod, TinyAbsorptionGivesTheRealResult) {
    Case real;
    Case absorbing;
    absorbing.mIm = 1e-12;
    const Amplitudes a = Rays(real, 2), b = Rays(absorbing, 2);
    double largest = 0, miss = 0;  // the attenuation exp(-4e-9 cos r) is all that differs
    for (std::size_t j = 1; j < a.S1re.size(); ++j) {
        largest = std::max({largest, std::fabs(a.S1re[j]), std::fabs(a.S2im[j])});
        miss = std::max({miss, std::fabs(b.S1re[j] - a.S1re[j]), std::fabs(b.S2im[j] - a.S2im[j])});
    }
    EXPECT_LT(miss, 1e-8 * largest);
}

TEST(YoungMod, NonFiniteAmplitudesNameTheMethod) {
    GOInput in{.x = 1e308, .mRe = 4.0 / 3, .N = 91, .first = 1, .last = 181, .calcMethod = 8};
    Amplitudes s(91);
    GOWorkspace w;
    const ApproxOutcome out = GeometricOptics(in, Order(1), s.tables(), w);
    EXPECT_EQ(out.status, ApproxStatus::Refused);
    EXPECT_EQ(out.message.rfind("Geometric optics (Young mod) gave amplitudes that are not finite", 0), 0u);
}

// ---- Beams ---------------------------------------------------------------------------------

struct BeamCase {
    const char* name;
    bool gaussian;
    double offsetRel, widthRel;
    bool xfPositive;
    double weight;
};

class BeamWeights : public testing::TestWithParam<BeamCase> {};

TEST_P(BeamWeights, TransmittedRayAtThirtyDegrees) {
    const BeamCase& c = GetParam();
    GOInput in{.gaussianWeight = c.gaussian, .topHat = !c.gaussian, .beamOffsetRel = c.offsetRel,
               .beamWidthRel = c.widthRel, .beamXfPositive = c.xfPositive};
    const Amplitudes plane = Rays({}, 1), beam = Rays({}, 1, in);
    const auto j = static_cast<std::size_t>(IndexOf(30, 0.1));
    EXPECT_NEAR(beam.S1re[j], c.weight * plane.S1re[j], 5e-5 * std::fabs(plane.S1re[j]));
    EXPECT_NEAR(beam.S2im[j], c.weight * plane.S2im[j], 5e-5 * std::fabs(plane.S2im[j]));
}

INSTANTIATE_TEST_SUITE_P(Cases, BeamWeights,
                         testing::Values(BeamCase{"Centred", true, 0, 1, false, 0.55454},
                                         BeamCase{"NegativeOffset", true, 0.5, 0.5, false, 0.75050},
                                         BeamCase{"PositiveOffset", true, 0.5, 0.5, true, 0.0016126},
                                         BeamCase{"WideIsPlane", true, 0, 1e6 / 100, false, 1},
                                         BeamCase{"TopHatInside", false, 0.5, 0.3, false, 1},
                                         BeamCase{"TopHatOutside", false, 0.5, 0.2, false, 0}),
                         [](const auto& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace tessary
