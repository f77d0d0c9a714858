// The progress display of a running calculation: the percentage in txtProgress and a bar growing
// from x = 12000 twips at 30 twips per percent, redrawn only when the value has grown by a step.
#include <cmath>

#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/run_rules.h"

namespace tessary {

namespace {

constexpr OleColor kBarColour = 12648192;  // &HC0FF00

}  // namespace

// True in a sweep of the series and first approximations: the progress display then follows the step's
// caption only, and Progress changes nothing after its first call in a step.
bool Form1::ProgressFollowsSweepStep() const {
    return codes.calcMethod >= kMethodMie && codes.calcMethod <= kMethodAiry &&
           codes.graphCode >= kFirstSweepGraph && codes.graphCode <= kLastSweepGraph;
}

// The percentage of the running calculation in txtProgress and the bar at (12000, 1900).
void Form1::Progress() {
    // In a sweep of the series and first approximations the percentage follows the step's caption
    // only: nothing changes until the next step's caption (the series report every order).
    const bool sweepRule = ProgressFollowsSweepStep();
    if (sweepRule) {
        if (sweepState.sweepStepShown == sweepState.sweepStepCount) return;
        sweepState.sweepStepShown = sweepState.sweepStepCount;
    }
    ProgressInput in;
    in.calcMethod = codes.calcMethod;
    in.graphCode = codes.graphCode;
    in.waveCount = calc.waveCount;
    in.disperse = optDisp.value();
    in.gaussian = mnuGaussian.checked();
    if (sweepRule) in.sweepFraction = Val(Label20.caption());  // read by the sweep rule only
    in.loopN = runProgress.loopN;
    in.termCount = runProgress.termCount;
    in.loopJ = sweepState.loopJ;
    in.firstPoint = angleGrid.firstPoint;
    in.lastPoint = angleGrid.lastPoint;
    in.outerCount = runProgress.outerCount;
    in.loopI = sweepState.loopI;
    in.loopK = sweepState.loopK;
    in.sampleCount = dist.sampleCount;
    in.stepsDone = runProgress.stepsDone;
    in.stepsTotal = runProgress.stepsTotal;
    in.progressPercent = runProgress.progressPercent;
    const std::optional<ProgressValue> value = ProgressPercentage(in);
    if (!value) return;
    const float p = value->percent;
    runProgress.progressPercent = p;
    if (!ProgressDue(*value, runProgress.progressShown)) return;

    setForeColor(kBarColour);
    switch (value->display) {
        case ProgressDisplay::A:
            txtProgress.setText(CStr(p));
            break;
        case ProgressDisplay::B:
            txtProgress.setText(CStr(std::floor(p * 100.0f) / 100.0f));
            break;
        case ProgressDisplay::C:
            break;
    }
    boxFilled(12000, 1900, 12000 + 30.0 * p, 2000);
    if (value->display == ProgressDisplay::C) txtProgress.setText(CStr(p));
    setForeColor(kBlack);
    runProgress.progressShown = p;
}

}  // namespace tessary
