// The run-time estimate: the fitted formulae for angle graphs and Lee diagrams (reference values
// worked out independently from the published fit coefficients), the wave-count rule, the undefined
// inputs, the "Long calculation !" question and what the window's Duration writes.
#include "runs/run_estimate.h"

#include <limits>
#include <optional>
#include <string>

#include "runs/method_codes.h"
#include "tests/runs/run_checks_support.h"
#include "tests/support/rel_error.h"

namespace tessary::test {
namespace {

const std::string kCR(1, '\r');

AngleRunInput DefaultAngleRun() {
    AngleRunInput in;
    in.calcMethod = kMethodMie;
    in.radius = 10;
    in.step = 0.1;
    in.range = 180;
    in.waveCount = 1;
    in.lambda = 0.65;
    return in;
}

// ---------------------------------------------------------------------------------------------------
// Angle graphs

struct AngleCase {
    const char* name;
    int method;
    double radius, step, range;
    int waveCount;
    double lambda;
    bool disperse;
    double samples;
    double seconds;
};

void PrintTo(const AngleCase& c, std::ostream* os) { *os << c.name; }

class AngleEstimate : public ::testing::TestWithParam<AngleCase> {};

TEST_P(AngleEstimate, MatchesTheFit) {
    const AngleCase& c = GetParam();
    AngleRunInput in;
    in.calcMethod = c.method;
    in.radius = c.radius;
    in.step = c.step;
    in.range = c.range;
    in.waveCount = c.waveCount;
    in.lambda = c.lambda;
    in.disperse = c.disperse;
    in.samples = c.samples;
    const RunEstimate e = EstimateAngleRun(in);
    ASSERT_EQ(e.status, EstimateStatus::Ok);
    EXPECT_REL_NEAR(e.seconds, c.seconds, 1e-9);
}

// C(10) = 15.0897, A(180) = 0.999243: the default run takes about 1.51 s.
const AngleCase kAngleCases[] = {
    {"MieDefault", 1, 10, 0.1, 180, 1, 0.65, false, 0, 1.507830268},
    {"MieLargeDropFineStep", 1, 2000, 0.01, 180, 1, 0.65, false, 0, 2082.14874},
    {"MieThreeWavelengths", 1, 10, 0.1, 180, 3, 0.65, false, 0, 3.180569139},
    {"MieDistributionOfTen", 1, 10, 0.1, 180, 1, 0.65, true, 10, 15.07830268},
    {"DebyeOneWavelength", 2, 10, 0.1, 180, 1, 0.5, false, 0, 3.368301202},
    {"DebyeThreeWavelengths", 2, 10, 0.1, 180, 3, 0.65, false, 0, 9.810586026},
    {"OtherMethodHasNoFit", 3, 10, 0.1, 180, 1, 0.65, false, 0, 0.0},
};

INSTANTIATE_TEST_SUITE_P(Fits, AngleEstimate, ::testing::ValuesIn(kAngleCases),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(AngleEstimate, UndefinedInputsGiveNoEstimate) {
    const auto undefined = [](auto change) {
        AngleRunInput in = DefaultAngleRun();
        change(in);
        return EstimateAngleRun(in).status == EstimateStatus::Undefined;
    };
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.step = 0; }));
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.step = -0.1; }));
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.lambda = 0; }));
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.radius = 0; }));
    EXPECT_TRUE(undefined([](AngleRunInput& in) {
        in.radius = -1;
        in.waveCount = 3;  // would take the logarithm of the radius
    }));
    EXPECT_FALSE(undefined([](AngleRunInput&) {}));
}

// ---------------------------------------------------------------------------------------------------
// Wave count and sweep ratio

TEST(EstimateWaveCount, FollowsTheSetText) {
    EXPECT_EQ(EstimateWaveCount("RGB", 10, 1), 3);
    EXPECT_EQ(EstimateWaveCount("Low", 500, 1), 7);    // 1000 / 500 = 2, raised to 7
    EXPECT_EQ(EstimateWaveCount("High", 2, 1), 1000);  // 3000, cut to 1000
    EXPECT_EQ(EstimateWaveCount("High", 10, 1), 600);
    EXPECT_EQ(EstimateWaveCount("Med.", 100, 1), 30);
    EXPECT_EQ(EstimateWaveCount("Low", 1e-300, 1), 100);  // a tiny radius gives the limit
    EXPECT_EQ(EstimateWaveCount("10", 10, 4), 4);         // any other text keeps the count
    EXPECT_EQ(EstimateWaveCount("high", 10, 4), 4);       // exact comparison
}

