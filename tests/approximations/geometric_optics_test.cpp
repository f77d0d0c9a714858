// Ray optics: the ray-angle search, the branch tables, Descartes and modified Young against the Debye
// terms (and the surface-wave remainder), the mended phases, absorption and the beam weights.
#include "approximations/geometric_optics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <string>
#include <tuple>
#include <vector>

#include "approximations/ray_angle_search.h"
#include "numerics/constants.h"
#include "runs/method_codes.h"
#include "scattering/debye.h"

namespace tessary {
namespace {

constexpr double kDeg = kPi / 180;
const double kSkip = std::nan("");

RaySelection Orders(std::vector<std::int32_t> ps) {
    RaySelection s;
    for (std::int32_t p : ps) s.rayflag[static_cast<std::size_t>(p)] = 1;
    s.rayCount = static_cast<std::int32_t>(ps.size());
    s.rayPMax = ps.back();
    return s;
}

struct Case {
    double x = 1000, mRe = 4.0 / 3, mIm = 0, step = 0.1;
    int method = 8;
    GOVariant variant = GOVariant::GO;
    std::size_t at(double deg) const { return static_cast<std::size_t>(std::lround(deg / step)) + 1; }
    std::int32_t N() const { return static_cast<std::int32_t>(std::lround(90 / step)) + 1; }
};

// S1re, S1im, S2re, S2im over 2N indices.
using Tables = std::array<std::vector<double>, 4>;
double Power(const Tables& S, std::size_t j) {
    return S[0][j] * S[0][j] + S[1][j] * S[1][j] + S[2][j] * S[2][j] + S[3][j] * S[3][j];
}

Tables Rays(const Case& c, std::vector<std::int32_t> ps, GOInput in = {}) {
    in.x = c.x, in.mRe = c.mRe, in.mIm = c.mIm, in.N = c.N(), in.first = 1, in.last = 2 * c.N() - 1;
    in.calcMethod = c.method, in.variant = c.variant;
    Tables S;
    for (auto& v : S) v.assign(static_cast<std::size_t>(2 * c.N()), 0.0);
    GOWorkspace w;
    const ApproxOutcome out = GeometricOptics(in, Orders(ps), {S[0], S[1], S[2], S[3]}, w);
    EXPECT_EQ(out.status, ApproxStatus::Done) << out.message;
    return S;
}

Tables Debye(const Case& c, std::int32_t p) {
    const std::string list = std::to_string(p);
    const DebyeInput in{
        .x = c.x, .m = {c.mRe, c.mIm}, .NANG = c.N(), .first = 1, .last = 2 * c.N() - 1, .rayListText = list};
    DebyeResult d;
    DebyePlaneWave(in, Orders({p}), d);
    return {d.S1re, d.S1im, d.S2re, d.S2im};
}

TEST(RaySearch, BisectionCountsAndNewtonAgrees) {
    const auto check = [](int flag, int p, double target, double low, double high, double b, int midpoints) {
        const RaySearch s = GOAngleCalc(flag, p, 4.0 / 3, target, low, high);
        EXPECT_TRUE(s.found && std::fabs(s.b - b) < 1e-9 && s.midpoints == midpoints)
            << s.b << " " << s.midpoints;
        const RaySearch n = RayOnBranch(p, 4.0 / 3, target, low, high, 0.5);
        EXPECT_TRUE(std::fabs(n.deviation - target) < kRayDeviationTolerance && n.midpoints < midpoints);
    };
    check(0, 0, kPi / 2, 0, 1, 0.7071067691, 24);
    check(1, 1, 30 * kDeg, 1, 0, 0.767866135, 19);
    EXPECT_EQ(GOAngleCalc(0, 0, 4.0 / 3, kPi / 2, 0, 0.1).midpoints, kRaySearchMaxHalvings);  // not bracketed
    EXPECT_EQ(GOAngleCalc(1, 2, std::nan(""), 1.0, 0, 1).midpoints, 1);                       // D is NaN
}

TEST(BranchTables, PointsOfEachOrder) {
    // Variant, order, m, impact parameters, folded deviations in degrees (NaN: not compared).
    const std::vector<std::tuple<GOVariant, int, double, std::vector<double>, std::vector<double>>> rows{
        {GOVariant::GO, 2, 4.0 / 3, {0, 0.8606629658, 1}, {180, 137.970341, 165.638488}},
        {GOVariant::GO, 4, 4.0 / 3, {0, 0.7638292235, 0.9737289911, 1}, {180, 0, 41.614791, 28.723023}},
        {GOVariant::GO, 2, 1.5, {0, kSkip, 0.9921567438, 1}, {180, kSkip, 180, kSkip}},  // past 180
        {GOVariant::GO2, 2, 1.5, {0, kSkip, 1}, {180, kSkip, kSkip}},
        {GOVariant::GO, 2, 1.333, {0, kSkip, 1}, {180, 137.921893, kSkip}},
        {GOVariant::GO, 1, 0.75, {0, 0.75}, {0, 180 - 2 * std::asin(0.75) / kDeg}}};
    for (const auto& [variant, p, m, B, Ddeg] : rows) {
        GOBranchTable t;
        ASSERT_TRUE(GOBranches(variant, p, m, t));
        ASSERT_EQ(t.L + 1, static_cast<int>(B.size())) << p << " " << m;
        for (std::size_t k = 0; k < B.size(); ++k) {
            EXPECT_TRUE(std::isnan(B[k]) || std::fabs(t.B[k] - B[k]) < 1e-9) << k;
            EXPECT_TRUE(std::isnan(Ddeg[k]) || std::fabs(t.D[k] / kDeg - Ddeg[k]) < 1e-5) << k;
        }
    }
    GOBranchTable t;  // order 150 near m = 1: a table of its own size, beyond 101 entries
    EXPECT_TRUE(GOBranches(GOVariant::GO, 150, 1.01, t) && t.L > 100 && t.B.size() == t.D.size());
}

TEST(Descartes, RaysAndDebyeTerms) {
    const Case small{.x = 100, .method = 6};
    const Tables a = Rays(small, {1});
    EXPECT_NEAR(a[0][small.at(30)], 101.862124, 1e-5);
    EXPECT_NEAR(a[2][small.at(30)], 109.175493, 1e-5);
    const Case large{.method = 6};
    const Tables b = Rays(large, {1}), d = Debye(large, 1);
    double rays = 0, debye = 0;
    for (std::size_t j = large.at(30); j <= large.at(60); ++j) rays += Power(b, j), debye += Power(d, j);
    EXPECT_LT(std::fabs(rays / debye - 1), 1e-3);
    const Tables thin = Rays({.mRe = 0.75, .method = 6}, {1});
    EXPECT_NEAR(thin[0][large.at(30)] * thin[0][large.at(30)], 583644, 1);
    // Several orders: one square root of the summed intensities.
    const Tables p0 = Rays(small, {0}), both = Rays(small, {0, 1});
    for (std::size_t j : {2u, 301u, 1500u})
        EXPECT_NEAR(Power(both, j), Power(p0, j) + Power(a, j), 1e-9 * Power(both, j));
}

TEST(YoungMod, AgainstDebyeAndTheSurfaceWaveRemainder) {
    // Order, window in degrees, Im m: the absorbing rows check the attenuation exp(-2 p x Im m cos r).
    for (auto [p, from, to, mIm] :
         std::vector<std::tuple<int, double, double, double>>{{2, 140, 150, 0},
                                                              {3, 20, 30, 0},
                                                              {0, 60, 120, 0},
                                                              {1, 30, 60, 0},
                                                              {1, 30, 60, 1e-4},
                                                              {2, 140, 150, 1e-4}}) {
        for (GOVariant v : {GOVariant::GO, GOVariant::GO2}) {
            const Case run{.mIm = mIm, .step = 0.05, .variant = v};
            const Tables d = Debye(run, p), a = Rays(run, {p});
            double miss = 0, power = 0;
            for (std::size_t j = run.at(from); j <= run.at(to); ++j) {
                power += Power(d, j);
                for (std::size_t k = 0; k < 4; ++k) miss += (a[k][j] - d[k][j]) * (a[k][j] - d[k][j]);
            }
            EXPECT_LT(miss / power, 1e-3) << p;
        }
    }
}

TEST(YoungMod, MendedPhasesAbsorptionAndRefusals) {
    const Case c;
    const Tables p2 = Rays(c, {2}), p3 = Rays(c, {3});
    EXPECT_NEAR(p2[2][c.at(150)], 88.11, 0.01);
    EXPECT_NEAR(p2[3][c.at(150)], 287.38, 0.01);
    EXPECT_NEAR(p3[0][c.at(30)], 8.4313, 1e-4);
    EXPECT_NEAR(p3[1][c.at(30)], -2.1834, 1e-4);
    // A strongly absorbing reflection: the complex Fresnel factor keeps its phase (the Debye term's to
    // within the real-angle approximation of the factor).
    const Case dark{.mIm = 0.5};
    const Tables r = Rays(dark, {0}), d = Debye(dark, 0);
    for (std::size_t j : {dark.at(90), dark.at(120)})
        for (std::size_t k : {0u, 2u})
            EXPECT_LT(std::fabs(std::arg(std::complex<double>(r[k][j], r[k + 1][j]) /
                                         std::complex<double>(d[k][j], d[k + 1][j]))),
                      0.1);
    const Tables weak = Rays({.mIm = 1e-12}, {2});
    double largest = 0, miss = 0;  // only the attenuation exp(-4e-9 cos r) differs
    for (std::size_t k = 0; k < 4; ++k)
        for (std::size_t j = 1; j < weak[k].size(); ++j)
            largest = std::max(largest, std::fabs(p2[k][j])),
            miss = std::max(miss, std::fabs(weak[k][j] - p2[k][j]));
    EXPECT_LT(miss, 1e-8 * largest);
    GOInput in{.x = 1e308, .mRe = 4.0 / 3, .N = 91, .first = 1, .last = 181, .calcMethod = kMethodYoungMod};
    std::vector<double> S(182);
    GOWorkspace w;
    const ApproxOutcome out = GeometricOptics(in, Orders({1}), {S, S, S, S}, w);
    EXPECT_EQ(out.message.rfind("Geometric optics (Young mod) gave amplitudes that are not finite", 0), 0u);
    const ApproxOutcome none = GeometricOptics({.multipleList = true}, RaySelection{}, {S, S, S, S}, w);
    EXPECT_EQ(none.message + none.title, "No rays selectedError");
}

TEST(YoungMod, BeamWeightsOfTheTransmittedRayAtThirtyDegrees) {
    const Case c;
    const std::size_t j = c.at(30);
    const Tables plane = Rays(c, {1});
    const auto weight = [&](bool gaussian, double offset, double width, bool xfPositive) {
        const Tables beam = Rays(c, {1},
                                 {.gaussianWeight = gaussian,
                                  .topHat = !gaussian,
                                  .beamOffsetRel = offset,
                                  .beamWidthRel = width,
                                  .beamXfPositive = xfPositive});
        EXPECT_NEAR(beam[1][j] / plane[1][j], beam[2][j] / plane[2][j], 1e-12);
        return beam[2][j] / plane[2][j];
    };
    EXPECT_NEAR(weight(true, 0, 1, false), 0.55454, 5e-6);
    EXPECT_NEAR(weight(true, 0.5, 0.5, false), 0.75050, 5e-6);
    EXPECT_NEAR(weight(true, 0.5, 0.5, true), 0.0016126, 1e-7);
    EXPECT_NEAR(weight(true, 0, 1e4, false), 1, 1e-8);
    EXPECT_EQ(weight(false, 0.5, 0.3, false), 1);  // top hat: |b - 0.5| = 0.268
    EXPECT_EQ(weight(false, 0.5, 0.2, false), 0);
}

}  // namespace
}  // namespace tessary
