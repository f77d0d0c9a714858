// PlotLee: the redraw of a Lee diagram from the colours its run stored, without computing. The
// stored cells are averaged over the sun's disc and, with a size distribution, over the neighbouring
// radius rows, normalised per row or over the whole diagram, and painted as one box per cell in the
// three panels. The sweep, angle step and stored window are the run's, never re-read from the boxes; an
// angle range beyond the stores is computed afresh by New plot. The size distribution is the boxes' (a
// redraw may apply another), and the record of the diagram on show is told which one was applied.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "colour/colour_render.h"
#include "colour/colour_scaling.h"
#include "colour/lee_diagram.h"
#include "colour/lee_plot_layout.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/colour.h"
#include "platform/ui/window_colours.h"
#include "runs/results_on_show.h"
#include "runs/run_record.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

const char* const kPanelTitles[] = {"Perpendicular polarisation", "Parallel polarisation", "Unpolarised"};

LeeConstStores Stored(const LeeColourStores& s) {
    return {&s.leeRed1, &s.leeGreen1, &s.leeBlue1, &s.leeRed2, &s.leeGreen2, &s.leeBlue2};
}

LeeStores Working(LeeColourStores& s) {
    return {&s.leeRed3, &s.leeGreen3, &s.leeBlue3, &s.leeRed4, &s.leeGreen4, &s.leeBlue4};
}

float CellOf(const LeeStore& s, int k, std::int32_t c) {
    if (k < 0 || c < 0 || static_cast<std::size_t>(k) >= s.size()) return 0.0f;
    const std::vector<float>& row = s[static_cast<std::size_t>(k)];
    return static_cast<std::size_t>(c) < row.size() ? row[static_cast<std::size_t>(c)] : 0.0f;
}

// Erases the step label: above the panels of a Lee diagram, beside the progress bar of a map.
void EraseStepLabel(Form1& f) {
    f.setForeColor(kButtonFace);
    if (f.codes.graphCode == kGraphLee)
        f.boxFilled(9200, 950, 13000, 1250);
    else
        f.boxFilled(9200, 2850, 12000, 3050);
    f.setForeColor(kBlack);
}

// The key of the false colours over the unpolarised panel (FalseColourKeyLayout).
void PaintFalseColourKey(Form1& f, double B) {
    const FalseColourKey key = FalseColourKeyLayout(f.graph.leePanelWidth, f.graph.graphLeft,
                                                    f.graph.graphTop, f.mnuVLarge.checked(), B);
    for (const std::array<double, 2>& line : key.band) {
        f.ColourScale(line[1]);
        f.line(line[0], key.bandTop, line[0], key.bandBottom);
    }
    f.setForeColor(kBlack);
    f.box(key.frame.x1, key.frame.y1, key.frame.x2, key.frame.y2);
    for (const Rect& t : key.ticks) f.line(t.x1, t.y1, t.x2, t.y2);
    for (const KeyLabel& label : key.labels) {
        f.setCurrentX(label.x);
        f.setCurrentY(label.y);
        if (!label.small) {
            f.print(label.text);
            continue;
        }
        const FontSpec kept = f.font();
        f.setFontName("Small Fonts");
        f.setFontSize(7);
        f.setFontBold(false);
        f.print(label.text);
        f.setFont(kept);
    }
    f.line(key.startTick.x1, key.startTick.y1, key.startTick.x2, key.startTick.y2);
    f.setCurrentX(key.start.x);
    f.setCurrentY(key.start.y);
    f.print(key.start.text);
}

// Row peaks as leeRowPeaks holds them: entries 1 to 3 of each row.
using RowPeaks = std::vector<std::vector<float>>;

// The row peaks of the working stores into `peaks`; returns the maxima of the whole diagram.
std::array<double, 3> RaiseRowPeaks(const LeeColourStores& s, const LeeWindow& window, RowPeaks& peaks) {
    std::array<double, 3> m{};
    const LeeConstStores working = {&s.leeRed3, &s.leeGreen3, &s.leeBlue3,
                                    &s.leeRed4, &s.leeGreen4, &s.leeBlue4};
    for (int k = 0; k <= window.lastRow; ++k) {
        const std::array<double, 3> peak = LeeRowPeaks(working, window, k);
        for (std::size_t e = 1; e <= 3 && e < peaks.size(); ++e)
            if (static_cast<std::size_t>(k) < peaks[e].size())
                peaks[e][static_cast<std::size_t>(k)] = static_cast<float>(peak[e - 1]);
        for (std::size_t e = 0; e < 3; ++e) m[e] = std::max(m[e], peak[e]);
    }
    return m;
}

