// The Replot command: redraws the graph from the results kept from the last calculation when only the
// way they are shown has changed (polarisation, y range, an x window inside the computed range, the
// second panel, the phase function or absolute units). It computes no scattering: stale results or a
// changed wavelength count, angle step or radius refuse, and an x range beyond the stored one hands
// over to New plot, which releases the inputs itself.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"
#include "runs/method_codes.h"
#include "runs/results_on_show.h"
#include "runs/run_record.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

constexpr const char* kAutomatic = "Automatic";
// Where the command goes after a step: on, to the common end, or out at once.
enum class Next { GoOn, End, Leave };

bool Automatic(const ComboBox& list) { return list.text() == kAutomatic; }

// The smallest size among the arrays, so that no loop below runs past one of them.
std::size_t CommonSize(std::initializer_list<const std::vector<double>*> arrays) {
    std::size_t n = arrays.size() == 0 ? 0 : (*arrays.begin())->size();
    for (const std::vector<double>* a : arrays) n = std::min(n, a->size());
    return n;
}

// True when every stored curve and amplitude array holds the indices 0..last.
bool StoredArraysHold(const StoredResults& r, std::int64_t last) {
    const std::size_t n =
        CommonSize({&r.s1Amp[0], &r.s1Amp[1], &r.s2Amp[0], &r.s2Amp[1], &r.intensityPerp, &r.intensityPara,
                    &r.intensityUnpol, &r.avgPerp, &r.avgPara, &r.avgUnpol});
    return last >= 0 && static_cast<std::uint64_t>(last) < n;
}

// True when the angle grid and the window of the results on show lie inside the stored arrays.
bool AngleResultsHeld(const AngleGrid& grid, const StoredResults& r) {
    return grid.angleCount >= 2 && grid.windowFirst >= 0 &&
           StoredArraysHold(r,
                            std::max<std::int64_t>(grid.windowLast, 2 * std::int64_t{grid.angleCount} - 1));
}

// The index of a range end, or the fallback when the value has no index.
std::int32_t IndexOr(double v, std::int32_t fallback) {
    const Checked<std::int32_t> index = CLng(v);
    return index.ok() ? index.value : fallback;
}

class Replot {
  public:
    explicit Replot(Form1& form) : f(form) {}

    // The command up to its common end; End asks for that end, Leave has left already.
    Next run();
    // The common end: inputs released, Replot withdrawn, the results current.
    void end();

  private:
    void clearTotals();
    Next refuseChanged(Control& box);
    Next ranges();
    void pointWindow(double step, std::int32_t points);
    Next severalWavelengths();
    Next oneWavelength(bool overplotFromFile);
    Next fileOverplot();
    // Past every refusal: the colour strips give way to the redraw.
    void drawing();

    Form1& f;
    std::optional<RedrawPlan> plan;
    bool drew = false;  // a refused redraw leaves the graph, its strips and legend as they were
};

