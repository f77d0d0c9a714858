// The way computed curves reach the graph: Display works out the y range (typed limits or round
// limits around the data), has the frame drawn when a new one is due and hands each curve that the
// polarisation list asks for to Plot in its colour. GridYmax and GridYmin turn a data range into
// round axis ends (the arithmetic in graphs/graph_geometry.h); AngleDelta puts a typed scattering
// angle on the coarsest angle grid that holds it.
#include <cmath>
#include <cstdint>
#include <span>
#include <string>

#include "graphs/graph_codes.h"
#include "graphs/graph_geometry.h"
#include "mainwindow/form1.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/results_on_show.h"

namespace tessary {

namespace {

constexpr const char* kAutomatic = "Automatic";

// Graph codes whose x steps may be logarithmic (the step list then holds the number of steps).
bool LogStepCode(int code) {
    return code == kGraphWavelength || code == kGraphRadius || code == kGraphEfficiency ||
           code == kGraphEfficiencyWavelength || code == kGraphAsymmetry;
}

// One wavelength's y range: typed limits, or round limits around the visible data (scanned from the
// perpendicular and parallel curves unless the results came from a file).
void SingleWaveYRange(Form1& f, std::span<const double> perp, std::span<const double> para,
                      graphs::IndexSpan visible, bool autoMin, bool autoMax) {
    if (!autoMin) f.graph.yAxisMin = Val(f.cboYmin.text());
    if (!autoMax) f.graph.yAxisMax = Val(f.cboYmax.text());
    if (f.runFlags.resultsFromFile == 1) {
        f.GridYmax(f.graph.yScaleMax, f.graph.yAxisMax);
        f.GridYmin(f.graph.yScaleMin, f.graph.yAxisMin);
        return;
    }
    const graphs::CurveExtremes e = graphs::ScanCurves(perp, para, visible, autoMax, autoMin);
    if (autoMax) {
        f.graph.yScaleMax = AMAX(e.maxPerp, e.maxPara);
        f.GridYmax(f.graph.yScaleMax, f.graph.yAxisMax);
        if (f.graph.phasePanel == 0) {
            f.graph.savedYScaleMax = f.graph.yScaleMax;
            f.graph.drawnYMax = f.graph.yAxisMax;
            f.txtY2max.setText(CStr(f.graph.yScaleMax));
        }
    }
    if (autoMin) {
        // Nothing scanned: no minimum either (0 takes the floor of a log axis).
        f.graph.yScaleMin = e.scanned ? AMIN(e.minPerp, e.minPara) : 0.0;
        f.GridYmin(f.graph.yScaleMin, f.graph.yAxisMin);
    }
}

// The frame of a new graph: the upper panel's with its y range, or the lower panel's phase (0 to
// 360) or degree of polarisation (-1 to 1, with its middle line) frame.
void DrawFrame(Form1& f) {
    if (f.graph.phasePanel == 0) {
        f.Grid(f.graph.graphLeft, f.graph.graphRight, f.graph.graphTop, f.graph.graphBottom, f.graph.xMin,
               f.graph.xMax, f.graph.yAxisMin, f.graph.yAxisMax);
        f.graph.drawnYMin = f.graph.yAxisMin;
        f.graph.drawnYMax = f.graph.yAxisMax;
        return;
    }
    if (f.mnuPolarPlot.checked()) return;
    if (f.mnuAmpPhase.checked()) {
        double from = 0.0, to = 360.0;
        f.Grid(f.graph.graphLeft, f.graph.graphRight, f.graph.graphTop, f.graph.graphBottom, f.graph.xMin,
               f.graph.xMax, from, to);
    }
    if (f.mnuIntPol.checked()) {
        double from = -1.0, to = 1.0;
        f.Grid(f.graph.graphLeft, f.graph.graphRight, f.graph.graphTop, f.graph.graphBottom, f.graph.xMin,
               f.graph.xMax, from, to);
        f.setForeColor(kBlack);
        const double middle = (static_cast<double>(f.graph.graphTop) + f.graph.graphBottom) / 2.0;
        f.line(f.graph.graphLeft, middle, f.graph.graphRight, middle);
    }
    f.graph.yAxisMin = f.graph.drawnYMin;
    f.graph.yAxisMax = f.graph.drawnYMax;
}

}  // namespace

// The y range a stopped sweep's curves would be drawn in, from its finished points 1..lastFinished inside
// the x range, as Display works it out: its curves are not drawn when it stops, and the range saved with
// it must be its own, not that of the graph drawn before it.
void Form1::StoppedSweepYScale(std::int32_t lastFinished) {
    const bool autoMax = cboYmax.text() == kAutomatic;
    const bool autoMin = cboYmin.text() == kAutomatic;
    if (lastFinished < 1 || graph.phasePanel != 0) return;
    const bool logSteps = RunLogSteps() && LogStepCode(codes.graphCode);
    const graphs::IndexSpan visible =
        graphs::VisibleIndices(codes.graphCode, angleGrid.angleCount, RunStep(), Val(txtXmin.text()),
                               Val(txtXmax.text()), graph.dataXStart, logSteps);
    SingleWaveYRange(*this, graphs::PointsUpTo(results.intensityPerp, lastFinished),
                     graphs::PointsUpTo(results.intensityPara, lastFinished), visible, autoMin, autoMax);
}

// Draws the curves that cboPol asks for from three arrays indexed by point from 1 (element 0 unused): works
// out the y range, has Grid draw the frame when a new one is due, then Plot per curve. With phasePanel 1 it
// draws the lower panel from avgPerp, avgPara, avgUnpol instead.
void Form1::Display(std::span<const double> perp, std::span<const double> para,
                    std::span<const double> unpol) {
    // The x range of the curves: the boxes' (a redraw's window inside the computed range), but the whole range
    // of the run read where an Overplot from a file draws it over the axes on show.
    const bool fileOverplot = runFlags.resultsFromFile == 1 && mnuOverplot.checked() && runRecord.taken;
    graph.xMin = Val(fileOverplot ? runRecord.xMinText : txtXmin.text());
    graph.xMax = Val(fileOverplot ? runRecord.xMaxText : txtXmax.text());
    const bool logSteps = RunLogSteps() && LogStepCode(codes.graphCode);
    const graphs::IndexSpan visible = graphs::VisibleIndices(
        codes.graphCode, angleGrid.angleCount, RunStep(), graph.xMin, graph.xMax, graph.dataXStart, logSteps);

    const bool autoMax = cboYmax.text() == kAutomatic;
    const bool autoMin = cboYmin.text() == kAutomatic;
    const bool overplot = DrawsOverGraphOnShow(*this);
    bool frameStep = false;
    if (overplot) {
        // the new curves go into the existing frame with its y range
    } else if (graph.phasePanel == 0 && codes.runState == kNoRunYet) {
        graph.yAxisMin = autoMin ? graph.yScaleMin : Val(cboYmin.text());
        graph.yAxisMax = autoMax ? graph.yScaleMax : Val(cboYmax.text());
    } else if (calc.waveCount <= 1 || codes.graphCode >= kFirstSweepGraph) {
        // a sweep computes each step at one wavelength, whatever the wavelength count
        SingleWaveYRange(*this, perp, para, visible, autoMin, autoMax);
        frameStep = true;
    } else if (sweepState.loopI >= 2) {
        // several wavelengths: the first one drew the frame over the range of all
        graph.yAxisMin = Val(txtY1min.text());
    } else {
        frameStep = true;
    }
    if (frameStep &&
        ((codes.runState == kRunNewPlot && sweepState.loopI == 1) || codes.runState == kRunReplot ||
         runFlags.resultsFromFile == 1 || codes.graphCode >= kFirstSweepGraph))
        DrawFrame(*this);

    // Curves: perpendicular, parallel, unpolarised.
    const auto waveColour = [this] {
        const std::size_t i =
            sweepState.loopI >= 0 && sweepState.loopI < static_cast<int>(graphColours.colourPerWave.size())
                ? static_cast<std::size_t>(sweepState.loopI)
                : 0;
        const Checked<std::int32_t> c = CLng(graphColours.colourPerWave[i]);
        setForeColor(c.ok() && c.value >= 0 ? static_cast<OleColor>(c.value) : kBlack);
    };
    const auto drawCurve = [&](int polarisation, std::span<const double> upper,
                               std::vector<double>& lowerPhase, bool intPolHere) {
        graph.curvePolarisation = polarisation;
        if (graph.phasePanel == 0) {
            Plot(angleGrid.angleCount, upper, graph.graphLeft, graph.graphRight, graph.graphTop,
                 graph.graphBottom, graph.xMin, graph.xMax, graph.yAxisMin, graph.yAxisMax);
            graph.drawnYMin = graph.yAxisMin;
            graph.drawnYMax = graph.yAxisMax;
            return;
        }
        if (mnuPolarPlot.checked()) return;
        if (mnuAmpPhase.checked())
            Plot(angleGrid.angleCount, lowerPhase, graph.graphLeft, graph.graphRight, graph.graphTop,
                 graph.graphBottom, graph.xMin, graph.xMax, 0.0, 360.0);
        if (mnuIntPol.checked() && intPolHere)
            Plot(angleGrid.angleCount, results.avgPerp, graph.graphLeft, graph.graphRight, graph.graphTop,
                 graph.graphBottom, graph.xMin, graph.xMax, -1.0, 1.0);
        graph.yAxisMin = graph.drawnYMin;
        graph.yAxisMax = graph.drawnYMax;
    };

    // The efficiency, cross-section and asymmetry graphs of a sphere that did not absorb (by the index
    // the run used) have one curve; the efficiency and cross-section graphs of one that did, three.
    const bool absorbs = RunAbsorbs();
    const bool oneCurveOnly =
        !absorbs && codes.graphCode >= kGraphEfficiency && codes.graphCode <= kGraphAsymmetry;
    const bool threeQ =
        absorbs && (codes.graphCode == kGraphEfficiency || codes.graphCode == kGraphEfficiencyWavelength);
    for (const graphs::CurveChoice& c :
         graphs::DisplayCurves(cboPol.text(), threeQ, calc.waveCount > 1, oneCurveOnly)) {
        switch (c.colour) {
            case graphs::CurveColour::Wave:
                waveColour();
                break;
            case graphs::CurveColour::Line:
                LineColour();
                break;
            case graphs::CurveColour::Dark:
                LineColour();
                setForeColor(graphColours.lineColourDark);
                break;
            case graphs::CurveColour::Black:
                setForeColor(kBlack);
                break;
        }
        if (c.polarisation == 1) drawCurve(kCurvePerpendicular, perp, results.avgPerp, c.intPolHere);
        if (c.polarisation == 2) drawCurve(kCurveParallel, para, results.avgPara, c.intPolHere);
        if (c.polarisation == 3) drawCurve(kCurveUnpolarised, unpol, results.avgUnpol, c.intPolHere);
    }
}

// Round axis ends for a data maximum (here) and minimum (GridYmin below); either may replace the data value,
// and GridYmin writes txtY1min. Always finite, the maximum above 0 and, on a log axis, the minimum above 0.
void Form1::GridYmax(double& dataMax, double& axisMax) {
    // Without a positive maximum the previous graph's data maximum stands in (an overplot keeps the
    // earlier scale).
    if (graph.phasePanel == 0 && (!(dataMax > 0.0) || codes.runState == kRunOverplot))
        dataMax = Val(txtY2max.text());
    if (cboYmax.text() != kAutomatic) {
        axisMax = Val(cboYmax.text());
        return;
    }
    axisMax = graphs::RoundAxisMax(dataMax, optLog.value());
}

void Form1::GridYmin(double& dataMin, double& axisMin) {
    if (codes.runState == kRunOverplot) dataMin = Val(txtY1min.text());
    if (optLog.value()) {
        if (cboYmin.text() == kAutomatic) {
            dataMin = graphs::LogDataMin(dataMin, graph.yAxisMax);
            axisMin = graphs::LogAxisMin(dataMin, mnuPolarPlot.checked(), graph.yScaleMax);
        } else {
            axisMin = Val(cboYmin.text());
        }
    } else {
        axisMin = cboYmin.text() == kAutomatic ? 0.0 : Val(cboYmin.text());
    }
    txtY1min.setText(CStr(axisMin));
}

// The coarsest angle grid (90/N, N <= 9000) that holds the angle of txtAngle: writes angleCount and
// angleIndex, or paints txtAngle red and keeps them.
void Form1::AngleDelta() {
    // The angle grids of the runs hold at most 9001 points per 90 degrees: 90/N with N up to 9000.
    constexpr std::int32_t kMaxSteps = 9000;
    const double angle = Val(txtAngle.text());
    // Off the 0-180 degree grid there is no index.
    if (angle >= 0.0 && angle <= 180.0) {
        for (std::int32_t n = 1; n <= kMaxSteps; ++n) {
            const double r = angle / (90.0 / n);
            // on the grid of N + 1 points per 90 degrees when r is within 1E-5 of a whole number
            if (std::fabs(r - std::nearbyint(r)) < 1E-5) {
                angleGrid.angleIndex = CLng(r + 1.0).value;
                angleGrid.angleCount = n + 1;
                return;
            }
        }
    }
    txtAngle.setBackColor(kRed);
}

}  // namespace tessary
