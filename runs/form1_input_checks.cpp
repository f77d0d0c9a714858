// The checks of the main window's inputs before a run or a redraw (CheckInput): about a hundred
// checks in a fixed order; the first that fails shows its message (OK button only), paints the
// offending input red and sets the input-error flag. A few only warn and let the run go on.
//
// The rules that judge values (runs/input_rules.h, band_rules.h, method_rules.h) are pure, so that a data
// file read back is held to them before anything changes; this routine applies them to the boxes, menus
// and models of the window, paints the inputs they name red and shows their messages, and checks the
// entries of the boxes (getval) between them.
//
// Beyond the program's historical checks: the angle step, radius, wavelength and real index must be
// positive (each is a divisor somewhere in the checks, the estimate or the series); a size
// distribution gets the method checks too; the inputs of the angle maps and the angle ranges of Lee
// diagrams and maps are checked like the other ranges; the radius-sweep rows of a Lee diagram judge
// the sweep the run will make, not the previous one. At one wavelength an index the models refused
// is not run with the earlier number the index boxes still show. A step larger than the range of a
// sweep or an angle graph is refused.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "mainwindow/graph_presets.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/band_rules.h"
#include "runs/box_number.h"
#include "runs/input_rules.h"
#include "runs/method_codes.h"
#include "runs/method_rules.h"
#include "runs/run_estimate.h"
#include "runs/run_rules.h"
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

