// Run-time estimate of the series methods (Mie and Debye, plane wave and Gaussian beam) for angle
// graphs and Lee diagrams, and the "Long calculation !" question for estimates above half an hour.
//
// The estimate counts what the run will compute, series by series, before it starts: the orders of
// each series (its serial part: recurrences, coefficients), the orders times the angles of the window
// (the angle sums, which the worker pool shares out), for a Gaussian beam the orders times the
// azimuthal orders (beam-shape coefficients, and per angle), and the window's own work per point
// (colour sums per wavelength, the columns of a Lee diagram, the curves drawn). Each count has its
// cost in seconds on one thread, measured on this program's kernels and whole runs; the shared part
// is divided by the speed-up of the pool's threads. So the estimate is a pure function of the run's
// inputs, the thread count and whether the processor has AVX2: nothing is timed at run time, and the
// same inputs give the same estimate.
//
// Pure functions (no window): the window's Duration reads the boxes and menus, calls these and writes
// the results back. An input that leaves the run undefined (a step, wavelength or radius that is not
// a positive number, a Lee sweep of no or too many steps) gives no estimate (status Undefined) and so
// no question. An angle grid finer than the series take (more than 9001 angles from 0 to 90 degrees),
// which they refuse at once, is estimated at 0 seconds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numerics/complex.h"
#include "runs/method_codes.h"
#include "scattering/beam_shape.h"

namespace tessary {

// Above this estimate (seconds) the user is asked whether to go on.
inline constexpr double kLongRunSeconds = 1800.0;

// Largest number of radius steps of a Lee diagram.
inline constexpr double kMaxLeeSteps = 400.0;

enum class EstimateStatus {
    Ok,
    Undefined,  // a step, wavelength, radius, range or step count that is not a usable positive number
};

// The wave count the estimate uses at radius r (> 0): 3 for "RGB"; "High", "Med." and "Low" as a
// run counts them (6000, 3000, 1000 over r, held to 30..1000, 10..300, 7..100); any other text keeps
// `current`.
int EstimateWaveCount(std::string_view waveText, double r, int current);

// The geometric factor between the radii of a Lee diagram, (sweepEnd / sweepStart)^(1 / sweepSteps),
// as a Single (the quotients in Single, the power in double). The caller ensures three positive values.
float SweepRatio(float sweepStart, float sweepEnd, float sweepSteps);

// What every estimate reads: the method, the sphere, the angle grid, the wavelengths and the machine.
struct RunSetting {
    int calcMethod = kMethodMie;  // 1 Mie, 2 Debye (any other: 0 seconds)
    bool gaussianBeam = false;    // the beam menu
    GaussianBeamInput beam;       // the beam dialog, with gaussianBeam
    bool beamPair = false;        // Debye: a second beam at (-xf, -yf)
    int rayCount = 1;             // Debye: ray orders selected
    Complex m{1.33, 0.0};         // relative refractive index (taken for every wavelength)
    double mediumRe = 1.0;        // real index of the medium: x = 2 pi r mediumRe / lambda
    double step = 0.1;            // angle step, degrees
    double xMin = 0.0;            // angle range, degrees
    double xMax = 180.0;
    int sunDiscSteps = 0;       // angle points added at each end of the window for the sun's disc
    std::string_view waveText;  // the wavelength list: "RGB", "High", "Med.", "Low" or a count
    int waveCount = 1;          // the count the run takes for any other text
    double lambda = 0.65;       // the wavelength of a run at one wavelength, um
    float bandMinUm = 0.38f;    // the band that several wavelengths cut into equal parts, um
    float bandMaxUm = 0.7f;
    int threads = 1;    // threads of the pool that the run will use (at most the processor's cores)
    bool avx2 = false;  // the angle loops run their AVX2 build
};

// An angle graph (graph code 1).
struct AngleRunInput {
    RunSetting run;
    double radius = 0.0;  // um
    bool disperse = false;
    double samples = 0.0;  // number of distribution radii (value of the sample-count list)
};

// A Lee diagram (graph code 20): radii sweepStart * sweepRatio^k, k = 0 .. round(sweepSteps).
struct LeeRunInput {
    RunSetting run;
    float sweepStart = 0.0f;  // smallest radius, um
    float sweepEnd = 0.0f;    // largest radius, um
    float sweepSteps = 0.0f;  // number of radius steps
};

struct RunEstimate {
    EstimateStatus status = EstimateStatus::Ok;
    double seconds = 0.0;  // expected wall time of the run
    // The wave count by the rule (angle graphs: at the radius; Lee diagrams: at the last radius), and
    // for Lee diagrams the geometric factor between radii (Single), the last radius and the steps.
    int waveCount = 0;
    float sweepRatio = 0.0f;
    double lastRadius = 0.0;
    int stepsDone = 0;  // round(sweepSteps) + 1
};

// The estimate of an angle graph: one series per wavelength (per distribution radius and wavelength
// with a size distribution) and the window's work on the curves.
RunEstimate EstimateAngleRun(const AngleRunInput& in);

// The estimate of a Lee diagram: one row per radius, each with the series of its wavelengths and the
// painting of its column.
RunEstimate EstimateLeeRun(const LeeRunInput& in);

// The question for an estimate of `seconds`, or nothing when it is not above kLongRunSeconds (or not
// a finite number). H = whole hours, M = the remaining minutes rounded half to even (so M can be 60):
// "Expected duration is about M minutes" / "... about 1 hour M minutes" / "... about H hours M
// minutes", then CR CR "Do you want to continue ?".
std::optional<std::string> LongRunPrompt(double seconds);

}  // namespace tessary
