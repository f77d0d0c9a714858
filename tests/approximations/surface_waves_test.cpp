// Surface waves: the critical angle and deviations of m = 4/3, the mode tables against AiryCalc, the
// three models at x = 1000 against published values (and the Debye p = 1 term), the paths, the Khare
// chord sums at large p, the phase correction, adding onto what the caller left, refusals and stop.
#include "approximations/surface_waves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "numerics/airy.h"
#include "numerics/elementary.h"
#include "rel_error.h"

namespace tessary {
namespace {

constexpr std::int32_t kN = 901;  // 0.1 degree

struct Tables {
    explicit Tables(double fill = 0.0) : re1(2 * kN, fill), im1(2 * kN, fill), re2(2 * kN, fill), im2(2 * kN, fill) {}
    AmplitudeTables spans() { return {re1, im1, re2, im2}; }
    double abs1(std::int32_t j) const { return std::hypot(re1[static_cast<std::size_t>(j)], im1[static_cast<std::size_t>(j)]); }
    double abs2(std::int32_t j) const { return std::hypot(re2[static_cast<std::size_t>(j)], im2[static_cast<std::size_t>(j)]); }
    std::vector<double> re1, im1, re2, im2;
};

SurfaceWaveInput Water(SurfaceModel model, SurfacePaths paths = SurfacePaths::Short) {
    SurfaceWaveInput in;
    in.x = 1000.0;
    in.m = 4.0 / 3.0;
    in.p = 1;
    in.model = model;
    in.paths = paths;
    in.N = kN;
    in.first = 1;
    in.last = 2 * kN - 1;
    return in;
}

std::int32_t Index(double degrees) { return static_cast<std::int32_t>(std::lround(degrees * 10.0)) + 1; }

TEST(SurfaceWaves, CriticalAngleAndDeviationsOfWater) {
    const double m = 4.0 / 3.0;
    EXPECT_NEAR(SurfaceCriticalAngle(m), 0.848062079, 5e-10);
    struct Row {
        std::int32_t p;
        double Theta;
    };
    for (const Row& row : {Row{1, 1.4454685}, Row{2, 2.8909370}, Row{5, 0.9441572}, Row{9, 0.4428458}})
        EXPECT_NEAR(SurfaceDeviation(m, row.p), row.Theta, 5e-8) << row.p;
}

TEST(SurfaceWaves, ModeTablesAreZerosOfAi) {
    for (std::size_t q = 0; q < kSurfaceModes; ++q) {
        const AiryResult r = AiryCalc(-kAiryZeros[q]);
        EXPECT_NEAR(r.ai, 0.0, 1e-10) << q + 1;  // the zeros to 12 digits
        EXPECT_NEAR(r.dai, kAiryZeroDerivatives[q], 1e-11) << q + 1;
    }
}

TEST(SurfaceWaves, ModelsAtX1000) {
    struct Row {
        SurfaceModel model;
        double s1[3];  // |S1| at 88, 90, 95 degrees
        double s2[3];
    };
    const Row rows[] = {{SurfaceModel::Lock, {12.29, 8.57, 3.23}, {12.29, 8.57, 3.23}},
                        {SurfaceModel::Khare, {13.31, 9.57, 3.90}, {25.18, 18.54, 8.02}}};
    const double angles[] = {88.0, 90.0, 95.0};
    for (const Row& row : rows) {
        Tables t;
        ASSERT_EQ(SurfaceWaveAmplitudes(Water(row.model), t.spans(), {}).status, ApproxStatus::Done);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(t.abs1(Index(angles[k])), row.s1[k], 0.005) << angles[k];
            EXPECT_NEAR(t.abs2(Index(angles[k])), row.s2[k], 0.005) << angles[k];
        }
        EXPECT_EQ(t.abs1(Index(82.0)), 0.0);  // short path: below Theta (82.8 degrees) nothing arrives
    }
}

TEST(SurfaceWaves, NussenzveigAndLockGiveS1EqualS2AndAddToTheCallersValues) {
    for (SurfaceModel model : {SurfaceModel::Lock, SurfaceModel::Nussenzveig}) {
        Tables fresh, filled(1.0);
        SurfaceWaveInput in = Water(model, SurfacePaths::Both);
        in.first = 700;
        in.last = 1500;
        ASSERT_EQ(SurfaceWaveAmplitudes(in, fresh.spans(), {}).status, ApproxStatus::Done);
        ASSERT_EQ(SurfaceWaveAmplitudes(in, filled.spans(), {}).status, ApproxStatus::Done);
        for (std::size_t j = 0; j < 2 * kN; ++j) {
            EXPECT_EQ(fresh.re1[j], fresh.re2[j]);
            EXPECT_EQ(fresh.im1[j], fresh.im2[j]);
            EXPECT_DOUBLE_EQ(filled.re1[j], 1.0 + fresh.re1[j]) << j;
            EXPECT_DOUBLE_EQ(filled.im2[j], 1.0 + fresh.im2[j]) << j;
            if (j < 700 || j > 1500) {
                EXPECT_EQ(fresh.re1[j], 0.0) << j;
            }
        }
        EXPECT_GT(fresh.abs1(1000), 0.0);
    }
}

// The chord sums by recurrence equal the factorial form where that is finite and stay finite beyond
// p = 170, where the factorials overflow.
TEST(SurfaceWaves, KhareChordSums) {
    struct Row {
        std::int32_t p;
        double eta, g;
    };
    for (const Row& row : {Row{1, 0.7, 2.3}, Row{5, 1.1, 2.3}, Row{40, 2.0, 4.0}, Row{400, 0.3, 2.3}}) {
        long double direct = 0.0L;
        for (std::int32_t l = 1; l <= row.p; ++l)
            direct += std::exp(std::lgamma(static_cast<long double>(row.p)) - std::lgamma(static_cast<long double>(l)) -
                               std::lgamma(static_cast<long double>(row.p - l + 1)) -
                               std::lgamma(static_cast<long double>(l + 1)) +
                               l * std::log(static_cast<long double>(row.eta * row.g)));
        EXPECT_REL_NEAR(KhareChordSum(row.p, row.eta, row.g), static_cast<double>(direct), 1e-12) << row.p;
    }
    SurfaceWaveInput in = Water(SurfaceModel::Khare, SurfacePaths::Both);
    in.p = 200;
    Tables t;
    EXPECT_EQ(SurfaceWaveAmplitudes(in, t.spans(), {}).status, ApproxStatus::Done);
}

// Phase correction: per path, the first mode's surface phase times f and phi added to that path's
// modes; a single mode keeps its modulus. Near m = 1 the fit's t turns negative below 150 degrees.
TEST(SurfaceWaves, PhaseCorrectionPerPath) {
    SurfaceWaveInput in = Water(SurfaceModel::Khare, SurfacePaths::Short);
    in.qMin = in.qMax = 1;
    const std::int32_t j = Index(160.0);  // short path 160 degrees (phi = 0), long 200 (phi = -pi/2)
    Tables shortOnly, longOnly, corrected;
    ASSERT_EQ(SurfaceWaveAmplitudes(in, shortOnly.spans(), {}).status, ApproxStatus::Done);
    in.paths = SurfacePaths::Long;
    ASSERT_EQ(SurfaceWaveAmplitudes(in, longOnly.spans(), {}).status, ApproxStatus::Done);
    in.paths = SurfacePaths::Both;
    in.phaseCorrection = true;
    ASSERT_EQ(SurfaceWaveAmplitudes(in, corrected.spans(), {}).status, ApproxStatus::Done);
    const double Theta = SurfaceDeviation(in.m, 1);
    const auto turn = [&](const Tables& t, double thetaDeg, double phi) {
        const double eta = thetaDeg * 3.14159265358979 / 180.0 - Theta;
        const double f = (thetaDeg - 150.0) * 4E-5 + 0.993388;
        const double Phi = eta * (in.x + kAiryZeros[0] * std::cbrt(in.x / 2.0) / 2.0);
        const double a = Phi * (f - 1.0) + phi;
        const auto k = static_cast<std::size_t>(j);
        return std::pair{t.re1[k] * std::cos(a) - t.im1[k] * std::sin(a), t.re1[k] * std::sin(a) + t.im1[k] * std::cos(a)};
    };
    const auto [sRe, sIm] = turn(shortOnly, 160.0, 0.0);
    const auto [lRe, lIm] = turn(longOnly, 200.0, -3.14159265358979 / 2.0);
    const auto k = static_cast<std::size_t>(j);
    EXPECT_LE(test::RelError(corrected.re1[k], corrected.im1[k], sRe + lRe, sIm + lIm), 1e-9);

    in.m = 1.0001;
    in.paths = SurfacePaths::Short;
    Tables nearOne;
    EXPECT_EQ(SurfaceWaveAmplitudes(in, nearOne.spans(), {}).status, ApproxStatus::Done);
}

TEST(SurfaceWaves, RefusalsAndStop) {
    struct Row {
        double m;
        int qMin, qMax;
        const char* message;
    };
    for (const Row& row : {Row{1.0, 1, 10, "Refractive index must be greater than 1 for this calculation method"},
                           Row{1.33, 0, 10, "Kmin must be >=1"}, Row{1.33, 1, 26, "Kmax must be <=25"},
                           Row{1.33, 3, 2, "Kmin > Kmax"}}) {
        SurfaceWaveInput in = Water(SurfaceModel::Lock);
        in.m = row.m;
        in.qMin = row.qMin;
        in.qMax = row.qMax;
        Tables t;
        const ApproxOutcome out = SurfaceWaveAmplitudes(in, t.spans(), {});
        EXPECT_EQ(out.status, ApproxStatus::Refused);
        EXPECT_EQ(out.message, row.message);
    }
    SurfaceWaveInput in = Water(SurfaceModel::Khare, SurfacePaths::Both);
    in.amplitude = 1e308;  // overflows in the modes
    Tables t;
    const ApproxOutcome out = SurfaceWaveAmplitudes(in, t.spans(), {});
    EXPECT_EQ(out.status, ApproxStatus::Refused);
    EXPECT_EQ(out.message.rfind("Surface waves gave amplitudes that are not finite", 0), 0u) << out.message;
    int calls = 0;
    const auto stopAtTenth = [&](double, double) { return ++calls == 10; };
    EXPECT_EQ(SurfaceWaveAmplitudes(Water(SurfaceModel::Khare, SurfacePaths::Both), t.spans(), stopAtTenth).status,
              ApproxStatus::Stopped);
    EXPECT_EQ(calls, 10);
}

}  // namespace
}  // namespace tessary
