// The question every redraw asks before it draws stored results: what the run on show holds, as its record
// says (ResultsInUseOf), not the window's "results stale" flag (which New plot clears after every run, a
// stopped or refused one included) nor the boxes, lists or working values as they are now.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "files/data_file.h"

namespace tessary {

class Control;
class Form1;
struct RunRecord;

// The record of the results on show once their run has ended (or a data file was read); none while a run
// computes them (it takes its record when it starts and settles it when it ends: until then its draws are its
// own) and before any run.
const RunRecord* SettledRecord(const Form1& f);

// Whether the stored results hold points to draw: a run's own while it computes them; after it, every point
// of a complete run and the finished points of a stopped one, none of a run that finished none or was
// refused. A window that has recorded no run draws what its arrays hold.
bool FinishedResultsOnShow(const Form1& f);

// How the results on show are redrawn: as their record computed them (graph, wavelength count, amplitudes or
// intensities, size distribution), in the light source chosen now. The graph list decides only the next run:
// a redraw draws nothing where it names a graph the run on show cannot be drawn as. Among the angle graphs of
// one wavelength, which share their results (intensity, phase function, W/m2), the variant the list names is
// drawn, and the record then notes it as the variant on show. While a run computes (its record not settled)
// and before any run, the window's own choices are the run's.
struct RedrawPlan {
    const RunRecord* run = nullptr;  // the record drawn from; none for a run's own drawing
    int graphCode = 0, graphSubCode = 0;
    int waveCount = 1;
    bool amplitude = false;  // moduli |S| rather than intensities
    LightSource lightSource = LightSource::Point;
    std::optional<std::array<std::string, 3>> distribution;  // kind, std dev %, samples
    double radius = 0.0;                                     // the distribution's median (or mean) radius
};
std::optional<RedrawPlan> PlanRedraw(const Form1& f);

// The size distribution's picture beside a redraw: that of the run on show (nothing for one sphere), or while a
// run draws its own results, that of the boxes.
void DrawDistributionOnShow(Form1& f, const RedrawPlan& plan);

// The input for which Replot refuses to redraw the results on show (it marks it red): the wavelength count,
// angle step or size marked as changed since their run, or a wavelength count other than the run's; for a Lee
// diagram or map, only an angle step other than that of its stored colours. None for other results read from
// a file.
Control* InputReplotRefuses(Form1& f);

// Whether a display option redraws the results on show now, and Replot is offered: there is a plan to draw
// them, no input changed since they were computed and none Replot refuses them for. Otherwise the option
// changes its own mark alone, paints nothing and offers no redraw.
bool ResultsToRedraw(const Form1& f);

// Whether Overplot can draw over the graph on show: a run's finished curves of one wavelength against the
// angle or an x variable (not a Lee diagram or map, nor a run that finished no point), with the graph list
// naming that graph and the variant on show, and one wavelength in the window for the next run.
bool OverplotOffered(const Form1& f);

// Whether what is drawn now goes over the graph on show, keeping its axes: an Overplot's run, or the results of
// a file read with Plot options > Overplot from file ticked. Any other redraw draws the run on show afresh,
// however long the menu item stays ticked after its file was drawn.
bool DrawsOverGraphOnShow(const Form1& f);

// After a change of the size options on a Lee diagram, whose redraw applies them: Replot is offered where it would
// draw the diagram on show with them (one sphere, or a log-normal distribution of a standard deviation above 0,
// the only ones its checks take) and withdrawn where it would refuse.
void OfferLeeSizeRedraw(Form1& f);

// Whether the colour sums hold colours of the results on show, for the colour strip and the simulation: those
// of a run against the scattering angle with finished results, unless it averaged a size distribution at one
// wavelength, which forms intensities alone (the sums then hold an earlier run's colours).
bool ColoursOnShow(const Form1& f);

// The graph list's text of the graph the record's results are drawn as (its variant on show).
std::string GraphTextOnShow(const RunRecord& r);

// How an angle graph's variant scales the stored intensities of one wavelength: value = v * factor / divisor
// (the phase function divides, W/m2 multiplies); refusal when the variant has no value for these results, and
// the message for a scaled value that is not finite.
struct AngleVariantScale {
    double factor = 1.0, divisor = 1.0;
    std::string refusal, outOfRange;
    std::array<double, 2> watts{};  // the distance and incident intensity W/m2 are drawn with
    double of(double v) const { return v * factor / divisor; }
};
// The scale of the record's results (a run's own while it draws them: run null) in the variant: to draw them
// now (W/m2 at the incident light the dialog holds), or asDrawn, as the graph on show was drawn (W/m2 at the
// incident light the record noted when it was drawn).
AngleVariantScale AngleVariantScaleOf(Form1& f, const RunRecord* run, int variant, bool asDrawn = false);

}  // namespace tessary