// The norms of row k: its own peaks when the rows are normalised, else the diagram's maxima m.
void SetRowNorms(ColourSums& sums, LeeColourStores& stores, const RowPeaks& peaks, bool normalised, int k,
                 const std::array<double, 3>& m) {
    if (!normalised) {
        sums.colourNorm = AMAX(m[0], m[1]);
        stores.leeNormUnpol = m[2];
        return;
    }
    const auto rowPeak = [&](std::size_t e) {
        return e < peaks.size() && static_cast<std::size_t>(k) < peaks[e].size()
                   ? static_cast<double>(peaks[e][static_cast<std::size_t>(k)])
                   : 0.0;
    };
    sums.peakPerp = rowPeak(1);
    sums.peakPara = rowPeak(2);
    sums.peakUnpol = rowPeak(3);
    sums.colourNorm = AMAX(sums.peakPerp, sums.peakPara);
    stores.leeNormUnpol = sums.peakUnpol;
}

// The step label of row k, once per row. A map's rows are the linear steps of its run, and the
// radius stays the map step's.
void PrintStepLabel(Form1& f, int k) {
    if (f.codes.graphCode == kGraphLee) {
        f.calc.radius = static_cast<double>(f.sweepState.sweepStart) *
                        std::pow(static_cast<double>(f.sweepState.sweepRatio), k);
        EraseStepLabel(f);
        f.setCurrentX(9200);
        f.setCurrentY(950);
        f.printLine(LeeStepLabel(true, k, f.calc.radius));
    } else if (f.codes.graphCode == kGraphMapIndex || f.codes.graphCode == kGraphMapImaginary) {
        EraseStepLabel(f);
        f.setCurrentX(9200);
        f.setCurrentY(2850);
        f.printLine(LeeStepLabel(
            false, k,
            MapSweepValue(f.sweepState.sweepStart, f.sweepState.sweepEnd, k, f.sweepState.sweepSteps)));
    }
}

// The cells of rows 0..lastRow, one box per cell in each panel, until a stop.
void PaintLeeCells(Form1& f, const LeeWindow& window, const RowPeaks& peaks, const std::array<double, 3>& m,
                   const LeeCellStyle& style) {
    const double W = f.graph.leePanelWidth;
    const double L = f.graph.graphLeft;
    const bool normalised = f.cboLee.text() == "Normalised";
    const double d = f.sweepState.sweepSteps > 0 ? (W - L) / f.sweepState.sweepSteps : 0.0;
    const std::vector<Segment> spans =
        LeeCellSpans(f.angleGrid.firstPoint, f.angleGrid.lastPoint, f.graph.graphTop, f.graph.graphBottom);
    bool stopped = false;
    for (int k = 0; k <= window.lastRow && !stopped; ++k) {
        SetRowNorms(f.colourSums, f.leeStores, peaks, normalised, k, m);
        PrintStepLabel(f, k);
        const Segment column = LeeColumn(k, f.sweepState.sweepSteps, d, L, W);
        for (std::int32_t i = f.angleGrid.firstPoint; i <= f.angleGrid.lastPoint; ++i) {
            if (f.codes.runState == Form1::kRunStopped) {
                stopped = true;
                break;
            }
            const std::int32_t c = i - f.angleGrid.windowFirst;
            const Segment& cell = spans[static_cast<std::size_t>(i - f.angleGrid.firstPoint)];
            const std::array<double, 3> perp = {CellOf(f.leeStores.leeRed3, k, c),
                                                CellOf(f.leeStores.leeGreen3, k, c),
                                                CellOf(f.leeStores.leeBlue3, k, c)};
            const std::array<double, 3> para = {CellOf(f.leeStores.leeRed4, k, c),
                                                CellOf(f.leeStores.leeGreen4, k, c),
                                                CellOf(f.leeStores.leeBlue4, k, c)};
            const std::array<double, 3> unpol = {(perp[0] + para[0]) / 2, (perp[1] + para[1]) / 2,
                                                 (perp[2] + para[2]) / 2};
            f.setForeColor(LeeCellColour(perp, f.colourSums.colourNorm, f.colourSums.peakLee, style,
                                         f.colourSums.red1, f.colourSums.green1, f.colourSums.blue1));
            f.boxFilled(column.x1, cell.x1, column.x2, cell.x2);
            f.setForeColor(LeeCellColour(para, f.colourSums.colourNorm, f.colourSums.peakLee, style,
                                         f.colourSums.red2, f.colourSums.green2, f.colourSums.blue2));
            f.boxFilled(column.x1 + W, cell.x1, column.x2 + W, cell.x2);
            f.setForeColor(LeeCellColour(unpol, f.leeStores.leeNormUnpol, m[2], style, f.colourSums.red3,
                                         f.colourSums.green3, f.colourSums.blue3));
            f.boxFilled(column.x1 + 2 * W, cell.x1, column.x2 + 2 * W, cell.x2);
        }
        doEvents();
    }
}

