// Colours, band centres and spectral weights of the wavelength set: each colour row of the visible
// band at and between its edges, the packed colours (halves to even, channels held at 255), the
// centres of the sub-bands, table interpolation with its end values, and the black-body weights
// normalised at Wien's peak.
#include "colour/wavelength_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

#include "tests/support/rel_error.h"

namespace tessary {
namespace {

struct ColourCase {
    double lambdaUm;
    double red, green, blue;  // 0..255, unrounded
    std::uint32_t packed;
};

class WavelengthColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(WavelengthColourTest, ChannelsAndPackedColour) {
    const ColourCase& c = GetParam();
    const WaveColour w = WavelengthColour(c.lambdaUm);
    EXPECT_REL_NEAR(w.red, c.red, 1e-12);
    EXPECT_REL_NEAR(w.green, c.green, 1e-12);
    EXPECT_REL_NEAR(w.blue, c.blue, 1e-12);
    EXPECT_EQ(PackWaveColour(w.red, w.green, w.blue), c.packed);
}

INSTANTIATE_TEST_SUITE_P(
    VisibleBand, WavelengthColourTest,
    ::testing::Values(
        // 380 nm: red 1.25 x 60 x 0.016666 x 255, just under 319, packs as 255.
        ColourCase{0.38, 1.25 * 60 * 0.016666 * 255, 0, 255, 255 + 65536 * 255},
        ColourCase{0.3, 1.25 * 140 * 0.016666 * 255, 0, 255, 255 + 65536 * 255},  // no lower cut-off
        ColourCase{0.44, 0, 0, 255, 65536 * 255},
        ColourCase{0.47, 0, 30 * 0.02 * 255, 255, 256 * 153 + 65536 * 255},
        ColourCase{0.49, 0, 255, 255, 256 * 255 + 65536 * 255},   // the 440-490 row: green 1, blue 1
        ColourCase{0.5, 0, 255, 127.5, 256 * 255 + 65536 * 128},  // 127.5 rounds to even 128
        ColourCase{0.51, 0, 255, 0, 256 * 255},                   // the 510-580 row
        ColourCase{0.56, 50 * 0.0142857 * 255, 255, 0, 182 + 256 * 255},
        ColourCase{0.58, 255, 65 * 0.015384 * 255, 0, 255 + 256 * 255},
        ColourCase{0.6, 255, 45 * 0.015384 * 255, 0, 255 + 256 * 177}, ColourCase{0.645, 255, 0, 0, 255},
        ColourCase{0.65, 255, 0, 0, 255}, ColourCase{2.0, 255, 0, 0, 255}));  // beyond 645 nm pure red

TEST(WavelengthColour, VioletRedJustUnder319) {
    const double red = WavelengthColour(0.38).red;
    EXPECT_LT(red, 319.0);
    EXPECT_GT(red, 318.7);
}

TEST(PackWaveColour, ChannelsHeldWithinRangeAndNaNIsZero) {
    EXPECT_EQ(PackWaveColour(318.7, 0, 0), 255u);
    EXPECT_EQ(PackWaveColour(-3, 0.5, 1.5), 2u * 65536u);  // 0.5 -> 0, 1.5 -> 2
    EXPECT_EQ(PackWaveColour(std::numeric_limits<double>::quiet_NaN(), 255, 0), 256u * 255u);
}

TEST(BandCentre, FourWavelengthsOver380To700) {
    const std::array<float, 4> expected{0.42f, 0.50f, 0.58f, 0.66f};
    for (int k = 1; k <= 4; ++k)
        EXPECT_NEAR(BandCentre(0.38f, 0.7f, 4, k), expected[static_cast<std::size_t>(k - 1)], 1e-6) << k;
}

TEST(BandCentre, NeverReachesTheLimits) {
    EXPECT_GT(BandCentre(0.38f, 0.7f, 2000, 1), 0.38f);
    EXPECT_LT(BandCentre(0.38f, 0.7f, 2000, 2000), 0.7f);
}

struct TableCase {
    double x;
    std::optional<float> weight;
};

class TableWeightTest : public ::testing::TestWithParam<TableCase> {};

// Inside the table the interpolated value; outside it (or x not a number) none, never an end value.
TEST_P(TableWeightTest, InterpolatesInsideAndGivesNothingOutside) {
    const std::array<float, 3> table{2.0f, 4.0f, 8.0f};
    EXPECT_EQ(TableWeight(table, GetParam().x), GetParam().weight) << GetParam().x;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableWeightTest,
    ::testing::Values(TableCase{0.0, 2.0f}, TableCase{0.5, 3.0f}, TableCase{1.25, 5.0f},
                      TableCase{-0.5, std::nullopt}, TableCase{2.0, 8.0f}, TableCase{7.0, std::nullopt},
                      TableCase{std::numeric_limits<double>::quiet_NaN(), std::nullopt}));

// A ramp table t(i) = i gives the fractional index itself.
template <std::size_t N>
std::array<float, N> Ramp() {
    std::array<float, N> t{};
    std::iota(t.begin(), t.end(), 0.0f);
    return t;
}

TEST(SunWeights, LeeIndexRunsOver380To700) {
    const auto ramp = Ramp<kSunLeeValues>();
    EXPECT_FLOAT_EQ(*SunLeeWeight(0.38, ramp), 0.0f);
    EXPECT_NEAR(*SunLeeWeight(0.54, ramp), 32.0f, 1e-5);
    EXPECT_NEAR(*SunLeeWeight(0.6975, ramp), 63.5f, 1e-5);
    EXPECT_FLOAT_EQ(*SunLeeWeight(0.7, ramp), 64.0f);
    // Outside the band no weight (the band check keeps runs inside it).
    EXPECT_EQ(SunLeeWeight(0.3, ramp), std::nullopt);
    EXPECT_EQ(SunLeeWeight(0.9, ramp), std::nullopt);
}

TEST(SunWeights, WernandIndexRunsOver350To1000) {
    const auto ramp = Ramp<kSunWernandValues>();
    EXPECT_NEAR(*SunWernandWeight(0.675, ramp), 65.0f, 1e-5);
    EXPECT_FLOAT_EQ(*SunWernandWeight(1.0, ramp), 130.0f);
    EXPECT_EQ(SunWernandWeight(0.3, ramp), std::nullopt);
    EXPECT_EQ(SunWernandWeight(1.2, ramp), std::nullopt);
}

TEST(BlackBody, WeightIsOneAtWiensPeak) {
    EXPECT_DOUBLE_EQ(WienPeakUm(6000.0), 0.483);
    EXPECT_EQ(BlackBodyWeight(0.483, 6000.0), 1.0f);
    // Planck's law with c2 = 14398.261 um K: B(0.5) / B(0.483) from the formula.
    const auto b = [](double l) {
        return 1.0 / (std::pow(l, 5) * (std::exp(14398.261 / (6000.0 * l)) - 1.0));
    };
    ASSERT_TRUE(BlackBodyWeight(0.5, 6000.0).has_value());
    EXPECT_REL_NEAR(*BlackBodyWeight(0.5, 6000.0), b(0.5) / b(0.483), 1e-7);
}

TEST(BlackBody, LargestWeightOfABandExceedsOneByAboutOnePartInAMillion) {
    float largest = 0.0f, at = 0.0f;
    for (int k = 1; k <= 2000; ++k) {
        const float lambda = BandCentre(0.38f, 0.7f, 2000, k);
        const float w = BlackBodyWeight(lambda, 6000.0).value_or(0.0f);
        if (w > largest) largest = w, at = lambda;
    }
    EXPECT_GT(largest - 1.0f, 5e-7f);
    EXPECT_LT(largest - 1.0f, 2e-6f);
    EXPECT_NEAR(at, 0.483f, 0.001f);
}

TEST(BlackBody, NoWeightWithoutAPositiveTemperature) {
    EXPECT_FALSE(BlackBodyWeight(0.5, 0.0).has_value());
    EXPECT_FALSE(BlackBodyWeight(0.5, -300.0).has_value());
    EXPECT_FALSE(BlackBodyWeight(0.5, std::numeric_limits<double>::quiet_NaN()).has_value());
}

}  // namespace
}  // namespace tessary
