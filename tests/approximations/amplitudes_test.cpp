// Amplitudes of Rayleigh, diffraction, van de Hulst (reference values, the Mie series), the Huygens
// wavefront method (caption, refusal, traced rays, continuity) and aperture diffraction.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <vector>

#include "approximations/aperture.h"
#include "approximations/diffraction.h"
#include "approximations/huygens.h"
#include "approximations/rayleigh.h"
#include "approximations/van_de_hulst.h"
#include "rel_error.h"
#include "scattering/mie.h"

namespace tessary::test {
namespace {

// Tables of N grid points per quarter, filled with a marker that no method writes.
struct Tables {
    explicit Tables(std::int32_t n)
        : N(n), re1(2 * n, 7.0), im1(2 * n, 7.0), re2(2 * n, 7.0), im2(2 * n, 7.0) {}
    AmplitudeTables S() { return {re1, im1, re2, im2}; }
    std::int32_t at(double degrees) const { return std::lround(degrees * (N - 1) / 90.0) + 1; }
    double abs1(std::int32_t j) const { return std::hypot(re1[j], im1[j]); }
    std::int32_t N;
    std::vector<double> re1, im1, re2, im2;
};

MieResult Mie(double x, double m, std::int32_t N, std::int32_t last) {
    MieResult r;
    MieSeries({x, {m, 0.0}, N, 1, last}, r);
    EXPECT_EQ(r.status, MieStatus::Done);
    return r;
}

TEST(Rayleigh, AmplitudesOfASmallDropAndTheMieLimit) {
    Tables t(901);
    RayleighAmplitudes(0.1, 1.33, t.N, t.S(), 1, 1801);
    for (std::int32_t j = 1; j <= 1801; ++j) EXPECT_REL_NEAR(t.im1[j], -2.0401178e-4, 1e-7) << j;
    EXPECT_REL_NEAR(t.im2[t.at(60)], -1.0200589e-4, 1e-7);
    EXPECT_NEAR(t.im2[t.at(90)], 0.0, 1e-18);  // cos of the program's pi/2 is 1.6e-15
    RayleighAmplitudes(0.01, 1.33, t.N, t.S(), 1, 1801);
    const MieResult mie = Mie(0.01, 1.33, t.N, 1801);
    for (std::int32_t j = 1; j <= 1801; ++j)
        EXPECT_LE(RelError(t.re1[j], t.im1[j], mie.S1re[j], mie.S1im[j]), 5e-5) << j;
}

TEST(Diffraction, AmplitudesFirstMinimumAndForwardPeak) {
    Tables t(901);
    DiffractionAmplitudes(10, t.N, t.S(), 1, 1801);
    const double cases[][3] = {
        {0, 50, 0}, {30, -6.1082692, -0.2329601}, {150, 0.4385540, 0.0167258}, {180, 0, 0}};
    for (const auto& [degrees, re, im] : cases) {
        EXPECT_NEAR(t.re1[t.at(degrees)], re, 2e-7) << degrees;
        EXPECT_NEAR(t.im2[t.at(degrees)], im, 2e-7) << degrees;
    }
    Tables fine(90001);  // 0.001 degrees up to 3 degrees, x = 100
    DiffractionAmplitudes(100, fine.N, fine.S(), 1, fine.at(3));
    std::int32_t minimum = 2;
    for (std::int32_t j = 2; j <= fine.at(3); ++j)
        if (fine.abs1(j) < fine.abs1(minimum)) minimum = j;
    EXPECT_EQ(minimum, fine.at(2.196));  // sin theta = 1.2197 pi / x, the first zero of J1
    Tables large(1801);                  // 0, 0.05 and 0.1 degrees at x = 1000
    DiffractionAmplitudes(1000, large.N, large.S(), 1, 3);
    const MieResult mie = Mie(1000, 1.333, large.N, 3);
    for (std::int32_t j = 1; j <= 3; ++j)
        EXPECT_REL_NEAR(large.abs1(j) * large.abs1(j), std::norm(std::complex(mie.S1re[j], mie.S1im[j])),
                        0.025)
            << j;
}

TEST(VanDeHulst, BackwardAmplitudes) {
    Tables t(901);
    ASSERT_EQ(VanDeHulstAmplitudes(10, 0.65, 1.0f, 2.0f, t.N, t.S(), 1, 1801).status, ApproxStatus::Done);
    const double cases[][3] = {{179, 2.9551319, 2.9372171}, {175, 1.9886403, 1.6028357}, {180, 3, 3}};
    for (const auto& [degrees, s1, s2] : cases) {
        EXPECT_NEAR(t.re1[t.at(degrees)], s1, 1e-7) << degrees;
        EXPECT_NEAR(t.re2[t.at(degrees)], s2, 1e-7) << degrees;
    }
    for (std::int32_t j = 1; j <= t.N; ++j) EXPECT_EQ(std::fabs(t.re1[j]) + std::fabs(t.re2[j]), 0.0) << j;
    // u = 25 (r/lambda = 50, 30 degrees from backwards), far above a start order of 4: S = 2a J0(25).
    ASSERT_EQ(VanDeHulstAmplitudes(50, 1, 0.5f, 0.5f, t.N, t.S(), 1, 1801).status, ApproxStatus::Done);
    EXPECT_NEAR(t.re1[t.at(150)], 0.0962668, 1e-7);
}

RaySelection Orders(std::initializer_list<int> orders) {
    RaySelection s;
    for (int p : orders) s.rayflag[static_cast<std::size_t>(p)] = 1;
    s.rayCount = static_cast<std::int32_t>(orders.size());
    s.rayPMax = kRayBoxCount - 1;
    return s;
}

TEST(Huygens, CaptionRefusalAndTheCentralRayOfOrderOne) {
    EXPECT_EQ(HuygensCaption(Orders({0, 11}), "", ""), "Ray tracing: Huygens (p = 0,  11)   in ");
    Tables t(91);
    HuygensRays rays;
    EXPECT_EQ(HuygensAmplitudes({10, 1.333, 10, 91, 1, 181}, Orders({}), rays, t.S()).message,
              "No rays selected");
    HuygensTrace(96.7, 1.333, 1000, 1, rays);
    EXPECT_DOUBLE_EQ(std::hypot(rays.perpRe[0], rays.perpIm[0]), 2 * 96.7);  // D = 0 exactly
    EXPECT_DOUBLE_EQ(std::hypot(rays.paraRe[0], rays.paraIm[0]), 2 * 96.7);
}

// The path to the far field written without tan theta: no jump at 0 degrees (where the slope form
// takes its reference point on the wrong side: |S| 13% to 76% low) nor at 90 degrees (where tan theta
// is 1.6e16 and the slope form is 0.5% to 5% off).
TEST(Huygens, AmplitudesAreContinuousAtZeroAndNinetyDegrees) {
    Tables t(90001);  // 0.001 degrees
    HuygensRays rays;
    for (const int p : {0, 1, 2}) {
        for (const std::int32_t j : {1, t.N}) {
            const std::int32_t next = j == 1 ? 2 : j - 1;
            HuygensInput in{96.7, 1.333, 1000, t.N, std::min(j, next), std::max(j, next)};
            ASSERT_EQ(HuygensAmplitudes(in, Orders({p}), rays, t.S()).status, ApproxStatus::Done);
            EXPECT_NEAR(t.abs1(j) / t.abs1(next), 1.0, 2e-3) << p << " " << j;
        }
    }
}

// Every ray carries the weight 1000/K: K = 1000 keeps its former value (|S1| = 68.69 at 140 degrees,
// x = 96.7, p = 2), and 2000 or 3000 rays stay within 2% of it, the rainbow's peak (at 143.1 degrees)
// within 0.5%, where the unweighted sums grew in proportion to K (136.3 and 203.4 at 140 degrees).
TEST(Huygens, SumsConvergeAsTheRayCountGrows) {
    const auto s1 = [](double K, double degrees) {
        Tables t(901);  // 0.1 degrees
        HuygensRays rays;
        const HuygensInput in{96.7, 1.333, K, t.N, t.at(120), t.at(150)};
        EXPECT_EQ(HuygensAmplitudes(in, Orders({2}), rays, t.S()).status, ApproxStatus::Done);
        return t.abs1(t.at(degrees));
    };
    EXPECT_REL_NEAR(s1(1000, 140), 68.6906627684, 1e-10);
    for (const double K : {2000.0, 3000.0}) {
        EXPECT_NEAR(s1(K, 140) / s1(1000, 140), 1.0, 0.02) << K;
        EXPECT_NEAR(s1(K, 143.1) / s1(1000, 143.1), 1.0, 0.005) << K;
    }
}

TEST(Aperture, Amplitudes) {
    const double cases[][4] = {{100, 0, 1.5, 0}, {100, 10, 0.52369439, -0.11971823}, {1000, 0, 1.05, 0}};
    for (const auto& [K, degrees, re, im] : cases) {
        Tables t(901);
        ASSERT_EQ(ApertureAmplitudes(10, K, t.N, t.S(), 1, 1801).status, ApproxStatus::Done);
        EXPECT_NEAR(t.re1[t.at(degrees)], re, 1e-8) << K << " " << degrees;
        EXPECT_NEAR(t.im1[t.at(degrees)], im, 1e-8) << K << " " << degrees;
        EXPECT_EQ(t.re1, t.re2);
        EXPECT_EQ(t.im1, t.im2);
        for (std::int32_t k = t.N + 1; k <= 1801; ++k) EXPECT_EQ(t.abs1(k), 0.0) << k;
    }
}

}  // namespace
}  // namespace tessary::test
