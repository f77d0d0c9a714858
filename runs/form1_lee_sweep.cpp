// New plot of a Lee diagram (graph code 20) or an angle map (22 to 25): three empty panels
// (perpendicular, parallel, unpolarised), then one run of the driver per radius of the geometric
// sweep, each filling column loopStep of the panels, or one run that computes every row of a map.
// Stop ends the sweep at the next radius; the columns finished stay on show. With a size
// distribution the finished rows of a Lee diagram are redrawn averaged over it.
#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "numerics/worker_pool.h"
#include "platform/text/conversions.h"
#include "platform/ui/colour.h"
#include "platform/ui/picture.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"
#include "runs/method_codes.h"
#include "runs/run_rules.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

constexpr const char* kAngleTitle = "Scattering angle (degrees)";

// The radius of row k of the geometric sweep, as the sweep forms it.
double RowRadius(const SweepState& sweep, int k) {
    return static_cast<double>(sweep.sweepStart) * std::pow(static_cast<double>(sweep.sweepRatio), k);
}

// The plane-wave Mie series of a batch of rows from `from` on, started in the background on the
// worker pool (once the batch before it is done, which the rows then take from): each row takes its
// results in turn, so sums, painting, captions, progress and Stop stay in row order and the numbers
// are those of the row's own calls. The inputs are formed as the rows form them, from the
// wavelengths, indices and angle window of the first row; a row that forms another input (or any
// other method) computes its series itself. About two series per thread in a batch keep the waits for
// it short. The last row started (from - 1 when none).
int StartRowsAhead(Form1& f, int from, int last, int rows) {
    const auto waves = static_cast<int>(f.leeWaves.size());
    if (SharedPool().Threads() < 2 || from < 1 || waves < 1 || waves != f.calc.waveCount ||
        f.codes.calcMethod != kMethodMie || f.mnuGaussian.checked())
        return from - 1;
    std::vector<MieInput> inputs;
    int k = from;
    for (; k <= last && k < from + rows; ++k) {
        const double radius = RowRadius(f.sweepState, k);
        if (WaveCountForRadius(f.cboWave.text(), radius).value_or(waves) != waves) break;
        for (const LeeWave& w : f.leeWaves) {
            MieInput in;
            in.x = kTwoPi * radius / w.wavelength * w.mediumRe;
            in.m = {w.mRe, w.mIm};
            in.NANG = std::max(f.angleGrid.angleCount, 2);
            in.first = f.angleGrid.windowFirst;
            in.last = f.angleGrid.windowLast;
            in.angleIndex = f.angleGrid.angleIndex;
            in.mnuSize = f.mnuSize.checked();
            inputs.push_back(in);
        }
    }
    if (k == from) return from - 1;
    f.mieAhead.Start(std::move(inputs));
    return k - 1;
}

// Keeps the rows ahead started up to one batch beyond the batch of row k.
void KeepRowsAhead(Form1& f, int k, int last, int& startedUntil) {
    const int waves = std::max(f.calc.waveCount, 1);
    const int rows = std::max(1, (2 * SharedPool().Threads() + waves - 1) / waves);
    while (startedUntil < std::min(k + rows, last)) {
        const int from = std::max(startedUntil + 1, k);
        const int until = StartRowsAhead(f, from, last, rows);
        if (until < from) return;
        startedUntil = until;
    }
}

// The caption of row k above the panels: its step and radius; none for k < 0.
void RowCaption(Form1& f, int k) {
    f.setForeColor(kButtonFace);
    f.boxFilled(9200, 950, 13000, 1250);
    f.setForeColor(kBlack);
    if (k < 0) return;
    f.setCurrentX(9200);
    f.setCurrentY(950);
    f.printLine("Step: ", k, "   Radius = ", Format(RowRadius(f.sweepState, k), "#,##0.####"));
}

// A stopped Lee diagram is the diagram of the rows it finished, as its data file saves it: two or more are
// redrawn as that diagram, to the radius of its last finished row (a redraw draws no caption of a row); one
// stays as drawn, under the caption of its row.
void StoppedLeeDiagram(Form1& f) {
    const int last = f.runRecord.doneLast;
    if (last < 1) {
        RowCaption(f, last);
        return;
    }
    f.sweepState.sweepEnd = LeeEndOfRatio(f.sweepState.sweepStart, f.sweepState.sweepRatio, last);
    f.sweepState.sweepSteps = static_cast<float>(last);
    f.cmdStop.setVisible(false);  // the run has stopped: its redraw is no run to stop
    f.codes.runState = Form1::kRunNewPlot;
    f.ReplotFromStores();
    f.codes.runState = Form1::kRunStopped;
}

}  // namespace

Picture Form1::LeeAngleTitle() {
    return verticalTextPicture(kAngleTitle, 13, 126, "MS Sans Serif", 8, 0x000000u,
                               toRgb32(mnuWhite.checked() ? 0xFFFFFFu : kButtonFace));
}