TEST(SweepRatio, IsTheStepsRootOfTheRangeInSingle) {
    EXPECT_EQ(SweepRatio(1.0f, 100.0f, 4.0f), 3.1622777f);
    EXPECT_EQ(SweepRatio(5.0f, 20.0f, 4.0f), 1.41421354f);
    EXPECT_EQ(SweepRatio(2.0f, 2.0f, 7.0f), 1.0f);
}

// ---------------------------------------------------------------------------------------------------
// Lee diagrams

struct LeeCase {
    const char* name;
    int method;
    float start, end, steps;
    double step, range;
    const char* waveText;
    double seconds;
    int waveCount;  // after the last radius
    double lastRadius;
};

void PrintTo(const LeeCase& c, std::ostream* os) { *os << c.name; }

class LeeEstimate : public ::testing::TestWithParam<LeeCase> {};

TEST_P(LeeEstimate, SumsTheStepTimes) {
    const LeeCase& c = GetParam();
    LeeRunInput in;
    in.calcMethod = c.method;
    in.sweepStart = c.start;
    in.sweepEnd = c.end;
    in.sweepSteps = c.steps;
    in.step = c.step;
    in.range = c.range;
    in.waveText = c.waveText;
    in.waveCount = 1;
    const RunEstimate e = EstimateLeeRun(in);
    ASSERT_EQ(e.status, EstimateStatus::Ok);
    EXPECT_REL_NEAR(e.seconds, c.seconds, 1e-9);
    EXPECT_EQ(e.waveCount, c.waveCount);
    EXPECT_REL_NEAR(e.lastRadius, c.lastRadius, 1e-9);
    EXPECT_EQ(e.stepsDone, static_cast<int>(c.steps) + 1);
}

// A range of 10 degrees gives F = 1.0016835 (log10(1) = 0). With "High" the last radius is
// 100.0000049 in Single steps, so 6000 / r gives 59 wavelengths, not 60.
const LeeCase kLeeCases[] = {
    {"MiePresetRGB", 1, 5, 20, 4, 0.05, 2, "RGB", 9.786942243, 3, 19.99999863},
    {"MieHighWavelengths", 1, 1, 100, 4, 1, 180, "High", 381.7637076, 59, 100.0000049},
    {"DebyeLowWavelengths", 2, 1, 100, 4, 0.1, 180, "Low", 210.1715366, 9, 100.0000049},
    {"MieRangeOfTenDegrees", 1, 1, 100, 4, 0.05, 10, "1", 8.94174641, 1, 100.0000049},
};

INSTANTIATE_TEST_SUITE_P(Fits, LeeEstimate, ::testing::ValuesIn(kLeeCases),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(LeeEstimate, UndefinedInputsGiveNoEstimate) {
    const auto undefined = [](auto change) {
        LeeRunInput in;
        in.sweepStart = 5;
        in.sweepEnd = 20;
        in.sweepSteps = 4;
        in.step = 0.05;
        in.range = 2;
        in.waveText = "RGB";
        change(in);
        return EstimateLeeRun(in).status == EstimateStatus::Undefined;
    };
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.step = 0; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.sweepStart = 0; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.sweepEnd = -20; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.sweepSteps = 0; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.sweepSteps = 401; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.range = 0; }));  // log10 of 0
    EXPECT_FALSE(undefined([](LeeRunInput& in) { in.sweepSteps = 400; }));
}

// ---------------------------------------------------------------------------------------------------
// The question

struct PromptCase {
    double seconds;
    const char* firstLine;  // nullptr: nothing is asked
};

class LongRunQuestion : public ::testing::TestWithParam<PromptCase> {};

