// The checks of the main window's inputs before a run or a redraw (CheckInput): about a hundred
// checks in a fixed order; the first that fails shows its message (OK button only), paints the
// offending input red and sets the input-error flag. A few only warn and let the run go on.
//
// Beyond the program's historical checks: the angle step, radius, wavelength and real index must be
// positive (each is a divisor somewhere in the checks, the estimate or the series); a size
// distribution gets the method checks too; the inputs of the angle maps and the angle ranges of Lee
// diagrams and maps are checked like the other ranges; the radius-sweep rows of a Lee diagram judge
// the sweep the run will make, not the previous one. At one wavelength an index the models refused
// is not run with the earlier number the index boxes still show.
// Airy theory refuses an index m >= p for a selected order p, over the whole of an index sweep or map
// before it starts; the surface waves refuse an index <= 1 whatever the order, and judge their typed
// term range after rounding. A step larger than the range of a sweep or an angle graph is refused.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "approximations/airy_theory.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"
#include "runs/input_rules.h"
#include "runs/method_codes.h"
#include "runs/run_estimate.h"
#include "runs/sweep_checks.h"
#include "runs/sweep_steps.h"
#include "scattering/ray_orders.h"

namespace tessary {

namespace {

constexpr const char* kInputError = "Input error";
constexpr const char* kAutomatic = "Automatic";

// What a check tells the routine: carry on, stop with the flag set, or leave with the flag as it is.
enum class Next { GoOn, Stop, Return };

template <class Box>
double ValueOf(const Box& box) {
    return Val(box.text());
}

bool IsMap(int graphCode) { return graphCode >= kGraphMapIndex && graphCode <= kGraphMapWavelength; }

class InputChecks {
  public:
    InputChecks(Form1& form, double& xFrom, double& xTo, double& yFrom, double& yTo, int& errorFlag)
        : f(form), xLow(xFrom), xHigh(xTo), yLow(yFrom), yHigh(yTo), flag(errorFlag) {}

    void run() {
        flag = 0;
        const Next next = runSteps();
        if (next == Next::Stop) flag = 1;
    }

  private:
    Next runSteps();
    Next methodAndDeviation();
    void copyAxisLimits();
    Next polarPlot();
    Next interpolationAndGraphType();
    Next refusedIndex();
    Next entries();
    Next fixedAngle();
    Next leeRadii();
    Next mapInputs();
    Next coloursAndDistribution(bool& distribution);
    Next methodParameters();
    Next surfaceWave(double real);
    Next samplesAndCoefficients();
    Next raysAboveOne(const std::string& prompt);
    Next airyBounds(double real);
    Next sweepRange();
    Next leeSweep();
    Next xSweep();
    Next sunAndRayleigh();
    Next angleRange();
    Next amplitudeScale();
    Next colourPathMethods();
    // The values the value rules (runs/input_rules.h) read: the boxes, and the limits this routine compares.
    RangeInputs rangeInputs() const;
    // A refusal of the value rules: its inputs red (while its message shows, when it flashes), its message.
    Next refused(const std::optional<InputRefusal>& refusal);
    Control& boxOf(RuleInput input);

    // Shows an OK-only message box with the prompt and title and asks for a stop.
    static Next fail(const std::string& prompt, const std::string& title = kInputError) {
        msgBox(prompt, mb::kOkOnly, title);
        return Next::Stop;
    }
    template <class Box>
    static Next failRed(Box& box, const std::string& prompt, const std::string& title = kInputError) {
        box.setBackColor(kRed);
        return fail(prompt, title);
    }
    // Red while the message is read, white again afterwards.
    template <class Box>
    static Next failFlash(Box& box, const std::string& prompt) {
        box.setBackColor(kRed);
        msgBox(prompt, mb::kOkOnly, kInputError);
        box.setBackColor(kWhite);
        return Next::Stop;
    }
    template <class A, class B>
    static Next failBoth(A& a, B& b, const std::string& prompt) {
        a.setBackColor(kRed);
        b.setBackColor(kRed);
        return fail(prompt);
    }
    // The syntax of one box (and the sign range `rangeCode`: 100 > 0, 101 >= 0, 0 none); a rejected
    // box is red, its message shown and the flag 1.
    template <class Box>
    Next entry(Box& box, bool minusAllowed, int rangeCode = 0) {
        double value = minusAllowed ? 0.0 : 1.0;
        int code = rangeCode;
        f.getval(box, value, code);
        if (code != 1) return Next::GoOn;
        flag = 1;
        return Next::Return;
    }
    // Radius from the size box by the checked size menu (radius, diameter or size parameter x).
    double radiusFromSizeBox() const {
        double r = 0.0;
        if (f.mnuRadius.checked()) r = ValueOf(f.txtRadius);
        if (f.mnuDiameter.checked()) r = ValueOf(f.txtRadius) / 2;
        if (f.mnuRadiusX.checked()) r = ValueOf(f.txtRadius) * ValueOf(f.txtLambda) / kTwoPi;
        return r;
    }

