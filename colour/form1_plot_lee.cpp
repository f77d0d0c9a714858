// PlotLee: the redraw of a Lee diagram from the colours its run stored, without computing. The
// stored cells are averaged over the sun's disc and, with a size distribution, over the neighbouring
// radius rows, normalised per row or over the whole diagram, and painted as one box per cell in the
// three panels. The sweep and angle grid are the run's, never re-read from the boxes; an angle range
// or step beyond the stores is computed afresh by New plot.
#include <algorithm>
#include <cmath>
#include <string>

#include "colour/colour_render.h"
#include "colour/colour_scaling.h"
#include "colour/lee_diagram.h"
#include "mainwindow/form1.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/colour.h"
#include "platform/ui/window_colours.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

const char* const kPanelTitles[] = {"Perpendicular polarisation", "Parallel polarisation", "Unpolarised"};

LeeConstStores Stored(const Form1& f) {
    return {&f.leeStores.leeRed1, &f.leeStores.leeGreen1, &f.leeStores.leeBlue1, &f.leeStores.leeRed2, &f.leeStores.leeGreen2, &f.leeStores.leeBlue2};
}

LeeStores Working(Form1& f) {
    return {&f.leeStores.leeRed3, &f.leeStores.leeGreen3, &f.leeStores.leeBlue3, &f.leeStores.leeRed4, &f.leeStores.leeGreen4, &f.leeStores.leeBlue4};
}

float CellOf(const LeeStore& s, int k, std::int32_t c) {
    if (k < 0 || c < 0 || static_cast<std::size_t>(k) >= s.size()) return 0.0f;
    const std::vector<float>& row = s[static_cast<std::size_t>(k)];
    return static_cast<std::size_t>(c) < row.size() ? row[static_cast<std::size_t>(c)] : 0.0f;
}

// Erases the step label: above the panels of a Lee diagram, beside the progress bar of a map.
void EraseStepLabel(Form1& f) {
    f.setForeColor(kButtonFace);
    if (f.codes.graphCode == 20)
        f.boxFilled(9200, 950, 13000, 1250);
    else
        f.boxFilled(9200, 2850, 12000, 3050);
    f.setForeColor(kBlack);
}

// The key of the false colours over the unpolarised panel: the colour scale from 1 down to the
// decade 10^(-2.8 B) that the brightness B maps to the scale's end, with decade ticks and labels.
void FalseColourKey(Form1& f, double B) {
    const double W = f.graph.leePanelWidth;
    const double L = f.graph.graphLeft;
    const double X0 = 2 * W + L;
    const bool veryLarge = f.mnuVLarge.checked();
    const double Y = f.graph.graphTop - (veryLarge ? 700 : 400);
    const double bandBottom = f.graph.graphTop - (veryLarge ? 400 : 200);
    for (int n = 10; n <= 7000; ++n) {  // v = -0.01 down to -7 in steps of -0.001
        const double v = -n / 1000.0;
        f.scratchI = 0.4 * v;
        f.ColourScale();
        const double x = X0 + (W - L) * (-v) / 7;
        f.line(x, Y, x, bandBottom);
    }
    f.setForeColor(kBlack);
    f.box(X0, Y, 3 * W, bandBottom);
    const double labelY = f.graph.graphTop - (veryLarge ? 1000 : 650);
    if (B > 0) {  // no decades to place without a brightness
        const double lowest = -2.8 * B;
        const auto x = [&](int t) { return X0 + (W - L) * (-t) / (2.8 * B); };
        for (int t = 0; t >= lowest; --t) f.line(x(t), Y - 50, x(t), Y);
        for (int t = 0; t >= lowest; t -= 3) f.line(x(t), Y - 70, x(t), Y);
        const int q = lowest > -9 ? 1 : (lowest > -18 ? 3 : 6);
        for (int t = -q; t >= lowest; t -= q) {
            f.setCurrentX(x(t) - 100);
            f.setCurrentY(labelY);
            f.print("10");
            f.setCurrentX(x(t) + 50);
            f.setCurrentY(f.graph.graphTop - (veryLarge ? 1100 : 750));
            const FontSpec kept = f.font();
            f.setFontName("Small Fonts");
            f.setFontSize(7);
            f.setFontBold(false);
            f.print(t);
            f.setFont(kept);
        }
    }
    f.line(X0, Y - 70, X0, Y);
    f.setCurrentX(X0 - 50);
    f.setCurrentY(labelY);
    f.print("1");
}

}  // namespace

