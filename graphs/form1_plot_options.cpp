// Plot option menus of the main window: how results are shown, never what is computed. The
// two-panel layouts, the polar plot and its refusals, the data box, the y and x scales, the light
// source of Lee diagrams and angle maps, and flags read elsewhere. A handler answers in one of three
// ways: redraw at once from the stored results, offer Replot, or offer Replot for a new y scale.
// Redraws go through ReplotIfIdle, so an option chosen while a run or a redraw pumps events changes
// its marks but starts no second redraw inside the first.
#include <optional>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "runs/results_on_show.h"

namespace tessary {

namespace {

void Toggle(Menu& item) { item.setChecked(!item.checked()); }

// Replot enabled, shown and made the default button.
void ShowReplot(Form1& f) {
    f.cmdReplot.setEnabled(true);
    f.cmdReplot.setVisible(true);
    f.cmdReplot.setDefault(true);
}

// Replot offered while the results on show can be redrawn, else New plot the default with Replot withdrawn.
void OfferReplot(Form1& f) {
    if (ResultsToRedraw(f)) {
        ShowReplot(f);
    } else {
        f.cmdNewPlot.setDefault(true);
        f.cmdReplot.setEnabled(false);
        f.cmdReplot.setVisible(false);
    }
}

// After a new y scale: Overplot is withdrawn (the axes change) and Replot made the default while the
// results on show can be redrawn; else as above.
void OfferReplotYScale(Form1& f) {
    if (ResultsToRedraw(f)) {
        f.cmdOverPlot.setVisible(false);
        f.cmdReplot.setDefault(true);
    } else {
        f.cmdNewPlot.setDefault(true);
        f.cmdReplot.setEnabled(false);
        f.cmdReplot.setVisible(false);
    }
}

// Refuses the polar plot with the reason.
void RefusePolarPlot(Form1& f, const std::string& reason) {
    msgBox(reason, mb::kOkOnly, std::string("Option not available"));
    f.mnuPolarPlot.setChecked(false);
    f.runFlags.inputError = 1;
}

// The redraw of the light-source options: angle graphs by Replot, Lee diagrams and angle maps
// (codes 20 and above) from their stored colours by PlotLee.
void RedrawForLightSource(Form1& f) {
    const std::optional<RedrawPlan> plan = PlanRedraw(f);
    if (!plan) return;
    if (plan->graphCode < kFirstSweepGraph) f.ReplotIfIdle();
    if (plan->graphCode >= kGraphLee && !f.RedrawBusy()) {
        const RedrawGuard guard(f.windowState);
        f.PlotLee();
        f.runRecord.lightSource = f.optSun.value() ? LightSource::Sun : LightSource::Point;
    }
}

}  // namespace

// Replot (the Click of cmdReplot) unless a run or a redraw is under way; true when it ran.
bool Form1::ReplotIfIdle() {
    if (RedrawBusy()) return false;
    const RedrawGuard guard(windowState);
    cmdReplot.click();
    return true;
}

// Two panels: intensity over phase. Ignored entirely while the results are out of date; with no finished
// results on show only the mark changes.
void Form1::mnuAmpPhase_Click() {
    if (runFlags.resultsStale != 0) return;
    Toggle(mnuAmpPhase);
    if (mnuAmpPhase.checked()) mnuIntPol.setChecked(false);
    if (!ResultsToRedraw(*this)) return;
    ShowReplot(*this);
    ReplotIfIdle();
}

// Two panels: intensity over the degree of polarisation; a polar plot of it does not exist.
void Form1::mnuIntPol_Click() {
    if (runFlags.resultsStale != 0) return;
    Toggle(mnuIntPol);
    if (mnuIntPol.checked()) {
        mnuAmpPhase.setChecked(false);
        mnuPolarPlot.setChecked(false);
    }
    if (!ResultsToRedraw(*this)) return;
    ShowReplot(*this);
    ReplotIfIdle();
}

void Form1::mnuPolarPlot_Click() {
    if (mnuPolarPlot.checked()) {
        mnuPolarPlot.setChecked(false);
        mnuPhasePlot.setChecked(false);
    } else {
        if (mnuIntPol.checked()) {
            RefusePolarPlot(*this, "Polar plots are not available for graphs of Intensity and Polarisation");
            return;
        }
        // The amplitude-phase polar diagram works on any graph and range.
        if (!mnuAmpPhase.checked()) {
            if (cboGraph.text() != "Intensity v. scattering angle") {
                RefusePolarPlot(*this, std::string("Polar plots are available only for ") + kCR +
                                           "graphs of Intensity v. scattering angle");
                return;
            }
            if (graph.xMin != 0 || graph.xMax != 180 || calc.waveCount > 1) {
                RefusePolarPlot(*this, std::string("Polar plots are available only when scattering angles") +
                                           kCR + "cover entire range from 0 to 180 degrees");
                return;
            }
        }
        mnuPolarPlot.setChecked(true);
        mnuIntPol.setChecked(false);
    }
    if (!ResultsToRedraw(*this)) return;  // nothing Replot would draw: nothing offered
    ShowReplot(*this);
    ReplotIfIdle();
}

// Shows or clears the data box.
void Form1::mnuDataVisible_Click() {
    Toggle(mnuDataVisible);
    VisibleData();
}

void Form1::mnuFalseColours_Click() {
    PlotLineColour();
    mnuFalseColours.setChecked(true);
    if (codes.graphCode > kGraphLee) {
        // Angle maps in false colours are scaled to the overall maximum.
        cboLee.setText("Absolute");
        cboLee.setEnabled(false);
    }
}

void Form1::mnuNormalised_Click() {
    Toggle(mnuNormalised);
    if (ResultsToRedraw(*this)) ShowReplot(*this);
}

// Flags read by the graph-type selection, the runs, the drawing and the files.
void Form1::mnuInvWavelength_Click() { Toggle(mnuInvWavelength); }
void Form1::mnuPhasePlot_Click() { Toggle(mnuPhasePlot); }
void Form1::mnuAmplitude_Click() { Toggle(mnuAmplitude); }
void Form1::mnuOverplot_Click() { Toggle(mnuOverplot); }
void Form1::mnuS1S2_Click() { Toggle(mnuS1S2); }
void Form1::mnuShowData_Click() { Toggle(mnuShowData); }
void Form1::mnuSize_Click() { Toggle(mnuSize); }

// Logarithmic y axis: both limits automatic. The writes raise the lists' Change handlers.
void Form1::optLog_Click() {
    if (!optLog.value()) {
        cboYmin.setText("0");
    } else {
        cboYmin.setText("0.0001");
        graph.yAxisMin = 0.0001;
    }
    cboYmax.setText("Automatic");
    cboYmin.setText("Automatic");
    mnuMinorGridY.setEnabled(true);
    OfferReplotYScale(*this);
}

// Linear y axis: the maximum automatic, the minimum 0.
void Form1::optLinear_Click() {
    if (optLinear.value()) {
        cboYmin.setText("0");
    } else {
        cboYmin.setText("0.0001");
        graph.yAxisMin = 0.0001;
    }
    cboYmax.setText("Automatic");
    cboYmin.setText("0");
    mnuMinorGridY.setEnabled(false);
    mnuMinorGridY.setChecked(false);
    OfferReplotYScale(*this);
}

void Form1::optXLinear_Click() {
    mnuMinorGridX.setEnabled(false);
    mnuMinorGridX.setChecked(false);
    OfferReplot(*this);
}

void Form1::optXLog_Click() {
    mnuMinorGridX.setEnabled(true);
    OfferReplot(*this);
}

// Point source or the sun's disc: computed results (not read from a file) are redrawn at once.
void Form1::optPoint_Click() {
    if (runFlags.resultsFromFile != 1 && ResultsToRedraw(*this)) RedrawForLightSource(*this);
}

// The sun's disc needs a valid angle step: the inputs are checked first. A data file restoring the
// choice is checked by its own redraw.
void Form1::optSun_Click() {
    if (runFlags.dataFileLoading) return;
    CheckInput(graph.xMin, graph.xMax, graph.yAxisMin, graph.yAxisMax, runFlags.inputError);
    if (runFlags.inputError != 1 && runFlags.resultsFromFile != 1 && ResultsToRedraw(*this))
        RedrawForLightSource(*this);
}

}  // namespace tessary
