// Runs over several wavelengths for one sphere size: the wavelength loop that computes each
// wavelength of the set and adds it into the colour sums per angle point and polarisation, and the
// finish that forms the totals, the run maxima and the y limits and draws the coloured result. A
// Lee diagram's step (graph code 20) takes the same loop, with one wavelength as well.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "colour/colour_render.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/method_codes.h"
#include "runs/run_rules.h"

namespace tessary {

namespace {

constexpr std::int32_t kFixedPoints = 18001;  // the sums and curves hold at least 0..18001
constexpr std::int32_t kFixedAngles = 9001;   // the angle tables at least 0..9001
constexpr const char* kOneWavelengthOnly =
    "This calculation method is available only for graphs against scattering angle at one wavelength and one "
    "size";

bool Automatic(const ComboBox& list) { return list.text() == "Automatic"; }

// Every per-angle array over the whole grid (never below the fixed sizes), curves and amplitudes
// cleared; the colour sums grow to the grid and keep what they hold.
void SizeForGrid(StoredResults& r, ColourSums& sums, std::int32_t angleCount) {
    const std::int32_t points = 2 * angleCount - 1;
    const auto size = static_cast<std::size_t>(std::max(points, kFixedPoints)) + 1;
    for (auto* curve : {&r.spareCurve, &r.intensityPerp, &r.intensityPara, &r.intensityUnpol, &r.avgPerp,
                        &r.avgPara, &r.avgUnpol})
        curve->assign(size, 0.0);
    for (Form1::ComplexTable* amplitude : {&r.s1Amp, &r.s2Amp})
        for (std::vector<double>& part : *amplitude) part.assign(size, 0.0);
    const auto angles = static_cast<std::size_t>(std::max(angleCount, kFixedAngles)) + 1;
    for (auto* table : {&r.muTable, &r.piTable, &r.pi0Table, &r.piPrev, &r.tauTable})
        table->assign(angles, 0.0);
    for (ColourSumTable* table : {&sums.colourSumPerp, &sums.colourSumPara, &sums.colourSumUnpol})
        for (std::vector<double>& column : *table)
            if (column.size() < size) column.resize(size, 0.0);
}

// The unit factor k (1/m in the medium, or 1) and the divisor of intensities at the current wavelength.
void UnitFactors(CalcInputs& calc, double mediumRe, bool perMetre, bool amplitude) {
    calc.waveNumber = perMetre ? MediumWaveNumber(calc.wavelength, mediumRe) : 1.0;
    calc.waveNumberSq = amplitude ? calc.waveNumber : calc.waveNumber * calc.waveNumber;
}

}  // namespace

// The method call of the several-wavelength path (code 2 always the plane-wave Debye series).
void Form1::DispatchSeveralWavelengths() {
    if (codes.calcMethod == kMethodDebye) {  // the plane-wave series also under the Gaussian-beam menu
        DebyeSeries(calc.sizeParam, calc.calcIndexRe, calc.calcIndexIm, angleGrid.angleCount, results.s1Amp,
                    results.s2Amp, results.qExt, results.qSca, results.qBack, results.asymmetryG,
                    angleGrid.windowFirst, angleGrid.windowLast);
        return;
    }
    if (codes.calcMethod == kMethodAperture ||
        codes.calcMethod == kMethodVanDeHulst) {  // no routine on this path: never sum stale amplitudes
        cboType.setBackColor(kRed);
        msgBox(kOneWavelengthOnly, mb::kOkOnly, std::string("Error"));
        codes.runState = kRunStopped;
        return;
    }
    DispatchMethod(angleGrid.windowFirst, angleGrid.windowLast);
}

// The single-size loop over the wavelengths with its colour sums and its finish (SeveralWavelengthsFinish);
// false after a stop or a refusal.
bool Form1::SeveralWavelengths() {
    if (cboWave.text() != "RGB") chkComponents.setValue(0);
    if (calc.waveCount <= kMaxComponentWaves) chkComponents.setValue(1);
    if (codes.graphCode >= kGraphMapIndex && codes.graphCode <= kGraphMapWavelength) return MapSteps();
    // A Lee row is one size (PlotLee averages the rows); the maps returned above.
    if (optDisp.value() && codes.graphCode < kGraphLee) return SeveralWavelengthsDisperse();

    WaveCountFromRadius();
    if (!RunWaveSet()) return false;
    SizeForGrid(results, colourSums, angleGrid.angleCount);
    SunCorrection();
    const std::int32_t points = 2 * angleGrid.angleCount - 1;
    for (ColourSumTable* sums : {&colourSums.colourSumPerp, &colourSums.colourSumPara})
        for (std::size_t c = 1; c <= 3; ++c)
            std::fill_n((*sums)[c].begin(), static_cast<std::size_t>(points) + 1, 0.0);
    runProgress.stepsDone = 0;

    const bool rgb = cboWave.text() == "RGB";
    for (sweepState.loopI = 1; sweepState.loopI <= calc.waveCount; ++sweepState.loopI) {
        if (codes.runState == kRunStopped) break;
        const auto i = static_cast<std::size_t>(sweepState.loopI);
        Label14.setCaption(CStr(sweepState.loopI));
        // m at this wavelength first: the medium's index enters the size parameter.
        if (calc.waveCount == 1) {
            // m as the index boxes show it (a typed index too), as the angle graph takes it.
            calc.wavelength = Val(txtLambda.text());
            calc.calcIndexRe = Val(txtRefractReal.text());
            calc.calcIndexIm = Val(txtRefractImag.text());
        } else {
            calc.wavelength = waveSet.waveList[i];
            const std::optional<double> m = refrel(calc.wavelength);
            if (!m) break;
            calc.calcIndexRe = *m;
            calc.calcIndexIm = indexState.relIndexIm;
            setForeColor(kButtonFace);
            boxFilled(9200, 1150, 12000, 1350);
            setForeColor(kBlack);
            setCurrentX(9200);
            setCurrentY(1150);
            print("Wavelength #" + CStr(sweepState.loopI) + " = " + CStr(RoundTo(calc.wavelength, 6)));
        }
        calc.sizeParam = kTwoPi * calc.radius / calc.wavelength * indexState.mediumRe;
        if (codes.graphCode == kGraphLee && sweepState.loopStep == 0)
            leeWaves.push_back({calc.wavelength, indexState.mediumRe, calc.calcIndexRe, calc.calcIndexIm});
        UnitFactors(calc, indexState.mediumRe, mnuInvWavelength.checked(), mnuAmplitude.checked());
        doEvents();
        if (codes.runState == kRunStopped) break;
        DispatchSeveralWavelengths();
        if (codes.runState == kRunStopped) break;

        ColourSumTerm term;
        term.few = FewWavelengths(rgb, calc.waveCount);
        term.column = sweepState.loopI;
        if (calc.waveCount == 1) waveSet.weightPerWave[1] = 1.0f;
        term.weight = waveSet.weightPerWave[i];
        term.K = calc.waveNumberSq;
        term.red = waveSet.redPerWave[i];
        term.green = waveSet.greenPerWave[i];
        term.blue = waveSet.bluePerWave[i];
        AddColourSums(term, results.s1Amp[0], results.s1Amp[1], results.s2Amp[0], results.s2Amp[1],
                      angleGrid.windowFirst, angleGrid.windowLast, colourSums.colourSumPerp,
                      colourSums.colourSumPara, results.intensityPerp, results.intensityPara);
    }
    if (codes.runState == kRunStopped) return false;
    SeveralWavelengthsFinish();
    return true;
}

void Form1::SeveralWavelengthsFinish() {
    const std::int32_t points = 2 * angleGrid.angleCount - 1;
    for (ColourSumTable* sums : {&colourSums.colourSumPerp, &colourSums.colourSumPara})
        std::fill_n((*sums)[0].begin(), static_cast<std::size_t>(points) + 1, 0.0);
    colourSums.overplotPow1 = colourSums.overplotPow2 = 1e20;
    colourSums.colourPeak = colourSums.peakRun = colourSums.peakCommon = colourSums.peakPerp =
        colourSums.peakPara = colourSums.peakUnpol = colourSums.peakLee = 0;
    colourSums.colourRunMax = 0;
    const double step = Val(cboStep.text());
    angleGrid.firstPoint = CLng(Val(txtXmin.text()) / step + 1).value;
    angleGrid.lastPoint = CLng(Val(txtXmax.text()) / step + 1).value;

    const bool few = FewWavelengths(cboWave.text() == "RGB", calc.waveCount);
    const int columns = few ? std::clamp(calc.waveCount, 1, kMaxComponentWaves) : 3;
    const bool autoMin = Automatic(cboYmin);
    const bool autoMax = Automatic(cboYmax);
    std::vector<double>& perp0 = colourSums.colourSumPerp[0];
    std::vector<double>& para0 = colourSums.colourSumPara[0];
    for (std::int32_t J = angleGrid.windowFirst; J <= angleGrid.windowLast; ++J) {
        const auto j = static_cast<std::size_t>(J);
        for (int c = 1; c <= columns; ++c) {
            const auto k = static_cast<std::size_t>(c);
            perp0[j] += colourSums.colourSumPerp[k][j];
            para0[j] += colourSums.colourSumPara[k][j];
            if (few && autoMin) {
                colourSums.overplotPow1 = std::min(colourSums.overplotPow1, colourSums.colourSumPerp[k][j]);
                colourSums.overplotPow2 = std::min(colourSums.overplotPow2, colourSums.colourSumPara[k][j]);
            }
        }
        if (!few && autoMin) {
            colourSums.overplotPow1 = std::min(colourSums.overplotPow1, perp0[j]);
            colourSums.overplotPow2 = std::min(colourSums.overplotPow2, para0[j]);
        }
        if (J >= angleGrid.firstPoint && J <= angleGrid.lastPoint) {
            sweepState.loopJ = J;
            PlotN();
            if (autoMax) {
                colourSums.colourPeak = std::max(colourSums.colourPeak, perp0[j]);
                colourSums.peakRun = std::max(colourSums.peakRun, para0[j]);
            }
        }
    }

    if (autoMax) {
        txtY2max.setText(CStr(std::max(colourSums.colourPeak, colourSums.peakRun)));
        graph.yScaleMax = Val(txtY2max.text());
        GridYmax(graph.yScaleMax, graph.yAxisMax);
    } else if (!mnuOverplot.checked()) {
        graph.yAxisMax = Val(cboYmax.text());
    }
    if (autoMin) {
        graph.yScaleMin = std::min(colourSums.overplotPow1, colourSums.overplotPow2);
        txtY1min.setText(CStr(graph.yScaleMin));
        GridYmin(graph.yScaleMin, graph.yAxisMin);
    } else if (!mnuOverplot.checked()) {
        graph.yAxisMin = Val(cboYmin.text());
    }

    if (codes.graphCode == kGraphLee) {
        PlotBow(colourSums.colourSumPerp, colourSums.colourSumPara, CStr(colourSums.peakCommon));
        return;
    }
    if (codes.runState != kRunOverplot) {
        cls();
        Grid(graph.graphLeft, graph.graphRight, graph.graphTop, graph.graphBottom, graph.xMin, graph.xMax,
             graph.yAxisMin, graph.yAxisMax);
    }
    PlotNColour();
}

}  // namespace tessary
