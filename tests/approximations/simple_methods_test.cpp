// Rayleigh, diffraction and van de Hulst amplitudes against reference values, the Mie series and
// their physical identities.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "approximations/diffraction.h"
#include "approximations/rayleigh.h"
#include "approximations/van_de_hulst.h"
#include "rel_error.h"
#include "scattering/mie.h"

namespace tessary {
namespace {

// Amplitude tables for N points per quarter, filled with a marker that no method writes.
struct Tables {
    explicit Tables(std::int32_t n) : N(n), s1re(2 * n, 7.0), s1im(2 * n, 7.0), s2re(2 * n, 7.0), s2im(2 * n, 7.0) {}
    AmplitudeTables S() { return {s1re, s1im, s2re, s2im}; }
    std::int32_t at(double degrees) const { return static_cast<std::int32_t>(std::lround(degrees * (N - 1) / 90.0)) + 1; }
    double intensity1(std::int32_t j) const { return s1re[j] * s1re[j] + s1im[j] * s1im[j]; }
    std::int32_t N;
    std::vector<double> s1re, s1im, s2re, s2im;
};

TEST(Rayleigh, AmplitudesOfASmallWaterDrop) {
    Tables t(901);
    RayleighAmplitudes(0.1, 1.33, t.N, t.S(), 1, 2 * t.N - 1);
    for (std::int32_t j = 1; j <= 2 * t.N - 1; ++j) {
        EXPECT_EQ(t.s1re[j], 0.0);
        EXPECT_REL_NEAR(t.s1im[j], -2.0401178e-4, 1e-7);
    }
    EXPECT_REL_NEAR(t.s2im[t.at(60)], -1.0200589e-4, 1e-7);
    EXPECT_NEAR(t.s2im[t.at(90)], 0.0, 1e-18);  // cos(pi/2) of the program's pi/2 is 1.6e-15
    EXPECT_EQ(t.s2im[t.at(180)], -t.s2im[t.at(0)]);
}

TEST(Rayleigh, AgreesWithMieForATinySphere) {
    Tables t(901);
    RayleighAmplitudes(0.01, 1.33, t.N, t.S(), 1, 2 * t.N - 1);
    MieInput in;
    in.x = 0.01;
    in.m = {1.33, 0.0};
    in.NANG = t.N;
    in.first = 1;
    in.last = 2 * t.N - 1;
    MieResult mie;
    MieSeries(in, mie);
    ASSERT_EQ(mie.status, MieStatus::Done);
    for (std::int32_t j = 1; j <= 2 * t.N - 1; ++j)
        EXPECT_LE(test::RelError(t.s1re[j], t.s1im[j], mie.S1re[j], mie.S1im[j]), 5e-5) << j;
}

TEST(Rayleigh, WritesOnlyTheWindow) {
    Tables t(91);
    RayleighAmplitudes(0.1, 1.33, t.N, t.S(), 10, 100);
    EXPECT_EQ(t.s1im[9], 7.0);
    EXPECT_NE(t.s1im[10], 7.0);
    EXPECT_NE(t.s1im[100], 7.0);
    EXPECT_EQ(t.s1im[101], 7.0);
}

struct DiffractionCase {
    double degrees, re, im;
};

TEST(Diffraction, AmplitudesAtXTen) {
    Tables t(901);
    DiffractionAmplitudes(10, t.N, t.S(), 1, 2 * t.N - 1);
    const DiffractionCase cases[] = {{0, 50, 0}, {30, -6.1082692, -0.2329601}, {150, 0.4385540, 0.0167258}, {180, 0, 0}};
    for (const DiffractionCase& c : cases) {
        const std::int32_t j = t.at(c.degrees);
        EXPECT_NEAR(t.s1re[j], c.re, 2e-7) << c.degrees;
        EXPECT_NEAR(t.s1im[j], c.im, 2e-7) << c.degrees;
        EXPECT_EQ(t.s2re[j], t.s1re[j]);
        EXPECT_EQ(t.s2im[j], t.s1im[j]);
    }
    EXPECT_LT(t.s1re[t.at(90)] * t.s1re[t.at(90.1)], 0.0);  // the sign changes past 90 degrees
}

TEST(Diffraction, FirstMinimumAtXHundred) {
    Tables t(90001);  // 0.001 degrees, computed to 3 degrees
    DiffractionAmplitudes(100, t.N, t.S(), 1, t.at(3));
    std::int32_t minimum = 2;
    for (std::int32_t j = 2; j <= t.at(3); ++j)
        if (t.intensity1(j) < t.intensity1(minimum)) minimum = j;
    EXPECT_EQ(minimum, t.at(2.196));  // sin theta = 1.2197 pi / x, the first zero of J1
}

TEST(Diffraction, ForwardPeakAgreesWithMieAtXThousand) {
    Tables t(1801);  // 0.05 degrees
    DiffractionAmplitudes(1000, t.N, t.S(), 1, 3);
    MieInput in;
    in.x = 1000;
    in.m = {1.333, 0.0};
    in.NANG = t.N;
    in.first = 1;
    in.last = 3;
    MieResult mie;
    MieSeries(in, mie);
    ASSERT_EQ(mie.status, MieStatus::Done);
    for (std::int32_t j = 1; j <= 3; ++j)
        EXPECT_REL_NEAR(t.intensity1(j), mie.S1re[j] * mie.S1re[j] + mie.S1im[j] * mie.S1im[j], 0.025) << j;
}

struct VanDeHulstCase {
    double degrees, s1, s2;
};

TEST(VanDeHulst, BackwardAmplitudes) {
    Tables t(901);
    ASSERT_EQ(VanDeHulstAmplitudes(10, 0.65, 1.0f, 2.0f, t.N, t.S(), 1, 2 * t.N - 1).status, ApproxStatus::Done);
    const VanDeHulstCase cases[] = {{179, 2.9551319, 2.9372171}, {175, 1.9886403, 1.6028357}, {180, 3, 3}};
    for (const VanDeHulstCase& c : cases) {
        const std::int32_t j = t.at(c.degrees);
        EXPECT_NEAR(t.s1re[j], c.s1, 1e-7) << c.degrees;
        EXPECT_NEAR(t.s2re[j], c.s2, 1e-7) << c.degrees;
        EXPECT_EQ(t.s1im[j], 0.0);
    }
    for (std::int32_t j = 1; j <= t.N; ++j) EXPECT_EQ(t.s1re[j] + t.s2re[j] + t.s1im[j] + t.s2im[j], 0.0) << j;
}

TEST(VanDeHulst, LargeArgumentsUseAHighStartOrder) {
    Tables t(91);  // u = (r/lambda) sin(pi - theta) up to 50, far above the start order 4
    ASSERT_EQ(VanDeHulstAmplitudes(50, 1, 0.5f, 0.5f, t.N, t.S(), 1, 2 * t.N - 1).status, ApproxStatus::Done);
    const std::int32_t j = t.at(180 - 30);  // u = 25: J0(25) = 0.0962668, S = 2 a J0
    EXPECT_NEAR(t.s1re[j], 0.0962668, 1e-7);
}

TEST(VanDeHulst, ZeroWavelengthIsRefused) {
    Tables t(91);
    const ApproxOutcome out = VanDeHulstAmplitudes(10, 0, 1.0f, 2.0f, t.N, t.S(), 1, 2 * t.N - 1);
    EXPECT_EQ(out.status, ApproxStatus::Refused);
    EXPECT_EQ(out.message.rfind("The van de Hulst approximation gave", 0), 0u);
}

}  // namespace
}  // namespace tessary
