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
void SizeForGrid(Form1& f) {
    const std::int32_t points = 2 * f.angleCount - 1;
    const auto size = static_cast<std::size_t>(std::max(points, kFixedPoints)) + 1;
    for (auto* curve : {&f.spareCurve, &f.intensityPerp, &f.intensityPara, &f.intensityUnpol, &f.avgPerp,
                        &f.avgPara, &f.avgUnpol})
        curve->assign(size, 0.0);
    for (Form1::ComplexTable* amplitude : {&f.s1Amp, &f.s2Amp})
        for (std::vector<double>& part : *amplitude) part.assign(size, 0.0);
    const auto angles = static_cast<std::size_t>(std::max(f.angleCount, kFixedAngles)) + 1;
    for (auto* table : {&f.muTable, &f.piTable, &f.pi0Table, &f.piPrev, &f.tauTable}) table->assign(angles, 0.0);
    for (ColourSumTable* sums : {&f.colourSumPerp, &f.colourSumPara, &f.colourSumUnpol})
        for (std::vector<double>& column : *sums)
            if (column.size() < size) column.resize(size, 0.0);
}

// The unit factor k (1/m, or 1) and the divisor of intensities at the current wavelength.
void UnitFactors(Form1& f) {
    f.waveNumber = f.mnuInvWavelength.checked() ? kTwoPi / (f.wavelength * 1e-6) : 1.0;
    f.waveNumberSq = f.mnuAmplitude.checked() ? f.waveNumber : f.waveNumber * f.waveNumber;
}

}  // namespace

void Form1::DispatchSeveralWavelengths() {
    if (calcMethod == kMethodDebye) {  // the plane-wave series also under the Gaussian-beam menu
        DebyeSeries(sizeParam, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca, qBack, asymmetryG,
                    windowFirst, windowLast);
        return;
    }
    if (calcMethod == kMethodAperture || calcMethod == kMethodVanDeHulst) {  // no routine on this path: never sum stale amplitudes
        cboType.setBackColor(kRed);
        msgBox(kOneWavelengthOnly, mb::kOkOnly, std::string("Error"));
        runState = kRunStopped;
        return;
    }
    DispatchMethod(windowFirst, windowLast);
}

bool Form1::SeveralWavelengths() {
    if (cboWave.text() != "RGB") chkComponents.setValue(0);
    if (waveCount <= kMaxComponentWaves) chkComponents.setValue(1);
    if (graphCode >= kGraphMapIndex && graphCode <= kGraphMapWavelength) return MapSteps();
    // A Lee row is one size (PlotLee averages the rows); the maps returned above.
    if (optDisp.value() && graphCode < kGraphLee) return SeveralWavelengthsDisperse();

    WaveCountFromRadius();
    lambdaN();
    SizeForGrid(*this);
    SunCorrection();
    const std::int32_t points = 2 * angleCount - 1;
    for (ColourSumTable* sums : {&colourSumPerp, &colourSumPara})
        for (std::size_t c = 1; c <= 3; ++c)
            std::fill_n((*sums)[c].begin(), static_cast<std::size_t>(points) + 1, 0.0);
    stepsDone = 0;

    const bool rgb = cboWave.text() == "RGB";
    for (loopI = 1; loopI <= waveCount; ++loopI) {
        if (runState == kRunStopped) break;
        const auto i = static_cast<std::size_t>(loopI);
        Label14.setCaption(CStr(loopI));
        // m at this wavelength first: the medium's index enters the size parameter.
        if (waveCount == 1) {
            // m as the index boxes show it (a typed index too), as the angle graph takes it.
            wavelength = Val(txtLambda.text());
            calcIndexRe = Val(txtRefractReal.text());
            calcIndexIm = Val(txtRefractImag.text());
        } else {
            wavelength = waveList[i];
            const std::optional<double> m = refrel(wavelength);
            if (!m) break;
            calcIndexRe = *m;
            calcIndexIm = relIndexIm;
            setForeColor(kButtonFace);
            boxFilled(9200, 1150, 12000, 1350);
            setForeColor(kBlack);
            setCurrentX(9200);
            setCurrentY(1150);
            print("Wavelength #" + CStr(loopI) + " = " + CStr(RoundTo(wavelength, 6)));
        }
        sizeParam = kTwoPi * radius / wavelength * mediumRe;
        if (graphCode == kGraphLee && loopStep == 0) leeWaves.push_back({wavelength, mediumRe, calcIndexRe, calcIndexIm});
        UnitFactors(*this);
        doEvents();
        if (runState == kRunStopped) break;
        DispatchSeveralWavelengths();
        if (runState == kRunStopped) break;

        ColourSumTerm term;
        term.few = FewWavelengths(rgb, waveCount);
        term.column = loopI;
        if (waveCount == 1) weightPerWave[1] = 1.0f;
        term.weight = weightPerWave[i];
        term.K = waveNumberSq;
        term.red = redPerWave[i];
        term.green = greenPerWave[i];
        term.blue = bluePerWave[i];
        AddColourSums(term, s1Amp[0], s1Amp[1], s2Amp[0], s2Amp[1], windowFirst, windowLast, colourSumPerp,
                      colourSumPara, intensityPerp, intensityPara);
    }
    if (runState == kRunStopped) return false;
    SeveralWavelengthsFinish();
    return true;
}

