// Arithmetic of the calculation runs that needs no window: the wavelength count of the "High", "Med."
// and "Low" sets, the sizes of the result arrays, and the percentage the progress display shows.
// The window procedures read their controls, call these and apply the results.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "graphs/graph_codes.h"
#include "runs/method_codes.h"

namespace tessary {

// The number of wavelengths of the sets "High", "Med." and "Low" for a sphere radius (um): the whole
// part of 6000, 3000 or 1000 over the radius, held to 30..1000, 10..300 and 7..100. Worked in double
// and held before it becomes a whole number, so a radius of 0 (an infinite quotient), a tiny or a
// negative radius gives a limit, never an overflow. nullopt for any other text (exact comparison).
std::optional<int> WaveCountForRadius(std::string_view waveText, double radius);

// The wave number in the medium, k = 2 pi mediumRe / lambda, in 1/m for a vacuum wavelength in um: the
// k of the size parameter, by which |S|^2 becomes a cross-section |S|^2 / k^2 or an irradiance
// E |S|^2 / (k^2 d^2). A medium index that is not above 0 (not yet formed) counts as vacuum.
double MediumWaveNumber(double wavelengthUm, double mediumRe);

// The finest angle grid a run accepts: 90001 angles from 0 to 90 degrees (a step of 0.001 degree).
inline constexpr int kMaxAngleCount = 90001;

// The message of a method or graph this version cannot compute yet ("<what> cannot be computed by
// this version of Tessary.").
std::string NotAvailableMessage(std::string_view what);

// Upper index bounds (arrays run from 0) that the next run needs. -1 leaves that group as it is.
struct ResultArrayBounds {
    int leeSteps = -1;  // colour stores of Lee diagrams and maps: 0..leeSteps by 0..leePoints
    int leePoints = -1;
    int curves = -1;       // the seven curve arrays
    int sunDisc = -1;      // sunDiscWeights
    int angleTables = -1;  // muTable, piTable, pi0Table, piPrev, tauTable
    int amplitudes = -1;   // s1Amp, s2Amp (per part)
    int colourSums = -1;   // colourSumPerp, colourSumPara (per column): grown only, never below 18001
    std::optional<float> sweepSteps;  // new value of sweepSteps (graph codes 20 and 22 to 25)
};

struct ArraySizeInput {
    int graphCode = kGraphAngle;
    double xMin = 0.0, xMax = 180.0;  // values of txtXmin and txtXmax
    double step = 0.1;                // value of cboStep (for logarithmic x steps: the point count)
    double leeStepBox = 0.0;          // value of txtRstep
    double mapStepBox = 0.0;          // value of txtF9_step
    float currentSweepSteps = 0.0f;   // sweepSteps now (kept for codes 21 and above 25)
    bool logSteps = false;            // mnuXStepLog checked
};

// The fixed bounds of the standard layout: 0..18001 points (180 degrees at 0.01), 0..9001 angles
// from 0 to 90 degrees, 0..25 sun-disc weights.
inline constexpr int kFixedPoints = 18001;
inline constexpr int kFixedAngles = 9001;
inline constexpr int kFixedSunDisc = 25;
// Finest grid the arrays grow to: 200000 points. A step, range or count that would need more, or that
// is zero, negative or not a number, gets the fixed sizes: the run's own checks refuse such input, and
// the arrays stay usable meanwhile.
inline constexpr int kMaxPoints = 200000;
// Largest colour store of a Lee diagram or map, in elements per store; beyond it the stores stay at
// 2 x 2 and the sweep's own checks refuse the run.
inline constexpr long long kMaxLeeElements = 4000000;

// The bounds by graph code: Lee and map stores (2 x 2 below code 20), the curves of x-variable graphs
// (codes 10 to 19; the convergence graph 13 always 0..18001, logarithmic steps count points), and the
// curves, sun-disc weights, angle tables and amplitudes of angle graphs and Lee diagrams (codes below
// 10, and 20). Maps (22 to 25) keep those. Each grows past its fixed bound only when the grid needs it.
ResultArrayBounds ArrayBoundsFor(const ArraySizeInput& in);

// The counters the progress rules read.
struct ProgressInput {
    int calcMethod = kMethodNone;
    int graphCode = kGraphAngle;
    int waveCount = 1;
    bool disperse = false;       // optDisp selected
    bool gaussian = false;       // mnuGaussian checked
    double sweepFraction = 0.0;  // value of the caption of Label20
    double loopN = 0, termCount = 0;
    double loopJ = 0, firstPoint = 0, lastPoint = 0;
    double outerCount = 0, loopI = 0, loopK = 0, sampleCount = 0;
    double stepsDone = 0, stepsTotal = 0;
    float progressPercent = 0;  // the value of the previous call
};

enum class ProgressDisplay {
    A,  // shown when above the shown value + 1, no upper limit
    B,  // shown when above the shown value + 0.2, two decimals (slow Debye runs below 2 %)
    C,  // shown when above the shown value + 1 and at most 100
};

struct ProgressValue {
    float percent = 0;
    ProgressDisplay display = ProgressDisplay::C;
};

// The percentage by the first matching rule: x-variable sweeps (methods 1 to 5, codes 10 to 19) from
// the sweep fraction; size distributions (methods 1 to 5) from the wavelength, sample and order
// counters; otherwise by method: series orders (Mie), angle indices (Gaussian beams), steps (Debye,
// Airy, ray methods, Huygens), or the previous value. Every quotient in floating point. nullopt when a
// counter quotient is undefined (a zero count): the display keeps what it shows.
std::optional<ProgressValue> ProgressPercentage(const ProgressInput& in);

// Whether a value is to be drawn over the shown one (the step as a Single, as the display keeps it).
bool ProgressDue(const ProgressValue& value, float shown);

// The first series order from `from` to `last` at which the percentage (loopN the order, termCount
// `last`, the other counters as in `in`) rises above the shown value by a step, `last` when none
// before it: a series need report only that order and its last one, the percentage of every order
// between drawing nothing. The percentage is the floor of a linear function of the order, so the
// first step is found by bisection; `from` (no skipping) when its form of display changes on the
// way.
std::int32_t NextProgressOrder(ProgressInput in, std::int32_t from, std::int32_t last, float shown);

}  // namespace tessary
