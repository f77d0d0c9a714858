// The run-time estimate: against the times whole runs took on the machine whose costs it holds (the
// table of bench/run_estimate_window_bench.cpp), the wave-count rule, the Lee sweep, the undefined
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

RunSetting Setting(int method, const char* waves, double xMin, double xMax, double step, int threads) {
    RunSetting s;
    s.calcMethod = method;
    s.m = {1.33257035, 0.0};
    s.waveText = waves;
    s.waveCount = std::string(waves) == "RGB" ? 3 : std::stoi(waves);
    s.xMin = xMin;
    s.xMax = xMax;
    s.step = step;
    s.threads = threads;
    s.avx2 = true;
    return s;
}

// ---------------------------------------------------------------------------------------------------
// Against measured runs

// Runs of the benchmark's table (a water drop, wavelength 0.65 um or the band 380-700 nm, AVX2) with
// the time each took there, on one thread and on the pool of 8. The estimate stays within a factor of
// 3 of each; the first run was said to take 1 hour 12 minutes by the fit of a 600 MHz processor.
struct MeasuredRun {
    const char* name;
    int method;
    double radius, xMin, xMax, step;
    const char* waves;
    const char* rays;  // Debye's ray orders ("" Mie)
    bool beam;
    int threads;
    double seconds;  // measured
};

void PrintTo(const MeasuredRun& c, std::ostream* os) { *os << c.name; }

class MeasuredRuns : public ::testing::TestWithParam<MeasuredRun> {};

TEST_P(MeasuredRuns, EstimateIsWithinAFactorOfThree) {
    const MeasuredRun& c = GetParam();
    AngleRunInput in;
    in.run = Setting(c.method, c.waves, c.xMin, c.xMax, c.step, c.threads);
    in.run.rayCount = *c.rays == '-' ? 5 : 1;
    in.run.gaussianBeam = c.beam;
    in.radius = c.radius;
    const RunEstimate e = EstimateAngleRun(in);
    ASSERT_EQ(e.status, EstimateStatus::Ok);
    EXPECT_GT(e.seconds, c.seconds / 3);
    EXPECT_LT(e.seconds, c.seconds * 3);
}

// clang-format off
const MeasuredRun kMeasuredRuns[] = {
    {"MieR1000Fine2000Waves",     1, 1000, 0,   180, 0.01, "2000", "",   false, 8, 93.3},
    {"MieR1000Fine2000WavesOne",  1, 1000, 0,   180, 0.01, "2000", "",   false, 1, 174.2},
    {"MieR1Fine2000Waves",        1, 1,    0,   180, 0.01, "2000", "",   false, 8, 1.063},
    {"MieR100Back300Waves",       1, 100,  130, 180, 0.05, "300",  "",   false, 8, 0.435},
    {"MieR1000Fine30Waves",       1, 1000, 0,   180, 0.01, "30",   "",   false, 1, 2.687},
    {"MieGaussR200",              1, 200,  0,   180, 0.1,  "1",    "",   true,  1, 0.311},
    {"DebyeR1000Orders5Fine",     2, 1000, 0,   180, 0.01, "1",    "-4", false, 8, 0.0339},
    {"DebyeR100Waves300",         2, 100,  0,   180, 0.1,  "300",  "2",  false, 1, 0.515},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Bench, MeasuredRuns, ::testing::ValuesIn(kMeasuredRuns),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(LeeEstimate, MeasuredSweepIsWithinAFactorOfThree) {
    LeeRunInput in;
    in.run = Setting(kMethodMie, "RGB", 130, 180, 0.05, 8);
    in.sweepStart = 10;
    in.sweepEnd = 1000;
    in.sweepSteps = 200;
    const RunEstimate e = EstimateLeeRun(in);
    ASSERT_EQ(e.status, EstimateStatus::Ok);
    EXPECT_GT(e.seconds, 0.398 / 3);  // measured: 0.398 s
    EXPECT_LT(e.seconds, 0.398 * 3);
}

TEST(AngleEstimate, UndefinedInputsGiveNoEstimate) {
    const auto undefined = [](auto change) {
        AngleRunInput in;
        in.run = Setting(kMethodMie, "1", 0, 180, 0.1, 1);
        in.radius = 10;
        change(in);
        return EstimateAngleRun(in).status == EstimateStatus::Undefined;
    };
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.run.step = 0; }));
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.run.step = -0.1; }));
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.run.step = 1000; }));  // not even 0 and 90
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.run.lambda = 0; }));
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.radius = 0; }));
    EXPECT_TRUE(undefined([](AngleRunInput& in) { in.radius = -1; }));
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
    float start, end, steps;
    const char* waveText;
    int waveCount;  // after the last radius
    double lastRadius;
};

void PrintTo(const LeeCase& c, std::ostream* os) { *os << c.name; }

class LeeEstimate : public ::testing::TestWithParam<LeeCase> {};

TEST_P(LeeEstimate, EndsOnTheLastRadius) {
    const LeeCase& c = GetParam();
    LeeRunInput in;
    in.run = Setting(kMethodMie, "1", 130, 180, 0.05, 1);
    in.run.waveText = c.waveText;
    in.sweepStart = c.start;
    in.sweepEnd = c.end;
    in.sweepSteps = c.steps;
    const RunEstimate e = EstimateLeeRun(in);
    ASSERT_EQ(e.status, EstimateStatus::Ok);
    EXPECT_EQ(e.waveCount, c.waveCount);
    EXPECT_REL_NEAR(e.lastRadius, c.lastRadius, 1e-9);
    EXPECT_EQ(e.stepsDone, static_cast<int>(c.steps) + 1);
}