TEST_P(LongRunQuestion, FirstLineAndNoQuestionAtOrBelowHalfAnHour) {
    const PromptCase& c = GetParam();
    const std::optional<std::string> prompt = LongRunPrompt(c.seconds);
    if (!c.firstLine) {
        EXPECT_FALSE(prompt.has_value());
        return;
    }
    ASSERT_TRUE(prompt.has_value());
    EXPECT_EQ(*prompt, std::string(c.firstLine) + kCR + kCR + "Do you want to continue ?");
}

INSTANTIATE_TEST_SUITE_P(
    Durations, LongRunQuestion,
    ::testing::Values(PromptCase{1.5078, nullptr}, PromptCase{1800, nullptr},
                      PromptCase{1800.5, "Expected duration is about 30 minutes"},
                      PromptCase{1830, "Expected duration is about 30 minutes"},  // 30.5 to the even 30
                      PromptCase{1890, "Expected duration is about 32 minutes"},  // 31.5 to the even 32
                      PromptCase{1900, "Expected duration is about 32 minutes"},
                      PromptCase{3599, "Expected duration is about 60 minutes"},
                      PromptCase{3600, "Expected duration is about 1 hour 0 minutes"},
                      PromptCase{5000, "Expected duration is about 1 hour 23 minutes"},
                      PromptCase{7300, "Expected duration is about 2 hours 2 minutes"},
                      PromptCase{90000, "Expected duration is about 25 hours 0 minutes"}),
    [](const auto& i) {
        return "TenthsOfSeconds" + std::to_string(static_cast<long long>(i.param.seconds * 10));
    });