Next Replot::run() {
    // Nothing is drawn where the list names a graph the run on show cannot be drawn as, nor of a run that
    // finished nothing: the graph on show stays, and Replot is withdrawn.
    plan = PlanRedraw(f);
    if (!plan) {
        f.cmdReplot.setEnabled(false);
        f.cmdReplot.setVisible(false);
        return Next::Leave;
    }
    f.codes.simulationMode = 0;
    f.codes.prevGraphCode = f.codes.graphCode;
    f.codes.prevGraphSubCode = f.codes.graphSubCode;
    DrawDistributionOnShow(f, *plan);

    // The label and title of the results shown are those their run left, whatever the lists say now. A
    // map's closing redraw comes before its run has ended: the method has just left them.
    if (f.runRecord.taken) {
        if (!f.runFlags.runUnderWay) {
            f.lblDebyeRays.setCaption(f.runRecord.methodLabel);
            f.setCaption(f.runRecord.title);
        }
    } else if (f.codes.calcMethod == kMethodDebye || f.codes.calcMethod >= kMethodAiry) {
        f.RaysCheck();
        f.setCaption(f.series.captionText);
    }

    const RunRecord* run = plan->run;
    // A Lee diagram or map is drawn on the angle grid of its stored colours: a step typed since needs New plot.
    if (f.codes.graphCode >= kGraphLee)
        if (Control* changed = InputReplotRefuses(f)) return refuseChanged(*changed);
    if (f.codes.graphCode == kGraphLee) {
        f.CheckInput(f.graph.xMin, f.graph.xMax, f.graph.yAxisMin, f.graph.yAxisMax, f.runFlags.inputError);
        if (f.runFlags.inputError == 1) {
            f.runFlags.inputError = 0;
            return Next::End;
        }
    }

    f.LockON();

    const bool overplotFromFile = f.runFlags.resultsFromFile == 1 && f.mnuOverplot.checked();
    if (overplotFromFile) f.codes.runState = Form1::kRunOverplot;

    if (f.codes.graphCode >= kGraphLee) {  // Lee diagrams and maps: redrawn from their stored colours
        drew = true;
        f.PlotLee();
        if (run) plan->distribution = run->disperse;  // the one the redraw applied, which the record notes
        return Next::End;
    }

    if (f.runFlags.resultsStale == 1) {
        f.LockOFF();
        f.cmdReplot.setEnabled(false);
        f.cmdReplot.setVisible(false);
        return Next::Leave;
    }

    if (f.runFlags.resultsFromFile == 1) {
        if (overplotFromFile) return fileOverplot();
    } else {
        f.codes.runState = Form1::kRunReplot;
        // A wavelength count, step or size changed since the run: the stored results do not answer it.
        if (Control* changed = InputReplotRefuses(f)) return refuseChanged(*changed);
    }

    const Next next = ranges();
    if (next != Next::GoOn) return next;
    drawing();
    // A sweep computes at one wavelength (the box's) whatever the wavelength list says: its curves are
    // its own, never the colour sums of an earlier run over several wavelengths.
    if (f.calc.waveCount != 1 && f.codes.graphCode < kFirstSweepGraph) return severalWavelengths();
    return oneWavelength(false);
}

void Replot::drawing() {
    drew = true;
    for (PictureBox* p : {&f.Picture1, &f.Picture2, &f.Picture3}) p->setVisible(false);
}

// An Overplot from a file: its curves on the axes on show, drawn as their run drew them, with the sun's disc of
// their angle step: the curves of one wavelength over the whole x range of their run (the range of the run that
// was on show, which the reader held the file to), the colour curves of several across the frame on show.
Next Replot::fileOverplot() {
    drawing();
    if (f.codes.graphCode >= kFirstSweepGraph || f.calc.waveCount == 1) {
        if (f.codes.graphCode < kFirstSweepGraph) f.SunCorrection();
        f.graph.xMin = Val(f.runRecord.xMinText);
        f.graph.xMax = Val(f.runRecord.xMaxText);
        return oneWavelength(true);
    }
    f.SunCorrection();
    f.graph.xMin = f.graph.frameXMin;
    f.graph.xMax = f.graph.frameXMax;
    return severalWavelengths();
}

// The totals (entry 0) of the colour sums start again from 0 over the whole grid; the single
// wavelengths stay.
void Replot::clearTotals() {
    for (auto* sums : {&f.colourSums.colourSumPerp, &f.colourSums.colourSumPara})
        std::fill((*sums)[0].begin(), (*sums)[0].end(), 0.0);
}

// An input the stored results do not answer: it is marked red after the release (which whitens the
// lists and boxes), so the user sees which one needs New plot. Nothing is drawn, and Replot is withdrawn.
Next Replot::refuseChanged(Control& box) {
    f.LockOFF();
    box.setBackColor(kRed);
    f.cmdReplot.setEnabled(false);
    f.cmdReplot.setVisible(false);
    return Next::Leave;
}

// The grid of the stored results: the step of the run that computed them.
double GridStep(const Form1& f) { return Val(f.runRecord.taken ? f.runRecord.stepText : f.cboStep.text()); }

