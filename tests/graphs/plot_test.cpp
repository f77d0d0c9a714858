// Curve drawing on the recording canvas: log and linear y mappings, clamping to the box, a segment
// leaving at the bottom ending on the edge, running means, the sun's disc mirrored about 180 degrees,
// the cubic interpolation's reach, polar diagrams, and the mappings without a value (no step, a log
// axis reaching 0, a zero-width x range, too short an array, too few sun weights, NaN values), which
// draw nothing undefined and always end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "graphs/graph_codes.h"
#include "tests/graphs/frame_test_support.h"

namespace tessary::test {
namespace {

constexpr OleColor kCurve = rgb(255, 0, 0);
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// x of angle index k (1 degree steps) in the Large box, 0..180 degrees.
double IndexX(int k) { return 1000 + (k - 1) * 14000.0 / 180; }

class PlotTest : public FrameTest {
  protected:
    PlotTest() {
        Form1& f = *form;
        f.cboStep.setText("1");
        f.mnuSolid.setChecked(true);
        f.graph.phasePanel = 0;
        f.graph.curvePolarisation = kCurvePerpendicular;
        f.clearDrawLog();
    }
    // Plots values (indices 1..) over 0..180 degrees with the y range given.
    void plot(const std::vector<double>& values, double yFrom, double yTo, double xFrom = 0,
              double xTo = 180) {
        Form1& f = *form;
        f.setForeColor(kCurve);
        count = 0;
        f.Plot(count, values, 1000, 15000, 3400, 9800, xFrom, xTo, yFrom, yTo);
    }
    void linear() {
        form->optLog.setValue(false);
        form->optLinear.setValue(true);
    }
    std::vector<DrawOp> curve() const {
        return lines([](const DrawOp& l) { return l.colour == kCurve; });
    }
    std::vector<DrawOp> boxEdges() const {
        return lines([](const DrawOp& l) { return l.colour == kBlack; });
    }
    static std::vector<double> Values(double v) { return std::vector<double>(182, v); }