void Form1::SeveralWavelengthsFinish() {
    const std::int32_t points = 2 * angleCount - 1;
    for (ColourSumTable* sums : {&colourSumPerp, &colourSumPara})
        std::fill_n((*sums)[0].begin(), static_cast<std::size_t>(points) + 1, 0.0);
    overplotPow1 = overplotPow2 = 1e20;
    colourPeak = peakRun = peakCommon = peakPerp = peakPara = peakUnpol = peakLee = 0;
    colourRunMax = 0;
    const double step = Val(cboStep.text());
    firstPoint = CLng(Val(txtXmin.text()) / step + 1).value;
    lastPoint = CLng(Val(txtXmax.text()) / step + 1).value;

    const bool few = FewWavelengths(cboWave.text() == "RGB", waveCount);
    const int columns = few ? std::clamp(waveCount, 1, kMaxComponentWaves) : 3;
    const bool autoMin = Automatic(cboYmin);
    const bool autoMax = Automatic(cboYmax);
    std::vector<double>& perp0 = colourSumPerp[0];
    std::vector<double>& para0 = colourSumPara[0];
    for (std::int32_t J = windowFirst; J <= windowLast; ++J) {
        const auto j = static_cast<std::size_t>(J);
        for (int c = 1; c <= columns; ++c) {
            const auto k = static_cast<std::size_t>(c);
            perp0[j] += colourSumPerp[k][j];
            para0[j] += colourSumPara[k][j];
            if (few && autoMin) {
                overplotPow1 = std::min(overplotPow1, colourSumPerp[k][j]);
                overplotPow2 = std::min(overplotPow2, colourSumPara[k][j]);
            }
        }
        if (!few && autoMin) {
            overplotPow1 = std::min(overplotPow1, perp0[j]);
            overplotPow2 = std::min(overplotPow2, para0[j]);
        }
        if (J >= firstPoint && J <= lastPoint) {
            loopJ = J;
            PlotN();
            if (autoMax) {
                colourPeak = std::max(colourPeak, perp0[j]);
                peakRun = std::max(peakRun, para0[j]);
            }
        }
    }

    if (autoMax) {
        txtY2max.setText(CStr(std::max(colourPeak, peakRun)));
        yScaleMax = Val(txtY2max.text());
        GridYmax(yScaleMax, yAxisMax);
    } else if (!mnuOverplot.checked()) {
        yAxisMax = Val(cboYmax.text());
    }
    if (autoMin) {
        yScaleMin = std::min(overplotPow1, overplotPow2);
        txtY1min.setText(CStr(yScaleMin));
        GridYmin(yScaleMin, yAxisMin);
    } else if (!mnuOverplot.checked()) {
        yAxisMin = Val(cboYmin.text());
    }

    if (graphCode == kGraphLee) {
        PlotBow(colourSumPerp, colourSumPara, CStr(peakCommon));
        return;
    }
    if (runState != kRunOverplot) {
        cls();
        Grid(graphLeft, graphRight, graphTop, graphBottom, xMin, xMax, yAxisMin, yAxisMax);
    }
    PlotNColour();
}

}  // namespace tessary
