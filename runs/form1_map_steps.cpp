// The angle maps (graph codes 22 to 25): one row of colours against scattering angle for each step
// of a linear sweep of the real index, the imaginary index, the radius or the wavelength. Each row is
// one sphere at one wavelength: its |S1|^2 and |S2|^2 go into column 1 of the colour sums and are
// painted at once as column loopStep of the three panels (and stored for the redraw). A finished map
// is redrawn from its stores; Stop or a failed step ends the run by the stop exit with the rows
// painted so far on show, never drawn as finished from amplitudes it did not compute.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/method_codes.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

struct MapStepText {
    const char* label;
    FormatPattern format;
};

// The step caption's label and number format by graph code.
MapStepText StepText(int graphCode) {
    switch (graphCode) {
        case kGraphMapIndex:
            return {"   Ref Index = ", "#,##0.####"};
        case kGraphMapImaginary:
            return {"   Imaginary RI = ", "#,##0.######"};
        case kGraphMapRadius:
            return {"   Radius = ", "#,##0.######"};
        default:
            return {"   Wavelength = ", "#,##0.######"};
    }
}

void ClearStepCaption(Form1& f) {
    f.setForeColor(kButtonFace);
    f.boxFilled(9200, 2850, 12000, 3050);
    f.setForeColor(kBlack);
}

}  // namespace

bool Form1::MapSteps() {
    const double low = Val(txtF9_min.text());
    const double high = Val(txtF9_max.text());
    const double N = Val(txtF9_step.text());
    const Checked<std::int16_t> lastStep = CInt(N);
    if (!(N > 0) || !lastStep.ok()) {  // the input checks refuse such a count; never divide by it
        runState = kRunStopped;
        return false;
    }
    cboLee.setText("Absolute");
    peakLee = 0;
    waveCount = 1;  // a map row is one wavelength: column 1 of the sums

    // The sums hold the whole grid; column 1 starts empty.
    const auto points = static_cast<std::size_t>(2 * angleCount - 1) + 1;
    for (ColourSumTable* sums : {&colourSumPerp, &colourSumPara}) {
        for (std::vector<double>& column : *sums)
            if (column.size() < points) column.resize(points, 0.0);
        std::fill((*sums)[1].begin(), (*sums)[1].end(), 0.0);
    }
    const double fixedPart = Val(txtF9_fixed.text());
    const MapStepText text = StepText(graphCode);

    for (loopStep = 0; loopStep <= lastStep.value; ++loopStep) {
        if (runState == kRunStopped) return false;
        const double v = MapSweepValue(low, high, loopStep, N);
        double shown = 0;
        switch (graphCode) {
            case kGraphMapIndex:
                calcIndexRe = v;
                calcIndexIm = fixedPart;
                shown = calcIndexRe;
                break;
            case kGraphMapImaginary:
                calcIndexRe = fixedPart;
                calcIndexIm = v;
                shown = calcIndexIm;
                break;
            case kGraphMapRadius:
                radius = v;
                shown = radius;
                break;
            default: {
                wavelength = v / 1000;
                const std::optional<double> m = refrel(wavelength);
                if (!m) {
                    runState = kRunStopped;
                    return false;
                }
                calcIndexRe = *m;
                calcIndexIm = relIndexIm;
                radius = Val(txtAngle.text());
                shown = wavelength;
                break;
            }
        }
        sizeParam = kTwoPi * radius / wavelength * mediumRe;
        waveNumberSq = 1.0;  // maps are not in absolute units
        colourPeak = peakRun = peakCommon = peakPerp = peakPara = peakUnpol = 0;

        ClearStepCaption(*this);
        setCurrentX(9200);
        setCurrentY(2850);
        printLine("Step: ", loopStep, std::string(text.label), Format(shown, text.format));

        DispatchSeveralWavelengths();
        if (runState == kRunStopped) return false;

        for (loopJ = windowFirst; loopJ <= windowLast; ++loopJ) {
            const auto j = static_cast<std::size_t>(loopJ);
            colourSumPerp[1][j] = s1Amp[0][j] * s1Amp[0][j] + s1Amp[1][j] * s1Amp[1][j];
            colourSumPara[1][j] = s2Amp[0][j] * s2Amp[0][j] + s2Amp[1][j] * s2Amp[1][j];
            PlotN();
        }
        peakLee = AMAX(peakCommon, peakLee);
        PlotBow(colourSumPerp, colourSumPara, CStr(peakCommon));
        if (calcMethod < kMethodRayleigh || calcMethod > kMethodYoungMod) {  // the next row's bar starts empty
            setForeColor(kWhite);
            boxFilled(12000, 1900, 15000, 2000);
            setForeColor(kBlack);
            progressShown = 0;
            progressPercent = 0;
        }
    }
    if (runState == kRunStopped) return false;

    ClearStepCaption(*this);
    cboLee.setText("Absolute");
    cboLee.setEnabled(false);
    leeGridStep = Val(cboStep.text());
    leeGridFirst = windowFirst;
    leeGridLast = windowLast;
    ReplotFromStores();
    return true;
}

}  // namespace tessary