TEST(LongRunQuestion, NotANumberAsksNothing) {
    EXPECT_FALSE(LongRunPrompt(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(LongRunPrompt(std::numeric_limits<double>::infinity()).has_value());
}

// ---------------------------------------------------------------------------------------------------
// Seconds from cost units at the measured rates (per unit: Mie angle 1.8e-3, Debye angle 7.2e-4, Mie
// Lee 1.32e-3, Debye Lee 1.02e-2). The units are the fit values above; the Debye one is (7.76814 +
// 1.81405 * 2000 + 1.369248e-05 * 2000**2) * (180 / 0.01 * 2000) / 18000 * 0.65 / 0.515 (radius
// 2000 um at 0.01 degree, 2000 wavelengths).
TEST(RatedEstimate, SecondsAtTheMeasuredRates) {
    struct Row {
        int method;
        bool lee;
        double units, seconds;
    };
    const Row rows[] = {
        {1, false, 2082.14874, 3.747867732},  // radius 2000 um at 0.01 degree: once read as 2082 s
        {2, false, 9316173.743689323, 6707.645095456312},
        {1, true, 381.7637076, 0.503928094032},
        {2, true, 210.1715366, 2.14374967332},
        {3, false, 1e9, 0.0},  // other methods
    };
    for (const Row& r : rows)
        EXPECT_REL_NEAR(ExpectedSeconds(r.method, r.lee, r.units), r.seconds, 1e-9) << r.units;
}

// ---------------------------------------------------------------------------------------------------
// The window's Duration

using DurationTest = RunChecksTest;

TEST_F(DurationTest, DefaultRunAsksNothing) {
    f.Duration();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(f.runFlags.inputError, 0);
    EXPECT_REL_NEAR(f.runProgress.estimatedUnits, 1.507830268, 1e-9);
    EXPECT_EQ(f.calc.waveCount, 1);
}

// Radius 2000 um at 0.01 degree, 2000 wavelengths: 5604516.86 units, at 1.8e-3 s each 10088.1 s,
// 2 hours 48.1 minutes.
TEST_F(DurationTest, LongRunAsksAndYesGoesOn) {
    f.txtRadius.setText("2000");
    f.cboStep.setText("0.01");
    f.cboWave.setText("2000");
    f.calc.waveCount = 2000;
    answers.push_back(mb::kYes);
    f.Duration();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt,
              "Expected duration is about 2 hours 48 minutes" + kCR + kCR + "Do you want to continue ?");
    EXPECT_EQ(shown[0].title, "Long calculation !");
    EXPECT_EQ(shown[0].style, mb::kYesNo);
    EXPECT_EQ(f.runFlags.inputError, 0);
}

TEST_F(DurationTest, LongRunAnsweredNoSetsTheFlag) {
    f.txtRadius.setText("2000");
    f.cboStep.setText("0.01");
    f.cboWave.setText("2000");
    f.calc.waveCount = 2000;
    answers.push_back(mb::kNo);
    f.Duration();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(f.runFlags.inputError, 1);
}

TEST_F(DurationTest, DiameterHalvesTheRadius) {
    f.txtRadius.setText("4000");  // a diameter: the radius of 2000 um
    f.cboStep.setText("0.01");
    f.mnuRadius.setChecked(false);
    f.mnuDiameter.setChecked(true);
    f.Duration();
    EXPECT_REL_NEAR(f.runProgress.estimatedUnits, 2082.14874, 1e-9);
}

TEST_F(DurationTest, WavelengthSetSetsTheWaveCount) {
    f.cboWave.setText("High");
    f.Duration();
    EXPECT_EQ(f.calc.waveCount, 600);
    f.cboWave.setText("RGB");
    f.Duration();
    EXPECT_EQ(f.calc.waveCount, 3);
}

// The Debye estimate is multiplied by the number of ray orders: "-4" selects p = 0 to 4.
TEST_F(DurationTest, DebyeCountsTheRayOrders) {
    f.codes.calcMethod = kMethodDebye;
    f.cboRays.setText("-4");
    f.Duration();
    EXPECT_REL_NEAR(f.runProgress.estimatedUnits, 5 * 3.368301202 * 0.5 / 0.65, 1e-9);
    f.cboRays.setText("Multiple");
    f.dlogP_->chkp(2).setValue(1);
    f.dlogP_->chkp(3).setValue(1);
    f.Duration();
    EXPECT_REL_NEAR(f.runProgress.estimatedUnits, 2 * 3.368301202 * 0.5 / 0.65, 1e-9);
}

TEST_F(DurationTest, OtherGraphsNeverAsk) {
    sweep(11, 1, "Intensity v. radius", "1", "100000", "0.0001");
    f.txtRadius.setText("100000");
    f.Duration();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(f.runFlags.inputError, 0);
}

TEST_F(DurationTest, LeeDiagramWritesTheSweep) {
    leeDiagram();
    f.Duration();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(f.sweepState.sweepStart, 5.0f);
    EXPECT_EQ(f.sweepState.sweepEnd, 20.0f);
    EXPECT_EQ(f.sweepState.sweepSteps, 4.0f);
    EXPECT_EQ(f.sweepState.sweepRatio, 1.41421354f);
    EXPECT_EQ(f.calc.waveCount, 3);
    EXPECT_REL_NEAR(f.calc.radius, 19.99999863, 1e-8);
    EXPECT_EQ(f.sweepState.loopStep, 5);
    EXPECT_REL_NEAR(f.runProgress.estimatedUnits, 9.786942243, 1e-9);
}

// Entries that would divide by zero or take the logarithm of 0 give no estimate, no question and no
// writes.
TEST_F(DurationTest, UndefinedEntriesAskNothingAndWriteNothing) {
    const auto nothing = [this](const char* what) {
        SCOPED_TRACE(what);
        f.calc.waveCount = 7;
        f.runProgress.estimatedUnits = -1;
        f.Duration();
        EXPECT_TRUE(shown.empty());
        EXPECT_EQ(f.runFlags.inputError, 0);
        EXPECT_EQ(f.calc.waveCount, 7);
        EXPECT_EQ(f.runProgress.estimatedUnits, -1);
    };
    f.cboWave.setText("High");
    f.cboStep.setText("0");
    nothing("step 0");
    f.cboStep.setText("0.1");
    f.txtLambda.setText("0");
    nothing("wavelength 0");
    f.txtLambda.setText("0.65");
    f.txtRadius.setText("abc");
    nothing("radius not a number");

    leeDiagram();
    f.sweepState.sweepRatio = 9;
    f.txtRstep.setText("401");
    nothing("401 Lee steps");
    f.txtRstep.setText("4");
    f.txtRadius.setText("0");
    nothing("Lee radius 0");
    EXPECT_EQ(f.sweepState.sweepRatio, 9.0f);
}

}  // namespace
}  // namespace tessary::test
