// The graph of scattered light against the scattering angle at one wavelength for one sphere: the
// curves from S1 and S2 (intensities or moduli, phases, degree of polarisation) over the window of
// angle indices, and their drawing as intensity (one panel, or two with phase or polarisation below),
// watts per square metre at a distance, or phase function. Replot draws from the stored curves
// through the same procedures.
#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/complex.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "media/refrel.h"
#include "runs/results_on_show.h"
#include "runs/run_record.h"
#include "runs/run_rules.h"

namespace tessary {

namespace {

constexpr double kFourPiAsWritten = 12.56637061435916;  // 4 pi as the phase function divides
constexpr const char* kNoPhasesNote = "Phases need S1 and S2, which these results do not hold";

// The intensities (or moduli) of one angle index from S1 and S2.
void IntensityCurves(StoredResults& r, std::size_t j, bool amplitude) {
    const Complex s1{r.s1Amp[0][j], r.s1Amp[1][j]};
    const Complex s2{r.s2Amp[0][j], r.s2Amp[1][j]};
    double perp = ComplexAbs(s1);
    double para = ComplexAbs(s2);
    if (!amplitude) {
        perp *= perp;
        para *= para;
    }
    r.intensityPerp[j] = perp;
    r.intensityPara[j] = para;
    r.intensityUnpol[j] = (perp + para) / 2;  // with amplitudes the mean of the moduli
}

// The lower-panel curves of one angle index from S1 and S2: phases or the degree of polarisation.
void LowerPanelCurves(StoredResults& r, std::size_t j, bool ampPhase, bool intPol) {
    const Complex s1{r.s1Amp[0][j], r.s1Amp[1][j]};
    const Complex s2{r.s2Amp[0][j], r.s2Amp[1][j]};
    if (ampPhase) {
        r.avgPerp[j] = PhaseDegrees(s1.re, s1.im);
        r.avgPara[j] = PhaseDegrees(s2.re, s2.im);
        r.avgUnpol[j] = PhaseDegrees((s1.re + s2.re) / 2, (s1.im + s2.im) / 2);
    }
    if (intPol) {
        const double P = s1.re * s1.re + s1.im * s1.im;
        const double Q = s2.re * s2.re + s2.im * s2.im;
        // No light at all has no polarisation: 0 rather than 0/0.
        r.avgPerp[j] = P + Q == 0 ? 0.0 : (P - Q) / (P + Q);
        r.avgPara[j] = 0;
        r.avgUnpol[j] = 0;
    }
}

// The degree of polarisation of one angle index from the stored intensities (the squares of stored
// moduli), as LowerPanelCurves forms it from S1 and S2.
void PolarisationFromCurves(StoredResults& r, std::size_t j, bool moduli) {
    double P = r.intensityPerp[j];
    double Q = r.intensityPara[j];
    if (moduli) {
        P *= P;
        Q *= Q;
    }
    r.avgPerp[j] = P + Q == 0 ? 0.0 : (P - Q) / (P + Q);
    r.avgPara[j] = 0;
    r.avgUnpol[j] = 0;
}

// In place of the phases of results that hold no S1 and S2: a line at (x, y).
void NoPhasesNote(Form1& f, double x, double y) {
    f.setForeColor(kBlack);
    f.setCurrentX(x);
    f.setCurrentY(y);
    f.print(kNoPhasesNote);
}

// Upper panel of the intensities, lower panel of avgPerp, avgPara, avgUnpol (or, when it cannot be
// formed, the note saying why); the upper panel's y limits remain.
void TwoPanels(Form1& f, bool lowerPanel) {
    if (f.codes.runState != Form1::kRunOverplot) f.cls();
    const float T = f.graph.graphTop;
    const float B = f.graph.graphBottom;
    f.graph.graphBottom = static_cast<float>(T + 0.45 * (B - T));
    f.Display(f.results.intensityPerp, f.results.intensityPara, f.results.intensityUnpol);
    f.graph.drawnYMax = f.graph.yAxisMax;
    f.graph.savedYScaleMax = f.graph.yScaleMax;
    f.graph.graphBottom = B;
    f.graph.graphTop = static_cast<float>(T + 0.55 * (B - T));
    if (lowerPanel) {
        f.graph.phasePanel = 1;
        f.Display(f.results.avgPerp, f.results.avgPara, f.results.avgUnpol);
        f.graph.phasePanel = 0;
    } else {
        NoPhasesNote(f, f.graph.graphLeft, f.graph.graphTop);
    }
    f.graph.graphTop = T;
    f.graph.graphBottom = B;
    f.graph.yAxisMax = f.graph.drawnYMax;
    f.graph.yScaleMax = f.graph.savedYScaleMax;
}

// avg = scale(intensity) for every angle index; false when a value is not a finite number.
template <class Scale>
bool ScaledCurves(StoredResults& r, std::int32_t angleCount, Scale scale) {
    const std::size_t last = 2 * static_cast<std::size_t>(angleCount) - 1;
    bool finite = true;
    for (std::size_t j = 1; j <= last && finite; ++j) {
        r.avgPerp[j] = scale(r.intensityPerp[j]);
        r.avgPara[j] = scale(r.intensityPara[j]);
        r.avgUnpol[j] = scale(r.intensityUnpol[j]);
        finite = std::isfinite(r.avgPerp[j]) && std::isfinite(r.avgPara[j]) && std::isfinite(r.avgUnpol[j]);
    }
    return finite;
}

// The run ends with this message instead of a graph of numbers that do not exist.
bool RefuseGraph(WindowCodes& codes, const std::string& message) {
    msgBox(message, mb::kOkOnly, std::string("Error"));
    codes.runState = Form1::kRunStopped;
    return false;
}

// k squared of the results drawn (k with moduli), in 1/m^2: the run's own while it draws them; on a redraw
// that of the wavelength and medium their record names, whatever the boxes and the graph list left since. With
// perMetre false k is 1, as a run in relative units takes it.
double WaveNumberSqOf(const Form1& f, const RunRecord* run, bool perMetre = true) {
    if (!run) return f.calc.waveNumberSq;
    const double lambda = Val(run->lambdaText);
    const std::optional<Complex> medium = MediumIndexAt(run->indexModels, lambda);
    const double k = perMetre ? MediumWaveNumber(lambda, medium ? medium->re : f.indexState.mediumRe) : 1.0;
    return run->amplitude ? k : k * k;
}

}  // namespace

// Watts per square metre at the distance of measurement for the incident intensity of the dialog; the phase
// function divides by Qsca times the geometric cross-section in units of x, over 4 pi (a size distribution's by
// its samples' mean of Qsca x^2). Qsca and x of the results drawn: the run's own while it draws them; on a redraw
// or an export their record's (an input typed since clears the window's Qsca).
AngleVariantScale AngleVariantScaleOf(Form1& f, const RunRecord* run, int variant, bool asDrawn) {
    AngleVariantScale scale;
    if (variant == kSubWatts) {
        const bool noted = asDrawn && run && run->wattsDrawnWith;
        const double d = noted ? (*run->wattsDrawnWith)[0] : Val(f.dlogIncident_->txtDistance.text());
        const double E = noted ? (*run->wattsDrawnWith)[1] : Val(f.dlogIncident_->txtIncidentPD.text());
        scale.watts = {d, E};
        scale.outOfRange = "The scattered intensity at a distance of " + CStr(d) + " m is out of range";
        if (!(d > 0)) {
            scale.refusal = "The distance of measurement must be greater than 0 m";
            return scale;
        }
        scale.factor = E / (d * d) / WaveNumberSqOf(f, run);
        if (!std::isfinite(scale.factor)) scale.refusal = scale.outOfRange;
    } else if (variant == kSubPhaseFunction) {
        const double qSca = run ? run->qSca : f.results.qSca;
        const double x = run ? run->lastSizeParam : f.calc.sizeParam;
        scale.divisor = run && run->phaseNorm > 0 ? run->phaseNorm : qSca * kPi * x * x / kFourPiAsWritten;
        scale.outOfRange =
            "The phase function needs a scattering efficiency above 0 (Qsca = " + CStr(qSca) + ")";
        if (!(scale.divisor > 0)) scale.refusal = scale.outOfRange;
    }
    return scale;
}

namespace {

// The intensities as the variant draws them: watts per square metre or the phase function.
bool VariantGraph(Form1& f, const RunRecord* run, int variant) {
    const AngleVariantScale scale = AngleVariantScaleOf(f, run, variant);
    if (!scale.refusal.empty()) return RefuseGraph(f.codes, scale.refusal);
    if (variant == kSubPhaseFunction) f.results.scatNorm = scale.divisor;
    if (!ScaledCurves(f.results, f.angleGrid.angleCount, [&scale](double v) { return scale.of(v); }))
        return RefuseGraph(f.codes, scale.outOfRange);
    f.Display(f.results.avgPerp, f.results.avgPara, f.results.avgUnpol);
    if (variant == kSubWatts) f.runRecord.wattsDrawnWith = scale.watts;  // the run's own, or the one on show
    return true;
}

// Column 1 of both colour sums of one wavelength over the window of the grid: |S1|^2 / K and |S2|^2 / K, from S1
// and S2 (amplitudes) or from the stored curves of intensities, or of moduli, which are squared.
void OneWavelengthSums(Form1& f, const AngleGrid& grid, double K, bool amplitudes, bool moduli) {
    const auto squared = [&](const Form1::ComplexTable& S, const std::vector<double>& curve, std::size_t J) {
        if (amplitudes)
            return J < S[0].size() && J < S[1].size() ? S[0][J] * S[0][J] + S[1][J] * S[1][J] : 0.0;
        const double v = J < curve.size() ? curve[J] : 0.0;
        return moduli ? v * v : v;
    };
    const std::size_t size = std::max(2 * static_cast<std::size_t>(grid.angleCount),
                                      static_cast<std::size_t>(std::max(grid.windowLast, 0)) + 1);
    for (ColourSumTable* sums : {&f.colourSums.colourSumPerp, &f.colourSums.colourSumPara})
        for (std::vector<double>& column : *sums)
            if (column.size() < size) column.resize(size, 0.0);
    for (std::int32_t j = std::max(grid.windowFirst, 1); j <= grid.windowLast; ++j) {
        const auto J = static_cast<std::size_t>(j);
        f.colourSums.colourSumPerp[1][J] = squared(f.results.s1Amp, f.results.intensityPerp, J) / K;
        f.colourSums.colourSumPara[1][J] = squared(f.results.s2Amp, f.results.intensityPara, J) / K;
    }
}

}  // namespace

// A step of the runs: the curves of an angle graph; false after a refusal.
bool Form1::AngleGraph() {
    const bool amplitude = mnuAmplitude.checked();
    for (std::int32_t j = angleGrid.windowFirst; j <= angleGrid.windowLast; ++j)
        IntensityCurves(results, static_cast<std::size_t>(j), amplitude);
    AngleLowerCurves();
    RunColours();

    if (codes.graphCode != kGraphAngle) {
        Display(results.intensityPerp, results.intensityPara, results.intensityUnpol);
        return true;
    }
    return DrawAngleGraph();
}

// The colours of the results on show for the strip and the simulation window, as their run formed them: at one
// wavelength column 1 of both sums, |S|^2 / K over the window (a run over several wavelengths summed its
// columns as it computed, a data file holds them), and the run maxima over the shown range, over the sun's disc
// of the light source drawn with. A run forms them with its own K, window and range as it computes; a redraw or
// results read back with those of the record, from S1 and S2 where the results hold them, else from the stored
// intensities (the squares of stored moduli).
void Form1::RunColours() {
    const RunRecord* run = runFlags.runUnderWay ? nullptr : SettledRecord(*this);
    if (run && !ColoursOnShow(*this)) return;  // results that formed no colours
    AngleGrid grid = angleGrid;
    double K = calc.waveNumberSq;
    if (run) {
        grid.windowFirst = run->windowFirst, grid.windowLast = run->windowLast;
        grid.firstPoint = run->firstPoint, grid.lastPoint = run->lastPoint;
        K = WaveNumberSqOf(
            *this, run,
            run->invWavelength || (run->graphCode == kGraphAngle && run->graphSubCode == kSubWatts));
    }
    if (!run || run->waveCount == 1)
        OneWavelengthSums(*this, grid, K, AmplitudesOnShow(), run && run->amplitude);
    colourSums.peakCommon = colourSums.peakPerp = colourSums.peakPara = colourSums.peakUnpol =
        colourSums.colourPeak = colourSums.colourRunMax = 0;
    const std::int32_t kept = sweepState.loopJ;  // the progress of the series reads the shared counter
    for (sweepState.loopJ = grid.firstPoint; sweepState.loopJ <= grid.lastPoint; ++sweepState.loopJ) PlotN();
    sweepState.loopJ = kept;
}

// Angle graphs from the stored curves, shared by the run (AngleGraph) and Replot: the lower-panel curves over
// windowFirst..windowLast from S1 and S2 (phases with mnuAmpPhase, the degree of polarisation with mnuIntPol
// checked). Results that hold no S1 and S2 give the degree of polarisation from their intensities, and no
// phases.
void Form1::AngleLowerCurves() {
    const bool ampPhase = mnuAmpPhase.checked();
    const bool intPol = mnuIntPol.checked();
    if (!ampPhase && !intPol) return;
    const bool amplitudes = AmplitudesOnShow();
    for (std::int32_t j = angleGrid.windowFirst; j <= angleGrid.windowLast; ++j) {
        const auto J = static_cast<std::size_t>(j);
        if (amplitudes)
            LowerPanelCurves(results, J, ampPhase, intPol);
        else if (intPol)
            PolarisationFromCurves(results, J, runRecord.amplitude);
    }
}

// Angle graphs from the stored curves, shared by the run (AngleGraph) and Replot: the graph of code 1 by
// graphSubCode from the intensities (one panel, two panels, phase function or watts per square metre), false
// after a refusal (its message shown, runState 4). Replot passes the record of the results on show, whose
// efficiency, size parameter and wave number scale them; the run its own values.
bool Form1::DrawAngleGraph(const RunRecord* onShow) {
    if (codes.graphSubCode == kSubIntensity) {
        const bool phases = !mnuAmpPhase.checked() || AmplitudesOnShow();
        if ((!mnuAmpPhase.checked() && !mnuIntPol.checked()) || mnuPolarPlot.checked()) {
            Display(results.intensityPerp, results.intensityPara, results.intensityUnpol);
            if (!phases) NoPhasesNote(*this, graph.graphLeft, graph.graphTop);  // the empty diagram's
        } else {
            TwoPanels(*this, phases);
        }
    }
    if (codes.graphSubCode == kSubWatts || codes.graphSubCode == kSubPhaseFunction)
        return VariantGraph(*this, onShow, codes.graphSubCode);
    return true;
}

}  // namespace tessary