void Form1::LeeSetUp() {
    cls();
    runFlags.resultsStale = 1;  // the graph-size item must not start a redraw
    if (windowState.screenWidthPx > 1024) {
        mnuVLarge_Click();
    } else {
        mnuLarge_Click();
    }
    if (!(Brightness() > 0)) cboBright.setText("1");  // brightness 0 paints black rows
    if (codes.graphCode == kGraphLee) {  // from the radius the size box stands for (radius, diameter or x)
        sweepState.sweepStart = CSng(RadiusOfSizeBox(txtRadius.text(), mnuDiameter.checked(),
                                                     mnuRadiusX.checked(), txtLambda.text()))
                                    .value;
        sweepState.sweepEnd = CSng(Val(txtRmax.text())).value;
    } else {
        sweepState.sweepStart = CSng(Val(txtF9_min.text())).value;
        sweepState.sweepEnd = CSng(Val(txtF9_max.text())).value;
    }
    const double W = graph.leePanelWidth;
    const double L = graph.graphLeft;
    const double angleMin = Val(txtXmin.text());
    const double angleMax = Val(txtXmax.text());
    for (int n = 0; n < 3; ++n)
        GridLeeAxes(L + n * W, (n + 1) * W, graph.graphTop, graph.graphBottom, sweepState.sweepStart,
                    sweepState.sweepEnd, angleMin, angleMax);
    const Picture title = LeeAngleTitle();
    PictureBox* pictures[] = {&Picture1, &Picture2, &Picture3};
    for (int n = 0; n < 3; ++n) {
        PictureBox& p = *pictures[n];
        p.setPicture(title);
        p.setLeft(L + n * W - 650);
        p.setTop((graph.graphTop + graph.graphBottom) / 2 - 1000);
        p.setVisible(true);
    }
    const char* titles[] = {"Perpendicular polarisation", "Parallel polarisation", "Unpolarised"};
    const double titleX[] = {(W + L) / 2 - 900, (W + L) / 2 - 600 + W, (W + L) / 2 - 400 + 2 * W};
    for (int n = 0; n < 3; ++n) {
        setCurrentX(titleX[n]);
        setCurrentY(3100);
        printLine(std::string(titles[n]));
    }
}

void Form1::LeeSweep() {
    LeeSetUp();
    sweepState.sweepSteps = CSng(Val(txtRstep.text())).value;
    if (codes.graphCode == kGraphLee)
        sweepState.sweepRatio = LeeRatio(sweepState.sweepStart, sweepState.sweepEnd, sweepState.sweepSteps);
    Array_Size();                        // a map's own step count replaces sweepSteps
    if (codes.graphCode != kGraphLee) {  // a map runs all its rows in one call
        setForeColor(kButtonFace);
        boxFilled(9200, 950, 13000, 1250);
        setForeColor(kBlack);
        calc.radius = sweepState.sweepStart;
        sweepState.loopI = 1;
        leeStores.leeGridLast = -1;  // no rows to redraw until the map draws its stores
        Overplot();
    } else {
        const Checked<std::int16_t> last = CInt(sweepState.sweepSteps);
        const int N = last.ok() ? last.value : -1;  // the input checks keep the count whole and in range
        leeWaves.clear();
        int startedUntil = 0;     // the last row whose series are started ahead
        runRecord.doneFirst = 0;  // the rows finished, counted into the run's record
        runRecord.doneLast = -1;
        runRecord.plannedPoints = N + 1;
        // The y scale the last finished row left (a row starts from the axis of the one before).
        std::pair<double, double> finishedScale{graph.yScaleMin, graph.yScaleMax};
        for (sweepState.loopStep = 0; sweepState.loopStep <= N; ++sweepState.loopStep) {
            if (codes.runState == kRunStopped) break;
            if (sweepState.loopStep > 0) KeepRowsAhead(*this, sweepState.loopStep, N, startedUntil);
            calc.radius = RowRadius(sweepState, sweepState.loopStep);
            RowCaption(*this, sweepState.loopStep);
            sweepState.loopI = 1;
            Overplot();
            if (codes.runState == kRunStopped) continue;
            runRecord.doneLast = sweepState.loopStep;
            finishedScale = {graph.yScaleMin, graph.yScaleMax};
        }
        mieAhead.Clear();
        // The stores' angle grid, for the redraws: a stopped sweep's redraw draws the rows it finished.
        leeStores.leeGridStep = Val(cboStep.text());
        leeStores.leeGridFirst = angleGrid.windowFirst;
        leeStores.leeGridLast = runRecord.doneLast >= 0 ? angleGrid.windowLast : -1;
        // After a stop the y scale is the one the diagram of the finished rows alone leaves (saved with them).
        if (codes.runState == kRunStopped) {
            std::tie(graph.yScaleMin, graph.yScaleMax) = finishedScale;
            StoppedLeeDiagram(*this);
        }
    }
    runFlags.resultsFromFile = 0;
    // With a size distribution the rows are single sizes; the redraw averages them across the radii.
    if (codes.graphCode == kGraphLee && optDisp.value() && codes.runState != kRunStopped) PlotLee();
}

}  // namespace tessary
