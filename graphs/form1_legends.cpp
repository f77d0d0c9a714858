// Texts beside the graph after a run or a redraw: the legend above the graph (a short stroke in each
// curve's colour with the curve's name) and, for a single sphere's angle graph, the data box with the
// efficiencies and the line of values under the graph.
#include <string>

#include "graphs/graph_codes.h"
#include "graphs/graph_geometry.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/results_on_show.h"
#include "runs/run_record.h"

namespace tessary {

namespace {

// A legend entry: a stroke 700 twips long from (x, y), its text 800 twips right and 100 up.
void Stroke(Form1& f, double x, double y, OleColor colour, const std::string& text) {
    f.line(x, y, x + 700, y, colour);
    f.setForeColor(kBlack);
    f.setCurrentX(x + 800);
    f.setCurrentY(y - 100);
    f.print(text);
}

}  // namespace

// The legend of the curves on show: those a run draws while it computes them (the window's choices are then
// the run's), afterwards those of the run on show as its record holds them, drawn in the polarisation they were
// last drawn in; no legend over a run that finished no point, whose frame is empty.
void Form1::PolarLabel() {
    const RunRecord* run = SettledRecord(*this);
    const int graphCode = run ? run->graphCode : codes.graphCode;
    const int subCode = run ? VariantOnShow(*run) : codes.graphSubCode;
    const int waveCount = run ? run->waveCount : calc.waveCount;
    if (graphCode == kGraphAsymmetry || graphCode >= kGraphLee || waveCount != 1) return;
    setForeColor(kButtonFace);
    boxFilled(1000, 2800, 15000, 3200);
    if (!FinishedResultsOnShow(*this) || (!run && codes.runState == kRunStopped)) return;
    const std::string polarisation = run && !run->polarisation.empty() ? run->polarisation : cboPol.text();

    const graphs::LegendColumns columns = graphs::LegendColumnsFor(
        mnuVLarge.checked() || mnuLarge.checked() || mnuSizeSpecial.checked(), mnuMedium.checked());

    // The line colour and its darker companion, as Display gives them to the curves.
    LineColour();
    const OleColor main = foreColor();
    const OleColor dark = graphColours.lineColourDark;
    for (const graphs::LegendEntry& e :
         graphs::LegendEntries(graphCode, subCode, RunAbsorbs(), polarisation, mnuSmall.checked(), columns)) {
        const OleColor colour = e.colour == graphs::LegendColour::Main   ? main
                                : e.colour == graphs::LegendColour::Dark ? dark
                                                                         : kBlack;
        Stroke(*this, e.x, e.y, colour, e.text);
    }
}

// The readout of the run on show, from its record and stored results alone: nothing of a run that finished
// no point, nor while a run is under way (its record holds no finished point until the run ends, and its
// command shows the readout then), nor of a size distribution (its series left the last sample's values),
// whatever the size option says since. The graph on show is the run's, whatever graph the list names since.
// It writes nothing but the window and the shared angle counter.
void Form1::VisibleData() {
    const RunRecord& run = runRecord;
    const int graphOnShow = run.taken ? run.graphCode : codes.graphCode;
    if (windowState.screenWidthPx < 801 || graphOnShow == kGraphLee || optDisp.value()) return;
    setForeColor(kButtonFace);
    boxFilled(12000, 500, 16000, 2000);
    boxFilled(graph.graphLeft, graph.graphBottom + 500.0, 0.9 * graph.graphRight, graph.graphBottom + 800.0);
    setForeColor(kBlack);
    if (!mnuDataVisible.checked() || graphOnShow != kGraphAngle || run.disperse || !ResultsInUseOf(run).any)
        return;

    // Only what the run on show computed: Qabs needs Qext and Qsca, Qradar Qback.
    const RunReadout& r = readout;
    for (const graphs::TextLine& line : graphs::DataBoxLines(r.qSca, r.qExt, r.qBack)) {
        setCurrentX(line.x);
        setCurrentY(line.y);
        print(line.text);
    }

    // |S1|^2 at an angle index; 0 where the run stored none. Results read from a data file without its
    // S1 and S2 block give it from the stored curve of one wavelength (a modulus with amplitudes), and
    // nothing with several.
    const bool fromCurve = !AmplitudesOnShow();
    const auto intensity = [this, fromCurve, &run](std::int32_t j) {
        const std::vector<double>& re = results.s1Amp[0];
        const std::vector<double>& im = results.s1Amp[1];
        const auto k = static_cast<std::size_t>(j);
        if (fromCurve) {
            const double v = j >= 1 && k < results.intensityPerp.size() ? results.intensityPerp[k] : 0.0;
            return run.amplitude ? v * v : v;
        }
        if (j < 1 || k >= re.size() || k >= im.size()) return 0.0;
        return re[k] * re[k] + im[k] * im[k];
    };
    const bool ends = !fromCurve || run.waveCount == 1;

    // Each end only when the run computed it: its window held 0 or 180 degrees (a redraw may narrow the
    // window since, the record not).
    const double y = graph.graphBottom + 500.0;
    sweepState.loopJ = 1;
    if (ends && run.windowFirst <= 1 && run.windowLast >= 1) {
        setCurrentX(1000);
        setCurrentY(y);
        print("  0 deg: " + Format(intensity(sweepState.loopJ), "scientific"));
    }
    sweepState.loopJ = 2 * angleGrid.angleCount - 1;  // 180 degrees
    if (ends && run.windowFirst <= sweepState.loopJ && run.windowLast >= sweepState.loopJ) {
        setCurrentX(0.4 * graph.graphRight);
        setCurrentY(y);
        print("  180 deg: " + Format(intensity(sweepState.loopJ), "scientific"));
    }
    setCurrentX(0.7 * graph.graphRight);
    setCurrentY(y);
    print("X = " + Format(run.lastSizeParam, "#0.######"));
}

}  // namespace tessary
