// One curve of computed values on the graph: the line style from the menus, the curve's path worked
// out by graphs::CurveMarks from the run's indices, the graph's scales and the smoothing options,
// then painted in the current colour; the Cartesian box's edges are redrawn over it.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "graphs/curve_path.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/results_on_show.h"

namespace tessary {

namespace {

bool LogStepCode(int code) {
    return code == kGraphWavelength || code == kGraphRadius || code == kGraphEfficiency ||
           code == kGraphEfficiencyWavelength || code == kGraphAsymmetry;
}

}  // namespace

// One curve of values (indexed from 1) in the box left..right x top..bottom for the given x and y ranges, in
// the current drawing colour; count is angleCount, written back for angle graphs.
void Form1::Plot(std::int32_t& count, std::span<const double> values, float left, float right, float top,
                 float bottom, double xFrom, double xTo, double yFrom, double yTo) {
    doEvents();
    if (mnuSolid.checked()) setDrawStyle(0);
    if (mnuDash.checked()) setDrawStyle(1);
    if (mnuDot.checked()) setDrawStyle(2);
    if (mnuDrawWidth1.checked()) setDrawWidth(1);
    if (mnuDrawWidth2.checked()) setDrawWidth(2);

    const bool polar = mnuPolarPlot.checked();
    // Back to solid black lines of width 1; the Cartesian box's edges redrawn over the curve.
    const auto finish = [&] {
        setForeColor(kBlack);
        setDrawStyle(0);
        setDrawWidth(1);
        if (!polar) {
            line(left, bottom, right, bottom);
            line(left, top, right, top);
            line(left, top, left, bottom);
            line(right, top, right, bottom);
        }
    };

    const double step = RunStep();
    const bool logSteps = RunLogSteps() && LogStepCode(codes.graphCode);
    // The amplitude-phase diagram is drawn from S1 and S2 alone: results that hold none leave it empty.
    if (polar && mnuAmpPhase.checked() && !AmplitudesOnShow()) return finish();
    const std::optional<graphs::CurveIndexRange> range =
        graphs::CurveIndices(codes.graphCode, logSteps, step, xFrom, xTo, graph.dataXStart);
    if (!range) return finish();
    if (codes.graphCode < kFirstSweepGraph) count = range->angleCount;
    if (range->sweep) {
        graph.plotFirstIndex = range->firstIndex;
        graph.plotLastIndex = range->lastIndex;
    }

    graphs::CurveInput in;
    in.values = values;
    in.left = left;
    in.right = right;
    in.top = top;
    in.bottom = bottom;
    in.xFrom = xFrom;
    in.xTo = xTo;
    // An overplot lies on the x axis of the graph on show, whatever range it was computed over.
    if (DrawsOverGraphOnShow(*this)) {
        in.axisFrom = graph.frameXMin;
        in.axisTo = graph.frameXMax;
    }
    in.yFrom = yFrom;
    in.yTo = yTo;
    in.range = *range;
    in.step = step;
    in.runLogSteps = RunLogSteps();
    in.logSteps = logSteps;
    in.xLinear = OptXLinear.value();
    in.yLog = optLog.value() && graph.phasePanel == 0;
    in.logOption = optLog.value();
    in.polar = polar;
    in.ampPhase = polar && mnuAmpPhase.checked();
    in.yScaleMax = graph.yScaleMax;
    in.average = mnuAverage.checked();
    in.averageWidth = in.average && step > 0.0 ? Val(dlogAverage_->txtAverage.text()) / step : 1.0;
    in.sunDisc = optSun.value() && codes.graphCode < kFirstSweepGraph;
    in.discSteps = std::clamp<std::int32_t>(
        light.sunDiscSteps, 0,
        static_cast<std::int32_t>(light.sunDiscWeights.empty() ? 0 : light.sunDiscWeights.size() - 1));
    in.discWeights = light.sunDiscWeights;
    in.discWeightSum = light.sunDiscWeightSum;
    in.interpolate = mnuInterpolate.checked();
    in.cx = graph.polarCentreX;
    in.cy = graph.polarCentreY;
    in.radiusPolar = graph.polarRadius;
    in.polarisation = graph.curvePolarisation;
    in.s1Re = results.s1Amp[0];
    in.s1Im = results.s1Amp[1];
    in.s2Re = results.s2Amp[0];
    in.s2Im = results.s2Amp[1];

    const graphs::CurvePath path = graphs::CurveMarks(in);
    if (path.lastX) graph.tickValueX = *path.lastX;
    for (const graphs::CurveMark& m : path.marks) {
        switch (m.kind) {
            case graphs::CurveMark::Kind::Line:
                line(m.x1, m.y1, m.x2, m.y2);
                break;
            case graphs::CurveMark::Kind::Circle:
                circle(m.x1, m.y1, 20);
                break;
            case graphs::CurveMark::Kind::Number:
                setCurrentX(m.x1);
                setCurrentY(m.y1);
                print(m.number);
                break;
        }
    }
    finish();
}

}  // namespace tessary
