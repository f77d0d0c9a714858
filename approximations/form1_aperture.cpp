// Aperture diffraction as a procedure of the main window: the number of samples from the angle box and
// the pure kernel of approximations/aperture.h, with the method's label and title. No progress display;
// the throttled event pump keeps Stop pressable, and a stop (runState 4) ends the method at its next angle.
#include <algorithm>
#include <cstdint>
#include <string>

#include "approximations/aperture.h"
#include "approximations/form1_approx_window.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "scattering/form1_series_common.h"

namespace tessary {

void Form1::Aperture(double& x, double& /*sphereRadius*/, double& /*lightWavelength*/, double& /*mRe*/,
                     double& /*mIm*/, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
                     double& /*Qext*/, double& /*Qsca*/, double& /*Qback*/, double& /*g*/,
                     std::int32_t& first, std::int32_t& last) {
    ShowMethodCaption(*this, "Aperture", std::string(kApertureName) + ":  ");
    const std::int32_t N = std::max(NANG, 2);
    SeriesEventPump pump;
    const auto onAngle = [&](double, double) {
        pump.pumpIfDue();
        return codes.runState == kRunStopped;
    };
    const AmplitudeTables S = WindowAmplitudes(S1, S2, N);
    const ApproxOutcome outcome = ApertureAmplitudes(x, Val(txtAngle.text()), N, S, first, last, onAngle);
    EndApproxMethod(codes, outcome, S, first, last, kApertureName);
}

}  // namespace tessary