// The size distribution as a data file names it: kind, standard deviation (%) and samples.
using NamedDistribution = std::optional<std::array<std::string, 3>>;

// A Lee diagram's working rows averaged over the boxes' size distribution (a geometric sweep only), with
// the marks of its width; the distribution applied, none for one sphere, a map or no usable width.
NamedDistribution SmoothOverDistribution(Form1& f, const LeeWindow& window) {
    if (!f.optDisp.value() || f.codes.graphCode != kGraphLee) return std::nullopt;
    const double sigma = Val(f.cboSD.text()) / 100;
    f.dist.relStdDev = static_cast<float>(sigma);
    LeeDistribution distribution;
    if (!LeeDistributionWeights(sigma, f.sweepState.sweepRatio, distribution)) return std::nullopt;
    const double N = 3 * sigma / (f.sweepState.sweepRatio - 1);
    f.line(1000, 3100, 1000 + 4000 * N / f.sweepState.sweepSteps, 3100);
    f.line(1000, 3000, 1000 + 4000 * N / (3 * f.sweepState.sweepSteps), 3000);
    LeeDistributionSmooth(Working(f.leeStores), window, distribution);
    doEvents();
    return std::array<std::string, 3>{f.cboDistrib.text(), f.cboSD.text(), f.cboN.text()};
}

// A redraw of the Lee diagram on show (not its run's own drawing) notes in its record the distribution it
// applied. Where that is another than the record's, true: the row peaks the data file stores, and the sun's
// disc they are formed over, become this redraw's, so that the file holds the diagram drawn.
bool NoteDistribution(Form1& f, const NamedDistribution& applied) {
    if (f.runFlags.runUnderWay || !SettledRecord(f) || f.runRecord.graphCode != kGraphLee) return false;
    RunRecord& r = f.runRecord;
    if (r.disperse == applied) return false;
    r.disperse = applied;
    r.peaksLight = f.optSun.value() ? LightSource::Sun : LightSource::Point;
    r.sunRectangular = f.mnuSun.checked();
    return true;
}

}  // namespace

void Form1::LeeCreditLines() {
    if (mnuVLarge.checked() || mnuLarge.checked()) setFontSize(16);
    if (mnuMedium.checked()) setFontSize(10);
    if (mnuSmall.checked()) setFontSize(8);
    if (!mnuHideLogo.checked()) {
        if (calc.waveCount != 1) setForeColor(rgb(100, 100, 100));
        if (calc.waveCount == 1) {
            if (mnuDefault.checked() || mnuWhite.checked()) setForeColor(rgb(200, 200, 200));
            if (mnuBlack.checked() || mnuGrey.checked()) setForeColor(rgb(100, 100, 100));
        }
        for (int n = 0; n < 3; ++n) {
            setCurrentX(n * graph.leePanelWidth + graph.graphLeft + 100);
            setCurrentY(graph.graphBottom - 500);
            print(lblLogo.caption());
        }
    }
    setFontSize(8);
    setForeColor(kBlack);
    if (mnuSizeSpecial.checked()) setFontSize(10);
}

