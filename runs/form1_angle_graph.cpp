// The graph of scattered light against the scattering angle at one wavelength for one sphere: the
// curves from S1 and S2 (intensities or moduli, phases, degree of polarisation) over the window of
// angle indices, and their drawing as intensity (one panel, or two with phase or polarisation below),
// watts per square metre at a distance, or phase function. Replot draws from the stored curves
// through the same procedures.
#include <cmath>
#include <span>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/complex.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

constexpr double kFourPiAsWritten = 12.56637061435916;  // 4 pi as the phase function divides

// The intensities (or moduli) of one angle index from S1 and S2.
void IntensityCurves(Form1& f, std::size_t j, bool amplitude) {
    const Complex s1{f.s1Amp[0][j], f.s1Amp[1][j]};
    const Complex s2{f.s2Amp[0][j], f.s2Amp[1][j]};
    double perp = ComplexAbs(s1);
    double para = ComplexAbs(s2);
    if (!amplitude) {
        perp *= perp;
        para *= para;
    }
    f.intensityPerp[j] = perp;
    f.intensityPara[j] = para;
    f.intensityUnpol[j] = (perp + para) / 2;  // with amplitudes the mean of the moduli
}

// The lower-panel curves of one angle index from S1 and S2: phases or the degree of polarisation.
void LowerPanelCurves(Form1& f, std::size_t j, bool ampPhase, bool intPol) {
    const Complex s1{f.s1Amp[0][j], f.s1Amp[1][j]};
    const Complex s2{f.s2Amp[0][j], f.s2Amp[1][j]};
    if (ampPhase) {
        f.avgPerp[j] = PhaseDegrees(s1.re, s1.im);
        f.avgPara[j] = PhaseDegrees(s2.re, s2.im);
        f.avgUnpol[j] = PhaseDegrees((s1.re + s2.re) / 2, (s1.im + s2.im) / 2);
    }
    if (intPol) {
        const double P = s1.re * s1.re + s1.im * s1.im;
        const double Q = s2.re * s2.re + s2.im * s2.im;
        // No light at all has no polarisation: 0 rather than 0/0.
        f.avgPerp[j] = P + Q == 0 ? 0.0 : (P - Q) / (P + Q);
        f.avgPara[j] = 0;
        f.avgUnpol[j] = 0;
    }
}

// Upper panel of the intensities, lower panel of avgPerp, avgPara, avgUnpol; the upper panel's y
// limits remain.
void TwoPanels(Form1& f) {
    if (f.runState != Form1::kRunOverplot) f.cls();
    const float T = f.graphTop;
    const float B = f.graphBottom;
    f.graphBottom = static_cast<float>(T + 0.45 * (B - T));
    f.Display(f.intensityPerp, f.intensityPara, f.intensityUnpol);
    f.drawnYMax = f.yAxisMax;
    f.savedYScaleMax = f.yScaleMax;
    f.graphBottom = B;
    f.graphTop = static_cast<float>(T + 0.55 * (B - T));
    f.phasePanel = 1;
    f.Display(f.avgPerp, f.avgPara, f.avgUnpol);
    f.phasePanel = 0;
    f.graphTop = T;
    f.graphBottom = B;
    f.yAxisMax = f.drawnYMax;
    f.yScaleMax = f.savedYScaleMax;
}

// avg = scale(intensity) for every angle index; false when a value is not a finite number.
template <class Scale>
bool ScaledCurves(Form1& f, Scale scale) {
    const std::size_t last = 2 * static_cast<std::size_t>(f.angleCount) - 1;
    bool finite = true;
    for (std::size_t j = 1; j <= last && finite; ++j) {
        f.avgPerp[j] = scale(f.intensityPerp[j]);
        f.avgPara[j] = scale(f.intensityPara[j]);
        f.avgUnpol[j] = scale(f.intensityUnpol[j]);
        finite = std::isfinite(f.avgPerp[j]) && std::isfinite(f.avgPara[j]) && std::isfinite(f.avgUnpol[j]);
    }
    return finite;
}

