// What the Gaussian-beam series procedures share on the window: the beam dialog's values as a run
// reads them, the progress of the angle sums, and the clearing of the progress strip.
#include <cmath>
#include <cstdint>
#include <limits>

#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

// The leading number of a beam box as Single; beyond the Single range (also beyond the Double range)
// an infinity of its sign, which the series refuse with a message naming the value.
float BeamBoxValue(const TextBox& box) {
    const double v = ValOrInfinity(box.text());
    const Checked<float> single = CSng(v);
    if (single.ok()) return single.value;
    constexpr float kInf = std::numeric_limits<float>::infinity();
    return v < 0 ? -kInf : kInf;
}

}  // namespace

// Shared by both Gaussian-beam series. The beam dialog's five values as a run reads them (the dialog is made,
// not shown, on first use): the leading number of each text, 0 when there is none; the centre and width as
// Single, also stored in beamXf, beamYf, beamZf, beamW0, and beamPhi in radians.
GaussianBeamInput Form1::ReadBeamDialog() {
    dlogGaussianBeam& dialog = *dlogGaussianBeam_;
    GaussianBeamInput beam;
    beam.xf = BeamBoxValue(dialog.txtBeamXF);
    beam.yf = BeamBoxValue(dialog.txtBeamYF);
    beam.zf = BeamBoxValue(dialog.txtBeamZF);
    beam.w0 = BeamBoxValue(dialog.txtBeamWo);
    beam.phiDegrees = ValOrInfinity(dialog.txtPhi.text());
    beamState.beamXf = beam.xf;
    beamState.beamYf = beam.yf;
    beamState.beamZf = beam.zf;
    beamState.beamW0 = beam.w0;
    beamState.beamPhi = beam.phiDegrees * kPi / 180;
    return beam;
}

// Progress of the angle sums, 0..1 of the run's points: loopJ moved to the same share of
// firstPoint..lastPoint, then Progress.
void Form1::BeamPointProgress(double fraction) {
    const double j = angleGrid.firstPoint +
                     std::round(fraction * (static_cast<double>(angleGrid.lastPoint) - angleGrid.firstPoint));
    if (!(std::fabs(j) < 2.0e9)) return;
    sweepState.loopJ = static_cast<std::int32_t>(j);
    Progress();
}

// Clears the progress strip (12000, 1900)-(15000, 2000) to white.
void Form1::ClearProgressStrip() {
    setForeColor(kWhite);
    boxFilled(12000, 1900, 15000, 2000);
    setForeColor(kBlack);
}

}  // namespace tessary
