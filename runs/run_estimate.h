// Run-time estimate of the series methods (Mie and Debye): fitted polynomials in the sphere radius
// and the angle range, scaled by the angle step, the wavelength count and the wavelength, for angle
// graphs and Lee diagrams; and the "Long calculation !" question for estimates above half an hour.
// The polynomials give cost units (they were fitted to run times on a much older machine); a fixed
// rate per method and graph family, measured on whole runs of this program, turns units into the
// seconds that a user waits. Nothing is timed at run time, so the same inputs give the same estimate.
//
// Pure functions (no window): the window's Duration reads the boxes and menus, calls these and writes
// the results back. An input that would make a formula divide by zero or take the logarithm of a
// number <= 0 gives no estimate (status Undefined) and so no question.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runs/method_codes.h"

namespace tessary {

// Above this estimate (seconds) the user is asked whether to go on.
inline constexpr double kLongRunSeconds = 1800.0;
// Seconds per cost unit of whole New plot runs (checks, series, colour sums, drawing), from
// BM_EstimatedRun in bench/run_estimate_window_bench.cpp (December 2026, 8 threads, median of 3): the
// slowest run of each family, times kSlowerMachineMargin for slower machines or fewer cores.
//   Mie angle graphs (one wavelength, 300 and 2000 wavelengths, a distribution): 1.4e-4 .. 5.8e-4
//   Debye angle graphs (one and five ray orders, 300 wavelengths): 2.8e-5 .. 2.3e-4
//   Mie Lee diagrams (RGB, 1 -> 100 and 10 -> 1000 um): 2.2e-4 .. 4.3e-4
//   Debye Lee diagram (RGB, 1 -> 100 um, one ray order): 3.3e-3
inline constexpr double kSlowerMachineMargin = 3.0;
inline constexpr double kMieAngleSecondsPerUnit = 6.0e-4 * kSlowerMachineMargin;
inline constexpr double kDebyeAngleSecondsPerUnit = 2.4e-4 * kSlowerMachineMargin;
inline constexpr double kMieLeeSecondsPerUnit = 4.4e-4 * kSlowerMachineMargin;
inline constexpr double kDebyeLeeSecondsPerUnit = 3.4e-3 * kSlowerMachineMargin;

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

// An angle graph (graph code 1).
struct AngleRunInput {
    int calcMethod = kMethodMie;  // 1 Mie, 2 Debye (any other gives 0 seconds)
    double radius = 0.0;          // um
    double step = 0.0;            // angle step, degrees
    double range = 0.0;           // maximum angle - minimum angle, degrees
    int waveCount = 1;            // after the wave-count rule
    double lambda = 0.0;          // wavelength, um (used with one wavelength)
    bool disperse = false;
    double samples = 0.0;  // number of distribution radii (value of the sample-count list)
};

// A Lee diagram (graph code 20): radii sweepStart * sweepRatio^k, k = 0 .. round(sweepSteps).
struct LeeRunInput {
    int calcMethod = kMethodMie;
    float sweepStart = 0.0f;  // smallest radius, um
    float sweepEnd = 0.0f;    // largest radius, um
    float sweepSteps = 0.0f;  // number of radius steps
    double step = 0.0;        // angle step, degrees
    double range = 0.0;       // angle range, degrees
    std::string_view waveText;
    int waveCount =
        1;  // count before the sweep; "RGB" makes it 3, "High", "Med." and "Low" set it per radius
};

struct RunEstimate {
    EstimateStatus status = EstimateStatus::Ok;
    double seconds = 0.0;  // cost units, before the factor of the number of Debye ray orders
    // Lee diagrams only: the geometric factor between radii (Single), and the wave count, radius and
    // step index the loop ended with.
    float sweepRatio = 0.0f;
    int waveCount = 0;
    double lastRadius = 0.0;
    int stepsDone = 0;  // round(sweepSteps) + 1
};

// Cost units. Mie: T = A(range) C(r) 0.01 / step, times 0.65 / lambda for one wavelength or times
// n 0.1 (4.2380146 + 1.2130768 ln r) for n wavelengths. Debye: T = (7.76814 + 1.81405 r +
// 1.369248e-05 r^2) (range / step n) / 18000, times 0.65 / lambda or 0.65 / 0.515. A distribution
// multiplies by its number of radii.
RunEstimate EstimateAngleRun(const AngleRunInput& in);

// Sum over the radius steps of F(range) times the step time P(r) of the method; F is a quartic in
// log10(range / 10). No wavelength or distribution factor.
RunEstimate EstimateLeeRun(const LeeRunInput& in);

// The seconds a run of `units` cost units is expected to take: units times the rate of the method
// (1 Mie, 2 Debye; any other 0) on a Lee diagram or on an angle graph.
double ExpectedSeconds(int calcMethod, bool leeDiagram, double units);

// The question for an estimate of `seconds`, or nothing when it is not above kLongRunSeconds (or not
// a finite number). H = whole hours, M = the remaining minutes rounded half to even (so M can be 60):
// "Expected duration is about M minutes" / "... about 1 hour M minutes" / "... about H hours M
// minutes", then CR CR "Do you want to continue ?".
std::optional<std::string> LongRunPrompt(double seconds);

}  // namespace tessary
