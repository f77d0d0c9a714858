// Averaging over a size distribution at one wavelength: the method is called once per sample radius
// (media/size_distribution.h), |S1|^2 and |S2|^2 are summed with the sample weights and normalised;
// an angle graph is then drawn as intensity, phase function or watts per square metre, a sweep keeps
// the step's averages.
//
// Beyond the program's historical averaging: each sample's size parameter carries the medium's index
// like every single-size path; the methods that take the radius get the sample's (the nominal radius
// is restored afterwards); a sweep's averages are divided by the step's unit factor like its single
// sizes, so a distribution of zero width gives the single-size curve; the phase function divides by
// the sample mean of Qsca x^2, not by the last sample's; the averages stay in the intensity arrays,
// which Replot and the text export read.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/size_distribution.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "numerics/worker_pool.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

constexpr double kFourPiAsWritten = 12.56637061435916;

bool RefuseAverage(WindowCodes& codes, const std::string& message) {
    msgBox(message, mb::kOkOnly, std::string("Error"));
    codes.runState = Form1::kRunStopped;
    return false;
}

// The averages into the curves: moduli as square roots of the averaged intensities with amplitudes,
// the unpolarised curve the mean of the two.
void AverageInto(StoredResults& r, std::size_t j, double perp, double para, bool amplitude) {
    if (amplitude) {
        perp = std::sqrt(perp);
        para = std::sqrt(para);
    }
    r.intensityPerp[j] = perp;
    r.intensityPara[j] = para;
    r.intensityUnpol[j] = (perp + para) / 2;
}

// Draws an averaged angle graph by graphSubCode; false after a refusal. The phase function divides by the
// samples' mean of Qsca x^2 (times pi over 4 pi), which the run's record keeps for its redraws and export.
bool DrawAveragedAngleGraph(Form1& f, double meanQx2) {
    const std::size_t last = 2 * static_cast<std::size_t>(f.angleGrid.angleCount) - 1;
    f.results.scatNorm = meanQx2 * kPi / kFourPiAsWritten;
    double factor = 1.0, divisor = 1.0;
    if (f.codes.graphSubCode == kSubWatts) {
        const double d = Val(f.dlogIncident_->txtDistance.text());
        const double E = Val(f.dlogIncident_->txtIncidentPD.text());
        if (!(d > 0)) return RefuseAverage(f.codes, "The distance of measurement must be greater than 0 m");
        factor = E / (d * d) / f.calc.waveNumberSq;
        f.runRecord.wattsDrawnWith = std::array<double, 2>{d, E};
    } else if (f.codes.graphSubCode == kSubPhaseFunction) {
        divisor = f.results.scatNorm;
        if (!(divisor > 0))
            return RefuseAverage(f.codes,
                                 "The phase function needs a scattering efficiency above 0 (Qsca = 0)");
    } else {
        // Samples far beyond the sizes the method holds (a Log-normal width of 1E+30 %) can sum past the number
        // range: a curve of such sums would draw nothing.
        const StoredResults& r = f.results;
        for (std::size_t j = 1; j <= last && j < r.intensityUnpol.size(); ++j)
            if (!std::isfinite(r.intensityPerp[j]) || !std::isfinite(r.intensityPara[j]) ||
                !std::isfinite(r.intensityUnpol[j]))
                return RefuseAverage(f.codes, "The averaged intensity is out of range");
        f.Display(f.results.intensityPerp, f.results.intensityPara, f.results.intensityUnpol);
        return true;
    }
    for (std::size_t j = 1; j <= last && j < f.results.avgPerp.size(); ++j) {
        f.results.avgPerp[j] = f.results.intensityPerp[j] * factor / divisor;
        f.results.avgPara[j] = f.results.intensityPara[j] * factor / divisor;
        f.results.avgUnpol[j] = f.results.intensityUnpol[j] * factor / divisor;
        if (!std::isfinite(f.results.avgPerp[j]) || !std::isfinite(f.results.avgPara[j]))
            return RefuseAverage(f.codes, "The averaged intensity is out of range");
    }
    f.Display(f.results.avgPerp, f.results.avgPara, f.results.avgUnpol);
    return true;
}

// The plane-wave Mie series of every sample computed ahead on the worker pool, two per thread in a
// batch (each runs whole on one thread, so its numbers are those of the sample's own call).
std::unique_ptr<MieAheadPlan> PlanSamplesAhead(Form1& f, const SizeSamples& samples, std::int32_t first,
                                               std::int32_t last) {
    const int threads = SharedPool().Threads();
    if (threads < 2 || samples.radius.size() < 2 || f.codes.calcMethod != kMethodMie ||
        f.mnuGaussian.checked())
        return nullptr;
    std::vector<MieInput> inputs;
    for (const double r : samples.radius) {
        MieInput in;
        in.x = 2 * r * kPi / f.calc.wavelength *
               f.indexState.mediumRe;  // as the sample forms its size parameter
        in.m = {f.calc.calcIndexRe, f.calc.calcIndexIm};
        in.NANG = std::max(f.angleGrid.angleCount, 2);
        in.first = first;
        in.last = last;
        in.angleIndex = f.angleGrid.angleIndex;
        in.mnuSize = f.mnuSize.checked();
        inputs.push_back(in);
    }
    if (!WorthComputingAhead(inputs)) return nullptr;
    return std::make_unique<MieAheadPlan>(f.mieAhead, std::move(inputs), 2 * threads);
}

}  // namespace