// With "High" the last radius is 100.0000049 in Single steps, so 6000 / r gives 59 wavelengths, not 60.
const LeeCase kLeeCases[] = {
    {"PresetRGB", 5, 20, 4, "RGB", 3, 19.99999863},
    {"HighWavelengths", 1, 100, 4, "High", 59, 100.0000049},
    {"OneWavelength", 1, 100, 4, "1", 1, 100.0000049},
};

INSTANTIATE_TEST_SUITE_P(Sweeps, LeeEstimate, ::testing::ValuesIn(kLeeCases),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(LeeEstimate, UndefinedInputsGiveNoEstimate) {
    const auto undefined = [](auto change) {
        LeeRunInput in;
        in.run = Setting(kMethodMie, "RGB", 178, 180, 0.05, 1);
        in.sweepStart = 5;
        in.sweepEnd = 20;
        in.sweepSteps = 4;
        change(in);
        return EstimateLeeRun(in).status == EstimateStatus::Undefined;
    };
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.run.step = 0; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.sweepStart = 0; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.sweepEnd = -20; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.sweepSteps = 0; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.sweepSteps = 401; }));
    EXPECT_TRUE(undefined([](LeeRunInput& in) { in.run.xMax = 178; }));  // no angle range
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
// The window's Duration

using DurationTest = RunChecksTest;

TEST_F(DurationTest, DefaultRunAsksNothing) {
    f.Duration();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(f.runFlags.inputError, 0);
    EXPECT_GT(f.runProgress.estimatedSeconds, 0.0);
    EXPECT_LT(f.runProgress.estimatedSeconds, 1.0);
    EXPECT_EQ(f.calc.waveCount, 1);
}

// 50 radii of 2000 um at 0.01 degree, 2000 wavelengths: hours on any number of threads.
void LongRun(Form1& f) {
    f.txtRadius.setText("2000");
    f.cboStep.setText("0.01");
    f.cboWave.setText("2000");
    f.optDisp.setValue(true);
}

TEST_F(DurationTest, LongRunAsksAndYesGoesOn) {
    LongRun(f);
    answers.push_back(mb::kYes);
    f.Duration();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt, *LongRunPrompt(f.runProgress.estimatedSeconds));
    EXPECT_GT(f.runProgress.estimatedSeconds, 3600.0);
    EXPECT_EQ(shown[0].title, "Long calculation !");
    EXPECT_EQ(shown[0].style, mb::kYesNo);
    EXPECT_EQ(f.runFlags.inputError, 0);
}

TEST_F(DurationTest, LongRunAnsweredNoSetsTheFlag) {
    LongRun(f);
    answers.push_back(mb::kNo);
    f.Duration();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(f.runFlags.inputError, 1);
}

// The same run at 0.002 degree: 45001 angles, which the series refuse at once ("Number of angles NANG =
// 45001 is above 9001"); it asked about a run of hours first.
TEST_F(DurationTest, AGridTheSeriesRefuseAsksNothing) {
    LongRun(f);
    f.cboStep.setText("0.002");
    f.Duration();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(f.runFlags.inputError, 0);
    EXPECT_LT(f.runProgress.estimatedSeconds, 1.0);
}

TEST_F(DurationTest, DiameterHalvesTheRadius) {
    f.txtRadius.setText("200");
    f.Duration();
    const double radius = f.runProgress.estimatedSeconds;
    f.txtRadius.setText("400");
    f.mnuRadius.setChecked(false);
    f.mnuDiameter.setChecked(true);
    f.Duration();
    EXPECT_EQ(f.runProgress.estimatedSeconds, radius);
}

TEST_F(DurationTest, WavelengthSetSetsTheWaveCount) {
    f.cboWave.setText("High");
    f.Duration();
    EXPECT_EQ(f.calc.waveCount, 600);
    f.cboWave.setText("RGB");
    f.Duration();
    EXPECT_EQ(f.calc.waveCount, 3);
}

// The Debye series sums its angles once whatever the number of ray orders ("-4" selects p = 0 to 4):
// the orders add little.
TEST_F(DurationTest, DebyeCountsTheRayOrders) {
    f.codes.calcMethod = kMethodDebye;
    f.txtRadius.setText("1000");
    f.cboRays.setText("2");
    f.Duration();
    const double one = f.runProgress.estimatedSeconds;
    f.cboRays.setText("-4");
    f.Duration();
    EXPECT_EQ(f.series.rayCount, 5);
    EXPECT_GT(f.runProgress.estimatedSeconds, one);
    EXPECT_LT(f.runProgress.estimatedSeconds, 1.1 * one);
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
    EXPECT_GT(f.runProgress.estimatedSeconds, 0.0);
}

// Entries that would divide by zero or take the logarithm of 0 give no estimate, no question and no
// writes.
TEST_F(DurationTest, UndefinedEntriesAskNothingAndWriteNothing) {
    const auto nothing = [this](const char* what) {
        SCOPED_TRACE(what);
        f.calc.waveCount = 7;
        f.runProgress.estimatedSeconds = -1;
        f.Duration();
        EXPECT_TRUE(shown.empty());
        EXPECT_EQ(f.runFlags.inputError, 0);
        EXPECT_EQ(f.calc.waveCount, 7);
        EXPECT_EQ(f.runProgress.estimatedSeconds, -1);
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
