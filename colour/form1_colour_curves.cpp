// The coloured curves of a run over several wavelengths: PlotColour draws one polarisation's intensity
// against the scattering angle, each piece in the colour of the light at its angle (or the line
// colour), straight or by cubic interpolation; PlotNColour draws a whole result: the unpolarised sums,
// the curve of each wavelength of a small set, the coloured curves cboPol asks for and the bands.
#include <algorithm>
#include <cmath>
#include <string>

#include "colour/colour_render.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

struct Point2 {
    double x = 0, y = 0;
};

// The piece from a to b cut to the band top..bottom (y downwards); false when both ends lie beyond
// the same edge (nothing of it is inside).
bool ClipPiece(Point2& a, Point2& b, double top, double bottom) {
    if ((a.y < top && b.y < top && a.y != b.y) || (a.y > bottom && b.y > bottom && a.y != b.y)) return false;
    const auto cross = [&](double edge) {
        return Point2{a.x + (edge - a.y) * (b.x - a.x) / (b.y - a.y), edge};
    };
    if (a.y != b.y) {
        const Point2 from = a, to = b;
        if (from.y < top) a = cross(top);
        if (to.y < top) b = cross(top);
        if (from.y > bottom) a = cross(bottom);
        if (to.y > bottom) b = cross(bottom);
    }
    return true;
}

}  // namespace

// Draws one polarisation's curve in colour.
void Form1::PlotColour(const ColourSumTable& sums, const std::vector<double>& intensity, double xLow,
                       double xHigh, double yLow, double yHigh) {
    doEvents();
    if (mnuSolid.checked()) setDrawStyle(0);
    if (mnuDash.checked()) setDrawStyle(1);
    if (mnuDot.checked()) setDrawStyle(2);
    const double step = RunStep();
    angleGrid.firstPoint = CLng(xLow / step + 1).value;
    angleGrid.lastPoint = CLng(xHigh / step + 1).value;
    const std::int32_t K = 2 * angleGrid.angleCount - 1;

    const bool logAxis = optLog.value();
    // No position exists for a single angle point, or on a log axis without a positive lower end.
    const bool placeable =
        angleGrid.lastPoint != angleGrid.firstPoint && yHigh != yLow && (!logAxis || (yLow > 0 && yHigh > 0));
    std::size_t held = intensity.size();
    for (const std::vector<double>& c : sums) held = std::min(held, c.size());
    if (!placeable || K < 1 || held <= static_cast<std::size_t>(K) || angleGrid.windowFirst < 1) {
        setDrawStyle(0);
        return;
    }

    const SunDisc disc = sunDisc();
    const WaveChannels channels = waveChannels();
    const int waves = std::clamp(calc.waveCount, 1, 2001);
    const bool trueColour = mnuTrueColour.checked();
    const bool cubic = mnuInterpolate.checked();
    const double xScale =
        (graph.graphRight - graph.graphLeft) / double(angleGrid.lastPoint - angleGrid.firstPoint);

    Point2 previous;  // x 0: none yet
    Point2 slot[4];
    Point2 previousSub;
    const auto subPiece = [&](double f) {
        const double X = slot[1].x + f * (slot[2].x - slot[1].x);
        const double Y = FourPointCubic(slot[0].y, slot[1].y, slot[2].y, slot[3].y, f);
        graph.drawX = X;
        graph.drawY = Y;
        if (previousSub.x != 0 && previousSub.y >= graph.graphTop && previousSub.y <= graph.graphBottom &&
            Y >= graph.graphTop && Y <= graph.graphBottom)
            line(previousSub.x, previousSub.y, X, Y);
        previousSub = {X, Y};
    };

    for (std::int32_t k = angleGrid.windowFirst; k <= std::min(angleGrid.windowLast, K); ++k) {
        // The colour of the point: its largest channel at 255.
        std::array<double, 3> s{};
        if (waves == 1) {
            const double I = PointColour(sums, 1, channels, disc, k)[0];
            s = {I * waveSet.redPerWave[1], I * waveSet.greenPerWave[1], I * waveSet.bluePerWave[1]};
        } else {
            s = PointColour(sums, waves, channels, disc, k);
        }
        colourSums.colourPeak = std::max({0.0, s[0], s[1], s[2]});
        if (colourSums.colourPeak == 0) colourSums.colourPeak = 1;
        colourSums.normRed = 255 * (s[0] / colourSums.colourPeak);
        colourSums.normGreen = 255 * (s[1] / colourSums.colourPeak);
        colourSums.normBlue = 255 * (s[2] / colourSums.colourPeak);
        if (trueColour) {
            const Checked<std::int32_t> c =
                RGB(colourSums.normRed, colourSums.normGreen, colourSums.normBlue);
            setForeColor(c.ok() ? static_cast<OleColor>(c.value) : 0);
        } else {
            LineColour();
        }
        if (k < angleGrid.firstPoint || k > angleGrid.lastPoint) continue;

        const double v = intensity[static_cast<std::size_t>(k)];
        const double x = graph.graphLeft + (k - angleGrid.firstPoint) * xScale;
        double y = 0;
        if (logAxis)
            y = v == 0 ? graph.graphBottom
                       : graph.graphBottom + (graph.graphTop - graph.graphBottom) * std::log(v / yLow) /
                                                 std::log(yHigh / yLow);
        else
            y = graph.graphBottom + (v - yLow) * (graph.graphTop - graph.graphBottom) / (yHigh - yLow);
        if (!std::isfinite(y)) continue;  // a negative intensity on a log axis has no place

        if (!cubic) {
            if (previous.x != 0) {
                Point2 a = previous, b{x, y};
                if (ClipPiece(a, b, graph.graphTop, graph.graphBottom)) line(a.x, a.y, b.x, b.y);
            }
            previous = {x, y};
            continue;
        }
        const std::int32_t n = k - angleGrid.firstPoint;
        slot[std::min(n, 3)] = {x, y};
        if (n < 3) continue;
        if (n == 3)
            for (double f = -1; f <= 0 + 1e-9; f += 0.1) subPiece(f);
        for (double f = 0; f <= 1 + 1e-9; f += 0.1) subPiece(f);
        if (k == angleGrid.lastPoint)
            for (double f = 1; f <= 2.01; f += 0.1) subPiece(f);
        slot[0] = slot[1];
        slot[1] = slot[2];
        slot[2] = slot[3];
    }
    setDrawStyle(0);
}