// The radius a run takes from the size box by the checked size menu (radius, diameter or size parameter x at
// the wavelength box's wavelength), read as RadiusFromBox reads it.
double RunRadius(const Form1& f) {
    return RadiusOfSizeBox(f.txtRadius.text(), f.mnuDiameter.checked(), f.mnuRadiusX.checked(),
                           f.txtLambda.text());
}

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
    Next listNames();
    void copyAxisLimits();
    Next polarPlot();
    Next interpolationAndGraphType();
    Next bands();
    Next refusedIndex();
    Next entries();
    Next fixedAngle();
    Next leeRadii();
    Next mapInputs();
    Next coloursAndDistribution(bool& distribution);
    Next methodParameters();
    std::vector<double> modelWavelengths();
    Next surfaceWave(const MethodInputs& in);
    Next sweepRange();
    Next leeSweep();
    Next xSweep();
    Next sunAndRayleigh();
    Next angleRange();
    Next amplitudeScale();
    Next colourPathMethods();
    // The values the value rules (runs/input_rules.h) read: the boxes, and the limits this routine compares.
    RangeInputs rangeInputs() const;
    // The bands' inputs: the checked models and spectrum, the wavelength, the band and the swept wavelengths.
    BandInputs bandInputs() const;
    // The method's: the index boxes, the size and wavelength, the ray-order and term lists, the swept index.
    MethodInputs methodInputs() const;
    // A refusal of the value rules: its inputs red (while its message shows, when it flashes), its message.
    Next refused(const std::optional<InputRefusal>& refusal);
    Control& boxOf(RuleInput input);

    // Paints the box red, shows an OK-only message box with the prompt and title and asks for a stop.
    template <class Box>
    static Next failRed(Box& box, const std::string& prompt, const std::string& title = kInputError) {
        box.setBackColor(kRed);
        msgBox(prompt, mb::kOkOnly, title);
        return Next::Stop;
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

Next InputChecks::runSteps() {
    TESSARY_CHECK(methodAndDeviation());
    copyAxisLimits();
    TESSARY_CHECK(polarPlot());
    TESSARY_CHECK(interpolationAndGraphType());
    TESSARY_CHECK(refused(SweepMethodRule(rangeInputs())));
    TESSARY_CHECK(bands());
    TESSARY_CHECK(refusedIndex());
    TESSARY_CHECK(entries());
    TESSARY_CHECK(fixedAngle());
    TESSARY_CHECK(refused(SweepAngleRule(rangeInputs())));
    TESSARY_CHECK(refused(AxisBandRule(bandInputs())));
    TESSARY_CHECK(leeRadii());
    TESSARY_CHECK(mapInputs());
    TESSARY_CHECK(refused(MapBandRule(bandInputs())));
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
    TESSARY_CHECK(listNames());
    if (f.optDisp.value() && f.cboDistrib.text() != "Special") {
        TESSARY_CHECK(entry(f.cboSD, true));
        // A Normal distribution whose last sample radius would be <= 0, a deviation <= 0.
        return refused(DeviationRule(rangeInputs()));
    }
    return Next::GoOn;
}

// A run computes what the graph list and the distribution list name, as the method list's run does: a text that
// names none of their entries (case and blanks count: "Phase function ", "log-normal") would run the graph chosen
// before, or a Normal distribution, under the typed name. A redraw draws the run on show, whatever they say.
Next InputChecks::listNames() {
    if (!f.runFlags.runUnderWay) return Next::GoOn;
    if (!FindGraphType(f.cboGraph.text())) return failRed(f.cboGraph, "Unknown graph type", "Error");
    const std::string& kind = f.cboDistrib.text();
    if (f.optDisp.value() && kind != "Normal" && kind != "Log-normal" && kind != "Special")
        return failRed(f.cboDistrib, "Unknown size distribution", "Error");
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

// The polar plot of the menu, which a refusal unchecks.
Next InputChecks::polarPlot() {
    const std::optional<InputRefusal> refusal = PolarPlotRule(rangeInputs());
    if (!refusal) return Next::GoOn;
    refused(refusal);
    f.mnuPolarPlot.setChecked(false);
    return Next::Stop;
}

Next InputChecks::interpolationAndGraphType() {
    if (const std::optional<InputRefusal> refusal = InterpolationRule(rangeInputs())) {
        refused(refusal);
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
    return refused(ModelIndexRule(f.CheckedModelsIndex(TypedWavelength(f.txtLambda.text()))));
}

// The bands of the models and the spectrum; over several wavelengths the band of the spectrum dialog as the
// runs take it.
Next InputChecks::bands() {
    // A wavelength text that is no number ("0,,5") is refused as such, not held against a band as the
    // number Val reads in it (one beyond the Double range is a number, refused as the largest are).
    if (!ParseTypedNumber(f.txtLambda.text())) return entry(f.txtLambda, false, 100);
    if (f.calc.waveCount >= 2) {
        // A limit beyond the Double range is an infinity, refused as the largest numbers are.
        f.light.bandMaxUm =
            static_cast<float>(ValOrInfinity(f.dlogSpectrumBand_->txtSpectrumMax.text()) / 1000);
        f.light.bandMinUm =
            static_cast<float>(ValOrInfinity(f.dlogSpectrumBand_->txtSpectrumMin.text()) / 1000);
    }
    return refused(BandRule(bandInputs()));
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

// The number of colours, the brightness they are painted at, and a size distribution: Log-normal for a Lee
// diagram, otherwise N one of 5, 10, 20, 50 (then `distribution` is set: the sweep-range rows are left out). A
// typed count goes through the number entry first.
Next InputChecks::coloursAndDistribution(bool& distribution) {
    const std::string& waves = f.cboWave.text();
    const bool named = waves == "RGB" || waves == "Low" || waves == "Med." || waves == "High";
    if (!named) TESSARY_CHECK(entry(f.cboWave, false));
    if (!named && ValueOf(f.cboWave) > 2000) return failRed(f.cboWave, "Maximum number of colors = 2000");
    // A count that rounds to no wavelength leaves nothing to compute: the run would stand for none.
    if (!named && Form1::WaveCountOf(waves) < 1) return failRed(f.cboWave, "Minimum number of colors = 1");
    // A count with a fraction ("3,5" is 3.5) would run the count it rounds to under the one typed.
    const bool run = f.runFlags.runUnderWay;
    if (!named && run && ValueOf(f.cboWave) != std::floor(ValueOf(f.cboWave)))
        return failRed(f.cboWave, "Number of wavelengths must be a whole number");
    // The colours of several wavelengths against the angle, of a Lee diagram or a map are painted at the
    // brightness the list holds, a positive number as in the other number lists (a sweep has no colours). A
    // Lee diagram or map run writes 1 into an empty list (a fresh window's).
    const int code = f.codes.graphCode;
    const bool colours = code >= kGraphLee || (code < kFirstSweepGraph && Form1::WaveCountOf(waves) >= 2);
    const bool leeDefault = code >= kGraphLee && run && f.cboBright.text().empty();
    if (colours && !leeDefault && (run || f.windowState.redrawDepth > 0))
        TESSARY_CHECK(entry(f.cboBright, false, 100));
    if (!f.optDisp.value()) return Next::GoOn;
    TESSARY_CHECK(refused(DistributionRule(rangeInputs())));
    distribution = f.codes.graphCode != kGraphLee;
    return Next::GoOn;
}

// What each method needs of the index and the ray orders. The index is each the run takes: the boxes', its
// models' at each of its wavelengths, a map's rows (whose radius is the fixed-angle box) or an index sweep's
// steps, each at the largest size parameter the run reaches with it. The ray orders are those RaysCheck
// selects (an absurd typed order is refused with its message); the Debye check keeps the size parameter it
// judged the boxes' index at.
Next InputChecks::methodParameters() {
    MethodInputs in = methodInputs();
    TakeRunIndices(in, bandInputs().models, modelWavelengths(), ValueOf(f.txtAngle), ValueOf(f.txtF9_step));
    if (in.calcMethod == kMethodDebye && in.imag >= 0 && !in.rays.empty()) f.calc.sizeParam = in.sizeParam;
    const auto orders = [this](InputRefusal&) -> std::optional<RaySelection> {
        // The check reads the selection; the label and title stay those of the results on show (with the
        // beam and options their run named), which a redraw or a refused run keeps and a run replaces.
        const std::string label = f.lblDebyeRays.caption(), title = f.series.captionText;
        if (!f.RaysCheck()) return std::nullopt;
        f.lblDebyeRays.setCaption(label);
        f.series.captionText = title;
        RaySelection s;
        s.rayflag.assign(f.series.rayflag.begin(), f.series.rayflag.end());
        s.rayCount = f.series.rayCount;
        s.rayPMax = f.series.rayPMax;
        return s;
    };
    const std::optional<InputRefusal> refusal = MethodParameterRule(in, orders);
    if (refusal && refusal->prompt == kComplexIndexNotValid && refusal->about == RuleInput::RefractImag) {
        refused(refusal);
        // The 0 is a typed index where the run judged takes the boxes'; a run that takes its models' index
        // at each wavelength never read them, and a later run at one wavelength shows and takes the models'.
        // (A map over the index keeps its boxes: their range is the user's to mend.)
        std::optional<IndexBoxesWrite> notTyped;
        if (!modelWavelengths().empty()) notTyped.emplace(f.runFlags);
        f.txtRefractImag.setText("0");
        return Next::Stop;
    }
    TESSARY_CHECK(refused(refusal));
    if (in.calcMethod == kMethodSurfaceWave) return surfaceWave(in);
    return Next::GoOn;
}

// The wavelengths at which the run judged takes its models' index itself; none where it takes the boxes'.
std::vector<double> InputChecks::modelWavelengths() {
    BandInputs in = bandInputs();
    in.waveCount = WaveCountForRadius(f.cboWave.text(), RunRadius(f)).value_or(in.waveCount);
    if (in.waveCount >= 2 && !in.rgb) {  // the band as the run's wavelength set takes it
        in.bandMinUm = static_cast<float>(Val(f.dlogSpectrumBand_->txtSpectrumMin.text()) / 1000);
        in.bandMaxUm = static_cast<float>(Val(f.dlogSpectrumBand_->txtSpectrumMax.text()) / 1000);
    }
    return ModelIndexWavelengths(in, ValueOf(f.txtF9_step));
}

// The surface waves' index at each index the run takes, then the entries of their term and amplitude boxes,
// then their values. A run takes whole terms: one with a fraction ("2.5") would run from the term it rounds to
// under the one typed.
Next InputChecks::surfaceWave(const MethodInputs& in) {
    TESSARY_CHECK(refused(SurfaceWaveIndexRule(in)));
    for (ComboBox* terms : {&f.cboQmin, &f.cboQmax}) TESSARY_CHECK(entry(*terms, true));
    TESSARY_CHECK(entry(f.txtSWAmp, true));
    MethodInputs read = methodInputs();  // the terms and amplitude as the entries left them
    read.runIndices = in.runIndices;
    TESSARY_CHECK(refused(SurfaceWaveRule(read)));
    if (!f.runFlags.runUnderWay) return Next::GoOn;
    for (ComboBox* terms : {&f.cboQmin, &f.cboQmax})
        if (ValueOf(*terms) != std::floor(ValueOf(*terms)))
            return failRed(*terms,
                           std::string(terms == &f.cboQmin ? "Kmin" : "Kmax") + " must be a whole number");
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
        const double r = RunRadius(f);
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

// Manual amplitude limits of an angle graph. A minimum of 0 or less refused on the logarithmic scale changes no
// setting; a graph read from a file switches to the linear scale without a word.
Next InputChecks::amplitudeScale() {
    const std::optional<InputRefusal> refusal = AmplitudeScaleRule(rangeInputs());
    if (!refusal) return Next::Return;
    if (refusal->about == RuleInput::YMin && f.runFlags.resultsFromFile != 0) {
        f.cboYmin.setBackColor(kRed);
        f.optLinear.setEnabled(true);
        f.optLinear.setValue(true);
        return Next::Stop;
    }
    return refused(refusal);
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
    in.radius = RunRadius(f);  // a Lee diagram's first radius, as its sweep takes it
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
    in.polarPlot = f.mnuPolarPlot.checked();
    in.intensityPolarisation = f.mnuIntPol.checked();
    in.amplitudePhase = f.mnuAmpPhase.checked();
    in.interpolate = f.mnuInterpolate.checked();
    in.graphText = f.cboGraph.text();
    in.waveCount = f.calc.waveCount;
    in.waveText = f.cboWave.text();
    in.yMinTyped = f.cboYmin.text() != kAutomatic;
    in.yMaxTyped = f.cboYmax.text() != kAutomatic;
    in.yLow = yLow;
    in.yHigh = yHigh;
    in.logScale = f.optLog.value();
    return in;
}

BandInputs InputChecks::bandInputs() const { return f.WindowBandInputs(); }

MethodInputs InputChecks::methodInputs() const { return f.WindowMethodInputs(); }

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
        case RuleInput::Waves:
            return f.cboWave;
        case RuleInput::Lambda:
            return f.txtLambda;
        case RuleInput::RefractReal:
            return f.txtRefractReal;
        case RuleInput::RefractImag:
            return f.txtRefractImag;
        case RuleInput::Rays:
            return f.cboRays;
        case RuleInput::YMin:
            return f.cboYmin;
        case RuleInput::YMax:
            return f.cboYmax;
        case RuleInput::TermsMin:
            return f.cboQmin;
        case RuleInput::TermsMax:
            return f.cboQmax;
        case RuleInput::SurfaceAmplitude:
            return f.txtSWAmp;
        case RuleInput::MapFixed:
            return f.txtF9_fixed;
        case RuleInput::BandMin:
            return f.dlogSpectrumBand_->txtSpectrumMin;
        case RuleInput::BandMax:
            return f.dlogSpectrumBand_->txtSpectrumMax;
    }
    return f.cboStep;
}

Next InputChecks::refused(const std::optional<InputRefusal>& refusal) {
    if (!refusal) return Next::GoOn;
    const auto paint = [&](OleColor colour) {
        for (const RuleInput input : refusal->red) boxOf(input).setBackColor(colour);
    };
    if (!refusal->paintAfter) paint(kRed);
    if (!refusal->prompt.empty()) msgBox(refusal->prompt, mb::kOkOnly, refusal->title);
    if (refusal->paintAfter) paint(kRed);
    if (refusal->flash) paint(kWhite);
    if (refusal->bandDialog) f.mnuSpectrumBand_Click();
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

// The inputs of the band rules as the window holds them: the checked models and spectrum, the wavelength as
// typed, the band the runs take and the swept wavelengths.
BandInputs Form1::WindowBandInputs() {
    BandInputs in;
    in.models = indexState.indexModels;
    // No sphere item checked: no sphere model has a band to hold.
    if (!MenuIndexModels(in.models)) in.models.sphere = SphereModel::Vacuum;
    in.complexWater = dlogTemp_->chkRI_Complex.value() == 1;
    in.sphereName = indexState.sphereName;
    in.mediumName = indexState.mediumName;
    in.waveCount = calc.waveCount;
    in.rgb = cboWave.text() == "RGB";
    // The box as typed: getval has not tidied it yet ("0,55" is 0.55).
    in.lambda = TypedWavelength(txtLambda.text());
    in.bandMinUm = light.bandMinUm;
    in.bandMaxUm = light.bandMaxUm;
    if (mnuSpectrumLee.checked()) in.spectrum = BandSpectrum::SunLee;
    if (mnuSpectrumWernand.checked()) in.spectrum = BandSpectrum::SunWernand;
    if (mnuSpectrumFile.checked() && light.spectrumFileLoaded == 1) {
        in.spectrum = BandSpectrum::File;
        in.spectrumFileWave = fileState.specFileWave;
    }
    in.graphCode = codes.graphCode;
    in.graphSubCode = codes.graphSubCode;
    in.xMin = ValueOf(txtXmin);
    in.xMax = ValueOf(txtXmax);
    in.step = ValueOf(cboStep);
    in.logSteps = mnuXStepLog.checked();
    in.mapMin = ValueOf(txtF9_min);
    in.mapMax = ValueOf(txtF9_max);
    in.waveText = cboWave.text();
    in.leeRadius = RunRadius(*this);
    in.leeMax = ValueOf(txtRmax);
    in.leeSteps = ValueOf(txtRstep);
    return in;
}

// The inputs of the method rules as the window holds them: the boxes and lists, and the radius the run takes.
MethodInputs Form1::WindowMethodInputs() {
    MethodInputs in;
    in.calcMethod = codes.calcMethod;
    in.graphCode = codes.graphCode;
    in.graphSubCode = codes.graphSubCode;
    in.real = ValueOf(txtRefractReal);
    in.imag = ValueOf(txtRefractImag);
    in.radius = RunRadius(*this);
    in.lambda = ValueOf(txtLambda);
    in.rays = cboRays.text();
    in.angle = txtAngle.text();
    in.termsMin = cboQmin.text();
    in.termsMax = cboQmax.text();
    in.amplitude = txtSWAmp.text();
    in.xMin = ValueOf(txtXmin);
    in.xMax = ValueOf(txtXmax);
    in.step = ValueOf(cboStep);
    in.logSteps = mnuXStepLog.checked();
    in.leeMax = ValueOf(txtRmax);
    in.leeSteps = ValueOf(txtRstep);
    in.mapMin = ValueOf(txtF9_min);
    in.mapMax = ValueOf(txtF9_max);
    in.mapFixed = ValueOf(txtF9_fixed);
    in.redraw = windowState.redrawDepth > 0;
    if (optDisp.value())
        in.sampleScale =
            SampleScaleOf(cboDistrib.text(), cboSD.text(), cboN.text(), dist.sizeHistogram, in.radius);
    return in;
}

}  // namespace tessary
