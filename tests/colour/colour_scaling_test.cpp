// Saturation, display gamma and colour numbers: the worked cases of each mode, the curve's ends and
// breakpoint, and the guards on colours the steps must not be handed.
#include "colour/colour_scaling.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "rel_error.h"

namespace tessary {
namespace {

using Rgb = std::array<float, 3>;

struct SaturationCase {
    const char* name;
    SaturationMode mode;
    Rgb in;
    Rgb out;
};

TEST(SaturationTest, BringsBrightColoursIntoRange) {
    const SaturationCase cases[] = {
        {"photo cuts each channel", SaturationMode::Photo, {300, 100, 50}, {255, 100, 50}},
        {"peak white", SaturationMode::PeakWhite, {300, 100, 50}, {255, 255, 255}},
        {"freeze keeps ratios", SaturationMode::Freeze, {300, 100, 50}, {255, 85, 42.5f}},
        {"freeze, largest in the middle", SaturationMode::Freeze, {51, 510, 255}, {25.5f, 255, 127.5f}},
        {"photo, two channels over", SaturationMode::Photo, {256, 0, 1000}, {255, 0, 255}},
        // Not the step's business: nothing above 255 is left alone in every mode.
        {"photo in range", SaturationMode::Photo, {255, 10, 0}, {255, 10, 0}},
        {"peak white in range", SaturationMode::PeakWhite, {200, 10, 0}, {200, 10, 0}},
        {"freeze in range", SaturationMode::Freeze, {0, 0, 0}, {0, 0, 0}},
    };
    for (const SaturationCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rgb v = c.in;
        Saturation(c.mode, v[0], v[1], v[2]);
        for (int i = 0; i < 3; ++i) EXPECT_REL_NEAR(v[i], c.out[i], 1e-6);
    }
}

TEST(SaturationTest, FreezeOfAnInfiniteChannelGivesWhite) {
    Rgb v{std::numeric_limits<float>::infinity(), 10, 0};
    Saturation(SaturationMode::Freeze, v[0], v[1], v[2]);
    EXPECT_EQ(v, (Rgb{255, 255, 255}));
}

TEST(TransferCurveTest, EndsAndBreakpoint) {
    EXPECT_EQ(TransferCurve(0.0f), 0.0);
    EXPECT_REL_NEAR(TransferCurve(255.0f), 255.0, 1e-12);
    EXPECT_REL_NEAR(TransferCurve(4.59f), 20.655, 1e-7);
    // Just above the breakpoint the power law takes over; BT.709's two pieces meet only to within
    // about 0.06 on this scale.
    EXPECT_NEAR(TransferCurve(4.5901f), 20.7187, 1e-3);
    // 255 (1.099 (100/255)^0.45 - 0.099)
    EXPECT_REL_NEAR(TransferCurve(100.0f), 158.66053, 1e-7);
}

struct GammaCase {
    const char* name;
    GammaMode mode;
    Rgb in;
    Rgb out;
};

TEST(GammaCorrectionTest, WorkedCases) {
    const float r = static_cast<float>(TransferCurve(100.0f) / 100.0);  // about 1.587
    const GammaCase cases[] = {
        {"individual", GammaMode::Individual, {255, 4.59f, 0}, {255, 20.655f, 0}},
        {"group keeps ratios", GammaMode::Group, {100, 50, 0}, {100 * r, 50 * r, 0}},
        {"group, largest last", GammaMode::Group, {0, 50, 100}, {0, 50 * r, 100 * r}},
        {"group, black stays black", GammaMode::Group, {0, 0, 0}, {0, 0, 0}},
        {"individual, black", GammaMode::Individual, {0, 0, 0}, {0, 0, 0}},
    };
    for (const GammaCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rgb v = c.in;
        GammaCorrection(c.mode, v[0], v[1], v[2]);
        for (int i = 0; i < 3; ++i) EXPECT_REL_NEAR(v[i], c.out[i], 1e-5);
    }
    EXPECT_NEAR(r, 1.587, 0.001);
}

struct ColourNumberCase {
    const char* name;
    Rgb in;
    Rgb writtenBack;
    std::uint32_t number;
};

TEST(ColourNumberTest, ClampsRoundsAndWritesBackNegatives) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const ColourNumberCase cases[] = {
        {"negative red, green above full", {-3, 300, 10}, {0, 300, 10}, 0u + 256u * 255u + 65536u * 10u},
        {"halves to even", {0.5f, 1.5f, 2.5f}, {0.5f, 1.5f, 2.5f}, 0u + 256u * 2u + 65536u * 2u},
        {"white", {255, 255, 255}, {255, 255, 255}, 16777215u},
        {"not a number counts as 0", {nan, 7, 0}, {0, 7, 0}, 7u * 256u},
    };
    for (const ColourNumberCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rgb v = c.in;
        EXPECT_EQ(ColourNumber(v[0], v[1], v[2]), c.number);
        EXPECT_EQ(v, c.writtenBack);
    }
}

// The colour number after the curve on each channel, as the full steps form it.
std::uint32_t CurvedThenNumbered(float r, float g, float b) {
    GammaCorrection(GammaMode::Individual, r, g, b);
    return ColourNumber(r, g, b);
}

TEST(CurvedColourNumberTest, AgreesWithTheCurveThenTheColourNumber) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float above459 = std::nextafter(4.59f, 10.0f);
    const float above255 = std::nextafter(255.0f, 300.0f);
    const Rgb cases[] = {
        {0, 1, 4.59f}, {above459, 20, 100}, {254.99f, 255, above255}, {-3, nan, inf}, {1e30f, -inf, 0.001f},
        {128, 64, 32}, {5, 6, 7},
    };
    for (const Rgb& c : cases) {
        SCOPED_TRACE(::testing::Message() << c[0] << " " << c[1] << " " << c[2]);
        EXPECT_EQ(CurvedColourNumber(c[0], c[1], c[2]), CurvedThenNumbered(c[0], c[1], c[2]));
    }
}

// Every Single on the curved part, 4.59 < c <= 255: the table holds where each level starts only if the
// level never falls as c grows.
TEST(CurvedColourNumberTest, EverySingleOnTheCurvedPart) {
    std::uint32_t wrong = 0;
    for (float c = std::nextafter(4.59f, 10.0f); c <= 255.0f; c = std::nextafter(c, 300.0f)) {
        const std::uint32_t expected = CurvedThenNumbered(c, 0, 0);
        if (CurvedChannelLevel(c) != expected && ++wrong <= 5) ADD_FAILURE() << c << " level " << expected;
    }
    EXPECT_EQ(wrong, 0u);
}

}  // namespace
}  // namespace tessary
