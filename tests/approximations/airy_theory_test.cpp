// Airy theory: the rainbow constants of m = 4/3, the main maximum of a 100 um drop against the Debye
// p = 2 term, a 1000 um drop within 0.1% of it, windows, real amplitudes, refusals and the stop.
#include "approximations/airy_theory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "numerics/constants.h"
#include "rel_error.h"
#include "scattering/debye.h"
#include "scattering/ray_orders.h"

namespace tessary {
namespace {

constexpr double kDeg = 180.0 / 3.14159265358979323846;

RaySelection Select(const char* listText) {
    RayChoice choice;
    choice.listText = listText;
    choice.calcMethod = 5;
    return RaysCheck(choice, RaySelection{}).selection;
}

struct Tables {
    explicit Tables(std::int32_t N) : re1(2 * N, 7.0), im1(2 * N, 7.0), re2(2 * N, 7.0), im2(2 * N, 7.0) {}
    AmplitudeTables spans() { return {re1, im1, re2, im2}; }
    std::vector<double> re1, im1, re2, im2;
};

struct Peak {
    double value = 0.0;
    double degrees = 0.0;
};

// Largest |S1| over indices first..last of the grid with N points per quarter.
Peak MaxS1(const std::vector<double>& re, const std::vector<double>& im, std::int32_t N, std::int32_t first,
           std::int32_t last) {
    Peak best;
    for (std::int32_t j = first; j <= last; ++j) {
        const auto i = static_cast<std::size_t>(j);
        const double v = std::hypot(re[i], im[i]);
        if (v > best.value) best = {v, (j - 1) * 90.0 / (N - 1)};
    }
    return best;
}

AiryInput Drop(double radius, std::int32_t N, std::int32_t first, std::int32_t last) {
    AiryInput in;
    in.radius = radius;
    in.wavelength = 0.65;
    in.x = kTwoPi * radius / in.wavelength;
    in.m = 4.0 / 3.0;
    in.N = N;
    in.first = first;
    in.last = last;
    return in;
}

Peak DebyeMaxS1(const AiryInput& a) {
    DebyeInput in;
    in.x = a.x;
    in.m = {a.m, 0.0};
    in.NANG = a.N;
    in.first = a.first;
    in.last = a.last;
    in.rayListText = "2";
    DebyeResult r;
    DebyePlaneWave(in, Select("2"), r);
    return MaxS1(r.S1re, r.S1im, a.N, a.first, a.last);
}

TEST(AiryTheory, RainbowConstantsOfWater) {
    struct Row {
        std::int32_t p;
        double thetaDeg;
        int q;
        double h;
    };
    for (const Row& row : {Row{2, 137.970341, -1, 4.8898210452}, Row{3, 129.021906, 1, 27.8605440101}}) {
        const AiryRainbow r = AiryRainbowOf(4.0 / 3.0, row.p, 100.0, 0.65);
        EXPECT_NEAR(r.thetaR * kDeg, row.thetaDeg, 5e-7) << row.p;
        EXPECT_EQ(r.q, row.q) << row.p;
        EXPECT_REL_NEAR(r.h, row.h, 1e-10);
    }
    const AiryRainbow r2 = AiryRainbowOf(4.0 / 3.0, 2, 100.0, 0.65);
    EXPECT_REL_NEAR(r2.APerp, -0.2962962963, 1e-9);
    EXPECT_REL_NEAR(r2.F, 1.76606355, 1e-8);
}

TEST(AiryTheory, MainMaximumOfA100umDrop) {
    const std::int32_t N = 9001;  // 0.01 degree
    const AiryInput in = Drop(100.0, N, 13001, 14501);  // 130 to 145 degrees
    Tables t(N);
    ASSERT_EQ(AiryAmplitudes(in, Select("2"), t.spans(), {}).status, ApproxStatus::Done);
    const Peak airy = MaxS1(t.re1, t.im1, N, in.first, in.last);
    EXPECT_NEAR(airy.value, 806.5, 0.05);
    EXPECT_NEAR(airy.degrees, 138.98, 1e-9);
    const Peak debye = DebyeMaxS1(in);
    EXPECT_NEAR(debye.value, 799.9, 0.05);
    EXPECT_NEAR(debye.degrees, 138.97, 1e-9);
    const AiryInput large = Drop(1000.0, N, 13701, 13901);  // 137 to 139 degrees
    ASSERT_EQ(AiryAmplitudes(large, Select("2"), t.spans(), {}).status, ApproxStatus::Done);
    const Peak airyLarge = MaxS1(t.re1, t.im1, N, large.first, large.last);
    const Peak debyeLarge = DebyeMaxS1(large);
    EXPECT_REL_NEAR(airyLarge.value, debyeLarge.value, 1e-3);
}

// Two orders add their real amplitudes; everything outside the window is zeroed, imaginary parts are 0.
TEST(AiryTheory, OrdersAddInsideTheWindowOnly) {
    const std::int32_t N = 91;
    const AiryInput in = Drop(50.0, N, 100, 170);
    Tables both(N), two(N), three(N);
    RaySelection rays = Select("2");
    rays.rayflag[3] = 1;
    rays.rayCount = 2;
    rays.rayPMax = 50;
    ASSERT_EQ(AiryAmplitudes(in, rays, both.spans(), {}).status, ApproxStatus::Done);
    ASSERT_EQ(AiryAmplitudes(in, Select("2"), two.spans(), {}).status, ApproxStatus::Done);
    ASSERT_EQ(AiryAmplitudes(in, Select("3"), three.spans(), {}).status, ApproxStatus::Done);
    EXPECT_EQ(both.re1[0], 7.0);  // index 0 is not the routine's
    for (std::size_t j = 1; j < 2 * N; ++j) {
        const bool inside = j >= 100 && j <= 170;
        EXPECT_EQ(both.im1[j], 0.0);
        EXPECT_EQ(both.im2[j], 0.0);
        EXPECT_DOUBLE_EQ(both.re1[j], two.re1[j] + three.re1[j]) << j;
        EXPECT_DOUBLE_EQ(both.re2[j], two.re2[j] + three.re2[j]) << j;
        if (!inside) {
            EXPECT_EQ(both.re1[j], 0.0) << j;
        }
    }
    EXPECT_NE(both.re1[140], 0.0);
}

TEST(AiryTheory, RefusalsAndStop) {
    const std::int32_t N = 91;
    Tables t(N);
    AiryInput in = Drop(50.0, N, 1, 2 * N - 1);
    in.m = 2.0;  // m >= p
    const ApproxOutcome refused = AiryAmplitudes(in, Select("2"), t.spans(), {});
    EXPECT_EQ(refused.status, ApproxStatus::Refused);
    EXPECT_EQ(refused.message, "Airy theory is valid only for 1 < m < p");
    EXPECT_EQ(t.re1[5], 0.0);  // zeroed all the same
    in.m = 4.0 / 3.0;
    int calls = 0;
    const auto stopAtThird = [&](double, double total) {
        EXPECT_EQ(total, 181.0);
        return ++calls == 3;
    };
    EXPECT_EQ(AiryAmplitudes(in, Select("2"), t.spans(), stopAtThird).status, ApproxStatus::Stopped);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(t.re1[4], 0.0);
}

}  // namespace
}  // namespace tessary
