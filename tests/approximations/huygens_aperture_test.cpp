// The Huygens wavefront method (caption, traced rays, window, refusals) and aperture diffraction
// (reference values, equal polarisations, nothing past 90 degrees).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "approximations/aperture.h"
#include "approximations/huygens.h"

namespace tessary {
namespace {

struct Tables {
    explicit Tables(std::int32_t n) : N(n), s1re(2 * n, 7.0), s1im(2 * n, 7.0), s2re(2 * n, 7.0), s2im(2 * n, 7.0) {}
    AmplitudeTables S() { return {s1re, s1im, s2re, s2im}; }
    std::int32_t at(double degrees) const { return static_cast<std::int32_t>(std::lround(degrees * (N - 1) / 90.0)) + 1; }
    std::int32_t N;
    std::vector<double> s1re, s1im, s2re, s2im;
};

RaySelection Orders(std::initializer_list<int> orders) {
    RaySelection s;
    for (int p : orders) {
        s.rayflag[static_cast<std::size_t>(p)] = 1;
        ++s.rayCount;
    }
    s.rayPMax = kRayBoxCount - 1;
    return s;
}

struct CaptionCase {
    std::initializer_list<int> orders;
    const char* caption;
};

TEST(Huygens, Caption) {
    const CaptionCase cases[] = {{{2}, "Ray tracing: Huygens (p = 2)   Water in a vacuum "},
                                 {{0, 2, 11}, "Ray tracing: Huygens (p = 0,  2,  11)   Water in a vacuum "}};
    for (const CaptionCase& c : cases)
        EXPECT_EQ(HuygensCaption(Orders(c.orders), " Water", "a vacuum "), c.caption);
}

TEST(Huygens, CentralRayOfOrderOneCarriesTwiceX) {
    HuygensRays rays;
    HuygensTrace(96.7, 1.333, 1000, 1, rays);
    ASSERT_EQ(rays.X.size(), 1001u);
    EXPECT_EQ(rays.deviation[0], 0.0);
    EXPECT_DOUBLE_EQ(std::hypot(rays.perpRe[0], rays.perpIm[0]), 2 * 96.7);
    EXPECT_DOUBLE_EQ(std::hypot(rays.paraRe[0], rays.paraIm[0]), 2 * 96.7);
    EXPECT_EQ(rays.X[0], 1.5);  // 1.5 cos D
    EXPECT_EQ(rays.Y[0], 0.0);
}

TEST(Huygens, WritesTheWindowOfEveryOrderAndClearsTheRest) {
    Tables t(91);
    HuygensInput in{96.7, 1.333, 100, t.N, t.at(130), t.at(150)};
    HuygensRays rays;
    std::vector<double> progress;
    const auto onAngle = [&](double done, double total) {
        progress.push_back(done / total);
        return false;
    };
    ASSERT_EQ(HuygensAmplitudes(in, Orders({1, 2}), rays, t.S(), onAngle).status, ApproxStatus::Done);
    EXPECT_EQ(progress.size(), 2u * 21u);
    EXPECT_EQ(progress.back(), 1.0);
    EXPECT_EQ(t.s1re[t.at(129)], 0.0);
    EXPECT_EQ(t.s1re[t.at(151)], 0.0);
    EXPECT_NE(t.s1re[t.at(140)], 0.0);  // the rainbow of order 2
    for (std::int32_t j = 1; j <= 2 * t.N - 1; ++j) EXPECT_TRUE(std::isfinite(t.s1re[j] + t.s2im[j]));
}

// The path to the far field written without tan theta: no jump at 0 degrees (where the slope form
// takes its reference point on the wrong side: |S| 13% to 76% low) nor at 90 degrees (where tan theta
// is 1.6e16 and the slope form is 0.5% to 5% off).
TEST(Huygens, AmplitudesAreContinuousAtZeroAndNinetyDegrees) {
    Tables t(90001);  // 0.001 degrees
    HuygensRays rays;
    for (const int p : {0, 1, 2}) {
        for (const double degrees : {0.0, 90.0}) {
            const std::int32_t j = t.at(degrees);
            HuygensInput in{96.7, 1.333, 1000, t.N, j == 1 ? 1 : j - 1, j == 1 ? 2 : j};
            ASSERT_EQ(HuygensAmplitudes(in, Orders({p}), rays, t.S()).status, ApproxStatus::Done);
            const double at = std::hypot(t.s1re[j], t.s1im[j]);
            const double next = std::hypot(t.s1re[j == 1 ? 2 : j - 1], t.s1im[j == 1 ? 2 : j - 1]);
            EXPECT_NEAR(at / next, 1.0, 2e-3) << p << " " << degrees;
        }
    }
}

TEST(Huygens, StopEndsAtTheNextAngle) {
    Tables t(91);
    HuygensInput in{10, 1.333, 10, t.N, 1, 2 * t.N - 1};
    HuygensRays rays;
    int calls = 0;
    const auto stopAtThird = [&](double, double) { return ++calls == 3; };
    EXPECT_EQ(HuygensAmplitudes(in, Orders({2}), rays, t.S(), stopAtThird).status, ApproxStatus::Stopped);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(t.s1re[4], 0.0);
}

TEST(Huygens, Refusals) {
    Tables t(91);
    HuygensRays rays;
    const ApproxOutcome none = HuygensAmplitudes({10, 1.333, 10, t.N, 1, 181}, Orders({}), rays, t.S());
    EXPECT_EQ(none.message, "No rays selected");
    EXPECT_EQ(none.title, "Error");
    EXPECT_EQ(t.s1re[1], 0.0);  // cleared
    for (const double K : {0.5, 1000001.0, std::nan("")}) {
        const ApproxOutcome out = HuygensAmplitudes({10, 1.333, K, t.N, 1, 181}, Orders({2}), rays, t.S());
        EXPECT_EQ(out.message, "Number of rays must be between 1 and 1000000") << K;
    }
}

struct ApertureCase {
    double K, degrees, re, im;
};

TEST(Aperture, Amplitudes) {
    const ApertureCase cases[] = {{100, 0, 1.5, 0}, {100, 10, 0.52369439, -0.11971823}, {1000, 0, 1.05, 0}};
    for (const ApertureCase& c : cases) {
        Tables t(901);
        ASSERT_EQ(ApertureAmplitudes(10, c.K, t.N, t.S(), 1, 2 * t.N - 1).status, ApproxStatus::Done);
        const std::int32_t j = t.at(c.degrees);
        EXPECT_NEAR(t.s1re[j], c.re, 1e-8) << c.K << " " << c.degrees;
        EXPECT_NEAR(t.s1im[j], c.im, 1e-8) << c.K << " " << c.degrees;
        for (std::int32_t k = 1; k <= 2 * t.N - 1; ++k) {
            EXPECT_EQ(t.s2re[k], t.s1re[k]);
            EXPECT_EQ(t.s2im[k], t.s1im[k]);
            if (k > t.N) {
                EXPECT_EQ(t.s1re[k] + t.s1im[k], 0.0);
            }
        }
    }
    Tables t(91);
    EXPECT_EQ(ApertureAmplitudes(10, 0, t.N, t.S(), 1, 181).message, "Number of samples must be between 1 and 1000000");
}

}  // namespace
}  // namespace tessary
