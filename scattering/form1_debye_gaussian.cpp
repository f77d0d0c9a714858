// The Gaussian-beam Debye series as a procedure of the main window: the pure series of
// scattering/debye_gaussian.h for the beam of the beam dialog and the selected ray orders, with the
// window's part around it (captions, progress, the stop, messages, the pair of beams of "Multiple
// beams", and the hand-over of the order "0" at strong absorption to the Gaussian-beam Mie series).
// [1] E. A. Hovenac, J. A. Lock, J. Opt. Soc. Am. A 9, 781 (1992).
//
// The progress display follows the angle points summed, over both beams of a pair. The window's
// events are pumped at most every 30 ms during the beam-shape coefficients and the angle sums. A stop
// during the first beam keeps the points summed so far and skips the second beam; during the second
// beam the first beam's sums stay.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

// The share of the run's angle points summed. The series reports each beam's coefficients, then its
// points; a report of coefficients after points starts the second beam of a pair.
class PairProgress {
  public:
    explicit PairProgress(int beams) : m_beams(beams) {}

    double share(BeamStage stage, int done, int total) {
        if (stage == BeamStage::Coefficients) {
            if (m_inPoints) ++m_beam;
            m_inPoints = false;
            return static_cast<double>(m_beam) / m_beams;
        }
        m_inPoints = true;
        return (m_beam + static_cast<double>(done) / total) / m_beams;
    }

  private:
    int m_beams;
    int m_beam = 0;
    bool m_inPoints = false;
};

// The beam the series computed its shape coefficients for, when it did.
void KeepBeam(Form1& f, const DebyeGaussianResult& r) {
    if (r.beamNMax <= 0) return;
    f.beamState.beamWaveNumber = r.beam.beamWaveNumber;
    f.beamState.beamS = r.beam.beamS;
    f.beamState.beamNMax = r.beamNMax;
    f.beamState.beamMMax = r.beamMMax;
}

// Whatever the refusal of a series, the amplitudes of its run are all zero (a refused NANG keeps the tables
// as they are rather than allocate its size).
void ZeroAmplitudes(std::int32_t NANG, Form1::ComplexTable& S1, Form1::ComplexTable& S2) {
    if (NANG > kDebyeMaxNang) return;
    const auto size = 2 * static_cast<std::size_t>(NANG);
    for (Form1::ComplexTable* S : {&S1, &S2})
        for (std::vector<double>& part : *S) part.assign(size, 0.0);
}

}  // namespace

