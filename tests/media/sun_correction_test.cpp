// Sun-disc weights: published sums for the disc profile, the rectangular profile, and steps that
// leave no step inside the disc.
#include "media/sun_correction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "rel_error.h"

namespace tessary {
namespace {

TEST(SunCorrection, DiscProfileWeightsAndSums) {
    const struct {
        double step;
        int n;
        double sum;
    } cases[] = {
        {0.1, 2, 4.0330303},                  // 1 + 2 (sqrt(0.84) + 0.6)
        {0.05, 5, 7.5926221},                 // the fifth step lies on the rim
        {0.5, 0, 1.0},        {0.3, 0, 1.0},  // Int(0.833) = 0: rounded down, not to the nearest
        {0.25, 1, 1.0},                       // one step, on the rim
    };
    for (const auto& c : cases) {
        const SunDiscWeights w = SunCorrection(c.step, false);
        EXPECT_EQ(w.sizeOrStep, c.step);
        EXPECT_EQ(w.sunDiscSteps, c.n) << c.step;
        ASSERT_EQ(w.sunDiscWeights.size(), static_cast<std::size_t>(c.n) + 2) << c.step;
        EXPECT_EQ(w.sunDiscWeights.front(), 0.0);
        EXPECT_EQ(w.sunDiscWeights.back(), 0.0);
        EXPECT_NEAR(w.sunDiscWeightSum, c.sum, 5e-8) << c.step;
    }
}

TEST(SunCorrection, DiscWeightsAreChords) {
    const SunDiscWeights w = SunCorrection(0.1, false);
    EXPECT_REL_NEAR(w.sunDiscWeights[1], std::sqrt(0.84), 1e-15);
    EXPECT_REL_NEAR(w.sunDiscWeights[2], 0.6, 1e-15);
    EXPECT_EQ(SunCorrection(0.05, false).sunDiscWeights[5], 0.0);
}

TEST(SunCorrection, RectangularProfileWeighsEveryStepOne) {
    const SunDiscWeights w = SunCorrection(0.1, true);
    EXPECT_EQ(w.sunDiscSteps, 2);
    EXPECT_EQ(w.sunDiscWeights[1], 1.0);
    EXPECT_EQ(w.sunDiscWeights[2], 1.0);
    EXPECT_EQ(w.sunDiscWeightSum, 5.0);
    EXPECT_EQ(SunCorrection(0.05, true).sunDiscWeightSum, 11.0);
}

TEST(SunCorrection, StepThatIsNotPositiveGivesTheCentreWeightOnly) {
    const double steps[] = {0.0, -0.1, std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()};
    for (double step : steps) {
        for (bool rectangular : {false, true}) {
            const SunDiscWeights w = SunCorrection(step, rectangular);
            EXPECT_EQ(w.sunDiscSteps, 0) << step;
            EXPECT_EQ(w.sunDiscWeights.size(), 2u) << step;
            EXPECT_EQ(w.sunDiscWeightSum, 1.0) << step;
        }
    }
}

TEST(SunCorrection, FineStepsStayBoundedAndFinite) {
    EXPECT_EQ(SunCorrection(1e-12, false).sunDiscSteps, kMaxSunDiscSteps);
    // steps 0.25 / k put the last step on the rim, or just inside it where 0.25 / step rounds below k
    for (int k = 1; k <= 200; ++k) {
        const SunDiscWeights w = SunCorrection(0.25 / k, false);
        EXPECT_TRUE(w.sunDiscSteps == k || w.sunDiscSteps == k - 1) << k;
        for (double wi : w.sunDiscWeights) {
            EXPECT_GE(wi, 0.0) << k;
            EXPECT_LE(wi, 1.0) << k;
        }
    }
}

}  // namespace
}  // namespace tessary
