// A curve's path without the window: visible index ranges, x and y positions, and the marks of small
// curves (points joined, clipped, gaps, running mean, polar mirror), worked by hand from the formulas
// in graphs/curve_path.h.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "graphs/curve_path.h"

namespace tessary::graphs {
namespace {

TEST(CurvePath, VisibleIndexRanges) {
    const struct {
        int code;
        bool logSteps;
        double step, xFrom, xTo, dataXStart;
        bool valid;
        double first, last, end;
        int angleCount;
        bool sweep;
    } cases[] = {
        {1, false, 0.5, 0, 180, 0, true, 1, 361, 361, 181, false},  // N = 90/0.5 + 1
        {1, false, 1, 45, 90, 0, true, 46, 91, 181, 91, false},     // 2 * 90 * 45/180 + 1
        {1, false, 100, 0, 180, 0, true, 1, 3, 3, 2, false},        // 1.9 rounds to 2 points
        {1, false, 200, 0, 180, 0, false, 0, 0, 0, 0, false},       // 1.45 rounds to 1: no grid
        {1, false, 0, 0, 180, 0, false, 0, 0, 0, 0, false},
        {10, false, 0.5, 2, 3, 1, true, 3, 5, 5, 0, true},  // floor(1/0.5 + 1.0001)
        {10, false, -1, 2, 3, 1, false, 0, 0, 0, 0, false},
        {10, true, 20, 1, 100, 1, true, 1, 21, 21, 0, false},  // log steps: 1 to step + 1
    };
    for (const auto& c : cases) {
        const auto r = CurveIndices(c.code, c.logSteps, c.step, c.xFrom, c.xTo, c.dataXStart);
        ASSERT_EQ(r.has_value(), c.valid) << c.code << " " << c.step;
        if (!r) continue;
        EXPECT_EQ(r->first, c.first) << c.step;
        EXPECT_EQ(r->last, c.last) << c.step;
        EXPECT_EQ(r->end, c.end) << c.step;
        EXPECT_EQ(r->angleCount, c.angleCount) << c.step;
        EXPECT_EQ(r->sweep, c.sweep) << c.step;
    }
}

TEST(CurvePath, Positions) {
    CurveInput in;
    in.left = 1000, in.right = 11000, in.top = 500, in.bottom = 5500;
    in.xFrom = 0, in.xTo = 10, in.yFrom = 0, in.yTo = 10;
    EXPECT_EQ(CurveX(in, 2.5), 3500);  // 1000 + 2.5 * 10000 / 10
    EXPECT_EQ(CurveY(in, 4), 3500);    // 5500 + 4 * (-5000) / 10
    in.xLinear = false, in.xFrom = 1, in.xTo = 100;
    EXPECT_DOUBLE_EQ(CurveX(in, 10), 6000);  // 1000 + 10000 log 10 / log 100
    in.yLog = true, in.yFrom = 0.01, in.yTo = 100;
    EXPECT_DOUBLE_EQ(CurveY(in, 1), 3000);    // 5500 - 5000 log 100 / log 10000
    EXPECT_EQ(CurveY(in, 0), 5500);           // no logarithm: on the bottom
    EXPECT_DOUBLE_EQ(CurveY(in, 1000), 500);  // above the axis: on the top
}

using Segment = std::array<double, 4>;

std::vector<Segment> Lines(const CurvePath& path) {
    std::vector<Segment> out;
    for (const CurveMark& m : path.marks) {
        EXPECT_EQ(m.kind, CurveMark::Kind::Line);
        out.push_back({m.x1, m.y1, m.x2, m.y2});
    }
    return out;
}

TEST(CurvePath, MarksOfSmallCurves) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        std::vector<double> values;  // from index 1
        double xTo, yTo;
        bool average;
        double width;
        std::vector<Segment> lines;
    } cases[] = {
        // y = 100 - 100 v / 4; the first point is a segment of no length
        {"joined", {1, 3, 2}, 2, 4, false, 1, {{0, 75, 0, 75}, {0, 75, 100, 25}, {100, 25, 200, 50}}},
        // 6 lies above the box: the end is lifted onto the top edge at its own x
        {"clipped", {2, 6}, 1, 4, false, 1, {{0, 50, 0, 50}, {0, 50, 100, 0}}},
        {"below", {-2, -4}, 1, 4, false, 1, {}},
        {"gap", {1, kNaN, 2}, 2, 4, false, 1, {{0, 75, 0, 75}, {200, 50, 200, 50}}},
        // width 3 strides by 3: the mean of points 1-2 is 2, of points 2-5 (3+2+4+6)/4 = 3.75
        {"mean", {1, 3, 2, 4, 6}, 4, 10, true, 3, {{0, 80, 0, 80}, {0, 80, 300, 62.5}}},
    };
    for (const auto& c : cases) {
        std::vector<double> values{0.0};
        values.insert(values.end(), c.values.begin(), c.values.end());
        CurveInput in;
        in.values = values;
        in.left = 0, in.right = static_cast<float>(100 * c.xTo), in.top = 0, in.bottom = 100;
        in.xFrom = 0, in.xTo = c.xTo, in.yFrom = 0, in.yTo = c.yTo;
        const double n = static_cast<double>(c.values.size());
        in.range = {1, n, n, 0, true, 1, static_cast<int>(n)};
        in.step = 1;
        in.average = c.average;
        in.averageWidth = c.width;
        const CurvePath path = CurveMarks(in);
        EXPECT_EQ(Lines(path), c.lines) << c.name;
        EXPECT_EQ(path.lastX, c.xTo - (c.average ? 1 : 0)) << c.name;
    }
}

TEST(CurvePath, PolarCurveIsMirroredBelowTheAxis) {
    const std::vector<double> values{0, 10, 5};
    CurveInput in;
    in.values = values;
    in.polar = true, in.yScaleMax = 10, in.radiusPolar = 1000, in.cx = 5000, in.cy = 3000;
    in.left = 0, in.right = 10000, in.top = 0, in.bottom = 10000;
    in.xFrom = 0, in.xTo = 180, in.yFrom = 0, in.yTo = 10;
    in.range = {1, 3, 3, 2, false, 0, 0};  // the first point at 0 degrees, the second at 90
    in.step = 90;
    const std::vector<Segment> lines = Lines(CurveMarks(in));
    // r = 1000 v / 10 at 0 and 90 degrees: (6000, 3000) then (5000, 3500), each mirrored about y = 3000
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2][0], 6000);
    EXPECT_DOUBLE_EQ(lines[2][2], 5000);
    EXPECT_EQ(lines[2][3], 3500);
    EXPECT_EQ(lines[3][3], 2500);
}

}  // namespace
}  // namespace tessary::graphs
