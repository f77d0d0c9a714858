// Surface waves as a procedure of the main window: the pure kernel of approximations/surface_waves.h
// fed from the surface-wave menus and lists, with the ray-order caption, the optional central beam
// (geometric optics, modified Young) underneath, the throttled event pump and the messages. A stop
// ends the routine at its next angle.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "approximations/surface_waves.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

// A list's text rounded to a whole number (halves to even) as an Integer or a Long; 0 when it is none
// or out of range.
int IntegerOf(const std::string& text) {
    const Checked<std::int16_t> v = CInt(Val(text));
    return v.ok() ? v.value : 0;
}

std::int32_t LongOf(const std::string& text) {
    const Checked<std::int32_t> v = CLng(Val(text));
    return v.ok() ? v.value : 0;
}

// The path range of the menus, tested in the order both, short, long: a later checked item wins.
SurfacePaths PathsOf(const Form1& f) {
    SurfacePaths paths = SurfacePaths::Both;
    if (f.mnuSurfaceBoth.checked()) paths = SurfacePaths::Both;
    if (f.mnuSurfaceShort.checked()) paths = SurfacePaths::Short;
    if (f.mnuSurfaceLong.checked()) paths = SurfacePaths::Long;
    return paths;
}

SurfaceModel ModelOf(const Form1& f) {
    if (f.mnuLock.checked()) return SurfaceModel::Lock;
    if (f.mnuNussenzveig.checked()) return SurfaceModel::Nussenzveig;
    return SurfaceModel::Khare;
}

}  // namespace

// The central beam under the surface waves: GO with code 8 into S1 and S2; the surface waves keep their
// caption, label, calculation title and ray-order selection.
void Form1::SurfaceWaveCentralBeam(double& x, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
                                   double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first,
                                   std::int32_t& last) {
    const std::string title = caption();
    const std::string label = lblDebyeRays.caption();
    const std::string calculation = series.captionText;
    const std::vector<int> flags = series.rayflag;
    const std::int32_t count = series.rayCount;
    const std::int32_t top = series.rayPMax;
    codes.calcMethod = kMethodYoungMod;
    GO(x, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
    codes.calcMethod = kMethodSurfaceWave;
    setCaption(title);
    lblDebyeRays.setCaption(label);
    series.captionText = calculation;
    series.rayflag = flags;
    series.rayCount = count;
    series.rayPMax = top;
}

void Form1::SurfaceWave(double& x, double& /*sphereRadius*/, double& /*lightWavelength*/, double& mRe,
                        double& /*mIm*/, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& Qext,
                        double& Qsca, double& Qback, double& g, std::int32_t& first, std::int32_t& last) {
    series.swQmin = IntegerOf(cboQmin.text());
    series.swQmax = IntegerOf(cboQmax.text());
    if (!RaysCheck()) {  // an absurd typed order, refused with its message
        codes.runState = kRunStopped;
        return;
    }
    setCaption(series.captionText);
    if (mnuCentralBeam.checked()) {  // the rays added under the waves
        ShowRunOptions("with central beam");
        beamUse.centralBeam = true;
    }
    if (cboRays.text() == "Multiple" && series.rayCount == 0 && dlogP_->chkDiffraction.value() == 0) {
        msgBox("No rays selected", mb::kOkOnly, "Error");
        codes.runState = kRunStopped;
        return;
    }
    const std::int32_t N = NANG < 2 ? 2 : NANG;
    angleGrid.angleTotal = 2 * N - 1;
    angleGrid.angleStepRad = kHalfPi / static_cast<double>(N - 1);
    for (auto* S : {&S1, &S2})
        for (std::vector<double>& part : *S) part.assign(static_cast<std::size_t>(2 * N), 0.0);

    SeriesEventPump pump;
    pump.pumpNow();
    if (mnuCentralBeam.checked()) {
        SurfaceWaveCentralBeam(x, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
        if (codes.runState == kRunStopped) return;
        for (auto* S : {&S1, &S2})  // the geometric optics may leave its tables of another size
            for (std::vector<double>& part : *S)
                if (part.size() < static_cast<std::size_t>(2 * N))
                    part.resize(static_cast<std::size_t>(2 * N), 0.0);
    }

    SurfaceWaveInput in;
    in.x = x;
    in.m = mRe;
    in.p = LongOf(cboRays.text());  // "Multiple" gives 0
    in.qMin = series.swQmin;
    in.qMax = series.swQmax;
    in.amplitude = Val(txtSWAmp.text());
    in.model = ModelOf(*this);
    in.paths = PathsOf(*this);
    in.phaseCorrection = mnuSWPhase.checked();
    in.N = N;
    in.first = first;
    in.last = last;
    const auto onAngle = [&](double, double) {
        pump.pumpIfDue();
        return codes.runState == kRunStopped;
    };
    const ApproxOutcome out = SurfaceWaveAmplitudes(in, {S1[0], S1[1], S2[0], S2[1]}, onAngle);
    if (out.status == ApproxStatus::Refused) {
        msgBox(out.message, mb::kOkOnly, out.title);
        codes.runState = kRunStopped;
    }
}

}  // namespace tessary