// Averages |S1|^2 and |S2|^2 over the samples of the distribution at one wavelength: over the angle window
// for angle graphs (and draws them), at angleIndex into step sweepIndex of a sweep. Each sample's radius goes
// to the method; radius is restored afterwards. False when stopped.
bool Form1::DispCalc() {
    const bool angleGraph = codes.graphCode == kGraphAngle;
    const std::size_t points = 2 * static_cast<std::size_t>(angleGrid.angleCount) - 1;
    if (angleGraph)
        for (auto* curve : {&results.intensityPerp, &results.intensityPara, &results.intensityUnpol,
                            &results.avgPerp, &results.avgPara, &results.avgUnpol})
            for (std::size_t j = 1; j <= points && j < curve->size(); ++j) (*curve)[j] = 0.0;

    const DistributionKind kind = DistributionKindOf(cboDistrib.text());
    if (kind != DistributionKind::Special) Disperse();
    const SizeSamples samples = DistributionSamples(kind, calc.radius, dist.relStdDev, dist.distAbscissa,
                                                    dist.sampleCount, dist.sizeHistogram);
    if (samples.radius.empty()) return RefuseAverage(codes, "The size distribution has no samples");
    const auto count = static_cast<int>(samples.radius.size());
    if (kind == DistributionKind::Special) dist.sampleCount = count;

    lblRadiusDisp.setVisible(true);
    const double nominalRadius = calc.radius;
    const std::int32_t first = angleGraph ? angleGrid.windowFirst : angleGrid.angleIndex;
    const std::int32_t last = angleGraph ? angleGrid.windowLast : angleGrid.angleIndex;
    const auto step = static_cast<std::size_t>(sweepState.sweepIndex);
    double sumPerp = 0.0, sumPara = 0.0, sumQx2 = 0.0;
    const std::unique_ptr<MieAheadPlan> ahead = PlanSamplesAhead(*this, samples, first, last);
    SeriesEventPump pump;  // an angle graph's samples: events at the first, then at most every 30 ms
    for (int k = 1; k <= count; ++k) {
        sweepState.loopK = k;
        if (ahead) ahead->Reach(k - 1);
        if (angleGraph) {
            if (k == 1)
                pump.pumpNow();
            else
                pump.pumpIfDue();
        }
        if (codes.runState == kRunStopped) break;
        Label15.setCaption(CStr(k));
        const double r = samples.radius[static_cast<std::size_t>(k - 1)];
        const double w = samples.weight[static_cast<std::size_t>(k - 1)];
        calc.radius = r;
        calc.sizeParam = 2 * r * kPi / calc.wavelength * indexState.mediumRe;
        lblRadiusDisp.setCaption("Radius = " + CStr(RoundTo(r, 4)));
        std::int32_t from = first, to = last;
        DispatchSweepMethod(from, to);
        if (codes.runState == kRunStopped) break;
        sumQx2 += w * results.qSca * calc.sizeParam * calc.sizeParam;
        for (std::int32_t J = first; J <= last; ++J) {
            const auto j = static_cast<std::size_t>(J);
            if (j >= results.s1Amp[0].size() || j >= results.s2Amp[0].size()) break;
            const double p =
                results.s1Amp[0][j] * results.s1Amp[0][j] + results.s1Amp[1][j] * results.s1Amp[1][j];
            const double q =
                results.s2Amp[0][j] * results.s2Amp[0][j] + results.s2Amp[1][j] * results.s2Amp[1][j];
            if (angleGraph) {
                results.avgPerp[j] += w * p;
                results.avgPara[j] += w * q;
            } else {
                sumPerp += w * p;
                sumPara += w * q;
            }
        }
    }
    calc.radius = nominalRadius;
    lblRadiusDisp.setCaption("Radius = " + CStr(RoundTo(nominalRadius, 4)));  // the run's, not a sample's
    if (kind == DistributionKind::Special) dist.sampleCount = count;          // the series routines read cboN
    if (codes.runState == kRunStopped) return false;

    const double divisor = samples.divideByCount ? count : 1.0;
    const bool amplitude = mnuAmplitude.checked();
    bool drawn = true;
    if (angleGraph) {
        for (std::int32_t J = first; J <= last; ++J) {
            const auto j = static_cast<std::size_t>(J);
            AverageInto(results, j, results.avgPerp[j] / divisor, results.avgPara[j] / divisor, amplitude);
        }
        drawn = DrawAveragedAngleGraph(*this, sumQx2 / divisor);
    } else if (!std::isfinite(sumPerp / divisor) || !std::isfinite(sumPara / divisor)) {
        drawn = RefuseAverage(codes, "The averaged intensity is out of range");  // a point of no number
    } else {
        AverageInto(results, step, sumPerp / divisor, sumPara / divisor, amplitude);
        for (auto* curve : {&results.intensityPerp, &results.intensityPara, &results.intensityUnpol})
            (*curve)[step] /= calc.waveNumberSq;
        results.avgPerp[step] = results.intensityPerp[step];
        results.avgPara[step] = results.intensityPara[step];
        results.avgUnpol[step] = results.intensityUnpol[step];
    }
    lblRadiusDisp.setVisible(false);
    return drawn;
}

}  // namespace tessary
