// The way computed curves reach the graph: Display works out the y range (typed limits or round
// limits around the data), has the frame drawn when a new one is due and hands each curve that the
// polarisation list asks for to Plot in its colour. GridYmax and GridYmin turn a data range into
// round axis ends; AngleDelta puts a typed scattering angle on the coarsest angle grid that holds it.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "mainwindow/form1.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

constexpr const char* kAutomatic = "Automatic";
// The divisor of the decade searches, as the y range has always used it.
constexpr double kLn10Axis = 2.302585093;
// Decades a search may pass: beyond them a Double is infinite or zero.
constexpr int kMaxDecades = 330;

// Graph codes whose x steps may be logarithmic (the step list then holds the number of steps).
bool LogStepCode(int code) { return code == 10 || code == 11 || code == 14 || code == 15 || code == 16; }

// Index of a point range end, rounded half to even and held inside 1..last.
std::int32_t IndexIn(double v, std::int32_t last) {
    if (!(v >= 1.0)) return 1;
    if (v >= static_cast<double>(last)) return last;
    return CLng(v).value;
}

// Last index a curve of these arrays can supply (arrays are indexed from 1; element 0 unused).
std::int32_t LastIndex(std::span<const double> a, std::span<const double> b) {
    const std::size_t n = std::min(a.size(), b.size());
    return n < 2 ? 0
                 : static_cast<std::int32_t>(
                       std::min<std::size_t>(n - 1, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void Form1::Display(std::span<const double> perp, std::span<const double> para,
                    std::span<const double> unpol) {
    graph.xMin = Val(txtXmin.text());
    graph.xMax = Val(txtXmax.text());

    // Visible index range.
    const double step = RunStep();
    if (codes.graphCode < 10) {
        scratchP = 2.0 * (angleGrid.angleCount - 1) * graph.xMin / 180.0 + 1.0;
        scratchQ = 2.0 * (angleGrid.angleCount - 1) * graph.xMax / 180.0 + 1.0;
    } else if (step != 0.0) {
        scratchP = (graph.xMin - graph.dataXStart) / step + 1.0;
        scratchQ = (graph.xMax - graph.dataXStart) / step + 1.0;
    } else {  // no step: no visible point (the input checks refuse it before a run)
        scratchP = 1.0;
        scratchQ = 0.0;
    }
    if (RunLogSteps() && LogStepCode(codes.graphCode)) {
        scratchP = 1.0;
        scratchQ = step + 1.0;
    }

    const bool autoMax = cboYmax.text() == kAutomatic;
    const bool autoMin = cboYmin.text() == kAutomatic;
    const bool overplot = codes.runState == kRunOverplot || mnuOverplot.checked();
    bool frameStep = false;
    if (overplot) {
        // the new curves go into the existing frame with its y range
    } else if (graph.phasePanel == 0 && codes.runState == kNoRunYet) {
        graph.yAxisMin = autoMin ? graph.yScaleMin : Val(cboYmin.text());
        graph.yAxisMax = autoMax ? graph.yScaleMax : Val(cboYmax.text());
    } else if (calc.waveCount <= 1) {
        if (!autoMin) graph.yAxisMin = Val(cboYmin.text());
        if (!autoMax) graph.yAxisMax = Val(cboYmax.text());
        if (runFlags.resultsFromFile != 1) {
            // Scan of the perpendicular and parallel curves over the visible range.
            double maxPerp = 0.0, maxPara = 0.0;
            double minPerp = 1E30, minPara = 1E31;
            bool scanned = false;
            const std::int32_t last = LastIndex(perp, para);
            if (last >= 1 && scratchQ >= 1.0 && scratchP <= static_cast<double>(last)) {
                const std::int32_t to = IndexIn(scratchQ, last);
                for (std::int32_t j = IndexIn(scratchP, last); j <= to; ++j) {
                    const double a = perp[static_cast<std::size_t>(j)];
                    const double b = para[static_cast<std::size_t>(j)];
                    if (!std::isfinite(a) || !std::isfinite(b)) continue;  // no value, no range
                    scanned = true;
                    if (autoMax) {
                        maxPerp = AMAX(maxPerp, a);
                        maxPara = AMAX(maxPara, b);
                    }
                    if (autoMin) {
                        minPerp = AMIN(minPerp, a);
                        minPara = AMIN(minPara, b);
                    }
                }
            }
            if (autoMax) {
                graph.yScaleMax = AMAX(maxPerp, maxPara);
                GridYmax(graph.yScaleMax, graph.yAxisMax);
                if (graph.phasePanel == 0) {
                    graph.savedYScaleMax = graph.yScaleMax;
                    graph.drawnYMax = graph.yAxisMax;
                    txtY2max.setText(CStr(graph.yScaleMax));
                }
            }
            if (autoMin) {
                // Nothing scanned: no minimum either (0 takes the floor of a log axis).
                graph.yScaleMin = scanned ? AMIN(minPerp, minPara) : 0.0;
                GridYmin(graph.yScaleMin, graph.yAxisMin);
            }
        } else {
            GridYmax(graph.yScaleMax, graph.yAxisMax);
            GridYmin(graph.yScaleMin, graph.yAxisMin);
        }
        frameStep = true;
    } else if (sweepState.loopI >= 2) {
        // several wavelengths: the first one drew the frame over the range of all
        graph.yAxisMin = Val(txtY1min.text());
    } else {
        frameStep = true;
    }

    if (frameStep &&
        ((codes.runState == kRunNewPlot && sweepState.loopI == 1) || codes.runState == kRunReplot || runFlags.resultsFromFile == 1 ||
         codes.graphCode >= 10)) {
        if (graph.phasePanel == 0) {
            Grid(graph.graphLeft, graph.graphRight, graph.graphTop, graph.graphBottom, graph.xMin, graph.xMax, graph.yAxisMin, graph.yAxisMax);
            graph.drawnYMin = graph.yAxisMin;
            graph.drawnYMax = graph.yAxisMax;
        } else if (!mnuPolarPlot.checked()) {
            if (mnuAmpPhase.checked()) {
                double from = 0.0, to = 360.0;
                Grid(graph.graphLeft, graph.graphRight, graph.graphTop, graph.graphBottom, graph.xMin, graph.xMax, from, to);
            }
            if (mnuIntPol.checked()) {
                double from = -1.0, to = 1.0;
                Grid(graph.graphLeft, graph.graphRight, graph.graphTop, graph.graphBottom, graph.xMin, graph.xMax, from, to);
                setForeColor(kBlack);
                const double middle = (static_cast<double>(graph.graphTop) + graph.graphBottom) / 2.0;
                line(graph.graphLeft, middle, graph.graphRight, middle);
            }
            graph.yAxisMin = graph.drawnYMin;
            graph.yAxisMax = graph.drawnYMax;
        }
    }

    // Curves: perpendicular, parallel, unpolarised.
    const std::string pol = cboPol.text();
    const bool all3 = pol == "All 3";
    const bool both = pol == "Both";
    const bool absorbing = calc.absorbingFlag == 2;
    const auto waveColour = [this] {
        const std::size_t i = sweepState.loopI >= 0 && sweepState.loopI < static_cast<int>(graphColours.colourPerWave.size())
                                  ? static_cast<std::size_t>(sweepState.loopI)
                                  : 0;
        const Checked<std::int32_t> c = CLng(graphColours.colourPerWave[i]);
        setForeColor(c.ok() && c.value >= 0 ? static_cast<OleColor>(c.value) : kBlack);
    };
    const auto drawCurve = [&](int polarisation, std::span<const double> upper,
                               std::vector<double>& lowerPhase, bool intPolHere) {
        graph.curvePolarisation = polarisation;
        if (graph.phasePanel == 0) {
            Plot(angleGrid.angleCount, upper, graph.graphLeft, graph.graphRight, graph.graphTop, graph.graphBottom, graph.xMin, graph.xMax, graph.yAxisMin,
                 graph.yAxisMax);
            graph.drawnYMin = graph.yAxisMin;
            graph.drawnYMax = graph.yAxisMax;
            return;
        }
        if (mnuPolarPlot.checked()) return;
        if (mnuAmpPhase.checked())
            Plot(angleGrid.angleCount, lowerPhase, graph.graphLeft, graph.graphRight, graph.graphTop, graph.graphBottom, graph.xMin, graph.xMax, 0.0,
                 360.0);
        if (mnuIntPol.checked() && intPolHere)
            Plot(angleGrid.angleCount, results.avgPerp, graph.graphLeft, graph.graphRight, graph.graphTop, graph.graphBottom, graph.xMin, graph.xMax, -1.0, 1.0);
        graph.yAxisMin = graph.drawnYMin;
        graph.yAxisMax = graph.drawnYMax;
    };

    if (all3 || both || pol == "Perpendicular") {
        if (calc.waveCount > 1) {
            waveColour();
        } else {
            LineColour();
        }
        drawCurve(1, perp, results.avgPerp, true);
    }
    // A non-absorbing sphere has one efficiency, cross-section or asymmetry curve.
    if (indexState.relIndexIm == 0.0 && codes.graphCode >= 14 && codes.graphCode <= 16) return;
    if (all3 || both || pol == "Parallel" || absorbing) {
        if (calc.waveCount > 1) {
            waveColour();
        } else {
            LineColour();
            if (all3 || both || absorbing) setForeColor(graphColours.lineColourDark);
        }
        drawCurve(2, para, results.avgPara, pol == "Parallel");
    }
    if (all3 || pol == "Unpolarised" || absorbing) {
        if (calc.waveCount > 1) {
            waveColour();
        } else if (all3 || both || absorbing) {
            setForeColor(kBlack);
        } else {
            LineColour();
        }
        drawCurve(3, unpol, results.avgUnpol, pol == "Unpolarised");
    }
}

void Form1::GridYmax(double& dataMax, double& axisMax) {
    // Without a positive maximum the previous graph's data maximum stands in (an overplot keeps the
    // earlier scale).
    if (graph.phasePanel == 0 && (!(dataMax > 0.0) || codes.runState == kRunOverplot)) dataMax = Val(txtY2max.text());
    if (cboYmax.text() != kAutomatic) {
        axisMax = Val(cboYmax.text());
        return;
    }
    // A maximum that is still not a positive finite number has no decade: a unit axis.
    if (!(dataMax > 0.0) || !std::isfinite(dataMax)) {
        axisMax = 1.0;
        return;
    }
    if (optLog.value()) {
        scratch = std::log(dataMax) / kLn10Axis;
        axisMax = std::pow(10.0, std::floor(scratch) + 1.0);
    } else if (dataMax > 1.0) {
        // the decade k of the maximum, then a step of 1, 0.5, 0.2 or 0.1 times 10^k by its mantissa
        int k = 0;
        do {
            ++k;
        } while (std::floor(dataMax / std::pow(10.0, k)) > 0.0 && k < kMaxDecades);
        --k;
        const double decade = std::pow(10.0, k);
        scratchA = dataMax / decade;
        scratchB = scratchA > 7.0   ? decade
                   : scratchA > 3.5 ? 0.5 * decade
                   : scratchA > 1.5 ? 0.2 * decade
                                    : 0.1 * decade;
        axisMax = (std::floor(dataMax / scratchB) + 1.0) * scratchB;
    } else {
        int k = 0;
        do {
            --k;
            scratch = std::floor(dataMax / std::pow(10.0, k));
        } while (scratch == 0.0 && k > -kMaxDecades);
        axisMax = (scratch + 1.0) * std::pow(10.0, k);
        // one decade finer when the axis would reach far above the data
        if (axisMax / dataMax > 1.2)
            axisMax = (std::floor(dataMax / std::pow(10.0, k - 1)) + 1.0) * std::pow(10.0, k - 1);
    }
    // At the ends of the Double range the next round number is not a Double: the maximum itself.
    if (!std::isfinite(axisMax) || !(axisMax > 0.0)) axisMax = dataMax;
}

void Form1::GridYmin(double& dataMin, double& axisMin) {
    if (codes.runState == kRunOverplot) dataMin = Val(txtY1min.text());
    if (optLog.value()) {
        if (cboYmin.text() == kAutomatic) {
            // The axis maximum the floor is measured from; without a positive one, 1.
            const double top = graph.yAxisMax > 0.0 && std::isfinite(graph.yAxisMax) ? graph.yAxisMax : 1.0;
            // At most ten decades below the maximum; a minimum at or below 0 has no logarithm.
            if (!(dataMin > 0.0) || !std::isfinite(dataMin) || dataMin / top < 1E-20) dataMin = top * 1E-10;
            if (!mnuPolarPlot.checked() || !(graph.yScaleMax > 0.0) || !std::isfinite(graph.yScaleMax)) {
                axisMin = std::pow(10.0, std::floor(std::log(dataMin) / kLn10Axis));
            } else {
                scratch = std::floor(Log10(graph.yScaleMax / dataMin)) + 1.0;
                axisMin = graph.yScaleMax / std::pow(10.0, scratch);
            }
            if (!(axisMin > 0.0) || !std::isfinite(axisMin)) axisMin = dataMin;
        } else {
            axisMin = Val(cboYmin.text());
        }
    } else {
        axisMin = cboYmin.text() == kAutomatic ? 0.0 : Val(cboYmin.text());
    }
    txtY1min.setText(CStr(axisMin));
}

void Form1::AngleDelta() {
    // The angle grids of the runs hold at most 9001 points per 90 degrees: 90/N with N up to 9000.
    constexpr std::int32_t kMaxSteps = 9000;
    scratch = Val(txtAngle.text());
    // Off the 0-180 degree grid there is no index.
    if (scratch >= 0.0 && scratch <= 180.0) {
        for (std::int32_t n = 1; n <= kMaxSteps; ++n) {
            scratchA = 90.0 / n;
            scratchB = scratch / scratchA;
            // on the grid of N + 1 points per 90 degrees when r is within 1E-5 of a whole number
            if (std::fabs(scratchB - std::nearbyint(scratchB)) < 1E-5) {
                angleGrid.angleIndex = CLng(scratchB + 1.0).value;
                angleGrid.angleCount = n + 1;
                return;
            }
        }
    }
    txtAngle.setBackColor(kRed);
}

}  // namespace tessary
