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
    xMin = Val(txtXmin.text());
    xMax = Val(txtXmax.text());

    // Visible index range.
    const double step = RunStep();
    double first = 0.0, last = 0.0;
    if (graphCode < 10) {
        first = 2.0 * (angleCount - 1) * xMin / 180.0 + 1.0;
        last = 2.0 * (angleCount - 1) * xMax / 180.0 + 1.0;
    } else if (step != 0.0) {
        first = (xMin - dataXStart) / step + 1.0;
        last = (xMax - dataXStart) / step + 1.0;
    } else {  // no step: no visible point (the input checks refuse it before a run)
        first = 1.0;
        last = 0.0;
    }
    if (RunLogSteps() && LogStepCode(graphCode)) {
        first = 1.0;
        last = step + 1.0;
    }

    const bool autoMax = cboYmax.text() == kAutomatic;
    const bool autoMin = cboYmin.text() == kAutomatic;
    const bool overplot = runState == kRunOverplot || mnuOverplot.checked();
    bool frameStep = false;
    if (overplot) {
        // the new curves go into the existing frame with its y range
    } else if (phasePanel == 0 && runState == kNoRunYet) {
        yAxisMin = autoMin ? yScaleMin : Val(cboYmin.text());
        yAxisMax = autoMax ? yScaleMax : Val(cboYmax.text());
    } else if (waveCount <= 1) {
        if (!autoMin) yAxisMin = Val(cboYmin.text());
        if (!autoMax) yAxisMax = Val(cboYmax.text());
        if (resultsFromFile != 1) {
            // Scan of the perpendicular and parallel curves over the visible range.
            double maxPerp = 0.0, maxPara = 0.0;
            double minPerp = 1E30, minPara = 1E31;
            bool scanned = false;
            const std::int32_t held = LastIndex(perp, para);
            if (held >= 1 && last >= 1.0 && first <= static_cast<double>(held)) {
                const std::int32_t to = IndexIn(last, held);
                for (std::int32_t j = IndexIn(first, held); j <= to; ++j) {
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
                yScaleMax = AMAX(maxPerp, maxPara);
                GridYmax(yScaleMax, yAxisMax);
                if (phasePanel == 0) {
                    savedYScaleMax = yScaleMax;
                    drawnYMax = yAxisMax;
                    txtY2max.setText(CStr(yScaleMax));
                }
            }
            if (autoMin) {
                // Nothing scanned: no minimum either (0 takes the floor of a log axis).
                yScaleMin = scanned ? AMIN(minPerp, minPara) : 0.0;
                GridYmin(yScaleMin, yAxisMin);
            }
        } else {
            GridYmax(yScaleMax, yAxisMax);
            GridYmin(yScaleMin, yAxisMin);
        }
        frameStep = true;
    } else if (loopI >= 2) {
        // several wavelengths: the first one drew the frame over the range of all
        yAxisMin = Val(txtY1min.text());
    } else {
        frameStep = true;
    }

    if (frameStep &&
        ((runState == kRunNewPlot && loopI == 1) || runState == kRunReplot || resultsFromFile == 1 ||
         graphCode >= 10)) {
        if (phasePanel == 0) {
            Grid(graphLeft, graphRight, graphTop, graphBottom, xMin, xMax, yAxisMin, yAxisMax);
            drawnYMin = yAxisMin;
            drawnYMax = yAxisMax;
        } else if (!mnuPolarPlot.checked()) {
            if (mnuAmpPhase.checked()) {
                double from = 0.0, to = 360.0;
                Grid(graphLeft, graphRight, graphTop, graphBottom, xMin, xMax, from, to);
            }
            if (mnuIntPol.checked()) {
                double from = -1.0, to = 1.0;
                Grid(graphLeft, graphRight, graphTop, graphBottom, xMin, xMax, from, to);
                setForeColor(kBlack);
                const double middle = (static_cast<double>(graphTop) + graphBottom) / 2.0;
                line(graphLeft, middle, graphRight, middle);
            }
            yAxisMin = drawnYMin;
            yAxisMax = drawnYMax;
        }
    }

    // Curves: perpendicular, parallel, unpolarised.
    const std::string pol = cboPol.text();
    const bool all3 = pol == "All 3";
    const bool both = pol == "Both";
    const bool absorbing = absorbingFlag == 2;
    const auto waveColour = [this] {
        const std::size_t i = loopI >= 0 && loopI < static_cast<int>(colourPerWave.size())
                                  ? static_cast<std::size_t>(loopI)
                                  : 0;
        const Checked<std::int32_t> c = CLng(colourPerWave[i]);
        setForeColor(c.ok() && c.value >= 0 ? static_cast<OleColor>(c.value) : kBlack);
    };
    const auto drawCurve = [&](int polarisation, std::span<const double> upper,
                               std::vector<double>& lowerPhase, bool intPolHere) {
        curvePolarisation = polarisation;
        if (phasePanel == 0) {
            Plot(angleCount, upper, graphLeft, graphRight, graphTop, graphBottom, xMin, xMax, yAxisMin,
                 yAxisMax);
            drawnYMin = yAxisMin;
            drawnYMax = yAxisMax;
            return;
        }
        if (mnuPolarPlot.checked()) return;
        if (mnuAmpPhase.checked())
            Plot(angleCount, lowerPhase, graphLeft, graphRight, graphTop, graphBottom, xMin, xMax, 0.0,
                 360.0);
        if (mnuIntPol.checked() && intPolHere)
            Plot(angleCount, avgPerp, graphLeft, graphRight, graphTop, graphBottom, xMin, xMax, -1.0, 1.0);
        yAxisMin = drawnYMin;
        yAxisMax = drawnYMax;
    };

    if (all3 || both || pol == "Perpendicular") {
        if (waveCount > 1) {
            waveColour();
        } else {
            LineColour();
        }
        drawCurve(1, perp, avgPerp, true);
    }
    // A non-absorbing sphere has one efficiency, cross-section or asymmetry curve.
    if (relIndexIm == 0.0 && graphCode >= 14 && graphCode <= 16) return;
    if (all3 || both || pol == "Parallel" || absorbing) {
        if (waveCount > 1) {
            waveColour();
        } else {
            LineColour();
            if (all3 || both || absorbing) setForeColor(lineColourDark);
        }
        drawCurve(2, para, avgPara, pol == "Parallel");
    }
    if (all3 || pol == "Unpolarised" || absorbing) {
        if (waveCount > 1) {
            waveColour();
        } else if (all3 || both || absorbing) {
            setForeColor(kBlack);
        } else {
            LineColour();
        }
        drawCurve(3, unpol, avgUnpol, pol == "Unpolarised");
    }
}