void Form1::PlotLee() {
    // The run's angle grid must hold the range asked for.
    const double s = leeStores.leeGridStep;
    const Checked<std::int32_t> first = CLng(Val(txtXmin.text()) / s + 1);
    const Checked<std::int32_t> last = CLng(Val(txtXmax.text()) / s + 1);
    if (!(s > 0) || !first.ok() || !last.ok() || first.value < leeStores.leeGridFirst ||
        last.value > leeStores.leeGridLast || first.value >= last.value) {
        cmdNewPlot_Click();
        return;
    }

    // Stop answered in an earlier run does not stop this redraw; Stop answered while it draws does.
    if (!runFlags.runUnderWay && codes.runState == kRunStopped) codes.runState = kRunNewPlot;
    LockON();
    cls();
    setFontBold(false);
    graph.graphLeft = 1000;
    if (mnuVLarge.checked()) graph.leePanelWidth = static_cast<float>(screen().widthTwips() / 3);
    if (mnuLarge.checked()) graph.leePanelWidth = 5000;
    if (mnuMedium.checked()) graph.leePanelWidth = 4000;
    if (mnuSmall.checked()) graph.leePanelWidth = 3000;
    const double W = graph.leePanelWidth;
    const double L = graph.graphLeft;
    graph.xMin = Val(txtXmin.text());
    graph.xMax = Val(txtXmax.text());
    for (int n = 0; n < 3; ++n)
        GridLeeAxes(L + n * W, (n + 1) * W, graph.graphTop, graph.graphBottom, sweepState.sweepStart,
                    sweepState.sweepEnd, graph.xMin, graph.xMax);
    const LeePanels panels = LeePanelLayout(W, L, graph.graphTop, graph.graphBottom, mnuVLarge.checked());
    PictureBox* pictures[] = {&Picture1, &Picture2, &Picture3};
    for (std::size_t n = 0; n < 3; ++n) {
        pictures[n]->setLeft(panels.pictureLeft[n]);
        pictures[n]->setTop(panels.pictureTop);
        pictures[n]->setVisible(true);
    }
    for (int n = 0; n < 3; ++n) {
        setCurrentX(panels.titleX[static_cast<std::size_t>(n)]);
        setCurrentY(panels.titleY);
        printLine(std::string(kPanelTitles[n]));
    }

    // The angle window: offsets into the stores, which begin at the run's first stored point.
    angleGrid.angleCount = CLng(90 / s + 1).value;
    const std::int32_t points = 2 * angleGrid.angleCount - 1;
    SunCorrection();
    angleGrid.firstPoint = first.value;
    angleGrid.lastPoint = last.value;
    angleGrid.windowFirst = leeStores.leeGridFirst;
    angleGrid.windowLast = leeStores.leeGridLast;
    LeeWindow window;
    const Checked<std::int16_t> rows = CInt(sweepState.sweepSteps);
    window.lastRow =
        rows.ok() ? std::min<int>(rows.value, static_cast<int>(leeStores.leeRed1.size()) - 1) : -1;
    // A stopped run's rows beyond the last it finished were never computed: they stay empty.
    if (const RunRecord* run = SettledRecord(*this))
        if (const ResultsInUse use = ResultsInUseOf(*run); use.stopped)
            window.lastRow = std::min(window.lastRow, use.last);
    window.firstOffset = angleGrid.firstPoint - angleGrid.windowFirst;
    window.lastOffset = angleGrid.lastPoint - angleGrid.windowFirst;
    window.mirror = points - angleGrid.windowFirst;
    doEvents();

    const std::size_t discWeights =
        std::min(static_cast<std::size_t>(std::max(light.sunDiscSteps, 0)) + 1, light.sunDiscWeights.size());
    LeeSunSmooth(Stored(leeStores), Working(leeStores), window,
                 std::span<const double>(light.sunDiscWeights.data(), discWeights), optSun.value());
    const bool noted = NoteDistribution(*this, SmoothOverDistribution(*this, window));

    // Row peaks and the maxima of the whole diagram, then the cells. The closing redraw of a run stores
    // the row peaks with its colours, as does a redraw over another distribution than the record's; any
    // other redraw (Replot, a display option, a file read back) works with its own and leaves those stored.
    const bool storePeaks = runFlags.runUnderWay || noted;
    RowPeaks ownPeaks;
    if (!storePeaks) ownPeaks = leeStores.leeRowPeaks;
    RowPeaks& peaks = storePeaks ? leeStores.leeRowPeaks : ownPeaks;
    const std::array<double, 3> m = RaiseRowPeaks(leeStores, window, peaks);
    doEvents();
    colourSums.peakLee = AMAX(m[0], m[1]);
    LeeCellStyle style;
    style.brightness = std::fabs(Brightness());
    style.saturated = mnuSaturated.checked();
    style.falseColours = mnuFalseColours.checked();
    style.finish = colourFinish();
    PaintLeeCells(*this, window, peaks, m, style);

    // Credit line, fonts, the erased step label and key area.
    LeeCreditLines();
    EraseStepLabel(*this);
    if (style.falseColours && codes.graphCode > kGraphLee) {
        PaintFalseColourKey(*this, style.brightness);
    } else {
        setForeColor(kButtonFace);
        boxFilled(2 * W + L, graph.graphTop - 700, 3 * W, graph.graphTop - 400);
        setForeColor(kBlack);
    }
    // The distribution of the diagram beside it: the run's, or while a run draws its own, the boxes'.
    if (const std::optional<RedrawPlan> plan = PlanRedraw(*this)) DrawDistributionOnShow(*this, *plan);

    cboBright.setVisible(true);
    cboBright.setEnabled(true);
    runFlags.resultsFromFile = 0;
    runFlags.resultsStale = 0;
    LockOFF();
}

}  // namespace tessary
