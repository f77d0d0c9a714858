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

// The step caption of step k, whose swept value is v (a wavelength map's in nm, shown in um).
void StepCaption(Form1& f, int k, double v) {
    const MapStepText text = StepText(f.codes.graphCode);
    ClearStepCaption(f);
    f.setCurrentX(9200);
    f.setCurrentY(2850);
    f.printLine("Step: ", k, std::string(text.label),
                Format(f.codes.graphCode == kGraphMapWavelength ? v / 1000 : v, text.format));
}

// The stores' angle grid, which the redraws read: the run's (from its first stored point).
void KeepStoresGrid(Form1& f) {
    f.leeStores.leeGridStep = Val(f.cboStep.text());
    f.leeStores.leeGridFirst = f.angleGrid.windowFirst;
    f.leeStores.leeGridLast = f.angleGrid.windowLast;
}

// A stopped map is the complete map of the rows it finished, as its data file saves it: two or more are
// redrawn as that map (which stores their row peaks); one stays as drawn, and a later redraw draws it alone.
// The caption names the last finished step, or none. A stopped Overplot leaves the map on show.
void StoppedMap(Form1& f, double low, double high, double N) {
    ClearStepCaption(f);
    const int last = f.runRecord.doneLast;
    if (last == 0) StepCaption(f, 0, low);
    if (last >= 0) KeepStoresGrid(f);
    if (last < 1 || f.runFlags.overplotUnderWay) return;
    f.sweepState.sweepEnd = CSng(MapSweepValue(low, high, last, N)).value;
    f.sweepState.sweepSteps = static_cast<float>(last);
    f.cboLee.setText("Absolute");
    f.cboLee.setEnabled(false);
    f.cmdStop.setVisible(false);  // the run has stopped: its redraw is no run to stop
    f.codes.runState = Form1::kRunNewPlot;
    f.ReplotFromStores();
    f.codes.runState = Form1::kRunStopped;
}

}  // namespace

// The rows of an angle map inside the run (codes 22 to 25) and its closing redraw; false after a stop or a
// failed step (the run then takes the stop exit). Stop answered while the last row was painted came after
// every row: the map is complete.
bool Form1::MapSteps() {
    const int stateAtStart = codes.runState;
    const double low = Val(txtF9_min.text());
    const double high = Val(txtF9_max.text());
    const double N = Val(txtF9_step.text());
    const Checked<std::int16_t> lastStep = CInt(N);
    if (!(N > 0) || !lastStep.ok()) {  // the input checks refuse such a count; never divide by it
        codes.runState = kRunStopped;
        return false;
    }
    cboLee.setText("Absolute");
    colourSums.peakLee = 0;
    calc.waveCount = 1;  // a map row is one wavelength: column 1 of the sums

    // The sums hold the whole grid; column 1 starts empty.
    const auto points = static_cast<std::size_t>(2 * angleGrid.angleCount - 1) + 1;
    for (ColourSumTable* sums : {&colourSums.colourSumPerp, &colourSums.colourSumPara}) {
        for (std::vector<double>& column : *sums)
            if (column.size() < points) column.resize(points, 0.0);
        std::fill((*sums)[1].begin(), (*sums)[1].end(), 0.0);
    }
    const double fixedPart = Val(txtF9_fixed.text());
    runRecord.doneFirst = 0;  // the rows finished, counted into the run's record
    runRecord.doneLast = -1;
    runRecord.plannedPoints = lastStep.value + 1;

    for (sweepState.loopStep = 0; sweepState.loopStep <= lastStep.value; ++sweepState.loopStep) {
        if (codes.runState == kRunStopped) break;
        const double v = MapSweepValue(low, high, sweepState.loopStep, N);
        switch (codes.graphCode) {
            case kGraphMapIndex:
                calc.calcIndexRe = v;
                calc.calcIndexIm = fixedPart;
                break;
            case kGraphMapImaginary:
                calc.calcIndexRe = fixedPart;
                calc.calcIndexIm = v;
                break;
            case kGraphMapRadius:
                calc.radius = v;
                break;
            default: {
                calc.wavelength = v / 1000;
                const std::optional<double> m = refrel(calc.wavelength);
                if (!m) {  // the model refused the wavelength, with its message
                    codes.runState = kRunStopped;
                    break;
                }
                calc.calcIndexRe = *m;
                calc.calcIndexIm = indexState.relIndexIm;
                calc.radius = Val(txtAngle.text());
                break;
            }
        }
        if (codes.runState == kRunStopped) break;
        calc.sizeParam = kTwoPi * calc.radius / calc.wavelength * indexState.mediumRe;
        calc.waveNumberSq = 1.0;  // maps are not in absolute units
        colourSums.colourPeak = colourSums.peakRun = colourSums.peakCommon = colourSums.peakPerp =
            colourSums.peakPara = colourSums.peakUnpol = 0;

        StepCaption(*this, sweepState.loopStep, v);

        DispatchSeveralWavelengths();
        if (codes.runState == kRunStopped) break;

        for (sweepState.loopJ = angleGrid.windowFirst; sweepState.loopJ <= angleGrid.windowLast;
             ++sweepState.loopJ) {
            const auto j = static_cast<std::size_t>(sweepState.loopJ);
            colourSums.colourSumPerp[1][j] =
                results.s1Amp[0][j] * results.s1Amp[0][j] + results.s1Amp[1][j] * results.s1Amp[1][j];
            colourSums.colourSumPara[1][j] =
                results.s2Amp[0][j] * results.s2Amp[0][j] + results.s2Amp[1][j] * results.s2Amp[1][j];
            PlotN();
        }
        colourSums.peakLee = AMAX(colourSums.peakCommon, colourSums.peakLee);
        PlotBow(colourSums.colourSumPerp, colourSums.colourSumPara, CStr(colourSums.peakCommon));
        runRecord.doneLast = sweepState.loopStep;
        if (codes.calcMethod < kMethodRayleigh ||
            codes.calcMethod > kMethodYoungMod) {  // the next row's bar starts empty
            setForeColor(kWhite);
            boxFilled(12000, 1900, 15000, 2000);
            setForeColor(kBlack);
            runProgress.progressShown = 0;
            runProgress.progressPercent = 0;
        }
    }
    if (codes.runState == kRunStopped && runRecord.doneLast == lastStep.value) codes.runState = stateAtStart;
    if (codes.runState == kRunStopped) {
        StoppedMap(*this, low, high, N);
        return false;
    }

    ClearStepCaption(*this);
    cboLee.setText("Absolute");
    cboLee.setEnabled(false);
    KeepStoresGrid(*this);
    ReplotFromStores();
    return true;
}

}  // namespace tessary
