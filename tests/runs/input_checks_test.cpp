// The input checks before a run: each check's exact message, title and red inputs, the first failure
// only, the warnings that let the run go on, the flag and the axis limits.
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "graphs/graph_codes.h"
#include "runs/method_codes.h"
#include "tests/runs/run_checks_support.h"

namespace tessary::test {
namespace {

using Names = std::vector<std::string>;
using Setup = std::function<void(RunChecksTest&)>;

const std::string kCR(1, '\r');

// One refused input: the setup, the one message with its title, the inputs red while it is read,
// and what else must hold afterwards.
struct RefusalCase {
    const char* name;
    Setup setup;
    std::string prompt;
    std::string title;
    Names red;
    Setup after = nullptr;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class Refusal : public RunChecksTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, ShowsOneMessagePaintsAndStops) {
    const RefusalCase& c = GetParam();
    c.setup(*this);
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, c.prompt);
    EXPECT_EQ(shown[0].title, c.title);
    EXPECT_EQ(shown[0].style, mb::kOkOnly);
    EXPECT_EQ(shown[0].red, c.red);
    if (c.after) c.after(*this);
}

// Helpers for the tables.
Setup Text(TextBox Form1::*box, std::string text) {
    return [box, text](RunChecksTest& t) { (t.f.*box).setText(text); };
}
Setup Combo(ComboBox Form1::*box, std::string text) {
    return [box, text](RunChecksTest& t) { (t.f.*box).setText(text); };
}
Setup Method(int code, std::string name, std::string rays = "") {
    return [code, name, rays](RunChecksTest& t) {
        t.f.codes.calcMethod = code;
        t.f.cboType.setText(name);
        t.f.cboRays.setText(rays);
    };
}
Setup Both(Setup a, Setup b) {
    return [a, b](RunChecksTest& t) {
        a(t);
        b(t);
    };
}
Setup Disperse(std::string n = "10") {
    return [n](RunChecksTest& t) {
        t.f.optDisp.setValue(true);
        t.f.cboN.setText(n);
    };
}
// A sphere without a band row (a vacuum), so that the checks after the band rows are reached.
Setup NoBandSphere() {
    return [](RunChecksTest& t) {
        t.f.mnuRI_IAPWS.setChecked(false);
        t.f.mnuRI_Vacuum1.setChecked(true);
    };
}
Setup SurfaceWave(std::string kMin, std::string kMax, std::string rays = "1") {
    return [=](RunChecksTest& t) {
        Method(11, "Surface wave", rays)(t);
        t.f.cboQmin.setText(kMin);
        t.f.cboQmax.setText(kMax);
    };
}
Setup RadiusSweep(int sub, std::string lo, std::string hi, std::string step) {
    return [=](RunChecksTest& t) {
        t.sweep(11, sub, sub == 2 ? "Intensity v. size parameter x" : "Intensity v. radius", lo, hi, step);
    };
}
Setup WavelengthSweep(std::string lo, std::string hi, std::string step) {
    return [=](RunChecksTest& t) { t.sweep(10, 1, "Intensity v. wavelength", lo, hi, step); };
}
Setup IndexSweep(std::string lo, std::string hi, std::string step) {
    return [=](RunChecksTest& t) { t.sweep(12, 1, "Intensity v. refractive index", lo, hi, step); };
}
Setup Lee(Setup more = nullptr) {
    return [more](RunChecksTest& t) {
        t.leeDiagram();
        if (more) more(t);
    };
}
Setup Map(int code, std::string lo, std::string hi, std::string steps, std::string fixed) {
    return [=](RunChecksTest& t) { t.angleMap(code, lo, hi, steps, fixed); };
}
Setup ManualY(std::string lo, std::string hi) {
    return [lo, hi](RunChecksTest& t) {
        t.f.cboYmin.setText(lo);
        t.f.cboYmax.setText(hi);
    };
}
Setup Polar(Setup more = nullptr) {
    return [more](RunChecksTest& t) {
        t.f.mnuPolarPlot.setChecked(true);
        if (more) more(t);
    };
}
Setup WhiteAgain(TextBox Form1::*box) {
    return [box](RunChecksTest& t) { EXPECT_EQ((t.f.*box).backColor(), kWhiteBox); };
}
Setup PolarUnchecked() {
    return [](RunChecksTest& t) { EXPECT_FALSE(t.f.mnuPolarPlot.checked()); };
}

const std::string kError = "Error";
const std::string kInput = "Input error";
const std::string kOption = "Option not available";
const std::string kWide = "Increase the step size or reduce the maximum/minimum range";
const std::string kMoreThanOne = "Refractive index must be greater than 1 for this calculation method";
const std::string kAiry = "Airy theory is valid only for p > 1";

// clang-format off
const RefusalCase kMethodAndGraphCases[] = {
    {"UnknownMethod",
     [](RunChecksTest& t) { t.f.codes.calcMethod = kMethodNone; },
     "Unknown calculation method",
     kError,
     {"cboType"}},
    {"NormalSampleRadiusNotPositive",
     Both(Disperse("50"), Combo(&Form1::cboSD, "50")),
     "Reduce the standard deviation",
     "Normal distribution",
     {}},
    {"DeviationZero",
     Both(Disperse(), Combo(&Form1::cboSD, "0")),
     "Modify the standard deviation",
     kInput,
     {}},
    {"PolarWithPolarisation",
     Polar([](RunChecksTest& t) { t.f.mnuIntPol.setChecked(true); }),
     "Polar plots are not available for graphs of Intensity and Polarisation",
     kOption,
     {},
     PolarUnchecked()},
    {"PolarOtherGraph",
     Polar(Combo(&Form1::cboGraph, "Phase function")),
     "Polar plots are available only for " + kCR + "graphs of Intensity v. scattering angle",
     kOption,
     {},
     PolarUnchecked()},
    {"PolarHalfRange",
     Polar(Text(&Form1::txtXmax, "90")),
     "Polar plots are available only when scattering angles" + kCR +
         "cover entire range from 0 to 180 degrees",
     kOption,
     {},
     PolarUnchecked()},
    {"PolarSeveralWavelengths",
     Polar([](RunChecksTest& t) { t.f.calc.waveCount = 3; }),
     "Polar plots are available only when scattering angles" + kCR +
         "cover entire range from 0 to 180 degrees",
     kOption,
     {}},
    {"InterpolationSevenWavelengths",
     [](RunChecksTest& t) {
         t.f.mnuInterpolate.setChecked(true);
         t.f.cboWave.setText("7");
     },
     "Cubic interpolation is implemented only for 1 wavelength or for more than 7 wavelengths",
     kError,
     {},
     [](RunChecksTest& t) { EXPECT_FALSE(t.f.mnuInterpolate.checked()); }},
    // Sub-code 2 with Debye: the phase-function row, not the efficiency row.
    {"PhaseFunctionNeedsMie",
     Both(Method(2, "Debye", "2"), [](RunChecksTest& t) { t.f.codes.graphSubCode = kSubPhaseFunction; }),
     "This graph type is available only for Mie calculations",
     kError,
     {"cboGraph"},
     [](RunChecksTest& t) { EXPECT_EQ(t.f.runFlags.resultsStale, 1); }},
    {"WattsNeedOneWavelength",
     [](RunChecksTest& t) {
         t.f.codes.graphSubCode = kSubWatts;
         t.f.calc.waveCount = 3;
     },
     "This graph type is available only for single wavelength calculations",
     kError,
     {"cboWave"},
     [](RunChecksTest& t) { EXPECT_EQ(t.f.runFlags.resultsStale, 1); }},
};
// clang-format on

// clang-format off
const RefusalCase kEntryCases[] = {
    {"RadiusNotANumber", Text(&Form1::txtRadius, "abc"), kEntryMessage, kInput, {"txtRadius"}},
    {"RadiusZero", Text(&Form1::txtRadius, "0"), kEntryMessage, kInput, {"txtRadius"}},
    {"RadiusNegative", Text(&Form1::txtRadius, "-1"), kEntryMessage, kInput, {"txtRadius"}},
    {"StepZero", Combo(&Form1::cboStep, "0"), kEntryMessage, kInput, {"cboStep"}},
    {"WavelengthZero", Both(NoBandSphere(), Text(&Form1::txtLambda, "0")), kEntryMessage, kInput, {"txtLambda"}},
    {"RealIndexZero", Text(&Form1::txtRefractReal, "0"), kEntryMessage, kInput, {"txtRefractReal"}},
    {"MinimumWithLeadingMinusPoint", Text(&Form1::txtXmin, "-.5"), kEntryMessage, kInput, {"txtXmin"}},
    {"MaximumTrailingBlank", Text(&Form1::txtXmax, "5 "), kEntryMessage, kInput, {"txtXmax"}},
    {"ManualMaximumNotANumber", Combo(&Form1::cboYmax, "abc"), kEntryMessage, kInput, {"cboYmax"}},
    {"ManualMinimumNotANumber", Combo(&Form1::cboYmin, "12a"), kEntryMessage, kInput, {"cboYmin"}},
    {"ImaginaryFractionalExponent",
     Text(&Form1::txtRefractImag, "1e5.5"),
     kEntryMessage,
     kInput,
     {"txtRefractImag"}},
    // Only the first refused box: the wavelength of 0 is not looked at.
    {"FirstFailureOnly",
     Both(NoBandSphere(), Both(Text(&Form1::txtRadius, "abc"), Text(&Form1::txtLambda, "0"))),
     kEntryMessage,
     kInput,
     {"txtRadius"}},
    {"FixedAngleAbove180",
     Both(IndexSweep("1.33", "1.34", "0.0001"), Text(&Form1::txtAngle, "190")),
     "Scattering angle > 180",
     kInput,
     {"txtAngle"}},
    {"FixedAngleNotANumber",
     Both(IndexSweep("1.33", "1.34", "0.0001"), Text(&Form1::txtAngle, "e5")),
     kEntryMessage,
     kInput,
     {"txtAngle"}},
    {"MapRadiusZero",
     Both(Map(22, "1.1", "1.5", "4", "0"), Text(&Form1::txtAngle, "0")),
     kEntryMessage,
     kInput,
     {"txtAngle"}},
};
// clang-format on

// clang-format off
const RefusalCase kLeeAndMapCases[] = {
    {"LeeStepsZero",
     Lee(Text(&Form1::txtRstep, "0")),
     "Number of steps not valid",
     kInput,
     {"txtRstep"},
     WhiteAgain(&Form1::txtRstep)},
    {"LeeMaximumNotANumber", Lee(Text(&Form1::txtRmax, "2o")), kEntryMessage, kInput, {"txtRmax"}},
    {"LeeRadiusRangeEmpty",
     Lee(Both(Text(&Form1::txtRadius, "100"), Text(&Form1::txtRmax, "100"))),
     "Minimum value >= Maximum value",
     kInput,
     {"txtRadius", "txtRmax"}},
    {"LeeTooManySteps",
     Lee(Text(&Form1::txtRstep, "401")),
     "Maximum number of steps = 400",
     kInput,
     {"txtRstep"},
     WhiteAgain(&Form1::txtRstep)},
    {"LeeTooManyAngles",
     Lee(Both(Text(&Form1::txtXmin, "0"), Combo(&Form1::cboStep, "0.1"))),
     kWide,
     kInput,
     {"cboStep"}},
    {"LeeNeedsLogNormal",
     Lee(Disperse()),
     "Log-normal distribution must be used for Lee diagrams",
     kInput,
     {"cboDistrib"}},
    {"LeeAngleAbove180",
     Lee(Text(&Form1::txtXmax, "181")),
     "Maximum angle > 180 degrees",
     kInput,
     {"txtXmax"}},
    {"LeeStepNotSubMultiple",
     Lee(Combo(&Form1::cboStep, "0.07")),
     "Must be a sub-multiple of 90 degrees",
     kInput,
     {"cboStep"}},
    {"MapNoSteps",
     Map(22, "1.1", "1.5", "0", "0"),
     "Number of steps not valid",
     kInput,
     {"txtF9_step"},
     WhiteAgain(&Form1::txtF9_step)},
    {"MapTooManySteps",
     Map(22, "1.1", "1.5", "401", "0"),
     "Maximum number of steps = 400",
     kInput,
     {"txtF9_step"}},
    {"MapStepsNotANumber", Map(22, "1.1", "1.5", "four", "0"), kEntryMessage, kInput, {"txtF9_step"}},
    {"IndexMapFromZero", Map(22, "0", "1.5", "4", "0"), "Value must be > 0", kInput, {"txtF9_min"}},
    {"RadiusMapFromZero", Map(24, "0", "20", "4", ""), "Value must be > 0", kInput, {"txtF9_min"}},
    {"WavelengthMapFromZero", Map(25, "0", "700", "4", ""), "Value must be > 0", kInput, {"txtF9_min"}},
    {"WavelengthMapNegative", Map(25, "-400", "700", "4", ""), kEntryMessage, kInput, {"txtF9_min"}},
    {"MapRangeReversed",
     Map(22, "1.5", "1.1", "4", "0"),
     "Minimum value >= Maximum value",
     kInput,
     {"txtF9_min", "txtF9_max"}},
    {"ImaginaryMapRealPartZero", Map(23, "0.001", "0.01", "4", "0"), kEntryMessage, kInput, {"txtF9_fixed"}},
    {"MapTooManyAngles",
     Both(Map(24, "5", "20", "4", ""), Text(&Form1::txtXmin, "0")),
     kWide,
     kInput,
     {"cboStep"}},
    {"MapStepNotSubMultiple",
     Both(Map(25, "400", "700", "4", ""), Combo(&Form1::cboStep, "0.7")),
     "Must be a sub-multiple of 90 degrees",
     kInput,
     {"cboStep"}},
    {"MapAngleRangeEmpty",
     Both(Map(23, "0.001", "0.01", "4", "1.33"), Text(&Form1::txtXmin, "145")),
     "Minimum angle = Maximum angle",
     kInput,
     {"txtXmin", "txtXmax"}},
};
// clang-format on

// clang-format off
const RefusalCase kColourAndMethodCases[] = {
    {"TooManyColours",
     Combo(&Form1::cboWave, "2001"),
     "Maximum number of colors = 2000",
     kInput,
     {"cboWave"}},
    {"NoColour", Combo(&Form1::cboWave, "0.5"), "Minimum number of colors = 1", kInput, {"cboWave"}},
    {"SamplesSeven", Disperse("7"), "Incorrect value of N", kInput, {"cboN"}},
    {"SamplesNotANumber", Disperse("ten"), "Incorrect value of N", kInput, {"cboN"}},
    // A distribution is checked against its method too; the box is corrected to 0.
    {"DistributionRayleighComplex",
     Both(Disperse(), Both(Method(3, "Rayleigh"), Text(&Form1::txtRefractImag, "0.1"))),
     "Complex values of refractive index are not valid for this calculation method",
     kInput,
     {"txtRefractImag"},
     [](RunChecksTest& t) { EXPECT_EQ(t.f.txtRefractImag.text(), "0"); }},
    {"DiffractionComplex",
     Both(Method(4, "Diffraction"), Text(&Form1::txtRefractImag, "0.001")),
     "Complex values of refractive index are not valid for this calculation method",
     kInput,
     {"txtRefractImag"}},
    {"DebyeNegativeImaginary",
     Both(Method(2, "Debye", "2"), Text(&Form1::txtRefractImag, "-0.1")),
     "The imaginary part of the refractive index must be positive",
     kInput,
     {"txtRefractImag"}},
    {"DebyeStrongAbsorption",
     Both(Method(2, "Debye", "2"),
          Both(Text(&Form1::txtRefractImag, "0.01"),
               Both(Text(&Form1::txtRadius, "10000"), Text(&Form1::txtLambda, "0.5")))),
     "Debye rays for p > 0 are suppressed by high absorption in the sphere due to the large imaginary value "
     "of "
     "the refractive index",
     "Debye series",
     {"txtRefractImag"},
     [](RunChecksTest& t) { EXPECT_NEAR(t.f.calc.sizeParam, 10000 * 6.28318530717958 / 0.5, 1e-6); }},
    {"DebyeNoOrder", Method(2, "Debye", ""), "Specify a value for p", kInput, {"cboRays"}},
    {"AiryOrderOne", Method(5, "Airy", "1"), kAiry, kInput, {"cboRays"}},
    {"AiryMultipleWithOrderZero",
     Both(Method(5, "Airy", "Multiple"),
          [](RunChecksTest& t) {
              t.f.dlogP_->chkp(0).setValue(1);
              t.f.dlogP_->chkp(2).setValue(1);
          }),
     kAiry,
     kInput,
     {"cboRays"}},
    {"DiffractionIndexOne",
     Both(Method(4, "Diffraction"), Text(&Form1::txtRefractReal, "1")),
     kMoreThanOne,
     kInput,
     {"txtRefractReal"}},
    {"DescartesIndexBelowOne",
     Both(Method(6, "Descartes", "2"), Text(&Form1::txtRefractReal, "0.9")),
     kMoreThanOne,
     kInput,
     {"txtRefractReal"}},
    {"SurfaceWaveKminZero", SurfaceWave("0", "5"), "Kmin must be >=1", kInput, {"cboQmin"}},
    {"SurfaceWaveKmaxZero", SurfaceWave("1", "0"), "Kmax must be >=1", kInput, {"cboQmax"}},
    // Before the limit of 25 is looked at.
    {"SurfaceWaveKminAboveKmax", SurfaceWave("3", "2"), "Kmin > Kmax", kInput, {"cboQmin", "cboQmax"}},
    {"SurfaceWaveKminAbove25", SurfaceWave("26", "30"), "Kmin must be <=25", kInput, {"cboQmin"}},
    {"SurfaceWaveKmaxAbove25", SurfaceWave("5", "30"), "Kmax must be <=25", kInput, {"cboQmax"}},
    {"SurfaceWaveOrderZero",
     SurfaceWave("1", "5", "0"),
     "Surface wave calculations are valid only for p > 0",
     kInput,
     {"cboRays"}},
};
// clang-format on

// clang-format off
const RefusalCase kSweepCases[] = {
    {"RadiusFromZero", RadiusSweep(1, "0", "100", "1"), "Radius must be > 0", kInput, {"txtXmin"}},
    {"SizeParameterFromZero",
     RadiusSweep(2, "0", "100", "1"),
     "Size parameter x must be > 0",
     kInput,
     {"txtXmin"}},
    // 99 x 0.45 = 44.55 < 50; 99 / 0.001 is far above 18000.
    {"RadiusStepTooLarge",
     RadiusSweep(1, "1", "100", "50"),
     "Select a smaller step size",
     kInput,
     {"cboStep"}},
    {"RadiusStepTooSmall",
     RadiusSweep(1, "1", "100", "0.001"),
     "Select a larger step size",
     kInput,
     {"cboStep"}},
    {"RadiusLogStepsBelowOne",
     Both(RadiusSweep(1, "1", "100", "0.5"), [](RunChecksTest& t) { t.f.mnuXStepLog.setChecked(true); }),
     "Number of steps must be >=1",
     kInput,
     {"cboStep"}},
    {"RadiusRangeReversed",
     RadiusSweep(1, "100", "1", "1"),
     "Minimum value of radius must be less than maximum value",
     kInput,
     {"txtXmin", "txtXmax"}},
    {"SizeParameterRangeReversed",
     RadiusSweep(2, "100", "1", "1"),
     "Minimum value must be less than maximum value",
     kInput,
     {"txtXmin", "txtXmax"}},
    {"WavelengthFromZero", Both(NoBandSphere(), WavelengthSweep("0", "700", "1")), "Wavelength must be > 0", kInput, {"txtXmin"}},
    {"WavelengthStepTooLarge",
     WavelengthSweep("400", "700", "200"),
     "Select a smaller step size",
     kInput,
     {"cboStep"}},
    {"WavelengthStepTooSmall",
     WavelengthSweep("400", "700", "0.01"),
     "Select a larger step size",
     kInput,
     {"cboStep"}},
    {"WavelengthRangeReversed",
     WavelengthSweep("700", "400", "1"),
     "Minimum value of wavelength must be less than maximum value",
     kInput,
     {"txtXmin", "txtXmax"}},
    {"IndexFromZero", IndexSweep("0", "1.34", "0.0001"), "Value must be > 0", kInput, {"txtXmin"}},
    {"IndexMaximumZero", IndexSweep("1", "0", "0.0001"), "Value must be > 0", kInput, {"txtXmax"}},
    {"IndexRangeReversed",
     IndexSweep("2", "1", "0.0001"),
     "Minimum value >= Maximum value",
     kInput,
     {"txtXmin", "txtXmax"}},
    // Too many points set the flag; the checks go on (and here find nothing more).
    {"IndexTooManyPoints", IndexSweep("1.33", "1.34", "1E-07"), kWide, kInput, {"cboStep"}},
};
// clang-format on

// clang-format off
const RefusalCase kAngleCases[] = {
    {"SunNeedsFineStep",
     [](RunChecksTest& t) {
         t.f.optSun.setValue(true);
         t.f.cboStep.setText("0.25");
     },
     "Sun requires angular resolution < 0.25 degrees",
     kInput,
     {"cboStep"},
     [](RunChecksTest& t) {
         EXPECT_EQ(t.f.cboStep.backColor(), kWhiteBox);
         EXPECT_TRUE(t.f.optPoint.value());
     }},
    {"StepNotSubMultiple",
     Combo(&Form1::cboStep, "0.7"),
     "Must be a sub-multiple of 90 degrees",
     kInput,
     {"cboStep"}},
    {"MinimumAbove180", Text(&Form1::txtXmin, "181"), "Minimum angle > 180 degrees", kInput, {"txtXmin"}},
    {"MaximumAbove180", Text(&Form1::txtXmax, "190"), "Maximum angle > 180 degrees", kInput, {"txtXmax"}},
    {"MinimumAboveMaximum",
     Both(Text(&Form1::txtXmin, "100"), Text(&Form1::txtXmax, "50")),
     "Minimum angle > Maximum angle",
     kInput,
     {"txtXmin", "txtXmax"}},
    {"MinimumEqualsMaximum",
     Both(Text(&Form1::txtXmin, "50"), Text(&Form1::txtXmax, "50")),
     "Minimum angle = Maximum angle",
     kInput,
     {"txtXmin", "txtXmax"}},
    {"LogScaleManualMinimumZero",
     ManualY("0", "Automatic"),
     "Minimum amplitude <= 0 not valid for logarithmic scale",
     kInput,
     {"cboYmin"},
     // The refused limit changes no setting: the scale stays logarithmic, the box as typed.
     [](RunChecksTest& t) {
         EXPECT_TRUE(t.f.optLog.value());
         EXPECT_FALSE(t.f.optLinear.value());
         EXPECT_EQ(t.f.cboYmin.text(), "0");
     }},
    {"LogScaleManualMaximumZero",
     ManualY("Automatic", "0"),
     "Maximum amplitude <= 0 not valid for logarithmic scale",
     kInput,
     {"cboYmax"}},
    {"AmplitudesEqual",
     ManualY("10", "10"),
     "Minimum amplitude = Maximum amplitude",
     kInput,
     {"cboYmin", "cboYmax"}},
    {"AmplitudesReversed",
     ManualY("100", "10"),
     "Minimum amplitude > Maximum amplitude",
     kInput,
     {"cboYmin", "cboYmax"}},
    {"LogStepsOnAngleGraph",
     Both(ManualY("1", "1000"),
          Both(Combo(&Form1::cboStep, "0.5"), [](RunChecksTest& t) { t.f.mnuXStepLog.setChecked(true); })),
     "Number of steps must be >=1",
     kInput,
     {"cboStep"}},
};
// clang-format on

// A step larger than the range leaves at most one point inside it (a blank graph); the sweeps
// without a step-size row of their own, distributions, angle graphs, Lee diagrams and maps.
RefusalCase Smaller(const char* name, Setup setup) {
    return {name, setup, "Select a smaller step size", kInput, {"cboStep"}};
}
// clang-format off
const RefusalCase kStepBeyondRangeCases[] = {
    Smaller("IndexSweep", IndexSweep("1.33", "1.34", "0.1")),
    Smaller("EfficiencySize",
            [](RunChecksTest& t) { t.sweep(14, 3, "Qext/Qsca/Qabs v. size x", "1", "2", "5"); }),
    Smaller("DistributionRadiusSweep", Both(Disperse(), RadiusSweep(1, "1", "2", "5"))),
    Smaller("AngleGraph", Both(Both(Text(&Form1::txtXmin, "10"), Text(&Form1::txtXmax, "20")),
                               Combo(&Form1::cboStep, "30"))),
    Smaller("LeeDiagram", Lee(Combo(&Form1::cboStep, "3"))),
    Smaller("RadiusMap", Both(Map(24, "5", "20", "4", ""), Combo(&Form1::cboStep, "10"))),
};
// clang-format on

// Airy theory over every index the run takes (1 < m < p), before the first step: the end of the
// sweep that crosses the limit is red. 1.25 to 1.875 in steps of 0.25 rounds to 4 steps, the last at 2.
RefusalCase Airy(const char* name, const char* p, Setup range, const char* red) {
    return {
        name, Both(Method(5, "Airy", p), range), "Airy theory is valid only for 1 < m < p", kInput, {red}};
}
// clang-format off
const RefusalCase kAiryRangeCases[] = {
    Airy("IndexSweepAboveP", "2", IndexSweep("1.2", "2.4", "0.2"), "txtXmax"),
    Airy("IndexSweepLastStepAtP", "2", IndexSweep("1.25", "1.875", "0.25"), "txtXmax"),
    Airy("IndexSweepFromBelowOne", "3", IndexSweep("0.8", "1.5", "0.1"), "txtXmin"),
    Airy("IndexMapAboveP", "2", Map(22, "1.1", "2.5", "4", "0"), "txtF9_max"),
    // Each row of a map over the imaginary index is complex: refused before its real part is judged.
    {"ImaginaryMapIsComplex", Both(Method(5, "Airy", "2"), Map(23, "0.001", "0.01", "4", "2.2")),
     "Complex values of refractive index are not valid for this calculation method", kInput,
     {"txtF9_min", "txtF9_max"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(MethodAndGraph, Refusal, ::testing::ValuesIn(kMethodAndGraphCases),
                         [](const auto& i) { return std::string(i.param.name); });
INSTANTIATE_TEST_SUITE_P(Entries, Refusal, ::testing::ValuesIn(kEntryCases),
                         [](const auto& i) { return std::string(i.param.name); });
INSTANTIATE_TEST_SUITE_P(LeeAndMaps, Refusal, ::testing::ValuesIn(kLeeAndMapCases),
                         [](const auto& i) { return std::string(i.param.name); });
INSTANTIATE_TEST_SUITE_P(ColoursAndMethods, Refusal, ::testing::ValuesIn(kColourAndMethodCases),
                         [](const auto& i) { return std::string(i.param.name); });
INSTANTIATE_TEST_SUITE_P(Sweeps, Refusal, ::testing::ValuesIn(kSweepCases),
                         [](const auto& i) { return std::string(i.param.name); });
INSTANTIATE_TEST_SUITE_P(Angles, Refusal, ::testing::ValuesIn(kAngleCases),
                         [](const auto& i) { return std::string(i.param.name); });
INSTANTIATE_TEST_SUITE_P(StepBeyondRange, Refusal, ::testing::ValuesIn(kStepBeyondRangeCases),
                         [](const auto& i) { return std::string(i.param.name); });
INSTANTIATE_TEST_SUITE_P(AiryRange, Refusal, ::testing::ValuesIn(kAiryRangeCases),
                         [](const auto& i) { return std::string(i.param.name); });

// Inputs that pass every check: no message, the flag 0.
struct PassCase {
    const char* name;
    Setup setup;
};

void PrintTo(const PassCase& c, std::ostream* os) { *os << c.name; }

class Pass : public RunChecksTest, public ::testing::WithParamInterface<PassCase> {};

TEST_P(Pass, ShowsNothing) {
    GetParam().setup(*this);
    EXPECT_EQ(check(1), 0);  // cleared even when the caller handed in 1
    for (const ShownBox& b : shown) ADD_FAILURE() << "unexpected message: " << b.prompt;
    EXPECT_TRUE(redInputs().empty());
}

// clang-format off
const PassCase kPassCases[] = {
    {"Defaults", [](RunChecksTest&) {}},
    {"PolarFullRange", Polar()},
    {"PolarHalfRangeWithPhase",
     Polar(Both(Text(&Form1::txtXmax, "90"), [](RunChecksTest& t) { t.f.mnuAmpPhase.setChecked(true); }))},
    {"InterpolationEightWavelengths",
     [](RunChecksTest& t) {
         t.f.mnuInterpolate.setChecked(true);
         t.f.cboWave.setText("8");
         t.f.calc.waveCount = 8;
     }},
    {"InterpolationRGB",
     [](RunChecksTest& t) {
         t.f.mnuInterpolate.setChecked(true);
         t.f.cboWave.setText("RGB");
     }},
    {"NegativeImaginaryIndex", Text(&Form1::txtRefractImag, "-0.001")},
    {"ExponentNotation", Both(Text(&Form1::txtRadius, "1e1"), Text(&Form1::txtLambda, "6.5E-1"))},
    {"TwoThousandColours", Combo(&Form1::cboWave, "2000")},
    {"HighColoursWhateverTheirValue", Combo(&Form1::cboWave, "High")},
    {"SpecialDistributionWithoutDeviation",
     Both(Disperse(), Both(Combo(&Form1::cboDistrib, "Special"), Combo(&Form1::cboSD, "0")))},
    // The sweep-range rows are left out for a distribution (50 would be too large a step).
    {"DistributionSkipsSweepRange", Both(Disperse(), RadiusSweep(1, "1", "100", "50"))},
    {"DebyeOrderZeroStrongAbsorption",
     Both(Method(2, "Debye", "0"),
          Both(Text(&Form1::txtRefractImag, "0.01"), Text(&Form1::txtRadius, "10000")))},
    {"AiryMultipleOrderTwoOnly",
     Both(Method(5, "Airy", "Multiple"), [](RunChecksTest& t) { t.f.dlogP_->chkp(2).setValue(1); })},
    {"AiryOrderTwo", Method(5, "Airy", "2")},
    {"DescartesMultipleIndexBelowOne",
     Both(Method(6, "Descartes", "Multiple"), Text(&Form1::txtRefractReal, "0.9"))},
    {"SurfaceWave", SurfaceWave("1", "5")},
    {"StepPointThree", Combo(&Form1::cboStep, "0.3")},
    {"StepQuarter", Combo(&Form1::cboStep, "0.25")},
    {"StepTwentieth", Combo(&Form1::cboStep, "0.05")},
    {"StepHundredth", Combo(&Form1::cboStep, "0.01")},
    {"SunWithFineStep",
     [](RunChecksTest& t) {
         t.f.optSun.setValue(true);
         t.f.cboStep.setText("0.2");
     }},
    {"ManualAmplitudes", ManualY("0.001", "1000")},
    {"RadiusSweep", RadiusSweep(1, "1", "100", "1")},
    {"WavelengthSweep", WavelengthSweep("400", "700", "1")},
    {"LeeDiagram", Lee()},
    {"IndexMap", Map(22, "1.1", "1.5", "4", "0")},
    {"ImaginaryMapFromNegative", Map(23, "-0.01", "0.01", "4", "1.33")},
    {"RadiusMap", Map(24, "5", "20", "4", "")},
    {"WavelengthMap", Map(25, "400", "700", "4", "")},
    // The maps read the fixed-angle box as their radius: no angle limit of 180.
    {"MapOfLargeDrop", Both(Map(22, "1.1", "1.5", "4", "0"), Text(&Form1::txtAngle, "500"))},
    // A step equal to the range as typed gives the two ends (1.4 - 1.3 is 0.0999... in binary).
    {"IndexStepEqualsRange", IndexSweep("1.3", "1.4", "0.1")},
    {"AngleStepEqualsRange", Both(Text(&Form1::txtXmax, "90"), Combo(&Form1::cboStep, "90"))},
    {"AiryIndexSweepBelowP", Both(Method(5, "Airy", "2"), IndexSweep("1.2", "1.8", "0.2"))},
    // The real-index map takes its indices from the map frame, not from the hidden index box.
    {"AiryIndexMapBelowP", Both(Both(Method(5, "Airy", "2"), Map(22, "1.1", "1.5", "4", "0")),
                                Text(&Form1::txtRefractReal, "2.5"))},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Inputs, Pass, ::testing::ValuesIn(kPassCases),
                         [](const auto& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------------------------------------------

TEST_F(RunChecksTest, EfficiencyGraphWithOtherMethodResetsTheMethodList) {
    Method(3, "Rayleigh")(*this);
    sweep(14, 1, "Qext/Qsca/Qabs v. radius", "1", "100", "1");
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, "Selected graph type is available only for Mie calculations");
    EXPECT_EQ(f.cboType.text(), "Mie");
}

TEST_F(RunChecksTest, LimitsCopiedFromTheBoxesOutsideAnOverplot) {
    ManualY("0.01", "1000")(*this);
    xLow = 5;
    xHigh = 6;
    flag = 1;
    f.CheckInput(xLow, xHigh, yLow, yHigh, flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(xLow, 0);
    EXPECT_EQ(xHigh, 180);
    EXPECT_EQ(yLow, 0.01);
    EXPECT_EQ(yHigh, 1000);
}

TEST_F(RunChecksTest, AutomaticLimitsLeaveTheArgumentsAlone) {
    yLow = 3;
    yHigh = 4;
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(yLow, 3);
    EXPECT_EQ(yHigh, 4);
}

TEST_F(RunChecksTest, OverplotKeepsTheLimitsOfTheGraphOnShow) {
    f.codes.runState = 2;
    f.txtXmin.setText("10");
    xLow = 0;
    xHigh = 90;
    f.CheckInput(xLow, xHigh, yLow, yHigh, flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(xLow, 0);
    EXPECT_EQ(xHigh, 90);
}

// Negative angles come only from the caller during an overplot: the boxes refuse a minus sign.
TEST_F(RunChecksTest, OverplotWithNegativeAnglesIsRefused) {
    f.mnuOverplot.setChecked(true);
    xLow = -1;
    xHigh = 180;
    f.CheckInput(xLow, xHigh, yLow, yHigh, flag);
    EXPECT_EQ(flag, 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, "Minimum angle < 0 degrees");
    EXPECT_EQ(shown[0].red, Names{"txtXmin"});

    shown.clear();
    f.txtXmin.setBackColor(kWhiteBox);
    xLow = 0;
    xHigh = -5;
    f.CheckInput(xLow, xHigh, yLow, yHigh, flag);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, "Maximum angle < 0 degrees");
    EXPECT_EQ(shown[0].red, Names{"txtXmax"});
}

TEST_F(RunChecksTest, SizeParameterSweepOfOtherSubCodeStopsWithoutMessage) {
    RadiusSweep(3, "0", "100", "1")(*this);
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(redInputs(), Names{"txtXmin"});
}

TEST_F(RunChecksTest, SunOnSweepSwitchesToPointSourceAndGoesOn) {
    RadiusSweep(1, "1", "100", "1")(*this);
    f.optSun.setValue(true);
    EXPECT_EQ(check(), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, "Point source only for these calculations");
    EXPECT_EQ(shown[0].title, "Input parameters");
    EXPECT_TRUE(f.optPoint.value());
    EXPECT_FALSE(f.optSun.value());
}

// A distribution leaves out the first point-source row, so the sweep's own row shows it after the
// point-count message, and the flag stays set.
TEST_F(RunChecksTest, TooManySweepPointsStillSwitchToPointSource) {
    Disperse()(*this);
    IndexSweep("1.33", "1.34", "1E-07")(*this);
    f.optSun.setValue(true);
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].prompt, kWide);
    EXPECT_EQ(shown[1].prompt, "Point source only for these calculations");
    EXPECT_EQ(shown[1].title, "Input parameters");
    EXPECT_TRUE(f.optPoint.value());
}

TEST_F(RunChecksTest, RayleighWarningLetsTheRunGoOnAndTheLaterChecksRun) {
    Method(3, "Rayleigh")(*this);
    f.txtRadius.setText("1");
    EXPECT_EQ(check(), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, "Rayleigh approximation is valid only when r << wavelength");
    EXPECT_EQ(shown[0].title, "Warning . . .");
    EXPECT_TRUE(shown[0].red.empty());

    shown.clear();
    f.txtXmin.setText("181");  // the angle rows are made after the warning
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, "Warning . . .");
    EXPECT_EQ(shown[1].prompt, "Minimum angle > 180 degrees");
    EXPECT_EQ(shown[1].red, Names{"txtXmin"});
}

// Each box the checks pass through the number entry reads afterwards, as the run reads it (Val), the
// number typed with an exponent ending in 0 or a decimal comma; "1-5e3" is refused in each.
// Types the text given (if any) in the box, and gives the box's text.
using BoxText = std::function<std::string(RunChecksTest&, const std::string*)>;
template <class B>
BoxText In(B Form1::*box) {
    return [box](RunChecksTest& t, const std::string* text) {
        if (text) (t.f.*box).setText(*text);
        return (t.f.*box).text();
    };
}
// The graph or method that reads the box, the box, the text typed and the number it means.
std::vector<std::tuple<Setup, BoxText, std::string, double>> NumberBoxRows() {
    const Setup angles = [](RunChecksTest&) {}, lee = Lee(Text(&Form1::txtRadius, "5"));
    const Setup waves = SurfaceWave("1", "2"), map = Map(kGraphMapIndex, "1.3", "1.4", "4", "0");
    return {{angles, In(&Form1::cboYmax), "1.0E10", 1e10},
            {angles, In(&Form1::cboYmin), "0,5", 0.5},
            {angles, In(&Form1::txtXmin), "1.0E0", 1},
            {angles, In(&Form1::txtXmax), "9.0E0", 9},
            {angles, In(&Form1::cboStep), "1.0E0", 1},
            {angles, In(&Form1::txtRadius), "2.0E0", 2},
            {angles, In(&Form1::txtLambda), "1.0E0", 1},
            {angles, In(&Form1::txtRefractReal), "1.330E0", 1.33},
            {angles, In(&Form1::txtRefractImag), "3.30E-10", 3.3e-10},
            {RadiusSweep(1, "1", "10", "1"), In(&Form1::txtAngle), "1.30E-10", 1.3e-10},
            {lee, In(&Form1::txtRmax), "20.0E0", 20},
            {lee, In(&Form1::txtRstep), "4.0E0", 4},
            {Disperse("10"), In(&Form1::cboSD), "7,5", 7.5},
            {angles, In(&Form1::cboWave), "1,0E1", 10},
            {waves, In(&Form1::cboQmin), "1,9", 1.9},
            {waves, In(&Form1::cboQmax), "2,5E0", 2.5},
            {waves, In(&Form1::txtSWAmp), "1,5", 1.5},
            {map, In(&Form1::txtF9_min), "1.30E0", 1.3},
            {map, In(&Form1::txtF9_step), "4.0E0", 4},
            {map, In(&Form1::txtF9_fixed), "3.30E-10", 3.3e-10}};
}

TEST_F(RunChecksTest, EveryNumberBoxReadsTheNumberTyped) {
    for (const auto& [setup, box, number, meant] : NumberBoxRows()) {
        for (const std::string& typed : {number, std::string("1-5e3")}) {
            SCOPED_TRACE(typed);
            setDefaults();
            shown.clear();
            setup(*this);
            box(*this, &typed);
            const bool good = typed == number;
            EXPECT_EQ(check(), good ? 0 : 1);
            EXPECT_EQ(shown.empty() ? "" : shown[0].prompt, good ? "" : kEntryMessage);
            EXPECT_EQ(Val(box(*this, nullptr)), good ? meant : 1);  // "1-5e3" stays as typed
        }
    }
}

TEST_F(RunChecksTest, RayleighRadiusFollowsTheSizeMenu) {
    Method(3, "Rayleigh")(*this);
    f.txtRadius.setText("0.08");  // a diameter of 0.08: r = 0.04, lambda / r = 16.25
    f.mnuRadius.setChecked(false);
    f.mnuDiameter.setChecked(true);
    EXPECT_EQ(check(), 0);
    EXPECT_TRUE(shown.empty());

    f.txtRadius.setText("1");  // size parameter 1: r = 0.65 / 2 pi, lambda / r = 2 pi
    f.mnuDiameter.setChecked(false);
    f.mnuRadiusX.setChecked(true);
    EXPECT_EQ(check(), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Warning . . .");
}

TEST_F(RunChecksTest, LogScaleMinimumOfFileGraphSwitchesSilently) {
    ManualY("0", "Automatic")(*this);
    f.runFlags.resultsFromFile = 1;
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(f.optLinear.value());
    EXPECT_EQ(redInputs(), Names{"cboYmin"});
}

// The Lee sweep with a distribution must span 3 to steps / 3 radius steps: w = 3 sigma / (ratio - 1),
// for 5 to 20 um in 400 steps 864 sigma. The sweep values of an earlier run do not count.
TEST_F(RunChecksTest, LeeDistributionWidthUsesTheSweepOfThisRun) {
    struct Row {
        const char* deviation;
        const char* prompt;  // nullptr: passes
    };
    const Row rows[] = {{"1", nullptr},
                        {"20", "Reduce the Standard Deviation"},
                        {"0.2", "Increase the Standard Deviation to at least 0.35 %"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.deviation);
        shown.clear();
        leeDiagram();
        f.txtRstep.setText("400");
        f.optDisp.setValue(true);
        f.cboDistrib.setText("Log-normal");
        f.cboSD.setText(row.deviation);
        f.cboSD.setBackColor(kWhiteBox);
        f.sweepState.sweepRatio = 0;  // as before any Lee diagram
        f.sweepState.sweepSteps = 0;
        const int result = check();
        EXPECT_FLOAT_EQ(f.dist.relStdDev, static_cast<float>(Val(row.deviation) / 100));
        if (!row.prompt) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(shown.empty());
            continue;
        }
        EXPECT_EQ(result, 1);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].prompt, row.prompt);
        EXPECT_EQ(shown[0].red, Names{"cboSD"});
        EXPECT_EQ(f.cboSD.backColor(), kWhiteBox);
    }
}

// A distribution narrower than 3 radius steps is told the least standard deviation that runs: w = 3 sigma /
// growth >= 3 needs sigma >= growth per step, rounded up to hundredths of a per cent:
//   python3 -c "print([((b / a) ** (1 / n) - 1) * 100 for a, b, n in [(10, 100, 40), (5, 20, 12)]])"
//   -> 5.9254, 12.2462. Up to 9 steps no deviation runs (at 9, 16.66 % gives w = 3.001 > 3).
TEST_F(RunChecksTest, LeeDistributionTooNarrowSaysTheLeastDeviation) {
    const std::vector<std::string> rows[] = {{"10", "100", "40", "5.93"},
                                             {"5", "20", "12", "12.25"},
                                             {"5", "20", "9"},
                                             {"5", "20", "4"}};  // 4: the preset Lee diagram
    for (const std::vector<std::string>& row : rows) {
        SCOPED_TRACE(row[2]);
        shown.clear();
        leeDiagram();
        f.txtRadius.setText(row[0]);
        f.txtRmax.setText(row[1]);
        f.txtRstep.setText(row[2]);
        f.optDisp.setValue(true);
        f.cboDistrib.setText("Log-normal");
        f.cboSD.setText("0.01");
        EXPECT_EQ(check(), 1);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].prompt, row.size() < 4
                                       ? "Increase the number of steps (at least 9 for a size distribution)"
                                       : "Increase the Standard Deviation to at least " + row[3] + " %");
        if (row.size() < 4) continue;
        shown.clear();
        f.cboSD.setText(row[3]);  // the value named runs
        EXPECT_EQ(check(), 0);
        EXPECT_TRUE(shown.empty());
    }
}

