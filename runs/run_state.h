// What a run of the main window computes and keeps (members of Form1): the drop and light of the
// calculation, the angle grid, the sweep, the progress and the stored results.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessary {

// The drop, light and index of the calculation under way.
struct CalcInputs {
    int waveCount = 0;  // wavelengths per run
    double radius = 0.0;
    double sizeParam = 0.0;
    double wavelength = 0.0;
    double waveNumber = 0.0;
    double waveNumberSq = 0.0;
    double calcIndexRe = 0.0, calcIndexIm = 0.0;  // m of the method call
    int absorbingFlag = 0;                        // 2 for an absorbing sphere (graph codes 14 to 16)
};

// The angle grid of the run: its size and step, the angle being computed, and the index windows.
struct AngleGrid {
    std::int32_t angleCount = 0;
    double angleStepRad = 0.0;
    double theta = 0.0;
    std::int32_t mirrorIndex = 0;
    std::int32_t angleTotal = 0;
    int angleIndex = 0;                            // the index of the angle of txtAngle on its grid
    std::int32_t firstPoint = 0, lastPoint = 0;    // angle indices of the graph's x range
    std::int32_t windowFirst = 0, windowLast = 0;  // angle indices the method computes
};

// The sweep over an x variable (and the Lee and map sweeps): its range and loop counters.
struct SweepState {
    float sweepStart = 0.0f, sweepEnd = 0.0f, sweepSteps = 0.0f, sweepRatio = 0.0f;
    int loopStep = 0, loopI = 0, loopK = 0;
    std::int32_t loopJ = 0, loopP = 0;
    // The sweep's step index that DispCalc stores at; steps captioned so far, and the one the
    // progress display showed.
    std::int32_t sweepIndex = 0;
    std::int64_t sweepStepCount = 0, sweepStepShown = -1;
};

// The progress of the running calculation.
struct RunProgress {
    float progressPercent = 0.0f;
    float progressShown = 0.0f;
    std::int32_t termCount = 0, loopN = 0;  // series orders of the run, the current order
    int outerCount = 0;                     // wavelength number (from Label14)
    double stepsDone = 0.0, stepsTotal = 0.0;
    double estimatedSeconds = 0.0;  // the seconds Duration last estimated for the run (bench/ reads them)
};

// The results of the run on show: amplitudes, curves, distribution sums, angle functions and
// efficiencies.
struct StoredResults {
    std::array<std::vector<double>, 2> s1Amp, s2Amp;  // S1 and S2 per angle index
    std::vector<double> spareCurve;
    std::vector<double> intensityPerp, intensityPara, intensityUnpol;  // the curves, per point
    std::vector<double> avgPerp, avgPara, avgUnpol;  // distribution sums, phases, scaled curves
    std::vector<double> muTable, piTable, pi0Table, piPrev, tauTable;  // angle functions, 0..90 deg
    double qSca = 0.0, qExt = 0.0, qBack = 0.0, asymmetryG = 0.0;
    double scatNorm = 0.0;  // normalisation of the phase function
};

// The values runState takes (held as a plain int: tests and stops set and compare the numbers). Form1
// brings them into its scope, so that both kRunStopped and Form1::kRunStopped name them.
enum RunState : std::int32_t {
    kNoRunYet = 0,     // no run since the window opened
    kRunNewPlot = 1,   // New plot under way, or the last run or redraw has ended
    kRunOverplot = 2,  // Overplot under way: the curves go into the graph on show
    kRunReplot = 3,    // Replot redrawing the stored results
    kRunStopped = 4,   // Stop answered Yes, or a method refused: the run ends at its next check
};

// How the last New plot ended: refused by its checks or declined, stopped after it started (Stop, or a
// method that failed) or computed in full.
enum class NewPlotEnd { Refused, Stopped, Computed };

// The efficiencies of the run whose graph is on show, each only when that run computed it whole (a
// stopped or refused series, amplitudes divided by x and the methods without efficiencies leave it empty;
// the Mie series gives them whatever the angle range); the data box shows only these. Emptied at the start
// of every run.
struct RunReadout {
    std::optional<double> qSca, qExt, qBack;
    // x, Re m and Im m of the run's last whole plane-wave Mie series of an angle graph whose window left out 0 or
    // 180 degrees: the run's end forms Qext and Qback of that series at those angles once, not per wavelength.
    std::optional<std::array<double, 3>> endsOf = std::nullopt;
};

// A wavelength of the first row of a Lee diagram as its series was called (wavelength, the medium's
// index, m), from which the series of the later rows are computed ahead on the pool.
struct LeeWave {
    double wavelength, mediumRe, mRe, mIm;
};

}  // namespace tessary