    std::int32_t count = 0;
};

TEST_F(PlotTest, LogScaleOneSegmentPerPointAndTheBoxRedrawn) {
    plot(Values(1000), 10, 1E5);
    EXPECT_EQ(count, 91);  // 90 / 1 + 1 points per 90 degrees
    const std::vector<DrawOp> c = curve();
    ASSERT_EQ(c.size(), 181u);  // the first point, then 180 segments
    for (const DrawOp& l : c) {
        EXPECT_NEAR(l.y1, 6600, 1e-9);  // two decades of four above 10
        EXPECT_NEAR(l.y2, 6600, 1e-9);
    }
    EXPECT_NEAR(c.front().x1, 1000, 1e-9);
    EXPECT_NEAR(c.back().x2, 15000, 1e-9);
    EXPECT_EQ(boxEdges().size(), 4u);
    EXPECT_EQ(form->foreColor(), kBlack);
    EXPECT_EQ(form->drawStyle(), 0);
    EXPECT_EQ(form->drawWidth(), 1);
}

TEST_F(PlotTest, LogScaleZeroAtTheBottomAboveTheMaximumAtTheTop) {
    std::vector<double> v = Values(0);
    for (int k = 91; k <= 181; ++k) v[static_cast<std::size_t>(k)] = 1E9;
    plot(v, 10, 1E5);
    const std::vector<DrawOp> c = curve();
    ASSERT_EQ(c.size(), 181u);
    EXPECT_EQ(c[10].y1, 9800);
    EXPECT_EQ(c[150].y1, 3400);
    for (const DrawOp& l : c) {
        EXPECT_TRUE(l.y1 >= 3400 && l.y1 <= 9800 && l.y2 >= 3400 && l.y2 <= 9800);
    }
}

TEST_F(PlotTest, LinearScale) {
    linear();
    plot(Values(1000), 0, 2000);
    for (const DrawOp& l : curve()) EXPECT_NEAR(l.y1, 6600, 1e-9);
}

TEST_F(PlotTest, SegmentLeavingAtTheBottomEndsOnTheEdge) {
    linear();
    std::vector<double> v = Values(1000);
    for (int k = 91; k <= 181; ++k) v[static_cast<std::size_t>(k)] = -1000;  // y 13000, below the box
    plot(v, 0, 2000);
    const std::vector<DrawOp> c = curve();
    ASSERT_EQ(c.size(), 91u);  // the level segments below the box are not drawn
    const DrawOp& leaving = c.back();
    EXPECT_NEAR(leaving.x1, IndexX(90), 1e-9);
    EXPECT_NEAR(leaving.y1, 6600, 1e-9);
    EXPECT_NEAR(leaving.x2, (IndexX(90) + IndexX(91)) / 2, 1e-9);  // 3200 of 6400 down to the edge
    EXPECT_EQ(leaving.y2, 9800);
}

// A sloping run of values below the box (a polarisation that is nearly 0 on a log axis) draws
// nothing there: no edge line reaching out of the box to the left over the axis numbers.
TEST_F(PlotTest, SlopingCurveBelowTheBoxDrawsNothingOutside) {
    for (bool log : {true, false}) {
        SCOPED_TRACE(log);
        form->clearDrawLog();
        if (!log) linear();
        std::vector<double> v = Values(1000);
        for (int k = 1; k <= 60; ++k) v[static_cast<std::size_t>(k)] = log ? 1E-30 * k : -1000.0 * k;
        plot(v, log ? 10 : 0, log ? 1E5 : 2000);
        const std::vector<DrawOp> c = curve();
        ASSERT_FALSE(c.empty());
        for (const DrawOp& l : c) {
            EXPECT_GE(std::min(l.x1, l.x2), 1000 - 1e-9);
            EXPECT_LE(std::max(l.x1, l.x2), 15000 + 1e-9);
            EXPECT_TRUE(l.y1 >= 3400 && l.y1 <= 9800 && l.y2 >= 3400 && l.y2 <= 9800);
        }
        // The first segment drawn comes up from the bottom edge between indices 60 and 61.
        EXPECT_NEAR(c.front().x1, IndexX(60), 1e-9);
        EXPECT_EQ(c.front().y1, 9800);
    }
}

TEST_F(PlotTest, NoStepDrawsOnlyTheBox) {
    for (const char* step : {"0", "-1", "x"}) {
        form->clearDrawLog();
        form->cboStep.setText(step);
        plot(Values(1000), 10, 1E5);
        EXPECT_TRUE(curve().empty()) << step;
        EXPECT_EQ(boxEdges().size(), 4u) << step;
        EXPECT_EQ(count, 0) << step;
    }
}

TEST_F(PlotTest, UndefinedMappingsDrawNoCurve) {
    struct Range {
        double yFrom, yTo, xFrom, xTo;
    };
    const Range ranges[] = {{0, 1E5, 0, 180}, {-1, 1E5, 0, 180}, {10, 10, 0, 180}, {10, 1E5, 90, 90}};
    for (const Range& r : ranges) {
        form->clearDrawLog();
        plot(Values(1000), r.yFrom, r.yTo, r.xFrom, r.xTo);
        EXPECT_TRUE(curve().empty()) << r.yFrom << " " << r.yTo << " " << r.xFrom;
        EXPECT_EQ(boxEdges().size(), 4u);
    }
    form->clearDrawLog();
    form->OptXLinear.setValue(false);
    form->optXLog.setValue(true);
    plot(Values(1000), 10, 1E5, 0, 180);  // a log x axis from 0
    EXPECT_TRUE(curve().empty());
}

TEST_F(PlotTest, AveragingStrideBelowOnePointStillAdvances) {
    form->mnuAverage.setChecked(true);
    for (const char* width : {"0", "0.2", "-3"}) {
        form->clearDrawLog();
        form->dlogAverage_->txtAverage.setText(width);
        plot(Values(1000), 10, 1E5);
        EXPECT_EQ(curve().size(), 181u) << width;
    }
}

TEST_F(PlotTest, AveragingOverFivePointsDrawsEveryFifth) {
    linear();
    form->mnuAverage.setChecked(true);
    form->dlogAverage_->txtAverage.setText("5");
    std::vector<double> v(182);
    for (std::size_t k = 1; k < v.size(); ++k) v[k] = static_cast<double>(k);
    plot(v, 0, 200);
    const std::vector<DrawOp> c = curve();
    ASSERT_EQ(c.size(), 37u);  // points 1, 6, ..., 181
    // point 1 is the mean of indices 1..4 (round(-1.5) = -2 .. round(3.5) = 4, only 1..4 visible): 2.5
    EXPECT_NEAR(c.front().y1, 9800 - 2.5 * 32, 1e-9);
    // point 6: indices 4..8 (round(3.5) = 4 .. round(8.5) = 8): mean 6
    EXPECT_NEAR(c[1].y2, 9800 - 6 * 32, 1e-9);
    EXPECT_NEAR(c[1].x2, IndexX(6), 1e-9);
}

TEST_F(PlotTest, SunDiscMirrorsAboutOneEighty) {
    linear();
    form->optSun.setValue(true);
    form->light.sunDiscSteps = 1;
    form->light.sunDiscWeights = {0.0, 1.0, 0.0};
    form->light.sunDiscWeightSum = 3.0;
    std::vector<double> v(182);
    for (std::size_t k = 1; k < v.size(); ++k) v[k] = static_cast<double>(k);
    plot(v, 0, 200);
    const std::vector<DrawOp> c = curve();
    ASSERT_EQ(c.size(), 181u);
    EXPECT_NEAR(c.back().y2, 9800 - (181 + 180 + 180) / 3.0 * 32, 1e-9);  // 182 folds onto 180
    EXPECT_NEAR(c.front().y1, 9800 - (1 + 2 + 2) / 3.0 * 32, 1e-9);       // 0 folds onto 2
}

TEST_F(PlotTest, SunDiscStepsBeyondTheWeightsAndShortArrays) {
    form->optSun.setValue(true);
    form->light.sunDiscSteps = 500;
    form->light.sunDiscWeights = {0.0, 0.5, 0.0};
    form->light.sunDiscWeightSum = 2.0;
    plot(Values(1000), 10, 1E5);
    EXPECT_EQ(curve().size(), 181u);
    form->clearDrawLog();
    plot(std::vector<double>(50, 1000), 10, 1E5);  // the grid asks for 181 points, 49 are stored
    EXPECT_EQ(curve().size(), 49u);
    form->clearDrawLog();
    plot(std::vector<double>{}, 10, 1E5);
    EXPECT_TRUE(curve().empty());
}

TEST_F(PlotTest, ValueWithoutANumberIsAGap) {
    std::vector<double> v = Values(1000);
    v[50] = kNaN;
    plot(v, 10, 1E5);
    const std::vector<DrawOp> c = curve();
    EXPECT_EQ(c.size(), 180u);  // 49 -> 50 and 50 -> 51 missing, 51 starts afresh
    for (const DrawOp& l : c) EXPECT_TRUE(std::isfinite(l.x1) && std::isfinite(l.y1) && std::isfinite(l.x2));
}

TEST_F(PlotTest, LineStyleAndWidthFromTheMenus) {
    form->mnuSolid.setChecked(false);
    form->mnuDash.setChecked(true);
    form->mnuDrawWidth2.setChecked(true);
    plot(Values(1000), 10, 1E5);
    const std::vector<DrawOp> c = curve();
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(c.front().drawStyle, 1);
    EXPECT_EQ(c.front().drawWidth, 2);
    for (const DrawOp& l : boxEdges()) EXPECT_EQ(l.drawStyle, 0);
}

TEST_F(PlotTest, CubicInterpolationReachesBothEnds) {
    form->mnuInterpolate.setChecked(true);
    plot(Values(1000), 10, 1E5);
    const std::vector<DrawOp> c = curve();
    ASSERT_GT(c.size(), 1000u);  // ten sub-steps per point
    double lo = 1E9, hi = -1E9;
    for (const DrawOp& l : c) {
        EXPECT_NEAR(l.y1, 6600, 1e-6);
        lo = std::min(lo, l.x1);
        hi = std::max(hi, l.x2);
    }
    EXPECT_NEAR(lo, 1000, 1e-6);   // from P1 at the fourth point
    EXPECT_NEAR(hi, 15000, 1e-6);  // on to P4 at the last (t up to 2.01)
}

TEST_F(PlotTest, PolarIntensityDrawnInBothHalves) {
    linear();
    Form1& f = *form;
    f.mnuPolarPlot.setChecked(true);
    f.graph.polarCentreX = 8000;
    f.graph.polarCentreY = 6600;
    f.graph.polarRadius = 3000;
    f.graph.yScaleMax = 1000;
    plot(Values(1000), 0, 1000);
    const std::vector<DrawOp> c = curve();
    ASSERT_EQ(c.size(), 362u);  // each segment and its mirror image
    for (const DrawOp& l : c) EXPECT_NEAR(std::hypot(l.x2 - 8000, l.y2 - 6600), 3000, 1e-6);
    EXPECT_TRUE(boxEdges().empty());  // no Cartesian box
}

TEST_F(PlotTest, AmplitudePhaseDiagramMarksItsStart) {
    linear();
    Form1& f = *form;
    f.mnuPolarPlot.setChecked(true);
    f.mnuAmpPhase.setChecked(true);
    f.graph.polarCentreX = 8000;
    f.graph.polarCentreY = 6600;
    f.graph.polarRadius = 3000;
    f.graph.yScaleMax = 100;
    f.results.s1Amp[0].assign(182, 0.0);
    f.results.s1Amp[1].assign(182, 0.0);
    for (std::size_t k = 1; k < 182; ++k) {
        f.results.s1Amp[0][k] = 10 * std::cos(k * 0.1);
        f.results.s1Amp[1][k] = 10 * std::sin(k * 0.1);
    }
    plot(Values(1), 1, 100);
    EXPECT_EQ(ops(DrawOp::Kind::Circle).size(), 1u);
    EXPECT_EQ(textCount(" 0 "), 1);    // (1 - 1) x step at the start
    EXPECT_EQ(textCount(" 100 "), 1);  // every 100 points
    const std::vector<DrawOp> c = curve();
    EXPECT_GT(c.size(), 181u);  // the curve and the ticks every 10 points
}

}  // namespace
}  // namespace tessary::test
