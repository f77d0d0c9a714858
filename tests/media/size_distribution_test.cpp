// Size-distribution samples: the stored abscissae, the sample radii and weights, the picture's axis.
#include "media/size_distribution.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

TEST(SizeDistribution, AbscissaeHaveMeanZeroAndUnitMeanSquare) {
    for (const auto& [n, squares] : {std::pair{5, 5.0}, {10, 9.99931}, {20, 20.0}, {50, 50.0}}) {
        DistributionAbscissae t{};
        ASSERT_TRUE(FillAbscissae(n, t));
        double sum = 0, sq = 0;
        for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) {
            sum += t[k];
            sq += double{t[k]} * t[k];
        }
        EXPECT_NEAR(sum, 0.0, 1e-6) << n;
        EXPECT_NEAR(sq, squares, n == 10 ? 1e-5 : 1e-3) << n;
    }
    DistributionAbscissae kept{};
    EXPECT_FALSE(FillAbscissae(7, kept));
}

TEST(SizeDistribution, SamplesAndWeights) {
    DistributionAbscissae t{};
    FillAbscissae(5, t);
    const double s = double{0.1f};
    EXPECT_EQ(DistributionSamples(DistributionKind::Normal, 2.0, 0.1f, t, 5, {}).radius,
              (std::vector<double>{2.0, 2 * (1 + 0.598808f * s), 2 * (1 + 1.463362f * s),
                                   2 * (1 - 0.598808f * s), 2 * (1 - 1.463362f * s)}));
    SizeHistogram h{2, 0, {0, 1, 3}, {0, 3, 5}, {0, 2, 4}, {0, 0.25f, 0.75f}, 1, 5, 1, 0.75f, 1, ""};
    const SizeSamples special = DistributionSamples(DistributionKind::Special, 0, 0, {}, 0, h);
    EXPECT_EQ(special.radius, (std::vector<double>{2, 4}));  // mid radii of classes given by limits
    EXPECT_EQ(special.weight, (std::vector<double>{0.25, 0.75}));
    EXPECT_FALSE(special.divideByCount);
    EXPECT_TRUE(DistributionSamples(DistributionKind::Special, 0, 0, {}, 0, {}).radius.empty());
}

TEST(SizeDistribution, PictureAxis) {
    // half-width 3 sigma r0 up to sigma 0.3 as a Single, else 4 sigma r0, from 0 at least
    for (const auto& [sigma, min, max] :
         {std::tuple{0.2f, 4.0, 16.0}, {0.3f, 1.0, 19.0}, {0.5f, 0.0, 30.0}}) {
        const DistributionAxis a = DistributionAxisFor(10, sigma);
        EXPECT_TRUE(a.ok);
        EXPECT_EQ(a.min, min);
        EXPECT_EQ(a.max, max);
    }
    EXPECT_FALSE(DistributionAxisFor(10, 0.0f).ok);
    EXPECT_FALSE(DistributionAxisFor(0, 0.2f).ok);
    EXPECT_FALSE(DistributionAxisFor(1e-47, 0.2f).ok);  // a hundredth of the axis is 0 as a Single
}

}  // namespace
}  // namespace tessary
