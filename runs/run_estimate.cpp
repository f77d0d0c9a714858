// Run-time estimate of the Mie and Debye series from what the run computes (see run_estimate.h).
// [1] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983),
//     appendix A: the orders of the Mie series.
#include "runs/run_estimate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "colour/wavelength_set.h"
#include "numerics/constants.h"
#include "numerics/kernel_support.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "runs/run_rules.h"
#include "scattering/debye.h"
#include "scattering/mie.h"

namespace tessary {

namespace {

// Calibrated on the machine this program is developed on, an 8-core AMD EPYC with AVX2 (December
// 2026). The costs per order and per order and angle are those of the kernels alone on one thread
// (bench/mie_bench.cpp, debye_bench.cpp, mie_gaussian_bench.cpp, vector_width_bench.cpp under
// CallingThreadOnly: the time at NANG = 2 gives the cost per order, the growth from NANG = 901 to
// 9001 the cost per order and angle). The window's costs were fitted, on the log of the ratio, to the
// whole New plot runs of bench/run_estimate_window_bench.cpp with TESSARY_THREADS=1, and the pool's
// speed-up and hand-over to the same runs with 4 and 8 threads. The machine was shared with other
// builds (load 2 to 20): 8 threads then summed 1.5 to 4.5 times faster than one, and a hand-over
// took 0.05 to 0.55 ms. The two constants of the pool lie between, so that the estimate stays within
// a factor of 3 of the runs either way; on one thread it stays within 1.3.
//
// Series orders: the recurrences and coefficients of each order, not shared out.
constexpr double kMieOrder = 35e-9;            // per order of the D_n recurrence (its start order)
constexpr double kDebyeOrder = 250e-9;         // per order of the tables and coefficients (real m)
constexpr double kDebyeOrderComplex = 380e-9;  // the same on the complex path (Im m != 0 or Re m < 1)
constexpr double kDebyeRayOrder = 5e-9;        // per order and selected ray order p
// Angle sums per order and angle pair J (theta and 180 - theta in one pass): the AVX2 build of the
// loops and the baseline (SSE2) build, 2.3 and 2.1 times slower (vector_width_bench.cpp).
constexpr double kMieAngleAvx2 = 0.75e-9;
constexpr double kMieAngleSse2 = 1.72e-9;
constexpr double kDebyeAngleAvx2 = 0.82e-9;
constexpr double kDebyeAngleSse2 = 1.72e-9;
// Gaussian beam: per order n and azimuthal order m, the beam-shape coefficients, and per (n, m) and
// angle pair the double sums (one build: no AVX2 loop).
constexpr double kBeamCoefficient = 230e-9;
constexpr double kBeamAngle = 1.95e-9;
// The window, per angle point of the window: the curves of a run drawn, the colour sums of one
// wavelength (or the average of one distribution radius), the column of one Lee row painted; and
// per run, per wavelength and per Lee row the fixed share (set-up, captions, event pump).
constexpr double kRunPoint = 0.44e-6;
constexpr double kWavePoint = 11e-9;
constexpr double kRowPoint = 0.275e-6;
constexpr double kRunFixed = 1e-3;
constexpr double kWaveFixed = 17e-6;
constexpr double kRowFixed = 70e-6;
// Speed-up of the pool on the shared part, T / (1 + c (T - 1)): the blocks that wait for the slowest,
// the memory the threads share, and the cores other programs take.
constexpr double kPoolContention = 0.4;
// Each hand-over of work to the pool's threads (one per series, per 16 blocks of 64 angles of the
// Debye series, per 256 angles of a Gaussian beam): waking the workers and waiting for the last.
constexpr double kHandOver = 0.3e-3;
// The Debye and Gaussian-beam series sum their angles on the pool from this many window angles and
// orders on (debye.h, beam_sums.h); the Mie series as MieSumsOnThePool says (mie.h).
constexpr double kThreadedAngles = 200;
constexpr double kThreadedOrders = 50;

bool Positive(double v) { return std::isfinite(v) && v > 0.0; }

RunEstimate Undefined() {
    RunEstimate e;
    e.status = EstimateStatus::Undefined;
    return e;
}

// Which series a run calls.
enum class Kernel { MiePlaneWave, DebyePlaneWave, MieBeam, DebyeBeam };

// The angle grid of the run: angle pairs J = 1..NANG, the window of angle indices (widened by the sun's
// disc, within 1..2 NANG - 1), its points and the angle pairs J of which J or 2 NANG - J lies in it.
struct Grid {
    double points = 0.0;
    double angles = 0.0;
    double nang = 0.0;  // angles from 0 to 90 degrees
};

// The series refuse grids finer than this at once (the Gaussian-beam series too), so such a run costs
// no time and asks no question; its refusal says why.
static_assert(kMieMaxNang == kDebyeMaxNang);
constexpr double kSeriesMaxNang = kMieMaxNang;

std::optional<Grid> AngleGrid(const RunSetting& s) {
    const double nang = RoundHalfEven(90 / s.step + 1);
    if (!(nang >= 2) || nang > kMaxAngleCount) return std::nullopt;
    const double first = std::max(RoundHalfEven(s.xMin / s.step + 1) - s.sunDiscSteps, 1.0);
    const double last = std::min(RoundHalfEven(s.xMax / s.step + 1) + s.sunDiscSteps, 2 * nang - 1);
    if (!std::isfinite(first) || !std::isfinite(last)) return std::nullopt;
    Grid g;
    g.nang = nang;
    g.points = std::max(last - first + 1, 0.0);
    // J in [first, min(last, NANG)] and J in [2 NANG - last, 2 NANG - first] within 1..NANG.
    const double a0 = first, a1 = std::min(last, nang);
    const double b0 = std::max(2 * nang - last, 1.0), b1 = std::min(2 * nang - first, nang);
    const double a = std::max(a1 - a0 + 1, 0.0), b = std::max(b1 - b0 + 1, 0.0);
    const double both = std::max(std::min(a1, b1) - std::max(a0, b0) + 1, 0.0);
    g.angles = a + b - both;
    return g;
}

// Seconds of one series on one thread: the part only the calling thread does, the part that the pool
// shares out, and the hand-overs of that part to the pool.
struct Cost {
    double serial = 0.0;
    double shared = 0.0;
    double handOvers = 0.0;
    void Add(const Cost& c, double times = 1.0) {
        serial += times * c.serial;
        shared += times * c.shared;
        handOvers += times * c.handOvers;
    }
    // The whole series on one thread of the pool, beside others: all shared, no hand-over of its own.
    Cost OnPool() const { return {0.0, serial + shared, 0.0}; }
};

// Runs of enough angles and orders of the Debye and beam series sum their angles on the pool.
bool SumsOnThePool(double orders, const Grid& g) {
    return g.angles >= kThreadedAngles && orders >= kThreadedOrders;
}

// The angle sums on the pool (`onPool`), `angles` angle pairs at a time, or on the calling thread.
void AddAngleSums(Cost& c, double seconds, bool onPool, const Grid& g, double angles) {
    if (onPool) {
        c.shared += seconds;
        c.handOvers += std::ceil(g.angles / angles);
    } else {
        c.serial += seconds;
    }
}

Cost MiePlaneWaveCost(const RunSetting& s, double x, const Grid& g) {
    const double mx = ComplexAbs(s.m) * x;
    const double N = x + 4 * std::cbrt(x) + 20;                     // NSTOP, [1] appendix A
    const double start = std::max(N, mx) + 20 + 8 * std::cbrt(mx);  // of the D_n recurrence
    Cost c;
    c.serial = kMieOrder * start;
    AddAngleSums(c, (s.avx2 ? kMieAngleAvx2 : kMieAngleSse2) * N * g.angles, MieSumsOnThePool(g.angles, N), g,
                 g.angles);
    return c;
}

// The orders of the Debye series: on past max(NSTOP, |m x|) by some 47 orders, as far as y_n(x)
// stays in range (about x + 38 x^(1/3), from the kernel's counts at x = 100 to 10000).
double DebyeOrders(const RunSetting& s, double x) {
    const double nStop = x + 4 * std::cbrt(x) + 2;
    const double wanted = std::max(nStop, ComplexAbs(s.m) * x) + 47;
    return std::max(nStop, std::min(wanted, x + 38 * std::cbrt(x)));
}

Cost DebyeTablesCost(const RunSetting& s, double orders) {
    const bool complexPath = s.m.im != 0.0 || s.m.re < 1.0;
    Cost c;
    c.serial = (complexPath ? kDebyeOrderComplex : kDebyeOrder) * orders +
               kDebyeRayOrder * orders * std::max(s.rayCount, 1);
    return c;
}

Cost DebyePlaneWaveCost(const RunSetting& s, double x, const Grid& g) {
    const double orders = DebyeOrders(s, x);
    Cost c = DebyeTablesCost(s, orders);
    AddAngleSums(c, (s.avx2 ? kDebyeAngleAvx2 : kDebyeAngleSse2) * orders * g.angles,
                 SumsOnThePool(orders, g), g, 16 * 64);
    return c;
}

// The Gaussian-beam series: N = max(|m x|, NSTOP) + 20 orders and M azimuthal orders (from the beam
// and the wavelength in the medium), the beam-shape coefficients and the double sums of N M terms per
// angle pair. Orders whose beam factor e^(-Re Q ((n + 1/2) s)^2) is below the double range add
// nothing and are skipped. A beam the series refuses costs nothing.
Cost BeamCost(const RunSetting& s, Kernel kernel, double x, double lambdaInMedium, const Grid& g) {
    const double nStop = x + 4 * std::cbrt(x) + 20;
    const double N = std::floor(std::max(ComplexAbs(s.m) * x, nStop)) + 20;
    GaussianBeam beam;
    std::string message;
    if (MakeGaussianBeam(s.beam, lambdaInMedium, beam, message) != BeamRefusal::None) return {};
    const double M = BeamAzimuthalBound(BeamBesselZ(static_cast<int>(std::min(N, 1e9)), beam));
    if (!((N + 1) * (M + 2) <= kBeamMaxTableEntries)) return {};  // refused: too many terms
    const double focus = beam.beamFocusTerm.re > 0 ? beam.beamFocusTerm.re : 1.0;
    const double reached = std::sqrt(745.0 / focus) / static_cast<double>(beam.beamS);
    const double terms = std::min(N, reached) * M;
    Cost c;
    if (kernel == Kernel::DebyeBeam) {
        c = DebyeTablesCost(s, std::min(DebyeOrders(s, x), N));
    } else {
        const double mx = ComplexAbs(s.m) * x;
        c.serial = kMieOrder * (N + 8 * std::cbrt(mx));
    }
    c.shared += kBeamCoefficient * terms;
    c.handOvers += 1;
    AddAngleSums(c, kBeamAngle * terms * g.angles, SumsOnThePool(N, g), g, 256);
    if (kernel == Kernel::DebyeBeam && s.beamPair) {
        Cost pair;
        pair.Add(c, 2);
        return pair;
    }
    return c;
}

Cost SeriesCost(const RunSetting& s, Kernel kernel, double radius, double lambda, const Grid& g) {
    const double x = kTwoPi * radius / lambda * s.mediumRe;
    if (!Positive(x)) return {};
    switch (kernel) {
        case Kernel::MiePlaneWave:
            return MiePlaneWaveCost(s, x, g);
        case Kernel::DebyePlaneWave:
            return DebyePlaneWaveCost(s, x, g);
        case Kernel::MieBeam:
        case Kernel::DebyeBeam:
            return BeamCost(s, kernel, x, lambda / s.mediumRe, g);
    }
    return {};
}

// The wavelengths (um) of a run over `count` wavelengths: the wavelength box for one, "RGB", or the
// centres of equal parts of the band.
std::vector<double> Wavelengths(const RunSetting& s, int count) {
    if (count <= 1) return {s.lambda};
    if (s.waveText == "RGB") return {std::begin(kRgbWavelengthsUm), std::end(kRgbWavelengthsUm)};
    std::vector<double> waves;
    waves.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) waves.push_back(BandCentre(s.bandMinUm, s.bandMaxUm, count, k));
    return waves;
}

bool UsableSetting(const RunSetting& s) {
    return Positive(s.step) && Positive(s.lambda) && std::isfinite(s.xMin) && std::isfinite(s.xMax) &&
           Positive(s.mediumRe) && std::isfinite(s.m.re) && std::isfinite(s.m.im);
}

// The speed-up of `threads` threads on the shared part of a run.
double PoolSpeedUp(int threads) {
    const double t = std::max(threads, 1);
    return t / (1 + kPoolContention * (t - 1));
}

double Seconds(const Cost& c, int threads) {
    if (threads <= 1) return c.serial + c.shared;
    return c.serial + c.handOvers * kHandOver + c.shared / PoolSpeedUp(threads);
}

}  // namespace