// Draws a several-wavelength result.
void Form1::PlotNColour() {
    const std::int32_t first = std::max(angleGrid.windowFirst, 1);
    std::size_t held = SIZE_MAX;
    for (const ColourSumTable* table : {&colourSums.colourSumPerp, &colourSums.colourSumPara})
        for (const std::vector<double>& c : *table) held = std::min(held, c.size());
    for (std::vector<double>* curve :
         {&results.intensityPerp, &results.intensityPara, &results.intensityUnpol})
        held = std::min(held, curve->size());
    const auto last = static_cast<std::int32_t>(
        std::min<std::int64_t>(angleGrid.windowLast, static_cast<std::int64_t>(held) - 1));
    for (std::vector<double>& column : colourSums.colourSumUnpol)
        if (column.size() < held) column.resize(held, 0.0);

    // Unpolarised sums of every column a curve reads; the curves of each wavelength of a small set.
    const bool components = chkComponents.value() == 1 && calc.waveCount <= kMaxComponentWaves;
    const int columns = calc.waveCount <= kMaxComponentWaves ? std::max(calc.waveCount, 1) : 3;
    for (int c = 1; c <= columns; ++c) {
        const auto k = static_cast<std::size_t>(c);
        for (std::int32_t J = first; J <= last; ++J) {
            const auto j = static_cast<std::size_t>(J);
            colourSums.colourSumUnpol[k][j] =
                (colourSums.colourSumPerp[k][j] + colourSums.colourSumPara[k][j]) / 2;
            if (!components) continue;
            results.intensityPerp[j] = colourSums.colourSumPerp[k][j];
            results.intensityPara[j] = colourSums.colourSumPara[k][j];
            results.intensityUnpol[j] = (results.intensityPerp[j] + results.intensityPara[j]) / 2;
        }
        if (components) {
            sweepState.loopI = c;
            Display(results.intensityPerp, results.intensityPara, results.intensityUnpol);
        }
    }

    // The intensity curves from the totals, smoothed over the sun's disc on angle graphs.
    const SunDisc disc = sunDisc();
    const bool smooth = disc.on && codes.graphCode < kFirstSweepGraph &&
                        held > static_cast<std::size_t>(2 * angleGrid.angleCount - 1);
    for (std::int32_t J = first; J <= last; ++J) {
        const auto j = static_cast<std::size_t>(J);
        if (smooth) {
            results.intensityPerp[j] = Smoothed(
                disc, J, [this](std::int32_t q) { return colourSums.colourSumPerp[0][std::size_t(q)]; });
            results.intensityPara[j] = Smoothed(
                disc, J, [this](std::int32_t q) { return colourSums.colourSumPara[0][std::size_t(q)]; });
        } else {
            results.intensityPerp[j] = colourSums.colourSumPerp[0][j];
            results.intensityPara[j] = colourSums.colourSumPara[0][j];
        }
        results.intensityUnpol[j] = (results.intensityPerp[j] + results.intensityPara[j]) / 2;
    }

    const std::string pol = cboPol.text();
    const bool all3 = pol == "All 3";
    const bool both = pol == "Both";
    if (all3 || both || pol == "Perpendicular")
        PlotColour(colourSums.colourSumPerp, results.intensityPerp, graph.xMin, graph.xMax, graph.yAxisMin,
                   graph.yAxisMax);
    if (all3 || both || pol == "Parallel")
        PlotColour(colourSums.colourSumPara, results.intensityPara, graph.xMin, graph.xMax, graph.yAxisMin,
                   graph.yAxisMax);
    if (all3 || pol == "Unpolarised")
        PlotColour(colourSums.colourSumUnpol, results.intensityUnpol, graph.xMin, graph.xMax, graph.yAxisMin,
                   graph.yAxisMax);

    const std::string caption = CStr(colourSums.peakCommon);
    if (mnuInterpolate.checked())
        PlotBow2(colourSums.colourSumPerp, colourSums.colourSumPara, caption);
    else
        PlotBow(colourSums.colourSumPerp, colourSums.colourSumPara, caption);
}

}  // namespace tessary
