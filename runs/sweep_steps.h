// The steps of a sweep over an x variable (graphs against wavelength, radius, size parameter,
// refractive index; convergence; efficiencies, cross-sections and asymmetry parameter): the step
// table, the inputs each step hands the method, and the values stored per step.
#pragma once

#include <cstdint>
#include <optional>

#include "numerics/complex.h"

namespace tessary {

// Graph codes whose steps may be logarithmic (the step list then holds the number of steps).
bool SweepLogStepCode(int graphCode);

// Index range and x values of a sweep. x(i) = xMin + (i - 1) step, or LogSweepValue(xMin, xMax, step,
// i - 1) (numerics/elementary.h); both counted from i = 1 whatever firstPoint is. sweepRatio is the
// ratio as a Single, kept for the window's own use (it does not form x).
struct SweepPlan {
    std::int32_t firstPoint = 1, lastPoint = 1;
    bool logSteps = false;
    float sweepRatio = 1.0f;
    double xMin = 0.0, xMax = 0.0;
    double step = 0.0;

    double x(std::int32_t i) const;
};
// xFrom, xTo: the boxes' values (point count of linear steps); xMin, xMax: the run's x range (ratio of
// logarithmic steps); step: the step list's value. nullopt when the point count has no whole number
// from 1 to 200000.
std::optional<SweepPlan> PlanSweep(int graphCode, double xFrom, double xTo, double xMin, double xMax,
                                   double step, bool logMenu);

// Step k of an angle map: linear from low (k = 0) to high (k = steps).
double MapSweepValue(double low, double high, int k, double steps);

// The ratio of a Lee diagram's radii, as its run takes it from its first and last radius and its steps
// (Singles): (end / start) ^ (1 / steps) as a Single.
float LeeRatio(float start, float end, float steps);
// The end radius of a Lee diagram of `steps` steps from start whose LeeRatio is `ratio`: the Single
// nearest start ratio^steps that gives it (among 64 either side), so a diagram saved as the diagram of the
// steps it finished is computed again at the radii its rows were computed at. The nearest Single when none
// does.
float LeeEndOfRatio(float start, float ratio, int steps);

// The coarsest angle grid of step 90/n, n = 1..9000, that holds theta (degrees) within 1E-5 of a grid
// point: angleCount = n + 1 and the angle's index. nullopt off the grid or outside 0..180.
struct AngleOnGrid {
    std::int32_t angleCount = 0;
    std::int32_t angleIndex = 0;
};
std::optional<AngleOnGrid> AngleGridFor(double theta);

// Where the relative index of a step comes from.
enum class StepIndex {
    Frame,      // as the run's set-up took it from the boxes
    Refrel,     // from the index models at the step's wavelength
    Boxes,      // from the index boxes (convergence; efficiencies against radius or size)
    SweptReal,  // the swept value is Re(m); Im(m) from the index boxes
};
// The inputs of one step: wavelength and radius in um, size parameter, index source, whether the
// unit factor follows the menus (else 1), whether the radius is printed beside the graph.
struct SweepStep {
    double wavelength = 0.0;
    double radius = 0.0;
    double sizeParam = 0.0;
    StepIndex index = StepIndex::Frame;
    bool unitByMenus = false;
    bool radiusBox = false;
};
// x: the step's x value (nm for the wavelength axes); lambdaBox: the wavelength box (um); radius: the
// run's radius; mediumRe: the medium's real index. The size parameter is 2 pi r nmedium / lambda, and
// a swept size parameter gives r = x lambda / (2 pi nmedium).
SweepStep SweepStepFor(int graphCode, int graphSubCode, double x, double lambdaBox, double radius,
                       double mediumRe);

// The three values stored at a step of one size: intensities |S|^2 / K (moduli |S| / K with
// `amplitude`, the unpolarised one their mean), Qext, Qsca, Qabs or the cross-sections in m^2, or g.
struct SweepValues {
    double perp = 0.0, para = 0.0, unpol = 0.0;
};
struct SweepResults {
    Complex s1, s2;  // at the chosen angle
    double qExt = 0.0, qSca = 0.0, g = 0.0;
};
std::optional<SweepValues> StoredSweepValues(int graphCode, int graphSubCode, const SweepResults& r,
                                             double waveNumberSq, bool amplitude, double radius);

}  // namespace tessary