int EstimateWaveCount(std::string_view waveText, double r, int current) {
    if (waveText == "RGB") return 3;
    return WaveCountForRadius(waveText, r).value_or(current);
}

float SweepRatio(float sweepStart, float sweepEnd, float sweepSteps) {
    const float quotient = sweepEnd / sweepStart;
    const float exponent = 1.0f / sweepSteps;
    return static_cast<float>(std::pow(static_cast<double>(quotient), static_cast<double>(exponent)));
}

RunEstimate EstimateAngleRun(const AngleRunInput& in) {
    const RunSetting& s = in.run;
    if (!Positive(in.radius) || !UsableSetting(s)) return Undefined();
    const std::optional<Grid> grid = AngleGrid(s);
    if (!grid) return Undefined();
    const int count = EstimateWaveCount(s.waveText, in.radius, s.waveCount);
    if (count > 1 && !(Positive(s.bandMinUm) && Positive(s.bandMaxUm))) return Undefined();
    RunEstimate e;
    e.waveCount = count;
    if (s.calcMethod != kMethodMie && s.calcMethod != kMethodDebye) return e;
    if (grid->nang > kSeriesMaxNang) return e;

    const bool disperse = in.disperse && in.samples >= 1;
    const double samples = disperse ? std::min(in.samples, 1e6) : 1.0;
    // The beam series at one wavelength; several wavelengths and distributions take Debye's plane wave.
    Kernel kernel = s.calcMethod == kMethodMie ? Kernel::MiePlaneWave : Kernel::DebyePlaneWave;
    if (s.gaussianBeam && s.calcMethod == kMethodMie) kernel = Kernel::MieBeam;
    if (s.gaussianBeam && s.calcMethod == kMethodDebye && count == 1 && !disperse) kernel = Kernel::DebyeBeam;
    // The plane-wave Mie series of a distribution's radii at one wavelength run whole on the pool.
    const bool seriesOnPool = disperse && count == 1 && kernel == Kernel::MiePlaneWave && s.threads > 1;

    Cost total;
    for (const double lambda : Wavelengths(s, count)) {
        const Cost c = SeriesCost(s, kernel, in.radius, lambda, *grid);
        total.Add(seriesOnPool ? c.OnPool() : c, samples);
    }
    // The colour sums of each wavelength, or the averages of each radius, and the curves drawn.
    const double sums = count > 1 || disperse ? samples * count : 0.0;
    total.serial += sums * (kWaveFixed + kWavePoint * grid->points) + kRunFixed + kRunPoint * grid->points;
    e.seconds = Seconds(total, s.threads);
    if (!std::isfinite(e.seconds)) return Undefined();
    return e;
}