TEST_F(RunChecksTest, EntryCheckNormalisesTheBoxes) {
    f.txtRadius.setText("+10.0");
    f.cboStep.setText("0,1");
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(f.txtRadius.text(), "10");
    EXPECT_EQ(f.cboStep.text(), ".1");
}

// ---------------------------------------------------------------------------------------------------
// Through New plot on the started window

class NewPlotRefusalTest : public UiTest {
  public:
    NewPlotRefusalTest() {
        runtime.setModalHook([](Form& dialog) { dialog.hide(); });
        runtime.setEndHandler([](int) {});
    }
    ~NewPlotRefusalTest() override { form.reset(); }

    std::unique_ptr<Form1> form;
};

// A refused entry shows the message with its box red (the unlock at the end of New plot clears the
// marks of the radius and step boxes again), computes nothing (the first graph's scattering efficiency
// stays), and New plot still ends through its common end (unlocked, a beep).
TEST_F(NewPlotRefusalTest, RefusedEntryComputesNothing) {
    struct Row {
        const char* what;
        std::function<Control&(Form1&)> box;
        const char* text;
    };
    // clang-format off
    const Row rows[] = {
        {"radius abc", [](Form1& f) -> Control& { return f.txtRadius; }, "abc"},
        {"radius 0", [](Form1& f) -> Control& { return f.txtRadius; }, "0"},
        {"step 0", [](Form1& f) -> Control& { return f.cboStep; }, "0"},
        {"wavelength 0", [](Form1& f) -> Control& { return f.txtLambda; }, "0"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        form = std::make_unique<Form1>();
        Form1& f = *form;
        f.load();
        ASSERT_GT(f.results.qSca, 0.0);  // the first graph was computed
        Control& box = row.box(f);
        if (auto* text = dynamic_cast<TextBox*>(&box)) text->setText(row.text);
        if (auto* combo = dynamic_cast<ComboBox*>(&box)) combo->setText(row.text);
        if (&box == &f.txtLambda) {  // a sphere without a band row: the entry check is reached
            f.mnuRI_IAPWS.setChecked(false);
            f.mnuRI_Vacuum1.setChecked(true);
        }

        std::vector<ShownBox> seen;
        runtime.setMessageBoxResponder([&](const MessageBoxRequest& r) {
            seen.push_back({r.prompt, r.style, r.title, {box.backColor() == kRedBox ? "red" : "not red"}});
            return mb::kOk;
        });
        const int beeps = runtime.beepCount();
        const double qSca = f.results.qSca;  // the run on show's (typing a radius clears it)
        f.cmdNewPlot.click();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].prompt, kEntryMessage);
        EXPECT_EQ(seen[0].title, "Input error");
        EXPECT_EQ(seen[0].red, Names{"red"});
        EXPECT_EQ(f.results.qSca, qSca);
        EXPECT_EQ(f.runFlags.inputError, 0);
        EXPECT_TRUE(f.cmdNewPlot.enabled());
        EXPECT_EQ(runtime.beepCount(), beeps + 1);
        form.reset();
    }
}

}  // namespace
}  // namespace tessary::test