Next Replot::ranges() {
    const double step = GridStep(f);
    std::int32_t points = 0;
    if (f.codes.graphCode < kFirstSweepGraph) {
        // The angle grid must be the one of the stored results (a step typed since then that did not
        // mark the list yellow, or results that do not cover the grid, would be drawn wrongly).
        const Checked<std::int32_t> count = CLng(90 / step + 1);
        if (!(step > 0) || !count.ok() || count.value < 2 || count.value != f.angleGrid.angleCount ||
            !StoredArraysHold(f.results, 2 * std::int64_t{count.value} - 1))
            return refuseChanged(f.cboStep);
        f.angleGrid.angleCount = count.value;
        points = 2 * f.angleGrid.angleCount - 1;
        f.SunCorrection();
    }

    for (Control* box :
         std::initializer_list<Control*>{&f.txtXmin, &f.txtXmax, &f.cboYmax, &f.cboYmin, &f.cboPol})
        box->setBackColor(kWhite);
    f.cmdOverPlot.setEnabled(true);
    f.setMousePointer(11);

    // The limits as the input checks read the boxes ("0,5" is 0.5), also where an overplot keeps them.
    f.graph.xMin = BoxValue(f.txtXmin.text());
    f.graph.xMax = BoxValue(f.txtXmax.text());
    if (!Automatic(f.cboYmin)) f.graph.yAxisMin = BoxValue(f.cboYmin.text());
    if (!Automatic(f.cboYmax)) f.graph.yAxisMax = BoxValue(f.cboYmax.text());

    // Results read from a file are redrawn despite a failed check.
    f.CheckInput(f.graph.xMin, f.graph.xMax, f.graph.yAxisMin, f.graph.yAxisMax, f.runFlags.inputError);
    if (f.runFlags.inputError == 1 && f.runFlags.resultsFromFile == 0) {
        f.runFlags.inputError = 0;
        return Next::End;
    }
    f.KeepYLimits(f.runRecord);  // the limits the redraw draws with

    pointWindow(step, points);

    if (Val(f.txtX1min.text()) > f.graph.xMin || Val(f.txtX2Max.text()) < f.graph.xMax) {
        f.cmdNewPlot_Click();
        return Next::Leave;
    }
    return Next::GoOn;
}

// The indices of the x range, and for angle graphs the window the sun's disc widens (within 1..points).
void Replot::pointWindow(double step, std::int32_t points) {
    if (f.codes.graphCode < kFirstSweepGraph) {
        f.angleGrid.firstPoint = IndexOr(f.graph.xMin / step + 1, 1);
        f.angleGrid.lastPoint = IndexOr(f.graph.xMax / step + 1, points);
        const std::int64_t from = std::int64_t{f.angleGrid.firstPoint} - f.light.sunDiscSteps;
        const std::int64_t to = std::int64_t{f.angleGrid.lastPoint} + f.light.sunDiscSteps;
        f.angleGrid.windowFirst = static_cast<std::int32_t>(std::clamp<std::int64_t>(from, 1, points));
        f.angleGrid.windowLast = static_cast<std::int32_t>(std::clamp<std::int64_t>(to, 1, points));
    } else if (f.runRecord.taken ? f.runRecord.xStepLog : f.mnuXStepLog.checked()) {
        f.angleGrid.firstPoint = 1;  // the step list holds the number of steps
        f.angleGrid.lastPoint = IndexOr(1 + step, f.angleGrid.lastPoint);
    } else if (step != 0) {
        f.angleGrid.firstPoint =
            IndexOr((f.graph.xMin - f.graph.dataXStart) / step + 1, f.angleGrid.firstPoint);
        f.angleGrid.lastPoint =
            IndexOr((f.graph.xMax - f.graph.dataXStart) / step + 1, f.angleGrid.lastPoint);
    }
}