// Gaussian-beam Debye series (scattering/debye_gaussian.h) of the selected ray orders, called by the run
// driver instead of DebyeSeries while mnuGaussian is checked: one beam, or the pair of mnuMultBeams; the
// single order "0" at strong absorption goes to MIE_Gaussian (through BHMIE). mnuCentralBeam adds the rays of
// GO (calcMethod 6 for the call) after the last beam, also after a stop. The label and title name the beam
// and these options. Same twelve arguments as MIE_Gaussian; the efficiencies are left untouched.
void Form1::Debye_Gaussian(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                           ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                           std::int32_t& first, std::int32_t& last) {
    // The caption with "(Gaussian beam)" and the title bar; an empty "Multiple" selection is reported
    // here, once, and ends the call.
    DebyeLabel();
    if (codes.runState == kRunStopped) return;
    const std::string beamLabel = lblDebyeRays.caption();
    const std::string beamCaption = series.captionText;
    if (NANG < 2) NANG = 2;
    const std::string listText = cboRays.text();
    if (!RaysCheck()) {  // the selection as the series loops over it (rayPMax N for a range)
        codes.runState = kRunStopped;
        return;
    }
    // The label names the beam as the title does, and the beam options and the recursion of j_n(m x) (on the
    // complex path) the series uses.
    lblDebyeRays.setCaption(beamLabel);
    series.captionText = beamCaption;
    const bool recursion = mnuDebyeRecursion.checked() && (mIm != 0.0 || mRe < 1.0);
    RunRecord named;
    named.calcMethod = kMethodDebye;
    named.illumination = RunIllumination::GaussianBeam;
    named.multipleBeams = mnuMultBeams.checked();
    named.centralBeam = mnuCentralBeam.checked();
    named.debyeRecursion = beamUse.debyeRecursion || recursion;
    ShowRunOptions(RunOptionsOf(named));
    beamUse.illumination = RunIllumination::GaussianBeam;
    const RaySelection rays{std::vector<std::int16_t>(series.rayflag.begin(), series.rayflag.end()),
                            series.rayCount, series.rayPMax};

    const bool convergence = codes.graphCode == kGraphConvergence;
    DebyeGaussianInput in;
    in.x = x;
    in.m = {mRe, mIm};
    in.NANG = NANG;
    in.first = first;
    in.last = last;
    // The beam's wave number is the medium's, as the size parameter's: w0 and the focus offsets are then
    // measured in the same wavelengths as the radius.
    in.wavelength = indexState.mediumRe > 0 ? calc.wavelength / indexState.mediumRe : calc.wavelength;
    in.beam = ReadBeamDialog();
    beamUse.beam = in.beam;
    in.graph = convergence ? DebyeGraph::Convergence : DebyeGraph::Normal;
    in.rayListText = listText;
    in.mnuDebyeRecursion = mnuDebyeRecursion.checked();
    in.mnuMultBeams = mnuMultBeams.checked();
    in.mnuCentralBeam = mnuCentralBeam.checked();

    if (codes.graphCode < kFirstSweepGraph || codes.graphCode == kGraphLee) {  // an empty progress bar
        ClearProgressStrip();
        runProgress.progressShown = 0;
        runProgress.progressPercent = 0;
    }
    sweepState.loopK = WholeNumberOf(Label15.caption());
    runProgress.outerCount = WholeNumberOf(Label14.caption());
    dist.sampleCount = WholeNumberOf(cboN.text());
    runProgress.stepsTotal = (static_cast<double>(last) - first + 1) * series.rayCount;
    runProgress.stepsDone = 0;
    sweepState.loopJ = angleGrid.firstPoint;

    SeriesEventPump pump;
    pump.pumpNow();
    PairProgress pairs(in.mnuMultBeams ? 2 : 1);
    const auto onProgress = [&](BeamStage stage, int done, int total) {
        const double share = pairs.share(stage, done, total);
        if (stage == BeamStage::Angles) BeamPointProgress(share);
        pump.pumpIfDue();
        return codes.runState == kRunStopped;
    };
    DebyeGaussianResult& r = debyeGaussianWork;
    DebyeGaussianSeries(in, rays, r, onProgress);

    if (r.status == DebyeStatus::HandOverToMie) {
        // The single order 0 of a strongly absorbing sphere: the full Mie series for the same beam, one beam
        // with no central beam, since BHMIE hands it on while "Gaussian beam" is checked. It computes this
        // order: the label and title stay the order's, with the options the run used.
        codes.calcMethod = kMethodMie;
        BHMIE(x, mRe, mIm, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
        codes.calcMethod = kMethodDebye;
        named.multipleBeams = beamUse.multipleBeams;
        named.centralBeam = beamUse.centralBeam;
        named.debyeRecursion = beamUse.debyeRecursion;
        ShowOrderCaptions(beamLabel, beamCaption, named);
        return;
    }
    if (recursion) beamUse.debyeRecursion = true;
    beamUse.multipleBeams = beamUse.multipleBeams || in.mnuMultBeams;  // the beams the series took
    beamUse.centralBeam = beamUse.centralBeam || in.mnuCentralBeam;
    KeepBeam(*this, r);
    if (r.status == DebyeStatus::Refused) {
        ZeroAmplitudes(NANG, S1, S2);
        msgBox(r.message, mb::kOkOnly, r.title);
        codes.runState = kRunStopped;
        return;
    }
    runProgress.termCount = r.termCount;
    CopyAmplitudes(r.S1re, r.S1im, S1);
    CopyAmplitudes(r.S2re, r.S2im, S2);
    if (convergence) {
        txtXmax.setText(CStr(runProgress.termCount));
        CopyConvergence(results, r.intensityPerp, r.intensityPara, r.intensityUnpol, r.intensityPerp.size());
    }
    if (in.mnuCentralBeam) {
        // The central beam's rays by the Descartes rule, added to the beams' amplitudes after the last
        // pass (also after a stop); the caption and label of the series stay.
        const std::string title = caption();
        const std::string label = lblDebyeRays.caption();
        const std::string text = series.captionText;
        codes.calcMethod = kMethodDescartes;
        GO(x, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
        codes.calcMethod = kMethodDebye;
        setCaption(title);
        lblDebyeRays.setCaption(label);
        series.captionText = text;
    }
}

}  // namespace tessary
