// Size-distribution samples: the stored abscissae, the sample radii and weights, the picture's axis.
#include "media/size_distribution.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tessary {
namespace {

TEST(SizeDistribution, AbscissaeHaveMeanZeroAndUnitMeanSquare) {
    struct Case {
        int n;
        double squares;
    };
    for (const Case c : {Case{5, 5.0}, Case{10, 9.99931}, Case{20, 20.0}, Case{50, 50.0}}) {
        DistributionAbscissae t{};
        ASSERT_TRUE(FillAbscissae(c.n, t));
        double sum = 0, sq = 0;
        for (int k = 1; k <= c.n; ++k) {
            sum += t[static_cast<std::size_t>(k)];
            sq += double{t[static_cast<std::size_t>(k)]} * t[static_cast<std::size_t>(k)];
        }
        EXPECT_NEAR(sum, 0.0, 1e-6) << c.n;
        EXPECT_NEAR(sq, c.squares, c.n == 10 ? 1e-5 : 1e-3) << c.n;
        EXPECT_LT(t[static_cast<std::size_t>(c.n)], 0.0f);  // the last sample is the most negative
    }
    DistributionAbscissae kept{};
    kept[1] = 7.0f;
    EXPECT_FALSE(FillAbscissae(7, kept));
    EXPECT_EQ(kept[1], 7.0f);
}

TEST(SizeDistribution, NormalFivePointRadiiInOrder) {
    DistributionAbscissae t{};
    FillAbscissae(5, t);
    const SizeSamples s = DistributionSamples(DistributionKind::Normal, 2.0, 0.1f, t, 5, SizeHistogram{});
    const double sigma = double{0.1f};
    const double expected[] = {2.0, 2 * (1 + 0.598808f * sigma), 2 * (1 + 1.463362f * sigma),
                               2 * (1 - 0.598808f * sigma), 2 * (1 - 1.463362f * sigma)};
    ASSERT_EQ(s.radius.size(), 5u);
    for (std::size_t k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(s.radius[k], expected[k]);
    EXPECT_TRUE(s.divideByCount);
    EXPECT_DOUBLE_EQ(SampleRadius(DistributionKind::LogNormal, 2.0, 0.2f, -1.0f), 2.0 / (1 + double{0.2f}));
}

TEST(SizeDistribution, HistogramClassesAndWeights) {
    SizeHistogram h;
    h.sizeFileCount = 2;
    h.histUniform = 0;
    h.histRadius = {0, 1, 3};
    h.histRadius2 = {0, 3, 5};
    h.histMidRadius = {0, 2, 4};
    h.histWeight = {0, 0.25f, 0.75f};
    const SizeSamples s = DistributionSamples(DistributionKind::Special, 0, 0, {}, 0, h);
    EXPECT_EQ(s.radius, (std::vector<double>{2, 4}));  // mid radii of classes given by limits
    EXPECT_EQ(s.weight, (std::vector<double>{0.25, 0.75}));
    EXPECT_FALSE(s.divideByCount);
    EXPECT_TRUE(DistributionSamples(DistributionKind::Special, 0, 0, {}, 0, SizeHistogram{}).radius.empty());
}

TEST(SizeDistribution, PictureAxis) {
    struct Case {
        double r0;
        float sigma;
        double min, max;
    };
    const Case cases[] = {{10, 0.2f, 4, 16}, {10, 0.3f, 1, 19}, {10, 0.5f, 0, 30}};
    for (const Case& c : cases) {
        const DistributionAxis a = DistributionAxisFor(c.r0, c.sigma);
        EXPECT_TRUE(a.ok);
        EXPECT_DOUBLE_EQ(a.min, c.min) << c.sigma;
        EXPECT_DOUBLE_EQ(a.max, c.max) << c.sigma;
    }
    EXPECT_FALSE(DistributionAxisFor(10, 0.0f).ok);
    EXPECT_FALSE(DistributionAxisFor(0, 0.2f).ok);
    EXPECT_FALSE(DistributionAxisFor(1e-47, 0.2f).ok);  // a hundredth of the axis is 0 as a Single
}

}  // namespace
}  // namespace tessary
