// The value rules of the input checks; see input_rules.h.
#include "runs/input_rules.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "colour/lee_diagram.h"
#include "graphs/graph_codes.h"
#include "media/size_distribution.h"
#include "numerics/kernel_support.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "runs/run_estimate.h"
#include "runs/sweep_steps.h"
#include "scattering/mie.h"

namespace tessary {

namespace {

constexpr const char* kSmallerStep = "Select a smaller step size";
constexpr const char* kWide = "Increase the step size or reduce the maximum/minimum range";
// Largest number of points of a sweep over an x variable, and of angle points of a Lee row.
constexpr double kMaxSweepPoints = 18000;
constexpr double kMaxLeeAnglePoints = 1000;

bool IsMap(int graphCode) { return graphCode >= kGraphMapIndex && graphCode <= kGraphMapWavelength; }

// A step larger than the range; a step equal to it as typed (1.4 - 1.3 is 0.0999...) gives its two ends.
bool StepBeyondRange(double step, double range) { return step > range * (1 + 1e-9); }

// A refusal that paints `red` (the first is what the message is about).
InputRefusal Red(std::vector<RuleInput> red, std::string prompt) {
    InputRefusal r;
    r.prompt = std::move(prompt);
    r.about = red.front();
    r.red = std::move(red);
    return r;
}
InputRefusal Flash(RuleInput input, std::string prompt) {
    InputRefusal r = Red({input}, std::move(prompt));
    r.flash = true;
    return r;
}

// The message of a Lee distribution narrower than 3 radius steps: the least standard deviation (in % of the
// radius, as typed, two decimals) that passes w = 3 sigma / growth >= 3 in the check's Single arithmetic,
// or, when that one is already wider than a third of the steps (fewer than 9 steps leave no room at all),
// the number of steps that is too small.
std::string LeeDeviationTooSmall(float growth, float steps) {
    const std::string noRoom = "Increase the number of steps (at least 9 for a size distribution)";
    if (!(growth > 0.0f) || !(steps >= 9.0f)) return noRoom;
    const double hundredths = std::ceil(static_cast<double>(growth) * 1e4);
    for (int k = -1; k <= 2; ++k) {  // the Single rounding of sigma can move the limit by one
        const std::string text = Format((hundredths + k) / 100, "#0.##");
        const float sigma = static_cast<float>(Val(text) / 100);
        const float w = 3.0f * sigma / growth;
        if (w < 3.0f) continue;
        if (w > steps / 3.0f) return noRoom;
        return "Increase the Standard Deviation to at least " + text + " %";
    }
    return noRoom;
}

constexpr const char* kAngleGraphsOnly =
    "This calculation method is available only for graphs against scattering angle at one wavelength and one size";

InputRefusal RedError(RuleInput input, std::string prompt) {
    InputRefusal r = Red({input}, std::move(prompt));
    r.title = "Error";
    return r;
}

bool EfficiencyGraph(int code) { return code >= kGraphEfficiency && code <= kGraphAsymmetry; }

}  // namespace

bool NormalSampleNotPositive(const std::string& distribution, const std::string& deviation,
                             const std::string& samples) {
    if (distribution != "Normal") return false;
    const Checked<std::int16_t> n = CInt(Val(samples));
    DistributionAbscissae t{};
    if (!n.ok() || !FillAbscissae(n.value, t)) return false;
    const float sigma = static_cast<float>(Val(deviation) / 100);
    return 1.0 + static_cast<double>(sigma) * t[static_cast<std::size_t>(n.value)] <= 0.0;
}

std::optional<InputRefusal> DeviationRule(const RangeInputs& in) {
    if (!in.disperse || in.distribution == "Special") return std::nullopt;
    InputRefusal r;
    r.about = RuleInput::Deviation;
    if (NormalSampleNotPositive(in.distribution, in.deviation, in.samples)) {
        r.prompt = "Reduce the standard deviation";
        r.title = "Normal distribution";
        return r;
    }
    if (Val(in.deviation) > 0) return std::nullopt;
    r.prompt = "Modify the standard deviation";
    return r;
}

// The polar plot of intensities needs the whole angle range of one wavelength (the amplitude-phase diagram
// works on any); the two panels of intensity and polarisation have none.
std::optional<InputRefusal> PolarPlotRule(const RangeInputs& in) {
    if (!in.polarPlot) return std::nullopt;
    InputRefusal r;
    r.title = "Option not available";
    r.about = RuleInput::Graph;
    if (in.intensityPolarisation) {
        r.prompt = "Polar plots are not available for graphs of Intensity and Polarisation";
        return r;
    }
    if (in.amplitudePhase) return std::nullopt;
    if (in.graphText != "Intensity v. scattering angle") {
        r.prompt = std::string("Polar plots are available only for ") + kCR +
                   "graphs of Intensity v. scattering angle";
        return r;
    }
    if (in.waveCount < 2 && in.xLow == 0 && in.xHigh == 180) return std::nullopt;
    r.about = in.waveCount >= 2 ? RuleInput::Waves : in.xLow != 0 ? RuleInput::XMin : RuleInput::XMax;
    r.prompt = std::string("Polar plots are available only when scattering angles") + kCR +
               "cover entire range from 0 to 180 degrees";
    return r;
}

std::optional<InputRefusal> InterpolationRule(const RangeInputs& in) {
    const double waves = Val(in.waveText);  // "RGB", "High", ... read as 0
    if (!in.interpolate || !(waves > 1 && waves <= 7)) return std::nullopt;
    InputRefusal r;
    r.prompt = "Cubic interpolation is implemented only for 1 wavelength or for more than 7 wavelengths";
    r.title = "Error";
    r.about = RuleInput::Waves;
    return r;
}

// A map row is one sphere, which nothing would average; a Lee diagram needs a Log-normal distribution; any
// other graph N as the text means it and as the run reads it ("10,5" is no N, nor is "10x"): 5, 10, 20 or 50.
std::optional<InputRefusal> DistributionRule(const RangeInputs& in) {
    if (!in.disperse) return std::nullopt;
    if (IsMap(in.graphCode))
        return Red({RuleInput::Disperse}, "Size distributions are not available for angle maps");
    if (in.graphCode == kGraphLee) {
        if (in.distribution == "Log-normal") return std::nullopt;
        return Red({RuleInput::Distribution}, "Log-normal distribution must be used for Lee diagrams");
    }
    const std::optional<double> n = TypedNumber(in.samples);
    if (!n || *n != Val(in.samples) || (*n != 5 && *n != 10 && *n != 20 && *n != 50))
        return Red({RuleInput::Samples}, "Incorrect value of N");
    return std::nullopt;
}

std::optional<InputRefusal> MieOnlyGraphRule(const RangeInputs& in) {
    if (in.calcMethod <= kMethodMie || !EfficiencyGraph(in.graphCode)) return std::nullopt;
    return RedError(RuleInput::Graph, "Selected graph type is available only for Mie calculations");
}

// The beam series write no efficiencies, and divide the phase function by a Qsca they leave at 0; Huygens
// reads its ray count from the angle box, which is its own only on angle graphs.
std::optional<InputRefusal> SweepMethodRule(const RangeInputs& in) {
    const int code = in.graphCode, method = in.calcMethod;
    const bool sweep = code >= kFirstSweepGraph && code <= kGraphAsymmetry;
    const bool disperse = in.disperse && code < kGraphLee;
    if (EfficiencyGraph(code) && in.gaussian)
        return RedError(RuleInput::Graph,
                        "Selected graph type is available only for plane-wave Mie calculations");
    if (code == kGraphAngle && in.graphSubCode == kSubPhaseFunction && in.gaussian &&
        (method == kMethodMie || method == kMethodDebye))
        return RedError(
            RuleInput::Graph,
            "The phase function needs the scattering efficiency Qsca, which the Gaussian-beam series do "
            "not compute: it is available only for a plane wave");
    if (((sweep || disperse) && method >= kMethodAperture && method <= kMethodVanDeHulst) ||
        (sweep && method == kMethodHuygens))
        return RedError(RuleInput::Method, kAngleGraphsOnly);
    if (code == kGraphConvergence && method != kMethodMie && method != kMethodDebye)
        return RedError(RuleInput::Method,
                        "The convergence graph is available only for Mie and Debye calculations");
    if (disperse && code >= kGraphConvergence && code <= kGraphAsymmetry)
        return Red({RuleInput::Distribution},
                   "Size distributions are available only for graphs of intensity");
    if (disperse && code == kGraphRadius && in.distribution == "Special")
        return Red({RuleInput::Distribution},
                   "Special distributions are not available for graphs against radius or size parameter");
    return std::nullopt;
}

// Aperture and van de Hulst have no routine for colours, Lee diagrams or maps; Huygens reads its ray count from
// the angle box, hidden on Lee diagrams and a size on maps.
std::optional<InputRefusal> ColourPathRule(const RangeInputs& in) {
    const bool leeOrMap = in.graphCode == kGraphLee || IsMap(in.graphCode);
    const bool huygens = in.calcMethod == kMethodHuygens && leeOrMap;
    if (in.calcMethod != kMethodAperture && in.calcMethod != kMethodVanDeHulst && !huygens)
        return std::nullopt;
    const bool several = in.listedWaves != 1 && in.graphCode < kFirstSweepGraph;
    if (!several && !leeOrMap) return std::nullopt;
    return RedError(RuleInput::Method, kAngleGraphsOnly);
}

// The angle of a sweep lies on an angle grid (the sweep would otherwise run on the previous run's grid).
std::optional<InputRefusal> SweepAngleRule(const RangeInputs& in) {
    if (in.graphCode < kFirstSweepGraph || in.graphCode > kGraphAsymmetry || AngleGridFor(in.angle))
        return std::nullopt;
    return Red({RuleInput::Angle},
               "The scattering angle must be a multiple of 90/N degrees with N up to 9000");
}

// A count that is not whole would compute a row past the maximum and a cell past the panel.
std::optional<InputRefusal> LeeRadiiRule(const RangeInputs& in) {
    if (in.graphCode != kGraphLee) return std::nullopt;
    if (!(in.leeSteps > 0) || in.leeSteps != std::floor(in.leeSteps))
        return Flash(RuleInput::LeeSteps, "Number of steps not valid");
    if (in.radius >= in.leeMax)
        return Red({RuleInput::LeeMax, RuleInput::Radius}, "Minimum value >= Maximum value");
    return std::nullopt;
}

// The index, radius and wavelength maps divide by the swept value, so their minimum must be > 0 (an imaginary
// part may be negative); the map divides by its number of steps.
std::optional<InputRefusal> MapSweepRule(const RangeInputs& in) {
    if (!IsMap(in.graphCode)) return std::nullopt;
    if (!(in.mapSteps > 0) || in.mapSteps != std::floor(in.mapSteps))
        return Flash(RuleInput::MapSteps, "Number of steps not valid");
    if (in.mapSteps > kMaxLeeSteps) return Flash(RuleInput::MapSteps, "Maximum number of steps = 400");
    if (in.graphCode != kGraphMapImaginary && in.mapMin <= 0)
        return Red({RuleInput::MapMin}, "Value must be > 0");
    if (in.mapMin >= in.mapMax)
        return Red({RuleInput::MapMin, RuleInput::MapMax}, "Minimum value >= Maximum value");
    return std::nullopt;
}

std::optional<InputRefusal> SweepRangeRule(const RangeInputs& in) {
    const bool wavelength = in.graphCode == kGraphWavelength;
    if (in.graphCode != kGraphRadius && !wavelength) return std::nullopt;
    const double lo = in.xMin, hi = in.xMax, s = in.step;  // the step > 0 by the entry checks
    const int sub = in.graphSubCode;
    if (lo >= hi) {
        // A radius graph of no known sub-code is refused without a message.
        return Red({RuleInput::XMin, RuleInput::XMax},
                   wavelength          ? "Minimum value of wavelength must be less than maximum value"
                   : sub == kSubRadius ? "Minimum value of radius must be less than maximum value"
                   : sub == kSubSize   ? "Minimum value must be less than maximum value"
                                       : "");
    }
    if (lo <= 0)
        return Red({RuleInput::XMin}, wavelength          ? "Wavelength must be > 0"
                                      : sub == kSubRadius ? "Radius must be > 0"
                                      : sub == kSubSize   ? "Size parameter x must be > 0"
                                                          : "");
    if (in.logSteps) {
        if (s < 1) return Red({RuleInput::Step}, "Number of steps must be >=1");
        return std::nullopt;
    }
    // The least count of points is a run's: a redraw draws the points stored, however few (a stopped sweep's).
    if (!in.redraw && (hi - lo) * 0.45 < s) return Red({RuleInput::Step}, kSmallerStep);
    if ((hi - lo) / s > kMaxSweepPoints) return Red({RuleInput::Step}, "Select a larger step size");
    return std::nullopt;
}

std::optional<InputRefusal> LogStepRule(const RangeInputs& in) {
    if (!in.logSteps || !SweepLogStepCode(in.graphCode)) return std::nullopt;
    const double n = in.step;
    if (n >= 1 && n <= 18000 && n == std::floor(n)) return std::nullopt;
    return Red({RuleInput::Step}, "Number of steps must be a whole number from 1 to 18000");
}

float LeeRelativeDeviation(const RangeInputs& in) { return static_cast<float>(Val(in.deviation) / 100); }

// The angle points of a Lee or map row; the distribution of a Lee diagram must span between 3 radius steps
// and a third of the steps: w = 3 sigma / (ratio - 1) steps, for the sweep a run will make (a redraw of the
// rows of a stopped run has fewer steps than its run had).
std::optional<InputRefusal> LeeAngleRule(const RangeInputs& in) {
    const double s = in.step;
    if (IsMap(in.graphCode) && (in.xHigh - in.xLow) / s > kMaxLeeAnglePoints)
        return Red({RuleInput::Step}, kWide);
    if (in.graphCode != kGraphLee) return std::nullopt;
    if (in.leeSteps > kMaxLeeSteps) return Flash(RuleInput::LeeSteps, "Maximum number of steps = 400");
    if ((in.xHigh - in.xLow) / s > kMaxLeeAnglePoints) return Red({RuleInput::Step}, kWide);
    if (!in.disperse) return std::nullopt;
    if (in.distribution == "Special")
        return Red({RuleInput::Distribution}, "Special distributions are not available for Lee diagrams");
    if (in.redraw) {  // the width judges the sweep a run will make, not the rows stored
        // A redraw smooths the rows stored over the list's width: at one whose weights a Single cannot hold
        // (1E+300 %) every row would be painted black.
        LeeDistribution d;
        if (LeeDistributionWeights(Val(in.deviation) / 100, 2, d) && !(d.weights[0] > 0))
            return Flash(RuleInput::Deviation, "Reduce the Standard Deviation");
        return std::nullopt;
    }
    const float sigma = LeeRelativeDeviation(in);
    const float steps = static_cast<float>(in.leeSteps);
    const float ratio = SweepRatio(static_cast<float>(in.radius), static_cast<float>(in.leeMax), steps);
    const float growth = ratio - 1.0f;
    const float w = growth > 0.0f ? 3.0f * sigma / growth : std::numeric_limits<float>::infinity();
    if (w > steps / 3.0f) return Flash(RuleInput::Deviation, "Reduce the Standard Deviation");
    if (w < 3.0f) return Flash(RuleInput::Deviation, LeeDeviationTooSmall(growth, steps));
    return std::nullopt;
}

// Too many points refuse the run, but the checks go on.
std::optional<InputRefusal> XSweepRule(const RangeInputs& in) {
    if (in.graphCode < kFirstSweepGraph || in.graphCode >= kGraphLee) return std::nullopt;
    if (std::optional<InputRefusal> r = LogStepRule(in)) return r;
    if (in.xLow <= 0) return Red({RuleInput::XMin}, "Value must be > 0");
    if (in.xHigh <= 0) return Red({RuleInput::XMax}, "Value must be > 0");
    if (in.xLow >= in.xHigh) return Red({RuleInput::XMin, RuleInput::XMax}, "Minimum value >= Maximum value");
    // A linear step beyond the range leaves no second point inside it: nothing could be drawn.
    const bool logSteps = in.logSteps && SweepLogStepCode(in.graphCode);
    if (in.graphCode != kGraphConvergence && !logSteps && StepBeyondRange(in.step, in.xHigh - in.xLow))
        return Red({RuleInput::Step}, kSmallerStep);
    if ((in.xHigh - in.xLow) / in.step > kMaxSweepPoints) {
        InputRefusal r = Red({RuleInput::Step}, kWide);
        r.checksGoOn = true;
        return r;
    }
    return std::nullopt;
}

std::optional<InputRefusal> SunRule(const RangeInputs& in) {
    if (!in.sun || in.step < 0.25) return std::nullopt;
    return Flash(RuleInput::Step, "Sun requires angular resolution < 0.25 degrees");
}

// 0 to 180 degrees on a grid of 90 / step points per quadrant.
std::optional<InputRefusal> AngleRangeRule(const RangeInputs& in) {
    if (in.graphCode != kGraphAngle && in.graphCode != kGraphLee && !IsMap(in.graphCode)) return std::nullopt;
    const double q = 90 / in.step;
    // Nearest whole number: a quotient such as 299.9999999999 is a sub-multiple too.
    if (std::fabs(q - std::nearbyint(q)) > 0.001)
        return Red({RuleInput::Step}, "Must be a sub-multiple of 90 degrees");
    // The series hold at most kMieMaxNang angles from 0 to 90 degrees: refused here, before anything starts.
    if (const double nang = std::nearbyint(q) + 1; nang > kMieMaxNang)
        return Red({RuleInput::Step}, "Number of angles NANG = " + MessageNumber(nang) + " is above " +
                                          MessageNumber(kMieMaxNang));
    if (in.xLow < 0) return Red({RuleInput::XMin}, "Minimum angle < 0 degrees");
    if (in.xLow > 180) return Red({RuleInput::XMin}, "Minimum angle > 180 degrees");
    if (in.xHigh < 0) return Red({RuleInput::XMax}, "Maximum angle < 0 degrees");
    if (in.xHigh > 180) return Red({RuleInput::XMax}, "Maximum angle > 180 degrees");
    if (in.xLow > in.xHigh) return Red({RuleInput::XMin, RuleInput::XMax}, "Minimum angle > Maximum angle");
    if (in.xLow == in.xHigh) return Red({RuleInput::XMin, RuleInput::XMax}, "Minimum angle = Maximum angle");
    // A step beyond the range leaves at most one grid point inside it: nothing could be drawn.
    if (StepBeyondRange(in.step, in.xHigh - in.xLow)) return Red({RuleInput::Step}, kSmallerStep);
    return std::nullopt;
}

// A typed maximum is held against a typed minimum only: an automatic one is the last graph's, not this run's.
std::optional<InputRefusal> AmplitudeScaleRule(const RangeInputs& in) {
    if (in.graphCode != kGraphAngle || (!in.yMinTyped && !in.yMaxTyped)) return std::nullopt;
    if (in.yMinTyped && in.logScale && in.yLow <= 0)
        return Red({RuleInput::YMin}, "Minimum amplitude <= 0 not valid for logarithmic scale");
    if (!in.yMaxTyped) return std::nullopt;
    if (in.logScale && in.yHigh <= 0)
        return Red({RuleInput::YMax}, "Maximum amplitude <= 0 not valid for logarithmic scale");
    if (in.yMinTyped && in.yLow == in.yHigh)
        return Red({RuleInput::YMax, RuleInput::YMin}, "Minimum amplitude = Maximum amplitude");
    if (in.yMinTyped && in.yLow > in.yHigh)
        return Red({RuleInput::YMax, RuleInput::YMin}, "Minimum amplitude > Maximum amplitude");
    if (in.logSteps && in.step < 1) return Red({RuleInput::Step}, "Number of steps must be >=1");
    return std::nullopt;
}

}  // namespace tessary
