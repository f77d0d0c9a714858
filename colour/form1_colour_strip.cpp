// The colour strip of the scattered light (PlotBow): the colours of the perpendicular, parallel and
// unpolarised light at each angle point, as three bands above an angle graph, as column loopStep of
// the three panels of a Lee diagram or map (storing the step's colours for later redraws), or, in
// simulation mode, as rows of the simulation colour table.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "colour/colour_render.h"
#include "colour/colour_scaling.h"
#include "colour/lee_plot_layout.h"
#include "colour/wavelength_set.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/results_on_show.h"

namespace tessary {

namespace {

// Writes value into store[k][r] when that cell exists.
void Store(std::vector<std::vector<float>>& store, int k, std::int32_t r, double value) {
    if (k < 0 || r < 0 || static_cast<std::size_t>(k) >= store.size()) return;
    std::vector<float>& row = store[static_cast<std::size_t>(k)];
    if (static_cast<std::size_t>(r) < row.size())
        row[static_cast<std::size_t>(r)] = static_cast<float>(value);
}

// The colour of one band of one point before scaling: the smoothed values, the saturation norm M (the
// largest channel, before smoothing for more than 7 wavelengths) and the unsmoothed values to store.
struct BandValues {
    std::array<double, 3> rgb{};
    std::array<double, 3> stored{};
    double largest = 0;
};

// The band values of point p of the sums: with one wavelength its colour times the intensity (the
// disc's for the band, the point's to store), else the colour of the wavelength set.
BandValues BandOf(const ColourSumTable& sums, std::int32_t p, int waves, const WaveChannels& channels,
                  const SunDisc& disc, const std::array<double, 3>& oneWave) {
    SunDisc point = disc;
    point.on = false;
    BandValues v;
    if (waves == 1) {
        const double I = PointColour(sums, 1, channels, point, p)[0];
        const double S = PointColour(sums, 1, channels, disc, p)[0];
        for (std::size_t i = 0; i < 3; ++i) {
            v.stored[i] = oneWave[i] * I;
            v.rgb[i] = oneWave[i] * S;
        }
        v.largest = std::max({v.rgb[0], v.rgb[1], v.rgb[2]});
        return v;
    }
    v.stored = PointColour(sums, waves, channels, point, p);
    v.rgb = disc.on ? PointColour(sums, waves, channels, disc, p) : v.stored;
    const std::array<double, 3>& m = waves > kMaxComponentWaves ? v.stored : v.rgb;
    v.largest = std::max({m[0], m[1], m[2]});
    return v;
}

// The unsmoothed colours of both bands of point r as cell (k, r) of the Lee stores.
void StoreLeeCell(LeeColourStores& stores, int k, std::int32_t r, const BandValues& one,
                  const BandValues& two) {
    Store(stores.leeRed1, k, r, one.stored[0]);
    Store(stores.leeGreen1, k, r, one.stored[1]);
    Store(stores.leeBlue1, k, r, one.stored[2]);
    Store(stores.leeRed2, k, r, two.stored[0]);
    Store(stores.leeGreen2, k, r, two.stored[1]);
    Store(stores.leeBlue2, k, r, two.stored[2]);
}

// Whether every column of both sums holds point T.
bool SumsHeld(const ColourSumTable& perp, const ColourSumTable& para, std::int32_t T) {
    std::size_t held = SIZE_MAX;
    for (const ColourSumTable* table : {&perp, &para})
        for (const std::vector<double>& c : *table) held = std::min(held, c.size());
    return held > static_cast<std::size_t>(T);
}

// The simulation colour table sized from the stored run (its range and grid), covering every row the
// run visited.
void SizeSimColourTable(Form1& f) {
    const double step =
        f.angleGrid.angleCount >= 2 ? 90.0 / (f.angleGrid.angleCount - 1) : f.light.sizeOrStep;
    const std::int32_t byRange = SimTableLastRow(Val(f.txtX1min.text()), Val(f.txtX2Max.text()), step);
    f.simColourTable.reset(std::max(byRange, f.angleGrid.windowLast - f.angleGrid.windowFirst),
                           (f.angleGrid.windowFirst - 1) * step, step);
}

// The names of the strip's bands in front of them, in Small Fonts 7.
void PrintStripLabels(Form1& f) {
    const FontSpec kept = f.font();
    f.setFontName("Small Fonts");
    f.setFontSize(7);
    f.setFontBold(false);
    f.setForeColor(kBlack);
    for (const StripLabel& label : kStripLabels) {
        f.setCurrentX(0);
        f.setCurrentY(label.y);
        f.print(label.text);
    }
    f.setFont(kept);
}

// The norms of the perpendicular (and parallel) and of the unpolarised band of step k: the angle
// graph's by the normalisation menus, a normalised Lee row's own peaks (kept as the row's peaks), or
// the diagram's peak.
std::array<double, 2> BandNorms(Form1& f, bool lee, bool normalisedRows, int k) {
    if (!lee) {
        const bool set = f.mnuSetNormal.checked();
        return {
            set ? std::max(f.colourSums.savedNormPerp, f.colourSums.savedNormPara) : f.colourSums.peakCommon,
            set ? f.colourSums.savedNormUnpol
                : (f.mnuNormalised.checked() ? f.colourSums.peakCommon : f.colourSums.peakUnpol)};
    }
    if (!normalisedRows) return {f.colourSums.peakLee, f.colourSums.peakLee};
    for (int e = 1; e <= 3; ++e) {
        const double value =
            e == 1 ? f.colourSums.peakPerp : (e == 2 ? f.colourSums.peakPara : f.colourSums.peakUnpol);
        if (static_cast<std::size_t>(e) < f.leeStores.leeRowPeaks.size() && k >= 0 &&
            static_cast<std::size_t>(k) < f.leeStores.leeRowPeaks[static_cast<std::size_t>(e)].size())
            f.leeStores.leeRowPeaks[static_cast<std::size_t>(e)][static_cast<std::size_t>(k)] =
                static_cast<float>(value);
    }
    return {std::max(f.colourSums.peakPerp, f.colourSums.peakPara), f.colourSums.peakUnpol};
}

// A Lee cell one pixel row high whose row the next cell starts on is painted over by that cell (same
// column, copy pen, every coordinate finite): its colour need be neither worked out nor painted.
bool CoveredCellsSkippable(const Form1& f, const Segment& column) {
    return f.codes.simulationMode != 1 && f.drawMode() == draw::kCopyPen && !f.recording() &&
           std::isfinite(column.x1) && std::isfinite(column.x2 + 2 * f.graph.leePanelWidth);
}

// What the colours are formed from: the sun's disc, the wavelength count and the colour of a single
// wavelength. A run's follow the window's choices while it computes; a redraw takes the wavelengths of the run
// on show as its record computed them (whatever the lists and boxes say since) and the light source chosen
// now; the simulation also the light source its results are drawn with.
struct BowInputs {
    SunDisc disc;
    int waves = 1;
    std::array<double, 3> oneWave{};
};
BowInputs BowInputsOf(const Form1& f) {
    const bool simulation = f.codes.simulationMode == 1 && f.runRecord.taken;
    const bool ofRecord = simulation || SettledRecord(f);
    BowInputs in{f.sunDisc(), std::clamp(ofRecord ? f.runRecord.waveCount : f.calc.waveCount, 1, 2001), {}};
    if (simulation) in.disc.on = f.runRecord.lightSource == LightSource::Sun;
    const GraphColours& g = f.graphColours;
    const WaveColour wave = ofRecord ? WavelengthColour(Val(f.runRecord.lambdaText))
                                     : WaveColour{g.waveRed, g.waveGreen, g.waveBlue};
    in.oneWave = {wave.red / 255, wave.green / 255, wave.blue / 255};
    return in;
}

}  // namespace

// Paints the colour strip (angle graphs), a Lee or map column (codes 20 and above, storing the step's
// colours) or, with simulationMode 1, fills simColourTable.
void Form1::PlotBow(const ColourSumTable& perp, const ColourSumTable& para, const std::string& caption) {
    doEvents();
    const bool lee = codes.graphCode >= kGraphLee;
    const int k = sweepState.loopStep;
    Segment column;
    if (lee) {
        colourSums.bowRatio = sweepState.sweepSteps > 0
                                  ? (graph.leePanelWidth - graph.graphLeft) / sweepState.sweepSteps
                                  : 0.0;  // the run's step count
        column =
            LeeColumn(k, sweepState.sweepSteps, colourSums.bowRatio, graph.graphLeft, graph.leePanelWidth);
    }
    graph.xMin = Val(txtXmin.text());
    graph.xMax = Val(txtXmax.text());
    light.sizeOrStep = RunStep();
    Label17.setCaption(caption);

    const std::int32_t T = 2 * angleGrid.angleCount - 1;
    if (codes.simulationMode == 1) SizeSimColourTable(*this);
    if (!lee) PrintStripLabels(*this);
    const double b = std::fabs(Brightness());
    // Every sum read (the point and its disc neighbours) must exist.
    if (T < 1 || !SumsHeld(perp, para, T) || angleGrid.windowFirst < 1) return;

    const auto [disc, waves, oneWave] = BowInputsOf(*this);
    const WaveChannels channels = waveChannels();
    const bool saturated = mnuSaturated.checked();
    const bool normalisedRows = cboLee.text() == "Normalised";

    const auto bandOf = [&](const ColourSumTable& sums, std::int32_t p) {
        return BandOf(sums, p, waves, channels, disc, oneWave);
    };
    const ColourFinish finish = colourFinish();

    // With the curve on each channel a painted box needs only its colour number: every box but the
    // last painted (whose levels stay in red1 .. blue3) takes it from the table of curved levels.
    const bool curvedLevels = codes.simulationMode != 1 && !mnuGammaNone.checked() && mnuGammaA.checked();
    const std::int32_t lastPainted = std::min({angleGrid.windowLast, T, angleGrid.lastPoint});

    const bool skipCovered = lee && CoveredCellsSkippable(*this, column);
    std::optional<std::array<double, 2>> norms;  // the same for every point: worked out at the first shown
    double previousEnd = lee ? graph.graphTop : graph.graphLeft;
    for (runProgress.loopN = angleGrid.windowFirst; runProgress.loopN <= std::min(angleGrid.windowLast, T);
         ++runProgress.loopN) {
        const std::int32_t p = runProgress.loopN;
        const std::int32_t r = p - angleGrid.windowFirst;
        sweepState.loopK = r;
        const BandValues one = bandOf(perp, p);
        const BandValues two = bandOf(para, p);
        if (lee) StoreLeeCell(leeStores, k, r, one, two);
        if (p < angleGrid.firstPoint || p > angleGrid.lastPoint) continue;

        // Norms of the bands.
        if (!norms) norms = BandNorms(*this, lee, normalisedRows, k);
        double n1 = (*norms)[0], n3 = (*norms)[1];
        colourSums.colourNorm = n1;

        // The segment of the point: along x on the strip, along y down a Lee column.
        const Segment s = lee ? StripSegment(p, angleGrid.firstPoint, angleGrid.lastPoint, graph.graphTop,
                                             graph.graphBottom, previousEnd)
                              : StripSegment(p, angleGrid.firstPoint, angleGrid.lastPoint, graph.graphLeft,
                                             graph.graphRight, previousEnd);
        previousEnd = s.x2;
        if (skipCovered && p < lastPainted && samePixelRow(s.x1, s.x2)) continue;
        const std::array<Rect, 3> boxes = BowBandBoxes(lee, column, s, graph.leePanelWidth);

        // The levels of one band, then its cells of the simulation table (from slot on) or its box.
        const auto band = [&](float& R, float& G, float& B, const std::array<double, 3>& c, double brightness,
                              double norm, std::size_t slot, const Rect& box) {
            const std::array<float, 3> levels = BandLevels(brightness, c, norm);
            R = levels[0];
            G = levels[1];
            B = levels[2];
            if (curvedLevels && p != lastPainted) {
                if (R > 255 || G > 255 || B > 255) Saturation(R, G, B);
                setForeColor(CurvedColourNumber(R, G, B));
                boxFilled(box.x1, box.y1, box.x2, box.y2);
                return;
            }
            FinishColour(finish, R, G, B);
            if (codes.simulationMode != 1) {
                setForeColor(ColourNumber(R, G, B));
                boxFilled(box.x1, box.y1, box.x2, box.y2);
            } else if (simColourTable.holds(r)) {
                simColourTable.at(slot, r) = R;
                simColourTable.at(slot + 1, r) = G;
                simColourTable.at(slot + 2, r) = B;
                if (simColourTable.firstWritten < 0 || r < simColourTable.firstWritten)
                    simColourTable.firstWritten = r;
                simColourTable.lastWritten = std::max(simColourTable.lastWritten, r);
            }
        };
        // Perpendicular: saturated colours take the band's own largest channel and no brightness.
        band(colourSums.red1, colourSums.green1, colourSums.blue1, one.rgb, saturated ? 1.0 : b,
             saturated ? one.largest : n1, 0, boxes[0]);
        // Parallel: the same norm, or its own largest channel.
        const double n2 = saturated ? two.largest : n1;
        colourSums.colourNorm = n2;
        band(colourSums.red2, colourSums.green2, colourSums.blue2, two.rgb, b, n2, 3, boxes[1]);
        // Unpolarised: the mean of the two.
        const std::array<double, 3> three = {(one.rgb[0] + two.rgb[0]) / 2, (one.rgb[1] + two.rgb[1]) / 2,
                                             (one.rgb[2] + two.rgb[2]) / 2};
        if (saturated) n3 = std::max({three[0], three[1], three[2]});
        colourSums.colourNorm = n3;
        band(colourSums.red3, colourSums.green3, colourSums.blue3, three, b, n3, 6, boxes[2]);
    }

    if (lee && codes.simulationMode != 1) LeeCreditLines();
    Label18.setVisible(true);
    cboBright.setVisible(true);
    if (codes.graphCode == kGraphAngle) cmdSimulation.setVisible(true);
}

}  // namespace tessary
