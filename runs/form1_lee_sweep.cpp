// New plot of a Lee diagram (graph code 20) or an angle map (22 to 25): three empty panels
// (perpendicular, parallel, unpolarised), then one run of the driver per radius of the geometric
// sweep, each filling column loopStep of the panels, or one run that computes every row of a map.
// Stop ends the sweep at the next radius. With a size distribution the finished rows of a Lee
// diagram are redrawn averaged over it.
#include <cmath>
#include <string>

#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/colour.h"
#include "platform/ui/picture.h"
#include "runs/run_rules.h"

namespace tessary {

namespace {

constexpr const char* kAngleTitle = "Scattering angle (degrees)";

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
    if (graphCode == 20) {
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
    if (graphCode == 20)
        sweepRatio = CSng(std::pow(static_cast<double>(sweepEnd) / sweepStart, 1.0 / sweepSteps)).value;
    Array_Size();  // a map's own step count replaces sweepSteps
    if (graphCode != 20) {  // a map runs all its rows in one call
        setForeColor(kButtonFace);
        boxFilled(9200, 950, 13000, 1250);
        setForeColor(0);
        radius = sweepStart;
        loopI = 1;
        Overplot();
    } else {
        const Checked<std::int16_t> last = CInt(sweepSteps);
        const int N = last.ok() ? last.value : -1;  // the input checks keep the count whole and in range
        for (loopStep = 0; loopStep <= N; ++loopStep) {
            if (runState == 4) break;
            setForeColor(kButtonFace);
            boxFilled(9200, 950, 13000, 1250);
            setForeColor(0);
            radius = static_cast<double>(sweepStart) * std::pow(static_cast<double>(sweepRatio), loopStep);
            setCurrentX(9200);
            setCurrentY(950);
            printLine("Step: ", loopStep, "   Radius = ", Format(radius, "#,##0.####"));
            loopI = 1;
            Overplot();
        }
    }
    leeGridStep = Val(cboStep.text());  // the stores' angle grid, for the redraws
    leeGridFirst = windowFirst;
    leeGridLast = runState == 4 ? -1 : windowLast;  // a stopped sweep keeps no redrawable rows
    resultsFromFile = 0;
    // With a size distribution the rows are single sizes; the redraw averages them across the radii.
    if (graphCode == 20 && optDisp.value() && runState != 4) PlotLee();
}

}  // namespace tessary
