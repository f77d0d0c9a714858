// The path of one curve on the graph, free of the window: which stored indices are visible, where
// each value lands (linear or logarithmic x and y, the polar and the amplitude-phase diagrams), the
// running mean and the sun-disc mean, clipping to the box, the four-point Lagrange cubic (10
// sub-steps between points) and the marks of the amplitude-phase diagram, as a list of marks in
// drawing order. Positions are in twips; the box edges are floats as the window keeps them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessary::graphs {

// Visible index range of a curve. Angle graphs (code < 10): N = 90/step + 1 points per 90 degrees,
// first = 2 (N - 1) xFrom / 180 + 1, last likewise, end = 2N - 1. Sweeps: first and last are
// floor((x - dataXStart) / step + 1.0001), end = last. Logarithmic steps: 1 to step + 1.
// nullopt when the step gives no grid.
struct CurveIndexRange {
    double first = 0.0;
    double last = 0.0;
    double end = 0.0;             // the last index of the run (the sun disc mirrors about it)
    std::int32_t angleCount = 0;  // N, on angle graphs
    bool sweep = false;           // a linear sweep: firstIndex, lastIndex hold first and last
    int firstIndex = 0;
    int lastIndex = 0;
};
std::optional<CurveIndexRange> CurveIndices(int graphCode, bool logSteps, double step, double xFrom,
                                            double xTo, double dataXStart);

// Everything the path depends on. Arrays are indexed from 1 (element 0 unused).
struct CurveInput {
    std::span<const double> values;
    float left = 0, right = 0, top = 0, bottom = 0;
    double xFrom = 0, xTo = 0, yFrom = 0, yTo = 0;
    // The x axis of the box (left end, right end) when it is not the curve's own range xFrom..xTo, as
    // for an overplot on the graph on show; equal ends: the curve's range.
    double axisFrom = 0, axisTo = 0;
    CurveIndexRange range;
    double step = 0;
    bool runLogSteps = false;  // the run stepped x logarithmically
    bool logSteps = false;     // ... and this graph type plots those steps
    bool xLinear = true;
    bool yLog = false;       // a logarithmic y scale (upper panel only)
    bool logOption = false;  // the logarithmic option itself (the amplitude-phase diagram reads it)
    bool polar = false;
    bool ampPhase = false;
    double yScaleMax = 0;
    bool average = false;
    double averageWidth = 1.0;  // in points
    bool sunDisc = false;
    std::int32_t discSteps = 0;
    std::span<const double> discWeights;  // w(1)..w(discSteps)
    double discWeightSum = 1.0;
    bool interpolate = false;
    double cx = 0, cy = 0, radiusPolar = 0;
    int polarisation = 0;  // 1 S1, 2 S2, else their mean
    std::span<const double> s1Re, s1Im, s2Re, s2Im;
};

// A mark of the path: a segment, the start circle (radius 20) or a number printed at (x1, y1).
struct CurveMark {
    enum class Kind { Line, Circle, Number };
    Kind kind = Kind::Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double number = 0;
};

struct CurvePath {
    std::vector<CurveMark> marks;
    std::optional<double> lastX;  // the x value of the last visible point stepped through
};

// The marks of the curve; none when its mapping has no value (an x range of zero width, a
// logarithmic scale reaching 0 or below, no visible point).
CurvePath CurveMarks(const CurveInput& in);

// Window x of the x value v on a linear or logarithmic axis from xFrom (left) to xTo (right).
double CurveX(const CurveInput& in, double v);
// Window y of the value v on a linear or logarithmic axis from yFrom (bottom) to yTo (top); on the
// logarithmic one a value at or below 0 sits on the bottom and one above yTo on the top.
double CurveY(const CurveInput& in, double v);

}  // namespace tessary::graphs
