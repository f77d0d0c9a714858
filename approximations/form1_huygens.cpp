// The Huygens wavefront method as a procedure of the main window: the ray orders from the ray-order
// list, the number of ray intervals from the angle box, the caption, the progress display and the
// throttled event pump around the pure kernel of approximations/huygens.h. A stop (runState 4) ends
// the method at its next angle.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "approximations/form1_approx_window.h"
#include "approximations/huygens.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "scattering/form1_series_common.h"
#include "scattering/ray_orders.h"

namespace tessary {

void Form1::Huygens(double& x, double& /*sphereRadius*/, double& /*lightWavelength*/, double& mRe,
                    double& /*mIm*/, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& /*Qext*/,
                    double& /*Qsca*/, double& /*Qback*/, double& /*g*/, std::int32_t& first,
                    std::int32_t& last) {
    // The orders exactly as the list (or, for "Multiple", the dialog's boxes) now selects them.
    if (!RaysCheck(RayFlagsFirst::Clear)) {  // an absurd typed order, refused with its message
        codes.runState = kRunStopped;
        return;
    }
    const RaySelection rays{std::vector<std::int16_t>(series.rayflag.begin(), series.rayflag.end()),
                            series.rayCount, series.rayPMax};
    setCaption(HuygensCaption(rays, indexState.sphereName, indexState.mediumName));

    HuygensInput in;
    in.x = x;
    in.m = mRe;
    in.K = Val(txtAngle.text());
    in.N = std::max(NANG, 2);
    in.first = first;
    in.last = last;

    setForeColor(kWhite);  // an empty progress bar
    boxFilled(12000, 1900, 15000, 2000);
    setForeColor(kBlack);
    runProgress.progressShown = 0;
    runProgress.progressPercent = 0;
    runProgress.stepsDone = 0;
    runProgress.stepsTotal = 1;
    Progress();

    SeriesEventPump pump;
    if (!PumpedBetweenSteps(*this)) pump.pumpNow();
    const auto onAngle = [&](double done, double total) {
        runProgress.stepsDone = done;
        runProgress.stepsTotal = total;
        Progress();
        pump.pumpIfDue();
        return codes.runState == kRunStopped;
    };
    const AmplitudeTables S = WindowAmplitudes(S1, S2, in.N);
    HuygensRays work;
    const ApproxOutcome outcome = HuygensAmplitudes(in, rays, work, S, onAngle);
    EndApproxMethod(codes, outcome, S, first, last, kHuygensName);
}

}  // namespace tessary
