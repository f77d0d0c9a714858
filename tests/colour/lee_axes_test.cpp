// The axis steps of Lee diagrams and maps, and the redraw's distribution weights and false colours.
#include "colour/lee_axes.h"

#include <gtest/gtest.h>

#include "colour/lee_diagram.h"

namespace tessary {
namespace {

TEST(LeeAxes, AngleStepsFollowTheRange) {
    struct Row {
        double range;
        float tick;
        double label;
    };
    for (const Row& r : {Row{1, 0.05f, 0.1}, Row{2, 0.05f, 1}, Row{5, 0.1f, 1}, Row{10, 0.2f, 1},
                         Row{20, 0.5f, 1}, Row{50, 1.0f, 2}}) {
        EXPECT_EQ(LeeAngleTickStep(r.range), r.tick) << r.range;
        EXPECT_DOUBLE_EQ(LeeAngleLabelStep(LeeAngleTickStep(r.range), r.range), r.label) << r.range;
    }
}

TEST(LeeAxes, MapLabelsStartAtTheFirstMultipleAboveTheMinimum) {
    struct Row {
        double R, q;
    };
    for (const Row& r : {Row{5000, 1000}, Row{300, 50}, Row{0.3, 0.05}, Row{0.012, 0.0024}})
        EXPECT_DOUBLE_EQ(MapLabelStep(r.R), r.q) << r.R;
    EXPECT_DOUBLE_EQ(MapFirstLabel(700, 0.002), 700);
    EXPECT_DOUBLE_EQ(MapFirstLabel(0, 0.5), 0);  // an imaginary sweep from 0
    EXPECT_DOUBLE_EQ(LeeLogPosition(10, 5, 20, 985, 5015), 3000);
}

TEST(LeeDiagram, DistributionNeedsAWidthAndAGrowingSweep) {
    LeeDistribution d;
    EXPECT_FALSE(LeeDistributionWeights(0, 1.1, d));
    EXPECT_FALSE(LeeDistributionWeights(0.1, 1.0, d));
    ASSERT_TRUE(LeeDistributionWeights(0.5, 1.001, d));
    EXPECT_EQ(d.count, 100);  // the 101-weight cap
    EXPECT_FLOAT_EQ(d.weights[0], static_cast<float>(1 / (0.5 * 2.5066282746310002)));
}

TEST(LeeDiagram, FalseColoursUseTheLargestChannel) {
    EXPECT_DOUBLE_EQ(LeeFalseRatio(0, 0.5, 0.2, 2), 0.25);  // no red at 440-510 nm
    EXPECT_DOUBLE_EQ(LeeFalseRatio(0, 0, 0, 2), 0);
    EXPECT_DOUBLE_EQ(LeeFalseRatio(1, 1, 1, 0), 0);
}

}  // namespace
}  // namespace tessary
