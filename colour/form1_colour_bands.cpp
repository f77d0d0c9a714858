// The smooth colour bands (PlotBow2): the perpendicular, parallel and unpolarised colours against the
// scattering angle, ten segments per angle step coloured by cubic interpolation between the angle
// points. It works on a table of its own, so the simulation colour table stays as the simulation
// window reads it.
#include <algorithm>
#include <cmath>
#include <string>

#include "colour/colour_render.h"
#include "colour/colour_scaling.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"

namespace tessary {

// Paints the smooth bands by cubic interpolation.
void Form1::PlotBow2(const ColourSumTable& perp, const ColourSumTable& para, const std::string& caption) {
    doEvents();
    graph.xMin = Val(txtXmin.text());
    graph.xMax = Val(txtXmax.text());
    const double step = RunStep();
    light.sizeOrStep = step;
    Label17.setCaption(caption);

    const FontSpec kept = font();
    setFontName("Small Fonts");
    setFontSize(7);
    setFontBold(false);
    setForeColor(0xFF0000);
    const char* names[3] = {"Perpendicular", "Parallel", "Unpolarised"};
    for (int i = 0; i < 3; ++i) {
        setCurrentX(0);
        setCurrentY(2800 + 175 * i);
        print(names[i]);
    }
    setFont(kept);
    const double b = std::fabs(Brightness());

    const std::int32_t K = 2 * angleGrid.angleCount - 1;
    std::size_t held = SIZE_MAX;
    for (const ColourSumTable* table : {&perp, &para})
        for (const std::vector<double>& c : *table) held = std::min(held, c.size());
    const std::int32_t lastRow = SimTableLastRow(graph.xMin, graph.xMax, step);
    if (!(step > 0) || K < 1 || held <= static_cast<std::size_t>(K) || lastRow < 0) {
        Label18.setVisible(true);
        cboBright.setVisible(true);
        if (codes.graphCode == kGraphAngle) cmdSimulation.setVisible(true);
        return;
    }

    // Band levels before saturation and gamma, per row of the shown angles.
    SimColourTable table;
    table.reset(lastRow, (angleGrid.windowFirst - 1) * step, step);
    const SunDisc disc = sunDisc();
    const auto column = [](const ColourSumTable& sums, std::size_t c) {
        return [&sums, c](std::int32_t q) { return sums[c][static_cast<std::size_t>(q)]; };
    };
    const double n1 = mnuSetNormal.checked() ? std::max(colourSums.savedNormPerp, colourSums.savedNormPara)
                                             : colourSums.peakCommon;
    const double n2 = mnuSetNormal.checked()
                          ? colourSums.savedNormUnpol
                          : (mnuNormalised.checked() ? colourSums.peakCommon : colourSums.peakUnpol);
    std::int32_t firstFilled = table.rows, lastFilled = -1;
    for (double a = graph.xMin; a <= graph.xMax; a += step) {
        const Checked<std::int32_t> k = CLng(a / step + 1);
        if (!k.ok() || k.value < 1 || k.value > K) continue;
        const std::int32_t r = k.value - angleGrid.windowFirst;
        if (!table.holds(r)) continue;
        for (std::size_t c = 0; c < 3; ++c) {
            const double P = Smoothed(disc, k.value, column(perp, c + 1));
            const double Q = Smoothed(disc, k.value, column(para, c + 1));
            table.at(static_cast<int>(c), r) = BandLevel(b, P, n1);
            table.at(static_cast<int>(c) + 3, r) = BandLevel(b, Q, n1);
            table.at(static_cast<int>(c) + 6, r) = BandLevel(b, (P + Q) / 2, n2);
        }
        firstFilled = std::min(firstFilled, r);
        lastFilled = std::max(lastFilled, r);
    }

    // Ten segments per step (at least 0.01 degree each); rows read outside the filled ones are
    // clamped to them, and fewer than two filled rows draw nothing.
    if (lastFilled - firstFilled >= 1) {
        const double d = std::max(step / 10, 0.01);
        const double span =
            angleGrid.lastPoint != angleGrid.firstPoint
                ? (graph.graphRight - graph.graphLeft) / double(angleGrid.lastPoint - angleGrid.firstPoint)
                : 0;
        double x1 = graph.graphLeft;
        float* levels[9] = {&colourSums.red1, &colourSums.green1, &colourSums.blue1,
                            &colourSums.red2, &colourSums.green2, &colourSums.blue2,
                            &colourSums.red3, &colourSums.green3, &colourSums.blue3};
        for (double t = graph.xMin; t <= graph.xMax + d / 2; t += d) {
            const double whole = std::floor(t / step);
            std::int32_t r = static_cast<std::int32_t>(whole) + 1 - angleGrid.windowFirst;
            double f = t / step - whole;
            double x2 = span > 0 ? graph.graphLeft + (whole + 1 + f + d / 2 - angleGrid.firstPoint) * span
                                 : graph.graphRight;
            if (x2 > graph.graphRight) x2 = graph.graphRight;
            if (t < graph.xMin + step) {
                r += 1;
                f -= 1;
            }
            if (t > graph.xMax - step) {
                r -= 1;
                f += 1;
            }
            const auto row = [&](std::int32_t q) { return std::clamp(q, firstFilled, lastFilled); };
            for (int band = 0; band < 3; ++band) {
                for (int c = 0; c < 3; ++c) {
                    const int col = 3 * band + c;
                    *levels[col] = static_cast<float>(
                        FourPointCubic(table.at(col, row(r - 1)), table.at(col, row(r)),
                                       table.at(col, row(r + 1)), table.at(col, row(r + 2)), f));
                }
                float& R = *levels[3 * band];
                float& G = *levels[3 * band + 1];
                float& B = *levels[3 * band + 2];
                if (R > 255 || G > 255 || B > 255) Saturation(R, G, B);
                if (!mnuGammaNone.checked()) GammaCorrection(R, G, B);
                ColourSet(R, G, B);
                const double top = 2800 + 180 * band;
                boxFilled(x1, top, x2, top + 180);
            }
            x1 = x2;
        }
    }
    Label18.setVisible(true);
    cboBright.setVisible(true);
    if (codes.graphCode == kGraphAngle) cmdSimulation.setVisible(true);
}

}  // namespace tessary
