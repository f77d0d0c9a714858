// New plot of a Lee diagram (graph code 20) or an angle map (22 to 25): three empty panels
// (perpendicular, parallel, unpolarised), then one run of the driver per radius of the geometric
// sweep, each filling column loopStep of the panels, or one run that computes every row of a map.
// Stop ends the sweep at the next radius; the columns finished stay on show. With a size
// distribution the finished rows of a Lee diagram are redrawn averaged over it.
#include <algorithm>
#include <cmath>
#include <string>
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
#include "runs/method_codes.h"
#include "runs/run_rules.h"

namespace tessary {

namespace {

constexpr const char* kAngleTitle = "Scattering angle (degrees)";

// The radius of row k of the geometric sweep, as the sweep forms it.
double RowRadius(const Form1& f, int k) {
    return static_cast<double>(f.sweepStart) * std::pow(static_cast<double>(f.sweepRatio), k);
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
    if (SharedPool().Threads() < 2 || from < 1 || waves < 1 || waves != f.waveCount || f.calcMethod != kMethodMie ||
        f.mnuGaussian.checked())
        return from - 1;
    std::vector<MieInput> inputs;
    int k = from;
    for (; k <= last && k < from + rows; ++k) {
        const double radius = RowRadius(f, k);
        if (WaveCountForRadius(f.cboWave.text(), radius).value_or(waves) != waves) break;
        for (const Form1::LeeWave& w : f.leeWaves) {
            MieInput in;
            in.x = kTwoPi * radius / w.wavelength * w.mediumRe;
            in.m = {w.mRe, w.mIm};
            in.NANG = std::max(f.angleCount, 2);
            in.first = f.windowFirst;
            in.last = f.windowLast;
            in.angleIndex = f.angleIndex;
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
    const int waves = std::max(f.waveCount, 1);
    const int rows = std::max(1, (2 * SharedPool().Threads() + waves - 1) / waves);
    while (startedUntil < std::min(k + rows, last)) {
        const int from = std::max(startedUntil + 1, k);
        const int until = StartRowsAhead(f, from, last, rows);
        if (until < from) return;
        startedUntil = until;
    }
}

}  // namespace

Picture Form1::LeeAngleTitle() {
    return verticalTextPicture(kAngleTitle, 13, 126, "MS Sans Serif", 8, 0x000000u,
                               toRgb32(mnuWhite.checked() ? 0xFFFFFFu : kButtonFace));
}

void Form1::LeeSetUp() {
    cls();
    resultsStale = 1;  // the graph-size item must not start a redraw
    if (screenWidthPx > 1024) {
        mnuVLarge_Click();
    } else {
        mnuLarge_Click();
    }
    if (!(Val(cboBright.text()) > 0)) cboBright.setText("1");  // brightness 0 paints black rows
    if (graphCode == kGraphLee) {
        sweepStart = CSng(Val(txtRadius.text())).value;
        sweepEnd = CSng(Val(txtRmax.text())).value;
    } else {
        sweepStart = CSng(Val(txtF9_min.text())).value;
        sweepEnd = CSng(Val(txtF9_max.text())).value;
    }
    const double W = leePanelWidth;
    const double L = graphLeft;
    const double angleMin = Val(txtXmin.text());
    const double angleMax = Val(txtXmax.text());
    for (int n = 0; n < 3; ++n)
        GridLeeAxes(L + n * W, (n + 1) * W, graphTop, graphBottom, sweepStart, sweepEnd, angleMin, angleMax);
    const Picture title = LeeAngleTitle();
    PictureBox* pictures[] = {&Picture1, &Picture2, &Picture3};
    for (int n = 0; n < 3; ++n) {
        PictureBox& p = *pictures[n];
        p.setPicture(title);
        p.setLeft(L + n * W - 650);
        p.setTop((graphTop + graphBottom) / 2 - 1000);
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
    sweepSteps = CSng(Val(txtRstep.text())).value;
    if (graphCode == kGraphLee)
        sweepRatio = CSng(std::pow(static_cast<double>(sweepEnd) / sweepStart, 1.0 / sweepSteps)).value;
    Array_Size();  // a map's own step count replaces sweepSteps
    if (graphCode != kGraphLee) {  // a map runs all its rows in one call
        setForeColor(kButtonFace);
        boxFilled(9200, 950, 13000, 1250);
        setForeColor(kBlack);
        radius = sweepStart;
        loopI = 1;
        Overplot();
    } else {
        const Checked<std::int16_t> last = CInt(sweepSteps);
        const int N = last.ok() ? last.value : -1;  // the input checks keep the count whole and in range
        leeWaves.clear();
        int startedUntil = 0;  // the last row whose series are started ahead
        for (loopStep = 0; loopStep <= N; ++loopStep) {
            if (runState == kRunStopped) break;
            if (loopStep > 0) KeepRowsAhead(*this, loopStep, N, startedUntil);
            setForeColor(kButtonFace);
            boxFilled(9200, 950, 13000, 1250);
            setForeColor(kBlack);
            radius = RowRadius(*this, loopStep);
            setCurrentX(9200);
            setCurrentY(950);
            printLine("Step: ", loopStep, "   Radius = ", Format(radius, "#,##0.####"));
            loopI = 1;
            Overplot();
        }
        mieAhead.Clear();
    }
    leeGridStep = Val(cboStep.text());  // the stores' angle grid, for the redraws
    leeGridFirst = windowFirst;
    leeGridLast = runState == kRunStopped ? -1 : windowLast;  // a stopped sweep keeps no redrawable rows
    resultsFromFile = 0;
    // With a size distribution the rows are single sizes; the redraw averages them across the radii.
    if (graphCode == kGraphLee && optDisp.value() && runState != kRunStopped) PlotLee();
}

}  // namespace tessary