RunEstimate EstimateLeeRun(const LeeRunInput& in) {
    const RunSetting& s = in.run;
    if (!Positive(in.sweepStart) || !Positive(in.sweepEnd) || !Positive(in.sweepSteps) ||
        in.sweepSteps > kMaxLeeSteps || !UsableSetting(s) || !(s.xMax > s.xMin))
        return Undefined();
    const std::optional<Grid> grid = AngleGrid(s);
    if (!grid || !(Positive(s.bandMinUm) && Positive(s.bandMaxUm))) return Undefined();
    RunEstimate e;
    e.sweepRatio = SweepRatio(in.sweepStart, in.sweepEnd, in.sweepSteps);

    // Debye's rows take the plane wave; Mie's plane-wave rows after the first run whole on the pool,
    // ahead of the rows being painted, while they have the first row's wavelengths.
    const bool mie = s.calcMethod == kMethodMie;
    const Kernel kernel = !mie             ? Kernel::DebyePlaneWave
                          : s.gaussianBeam ? Kernel::MieBeam
                                           : Kernel::MiePlaneWave;
    const bool ahead = kernel == Kernel::MiePlaneWave && s.threads > 1;
    const bool series = (mie || s.calcMethod == kMethodDebye) && grid->nang <= kSeriesMaxNang;
    const int firstCount = EstimateWaveCount(s.waveText, in.sweepStart, s.waveCount);

    const int last = CInt(in.sweepSteps).value;  // 1..400: always in range
    int waveCount = s.waveCount;
    std::vector<double> waves;
    int wavesFor = -1;
    double r = 0.0;
    Cost total;
    for (int k = 0; k <= last; ++k) {
        r = static_cast<double>(in.sweepStart) * std::pow(static_cast<double>(e.sweepRatio), k);
        waveCount = EstimateWaveCount(s.waveText, r, waveCount);
        if (waveCount != wavesFor) {
            waves = Wavelengths(s, waveCount);
            wavesFor = waveCount;
        }
        const bool onPool = ahead && k > 0 && waveCount == firstCount;
        for (const double lambda : waves) {
            if (series) {
                const Cost c = SeriesCost(s, kernel, r, lambda, *grid);
                total.Add(onPool ? c.OnPool() : c);
            }
            total.serial += kWaveFixed + kWavePoint * grid->points;
        }
        total.serial += kRowFixed + kRowPoint * grid->points;
    }
    total.serial += kRunFixed;
    e.seconds = series ? Seconds(total, s.threads) : 0.0;
    if (!std::isfinite(e.seconds)) return Undefined();
    e.waveCount = waveCount;
    e.lastRadius = r;
    e.stepsDone = last + 1;
    return e;
}

std::optional<std::string> LongRunPrompt(double seconds) {
    if (!std::isfinite(seconds) || seconds <= kLongRunSeconds) return std::nullopt;
    const double hours = std::floor(seconds / 3600);
    // Minutes rounded half to even: 30.5 gives 30, 59.9 gives 60.
    const std::int32_t minutes = CLng((seconds - 3600 * hours) / 60).value;
    const std::string m = CStr(minutes);
    std::string line;
    if (hours < 1)
        line = "Expected duration is about " + m + " minutes";
    else if (hours == 1)
        line = "Expected duration is about 1 hour " + m + " minutes";
    else
        line = "Expected duration is about " + CStr(static_cast<double>(hours)) + " hours " + m + " minutes";
    return line + kCR + kCR + "Do you want to continue ?";
}

}  // namespace tessary
