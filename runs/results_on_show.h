// The question every redraw asks before it draws stored results: what the run on show holds, as its record
// says (ResultsInUseOf), not the window's "results stale" flag (which New plot clears after every run, a
// stopped or refused one included) nor the boxes, lists or working values as they are now.
#pragma once

namespace tessary {

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

// Whether a display option redraws the results on show now: they hold finished points and no input changed
// since they were computed. Otherwise the option changes its own mark alone, paints nothing and offers no
// redraw.
bool ResultsToRedraw(const Form1& f);

// Whether the colour sums hold colours of the results on show, for the colour strip and the simulation: those
// of a run against the scattering angle with finished results, unless it averaged a size distribution at one
// wavelength, which forms intensities alone (the sums then hold an earlier run's colours).
bool ColoursOnShow(const Form1& f);

}  // namespace tessary
