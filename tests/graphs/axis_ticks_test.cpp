// One numbered tick on either axis, the text of axis numbers and the rows of ticks of the Lee
// diagram and map axes, on the recording canvas.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "graphs/graph_codes.h"
#include "tests/graphs/frame_test_support.h"

namespace tessary::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class AxisTicks : public FrameTest {
  protected:
    void label(double value) {
        form->clearDrawLog();
        form->graph.tickValueY = value;
        form->graph.drawY = 5000;
        form->GridYLabel();
    }
};

TEST_F(AxisTicks, XLabelTickAndNumberUnderTheAxis) {
    form->clearDrawLog();
    form->graph.tickValueX = 100;
    form->graph.drawX = 4000;
    form->GridXLabel();
    const std::vector<DrawOp> l = ops(DrawOp::Kind::Line);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].colour, kBlack);
    EXPECT_EQ(l[0].y1, 9800);
    EXPECT_EQ(l[0].y2, 9850);
    EXPECT_EQ(textsAt(" 100", 4000 - 10 - 50 * 4, 9900), 1);
    form->mnuLarge.setEnabled(false);
    form->clearDrawLog();
    form->GridXLabel();
    EXPECT_EQ(textsAt(" 100", 4000 - 30 * 4, 9900), 1);
}

TEST_F(AxisTicks, YLabelPlainWithinAThousand) {
    form->graph.yAxisMin = 0.1;
    form->graph.yAxisMax = 1000;
    label(1000);
    EXPECT_EQ(textsAt(" 1000", 1000 - 150 - 100 * 5, 4900), 1);
    const std::vector<DrawOp> l = ops(DrawOp::Kind::Line);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].x1, 950);
    EXPECT_EQ(l[0].x2, 1000);
    EXPECT_EQ(l[0].y1, 5000);
}

TEST_F(AxisTicks, YLabelPowerOfTenAboveAThousand) {
    form->graph.yAxisMin = 0.1;
    form->graph.yAxisMax = 10000;
    label(1000);
    EXPECT_EQ(textsAt("10", 500, 4900), 1);
    EXPECT_EQ(textsAt(" 3 ", 775, 4800), 1);
    EXPECT_EQ(form->font(), (FontSpec{"MS Sans Serif", 8, false}));  // restored after the exponent
    form->mnuLarge.setChecked(false);
    label(1000);
    EXPECT_EQ(textsAt(" 3 ", 750, 4800), 1);
}

TEST_F(AxisTicks, YLabelMantissaAndNegativeExponent) {
    form->graph.yAxisMin = 0.0001;
    form->graph.yAxisMax = 1;
    label(0.05);
    EXPECT_EQ(textsAt(" 5 x 10", 160, 4900), 1);
    EXPECT_EQ(textsAt("-2 ", 775, 4800), 1);
}

TEST_F(AxisTicks, YLabelPowerFormOfNothingPositiveIsTheTickAlone) {
    form->graph.yAxisMin = 0.0001;
    form->graph.yAxisMax = 1e5;
    for (double v : {0.0, -5.0, kNaN}) {
        label(v);
        EXPECT_TRUE(texts().empty()) << v;
        EXPECT_EQ(ops(DrawOp::Kind::Line).size(), 1u) << v;
    }
}

TEST_F(AxisTicks, AxisNumberTextMember) {
    EXPECT_EQ(form->AxisNumberText(0.5, 4), "0.5");
    EXPECT_EQ(form->AxisNumberText(-0.25, 4), "-0.25");
}

TEST_F(AxisTicks, GridxStepMemberReportsPlaceableRanges) {
    double step = -1, range = -1, labelStep = -1;
    EXPECT_TRUE(form->GridxStep(1, 11, step, range, labelStep));
    EXPECT_EQ(step, 1);
    EXPECT_EQ(range, 10);
    EXPECT_EQ(labelStep, 5);
    EXPECT_FALSE(form->GridxStep(7, 7, step, range));
    EXPECT_EQ(step, 0);
    EXPECT_EQ(range, 0);
}

TEST_F(AxisTicks, LeeTicksLinearOnMapsSkippingOutsideValues) {
    form->codes.graphCode = kGraphMapIndex;
    form->setForeColor(rgb(1, 2, 3));
    form->clearDrawLog();
    form->GridLeeTicks(0, 100, 10, 20, 80, 1000, 6000, 3000);
    const std::vector<DrawOp> l = ops(DrawOp::Kind::Line);
    ASSERT_EQ(l.size(), 7u);  // 20 .. 80
    for (int i = 0; i < 7; ++i) {
        EXPECT_NEAR(l[i].x1, 1000 + 5000 * (10.0 * i) / 60, 1e-9);
        EXPECT_EQ(l[i].y1, 3000);
        EXPECT_EQ(l[i].y2, 3050);
        EXPECT_EQ(l[i].colour, rgb(1, 2, 3));
    }
    EXPECT_EQ(form->graph.tickValueX, 100);  // stepped through the values beyond max as well
    EXPECT_NEAR(form->graph.drawX, 6000, 1e-9);
}

TEST_F(AxisTicks, LeeTicksLogarithmicOnTheLeeDiagram) {
    form->codes.graphCode = kGraphLee;
    form->clearDrawLog();
    form->GridLeeTicks(1, 100, 9, 1, 100, 1000, 6000, 3000);  // 1, 10, 19, ... 100
    const std::vector<DrawOp> l = ops(DrawOp::Kind::Line);
    ASSERT_EQ(l.size(), 12u);
    EXPECT_NEAR(l[1].x1, 1000 + 5000 * std::log(10.0) / std::log(100.0), 1e-9);
    EXPECT_NEAR(l.back().x1, 6000, 1e-9);
}

TEST_F(AxisTicks, LeeTicksThatCannotBePlacedAreSkipped) {
    struct Case {
        int code;
        double step, min, max;
    };
    for (const Case c :
         {Case{22, 0, 0, 100}, Case{22, -10, 0, 100}, Case{22, kNaN, 0, 100}, Case{22, 10, 50, 50},
          Case{20, 10, 0, 100}, Case{20, 10, -5, 100}, Case{20, 10, 7, 7}, Case{22, 10, kNaN, 100}}) {
        form->codes.graphCode = c.code;
        form->clearDrawLog();
        form->GridLeeTicks(0, 100, c.step, c.min, c.max, 1000, 6000, 3000);
        EXPECT_TRUE(ops(DrawOp::Kind::Line).empty())
            << c.code << " " << c.step << " " << c.min << " " << c.max;
        EXPECT_EQ(form->droppedCommands(), 0);
    }
}

}  // namespace
}  // namespace tessary::test
