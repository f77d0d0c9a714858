// The Gaussian-beam Mie series as a procedure of the main window: the pure series of
// scattering/mie_gaussian.h for the beam of the beam dialog, with the window's part around it.
// [1] G. Gouesbet, G. Grehan, Generalized Lorenz-Mie Theories (Springer, 2011).
//
// The progress display follows the angle points summed. The window's events are pumped at most every
// 30 ms during the beam-shape coefficients and the angle sums, so that Stop can be pressed: a stop
// during the coefficients leaves S1 and S2 all zero, during the angle sums the points summed so far.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "scattering/form1_series_common.h"

namespace tessary {

// Gaussian-beam Mie series (scattering/mie_gaussian.h) for the beam of the beam dialog, reached through BHMIE
// while mnuGaussian is checked: label and title, progress per angle point, the stop, refusal messages
// (runState 4), the convergence value. Writes S1, S2 and NANG (raised to 2) only; Qext, Qsca, Qback and g are
// left as the caller holds them.
void Form1::MIE_Gaussian(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                         ComplexTable& S2, double& /*Qext*/, double& /*Qsca*/, double& /*Qback*/,
                         double& /*g*/, std::int32_t& first, std::int32_t& last) {
    lblDebyeRays.setCaption("Mie (Gaussian beam)");
    if (codes.runState == kRunStopped) return;
    if (cboType.text() == "Mie")
        setCaption("Mie scattering (Gaussian beam):  " + indexState.sphereName + " in " +
                   indexState.mediumName);
    if (NANG < 2) NANG = 2;

    const bool convergence = codes.graphCode == kGraphConvergence;
    MieGaussianInput in;
    in.x = x;
    in.m = {mRe, mIm};
    in.NANG = NANG;
    in.first = first;
    in.last = last;
    // The beam's wave number is the medium's, as the size parameter's: w0 and the focus offsets are then
    // measured in the same wavelengths as the radius.
    in.wavelength = indexState.mediumRe > 0 ? calc.wavelength / indexState.mediumRe : calc.wavelength;
    in.beam = ReadBeamDialog();
    beamUse.illumination = RunIllumination::GaussianBeam;
    beamUse.beam = in.beam;
    in.graph = convergence ? MieGraph::Convergence : MieGraph::Normal;
    in.angleIndex = angleGrid.angleIndex;

    SeriesEventPump pump;
    pump.pumpNow();
    ClearProgressStrip();
    runProgress.progressShown = 0;
    sweepState.loopK = WholeNumberOf(Label15.caption());
    runProgress.outerCount = WholeNumberOf(Label14.caption());
    dist.sampleCount = WholeNumberOf(cboN.text());
    sweepState.loopJ = angleGrid.firstPoint;

    const auto onProgress = [&](BeamStage stage, int done, int total) {
        if (stage == BeamStage::Angles) BeamPointProgress(static_cast<double>(done) / total);
        pump.pumpIfDue();
        return codes.runState == kRunStopped;
    };
    MieGaussianResult& r = mieGaussianWork;
    MieGaussianSeries(in, r, onProgress);

    if (r.beamNMax > 0) {
        beamState.beamWaveNumber = r.beam.beamWaveNumber;
        beamState.beamS = r.beam.beamS;
        beamState.beamNMax = r.beamNMax;
        beamState.beamMMax = r.beamMMax;
    }
    CopyAmplitudes(r.S1re, r.S1im, S1);  // empty only when NANG itself was refused
    CopyAmplitudes(r.S2re, r.S2im, S2);
    if (convergence && r.convergenceOrder > 0) {  // one value, at position N + 1
        const auto at = static_cast<std::size_t>(r.convergenceOrder);
        for (auto* curve : {&results.intensityPerp, &results.intensityPara, &results.intensityUnpol})
            if (curve->size() <= at) curve->resize(at + 1, 0.0);
        results.intensityPerp[at] = r.intensityPerp;
        results.intensityPara[at] = r.intensityPara;
        results.intensityUnpol[at] = r.intensityUnpol;
    }
    if (r.status == MieStatus::Refused) {
        msgBox(r.message, mb::kOkOnly, r.title);
        codes.runState = kRunStopped;
    }
}

}  // namespace tessary
