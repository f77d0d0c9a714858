// Surface waves: the critical angle and deviations of m = 4/3, the mode tables against AiryCalc, the
// models at x = 1000 against published values, the Khare chord sums beyond p = 170, the phase
// correction per path (and near m = 1), adding onto the caller's values, finite values at 0 and 180 degrees.
#include "approximations/surface_waves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "numerics/airy.h"
#include "rel_error.h"

namespace tessary {
namespace {

constexpr int kN = 901;  // 0.1 degree

struct Sweep {
    explicit Sweep(SurfaceWaveInput in, double fill = 0.0) : re1(2 * kN, fill), im1(re1), re2(re1), im2(re1) {
        status = SurfaceWaveAmplitudes(in, {re1, im1, re2, im2}, {}).status;
    }
    double abs1(double deg) const { return std::hypot(re1[Index(deg)], im1[Index(deg)]); }
    double abs2(double deg) const { return std::hypot(re2[Index(deg)], im2[Index(deg)]); }
    static std::size_t Index(double deg) { return static_cast<std::size_t>(std::lround(deg * 10)) + 1; }
    std::vector<double> re1, im1, re2, im2;
    ApproxStatus status;
};

SurfaceWaveInput Water(SurfaceModel model, SurfacePaths paths = SurfacePaths::Short) {
    return {1000.0, 4.0 / 3.0, 1, 1, 10, 1.0, model, paths, false, kN, 1, 2 * kN - 1};
}

TEST(SurfaceWaves, CriticalAngleDeviationsAndModeTables) {
    EXPECT_NEAR(SurfaceCriticalAngle(4.0 / 3.0), 0.848062079, 5e-10);
    const double Theta[][2] = {{1, 1.4454685}, {2, 2.8909370}, {5, 0.9441572}, {9, 0.4428458}};
    for (const auto& row : Theta)
        EXPECT_NEAR(SurfaceDeviation(4.0 / 3.0, static_cast<int>(row[0])), row[1], 5e-8);
    for (std::size_t q = 0; q < kSurfaceModes; ++q) {
        const AiryResult r = AiryCalc(-kAiryZeros[q]);
        EXPECT_NEAR(r.ai, 0.0, 1e-10) << q + 1;  // the zeros to 12 digits
        EXPECT_NEAR(r.dai, kAiryZeroDerivatives[q], 1e-11) << q + 1;
    }
}

// p = 1, short path, modes 1-10: |S1|, |S2| at 88, 90 and 95 degrees.
TEST(SurfaceWaves, ModelsAtX1000) {
    struct Row {
        SurfaceModel model;
        double s1[3], s2[3];
    };
    for (const Row& row : {Row{SurfaceModel::Lock, {12.29, 8.57, 3.23}, {12.29, 8.57, 3.23}},
                           Row{SurfaceModel::Khare, {13.31, 9.57, 3.90}, {25.18, 18.54, 8.02}}}) {
        const Sweep r(Water(row.model));
        ASSERT_EQ(r.status, ApproxStatus::Done);
        const double deg[] = {88.0, 90.0, 95.0};
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(r.abs1(deg[k]), row.s1[k], 0.005) << deg[k];
            EXPECT_NEAR(r.abs2(deg[k]), row.s2[k], 0.005) << deg[k];
        }
        EXPECT_EQ(r.abs1(82.0), 0.0);  // below Theta (82.8 degrees) the short path brings nothing
    }
    const Sweep fresh(Water(SurfaceModel::Nussenzveig)), filled(Water(SurfaceModel::Nussenzveig), 1.0);
    EXPECT_EQ(fresh.re1, fresh.re2);  // S1 = S2, added onto what the caller left
    EXPECT_DOUBLE_EQ(filled.im1[1000], 1.0 + fresh.im1[1000]);
}

// By recurrence, equal to the factorial form; finite beyond p = 170 where factorials overflow.
TEST(SurfaceWaves, KhareChordSums) {
    EXPECT_REL_NEAR(KhareChordSum(3, 1.1, 2.0), 2.2 + 2 * 2.2 * 2.2 / 2 + 2.2 * 2.2 * 2.2 / 6, 1e-15);
    SurfaceWaveInput in = Water(SurfaceModel::Khare, SurfacePaths::Both);
    in.p = 200;
    EXPECT_EQ(Sweep(in).status, ApproxStatus::Done);
}

// One mode, both paths: the short path (160 degrees, phi = 0) and the long one (200 degrees,
// phi = -pi/2) each turned by their own Phi_1 (f - 1) + phi. Near m = 1 the fit's t would be negative.
TEST(SurfaceWaves, PhaseCorrectionPerPath) {
    SurfaceWaveInput in = Water(SurfaceModel::Khare);
    in.qMax = 1;
    const Sweep shortPath(in);
    in.paths = SurfacePaths::Long;
    const Sweep longPath(in);
    in.paths = SurfacePaths::Both;
    in.phaseCorrection = true;
    const Sweep corrected(in);
    const std::size_t j = Sweep::Index(160.0);
    const auto turned = [&](const Sweep& r, double deg, double phi) {
        const double eta = deg * 3.14159265358979 / 180.0 - SurfaceDeviation(in.m, 1);
        const double f = (deg - 150.0) * 4E-5 + 0.993388;
        const double a = eta * (in.x + kAiryZeros[0] * std::cbrt(in.x / 2.0) / 2.0) * (f - 1.0) + phi;
        return std::complex<double>(r.re1[j], r.im1[j]) * std::polar(1.0, a);
    };
    const std::complex<double> expected = turned(shortPath, 160.0, 0.0) + turned(longPath, 200.0, -M_PI / 2);
    EXPECT_LE(test::RelError(corrected.re1[j], corrected.im1[j], expected.real(), expected.imag()), 1e-9);
    in.m = 1.0001;
    EXPECT_EQ(Sweep(in).status, ApproxStatus::Done);
}

// On the axis 1/sqrt|sin theta| is infinite (sin pi is 1.2e-16 in doubles: |S1(180)|^2 was 2.8e16);
// each path takes its mean over the angle's cell, |t| <= step/2: (2/step) * 2 sqrt(step/2) =
// sqrt(8/step), 2 sqrt 2 times 1/sqrt(sin 0.1 deg). So both ends stay of the size of their neighbours.
TEST(SurfaceWaves, AxisAnglesStayOfTheSizeOfTheirNeighbours) {
    for (const SurfaceModel model : {SurfaceModel::Khare, SurfaceModel::Lock, SurfaceModel::Nussenzveig}) {
        SCOPED_TRACE(static_cast<int>(model));
        // r = 10 um, 0.65 um, m = 1.333, p = 1, both paths, 0.1 degree steps
        const Sweep r({96.66439, 1.333, 1, 1, 10, 1.0, model, SurfacePaths::Both, false, kN, 1, 2 * kN - 1});
        ASSERT_EQ(r.status, ApproxStatus::Done);
        for (const double end : {0.0, 180.0}) {
            for (const auto abs : {&Sweep::abs1, &Sweep::abs2}) {
                double largest = 0.0;  // |S|^2 within a degree of the end, the end left out
                for (int k = 1; k <= 10; ++k)
                    largest =
                        std::max(largest, std::pow((r.*abs)(end == 0.0 ? 0.1 * k : 180.0 - 0.1 * k), 2));
                EXPECT_TRUE(std::isfinite((r.*abs)(end))) << end;
                EXPECT_LE(std::pow((r.*abs)(end), 2), 10.0 * largest) << end;
            }
            EXPECT_GT(r.abs1(end), 0.0);
        }
    }
}

}  // namespace
}  // namespace tessary
