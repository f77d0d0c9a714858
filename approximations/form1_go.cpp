// Ray optics as procedures of the main window: GO (Descartes, Young, Young mod., and the central beam
// that the Gaussian-beam Debye series adds) and GO2 (the rays that the plane-wave Debye series
// subtracts), around the pure kernel of approximations/geometric_optics.h. The window's part: the beam
// dialog, the ray-order selection and caption, the progress strip, the throttled event pump, the
// stop and the messages.
//
// RaysCheck writes the caption, label and title bar as for the method in calcMethod; a caller that
// must keep its own (the Debye series) saves and restores them around the call.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "approximations/geometric_optics.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

void RunGeometricOptics(Form1& f, GOVariant variant, double x, std::int32_t N, Form1::ComplexTable& S1,
                        Form1::ComplexTable& S2, std::int32_t first, std::int32_t last) {
    // A stop during the call ends it at the next angle; a call made after a stop (the Debye series'
    // subtraction and central beam) runs to its end.
    const bool stoppedBefore = f.codes.runState == Form1::kRunStopped;
    GOInput in;
    in.variant = variant;
    in.x = x;
    in.mRe = f.calc.calcIndexRe;
    in.mIm = f.calc.calcIndexIm;
    in.N = N < 2 ? 2 : N;
    in.first = first;
    in.last = last;
    in.calcMethod = f.codes.calcMethod;
    in.centralBeam = f.mnuCentralBeam.checked();
    in.surfaceWaveSub = f.mnuSWsub.checked();

    // The beam: the dialog's values, or the narrow beam of "Multiple beams" centred on the axis.
    GaussianBeamInput beamRead;
    if (f.mnuGaussian.checked() || f.mnuTopHat.checked()) beamRead = f.ReadBeamDialog();
    if (f.mnuMultBeams.checked()) {
        f.beamState.beamXf = beamRead.xf = 0;
        f.beamState.beamYf = beamRead.yf = 0;
        f.beamState.beamW0 = beamRead.w0 = 2;
    }
    // GO2's rays are those the plane-wave Debye series subtracts: they go with that plane wave. Descartes
    // adds the rays' intensities with no beam weight: it computes the plane wave, and names no beam.
    const bool beam = variant == GOVariant::GO && in.calcMethod != kMethodDescartes &&
                      !f.mnuPlaneWave.checked() && f.calc.radius > 0;
    in.gaussianWeight = beam && f.mnuGaussian.checked() && !in.centralBeam;
    in.topHat = beam && f.mnuTopHat.checked();
    in.beamOffsetRel = std::fabs(static_cast<double>(f.beamState.beamXf)) / f.calc.radius;
    in.beamWidthRel = static_cast<double>(f.beamState.beamW0) / f.calc.radius;
    in.beamXfPositive = f.beamState.beamXf > 0;
    f.angleGrid.angleTotal = 2 * in.N - 1;

    const auto size = static_cast<std::size_t>(2 * in.N);
    for (Form1::ComplexTable* S : {&S1, &S2})
        for (std::vector<double>& part : *S)
            if (part.size() < size) part.resize(size, 0.0);

    SeriesEventPump pump;
    if (!PumpedBetweenSteps(f)) pump.pumpNow();
    f.ClearProgressStrip();
    f.runProgress.progressShown = 0;
    f.runProgress.stepsTotal = (static_cast<double>(last) - first + 1) * f.series.rayCount;
    f.runProgress.stepsDone = 0;
    f.Progress();
    f.angleGrid.angleStepRad = kHalfPi / (in.N - 1);

    if (!f.RaysCheck()) {  // an absurd typed order, refused with its message
        f.codes.runState = Form1::kRunStopped;
        return;
    }
    f.setCaption(f.series.captionText);
    std::vector<std::string> options;  // the illumination the rays are weighted by, named after the method
    if (in.gaussianWeight) options.emplace_back("Gaussian beam");
    if (in.topHat) options.emplace_back("top hat beam");
    if ((in.gaussianWeight || in.topHat) && f.mnuMultBeams.checked()) options.emplace_back("multiple beams");
    if (in.centralBeam) options.emplace_back("central beam");
    f.ShowRunOptions(WithOptions(options));
    if (in.gaussianWeight || in.topHat) {
        f.beamUse.illumination = in.topHat ? RunIllumination::TopHatBeam : RunIllumination::GaussianBeam;
        f.beamUse.multipleBeams = f.mnuMultBeams.checked();
        f.beamUse.beam = beamRead;
    }
    f.beamUse.centralBeam = f.beamUse.centralBeam || in.centralBeam;
    dlogP& rayDialog = *f.dlogP_;
    in.multipleList = f.cboRays.text() == "Multiple";
    in.diffraction = rayDialog.chkDiffraction.value() == 1;
    f.beamUse.diffractionAdded = f.beamUse.diffractionAdded || in.diffraction;
    in.xMinZero = Val(f.txtXmin.text()) == 0;
    in.xMax180 = Val(f.txtXmax.text()) == 180;
    const RaySelection rays{std::vector<std::int16_t>(f.series.rayflag.begin(), f.series.rayflag.end()),
                            f.series.rayCount, f.series.rayPMax};

    const auto onAngle = [&](double done, double total) {
        f.runProgress.stepsDone = done;
        f.runProgress.stepsTotal = total;
        f.Progress();
        pump.pumpIfDue();
        return !stoppedBefore && f.codes.runState == Form1::kRunStopped;
    };
    GOWorkspace work;
    const ApproxOutcome out = GeometricOptics(in, rays, {S1[0], S1[1], S2[0], S2[1]}, work, onAngle);
    if (out.status == ApproxStatus::Refused) {
        msgBox(out.message, mb::kOkOnly, out.title);
        f.codes.runState = Form1::kRunStopped;
    }
}

}  // namespace

// Diffraction form: ray optics GO (codes 6, 7, 8, and the central beam of the Gaussian-beam Debye series and
// of the surface waves).
void Form1::GO(double& x, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& /*Qext*/,
               double& /*Qsca*/, double& /*Qback*/, double& /*g*/, std::int32_t& first, std::int32_t& last) {
    RunGeometricOptics(*this, GOVariant::GO, x, NANG, S1, S2, first, last);
}

// Diffraction form: GO2, the rays that the plane-wave Debye series subtracts for its surface-wave
// subtraction.
void Form1::GO2(double& x, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& /*Qext*/,
                double& /*Qsca*/, double& /*Qback*/, double& /*g*/, std::int32_t& first, std::int32_t& last) {
    RunGeometricOptics(*this, GOVariant::GO2, x, NANG, S1, S2, first, last);
}

}  // namespace tessary
