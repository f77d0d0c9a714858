// Texts beside the graph after a run or a redraw: the legend above the graph (a short stroke in each
// curve's colour with the curve's name) and, for a single sphere's angle graph, the data box with the
// efficiencies and the line of values under the graph.
#include <cmath>
#include <optional>
#include <string>

#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

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

void Form1::PolarLabel() {
    if (codes.graphCode == 16 || codes.graphCode >= 20 || calc.waveCount != 1) return;
    setForeColor(kButtonFace);
    boxFilled(1000, 2800, 15000, 3200);

    double first = 1000, second = 3800, third = 6600;
    if (mnuVLarge.checked() || mnuLarge.checked() || mnuSizeSpecial.checked()) {
        first = 1400;
        second = 6500;
        third = 12000;
    } else if (mnuMedium.checked()) {
        third = 6300;
    }
    scratch = first;
    scratchA = second;
    scratchB = third;

    // The line colour and its darker companion, as Display gives them to the curves.
    LineColour();
    const OleColor main = foreColor();
    const OleColor dark = graphColours.lineColourDark;
    const bool small = mnuSmall.checked();

    if (codes.graphCode == 14 || codes.graphCode == 15) {
        const bool efficiency = codes.graphSubCode == 1 || codes.graphSubCode == 3;
        if (calc.absorbingFlag != 2) {
            Stroke(*this, first, 3100, main,
                   efficiency ? "Qext = Qsca   Qabs = 0" : "Cext = Csca   Cabs = 0");
            return;
        }
        Stroke(*this, first, 3100, main, efficiency ? "Qext" : "Cext");
        Stroke(*this, second, 3100, dark, efficiency ? "Qsca" : "Csca");
        if (small) {
            Stroke(*this, second, 2900, kBlack, efficiency ? "Qabs" : "Cabs");
        } else {
            Stroke(*this, third, 3100, kBlack, efficiency ? "Qabs" : "Cabs");
        }
        return;
    }
    const std::string pol = cboPol.text();
    if (pol == "Both") {
        Stroke(*this, first, 3000, main, "Perpendicular polarisation");
        Stroke(*this, second, 3000, dark, "Parallel polarisation");
    } else if (pol == "All 3") {
        Stroke(*this, first, 3100, main, "Perpendicular polarisation");
        Stroke(*this, second, 3100, dark, "Parallel polarisation");
        if (small) {
            Stroke(*this, second, 2900, kBlack, "Unpolarised");
        } else {
            Stroke(*this, third, 3100, kBlack, "Unpolarised");
        }
    }
}

void Form1::VisibleData() {
    if (windowState.screenWidthPx < 801 || codes.graphCode == 20 || optDisp.value()) return;
    setForeColor(kButtonFace);
    boxFilled(12000, 500, 16000, 2000);
    boxFilled(graph.graphLeft, graph.graphBottom + 500.0, 0.9 * graph.graphRight, graph.graphBottom + 800.0);
    setForeColor(kBlack);
    if (!mnuDataVisible.checked() || codes.graphCode != 1) return;

    // Only what the run on show computed: Qabs needs Qext and Qsca, Qradar Qback.
    // Qback = |S1(180)|^2/(pi x^2); Qradar, the radar backscattering efficiency, 4|S1(180)|^2/x^2.
    const RunReadout& r = readout;
    const struct {
        double y;
        const char* label;
        std::optional<double> value;
    } rows[] = {
        {800, "Qsca = ", r.qSca},
        {1000, "Qext = ", r.qExt},
        {1200, "Qabs = ",
         r.qExt && r.qSca ? std::optional<double>(AbsorptionEfficiency(*r.qExt, *r.qSca)) : std::nullopt},
        {1400, "Qback = ", r.qBack},
        {1600, "Qradar = ", r.qBack ? std::optional<double>(4 * kPi * *r.qBack) : std::nullopt},
    };
    for (const auto& row : rows) {
        if (!row.value) continue;
        setCurrentX(12000);
        setCurrentY(row.y);
        print(row.label + AxisNumberText(*row.value, 6));
    }

    // |S1|^2 at an angle index; 0 where the run stored none.
    const auto intensity = [this](std::int32_t j) {
        const std::vector<double>& re = results.s1Amp[0];
        const std::vector<double>& im = results.s1Amp[1];
        const auto k = static_cast<std::size_t>(j);
        if (j < 1 || k >= re.size() || k >= im.size()) return 0.0;
        return re[k] * re[k] + im[k] * im[k];
    };
    // Qext by the optical theorem from S1 at 0 degrees, kept for later use; only from a run that
    // formed Qext (S1 at 0 degrees whole and undivided); a size parameter of 0 has none.
    sweepState.loopJ = 1;
    if (r.qExt && calc.sizeParam > 0.0 && !results.s1Amp[0].empty() && results.s1Amp[0].size() > 1) {
        const double q = 4 * results.s1Amp[0][1] / (calc.sizeParam * calc.sizeParam);
        if (std::isfinite(q)) results.qExt = q;
    }

    // Each end only when the run computed it: its window held 0 or 180 degrees.
    // (During a run the window is the run's own; afterwards a redraw may narrow it, the record not.)
    const bool recorded = runRecord.taken && !runFlags.runUnderWay;
    const std::int32_t computedFirst = recorded ? runRecord.windowFirst : angleGrid.windowFirst;
    const std::int32_t computedLast = recorded ? runRecord.windowLast : angleGrid.windowLast;
    const double y = graph.graphBottom + 500.0;
    if (computedFirst <= 1 && computedLast >= 1) {
        setCurrentX(1000);
        setCurrentY(y);
        print("  0 deg: " + Format(intensity(sweepState.loopJ), "scientific"));
    }
    sweepState.loopJ = 2 * angleGrid.angleCount - 1;
    if (computedFirst <= sweepState.loopJ && computedLast >= sweepState.loopJ) {
        setCurrentX(0.4 * graph.graphRight);
        setCurrentY(y);
        print("  180 deg: " + Format(intensity(sweepState.loopJ), "scientific"));
    }
    setCurrentX(0.7 * graph.graphRight);
    setCurrentY(y);
    print("X = " + Format(calc.sizeParam, "#0.######"));
}

}  // namespace tessary