// Several wavelengths: the totals, curves, limits and run maxima again from the stored colour sums
// (the wavelength count stays the run's: a yellow cboWave has refused already, and the list's count of
// "High", "Med." or "Low" is not the one the run derived from the radius), then the coloured curves.
Next Replot::severalWavelengths() {
    f.cmdOverPlot.setVisible(false);
    double minPerp = 1e30, minPara = 1e31, maxPerp = 0, maxPara = 0;
    f.colourSums.peakCommon = f.colourSums.peakPerp = f.colourSums.peakPara = f.colourSums.peakUnpol =
        f.colourSums.peakLee = 0;
    f.colourSums.colourPeak = 0;
    f.colourSums.colourRunMax = 0;
    const double step = GridStep(f);
    f.angleGrid.firstPoint = IndexOr(f.graph.xMin / step + 1, f.angleGrid.firstPoint);
    f.angleGrid.lastPoint = IndexOr(f.graph.xMax / step + 1, f.angleGrid.lastPoint);

    std::size_t held = SIZE_MAX;
    for (const ColourSumTable* sums : {&f.colourSums.colourSumPerp, &f.colourSums.colourSumPara})
        for (const std::vector<double>& column : *sums) held = std::min(held, column.size());
    for (const std::vector<double>* curve :
         {&f.results.intensityPerp, &f.results.intensityPara, &f.results.intensityUnpol})
        held = std::min(held, curve->size());
    const std::int64_t last =
        std::min<std::int64_t>(f.angleGrid.windowLast, static_cast<std::int64_t>(held) - 1);
    const bool few = f.calc.waveCount <= 7;
    if (few) clearTotals();  // the totals are summed again below
    SeriesEventPump pump;
    for (std::int64_t J = std::max(f.angleGrid.windowFirst, 1); J <= last; ++J) {
        pump.pumpIfDue();
        const auto j = static_cast<std::size_t>(J);
        if (few) {
            for (int i = 1; i <= std::max(f.calc.waveCount, 1); ++i) {
                const auto k = static_cast<std::size_t>(i);
                f.results.intensityPerp[j] = f.colourSums.colourSumPerp[k][j];
                f.results.intensityPara[j] = f.colourSums.colourSumPara[k][j];
                f.results.intensityUnpol[j] = (f.results.intensityPerp[j] + f.results.intensityPara[j]) / 2;
                f.colourSums.colourSumPerp[0][j] += f.colourSums.colourSumPerp[k][j];
                f.colourSums.colourSumPara[0][j] += f.colourSums.colourSumPara[k][j];
                minPerp = AMIN(minPerp, f.results.intensityPerp[j]);
                minPara = AMIN(minPara, f.results.intensityPara[j]);
                maxPerp = AMAX(maxPerp, f.results.intensityPerp[j]);
                maxPara = AMAX(maxPara, f.results.intensityPara[j]);
            }
        } else {
            for (ColourSumTable* sums : {&f.colourSums.colourSumPerp, &f.colourSums.colourSumPara})
                (*sums)[0][j] = (*sums)[1][j] + (*sums)[2][j] + (*sums)[3][j];
            f.results.intensityPerp[j] = f.colourSums.colourSumPerp[0][j];
            f.results.intensityPara[j] = f.colourSums.colourSumPara[0][j];
            f.results.intensityUnpol[j] = (f.results.intensityPerp[j] + f.results.intensityPara[j]) / 2;
            minPerp = AMIN(minPerp, f.results.intensityPerp[j]);
            minPara = AMIN(minPara, f.results.intensityPara[j]);
        }
        if (J >= f.angleGrid.firstPoint && J <= f.angleGrid.lastPoint) {
            f.sweepState.loopJ = static_cast<std::int32_t>(J);
            f.PlotN();
        }
    }
    f.graph.yScaleMin = AMIN(minPerp, minPara);
    f.graph.yScaleMax = f.colourSums.colourRunMax;
    if (!DrawsOverGraphOnShow(f)) {
        f.GridYmax(f.graph.yScaleMax, f.graph.yAxisMax);
        f.GridYmin(f.graph.yScaleMin, f.graph.yAxisMin);
        f.cls();
        f.Grid(f.graph.graphLeft, f.graph.graphRight, f.graph.graphTop, f.graph.graphBottom, f.graph.xMin,
               f.graph.xMax, f.graph.yAxisMin, f.graph.yAxisMax);
    }
    f.PlotNColour();
    return Next::End;
}