    Form1& f;
    double& xLow;
    double& xHigh;
    double& yLow;
    double& yHigh;
    int& flag;
};

#define TESSARY_CHECK(step)                    \
    do {                                       \
        const Next next_ = (step);             \
        if (next_ != Next::GoOn) return next_; \
    } while (false)

// The checks of the sweeps, distributions and bands (runs/sweep_checks.h) in this routine's terms.
Next Of(CheckNext next) { return next == CheckNext::Stop ? Next::Stop : Next::GoOn; }

Next InputChecks::runSteps() {
    TESSARY_CHECK(methodAndDeviation());
    copyAxisLimits();
    TESSARY_CHECK(polarPlot());
    TESSARY_CHECK(interpolationAndGraphType());
    TESSARY_CHECK(refused(SweepMethodRule(rangeInputs())));
    TESSARY_CHECK(Of(BandChecks(f)));
    TESSARY_CHECK(refusedIndex());
    TESSARY_CHECK(entries());
    TESSARY_CHECK(fixedAngle());
    TESSARY_CHECK(refused(SweepAngleRule(rangeInputs())));
    TESSARY_CHECK(Of(AxisBandChecks(f)));
    TESSARY_CHECK(leeRadii());
    TESSARY_CHECK(mapInputs());
    TESSARY_CHECK(Of(MapBandChecks(f)));
    bool distribution = false;
    TESSARY_CHECK(coloursAndDistribution(distribution));
    TESSARY_CHECK(methodParameters());
    TESSARY_CHECK(colourPathMethods());
    // A size distribution on a graph other than the Lee diagram leaves out the sweep range and the
    // point-source rule and goes on with the Lee sweep (which it passes).
    if (!distribution) {
        TESSARY_CHECK(sweepRange());
        if (f.optSun.value() && f.codes.graphCode >= kFirstSweepGraph && f.codes.graphCode < kGraphLee) {
            msgBox("Point source only for these calculations", mb::kOkOnly, "Input parameters");
            f.optPoint.setValue(true);
        }
    }
    TESSARY_CHECK(leeSweep());
    TESSARY_CHECK(xSweep());
    TESSARY_CHECK(sunAndRayleigh());
    TESSARY_CHECK(angleRange());
    return amplitudeScale();
}

// Method chosen; a Normal or Log-normal distribution with a usable deviation. The deviation goes
// through the number entry first ("7,5" is 7.5); a value <= 0 keeps its own message.
Next InputChecks::methodAndDeviation() {
    if (f.codes.calcMethod == kMethodNone) return failRed(f.cboType, "Unknown calculation method", "Error");
    if (f.optDisp.value() && f.cboDistrib.text() != "Special") {
        TESSARY_CHECK(entry(f.cboSD, true));
        // A Normal distribution whose last sample radius would be <= 0, a deviation <= 0.
        return refused(DeviationRule(rangeInputs()));
    }
    return Next::GoOn;
}

// An overplot keeps the axes of the graph on show; otherwise the limits come from the boxes, read as
// the number entry below will read them ("0,5" is 0.5).
void InputChecks::copyAxisLimits() {
    if (f.codes.runState == Form1::kRunOverplot || f.mnuOverplot.checked()) return;
    xLow = BoxValue(f.txtXmin.text());
    xHigh = BoxValue(f.txtXmax.text());
    if (f.cboYmin.text() != kAutomatic) yLow = BoxValue(f.cboYmin.text());
    if (f.cboYmax.text() != kAutomatic) yHigh = BoxValue(f.cboYmax.text());
}

Next InputChecks::polarPlot() {
    if (!f.mnuPolarPlot.checked()) return Next::GoOn;
    const std::string title = "Option not available";
    std::string prompt;
    if (f.mnuIntPol.checked()) {
        prompt = "Polar plots are not available for graphs of Intensity and Polarisation";
    } else if (f.mnuAmpPhase.checked()) {
        return Next::GoOn;
    } else if (f.cboGraph.text() != "Intensity v. scattering angle") {
        prompt = std::string("Polar plots are available only for ") + kCR +
                 "graphs of Intensity v. scattering angle";
    } else if (f.calc.waveCount >= 2 || xLow != 0 || xHigh != 180) {
        prompt = std::string("Polar plots are available only when scattering angles") + kCR +
                 "cover entire range from 0 to 180 degrees";
    } else {
        return Next::GoOn;
    }
    msgBox(prompt, mb::kOkOnly, title);
    f.mnuPolarPlot.setChecked(false);
    return Next::Stop;
}

Next InputChecks::interpolationAndGraphType() {
    const double waves = ValueOf(f.cboWave);  // "RGB", "High", ... read as 0
    if (f.mnuInterpolate.checked() && waves > 1 && waves <= 7) {
        msgBox("Cubic interpolation is implemented only for 1 wavelength or for more than 7 wavelengths",
               mb::kOkOnly, "Error");
        f.mnuInterpolate.setChecked(false);
        return Next::Stop;
    }
    if (f.codes.graphCode == kGraphAngle && f.codes.calcMethod != kMethodMie &&
        f.codes.graphSubCode == kSubPhaseFunction) {
        failRed(f.cboGraph, "This graph type is available only for Mie calculations", "Error");
        f.runFlags.resultsStale = 1;
        return Next::Stop;
    }
    if (f.codes.graphCode == kGraphAngle && f.calc.waveCount > 1 &&
        (f.codes.graphSubCode == kSubPhaseFunction || f.codes.graphSubCode == kSubWatts)) {
        failRed(f.cboWave, "This graph type is available only for single wavelength calculations", "Error");
        f.runFlags.resultsStale = 1;
        return Next::Stop;
    }
    if (const std::optional<InputRefusal> refusal = MieOnlyGraphRule(rangeInputs())) {
        refused(refusal);
        f.cboType.setText("Mie");
        return Next::Stop;
    }
    return Next::GoOn;
}

// At one wavelength every run takes m from the index boxes. After the checked models refused an
// index at the wavelength shown, the boxes still hold an earlier number that no run may take: the
// models are asked again and, while they refuse, the run is refused with their message and the real
// part's box is red. An index typed into the boxes since is the user's own and is used.
Next InputChecks::refusedIndex() {
    if (!f.indexState.indexRefused || f.calc.waveCount >= 2) return Next::GoOn;
    const RefrelResult m = f.CheckedModelsIndex(TypedWavelength(f.txtLambda.text()));
    if (m.ok() || m.status == RefrelStatus::KeepShown) return Next::GoOn;
    return failRed(f.txtRefractReal, std::string(m.message), std::string(m.title));
}

// The syntax of the numeric boxes. The angle step, radius, wavelength and real index divide later
// checks, the estimate and the series, so they must be > 0.
Next InputChecks::entries() {
    if (f.cboYmax.text() != kAutomatic) TESSARY_CHECK(entry(f.cboYmax, false));
    if (f.cboYmin.text() != kAutomatic) TESSARY_CHECK(entry(f.cboYmin, false));
    TESSARY_CHECK(entry(f.txtXmin, false));
    TESSARY_CHECK(entry(f.txtXmax, false));
    TESSARY_CHECK(entry(f.cboStep, false, 100));
    TESSARY_CHECK(entry(f.txtRadius, false, 100));
    TESSARY_CHECK(entry(f.txtLambda, false, 100));
    TESSARY_CHECK(entry(f.txtRefractReal, false, 100));
    return entry(f.txtRefractImag, true);
}

// The fixed scattering angle of the graphs against another variable. The maps against refractive
// index, imaginary index and wavelength read the same box as their radius: > 0, no angle limits.
Next InputChecks::fixedAngle() {
    if (f.codes.graphCode < kFirstSweepGraph) return Next::GoOn;
    if (f.codes.graphCode == kGraphMapIndex || f.codes.graphCode == kGraphMapImaginary ||
        f.codes.graphCode == kGraphMapWavelength)
        return entry(f.txtAngle, false, 100);
    TESSARY_CHECK(entry(f.txtAngle, false));
    const double angle = ValueOf(f.txtAngle);
    if (angle < 0) return failRed(f.txtAngle, "Scattering angle < 0");
    if (angle > 180) return failRed(f.txtAngle, "Scattering angle > 180");
    return Next::GoOn;
}

// Radius range and step count of a Lee diagram.
Next InputChecks::leeRadii() {
    if (f.cboGraph.text() != "Lee diagram") return Next::GoOn;
    TESSARY_CHECK(entry(f.txtRmax, false));
    TESSARY_CHECK(entry(f.txtRstep, false));
    return refused(LeeRadiiRule(rangeInputs()));
}

// The swept range and step count of an angle map, and its fixed index part. The index, radius and
// wavelength maps divide by the swept value, so their minimum must be > 0; the map divides by N.
Next InputChecks::mapInputs() {
    const int code = f.codes.graphCode;
    if (!IsMap(code)) return Next::GoOn;
    const bool imaginarySwept = code == kGraphMapImaginary;  // an imaginary part may be negative
    TESSARY_CHECK(entry(f.txtF9_min, imaginarySwept));
    TESSARY_CHECK(entry(f.txtF9_max, imaginarySwept));
    TESSARY_CHECK(entry(f.txtF9_step, false));
    if (code == kGraphMapIndex) TESSARY_CHECK(entry(f.txtF9_fixed, true));            // imaginary part
    if (code == kGraphMapImaginary) TESSARY_CHECK(entry(f.txtF9_fixed, false, 100));  // real part
    return refused(MapSweepRule(rangeInputs()));
}

// The number of colours, and a size distribution: Log-normal for a Lee diagram, otherwise N one of
// 5, 10, 20, 50 (then `distribution` is set: the sweep-range rows are left out). A typed count goes
// through the number entry first.
Next InputChecks::coloursAndDistribution(bool& distribution) {
    const std::string& waves = f.cboWave.text();
    const bool named = waves == "RGB" || waves == "Low" || waves == "Med." || waves == "High";
    if (!named) TESSARY_CHECK(entry(f.cboWave, false));
    if (!named && ValueOf(f.cboWave) > 2000) return failRed(f.cboWave, "Maximum number of colors = 2000");
    // A count that rounds to no wavelength leaves nothing to compute: the run would stand for none.
    if (!named && Form1::WaveCountOf(waves) < 1) return failRed(f.cboWave, "Minimum number of colors = 1");
    if (!f.optDisp.value()) return Next::GoOn;
    TESSARY_CHECK(refused(DistributionRule(rangeInputs())));
    distribution = f.codes.graphCode != kGraphLee;
    return Next::GoOn;
}

// What each method needs of the index and the ray orders.
Next InputChecks::methodParameters() {
    const int method = f.codes.calcMethod;
    const double imag = ValueOf(f.txtRefractImag);
    const double real = ValueOf(f.txtRefractReal);
    const std::string& rays = f.cboRays.text();
    if ((method == kMethodRayleigh || method == kMethodDiffraction || method == kMethodAiry) && imag != 0) {
        failRed(f.txtRefractImag,
                "Complex values of refractive index are not valid for this calculation method");
        f.txtRefractImag.setText("0");
        return Next::Stop;
    }
    if (method == kMethodDebye && imag < 0)
        return failRed(f.txtRefractImag, "The imaginary part of the refractive index must be positive");
    if (method == kMethodDebye && !rays.empty()) {
        // The radius as typed (also a diameter or size parameter); the wavelength is > 0 by now.
        f.calc.sizeParam = ValueOf(f.txtRadius) * kTwoPi / ValueOf(f.txtLambda);
        if (rays != "0" && imag * f.calc.sizeParam > 100)
            return failRed(f.txtRefractImag,
                           "Debye rays for p > 0 are suppressed by high absorption in the sphere due to the "
                           "large imaginary value of the refractive index",
                           "Debye series");
    }
    if (method == kMethodDebye && rays.empty()) return failRed(f.cboRays, "Specify a value for p");
    // A typed text that names no order ("0-3", "2,3", "2.5") would run with the number it begins with.
    if (UsesRayOrders(method) && !RayListNamesOrders(rays)) return failRed(f.cboRays, kRayOrderForms);
    // The order as the ray-order list reads it: a number beyond the Double range is no order below 2.
    if (method == kMethodAiry && rays != "Multiple" && RayListNumber(rays) < 2)
        return failRed(f.cboRays, "Airy theory is valid only for p > 1");
    if (method == kMethodAiry && rays == "Multiple") {
        f.RaysCheck();  // "Multiple" reads the dialog's boxes; it is never refused
        if (f.series.rayflag.at(0) == 1 || f.series.rayflag.at(1) == 1)
            return failRed(f.cboRays, "Airy theory is valid only for p > 1");
    }
    const std::string refractive = "Refractive index must be greater than 1 for this calculation method";
    if (method == kMethodDiffraction && real <= 1) return failRed(f.txtRefractReal, refractive);
    if (method >= kMethodAiry && real <= 1 && RayListNumber(rays) > 1)
        return failRed(f.txtRefractReal, refractive);
    if (method >= kMethodAiry && method <= kMethodHuygens && real <= 1) {
        const Next next = raysAboveOne(refractive);
        if (next != Next::GoOn) return next;
    }
    TESSARY_CHECK(samplesAndCoefficients());
    if (method == kMethodAiry) TESSARY_CHECK(airyBounds(real));
    if (method == kMethodSurfaceWave) return surfaceWave(real);
    return Next::GoOn;
}

// True when the whole text (blanks aside) is one number within the Double range; its value in v.
bool IsNumberText(const std::string& text, double& v) {
    const ValResult r = ParseVal(text);
    if (r.length == 0 || r.status != NumberStatus::Ok) return false;
    for (std::size_t i = r.length; i < text.size(); ++i)
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n') return false;
    v = r.value;
    return true;
}

// The count of rays (Huygens) or samples (aperture) that angle graphs read from the angle box, and
// the two coefficients of van de Hulst, Singles read from the term lists.
Next InputChecks::samplesAndCoefficients() {
    const int method = f.codes.calcMethod;
    double v = 0.0;
    if ((method == kMethodHuygens || method == kMethodAperture) && f.codes.graphCode < kFirstSweepGraph) {
        if (!IsNumberText(f.txtAngle.text(), v) || !(v >= 1 && v <= 1000000))
            return failRed(f.txtAngle, method == kMethodHuygens
                                           ? "Number of rays must be between 1 and 1000000"
                                           : "Number of samples must be between 1 and 1000000");
    }
    if (method == kMethodVanDeHulst) {
        const auto bad = [&v](const ComboBox& list) {
            return !IsNumberText(list.text(), v) || !CSng(v).ok();
        };
        const bool badA = bad(f.cboQmin);
        const bool badB = bad(f.cboQmax);
        const std::string prompt = "The van de Hulst coefficients must be numbers";
        if (badA && badB) return failBoth(f.cboQmin, f.cboQmax, prompt);
        if (badA) return failRed(f.cboQmin, prompt);
        if (badB) return failRed(f.cboQmax, prompt);
    }
    return Next::GoOn;
}

// The ray methods with Re m <= 1: the selection ("Multiple" or a range -N, which pass the test of the
// typed value) must hold no order p >= 2, whose rainbow formulas have no value there. A typed order
// that RaysCheck refuses has shown its own message.
Next InputChecks::raysAboveOne(const std::string& prompt) {
    if (!f.RaysCheck()) return Next::Stop;
    const auto top = std::min<std::size_t>(static_cast<std::size_t>(std::max(f.series.rayPMax, 0)),
                                           f.series.rayflag.size() - 1);
    for (std::size_t p = 2; p <= top; ++p)
        if (f.series.rayflag[p] == 1) return failRed(f.txtRefractReal, prompt);
    return Next::GoOn;
}

// Airy theory needs 1 < m < p for every selected order (its square roots of m^2 - 1 and p^2 - m^2) at
// every index the run takes: both ends of an index sweep (its last step as the run makes it) or of the
// real-index map, the fixed real part of the imaginary-index map, else the index box. A sweep that
// would cross the limit is refused before its first step, with the end that crosses it red.
Next InputChecks::airyBounds(double real) {
    if (!f.RaysCheck()) return Next::Stop;  // an absurd typed order, refused with its message
    const std::int64_t top =
        std::min<std::int64_t>(f.series.rayPMax, static_cast<std::int64_t>(f.series.rayflag.size()) - 1);
    const auto holds = [&](double m) {
        for (std::int64_t p = 0; p <= top; ++p)
            if (f.series.rayflag[static_cast<std::size_t>(p)] == 1 &&
                !AiryOrderValid(m, static_cast<std::int32_t>(p)))
                return false;
        return true;
    };
    double low = real;
    double high = real;
    TextBox* lowBox = &f.txtRefractReal;
    TextBox* highBox = &f.txtRefractReal;
    if (f.codes.graphCode == kGraphIndex) {
        low = ValueOf(f.txtXmin);
        high = ValueOf(f.txtXmax);
        const std::optional<SweepPlan> plan =
            PlanSweep(kGraphIndex, low, high, low, high, ValueOf(f.cboStep), false);
        if (plan) high = std::max(high, plan->x(plan->lastPoint));
        lowBox = &f.txtXmin;
        highBox = &f.txtXmax;
    } else if (f.codes.graphCode == kGraphMapIndex) {
        low = ValueOf(f.txtF9_min);
        high = ValueOf(f.txtF9_max);
        lowBox = &f.txtF9_min;
        highBox = &f.txtF9_max;
    } else if (f.codes.graphCode == kGraphMapImaginary) {
        low = high = ValueOf(f.txtF9_fixed);
        lowBox = highBox = &f.txtF9_fixed;
    }
    const bool lowHolds = holds(low);
    const bool highHolds = holds(high);
    const std::string prompt = "Airy theory is valid only for 1 < m < p";
    if (!lowHolds && !highHolds && lowBox != highBox) return failBoth(*lowBox, *highBox, prompt);
    if (!lowHolds) return failRed(*lowBox, prompt);
    if (!highHolds) return failRed(*highBox, prompt);
    return Next::GoOn;
}

// Index and term range of the surface-wave method. The method rounds the typed terms (halves to
// even), so they are judged rounded: "0.4" and "-3" both ask for a term below 1.
Next InputChecks::surfaceWave(double real) {
    if (real <= 1)
        return failRed(f.txtRefractReal,
                       "Refractive index must be greater than 1 for this calculation method");
    for (ComboBox* terms : {&f.cboQmin, &f.cboQmax}) TESSARY_CHECK(entry(*terms, true));
    TESSARY_CHECK(entry(f.txtSWAmp, true));
    const double kMin = std::nearbyint(ValueOf(f.cboQmin));
    const double kMax = std::nearbyint(ValueOf(f.cboQmax));
    if (kMin < 1) return failRed(f.cboQmin, "Kmin must be >=1");
    if (kMax < 1) return failRed(f.cboQmax, "Kmax must be >=1");
    if (kMin > kMax) return failBoth(f.cboQmin, f.cboQmax, "Kmin > Kmax");
    if (kMin > 25) return failRed(f.cboQmin, "Kmin must be <=25");
    if (kMax > 25) return failRed(f.cboQmax, "Kmax must be <=25");
    if (ValueOf(f.cboRays) <= 0)
        return failRed(f.cboRays, "Surface wave calculations are valid only for p > 0");
    return Next::GoOn;
}

// Range and step of the graphs against radius or size parameter, and against wavelength.
Next InputChecks::sweepRange() { return refused(SweepRangeRule(rangeInputs())); }

// The radius sweep of a Lee diagram with its distribution, and the angle points of a Lee or map row.
Next InputChecks::leeSweep() {
    const RangeInputs in = rangeInputs();
    const std::optional<InputRefusal> refusal = LeeAngleRule(in);
    // The deviation the run takes, once the distribution's width is judged.
    if (in.graphCode == kGraphLee && in.disperse && in.distribution != "Special" &&
        (!refusal || refusal->about == RuleInput::Deviation))
        f.dist.relStdDev = LeeRelativeDeviation(in);
    const Next next = refused(refusal);
    if (refusal && refusal->about == RuleInput::Distribution) f.cboSD.setBackColor(kWhite);
    return next;
}

// The range of a sweep over an x variable; too many points set the flag but the checks go on.
Next InputChecks::xSweep() {
    if (f.codes.graphCode < kFirstSweepGraph || f.codes.graphCode >= kGraphLee) return Next::GoOn;
    const std::optional<InputRefusal> refusal = XSweepRule(rangeInputs());
    if (refusal && !refusal->checksGoOn) return refused(refusal);
    if (refusal) {
        refused(refusal);
        flag = 1;
    }
    if (f.optSun.value()) {
        msgBox("Point source only for these calculations", mb::kOkOnly, "Input parameters");
        f.optPoint.setValue(true);
    }
    return Next::GoOn;
}

// The sun's disc needs a fine angle step; the Rayleigh approximation only warns: the run may go on, and
// the checks after it (the angle range and the amplitude scale) are made all the same.
Next InputChecks::sunAndRayleigh() {
    if (const std::optional<InputRefusal> refusal = SunRule(rangeInputs())) {
        refused(refusal);
        f.optPoint.setValue(true);
        return Next::Stop;
    }
    if (f.codes.calcMethod == kMethodRayleigh) {
        const double r = radiusFromSizeBox();
        if (r > 0 && ValueOf(f.txtLambda) / r < 13) {
            msgBox("Rayleigh approximation is valid only when r << wavelength", mb::kOkOnly, "Warning . . .");
        }
    }
    return Next::GoOn;
}

// The angle range and step of angle graphs, Lee diagrams and maps (0 to 180 degrees on a grid of
// 90 / step points per quadrant).
Next InputChecks::angleRange() {
    const int code = f.codes.graphCode;
    if (code != kGraphAngle && code != kGraphLee && !IsMap(code)) return Next::Return;
    TESSARY_CHECK(refused(AngleRangeRule(rangeInputs())));
    if (code != kGraphAngle) return Next::Return;  // Lee diagrams and maps have no amplitude scale
    return Next::GoOn;
}

// Manual amplitude limits of an angle graph.
Next InputChecks::amplitudeScale() {
    const bool autoMin = f.cboYmin.text() == kAutomatic;
    const bool autoMax = f.cboYmax.text() == kAutomatic;
    if (autoMin && autoMax) return Next::Return;
    if (!autoMin && f.optLog.value() && yLow <= 0) {
        // A typed limit that is refused changes no setting; a graph read from a file switches to the
        // linear scale without a word.
        if (f.runFlags.resultsFromFile == 0)
            return failRed(f.cboYmin, "Minimum amplitude <= 0 not valid for logarithmic scale");
        f.cboYmin.setBackColor(kRed);
        f.optLinear.setEnabled(true);
        f.optLinear.setValue(true);
        return Next::Stop;
    }
    if (autoMax) return Next::Return;
    if (f.optLog.value() && yHigh <= 0)
        return failRed(f.cboYmax, "Maximum amplitude <= 0 not valid for logarithmic scale");
    // A typed maximum is held against a typed minimum: an automatic one is the last graph's, not this run's.
    if (!autoMin && yLow == yHigh)
        return failBoth(f.cboYmax, f.cboYmin, "Minimum amplitude = Maximum amplitude");
    if (!autoMin && yLow > yHigh)
        return failBoth(f.cboYmax, f.cboYmin, "Minimum amplitude > Maximum amplitude");
    if (f.mnuXStepLog.checked() && ValueOf(f.cboStep) < 1)
        return failRed(f.cboStep, "Number of steps must be >=1");
    return Next::Return;
}

// -------------------------------------------------------------------------------------------------
// Colours of several wavelengths, Lee diagrams and maps: methods that have no routine on those paths.

Next InputChecks::colourPathMethods() { return refused(ColourPathRule(rangeInputs())); }

RangeInputs InputChecks::rangeInputs() const {
    RangeInputs in;
    in.graphCode = f.codes.graphCode;
    in.graphSubCode = f.codes.graphSubCode;
    in.calcMethod = f.codes.calcMethod;
    in.gaussian = f.mnuGaussian.checked();
    in.listedWaves = Form1::WaveCountOf(f.cboWave.text());
    in.xMin = ValueOf(f.txtXmin);
    in.xMax = ValueOf(f.txtXmax);
    in.xLow = xLow;
    in.xHigh = xHigh;
    in.step = ValueOf(f.cboStep);
    in.angle = ValueOf(f.txtAngle);
    in.logSteps = f.mnuXStepLog.checked();
    in.redraw = f.windowState.redrawDepth > 0;
    in.radius = ValueOf(f.txtRadius);
    in.leeMax = ValueOf(f.txtRmax);
    in.leeSteps = ValueOf(f.txtRstep);
    in.mapMin = ValueOf(f.txtF9_min);
    in.mapMax = ValueOf(f.txtF9_max);
    in.mapSteps = ValueOf(f.txtF9_step);
    in.disperse = f.optDisp.value();
    in.distribution = f.cboDistrib.text();
    in.deviation = f.cboSD.text();
    in.samples = f.cboN.text();
    in.sun = f.optSun.value();
    return in;
}

Control& InputChecks::boxOf(RuleInput input) {
    switch (input) {
        case RuleInput::Graph:
            return f.cboGraph;
        case RuleInput::Method:
            return f.cboType;
        case RuleInput::XMin:
            return f.txtXmin;
        case RuleInput::XMax:
            return f.txtXmax;
        case RuleInput::Step:
            return f.cboStep;
        case RuleInput::Angle:
            return f.txtAngle;
        case RuleInput::Radius:
            return f.txtRadius;
        case RuleInput::LeeMax:
            return f.txtRmax;
        case RuleInput::LeeSteps:
            return f.txtRstep;
        case RuleInput::Deviation:
            return f.cboSD;
        case RuleInput::Disperse:
            return f.optDisp;
        case RuleInput::Samples:
            return f.cboN;
        case RuleInput::Distribution:
            return f.cboDistrib;
        case RuleInput::MapMin:
            return f.txtF9_min;
        case RuleInput::MapMax:
            return f.txtF9_max;
        case RuleInput::MapSteps:
            return f.txtF9_step;
    }
    return f.cboStep;
}

Next InputChecks::refused(const std::optional<InputRefusal>& refusal) {
    if (!refusal) return Next::GoOn;
    for (const RuleInput input : refusal->red) boxOf(input).setBackColor(kRed);
    if (!refusal->prompt.empty()) msgBox(refusal->prompt, mb::kOkOnly, refusal->title);
    if (refusal->flash)
        for (const RuleInput input : refusal->red) boxOf(input).setBackColor(kWhite);
    return Next::Stop;
}

#undef TESSARY_CHECK

}  // namespace

// Checks the inputs in a fixed order; the first failure shows its message, paints its input red and sets
// inputErrorFlag to 1 (0 on entry). Outside an overplot it copies the x range and the manual y limits from
// the boxes into the four limits. A few checks only warn and let a run go on.
void Form1::CheckInput(double& xLow, double& xHigh, double& yLow, double& yHigh, int& inputErrorFlag) {
    InputChecks(*this, xLow, xHigh, yLow, yHigh, inputErrorFlag).run();
}

}  // namespace tessary
