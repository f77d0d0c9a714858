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

void Form1::Progress() {
    // In a sweep of the series and first approximations the percentage follows the step's caption
    // only: nothing changes until the next step's caption (the series report every order).
    const bool sweepRule = ProgressFollowsSweepStep();
    if (sweepRule) {
        if (sweepStepShown == sweepStepCount) return;
        sweepStepShown = sweepStepCount;
    }
    ProgressInput in;
    in.calcMethod = calcMethod;
    in.graphCode = graphCode;
    in.waveCount = waveCount;
    in.disperse = optDisp.value();
    in.gaussian = mnuGaussian.checked();
    if (sweepRule) in.sweepFraction = Val(Label20.caption());  // read by the sweep rule only
    in.loopN = loopN;
    in.termCount = termCount;
    in.loopJ = loopJ;
    in.firstPoint = firstPoint;
    in.lastPoint = lastPoint;
    in.outerCount = outerCount;
    in.loopI = loopI;
    in.loopK = loopK;
    in.sampleCount = sampleCount;
    in.stepsDone = stepsDone;
    in.stepsTotal = stepsTotal;
    in.progressPercent = progressPercent;
    const std::optional<ProgressValue> value = ProgressPercentage(in);
    if (!value) return;
    const float p = value->percent;
    progressPercent = p;
    if (!ProgressDue(*value, progressShown)) return;

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
    progressShown = p;
}

}  // namespace tessary