void Form1::GridYmax(double& dataMax, double& axisMax) {
    // Without a positive maximum the previous graph's data maximum stands in (an overplot keeps the
    // earlier scale).
    if (phasePanel == 0 && (!(dataMax > 0.0) || runState == kRunOverplot)) dataMax = Val(txtY2max.text());
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
        axisMax = std::pow(10.0, std::floor(std::log(dataMax) / kLn10Axis) + 1.0);
    } else if (dataMax > 1.0) {
        // the decade k of the maximum, then a step of 1, 0.5, 0.2 or 0.1 times 10^k by its mantissa
        int k = 0;
        do {
            ++k;
        } while (std::floor(dataMax / std::pow(10.0, k)) > 0.0 && k < kMaxDecades);
        --k;
        const double decade = std::pow(10.0, k);
        const double mantissa = dataMax / decade;
        const double axisStep = mantissa > 7.0   ? decade
                                : mantissa > 3.5 ? 0.5 * decade
                                : mantissa > 1.5 ? 0.2 * decade
                                                 : 0.1 * decade;
        axisMax = (std::floor(dataMax / axisStep) + 1.0) * axisStep;
    } else {
        int k = 0;
        double leading = 0.0;  // the leading digit of the maximum at the decade k
        do {
            --k;
            leading = std::floor(dataMax / std::pow(10.0, k));
        } while (leading == 0.0 && k > -kMaxDecades);
        axisMax = (leading + 1.0) * std::pow(10.0, k);
        // one decade finer when the axis would reach far above the data
        if (axisMax / dataMax > 1.2)
            axisMax = (std::floor(dataMax / std::pow(10.0, k - 1)) + 1.0) * std::pow(10.0, k - 1);
    }
    // At the ends of the Double range the next round number is not a Double: the maximum itself.
    if (!std::isfinite(axisMax) || !(axisMax > 0.0)) axisMax = dataMax;
}

void Form1::GridYmin(double& dataMin, double& axisMin) {
    if (runState == kRunOverplot) dataMin = Val(txtY1min.text());
    if (optLog.value()) {
        if (cboYmin.text() == kAutomatic) {
            // The axis maximum the floor is measured from; without a positive one, 1.
            const double top = yAxisMax > 0.0 && std::isfinite(yAxisMax) ? yAxisMax : 1.0;
            // At most ten decades below the maximum; a minimum at or below 0 has no logarithm.
            if (!(dataMin > 0.0) || !std::isfinite(dataMin) || dataMin / top < 1E-20) dataMin = top * 1E-10;
            if (!mnuPolarPlot.checked() || !(yScaleMax > 0.0) || !std::isfinite(yScaleMax)) {
                axisMin = std::pow(10.0, std::floor(std::log(dataMin) / kLn10Axis));
            } else {
                const double decades = std::floor(Log10(yScaleMax / dataMin)) + 1.0;
                axisMin = yScaleMax / std::pow(10.0, decades);
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
    const double angle = Val(txtAngle.text());
    // Off the 0-180 degree grid there is no index.
    if (angle >= 0.0 && angle <= 180.0) {
        for (std::int32_t n = 1; n <= kMaxSteps; ++n) {
            const double r = angle / (90.0 / n);
            // on the grid of N + 1 points per 90 degrees when r is within 1E-5 of a whole number
            if (std::fabs(r - std::nearbyint(r)) < 1E-5) {
                angleIndex = CLng(r + 1.0).value;
                angleCount = n + 1;
                return;
            }
        }
    }
    txtAngle.setBackColor(kRed);
}

}  // namespace tessary
