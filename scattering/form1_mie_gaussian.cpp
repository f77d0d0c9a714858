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

void Form1::MIE_Gaussian(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                         ComplexTable& S2, double& /*Qext*/, double& /*Qsca*/, double& /*Qback*/,
                         double& /*g*/, std::int32_t& first, std::int32_t& last) {
    lblDebyeRays.setCaption("Mie (Gaussian beam)");
    if (runState == kRunStopped) return;
    if (cboType.text() == "Mie")
        setCaption("Mie scattering (Gaussian beam):  " + sphereName + " in " + mediumName);
    if (NANG < 2) NANG = 2;

    const bool convergence = graphCode == kGraphConvergence;
    MieGaussianInput in;
    in.x = x;
    in.m = {mRe, mIm};
    in.NANG = NANG;
    in.first = first;
    in.last = last;
    // The beam's wave number is the medium's, as the size parameter's: w0 and the focus offsets are then
    // measured in the same wavelengths as the radius.
    in.wavelength = mediumRe > 0 ? wavelength / mediumRe : wavelength;
    in.beam = ReadBeamDialog();
    in.graph = convergence ? MieGraph::Convergence : MieGraph::Normal;
    in.angleIndex = angleIndex;

    SeriesEventPump pump;
    pump.pumpNow();
    ClearProgressStrip();
    progressShown = 0;
    loopK = WholeNumberOf(Label15.caption());
    outerCount = WholeNumberOf(Label14.caption());
    sampleCount = WholeNumberOf(cboN.text());
    loopJ = firstPoint;

    const auto onProgress = [&](BeamStage stage, int done, int total) {
        if (stage == BeamStage::Angles) BeamPointProgress(static_cast<double>(done) / total);
        pump.pumpIfDue();
        return runState == kRunStopped;
    };
    MieGaussianResult& r = mieGaussianWork;
    MieGaussianSeries(in, r, onProgress);

    if (r.beamNMax > 0) {
        beamWaveNumber = r.beam.beamWaveNumber;
        beamS = r.beam.beamS;
        beamNMax = r.beamNMax;
        beamMMax = r.beamMMax;
    }
    CopyAmplitudes(r.S1re, r.S1im, S1);  // empty only when NANG itself was refused
    CopyAmplitudes(r.S2re, r.S2im, S2);
    if (convergence && r.convergenceOrder > 0) {  // one value, at position N + 1
        const auto at = static_cast<std::size_t>(r.convergenceOrder);
        for (auto* curve : {&intensityPerp, &intensityPara, &intensityUnpol})
            if (curve->size() <= at) curve->resize(at + 1, 0.0);
        intensityPerp[at] = r.intensityPerp;
        intensityPara[at] = r.intensityPara;
        intensityUnpol[at] = r.intensityUnpol;
    }
    if (r.status == MieStatus::Refused) {
        msgBox(r.message, mb::kOkOnly, r.title);
        runState = kRunStopped;
    }
}

}  // namespace tessary