// The run ends with this message instead of a graph of numbers that do not exist.
bool RefuseGraph(Form1& f, const std::string& message) {
    msgBox(message, mb::kOkOnly, std::string("Error"));
    f.runState = Form1::kRunStopped;
    return false;
}

// Watts per square metre at the distance of measurement, for the incident intensity of the dialog.
bool WattsGraph(Form1& f) {
    const double d = Val(f.dlogIncident_->txtDistance.text());
    const double E = Val(f.dlogIncident_->txtIncidentPD.text());
    if (!(d > 0)) return RefuseGraph(f, "The distance of measurement must be greater than 0 m");
    const double factor = E / (d * d) / f.waveNumberSq;
    if (!std::isfinite(factor) || !ScaledCurves(f, [factor](double v) { return v * factor; }))
        return RefuseGraph(f, "The scattered intensity at a distance of " + CStr(d) + " m is out of range");
    f.Display(f.avgPerp, f.avgPara, f.avgUnpol);
    return true;
}

// The intensities over Qsca times the geometric cross-section in units of x, over 4 pi.
bool PhaseFunctionGraph(Form1& f) {
    f.scatNorm = f.qSca * kPi * f.sizeParam * f.sizeParam / kFourPiAsWritten;
    const double norm = f.scatNorm;
    if (!(norm > 0) || !ScaledCurves(f, [norm](double v) { return v / norm; }))
        return RefuseGraph(
            f, "The phase function needs a scattering efficiency above 0 (Qsca = " + CStr(f.qSca) + ")");
    f.Display(f.avgPerp, f.avgPara, f.avgUnpol);
    return true;
}

}  // namespace

bool Form1::AngleGraph() {
    const bool amplitude = mnuAmplitude.checked();
    for (std::int32_t j = windowFirst; j <= windowLast; ++j)
        IntensityCurves(*this, static_cast<std::size_t>(j), amplitude);
    AngleLowerCurves();
    OneWavelengthColours();

    if (graphCode != kGraphAngle) {
        Display(intensityPerp, intensityPara, intensityUnpol);
        return true;
    }
    return DrawAngleGraph();
}

// The colours of the one wavelength for the strip and the simulation window: column 1 of both sums
// |S|^2 / K over the window, and the run maxima over the shown range.
void Form1::OneWavelengthColours() {
    const auto size = 2 * static_cast<std::size_t>(angleCount);
    for (ColourSumTable* sums : {&colourSumPerp, &colourSumPara})
        for (std::vector<double>& column : *sums)
            if (column.size() < size) column.resize(size, 0.0);
    for (std::int32_t j = windowFirst; j <= windowLast; ++j) {
        const auto J = static_cast<std::size_t>(j);
        colourSumPerp[1][J] = (s1Amp[0][J] * s1Amp[0][J] + s1Amp[1][J] * s1Amp[1][J]) / waveNumberSq;
        colourSumPara[1][J] = (s2Amp[0][J] * s2Amp[0][J] + s2Amp[1][J] * s2Amp[1][J]) / waveNumberSq;
    }
    peakCommon = peakPerp = peakPara = peakUnpol = colourPeak = colourRunMax = 0;
    const std::int32_t kept = loopJ;  // the progress of the series reads the shared counter
    for (loopJ = firstPoint; loopJ <= lastPoint; ++loopJ) PlotN();
    loopJ = kept;
}

void Form1::AngleLowerCurves() {
    const bool ampPhase = mnuAmpPhase.checked();
    const bool intPol = mnuIntPol.checked();
    if (!ampPhase && !intPol) return;
    for (std::int32_t j = windowFirst; j <= windowLast; ++j)
        LowerPanelCurves(*this, static_cast<std::size_t>(j), ampPhase, intPol);
}

bool Form1::DrawAngleGraph() {
    if (graphSubCode == kSubIntensity) {
        if ((!mnuAmpPhase.checked() && !mnuIntPol.checked()) || mnuPolarPlot.checked())
            Display(intensityPerp, intensityPara, intensityUnpol);
        else
            TwoPanels(*this);
    }
    if (graphSubCode == kSubWatts) return WattsGraph(*this);
    if (graphSubCode == kSubPhaseFunction) return PhaseFunctionGraph(*this);
    return true;
}

}  // namespace tessary
