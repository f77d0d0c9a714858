// Airy theory of the rainbow as a procedure of the main window: the pure kernel of
// approximations/airy_theory.h with the ray-order selection, the caption, the progress strip, the
// throttled event pump and the messages around it. A stop ends the routine at its next angle point.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "approximations/airy_theory.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/ui/window_colours.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

// The window's amplitude tables hold at least `size` entries per part (they are never shrunk here).
void EnsureSize(Form1::ComplexTable& S, std::size_t size) {
    for (std::vector<double>& part : S)
        if (part.size() < size) part.resize(size, 0.0);
}

}  // namespace

void Form1::Airy(double& x, double& sphereRadius, double& lightWavelength, double& mRe, double& /*mIm*/,
                 std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& /*Qext*/, double& /*Qsca*/,
                 double& /*Qback*/, double& /*g*/, std::int32_t& first, std::int32_t& last) {
    const std::int32_t N = std::max<std::int32_t>(NANG, 1);
    const auto size = static_cast<std::size_t>(2 * N);
    EnsureSize(S1, size);
    EnsureSize(S2, size);
    angleGrid.angleTotal = 2 * N - 1;
    SeriesEventPump pump;
    const bool sweep = PumpedBetweenSteps(*this);
    if (!sweep) pump.pumpNow();

    if (!RaysCheck()) {  // an absurd typed order, refused with its message
        codes.runState = kRunStopped;
        return;
    }
    setCaption(series.captionText);
    const RaySelection rays{std::vector<std::int16_t>(series.rayflag.begin(), series.rayflag.end()),
                            series.rayCount, series.rayPMax};

    setForeColor(kWhite);  // an empty progress bar
    boxFilled(12000, 1900, 15000, 2000);
    setForeColor(kBlack);
    runProgress.stepsDone = 0;
    runProgress.progressShown = 0;
    runProgress.stepsTotal =
        static_cast<double>(angleGrid.lastPoint - angleGrid.firstPoint + 1) * series.rayCount;
    Progress();
    angleGrid.angleStepRad = N > 1 ? kHalfPi / static_cast<double>(N - 1) : 0.0;

    AiryInput in;
    in.x = x;
    in.radius = sphereRadius;
    in.wavelength = lightWavelength;
    in.m = mRe;
    in.N = N;
    in.first = first;
    in.last = last;
    const bool noRays = cboRays.text() == "Multiple" && series.rayCount == 0;
    const auto onPoint = [&](double, double) {
        runProgress.stepsDone += 1;
        Progress();
        pump.pumpIfDue();
        return codes.runState == kRunStopped;
    };
    // With no order selected the kernel only zeroes the tables, as the message below expects.
    const ApproxOutcome out = AiryAmplitudes(in, rays, {S1[0], S1[1], S2[0], S2[1]}, onPoint);
    if (!sweep) pump.pumpNow();
    if (noRays) {
        msgBox("No rays selected", mb::kOkOnly, "Error");
        codes.runState = kRunStopped;
        return;
    }
    if (out.status == ApproxStatus::Refused) {
        msgBox(out.message, mb::kOkOnly, out.title);
        codes.runState = kRunStopped;
    }
}

}  // namespace tessary