void Form1::LeeCreditLines() {
    if (mnuVLarge.checked() || mnuLarge.checked()) setFontSize(16);
    if (mnuMedium.checked()) setFontSize(10);
    if (mnuSmall.checked()) setFontSize(8);
    if (!mnuHideLogo.checked()) {
        if (calc.waveCount != 1) setForeColor(rgb(100, 100, 100));
        if (calc.waveCount == 1) {
            if (mnuDefault.checked() || mnuWhite.checked()) setForeColor(rgb(200, 200, 200));
            if (mnuBlack.checked() || mnuGrey.checked()) setForeColor(rgb(100, 100, 100));
        }
        for (int n = 0; n < 3; ++n) {
            setCurrentX(n * graph.leePanelWidth + graph.graphLeft + 100);
            setCurrentY(graph.graphBottom - 500);
            print(lblLogo.caption());
        }
    }
    setFontSize(8);
    setForeColor(kBlack);
    if (mnuSizeSpecial.checked()) setFontSize(10);
}

void Form1::PlotLee() {
    // The run's angle grid must hold the range asked for.
    const double s = Val(cboStep.text());
    const Checked<std::int32_t> first = CLng(Val(txtXmin.text()) / s + 1);
    const Checked<std::int32_t> last = CLng(Val(txtXmax.text()) / s + 1);
    if (!(s > 0) || s != leeStores.leeGridStep || !first.ok() || !last.ok() || first.value < leeStores.leeGridFirst ||
        last.value > leeStores.leeGridLast || first.value >= last.value) {
        cmdNewPlot_Click();
        return;
    }

    LockON();
    cls();
    setFontBold(false);
    graph.graphLeft = 1000;
    if (mnuVLarge.checked()) graph.leePanelWidth = static_cast<float>(screen().widthTwips() / 3);
    if (mnuLarge.checked()) graph.leePanelWidth = 5000;
    if (mnuMedium.checked()) graph.leePanelWidth = 4000;
    if (mnuSmall.checked()) graph.leePanelWidth = 3000;
    const double W = graph.leePanelWidth;
    const double L = graph.graphLeft;
    graph.xMin = Val(txtXmin.text());
    graph.xMax = Val(txtXmax.text());
    for (int n = 0; n < 3; ++n)
        GridLeeAxes(L + n * W, (n + 1) * W, graph.graphTop, graph.graphBottom, sweepState.sweepStart, sweepState.sweepEnd, graph.xMin, graph.xMax);
    PictureBox* pictures[] = {&Picture1, &Picture2, &Picture3};
    for (int n = 0; n < 3; ++n) {
        pictures[n]->setLeft(n * W + L - 700);
        pictures[n]->setTop((graph.graphTop + graph.graphBottom) / 2 - 1000);
        pictures[n]->setVisible(true);
    }
    const double titleX[] = {(W + L) / 2 - 900, (W + L) / 2 - 600 + W, (W + L) / 2 - 400 + 2 * W};
    for (int n = 0; n < 3; ++n) {
        setCurrentX(titleX[n]);
        setCurrentY(graph.graphTop - (mnuVLarge.checked() ? 300 : 200));
        printLine(std::string(kPanelTitles[n]));
    }

    // The angle window: offsets into the stores, which begin at the run's first stored point.
    angleGrid.angleCount = CLng(90 / s + 1).value;
    const std::int32_t points = 2 * angleGrid.angleCount - 1;
    SunCorrection();
    angleGrid.firstPoint = first.value;
    angleGrid.lastPoint = last.value;
    angleGrid.windowFirst = leeStores.leeGridFirst;
    angleGrid.windowLast = leeStores.leeGridLast;
    LeeWindow window;
    const Checked<std::int16_t> rows = CInt(sweepState.sweepSteps);
    window.lastRow = rows.ok() ? std::min<int>(rows.value, static_cast<int>(leeStores.leeRed1.size()) - 1) : -1;
    window.firstOffset = angleGrid.firstPoint - angleGrid.windowFirst;
    window.lastOffset = angleGrid.lastPoint - angleGrid.windowFirst;
    window.mirror = points - angleGrid.windowFirst;
    doEvents();

    const std::size_t discWeights =
        std::min(static_cast<std::size_t>(std::max(light.sunDiscSteps, 0)) + 1, light.sunDiscWeights.size());
    LeeSunSmooth(Stored(*this), Working(*this), window,
                 std::span<const double>(light.sunDiscWeights.data(), discWeights), optSun.value());

    // The size distribution across the radius rows: a geometric sweep only.
    LeeDistribution distribution;
    if (optDisp.value() && codes.graphCode == 20) {
        const double sigma = Val(cboSD.text()) / 100;
        dist.relStdDev = static_cast<float>(sigma);
        if (LeeDistributionWeights(sigma, sweepState.sweepRatio, distribution)) {
            const double N = 3 * sigma / (sweepState.sweepRatio - 1);
            line(1000, 3100, 1000 + 4000 * N / sweepState.sweepSteps, 3100);
            line(1000, 3000, 1000 + 4000 * N / (3 * sweepState.sweepSteps), 3000);
            LeeDistributionSmooth(Working(*this), window, distribution);
            doEvents();
        }
    }

    // Row peaks and the maxima of the whole diagram.
    double mPerp = 0, mPara = 0, mUnpol = 0;
    const LeeConstStores working = {&leeStores.leeRed3, &leeStores.leeGreen3, &leeStores.leeBlue3, &leeStores.leeRed4, &leeStores.leeGreen4, &leeStores.leeBlue4};
    for (int k = 0; k <= window.lastRow; ++k) {
        const std::array<double, 3> peak = LeeRowPeaks(working, window, k);
        for (std::size_t e = 1; e <= 3 && e < leeStores.leeRowPeaks.size(); ++e)
            if (static_cast<std::size_t>(k) < leeStores.leeRowPeaks[e].size())
                leeStores.leeRowPeaks[e][static_cast<std::size_t>(k)] = static_cast<float>(peak[e - 1]);
        mPerp = std::max(mPerp, peak[0]);
        mPara = std::max(mPara, peak[1]);
        mUnpol = std::max(mUnpol, peak[2]);
    }
    doEvents();
    colourSums.peakLee = AMAX(mPerp, mPara);

    // The cells.
    const bool normalised = cboLee.text() == "Normalised";
    const bool saturated = mnuSaturated.checked();
    const bool falseColours = mnuFalseColours.checked();
    const double B = std::fabs(Val(cboBright.text()));
    const double d = sweepState.sweepSteps > 0 ? (W - L) / sweepState.sweepSteps : 0.0;
    const auto finish = [this](float& r, float& g, float& b) {
        if (r > 255 || g > 255 || b > 255) Saturation(r, g, b);
        if (!mnuGammaNone.checked()) GammaCorrection(r, g, b);
    };
    const auto paint = [&](const std::array<double, 3>& c, double norm, double peak, float& r, float& g,
                           float& b, double x1, double y1, double x2, double y2) {
        if (saturated) norm = std::max({c[0], c[1], c[2]});
        if (!falseColours) {
            r = BandLevel(B, c[0], norm);
            g = BandLevel(B, c[1], norm);
            b = BandLevel(B, c[2], norm);
            finish(r, g, b);
            setForeColor(ColourNumber(r, g, b));
        } else {
            const double ratio = LeeFalseRatio(c[0], c[1], c[2], peak);
            scratchI = B > 0 && ratio > 0 ? Log10(ratio) / B : -300.0;
            ColourScale();
        }
        boxFilled(x1, y1, x2, y2);
    };
    bool stopped = false;
    for (int k = 0; k <= window.lastRow && !stopped; ++k) {
        if (normalised) {
            const auto rowPeak = [&](std::size_t e) {
                return e < leeStores.leeRowPeaks.size() && static_cast<std::size_t>(k) < leeStores.leeRowPeaks[e].size()
                           ? static_cast<double>(leeStores.leeRowPeaks[e][static_cast<std::size_t>(k)])
                           : 0.0;
            };
            colourSums.peakPerp = rowPeak(1);
            colourSums.peakPara = rowPeak(2);
            colourSums.peakUnpol = rowPeak(3);
            colourSums.colourNorm = AMAX(colourSums.peakPerp, colourSums.peakPara);
            leeStores.leeNormUnpol = colourSums.peakUnpol;
        } else {
            colourSums.colourNorm = AMAX(mPerp, mPara);
            leeStores.leeNormUnpol = mUnpol;
        }
        // The step label, once per row. A map's rows are the linear steps of its run, and the radius
        // stays the map step's.
        if (codes.graphCode == 20) {
            calc.radius = static_cast<double>(sweepState.sweepStart) * std::pow(static_cast<double>(sweepState.sweepRatio), k);
            EraseStepLabel(*this);
            setCurrentX(9200);
            setCurrentY(950);
            printLine("Step: ", k, "   Radius = ", Format(calc.radius, "#,##0.####"));
        } else if (codes.graphCode == 22 || codes.graphCode == 23) {
            EraseStepLabel(*this);
            setCurrentX(9200);
            setCurrentY(2850);
            printLine("Step: ", k, "   Ref Index = ",
                      Format(MapSweepValue(sweepState.sweepStart, sweepState.sweepEnd, k, sweepState.sweepSteps), "#,##0.####"));
        }
        const Segment column = LeeColumn(k, sweepState.sweepSteps, d, L, W);
        double previousEnd = graph.graphTop;
        for (std::int32_t i = angleGrid.firstPoint; i <= angleGrid.lastPoint; ++i) {
            if (codes.runState == kRunStopped) {
                stopped = true;
                break;
            }
            const std::int32_t c = i - angleGrid.windowFirst;
            const Segment cell = StripSegment(i, angleGrid.firstPoint, angleGrid.lastPoint, graph.graphTop, graph.graphBottom, previousEnd);
            previousEnd = cell.x2;
            const std::array<double, 3> perp = {CellOf(leeStores.leeRed3, k, c), CellOf(leeStores.leeGreen3, k, c),
                                                CellOf(leeStores.leeBlue3, k, c)};
            const std::array<double, 3> para = {CellOf(leeStores.leeRed4, k, c), CellOf(leeStores.leeGreen4, k, c),
                                                CellOf(leeStores.leeBlue4, k, c)};
            const std::array<double, 3> unpol = {(perp[0] + para[0]) / 2, (perp[1] + para[1]) / 2,
                                                 (perp[2] + para[2]) / 2};
            paint(perp, colourSums.colourNorm, colourSums.peakLee, colourSums.red1, colourSums.green1, colourSums.blue1, column.x1, cell.x1, column.x2, cell.x2);
            paint(para, colourSums.colourNorm, colourSums.peakLee, colourSums.red2, colourSums.green2, colourSums.blue2, column.x1 + W, cell.x1, column.x2 + W,
                  cell.x2);
            paint(unpol, leeStores.leeNormUnpol, mUnpol, colourSums.red3, colourSums.green3, colourSums.blue3, column.x1 + 2 * W, cell.x1,
                  column.x2 + 2 * W, cell.x2);
        }
        doEvents();
    }

    // Credit line, fonts, the erased step label and key area.
    LeeCreditLines();
    EraseStepLabel(*this);
    if (falseColours && codes.graphCode > 20) {
        FalseColourKey(*this, B);
    } else {
        setForeColor(kButtonFace);
        boxFilled(2 * W + L, graph.graphTop - 700, 3 * W, graph.graphTop - 400);
        setForeColor(kBlack);
    }

    cboBright.setVisible(true);
    cboBright.setEnabled(true);
    runFlags.resultsFromFile = 0;
    runFlags.resultsStale = 0;
    LockOFF();
}

}  // namespace tessary