Next Replot::oneWavelength(bool overplotFromFile) {
    if (!overplotFromFile) {
        if (Automatic(f.cboYmin)) f.graph.yAxisMin = Val(f.txtY1min.text());
        if (Automatic(f.cboYmax)) f.graph.yAxisMax = Val(f.txtY2max.text());
        if (plan->distribution) {
            f.cls();
            f.Grid(f.graph.graphLeft, f.graph.graphRight, f.graph.graphTop, f.graph.graphBottom, f.graph.xMin,
                   f.graph.xMax, f.graph.yAxisMin, f.graph.yAxisMax);
        }
    }

    if (f.codes.graphCode != kGraphAngle) {
        // The efficiency and asymmetry graphs show all three curves; a stopped sweep only the points it
        // finished.
        if (f.codes.graphCode > kGraphConvergence) f.cboPol.setText("All 3");
        std::span<const double> perp = f.results.intensityPerp, para = f.results.intensityPara,
                                unpol = f.results.intensityUnpol;
        if (const ResultsInUse use = ResultsInUseOf(f.runRecord); use.stopped && use.last >= 0) {
            const auto held = static_cast<std::size_t>(use.last) + 1;
            perp = perp.first(std::min(held, perp.size()));
            para = para.first(std::min(held, para.size()));
            unpol = unpol.first(std::min(held, unpol.size()));
        }
        f.Display(perp, para, unpol);
        return Next::End;
    }
    if (!AngleResultsHeld(f.angleGrid, f.results))
        return Next::End;  // nothing is read beyond the stored arrays
    f.AngleLowerCurves();
    // The maxima the colours are scaled by, over the sun's disc of the light source drawn with now.
    if (plan->run) f.RunColours();
    if (f.DrawAngleGraph(plan->run) && plan->run) f.runRecord.variantOnShow = plan->graphSubCode;
    return Next::End;
}

void Replot::end() {
    // The results on show are drawn with the light source and polarisation chosen now, once redrawn.
    if (drew) {
        f.runRecord.lightSource = f.optSun.value() ? LightSource::Sun : LightSource::Point;
        f.runRecord.polarisation = f.cboPol.text();
    }
    f.LockOFF();
    f.VisibleData();
    f.cmdReplot.setEnabled(false);
    f.cmdReplot.setVisible(false);
    f.codes.runState = Form1::kRunNewPlot;
    DrawDistributionOnShow(f, *plan);
    if (f.codes.graphCode != kGraphLee) f.runFlags.resultsFromFile = 0;
    f.runFlags.resultsStale = 0;
    f.PolarLabel();
    f.cboLee.setEnabled(true);
    f.cboGraph.setBackColor(kWhite);
}

}  // namespace

// Redraws the graph from the stored results when only the way they are shown has changed (the Click of
// cmdReplot; display options press it through ReplotIfIdle). It holds a RedrawGuard and computes nothing:
// stale results, or a yellow cboWave, cboStep or txtRadius (which turns red), refuse; an x range beyond the
// stored one runs New plot instead. Refused while a run is under way.
void Form1::cmdReplot_Click() {
    if (RefuseWhileLocked()) return;
    if (runFlags.runUnderWay) {  // a run is on the stack, before its inputs are locked
        beep();
        return;
    }
    const RedrawGuard guard(windowState);
    ReplotFromStores();
}

// The steps of Replot without its refusals while a run is under way: the closing redraw of a map.
void Form1::ReplotFromStores() {
    Replot replot(*this);
    if (replot.run() == Next::End) replot.end();
}

}  // namespace tessary
